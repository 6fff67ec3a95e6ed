#include "TrainingPegs.h"

#include "RDictionary.h"

namespace tq {

std::vector<RPeg> TrainingPegs(const RDictionary& dictionary, int digits) { return MakePegList(dictionary, digits); }

std::string TrainingDirectory(const RDictionary& dictionary) { return dictionary.UserDirectory(); }

}  // namespace tq
