// The word knowledge: how familiar each word is, whether it is mostly a noun,
// how well it can be pictured and as what, and whether it is unsuitable to
// suggest, from wordinfo.dat (written by tools/MakeWords beside words.dat;
// the format is described there). Only best phrases and peg lists use it.
#include <algorithm>
#include <cstring>

#include "FileIO.h"
#include "Messages.h"
#include "RDictionary.h"

namespace tq {
namespace {

// What one line of the file tells of its word; as it stands, what is known
// of a word no line speaks of.
struct RWordKnowledge {
  unsigned char familiarity = 0;
  bool noun = false;
  unsigned char picture = 0;
  char category = 0;
  bool plural = false;
  bool unsuitable = false;
};

void Assign(RWordEntry& e, const RWordKnowledge& known) {
  e.familiarity = known.familiarity;
  e.noun = known.noun;
  e.picture = known.picture;
  e.category = known.category;
  e.plural = known.plural;
  e.unsuitable = known.unsuitable;
}

// A whole number of one to `digits` digits.
bool ParseNumber(std::string_view text, std::size_t digits, int& value) {
  if (text.empty() || text.size() > digits) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// The first line of a file whose second field is the familiarity; in a file
// without it, that field is the size of the smallest SCOWL word list that
// holds the word, which we read as about the familiarity of such words.
constexpr std::string_view kFamiliarityHeader = "#wordinfo 2";

// The second field: one or two digits ("10" to "99" for a list size, not
// zero; "1" to "99" for a familiarity), "-" for none.
bool ParseFamiliarity(std::string_view text, bool sizes, unsigned char& familiarity) {
  int value = 0;
  if (text == "-") {
    familiarity = 0;
    return true;
  }
  if (!ParseNumber(text, 2, value) || value == 0) return false;
  familiarity = sizes ? FamiliarityOfListSize(value) : static_cast<unsigned char>(value);
  return true;
}

// A picture degree: "p" (the whole degree, as older files mark a picture)
// or 0 to 100.
bool ParsePictureDegree(std::string_view text, unsigned char& degree) {
  int value = kFullPicture;
  if (text != "p" && (!ParseNumber(text, 3, value) || value > kFullPicture)) return false;
  degree = static_cast<unsigned char>(value);
  return true;
}

// A category letter; a capital one says the word is the plural of a noun
// of that category.
bool ParseCategory(std::string_view text, char& category, bool& plural) {
  if (text.size() != 1) return false;
  const bool capital = text[0] >= 'A' && text[0] <= 'Z';
  const char letter = capital ? static_cast<char>(text[0] - 'A' + 'a') : text[0];
  if (kPictureCategories.find(letter) == std::string_view::npos) return false;
  category = letter;
  plural = capital;
  return true;
}

// The field after the last comma of a line when it is a picture degree,
// cut off with its comma.
bool CutPictureDegree(std::string_view& line, unsigned char& degree) {
  const auto comma = line.rfind(',');
  if (comma == std::string_view::npos || !ParsePictureDegree(line.substr(comma + 1), degree)) return false;
  line = line.substr(0, comma);
  return true;
}

// True when the line ends in ",n" or ",-", the kind of "word,level,kind".
bool EndsInKind(std::string_view line) {
  return line.size() >= 2 && line[line.size() - 2] == ',' && (line.back() == 'n' || line.back() == '-');
}

// Reads the line that starts at next as "word,familiarity,kind" (or, in a
// file of the earlier form, "word,level,kind"), optionally
// followed by a picture degree (",p" for the whole degree, or ",0" to
// ",100") and its category (",o", or ",O" for a plural), and then by ",u"
// (the word is unsuitable to suggest), and moves next past its line end.
// False for anything else (comments included). The file has a line for
// most words: the line end is found with one search, and the fields are
// read from the end of the line, where they have their fixed shapes; the
// word ends at the first comma.
bool ReadKnowledgeLine(const char*& next, const char* end, bool sizes, std::string_view& word,
                       RWordKnowledge& known) {
  const char* const start = next;
  const void* const found = std::memchr(start, '\n', static_cast<std::size_t>(end - start));
  const char* const stop = found ? static_cast<const char*>(found) : end;
  next = found ? stop + 1 : end;
  std::string_view line(start, static_cast<std::size_t>(stop - start));
  // A line may end in "\r\n", and one more carriage return is let pass.
  for (int i = 0; i < 2 && !line.empty() && line.back() == '\r'; ++i) line.remove_suffix(1);
  known = RWordKnowledge{};
  known.unsuitable = line.size() >= 2 && line.substr(line.size() - 2) == ",u";
  if (known.unsuitable) line.remove_suffix(2);
  if (!EndsInKind(line)) {
    // A degree, or a degree and a category: "p" is both a degree and the
    // category of plants, so a category is one only after a degree.
    std::string_view rest = line;
    const bool category = rest.size() >= 2 && rest[rest.size() - 2] == ',' &&
                          ParseCategory(rest.substr(rest.size() - 1), known.category, known.plural);
    if (category) rest.remove_suffix(2);
    if (!category || !CutPictureDegree(rest, known.picture) || !EndsInKind(rest)) {
      known.category = 0;
      known.plural = false;
      rest = line;
      if (!CutPictureDegree(rest, known.picture) || !EndsInKind(rest)) return false;
    }
    line = rest;
  }
  // Now "word,familiarity,kind": the familiarity is one or two characters
  // (or "-") after the comma before the kind.
  const std::string_view rest = line.substr(0, line.size() - 2);  // "word,familiarity"
  const auto comma = rest.rfind(',');
  if (comma == std::string_view::npos || comma == 0 || rest.size() - comma > 3) return false;
  if (!ParseFamiliarity(rest.substr(comma + 1), sizes, known.familiarity)) return false;
  word = rest.substr(0, comma);
  // The word ends at the first comma, so a line with one inside it is none.
  if (std::memchr(word.data(), ',', word.size())) return false;
  known.noun = line.back() == 'n';
  return true;
}

}  // namespace

unsigned char FamiliarityOfListSize(int size) {
  constexpr std::pair<int, unsigned char> kTable[] = {{10, 41}, {20, 34}, {35, 27}, {40, 24}, {50, 21}, {60, 18}};
  for (const auto& [most, familiarity] : kTable)
    if (size <= most) return familiarity;
  return 15;
}

int RDictionary::LoadWordKnowledge() {
  const std::string path = FilePath("wordinfo.dat");
  std::string reason;
  const FileRead read = ReadFileUpTo(path, kMaxKnowledgeFile, knowledgeText_, &reason);
  // A file far larger than the generated one is no word list of ours.
  const bool known = read == FileRead::Read && knowledgeText_.size() <= kMaxKnowledgeFile;
  if (!known) std::string().swap(knowledgeText_);
  if (read == FileRead::NotAFile)
    ShowStatusAlert("File " + NativeText(path) + " could not be read: " + NativeText(reason) + ".");
  ApplyWordKnowledge(false);
  return known ? 0 : -1;
}

// The file's text is kept and read again whenever the words are loaded
// again: one walk over it, each line looked up from where the last one was
// found, and the first line of a word holds. The store is large next to the
// caches, so it is walked as few times as can be: once along the lines, and
// once to settle the words no line spoke of.
void RDictionary::ApplyWordKnowledge(bool freshEntries) {
  hasKnowledge_ = false;
  RWordKnowledge none;
  if (knowledgeText_.empty()) {
    if (!freshEntries)
      for (auto& e : entries_) Assign(e, none);
    return;
  }
  std::vector<char> seen(entries_.size(), 0);
  std::string_view word;
  RWordKnowledge known;
  std::size_t cursor = 0;
  const char* next = knowledgeText_.data();
  const char* const end = next + knowledgeText_.size();
  const std::string_view text(knowledgeText_);
  const bool sizes = !(text.starts_with(kFamiliarityHeader) &&
                       (text.size() == kFamiliarityHeader.size() || text[kFamiliarityHeader.size()] == '\n' ||
                        text[kFamiliarityHeader.size()] == '\r'));
  while (next < end) {
    if (!ReadKnowledgeLine(next, end, sizes, word, known)) continue;
    // Most often the word is the one at the cursor: no call for that.
    const int p = cursor < entries_.size() && entries_[cursor].word == word ? static_cast<int>(cursor++)
                                                                            : FindWordFrom(word, cursor);
    if (p < 0 || seen[static_cast<std::size_t>(p)]) continue;
    seen[static_cast<std::size_t>(p)] = 1;
    Assign(entries_[static_cast<std::size_t>(p)], known);
    hasKnowledge_ = true;
  }
  // An installed word the file says nothing of is one nobody hears; the
  // user's own words (added ones have no stored pronunciation) count as
  // familiar.
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (seen[i]) continue;
    none.familiarity = hasKnowledge_ && entries_[i].hasPronunciation ? 0 : kOwnFamiliarity;
    Assign(entries_[i], none);
  }
  if (!hasKnowledge_) return;
  // A removed word the user adds back keeps its pronunciation, but it is
  // the user's choice now.
  std::size_t at = 0;
  for (const auto& w : addedWords_) {
    const int p = FindWordFrom(w, at);
    if (p >= 0) entries_[static_cast<std::size_t>(p)].familiarity = kOwnFamiliarity;
  }
}

int RDictionary::FindWordFrom(std::string_view word, std::size_t& cursor) const {
  const std::size_t n = entries_.size();
  // Most often the word is right at the cursor, found with one comparison.
  if (cursor < n && entries_[cursor].word == word) return static_cast<int>(cursor++);
  const auto before = [word](const RWordEntry& e) { return std::string_view(e.word) < word; };
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
