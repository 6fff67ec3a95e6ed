#include "FormAbout.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "Codec.h"
#include "SplashPicture.h"
#include "Widgets.h"

namespace tq {
namespace {

constexpr int kClientWidth = 350;
constexpr int kClientHeight = 242;

}  // namespace

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormAbout"));
  setWindowTitle(QStringLiteral("About"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFixedSize(kClientWidth, kClientHeight);

  ImageSplash = new QLabel(this);
  ImageSplash->setObjectName(QStringLiteral("ImageSplash"));
  ImageSplash->setPixmap(SplashPicture());
  ImageSplash->setGeometry(0, 0, kSplashWidth, kSplashHeight);
  ImageSplash->lower();  // behind every other control of the box

  LabelVersion = PictureLabel(this, "LabelVersion", QStringLiteral("v") + ToQString(kVersionText), 188);
  LabelCopyright = PictureLabel(this, "LabelCopyright", ToQString(kCopyrightLine), 200);

  ButtonOK = MakeButton("ButtonOK", "&OK", this);
  ButtonOK->setGeometry(140, 217, 75, 25);
  ButtonOK->setDefault(true);
  connect(ButtonOK, &QPushButton::clicked, this, &TFormAbout::ButtonOKClick);

  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(kClientWidth / 2, kClientHeight / 2));
}

void TFormAbout::ButtonOKClick() { accept(); }

void TFormAbout::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    ButtonOKClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace tq
