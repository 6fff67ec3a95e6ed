// Peg lists on small made-up dictionaries: every number once, in order; the
// words of every peg spell its number; no word twice; and the most common
// picturable word wherever the dictionary has one for the number.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "PegList.h"
#include "PhraseFixture.h"
#include "RWorksheet.h"

namespace tq {
namespace {

struct MadeUpWord {
  std::string word;
  std::string code;
  int level = 0;  // 0: not in wordinfo.dat
  bool picturable = false;
};

// Few words for many numbers, so that phrases compete for the short words.
std::vector<MadeUpWord> RandomWords(std::mt19937& random, int digits) {
  std::vector<MadeUpWord> out;
  const int count = std::uniform_int_distribution<int>(5, 60)(random);
  for (int i = 0; i < count; ++i) {
    MadeUpWord w;
    w.word = "w" + std::to_string(i);
    const int length = std::uniform_int_distribution<int>(1, digits)(random);
    for (int k = 0; k < length; ++k) w.code += static_cast<char>('0' + random() % 4);
    w.level = random() % 3 == 0 ? 0 : std::uniform_int_distribution<int>(10, 80)(random);
    w.picturable = w.level > 0 && random() % 2 == 0;
    out.push_back(w);
  }
  return out;
}

// The commonness order the pegs follow: common before not, then the level.
std::pair<bool, int> Commonness(const RDictionary& dict, const std::string& word) {
  const WordEntry& e = dict.EntryAt(dict.FindWord(word));
  return {!dict.IsCommonEntry(e), e.level};
}

TEST(PegList, EveryNumberOnceSpelledByItsOwnWords) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 40; ++round) {
    const int digits = round % 4 == 3 ? 3 : 2;
    const auto words = RandomWords(random, digits);
    test::TempDir dir;
    std::vector<test::CodedWord> coded;
    std::string info;
    std::map<std::string, std::vector<std::string>> picturable;  // by code
    for (const auto& w : words) {
      coded.push_back({w.word, w.code});
      if (w.level > 0) info += w.word + "," + std::to_string(w.level) + ",n" + (w.picturable ? ",p" : "") + "\n";
      if (w.picturable) picturable[w.code].push_back(w.word);
    }
    dir.Write("wordinfo.dat", info);
    RDictionary dict;
    test::LoadDictionary(dict, dir, coded);
    dict.LoadWordKnowledge();

    const std::vector<Peg> pegs = MakePegList(dict, digits);
    ASSERT_EQ(pegs.size(), digits == 2 ? 100u : 1000u);
    std::set<std::string> seen;
    for (std::size_t n = 0; n < pegs.size(); ++n) {
      const Peg& peg = pegs[n];
      std::string expected = std::to_string(n);
      expected.insert(0, static_cast<std::size_t>(digits) - expected.size(), '0');
      ASSERT_EQ(peg.number, expected);
      std::string spelled;
      for (const std::string& w : peg.words) {
        if (w == ".") {
          spelled += spelled.size() < peg.number.size() ? peg.number[spelled.size()] : '?';
          continue;
        }
        ASSERT_GE(dict.FindWord(w), 0) << w;
        spelled += dict.CodeAt(dict.FindWord(w));
        EXPECT_TRUE(seen.insert(w).second) << "round " << round << ": " << w << " twice, again for " << peg.number;
      }
      EXPECT_EQ(spelled, peg.number) << "round " << round << ": " << peg.Phrase();
      const auto it = picturable.find(peg.number);
      EXPECT_EQ(peg.picturable, it != picturable.end()) << peg.number;
      if (it == picturable.end()) continue;
      ASSERT_EQ(peg.words.size(), 1u) << peg.number;
      for (const std::string& other : it->second)
        EXPECT_LE(Commonness(dict, peg.words[0]), Commonness(dict, other)) << peg.number << ": " << other;
    }

    // The worksheet gets the pegs as chosen words, which its phrase shows.
    RWorksheet sheet;
    AddPegEntries(sheet, pegs);
    ASSERT_EQ(sheet.Count(), static_cast<int32_t>(pegs.size()));
    const RNumber& last = sheet.At(sheet.Count() - 1);
    EXPECT_EQ(last.Digits(), pegs.back().number);
    EXPECT_EQ(last.Slots(), pegs.back().words);
    EXPECT_EQ(last.Phrase(), " " + pegs.back().Phrase());
    EXPECT_TRUE(last.Description().empty());
  }
}

// On the real dictionary every number that has a picturable word gets one,
// and the phrases of the others, which compete for the few short words of
// some digits, still cover every digit.
TEST(PegListOnTheGeneratedDictionary, PicturableWhereverPossibleAndEveryDigitCovered) {
  const char* data = std::getenv("TQ_DATA_DIR");
  ASSERT_NE(data, nullptr);
  const auto dict = CreateDictionary(data);
  ASSERT_NE(dict, nullptr);
  ASSERT_TRUE(dict->HasWordKnowledge());
  for (int digits : {2, 3}) {
    std::set<std::string> withPicture;
    for (std::size_t i : dict->BucketEntries(digits))
      if (dict->IsPicturableEntry(dict->EntryAt(static_cast<int>(i))))
        withPicture.insert(dict->CodeAt(static_cast<int>(i)));
    int picturable = 0;
    int uncovered = 0;
    std::set<std::string> seen;
    for (const Peg& peg : MakePegList(*dict, digits)) {
      EXPECT_EQ(peg.picturable, withPicture.count(peg.number) == 1) << peg.number;
      picturable += peg.picturable ? 1 : 0;
      for (const std::string& w : peg.words) {
        if (w == ".")
          ++uncovered;
        else
          EXPECT_TRUE(seen.insert(w).second) << w;
      }
    }
    EXPECT_EQ(uncovered, 0) << digits << " digits";
    std::printf("%d digits: %d of %zu numbers with a picturable word got one; %d digits uncovered\n", digits,
                picturable, withPicture.size(), uncovered);
  }
}

}  // namespace
}  // namespace tq
