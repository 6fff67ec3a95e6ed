// Feeds arbitrary bytes to the reader of the mapping rules, mapping.txt, with
// a small valid words.dat beside it and no user changes.
#include <cstdint>

#include "EngineFixture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tq;
  const std::string& dir = fuzz::PrivateDirectory();
  static const bool ready = [&] {
    fuzz::WriteText(dir + "words.dat", fuzz::kWords);
    return true;
  }();
  (void)ready;
  fuzz::WriteBytes(dir + "mapping.txt", data, size);
  fuzz::LoadAndLookUp(dir);
  return 0;
}
