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
