// Not a test: how good the best phrases are on random numbers, per length.
// For seeded random numbers of 2 to 24 digits it prints, averaged over the
// numbers of each length: the top phrase's words that cannot be pictured
// next to the fewest any phrase of at most one word more than the fewest
// words can have; the words the top phrase has beyond the fewest; the common
// words it gives up against the most common phrase of as many words and as
// many pictures; how many of the other nineteen phrases change at least half
// of their words against the top phrase (as a share) and against every
// phrase above them, the share of their
// words that can be pictured, how many top phrases
// use a word twice, and the distinct first words among the twenty; and for
// two and three digits how often the top phrase is a single picturable word
// when one exists.
//   bin/tq_best_measure DATA_DIR [NUMBERS_PER_LENGTH] [SEED]
// With --long N it instead times one search on N random digits (run it
// under /usr/bin/time -v for the memory). With --journey PI_FILE it fills
// the first 100, 1,000 and 10,000 digits of the file (π, say) and seeded
// random numbers of those lengths as the Journey window's fill does, and
// prints for each the share of words that can be pictured, the words beyond
// the fewest any cover has, the words used twice and the scenes (two words
// a place) that are a lone word one cannot picture. With --pegs it prints the peg lists'
// figures instead: for two digits the plurals and the numbers without a
// picture although one exists; for three digits the share of numbers with a
// picturable word that get one, the share of the others with two pictures
// to be had that get two, and the pegs that are only the plural of the
// two-digit peg although another picture is there; for both, words used
// twice and words no suggestion may offer.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "BestPhrases.h"
#include "FileIO.h"
#include "JourneyScenes.h"
#include "PegList.h"
#include "RDictionary.h"
#include "RNumber.h"

namespace {

using tq::RDictionary;
using tq::RWordEntry;

std::string RandomDigits(std::mt19937& rng, std::size_t n) {
  std::string digits(n, '0');
  for (char& d : digits) d = static_cast<char>('0' + rng() % 10);
  return digits;
}

// Over the covers with the fewest uncovered digits and at most one word more
// than the fewest words, by their words beyond the fewest (0 or 1) and their
// words that cannot be pictured: the most common words such a cover has, or
// -1 when there is none. Words no suggestion may offer take no part.
class Covers {
 public:
  static constexpr int kNone = -1;
  Covers(const RDictionary& dict, const std::string& digits) {
    const std::size_t n = digits.size();
    std::vector<std::vector<const RWordEntry*>> starting(n);
    for (int i = 0; i < dict.Count(); ++i) {
      const RWordEntry& e = dict.EntryAt(i);
      if (e.code.empty() || e.code.size() > n || dict.IsUnsuitableEntry(e)) continue;
      for (std::size_t p = digits.find(e.code); p != std::string::npos; p = digits.find(e.code, p + 1))
        starting[p].push_back(&e);
    }
    // The fewest (uncovered, words) from each position to the end.
    std::vector<std::pair<int, int>> least(n + 1, {0, 0});
    for (std::size_t p = n; p-- > 0;) {
      least[p] = {least[p + 1].first + 1, least[p + 1].second};
      for (const RWordEntry* e : starting[p]) {
        const auto& after = least[p + e->code.size()];
        least[p] = std::min(least[p], std::make_pair(after.first, after.second + 1));
      }
    }
    fewestWords_ = least[0].second;
    // table[p][extra][unpictured]: the most common words of an ending from p.
    const int most = static_cast<int>(n) + 1;
    std::vector<std::vector<std::vector<int>>> table(n + 1, std::vector<std::vector<int>>(2, std::vector<int>(most, kNone)));
    table[n][0][0] = 0;
    for (std::size_t p = n; p-- > 0;) {
      const auto relax = [&](std::size_t q, int uncovered, int words, int unpictured, int common) {
        if (least[q].first + uncovered != least[p].first) return;
        const int extra = words + least[q].second - least[p].second;
        for (int s = 0; s + extra <= 1; ++s)
          for (int k = 0; k + unpictured < most; ++k)
            if (table[q][s][k] != kNone)
              table[p][s + extra][k + unpictured] = std::max(table[p][s + extra][k + unpictured], table[q][s][k] + common);
      };
      relax(p + 1, 1, 0, 0, 0);
      for (const RWordEntry* e : starting[p])
        relax(p + e->code.size(), 0, 1, dict.IsPicturableEntry(*e) ? 0 : 1, dict.IsCommonEntry(*e) ? 1 : 0);
    }
    top_ = std::move(table[0]);
  }
  int FewestUnpictured() const {
    for (int k = 0; k < static_cast<int>(top_[0].size()); ++k)
      if (top_[0][k] != kNone || top_[1][k] != kNone) return k;
    return kNone;
  }
  int MostCommon(int extra, int unpictured) const {
    return extra >= 0 && extra <= 1 && unpictured < static_cast<int>(top_[0].size()) ? top_[extra][unpictured] : kNone;
  }
  int FewestWords() const { return fewestWords_; }

 private:
  std::vector<std::vector<int>> top_;
  int fewestWords_ = 0;
};

int Count(const RDictionary& dict, const tq::RRankedPhrase& phrase, bool picturable) {
  int n = 0;
  for (const auto& w : phrase.words) {
    const int i = dict.FindWord(w);
    if (i < 0) continue;
    const RWordEntry& e = dict.EntryAt(i);
    n += (picturable ? dict.IsPicturableEntry(e) : dict.IsCommonEntry(e)) ? 1 : 0;
  }
  return n;
}

int TimeLong(const RDictionary& dict, std::size_t n) {
  std::mt19937 rng(1);
  const std::string digits = RandomDigits(rng, n);
  const auto start = std::chrono::steady_clock::now();
  const auto found = tq::FindBestPhrases(dict, digits, tq::kBestPhraseCount);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%zu digits: %zu phrases in %.2f s\n", n, found.size(), seconds);
  return found.empty() ? 1 : 0;
}

// The fewest words a cover of the digits with the fewest uncovered digits
// has (unsuitable words take no part).
int FewestWords(const RDictionary& dict, const std::string& digits) {
  const std::size_t n = digits.size();
  std::vector<std::pair<int, int>> least(n + 1, {0, 0});
  std::vector<std::vector<std::size_t>> lengths(n);
  for (int i = 0; i < dict.Count(); ++i) {
    const RWordEntry& e = dict.EntryAt(i);
    if (e.code.empty() || e.code.size() > n || dict.IsUnsuitableEntry(e)) continue;
    for (std::size_t p = digits.find(e.code); p != std::string::npos; p = digits.find(e.code, p + 1))
      lengths[p].push_back(e.code.size());
  }
  for (std::size_t p = n; p-- > 0;) {
    least[p] = {least[p + 1].first + 1, least[p + 1].second};
    for (std::size_t l : lengths[p]) least[p] = std::min(least[p], {least[p + l].first, least[p + l].second + 1});
  }
  return least[0].second;
}

int MeasureJourney(const RDictionary& dict, const char* piFile) {
  std::string pi;
  if (tq::ReadFileUpTo(piFile, 1u << 24, pi) != tq::FileRead::Read) return 1;
  pi = tq::DigitsOf(pi);
  std::mt19937 rng(20261208u);
  std::printf("%-8s %6s %6s %8s %7s %7s %7s %8s\n", "number", "digits", "words", "pictured", "extra", "twice",
              "lone*", "seconds");
  for (std::size_t n : {100u, 1000u, 10000u}) {
    for (int round = 0; round < 4; ++round) {
      const std::string digits = round == 0 ? pi.substr(0, n) : RandomDigits(rng, n);
      if (digits.size() < n) continue;
      tq::RNumber entry;
      entry.SetNumber(digits);
      entry.SetSlots(tq::UncoveredSlots(digits.size()));
      const auto start = std::chrono::steady_clock::now();
      tq::FillWithBestPhrases(dict, entry);
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      int words = 0, pictured = 0, twice = 0, lone = 0;
      std::set<std::string> seen;
      for (const auto& w : entry.Slots()) {
        if (tq::IsUncoveredSlot(w)) continue;
        ++words;
        pictured += dict.IsPicturableEntry(dict.EntryAt(dict.FindWord(w))) ? 1 : 0;
        twice += seen.insert(w).second ? 0 : 1;
      }
      const tq::RJourneyScenes scenes(dict, entry, 2);
      for (std::size_t k = 0; k < scenes.Count(); ++k) {
        const auto scene = scenes.Words(k);
        lone += scene.size() == 1 && !scene[0].uncovered && !scene[0].pictured ? 1 : 0;
      }
      const int fewest = FewestWords(dict, digits);
      std::printf("%-8s %6zu %6d %7.1f%% %6.1f%% %7d %7d %8.2f\n", round == 0 ? "pi" : "random", n, words,
                  100.0 * pictured / std::max(words, 1), 100.0 * (words - fewest) / std::max(fewest, 1), twice, lone,
                  seconds);
    }
  }
  return 0;
}

// The suitable words (with `pictures`, the picturable ones) of each code of
// up to three digits.
std::vector<std::vector<int>> WordsByCode(const RDictionary& dict, bool pictures) {
  std::vector<std::vector<int>> out(1000 + 100 + 10);
  for (int i = 0; i < dict.Count(); ++i) {
    const RWordEntry& e = dict.EntryAt(i);
    if (e.code.empty() || e.code.size() > 3 || (pictures && !dict.IsPicturableEntry(e)) || dict.IsUnsuitableEntry(e))
      continue;
    const std::size_t base = e.code.size() == 1 ? 0 : e.code.size() == 2 ? 10 : 110;
    out[base + static_cast<std::size_t>(std::stoi(e.code))].push_back(i);
  }
  return out;
}

const std::vector<int>& Pictures(const std::vector<std::vector<int>>& byCode, const std::string& code) {
  const std::size_t base = code.size() == 1 ? 0 : code.size() == 2 ? 10 : 110;
  return byCode[base + static_cast<std::size_t>(std::stoi(code))];
}

int MeasurePegs(const RDictionary& dict) {
  const auto byCode = WordsByCode(dict, true);
  const auto anyByCode = WordsByCode(dict, false);
  const auto two = tq::MakePegList(dict, 2);
  const auto three = tq::MakePegList(dict, 3);
  for (const auto* list : {&two, &three}) {
    std::set<std::string> seen;
    int twice = 0, unsuitable = 0;
    for (const auto& peg : *list)
      for (const auto& w : peg.words) {
        if (tq::IsUncoveredSlot(w)) continue;
        twice += seen.insert(w).second ? 0 : 1;
        unsuitable += dict.IsUnsuitableEntry(dict.EntryAt(dict.FindWord(w))) ? 1 : 0;
      }
    std::printf("%zu-digit pegs: %d words used twice, %d unsuitable\n", list->front().number.size(), twice,
                unsuitable);
  }
  int plurals = 0, missed = 0;
  for (const auto& peg : two) {
    if (peg.words.size() == 1 && tq::IsPluralWord(dict, dict.FindWord(peg.words[0]))) ++plurals;
    if (!peg.picturable && !Pictures(byCode, peg.number).empty()) ++missed;
  }
  std::printf("2-digit pegs: %d plurals (at most 2), %d without a picture although one exists (0)\n", plurals, missed);
  int having = 0, single = 0, pairable = 0, paired = 0, onlyPlural = 0, ownWord = 0, ownPaired = 0;
  for (const auto& peg : three) {
    if (!Pictures(byCode, peg.number).empty()) {
      ++having;
      single += peg.picturable ? 1 : 0;
      const int entry = dict.FindWord(peg.words[0]);
      const auto& twoPeg = two[static_cast<std::size_t>(std::stoi(peg.number.substr(0, 2)))];
      if (peg.number.back() == '0' && twoPeg.words.size() == 1 && Pictures(byCode, peg.number).size() > 1 &&
          tq::SingularOf(dict, entry) == twoPeg.words[0])
        ++onlyPlural;
      continue;
    }
    int pictured = 0;
    for (const auto& w : peg.words)
      pictured += !tq::IsUncoveredSlot(w) && dict.IsPicturableEntry(dict.EntryAt(dict.FindWord(w))) ? 1 : 0;
    const bool twoPictures = peg.words.size() == 2 && pictured == 2;
    if (!Pictures(anyByCode, peg.number).empty()) {
      ++ownWord;
      ownPaired += twoPictures ? 1 : 0;
      continue;
    }
    bool pairs = false;
    for (std::size_t cut = 1; cut < 3; ++cut) {
      const auto& a = Pictures(byCode, peg.number.substr(0, cut));
      const auto& b = Pictures(byCode, peg.number.substr(cut));
      pairs = pairs || (!a.empty() && !b.empty() && (a != b || a.size() > 1));
    }
    if (!pairs) continue;
    ++pairable;
    paired += twoPictures ? 1 : 0;
  }
  std::printf("3-digit pegs: a picturable word for %d of %d numbers that have one (%.1f%%, at least 95%%)\n", single,
              having, having ? 100.0 * single / having : 0.0);
  std::printf("3-digit pegs: two pictures for %d of %d numbers without a word of their own where two exist "
              "(%.1f%%, at least 80%%)\n",
              paired, pairable, pairable ? 100.0 * paired / pairable : 0.0);
  std::printf("3-digit pegs: two pictures for %d of %d numbers whose own words are no pictures\n", ownPaired, ownWord);
  std::printf("3-digit pegs ending in 0 that are the two-digit peg's plural although another picture exists: %d\n",
              onlyPlural);
  return 0;
}

// Of the phrase's words, how many the other phrase does not hold.
int Changed(const tq::RRankedPhrase& phrase, const tq::RRankedPhrase& other) {
  int changed = 0;
  for (const auto& w : phrase.words)
    changed += std::find(other.words.begin(), other.words.end(), w) == other.words.end() ? 1 : 0;
  return changed;
}

bool HasRepeat(const tq::RRankedPhrase& phrase) {
  std::set<std::string> seen;
  for (const auto& w : phrase.words)
    if (!tq::IsUncoveredWord(w) && !seen.insert(w).second) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DATA_DIR [NUMBERS_PER_LENGTH] [SEED] | DATA_DIR --long N | DATA_DIR --pegs | "
                 "DATA_DIR --journey PI_FILE\n", argv[0]);
    return 2;
  }
  std::string dir = argv[1];
  if (dir.back() != '/') dir += '/';
  const auto dict = tq::CreateDictionary(dir);
  if (!dict || !dict->HasWordKnowledge()) {
    std::fprintf(stderr, "no dictionary with word knowledge in %s\n", dir.c_str());
    return 1;
  }
  if (argc >= 3 && std::string(argv[2]) == "--pegs") return MeasurePegs(*dict);
  if (argc >= 4 && std::string(argv[2]) == "--journey") return MeasureJourney(*dict, argv[3]);
  if (argc >= 4 && std::string(argv[2]) == "--long") return TimeLong(*dict, std::strtoul(argv[3], nullptr, 10));
  const int perLength = argc >= 3 ? std::atoi(argv[2]) : 200;
  std::mt19937 rng(argc >= 4 ? static_cast<unsigned>(std::atoi(argv[3])) : 20261207u);

  std::printf("%6s %7s %7s %7s %8s %8s %8s %8s %7s %7s %7s %10s\n", "digits", "unpict", "fewest", "extra", "gaveup",
              "gaveup>0", "changed", "fromall", "below*", "repeat", "first", "single");
  double allExcess = 0;
  int excessLengths = 0;
  double longChanged = 0, longOthers = 0;
  for (std::size_t n = 2; n <= 24; ++n) {
    double unpictured = 0, fewest = 0, extra = 0, gaveUp = 0, firsts = 0, changed = 0, others = 0;
    double belowPictures = 0, belowWords = 0, changedFromAll = 0;
    int overZero = 0, repeats = 0, singles = 0, singleTops = 0;
    for (int round = 0; round < perLength; ++round) {
      const std::string digits = RandomDigits(rng, n);
      const auto found = tq::FindBestPhrases(*dict, digits, tq::kBestPhraseCount);
      if (found.empty()) continue;
      const Covers covers(*dict, digits);
      const auto& top = found[0];
      const int topUnpictured = top.wordCount - Count(*dict, top, true);
      unpictured += topUnpictured;
      fewest += covers.FewestUnpictured();
      const int topExtra = top.wordCount - covers.FewestWords();
      extra += topExtra;
      const int given = covers.MostCommon(topExtra, topUnpictured) - Count(*dict, top, false);
      gaveUp += std::max(given, 0);
      overZero += given > 0 ? 1 : 0;
      repeats += HasRepeat(top) ? 1 : 0;
      std::set<std::string> first;
      for (const auto& r : found) first.insert(r.words.front());
      firsts += static_cast<double>(first.size());
      for (std::size_t i = 1; i < found.size(); ++i) {
        changed += 2 * Changed(found[i], top) >= static_cast<int>(found[i].words.size()) ? 1 : 0;
        others += 1;
        bool fromAll = true;
        for (std::size_t j = 0; j < i; ++j)
          fromAll = fromAll && 2 * Changed(found[i], found[j]) >= static_cast<int>(found[i].words.size());
        changedFromAll += fromAll ? 1 : 0;
        belowPictures += found[i].picturable;
        belowWords += found[i].wordCount;
      }
      if (n <= 3) {
        bool exists = false;
        for (int i = 0; i < dict->Count(); ++i) {
          const RWordEntry& e = dict->EntryAt(i);
          if (e.code == digits && dict->IsPicturableEntry(e) && !dict->IsUnsuitableEntry(e)) exists = true;
        }
        if (exists) {
          ++singles;
          singleTops += top.words.size() == 1 && topUnpictured == 0 ? 1 : 0;
        }
      }
    }
    const double k = perLength;
    std::printf("%6zu %7.2f %7.2f %7.2f %8.2f %8d %7.0f%% %7.0f%% %6.0f%% %6.0f%% %7.1f", n, unpictured / k,
                fewest / k, extra / k, gaveUp / k, overZero, others > 0 ? 100 * changed / others : 0.0,
                others > 0 ? 100 * changedFromAll / others : 0.0,
                belowWords > 0 ? 100 * belowPictures / belowWords : 0.0, 100.0 * repeats / k, firsts / k);
    if (n <= 3)
      std::printf(" %4d/%-4d%3.0f%%", singleTops, singles, singles ? 100.0 * singleTops / singles : 0.0);
    std::printf("\n");
    if (n >= 4) allExcess += (unpictured - fewest) / k, ++excessLengths;
    if (n >= 10) longChanged += changed, longOthers += others;
  }
  std::printf("4-24 digits: %.2f more words that cannot be pictured than the fewest, on average; "
              "10-24 digits: %.0f%% of the other phrases change at least half of their words\n",
              allExcess / excessLengths, longOthers > 0 ? 100 * longChanged / longOthers : 0.0);
  return 0;
}
