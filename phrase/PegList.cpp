#include "PegList.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
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
// for one whose words no other peg has taken, and whose shapes it may take.
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

// The picturable words of every number, best first as the best phrases
// weigh words: common ones first (the user's own words count as common),
// then words mostly used as nouns, then the more common by level, then in
// the store's order, which is the words' byte order.
std::vector<std::vector<int>> PicturableWords(const RDictionary& d, int digits, int numbers) {
  std::vector<std::vector<int>> out(static_cast<std::size_t>(numbers));
  for (std::size_t i : d.BucketEntries(digits)) {
    const RWordEntry& e = d.EntryAt(static_cast<int>(i));
    const int value = CodeValue(e.code, digits);
    if (value >= 0 && d.IsPicturableEntry(e)) out[static_cast<std::size_t>(value)].push_back(static_cast<int>(i));
  }
  for (auto& words : out) {
    std::sort(words.begin(), words.end(), [&d](int a, int b) {
      const RWordEntry& x = d.EntryAt(a);
      const RWordEntry& y = d.EntryAt(b);
      const bool xc = d.IsCommonEntry(x);
      const bool yc = d.IsCommonEntry(y);
      if (xc != yc) return xc;
      if (x.noun != y.noun) return x.noun;
      if (x.level != y.level) return x.level < y.level;
      return a < b;
    });
  }
  return out;
}

bool IsMark(const std::string& word) { return word.size() == 1 && word[0] == kUncoveredMark; }

// The words the pegs draw on: which are taken, and every code's words best
// first as the search ranks them, with a count of those still free.
class WordPool {
 public:
  explicit WordPool(const RDictionary& d) : d_(d) {}
  bool IsUsed(const std::string& word) const { return used_.count(word) != 0; }
  void Use(const std::string& word) {
    if (!used_.insert(word).second) return;
    const auto it = free_.find(CodeOf(word));
    if (it != free_.end() && it->second > 0) --it->second;
  }
  const std::string& CodeOf(const std::string& word) const { return d_.CodeAt(d_.FindWord(word)); }
  const std::vector<std::string>& Words(const std::string& code) {
    const auto [it, added] = words_.try_emplace(code);
    if (added) {
      std::size_t free = 0;
      for (const RRankedPhrase& p : FindBestPhrases(d_, code, kMaxBestPhrases)) {
        if (!p.complete || p.wordCount != 1) continue;
        it->second.push_back(p.words.front());
        free += IsUsed(p.words.front()) ? 0 : 1;
      }
      free_[code] = free;
    }
    return it->second;
  }
  std::size_t FreeCount(const std::string& code) {
    Words(code);
    return free_[code];
  }

 private:
  const RDictionary& d_;
  std::unordered_set<std::string> used_;
  std::unordered_map<std::string, std::vector<std::string>> words_;
  std::unordered_map<std::string, std::size_t> free_;
};

// A number without a picturable word: its best phrases, and the codes of
// their words ("." for an uncovered digit), each sequence once.
struct PhraseChoice {
  int number = 0;
  std::vector<RRankedPhrase> phrases;
  std::vector<std::vector<std::string>> shapes;
};

// How many phrases of the number's shapes the free words still allow.
double WaysLeft(const PhraseChoice& c, WordPool& pool) {
  double total = 0;
  for (const auto& shape : c.shapes) {
    double product = 1;
    for (const std::string& code : shape)
      if (code != ".") product *= static_cast<double>(pool.FreeCount(code));
    total += product;
  }
  return total;
}

// True when none of the phrase's words is taken, nor stands in it twice
// ("tie tie" for 11 would use one word for two numbers' digits).
bool AllFree(const RRankedPhrase& phrase, const WordPool& pool) {
  for (auto w = phrase.words.begin(); w != phrase.words.end(); ++w)
    if (!IsMark(*w) && (pool.IsUsed(*w) || std::find(phrase.words.begin(), w, *w) != w)) return false;
  return true;
}

// The shape's best free words, one per code, not one twice; false when a
// code has no free word left, unless its digits may stay uncovered.
bool FillShape(const std::vector<std::string>& shape, WordPool& pool, bool allowMarks, std::vector<std::string>& out) {
  out.clear();
  for (const std::string& code : shape) {
    if (code == ".") {
      out.push_back(code);
      continue;
    }
    const auto& words = pool.Words(code);
    const auto free = std::find_if(words.begin(), words.end(), [&](const std::string& w) {
      return !pool.IsUsed(w) && std::find(out.begin(), out.end(), w) == out.end();
    });
    if (free != words.end())
      out.push_back(*free);
    else if (allowMarks)
      out.insert(out.end(), code.size(), std::string("."));
    else
      return false;
  }
  return true;
}

// Every way to cut the digits into codes that have words and single
// uncovered digits with as many words and uncovered digits as the best
// phrase: the shapes of the phrases that are as good by their count.
void AddShapes(const std::string& digits, std::size_t at, int words, int marks, WordPool& pool,
               std::vector<std::string>& shape, std::vector<std::vector<std::string>>& shapes) {
  if (at == digits.size()) {
    if (words == 0 && marks == 0 && std::find(shapes.begin(), shapes.end(), shape) == shapes.end())
      shapes.push_back(shape);
    return;
  }
  if (marks > 0) {
    shape.emplace_back(".");
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
std::vector<std::string> ChoosePhrase(const PhraseChoice& c, WordPool& pool, std::size_t digits) {
  std::vector<std::string> words;
  for (const RRankedPhrase& phrase : c.phrases) {
    if (!AllFree(phrase, pool)) continue;
    for (const std::string& w : phrase.words) words.push_back(IsMark(w) ? std::string(".") : w);
    return words;
  }
  for (const auto& shape : c.shapes)
    if (FillShape(shape, pool, false, words)) return words;
  if (c.shapes.empty()) return std::vector<std::string>(digits, std::string("."));
  FillShape(c.shapes.front(), pool, true, words);
  return words;
}

}  // namespace

std::string RPeg::Phrase() const {
  std::string out;
  for (const std::string& w : words) {
    if (!out.empty()) out += ' ';
    out += w == "." ? std::string(1, kUncoveredMark) : w;
  }
  return out;
}

std::vector<RPeg> MakePegList(const RDictionary& dictionary, int digits) {
  if (digits < kMinPegDigits || digits > kMaxPegDigits) return {};
  const int numbers = digits == 2 ? 100 : 1000;
  std::vector<RPeg> pegs(static_cast<std::size_t>(numbers));
  for (int n = 0; n < numbers; ++n) pegs[static_cast<std::size_t>(n)].number = NumberText(n, digits);

  // A word has one code, so two numbers of the same length never want the
  // same single word: each number with a picturable word simply gets its
  // best one. Only the phrases of the other numbers, made of shorter words,
  // compete for words.
  WordPool pool(dictionary);
  const auto picturable = PicturableWords(dictionary, digits, numbers);
  std::vector<PhraseChoice> open;
  for (int n = 0; n < numbers; ++n) {
    const auto& words = picturable[static_cast<std::size_t>(n)];
    RPeg& peg = pegs[static_cast<std::size_t>(n)];
    const auto free =
        std::find_if(words.begin(), words.end(), [&](int i) { return !pool.IsUsed(dictionary.EntryAt(i).word); });
    if (free != words.end()) {
      peg.words = {dictionary.EntryAt(*free).word};
      peg.picturable = true;
      pool.Use(peg.words.front());
      continue;
    }
    PhraseChoice c;
    c.number = n;
    c.phrases = FindBestPhrases(dictionary, peg.number, kPhraseChoices);
    // The shapes in the order of the best phrases, then those no phrase
    // among them has.
    for (const RRankedPhrase& phrase : c.phrases) {
      std::vector<std::string> shape;
      for (const std::string& w : phrase.words) shape.push_back(IsMark(w) ? std::string(".") : pool.CodeOf(w));
      if (std::find(c.shapes.begin(), c.shapes.end(), shape) == c.shapes.end()) c.shapes.push_back(std::move(shape));
    }
    if (!c.phrases.empty()) {
      std::vector<std::string> shape;
      AddShapes(peg.number, 0, c.phrases.front().wordCount, c.phrases.front().uncovered, pool, shape, c.shapes);
    }
    open.push_back(std::move(c));
  }

  // The few words of some codes (the f and v words of 8, say) are wanted by
  // many numbers: the number with the fewest phrases left to make from the
  // free words chooses next, so that one with a single way does not lose it
  // to one with hundreds. Ties go in the numbers' order.
  while (!open.empty()) {
    std::size_t next = 0;
    double fewest = WaysLeft(open[0], pool);
    for (std::size_t k = 1; k < open.size() && fewest > 0; ++k) {
      const double free = WaysLeft(open[k], pool);
      if (free < fewest) {
        fewest = free;
        next = k;
      }
    }
    RPeg& peg = pegs[static_cast<std::size_t>(open[next].number)];
    peg.words = ChoosePhrase(open[next], pool, static_cast<std::size_t>(digits));
    for (const std::string& w : peg.words)
      if (w != ".") pool.Use(w);
    open.erase(open.begin() + static_cast<std::ptrdiff_t>(next));
  }
  return pegs;
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
