// Feeds arbitrary bytes to the configuration reader. Whatever it makes of
// them must be a record the program can use, and that record must save and
// load back unchanged.
#include <cstdint>

#include "FuzzSupport.h"
#include "RConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tq;
  const std::string& dir = fuzz::PrivateDirectory();
  fuzz::WriteBytes(dir + "in.cfg", data, size);

  RConfig config;
  config.SetFileName(dir + "in.cfg");
  config.Load();
  TQ_FUZZ_CHECK(config.GetHistoryCount() >= 0 && config.GetHistoryCount() <= kMaxHistory);
  TQ_FUZZ_CHECK(config.GetTipIndex() >= -1);

  config.SetFileName(dir + "out.cfg");
  TQ_FUZZ_CHECK(config.Save());
  RConfig back;
  back.SetFileName(dir + "out.cfg");
  TQ_FUZZ_CHECK(back.Load());
  TQ_FUZZ_CHECK(back == config);
  return 0;
}
