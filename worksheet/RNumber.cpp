#include "RNumber.h"

#include <string_view>

#include "FileIO.h"
#include "Text.h"

namespace tq {
namespace {

// The value of a record line: everything after its two-character tag. The
// tag itself is positional and never compared.
std::string FieldOf(const std::string& line) { return line.size() > 2 ? line.substr(2) : std::string(); }

void WriteLine(std::FILE* file, const char* tag, const std::string& value) {
  std::fputs(tag, file);
  // fwrite, not fputs: the value goes out byte for byte, as it was read.
  if (!value.empty()) std::fwrite(value.data(), 1, value.size(), file);
  std::fputc('\n', file);
}

}  // namespace

namespace {

// Stores value into field as one line; false when a line break was cleaned.
bool StoreOneLine(std::string& field, const std::string& value) {
  if (!HasLineBreak(value)) {
    field = value;
    return true;
  }
  field = OneLine(value);
  return false;
}

}  // namespace

std::string SlotOfWord(std::string_view word) {
  return IsUncoveredWord(word) ? std::string(kUncoveredSlot) : std::string(word);
}

std::string WordOfSlot(const std::string& slot) {
  return IsUncoveredSlot(slot) ? std::string(1, kUncoveredMark) : slot;
}

std::vector<std::string> UncoveredSlots(std::size_t count) { return std::vector<std::string>(count, kUncoveredSlot); }

std::size_t ChosenWordCount(const std::vector<std::string>& slots) {
  std::size_t words = 0;
  for (const std::string& slot : slots)
    if (!slot.empty() && !IsUncoveredSlot(slot)) ++words;
  return words;
}

std::string DigitsOf(std::string_view text) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits.push_back(c);
  return digits;
}

bool RNumber::SetNumber(const std::string& number) {
  const bool clean = StoreOneLine(number_, number);
  digits_ = DigitsOf(number_);
  return clean;
}

bool RNumber::SetPhrase(const std::string& phrase) { return StoreOneLine(phrase_, phrase); }

bool RNumber::SetDescription(const std::string& description) { return StoreOneLine(description_, description); }

void RNumber::InsertSlot(int32_t index, const std::string& text) {
  slots_.insert(slots_.begin() + index, text);
}

void RNumber::DeleteSlot(int32_t index) { slots_.erase(slots_.begin() + index); }

void RNumber::InsertSlots(int32_t index, int32_t count, const std::string& text) {
  if (count > 0) slots_.insert(slots_.begin() + index, static_cast<std::size_t>(count), text);
}

void RNumber::DeleteSlots(int32_t index, int32_t count) {
  if (count > 0) slots_.erase(slots_.begin() + index, slots_.begin() + index + count);
}

void RNumber::SlotsFromPhrase() {
  slots_.clear();
  std::size_t pos = 0;
  while (pos < phrase_.size()) {
    const std::size_t start = phrase_.find_first_not_of(' ', pos);
    if (start == std::string::npos) break;
    std::size_t end = phrase_.find(' ', start);
    if (end == std::string::npos) end = phrase_.size();
    slots_.push_back(SlotOfWord(std::string_view(phrase_).substr(start, end - start)));
    pos = end;
  }
}

void RNumber::ComposePhrase(int32_t start, int32_t count) {
  // Widened so that a start near the top of the range cannot overflow.
  const int64_t first = start;
  const int64_t stop = int64_t{start} + int64_t{count};
  phrase_.assign(1, ' ');
  const std::size_t n = slots_.size();
  // One allocation for the whole phrase, however long the number.
  std::size_t length = n + 1;
  for (const std::string& slot : slots_) length += slot.size();
  phrase_.reserve(length);
  for (std::size_t i = 0; i < n; ++i) {
    const std::string& slot = slots_[i];
    if (IsUncoveredSlot(slot)) {
      const auto index = static_cast<int64_t>(i);
      phrase_.push_back(index >= first && index < stop ? kHighlightMark : kUncoveredMark);
    } else {
      phrase_ += slot;
    }
    if (i + 1 < n) phrase_.push_back(' ');
  }
  // A word is one line; should one ever hold a break, the record still must not.
  if (HasLineBreak(phrase_)) phrase_ = OneLine(phrase_);
}

bool RNumber::ReadRecord(std::FILE* file, bool* damaged) {
  // Each line is read whole, however long: a long description must come
  // back as one field and never spill into the next line of the record.
  // The fields are taken by position, as they always were; the tags and the
  // closing empty line only tell whether the record is as it was written.
  bool sound = true;
  auto next = [&](std::string& line, std::string_view tag) {
    const bool read = ReadLine(file, line);
    sound = sound && read && std::string_view(line).substr(0, tag.size()) == tag && (!tag.empty() || line.empty());
    return read;
  };
  std::string line;
  const bool any = next(line, "N:");
  std::string number = FieldOf(line);
  next(line, "P:");
  phrase_ = FieldOf(line);
  next(line, "D:");
  description_ = FieldOf(line);
  next(line, "");  // the empty line that ends the record
  SetNumber(number);
  SlotsFromPhrase();
  if (damaged && any && !sound) *damaged = true;
  return any;
}

void RNumber::WriteRecord(std::FILE* file) const {
  WriteLine(file, "N:", number_);
  WriteLine(file, "P:", phrase_);
  WriteLine(file, "D:", description_);
  std::fputc('\n', file);
}

}  // namespace tq
