#include "PracticeSchedule.h"

#include <algorithm>
#include <cstdio>

#include "RWorksheet.h"
#include "Text.h"

namespace tq {
namespace {

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar, and
// back (the well-known era arithmetic, exact for every 32-bit day).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int64_t& m, int64_t& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp + (mp < 10 ? 3 : -9);
  y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

}  // namespace

int32_t BoxInterval(int32_t box) {
  static constexpr int32_t kDays[kTopBox + 1] = {0, 1, 3, 7, 14, 30};
  return kDays[std::clamp(box, 0, kTopBox)];
}

int32_t DayOf(int64_t localSeconds) {
  int64_t day = localSeconds / kSecondsPerDay;
  if (localSeconds % kSecondsPerDay < 0) --day;
  return static_cast<int32_t>(day);
}

std::string FormatDay(int32_t day) {
  int64_t y = 0, m = 0, d = 0;
  CivilFromDays(day, y, m, d);
  char text[64];
  std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", static_cast<long long>(y), static_cast<long long>(m),
                static_cast<long long>(d));
  return text;
}

bool ParseDay(const std::string& text, int32_t& day) {
  // Four-digit years only: the schedule has no business outside them.
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  int64_t parts[3] = {0, 0, 0};
  const std::size_t starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
  for (int p = 0; p < 3; ++p) {
    for (std::size_t i = starts[p]; i < starts[p] + lengths[p]; ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      parts[p] = parts[p] * 10 + (text[i] - '0');
    }
  }
  const int64_t y = parts[0], m = parts[1], d = parts[2];
  if (m < 1 || m > 12 || d < 1) return false;
  static constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  if (d > kMonthDays[m - 1] + (m == 2 && leap ? 1 : 0)) return false;
  day = static_cast<int32_t>(DaysFromCivil(y, m, d));
  return true;
}

CardStage StageOf(const RCard* card) {
  if (!card || card->right + card->wrong == 0) return CardStage::New;
  return card->box >= kLearnedBox ? CardStage::Learned : CardStage::Learning;
}

int64_t DueOf(const RCard& card, int64_t now) { return card.box == 0 ? std::min(card.due, now) : card.due; }

bool HasCompletePhrase(const RNumber& entry) {
  // The phrase's words as the slots are rebuilt from it: blank-separated,
  // a word starting with either mark standing for an uncovered digit.
  const std::string& phrase = entry.Phrase();
  bool words = false;
  for (std::size_t i = 0; i < phrase.size(); ++i) {
    if (phrase[i] == ' ' || (i > 0 && phrase[i - 1] != ' ')) continue;
    if (IsUncoveredMark(phrase[i])) return false;
    words = true;
  }
  return words;
}

bool GivesSomethingToRecall(const RNumber& entry, PracticeDirection direction) {
  if (entry.Digits().empty()) return false;
  if (direction == PracticeDirection::RecallPhrase) return true;
  if (direction == PracticeDirection::WalkJourney) return HasCompletePhrase(entry);
  return !TrimBlanks(entry.Description()).empty() || HasCompletePhrase(entry);
}

const RCard* RPracticeSchedule::Find(const RCardKey& key) const {
  auto it = cards_.find(key);
  return it == cards_.end() ? nullptr : &it->second;
}

void RPracticeSchedule::Answer(const RCardKey& key, bool right, int64_t now) {
  RCard& card = cards_[key];
  RDayTally& tally = days_[DayOf(now)];
  // The counters saturate rather than wrap on a file that claims huge ones.
  auto bump = [](int32_t& n) {
    if (n < INT32_MAX) ++n;
  };
  if (right) {
    bump(card.right);
    bump(tally.right);
    card.box = std::min(card.box + 1, kTopBox);
    card.due = (static_cast<int64_t>(DayOf(now)) + BoxInterval(card.box)) * kSecondsPerDay;
  } else {
    bump(card.wrong);
    bump(tally.wrong);
    card.box = 0;
    card.due = now;
  }
}

void RPracticeSchedule::DropDaysBefore(int32_t firstKept) {
  days_.erase(days_.begin(), days_.lower_bound(firstKept));
}

void RPracticeSchedule::Clear() {
  cards_.clear();
  days_.clear();
}

std::vector<RCardKey> KeysOf(const RWorksheet& worksheet) {
  std::vector<RCardKey> keys(static_cast<std::size_t>(worksheet.Count()));
  std::map<std::string, int32_t> seen;
  for (int32_t i = 0; i < worksheet.Count(); ++i) {
    const std::string& digits = worksheet.At(i).Digits();
    if (digits.empty()) continue;
    keys[static_cast<std::size_t>(i)] = RCardKey{digits, ++seen[digits]};
  }
  return keys;
}

RPracticeSession::RPracticeSession(const RWorksheet& worksheet, RPracticeSchedule& schedule, Clock clock,
                                   PracticeDirection direction, const Walkable& walkable)
    : schedule_(schedule), clock_(std::move(clock)), direction_(direction) {
  std::vector<RCardKey> keys = KeysOf(worksheet);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].digits.empty()) continue;
    const RNumber& entry = worksheet.At(static_cast<int32_t>(i));
    const bool walk = GivesSomethingToRecall(entry, PracticeDirection::WalkJourney) && (!walkable || walkable(entry));
    items_.push_back(Item{static_cast<int32_t>(i), std::move(keys[i]),
                          {GivesSomethingToRecall(entry, PracticeDirection::RecallNumber),
                           GivesSomethingToRecall(entry, PracticeDirection::RecallPhrase), walk}});
  }
}

void RPracticeSession::SetDirection(PracticeDirection direction) {
  direction_ = direction;
  if (current_ >= 0 && !Askable(items_[static_cast<std::size_t>(current_)])) current_ = -1;
}

int RPracticeSession::LeftOut() const {
  int count = 0;
  for (const Item& item : items_)
    if (!Askable(item)) ++count;
  return count;
}

int32_t RPracticeSession::Next() {
  if (current_ >= 0) return items_[static_cast<std::size_t>(current_)].index;
  const int64_t now = clock_();
  int best = -1;
  int64_t bestDue = 0;
  bool lastIsDue = false;
  for (int i = 0; i < EntryCount(); ++i) {
    const Item& item = items_[static_cast<std::size_t>(i)];
    const RCard* card = schedule_.Find(item.key);
    if (!Askable(item) || StageOf(card) == CardStage::New || DueOf(*card, now) > now) continue;
    if (i == lastAnswered_) {
      lastIsDue = true;
      continue;
    }
    if (best < 0 || DueOf(*card, now) < bestDue) {
      best = i;
      bestDue = DueOf(*card, now);
    }
  }
  if (best < 0 && newTaken_ < kNewPerSession) {
    for (int i = 0; i < EntryCount(); ++i) {
      const Item& item = items_[static_cast<std::size_t>(i)];
      if (Askable(item) && StageOf(schedule_.Find(item.key)) == CardStage::New) {
        best = i;
        break;
      }
    }
  }
  // The card just answered comes back straight away only when nothing else waits.
  if (best < 0 && lastIsDue) best = lastAnswered_;
  current_ = best;
  return best < 0 ? -1 : items_[static_cast<std::size_t>(best)].index;
}

void RPracticeSession::Answer(bool right) {
  if (current_ < 0) return;
  const Item& item = items_[static_cast<std::size_t>(current_)];
  if (StageOf(schedule_.Find(item.key)) == CardStage::New) ++newTaken_;
  schedule_.Answer(item.key, right, clock_());
  ++answered_;
  if (right) ++right_;
  lastAnswered_ = current_;
  current_ = -1;
}

RStageCounts RPracticeSession::Stages() const {
  RStageCounts counts;
  for (const Item& item : items_) {
    switch (StageOf(schedule_.Find(item.key))) {
      case CardStage::New: ++counts.newCount; break;
      case CardStage::Learning: ++counts.learning; break;
      case CardStage::Learned: ++counts.learned; break;
    }
  }
  return counts;
}

int64_t RPracticeSession::NextDue(int& count) const {
  const int64_t now = clock_();
  int64_t first = 0;
  bool any = false;
  for (const Item& item : items_) {
    const RCard* card = schedule_.Find(item.key);
    if (!Askable(item) || StageOf(card) == CardStage::New) continue;
    const int64_t due = std::max(DueOf(*card, now), now);
    if (!any || due < first) first = due;
    any = true;
  }
  count = 0;
  if (!any) return 0;
  const int64_t endOfDay = (static_cast<int64_t>(DayOf(first)) + 1) * kSecondsPerDay;
  for (const Item& item : items_) {
    const RCard* card = schedule_.Find(item.key);
    if (Askable(item) && StageOf(card) != CardStage::New && DueOf(*card, now) < endOfDay) ++count;
  }
  return first;
}

}  // namespace tq
