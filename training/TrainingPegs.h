// Where the drills get what they drill: the pegs in force (the user's own
// where they keep one, the suggested ones elsewhere: PegSystem.h), and the
// folder their files live in. Every drill asks these and nothing else.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Journey.h"
#include "PegList.h"

namespace tq {

class RDictionary;
class RPegSystem;

// The pegs in force of `digits` digits (1 to 3), in number order.
const std::vector<RPeg>& TrainingPegs(RPegSystem& pegs, int digits);

// The length of peg the user keeps most of: 3 when their own pegs of three
// digits outnumber those of two, else 2.
int UsualPegDigits(const RPegSystem& pegs);

// One place of the numbers drill's review: the pegs laid there and the
// digits they stand for, counted from 0 in the whole number.
struct RReviewPlace {
  std::string place;
  std::string words;
  std::size_t firstDigit = 0;
  std::size_t digitCount = 0;
};

// The digits laid on the journey with the pegs in force, as they were shown:
// row by row (DigitRows), each row in pegs of `group` digits from its first
// digit (the digit or two left at a row's end taking the peg of their
// length), the journey's words per place pegs at each place, one place after
// another across the rows. Every digit stands at exactly one place, in order.
std::vector<RReviewPlace> LayOnJourney(const RDictionary& dictionary, RPegSystem& pegs, const RJourney& journey,
                                       std::string_view digits, int group);

}  // namespace tq
