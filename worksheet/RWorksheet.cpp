#include "RWorksheet.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <utility>

#include "AtomicFile.h"
#include "FileIO.h"
#include "Messages.h"
#include "Paths.h"
#include "Text.h"

namespace tq {
namespace {

// Room made before reading the first record. A file's count is only a claim:
// the entries are made as the records are actually read, never all at once
// from the count, so a file announcing two billion records cannot take the
// memory for them.
constexpr int32_t kInitialRoom = 64;

bool Expect(std::FILE* file, const char* literal) {
  for (const char* p = literal; *p; ++p) {
    const int c = std::getc(file);
    if (c != static_cast<unsigned char>(*p)) {
      if (c != EOF) std::ungetc(c, file);
      return false;
    }
  }
  return true;
}

// Reads the count line by the pattern "#Count = %d\n": a blank in the pattern
// matches any run of white space, none included, and the closing line end
// swallows every white-space character that follows. Leaves count untouched
// when the line does not match. A value beyond the 32-bit range is held at
// its limit; it is only a claim anyway.
void ReadCountLine(std::FILE* file, int32_t& count) {
  if (!Expect(file, "#Count")) return;
  SkipSpace(file);
  if (!Expect(file, "=")) return;
  SkipSpace(file);
  int c = std::getc(file);
  bool negative = false;
  if (c == '-' || c == '+') {
    negative = c == '-';
    c = std::getc(file);
  }
  if (c == EOF || !std::isdigit(c)) return;
  long long value = 0;
  while (c != EOF && std::isdigit(c)) {
    if (value <= INT32_MAX) value = value * 10 + (c - '0');
    c = std::getc(file);
  }
  if (c != EOF) std::ungetc(c, file);
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  count = static_cast<int32_t>(value);
  SkipSpace(file);
}

}  // namespace

void RWorksheet::Insert(std::unique_ptr<RNumber> entry, int32_t index) {
  numbers_.insert(numbers_.begin() + index, std::move(entry));
}

std::unique_ptr<RNumber> RWorksheet::Remove(int32_t index) {
  auto it = numbers_.begin() + index;
  std::unique_ptr<RNumber> entry = std::move(*it);
  numbers_.erase(it);
  return entry;
}

int32_t RWorksheet::PhrasesUsing(std::vector<std::string> words) const {
  std::sort(words.begin(), words.end());
  int32_t count = 0;
  for (const auto& entry : numbers_) {
    const auto& slots = entry->Slots();
    if (std::any_of(slots.begin(), slots.end(),
                    [&](const std::string& slot) { return std::binary_search(words.begin(), words.end(), slot); }))
      ++count;
  }
  return count;
}

bool RWorksheet::Load() {
  loadNote_.clear();
  keepBeforeSave_.clear();
  std::string bytes;
  std::string reason;
  switch (ReadFileUpTo(fileName_, kMaxWorksheetFile, bytes, &reason)) {
    case FileRead::Read:
      break;
    case FileRead::NotAFile:
      ShowError("Could not read the file '" + NativeText(fileName_) + "': " + reason + ".");
      return false;
    case FileRead::Missing:
    case FileRead::Unreadable:
      ShowError("Could not read the file '" + NativeText(fileName_) + "'.");
      return false;
  }
  if (bytes.size() > kMaxWorksheetFile) {
    ShowError("The file '" + NativeText(fileName_) + "' is larger than " + std::to_string(kMaxWorksheetFile >> 20) +
              " MB and cannot be a worksheet.");
    return false;
  }
  BytesStream in(bytes);
  if (!in.file) {
    ShowError("Could not read the file '" + NativeText(fileName_) + "'.");
    return false;
  }
  int32_t version = 0;
  if (!ReadTextHeader(kProductName, in.file, &version)) {
    ShowError("The file '" + NativeText(fileName_) + "' did not contain a valid worksheet.");
    return false;
  }
  // Any version is read like the first: the format has never changed.
  Clear();
  int32_t count = -1;
  ReadCountLine(in.file, count);
  if (count < 0) {
    ShowError("Error reading the file '" + NativeText(fileName_) + "'.");
    return false;
  }
  numbers_.reserve(static_cast<std::size_t>(count < kInitialRoom ? count : kInitialRoom));
  bool damaged = false;
  for (int32_t i = 0; i < count; ++i) {
    auto entry = std::make_unique<RNumber>();
    // A file that ends before its announced count gives the records it has.
    if (!entry->ReadRecord(in.file, &damaged)) {
      damaged = true;
      break;
    }
    numbers_.push_back(std::move(entry));
  }
  if (std::ferror(in.file)) {
    ShowError("Error reading the file '" + NativeText(fileName_) + "'.");
    return false;
  }
  if (damaged || version > kWorksheetVersion) {
    const std::string read = CountOf(Count(), "entry", "entries") + (Count() == 1 ? " was read." : " were read.");
    // The status bar is narrow: what happened first, the file's name is in
    // the title; the note on a damaged file fits the window's first width.
    if (version > kWorksheetVersion)
      loadNote_ = "The worksheet comes from a newer version of the program (" + std::to_string(version) +
                  ") and may not have been read fully: " + read;
    else
      loadNote_ = "Damaged file: " + read;
    loadNote_ += " Save it under another name to keep the original.";
    keepBeforeSave_ = fileName_;
    readNewer_ = version > kWorksheetVersion;
  }
  return true;
}

bool RWorksheet::Save() {
  saveNote_.clear();
  if (!keepBeforeSave_.empty() && SamePath(keepBeforeSave_, fileName_) && FileExists(fileName_)) {
    std::string reason;
    keptAs_ = KeepAside(fileName_, readNewer_ ? ".newer" : ".damaged", KeepBy::Copying, reason);
    if (keptAs_.empty()) {
      ShowError("The worksheet file '" + NativeText(fileName_) + "' was not read as it was written, and a copy of it " +
                "could not be kept (" + reason + "). It was not saved over; save the worksheet under another name.");
      return false;
    }
    keepBeforeSave_.clear();
  }
  AtomicFile out(fileName_);
  std::FILE* file = out.OpenOrReport();
  if (!file) return false;
  int32_t n = Count();
  while (n > 0 && At(n - 1).IsEmpty()) --n;
  WriteTextHeader(kProductName, file, kWorksheetVersion);
  std::fprintf(file, "#Count = %d\n", static_cast<int>(n));
  for (int32_t i = 0; i < n; ++i) At(i).WriteRecord(file);
  // Only a complete file replaces the old one; after a failure the previous
  // file is still there and the worksheet stays modified.
  if (!out.CommitOrReport("Error writing to file '" + NativeText(fileName_) + "'. The disk could be full.")) return false;
  if (!keptAs_.empty())
    saveNote_ = std::string(readNewer_ ? "The newer version's" : "The damaged") + " worksheet file was kept as '" +
                NativeText(std::exchange(keptAs_, {})) + "'.";
  return true;
}

}  // namespace tq
