// The practice file beside a worksheet (for phone.tqw, phone.tqw.practice):
// the schedule of its numbers and the answers per day. The worksheet file
// itself never changes for practice, so older programs read it as before.
//
// A Windows-1252 text file of lines, each ended by a line feed (the reader
// also takes a carriage return before it, and a last line without one):
//
//   #TessaloquinePractice - 1
//   C:<digits> <occurrence> <box> <due> <right> <wrong>
//   D:<YYYY-MM-DD> <right> <wrong>
//
// one C line per card (the entry's digits and its occurrence among entries
// with those digits, from 1, the Leitner box 0 to 5, the moment it is due in
// seconds of local time since 1970, the count of right and of wrong
// answers), one D line per day with answers. Numbers are plain decimals; one
// blank separates the fields; empty lines are ignored. The writer puts the
// C lines in key order, then the D lines by date; the reader takes them in
// any order.
//
// The reader takes the file as hostile: it reads at most one byte more than
// kMaxPracticeFile, in one pass, and anything it does not understand (no
// header or a wrong one, a line that is neither C nor D, a field out of
// range, a repeated key or day, more than kMaxPracticeCards cards or
// kMaxPracticeDays days, a file longer than kMaxPracticeFile) makes the whole
// file damaged. A header with a version above 1 belongs to a newer program,
// whatever follows it and however long the file is. A file that is there but
// cannot be opened or read is unreadable. In each case the caller starts the
// schedule afresh; the worksheet opens regardless. A file that is there but
// that could not be taken in is never replaced as if it were missing (see
// SavePracticeFile).
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
// When a session ends, the tallies of days older than this many (today
// counted) are dropped before the file is written: the chart needs no more.
inline constexpr int32_t kKeptDays = 400;

// The practice file of a worksheet file; empty for an untitled worksheet.
std::string PracticeFileOf(const std::string& worksheetPath);

// Missing: no file there at all. Unreadable: a file that could not be read
// (no permission, a disk error), or something else than a file in its
// place (a folder, a named pipe), which is never read. Damaged: read, but not understood. Newer:
// written by a later version of the program.
enum class PracticeLoad { Missing, Loaded, Unreadable, Damaged, Newer };

// Parses the file's bytes into `schedule`, which is emptied first and stays
// empty unless the whole text is good.
PracticeLoad ParsePracticeText(const std::string& text, RPracticeSchedule& schedule);
// Reads the file at path. Missing only for an empty path or when there is
// no file; any other failure to open or read it is Unreadable, and `reason`
// gets the system's reason.
PracticeLoad ReadPracticeFile(const std::string& path, RPracticeSchedule& schedule, std::string* reason = nullptr);

// The file's bytes for a schedule: never more than the reader takes. Cards
// and days the reader would refuse are left out and counts below zero
// written as 0, boxes and due moments brought within their ranges; of more
// days than the reader takes, the newest stay. When the cards would not all
// fit, those of `keepFirst` (the worksheet's own numbers) are kept before the
// others.
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
  // The system's reason for an unreadable file or a failed rename, or
  // "File exists" when no name was free for a damaged file.
  std::string reason;
};
// Writes the schedule, but never over a file that could not be taken in;
// what is there is read again first. A damaged one is renamed aside (path +
// ".damaged", or ".damaged2" and so on up to ".damaged1000" when a name is
// taken: anything there at all, even a dangling link, takes it); when no
// name is free or the rename fails, nothing is written. One that cannot be
// read, or is from a newer version, is left as it is and nothing is
// written. Nothing is shown but the writer's own errors; the caller says
// what happened.
RPracticeSave SavePracticeFile(const std::string& path, const RPracticeSchedule& schedule,
                               const std::vector<RCardKey>& keepFirst = {});

// The practice file a worksheet's schedule belongs to, and what was found
// there when it was read. This is the one place where the practice file
// follows the worksheet's name, and it does so only when the worksheet was
// opened or started afresh (Open) or a save gave it its first file or a new
// name (Saved): never before a save succeeded, so a failed Save As leaves
// the schedule where it was, as it leaves the worksheet its name. A file that cannot be taken in is said in the status bar
// when it is found, and never written over unseen.
class RPracticeFileLink {
 public:
  // After the worksheet was opened, or started afresh (an empty path):
  // reads its schedule into `schedule`. A file that is there but cannot be
  // taken in leaves the schedule empty, and the status bar says, as an
  // alert, what is done with it: a damaged one is set aside when the
  // schedule is next written; one that cannot be read or is from a newer
  // version is left alone, and the schedule is not written beside this name.
  void Open(const std::string& worksheetPath, RPracticeSchedule& schedule);
  // After the worksheet was saved: when that gave it its first file or a
  // new name, the link follows it, and the schedule, when it holds any card
  // or day, is written beside it at once (the file beside the old name
  // stays). A file already there is only read, and one that cannot be read
  // or is from a newer version is said as Open says it, and kept; what
  // became of any other is said in the status bar, as an alert when the
  // schedule was not written.
  void Saved(const RWorksheet& worksheet, const RPracticeSchedule& schedule);
  // Writes the schedule beside the file it belongs to unless the file there
  // cannot be read or is from a newer version, as found when it was read or
  // now; a damaged one is set aside first. False when nothing was written.
  // `note` holds sentences, each after one blank: where a damaged file was
  // kept, and why nothing was written (nothing when the writer has shown its
  // own error).
  bool Write(const RWorksheet& worksheet, const RPracticeSchedule& schedule, std::string& note);

  // The worksheet file the schedule belongs to, and the practice file
  // beside it; both empty for an untitled worksheet.
  const std::string& WorksheetPath() const { return worksheetPath_; }
  const std::string& PracticePath() const { return practicePath_; }
  // True when the worksheet has a file but no practice file was there.
  bool NoneFound() const { return found_ == PracticeLoad::Missing && !practicePath_.empty(); }

 private:
  void Follow(const std::string& worksheetPath, RPracticeSchedule& read);
  // The practice file cannot be taken in and is kept as it is.
  bool Untouchable() const { return found_ == PracticeLoad::Unreadable || found_ == PracticeLoad::Newer; }

  std::string worksheetPath_;
  std::string practicePath_;
  // What was found at practicePath_ when the schedule was read, and why an
  // unreadable file could not be read.
  PracticeLoad found_ = PracticeLoad::Missing;
  std::string foundReason_;
};

}  // namespace tq
