// Feeds arbitrary bytes to the journey file reader. Whatever it accepts,
// whole or with lines left out, writes and reads back to the same journey in
// the encoding it came in, every place is one the dialog would take, and a
// damaged file leaves the journey it was given alone.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "Journey.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tq;
  const std::string& dir = fuzz::PrivateDirectory();
  fuzz::WriteBytes(dir + kJourneyFileName, data, size);

  RJourney journey = DefaultJourney();
  std::string reason;
  const JourneyLoad result = ReadJourneyFile(dir + kJourneyFileName, journey, &reason);
  TQ_FUZZ_CHECK(result == JourneyLoad::Loaded || result == JourneyLoad::Partly || result == JourneyLoad::Damaged);
  if (result == JourneyLoad::Damaged) {
    TQ_FUZZ_CHECK(journey == DefaultJourney() && !reason.empty());
    return 0;
  }
  TQ_FUZZ_CHECK((result == JourneyLoad::Partly) == !reason.empty());
  TQ_FUZZ_CHECK(journey.encoding == EncodingOf(std::string_view(reinterpret_cast<const char*>(data), size)));
  TQ_FUZZ_CHECK(journey.places.size() <= kMaxPlaces && journey.places.size() <= size / 2 + 1);
  for (const std::string& place : journey.places) TQ_FUZZ_CHECK(PlaceProblem(place).empty());

  const std::string text = JourneyText(journey);
  RJourney back;
  TQ_FUZZ_CHECK(ParseJourneyText(text, back) == JourneyLoad::Loaded);
  TQ_FUZZ_CHECK(back == journey);
  TQ_FUZZ_CHECK(JourneyText(back) == text);
  return 0;
}
