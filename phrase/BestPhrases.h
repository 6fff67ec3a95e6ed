// The best-phrase search behind the Best Phrases dialog: for a number's
// digits, the phrases whose words' codes cover the digits exactly and in
// order. The top phrase has the fewest words, and among those the most words
// one can picture and common words; the list below it is a choice of
// different beginnings rather than one phrase with its last word traded.
// Plain C++, so that every rule can be tested without a display.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tq {

class RDictionary;

struct RRankedPhrase {
  // In order. A digit that no word can cover is left as the uncovered mark
  // (one per digit), as the entry's own phrase shows it.
  std::vector<std::string> words;
  std::string phrase;  // the words joined by single blanks
  int wordCount = 0;   // words, the uncovered marks not counted
  int commonWords = 0; // words of the common levels (and the user's own)
  int nouns = 0;       // words mostly used as nouns
  int picturable = 0;  // words that name a thing one can picture
  bool complete = true;  // false when some digits could not be covered
  // Per element of `words`: common word, noun, picturable word (all false
  // for an uncovered mark).
  std::vector<bool> common;
  std::vector<bool> noun;
  std::vector<bool> pictured;
  int uncovered = 0;   // uncovered marks
};

// The search keeps up to `count` partial phrases for every digit, so its
// work and memory grow with the count times the digits. Whatever count it
// is asked for, it returns at most kMaxBestPhrases phrases, and for a very
// long number only as many as keep count x digits within kBestPhrasesBudget
// (but always at least one).
inline constexpr std::size_t kMaxBestPhrases = 1000;
inline constexpr std::size_t kBestPhrasesBudget = 4000000;
// How many phrases the search returns at most for a number of so many digits.
constexpr std::size_t BestPhrasesAllowed(std::size_t digits) {
  return std::min(kMaxBestPhrases, std::max<std::size_t>(1, kBestPhrasesBudget / std::max<std::size_t>(1, digits)));
}

// Best phrases for the digits (characters '0'-'9'; others ignored), best
// first, at most `count` of them (see above), all different. Every phrase has
// the least number of uncovered digits possible. The first has the least
// number of words possible besides, and among those the best words: each
// word that cannot be pictured and each that is not common counts against
// it alike (see the weights in the source). Then come the best phrase for
// each other first word of the fewest words, the best first word of each
// code before the second best of any; if those first words are fewer than
// ten, the best phrases of one word more that begin with yet other words;
// then the fewest-word phrases that only trade later words, a round for each
// first word; then the rest, best first. The list is the same whatever the
// count: asking for fewer phrases gives its beginning.
// `progress`, when given, is called now and then with the digits searched so
// far and the digits in all; when it returns false the search stops and
// returns no phrase (the Best Phrases window's Cancel).
using SearchProgress = std::function<bool(std::size_t done, std::size_t total)>;
std::vector<RRankedPhrase> FindBestPhrases(const RDictionary& dictionary, std::string_view digits,
                                          std::size_t count = 20, const SearchProgress& progress = {});

}  // namespace tq
