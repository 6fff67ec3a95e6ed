// The main of the benchmarks that need widgets: an application on the
// offscreen platform (unless another is asked for), then the benchmarks,
// reported by `reporter` when one is given.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

namespace tq::bench {

inline int RunWidgetBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (reporter)
    benchmark::RunSpecifiedBenchmarks(reporter);
  else
    benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace tq::bench
