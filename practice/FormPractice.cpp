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

// Why a practice file is left as it is: a sentence without its capital and
// its full stop. Anything but an unreadable or newer file is a damaged one
// that could not be set aside.
std::string UntouchedText(const std::string& path, PracticeLoad found, const std::string& reason) {
  const std::string file = "the practice file '" + NativeText(path) + "'";
  switch (found) {
    case PracticeLoad::Unreadable: return file + " could not be read (" + reason + ")";
    case PracticeLoad::Newer: return file + " is from a newer version of Tessaloquine";
    default: return file + " is damaged and could not be set aside (" + reason + ")";
  }
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
  RadioRecallNumber->setChecked(true);
  auto* directions = new QButtonGroup(this);
  directions->addButton(RadioRecallNumber);
  directions->addButton(RadioRecallPhrase);

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
}

TFormPractice::~TFormPractice() = default;

int64_t TFormPractice::LocalNow() {
  const QDateTime now = QDateTime::currentDateTime();
  return now.toSecsSinceEpoch() + now.offsetFromUtc();
}

void TFormPractice::SetClock(RPracticeSession::Clock clock) { clock_ = std::move(clock); }

void TFormPractice::FollowWorksheet(const std::string& worksheetPath, RPracticeSchedule& read) {
  worksheetPath_ = worksheetPath;
  practicePath_ = PracticeFileOf(worksheetPath);
  found_ = ReadPracticeFile(practicePath_, read, &foundReason_);
  const std::string file = "The practice file '" + NativeText(practicePath_) + "'";
  switch (found_) {
    case PracticeLoad::Missing:
    case PracticeLoad::Loaded:
      break;
    case PracticeLoad::Damaged:
      ShowStatusAlert(file + " is damaged; the schedule starts afresh. It will be kept aside, not overwritten.");
      break;
    case PracticeLoad::Unreadable:
    case PracticeLoad::Newer: {
      std::string text = UntouchedText(practicePath_, found_, foundReason_) +
                         ". It is left as it is, and practice on this worksheet is not saved.";
      text[0] = 'T';
      ShowStatusAlert(text);
      break;
    }
  }
}

void TFormPractice::LoadSchedule(const std::string& worksheetPath) {
  session_.reset();
  worksheet_ = nullptr;
  FollowWorksheet(worksheetPath, schedule_);
}

bool TFormPractice::Prepare(const RWorksheet& worksheet) {
  worksheet_ = &worksheet;
  session_ = std::make_unique<RPracticeSession>(worksheet, schedule_, clock_, CurrentDirection());
  if (session_->EntryCount() == 0) {
    session_.reset();
    worksheet_ = nullptr;
    return false;
  }
  if (found_ == PracticeLoad::Missing && !practicePath_.empty() && schedule_.Cards().empty())
    ShowStatus("No practice schedule for this worksheet yet; it starts afresh.");
  ShowQuestion();
  return true;
}

void TFormPractice::WorksheetSaved(const RWorksheet& worksheet) {
  if (worksheet.FileName() == worksheetPath_ || worksheet.FileName().empty()) return;
  // The schedule held here goes with the worksheet; what is there is only
  // looked at, so that a file that cannot be taken in is kept.
  RPracticeSchedule there;
  FollowWorksheet(worksheet.FileName(), there);
  if (schedule_.Cards().empty() && schedule_.Days().empty()) return;
  if (found_ == PracticeLoad::Unreadable || found_ == PracticeLoad::Newer) return;  // said above
  std::string note;
  const bool written = SaveSchedule(worksheet, note);
  if (!note.empty()) {
    if (written)
      ShowStatus(note.substr(1));
    else
      ShowStatusAlert(note.substr(1));
  }
}

bool TFormPractice::SaveSchedule(const RWorksheet& worksheet, std::string& note) {
  note.clear();
  // A file read as unreadable or newer stays so even if it reads now: what
  // is held here was started without it.
  if (found_ == PracticeLoad::Unreadable || found_ == PracticeLoad::Newer) {
    note = " The schedule was not saved: " + UntouchedText(practicePath_, found_, foundReason_) + ".";
    return false;
  }
  const RPracticeSave save = SavePracticeFile(practicePath_, schedule_, KeysOf(worksheet));
  if (!save.keptAs.empty())
    note = " The damaged practice file was kept as '" + NativeText(save.keptAs) + "'.";
  if (save.written) {
    found_ = PracticeLoad::Loaded;
    return true;
  }
  if (save.found != PracticeLoad::Missing && save.found != PracticeLoad::Loaded)
    note += " The schedule was not saved: " + UntouchedText(practicePath_, save.found, save.reason) + ".";
  return false;
}

void TFormPractice::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  EditAnswer->setFocus();
}

TFormPractice::Direction TFormPractice::CurrentDirection() const {
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
  ButtonAnswer->setText(QStringLiteral("&Answer"));
  UpdateProgress();
}

void TFormPractice::ButtonHintClick() {
  if (stage_ != Stage::Asking || current_ < 0) return;
  const RNumber& entry = worksheet_->At(current_);
  if (CurrentDirection() == Direction::RecallNumber)
    LabelHint->setText(QStringLiteral("Phrase: ") + ToQString(TrimBlanks(entry.Phrase())));
  else
    LabelHint->setText(QStringLiteral("Description: ") + ToQString(TrimBlanks(entry.Description())));
  ButtonHint->setEnabled(false);
  EditAnswer->setFocus();
}

void TFormPractice::ShowAnswer() {
  const RNumber& entry = worksheet_->At(current_);
  const std::string typed = FromQString(EditAnswer->text());
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
  stage_ = Stage::Showing;

  QString html = right ? QStringLiteral("<b><font color=\"#2a8a38\">Right.</font></b>")
                       : QStringLiteral("<b><font color=\"#c0281e\">Wrong.</font></b>");
  html += QStringLiteral(" Your digits: <tt>%1</tt><br>").arg(MarkedHtml(marks));
  html += QStringLiteral("Number: <b>%1</b>").arg(Html(entry.Number()));
  if (HasCompletePhrase(entry))
    html += QStringLiteral(" &nbsp; Phrase: <b>%1</b>").arg(Html(TrimBlanks(entry.Phrase())));
  LabelResult->setText(html);
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
  LabelQuestion->setText(none ? QStringLiteral("No number here has a description or a complete phrase.")
                              : QStringLiteral("Nothing more is due."));
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
      // A blank answer is no answer: it is asked for, not counted wrong.
      if (EditAnswer->text().trimmed().isEmpty())
        LabelResult->setText(QStringLiteral("Type your answer, then press Enter."));
      else
        ShowAnswer();
      break;
    case Stage::Showing: ShowQuestion(); break;
    case Stage::Over: accept(); break;
  }
}

void TFormPractice::DirectionClick() {
  if (!session_) return;
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
    text += " Due next: " + std::to_string(count) + (count == 1 ? " number " : " numbers ") +
            DayText(due, session_->Now()) + ".";
  if (const int leftOut = session_->LeftOut(); leftOut > 0)
    text += " Left out: " + std::to_string(leftOut) + (leftOut == 1 ? " number" : " numbers") +
            " with neither a description nor a complete phrase.";
  return text;
}

void TFormPractice::FinishSession() {
  if (!session_) return;
  const bool answered = session_->Answered() > 0;
  const std::string summary = "Practice: " + Summary();
  if (answered) {
    schedule_.DropDaysBefore(DayOf(session_->Now()) - kKeptDays + 1);
    std::string note;
    if (practicePath_.empty()) {
      ShowStatus(summary + " The schedule is written beside the worksheet once it has a file.");
    } else if (SaveSchedule(*worksheet_, note)) {
      // A failed Save As gave the worksheet a name but no file there yet.
      if (worksheet_->FileName() != worksheetPath_)
        note += " The schedule stays beside '" + NativeText(worksheetPath_) + "' until the worksheet is saved.";
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
