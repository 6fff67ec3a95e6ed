#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "RNumber.h"
#include "TempDir.h"

namespace tq {
namespace {

const std::string kDot(1, kUncoveredMark);
const std::string kBullet(1, kHighlightMark);

RNumber WithSlots(const std::vector<std::string>& slots) {
  RNumber n;
  for (const auto& s : slots) n.InsertSlot(n.SlotCount(), s);
  return n;
}

std::string WriteToString(const RNumber& n) {
  std::FILE* f = std::tmpfile();
  n.WriteRecord(f);
  std::string out;
  std::rewind(f);
  int c;
  while ((c = std::getc(f)) != EOF) out.push_back(static_cast<char>(c));
  std::fclose(f);
  return out;
}

// Reads records from bytes the way a worksheet would.
std::vector<RNumber> ReadAll(const std::string& bytes, int records) {
  std::FILE* f = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  std::vector<RNumber> out;
  for (int i = 0; i < records; ++i) {
    RNumber n;
    if (!n.ReadRecord(f)) break;
    out.push_back(n);
  }
  std::fclose(f);
  return out;
}

TEST(NumberDigits, KeepsOnlyDecimalDigitsInOrder) {
  RNumber n;
  n.SetNumber("(555) 12-34");
  EXPECT_EQ(n.Number(), "(555) 12-34");
  EXPECT_EQ(n.Digits(), "5551234");
  n.SetNumber("12a3");
  EXPECT_EQ(n.Digits(), "123");
  n.SetNumber("no digits \xB2\xB3");  // superscripts are not digits
  EXPECT_EQ(n.Digits(), "");
}

TEST(NumberEmpty, LooksOnlyAtTheThreeTexts) {
  RNumber n = WithSlots({"car", "."});
  EXPECT_TRUE(n.IsEmpty());
  n.SetPhrase(" ");
  EXPECT_FALSE(n.IsEmpty());
  n.SetPhrase("");
  n.SetDescription("x");
  EXPECT_FALSE(n.IsEmpty());
  n.SetDescription("");
  n.SetNumber("-");
  EXPECT_FALSE(n.IsEmpty());
}

TEST(NumberPhrase, ComposesWithMarksAndSingleBlanks) {
  RNumber n = WithSlots({"car", ".", "dog"});
  n.ComposePhrase(0, 0);
  EXPECT_EQ(n.Phrase(), " car " + kDot + " dog");
  n.ComposePhrase(1, 1);
  EXPECT_EQ(n.Phrase(), " car " + kBullet + " dog");
  n.ComposePhrase(2, 5);  // the range covers only a word: nothing changes
  EXPECT_EQ(n.Phrase(), " car " + kDot + " dog");
}

TEST(NumberPhrase, HighlightRangeIsHalfOpen) {
  RNumber n = WithSlots({".", ".", ".", "."});
  n.ComposePhrase(1, 2);
  EXPECT_EQ(n.Phrase(), " " + kDot + " " + kBullet + " " + kBullet + " " + kDot);
  n.ComposePhrase(-1, 2);
  EXPECT_EQ(n.Phrase(), " " + kBullet + " " + kDot + " " + kDot + " " + kDot);
}

TEST(NumberPhrase, ExtremeRangeDoesNotWrapAround) {
  RNumber n = WithSlots({".", "."});
  n.ComposePhrase(INT32_MAX, INT32_MAX);
  EXPECT_EQ(n.Phrase(), " " + kDot + " " + kDot);
  n.ComposePhrase(INT32_MIN, INT32_MAX);
  EXPECT_EQ(n.Phrase(), " " + kDot + " " + kDot);
}

TEST(NumberPhrase, NoSlotsGiveASingleBlankAndALastWordHasNoTrailingBlank) {
  RNumber n;
  n.ComposePhrase(0, 0);
  EXPECT_EQ(n.Phrase(), " ");
  n.InsertSlot(0, "tree");
  n.ComposePhrase(0, 0);
  EXPECT_EQ(n.Phrase(), " tree");
  n.SetSlot(0, ".");
  n.ComposePhrase(0, 1);
  EXPECT_EQ(n.Phrase(), " " + kBullet);
}

TEST(NumberPhrase, SplitsAtRunsOfBlanksAndMapsMarksToDots) {
  RNumber n;
  n.SetPhrase("  car   " + kDot + "  " + kBullet + "x dog  ");
  n.SlotsFromPhrase();
  EXPECT_EQ(n.Slots(), (std::vector<std::string>{"car", ".", ".", "dog"}));
  n.SetPhrase("   ");
  n.SlotsFromPhrase();
  EXPECT_EQ(n.SlotCount(), 0);
}

TEST(NumberPhrase, ComposeThenSplitGivesTheSlotsBack) {
  const std::vector<std::string> slots{"tough", ".", "apple", ".", ".", "tree"};
  RNumber n = WithSlots(slots);
  n.ComposePhrase(3, 2);
  n.SlotsFromPhrase();
  EXPECT_EQ(n.Slots(), slots);
}

TEST(NumberRecord, EmptyEntryIsThreeBareTagsAndAnEmptyLine) {
  RNumber n;
  EXPECT_EQ(WriteToString(n), "N:\nP:\nD:\n\n");
  const auto back = ReadAll("N:\nP:\nD:\n\n", 1);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_TRUE(back[0].IsEmpty());
  EXPECT_EQ(back[0].Phrase().size(), 0u);
  EXPECT_EQ(back[0].SlotCount(), 0);
}

TEST(NumberRecord, ReadingRecomputesDigitsAndSlots) {
  const auto back = ReadAll("N:555-12\nP: car " + kDot + " dog\nD:home\n\n", 1);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].Number(), "555-12");
  EXPECT_EQ(back[0].Digits(), "55512");
  EXPECT_EQ(back[0].Phrase(), " car " + kDot + " dog");
  EXPECT_EQ(back[0].Slots(), (std::vector<std::string>{"car", ".", "dog"}));
  EXPECT_EQ(back[0].Description(), "home");
}

TEST(NumberRecord, TagsArePositionalAndShortLinesAreEmpty) {
  const auto back = ReadAll("XY7\nP\n\nignored\n", 1);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].Number(), "7");
  EXPECT_EQ(back[0].Phrase(), "");
  EXPECT_EQ(back[0].Description(), "");
}

TEST(NumberRecord, ReportsOnlyARecordThatIsNotThere) {
  // A record cut short still counts; only a record with no line at all does not.
  const auto back = ReadAll("N:1\nP:\nD:\n\nN:2\n", 3);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1].Number(), "2");
  EXPECT_EQ(ReadAll("", 1).size(), 0u);
}

}  // namespace
}  // namespace tq
