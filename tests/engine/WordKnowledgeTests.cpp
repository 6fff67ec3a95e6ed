// wordinfo.dat: how familiar each word is, whether it is mostly a noun, how
// well it can be pictured and whether it is unsuitable to suggest.
// The reader takes what it can from a damaged file and never more than the
// dictionary holds; a missing file only means nothing is known.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <tuple>

#include "EngineFixture.h"

namespace tq::test {
namespace {

class WordKnowledgeTest : public EngineTest {
 protected:
  void LoadWith(const std::string& info) {
    dir.Write("wordinfo.dat", info);
    Load("apple,@pVl\nbat,b@t\ntea,ti\ntree,tri\n");
    EXPECT_EQ(dict.LoadWordKnowledge(), 0);
  }
  const RWordEntry& Entry(const char* word) const { return dict.EntryAt(dict.FindWord(word)); }
  bool Common(const char* word) const { return dict.IsCommonEntry(Entry(word)); }
};

TEST_F(WordKnowledgeTest, TakesTheGoodLinesOfADamagedFileAndSkipsTheRest) {
  LoadWith(
      "tree,95,-\n"         // out of order: still found
      "apple,10,n\r\n"      // a line end from another system
      "apple,95,-\n"        // a second line for a word: the first one holds
      "bat,0,n\n"           // no size 0
      "bat,100,n\n"         // nor three digits
      "bat,1x,n\n"
      "bat,35,noun\n"       // kinds are n or -
      "bat,35\n"
      ",35,n\n"
      "zebra,10,n\n"        // not in the dictionary
      "tea,-,n");           // in no list, no line end
  EXPECT_TRUE(dict.HasWordKnowledge());
  EXPECT_EQ(Entry("apple").familiarity, FamiliarityOfListSize(10));
  EXPECT_TRUE(Entry("apple").noun);
  EXPECT_EQ(Entry("tree").familiarity, FamiliarityOfListSize(95));
  EXPECT_GT(Entry("apple").familiarity, Entry("tree").familiarity);
  EXPECT_FALSE(Entry("tree").noun);
  EXPECT_EQ(Entry("bat").familiarity, 0);
  EXPECT_FALSE(Entry("bat").noun);
  EXPECT_EQ(Entry("tea").familiarity, 0);
  EXPECT_TRUE(Entry("tea").noun);
  EXPECT_TRUE(Common("apple"));
  EXPECT_FALSE(Common("tree"));
  EXPECT_FALSE(Common("bat"));
  EXPECT_TRUE(platform.shown().empty()) << "a damaged wordinfo.dat is not worth a message";
}

TEST_F(WordKnowledgeTest, TheUsersWordsAreCommonAndKnowledgeOutlivesAReload) {
  LoadWith("apple,10,n\nbat,80,n\ntea,20,-\ntree,10,n\n");
  ASSERT_GE(dict.AddWord("zebu"), 0);
  EXPECT_EQ(Entry("zebu").familiarity, kOwnFamiliarity);
  EXPECT_TRUE(Common("zebu"));
  // A word taken out and put back is the user's choice now.
  dict.RemoveWord("bat");
  ASSERT_GE(dict.AddWord("bat"), 0);
  EXPECT_TRUE(Common("bat"));
  // Loading the words again (as the dictionary dialog's restore does)
  // applies the knowledge again, the user's words still common.
  dict.LoadWords();
  EXPECT_TRUE(Common("zebu"));
  EXPECT_TRUE(Common("bat"));
  EXPECT_TRUE(Common("tea"));
  EXPECT_TRUE(Entry("tree").noun);
}

// The file is read in one walk when it is in word order, as the generator
// writes it; runs out of order, gaps and repeats must find the same words.
TEST_F(WordKnowledgeTest, AnyOrderOfLinesGivesEachWordItsFirstLine) {
  std::mt19937 random(7);
  std::string words;
  std::vector<std::string> names;
  for (int i = 0; i < 400; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "w%04d", i * 3);
    names.emplace_back(name);
    words += names.back() + ",tu\n";
  }
  for (int round = 0; round < 30; ++round) {
    std::vector<std::string> lines;
    std::map<std::string, int> first;
    for (int i = 0; i < 600; ++i) {
      // Words of the store and words between them, now sorted, now shuffled.
      char name[8];
      std::snprintf(name, sizeof name, "w%04d", static_cast<int>(random() % 1300));
      const int familiarity = 1 + static_cast<int>(random() % 99);
      lines.push_back(std::string(name) + "," + std::to_string(familiarity) + ",-");
    }
    if (round % 3 == 0) std::sort(lines.begin(), lines.end());
    if (round % 3 == 1) std::sort(lines.begin(), lines.end(), std::greater<>());
    std::string info = "#wordinfo 2\n";
    for (const auto& line : lines) {
      info += line + "\n";
      const std::string word = line.substr(0, line.find(','));
      first.emplace(word, std::stoi(line.substr(line.find(',') + 1)));
    }
    dir.Write("wordinfo.dat", info);
    Load(words);
    ASSERT_EQ(dict.LoadWordKnowledge(), 0);
    for (const auto& name : names) {
      const auto it = first.find(name);
      ASSERT_EQ(Entry(name.c_str()).familiarity, it == first.end() ? 0 : it->second) << name << " round " << round;
    }
  }
}

// The reader finds the fields from the end of a line, where "p" may be a
// degree or a category, yet every line, old (",p") or new (a degree, its
// category and ",u"), reads as splitting it at its commas says; a word with
// a comma (the user's words may hold one) has no line.
TEST_F(WordKnowledgeTest, ReadsEachLineAsSplittingItAtItsCommasSays) {
  struct Told {
    unsigned char familiarity = 0, picture = 0;
    char category = 0;
    bool noun = false, plural = false, unsuitable = false;
  };
  const auto number = [](const std::string& f, std::size_t digits, int low, int high, int& value) {
    if (f.empty() || f.size() > digits || !std::all_of(f.begin(), f.end(), ::isdigit)) return false;
    value = std::stoi(f);
    return value >= low && value <= high;
  };
  bool sizes = true;  // the earlier form: the second field is a list size
  const auto fieldsOf = [&](std::string line, Told& told) {
    for (int i = 0; i < 2 && !line.empty() && line.back() == '\r'; ++i) line.pop_back();
    std::vector<std::string> fields(1);
    for (char c : line) {
      if (c == ',')
        fields.emplace_back();
      else
        fields.back().push_back(c);
    }
    told.unsuitable = fields.size() >= 4 && fields.back() == "u";
    if (told.unsuitable) fields.pop_back();
    int level = 0, degree = 0;
    const std::string& l = fields.size() > 1 ? fields[1] : fields[0];
    const bool levelOk = l == "-" || number(l, 2, 1, 99, level);
    const bool pictureOk = fields.size() == 3 || fields[3] == "p" || number(fields[3], 3, 0, 100, degree);
    const std::string category = fields.size() == 5 ? fields[4] : "";
    const char letter = static_cast<char>(std::tolower(category.empty() ? 0 : category[0]));
    const bool categoryOk = fields.size() < 5 || (category.size() == 1 && letter && kPictureCategories.find(letter) != std::string_view::npos);
    if (fields.size() < 3 || fields.size() > 5 || fields[0].empty() || !levelOk || !pictureOk || !categoryOk ||
        (fields[2] != "n" && fields[2] != "-"))
      return std::string();
    told.familiarity = l == "-" ? 0 : sizes ? FamiliarityOfListSize(level) : static_cast<unsigned char>(level);
    told.noun = fields[2] == "n";
    told.picture = fields.size() == 3 ? 0 : fields[3] == "p" ? kFullPicture : static_cast<unsigned char>(degree);
    told.category = fields.size() == 5 ? letter : 0;
    told.plural = fields.size() == 5 && category[0] != letter;
    return fields[0];
  };
  std::mt19937 random(18);
  const auto pick = [&](std::vector<std::string> pieces) { return pieces[random() % pieces.size()]; };
  for (int round = 0; round < 150; ++round) {
    sizes = round % 2 == 0;
    std::string info = sizes ? "" : "#wordinfo 2\n";
    std::map<std::string, Told> first;
    for (int i = 0; i < 16; ++i) {
      const std::string line = pick({"a", "b", "ab", "a,b", "a,1", ""}) + "," +
                               pick({"1", "10", "0", "100", "-", "", "n"}) + "," + pick({"n", "-", "p", "", "nn", "u"}) +
                               pick({"", "", ",p", ",x", ",p,p", ",", ",55", ",100", ",101", ",007", ",-1", ",u", ""}) +
                               pick({"", "", ",o", ",H", ",p", ",oo", ",x", ",", ",U"}) +
                               pick({"", "", ",u", ",u,u", "u", ",p"}) + pick({"", "", "\r", "\r\r", "\r\r\r"});
      info += line + "\n";
      Told told;
      const std::string word = fieldsOf(line, told);
      if (!word.empty()) first.emplace(word, told);
    }
    dir.Write("wordinfo.dat", info);
    Load("a,x\nab,x\nb,x\n", kShippedMapping, "#ADD\na,b\na,1\n#REMOVE\n#EDIT\n");
    ASSERT_EQ(dict.LoadWordKnowledge(), 0);
    for (int i = 0; i < dict.Count(); ++i) {
      const RWordEntry& e = dict.EntryAt(i);
      const auto it = first.find(e.word);
      const Told told = it == first.end() ? Told{} : it->second;
      SCOPED_TRACE(info + " word " + e.word);
      EXPECT_EQ(e.noun, told.noun);
      EXPECT_EQ(e.picture, told.picture);
      EXPECT_EQ(dict.PictureCategory(e), told.category);
      EXPECT_EQ(dict.IsPluralEntry(e), told.plural);
      EXPECT_EQ(dict.IsUnsuitableEntry(e), told.unsuitable);
      if (e.hasPronunciation && it != first.end()) {
        EXPECT_EQ(e.familiarity, told.familiarity);
      }
    }
  }
}

TEST_F(WordKnowledgeTest, AMissingOrEmptyFileMeansNothingIsKnown) {
  LoadWith("apple,10,n\n");
  dir.Write("wordinfo.dat", "");
  EXPECT_EQ(dict.LoadWordKnowledge(), 0);
  EXPECT_FALSE(dict.HasWordKnowledge());
  std::remove(dir.File("wordinfo.dat").c_str());
  EXPECT_EQ(dict.LoadWordKnowledge(), -1);
  EXPECT_FALSE(dict.HasWordKnowledge());
  for (int i = 0; i < dict.Count(); ++i) {
    EXPECT_EQ(dict.Familiarity(dict.EntryAt(i)), 0);
    EXPECT_FALSE(dict.EntryAt(i).noun);
    EXPECT_FALSE(dict.IsCommonEntry(dict.EntryAt(i)));
  }
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(WordKnowledgeTest, StartUpLoadsItAndGoesOnWithoutIt) {
  dir.Write("words.dat", "apple,@pVl\ntree,tri\n");
  dir.Write("mapping.txt", kShippedMapping);
  auto without = CreateDictionary(dir.path());
  ASSERT_NE(without, nullptr);
  EXPECT_FALSE(without->HasWordKnowledge());
  dir.Write("wordinfo.dat", "apple,10,n\n");
  auto with = CreateDictionary(dir.path());
  ASSERT_NE(with, nullptr);
  EXPECT_TRUE(with->HasWordKnowledge());
  EXPECT_TRUE(with->EntryAt(with->FindWord("apple")).noun);
}

}  // namespace
}  // namespace tq::test
