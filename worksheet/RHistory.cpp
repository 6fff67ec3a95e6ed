#include "RHistory.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "RWorksheet.h"

namespace tq {
namespace {

// Digits follow from the number, so these are everything an entry holds.
bool SameEntry(const RNumber& a, const RNumber& b) {
  return a.Number() == b.Number() && a.Phrase() == b.Phrase() && a.Description() == b.Description() &&
         a.Slots() == b.Slots();
}

// Makes index `index` - 1 a valid entry: a blank row that an index still
// refers to may have been dropped by the numbers list since.
void EnsureCount(RWorksheet& worksheet, int32_t count) {
  while (worksheet.Count() < count) worksheet.Insert(std::make_unique<RNumber>(), worksheet.Count());
}

void PutAt(RWorksheet& worksheet, int32_t index, const RNumber& entry) {
  EnsureCount(worksheet, index + 1);
  worksheet.At(index) = entry;
}

void InsertAt(RWorksheet& worksheet, int32_t index, const RNumber& entry) {
  EnsureCount(worksheet, index);
  worksheet.Insert(std::make_unique<RNumber>(entry), index);
}

void RemoveAt(RWorksheet& worksheet, int32_t index) {
  EnsureCount(worksheet, index + 1);
  worksheet.Remove(index);
}

void MoveEntry(RWorksheet& worksheet, int32_t from, int32_t to) {
  EnsureCount(worksheet, std::max(from, to) + 1);
  worksheet.Insert(worksheet.Remove(from), to);
}

// The worksheet always has an entry to show, and the row to show is one of them.
int32_t Settle(RWorksheet& worksheet, int32_t select) {
  if (worksheet.Count() == 0) worksheet.Insert(std::make_unique<RNumber>(), 0);
  return std::clamp(select, 0, worksheet.Count() - 1);
}

}  // namespace

RHistory::RHistory(std::size_t limit, std::size_t byteLimit)
    : limit_(std::max<std::size_t>(limit, 1)), byteLimit_(byteLimit) {}

void RHistory::Clear() {
  steps_.clear();
  bytes_ = 0;
  position_ = 0;
  saved_ = 0;
  canMerge_ = false;
  watchedIndex_ = -1;
  watched_ = RNumber();
}

void RHistory::Watch(const RWorksheet& worksheet, int32_t index) {
  if (index < 0 || index >= worksheet.Count()) {
    watchedIndex_ = -1;
    watched_ = RNumber();
    return;
  }
  watchedIndex_ = index;
  watched_ = worksheet.At(index);
}

void RHistory::Follow(const RWorksheet& worksheet, int32_t index) {
  if (index != watchedIndex_) Watch(worksheet, index);
}

bool RHistory::RecordChange(const std::string& name, const RWorksheet& worksheet, uint64_t mergeKey) {
  const int32_t index = watchedIndex_;
  if (index < 0 || index >= worksheet.Count()) return false;
  const RNumber& now = worksheet.At(index);
  if (SameEntry(now, watched_)) return false;

  // (A save, an undo or a redo ends the merging: the saved point must stay
  // reachable as it was, and an undone step is no longer the last. Merging
  // into the step that leads to the saved point would change what that
  // point holds, and the worksheet would count as saved with unsaved text.)
  const bool atSave = saved_ == static_cast<std::ptrdiff_t>(position_);
  if (canMerge_ && mergeKey != 0 && position_ > 0 && position_ == steps_.size() && !atSave) {
    Step& top = steps_.back();
    if (top.kind == Kind::Change && top.mergeKey == mergeKey && top.index == index) {
      bytes_ -= SizeOf(top);
      top.after = now;
      bytes_ += SizeOf(top);
      top.marksModified = top.marksModified || worksheet.Modified();
      if (SameEntry(top.before, top.after)) {
        // Typed and taken back again: nothing is left to undo. The step
        // before it ended with a save or another command, so the next key
        // starts a step of its own.
        bytes_ -= SizeOf(top);
        steps_.pop_back();
        --position_;
        canMerge_ = false;
      }
      watched_ = now;
      return true;
    }
  }

  Push({.kind = Kind::Change, .name = name, .index = index, .before = std::move(watched_), .after = now,
        .selectBefore = index, .selectAfter = index, .marksModified = worksheet.Modified(), .mergeKey = mergeKey});
  canMerge_ = mergeKey != 0;
  watched_ = now;
  return true;
}

void RHistory::RecordInsert(const std::string& name, const RWorksheet& worksheet, int32_t index) {
  if (index < 0 || index >= worksheet.Count()) return;
  Push({.kind = Kind::Insert, .name = name, .index = index, .after = worksheet.At(index), .selectBefore = index,
        .selectAfter = index, .marksModified = worksheet.Modified()});
  Watch(worksheet, index);
}

void RHistory::RecordDelete(const std::string& name, const RWorksheet& worksheet, int32_t index,
                            const RNumber& entry, int32_t selectAfter) {
  if (index < 0) return;
  Push({.kind = Kind::Delete, .name = name, .index = index, .before = entry, .selectBefore = index,
        .selectAfter = selectAfter, .marksModified = worksheet.Modified()});
  Watch(worksheet, selectAfter);
}

void RHistory::RecordMove(const std::string& name, const RWorksheet& worksheet, int32_t from, int32_t to) {
  if (from < 0 || to < 0 || from == to) return;
  Push({.kind = Kind::Move, .name = name, .index = from, .to = to, .selectBefore = from, .selectAfter = to,
        .marksModified = worksheet.Modified()});
  Watch(worksheet, to);
}

void RHistory::RecordDictionaryChange(const std::string& name, const RWorksheet& worksheet, RDictionaryEdit edit,
                                      std::vector<REntryChange> others) {
  if (edit.Empty()) return;
  const int32_t index = watchedIndex_ < worksheet.Count() ? watchedIndex_ : -1;
  Step step{.kind = Kind::Dictionary, .name = name, .index = index, .selectBefore = index, .selectAfter = index,
            .marksModified = worksheet.Modified()};
  if (index >= 0) {
    step.before = std::move(watched_);
    step.after = worksheet.At(index);
  }
  step.dictionary = std::move(edit);
  step.others = std::move(others);
  Push(std::move(step));
  Watch(worksheet, index);
}

std::size_t RHistory::SizeOf(const Step& step) {
  std::size_t size = sizeof(Step) + step.name.size() + step.dictionary.Bytes();
  auto add = [&size](const RNumber& entry) {
    size += entry.Number().size() + entry.Phrase().size() + entry.Description().size() + entry.Digits().size();
    for (const std::string& slot : entry.Slots()) size += sizeof(std::string) + slot.size();
  };
  add(step.before);
  add(step.after);
  for (const REntryChange& change : step.others) {
    size += sizeof(REntryChange);
    add(change.before);
    add(change.after);
  }
  return size;
}

void RHistory::Push(Step step) {
  // A new change after an undo: the undone steps cannot be redone any more,
  // and a save among them can no longer be reached.
  while (steps_.size() > position_) {
    bytes_ -= SizeOf(steps_.back());
    steps_.pop_back();
  }
  if (saved_ > static_cast<std::ptrdiff_t>(position_)) saved_ = -1;
  bytes_ += SizeOf(step);
  steps_.push_back(std::move(step));
  ++position_;
  canMerge_ = false;
  // The newest step always stays, however large.
  while (steps_.size() > limit_ || (bytes_ > byteLimit_ && steps_.size() > 1)) {
    bytes_ -= SizeOf(steps_.front());
    steps_.pop_front();
    --position_;
    // The state before the dropped step is gone for good.
    if (saved_ == 0)
      saved_ = -1;
    else if (saved_ > 0)
      --saved_;
  }
}

std::string RHistory::UndoName() const { return CanUndo() ? steps_[position_ - 1].name : std::string(); }

std::string RHistory::RedoName() const { return CanRedo() ? steps_[position_].name : std::string(); }

bool RHistory::StepChangesDictionary(bool undo) const {
  if (undo ? !CanUndo() : !CanRedo()) return false;
  return steps_[undo ? position_ - 1 : position_].kind == Kind::Dictionary;
}

// The dictionary first: the entries put back fit it as it then stands.
void RHistory::PutDictionaryStep(const Step& step, RWorksheet& worksheet, RDictionary* dictionary, bool undo) {
  if (dictionary) dictionary->PutBack(step.dictionary, undo);
  if (step.index >= 0) PutAt(worksheet, step.index, undo ? step.before : step.after);
  for (const REntryChange& change : step.others) PutAt(worksheet, change.index, undo ? change.before : change.after);
}

int32_t RHistory::Undo(RWorksheet& worksheet, RDictionary* dictionary) {
  if (!CanUndo()) return -1;
  const Step& step = steps_[--position_];
  switch (step.kind) {
    case Kind::Change: PutAt(worksheet, step.index, step.before); break;
    case Kind::Insert: RemoveAt(worksheet, step.index); break;
    case Kind::Delete: InsertAt(worksheet, step.index, step.before); break;
    case Kind::Move: MoveEntry(worksheet, step.to, step.index); break;
    case Kind::Dictionary: PutDictionaryStep(step, worksheet, dictionary, true); break;
  }
  UpdateModified(worksheet);
  const int32_t row = Settle(worksheet, step.selectBefore);
  Watch(worksheet, row);
  canMerge_ = false;
  return row;
}

int32_t RHistory::Redo(RWorksheet& worksheet, RDictionary* dictionary) {
  if (!CanRedo()) return -1;
  const Step& step = steps_[position_++];
  switch (step.kind) {
    case Kind::Change: PutAt(worksheet, step.index, step.after); break;
    case Kind::Insert: InsertAt(worksheet, step.index, step.after); break;
    case Kind::Delete: RemoveAt(worksheet, step.index); break;
    case Kind::Move: MoveEntry(worksheet, step.index, step.to); break;
    case Kind::Dictionary: PutDictionaryStep(step, worksheet, dictionary, false); break;
  }
  UpdateModified(worksheet);
  const int32_t row = Settle(worksheet, step.selectAfter);
  Watch(worksheet, row);
  canMerge_ = false;
  return row;
}

void RHistory::MarkSaved() {
  saved_ = static_cast<std::ptrdiff_t>(position_);
  canMerge_ = false;
}

// Back at the save the worksheet is unmodified. Elsewhere it is modified
// when a step between here and there marked it so when it was done: the
// few changes that never mark the worksheet (clearing a number, reformatting
// it) do not start doing so when they are undone or redone.
void RHistory::UpdateModified(RWorksheet& worksheet) const {
  if (saved_ < 0) {
    worksheet.SetModified(true);
    return;
  }
  const auto here = static_cast<std::size_t>(position_);
  const auto there = static_cast<std::size_t>(saved_);
  bool modified = false;
  for (std::size_t k = std::min(here, there); k < std::max(here, there) && !modified; ++k)
    modified = steps_[k].marksModified;
  worksheet.SetModified(modified);
}

}  // namespace tq
