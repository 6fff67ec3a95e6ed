#include "FormBest.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <atomic>

#include "Codec.h"
#include "Platform.h"
#include "RNumber.h"
#include "Widgets.h"
#include "WindowPlace.h"

namespace tq {
namespace {

// One mark per word: filled for a word that has the quality, hollow for one
// that has not, nothing for an uncovered digit. A word that can be pictured
// is what the ranking looks for; whether a word is mostly a noun only breaks
// its ties, so it gets no column of its own.
const QString kCommonMark = QString::fromUtf8("\xE2\x97\x8F");    // black circle
const QString kUncommonMark = QString::fromUtf8("\xE2\x97\x8B");  // white circle
const QString kPicturedMark = QString::fromUtf8("\xE2\x98\x85");  // black star
const QString kAbstractMark = QString::fromUtf8("\xE2\x98\x86");  // white star

QString Marks(const RRankedPhrase& phrase, const std::vector<bool>& has, const QString& yes, const QString& no) {
  QString out;
  for (std::size_t i = 0; i < phrase.words.size(); ++i) {
    if (IsUncoveredWord(phrase.words[i])) continue;
    out += has[i] ? yes : no;
  }
  return out;
}

// At most kLongestShown characters of `text`: its beginning and its end
// around an ellipsis, which is where the list elides a row too wide for it.
QString Shown(const QString& text) {
  const auto longest = static_cast<qsizetype>(TFormBest::kLongestShown);
  if (text.size() <= longest) return text;
  const qsizetype half = (longest - 1) / 2;
  return text.left(half) + QChar(0x2026) + text.right(half);
}

// The same for text of the dictionary, cut before it is converted, so that a
// phrase of a million digits is never converted whole.
QString Shown(std::string_view text) {
  const std::size_t longest = TFormBest::kLongestShown;
  if (text.size() <= longest) return ToQString(std::string(text));
  const std::size_t half = (longest - 1) / 2;
  return ToQString(std::string(text.substr(0, half))) + QChar(0x2026) +
         ToQString(std::string(text.substr(text.size() - half)));
}

QTableWidgetItem* MakeItem(const QString& text, const QString& tip) {
  auto* item = new QTableWidgetItem(Shown(text));
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  if (!tip.isEmpty()) item->setToolTip(Shown(tip));
  return item;
}

// A column beside the phrase is never wider than this many average
// characters; a longer row of marks is elided in the middle.
constexpr int kWidestSideColumn = 24;
// The progress bar counts in thousandths, whatever the number's length.
constexpr int kProgressSteps = 1000;
const QString kSearchingFormat = QStringLiteral("Searching: %p%");
const QString kStoppingFormat = QString::fromUtf8("Stopping\xE2\x80\xA6");

}  // namespace

// What the window and one search share. The search writes `found` before its
// thread ends; the window reads it only after joining the thread.
struct TFormBest::SearchRun {
  unsigned id = 0;
  std::atomic<bool> stop{false};
  std::atomic<std::size_t> done{0};
  std::atomic<std::size_t> total{0};
  // Set while a progress report waits in the window's queue, so that a
  // fast search does not flood it.
  std::atomic<bool> reportQueued{false};
  std::vector<RRankedPhrase> found;
};

QString PictureMark(bool pictured) { return pictured ? kPicturedMark : kAbstractMark; }

TFormBest::TFormBest(RDictionary& dictionary, QWidget* parent) : TPhraseProposal(parent), dictionary_(dictionary) {
  search_ = [this](std::string_view digits, std::size_t count, const SearchProgress& progress) {
    return FindBestPhrases(dictionary_, digits, count, progress);
  };
  setObjectName("FormBest");
  setWindowTitle(QStringLiteral("Best Phrases"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  LabelNumber = new QLabel(QStringLiteral("Number:"), this);
  LabelNumber->setObjectName("LabelNumber");
  EditNumber = new QLineEdit(this);
  EditNumber->setObjectName("EditNumber");
  // The number the phrases are for, not a field to search another one:
  // typing there would look as if it did.
  ShowAsText(EditNumber);

  ListPhrases = new QTableWidget(0, ColumnCount, this);
  ListPhrases->setObjectName("ListPhrases");
  ListPhrases->setHorizontalHeaderLabels(
      {QStringLiteral("Phrase"), QStringLiteral("Words"), QStringLiteral("Common"), QStringLiteral("Pictures")});
  ListPhrases->horizontalHeaderItem(ColumnCommon)->setToolTip(QStringLiteral("One mark per word: filled when common"));
  ListPhrases->horizontalHeaderItem(ColumnPictures)
      ->setToolTip(QStringLiteral("One mark per word: filled for a thing you can picture"));
  ListPhrases->setSelectionMode(QAbstractItemView::SingleSelection);
  ListPhrases->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListPhrases->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListPhrases->setTabKeyNavigation(false);
  ListPhrases->setShowGrid(false);
  ListPhrases->setWordWrap(false);
  // A phrase too long for its row keeps its beginning and its end; the
  // tool tip holds it whole.
  ListPhrases->setTextElideMode(Qt::ElideMiddle);
  ListPhrases->verticalHeader()->hide();
  ListPhrases->horizontalHeader()->setHighlightSections(false);
  ListPhrases->horizontalHeader()->setSectionResizeMode(ColumnPhrase, QHeaderView::Stretch);
  // The other columns are sized to their rows by FitToContents, within a
  // bound, so that a phrase's marks never crowd out the phrase.
  for (int c = 0; c < ColumnCount; ++c)
    if (c != ColumnPhrase) ListPhrases->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Interactive);
  const int charWidth = ListPhrases->fontMetrics().averageCharWidth();
  // Room for a few rows at the least, so that the whole dialog fits on a
  // screen of 640 by 480; it grows to its rows as far as the screen allows.
  ListPhrases->setMinimumSize(charWidth * 72, ListPhrases->verticalHeader()->defaultSectionSize() * 6);

  LabelKey = new QLabel(kCommonMark + QStringLiteral(" common word     ") + kPicturedMark +
                            QStringLiteral(" a thing you can picture     ") + QString(QChar(0xB7)) +
                            QStringLiteral(" digit no word covers"),
                        this);
  LabelKey->setObjectName("LabelKey");

  PanelButtons = new QWidget(this);
  PanelButtons->setObjectName("PanelButtons");
  ProgressSearch = new QProgressBar(PanelButtons);
  ProgressSearch->setObjectName("ProgressSearch");
  ProgressSearch->setFormat(kSearchingFormat);
  ProgressSearch->hide();
  ButtonAccept = MakeButton("ButtonAccept", "&Accept", PanelButtons);
  ButtonCancel = MakeButton("ButtonCancel", "&Cancel", PanelButtons);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", PanelButtons);
  // Enter anywhere in the dialog, the list included, takes the chosen phrase.
  ButtonAccept->setDefault(true);

  auto* fields = new QGridLayout;
  fields->addWidget(LabelNumber, 0, 0);
  fields->addWidget(EditNumber, 0, 1);

  auto* buttons = new QHBoxLayout(PanelButtons);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addWidget(ProgressSearch, 1);
  buttons->addStretch();
  for (QPushButton* button : {ButtonAccept, ButtonCancel, ButtonHelp}) buttons->addWidget(button);

  auto* top = new QVBoxLayout(this);
  top->addLayout(fields);
  top->addWidget(ListPhrases, 1);
  top->addWidget(LabelKey);
  top->addWidget(PanelButtons);

  connect(ButtonAccept, &QPushButton::clicked, this, [this] { ButtonAcceptClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  connect(ButtonHelp, &QPushButton::clicked, this, [this] { ButtonHelpClick(); });
  connect(ListPhrases, &QTableWidget::cellDoubleClicked, this, [this] { ButtonAcceptClick(); });
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  help->setContext(Qt::WindowShortcut);
  connect(help, &QShortcut::activated, this, [this] { ButtonHelpClick(); });
}

TFormBest::~TFormBest() { StopSearch(); }

void TFormBest::SetSearch(BestSearch search) { search_ = std::move(search); }

void TFormBest::Prepare(const std::string& numberText, const std::string& digits) {
  ShowFromStart(EditNumber, Shown(numberText));
  digits_ = digits;
}

std::string TFormBest::Phrase() const {
  const int row = ListPhrases->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= phrases_.size()) return {};
  return phrases_[static_cast<std::size_t>(row)];
}

void TFormBest::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

// A hide of our own (not the window system minimising the dialog) ends the
// showing, whichever way it was closed.
void TFormBest::hideEvent(QHideEvent* event) {
  if (!event->spontaneous()) StopSearch();
  QDialog::hideEvent(event);
}

void TFormBest::FormShow() {
  // Sized before the window manager framed it, the dialog could still hang
  // off the bottom of a small screen, its buttons with it.
  KeepOnScreenOnceFramed(*this);
  StartSearch();
  ListPhrases->setFocus();
}

void TFormBest::StartSearch() {
  StopSearch();
  phrases_.clear();
  ListPhrases->clearContents();
  ListPhrases->setRowCount(0);
  ButtonAccept->setEnabled(false);
  if (digits_.size() <= kSearchAtOnce) {
    ShowPhrases(search_(digits_, kBestPhraseCount, {}));
    return;
  }
  run_ = std::make_unique<SearchRun>();
  run_->id = ++lastRunId_;
  // A busy bar until the search first says how far it has come: it may
  // spend a while preparing before it does.
  ProgressSearch->setRange(0, 0);
  ProgressSearch->show();
  // The thread sees only its own run, its own copy of the digits and the
  // search; it speaks to the window through queued calls, which Qt drops
  // once the window is gone.
  thread_ = std::thread([this, run = run_.get(), search = search_, digits = digits_] {
    const SearchProgress progress = [this, run](std::size_t done, std::size_t total) {
      run->done = done;
      run->total = total;
      if (!run->reportQueued.exchange(true))
        QMetaObject::invokeMethod(this, [this, id = run->id] { SearchProgressed(id); }, Qt::QueuedConnection);
      return !run->stop;
    };
    run->found = search(digits, kBestPhraseCount, progress);
    QMetaObject::invokeMethod(this, [this, id = run->id] { SearchFinished(id); }, Qt::QueuedConnection);
  });
}

void TFormBest::StopSearch() {
  if (thread_.joinable()) {
    run_->stop = true;
    thread_.join();
  }
  run_.reset();
  closing_ = false;
  ButtonCancel->setEnabled(true);
  ProgressSearch->setFormat(kSearchingFormat);
  ProgressSearch->hide();
}

void TFormBest::SearchProgressed(unsigned id) {
  if (!run_ || run_->id != id) return;
  run_->reportQueued = false;
  const std::size_t total = std::max<std::size_t>(run_->total, 1);
  ProgressSearch->setRange(0, kProgressSteps);
  ProgressSearch->setValue(static_cast<int>(std::min(run_->done.load(), total) * kProgressSteps / total));
}

void TFormBest::SearchFinished(unsigned id) {
  if (!run_ || run_->id != id || !thread_.joinable()) return;
  thread_.join();
  const std::unique_ptr<SearchRun> run = std::move(run_);
  if (closing_) {
    done(ResultCancel);
    return;
  }
  ProgressSearch->hide();
  ShowPhrases(run->found);
}

void TFormBest::ShowPhrases(const std::vector<RRankedPhrase>& found) {
  FillList(found);
  FitToContents();
}

void TFormBest::FillList(const std::vector<RRankedPhrase>& found) {
  phrases_.clear();
  for (const RRankedPhrase& p : found) phrases_.push_back(p.phrase);
  ListPhrases->clearContents();
  ListPhrases->setRowCount(static_cast<int>(found.size()));
  for (int row = 0; row < static_cast<int>(found.size()); ++row) {
    const RRankedPhrase& p = found[static_cast<std::size_t>(row)];
    // The tool tip is the whole phrase, however the row is cut.
    const QString phrase = Shown(p.phrase);
    ListPhrases->setItem(row, ColumnPhrase,
                         MakeItem(phrase, p.complete ? phrase
                                                     : phrase + QStringLiteral("\nNo word covers the digits "
                                                                               "marked with a dot")));
    auto* count = MakeItem(QString::number(p.wordCount), {});
    count->setTextAlignment(Qt::AlignCenter);
    ListPhrases->setItem(row, ColumnWords, count);
    ListPhrases->setItem(row, ColumnCommon,
                         MakeItem(Marks(p, p.common, kCommonMark, kUncommonMark),
                                  QStringLiteral("%1 of %2 common").arg(p.commonWords).arg(p.wordCount)));
    ListPhrases->setItem(row, ColumnPictures,
                         MakeItem(Marks(p, p.pictured, kPicturedMark, kAbstractMark),
                                  QStringLiteral("%1 of %2 can be pictured").arg(p.picturable).arg(p.wordCount)));
  }
  if (!phrases_.empty()) ListPhrases->setCurrentCell(0, ColumnPhrase);
  ButtonAccept->setEnabled(!phrases_.empty());
}

void TFormBest::FitToContents() {
  if (QLayout* top = layout()) top->activate();
  QHeaderView* header = ListPhrases->horizontalHeader();
  const int widestSide = ListPhrases->fontMetrics().averageCharWidth() * kWidestSideColumn;
  int listWidth = 2 * ListPhrases->frameWidth();
  for (int c = 0; c < ColumnCount; ++c) {
    // The table hides what every item view offers: the width its rows need.
    const int wanted = std::max(static_cast<const QAbstractItemView*>(ListPhrases)->sizeHintForColumn(c),
                                header->sectionSizeHint(c));
    if (c != ColumnPhrase) ListPhrases->setColumnWidth(c, std::min(wanted, widestSide));
    listWidth += c == ColumnPhrase ? wanted : ListPhrases->columnWidth(c);
  }
  const int listHeight =
      2 * ListPhrases->frameWidth() + header->sizeHint().height() + ListPhrases->verticalHeader()->length();

  // Within the screen the dialog is on, its frame included.
  const QScreen* shownOn = screen();
  if (!shownOn) return;
  const QMargins frame = LikelyFrame(*this);
  const QRect room = shownOn->availableGeometry().marginsRemoved(frame);
  const QSize minimum = minimumSizeHint().expandedTo(minimumSize());
  const int height = std::clamp(this->height() - ListPhrases->height() + listHeight, minimum.height(),
                                std::max(minimum.height(), room.height()));
  // Rows that do not all fit in the height need room for the scroll bar.
  if (height - this->height() + ListPhrases->height() < listHeight)
    listWidth += ListPhrases->verticalScrollBar()->sizeHint().width();
  const int width = std::clamp(this->width() - ListPhrases->width() + listWidth, minimum.width(),
                               std::max(minimum.width(), room.width()));

  // Grown or shrunk about its centre, then moved back onto the screen.
  QRect shape = geometry();
  const QPoint centre = shape.center();
  shape.setSize(QSize(width, height));
  shape.moveCenter(centre);
  shape.moveLeft(std::max(room.left(), std::min(shape.left(), room.right() - shape.width() + 1)));
  shape.moveTop(std::max(room.top(), std::min(shape.top(), room.bottom() - shape.height() + 1)));
  setGeometry(shape);
  // The next showing is centred over the main window again.
  setAttribute(Qt::WA_Moved, false);
}

void TFormBest::ButtonAcceptClick() {
  if (Phrase().empty()) return;
  done(ResultOk);
}

// A search under way stops at its next report, which on a long number can
// take a moment: the dialog stays up, and answers, until it has.
void TFormBest::ButtonCancelClick() {
  if (thread_.joinable()) {
    run_->stop = true;
    closing_ = true;
    ButtonCancel->setEnabled(false);
    ProgressSearch->setFormat(kStoppingFormat);
    return;
  }
  done(ResultCancel);
}

void TFormBest::reject() { ButtonCancelClick(); }

void TFormBest::ButtonHelpClick() { CurrentPlatform().ShowHelp(kHelpContext); }

}  // namespace tq
