// Every file the program writes goes through AtomicFile: the bytes go to a
// temporary file beside the target, and only when all of them were written,
// flushed and synced is the temporary renamed over the target. A write that
// fails part-way removes the temporary and leaves the old file as it was.
#pragma once

#include <cstdio>
#include <string>

namespace tq {

class AtomicFile {
 public:
  explicit AtomicFile(std::string targetPath);
  ~AtomicFile();  // discards an uncommitted temporary
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file; null when it cannot be created (the target's
  // folder is missing or not writable).
  std::FILE* Open();
  // Open, and when that fails, tell the user "Could not open file '<target>'
  // for writing." as every writer of the program does.
  std::FILE* OpenOrReport();
  std::FILE* File() const { return file_; }
  // Flushes, syncs and renames over the target. False when any write failed
  // or the rename did not happen; the temporary is then removed.
  bool Commit();
  void Discard();

 private:
  std::string target_;
  std::string temp_;
  std::FILE* file_ = nullptr;
  int fd_ = -1;
};

// Writes bytes to path through AtomicFile. Returns 0 on success, -1 when the
// file could not be created, -2 when writing failed.
int WriteFileAtomically(const std::string& path, const std::string& bytes);

// Test hook: the next files opened by AtomicFile accept only this many bytes
// in all and then fail like a full disk. A negative value turns it off.
void SetWriteFaultForTesting(long long failAfterBytes);

}  // namespace tq
