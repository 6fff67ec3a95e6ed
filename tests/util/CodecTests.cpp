#include <gtest/gtest.h>

#include "Codec.h"

namespace tq {
namespace {

TEST(Codec, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(FromQString(ToQString(all)), all);
}

TEST(Codec, MapsTheWindowsRangeToUnicode) {
  const QString s = ToQString("\x80\x95\xB7\xE9");
  ASSERT_EQ(s.size(), 4);
  EXPECT_EQ(s[0].unicode(), 0x20AC);  // euro sign
  EXPECT_EQ(s[1].unicode(), 0x2022);  // bullet
  EXPECT_EQ(s[2].unicode(), 0x00B7);  // middle dot
  EXPECT_EQ(s[3].unicode(), 0x00E9);
  EXPECT_EQ(FromQString(QString::fromUtf8("\xE2\x80\xA2 caf\xC3\xA9 \xE4\xB8\xAD")), "\x95 caf\xE9 ?");
}

}  // namespace
}  // namespace tq
