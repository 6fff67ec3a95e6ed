// The user's changes to the dictionary: words.txt, the two merges at load
// time, and adding, removing and recoding words.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <unordered_map>

#include "AtomicFile.h"
#include "FileIO.h"
#include "Messages.h"
#include "Paths.h"
#include "RDictionary.h"
#include "Text.h"

namespace tq {
namespace {

constexpr const char* kAddHeader = "#ADD - Enter words to add below, one per line.";
constexpr const char* kRemoveHeader = "#REMOVE - Enter words to remove below, one per line.";
constexpr const char* kEditHeader = "#EDIT - Enter words to edit followed by code on the next line.";

// The merges walk the lists in step with the sorted word store, so a
// hand-edited file with its words out of order or repeated is put right here.
void SortUnique(std::vector<std::string>& list) {
  std::sort(list.begin(), list.end());
  list.erase(std::unique(list.begin(), list.end()), list.end());
}

void SortedInsert(std::vector<std::string>& list, const std::string& word) {
  const auto it = std::lower_bound(list.begin(), list.end(), word);
  if (it == list.end() || *it != word) list.insert(it, word);
}

bool SortedErase(std::vector<std::string>& list, const std::string& word) {
  const auto it = std::lower_bound(list.begin(), list.end(), word);
  if (it == list.end() || *it != word) return false;
  list.erase(it);
  return true;
}

// A line of words.txt cannot hold a line break, and one that begins with '#'
// would end its section.
bool FitsOnChangesLine(std::string_view text) {
  return !StartsWith(text, "#") && text.find_first_of("\n\r") == std::string_view::npos;
}

void WriteLine(std::FILE* file, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), file);
  std::fputc('\n', file);
}

}  // namespace

std::string WordProblem(std::string_view word) {
  if (word.empty()) return "Please enter a word.";
  if (word.front() == '#') return "'" + std::string(word) + "' cannot be added: a word cannot begin with '#'.";
  // A phrase reads a word that begins with a dot, the middle dot or the
  // bullet as a digit still to be covered: such a word would not come back.
  if (word.front() == '.' || word.front() == '\xB7' || word.front() == '\x95')
    return "'" + std::string(word) + "' cannot be added: a word cannot begin with a dot.";
  if (std::any_of(word.begin(), word.end(), IsBlank1252))
    return "'" + std::string(word) + "' cannot be added: a word is one word, without blanks, tabs or line breaks.";
  if (word.size() > RDictionary::kMaxWordLength)
    return "'" + std::string(word.substr(0, 30)) + "...' cannot be added: a word has at most " +
           std::to_string(RDictionary::kMaxWordLength) + " letters, and this one has " + std::to_string(word.size()) +
           ".";
  if (std::none_of(word.begin(), word.end(), IsLetter1252))
    return "'" + std::string(word) + "' cannot be added: a word needs at least one letter.";
  return {};
}

std::string RDictionary::WordMeant(std::string_view typed) const {
  std::string word = ToLower1252(TrimBlanks(typed));
  if (word.empty() || FindWord(word) >= 0) return word;
  const std::string_view bare = TrimPunctuation(word);
  return bare.empty() ? word : std::string(bare);
}

std::string CodeProblem(std::string_view code) {
  if (std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) return {};
  return "'" + std::string(code) + "' cannot be a code: a code is made of the digits 0 to 9 only.";
}

int RDictionary::LoadUserChanges() {
  addedWords_.clear();
  removedWords_.clear();
  editedWords_.clear();
  editedCodes_.clear();
  const std::string path = UserFileToRead(paths_, "words.txt");
  std::string text;
  std::string reason;
  switch (ReadFileUpTo(path, kMaxChangesFile, text, &reason)) {
    case FileRead::Read:
      break;
    case FileRead::Missing:
      return -1;  // a first run has no changes yet
    case FileRead::NotAFile:
    case FileRead::Unreadable:
      ShowStatusAlert("File " + NativeText(path) + " could not be read: " + NativeText(reason) + ".");
      return -1;
  }
  // An editor may have put the byte order mark before the first header.
  LineCursor lines(text.size() > kMaxChangesFile ? std::string_view() : SkipByteOrderMark(text));
  bool ok = true;
  try {
    std::string_view line;
    if (!lines.Next(line) || !StartsWith(line, "#ADD")) {
      ok = false;
    } else {
      // Every line that begins with '#' ends a section. The next header opens
      // the next section; a header that skips one, or any other '#' line, makes
      // the file bad data, but the line is passed over and the sections after
      // it are still read: one stray line must not cost the user every change
      // written below it. The line that ends the #EDIT section ends the file:
      // whatever the user keeps below it is theirs and is never read.
      enum class Section { Add, Remove, Edit } section = Section::Add;
      std::string_view code;
      std::unordered_map<std::string_view, std::size_t> editedAt;  // a word's pair, found without a scan
      while (lines.Next(line)) {
        if (StartsWith(line, "#")) {
          if (section == Section::Edit) break;
          if (section == Section::Add && StartsWith(line, "#REMOVE")) {
            section = Section::Remove;
          } else if (StartsWith(line, "#EDIT")) {
            ok = ok && section == Section::Remove;
            section = Section::Edit;
          } else {
            ok = false;
          }
          continue;
        }
        switch (section) {
          case Section::Add:
            if (!line.empty()) addedWords_.push_back(ToLowerAscii(line));
            break;
          case Section::Remove:
            removedWords_.emplace_back(line);
            break;
          case Section::Edit: {
            if (!lines.Next(code)) code = {};
            // One pair per word: a repeated word keeps its first place and
            // takes the later code, as applying the pairs in order would.
            const auto [it, isNew] = editedAt.try_emplace(line, editedWords_.size());
            if (isNew) {
              editedWords_.emplace_back(line);
              editedCodes_.emplace_back(code);
            } else {
              editedCodes_[it->second] = code;
            }
            break;
          }
        }
      }
      // A file that stops before its #EDIT header is cut short.
      if (section != Section::Edit) ok = false;
    }
  } catch (const std::exception&) {
    // Out of memory on a monstrous file: keep what fitted.
    ok = false;
  }
  SortUnique(addedWords_);
  SortUnique(removedWords_);
  if (!ok) {
    ShowStatusAlert("File " + NativeText(path) + " contained bad data.");
    return -1;
  }
  return 0;
}

void RDictionary::MakeUserDirectory() const {
  if (paths_.userDirectory != paths_.dataDirectory) MakeDirectories(paths_.userDirectory);
}

int RDictionary::SaveUserChanges() {
  if (!changesMade_) return 0;
  const std::string path = UserFileToWrite(paths_, "words.txt");
  MakeUserDirectory();
  AtomicFile out(path);
  std::FILE* file = out.OpenOrReport();
  if (!file) return -1;
  WriteLine(file, kAddHeader);
  for (const auto& w : addedWords_) WriteLine(file, w);
  WriteLine(file, kRemoveHeader);
  for (const auto& w : removedWords_) WriteLine(file, w);
  WriteLine(file, kEditHeader);
  for (std::size_t i = 0; i < editedWords_.size(); ++i) {
    WriteLine(file, editedWords_[i]);
    WriteLine(file, editedCodes_[i]);
  }
  if (!out.CommitOrReport("Error writing to file '" + NativeText(path) + "'. The disk could be full.")) return -1;
  return 0;
}

void RDictionary::MergeAddedWords() {
  if (addedWords_.empty()) return;
  Grow(entries_.size() + addedWords_.size());
  std::vector<RWordEntry> merged;
  merged.reserve(entries_.size() + addedWords_.size());
  std::size_t i = 0, j = 0;
  const auto addNew = [&](const std::string& word) {
    RWordEntry& e = merged.emplace_back();
    e.word = word;
  };
  while (i < entries_.size() && j < addedWords_.size()) {
    const int c = entries_[i].word.compare(addedWords_[j]);
    if (c < 0) {
      merged.push_back(std::move(entries_[i++]));
    } else if (c > 0) {
      addNew(addedWords_[j++]);
    } else {
      merged.push_back(std::move(entries_[i++]));
      ++j;
    }
  }
  while (i < entries_.size()) merged.push_back(std::move(entries_[i++]));
  while (j < addedWords_.size()) addNew(addedWords_[j++]);
  entries_ = std::move(merged);
}

void RDictionary::MergeRemovedWords() {
  if (removedWords_.empty()) return;
  std::vector<RWordEntry> kept;
  kept.reserve(entries_.size());
  std::size_t i = 0, j = 0;
  while (i < entries_.size() && j < removedWords_.size()) {
    const int c = entries_[i].word.compare(removedWords_[j]);
    if (c < 0) {
      kept.push_back(std::move(entries_[i++]));
    } else if (c > 0) {
      ++j;  // not in the dictionary; it stays on the removed list
    } else {
      if (entries_[i].hasPronunciation)
        removedPronunciations_.push_back(entries_[i].word + "," + entries_[i].pronunciation);
      ++i;
      ++j;
    }
  }
  while (i < entries_.size()) kept.push_back(std::move(entries_[i++]));
  entries_ = std::move(kept);
}

std::vector<std::string>::const_iterator RDictionary::RemovedPronunciation(const std::string& word) const {
  const std::string key = word + ",";
  return std::find_if(removedPronunciations_.begin(), removedPronunciations_.end(),
                      [&](const std::string& t) { return StartsWith(t, key); });
}

std::string RDictionary::CodeOfNewWord(const std::string& word) const {
  const auto edited = std::find(editedWords_.begin(), editedWords_.end(), word);
  if (edited != editedWords_.end()) return editedCodes_[static_cast<std::size_t>(edited - editedWords_.begin())];
  // A removed installed word comes back with its pronunciation.
  if (std::binary_search(removedWords_.begin(), removedWords_.end(), word)) {
    const auto it = RemovedPronunciation(word);
    if (it != removedPronunciations_.end()) return CodeFromText(std::string_view(*it).substr(word.size() + 1), true);
  }
  return CodeFromText(word, false);
}

int RDictionary::AddWord(const std::string& word) {
  NoteWord(word);
  // A removed word comes back as it was removed (an installed word may hold
  // a blank); anything else must be a word the user could have meant.
  const bool onRemovedList = std::binary_search(removedWords_.begin(), removedWords_.end(), word);
  const std::string problem = onRemovedList && FitsOnChangesLine(word) ? std::string() : WordProblem(word);
  if (!problem.empty()) {
    ShowError(problem);
    return kWordRefused;
  }
  const auto at = std::lower_bound(entries_.begin(), entries_.end(), word,
                                   [](const RWordEntry& e, const std::string& w) { return e.word < w; });
  if (at != entries_.end() && at->word == word) return -1;
  const auto p = static_cast<std::size_t>(at - entries_.begin());
  Grow(entries_.size() + 1);

  std::string code = CodeOfNewWord(word);  // while a removed word is still on its list
  const bool wasRemoved = SortedErase(removedWords_, word);
  SortedInsert(addedWords_, word);

  RWordEntry entry;
  entry.word = word;
  if (wasRemoved) {
    const auto it = RemovedPronunciation(word);
    if (it != removedPronunciations_.end()) {
      entry.pronunciation = it->substr(word.size() + 1);
      entry.hasPronunciation = true;
      removedPronunciations_.erase(it);
    }
  }
  entry.code = std::move(code);
  entry.hasCode = true;

  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(p), std::move(entry));
  changesMade_ = true;
  return static_cast<int>(p);
}

int RDictionary::RemoveWord(const std::string& word) {
  NoteWord(word);
  const int p = FindWord(word);
  if (p < 0) return -1;
  if (!FitsOnChangesLine(word)) {
    // Only a damaged words.dat holds such a word; on the removed list it
    // would break words.txt.
    ShowError("The word '" + word + "' cannot be removed, since it begins with '#' or holds a line break.");
    return -1;
  }
  const auto it = entries_.begin() + p;
  if (it->hasPronunciation) removedPronunciations_.push_back(it->word + "," + it->pronunciation);
  entries_.erase(it);
  SortedErase(addedWords_, word);
  SortedInsert(removedWords_, word);
  removedSinceStart_.insert(word);
  changesMade_ = true;
  return p;
}

int RDictionary::EditCode(const std::string& word, const std::string& code) {
  NoteWord(word);
  std::string problem = CodeProblem(code);
  if (problem.empty() && !FitsOnChangesLine(word))
    problem = "The word '" + word + "' cannot have a code of its own, since it begins with '#' or holds a line " +
              "break.";
  if (!problem.empty()) {
    ShowError(problem);
    return -1;
  }
  const auto it = std::find(editedWords_.begin(), editedWords_.end(), word);
  if (it != editedWords_.end()) {
    editedCodes_[static_cast<std::size_t>(it - editedWords_.begin())] = code;
  } else {
    editedWords_.push_back(word);
    editedCodes_.push_back(code);
  }
  const int p = FindWord(word);
  if (p >= 0) {
    auto& e = entries_[static_cast<std::size_t>(p)];
    e.code = code;
    e.hasCode = true;
  }
  changesMade_ = true;
  return 0;
}

}  // namespace tq
