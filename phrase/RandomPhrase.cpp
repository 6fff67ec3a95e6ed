#include "RandomPhrase.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <optional>

#include "RDictionary.h"
#include "RNumber.h"

namespace tq {
namespace {

// The words of every code of up to three digits, gathered in one pass over
// the dictionary: looking each piece up on its own goes through every word
// of the piece's length, which for a long number would happen thousands of
// times over for the same few hundred short codes. Picks the same word the
// dictionary's own random choice would, from the same draw: the words of a
// code stand in the order of the dictionary's code index.
class WordsByCode {
 public:
  explicit WordsByCode(const RDictionary& dictionary) {
    for (int k = 0; k < dictionary.Count(); ++k) {
      const RWordEntry& entry = dictionary.EntryAt(k);
      if (entry.hasCode && entry.code.size() <= static_cast<std::size_t>(kMaxRandomPiece))
        words_[entry.code].push_back(entry.word);
    }
  }

  bool HasWords(std::string_view code) const { return words_.find(code) != words_.end(); }

  std::optional<std::string> RandomWordFor(std::string_view code) const {
    const auto found = words_.find(code);
    if (found == words_.end()) return std::nullopt;
    const std::vector<std::string>& words = found->second;
    return words[static_cast<std::size_t>(RandomBelow(static_cast<int>(words.size())))];
  }

 private:
  std::map<std::string, std::vector<std::string>, std::less<>> words_;
};

// Tries the piece of n digits at p, then ever shorter ones, but none of
// `shortest` digits or fewer (those are known to have no word). On success
// `taken` is the length of the piece that had the word.
std::optional<std::string> LongestWordFrom(const WordsByCode& words, std::string_view digits, std::size_t p, int n,
                                           int shortest, int& taken) {
  for (taken = n; taken > shortest; --taken)
    if (auto word = words.RandomWordFor(digits.substr(p, static_cast<std::size_t>(taken)))) return word;
  return std::nullopt;
}

// True when some piece of one to `longest` digits at p has a word.
bool AnyPieceFits(const WordsByCode& words, std::string_view digits, std::size_t p, int longest) {
  for (int length = longest; length > 0; --length)
    if (words.HasWords(digits.substr(p, static_cast<std::size_t>(length)))) return true;
  return false;
}

}  // namespace

std::vector<RRandomPhrasePart> GenerateRandomParts(const RDictionary& dictionary, std::string_view digits,
                                                  const RandomDraw& draw) {
  const WordsByCode words(dictionary);
  std::vector<RRandomPhrasePart> parts;
  std::size_t p = 0;
  while (p < digits.size()) {
    const int longest = static_cast<int>(std::min<std::size_t>(kMaxRandomPiece, digits.size() - p));
    int n = std::clamp(draw(kMaxRandomPiece) + 1, 1, longest);
    // Every piece of `failed` digits or fewer at p is known to have no word.
    int failed = 0;
    for (;;) {
      int taken = 0;
      if (auto word = LongestWordFrom(words, digits, p, n, failed, taken)) {
        parts.push_back(RRandomPhrasePart{std::move(*word), p, static_cast<std::size_t>(taken), false});
        p += static_cast<std::size_t>(taken);
        break;
      }
      if (failed == 0 && !AnyPieceFits(words, digits, p, longest)) {
        // Nothing fits this digit: leave it uncovered for the user to fill
        // in the columns rather than draw again for ever.
        parts.push_back(RRandomPhrasePart{std::string(1, kUncoveredMark), p, 1, true});
        p += 1;
        break;
      }
      failed = n;
      // A word without a code stands for no digit; it keeps the phrase
      // readable while a longer piece is drawn for the same digit. Only the
      // longer lengths are drawn again, so this happens twice at most.
      if (auto filler = words.RandomWordFor(std::string_view()))
        parts.push_back(RRandomPhrasePart{std::move(*filler), p, 0, false});
      n = std::clamp(failed + 1 + draw(longest - failed), failed + 1, longest);
    }
  }
  return parts;
}

std::vector<RRandomPhrasePart> GenerateRandomParts(const RDictionary& dictionary, std::string_view digits) {
  return GenerateRandomParts(dictionary, digits, [](int n) { return RandomBelow(n); });
}

std::string JoinRandomPhrase(const std::vector<RRandomPhrasePart>& parts) {
  std::string phrase;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) phrase += ' ';
    phrase += parts[i].text;
  }
  return phrase;
}

std::string GenerateRandomPhrase(const RDictionary& dictionary, std::string_view digits) {
  return JoinRandomPhrase(GenerateRandomParts(dictionary, digits));
}

void SeedRandomFromClock() { std::srand(static_cast<unsigned>(std::time(nullptr))); }

}  // namespace tq
