#include <gtest/gtest.h>

#include "NumberSearch.h"

namespace tq {
namespace {

struct Case {
  const char* field;
  const char* text;
  bool matchCase;
  bool wholeWord;
  bool expected;
};

TEST(NumberSearch, FieldMatchesFollowsTheFindOptions) {
  const Case cases[] = {
      {"Home phone", "home", false, false, true},
      {"Home phone", "home", true, false, false},
      {"Home phone", "Home", true, false, true},
      {"12 34", "12", false, true, true},
      {"3123", "12", false, true, false},
      {"12", "12", false, true, true},
      {"a-12-b", "12", false, true, true},
      // Only the first occurrence counts, even when a later one stands alone.
      {"312 12", "12", false, true, false},
      {"312 12", "12", false, false, true},
      {"nothing", "12", false, false, false},
      // Accented letters are letters: no word boundary inside "caf\xe9s".
      {"caf\xe9s", "caf", false, true, false},
      {"CAF\xc9", "caf\xe9", false, false, true},
      {"CAF\xc9", "caf\xe9", true, false, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FieldMatches(c.field, c.text, c.matchCase, c.wholeWord), c.expected)
        << c.field << " / " << c.text << " case " << c.matchCase << " word " << c.wholeWord;
}

}  // namespace
}  // namespace tq
