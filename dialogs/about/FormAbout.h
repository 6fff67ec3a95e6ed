// The about box: the program's picture with the version and the copyright
// line written over it in white, and an OK button underneath. Created once at
// start and shown modally, through the platform seam, from Help > About.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tq {

class TFormAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TFormAbout(QWidget* parent = nullptr);

  // OK and the Escape key close the box with the result OK.
  void ButtonOKClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The same picture the splash window shows, decoded from the same stored
  // JPEG, so the box needs nothing from the splash window.
  QLabel* ImageSplash;
  QLabel* LabelVersion;
  QLabel* LabelCopyright;
  QPushButton* ButtonOK;
};

}  // namespace tq
