#include "Paths.h"

#include <sys/stat.h>

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

}  // namespace tq
