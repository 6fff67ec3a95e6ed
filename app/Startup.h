// The start-up load of the dictionary, shared by the program and its tests.
#pragma once

#include <memory>
#include <string>

#include "RDictionary.h"

namespace tq {

// Creates the one dictionary for the data directory (with its trailing
// separator) and loads it: the user's changes, the installed words, the
// mapping rules, the codes and the code index. A missing words.dat or
// mapping.txt is fatal: its loader has said so, loading stops there and the
// result is null.
std::unique_ptr<RDictionary> CreateDictionary(const std::string& directory);

}  // namespace tq
