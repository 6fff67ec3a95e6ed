#include "FormMyPegs.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

#include "AtomicFile.h"
#include "Codec.h"
#include "FormBest.h"
#include "Messages.h"
#include "Paths.h"
#include "PegSystem.h"
#include "Platform.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "Text.h"
#include "TextGuard.h"
#include "Widgets.h"

namespace tq {
namespace {

constexpr const char* kPegsFilter = "Text Files (*.txt)|*.txt|All Files|*.*";

// The peg's words each with its picture mark, as the Best Phrases dialog
// marks a phrase's words; an uncovered digit shows its dot.
QString MarkedWords(const RDictionary& dictionary, const std::vector<std::string>& pegWords) {
  QString text;
  for (const std::string& slot : pegWords) {
    if (!text.isEmpty()) text += QStringLiteral("  ");
    if (IsUncoveredSlot(slot)) {
      text += ToQString(WordOfSlot(slot));
      continue;
    }
    const int position = dictionary.FindWord(slot);
    text += PictureMark(position >= 0 && dictionary.IsPicturableEntry(dictionary.EntryAt(position))) +
            QLatin1Char(' ') + ToQString(slot);
  }
  return text;
}

}  // namespace

// The rows of the list: one per number of the length shown, made as the
// view asks for them.
class TMyPegsModel final : public QAbstractTableModel {
 public:
  enum Column { ColumnNumber, ColumnPeg, ColumnYours, ColumnTwice, ColumnCount };

  TMyPegsModel(const RDictionary& dictionary, QObject* parent) : QAbstractTableModel(parent), dictionary_(dictionary) {}

  // New rows. For as many rows as before, the view keeps its place.
  void SetRows(const std::vector<RPeg>* rows, std::vector<bool> own, std::vector<int> twice) {
    const bool same = rows_ && rows_->size() == rows->size();
    if (!same) beginResetModel();
    rows_ = rows;
    own_ = std::move(own);
    twice_ = std::move(twice);
    if (!same) endResetModel();
    else if (!rows_->empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
  }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() || !rows_ ? 0 : static_cast<int>(rows_->size());
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : ColumnCount;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const RPeg& peg = (*rows_)[row];
    switch (index.column()) {
      case ColumnNumber:
        return QString::fromLatin1(peg.number.c_str());
      case ColumnPeg:
        return MarkedWords(dictionary_, peg.words);
      case ColumnYours:
        return own_[row] ? QStringLiteral("yours") : QString();
      case ColumnTwice:
        return twice_[row] < 0 ? QString()
                               : QStringLiteral("also ") +
                                     QString::fromLatin1((*rows_)[static_cast<std::size_t>(twice_[row])].number.c_str());
      default:
        return {};
    }
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    static const char* const kHeaders[] = {"Number", "Peg", "Yours", "Used twice"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kHeaders[section]) : QVariant();
  }

 private:
  const RDictionary& dictionary_;
  const std::vector<RPeg>* rows_ = nullptr;
  std::vector<bool> own_;
  std::vector<int> twice_;
};

TFormMyPegs::TFormMyPegs(RDictionary& dictionary, QWidget* parent)
    : QDialog(parent), dictionary_(dictionary), check_(dictionary), model_(new TMyPegsModel(dictionary, this)) {
  setObjectName("FormMyPegs");
  setWindowTitle(QStringLiteral("My Pegs"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  auto* labelDigits = new QLabel(QStringLiteral("&Numbers of:"), this);
  ComboDigits = new QComboBox(this);
  ComboDigits->setObjectName("ComboDigits");
  ComboDigits->addItems({QStringLiteral("one digit (0 to 9)"), QStringLiteral("two digits (00 to 99)"),
                         QStringLiteral("three digits (000 to 999)")});
  labelDigits->setBuddy(ComboDigits);
  LabelSummary = new QLabel(this);
  LabelSummary->setObjectName("LabelSummary");

  ListPegs = new QTableView(this);
  ListPegs->setObjectName("ListPegs");
  SetUpReportList(ListPegs, model_, QAbstractItemView::SingleSelection);
  // Fixed widths: sizing a column to its contents would measure every row
  // of a thousand before the dialog could show.
  const int charWidth = ListPegs->fontMetrics().averageCharWidth();
  ListPegs->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ListPegs->setColumnWidth(TMyPegsModel::ColumnNumber, charWidth * 9);
  ListPegs->setColumnWidth(TMyPegsModel::ColumnPeg, charWidth * 26);
  ListPegs->setColumnWidth(TMyPegsModel::ColumnYours, charWidth * 7);
  ListPegs->setMinimumSize(charWidth * 58, ListPegs->verticalHeader()->defaultSectionSize() * 16);

  LabelCandidates = new QLabel(this);
  LabelCandidates->setObjectName("LabelCandidates");
  ListCandidates = new QListWidget(this);
  ListCandidates->setObjectName("ListCandidates");
  ListCandidates->setMinimumWidth(charWidth * 22);
  LabelCandidates->setBuddy(ListCandidates);
  auto* labelPeg = new QLabel(QStringLiteral("&Peg:"), this);
  EditPeg = new QLineEdit(this);
  EditPeg->setObjectName("EditPeg");
  GuardTextField(EditPeg);
  labelPeg->setBuddy(EditPeg);
  ButtonSet = MakeButton("ButtonSet", "&Set", this, AutoDefault::No);
  ButtonSet->setToolTip(QStringLiteral("Makes the words typed the peg of the selected number"));
  ButtonSuggested = MakeButton("ButtonSuggested", "S&uggested", this, AutoDefault::No);
  ButtonSuggested->setToolTip(QStringLiteral("Puts the peg list's own peg back for the selected number"));

  ButtonImport = MakeButton("ButtonImport", "&Import...", this, AutoDefault::No);
  ButtonExport = MakeButton("ButtonExport", "&Export...", this, AutoDefault::No);
  ButtonOk = MakeButton("ButtonOk", "OK", this, AutoDefault::No);
  ButtonCancel = MakeButton("ButtonCancel", "Cancel", this, AutoDefault::No);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", this, AutoDefault::No);

  auto* top = new QHBoxLayout;
  top->addWidget(labelDigits);
  top->addWidget(ComboDigits);
  top->addSpacing(charWidth * 2);
  top->addWidget(LabelSummary, 1);
  auto* typed = new QHBoxLayout;
  typed->addWidget(labelPeg);
  typed->addWidget(EditPeg, 1);
  typed->addWidget(ButtonSet);
  auto* side = new QVBoxLayout;
  side->addWidget(LabelCandidates);
  side->addWidget(ListCandidates, 1);
  side->addLayout(typed);
  side->addWidget(ButtonSuggested, 0, Qt::AlignLeft);
  auto* middle = new QHBoxLayout;
  middle->addWidget(ListPegs, 3);
  middle->addLayout(side, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonImport);
  buttons->addWidget(ButtonExport);
  buttons->addStretch();
  buttons->addWidget(ButtonOk);
  buttons->addWidget(ButtonCancel);
  buttons->addWidget(ButtonHelp);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(middle, 1);
  layout->addLayout(buttons);

  connect(ComboDigits, &QComboBox::activated, this, [this](int index) { SetDigits(index + 1); });
  connect(ListPegs->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { ShowCandidates(); });
  connect(ListCandidates, &QListWidget::itemActivated, this, &TFormMyPegs::ListCandidatesActivated);
  connect(EditPeg, &QLineEdit::returnPressed, this, &TFormMyPegs::ButtonSetClick);
  connect(ButtonSet, &QPushButton::clicked, this, &TFormMyPegs::ButtonSetClick);
  connect(ButtonSuggested, &QPushButton::clicked, this, &TFormMyPegs::ButtonSuggestedClick);
  connect(ButtonImport, &QPushButton::clicked, this, &TFormMyPegs::ButtonImportClick);
  connect(ButtonExport, &QPushButton::clicked, this, &TFormMyPegs::ButtonExportClick);
  connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonHelp, &QPushButton::clicked, this, [] { CurrentPlatform().ShowHelp(kHelpContext); });
}

void TFormMyPegs::Prepare(RPegSystem& pegs) {
  pegs_ = &pegs;
  mine_ = pegs.Mine();
  mine_.notices.clear();
  mine_.refused = 0;
  check_.ClearDictionaryChanged();
  SetDigits(digits_);
}

void TFormMyPegs::SetDigits(int digits) {
  if (!pegs_ || digits < 1 || digits > 3) return;
  const bool other = digits != digits_ || rows_.empty();
  digits_ = digits;
  ComboDigits->setCurrentIndex(digits - 1);
  if (other) rows_.clear();
  {
    // The suggested list of three digits takes a moment the first time.
    BusyCursor busy;
    Refresh();
  }
  if (other || CurrentRow() < 0) ListPegs->setCurrentIndex(model_->index(0, 0));
  ShowCandidates();
}

int TFormMyPegs::CurrentRow() const {
  const QModelIndex current = ListPegs->currentIndex();
  return current.isValid() && current.row() < static_cast<int>(rows_.size()) ? current.row() : -1;
}

void TFormMyPegs::Refresh() {
  rows_ = PegsInForce(dictionary_, mine_, pegs_->Suggested(digits_));
  std::vector<bool> own(rows_.size(), false);
  std::size_t owned = 0;
  for (std::size_t k = 0; k < rows_.size(); ++k) {
    const auto* mine = mine_.Find(rows_[k].number);
    own[k] = mine && *mine == rows_[k].words;
    owned += own[k] ? 1 : 0;
  }
  std::vector<int> twice = UsedTwice(rows_);
  const auto shared = static_cast<std::size_t>(std::count_if(twice.begin(), twice.end(), [](int k) { return k >= 0; }));
  model_->SetRows(&rows_, std::move(own), std::move(twice));
  QString summary = QStringLiteral("%1 of the %2 pegs are your own.").arg(owned).arg(rows_.size());
  if (shared > 0) summary += QStringLiteral(" %1 share a word with another peg.").arg(shared);
  LabelSummary->setText(summary);
}

void TFormMyPegs::ShowCandidates() {
  ListCandidates->clear();
  const int row = CurrentRow();
  if (row < 0) {
    LabelCandidates->setText(QStringLiteral("&Words:"));
    EditPeg->clear();
    return;
  }
  const RPeg& peg = rows_[static_cast<std::size_t>(row)];
  LabelCandidates->setText(QStringLiteral("&Words for %1:").arg(QString::fromLatin1(peg.number.c_str())));
  EditPeg->setText(ToQString(peg.Phrase()));
  const std::vector<int> words =
      PegCandidates(dictionary_, peg.number, digits_ == 3 ? &pegs_->Suggested(2) : nullptr);
  for (int position : words) {
    auto* item = new QListWidgetItem(MarkedWords(dictionary_, {dictionary_.WordAt(position)}), ListCandidates);
    item->setData(Qt::UserRole, ToQString(dictionary_.WordAt(position)));
    if (peg.words.size() == 1 && peg.words.front() == dictionary_.WordAt(position)) ListCandidates->setCurrentItem(item);
  }
  if (words.empty()) new QListWidgetItem(QStringLiteral("(no word of its own: type one)"), ListCandidates);
}

void TFormMyPegs::SetOwn(int row, std::vector<std::string> pegWords) {
  mine_.pegs[rows_[static_cast<std::size_t>(row)].number] = std::move(pegWords);
  Refresh();
  ShowCandidates();
}

void TFormMyPegs::ListCandidatesActivated(QListWidgetItem* item) {
  const int row = CurrentRow();
  if (row < 0 || !item || !item->data(Qt::UserRole).isValid()) return;
  SetOwn(row, {FromQString(item->data(Qt::UserRole).toString())});
}

void TFormMyPegs::ButtonSetClick() {
  const int row = CurrentRow();
  if (row < 0) return;
  const std::string number = rows_[static_cast<std::size_t>(row)].number;
  // Checked as Edit Phrase checks a phrase: an unknown word may be added,
  // a word whose code does not fit recoded.
  check_.SetNumber(number);
  if (check_.Check(FromQString(EditPeg->text())) != PhraseCheckResult::Passed) {
    EditPeg->setFocus();
    return;
  }
  const std::vector<std::string> pegWords = check_.WorkNumber().Slots();
  if (const std::string problem = MyPegProblem(dictionary_, number, pegWords); !problem.empty()) {
    ShowNotice("This cannot be the peg of " + number + ": " + problem + ".");
    EditPeg->setFocus();
    return;
  }
  SetOwn(row, pegWords);
}

void TFormMyPegs::ButtonSuggestedClick() {
  const int row = CurrentRow();
  if (row < 0) return;
  mine_.pegs.erase(rows_[static_cast<std::size_t>(row)].number);
  Refresh();
  ShowCandidates();
}

void TFormMyPegs::ButtonImportClick() {
  FileDialogRequest request;
  request.title = "Import Pegs";
  request.filter = kPegsFilter;
  request.defaultExtension = "txt";
  const std::string path = CurrentPlatform().OpenFileName(request);
  if (path.empty()) return;
  RMyPegs read;
  std::string reason;
  switch (ReadMyPegsFile(path, dictionary_, read, &reason)) {
    case MyPegsLoad::Missing:
    case MyPegsLoad::Unreadable:
      ShowError("The file '" + NativeText(path) + "' could not be read" +
                (reason.empty() ? std::string() : " (" + NativeText(reason) + ")") + ".");
      return;
    case MyPegsLoad::Damaged:
      ShowError("The file '" + NativeText(path) + "' is no pegs file: " + reason + ".");
      return;
    case MyPegsLoad::Loaded:
      break;
  }
  for (auto& [number, pegWords] : read.pegs) mine_.pegs[number] = pegWords;
  std::string text = std::to_string(read.pegs.size()) + (read.pegs.size() == 1 ? " peg was" : " pegs were") +
                     " taken from '" + NativeText(path) + "'.";
  if (read.refused > 0) {
    text += " These lines were not:";
    for (const std::string& notice : read.notices) text += "\n" + notice;
    if (read.refused > read.notices.size())
      text += "\n(and " + std::to_string(read.refused - read.notices.size()) + " more)";
  }
  ShowNotice(text);
  Refresh();
  ShowCandidates();
}

void TFormMyPegs::ButtonExportClick() {
  FileDialogRequest request;
  request.title = "Export Pegs";
  request.filter = kPegsFilter;
  request.defaultExtension = "txt";
  request.fileName = kMyPegsFileName;
  const std::string path = CurrentPlatform().SaveFileName(request);
  if (path.empty()) return;
  if (FileExists(path) && !AskOverwrite(path)) return;
  // The list as shown: every number of the length, the user's own and the
  // suggested pegs alike, so that the file is a whole peg system.
  RMyPegs shown;
  for (const RPeg& peg : rows_) shown.pegs[peg.number] = peg.words;
  AtomicFile out(path);
  std::FILE* file = out.OpenOrReport();
  if (!file) return;
  const std::string text = MyPegsText(dictionary_, shown);
  std::fwrite(text.data(), 1, text.size(), file);
  out.CommitOrReport("Error writing to file '" + NativeText(path) + "'. The disk could be full.");
}

}  // namespace tq
