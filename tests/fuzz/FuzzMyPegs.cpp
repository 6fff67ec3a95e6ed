// Feeds arbitrary bytes to the reader of the user's pegs, against a small
// valid dictionary. Whatever it takes spells its numbers, writes and reads
// back to the same pegs with nothing refused, and a damaged file leaves the
// pegs it was given alone; it never holds more than a peg a number.
#include <cstdint>
#include <string>

#include "EngineFixture.h"
#include "MyPegs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tq;
  static RDictionary dict = [] {
    const std::string& dir = fuzz::PrivateDirectory();
    fuzz::WriteText(dir + "words.dat", fuzz::kWords);
    fuzz::WriteText(dir + "mapping.txt", test::kShippedMapping);
    RDictionary d;
    d.SetDirectory(dir);
    d.LoadUserChanges();
    d.LoadWords();
    d.LoadMapping();
    d.ComputeCodes();
    d.BuildCodeIndex();
    return d;
  }();
  const std::string& dir = fuzz::PrivateDirectory();
  fuzz::WriteBytes(dir + kMyPegsFileName, data, size);

  RMyPegs pegs;
  pegs.pegs["1"] = {"tea"};
  const RMyPegs given = pegs;
  std::string reason;
  const MyPegsLoad result = ReadMyPegsFile(dir + kMyPegsFileName, dict, pegs, &reason);
  TQ_FUZZ_CHECK(result == MyPegsLoad::Loaded || result == MyPegsLoad::Damaged);
  if (result == MyPegsLoad::Damaged) {
    TQ_FUZZ_CHECK(pegs.pegs == given.pegs && !reason.empty());
    return 0;
  }
  TQ_FUZZ_CHECK(pegs.pegs.size() <= 1110 && pegs.notices.size() <= kMaxMyPegsNotices);
  TQ_FUZZ_CHECK(pegs.notices.size() == std::min(pegs.refused, kMaxMyPegsNotices));
  for (const auto& [number, slots] : pegs.pegs) TQ_FUZZ_CHECK(MyPegProblem(dict, number, slots).empty());

  const std::string text = MyPegsText(dict, pegs);
  RMyPegs back;
  TQ_FUZZ_CHECK(ParseMyPegsText(text, dict, back) == MyPegsLoad::Loaded);
  TQ_FUZZ_CHECK(back.pegs == pegs.pegs && back.refused == 0);
  TQ_FUZZ_CHECK(MyPegsText(dict, back) == text);
  return 0;
}
