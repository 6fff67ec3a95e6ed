// The best-phrase search, checked against an exhaustive search over every
// way of covering the digits on small random dictionaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <tuple>

#include "BestPhrases.h"
#include "PhraseFixture.h"
#include "RNumber.h"

namespace tq {
namespace {

const std::string kMark(1, kUncoveredMark);

struct KnownWord {
  std::string word;
  std::string code;
  int level;  // 0: not in wordinfo.dat
  bool noun;
  bool pictured = false;
};

class BestPhrases : public ::testing::Test {
 protected:
  void Load(const std::vector<KnownWord>& words) {
    std::vector<test::CodedWord> coded;
    std::string info;
    for (const auto& w : words) {
      coded.push_back({w.word, w.code});
      if (w.level > 0)
        info += w.word + "," + std::to_string(w.level) + "," + (w.noun ? "n" : "-") + (w.pictured ? ",p" : "") + "\n";
    }
    dir.Write("wordinfo.dat", info);
    test::LoadDictionary(dict, dir, coded);
    dict.LoadWordKnowledge();
  }
  test::TempDir dir;
  RDictionary dict;
};

// (uncovered, words, cost, not nouns), smaller first, where a word that
// cannot be pictured and one that is not common cost one each.
using Key = std::tuple<int, int, int, int>;
int CostOf(bool pictured, bool common) { return (pictured ? 0 : 1) + (common ? 0 : 1); }
Key KeyOf(const RRankedPhrase& r) {
  int cost = 0;
  for (std::size_t i = 0; i < r.words.size(); ++i)
    if (r.words[i] != kMark) cost += CostOf(r.pictured[i], r.common[i]);
  return {r.uncovered, r.wordCount, cost, r.wordCount - r.nouns};
}

struct Cover {
  Key key;
  std::string phrase;
  std::string first, firstCode;  // the first word or mark
};

// Every cover of `digits` by the dictionary's words (or single-digit marks).
std::vector<Cover> AllCovers(const RDictionary& dict, const std::string& digits) {
  std::vector<Cover> out;
  std::vector<std::string> words;
  std::function<void(std::size_t, Key)> walk = [&](std::size_t p, Key key) {
    if (p == digits.size()) {
      std::string phrase;
      for (const auto& w : words) phrase += (phrase.empty() ? "" : " ") + w;
      const std::string& first = words.front();
      out.push_back({key, phrase, first, first == kMark ? kMark : dict.CodeAt(dict.FindWord(first))});
      return;
    }
    words.push_back(kMark);
    walk(p + 1, {std::get<0>(key) + 1, std::get<1>(key), std::get<2>(key), std::get<3>(key)});
    words.pop_back();
    for (int i = 0; i < dict.Count(); ++i) {
      const RWordEntry& e = dict.EntryAt(i);
      if (e.code.empty() || digits.compare(p, e.code.size(), e.code) != 0) continue;
      words.push_back(e.word);
      const int cost = CostOf(dict.IsPicturableEntry(e), dict.IsCommonEntry(e));
      const int other = e.noun ? 0 : 1;
      walk(p + e.code.size(),
           {std::get<0>(key), std::get<1>(key) + 1, std::get<2>(key) + cost, std::get<3>(key) + other});
      words.pop_back();
    }
  };
  walk(0, {});
  return out;
}

std::vector<KnownWord> RandomWords(std::mt19937& rng) {
  std::vector<KnownWord> words;
  const int n = std::uniform_int_distribution<int>(4, 14)(rng);
  const int levels[] = {0, 10, 35, 50, 95};
  for (int i = 0; i < n; ++i) {
    KnownWord w;
    w.word = std::string("w") + static_cast<char>('a' + i);
    // Mostly short codes, so that many phrases cover the same digits.
    const int length = rng() % 8 == 0 ? 0 : std::uniform_int_distribution<int>(1, 2)(rng) + (rng() % 4 == 0);
    for (int k = 0; k < length; ++k) w.code += static_cast<char>('0' + rng() % 3);
    w.level = levels[rng() % 5];
    w.noun = rng() % 2 == 0;
    w.pictured = rng() % 3 == 0;
    words.push_back(w);
  }
  return words;
}

// The keys of the whole list in its order: each first word's best phrase of
// the fewest words, in rounds over the first words' codes; while those are
// fewer than ten, other first words' best of one word more, likewise; then
// rounds taking every fewest-word first word's next such phrase; then the
// rest. Within each round, best first.
std::vector<Key> ExpectedOrder(std::vector<Cover> covers) {
  std::sort(covers.begin(), covers.end(), [](const Cover& a, const Cover& b) { return a.key < b.key; });
  const auto [uncovered, fewest, cost, others] = covers.front().key;
  std::map<std::string, int> seen;      // phrases met so far per first word
  std::map<std::string, int> codeSeen;  // first words met so far per code
  std::vector<std::tuple<int, int, Key>> order;  // (part, round, key)
  std::vector<std::pair<int, Key>> oneMore;
  for (const Cover& c : covers) {
    if (std::get<0>(c.key) != uncovered) break;
    const int words = std::get<1>(c.key);
    const int rank = seen[c.first]++;
    const int codeRound = rank == 0 ? codeSeen[c.firstCode]++ : 0;
    if (rank == 0 && words == fewest) order.emplace_back(0, codeRound, c.key);
    else if (rank == 0 && words == fewest + 1) oneMore.emplace_back(codeRound, c.key);
    else if (words == fewest) order.emplace_back(2, rank, c.key);
    else order.emplace_back(3, 0, c.key);
  }
  const std::size_t firsts = std::count_if(order.begin(), order.end(), [](const auto& o) { return std::get<0>(o) == 0; });
  std::sort(oneMore.begin(), oneMore.end());
  for (std::size_t i = 0; i < oneMore.size(); ++i)
    order.emplace_back(firsts + i < 10 ? 1 : 3, firsts + i < 10 ? oneMore[i].first : 0, oneMore[i].second);
  std::sort(order.begin(), order.end());
  std::vector<Key> out;
  for (const auto& o : order) out.push_back(std::get<2>(o));
  return out;
}

TEST_F(BestPhrases, AgreeWithAnExhaustiveSearchOnRandomDictionaries) {
  std::mt19937 rng(20261207);
  for (int round = 0; round < 300; ++round) {
    Load(RandomWords(rng));
    // Digit 3 has no word, so some numbers cannot be covered whole.
    std::string digits(std::uniform_int_distribution<int>(1, 8)(rng), '0');
    for (char& d : digits) d = static_cast<char>('0' + rng() % (round % 4 == 0 ? 4 : 3));
    const std::size_t count = 1 + rng() % 24;
    SCOPED_TRACE("round " + std::to_string(round) + " digits " + digits);

    const auto covers = AllCovers(dict, digits);
    auto expected = ExpectedOrder(covers);
    if (expected.size() > count) expected.resize(count);
    std::set<std::string> valid;
    for (const auto& c : covers)
      if (std::get<0>(c.key) == std::get<0>(expected.front())) valid.insert(c.phrase);

    const auto found = FindBestPhrases(dict, digits, count);
    std::vector<Key> keys;
    std::set<std::string> distinct;
    for (const auto& r : found) {
      keys.push_back(KeyOf(r));
      EXPECT_TRUE(valid.count(r.phrase)) << "not a cover with the fewest uncovered digits: " << r.phrase;
      distinct.insert(r.phrase);
      EXPECT_EQ(r.complete, r.uncovered == 0);
      EXPECT_EQ(r.words.size(), static_cast<std::size_t>(r.wordCount + r.uncovered));
      EXPECT_EQ(r.picturable, std::count(r.pictured.begin(), r.pictured.end(), true));
    }
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(distinct.size(), found.size()) << "a phrase is listed twice";

    // Fewer asked for: the same first ones.
    const std::size_t fewer = 1 + rng() % count;
    const auto shorter = FindBestPhrases(dict, digits, fewer);
    ASSERT_EQ(shorter.size(), std::min(fewer, found.size()));
    for (std::size_t i = 0; i < shorter.size(); ++i) EXPECT_EQ(shorter[i].phrase, found[i].phrase) << i;
  }
}

TEST_F(BestPhrases, PreferCommonWordsAndNounsOnlyWhenNoWordMoreIsNeeded) {
  Load({{"tin", "12", 95, false},    {"denim", "123", 90, false}, {"tie", "1", 10, true},
        {"enemy", "23", 10, true},   {"ma", "3", 10, true},       {"ton", "12", 20, false},
        {"tonne", "12", 20, true}});
  const auto found = FindBestPhrases(dict, "123", 20);
  ASSERT_GE(found.size(), 4u);
  // One rare word beats two common ones...
  EXPECT_EQ(found[0].phrase, "denim");
  EXPECT_EQ(found[0].commonWords, 0);
  // ...and among two-word phrases the common nouns come first.
  EXPECT_EQ(found[1].phrase, "tie enemy");
  EXPECT_EQ(found[2].phrase, "tonne ma");
  EXPECT_EQ(found[3].phrase, "ton ma");
  EXPECT_EQ((std::vector<bool>{true, true}), found[1].noun);
  EXPECT_EQ((std::vector<bool>{false, true}), found[3].noun);
}

TEST_F(BestPhrases, FollowTheUsersWordsCodesAndMapping) {
  Load({{"tie", "1", 10, true}, {"knee", "2", 10, true}, {"tin", "12", 95, false}});
  EXPECT_EQ(FindBestPhrases(dict, "12", 1).at(0).phrase, "tin");

  dict.RemoveWord("tin");
  dict.BuildCodeIndex();
  EXPECT_EQ(FindBestPhrases(dict, "12", 1).at(0).phrase, "tie knee");

  // A word the user adds has no level but counts as common.
  const int p = dict.AddWord("tn");
  ASSERT_GE(p, 0);
  dict.BuildCodeIndex();
  const auto added = FindBestPhrases(dict, "12", 5);
  ASSERT_EQ(added.size(), 2u);
  EXPECT_EQ(added[0].phrase, "tn");
  EXPECT_EQ(added[0].commonWords, 1);

  dict.EditCode("tn", "99");
  dict.BuildCodeIndex();
  EXPECT_EQ(FindBestPhrases(dict, "99", 1).at(0).phrase, "tn");
  EXPECT_EQ(FindBestPhrases(dict, "12", 5).size(), 1u);

  // Knee's n now stands for 7: the number 12 has no complete phrase left.
  ASSERT_EQ(dict.SetMappingLine(2, ""), 0);
  ASSERT_EQ(dict.SetMappingLine(7, "n"), 0);
  dict.ComputeCodes();
  dict.BuildCodeIndex();
  const auto remapped = FindBestPhrases(dict, "17", 5);
  ASSERT_FALSE(remapped.empty());
  EXPECT_EQ(remapped[0].phrase, "tie knee");
  const auto broken = FindBestPhrases(dict, "12", 5);
  ASSERT_EQ(broken.size(), 1u);
  EXPECT_EQ(broken[0].phrase, "tie " + kMark);
  EXPECT_FALSE(broken[0].complete);
}

TEST_F(BestPhrases, WithoutWordKnowledgeRankByWordsAlone) {
  Load({{"tie", "1", 0, false}, {"knee", "2", 0, false}, {"tin", "12", 0, false}, {"ah", "", 0, false}});
  std::remove((dir.path() + "wordinfo.dat").c_str());
  EXPECT_EQ(dict.LoadWordKnowledge(), -1);
  EXPECT_FALSE(dict.HasWordKnowledge());
  const auto found = FindBestPhrases(dict, "1-2", 20);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].phrase, "tin");
  EXPECT_EQ(found[0].commonWords, 0);
  EXPECT_EQ(found[1].phrase, "tie knee");
}

TEST_F(BestPhrases, LeaveUncoverableDigitsAsMarksAndEndOnLongNumbers) {
  Load({{"tie", "1", 10, true}, {"knee", "2", 10, true}, {"ah", "", 10, true}});
  EXPECT_TRUE(FindBestPhrases(dict, "", 20).empty());
  EXPECT_TRUE(FindBestPhrases(dict, "12", 0).empty());
  const auto none = FindBestPhrases(dict, "99", 20);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_EQ(none[0].phrase, kMark + " " + kMark);
  EXPECT_EQ(none[0].wordCount, 0);

  std::mt19937 rng(7);
  std::string digits(5000, '1');
  for (char& d : digits) d = "129"[rng() % 3];
  const auto found = FindBestPhrases(dict, digits, static_cast<std::size_t>(-1));
  // One word per digit: a single complete way, even when all are asked for.
  ASSERT_EQ(found.size(), 1u);
  std::string spelled;
  for (const auto& w : found[0].words) spelled += w == "tie" ? '1' : w == "knee" ? '2' : w == kMark ? '9' : '?';
  EXPECT_EQ(spelled, digits);
}

TEST_F(BestPhrases, ReportProgressInOrderAndStopWhenTheCallerSays) {
  Load({{"tie", "1", 10, true}, {"knee", "2", 10, true}});
  const std::string digits(20000, '1');
  std::vector<std::size_t> done;
  const auto all = FindBestPhrases(dict, digits, 20, [&](std::size_t d, std::size_t total) {
    EXPECT_EQ(total, digits.size());
    done.push_back(d);
    return true;
  });
  EXPECT_EQ(all.size(), 1u);
  EXPECT_TRUE(!done.empty() && std::is_sorted(done.begin(), done.end()) && done.back() <= digits.size());
  int calls = 0;
  EXPECT_TRUE(FindBestPhrases(dict, digits, 20, [&](std::size_t, std::size_t) { return ++calls < 2; }).empty());
  EXPECT_EQ(calls, 2);
}

// The least (uncovered digits, words, cost) any cover can have, by a plain
// search over positions with each code's cheapest word.
Key Least(const RDictionary& dict, const std::string& digits) {
  std::map<std::string, int> cheapest;
  for (int i = 0; i < dict.Count(); ++i) {
    const RWordEntry& e = dict.EntryAt(i);
    const int cost = CostOf(dict.IsPicturableEntry(e), dict.IsCommonEntry(e));
    if (!e.code.empty() && !cheapest.emplace(e.code, cost).second) cheapest[e.code] = std::min(cheapest[e.code], cost);
  }
  std::vector<Key> best(digits.size() + 1, {1 << 20, 0, 0, 0});
  best[0] = {};
  for (std::size_t p = 0; p < digits.size(); ++p) {
    const auto [u, w, c, o] = best[p];
    best[p + 1] = std::min(best[p + 1], Key{u + 1, w, c, 0});
    for (std::size_t l = 1; p + l <= digits.size() && l <= 24; ++l) {
      const auto it = cheapest.find(digits.substr(p, l));
      if (it != cheapest.end()) best[p + l] = std::min(best[p + l], Key{u, w + 1, c + it->second, 0});
    }
  }
  return best.back();
}

TEST(BestPhrasesOnTheGeneratedDictionary, TopPhraseHasTheFewestWordsAndTheBestOnes) {
  const char* data = std::getenv("TQ_DATA_DIR");
  ASSERT_NE(data, nullptr);
  const auto dict = CreateDictionary(data);
  ASSERT_NE(dict, nullptr);
  ASSERT_TRUE(dict->HasWordKnowledge());
  std::mt19937 rng(31415);
  for (int round = 0; round < 40; ++round) {
    std::string digits(std::uniform_int_distribution<int>(1, 30)(rng), '0');
    for (char& d : digits) d = static_cast<char>('0' + rng() % 10);
    SCOPED_TRACE(digits);
    const auto found = FindBestPhrases(*dict, digits, 20);
    ASSERT_FALSE(found.empty());
    const Key top = KeyOf(found[0]);
    EXPECT_EQ(std::make_tuple(std::get<0>(top), std::get<1>(top), std::get<2>(top), 0), Least(*dict, digits))
        << found[0].phrase;
    for (const auto& r : found) {
      std::string spelled;
      for (const auto& w : r.words)
        spelled += w == kMark ? digits.substr(spelled.size(), 1) : dict->CodeAt(dict->FindWord(w));
      EXPECT_EQ(spelled, digits) << r.phrase;
    }
  }
}

}  // namespace
}  // namespace tq
