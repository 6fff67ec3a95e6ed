// MakeWords' rules on a few lines of made-up lexicon, WordNet data and lists.
#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "WordSources.h"

namespace tq::words {
namespace {

TEST(TaggedLexicon, ReadsEachTagOnce) {
  std::string_view word;
  std::vector<TagScore> tags;
  const std::string shot = "(\"shot\" ((nn -8.802) (vbd -7.583) (vbn -8.757) ) () )";
  ASSERT_TRUE(ParseTaggedEntry(shot, word, tags));
  EXPECT_EQ(word, "shot");
  ASSERT_EQ(tags.size(), 3u);
  EXPECT_EQ(tags[0].tag, "nn");
  EXPECT_DOUBLE_EQ(tags[0].logP, -8.802);
  // A noun by just over half: its first tag read twice would tip it out.
  const auto lexicon = ReadTaggedLexicon(shot + "\n(\"crazy\" ((jj -8.669) (nnp -10.709) ) () )\n");
  EXPECT_TRUE(lexicon.nouns.count("shot"));
  // A name is no use of the word: crazy is a noun only as "Crazy Eddie".
  EXPECT_DOUBLE_EQ(lexicon.counts.at("crazy").noun, 0.0);
  EXPECT_GT(lexicon.counts.at("crazy").all, 0.0);
  EXPECT_FALSE(ParseTaggedEntry("(\"cut\" ((nn -8.8) (vb oops) ) () )", word, tags));
}

TEST(OurLists, TakeTheirLinesAndNameTheFirstBadOne) {
  PictureList pictures;
  std::string bad;
  ASSERT_TRUE(ParsePictureList("# comment\n\nwave%1:11:01:: 100 seen\r\nweave 30 verb  # a note\n", pictures, bad));
  EXPECT_EQ(pictures.senses.at("wave%1:11:01::"), 100);
  EXPECT_EQ(pictures.words.at("weave"), 30);
  EXPECT_EQ(pictures.categories.count("weave"), 0u);  // "verb" names no kind of picture
  ASSERT_TRUE(ParsePictureList("relish 80 food\n", pictures, bad));
  EXPECT_EQ(pictures.categories.at("relish"), 'f');
  for (const char* line : {"weave 101 verb", "weave verb", "Weave 30 verb", "weave 30"})
    EXPECT_FALSE(ParsePictureList(line, pictures, bad)) << line;
  std::unordered_map<std::string, std::string> unsuitable;
  ASSERT_TRUE(ParseUnsuitableList("rape sexual\ncraps fine\n", unsuitable, bad));
  EXPECT_EQ(unsuitable.at("craps"), "fine");
  EXPECT_FALSE(ParseUnsuitableList("rape\nheroin drug\n", unsuitable, bad));
  EXPECT_EQ(bad, "rape");
  EXPECT_FALSE(ParseUnsuitableList("heroin medicine\n", unsuitable, bad));
}

// A WordNet folder of a few synsets, and the tagged uses of their senses.
class WordNetFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("data.noun",
              "  1 This is a licence line that starts with blanks.\n"
              "00000001 06 n 01 knife 0 000 | an edge tool\n"
              "00000002 14 n 01 table 0 000 | a set of data\n"
              "00000003 06 n 01 table 1 000 | a piece of furniture\n"
              "00000004 09 n 01 image 0 000 | a mental picture\n"
              "00000005 06 n 01 image 1 000 | a picture\n"
              "00000006 06 n 01 scissors 0 000 | an edge tool\n"
              "00000007 04 n 01 scissors 1 000 | a wrestling hold\n"
              "00000008 04 n 01 scissors 2 000 | an exercise\n"
              "00000009 08 n 01 come 0 000 | a body fluid\n"
              "00000010 17 n 02 Jordan 0 jordan_river 0 000 | a river\n"
              "00000011 06 n 01 match 0 000 | a lighter\n"
              "00000012 05 n 01 clam 0 000 | a mollusc\n"
              "00000013 21 n 01 clams 0 000 | dollars\n"
              "00000014 06 n 01 drill 0 000 | a tool\n"
              "00000015 11 n 01 wave 0 001 @ 00000016 n 0000 | a ridge of water\n"
              "00000016 11 n 01 movement 0 000 | a natural event\n"
              "00000017 18 n 01 waif 0 000 | a homeless child\n"
              "00000018 18 n 01 foe 0 001 @ 00000019 n 0000 | an enemy\n"
              "00000019 18 n 01 adversary 0 000 | someone who opposes\n"
              "00000020 10 n 01 vulgarism 0 000 | a dirty word\n"
              "00000021 13 n 01 crap 0 001 ;u 00000020 n 0000 | obscene terms for feces\n"
              "00000022 14 n 01 crap 1 000 | a game\n"
              "00000023 18 n 01 taco 0 001 ;u 00000020 n 0000 | a slur\n"
              "00000024 13 n 01 taco 1 000 | a food\n"
              "00000025 14 n 01 craps 0 000 | a dice game\n"
              "00000026 05 n 01 mouse 0 000 | a rodent\n"
              "00000027 06 n 01 mouse 1 000 | a pointing device\n"
              "00000028 17 n 01 stone 0 000 | a natural object\n");
    dir.Write("data.verb",
              "00000001 38 v 01 come 0 000 00 | move toward\n"
              "00000002 35 v 01 drill 0 000 00 | make a hole\n"
              "00000003 29 v 01 crap 0 000 00 | defecate\n");
    dir.Write("data.adj", "");
    dir.Write("data.adv", "");
    dir.Write("cntlist.rev",
              "table%1:14:00:: 1 52\ntable%1:06:01:: 2 30\nimage%1:09:00:: 1 31\nimage%1:06:01:: 2 8\n"
              "come%2:38:00:: 1 814\nclams%1:21:00:: 1 9\nwave%1:11:00:: 1 40\nfoe%1:18:00:: 1 12\n"
              "crap%1:13:00:: 1 3\nmouse%1:05:00:: 1 10\nmouse%1:06:01:: 2 2\n");
    dir.Write("noun.exc", "knives knife\n");
    dir.Write("verb.exc", "");
    std::string error;
    ASSERT_TRUE(wordNet.Load(dir.path(), error)) << error;
  }
  void List(const char* text) {
    PictureList list;
    std::string bad;
    ASSERT_TRUE(ParsePictureList(text, list, bad)) << bad;
    wordNet.SetPictureList(list);
  }
  test::TempDir dir;
  WordNet wordNet;
};

TEST_F(WordNetFolder, PicturesNounsWhoseConcreteSensesCarryThem) {
  EXPECT_EQ(wordNet.PictureDegree("knife", nullptr), 100);
  EXPECT_GE(wordNet.PictureDegree("table", nullptr), 50);  // furniture in 30 of 82 uses
  EXPECT_LT(wordNet.PictureDegree("table", nullptr), 100);
  EXPECT_LT(wordNet.PictureDegree("image", nullptr), 50);     // a picture in 8 of 39
  EXPECT_GE(wordNet.PictureDegree("scissors", nullptr), 50);  // untagged, a tool in one sense of three
  EXPECT_EQ(wordNet.PictureDegree("jordan", nullptr), 0);     // a name only
  EXPECT_EQ(wordNet.PictureDegree("spoon", nullptr), 0);      // not in WordNet
  // A person is a picture, but less of one than a thing.
  EXPECT_EQ(wordNet.PictureDegree("waif", nullptr), 60);
  // The kind is that of the sense that carries the picture; a natural object
  // is an object like a thing made.
  EXPECT_EQ(wordNet.PictureOf("waif", nullptr).category, 'h');
  EXPECT_EQ(wordNet.PictureOf("mouse", nullptr).category, 'a');  // the rodent in 10 uses of 12
  EXPECT_EQ(wordNet.PictureOf("stone", nullptr).category, 'o');
  EXPECT_EQ(wordNet.PictureOf("jordan", nullptr).category, 0);
}

TEST_F(WordNetFolder, WeighsTheUsesOfEveryPartOfSpeech) {
  EXPECT_EQ(wordNet.PictureDegree("come", nullptr), 0);  // only ever tagged as a verb
  // Untagged: one noun sense to one verb sense reads as a noun.
  EXPECT_GE(wordNet.PictureDegree("drill", nullptr), 50);
  // The newspaper's counts of the form itself weigh in: a noun in a quarter
  // of them is still read as one, in a tenth not.
  const FormCounts quarter{25, 100}, tenth{10, 100};
  EXPECT_GE(wordNet.PictureDegree("match", &quarter), 50);
  EXPECT_LT(wordNet.PictureDegree("match", &tenth), 50);
}

TEST_F(WordNetFolder, ListedSenseRootsAndWordsOverruleTheFiles) {
  EXPECT_EQ(wordNet.PictureDegree("wave", nullptr), 0);  // an event, to WordNet
  EXPECT_EQ(wordNet.PictureDegree("foe", nullptr), 60);
  List("movement%1:11:00:: 100 seen\nadversary%1:18:00:: 0 relation\nknife 30 test\nspoon 90 thing\njordan 70 seen\n");
  EXPECT_EQ(wordNet.PictureDegree("wave", nullptr), 100);  // through its hypernym
  EXPECT_EQ(wordNet.PictureDegree("foe", nullptr), 0);
  EXPECT_EQ(wordNet.PictureDegree("knife", nullptr), 30);
  EXPECT_EQ(wordNet.PictureDegree("knives", nullptr), 30);  // and its plural
  // The kind: the senses' own, something else to see where they have none,
  // or what the reason names.
  EXPECT_EQ(wordNet.PictureOf("knife", nullptr).category, 'o');
  EXPECT_EQ(wordNet.PictureOf("wave", nullptr).category, 's');
  EXPECT_EQ(wordNet.PictureOf("jordan", nullptr).category, 's');
  EXPECT_EQ(wordNet.PictureOf("spoon", nullptr).category, 'o');
  List("movement%1:11:00:: 100 thing\n");
  EXPECT_EQ(wordNet.PictureOf("wave", nullptr).category, 'o');
}

TEST_F(WordNetFolder, FindsPluralsThroughTheirBase) {
  EXPECT_EQ(wordNet.PictureDegree("knives", nullptr), 100);
  EXPECT_GE(wordNet.PictureDegree("clams", nullptr), 50);  // itself money, but the plural of clam
  const auto clams = wordNet.PictureOf("clams", nullptr);
  EXPECT_TRUE(clams.plural);
  EXPECT_EQ(clams.category, 'a');
  EXPECT_TRUE(wordNet.PictureOf("knives", nullptr).plural);
  EXPECT_FALSE(wordNet.PictureOf("scissors", nullptr).plural);  // a word of its own
  EXPECT_GE(wordNet.PictureDegree("drills", nullptr), 50);
  EXPECT_EQ(wordNet.PictureDegree("us", nullptr), 0);  // no rule for two letters
  // A form the newspaper reads as a verb is no plural.
  const FormCounts verb{0, 50};
  EXPECT_LT(wordNet.PictureDegree("drills", &verb), 50);
  const auto bases = wordNet.Bases("crapped");
  EXPECT_NE(std::find(bases.begin(), bases.end(), "crap"), bases.end());
}

TEST_F(WordNetFolder, MarksWordsWhoseMainUseIsOffensive) {
  EXPECT_TRUE(wordNet.IsOffensive("crap"));   // 3 tagged uses of 4
  EXPECT_FALSE(wordNet.IsOffensive("taco"));  // the food as often
  EXPECT_FALSE(wordNet.IsOffensive("craps"));
  EXPECT_FALSE(wordNet.IsOffensive("knife"));
  EXPECT_TRUE(wordNet.Has("craps"));
}

TEST_F(WordNetFolder, LoadNamesTheMissingFile) {
  std::filesystem::remove(dir.File("verb.exc"));
  std::string error;
  EXPECT_FALSE(wordNet.Load(dir.path(), error));
  EXPECT_NE(error.find("verb.exc"), std::string::npos) << error;
}

}  // namespace
}  // namespace tq::words
