// The Leitner rules, the keys that tie a card to its entry, and the order of
// a session, all on a clock the test turns by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "PracticeSchedule.h"
#include "RWorksheet.h"

namespace tq {
namespace {

// Noon on 2026-03-10 (local seconds).
constexpr int64_t kStart = 20522 * kSecondsPerDay + 12 * 3600;

std::unique_ptr<RWorksheet> Sheet(const std::vector<std::string>& numbers) {
  auto ws = std::make_unique<RWorksheet>();
  for (const std::string& n : numbers) {
    auto entry = std::make_unique<RNumber>();
    entry->SetNumber(n);
    entry->SetDescription("number " + n);  // something to recall it from
    ws->Insert(std::move(entry), ws->Count());
  }
  return ws;
}

TEST(PracticeDays, DatesRoundTripAndImpossibleDatesAreRefused) {
  // Every day over more than four centuries, both sides of 1970.
  for (int32_t day = -150000; day <= 150000; day += 7) {
    int32_t back = 0;
    const std::string text = FormatDay(day);
    ASSERT_TRUE(ParseDay(text, back)) << text;
    ASSERT_EQ(back, day) << text;
  }
  int32_t day = 0;
  ASSERT_TRUE(ParseDay("1970-01-01", day));
  EXPECT_EQ(day, 0);
  ASSERT_TRUE(ParseDay("2024-02-29", day));
  EXPECT_EQ(FormatDay(day + 1), "2024-03-01");
  for (const char* bad : {"2023-02-29", "1900-02-29", "2024-13-01", "2024-00-10", "2024-04-31", "2024-1-01",
                          "2024/01/01", "24-01-01", "2024-01-01 ", "", "+024-01-01"})
    EXPECT_FALSE(ParseDay(bad, day)) << bad;
  EXPECT_EQ(DayOf(-1), -1);  // before 1970 rounds down, not toward zero
  EXPECT_EQ(DayOf(kSecondsPerDay - 1), 0);
}

TEST(PracticeRules, RightMovesOneBoxUpWrongGoesBackToTheFirst) {
  // A long random run of answers: after each one the card is where the rules say.
  std::mt19937 random(11);
  RPracticeSchedule schedule;
  const RCardKey key{"5551234", 1};
  int64_t now = kStart;
  int32_t box = 0, rights = 0, wrongs = 0;
  for (int i = 0; i < 500; ++i) {
    now += static_cast<int64_t>(random() % (40 * kSecondsPerDay));
    const bool right = random() % 3 != 0;
    schedule.Answer(key, right, now);
    const RCard& card = *schedule.Find(key);
    if (right) {
      box = std::min(box + 1, kTopBox);
      ++rights;
      ASSERT_EQ(card.due, (DayOf(now) + BoxInterval(box)) * kSecondsPerDay);
      ASSERT_GT(card.due, now);
    } else {
      box = 0;
      ++wrongs;
      ASSERT_EQ(card.due, now);
    }
    ASSERT_EQ(card.box, box);
    ASSERT_EQ(card.right, rights);
    ASSERT_EQ(card.wrong, wrongs);
  }
  int32_t answered = 0;
  for (const auto& [day, tally] : schedule.Days()) answered += tally.right + tally.wrong;
  EXPECT_EQ(answered, 500);
  // Each box waits longer than the one below it.
  for (int32_t b = 1; b <= kTopBox; ++b) EXPECT_GT(BoxInterval(b), BoxInterval(b - 1));
}

TEST(PracticeRules, StagesFollowTheBoxes) {
  RPracticeSchedule schedule;
  const RCardKey key{"42", 1};
  EXPECT_EQ(StageOf(schedule.Find(key)), CardStage::New);
  schedule.Answer(key, false, kStart);
  EXPECT_EQ(StageOf(schedule.Find(key)), CardStage::Learning);
  for (int i = 0; i < kLearnedBox; ++i) schedule.Answer(key, true, kStart + i * 40 * kSecondsPerDay);
  EXPECT_EQ(StageOf(schedule.Find(key)), CardStage::Learned);
  schedule.Answer(key, false, kStart + 400 * kSecondsPerDay);
  EXPECT_EQ(StageOf(schedule.Find(key)), CardStage::Learning);
}

TEST(PracticeKeys, OtherEntriesComingAndGoingLeaveAKeyAlone) {
  // Random edits of a worksheet: an entry keeps its key through every insert,
  // delete and move of entries with other digits, and loses it with its digits.
  std::mt19937 random(5);
  for (int round = 0; round < 200; ++round) {
    auto ws = Sheet({"555-1234", "", "12", "555 1234", "7", "12"});
    RNumber* watched = &ws->At(2);  // the first "12"
    auto keyOfWatched = [&ws, watched] {
      const std::vector<RCardKey> keys = KeysOf(*ws);
      for (int32_t i = 0; i < ws->Count(); ++i)
        if (&ws->At(i) == watched) return keys[static_cast<std::size_t>(i)];
      return RCardKey{"gone", 0};
    };
    const RCardKey before = keyOfWatched();
    ASSERT_EQ(before, (RCardKey{"12", 1}));
    for (int step = 0; step < 8; ++step) {
      const int32_t n = ws->Count();
      switch (random() % 3) {
        case 0: {
          auto entry = std::make_unique<RNumber>();
          entry->SetNumber(std::to_string(100 + random() % 50));
          ws->Insert(std::move(entry), static_cast<int32_t>(random() % (n + 1)));
          break;
        }
        case 1: {
          const auto at = static_cast<int32_t>(random() % n);
          if (&ws->At(at) != watched && ws->At(at).Digits() != "12") ws->Remove(at);
          break;
        }
        default: {
          const auto from = static_cast<int32_t>(random() % n);
          if (ws->At(from).Digits() == "12") break;  // only entries with other digits move
          auto entry = ws->Remove(from);
          ws->Insert(std::move(entry), static_cast<int32_t>(random() % n));
        }
      }
      ASSERT_EQ(keyOfWatched(), before);
    }
    watched->SetPhrase(" tin");
    watched->SetDescription("changed");
    ASSERT_EQ(keyOfWatched(), before);
    watched->SetNumber("13");
    ASSERT_EQ(keyOfWatched(), (RCardKey{"13", 1}));
  }
}

TEST(PracticeKeys, EqualDigitsAreCountedAndEntriesWithoutDigitsHaveNoKey) {
  auto ws = Sheet({"555-1234", "", "(555) 1234", "x", "5551234"});
  const std::vector<RCardKey> keys = KeysOf(*ws);
  EXPECT_EQ(keys, (std::vector<RCardKey>{{"5551234", 1}, {"", 1}, {"5551234", 2}, {"", 1}, {"5551234", 3}}));
}

class PracticeSessionTest : public ::testing::Test {
 protected:
  RPracticeSession::Clock Clock() {
    return [this] { return now; };
  }
  int64_t now = kStart;
  RPracticeSchedule schedule;
};

TEST_F(PracticeSessionTest, NewEntriesComeInWorksheetOrderAndRightOnesWaitForTheirDay) {
  auto ws = Sheet({"11", "", "22", "33"});
  RPracticeSession session(*ws, schedule, Clock());
  EXPECT_EQ(session.EntryCount(), 3);
  EXPECT_EQ(session.Next(), 0);
  EXPECT_EQ(session.Next(), 0);  // asking again without an answer changes nothing
  session.Answer(true);
  EXPECT_EQ(session.Next(), 2);
  session.Answer(true);
  EXPECT_EQ(session.Next(), 3);
  session.Answer(true);
  EXPECT_EQ(session.Next(), -1);
  EXPECT_EQ(session.Answered(), 3);
  EXPECT_EQ(session.Right(), 3);
  int count = 0;
  EXPECT_EQ(session.NextDue(count), (DayOf(kStart) + 1) * kSecondsPerDay);
  EXPECT_EQ(count, 3);

  // The next day all three are due again, and a new session asks them.
  now += kSecondsPerDay;
  RPracticeSession tomorrow(*ws, schedule, Clock());
  EXPECT_EQ(tomorrow.Next(), 0);
}

TEST_F(PracticeSessionTest, WrongAnswersComeBackAfterTheOthersDueAndBeforeNewOnes) {
  auto ws = Sheet({"11", "22", "33", "44"});
  // 11 and 22 were answered before and are due; 11 the longer.
  schedule.SetCard({"11", 1}, RCard{1, kStart - 100, 1, 0});
  schedule.SetCard({"22", 1}, RCard{1, kStart - 200, 1, 0});
  schedule.SetCard({"33", 1}, RCard{2, kStart + kSecondsPerDay, 2, 0});  // not due yet
  RPracticeSession session(*ws, schedule, Clock());
  EXPECT_EQ(session.Next(), 1);  // the longest overdue first
  session.Answer(false);
  now += 5;
  EXPECT_EQ(session.Next(), 0);  // not the one just answered, though it is due
  session.Answer(true);
  now += 5;
  EXPECT_EQ(session.Next(), 1);  // the wrong one, before anything new
  session.Answer(false);
  now += 5;
  EXPECT_EQ(session.Next(), 3);  // something new in between rather than the same again
  session.Answer(true);
  now += 5;
  EXPECT_EQ(session.Next(), 1);
  session.Answer(false);
  now += 5;
  EXPECT_EQ(session.Next(), 1);  // the last one left comes back straight away
  session.Answer(true);
  EXPECT_EQ(session.Next(), -1);
  const RStageCounts stages = session.Stages();
  EXPECT_EQ(stages.newCount + stages.learning + stages.learned, 4);
  EXPECT_EQ(stages.newCount, 0);
}

TEST_F(PracticeSessionTest, ASessionBringsInALimitedNumberOfNewEntries) {
  std::vector<std::string> numbers;
  for (int i = 0; i < kNewPerSession + 5; ++i) numbers.push_back(std::to_string(1000 + i));
  auto ws = Sheet(numbers);
  RPracticeSession session(*ws, schedule, Clock());
  int asked = 0;
  while (session.Next() >= 0 && asked < 1000) {
    session.Answer(true);
    ++asked;
  }
  EXPECT_EQ(asked, kNewPerSession);
  EXPECT_EQ(session.Stages().newCount, 5);
}

TEST_F(PracticeSessionTest, AWrongAnswerComesBackWhenTheClockGoesBack) {
  auto ws = Sheet({"11", "22"});
  RPracticeSession session(*ws, schedule, Clock());
  EXPECT_EQ(session.Next(), 0);
  session.Answer(false);
  EXPECT_EQ(session.Next(), 1);
  session.Answer(true);
  // The fall-back hour, or a clock set right by hand or from the network.
  now -= 3600;
  EXPECT_EQ(session.Next(), 0);
  int count = 0;
  EXPECT_EQ(session.NextDue(count), now);
  EXPECT_EQ(count, 1);  // 11 now; 22 waits for the next day
  session.Answer(true);
  EXPECT_EQ(session.Next(), -1);

  // A file written today, read after the clock went back a day: its wrong
  // answer is still due, its right one still waits for its own day.
  RPracticeSchedule stored;
  stored.SetCard({"11", 1}, RCard{0, kStart, 0, 1});
  stored.SetCard({"22", 1}, RCard{1, (DayOf(kStart) + 1) * kSecondsPerDay, 1, 0});
  now = kStart - kSecondsPerDay;
  RPracticeSession later(*ws, stored, Clock());
  EXPECT_EQ(later.Next(), 0);
  later.Answer(true);
  EXPECT_EQ(later.Next(), -1);
}

}  // namespace
}  // namespace tq
