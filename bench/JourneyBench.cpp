// What the journey and the user's pegs cost, on the generated dictionary.
//
// - Command/best and Command/journey: the whole command line, dictionary
//   load and all, for --best and --journey on the same 1,000 digits; then
//   the same without the load (Best, the 20 phrases --best prints, against
//   Journey, the best phrase cut into scenes and printed as lines).
// - JourneyWindow/N/P: the Journey window opening, at the size it opens
//   with, on an entry of N digits with its phrase filled (P 1: filled with
//   pegs, and cut by them): from ShowEntry to the list's first paint,
//   offscreen. held_kb is the heap the window holds for the entry once all
//   its scenes are cut.
//
// - ScenesMemory/N: the heap an entry's scenes hold, per digit.
//
// - Command/journey_best/10000 and Command/journey_pegsP/10000: the whole
//   --journey on 10,000 digits with the best phrase, and with the user's
//   pegs of P digits (--pegs P), the making of the peg lists included.
// - MyPegsOpen/D: the My Pegs dialog opening on the numbers of D digits,
//   from Prepare to the list's first paint, with the suggested lists made
//   before (the main window keeps them once made; MakePegList/D says what
//   making one costs the first time).
//
// The ratios are printed after the run: --journey against --best (at most
// 3x on 1,000 digits, 2x on 10,000), each window run against the 30-digit one (at most 2x for 10,000
// digits), the scenes' memory per digit at each length (about the same) and
// the window's heap in all, --journey with pegs against it with the best
// phrase (at most 1x), and My Pegs on 000-999 against 00-99 (at most 2x). CPU time throughout: the machine may be busy
// with other work meanwhile.
//
//   QT_QPA_PLATFORM=offscreen bin/tq_journey_bench [--benchmark_repetitions=5]
#include <benchmark/benchmark.h>

#include <QTableView>
#include <malloc.h>

#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "BestPhrases.h"
#include "CommandLine.h"
#include "FormJourney.h"
#include "FormMyPegs.h"
#include "JourneyScenes.h"
#include "PegList.h"
#include "PegSystem.h"
#include "BenchData.h"
#include "PaintWatch.h"
#include "RDictionary.h"
#include "QtBenchMain.h"

namespace {

using tq::bench::Digits;
using tq::bench::Loaded;

// An entry of `length` digits with its best phrase (or, with `pegs`, the
// suggested pegs of two digits), made once per length.
const tq::RNumber& FilledEntry(std::size_t length, bool pegs = false) {
  static std::map<std::pair<std::size_t, bool>, tq::RNumber> made;
  auto found = made.find({length, pegs});
  if (found == made.end()) {
    tq::RPegSystem system(Loaded());
    found = made.emplace(std::make_pair(length, pegs), pegs ? tq::PegEntry(Loaded(), Digits(length), 2, system)
                                                            : tq::BestPhraseEntry(Loaded(), Digits(length)))
                .first;
  }
  return found->second;
}

std::size_t HeapBytes() { return mallinfo2().uordblks; }

void RunCommand(benchmark::State& state, const char* option, QStringList more = {}) {
  QStringList arguments = {QStringLiteral("Tessaloquine"), QString::fromLatin1(option),
                           QString::fromStdString(Digits(static_cast<std::size_t>(state.range(0))))};
  arguments += more;
  const tq::DataPaths paths = tq::PortablePaths(TQ_BENCH_DATA_DIR "/");
  for (auto _ : state) {
    std::ostringstream out, err;
    if (tq::RunCommandLine(arguments, paths, out, err) != tq::CommandLineDone) state.SkipWithError("command failed");
    benchmark::DoNotOptimize(out.str().size());
  }
}
void BM_Command_best(benchmark::State& state) { RunCommand(state, "--best"); }
void BM_Command_journey(benchmark::State& state) { RunCommand(state, "--journey"); }
BENCHMARK(BM_Command_best)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Command_journey)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_Command_journey_best(benchmark::State& state) { RunCommand(state, "--journey"); }
void BM_Command_journey_pegs2(benchmark::State& state) { RunCommand(state, "--journey", {"--pegs", "2"}); }
void BM_Command_journey_pegs3(benchmark::State& state) { RunCommand(state, "--journey", {"--pegs", "3"}); }
BENCHMARK(BM_Command_journey_best)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Command_journey_pegs2)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Command_journey_pegs3)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_MakePegList(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(tq::MakePegList(Loaded(), static_cast<int>(state.range(0))).size());
}
BENCHMARK(BM_MakePegList)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_MyPegsOpen(benchmark::State& state) {
  const int digits = static_cast<int>(state.range(0));
  tq::RPegSystem pegs(Loaded());
  tq::RMyPegs mine;
  mine.pegs["37"] = {"mug"};
  mine.pegs["370"] = {"mug", "sauce"};
  pegs.SetMine(mine);
  pegs.Suggested(2);
  pegs.Suggested(digits);
  for (auto _ : state) {
    state.PauseTiming();
    auto form = std::make_unique<tq::TFormMyPegs>(Loaded());
    // The dialog shows the length asked for when it opens.
    form->SetDigits(digits);
    tq::bench::PaintWatch watch;
    form->ListPegs->viewport()->installEventFilter(&watch);
    state.ResumeTiming();
    form->Prepare(pegs);
    form->show();
    while (!watch.painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MyPegsOpen)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_Search_best(benchmark::State& state) {
  const std::string digits = Digits(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(tq::FindBestPhrases(Loaded(), digits, tq::kBestPhraseCount).size());
}
void BM_Search_journey(benchmark::State& state) {
  const std::string digits = Digits(static_cast<std::size_t>(state.range(0)));
  const tq::RJourney journey = tq::DefaultJourney();
  for (auto _ : state) {
    const tq::RJourneyScenes scenes(Loaded(), tq::BestPhraseEntry(Loaded(), digits), journey.wordsPerPlace);
    std::size_t bytes = 0;
    for (std::size_t k = 0; k < scenes.Count(); ++k) bytes += tq::SceneLine(scenes, journey, k).size();
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_Search_best)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search_journey)->Arg(1000)->Unit(benchmark::kMillisecond);

using tq::bench::PaintWatch;

void BM_JourneyWindow(benchmark::State& state) {
  const auto length = static_cast<std::size_t>(state.range(0));
  const tq::RNumber& entry = FilledEntry(length, state.range(1) != 0);
  double held = 0;
  for (auto _ : state) {
    // Made once at start-up in the program, and kept: neither is part of
    // opening it.
    state.PauseTiming();
    auto form = std::make_unique<tq::TFormJourney>(Loaded());
    PaintWatch watch;
    form->ListScenes->viewport()->installEventFilter(&watch);
    const std::size_t before = HeapBytes();
    state.ResumeTiming();
    form->ShowEntry(&entry, true);
    form->show();
    while (!watch.painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The rest of the scenes, cut while the window waits for the user: what
    // it holds for the entry in the end.
    state.PauseTiming();
    while (form->Summary().contains(QStringLiteral("cutting"))) QCoreApplication::processEvents();
    held += static_cast<double>(HeapBytes() - before);
    form.reset();
    state.ResumeTiming();
  }
  state.counters["held_kb"] = held / static_cast<double>(state.iterations()) / 1024.0;
  state.counters["scenes"] = static_cast<double>(tq::RJourneyScenes(Loaded(), entry, 2).Count());
}
// The second argument 1: the entry is filled with pegs, cut by pegs.
BENCHMARK(BM_JourneyWindow)
    ->Args({30, 0})
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

// The heap the scenes of an entry hold, per digit of the number.
void BM_ScenesMemory(benchmark::State& state) {
  const auto length = static_cast<std::size_t>(state.range(0));
  const tq::RNumber& entry = FilledEntry(length);
  double held = 0;
  for (auto _ : state) {
    const std::size_t before = HeapBytes();
    const tq::RJourneyScenes scenes(Loaded(), entry, 2);
    held += static_cast<double>(HeapBytes() - before);
  }
  state.counters["held_bytes_per_digit"] = held / static_cast<double>(state.iterations()) / static_cast<double>(length);
}
BENCHMARK(BM_ScenesMemory)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Prints every run as the console does, then the ratios the journey is
// held to.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      // With --benchmark_repetitions, the median of the runs.
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median)) continue;
      times_[run.run_name.str()] = run.GetAdjustedCPUTime();
      for (const char* counter : {"held_bytes_per_digit", "held_kb"}) {
        const auto held = run.counters.find(counter);
        if (held != run.counters.end()) held_[run.run_name.str()] = {held->second.value, counter};
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    Ratio("BM_Command_journey/1000", "BM_Command_best/1000", "--journey against --best, whole command");
    Ratio("BM_Command_journey_best/10000", "BM_Command_best/10000", "--journey against --best, 10,000 digits");
    Ratio("BM_Search_journey/1000", "BM_Search_best/1000", "--journey against --best, after the load");
    for (const char* n : {"1000/0", "10000/0", "100000/0", "10000/1", "100000/1"})
      Ratio(std::string("BM_JourneyWindow/") + n, "BM_JourneyWindow/30/0",
            std::string("Journey window on ") + n + " (digits/pegs) against 30 digits");
    Ratio("BM_Command_journey_pegs2/10000", "BM_Command_journey_best/10000",
          "--journey --pegs 2 against --journey, 10,000 digits");
    Ratio("BM_Command_journey_pegs3/10000", "BM_Command_journey_best/10000",
          "--journey --pegs 3 against --journey, 10,000 digits");
    Ratio("BM_MyPegsOpen/3", "BM_MyPegsOpen/2", "My Pegs on 000-999 against 00-99");
    for (const auto& [name, held] : held_)
      std::printf("%-60s %8.1f %s\n", name.c_str(), held.first,
                  held.second == std::string("held_kb") ? "KB held" : "bytes per digit");
  }

 private:
  void Ratio(const std::string& name, const std::string& base, const std::string& what) {
    const auto a = times_.find(name), b = times_.find(base);
    if (a != times_.end() && b != times_.end() && b->second > 0)
      std::printf("%-60s %8.2fx\n", what.c_str(), a->second / b->second);
  }

  std::map<std::string, double> times_;
  std::map<std::string, std::pair<double, std::string>> held_;
};

}  // namespace

int main(int argc, char** argv) {
  TRatioReporter reporter;
  return tq::bench::RunWidgetBenchmarks(argc, argv, &reporter);
}
