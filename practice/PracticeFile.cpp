#include "PracticeFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <set>
#include <string_view>

#include "AtomicFile.h"
#include "FileIO.h"
#include "Messages.h"
#include "RWorksheet.h"

namespace tq {
namespace {

// Splits a line at single blanks into exactly `count` fields; false for any
// other shape (doubled blanks, a trailing blank, a missing field).
bool SplitFields(std::string_view line, std::string_view* fields, int count) {
  for (int i = 0; i < count; ++i) {
    const std::size_t blank = i + 1 < count ? line.find(' ') : std::string_view::npos;
    fields[i] = line.substr(0, blank);
    if (fields[i].empty() || fields[i].find(' ') != std::string_view::npos) return false;
    if (blank == std::string_view::npos) {
      if (i + 1 < count) return false;
    } else {
      line.remove_prefix(blank + 1);
    }
  }
  return true;
}

// A plain decimal between low and high: digits only, no sign, no blanks.
bool ParseNumber(std::string_view text, int64_t low, int64_t high, int64_t& value) {
  if (text.empty() || text.size() > 18) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value >= low && value <= high;
}

bool AllDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return !text.empty();
}

constexpr int64_t kMaxCount = INT32_MAX;

bool ParseCard(std::string_view line, RPracticeSchedule& schedule) {
  std::string_view f[6];
  if (!SplitFields(line, f, 6)) return false;
  if (!AllDigits(f[0]) || f[0].size() > kMaxCardDigits) return false;
  int64_t occurrence = 0, box = 0, due = 0, right = 0, wrong = 0;
  if (!ParseNumber(f[1], 1, kMaxPracticeCards, occurrence) || !ParseNumber(f[2], 0, kTopBox, box) ||
      !ParseNumber(f[3], 0, kLatestDue, due) || !ParseNumber(f[4], 0, kMaxCount, right) ||
      !ParseNumber(f[5], 0, kMaxCount, wrong))
    return false;
  const RCardKey key{std::string(f[0]), static_cast<int32_t>(occurrence)};
  if (schedule.Find(key)) return false;
  schedule.SetCard(key, RCard{static_cast<int32_t>(box), due, static_cast<int32_t>(right),
                              static_cast<int32_t>(wrong)});
  return true;
}

bool ParseDayLine(std::string_view line, RPracticeSchedule& schedule) {
  std::string_view f[3];
  if (!SplitFields(line, f, 3)) return false;
  int32_t day = 0;
  int64_t right = 0, wrong = 0;
  if (!ParseDay(std::string(f[0]), day) || !ParseNumber(f[1], 0, kMaxCount, right) ||
      !ParseNumber(f[2], 0, kMaxCount, wrong))
    return false;
  if (schedule.Days().count(day)) return false;
  schedule.SetDay(day, RDayTally{static_cast<int32_t>(right), static_cast<int32_t>(wrong)});
  return true;
}

// "#<magic> - " and the version: what this version writes, and what a later
// version's header begins with.
std::string HeaderPrefix() { return std::string("#") + kPracticeMagic + " - "; }
std::string HeaderLine() { return HeaderPrefix() + std::to_string(kPracticeVersion); }

PracticeLoad Parse(const std::string& text, RPracticeSchedule& schedule) {
  LineCursor lines(text);
  std::string_view line;
  if (!lines.Next(line)) return PracticeLoad::Damaged;
  if (line != HeaderLine()) {
    // A later version may hold anything after its header; it is not ours to judge.
    const std::string prefix = HeaderPrefix();
    int64_t version = 0;
    if (line.substr(0, prefix.size()) == prefix &&
        ParseNumber(line.substr(prefix.size()), kPracticeVersion + 1, INT32_MAX, version))
      return PracticeLoad::Newer;
    return PracticeLoad::Damaged;
  }
  while (lines.Next(line)) {
    if (line.empty()) continue;
    if (line.substr(0, 2) == "C:") {
      if (schedule.Cards().size() >= kMaxPracticeCards || !ParseCard(line.substr(2), schedule))
        return PracticeLoad::Damaged;
    } else if (line.substr(0, 2) == "D:") {
      if (schedule.Days().size() >= kMaxPracticeDays || !ParseDayLine(line.substr(2), schedule))
        return PracticeLoad::Damaged;
    } else {
      return PracticeLoad::Damaged;
    }
  }
  return PracticeLoad::Loaded;
}

}  // namespace

std::string PracticeFileOf(const std::string& worksheetPath) {
  return worksheetPath.empty() ? std::string() : worksheetPath + kPracticeExtension;
}

PracticeLoad ParsePracticeText(const std::string& text, RPracticeSchedule& schedule) {
  schedule.Clear();
  if (text.size() > kMaxPracticeFile) {
    // Too long for this version; a newer one may write longer files.
    const bool newer = Parse(text.substr(0, text.find('\n')), schedule) == PracticeLoad::Newer;
    schedule.Clear();
    return newer ? PracticeLoad::Newer : PracticeLoad::Damaged;
  }
  const PracticeLoad result = Parse(text, schedule);
  if (result != PracticeLoad::Loaded) schedule.Clear();
  return result;
}

PracticeLoad ReadPracticeFile(const std::string& path, RPracticeSchedule& schedule, std::string* reason) {
  schedule.Clear();
  std::string text;
  switch (ReadFileUpTo(path, kMaxPracticeFile, text, reason)) {
    case FileRead::Missing:
      return PracticeLoad::Missing;
    case FileRead::NotAFile:
    case FileRead::Unreadable:
      return PracticeLoad::Unreadable;
    case FileRead::Read:
      break;
  }
  return ParsePracticeText(text, schedule);
}

std::string PracticeText(const RPracticeSchedule& schedule, const std::vector<RCardKey>& keepFirst) {
  // Only what the reader takes back: a card or a day beyond its limits is
  // left out (or, for a due moment, brought within them) rather than making
  // the whole file unreadable.
  const std::string header = HeaderLine() + "\n";
  int32_t first = 0, last = 0;
  ParseDay("0000-01-01", first);
  ParseDay("9999-12-31", last);
  std::size_t days = 0;
  // The newest days win when there are more than the reader takes.
  for (auto it = schedule.Days().lower_bound(first); it != schedule.Days().end() && it->first <= last; ++it) ++days;
  std::size_t skip = days > kMaxPracticeDays ? days - kMaxPracticeDays : 0;
  std::string dayLines;
  for (auto it = schedule.Days().lower_bound(first); it != schedule.Days().end() && it->first <= last; ++it) {
    if (skip > 0) {
      --skip;
      continue;
    }
    dayLines += "D:" + FormatDay(it->first) + ' ' + std::to_string(std::max(it->second.right, 0)) + ' ' +
                std::to_string(std::max(it->second.wrong, 0)) + '\n';
  }

  // The cards share what room the days leave; at most kMaxPracticeDays short
  // lines, so there is always room for many.
  std::vector<std::pair<const RCardKey*, std::string>> lines;
  for (const auto& [key, card] : schedule.Cards()) {
    if (key.digits.empty() || key.digits.size() > kMaxCardDigits || !AllDigits(key.digits)) continue;
    if (key.occurrence < 1 || key.occurrence > static_cast<int64_t>(kMaxPracticeCards)) continue;
    const int64_t due = std::clamp<int64_t>(card.due, 0, kLatestDue);
    lines.emplace_back(&key, "C:" + key.digits + ' ' + std::to_string(key.occurrence) + ' ' +
                                 std::to_string(std::clamp(card.box, 0, kTopBox)) + ' ' + std::to_string(due) + ' ' +
                                 std::to_string(std::max(card.right, 0)) + ' ' +
                                 std::to_string(std::max(card.wrong, 0)) + '\n');
  }
  std::vector<bool> kept(lines.size(), false);
  std::size_t room = kMaxPracticeFile - header.size() - dayLines.size(), cards = 0;
  const std::set<RCardKey> preferred(keepFirst.begin(), keepFirst.end());
  for (const bool firstPass : {true, false}) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (kept[i] || cards >= kMaxPracticeCards || preferred.count(*lines[i].first) != (firstPass ? 1u : 0u)) continue;
      if (lines[i].second.size() > room) continue;
      kept[i] = true;
      room -= lines[i].second.size();
      ++cards;
    }
  }
  std::string out = header;
  out.reserve(kMaxPracticeFile - room);
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (kept[i]) out += lines[i].second;
  return out + dayLines;
}

bool WritePracticeFile(const std::string& path, const RPracticeSchedule& schedule,
                       const std::vector<RCardKey>& keepFirst) {
  AtomicFile out(path);
  std::FILE* file = out.OpenOrReport();
  if (!file) return false;
  const std::string text = PracticeText(schedule, keepFirst);
  std::fwrite(text.data(), 1, text.size(), file);
  return out.CommitOrReport("Error writing to file '" + NativeText(path) + "'. The disk could be full.");
}

RPracticeSave SavePracticeFile(const std::string& path, const RPracticeSchedule& schedule,
                               const std::vector<RCardKey>& keepFirst) {
  RPracticeSave save;
  RPracticeSchedule there;
  save.found = ReadPracticeFile(path, there, &save.reason);
  switch (save.found) {
    case PracticeLoad::Missing:
    case PracticeLoad::Loaded:
      break;
    case PracticeLoad::Unreadable:
    case PracticeLoad::Newer:
      return save;
    case PracticeLoad::Damaged:
      save.keptAs = KeepAside(path, ".damaged", KeepBy::Moving, save.reason);
      if (save.keptAs.empty()) return save;
      break;
  }
  save.written = WritePracticeFile(path, schedule, keepFirst);
  return save;
}

namespace {

// Why a practice file is left as it is: a sentence without its capital and
// its full stop. Anything but an unreadable or newer file is a damaged one
// that could not be set aside.
std::string UntouchedText(const std::string& path, PracticeLoad found, const std::string& reason) {
  const std::string file = "the practice file '" + NativeText(path) + "'";
  switch (found) {
    case PracticeLoad::Unreadable: return file + " could not be read (" + reason + ")";
    case PracticeLoad::Newer: return file + " is from a newer version of Tessaloquine";
    default: return file + " is damaged and could not be set aside (" + reason + ")";
  }
}

}  // namespace

void RPracticeFileLink::Follow(const std::string& worksheetPath, RPracticeSchedule& read) {
  worksheetPath_ = worksheetPath;
  practicePath_ = PracticeFileOf(worksheetPath);
  found_ = ReadPracticeFile(practicePath_, read, &foundReason_);
  if (found_ == PracticeLoad::Damaged) {
    ShowStatusAlert("The practice file '" + NativeText(practicePath_) +
                    "' is damaged; the schedule starts afresh. It will be kept aside, not overwritten.");
  } else if (Untouchable()) {
    std::string text = UntouchedText(practicePath_, found_, foundReason_) +
                       ". It is left as it is, and practice on this worksheet is not saved.";
    text[0] = 'T';
    ShowStatusAlert(text);
  }
}

void RPracticeFileLink::Open(const std::string& worksheetPath, RPracticeSchedule& schedule) {
  Follow(worksheetPath, schedule);
}

void RPracticeFileLink::Saved(const RWorksheet& worksheet, const RPracticeSchedule& schedule) {
  if (worksheet.FileName() == worksheetPath_ || worksheet.FileName().empty()) return;
  // The schedule held goes with the worksheet; what is there is only
  // looked at, so that a file that cannot be taken in is kept.
  RPracticeSchedule there;
  Follow(worksheet.FileName(), there);
  if (schedule.Cards().empty() && schedule.Days().empty()) return;
  if (Untouchable()) return;  // said above
  std::string note;
  const bool written = Write(worksheet, schedule, note);
  if (!note.empty()) {
    if (written)
      ShowStatus(note.substr(1));
    else
      ShowStatusAlert(note.substr(1));
  }
}

bool RPracticeFileLink::Write(const RWorksheet& worksheet, const RPracticeSchedule& schedule, std::string& note) {
  note.clear();
  // A file read as unreadable or newer stays so even if it reads now: what
  // is held here was started without it.
  if (Untouchable()) {
    note = " The schedule was not saved: " + UntouchedText(practicePath_, found_, foundReason_) + ".";
    return false;
  }
  const RPracticeSave save = SavePracticeFile(practicePath_, schedule, KeysOf(worksheet));
  if (!save.keptAs.empty()) note = " The damaged practice file was kept as '" + NativeText(save.keptAs) + "'.";
  if (save.written) {
    found_ = PracticeLoad::Loaded;
    return true;
  }
  if (save.found != PracticeLoad::Missing && save.found != PracticeLoad::Loaded)
    note += " The schedule was not saved: " + UntouchedText(practicePath_, save.found, save.reason) + ".";
  return false;
}

}  // namespace tq
