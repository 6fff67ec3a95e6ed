// The Practice dialog: asks the numbers of the current worksheet in the order
// the schedule gives, in one of two directions (recall the number from its
// description, or a phrase for the number), says right or wrong with the
// wrong digits marked, and shows the progress chart. The schedule lives here
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
//   if (!FormPractice->Prepare(*CurrentWorksheet)) return;
//   CurrentPlatform().RunModal(FormPractice);
//   FormPractice->FinishSession();
//
// Keys: Enter answers, Enter again goes on; Escape ends the session; F1 help.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

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

  // Reads the schedule that belongs to a worksheet file (none for an empty
  // path). A file that is there but cannot be taken in starts the schedule
  // afresh, and an alert in the status bar says what is done with it: a
  // damaged one is set aside when the schedule is next written; one that
  // cannot be read or is from a newer version is left alone, and the
  // schedule is not written beside this name. A missing one is only
  // mentioned when a session starts (see Prepare).
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
  // new name, the schedule goes with it and, when it holds any card or day,
  // is written beside it at once (the file beside the old name stays). A
  // file already there that cannot be read or is from a newer version is
  // said as LoadSchedule says it, and kept; what became of any other is said
  // in the status bar, as an alert when the schedule was not written.
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
  const std::string& PracticePath() const { return practicePath_; }
  Direction CurrentDirection() const;
  // The summary of the session so far: answered, right and due next.
  std::string Summary() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  enum class Stage { Asking, Showing, Over };
  void ShowQuestion();
  void ShowAnswer();
  void ShowOver();
  void UpdateProgress();
  void ButtonAnswerClick();
  void ButtonHintClick();
  void ButtonHelpClick();
  void DirectionClick();
  // The one place where the practice file follows the worksheet's name:
  // after the worksheet was opened or started afresh (LoadSchedule) or
  // saved under a name of its own (WorksheetSaved), never before a save
  // succeeded. What is there is read into `read` and looked at as when a
  // worksheet is opened: a file that cannot be taken in is said in the
  // status bar and never written over unseen.
  void FollowWorksheet(const std::string& worksheetPath, RPracticeSchedule& read);
  // Writes the schedule unless the file there cannot be read or is from a
  // newer version, as found when the schedule was read or now; a damaged
  // one is set aside first. False when nothing was written. `note` holds
  // sentences, each after one blank: where a damaged file was kept, and why
  // nothing was written (nothing when the writer has shown its own error).
  bool SaveSchedule(const RWorksheet& worksheet, std::string& note);

  const RDictionary& dictionary_;
  RPracticeSession::Clock clock_;
  RPracticeSchedule schedule_;
  std::string worksheetPath_;  // the worksheet file the schedule belongs to
  std::string practicePath_;
  // What was found at practicePath_ when the schedule was read, and why an
  // unreadable file could not be read.
  PracticeLoad found_ = PracticeLoad::Missing;
  std::string foundReason_;
  const RWorksheet* worksheet_ = nullptr;
  std::unique_ptr<RPracticeSession> session_;
  Stage stage_ = Stage::Over;
  int32_t current_ = -1;

  QRadioButton* RadioRecallNumber;
  QRadioButton* RadioRecallPhrase;
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
