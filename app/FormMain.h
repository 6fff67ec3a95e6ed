// The main window: the numbers list on the left, the Number, Description and
// Phrase fields with "Go!" and the strip of word columns on the right, the
// menus, the toolbar and the status bar. It owns the configuration, the one
// open worksheet and (once start-up hands it over) the dictionary, and runs
// the worksheet's life: new, open, the save question on close, save, save as.
//
// The window is built, and its numbers list, fields and entry commands
// wired, in FormMain.cpp; its other commands are in a file for what they act
// on: the worksheet file and printing (FormMainFile.cpp), the dictionary
// (FormMainDictionary.cpp), practice and the journey (FormMainPractice.cpp),
// the drills (FormMainTraining.cpp) and the undo history (FormMainUndo.cpp). The logic they wire together is
// the libraries'.
//
// Names, in this folder and every library it wires together:
// - Qt classes (windows, dialogs, widgets, item models, delegates, event
//   filters, and the rows that describe them such as TMenuCommand) start
//   with T: TFormMain, TNumbersModel, TWordListView.
// - The plain-C++ types of the model libraries (engine, worksheet, config,
//   and the logic of phrase and practice) start with R, classes and data
//   structs alike: RDictionary, RWordEntry, RRankedPhrase, RPeg.
// - Neither prefix: the platform seam and the file helpers of base/
//   (Platform, AtomicFile, LineCursor), types local to one .cpp file, and
//   the tools and tests.
// - Members: a class's private data ends in '_' (dictionary_); a plain
//   struct's public fields are lower camel case without it (wordCount). A
//   window's controls and actions are public members in upper camel case,
//   the same as their objectName (EditNumber, MenuUndo); handlers are the
//   control's name and the event (ButtonGoClick). The few fields a window
//   has had by name from the first (dictChanged, foundWords) keep it.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Journey.h"
#include "RHistory.h"

class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPoint;
class QPushButton;
class QSplitter;
class QTableView;
class QToolBar;
class QVBoxLayout;

namespace tq {

class RConfig;
class RDictionary;
class RNumber;
class RPegSystem;
class RWorksheet;
struct RSlotPlaces;
class TFindDialog;
class TFormAbout;
class TFormDict;
class TFormEditPhrase;
class TFormJourney;
class TFormJourneyPlaces;
class TFormMapping;
class TFormMyPegs;
class TFormNumbersDrill;
class TFormOptions;
class TFormPegDrill;
class TFormPractice;
class TFormPrintChoice;
class TFormQuestion;
class TFormRandom;
class TFormBest;
class TFormTips;
class TNumbersModel;
class TPhraseProposal;
class TStatusPanel;
class TWordColumns;

struct RPrintDocument;

// The dialogs the main window opens. Start-up creates each of them once, in
// the order the program always has, and hands them over; they live as long as
// the main window, their parent. The window knows them by these names.
struct TMainDialogs {
  TFormDict* FormDict = nullptr;
  TFormAbout* FormAbout = nullptr;
  TFormMapping* FormMapping = nullptr;
  TFormRandom* FormRandom = nullptr;
  TFormOptions* FormOptions = nullptr;
  TFormQuestion* FormQuestion = nullptr;
  TFormTips* FormTips = nullptr;
  TFormEditPhrase* FormEditPhrase = nullptr;
  TFormPractice* FormPractice = nullptr;
  TFormBest* FormBest = nullptr;
  TFormJourney* FormJourney = nullptr;
  TFormJourneyPlaces* FormJourneyPlaces = nullptr;
  TFormPrintChoice* FormPrintChoice = nullptr;
  TFormMyPegs* FormMyPegs = nullptr;
  TFormPegDrill* FormPegDrill = nullptr;
  TFormNumbersDrill* FormNumbersDrill = nullptr;
};

class TFormMain : public QMainWindow, private TMainDialogs {
  Q_OBJECT

 public:
  // directory: where the configuration file lives (the executable's
  // directory, with its trailing separator). arguments: the command line
  // without the program's name; the first one names a worksheet to open.
  explicit TFormMain(std::string directory, std::vector<std::string> arguments = {}, QWidget* parent = nullptr);
  ~TFormMain() override;
  // Installed runs keep the configuration in a folder the first save makes.
  void SetMakeConfigFolder(bool make) { makeConfigFolder_ = make; }

  // The dictionary arrives once it is loaded; from then on the word strip exists.
  void SetDictionary(std::unique_ptr<RDictionary> dictionary);
  void SetDialogs(const TMainDialogs& dialogs);

  RDictionary* Dictionary() const { return dictionary_.get(); }
  RConfig* Config() const { return config_.get(); }
  RWorksheet* CurrentWorksheet() const { return worksheet_.get(); }
  RNumber* CurrentNumber() const { return currentNumber_; }
  int CurrentIndex() const { return currentIndex_; }
  bool StatusHighlight() const { return statusHighlight_; }
  const std::string& StatusText() const { return statusText_; }
  bool DescriptionShown() const { return descriptionShown_; }
  TWordColumns* WordColumns() const { return ScrollBox; }
  TFindDialog* FindDialog() const { return DialogFind; }
  // What Undo and Redo take back and take again in the open worksheet.
  const RHistory& UndoHistory() const { return undoHistory_; }

  // The worksheet's life.
  void NewWorksheet();
  // False only when the user kept the current worksheet open.
  bool OpenWorksheet(const std::string& path);
  // True when the current worksheet was let go (saved, discarded or unchanged).
  bool CloseWorksheet();
  bool SaveWorksheet();
  bool SaveWorksheetAs();
  void UpdateTitle();
  void UpdateHistoryMenu();
  void ShowDescriptionField(bool shown);
  void ApplyWindowState();
  void StoreWindowState();
  // Stores the window's state and the configuration, writes the user's
  // dictionary changes and mapping when they changed, and ends the program.
  void Shutdown();

  // Panel 0 of the status bar: highlighted (navy, white text) or plain.
  void SetStatusAlert(const std::string& text);
  void SetStatusText(const std::string& text);

  // The numbers list.
  void SelectNumber(int index, bool focusNumber);
  void RebuildNumberList();
  void RefreshNumberRow(int index);
  void SyncNumberRows();
  void MaintainBlankRows();
  void InsertNumber();
  void DeleteNumber();
  void ClearNumber();
  void CommitNumber();
  void FindNumber();

 public slots:
  void ButtonGoClick();
  void EditDescriptionChange();
  void ListNumbersDblClick();

  void MenuNewWorksheetClick();
  void MenuNewPegListClick();
  void MenuOpenWorksheetClick();
  void MenuSaveWorksheetClick();
  void MenuSaveAsClick();
  void MenuHistoryClick(QAction* item);
  void MenuExitClick();
  void MenuUndoClick();
  void MenuRedoClick();
  void MenuCutClick();
  void MenuCopyClick();
  void MenuPasteClick();
  void MenuDeleteClick();
  void MenuFindClick();
  void MenuFindAgainClick();
  void MenuInsertNumberClick();
  void MenuDeleteNumberClick();
  void MenuMoveUpClick();
  void MenuMoveDownClick();
  void MenuClearClick();
  void MenuRandomClick();
  void MenuBestPhrasesClick();
  void MenuEditPhraseClick();
  void EditPhraseClick();
  void MenuDictionaryClick();
  void MenuMappingClick();
  void MenuPreferencesClick();
  void MenuHelpTopicsClick();
  void MenuTipClick();
  void MenuCompanyHomepageClick();
  void MenuProductHomepageClick();
  void MenuAboutClick();
  void MenuPracticeClick();
  void MenuExportFlashCardsClick();
  void MenuPrintClick();
  void MenuExportPdfClick();
  void MenuJourneyClick();
  void MenuEditJourneyClick();
  void MenuMyPegsClick();
  void MenuPegDrillClick();
  void MenuNumbersDrillClick();

  // The user's pegs and the pegs in force (FormMainPractice.cpp): the
  // user's pegs read from pegs.txt once, when first asked (a damaged file
  // is told about then), and the suggested lists made once each and kept
  // until the dictionary changes. The Journey window's fill, My Pegs and
  // the drills ask it. Null until the dictionary is there.
  RPegSystem* UserPegs();

  // The word lists' pop-up menu: dictionary edits without the dictionary dialog.
  void PopupAddWordClick();
  void PopupRemoveWordClick();
  void PopupEditCodeClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void CreateMenus();
  void CreateHistoryItems(QMenu* file);
  void CreateToolBar();
  void CreateStatusBar();
  void CreatePanels();
  void ListNumbersSelectItem(int row);
  void SetModified();
  void SayNumberNotEntered();
  void ShowWorksheet(std::unique_ptr<RWorksheet> worksheet);
  // Runs the random or best phrase dialog for the current number and takes
  // the phrase the user accepts into the entry.
  void AcceptProposedPhrase(TPhraseProposal& dialog);
  void WordListContextMenu(int column, const QPoint& globalPos);
  // What the remove and edit commands of the pop-up menu act on: true with
  // the focused list's selected word. With no row selected it says so for
  // the command named; a header row or no word list is silently nothing.
  bool SelectedWord(const std::string& command, std::string& word) const;
  bool InCurrentPhrase(const std::string& word) const;
  // After the dictionary's words or codes changed: the current entry's
  // words checked (and repaired, with the warning) and the columns redone.
  // `before`: where its words stood before the change, when known.
  void RefreshColumnsAfterDictionaryChange(const RSlotPlaces* before = nullptr);
  // The dialogs that read or write the configuration get it (or null at
  // shutdown) together with the word strip.
  void SetDialogsConfig(RConfig* config);
  QLineEdit* FocusedEdit() const;
  // The undo history's side of the commands (FormMainUndo.cpp): each
  // command that changes the worksheet records its step once it is done.
  void RecordEntryStep(const char* name, uint64_t mergeKey = 0);
  // A word chosen in the strip, or given back (not `chosen`).
  void RecordWordStep(bool chosen);
  void RecordInsertStep();
  void RecordDeleteStep(int index, const RNumber& entry);
  void RecordMoveStep(const char* name, int from, int to);
  // Runs a command that may change the dictionary's words, codes or mapping
  // and records what it did as the one step `name`, dictionary and phrases
  // together (only the current entry's change when the dictionary stayed).
  void ChangeDictionary(const char* name, const std::function<void()>& command);
  void ApplyHistoryStep(bool undo);
  void ClearHistory();
  void NoteDescriptionFocus(QEvent* focusIn);
  void UpdateUndoMenu();
  // True when the key is the field's own undo or redo and the field has
  // typing to take back or again: then the field, not the worksheet, has it.
  static bool FieldTakesUndoKey(const QLineEdit* field, const QKeyEvent* key);
  int RowsPerPage() const;
  // Asks what File › Print or Export PDF (the caption) puts on paper, and
  // builds it; false when the user cancelled.
  bool ChooseDocumentToPrint(const char* caption, RPrintDocument& document);
  // Practice is offered while some entry has a number to practise.
  void UpdatePracticeCommand();
  int TopRow() const;
  // The journey's side of the window (FormMainPractice.cpp): the user's
  // journey, read once when first needed, and the Journey window kept on
  // the current entry while it is open.
  const RJourney& UserJourney();
  void FollowEntryInJourney(bool force = false);
  void JourneyFillClick();

  std::string directory_;
  bool makeConfigFolder_ = false;
  std::vector<std::string> arguments_;
  std::unique_ptr<RDictionary> dictionary_;
  std::unique_ptr<RConfig> config_;
  std::unique_ptr<RWorksheet> worksheet_;
  RNumber* currentNumber_ = nullptr;
  int currentIndex_ = 0;
  int updateDepth_ = 0;
  bool statusHighlight_ = false;
  std::string statusText_;
  bool firstShow_ = true;
  bool descriptionShown_ = true;

  // The dialogs are the TMainDialogs this window is made of.
  TFindDialog* DialogFind = nullptr;
  TNumbersModel* numbersModel_ = nullptr;

  QToolBar* ToolBar = nullptr;
  TStatusPanel* StatusPanel = nullptr;
  QSplitter* SplitterLeft = nullptr;
  QWidget* PanelLeft = nullptr;
  QTableView* ListNumbers = nullptr;
  QWidget* PanelRight = nullptr;
  QVBoxLayout* panelRightLayout_ = nullptr;
  QWidget* PanelTop = nullptr;
  QLabel* LabelDescription = nullptr;
  QLineEdit* EditNumber = nullptr;
  QLineEdit* EditDescription = nullptr;
  QLineEdit* EditPhrase = nullptr;
  QPushButton* ButtonGo = nullptr;
  TWordColumns* ScrollBox = nullptr;
  QWidget* scrollPlaceholder_ = nullptr;
  QMenu* PopupLeft = nullptr;
  QMenu* PopupRight = nullptr;
  QAction* PopupAddWord = nullptr;
  QAction* PopupRemoveWord = nullptr;
  QAction* PopupEditCode = nullptr;

  RJourney journey_;
  bool journeyRead_ = false;
  std::unique_ptr<RPegSystem> pegs_;
  bool pegsRead_ = false;
  RHistory undoHistory_;
  uint64_t descriptionVisit_ = 0;  // one description step per visit of the field
  QAction* MenuUndo = nullptr;
  QAction* MenuRedo = nullptr;
  QAction* MenuHistory[4] = {};
  QAction* MenuHistorySep = nullptr;
  std::vector<QAction*> commands_;  // every menu command, for the keys they claim from the edit fields
};

}  // namespace tq
