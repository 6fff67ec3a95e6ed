// The random phrase generator behind the Random Phrase dialog: it cuts a
// number's digits into random pieces of one to three digits and gives each
// piece a random dictionary word whose code is exactly that piece. Plain C++,
// so that every rule can be tested without a display.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tq {

class RDictionary;

// No piece of a random phrase is longer than this many digits.
inline constexpr int kMaxRandomPiece = 3;

// One element of a proposal, in phrase order.
struct RRandomPhrasePart {
  std::string text;        // the word, or the uncovered-digit mark alone
  std::size_t start = 0;   // the first digit it stands for
  std::size_t length = 0;  // digits it stands for: 0 for a word without a code
  bool uncovered = false;  // no word fits here; text is the mark
};

// Draws a number from 0 to n-1; the program's RandomBelow unless a test
// wants to choose the piece lengths itself.
using RandomDraw = std::function<int(int)>;

// The proposal for `digits` as separate parts. Piece lengths come from
// `draw`; the words are picked by the dictionary's own random choice.
//
// A drawn piece without a word is shortened from its end until one has a
// word. Where no piece of one to three digits starting at a digit has a
// word, the digit is left uncovered (the middle dot), so a proposal always
// ends and always stands for every digit. Before a longer piece is drawn for
// a digit whose first draw came up empty, a word without a code may be put
// in as a filler: at most twice per digit, and never at a digit no piece
// fits.
std::vector<RRandomPhrasePart> GenerateRandomParts(const RDictionary& dictionary, std::string_view digits,
                                                  const RandomDraw& draw);
std::vector<RRandomPhrasePart> GenerateRandomParts(const RDictionary& dictionary, std::string_view digits);

// The parts separated by single blanks, with no blank before the first or
// after the last: the form the dialog shows and the entry takes over.
std::string JoinRandomPhrase(const std::vector<RRandomPhrasePart>& parts);

// GenerateRandomParts with the program's random source, joined.
std::string GenerateRandomPhrase(const RDictionary& dictionary, std::string_view digits);

// Seeds the program's one random source with the calendar time in seconds.
void SeedRandomFromClock();

}  // namespace tq
