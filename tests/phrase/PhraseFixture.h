// Small dictionaries with chosen codes for the phrase-building tests.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "RDictionary.h"
#include "TempDir.h"
#include "ShippedMapping.h"

namespace tq::test {

struct CodedWord {
  std::string word;
  std::string code;
};

// A stored pronunciation that the shipped rules code as `code`: one sound
// per digit, with vowels (which map to nothing) in between.
inline std::string SoundsFor(const std::string& code) {
  static const char* kSound[] = {"s", "t", "n", "m", "r", "l", "Z", "k", "f", "p"};
  std::string out = "@";
  for (char d : code) out += std::string(kSound[d - '0']) + "@";
  return out;
}


// Writes words.dat and mapping.txt into `dir` and loads them the way the
// program starts up.
inline void LoadDictionary(RDictionary& dict, const TempDir& dir, std::vector<CodedWord> words) {
  std::sort(words.begin(), words.end(), [](const CodedWord& a, const CodedWord& b) { return a.word < b.word; });
  std::string data;
  for (const auto& w : words) data += w.word + "," + SoundsFor(w.code) + "\n";
  dir.Write("words.dat", data);
  dir.Write("mapping.txt", kShippedMapping);
  dict = RDictionary();
  dict.SetDirectory(dir.path());
  dict.LoadUserChanges();
  dict.LoadWords();
  dict.LoadMapping();
  dict.ComputeCodes();
  dict.BuildCodeIndex();
}

// The dictionary most tests share. Digits 1 to 5 each have two one-digit
// words; 12, 123, 124 and 23 have longer ones; ah and oh have no code.
inline std::vector<CodedWord> CommonWords() {
  return {
      {"ah", ""},      {"oh", ""},      {"tie", "1"},      {"toe", "1"},     {"knee", "2"},
      {"noah", "2"},   {"ma", "3"},     {"mow", "3"},      {"ray", "4"},     {"row", "4"},
      {"law", "5"},    {"lee", "5"},    {"tin", "12"},     {"ton", "12"},    {"denim", "123"},
      {"dinner", "124"}, {"enemy", "23"}, {"anime", "23"},
  };
}

}  // namespace tq::test
