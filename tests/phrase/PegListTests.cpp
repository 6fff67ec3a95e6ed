// Peg lists: every number once, in order, spelled by its own words; no word
// twice and none unsuitable; a picturable word wherever there is one, the
// one a memory trainer would pick.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <tuple>

#include "PegList.h"
#include "PhraseFixture.h"
#include "RWorksheet.h"

namespace tq {
namespace {

// The fields of the peg order that tell the words of the test below apart
// (all begin with the same sound): in a list of three digits, not the
// plural of the two-digit peg; a singular before a plural; then the fewest
// points, then the kind of picture.
std::tuple<bool, bool, int, std::size_t> FirstFields(const RDictionary& dict, const std::string& word,
                                                     const std::vector<RPeg>& two) {
  const int p = dict.FindWord(word);
  const std::string& code = dict.CodeAt(p);
  const bool pluralOfPeg = !two.empty() && code.size() == 3 && two[std::stoul(code.substr(0, 2))].words.size() == 1 &&
                           SingularOf(dict, p) == two[std::stoul(code.substr(0, 2))].words[0];
  return {pluralOfPeg, IsPluralWord(dict, p), PegPenalty(dict, p),
          kPictureCategories.find(dict.PictureCategory(dict.EntryAt(p)))};
}

TEST(PegList, EveryNumberOnceSpelledByItsOwnWords) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 40; ++round) {
    // Now and then the one-digit pegs for a digit left at a number's end.
    const int digits = round % 4 == 3 ? 3 : round % 8 == 2 ? 1 : 2;
    SCOPED_TRACE(round);
    test::TempDir dir;
    std::vector<test::CodedWord> coded;
    std::string info;
    std::map<std::string, std::vector<std::string>> picturable;  // by code
    std::set<std::string> unsuitable;
    // Few words for many numbers, so that pegs compete for the short words;
    // some are the plurals of others.
    const int count = std::uniform_int_distribution<int>(5, 60)(random);
    for (int i = 0; i < count; ++i) {
      std::string word = "w" + std::to_string(i);
      std::string code(std::uniform_int_distribution<int>(1, digits)(random), '0');
      for (char& c : code) c = static_cast<char>('0' + random() % 4);
      if (i > 0 && coded.back().code.size() < static_cast<std::size_t>(digits) && random() % 4 == 0) {
        word = coded.back().word + "s";
        code = coded.back().code + "0";
      }
      const int level = random() % 3 == 0 ? 0 : std::uniform_int_distribution<int>(10, 80)(random);
      const int degree = level > 0 && random() % 2 == 0 ? std::uniform_int_distribution<int>(50, 100)(random) : 0;
      const bool bad = level > 0 && random() % 8 == 0;
      // A picture's kind, now and then a plural's (a capital letter).
      char kind = kPictureCategories[random() % kPictureCategories.size()];
      if (random() % 4 == 0) kind = static_cast<char>(kind - 'a' + 'A');
      coded.push_back({word, code});
      if (level > 0)
        info += word + "," + std::to_string(level) + ",n" + (degree > 0 ? "," + std::to_string(degree) + "," + kind : "") +
                (bad ? ",u" : "") + "\n";
      if (bad) unsuitable.insert(word);
      else if (degree > 0) picturable[code].push_back(word);
    }
    dir.Write("wordinfo.dat", info);
    RDictionary dict;
    test::LoadDictionary(dict, dir, coded);
    dict.LoadWordKnowledge();

    const auto pegs = MakePegList(dict, digits);
    ASSERT_EQ(pegs.size(), digits == 1 ? 10u : digits == 2 ? 100u : 1000u);
    const std::vector<RPeg> two = digits == 3 ? MakePegList(dict, 2) : std::vector<RPeg>();
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
        EXPECT_EQ(unsuitable.count(w), 0u) << w;
      }
      EXPECT_EQ(spelled, peg.number) << peg.Phrase();
      // The candidates for the number are every suitable word of its code,
      // in the list's order: a peg of one picture is the first of them.
      const std::vector<int> candidates = PegCandidates(dict, peg.number, digits == 3 ? &two : nullptr);
      for (int c : candidates) {
        EXPECT_EQ(dict.CodeAt(c), peg.number);
        EXPECT_EQ(unsuitable.count(dict.WordAt(c)), 0u);
      }
      const auto it = picturable.find(peg.number);
      if (digits == 3 && it != picturable.end() && peg.words.size() == 2) {
        // A round number whose picture would only be the plural of the
        // two-digit peg takes two pictures instead.
        const auto& shorter = two[n / 10].words;
        ASSERT_TRUE(peg.number.back() == '0' && shorter.size() == 1) << peg.Phrase();
        EXPECT_TRUE(std::any_of(it->second.begin(), it->second.end(), [&](const std::string& w) {
          return SingularOf(dict, dict.FindWord(w)) == shorter[0];
        })) << peg.Phrase();
        for (const std::string& w : peg.words) EXPECT_TRUE(dict.IsPicturableEntry(dict.EntryAt(dict.FindWord(w)))) << w;
        continue;
      }
      EXPECT_GE(candidates.size(), it == picturable.end() ? 0u : it->second.size()) << peg.number;
      if (peg.picturable) {
        ASSERT_FALSE(candidates.empty()) << peg.number;
        EXPECT_EQ(peg.words, std::vector<std::string>{dict.WordAt(candidates.front())});
      }
      EXPECT_EQ(peg.picturable, it != picturable.end()) << peg.number;
      if (it == picturable.end()) continue;
      ASSERT_EQ(peg.words.size(), 1u) << peg.number;
      for (const std::string& other : it->second)
        EXPECT_LE(FirstFields(dict, peg.words[0], two), FirstFields(dict, other, two)) << peg.number << ": " << other;
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

TEST(PegList, PickWhatAMemoryTrainerWould) {
  test::TempDir dir;
  RDictionary dict;
  test::LoadDictionary(dict, dir,
                       {{"house", "0"},  {"houses", "00"}, {"sauce", "00"}, {"host", "01"},  {"suit", "01"},  {"hides", "10"},
                        {"hide", "1"},    {"toes", "10"},  {"toe", "1"},    {"fry", "84"},   {"fire", "84"},
                        {"rape", "49"},   {"door", "14"},  {"doors", "140"}, {"tire", "14"}, {"tires", "140"},
                        {"teeth", "11"},  {"tot", "11"},   {"knot", "21"},  {"nut", "21"},   {"kid", "71"},
                        {"cat", "71"},    {"kit", "71"}});
  dir.Write("wordinfo.dat",
            "door,10,n,p\ndoors,10,n,p\nfire,10,n,99\nfry,10,n,30\nhide,35,n,60\nhides,35,n,60\n"
            "cat,20,n,95,a\nhost,10,n,70\nhouses,20,n,p\nkid,20,n,95,h\nkit,20,n,95,o\nknot,35,n,96,o\n"
            "nut,20,n,90,p\nrape,20,n,80,u\n"
            "sauce,20,n,92\nsuit,10,n,99\nteeth,10,n,89,B\ntire,20,n,p\ntires,20,n,p\ntoe,20,n,90\n"
            "toes,20,n,90\ntot,35,n,60,h\n");
  dict.LoadWordKnowledge();
  const auto two = MakePegList(dict, 2);
  const auto peg = [&two](int n) { return two[static_cast<std::size_t>(n)].Phrase(); };
  EXPECT_EQ(peg(0), "sauce");  // not the plural
  EXPECT_EQ(peg(1), "suit");   // the better picture: a thing before a person
  EXPECT_EQ(peg(10), "toes");  // both plurals; the common one that begins with its digit
  EXPECT_EQ(peg(84), "fire");  // "fry" is mostly a verb: no picture
  EXPECT_EQ(peg(14), "door");
  EXPECT_EQ(peg(11), "tot");   // "teeth" is a plural, though not of a word with an s
  EXPECT_EQ(peg(21), "nut");   // the more familiar word first, though a plant and a knot a thing
  EXPECT_EQ(peg(71), "kit");   // as familiar: an object before an animal or a person
  EXPECT_EQ(two[49].words, (std::vector<std::string>{".", "."})) << "never an unsuitable word";
  EXPECT_EQ(peg(49), "\xB7 \xB7");  // an uncovered digit shows as the mark
  EXPECT_EQ(SingularOf(dict, dict.FindWord("toes")), "toe");
  EXPECT_EQ(SingularOf(dict, dict.FindWord("sauce")), "");
  // In a list of three digits, 140 is not just the plural of 14's peg.
  EXPECT_EQ(MakePegList(dict, 3)[140].Phrase(), "tires");
}

// On the real dictionary: the figures a memory trainer's list meets, and
// where pegs compete for the few short words of some digits, every digit is
// still covered by a word.
TEST(PegListOnTheGeneratedDictionary, PicturesSingularsAndEveryDigitCovered) {
  const char* data = std::getenv("TQ_DATA_DIR");
  ASSERT_NE(data, nullptr);
  const auto dict = CreateDictionary(data);
  ASSERT_NE(dict, nullptr);
  const auto two = MakePegList(*dict, 2);
  const auto three = MakePegList(*dict, 3);
  int plurals = 0, pictured = 0, couldBe = 0;
  for (const auto* list : {&two, &three}) {
    for (const RPeg& peg : *list) {
      EXPECT_EQ(std::count(peg.words.begin(), peg.words.end(), "."), 0) << peg.Phrase();
      const bool single = peg.words.size() == 1;
      if (list == &two) plurals += single && IsPluralWord(*dict, dict->FindWord(peg.words[0])) ? 1 : 0;
      // A picture wherever the number has one of its own.
      int pictures = 0;
      for (std::size_t i : dict->BucketEntries(static_cast<int>(peg.number.size()))) {
        const RWordEntry& e = dict->EntryAt(static_cast<int>(i));
        pictures += e.code == peg.number && dict->IsPicturableEntry(e) && !dict->IsUnsuitableEntry(e) ? 1 : 0;
      }
      couldBe += pictures > 0 ? 1 : 0;
      pictured += pictures > 0 && peg.picturable ? 1 : 0;
    }
  }
  EXPECT_LE(plurals, 2);
  EXPECT_EQ(two[66].Phrase(), "judge") << "a soft drug may be suggested, but it is no peg to keep";
  EXPECT_GE(pictured * 100, couldBe * 95) << pictured << " of " << couldBe;
  // What a trainer would keep: a thing to hold or touch before a backdrop,
  // a substance or a person, the familiar before the rare.
  const std::map<int, std::pair<const char*, const char*>> kept = {
      {7, {"sock", "sky"}},  {37, {"mug", "mike"}},   {40, {"rose", "rice"}}, {52, {"lion", "lane"}},
      {53, {"lamb", "limb"}}, {94, {"bear", "bar"}},  {15, {"towel", "dial"}}, {33, {"mummy", "mom"}}};
  for (const auto& [n, words] : kept) EXPECT_EQ(two[static_cast<std::size_t>(n)].Phrase(), words.first) << words.second;
  EXPECT_NE(two[34].Phrase(), "mire");
  // A round number is never only the plural of the two-digit peg while a
  // pair of pictures is to be had (000 once was "sauces").
  for (int n = 0; n < 1000; n += 10) {
    const auto& shorter = two[static_cast<std::size_t>(n / 10)].words;
    const auto& words = three[static_cast<std::size_t>(n)].words;
    EXPECT_FALSE(words.size() == 1 && shorter.size() == 1 && SingularOf(*dict, dict->FindWord(words[0])) == shorter[0])
        << three[static_cast<std::size_t>(n)].Phrase();
  }
}

}  // namespace
}  // namespace tq
