// What an answer in the peg drill costs, from the Enter that answers to the
// next item on the screen, on the generated dictionary's pegs of three digits
// (a drill of 1,000 items, so that no step is the drill's end):
//
// - DrillStep: the plain step, RPegDrill::Answer with the typed peg and the
//   next item asked, every answer of its own.
// - DrillWindowStep: the Peg Drill window's step, offscreen: Enter in the
//   answer field, the record updated, the last answer's line and the next
//   item set, until the item's label has painted.
//
// After the run each is printed against the drill's budget of 50 ms. The
// user's files go to a scratch folder: nothing is written beside the data.
//
//   QT_QPA_PLATFORM=offscreen bin/tq_training_bench [--benchmark_repetitions=5]
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <map>
#include <memory>

#include "FormPegDrill.h"
#include "PaintWatch.h"
#include "PegDrill.h"
#include "PegSystem.h"
#include "QtBenchMain.h"
#include "RDictionary.h"
#include "TrainingPegs.h"

namespace {

constexpr double kBudgetMs = 50.0;
constexpr int kItems = 1000;

// The generated dictionary, with the user's files in a folder of their own,
// and its pegs in force (the suggested ones: the user has none there).
tq::RDictionary& Dictionary() {
  static QTemporaryDir scratch;
  static tq::RDictionary* dict = [] {
    tq::DataPaths paths = tq::PortablePaths(TQ_BENCH_DATA_DIR "/");
    paths.userDirectory = scratch.path().toStdString() + "/";
    return tq::CreateDictionary(paths).release();
  }();
  return *dict;
}
tq::RPegSystem& Pegs() {
  static tq::RPegSystem pegs(Dictionary());
  return pegs;
}

void BM_DrillStep(benchmark::State& state) {
  const std::vector<tq::RDrillItem> items = tq::DrillItems(tq::TrainingPegs(Pegs(), 3));
  tq::RPegDrillRecord record;
  record.settings.items = kItems;
  record.settings.digits = 3;
  auto drill = std::make_unique<tq::RPegDrill>(items, record, 20522, 1);
  for (auto _ : state) {
    if (drill->Left() < 2) {
      state.PauseTiming();
      drill = std::make_unique<tq::RPegDrill>(items, record, 20522, 1);
      state.ResumeTiming();
    }
    const tq::RDrillOutcome outcome = drill->Answer(drill->Current()->peg, 900);
    benchmark::DoNotOptimize(outcome.right);
    benchmark::DoNotOptimize(drill->Current());
  }
}
BENCHMARK(BM_DrillStep)->Unit(benchmark::kMicrosecond);

void BM_DrillWindowStep(benchmark::State& state) {
  tq::TFormPegDrill form(Dictionary());
  form.Prepare(Pegs());
  form.ComboDigits->setCurrentIndex(1);
  form.SpinItems->setValue(kItems);
  form.show();
  QTest::keyClick(form.ButtonStart, Qt::Key_Return);
  tq::bench::PaintWatch watch;
  form.LabelPrompt->installEventFilter(&watch);
  for (auto _ : state) {
    state.PauseTiming();
    if (form.Drill()->Left() < 2) {
      form.reject();  // the drill's end, with its file, is no answer's step
      QTest::keyClick(form.ButtonAgain, Qt::Key_Return);
    }
    form.EditAnswer->setText(QString::fromLatin1(form.Drill()->Current()->peg.c_str()));
    QCoreApplication::processEvents();
    watch.painted = false;
    state.ResumeTiming();
    QTest::keyClick(form.EditAnswer, Qt::Key_Return);
    while (!watch.painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}
BENCHMARK(BM_DrillWindowStep)->Unit(benchmark::kMillisecond);

// Prints every run as the console does, then each step against the budget.
class TBudgetReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median)) continue;
      // Wall time: the window's step waits for its paint.
      ms_[run.run_name.str()] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1000.0;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [name, ms] : ms_)
      std::printf("%-40s %10.4f ms, %6.4f of the %.0f ms budget\n", name.c_str(), ms, ms / kBudgetMs, kBudgetMs);
  }

 private:
  std::map<std::string, double> ms_;
};

}  // namespace

int main(int argc, char** argv) {
  TBudgetReporter reporter;
  return tq::bench::RunWidgetBenchmarks(argc, argv, &reporter);
}
