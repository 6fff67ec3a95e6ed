// The peg drill's record: per peg, its last answers and how long each took,
// and per day, how many answers and their time in all, for the chart of the
// mean time per day; and the drill's settings, so that the next drill starts
// as the last one was set. Kept in the user's data folder as pegdrill.txt
// (TrainingFile.h says how it is read and written):
//
//   #TessaloquinePegDrill - 1
//   S:<n|p> <digits> <items> <target>
//   P:<number> <YYYY-MM-DD> <again> <answer> ...
//   D:<YYYY-MM-DD> <answers> <right> <milliseconds>
//
// S, at most once: the direction (n: the number is shown and the peg typed;
// p: the peg is shown), the pegs' digits (2 or 3), the items a drill asks and
// the target time in milliseconds. P, once per peg drilled: the number with
// its leading zeros (1 to 3 digits), the day of its last answer, 1 when it
// comes first in the next drill (a wrong or slow answer in its last drill)
// or 0, then 1 to kKeptAnswers answers, the oldest first, each R (right) or
// W (wrong) and its time in milliseconds: R1840, W2510. D, once per day with
// answers: their count, how many were right and their time in all. Fields
// are separated by one blank; empty lines are ignored; the writer puts P in
// number order, then D by date, and the reader takes any order.
//
// Anything else (no header or a wrong one, an unknown line, a field out of
// range, a number or day given twice, more lines than the limits below, a
// file longer than kMaxPegDrillFile) makes the whole file damaged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "TrainingFile.h"

namespace tq {

inline constexpr const char* kPegDrillFileName = "pegdrill.txt";
inline constexpr const char* kPegDrillMagic = "TessaloquinePegDrill";
inline constexpr int kPegDrillVersion = 1;
inline constexpr std::size_t kMaxPegDrillFile = 1u << 20;
// Every peg of one, two and three digits, and more than ten years of days.
inline constexpr std::size_t kMaxDrilledPegs = 1110;
inline constexpr std::size_t kMaxDrillDays = 4000;
// Answers kept per peg: enough to see whether it is getting faster.
inline constexpr std::size_t kKeptAnswers = 8;
// An answer is timed up to this; a longer one is kept as this long.
inline constexpr int32_t kMaxAnswerMs = 600000;
// The settings' bounds.
inline constexpr int kMinDrillItems = 1;
inline constexpr int kMaxDrillItems = 1000;
inline constexpr int kDefaultDrillItems = 20;
inline constexpr int32_t kMinTargetMs = 200;
inline constexpr int32_t kMaxTargetMs = 60000;
inline constexpr int32_t kDefaultTargetMs = 2000;

enum class DrillDirection { NumberToPeg, PegToNumber };

struct RPegDrillSettings {
  DrillDirection direction = DrillDirection::NumberToPeg;
  int digits = 2;
  int items = kDefaultDrillItems;
  int32_t targetMs = kDefaultTargetMs;
  bool operator==(const RPegDrillSettings&) const = default;
};

struct RPegAnswer {
  bool right = false;
  int32_t ms = 0;
  bool operator==(const RPegAnswer&) const = default;
};

struct RPegTrack {
  int32_t lastDay = 0;  // days since 1970 (DayOf)
  bool again = false;   // comes first in the next drill
  std::vector<RPegAnswer> answers;  // the oldest first, at most kKeptAnswers
  bool operator==(const RPegTrack&) const = default;
};

struct RDrillDay {
  int32_t answers = 0;
  int32_t right = 0;
  int64_t totalMs = 0;
  bool operator==(const RDrillDay&) const = default;
};

class RPegDrillRecord {
 public:
  RPegDrillSettings settings;
  std::map<std::string, RPegTrack> pegs;
  std::map<int32_t, RDrillDay> days;

  // Adds an answer to the peg's track (dropping its oldest beyond
  // kKeptAnswers) and to the day's tally; the time is kept within 0 to
  // kMaxAnswerMs.
  void Add(const std::string& number, const RPegAnswer& answer, int32_t day);
  const RPegTrack* Find(const std::string& number) const;
  void Clear() { *this = RPegDrillRecord(); }
  bool operator==(const RPegDrillRecord&) const = default;
};


// The file's bytes into `record`, which is emptied first and stays empty
// unless the whole text is good.
TrainingLoad ParsePegDrillText(const std::string& text, RPegDrillRecord& record);
// The bytes for a record: only what the reader takes back (pegs with a
// number the reader refuses, and their answers beyond the last
// kKeptAnswers, are left out; of more days than it takes, the newest stay;
// settings and counts brought within their bounds).
std::string PegDrillText(const RPegDrillRecord& record);

}  // namespace tq
