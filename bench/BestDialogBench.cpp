// What Best Phrases costs the user on a long number, as Ctrl+B does it: the
// dialog is made, given the number and shown offscreen on the generated
// dictionary. Each run reports, in wall-clock seconds from show():
//   first_paint_s  the dialog's first paint (how long the window is frozen);
//   list_s         the list filled with the phrases;
// held_mb, the heap the dialog still holds once its list is shown (the
// search's own memory given back), and peak_rss_mb, the process's peak
// resident memory so far. The lengths
// run from short to long, so each peak belongs to its own length. A second
// benchmark presses Cancel mid-search.
//
//   QT_QPA_PLATFORM=offscreen bin/tq_bestdialog_bench
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEvent>
#include <QTableWidget>
#include <malloc.h>
#include <sys/resource.h>

#include <cstdint>
#include <memory>
#include <string>

#include "FormBest.h"
#include "BenchData.h"
#include "PaintWatch.h"
#include "RDictionary.h"
#include "QtBenchMain.h"

namespace {

using tq::bench::Digits;
using tq::bench::Loaded;

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double HeapMegabytes() { return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0); }

using tq::bench::PaintWatch;

void BM_BestDialogShow(benchmark::State& state) {
  const std::string digits = Digits(static_cast<std::size_t>(state.range(0)));
  auto& dict = Loaded();
  double firstPaint = 0;
  double listed = 0;
  double held = 0;
  for (auto _ : state) {
    const double heapBefore = HeapMegabytes();
    tq::TFormBest form(dict);
    auto* list = form.findChild<QTableWidget*>("ListPhrases");
    PaintWatch watch;
    form.installEventFilter(&watch);
    form.Prepare(digits, digits);
    QElapsedTimer clock;
    clock.start();
    form.show();
    while (!watch.painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    firstPaint += static_cast<double>(clock.nsecsElapsed()) * 1e-9;
    while (list->rowCount() == 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    listed += static_cast<double>(clock.nsecsElapsed()) * 1e-9;
    QCoreApplication::processEvents();
    held += HeapMegabytes() - heapBefore;
    form.hide();
  }
  const auto runs = static_cast<double>(state.iterations());
  state.counters["first_paint_s"] = firstPaint / runs;
  state.counters["list_s"] = listed / runs;
  state.counters["held_mb"] = held / runs;
  state.counters["peak_rss_mb"] = PeakMegabytes();
}
BENCHMARK(BM_BestDialogShow)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// Cancel pressed as soon as the dialog has painted, while the search is
// still preparing: cancel_s is how long the press keeps the window busy, and
// close_s how long closing the dialog then waits for the search to stop.
void BM_BestDialogCancel(benchmark::State& state) {
  const std::string digits = Digits(static_cast<std::size_t>(state.range(0)));
  auto& dict = Loaded();
  double cancel = 0;
  double close = 0;
  for (auto _ : state) {
    tq::TFormBest form(dict);
    PaintWatch watch;
    form.installEventFilter(&watch);
    form.Prepare(digits, digits);
    form.show();
    while (!watch.painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QElapsedTimer clock;
    clock.start();
    form.reject();
    cancel += static_cast<double>(clock.nsecsElapsed()) * 1e-9;
    clock.restart();
    form.hide();
    close += static_cast<double>(clock.nsecsElapsed()) * 1e-9;
  }
  state.counters["cancel_s"] = cancel / static_cast<double>(state.iterations());
  state.counters["close_s"] = close / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BestDialogCancel)->Arg(100000)->Arg(1000000)->Arg(8000000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return tq::bench::RunWidgetBenchmarks(argc, argv); }
