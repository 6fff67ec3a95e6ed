// Feeds arbitrary bytes to the peg drill record's reader. Whatever it
// accepts writes and reads back to the same record, never holds more pegs or
// days than the input has lines, and a damaged file leaves the record empty.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "PegDrillRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tq;
  const std::string& dir = fuzz::PrivateDirectory();
  fuzz::WriteBytes(dir + kPegDrillFileName, data, size);

  RPegDrillRecord record;
  const TrainingParser parse = [&record](const std::string& text) { return ParsePegDrillText(text, record); };
  const TrainingLoad result = ReadTrainingFile(dir + kPegDrillFileName, kMaxPegDrillFile, parse);
  TQ_FUZZ_CHECK(result != TrainingLoad::Missing && result != TrainingLoad::Unreadable);
  if (result != TrainingLoad::Loaded) {
    TQ_FUZZ_CHECK(record == RPegDrillRecord());
    return 0;
  }
  TQ_FUZZ_CHECK(record.pegs.size() + record.days.size() <= size / 2);
  for (const auto& [number, track] : record.pegs)
    TQ_FUZZ_CHECK(!track.answers.empty() && track.answers.size() <= kKeptAnswers);

  const std::string text = PegDrillText(record);
  RPegDrillRecord back;
  TQ_FUZZ_CHECK(ParsePegDrillText(text, back) == TrainingLoad::Loaded);
  TQ_FUZZ_CHECK(back == record);
  TQ_FUZZ_CHECK(PegDrillText(back) == text);
  return 0;
}
