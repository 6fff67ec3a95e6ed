#include "BestPhrases.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <tuple>
#include <unordered_map>

#include "RDictionary.h"
#include "RNumber.h"

namespace tq {
namespace {

constexpr int kLongestCode = RDictionary::kMaxCodeLength;

// What a word that cannot be pictured, and one that is not common, add to a
// phrase's cost among phrases of as many words. Both weigh alike: the top
// phrase takes every picture that costs no common word, and where a picture
// would cost one, the nouns and then the words' levels decide. Measured on
// random numbers of 4 to 24 digits (bench/BestPhrasesMeasure.cpp), this
// keeps 93-98 % of the pictures the word count allows and gives up at most
// a tenth of a common word on average, more than one in about one number in
// a hundred; weighing a picture above a common word gains the last few
// pictures but gives up two common words or more in up to one long number
// in eleven.
constexpr int kUnpicturedCost = 1;
constexpr int kUncommonCost = 1;

// While the fewest-word phrases begin with fewer words than this, phrases of
// one word more that begin with yet other words come next, so that the list
// offers a choice of beginnings even for a short number.
constexpr std::size_t kFewFirstWords = 10;

// What a phrase costs, compared field by field, smaller first: uncovered
// digits, words, the weighed cost above, words that are not nouns, and last
// the words' levels added up, so that among equals the more common words
// still come first. Every field is a sum over the phrase's words, which is
// what lets the search keep only a few best phrases per position.
struct Score {
  int uncovered = 0;
  int words = 0;
  int cost = 0;
  int otherKinds = 0;
  int levels = 0;

  Score operator+(const Score& o) const {
    return {uncovered + o.uncovered, words + o.words, cost + o.cost, otherKinds + o.otherKinds, levels + o.levels};
  }
  auto Key() const { return std::tie(uncovered, words, cost, otherKinds, levels); }
  bool operator<(const Score& o) const { return Key() < o.Key(); }
  bool operator==(const Score& o) const { return Key() == o.Key(); }
};

// A word that can stand for some piece of the digits; entry -1 is the
// uncovered mark.
struct Candidate {
  int entry = -1;
  Score cost;
};

// Equal costs go in the store's order, which is the words' byte order.
bool WordBefore(const Candidate& a, const Candidate& b) {
  if (!(a.cost == b.cost)) return a.cost < b.cost;
  return a.entry < b.entry;
}

// The first four digits of a code (fewer when it is shorter) as a number
// below kLeads; kLeads or more when one of them is not a digit.
constexpr std::size_t kLeadLength = 4;
constexpr std::size_t kLeads = 10000;
std::size_t LeadOf(std::string_view code) {
  std::size_t lead = 0;
  for (std::size_t k = 0; k < kLeadLength; ++k) {
    const unsigned digit = k < code.size() ? static_cast<unsigned char>(code[k]) - unsigned{'0'} : 0;
    if (digit > 9) return kLeads;
    lead = lead * 10 + digit;
  }
  return lead;
}

// The words whose codes occur in the digits, grouped by code, each group
// keeping its best words, best first. Held by code rather than by place in
// the digits, so that a long number costs no more than the dictionary.
class CodeWords {
 public:
  CodeWords(const RDictionary& d, std::string_view digits, std::size_t keep) : digits_(digits) {
    const std::size_t n = digits.size();
    const std::size_t longest = std::min<std::size_t>(n, kLongestCode);
    // Which first four digits (or fewer, for shorter pieces) begin a piece
    // of each length: most codes are turned away by this before any hashing.
    std::vector<std::vector<bool>> leads(longest + 1, std::vector<bool>(kLeads, false));
    for (std::size_t p = 0; p < n; ++p)
      for (std::size_t l = 1; l <= longest && p + l <= n; ++l)
        leads[l][LeadOf(digits.substr(p, std::min(l, kLeadLength)))] = true;

    longestFrom_.assign(kPrefixes, 0);
    for (std::size_t l = 1; l <= longest; ++l) {
      for (std::size_t i : d.BucketEntries(static_cast<int>(l))) {
        const RWordEntry& e = d.EntryAt(static_cast<int>(i));
        const std::string_view code = e.code;
        const std::size_t lead = LeadOf(code);
        if (lead >= kLeads || !leads[l][lead]) continue;
        const auto [it, added] = group_.emplace(code, static_cast<int>(groups_.size()));
        if (added) groups_.emplace_back();
        const int unpictured = d.IsPicturableEntry(e) ? 0 : kUnpicturedCost;
        const int uncommon = d.IsCommonEntry(e) ? 0 : kUncommonCost;
        groups_[static_cast<std::size_t>(it->second)].push_back(
            Candidate{static_cast<int>(i), Score{0, 1, unpictured + uncommon, e.noun ? 0 : 1, e.level}});
        if (l >= kPrefixLength) {
          auto& most = longestFrom_[PrefixAt(code)];
          most = std::max(most, static_cast<std::uint8_t>(l));
        }
      }
    }
    for (auto& g : groups_) {
      const auto before = [](const Candidate& a, const Candidate& b) { return WordBefore(a, b); };
      if (g.size() > keep) {
        std::partial_sort(g.begin(), g.begin() + static_cast<std::ptrdiff_t>(keep), g.end(), before);
        g.resize(keep);
      } else {
        std::sort(g.begin(), g.end(), before);
      }
    }
  }

  // Calls found(length, words) for every code that begins at position p,
  // shortest first.
  template <class Found>
  void ForEachAt(std::size_t p, Found found) const {
    const std::size_t left = digits_.size() - p;
    std::size_t most = std::min<std::size_t>(left, kPrefixLength - 1);
    if (left >= kPrefixLength) most = std::max<std::size_t>(most, longestFrom_[PrefixAt(digits_.substr(p))]);
    for (std::size_t l = 1; l <= most; ++l) {
      const auto it = group_.find(digits_.substr(p, l));
      if (it != group_.end()) found(l, groups_[static_cast<std::size_t>(it->second)]);
    }
  }

 private:
  // Codes of four digits or more are looked up only as long as the longest
  // code that begins with the same four digits.
  static constexpr std::size_t kPrefixLength = 4;
  static constexpr std::size_t kPrefixes = 10000;
  static std::size_t PrefixAt(std::string_view digits) {
    std::size_t prefix = 0;
    for (std::size_t k = 0; k < kPrefixLength; ++k) prefix = prefix * 10 + static_cast<std::size_t>(digits[k] - '0');
    return prefix;
  }

  std::string_view digits_;
  std::unordered_map<std::string_view, int> group_;
  std::vector<std::vector<Candidate>> groups_;
  std::vector<std::uint8_t> longestFrom_;
};

// The best `keep` endings of the phrase from every position to the end of
// the digits. An ending extends those of a later position by one word (or
// one uncovered mark) before them; the candidates from each later position
// form a grid of its endings by the piece's words, both sorted, so a heap
// walks all grids in score order and stops after `keep`. Only the link to
// the rest of each ending is kept for every position; the scores are needed
// only as far back as the longest code reaches.
class Endings {
 public:
  struct Link {
    std::int32_t entry;      // the word; -1 for an uncovered mark
    std::uint16_t nextRank;  // which ending of the position after it follows
    std::uint8_t length;     // the digits it covers
  };
  static_assert(kMaxBestPhrases <= std::numeric_limits<std::uint16_t>::max());

  // Endings for positions 1 to n; false when `progress` stopped the search.
  bool Search(const CodeWords& words, std::size_t n, std::size_t keep, const SearchProgress& progress) {
    static const std::vector<Candidate> kMark{Candidate{-1, Score{1, 0, 0, 0, 0}}};
    struct Source {
      std::size_t length;
      const std::vector<Candidate>* candidates;
    };
    struct Step {
      Score score;
      int source;
      int rank;
      int word;
      bool operator>(const Step& o) const {
        if (!(score == o.score)) return o.score < score;
        return std::tie(source, rank, word) > std::tie(o.source, o.rank, o.word);
      }
    };
    n_ = n;
    start_.assign(n + 1, 0);
    size_.assign(n + 1, 0);
    links_.clear();
    size_[n] = 1;
    Scores(n).assign(1, Score{});

    std::vector<Source> sources;
    std::vector<Step> heap;
    const auto later = [](const Step& a, const Step& b) { return a > b; };
    // Asked every few thousand digits: often enough for a smooth bar, rarely
    // enough to cost nothing.
    constexpr std::size_t kProgressEvery = 4096;
    std::vector<Score> here;
    for (std::size_t p = n; p-- > 1;) {
      if (progress && (n - p) % kProgressEvery == 0 && !progress(n - p, n)) return false;
      sources.clear();
      words.ForEachAt(p, [&](std::size_t l, const std::vector<Candidate>& group) { sources.push_back({l, &group}); });
      sources.push_back(Source{1, &kMark});

      heap.clear();
      const auto push = [&](int s, int rank, int word) {
        const Source& src = sources[static_cast<std::size_t>(s)];
        const auto& after = Scores(p + src.length);
        if (static_cast<std::size_t>(rank) >= after.size()) return;
        if (static_cast<std::size_t>(word) >= src.candidates->size()) return;
        heap.push_back(Step{(*src.candidates)[static_cast<std::size_t>(word)].cost +
                                after[static_cast<std::size_t>(rank)],
                            s, rank, word});
        std::push_heap(heap.begin(), heap.end(), later);
      };
      for (int s = 0; s < static_cast<int>(sources.size()); ++s) push(s, 0, 0);
      here.clear();
      start_[p] = static_cast<std::uint32_t>(links_.size());
      while (!heap.empty() && here.size() < keep) {
        std::pop_heap(heap.begin(), heap.end(), later);
        const Step step = heap.back();
        heap.pop_back();
        const Source& src = sources[static_cast<std::size_t>(step.source)];
        here.push_back(step.score);
        links_.push_back(Link{(*src.candidates)[static_cast<std::size_t>(step.word)].entry,
                              static_cast<std::uint16_t>(step.rank), static_cast<std::uint8_t>(src.length)});
        // Each grid cell is reached exactly once: along its row always, down
        // its column only from the first column.
        push(step.source, step.rank, step.word + 1);
        if (step.word == 0) push(step.source, step.rank + 1, 0);
      }
      size_[p] = static_cast<std::uint16_t>(here.size());
      Scores(p).swap(here);
    }
    return true;
  }

  // Endings from positions up to the longest code are still at hand.
  std::size_t Count(std::size_t p) const { return size_[p]; }
  const Score& ScoreAt(std::size_t p, std::size_t rank) const { return scores_[p % kWindow][rank]; }

  // The words of an ending, in order.
  void Gather(std::size_t p, std::size_t rank, std::vector<int>& entries) const {
    while (p < n_) {
      const Link& link = links_[start_[p] + rank];
      entries.push_back(link.entry);
      rank = link.nextRank;
      p += link.length;
    }
  }

 private:
  static constexpr std::size_t kWindow = kLongestCode + 1;
  std::vector<Score>& Scores(std::size_t p) { return scores_[p % kWindow]; }
  const std::vector<Score>& Scores(std::size_t p) const { return scores_[p % kWindow]; }

  std::size_t n_ = 0;
  std::vector<Link> links_;
  std::vector<std::uint32_t> start_;
  std::vector<std::uint16_t> size_;
  std::array<std::vector<Score>, kWindow> scores_;
};

// A first word (or the uncovered mark) and the best endings after it: the
// list is drawn from these, one stream per way to begin.
struct Stream {
  Candidate first;
  std::size_t length;    // the digits the first word covers
  std::size_t codeRank;  // 0 for the best first word of its code, 1 for the next...
};

// A phrase of the list: its stream and which of the stream's endings.
struct Pick {
  std::size_t stream;
  std::size_t rank;
};

RRankedPhrase MakePhrase(const RDictionary& d, const std::vector<int>& entries) {
  RRankedPhrase out;
  for (int entry : entries) {
    if (entry < 0) {
      out.words.emplace_back(1, kUncoveredMark);
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

// The order of the list (see the header): every pick is made from a fixed
// order of all phrases, so asking for fewer phrases gives the same first
// ones. Equal scores keep the streams' order (shorter first words first,
// then the words' byte order) and then the endings' order.
std::vector<Pick> Order(const std::vector<Stream>& streams, const Endings& endings, std::size_t count) {
  const auto scoreOf = [&](const Pick& k) {
    const Stream& s = streams[k.stream];
    return s.first.cost + endings.ScoreAt(s.length, k.rank);
  };
  const auto exists = [&](std::size_t stream, std::size_t rank) {
    return rank < endings.Count(streams[stream].length);
  };
  Score best = scoreOf({0, 0});
  for (std::size_t c = 1; c < streams.size(); ++c) best = std::min(best, scoreOf({c, 0}));
  const int uncovered = best.uncovered;
  const int fewest = best.words;
  // Only phrases with as few uncovered digits as the best one are answers.
  const auto answer = [&](std::size_t stream, std::size_t rank) {
    return exists(stream, rank) && scoreOf({stream, rank}).uncovered == uncovered;
  };
  const auto byScore = [&](const Pick& a, const Pick& b) {
    const Score sa = scoreOf(a), sb = scoreOf(b);
    if (!(sa == sb)) return sa < sb;
    return std::tie(a.stream, a.rank) < std::tie(b.stream, b.rank);
  };

  std::vector<Pick> out;
  // The first rank of each stream that is not yet listed once the rounds
  // for first words are over.
  std::vector<std::size_t> rest(streams.size(), 0);
  std::vector<Pick> fewestFirst, oneMoreFirst;
  for (std::size_t c = 0; c < streams.size(); ++c) {
    if (!answer(c, 0)) continue;
    const int words = scoreOf({c, 0}).words;
    if (words == fewest) fewestFirst.push_back({c, 0});
    if (words == fewest + 1) oneMoreFirst.push_back({c, 0});
  }
  // First words of one code share their endings, so those phrases differ in
  // the first word alone: each code's best comes first, then each one's next.
  const auto byCodeRound = [&](const Pick& a, const Pick& b) {
    if (streams[a.stream].codeRank != streams[b.stream].codeRank)
      return streams[a.stream].codeRank < streams[b.stream].codeRank;
    return byScore(a, b);
  };
  std::sort(fewestFirst.begin(), fewestFirst.end(), byCodeRound);
  std::sort(oneMoreFirst.begin(), oneMoreFirst.end(), byCodeRound);
  for (const Pick& k : fewestFirst) out.push_back(k), rest[k.stream] = 1;
  for (std::size_t i = 0; i < oneMoreFirst.size() && fewestFirst.size() + i < kFewFirstWords; ++i)
    out.push_back(oneMoreFirst[i]), rest[oneMoreFirst[i].stream] = 1;

  // Rounds over the fewest-word first words: each one's next ending.
  const auto laterRound = [&](const Pick& a, const Pick& b) {
    if (a.rank != b.rank) return a.rank > b.rank;
    return byScore(b, a);
  };
  std::vector<Pick> heap;
  const auto pushRound = [&](std::size_t c, std::size_t rank) {
    if (!answer(c, rank) || scoreOf({c, rank}).words != fewest) return;
    heap.push_back({c, rank});
    std::push_heap(heap.begin(), heap.end(), laterRound);
  };
  for (const Pick& k : fewestFirst) pushRound(k.stream, 1);
  while (!heap.empty() && out.size() < count) {
    std::pop_heap(heap.begin(), heap.end(), laterRound);
    const Pick k = heap.back();
    heap.pop_back();
    out.push_back(k);
    rest[k.stream] = k.rank + 1;
    pushRound(k.stream, k.rank + 1);
  }
  // The rounds end each fewest-word stream at its first longer phrase; the
  // rest of every stream follows in score order.
  for (const Pick& k : fewestFirst)
    while (answer(k.stream, rest[k.stream]) && scoreOf({k.stream, rest[k.stream]}).words == fewest)
      ++rest[k.stream];
  const auto laterScore = [&](const Pick& a, const Pick& b) { return byScore(b, a); };
  heap.clear();
  for (std::size_t c = 0; c < streams.size(); ++c)
    if (answer(c, rest[c])) heap.push_back({c, rest[c]});
  std::make_heap(heap.begin(), heap.end(), laterScore);
  while (!heap.empty() && out.size() < count) {
    std::pop_heap(heap.begin(), heap.end(), laterScore);
    const Pick k = heap.back();
    heap.pop_back();
    out.push_back(k);
    if (answer(k.stream, k.rank + 1)) {
      heap.push_back({k.stream, k.rank + 1});
      std::push_heap(heap.begin(), heap.end(), laterScore);
    }
  }
  if (out.size() > count) out.resize(count);
  return out;
}

}  // namespace

std::vector<RRankedPhrase> FindBestPhrases(const RDictionary& dictionary, std::string_view digits,
                                          std::size_t count, const SearchProgress& progress) {
  const std::string only = DigitsOf(digits);
  if (only.empty() || count == 0) return {};
  const std::size_t n = only.size();
  count = std::min({count, kMaxBestPhrases, std::max<std::size_t>(1, kBestPhrasesBudget / n)});
  const CodeWords words(dictionary, only, count);
  Endings endings;
  if (!endings.Search(words, n, count, progress)) return {};

  std::vector<Stream> streams;
  words.ForEachAt(0, [&](std::size_t l, const std::vector<Candidate>& group) {
    for (std::size_t i = 0; i < group.size(); ++i) streams.push_back(Stream{group[i], l, i});
  });
  streams.push_back(Stream{Candidate{-1, Score{1, 0, 0, 0, 0}}, 1, 0});

  std::vector<RRankedPhrase> out;
  std::vector<int> entries;
  for (const Pick& k : Order(streams, endings, count)) {
    entries.assign(1, streams[k.stream].first.entry);
    endings.Gather(streams[k.stream].length, k.rank, entries);
    out.push_back(MakePhrase(dictionary, entries));
  }
  return out;
}

}  // namespace tq
