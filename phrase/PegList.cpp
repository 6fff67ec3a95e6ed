#include "PegList.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "BestPhrases.h"
#include "Messages.h"
#include "Platform.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "RWorksheet.h"
#include "Text.h"

namespace tq {
namespace {

// How many best phrases a number without a picturable word looks through
// for one whose words no other peg has taken; should all of them be taken,
// it looks once more through as many as the search gives.
constexpr std::size_t kPhraseChoices = 20;

std::string NumberText(int value, int digits) {
  std::string text(static_cast<std::size_t>(digits), '0');
  for (int k = digits - 1; k >= 0 && value > 0; --k, value /= 10)
    text[static_cast<std::size_t>(k)] = static_cast<char>('0' + value % 10);
  return text;
}

// The value of a code of exactly `digits` digits, or -1.
int CodeValue(const std::string& code, int digits) {
  if (code.size() != static_cast<std::size_t>(digits)) return -1;
  int value = 0;
  for (char c : code) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The picturable words of every number, most common first as the best
// phrases weigh commonness (the user's own words count as common), then in
// the store's order, which is the words' byte order.
std::vector<std::vector<int>> PicturableWords(const RDictionary& d, int digits, int numbers) {
  std::vector<std::vector<int>> out(static_cast<std::size_t>(numbers));
  for (std::size_t i : d.BucketEntries(digits)) {
    const WordEntry& e = d.EntryAt(static_cast<int>(i));
    const int value = CodeValue(e.code, digits);
    if (value >= 0 && d.IsPicturableEntry(e)) out[static_cast<std::size_t>(value)].push_back(static_cast<int>(i));
  }
  for (auto& words : out) {
    std::sort(words.begin(), words.end(), [&d](int a, int b) {
      const WordEntry& x = d.EntryAt(a);
      const WordEntry& y = d.EntryAt(b);
      const bool xc = d.IsCommonEntry(x);
      const bool yc = d.IsCommonEntry(y);
      if (xc != yc) return xc;
      if (x.level != y.level) return x.level < y.level;
      return a < b;
    });
  }
  return out;
}

bool IsMark(const std::string& word) { return word.size() == 1 && word[0] == kUncoveredMark; }

// True when none of the phrase's words is taken, nor stands in it twice
// ("tie tie" for 11 would use one word for two digits of the list).
bool AllFree(const RankedPhrase& phrase, const std::unordered_set<std::string>& used) {
  for (std::size_t k = 0; k < phrase.words.size(); ++k) {
    const std::string& w = phrase.words[k];
    if (IsMark(w)) continue;
    if (used.count(w) || std::find(phrase.words.begin(), phrase.words.begin() + static_cast<std::ptrdiff_t>(k), w) !=
                             phrase.words.begin() + static_cast<std::ptrdiff_t>(k))
      return false;
  }
  return true;
}

// The first of the phrases whose words are all free; false when there is none.
bool TakeFreePhrase(const std::vector<RankedPhrase>& phrases, std::unordered_set<std::string>& used, Peg& peg) {
  for (const RankedPhrase& phrase : phrases) {
    if (!AllFree(phrase, used)) continue;
    peg.words.clear();
    for (const std::string& w : phrase.words) {
      const bool mark = IsMark(w);
      peg.words.push_back(mark ? std::string(".") : w);
      if (!mark) used.insert(w);
    }
    return true;
  }
  return false;
}

// The phrase with each taken word (and each repeated one) given back as
// uncovered digits.
void KeepFreeWords(const RDictionary& d, const RankedPhrase& phrase, std::unordered_set<std::string>& used,
                   Peg& peg) {
  peg.words.clear();
  for (const std::string& w : phrase.words) {
    if (!IsMark(w) && used.insert(w).second) {
      peg.words.push_back(w);
      continue;
    }
    const int position = IsMark(w) ? -1 : d.FindWord(w);
    const std::size_t digits = position < 0 ? 1 : d.CodeAt(position).size();
    peg.words.insert(peg.words.end(), digits, std::string("."));
  }
}

}  // namespace

std::string Peg::Phrase() const {
  std::string out;
  for (const std::string& w : words) {
    if (!out.empty()) out += ' ';
    out += w == "." ? std::string(1, kUncoveredMark) : w;
  }
  return out;
}

std::vector<Peg> MakePegList(const RDictionary& dictionary, int digits) {
  if (digits < kMinPegDigits || digits > kMaxPegDigits) return {};
  const int numbers = digits == 2 ? 100 : 1000;
  std::vector<Peg> pegs(static_cast<std::size_t>(numbers));
  for (int n = 0; n < numbers; ++n) pegs[static_cast<std::size_t>(n)].number = NumberText(n, digits);

  // A word has one code, so two numbers of the same length never want the
  // same single word: each number with a picturable word simply gets its
  // most common one. Only the phrases of the other numbers, made of shorter
  // words, can compete for a word.
  std::unordered_set<std::string> used;
  const auto picturable = PicturableWords(dictionary, digits, numbers);
  std::vector<int> rest;
  for (int n = 0; n < numbers; ++n) {
    const auto& words = picturable[static_cast<std::size_t>(n)];
    Peg& peg = pegs[static_cast<std::size_t>(n)];
    const auto free = std::find_if(words.begin(), words.end(),
                                   [&](int i) { return !used.count(dictionary.EntryAt(i).word); });
    if (free == words.end()) {
      rest.push_back(n);
      continue;
    }
    peg.words = {dictionary.EntryAt(*free).word};
    peg.picturable = true;
    used.insert(peg.words.front());
  }

  // The numbers with the fewest phrases to choose from choose first, so that
  // one with a single phrase does not lose it to one with twenty.
  std::vector<std::pair<int, std::vector<RankedPhrase>>> phrases;
  phrases.reserve(rest.size());
  for (int n : rest)
    phrases.emplace_back(n, FindBestPhrases(dictionary, pegs[static_cast<std::size_t>(n)].number, kPhraseChoices));
  std::stable_sort(phrases.begin(), phrases.end(),
                   [](const auto& a, const auto& b) { return a.second.size() < b.second.size(); });
  for (const auto& [n, list] : phrases) {
    Peg& peg = pegs[static_cast<std::size_t>(n)];
    if (TakeFreePhrase(list, used, peg)) continue;
    if (list.size() == kPhraseChoices &&
        TakeFreePhrase(FindBestPhrases(dictionary, peg.number, kMaxBestPhrases), used, peg))
      continue;
    // Every phrase the search knows shares a word with another peg: the
    // best one keeps its free words, and the digits of the others stay
    // uncovered rather than a word standing for two numbers.
    if (list.empty())
      peg.words.assign(static_cast<std::size_t>(digits), std::string("."));
    else
      KeepFreeWords(dictionary, list.front(), used, peg);
  }
  return pegs;
}

void AddPegEntries(RWorksheet& worksheet, const std::vector<Peg>& pegs) {
  for (const Peg& peg : pegs) {
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
