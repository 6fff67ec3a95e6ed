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

// White letters straight on the picture, as small as the about box's, so
// that both lines fit into the picture's dark corner.
QLabel* OverlayLabel(QWidget* parent, const char* name, const QString& text, int top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAttribute(Qt::WA_TranslucentBackground);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::white);
  label->setPalette(palette);
  QFont font = label->font();
  font.setPixelSize(11);
  label->setFont(font);
  label->move(4, top);
  label->adjustSize();
  return label;
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

  version_ = OverlayLabel(this, "LabelVersion", QStringLiteral("v") + ToQString(kVersionText), 187);
  copyright_ = OverlayLabel(this, "LabelCopyright", ToQString(kCopyrightLine), 200);

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

void TFormSplash::TimerSplashTimer() {
  timer_->stop();
  if (mainWindow_) mainWindow_->show();
  if (showTips_) showTips_();
  hide();
}

}  // namespace tq
