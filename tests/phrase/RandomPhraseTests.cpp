// The random phrase generator: whatever the draws, the words' codes read in
// order spell the digits, and it ends even where no word fits.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

#include "PhraseFixture.h"
#include "RNumber.h"
#include "RandomPhrase.h"

namespace tq {
namespace {

const std::string kMark(1, kUncoveredMark);
const RandomDraw kLongest = [](int n) { return n - 1; };
const RandomDraw kShortest = [](int) { return 0; };

std::string RandomDigits(std::mt19937& rng, const std::string& alphabet, int maxLength) {
  std::string digits(std::uniform_int_distribution<int>(0, maxLength)(rng), '0');
  for (char& d : digits) d = alphabet[rng() % alphabet.size()];
  return digits;
}

// Reads the phrase back as the main window does and checks it against the
// digits: codes of at most three digits in order, a mark only where no
// piece fits, every digit covered.
void ExpectSpells(const RDictionary& dict, const std::string& digits, const std::string& phrase) {
  SCOPED_TRACE("'" + digits + "' -> '" + phrase + "'");
  RNumber entry;
  entry.SetPhrase(phrase);
  entry.SlotsFromPhrase();
  std::size_t p = 0;
  for (const std::string& slot : entry.Slots()) {
    std::string code = digits.substr(std::min(p, digits.size()), kMaxRandomPiece);
    if (slot == ".") {
      dict.TrimToKnownCode(code);
      EXPECT_EQ(code, "") << "a word would have fitted at " << p;
      ++p;
      continue;
    }
    const int k = dict.FindWord(slot);
    ASSERT_GE(k, 0) << slot;
    ASSERT_EQ(code.compare(0, dict.CodeAt(k).size(), dict.CodeAt(k)), 0) << slot << " at " << p;
    p += dict.CodeAt(k).size();
  }
  EXPECT_EQ(p, digits.size());
  EXPECT_TRUE(phrase.empty() || (phrase.front() != ' ' && phrase.back() != ' ' && phrase.find("  ") == phrase.npos))
      << "single blanks between words only";
}

class RandomPhrase : public ::testing::Test {
 protected:
  void SetUp() override { std::srand(12345); }
  void Load(std::vector<test::CodedWord> words) { test::LoadDictionary(dict, dir, std::move(words)); }
  test::TempDir dir;
  RDictionary dict;
};

TEST_F(RandomPhrase, SpellsRandomNumbersOnASmallAndTheGeneratedDictionary) {
  auto words = test::CommonWords();
  words.insert(words.end(), {{"shoe", "6"}, {"key", "7"}, {"foe", "8"}, {"bee", "9"}, {"sea", "0"},
                             {"tomato", "131"}, {"cocoa", "77"}});
  Load(words);
  EXPECT_EQ(GenerateRandomPhrase(dict, ""), "");
  std::mt19937 rng(7);
  for (int i = 0; i < 400 && !HasFailure(); ++i) {
    const std::string digits = RandomDigits(rng, "0123456789", 16);
    const std::string phrase = GenerateRandomPhrase(dict, digits);
    ExpectSpells(dict, digits, phrase);
    EXPECT_EQ(phrase.find(kUncoveredMark), std::string::npos) << "every digit has a word here";
  }

  const char* generated = std::getenv("TQ_DATA_DIR");
  ASSERT_NE(generated, nullptr);
  RDictionary shipped;
  shipped.SetDirectory(generated);
  ASSERT_EQ(shipped.LoadWords(), 0);
  ASSERT_EQ(shipped.LoadMapping(), 0);
  shipped.ComputeCodes();
  shipped.BuildCodeIndex();
  for (int i = 0; i < 300 && !HasFailure(); ++i) {
    const std::string digits = i == 0 ? "5551234" : RandomDigits(rng, "0123456789", 24);
    ExpectSpells(shipped, digits, GenerateRandomPhrase(shipped, digits));
  }
}

TEST_F(RandomPhrase, ShortensADrawnPieceToTheLongestWithAWord) {
  Load(test::CommonWords());
  // "124" has a word, of "125" only "12" does, of "513", "135", "351" and
  // "512" only the first digit; at the end only two digits are left.
  const auto parts = GenerateRandomParts(dict, "12412513512", kLongest);
  std::vector<std::size_t> lengths;
  for (const auto& part : parts) lengths.push_back(part.length);
  EXPECT_EQ(lengths, (std::vector<std::size_t>{3, 2, 1, 1, 1, 1, 2}));
  EXPECT_EQ(parts[0].text, "dinner");
  EXPECT_EQ(parts[1].start, 3u);
}

TEST_F(RandomPhrase, LeavesADigitNoPieceFitsUncoveredAndEnds) {
  Load(test::CommonWords());  // nothing starts with 6 to 0; "ah" and "oh" have no code
  for (int round = 0; round < 30; ++round) {
    const auto parts = GenerateRandomParts(dict, "16625");
    ExpectSpells(dict, "16625", JoinRandomPhrase(parts));
    ASSERT_EQ(parts.size(), 5u) << "no filler word where nothing fits";
    EXPECT_TRUE(parts[1].uncovered && parts[2].uncovered);
  }
  EXPECT_EQ(GenerateRandomPhrase(dict, "000"), kMark + " " + kMark + " " + kMark);

  Load({{"tie", "1"}, {"tin", "12"}});  // no word without a code either
  EXPECT_EQ(JoinRandomPhrase(GenerateRandomParts(dict, "2121", kLongest)), kMark + " tin tie");
  EXPECT_EQ(JoinRandomPhrase(GenerateRandomParts(dict, "2121", kShortest)), kMark + " tie " + kMark + " tie");
}

TEST_F(RandomPhrase, PutsInAtMostTwoCodelessFillersBeforeALongerPiece) {
  Load({{"ah", ""}, {"oh", ""}, {"cocoa", "777"}, {"tie", "1"}});
  // One- and two-digit draws at a 7 come up empty, three digits fit.
  const auto parts = GenerateRandomParts(dict, "7771", kShortest);
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_EQ(parts[0].length + parts[1].length, 0u);
  EXPECT_EQ(parts[2].text, "cocoa");
  EXPECT_EQ(parts[3].text, "tie");

  std::mt19937 rng(5);
  for (int i = 0; i < 300; ++i) {
    const std::string digits = RandomDigits(rng, "71", 12);
    const auto random = GenerateRandomParts(dict, digits);
    ExpectSpells(dict, digits, JoinRandomPhrase(random));
    int inARow = 0;
    for (const auto& part : random) {
      inARow = part.length == 0 ? inARow + 1 : 0;
      ASSERT_LE(inARow, 2) << digits;
    }
    ASSERT_EQ(inARow, 0) << "a filler never ends the phrase: " << digits;
  }
}

TEST_F(RandomPhrase, ALongNumberIsSpelledAndEveryWordOfACodeCanComeUp) {
  Load(test::CommonWords());
  std::mt19937 rng(11);
  std::string longDigits;
  for (int i = 0; i < 3000; ++i) longDigits.push_back(static_cast<char>('1' + rng() % 5));
  ExpectSpells(dict, longDigits, GenerateRandomPhrase(dict, longDigits));
  // Every word of a code comes up, a word added since the last proposal too.
  ASSERT_GE(dict.AddWord("tow"), 0);
  dict.BuildCodeIndex();
  ASSERT_EQ(dict.CodeAt(dict.FindWord("tow")), "1");
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) seen.insert(JoinRandomPhrase(GenerateRandomParts(dict, "1", kShortest)));
  EXPECT_EQ(seen, (std::set<std::string>{"tie", "toe", "tow"}));
}

}  // namespace
}  // namespace tq
