// A plain word list on disk: one word per line, as the dictionary dialog
// exports the words it has found.
#pragma once

#include <string>
#include <vector>

namespace tq {

// Writes the words to path through the atomic writer, each followed by a line
// feed. False when the file could not be written; the reason has been shown
// and an old file at path is left as it was.
bool WriteWordList(const std::string& path, const std::vector<std::string>& words);

}  // namespace tq
