// The scenes of an entry on the journey: the entry's phrase cut into scenes
// of one to four whole words, scene k standing at place k of the journey
// (PlaceName in Journey.h). Each scene knows its words, the digits they
// spell and where those stand in the number. This is what the Journey
// window lists and `--journey` prints; practice and printing walk it too.
//
// How the phrase is cut:
// - The phrase's elements are its words, in order. A stretch of digits no
//   word covers yet counts as one element for every kDigitsPerGap digits
//   (or part of them), the words it will take once found; such an element
//   shows one uncovered mark per digit, as the phrase does.
// - A long word, one whose code has kLongWordDigits digits or more, stands
//   alone: it is a scene of its own. Not one that cannot be pictured: a
//   place that showed only such a word would have nothing to see, so it is
//   cut with the words around it.
// - The elements between two long words (or the ends) are cut into scenes
//   of the chosen number of words (RJourney::wordsPerPlace, 1 to 4). So that
//   they come out even, a scene may take one word more or fewer, never
//   more than four; a stretch of fewer words than that makes one short
//   scene. The sizes are spread evenly: 5 words at 2 a place are 2, 2, 1.
//   Of a stretch of many words (twice kRunChunk or more), the first
//   kRunChunk are cut into scenes of exactly the chosen size, and so on while
//   that many are left over, so that a long phrase is cut from its start
//   without waiting for its end; the rest is spread as above.
// - A word the dictionary does not know (a phrase loaded before a word was
//   removed) spells no digits and is an ordinary element.
// - A phrase that begins in pegs (PegDigitsOf: in its first kPegSample
//   slots every word within one peg of two digits, or of three, counted
//   from the number's first digit, and more pegs that are one word than
//   pegs of several, two at least) is cut by pegs instead: each place
//   holds the digits of as many pegs as the journey's words per place,
//   whatever the words of a peg ("tin hat" is one peg). An uncovered
//   stretch counts a word for each peg it touches. From a word that lies
//   across two pegs (one chosen by hand), the rest is cut by words, as
//   above; else the last place holds what is left. So a number filled with
//   pegs is laid one peg after another, however it was filled, and a
//   phrase that only happens to keep to pegs comes out much as it would by
//   words. Judging by the beginning keeps the first scenes of a long
//   number as quick to cut as the rest.
// The scenes put together give back the entry's slots, in order, each slot
// in exactly one scene.
//
// Use:
//
//   RJourneyScenes scenes(dictionary, entry, journey.wordsPerPlace);
//   for (std::size_t k = 0; k < scenes.Count(); ++k)
//     place = PlaceName(journey, k), words = scenes.WordsText(k),
//     digits = scenes.Digits(k), where = scenes.DigitRange(k);
//   scenes.PlacesBeyond(journey)  // numbered places the number needs
//
// Cutting is linear in the slots and copies the entry's slots and digits, so
// the scenes stay sound when the entry changes afterwards; they follow it
// only when cut again. It may also go step by step (CutMore), from the
// start, so that a window shows the first scenes of a long number at once
// and cuts the rest while it waits for the user; Count() is then the scenes
// cut so far. The words' picture marks are looked up when a scene's words
// are asked for, so only the scenes shown cost a lookup; the dictionary
// must outlive the scenes, and they are cut again after it changes.
//
// FillWithBestPhrases completes an entry: the best phrase (FindBestPhrases,
// one phrase) for each stretch of uncovered digits; FillWithPegs with the
// pegs in force (PegSystem.h), one peg after another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "BestPhrases.h"
#include "Journey.h"
#include "RNumber.h"

namespace tq {

class RDictionary;
class RPegSystem;

// An uncovered stretch counts as one word for every this many digits...
inline constexpr std::size_t kDigitsPerGap = 3;
// ...and a word of this many digits or more stands alone.
inline constexpr std::size_t kLongWordDigits = kLoneWordDigits;
// A number of words that 1, 2, 3 and 4 all divide (see above).
inline constexpr std::size_t kRunChunk = 60;
// The slots by which a phrase is judged to be in pegs: some forty pegs.
inline constexpr std::size_t kPegSample = 120;

// What the marks of a scene's words stand for, in the Journey window's key
// and on paper alike: the filled star, the hollow one, the uncovered mark.
inline constexpr const char* kPicturedKey = "a thing you can picture";
inline constexpr const char* kAbstractKey = "a word to make a picture of";
inline constexpr const char* kUncoveredKey = "digit no word covers yet";

// One element of a scene.
struct RSceneWord {
  // The chosen word, or for uncovered digits one uncovered mark
  // (kUncoveredMark, RNumber.h) per digit.
  std::string text;
  bool uncovered = false;
  bool pictured = false;  // a word one can picture (IsPicturableEntry)
  std::size_t firstDigit = 0;  // from 0
  std::size_t digitCount = 0;
};

struct RScene {
  // The entry's slots the scene holds.
  int32_t firstSlot = 0;
  int32_t slotCount = 0;
  // Its elements: words, and stretches of uncovered digits counted as words.
  std::size_t firstWord = 0;
  std::size_t wordCount = 0;
  // The digits its words spell, from 0; digitCount is 0 for a scene of
  // words that spell nothing.
  std::size_t firstDigit = 0;
  std::size_t digitCount = 0;
  bool longWord = false;  // a long word standing alone

  bool operator==(const RScene&) const = default;
};

class RJourneyScenes {
 public:
  // Cut as many slots as there are.
  static constexpr std::size_t kAllSlots = static_cast<std::size_t>(-1);
  // How a long number is cut where someone waits for it (the Journey
  // window): this many slots before another entry is shown (far more scenes
  // than a screen holds), and then this many at a time.
  static constexpr std::size_t kFirstCutSlots = 300;
  static constexpr std::size_t kCutSliceSlots = 5000;

  RJourneyScenes() = default;
  // Cuts the entry's phrase for `wordsPerPlace` words a place (brought
  // within 1 to 4): all of it, or only about its first `firstSlots` slots,
  // for CutMore to go on from.
  RJourneyScenes(const RDictionary& dictionary, const RNumber& entry, int wordsPerPlace,
                 std::size_t firstSlots = kAllSlots);
  // Cuts about `count` more slots (a stretch of uncovered digits goes whole),
  // and the scenes they complete. True once the whole phrase is cut.
  bool CutMore(std::size_t count);
  bool Complete() const { return next_ >= slots_.size(); }
  // The digits of a peg when the phrase is cut by pegs, else 0, and the
  // digit (from 0) where that stopped at a word across two pegs: the
  // number's length when it did not.
  int PegDigits() const { return pegDigits_; }
  std::size_t PegsEnd() const { return pegsEnd_ < digits_.size() ? pegsEnd_ : digits_.size(); }

  // The scenes cut so far: all of them once Complete().
  std::size_t Count() const { return scenes_.size(); }
  const RScene& Scene(std::size_t index) const { return scenes_[index]; }
  int WordsPerPlace() const { return wordsPerPlace_; }
  // The entry's digits and slots as they were when cut.
  const std::string& NumberDigits() const { return digits_; }
  const std::vector<std::string>& Slots() const { return slots_; }

  // The scene's elements, in order, with their picture marks.
  std::vector<RSceneWord> Words(std::size_t index) const;
  // Its elements joined by single blanks: "mask judge", "tin \xB7\xB7".
  std::string WordsText(std::size_t index) const;
  // The digits its words spell, as the number has them (uncovered ones too).
  std::string Digits(std::size_t index) const;
  // Where they stand in the number, counted from 1: "digits 31\x9638" (with
  // an en dash), "digit 7" for one, empty when the scene spells none.
  std::string DigitRange(std::size_t index) const;
  // The scene that holds the digit at `position` (from 0), or Count() when
  // no scene does.
  std::size_t SceneOfDigit(std::size_t position) const;

  // How many of the scenes stand at numbered places, past the end of the
  // journey: the places the number needs beyond it.
  std::size_t PlacesBeyond(const RJourney& journey) const {
    return scenes_.size() > journey.places.size() ? scenes_.size() - journey.places.size() : 0;
  }
  // The bytes held, roughly: it grows in proportion to the slots.
  std::size_t Bytes() const;

 private:
  struct Element {
    int32_t firstSlot = 0;
    int32_t slotCount = 0;
    std::size_t firstDigit = 0;
    std::size_t digitCount = 0;
    bool uncovered = false;
  };

  void AddScene(std::size_t first, std::size_t count, bool longWord);
  // The elements from runStart_ to `end`, none of them a long word, as scenes.
  void CloseRun(std::size_t end);
  // The first kRunChunk elements of a run of at least twice that, as scenes.
  void CloseChunks();
  // Cut by pegs: the elements from runStart_ up to the one just added, once
  // that one begins the next place's digits.
  // True when the word is one the dictionary can picture.
  bool Pictured(const std::string& word) const;
  void ClosePlace();
  bool ByPegs() const { return pegDigits_ > 0 && pegsEnd_ == kNoEnd; }
  std::size_t Peg() const { return static_cast<std::size_t>(pegDigits_); }

  const RDictionary* dictionary_ = nullptr;
  int wordsPerPlace_ = kDefaultWordsPerPlace;
  int pegDigits_ = 0;
  static constexpr std::size_t kNoEnd = static_cast<std::size_t>(-1);
  std::size_t pegsEnd_ = kNoEnd;
  std::size_t next_ = 0;        // the first slot not cut yet
  std::size_t nextDigit_ = 0;   // the digit it starts at
  std::size_t runStart_ = 0;    // the first element not in a scene yet
  std::string digits_;
  std::vector<std::string> slots_;
  std::vector<Element> elements_;
  std::vector<RScene> scenes_;
};

// The sizes of the scenes that `count` elements in a row (none of them a
// long word) are cut into for `wordsPerPlace` words a place: as many scenes
// as come closest to that many words each, no scene over four words or more
// than one word off the choice unless `count` leaves no other way, the
// sizes spread evenly, the larger ones first.
std::vector<std::size_t> SceneSizes(std::size_t count, int wordsPerPlace);

// 2 or 3 when the slots begin in pegs of that many digits (see above: in
// the first kPegSample slots each word within one peg counted from the
// first digit, and more pegs of one word than of several, two at least;
// two digits are tried first), else 0. One word chosen before the rest is
// no sign of pegs yet.
int PegDigitsOf(const RDictionary& dictionary, const std::vector<std::string>& slots);

// The runs of uncovered digits in the entry's slots: the first slot and the
// number of slots of each, in order.
struct RSlotRun {
  int32_t firstSlot = 0;
  int32_t slotCount = 0;
};
std::vector<RSlotRun> UncoveredRuns(const RNumber& entry);

// Fills every run of uncovered digits with the best phrase for its digits
// (FindBestPhrases with one phrase); digits no word can cover stay
// uncovered. The phrase is composed again. Returns the number of words put
// in (0 when nothing changed).
std::size_t FillWithBestPhrases(const RDictionary& dictionary, RNumber& entry);

// The entry the command line makes of bare digits: the number, and as its
// phrase the best phrase for them.
RNumber BestPhraseEntry(const RDictionary& dictionary, std::string_view digits);

// Fills every run of uncovered digits with the pegs in force of `pegDigits`
// digits (2 or 3): the number is taken a peg at a time from its first digit,
// so the pegs already there keep their places and the new ones fall in
// beside them; a piece shorter than a peg (the digit or two left at the
// end, or beside a word the user chose) takes the peg of its own length.
// Chosen words stay as they are; a digit the peg leaves uncovered stays so.
// The phrase is composed again. Returns the number of words put in.
std::size_t FillWithPegs(const RDictionary& dictionary, RNumber& entry, int pegDigits, RPegSystem& pegs);
// The same for bare digits: the number, and as its phrase its pegs.
RNumber PegEntry(const RDictionary& dictionary, std::string_view digits, int pegDigits, RPegSystem& pegs);

// One scene as a line of the command line's output, in Windows-1252: the
// place, a tab, the words, a tab, the digits.
std::string SceneLine(const RJourneyScenes& scenes, const RJourney& journey, std::size_t index);

}  // namespace tq
