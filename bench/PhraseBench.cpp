// What the word columns cost on top of the word lookups they show. A 30-digit
// number is committed in an offscreen strip the size of the main window's
// lower right pane; the baseline is ListWordsForDigits for the same column
// digits in a plain loop, once for the columns the strip fills (those in
// view) and once for all thirty.
//
// Long numbers (a thousand digits of pi and more) are measured against the
// same steps on a 30-digit number; the ratios are printed after the run.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QWidget>
#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "RDictionary.h"
#include "RNumber.h"
#include "SlotLogic.h"
#include "TextGuard.h"
#include "WordColumns.h"
#include "QtBenchMain.h"

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
  // `withField` false leaves the phrase field out, to tell the strip's own
  // cost from the field's laying out of a long phrase.
  explicit Window(bool withField = true) : strip(new tq::TWordColumns(Loaded(), &frame)) {
    frame.resize(640, 480);
    strip->setGeometry(172, 150, 466, 328);
    strip->SetCurrentNumber(&number);
    // The phrase field shows every phrase the strip composes, as in the
    // main window.
    phrase->setGeometry(172, 60, 466, 24);
    phrase->setMaxLength(std::numeric_limits<int>::max());
    if (withField) QObject::connect(strip, &tq::TWordColumns::PhraseShown, phrase, &QLineEdit::setText);
    frame.show();
    QApplication::processEvents();
  }
  // A blank entry, its placeholder columns laid out and the old controls
  // gone: where the first Enter of a new number starts from.
  void Blank() {
    number = tq::RNumber();
    strip->RebuildColumns();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QWidget frame;
  tq::TWordColumns* strip;
  QLineEdit* phrase = new QLineEdit(&frame);
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
    w.Blank();
    state.ResumeTiming();
    benchmark::DoNotOptimize(w.strip->CommitNumber(kNumbers[0]));
  }
}
BENCHMARK(BM_CommitNumberIntoBlankEntry)->Unit(benchmark::kMicrosecond);

// --- long numbers ----------------------------------------------------------------

// `count` digits that look like a real long number: every digit about as
// often as the others, no pattern a word could ride on for long.
std::string LongDigits(std::int64_t count) {
  std::string digits;
  digits.reserve(static_cast<std::size_t>(count));
  std::uint64_t state = 314159265358979323ull;
  for (std::int64_t i = 0; i < count; ++i) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    digits.push_back(static_cast<char>('0' + (state >> 33) % 10));
  }
  return digits;
}

// Bytes the program holds on its heap just now.
double HeapInUse() { return static_cast<double>(mallinfo2().uordblks); }

// Enter with a number of state.range(0) digits in a blank row, up to the
// strip painted and ready for the next key. Also reports the heap the
// entry and its strip hold per digit afterwards, which should stay the same
// however long the number.
void BM_CommitDigitsIntoBlankEntry(benchmark::State& state) {
  Window w;
  const std::string digits = LongDigits(state.range(0));
  double heldPerDigit = 0;
  for (auto _ : state) {
    state.PauseTiming();
    w.Blank();
    const double before = HeapInUse();
    state.ResumeTiming();
    benchmark::DoNotOptimize(w.strip->CommitNumber(digits));
    QApplication::processEvents();
    state.PauseTiming();
    heldPerDigit = (HeapInUse() - before) / static_cast<double>(digits.size());
    state.ResumeTiming();
  }
  state.counters["digits"] = static_cast<double>(state.range(0));
  state.counters["heap_per_digit"] = heldPerDigit;
}
BENCHMARK(BM_CommitDigitsIntoBlankEntry)
    ->Arg(30)->Arg(1000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMillisecond)->MinTime(0.5);

// The column in the middle of the entry, scrolled into view, with its
// first word (the longest code) ready to choose.
struct MiddleColumn {
  int index = 0;
  int row = -1;
};

MiddleColumn ScrollToMiddle(Window& w) {
  MiddleColumn middle;
  middle.index = w.strip->ColumnCount() / 2;
  const int pitch = w.strip->WordListWidth() + 2;
  w.strip->horizontalScrollBar()->setValue(middle.index * pitch);
  QApplication::processEvents();
  const tq::RWordColumn& column = w.strip->Columns().Column(middle.index);
  for (int r = 0; r < static_cast<int>(column.rows.size()); ++r)
    if (tq::IsWordRow(column.rows[static_cast<std::size_t>(r)])) {
      middle.row = r;
      break;
    }
  return middle;
}

// Enter on the middle column's first word, then a click on its button, as
// the user does them, each up to the strip painted again.
void ChooseAndUnchooseInMiddle(benchmark::State& state, bool withField) {
  Window w(withField);
  w.strip->CommitNumber(LongDigits(state.range(0)));
  QApplication::processEvents();
  const MiddleColumn middle = ScrollToMiddle(w);
  if (middle.row < 0) {
    state.SkipWithError("the middle column lists no word");
    return;
  }
  for (auto _ : state) {
    QListView* list = w.strip->WordList(middle.index);
    list->setCurrentIndex(list->model()->index(middle.row, 0));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
    QApplication::processEvents();
    w.strip->WordButton(middle.index)->click();
    QApplication::processEvents();
  }
  if (!tq::IsUncoveredSlot(w.number.Slot(middle.index))) state.SkipWithError("the word was not given back");
  state.counters["digits"] = static_cast<double>(state.range(0));
}
void BM_ChooseAndUnchooseInMiddle(benchmark::State& state) { ChooseAndUnchooseInMiddle(state, true); }
BENCHMARK(BM_ChooseAndUnchooseInMiddle)->Arg(30)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The same without the phrase field: what the strip and the slots cost.
// The field lays its whole text out at every change, so the difference
// between the two grows with the phrase.
void BM_ChooseAndUnchooseInMiddleStripOnly(benchmark::State& state) { ChooseAndUnchooseInMiddle(state, false); }
BENCHMARK(BM_ChooseAndUnchooseInMiddleStripOnly)->Arg(30)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The guard of the Number and Description fields on a paste of `n`
// characters the files cannot hold, all different (CJK and beyond), against
// its baseline: a paste as long whose only fault is a line break, so that it
// takes the same cleaning path. Both should grow in proportion to `n`.
QString PastedText(int n, bool storable) {
  std::u32string text;
  text.reserve(static_cast<std::size_t>(n));
  char32_t next = 0x4E00;
  for (int i = 0; i < n; ++i) {
    if (storable) {
      text.push_back(i % 64 == 63 ? U'\n' : static_cast<char32_t>(U'a' + i % 26));
      continue;
    }
    if (next == 0xD800) next = 0xE000;  // no halves of surrogate pairs
    text.push_back(next++);
  }
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

void RunGuard(benchmark::State& state, bool storable) {
  const QString pasted = PastedText(static_cast<int>(state.range(0)), storable);
  tq::TTextGuard guard(nullptr);
  for (auto _ : state) {
    QString input = pasted;
    int pos = static_cast<int>(input.size());
    guard.validate(input, pos);
    benchmark::DoNotOptimize(input.data());
  }
}
void BM_GuardPasteUnstorable(benchmark::State& state) { RunGuard(state, false); }
void BM_GuardPasteLineBreaksBaseline(benchmark::State& state) { RunGuard(state, true); }
BENCHMARK(BM_GuardPasteLineBreaksBaseline)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GuardPasteUnstorable)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Prints every run as the console does, and at the end each long-number
// run's time against the same benchmark's 30-digit run. CPU time, not wall
// time: the machine may be busy with other work while the benchmarks run.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred && run.run_type == Run::RT_Iteration) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [name, time] : times_) {
      const std::size_t slash = name.find('/');
      if (slash == std::string::npos || IsBaseRun(name, slash)) continue;
      // The base run carries the same options after the digit count.
      for (const auto& [baseName, baseTime] : times_)
        if (baseName.compare(0, slash, name, 0, slash) == 0 && IsBaseRun(baseName, slash) && baseTime > 0)
          std::printf("%-60s %8.2fx the 30-digit run\n", name.c_str(), time / baseTime);
    }
  }

 private:
  // "Family/30" or "Family/30/options": the run the others are held against.
  static bool IsBaseRun(const std::string& name, std::size_t slash) {
    return name.size() > slash && name.compare(slash, 3, "/30") == 0 &&
           (name.size() == slash + 3 || name[slash + 3] == '/');
  }

  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  TRatioReporter reporter;
  return tq::bench::RunWidgetBenchmarks(argc, argv, &reporter);
}
