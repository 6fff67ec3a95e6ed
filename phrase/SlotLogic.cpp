#include "SlotLogic.h"

#include <algorithm>
#include <string_view>

#include "Messages.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "RWorksheet.h"

namespace tq {
namespace {

bool StartsWithLetter(const std::string& text) { return !text.empty() && text[0] >= 'a' && text[0] <= 'z'; }

// True when `code` is the next stretch of `digits` from `cursor`. An empty
// code fits anywhere, even after the last digit.
bool CodeFitsAt(const std::string& digits, std::size_t cursor, const std::string& code) {
  return cursor <= digits.size() && digits.compare(cursor, code.size(), code) == 0 &&
         cursor + code.size() <= digits.size();
}

}  // namespace

bool IsWordRow(const std::string& row) { return StartsWithLetter(row); }
bool IsHeaderRow(const std::string& row) { return !row.empty() && !StartsWithLetter(row); }

std::size_t SlotLength(const RDictionary& dictionary, const std::string& slot, bool* found) {
  if (found) *found = true;
  if (IsUncoveredSlot(slot)) return 1;
  const int k = dictionary.FindWord(slot);
  if (found) *found = k >= 0;
  return k >= 0 ? dictionary.CodeAt(k).size() : 0;
}

std::vector<RSlotSpan> SlotSpans(const RDictionary& dictionary, const RNumber& number) {
  std::vector<RSlotSpan> spans;
  spans.reserve(static_cast<std::size_t>(number.SlotCount()));
  std::size_t cursor = 0;
  for (const std::string& slot : number.Slots()) {
    RSlotSpan span;
    span.start = cursor;
    span.length = SlotLength(dictionary, slot, &span.found);
    cursor += span.length;
    spans.push_back(span);
  }
  return spans;
}

std::string UncoveredRunAt(const RNumber& number, int index, std::size_t cursor) {
  // Only as far as the run of uncovered digits reaches: a word offered here
  // must never swallow a chosen word after it.
  const std::string& digits = number.Digits();
  std::string run;
  for (int i = index; i < number.SlotCount() && run.size() < kColumnRunLength && cursor < digits.size(); ++i) {
    if (!IsUncoveredSlot(number.Slot(i))) break;
    run.push_back(digits[cursor++]);
  }
  return run;
}

std::string ColumnDigitsAt(const RDictionary& dictionary, const RNumber& number, int index, std::size_t cursor,
                           bool* found) {
  if (found) *found = true;
  const std::string& slot = number.Slot(index);
  if (IsUncoveredSlot(slot)) {
    std::string run = UncoveredRunAt(number, index, cursor);
    dictionary.TrimToKnownCode(run);
    return run;
  }
  const int k = dictionary.FindWord(slot);
  if (k < 0) {
    if (found) *found = false;
    return std::string();
  }
  return dictionary.CodeAt(k);
}

int FindFirstLetter(const std::vector<std::string>& rows, int selected, char letter) {
  const int n = static_cast<int>(rows.size());
  if (selected < 0 || selected >= n) return -1;
  for (int step = 1; step < n; ++step) {
    const int r = (selected + step) % n;
    if (!rows[static_cast<std::size_t>(r)].empty() && rows[static_cast<std::size_t>(r)][0] == letter) return r;
  }
  return -1;
}

int FirstWordRow(const std::vector<std::string>& rows) {
  for (std::size_t r = 0; r < rows.size(); ++r)
    if (IsWordRow(rows[r])) return static_cast<int>(r);
  return -1;
}

// --- columns ------------------------------------------------------------------

void RWordColumns::MarkChanged(int first, int last) {
  if (changedFirst_ < 0) {
    changedFirst_ = first;
    changedLast_ = last;
  } else {
    changedFirst_ = std::min(changedFirst_, first);
    changedLast_ = std::max(changedLast_, last);
  }
}

void RWordColumns::InsertColumn(int index) { InsertColumns(index, 1); }

void RWordColumns::InsertColumns(int index, int count) {
  if (count <= 0) return;
  columns_.insert(columns_.begin() + index, static_cast<std::size_t>(count), RWordColumn{});
  // The changed range moves with the columns after the new ones.
  if (changedFirst_ >= index) changedFirst_ += count;
  if (changedLast_ > index) changedLast_ += count;
  MarkChanged(index, index + count);
  if (observer_)
    for (int n = 0; n < count; ++n) observer_->ColumnInserted(index + n);
}

void RWordColumns::DeleteColumn(int index) { DeleteColumns(index, 1); }

void RWordColumns::DeleteColumns(int index, int count) {
  // A table that has fallen out of step with the slots (the view never
  // rebuilt it) must not be indexed past its end; the next rebuild evens
  // the counts out.
  if (index < 0 || index >= ColumnCount()) return;
  count = std::min(count, ColumnCount() - index);
  if (count <= 0) return;
  columns_.erase(columns_.begin() + index, columns_.begin() + index + count);
  const auto shift = [index, count](int& at) {
    if (at >= index + count)
      at -= count;
    else if (at > index)
      at = index;
  };
  if (changedFirst_ >= 0) {
    shift(changedFirst_);
    shift(changedLast_);
  }
  // The column that moved up into the gap starts where the deleted ones did.
  MarkChanged(index, index + 1);
  if (observer_)
    for (int n = 0; n < count; ++n) observer_->ColumnDeleted(index);
}

void RWordColumns::DeleteAllColumns() {
  while (!columns_.empty()) DeleteColumn(ColumnCount() - 1);
  changedFirst_ = changedLast_ = -1;
}

void RWordColumns::BlankColumn(int index, std::vector<int>& changed) {
  RWordColumn& column = columns_[static_cast<std::size_t>(index)];
  if (column.blank && column.filled && column.digits.empty()) return;
  column.rows.assign(kBlankRowCount, std::string());
  column.topRow = 0;
  column.selectedRow = -1;
  column.digits.clear();
  column.run.clear();
  column.slotText.clear();
  column.wordCount = 0;
  column.pending = false;
  column.blank = true;
  column.filled = true;
  changed.push_back(index);
}

std::string RWordColumns::CutToKnownCode(const std::string& digits) const {
  if (!codesGathered_) {
    knownCodes_.clear();
    for (int p = 0; p < dictionary_->Count(); ++p) {
      const RWordEntry& entry = dictionary_->EntryAt(p);
      if (entry.hasCode && !entry.code.empty() && entry.code.size() <= RDictionary::kMaxCodeLength)
        knownCodes_.push_back(entry.code);
    }
    std::sort(knownCodes_.begin(), knownCodes_.end());
    knownCodes_.erase(std::unique(knownCodes_.begin(), knownCodes_.end()), knownCodes_.end());
    codesGathered_ = true;
  }
  const std::string_view whole(digits);
  for (std::size_t length = std::min<std::size_t>(whole.size(), RDictionary::kMaxCodeLength); length > 0; --length) {
    const std::string_view prefix = whole.substr(0, length);
    const auto at = std::lower_bound(knownCodes_.begin(), knownCodes_.end(), prefix,
                                     [](const std::string& code, std::string_view key) { return code < key; });
    if (at != knownCodes_.end() && *at == prefix) return std::string(prefix);
  }
  return std::string();
}

void RWordColumns::CutDigits(RWordColumn& column) const {
  std::string digits = CutToKnownCode(column.run);
  column.pending = false;
  // The same digits from another run list the same words: keep the rows
  // (and the list's scroll position with them).
  if (digits == column.digits) return;
  column.digits = std::move(digits);
  column.filled = false;
  column.topRow = 0;
  column.selectedRow = -1;
}

std::string RWordColumns::ColumnDigits(int index) const {
  const RWordColumn& column = columns_[static_cast<std::size_t>(index)];
  return column.pending ? CutToKnownCode(column.run) : column.digits;
}

bool RWordColumns::NeedsUpdate(int index) const {
  const RWordColumn& column = columns_[static_cast<std::size_t>(index)];
  return column.pending || !column.filled;
}

bool RWordColumns::UpdateColumn(int index) {
  RWordColumn& column = columns_[static_cast<std::size_t>(index)];
  if (column.pending) CutDigits(column);
  if (column.filled) return false;
  FillColumn(index);
  return true;
}

void RWordColumns::FillColumn(int index) {
  RWordColumn& column = columns_[static_cast<std::size_t>(index)];
  if (column.pending) CutDigits(column);
  column.wordCount = dictionary_->ListWordsForDigits(column.digits, column.rows);
  column.filled = true;
}

void RWordColumns::ReleaseRows(int index, int topRow, int selectedRow) {
  if (index < 0 || index >= ColumnCount()) return;
  RWordColumn& column = columns_[static_cast<std::size_t>(index)];
  column.topRow = std::max(topRow, 0);
  column.selectedRow = std::max(selectedRow, -1);
  if (column.blank) return;
  std::vector<std::string>().swap(column.rows);
  column.wordCount = 0;
  column.filled = false;
}

void RWordColumns::DictionaryChanged() {
  codesGathered_ = false;
  knownCodes_.clear();
  for (RWordColumn& column : columns_) {
    if (!column.blank && IsUncoveredSlot(column.slotText)) column.pending = true;
    column.selectedRow = -1;
  }
}

std::vector<int> RWordColumns::RebuildColumns(RNumber* number) {
  if (number) ValidateSlots(*number);
  const bool blankMode = !number || number->SlotCount() == 0;
  const int target = blankMode ? kBlankColumnCount : number->SlotCount();
  if (ColumnCount() > target) DeleteColumns(target, ColumnCount() - target);
  InsertColumns(ColumnCount(), target - ColumnCount());
  changedFirst_ = changedLast_ = -1;

  std::vector<int> changed;
  if (blankMode) {
    for (int i = 0; i < kBlankColumnCount; ++i) BlankColumn(i, changed);
    return changed;
  }

  // How many "." slots stand from each slot on (as far as a run reaches),
  // counted from the end in one pass, so that no column walks its run.
  std::vector<unsigned char> dotsAhead(static_cast<std::size_t>(target) + 1, 0);
  for (int i = target - 1; i >= 0; --i)
    if (IsUncoveredSlot(number->Slot(i)))
      dotsAhead[static_cast<std::size_t>(i)] = static_cast<unsigned char>(
          std::min<std::size_t>(dotsAhead[static_cast<std::size_t>(i) + 1] + 1u, kColumnRunLength));
  std::size_t cursor = 0;
  for (int i = 0; i < target; ++i) {
    RebuildColumn(*number, i, cursor, changed, dotsAhead[static_cast<std::size_t>(i)]);
    // No word of an uncovered digit is chosen: its list marks none.
    if (IsUncoveredSlot(columns_[static_cast<std::size_t>(i)].slotText))
      columns_[static_cast<std::size_t>(i)].selectedRow = -1;
  }
  return changed;
}

std::vector<int> RWordColumns::RebuildChanged(RNumber& number) {
  if (changedFirst_ < 0) return {};
  if (ColumnCount() != number.SlotCount() || number.SlotCount() == 0 || columns_.front().blank)
    return RebuildColumns(&number);
  // A column's run reaches at most kColumnRunLength slots ahead, so the
  // columns further back than that from the first change keep their digits.
  // The one the walk starts from was not touched: its start still holds.
  const int first = std::max(0, changedFirst_ - static_cast<int>(kColumnRunLength));
  const int last = std::min(changedLast_, ColumnCount());
  changedFirst_ = changedLast_ = -1;
  std::size_t cursor = first == 0 ? 0 : columns_[static_cast<std::size_t>(first)].start;
  std::vector<int> changed;
  int i = first;
  for (; i < last; ++i) RebuildColumn(number, i, cursor, changed);
  // Choosing and un-choosing keep the digits the slots cover, so the
  // columns after the change start where they did. Should they not, the
  // walk goes on until they do.
  for (; i < ColumnCount() && columns_[static_cast<std::size_t>(i)].start != cursor; ++i)
    RebuildColumn(number, i, cursor, changed);
  return changed;
}

void RWordColumns::RebuildColumn(const RNumber& number, int i, std::size_t& cursor, std::vector<int>& changed,
                                 int dotsAhead) {
  RWordColumn& column = columns_[static_cast<std::size_t>(i)];
  const std::string& slot = number.Slot(i);
  column.start = cursor;
  // A placeholder column has empty digits too, but its rows are the blank
  // ones: it needs listing even when its new digits are empty as well.
  const bool wasBlank = column.blank;
  column.blank = false;
  if (IsUncoveredSlot(slot)) {
    const std::string& digits = number.Digits();
    std::string walked;
    std::string_view run;
    if (dotsAhead < 0) {
      walked = UncoveredRunAt(number, i, cursor);
      run = walked;
    } else {
      run = std::string_view(digits).substr(std::min(cursor, digits.size()), static_cast<std::size_t>(dotsAhead));
    }
    if (wasBlank || !IsUncoveredSlot(column.slotText) || run != column.run) {
      column.run.assign(run);
      column.pending = true;
      if (wasBlank) column.filled = false;
      changed.push_back(i);
    }
    cursor += 1;
  } else {
    const int k = dictionary_->FindWord(slot);
    if (k < 0) ShowStatusAlert("Internal error - missing word.");
    const std::string digits = k < 0 ? std::string() : dictionary_->CodeAt(k);
    column.run.clear();
    column.pending = false;
    if (wasBlank || digits != column.digits) {
      column.digits = digits;
      column.filled = false;
      column.topRow = 0;
      column.selectedRow = -1;
      changed.push_back(i);
    }
    cursor += digits.size();
  }
  column.slotText = slot;
}

// --- slots ----------------------------------------------------------------------

void RWordColumns::Compose(RNumber& number) { number.ComposePhrase(highlightStart_, highlightLength_); }

void RWordColumns::RefreshPhrase(RNumber& number) {
  highlightStart_ = 0;
  highlightLength_ = 0;
  Compose(number);
}

bool RWordColumns::CommitNumber(RNumber& number, const std::string& typed) {
  const std::string oldNumber = number.Number();
  const std::string oldDigits = number.Digits();
  number.SetNumber(typed);
  if (typed == oldNumber || number.Digits() == oldDigits) return false;

  // One pass that keeps the slots (and their columns) that still fit and
  // closes the gaps as it goes: dropping them one at a time would shift the
  // rest of a long number once per dropped word.
  const std::string& digits = number.Digits();
  std::vector<std::string> slots = number.Slots();
  std::vector<char> dropped(slots.size(), 0);
  std::size_t p = 0;
  std::size_t kept = 0;
  for (std::size_t s = 0; s < slots.size(); ++s) {
    const std::string& slot = slots[s];
    std::size_t length = 0;
    bool fits = false;
    if (IsUncoveredSlot(slot)) {
      fits = p < digits.size();
      length = 1;
    } else {
      const int k = dictionary_->FindWord(slot);
      fits = k >= 0 && CodeFitsAt(digits, p, dictionary_->CodeAt(k));
      if (fits) length = dictionary_->CodeAt(k).size();
    }
    if (!fits) {
      dropped[s] = 1;
      continue;
    }
    p += length;
    if (kept != s) slots[kept] = std::move(slots[s]);
    ++kept;
  }
  slots.resize(kept);

  // The columns follow their slots; a column without a slot (a table out
  // of step) stays.
  const int columnsBefore = ColumnCount();
  int keptColumns = 0;
  for (int c = 0; c < columnsBefore; ++c) {
    if (static_cast<std::size_t>(c) < dropped.size() && dropped[static_cast<std::size_t>(c)]) {
      // The columns kept so far stand before it.
      if (observer_) observer_->ColumnDeleted(keptColumns);
      continue;
    }
    if (keptColumns != c) columns_[static_cast<std::size_t>(keptColumns)] = std::move(columns_[static_cast<std::size_t>(c)]);
    ++keptColumns;
  }
  columns_.erase(columns_.begin() + keptColumns, columns_.end());

  const std::size_t left = digits.size() - std::min(p, digits.size());
  slots.insert(slots.end(), left, kUncoveredSlot);
  number.SetSlots(std::move(slots));
  InsertColumns(ColumnCount(), static_cast<int>(left));
  MarkAllChanged();
  return true;
}

RSlotFault FindSlotFault(const RDictionary& dictionary, const RNumber& number) {
  using Kind = RSlotFault::Kind;
  const std::string& digits = number.Digits();
  std::size_t p = 0;
  for (int i = 0; i < number.SlotCount(); ++i) {
    const std::string& slot = number.Slot(i);
    if (IsUncoveredSlot(slot)) {
      if (p >= digits.size()) return {Kind::ExtraDot, i, p};
      ++p;
      continue;
    }
    const int k = dictionary.FindWord(slot);
    if (k < 0) return {Kind::LostWord, i, p};
    if (!CodeFitsAt(digits, p, dictionary.CodeAt(k))) return {Kind::ChangedCode, i, p};
    p += dictionary.CodeAt(k).size();
  }
  // An entry with digits but no slots (a worksheet written by hand with an
  // empty phrase line) gets its digits as uncovered slots, so it can be
  // built on like any other; only an entry without digits stays blank.
  if (p < digits.size()) return {Kind::DigitsLeft, number.SlotCount(), p};
  return {};
}

RSlotPlaces SlotPlaces(const RDictionary& dictionary, const RNumber& number) {
  RSlotPlaces places;
  places.slotTexts = number.Slots();
  places.lengths.reserve(places.slotTexts.size());
  for (const std::string& slot : places.slotTexts) {
    if (IsUncoveredSlot(slot)) {
      places.lengths.push_back(1);
      continue;
    }
    const int k = dictionary.FindWord(slot);
    places.lengths.push_back(k >= 0 ? dictionary.CodeAt(k).size() : dictionary.CodeOfNewWord(slot).size());
  }
  return places;
}

std::vector<RSlotPlaces> SlotPlacesOf(const RDictionary& dictionary, const RWorksheet& worksheet) {
  std::vector<RSlotPlaces> places;
  places.reserve(static_cast<std::size_t>(worksheet.Count()));
  for (int32_t i = 0; i < worksheet.Count(); ++i) places.push_back(SlotPlaces(dictionary, worksheet.At(i)));
  return places;
}

namespace {

// Notes the first word a repair takes out, and why.
void NoteTakenOut(RSlotRepair& repair, const RDictionary& dictionary, const std::string& word) {
  if (repair.kind != RSlotFault::Kind::None) return;
  repair.kind = dictionary.FindWord(word) < 0 ? RSlotFault::Kind::LostWord : RSlotFault::Kind::ChangedCode;
  repair.word = word;
}

// Every slot stands where `lengths` puts it, and they add up to the digits:
// a word that does not spell just the digits it stands on gives them back
// as "." slots, and nothing else moves.
std::vector<std::string> UncoverInPlace(const RDictionary& dictionary, const std::string& digits,
                                        const std::vector<std::string>& slots,
                                        const std::vector<std::size_t>& lengths, RSlotRepair& repair) {
  std::vector<std::string> out;
  out.reserve(digits.size());
  std::size_t p = 0;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const std::string& slot = slots[i];
    const std::size_t length = lengths[i];
    const int k = IsUncoveredSlot(slot) ? -1 : dictionary.FindWord(slot);
    if (IsUncoveredSlot(slot) || (k >= 0 && dictionary.CodeAt(k).size() == length &&
                                  digits.compare(p, length, dictionary.CodeAt(k)) == 0)) {
      out.push_back(slot);
    } else {
      NoteTakenOut(repair, dictionary, slot);
      out.insert(out.end(), length, kUncoveredSlot);
    }
    p += length;
  }
  return out;
}

// Where the slots stood is not known: the words that fit from the start
// (up to `fault`, the first that does not) and those that fit from the end
// keep their places, and the digits between them are uncovered.
std::vector<std::string> UncoverBetweenFits(const RDictionary& dictionary, const std::string& digits,
                                            const std::vector<std::string>& slots, const RSlotFault& fault,
                                            RSlotRepair& repair) {
  const auto first = static_cast<std::size_t>(fault.slot);
  std::size_t end = slots.size();  // the slots from here on fit from the end
  std::size_t q = digits.size();   // where they begin
  for (; end > first; --end) {
    const std::string& slot = slots[end - 1];
    std::size_t length = 1;
    if (!IsUncoveredSlot(slot)) {
      const int k = dictionary.FindWord(slot);
      if (k < 0) break;
      const std::string& code = dictionary.CodeAt(k);
      length = code.size();
      if (length > q - fault.covered || digits.compare(q - length, length, code) != 0) break;
    } else if (q == fault.covered) {
      break;
    }
    q -= length;
  }
  std::vector<std::string> out(slots.begin(), slots.begin() + static_cast<std::ptrdiff_t>(first));
  for (std::size_t i = first; i < end; ++i)
    if (!IsUncoveredSlot(slots[i])) NoteTakenOut(repair, dictionary, slots[i]);
  out.insert(out.end(), q - fault.covered, kUncoveredSlot);
  out.insert(out.end(), slots.begin() + static_cast<std::ptrdiff_t>(end), slots.end());
  return out;
}

}  // namespace

RSlotRepair RepairSlots(const RDictionary& dictionary, RNumber& number, const RSlotPlaces* before) {
  using Kind = RSlotFault::Kind;
  RSlotRepair repair;
  const RSlotFault fault = FindSlotFault(dictionary, number);
  if (fault.kind == Kind::None) return repair;
  repair.changed = true;
  if (fault.kind == Kind::ExtraDot || fault.kind == Kind::DigitsLeft) {
    number.DeleteSlots(fault.slot, number.SlotCount() - fault.slot);
    if (fault.kind == Kind::DigitsLeft)
      number.InsertSlots(number.SlotCount(), static_cast<int32_t>(number.Digits().size() - fault.covered),
                         kUncoveredSlot);
    number.ComposePhrase(0, 0);
    return repair;
  }
  // A word is gone or spells other digits now. Where each slot stood is
  // known from before the change when the slots are still those; else it
  // is guessed from the codes the words have (or would get back).
  RSlotPlaces guessed;
  const bool known =
      before && before->slotTexts.size() == before->lengths.size() && before->slotTexts == number.Slots();
  if (!known) guessed = SlotPlaces(dictionary, number);
  const std::vector<std::size_t>& lengths = known ? before->lengths : guessed.lengths;
  std::size_t total = 0;
  for (std::size_t length : lengths) total += length;
  std::vector<std::string> slots =
      total == number.Digits().size()
          ? UncoverInPlace(dictionary, number.Digits(), number.Slots(), lengths, repair)
          : UncoverBetweenFits(dictionary, number.Digits(), number.Slots(), fault, repair);
  number.SetSlots(std::move(slots));
  number.ComposePhrase(0, 0);
  return repair;
}

std::vector<REntryChange> RepairLostWords(const RDictionary& dictionary, RWorksheet& worksheet, int32_t skip,
                                          const std::vector<RSlotPlaces>* before) {
  std::vector<REntryChange> changes;
  for (int32_t i = 0; i < worksheet.Count(); ++i) {
    if (i == skip) continue;
    RNumber& entry = worksheet.At(i);
    const RSlotFault fault = FindSlotFault(dictionary, entry);
    if (fault.kind != RSlotFault::Kind::LostWord && fault.kind != RSlotFault::Kind::ChangedCode) continue;
    REntryChange& change = changes.emplace_back(REntryChange{i, entry, {}});
    const auto at = static_cast<std::size_t>(i);
    RepairSlots(dictionary, entry, before && at < before->size() ? &(*before)[at] : nullptr);
    change.after = entry;
  }
  return changes;
}

bool RWordColumns::ValidateSlots(RNumber& number, const RSlotPlaces* before) {
  const RSlotRepair repair = RepairSlots(*dictionary_, number, before);
  if (!repair.changed) return true;
  const std::string& word = repair.word;
  if (repair.kind == RSlotFault::Kind::LostWord && dictionary_->RemovedSinceStart(word))
    ShowStatusAlert("Word '" + word + "' was removed from the dictionary; its digits are uncovered in the phrase.");
  else if (repair.kind == RSlotFault::Kind::LostWord)
    ShowCaution("Word '" + word + "' not found in dictionary. Word will be deleted.");
  else if (repair.kind == RSlotFault::Kind::ChangedCode)
    ShowCaution("Code for word '" + word + "' has been changed. Word will be deleted.");
  // The phrase is composed without a preview.
  highlightStart_ = highlightLength_ = 0;
  return false;
}

bool RWordColumns::ChooseWord(RNumber& number, int index, const std::string& row) {
  if (index < 0 || index >= ColumnCount() || index >= number.SlotCount()) return false;
  if (!IsWordRow(row)) return false;
  const int k = dictionary_->FindWord(row);
  if (k < 0) return false;
  const std::string& code = dictionary_->CodeAt(k);
  const int length = static_cast<int>(code.size());
  const RWordColumn& column = columns_[static_cast<std::size_t>(index)];
  // The column offers only codes that start its digits; a row left over from
  // before a dictionary change may not, and taking it would break the slots.
  const std::string digits = ColumnDigits(index);
  if (digits.compare(0, code.size(), code) != 0 || code.size() > digits.size()) return false;

  if (IsUncoveredSlot(column.slotText)) {
    if (length >= 1) {
      DeleteColumns(index + 1, length - 1);
      number.DeleteSlots(index + 1, length - 1);
    } else {
      // A word without a code covers nothing: it stands before the digit,
      // which stays uncovered.
      number.InsertSlot(index + 1, kUncoveredSlot);
      InsertColumn(index + 1);
    }
  } else {
    const int given = static_cast<int>(digits.size()) - length;
    number.InsertSlots(index + 1, given, kUncoveredSlot);
    InsertColumns(index + 1, given);
    const int next = index + given + 1;
    if (next < ColumnCount()) {
      RWordColumn& after = columns_[static_cast<std::size_t>(next)];
      after.digits.clear();
      after.run.clear();
      after.pending = false;
      after.rows.clear();
      after.wordCount = 0;
      after.filled = false;
      after.topRow = 0;
      after.selectedRow = -1;
      MarkChanged(next, next + 1);
      if (observer_) observer_->ColumnEmptied(next);
    }
  }
  number.SetSlot(index, row);
  MarkChanged(index, index + 1);
  return true;
}

bool RWordColumns::UnselectWord(RNumber& number, int index) {
  if (number.SlotCount() == 0) return false;
  if (index < 0 || index >= ColumnCount() || index >= number.SlotCount()) return false;
  const RWordColumn& column = columns_[static_cast<std::size_t>(index)];
  if (IsUncoveredSlot(column.slotText)) return true;
  const int m = static_cast<int>(column.digits.size());
  if (m >= 1) {
    number.InsertSlots(index + 1, m - 1, kUncoveredSlot);
    InsertColumns(index + 1, m - 1);
    number.SetSlot(index, kUncoveredSlot);
    MarkChanged(index, index + 1);
  } else if (index == number.SlotCount() - 1) {
    DeleteColumn(index);
    number.DeleteSlot(index);
  } else {
    number.SetSlot(index, number.Slot(index + 1));
    MarkChanged(index, index + 1);
    DeleteColumn(index + 1);
    number.DeleteSlot(index + 1);
  }
  return true;
}

bool RWordColumns::PreviewWord(RNumber& number, int index, const std::string& row) {
  if (index < 0 || index >= ColumnCount()) return false;
  const RWordColumn& column = columns_[static_cast<std::size_t>(index)];
  if (ColumnDigits(index).empty()) return false;
  if (IsUncoveredSlot(column.slotText)) {
    if (!IsWordRow(row)) return false;
    const int k = dictionary_->FindWord(row);
    if (k < 0) return false;
    const int length = static_cast<int>(dictionary_->CodeAt(k).size());
    if (index == highlightStart_ && length == highlightLength_) return false;
    highlightStart_ = index;
    highlightLength_ = length;
    Compose(number);
    return true;
  }
  if (highlightStart_ == 0 && highlightLength_ == 0) return false;
  RefreshPhrase(number);
  return true;
}

bool RWordColumns::ClearPreview(RNumber& number, int index) {
  if (index < 0 || index >= ColumnCount()) return false;
  if (ColumnDigits(index).empty()) return false;
  // Moving between lists mostly leaves the phrase as it is; a long one is
  // then not shown (and laid out) again for nothing.
  const std::string before = number.Phrase();
  RefreshPhrase(number);
  return number.Phrase() != before;
}

int RWordColumns::FirstLetterJump(int index, int selected, char letter) const {
  if (index < 0 || index >= ColumnCount()) return -1;
  if (letter < 'a' || letter > 'z' || ColumnDigits(index).empty()) return -1;
  return FindFirstLetter(columns_[static_cast<std::size_t>(index)].rows, selected, letter);
}

int RWordColumns::NextUncoveredColumn(int index) const {
  const int n = ColumnCount();
  if (index < -1 || index >= n) return -1;
  for (int step = 1; step <= n; ++step) {
    const RWordColumn& column = columns_[static_cast<std::size_t>((index + step) % n)];
    if (!column.blank && IsUncoveredSlot(column.slotText)) return (index + step) % n;
  }
  return -1;
}

}  // namespace tq
