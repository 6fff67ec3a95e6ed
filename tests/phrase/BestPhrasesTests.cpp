// The best-phrase search, checked against an exhaustive search over every
// way of covering the digits on small random dictionaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
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
  int familiarity;  // 0: not in wordinfo.dat
  bool noun;
  int picture = 0;  // the picture degree
  bool unsuitable = false;
};

class BestPhrases : public ::testing::Test {
 protected:
  void Load(const std::vector<KnownWord>& words) {
    std::vector<test::CodedWord> coded;
    std::string info = "#wordinfo 2\n";
    for (const auto& w : words) {
      coded.push_back({w.word, w.code});
      if (w.familiarity > 0)
        info += w.word + "," + std::to_string(w.familiarity) + "," + (w.noun ? "n" : "-") +
                (w.picture > 0 ? "," + std::to_string(w.picture) : "") + (w.unsuitable ? ",u" : "") + "\n";
    }
    dir.Write("wordinfo.dat", info);
    test::LoadDictionary(dict, dir, coded);
    dict.LoadWordKnowledge();
  }
  test::TempDir dir;
  RDictionary dict;
};

// A phrase as the dictionary's entries, -1 for an uncovered mark.
using Entries = std::vector<int>;
Entries EntriesOf(const RDictionary& dict, const RRankedPhrase& r) {
  Entries out;
  for (const auto& w : r.words) out.push_back(w == kMark ? -1 : dict.FindWord(w));
  return out;
}

// Every cover of `digits` by the dictionary's words that may be suggested,
// or single-digit marks, with its uncovered digits and words.
struct Cover {
  Entries entries;
  int uncovered = 0;
  int words = 0;
};
std::vector<Cover> AllCovers(const RDictionary& dict, const std::string& digits) {
  std::vector<Cover> out;
  Cover c;
  std::function<void(std::size_t)> walk = [&](std::size_t p) {
    if (p == digits.size()) return out.push_back(c);
    c.entries.push_back(-1);
    ++c.uncovered;
    walk(p + 1);
    --c.uncovered;
    c.entries.pop_back();
    for (int i = 0; i < dict.Count(); ++i) {
      const RWordEntry& e = dict.EntryAt(i);
      if (e.code.empty() || dict.IsUnsuitableEntry(e) || digits.compare(p, e.code.size(), e.code) != 0) continue;
      c.entries.push_back(i);
      ++c.words;
      walk(p + e.code.size());
      --c.words;
      c.entries.pop_back();
    }
  };
  walk(0);
  return out;
}

// The header's weight of a phrase, the words offered above left out, given
// the fewest words.
using Weight = std::array<long long, 7>;
Weight WeightOf(const RDictionary& dict, const Cover& c, int fewest) {
  Weight w{};
  std::set<int> seen;
  for (int i : c.entries) {
    if (i < 0) continue;
    const RWordEntry& e = dict.EntryAt(i);
    w[0] += seen.insert(i).second ? 0 : 1;
    const int familiarity = dict.Familiarity(e);
    w[1] += dict.IsPicturableEntry(e) ? 0 : 1;
    w[3] += 2 * std::max(0, 45 - familiarity) + kFullPicture - dict.PictureDegree(e);
    w[4] += kFullPicture - dict.PictureDegree(e);
    w[5] += e.noun ? 0 : 1;
    w[6] += kMaxFamiliarity - familiarity;
  }
  w[2] = c.words - fewest;
  return w;
}

// The list as the header defines it: of the covers with the fewest uncovered
// digits and at most one word more than the fewest words, each time the
// lightest not listed yet, each word weighing one more for every phrase
// above that holds it.
std::vector<Entries> ExpectedList(const RDictionary& dict, const std::vector<Cover>& covers, std::size_t count) {
  int uncovered = 1 << 20, fewest = 1 << 20;
  for (const Cover& c : covers) uncovered = std::min(uncovered, c.uncovered);
  for (const Cover& c : covers)
    if (c.uncovered == uncovered) fewest = std::min(fewest, c.words);
  std::vector<const Cover*> candidates;
  std::vector<Weight> weights;
  for (const Cover& c : covers)
    if (c.uncovered == uncovered && c.words <= fewest + 1) {
      candidates.push_back(&c);
      weights.push_back(WeightOf(dict, c, fewest));
    }
  std::vector<int> offered(static_cast<std::size_t>(dict.Count()), 0);
  std::vector<bool> listed(candidates.size(), false);
  std::vector<Entries> out;
  while (out.size() < count) {
    std::optional<std::size_t> best;
    Weight bestWeight{};
    for (std::size_t k = 0; k < candidates.size(); ++k) {
      if (listed[k]) continue;
      Weight w = weights[k];
      for (int i : candidates[k]->entries) w[1] += i < 0 ? 0 : offered[static_cast<std::size_t>(i)];
      if (!best || std::tie(w, candidates[k]->entries) < std::tie(bestWeight, candidates[*best]->entries)) {
        best = k;
        bestWeight = w;
      }
    }
    if (!best) break;
    listed[*best] = true;
    out.push_back(candidates[*best]->entries);
    for (int i : std::set<int>(out.back().begin(), out.back().end()))
      if (i >= 0) ++offered[static_cast<std::size_t>(i)];
  }
  return out;
}

std::vector<KnownWord> RandomWords(std::mt19937& rng) {
  std::vector<KnownWord> words;
  const int n = std::uniform_int_distribution<int>(4, 14)(rng);
  const int familiarities[] = {0, 12, 30, 44, 45, 60};
  const int degrees[] = {0, 0, 30, 49, 50, 80, 100};
  for (int i = 0; i < n; ++i) {
    KnownWord w;
    w.word = std::string("w") + static_cast<char>('a' + i);
    // Mostly short codes, so that many phrases cover the same digits.
    const int length = rng() % 8 == 0 ? 0 : std::uniform_int_distribution<int>(1, 2)(rng) + (rng() % 4 == 0);
    for (int k = 0; k < length; ++k) w.code += static_cast<char>('0' + rng() % 3);
    w.familiarity = familiarities[rng() % 6];
    w.noun = rng() % 2 == 0;
    w.picture = degrees[rng() % 7];
    w.unsuitable = rng() % 8 == 0;
    words.push_back(w);
  }
  return words;
}

TEST_F(BestPhrases, AgreeWithAnExhaustiveSearchOnRandomDictionaries) {
  std::mt19937 rng(20261207);
  for (int round = 0; round < 300; ++round) {
    std::vector<KnownWord> words = RandomWords(rng);
    // Now and then more words of one code than a list of twenty uses up,
    // and a list long enough to need them all.
    const bool crowd = round % 10 == 9;
    for (int i = crowd ? 70 + static_cast<int>(rng() % 50) : 0; i > 0; --i)
      words.push_back({std::string("x") + static_cast<char>('a' + i / 26) + static_cast<char>('a' + i % 26), "0",
                       static_cast<int>(rng() % 60), rng() % 2 == 0, static_cast<int>(rng() % 101)});
    Load(words);
    // Digit 3 has no word, so some numbers cannot be covered whole.
    std::string digits(std::uniform_int_distribution<int>(1, crowd ? 2 : 8)(rng), '0');
    for (char& d : digits) d = static_cast<char>('0' + rng() % (round % 4 == 0 ? 4 : 3));
    const std::size_t count = 1 + rng() % (crowd ? 200 : 24);
    SCOPED_TRACE("round " + std::to_string(round) + " digits " + digits);

    const auto expected = ExpectedList(dict, AllCovers(dict, digits), count);
    const auto found = FindBestPhrases(dict, digits, count);
    std::vector<Entries> entries;
    for (const auto& r : found) {
      entries.push_back(EntriesOf(dict, r));
      EXPECT_EQ(r.complete, r.uncovered == 0);
      EXPECT_EQ(r.words.size(), static_cast<std::size_t>(r.wordCount + r.uncovered));
      EXPECT_EQ(r.picturable, std::count(r.pictured.begin(), r.pictured.end(), true));
    }
    EXPECT_EQ(entries, expected);

    // Fewer asked for: the same first ones.
    const std::size_t fewer = 1 + rng() % count;
    const auto shorter = FindBestPhrases(dict, digits, fewer);
    ASSERT_EQ(shorter.size(), std::min(fewer, found.size()));
    for (std::size_t i = 0; i < shorter.size(); ++i) EXPECT_EQ(shorter[i].phrase, found[i].phrase) << i;
  }
}

// A long number's rule, checked against a search over every cover: the
// phrase has the fewest uncovered digits and, of those, weighs least where
// each word weighs 2 and each word one cannot picture 3 more (so a word that
// cannot be pictured gives way to two pictures, never to three), and it
// uses no word twice. Every code here has so many words that no repeat is
// ever forced, so the phrase can always be as light as the best cover.
TEST_F(BestPhrases, LongNumbersTradeAWordThatCannotBePicturedForAtMostTwoPictures) {
  std::mt19937 rng(20261208);
  for (int round = 0; round < 12; ++round) {
    std::vector<KnownWord> words;
    std::map<std::string, bool> pictured;  // the codes that have words: whether they are pictures
    const auto addCode = [&](const std::string& code) {
      if (rng() % 4 == 0) return;  // no word at all
      const bool picture = rng() % 2 == 0;
      pictured[code] = picture;
      for (int k = 0; k < 50; ++k)
        words.push_back({"w" + code + "x" + std::to_string(k), code, 20 + static_cast<int>(rng() % 40), true,
                         picture ? 90 : 10});
    };
    for (char a = '0'; a <= '4'; ++a) {
      addCode(std::string(1, a));
      for (char b = '0'; b <= '4'; ++b) {
        if (rng() % 3 == 0) addCode(std::string{a, b});
        for (char c = '0'; c <= '4'; ++c)
          if (rng() % 6 == 0) addCode(std::string{a, b, c});
      }
    }
    for (auto& w : words)
      for (char& c : w.word) c = c >= '0' && c <= '9' ? static_cast<char>('a' + c - '0') : c;
    Load(words);
    std::string digits(std::uniform_int_distribution<int>(20, 200)(rng), '0');
    for (char& d : digits) d = static_cast<char>('0' + rng() % 5);
    SCOPED_TRACE("round " + std::to_string(round) + " digits " + digits);

    // The best cover's (uncovered digits, weight) from each position.
    std::vector<std::pair<int, int>> best(digits.size() + 1, {0, 0});
    for (std::size_t p = digits.size(); p-- > 0;) {
      best[p] = {best[p + 1].first + 1, best[p + 1].second};
      for (const auto& [code, picture] : pictured)
        if (digits.compare(p, code.size(), code) == 0) {
          const auto& after = best[p + code.size()];
          best[p] = std::min(best[p], {after.first, after.second + 2 + (picture ? 0 : 3)});
        }
    }
    const auto found = FindBestPhrases(dict, digits, 1);
    ASSERT_EQ(found.size(), 1u);
    std::set<std::string> seen;
    int weight = 0;
    for (const auto& w : found[0].words) {
      if (w == kMark) continue;
      EXPECT_TRUE(seen.insert(w).second) << w << " twice";
      weight += 2 + (pictured.at(dict.CodeAt(dict.FindWord(w))) ? 0 : 3);
    }
    EXPECT_EQ(std::make_pair(found[0].uncovered, weight), best[0]);
  }
}

TEST_F(BestPhrases, TakeAWordMoreForAPictureButNotForNothing) {
  Load({{"moderately", "31415", 40, false}, {"mother", "314", 57, true, 90}, {"madder", "314", 20, true, 90},
        {"hotel", "15", 50, true, 95},         {"towel", "15", 45, true, 95},  {"pen", "92", 50, true, 95},
        {"bone", "92", 46, true, 95}});
  const auto found = FindBestPhrases(dict, "3141592", 3);
  ASSERT_EQ(found.size(), 3u);
  // A word more buys a picture for "moderately"; "madder" is one too, but a
  // rare word where a familiar one does as well gains nothing.
  EXPECT_EQ(found[0].phrase, "mother hotel pen");
  // Below it, the words offered above weigh more: new pictures where there
  // are, and only then the words again.
  EXPECT_EQ(found[1].phrase, "madder towel bone");
  EXPECT_EQ(found[2].phrase, "moderately pen");
}

TEST_F(BestPhrases, FollowTheUsersWordsCodesAndMapping) {
  Load({{"tie", "1", 10, true}, {"knee", "2", 10, true}, {"tin", "12", 95, false}});
  EXPECT_EQ(FindBestPhrases(dict, "12", 1).at(0).phrase, "tin");

  dict.RemoveWord("tin");
  dict.BuildCodeIndex();
  EXPECT_EQ(FindBestPhrases(dict, "12", 1).at(0).phrase, "tie knee");

  // A word the user adds counts as common.
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
  // With a second word for 1 there are many ways, though every way takes
  // the same words again and again: the list still fills, each one new.
  Load({{"tie", "1", 10, true}, {"toe", "1", 10, true}, {"knee", "2", 10, true}});
  digits.erase(std::remove(digits.begin(), digits.end(), '9'), digits.end());
  const auto many = FindBestPhrases(dict, digits, 20);
  std::set<std::string> distinct;
  for (const auto& r : many) distinct.insert(r.phrase);
  EXPECT_EQ(distinct.size(), 20u);
}

TEST_F(BestPhrases, ReportProgressFromTheStartAndStopWhenTheCallerSays) {
  Load({{"tie", "1", 10, true}, {"knee", "2", 10, true}});
  const std::string digits(20000, '1');
  std::vector<std::size_t> done;
  std::size_t total = 0;
  const auto all = FindBestPhrases(dict, digits, 20, [&](std::size_t d, std::size_t t) {
    if (total == 0) total = t;
    EXPECT_EQ(t, total);
    done.push_back(d);
    return true;
  });
  EXPECT_EQ(all.size(), 1u);
  EXPECT_TRUE(!done.empty() && std::is_sorted(done.begin(), done.end()) && done.back() <= total);
  // Asked before any pass over the digits, so that a Cancel is heard at once
  // however long the number.
  EXPECT_EQ(done.front(), 0u);
  int calls = 0;
  EXPECT_TRUE(FindBestPhrases(dict, digits, 20, [&](std::size_t, std::size_t) { return ++calls < 1; }).empty());
  EXPECT_EQ(calls, 1);
}

// Of the phrase's words, how many the other phrase does not hold.
int Changed(const RRankedPhrase& phrase, const RRankedPhrase& other) {
  int changed = 0;
  for (const auto& w : phrase.words) changed += std::count(other.words.begin(), other.words.end(), w) == 0 ? 1 : 0;
  return changed;
}

TEST(BestPhrasesOnTheGeneratedDictionary, SpellTheDigitsWithSuitableWordsAndOfferARealChoice) {
  const char* data = std::getenv("TQ_DATA_DIR");
  ASSERT_NE(data, nullptr);
  const auto dict = CreateDictionary(data);
  ASSERT_NE(dict, nullptr);
  ASSERT_TRUE(dict->HasWordKnowledge());
  std::mt19937 rng(31415);
  int others = 0, changed = 0;
  for (int round = 0; round < 40; ++round) {
    std::string digits(std::uniform_int_distribution<int>(1, 30)(rng), '0');
    for (char& d : digits) d = static_cast<char>('0' + rng() % 10);
    SCOPED_TRACE(digits);
    const auto found = FindBestPhrases(*dict, digits, 20);
    ASSERT_FALSE(found.empty());
    for (const auto& r : found) {
      std::string spelled;
      for (const auto& w : r.words) {
        if (w == kMark) {
          spelled += digits[spelled.size()];
          continue;
        }
        const RWordEntry& e = dict->EntryAt(dict->FindWord(w));
        EXPECT_FALSE(dict->IsUnsuitableEntry(e)) << w;
        EXPECT_EQ(std::count(r.words.begin(), r.words.end(), w), 1) << r.phrase;
        spelled += e.code;
      }
      EXPECT_EQ(spelled, digits) << r.phrase;
      if (digits.size() <= kShortNumber) {
        EXPECT_LE(r.wordCount, found[0].wordCount + 1) << r.phrase;
      }
      if (digits.size() < 10 || &r == &found[0]) continue;
      ++others;
      changed += 2 * Changed(r, found[0]) >= static_cast<int>(r.words.size()) ? 1 : 0;
    }
  }
  // Of the phrases below the top one for ten digits or more, at least 60 %
  // change at least half of their words.
  EXPECT_GE(changed * 10, others * 6) << changed << " of " << others;
  // Of words of the same worth, the familiar one ("fish clam soap", not
  // "effigy clam soap"; "tape ships", not "tape shops"); and a long number
  // takes two pictures for a word one cannot picture ("metro hotel", not
  // "moderately", for the start of π).
  EXPECT_EQ(FindBestPhrases(*dict, "8675309", 1).at(0).words.front(), "fish");
  EXPECT_EQ(FindBestPhrases(*dict, "19690720", 1).at(0).words.at(1), "ships");
  const auto pi = FindBestPhrases(*dict, "314159265358979323846264338327950288", 1).at(0);
  EXPECT_NE(pi.words.front(), "moderately");
  EXPECT_EQ(pi.picturable, pi.wordCount) << pi.phrase;
}

}  // namespace
}  // namespace tq
