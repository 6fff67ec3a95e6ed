// The user's pegs without a display: what the reader takes the writer gives
// back, what it refuses it names, a file with refused lines is never lost,
// and the pegs in force are theirs where sound.
#include <gtest/gtest.h>

#include "FileIO.h"
#include "MyPegs.h"
#include "Paths.h"
#include "PegSystem.h"
#include "PhraseFixture.h"
#include "RNumber.h"
#include "RandomValues.h"
#include "ScriptedPlatform.h"
#include "Text.h"

namespace tq {
namespace {

class MyPegsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    auto words = test::CommonWords();
    words.push_back({"mug", "37"});
    words.push_back({"mike", "37"});
    words.push_back({"hat", "1"});
    words.push_back({"caf\xE9", "78"});
    test::LoadDictionary(dict, dir, words);
  }
  test::TempDir dir;
  RDictionary dict;
};

// Random lines, sound and not: whatever the reader takes, written and read
// again, is what it took, with nothing refused; and each peg it took spells
// its number.
TEST_F(MyPegsFile, WhatTheReaderTakesTheWriterGivesBack) {
  test::RandomValues values(34);
  const std::vector<std::string> pieces = {"tie", "hat", "knee", "ma", "tin", "denim", "mug", "MIKE", "caf\xC3\xA9",
                                           "caf\xE9", "\xC2\xB7", "\xB7", "ah", "zzz", "37", "\t", " ", "\r"};
  std::size_t taken = 0, refused = 0;
  for (int round = 0; round < 300; ++round) {
    std::string text = round % 3 == 0 ? "\xEF\xBB\xBF" : "";
    for (int line = values.Below(12); line > 0; --line) {
      if (values.Below(8) == 0) {
        text += values.Text();
      } else {
        // Words, and mostly the number they spell (a mark for the digit 5).
        std::string words, number;
        for (int w = 1 + values.Below(3); w > 0; --w) {
          const std::string& piece = pieces[values.Below(static_cast<int>(pieces.size()))];
          const int known = dict.FindWord(ToLower1252(piece));
          number += known >= 0 ? dict.CodeAt(known) : piece.find('\xB7') != std::string::npos ? "5" : "";
          words += piece + " ";
        }
        if (number.empty() || number.size() > 3 || values.Below(4) == 0)
          number = std::to_string(values.Below(values.Below(2) == 0 ? 10 : 1000));
        text += number + (values.Below(4) == 0 ? " " : "\t") + words;
      }
      text += "\n";
    }
    RMyPegs read;
    ASSERT_EQ(ParseMyPegsText(text, dict, read), MyPegsLoad::Loaded);
    taken += read.pegs.size();
    refused += read.refused;
    for (const auto& [number, slots] : read.pegs) EXPECT_EQ(MyPegProblem(dict, number, slots), "") << number;
    const std::string written = MyPegsText(dict, read);
    RMyPegs back;
    ASSERT_EQ(ParseMyPegsText(written, dict, back), MyPegsLoad::Loaded);
    EXPECT_EQ(back.pegs, read.pegs) << written;
    EXPECT_EQ(back.refused, 0u) << written;
    EXPECT_EQ(MyPegsText(dict, back), written);
  }
  EXPECT_GT(taken, 100u);
  EXPECT_GT(refused, 100u);
}

TEST_F(MyPegsFile, RefusedLinesAreNamedAndTheirNumbersKeepNoPeg) {
  RMyPegs read;
  std::string reason;
  ASSERT_EQ(ParseMyPegsText("\xEF\xBB\xBF"
                            "37\tmug\n"           // 1
                            "12\ttie knee\n"      // 2
                            "14\ttie\n"           // 3: spells 1
                            "5\tzzz\n"            // 4: unknown
                            "12\ttin\n"           // 5: 12 twice
                            "mug\t37\n"           // 6: no number
                            "1234\tdinner\n"      // 7: four digits
                            "78\tcaf\xC3\xA9\n"   // 8: UTF-8 from --pegs
                            "2\t\xC2\xB7\n"       // 9: a mark
                            "3\n"                 // 10: no peg
                            "4\t.r\n"             // 11: a word, not a mark
                            "12\x01\ttin\n",       // 12: a control character
                            dict, read, &reason),
            MyPegsLoad::Loaded);
  EXPECT_EQ(read.pegs, (std::map<std::string, std::vector<std::string>>{
                           {"37", {"mug"}}, {"78", {"caf\xE9"}}, {"2", {kUncoveredSlot}}}));
  const std::vector<std::string> named = {"line 3: 'tie' spells 1, not 14",
                                          "line 4: the dictionary does not know 'zzz'",
                                          "line 5: 12 is given on line 2 too",
                                          "line 6: it is not a number",
                                          "line 7: it is not a number",
                                          "line 10: it is not a number",
                                          "line 11: the dictionary does not know '.r'",
                                          "line 12: it holds a control character",
                                          "line 2: 12 is given more than once"};
  ASSERT_EQ(read.notices.size(), named.size());
  for (std::size_t k = 0; k < named.size(); ++k)
    EXPECT_EQ(read.notices[k].substr(0, named[k].size()), named[k]) << read.notices[k];
  EXPECT_EQ(read.refused, named.size());

  // Windows-1252 where the bytes are no UTF-8; too long a file is damaged whole.
  ASSERT_EQ(ParseMyPegsText("78 caf\xE9\n", dict, read), MyPegsLoad::Loaded);
  EXPECT_EQ(read.pegs.at("78"), std::vector<std::string>{"caf\xE9"});
  RMyPegs kept = read;
  EXPECT_EQ(ParseMyPegsText(std::string(kMaxMyPegsFile + 1, '\n'), dict, kept, &reason), MyPegsLoad::Damaged);
  EXPECT_NE(reason.find("longer than"), std::string::npos);
  EXPECT_EQ(kept.pegs, read.pegs);
}

// A file with a line refused is kept aside before the new one is written,
// an older copy kept too; one that cannot be read is never written over.
TEST_F(MyPegsFile, AFileWithRefusedLinesIsNeverLost) {
  test::ScriptedPlatform platform;
  test::TempDir user;
  const std::string old = "37\tmug\n14\ttie\n";
  user.Write("pegs.txt", old);
  user.Write("pegs.txt.damaged", "older");
  RMyPegs mine = LoadMyPegs(PortablePaths(user.path()), dict);
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_NE(platform.MessageTexts()[0].find("line 2: 'tie' spells 1, not 14"), std::string::npos);
  mine.pegs["12"] = {"tin"};
  platform.ClearShown();
  EXPECT_TRUE(StoreMyPegs(PortablePaths(user.path()), dict, mine));
  EXPECT_EQ(user.Read("pegs.txt.damaged2"), old);
  EXPECT_EQ(user.Read("pegs.txt.damaged"), "older");
  EXPECT_EQ(user.Read("pegs.txt"), "12\ttin\n37\tmug\n");
  EXPECT_EQ(LoadMyPegs(PortablePaths(user.path()), dict).pegs, mine.pegs);
  // A sound file is simply written over.
  EXPECT_TRUE(StoreMyPegs(PortablePaths(user.path()), dict, RMyPegs{}));
  EXPECT_FALSE(FileExists(user.File("pegs.txt.damaged3")));

  test::TempDir other;
  ASSERT_TRUE(MakeDirectories(other.File("pegs.txt")));
  platform.ClearShown();
  EXPECT_TRUE(LoadMyPegs(PortablePaths(other.path()), dict).pegs.empty());
  EXPECT_FALSE(StoreMyPegs(PortablePaths(other.path()), dict, mine));
  ASSERT_EQ(platform.MessageTexts().size(), 2u);
  EXPECT_NE(platform.MessageTexts()[1].find("Your pegs were not saved"), std::string::npos);
  EXPECT_TRUE(DirectoryExists(other.File("pegs.txt")));
}

// Theirs where it spells its number with today's dictionary, the suggested
// peg elsewhere; one digit, two and three alike.
TEST_F(MyPegsFile, ThePegsInForceAreTheirsWhereSound) {
  RMyPegs mine;
  mine.pegs = {{"37", {"mike"}}, {"1", {"hat"}}, {"12", {"tie", "knee"}}, {"123", {"tin", "ma"}}};
  RPegSystem system(dict);
  system.SetMine(mine);
  for (int digits = 1; digits <= 3; ++digits) {
    const auto& suggested = system.Suggested(digits);
    const auto& inForce = system.InForce(digits);
    ASSERT_EQ(inForce.size(), digits == 1 ? 10u : digits == 2 ? 100u : 1000u);
    for (std::size_t n = 0; n < inForce.size(); ++n) {
      const auto* own = mine.Find(inForce[n].number);
      EXPECT_EQ(inForce[n].words, own ? *own : suggested[n].words) << inForce[n].number;
    }
  }
  EXPECT_EQ(system.PegOf("37").Phrase(), "mike");
  EXPECT_EQ(system.PegOf("123").words, (std::vector<std::string>{"tin", "ma"}));
  // "mike" recoded: no longer 37, so 37 is suggested again.
  ASSERT_EQ(dict.EditCode("mike", "77"), 0);
  dict.BuildCodeIndex();
  system.DictionaryChanged();
  EXPECT_NE(system.PegOf("37").Phrase(), "mike");
  EXPECT_EQ(system.PegOf("1").Phrase(), "hat");

  // A word in two pegs marks both; an uncovered digit is no word.
  std::vector<RPeg> list(5);
  for (auto [k, words] : {std::pair<int, std::vector<std::string>>{0, {"tin", "hat"}}, {1, {"hat"}}, {2, {"."}},
                          {3, {"."}}, {4, {"tin", "mug"}}})
    list[static_cast<std::size_t>(k)].words = words;
  EXPECT_EQ(UsedTwice(list), (std::vector<int>{1, 0, -1, -1, 0}));
}

}  // namespace
}  // namespace tq
