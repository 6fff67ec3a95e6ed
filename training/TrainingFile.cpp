#include "TrainingFile.h"

#include <charconv>
#include <cstdio>

#include "AtomicFile.h"
#include "FileIO.h"
#include "Messages.h"
#include "Paths.h"

namespace tq {

std::string TrainingHeader(const char* magic, int version) {
  return std::string("#") + magic + " - " + std::to_string(version);
}

TrainingLoad CheckTrainingHeader(std::string_view line, const char* magic, int version) {
  if (line == TrainingHeader(magic, version)) return TrainingLoad::Loaded;
  // A later version may hold anything after its header; it is not ours to judge.
  const std::string prefix = std::string("#") + magic + " - ";
  int64_t later = 0;
  if (line.substr(0, prefix.size()) == prefix && ParseTrainingNumber(line.substr(prefix.size()), version + 1, INT32_MAX, later))
    return TrainingLoad::Newer;
  return TrainingLoad::Damaged;
}

bool SplitTrainingFields(std::string_view line, std::string_view* fields, int count) {
  for (int i = 0; i < count; ++i) {
    const std::size_t blank = i + 1 < count ? line.find(' ') : std::string_view::npos;
    fields[i] = line.substr(0, blank);
    if (fields[i].empty() || fields[i].find(' ') != std::string_view::npos) return false;
    if (blank == std::string_view::npos) {
      if (i + 1 < count) return false;
    } else {
      line.remove_prefix(blank + 1);
    }
  }
  return true;
}

bool ParseTrainingNumber(std::string_view text, int64_t low, int64_t high, int64_t& value) {
  if (text.empty() || text.size() > 18) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value >= low && value <= high;
}

TrainingLoad ReadTrainingFile(const std::string& path, std::size_t limit, const TrainingParser& parse,
                              std::string* reason) {
  if (path.empty()) return TrainingLoad::Missing;
  std::string text;
  switch (ReadFileUpTo(path, limit, text, reason)) {
    case FileRead::Missing: return TrainingLoad::Missing;
    case FileRead::NotAFile:  // a folder or a pipe: nothing to read, nothing to write over
    case FileRead::Unreadable: return TrainingLoad::Unreadable;
    case FileRead::Read: break;
  }
  return parse(text);
}

RTrainingSave SaveTrainingFile(const std::string& path, std::size_t limit, const TrainingParser& check,
                               const std::string& text) {
  RTrainingSave save;
  save.found = ReadTrainingFile(path, limit, check, &save.reason);
  switch (save.found) {
    case TrainingLoad::Missing:
    case TrainingLoad::Loaded:
      save.reason.clear();
      break;
    case TrainingLoad::Unreadable:
    case TrainingLoad::Newer:
      return save;
    case TrainingLoad::Damaged:
      save.reason.clear();
      save.keptAs = KeepAside(path, ".damaged", KeepBy::Moving, save.reason);
      if (save.keptAs.empty()) return save;
      break;
  }
  MakeDirectories(DirectoryOf(path));
  AtomicFile out(path);
  std::FILE* file = out.OpenOrReport();
  if (!file) return save;
  std::fwrite(text.data(), 1, text.size(), file);
  save.written = out.CommitOrReport("Error writing to file '" + NativeText(path) + "'. The disk could be full.");
  return save;
}

std::string RTrainingFile::Untouched(TrainingLoad found, const std::string& reason) const {
  const std::string file = "the " + what_ + " '" + NativeText(path_) + "'";
  switch (found) {
    case TrainingLoad::Unreadable: return file + " could not be read (" + NativeText(reason) + ")";
    case TrainingLoad::Newer: return file + " is from a newer version of Tessaloquine";
    default: return file + " is damaged and could not be set aside (" + NativeText(reason) + ")";
  }
}

void RTrainingFile::Open(const std::string& path, const TrainingParser& parse, const std::string& writePath) {
  path_ = path;
  writePath_ = writePath.empty() ? path : writePath;
  foundReason_.clear();
  found_ = ReadTrainingFile(path_, limit_, parse, &foundReason_);
  if (found_ == TrainingLoad::Damaged) {
    ShowStatusAlert("The " + what_ + " '" + NativeText(path_) +
                    "' is damaged; it starts afresh. It will be kept aside, not overwritten.");
  } else if (Untouchable()) {
    std::string text = Untouched(found_, foundReason_) + ". It is left as it is, and this drill is not saved.";
    text[0] = 'T';
    ShowStatusAlert(text);
  }
}

bool RTrainingFile::Write(const std::string& text, const TrainingParser& check) {
  // A file found unreadable or newer stays so even if it reads now: what is
  // held here was started without it.
  if (Untouchable()) {
    ShowStatusAlert("The drill was not saved: " + Untouched(found_, foundReason_) + ".");
    return false;
  }
  const RTrainingSave save = SaveTrainingFile(writePath_, limit_, check, text);
  if (save.written) {
    found_ = TrainingLoad::Loaded;
    if (!save.keptAs.empty())
      ShowStatus("The damaged " + what_ + " was kept as '" + NativeText(save.keptAs) + "'.");
    return true;
  }
  if (save.found != TrainingLoad::Missing && save.found != TrainingLoad::Loaded)
    ShowStatusAlert("The drill was not saved: " + Untouched(save.found, save.reason) + ".");
  return false;
}

}  // namespace tq
