// The best-phrase search behind the Best Phrases dialog, --best, the peg
// lists and every later suggestion: for a number's digits, the phrases whose
// words' codes cover the digits exactly and in order. The top phrase has the
// fewest words one cannot picture among the phrases of at most one word more
// than the fewest, then the fewest words, then common words; the phrases
// below it each differ from those above. Words no suggestion may offer are
// never used. Plain C++, so that every rule can be tested without a display.
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

// The limits that keep the search in bounds for a long number, all here.
//
// Whatever count the search is asked for, it returns at most
// kMaxBestPhrases phrases, and for a very long number only as many as keep
// count x digits within kBestPhrasesBudget (but always at least one): each
// phrase of the list costs a pass over the digits.
inline constexpr std::size_t kMaxBestPhrases = 1000;
inline constexpr std::size_t kBestPhrasesBudget = 4000000;
// How many phrases the search returns at most for a number of so many digits.
constexpr std::size_t BestPhrasesAllowed(std::size_t digits) {
  return std::min(kMaxBestPhrases, std::max<std::size_t>(1, kBestPhrasesBudget / std::max<std::size_t>(1, digits)));
}
// How many phrases the Best Phrases dialog lists, and --best prints unless
// told otherwise.
inline constexpr std::size_t kBestPhraseCount = 20;
// The Best Phrases dialog searches a number of up to this many digits
// before it first paints: that takes milliseconds, and the list is then
// there at once instead of a progress bar flashing by. A longer one is
// searched on a thread of its own.
inline constexpr std::size_t kSearchAtOnce = 1000;

// Best phrases for the digits (characters '0'-'9'; others ignored), best
// first, at most `count` of them (see above), all different. The list holds
// the phrases with the fewest uncovered digits possible and at most one word
// more than the fewest words those allow, and never a word the dictionary
// marks unsuitable. Each phrase is the best of those not listed above it,
// weighed field by field, smaller first:
//   1. words it uses a second time (a phrase that repeats a word comes only
//      after every phrase that does not);
//   2. its words that cannot be pictured (a picture degree below
//      kPictureDegree), plus, for every word, the number of phrases above it
//      that hold the word: a word already offered weighs like one more word
//      that cannot be pictured, so each phrase brings new words where it
//      can. For the top phrase nothing is above it;
//   3. its words beyond the fewest (0 or 1);
//   4. its words that are not common: an uncommon word never replaces a
//      common one to gain nothing;
//   5. the picture degrees its words lack (kFullPicture less each degree),
//      so that the better picture wins among equals;
//   6. its words that are not mostly nouns;
//   7. its words' levels added up;
// and last the words' order in the dictionary, one after another. The
// degree counts as a threshold first, so that the stars the dialog shows are
// what the count goes by, and only then by how much.
// For a number of up to kSearchedDigits digits each phrase is found by an
// exact search; for a longer one (or should the search take too long) the
// best phrase by fields 2 to 7 is found first and each word that repeats an
// earlier one is replaced by the best other word of the same code, where
// there is one; should that phrase be listed already, the lightest phrase
// one word away from it that is not takes its place. The list is the same
// whatever the count: asking for fewer phrases gives its beginning.
// `progress`, when given, is called now and then with the work done so far
// and the work in all, in digits searched; when it returns false the search
// stops and returns no phrase (the Best Phrases window's Cancel).
inline constexpr std::size_t kSearchedDigits = 64;
// Numbers of up to this many digits keep to one word more than the fewest.
inline constexpr std::size_t kShortNumber = 16;
// A word of this many digits or more stands alone on a journey (a scene of
// its own, RJourneyScenes); for a long number, such a word that cannot be
// pictured weighs as two, since its scene would show nothing.
inline constexpr std::size_t kLoneWordDigits = 5;
using SearchProgress = std::function<bool(std::size_t done, std::size_t total)>;
std::vector<RRankedPhrase> FindBestPhrases(const RDictionary& dictionary, std::string_view digits,
                                          std::size_t count = kBestPhraseCount, const SearchProgress& progress = {});

}  // namespace tq
