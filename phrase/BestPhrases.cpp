#include "BestPhrases.h"

#include <algorithm>
#include <array>
#include <bit>
#include <compare>
#include <cstdint>
#include <limits>
#include <optional>
#include <set>
#include <tuple>
#include <type_traits>
#include <unordered_map>

#include "RDictionary.h"
#include "RNumber.h"

namespace tq {
namespace {

constexpr std::size_t kLongestCode = RDictionary::kMaxCodeLength;
// The best words kept for each code: far more than weighing down the words
// offered higher in a list of twenty can use up. A longer list keeps as
// many as it has phrases, so that a code's words last to its end.
constexpr std::size_t kGroupWords = 64;
// A word's place in its group's order is held in 16 bits.
static_assert(kMaxBestPhrases <= std::numeric_limits<std::uint16_t>::max());
// Steps the exact search for one phrase may take before the quick way takes
// over: many times what a number of kSearchedDigits digits needs, unless it
// must avoid a repeated word in many places at once.
constexpr std::size_t kSearchSteps = 1000;
// The search asks whether to go on every so many digits of a pass: often
// enough for a smooth bar and a prompt Cancel, rarely enough to cost nothing.
constexpr std::size_t kProgressEvery = 4096;
// How many digits of a long number WalkLong weighs again at a time, about.
constexpr std::size_t kPieceDigits = 48;
// How often WalkLong goes over its phrase to mend it, and how many words on
// either side of a word it weighs again with it.
constexpr int kMendPasses = 2;
constexpr std::size_t kMendWords = 6;
// A long number's weights (see Weights).
constexpr int kWordWeight = 2;
constexpr int kUnpicturedWeight = 3;
// Familiarity from which a word is as easy as any: among words at least as
// familiar as this, the better picture wins.
constexpr unsigned char kEasyFamiliarity = 45;

// A phrase's weight, the fields of the header's list in its order, compared
// field by field, smaller first. Every field but the first is a sum over the
// phrase's words, which is what lets a pass over the digits find the best.
// The sums of up to a hundred a word are wide enough for any number. For a
// long number, `unpictured` weighs the words and their pictures together,
// and `extra` counts the words (see Weights).
struct Score {
  int repeats = 0;
  int unpictured = 0;  // with the weight of words offered above
  int extra = 0;
  int rarity = 0;
  std::int64_t degree = 0;
  int otherKinds = 0;
  std::int64_t unfamiliar = 0;

  Score operator+(const Score& o) const {
    return {repeats + o.repeats, unpictured + o.unpictured, extra + o.extra,        rarity + o.rarity,
            degree + o.degree,   otherKinds + o.otherKinds, unfamiliar + o.unfamiliar};
  }
  Score operator-(const Score& o) const {
    return {repeats - o.repeats, unpictured - o.unpictured, extra - o.extra,        rarity - o.rarity,
            degree - o.degree,   otherKinds - o.otherKinds, unfamiliar - o.unfamiliar};
  }
  auto Key() const { return std::tie(repeats, unpictured, extra, rarity, degree, otherKinds, unfamiliar); }
  bool operator<(const Score& o) const { return Key() < o.Key(); }
  bool operator==(const Score& o) const { return Key() == o.Key(); }
};

// No ending at all: worse than any.
constexpr Score kNever{std::numeric_limits<int>::max(), 0, 0, 0, 0, 0, 0};
bool IsNever(const Score& s) { return s.repeats == kNever.repeats; }

// How the words weigh for a number of so many digits. Up to kShortNumber
// digits a phrase has at most one word more than the fewest, and its words
// that cannot be pictured count first. A longer number may have as many
// words as it takes, each word weighing kWordWeight and each word that
// cannot be pictured kUnpicturedWeight more: so one word that cannot be
// pictured gives way to two that can, and two to four, but never one to
// three. What a long number gains in pictures it pays for in words, and
// no more than it gains.
struct Weights {
  explicit Weights(std::size_t digits) : longNumber(digits > kShortNumber) {}
  bool longNumber;
  int Unpictured() const { return longNumber ? kUnpicturedWeight : 1; }
};

// Where the search holds a dictionary entry, an uncovered digit is this;
// MakePhrase turns it into the worksheet's mark (RNumber.h).
constexpr int kMarkEntry = -1;

// A word that can stand for some piece of the digits, with its own weight.
struct Candidate {
  int entry = kMarkEntry;
  Score cost;
};

Score WordCost(const RDictionary& d, const RWordEntry& e, const Weights& weights) {
  Score s;
  const unsigned char familiarity = d.Familiarity(e);
  s.unpictured = d.IsPicturableEntry(e) ? 0 : weights.Unpictured();
  if (weights.longNumber && e.code.size() >= kLoneWordDigits) s.unpictured *= 2;
  if (weights.longNumber) {
    s.unpictured += kWordWeight;
    s.extra = 1;
  }
  s.degree = kFullPicture - std::min(d.PictureDegree(e), kFullPicture);
  s.rarity = 2 * (familiarity < kEasyFamiliarity ? kEasyFamiliarity - familiarity : 0) + static_cast<int>(s.degree);
  s.otherKinds = e.noun ? 0 : 1;
  s.unfamiliar = kMaxFamiliarity - std::min(familiarity, kMaxFamiliarity);
  return s;
}

// Equal weights go in the store's order, which is the words' byte order.
bool Before(const Score& a, int entryA, const Score& b, int entryB) {
  const auto order = a.Key() <=> b.Key();
  return order != 0 ? order < 0 : entryA < entryB;
}

// Counts the work of the passes over the digits and asks the caller's
// progress whether to go on.
class Work {
 public:
  Work(const SearchProgress& progress, std::size_t total) : progress_(progress), total_(total) {}
  // Step k of the pass under way; false when the caller stops the search.
  bool At(std::size_t k) { return !progress_ || k % kProgressEvery != 0 || progress_(done_ + k, total_); }
  void PassDone(std::size_t steps) { done_ = std::min(total_, done_ + steps); }

 private:
  const SearchProgress& progress_;
  std::size_t total_;
  std::size_t done_ = 0;
};

// The first four digits of a code (fewer when it is shorter, padded with
// zeros) as a number below kLeads.
constexpr std::size_t kLeadLength = 4;
constexpr std::size_t kLeads = 10000;
std::size_t LeadOf(std::string_view code) {
  std::size_t lead = 0;
  for (std::size_t k = 0; k < kLeadLength; ++k)
    lead = lead * 10 + (k < code.size() ? static_cast<std::size_t>(code[k] - '0') : 0);
  return lead;
}
bool AllDigits(std::string_view code) {
  return std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The words whose codes occur in the digits, grouped by code, each group
// keeping its best kGroupWords words (or as many as the list has phrases,
// when that is more), best first. Held by code rather than
// by place in the digits, so that a long number costs no more than the
// dictionary. Words no suggestion may offer are left out.
class CodeWords {
 public:
  static constexpr std::uint32_t kMark = (1u << 26) - 1;  // the uncovered mark's group

  // False when the caller stopped the search.
  bool Gather(const RDictionary& d, std::string_view digits, std::size_t groupWords, const Weights& weights,
              Work& work) {
    digits_ = digits;
    const std::size_t n = digits.size();
    const std::size_t longest = std::min(n, kLongestCode);
    // Which pieces of up to three digits occur, and where each four-digit
    // lead first occurs: a code of l >= 4 digits can occur only if its lead
    // does at least l digits before the end. Most codes are turned away by
    // this before any hashing.
    std::array<std::vector<bool>, kLeadLength> shortLeads;
    for (auto& s : shortLeads) s.assign(kLeads, false);
    std::vector<std::size_t> firstLead(kLeads, n);
    for (std::size_t p = 0; p < n; ++p) {
      if (!work.At(p)) return false;
      for (std::size_t l = 1; l < kLeadLength && p + l <= n; ++l) shortLeads[l][LeadOf(digits.substr(p, l))] = true;
      if (p + kLeadLength <= n) {
        std::size_t& first = firstLead[LeadOf(digits.substr(p, kLeadLength))];
        first = std::min(first, p);
      }
    }
    work.PassDone(n);

    longestFrom_.assign(kPrefixes, 0);
    for (std::size_t l = 1; l <= longest; ++l) {
      for (std::size_t i : d.BucketEntries(static_cast<int>(l))) {
        const RWordEntry& e = d.EntryAt(static_cast<int>(i));
        const std::string_view code = e.code;
        if (!AllDigits(code.substr(0, kLeadLength))) continue;
        const std::size_t lead = LeadOf(code);
        if (l < kLeadLength ? !shortLeads[l][lead] : firstLead[lead] + l > n) continue;
        if (!AllDigits(code) || d.IsUnsuitableEntry(e)) continue;
        const auto next = static_cast<std::uint32_t>(groups_.size());
        const bool added = l <= kPackedLength ? packedGroup_.emplace(Packed(code), next).second
                                              : group_.emplace(code, next).second;
        if (added) groups_.emplace_back();
        groups_[added ? next : GroupOf(code)].push_back(Candidate{static_cast<int>(i), WordCost(d, e, weights)});
        if (l >= kLeadLength) {
          auto& most = longestFrom_[lead];
          most = std::max(most, static_cast<std::uint8_t>(l));
        }
      }
    }
    for (auto& g : groups_) {
      const auto before = [](const Candidate& a, const Candidate& b) { return Before(a.cost, a.entry, b.cost, b.entry); };
      if (g.size() > groupWords) {
        std::partial_sort(g.begin(), g.begin() + static_cast<std::ptrdiff_t>(groupWords), g.end(), before);
        g.resize(groupWords);
      } else {
        std::sort(g.begin(), g.end(), before);
      }
    }
    return true;
  }

  // Calls found(length, group) for every code that begins at position p.
  template <class Found>
  void ForEachAt(std::size_t p, Found found) const {
    const std::size_t left = digits_.size() - p;
    std::size_t most = std::min(left, kLeadLength - 1);
    if (left >= kLeadLength) most = std::max<std::size_t>(most, longestFrom_[LeadOf(digits_.substr(p))]);
    std::uint64_t value = 0;
    for (std::size_t l = 1; l <= most; ++l) {
      value = value * 10 + static_cast<std::uint64_t>(digits_[p + l - 1] - '0');
      if (l <= kPackedLength) {
        const auto it = packedGroup_.find(value << 5 | l);
        if (it != packedGroup_.end()) found(l, it->second);
      } else {
        const auto it = group_.find(digits_.substr(p, l));
        if (it != group_.end()) found(l, it->second);
      }
    }
  }

  std::size_t GroupCount() const { return groups_.size(); }
  const std::vector<Candidate>& Group(std::uint32_t g) const { return groups_[g]; }

 private:
  static constexpr std::size_t kPrefixes = kLeads;
  // Codes of up to kPackedLength digits are looked up as one number, their
  // value and their length (so that "07" is not "7"); longer ones as text.
  static constexpr std::size_t kPackedLength = 17;
  static std::uint64_t Packed(std::string_view code) {
    std::uint64_t value = 0;
    for (char c : code) value = value * 10 + static_cast<std::uint64_t>(c - '0');
    return value << 5 | code.size();
  }
  std::uint32_t GroupOf(std::string_view code) const {
    return code.size() <= kPackedLength ? packedGroup_.at(Packed(code)) : group_.at(code);
  }

  std::string_view digits_;
  std::unordered_map<std::uint64_t, std::uint32_t> packedGroup_;
  std::unordered_map<std::string_view, std::uint32_t> group_;
  std::vector<std::vector<Candidate>> groups_;
  std::vector<std::uint8_t> longestFrom_;
};

// A way on from a position that keeps the fewest uncovered digits and (but
// for a long number) at most one word beyond the fewest: a code's words or
// the uncovered mark,
// packed as group (26 bits), length (5 bits) and the words it adds beyond
// the fewest (1 bit).
struct Way {
  std::uint32_t bits;
  std::uint32_t Group() const { return bits >> 6; }
  std::size_t Length() const { return bits & 31u; }
  int Extra() const { return static_cast<int>((bits >> 5) & 1u); }
  static Way Make(std::uint32_t group, std::size_t length, int extra) {
    return Way{group << 6 | static_cast<std::uint32_t>(extra) << 5 | static_cast<std::uint32_t>(length)};
  }
};

// Positions as far apart as the longest code, and a power of two, so that
// a position's place in a window of them is a mask away.
constexpr std::size_t kWindow = 32;
static_assert(kWindow > kLongestCode && (kWindow & (kWindow - 1)) == 0);

// The ways from each position, found from the end of the digits to their
// start: a position's fewest (uncovered digits, words) to the end need only
// those of the positions the longest code reaches.
class Ways {
 public:
  // n: where the phrase ends, the digits' end or (for a piece of a long
  // number, WalkLong) an earlier position.
  Ways(const CodeWords& words, std::size_t n, const Weights& weights)
      : words_(words), n_(n), longNumber_(weights.longNumber) {
    Least(n) = {0, 0};
  }

  // The ways from p; p runs from n-1 down to 0, each once.
  const std::vector<Way>& At(std::size_t p) {
    options_.clear();
    words_.ForEachAt(p, [&](std::size_t l, std::uint32_t g) {
      if (p + l > n_) return;  // past the end of a piece (WalkLong)
      const auto& after = Least(p + l);
      options_.push_back({g, l, {after.first, after.second + 1}});
    });
    const auto& after = Least(p + 1);
    options_.push_back({CodeWords::kMark, 1, {after.first + 1, after.second}});
    std::pair<int, int> best = options_.front().least;
    for (const Option& o : options_) best = std::min(best, o.least);
    Least(p) = best;
    ways_.clear();
    // A long number's words are weighed by the picker, not counted here.
    for (const Option& o : options_)
      if (o.least.first == best.first && (longNumber_ || o.least.second <= best.second + 1))
        ways_.push_back(Way::Make(o.group, o.length, longNumber_ ? 0 : o.least.second - best.second));
    return ways_;
  }

  // All ways of all positions, kept for the passes to come; false when the
  // caller stopped the search.
  bool KeepAll(Work& work) {
    start_.assign(n_ + 1, 0);
    kept_.clear();
    for (std::size_t p = n_; p-- > 0;) {
      if (!work.At(n_ - 1 - p)) return false;
      const auto& ways = At(p);
      start_[p] = static_cast<std::uint32_t>(kept_.size());
      kept_.insert(kept_.end(), ways.begin(), ways.end());
    }
    work.PassDone(n_);
    return true;
  }
  bool Kept() const { return !start_.empty(); }
  // The kept ways of p. They were stored from the end backwards, so those
  // of p run up to the start of those of p-1.
  std::pair<const Way*, const Way*> KeptAt(std::size_t p) const {
    const std::size_t end = p == 0 ? kept_.size() : start_[p - 1];
    return {kept_.data() + start_[p], kept_.data() + end};
  }

 private:
  struct Option {
    std::uint32_t group;
    std::size_t length;
    std::pair<int, int> least;  // (uncovered, words) to the end
  };
  std::pair<int, int>& Least(std::size_t p) { return least_[p & (kWindow - 1)]; }

  const CodeWords& words_;
  std::size_t n_;
  bool longNumber_;
  std::array<std::pair<int, int>, kWindow> least_{};
  std::vector<Option> options_;
  std::vector<Way> ways_;
  std::vector<std::uint32_t> start_;
  std::vector<Way> kept_;
};

// The list, one phrase after another: each pick weighs the words afresh
// (the words offered so far weigh more), finds the best ending from every
// position backwards, then the best phrase not listed yet forwards.
class Picker {
 public:
  Picker(const RDictionary& d, const CodeWords& words, Ways& ways, std::size_t n, const Weights& weights)
      : words_(words), ways_(ways), n_(n), exact_(n <= kSearchedDigits && ways.Kept()), weights_(weights) {
    offered_.assign(static_cast<std::size_t>(d.Count()), 0);
    usedIn_.assign(static_cast<std::size_t>(d.Count()), 0);
    if (weights_.longNumber) uses_.assign(static_cast<std::size_t>(d.Count()), 0);
    offeredIn_.assign(static_cast<std::size_t>(d.Count()), 0);
    best_.resize(exact_ ? std::bit_ceil(n + 1) : kWindow);
    links_.resize(n);
  }

  // The best ending from every position, both with no word beyond the
  // fewest and with one; false when the caller stopped the search.
  bool Weigh(Work& work) {
    ++pick_;
    if (!WeighRange(ways_, 0, n_, work, [](std::size_t steps) { return steps; })) return false;
    work.PassDone(n_);
    return true;
  }

  // The best phrase not listed yet, as entries (kMarkEntry for an uncovered digit);
  // empty when there is none, or when the caller stopped the search (then
  // Stopped()).
  std::vector<int> Pick(Work& work) {
    std::vector<int> found;
    if (exact_ && Search(found)) return found;
    if (exact_ && !searchGaveUp_) return {};
    // The phrases below the first take the quick way: a long number's
    // first phrase is the one that is used, and the rest would cost as much
    // again each.
    found = weights_.longNumber && pick_ == 1 ? WalkLong(work) : Walk();
    if (stopped_) return {};
    return listed_.count(found) ? Neighbour(found) : found;
  }

  bool Stopped() const { return stopped_; }

  // Takes the phrase into the list: its words weigh more from now on.
  void List(const std::vector<int>& entries) {
    listed_.insert(entries);
    // Each word once, however often the phrase holds it.
    for (int e : entries)
      if (e >= 0 && offeredIn_[static_cast<std::size_t>(e)] != listed_.size()) {
        offeredIn_[static_cast<std::size_t>(e)] = static_cast<unsigned>(listed_.size());
        ++offered_[static_cast<std::size_t>(e)];
      }
  }

 private:
  // A group's best word for the pick it was found for.
  struct Cheapest {
    Candidate word;
    unsigned round = 0;  // the weighing it was found for
  };

  // A phrase's beginning in the exact search.
  struct Node {
    Score g;             // the beginning
    Score f;             // and the best ending after it
    int parent;          // -1 at the root
    int entry;           // its last word, kMarkEntry for the mark
    Way way;             // the way its last word took
    std::uint16_t position;
    std::uint16_t rank;  // the word's place in its group's order
    std::uint8_t phase;  // 0: a word the beginning had not used yet; 1: a used one
    std::uint8_t extraLeft;
    std::uint8_t depth;
    std::uint32_t path;  // where its words, from the first, start in paths_
  };

  // The best ending from every position of [from, to) that ends at `to`,
  // with the ways of `ways` (which ends there); step(k) says how far the
  // work has come at the k-th position weighed.
  template <class Step>
  bool WeighRange(Ways& ways, std::size_t from, std::size_t to, Work& work, Step step) {
    ++round_;
    if (cheapest_.size() != words_.GroupCount()) cheapest_.assign(words_.GroupCount(), Cheapest{});
    Best(to) = {Score{}, kNever};
    // A word may not reach past the end of a piece.
    for (std::size_t q = to + 1; to < n_ && q <= std::min(n_, to + kLongestCode); ++q) Best(q) = {kNever, kNever};
    for (std::size_t p = to; p-- > from;) {
      if (!work.At(step(to - 1 - p))) return false;
      std::array<Score, 2> best{kNever, kNever};
      std::array<int, 2> bestEntry{0, 0};
      std::array<std::uint32_t, 2> link{0, 0};
      const auto consider = [&](Way w) {
        const auto& after = Best(p + w.Length());
        const Candidate word = CheapestOf(w.Group());
        for (int s = w.Extra(); s <= 1; ++s) {
          const Score& rest = after[static_cast<std::size_t>(s - w.Extra())];
          if (IsNever(rest)) continue;
          Score total = word.cost + rest;
          total.extra += w.Extra();
          const auto k = static_cast<std::size_t>(s);
          if (IsNever(best[k]) || Before(total, word.entry, best[k], bestEntry[k])) {
            best[k] = total;
            bestEntry[k] = word.entry;
            link[k] = Link(w.Group(), w.Length(), s - w.Extra());
          }
        }
      };
      if (ways.Kept()) {
        const auto [first, last] = ways.KeptAt(p);
        for (const Way* w = first; w != last; ++w) consider(*w);
      } else {
        for (Way w : ways.At(p)) consider(w);
      }
      Best(p) = best;
      links_[p] = link;
    }
    return true;
  }

  // A long number's phrase, piece by piece: the best phrase of the whole
  // (Weigh) shows where its words meet; from its start, the next
  // kPieceDigits digits or so up to such a place are weighed again with
  // every word the pieces before have taken counted as a repeat, and walked
  // as Walk does. So a word is used again only when its piece has no other
  // way to the same place: a long number draws on the whole dictionary
  // instead of on the few best words of each code. Then each word used
  // twice is tried anew with the words around it (Mend).
  std::vector<int> WalkLong(Work& work) {
    std::vector<Placed> placed;
    penalizeUsed_ = true;
    std::fill(uses_.begin(), uses_.end(), 0);
    std::size_t steps = 0;
    for (std::size_t from = 0; from < n_ && !stopped_;) {
      std::size_t to = from;
      while (to < n_ && to < from + kPieceDigits) to += links_[to][0] & 31u;
      Ways piece(words_, to, weights_);
      if (!WeighRange(piece, from, to, work, [steps](std::size_t k) { return steps + k; })) stopped_ = true;
      steps += to - from;
      if (!stopped_) WalkRange(from, to, 0, placed);
      from = to;
    }
    if (!stopped_)
      for (int pass = 0; pass < kMendPasses; ++pass) Mend(placed, work);
    penalizeUsed_ = false;
    std::vector<int> out;
    for (const Placed& w : placed) {
      out.push_back(w.entry);
      if (w.entry >= 0) usedIn_[static_cast<std::size_t>(w.entry)] = pick_;
    }
    work.PassDone(n_);
    return out;
  }

  // A word of a long number's phrase where WalkLong put it.
  struct Placed {
    std::size_t at;
    std::size_t length;
    int entry;
    Score weight;  // its own, with the weight of the phrases above that hold it
  };

  // What the words of placed[first, last) weigh as they stand: their own
  // weights, and a repeat for each that is used elsewhere too.
  Score WeightOf(const std::vector<Placed>& placed, std::size_t first, std::size_t last) const {
    Score total;
    for (std::size_t i = first; i < last; ++i) {
      const int e = placed[i].entry;
      if (e < 0) continue;
      total = total + placed[i].weight;
      total.repeats += uses_[static_cast<std::size_t>(e)] > 1 ? 1 : 0;
    }
    return total;
  }

  // Tries each word used twice anew, with
  // kMendWords words on either side: the stretch is weighed again with
  // every word outside it taken, and its new words replace the old ones
  // when they weigh less, repeats first.
  void Mend(std::vector<Placed>& placed, Work& work) {
    for (std::size_t i = 0; i < placed.size(); ++i) {
      const int e = placed[i].entry;
      if (e < 0 || uses_[static_cast<std::size_t>(e)] < 2) continue;
      const std::size_t first = i >= kMendWords ? i - kMendWords : 0;
      const std::size_t last = std::min(placed.size(), i + kMendWords + 1);
      const std::size_t from = placed[first].at, to = placed[last - 1].at + placed[last - 1].length;
      const Score before = WeightOf(placed, first, last);
      for (std::size_t k = first; k < last; ++k) Release(placed[k].entry);
      Ways piece(words_, to, weights_);
      // Mending is quick next to the weighing: it asks the caller nothing.
      WeighRange(piece, from, to, work, [](std::size_t) { return std::size_t{1}; });
      std::vector<Placed> fresh;
      WalkRange(from, to, 0, fresh);
      std::vector<Placed> both(placed.begin() + static_cast<std::ptrdiff_t>(first),
                               placed.begin() + static_cast<std::ptrdiff_t>(last));
      // Weighed as they would stand: the old words taken back for a moment.
      const Score after = WeightOf(fresh, 0, fresh.size());
      if (after < before) {
        placed.erase(placed.begin() + static_cast<std::ptrdiff_t>(first),
                     placed.begin() + static_cast<std::ptrdiff_t>(last));
        placed.insert(placed.begin() + static_cast<std::ptrdiff_t>(first), fresh.begin(), fresh.end());
        i = first + fresh.size() - 1;
      } else {
        for (const Placed& w : fresh) Release(w.entry);
        for (const Placed& w : both)
          if (w.entry >= 0) Take(w.entry);
      }
    }
  }

  // A link from a position to the rest of its best ending: the group of its
  // word (whose best the pick's weights make it) or the mark, the digits it
  // covers and which ending follows it.
  static std::uint32_t Link(std::uint32_t group, std::size_t length, int next) {
    return group << 6 | static_cast<std::uint32_t>(next) << 5 | static_cast<std::uint32_t>(length);
  }
  std::array<Score, 2>& Best(std::size_t p) { return best_[p & (best_.size() - 1)]; }
  // The best ending from p with at most `extraLeft` words beyond the fewest.
  Score BestWithin(std::size_t p, int extraLeft) {
    const auto& b = Best(p);
    if (extraLeft == 0 || IsNever(b[1])) return b[0];
    return IsNever(b[0]) || b[1] < b[0] ? b[1] : b[0];
  }

  Score Weighed(const Candidate& c) const {
    Score s = c.cost;
    if (c.entry >= 0) s.unpictured += offered_[static_cast<std::size_t>(c.entry)] * weights_.Unpictured();
    if (penalizeUsed_ && c.entry >= 0 && Used(c.entry)) ++s.repeats;
    return s;
  }

  // The group's best word as the words now weigh; the mark for the mark.
  Candidate CheapestOf(std::uint32_t g) {
    if (g == CodeWords::kMark) return Candidate{};
    Cheapest& cached = cheapest_[g];
    if (cached.round == round_) return cached.word;
    const auto& group = words_.Group(g);
    Candidate best{group.front().entry, Weighed(group.front())};
    // Sorted by their own weight, which the words offered above only add
    // to: once a word's own weight is more than the best, so is the rest's.
    for (const Candidate& c : group) {
      if (best.cost < c.cost) break;
      const Score s = Weighed(c);
      if (Before(s, c.entry, best.cost, best.entry)) best = Candidate{c.entry, s};
    }
    cached = Cheapest{best, round_};
    return best;
  }

  // The group's words in the order they now weigh, for the exact search.
  const std::vector<std::uint16_t>& Order(std::uint32_t g) {
    if (orders_.size() != words_.GroupCount()) {
      orders_.assign(words_.GroupCount(), {});
      orderPick_.assign(words_.GroupCount(), 0);
    }
    auto& order = orders_[g];
    if (orderPick_[g] == pick_) return order;
    orderPick_[g] = pick_;
    const auto& group = words_.Group(g);
    order.resize(group.size());
    for (std::size_t i = 0; i < group.size(); ++i) order[i] = static_cast<std::uint16_t>(i);
    std::sort(order.begin(), order.end(), [&](std::uint16_t a, std::uint16_t b) {
      return Before(Weighed(group[a]), group[a].entry, Weighed(group[b]), group[b].entry);
    });
    return order;
  }

  // The quick way: the best phrase by the weights, each word that repeats
  // an earlier one replaced by the best unused word of its code.
  std::vector<int> Walk() {
    std::vector<int> out;
    walkGroups_.clear();
    const auto& start = Best(0);
    std::size_t s = !IsNever(start[1]) && (IsNever(start[0]) || start[1] < start[0]) ? 1 : 0;
    WalkRange(0, n_, s, out);
    return out;
  }

  // Walks the links from `from` (with `s` words beyond the fewest left) to
  // `to`, appending the words to out; the words it uses are marked with the
  // pick's number (a long number's are counted).
  template <class Out>
  void WalkRange(std::size_t from, std::size_t to, std::size_t s, Out& out) {
    for (std::size_t p = from; p < to;) {
      const std::uint32_t link = links_[p][s];
      const std::uint32_t group = link >> 6;
      int entry = CheapestOf(group).entry;
      if (entry >= 0 && Used(entry)) {
        std::optional<Candidate> other;
        for (const Candidate& c : words_.Group(group)) {
          if (Used(c.entry)) continue;
          const Candidate weighed{c.entry, Weighed(c)};
          if (!other || Before(weighed.cost, weighed.entry, other->cost, other->entry)) other = weighed;
        }
        if (other) entry = other->entry;
      }
      if constexpr (std::is_same_v<Out, std::vector<int>>) {
        out.push_back(entry);
        walkGroups_.push_back(group);
      } else {
        Score weight;
        if (entry >= 0)
          for (const Candidate& c : words_.Group(group))
            if (c.entry == entry) weight = c.cost;
        if (entry >= 0) weight.unpictured += offered_[static_cast<std::size_t>(entry)] * weights_.Unpictured();
        out.push_back(Placed{p, link & 31u, entry, weight});
      }
      if (entry >= 0) Take(entry);
      p += link & 31u;
      s = (link >> 5) & 1u;
    }
  }
  // A long number's words count their uses (WalkLong); the others are
  // marked with the pick's number.
  bool Used(int entry) const {
    const auto e = static_cast<std::size_t>(entry);
    return penalizeUsed_ ? uses_[e] > 0 : usedIn_[e] == pick_;
  }
  void Take(int entry) {
    const auto e = static_cast<std::size_t>(entry);
    if (penalizeUsed_)
      ++uses_[e];
    else
      usedIn_[e] = pick_;
  }
  void Release(int entry) {
    if (entry >= 0) --uses_[static_cast<std::size_t>(entry)];
  }

  // When the quick way comes back with a listed phrase (a long number whose
  // weights the words offered above cannot change): the lightest phrase one
  // word away from it that is not listed, each word's best other word of its
  // code tried, the lightest change first; empty when none is left.
  std::vector<int> Neighbour(const std::vector<int>& phrase) {
    std::unordered_map<int, int> uses;
    for (int e : phrase)
      if (e >= 0) ++uses[e];
    struct Change {
      Score delta;
      int other;
      std::size_t at;
    };
    std::vector<Change> changes;
    for (std::size_t i = 0; i < phrase.size(); ++i) {
      const int e = phrase[i];
      if (e < 0) continue;
      const auto& group = words_.Group(walkGroups_[i]);
      const auto own = std::find_if(group.begin(), group.end(), [e](const Candidate& c) { return c.entry == e; });
      std::optional<Change> best;
      for (const Candidate& c : group) {
        if (c.entry == e) continue;
        Score delta = Weighed(c) - Weighed(*own);
        delta.repeats = (uses.count(c.entry) ? 1 : 0) - (uses.at(e) > 1 ? 1 : 0);
        if (!best || Before(delta, c.entry, best->delta, best->other)) best = Change{delta, c.entry, i};
      }
      if (best) changes.push_back(*best);
    }
    std::sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) {
      const auto order = a.delta.Key() <=> b.delta.Key();
      return order != 0 ? order < 0 : std::tie(a.at, a.other) < std::tie(b.at, b.other);
    });
    for (const Change& c : changes) {
      std::vector<int> other = phrase;
      other[c.at] = c.other;
      if (!listed_.count(other)) return other;
    }
    return {};
  }

  // The words of the beginning up to the node, from the first.
  std::pair<const int*, const int*> PathOf(int node) const {
    const Node& x = nodes_[static_cast<std::size_t>(node)];
    return {paths_.data() + x.path, paths_.data() + x.path + x.depth};
  }
  bool Uses(int node, int entry) const {
    const auto [from, to] = PathOf(node);
    return std::find(from, to, entry) != to;
  }
  // The search's order: by weight with the best ending, then by the words'
  // order in the dictionary, one after another.
  bool NodeBefore(int a, int b) const {
    const Node& x = nodes_[static_cast<std::size_t>(a)];
    const Node& y = nodes_[static_cast<std::size_t>(b)];
    if (!(x.f == y.f)) return x.f < y.f;
    const auto [fromA, toA] = PathOf(a);
    const auto [fromB, toB] = PathOf(b);
    return std::lexicographical_compare(fromA, toA, fromB, toB);
  }

  // From `rank` on, the first word of the group's order that the beginning
  // up to `parent` has not used (phase 0), and once those are done the
  // first that it has (phase 1): weighed with a repeat, those come later.
  bool NextWord(int parent, std::uint32_t g, std::size_t& rank, int& phase) {
    const auto& order = Order(g);
    const auto& group = words_.Group(g);
    for (;;) {
      for (; rank < order.size(); ++rank)
        if (Uses(parent, group[order[rank]].entry) == (phase == 1)) return true;
      if (phase == 1) return false;
      phase = 1;
      rank = 0;
    }
  }

  void Push(int parent, Way w, std::size_t rank, int phase) {
    const Node from = nodes_[static_cast<std::size_t>(parent)];
    Candidate word;
    if (w.Group() != CodeWords::kMark) {
      const Candidate& c = words_.Group(w.Group())[Order(w.Group())[rank]];
      word = Candidate{c.entry, Weighed(c)};
    }
    Node node{};
    node.g = from.g + word.cost;
    node.g.extra += w.Extra();
    node.g.repeats += phase;
    node.position = static_cast<std::uint16_t>(from.position + w.Length());
    node.extraLeft = static_cast<std::uint8_t>(from.extraLeft - w.Extra());
    const Score rest = BestWithin(node.position, node.extraLeft);
    if (IsNever(rest)) return;
    node.f = node.g + rest;
    node.parent = parent;
    node.entry = word.entry;
    node.way = w;
    node.rank = static_cast<std::uint16_t>(rank);
    node.phase = static_cast<std::uint8_t>(phase);
    node.depth = static_cast<std::uint8_t>(from.depth + 1);
    node.path = static_cast<std::uint32_t>(paths_.size());
    paths_.resize(paths_.size() + node.depth);
    std::copy_n(paths_.begin() + from.path, from.depth, paths_.begin() + node.path);
    paths_.back() = word.entry;
    nodes_.push_back(node);
    heap_.push_back(static_cast<int>(nodes_.size() - 1));
    std::push_heap(heap_.begin(), heap_.end(), [this](int a, int b) { return NodeBefore(b, a); });
  }

  // The exact search, best first over the phrases' beginnings, each weighed
  // with the best ending after it, which no word can make lighter: the
  // first whole phrase it reaches that is not listed yet is the best. Each
  // beginning's next words come one at a time, the next only once the one
  // before it is taken. False when there is none (found empty) or the
  // search took too many steps (searchGaveUp_).
  bool Search(std::vector<int>& found) {
    searchGaveUp_ = false;
    found.clear();
    nodes_.clear();
    heap_.clear();
    paths_.clear();
    Node root{};
    root.g = Score{};
    root.f = BestWithin(0, 1);
    root.parent = -1;
    root.extraLeft = 1;
    if (IsNever(root.f)) return false;
    nodes_.push_back(root);
    heap_.push_back(0);
    const auto later = [this](int a, int b) { return NodeBefore(b, a); };
    for (std::size_t steps = 0; !heap_.empty(); ++steps) {
      if (steps == kSearchSteps) {
        searchGaveUp_ = true;
        return false;
      }
      std::pop_heap(heap_.begin(), heap_.end(), later);
      const int at = heap_.back();
      heap_.pop_back();
      const Node node = nodes_[static_cast<std::size_t>(at)];
      if (node.parent >= 0 && node.way.Group() != CodeWords::kMark) {
        std::size_t rank = node.rank + 1u;
        int phase = node.phase;
        if (NextWord(node.parent, node.way.Group(), rank, phase)) Push(node.parent, node.way, rank, phase);
      }
      if (node.position == n_) {
        const auto [from, to] = PathOf(at);
        found.assign(from, to);
        if (!listed_.count(found)) return true;
        continue;
      }
      const auto [from, to] = ways_.KeptAt(node.position);
      for (const Way* w = from; w != to; ++w) {
        if (w->Extra() > node.extraLeft) continue;
        std::size_t rank = 0;
        int phase = 0;
        if (w->Group() == CodeWords::kMark || NextWord(at, w->Group(), rank, phase)) Push(at, *w, rank, phase);
      }
    }
    found.clear();
    return false;
  }

  const CodeWords& words_;
  Ways& ways_;
  std::size_t n_;
  bool exact_;
  Weights weights_;
  bool searchGaveUp_ = false;
  bool stopped_ = false;
  bool penalizeUsed_ = false;  // while WalkLong weighs a piece
  std::vector<std::uint16_t> uses_;     // per entry: its uses in WalkLong's phrase
  unsigned pick_ = 0;
  unsigned round_ = 0;  // the weighings so far
  std::vector<std::uint16_t> offered_;  // per entry: the listed phrases that hold it
  std::vector<unsigned> usedIn_;        // per entry: the last pick whose quick way used it
  std::vector<unsigned> offeredIn_;     // per entry: the size of the list when it last joined
  std::set<std::vector<int>> listed_;
  std::vector<Cheapest> cheapest_;      // per group
  std::vector<std::vector<std::uint16_t>> orders_;
  std::vector<unsigned> orderPick_;
  std::vector<std::array<Score, 2>> best_;
  std::vector<std::array<std::uint32_t, 2>> links_;
  std::vector<std::uint32_t> walkGroups_;  // the quick way's words' groups
  std::vector<Node> nodes_;
  std::vector<int> heap_;
  std::vector<int> paths_;
};

RRankedPhrase MakePhrase(const RDictionary& d, const std::vector<int>& entries) {
  RRankedPhrase out;
  for (int entry : entries) {
    if (entry == kMarkEntry) {
      out.words.push_back(WordOfSlot(kUncoveredSlot));
      out.common.push_back(false);
      out.noun.push_back(false);
      out.pictured.push_back(false);
      ++out.uncovered;
      out.complete = false;
      continue;
    }
    const RWordEntry& e = d.EntryAt(entry);
    const bool common = d.IsCommonEntry(e);
    const bool pictured = d.IsPicturableEntry(e);
    out.words.push_back(e.word);
    out.common.push_back(common);
    out.noun.push_back(e.noun);
    out.pictured.push_back(pictured);
    ++out.wordCount;
    out.commonWords += common ? 1 : 0;
    out.nouns += e.noun ? 1 : 0;
    out.picturable += pictured ? 1 : 0;
  }
  for (std::size_t i = 0; i < out.words.size(); ++i) {
    if (i > 0) out.phrase += ' ';
    out.phrase += out.words[i];
  }
  return out;
}

}  // namespace

std::vector<RRankedPhrase> FindBestPhrases(const RDictionary& dictionary, std::string_view digits,
                                          std::size_t count, const SearchProgress& progress) {
  const std::string only = DigitsOf(digits);
  if (only.empty() || count == 0) return {};
  const std::size_t n = only.size();
  count = std::min(count, BestPhrasesAllowed(n));
  // The ways on from each position are kept for the exact search and for a
  // list of several phrases; a single phrase of a long number finds them as
  // its one pass goes.
  const bool keepWays = count > 1 || n <= kSearchedDigits;
  const Weights weights(n);
  // A long number's first pick weighs the digits twice (WalkLong).
  Work work(progress, n * (1 + (keepWays ? 1 : 0) + count + (weights.longNumber ? 1 : 0)));
  CodeWords words;
  if (!words.Gather(dictionary, only, std::max(kGroupWords, count), weights, work)) return {};
  Ways ways(words, n, weights);
  if (keepWays && !ways.KeepAll(work)) return {};
  Picker picker(dictionary, words, ways, n, weights);
  std::vector<RRankedPhrase> out;
  while (out.size() < count) {
    if (!picker.Weigh(work)) return {};
    const std::vector<int> entries = picker.Pick(work);
    if (picker.Stopped()) return {};
    if (entries.empty()) break;
    picker.List(entries);
    out.push_back(MakePhrase(dictionary, entries));
  }
  return out;
}

}  // namespace tq
