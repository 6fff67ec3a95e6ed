#include "JourneyScenes.h"

#include <algorithm>

#include "BestPhrases.h"
#include "PegSystem.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "SlotLogic.h"

namespace tq {

std::vector<std::size_t> SceneSizes(std::size_t count, int wordsPerPlace) {
  std::vector<std::size_t> sizes;
  if (count == 0) return sizes;
  const auto n = static_cast<std::size_t>(std::clamp(wordsPerPlace, kMinWordsPerPlace, kMaxWordsPerPlace));
  const std::size_t low = std::max<std::size_t>(1, n - 1);
  const std::size_t high = std::min<std::size_t>(kMaxWordsPerPlace, n + 1);
  // Enough scenes that none is over `high`, few enough that none is under
  // `low` when the count allows it, and of those the nearest to n words each.
  const std::size_t fewest = (count + high - 1) / high;
  const std::size_t most = std::max(fewest, count / low);
  const std::size_t scenes = std::clamp((2 * count + n) / (2 * n), fewest, most);
  sizes.assign(scenes, count / scenes);
  for (std::size_t i = 0; i < count % scenes; ++i) ++sizes[i];
  return sizes;
}

RJourneyScenes::RJourneyScenes(const RDictionary& dictionary, const RNumber& entry, int wordsPerPlace,
                               std::size_t firstSlots)
    : dictionary_(&dictionary),
      wordsPerPlace_(std::clamp(wordsPerPlace, kMinWordsPerPlace, kMaxWordsPerPlace)),
      digits_(entry.Digits()),
      slots_(entry.Slots()) {
  pegDigits_ = PegDigitsOf(dictionary, slots_);
  elements_.reserve(std::min(firstSlots, slots_.size()));
  CutMore(firstSlots);
}

bool RJourneyScenes::CutMore(std::size_t count) {
  const std::size_t stop = slots_.size() - next_ > count ? next_ + count : slots_.size();
  while (next_ < stop) {
    if (!IsUncoveredSlot(slots_[next_])) {
      const std::size_t length = SlotLength(*dictionary_, slots_[next_]);
      if (ByPegs() && length > 0 && nextDigit_ / Peg() != (nextDigit_ + length - 1) / Peg()) {
        // A word across two pegs: from here on the phrase is cut by words.
        pegsEnd_ = nextDigit_;
        if (runStart_ < elements_.size()) AddScene(runStart_, elements_.size() - runStart_, false);
        runStart_ = elements_.size();
      }
      elements_.push_back(Element{static_cast<int32_t>(next_), 1, nextDigit_, length, false});
      ++next_;
      nextDigit_ += length;
      if (ByPegs()) {
        ClosePlace();
        continue;
      }
      if (length >= kLongWordDigits && Pictured(slots_[next_ - 1])) {
        // A long word stands alone: the words before it are a run of their own.
        CloseRun(elements_.size() - 1);
        AddScene(elements_.size() - 1, 1, true);
        runStart_ = elements_.size();
      }
      CloseChunks();
      continue;
    }
    // A stretch of uncovered digits, whole: as many elements as words it
    // may take, the digits spread evenly over them.
    std::size_t end = next_;
    while (end < slots_.size() && IsUncoveredSlot(slots_[end])) ++end;
    if (ByPegs()) {
      // A piece for each peg the stretch touches.
      while (next_ < end) {
        const std::size_t size = std::min(end - next_, Peg() - nextDigit_ % Peg());
        elements_.push_back(Element{static_cast<int32_t>(next_), static_cast<int32_t>(size), nextDigit_, size, true});
        next_ += size;
        nextDigit_ += size;
        ClosePlace();
      }
      continue;
    }
    const std::size_t length = end - next_;
    const std::size_t pieces = (length + kDigitsPerGap - 1) / kDigitsPerGap;
    for (std::size_t p = 0; p < pieces; ++p) {
      const std::size_t size = length / pieces + (p < length % pieces ? 1 : 0);
      elements_.push_back(Element{static_cast<int32_t>(next_), static_cast<int32_t>(size), nextDigit_, size, true});
      next_ += size;
      nextDigit_ += size;
    }
    CloseChunks();
  }
  if (!Complete()) return false;
  if (!ByPegs()) {
    CloseRun(elements_.size());
  } else if (runStart_ < elements_.size()) {
    AddScene(runStart_, elements_.size() - runStart_, false);
    runStart_ = elements_.size();
  }
  return true;
}

bool RJourneyScenes::Pictured(const std::string& word) const {
  const int k = dictionary_->FindWord(word);
  return k >= 0 && dictionary_->IsPicturableEntry(dictionary_->EntryAt(k));
}

void RJourneyScenes::ClosePlace() {
  const std::size_t last = elements_.size() - 1;
  if (last == runStart_ || elements_[last].digitCount == 0) return;
  const std::size_t placeDigits = Peg() * static_cast<std::size_t>(wordsPerPlace_);
  if (elements_[last].firstDigit / placeDigits == elements_[runStart_].firstDigit / placeDigits) return;
  AddScene(runStart_, last - runStart_, false);
  runStart_ = last;
}

void RJourneyScenes::AddScene(std::size_t first, std::size_t count, bool longWord) {
  const Element& a = elements_[first];
  const Element& b = elements_[first + count - 1];
  RScene scene;
  scene.firstSlot = a.firstSlot;
  scene.slotCount = b.firstSlot + b.slotCount - a.firstSlot;
  scene.firstWord = first;
  scene.wordCount = count;
  scene.firstDigit = a.firstDigit;
  scene.digitCount = b.firstDigit + b.digitCount - a.firstDigit;
  scene.longWord = longWord;
  scenes_.push_back(scene);
}

void RJourneyScenes::CloseChunks() {
  const auto n = static_cast<std::size_t>(wordsPerPlace_);
  while (elements_.size() - runStart_ >= 2 * kRunChunk) {
    for (std::size_t first = runStart_; first < runStart_ + kRunChunk; first += n) AddScene(first, n, false);
    runStart_ += kRunChunk;
  }
}

void RJourneyScenes::CloseRun(std::size_t end) {
  std::size_t first = runStart_;
  for (std::size_t size : SceneSizes(end - runStart_, wordsPerPlace_)) {
    AddScene(first, size, false);
    first += size;
  }
  runStart_ = end;
}

std::vector<RSceneWord> RJourneyScenes::Words(std::size_t index) const {
  const RScene& scene = scenes_[index];
  std::vector<RSceneWord> words;
  words.reserve(scene.wordCount);
  for (std::size_t e = scene.firstWord; e < scene.firstWord + scene.wordCount; ++e) {
    const Element& element = elements_[e];
    RSceneWord word;
    word.uncovered = element.uncovered;
    word.firstDigit = element.firstDigit;
    word.digitCount = element.digitCount;
    if (element.uncovered) {
      word.text.assign(element.digitCount, kUncoveredMark);
    } else {
      word.text = slots_[static_cast<std::size_t>(element.firstSlot)];
      const int k = dictionary_->FindWord(word.text);
      word.pictured = k >= 0 && dictionary_->IsPicturableEntry(dictionary_->EntryAt(k));
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::string RJourneyScenes::WordsText(std::size_t index) const {
  std::string text;
  for (const RSceneWord& word : Words(index)) {
    if (!text.empty()) text += ' ';
    text += word.text;
  }
  return text;
}

std::string RJourneyScenes::Digits(std::size_t index) const {
  const RScene& scene = scenes_[index];
  if (scene.firstDigit >= digits_.size()) return {};
  return digits_.substr(scene.firstDigit, scene.digitCount);
}

std::string RJourneyScenes::DigitRange(std::size_t index) const {
  const RScene& scene = scenes_[index];
  if (scene.digitCount == 0) return {};
  const std::string first = std::to_string(scene.firstDigit + 1);
  if (scene.digitCount == 1) return "digit " + first;
  return "digits " + first + '\x96' + std::to_string(scene.firstDigit + scene.digitCount);
}

std::size_t RJourneyScenes::SceneOfDigit(std::size_t position) const {
  // The scenes' digits follow each other in order: the last scene starting
  // at or before the position holds it, if it reaches that far.
  auto after = std::upper_bound(scenes_.begin(), scenes_.end(), position,
                                [](std::size_t p, const RScene& s) { return p < s.firstDigit; });
  while (after != scenes_.begin()) {
    --after;
    if (after->digitCount > 0) {
      if (position < after->firstDigit + after->digitCount) return static_cast<std::size_t>(after - scenes_.begin());
      break;
    }
  }
  return scenes_.size();
}

std::size_t RJourneyScenes::Bytes() const {
  std::size_t bytes = digits_.capacity() + elements_.capacity() * sizeof(Element) + scenes_.capacity() * sizeof(RScene);
  for (const std::string& slot : slots_) bytes += sizeof(std::string) + (slot.size() > 15 ? slot.capacity() : 0);
  return bytes;
}

int PegDigitsOf(const RDictionary& dictionary, const std::vector<std::string>& slots) {
  const std::size_t judged = std::min(slots.size(), kPegSample);
  for (const std::size_t peg : {std::size_t{2}, std::size_t{3}}) {
    // The pegs of one word and of several, and the peg walked now: its
    // words, and whether a digit of it is uncovered (such a peg counts
    // neither way).
    std::size_t single = 0, several = 0, words = 0, current = 0, digit = 0;
    bool uncovered = false, keeps = true;
    const auto closePeg = [&] {
      if (!uncovered && words == 1) ++single;
      if (!uncovered && words > 1) ++several;
      words = 0;
      uncovered = false;
    };
    for (std::size_t k = 0; k < judged; ++k) {
      const std::string& slot = slots[k];
      const std::size_t length = IsUncoveredSlot(slot) ? 1 : SlotLength(dictionary, slot);
      if (length == 0) continue;
      if (digit / peg != (digit + length - 1) / peg) {
        keeps = false;
        break;
      }
      if (digit / peg != current) {
        closePeg();
        current = digit / peg;
      }
      if (IsUncoveredSlot(slot)) uncovered = true;
      else ++words;
      digit += length;
    }
    if (!keeps) continue;
    closePeg();
    if (single >= 2 && single > several) return static_cast<int>(peg);
  }
  return 0;
}

std::vector<RSlotRun> UncoveredRuns(const RNumber& entry) {
  std::vector<RSlotRun> runs;
  const int32_t count = entry.SlotCount();
  for (int32_t i = 0; i < count;) {
    if (!IsUncoveredSlot(entry.Slot(i))) {
      ++i;
      continue;
    }
    int32_t end = i;
    while (end < count && IsUncoveredSlot(entry.Slot(end))) ++end;
    runs.push_back(RSlotRun{i, end - i});
    i = end;
  }
  return runs;
}

std::size_t FillWithBestPhrases(const RDictionary& dictionary, RNumber& entry) {
  const std::vector<RSlotRun> runs = UncoveredRuns(entry);
  if (runs.empty()) return 0;
  const std::vector<RSlotSpan> spans = SlotSpans(dictionary, entry);
  const std::string& digits = entry.Digits();
  // One pass that builds the new slot list: a long number with many runs
  // never shifts its slots run by run.
  std::vector<std::string> slots;
  slots.reserve(entry.Slots().size());
  std::size_t words = 0;
  int32_t next = 0;
  for (const RSlotRun& run : runs) {
    for (; next < run.firstSlot; ++next) slots.push_back(entry.Slot(next));
    const std::size_t start = spans[static_cast<std::size_t>(run.firstSlot)].start;
    // A run of "." slots past the end of the digits (a phrase that lost its
    // number) keeps what it has.
    const std::string_view stretch =
        start < digits.size() ? std::string_view(digits).substr(start, static_cast<std::size_t>(run.slotCount))
                              : std::string_view();
    std::vector<RRankedPhrase> best;
    if (stretch.size() == static_cast<std::size_t>(run.slotCount)) best = FindBestPhrases(dictionary, stretch, 1);
    if (best.empty()) {
      slots.insert(slots.end(), static_cast<std::size_t>(run.slotCount), kUncoveredSlot);
    } else {
      for (const std::string& word : best.front().words) {
        slots.push_back(SlotOfWord(word));
        if (!IsUncoveredWord(word)) ++words;
      }
    }
    next = run.firstSlot + run.slotCount;
  }
  for (; next < entry.SlotCount(); ++next) slots.push_back(entry.Slot(next));
  if (words == 0) return 0;
  entry.SetSlots(std::move(slots));
  entry.ComposePhrase(0, 0);
  return words;
}

RNumber BestPhraseEntry(const RDictionary& dictionary, std::string_view digits) {
  RNumber entry;
  entry.SetNumber(std::string(digits));
  entry.SetSlots(UncoveredSlots(entry.Digits().size()));
  entry.ComposePhrase(0, 0);
  FillWithBestPhrases(dictionary, entry);
  return entry;
}

std::size_t FillWithPegs(const RDictionary& dictionary, RNumber& entry, int pegDigits, RPegSystem& pegs) {
  if (pegDigits < kMinPegDigits || pegDigits > kMaxPegDigits) return 0;
  const auto peg = static_cast<std::size_t>(pegDigits);
  const std::vector<RSlotRun> runs = UncoveredRuns(entry);
  if (runs.empty()) return 0;
  const std::vector<RSlotSpan> spans = SlotSpans(dictionary, entry);
  const std::string& digits = entry.Digits();
  std::vector<std::string> slots;
  slots.reserve(entry.Slots().size());
  std::size_t words = 0;
  int32_t next = 0;
  for (const RSlotRun& run : runs) {
    for (; next < run.firstSlot; ++next) slots.push_back(entry.Slot(next));
    next = run.firstSlot + run.slotCount;
    std::size_t at = spans[static_cast<std::size_t>(run.firstSlot)].start;
    const std::size_t end = at + static_cast<std::size_t>(run.slotCount);
    // A run of "." slots past the end of the digits keeps what it has.
    if (end > digits.size()) {
      slots.insert(slots.end(), static_cast<std::size_t>(run.slotCount), kUncoveredSlot);
      continue;
    }
    while (at < end) {
      const std::size_t size = std::min(end - at, peg - at % peg);
      const RPeg& found = pegs.PegOf(std::string_view(digits).substr(at, size));
      if (found.words.empty()) {
        slots.insert(slots.end(), size, kUncoveredSlot);
      } else {
        for (const std::string& word : found.words) {
          slots.push_back(word);
          if (!IsUncoveredSlot(word)) ++words;
        }
      }
      at += size;
    }
  }
  for (; next < entry.SlotCount(); ++next) slots.push_back(entry.Slot(next));
  if (words == 0) return 0;
  entry.SetSlots(std::move(slots));
  entry.ComposePhrase(0, 0);
  return words;
}

RNumber PegEntry(const RDictionary& dictionary, std::string_view digits, int pegDigits, RPegSystem& pegs) {
  RNumber entry;
  entry.SetNumber(std::string(digits));
  entry.SetSlots(UncoveredSlots(entry.Digits().size()));
  entry.ComposePhrase(0, 0);
  FillWithPegs(dictionary, entry, pegDigits, pegs);
  return entry;
}

std::string SceneLine(const RJourneyScenes& scenes, const RJourney& journey, std::size_t index) {
  return PlaceName(journey, index) + '\t' + scenes.WordsText(index) + '\t' + scenes.Digits(index);
}

}  // namespace tq
