// Where the drills get what they drill: the pegs in force, and the folder
// their files live in. Every drill asks these two and nothing else, so that
// whatever decides them is changed here alone.
#pragma once

#include <string>
#include <vector>

#include "PegList.h"

namespace tq {

class RDictionary;

// The pegs of `digits` digits (1 to 3) the user drills and lays on the
// journey, in number order.
std::vector<RPeg> TrainingPegs(const RDictionary& dictionary, int digits);

// The folder of the drills' files (with its trailing separator): the user's
// data folder, beside their words and journey.
std::string TrainingDirectory(const RDictionary& dictionary);

}  // namespace tq
