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

struct ReadFile {
  std::FILE* file;
  explicit ReadFile(const std::string& path) : file(std::fopen(path.c_str(), "rb")) {}
  ~ReadFile() {
    if (file) std::fclose(file);
  }
  ReadFile(const ReadFile&) = delete;
  ReadFile& operator=(const ReadFile&) = delete;
};

}  // namespace

int32_t RConfig::*const RConfig::kIntegers[16] = {
    &RConfig::maximized_,        &RConfig::windowLeft_,        &RConfig::windowTop_,
    &RConfig::windowWidth_,      &RConfig::windowHeight_,      &RConfig::showTips_,
    &RConfig::tipIndex_,         &RConfig::showDescription_,   &RConfig::reserved_,
    &RConfig::askSave_,          &RConfig::askDelete_,         &RConfig::numbersPanelWidth_,
    &RConfig::numberColumnWidth_, &RConfig::phraseColumnWidth_, &RConfig::descriptionColumnWidth_,
    &RConfig::wordListWidth_};

bool RConfig::Load() {
  ReadFile in(fileName_);
  if (!in.file) return false;  // the first run has no file yet
  const std::string corrupt = "The configuration file '" + fileName_ + "' is corrupt. Please delete.";

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
  WriteInt32(file, GetHistoryCount());
  for (const auto& entry : history_) WriteCountedString(entry, file);
  WriteCountedString(lastDirectory_, file);
  for (auto field : kIntegers) WriteInt32(file, this->*field);
  WriteMagic(kTrailer, file, kConfigVersion);
  if (!out.Commit()) {
    // The doubled word is the message as users have always seen it.
    ShowError("Error writing to file file '" + fileName_ + "'.");
    return false;
  }
  return true;
}

void RConfig::AddToHistory(const std::string& path) {
  // Case is compared by the Windows-1252 rules, not by the locale the
  // program happens to run in, so the same two paths always compare the same.
  const std::string key = ToLower1252(path);
  for (auto it = history_.begin(); it != history_.end(); ++it) {
    if (ToLower1252(*it) == key) {
      history_.erase(it);
      break;
    }
  }
  history_.insert(history_.begin(), path);
  while (GetHistoryCount() > kMaxHistory) history_.pop_back();
}

}  // namespace tq
