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

// One line "word,level,kind" or "word,level,kind,p" (p: the word can be
// pictured); false for anything else (comments included).
bool ParseKnowledgeLine(std::string_view line, std::string_view& word, unsigned char& level, bool& noun,
                        bool& picturable) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const auto first = line.find(',');
  if (first == std::string_view::npos || first == 0) return false;
  const auto second = line.find(',', first + 1);
  if (second == std::string_view::npos) return false;
  std::string_view kind = line.substr(second + 1);
  picturable = false;
  if (kind.size() == 3 && kind.substr(1) == ",p") {
    picturable = true;
    kind.remove_suffix(2);
  }
  if (kind != "n" && kind != "-") return false;
  if (!ParseLevel(line.substr(first + 1, second - first - 1), level)) return false;
  word = line.substr(0, first);
  noun = kind == "n";
  return true;
}

// The generated file is well under a megabyte; one far larger is no word
// list of ours and is not kept in memory.
constexpr std::size_t kMaxKnowledgeBytes = 32u << 20;

}  // namespace

int RDictionary::LoadWordKnowledge() {
  knowledgeText_.clear();
  const bool read = ReadFileToString(FilePath("wordinfo.dat"), knowledgeText_);
  if (!read || knowledgeText_.size() > kMaxKnowledgeBytes) std::string().swap(knowledgeText_);
  ApplyWordKnowledge();
  return read ? 0 : -1;
}

// The file's text is kept and read again whenever the words are loaded
// again: one walk over it, each line looked up from where the last one was
// found, and the first line of a word holds.
void RDictionary::ApplyWordKnowledge() {
  for (auto& e : entries_) {
    e.level = kNoLevel;
    e.noun = false;
    e.picturable = false;
  }
  hasKnowledge_ = false;
  if (knowledgeText_.empty()) return;
  std::vector<bool> seen(entries_.size(), false);
  LineCursor lines(knowledgeText_);
  std::string_view line;
  std::string_view word;
  unsigned char level = kUnlistedLevel;
  bool noun = false;
  bool picturable = false;
  std::size_t cursor = 0;
  while (lines.Next(line)) {
    if (!ParseKnowledgeLine(line, word, level, noun, picturable)) continue;
    const int p = FindWordFrom(word, cursor);
    if (p < 0 || seen[static_cast<std::size_t>(p)]) continue;
    seen[static_cast<std::size_t>(p)] = true;
    auto& e = entries_[static_cast<std::size_t>(p)];
    e.level = level;
    e.noun = noun;
    e.picturable = picturable;
    hasKnowledge_ = true;
  }
  if (!hasKnowledge_) return;
  // An installed word the lists do not hold is rare; the user's own words
  // (added ones have no stored pronunciation) have no level at all.
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (!seen[i] && entries_[i].hasPronunciation) entries_[i].level = kUnlistedLevel;
  // A removed word the user adds back keeps its pronunciation, but it is
  // the user's choice now.
  std::size_t at = 0;
  for (const auto& w : addedWords_) {
    const int p = FindWordFrom(w, at);
    if (p >= 0) entries_[static_cast<std::size_t>(p)].level = kNoLevel;
  }
}

int RDictionary::FindWordFrom(std::string_view word, std::size_t& cursor) const {
  const std::size_t n = entries_.size();
  const auto before = [word](const WordEntry& e) { return std::string_view(e.word) < word; };
  std::size_t lo = 0;
  std::size_t hi = n;
  if (cursor <= n && (cursor == 0 || before(entries_[cursor - 1]))) {
    // In order: the word is at cursor or after it, most often right there.
    if (cursor < n && entries_[cursor].word == word) return static_cast<int>(cursor++);
    lo = cursor;
    std::size_t step = 1;
    while (lo + step < n && before(entries_[lo + step])) {
      lo += step;
      step *= 2;
    }
    hi = std::min(n, lo + step + 1);
  }
  const auto at = std::partition_point(entries_.begin() + static_cast<std::ptrdiff_t>(lo),
                                       entries_.begin() + static_cast<std::ptrdiff_t>(hi), before);
  cursor = static_cast<std::size_t>(at - entries_.begin());
  if (at == entries_.end() || at->word != word) return -1;
  return static_cast<int>(cursor++);
}

}  // namespace tq
