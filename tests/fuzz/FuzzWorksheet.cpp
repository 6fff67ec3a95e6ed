// Feeds arbitrary bytes to the worksheet reader. Whatever it accepts must
// save and load back to the same entries: a field loses nothing but the one
// trailing carriage return that every line end may carry.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "RWorksheet.h"

namespace {

std::string WithoutOneCarriageReturn(const std::string& field) {
  if (!field.empty() && field.back() == '\r') return field.substr(0, field.size() - 1);
  return field;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tq;
  const std::string& dir = fuzz::PrivateDirectory();
  fuzz::WriteBytes(dir + "in.tqw", data, size);

  RWorksheet ws;
  ws.SetFileName(dir + "in.tqw");
  if (!ws.Load()) return 0;
  TQ_FUZZ_CHECK(static_cast<size_t>(ws.Count()) <= size / 2);  // never more entries than lines

  int32_t kept = ws.Count();
  while (kept > 0 && ws.At(kept - 1).IsEmpty()) --kept;
  ws.SetFileName(dir + "out.tqw");
  TQ_FUZZ_CHECK(ws.Save());

  RWorksheet back;
  back.SetFileName(dir + "out.tqw");
  TQ_FUZZ_CHECK(back.Load());
  TQ_FUZZ_CHECK(back.Count() == kept);
  for (int32_t i = 0; i < kept; ++i) {
    const RNumber& a = ws.At(i);
    const RNumber& b = back.At(i);
    TQ_FUZZ_CHECK(b.Number() == WithoutOneCarriageReturn(a.Number()));
    TQ_FUZZ_CHECK(b.Phrase() == WithoutOneCarriageReturn(a.Phrase()));
    TQ_FUZZ_CHECK(b.Description() == WithoutOneCarriageReturn(a.Description()));
  }
  return 0;
}
