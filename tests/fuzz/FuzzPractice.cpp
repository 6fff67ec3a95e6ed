// Feeds arbitrary bytes to the practice file reader. Whatever it accepts must
// write and read back to the same schedule, and it never holds more cards or
// days than the input has lines.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "PracticeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tq;
  const std::string& dir = fuzz::PrivateDirectory();
  fuzz::WriteBytes(dir + "in.tqw.practice", data, size);

  RPracticeSchedule schedule;
  const PracticeLoad result = ReadPracticeFile(dir + "in.tqw.practice", schedule);
  TQ_FUZZ_CHECK(result != PracticeLoad::Missing);
  if (result == PracticeLoad::Damaged) {
    TQ_FUZZ_CHECK(schedule.Cards().empty() && schedule.Days().empty());
    return 0;
  }
  TQ_FUZZ_CHECK(schedule.Cards().size() + schedule.Days().size() <= size / 2);

  const std::string text = PracticeText(schedule);
  RPracticeSchedule back;
  TQ_FUZZ_CHECK(ParsePracticeText(text, back) == PracticeLoad::Loaded);
  TQ_FUZZ_CHECK(back == schedule);
  TQ_FUZZ_CHECK(PracticeText(back) == text);
  return 0;
}
