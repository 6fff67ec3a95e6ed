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

// Reads the line that starts at next as "word,level,kind" or
// "word,level,kind,p" (p: the word can be pictured) and moves next past its
// line end. False for anything else (comments included). The file has a line
// for most words, so the line end and the commas are found in one walk.
bool ReadKnowledgeLine(const char*& next, const char* end, std::string_view& word, unsigned char& level, bool& noun,
                       bool& picturable) {
  const char* const start = next;
  std::size_t commas[3];
  std::size_t count = 0;
  const char* stop = start;
  for (; stop < end && *stop != '\n'; ++stop) {
    if (*stop != ',') continue;
    if (count < 3) commas[count] = static_cast<std::size_t>(stop - start);
    ++count;
  }
  next = stop < end ? stop + 1 : end;
  std::string_view line(start, static_cast<std::size_t>(stop - start));
  // A line may end in "\r\n", and one more carriage return is let pass.
  for (int i = 0; i < 2 && !line.empty() && line.back() == '\r'; ++i) line.remove_suffix(1);
  if (count < 2 || count > 3 || commas[0] == 0) return false;
  const std::size_t kindEnd = count == 3 ? commas[2] : line.size();
  if (kindEnd != commas[1] + 2) return false;
  const char kind = line[commas[1] + 1];
  if (kind != 'n' && kind != '-') return false;
  picturable = count == 3;
  if (picturable && line.substr(commas[2] + 1) != "p") return false;
  if (!ParseLevel(line.substr(commas[0] + 1, commas[1] - commas[0] - 1), level)) return false;
  word = line.substr(0, commas[0]);
  noun = kind == 'n';
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
  ApplyWordKnowledge(false);
  return read ? 0 : -1;
}

// The file's text is kept and read again whenever the words are loaded
// again: one walk over it, each line looked up from where the last one was
// found, and the first line of a word holds. The store is large next to the
// caches, so it is walked as few times as can be: once along the lines, and
// once to settle the words no line spoke of.
void RDictionary::ApplyWordKnowledge(bool freshEntries) {
  hasKnowledge_ = false;
  if (knowledgeText_.empty()) {
    if (!freshEntries)
      for (auto& e : entries_) {
        e.level = kNoLevel;
        e.noun = false;
        e.picturable = false;
      }
    return;
  }
  std::vector<char> seen(entries_.size(), 0);
  std::string_view word;
  unsigned char level = kUnlistedLevel;
  bool noun = false;
  bool picturable = false;
  std::size_t cursor = 0;
  const char* next = knowledgeText_.data();
  const char* const end = next + knowledgeText_.size();
  while (next < end) {
    if (!ReadKnowledgeLine(next, end, word, level, noun, picturable)) continue;
    const int p = FindWordFrom(word, cursor);
    if (p < 0 || seen[static_cast<std::size_t>(p)]) continue;
    seen[static_cast<std::size_t>(p)] = 1;
    auto& e = entries_[static_cast<std::size_t>(p)];
    e.level = level;
    e.noun = noun;
    e.picturable = picturable;
    hasKnowledge_ = true;
  }
  // An installed word the lists do not hold is rare; the user's own words
  // (added ones have no stored pronunciation) have no level at all.
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (seen[i]) continue;
    auto& e = entries_[i];
    e.level = hasKnowledge_ && e.hasPronunciation ? kUnlistedLevel : kNoLevel;
    e.noun = false;
    e.picturable = false;
  }
  if (!hasKnowledge_) return;
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
  // Most often the word is right at the cursor, found with one comparison.
  if (cursor < n && entries_[cursor].word == word) return static_cast<int>(cursor++);
  const auto before = [word](const WordEntry& e) { return std::string_view(e.word) < word; };
  std::size_t lo = 0;
  std::size_t hi = n;
  if (cursor <= n && (cursor == 0 || before(entries_[cursor - 1]))) {
    // In order: the word is after the cursor.
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
