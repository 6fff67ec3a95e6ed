#include <gtest/gtest.h>

#include "AtomicFile.h"
#include "EngineFixture.h"
#include "Messages.h"

namespace tq {
namespace {

using test::EngineTest;

std::string Mapping(const std::vector<std::string>& lines) {
  std::string out = "#MAP\n";
  for (const auto& l : lines) out += l + "\n";
  return out;
}

TEST_F(EngineTest, LetterModeCodesByTheLongestRuleAndLaterLines) {
  Load("", Mapping({"0:s,c", "1:t", "2:", "3:", "4:", "5:", "6:", "7:c,k", "8:f", "9:", " :a,e,i,o,u,gh"}));
  EXPECT_EQ(dict.CodeFromText("tough", false), "1");  // gh is consumed as one group
  EXPECT_EQ(dict.CodeFromText("cat", false), "71");   // c stands in 0 and 7: the later line wins
  EXPECT_EQ(dict.CodeFromText("aeiou", false), "");
  EXPECT_EQ(dict.CodeFromText("xyz", false), "");
}

TEST_F(EngineTest, NoDigitLineHidesALetterOfADigitLine) {
  Load("", Mapping({"0:", "1:t", "2:", "3:", "4:", "5:", "6:", "7:", "8:", "9:", " :t"}));
  EXPECT_EQ(dict.CodeFromText("tot", false), "");
}

TEST_F(EngineTest, NgSoundYieldsEveryDigitInLineOrder) {
  Load("ring,r\xC9\xFC\nsing,s\xC9\xFC\n");
  EXPECT_EQ(Code("ring"), "427");
  EXPECT_EQ(Code("sing"), "027");
  // In letter mode ng stays a plain group: the later line wins.
  EXPECT_EQ(dict.CodeFromText("ng", false), "7");
}

TEST_F(EngineTest, PronunciationModeUsesThePhonemeTable) {
  Load("");
  EXPECT_EQ(dict.CodeFromText("t\x9F" "3t\x9F", true), "646");  // church
  EXPECT_EQ(dict.CodeFromText("d\xBFVd\xBF", true), "66");        // judge: dj beats d
  EXPECT_EQ(dict.CodeFromText("\xE9\xEB", true), "11");           // both th sounds
  EXPECT_EQ(dict.CodeFromText("kwIk", true), "77");               // quick: kw from qu
  EXPECT_EQ(dict.CodeFromText("\xF4Z", true), "66");
  // Groups that are no key of the phoneme table give no rule.
  Load("", Mapping({"0:x", "1:", "2:", "3:", "4:", "5:", "6:", "7:ck", "8:", "9:", " :"}));
  EXPECT_EQ(dict.CodeFromText("xck", true), "");
  EXPECT_EQ(dict.CodeFromText("xck", false), "07");
}

TEST_F(EngineTest, ShortMappingCodesAsIfMissingLinesWereEmpty) {
  Load("tot,tOt\n", Mapping({"0:s", "1:t"}));
  EXPECT_EQ(Code("tot"), "11");
  EXPECT_EQ(dict.MappingLine(5), "");
  EXPECT_EQ(dict.MappingLine(10), "");
}

TEST_F(EngineTest, DataModelLimitsDoNotOverflow) {
  // A 60-character group, 40 rules on one first byte, a long line and byte 255.
  std::string many;
  for (int i = 1; i <= 40; ++i) many += (many.empty() ? "" : ",") + std::string(static_cast<std::size_t>(i), 'k');
  Load("", Mapping({"0:" + std::string(60, 's'), "1:\xFF", "2:", "3:", "4:", "5:", "6:", "7:" + many, "8:", "9:", " :"}));
  EXPECT_EQ(dict.CodeFromText(std::string(60, 's'), false), "0");
  EXPECT_EQ(dict.CodeFromText(std::string(41, 'k'), false), "77");  // 40 k's, then one
  EXPECT_EQ(dict.CodeFromText("\xFF\xFF", false), "11");
}

TEST_F(EngineTest, MissingMappingIsFatal) {
  dir.Write("words.dat", "a,\n");
  dict.SetDirectory(dir.path());
  ResetFatalErrorForTesting();
  EXPECT_EQ(dict.LoadMapping(), -1);
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Fatal Error: The file '" + dir.File("mapping.txt") +
                                     "' count not be found. Please reinstall."});
  EXPECT_EQ(platform.terminateRequests, 1);
  ResetFatalErrorForTesting();
}

TEST_F(EngineTest, MappingWithoutHeaderLeavesAnAlert) {
  Load("tot,tOt\n", "0:s\n1:t\n");
  EXPECT_EQ(platform.statusText, "File " + dir.File("mapping.txt") + " contained bad data.");
  EXPECT_TRUE(platform.statusAlert);
  EXPECT_EQ(dict.MappingLineCount(), 0u);
  EXPECT_EQ(Code("tot"), "");
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(EngineTest, SaveMappingOnlyWhenChangedAndKeepsExtraLines) {
  const std::string original = Mapping({"0:s", "1:t", "2:n", "3:m", "4:r", "5:l", "6:j", "7:k", "8:f", "9:p",
                                        " :a", "x:extra"});
  Load("", original);
  EXPECT_EQ(dict.SaveMapping(), 0);
  EXPECT_EQ(dir.Read("mapping.txt"), original);  // untouched
  EXPECT_EQ(dict.SetMappingLine(1, "T,DD"), 0);
  EXPECT_EQ(dict.MappingLine(1), "t,dd");
  EXPECT_EQ(dict.SaveMapping(), 0);
  EXPECT_EQ(dir.Read("mapping.txt"),
            "#MAP - This file contains rules for making a code from a word.\n"
            "0:s\n1:t,dd\n2:n\n3:m\n4:r\n5:l\n6:j\n7:k\n8:f\n9:p\n :a\n :extra\n");
}

TEST_F(EngineTest, SaveMappingFailureKeepsTheOldFile) {
  Load("");
  dict.SetMappingLine(0, "z");
  SetWriteFaultForTesting(10);
  EXPECT_EQ(dict.SaveMapping(), -1);
  SetWriteFaultForTesting(-1);
  EXPECT_EQ(dir.Read("mapping.txt"), test::kShippedMapping);
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: Error writing to file '" +
                                                              dir.File("mapping.txt") + "'. The disk could be full."});
}

}  // namespace
}  // namespace tq
