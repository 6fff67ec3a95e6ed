// The drills without a window: the competition's scoring rule, the random
// digits, the order of a peg drill, and the two files, which read back what
// they wrote, refuse what is broken and are never written over unseen.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "NumbersDrill.h"
#include "NumbersHistory.h"
#include "PegDrill.h"
#include "PegDrillRecord.h"
#include "PegList.h"
#include "PegSystem.h"
#include "PhraseFixture.h"
#include "PracticeSchedule.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"
#include "TrainingPegs.h"

namespace tq {
namespace {

// --- the score ---------------------------------------------------------------

// Row r of the digits below, changed at the given positions.
std::string Changed(std::string row, std::initializer_list<std::size_t> wrong) {
  for (std::size_t p : wrong) row[p] = row[p] == '9' ? '0' : static_cast<char>(row[p] + 1);
  return row;
}

TEST(NumbersScore, FollowsTheCompetitionRule) {
  const std::string digits = RandomDigits(80, 7);
  const std::string hundred = RandomDigits(100, 8);
  const std::string a = digits.substr(0, 40), b = digits.substr(40);
  const struct {
    const char* what;
    const std::string& digits;
    std::vector<std::string> typed;
    int score;
  } table[] = {
      {"both rows right", digits, {a, b}, 80},
      {"one wrong digit halves a row", digits, {Changed(a, {5}), b}, 60},
      {"one missing digit halves a row", digits, {a.substr(0, 12) + "." + a.substr(13), b}, 60},
      {"a digit short of the row is one missing", digits, {a.substr(0, 39), b}, 60},
      {"two mistakes score nothing", digits, {Changed(a, {0, 39}), b}, 40},
      {"one mistake in each row", digits, {Changed(a, {1}), Changed(b, {2})}, 40},
      {"a partial last row scores its digits", digits, {a, b.substr(0, 17)}, 57},
      {"a partial last row with one mistake, half rounded up", digits, {a, Changed(b.substr(0, 17), {16})}, 49},
      {"a partial last row with two mistakes", digits, {a, Changed(b.substr(0, 17), {0, 3})}, 40},
      {"unknown marks after the last digit do not count", digits, {a, b.substr(0, 10) + "...."}, 50},
      {"a row of marks alone is not reached", digits, {a, "....."}, 40},
      {"an empty row before the last reached scores nothing", digits, {"", b}, 40},
      {"blanks between groups do not count", digits, {GroupedRow(a, 3), GroupedRow(b, 2)}, 80},
      {"digits beyond the row do not count", digits, {a + "12345", b}, 80},
      {"only the first row, partial", digits, {a.substr(0, 1)}, 1},
      {"a short last row of 20, right", hundred, {hundred.substr(0, 40), hundred.substr(40, 40), hundred.substr(80)}, 100},
      {"a short last row of 20 with one mistake", hundred,
       {hundred.substr(0, 40), hundred.substr(40, 40), Changed(hundred.substr(80), {19})}, 90},
      {"an empty recall", digits, {}, 0},
      {"empty rows", digits, {"", "  "}, 0},
  };
  for (const auto& row : table) {
    const RRecallScore score = ScoreRecall(row.digits, row.typed);
    EXPECT_EQ(score.score, row.score) << row.what;
    int sum = 0;
    for (const RRowScore& r : score.rows) sum += r.score;
    EXPECT_EQ(sum, score.score) << row.what;
  }
}

TEST(NumbersScore, MarksEachDigitOfEachRow) {
  const std::string digits = "1234567890123456789012345678901234567890" "12345";
  const RRecallScore score = ScoreRecall(digits, {"12x4567890123456789012345678901234567891", "19"});
  EXPECT_EQ(score.lastRowReached, 1);
  EXPECT_EQ(score.right, 38 + 1);
  ASSERT_EQ(score.rows.size(), 2u);
  EXPECT_EQ(score.rows[0].mistakes, 2u);
  EXPECT_EQ(score.rows[0].marks[2], DigitMark::Missing);
  EXPECT_EQ(score.rows[0].marks[39], DigitMark::Wrong);
  EXPECT_EQ(score.rows[0].marks[0], DigitMark::Right);
  // The last row was reached for two digits; the rest of it was not.
  EXPECT_EQ(score.rows[1].filled, 2u);
  EXPECT_EQ(score.rows[1].marks[1], DigitMark::Wrong);
  EXPECT_EQ(score.rows[1].marks[2], DigitMark::NotReached);
  EXPECT_EQ(score.score, 0 + 1);
  EXPECT_EQ(ScoreRecall(digits, {}).lastRowReached, -1);
}

TEST(NumbersDigits, AreFairAndTheSameForTheSameSeed) {
  EXPECT_EQ(RandomDigits(20, 1), RandomDigits(20, 1));
  EXPECT_NE(RandomDigits(20, 1), RandomDigits(20, 2));
  // The engine's output is fixed by the standard, and so are the digits.
  EXPECT_EQ(RandomDigits(20, 1), "82064985846377039030");
  const std::string many = RandomDigits(50000, 3);
  std::map<char, int> counts;
  for (char c : many) ++counts[c];
  ASSERT_EQ(counts.size(), 10u);
  EXPECT_EQ(counts.begin()->first, '0');
  for (const auto& [digit, count] : counts) EXPECT_NEAR(count, 5000, 400) << digit;

  EXPECT_EQ(DigitRows(RandomDigits(100, 4)).size(), 3u);
  EXPECT_EQ(DigitRows(RandomDigits(100, 4)).back().size(), 20u);
  EXPECT_EQ(GroupedRow("0123456789", 3), "012 345 678 9");
  EXPECT_EQ(GroupedRow("0123456789", 2), "01 23 45 67 89");
  EXPECT_EQ(RecallPositions(" 1-2 ?x_.3 "), "1.2....3");
}

// --- the peg drill ---------------------------------------------------------------

TEST(PegDrill, TakesThePegAndTheNumberAsTyped) {
  EXPECT_TRUE(IsPegAnswer("  Tin   HAT! ", "tin hat"));
  EXPECT_TRUE(IsPegAnswer("mug.", "mug"));
  EXPECT_FALSE(IsPegAnswer("tin", "tin hat"));
  EXPECT_FALSE(IsPegAnswer("hat tin", "tin hat"));
  EXPECT_FALSE(IsPegAnswer("", ""));
  EXPECT_TRUE(IsNumberAnswer("0 7", "07"));
  EXPECT_FALSE(IsNumberAnswer("7", "07"));
  EXPECT_FALSE(IsNumberAnswer("", ""));

  // A number no word covers gives nothing to drill.
  std::vector<RPeg> pegs(3);
  pegs[0] = RPeg{"00", {"sauce"}, true};
  pegs[1] = RPeg{"01", {"sit", "."}, false};
  pegs[2] = RPeg{"02", {"tin", "hat"}, true};
  EXPECT_EQ(DrillItems(pegs), (std::vector<RDrillItem>{{"00", "sauce"}, {"02", "tin hat"}}));
}

std::vector<RDrillItem> Items(int count) {
  std::vector<RDrillItem> items;
  for (int i = 0; i < count; ++i) items.push_back({(i < 10 ? "0" : "") + std::to_string(i), "peg" + std::to_string(i)});
  return items;
}

// Where a peg stands in the order: 0 to come first, 1 never drilled, 2 the rest.
int ClassOf(const RPegDrillRecord& record, const std::string& number) {
  const RPegTrack* track = record.Find(number);
  if (!track || track->answers.empty()) return 1;
  return track->again ? 0 : 2;
}

// Random drills answered at random: whatever was wrong or slow comes back
// within the drill after kComeBackAfter other items, and first in the next
// drill; the record counts every answer.
TEST(PegDrill, WrongAndSlowPegsComeBackSoonerAndFirstNextTime) {
  std::mt19937 random(11);
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    const std::vector<RDrillItem> items = Items(5 + static_cast<int>(random() % 40));
    RPegDrillRecord record;
    record.settings.items = 1 + static_cast<int>(random() % 30);
    record.settings.targetMs = 1000 + static_cast<int32_t>(random() % 2000);
    record.settings.direction = random() % 2 ? DrillDirection::NumberToPeg : DrillDirection::PegToNumber;
    for (int drill = 0; drill < 3; ++drill) {
      const int32_t day = 20500 + drill;
      // The order: no peg of a later class before one of an earlier class,
      // and a peg of a later class only once every earlier one is in.
      const std::vector<std::size_t> order = DrillOrder(items, record, record.settings.items, random());
      ASSERT_EQ(order.size(), std::min<std::size_t>(items.size(), record.settings.items));
      std::vector<int> taken(3, 0), all(3, 0);
      for (const RDrillItem& item : items) ++all[ClassOf(record, item.number)];
      for (std::size_t i = 0; i < order.size(); ++i) {
        const int c = ClassOf(record, items[order[i]].number);
        ++taken[c];
        if (i > 0) {
          ASSERT_LE(ClassOf(record, items[order[i - 1]].number), c);
        }
        for (int earlier = 0; earlier < c; ++earlier) ASSERT_EQ(taken[earlier], all[earlier]);
      }

      RPegDrill session(items, record, day, random());
      std::set<std::string> bad, asked;
      std::vector<std::string> history;
      std::map<std::string, std::size_t> dueBy;  // a peg that must come back, by answer number
      int answers = 0, right = 0;
      int64_t total = 0;
      while (!session.Over()) {
        const RDrillItem item = *session.Current();
        history.push_back(item.number);
        dueBy.erase(item.number);
        for (const auto& [number, due] : dueBy) ASSERT_GT(due, history.size()) << number << " did not come back";
        const bool wrong = random() % 4 == 0;
        const int32_t ms = static_cast<int32_t>(random() % 4000);
        const std::string typed = wrong ? "nothing"
                                  : session.Direction() == DrillDirection::NumberToPeg ? item.peg
                                                                                       : item.number;
        const RDrillOutcome outcome = session.Answer(typed, ms);
        ASSERT_EQ(outcome.right, !wrong);
        ASSERT_EQ(outcome.slow, ms > record.settings.targetMs);
        ++answers, right += wrong ? 0 : 1, total += ms;
        asked.insert(item.number);
        if (wrong || outcome.slow) {
          bad.insert(item.number);
          if (outcome.comesBack) dueBy[item.number] = history.size() + RPegDrill::kComeBackAfter + 1;
        }
        ASSERT_LE(history.size(), order.size() * (1 + RPegDrill::kMaxComeBacks));
      }
      EXPECT_EQ(session.Answers(), answers);
      EXPECT_EQ(session.Right(), right);
      EXPECT_EQ(record.days[day], (RDrillDay{answers, right, total}));
      for (const std::string& number : asked) EXPECT_EQ(record.Find(number)->again, bad.count(number) == 1) << number;
      // Next time, the pegs that went wrong or slow come first.
      const std::vector<std::size_t> next = DrillOrder(items, record, items.size(), random());
      for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_EQ(bad.count(items[next[i]].number), 1u);
      // The slowest list is sorted and holds only pegs of this drill.
      const std::vector<RDrilledPeg> slowest = session.Slowest();
      EXPECT_LE(slowest.size(), 10u);
      for (std::size_t i = 1; i < slowest.size(); ++i) EXPECT_GE(slowest[i - 1].meanMs, slowest[i].meanMs);
      for (const RDrilledPeg& peg : slowest) EXPECT_EQ(asked.count(peg.item.number), 1u);
    }
  }
}

// --- the pegs in force and the review ------------------------------------------

TEST(TrainingPegs, AreTheUsersWhereTheyHaveOneAndLaidOnTheJourneyRowByRow) {
  test::TempDir dir;
  RDictionary dict;
  test::LoadDictionary(dict, dir, test::CommonWords());
  RPegSystem pegs(dict);
  RMyPegs mine;
  mine.pegs["12"] = {"tie", "knee"};
  pegs.SetMine(mine);
  const std::vector<RDrillItem> items = DrillItems(TrainingPegs(pegs, 2));
  EXPECT_NE(std::find(items.begin(), items.end(), RDrillItem{"12", "tie knee"}), items.end());
  EXPECT_EQ(UsualPegDigits(pegs), 2);

  // Every digit at exactly one place, in order, no place across two rows,
  // the places named one after another along the journey.
  std::mt19937 random(17);
  for (int round = 0; round < 40; ++round) {
    const std::string digits = RandomDigits(20 + random() % 120, random());
    const int group = 2 + static_cast<int>(random() % 2);
    RJourney journey = DefaultJourney();
    journey.wordsPerPlace = 1 + static_cast<int>(random() % 4);
    const std::vector<RReviewPlace> places = LayOnJourney(dict, pegs, journey, digits, group);
    std::size_t next = 0;
    for (std::size_t k = 0; k < places.size(); ++k) {
      ASSERT_EQ(places[k].place, PlaceName(journey, k));
      ASSERT_EQ(places[k].firstDigit, next) << k;
      ASSERT_GT(places[k].digitCount, 0u);
      next += places[k].digitCount;
      ASSERT_EQ((places[k].firstDigit) / kRowDigits, (next - 1) / kRowDigits) << "place " << k << " spans two rows";
    }
    ASSERT_EQ(next, digits.size());
  }
}

// --- the files ----------------------------------------------------------------

RPegDrillRecord RandomRecord(std::mt19937& random) {
  RPegDrillRecord record;
  record.settings = RPegDrillSettings{random() % 2 ? DrillDirection::NumberToPeg : DrillDirection::PegToNumber,
                                      2 + static_cast<int>(random() % 2), 1 + static_cast<int>(random() % 999),
                                      kMinTargetMs + static_cast<int32_t>(random() % 50000)};
  const int pegs = static_cast<int>(random() % 60);
  for (int i = 0; i < pegs; ++i) {
    const int digits = 1 + static_cast<int>(random() % 3);
    std::string number;
    for (int d = 0; d < digits; ++d) number += static_cast<char>('0' + random() % 10);
    if (record.pegs.count(number)) continue;
    RPegTrack& track = record.pegs[number];
    track.lastDay = 19000 + static_cast<int32_t>(random() % 3000);
    track.again = random() % 2;
    const std::size_t answers = 1 + random() % kKeptAnswers;
    for (std::size_t a = 0; a < answers; ++a)
      track.answers.push_back(RPegAnswer{random() % 2 == 0, static_cast<int32_t>(random() % (kMaxAnswerMs + 1))});
  }
  const int days = static_cast<int>(random() % 30);
  for (int i = 0; i < days; ++i) {
    const int32_t answers = static_cast<int32_t>(random() % 500);
    record.days[19000 + static_cast<int32_t>(random() % 3000)] =
        RDrillDay{answers, answers > 0 ? static_cast<int32_t>(random() % answers) : 0,
                  static_cast<int64_t>(random() % (static_cast<uint64_t>(answers) * 5000 + 1))};
  }
  return record;
}

RNumbersHistory RandomHistory(std::mt19937& random) {
  RNumbersHistory history;
  history.settings = RNumbersSettings{kMinDrillDigits + static_cast<int>(random() % 1981),
                                      kMinDrillSeconds + static_cast<int32_t>(random() % 10000),
                                      kMinDrillSeconds + static_cast<int32_t>(random() % 10000),
                                      2 + static_cast<int>(random() % 2)};
  const int attempts = static_cast<int>(random() % 40);
  for (int i = 0; i < attempts; ++i) {
    RNumbersAttempt a;
    a.moment = static_cast<int64_t>(random()) * 7;
    a.digits = kMinDrillDigits + static_cast<int>(random() % 1981);
    a.score = static_cast<int>(random() % (a.digits + 1));
    a.memoriseSeconds = kMinDrillSeconds + static_cast<int32_t>(random() % 3600);
    a.memorisedSeconds = static_cast<int32_t>(random() % (a.memoriseSeconds + 1));
    a.recallSeconds = kMinDrillSeconds + static_cast<int32_t>(random() % 3600);
    history.attempts.push_back(a);
  }
  return history;
}

TEST(TrainingFiles, WhatIsWrittenReadsBackTheSame) {
  std::mt19937 random(5);
  for (int round = 0; round < 300; ++round) {
    const RPegDrillRecord record = RandomRecord(random);
    RPegDrillRecord back;
    back.pegs["1"];  // whatever was there goes
    ASSERT_EQ(ParsePegDrillText(PegDrillText(record), back), TrainingLoad::Loaded);
    ASSERT_EQ(back, record);
    const RNumbersHistory history = RandomHistory(random);
    RNumbersHistory read;
    read.attempts.resize(2);
    ASSERT_EQ(ParseNumbersHistoryText(NumbersHistoryText(history), read), TrainingLoad::Loaded);
    ASSERT_EQ(read, history);
  }
  // Answers the reader would refuse are not written: only the newest kept,
  // times within their bound.
  RPegDrillRecord record;
  for (int i = 0; i < 12; ++i) record.Add("37", RPegAnswer{i % 2 == 0, i == 11 ? kMaxAnswerMs + 5 : i}, 20522);
  record.pegs["1234"].answers.push_back({});  // no peg number
  RPegDrillRecord back;
  ASSERT_EQ(ParsePegDrillText(PegDrillText(record), back), TrainingLoad::Loaded);
  EXPECT_EQ(PegDrillText(back),
            "#TessaloquinePegDrill - 1\nS:n 2 20 2000\nP:37 2026-03-10 0 R4 W5 R6 W7 R8 W9 R10 W600000\n"
            "D:2026-03-10 12 6 600055\n");
}

TEST(TrainingFiles, DamagedFilesGiveAnEmptyRecord) {
  const std::string peg = "#TessaloquinePegDrill - 1\n", num = "#TessaloquineNumbersDrill - 1\n";
  const struct {
    const char* what;
    std::string text;
  } pegTable[] = {
      {"empty", ""},
      {"no header", "P:37 2026-01-01 0 R1\n"},
      {"the other file's header", num},
      {"unknown line", peg + "X:1\n"},
      {"no answer", peg + "P:37 2026-01-01 0\n"},
      {"no answer but a blank", peg + "P:37 2026-01-01 0 \n"},
      {"four digits", peg + "P:3712 2026-01-01 0 R1\n"},
      {"a letter in the number", peg + "P:3a 2026-01-01 0 R1\n"},
      {"flag 2", peg + "P:37 2026-01-01 2 R1\n"},
      {"answer without its mark", peg + "P:37 2026-01-01 0 1\n"},
      {"answer too slow", peg + "P:37 2026-01-01 0 R600001\n"},
      {"too many answers", peg + "P:37 2026-01-01 0 R1 R1 R1 R1 R1 R1 R1 R1 R1\n"},
      {"doubled blank", peg + "P:37 2026-01-01 0  R1\n"},
      {"a peg twice", peg + "P:37 2026-01-01 0 R1\nP:37 2026-01-02 0 R1\n"},
      {"impossible day", peg + "P:37 2026-02-30 0 R1\n"},
      {"more right than answers", peg + "D:2026-01-01 2 3 10\n"},
      {"more time than answers allow", peg + "D:2026-01-01 1 1 600001\n"},
      {"a day twice", peg + "D:2026-01-01 1 1 1\nD:2026-01-01 1 1 1\n"},
      {"settings twice", peg + "S:n 2 20 2000\nS:n 2 20 2000\n"},
      {"four-digit pegs", peg + "S:n 4 20 2000\n"},
      {"a target too short", peg + "S:p 2 20 10\n"},
      {"direction x", peg + "S:x 2 20 2000\n"},
      {"no items", peg + "S:n 2 0 2000\n"},
      {"too long", peg + std::string(kMaxPegDrillFile, '\n')},
  };
  for (const auto& row : pegTable) {
    RPegDrillRecord record;
    record.pegs["5"];
    EXPECT_EQ(ParsePegDrillText(row.text, record), TrainingLoad::Damaged) << row.what;
    EXPECT_EQ(record, RPegDrillRecord()) << row.what;
  }
  const struct {
    const char* what;
    std::string text;
  } numTable[] = {
      {"empty", ""},
      {"the other file's header", peg},
      {"a field missing", num + "A:1000 80 62 300 200\n"},
      {"score above the digits", num + "A:1000 80 81 300 200 900\n"},
      {"memorised longer than allowed", num + "A:1000 80 62 300 301 900\n"},
      {"too few digits", num + "A:1000 19 0 300 200 900\n"},
      {"too many digits", num + "A:1000 2001 0 300 200 900\n"},
      {"a negative moment", num + "A:-1 80 62 300 200 900\n"},
      {"group 4", num + "S:80 300 900 4\n"},
      {"settings twice", num + "S:80 300 900 2\nS:80 300 900 2\n"},
      {"recall too short", num + "S:80 300 9 2\n"},
      {"too long", num + std::string(kMaxNumbersHistoryFile, '\n')},
  };
  for (const auto& row : numTable) {
    RNumbersHistory history;
    history.attempts.resize(1);
    EXPECT_EQ(ParseNumbersHistoryText(row.text, history), TrainingLoad::Damaged) << row.what;
    EXPECT_EQ(history, RNumbersHistory()) << row.what;
  }
  // A later version's file is not damaged but newer, however long.
  RPegDrillRecord record;
  RNumbersHistory history;
  EXPECT_EQ(ParsePegDrillText("#TessaloquinePegDrill - 2\nQ:later\n", record), TrainingLoad::Newer);
  EXPECT_EQ(ParseNumbersHistoryText("#TessaloquineNumbersDrill - 3\n" + std::string(kMaxNumbersHistoryFile, 'x'),
                                    history),
            TrainingLoad::Newer);
  // Carriage returns and empty lines are fine.
  ASSERT_EQ(ParsePegDrillText(peg.substr(0, peg.size() - 1) + "\r\n\r\nP:07 2026-03-10 1 W900\r\n", record),
            TrainingLoad::Loaded);
  EXPECT_EQ(record.Find("07")->answers, (std::vector<RPegAnswer>{{false, 900}}));
  EXPECT_TRUE(record.Find("07")->again);
}

// The file as RTrainingFile reads it: the peg drill's record.
struct PegFile {
  RTrainingFile file{"peg drill record", kMaxPegDrillFile};
  RPegDrillRecord record;
  TrainingParser parse = [this](const std::string& text) { return ParsePegDrillText(text, record); };
  static TrainingLoad Check(const std::string& text) {
    RPegDrillRecord scratch;
    return ParsePegDrillText(text, scratch);
  }
};

TEST(TrainingFiles, AFileThatCannotBeTakenInIsNeverWrittenOver) {
  test::ScriptedPlatform platform;
  test::TempDir dir;
  const std::string path = dir.File(kPegDrillFileName);
  RPegDrillRecord ours;
  ours.Add("37", RPegAnswer{true, 1200}, 20522);
  const std::string text = PegDrillText(ours);

  // A damaged file is moved aside, whole, before the new one is written.
  dir.Write("pegdrill.txt", "#TessaloquinePegDrill - 1\nP:my own notes\n");
  {
    PegFile f;
    f.file.Open(path, f.parse);
    EXPECT_EQ(f.file.Found(), TrainingLoad::Damaged);
    EXPECT_TRUE(platform.statusAlert);
    ASSERT_TRUE(f.file.Write(text, PegFile::Check));
    EXPECT_EQ(dir.Read("pegdrill.txt.damaged"), "#TessaloquinePegDrill - 1\nP:my own notes\n");
    EXPECT_EQ(dir.Read("pegdrill.txt"), text);
    EXPECT_EQ(platform.statusText, "The damaged peg drill record was kept as '" + path + ".damaged'.");
  }

  // A newer version's file stays as it is, and so does one that was newer
  // when the drill began, even if it reads as ours by the time it is written.
  const std::string newer = "#TessaloquinePegDrill - 2\nP:37 later\n";
  dir.Write("pegdrill.txt", newer);
  {
    PegFile f;
    f.file.Open(path, f.parse);
    EXPECT_EQ(f.file.Found(), TrainingLoad::Newer);
    EXPECT_FALSE(f.file.Write(text, PegFile::Check));
    EXPECT_EQ(dir.Read("pegdrill.txt"), newer);
    const std::string mended = "#TessaloquinePegDrill - 1\nP:12 2026-01-01 0 R5\n";
    dir.Write("pegdrill.txt", mended);
    EXPECT_FALSE(f.file.Write(text, PegFile::Check));
    EXPECT_EQ(dir.Read("pegdrill.txt"), mended);
    EXPECT_EQ(platform.statusText,
              "The drill was not saved: the peg drill record '" + path + "' is from a newer version of Tessaloquine.");
  }
  // Written over by a newer version while the drill ran: left alone too.
  {
    PegFile f;
    f.file.Open(path, f.parse);
    ASSERT_EQ(f.file.Found(), TrainingLoad::Loaded);
    dir.Write("pegdrill.txt", newer);
    EXPECT_FALSE(f.file.Write(text, PegFile::Check));
    EXPECT_EQ(dir.Read("pegdrill.txt"), newer);
  }
  // One that cannot be read (a folder in its place reads as a disk error).
  test::TempDir other;
  std::filesystem::create_directory(other.File("pegdrill.txt"));
  {
    PegFile f;
    f.file.Open(PortablePaths(other.path()), kPegDrillFileName, f.parse);
    EXPECT_EQ(f.file.Found(), TrainingLoad::Unreadable);
    EXPECT_FALSE(f.file.Write(text, PegFile::Check));
    EXPECT_TRUE(std::filesystem::is_directory(other.File("pegdrill.txt")));
  }
}

}  // namespace
}  // namespace tq
