// The small, valid companions of the file under test, and the start-up load
// of the dictionary in the program's own order.
#pragma once

#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "Messages.h"
#include "RDictionary.h"
#include "ShippedMapping.h"

namespace tq::fuzz {


inline const char* const kWords =
    "apple,@pVl\n"
    "bat,b@t\n"
    "church,t\x9F" "3t\x9F\n"
    "ring,rI\xFC\n"
    "tea,ti\n"
    "tough,tVf\n"
    "tree,tri\n";

// Loads the dictionary from dir as start-up does, stopping where start-up
// would stop, then builds the index and makes one lookup.
inline void LoadAndLookUp(const std::string& dir) {
  ResetFatalErrorForTesting();
  RDictionary dict;
  dict.SetDirectory(dir);
  dict.LoadUserChanges();
  if (dict.LoadWords() < 0 || FatalErrorShown()) return;
  if (dict.LoadMapping() < 0 || FatalErrorShown()) return;
  dict.ComputeCodes();
  dict.BuildCodeIndex();
  std::vector<std::string> rows;
  dict.ListWordsForDigits("1234567890", rows);
}

}  // namespace tq::fuzz
