// The rehearsal schedule of a worksheet's numbers: Leitner boxes, one card per
// entry that has digits, and a tally of answers per day for the progress
// chart. Plain C++; time comes in as an argument (seconds of local time since
// 1970-01-01 00:00), so the rules are tested with a clock of the test's own.
//
// Keying. A card belongs to an entry by the entry's digits plus an occurrence
// counter: the first entry with the digits 5551234 is (5551234, 1), the
// second one with the same digits (5551234, 2), counted in worksheet order.
// Inserting, deleting, moving or editing the phrase or description of other
// entries leaves the key of an entry as it was, unless those entries have the
// very same digits; an entry whose digits change gets a new key and starts
// afresh. Cards whose entry is gone stay in the schedule, so a number typed
// back, or a worksheet reverted to its saved state, finds its card again.
#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tq {

class RNumber;
class RWorksheet;

inline constexpr int64_t kSecondsPerDay = 86400;
// Box 0 holds cards never answered right since their last wrong answer; a
// right answer moves a card one box up, to box kTopBox at most.
inline constexpr int32_t kTopBox = 5;
// Cards in this box or above count as learned.
inline constexpr int32_t kLearnedBox = 4;
// How many entries a session brings in that were never practised.
inline constexpr int kNewPerSession = 20;

// Days until a card in the box is due again: 1, 3, 7, 14 and 30 for the
// boxes 1 to 5; 0 for box 0 (due at once).
int32_t BoxInterval(int32_t box);
// The day of a moment of local time: days since 1970-01-01, rounded down.
int32_t DayOf(int64_t localSeconds);
// A day as YYYY-MM-DD and back; ParseDay fails on anything else, including
// dates that do not exist.
std::string FormatDay(int32_t day);
bool ParseDay(const std::string& text, int32_t& day);

struct RCardKey {
  std::string digits;
  int32_t occurrence = 1;
  auto operator<=>(const RCardKey&) const = default;
};

struct RCard {
  int32_t box = 0;
  int64_t due = 0;  // local seconds
  int32_t right = 0;
  int32_t wrong = 0;
  bool operator==(const RCard&) const = default;
};

enum class CardStage { New, Learning, Learned };
// New when the card is missing or was never answered.
CardStage StageOf(const RCard* card);
// When the card is due, seen at `now`. A card in box 0 is due at once
// whatever its stored moment says: a clock put back (the daylight-saving
// fall-back hour, a clock set right by hand or from the network) must not
// hide a number answered wrong until the clock catches up again.
int64_t DueOf(const RCard& card, int64_t now);

// The ways round a number is practised: the number from its description
// (or its phrase), a phrase for the number, or the digits of each scene of
// its journey from the place it stands at (JourneyWalk.h).
enum class PracticeDirection { RecallNumber, RecallPhrase, WalkJourney };
inline constexpr int kPracticeDirections = 3;
// True when the entry's phrase has words and covers every digit: no mark of
// an uncovered digit in it.
bool HasCompletePhrase(const RNumber& entry);
// True when the entry gives something to recall from in that direction: for
// the number, a description or a complete phrase; for a phrase, its number;
// for a walk, a complete phrase.
bool GivesSomethingToRecall(const RNumber& entry, PracticeDirection direction);

struct RDayTally {
  int32_t right = 0;
  int32_t wrong = 0;
  bool operator==(const RDayTally&) const = default;
};

// The cards of one worksheet file and its answers per day.
class RPracticeSchedule {
 public:
  const RCard* Find(const RCardKey& key) const;
  // The card after a right or a wrong answer given at `now`, and the day's
  // tally. Right: one box up, due at the start of the day the box's interval
  // away. Wrong: back to box 0, due at once.
  void Answer(const RCardKey& key, bool right, int64_t now);

  // Replaced wholesale by the reader; the writer walks them in key order.
  void SetCard(const RCardKey& key, const RCard& card) { cards_[key] = card; }
  void SetDay(int32_t day, const RDayTally& tally) { days_[day] = tally; }
  const std::map<RCardKey, RCard>& Cards() const { return cards_; }
  const std::map<int32_t, RDayTally>& Days() const { return days_; }
  // Forgets the tallies of days before `firstKept`.
  void DropDaysBefore(int32_t firstKept);
  void Clear();
  bool operator==(const RPracticeSchedule&) const = default;

 private:
  std::map<RCardKey, RCard> cards_;
  std::map<int32_t, RDayTally> days_;
};

// One key per entry, index for index: entries without digits get an empty key.
std::vector<RCardKey> KeysOf(const RWorksheet& worksheet);

// Counts over the entries of a worksheet that have digits.
struct RStageCounts {
  int newCount = 0;
  int learning = 0;
  int learned = 0;
};

// One sitting: which entry comes next, and what was answered. Due entries
// come first, the longest overdue first, then entries never practised in
// worksheet order (kNewPerSession of them at most); the session is over when
// none of either is left. A card answered wrong is due at once but comes
// back only after the others that are due, unless it is the last one. Only
// entries that give something to recall from in the session's direction are
// asked; the others are left out (and counted).
class RPracticeSession {
 public:
  using Clock = std::function<int64_t()>;
  // Whether an entry with a complete phrase can be walked: the dialog asks
  // for two places or more. None: every such entry can.
  using Walkable = std::function<bool(const RNumber&)>;

  // The worksheet and the schedule must outlive the session; the worksheet
  // is not changed while it lasts.
  RPracticeSession(const RWorksheet& worksheet, RPracticeSchedule& schedule, Clock clock,
                   PracticeDirection direction = PracticeDirection::RecallNumber, const Walkable& walkable = {});

  // Entries that can be practised at all (those with digits).
  int EntryCount() const { return static_cast<int>(items_.size()); }
  // Changes the direction for the questions still to come; the entry Next
  // gave stays when it can be asked this way too.
  void SetDirection(PracticeDirection direction);
  // Entries with digits that this direction leaves out.
  int LeftOut() const;
  // The next entry's index in the worksheet, or -1 when the session is over.
  // Asking twice without an answer in between gives the same entry.
  int32_t Next();
  // Records the answer to the entry Next gave.
  void Answer(bool right);

  int Answered() const { return answered_; }
  int Right() const { return right_; }
  RStageCounts Stages() const;
  // The moment the earliest card of this worksheet falls due after now, and
  // how many cards are due by the end of that day; 0 and 0 when no card is
  // waiting (everything left is new or nothing was practised yet).
  int64_t NextDue(int& count) const;
  const RPracticeSchedule& Schedule() const { return schedule_; }
  int64_t Now() const { return clock_(); }

 private:
  struct Item {
    int32_t index;
    RCardKey key;
    bool askable[kPracticeDirections];  // by direction
  };
  bool Askable(const Item& item) const { return item.askable[static_cast<int>(direction_)]; }
  RPracticeSchedule& schedule_;
  Clock clock_;
  PracticeDirection direction_;
  std::vector<Item> items_;
  int current_ = -1;      // into items_
  int lastAnswered_ = -1;  // into items_
  int newTaken_ = 0;
  int answered_ = 0;
  int right_ = 0;
};

}  // namespace tq
