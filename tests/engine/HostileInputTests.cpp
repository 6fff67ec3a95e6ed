// Words, codes, rule lines and data files that a careless paste or a damaged
// file brings in: refused where they enter, and never able to cost the user
// what is already stored.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "EngineFixture.h"
#include "Messages.h"

namespace tq {
namespace {

using test::EngineTest;
using List = std::vector<std::string>;

const char* kWords =
    "bat,b@t\n"
    "tea,ti\n"
    "tot,tAt\n";

const std::string kHeaderAdd = "#ADD - Enter words to add below, one per line.\n";
const std::string kHeaderRemove = "#REMOVE - Enter words to remove below, one per line.\n";
const std::string kHeaderEdit = "#EDIT - Enter words to edit followed by code on the next line.\n";

// --- words.txt that an earlier run damaged ------------------------------------------

TEST_F(EngineTest, StrayHashLineCostsNothingBelowIt) {
  struct Case {
    std::string text;
    List added, removed, edited, codes;
  };
  const Case cases[] = {
      // An imported "# my words" under #ADD.
      {kHeaderAdd + "foo\n# my words\nzoo\n" + kHeaderRemove + "tea\n" + kHeaderEdit + "bat\n42\n",
       {"foo", "zoo"}, {"tea"}, {"bat"}, {"42"}},
      // A removed word beginning with '#'.
      {kHeaderAdd + "foo\n" + kHeaderRemove + "#tag\ntea\n" + kHeaderEdit + "tot\n7\n",
       {"foo"}, {"tea"}, {"tot"}, {"7"}},
      // The #REMOVE header is missing: the edits still count.
      {kHeaderAdd + "foo\n" + kHeaderEdit + "bat\n42\n", {"foo"}, {}, {"bat"}, {"42"}},
  };
  for (const auto& c : cases) {
    platform.statusText.clear();
    Load(kWords, test::kShippedMapping, c.text);
    EXPECT_EQ(dict.LoadUserChanges(), -1) << c.text;
    EXPECT_EQ(platform.statusText, "File " + dir.File("words.txt") + " contained bad data.") << c.text;
    EXPECT_EQ(dict.AddedWords(), c.added) << c.text;
    EXPECT_EQ(dict.RemovedWords(), c.removed) << c.text;
    EXPECT_EQ(dict.EditedWords(), c.edited) << c.text;
    EXPECT_EQ(dict.EditedCodes(), c.codes) << c.text;
  }
}

// An editor's byte order mark is no part of the first header.
TEST_F(EngineTest, AByteOrderMarkBeforeTheChangesIsSkipped) {
  Load(kWords, test::kShippedMapping, "\xEF\xBB\xBF" + kHeaderAdd + "mop\n" + kHeaderRemove + "tea\n" + kHeaderEdit);
  EXPECT_EQ(platform.statusText, "");
  EXPECT_EQ(dict.AddedWords(), List{"mop"});
  EXPECT_EQ(dict.RemovedWords(), List{"tea"});
}

// The line that ends the #EDIT section ends what is read: nothing below it
// is paired, taken for bad data or written back.
TEST_F(EngineTest, TheLineThatEndsTheEditsEndsWhatIsRead) {
  for (const char* end : {"# my notes", "#EDIT", "#"}) {
    Load(kWords, test::kShippedMapping, kHeaderAdd + kHeaderRemove + kHeaderEdit + "bat\n42\n" + end + "\ntot\n7\n");
    EXPECT_EQ(platform.statusText, "") << end;
    dict.EditCode("bat", "43");
    ASSERT_EQ(dict.SaveUserChanges(), 0);
    EXPECT_EQ(dir.Read("words.txt"), kHeaderAdd + kHeaderRemove + kHeaderEdit + "bat\n43\n") << end;
  }
}

// --- words and codes that cannot be stored -----------------------------------------

TEST_F(EngineTest, WordsThatAreNotOneWordAreRefusedWithAReason) {
  Load(kWords);
  const List refused = {"", "#tag", "# my words", "two words", " lead", "trail ", "tab\tin", "line\nbreak",
                        "carriage\rreturn", "end\n", "nul" + std::string(1, '\0') + "x",
                        ".dot", "\xB7mark", "\x95" "bullet", "123", "-", "4:15",
                        std::string(RDictionary::kMaxWordLength + 1, 'a'), std::string(5000, 'x'), "nb\xA0sp"};
  for (const auto& w : refused) {
    platform.ClearShown();
    EXPECT_EQ(dict.AddWord(w), RDictionary::kWordRefused) << w;
    ASSERT_EQ(platform.shown().size(), 1u) << w;
    EXPECT_EQ(platform.shown()[0].icon, MessageIcon::Error) << w;
    EXPECT_NE(platform.shown()[0].text.find("Error: "), std::string::npos) << w;
    EXPECT_EQ(WordProblem(w).empty(), false) << w;
  }
  EXPECT_EQ(platform.MessageTexts(), List{"Error: 'nb\xA0sp' cannot be added: a word is one word, without blanks, "
                                          "tabs or line breaks."});
  platform.ClearShown();
  dict.AddWord("#tag");
  EXPECT_EQ(platform.MessageTexts(), List{"Error: '#tag' cannot be added: a word cannot begin with '#'."});
  platform.ClearShown();
  dict.AddWord("123");
  dict.AddWord(std::string(5000, 'x'));
  EXPECT_EQ(platform.MessageTexts(), (List{"Error: '123' cannot be added: a word needs at least one letter.",
                                           "Error: '" + std::string(30, 'x') +
                                               "...' cannot be added: a word has at most 64 letters, and this one "
                                               "has 5000."}));
  EXPECT_EQ(dict.Count(), 3);
  EXPECT_TRUE(dict.AddedWords().empty());
  EXPECT_FALSE(dict.ChangesMade());
  // Punctuation, accents and a '#' further in are still words.
  platform.ClearShown();
  for (const char* w : {"cat,", "caf\xE9", "c#", "o'clock", "x-ray", "st.", "4th", "\xE9t\xE9"})
    EXPECT_GE(dict.AddWord(w), 0) << w;
  EXPECT_GE(dict.AddWord(std::string(RDictionary::kMaxWordLength, 'a')), 0);
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(EngineTest, CodesAreDigitsOnlyAndARefusedCodeChangesNothing) {
  Load(kWords);
  const std::string before = Code("tea");
  for (const char* code : {"ma", "#1", "1\n2", "12\r", " 12", "1 2", "\xB9", "1,2"}) {
    platform.ClearShown();
    EXPECT_EQ(dict.EditCode("tea", code), -1) << code;
    EXPECT_EQ(platform.MessageTexts().size(), 1u) << code;
  }
  EXPECT_EQ(Code("tea"), before);
  EXPECT_TRUE(dict.EditedWords().empty());
  EXPECT_FALSE(dict.ChangesMade());
  // Digits, and the empty code, are taken.
  EXPECT_EQ(dict.EditCode("tea", "0123456789"), 0);
  EXPECT_EQ(dict.EditCode("tot", ""), 0);
  EXPECT_EQ(Code("tea"), "0123456789");
  EXPECT_EQ(Code("tot"), "");
}

TEST_F(EngineTest, InstalledWordsTheChangesFileCannotHoldStayPut) {
  // Only a damaged words.dat has such words; removing one or giving it a
  // code would put a '#' line into words.txt.
  Load("#tag,t@g\nice cream,Ajs krim\ntea,ti\n");
  EXPECT_EQ(dict.RemoveWord("#tag"), -1);
  EXPECT_EQ(dict.EditCode("#tag", "1"), -1);
  EXPECT_EQ(platform.MessageTexts().size(), 2u);
  EXPECT_GE(dict.FindWord("#tag"), 0);
  EXPECT_FALSE(dict.ChangesMade());
  // An installed word with a blank can go and come back with its sound.
  EXPECT_GE(dict.RemoveWord("ice cream"), 0);
  EXPECT_EQ(dict.AddWord("ice cream2"), RDictionary::kWordRefused);
  const int p = dict.AddWord("ice cream");
  ASSERT_GE(p, 0);
  EXPECT_TRUE(dict.EntryAt(p).hasPronunciation);
}

// --- mapping.txt ----------------------------------------------------------------------

TEST_F(EngineTest, RuleLineWithALineBreakIsRefused) {
  Load(kWords);
  const std::string before = dict.MappingLine(3);
  for (const char* letters : {"m\nn", "m\r", "\nm", "\r\n"}) {
    platform.ClearShown();
    EXPECT_EQ(dict.SetMappingLine(3, letters), -1);
    EXPECT_EQ(platform.MessageTexts().size(), 1u);
  }
  EXPECT_EQ(dict.MappingLine(3), before);
  EXPECT_FALSE(dict.MappingChanged());
  EXPECT_EQ(dict.SaveMapping(), 0);
  EXPECT_EQ(dir.Read("mapping.txt"), test::kShippedMapping);
}

TEST_F(EngineTest, RepeatedGroupsMakeOneRuleWhereOnlyTheFirstCanMatch) {
  // A line of 100,000 groups: building its rules must not grow with the
  // square of the groups, and the repeats must not be tried one by one.
  std::string line;
  for (int i = 0; i < 100000; ++i) line += "b,";
  Load(kWords);
  ASSERT_EQ(dict.SetMappingLine(9, line), 0);
  const RRuleTable letters = dict.BuildRuleTable(false);
  EXPECT_EQ(letters.lists['b'].size(), 1u);
  EXPECT_EQ(letters.lists['b'][0].digit, '9');
  const RRuleTable sounds = dict.BuildRuleTable(true);
  EXPECT_EQ(sounds.lists['b'].size(), 1u);
  EXPECT_EQ(dict.CodeFromText("bob", false), "99");
  // The kept tables follow every change of a line.
  ASSERT_EQ(dict.SetMappingLine(9, "p"), 0);
  EXPECT_EQ(dict.CodeFromText("bob", false), "");
  // ng keeps every rule, in line order: each one is applied (line 7 has
  // ng as well).
  ASSERT_EQ(dict.SetMappingLine(2, "ng,ng,ng"), 0);
  EXPECT_EQ(dict.BuildRuleTable(true).lists[0xFC].size(), 4u);
  EXPECT_EQ(dict.CodeFromText("\xFC", true), "2227");
}

// Codes a text in letter mode with rule lists made by inserting each rule at
// its place as it comes, the way the lists are defined; the built tables must
// code every text alike.
std::string CodeByInsertion(const RDictionary& dict, std::string_view text) {
  RRuleTable table;
  for (std::size_t i = 0; i < RDictionary::kMappingLineCount; ++i) {
    const char digit = i < 10 ? static_cast<char>('0' + i) : '\0';
    const std::string line = dict.MappingLine(i);
    std::size_t start = 0;
    while (start <= line.size()) {
      const auto comma = line.find(',', start);
      const std::string group = line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      start = comma == std::string::npos ? line.size() + 1 : comma + 1;
      if (group.empty()) continue;
      auto& list = table.lists[static_cast<unsigned char>(group[0])];
      const bool keepOrder = static_cast<unsigned char>(group[0]) == 0xFC;
      auto it = list.begin();
      while (it != list.end() && (keepOrder ? it->letters.size() >= group.size() : it->letters.size() > group.size()))
        ++it;
      list.insert(it, RMappingRule{group, digit});
    }
  }
  return RDictionary::ApplyRules(text, table);
}

TEST_F(EngineTest, BuiltRulesCodeAsRulesInsertedOneByOne) {
  Load(kWords);
  std::mt19937 random(20261207);
  const std::string alphabet = "abcgn\xFC,,";
  const auto randomText = [&](std::size_t maxLength) {
    std::string s(random() % (maxLength + 1), ' ');
    for (char& c : s) c = alphabet[random() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    for (std::size_t i = 0; i < RDictionary::kMappingLineCount; ++i)
      ASSERT_EQ(dict.SetMappingLine(i, randomText(12)), 0);
    for (int t = 0; t < 10; ++t) {
      std::string text = randomText(16);
      std::erase(text, ',');
      EXPECT_EQ(dict.CodeFromText(text, false), CodeByInsertion(dict, text)) << text;
    }
  }
}

// --- any of the four files ----------------------------------------------------------

// Something else than a file in a data file's place (here a device; a named
// pipe, that would keep the start waiting, is refused the same way) is not
// read: a message names it and says what it is.
TEST_F(EngineTest, SomethingElseThanAFileIsNamedAndNotRead) {
  for (const char* name : {"words.dat", "mapping.txt", "words.txt", "wordinfo.dat"}) {
    SCOPED_TRACE(name);
    Load(kWords, test::kShippedMapping, kHeaderAdd + kHeaderRemove + kHeaderEdit);
    std::filesystem::remove(dir.File(name));
    std::filesystem::create_symlink("/dev/null", dir.File(name));
    platform.ClearShown();
    platform.statusText.clear();
    Reload();
    dict.LoadWordKnowledge();
    ResetFatalErrorForTesting();
    std::vector<std::string> told = platform.MessageTexts();
    told.push_back(platform.statusText);
    EXPECT_TRUE(std::any_of(told.begin(), told.end(), [&](const std::string& text) {
      return text.find(dir.File(name)) != std::string::npos &&
             text.find("it is a device, not a file") != std::string::npos;
    })) << ::testing::PrintToString(told);
    std::filesystem::remove(dir.File(name));
  }
}

// --- words.dat ----------------------------------------------------------------------

TEST_F(EngineTest, LineEndsAloneTakeNoRoomInTheWordStore) {
  // Four million empty lines are an empty dictionary and must cost as much.
  Load(std::string(4'000'000, '\n'));
  EXPECT_EQ(dict.Count(), 0);
  EXPECT_LT(dict.ReservedEntries(), 1000u);
  // Words among them: room for the words only.
  std::string words;
  for (int i = 0; i < 1000; ++i) words += "w" + std::to_string(100000 + i) + ",w\n" + std::string(4000, '\n');
  Load(words);
  EXPECT_EQ(dict.Count(), 1000);
  EXPECT_EQ(dict.ReservedEntries(), 1000u);
  // One word repeated: the first line counts, the rest take nothing.
  std::string repeated;
  for (int i = 0; i < 500000; ++i) repeated += "w,x\n";
  Load(repeated);
  EXPECT_EQ(dict.Count(), 1);
  EXPECT_EQ(dict.ReservedEntries(), 1u);
}

TEST_F(EngineTest, WordsFileReadInBlocksGivesEveryLineWhole) {
  // Lines of every length, some longer than a read block, with either line
  // end, and a last line with no end at all.
  std::mt19937 random(7);
  std::string file;
  List expected;
  for (int i = 0; i < 300; ++i) {
    const std::size_t length = random() % 4 == 0 ? random() % 150000 : random() % 40;
    std::string word = "w" + std::to_string(100000 + i);
    std::string sound(length, 'x');
    for (char& c : sound) c = static_cast<char>('a' + random() % 26);
    file += word + "," + sound + (random() % 2 ? "\r\n" : "\n");
    expected.push_back(sound);
  }
  file += "zz,last";
  expected.push_back("last");
  Load(file);
  ASSERT_EQ(dict.Count(), static_cast<int>(expected.size()));
  for (int i = 0; i < dict.Count(); ++i) EXPECT_EQ(dict.EntryAt(i).pronunciation, expected[i]) << i;
  // A code takes the room of its digits, not of the long text it came from.
  Load("vowels," + std::string(100000, 'e') + "t\n");
  EXPECT_EQ(Code("vowels"), "1");
  EXPECT_LT(dict.CodeAt(0).capacity(), 64u);
}

}  // namespace
}  // namespace tq
