// The tip of the day: one of eleven fixed tips per showing, in a cycle that
// goes on from run to run through the configuration's TipIndex. Shown at
// start when the user wants it and from Help > Tip of the Day; its check box
// is the same "Show tips at startup" preference as in the preferences dialog.
#pragma once

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

namespace tq {

class RConfig;

class TFormTips : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kTipCount = 11;
  static constexpr int kHelpTopic = 1000;

  // The dialog is created at start, before the main window's first showing
  // creates the configuration; it is handed over with SetConfig then. Without
  // one the dialog shows the welcome tip and remembers nothing.
  explicit TFormTips(RConfig* config = nullptr, QWidget* parent = nullptr);
  void SetConfig(RConfig* config) { config_ = config; }

  // Shows the tip TipIndex names and moves TipIndex on to the next one.
  void ButtonNextTipClick();
  // Stores "Show tips at startup" and closes with the result OK; also Escape.
  void ButtonCloseClick();
  // "More Info...": the help topic of this dialog.
  void ButtonHelpClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Every showing moves the cycle on by one tip.
  void FormShow();
  void FitTipText();

  QPushButton* ButtonNextTip;
  QPushButton* ButtonClose;
  QCheckBox* CheckShow;
  QFrame* PanelMain;
  QFrame* PanelTop;
  QLabel* LabelTitle;
  QFrame* PanelBottom;
  QLabel* LabelTip;
  QLabel* ImageLight;
  QPushButton* ButtonHelp;

  RConfig* config_;
};

}  // namespace tq
