// Every file the program writes goes through AtomicFile: the bytes go to a
// temporary file beside the target, and only when all of them were written,
// flushed and synced is the temporary renamed over the target; the folder is
// then synced too, so that the rename outlives a crash. A write or sync that
// fails part-way removes the temporary and leaves the old file as it was.
//
// Replacing must not change what is replaced. A symbolic link is followed and
// its target written, the target's permission bits (and owner, where we may
// set it) go to the new file, and a read-only file is refused. When a rename
// cannot keep the file what it was (the file has other hard links, its owner
// cannot be given to the new file) or the folder does not let us create the
// temporary but the file itself is writable, the new bytes are collected in
// memory and written into the file in place; should that fail, the old bytes
// are written back.
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

  // Prepares the write; null when the target cannot be written (its folder
  // is missing, it is read-only, or neither it nor its folder is writable).
  std::FILE* Open();
  // Open, and when that fails, tell the user "Could not open file '<target>'
  // for writing." as every writer of the program does.
  std::FILE* OpenOrReport();
  std::FILE* File() const { return file_; }
  // Flushes, syncs and puts the new bytes in place. False when any write or
  // the sync failed or the old file could not be replaced; the old file then
  // stays.
  bool Commit();
  // Commit, and on failure tell the user: writeError when the bytes could
  // not be written, or, when the rename failed, that the old file could not
  // be replaced and was kept, with the system's reason.
  bool CommitOrReport(const std::string& writeError);
  // After a failed Commit: true when every byte was written but the old file
  // could not be replaced.
  bool ReplaceFailed() const { return replaceFailed_; }
  void Discard();

 private:
  bool CommitDirect();
  void SyncFolder() const;

  std::string target_;   // as the caller named it, for messages
  std::string written_;  // the file really written: symbolic links followed
  std::string temp_;
  std::FILE* file_ = nullptr;
  int tempFd_ = -1;  // the temporary's descriptor, owned by file_
  // Writing in place: the target stays open here, and the stream collects
  // the new bytes in memory until Commit.
  bool direct_ = false;
  int directFd_ = -1;
  char* buffer_ = nullptr;
  std::size_t bufferSize_ = 0;
  bool replaceFailed_ = false;
  std::string reason_;
};

// Writes bytes to path through AtomicFile. Returns 0 on success, -1 when the
// file could not be created, -2 when writing failed, -3 when the bytes were
// written but the old file could not be replaced.
int WriteFileAtomically(const std::string& path, const std::string& bytes);

// Test hook: the next files opened by AtomicFile accept only this many bytes
// in all and then fail like a full disk. A negative value turns it off.
void SetWriteFaultForTesting(long long failAfterBytes);
// Test hook: while set, syncing a written file to the disk fails like an
// I/O error (the bytes were written, but the disk did not take them).
void SetSyncFaultForTesting(bool fail);
// Test hook: how many folders were synced after a rename so far.
int FolderSyncsForTesting();

}  // namespace tq
