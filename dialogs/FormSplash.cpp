#include "FormSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "Codec.h"
#include "SplashPicture.h"

namespace tq {
namespace {

constexpr int kWidth = kSplashWidth;
constexpr int kHeight = kSplashHeight;
constexpr int kSplashMilliseconds = 3000;

std::string& HelpFile() {
  static std::string path;
  return path;
}

}  // namespace

const std::string& ApplicationHelpFile() { return HelpFile(); }

TFormSplash::TFormSplash(const std::string& directory, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("FormSplash");
  HelpFile() = directory + "Tessaloquine.hlp";
  setFixedSize(kWidth, kHeight);

  image_ = new QLabel(this);
  image_->setObjectName("ImageSplash");
  image_->setPixmap(SplashPicture());
  image_->setGeometry(0, 0, kWidth, kHeight);

  version_ = PictureLabel(this, "LabelVersion", QStringLiteral("v") + ToQString(kVersionText), 187);
  copyright_ = PictureLabel(this, "LabelCopyright", ToQString(kCopyrightLine), 200);

  timer_ = new QTimer(this);
  timer_->setObjectName("TimerSplash");
  timer_->setInterval(kSplashMilliseconds);
  timer_->setSingleShot(true);
  connect(timer_, &QTimer::timeout, this, &TFormSplash::TimerSplashTimer);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(kWidth / 2, kHeight / 2));
  }
}

void TFormSplash::StartupFinished() {
  startupFinished_ = true;
  if (fired_) QTimer::singleShot(0, this, &TFormSplash::TimerSplashTimer);
}

void TFormSplash::TimerSplashTimer() {
  timer_->stop();
  if (!startupFinished_) {
    fired_ = true;
    return;
  }
  fired_ = false;
  if (mainWindow_) mainWindow_->show();
  if (showTips_) showTips_();
  hide();
}

}  // namespace tq
