// Engine speed on the generated dictionary. The baselines are the bare cost
// of reading words.dat into memory and splitting it into lines, or into each
// line's two fields, word and pronunciation; the start-up load (the words,
// their knowledge from wordinfo.dat, the mapping, the codes and the index) is
// measured against them.
#include <benchmark/benchmark.h>

#include <algorithm>
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

// A: the whole start-up load. Tearing the dictionary down again is no part
// of a start-up and is left out of the time.
void BM_StartupLoad(benchmark::State& state) {
  for (auto _ : state) {
    auto d = tq::CreateDictionary(kDataDir);
    benchmark::DoNotOptimize(d->Count());
    state.PauseTiming();
    d.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartupLoad)->Unit(benchmark::kMillisecond);

// B: the baseline, words.dat read and cut into lines.
void BM_ReadAndSplitBaseline(benchmark::State& state) {
  for (auto _ : state) {
    std::string contents;
    tq::ReadFileUpTo(kDataDir + "words.dat", tq::RDictionary::kMaxWordsFile, contents);
    std::vector<std::string> lines;
    tq::LineCursor cursor(contents);
    std::string_view line;
    while (cursor.Next(line)) lines.emplace_back(line);
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(BM_ReadAndSplitBaseline)->Unit(benchmark::kMillisecond);

// B2: the baseline with each line cut at its comma into word and pronunciation.
void BM_ReadAndSplitFieldsBaseline(benchmark::State& state) {
  struct Fields {
    std::string word, pronunciation;
  };
  for (auto _ : state) {
    std::string contents;
    tq::ReadFileUpTo(kDataDir + "words.dat", tq::RDictionary::kMaxWordsFile, contents);
    std::vector<Fields> lines;
    tq::LineCursor cursor(contents);
    std::string_view line;
    while (cursor.Next(line)) {
      const auto comma = std::min(line.find(','), line.size());
      lines.push_back(Fields{std::string(line.substr(0, comma)), std::string(line.substr(comma))});
    }
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(BM_ReadAndSplitFieldsBaseline)->Unit(benchmark::kMillisecond);

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

// A hostile mapping.txt: the shipped rules with 100,000 more groups, all
// beginning with t, on the line of digit 1. Written once to a folder of its own.
const std::string& ManyGroupsDirectory() {
  static const std::string directory = [] {
    std::string line;
    for (int i = 0; i < 100000; ++i) {
      line += 't';
      for (int n = i; n > 0; n /= 26) line += static_cast<char>('a' + n % 26);
      line += ',';
    }
    std::string mapping;
    tq::ReadFileUpTo(kDataDir + "mapping.txt", tq::RDictionary::kMaxMappingFile, mapping);
    mapping.insert(mapping.find("\n1:") + 3, line);
    const std::string dir = std::filesystem::temp_directory_path().string() + "/tq_bench_many_groups/";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "mapping.txt", std::ios::binary) << mapping;
    return dir;
  }();
  return directory;
}

void LoadRulesAndCodeOneWord(benchmark::State& state, const std::string& directory) {
  for (auto _ : state) {
    tq::RDictionary d;
    d.SetDirectory(directory);
    d.LoadMapping();
    benchmark::DoNotOptimize(d.CodeFromText("tattoo", false));
  }
}

// E: reading the hostile rules and coding one typed word, which builds the
// rule table, as the first word added after start-up does.
void BM_ManyGroupsLoadAndCode(benchmark::State& state) { LoadRulesAndCodeOneWord(state, ManyGroupsDirectory()); }
BENCHMARK(BM_ManyGroupsLoadAndCode)->Unit(benchmark::kMillisecond);

// F: every later typed word under the same rules, as an import codes them.
void BM_ManyGroupsCodeTypedWords(benchmark::State& state) {
  tq::RDictionary d;
  d.SetDirectory(ManyGroupsDirectory());
  d.LoadMapping();
  for (auto _ : state) benchmark::DoNotOptimize(d.CodeFromText("tattoo", false));
}
BENCHMARK(BM_ManyGroupsCodeTypedWords)->Unit(benchmark::kMicrosecond);

// The baseline of E: the same on the shipped rules.
void BM_ShippedRulesLoadAndCodeBaseline(benchmark::State& state) { LoadRulesAndCodeOneWord(state, kDataDir); }
BENCHMARK(BM_ShippedRulesLoadAndCodeBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
