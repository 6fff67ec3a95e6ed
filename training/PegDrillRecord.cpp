#include "PegDrillRecord.h"

#include <algorithm>
#include <string_view>

#include "FileIO.h"
#include "PracticeSchedule.h"  // the days: DayOf, FormatDay, ParseDay

namespace tq {
namespace {

constexpr int64_t kMaxCount = INT32_MAX;

bool IsPegNumber(std::string_view number) {
  if (number.empty() || number.size() > 3) return false;
  return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Both bounds of a day the file may name, as ParseDay takes them.
bool DayInFile(int32_t day) {
  static const auto bounds = [] {
    std::pair<int32_t, int32_t> b{0, 0};
    ParseDay("0000-01-01", b.first);
    ParseDay("9999-12-31", b.second);
    return b;
  }();
  return day >= bounds.first && day <= bounds.second;
}

bool ParseSettings(std::string_view line, RPegDrillSettings& settings) {
  std::string_view f[4];
  if (!SplitTrainingFields(line, f, 4)) return false;
  int64_t digits = 0, items = 0, target = 0;
  if (f[0] != "n" && f[0] != "p") return false;
  if (!ParseTrainingNumber(f[1], 2, 3, digits) || !ParseTrainingNumber(f[2], kMinDrillItems, kMaxDrillItems, items) ||
      !ParseTrainingNumber(f[3], kMinTargetMs, kMaxTargetMs, target))
    return false;
  settings.direction = f[0] == "n" ? DrillDirection::NumberToPeg : DrillDirection::PegToNumber;
  settings.digits = static_cast<int>(digits);
  settings.items = static_cast<int>(items);
  settings.targetMs = static_cast<int32_t>(target);
  return true;
}

bool ParsePeg(std::string_view line, RPegDrillRecord& record) {
  // The number, the day and the flag, then the answers.
  std::string_view head[3];
  std::size_t cut = 0;
  for (int blanks = 0; blanks < 3; ++blanks) {
    cut = line.find(' ', cut);
    if (cut == std::string_view::npos) return false;
    ++cut;
  }
  if (!SplitTrainingFields(line.substr(0, cut - 1), head, 3)) return false;
  RPegTrack track;
  int64_t again = 0;
  if (!IsPegNumber(head[0]) || !ParseDay(std::string(head[1]), track.lastDay) ||
      !ParseTrainingNumber(head[2], 0, 1, again))
    return false;
  track.again = again == 1;
  std::string_view answers = line.substr(cut);
  while (true) {
    const std::size_t blank = answers.find(' ');
    const std::string_view answer = answers.substr(0, blank);
    if (answer.size() < 2 || (answer[0] != 'R' && answer[0] != 'W')) return false;
    int64_t ms = 0;
    if (!ParseTrainingNumber(answer.substr(1), 0, kMaxAnswerMs, ms)) return false;
    if (track.answers.size() >= kKeptAnswers) return false;
    track.answers.push_back(RPegAnswer{answer[0] == 'R', static_cast<int32_t>(ms)});
    if (blank == std::string_view::npos) break;
    answers.remove_prefix(blank + 1);
  }
  return record.pegs.emplace(std::string(head[0]), std::move(track)).second;
}

bool ParseDayLine(std::string_view line, RPegDrillRecord& record) {
  std::string_view f[4];
  if (!SplitTrainingFields(line, f, 4)) return false;
  int32_t day = 0;
  int64_t answers = 0, right = 0, total = 0;
  if (!ParseDay(std::string(f[0]), day) || !ParseTrainingNumber(f[1], 0, kMaxCount, answers) ||
      !ParseTrainingNumber(f[2], 0, answers, right) || !ParseTrainingNumber(f[3], 0, answers * kMaxAnswerMs, total))
    return false;
  return record.days
      .emplace(day, RDrillDay{static_cast<int32_t>(answers), static_cast<int32_t>(right), total})
      .second;
}

TrainingLoad Parse(const std::string& text, RPegDrillRecord& record) {
  LineCursor lines(text);
  std::string_view line;
  if (!lines.Next(line)) return TrainingLoad::Damaged;
  if (const TrainingLoad header = CheckTrainingHeader(line, kPegDrillMagic, kPegDrillVersion);
      header != TrainingLoad::Loaded)
    return header;
  bool settingsRead = false;
  while (lines.Next(line)) {
    if (line.empty()) continue;
    const std::string_view kind = line.substr(0, 2), rest = line.substr(std::min<std::size_t>(2, line.size()));
    if (kind == "S:") {
      if (settingsRead || !ParseSettings(rest, record.settings)) return TrainingLoad::Damaged;
      settingsRead = true;
    } else if (kind == "P:") {
      if (record.pegs.size() >= kMaxDrilledPegs || !ParsePeg(rest, record)) return TrainingLoad::Damaged;
    } else if (kind == "D:") {
      if (record.days.size() >= kMaxDrillDays || !ParseDayLine(rest, record)) return TrainingLoad::Damaged;
    } else {
      return TrainingLoad::Damaged;
    }
  }
  return TrainingLoad::Loaded;
}

}  // namespace

void RPegDrillRecord::Add(const std::string& number, const RPegAnswer& answer, int32_t day) {
  const RPegAnswer kept{answer.right, std::clamp(answer.ms, 0, kMaxAnswerMs)};
  RPegTrack& track = pegs[number];
  track.lastDay = day;
  track.answers.push_back(kept);
  if (track.answers.size() > kKeptAnswers)
    track.answers.erase(track.answers.begin(), track.answers.end() - static_cast<std::ptrdiff_t>(kKeptAnswers));
  RDrillDay& tally = days[day];
  if (tally.answers == INT32_MAX) return;
  ++tally.answers;
  tally.right += kept.right ? 1 : 0;
  tally.totalMs += kept.ms;
}

const RPegTrack* RPegDrillRecord::Find(const std::string& number) const {
  const auto it = pegs.find(number);
  return it == pegs.end() ? nullptr : &it->second;
}

TrainingLoad ParsePegDrillText(const std::string& text, RPegDrillRecord& record) {
  record.Clear();
  if (text.size() > kMaxPegDrillFile) {
    // Too long for this version; a newer one may write longer files.
    const bool newer = Parse(text.substr(0, text.find('\n')), record) == TrainingLoad::Newer;
    record.Clear();
    return newer ? TrainingLoad::Newer : TrainingLoad::Damaged;
  }
  const TrainingLoad result = Parse(text, record);
  if (result != TrainingLoad::Loaded) record.Clear();
  return result;
}

std::string PegDrillText(const RPegDrillRecord& record) {
  const RPegDrillSettings& s = record.settings;
  std::string text = TrainingHeader(kPegDrillMagic, kPegDrillVersion) + '\n';
  text += std::string("S:") + (s.direction == DrillDirection::NumberToPeg ? 'n' : 'p') + ' ' +
          std::to_string(std::clamp(s.digits, 2, 3)) + ' ' +
          std::to_string(std::clamp(s.items, kMinDrillItems, kMaxDrillItems)) + ' ' +
          std::to_string(std::clamp(s.targetMs, kMinTargetMs, kMaxTargetMs)) + '\n';
  // At most 1110 pegs of at most 8 answers and 400 days of short lines: far
  // within the file's limit, so nothing else needs to give way.
  std::size_t pegs = 0;
  for (const auto& [number, track] : record.pegs) {
    if (!IsPegNumber(number) || track.answers.empty() || !DayInFile(track.lastDay) || pegs >= kMaxDrilledPegs)
      continue;
    ++pegs;
    text += "P:" + number + ' ' + FormatDay(track.lastDay) + ' ' + (track.again ? '1' : '0');
    const std::size_t first = track.answers.size() > kKeptAnswers ? track.answers.size() - kKeptAnswers : 0;
    for (std::size_t i = first; i < track.answers.size(); ++i)
      text += std::string(" ") + (track.answers[i].right ? 'R' : 'W') +
              std::to_string(std::clamp(track.answers[i].ms, 0, kMaxAnswerMs));
    text += '\n';
  }
  std::size_t days = 0;
  for (const auto& [day, tally] : record.days) days += DayInFile(day) ? 1 : 0;
  std::size_t skip = days > kMaxDrillDays ? days - kMaxDrillDays : 0;
  for (const auto& [day, tally] : record.days) {
    if (!DayInFile(day)) continue;
    if (skip > 0) {
      --skip;
      continue;
    }
    const int32_t answers = std::max(tally.answers, 0);
    const int32_t right = std::clamp(tally.right, 0, answers);
    const int64_t total = std::clamp<int64_t>(tally.totalMs, 0, int64_t{answers} * kMaxAnswerMs);
    text += "D:" + FormatDay(day) + ' ' + std::to_string(answers) + ' ' + std::to_string(right) + ' ' +
            std::to_string(total) + '\n';
  }
  return text;
}

}  // namespace tq
