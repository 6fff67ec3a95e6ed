#include "FormSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "Codec.h"

namespace tq {
namespace {

constexpr int kWidth = 350;
constexpr int kHeight = 215;
constexpr int kSplashMilliseconds = 3000;

std::string& HelpFile() {
  static std::string path;
  return path;
}

// Until the real picture is drawn, a quiet navy card with the product's name
// and a row of digits and their sounds.
QPixmap PlaceholderPicture() {
  QPixmap picture(kWidth, kHeight);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0.0, QColor(16, 32, 96));
  sky.setColorAt(1.0, QColor(8, 80, 120));
  p.fillRect(picture.rect(), sky);

  QFont title(QStringLiteral("Serif"));
  title.setPixelSize(38);
  title.setBold(true);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 40, kWidth, 60), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Tessaloquine"));

  QFont small(QStringLiteral("Sans Serif"));
  small.setPixelSize(13);
  p.setFont(small);
  p.setPen(QColor(200, 220, 255));
  p.drawText(QRect(0, 100, kWidth, 24), Qt::AlignHCenter,
             QStringLiteral("1 t  2 n  3 m  4 r  5 l  6 j  7 k  8 f  9 p  0 s"));
  p.setPen(QColor(255, 255, 255, 60));
  p.drawLine(40, 132, kWidth - 40, 132);
  return picture;
}

QLabel* OverlayLabel(QWidget* parent, const char* name, const QString& text, int top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAttribute(Qt::WA_TranslucentBackground);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::white);
  label->setPalette(palette);
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
  image_->setPixmap(PlaceholderPicture());
  image_->setGeometry(0, 0, kWidth, kHeight);

  version_ = OverlayLabel(this, "LabelVersion", QStringLiteral("v") + ToQString(kVersionText), 187);
  copyright_ = OverlayLabel(this, "LabelCopyright", QStringLiteral("Copyright (C) 2026 Hollowmere"), 200);

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
