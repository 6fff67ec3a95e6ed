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

TEST(Codec, NamesEachCharacterThe1252FilesCannotHoldOnce) {
  // π, 日, 本, π again, an emoji (two UTF-16 halves, one character), a zero.
  const QString typed = QString::fromUtf8("a\xCF\x80\xE6\x97\xA5\xE6\x9C\xAC\xCF\x80 \xF0\x9F\x98\x80\xE2\x82\xAC") +
                        QChar(0) + QStringLiteral("z");
  EXPECT_EQ(Unrepresentable(typed), QString::fromUtf8("\xCF\x80\xE6\x97\xA5\xE6\x9C\xAC\xF0\x9F\x98\x80") + QChar(0));
  EXPECT_EQ(WithoutUnrepresentable(typed), QString::fromUtf8("a \xE2\x82\xAC" "z"));
  // Whatever the program's bytes are, shown and taken back they need nothing left out.
  QString every;
  for (int b = 1; b < 256; ++b) every += ToQString(std::string(1, static_cast<char>(b)));
  EXPECT_TRUE(Unrepresentable(every).isEmpty());
  // A lone half of a pair is not a character at all.
  EXPECT_EQ(Unrepresentable(QString(QChar(0xD83D))).size(), 1);
}

}  // namespace
}  // namespace tq
