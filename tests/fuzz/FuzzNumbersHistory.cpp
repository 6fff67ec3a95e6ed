// Feeds arbitrary bytes to the numbers drill history's reader. Whatever it
// accepts writes and reads back to the same history, every score is within
// its attempt's digits, and a damaged file leaves the history empty.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "NumbersHistory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tq;
  const std::string& dir = fuzz::PrivateDirectory();
  fuzz::WriteBytes(dir + kNumbersHistoryFileName, data, size);

  RNumbersHistory history;
  const TrainingParser parse = [&history](const std::string& text) {
    return ParseNumbersHistoryText(text, history);
  };
  const TrainingLoad result = ReadTrainingFile(dir + kNumbersHistoryFileName, kMaxNumbersHistoryFile, parse);
  TQ_FUZZ_CHECK(result != TrainingLoad::Missing && result != TrainingLoad::Unreadable);
  if (result != TrainingLoad::Loaded) {
    TQ_FUZZ_CHECK(history == RNumbersHistory());
    return 0;
  }
  TQ_FUZZ_CHECK(history.attempts.size() <= size / 2);
  for (const RNumbersAttempt& a : history.attempts)
    TQ_FUZZ_CHECK(a.score >= 0 && a.score <= a.digits && a.memorisedSeconds <= a.memoriseSeconds);

  const std::string text = NumbersHistoryText(history);
  RNumbersHistory back;
  TQ_FUZZ_CHECK(ParseNumbersHistoryText(text, back) == TrainingLoad::Loaded);
  TQ_FUZZ_CHECK(back == history);
  TQ_FUZZ_CHECK(NumbersHistoryText(back) == text);
  return 0;
}
