// The Numbers Drill window: random digits memorised in a set time and
// recalled from the keyboard, scored as memory competitions score them
// (NumbersDrill.h). Four pages, one after the other:
//
// - Setup: how many digits, the memorising time, the recall time (three
//   times the memorising time until it is set by hand) and the groups the
//   digits are shown in; the chart of the scores over the days below.
// - Memorise: the digits in rows of 40, in groups, with a countdown; "Recall
//   Now" ends it early, and so does the end of the time.
// - Recall: one field per row, typed row by row: a full row, Enter or Down
//   goes on to the next, Up goes back; a dot stands for a digit not known.
//   "Finish" or the end of the recall time scores it.
// - Results: the score, each row with its right, wrong and missing digits,
//   and the chart with the new score.
// - Review (from the results): the digits laid on the user's journey with
//   the pegs in force, as they were shown (LayOnJourney), each place with
//   what was recalled there.
//
// Every scored attempt goes into the history file (NumbersHistory.h) at
// once. Escape, or the close box, during memorising or recall asks whether
// to give the attempt up; an attempt given up is not scored.
//
//   FormNumbersDrill->Prepare(pegs, journey);
//   CurrentPlatform().RunModal(FormNumbersDrill);
//   FormNumbersDrill->Finish();
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Journey.h"
#include "NumbersDrill.h"
#include "NumbersHistory.h"
#include "TrainingFile.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QStackedWidget;
class QTableWidget;
class QTextBrowser;
class QTimer;

namespace tq {

class RDictionary;
class RPegSystem;
class TNumbersChart;

class TFormNumbersDrill : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 2650;
  // How often the countdown is looked at, in milliseconds.
  static constexpr int kTickMs = 200;
  using SteadyClock = std::function<int64_t()>;  // milliseconds, only forward
  using LocalClock = std::function<int64_t()>;   // local seconds since 1970

  enum class Stage { Setup, Memorise, Recall, Results, Review };

  explicit TFormNumbersDrill(const RDictionary& dictionary, QWidget* parent = nullptr);

  void SetClocks(SteadyClock steady, LocalClock local);
  void SetSeed(uint64_t seed) { seed_ = seed; }

  // Reads the history from the user's folder and shows the setup page with
  // the last attempt's settings; without a history the digits are grouped
  // as the user's own pegs mostly are (UsualPegDigits). The review lays the
  // digits with `pegs` on `journey`; the pegs must outlive the window's use
  // of them.
  void Prepare(RPegSystem& pegs, const RJourney& journey);
  // After the window has closed: an attempt still under way is given up.
  void Finish();

  Stage CurrentStage() const { return stage_; }
  const std::string& Digits() const { return digits_; }
  const RNumbersHistory& History() const { return history_; }
  const RRecallScore& Score() const { return score_; }
  // The recall's fields, one per row.
  const std::vector<QLineEdit*>& RecallRows() const { return rowEdits_; }
  // Looks at the clock: shows the time left, and ends the stage whose time is up.
  void Tick();

 public:
  QStackedWidget* PagesDrill;
  QSpinBox* SpinDigits;
  QSpinBox* SpinMemorise;
  QSpinBox* SpinRecall;
  QComboBox* ComboGroup;
  QLabel* LabelHistory;
  QPushButton* ButtonStart;
  QLabel* LabelMemorise;
  QTextBrowser* TextDigits;
  QPushButton* ButtonRecallNow;
  QLabel* LabelRecall;
  QScrollArea* ScrollRecall;
  QPushButton* ButtonFinish;
  QLabel* LabelScore;
  QTextBrowser* TextResults;
  QPushButton* ButtonReview;
  QPushButton* ButtonNewAttempt;
  QLabel* LabelReview;
  QTableWidget* ListReview;
  QPushButton* ButtonBack;
  TNumbersChart* ChartScores;
  QPushButton* ButtonHelp;
  QPushButton* ButtonClose;

 public:
  // Escape: during memorising or recall, asks whether to give the attempt
  // up; otherwise closes.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ButtonStartClick();
  void StartRecall();
  void FinishRecall();
  void ShowSetup();
  void ShowResults();
  void ButtonReviewClick();
  // True when the user gives the attempt under way up (asked).
  bool AskGiveUp();
  void GiveUp();
  void UpdateHistoryText();
  void UpdateChart();
  // Moves the focus to the recall row, shown.
  void FocusRow(int row);
  RNumbersSettings SettingsShown() const;
  int64_t Elapsed() const { return steady_() - stageStart_; }

  const RDictionary& dictionary_;
  RPegSystem* pegs_ = nullptr;
  RJourney journey_ = DefaultJourney();
  SteadyClock steady_;
  LocalClock local_;
  uint64_t seed_ = 0;
  RNumbersHistory history_;
  RTrainingFile file_;
  Stage stage_ = Stage::Setup;
  RNumbersSettings attempt_;  // the settings of the attempt under way
  std::string digits_;
  int32_t memorisedSeconds_ = 0;
  int64_t stageStart_ = 0;
  QTimer* timer_;
  QWidget* rowsPanel_ = nullptr;
  std::vector<QLineEdit*> rowEdits_;
  RRecallScore score_;
  bool newBest_ = false;
  // The recall time follows the memorising time until it is set by hand.
  bool recallFollows_ = true;
};

}  // namespace tq
