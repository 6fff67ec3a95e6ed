// The word knowledge: how common each word is and whether it is mostly a
// noun, from wordinfo.dat (written by tools/MakeWords beside words.dat; the
// format is described there). Only the best-phrase ranking uses it.
#include <algorithm>

#include "FileIO.h"
#include "RDictionary.h"

namespace tq {
namespace {

// "10" to "99"-style levels: one or two digits, not zero.
bool ParseLevel(std::string_view text, unsigned char& level) {
  if (text == "-") {
    level = kUnlistedLevel;
    return true;
  }
  if (text.empty() || text.size() > 2) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value == 0) return false;
  level = static_cast<unsigned char>(value);
  return true;
}

// One line "word,level,kind"; false for anything else (comments included).
bool ParseKnowledgeLine(std::string_view line, WordKnowledge& out) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const auto first = line.find(',');
  if (first == std::string_view::npos || first == 0) return false;
  const auto second = line.find(',', first + 1);
  if (second == std::string_view::npos) return false;
  const std::string_view kind = line.substr(second + 1);
  if (kind != "n" && kind != "-") return false;
  if (!ParseLevel(line.substr(first + 1, second - first - 1), out.level)) return false;
  out.word.assign(line.substr(0, first));
  out.noun = kind == "n";
  return true;
}

}  // namespace

int RDictionary::LoadWordKnowledge() {
  knowledge_.clear();
  std::string contents;
  if (!ReadFileToString(FilePath("wordinfo.dat"), contents)) {
    ApplyWordKnowledge();
    return -1;
  }
  // Only lines for words the store holds are kept, the first one per word,
  // so a damaged or hostile file costs no more than the dictionary itself.
  std::vector<bool> seen(entries_.size(), false);
  LineCursor lines(contents);
  std::string_view line;
  WordKnowledge record;
  while (lines.Next(line)) {
    if (!ParseKnowledgeLine(line, record)) continue;
    const int p = FindWord(record.word);
    if (p < 0 || seen[static_cast<std::size_t>(p)]) continue;
    seen[static_cast<std::size_t>(p)] = true;
    knowledge_.push_back(record);
  }
  ApplyWordKnowledge();
  return 0;
}

void RDictionary::ApplyWordKnowledge() {
  const bool known = !knowledge_.empty();
  for (auto& e : entries_) {
    // An installed word the lists do not hold is rare; the user's own words
    // (added ones have no stored pronunciation) have no level at all.
    e.level = known && e.hasPronunciation ? kUnlistedLevel : kNoLevel;
    e.noun = false;
  }
  if (!known) return;
  for (const auto& k : knowledge_) {
    const int p = FindWord(k.word);
    if (p < 0) continue;
    auto& e = entries_[static_cast<std::size_t>(p)];
    e.level = k.level;
    e.noun = k.noun;
  }
  // A removed word the user adds back keeps its pronunciation, but it is
  // the user's choice now.
  for (const auto& w : addedWords_) {
    const int p = FindWord(w);
    if (p >= 0) entries_[static_cast<std::size_t>(p)].level = kNoLevel;
  }
}

}  // namespace tq
