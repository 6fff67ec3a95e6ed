#include "FormMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

#include "Codec.h"
#include "Commands.h"
#include "FindDialog.h"
#include "FormAbout.h"
#include "FormBest.h"
#include "FormDict.h"
#include "FormEditPhrase.h"
#include "FormJourney.h"
#include "FormOptions.h"
#include "FormRandom.h"
#include "FormTips.h"
#include "Icons.h"
#include "Messages.h"
#include "NumberSearch.h"
#include "NumbersModel.h"
#include "PegSystem.h"
#include "Platform.h"
#include "RConfig.h"
#include "RDictionary.h"
#include "RWorksheet.h"
#include "StatusPanel.h"
#include "TextGuard.h"
#include "Widgets.h"
#include "WindowPlace.h"
#include "WordColumns.h"

namespace tq {

namespace {

constexpr const char* kCompanyHomepage = "https://www.hollowmere.com/";
constexpr const char* kProductHomepage = "https://www.hollowmere.com/tessaloquine/";
// Below this many whole rows the list is too short to keep blank rows in.
constexpr int kMinimumPageRows = 4;
// Blank entries kept after the last used one, plus one for the used one.
constexpr int kBlankRowsAfterLast = 5;

// Raises UpdateDepth for the lifetime of the object, so that the handlers the
// program's own changes set off know to stay out of the way.
class UpdateGuard {
 public:
  explicit UpdateGuard(int& depth) : depth_(depth) { ++depth_; }
  ~UpdateGuard() { --depth_; }
  UpdateGuard(const UpdateGuard&) = delete;
  UpdateGuard& operator=(const UpdateGuard&) = delete;

 private:
  int& depth_;
};

// Clears the field's undo and redo of its typing, keeping its text and cursor.
void ForgetTyping(QLineEdit* field) {
  const int cursor = field->cursorPosition();
  field->setText(field->text());
  field->setCursorPosition(cursor);
}

}  // namespace

TFormMain::TFormMain(std::string directory, std::vector<std::string> arguments, QWidget* parent)
    : QMainWindow(parent), directory_(std::move(directory)), arguments_(std::move(arguments)) {
  setObjectName("FormMain");
  setWindowTitle(QStringLiteral("Tessaloquine"));
  resize(640, 480);

  numbersModel_ = new TNumbersModel(this);
  CreatePanels();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();

  DialogFind = new TFindDialog(this);
  connect(DialogFind, &TFindDialog::FindNext, this, &TFormMain::FindNumber);

  connect(numbersModel_, &QAbstractItemModel::modelReset, this, &TFormMain::UpdatePracticeCommand);
  connect(numbersModel_, &QAbstractItemModel::dataChanged, this, &TFormMain::UpdatePracticeCommand);
  connect(numbersModel_, &QAbstractItemModel::rowsInserted, this, &TFormMain::UpdatePracticeCommand);
  connect(numbersModel_, &QAbstractItemModel::rowsRemoved, this, &TFormMain::UpdatePracticeCommand);
  UpdatePracticeCommand();
}

TFormMain::~TFormMain() {
  // The strip looks at the dictionary and the current entry: it goes first.
  delete ScrollBox;
  ScrollBox = nullptr;
  worksheet_.reset();
  dictionary_.reset();
}

// --- building the window -----------------------------------------------------

void TFormMain::CreatePanels() {
  SplitterLeft = new QSplitter(Qt::Horizontal, this);
  SplitterLeft->setObjectName("SplitterLeft");
  SplitterLeft->setHandleWidth(3);
  SplitterLeft->setChildrenCollapsible(false);
  setCentralWidget(SplitterLeft);

  PanelLeft = new QWidget(SplitterLeft);
  PanelLeft->setObjectName("PanelLeft");
  PanelLeft->setMinimumWidth(1);
  auto* leftLayout = new QVBoxLayout(PanelLeft);
  leftLayout->setContentsMargins(0, 0, 0, 0);

  ListNumbers = new QTableView(PanelLeft);
  ListNumbers->setObjectName("ListNumbers");
  ListNumbers->setModel(numbersModel_);
  ListNumbers->setMinimumSize(1, 1);
  ListNumbers->setSelectionMode(QAbstractItemView::SingleSelection);
  ListNumbers->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListNumbers->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListNumbers->setShowGrid(true);
  ListNumbers->setWordWrap(false);
  ListNumbers->setTabKeyNavigation(false);
  ListNumbers->verticalHeader()->hide();
  ListNumbers->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QFont listFont(QStringLiteral("Arial"));
  listFont.setStyleHint(QFont::SansSerif);
  listFont.setPointSizeF(font().pointSizeF());
  ListNumbers->setFont(listFont);
  ListNumbers->verticalHeader()->setDefaultSectionSize(QFontMetrics(listFont).height() + 4);
  ListNumbers->horizontalHeader()->setStretchLastSection(false);
  ListNumbers->horizontalHeader()->setHighlightSections(false);
  ListNumbers->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  ListNumbers->setColumnWidth(TNumbersModel::ColumnNumber, 82);
  ListNumbers->setColumnWidth(TNumbersModel::ColumnPhrase, 82);
  ListNumbers->setColumnWidth(TNumbersModel::ColumnDescription, 160);
  {
    // Grey with white text, and the selection stays visible while another
    // control has the focus.
    QPalette palette = ListNumbers->palette();
    palette.setColor(QPalette::Base, QColor(128, 128, 128));
    palette.setColor(QPalette::Text, Qt::white);
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
      palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    ListNumbers->setPalette(palette);
  }
  leftLayout->addWidget(ListNumbers);
  ListNumbers->viewport()->installEventFilter(this);
  connect(ListNumbers->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected, const QItemSelection&) {
            for (const QModelIndex& index : selected.indexes()) {
              ListNumbersSelectItem(index.row());
              break;
            }
          });
  connect(ListNumbers, &QAbstractItemView::doubleClicked, this, &TFormMain::ListNumbersDblClick);
  ListNumbers->setContextMenuPolicy(Qt::CustomContextMenu);

  PanelRight = new QWidget(SplitterLeft);
  PanelRight->setObjectName("PanelRight");
  panelRightLayout_ = new QVBoxLayout(PanelRight);
  panelRightLayout_->setContentsMargins(0, 0, 0, 0);
  panelRightLayout_->setSpacing(0);

  PanelTop = new QWidget(PanelRight);
  PanelTop->setObjectName("PanelTop");
  PanelTop->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* grid = new QGridLayout(PanelTop);
  grid->setContentsMargins(8, 8, 9, 8);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  grid->setColumnMinimumWidth(0, 72);
  grid->setColumnStretch(1, 1);

  auto* labelNumber = new QLabel(QStringLiteral("Number:"), PanelTop);
  labelNumber->setObjectName("LabelNumber");
  LabelDescription = new QLabel(QStringLiteral("Description:"), PanelTop);
  LabelDescription->setObjectName("LabelDescription");
  auto* labelPhrase = new QLabel(QStringLiteral("Phrase:"), PanelTop);
  labelPhrase->setObjectName("LabelPhrase");

  EditNumber = new QLineEdit(PanelTop);
  EditNumber->setObjectName("EditNumber");
  EditDescription = new QLineEdit(PanelTop);
  EditDescription->setObjectName("EditDescription");
  // What is typed or pasted here is saved in the worksheet file: one line,
  // and only characters the file can hold.
  GuardTextField(EditNumber);
  GuardTextField(EditDescription);
  EditPhrase = new QLineEdit(PanelTop);
  EditPhrase->setObjectName("EditPhrase");
  EditPhrase->setReadOnly(true);
  EditPhrase->setFrame(false);
  // A field cuts its text at 32767 characters unless told otherwise; a long
  // number (pi to tens of thousands of digits) and its phrase are longer,
  // and a description pasted from elsewhere may be too.
  EditNumber->setMaxLength(std::numeric_limits<int>::max());
  EditPhrase->setMaxLength(std::numeric_limits<int>::max());
  EditDescription->setMaxLength(std::numeric_limits<int>::max());
  {
    QFont phraseFont(QStringLiteral("Arial"));
    phraseFont.setStyleHint(QFont::SansSerif);
    phraseFont.setPointSizeF(font().pointSizeF());
    phraseFont.setBold(true);
    EditPhrase->setFont(phraseFont);
    QPalette palette = EditPhrase->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    EditPhrase->setPalette(palette);
  }
  ButtonGo = new QPushButton(QStringLiteral("Go!"), PanelTop);
  ButtonGo->setObjectName("ButtonGo");
  ButtonGo->setFixedWidth(57);
  ButtonGo->setAutoDefault(false);

  grid->addWidget(labelNumber, 0, 0);
  grid->addWidget(EditNumber, 0, 1);
  grid->addWidget(ButtonGo, 0, 2);
  grid->addWidget(LabelDescription, 1, 0);
  grid->addWidget(EditDescription, 1, 1);
  grid->addWidget(labelPhrase, 2, 0);
  grid->addWidget(EditPhrase, 2, 1);
  setTabOrder(EditNumber, ButtonGo);
  setTabOrder(ButtonGo, EditDescription);
  setTabOrder(EditDescription, EditPhrase);

  for (QLineEdit* edit : {EditNumber, EditDescription, EditPhrase}) edit->installEventFilter(this);
  connect(EditNumber, &QLineEdit::returnPressed, this, &TFormMain::CommitNumber);
  // Enter in the phrase does what a click on it does.
  connect(EditPhrase, &QLineEdit::returnPressed, this, &TFormMain::EditPhraseClick);
  // Every change to the entry's words shows in its phrase.
  connect(EditPhrase, &QLineEdit::textChanged, this, [this] { FollowEntryInJourney(); });
  connect(EditDescription, &QLineEdit::textChanged, this, &TFormMain::EditDescriptionChange);
  connect(ButtonGo, &QPushButton::clicked, this, &TFormMain::ButtonGoClick);

  panelRightLayout_->addWidget(PanelTop);
  // Holds the strip's place until the dictionary is loaded.
  scrollPlaceholder_ = new QWidget(PanelRight);
  panelRightLayout_->addWidget(scrollPlaceholder_, 1);

  SplitterLeft->addWidget(PanelLeft);
  SplitterLeft->addWidget(PanelRight);
  SplitterLeft->setStretchFactor(0, 0);
  SplitterLeft->setStretchFactor(1, 1);
  SplitterLeft->setSizes({169, 471});
}

void TFormMain::CreateMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MenuMain");
  QMenu* menus[kCommandMenuCount] = {};
  for (const TMenuCommand& command : MenuCommands()) {
    const TCommandMenuInfo& info = MenuInfo(command.menu);
    QMenu*& menu = menus[static_cast<int>(command.menu)];
    if (!menu) {
      menu = info.title ? bar->addMenu(QString::fromLatin1(info.title)) : new QMenu(this);
      menu->setObjectName(info.name);
    }
    if (command.separatorBefore) menu->addSeparator();
    if (!command.handler) {
      CreateHistoryItems(menu);
      continue;
    }
    // The menu bar's commands belong to the window, a pop-up menu's items to
    // their menu.
    auto* action = new QAction(QString::fromLatin1(command.caption), info.title ? static_cast<QObject*>(this) : menu);
    action->setObjectName(command.name);
    const QList<QKeySequence> keys = CommandKeys(command);
    if (!keys.isEmpty()) action->setShortcuts(keys);
    // The word lists' keys work while a word list has the focus (SetDictionary
    // hands the commands to the strip), so Delete in an edit field still
    // deletes a letter.
    if (command.menu == CommandMenu::WordLists) action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (command.hint) action->setToolTip(QString::fromLatin1(command.hint));
    if (command.image) action->setIcon(CommandIcon(*command.image));
    connect(action, &QAction::triggered, this, command.handler);
    menu->addAction(action);
    if (info.title) commands_.push_back(action);
  }
  auto action = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
  MenuUndo = action("MenuUndo");
  MenuRedo = action("MenuRedo");
  UpdateUndoMenu();
  PopupLeft = menus[static_cast<int>(CommandMenu::NumbersList)];
  PopupRight = menus[static_cast<int>(CommandMenu::WordLists)];
  PopupAddWord = action("PopupAddWord");
  PopupRemoveWord = action("PopupRemoveWord");
  PopupEditCode = action("PopupEditCode");
  connect(ListNumbers, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupLeft->popup(ListNumbers->viewport()->mapToGlobal(at)); });
}

void TFormMain::CreateToolBar() {
  ToolBar = addToolBar(QStringLiteral("Toolbar"));
  ToolBar->setObjectName("ToolBar");
  ToolBar->setMovable(false);
  ToolBar->setFloatable(false);
  ToolBar->setIconSize(QSize(16, 16));
  ToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  // Each button is its menu command's action, with its picture and tip.
  for (const TMenuCommand* command : ToolBarCommands()) {
    if (!command) {
      ToolBar->addSeparator();
      continue;
    }
    auto* action = findChild<QAction*>(QString::fromLatin1(command->name));
    ToolBar->addAction(action);
    if (QWidget* button = ToolBar->widgetForAction(action)) button->setObjectName(command->buttonName);
  }
}

void TFormMain::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar");
  StatusPanel = new TStatusPanel(bar);
  bar->addWidget(StatusPanel, 1);
  auto* panel1 = new QWidget(bar);
  panel1->setObjectName("StatusPanel1");
  panel1->setFixedWidth(50);
  bar->addPermanentWidget(panel1);
}

void TFormMain::SetDictionary(std::unique_ptr<RDictionary> dictionary) {
  delete ScrollBox;
  ScrollBox = nullptr;
  pegs_.reset();
  pegsRead_ = false;
  dictionary_ = std::move(dictionary);
  if (!dictionary_) return;
  ScrollBox = new TWordColumns(*dictionary_, PanelRight);
  ScrollBox->SetConfig(config_.get());
  ScrollBox->SetCurrentNumber(currentNumber_);
  if (scrollPlaceholder_) {
    panelRightLayout_->replaceWidget(scrollPlaceholder_, ScrollBox);
    delete scrollPlaceholder_;
    scrollPlaceholder_ = nullptr;
  } else {
    panelRightLayout_->addWidget(ScrollBox, 1);
  }
  panelRightLayout_->setStretchFactor(ScrollBox, 1);
  connect(ScrollBox, &TWordColumns::PhraseShown, this,
          [this](const QString& phrase) { ShowFromStart(EditPhrase, phrase); });
  connect(ScrollBox, &TWordColumns::NumberRowChanged, this, [this] { RefreshNumberRow(currentIndex_); });
  connect(ScrollBox, &TWordColumns::WorksheetModified, this, &TFormMain::SetModified);
  connect(ScrollBox, &TWordColumns::WorksheetModified, this, &TFormMain::RecordWordStep);
  // A whole phrase built from the keyboard: what the number is comes next.
  connect(ScrollBox, &TWordColumns::PhraseCompleted, this, [this] { EditDescription->setFocus(Qt::OtherFocusReason); });
  connect(ScrollBox, &TWordColumns::WordListContextMenu, this,
          [this](int column, const QString&, const QPoint& globalPos) { WordListContextMenu(column, globalPos); });
  ScrollBox->addActions({PopupAddWord, PopupRemoveWord, PopupEditCode});
}

void TFormMain::SetDialogs(const TMainDialogs& dialogs) {
  static_cast<TMainDialogs&>(*this) = dialogs;
  if (FormJourney) {
    connect(FormJourney, &TFormJourney::FillRequested, this, &TFormMain::JourneyFillClick);
    connect(FormJourney, &TFormJourney::EditJourneyRequested, this, &TFormMain::MenuEditJourneyClick);
  }
  if (FormDict) {
    FormDict->SetQuestionDialog(FormQuestion);
    FormDict->SetPhrasesUsing([this](const std::vector<std::string>& words) {
      return worksheet_ ? static_cast<int>(worksheet_->PhrasesUsing(words)) : 0;
    });
  }
  SetDialogsConfig(config_.get());
}

void TFormMain::SetDialogsConfig(RConfig* config) {
  if (ScrollBox) ScrollBox->SetConfig(config);
  if (FormDict) FormDict->SetConfig(config);
  if (FormOptions) FormOptions->SetConfig(config);
  if (FormTips) FormTips->SetConfig(config);
}

// --- first show, closing and shutdown -------------------------------------------

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!firstShow_) return;
  firstShow_ = false;
  FormShow();
}

void TFormMain::FormShow() {
  config_ = std::make_unique<RConfig>();
  config_->SetFileName(directory_ + kConfigFileName);
  config_->SetMakeFolder(makeConfigFolder_);
  config_->Load();  // a missing file leaves the defaults; a damaged one has said so
  UpdateHistoryMenu();
  SetDialogsConfig(config_.get());
  ApplyWindowState();
  NewWorksheet();
  if (!arguments_.empty()) OpenWorksheet(arguments_.front());
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (!worksheet_ || CloseWorksheet()) {
    Shutdown();
    event->accept();
  } else {
    event->ignore();
  }
}

void TFormMain::MenuExitClick() {
  if (worksheet_ && CloseWorksheet()) Shutdown();
}

void TFormMain::Shutdown() {
  if (config_) {
    StoreWindowState();
    config_->Save();
    if (dictionary_) {
      dictionary_->SaveUserChanges();
      dictionary_->SaveMapping();
    }
    SetDialogsConfig(nullptr);
    config_.reset();
  }
  if (ScrollBox) ScrollBox->DeleteAllColumns();
  CurrentPlatform().CloseHelp();
  CurrentPlatform().RequestTerminate();
}

void TFormMain::ApplyWindowState() {
  if (!config_) return;
  // The place to come back to from maximized, too.
  setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
  RestorePlace(*this, QRect(config_->GetWindowLeft(), config_->GetWindowTop(), config_->GetWindowWidth(),
                            config_->GetWindowHeight()));
  if (config_->GetMaximized() != 0) setWindowState(windowState() | Qt::WindowMaximized);
  const int panelWidth = std::max(1, static_cast<int>(config_->GetNumbersPanelWidth()));
  SplitterLeft->setSizes({panelWidth, std::max(1, SplitterLeft->width() - panelWidth)});
  ListNumbers->setColumnWidth(TNumbersModel::ColumnNumber, config_->GetNumberColumnWidth());
  ListNumbers->setColumnWidth(TNumbersModel::ColumnPhrase, config_->GetPhraseColumnWidth());
  ListNumbers->setColumnWidth(TNumbersModel::ColumnDescription, config_->GetDescriptionColumnWidth());
  ShowDescriptionField(config_->GetShowDescription() != 0);
}

void TFormMain::StoreWindowState() {
  if (!config_) return;
  config_->SetMaximized(isMaximized() ? 1 : 0);
  const QRect place = PlaceOf(*this);
  config_->SetWindowLeft(place.left());
  config_->SetWindowTop(place.top());
  config_->SetWindowWidth(place.width());
  config_->SetWindowHeight(place.height());
  config_->SetNumbersPanelWidth(PanelLeft->width());
  config_->SetNumberColumnWidth(ListNumbers->columnWidth(TNumbersModel::ColumnNumber));
  config_->SetPhraseColumnWidth(ListNumbers->columnWidth(TNumbersModel::ColumnPhrase));
  config_->SetDescriptionColumnWidth(ListNumbers->columnWidth(TNumbersModel::ColumnDescription));
}

void TFormMain::ShowDescriptionField(bool shown) {
  if (shown == descriptionShown_) return;
  // The grid closes the row up, so the phrase row moves into its place.
  LabelDescription->setVisible(shown);
  EditDescription->setVisible(shown);
  descriptionShown_ = shown;
}

void TFormMain::SetStatusAlert(const std::string& text) {
  statusHighlight_ = true;
  statusText_ = text;
  StatusPanel->SetText(MessageToQString(text), true);
  StatusPanel->repaint();
}

void TFormMain::SetStatusText(const std::string& text) {
  statusHighlight_ = false;
  statusText_ = text;
  StatusPanel->SetText(MessageToQString(text), false);
}

void TFormMain::SetModified() {
  if (worksheet_) worksheet_->SetModified(true);
}

// --- the numbers list -----------------------------------------------------------

int TFormMain::RowsPerPage() const {
  const int rowHeight = ListNumbers->verticalHeader()->defaultSectionSize();
  return rowHeight > 0 ? ListNumbers->viewport()->height() / rowHeight : 0;
}

int TFormMain::TopRow() const {
  const int row = ListNumbers->rowAt(0);
  return row < 0 ? 0 : row;
}

void TFormMain::ListNumbersSelectItem(int row) {
  if (!worksheet_ || row < 0 || row >= worksheet_->Count()) return;
  currentIndex_ = row;
  currentNumber_ = &worksheet_->At(row);
  UpdateGuard guard(updateDepth_);
  ShowFromStart(EditNumber, ToQString(currentNumber_->Number()));
  ShowFromStart(EditPhrase, ToQString(currentNumber_->Phrase()));
  EditDescription->setText(ToQString(currentNumber_->Description()));
  undoHistory_.Follow(*worksheet_, row);
  if (ScrollBox) {
    ScrollBox->SetCurrentNumber(currentNumber_);
    // Stored words that do not fit (a worksheet file whose phrase does not
    // spell its number) are repaired as the columns are laid out. That is no
    // step: the entry as it stood cannot be shown, and Undo would only bring
    // it back to be repaired again. The next step starts from the repair.
    if (ScrollBox->RebuildColumns()) undoHistory_.Watch(*worksheet_, row);
  }
  FollowEntryInJourney();
}

void TFormMain::SelectNumber(int index, bool focusNumber) {
  if (index >= 0 && index < numbersModel_->Rows()) {
    const QModelIndex at = numbersModel_->index(index, 0);
    ListNumbers->selectionModel()->setCurrentIndex(
        at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ListNumbers->scrollTo(at);
    // Selecting the row that is already selected reports nothing; an entry
    // that is not the current one must still reach the fields.
    if (worksheet_ && index < worksheet_->Count() && currentNumber_ != &worksheet_->At(index))
      ListNumbersSelectItem(index);
  } else {
    ListNumbers->clearSelection();
  }
  if (focusNumber) EditNumber->setFocus();
}

void TFormMain::RebuildNumberList() { numbersModel_->ResetRows(worksheet_ ? worksheet_->Count() : 0); }

void TFormMain::RefreshNumberRow(int index) { numbersModel_->RefreshRows(index, index); }

void TFormMain::SyncNumberRows() {
  if (!worksheet_) return;
  while (worksheet_->Count() < numbersModel_->Rows())
    worksheet_->Insert(std::make_unique<RNumber>(), worksheet_->Count());
  numbersModel_->AppendRows(worksheet_->Count() - numbersModel_->Rows());
  numbersModel_->RefreshRows(0, numbersModel_->Rows() - 1);
}

void TFormMain::MaintainBlankRows() {
  if (!worksheet_ || updateDepth_ > 0) return;
  const int perPage = RowsPerPage();
  if (perPage < kMinimumPageRows) return;
  UpdateGuard guard(updateDepth_);

  int last = worksheet_->Count() - 1;
  while (last >= 0 && worksheet_->At(last).IsEmpty()) --last;
  const int need = last + kBlankRowsAfterLast;

  while (worksheet_->Count() < need || worksheet_->Count() - TopRow() < perPage - 1) {
    worksheet_->Insert(std::make_unique<RNumber>(), worksheet_->Count());
    numbersModel_->AppendRows(1);
  }
  while (worksheet_->Count() > need && worksheet_->Count() - TopRow() >= perPage &&
         worksheet_->At(worksheet_->Count() - 1).IsEmpty()) {
    const int lastRow = worksheet_->Count() - 1;
    const QModelIndexList selected = ListNumbers->selectionModel()->selectedRows();
    const bool lastSelected = !selected.isEmpty() && selected.front().row() == lastRow;
    if (lastSelected || currentIndex_ >= lastRow) SelectNumber(lastRow - 1, false);
    worksheet_->Remove(lastRow);
    numbersModel_->RemoveRowAt(lastRow);
  }
}

void TFormMain::InsertNumber() {
  if (!worksheet_) return;
  const int at = std::clamp(currentIndex_, 0, static_cast<int>(worksheet_->Count()));
  worksheet_->Insert(std::make_unique<RNumber>(), at);
  RebuildNumberList();
  SelectNumber(at, true);
  MaintainBlankRows();
}

void TFormMain::DeleteNumber() {
  if (!worksheet_ || currentIndex_ < 0 || currentIndex_ >= worksheet_->Count()) return;
  if (ScrollBox) ScrollBox->SetCurrentNumber(nullptr);
  currentNumber_ = nullptr;
  int index = currentIndex_;
  worksheet_->Remove(index);
  numbersModel_->RemoveRowAt(index);
  if (worksheet_->Count() == 0) {
    worksheet_->Insert(std::make_unique<RNumber>(), 0);
    numbersModel_->AppendRows(1);
  } else if (index > worksheet_->Count() - 1) {
    --index;
  }
  currentIndex_ = index;
  SelectNumber(index, false);
  MaintainBlankRows();
}

void TFormMain::ClearNumber() {
  if (!worksheet_ || !currentNumber_) return;
  currentNumber_->SetNumber(std::string());
  currentNumber_->SetPhrase(std::string());
  currentNumber_->SetDescription(std::string());
  while (currentNumber_->SlotCount() > 0) currentNumber_->DeleteSlot(currentNumber_->SlotCount() - 1);
  RebuildNumberList();
  SelectNumber(currentIndex_, true);
}

void TFormMain::CommitNumber() {
  if (!worksheet_ || !currentNumber_ || !ScrollBox) return;
  if (ScrollBox->CommitNumber(FromQString(EditNumber->text()))) {
    SetModified();
    MaintainBlankRows();
  }
  RefreshNumberRow(currentIndex_);
  RecordEntryStep("Enter Number");
  FollowEntryInJourney();
  // The field's own typing is in the step now: Ctrl+Z there takes the whole
  // entry back at once rather than the keystrokes one by one. The number
  // shows from its beginning, as when it is loaded.
  ShowFromStart(EditNumber, EditNumber->text());
}

void TFormMain::ButtonGoClick() {
  if (EditNumber->text().isEmpty()) {
    ShowNotice("Please enter a number before pressing the Go button.");
    return;
  }
  CommitNumber();
}

void TFormMain::EditDescriptionChange() {
  if (!worksheet_ || updateDepth_ > 0 || !currentNumber_) return;
  const bool wasEmpty = currentNumber_->IsEmpty();
  currentNumber_->SetDescription(FromQString(EditDescription->text()));
  RefreshNumberRow(currentIndex_);
  SetModified();
  // A blank row that just got a description is used now: keep blank rows after it.
  if (wasEmpty && !currentNumber_->IsEmpty()) MaintainBlankRows();
  RecordEntryStep("Type Description", descriptionVisit_);
  // The step holds the typing, so Ctrl+Z takes it back there, as the menu
  // does. Kept in the field as well, it would go its own way: the field
  // forgets its typing when a step reloads it, and Redo had lost it.
  ForgetTyping(EditDescription);
}

void TFormMain::ListNumbersDblClick() { EditNumber->setFocus(); }

void TFormMain::FindNumber() {
  if (!worksheet_ || worksheet_->Count() == 0) return;
  const RFindRequest request{DialogFind->FindText(), DialogFind->MatchCase(), DialogFind->WholeWord(),
                             DialogFind->Down()};
  ShowStatus(std::string());
  bool wrapped = false;
  const int found = FindEntry(*worksheet_, std::clamp(currentIndex_, 0, worksheet_->Count() - 1), request, wrapped);
  if (wrapped) ShowStatusAlert("Search wrapped.");
  if (found >= 0)
    SelectNumber(found, false);
  else
    ShowStatusAlert("Not found.");
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditDescription && event->type() == QEvent::FocusIn) NoteDescriptionFocus(event);
  if (watched == ListNumbers->viewport() && event->type() == QEvent::Resize) {
    MaintainBlankRows();  // ListNumbersResize
  } else if (watched == EditPhrase && event->type() == QEvent::MouseButtonRelease &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
             EditPhrase->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
    EditPhraseClick();
  } else if (watched == EditNumber && event->type() == QEvent::KeyPress &&
             static_cast<QKeyEvent*>(event)->keyCombination() == QKeyCombination(Qt::Key_Down) && ScrollBox &&
             currentNumber_ && FromQString(EditNumber->text()) == currentNumber_->Number()) {
    // Down from the number entered goes on to the words for it.
    if (ScrollBox->FocusFirstWordList()) return true;
  } else if (event->type() == QEvent::ShortcutOverride &&
             (watched == EditNumber || watched == EditDescription || watched == EditPhrase)) {
    // The menu's keys win over the field's own (Ctrl+Insert inserts a
    // number, it does not copy); the clipboard keys land on the field anyway.
    // Undo and Redo go to the field while it has typing to take back or again.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
      return !FieldTakesUndoKey(static_cast<QLineEdit*>(watched), key) || QMainWindow::eventFilter(watched, event);
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const QAction* command : commands_)
      if (!command->shortcut().isEmpty() && command->shortcut() == pressed) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

// --- commands -------------------------------------------------------------------

QLineEdit* TFormMain::FocusedEdit() const {
  QWidget* focus = QApplication::focusWidget();
  if (focus == EditNumber || focus == EditDescription || focus == EditPhrase) return static_cast<QLineEdit*>(focus);
  return nullptr;
}

void TFormMain::MenuCutClick() {
  QLineEdit* edit = FocusedEdit();
  if (edit && !edit->isReadOnly()) edit->cut();
}

void TFormMain::MenuCopyClick() {
  if (QLineEdit* edit = FocusedEdit()) edit->copy();
}

void TFormMain::MenuPasteClick() {
  QLineEdit* edit = FocusedEdit();
  if (edit && !edit->isReadOnly()) edit->paste();
}

void TFormMain::MenuDeleteClick() {
  QLineEdit* edit = FocusedEdit();
  if (edit && !edit->isReadOnly() && edit->hasSelectedText()) edit->del();
}

void TFormMain::MenuFindClick() { DialogFind->Open(); }

void TFormMain::MenuFindAgainClick() {
  if (DialogFind->FindText().empty())
    DialogFind->Open();
  else
    FindNumber();
}

void TFormMain::MenuInsertNumberClick() {
  if (!worksheet_) return;
  InsertNumber();
  SetModified();
  RecordInsertStep();
}

void TFormMain::MenuDeleteNumberClick() {
  if (!worksheet_) return;
  const bool deletes = currentNumber_ && currentIndex_ >= 0 && currentIndex_ < worksheet_->Count();
  const RNumber deleted = deletes ? *currentNumber_ : RNumber();
  const int at = currentIndex_;
  DeleteNumber();
  SetModified();
  if (deletes) RecordDeleteStep(at, deleted);
}

void TFormMain::MenuMoveUpClick() {
  if (!worksheet_ || currentIndex_ <= 0 || currentIndex_ >= worksheet_->Count()) return;
  const int to = currentIndex_ - 1;
  worksheet_->Insert(worksheet_->Remove(currentIndex_), to);
  RebuildNumberList();
  SelectNumber(to, false);
  SetModified();
  RecordMoveStep("Move Up", to + 1, to);
}

void TFormMain::MenuMoveDownClick() {
  if (!worksheet_ || currentIndex_ < 0 || currentIndex_ >= worksheet_->Count() - 1) return;
  const int to = currentIndex_ + 1;
  worksheet_->Insert(worksheet_->Remove(currentIndex_), to);
  RebuildNumberList();
  SelectNumber(to, false);
  SetModified();
  RecordMoveStep("Move Down", to - 1, to);
}

void TFormMain::MenuClearClick() {
  ClearNumber();
  RecordEntryStep("Clear Number");
}

void TFormMain::MenuRandomClick() {
  if (FormRandom) AcceptProposedPhrase(*FormRandom);
}

// The chosen best phrase goes into the entry the way an accepted random
// phrase does.
void TFormMain::MenuBestPhrasesClick() {
  if (FormBest) AcceptProposedPhrase(*FormBest);
}

void TFormMain::AcceptProposedPhrase(TPhraseProposal& dialog) {
  if (!worksheet_ || !currentNumber_) return;
  // An empty number is taken too: it clears the entry's digits and words.
  CommitNumber();
  if (EditNumber->text().isEmpty()) {
    ShowNotice("Please enter a number first.");
    EditNumber->setFocus();
    return;
  }
  dialog.Prepare(FromQString(EditNumber->text()), currentNumber_->Digits());
  if (CurrentPlatform().RunModal(&dialog) != ResultOk) return;
  dialog.ApplyPhraseTo(*currentNumber_);
  // Selecting the row afresh loads the entry into the fields and lays out
  // its columns.
  RebuildNumberList();
  SelectNumber(currentIndex_, true);
  SetModified();
  RecordEntryStep("Accept Phrase");
}

void TFormMain::MenuEditPhraseClick() {
  if (!worksheet_ || !currentNumber_ || !FormEditPhrase || !ScrollBox) return;
  if (EditNumber->text().isEmpty()) {
    ShowNotice("Please enter a number before editing a phrase.");
    EditNumber->setFocus();
    return;
  }
  // A number typed but not yet taken is checked as typed.
  if (FromQString(EditNumber->text()) != currentNumber_->Number()) CommitNumber();
  FormEditPhrase->PrepareEditPhrase(FromQString(EditPhrase->text()), FromQString(EditNumber->text()));
  // Words added or recoded before the user gave up stay in the dictionary,
  // in the step as well.
  ChangeDictionary("Edit Phrase", [this] {
    if (CurrentPlatform().RunModal(FormEditPhrase) != ResultOk) return;
    const bool dictionaryChanged = FormEditPhrase->DictionaryChanged();
    FormEditPhrase->ApplyAcceptedPhrase(*currentNumber_);
    ShowFromStart(EditPhrase, ToQString(currentNumber_->Phrase()));
    // The strip forgets the codes it knew before it lays the columns out.
    if (dictionaryChanged) ScrollBox->ValidateSlots();
    ScrollBox->RebuildColumns();
    if (dictionaryChanged) ScrollBox->RefillColumns();
    RefreshNumberRow(currentIndex_);
    SetModified();
  });
}

void TFormMain::EditPhraseClick() { MenuEditPhraseClick(); }

void TFormMain::MenuPreferencesClick() {
  if (FormOptions) CurrentPlatform().RunModal(FormOptions);
  // Whatever the result: Cancel leaves the record, and so the field, as it was.
  if (config_) ShowDescriptionField(config_->GetShowDescription() != 0);
}

void TFormMain::MenuHelpTopicsClick() { CurrentPlatform().ShowHelp(0); }

void TFormMain::MenuTipClick() {
  if (FormTips) CurrentPlatform().RunModal(FormTips);
}

void TFormMain::MenuCompanyHomepageClick() { CurrentPlatform().OpenUrl(kCompanyHomepage); }

void TFormMain::MenuProductHomepageClick() { CurrentPlatform().OpenUrl(kProductHomepage); }

void TFormMain::MenuAboutClick() {
  if (FormAbout) CurrentPlatform().RunModal(FormAbout);
}

}  // namespace tq
