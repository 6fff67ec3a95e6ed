#include "WordSources.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "FileIO.h"

namespace tq::words {
namespace {

bool AllLowerLetters(std::string_view w) {
  return !w.empty() && std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

bool IsNameTag(std::string_view tag) { return tag == "nnp" || tag == "nnps"; }
bool IsNounTag(std::string_view tag) { return tag == "nn" || tag == "nns" || IsNameTag(tag); }

// How often each tag occurs in tagged newspaper text, roughly: enough to
// turn P(word | tag) into P(tag | word) for the open word classes. Other
// tags count as rare.
double TagShare(std::string_view tag) {
  static const std::map<std::string_view, double> shares = {
      {"nn", 0.132}, {"nnp", 0.094}, {"nns", 0.061}, {"nnps", 0.003}, {"jj", 0.062}, {"jjr", 0.003},
      {"jjs", 0.002}, {"vb", 0.027}, {"vbd", 0.032}, {"vbg", 0.015}, {"vbn", 0.021}, {"vbp", 0.013},
      {"vbz", 0.022}, {"rb", 0.032}, {"in", 0.104}, {"dt", 0.085}, {"cd", 0.038}, {"cc", 0.025},
      {"prp", 0.019}};
  const auto it = shares.find(tag);
  return it == shares.end() ? 0.002 : it->second;
}

// The blank-separated fields of a database line.
class Fields {
 public:
  explicit Fields(std::string_view line) : rest_(line) {}
  bool Next(std::string_view& field) {
    const auto start = rest_.find_first_not_of(' ');
    if (start == std::string_view::npos) return false;
    rest_.remove_prefix(start);
    const auto end = std::min(rest_.find(' '), rest_.size());
    field = rest_.substr(0, end);
    rest_.remove_prefix(end);
    return true;
  }

 private:
  std::string_view rest_;
};

// A whole number written in the given base; false for anything else.
bool ParseNumber(std::string_view text, int base, long& value) {
  if (text.empty() || text.size() > 9) return false;
  value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else
      return false;
    if (digit >= base) return false;
    value = value * base + digit;
  }
  return true;
}

// The lexicographer files whose nouns can be pictured: animal, artifact,
// body, food, object, person, plant and substance.
bool IsConcreteFile(long file) {
  return file == 5 || file == 6 || file == 8 || file == 13 || file == 17 || file == 18 || file == 20 || file == 27;
}

std::string TwoDigits(long n) {
  return std::string{static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

}  // namespace

bool ParseTaggedEntry(std::string_view line, std::string_view& word, std::vector<TagScore>& tags) {
  tags.clear();
  if (line.size() < 3 || line[0] != '(' || line[1] != '"') return false;
  const auto close = line.find('"', 2);
  if (close == std::string_view::npos) return false;
  word = line.substr(2, close - 2);
  // The list of tags opens with the first '(' after the word; each tag is one
  // "(tag logP)" inside it, and a ')' of its own ends the list.
  auto p = line.find('(', close);
  if (p == std::string_view::npos) return false;
  ++p;
  while (true) {
    p = line.find_first_not_of(' ', p);
    if (p == std::string_view::npos) return false;
    if (line[p] == ')') return true;
    if (line[p] != '(') return false;
    const auto blank = line.find(' ', p);
    const auto end = line.find(')', p);
    if (blank == std::string_view::npos || end == std::string_view::npos || blank > end) return false;
    const std::string number(line.substr(blank + 1, end - blank - 1));
    char* stop = nullptr;
    const double logP = std::strtod(number.c_str(), &stop);
    if (number.empty() || stop != number.c_str() + number.size()) return false;
    tags.push_back(TagScore{std::string(line.substr(p + 1, blank - p - 1)), logP});
    p = end + 1;
  }
}

double NounShare(const std::vector<TagScore>& tags, bool withNames) {
  double noun = 0, all = 0;
  for (const auto& t : tags) {
    if (!withNames && IsNameTag(t.tag)) continue;
    const double weight = std::exp(t.logP) * TagShare(t.tag);
    all += weight;
    if (IsNounTag(t.tag)) noun += weight;
  }
  return all > 0 ? noun / all : -1;
}

TaggedLexicon ReadTaggedLexicon(const std::string& text) {
  TaggedLexicon lexicon;
  LineCursor lines(text);
  std::string_view line, word;
  std::vector<TagScore> tags;
  while (lines.Next(line)) {
    if (!ParseTaggedEntry(line, word, tags) || !AllLowerLetters(word)) continue;
    if (NounShare(tags, true) >= 0.5) lexicon.nouns.emplace(word);
    const double common = NounShare(tags, false);
    if (common >= 0) lexicon.commonNounShare.emplace(word, common);
  }
  return lexicon;
}

bool WordNetNouns::Load(const std::string& folder, std::string& error) {
  nouns_.clear();
  others_.clear();
  exceptions_.clear();
  std::string text;
  const auto read = [&](const char* name) {
    if (ReadFileToString(folder + name, text)) return true;
    error = folder + name;
    return false;
  };
  std::string_view line, field;

  // cntlist.rev: "sense_key sense_number tag_count", the key being
  // lemma%type:file:id:head:headid with type 1 for nouns.
  if (!read("cntlist.rev")) return false;
  std::unordered_map<std::string, int> nounSenseTags;
  {
    LineCursor lines(text);
    while (lines.Next(line)) {
      Fields fields(line);
      std::string_view key, number, count;
      long tagCount = 0;
      if (!fields.Next(key) || !fields.Next(number) || !fields.Next(count) || !ParseNumber(count, 10, tagCount))
        continue;
      const auto percent = key.find('%');
      if (percent == std::string_view::npos || percent + 1 >= key.size()) continue;
      const std::string lemma(key.substr(0, percent));
      if (!AllLowerLetters(lemma)) continue;
      const char type = key[percent + 1];
      if (type == '1') {
        nounSenseTags[std::string(key)] += static_cast<int>(tagCount);
        nouns_[lemma].nounTags += static_cast<int>(tagCount);
      } else if (type >= '2' && type <= '5') {
        others_[lemma].tags += static_cast<int>(tagCount);
      }
    }
  }

  // data.noun: "offset file type count word id word id ... | gloss", the
  // count in two hex digits and each id in one; lines that begin with a blank
  // are the licence.
  if (!read("data.noun")) return false;
  std::size_t synsets = 0;
  {
    LineCursor lines(text);
    while (lines.Next(line)) {
      if (line.empty() || line[0] == ' ') continue;
      Fields fields(line);
      std::string_view offset, file, type, count;
      long fileNumber = 0, wordCount = 0;
      if (!fields.Next(offset) || !fields.Next(file) || !fields.Next(type) || !fields.Next(count) ||
          !ParseNumber(file, 10, fileNumber) || !ParseNumber(count, 16, wordCount))
        continue;
      ++synsets;
      for (long i = 0; i < wordCount; ++i) {
        std::string_view form, id;
        long lexId = 0;
        if (!fields.Next(form) || !fields.Next(id) || !ParseNumber(id, 16, lexId)) break;
        std::string lemma(form);
        const bool name = std::any_of(lemma.begin(), lemma.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
        for (char& c : lemma)
          if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (!AllLowerLetters(lemma)) continue;
        Noun& noun = nouns_[lemma];
        ++noun.senses;
        if (name) continue;  // "Fish" the painter, "Salmon" the river
        const auto tagged = nounSenseTags.find(lemma + "%1:" + TwoDigits(fileNumber) + ":" + TwoDigits(lexId) + "::");
        // Every sense weighs half a use more than it was tagged, so that
        // among senses nobody tagged each counts alike.
        const long weight = 2L * (tagged == nounSenseTags.end() ? 0 : tagged->second) + 1;
        noun.weight += weight;
        if (IsConcreteFile(fileNumber)) noun.concreteWeight += weight;
      }
    }
  }
  if (synsets == 0) {
    error = folder + "data.noun holds no synset";
    return false;
  }

  // index.verb, index.adj, index.adv: "lemma pos synset_count ...".
  for (const char* name : {"index.verb", "index.adj", "index.adv"}) {
    if (!read(name)) return false;
    LineCursor lines(text);
    while (lines.Next(line)) {
      if (line.empty() || line[0] == ' ') continue;
      Fields fields(line);
      std::string_view lemma, pos, count;
      long senses = 0;
      if (!fields.Next(lemma) || !fields.Next(pos) || !fields.Next(count) || !ParseNumber(count, 10, senses) ||
          !AllLowerLetters(lemma))
        continue;
      others_[std::string(lemma)].senses += static_cast<int>(senses);
    }
  }

  // noun.exc: "inflected base base ...".
  if (!read("noun.exc")) return false;
  {
    LineCursor lines(text);
    while (lines.Next(line)) {
      Fields fields(line);
      std::string_view inflected, base;
      if (!fields.Next(inflected) || !AllLowerLetters(inflected)) continue;
      auto& bases = exceptions_[std::string(inflected)];
      while (fields.Next(base))
        if (AllLowerLetters(base)) bases.emplace_back(base);
    }
  }
  return true;
}

bool WordNetNouns::Passes(const std::string& lemma, double nounShare) const {
  const auto found = nouns_.find(lemma);
  if (found == nouns_.end() || found->second.weight == 0) return false;
  const Noun& noun = found->second;
  // Concrete: the senses in the concrete files weigh more than a third.
  if (3 * noun.concreteWeight <= noun.weight) return false;
  // Read as a noun: at least one use in five, by the tagged lexicon when it
  // knows the word, else by WordNet's tagged uses of the lemma, else by its
  // count of senses.
  if (nounShare >= 0) return nounShare >= 0.2;
  const auto other = others_.find(lemma);
  const Other none;
  const Other& o = other == others_.end() ? none : other->second;
  if (noun.nounTags + o.tags > 0) return 5L * noun.nounTags >= noun.nounTags + o.tags;
  return 5L * noun.senses >= noun.senses + o.senses;
}

bool WordNetNouns::IsPicturable(const std::string& word, double nounShare) const {
  if (Passes(word, nounShare)) return true;
  const auto exception = exceptions_.find(word);
  if (exception != exceptions_.end())
    for (const auto& base : exception->second)
      if (base != word && Passes(base, nounShare)) return true;
  // WordNet's own rules for regular plurals; like its morphy, none for words
  // of two letters ("is", "us") or ending in "ss" ("glass").
  if (word.size() <= 2 || word.ends_with("ss")) return false;
  static const std::pair<std::string_view, std::string_view> kRules[] = {
      {"s", ""}, {"ses", "s"}, {"xes", "x"}, {"zes", "z"}, {"ches", "ch"}, {"shes", "sh"}, {"men", "man"}, {"ies", "y"}};
  for (const auto& [ending, replacement] : kRules) {
    if (!word.ends_with(ending)) continue;
    std::string base = word.substr(0, word.size() - ending.size());
    base += replacement;
    if (Passes(base, nounShare)) return true;
  }
  return false;
}

}  // namespace tq::words
