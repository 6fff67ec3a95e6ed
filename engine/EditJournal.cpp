// Putting the user's dictionary edits back: the notes BeginEdit starts, the
// edit EndEdit hands over and PutBack, which puts each word it touched (and
// the mapping) as it stood before or after. Undo and Redo in the main window
// use it, so that a phrase that lost a word comes back with its word.
#include <algorithm>

#include "RDictionary.h"

namespace tq {
namespace {

// Puts `word` on the sorted list or takes it off.
void KeepListed(std::vector<std::string>& list, const std::string& word, bool listed) {
  const auto it = std::lower_bound(list.begin(), list.end(), word);
  const bool there = it != list.end() && *it == word;
  if (listed && !there) list.insert(it, word);
  if (!listed && there) list.erase(it);
}

bool Listed(const std::vector<std::string>& list, const std::string& word) {
  return std::binary_search(list.begin(), list.end(), word);
}

std::size_t TextOf(const RWordState& s) {
  return sizeof(RWordState) + s.word.size() + s.entry.word.size() + s.entry.pronunciation.size() +
         s.entry.code.size() + s.removedLine.size() + s.editedCode.size();
}

}  // namespace

std::size_t RDictionaryEdit::Bytes() const {
  std::size_t bytes = 0;
  for (const auto* states : {&before, &after})
    for (const RWordState& s : *states) bytes += TextOf(s);
  for (const auto* lines : {&mappingBefore, &mappingAfter})
    for (const std::string& line : *lines) bytes += sizeof(std::string) + line.size();
  return bytes;
}

RWordState RDictionary::StateOf(const std::string& word) const {
  RWordState s;
  s.word = word;
  if (const int p = FindWord(word); p >= 0) {
    s.present = true;
    s.entry = entries_[static_cast<std::size_t>(p)];
  }
  s.added = Listed(addedWords_, word);
  s.removed = Listed(removedWords_, word);
  if (const auto line = RemovedPronunciation(word); line != removedPronunciations_.end()) s.removedLine = *line;
  if (const auto it = std::find(editedWords_.begin(), editedWords_.end(), word); it != editedWords_.end()) {
    s.edited = true;
    s.editedCode = editedCodes_[static_cast<std::size_t>(it - editedWords_.begin())];
  }
  return s;
}

void RDictionary::PutState(const RWordState& s) {
  auto at = std::lower_bound(entries_.begin(), entries_.end(), s.word,
                             [](const RWordEntry& e, const std::string& w) { return e.word < w; });
  const bool there = at != entries_.end() && at->word == s.word;
  if (s.present && there) {
    *at = s.entry;
  } else if (s.present) {
    Grow(entries_.size() + 1);
    entries_.insert(at, s.entry);
  } else if (there) {
    entries_.erase(at);
    removedSinceStart_.insert(s.word);
  }
  KeepListed(addedWords_, s.word, s.added);
  KeepListed(removedWords_, s.word, s.removed);
  for (auto line = RemovedPronunciation(s.word); line != removedPronunciations_.end();
       line = RemovedPronunciation(s.word))
    removedPronunciations_.erase(line);
  if (!s.removedLine.empty()) removedPronunciations_.push_back(s.removedLine);
  const auto edited = std::find(editedWords_.begin(), editedWords_.end(), s.word);
  const auto k = edited - editedWords_.begin();
  if (edited != editedWords_.end() && s.edited) {
    editedCodes_[static_cast<std::size_t>(k)] = s.editedCode;
  } else if (edited != editedWords_.end()) {
    editedWords_.erase(edited);
    editedCodes_.erase(editedCodes_.begin() + k);
  } else if (s.edited) {
    editedWords_.push_back(s.word);
    editedCodes_.push_back(s.editedCode);
  }
}

void RDictionary::BeginEdit() {
  notes_ = REditNotes();
  notes_.on = true;
}

void RDictionary::NoteWord(const std::string& word) {
  if (notes_.on && notes_.words.insert(word).second) notes_.before.push_back(StateOf(word));
}

void RDictionary::NoteMapping() {
  if (!notes_.on || notes_.mapping) return;
  notes_.mapping = true;
  notes_.mappingBefore = mappingLines_;
}

RDictionaryEdit RDictionary::EndEdit() {
  RDictionaryEdit edit;
  for (RWordState& before : notes_.before) {
    RWordState after = StateOf(before.word);
    if (after == before) continue;
    edit.before.push_back(std::move(before));
    edit.after.push_back(std::move(after));
  }
  if (notes_.mapping && notes_.mappingBefore != mappingLines_) {
    edit.mapping = true;
    edit.mappingBefore = std::move(notes_.mappingBefore);
    edit.mappingAfter = mappingLines_;
  }
  notes_ = REditNotes();
  return edit;
}

void RDictionary::PutBack(const RDictionaryEdit& edit, bool before) {
  for (const RWordState& s : before ? edit.before : edit.after) PutState(s);
  if (edit.mapping) {
    mappingLines_ = before ? edit.mappingBefore : edit.mappingAfter;
    ForgetRules();
    mappingChanged_ = true;
    ComputeCodes();
  }
  if (!edit.Empty()) changesMade_ = true;
  BuildCodeIndex();
}

}  // namespace tq
