// MakeWords' rules on a few lines of made-up lexicon and WordNet data.
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
  EXPECT_DOUBLE_EQ(lexicon.commonNounShare.at("crazy"), 0.0);
  EXPECT_FALSE(ParseTaggedEntry("(\"cut\" ((nn -8.8) (vb oops) ) () )", word, tags));
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
              "0000000a 17 n 02 Jordan 0 jordan_river 0 000 | a river\n"
              "0000000b 06 n 01 match 0 000 | a lighter\n"
              "0000000c 05 n 01 clam 0 000 | a mollusc\n"
              "0000000d 21 n 01 clams 0 000 | dollars\n"
              "0000000e 27 n 01 u 0 000 | uranium\n"
              "0000000f 06 n 01 drill 0 000 | a tool\n");
    dir.Write("cntlist.rev",
              "table%1:14:00:: 1 52\ntable%1:06:01:: 2 30\nimage%1:09:00:: 1 31\nimage%1:06:01:: 2 8\n"
              "come%2:38:00:: 1 814\nclams%1:21:00:: 1 9\n");
    dir.Write("index.verb", "come v 1 0 1 0 00000001\ndrill v 1 0 1 0 00000001\n");
    dir.Write("index.adj", "");
    dir.Write("index.adv", "");
    dir.Write("noun.exc", "knives knife\n");
    std::string error;
    ASSERT_TRUE(wordNet.Load(dir.path(), error)) << error;
  }
  test::TempDir dir;
  WordNetNouns wordNet;
};

TEST_F(WordNetFolder, PicturesNounsWhoseConcreteSensesWeighMoreThanAThird) {
  EXPECT_TRUE(wordNet.IsPicturable("knife", -1));
  EXPECT_TRUE(wordNet.IsPicturable("table", -1));   // furniture in 30 of 82 uses
  EXPECT_FALSE(wordNet.IsPicturable("image", -1));  // a picture in 8 of 39
  EXPECT_FALSE(wordNet.IsPicturable("scissors", -1));  // untagged, one sense of three
  EXPECT_FALSE(wordNet.IsPicturable("jordan", -1));    // a name only
  EXPECT_FALSE(wordNet.IsPicturable("spoon", -1));     // not in WordNet
}

TEST_F(WordNetFolder, LeavesOutNounsRarelyReadAsNouns) {
  EXPECT_TRUE(wordNet.IsPicturable("match", 0.26));
  EXPECT_FALSE(wordNet.IsPicturable("match", 0.1));
  EXPECT_FALSE(wordNet.IsPicturable("come", -1));  // only ever tagged as a verb
  EXPECT_TRUE(wordNet.IsPicturable("drill", -1));  // untagged: one noun sense to one verb sense
}

TEST_F(WordNetFolder, FindsPluralsThroughTheirBase) {
  EXPECT_TRUE(wordNet.IsPicturable("knives", -1));
  EXPECT_TRUE(wordNet.IsPicturable("clams", -1));  // itself money, but the plural of clam
  EXPECT_TRUE(wordNet.IsPicturable("drills", -1));
  EXPECT_FALSE(wordNet.IsPicturable("us", -1));  // no rule for two letters
  EXPECT_FALSE(wordNet.IsPicturable("drills", 0.05));
}

TEST_F(WordNetFolder, LoadNamesTheMissingFile) {
  std::filesystem::remove(dir.File("noun.exc"));
  std::string error;
  EXPECT_FALSE(wordNet.Load(dir.path(), error));
  EXPECT_NE(error.find("noun.exc"), std::string::npos) << error;
}

}  // namespace
}  // namespace tq::words
