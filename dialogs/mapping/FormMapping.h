// The mapping dialog: the eleven mapping lines of the dictionary, one row per
// digit and a last row for the letters that stand for no digit. The user
// retypes a row's letters in an input box; the rows are the dialog's own
// working copy until OK hands them to the dictionary.
//
// One instance lives from start to exit:
//
//   if (CurrentPlatform().RunModal(FormMapping) == ResultOk && FormMapping->MapChanged()) {
//     dictionary.ComputeCodes(); dictionary.BuildCodeIndex(); ...
//   }
//
// After Cancel MapChanged() is false: the edits were dropped and the
// dictionary never saw them.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QFrame;
class QPushButton;
class QTableView;

namespace tq {

class RDictionary;
class TMappingRowsModel;

class TFormMapping : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 5000;

  explicit TFormMapping(RDictionary& dictionary, QWidget* parent = nullptr);
  ~TFormMapping() override;

  // True when the rows were changed and OK stored them in the dictionary.
  bool MapChanged() const { return mapChanged; }

  // Cancel, Esc and the close box drop the edits.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void ButtonEditClick();
  void ButtonOkClick();
  void ButtonCancelClick();
  void ButtonHelpClick();

  RDictionary& dictionary_;
  // The "Letters" of the eleven rows, as edited so far.
  std::vector<std::string> letters_;
  bool mapChanged = false;

  TMappingRowsModel* model_;
  QFrame* TabMapping;
  QTableView* ListMap;
  QPushButton* ButtonEdit;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;
  QPushButton* ButtonHelp;
};

}  // namespace tq
