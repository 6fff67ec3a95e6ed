// Every file the program writes goes through AtomicFile: the bytes go to a
// new temporary file beside the target (".tq-" and six random characters),
// and only when all of them were written, flushed and synced is the
// temporary renamed over the target. The folder is then synced too, so that
// the rename outlives a crash; a folder that cannot be opened or synced does
// not fail the write, as the new file is in place either way. A write, sync
// or rename that fails removes the temporary and leaves the old file as it
// was.
//
// Replacing must not change what is replaced. A symbolic link is followed and
// its target written (a loop of links is refused), the target's permission
// bits (and owner, where we may set it) go to the new file, and a read-only
// file, or anything but a plain file, is refused; a new file gets the
// permissions a plain fopen would give it. When a rename cannot keep the file
// what it was (the file has other hard links, its owner cannot be given to
// the new file) or the folder does not let us create the temporary but the
// file itself is writable, the new bytes are collected in memory and on
// Commit written into the file in place, cut to their length and synced;
// there is no rename then, and no folder sync. Should that fail, the old
// bytes are written back when they could be read first (the file opened for
// reading as well as writing); otherwise the file is left as the failure
// left it.
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

  // Prepares the write, discarding any earlier one; null when the target
  // cannot be written: an empty path, a loop of links, a file that is not a
  // plain file or is read-only, a new file whose folder is missing or does
  // not let us create it, or a file that can be opened neither way.
  std::FILE* Open();
  // Open, and when that fails, tell the user "Could not open file '<target>'
  // for writing." as every writer of the program does.
  std::FILE* OpenOrReport();
  std::FILE* File() const { return file_; }
  // Flushes, syncs and puts the new bytes in place. False when nothing is
  // open, when any write, the flush or the sync failed, or when the old file
  // could not be replaced; the old file then stays (written in place: see
  // above). Either way the file is closed.
  bool Commit();
  // Commit, and on failure tell the user: when the rename failed, that the
  // old file could not be replaced and was kept, with the system's reason;
  // for any other failure writeError.
  bool CommitOrReport(const std::string& writeError);
  // After a failed Commit: true when every byte was written but the old file
  // could not be replaced.
  bool ReplaceFailed() const { return replaceFailed_; }
  // Drops what was written: closes the file and removes the temporary. The
  // target is not touched.
  void Discard();

 private:
  // The two ways Open prepares: a temporary beside the file, or the file
  // itself, written in place.
  int CreateTemporary();  // its descriptor; -1 when it cannot be created
  void RemoveTemporary();
  std::FILE* OpenTemporaryStream(int fd);  // takes fd over
  std::FILE* OpenInPlace();
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

// Writes bytes to path through AtomicFile, showing nothing. Returns 0 on
// success, -1 when Open failed, -2 when writing failed, -3 when the bytes
// were written but the old file could not be replaced.
int WriteFileAtomically(const std::string& path, const std::string& bytes);

// Test hook: the next files opened by AtomicFile accept only this many bytes
// in all and then fail like a full disk. A negative value turns it off.
void SetWriteFaultForTesting(long long failAfterBytes);
// Test hook: while set, syncing a written file to the disk fails like an
// I/O error (the bytes were written, but the disk did not take them). The
// folder's sync after a rename is not affected.
void SetSyncFaultForTesting(bool fail);
// Test hook: how many folder syncs after a rename succeeded so far.
int FolderSyncsForTesting();

}  // namespace tq
