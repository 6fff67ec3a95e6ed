#include "FormPractice.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "AnswerCheck.h"
#include "Codec.h"
#include "JourneyScenes.h"
#include "Messages.h"
#include "Platform.h"
#include "PhraseCheck.h"
#include "PracticeChart.h"
#include "PracticeFile.h"
#include "RDictionary.h"
#include "RWorksheet.h"
#include "Text.h"
#include "Widgets.h"

namespace tq {
namespace {

QLabel* MakeLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

QString Html(std::string_view text) { return ToQString(text).toHtmlEscaped(); }

// The given digits with the wrong ones in red and underlined.
QString MarkedHtml(const RDigitMarks& marks) {
  QString html;
  for (std::size_t i = 0; i < marks.shown.size(); ++i) {
    const QString c = QString(QLatin1Char(marks.shown[i])).toHtmlEscaped();
    html += marks.wrong[i] ? QStringLiteral("<u><font color=\"#c0281e\">%1</font></u>").arg(c) : c;
  }
  return html.isEmpty() ? QStringLiteral("(nothing)") : html;
}

// The places of an entry's walk: every scene whose words spell digits, with
// the words of the scene before it as the cue.
std::vector<RWalkPlace> WalkPlaces(const RJourneyScenes& scenes, const RJourney& journey) {
  std::vector<RWalkPlace> places;
  for (std::size_t k = 0; k < scenes.Count(); ++k) {
    std::string digits = scenes.Digits(k);
    if (digits.empty()) continue;
    places.push_back(RWalkPlace{PlaceName(journey, k), k > 0 ? scenes.WordsText(k - 1) : std::string(),
                                scenes.WordsText(k), std::move(digits)});
  }
  return places;
}

// How the summary names an entry: its description, or else its number, cut
// short when long.
std::string EntryName(const RNumber& entry) {
  constexpr std::size_t kLongest = 40;
  std::string name(TrimBlanks(entry.Description()));
  if (name.empty()) name = TrimBlanks(entry.Number());
  if (name.size() > kLongest) name = name.substr(0, kLongest - 1) + '\x85';  // an ellipsis
  return name;
}

// How many places the end of a walk names in the dialog; the tip names them all.
constexpr std::size_t kPlacesNamed = 12;

// "hall mirror, doormat and 3 more": at most `most` names.
std::string PlaceList(const std::vector<std::string>& places, std::size_t most) {
  std::string text;
  const std::size_t named = std::min(places.size(), most);
  for (std::size_t i = 0; i < named; ++i) text += (i ? ", " : "") + places[i];
  if (places.size() > named) text += " and " + std::to_string(places.size() - named) + " more";
  return text;
}

std::string DayText(int64_t moment, int64_t now) {
  const int32_t day = DayOf(moment);
  if (day <= DayOf(now)) return "today";
  if (day == DayOf(now) + 1) return "tomorrow";
  return "on " + FormatDay(day);
}

}  // namespace

TFormPractice::TFormPractice(const RDictionary& dictionary, QWidget* parent)
    : QDialog(parent), dictionary_(dictionary), clock_(&TFormPractice::LocalNow) {
  setObjectName("FormPractice");
  setWindowTitle(QStringLiteral("Practice"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  RadioRecallNumber = new QRadioButton(QStringLiteral("Recall the nu&mber"), this);
  RadioRecallNumber->setObjectName("RadioRecallNumber");
  RadioRecallPhrase = new QRadioButton(QStringLiteral("Recall a &phrase"), this);
  RadioRecallPhrase->setObjectName("RadioRecallPhrase");
  RadioWalkJourney = new QRadioButton(QStringLiteral("Walk the &journey"), this);
  RadioWalkJourney->setObjectName("RadioWalkJourney");
  RadioRecallNumber->setChecked(true);
  auto* directions = new QButtonGroup(this);
  directions->addButton(RadioRecallNumber);
  directions->addButton(RadioRecallPhrase);
  directions->addButton(RadioWalkJourney);

  LabelQuestion = MakeLabel("LabelQuestion", this);
  LabelPrompt = MakeLabel("LabelPrompt", this);
  QFont big = LabelPrompt->font();
  big.setPointSizeF(big.pointSizeF() * 1.4);
  big.setBold(true);
  LabelPrompt->setFont(big);
  LabelPrompt->setWordWrap(true);
  LabelPrompt->setTextFormat(Qt::PlainText);
  LabelHint = MakeLabel("LabelHint", this);
  LabelHint->setTextFormat(Qt::PlainText);
  LabelHint->setWordWrap(true);
  ButtonHint = MakeButton("ButtonHint", "H&int", this);
  ButtonHint->setAutoDefault(false);
  LabelAnswer = new QLabel(QStringLiteral("&Your answer:"), this);
  LabelAnswer->setObjectName("LabelAnswer");
  EditAnswer = new QLineEdit(this);
  EditAnswer->setObjectName("EditAnswer");
  EditAnswer->setMinimumWidth(EditAnswer->fontMetrics().averageCharWidth() * 48);
  LabelAnswer->setBuddy(EditAnswer);
  LabelResult = MakeLabel("LabelResult", this);
  LabelResult->setTextFormat(Qt::RichText);
  LabelResult->setWordWrap(true);
  LabelResult->setMinimumHeight(LabelResult->fontMetrics().height() * 3);
  LabelResult->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  LabelProgress = MakeLabel("LabelProgress", this);
  ChartProgress = new TPracticeChart(this);

  auto* panelButtons = new QWidget(this);
  panelButtons->setObjectName("PanelButtons");
  ButtonAnswer = MakeButton("ButtonAnswer", "&Answer", panelButtons);
  ButtonAnswer->setDefault(true);
  ButtonEnd = MakeButton("ButtonEnd", "&End", panelButtons);
  ButtonEnd->setAutoDefault(false);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", panelButtons);
  ButtonHelp->setAutoDefault(false);

  auto* directionRow = new QHBoxLayout;
  directionRow->addWidget(RadioRecallNumber);
  directionRow->addWidget(RadioRecallPhrase);
  directionRow->addWidget(RadioWalkJourney);
  directionRow->addStretch();

  auto* hintRow = new QHBoxLayout;
  hintRow->addWidget(LabelHint, 1);
  hintRow->addWidget(ButtonHint);

  auto* answerRow = new QHBoxLayout;
  answerRow->addWidget(LabelAnswer);
  answerRow->addWidget(EditAnswer, 1);

  auto* buttons = new QHBoxLayout(panelButtons);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addWidget(LabelProgress, 1);
  for (QPushButton* button : {ButtonAnswer, ButtonEnd, ButtonHelp}) buttons->addWidget(button);

  auto* top = new QVBoxLayout(this);
  top->addLayout(directionRow);
  top->addWidget(LabelQuestion);
  top->addWidget(LabelPrompt);
  top->addLayout(hintRow);
  top->addLayout(answerRow);
  top->addWidget(LabelResult);
  top->addWidget(ChartProgress, 1);
  top->addWidget(panelButtons);

  connect(ButtonAnswer, &QPushButton::clicked, this, [this] { ButtonAnswerClick(); });
  connect(ButtonHint, &QPushButton::clicked, this, [this] { ButtonHintClick(); });
  // Escape and the close box end the session like this button does.
  connect(ButtonEnd, &QPushButton::clicked, this, [this] { reject(); });
  connect(ButtonHelp, &QPushButton::clicked, this, [this] { ButtonHelpClick(); });
  connect(RadioRecallNumber, &QRadioButton::toggled, this, [this](bool on) {
    if (on) DirectionClick();
  });
  connect(RadioRecallPhrase, &QRadioButton::toggled, this, [this](bool on) {
    if (on) DirectionClick();
  });
  connect(RadioWalkJourney, &QRadioButton::toggled, this, [this](bool on) {
    if (on) DirectionClick();
  });
}

TFormPractice::~TFormPractice() = default;

int64_t TFormPractice::LocalNow() {
  const QDateTime now = QDateTime::currentDateTime();
  return now.toSecsSinceEpoch() + now.offsetFromUtc();
}

void TFormPractice::SetClock(RPracticeSession::Clock clock) { clock_ = std::move(clock); }

void TFormPractice::LoadSchedule(const std::string& worksheetPath) {
  session_.reset();
  worksheet_ = nullptr;
  file_.Open(worksheetPath, schedule_);
}

bool TFormPractice::Prepare(const RWorksheet& worksheet) {
  worksheet_ = &worksheet;
  // A walk needs two places to ask at least: one place is no journey.
  auto walkable = [this](const RNumber& entry) {
    return WalkPlaces(RJourneyScenes(dictionary_, entry, journey_.wordsPerPlace), journey_).size() > 1;
  };
  session_ = std::make_unique<RPracticeSession>(worksheet, schedule_, clock_, CurrentDirection(), walkable);
  walkEntry_ = -1;
  missed_.clear();
  if (session_->EntryCount() == 0) {
    session_.reset();
    worksheet_ = nullptr;
    return false;
  }
  if (file_.NoneFound() && schedule_.Cards().empty())
    ShowStatus("No practice schedule for this worksheet yet; it starts afresh.");
  ShowQuestion();
  return true;
}

void TFormPractice::WorksheetSaved(const RWorksheet& worksheet) { file_.Saved(worksheet, schedule_); }

void TFormPractice::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  EditAnswer->setFocus();
}

TFormPractice::Direction TFormPractice::CurrentDirection() const {
  if (RadioWalkJourney->isChecked()) return Direction::WalkJourney;
  return RadioRecallPhrase->isChecked() ? Direction::RecallPhrase : Direction::RecallNumber;
}

void TFormPractice::ShowQuestion() {
  current_ = session_ ? session_->Next() : -1;
  if (current_ < 0) {
    ShowOver();
    return;
  }
  stage_ = Stage::Asking;
  const RNumber& entry = worksheet_->At(current_);
  // A phrase with uncovered digits is no clue: its dots are never shown.
  const std::string_view phrase = HasCompletePhrase(entry) ? TrimBlanks(entry.Phrase()) : std::string_view();
  const std::string_view description = TrimBlanks(entry.Description());
  LabelHint->clear();
  if (CurrentDirection() == Direction::RecallNumber) {
    // Without a description the phrase itself is the question; the session
    // asks no entry that has neither.
    LabelQuestion->setText(description.empty() ? QStringLiteral("Which number does this phrase stand for?")
                                               : QStringLiteral("Which number is this?"));
    LabelPrompt->setText(ToQString(description.empty() ? phrase : description));
    ButtonHint->setEnabled(!description.empty() && !phrase.empty());
    ButtonHint->setText(QStringLiteral("H&int: Phrase"));
  } else if (CurrentDirection() == Direction::WalkJourney) {
    AskWalkPlace(entry);
  } else {
    LabelQuestion->setText(QStringLiteral("Type a phrase for this number:"));
    LabelPrompt->setText(ToQString(entry.Number()));
    ButtonHint->setEnabled(!description.empty());
    ButtonHint->setText(QStringLiteral("H&int: Description"));
  }
  EditAnswer->clear();
  EditAnswer->setReadOnly(false);
  EditAnswer->setEnabled(true);
  EditAnswer->setFocus();
  LabelResult->clear();
  LabelResult->setToolTip(QString());
  ButtonAnswer->setText(QStringLiteral("&Answer"));
  UpdateProgress();
}

void TFormPractice::AskWalkPlace(const RNumber& entry) {
  if (walkEntry_ != current_ || walk_.Over()) {
    walk_ = RJourneyWalk(WalkPlaces(RJourneyScenes(dictionary_, entry, journey_.wordsPerPlace), journey_));
    walkEntry_ = current_;
  }
  const RWalkPlace& place = walk_.Current();
  LabelQuestion->setText(QStringLiteral("Place %1 of %2: which digits stand here?")
                             .arg(walk_.Position() + 1)
                             .arg(walk_.Count()));
  LabelPrompt->setText(ToQString(place.place));
  LabelHint->setText(place.cue.empty() ? QStringLiteral("The journey of ") + ToQString(EntryName(entry))
                                       : QStringLiteral("Before it: ") + ToQString(place.cue));
  ButtonHint->setEnabled(true);
  ButtonHint->setText(QStringLiteral("H&int: Words"));
}

void TFormPractice::ButtonHintClick() {
  if (stage_ != Stage::Asking || current_ < 0) return;
  const RNumber& entry = worksheet_->At(current_);
  if (CurrentDirection() == Direction::WalkJourney && walkEntry_ == current_ && !walk_.Over())
    LabelHint->setText(LabelHint->text() + QStringLiteral("   Here: ") + ToQString(walk_.Current().words));
  else if (CurrentDirection() == Direction::RecallNumber)
    LabelHint->setText(QStringLiteral("Phrase: ") + ToQString(TrimBlanks(entry.Phrase())));
  else
    LabelHint->setText(QStringLiteral("Description: ") + ToQString(TrimBlanks(entry.Description())));
  ButtonHint->setEnabled(false);
  EditAnswer->setFocus();
}

void TFormPractice::ShowAnswer() {
  const RNumber& entry = worksheet_->At(current_);
  const std::string typed = FromQString(EditAnswer->text());
  if (CurrentDirection() == Direction::WalkJourney) {
    ShowWalkAnswer(entry, typed);
    return;
  }
  bool right = false;
  RDigitMarks marks;
  if (CurrentDirection() == Direction::RecallNumber) {
    marks = MarkDigits(entry.Digits(), DigitsOf(typed));
    right = marks.right;
  } else {
    // Any phrase whose words spell the digits is right, not only the stored one.
    right = PhraseSpellsDigits(dictionary_, typed, entry.Digits());
    marks = MarkDigits(entry.Digits(), SpelledDigits(dictionary_, typed));
  }
  session_->Answer(right);
  QString details = QStringLiteral("Number: <b>%1</b>").arg(Html(entry.Number()));
  if (HasCompletePhrase(entry))
    details += QStringLiteral(" &nbsp; Phrase: <b>%1</b>").arg(Html(TrimBlanks(entry.Phrase())));
  ShowResult(right, marks, details);
}

void TFormPractice::ShowWalkAnswer(const RNumber& entry, const std::string& typed) {
  const RWalkPlace* place = nullptr;
  const RDigitMarks marks = walk_.Answer(typed, &place);
  // The words are shown whatever the answer: after a wrong one to mend the
  // picture, after a right one to fix it.
  QString details = QStringLiteral("Digits: <b>%1</b> &nbsp; Words: <b>%2</b>")
                        .arg(Html(place->digits), Html(place->words));
  if (walk_.Over()) {
    // The whole walk is one answer for the entry.
    session_->Answer(walk_.AllRight());
    const std::vector<std::string> missed = walk_.MissedPlaces();
    if (!missed.empty()) missed_.push_back(RMissedPlaces{EntryName(entry), missed});
    // The places are named here, where they are read, not only in the
    // status bar once the session is over.
    details += missed.empty() ? QStringLiteral("<br>The end of the journey, every place right.")
                              : QStringLiteral("<br>The end of the journey. Go over again %1 of %2: <b>%3</b>.")
                                    .arg(missed.size())
                                    .arg(ToQString(CountOf(walk_.Count(), "place")))
                                    .arg(Html(PlaceList(missed, kPlacesNamed)));
  }
  ShowResult(marks.right, marks, details);
  LabelResult->setToolTip(walk_.Over() ? ToQString(PlaceList(walk_.MissedPlaces(), walk_.Count())) : QString());
}

void TFormPractice::BreakOffWalk() {
  if (session_ && walkEntry_ >= 0 && !walk_.Over() && !walk_.AllRight()) {
    session_->Answer(false);
    missed_.push_back(RMissedPlaces{EntryName(worksheet_->At(walkEntry_)), walk_.MissedPlaces()});
  }
  walkEntry_ = -1;
}

void TFormPractice::ShowResult(bool right, const RDigitMarks& marks, const QString& details) {
  stage_ = Stage::Showing;
  QString html = right ? QStringLiteral("<b><font color=\"#2a8a38\">Right.</font></b>")
                       : QStringLiteral("<b><font color=\"#c0281e\">Wrong.</font></b>");
  html += QStringLiteral(" Your digits: <tt>%1</tt><br>").arg(MarkedHtml(marks));
  LabelResult->setText(html + details);
  EditAnswer->setReadOnly(true);
  ButtonHint->setEnabled(false);
  ButtonAnswer->setText(QStringLiteral("&Next"));
  UpdateProgress();
}

void TFormPractice::ShowOver() {
  stage_ = Stage::Over;
  current_ = -1;
  // Nothing could be asked this way round: the other way may have something.
  const bool none = session_ && session_->LeftOut() == session_->EntryCount();
  const bool walk = CurrentDirection() == Direction::WalkJourney;
  LabelQuestion->setText(!none ? QStringLiteral("Nothing more is due.")
                         : walk ? QStringLiteral("No number here has a complete phrase of two places or more.")
                                : QStringLiteral("No number here has a description or a complete phrase."));
  LabelPrompt->setText(none ? QStringLiteral("Try the other way round.") : QStringLiteral("Well done."));
  LabelHint->clear();
  ButtonHint->setEnabled(false);
  EditAnswer->clear();
  EditAnswer->setEnabled(false);
  LabelResult->setText(Html(Summary()));
  ButtonAnswer->setText(QStringLiteral("&Close"));
  ButtonAnswer->setFocus();
  UpdateProgress();
}

void TFormPractice::ButtonAnswerClick() {
  switch (stage_) {
    case Stage::Asking:
      // A blank answer is no answer: it is asked for, not counted wrong. So
      // is one without a digit where digits are asked for (the scene's
      // words typed instead of what they stand for).
      if (EditAnswer->text().trimmed().isEmpty())
        LabelResult->setText(QStringLiteral("Type your answer, then press Enter."));
      else if (CurrentDirection() != Direction::RecallPhrase && DigitsOf(FromQString(EditAnswer->text())).empty())
        LabelResult->setText(CurrentDirection() == Direction::WalkJourney
                                 ? QStringLiteral("Type the digits that stand here, then press Enter.")
                                 : QStringLiteral("Type the number's digits, then press Enter."));
      else
        ShowAnswer();
      break;
    case Stage::Showing: ShowQuestion(); break;
    case Stage::Over: accept(); break;
  }
}

void TFormPractice::DirectionClick() {
  if (!session_) return;
  BreakOffWalk();
  session_->SetDirection(CurrentDirection());
  // The entry on screen is asked again the other way round; at the end, the
  // other way round may still find numbers left out this way.
  if (stage_ != Stage::Showing) ShowQuestion();
}

void TFormPractice::ButtonHelpClick() { CurrentPlatform().ShowHelp(kHelpContext); }

void TFormPractice::UpdateProgress() {
  if (!session_) return;
  const RStageCounts stages = session_->Stages();
  QString progress = QStringLiteral("Answered %1, right %2").arg(session_->Answered()).arg(session_->Right());
  if (session_->LeftOut() > 0) progress += QStringLiteral(", left out %1").arg(session_->LeftOut());
  LabelProgress->setText(progress);
  ChartProgress->SetData(RecentDays(schedule_, DayOf(session_->Now())), stages);
}

std::string TFormPractice::Summary() const {
  if (!session_) return std::string();
  std::string text = "Answered " + std::to_string(session_->Answered()) + ", right " +
                     std::to_string(session_->Right()) + ".";
  int count = 0;
  const int64_t due = session_->NextDue(count);
  if (count > 0)
    text += " Due next: " + CountOf(count, "number") + " " + DayText(due, session_->Now()) + ".";
  if (const int leftOut = session_->LeftOut(); leftOut > 0)
    text += " Left out: " + CountOf(leftOut, "number") +
            (CurrentDirection() == Direction::WalkJourney ? " without a complete phrase of two places or more."
                                                           : " with neither a description nor a complete phrase.");
  if (const std::string places = MissedPlacesText(missed_); !places.empty())
    text += " Go over again: " + places + ".";
  return text;
}

void TFormPractice::FinishSession() {
  if (!session_) return;
  BreakOffWalk();
  const bool answered = session_->Answered() > 0;
  const std::string summary = "Practice: " + Summary();
  if (answered) {
    schedule_.DropDaysBefore(DayOf(session_->Now()) - kKeptDays + 1);
    std::string note;
    if (file_.PracticePath().empty()) {
      ShowStatus(summary + " The schedule is written beside the worksheet once it has a file.");
    } else if (file_.Write(*worksheet_, schedule_, note)) {
      ShowStatus(summary + note);
    } else if (!note.empty()) {
      ShowStatusAlert(summary + note);
    }
  } else {
    ShowStatus(summary);
  }
  session_.reset();
  worksheet_ = nullptr;
  stage_ = Stage::Over;
}

}  // namespace tq
