#include "FormDict.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

#include "Codec.h"
#include "FileIO.h"
#include "FormQuestion.h"
#include "Messages.h"
#include "Paths.h"
#include "RConfig.h"
#include "RDictionary.h"
#include "Text.h"
#include "Widgets.h"
#include "WindowPlace.h"
#include "TextGuard.h"
#include "WordList.h"

namespace tq {

// A list that holds only its row count and asks the dialog for a row's texts
// when the view draws it; the dictionary can hold tens of thousands of rows.
class TDictListModel final : public QAbstractTableModel {
 public:
  using RowText = std::function<QString(int row, int column)>;

  TDictListModel(QStringList headers, RowText rowText, QObject* parent)
      : QAbstractTableModel(parent), headers_(std::move(headers)), rowText_(std::move(rowText)) {}

  void SetRowCount(int rows) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
  }
  // Brackets a change of the rows' data that adds one row at row.
  void BeginInsertRow(int row) { beginInsertRows(QModelIndex(), row, row); }
  void EndInsertRow() {
    ++rows_;
    endInsertRows();
  }
  void RowChanged(int row) { emit dataChanged(index(row, 0), index(row, columnCount() - 1)); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
    return rowText_(index.row(), index.column());
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headers_.size())
      return {};
    return headers_[section];
  }

 private:
  QStringList headers_;
  RowText rowText_;
  int rows_ = 0;
};

namespace {

constexpr const char* kTextFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";

// The rows selected in a list, below count, in ascending order. When there
// are none, the user is told to select a word before pressing the button.
std::vector<int> SelectedRows(const QTableView* list, std::size_t count, const std::string& button) {
  std::vector<int> rows;
  for (const QModelIndex& index : list->selectionModel()->selectedRows())
    if (static_cast<std::size_t>(index.row()) < count) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  if (rows.empty()) ShowNotice("Select a word before pressing the " + button + " button.");
  return rows;
}

// The first row whose word is not less than word: where word belongs.
std::size_t RowPositionFor(const std::vector<std::string>& words, const std::string& word) {
  return static_cast<std::size_t>(std::find_if(words.begin(), words.end(),
                                               [&](const std::string& w) { return !(w < word); }) -
                                  words.begin());
}

bool IsEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

}  // namespace

TFormDict::TFormDict(RDictionary& dictionary, QWidget* parent) : QDialog(parent), dictionary_(dictionary) {
  setObjectName("FormDict");
  setWindowTitle(QStringLiteral("Dictionary"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  DialogOpen.title = "Import Dictionary";
  DialogOpen.filter = kTextFilter;
  DialogOpen.defaultExtension = "txt";
  DialogSave.title = "Export Dictionary";
  DialogSave.filter = kTextFilter;
  DialogSave.defaultExtension = "txt";

  TabsDict = new QTabWidget(this);
  TabsDict->setObjectName("TabsDict");

  // --- the "Dictionary" page ---
  TabDict = new QWidget;
  TabDict->setObjectName("TabDict");
  LabelFind = new QLabel(QStringLiteral("Text to Find:"), TabDict);
  LabelFind->setObjectName("LabelFind");
  EditFind = new QLineEdit(TabDict);
  EditFind->setObjectName("EditFind");
  GuardTextField(EditFind);
  // Enter belongs to the edit box and the lists, never to a default button.
  ButtonFind = MakeButton("ButtonFind", "&Find", TabDict, AutoDefault::No);

  GroupOptions = new QGroupBox(QStringLiteral("Options"), TabDict);
  GroupOptions->setObjectName("GroupOptions");
  RadioStart = new QRadioButton(QStringLiteral("Find words starting with text"), GroupOptions);
  RadioStart->setObjectName("RadioStart");
  RadioStart->setChecked(true);
  RadioContain = new QRadioButton(QStringLiteral("Find words containing text"), GroupOptions);
  RadioContain->setObjectName("RadioContain");
  auto* optionsLayout = new QVBoxLayout(GroupOptions);
  optionsLayout->addWidget(RadioStart);
  optionsLayout->addWidget(RadioContain);

  dictModel_ = new TDictListModel({QStringLiteral("Word"), QStringLiteral("Code")},
                                 [this](int row, int column) { return ListDictData(row, column); }, this);
  ListDict = new QTableView(TabDict);
  ListDict->setObjectName("ListDict");
  SetUpReportList(ListDict, dictModel_, QAbstractItemView::ExtendedSelection);
  ListDict->setColumnWidth(0, 150);
  ListDict->setMinimumSize(260, 230);

  ButtonAdd = MakeButton("ButtonAdd", "&Add...", TabDict, AutoDefault::No);
  ButtonRemove = MakeButton("ButtonRemove", "&Remove", TabDict, AutoDefault::No);
  ButtonEdit = MakeButton("ButtonEdit", "Edit &Code...", TabDict, AutoDefault::No);
  ButtonImport = MakeButton("ButtonImport", "&Import...", TabDict, AutoDefault::No);
  ButtonExport = MakeButton("ButtonExport", "&Export...", TabDict, AutoDefault::No);
  LabelCount = new QLabel(TabDict);
  LabelCount->setObjectName("LabelCount");

  auto* findRow = new QHBoxLayout;
  findRow->addWidget(LabelFind);
  findRow->addWidget(EditFind, 1);
  findRow->addWidget(ButtonFind);
  auto* side = new QVBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(ButtonAdd), static_cast<QWidget*>(ButtonRemove),
                     static_cast<QWidget*>(ButtonEdit), static_cast<QWidget*>(ButtonImport),
                     static_cast<QWidget*>(ButtonExport), static_cast<QWidget*>(LabelCount)})
    side->addWidget(w);
  side->addStretch(1);
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(ListDict, 1);
  listRow->addLayout(side);
  auto* dictPage = new QVBoxLayout(TabDict);
  dictPage->addLayout(findRow);
  dictPage->addWidget(GroupOptions);
  dictPage->addLayout(listRow, 1);
  TabsDict->addTab(TabDict, QStringLiteral("Dictionary"));

  // --- the "Removed Words" page ---
  TabRemoved = new QWidget;
  TabRemoved->setObjectName("TabRemoved");
  removedModel_ = new TDictListModel({QStringLiteral("Word")},
                                    [this](int row, int column) { return ListRemovedData(row, column); }, this);
  ListRemoved = new QTableView(TabRemoved);
  ListRemoved->setObjectName("ListRemoved");
  SetUpReportList(ListRemoved, removedModel_, QAbstractItemView::ExtendedSelection);
  ButtonUndelete = MakeButton("ButtonUndelete", "&Undelete", TabRemoved, AutoDefault::No);
  auto* removedSide = new QVBoxLayout;
  removedSide->addWidget(ButtonUndelete);
  removedSide->addStretch(1);
  auto* removedPage = new QHBoxLayout(TabRemoved);
  removedPage->addWidget(ListRemoved, 1);
  removedPage->addLayout(removedSide);
  TabsDict->addTab(TabRemoved, QStringLiteral("Removed Words"));

  // --- under the pages ---
  ButtonOk = MakeButton("ButtonOk", "&OK", this, AutoDefault::No);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", this, AutoDefault::No);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(ButtonOk);
  bottom->addWidget(ButtonHelp);
  auto* top = new QVBoxLayout(this);
  top->addWidget(TabsDict, 1);
  top->addLayout(bottom);
  // A fixed dialog border: the window keeps the size its layout asks for.
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(ButtonFind, &QPushButton::clicked, this, [this] { ButtonFindClick(); });
  connect(ButtonAdd, &QPushButton::clicked, this, [this] { ButtonAddClick(); });
  connect(ButtonRemove, &QPushButton::clicked, this, [this] { ButtonRemoveClick(); });
  connect(ButtonEdit, &QPushButton::clicked, this, [this] { ButtonEditClick(); });
  connect(ButtonImport, &QPushButton::clicked, this, [this] { ButtonImportClick(); });
  connect(ButtonExport, &QPushButton::clicked, this, [this] { ButtonExportClick(); });
  connect(ButtonUndelete, &QPushButton::clicked, this, [this] { ButtonUndeleteClick(); });
  connect(ButtonOk, &QPushButton::clicked, this, [this] { ButtonOkClick(); });
  connect(ButtonHelp, &QPushButton::clicked, this, [this] { ButtonHelpClick(); });
  connect(ListDict, &QAbstractItemView::doubleClicked, this, [this] { ButtonEditClick(); });
  connect(ListRemoved, &QAbstractItemView::doubleClicked, this, [this] { ButtonUndeleteClick(); });
  // Under the rows too, where the answer is that nothing is selected.
  OnEmptyAreaDoubleClick(*ListDict, [this] { ButtonEditClick(); });
  OnEmptyAreaDoubleClick(*ListRemoved, [this] { ButtonUndeleteClick(); });
  connect(TabsDict, &QTabWidget::currentChanged, this, [this](int index) {
    if (TabsDict->widget(index) == TabRemoved) TabRemovedShow();
  });
  EditFind->installEventFilter(this);
  ListDict->installEventFilter(this);
  ListRemoved->installEventFilter(this);
}

TFormDict::~TFormDict() = default;

// --- showing and closing -------------------------------------------------------

void TFormDict::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFormDict::FormShow() {
  TabsDict->setCurrentWidget(TabDict);
  EditFind->setFocus();
  dictChanged = false;
  foundWords.clear();
  foundCodes.clear();
  dictModel_->SetRowCount(0);
  LabelCount->clear();
}

void TFormDict::FormClose() {
  foundWords.clear();
  foundCodes.clear();
  dictModel_->SetRowCount(0);
}

void TFormDict::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TFormDict::reject() { done(ResultCancel); }

void TFormDict::ButtonOkClick() { done(ResultOk); }

void TFormDict::ButtonHelpClick() { CurrentPlatform().ShowHelp(kHelpContext); }

void TFormDict::keyPressEvent(QKeyEvent* event) {
  // Esc is the OK button here: the changes are already made, there is
  // nothing to cancel.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    ButtonOkClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TFormDict::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (watched == EditFind && IsEnter(key)) {
    ButtonFindClick();
    return true;
  }
  if (watched == ListDict && key->key() == Qt::Key_Delete) {
    ButtonRemoveClick();
    return true;
  }
  if (watched == ListDict && IsEnter(key)) {
    ButtonEditClick();
    return true;
  }
  if (watched == ListRemoved && IsEnter(key)) {
    ButtonUndeleteClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// --- the rows ------------------------------------------------------------------

QString TFormDict::ListDictData(int row, int column) const {
  const auto i = static_cast<std::size_t>(row);
  if (i >= foundWords.size()) return {};
  return ToQString(column == 0 ? foundWords[i] : foundCodes[i]);
}

QString TFormDict::ListRemovedData(int row, int column) const {
  if (column != 0 || row >= dictionary_.RemovedCount()) return {};
  return ToQString(dictionary_.RemovedAt(row));
}

void TFormDict::UpdateLabelCount() {
  LabelCount->setText(ToQString(CountOf(dictModel_->rowCount(), "word")));
}

void TFormDict::InsertFoundWord(int position) {
  const std::string& word = dictionary_.WordAt(position);
  const std::size_t row = RowPositionFor(foundWords, word);
  dictModel_->BeginInsertRow(static_cast<int>(row));
  foundWords.insert(foundWords.begin() + static_cast<std::ptrdiff_t>(row), word);
  foundCodes.insert(foundCodes.begin() + static_cast<std::ptrdiff_t>(row), dictionary_.CodeAt(position));
  dictModel_->EndInsertRow();
}

void TFormDict::RememberDirectoryOf(const std::string& path) {
  const std::string directory = DirectoryOf(path);
  if (config_ && !directory.empty() && DirectoryExists(directory)) config_->SetLastDirectory(directory);
}

bool TFormDict::ConfirmDelete(const std::string& text) {
  if (!question_) question_ = new TFormQuestion(this);
  // Without the record every question is asked; "Don't ask me again" then
  // has nothing to switch off.
  RConfig scratch;
  RConfig& config = config_ ? *config_ : scratch;
  return question_->Ask(config, TFormQuestion::Preference::AskDelete, text, false) == ResultYes;
}

// --- the buttons ---------------------------------------------------------------

void TFormDict::ButtonFindClick() {
  if (EditFind->text().isEmpty()) return;
  BusyCursor busy;
  // Let the busy cursor show before a search through every word.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  const std::string text = ToLower1252(FromQString(EditFind->text()));
  const int count = dictionary_.FindWords(text, foundWords, foundCodes, RadioStart->isChecked() ? 0 : 1);
  dictModel_->SetRowCount(count);
  UpdateLabelCount();
}

void TFormDict::ButtonAddClick() {
  std::string answer;
  if (!CurrentPlatform().InputBox("Add Word", "Enter a word to add to the dictionary.", answer) || answer.empty())
    return;
  // A word typed or pasted with blanks or punctuation around it means the
  // word itself.
  const std::string word = dictionary_.WordMeant(answer);
  if (word.empty()) return;
  BusyCursor busy;
  const int position = dictionary_.AddWord(word);
  if (position == -1) ShowNotice("Word '" + word + "' already exists in dictionary.");
  if (position < 0) return;
  dictChanged = true;
  // Shown whether or not it matches the search, so the user sees it went in.
  InsertFoundWord(position);
  UpdateLabelCount();
}

void TFormDict::ButtonRemoveClick() {
  const std::vector<int> rows = SelectedRows(ListDict, foundWords.size(), "Remove");
  if (rows.empty()) return;
  std::string text = rows.size() == 1 ? "Delete word '" + foundWords[static_cast<std::size_t>(rows[0])] + "'?"
                                      : "Delete " + CountOf(rows.size(), "word") + "?";
  // The phrases that use the words lose them at once: say how many before
  // the user decides.
  if (phrasesUsing_) {
    std::vector<std::string> words;
    for (int row : rows) words.push_back(foundWords[static_cast<std::size_t>(row)]);
    const int used = phrasesUsing_(words);
    if (used > 0)
      text += std::string(rows.size() == 1 ? " It is" : " They are") + " used in " + CountOf(used, "phrase") +
              " of the open worksheet, which will lose " + (rows.size() == 1 ? "it." : "them.");
  }
  if (!ConfirmDelete(text)) return;
  BusyCursor busy;
  dictChanged = true;
  // From the last row up, so the rows still to come keep their numbers.
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    const auto i = static_cast<std::ptrdiff_t>(*it);
    dictionary_.RemoveWord(foundWords[static_cast<std::size_t>(i)]);
    foundWords.erase(foundWords.begin() + i);
    foundCodes.erase(foundCodes.begin() + i);
  }
  dictModel_->SetRowCount(static_cast<int>(foundWords.size()));
  UpdateLabelCount();
}

void TFormDict::ButtonEditClick() {
  const std::vector<int> rows = SelectedRows(ListDict, foundWords.size(), "Edit Code");
  if (rows.empty()) return;
  const auto i = static_cast<std::size_t>(rows[0]);
  const std::string word = foundWords[i];
  const std::string code = foundCodes[i];
  // A cancelled box leaves the answer at the current code: nothing changes.
  std::string answer = code;
  CurrentPlatform().InputBox("Edit Code", "Enter code for word: " + word, answer);
  answer = std::string(TrimBlanks(answer));
  if (answer == code) return;
  if (dictionary_.EditCode(word, answer) != 0) return;
  dictChanged = true;
  foundCodes[i] = answer;
  dictModel_->RowChanged(static_cast<int>(i));
  UpdateLabelCount();
}

void TFormDict::ButtonImportClick() {
  DialogOpen.initialDirectory = config_ ? config_->GetLastDirectory() : std::string();
  const std::string path = CurrentPlatform().OpenFileName(DialogOpen);
  if (path.empty()) return;
  std::string text;
  std::string reason;
  switch (ReadFileUpTo(path, RDictionary::kMaxImportFile, text, &reason)) {
    case FileRead::Read:
      break;
    case FileRead::NotAFile:
      ShowError("Error opening file '" + NativeText(path) + "': " + NativeText(reason) + ".");
      return;
    case FileRead::Missing:
    case FileRead::Unreadable:
      ShowError("Error opening file '" + NativeText(path) + "'.");
      return;
  }
  if (text.size() > RDictionary::kMaxImportFile) {
    ShowError("The file '" + NativeText(path) + "' is larger than " + std::to_string(RDictionary::kMaxImportFile >> 20) +
              " MB: no words were imported.");
    return;
  }
  int count = 0;
  int skipped = 0;
  {
    BusyCursor busy;
    // The new words are gathered and merged into the rows once at the end:
    // a large list inserted row by row would move the rows once per word.
    std::vector<std::pair<std::string, std::string>> added;
    LineCursor lines(SkipByteOrderMark(text));
    std::string_view line;
    while (lines.Next(line)) {
      const std::string word = ToLower1252(TrimBlanks(line));
      if (word.empty()) continue;
      // A line that is not one word is counted and reported once at the end,
      // not with a message for each line.
      if (!WordProblem(word).empty()) {
        ++skipped;
        continue;
      }
      const int position = dictionary_.AddWord(word);
      if (position < 0) continue;
      dictChanged = true;
      added.emplace_back(word, dictionary_.CodeAt(position));
      ++count;
    }
    std::stable_sort(added.begin(), added.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> words;
    std::vector<std::string> codes;
    words.reserve(foundWords.size() + added.size());
    codes.reserve(foundWords.size() + added.size());
    std::size_t f = 0;
    for (auto& [word, code] : added) {
      // Each new word goes before the first row that is not less than it.
      while (f < foundWords.size() && foundWords[f] < word) {
        words.push_back(std::move(foundWords[f]));
        codes.push_back(std::move(foundCodes[f]));
        ++f;
      }
      words.push_back(std::move(word));
      codes.push_back(std::move(code));
    }
    for (; f < foundWords.size(); ++f) {
      words.push_back(std::move(foundWords[f]));
      codes.push_back(std::move(foundCodes[f]));
    }
    foundWords = std::move(words);
    foundCodes = std::move(codes);
    dictModel_->SetRowCount(static_cast<int>(foundWords.size()));
    // The count would otherwise go on showing the rows before the import.
    UpdateLabelCount();
  }
  RememberDirectoryOf(path);
  std::string report = CountOf(count, "word") + " added to the dictionary.";
  if (skipped > 0)
    report += " " + CountOf(skipped, "line") + (skipped == 1 ? " was" : " were") +
              " skipped, since a word must be one word without blanks, with a letter, at most " +
              std::to_string(RDictionary::kMaxWordLength) + " letters long, and must not begin with '#' or a dot.";
  ShowNotice(report);
}

bool TFormDict::WriteExport(const std::string& path) { return WriteWordList(path, foundWords); }

void TFormDict::ButtonExportClick() {
  DialogSave.initialDirectory = config_ ? config_->GetLastDirectory() : std::string();
  const std::string path = CurrentPlatform().SaveFileName(DialogSave);
  if (path.empty()) return;
  bool write = true;
  if (FileExists(path)) write = AskOverwrite(path);
  if (write) WriteExport(path);
  RememberDirectoryOf(path);
}

void TFormDict::ButtonUndeleteClick() {
  const std::vector<int> rows =
      SelectedRows(ListRemoved, static_cast<std::size_t>(dictionary_.RemovedCount()), "Undelete");
  if (rows.empty()) return;
  const std::string text = rows.size() == 1 ? "Undelete word '" + dictionary_.RemovedAt(rows[0]) + "'?"
                                            : "Undelete " + CountOf(rows.size(), "word") + "?";
  if (!ConfirmDelete(text)) return;
  BusyCursor busy;
  // Adding a word takes it off the removed list; from the last row up, the
  // rows still to come keep their numbers.
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    const std::string word = dictionary_.RemovedAt(*it);
    dictionary_.AddWord(word);
    dictChanged = true;
  }
  removedModel_->SetRowCount(dictionary_.RemovedCount());
}

void TFormDict::TabRemovedShow() { removedModel_->SetRowCount(dictionary_.RemovedCount()); }

}  // namespace tq
