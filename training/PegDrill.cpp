#include "PegDrill.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <tuple>

#include "PegList.h"
#include "RNumber.h"  // DigitsOf, IsUncoveredSlot
#include "Text.h"

namespace tq {
namespace {

// The words of a typed peg as compared: lowered, without the punctuation
// around them, joined by single blanks.
std::string PegWords(std::string_view text) {
  std::string words;
  std::size_t start = 0;
  while (start < text.size()) {
    while (start < text.size() && IsBlank1252(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && !IsBlank1252(text[end])) ++end;
    const std::string_view word = TrimPunctuation(text.substr(start, end - start));
    if (!word.empty()) {
      if (!words.empty()) words += ' ';
      words += ToLower1252(word);
    }
    start = end;
  }
  return words;
}

int64_t MeanOf(const RPegTrack& track) {
  int64_t total = 0;
  for (const RPegAnswer& answer : track.answers) total += answer.ms;
  return track.answers.empty() ? 0 : total / static_cast<int64_t>(track.answers.size());
}

}  // namespace

std::vector<RDrillItem> DrillItems(const std::vector<RPeg>& pegs) {
  std::vector<RDrillItem> items;
  for (const RPeg& peg : pegs) {
    if (peg.words.empty()) continue;
    if (std::any_of(peg.words.begin(), peg.words.end(), IsUncoveredSlot)) continue;
    items.push_back(RDrillItem{peg.number, peg.Phrase()});
  }
  return items;
}

bool IsPegAnswer(std::string_view typed, std::string_view peg) {
  const std::string words = PegWords(typed);
  return !words.empty() && words == PegWords(peg);
}

bool IsNumberAnswer(std::string_view typed, std::string_view number) {
  return !number.empty() && DigitsOf(typed) == number;
}

std::vector<std::size_t> DrillOrder(const std::vector<RDrillItem>& items, const RPegDrillRecord& record,
                                    std::size_t count, uint64_t seed) {
  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::mt19937_64 engine(seed);
  std::shuffle(order.begin(), order.end(), engine);
  // The class, then what orders each class; smaller first.
  using Key = std::tuple<int, int64_t, int64_t>;
  std::vector<Key> keys(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    const RPegTrack* track = record.Find(items[i].number);
    if (!track || track->answers.empty()) {
      keys[i] = Key{1, 0, 0};
    } else if (track->again) {
      const RPegAnswer& last = track->answers.back();
      keys[i] = Key{0, last.right ? 1 : 0, -int64_t{last.ms}};
    } else {
      keys[i] = Key{2, track->lastDay, -MeanOf(*track)};
    }
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  if (order.size() > count) order.resize(count);
  return order;
}

RPegDrill::RPegDrill(std::vector<RDrillItem> items, RPegDrillRecord& record, int32_t day, uint64_t seed)
    : record_(record),
      day_(day),
      direction_(record.settings.direction),
      targetMs_(std::clamp(record.settings.targetMs, kMinTargetMs, kMaxTargetMs)) {
  const std::size_t count = static_cast<std::size_t>(std::clamp(record.settings.items, kMinDrillItems, kMaxDrillItems));
  for (std::size_t index : DrillOrder(items, record, count, seed)) items_.push_back(std::move(items[index]));
  for (std::size_t i = 0; i < items_.size(); ++i) queue_.push_back(i);
  comeBacks_.assign(items_.size(), 0);
  answersOf_.assign(items_.size(), 0);
  wrongOf_.assign(items_.size(), 0);
  msOf_.assign(items_.size(), 0);
}

RDrillOutcome RPegDrill::Answer(std::string_view typed, int32_t ms) {
  RDrillOutcome outcome;
  if (queue_.empty()) return outcome;
  const std::size_t index = queue_.front();
  queue_.pop_front();
  const RDrillItem& item = items_[index];
  ms = std::clamp(ms, 0, kMaxAnswerMs);
  outcome.right = direction_ == DrillDirection::NumberToPeg ? IsPegAnswer(typed, item.peg)
                                                             : IsNumberAnswer(typed, item.number);
  outcome.slow = ms > targetMs_;
  const bool again = !outcome.right || outcome.slow;

  const bool first = answersOf_[index] == 0;
  record_.Add(item.number, RPegAnswer{outcome.right, ms}, day_);
  RPegTrack& track = record_.pegs[item.number];
  track.again = first ? again : (track.again || again);

  ++answers_;
  right_ += outcome.right ? 1 : 0;
  totalMs_ += ms;
  ++answersOf_[index];
  wrongOf_[index] += outcome.right ? 0 : 1;
  msOf_[index] += ms;

  if (again && comeBacks_[index] < kMaxComeBacks) {
    ++comeBacks_[index];
    queue_.insert(queue_.begin() + static_cast<std::ptrdiff_t>(std::min(kComeBackAfter, queue_.size())), index);
    outcome.comesBack = true;
  }
  return outcome;
}

std::vector<RDrilledPeg> RPegDrill::Slowest(std::size_t count) const {
  std::vector<RDrilledPeg> pegs;
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (answersOf_[i] > 0) pegs.push_back(RDrilledPeg{items_[i], answersOf_[i], wrongOf_[i], msOf_[i] / answersOf_[i]});
  std::stable_sort(pegs.begin(), pegs.end(),
                   [](const RDrilledPeg& a, const RDrilledPeg& b) { return a.meanMs > b.meanMs; });
  if (pegs.size() > count) pegs.resize(count);
  return pegs;
}

}  // namespace tq
