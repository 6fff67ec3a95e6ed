#include "FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "AtomicFile.h"

namespace tq {

bool WriteInt32(std::FILE* file, int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  const unsigned char bytes[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                                  static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
  return std::fwrite(bytes, 1, 4, file) == 4;
}

bool ReadInt32(std::FILE* file, int32_t& value) {
  unsigned char bytes[4];
  if (std::fread(bytes, 1, 4, file) != 4) return false;
  const uint32_t u = uint32_t(bytes[0]) | (uint32_t(bytes[1]) << 8) | (uint32_t(bytes[2]) << 16) |
                     (uint32_t(bytes[3]) << 24);
  value = static_cast<int32_t>(u);
  return true;
}

int WriteMagic(const std::string& magic, std::FILE* file, int32_t version) {
  std::fwrite(magic.data(), 1, magic.size(), file);
  return WriteInt32(file, version) ? 1 : 0;
}

bool ReadMagic(const std::string& magic, std::FILE* file, int32_t* version) {
  std::string scratch(magic.size(), '\0');
  const std::size_t got = std::fread(scratch.data(), 1, scratch.size(), file);
  int32_t v = 0;
  const bool haveVersion = ReadInt32(file, v);
  if (version && haveVersion) *version = v;
  return got == magic.size() && scratch == magic;
}

void WriteCountedString(const std::string& text, std::FILE* file) {
  WriteInt32(file, static_cast<int32_t>(text.size()));
  if (!text.empty()) std::fwrite(text.data(), 1, text.size(), file);
}

std::string ReadCountedString(std::FILE* file, bool* ok) {
  if (ok) *ok = true;
  int32_t length = 0;
  if (!ReadInt32(file, length)) {
    if (ok) *ok = false;
    return {};
  }
  if (length <= 0) return {};
  if (length > kMaxCountedString) {
    if (ok) *ok = false;
    return {};
  }
  std::string text(static_cast<std::size_t>(length), '\0');
  if (std::fread(text.data(), 1, text.size(), file) != text.size()) {
    if (ok) *ok = false;
    return {};
  }
  const auto zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

void WriteTextHeader(const std::string& name, std::FILE* file, int32_t version) {
  std::fprintf(file, "#%s - %d\n", name.c_str(), static_cast<int>(version));
}

void SkipSpace(std::FILE* file) {
  int c;
  while ((c = std::getc(file)) != EOF && std::isspace(c)) {
  }
  if (c != EOF) std::ungetc(c, file);
}

bool ReadTextHeader(const std::string& name, std::FILE* file, int32_t* version) {
  constexpr std::size_t kMaxWord = 127;
  if (std::getc(file) != '#') return false;
  SkipSpace(file);
  std::string word;
  int c;
  while ((c = std::getc(file)) != EOF && !std::isspace(c)) {
    if (word.size() == kMaxWord) return false;
    word.push_back(static_cast<char>(c));
  }
  if (c != EOF) std::ungetc(c, file);
  if (word.empty()) return false;
  SkipSpace(file);
  if (std::getc(file) != '-') return false;
  SkipSpace(file);
  c = std::getc(file);
  bool negative = false;
  if (c == '-' || c == '+') {
    negative = c == '-';
    c = std::getc(file);
  }
  if (c == EOF || !std::isdigit(c)) return false;
  long long value = 0;
  while (c != EOF && std::isdigit(c)) {
    if (value < 10'000'000'000LL) value = value * 10 + (c - '0');
    c = std::getc(file);
  }
  if (c != EOF) std::ungetc(c, file);
  SkipSpace(file);
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  if (version) *version = static_cast<int32_t>(value);
  return word.compare(0, name.size(), name) == 0;
}

bool ReadLine(std::FILE* file, std::string& line) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::getc(file)) != EOF) {
    any = true;
    if (c == '\n') break;
    line.push_back(static_cast<char>(c));
  }
  if (!any) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

bool LineCursor::Next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  const std::size_t end = text_.find('\n', pos_);
  std::size_t stop = end == std::string_view::npos ? text_.size() : end;
  line = text_.substr(pos_, stop - pos_);
  pos_ = end == std::string_view::npos ? text_.size() : end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return true;
}

namespace {

// Closes a file descriptor when it goes.
struct Descriptor {
  int fd;
  explicit Descriptor(int value) : fd(value) {}
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
};

std::string NotAFileReason(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder, not a file";
  if (S_ISFIFO(mode)) return "it is a named pipe, not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
  if (S_ISSOCK(mode)) return "it is a socket, not a file";
  return "it is not a regular file";
}

// Opens a regular file for reading. Whatever else is there is refused before
// it is opened, and once more after, should it have been put there between
// the two looks; a named pipe is opened without waiting for a writer.
FileRead OpenToRead(const std::string& path, Descriptor& file, std::string& reason) {
  struct stat info {};
  if (path.empty()) return FileRead::Missing;
  if (::stat(path.c_str(), &info) != 0) {
    // Only a file that is not there (nor any folder on its way) is missing;
    // any other failure leaves a file we know nothing about.
    if (errno == ENOENT || errno == ENOTDIR) return FileRead::Missing;
    reason = std::strerror(errno);
    return FileRead::Unreadable;
  }
  if (!S_ISREG(info.st_mode)) {
    reason = NotAFileReason(info.st_mode);
    return FileRead::NotAFile;
  }
  file.fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (file.fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return FileRead::Missing;
    reason = std::strerror(errno);
    return FileRead::Unreadable;
  }
  if (::fstat(file.fd, &info) != 0) {
    reason = std::strerror(errno);
    return FileRead::Unreadable;
  }
  if (!S_ISREG(info.st_mode)) {
    reason = NotAFileReason(info.st_mode);
    return FileRead::NotAFile;
  }
  return FileRead::Read;
}

// Reads up to `wanted` bytes (at most a piece) onto the end of `to`, which
// grows by what was read and no more; false on a read error.
constexpr std::size_t kPiece = 1 << 16;
bool ReadSome(int fd, std::string& to, std::size_t wanted, bool& atEnd) {
  char piece[kPiece];
  ssize_t got;
  do {
    got = ::read(fd, piece, std::min(wanted, kPiece));
  } while (got < 0 && errno == EINTR);
  if (got > 0) to.append(piece, static_cast<std::size_t>(got));
  atEnd = got == 0;
  return got >= 0;
}

}  // namespace

FileRead ReadFileUpTo(const std::string& path, std::size_t limit, std::string& contents, std::string* reason) {
  contents.clear();
  std::string why;
  Descriptor file(-1);
  const FileRead opened = OpenToRead(path, file, why);
  if (opened != FileRead::Read) {
    if (reason) *reason = why;
    return opened;
  }
  const std::size_t most = limit < SIZE_MAX ? limit + 1 : limit;
  // Room for what the file holds now; it may still change while it is read.
  struct stat info {};
  if (::fstat(file.fd, &info) == 0 && info.st_size > 0)
    contents.reserve(std::min(static_cast<std::size_t>(info.st_size), most));
  bool atEnd = false;
  while (!atEnd && contents.size() < most) {
    if (!ReadSome(file.fd, contents, most - contents.size(), atEnd)) {
      const int error = errno;
      std::string().swap(contents);
      if (reason) *reason = std::strerror(error ? error : EIO);
      return FileRead::Unreadable;
    }
  }
  return FileRead::Read;
}

BytesStream::BytesStream(std::string& bytes) : file(::fmemopen(bytes.data(), bytes.size(), "rb")) {}

BytesStream::~BytesStream() {
  if (file) std::fclose(file);
}

namespace {

// Copies in pieces, so that a file of any size costs no more memory.
bool CopyFile(const std::string& from, const std::string& to, std::string& reason) {
  Descriptor in(-1);
  if (OpenToRead(from, in, reason) != FileRead::Read) {
    if (reason.empty()) reason = std::strerror(ENOENT);
    return false;
  }
  errno = 0;
  AtomicFile out(to);
  std::FILE* file = out.Open();
  if (file) {
    std::string piece;
    bool atEnd = false;
    bool read = true;
    while (read && !atEnd) {
      piece.clear();
      read = ReadSome(in.fd, piece, kPiece, atEnd);
      std::fwrite(piece.data(), 1, piece.size(), file);
    }
    if (read && out.Commit()) return true;
  }
  reason = std::strerror(errno ? errno : EIO);
  return false;
}

}  // namespace

std::string KeepAside(const std::string& path, const char* suffix, KeepBy how, std::string& reason) {
  // The first free name: a file kept aside earlier stays too.
  struct stat info;
  std::string aside;
  for (int n = 1; n <= 1000 && aside.empty(); ++n) {
    const std::string name = path + suffix + (n > 1 ? std::to_string(n) : std::string());
    if (::lstat(name.c_str(), &info) != 0 && errno == ENOENT) aside = name;
  }
  if (aside.empty()) {
    reason = std::strerror(EEXIST);
    return {};
  }
  if (how == KeepBy::Copying) return CopyFile(path, aside, reason) ? aside : std::string();
  if (std::rename(path.c_str(), aside.c_str()) != 0) {
    reason = std::strerror(errno);
    return {};
  }
  return aside;
}

}  // namespace tq
