// Builds small dictionaries in a temporary directory for the engine tests.
#pragma once

#include <string>

#include "RDictionary.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"
#include "ShippedMapping.h"

namespace tq::test {

// The rules the program ships with.

class EngineTest : public ::testing::Test {
 protected:
  // Writes the files that are given (an empty words.txt is not written) and
  // runs the start-up load.
  void Load(const std::string& words, const std::string& mapping = kShippedMapping,
            const std::string& changes = std::string()) {
    dir.Write("words.dat", words);
    dir.Write("mapping.txt", mapping);
    if (!changes.empty()) dir.Write("words.txt", changes);
    Reload();
  }
  void Reload() {
    dict = RDictionary();
    dict.SetDirectory(dir.path());
    dict.LoadUserChanges();
    dict.LoadWords();
    dict.LoadMapping();
    dict.ComputeCodes();
    dict.BuildCodeIndex();
  }
  std::string Code(const std::string& word) const {
    const int p = dict.FindWord(word);
    return p < 0 ? std::string("<missing>") : dict.CodeAt(p);
  }
  std::vector<std::string> Rows(const std::string& digits) const {
    std::vector<std::string> rows;
    dict.ListWordsForDigits(digits, rows);
    return rows;
  }

  ScriptedPlatform platform;
  TempDir dir;
  RDictionary dict;
};

}  // namespace tq::test
