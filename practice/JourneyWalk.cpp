#include "JourneyWalk.h"

#include <algorithm>

#include "RNumber.h"

namespace tq {

RDigitMarks RJourneyWalk::Answer(std::string_view typed, const RWalkPlace** answered) {
  if (Over()) return RDigitMarks{};
  const RWalkPlace& place = places_[next_];
  if (answered) *answered = &place;
  RDigitMarks marks = MarkDigits(place.digits, DigitsOf(typed));
  if (!marks.right) missed_.push_back(next_);
  ++next_;
  return marks;
}

std::vector<std::string> RJourneyWalk::MissedPlaces() const {
  std::vector<std::string> names;
  for (std::size_t index : missed_) {
    const std::string& name = places_[index].place;
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

std::string MissedPlacesText(const std::vector<RMissedPlaces>& walks) {
  std::string text;
  for (const RMissedPlaces& walk : walks) {
    if (walk.places.empty()) continue;
    if (!text.empty()) text += "; ";
    for (std::size_t i = 0; i < walk.places.size(); ++i) text += (i ? ", " : "") + walk.places[i];
    text += " (" + walk.number + ")";
  }
  return text;
}

}  // namespace tq
