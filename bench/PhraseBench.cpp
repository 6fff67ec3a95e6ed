// What the word columns cost on top of the word lookups they show. A 30-digit
// number is committed in an offscreen strip the size of the main window's
// lower right pane; the baseline is ListWordsForDigits for the same column
// digits in a plain loop, once for the columns the strip fills (those in
// view) and once for all thirty.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "RDictionary.h"
#include "RNumber.h"
#include "SlotLogic.h"
#include "WordColumns.h"

namespace {

const std::string kDataDir = TQ_BENCH_DATA_DIR "/";

// Two numbers that differ in every digit, so that each commit changes every
// column and the strip has to list all the columns in view afresh.
const std::string kNumbers[2] = {"314159265358979323846264338327", "869604710803424878391719883872"};

tq::RDictionary& Loaded() {
  static tq::RDictionary* dict = tq::CreateDictionary(kDataDir).release();
  return *dict;
}

// The main window at its default 640 x 480, with the strip where the word
// columns sit: right of the numbers list, below the edit fields.
struct Window {
  Window() : strip(new tq::TWordColumns(Loaded(), &frame)) {
    frame.resize(640, 480);
    strip->setGeometry(172, 150, 466, 328);
    strip->SetCurrentNumber(&number);
    frame.show();
    QApplication::processEvents();
  }
  QWidget frame;
  tq::TWordColumns* strip;
  tq::RNumber number;
};

// The column digits of both numbers: [number][column], and whether the
// strip filled the column at once.
struct ColumnDigits {
  std::vector<std::string> all[2];
  std::vector<std::string> inView[2];
};

const ColumnDigits& Digits() {
  static const ColumnDigits digits = [] {
    ColumnDigits out;
    Window w;
    for (int k = 0; k < 2; ++k) {
      w.strip->CommitNumber(kNumbers[k]);
      const tq::RWordColumns& table = w.strip->Columns();
      for (int i = 0; i < table.ColumnCount(); ++i) {
        out.all[k].push_back(table.ColumnDigits(i));
        if (table.Column(i).filled) out.inView[k].push_back(table.Column(i).digits);
      }
    }
    return out;
  }();
  return digits;
}

void ListAll(benchmark::State& state, const std::vector<std::string> (&columns)[2]) {
  const tq::RDictionary& dict = Loaded();
  std::vector<std::string> rows;
  int k = 0;
  for (auto _ : state) {
    for (const std::string& digits : columns[k]) benchmark::DoNotOptimize(dict.ListWordsForDigits(digits, rows));
    k ^= 1;
  }
  state.counters["columns"] = static_cast<double>(columns[0].size());
}

// Baseline: the lookups for the columns the strip fills at once.
void BM_ListWordsColumnsInView(benchmark::State& state) { ListAll(state, Digits().inView); }
BENCHMARK(BM_ListWordsColumnsInView)->Unit(benchmark::kMicrosecond);

// Baseline: the lookups for all thirty columns.
void BM_ListWordsAllColumns(benchmark::State& state) { ListAll(state, Digits().all); }
BENCHMARK(BM_ListWordsAllColumns)->Unit(benchmark::kMicrosecond);

// The strip: Enter with a new 30-digit number in an entry that already has
// thirty columns (the columns are reused, every one gets new digits).
void BM_CommitNumber(benchmark::State& state) {
  Window w;
  w.strip->CommitNumber(kNumbers[1]);
  int k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(w.strip->CommitNumber(kNumbers[k]));
    k ^= 1;
  }
}
BENCHMARK(BM_CommitNumber)->Unit(benchmark::kMicrosecond);

// The same, including the layout and painting that follow in the event loop.
void BM_CommitNumberAndPaint(benchmark::State& state) {
  Window w;
  w.strip->CommitNumber(kNumbers[1]);
  QApplication::processEvents();
  int k = 0;
  for (auto _ : state) {
    w.strip->CommitNumber(kNumbers[k]);
    QApplication::processEvents();
    k ^= 1;
  }
}
BENCHMARK(BM_CommitNumberAndPaint)->Unit(benchmark::kMicrosecond);

// The first Enter in a blank row: the four placeholder columns become thirty.
void BM_CommitNumberIntoBlankEntry(benchmark::State& state) {
  Window w;
  for (auto _ : state) {
    state.PauseTiming();
    w.number = tq::RNumber();
    w.strip->RebuildColumns();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
    benchmark::DoNotOptimize(w.strip->CommitNumber(kNumbers[0]));
  }
}
BENCHMARK(BM_CommitNumberIntoBlankEntry)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
