// What the best-phrase search costs next to the word lookups of the same
// digits: top 20 for 10- and 30-digit numbers on the generated dictionary,
// against the lookups the word columns make for each position of the number
// (the run ahead cut to the longest known code, then its word column:
// TrimToKnownCode and ListWordsForDigits). Each search benchmark measures
// that baseline in the same run and reports its own time as a multiple of
// it ("x_column_lookups"; at most 3 for 30 digits). Numbers of 500 to 100,000 digits show that the cost
// grows with the length and no faster (bin/tq_best_measure DATA --long N
// under /usr/bin/time -v gives the memory of one search).
#include <benchmark/benchmark.h>

#include <ctime>
#include <string>
#include <vector>

#include "BestPhrases.h"
#include "RDictionary.h"
#include "SlotLogic.h"

namespace {

// The machine is shared, so the baseline and the search are both measured
// in this thread's processor time, as the CPU column is.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

const std::string kDataDir = TQ_BENCH_DATA_DIR "/";

tq::RDictionary& Loaded() {
  static tq::RDictionary* dict = tq::CreateDictionary(kDataDir).release();
  return *dict;
}

// Numbers cut from the digits of pi and e, so that no one lucky number
// decides the figure.
std::vector<std::string> Numbers(std::size_t length) {
  const std::string source =
      "314159265358979323846264338327950288419716939937510582097494459230781640628620899862803482534211706798"
      "271828182845904523536028747135266249775724709369995957496696762772407663035354759457138217852516642742";
  std::vector<std::string> out;
  for (std::size_t start = 0; start + length <= source.size() && out.size() < 8; start += 23)
    out.push_back(source.substr(start, length));
  return out;
}

// The word columns' lookups for every position of the number.
void ColumnLookups(const tq::RDictionary& dict, const std::string& digits, std::vector<std::string>& rows) {
  for (std::size_t p = 0; p < digits.size(); ++p) {
    std::string run = digits.substr(p, tq::kColumnRunLength);
    dict.TrimToKnownCode(run);
    dict.ListWordsForDigits(run, rows);
    benchmark::DoNotOptimize(rows.data());
  }
}

double SecondsPerCall(const std::vector<std::string>& numbers, int rounds) {
  const auto& dict = Loaded();
  std::vector<std::string> rows;
  const double start = ThreadSeconds();
  for (int r = 0; r < rounds; ++r)
    for (const auto& n : numbers) ColumnLookups(dict, n, rows);
  return (ThreadSeconds() - start) / (rounds * static_cast<double>(numbers.size()));
}

void BM_ColumnLookups(benchmark::State& state) {
  const auto numbers = Numbers(static_cast<std::size_t>(state.range(0)));
  const auto& dict = Loaded();
  std::vector<std::string> rows;
  std::size_t i = 0;
  for (auto _ : state) ColumnLookups(dict, numbers[i++ % numbers.size()], rows);
}
BENCHMARK(BM_ColumnLookups)->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);

void BM_FindBestPhrases(benchmark::State& state) {
  const auto numbers = Numbers(static_cast<std::size_t>(state.range(0)));
  const auto& dict = Loaded();
  const double baseline = SecondsPerCall(numbers, 5);
  std::size_t i = 0;
  const double start = ThreadSeconds();
  for (auto _ : state) {
    auto found = tq::FindBestPhrases(dict, numbers[i++ % numbers.size()], tq::kBestPhraseCount);
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["x_column_lookups"] = (ThreadSeconds() - start) / static_cast<double>(state.iterations()) / baseline;
}
BENCHMARK(BM_FindBestPhrases)->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);

void BM_FindBestPhrasesLong(benchmark::State& state) {
  std::string digits;
  while (digits.size() < static_cast<std::size_t>(state.range(0))) digits += Numbers(30)[digits.size() / 30 % 8];
  const auto& dict = Loaded();
  for (auto _ : state) {
    auto found = tq::FindBestPhrases(dict, digits, tq::kBestPhraseCount);
    benchmark::DoNotOptimize(found.data());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FindBestPhrasesLong)
    ->Arg(500)
    ->Arg(2000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
