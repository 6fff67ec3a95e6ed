// Shared by the fuzz targets: each process gets a private directory of its
// own, into which every input is written as the file the reader expects. The
// directory goes away when the fuzzer exits normally; after a crash it is
// left for inspection.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace tq::fuzz {

inline std::string& DirectoryPath() {
  static std::string path;
  return path;
}

inline void RemoveDirectory() {
  std::error_code ec;
  if (!DirectoryPath().empty()) std::filesystem::remove_all(DirectoryPath(), ec);
}

// The private directory, with a trailing '/'.
inline const std::string& PrivateDirectory() {
  std::string& path = DirectoryPath();
  if (path.empty()) {
    // Memory-backed when the system has it: every save syncs its file, and on
    // a disk that would dominate the time of each run.
    std::error_code ec;
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    if (const char* chosen = std::getenv("TQ_FUZZ_TMPDIR")) base = chosen;
    std::string pattern = (base / "tq-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    path = pattern + "/";
    std::atexit(RemoveDirectory);
  }
  return path;
}

inline void WriteBytes(const std::string& path, const void* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  if (std::fclose(f) != 0) std::abort();
}

inline void WriteText(const std::string& path, const std::string& text) { WriteBytes(path, text.data(), text.size()); }

// A property of the reader that must hold for every input; a violation is
// reported to libFuzzer like a crash, with the input that caused it.
#define TQ_FUZZ_CHECK(condition) \
  do {                           \
    if (!(condition)) {          \
      std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();              \
    }                            \
  } while (0)

}  // namespace tq::fuzz
