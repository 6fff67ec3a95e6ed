// Peg lists: one word to picture for every number of two digits (00 to 99)
// or of three (000 to 999), the first thing a learner of the system makes and
// learns by heart. Plain C++, so that the choice can be tested without a
// display; File > New Peg List and --pegs both print or show what this makes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tq {

class RDictionary;
class RWorksheet;

inline constexpr int kMinPegDigits = 2;
inline constexpr int kMaxPegDigits = 3;

struct RPeg {
  std::string number;              // with its leading zeros: "07"
  std::vector<std::string> words;  // in order, as slots: kUncoveredSlot for a digit no word covers
  bool picturable = false;         // one word that names a thing to picture
  // The words joined by single blanks, an uncovered digit shown as the mark.
  std::string Phrase() const;
};

// One peg per number from 0 to 10^digits - 1 (digits 2 or 3, or 1 for the
// one-digit pegs that take a digit left over at the end of a long number;
// anything else gives an empty list), in order, as a memory trainer would
// pick them. A
// number with a picturable word whose code is exactly the number gets the
// best of them, judged field by field:
//   1. in a list of three digits, not the plural of the two-digit list's peg
//      for its first two digits ("tires" is no peg for 140 when "door" is
//      the peg of 14 and another word is there);
//   2. a singular: a plural (IsPluralWord: toes, and teeth too) comes only
//      where no singular is;
//   3. a strong picture (a degree of kStrongPicture or more: things,
//      animals, food; substances and the words for persons stay below);
//   4. a common word;
//   5. a word whose first sound spells a digit, not one that begins with a
//      vowel, h, w or y ("suit" rather than "host");
//   6. a word mostly used as a noun;
//   7. the more common level;
//   8. the kind of picture, in the order of kPictureCategories: an object,
//      an animal, food, a part of the body, a plant, something else one
//      sees, a person ("knot" rather than "newt", as common). It comes this
//      late because a kind is no reason to take a rarer word or one that
//      begins with a vowel: "cheese" stays before "chassis", "fire" before
//      "freeway", "sauce" before "oasis";
//   9. the higher degree, then the store's order.
// A number without one gets two pictures whose codes cover it ("tin hat"),
// the numbers with the fewest such pairs left choosing first; failing that,
// the best phrase whose words are still free. Words no suggestion may offer
// are never used, and no word serves two numbers of one list.
inline constexpr unsigned char kStrongPicture = 80;
std::vector<RPeg> MakePegList(const RDictionary& dictionary, int digits);

// The words whose code is exactly `number` (one to three digits) that a peg
// may be, as dictionary positions, best first by the order above (for a
// number of three digits, with `twoDigitPegs` as the list of two when
// given); words no suggestion may offer are left out.
std::vector<int> PegCandidates(const RDictionary& dictionary, std::string_view number,
                               const std::vector<RPeg>* twoDigitPegs = nullptr);

// True when the word at `position` is a plural: of a word of the dictionary
// (SingularOf), or, as the word knowledge tells, of a noun (teeth, lice).
bool IsPluralWord(const RDictionary& dictionary, int position);

// The word of the dictionary that the word at `position` is the plural of
// ("toe" for "toes", "knife" for "knives"), told by its spelling and by its
// code, which is the singular's with a final 0 for the s; empty for none.
std::string SingularOf(const RDictionary& dictionary, int position);

// Appends one entry per peg: the number, the peg's words as the entry's
// chosen words (so the word columns show them) and an empty description.
void AddPegEntries(RWorksheet& worksheet, const std::vector<RPeg>& pegs);

// Asks how many digits the list's numbers have, through the input box;
// returns 2 or 3, or 0 when the user cancelled.
int AskPegDigits();

}  // namespace tq
