// The peg drill: the program shows a number and the user types its peg, or
// shows the peg and the user types its number, as fast as they can. Which
// pegs a drill asks, in which order, and what came of it; the window
// (FormPegDrill.h) shows the items and times the answers.
//
// The order. A drill asks `items` pegs (all of them when there are fewer):
//   1. first the pegs that come first in this drill: those answered wrong,
//      or slower than the target, in their last drill (RPegTrack::again),
//      the ones last answered wrong before the slow ones, the slower first;
//   2. then pegs never drilled, in a random order;
//   3. then the others, the longest undrilled first (by the day of their
//      last answer), the slower first on the same day.
// Within the drill, a wrong or slow answer brings its peg back after
// kComeBackAfter other items (at the end when fewer are left), up to
// kMaxComeBacks times a drill; a peg answered right and in time is done.
//
// Each answer goes into the record at once: the peg's track and the day's
// tally. A peg's flag to come first next time is set by its first answer in
// a drill and stays set once any answer of that drill was wrong or slow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "PegDrillRecord.h"

namespace tq {

struct RPeg;

struct RDrillItem {
  std::string number;  // with its leading zeros
  std::string peg;     // its words, joined by single blanks
  bool operator==(const RDrillItem&) const = default;
};

// The pegs a drill can ask: those whose words cover their whole number (a
// number without a word of its own gives nothing to type).
std::vector<RDrillItem> DrillItems(const std::vector<RPeg>& pegs);

// True when the typed text is the peg: the same words in the same order,
// letter case, the blanks between them and the punctuation around them
// aside ("Tin hat!" is "tin hat").
bool IsPegAnswer(std::string_view typed, std::string_view peg);
// True when the typed text's digits are the number's, leading zeros and all
// ("7" is not 07).
bool IsNumberAnswer(std::string_view typed, std::string_view number);

// The indices of at most `count` items in the order the drill asks them
// (see above). The seed orders the pegs never drilled, and the others where
// nothing else tells them apart.
std::vector<std::size_t> DrillOrder(const std::vector<RDrillItem>& items, const RPegDrillRecord& record,
                                    std::size_t count, uint64_t seed);

// One peg's answers in a drill, for the list of the slowest.
struct RDrilledPeg {
  RDrillItem item;
  int answers = 0;
  int wrong = 0;
  int64_t meanMs = 0;
};

struct RDrillOutcome {
  bool right = false;
  bool slow = false;
  bool comesBack = false;
};

class RPegDrill {
 public:
  static constexpr std::size_t kComeBackAfter = 3;
  static constexpr int kMaxComeBacks = 3;

  // Draws the drill's items from `items` by the record's settings (its
  // direction, items and target) and DrillOrder. The record must outlive
  // the drill; `day` is the day answers are counted on.
  RPegDrill(std::vector<RDrillItem> items, RPegDrillRecord& record, int32_t day, uint64_t seed);

  // The item asked now; null once the drill is over.
  const RDrillItem* Current() const { return queue_.empty() ? nullptr : &items_[queue_.front()]; }
  bool Over() const { return queue_.empty(); }
  // Answers the item asked now with the typed text, taken `ms` milliseconds
  // after it showed; nothing when the drill is over.
  RDrillOutcome Answer(std::string_view typed, int32_t ms);
  // Ends the drill before its end: nothing more is asked.
  void Stop() { queue_.clear(); }

  DrillDirection Direction() const { return direction_; }
  int32_t TargetMs() const { return targetMs_; }
  std::size_t Pegs() const { return items_.size(); }
  // Items still to be asked, the one asked now and the pegs that come back included.
  std::size_t Left() const { return queue_.size(); }
  int Answers() const { return answers_; }
  int Right() const { return right_; }
  // The mean time of the answers given; 0 before the first.
  int64_t MeanMs() const { return answers_ > 0 ? totalMs_ / answers_ : 0; }
  // The pegs answered in this drill, the slowest first (by the mean of
  // their answers' times), at most `count` of them.
  std::vector<RDrilledPeg> Slowest(std::size_t count = 10) const;

 private:
  RPegDrillRecord& record_;
  int32_t day_;
  DrillDirection direction_;
  int32_t targetMs_;
  std::vector<RDrillItem> items_;  // this drill's pegs
  std::deque<std::size_t> queue_;  // into items_
  std::vector<int> comeBacks_;
  std::vector<int> answersOf_;
  std::vector<int> wrongOf_;
  std::vector<int64_t> msOf_;
  int answers_ = 0;
  int right_ = 0;
  int64_t totalMs_ = 0;
};

}  // namespace tq
