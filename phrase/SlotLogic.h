// The slot arithmetic behind the word columns. Plain C++ so that it can be
// tested without a display; the Qt strip mirrors what it reports.
#pragma once

namespace tq {

class RDictionary;
class RNumber;

}  // namespace tq
