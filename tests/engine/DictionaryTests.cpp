#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "EngineFixture.h"
#include "Messages.h"

namespace tq {
namespace {

using test::EngineTest;
using List = std::vector<std::string>;

// Pronunciations in the generated style: consonants as they are, vowels as
// capitals that no rule starts with.
const char* kSmall =
    "apple,@pVl\n"
    "at,@t\n"
    "ate,et\n"
    "bat,b@t\n"
    "eye,\n"
    "oat,ot\n"
    "tea,ti\n"
    "tin,tIn\n"
    "toe,to\n"
    "tot,tAt\n";

TEST_F(EngineTest, LoadsWordsAndCodesThemBySound) {
  Load(kSmall);
  EXPECT_EQ(dict.Count(), 10);
  EXPECT_EQ(Code("apple"), "95");
  EXPECT_EQ(Code("tot"), "11");
  EXPECT_EQ(Code("eye"), "");  // empty pronunciation, empty code
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(EngineTest, WordsFileLinesSplitAtTheFirstComma) {
  Load("a,x,t\r\nb\nb2,t\nb2,ttt\nc,\n" + std::string(2000, 'z') + ",t\n");
  EXPECT_EQ(dict.Count(), 4);               // "b" has no comma
  EXPECT_EQ(dict.EntryAt(0).pronunciation, "x,t");
  EXPECT_EQ(Code("b2"), "1");               // the first line of a repeated word wins
  EXPECT_EQ(Code("c"), "");
  EXPECT_EQ(Code(std::string(2000, 'z')), "1");  // long lines are read whole
}

TEST_F(EngineTest, MissingWordsFileIsFatal) {
  dir.Write("mapping.txt", test::kShippedMapping);
  dict.SetDirectory(dir.path());
  ResetFatalErrorForTesting();
  EXPECT_EQ(dict.LoadWords(), -1);
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Fatal Error: Filename " + dir.File("words.dat") +
                                                              " was not found. Please reinstall."});
  EXPECT_EQ(platform.terminateRequests, 1);
  // A words.dat that cannot be read is no empty dictionary either.
  std::filesystem::create_directory(dir.File("words.dat"));
  platform.ClearShown();
  ResetFatalErrorForTesting();
  EXPECT_EQ(dict.LoadWords(), -1);
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Fatal Error: Filename " + dir.File("words.dat") +
                                     " could not be read: it is a folder, not a file. Please reinstall."});
  EXPECT_EQ(dict.Count(), 0);
  ResetFatalErrorForTesting();
}

TEST_F(EngineTest, FindWordExactAndNearest) {
  Load(kSmall);
  for (int i = 0; i < dict.Count(); ++i) EXPECT_EQ(dict.FindWord(dict.WordAt(i)), i);
  EXPECT_EQ(dict.FindWord("aardvark"), -1);
  EXPECT_EQ(dict.FindWord("zebra"), -1);
  EXPECT_EQ(dict.FindWord("bee"), -1);
  // Every entry before the nearest position is smaller than the word, and
  // the position is one of the entries.
  for (const char* w : {"aardvark", "bee", "tic", "zebra", "apple"}) {
    const int p = dict.FindWord(w, true);
    EXPECT_GE(p, 0) << w;
    EXPECT_LT(p, dict.Count()) << w;
    for (int i = 0; i < p; ++i) EXPECT_LT(dict.WordAt(i), std::string(w)) << w;
  }
  // With no entries there is no position to give, in either mode.
  RDictionary empty;
  EXPECT_EQ(empty.FindWord("x"), -1);
  EXPECT_EQ(empty.FindWord("x", true), -1);
  // Adding to it still puts the word first.
  EXPECT_EQ(empty.AddWord("x"), 0);
  EXPECT_EQ(empty.FindWord("x"), 0);
}

TEST_F(EngineTest, WordOrderIsByteWiseUnsigned) {
  Load("Zed,zEd\nabc,@bk\n\xE9t\xE9,et\n");
  EXPECT_EQ(dict.FindWord("Zed"), 0);
  EXPECT_EQ(dict.FindWord("abc"), 1);
  EXPECT_EQ(dict.FindWord("\xE9t\xE9"), 2);  // above every ASCII letter
}

TEST_F(EngineTest, ListWordsLongestCodesFirstWithHeaders) {
  Load(kSmall);
  EXPECT_EQ(Rows("112"), (List{"11", "tot", "1", "at", "ate", "oat", "tea", "toe", "(none)", "eye"}));
  std::vector<std::string> rows;
  EXPECT_EQ(dict.ListWordsForDigits("112", rows), 7);  // headers are not counted
  EXPECT_EQ(Rows(""), (List{"(none)", "eye"}));
  EXPECT_EQ(Rows("555"), (List{"(none)", "eye"}));
  EXPECT_EQ(dict.ListWordsForDigits("555", rows), 1);
}

TEST_F(EngineTest, TrimToKnownCode) {
  Load(kSmall);
  std::string d = "11";
  dict.TrimToKnownCode(d);
  EXPECT_EQ(d, "11");
  d = "1199";
  dict.TrimToKnownCode(d);
  EXPECT_EQ(d, "11");
  d = "777";
  dict.TrimToKnownCode(d);
  EXPECT_EQ(d, "");
  d = std::string(40, '1');  // longer than any lookup code
  dict.TrimToKnownCode(d);
  EXPECT_EQ(d, "11");
}

TEST_F(EngineTest, CodesLongerThanTheIndexStayFindableButOutOfLookups) {
  const std::string longSound(30, 't');
  Load("long," + longSound + "\ntot,tAt\n");
  EXPECT_EQ(Code("long"), std::string(30, '1'));
  EXPECT_EQ(Rows(std::string(30, '1')), (List{"11", "tot"}));
  EXPECT_EQ(dict.EditCode("tot", std::string(200, '1')), 0);
  dict.BuildCodeIndex();
  EXPECT_EQ(Rows(std::string(30, '1')), List{});
  std::string d(30, '1');
  dict.TrimToKnownCode(d);
  EXPECT_EQ(d, "");
  EXPECT_FALSE(dict.RandomWordForCode(std::string(30, '1')).has_value());
  EXPECT_EQ(dict.FindWord("long"), 0);
}

TEST_F(EngineTest, RandomWordForCodeOnlyGivesMatchingWords) {
  Load(kSmall);
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    const auto w = dict.RandomWordForCode("1");
    ASSERT_TRUE(w.has_value());
    EXPECT_EQ(Code(*w), "1");
    seen.insert(*w);
  }
  EXPECT_GT(seen.size(), 1u);
  EXPECT_FALSE(dict.RandomWordForCode("999").has_value());
  EXPECT_EQ(RandomBelow(0), 0);
  for (int i = 0; i < 100; ++i) {
    const int r = RandomBelow(3);
    EXPECT_TRUE(r >= 0 && r < 3);
  }
}

TEST_F(EngineTest, FindWordsByStartOrContainedText) {
  Load("ab,@b\nabc,@bk\ncab,k@b\n");
  std::vector<std::string> words, codes;
  EXPECT_EQ(dict.FindWords("ab", words, codes, 0), 2);
  EXPECT_EQ(words, (List{"ab", "abc"}));
  EXPECT_EQ(codes, (List{"9", "97"}));
  EXPECT_EQ(dict.FindWords("ab", words, codes, 1), 3);
  EXPECT_EQ(words, (List{"ab", "abc", "cab"}));
  EXPECT_EQ(codes.size(), 3u);
}

TEST_F(EngineTest, AddedWordIsFoundAtOnceAndInLookupsAfterReindexing) {
  Load(kSmall);
  const int p = dict.AddWord("tat");
  EXPECT_EQ(p, dict.FindWord("tat"));
  EXPECT_EQ(Code("tat"), "11");  // coded from its letters
  EXPECT_EQ(dict.AddWord("tat"), -1);
  dict.BuildCodeIndex();
  EXPECT_EQ(Rows("11"), (List{"11", "tat", "tot", "1", "at", "ate", "oat", "tea", "toe", "(none)", "eye"}));
}

TEST_F(EngineTest, StoreGrowsInStepsOfTenThousand) {
  std::string words;
  char buf[16];
  for (int i = 0; i < 68005; ++i) {
    std::snprintf(buf, sizeof buf, "w%06d,t\n", i);
    words += buf;
  }
  Load(words);
  EXPECT_EQ(dict.Count(), 68005);
  EXPECT_EQ(dict.Capacity(), 78000u);
  EXPECT_EQ(dict.BucketSize(1), 68005);
}

}  // namespace
}  // namespace tq
