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
// makes the whole file damaged; a header with a later version belongs to a
// newer program. The caller then starts the schedule afresh; the worksheet
// opens regardless. A file that is there but that could not be taken in is
// never replaced as if it were missing (see SavePracticeFile).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "PracticeSchedule.h"

namespace tq {

inline constexpr const char* kPracticeExtension = ".practice";
inline constexpr const char* kPracticeMagic = "TessaloquinePractice";
inline constexpr int kPracticeVersion = 1;
// The reader refuses a longer file, so the writer keeps within it too.
inline constexpr std::size_t kMaxPracticeFile = 8u << 20;
// The latest due moment either side takes: far ahead of any interval.
inline constexpr int64_t kLatestDue = int64_t{1} << 40;
inline constexpr std::size_t kMaxPracticeCards = 100000;
inline constexpr std::size_t kMaxPracticeDays = 4000;
// Longer digit strings are practised but not remembered.
inline constexpr std::size_t kMaxCardDigits = 1000;
// The writer keeps this many days of answers for the chart.
inline constexpr int32_t kKeptDays = 400;

// The practice file of a worksheet file; empty for an untitled worksheet.
std::string PracticeFileOf(const std::string& worksheetPath);

// Missing: no file there at all. Unreadable: a file that could not be read
// (no permission, a disk error). Damaged: read, but not understood. Newer:
// written by a later version of the program.
enum class PracticeLoad { Missing, Loaded, Unreadable, Damaged, Newer };

// Parses the file's bytes into `schedule`, which is emptied first and stays
// empty unless the whole text is good.
PracticeLoad ParsePracticeText(const std::string& text, RPracticeSchedule& schedule);
// Reads the file at path; for Unreadable, `reason` gets the system's reason.
PracticeLoad ReadPracticeFile(const std::string& path, RPracticeSchedule& schedule, std::string* reason = nullptr);

// The file's bytes for a schedule: never more than the reader takes. When
// the cards would not all fit, those of `keepFirst` (the worksheet's own
// numbers) are kept before the others.
std::string PracticeText(const RPracticeSchedule& schedule, const std::vector<RCardKey>& keepFirst = {});
// Writes the file through the atomic writer; on failure shows the program's
// usual error and keeps the old file.
bool WritePracticeFile(const std::string& path, const RPracticeSchedule& schedule,
                       const std::vector<RCardKey>& keepFirst = {});

// What SavePracticeFile found at the path and did.
struct RPracticeSave {
  bool written = false;
  PracticeLoad found = PracticeLoad::Missing;
  std::string keptAs;  // where a damaged file was set aside
  std::string reason;  // the system's reason for an unreadable file or a failed rename
};
// Writes the schedule, but never over a file that could not be taken in: a
// damaged one is first renamed aside (path + ".damaged", or ".damaged2" and
// so on when that name is taken); one that cannot be read, or is from a
// newer version, is left as it is and nothing is written. Nothing is shown
// but the writer's own errors; the caller says what happened.
RPracticeSave SavePracticeFile(const std::string& path, const RPracticeSchedule& schedule,
                               const std::vector<RCardKey>& keepFirst = {});

}  // namespace tq
