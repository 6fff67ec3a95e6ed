// The document of the program: an ordered list of number entries, the path of
// the file it belongs to and a flag for unsaved changes. It reads and writes
// the worksheet text file (.tqw): a header line, a count line, then four
// lines per entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RNumber.h"

namespace tq {

inline constexpr int32_t kWorksheetVersion = 1;
// The longest file taken for a worksheet: thousands of numbers of ten
// thousand digits each, far more than anyone keeps. A longer one is refused
// rather than read into memory.
inline constexpr std::size_t kMaxWorksheetFile = std::size_t{256} << 20;

class RWorksheet {
 public:
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& fileName) { fileName_ = fileName; }
  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

  // Releases every entry.
  void Clear() { numbers_.clear(); }
  int32_t Count() const { return static_cast<int32_t>(numbers_.size()); }
  // Index 0 to Count()-1; callers keep to the range.
  RNumber& At(int32_t index) { return *numbers_[static_cast<std::size_t>(index)]; }
  const RNumber& At(int32_t index) const { return *numbers_[static_cast<std::size_t>(index)]; }
  // Inserts before index (appends at Count()); the worksheet takes ownership.
  void Insert(std::unique_ptr<RNumber> entry, int32_t index);
  // Takes the entry out of the list and hands it to the caller.
  std::unique_ptr<RNumber> Remove(int32_t index);

  // How many entries have any of `words` among their chosen words.
  int32_t PhrasesUsing(std::vector<std::string> words) const;

  // Reads the file named by FileName, replacing the entries. Shows its own
  // message and returns false on failure. Neither Load nor Save touches
  // FileName or Modified; the main window does.
  bool Load();
  // After a Load that succeeded: empty when the file was read as it was
  // written; else a sentence for the status bar saying that the file was
  // damaged (or comes from a newer version) and how many entries were read,
  // so that the user does not save the damaged copy over a good one unaware.
  const std::string& LoadNote() const { return loadNote_; }
  // Writes the file named by FileName, leaving out trailing empty entries.
  // The old file stays as it was unless every byte of the new one was written.
  // Before the first save over a file that was not read as it was written,
  // its bytes are kept beside it (name.tqw.damaged, or name.tqw.newer for a
  // newer version's file; see KeepAside); when they cannot be, the error says
  // so and nothing is written.
  bool Save();
  // After a Save that succeeded: empty, or a sentence for the status bar
  // saying where the file read as damaged was kept.
  const std::string& SaveNote() const { return saveNote_; }

 private:
  std::string fileName_;
  std::string loadNote_;
  // The file read not as it was written, until its bytes are kept, and
  // whether it came from a newer version; where they were kept, until a
  // save succeeds.
  std::string keepBeforeSave_;
  bool readNewer_ = false;
  std::string keptAs_;
  std::string saveNote_;
  std::vector<std::unique_ptr<RNumber>> numbers_;
  bool modified_ = false;
};

}  // namespace tq
