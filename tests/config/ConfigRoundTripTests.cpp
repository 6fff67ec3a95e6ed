#include <gtest/gtest.h>

#include <string>

#include "FileIO.h"
#include "Paths.h"
#include "RConfig.h"
#include "RandomValues.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"

namespace tq {
namespace {

using test::RandomValues;
using test::ScriptedPlatform;
using test::TempDir;

// Whatever the windows put into the record, Save writes a file that Load
// gives back whole and without complaint.
TEST(ConfigRoundTrip, WhatGoesInComesBack) {
  TempDir dir;
  ScriptedPlatform platform;
  RandomValues random(51);
  int refused = 0;
  for (int round = 0; round < 300; ++round) {
    RConfig c;
    c.SetFileName(dir.File("Tessaloquine.cfg"));
    // As the file commands and dialogs do: open and save worksheets, choose
    // folders, move the window, change preferences.
    const int steps = random.Below(12);
    for (int i = 0; i < steps; ++i) {
      switch (random.Below(4)) {
        case 0: refused += !c.AddToHistory(random.Path()); break;
        case 1: refused += !c.SetLastDirectory(random.Path() + "/"); break;
        case 2: c.SetWindowLeft(random.Int()); c.SetWordListWidth(random.Int()); break;
        default: c.SetTipIndex(random.Int()); c.SetAskSave(random.Below(2)); break;
      }
    }
    ASSERT_TRUE(c.Save()) << "round " << round;
    RConfig back;
    back.SetFileName(c.GetFileName());
    ASSERT_TRUE(back.Load()) << "round " << round;
    ASSERT_EQ(back, c) << "round " << round;
    ASSERT_TRUE(platform.MessageTexts().empty()) << platform.MessageTexts()[0];
    // Never two entries for one file.
    for (int i = 0; i < c.GetHistoryCount(); ++i)
      for (int j = i + 1; j < c.GetHistoryCount(); ++j) ASSERT_FALSE(SamePath(c.GetHistory(i), c.GetHistory(j)));
  }
  EXPECT_GT(refused, 0);  // the paths too long to keep were among them
}

TEST(ConfigRoundTrip, APathTooLongToStoreIsNotRememberedAndCostsNoSetting) {
  TempDir dir;
  ScriptedPlatform platform;
  RConfig c;
  c.SetFileName(dir.File("Tessaloquine.cfg"));
  c.SetAskDelete(0);
  c.AddToHistory("/short.tqw");
  c.SetLastDirectory("/home/");
  const std::string deep = "/" + std::string(1020, 'd') + "/x.tqw";
  EXPECT_FALSE(c.AddToHistory(deep));
  EXPECT_FALSE(c.SetLastDirectory(deep));
  EXPECT_TRUE(c.AddToHistory("/" + std::string(kMaxCountedString - 1, 'k')));  // exactly the limit
  ASSERT_EQ(c.GetHistoryCount(), 2);
  EXPECT_EQ(c.GetHistory(1), "/short.tqw");
  EXPECT_EQ(c.GetLastDirectory(), "/home/");
  ASSERT_TRUE(c.Save());
  RConfig back;
  back.SetFileName(c.GetFileName());
  EXPECT_TRUE(back.Load());
  EXPECT_TRUE(platform.MessageTexts().empty());
  EXPECT_EQ(back.GetAskDelete(), 0);
  EXPECT_EQ(back, c);
}

TEST(ConfigRoundTrip, DifferentNonAsciiNamesStayTwoFiles) {
  RConfig c;
  c.AddToHistory("/w/\xC3\x8A.tqw");  // Ê
  c.AddToHistory("/w/\xC3\x9A.tqw");  // Ú
  c.AddToHistory("/w/\xE6\x97\xA5.tqw");
  c.AddToHistory("/w/\xC3\x9A.tqw");  // Ú again
  ASSERT_EQ(c.GetHistoryCount(), 3);
  EXPECT_EQ(c.GetHistory(0), "/w/\xC3\x9A.tqw");
  EXPECT_EQ(c.GetHistory(1), "/w/\xE6\x97\xA5.tqw");
  EXPECT_EQ(c.GetHistory(2), "/w/\xC3\x8A.tqw");
}

}  // namespace
}  // namespace tq
