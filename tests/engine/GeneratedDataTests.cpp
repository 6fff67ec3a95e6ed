// Integration tests on the dictionary the build generates from the Debian
// word lists, loaded exactly as the program loads it at start.
#include <gtest/gtest.h>

#include <cstdlib>

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

}  // namespace
}  // namespace tq
