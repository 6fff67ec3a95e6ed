// Peg lists: every number once, in order, spelled by its own words; no word
// twice; the most common picturable word wherever there is one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "PegList.h"
#include "PhraseFixture.h"
#include "RWorksheet.h"

namespace tq {
namespace {

// The commonness order the pegs follow: common before not, then the level.
std::pair<bool, int> Commonness(const RDictionary& dict, const std::string& word) {
  const RWordEntry& e = dict.EntryAt(dict.FindWord(word));
  return {!dict.IsCommonEntry(e), e.level};
}

TEST(PegList, EveryNumberOnceSpelledByItsOwnWords) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 40; ++round) {
    const int digits = round % 4 == 3 ? 3 : 2;
    SCOPED_TRACE(round);
    test::TempDir dir;
    std::vector<test::CodedWord> coded;
    std::string info;
    std::map<std::string, std::vector<std::string>> picturable;  // by code
    // Few words for many numbers, so that pegs compete for the short words.
    const int count = std::uniform_int_distribution<int>(5, 60)(random);
    for (int i = 0; i < count; ++i) {
      const std::string word = "w" + std::to_string(i);
      std::string code(std::uniform_int_distribution<int>(1, digits)(random), '0');
      for (char& c : code) c = static_cast<char>('0' + random() % 4);
      const int level = random() % 3 == 0 ? 0 : std::uniform_int_distribution<int>(10, 80)(random);
      const bool pictured = level > 0 && random() % 2 == 0;
      coded.push_back({word, code});
      if (level > 0) info += word + "," + std::to_string(level) + ",n" + (pictured ? ",p" : "") + "\n";
      if (pictured) picturable[code].push_back(word);
    }
    dir.Write("wordinfo.dat", info);
    RDictionary dict;
    test::LoadDictionary(dict, dir, coded);
    dict.LoadWordKnowledge();

    const auto pegs = MakePegList(dict, digits);
    ASSERT_EQ(pegs.size(), digits == 2 ? 100u : 1000u);
    std::set<std::string> seen;
    for (std::size_t n = 0; n < pegs.size(); ++n) {
      const RPeg& peg = pegs[n];
      ASSERT_EQ(peg.number.size(), static_cast<std::size_t>(digits));
      ASSERT_EQ(std::stoul(peg.number), n);
      std::string spelled;  // a mark stands for the digit where it is
      for (const std::string& w : peg.words) {
        const int p = dict.FindWord(w);
        ASSERT_TRUE(w == "." || p >= 0) << w;
        spelled += w == "." ? std::string(1, peg.number.at(spelled.size())) : dict.CodeAt(p);
        EXPECT_TRUE(w == "." || seen.insert(w).second) << w << " twice, again for " << peg.number;
      }
      EXPECT_EQ(spelled, peg.number) << peg.Phrase();
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

// On the real dictionary, where pegs compete for the few short words of some
// digits, every digit is still covered by a word.
TEST(PegListOnTheGeneratedDictionary, EveryDigitCoveredByAWord) {
  const char* data = std::getenv("TQ_DATA_DIR");
  ASSERT_NE(data, nullptr);
  const auto dict = CreateDictionary(data);
  ASSERT_NE(dict, nullptr);
  for (int digits : {2, 3})
    for (const RPeg& peg : MakePegList(*dict, digits))
      EXPECT_EQ(std::count(peg.words.begin(), peg.words.end(), "."), 0) << peg.Phrase();
}

}  // namespace
}  // namespace tq
