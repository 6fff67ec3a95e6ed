#include "BestPhrases.h"

#include <algorithm>
#include <array>
#include <queue>
#include <tuple>
#include <unordered_map>

#include "RDictionary.h"
#include "RNumber.h"

namespace tq {
namespace {

constexpr int kLongestCode = RDictionary::kMaxCodeLength;

// What a phrase costs, compared field by field, smaller first: uncovered
// digits, words, words that are not common, words that are not nouns, and
// last the words' levels added up, so that among equals the more common
// words still come first. Every field is a sum over the phrase's words,
// which is what lets the search keep only a few best phrases per position.
struct Score {
  int uncovered = 0;
  int words = 0;
  int uncommon = 0;
  int otherKinds = 0;
  int levels = 0;

  Score operator+(const Score& o) const {
    return {uncovered + o.uncovered, words + o.words, uncommon + o.uncommon, otherKinds + o.otherKinds,
            levels + o.levels};
  }
  auto Key() const { return std::tie(uncovered, words, uncommon, otherKinds, levels); }
  bool operator<(const Score& o) const { return Key() < o.Key(); }
  bool operator==(const Score& o) const { return Key() == o.Key(); }
};

// A word that can stand for some piece of the digits; entry -1 is the
// uncovered mark.
struct Candidate {
  int entry = -1;
  Score cost;
};

// One of the best partial phrases for the digits up to a position: its
// score and where it came from, so that the words are gathered only for the
// phrases finally shown.
struct Partial {
  Score score;
  int from = -1;      // the position the last word starts at
  int fromRank = -1;  // the partial phrase at `from` that it extends
  int entry = -1;     // the last word; -1 for an uncovered mark
};

// Equal costs go in the store's order, which is the words' byte order.
bool WordBefore(const Candidate& a, const Candidate& b) {
  if (!(a.cost == b.cost)) return a.cost < b.cost;
  return a.entry < b.entry;
}

// The words whose codes occur in `digits`, grouped by the piece of digits
// they stand for; group[start * kLongestCode + length - 1] is the group of
// that piece or -1. Each group keeps its `keep` best words, best first.
struct PieceWords {
  std::vector<int> groupAt;
  std::vector<std::vector<Candidate>> groups;
};

// The first three digits of a code (fewer when it is shorter) as a number
// below 1000; 1000 or more when one of them is not a digit.
std::size_t LeadOf(std::string_view code) {
  std::size_t lead = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    const unsigned digit = k < code.size() ? static_cast<unsigned char>(code[k]) - unsigned{'0'} : 0;
    if (digit > 9) return 1000;
    lead = lead * 10 + digit;
  }
  return lead;
}

PieceWords GatherPieceWords(const RDictionary& d, std::string_view digits, std::size_t keep) {
  PieceWords out;
  const std::size_t n = digits.size();
  const std::size_t longest = std::min<std::size_t>(n, kLongestCode);
  out.groupAt.assign(n * kLongestCode, -1);

  // Every distinct piece of up to 24 digits gets a group number.
  std::unordered_map<std::string_view, int> pieces;
  pieces.reserve(n * longest);
  // Which first three digits (or fewer, for shorter pieces) begin a piece of
  // each length: most codes are turned away by this before any hashing.
  std::vector<std::vector<bool>> leads(longest + 1, std::vector<bool>(1000, false));
  for (std::size_t p = 0; p < n; ++p) {
    for (std::size_t l = 1; l <= longest && p + l <= n; ++l) {
      const auto piece = digits.substr(p, l);
      const auto [it, added] = pieces.emplace(piece, static_cast<int>(pieces.size()));
      (void)added;
      out.groupAt[p * kLongestCode + l - 1] = it->second;
      leads[l][LeadOf(piece)] = true;
    }
  }
  out.groups.resize(pieces.size());

  // One pass over the code index: the words of every length that can fit.
  for (std::size_t l = 1; l <= longest; ++l) {
    for (std::size_t i : d.BucketEntries(static_cast<int>(l))) {
      const WordEntry& e = d.EntryAt(static_cast<int>(i));
      const std::string& code = e.code;
      const std::size_t lead = LeadOf(code);
      if (lead >= 1000 || !leads[l][lead]) continue;
      const auto it = pieces.find(code);
      if (it == pieces.end()) continue;
      const bool common = d.IsCommonEntry(e);
      out.groups[static_cast<std::size_t>(it->second)].push_back(
          Candidate{static_cast<int>(i), Score{0, 1, common ? 0 : 1, e.noun ? 0 : 1, e.level}});
    }
  }
  for (auto& g : out.groups) {
    const auto before = [](const Candidate& a, const Candidate& b) { return WordBefore(a, b); };
    if (g.size() > keep) {
      std::partial_sort(g.begin(), g.begin() + static_cast<std::ptrdiff_t>(keep), g.end(), before);
      g.resize(keep);
    } else {
      std::sort(g.begin(), g.end(), before);
    }
  }
  return out;
}

// The best `keep` partial phrases ending at every position. A position's
// phrases extend those of earlier positions by one word (or one uncovered
// mark); the candidates from each earlier position form a grid of its
// phrases by the piece's words, both sorted, so a heap walks all grids in
// score order and stops after `keep`.
std::vector<std::vector<Partial>> BestPartials(std::size_t n, const PieceWords& words, std::size_t keep,
                                               const SearchProgress& progress) {
  static const std::vector<Candidate> kMark{Candidate{-1, Score{1, 0, 0, 0, 0}}};
  struct Source {
    int from;
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

  std::vector<std::vector<Partial>> best(n + 1);
  best[0].push_back(Partial{});
  std::vector<Source> sources;
  std::vector<Step> heapStore;
  // Asked every few thousand digits: often enough for a smooth bar, rarely
  // enough to cost nothing.
  constexpr std::size_t kProgressEvery = 4096;
  for (std::size_t p = 1; p <= n; ++p) {
    if (progress && p % kProgressEvery == 0 && !progress(p, n)) return {};
    sources.clear();
    for (std::size_t l = 1; l <= std::min<std::size_t>(p, kLongestCode); ++l) {
      const std::size_t from = p - l;
      const int g = words.groupAt[from * kLongestCode + l - 1];
      if (g < 0 || best[from].empty() || words.groups[static_cast<std::size_t>(g)].empty()) continue;
      sources.push_back(Source{static_cast<int>(from), &words.groups[static_cast<std::size_t>(g)]});
    }
    if (!best[p - 1].empty()) sources.push_back(Source{static_cast<int>(p - 1), &kMark});

    heapStore.clear();
    std::priority_queue<Step, std::vector<Step>, std::greater<>> heap(std::greater<>(), std::move(heapStore));
    const auto push = [&](int s, int rank, int word) {
      const Source& src = sources[static_cast<std::size_t>(s)];
      const auto& partials = best[static_cast<std::size_t>(src.from)];
      if (static_cast<std::size_t>(rank) >= partials.size()) return;
      if (static_cast<std::size_t>(word) >= src.candidates->size()) return;
      heap.push(Step{partials[static_cast<std::size_t>(rank)].score +
                         (*src.candidates)[static_cast<std::size_t>(word)].cost,
                     s, rank, word});
    };
    for (int s = 0; s < static_cast<int>(sources.size()); ++s) push(s, 0, 0);
    auto& here = best[p];
    while (!heap.empty() && here.size() < keep) {
      const Step step = heap.top();
      heap.pop();
      const Source& src = sources[static_cast<std::size_t>(step.source)];
      here.push_back(Partial{step.score, src.from, step.rank,
                             (*src.candidates)[static_cast<std::size_t>(step.word)].entry});
      // Each grid cell is reached exactly once: along its row always, down
      // its column only from the first column.
      push(step.source, step.rank, step.word + 1);
      if (step.word == 0) push(step.source, step.rank + 1, 0);
    }
  }
  return best;
}

RankedPhrase Gather(const RDictionary& d, const std::vector<std::vector<Partial>>& best, std::size_t n, int rank) {
  RankedPhrase out;
  std::vector<int> entries;
  int p = static_cast<int>(n);
  while (p > 0) {
    const Partial& part = best[static_cast<std::size_t>(p)][static_cast<std::size_t>(rank)];
    entries.push_back(part.entry);
    p = part.from;
    rank = part.fromRank;
  }
  std::reverse(entries.begin(), entries.end());
  for (int entry : entries) {
    if (entry < 0) {
      out.words.emplace_back(1, kUncoveredMark);
      out.common.push_back(false);
      out.noun.push_back(false);
      ++out.uncovered;
      out.complete = false;
      continue;
    }
    const WordEntry& e = d.EntryAt(entry);
    const bool common = d.IsCommonEntry(e);
    out.words.push_back(e.word);
    out.common.push_back(common);
    out.noun.push_back(e.noun);
    ++out.wordCount;
    out.commonWords += common ? 1 : 0;
    out.nouns += e.noun ? 1 : 0;
  }
  for (std::size_t i = 0; i < out.words.size(); ++i) {
    if (i > 0) out.phrase += ' ';
    out.phrase += out.words[i];
  }
  return out;
}

}  // namespace

std::vector<RankedPhrase> FindBestPhrases(const RDictionary& dictionary, std::string_view digits,
                                          std::size_t count, const SearchProgress& progress) {
  std::string only;
  for (char c : digits)
    if (c >= '0' && c <= '9') only += c;
  if (only.empty() || count == 0) return {};
  const std::size_t n = only.size();
  count = std::min({count, kMaxBestPhrases, std::max<std::size_t>(1, kBestPhrasesBudget / n)});
  const PieceWords words = GatherPieceWords(dictionary, only, count);
  const auto best = BestPartials(n, words, count, progress);
  if (best.empty()) return {};

  const auto& last = best[n];
  std::vector<std::pair<Score, RankedPhrase>> found;
  for (std::size_t r = 0; r < last.size(); ++r) {
    // A phrase with more uncovered digits than the best one is no answer.
    if (last[r].score.uncovered > last[0].score.uncovered) break;
    found.emplace_back(last[r].score, Gather(dictionary, best, n, static_cast<int>(r)));
  }
  // Equal scores are shown in byte order of their text, so the list never
  // depends on the order of the dictionary's index.
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    if (!(a.first == b.first)) return a.first < b.first;
    return a.second.phrase < b.second.phrase;
  });
  std::vector<RankedPhrase> out;
  out.reserve(found.size());
  for (auto& f : found) out.push_back(std::move(f.second));
  return out;
}

}  // namespace tq
