// The preferences dialog: the four user preferences of the configuration
// (the description field, the tips at start and the two confirmations) as
// check boxes. Nothing reaches the configuration before OK; Cancel, Escape
// and the close box drop every edit, those made by Reset included.
//
// One instance lives from start to exit and is shown modally through the
// platform seam; the main window applies the description field afterwards,
// whatever the result:
//
//   CurrentPlatform().RunModal(FormOptions);
//   ShowDescriptionField(config.GetShowDescription() != 0);
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QTabWidget;
class QWidget;

namespace tq {

class RConfig;

class TFormOptions : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpTopic = 6100;

  explicit TFormOptions(QWidget* parent = nullptr);

  // The main window creates the configuration at its first showing, after
  // this dialog exists. Without one the boxes show the defaults and OK
  // stores nothing.
  void SetConfig(RConfig* config) { config_ = config; }

  // Escape and the close box are the Cancel button.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormShow();
  void ButtonOkClick();
  void ButtonCancelClick();
  void ButtonResetClick();
  void ButtonHelpClick();

  RConfig* config_ = nullptr;

  QTabWidget* TabsOptions;
  QWidget* TabGeneral;
  QGroupBox* GroupBox1;
  QCheckBox* CheckDescription;
  QGroupBox* GroupBox2;
  QCheckBox* CheckTips;
  QCheckBox* CheckAskSave;
  QCheckBox* CheckAskDelete;
  QPushButton* ButtonReset;
  QWidget* PanelButtons;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;
  QPushButton* ButtonHelp;
};

}  // namespace tq
