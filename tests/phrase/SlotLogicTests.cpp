// The slot arithmetic of the word columns, without a display.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>

#include "PhraseFixture.h"
#include "RNumber.h"
#include "ScriptedPlatform.h"
#include "SlotLogic.h"

namespace tq {
namespace {

using Slots = std::vector<std::string>;
using Ints = std::vector<int>;

const std::string kDot(1, kUncoveredMark);
const std::string kBullet(1, kHighlightMark);

// Mirrors the table as the strip does, giving each column an identity, so a
// test can tell a column that only moved from one made afresh.
class MirrorObserver final : public RColumnObserver {
 public:
  void ColumnInserted(int index) override { ids.insert(ids.begin() + index, nextId++); }
  void ColumnDeleted(int index) override { ids.erase(ids.begin() + index); }
  void ColumnEmptied(int index) override { emptied.push_back(index); }
  Ints ids, emptied;
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
  // What the strip does on Enter, on a choice and on a button click.
  void Commit(const std::string& typed) {
    if (!table->CommitNumber(number, typed)) return;
    table->RefreshPhrase(number);
    Rebuild();
  }
  bool Choose(int column, const std::string& word) { return Then(table->ChooseWord(number, column, word)); }
  bool Unselect(int column) { return Then(table->UnselectWord(number, column)); }
  bool Then(bool changed) {
    if (changed) {
      table->RefreshPhrase(number);
      Rebuild();
    }
    return changed;
  }
  // Rebuilds with every column in view; returns the columns listed afresh.
  Ints Rebuild() {
    table->RebuildColumns(&number);
    Ints listed;
    for (int i = 0; i < table->ColumnCount(); ++i)
      if (table->UpdateColumn(i)) listed.push_back(i);
    return listed;
  }
  std::string Digits(int column) const { return table->ColumnDigits(column); }
  const Slots& Rows(int column) const { return table->Column(column).rows; }
  void ExpectInStep() const {
    ASSERT_EQ(table->ColumnCount(), static_cast<int>(mirror.ids.size()));
    ASSERT_EQ(table->ColumnCount(), number.SlotCount());
    for (int i = 0; i < number.SlotCount(); ++i) EXPECT_EQ(table->Column(i).slotText, number.Slot(i)) << i;
  }

  test::ScriptedPlatform platform;
  test::TempDir dir;
  RDictionary dict;
  RNumber number;
  MirrorObserver mirror;
  std::unique_ptr<RWordColumns> table;
};

TEST(SlotRows, FirstLetterSearchGoesRoundOnceAndSkipsHeaders) {
  const Slots rows = {"12", "tan", "tin", "1", "tie", "toe", "(none)", "ah"};
  EXPECT_EQ(FindFirstLetter(rows, 1, 't'), 2);
  EXPECT_EQ(FindFirstLetter(rows, 5, 't'), 1);   // from the last t-word to the first from the top
  EXPECT_EQ(FindFirstLetter(rows, 7, 'a'), -1);  // no other row begins with a
  EXPECT_EQ(FindFirstLetter(rows, 0, 'z'), -1);  // from a header: every other row once
  EXPECT_EQ(FindFirstLetter(rows, 4, 'T'), -1);  // case-sensitive
  EXPECT_EQ(FindFirstLetter(rows, -1, 't'), -1);
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
  EXPECT_EQ(Digits(3), "4");
  EXPECT_EQ(Rows(0), (Slots{"123", "denim", "12", "tin", "ton", "1", "tie", "toe", "(none)", "ah", "oh"}));
  EXPECT_EQ(table->Column(0).wordCount, 7);
  // Reformatting keeps the slots; so does committing the same text again.
  ASSERT_TRUE(Choose(0, "tin"));
  EXPECT_FALSE(table->CommitNumber(number, "12-34"));
  EXPECT_FALSE(table->CommitNumber(number, "12-34"));
  EXPECT_EQ(number.Slots(), (Slots{"tin", ".", "."}));
}

TEST_F(SlotTest, AChangedDigitDropsOnlyTheWordsThatNoLongerFit) {
  Commit("1234");
  const Slots words = {"tie", "noah", "ma", "ray"};
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(Choose(i, words[static_cast<std::size_t>(i)]));
  const Ints before = mirror.ids;
  // The 2 became 3: noah goes, and ma and ray, tried one place earlier, fit.
  Commit("1345");
  EXPECT_EQ(number.Slots(), (Slots{"tie", "ma", "ray", "."}));
  ExpectInStep();
  EXPECT_EQ(mirror.ids[1], before[2]);  // ma's column moved along, not made again
  EXPECT_EQ(mirror.ids[2], before[3]);
  // A word whose code runs past the end goes, and so do surplus "." slots.
  Commit("12");
  EXPECT_EQ(number.Slots(), (Slots{"tie", "."}));
  // A word without a code fits even after the last digit.
  number.InsertSlot(2, "oh");
  Commit("124");
  EXPECT_EQ(number.Slots(), (Slots{"tie", ".", "oh", "."}));
}

TEST_F(SlotTest, CommitBeforeAnyRebuildDoesNotOverrunTheTable) {
  number.SetNumber("12");
  number.InsertSlot(0, "lost");
  number.InsertSlot(1, ".");
  ASSERT_TRUE(table->CommitNumber(number, "123"));
  EXPECT_EQ(number.Slots(), (Slots{".", ".", "."}));
  Rebuild();
  ExpectInStep();
}

TEST_F(SlotTest, AnEntryWithoutSlotsHasFourBlankColumns) {
  Commit("call me");
  EXPECT_EQ(number.SlotCount(), 0);
  Rebuild();
  ASSERT_EQ(table->ColumnCount(), kBlankColumnCount);
  for (int i = 0; i < kBlankColumnCount; ++i) {
    EXPECT_TRUE(table->Column(i).blank && table->Column(i).filled);
    EXPECT_EQ(Rows(i), Slots(kBlankRowCount, std::string()));
  }
  EXPECT_FALSE(table->UnselectWord(number, 0));
  EXPECT_EQ(table->FirstLetterJump(0, 0, 'a'), -1);
  // Without an entry at all the strip looks the same.
  table->RebuildColumns(nullptr);
  EXPECT_EQ(table->ColumnCount(), kBlankColumnCount);
}

TEST_F(SlotTest, ABlankColumnNeverKeepsItsPlaceholderRows) {
  // No word for 6, none without a code: the column lists nothing, and must
  // not go on showing the hundred empty rows it had.
  Use({{"tie", "1"}});
  Rebuild();
  Commit("6");
  EXPECT_EQ(Digits(0), "");
  EXPECT_FALSE(table->Column(0).blank);
  EXPECT_TRUE(Rows(0).empty());
  EXPECT_FALSE(table->ChooseWord(number, 0, ""));
}

// --- column digits -------------------------------------------------------------

TEST_F(SlotTest, AnUncoveredRunIsCutFromAtMost25Digits) {
  const std::string digits = "123456789012345678901234567890";
  Use({{"long", digits.substr(0, 24)}, {"longer", digits.substr(0, 25)}, {"tie", "1"}});
  Commit(digits);
  EXPECT_EQ(Digits(0), digits.substr(0, 24));
  EXPECT_EQ(Rows(0), (Slots{digits.substr(0, 24), "long", "1", "tie"}));
  EXPECT_EQ(Digits(1), "");
  ASSERT_TRUE(Choose(0, "long"));
  EXPECT_EQ(number.SlotCount(), 7);
  ExpectInStep();
}

TEST_F(SlotTest, AnUncoveredRunStopsAtAChosenWord) {
  Commit("1234");
  ASSERT_TRUE(Choose(2, "ma"));
  EXPECT_EQ(Digits(0), "12");  // 123 and 124 exist, but would swallow ma
  EXPECT_EQ(Digits(2), "3");   // a word's column lists its code
  EXPECT_FALSE(table->ChooseWord(number, 0, "denim"));
}

TEST_F(SlotTest, AWordWithoutACodeOffersOnlyTheNoneGroup) {
  Commit("12");
  ASSERT_TRUE(Choose(0, "oh"));  // stands before the digit, which stays uncovered
  EXPECT_EQ(number.Slots(), (Slots{"oh", ".", "."}));
  EXPECT_EQ(number.Phrase(), " oh " + kDot + " " + kDot);
  EXPECT_EQ(Rows(0), (Slots{"(none)", "ah", "oh"}));
  EXPECT_EQ(Digits(1), "12");  // the next column starts at the same digit
  ExpectInStep();
}

TEST_F(SlotTest, OnlyColumnsWhoseDigitsChangedAreListedAgain) {
  Commit("12345");
  // ray covers the 4: the runs before it are shorter, but cut to the same
  // codes, and ray's column lists 4 as its run 45 did.
  ASSERT_TRUE(table->ChooseWord(number, 3, "ray"));
  EXPECT_EQ(Rebuild(), Ints{});
  ASSERT_TRUE(table->ChooseWord(number, 2, "ma"));
  EXPECT_EQ(Rebuild(), (Ints{0, 1}));
  EXPECT_EQ(Digits(1), "2");
}

TEST_F(SlotTest, AColumnNotYetShownCutsItsRunWhenAskedFor) {
  number.SetNumber("1234");
  for (int i = 0; i < 4; ++i) number.InsertSlot(i, ".");
  table->RebuildColumns(&number);
  EXPECT_TRUE(table->NeedsUpdate(1));
  EXPECT_EQ(table->ColumnDigits(1), "23");
  EXPECT_TRUE(table->PreviewWord(number, 1, "enemy"));
  ASSERT_TRUE(table->ChooseWord(number, 1, "enemy"));
  EXPECT_EQ(number.Slots(), (Slots{".", "enemy", "."}));
}

TEST_F(SlotTest, ADictionaryChangeCutsTheRunsAgain) {
  Commit("1234");
  dict.RemoveWord("denim");
  dict.BuildCodeIndex();
  table->DictionaryChanged();
  EXPECT_EQ(Rebuild(), Ints{0});
  EXPECT_EQ(Digits(0), "12");
}

// --- validation ----------------------------------------------------------------

TEST_F(SlotTest, ALostWordGivesBackItsOwnDigitsAndIsToldOnce) {
  Commit("12345");
  ASSERT_TRUE(Choose(0, "tie"));
  ASSERT_TRUE(Choose(1, "noah"));
  ASSERT_TRUE(Choose(2, "ma"));
  dict.RemoveWord("noah");
  dict.BuildCodeIndex();
  EXPECT_FALSE(table->ValidateSlots(number));
  // ma still fits, and keeps its place. The user took noah out: a note, no box.
  EXPECT_EQ(number.Slots(), (Slots{"tie", ".", "ma", ".", "."}));
  EXPECT_EQ(number.Phrase(), " tie " + kDot + " ma " + kDot + " " + kDot);
  EXPECT_TRUE(platform.shown().empty());
  EXPECT_EQ(platform.statusText, "Word 'noah' was removed from the dictionary; its digits are uncovered in the phrase.");
  EXPECT_TRUE(table->ValidateSlots(number));

  // A word the dictionary never had (a worksheet from elsewhere) is warned
  // about; its digits are guessed from its spelling (zebra 094), and when
  // that guess does not add up (aha spells nothing) the words that fit from
  // either end stay.
  for (const auto& [digits, slots, repaired] :
       {std::tuple{"10943", Slots{"tie", "zebra", "ma"}, Slots{"tie", ".", ".", ".", "ma"}},
        std::tuple{"123", Slots{"tie", "aha", "ma"}, Slots{"tie", ".", "ma"}},
        std::tuple{"12345", Slots{"aha", "knee", "aha", "ray", "."}, Slots{".", ".", ".", "ray", "."}}}) {
    platform.ClearShown();
    number.SetNumber(digits);
    number.SetSlots(slots);
    EXPECT_FALSE(table->ValidateSlots(number));
    EXPECT_EQ(number.Slots(), repaired) << digits;
    ASSERT_EQ(platform.shown().size(), 1u);
    EXPECT_EQ(platform.shown()[0].text,
              "Warning: Word '" + slots[slots[0] == "tie" ? 1 : 0] + "' not found in dictionary. Word will be deleted.");
    EXPECT_EQ(platform.shown()[0].icon, MessageIcon::Warning);
  }
}

// Random phrases lose random words, removed or recoded: each becomes as
// many uncovered digits as it stood on, and every other slot keeps its
// place. Where the words stood is known from before the change, or, for
// removed words, guessed from the sounds they would come back with.
TEST_F(SlotTest, ARepairUncoversOnlyTheLostWordsAndTheOthersKeepTheirDigits) {
  std::mt19937 random(35);
  const Slots pool = {"ah", "tie", "knee", "noah", "ma", "ray", "law", "tin", "denim", "dinner", "enemy", "."};
  for (int round = 0; round < 150; ++round) {
    Use(test::CommonWords());
    Slots slots;
    std::string digits;
    for (int i = static_cast<int>(random() % 40); i >= 0; --i) {
      const std::string& slot = pool[random() % pool.size()];
      slots.push_back(slot);
      digits += slot == "." ? std::string(1, static_cast<char>('0' + random() % 10)) : dict.CodeAt(dict.FindWord(slot));
    }
    number = RNumber();
    number.SetNumber(digits);
    number.SetSlots(slots);
    const RSlotPlaces before = SlotPlaces(dict, number);
    const bool placesKnown = round % 2 == 0;
    std::set<std::string> lost;
    for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
      const std::string word = pool[random() % (pool.size() - 1)];
      if (!lost.insert(word).second) continue;
      const std::string code = dict.CodeAt(dict.FindWord(word));
      if (placesKnown && random() % 2 == 0)
        ASSERT_EQ(dict.EditCode(word, code == "7" ? "8" : "7"), 0);
      else
        ASSERT_GE(dict.RemoveWord(word), 0);
    }
    dict.BuildCodeIndex();
    Slots expected;
    std::string firstLost;
    for (std::size_t i = 0; i < slots.size(); ++i) {
      if (!lost.count(slots[i])) {
        expected.push_back(slots[i]);
      } else {
        expected.insert(expected.end(), before.lengths[i], ".");
        if (firstLost.empty()) firstLost = slots[i];
      }
    }
    const RSlotRepair repair = RepairSlots(dict, number, placesKnown ? &before : nullptr);
    ASSERT_EQ(number.Slots(), expected) << "round " << round << ", digits " << digits;
    EXPECT_EQ(repair.changed, expected != slots);
    EXPECT_EQ(repair.word, firstLost);
    EXPECT_EQ(FindSlotFault(dict, number).kind, RSlotFault::Kind::None);
  }
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

TEST_F(SlotTest, ValidationQuietlyTrimsAndPadsUncoveredDigits) {
  number.SetNumber("12");
  for (int i = 0; i < 4; ++i) number.InsertSlot(i, ".");
  EXPECT_FALSE(table->ValidateSlots(number));
  EXPECT_EQ(number.Slots(), (Slots{".", "."}));
  number.SetNumber("1234");
  EXPECT_FALSE(table->ValidateSlots(number));
  EXPECT_EQ(number.Slots(), (Slots{".", ".", ".", "."}));
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(SlotTest, AnEntryWithDigitsButNoPhraseGetsItsDigitsBack) {
  number.SetNumber("123");  // as loaded from a file whose phrase line is empty
  ASSERT_EQ(number.SlotCount(), 0);
  Rebuild();
  EXPECT_EQ(number.Slots(), (Slots{".", ".", "."}));
  EXPECT_EQ(number.Phrase(), " " + kDot + " " + kDot + " " + kDot);
  ExpectInStep();
  RNumber empty;
  EXPECT_TRUE(table->ValidateSlots(empty));
  EXPECT_EQ(empty.SlotCount(), 0);
}

// --- choosing, un-choosing, preview ---------------------------------------------

TEST_F(SlotTest, ChoosingATwoDigitWordCoversTwoDigits) {
  Commit("1234");
  const Ints before = mirror.ids;
  ASSERT_TRUE(Choose(0, "tin"));
  EXPECT_EQ(number.Slots(), (Slots{"tin", ".", "."}));
  EXPECT_EQ(number.Phrase(), " tin " + kDot + " " + kDot);
  EXPECT_EQ(mirror.ids, (Ints{before[0], before[2], before[3]}));
  EXPECT_EQ(Digits(0), "12");
}

TEST_F(SlotTest, AShorterAlternativeGivesDigitsBack) {
  Commit("1234");
  ASSERT_TRUE(Choose(0, "denim"));
  ASSERT_TRUE(Choose(0, "denim"));  // the same code again gives nothing back
  EXPECT_EQ(number.Slots(), (Slots{"denim", "."}));
  ASSERT_TRUE(Choose(0, "tin"));
  EXPECT_EQ(number.Slots(), (Slots{"tin", ".", "."}));
  EXPECT_EQ(mirror.emptied.back(), 2);  // the column after the digits given back refills
  EXPECT_EQ(Digits(2), "4");
  EXPECT_FALSE(table->ChooseWord(number, 0, "denim"));  // only the code and shorter ones
  ASSERT_TRUE(Choose(0, "ah"));
  EXPECT_EQ(number.Slots(), (Slots{"ah", ".", ".", ".", "."}));
  ExpectInStep();
}

TEST_F(SlotTest, UnchoosingGivesEveryDigitBack) {
  Commit("1234");
  ASSERT_TRUE(Choose(0, "denim"));
  ASSERT_TRUE(Unselect(0));
  EXPECT_EQ(number.Slots(), (Slots{".", ".", ".", "."}));
  ExpectInStep();
  // A raised button of an uncovered column changes no slot but still counts.
  EXPECT_TRUE(table->UnselectWord(number, 1));
  EXPECT_EQ(number.SlotCount(), 4);
}

TEST_F(SlotTest, UnchoosingAWordWithoutACodeRemovesIt) {
  Commit("12");
  ASSERT_TRUE(Choose(1, "oh"));
  ASSERT_EQ(number.Slots(), (Slots{".", "oh", "."}));
  ASSERT_TRUE(Unselect(1));
  EXPECT_EQ(number.Slots(), (Slots{".", "."}));
  EXPECT_EQ(Digits(1), "2");
  number.InsertSlot(2, "ah");  // as the last slot
  Rebuild();
  ASSERT_TRUE(Unselect(2));
  EXPECT_EQ(number.Slots(), (Slots{".", "."}));
  ExpectInStep();
}

TEST_F(SlotTest, RowsThatAreNoChoiceAreIgnored) {
  Commit("1234");
  for (const char* row : {"", "12", "(none)", "zebra", "Tin"}) EXPECT_FALSE(table->ChooseWord(number, 0, row)) << row;
  // A row left from before a recode no longer fits its column.
  dict.EditCode("ton", "17");
  dict.BuildCodeIndex();
  EXPECT_FALSE(table->ChooseWord(number, 0, "ton"));
  EXPECT_EQ(number.Slots(), (Slots{".", ".", ".", "."}));
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(SlotTest, ClickingAWordPreviewsTheDigitsItWouldCover) {
  Commit("1234");
  EXPECT_TRUE(table->PreviewWord(number, 0, "tin"));
  EXPECT_EQ(number.Phrase(), " " + kBullet + " " + kBullet + " " + kDot + " " + kDot);
  EXPECT_EQ(number.Slots(), (Slots{".", ".", ".", "."}));
  EXPECT_FALSE(table->PreviewWord(number, 0, "ton"));  // the same range
  EXPECT_FALSE(table->PreviewWord(number, 0, "12"));
  EXPECT_TRUE(table->ClearPreview(number, 3));
  EXPECT_EQ(number.Phrase(), " " + kDot + " " + kDot + " " + kDot + " " + kDot);
  // In a chosen word's column a click clears the preview.
  ASSERT_TRUE(Choose(0, "tin"));
  ASSERT_TRUE(table->PreviewWord(number, 1, "ma"));
  EXPECT_EQ(number.Phrase(), " tin " + kBullet + " " + kDot);
  EXPECT_TRUE(table->PreviewWord(number, 0, "ton"));
  EXPECT_EQ(number.Phrase(), " tin " + kDot + " " + kDot);
}

// --- numbers of any length --------------------------------------------------------

TEST_F(SlotTest, ThreeHundredDigitsNeedNoTable) {
  std::string digits;
  for (int i = 0; i < 300; ++i) digits.push_back(static_cast<char>('1' + i % 5));
  Commit(digits);
  ASSERT_EQ(number.SlotCount(), 300);
  ExpectInStep();
  ASSERT_TRUE(Choose(290, "tin"));
  ASSERT_TRUE(Choose(0, "denim"));
  EXPECT_EQ(number.SlotCount(), 297);
  ASSERT_EQ(number.Slot(288), "tin");
  ASSERT_TRUE(Unselect(288));
  EXPECT_EQ(number.SlotCount(), 298);
  digits.back() = '1';
  Commit(digits);
  EXPECT_EQ(number.SlotCount(), 298);
  EXPECT_EQ(number.Slot(0), "denim");
  ExpectInStep();
  table->DeleteAllColumns();
  EXPECT_TRUE(mirror.ids.empty());
}

// --- long numbers: steps that touch only what changed -------------------------------

// `count` digits from 1 to 5, the digits CommonWords has words for.
std::string RandomDigits(std::mt19937& random, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits.push_back(static_cast<char>('1' + random() % 5));
  return digits;
}

// A word row of column i picked at random, or empty when it lists none.
std::string RandomWord(std::mt19937& random, const std::vector<std::string>& rows) {
  std::vector<std::string> words;
  for (const std::string& row : rows)
    if (IsWordRow(row)) words.push_back(row);
  return words.empty() ? std::string() : words[random() % words.size()];
}

// What a table built afresh for the same slots holds: the digits, slot and
// first digit of every column.
void ExpectSameAsFreshTable(const RDictionary& dict, const RNumber& number, const RWordColumns& table) {
  RNumber copy = number;
  RWordColumns fresh(dict);
  fresh.RebuildColumns(&copy);
  ASSERT_EQ(table.ColumnCount(), fresh.ColumnCount());
  for (int i = 0; i < fresh.ColumnCount(); ++i) {
    ASSERT_EQ(table.ColumnDigits(i), fresh.ColumnDigits(i)) << "column " << i;
    ASSERT_EQ(table.Column(i).slotText, fresh.Column(i).slotText) << "column " << i;
    ASSERT_EQ(table.Column(i).start, fresh.Column(i).start) << "column " << i;
  }
}

TEST_F(SlotTest, ChoicesRebuildOnlyNearbyYetMatchAFullRebuild) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    std::mt19937 random(seed);
    Commit(RandomDigits(random, 200));
    for (int step = 0; step < 250; ++step) {
      const int i = static_cast<int>(random() % static_cast<unsigned>(number.SlotCount()));
      table->UpdateColumn(i);  // the column is in view, as the user clicks it
      bool changed = false;
      if (IsUncoveredSlot(number.Slot(i)) || random() % 2 == 0) {
        const std::string word = RandomWord(random, table->Column(i).rows);
        changed = !word.empty() && table->ChooseWord(number, i, word);
      } else {
        changed = table->UnselectWord(number, i);
      }
      if (!changed) continue;
      table->RefreshPhrase(number);
      const Ints listed = table->RebuildChanged(number);
      // Only columns near the step can have changed.
      for (int c : listed) EXPECT_LE(std::abs(c - i), static_cast<int>(kColumnRunLength) + 3) << c << " near " << i;
      ExpectInStep();
      ExpectSameAsFreshTable(dict, number, *table);
      if (HasFatalFailure()) return;
    }
  }
}

// The one-slot-at-a-time walk of a commit, as the rules say it: which old
// slots stay, and the slots after it.
std::vector<bool> KeptByTheWalk(const RDictionary& dict, const Slots& slots, const std::string& digits) {
  std::vector<bool> kept;
  std::size_t p = 0;
  for (const std::string& slot : slots) {
    bool fits = false;
    std::size_t length = 1;
    if (IsUncoveredSlot(slot)) {
      fits = p < digits.size();
    } else {
      const int k = dict.FindWord(slot);
      length = k >= 0 ? dict.CodeAt(k).size() : 0;
      fits = k >= 0 && digits.compare(p, length, dict.CodeAt(k)) == 0 && p + length <= digits.size();
    }
    kept.push_back(fits);
    if (fits) p += length;
  }
  return kept;
}

TEST_F(SlotTest, ACommitKeepsWhatTheWalkKeepsAndTheColumnsFollow) {
  std::mt19937 random(7);
  std::string digits = RandomDigits(random, 300);
  Commit(digits);
  for (int round = 0; round < 40; ++round) {
    for (int n = 0; n < 30; ++n) {
      const int i = static_cast<int>(random() % static_cast<unsigned>(number.SlotCount()));
      table->UpdateColumn(i);
      if (IsUncoveredSlot(number.Slot(i))) Choose(i, RandomWord(random, table->Column(i).rows));
    }
    // Change, drop or add a digit somewhere.
    const std::size_t at = random() % digits.size();
    switch (random() % 3) {
      case 0: digits[at] = static_cast<char>('1' + random() % 5); break;
      case 1: digits.erase(at, 1); break;
      default: digits.insert(at, 1, static_cast<char>('1' + random() % 5)); break;
    }
    const Slots before = number.Slots();
    const Ints idsBefore = mirror.ids;
    const std::vector<bool> kept = KeptByTheWalk(dict, before, digits);
    Slots expected;
    Ints expectedIds;
    for (std::size_t s = 0; s < before.size(); ++s)
      if (kept[s]) {
        expected.push_back(before[s]);
        expectedIds.push_back(idsBefore[s]);
      }
    const int nextId = mirror.nextId;
    if (!table->CommitNumber(number, digits)) continue;
    // The digits the kept slots leave over come back as "." at the end.
    std::size_t covered = 0;
    for (const std::string& slot : expected)
      covered += IsUncoveredSlot(slot) ? 1 : dict.CodeAt(dict.FindWord(slot)).size();
    ASSERT_LE(covered, digits.size());
    for (std::size_t d = covered; d < digits.size(); ++d) {
      expected.push_back(".");
      expectedIds.push_back(nextId + static_cast<int>(d - covered));
    }
    ASSERT_EQ(number.Slots(), expected) << "round " << round;
    // Each kept column is the same column, moved; the new ones are new.
    ASSERT_EQ(mirror.ids, expectedIds) << "round " << round;
    table->RefreshPhrase(number);
    Rebuild();
    ExpectInStep();
  }
}

TEST_F(SlotTest, AColumnRemembersWhereItsListStoodUntilItsDigitsChange) {
  Commit("12345");
  ASSERT_TRUE(table->Column(0).filled);
  table->ReleaseRows(0, 3, 4);
  EXPECT_FALSE(table->Column(0).filled);
  EXPECT_TRUE(table->Column(0).rows.empty());
  EXPECT_EQ(table->Column(0).topRow, 3);
  EXPECT_EQ(table->Column(0).selectedRow, 4);
  // Listed again for the same digits, the place still holds.
  ASSERT_TRUE(table->UpdateColumn(0));
  EXPECT_EQ(table->Column(0).selectedRow, 4);
  // A choice further on that changes column 0's run (and so its digits) sends it to the top.
  ASSERT_TRUE(Choose(2, "ma"));
  table->UpdateColumn(0);
  EXPECT_EQ(Digits(0), "12");
  EXPECT_EQ(table->Column(0).topRow, 0);
  EXPECT_EQ(table->Column(0).selectedRow, -1);
  // A dictionary change forgets the selection everywhere.
  table->ReleaseRows(1, 2, 1);
  table->DictionaryChanged();
  EXPECT_EQ(table->Column(1).selectedRow, -1);
}

}  // namespace
}  // namespace tq
