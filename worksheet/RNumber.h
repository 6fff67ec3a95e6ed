// One entry of a worksheet: the number as typed, its digits, the phrase that
// encodes it, a free description, and the slots the phrase is composed from.
// A slot is a chosen word, or kUncoveredSlot for one digit no word covers yet.
// The entry also reads and writes its own four-line record of the worksheet
// file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tq {

// A digit no word covers yet. This is its one owner: every library asks
// these names rather than spelling a dot of its own.
//
// In the slots it is the slot "." (a slot that begins with a dot counts, as
// the slot logic has always read it). In the phrase it shows as a mark: a
// middle dot normally, a bullet inside the highlighted (preview) range, both
// Windows-1252 bytes; a phrase's token that begins with either mark reads
// back as the slot. The best-phrase search lists phrase words, with one
// middle dot per uncovered digit; the peg lists hold slots.
inline constexpr const char* kUncoveredSlot = ".";
inline constexpr char kUncoveredMark = static_cast<char>(0xB7);
inline constexpr char kHighlightMark = static_cast<char>(0x95);

// True when the slot stands for an uncovered digit.
inline bool IsUncoveredSlot(std::string_view slot) { return !slot.empty() && slot[0] == '.'; }
// True for either mark of an uncovered digit in a phrase.
inline bool IsUncoveredMark(char c) { return c == kUncoveredMark || c == kHighlightMark; }
// True when a phrase's word (a token between blanks) stands for an
// uncovered digit: it begins with either mark.
inline bool IsUncoveredWord(std::string_view word) { return !word.empty() && IsUncoveredMark(word[0]); }
// The slot a phrase's word is read as, and the word a slot is shown as
// (the middle dot for an uncovered digit).
std::string SlotOfWord(std::string_view word);
std::string WordOfSlot(const std::string& slot);
// `count` slots of uncovered digits.
std::vector<std::string> UncoveredSlots(std::size_t count);
// How many of the slots hold a chosen word.
std::size_t ChosenWordCount(const std::vector<std::string>& slots);

// The digits of a number as typed (or of any text): its characters 0 to 9,
// in order. Blanks, dashes, slashes and letters do not count.
std::string DigitsOf(std::string_view text);

class RNumber {
 public:
  const std::string& Number() const { return number_; }
  const std::string& Phrase() const { return phrase_; }
  const std::string& Description() const { return description_; }
  const std::string& Digits() const { return digits_; }

  // Each field is one line of the worksheet file, so a line break in a value
  // given here becomes a blank (the fields clean pasted text before it gets
  // here; this keeps any other caller from splitting a record). The setters
  // return false when they had to do that.
  //
  // Sets the number and recomputes the digits from it.
  bool SetNumber(const std::string& number);
  // Sets the phrase only; the slots stay as they are.
  bool SetPhrase(const std::string& phrase);
  bool SetDescription(const std::string& description);

  // True when number, phrase and description are all empty; digits and slots
  // are not looked at.
  bool IsEmpty() const { return number_.empty() && phrase_.empty() && description_.empty(); }

  // The slot list. Indexes are the callers' responsibility: 0 to count-1
  // (0 to count for InsertSlot, which appends at count).
  int32_t SlotCount() const { return static_cast<int32_t>(slots_.size()); }
  const std::string& Slot(int32_t index) const { return slots_[static_cast<std::size_t>(index)]; }
  void SetSlot(int32_t index, const std::string& text) { slots_[static_cast<std::size_t>(index)] = text; }
  void InsertSlot(int32_t index, const std::string& text);
  void DeleteSlot(int32_t index);
  // The same for `count` neighbouring slots at once: one shift of the slots
  // after them however many there are, which matters in a long number.
  void InsertSlots(int32_t index, int32_t count, const std::string& text);
  void DeleteSlots(int32_t index, int32_t count);
  // Replaces the whole slot list.
  void SetSlots(std::vector<std::string> list) { slots_ = std::move(list); }
  const std::vector<std::string>& Slots() const { return slots_; }

  // Rebuilds the slots from the phrase: tokens between runs of blanks, a
  // token starting with either mark standing for one uncovered digit.
  void SlotsFromPhrase();
  // Rebuilds the phrase from the slots: a leading blank, elements separated
  // by single blanks, uncovered digits in slots start to start+count-1 shown
  // with the highlight mark.
  void ComposePhrase(int32_t start, int32_t count);

  // Reads one record (number, phrase, description and an empty line), then
  // recomputes digits and slots. Lines missing at the end of the file read
  // as empty. Returns false when the file had already ended before the
  // record's first line, so a reader never makes entries the file cannot hold.
  // Sets *damaged when a line of the record is missing, lacks its tag, or
  // the closing line is not empty; leaves it alone otherwise.
  bool ReadRecord(std::FILE* file, bool* damaged = nullptr);
  // Writes the record's four lines.
  void WriteRecord(std::FILE* file) const;

 private:
  std::string number_;
  std::string phrase_;
  std::string description_;
  std::string digits_;
  std::vector<std::string> slots_;
};

}  // namespace tq
