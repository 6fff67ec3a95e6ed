// The undo history of the open worksheet: every change the user makes to it
// is kept as a step that can be taken back (undo) and taken again (redo).
//
// A step stores what it needs to go both ways: a changed entry keeps its
// whole content before and after, an inserted or deleted entry keeps the
// entry and its index, a move keeps both indexes. Steps are applied to the
// worksheet by index, so they only hold while the steps after them are
// undone first, which is what a history does. The blank entries the numbers
// list keeps after the last used one come and go outside the history; an
// index beyond the end of the worksheet is therefore made good with empty
// entries, which are what those blank rows held.
//
// A change to the dictionary (a word added, removed or recoded, the mapping
// edited) is a step too, together with the phrases it made lose words: its
// undo puts the words back into the dictionary and the phrases back into
// their entries, so that every entry a step brings back fits the dictionary
// as it then stands.
//
// The history also knows where the worksheet was last saved, so that going
// back to that point makes the worksheet unmodified again. Memory stays
// bounded: past the limit the oldest step is dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "RDictionary.h"
#include "RNumber.h"

namespace tq {

class RWorksheet;

// An entry as it was and is, in a step that changed several at once.
struct REntryChange {
  int32_t index = 0;
  RNumber before;
  RNumber after;
};

// Steps kept before the oldest is dropped...
inline constexpr std::size_t kHistoryLimit = 300;
// ...and the text they may hold together (entries can be long).
inline constexpr std::size_t kHistoryByteLimit = 16u << 20;

class RHistory {
 public:
  explicit RHistory(std::size_t limit = kHistoryLimit, std::size_t byteLimit = kHistoryByteLimit);

  // Forgets every step; the worksheet as it is counts as saved.
  void Clear();

  // Takes the entry at `index` as it is now for the one the next change
  // starts from: the "before" of a recorded change. Every step watches the
  // row it leaves current; call it also after changes that are no step of
  // their own (a repair of the chosen words while a step is undone).
  void Watch(const RWorksheet& worksheet, int32_t index);
  // The row `index` became the current one. Only another row is watched
  // afresh: a command that changes the current entry and then selects its
  // row again to show it must still find the entry as it was before.
  void Follow(const RWorksheet& worksheet, int32_t index);
  int32_t WatchedIndex() const { return watchedIndex_; }
  const RNumber& Watched() const { return watched_; }

  // Records what happened to the watched entry since it was watched, as the
  // step `name`; nothing when it did not change. Consecutive changes with
  // the same non-zero `mergeKey` to the same entry become one step (typing
  // a description is one step per visit of the field, not one per key);
  // a change that brings such a step back to where it started removes it
  // and ends the merging. Nothing merges into the step that leads to the
  // saved point: what was saved stays reachable as it was.
  // The worksheet's Modified flag tells whether the step marks it modified.
  // Returns true when a step was recorded or merged.
  bool RecordChange(const std::string& name, const RWorksheet& worksheet, uint64_t mergeKey = 0);
  // An entry was inserted at `index` and became the current one.
  void RecordInsert(const std::string& name, const RWorksheet& worksheet, int32_t index);
  // `entry` was taken out at `index`; `selectAfter` is the row that became
  // the current one. (Also after these three, the row left current is watched.)
  void RecordDelete(const std::string& name, const RWorksheet& worksheet, int32_t index, const RNumber& entry,
                    int32_t selectAfter);
  // The entry at `from` now stands at `to`.
  void RecordMove(const std::string& name, const RWorksheet& worksheet, int32_t from, int32_t to);
  // The dictionary changed as `edit` says, and with it the watched entry
  // (as it is now) and the entries in `others`, repaired on the way. Nothing
  // when the edit is empty.
  void RecordDictionaryChange(const std::string& name, const RWorksheet& worksheet, RDictionaryEdit edit,
                              std::vector<REntryChange> others);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  // The name of the step Undo or Redo would take; empty when there is none.
  std::string UndoName() const;
  std::string RedoName() const;

  // Takes the last step back, or the next undone step again, and sets the
  // worksheet's Modified flag for where the history now stands; a step that
  // changed the dictionary puts it back too. Returns the row to make the
  // current one (and watches it), or -1 when there was nothing to do.
  int32_t Undo(RWorksheet& worksheet, RDictionary* dictionary = nullptr);
  int32_t Redo(RWorksheet& worksheet, RDictionary* dictionary = nullptr);
  // Whether the step Undo (or Redo) would take changes the dictionary.
  bool StepChangesDictionary(bool undo) const;

  // The worksheet was saved as it stands now.
  void MarkSaved();
  // True when the worksheet stands where it was last saved.
  bool AtSavedState() const { return saved_ == static_cast<std::ptrdiff_t>(position_); }
  // The worksheet as it stands was never saved (one made with entries in
  // it): no undo makes it unmodified.
  void MarkNeverSaved() { saved_ = -1; }

  std::size_t StepCount() const { return steps_.size(); }
  std::size_t Position() const { return position_; }
  std::size_t Limit() const { return limit_; }
  // The text the steps hold, roughly: what the byte limit is checked against.
  std::size_t Bytes() const { return bytes_; }

 private:
  enum class Kind { Change, Insert, Delete, Move, Dictionary };
  struct Step {
    Kind kind = Kind::Change;
    std::string name;
    int32_t index = 0;  // the entry's index; for a move the index it came from
    int32_t to = 0;     // for a move: where it went
    RNumber before{};   // a change: the entry before; a deletion: the deleted entry
    RNumber after{};    // a change: the entry after; an insertion: the inserted entry
    RDictionaryEdit dictionary{};      // a dictionary change: what it changed there...
    std::vector<REntryChange> others{};  // ...and in the entries but the watched one
    int32_t selectBefore = 0;
    int32_t selectAfter = 0;
    bool marksModified = true;
    uint64_t mergeKey = 0;
  };

  static std::size_t SizeOf(const Step& step);
  static void PutDictionaryStep(const Step& step, RWorksheet& worksheet, RDictionary* dictionary, bool undo);
  void Push(Step step);
  void UpdateModified(RWorksheet& worksheet) const;

  std::size_t limit_;
  std::size_t byteLimit_;
  std::size_t bytes_ = 0;
  std::deque<Step> steps_;
  // Steps 0 to position_-1 are done; the rest have been undone.
  std::size_t position_ = 0;
  // Where the last save stands; -1 when that point can no longer be reached.
  std::ptrdiff_t saved_ = 0;
  // A change may merge into the last step only until anything else happens.
  bool canMerge_ = false;
  int32_t watchedIndex_ = -1;
  RNumber watched_;
};

}  // namespace tq
