#include "RConfig.h"

#include <cstdio>

#include "AtomicFile.h"
#include "FileIO.h"
#include "Messages.h"
#include "Paths.h"
#include "Text.h"

namespace tq {
namespace {

constexpr const char* kMagic = "%TQC";
constexpr const char* kTrailer = "END";

}  // namespace

int32_t RConfig::*const RConfig::kIntegers[16] = {
    &RConfig::maximized_,        &RConfig::windowLeft_,        &RConfig::windowTop_,
    &RConfig::windowWidth_,      &RConfig::windowHeight_,      &RConfig::showTips_,
    &RConfig::tipIndex_,         &RConfig::showDescription_,   &RConfig::reserved_,
    &RConfig::askSave_,          &RConfig::askDelete_,         &RConfig::numbersPanelWidth_,
    &RConfig::numberColumnWidth_, &RConfig::phraseColumnWidth_, &RConfig::descriptionColumnWidth_,
    &RConfig::wordListWidth_};

bool RConfig::Load() {
  std::string bytes;
  std::string reason;
  switch (ReadFileUpTo(fileName_, kConfigFileRead, bytes, &reason)) {
    case FileRead::Read:
      break;
    case FileRead::NotAFile:
      ShowError("The configuration file '" + NativeText(fileName_) + "' could not be read: " + reason + ".");
      return false;
    case FileRead::Missing:  // the first run has no file yet
    case FileRead::Unreadable:
      return false;
  }
  BytesStream in(bytes);
  if (!in.file) return false;
  const std::string corrupt = "The configuration file '" + NativeText(fileName_) + "' is corrupt. Please delete.";

  int32_t version = 0;
  if (!ReadMagic(kMagic, in.file, &version)) {
    ShowError(corrupt);
    return false;
  }
  // A file that ends inside its version number is damaged, not of another version.
  if (std::feof(in.file) || std::ferror(in.file)) {
    ShowError(corrupt);
    return false;
  }
  if (version != kConfigVersion) return false;

  // From here on every value is taken only once it was read whole and makes
  // sense. At the first damage reading stops: what came before is kept, and
  // everything after keeps its default, because its position in the file
  // can no longer be trusted.
  int32_t count = 0;
  if (!ReadInt32(in.file, count) || count < 0 || count > kMaxHistory) {
    ShowError(corrupt);
    return false;
  }
  std::vector<std::string> history;
  for (int32_t i = 0; i < count; ++i) {
    bool ok = false;
    std::string entry = ReadCountedString(in.file, &ok);
    if (!ok) {
      history_ = std::move(history);
      ShowError(corrupt);
      return false;
    }
    history.push_back(std::move(entry));
  }
  history_ = std::move(history);

  bool ok = false;
  std::string directory = ReadCountedString(in.file, &ok);
  if (!ok) {
    ShowError(corrupt);
    return false;
  }
  lastDirectory_ = std::move(directory);

  for (auto field : kIntegers) {
    int32_t value = 0;
    if (!ReadInt32(in.file, value)) {
      ShowError(corrupt);
      return false;
    }
    // Only damage puts a tip index below -1 into the file; the tip dialog
    // would then look outside its table.
    if (field == &RConfig::tipIndex_ && value < -1) value = -1;
    this->*field = value;
  }

  // The trailer's version is read and thrown away, but a file cut off inside
  // it is still a damaged file.
  if (!ReadMagic(kTrailer, in.file) || std::feof(in.file) || std::ferror(in.file)) {
    ShowError(corrupt);
    return false;
  }
  return true;
}

bool RConfig::Save() const {
  if (makeFolder_) MakeDirectories(DirectoryOf(fileName_));
  AtomicFile out(fileName_);
  std::FILE* file = out.OpenOrReport();
  if (!file) return false;
  WriteMagic(kMagic, file, kConfigVersion);
  // Never write what Load would refuse: one such string would cost the user
  // every setting at the next start. The setters keep them out; this is the
  // last guard.
  std::vector<const std::string*> history;
  for (const auto& entry : history_)
    if (Storable(entry)) history.push_back(&entry);
  WriteInt32(file, static_cast<int32_t>(history.size()));
  for (const std::string* entry : history) WriteCountedString(*entry, file);
  WriteCountedString(Storable(lastDirectory_) ? lastDirectory_ : std::string(), file);
  for (auto field : kIntegers) WriteInt32(file, this->*field);
  WriteMagic(kTrailer, file, kConfigVersion);
  // The doubled word is the message as users have always seen it.
  if (!out.CommitOrReport("Error writing to file file '" + NativeText(fileName_) + "'.")) return false;
  return true;
}

bool RConfig::Storable(const std::string& text) {
  return text.size() <= static_cast<std::size_t>(kMaxCountedString) && text.find('\0') == std::string::npos;
}

bool RConfig::SetLastDirectory(const std::string& directory) {
  if (!Storable(directory)) return false;
  lastDirectory_ = directory;
  return true;
}

bool RConfig::AddToHistory(const std::string& path) {
  if (!Storable(path)) return false;
  // Two names that differ only in letter case are two files here: the
  // second must not push the first out of the menu.
  for (auto it = history_.begin(); it != history_.end(); ++it) {
    if (SamePath(*it, path)) {
      history_.erase(it);
      break;
    }
  }
  history_.insert(history_.begin(), path);
  while (GetHistoryCount() > kMaxHistory) history_.pop_back();
  return true;
}

}  // namespace tq
