// The slot arithmetic behind the word columns, kept free of any window code
// so that every rule can be tested without a display.
//
// RWordColumns holds one RWordColumn record per column of the strip: the
// digits the column lists words for, a copy of its slot, and its rows. It
// changes the entry's slots (refitting them to new digits, repairing them,
// choosing and un-choosing words) and tells an RColumnObserver about every
// column it inserts or deletes, in order, so that a view can mirror each
// step with its own controls and keep the controls of columns that only
// shifted.
//
// A number may have tens of thousands of digits (pi learnt by heart), so a
// step never walks the whole table when it need not: choosing and
// un-choosing a word only touch the columns around it, and RebuildChanged
// brings up to date just those. Rows are listed only for the columns a view
// shows; it hands them back with ReleaseRows when a column leaves the view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "RHistory.h"

namespace tq {

class RDictionary;
class RNumber;
class RWorksheet;

// An entry without slots shows this many placeholder columns...
inline constexpr int kBlankColumnCount = 4;
// ...each with this many empty rows, so that they look like empty lists.
inline constexpr int kBlankRowCount = 101;
// An uncovered column looks at most this many digits ahead; codes themselves
// are shorter, so TrimToKnownCode always has the last word.
inline constexpr std::size_t kColumnRunLength = 25;

// A word row starts with a lowercase letter; any other non-empty row is the
// header of a code group ("(none)" for words without a code).
bool IsWordRow(const std::string& row);
bool IsHeaderRow(const std::string& row);

struct RWordColumn {
  std::string digits;    // what the rows are listed for; empty for a blank column
  std::string slotText;  // "." or the chosen word
  // For an uncovered slot, the digits ahead of it before they are cut to a
  // known code. Cutting costs a scan of the code index, so a column out of
  // view keeps its run and cuts it only when it is about to be shown.
  std::string run;
  bool pending = false;  // digits have yet to be cut from run
  bool filled = false;   // rows and wordCount belong to digits
  bool blank = false;    // one of the placeholder columns of an entry without slots
  std::vector<std::string> rows;
  int wordCount = 0;     // words among the rows, headers not counted
  std::size_t start = 0; // the first digit the slot covers, as of the last rebuild
  // Where the column's list stood when the view last took its controls away
  // (the top row and the selected row, -1 for none), so that scrolling back
  // finds it as it was left. Both go back to the top when the digits change.
  int topRow = 0;
  int selectedRow = -1;
};

// Told about every column as the table inserts or deletes it, before the
// next one, so that a view can keep its controls in step.
class RColumnObserver {
 public:
  virtual void ColumnInserted(int index) = 0;
  virtual void ColumnDeleted(int index) = 0;
  // The column's rows were dropped so that the next rebuild fills it afresh.
  virtual void ColumnEmptied(int index) = 0;

 protected:
  ~RColumnObserver() = default;
};

// Slot-level helpers, also used on their own by the tests.
//
// The digit string each slot covers, in slot order: the next digit for "."
// and the word's code for a word. A word the dictionary does not know covers
// nothing and gets found = false.
struct RSlotSpan {
  std::size_t start = 0;
  std::size_t length = 0;
  bool found = true;
};
std::vector<RSlotSpan> SlotSpans(const RDictionary& dictionary, const RNumber& number);
// The same for one slot: how many digits it covers.
std::size_t SlotLength(const RDictionary& dictionary, const std::string& slot, bool* found = nullptr);

// The run of uncovered digits from `cursor`, the place of slot `index`:
// one digit per "." slot from there on, at most kColumnRunLength of them.
std::string UncoveredRunAt(const RNumber& number, int index, std::size_t cursor);

// The digits column `index` lists words for, given where its slot starts:
// for "." the uncovered run from there cut to the longest known code; for a
// word its code. `found` is cleared for a word the dictionary does not know
// (the digits are then empty).
std::string ColumnDigitsAt(const RDictionary& dictionary, const RNumber& number, int index, std::size_t cursor,
                           bool* found = nullptr);

// What is wrong with an entry's chosen words, found by walking its slots
// along its digits: nothing; a "." slot past the last digit; a word the
// dictionary no longer has, or whose code no longer fits its place (the
// dictionary or the mapping changed); or digits left after the last slot.
// `slot` is where the walk stopped and `covered` the digits covered before.
struct RSlotFault {
  enum class Kind { None, ExtraDot, LostWord, ChangedCode, DigitsLeft };
  Kind kind = Kind::None;
  int slot = 0;
  std::size_t covered = 0;
};
RSlotFault FindSlotFault(const RDictionary& dictionary, const RNumber& number);

// Where an entry's slots stand: the slots and the digits each covers, one
// for "." and a word's code's length. A word the dictionary does not know
// is given the length of the code it would come back with (RDictionary::
// CodeOfNewWord), the best guess of the digits it stood on. Taken before a
// change to the dictionary or the mapping, it tells the repair after the
// change where every word stood, also one that is gone or recoded now.
struct RSlotPlaces {
  std::vector<std::string> slotTexts;
  std::vector<std::size_t> lengths;
};
RSlotPlaces SlotPlaces(const RDictionary& dictionary, const RNumber& number);
// The same for every entry of the worksheet, in its order.
std::vector<RSlotPlaces> SlotPlacesOf(const RDictionary& dictionary, const RWorksheet& worksheet);

// What RepairSlots did: whether the slots changed, and the first word it
// took out and why (LostWord or ChangedCode; None when it only trimmed or
// added uncovered digits).
struct RSlotRepair {
  bool changed = false;
  RSlotFault::Kind kind = RSlotFault::Kind::None;
  std::string word;
};
// Mends what FindSlotFault finds. A word the dictionary lost, or whose code
// no longer spells the digits it stood on, becomes one "." per digit it
// stood on; every other word keeps its place, however long the phrase.
// Where each slot stood comes from `before` when that holds the entry's
// slots as they are now, else from SlotPlaces; should those places not add
// up to the digits, the words that fit from the start and from the end
// keep theirs and the digits between them are uncovered. A "." past the
// last digit goes with what follows it, and digits left after the last
// slot become "." slots. The phrase is composed afresh without a preview.
// Says nothing.
RSlotRepair RepairSlots(const RDictionary& dictionary, RNumber& number, const RSlotPlaces* before = nullptr);
// After a change to the dictionary's words, codes or mapping: every entry
// but the one at `skip` whose chosen words lost a word (gone or recoded) is
// repaired on the spot, with `before` (SlotPlacesOf taken before the
// change, when there is one) telling where its words stood, and listed as
// it was and as it is now.
std::vector<REntryChange> RepairLostWords(const RDictionary& dictionary, RWorksheet& worksheet, int32_t skip,
                                          const std::vector<RSlotPlaces>* before = nullptr);

// The next row after `selected`, going round, whose first character is
// `letter`; -1 when no other row has it. Header rows start with a digit or
// "(" and so never match a letter.
int FindFirstLetter(const std::vector<std::string>& rows, int selected, char letter);
// The first word row, -1 when the rows hold none.
int FirstWordRow(const std::vector<std::string>& rows);

class RWordColumns {
 public:
  explicit RWordColumns(const RDictionary& dictionary) : dictionary_(&dictionary) {}

  void SetObserver(RColumnObserver* observer) { observer_ = observer; }

  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const RWordColumn& Column(int index) const { return columns_[static_cast<std::size_t>(index)]; }

  // The preview range: the slots shown with bullets. Length 0 means none.
  int HighlightStart() const { return highlightStart_; }
  int HighlightLength() const { return highlightLength_; }

  // Takes the typed text into the entry. When neither the text nor the
  // digits changed it returns false and leaves the slots alone (reformatting
  // a number keeps its phrase). Otherwise it keeps the chosen words that
  // still fit at their places, drops the others (the next slot is tried at
  // the same digit), turns the digits left over into "." slots and returns
  // true. The phrase is not recomposed here.
  bool CommitNumber(RNumber& number, const std::string& typed);

  // Checks that every chosen word still exists and still fits its digits,
  // and mends the slots with RepairSlots (`before` as there) when not. The
  // first word taken out is warned about once; a word the user removed
  // since the program started is only noted in the status bar. Returns true
  // when nothing changed; otherwise the phrase has been recomposed.
  bool ValidateSlots(RNumber& number, const RSlotPlaces* before = nullptr);

  // Clears the preview and recomposes the phrase from the slots.
  void RefreshPhrase(RNumber& number);

  // Makes the table match the entry's slots (or the placeholder columns when
  // it has none, or when there is no entry). Returns the columns whose slot
  // or run of digits changed; a placeholder column among them has its blank
  // rows already, the others are brought up to date by UpdateColumn, at once
  // when in view, else when first shown. Columns whose digits stay the same
  // keep their rows.
  std::vector<int> RebuildColumns(RNumber* number);
  // The same after ChooseWord or UnselectWord: only the columns whose slot
  // changed, and those before them whose run of digits reaches them, are
  // looked at again (everything when the table and the slots are out of
  // step). Does not validate the slots, which those steps keep sound.
  std::vector<int> RebuildChanged(RNumber& number);

  // Cuts the column's digits if that is still pending and lists its words
  // when they are stale. True when the rows were listed afresh.
  bool UpdateColumn(int index);
  bool NeedsUpdate(int index) const;
  // Lists the column's words for its digits, stale or not.
  void FillColumn(int index);
  // The view no longer shows the column: its rows go (it is listed again
  // when shown) and the place its list stood at is kept. Placeholder
  // columns keep their blank rows.
  void ReleaseRows(int index, int topRow = 0, int selectedRow = -1);
  // The column's digits, cut now if the column has not been shown yet.
  std::string ColumnDigits(int index) const;

  // After any change to the dictionary's words or codes: the table forgets
  // the codes it knows, every uncovered column cuts its run again when next
  // updated, and no list keeps a selected row (its rows will differ).
  void DictionaryChanged();
  // The longest prefix of `digits` (at most 24 of them) that is some word's
  // code, as TrimToKnownCode gives it, from the codes the table knows.
  std::string CutToKnownCode(const std::string& digits) const;
  void DeleteAllColumns();

  // Chooses the word of row text `row` for column `index`. False (and no
  // change) for a header, an empty row, a word the dictionary lost, or a
  // word whose code no longer fits the column. On true the caller refreshes
  // the phrase and rebuilds the columns.
  bool ChooseWord(RNumber& number, int index, const std::string& row);
  // Gives the word of column `index` back as uncovered digits (or removes a
  // word without a code). False when the entry has no slots; on true the
  // caller refreshes the phrase and rebuilds the columns.
  bool UnselectWord(RNumber& number, int index);

  // A single click on `row` in column `index`: previews, in the phrase, the
  // uncovered digits the word would cover (or clears the preview in a
  // chosen word's column). True when the phrase was recomposed.
  bool PreviewWord(RNumber& number, int index, const std::string& row);
  // The list of column `index` got or lost the focus: clears the preview
  // (which also rewrites a phrase typed in another spacing). True when the
  // phrase changed.
  bool ClearPreview(RNumber& number, int index);

  // The row a typed letter jumps to from the selected row, or -1.
  int FirstLetterJump(int index, int selected, char letter) const;
  // Where the keyboard goes after a choice: the first column after `index`,
  // going round to the start, whose digit is still uncovered; -1 when every
  // digit is covered or the columns are placeholders. -1 for `index` starts
  // at the first column.
  int NextUncoveredColumn(int index) const;

 private:
  void InsertColumn(int index);
  void DeleteColumn(int index);
  // `count` neighbouring columns at once, told to the observer one by one.
  void InsertColumns(int index, int count);
  void DeleteColumns(int index, int count);
  // Brings column i up to date with slot i, the digit cursor at its first
  // digit; advances the cursor past it. `dotsAhead`, when known, is the
  // number of "." slots from i on, at most kColumnRunLength.
  void RebuildColumn(const RNumber& number, int i, std::size_t& cursor, std::vector<int>& changed,
                     int dotsAhead = -1);
  // The range of columns RebuildChanged looks at, kept in step with
  // insertions and deletions.
  void MarkChanged(int first, int last);
  void MarkAllChanged() { MarkChanged(0, ColumnCount()); }
  void BlankColumn(int index, std::vector<int>& changed);
  void CutDigits(RWordColumn& column) const;
  void Compose(RNumber& number);

  const RDictionary* dictionary_;
  RColumnObserver* observer_ = nullptr;
  // Every code of up to 24 digits in the dictionary, sorted, without
  // repeats; gathered on first use after a dictionary change. Cutting a run
  // is then a few binary searches instead of a scan of the whole index.
  mutable std::vector<std::string> knownCodes_;
  mutable bool codesGathered_ = false;
  std::vector<RWordColumn> columns_;
  int changedFirst_ = -1;  // -1: nothing changed since the last rebuild
  int changedLast_ = -1;   // one past the last changed column
  int highlightStart_ = 0;
  int highlightLength_ = 0;
};

}  // namespace tq
