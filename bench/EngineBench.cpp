// Engine speed on the generated dictionary. The baseline is the bare cost of
// reading words.dat into memory and splitting it into lines; the start-up load
// is measured against it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
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

// E: a hostile mapping.txt whose line for digit 1 holds 100,000 groups, all
// beginning with t: reading it and coding one typed word, which builds the
// rule table (as adding a word does). Compare with F, the same on the shipped
// rules.
std::string MappingDirectory(const std::string& name, const std::string& mapping) {
  const std::string directory = std::filesystem::temp_directory_path().string() + "/" + name + "/";
  std::filesystem::create_directories(directory);
  std::ofstream(directory + "mapping.txt", std::ios::binary) << mapping;
  return directory;
}

std::string ManyGroupsMapping() {
  std::string line;
  for (int i = 0; i < 100000; ++i) {
    line += 't';
    for (int n = i; n > 0; n /= 26) line += static_cast<char>('a' + n % 26);
    line += ',';
  }
  std::string shipped;
  tq::ReadFileToString(kDataDir + "mapping.txt", shipped);
  // The shipped file with the groups added to the line of digit 1.
  const auto at = shipped.find("\n1:") + 3;
  return shipped.insert(at, line);
}

void CodeOneWord(benchmark::State& state, const std::string& directory) {
  for (auto _ : state) {
    tq::RDictionary d;
    d.SetDirectory(directory);
    d.LoadMapping();
    benchmark::DoNotOptimize(d.CodeFromText("tattoo", false));
  }
}

void BM_ManyGroupsLoadAndCode(benchmark::State& state) {
  static const std::string directory = MappingDirectory("tq_bench_many_groups", ManyGroupsMapping());
  CodeOneWord(state, directory);
}
BENCHMARK(BM_ManyGroupsLoadAndCode)->Unit(benchmark::kMillisecond);

void BM_ShippedRulesLoadAndCodeBaseline(benchmark::State& state) {
  CodeOneWord(state, kDataDir);
}
BENCHMARK(BM_ShippedRulesLoadAndCodeBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
