// The practice file beside a worksheet (for phone.tqw, phone.tqw.practice):
// the schedule of its numbers and the answers per day. The worksheet file
// itself never changes for practice, so older programs read it as before.
//
// A Windows-1252 text file of lines, each ended by a line feed (a carriage
// return before it is accepted):
//
//   #TessaloquinePractice - 1
//   C:<digits> <occurrence> <box> <due> <right> <wrong>
//   D:<YYYY-MM-DD> <right> <wrong>
//
// one C line per card (the entry's digits and its occurrence among entries
// with those digits, the Leitner box 0 to 5, the moment it is due in seconds
// of local time since 1970, the count of right and of wrong answers), one D
// line per day with answers. Numbers are plain decimals; one blank separates
// the fields; empty lines are ignored.
//
// The reader takes the file as hostile: it reads at most kMaxPracticeFile
// bytes, in one pass, and anything it does not understand (a wrong header, a
// field out of range, a repeated key, too many cards or days, a longer file)
// makes the whole file damaged. The caller then starts the schedule afresh;
// the worksheet opens regardless.
#pragma once

#include <cstddef>
#include <string>

#include "PracticeSchedule.h"

namespace tq {

inline constexpr const char* kPracticeExtension = ".practice";
inline constexpr const char* kPracticeMagic = "TessaloquinePractice";
inline constexpr int kPracticeVersion = 1;
inline constexpr std::size_t kMaxPracticeFile = 8u << 20;
inline constexpr std::size_t kMaxPracticeCards = 100000;
inline constexpr std::size_t kMaxPracticeDays = 4000;
// Longer digit strings are practised but not remembered.
inline constexpr std::size_t kMaxCardDigits = 1000;
// The writer keeps this many days of answers for the chart.
inline constexpr int32_t kKeptDays = 400;

// The practice file of a worksheet file; empty for an untitled worksheet.
std::string PracticeFileOf(const std::string& worksheetPath);

enum class PracticeLoad { Missing, Loaded, Damaged };

// Parses the file's bytes into `schedule`, which is emptied first and stays
// empty unless the whole text is good.
PracticeLoad ParsePracticeText(const std::string& text, RPracticeSchedule& schedule);
// Reads the file at path; Missing when there is none (or it cannot be read).
PracticeLoad ReadPracticeFile(const std::string& path, RPracticeSchedule& schedule);

// The file's bytes for a schedule.
std::string PracticeText(const RPracticeSchedule& schedule);
// Writes the file through the atomic writer; on failure shows the program's
// usual error and keeps the old file.
bool WritePracticeFile(const std::string& path, const RPracticeSchedule& schedule);

}  // namespace tq
