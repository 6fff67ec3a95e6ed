// The Practice dialog: asks the numbers of the current worksheet in the order
// the schedule gives, in one of three directions (recall the number from its
// description, a phrase for the number, or walk the number's journey place
// by place), says right or wrong with the wrong digits marked, and shows the
// progress chart. The schedule lives here
// from one opening of a worksheet to the next (a new worksheet starts with
// none); the practice file is read when a worksheet is opened, and written
// when a session in which anything was answered ends and the worksheet has a
// file, and when the worksheet is saved under a new name (or for the first
// time) and the schedule holds anything.
//
// One instance lives from start to exit and is shown modally through the
// platform seam:
//
//   FormPractice->LoadSchedule(path);            // after opening a worksheet
//   FormPractice->SetJourney(journey);           // the places a walk goes along
//   if (!FormPractice->Prepare(*CurrentWorksheet)) return;
//   CurrentPlatform().RunModal(FormPractice);
//   FormPractice->FinishSession();
//
// Keys: Enter answers, Enter again goes on; Escape ends the session; F1 help.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "Journey.h"
#include "JourneyWalk.h"
#include "PracticeFile.h"
#include "PracticeSchedule.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tq {

class RDictionary;
class RWorksheet;
class TPracticeChart;

class TFormPractice : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 2400;
  using Direction = PracticeDirection;

  explicit TFormPractice(const RDictionary& dictionary, QWidget* parent = nullptr);
  ~TFormPractice() override;

  // Local time in seconds since 1970; tests give a clock of their own.
  void SetClock(RPracticeSession::Clock clock);
  static int64_t LocalNow();
  // The user's journey, for the next session's walks; until it is given,
  // the default journey.
  void SetJourney(const RJourney& journey) { journey_ = journey; }

  // After a worksheet was opened or started afresh (an empty path): reads
  // the schedule that belongs to it, as RPracticeFileLink::Open says. A
  // missing one is only mentioned when a session starts (see Prepare).
  void LoadSchedule(const std::string& worksheetPath);
  // Starts a session on the worksheet's numbers. False, with nothing shown,
  // when no entry has a number with digits. The schedule stays with the file
  // it was read with until a save gives the worksheet another (a failed Save
  // As leaves the worksheet a name, but no file, of its own). When the
  // worksheet has a file, no practice file was found beside it and the
  // schedule holds no card, the status bar says that the schedule starts
  // afresh.
  bool Prepare(const RWorksheet& worksheet);
  // After the worksheet was saved: when that gave it its first file or a
  // new name, the schedule goes with it (RPracticeFileLink::Saved).
  void WorksheetSaved(const RWorksheet& worksheet);
  // After the dialog has closed: when anything was answered, drops the days
  // the chart no longer needs and writes the practice file if the worksheet
  // has one. The status bar gets "Practice: " and the summary, followed by
  // what became of the file: for a worksheet without a file, that the
  // schedule is written once it has one; when the file was left as it was,
  // why, as an alert; after a failed Save As, beside which file it stays.
  // When the writer has shown its own error, the status bar is left as it
  // was. The worksheet itself is never marked modified.
  void FinishSession();

  const RPracticeSchedule& Schedule() const { return schedule_; }
  const std::string& PracticePath() const { return file_.PracticePath(); }
  Direction CurrentDirection() const;
  // The summary of the session so far: answered, right and due next, and
  // the places of the walks to go over again.
  std::string Summary() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  enum class Stage { Asking, Showing, Over };
  void ShowQuestion();
  void ShowAnswer();
  // Right or wrong, the typed digits with the wrong ones marked, and what
  // the answer was; then the Next button.
  void ShowResult(bool right, const RDigitMarks& marks, const QString& details);
  // The walk's side: the place asked now (a walk starts at the entry's
  // first place), and the answer to it.
  void AskWalkPlace(const RNumber& entry);
  void ShowWalkAnswer(const RNumber& entry, const std::string& typed);
  // A walk left before its end starts afresh when walked again. With a
  // place gone wrong already it counts as a wrong answer, and its places to
  // go over again are kept; without one it counts for nothing.
  void BreakOffWalk();
  void ShowOver();
  void UpdateProgress();
  void ButtonAnswerClick();
  void ButtonHintClick();
  void ButtonHelpClick();
  void DirectionClick();

  const RDictionary& dictionary_;
  RPracticeSession::Clock clock_;
  RPracticeSchedule schedule_;
  // The practice file the schedule belongs to; it follows the worksheet.
  RPracticeFileLink file_;
  const RWorksheet* worksheet_ = nullptr;
  std::unique_ptr<RPracticeSession> session_;
  Stage stage_ = Stage::Over;
  int32_t current_ = -1;
  RJourney journey_ = DefaultJourney();
  RJourneyWalk walk_;
  int32_t walkEntry_ = -1;  // the entry walked, while a walk is under way
  std::vector<RMissedPlaces> missed_;

  QRadioButton* RadioRecallNumber;
  QRadioButton* RadioRecallPhrase;
  QRadioButton* RadioWalkJourney;
  QLabel* LabelQuestion;
  QLabel* LabelPrompt;
  QLabel* LabelHint;
  QPushButton* ButtonHint;
  QLabel* LabelAnswer;
  QLineEdit* EditAnswer;
  QLabel* LabelResult;
  QLabel* LabelProgress;
  TPracticeChart* ChartProgress;
  QPushButton* ButtonAnswer;
  QPushButton* ButtonEnd;
  QPushButton* ButtonHelp;
};

}  // namespace tq
