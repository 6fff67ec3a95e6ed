// The numbers drill's history: every scored attempt, and the drill's
// settings, kept in the user's data folder as numbersdrill.txt, beside the
// peg drill's record (TrainingFile.h says how it is read and written):
//
//   #TessaloquineNumbersDrill - 1
//   S:<digits> <memorise> <recall> <group>
//   A:<moment> <digits> <score> <memorise> <memorised> <recall>
//
// S, at most once: the digits of an attempt (kMinDrillDigits to
// kMaxDrillDigits), the memorising and the recall time in seconds, and
// whether the digits are shown in groups of 2 or 3. A, once per attempt, the
// oldest first: when it ended (seconds of local time since 1970), its
// digits, its score (0 to the digits), the memorising time it had, the time
// taken to memorise (at most what it had) and the recall time it had.
// Fields are separated by one blank; empty lines are ignored.
//
// Anything else (no header or a wrong one, an unknown line, a field out of
// range, more than kMaxAttempts attempts, a file longer than
// kMaxNumbersHistoryFile) makes the whole file damaged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "TrainingFile.h"

namespace tq {

inline constexpr const char* kNumbersHistoryFileName = "numbersdrill.txt";
inline constexpr const char* kNumbersHistoryMagic = "TessaloquineNumbersDrill";
inline constexpr int kNumbersHistoryVersion = 1;
inline constexpr std::size_t kMaxNumbersHistoryFile = 1u << 20;
// Ten attempts a day for more than two years; the writer keeps the newest.
inline constexpr std::size_t kMaxAttempts = 10000;
inline constexpr int kMinDrillDigits = 20;
inline constexpr int kMaxDrillDigits = 2000;
inline constexpr int kDefaultDrillDigits = 80;
// Memorising and recall times, in seconds.
inline constexpr int32_t kMinDrillSeconds = 10;
inline constexpr int32_t kMaxDrillSeconds = 4 * 3600;
inline constexpr int32_t kDefaultMemoriseSeconds = 5 * 60;
// Recall gets three times the memorising time, as competitions give.
inline constexpr int kRecallTimesMemorise = 3;
// The latest moment an attempt may name: far beyond any clock.
inline constexpr int64_t kLatestAttempt = int64_t{1} << 40;

struct RNumbersSettings {
  int digits = kDefaultDrillDigits;
  int32_t memoriseSeconds = kDefaultMemoriseSeconds;
  int32_t recallSeconds = kDefaultMemoriseSeconds * kRecallTimesMemorise;
  int group = 2;
  bool operator==(const RNumbersSettings&) const = default;
};

struct RNumbersAttempt {
  int64_t moment = 0;  // local seconds when it was scored
  int digits = 0;
  int score = 0;
  int32_t memoriseSeconds = 0;  // the time it had
  int32_t memorisedSeconds = 0;  // the time it took
  int32_t recallSeconds = 0;
  bool operator==(const RNumbersAttempt&) const = default;
};

struct RNumbersHistory {
  RNumbersSettings settings;
  std::vector<RNumbersAttempt> attempts;  // the oldest first

  // The best attempt by score (the earliest of equals); null when none.
  const RNumbersAttempt* Best() const;
  bool operator==(const RNumbersHistory&) const = default;
};


// The file's bytes into `history`, which is emptied first and stays empty
// unless the whole text is good.
TrainingLoad ParseNumbersHistoryText(const std::string& text, RNumbersHistory& history);
// The bytes for a history: only what the reader takes back (attempts out of
// range left out, the newest kMaxAttempts kept, settings brought within
// their bounds).
std::string NumbersHistoryText(const RNumbersHistory& history);

}  // namespace tq
