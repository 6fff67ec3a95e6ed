#include "Paths.h"

#include <sys/stat.h>

#include <cerrno>

namespace tq {
namespace {

std::string::size_type LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

}  // namespace

std::string FileNameOf(const std::string& path) {
  const auto p = LastSeparator(path);
  return p == std::string::npos ? path : path.substr(p + 1);
}

std::string BaseNameOf(const std::string& path) {
  std::string name = FileNameOf(path);
  const auto q = name.rfind('.');
  return q == std::string::npos ? name : name.substr(0, q);
}

std::string DirectoryOf(const std::string& path) {
  const auto p = LastSeparator(path);
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string PathCaseKey(const std::string& path) {
  std::string key(path);
  for (std::size_t i = 0; i < key.size(); ++i) {
    const auto c = static_cast<unsigned char>(key[i]);
    if (c >= 'A' && c <= 'Z') {
      key[i] = static_cast<char>(c + 0x20);
    } else if (c == 0xC3 && i + 1 < key.size()) {
      // 0xC3 only ever leads a character; U+00C0..U+00DE but the
      // multiplication sign have their small letters 0x20 further on.
      const auto next = static_cast<unsigned char>(key[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97) key[i + 1] = static_cast<char>(next + 0x20);
      ++i;
    }
  }
  return key;
}

bool SamePathIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && PathCaseKey(a) == PathCaseKey(b);
}

bool SamePath(const std::string& a, const std::string& b) {
#if defined(_WIN32) || defined(__APPLE__)
  return SamePathIgnoringCase(a, b);
#else
  return a == b;
#endif
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeDirectories(const std::string& directory) {
  if (directory.empty()) return false;
  if (DirectoryExists(directory)) return true;
  for (std::size_t p = 1; p <= directory.size(); ++p) {
    if (p < directory.size() && directory[p] != '/') continue;
    const std::string step = directory.substr(0, p);
    if (::mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return DirectoryExists(directory);
}

}  // namespace tq
