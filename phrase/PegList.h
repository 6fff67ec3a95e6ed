// Peg lists: one word to picture for every number of two digits (00 to 99)
// or of three (000 to 999), the first thing a learner of the system makes and
// learns by heart. Plain C++, so that the choice can be tested without a
// display; File > New Peg List and --pegs both print or show what this makes.
#pragma once

#include <string>
#include <vector>

namespace tq {

class RDictionary;
class RWorksheet;

inline constexpr int kMinPegDigits = 2;
inline constexpr int kMaxPegDigits = 3;

struct RPeg {
  std::string number;              // with its leading zeros: "07"
  std::vector<std::string> words;  // in order; "." for a digit no word covers
  bool picturable = false;         // one word that names a thing to picture
  // The words joined by single blanks, an uncovered digit shown as the mark.
  std::string Phrase() const;
};

// One peg per number from 0 to 10^digits - 1 (digits 2 or 3; anything else
// gives an empty list), in order. A number gets the most common picturable
// word whose code is exactly the number when it has one, otherwise the best
// phrase; no word serves two numbers of one list.
std::vector<RPeg> MakePegList(const RDictionary& dictionary, int digits);

// Appends one entry per peg: the number, the peg's words as the entry's
// chosen words (so the word columns show them) and an empty description.
void AddPegEntries(RWorksheet& worksheet, const std::vector<RPeg>& pegs);

// Asks how many digits the list's numbers have, through the input box;
// returns 2 or 3, or 0 when the user cancelled.
int AskPegDigits();

}  // namespace tq
