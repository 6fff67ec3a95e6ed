// Feeds arbitrary bytes to the reader of the installed dictionary, words.dat,
// with a valid mapping beside it and no user changes.
#include <cstdint>

#include "EngineFixture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tq;
  const std::string& dir = fuzz::PrivateDirectory();
  static const bool ready = [&] {
    fuzz::WriteText(dir + "mapping.txt", test::kShippedMapping);
    return true;
  }();
  (void)ready;
  fuzz::WriteBytes(dir + "words.dat", data, size);
  fuzz::LoadAndLookUp(dir);
  return 0;
}
