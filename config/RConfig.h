// Everything that survives a restart: the recent worksheets, the directory
// last used in a file dialog, the main window's placement and widths, the
// preferences and the tip-of-the-day position. One record per run, loaded
// from Tessaloquine.cfg beside the executable when the main window first
// shows, saved once at exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tq {

inline constexpr const char* kConfigFileName = "Tessaloquine.cfg";
inline constexpr int32_t kConfigVersion = 1;
// AddToHistory keeps at most this many paths, and no file of ours holds more.
inline constexpr int32_t kMaxHistory = 4;
// The most of the file Load reads: the longest record Save writes is about
// 5 KB, and the trailer ends the record, so nothing after this is looked at.
inline constexpr std::size_t kConfigFileRead = 64u << 10;

class RConfig {
 public:
  RConfig() = default;

  // Full path of the configuration file; set once after construction.
  const std::string& GetFileName() const { return fileName_; }
  void SetFileName(const std::string& fileName) { fileName_ = fileName; }
  // An installed program keeps the file in a folder of its own, which Save
  // makes when it is missing; beside the executable the folder must exist.
  void SetMakeFolder(bool makeFolder) { makeFolder_ = makeFolder; }

  // Reads the file; false (silently) when it is missing, cannot be read or
  // is of another version, false with the corrupt message when it is
  // damaged, and with a message naming it when something else than a file
  // (a folder, a named pipe) is there. A damaged file
  // still leaves a usable record: what was read soundly before the damage is
  // kept, the rest keeps its defaults.
  bool Load();
  // Writes the whole record; the old file stays as it was unless every byte
  // of the new one was written.
  bool Save() const;

  // Puts path at the front of the history, dropping an entry that names the
  // same file (SamePath: exactly, where the file system tells letter case
  // apart) and keeping at most kMaxHistory paths. A path
  // the file cannot hold (longer than a counted string may be, or holding a
  // zero byte) is not remembered: false, and the history stays as it was.
  bool AddToHistory(const std::string& path);
  int32_t GetHistoryCount() const { return static_cast<int32_t>(history_.size()); }
  // Index 0 is the most recent; callers keep to the range.
  const std::string& GetHistory(int32_t index) const { return history_[static_cast<std::size_t>(index)]; }

  const std::string& GetLastDirectory() const { return lastDirectory_; }
  // The same for the last directory: one the file cannot hold is not
  // remembered (false), and the previous one stays.
  bool SetLastDirectory(const std::string& directory);

  // True when the configuration file can hold the text as a counted string
  // that reads back the same.
  static bool Storable(const std::string& text);

  // The main window's place: whether it was maximized, and the client area
  // (without the window manager's frame) it has when it is not.
  int32_t GetMaximized() const { return maximized_; }
  void SetMaximized(int32_t v) { maximized_ = v; }
  int32_t GetWindowLeft() const { return windowLeft_; }
  void SetWindowLeft(int32_t v) { windowLeft_ = v; }
  int32_t GetWindowTop() const { return windowTop_; }
  void SetWindowTop(int32_t v) { windowTop_ = v; }
  int32_t GetWindowWidth() const { return windowWidth_; }
  void SetWindowWidth(int32_t v) { windowWidth_ = v; }
  int32_t GetWindowHeight() const { return windowHeight_; }
  void SetWindowHeight(int32_t v) { windowHeight_ = v; }
  int32_t GetShowTips() const { return showTips_; }
  void SetShowTips(int32_t v) { showTips_ = v; }
  // -1 (no tip shown yet) or the index of the next tip. Values below -1 can
  // only come from damage and are taken as -1, so the tip dialog never looks
  // below the start of its table.
  int32_t GetTipIndex() const { return tipIndex_; }
  void SetTipIndex(int32_t v) { tipIndex_ = v < -1 ? -1 : v; }
  int32_t GetShowDescription() const { return showDescription_; }
  void SetShowDescription(int32_t v) { showDescription_ = v; }
  int32_t GetAskSave() const { return askSave_; }
  void SetAskSave(int32_t v) { askSave_ = v; }
  int32_t GetAskDelete() const { return askDelete_; }
  void SetAskDelete(int32_t v) { askDelete_ = v; }
  int32_t GetNumbersPanelWidth() const { return numbersPanelWidth_; }
  void SetNumbersPanelWidth(int32_t v) { numbersPanelWidth_ = v; }
  int32_t GetNumberColumnWidth() const { return numberColumnWidth_; }
  void SetNumberColumnWidth(int32_t v) { numberColumnWidth_ = v; }
  int32_t GetPhraseColumnWidth() const { return phraseColumnWidth_; }
  void SetPhraseColumnWidth(int32_t v) { phraseColumnWidth_ = v; }
  int32_t GetDescriptionColumnWidth() const { return descriptionColumnWidth_; }
  void SetDescriptionColumnWidth(int32_t v) { descriptionColumnWidth_ = v; }
  int32_t GetWordListWidth() const { return wordListWidth_; }
  void SetWordListWidth(int32_t v) { wordListWidth_ = v; }

  friend bool operator==(const RConfig&, const RConfig&) = default;

 private:
  std::string fileName_;
  bool makeFolder_ = false;
  std::vector<std::string> history_;
  std::string lastDirectory_;
  // The sixteen integers, in the order the file stores them.
  int32_t maximized_ = 0;
  int32_t windowLeft_ = 16;
  int32_t windowTop_ = 16;
  int32_t windowWidth_ = 640;
  int32_t windowHeight_ = 480;
  int32_t showTips_ = 1;
  int32_t tipIndex_ = -1;
  int32_t showDescription_ = 1;
  int32_t reserved_ = 1;  // kept as it was read; nothing uses it
  int32_t askSave_ = 1;
  int32_t askDelete_ = 1;
  int32_t numbersPanelWidth_ = 169;
  int32_t numberColumnWidth_ = 82;
  int32_t phraseColumnWidth_ = 82;
  int32_t descriptionColumnWidth_ = 160;
  int32_t wordListWidth_ = 111;

  static int32_t RConfig::*const kIntegers[16];
};

}  // namespace tq
