#include "WordList.h"

#include <cstdio>

#include "AtomicFile.h"
#include "Messages.h"

namespace tq {

bool WriteWordList(const std::string& path, const std::vector<std::string>& words) {
  AtomicFile out(path);
  std::FILE* file = out.OpenOrReport();
  if (!file) return false;
  for (const std::string& word : words) {
    std::fwrite(word.data(), 1, word.size(), file);
    std::fputc('\n', file);
  }
  if (!out.Commit()) {
    ShowError("Error writing to file '" + path + "'. The disk could be full.");
    return false;
  }
  return true;
}

}  // namespace tq
