#include "AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <sys/stat.h>

#include "Messages.h"
#include "Paths.h"

namespace tq {
namespace {

long long faultBudget = -1;

// A stream that writes through to a descriptor until the test budget is spent.
struct FaultyStream {
  int fd;
};

ssize_t FaultyWrite(void* cookie, const char* buf, size_t size) {
  auto* s = static_cast<FaultyStream*>(cookie);
  if (faultBudget >= 0) {
    if (static_cast<long long>(size) > faultBudget) {
      size = static_cast<size_t>(faultBudget);
      faultBudget = 0;
      if (size == 0) {
        errno = ENOSPC;
        return -1;
      }
    } else {
      faultBudget -= static_cast<long long>(size);
    }
  }
  return ::write(s->fd, buf, size);
}

int FaultyClose(void* cookie) {
  auto* s = static_cast<FaultyStream*>(cookie);
  const int rc = ::close(s->fd);
  delete s;
  return rc;
}

}  // namespace

void SetWriteFaultForTesting(long long failAfterBytes) { faultBudget = failAfterBytes; }

AtomicFile::AtomicFile(std::string targetPath) : target_(std::move(targetPath)) {}

AtomicFile::~AtomicFile() { Discard(); }

std::FILE* AtomicFile::Open() {
  Discard();
  std::string pattern = DirectoryOf(target_) + "." + FileNameOf(target_) + ".XXXXXX";
  fd_ = ::mkstemp(pattern.data());
  if (fd_ < 0) return nullptr;
  temp_ = pattern;
  // Keep the permissions a plain fopen would have given the file.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat st {};
  const mode_t mode = ::stat(target_.c_str(), &st) == 0 ? (st.st_mode & 07777) : (0666 & ~mask);
  ::fchmod(fd_, mode);
  if (faultBudget >= 0) {
    cookie_io_functions_t io{};
    io.write = FaultyWrite;
    io.close = FaultyClose;
    file_ = ::fopencookie(new FaultyStream{fd_}, "w", io);
  } else {
    file_ = ::fdopen(fd_, "wb");
  }
  if (!file_) {
    ::close(fd_);
    ::unlink(temp_.c_str());
    temp_.clear();
  }
  fd_ = -1;  // owned by the stream from here on
  return file_;
}

std::FILE* AtomicFile::OpenOrReport() {
  std::FILE* file = Open();
  if (!file) ShowError("Could not open file '" + target_ + "' for writing.");
  return file;
}

bool AtomicFile::Commit() {
  if (!file_) return false;
  bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
  if (ok) {
    const int fd = ::fileno(file_);
    if (fd >= 0) ::fsync(fd);
  }
  ok = (std::fclose(file_) == 0) && ok;
  file_ = nullptr;
  if (ok) ok = ::rename(temp_.c_str(), target_.c_str()) == 0;
  if (!ok) ::unlink(temp_.c_str());
  temp_.clear();
  return ok;
}

void AtomicFile::Discard() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
}

int WriteFileAtomically(const std::string& path, const std::string& bytes) {
  AtomicFile out(path);
  std::FILE* f = out.Open();
  if (!f) return -1;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  return out.Commit() ? 0 : -2;
}

}  // namespace tq
