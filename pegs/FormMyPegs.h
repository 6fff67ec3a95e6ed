// The My Pegs dialog (Options > My Pegs...): every number of the length
// chosen (0 to 9, 00 to 99 or 000 to 999) with the peg in force for it, its
// picture marks, whether it is the user's own and whether one of its words
// stands for another number too. A peg is changed by picking one of the
// candidate words for its number (ranked as the peg list ranks them) or by
// typing one, checked as Edit Phrase checks a phrase; "Suggested" puts the
// peg list's own back. Import takes the pegs of a file as the user's own,
// Export writes the list shown, both through the file box. OK keeps the
// changes (the main window writes pegs.txt), Cancel forgets them.
//
// One instance lives from start to exit and is shown modally through the
// platform seam:
//
//   FormMyPegs->Prepare(pegSystem);
//   if (CurrentPlatform().RunModal(FormMyPegs) == ResultOk)
//     pegSystem.SetMine(FormMyPegs->Mine()), StoreMyPegs(...);
//
// The rows are asked for only as they are shown, and the suggested lists
// are the ones the main window keeps, so 1,000 numbers open as quickly as a
// hundred.
#pragma once

#include <QDialog>
#include <vector>

#include "MyPegs.h"
#include "PegList.h"
#include "PhraseCheck.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTableView;

namespace tq {

class RDictionary;
class RPegSystem;
class TMyPegsModel;

class TFormMyPegs : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 2550;

  explicit TFormMyPegs(RDictionary& dictionary, QWidget* parent = nullptr);

  // The user's pegs to edit, and the suggested lists to show beside them
  // (made when first asked, and kept by the system).
  void Prepare(RPegSystem& pegs);
  // The user's pegs as the dialog holds them now.
  const RMyPegs& Mine() const { return mine_; }
  // True when a typed word was added to the dictionary, or recoded, since
  // Prepare, however the dialog closed.
  bool DictionaryChanged() const { return check_.DictionaryChanged(); }

  // The length shown: 1, 2 or 3 digits.
  int Digits() const { return digits_; }
  void SetDigits(int digits);
  // The pegs in force shown now, in order.
  const std::vector<RPeg>& Rows() const { return rows_; }

  QComboBox* ComboDigits;
  QTableView* ListPegs;
  QLabel* LabelSummary;
  QLabel* LabelCandidates;
  QListWidget* ListCandidates;
  QLineEdit* EditPeg;
  QPushButton* ButtonSet;
  QPushButton* ButtonSuggested;
  QPushButton* ButtonImport;
  QPushButton* ButtonExport;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;
  QPushButton* ButtonHelp;

  void ButtonSetClick();
  void ButtonSuggestedClick();
  void ButtonImportClick();
  void ButtonExportClick();
  void ListCandidatesActivated(QListWidgetItem* item);

 private:
  // The row selected in the list, or -1.
  int CurrentRow() const;
  // Makes the rows of the length shown again from the user's pegs, keeping
  // the selected row.
  void Refresh();
  void ShowCandidates();
  void SetOwn(int row, std::vector<std::string> pegWords);

  RDictionary& dictionary_;
  RPegSystem* pegs_ = nullptr;
  RMyPegs mine_;
  int digits_ = 2;
  std::vector<RPeg> rows_;
  RPhraseCheck check_;
  TMyPegsModel* model_;
};

}  // namespace tq
