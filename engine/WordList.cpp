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
  return out.CommitOrReport("Error writing to file '" + NativeText(path) + "'. The disk could be full.");
}

}  // namespace tq
