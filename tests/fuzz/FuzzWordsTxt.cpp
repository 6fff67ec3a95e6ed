// Feeds arbitrary bytes to the reader of the user's dictionary changes,
// words.txt, with a small valid words.dat and mapping.txt beside it.
#include <cstdint>

#include "EngineFixture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tq;
  const std::string& dir = fuzz::PrivateDirectory();
  static const bool ready = [&] {
    fuzz::WriteText(dir + "words.dat", fuzz::kWords);
    fuzz::WriteText(dir + "mapping.txt", test::kShippedMapping);
    return true;
  }();
  (void)ready;
  fuzz::WriteBytes(dir + "words.txt", data, size);
  fuzz::LoadAndLookUp(dir);
  return 0;
}
