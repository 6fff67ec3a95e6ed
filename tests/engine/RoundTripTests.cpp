// What goes in comes back: random values go in through the operations the
// windows use, are saved, loaded back and compared. What the engine took must
// come back byte for byte; what it refused must not reach the file. Seeded,
// so a failure names its round and repeats.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "EngineFixture.h"
#include "FileIO.h"
#include "Text.h"
#include "WordList.h"

namespace tq {
namespace {

using test::EngineTest;
using List = std::vector<std::string>;

constexpr int kRounds = 100;  // each round puts several values through

const char* kWords =
    "bat,b@t\n"
    "ice cream,Ajs krim\n"
    "tea,ti\n"
    "tot,tAt\n";

// Random text made to hit the bytes the files care about: empty, very long,
// every byte 0x01-0xFF, line ends, tab, '#', ',', ':', blanks at either end.
class RandomText {
 public:
  explicit RandomText(unsigned seed) : random_(seed) {}

  std::string Next() {
    std::string s;
    switch (Below(10)) {
      case 0: return s;
      case 1: s.resize(200 + Below(3000)); break;
      default: s.resize(1 + Below(12)); break;
    }
    static const std::string kSpecial = "\n\r\t#,: ";
    for (char& c : s) {
      switch (Below(4)) {
        case 0: c = kSpecial[Below(kSpecial.size())]; break;
        case 1: c = static_cast<char>(1 + Below(255)); break;
        default: c = static_cast<char>('a' + Below(26)); break;
      }
    }
    if (Below(5) == 0) s.insert(0, " ");
    if (Below(5) == 0) s += " ";
    if (Below(8) == 0) s.insert(0, "#");
    return s;
  }
  // Mostly digits, so that codes are often taken.
  std::string NextCode() {
    if (Below(2) == 0) return Next();
    std::string s(Below(30), '0');
    for (char& c : s) c = static_cast<char>('0' + Below(10));
    if (Below(4) == 0) s += " ";
    return s;
  }
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(random_() % n); }

 private:
  std::mt19937 random_;
};

// A value as the add-word boxes and the import pass it on.
std::string AsTypedWord(const std::string& text) { return ToLower1252(TrimBlanks(text)); }

TEST_F(EngineTest, ChangesFileGivesBackWhatTheEditsTook) {
  RandomText random(1207);
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::remove(dir.File("words.txt").c_str());  // each round starts from no changes
    Load(kWords);
    for (int step = 0; step < 8; ++step) {
      const List added = dict.AddedWords();
      const List removed = dict.RemovedWords();
      const List edited = dict.EditedWords();
      platform.ClearShown();
      switch (random.Below(3)) {
        case 0: {
          const std::string word = AsTypedWord(random.Next());
          if (word.empty()) break;  // the boxes stop at an empty answer
          const int p = dict.AddWord(word);
          if (p == RDictionary::kWordRefused) {
            EXPECT_EQ(platform.MessageTexts().size(), 1u) << word;
            EXPECT_EQ(dict.AddedWords(), added);
            EXPECT_EQ(dict.RemovedWords(), removed);
          } else if (p >= 0) {
            EXPECT_EQ(dict.WordAt(p), word);
          }
          break;
        }
        case 1: {
          // Mostly a word that is there, sometimes anything.
          const std::string word =
              random.Below(2) == 0 && dict.Count() > 0 ? dict.WordAt(static_cast<int>(random.Below(dict.Count())))
                                                       : random.Next();
          if (dict.RemoveWord(word) < 0) {
            EXPECT_EQ(dict.RemovedWords(), removed);
          }
          break;
        }
        default: {
          const std::string word =
              random.Below(2) == 0 && dict.Count() > 0 ? dict.WordAt(static_cast<int>(random.Below(dict.Count())))
                                                       : random.Next();
          const std::string code(TrimBlanks(random.NextCode()));
          if (dict.EditCode(word, code) == 0) {
            if (dict.FindWord(word) >= 0) {
              EXPECT_EQ(Code(word), code);
            }
          } else {
            EXPECT_EQ(platform.MessageTexts().size(), 1u);
            EXPECT_EQ(dict.EditedWords(), edited);
          }
          break;
        }
      }
    }
    const List added = dict.AddedWords();
    const List removed = dict.RemovedWords();
    const List edited = dict.EditedWords();
    const List codes = dict.EditedCodes();
    ASSERT_EQ(dict.SaveUserChanges(), 0);
    platform.statusText.clear();
    Reload();
    EXPECT_EQ(platform.statusText, "");  // never "contained bad data"
    EXPECT_EQ(dict.AddedWords(), added);
    EXPECT_EQ(dict.RemovedWords(), removed);
    EXPECT_EQ(dict.EditedWords(), edited);
    EXPECT_EQ(dict.EditedCodes(), codes);
    for (const auto& w : added) EXPECT_GE(dict.FindWord(w), 0) << w;
  }
}

TEST_F(EngineTest, MappingFileGivesBackEveryLineTaken) {
  RandomText random(2110);
  Load(kWords);
  for (int round = 0; round < 3 * kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::size_t index = random.Below(RDictionary::kMappingLineCount + 2);
    const std::string letters = random.Next();
    const std::size_t countBefore = dict.MappingLineCount();
    const std::string before = dict.MappingLine(index);
    platform.ClearShown();
    if (dict.SetMappingLine(index, letters) == 0) {
      EXPECT_EQ(dict.MappingLine(index), ToLower1252(letters));
    } else {
      EXPECT_EQ(platform.MessageTexts().size(), 1u);
      EXPECT_EQ(dict.MappingLine(index), before);
      EXPECT_EQ(dict.MappingLineCount(), countBefore);
    }
    if (!dict.MappingChanged() || round % 3 != 2) continue;
    List lines;
    for (std::size_t i = 0; i < dict.MappingLineCount(); ++i) lines.push_back(dict.MappingLine(i));
    ASSERT_EQ(dict.SaveMapping(), 0);
    RDictionary reloaded;
    reloaded.SetDirectory(dir.path());
    ASSERT_EQ(reloaded.LoadMapping(), 0);
    ASSERT_EQ(reloaded.MappingLineCount(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(reloaded.MappingLine(i), lines[i]) << i;
  }
}

TEST_F(EngineTest, ExportedWordListGivesBackEveryWordShown) {
  RandomText random(6100);
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Load(kWords);
    for (int i = 0; i < 5; ++i) {
      const std::string word = AsTypedWord(random.Next());
      if (!word.empty()) dict.AddWord(word);
    }
    List words, codes;
    dict.FindWords("", words, codes, 0);  // every word, as a search for "" would show them
    ASSERT_TRUE(WriteWordList(dir.File("export.txt"), words));
    List back;
    std::FILE* file = std::fopen(dir.File("export.txt").c_str(), "r");
    ASSERT_NE(file, nullptr);
    std::string line;
    while (ReadLine(file, line)) back.push_back(line);
    std::fclose(file);
    EXPECT_EQ(back, words);
  }
}

}  // namespace
}  // namespace tq
