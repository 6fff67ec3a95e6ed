// The Peg Drill window: drills the user's pegs for speed. The setup page
// chooses the direction (the number shown and the peg typed, or the other
// way round), the pegs (two or three digits), how many items and the target
// time; the drill page shows one item at a time and takes the answer on
// Enter, timed on the monotonic clock from the moment the item shows; the
// end page shows the accuracy, the mean time and the ten slowest pegs, and
// starts the next drill as this one was set, or goes back to the setup. The
// chart of the mean time per day stands below the setup and the end.
//
// The record (PegDrillRecord.h) is read when the window is prepared and
// written when a drill ends: at its last item, on Escape (which ends a drill
// under way and shows its end; Escape again closes), on the close box, or
// when the window goes away in any other way.
//
//   FormPegDrill->Prepare(pegs);  // the pegs in force
//   CurrentPlatform().RunModal(FormPegDrill);
//   FormPegDrill->Finish();
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

#include "PegDrill.h"
#include "PegDrillRecord.h"
#include "TrainingFile.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;

namespace tq {

class RDictionary;
class RPegSystem;
class TPegDrillChart;

class TFormPegDrill : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 2600;
  // Milliseconds on a clock that only goes forward.
  using SteadyClock = std::function<int64_t()>;
  // Seconds of local time since 1970, for the day an answer counts on.
  using LocalClock = std::function<int64_t()>;

  explicit TFormPegDrill(const RDictionary& dictionary, QWidget* parent = nullptr);
  ~TFormPegDrill() override;

  // Tests give clocks and a seed of their own.
  void SetClocks(SteadyClock steady, LocalClock local);
  void SetSeed(uint64_t seed) { seed_ = seed; }
  static int64_t SteadyNow();

  // Reads the record from the user's folder and shows the setup page with
  // the last drill's settings. The drills ask `pegs` (which must outlive
  // the window's use of it) for the pegs in force.
  void Prepare(RPegSystem& pegs);
  // After the window has closed: a drill still under way ends and is written.
  void Finish();

  const RPegDrillRecord& Record() const { return record_; }
  // The drill under way or just ended; null before the first.
  const RPegDrill* Drill() const { return drill_.get(); }
  bool Drilling() const { return drill_ && !drill_->Over() && !ended_; }
  // What the end page says above the list of the slowest pegs.
  QString Summary() const;

 public:
  QStackedWidget* PagesDrill;
  QRadioButton* RadioNumberToPeg;
  QRadioButton* RadioPegToNumber;
  QComboBox* ComboDigits;
  QSpinBox* SpinItems;
  QDoubleSpinBox* SpinTarget;
  QLabel* LabelRecord;
  QPushButton* ButtonStart;
  QLabel* LabelQuestion;
  QLabel* LabelPrompt;
  QLineEdit* EditAnswer;
  QLabel* LabelLast;
  QLabel* LabelProgress;
  QPushButton* ButtonAnswer;
  QLabel* LabelSummary;
  QTableWidget* ListSlowest;
  QPushButton* ButtonAgain;
  QPushButton* ButtonSettings;
  TPegDrillChart* ChartTimes;
  QPushButton* ButtonHelp;
  QPushButton* ButtonClose;

 public:
  // Escape: a drill under way ends and shows its end; otherwise the window closes.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ButtonStartClick();
  void ButtonAnswerClick();
  void ShowItem();
  // Ends the drill (once), writes the record and shows the end page.
  void EndDrill();
  void ShowSetup();
  void UpdateChart();
  RPegDrillSettings SettingsShown() const;
  int32_t Today() const;

  const RDictionary& dictionary_;
  RPegSystem* pegs_ = nullptr;
  SteadyClock steady_;
  LocalClock local_;
  uint64_t seed_ = 0;
  RPegDrillRecord record_;
  RTrainingFile file_;
  std::unique_ptr<RPegDrill> drill_;
  bool ended_ = true;
  int64_t shownAt_ = 0;
};

}  // namespace tq
