#include "AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Messages.h"

namespace tq {
namespace {

long long faultBudget = -1;
bool syncFault = false;
int folderSyncs = 0;

// fsync, or the failure a test asked for.
bool SyncFile(int fd) {
  if (syncFault) {
    errno = EIO;
    return false;
  }
  return ::fsync(fd) == 0;
}

// Takes size bytes from the test budget; the count that may still be written.
size_t Budgeted(size_t size) {
  if (faultBudget < 0) return size;
  if (static_cast<long long>(size) > faultBudget) size = static_cast<size_t>(faultBudget);
  faultBudget -= static_cast<long long>(size);
  return size;
}

// A stream that writes through to a descriptor until the test budget is spent.
struct FaultyStream {
  int fd;
};

ssize_t FaultyWrite(void* cookie, const char* buf, size_t size) {
  auto* s = static_cast<FaultyStream*>(cookie);
  size = Budgeted(size);
  if (size == 0) {
    errno = ENOSPC;
    return -1;
  }
  return ::write(s->fd, buf, size);
}

int FaultyClose(void* cookie) {
  auto* s = static_cast<FaultyStream*>(cookie);
  const int rc = ::close(s->fd);
  delete s;
  return rc;
}

// Writes all of data at offset 0 on; false on any failure. The test budget
// applies unless bypassed (putting old bytes back is never made to fail).
bool WriteAllAt(int fd, const char* data, size_t size, bool budgeted) {
  size_t done = 0;
  while (done < size) {
    size_t chunk = size - done;
    if (budgeted) {
      chunk = Budgeted(chunk);
      if (chunk == 0) return false;
    }
    const ssize_t n = ::pwrite(fd, data + done, chunk, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto p = path.rfind('/');
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

// The file a path finally names, its symbolic links followed (a dangling
// link names the file it would create). False for a loop of links.
bool FollowLinks(std::string path, std::string& out) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      out = path;
      return true;
    }
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4095) + 1, '\0');
    const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
    if (n <= 0) return false;
    link.resize(static_cast<std::size_t>(n));
    path = link[0] == '/' ? link : FolderOf(path) + link;
  }
  return false;
}

// Whether the file there may be replaced at all. Read-only means read-only,
// even to a user the system would let write; anything but a plain file (a
// folder, a device) is never ours to replace.
bool MayReplace(const std::string& path, const struct stat& st) {
  return S_ISREG(st.st_mode) && (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

// A short name of our own beside the file, for mkstemp: the file's name may
// already be as long as a name can be.
std::string TemporaryNamePattern(const std::string& path) { return FolderOf(path) + ".tq-XXXXXX"; }

// The permissions a plain fopen would have given a new file.
void GiveNewFileMode(int fd) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
}

// Gives the temporary the replaced file's permission bits and, when its
// owner or group is not ours, those; false when they cannot be given.
bool TakeOverModeAndOwner(int fd, const struct stat& old) {
  ::fchmod(fd, old.st_mode & 07777);
  if (old.st_uid == ::geteuid() && old.st_gid == ::getegid()) return true;
  return ::fchown(fd, old.st_uid, old.st_gid) == 0;
}

// A stream on fd that fails like a full disk once the test budget is spent;
// closing it closes fd.
std::FILE* OpenFaultyStream(int fd) {
  cookie_io_functions_t io{};
  io.write = FaultyWrite;
  io.close = FaultyClose;
  auto* stream = new FaultyStream{fd};
  std::FILE* file = ::fopencookie(stream, "w", io);
  if (!file) delete stream;
  return file;
}

}  // namespace

void SetWriteFaultForTesting(long long failAfterBytes) { faultBudget = failAfterBytes; }
void SetSyncFaultForTesting(bool fail) { syncFault = fail; }
int FolderSyncsForTesting() { return folderSyncs; }

AtomicFile::AtomicFile(std::string targetPath) : target_(std::move(targetPath)) {}

AtomicFile::~AtomicFile() { Discard(); }

std::FILE* AtomicFile::Open() {
  Discard();
  replaceFailed_ = false;
  reason_.clear();
  if (target_.empty() || !FollowLinks(target_, written_)) return nullptr;
  struct stat old {};
  const bool exists = ::stat(written_.c_str(), &old) == 0;
  if (exists && !MayReplace(written_, old)) return nullptr;
  // A rename would cut the file from its other names.
  if (exists && old.st_nlink > 1) return OpenInPlace();
  const int fd = CreateTemporary();
  // The folder does not let us create files; the file itself may still be
  // writable in place.
  if (fd < 0) return exists ? OpenInPlace() : nullptr;
  if (!exists) {
    GiveNewFileMode(fd);
  } else if (!TakeOverModeAndOwner(fd, old)) {
    // A file of another owner is written in place, as it stays theirs.
    ::close(fd);
    RemoveTemporary();
    return OpenInPlace();
  }
  return OpenTemporaryStream(fd);
}

int AtomicFile::CreateTemporary() {
  std::string name = TemporaryNamePattern(written_);
  const int fd = ::mkstemp(name.data());
  if (fd >= 0) temp_ = name;
  return fd;
}

void AtomicFile::RemoveTemporary() {
  if (temp_.empty()) return;
  ::unlink(temp_.c_str());
  temp_.clear();
}

std::FILE* AtomicFile::OpenTemporaryStream(int fd) {
  file_ = faultBudget >= 0 ? OpenFaultyStream(fd) : ::fdopen(fd, "wb");
  if (!file_) {
    ::close(fd);
    RemoveTemporary();
    return nullptr;
  }
  tempFd_ = fd;
  return file_;
}

std::FILE* AtomicFile::OpenInPlace() {
  direct_ = true;
  directFd_ = ::open(written_.c_str(), O_RDWR | O_CLOEXEC);
  if (directFd_ < 0) directFd_ = ::open(written_.c_str(), O_WRONLY | O_CLOEXEC);
  if (directFd_ < 0) return nullptr;
  file_ = ::open_memstream(&buffer_, &bufferSize_);
  if (!file_) {
    ::close(directFd_);
    directFd_ = -1;
  }
  return file_;
}

std::FILE* AtomicFile::OpenOrReport() {
  std::FILE* file = Open();
  if (!file) ShowError("Could not open file '" + NativeText(target_) + "' for writing.");
  return file;
}

bool AtomicFile::CommitDirect() {
  bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (ok) {
    // Keep the old bytes, to put them back should the new ones not fit.
    std::string old;
    struct stat st {};
    bool haveOld = ::fstat(directFd_, &st) == 0;
    if (haveOld) {
      old.resize(static_cast<std::size_t>(st.st_size));
      std::size_t got = 0;
      while (got < old.size()) {
        const ssize_t n = ::pread(directFd_, old.data() + got, old.size() - got, static_cast<off_t>(got));
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
      }
      haveOld = got == old.size();
    }
    ok = WriteAllAt(directFd_, buffer_, bufferSize_, true) &&
         ::ftruncate(directFd_, static_cast<off_t>(bufferSize_)) == 0 && SyncFile(directFd_);
    // Nothing more can be done should putting them back fail too.
    if (!ok && haveOld && WriteAllAt(directFd_, old.data(), old.size(), false)) {
      const int restored = ::ftruncate(directFd_, static_cast<off_t>(old.size()));
      static_cast<void>(restored);
    }
  }
  ::close(directFd_);
  directFd_ = -1;
  std::free(buffer_);
  buffer_ = nullptr;
  bufferSize_ = 0;
  return ok;
}

bool AtomicFile::Commit() {
  replaceFailed_ = false;
  if (!file_) return false;
  if (direct_) return CommitDirect();
  // Bytes that never reached the disk must not take the old file's place:
  // a crash after the rename would leave neither version.
  bool ok = std::fflush(file_) == 0 && !std::ferror(file_) && SyncFile(tempFd_);
  ok = (std::fclose(file_) == 0) && ok;
  file_ = nullptr;
  tempFd_ = -1;
  if (ok && ::rename(temp_.c_str(), written_.c_str()) != 0) {
    ok = false;
    replaceFailed_ = true;
    reason_ = std::strerror(errno);
  }
  if (ok) {
    temp_.clear();
    SyncFolder();
  } else {
    RemoveTemporary();
  }
  return ok;
}

void AtomicFile::SyncFolder() const {
  // The rename lives in the folder: until the folder is synced, a crash can
  // bring back the old name. The new file is in place either way, so a
  // folder that cannot be synced (some file systems refuse) is no failure.
  const std::string folder = FolderOf(written_);
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  if (::fsync(fd) == 0) ++folderSyncs;
  ::close(fd);
}

bool AtomicFile::CommitOrReport(const std::string& writeError) {
  if (Commit()) return true;
  if (replaceFailed_)
    ShowError("Error writing to file '" + NativeText(target_) + "'. The old file could not be replaced (" + reason_ +
              ") and was kept as it was.");
  else
    ShowError(writeError);
  return false;
}

void AtomicFile::Discard() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  tempFd_ = -1;
  if (directFd_ >= 0) {
    ::close(directFd_);
    directFd_ = -1;
  }
  std::free(buffer_);
  buffer_ = nullptr;
  bufferSize_ = 0;
  direct_ = false;
  RemoveTemporary();
}

int WriteFileAtomically(const std::string& path, const std::string& bytes) {
  AtomicFile out(path);
  std::FILE* f = out.Open();
  if (!f) return -1;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  if (out.Commit()) return 0;
  return out.ReplaceFailed() ? -3 : -2;
}

}  // namespace tq
