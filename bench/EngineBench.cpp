// Engine speed on the generated dictionary. The baseline is the bare cost of
// reading words.dat into memory and splitting it into lines; the start-up load
// is measured against it.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "FileIO.h"
#include "RDictionary.h"

namespace {

const std::string kDataDir = TQ_BENCH_DATA_DIR "/";

tq::RDictionary& Loaded() {
  static tq::RDictionary* dict = tq::CreateDictionary(kDataDir).release();
  return *dict;
}

// A: the whole start-up load.
void BM_StartupLoad(benchmark::State& state) {
  for (auto _ : state) {
    const auto d = tq::CreateDictionary(kDataDir);
    benchmark::DoNotOptimize(d->Count());
  }
}
BENCHMARK(BM_StartupLoad)->Unit(benchmark::kMillisecond);

// B: the baseline, words.dat read and cut into lines.
void BM_ReadAndSplitBaseline(benchmark::State& state) {
  for (auto _ : state) {
    std::string contents;
    tq::ReadFileToString(kDataDir + "words.dat", contents);
    std::vector<std::string> lines;
    tq::LineCursor cursor(contents);
    std::string_view line;
    while (cursor.Next(line)) lines.emplace_back(line);
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(BM_ReadAndSplitBaseline)->Unit(benchmark::kMillisecond);

// C: one word list for a 24-digit number.
void BM_ListWordsFor24Digits(benchmark::State& state) {
  const auto& d = Loaded();
  std::vector<std::string> rows;
  for (auto _ : state) {
    benchmark::DoNotOptimize(d.ListWordsForDigits("314159265358979323846264", rows));
  }
}
BENCHMARK(BM_ListWordsFor24Digits)->Unit(benchmark::kMicrosecond);

// D: the dictionary dialog's search for words containing "an".
void BM_FindWordsContainingAn(benchmark::State& state) {
  const auto& d = Loaded();
  std::vector<std::string> words, codes;
  for (auto _ : state) {
    benchmark::DoNotOptimize(d.FindWords("an", words, codes, 1));
  }
}
BENCHMARK(BM_FindWordsContainingAn)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
