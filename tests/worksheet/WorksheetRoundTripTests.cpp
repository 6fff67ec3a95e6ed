#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RWorksheet.h"
#include "RandomValues.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"

namespace tq {
namespace {

using test::RandomValues;

// A pasted line break must not split a record: the setters keep each field
// one line and say when they had to.
TEST(NumberOneLine, SettersTurnLineBreaksIntoBlanks) {
  RNumber n;
  EXPECT_FALSE(n.SetNumber("555\r\n12\n34"));
  EXPECT_EQ(n.Number(), "555 12 34");
  EXPECT_EQ(n.Digits(), "5551234");
  EXPECT_FALSE(n.SetDescription("home\rwork\n"));
  EXPECT_EQ(n.Description(), "home work ");
  EXPECT_FALSE(n.SetPhrase(" a\nb"));
  EXPECT_EQ(n.Phrase(), " a b");
  EXPECT_TRUE(n.SetDescription("tab\tand # , : stay"));
  EXPECT_EQ(n.Description(), "tab\tand # , : stay");
  n.InsertSlot(0, "two\nlines");
  n.ComposePhrase(0, 0);
  EXPECT_EQ(n.Phrase(), " two lines");
}

// Whatever the windows put into the entries, Save writes a file that Load
// gives back exactly, record for record.
TEST(WorksheetRoundTrip, WhatGoesInComesBack) {
  test::TempDir dir;
  test::ScriptedPlatform platform;
  RandomValues random(8);
  for (int round = 0; round < 300; ++round) {
    RWorksheet ws;
    ws.SetFileName(dir.File("w.tqw"));
    const int entries = random.Below(6);
    for (int i = 0; i < entries; ++i) {
      auto n = std::make_unique<RNumber>();
      // As the main window does: the number from EditNumber, the description
      // from EditDescription, the phrase composed from chosen words or typed
      // in the edit-phrase dialog.
      n->SetNumber(random.Text());
      n->SetDescription(random.Text());
      if (random.Below(2)) {
        const int slots = random.Below(5);
        for (int s = 0; s < slots; ++s) n->InsertSlot(s, random.Below(3) ? random.Text() : std::string("."));
        n->ComposePhrase(random.Below(3), random.Below(3));
      } else {
        n->SetPhrase(random.Text());
      }
      ws.Insert(std::move(n), ws.Count());
    }
    ASSERT_TRUE(ws.Save()) << "round " << round;
    RWorksheet back;
    back.SetFileName(ws.FileName());
    ASSERT_TRUE(back.Load()) << "round " << round;
    int32_t kept = ws.Count();
    while (kept > 0 && ws.At(kept - 1).IsEmpty()) --kept;  // trailing empty entries are not written
    ASSERT_EQ(back.Count(), kept) << "round " << round;
    for (int32_t i = 0; i < kept; ++i) {
      ASSERT_EQ(back.At(i).Number(), ws.At(i).Number()) << "round " << round << " entry " << i;
      ASSERT_EQ(back.At(i).Phrase(), ws.At(i).Phrase()) << "round " << round << " entry " << i;
      ASSERT_EQ(back.At(i).Description(), ws.At(i).Description()) << "round " << round << " entry " << i;
      ASSERT_EQ(back.At(i).Digits(), ws.At(i).Digits()) << "round " << round << " entry " << i;
    }
    ASSERT_TRUE(platform.MessageTexts().empty()) << platform.MessageTexts()[0];
  }
}

}  // namespace
}  // namespace tq
