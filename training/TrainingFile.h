// What the training files share: the peg drill's record (PegDrillRecord.h)
// and the numbers drill's history (NumbersHistory.h) live in the user's data
// folder, beside their pegs, as Windows-1252 text files of lines that begin
// with a header "#<name> - <version>". Both are read as hostile and never
// written over unseen, as the practice file is:
//
// - a file that is there but cannot be opened or read (Unreadable), or that
//   a later version wrote (Newer), is left as it is, and the drill goes on
//   without writing it;
// - a damaged file is moved aside (KeepAside: name.damaged, .damaged2, ...)
//   before the first write over it, and the drill starts afresh.
//
// RTrainingFile is what a drill window holds of its file: what was found
// when it was read, so that a file found unreadable stays unwritten even if
// it reads later, and the one place that says what became of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "DataPaths.h"

namespace tq {

enum class TrainingLoad { Missing, Loaded, Unreadable, Damaged, Newer };

// "#<magic> - <version>", without a line end.
std::string TrainingHeader(const char* magic, int version);
// The first line of a file: Loaded for this version's header, Newer for a
// later version's, Damaged for anything else.
TrainingLoad CheckTrainingHeader(std::string_view line, const char* magic, int version);

// Splits a line at single blanks into exactly `count` fields; false for any
// other shape (doubled blanks, a trailing blank, a missing field).
bool SplitTrainingFields(std::string_view line, std::string_view* fields, int count);
// A plain decimal between low and high: digits only, no sign, no blanks.
bool ParseTrainingNumber(std::string_view text, int64_t low, int64_t high, int64_t& value);

// Parses a whole file's text: fills the caller's record only when it returns
// Loaded. A text longer than `limit` is Damaged, or Newer when its first line
// says so.
using TrainingParser = std::function<TrainingLoad(const std::string& text)>;

// Reads at most limit + 1 bytes of the file and parses them. Missing for an
// empty path or no file; Unreadable (with the system's reason) for a file
// that could not be opened or read.
TrainingLoad ReadTrainingFile(const std::string& path, std::size_t limit, const TrainingParser& parse,
                              std::string* reason = nullptr);

// What SaveTrainingFile found at the path and did.
struct RTrainingSave {
  bool written = false;
  TrainingLoad found = TrainingLoad::Missing;
  std::string keptAs;  // where a damaged file was set aside
  std::string reason;  // why it was left alone, or the rename's failure
};
// Writes `text` through the atomic writer, but never over a file that could
// not be taken in; what is there is read again first (with `check`, a parser
// that fills nothing of the caller's). A damaged one is moved aside first;
// when that fails, or the file is unreadable or newer, nothing is written.
// Shows nothing but the writer's own errors.
RTrainingSave SaveTrainingFile(const std::string& path, std::size_t limit, const TrainingParser& check,
                               const std::string& text);

class RTrainingFile {
 public:
  // what: how messages name the file ("peg drill record"); limit: the
  // reader's bound in bytes.
  RTrainingFile(std::string what, std::size_t limit) : what_(std::move(what)), limit_(limit) {}

  // Reads the file at path through `parse`. A file that cannot be taken in
  // is said in the status bar, as an alert, with what is done with it.
  // Written back to the same path, or (writePath) to another one.
  void Open(const std::string& path, const TrainingParser& parse, const std::string& writePath = {});
  // The user's file of this name: read where UserFileToRead finds it,
  // written where UserFileToWrite says.
  void Open(const DataPaths& paths, const char* name, const TrainingParser& parse) {
    Open(UserFileToRead(paths, name), parse, UserFileToWrite(paths, name));
  }
  // Writes the text unless the file was found unreadable or newer, when it
  // was opened or now; a damaged one is kept aside first. The status bar
  // says where a damaged file went, or why nothing was written (the writer
  // shows its own errors). True when written.
  bool Write(const std::string& text, const TrainingParser& check);

  const std::string& Path() const { return path_; }
  TrainingLoad Found() const { return found_; }

 private:
  bool Untouchable() const { return found_ == TrainingLoad::Unreadable || found_ == TrainingLoad::Newer; }
  // Why the file is left as it is: a sentence without its full stop.
  std::string Untouched(TrainingLoad found, const std::string& reason) const;

  std::string what_;
  std::size_t limit_;
  std::string path_;
  std::string writePath_;
  TrainingLoad found_ = TrainingLoad::Missing;
  std::string foundReason_;
};

}  // namespace tq
