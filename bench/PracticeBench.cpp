// The practice file reader on schedules of growing size, against the bare
// cost of cutting the same text into lines: the reader should stay a small
// constant factor above it (near-linear), up to the largest file it takes.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "FileIO.h"
#include "PracticeFile.h"

namespace {

std::string ScheduleText(int cards) {
  tq::RPracticeSchedule schedule;
  for (int i = 0; i < cards; ++i)
    schedule.SetCard({std::to_string(5550000 + i * 7), 1 + i % 3}, tq::RCard{i % 6, 1773230400 + i, i % 40, i % 9});
  for (int day = 0; day < 400; ++day) schedule.SetDay(20000 + day, tq::RDayTally{day % 30, day % 7});
  return tq::PracticeText(schedule);
}

// A: the reader.
void BM_ParsePracticeText(benchmark::State& state) {
  const std::string text = ScheduleText(static_cast<int>(state.range(0)));
  tq::RPracticeSchedule schedule;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tq::ParsePracticeText(text, schedule));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParsePracticeText)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);

// B: the baseline, the same text cut into lines.
void BM_SplitLinesBaseline(benchmark::State& state) {
  const std::string text = ScheduleText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    tq::LineCursor cursor(text);
    std::string_view line;
    std::size_t count = 0;
    while (cursor.Next(line)) count += line.size();
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SplitLinesBaseline)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
