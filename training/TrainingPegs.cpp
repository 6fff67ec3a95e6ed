#include "TrainingPegs.h"

#include "JourneyScenes.h"
#include "NumbersDrill.h"
#include "PegSystem.h"
#include "RDictionary.h"

namespace tq {

const std::vector<RPeg>& TrainingPegs(RPegSystem& pegs, int digits) { return pegs.InForce(digits); }

int UsualPegDigits(const RPegSystem& pegs) {
  int two = 0, three = 0;
  for (const auto& [number, slots] : pegs.Mine().pegs) {
    two += number.size() == 2 ? 1 : 0;
    three += number.size() == 3 ? 1 : 0;
  }
  return three > two ? 3 : 2;
}


std::vector<RReviewPlace> LayOnJourney(const RDictionary& dictionary, RPegSystem& pegs, const RJourney& journey,
                                       std::string_view digits, int group) {
  std::vector<RReviewPlace> places;
  std::size_t rowStart = 0;
  for (const std::string& row : DigitRows(digits)) {
    const RJourneyScenes scenes(dictionary, PegEntry(dictionary, row, group, pegs), journey.wordsPerPlace);
    for (std::size_t k = 0; k < scenes.Count(); ++k) {
      const RScene& scene = scenes.Scene(k);
      places.push_back(RReviewPlace{PlaceName(journey, places.size()), scenes.WordsText(k),
                                    rowStart + scene.firstDigit, scene.digitCount});
    }
    rowStart += row.size();
  }
  return places;
}

}  // namespace tq
