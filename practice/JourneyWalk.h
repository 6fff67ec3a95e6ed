// Practice along the journey: for one entry, place after place, the user is
// shown the place (and the words of the scene before it as a cue) and types
// the digits of the scene that stands there. The walk counts as one answer
// for the entry's card, right only when every place was; the places gone
// wrong are named at the end of the session, to be gone over again.
//
// Plain C++: the dialog cuts the entry into scenes (JourneyScenes.h) and
// hands the walk its places as text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "AnswerCheck.h"

namespace tq {

// One place of a walk; all text Windows-1252.
struct RWalkPlace {
  std::string place;   // its name on the journey
  std::string cue;     // the words of the scene before, empty at the first
  std::string words;   // the words of the scene here
  std::string digits;  // what they spell: the answer
};

class RJourneyWalk {
 public:
  RJourneyWalk() = default;
  explicit RJourneyWalk(std::vector<RWalkPlace> places) : places_(std::move(places)) {}

  std::size_t Count() const { return places_.size(); }
  // The place asked now, from 0; Count() once every place was answered.
  std::size_t Position() const { return next_; }
  bool Over() const { return next_ >= places_.size(); }
  // The place asked now (the walk must not be over).
  const RWalkPlace& Current() const { return places_[next_]; }
  // Marks the typed text's digits against the place's, notes a wrong
  // answer and goes on to the next place. `answered` gets the place that
  // was answered.
  RDigitMarks Answer(std::string_view typed, const RWalkPlace** answered = nullptr);
  bool AllRight() const { return missed_.empty(); }
  // The names of the places answered wrong, in the order walked, each once.
  std::vector<std::string> MissedPlaces() const;

 private:
  std::vector<RWalkPlace> places_;
  std::size_t next_ = 0;
  std::vector<std::size_t> missed_;
};

// The places of one walk to go over again, and which number they belong to.
struct RMissedPlaces {
  std::string number;  // the entry's description, or its number
  std::vector<std::string> places;
};

// "hall mirror, doormat (pi); garden gate (e)": the places of each walk with
// the number they belong to; empty when there are none.
std::string MissedPlacesText(const std::vector<RMissedPlaces>& walks);

}  // namespace tq
