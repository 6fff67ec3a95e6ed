#include "SlotLogic.h"

#include "Messages.h"
#include "RDictionary.h"
#include "RNumber.h"

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

std::vector<SlotSpan> SlotSpans(const RDictionary& dictionary, const RNumber& number) {
  std::vector<SlotSpan> spans;
  spans.reserve(static_cast<std::size_t>(number.SlotCount()));
  std::size_t cursor = 0;
  for (const std::string& slot : number.Slots()) {
    SlotSpan span;
    span.start = cursor;
    if (IsUncoveredSlot(slot)) {
      span.length = 1;
    } else {
      const int k = dictionary.FindWord(slot);
      span.found = k >= 0;
      span.length = span.found ? dictionary.CodeAt(k).size() : 0;
    }
    cursor += span.length;
    spans.push_back(span);
  }
  return spans;
}

std::string ColumnDigitsAt(const RDictionary& dictionary, const RNumber& number, int index, std::size_t cursor,
                           bool* found) {
  if (found) *found = true;
  const std::string& slot = number.Slot(index);
  const std::string& digits = number.Digits();
  if (IsUncoveredSlot(slot)) {
    // Only as far as the run of uncovered digits reaches: a word offered here
    // must never swallow a chosen word after it.
    std::string run;
    for (int i = index; i < number.SlotCount() && run.size() < kColumnRunLength && cursor < digits.size(); ++i) {
      if (!IsUncoveredSlot(number.Slot(i))) break;
      run.push_back(digits[cursor++]);
    }
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

// --- columns ------------------------------------------------------------------

void RWordColumns::InsertColumn(int index) {
  columns_.insert(columns_.begin() + index, WordColumn{});
  if (observer_) observer_->ColumnInserted(index);
}

void RWordColumns::DeleteColumn(int index) {
  // A table that has fallen out of step with the slots (the view never
  // rebuilt it) must not be indexed past its end; the next rebuild evens
  // the counts out.
  if (index < 0 || index >= ColumnCount()) return;
  columns_.erase(columns_.begin() + index);
  if (observer_) observer_->ColumnDeleted(index);
}

void RWordColumns::DeleteAllColumns() {
  while (!columns_.empty()) DeleteColumn(ColumnCount() - 1);
}

void RWordColumns::BlankColumn(int index, std::vector<int>& changed) {
  WordColumn& column = columns_[static_cast<std::size_t>(index)];
  if (column.blank && column.filled && column.digits.empty()) return;
  column.rows.assign(kBlankRowCount, std::string());
  column.digits.clear();
  column.slotText.clear();
  column.wordCount = 0;
  column.blank = true;
  column.filled = true;
  changed.push_back(index);
}

void RWordColumns::FillColumn(int index) {
  WordColumn& column = columns_[static_cast<std::size_t>(index)];
  column.wordCount = dictionary_->ListWordsForDigits(column.digits, column.rows);
  column.filled = true;
}

std::vector<int> RWordColumns::ColumnsToRefill() const {
  std::vector<int> out;
  for (int i = 0; i < ColumnCount(); ++i)
    if (columns_[static_cast<std::size_t>(i)].filled && !columns_[static_cast<std::size_t>(i)].digits.empty())
      out.push_back(i);
  return out;
}

std::vector<int> RWordColumns::RebuildColumns(RNumber* number) {
  if (number) ValidateSlots(*number);
  const bool blankMode = !number || number->SlotCount() == 0;
  const int target = blankMode ? kBlankColumnCount : number->SlotCount();
  while (ColumnCount() > target) DeleteColumn(ColumnCount() - 1);
  while (ColumnCount() < target) InsertColumn(ColumnCount());

  std::vector<int> changed;
  if (blankMode) {
    for (int i = 0; i < kBlankColumnCount; ++i) BlankColumn(i, changed);
    return changed;
  }

  std::size_t cursor = 0;
  for (int i = 0; i < target; ++i) {
    WordColumn& column = columns_[static_cast<std::size_t>(i)];
    column.slotText = number->Slot(i);
    bool found = true;
    std::string digits = ColumnDigitsAt(*dictionary_, *number, i, cursor, &found);
    if (!found) ShowStatusAlert("Internal error - missing word.");
    // A placeholder column has empty digits too, but its rows are the blank
    // ones: it needs filling even when the new digits are empty as well.
    if (digits != column.digits || column.blank) {
      column.digits = std::move(digits);
      column.blank = false;
      column.filled = false;
      changed.push_back(i);
    }
    cursor += IsUncoveredSlot(column.slotText) ? 1 : column.digits.size();
  }
  return changed;
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

  const std::string& digits = number.Digits();
  std::size_t p = 0;
  int i = 0;
  while (i < number.SlotCount()) {
    const std::string& slot = number.Slot(i);
    if (IsUncoveredSlot(slot)) {
      if (p < digits.size()) {
        ++p;
        ++i;
        continue;
      }
    } else {
      const int k = dictionary_->FindWord(slot);
      if (k >= 0 && CodeFitsAt(digits, p, dictionary_->CodeAt(k))) {
        p += dictionary_->CodeAt(k).size();
        ++i;
        continue;
      }
    }
    DeleteColumn(i);
    number.DeleteSlot(i);
  }
  for (; p < digits.size(); ++p) {
    InsertColumn(ColumnCount());
    number.InsertSlot(number.SlotCount(), ".");
  }
  return true;
}

bool RWordColumns::ValidateSlots(RNumber& number) {
  if (number.SlotCount() == 0) return true;
  const std::string& digits = number.Digits();
  std::size_t p = 0;
  for (int i = 0; i < number.SlotCount(); ++i) {
    const std::string& slot = number.Slot(i);
    if (IsUncoveredSlot(slot)) {
      if (p >= digits.size()) {
        while (number.SlotCount() > i) number.DeleteSlot(number.SlotCount() - 1);
        RefreshPhrase(number);
        return false;
      }
      ++p;
      continue;
    }
    const int k = dictionary_->FindWord(slot);
    if (k >= 0 && CodeFitsAt(digits, p, dictionary_->CodeAt(k))) {
      p += dictionary_->CodeAt(k).size();
      continue;
    }
    if (k < 0)
      ShowWarning("Word '" + slot + "' not found in dictionary. Word will be deleted.");
    else
      ShowWarning("Code for word '" + slot + "' has been changed. Word will be deleted.");
    while (number.SlotCount() > i) number.DeleteSlot(number.SlotCount() - 1);
    for (; p < digits.size(); ++p) number.InsertSlot(number.SlotCount(), ".");
    RefreshPhrase(number);
    return false;
  }
  if (p < digits.size()) {
    for (; p < digits.size(); ++p) number.InsertSlot(number.SlotCount(), ".");
    RefreshPhrase(number);
    return false;
  }
  return true;
}

bool RWordColumns::ChooseWord(RNumber& number, int index, const std::string& row) {
  if (index < 0 || index >= ColumnCount() || index >= number.SlotCount()) return false;
  if (!IsWordRow(row)) return false;
  const int k = dictionary_->FindWord(row);
  if (k < 0) return false;
  const std::string& code = dictionary_->CodeAt(k);
  const int length = static_cast<int>(code.size());
  WordColumn& column = columns_[static_cast<std::size_t>(index)];
  // The column offers only codes that start its digits; a row left over from
  // before a dictionary change may not, and taking it would break the slots.
  if (column.digits.compare(0, code.size(), code) != 0 || code.size() > column.digits.size()) return false;

  if (IsUncoveredSlot(column.slotText)) {
    if (length >= 1) {
      for (int n = 1; n < length; ++n) {
        DeleteColumn(index + 1);
        number.DeleteSlot(index + 1);
      }
    } else {
      // A word without a code covers nothing: it stands before the digit,
      // which stays uncovered.
      number.InsertSlot(index + 1, ".");
      InsertColumn(index + 1);
    }
  } else {
    const int given = static_cast<int>(column.digits.size()) - length;
    for (int n = 0; n < given; ++n) {
      number.InsertSlot(index + 1, ".");
      InsertColumn(index + 1);
    }
    const int next = index + given + 1;
    if (next < ColumnCount()) {
      WordColumn& after = columns_[static_cast<std::size_t>(next)];
      after.digits.clear();
      after.rows.clear();
      after.wordCount = 0;
      after.filled = false;
      if (observer_) observer_->ColumnEmptied(next);
    }
  }
  number.SetSlot(index, row);
  return true;
}

bool RWordColumns::UnselectWord(RNumber& number, int index) {
  if (number.SlotCount() == 0) return false;
  if (index < 0 || index >= ColumnCount() || index >= number.SlotCount()) return false;
  const WordColumn& column = columns_[static_cast<std::size_t>(index)];
  if (IsUncoveredSlot(column.slotText)) return true;
  const int m = static_cast<int>(column.digits.size());
  if (m >= 1) {
    for (int n = 1; n < m; ++n) {
      number.InsertSlot(index + 1, ".");
      InsertColumn(index + 1);
    }
    number.SetSlot(index, ".");
  } else if (index == number.SlotCount() - 1) {
    DeleteColumn(index);
    number.DeleteSlot(index);
  } else {
    number.SetSlot(index, number.Slot(index + 1));
    DeleteColumn(index + 1);
    number.DeleteSlot(index + 1);
  }
  return true;
}

bool RWordColumns::PreviewWord(RNumber& number, int index, const std::string& row) {
  if (index < 0 || index >= ColumnCount()) return false;
  const WordColumn& column = columns_[static_cast<std::size_t>(index)];
  if (column.digits.empty()) return false;
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
  if (columns_[static_cast<std::size_t>(index)].digits.empty()) return false;
  RefreshPhrase(number);
  return true;
}

int RWordColumns::FirstLetterJump(int index, int selected, char letter) const {
  if (index < 0 || index >= ColumnCount()) return -1;
  const WordColumn& column = columns_[static_cast<std::size_t>(index)];
  if (column.digits.empty() || letter < 'a' || letter > 'z') return -1;
  return FindFirstLetter(column.rows, selected, letter);
}

}  // namespace tq
