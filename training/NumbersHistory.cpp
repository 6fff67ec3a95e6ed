#include "NumbersHistory.h"

#include <algorithm>
#include <string_view>

#include "FileIO.h"

namespace tq {
namespace {

bool ParseSettings(std::string_view line, RNumbersSettings& settings) {
  std::string_view f[4];
  if (!SplitTrainingFields(line, f, 4)) return false;
  int64_t digits = 0, memorise = 0, recall = 0, group = 0;
  if (!ParseTrainingNumber(f[0], kMinDrillDigits, kMaxDrillDigits, digits) ||
      !ParseTrainingNumber(f[1], kMinDrillSeconds, kMaxDrillSeconds, memorise) ||
      !ParseTrainingNumber(f[2], kMinDrillSeconds, kMaxDrillSeconds, recall) || !ParseTrainingNumber(f[3], 2, 3, group))
    return false;
  settings = RNumbersSettings{static_cast<int>(digits), static_cast<int32_t>(memorise), static_cast<int32_t>(recall),
                              static_cast<int>(group)};
  return true;
}

bool ParseAttempt(std::string_view line, RNumbersAttempt& attempt) {
  std::string_view f[6];
  if (!SplitTrainingFields(line, f, 6)) return false;
  int64_t moment = 0, digits = 0, score = 0, memorise = 0, memorised = 0, recall = 0;
  if (!ParseTrainingNumber(f[0], 0, kLatestAttempt, moment) ||
      !ParseTrainingNumber(f[1], kMinDrillDigits, kMaxDrillDigits, digits) ||
      !ParseTrainingNumber(f[2], 0, digits, score) ||
      !ParseTrainingNumber(f[3], kMinDrillSeconds, kMaxDrillSeconds, memorise) ||
      !ParseTrainingNumber(f[4], 0, memorise, memorised) ||
      !ParseTrainingNumber(f[5], kMinDrillSeconds, kMaxDrillSeconds, recall))
    return false;
  attempt = RNumbersAttempt{moment,
                            static_cast<int>(digits),
                            static_cast<int>(score),
                            static_cast<int32_t>(memorise),
                            static_cast<int32_t>(memorised),
                            static_cast<int32_t>(recall)};
  return true;
}

bool Writable(const RNumbersAttempt& a) {
  return a.moment >= 0 && a.moment <= kLatestAttempt && a.digits >= kMinDrillDigits && a.digits <= kMaxDrillDigits &&
         a.score >= 0 && a.score <= a.digits && a.memoriseSeconds >= kMinDrillSeconds &&
         a.memoriseSeconds <= kMaxDrillSeconds && a.memorisedSeconds >= 0 && a.memorisedSeconds <= a.memoriseSeconds &&
         a.recallSeconds >= kMinDrillSeconds && a.recallSeconds <= kMaxDrillSeconds;
}

TrainingLoad Parse(const std::string& text, RNumbersHistory& history) {
  LineCursor lines(text);
  std::string_view line;
  if (!lines.Next(line)) return TrainingLoad::Damaged;
  if (const TrainingLoad header = CheckTrainingHeader(line, kNumbersHistoryMagic, kNumbersHistoryVersion);
      header != TrainingLoad::Loaded)
    return header;
  bool settingsRead = false;
  while (lines.Next(line)) {
    if (line.empty()) continue;
    const std::string_view kind = line.substr(0, 2), rest = line.substr(std::min<std::size_t>(2, line.size()));
    if (kind == "S:") {
      if (settingsRead || !ParseSettings(rest, history.settings)) return TrainingLoad::Damaged;
      settingsRead = true;
    } else if (kind == "A:") {
      RNumbersAttempt attempt;
      if (history.attempts.size() >= kMaxAttempts || !ParseAttempt(rest, attempt)) return TrainingLoad::Damaged;
      history.attempts.push_back(attempt);
    } else {
      return TrainingLoad::Damaged;
    }
  }
  return TrainingLoad::Loaded;
}

}  // namespace

const RNumbersAttempt* RNumbersHistory::Best() const {
  const RNumbersAttempt* best = nullptr;
  for (const RNumbersAttempt& attempt : attempts)
    if (!best || attempt.score > best->score) best = &attempt;
  return best;
}

TrainingLoad ParseNumbersHistoryText(const std::string& text, RNumbersHistory& history) {
  history = RNumbersHistory();
  if (text.size() > kMaxNumbersHistoryFile) {
    const bool newer = Parse(text.substr(0, text.find('\n')), history) == TrainingLoad::Newer;
    history = RNumbersHistory();
    return newer ? TrainingLoad::Newer : TrainingLoad::Damaged;
  }
  const TrainingLoad result = Parse(text, history);
  if (result != TrainingLoad::Loaded) history = RNumbersHistory();
  return result;
}

std::string NumbersHistoryText(const RNumbersHistory& history) {
  const RNumbersSettings& s = history.settings;
  std::string text = TrainingHeader(kNumbersHistoryMagic, kNumbersHistoryVersion) + '\n';
  text += "S:" + std::to_string(std::clamp(s.digits, kMinDrillDigits, kMaxDrillDigits)) + ' ' +
          std::to_string(std::clamp(s.memoriseSeconds, kMinDrillSeconds, kMaxDrillSeconds)) + ' ' +
          std::to_string(std::clamp(s.recallSeconds, kMinDrillSeconds, kMaxDrillSeconds)) + ' ' +
          std::to_string(std::clamp(s.group, 2, 3)) + '\n';
  // 10,000 lines of at most 60 bytes: within the file's limit.
  std::size_t writable = 0;
  for (const RNumbersAttempt& a : history.attempts) writable += Writable(a) ? 1 : 0;
  std::size_t skip = writable > kMaxAttempts ? writable - kMaxAttempts : 0;
  for (const RNumbersAttempt& a : history.attempts) {
    if (!Writable(a)) continue;
    if (skip > 0) {
      --skip;
      continue;
    }
    text += "A:" + std::to_string(a.moment) + ' ' + std::to_string(a.digits) + ' ' + std::to_string(a.score) + ' ' +
            std::to_string(a.memoriseSeconds) + ' ' + std::to_string(a.memorisedSeconds) + ' ' +
            std::to_string(a.recallSeconds) + '\n';
  }
  return text;
}

}  // namespace tq
