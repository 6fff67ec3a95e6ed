#include "WordSources.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "FileIO.h"

namespace tq::words {

bool ReadSourceFile(const std::string& path, std::string& text) {
  constexpr std::size_t kLargestSource = std::size_t{1} << 30;
  return ReadFileUpTo(path, kLargestSource, text) == FileRead::Read && text.size() <= kLargestSource;
}

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

// How much of a picture a noun sense in each lexicographer file is, where
// no listed root above it says otherwise: things and natural objects fully,
// then animals, food, body parts and plants a little less, substances less
// (sand and mud have no shape of their own, so they stay below a strong
// picture), and persons least (one pictures a person by a type more than by
// a shape).
int FileFactor(int file) {
  switch (file) {
    case 6:   // artifact
    case 17:  // object
      return 100;
    case 5: return 96;   // animal
    case 13: return 92;  // food
    case 8: return 88;   // body
    case 20: return 84;  // plant
    case 27: return 75;  // substance
    case 18: return 60;  // person
    default: return 0;
  }
}

// The category letter of wordinfo.dat for a picture sense of the file:
// artifacts and natural objects are objects alike (a knife, a stone, the
// moon); substances and what the picture list makes of events and
// phenomena (fire, a wave) are other things to see.
char FileCategory(int file) {
  switch (file) {
    case 6:
    case 17: return 'o';
    case 5: return 'a';
    case 13: return 'f';
    case 8: return 'b';
    case 20: return 'p';
    case 18: return 'h';
    default: return 's';
  }
}

// The start of a gloss that says the sense is offensive, for the senses
// WordNet glosses so without a usage domain.
bool OffensiveGloss(std::string_view gloss) {
  static constexpr std::string_view kMarks[] = {"(ethnic slur)", "obscene term", "obscene word", "vulgar term",
                                                "vulgar slang", "vulgar expression", "offensive term",
                                                "offensive name", "(offensive", "derogatory term"};
  const auto start = gloss.find_first_not_of(' ');
  if (start == std::string_view::npos) return false;
  gloss.remove_prefix(start);
  for (auto mark : kMarks)
    if (gloss.starts_with(mark) || gloss.find(std::string(" ") + std::string(mark)) < 40) return true;
  return false;
}

// The usage domains whose members are offensive: WordNet's synsets of
// obscenity (with "vulgarism"), disparagement ("derogation") and ethnic
// slurs.
bool IsOffensiveDomain(const std::vector<std::string>& lemmas) {
  for (const auto& l : lemmas)
    if (l == "vulgarism" || l == "derogation" || l == "ethnic_slur" || l == "profanity") return true;
  return false;
}

std::string Lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// A list line "key [value] reason" with its fields; false for a blank or
// comment line.
bool ListFields(std::string_view line, std::vector<std::string_view>& fields) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const auto hash = line.find('#');
  if (hash != std::string_view::npos) line = line.substr(0, hash);
  fields.clear();
  Fields split(line);
  std::string_view field;
  while (split.Next(field)) fields.push_back(field);
  return !fields.empty();
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

FormCounts CountsOf(const std::vector<TagScore>& tags) {
  // P(word | tag) times the tag's share of about a million words of text.
  constexpr double kTextWords = 1e6;
  FormCounts counts;
  for (const auto& t : tags) {
    if (IsNameTag(t.tag)) continue;
    const double n = std::exp(t.logP) * TagShare(t.tag) * kTextWords;
    counts.all += n;
    if (IsNounTag(t.tag)) counts.noun += n;
  }
  return counts;
}

TaggedLexicon ReadTaggedLexicon(const std::string& text) {
  TaggedLexicon lexicon;
  LineCursor lines(text);
  std::string_view line, word;
  std::vector<TagScore> tags;
  while (lines.Next(line)) {
    if (!ParseTaggedEntry(line, word, tags) || !AllLowerLetters(word)) continue;
    if (NounShare(tags, true) >= 0.5) lexicon.nouns.emplace(word);
    lexicon.counts.emplace(word, CountsOf(tags));
  }
  return lexicon;
}

bool ParsePictureList(const std::string& text, PictureList& list, std::string& error) {
  LineCursor lines(text);
  std::string_view line;
  std::vector<std::string_view> fields;
  while (lines.Next(line)) {
    if (!ListFields(line, fields)) continue;
    long value = 0;
    const std::string key(fields[0]);
    const bool sense = key.find('%') != std::string::npos;
    if (sense && fields.size() == 3 && fields[1] == "-" && fields[2] == "place") {
      list.places.insert(key);
      continue;
    }
    if (fields.size() != 3 || !ParseNumber(fields[1], 10, value) || value > 100 ||
        (!sense && !AllLowerLetters(key))) {
      error = std::string(line);
      return false;
    }
    (sense ? list.senses : list.words)[key] = static_cast<int>(value);
    for (const auto& [reason, category] : kPictureKinds)
      if (fields[2] == reason) list.categories[key] = category;
  }
  return true;
}

bool ParseUnsuitableList(const std::string& text, std::unordered_map<std::string, std::string>& list,
                         std::string& error) {
  LineCursor lines(text);
  std::string_view line;
  std::vector<std::string_view> fields;
  while (lines.Next(line)) {
    if (!ListFields(line, fields)) continue;
    const bool known = fields.size() == 2 &&
                       (fields[1] == "fine" || std::find(std::begin(kUnsuitableReasons), std::end(kUnsuitableReasons),
                                                         fields[1]) != std::end(kUnsuitableReasons));
    if (!known || !AllLowerLetters(fields[0])) {
      error = std::string(line);
      return false;
    }
    list[std::string(fields[0])] = std::string(fields[1]);
  }
  return true;
}

std::string RegularPlural(const std::string& noun) {
  if (noun.ends_with("s") || noun.ends_with("x") || noun.ends_with("z") || noun.ends_with("ch") ||
      noun.ends_with("sh"))
    return noun + "es";
  if (noun.size() >= 2 && noun.back() == 'y' && std::string_view("aeiou").find(noun[noun.size() - 2]) == std::string_view::npos)
    return noun.substr(0, noun.size() - 1) + "ies";
  return noun + "s";
}

bool ParseFrequencies(const std::string& text, std::unordered_map<std::string, int>& familiarity,
                      std::string& error) {
  std::unordered_map<std::string, double> counts;
  double total = 0;
  LineCursor lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto tab = line.find('\t');
    const std::string_view word = line.substr(0, tab);
    const std::string_view number = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    double count = 0;
    bool letters = !word.empty() && word.size() <= 64, capitals = false;
    for (char c : word) {
      capitals = capitals || (c >= 'A' && c <= 'Z');
      letters = letters && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
    }
    bool digits = !number.empty() && number.size() <= 12;
    for (char c : number) {
      digits = digits && c >= '0' && c <= '9';
      count = count * 10 + (c - '0');
    }
    if (!letters || !digits) {
      error = std::string(line);
      return false;
    }
    std::string lower(word);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    counts[lower] += capitals ? count / 4 : count;
    total += count;
  }
  for (std::string_view piece : kContractionPieces) counts.erase(std::string(piece));
  for (const auto& [word, count] : counts) {
    if (count <= 0) continue;
    const double zipf = std::log10(count * 1e9 / total);
    familiarity[word] = std::clamp(static_cast<int>(std::lround(zipf * 10)), 1, 99);
  }
  return true;
}

namespace {

// One synset line of a data file: "offset file type count word id ...
// pointer_count symbol offset pos source/target ... | gloss", the count in
// two hex digits and each id in one; lines that begin with a blank are the
// licence.
struct SynsetLine {
  long offset = 0, file = 0;
  std::vector<std::string> forms;  // as written, capitals kept, adjective markers cut
  std::vector<long> lexIds;
  std::vector<long> hypernyms, usages;
  std::string_view gloss;
};

bool ParseSynsetLine(std::string_view line, SynsetLine& s) {
  if (line.empty() || line[0] == ' ') return false;
  const auto bar = line.find(" | ");
  s.gloss = bar == std::string_view::npos ? std::string_view() : line.substr(bar + 3);
  Fields fields(line.substr(0, bar));
  std::string_view offset, file, type, count, field;
  long words = 0, pointers = 0;
  if (!fields.Next(offset) || !fields.Next(file) || !fields.Next(type) || !fields.Next(count) ||
      !ParseNumber(offset, 10, s.offset) || !ParseNumber(file, 10, s.file) || !ParseNumber(count, 16, words))
    return false;
  s.forms.clear();
  s.lexIds.clear();
  s.hypernyms.clear();
  s.usages.clear();
  for (long i = 0; i < words; ++i) {
    std::string_view form, id;
    long lexId = 0;
    if (!fields.Next(form) || !fields.Next(id) || !ParseNumber(id, 16, lexId)) return false;
    s.forms.emplace_back(form.substr(0, form.find('(')));  // "galore(ip)"
    s.lexIds.push_back(lexId);
  }
  if (!fields.Next(field) || !ParseNumber(field, 10, pointers)) return true;
  for (long i = 0; i < pointers; ++i) {
    std::string_view symbol, target, pos, ends;
    long at = 0;
    if (!fields.Next(symbol) || !fields.Next(target) || !fields.Next(pos) || !fields.Next(ends) ||
        !ParseNumber(target, 10, at))
      break;
    if ((symbol == "@" || symbol == "@i") && pos == "n") s.hypernyms.push_back(at);
    if (symbol == ";u" && pos == "n") s.usages.push_back(at);
  }
  return true;
}

// Half a use more than it was tagged, so that among senses nobody tagged
// each counts alike (their order in WordNet is no frequency).
double Weight(int tags) { return tags + 0.5; }

}  // namespace

bool WordNet::Load(const std::string& folder, std::string& error) {
  lemmas_.clear();
  synsets_.clear();
  nounSenseSynsets_.clear();
  nounExceptions_.clear();
  irregularSingulars_.clear();
  verbExceptions_.clear();
  std::string text;
  const auto read = [&](const char* name) {
    if (ReadSourceFile(folder + name, text)) return true;
    error = folder + name;
    return false;
  };
  std::string_view line;

  // cntlist.rev: "sense_key sense_number tag_count", the key being
  // lemma%type:file:id:head:headid with type 1 for nouns, 2 verbs, 3 and 5
  // adjectives, 4 adverbs.
  if (!read("cntlist.rev")) return false;
  std::unordered_map<std::string, int> senseTags;
  std::unordered_map<std::string, int> verbTags, otherTags;
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
      const char type = key[percent + 1];
      senseTags[std::string(key)] += static_cast<int>(tagCount);
      if (type == '2') verbTags[lemma] += static_cast<int>(tagCount);
      if (type == '3' || type == '4' || type == '5') otherTags[lemma] += static_cast<int>(tagCount);
    }
  }
  const auto tagsOf = [&](const std::string& key) {
    const auto it = senseTags.find(key);
    return it == senseTags.end() ? 0 : it->second;
  };

  // data.noun first: its synsets, their place in the hierarchy and the usage
  // domains that the other parts of speech point to as well.
  if (!read("data.noun")) return false;
  std::unordered_map<long, int> nounIndex;
  std::unordered_set<long> offensiveDomains;
  std::vector<std::vector<long>> hypernymOffsets, usageOffsets;
  struct Member {
    std::string lemma;
    NounSense sense;
    bool glossed;  // the gloss says it is offensive
  };
  std::vector<Member> members;
  SynsetLine s;
  {
    LineCursor lines(text);
    while (lines.Next(line)) {
      if (!ParseSynsetLine(line, s)) continue;
      const int index = static_cast<int>(synsets_.size());
      nounIndex.emplace(s.offset, index);
      synsets_.push_back(Synset{static_cast<int>(s.file), {}, kUnknown});
      hypernymOffsets.push_back(s.hypernyms);
      usageOffsets.push_back(s.usages);
      std::vector<std::string> lowered;
      for (const auto& form : s.forms) lowered.push_back(Lowered(form));
      if (IsOffensiveDomain(lowered)) offensiveDomains.insert(s.offset);
      const bool glossed = OffensiveGloss(s.gloss);
      for (std::size_t i = 0; i < s.forms.size(); ++i) {
        if (!AllLowerLetters(lowered[i])) continue;
        const std::string key = lowered[i] + "%1:" + TwoDigits(s.file) + ":" + TwoDigits(s.lexIds[i]) + "::";
        nounSenseSynsets_.emplace(key, index);
        lemmas_.try_emplace(lowered[i]);
        if (lowered[i] != s.forms[i]) continue;  // "Fish" the painter, "Salmon" the river
        members.push_back(Member{lowered[i], NounSense{index, tagsOf(key)}, glossed});
      }
    }
  }
  if (synsets_.empty()) {
    error = folder + "data.noun holds no synset";
    return false;
  }
  for (std::size_t i = 0; i < synsets_.size(); ++i)
    for (long offset : hypernymOffsets[i]) {
      const auto it = nounIndex.find(offset);
      if (it != nounIndex.end()) synsets_[i].hypernyms.push_back(it->second);
    }
  const auto inOffensiveDomain = [&](const std::vector<long>& usages) {
    return std::any_of(usages.begin(), usages.end(), [&](long u) { return offensiveDomains.count(u) > 0; });
  };
  for (const auto& m : members) {
    Lemma& lemma = lemmas_[m.lemma];
    lemma.nouns.push_back(m.sense);
    if (m.glossed || inOffensiveDomain(usageOffsets[static_cast<std::size_t>(m.sense.synset)])) {
      lemma.offensiveTags += m.sense.tags;
      ++lemma.offensiveSenses;
    }
  }

  // The other parts of speech: how many senses each lemma has there, and
  // which of them are offensive.
  for (const char* name : {"data.verb", "data.adj", "data.adv"}) {
    if (!read(name)) return false;
    const bool verb = std::string_view(name) == "data.verb";
    const char type = verb ? '2' : std::string_view(name) == "data.adv" ? '4' : '3';
    LineCursor lines(text);
    while (lines.Next(line)) {
      if (!ParseSynsetLine(line, s)) continue;
      const bool offensive = OffensiveGloss(s.gloss) || inOffensiveDomain(s.usages);
      for (std::size_t i = 0; i < s.forms.size(); ++i) {
        const std::string lowered = Lowered(s.forms[i]);
        if (!AllLowerLetters(lowered)) continue;
        Lemma& lemma = lemmas_[lowered];
        (verb ? lemma.verbSenses : lemma.otherSenses) += 1;
        if (!offensive) continue;
        ++lemma.offensiveSenses;
        lemma.offensiveTags +=
            tagsOf(lowered + "%" + type + ":" + TwoDigits(s.file) + ":" + TwoDigits(s.lexIds[i]) + "::");
      }
    }
  }
  for (const auto& [lemma, tags] : verbTags) {
    const auto it = lemmas_.find(lemma);
    if (it != lemmas_.end()) it->second.verbTags = tags;
  }
  for (const auto& [lemma, tags] : otherTags) {
    const auto it = lemmas_.find(lemma);
    if (it != lemmas_.end()) it->second.otherTags = tags;
  }

  // noun.exc and verb.exc: "inflected base base ...".
  for (const char* name : {"noun.exc", "verb.exc"}) {
    if (!read(name)) return false;
    auto& exceptions = name[0] == 'n' ? nounExceptions_ : verbExceptions_;
    LineCursor lines(text);
    while (lines.Next(line)) {
      Fields fields(line);
      std::string_view inflected, base;
      if (!fields.Next(inflected) || !AllLowerLetters(inflected)) continue;
      auto& bases = exceptions[std::string(inflected)];
      while (fields.Next(base)) {
        if (AllLowerLetters(base) && name[0] == 'n') irregularSingulars_.emplace(base);
        if (AllLowerLetters(base) && base != inflected) bases.emplace_back(base);
      }
    }
  }
  return true;
}

std::vector<std::string> WordNet::SetPictureList(const PictureList& list) {
  std::vector<std::string> unknown;
  roots_.clear();
  for (const auto& [key, factor] : list.senses) {
    const auto it = nounSenseSynsets_.find(key);
    if (it == nounSenseSynsets_.end()) {
      unknown.push_back(key);
      continue;
    }
    const auto category = list.categories.find(key);
    roots_[it->second] = Root{factor, category == list.categories.end() ? '\0' : category->second};
  }
  places_.clear();
  for (const auto& key : list.places) {
    const auto it = nounSenseSynsets_.find(key);
    if (it != nounSenseSynsets_.end())
      places_.insert(it->second);
    else
      unknown.push_back(key);
  }
  wordDegrees_ = list.words;
  wordCategories_.clear();
  for (const auto& [key, category] : list.categories)
    if (list.words.count(key)) wordCategories_[key] = category;
  for (auto& s : synsets_) s.rooted = s.place = kUnknown;
  std::sort(unknown.begin(), unknown.end());
  return unknown;
}

// The nearest listed root at or above the synset, kNone when none is;
// WordNet's hierarchy is some twenty levels deep.
int WordNet::Rooted(int synset, int depth) const {
  Synset& s = synsets_[static_cast<std::size_t>(synset)];
  if (s.rooted != kUnknown) return s.rooted;
  int found = roots_.count(synset) ? synset : kNone;
  if (depth < 64)
    for (std::size_t i = 0; found == kNone && i < s.hypernyms.size(); ++i) found = Rooted(s.hypernyms[i], depth + 1);
  s.rooted = found;
  return found;
}

bool WordNet::IsPlace(int synset, int depth) const {
  Synset& s = synsets_[static_cast<std::size_t>(synset)];
  if (s.place != kUnknown) return s.place == 1;
  bool found = places_.count(synset) > 0;
  if (depth < 64)
    for (std::size_t i = 0; !found && i < s.hypernyms.size(); ++i) found = IsPlace(s.hypernyms[i], depth + 1);
  s.place = found ? 1 : 0;
  return found;
}

int WordNet::Factor(int synset) const {
  const int rooted = Rooted(synset, 0);
  return rooted != kNone ? roots_.at(rooted).factor : FileFactor(synsets_[static_cast<std::size_t>(synset)].file);
}

char WordNet::Category(int synset) const {
  const int rooted = Rooted(synset, 0);
  const char listed = rooted != kNone ? roots_.at(rooted).category : '\0';
  const char category = listed ? listed : FileCategory(synsets_[static_cast<std::size_t>(synset)].file);
  return category == 'o' && IsPlace(synset, 0) ? 'l' : category;
}

WordNet::Picture WordNet::LemmaPicture(const std::string& word, const FormCounts* counts, bool plural) const {
  Picture picture;
  const auto found = lemmas_.find(word);
  static const Lemma kUnknownLemma;
  const Lemma& lemma = found == lemmas_.end() ? kUnknownLemma : found->second;
  // Concrete: how much the senses that can be pictured weigh among the noun
  // senses (a share of 0.6 or more is enough), times how much of a picture
  // they are. The category is that of the sense that carries the most of
  // the picture.
  double all = 0, concrete = 0, pictured = 0, carried = 0;
  int nounTags = 0;
  for (const auto& sense : lemma.nouns) {
    const double weight = Weight(sense.tags);
    const int factor = Factor(sense.synset);
    all += weight;
    nounTags += sense.tags;
    if (factor > 0) {
      concrete += weight;
      pictured += weight * factor / 100.0;
      if (weight * factor > carried) {
        carried = weight * factor;
        picture.category = Category(sense.synset);
      }
    }
  }
  // A word of the list takes its degree from there, and its category too
  // when the reason names one.
  const auto listed = wordDegrees_.find(word);
  if (listed != wordDegrees_.end()) {
    picture.degree = listed->second;
    const auto category = wordCategories_.find(word);
    if (category != wordCategories_.end()) picture.category = category->second;
    if (!picture.category) picture.category = 's';
    return picture;
  }
  if (concrete == 0) return Picture{};
  const double a = pictured / concrete * std::min(1.0, concrete / all / 0.6);
  // Read as a noun: WordNet counts a lemma's uses in all its forms, so a
  // singular takes about 7 in 10 of the noun's uses and 3 in 10 of the
  // verb's (the bare and present forms), a plural 3 in 10 and 1 in 6 (the
  // third person) and no adjective's. The newspaper counts are the form's
  // own; untagged, the senses' count decides.
  const double nounPart = plural ? 0.32 : 0.68, verbPart = plural ? 0.17 : 0.31, otherPart = plural ? 0 : 1;
  const double noun = nounTags * nounPart, other = lemma.verbTags * verbPart + lemma.otherTags * otherPart;
  const double senses = static_cast<double>(lemma.nouns.size());
  const double prior = senses / (senses + lemma.verbSenses + (plural ? 0 : lemma.otherSenses));
  const double formNoun = counts ? counts->noun : 0, formAll = counts ? counts->all : 0;
  const double share = (formNoun + noun + prior) / (formAll + noun + other + 1);
  // A noun in two uses of five is read as one.
  const double b = std::min(1.0, share / 0.4);
  picture.degree = static_cast<int>(std::lround(100 * a * b));
  return picture;
}

std::vector<std::string> WordNet::PluralBases(const std::string& word) const {
  std::vector<std::string> bases;
  const auto exception = nounExceptions_.find(word);
  if (exception != nounExceptions_.end()) bases = exception->second;
  // WordNet's own rules for regular plurals; like its morphy, none for words
  // of two letters ("is", "us") or ending in "ss" ("glass").
  if (word.size() <= 2 || word.ends_with("ss")) return bases;
  static const std::pair<std::string_view, std::string_view> kRules[] = {
      {"s", ""}, {"ses", "s"}, {"xes", "x"}, {"zes", "z"}, {"ches", "ch"}, {"shes", "sh"}, {"men", "man"}, {"ies", "y"}};
  for (const auto& [ending, replacement] : kRules)
    if (word.ends_with(ending)) bases.push_back(word.substr(0, word.size() - ending.size()) + std::string(replacement));
  return bases;
}

std::vector<std::string> WordNet::Bases(const std::string& word) const {
  std::vector<std::string> bases = PluralBases(word);
  const auto exception = verbExceptions_.find(word);
  if (exception != verbExceptions_.end()) bases.insert(bases.end(), exception->second.begin(), exception->second.end());
  // A verb's forms: -s, -es, -ies, -ed, -ing, with or without a final e,
  // and with the last consonant doubled (pimped, crapped, raping).
  static const std::pair<std::string_view, std::string_view> kRules[] = {
      {"es", "e"}, {"es", ""}, {"ed", "e"}, {"ed", ""}, {"ing", "e"}, {"ing", ""}};
  for (const auto& [ending, replacement] : kRules) {
    if (word.size() <= ending.size() + 1 || !word.ends_with(ending)) continue;
    const std::string stem = word.substr(0, word.size() - ending.size());
    bases.push_back(stem + std::string(replacement));
    if (replacement.empty() && stem.size() >= 2 && stem.back() == stem[stem.size() - 2])
      bases.push_back(stem.substr(0, stem.size() - 1));
  }
  std::sort(bases.begin(), bases.end());
  bases.erase(std::unique(bases.begin(), bases.end()), bases.end());
  std::erase(bases, word);
  return bases;
}

WordNet::Picture WordNet::PictureOf(const std::string& word, const FormCounts* counts) const {
  Picture picture = LemmaPicture(word, counts, false);
  for (const auto& base : PluralBases(word)) {
    if (base == word) continue;
    Picture singular = LemmaPicture(base, counts, true);
    if (singular.degree <= picture.degree) continue;
    picture = singular;
    picture.plural = true;
  }
  if (picture.degree == 0) picture.category = 0;
  return picture;
}

bool WordNet::IsOffensive(const std::string& word) const {
  const auto found = lemmas_.find(word);
  if (found == lemmas_.end() || found->second.offensiveSenses == 0) return false;
  const Lemma& lemma = found->second;
  double all = lemma.verbTags + lemma.otherTags + 0.5 * (lemma.verbSenses + lemma.otherSenses);
  for (const auto& sense : lemma.nouns) all += Weight(sense.tags);
  const double offensive = lemma.offensiveTags + 0.5 * lemma.offensiveSenses;
  return 2 * offensive > all;
}

}  // namespace tq::words
