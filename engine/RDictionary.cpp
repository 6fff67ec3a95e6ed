// The word store: words.dat, codes, the index by code length and the lookups.
#include "RDictionary.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iterator>

#include "FileIO.h"
#include "Messages.h"
#include "Text.h"

namespace tq {

int RandomBelow(int n) { return n <= 0 ? 0 : std::rand() % n; }

std::unique_ptr<RDictionary> CreateDictionary(const std::string& directory) {
  return CreateDictionary(PortablePaths(directory));
}

std::unique_ptr<RDictionary> CreateDictionary(const DataPaths& paths) {
  auto dictionary = std::make_unique<RDictionary>();
  dictionary->SetPaths(paths);
  dictionary->LoadUserChanges();
  if (dictionary->LoadWords() != 0 && FatalErrorShown()) return nullptr;
  dictionary->LoadWordKnowledge();
  if (dictionary->LoadMapping() != 0 && FatalErrorShown()) return nullptr;
  dictionary->ComputeCodes();
  dictionary->BuildCodeIndex();
  return dictionary;
}

RDictionary::RDictionary() = default;

void RDictionary::Grow(std::size_t needed) {
  // The store's room grows in steps of 10000 entries. Memory itself is taken
  // for what a load actually holds, so a small dictionary (or a damaged
  // words.dat) costs only what it needs.
  while (capacity_ < needed) capacity_ += 10000;
}

int RDictionary::LoadWords() {
  const std::string path = FilePath("words.dat");
  entries_.clear();
  int result = -1;
  try {
    result = ReadWordsFile(path);
    if (result == 0) {
      MergeAddedWords();
      MergeRemovedWords();
      ApplyWordKnowledge(true);
    }
  } catch (const std::exception&) {
    // Only running out of memory gets here. Whatever was loaded goes: a
    // dictionary cut off somewhere in the middle would be worse than none.
    entries_.clear();
    entries_.shrink_to_fit();
    ShowError("File " + NativeText(path) + " is too large to be loaded.");
    return -1;
  }
  return result;
}

namespace {

// Calls take(word, pronunciation) for every entry of a words.dat file's
// bytes: each line with a comma, without its line end, whose word is not
// that of the entry before (the file is sorted, so a repeated word keeps its
// first line). The lines are many and short: the scanning is done here, in
// line.
template <typename Take>
void ForEachEntry(std::string_view text, Take&& take) {
  std::string_view last;  // the word before
  bool any = false;
  const char* next = text.data();
  const char* const end = next + text.size();
  while (next < end) {
    const void* found = std::memchr(next, '\n', static_cast<std::size_t>(end - next));
    const char* stop = found ? static_cast<const char*>(found) : end;
    std::string_view line(next, static_cast<std::size_t>(stop - next));
    next = found ? stop + 1 : end;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const void* comma = std::memchr(line.data(), ',', line.size());
    if (!comma) continue;
    const std::string_view word(line.data(), static_cast<std::size_t>(static_cast<const char*>(comma) - line.data()));
    if (any && word == last) continue;
    any = true;
    last = word;
    take(word, line.substr(word.size() + 1));
  }
}

}  // namespace

int RDictionary::ReadWordsFile(const std::string& path) {
  std::string text;
  std::string reason;
  switch (ReadFileUpTo(path, kMaxWordsFile, text, &reason)) {
    case FileRead::Read:
      break;
    case FileRead::Missing:
      ShowFatalError("Filename " + NativeText(path) + " was not found. Please reinstall.");
      return -1;
    case FileRead::NotAFile:
    case FileRead::Unreadable:
      ShowFatalError("Filename " + NativeText(path) + " could not be read: " + NativeText(reason) +
                     ". Please reinstall.");
      return -1;
  }
  if (text.size() > kMaxWordsFile) {
    ShowFatalError("File " + NativeText(path) + " is too large to be loaded.");
    return -1;
  }
  // The store takes room for as many entries as a file of this size holds
  // at about 12 bytes a line (a shipped words.dat averages 17), up to a limit
  // past which it grows as it goes; room a file's lines did not fill (line
  // ends alone, one word repeated) is given back at the end, so a damaged
  // file costs only what it holds.
  constexpr std::size_t kBytesPerLine = 12;
  constexpr std::size_t kRoomAtOnce = std::size_t{1} << 18;
  entries_.reserve(std::min(text.size() / kBytesPerLine + 1, kRoomAtOnce) + addedWords_.size());
  ForEachEntry(text, [&](std::string_view word, std::string_view pronunciation) {
    // Appending to the new entry's empty strings copies each text once.
    RWordEntry& e = entries_.emplace_back();
    e.word.append(word);
    e.pronunciation.append(pronunciation);
    e.hasPronunciation = true;
  });
  if (entries_.capacity() > 2 * (entries_.size() + addedWords_.size())) {
    std::vector<RWordEntry> exact;
    exact.reserve(entries_.size() + addedWords_.size());
    std::move(entries_.begin(), entries_.end(), std::back_inserter(exact));
    entries_.swap(exact);
  }
  Grow(entries_.size());
  return 0;
}

int RDictionary::ComputeCodes() {
  const RRuleTable& sounds = Rules(true);
  const RRuleTable& letters = Rules(false);
  for (auto& e : entries_) {
    e.code = e.hasPronunciation ? ApplyRules(e.pronunciation, sounds) : ApplyRules(e.word, letters);
    e.hasCode = true;
  }
  // Codes the user gave survive any change of the rules.
  for (std::size_t i = 0; i < editedWords_.size(); ++i) {
    const int p = FindWord(editedWords_[i]);
    if (p >= 0) entries_[static_cast<std::size_t>(p)].code = editedCodes_[i];
  }
  return 0;
}

int RDictionary::BuildCodeIndex() {
  // One walk over the store notes each entry's code length (kNone for none
  // that takes part); the buckets are then sized and filled from the notes
  // alone, so the large store is not walked twice.
  constexpr unsigned char kNone = 0xFF;
  static_assert(kMaxCodeLength < kNone);
  std::vector<unsigned char> lengths(entries_.size());
  std::array<std::size_t, kMaxCodeLength + 1> counts{};
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const auto& e = entries_[i];
    // Longer codes (a long pronunciation, or any text given as a code) stay
    // findable by word but take no part in code lookups.
    const bool indexed = e.hasCode && e.code.size() <= kMaxCodeLength;
    lengths[i] = indexed ? static_cast<unsigned char>(e.code.size()) : kNone;
    if (indexed) ++counts[e.code.size()];
  }
  for (std::size_t l = 0; l <= kMaxCodeLength; ++l) {
    codeIndex_[l].clear();
    codeIndex_[l].reserve(counts[l]);
  }
  for (std::size_t i = 0; i < lengths.size(); ++i)
    if (lengths[i] != kNone) codeIndex_[lengths[i]].push_back(i);
  return 0;
}

int RDictionary::FindWord(std::string_view word, bool nearest) const {
  if (entries_.empty()) return -1;  // in both modes
  int lo = 0;
  int hi = Count() - 1;
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    const int c = word.compare(entries_[static_cast<std::size_t>(mid)].word);
    if (c == 0) return mid;
    if (c < 0)
      hi = mid - 1;
    else
      lo = mid + 1;
  }
  if (nearest) return lo;
  return lo == hi && entries_[static_cast<std::size_t>(lo)].word == word ? lo : -1;
}

const std::vector<std::size_t>* RDictionary::Bucket(std::size_t length) const {
  return length <= kMaxCodeLength ? &codeIndex_[length] : nullptr;
}

int RDictionary::BucketSize(int length) const {
  const auto* b = length < 0 ? nullptr : Bucket(static_cast<std::size_t>(length));
  return b ? static_cast<int>(b->size()) : 0;
}

const std::vector<std::size_t>& RDictionary::BucketEntries(int length) const {
  static const std::vector<std::size_t> kNone;
  const auto* b = length < 0 ? nullptr : Bucket(static_cast<std::size_t>(length));
  return b ? *b : kNone;
}

bool RDictionary::BucketHasCode(std::size_t length, std::string_view code) const {
  const auto* bucket = Bucket(length);
  if (!bucket) return false;
  for (std::size_t i : *bucket)
    if (entries_[i].code == code) return true;
  return false;
}

int RDictionary::ListWordsForDigits(std::string_view digits, std::vector<std::string>& rows) const {
  rows.clear();
  int total = 0;
  const std::size_t n = std::min<std::size_t>(digits.size(), kMaxCodeLength);
  for (std::size_t l = n + 1; l-- > 0;) {
    const std::string_view prefix = digits.substr(0, l);
    bool first = true;
    for (std::size_t i : codeIndex_[l]) {
      const auto& e = entries_[i];
      if (e.code != prefix) continue;
      if (first) {
        rows.emplace_back(l == 0 ? std::string("(none)") : std::string(prefix));
        first = false;
      }
      rows.push_back(e.word);
      ++total;
    }
  }
  return total;
}

void RDictionary::TrimToKnownCode(std::string& digits) const {
  for (std::size_t l = digits.size() + 1; l-- > 0;) {
    if (l <= kMaxCodeLength && BucketHasCode(l, std::string_view(digits).substr(0, l))) {
      digits.resize(l);
      return;
    }
  }
  digits.clear();
}

std::optional<std::string> RDictionary::RandomWordForCode(std::string_view code) const {
  const auto* bucket = Bucket(code.size());
  if (!bucket) return std::nullopt;
  int matches = 0;
  for (std::size_t i : *bucket)
    if (entries_[i].code == code) ++matches;
  if (matches == 0) return std::nullopt;
  int k = RandomBelow(matches);
  for (std::size_t i : *bucket) {
    if (entries_[i].code != code) continue;
    if (k-- == 0) return entries_[i].word;
  }
  return std::nullopt;
}

int RDictionary::FindWords(std::string_view text, std::vector<std::string>& words, std::vector<std::string>& codes,
                           int mode) const {
  words.clear();
  codes.clear();
  for (const auto& e : entries_) {
    const bool match = mode == 0 ? StartsWith(e.word, text) : e.word.find(text) != std::string::npos;
    if (!match) continue;
    words.push_back(e.word);
    codes.push_back(e.code);
  }
  return static_cast<int>(words.size());
}

}  // namespace tq
