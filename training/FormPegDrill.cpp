#include "FormPegDrill.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <limits>
#include <random>

#include "Codec.h"
#include "FormPractice.h"  // LocalNow
#include "Messages.h"
#include "Platform.h"
#include "PhraseCheck.h"
#include "PracticeSchedule.h"  // DayOf
#include "RDictionary.h"
#include "Text.h"
#include "TrainingCharts.h"
#include "TrainingPegs.h"
#include "Widgets.h"

namespace tq {
namespace {

QString Seconds(int64_t ms) { return QString::number(static_cast<double>(ms) / 1000.0, 'f', 1) + QStringLiteral(" s"); }

QString Html(const std::string& text) { return ToQString(text).toHtmlEscaped(); }

TrainingLoad CheckRecord(const std::string& text) {
  RPegDrillRecord scratch;
  return ParsePegDrillText(text, scratch);
}

QLabel* MakeLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

}  // namespace

TFormPegDrill::TFormPegDrill(const RDictionary& dictionary, QWidget* parent)
    : QDialog(parent),
      dictionary_(dictionary),
      steady_(&TFormPegDrill::SteadyNow),
      local_(&TFormPractice::LocalNow),
      seed_(std::random_device()()),
      file_("peg drill record", kMaxPegDrillFile) {
  setObjectName("FormPegDrill");
  setWindowTitle(QStringLiteral("Peg Drill"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  PagesDrill = new QStackedWidget(this);
  PagesDrill->setObjectName("PagesDrill");

  // The setup.
  auto* setup = new QWidget(PagesDrill);
  setup->setObjectName("PageSetup");
  RadioNumberToPeg = new QRadioButton(QStringLiteral("Show the &number, type its peg"), setup);
  RadioNumberToPeg->setObjectName("RadioNumberToPeg");
  RadioPegToNumber = new QRadioButton(QStringLiteral("Show the p&eg, type its number"), setup);
  RadioPegToNumber->setObjectName("RadioPegToNumber");
  auto* directions = new QButtonGroup(setup);
  directions->addButton(RadioNumberToPeg);
  directions->addButton(RadioPegToNumber);
  RadioNumberToPeg->setChecked(true);
  ComboDigits = new QComboBox(setup);
  ComboDigits->setObjectName("ComboDigits");
  ComboDigits->addItem(QStringLiteral("00 to 99"), 2);
  ComboDigits->addItem(QStringLiteral("000 to 999"), 3);
  SpinItems = new QSpinBox(setup);
  SpinItems->setObjectName("SpinItems");
  SpinItems->setRange(kMinDrillItems, kMaxDrillItems);
  SpinTarget = new QDoubleSpinBox(setup);
  SpinTarget->setObjectName("SpinTarget");
  SpinTarget->setRange(kMinTargetMs / 1000.0, kMaxTargetMs / 1000.0);
  SpinTarget->setDecimals(1);
  SpinTarget->setSingleStep(0.1);
  SpinTarget->setSuffix(QStringLiteral(" s"));
  LabelRecord = MakeLabel("LabelRecord", setup);
  LabelRecord->setWordWrap(true);
  ButtonStart = MakeButton("ButtonStart", "&Start", setup, AutoDefault::No);
  auto* form = new QFormLayout;
  auto* directionBox = new QVBoxLayout;
  directionBox->addWidget(RadioNumberToPeg);
  directionBox->addWidget(RadioPegToNumber);
  form->addRow(QStringLiteral("Direction:"), directionBox);
  form->addRow(QStringLiteral("&Pegs:"), ComboDigits);
  form->addRow(QStringLiteral("&Items:"), SpinItems);
  form->addRow(QStringLiteral("&Target time:"), SpinTarget);
  auto* setupLayout = new QVBoxLayout(setup);
  setupLayout->setContentsMargins(0, 0, 0, 0);
  setupLayout->addLayout(form);
  setupLayout->addWidget(LabelRecord);
  auto* startRow = new QHBoxLayout;
  startRow->addStretch();
  startRow->addWidget(ButtonStart);
  setupLayout->addLayout(startRow);
  setupLayout->addStretch();
  PagesDrill->addWidget(setup);

  // The drill.
  auto* asking = new QWidget(PagesDrill);
  asking->setObjectName("PageDrill");
  LabelQuestion = MakeLabel("LabelQuestion", asking);
  LabelPrompt = MakeLabel("LabelPrompt", asking);
  QFont big = LabelPrompt->font();
  big.setPointSizeF(big.pointSizeF() * 2.2);
  big.setBold(true);
  LabelPrompt->setFont(big);
  LabelPrompt->setTextFormat(Qt::PlainText);
  LabelPrompt->setAlignment(Qt::AlignCenter);
  LabelPrompt->setMinimumHeight(QFontMetrics(big).height() * 2);
  EditAnswer = new QLineEdit(asking);
  EditAnswer->setObjectName("EditAnswer");
  EditAnswer->setMinimumWidth(EditAnswer->fontMetrics().averageCharWidth() * 40);
  ButtonAnswer = MakeButton("ButtonAnswer", "&Answer", asking, AutoDefault::No);
  LabelLast = MakeLabel("LabelLast", asking);
  LabelLast->setTextFormat(Qt::RichText);
  LabelLast->setWordWrap(true);
  LabelLast->setMinimumHeight(LabelLast->fontMetrics().height() * 2);
  LabelLast->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  LabelProgress = MakeLabel("LabelProgress", asking);
  auto* answerRow = new QHBoxLayout;
  answerRow->addWidget(EditAnswer, 1);
  answerRow->addWidget(ButtonAnswer);
  auto* askingLayout = new QVBoxLayout(asking);
  askingLayout->setContentsMargins(0, 0, 0, 0);
  askingLayout->addWidget(LabelQuestion);
  askingLayout->addWidget(LabelPrompt);
  askingLayout->addLayout(answerRow);
  askingLayout->addWidget(LabelLast);
  askingLayout->addWidget(LabelProgress);
  askingLayout->addStretch();
  PagesDrill->addWidget(asking);

  // The end.
  auto* end = new QWidget(PagesDrill);
  end->setObjectName("PageEnd");
  LabelSummary = MakeLabel("LabelSummary", end);
  LabelSummary->setWordWrap(true);
  ListSlowest = new QTableWidget(0, 4, end);
  ListSlowest->setObjectName("ListSlowest");
  ListSlowest->setHorizontalHeaderLabels(
      {QStringLiteral("Number"), QStringLiteral("Peg"), QStringLiteral("Mean time"), QStringLiteral("Wrong")});
  ListSlowest->verticalHeader()->hide();
  ListSlowest->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ListSlowest->verticalHeader()->setDefaultSectionSize(ListSlowest->fontMetrics().height() + 6);
  ListSlowest->horizontalHeader()->setStretchLastSection(true);
  ListSlowest->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListSlowest->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListSlowest->setTabKeyNavigation(false);
  ListSlowest->setMinimumHeight(ListSlowest->verticalHeader()->defaultSectionSize() * 11 + 4);
  ListSlowest->setMinimumWidth(ListSlowest->fontMetrics().averageCharWidth() * 64);
  ButtonAgain = MakeButton("ButtonAgain", "&Again", end, AutoDefault::No);
  ButtonSettings = MakeButton("ButtonSettings", "Chan&ge Settings", end, AutoDefault::No);
  auto* endLayout = new QVBoxLayout(end);
  endLayout->setContentsMargins(0, 0, 0, 0);
  endLayout->addWidget(LabelSummary);
  auto* slowestLabel = new QLabel(QStringLiteral("The ten slowest pegs:"), end);
  endLayout->addWidget(slowestLabel);
  endLayout->addWidget(ListSlowest, 1);
  auto* againRow = new QHBoxLayout;
  againRow->addStretch();
  againRow->addWidget(ButtonSettings);
  againRow->addWidget(ButtonAgain);
  endLayout->addLayout(againRow);
  PagesDrill->addWidget(end);

  ChartTimes = new TPegDrillChart(this);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", this, AutoDefault::No);
  ButtonClose = MakeButton("ButtonClose", "&Close", this, AutoDefault::No);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonHelp);
  buttons->addWidget(ButtonClose);
  auto* top = new QVBoxLayout(this);
  top->addWidget(PagesDrill);
  top->addWidget(ChartTimes, 1);
  top->addLayout(buttons);

  connect(ButtonStart, &QPushButton::clicked, this, [this] { ButtonStartClick(); });
  connect(ButtonAnswer, &QPushButton::clicked, this, [this] { ButtonAnswerClick(); });
  connect(ButtonAgain, &QPushButton::clicked, this, [this] { ButtonStartClick(); });
  connect(ButtonSettings, &QPushButton::clicked, this, [this] { ShowSetup(); });
  connect(ButtonHelp, &QPushButton::clicked, this, [] { CurrentPlatform().ShowHelp(kHelpContext); });
  connect(ButtonClose, &QPushButton::clicked, this, [this] {
    if (Drilling()) EndDrill();
    QDialog::reject();
  });
  connect(ComboDigits, &QComboBox::currentIndexChanged, this, [this] { ShowSetup(); });
  connect(SpinTarget, &QDoubleSpinBox::valueChanged, this, [this] { UpdateChart(); });
  ShowSetup();
}

TFormPegDrill::~TFormPegDrill() = default;

int64_t TFormPegDrill::SteadyNow() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void TFormPegDrill::SetClocks(SteadyClock steady, LocalClock local) {
  steady_ = std::move(steady);
  local_ = std::move(local);
}

int32_t TFormPegDrill::Today() const { return DayOf(local_()); }

void TFormPegDrill::Prepare(RPegSystem& pegs) {
  pegs_ = &pegs;
  drill_.reset();
  ended_ = true;
  file_.Open(dictionary_.Paths(), kPegDrillFileName,
             [this](const std::string& text) { return ParsePegDrillText(text, record_); });
  const RPegDrillSettings& s = record_.settings;
  (s.direction == DrillDirection::NumberToPeg ? RadioNumberToPeg : RadioPegToNumber)->setChecked(true);
  ComboDigits->setCurrentIndex(s.digits == 3 ? 1 : 0);
  SpinItems->setValue(s.items);
  SpinTarget->setValue(s.targetMs / 1000.0);
  ShowSetup();
}

RPegDrillSettings TFormPegDrill::SettingsShown() const {
  RPegDrillSettings s;
  s.direction = RadioPegToNumber->isChecked() ? DrillDirection::PegToNumber : DrillDirection::NumberToPeg;
  s.digits = ComboDigits->currentData().toInt();
  s.items = SpinItems->value();
  s.targetMs = static_cast<int32_t>(SpinTarget->value() * 1000.0 + 0.5);
  return s;
}

void TFormPegDrill::ShowSetup() {
  PagesDrill->setCurrentIndex(0);
  ButtonStart->setDefault(true);
  const std::size_t digits = static_cast<std::size_t>(ComboDigits->currentData().toInt());
  int drilled = 0, first = 0;
  for (const auto& [number, track] : record_.pegs) {
    if (number.size() != digits) continue;
    ++drilled;
    first += track.again ? 1 : 0;
  }
  LabelRecord->setText(drilled == 0 ? QStringLiteral("None of these pegs drilled yet.")
                                    : QStringLiteral("%1 of these pegs drilled so far; %2 first in the next drill.")
                                          .arg(drilled)
                                          .arg(first == 1 ? QStringLiteral("1 comes")
                                                          : QStringLiteral("%1 come").arg(first)));
  ChartTimes->show();
  UpdateChart();
}

void TFormPegDrill::UpdateChart() {
  ChartTimes->SetData(RecentDrillDays(record_, Today()), SettingsShown().targetMs);
}

void TFormPegDrill::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (PagesDrill->currentIndex() == 1)
    EditAnswer->setFocus();
  else if (PagesDrill->currentIndex() == 0)
    ButtonStart->setFocus();
}

void TFormPegDrill::ButtonStartClick() {
  if (!pegs_) return;
  record_.settings = SettingsShown();
  std::vector<RDrillItem> items;
  {
    BusyCursor busy;
    items = DrillItems(TrainingPegs(*pegs_, record_.settings.digits));
  }
  drill_ = std::make_unique<RPegDrill>(std::move(items), record_, Today(), seed_);
  // The next drill draws its own order.
  seed_ = seed_ * 6364136223846793005ULL + 1442695040888963407ULL;
  if (drill_->Over()) {
    drill_.reset();
    ShowNotice("There are no pegs to drill: your dictionary has no word for these numbers.");
    return;
  }
  ended_ = false;
  PagesDrill->setCurrentIndex(1);
  ButtonAnswer->setDefault(true);
  ChartTimes->hide();
  LabelQuestion->setText(drill_->Direction() == DrillDirection::NumberToPeg ? QStringLiteral("Type the peg of this number:")
                                                                            : QStringLiteral("Type the number of this peg:"));
  LabelLast->clear();
  ShowItem();
}

void TFormPegDrill::ShowItem() {
  const RDrillItem* item = drill_->Current();
  LabelPrompt->setText(ToQString(drill_->Direction() == DrillDirection::NumberToPeg ? item->number : item->peg));
  LabelProgress->setText(QStringLiteral("Answered %1, right %2; %3 to go")
                             .arg(drill_->Answers())
                             .arg(drill_->Right())
                             .arg(drill_->Left()));
  EditAnswer->clear();
  EditAnswer->setFocus();
  // The time runs from here, as the item is on its way to the screen.
  shownAt_ = steady_();
}

void TFormPegDrill::ButtonAnswerClick() {
  if (!Drilling()) return;
  const int64_t elapsed = steady_() - shownAt_;
  const int32_t ms = static_cast<int32_t>(std::clamp<int64_t>(elapsed, 0, kMaxAnswerMs));
  const RDrillItem item = *drill_->Current();
  const std::string typed = FromQString(EditAnswer->text());
  const RDrillOutcome outcome = drill_->Answer(typed, ms);

  const QString pair = QStringLiteral("<b>%1</b> %2").arg(Html(item.number), Html(item.peg));
  QString text;
  if (outcome.right && !outcome.slow) {
    text = QStringLiteral("<font color=\"#2a8a38\"><b>Right</b></font> in %1: %2.").arg(Seconds(ms), pair);
  } else if (outcome.right) {
    text = QStringLiteral("<font color=\"#b07800\"><b>Right, but slow</b></font>: %1 (target %2): %3.")
               .arg(Seconds(ms), Seconds(drill_->TargetMs()), pair);
  } else if (TrimBlanks(typed).empty()) {
    text = QStringLiteral("<font color=\"#c0281e\"><b>Passed</b></font>: %1.").arg(pair);
  } else {
    text = QStringLiteral("<font color=\"#c0281e\"><b>Wrong</b></font> (you typed \"%1\"): %2.")
               .arg(ToQString(typed).toHtmlEscaped(), pair);
    // Another word for the number is no help to a fixed system: say so.
    if (drill_->Direction() == DrillDirection::NumberToPeg && SpelledDigits(dictionary_, typed) == item.number)
      text += QStringLiteral(" That spells %1 too, but your peg is %2.").arg(Html(item.number), Html(item.peg));
  }
  if (outcome.comesBack) text += QStringLiteral(" It comes back soon.");
  LabelLast->setText(text);
  if (drill_->Over())
    EndDrill();
  else
    ShowItem();
}

void TFormPegDrill::EndDrill() {
  if (!drill_ || ended_) return;
  ended_ = true;
  drill_->Stop();
  if (drill_->Answers() > 0) file_.Write(PegDrillText(record_), CheckRecord);

  LabelSummary->setText(Summary());
  const std::vector<RDrilledPeg> slowest = drill_->Slowest(10);
  ListSlowest->setRowCount(static_cast<int>(slowest.size()));
  for (int row = 0; row < static_cast<int>(slowest.size()); ++row) {
    const RDrilledPeg& peg = slowest[static_cast<std::size_t>(row)];
    const QString cells[] = {ToQString(peg.item.number), ToQString(peg.item.peg), Seconds(peg.meanMs),
                             peg.wrong > 0 ? QString::number(peg.wrong) : QString()};
    for (int column = 0; column < 4; ++column) ListSlowest->setItem(row, column, new QTableWidgetItem(cells[column]));
  }
  ListSlowest->resizeColumnsToContents();
  PagesDrill->setCurrentIndex(2);
  ButtonAgain->setDefault(true);
  ButtonAgain->setFocus();
  ChartTimes->show();
  UpdateChart();
}

QString TFormPegDrill::Summary() const {
  if (!drill_ || drill_->Answers() == 0) return QStringLiteral("Nothing answered.");
  int again = 0;
  for (const RDrilledPeg& peg : drill_->Slowest(std::numeric_limits<std::size_t>::max())) {
    const RPegTrack* track = record_.Find(peg.item.number);
    again += track && track->again ? 1 : 0;
  }
  const int answers = drill_->Answers(), right = drill_->Right();
  QString text = QStringLiteral("%1 %2, %3 right (%4%). Mean time %5 (target %6).")
                     .arg(answers)
                     .arg(answers == 1 ? QStringLiteral("answer") : QStringLiteral("answers"))
                     .arg(right)
                     .arg(right * 100 / answers)
                     .arg(Seconds(drill_->MeanMs()), Seconds(drill_->TargetMs()));
  text += again == 0 ? QStringLiteral(" Every peg right and in time.")
                     : QStringLiteral(" %1 %2 first in the next drill.")
                           .arg(again)
                           .arg(again == 1 ? QStringLiteral("peg comes") : QStringLiteral("pegs come"));
  return text;
}

void TFormPegDrill::reject() {
  if (Drilling()) {
    EndDrill();
    return;
  }
  QDialog::reject();
}

void TFormPegDrill::closeEvent(QCloseEvent* event) {
  // The close box closes, whatever is under way; the drill ends first.
  if (Drilling()) EndDrill();
  QDialog::closeEvent(event);
}

void TFormPegDrill::hideEvent(QHideEvent* event) {
  if (Drilling()) EndDrill();
  QDialog::hideEvent(event);
}

void TFormPegDrill::Finish() {
  if (Drilling()) EndDrill();
}

}  // namespace tq
