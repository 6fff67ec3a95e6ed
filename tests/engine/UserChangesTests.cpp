#include <gtest/gtest.h>

#include <random>

#include "AtomicFile.h"
#include "EngineFixture.h"

namespace tq {
namespace {

using test::EngineTest;
using List = std::vector<std::string>;

const char* kWords =
    "bat,b@t\n"
    "tea,ti\n"
    "tot,tAt\n";

std::string Changes(const List& add, const List& remove, const List& edit) {
  std::string out = "#ADD - Enter words to add below, one per line.\n";
  for (const auto& w : add) out += w + "\n";
  out += "#REMOVE - Enter words to remove below, one per line.\n";
  for (const auto& w : remove) out += w + "\n";
  out += "#EDIT - Enter words to edit followed by code on the next line.\n";
  for (const auto& w : edit) out += w + "\n";
  return out;
}

TEST_F(EngineTest, HeadersOnlyIsValidAndEmpty) {
  Load(kWords, test::kShippedMapping, Changes({}, {}, {}));
  EXPECT_EQ(dict.LoadUserChanges(), 0);
  EXPECT_TRUE(dict.AddedWords().empty());
  EXPECT_EQ(dict.RemovedCount(), 0);
  EXPECT_TRUE(dict.EditedWords().empty());
  EXPECT_EQ(platform.statusText, "");
}

TEST_F(EngineTest, MissingChangesFileIsSilent) {
  Load(kWords);
  EXPECT_EQ(dict.LoadUserChanges(), -1);
  EXPECT_TRUE(platform.shown().empty());
  EXPECT_EQ(platform.statusText, "");
}

TEST_F(EngineTest, ChangesAreMergedIntoTheLoadedWords) {
  Load(kWords, test::kShippedMapping, Changes({"ZOO", "bat", "apt"}, {"tea", "TOT", "nope"}, {"bat", "4242", "zoo"}));
  EXPECT_EQ(dict.AddedWords(), (List{"apt", "bat", "zoo"}));  // lower-cased
  EXPECT_EQ(dict.FindWord("tea"), -1);
  EXPECT_GE(dict.FindWord("tot"), 0);  // removed words keep their capitals
  EXPECT_EQ(dict.RemovedCount(), 3);
  EXPECT_EQ(Code("apt"), "91");        // from its letters
  EXPECT_EQ(Code("bat"), "4242");      // edited code over the stored sound
  EXPECT_EQ(Code("zoo"), "");          // an edit pair whose code line is missing
  EXPECT_EQ(dict.EntryAt(dict.FindWord("bat")).pronunciation, "b@t");
  EXPECT_FALSE(dict.ChangesMade());
}

TEST_F(EngineTest, HandEditedSectionsOutOfOrderOrRepeatedStillMerge) {
  Load("apple,@pVl\nbat,b@t\ncat,k@t\ndog,dAg\nemu,imu\n", test::kShippedMapping,
       Changes({"zed", "axe", "zed", "bee"}, {"emu", "bat", "emu"}, {}));
  EXPECT_EQ(dict.Count(), 6);
  for (const char* w : {"apple", "axe", "bee", "cat", "dog", "zed"}) EXPECT_GE(dict.FindWord(w), 0) << w;
  EXPECT_EQ(dict.FindWord("bat"), -1);
  EXPECT_EQ(dict.FindWord("emu"), -1);
  for (int i = 1; i < dict.Count(); ++i) EXPECT_LT(dict.WordAt(i - 1), dict.WordAt(i));
}

TEST_F(EngineTest, MalformedChangesFileAlertsAndKeepsWhatWasRead) {
  struct Case {
    std::string text;
    List added;
  };
  const Case cases[] = {
      {"words\n", {}},
      {"#ADD\nfoo\n", {"foo"}},
      {"#ADD\nfoo\n#EDIT\nbar\n", {"foo"}},
      {"#ADD\n#REMOVE\nbat\n", {}},
  };
  for (const auto& c : cases) {
    platform.statusText.clear();
    Load(kWords, test::kShippedMapping, c.text);
    EXPECT_EQ(dict.LoadUserChanges(), -1) << c.text;
    EXPECT_EQ(platform.statusText, "File " + dir.File("words.txt") + " contained bad data.") << c.text;
    EXPECT_EQ(dict.AddedWords(), c.added) << c.text;
  }
  // What was read before the fault is merged; nothing is marked changed.
  Load(kWords, test::kShippedMapping, "#ADD\nfoo\n#REMOVE\nbat\n");
  EXPECT_GE(dict.FindWord("foo"), 0);
  EXPECT_EQ(dict.FindWord("bat"), -1);
  EXPECT_FALSE(dict.ChangesMade());
  EXPECT_EQ(dict.SaveUserChanges(), 0);
  EXPECT_EQ(dir.Read("words.txt"), "#ADD\nfoo\n#REMOVE\nbat\n");
}

TEST_F(EngineTest, LongLinesOfTheChangesFileAreNotSplit) {
  const std::string word(400, 'q');
  Load(kWords, test::kShippedMapping, Changes({word}, {}, {}));
  EXPECT_EQ(dict.AddedWords(), List{word});
  EXPECT_EQ(Code(word), std::string(400, '7'));
}

TEST_F(EngineTest, SaveWritesTheThreeSections) {
  Load(kWords);
  EXPECT_EQ(dict.SaveUserChanges(), 0);
  EXPECT_FALSE(dir.Exists("words.txt"));  // nothing changed, nothing written
  dict.AddWord("zip");
  dict.AddWord("ant");
  dict.RemoveWord("tea");
  dict.EditCode("bat", "9");
  dict.EditCode("bat", "99");
  EXPECT_TRUE(dict.ChangesMade());
  EXPECT_EQ(dict.SaveUserChanges(), 0);
  EXPECT_EQ(dir.Read("words.txt"), Changes({"ant", "zip"}, {"tea"}, {"bat", "99"}));
  Reload();
  EXPECT_EQ(Code("bat"), "99");
  EXPECT_EQ(Code("zip"), "09");
  EXPECT_EQ(dict.FindWord("tea"), -1);
}

TEST_F(EngineTest, SaveChangesFailureKeepsTheOldFile) {
  Load(kWords, test::kShippedMapping, Changes({"old"}, {}, {}));
  dict.AddWord("new");
  SetWriteFaultForTesting(5);
  EXPECT_EQ(dict.SaveUserChanges(), -1);
  SetWriteFaultForTesting(-1);
  EXPECT_EQ(dir.Read("words.txt"), Changes({"old"}, {}, {}));
  EXPECT_EQ(platform.MessageTexts(), List{"Error: Error writing to file '" + dir.File("words.txt") +
                                          "'. The disk could be full."});
}

TEST_F(EngineTest, SaveChangesIntoAMissingFolderReportsIt) {
  Load(kWords);
  dict.AddWord("new");
  dict.SetDirectory(dir.File("gone/"));
  EXPECT_EQ(dict.SaveUserChanges(), -1);
  EXPECT_EQ(platform.MessageTexts(), List{"Error: Could not open file '" + dir.File("gone/words.txt") +
                                          "' for writing."});
}

TEST_F(EngineTest, RemoveAndAddBackMovesBetweenTheLists) {
  Load(kWords);
  EXPECT_EQ(dict.RemoveWord("nope"), -1);
  EXPECT_FALSE(dict.ChangesMade());
  const int p = dict.AddWord("zap");
  EXPECT_EQ(dict.RemoveWord("zap"), p);
  EXPECT_TRUE(dict.AddedWords().empty());
  EXPECT_EQ(dict.RemovedWords(), List{"zap"});
  EXPECT_GE(dict.AddWord("zap"), 0);
  EXPECT_EQ(dict.AddedWords(), List{"zap"});
  EXPECT_EQ(dict.RemovedCount(), 0);
}

TEST_F(EngineTest, RemovedInstalledWordComesBackWithItsSound) {
  // tough sounds 18 but spells 1 by its letters.
  Load("tough,tVf\n");
  EXPECT_EQ(Code("tough"), "18");
  dict.RemoveWord("tough");
  ASSERT_EQ(dict.SaveUserChanges(), 0);
  Reload();  // the restart merges the removal and keeps the sound aside
  EXPECT_EQ(dict.FindWord("tough"), -1);
  EXPECT_EQ(dict.RemovedAt(0), "tough");
  const int p = dict.AddWord("tough");
  EXPECT_EQ(dict.CodeAt(p), "18");
  EXPECT_EQ(dict.EntryAt(p).pronunciation, "tVf");
  // A word that never had a sound is coded from its letters when it comes back.
  dict.AddWord("graph");
  dict.RemoveWord("graph");
  EXPECT_EQ(dict.CodeAt(dict.AddWord("graph")), "748");
}

TEST_F(EngineTest, RestoreWorksForVeryLongWords) {
  const std::string word(80, 'd');
  Load(word + ",t\n");
  dict.RemoveWord(word);
  const int p = dict.AddWord(word);
  EXPECT_EQ(dict.CodeAt(p), "1");
  EXPECT_TRUE(dict.EntryAt(p).hasPronunciation);
}

TEST_F(EngineTest, EditedCodesSurviveAddsAndMappingChanges) {
  Load(kWords);
  dict.EditCode("newword", "123");  // need not be in the dictionary
  EXPECT_EQ(Code("newword"), "<missing>");
  const int p = dict.AddWord("newword");
  EXPECT_EQ(dict.CodeAt(p), "123");
  dict.EditCode("tot", "7");
  dict.SetMappingLine(1, "");
  dict.ComputeCodes();
  EXPECT_EQ(Code("tot"), "7");
  EXPECT_EQ(Code("tea"), "");
  EXPECT_EQ(dict.EditedWords(), (List{"newword", "tot"}));
}

TEST_F(EngineTest, EditCodeTakesAnyDigitsSafely) {
  Load(kWords);
  EXPECT_EQ(dict.EditCode("tea", "123456789012345678901234567890123456789012345678901234567890"), 0);
  EXPECT_EQ(dict.BuildCodeIndex(), 0);
  EXPECT_EQ(Rows("1"), List{});  // tea's long code matches no digits
  std::vector<std::string> rows;
  dict.ListWordsForDigits("11", rows);
  EXPECT_EQ(rows, (List{"11", "tot"}));
}

// Runs of random edits, each taken back with PutBack and done again, in the
// order an undo history does: every word, code, list, the mapping and the
// code index are where they stood.
TEST_F(EngineTest, PutBackReturnsEveryRunOfEditsEitherWay) {
  // knee's sounds spell 2, its letters 72: once removed, only its kept sounds give 2.
  Load("bat,b@t\nknee,ni\ntea,ti\ntot,tAt\n", test::kShippedMapping, Changes({"apt"}, {"tot"}, {"bat", "77"}));
  std::mt19937 rng(27);
  auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  const List words = {"apt", "bat", "cab", "knee", "tea", "tot", "zoo"};
  auto snapshot = [this, &words] {
    std::string out;
    for (const std::string& w : words) out += dict.CodeOfNewWord(w) + ",";
    for (int p = 0; p < dict.Count(); ++p) out += dict.WordAt(p) + "=" + dict.CodeAt(p) + " ";
    for (const List* list : {&dict.AddedWords(), &dict.RemovedWords(), &dict.EditedWords(), &dict.EditedCodes()})
      for (const std::string& w : *list) out += "|" + w;
    for (std::size_t i = 0; i < RDictionary::kMappingLineCount; ++i) out += "|" + dict.MappingLine(i);
    for (const std::string& row : Rows("9")) out += "|" + row;
    return out;
  };
  std::vector<std::string> states = {snapshot()};
  std::vector<RDictionaryEdit> edits;
  for (int run = 0; run < 60; ++run) {
    dict.BeginEdit();
    for (int n = below(4); n >= 0; --n) {
      const std::string& word = words[static_cast<std::size_t>(below(static_cast<int>(words.size())))];
      const int what = below(4);
      if (what == 0) dict.AddWord(word);
      if (what == 1) dict.RemoveWord(word);
      if (what == 2 && word != "knee") dict.EditCode(word, std::to_string(below(100)));  // knee keeps its sounds
      if (what == 3) {
        // Lines that leave k alone, so that knee's two codes stay apart.
        dict.SetMappingLine(static_cast<std::size_t>("0236"[below(4)] - '0'), below(2) ? "s,z,c" : "m,b");
        dict.ComputeCodes();
      }
    }
    dict.BuildCodeIndex();
    edits.push_back(dict.EndEdit());
    states.push_back(snapshot());
  }
  for (std::size_t k = edits.size(); k > 0; --k) {
    dict.PutBack(edits[k - 1], true);
    ASSERT_EQ(snapshot(), states[k - 1]) << "undoing run " << k - 1;
  }
  for (std::size_t k = 0; k < edits.size(); ++k) {
    dict.PutBack(edits[k], false);
    ASSERT_EQ(snapshot(), states[k + 1]) << "redoing run " << k;
  }
}

// A word taken out in this run, by a removal or by Undo of its addition, is
// told apart from one that words.txt held out from the start.
TEST_F(EngineTest, AWordTakenOutSinceStartIsToldApart) {
  Load("knee,ni\ntea,ti\ntot,tAt\n", test::kShippedMapping, Changes({}, {"tot"}, {}));
  EXPECT_FALSE(dict.RemovedSinceStart("tot"));
  dict.BeginEdit();
  dict.RemoveWord("tea");
  dict.AddWord("zoo");
  const RDictionaryEdit edit = dict.EndEdit();
  EXPECT_TRUE(dict.RemovedSinceStart("tea"));
  EXPECT_FALSE(dict.RemovedSinceStart("zoo"));
  dict.PutBack(edit, true);
  EXPECT_FALSE(dict.RemovedSinceStart("tea"));
  EXPECT_TRUE(dict.RemovedSinceStart("zoo"));
}

}  // namespace
}  // namespace tq
