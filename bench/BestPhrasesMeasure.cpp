// Not a test: how good the best phrases are on random numbers, per length.
// For seeded random numbers of 2 to 24 digits it prints, averaged over the
// numbers of each length: the top phrase's picturable words next to the most
// any phrase of the fewest words can have, the common words the top phrase
// gives up against the most common phrase of the fewest words, the distinct
// first words among the twenty phrases, and for two and three digits how
// often the top phrase is a single picturable word when one exists.
//   bin/tq_best_measure DATA_DIR [NUMBERS_PER_LENGTH] [SEED]
// With --long N it instead times one search on N random digits (run it
// under /usr/bin/time -v for the memory).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "BestPhrases.h"
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

// Over the covers with the fewest uncovered digits and then the fewest
// words: the most picturable words one can have, and the most common words.
struct Most {
  int picturable = 0;
  int common = 0;
};

Most MostAtFewestWords(const RDictionary& dict, const std::string& digits) {
  struct Cell {
    int uncovered = 1 << 28;
    int words = 0;
    int most = 0;
  };
  std::vector<std::vector<const RWordEntry*>> starting(digits.size());
  for (int i = 0; i < dict.Count(); ++i) {
    const RWordEntry& e = dict.EntryAt(i);
    if (e.code.empty() || e.code.size() > digits.size()) continue;
    for (std::size_t p = digits.find(e.code); p != std::string::npos; p = digits.find(e.code, p + 1))
      starting[p].push_back(&e);
  }
  Most out;
  for (int which = 0; which < 2; ++which) {
    std::vector<Cell> best(digits.size() + 1);
    best[0] = Cell{0, 0, 0};
    const auto better = [](const Cell& a, const Cell& b) {
      if (a.uncovered != b.uncovered) return a.uncovered < b.uncovered;
      if (a.words != b.words) return a.words < b.words;
      return a.most > b.most;
    };
    for (std::size_t p = 0; p < digits.size(); ++p) {
      const Cell mark{best[p].uncovered + 1, best[p].words, best[p].most};
      if (better(mark, best[p + 1])) best[p + 1] = mark;
      for (const RWordEntry* e : starting[p]) {
        const bool has = which == 0 ? dict.IsPicturableEntry(*e) : dict.IsCommonEntry(*e);
        const Cell c{best[p].uncovered, best[p].words + 1, best[p].most + (has ? 1 : 0)};
        if (better(c, best[p + e->code.size()])) best[p + e->code.size()] = c;
      }
    }
    (which == 0 ? out.picturable : out.common) = best.back().most;
  }
  return out;
}

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
  const auto found = tq::FindBestPhrases(dict, digits, 20);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%zu digits: %zu phrases in %.2f s\n", n, found.size(), seconds);
  return found.empty() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DATA_DIR [NUMBERS_PER_LENGTH] [SEED] | DATA_DIR --long N\n", argv[0]);
    return 2;
  }
  std::string dir = argv[1];
  if (dir.back() != '/') dir += '/';
  const auto dict = tq::CreateDictionary(dir);
  if (!dict || !dict->HasWordKnowledge()) {
    std::fprintf(stderr, "no dictionary with word knowledge in %s\n", dir.c_str());
    return 1;
  }
  if (argc >= 4 && std::string(argv[2]) == "--long") return TimeLong(*dict, std::strtoul(argv[3], nullptr, 10));
  const int perLength = argc >= 3 ? std::atoi(argv[2]) : 200;
  std::mt19937 rng(argc >= 4 ? static_cast<unsigned>(std::atoi(argv[3])) : 20261207u);

  std::printf("%6s %8s %8s %6s %8s %8s %7s %10s\n", "digits", "pict", "most", "ratio", "gaveup", "gaveup>1",
              "first", "single");
  double allTop = 0, allMost = 0, allFirst = 0;
  int firstLengths = 0;
  for (std::size_t n = 2; n <= 24; ++n) {
    double top = 0, most = 0, gaveUp = 0, firsts = 0;
    int overOne = 0, singles = 0, singleTops = 0;
    for (int round = 0; round < perLength; ++round) {
      const std::string digits = RandomDigits(rng, n);
      const auto found = tq::FindBestPhrases(*dict, digits, 20);
      if (found.empty()) continue;
      const Most m = MostAtFewestWords(*dict, digits);
      const int pict = Count(*dict, found[0], true);
      top += pict;
      most += m.picturable;
      const int given = m.common - Count(*dict, found[0], false);
      gaveUp += given;
      overOne += given > 1 ? 1 : 0;
      std::set<std::string> first;
      for (const auto& r : found) first.insert(r.words.front());
      firsts += static_cast<double>(first.size());
      if (n <= 3) {
        bool exists = false;
        for (int i = 0; i < dict->Count(); ++i) {
          const RWordEntry& e = dict->EntryAt(i);
          if (e.code == digits && dict->IsPicturableEntry(e)) exists = true;
        }
        if (exists) {
          ++singles;
          singleTops += found[0].words.size() == 1 && pict == 1 ? 1 : 0;
        }
      }
    }
    const double k = perLength;
    std::printf("%6zu %8.2f %8.2f %5.0f%% %8.2f %8d %7.1f", n, top / k, most / k, most > 0 ? 100 * top / most : 100,
                gaveUp / k, overOne, firsts / k);
    if (n <= 3)
      std::printf(" %4d/%-4d%3.0f%%", singleTops, singles, singles ? 100.0 * singleTops / singles : 0.0);
    std::printf("\n");
    if (n >= 4) allTop += top, allMost += most;
    if (n >= 7) allFirst += firsts / k, ++firstLengths;
  }
  std::printf("4-24 digits: picturable %.0f%% of the most; 7-24 digits: %.1f distinct first words\n",
              allMost > 0 ? 100 * allTop / allMost : 100, allFirst / firstLengths);
  return 0;
}
