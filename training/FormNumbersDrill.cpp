#include "FormNumbersDrill.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QHeaderView>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <random>

#include "Codec.h"
#include "FormPegDrill.h"  // SteadyNow
#include "FormPractice.h"  // LocalNow
#include "Messages.h"
#include "Platform.h"
#include "PracticeSchedule.h"  // DayOf, FormatDay
#include "RDictionary.h"
#include "TrainingCharts.h"
#include "TrainingPegs.h"
#include "Widgets.h"

namespace tq {
namespace {

TrainingLoad CheckHistory(const std::string& text) {
  RNumbersHistory scratch;
  return ParseNumbersHistoryText(text, scratch);
}

QLabel* MakeLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

// m:ss, rounded up, so that "0:00" is never shown while time is left.
QString Clock(int64_t ms) {
  const int64_t seconds = std::max<int64_t>(0, (ms + 999) / 1000);
  return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

int Minutes(int32_t seconds) { return std::max(1, (seconds + 59) / 60); }

// A recall row takes digits, the marks of a digit not known and blanks, and
// no more positions than the row has digits.
class TRecallValidator : public QValidator {
 public:
  TRecallValidator(std::size_t length, QObject* parent) : QValidator(parent), length_(length) {}
  State validate(QString& input, int&) const override {
    for (const QChar c : input)
      if (!c.isDigit() && c != QLatin1Char(' ') && RecallPositions(std::string(1, c.toLatin1())).empty())
        return Invalid;
    return RecallPositions(input.toLatin1().toStdString()).size() <= length_ ? Acceptable : Invalid;
  }

 private:
  std::size_t length_;
};

QString DigitSpan(char c, DigitMark mark) {
  switch (mark) {
    case DigitMark::Right: return QStringLiteral("<span style=\"color:#2a8a38\">%1</span>").arg(QLatin1Char(c));
    case DigitMark::Wrong: return QStringLiteral("<span style=\"color:#c0281e\"><b><u>%1</u></b></span>").arg(QLatin1Char(c));
    case DigitMark::Missing: return QStringLiteral("<span style=\"color:#c0281e\">_</span>");
    case DigitMark::NotReached: break;
  }
  return QStringLiteral("<span style=\"color:#a0a0a0\">&middot;</span>");
}

}  // namespace

TFormNumbersDrill::TFormNumbersDrill(const RDictionary& dictionary, QWidget* parent)
    : QDialog(parent),
      dictionary_(dictionary),
      steady_(&TFormPegDrill::SteadyNow),
      local_(&TFormPractice::LocalNow),
      seed_(std::random_device()()),
      file_("numbers drill history", kMaxNumbersHistoryFile) {
  setObjectName("FormNumbersDrill");
  setWindowTitle(QStringLiteral("Numbers Drill"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSizeF(font().pointSizeF() * 1.3);

  PagesDrill = new QStackedWidget(this);
  PagesDrill->setObjectName("PagesDrill");

  // The setup.
  auto* setup = new QWidget(PagesDrill);
  setup->setObjectName("PageSetup");
  SpinDigits = new QSpinBox(setup);
  SpinDigits->setObjectName("SpinDigits");
  SpinDigits->setRange(kMinDrillDigits, kMaxDrillDigits);
  SpinDigits->setSingleStep(10);
  SpinDigits->setSuffix(QStringLiteral(" digits"));
  SpinMemorise = new QSpinBox(setup);
  SpinMemorise->setObjectName("SpinMemorise");
  SpinMemorise->setRange(1, kMaxDrillSeconds / 60);
  SpinMemorise->setSuffix(QStringLiteral(" min"));
  SpinRecall = new QSpinBox(setup);
  SpinRecall->setObjectName("SpinRecall");
  SpinRecall->setRange(1, kMaxDrillSeconds / 60);
  SpinRecall->setSuffix(QStringLiteral(" min"));
  ComboGroup = new QComboBox(setup);
  ComboGroup->setObjectName("ComboGroup");
  ComboGroup->addItem(QStringLiteral("Groups of 2"), 2);
  ComboGroup->addItem(QStringLiteral("Groups of 3"), 3);
  LabelHistory = MakeLabel("LabelHistory", setup);
  LabelHistory->setWordWrap(true);
  ButtonStart = MakeButton("ButtonStart", "&Start", setup, AutoDefault::No);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Digits:"), SpinDigits);
  form->addRow(QStringLiteral("&Memorising time:"), SpinMemorise);
  form->addRow(QStringLiteral("&Recall time:"), SpinRecall);
  form->addRow(QStringLiteral("Sho&w in:"), ComboGroup);
  auto* setupLayout = new QVBoxLayout(setup);
  setupLayout->setContentsMargins(0, 0, 0, 0);
  setupLayout->addLayout(form);
  setupLayout->addWidget(LabelHistory);
  auto* startRow = new QHBoxLayout;
  startRow->addStretch();
  startRow->addWidget(ButtonStart);
  setupLayout->addLayout(startRow);
  setupLayout->addStretch();
  PagesDrill->addWidget(setup);

  // Memorising.
  auto* memorise = new QWidget(PagesDrill);
  memorise->setObjectName("PageMemorise");
  LabelMemorise = MakeLabel("LabelMemorise", memorise);
  TextDigits = new QTextBrowser(memorise);
  TextDigits->setObjectName("TextDigits");
  TextDigits->setFont(fixed);
  TextDigits->setMinimumHeight(QFontMetrics(fixed).height() * 12);
  TextDigits->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QLatin1Char('0')) * 68);
  ButtonRecallNow = MakeButton("ButtonRecallNow", "&Recall Now", memorise, AutoDefault::No);
  auto* memoriseLayout = new QVBoxLayout(memorise);
  memoriseLayout->setContentsMargins(0, 0, 0, 0);
  auto* memoriseTop = new QHBoxLayout;
  memoriseTop->addWidget(LabelMemorise, 1);
  memoriseTop->addWidget(ButtonRecallNow);
  memoriseLayout->addLayout(memoriseTop);
  memoriseLayout->addWidget(TextDigits, 1);
  PagesDrill->addWidget(memorise);

  // Recall.
  auto* recall = new QWidget(PagesDrill);
  recall->setObjectName("PageRecall");
  LabelRecall = MakeLabel("LabelRecall", recall);
  ScrollRecall = new QScrollArea(recall);
  ScrollRecall->setObjectName("ScrollRecall");
  ScrollRecall->setWidgetResizable(true);
  ScrollRecall->setFont(fixed);
  ButtonFinish = MakeButton("ButtonFinish", "&Finish", recall, AutoDefault::No);
  auto* recallLayout = new QVBoxLayout(recall);
  recallLayout->setContentsMargins(0, 0, 0, 0);
  auto* recallTop = new QHBoxLayout;
  recallTop->addWidget(LabelRecall, 1);
  recallTop->addWidget(ButtonFinish);
  recallLayout->addLayout(recallTop);
  recallLayout->addWidget(ScrollRecall, 1);
  PagesDrill->addWidget(recall);

  // The results.
  auto* results = new QWidget(PagesDrill);
  results->setObjectName("PageResults");
  LabelScore = MakeLabel("LabelScore", results);
  LabelScore->setWordWrap(true);
  TextResults = new QTextBrowser(results);
  TextResults->setObjectName("TextResults");
  TextResults->setFont(fixed);
  TextResults->setMinimumHeight(QFontMetrics(fixed).height() * 10);
  ButtonReview = MakeButton("ButtonReview", "Re&view on Journey", results, AutoDefault::No);
  ButtonNewAttempt = MakeButton("ButtonNewAttempt", "&New Attempt", results, AutoDefault::No);
  auto* resultsLayout = new QVBoxLayout(results);
  resultsLayout->setContentsMargins(0, 0, 0, 0);
  resultsLayout->addWidget(LabelScore);
  resultsLayout->addWidget(TextResults, 1);
  auto* resultsButtons = new QHBoxLayout;
  resultsButtons->addStretch();
  resultsButtons->addWidget(ButtonReview);
  resultsButtons->addWidget(ButtonNewAttempt);
  resultsLayout->addLayout(resultsButtons);
  PagesDrill->addWidget(results);

  // The review.
  auto* review = new QWidget(PagesDrill);
  review->setObjectName("PageReview");
  LabelReview = MakeLabel("LabelReview", review);
  LabelReview->setWordWrap(true);
  ListReview = new QTableWidget(0, 4, review);
  ListReview->setObjectName("ListReview");
  ListReview->setHorizontalHeaderLabels(
      {QStringLiteral("Place"), QStringLiteral("Pegs"), QStringLiteral("Digits"), QStringLiteral("Yours")});
  ListReview->verticalHeader()->hide();
  ListReview->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ListReview->verticalHeader()->setDefaultSectionSize(ListReview->fontMetrics().height() + 6);
  ListReview->horizontalHeader()->setStretchLastSection(true);
  ListReview->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListReview->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListReview->setTabKeyNavigation(false);
  ButtonBack = MakeButton("ButtonBack", "&Back to Results", review, AutoDefault::No);
  auto* reviewLayout = new QVBoxLayout(review);
  reviewLayout->setContentsMargins(0, 0, 0, 0);
  reviewLayout->addWidget(LabelReview);
  reviewLayout->addWidget(ListReview, 1);
  auto* backRow = new QHBoxLayout;
  backRow->addStretch();
  backRow->addWidget(ButtonBack);
  reviewLayout->addLayout(backRow);
  PagesDrill->addWidget(review);

  ChartScores = new TNumbersChart(this);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", this, AutoDefault::No);
  ButtonClose = MakeButton("ButtonClose", "&Close", this, AutoDefault::No);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonHelp);
  buttons->addWidget(ButtonClose);
  auto* top = new QVBoxLayout(this);
  top->addWidget(PagesDrill, 1);
  top->addWidget(ChartScores);
  top->addLayout(buttons);

  timer_ = new QTimer(this);
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, [this] { Tick(); });
  connect(ButtonStart, &QPushButton::clicked, this, [this] { ButtonStartClick(); });
  connect(ButtonRecallNow, &QPushButton::clicked, this, [this] { StartRecall(); });
  connect(ButtonFinish, &QPushButton::clicked, this, [this] { FinishRecall(); });
  connect(ButtonNewAttempt, &QPushButton::clicked, this, [this] { ShowSetup(); });
  connect(ButtonReview, &QPushButton::clicked, this, [this] { ButtonReviewClick(); });
  connect(ButtonBack, &QPushButton::clicked, this, [this] { ShowResults(); });
  connect(ButtonHelp, &QPushButton::clicked, this, [] { CurrentPlatform().ShowHelp(kHelpContext); });
  connect(ButtonClose, &QPushButton::clicked, this, [this] { close(); });
  connect(SpinMemorise, &QSpinBox::valueChanged, this, [this](int minutes) {
    if (recallFollows_) {
      const QSignalBlocker quiet(SpinRecall);
      SpinRecall->setValue(minutes * kRecallTimesMemorise);
    }
  });
  connect(SpinRecall, &QSpinBox::valueChanged, this, [this] { recallFollows_ = false; });

  SpinDigits->setValue(kDefaultDrillDigits);
  SpinMemorise->setValue(kDefaultMemoriseSeconds / 60);
  ShowSetup();
}

void TFormNumbersDrill::SetClocks(SteadyClock steady, LocalClock local) {
  steady_ = std::move(steady);
  local_ = std::move(local);
}

void TFormNumbersDrill::Prepare(RPegSystem& pegs, const RJourney& journey) {
  pegs_ = &pegs;
  journey_ = journey;
  GiveUp();
  file_.Open(dictionary_.Paths(), kNumbersHistoryFileName,
             [this](const std::string& text) { return ParseNumbersHistoryText(text, history_); });
  const RNumbersSettings& s = history_.settings;
  SpinDigits->setValue(s.digits);
  SpinMemorise->setValue(Minutes(s.memoriseSeconds));
  {
    const QSignalBlocker quiet(SpinRecall);
    SpinRecall->setValue(Minutes(s.recallSeconds));
  }
  recallFollows_ = Minutes(s.recallSeconds) == Minutes(s.memoriseSeconds) * kRecallTimesMemorise;
  const int group = file_.Found() == TrainingLoad::Loaded ? s.group : UsualPegDigits(pegs);
  ComboGroup->setCurrentIndex(group == 3 ? 1 : 0);
  ShowSetup();
}

RNumbersSettings TFormNumbersDrill::SettingsShown() const {
  return RNumbersSettings{SpinDigits->value(), SpinMemorise->value() * 60, SpinRecall->value() * 60,
                          ComboGroup->currentData().toInt()};
}

void TFormNumbersDrill::ShowSetup() {
  timer_->stop();
  stage_ = Stage::Setup;
  PagesDrill->setCurrentIndex(0);
  ButtonStart->setDefault(true);
  ButtonStart->setFocus();
  ChartScores->show();
  UpdateHistoryText();
  UpdateChart();
}

void TFormNumbersDrill::UpdateHistoryText() {
  const RNumbersAttempt* best = history_.Best();
  if (!best) {
    LabelHistory->setText(QStringLiteral("No attempt yet."));
    return;
  }
  const std::size_t count = history_.attempts.size();
  LabelHistory->setText(QStringLiteral("%1 %2 so far; your best: %3 of %4 digits, on %5.")
                            .arg(count)
                            .arg(count == 1 ? QStringLiteral("attempt") : QStringLiteral("attempts"))
                            .arg(best->score)
                            .arg(best->digits)
                            .arg(ToQString(FormatDay(DayOf(best->moment)))));
}

void TFormNumbersDrill::UpdateChart() { ChartScores->SetData(history_, DayOf(local_())); }

void TFormNumbersDrill::ButtonStartClick() {
  attempt_ = SettingsShown();
  history_.settings = attempt_;
  digits_ = RandomDigits(static_cast<std::size_t>(attempt_.digits), seed_);
  // The next attempt draws digits of its own.
  seed_ = seed_ * 6364136223846793005ULL + 1442695040888963407ULL;
  const std::vector<std::string> rows = DigitRows(digits_);
  QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">");
  for (std::size_t i = 0; i < rows.size(); ++i)
    html += QStringLiteral("<tr><td align=\"right\" style=\"color:#808080; padding-right:8px\">%1</td><td>%2</td></tr>")
                .arg(i + 1)
                .arg(ToQString(GroupedRow(rows[i], attempt_.group)));
  TextDigits->setHtml(html + QStringLiteral("</table>"));
  stage_ = Stage::Memorise;
  PagesDrill->setCurrentIndex(1);
  ButtonRecallNow->setDefault(true);
  ButtonRecallNow->setFocus();
  ChartScores->hide();
  stageStart_ = steady_();
  timer_->start();
  Tick();
}

void TFormNumbersDrill::StartRecall() {
  if (stage_ != Stage::Memorise) return;
  memorisedSeconds_ = static_cast<int32_t>(
      std::clamp<int64_t>((Elapsed() + 999) / 1000, 0, attempt_.memoriseSeconds));
  // The digits go before anything else shows.
  TextDigits->clear();
  delete rowsPanel_;
  rowEdits_.clear();
  rowsPanel_ = new QWidget;
  auto* grid = new QGridLayout(rowsPanel_);
  const std::vector<std::string> rows = DigitRows(digits_);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    auto* label = new QLabel(QString::number(i + 1), rowsPanel_);
    auto* edit = new QLineEdit(rowsPanel_);
    edit->setObjectName(QStringLiteral("EditRow%1").arg(i + 1));
    edit->setValidator(new TRecallValidator(rows[i].size(), edit));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 62);
    label->setBuddy(edit);
    grid->addWidget(label, static_cast<int>(i), 0, Qt::AlignRight);
    grid->addWidget(edit, static_cast<int>(i), 1);
    edit->installEventFilter(this);
    const std::size_t length = rows[i].size();
    const int row = static_cast<int>(i);
    // A full row goes on to the next by itself.
    connect(edit, &QLineEdit::textEdited, this, [this, edit, length, row](const QString& text) {
      if (RecallPositions(text.toLatin1().toStdString()).size() == length && edit->cursorPosition() == text.size())
        FocusRow(row + 1);
    });
    rowEdits_.push_back(edit);
  }
  grid->setRowStretch(static_cast<int>(rows.size()), 1);
  ScrollRecall->setWidget(rowsPanel_);
  stage_ = Stage::Recall;
  PagesDrill->setCurrentIndex(2);
  stageStart_ = steady_();
  Tick();
  FocusRow(0);
}

void TFormNumbersDrill::FocusRow(int row) {
  if (row < 0) return;
  if (row >= static_cast<int>(rowEdits_.size())) {
    ButtonFinish->setFocus();
    return;
  }
  QLineEdit* edit = rowEdits_[static_cast<std::size_t>(row)];
  edit->setFocus();
  ScrollRecall->ensureWidgetVisible(edit);
}

bool TFormNumbersDrill::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && stage_ == Stage::Recall) {
    const auto found = std::find(rowEdits_.begin(), rowEdits_.end(), watched);
    if (found != rowEdits_.end()) {
      const int row = static_cast<int>(found - rowEdits_.begin());
      switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down: FocusRow(row + 1); return true;
        case Qt::Key_Up: FocusRow(row - 1); return true;
        default: break;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFormNumbersDrill::Tick() {
  if (stage_ == Stage::Memorise) {
    const int64_t left = int64_t{attempt_.memoriseSeconds} * 1000 - Elapsed();
    if (left <= 0) {
      StartRecall();
      return;
    }
    LabelMemorise->setText(QStringLiteral("Memorise the %1 digits: %2 left").arg(digits_.size()).arg(Clock(left)));
  } else if (stage_ == Stage::Recall) {
    const int64_t left = int64_t{attempt_.recallSeconds} * 1000 - Elapsed();
    if (left <= 0) {
      FinishRecall();
      return;
    }
    LabelRecall->setText(QStringLiteral("Type the digits row by row, a dot for one you do not know: %1 left")
                             .arg(Clock(left)));
  }
}

void TFormNumbersDrill::FinishRecall() {
  if (stage_ != Stage::Recall) return;
  timer_->stop();
  std::vector<std::string> typed;
  for (QLineEdit* edit : rowEdits_) typed.push_back(FromQString(edit->text()));
  score_ = ScoreRecall(digits_, typed);
  const RNumbersAttempt* before = history_.Best();
  const int bestBefore = before ? before->score : -1;
  history_.attempts.push_back(RNumbersAttempt{local_(), attempt_.digits, score_.score, attempt_.memoriseSeconds,
                                              memorisedSeconds_, attempt_.recallSeconds});
  file_.Write(NumbersHistoryText(history_), CheckHistory);
  newBest_ = bestBefore >= 0 && score_.score > bestBefore;
  ShowResults();
}

void TFormNumbersDrill::ShowResults() {
  stage_ = Stage::Results;
  const std::vector<std::string> rows = DigitRows(digits_);
  LabelScore->setText(QStringLiteral("Score: %1 of %2. Digits right: %3. Memorised in %4 of %5.")
                          .arg(score_.score)
                          .arg(digits_.size())
                          .arg(score_.right)
                          .arg(Clock(int64_t{memorisedSeconds_} * 1000))
                          .arg(Clock(int64_t{attempt_.memoriseSeconds} * 1000)) +
                      (newBest_ ? QStringLiteral(" A new best!") : QString()));
  QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">");
  for (std::size_t i = 0; i < score_.rows.size(); ++i) {
    const RRowScore& row = score_.rows[i];
    QString given, truth;
    for (std::size_t p = 0; p < row.length; ++p) {
      if (p > 0 && p % static_cast<std::size_t>(attempt_.group) == 0) given += QLatin1Char(' '), truth += QLatin1Char(' ');
      const char c = p < row.given.size() ? row.given[p] : ' ';
      given += DigitSpan(c, row.marks[p]);
      truth += QLatin1Char(rows[i][p]);
    }
    html += QStringLiteral(
                "<tr><td align=\"right\" style=\"color:#808080; padding-right:8px\">%1</td><td>%2<br><span "
                "style=\"color:#808080\">%3</span></td><td align=\"right\"><b>%4</b></td></tr>")
                .arg(i + 1)
                .arg(given, truth)
                .arg(row.reached ? QString::number(row.score) : QStringLiteral("&ndash;"));
  }
  TextResults->setHtml(html + QStringLiteral("</table>"));
  ButtonReview->setEnabled(pegs_ != nullptr);
  PagesDrill->setCurrentIndex(3);
  ButtonNewAttempt->setDefault(true);
  ButtonNewAttempt->setFocus();
  ChartScores->show();
  UpdateChart();
}

void TFormNumbersDrill::ButtonReviewClick() {
  if (!pegs_ || stage_ != Stage::Results) return;
  std::vector<RReviewPlace> places;
  {
    BusyCursor busy;
    places = LayOnJourney(dictionary_, *pegs_, journey_, digits_, attempt_.group);
  }
  stage_ = Stage::Review;
  int wrongPlaces = 0;
  ListReview->setRowCount(static_cast<int>(places.size()));
  for (int row = 0; row < static_cast<int>(places.size()); ++row) {
    const RReviewPlace& place = places[static_cast<std::size_t>(row)];
    // What was recalled of these digits, as the results show it.
    QString yours;
    bool allRight = true;
    for (std::size_t d = place.firstDigit; d < place.firstDigit + place.digitCount; ++d) {
      const RRowScore& line = score_.rows[d / kRowDigits];
      const std::size_t p = d % kRowDigits;
      const DigitMark mark = line.marks[p];
      allRight = allRight && mark == DigitMark::Right;
      yours += mark == DigitMark::Right || mark == DigitMark::Wrong ? QLatin1Char(line.given[p])
               : mark == DigitMark::Missing                         ? QLatin1Char('_')
                                                                    : QChar(0x00B7);
    }
    wrongPlaces += allRight ? 0 : 1;
    const QString cells[] = {ToQString(place.place), ToQString(place.words),
                             ToQString(digits_.substr(place.firstDigit, place.digitCount)), yours};
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      if (column == 3) item->setForeground(allRight ? QColor(0x2a, 0x8a, 0x38) : QColor(0xc0, 0x28, 0x1e));
      ListReview->setItem(row, column, item);
    }
  }
  ListReview->resizeColumnsToContents();
  LabelReview->setText(QStringLiteral("The %1 digits on your journey with your pegs: %2 places, %3 to go over again.")
                           .arg(digits_.size())
                           .arg(places.size())
                           .arg(wrongPlaces));
  PagesDrill->setCurrentIndex(4);
  ButtonBack->setDefault(true);
  ListReview->setFocus();
  ChartScores->hide();
}

bool TFormNumbersDrill::AskGiveUp() {
  MessageRequest question;
  question.caption = kProductName;
  question.text = "Give this attempt up? It is not scored.";
  question.icon = MessageIcon::Question;
  question.buttons = ButtonYes | ButtonNo;
  return CurrentPlatform().ShowMessage(question) == ResultYes;
}

void TFormNumbersDrill::GiveUp() {
  if (stage_ != Stage::Memorise && stage_ != Stage::Recall) return;
  TextDigits->clear();
  ShowSetup();
}

void TFormNumbersDrill::reject() {
  if (stage_ == Stage::Memorise || stage_ == Stage::Recall) {
    if (AskGiveUp()) GiveUp();
    return;
  }
  QDialog::reject();
}

void TFormNumbersDrill::closeEvent(QCloseEvent* event) {
  if (stage_ == Stage::Memorise || stage_ == Stage::Recall) {
    if (!AskGiveUp()) {
      event->ignore();
      return;
    }
    GiveUp();
  }
  QDialog::closeEvent(event);
}

void TFormNumbersDrill::hideEvent(QHideEvent* event) {
  // Hidden by other means than the two above: nothing to ask any more.
  GiveUp();
  QDialog::hideEvent(event);
}

void TFormNumbersDrill::Finish() { GiveUp(); }

}  // namespace tq
