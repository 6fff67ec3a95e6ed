// Integration tests on the dictionary the build generates from the Debian
// word lists, loaded exactly as the program loads it at start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <string_view>

#include "ScriptedPlatform.h"
#include "RDictionary.h"

namespace tq {
namespace {

class GeneratedData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // No assertion here: a failure in the suite's set-up would only mark the
    // tests skipped. Each test asserts that the dictionary loaded instead.
    const char* dir = std::getenv("TQ_DATA_DIR");
    if (!dir) return;
    test::ScriptedPlatform platform;
    dictionary = CreateDictionary(dir).release();
    EXPECT_TRUE(platform.shown().empty());
  }
  static void TearDownTestSuite() {
    delete dictionary;
    dictionary = nullptr;
  }
  static std::string Code(const char* word) {
    const int p = dictionary->FindWord(word);
    return p < 0 ? "<missing>" : dictionary->CodeAt(p);
  }
  static RDictionary* dictionary;
};

RDictionary* GeneratedData::dictionary = nullptr;

TEST_F(GeneratedData, HoldsTheCommonWordsSorted) {
  ASSERT_NE(dictionary, nullptr);
  EXPECT_GT(dictionary->Count(), 38000);
  EXPECT_LT(dictionary->Count(), 39500);
  for (int i = 1; i < dictionary->Count(); ++i)
    ASSERT_LT(dictionary->WordAt(i - 1), dictionary->WordAt(i)) << i;
}

TEST_F(GeneratedData, CodesComeFromTheSounds) {
  ASSERT_NE(dictionary, nullptr);
  EXPECT_EQ(Code("tough"), "18");
  EXPECT_EQ(Code("apple"), "95");
  EXPECT_EQ(Code("tree"), "14");
  EXPECT_EQ(Code("church"), "646");
  EXPECT_EQ(Code("ring"), "427");
  EXPECT_EQ(Code("judge"), "66");
  EXPECT_EQ(Code("measure"), "364");
  EXPECT_EQ(Code("thing"), "127");
}

// The help's table of examples says what the program does: each row's words,
// coded one after the other, give the row's number.
TEST_F(GeneratedData, ThePhoneticHelpsExamplesAreTheProgramsCodes) {
  ASSERT_NE(dictionary, nullptr);
  std::ifstream file(TQ_HELP_DIR "phonetic.html", std::ios::binary);
  const std::string page{std::istreambuf_iterator<char>(file), {}};
  const std::size_t table = page.find("<h2>Examples</h2>");
  ASSERT_NE(table, std::string::npos);
  int rows = 0;
  const std::regex row("<tr><td>(.*?)</td><td>(.*?)</td></tr>");
  for (std::sregex_iterator it(page.begin() + table, page.end(), row), end; it != end; ++it, ++rows) {
    std::string spelled;
    std::istringstream words((*it)[1].str());
    for (std::string word; words >> word;) spelled += Code(word.c_str());
    EXPECT_EQ(spelled, (*it)[2].str()) << (*it)[1];
  }
  EXPECT_GE(rows, 7);
}

TEST_F(GeneratedData, ListsWordsForATelephoneNumber) {
  ASSERT_NE(dictionary, nullptr);
  std::vector<std::string> rows;
  const int n = dictionary->ListWordsForDigits("5551234", rows);
  ASSERT_GT(n, 0);
  EXPECT_EQ(rows.front(), "55");  // no word spells 555, so the longest group is 55
  std::string digits = "314159265358979323846264338327950";
  dictionary->TrimToKnownCode(digits);
  EXPECT_EQ(digits, "31415");
}

// The words the tips and the help pages give as examples, with the codes
// (or the first or last digit) they claim for them.
TEST_F(GeneratedData, HoldsTheExamplesOfTheTipsAndHelpWithTheirCodes) {
  ASSERT_NE(dictionary, nullptr);
  EXPECT_EQ(Code("gnome"), "23");  // from our own list: the lexicon lacks it
  EXPECT_EQ(Code("tough"), "18");
  EXPECT_EQ(Code("apple"), "95");
  EXPECT_EQ(Code("tree"), "14");
  EXPECT_EQ(Code("city").substr(0, 1), "0");
  EXPECT_EQ(Code("cat").substr(0, 1), "7");
  EXPECT_EQ(Code("zero").substr(0, 1), "0");
  EXPECT_EQ(Code("gem").substr(0, 1), "6");
  EXPECT_EQ(Code("four"), "84");
}

bool HasVowel(std::string_view w) {
  for (std::size_t i = 0; i < w.size(); ++i)
    if (std::string_view("aeiou").find(w[i]) != std::string_view::npos || (w[i] == 'y' && i > 0)) return true;
  return false;
}

// True when the stored pronunciation is the word's letters said by name.
bool SaidAsLetterNames(std::string_view word, std::string_view sounds) {
  static const std::map<char, std::string_view> kNames = {
      {'a', "e"},   {'b', "bi"},  {'c', "si"},  {'d', "di"},         {'e', "i"},  {'f', "Ef"},
      {'g', "d\xBFi"}, {'h', "et\x9F"}, {'i', "Y"}, {'j', "d\xBF" "e"}, {'k', "ke"}, {'l', "El"},
      {'m', "Em"},  {'n', "En"},  {'o', "o"},   {'p', "pi"},         {'q', "kju"}, {'r', "Ar"},
      {'s', "Es"},  {'t', "ti"},  {'u', "ju"},  {'v', "vi"},         {'x', "Eks"}, {'y', "wY"},
      {'z', "zi"}};
  std::string spelled;
  for (char c : word) {
    const auto it = kNames.find(c);
    if (it == kNames.end()) return false;
    spelled += it->second;
  }
  return spelled == sounds;
}

TEST_F(GeneratedData, HasNoStrayLettersLetterNamesOrAbbreviations) {
  ASSERT_NE(dictionary, nullptr);
  for (int i = 0; i < dictionary->Count(); ++i) {
    const RWordEntry& e = dictionary->EntryAt(i);
    EXPECT_TRUE(e.word.size() > 1 || e.word == "a" || e.word == "i") << e.word;
    EXPECT_TRUE(HasVowel(e.word)) << e.word;
    EXPECT_TRUE(e.word.size() == 1 || !SaidAsLetterNames(e.word, e.pronunciation)) << e.word;
  }
  for (const char* gone : {"ls", "ms", "vs", "yd", "oz", "b", "x", "mph", "etc"})
    EXPECT_EQ(dictionary->FindWord(gone), -1) << gone;
  for (const char* kept : {"a", "i", "by", "rhythm", "sky", "oak", "bee", "tea"})
    EXPECT_GE(dictionary->FindWord(kept), 0) << kept;
}

TEST_F(GeneratedData, KnowsCommonWordsAndNouns) {
  ASSERT_NE(dictionary, nullptr);
  ASSERT_TRUE(dictionary->HasWordKnowledge());
  const auto entry = [](const char* w) -> const RWordEntry& {
    const int p = dictionary->FindWord(w);
    EXPECT_GE(p, 0) << w;
    return dictionary->EntryAt(std::max(p, 0));
  };
  for (const char* noun : {"chicken", "radio", "apple", "tree", "table", "economy"}) {
    EXPECT_TRUE(entry(noun).noun) << noun;
    EXPECT_TRUE(dictionary->IsCommonEntry(entry(noun))) << noun;
  }
  for (const char* other : {"run", "quickly", "classic", "the"}) EXPECT_FALSE(entry(other).noun) << other;
  for (const char* rare : {"abeyance", "zygote"}) EXPECT_FALSE(dictionary->IsCommonEntry(entry(rare))) << rare;
  int common = 0;
  for (int i = 0; i < dictionary->Count(); ++i) common += dictionary->IsCommonEntry(dictionary->EntryAt(i)) ? 1 : 0;
  // Heard once in four million words or more: most everyday words, not the rare ones.
  EXPECT_GT(common, dictionary->Count() / 3);
  EXPECT_LT(common, dictionary->Count() * 9 / 10);
}

// Familiarity is graded: of two words that spell the same, the one people
// hear more is the more familiar, where the yes-or-no common mark could not
// tell them apart; a name's capital does not make its word familiar.
TEST_F(GeneratedData, KnowsTheFamiliarFromTheRare) {
  ASSERT_NE(dictionary, nullptr);
  const auto familiarity = [](const char* w) {
    const int p = dictionary->FindWord(w);
    EXPECT_GE(p, 0) << w;
    return p < 0 ? -1 : static_cast<int>(dictionary->Familiarity(dictionary->EntryAt(p)));
  };
  const std::pair<const char*, const char*> pairs[] = {
      {"fish", "effigy"}, {"host", "stub"}, {"pipe", "abbey"}, {"chips", "shops"}, {"cat", "kit"}, {"mug", "muff"}};
  for (const auto& [familiar, rare] : pairs) EXPECT_GT(familiarity(familiar), familiarity(rare)) << familiar;
  EXPECT_LT(familiarity("mike"), familiarity("mother"));  // "Mike" is mostly the name
  EXPECT_EQ(familiarity("haven"), 0) << "the subtitles' \"haven\" is mostly from \"haven't\"";
}

// Things are marked as picturable; abstract words, and words mostly read as
// verbs or adjectives, are not. Persons are pictures, but less than things.
TEST_F(GeneratedData, PicturesConcreteThingsOnly) {
  ASSERT_NE(dictionary, nullptr);
  const auto degree = [](const char* w) {
    const int p = dictionary->FindWord(w);
    EXPECT_GE(p, 0) << w;
    return p < 0 ? -1 : static_cast<int>(dictionary->PictureDegree(dictionary->EntryAt(p)));
  };
  for (const char* thing : {"knife", "match", "tiger", "mouth", "clams", "pie", "fire", "nail", "chain", "table",
                            "train", "drill", "wave", "relish", "sauce", "toes", "mouse", "lace", "cheese", "suit",
                            "sofa", "fog", "cob", "waif", "mother", "rose", "book", "heart"})
    EXPECT_GE(degree(thing), kPictureDegree) << thing;
  for (const char* other : {"envy", "image", "degree", "moderately", "someone", "come", "crazy", "quick", "fry",
                            "fake", "copy", "weave", "foe", "friend", "does", "alas", "ways", "gig", "air", "horror"})
    EXPECT_LT(degree(other), kPictureDegree) << other;
  EXPECT_LT(degree("mother"), degree("sofa"));
  EXPECT_EQ(degree("knives"), degree("knife"));
  // The kind of picture, a plural's that of its singular.
  const auto kind = [](const char* w) {
    const int p = dictionary->FindWord(w);
    if (p < 0) return std::string("missing");
    const RWordEntry& e = dictionary->EntryAt(p);
    return std::string(1, dictionary->PictureCategory(e)) + (dictionary->IsPluralEntry(e) ? " plural" : "");
  };
  const std::pair<const char*, const char*> kinds[] = {
      {"knife", "o"}, {"stone", "o"}, {"tiger", "a"}, {"apple", "f"}, {"nose", "b"},         {"rose", "p"},
      {"mom", "h"},   {"fire", "s"},  {"sand", "s"},  {"knives", "o plural"}, {"teeth", "b plural"}, {"tooth", "b"},
      // Food heard of in the singular has no shape of its own; places and
      // backdrops are no things to hold.
      {"rice", "s"},  {"cheese", "s"}, {"sky", "l"}, {"road", "l"}, {"valley", "l"}, {"room", "l"}};
  for (const auto& [word, expected] : kinds) EXPECT_EQ(kind(word), expected) << word;
  int picturable = 0;
  for (int i = 0; i < dictionary->Count(); ++i)
    picturable += dictionary->IsPicturableEntry(dictionary->EntryAt(i)) ? 1 : 0;
  EXPECT_GT(picturable, dictionary->Count() / 5);
  EXPECT_LT(picturable, dictionary->Count() / 3);
}

TEST_F(GeneratedData, MarksUnsuitableWordsAndTheirFormsOnly) {
  ASSERT_NE(dictionary, nullptr);
  const auto unsuitable = [](const char* w) {
    const int p = dictionary->FindWord(w);
    return std::string(p < 0 ? "missing" : dictionary->IsUnsuitableEntry(dictionary->EntryAt(p)) ? "yes" : "no");
  };
  for (const char* bad : {"rape", "raped", "cocaine", "heroin", "vagina", "crap", "schmuck", "pimp", "pimps",
                          "homophobia", "nigger", "shit", "ass", "hussy", "gook", "shag", "condom", "sperm", "feces",
                          "fetus", "mucus", "leeches"})
    EXPECT_EQ(unsuitable(bad), "yes") << bad;
  for (const char* fine : {"heroine", "breast", "taco", "craps", "spikes", "boy", "suit", "grape", "drape", "rapeseed",
                           "donkey", "hashish"})
    EXPECT_NE(unsuitable(fine), "yes") << fine;
  int marked = 0;
  for (int i = 0; i < dictionary->Count(); ++i) marked += dictionary->IsUnsuitableEntry(dictionary->EntryAt(i)) ? 1 : 0;
  EXPECT_LT(marked, 400) << "a few hundred words at most";
}

}  // namespace
}  // namespace tq
