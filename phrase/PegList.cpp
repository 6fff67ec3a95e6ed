#include "PegList.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>

#include "BestPhrases.h"
#include "Messages.h"
#include "Platform.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "RWorksheet.h"
#include "Text.h"

namespace tq {
namespace {

// How many best phrases a number without two free pictures looks through
// for one whose words no other peg has taken, and whose shapes it may take.
constexpr std::size_t kPhraseChoices = 20;

std::string NumberText(int value, int digits) {
  std::string text(static_cast<std::size_t>(digits), '0');
  for (int k = digits - 1; k >= 0 && value > 0; --k, value /= 10)
    text[static_cast<std::size_t>(k)] = static_cast<char>('0' + value % 10);
  return text;
}

// True when the word's first sound spells no digit: a vowel, h, w or y.
bool StartsSilent(const RDictionary& d, const RWordEntry& e) {
  const std::string& text = e.hasPronunciation ? e.pronunciation : e.word;
  return text.empty() || d.CodeFromText(std::string_view(text).substr(0, 1), e.hasPronunciation).empty();
}

// The peg order of MakePegList, field by field, smaller first.
using PegRank = std::tuple<bool, bool, bool, bool, bool, bool, bool, int, std::size_t, int, int>;

// The words of every code of one to `digits` digits that a peg may use,
// pictures first, each in the peg order, with which of them are taken.
class WordPool {
 public:
  // twoDigitPegs: for a list of three digits, the pegs of the list of two.
  WordPool(const RDictionary& d, int digits, const std::vector<RPeg>* twoDigitPegs)
      : d_(d), used_(static_cast<std::size_t>(d.Count()), 0) {
    for (int length = 1; length <= digits; ++length) {
      for (std::size_t i : d.BucketEntries(length)) {
        const int entry = static_cast<int>(i);
        const RWordEntry& e = d.EntryAt(entry);
        const std::size_t slot = SlotOf(e.code);
        if (slot == kNone || d.IsUnsuitableEntry(e)) continue;
        slots_.resize(std::max(slots_.size(), slot + 1));
        slots_[slot].words.push_back(entry);
      }
    }
    std::vector<PegRank> ranks(static_cast<std::size_t>(d.Count()));
    for (auto& s : slots_) {
      for (int entry : s.words) ranks[static_cast<std::size_t>(entry)] = RankOf(entry, twoDigitPegs);
      std::sort(s.words.begin(), s.words.end(),
                [&ranks](int a, int b) { return ranks[static_cast<std::size_t>(a)] < ranks[static_cast<std::size_t>(b)]; });
      s.pictures = static_cast<std::size_t>(std::count_if(s.words.begin(), s.words.end(), [&](int entry) {
        return d.IsPicturableEntry(d.EntryAt(entry));
      }));
      s.freeWords = s.words.size();
      s.freePictures = s.pictures;
    }
  }

  // The words of exactly this code, best first; the first Pictures(code)
  // of them can be pictured.
  const std::vector<int>& Words(std::string_view code) const {
    static const std::vector<int> kNoWords;
    const std::size_t slot = SlotOf(code);
    return slot < slots_.size() ? slots_[slot].words : kNoWords;
  }
  std::size_t FreeWords(std::string_view code) const {
    const std::size_t slot = SlotOf(code);
    return slot < slots_.size() ? slots_[slot].freeWords : 0;
  }
  std::size_t FreePictures(std::string_view code) const {
    const std::size_t slot = SlotOf(code);
    return slot < slots_.size() ? slots_[slot].freePictures : 0;
  }
  // The best free word of the code other than `besides`, or -1; with
  // `pictures`, only a picturable one.
  int FirstFree(std::string_view code, bool pictures, int besides = -1) const {
    const std::size_t slot = SlotOf(code);
    if (slot >= slots_.size()) return -1;
    const Slot& s = slots_[slot];
    for (std::size_t k = 0; k < (pictures ? s.pictures : s.words.size()); ++k)
      if (!IsUsed(s.words[k]) && s.words[k] != besides) return s.words[k];
    return -1;
  }

  // The word's place in its code's order.
  std::size_t PlaceOf(std::string_view code, int entry) const {
    const auto& words = Words(code);
    return static_cast<std::size_t>(std::find(words.begin(), words.end(), entry) - words.begin());
  }
  std::size_t Pictures(std::string_view code) const {
    const std::size_t slot = SlotOf(code);
    return slot < slots_.size() ? slots_[slot].pictures : 0;
  }

  bool IsUsed(int entry) const { return used_[static_cast<std::size_t>(entry)] != 0; }
  bool IsUsed(const std::string& word) const {
    const int entry = d_.FindWord(word);
    return entry >= 0 && IsUsed(entry);
  }
  void Use(int entry) {
    if (entry < 0 || IsUsed(entry)) return;
    used_[static_cast<std::size_t>(entry)] = 1;
    const std::size_t slot = SlotOf(d_.CodeAt(entry));
    if (slot >= slots_.size()) return;
    Slot& s = slots_[slot];
    const auto at = std::find(s.words.begin(), s.words.end(), entry);
    if (at == s.words.end()) return;
    --s.freeWords;
    if (static_cast<std::size_t>(at - s.words.begin()) < s.pictures) --s.freePictures;
  }
  const std::string& CodeOf(const std::string& word) const { return d_.CodeAt(d_.FindWord(word)); }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  struct Slot {
    std::vector<int> words;
    std::size_t pictures = 0;
    std::size_t freeWords = 0;
    std::size_t freePictures = 0;
  };

  // Codes of one to three digits, one slot each: 0-9, then 00-99, then
  // 000-999.
  static std::size_t SlotOf(std::string_view code) {
    if (code.empty() || code.size() > static_cast<std::size_t>(kMaxPegDigits)) return kNone;
    std::size_t value = 0, first = 0, size = 1;
    for (char c : code) {
      if (c < '0' || c > '9') return kNone;
      value = value * 10 + static_cast<std::size_t>(c - '0');
      first += size;
      size *= 10;
    }
    return first - 1 + value;
  }

  PegRank RankOf(int entry, const std::vector<RPeg>* twoDigitPegs) const {
    const RWordEntry& e = d_.EntryAt(entry);
    const std::string singular = SingularOf(d_, entry);
    bool pluralOfPeg = false;
    if (twoDigitPegs && !singular.empty() && e.code.size() == 3) {
      const RPeg& peg = (*twoDigitPegs)[static_cast<std::size_t>(std::stoi(e.code.substr(0, 2)))];
      pluralOfPeg = peg.words.size() == 1 && peg.words.front() == singular;
    }
    const unsigned char degree = d_.PictureDegree(e);
    const std::size_t kind = std::min(kPictureCategories.find(d_.PictureCategory(e)), kPictureCategories.size());
    return {!d_.IsPicturableEntry(e),
            pluralOfPeg,
            !singular.empty() || d_.IsPluralEntry(e),  // IsPluralWord, with the singular at hand
            degree < kStrongPicture,
            !d_.IsCommonEntry(e),
            StartsSilent(d_, e),
            !e.noun,
            e.level,
            kind,
            kFullPicture - degree,
            entry};
  }

  const RDictionary& d_;
  std::vector<Slot> slots_;
  std::vector<char> used_;
};

// A number without a picturable word of its own: its best phrases, and the
// codes of their words (kUncoveredSlot for an uncovered digit), each
// sequence once.
struct PhraseChoice {
  int number = 0;
  std::vector<RRankedPhrase> phrases;
  std::vector<std::vector<std::string>> shapes;
};

// How many phrases of the number's shapes the free words still allow.
double WaysLeft(const PhraseChoice& c, const WordPool& pool) {
  double total = 0;
  for (const auto& shape : c.shapes) {
    double product = 1;
    for (const std::string& code : shape)
      if (!IsUncoveredSlot(code)) product *= static_cast<double>(pool.FreeWords(code));
    total += product;
  }
  return total;
}

// True when none of the phrase's words is taken, nor stands in it twice
// ("tie tie" for 11 would use one word for two numbers' digits).
bool AllFree(const RRankedPhrase& phrase, const WordPool& pool) {
  for (auto w = phrase.words.begin(); w != phrase.words.end(); ++w)
    if (!IsUncoveredWord(*w) && (pool.IsUsed(*w) || std::find(phrase.words.begin(), w, *w) != w)) return false;
  return true;
}

// The shape's best free words, one per code, not one twice; false when a
// code has no free word left, unless its digits may stay uncovered.
bool FillShape(const RDictionary& d, const std::vector<std::string>& shape, const WordPool& pool, bool allowMarks,
               std::vector<std::string>& out) {
  out.clear();
  std::vector<int> taken;
  for (const std::string& code : shape) {
    if (IsUncoveredSlot(code)) {
      out.push_back(code);
      continue;
    }
    int free = -1;
    for (int entry : pool.Words(code))
      if (!pool.IsUsed(entry) && std::find(taken.begin(), taken.end(), entry) == taken.end()) {
        free = entry;
        break;
      }
    if (free >= 0) {
      taken.push_back(free);
      out.push_back(d.WordAt(free));
    } else if (allowMarks) {
      out.insert(out.end(), code.size(), kUncoveredSlot);
    } else {
      return false;
    }
  }
  return true;
}

// Every way to cut the digits into codes that have words and single
// uncovered digits with as many words and uncovered digits as the best
// phrase: the shapes of the phrases that are as good by their count.
void AddShapes(const std::string& digits, std::size_t at, int words, int marks, const WordPool& pool,
               std::vector<std::string>& shape, std::vector<std::vector<std::string>>& shapes) {
  if (at == digits.size()) {
    if (words == 0 && marks == 0 && std::find(shapes.begin(), shapes.end(), shape) == shapes.end())
      shapes.push_back(shape);
    return;
  }
  if (marks > 0) {
    shape.emplace_back(kUncoveredSlot);
    AddShapes(digits, at + 1, words, marks - 1, pool, shape, shapes);
    shape.pop_back();
  }
  for (std::size_t length = 1; words > 0 && at + length <= digits.size(); ++length) {
    const std::string code = digits.substr(at, length);
    if (pool.Words(code).empty()) continue;
    shape.push_back(code);
    AddShapes(digits, at + length, words - 1, marks, pool, shape, shapes);
    shape.pop_back();
  }
}

// The first of the number's best phrases that shares no word with another
// peg; else the best free words of its first shape that still has them;
// else the best phrase's shape with the digits of the lacking words left
// uncovered.
std::vector<std::string> ChoosePhrase(const RDictionary& d, const PhraseChoice& c, const WordPool& pool,
                                      std::size_t digits) {
  std::vector<std::string> words;
  for (const RRankedPhrase& phrase : c.phrases) {
    if (!AllFree(phrase, pool)) continue;
    for (const std::string& w : phrase.words) words.push_back(SlotOfWord(w));
    return words;
  }
  for (const auto& shape : c.shapes)
    if (FillShape(d, shape, pool, false, words)) return words;
  if (c.shapes.empty()) return UncoveredSlots(digits);
  FillShape(d, c.shapes.front(), pool, true, words);
  return words;
}

// Two codes that cover a number one after the other.
using Cut = std::pair<std::string, std::string>;

// Seats numbers on cuts whose codes still have a free word for them (or,
// seating for pictures, a free picture): a number whose codes are full
// makes room by moving a number that holds one of them to its other cut,
// and that one in turn, a few steps deep. The words of one code are alike
// for this, so only their count matters.
class Pairing {
 public:
  explicit Pairing(const WordPool& pool) : pool_(pool) {}

  // Seats the numbers (pegs' indexes) it can; returns those it cannot. A
  // number seated for pictures that must make way for one seated for words
  // may lose its pictures.
  std::vector<int> Seat(const std::vector<RPeg>& pegs, std::vector<int> open, bool pictures) {
    pictures_ = pictures;
    for (int n : open) cuts_[n] = CutsOf(pegs[static_cast<std::size_t>(n)].number);
    std::stable_sort(open.begin(), open.end(), [this](int a, int b) { return cuts_[a].size() < cuts_[b].size(); });
    std::vector<int> left;
    for (int n : open) {
      std::vector<int> visited;
      if (!SeatOne(n, kDepth, visited)) left.push_back(n);
    }
    std::sort(left.begin(), left.end());
    return left;
  }

  // The seated numbers, each with its cut and whether it was seated for
  // pictures.
  const std::map<int, std::pair<Cut, bool>>& Seated() const { return seated_; }

 private:
  // How many numbers may make way for another, one after the other.
  static constexpr int kDepth = 4;

  // The number's cuts whose codes have the words (or pictures) for it, those
  // whose codes both have the most pictures first.
  std::vector<Cut> CutsOf(const std::string& number) const {
    std::vector<Cut> cuts;
    for (std::size_t at = 1; at < number.size(); ++at) {
      Cut c{number.substr(0, at), number.substr(at)};
      if (Capacity(c.first) >= Need(c, c.first) && Capacity(c.second) >= Need(c, c.second))
        cuts.push_back(std::move(c));
    }
    std::stable_sort(cuts.begin(), cuts.end(), [this](const Cut& a, const Cut& b) {
      return std::min(pool_.Pictures(a.first), pool_.Pictures(a.second)) >
             std::min(pool_.Pictures(b.first), pool_.Pictures(b.second));
    });
    return cuts;
  }
  static std::size_t Need(const Cut& c, const std::string& code) {
    return (c.first == code ? 1u : 0u) + (c.second == code ? 1u : 0u);
  }
  // The free words (seating for pictures, the free pictures) of the code,
  // and those of them no seated number holds.
  std::size_t Capacity(const std::string& code) const {
    return pictures_ ? pool_.FreePictures(code) : pool_.FreeWords(code);
  }
  std::size_t Room(const std::string& code) const {
    const auto it = load_.find(code);
    const std::size_t load = it == load_.end() ? 0 : it->second;
    return Capacity(code) > load ? Capacity(code) - load : 0;
  }
  bool Fits(const Cut& c) const { return Room(c.first) >= Need(c, c.first) && Room(c.second) >= Need(c, c.second); }
  void Take(int n, const Cut& c, bool pictures) {
    seated_[n] = {c, pictures};
    ++load_[c.first];
    ++load_[c.second];
  }
  std::pair<Cut, bool> Release(int n) {
    const auto seat = seated_[n];
    seated_.erase(n);
    --load_[seat.first.first];
    --load_[seat.first.second];
    return seat;
  }

  bool SeatOne(int n, int depth, std::vector<int>& visited) {
    const auto& cuts = cuts_[n];
    for (const Cut& c : cuts)
      if (Fits(c)) {
        Take(n, c, pictures_);
        return true;
      }
    if (depth == 0) return false;
    for (const Cut& c : cuts) {
      for (const std::string* code : {&c.first, &c.second}) {
        if (Room(*code) >= Need(c, *code)) continue;
        std::vector<int> holders;
        for (const auto& [m, seat] : seated_)
          if ((seat.first.first == *code || seat.first.second == *code) &&
              std::find(visited.begin(), visited.end(), m) == visited.end())
            holders.push_back(m);
        for (int m : holders) {
          visited.push_back(m);
          const auto old = Release(m);
          if (Fits(c)) {
            Take(n, c, pictures_);
            if (SeatOne(m, depth - 1, visited)) return true;
            Release(n);
          }
          Take(m, old.first, old.second);
        }
      }
    }
    return false;
  }

  const WordPool& pool_;
  bool pictures_ = false;
  std::map<int, std::vector<Cut>> cuts_;
  std::map<int, std::pair<Cut, bool>> seated_;
  std::map<std::string, std::size_t> load_;
};

// Gives numbers two free pictures each, one for each code of one of their
// cuts, the number with the fewest such pairs left first, so that one with
// a single pair does not lose it to one with hundreds (ties go in the
// numbers' order), and no picture is spent on a number that cannot have
// two. Returns the numbers that found none.
std::vector<int> GivePicturePairs(const RDictionary& d, std::vector<RPeg>& pegs, std::vector<int> numbers,
                                  const std::map<int, std::vector<Cut>>& cuts, WordPool& pool) {
  const auto pairsLeft = [&pool](const Cut& c) {
    const std::size_t a = pool.FreePictures(c.first), b = pool.FreePictures(c.second);
    return c.first == c.second ? a * (a > 0 ? a - 1 : 0) : a * b;
  };
  for (;;) {
    std::size_t next = numbers.size(), fewest = 0;
    for (std::size_t k = 0; k < numbers.size(); ++k) {
      std::size_t pairs = 0;
      for (const Cut& c : cuts.at(numbers[k])) pairs += pairsLeft(c);
      if (pairs > 0 && (next == numbers.size() || pairs < fewest)) {
        next = k;
        fewest = pairs;
      }
    }
    if (next == numbers.size()) return numbers;
    // The cut whose worse picture stands higher in its code's order.
    std::optional<std::pair<int, int>> best;
    std::pair<std::size_t, std::size_t> bestPlaces;
    for (const Cut& c : cuts.at(numbers[next])) {
      const int first = pool.FirstFree(c.first, true);
      const int second = first < 0 ? -1 : pool.FirstFree(c.second, true, first);
      if (second < 0) continue;
      const std::size_t pa = pool.PlaceOf(c.first, first), pb = pool.PlaceOf(c.second, second);
      const std::pair<std::size_t, std::size_t> places{std::max(pa, pb), std::min(pa, pb)};
      if (!best || places < bestPlaces) {
        best = std::make_pair(first, second);
        bestPlaces = places;
      }
    }
    pool.Use(best->first);
    pool.Use(best->second);
    pegs[static_cast<std::size_t>(numbers[next])].words = {d.WordAt(best->first), d.WordAt(best->second)};
    numbers.erase(numbers.begin() + static_cast<std::ptrdiff_t>(next));
  }
}

}  // namespace

std::string SingularOf(const RDictionary& dictionary, int position) {
  const std::string& word = dictionary.WordAt(position);
  const std::string& code = dictionary.CodeAt(position);
  if (word.size() < 3 || word.back() != 's' || code.empty() || code.back() != '0') return {};
  const std::string_view stem(word.data(), word.size() - 1);
  std::vector<std::string> singulars{std::string(stem)};
  if (word.ends_with("es")) singulars.emplace_back(stem.substr(0, stem.size() - 1));
  if (word.ends_with("ies")) singulars.push_back(std::string(stem.substr(0, stem.size() - 2)) + "y");
  if (word.ends_with("ves")) {
    singulars.push_back(std::string(stem.substr(0, stem.size() - 2)) + "f");
    singulars.push_back(std::string(stem.substr(0, stem.size() - 2)) + "fe");
  }
  for (const std::string& singular : singulars) {
    const int p = dictionary.FindWord(singular);
    if (p >= 0 && dictionary.CodeAt(p) + "0" == code) return singular;
  }
  return {};
}

bool IsPluralWord(const RDictionary& dictionary, int position) {
  return dictionary.IsPluralEntry(dictionary.EntryAt(position)) || !SingularOf(dictionary, position).empty();
}

std::string RPeg::Phrase() const {
  std::string out;
  for (const std::string& w : words) {
    if (!out.empty()) out += ' ';
    out += WordOfSlot(w);
  }
  return out;
}

std::vector<RPeg> MakePegList(const RDictionary& dictionary, int digits) {
  if ((digits < kMinPegDigits && digits != 1) || digits > kMaxPegDigits) return {};
  const int numbers = digits == 1 ? 10 : digits == 2 ? 100 : 1000;
  std::vector<RPeg> pegs(static_cast<std::size_t>(numbers));
  for (int n = 0; n < numbers; ++n) pegs[static_cast<std::size_t>(n)].number = NumberText(n, digits);

  std::vector<RPeg> twoDigitPegs;
  if (digits == 3) twoDigitPegs = MakePegList(dictionary, 2);
  WordPool pool(dictionary, digits, digits == 3 ? &twoDigitPegs : nullptr);

  // A word has one code, so two numbers of the same length never want the
  // same single word: each number with a picturable word simply gets its
  // best one. Only the other numbers, made of shorter words, compete.
  // The others: those without a word of their own of any kind need two
  // words, and get a cut whose codes have them first; those with only a
  // word that is no picture may have two pictures, if any are left.
  std::vector<int> open, ownWord;
  for (int n = 0; n < numbers; ++n) {
    RPeg& peg = pegs[static_cast<std::size_t>(n)];
    const int word = pool.FirstFree(peg.number, true);
    if (word < 0) {
      (pool.FirstFree(peg.number, false) < 0 ? open : ownWord).push_back(n);
      continue;
    }
    peg.words = {dictionary.WordAt(word)};
    peg.picturable = true;
    pool.Use(word);
  }
  Pairing pairing(pool);
  open = pairing.Seat(pegs, pairing.Seat(pegs, std::move(open), true), false);
  // Those seated for pictures take theirs first, then the others the
  // pictures left, then any free words.
  std::map<int, std::vector<Cut>> cuts;
  std::vector<int> forPictures, forWords;
  for (const auto& [n, seat] : pairing.Seated()) {
    cuts[n] = {seat.first};
    (seat.second ? forPictures : forWords).push_back(n);
  }
  for (int n : GivePicturePairs(dictionary, pegs, forPictures, cuts, pool)) forWords.push_back(n);
  for (int n : GivePicturePairs(dictionary, pegs, forWords, cuts, pool)) {
    const Cut& c = cuts[n].front();
    const int first = pool.FirstFree(c.first, false);
    const int second = pool.FirstFree(c.second, false, first);
    pool.Use(first);
    pool.Use(second);
    pegs[static_cast<std::size_t>(n)].words = {dictionary.WordAt(first), dictionary.WordAt(second)};
  }
  for (int n : ownWord) {
    const std::string& number = pegs[static_cast<std::size_t>(n)].number;
    std::vector<Cut>& own = cuts[n];  // none for a single digit
    for (std::size_t at = 1; at < number.size(); ++at) own.emplace_back(number.substr(0, at), number.substr(at));
  }
  for (int n : GivePicturePairs(dictionary, pegs, ownWord, cuts, pool)) {
    RPeg& peg = pegs[static_cast<std::size_t>(n)];
    const int word = pool.FirstFree(peg.number, false);
    peg.words = {dictionary.WordAt(word)};
    pool.Use(word);
  }

  // The rest take phrases, the same way: the number with the fewest phrases
  // left to make from the free words first.
  std::vector<PhraseChoice> choices;
  for (int n : open) {
    PhraseChoice c;
    c.number = n;
    const std::string& number = pegs[static_cast<std::size_t>(n)].number;
    c.phrases = FindBestPhrases(dictionary, number, kPhraseChoices);
    // The shapes in the order of the best phrases, then those no phrase
    // among them has.
    for (const RRankedPhrase& phrase : c.phrases) {
      std::vector<std::string> shape;
      for (const std::string& w : phrase.words)
        shape.push_back(IsUncoveredWord(w) ? std::string(kUncoveredSlot) : pool.CodeOf(w));
      if (std::find(c.shapes.begin(), c.shapes.end(), shape) == c.shapes.end()) c.shapes.push_back(std::move(shape));
    }
    if (!c.phrases.empty()) {
      std::vector<std::string> shape;
      AddShapes(number, 0, c.phrases.front().wordCount, c.phrases.front().uncovered, pool, shape, c.shapes);
    }
    choices.push_back(std::move(c));
  }
  while (!choices.empty()) {
    std::size_t next = 0;
    double fewest = WaysLeft(choices[0], pool);
    for (std::size_t k = 1; k < choices.size() && fewest > 0; ++k) {
      const double free = WaysLeft(choices[k], pool);
      if (free < fewest) {
        fewest = free;
        next = k;
      }
    }
    RPeg& peg = pegs[static_cast<std::size_t>(choices[next].number)];
    peg.words = ChoosePhrase(dictionary, choices[next], pool, static_cast<std::size_t>(digits));
    for (const std::string& w : peg.words)
      if (!IsUncoveredSlot(w)) pool.Use(dictionary.FindWord(w));
    choices.erase(choices.begin() + static_cast<std::ptrdiff_t>(next));
  }
  return pegs;
}

std::vector<int> PegCandidates(const RDictionary& dictionary, std::string_view number,
                               const std::vector<RPeg>* twoDigitPegs) {
  if (number.empty() || number.size() > static_cast<std::size_t>(kMaxPegDigits)) return {};
  const int digits = static_cast<int>(number.size());
  const WordPool pool(dictionary, digits, digits == 3 && twoDigitPegs && twoDigitPegs->size() == 100 ? twoDigitPegs
                                                                                                      : nullptr);
  return pool.Words(number);
}

void AddPegEntries(RWorksheet& worksheet, const std::vector<RPeg>& pegs) {
  for (const RPeg& peg : pegs) {
    auto entry = std::make_unique<RNumber>();
    entry->SetNumber(peg.number);
    entry->SetSlots(peg.words);
    entry->ComposePhrase(0, 0);
    worksheet.Insert(std::move(entry), worksheet.Count());
  }
}

int AskPegDigits() {
  std::string value = std::to_string(kMinPegDigits);
  for (;;) {
    if (!CurrentPlatform().InputBox("New Peg List",
                                    "How many digits? 2 makes pegs for 00 to 99, 3 for 000 to 999.", value))
      return 0;
    const std::string_view typed = TrimBlanks(value);
    if (typed.size() == 1 && typed[0] >= '0' + kMinPegDigits && typed[0] <= '0' + kMaxPegDigits)
      return typed[0] - '0';
    ShowNotice("Please enter 2 or 3.");
  }
}

}  // namespace tq
