// The practice file: what the writer writes the reader takes back whole, a
// damaged file gives an empty schedule, and a failed write keeps the old one.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "AtomicFile.h"
#include "PracticeFile.h"
#include "RWorksheet.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"

namespace tq {
namespace {

const std::string kHeader = "#TessaloquinePractice - 1\n";

RPracticeSchedule RandomSchedule(std::mt19937& random) {
  RPracticeSchedule schedule;
  const int cards = static_cast<int>(random() % 40);
  for (int i = 0; i < cards; ++i) {
    std::string digits;
    const int length = 1 + static_cast<int>(random() % 15);
    for (int d = 0; d < length; ++d) digits += static_cast<char>('0' + random() % 10);
    schedule.SetCard({digits, 1 + static_cast<int32_t>(random() % 3)},
                     RCard{static_cast<int32_t>(random() % (kTopBox + 1)),
                           static_cast<int64_t>(random()) * 100 + static_cast<int64_t>(random() % 100),
                           static_cast<int32_t>(random() % 500), static_cast<int32_t>(random() % 500)});
  }
  const int days = static_cast<int>(random() % 30);
  for (int i = 0; i < days; ++i)
    schedule.SetDay(20000 + static_cast<int32_t>(random() % 800),
                    RDayTally{static_cast<int32_t>(random() % 90), static_cast<int32_t>(random() % 90)});
  return schedule;
}

TEST(PracticeFile, WhatIsWrittenReadsBackTheSame) {
  std::mt19937 random(3);
  test::TempDir dir;
  const std::string path = PracticeFileOf(dir.File("phone.tqw"));
  EXPECT_EQ(path, dir.File("phone.tqw.practice"));
  EXPECT_EQ(PracticeFileOf(""), "");
  for (int round = 0; round < 300; ++round) {
    const RPracticeSchedule schedule = RandomSchedule(random);
    RPracticeSchedule back;
    back.SetCard({"1", 1}, RCard{});  // whatever was there goes
    ASSERT_EQ(ParsePracticeText(PracticeText(schedule), back), PracticeLoad::Loaded);
    ASSERT_EQ(back, schedule);
    if (round % 50 == 0) {
      ASSERT_TRUE(WritePracticeFile(path, schedule));
      ASSERT_EQ(ReadPracticeFile(path, back), PracticeLoad::Loaded);
      ASSERT_EQ(back, schedule);
    }
  }
}

TEST(PracticeFile, WriterLeavesOutOnlyWhatTheReaderWouldRefuse) {
  RPracticeSchedule schedule;
  schedule.SetCard({"12", 1}, RCard{9, -5, 3, 1});             // box and due brought within range
  schedule.SetCard({std::string(kMaxCardDigits + 1, '7'), 1}, RCard{1, 10, 1, 0});  // too long to keep
  schedule.SetDay(-800000, RDayTally{1, 1});                   // before year 0
  schedule.SetDay(1, RDayTally{2, 0});
  RPracticeSchedule back;
  ASSERT_EQ(ParsePracticeText(PracticeText(schedule), back), PracticeLoad::Loaded);
  ASSERT_EQ(back.Cards().size(), 1u);
  EXPECT_EQ(*back.Find({"12", 1}), (RCard{kTopBox, 0, 3, 1}));
  EXPECT_EQ(back.Days().size(), 1u);
  EXPECT_EQ(PracticeText(back), kHeader + "C:12 1 5 0 3 1\nD:1970-01-02 2 0\n");
}

TEST(PracticeFile, TheWriterNeverWritesMoreThanTheReaderTakes) {
  // 9,000 numbers of 1,000 digits and the longest tallies: far past the limit.
  std::mt19937 random(7);
  RPracticeSchedule schedule;
  std::vector<RCardKey> current;
  for (int i = 0; i < 9000; ++i) {
    std::string digits(kMaxCardDigits, '0');
    for (char& c : digits) c = static_cast<char>('0' + random() % 10);
    schedule.SetCard({digits, 1}, RCard{3, kLatestDue - i, INT32_MAX - i, i});
    if (i % 10 == 0) current.push_back({digits, 1});
  }
  for (int32_t day = 20000; day < 20000 + static_cast<int32_t>(kMaxPracticeDays); ++day)
    schedule.SetDay(day, RDayTally{INT32_MAX, INT32_MAX});
  for (const bool preferring : {false, true}) {
    const std::string text = preferring ? PracticeText(schedule, current) : PracticeText(schedule);
    EXPECT_LE(text.size(), kMaxPracticeFile);
    RPracticeSchedule back;
    ASSERT_EQ(ParsePracticeText(text, back), PracticeLoad::Loaded);
    EXPECT_EQ(back.Days(), schedule.Days());
    EXPECT_GT(back.Cards().size(), 7000u);
    for (const auto& [key, card] : back.Cards()) ASSERT_EQ(card, *schedule.Find(key));
    // The worksheet's own numbers are kept before the cards of numbers gone.
    if (preferring) {
      for (const RCardKey& key : current) ASSERT_NE(back.Find(key), nullptr);
    }
  }
}

TEST(PracticeFile, CarriageReturnsAndEmptyLinesAreAccepted) {
  RPracticeSchedule back;
  ASSERT_EQ(ParsePracticeText("#TessaloquinePractice - 1\r\n\r\nC:42 1 2 100 3 4\r\n\nD:2026-12-07 5 6\r\n", back),
            PracticeLoad::Loaded);
  EXPECT_EQ(*back.Find({"42", 1}), (RCard{2, 100, 3, 4}));
  int32_t day = 0;
  ASSERT_TRUE(ParseDay("2026-12-07", day));
  EXPECT_EQ(back.Days().at(day), (RDayTally{5, 6}));
}

TEST(PracticeFile, DamagedFilesGiveAnEmptySchedule) {
  const std::string card = "C:42 1 2 100 3 4\n";
  std::string manyCards = kHeader;
  for (std::size_t i = 0; i <= kMaxPracticeCards; ++i) manyCards += "C:" + std::to_string(i) + " 1 1 1 1 1\n";
  const struct {
    const char* what;
    std::string text;
  } table[] = {
      {"empty file", ""},
      {"another header", "#Tessaloquine - 1\n" + card},
      {"version 0", "#TessaloquinePractice - 0\n" + card},
      {"no version", "#TessaloquinePractice - x\n" + card},
      {"no header", card},
      {"unknown line", kHeader + card + "X:1\n"},
      {"field missing", kHeader + "C:42 1 2 100 3\n"},
      {"field too many", kHeader + "C:42 1 2 100 3 4 5\n"},
      {"doubled blank", kHeader + "C:42  1 2 100 3 4\n"},
      {"trailing blank", kHeader + "C:42 1 2 100 3 4 \n"},
      {"letters in the digits", kHeader + "C:4a2 1 2 100 3 4\n"},
      {"occurrence 0", kHeader + "C:42 0 2 100 3 4\n"},
      {"box too high", kHeader + "C:42 1 6 100 3 4\n"},
      {"negative count", kHeader + "C:42 1 2 100 -3 4\n"},
      {"count past 32 bits", kHeader + "C:42 1 2 100 2147483648 4\n"},
      {"huge number", kHeader + "C:42 1 2 99999999999999999999999 3 4\n"},
      {"repeated card", kHeader + card + card},
      {"digits too long", kHeader + "C:" + std::string(kMaxCardDigits + 1, '1') + " 1 1 1 1 1\n"},
      {"impossible day", kHeader + "D:2026-02-30 1 1\n"},
      {"repeated day", kHeader + "D:2026-02-03 1 1\nD:2026-02-03 1 1\n"},
      {"too many cards", manyCards},
      {"too long", kHeader + std::string(kMaxPracticeFile, '\n')},
      {"a zero byte", kHeader + std::string("C:42 1 2 100 3 4\0\n", 18)},
  };
  for (const auto& row : table) {
    RPracticeSchedule schedule;
    schedule.SetCard({"9", 1}, RCard{});
    EXPECT_EQ(ParsePracticeText(row.text, schedule), PracticeLoad::Damaged) << row.what;
    EXPECT_TRUE(schedule.Cards().empty() && schedule.Days().empty()) << row.what;
  }
  // A later version is not damaged: it is for a newer program to read.
  RPracticeSchedule schedule;
  EXPECT_EQ(ParsePracticeText("#TessaloquinePractice - 2\n" + card + "Z:what comes later\n", schedule),
            PracticeLoad::Newer);
  EXPECT_EQ(ParsePracticeText("#TessaloquinePractice - 12\n" + std::string(kMaxPracticeFile, '\n'), schedule),
            PracticeLoad::Newer);
  EXPECT_TRUE(schedule.Cards().empty());
}

TEST(PracticeFile, MissingAndUnreadableFilesAreTold) {
  test::TempDir dir;
  RPracticeSchedule schedule;
  EXPECT_EQ(ReadPracticeFile(dir.File("none.tqw.practice"), schedule), PracticeLoad::Missing);
  EXPECT_EQ(ReadPracticeFile("", schedule), PracticeLoad::Missing);
  // A file far beyond the limit is not read whole before it is refused.
  dir.Write("big.practice", kHeader + std::string(kMaxPracticeFile + 100, '\n'));
  EXPECT_EQ(ReadPracticeFile(dir.File("big.practice"), schedule), PracticeLoad::Damaged);
  dir.Write("bad.practice", "#TessaloquinePractice - 1\nC:x\n");
  EXPECT_EQ(ReadPracticeFile(dir.File("bad.practice"), schedule), PracticeLoad::Damaged);
  // Something that is there but cannot be read is not missing, nor is it
  // read: a folder, or a device (a named pipe the same) that would read as
  // an empty file.
  std::string reason;
  EXPECT_EQ(ReadPracticeFile(dir.path(), schedule, &reason), PracticeLoad::Unreadable);
  EXPECT_EQ(reason, "it is a folder, not a file");
  std::filesystem::create_symlink("/dev/null", dir.File("device.practice"));
  EXPECT_EQ(ReadPracticeFile(dir.File("device.practice"), schedule, &reason), PracticeLoad::Unreadable);
  EXPECT_EQ(reason, "it is a device, not a file");
}

TEST(PracticeFile, AFailedWriteKeepsTheOldFileAndSaysSo) {
  test::ScriptedPlatform platform;
  test::TempDir dir;
  const std::string path = dir.File("a.tqw.practice");
  RPracticeSchedule old;
  old.SetCard({"1", 1}, RCard{1, 2, 3, 4});
  ASSERT_TRUE(WritePracticeFile(path, old));
  const std::string before = dir.Read("a.tqw.practice");

  RPracticeSchedule next = old;
  next.SetCard({"2", 1}, RCard{1, 2, 3, 4});
  SetWriteFaultForTesting(10);
  EXPECT_FALSE(WritePracticeFile(path, next));
  SetWriteFaultForTesting(-1);
  EXPECT_EQ(dir.Read("a.tqw.practice"), before);
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Error: Error writing to file '" + path + "'. The disk could be full."});

  platform.ClearShown();
  EXPECT_FALSE(WritePracticeFile(dir.File("no/such/dir/a.practice"), next));
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: Could not open file '" +
                                                              dir.File("no/such/dir/a.practice") +
                                                              "' for writing."});
}

// The one rule of the practice file's name: it follows the worksheet when a
// save gave the worksheet a file of its own, and a save without a name or
// under the same name again neither moves nor writes it.
TEST(PracticeFileLink, FollowsTheWorksheetOnlyToANameASaveGaveIt) {
  test::ScriptedPlatform platform;
  test::TempDir dir;
  RPracticeFileLink link;
  RPracticeSchedule schedule;
  link.Open("", schedule);
  schedule.SetCard({"12", 1}, RCard{1, 2, 3, 4});
  RWorksheet worksheet;
  link.Saved(worksheet, schedule);
  EXPECT_EQ(link.PracticePath(), "");

  worksheet.SetFileName(dir.File("a.tqw"));
  link.Saved(worksheet, schedule);
  EXPECT_EQ(link.PracticePath(), dir.File("a.tqw.practice"));
  ASSERT_TRUE(std::filesystem::remove(dir.File("a.tqw.practice")));
  link.Saved(worksheet, schedule);
  EXPECT_FALSE(dir.Exists("a.tqw.practice"));

  worksheet.SetFileName(dir.File("b.tqw"));
  link.Saved(worksheet, schedule);
  EXPECT_EQ(link.WorksheetPath(), dir.File("b.tqw"));
  RPracticeSchedule stored;
  EXPECT_EQ(ReadPracticeFile(dir.File("b.tqw.practice"), stored), PracticeLoad::Loaded);
  EXPECT_EQ(stored.Cards().size(), 1u);
  EXPECT_TRUE(platform.MessageTexts().empty());
}

}  // namespace
}  // namespace tq
