// The dictionary dialog: searches the dictionary by the start of a word or by
// text anywhere in it, and lets the user add words, remove them, give a word a
// code of its own, import a word list, export the words found and restore
// removed words. Every change goes straight into the dictionary; the dialog
// has no undo. It only remembers that something changed (DictChanged), so that
// the main window can rebuild the code index after it closes.
//
// One instance lives from start to exit and is shown modally through the
// platform seam as often as needed:
//
//   FormDict->SetConfig(&config);
//   CurrentPlatform().RunModal(FormDict);
//   if (FormDict->DictChanged()) { dictionary.BuildCodeIndex(); ... }
//
// DictChanged() is to be read whatever the result: closing the window with
// its close box after a change returns Cancel, yet the dictionary did change.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Platform.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;

namespace tq {

class RConfig;
class RDictionary;
class TFormQuestion;
class TDictListModel;

class TFormDict : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 4000;

  explicit TFormDict(RDictionary& dictionary, QWidget* parent = nullptr);
  ~TFormDict() override;

  // The configuration record (AskDelete, LastDirectory). The main window
  // creates it only when it first shows, after this dialog exists; until it
  // is set, every delete question is asked and no directory is remembered.
  void SetConfig(RConfig* config) { config_ = config; }
  // The program's one question dialog. Without one the dialog makes its own.
  void SetQuestionDialog(TFormQuestion* question) { question_ = question; }

  // Counts the phrases of the open worksheet that use any of the words; the
  // question before a removal says how many. Without it nothing is said.
  void SetPhrasesUsing(std::function<int(const std::vector<std::string>& words)> count) {
    phrasesUsing_ = std::move(count);
  }

  // True when anything was changed through the dialog since it was last shown.
  bool DictChanged() const { return dictChanged; }

  // ButtonOk and Esc give OK; the close box gives Cancel.
  void done(int result) override;
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void FormClose();
  void ButtonFindClick();
  void ButtonAddClick();
  void ButtonRemoveClick();
  void ButtonEditClick();
  void ButtonImportClick();
  void ButtonExportClick();
  void ButtonUndeleteClick();
  void ButtonOkClick();
  void ButtonHelpClick();
  void TabRemovedShow();
  QString ListDictData(int row, int column) const;
  QString ListRemovedData(int row, int column) const;

  // Asks a delete or undelete question the way AskDelete says; true for Yes.
  bool ConfirmDelete(const std::string& text);
  // Inserts the dictionary's word at position into the rows, in word order.
  void InsertFoundWord(int position);
  void UpdateLabelCount();
  void RememberDirectoryOf(const std::string& path);
  bool WriteExport(const std::string& path);

  RDictionary& dictionary_;
  RConfig* config_ = nullptr;
  std::function<int(const std::vector<std::string>&)> phrasesUsing_;
  TFormQuestion* question_ = nullptr;

  // The rows of ListDict: row i shows foundWords[i] and foundCodes[i].
  std::vector<std::string> foundWords;
  std::vector<std::string> foundCodes;
  bool dictChanged = false;

  FileDialogRequest DialogOpen;
  FileDialogRequest DialogSave;

  TDictListModel* dictModel_;
  TDictListModel* removedModel_;

  QTabWidget* TabsDict;
  QWidget* TabDict;
  QLabel* LabelFind;
  QLineEdit* EditFind;
  QPushButton* ButtonFind;
  QGroupBox* GroupOptions;
  QRadioButton* RadioStart;
  QRadioButton* RadioContain;
  QTableView* ListDict;
  QPushButton* ButtonAdd;
  QPushButton* ButtonRemove;
  QPushButton* ButtonEdit;
  QPushButton* ButtonImport;
  QPushButton* ButtonExport;
  QLabel* LabelCount;
  QWidget* TabRemoved;
  QTableView* ListRemoved;
  QPushButton* ButtonUndelete;
  QPushButton* ButtonOk;
  QPushButton* ButtonHelp;
};

}  // namespace tq
