// The slot arithmetic of the word columns, without a display.
#include <gtest/gtest.h>

#include "PhraseFixture.h"
#include "RNumber.h"
#include "ScriptedPlatform.h"
#include "SlotLogic.h"

namespace tq {
namespace {

using Slots = std::vector<std::string>;

const std::string kDot(1, kUncoveredMark);
const std::string kBullet(1, kHighlightMark);

// Mirrors the table the way the strip does, giving each column an identity,
// so a test can tell a column that only moved from one made afresh.
class MirrorObserver final : public ColumnObserver {
 public:
  void ColumnInserted(int index) override { ids.insert(ids.begin() + index, nextId++); }
  void ColumnDeleted(int index) override { ids.erase(ids.begin() + index); }
  void ColumnEmptied(int index) override { emptied.push_back(index); }

  std::vector<int> ids;
  std::vector<int> emptied;
  int nextId = 0;
};

class SlotTest : public ::testing::Test {
 protected:
  void SetUp() override { Use(test::CommonWords()); }

  void Use(std::vector<test::CodedWord> words) {
    test::LoadDictionary(dict, dir, std::move(words));
    table = std::make_unique<RWordColumns>(dict);
    table->SetObserver(&mirror);
  }

  // What the strip does on Enter in the number field.
  void Commit(const std::string& typed) {
    if (table->CommitNumber(number, typed)) {
      table->RefreshPhrase(number);
      Rebuild();
    }
  }
  // Rebuilds and brings every column up to date, as if all were in view;
  // returns the columns whose rows were listed afresh.
  std::vector<int> Rebuild() {
    table->RebuildColumns(&number);
    std::vector<int> listed;
    for (int i = 0; i < table->ColumnCount(); ++i)
      if (table->UpdateColumn(i)) listed.push_back(i);
    return listed;
  }
  bool Choose(int column, const std::string& word) {
    if (!table->ChooseWord(number, column, word)) return false;
    table->RefreshPhrase(number);
    Rebuild();
    return true;
  }
  bool Unselect(int column) {
    if (!table->UnselectWord(number, column)) return false;
    table->RefreshPhrase(number);
    Rebuild();
    return true;
  }
  std::string Digits(int column) const { return table->ColumnDigits(column); }
  void ExpectInStep() const {
    ASSERT_EQ(table->ColumnCount(), static_cast<int>(mirror.ids.size()));
    if (number.SlotCount() > 0) {
      ASSERT_EQ(table->ColumnCount(), number.SlotCount());
      for (int i = 0; i < number.SlotCount(); ++i) EXPECT_EQ(table->Column(i).slotText, number.Slot(i)) << i;
    }
  }

  test::ScriptedPlatform platform;
  test::TempDir dir;
  RDictionary dict;
  RNumber number;
  MirrorObserver mirror;
  std::unique_ptr<RWordColumns> table;
};

// --- rows and helpers ---------------------------------------------------------

TEST(SlotRows, WordRowsStartWithALowercaseLetter) {
  EXPECT_TRUE(IsWordRow("tin"));
  EXPECT_FALSE(IsWordRow("Tin"));
  EXPECT_FALSE(IsWordRow("12"));
  EXPECT_FALSE(IsWordRow("(none)"));
  EXPECT_FALSE(IsWordRow(""));
  EXPECT_TRUE(IsHeaderRow("12"));
  EXPECT_TRUE(IsHeaderRow("(none)"));
  EXPECT_TRUE(IsHeaderRow("\xE9t\xE9"));  // not a-z, so a header, as the lists draw it
  EXPECT_FALSE(IsHeaderRow(""));
  EXPECT_FALSE(IsHeaderRow("tin"));
}

TEST(SlotRows, FirstLetterSearchGoesRoundOnceAndSkipsHeaders) {
  const std::vector<std::string> rows = {"12", "tan", "tin", "1", "tie", "toe", "(none)", "ah"};
  EXPECT_EQ(FindFirstLetter(rows, 1, 't'), 2);
  // From the last word beginning with t back to the first one from the top.
  EXPECT_EQ(FindFirstLetter(rows, 5, 't'), 1);
  EXPECT_EQ(FindFirstLetter(rows, 7, 'a'), -1);  // only itself begins with a
  EXPECT_EQ(FindFirstLetter(rows, 0, 'z'), -1);  // every other row visited once
  EXPECT_EQ(FindFirstLetter(rows, 0, '1'), 3);   // a caller passing a digit would hit a header...
  EXPECT_EQ(FindFirstLetter(rows, 4, 'T'), -1);  // ...but the search is case-sensitive
  EXPECT_EQ(FindFirstLetter(rows, -1, 't'), -1);
  EXPECT_EQ(FindFirstLetter({}, 0, 't'), -1);
}

TEST_F(SlotTest, TheJumpWantsDigitsASelectionAndALetter) {
  Commit("12");
  ASSERT_EQ(table->Column(0).rows, (Slots{"12", "tin", "ton", "1", "tie", "toe", "(none)", "ah", "oh"}));
  EXPECT_EQ(table->FirstLetterJump(0, 2, 't'), 4);
  EXPECT_EQ(table->FirstLetterJump(0, 5, 't'), 1);
  EXPECT_EQ(table->FirstLetterJump(0, -1, 't'), -1);
  EXPECT_EQ(table->FirstLetterJump(0, 0, '1'), -1);
  EXPECT_EQ(table->FirstLetterJump(0, 0, 'q'), -1);
  // Placeholder columns have no digits: no jump even onto empty rows.
  number = RNumber();
  Rebuild();
  EXPECT_EQ(table->FirstLetterJump(0, 0, 'a'), -1);
}

// --- committing numbers -------------------------------------------------------

TEST_F(SlotTest, ANumberBecomesOneUncoveredSlotPerDigit) {
  Commit("(12) 3-4");
  EXPECT_EQ(number.Slots(), (Slots{".", ".", ".", "."}));
  EXPECT_EQ(number.Phrase(), " " + kDot + " " + kDot + " " + kDot + " " + kDot);
  ExpectInStep();
  // Each column looks ahead through the uncovered run, cut to a known code.
  EXPECT_EQ(Digits(0), "123");
  EXPECT_EQ(Digits(1), "23");
  EXPECT_EQ(Digits(2), "3");
  EXPECT_EQ(Digits(3), "4");
  EXPECT_EQ(table->Column(0).wordCount, 7);  // denim, tin, ton, tie, toe, ah, oh
}

TEST_F(SlotTest, ANumberWithoutDigitsShowsFourBlankColumns) {
  Commit("call me");
  EXPECT_EQ(number.SlotCount(), 0);
  Rebuild();
  ASSERT_EQ(table->ColumnCount(), kBlankColumnCount);
  for (int i = 0; i < kBlankColumnCount; ++i) {
    const WordColumn& c = table->Column(i);
    EXPECT_TRUE(c.blank);
    EXPECT_TRUE(c.filled);
    EXPECT_TRUE(c.digits.empty());
    EXPECT_EQ(c.rows, Slots(kBlankRowCount, std::string()));
  }
  number.ComposePhrase(0, 0);
  EXPECT_EQ(number.Phrase(), " ");
  // Without an entry at all the strip looks the same.
  EXPECT_TRUE(table->RebuildColumns(nullptr).empty());
  EXPECT_EQ(table->ColumnCount(), kBlankColumnCount);
}

TEST_F(SlotTest, BlankColumnsGiveWayToTheNextNumber) {
  Rebuild();
  ASSERT_EQ(table->ColumnCount(), 4);
  Commit("5");
  ExpectInStep();
  ASSERT_EQ(table->ColumnCount(), 1);
  EXPECT_FALSE(table->Column(0).blank);
  EXPECT_EQ(table->Column(0).rows, (Slots{"5", "law", "lee", "(none)", "ah", "oh"}));
}

TEST_F(SlotTest, AColumnWithEmptyDigitsAfterBlankOnesIsFilledAfresh) {
  // No word for 6 and none without a code: the column has nothing, but it
  // must not keep the placeholder rows of the blank strip either.
  Use({{"tie", "1"}});
  Rebuild();
  Commit("6");
  EXPECT_EQ(Digits(0), "");
  EXPECT_FALSE(table->Column(0).blank);
  EXPECT_TRUE(table->Column(0).rows.empty());
  EXPECT_EQ(table->Column(0).wordCount, 0);
  EXPECT_FALSE(table->ChooseWord(number, 0, ""));
  EXPECT_EQ(number.Slots(), (Slots{"."}));
}

TEST_F(SlotTest, ReformattingKeepsTheChosenWords) {
  Commit("1234");
  ASSERT_TRUE(Choose(0, "tin"));
  EXPECT_FALSE(table->CommitNumber(number, "12-34"));
  EXPECT_EQ(number.Number(), "12-34");
  EXPECT_EQ(number.Slots(), (Slots{"tin", ".", "."}));
  // The same text again changes nothing either.
  EXPECT_FALSE(table->CommitNumber(number, "12-34"));
}

TEST_F(SlotTest, AChangedDigitDropsOnlyTheWordsThatNoLongerFit) {
  Commit("1234");
  ASSERT_TRUE(Choose(0, "tie"));
  ASSERT_TRUE(Choose(1, "noah"));
  ASSERT_TRUE(Choose(2, "ma"));
  ASSERT_TRUE(Choose(3, "ray"));
  const std::vector<int> before = mirror.ids;
  // The 2 became 3: noah goes, and ma and ray, tried one place earlier, fit.
  Commit("1345");
  EXPECT_EQ(number.Slots(), (Slots{"tie", "ma", "ray", "."}));
  EXPECT_EQ(number.Phrase(), " tie ma ray " + kDot);
  ExpectInStep();
  // The columns of the surviving words are the same columns, moved along.
  EXPECT_EQ(mirror.ids[0], before[0]);
  EXPECT_EQ(mirror.ids[1], before[2]);
  EXPECT_EQ(mirror.ids[2], before[3]);
}

TEST_F(SlotTest, ShorterNumbersDropTrailingSlots) {
  Commit("12345");
  ASSERT_TRUE(Choose(0, "tin"));
  Commit("12");
  EXPECT_EQ(number.Slots(), (Slots{"tin"}));
  Commit("1");
  EXPECT_EQ(number.Slots(), (Slots{"."}));
  ExpectInStep();
}

TEST_F(SlotTest, AWordWithoutACodeFitsEvenAfterTheLastDigit) {
  Commit("1");
  ASSERT_TRUE(Choose(0, "tie"));
  number.InsertSlot(1, "oh");  // as a loaded phrase " tie oh" would give
  Commit("14");
  EXPECT_EQ(number.Slots(), (Slots{"tie", "oh", "."}));
}

TEST_F(SlotTest, CommitWithoutRebuiltColumnsDoesNotOverrun) {
  // The window may commit before it ever laid columns out: the table is
  // then shorter than the slot list and deleting past its end is harmless.
  number.SetNumber("12");
  number.InsertSlot(0, "lost");
  number.InsertSlot(1, ".");
  ASSERT_TRUE(table->CommitNumber(number, "123"));
  EXPECT_EQ(number.Slots(), (Slots{".", ".", "."}));
  Rebuild();
  ExpectInStep();
}

// --- column digits -------------------------------------------------------------

TEST_F(SlotTest, AnUncoveredRunIsLookedAtForAtMost25Digits) {
  const std::string digits = "123456789012345678901234567890";
  Use({{"long", digits.substr(0, 24)}, {"longer", digits.substr(0, 25)}, {"tie", "1"}});
  EXPECT_EQ(dict.CodeAt(dict.FindWord("longer")).size(), 25u);
  Commit(digits);
  ASSERT_EQ(number.SlotCount(), 30);
  EXPECT_EQ(Digits(0), digits.substr(0, 24));
  EXPECT_EQ(table->Column(0).rows, (Slots{digits.substr(0, 24), "long", "1", "tie"}));
  EXPECT_EQ(Digits(1), "");
  // The 24-digit word covers 24 slots in one go.
  ASSERT_TRUE(Choose(0, "long"));
  EXPECT_EQ(number.SlotCount(), 7);
  ExpectInStep();
}

TEST_F(SlotTest, AnUncoveredRunStopsAtAChosenWord) {
  Commit("1234");
  ASSERT_TRUE(Choose(2, "ma"));
  // 123 and 124 exist, but the run before "ma" is only 12.
  EXPECT_EQ(Digits(0), "12");
  EXPECT_EQ(Digits(1), "2");
  EXPECT_EQ(Digits(2), "3");  // a word's column lists its code
  EXPECT_EQ(Digits(3), "4");
}

TEST_F(SlotTest, AWordWithoutACodeOffersOnlyTheNoneGroup) {
  Commit("12");
  ASSERT_TRUE(Choose(0, "oh"));
  EXPECT_EQ(number.Slots(), (Slots{"oh", ".", "."}));
  EXPECT_EQ(Digits(0), "");
  EXPECT_EQ(table->Column(0).rows, (Slots{"(none)", "ah", "oh"}));
  // The next column starts at the same digit.
  EXPECT_EQ(Digits(1), "12");
}

TEST_F(SlotTest, OnlyColumnsWhoseDigitsChangedAreListedAgain) {
  Commit("12345");
  ASSERT_EQ(Digits(0), "123");
  ASSERT_EQ(Digits(1), "23");
  // ray covers the 4, which no column needed: the runs before it are
  // shorter now, but cut to the same codes, so every list stays.
  ASSERT_TRUE(table->ChooseWord(number, 3, "ray"));
  // (ray's own column lists 4 as it did when its run 45 was cut to 4.)
  EXPECT_EQ(table->RebuildColumns(&number), (std::vector<int>{0, 1, 2}));
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(table->UpdateColumn(i)) << i;
  // ma cuts the runs of the first two columns short of their codes.
  ASSERT_TRUE(table->ChooseWord(number, 2, "ma"));
  EXPECT_EQ(Rebuild(), (std::vector<int>{0, 1}));
  EXPECT_EQ(Digits(0), "12");
  EXPECT_EQ(Digits(1), "2");
  ASSERT_TRUE(table->ChooseWord(number, 1, "noah"));
  EXPECT_EQ(Rebuild(), (std::vector<int>{0}));
  EXPECT_EQ(Rebuild(), (std::vector<int>{}));
}

TEST_F(SlotTest, AColumnNotYetShownCutsItsDigitsWhenAskedFor) {
  number.SetNumber("1234");
  for (int i = 0; i < 4; ++i) number.InsertSlot(i, ".");
  EXPECT_EQ(table->RebuildColumns(&number), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_TRUE(table->NeedsUpdate(0));
  EXPECT_TRUE(table->Column(0).pending);
  EXPECT_EQ(table->ColumnDigits(0), "123");
  // The preview and the choice work on a column before it is shown.
  EXPECT_TRUE(table->PreviewWord(number, 1, "enemy"));
  ASSERT_TRUE(table->ChooseWord(number, 1, "enemy"));
  EXPECT_EQ(number.Slots(), (Slots{".", "enemy", "."}));
}

TEST_F(SlotTest, ADictionaryChangeCutsTheRunsAgain) {
  Commit("1234");
  ASSERT_EQ(Digits(0), "123");
  dict.RemoveWord("denim");
  dict.BuildCodeIndex();
  EXPECT_EQ(Rebuild(), (std::vector<int>{}));  // nothing told the table yet
  table->DictionaryChanged();
  EXPECT_EQ(Rebuild(), (std::vector<int>{0}));
  EXPECT_EQ(Digits(0), "12");
  EXPECT_EQ(table->ColumnsToRefill(), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(SlotTest, ColumnDigitsOfAMissingWordAreEmpty) {
  Commit("12");
  ASSERT_TRUE(Choose(0, "tin"));
  bool found = false;
  EXPECT_EQ(ColumnDigitsAt(dict, number, 0, 0, &found), "12");
  EXPECT_TRUE(found);
  number.SetSlot(0, "gone");
  EXPECT_EQ(ColumnDigitsAt(dict, number, 0, 0, &found), "");
  EXPECT_FALSE(found);
  const std::vector<SlotSpan> spans = SlotSpans(dict, number);
  ASSERT_EQ(spans.size(), 1u);
  EXPECT_FALSE(spans[0].found);
  EXPECT_EQ(spans[0].length, 0u);
}

// --- validation ----------------------------------------------------------------

TEST_F(SlotTest, ValidationOfSoundSlotsChangesNothing) {
  Commit("1234");
  ASSERT_TRUE(Choose(0, "tin"));
  ASSERT_TRUE(Choose(1, "ma"));
  const std::string phrase = number.Phrase();
  EXPECT_TRUE(table->ValidateSlots(number));
  EXPECT_EQ(number.Phrase(), phrase);
  EXPECT_TRUE(platform.shown().empty());
  RNumber empty;
  EXPECT_TRUE(table->ValidateSlots(empty));
}

TEST_F(SlotTest, ARemovedWordIsReportedOnceAndTheRestUncovered) {
  Commit("12345");
  ASSERT_TRUE(Choose(0, "tie"));
  ASSERT_TRUE(Choose(1, "noah"));
  ASSERT_TRUE(Choose(2, "ma"));
  ASSERT_EQ(number.Slots(), (Slots{"tie", "noah", "ma", ".", "."}));
  dict.RemoveWord("noah");
  dict.BuildCodeIndex();
  EXPECT_FALSE(table->ValidateSlots(number));
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].caption, "Tessaloquine");
  EXPECT_EQ(platform.shown()[0].text, "Warning: Word 'noah' not found in dictionary. Word will be deleted.");
  // ma fits still, but is dropped with the word before it.
  EXPECT_EQ(number.Slots(), (Slots{"tie", ".", ".", ".", "."}));
  EXPECT_EQ(number.Phrase(), " tie " + kDot + " " + kDot + " " + kDot + " " + kDot);
  EXPECT_TRUE(table->ValidateSlots(number));
  EXPECT_EQ(platform.shown().size(), 1u);
}

TEST_F(SlotTest, ARecodedWordIsReportedAndDropped) {
  Commit("123");
  ASSERT_TRUE(Choose(1, "enemy"));
  dict.EditCode("enemy", "24");
  dict.BuildCodeIndex();
  EXPECT_FALSE(table->ValidateSlots(number));
  EXPECT_EQ(platform.MessageTexts(),
            (Slots{"Warning: Code for word 'enemy' has been changed. Word will be deleted."}));
  EXPECT_EQ(number.Slots(), (Slots{".", ".", "."}));
}

TEST_F(SlotTest, ValidationAlsoCatchesACodeRunningPastTheDigits) {
  number.SetNumber("1");
  number.InsertSlot(0, "tin");
  EXPECT_FALSE(table->ValidateSlots(number));
  EXPECT_EQ(platform.MessageTexts(),
            (Slots{"Warning: Code for word 'tin' has been changed. Word will be deleted."}));
  EXPECT_EQ(number.Slots(), (Slots{"."}));
}

TEST_F(SlotTest, ValidationQuietlyTrimsAndPadsUncoveredDigits) {
  number.SetNumber("12");
  for (int i = 0; i < 4; ++i) number.InsertSlot(i, ".");
  EXPECT_FALSE(table->ValidateSlots(number));
  EXPECT_EQ(number.Slots(), (Slots{".", "."}));
  number.SetNumber("1234");
  EXPECT_FALSE(table->ValidateSlots(number));
  EXPECT_EQ(number.Slots(), (Slots{".", ".", ".", "."}));
  EXPECT_EQ(number.Phrase(), " " + kDot + " " + kDot + " " + kDot + " " + kDot);
  EXPECT_TRUE(platform.shown().empty());
}

// --- choosing and un-choosing ----------------------------------------------------

TEST_F(SlotTest, ChoosingATwoDigitWordCoversTwoDigits) {
  Commit("1234");
  const std::vector<int> before = mirror.ids;
  ASSERT_TRUE(Choose(0, "tin"));
  EXPECT_EQ(number.Slots(), (Slots{"tin", ".", "."}));
  EXPECT_EQ(number.Phrase(), " tin " + kDot + " " + kDot);
  ExpectInStep();
  // The column of the second digit went; the later ones only moved.
  EXPECT_EQ(mirror.ids, (std::vector<int>{before[0], before[2], before[3]}));
  EXPECT_EQ(Digits(0), "12");
  EXPECT_EQ(table->Column(0).rows, (Slots{"12", "tin", "ton", "1", "tie", "toe", "(none)", "ah", "oh"}));
}

TEST_F(SlotTest, ClickingAWordPreviewsTheDigitsItWouldCover) {
  Commit("1234");
  EXPECT_TRUE(table->PreviewWord(number, 0, "tin"));
  EXPECT_EQ(number.Phrase(), " " + kBullet + " " + kBullet + " " + kDot + " " + kDot);
  EXPECT_EQ(number.Slots(), (Slots{".", ".", ".", "."}));
  EXPECT_EQ(table->HighlightStart(), 0);
  EXPECT_EQ(table->HighlightLength(), 2);
  // The same range again is no change; a header or an unknown word neither.
  EXPECT_FALSE(table->PreviewWord(number, 0, "ton"));
  EXPECT_FALSE(table->PreviewWord(number, 0, "12"));
  EXPECT_FALSE(table->PreviewWord(number, 0, "zebra"));
  EXPECT_FALSE(table->PreviewWord(number, 0, ""));
  EXPECT_TRUE(table->PreviewWord(number, 1, "enemy"));
  EXPECT_EQ(number.Phrase(), " " + kDot + " " + kBullet + " " + kBullet + " " + kDot);
  // Entering or leaving a list clears it.
  EXPECT_TRUE(table->ClearPreview(number, 3));
  EXPECT_EQ(number.Phrase(), " " + kDot + " " + kDot + " " + kDot + " " + kDot);
  EXPECT_EQ(table->HighlightLength(), 0);
}

TEST_F(SlotTest, ClickingInAChosenWordsColumnClearsThePreview) {
  Commit("1234");
  ASSERT_TRUE(Choose(0, "tin"));
  ASSERT_TRUE(table->PreviewWord(number, 1, "ma"));
  EXPECT_EQ(number.Phrase(), " tin " + kBullet + " " + kDot);
  EXPECT_TRUE(table->PreviewWord(number, 0, "ton"));
  EXPECT_EQ(number.Phrase(), " tin " + kDot + " " + kDot);
  EXPECT_FALSE(table->PreviewWord(number, 0, "ton"));
}

TEST_F(SlotTest, NoPreviewInAColumnWithoutDigits) {
  Commit("12");
  ASSERT_TRUE(Choose(0, "oh"));  // its column has empty digits
  ASSERT_TRUE(table->PreviewWord(number, 1, "tin"));
  const std::string phrase = number.Phrase();
  EXPECT_FALSE(table->PreviewWord(number, 0, "ah"));
  EXPECT_FALSE(table->ClearPreview(number, 0));
  EXPECT_EQ(number.Phrase(), phrase);
}

TEST_F(SlotTest, AShorterAlternativeGivesDigitsBack) {
  Commit("1234");
  ASSERT_TRUE(Choose(0, "denim"));
  ASSERT_EQ(number.Slots(), (Slots{"denim", "."}));
  ASSERT_EQ(table->Column(0).rows,
            (Slots{"123", "denim", "12", "tin", "ton", "1", "tie", "toe", "(none)", "ah", "oh"}));
  // The same code again gives nothing back.
  ASSERT_TRUE(Choose(0, "denim"));
  EXPECT_EQ(number.Slots(), (Slots{"denim", "."}));
  EXPECT_EQ(mirror.emptied, (std::vector<int>{1}));
  ASSERT_TRUE(Choose(0, "tin"));
  EXPECT_EQ(number.Slots(), (Slots{"tin", ".", "."}));
  ExpectInStep();
  // The column after the digits given back was emptied so that it refills.
  EXPECT_EQ(mirror.emptied.back(), 2);
  EXPECT_EQ(Digits(1), "3");
  EXPECT_EQ(Digits(2), "4");
  // The column of a chosen word offers its code and shorter ones only.
  EXPECT_FALSE(table->ChooseWord(number, 0, "denim"));
  ASSERT_TRUE(Choose(0, "toe"));
  EXPECT_EQ(number.Slots(), (Slots{"toe", ".", ".", "."}));
  ASSERT_TRUE(Choose(0, "ah"));
  EXPECT_EQ(number.Slots(), (Slots{"ah", ".", ".", ".", "."}));
  ExpectInStep();
}

TEST_F(SlotTest, UnchoosingAWordUncoversAllItsDigits) {
  Commit("1234");
  ASSERT_TRUE(Choose(0, "denim"));
  ASSERT_TRUE(Unselect(0));
  EXPECT_EQ(number.Slots(), (Slots{".", ".", ".", "."}));
  EXPECT_EQ(number.Phrase(), " " + kDot + " " + kDot + " " + kDot + " " + kDot);
  ExpectInStep();
  EXPECT_EQ(Digits(0), "123");
}

TEST_F(SlotTest, UnchoosingAWordWithoutACodeRemovesIt) {
  Commit("12");
  ASSERT_TRUE(Choose(1, "oh"));
  ASSERT_EQ(number.Slots(), (Slots{".", "oh", "."}));
  ASSERT_TRUE(Unselect(1));
  EXPECT_EQ(number.Slots(), (Slots{".", "."}));
  EXPECT_EQ(Digits(1), "2");
  ExpectInStep();
  // As the last slot as well.
  number.InsertSlot(2, "ah");
  Rebuild();
  ASSERT_TRUE(Unselect(2));
  EXPECT_EQ(number.Slots(), (Slots{".", "."}));
  ExpectInStep();
}

TEST_F(SlotTest, ChoosingAWordWithoutACodePutsItBeforeTheDigit) {
  Commit("12");
  ASSERT_TRUE(Choose(0, "ah"));
  EXPECT_EQ(number.Slots(), (Slots{"ah", ".", "."}));
  EXPECT_EQ(number.Phrase(), " ah " + kDot + " " + kDot);
  ExpectInStep();
}

TEST_F(SlotTest, UnchoosingAnUncoveredColumnChangesNoSlot) {
  Commit("12");
  EXPECT_TRUE(table->UnselectWord(number, 1));  // still counts as a change
  EXPECT_EQ(number.Slots(), (Slots{".", "."}));
  number = RNumber();
  Rebuild();
  EXPECT_FALSE(table->UnselectWord(number, 0));  // the blank columns
}

TEST_F(SlotTest, RowsThatAreNoChoiceAreIgnored) {
  Commit("1234");
  const Slots before = number.Slots();
  EXPECT_FALSE(table->ChooseWord(number, 0, ""));
  EXPECT_FALSE(table->ChooseWord(number, 0, "12"));
  EXPECT_FALSE(table->ChooseWord(number, 0, "(none)"));
  EXPECT_FALSE(table->ChooseWord(number, 0, "zebra"));  // vanished from the dictionary
  EXPECT_FALSE(table->ChooseWord(number, 0, "Tin"));
  // A row left over from before a recode no longer fits the column.
  dict.EditCode("ton", "17");
  dict.BuildCodeIndex();
  EXPECT_FALSE(table->ChooseWord(number, 0, "ton"));
  // Nor does one reaching past a chosen word.
  ASSERT_TRUE(Choose(2, "ma"));
  EXPECT_FALSE(table->ChooseWord(number, 0, "denim"));
  EXPECT_EQ(number.Slots(), (Slots{".", ".", "ma", "."}));
  EXPECT_TRUE(platform.shown().empty());
}

// --- numbers of any length --------------------------------------------------------

TEST_F(SlotTest, ThreeHundredDigitsNeedNoTable) {
  std::string digits;
  for (int i = 0; i < 300; ++i) digits.push_back(static_cast<char>('1' + i % 5));
  Commit(digits);
  ASSERT_EQ(number.SlotCount(), 300);
  ExpectInStep();
  EXPECT_EQ(Digits(299), "5");
  ASSERT_TRUE(Choose(290, "tin"));  // 290 % 5 == 0: digits 1 2
  ASSERT_TRUE(Choose(0, "denim"));
  EXPECT_EQ(number.SlotCount(), 297);
  ExpectInStep();
  ASSERT_EQ(number.Slot(288), "tin");
  ASSERT_TRUE(Unselect(288));
  EXPECT_EQ(number.SlotCount(), 298);
  EXPECT_EQ(number.Slot(288), ".");
  EXPECT_EQ(number.Slot(289), ".");
  digits.back() = '1';
  Commit(digits);
  EXPECT_EQ(number.SlotCount(), 298);
  EXPECT_EQ(number.Slot(0), "denim");
  table->DeleteAllColumns();
  EXPECT_EQ(table->ColumnCount(), 0);
  EXPECT_TRUE(mirror.ids.empty());
}

}  // namespace
}  // namespace tq
