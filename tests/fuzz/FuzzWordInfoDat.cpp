// Feeds arbitrary bytes to the reader of the word knowledge, wordinfo.dat,
// beside a valid words.dat and mapping, and checks that what it keeps makes
// sense: familiarity, picture degrees and categories in range and knowledge only
// for words the store holds.
#include <cstdint>
#include <cstdlib>

#include "EngineFixture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tq;
  const std::string& dir = fuzz::PrivateDirectory();
  static const bool ready = [&] {
    fuzz::WriteText(dir + "mapping.txt", test::kShippedMapping);
    fuzz::WriteText(dir + "words.dat", fuzz::kWords);
    return true;
  }();
  (void)ready;
  fuzz::WriteBytes(dir + "wordinfo.dat", data, size);

  ResetFatalErrorForTesting();
  RDictionary dict;
  dict.SetDirectory(dir);
  dict.LoadUserChanges();
  if (dict.LoadWords() < 0) std::abort();
  dict.LoadWordKnowledge();
  // A second load of the words keeps what the knowledge said.
  dict.LoadWords();
  for (int i = 0; i < dict.Count(); ++i) {
    const RWordEntry& e = dict.EntryAt(i);
    if (e.familiarity > kMaxFamiliarity || e.picture > kFullPicture) std::abort();
    // A category is one of the letters, and only a picture's has a plural.
    if (e.category && kPictureCategories.find(e.category) == std::string_view::npos) std::abort();
    if (e.plural && !e.category) std::abort();
    if (!dict.HasWordKnowledge() && (dict.Familiarity(e) != 0 || e.noun || e.picture || e.category || e.unsuitable))
      std::abort();
  }
  return 0;
}
