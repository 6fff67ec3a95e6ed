// Builds the installed dictionary words.dat and its companion wordinfo.dat
// from the CMU pronouncing dictionary as shipped for Festival, the American
// English word list, the SCOWL word lists by size, Festival's tagged lexicon
// and WordNet 3.0, plus short reviewed lists of our own.
//
//   MakeWords <cmudict-0.4.out> <american-english> <extra-words.txt>
//             <pictures.txt> <unsuitable.txt> <subtlex-us.txt> <scowl folder>
//             <wsj.wp39.poslexR> <wordnet folder> <words.dat> <wordinfo.dat>
//
// A lexicon entry looks like ("church" nil (((ch er ch) 1))): the word, a part
// of speech, then syllables of phones. We keep the words made only of the
// letters a to z that the word list also has; the first entry of a word wins,
// and the output is sorted byte-wise, one "word,pronunciation" per line.
//
// extra-words.txt adds words the lexicon lacks (or overrides its entry), one
// "word phone phone ..." per line in the lexicon's phones; '#' starts a
// comment. Its words are kept whatever the cleaning below says.
//
// The dictionary is cleaned of words no phrase wants:
//   - single letters other than "a" and "i";
//   - words spoken as the names of their letters ("tv", "usa": the
//     pronunciation is that of the one-letter entries, one after another);
//   - words with no vowel ("ls", "hmm"; a y counts as a vowel unless it
//     comes first, so "by" and "rhythm" stay but "yd" goes);
//   - abbreviations: words SCOWL lists among its abbreviations but in none of
//     its word lists ("oz", "vs").
//
// The pronunciation is one byte per phone. Consonants are written as the
// mapping rules expect them:
//
//   b d f g k l m n p r s t v w z   as themselves
//   hh h     y j     zh Z     er 3
//   jh  "d" 0xBF      ch  "t" 0x9F   ng  0xFC
//   th  0xE9          dh  0xEB       sh  0xF4
//
// Vowels stand for no digit, so any byte that no rule starts with will do:
//
//   aa A   ae @   ah V   ao O   aw W   ax x   ay Y   eh E
//   ey e   ih I   iy i   ow o   oy Q   uh U   uw u
//
// wordinfo.dat tells how familiar each word is, whether it is mostly a noun,
// how well it names something a person can picture and whether it is
// unsuitable to suggest, for ranking best phrases and pegs. It is plain text
// (ASCII, so also Windows-1252): the line "#wordinfo 2", then, sorted
// byte-wise, one line per word of words.dat that has something to tell:
//
//   word,familiarity,kind[,picture[,category]][,u]
//
// familiarity is how often the word is heard, from the spoken-English
// frequencies of data/subtlex-us.txt (WordSources.h says how): ten times the
// base-10 logarithm of the word's frequency per billion words, 1 to 99
// (fish 49, effigy 24); "-" when the subtitles never have it. The program
// counts 25 and more as common, and prefers the more familiar of two words
// that are otherwise alike. (Files without the first line are of the
// earlier form, whose second field was the size of the smallest SCOWL list
// that holds the word; the program still reads them.) kind is "n"
// when the word is mostly used as a noun, else "-". picture is the picture
// degree, 1 to 99, or "p" for 100 (older files knew only "p", a picture, and
// no field, none); without it the degree is 0. The program counts degrees
// from 50 as pictures. category, for a picture only, says what kind of thing
// it is, from the lexicographer file of the noun sense that carries the
// picture: o an object (an artifact or a natural object: knife, stone,
// moon), a an animal, f food, b a part of the body, p a plant, l a place or
// a backdrop (an object under one of the places data/pictures.txt lists: a
// road, a room, a building, a valley, the sky), h a person, s anything else
// one sees (a substance, food or a plant mostly heard of in the singular
// (IsMassNoun: rice, grass), and the events and phenomena that
// data/pictures.txt makes pictures: sand, fire, a wave). The letter is a
// capital when the picture is that of a noun the word is the plural of
// ("toes,20,n,90,B"; teeth and knives too). "u" marks a word
// unsuitable to suggest. A word with none of these has no line.
//
// "Mostly a noun": in the tagged lexicon each tag of a word has log P(word |
// tag); weighted by how often each tag occurs in running text, the noun tags
// (nn, nns, nnp, nnps) hold at least half of P(tag | word).
//
// The picture degree of a WordNet lemma is a times b, as a percentage.
//   - a, concrete: each noun sense that is not a name (a capitalised form, as
//     "Salmon" the river) weighs the times it was tagged in WordNet's sense
//     counts plus one half, so that untagged senses count alike (their order
//     in WordNet is no frequency). A sense is a picture by its lexicographer
//     file: made things and natural objects fully, animals 96, food 92, body
//     parts 88, plants 84, substances 75 (sand and mud have no shape of
//     their own: a picture, but not a strong one for a peg) and persons 60
//     in 100 (one pictures a person by a type more than by a shape); others
//     not at all. Our
//     reviewed data/pictures.txt overrules the file for a sense and all the
//     senses under it: the sea's waves, fire, fog and storms are events and
//     phenomena to WordNet but plain to see; a copy and a friend or a foe are
//     named by how they stand to another, and are no picture; bacteria and
//     viruses are animals nobody sees. a is the
//     senses' picture factors averaged by weight over the senses that are
//     pictures at all, times their share of the noun's weight up to 0.6: a
//     third is about the edge, where table (the furniture in 30 of 82 uses;
//     the rest is data tables) and chain still pass and image (8 of 39 a
//     picture) does not.
//   - b, read as a noun: the share of the word's uses that are nouns, from
//     the uses of the lemma in every part of speech that WordNet tagged, and
//     the uses of the word form in the tagged lexicon's newspaper text (names
//     left out; P(word | tag) times the tag's share of about a million
//     words), plus one use shared out as the lemma's senses are. WordNet's
//     counts hold all of a lemma's forms, so the bare word takes 7 in 10 of
//     its noun uses (the rest are plurals) and 3 in 10 of its verb uses (the
//     bare and present forms; drilled and drilling are words of their own)
//     and all of its adjective and adverb uses. A noun in 2 uses of 5 is
//     read as one fully; below, b falls in proportion. So match (a verb in
//     three uses of four, but a lighter when a noun) and drill pass, while
//     come, well, young and die, whose rare noun senses are things, stay far
//     out.
// The category is the file's of the sense with the most weight times
// factor; where a line of data/pictures.txt gives the factor or the degree,
// a reason that names a kind (thing, animal, food, body, plant, person)
// gives the category too, and a listed word without a picture sense is "s".
// A word's degree is its own lemma's, or that of a noun it is the plural of
// if higher (then it is a plural, and takes that noun's category). Plurals are looked up as WordNet's morphy does: noun.exc
// (knives, mice), then the regular endings (-s, -ses, -xes, -zes, -ches,
// -shes, -men, -ies to -y), none for words of two letters or ending in "ss".
// A plural counts as its singular, weighed with the plural's own counts: it
// takes 3 in 10 of the noun's uses and a sixth of the verb's (the third
// person) and none of the adjective's, and the newspaper's counts of the
// plural form itself, so houses and clams (the noun "clams" is money) are
// pictures while "does" is no plural of doe. data/pictures.txt sets the
// degree of the few words the counts misjudge (a lemma listed there gives
// its degree to its plurals too): relish (the condiment was never tagged),
// weave (a verb, though WordNet tagged its fabric), fry (only "small fry"),
// rose (the flower, not the past tense), match and chain (the things peg
// lists want, though the verbs weigh more), gig (a band's booking, which
// WordNet lacks). Of the 38,578 words about 11,100 are pictures.
//
// Unsuitable: vulgar and sexual words, slurs, hard drugs and words of hate
// are never suggested. A word is unsuitable when
//   - our reviewed data/unsuitable.txt lists it with a reason (or, with the
//     reason "fine", it is never unsuitable: craps, taco);
//   - WordNet's senses of it in the usage domains of obscenity (the synset
//     with "vulgarism"), disparagement ("derogation") and ethnic slurs, or
//     glossed as obscene, vulgar, offensive or derogatory terms, weigh more
//     than half of all its senses in every part of speech, weighed as above;
//   - it is a plural or verb form of a word of our list (pimps, raped), or a
//     plural of a word WordNet marks that WordNet does not know as a word of
//     its own. WordNet's offensive senses are nouns, so its words pass on to
//     their plurals only: "spikes" is no form of the slur "spik".
// About 140 words are unsuitable.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "AtomicFile.h"
#include "FileIO.h"
#include "WordSources.h"

namespace {

// The degree from which a word counts as a picture, and the familiarity
// from which it counts as common, as the program reads them.
constexpr int kPictureDegree = 50;
constexpr int kCommonFamiliarity = 25;
// See IsMassNoun.
constexpr int kMassGap = 12;

const std::map<std::string, std::string>& PhoneTable() {
  static const std::map<std::string, std::string> table = {
      {"b", "b"},   {"d", "d"},   {"f", "f"},   {"g", "g"},   {"k", "k"},   {"l", "l"},
      {"m", "m"},   {"n", "n"},   {"p", "p"},   {"r", "r"},   {"s", "s"},   {"t", "t"},
      {"v", "v"},   {"w", "w"},   {"z", "z"},   {"hh", "h"},  {"y", "j"},   {"zh", "Z"},
      {"er", "3"},  {"jh", "d\xBF"}, {"ch", "t\x9F"}, {"ng", "\xFC"}, {"th", "\xE9"},
      {"dh", "\xEB"}, {"sh", "\xF4"},
      {"aa", "A"},  {"ae", "@"},  {"ah", "V"},  {"ao", "O"},  {"aw", "W"},  {"ax", "x"},
      {"ay", "Y"},  {"eh", "E"},  {"ey", "e"},  {"ih", "I"},  {"iy", "i"},  {"ow", "o"},
      {"oy", "Q"},  {"uh", "U"},  {"uw", "u"},
  };
  return table;
}

bool AllLowerLetters(std::string_view w) {
  return !w.empty() && std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// Appends the bytes for the phones in `text` ("t ah1 f"); stress digits are
// dropped. False when some phone is not in the table.
bool TranslatePhones(std::string_view text, std::string& pronunciation) {
  bool known = true;
  std::string token;
  const auto flush = [&] {
    if (token.empty()) return;
    const auto& table = PhoneTable();
    const auto it = table.find(token);
    if (it != table.end())
      pronunciation += it->second;
    else if (!std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; }))
      known = false;  // stress marks are digits; anything else is news
    token.clear();
  };
  for (char c : text) {
    if (c >= 'a' && c <= 'z') {
      token.push_back(c);
    } else if (c >= '0' && c <= '9') {
      if (!token.empty()) token.push_back(c);  // a digit inside a phone name
    } else {
      flush();
    }
  }
  flush();
  return known;
}

// Parses one lexicon line; false for anything that is not an entry we can use.
bool ParseEntry(std::string_view line, std::string& word, std::string& partOfSpeech, std::string& pronunciation,
                bool& unknownPhone) {
  unknownPhone = false;
  if (line.size() < 3 || line[0] != '(' || line[1] != '"') return false;
  const auto close = line.find('"', 2);
  if (close == std::string_view::npos) return false;
  word.assign(line.substr(2, close - 2));
  // The syllables start at the first "(((" after the part of speech.
  const auto start = line.find("(((", close);
  if (start == std::string_view::npos) return false;
  partOfSpeech.clear();
  for (std::size_t i = close + 1; i < start; ++i)
    if (line[i] != ' ') partOfSpeech += line[i];
  pronunciation.clear();
  unknownPhone = !TranslatePhones(line.substr(start), pronunciation);
  return true;
}

// The sizes of SCOWL's lists, smallest (most common words) first.
constexpr int kScowlSizes[] = {10, 20, 35, 40, 50, 55, 60, 70, 80, 95};

// Each plain lowercase word of the lists `<folder>/english-<kind>.<size>`
// and `american-<kind>.<size>` (the spellings only American English has,
// like those of our word list) with the smallest size that holds it.
std::map<std::string, int> ReadScowlLevels(const std::string& folder, const char* kind) {
  std::map<std::string, int> levels;
  for (int size : kScowlSizes) {
    for (const char* variant : {"english-", "american-"}) {
      std::string text;
      if (!tq::words::ReadSourceFile(folder + "/" + variant + kind + "." + std::to_string(size), text)) continue;
      tq::LineCursor lines(text);
      std::string_view line;
      while (lines.Next(line)) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (AllLowerLetters(line)) levels.emplace(std::string(line), size);
      }
    }
  }
  return levels;
}

// True when `pronunciation` is the letters of `word` said by name, one
// after another, each name being one of `names[letter]`.
bool SpokenAsLetterNames(std::string_view word, std::string_view pronunciation,
                         const std::map<char, std::vector<std::string>>& names) {
  if (word.empty()) return pronunciation.empty();
  const auto it = names.find(word[0]);
  if (it == names.end()) return false;
  for (const auto& name : it->second)
    if (pronunciation.substr(0, name.size()) == name &&
        SpokenAsLetterNames(word.substr(1), pronunciation.substr(name.size()), names))
      return true;
  return false;
}

bool HasVowel(std::string_view word) {
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    if (c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || (c == 'y' && i > 0)) return true;
  }
  return false;
}

bool ReadOrSay(const char* path, std::string& text) {
  if (tq::words::ReadSourceFile(path, text)) return true;
  std::fprintf(stderr, "cannot read %s\n", path);
  return false;
}

bool WriteOrSay(const char* path, const std::string& text) {
  if (tq::WriteFileAtomically(path, text) == 0) return true;
  std::fprintf(stderr, "cannot write %s\n", path);
  return false;
}

// The command line, in the order the usage line gives it.
struct Arguments {
  const char* lexicon = nullptr;
  const char* wordList = nullptr;
  const char* extraWords = nullptr;
  const char* pictures = nullptr;
  const char* unsuitable = nullptr;
  const char* frequencies = nullptr;
  const char* scowlFolder = nullptr;
  const char* taggedLexicon = nullptr;
  const char* wordNetFolder = nullptr;
  const char* wordsOut = nullptr;
  const char* infoOut = nullptr;
};

// False, with the usage said, unless there are exactly eleven arguments.
bool ParseArguments(int argc, char** argv, Arguments& args) {
  if (argc != 12) {
    std::fprintf(stderr,
                 "usage: %s <cmudict-0.4.out> <american-english> <extra-words.txt> <pictures.txt> "
                 "<unsuitable.txt> <subtlex-us.txt> <scowl folder> <wsj.wp39.poslexR> <wordnet folder> "
                 "<words.dat> <wordinfo.dat>\n",
                 argv[0]);
    return false;
  }
  args = Arguments{argv[1], argv[2], argv[3], argv[4],  argv[5], argv[6],
                   argv[7], argv[8], argv[9], argv[10], argv[11]};
  return true;
}

// The sources read whole; the SCOWL lists are read where they are used.
struct Sources {
  std::string lexicon, wordList, extraWords, taggedLexicon;
  tq::words::WordNet wordNet;
  std::unordered_map<std::string, std::string> unsuitable;
  std::unordered_map<std::string, int> familiarity;
};

// False, with the line said, when one of our lists has a line it cannot take.
bool ReadOurLists(const Arguments& args, Sources& sources) {
  std::string text, bad;
  tq::words::PictureList pictures;
  if (!ReadOrSay(args.pictures, text)) return false;
  if (!tq::words::ParsePictureList(text, pictures, bad)) {
    std::fprintf(stderr, "%s: bad line: %s\n", args.pictures, bad.c_str());
    return false;
  }
  const auto unknown = sources.wordNet.SetPictureList(pictures);
  for (const auto& key : unknown) std::fprintf(stderr, "%s: WordNet has no sense %s\n", args.pictures, key.c_str());
  if (!unknown.empty()) return false;
  if (!ReadOrSay(args.unsuitable, text)) return false;
  if (!tq::words::ParseUnsuitableList(text, sources.unsuitable, bad)) {
    std::fprintf(stderr, "%s: bad line: %s\n", args.unsuitable, bad.c_str());
    return false;
  }
  if (!ReadOrSay(args.frequencies, text)) return false;
  if (tq::words::ParseFrequencies(text, sources.familiarity, bad) && !sources.familiarity.empty()) return true;
  std::fprintf(stderr, "%s: bad line: %s\n", args.frequencies, bad.c_str());
  return false;
}

// False, with what could not be read said, when any source is missing.
bool ReadSources(const Arguments& args, Sources& sources) {
  if (!ReadOrSay(args.lexicon, sources.lexicon) || !ReadOrSay(args.wordList, sources.wordList) ||
      !ReadOrSay(args.extraWords, sources.extraWords) || !ReadOrSay(args.taggedLexicon, sources.taggedLexicon))
    return false;
  std::string folder = args.wordNetFolder, missing;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  if (!sources.wordNet.Load(folder, missing)) {
    std::fprintf(stderr, "cannot read WordNet: %s\n", missing.c_str());
    return false;
  }
  return ReadOurLists(args, sources);
}

// The plain lowercase words of the word list.
std::unordered_set<std::string> KnownWords(const std::string& wordList) {
  std::unordered_set<std::string> known;
  tq::LineCursor lines(wordList);
  std::string_view line;
  while (lines.Next(line))
    if (AllLowerLetters(line)) known.emplace(line);
  return known;
}

struct Lexicon {
  std::map<std::string, std::string> entries;  // sorted byte-wise, first entry wins
  std::map<char, std::vector<std::string>> letterNames;
  int unknownPhones = 0;
};

// The lexicon's entries for the known words, and the ways to say each
// letter's name.
Lexicon ReadLexicon(const std::string& text, const std::unordered_set<std::string>& known) {
  Lexicon lexicon;
  tq::LineCursor lines(text);
  std::string_view line;
  std::string word, partOfSpeech, pronunciation;
  bool unknown = false;
  while (lines.Next(line)) {
    if (!ParseEntry(line, word, partOfSpeech, pronunciation, unknown)) continue;
    if (unknown) ++lexicon.unknownPhones;
    // Every pronunciation of a lone letter is a way to say its name,
    // except "a" as the article.
    if (word.size() == 1 && AllLowerLetters(word) && partOfSpeech != "dt")
      lexicon.letterNames[word[0]].push_back(pronunciation);
    if (!AllLowerLetters(word) || !known.count(word)) continue;
    lexicon.entries.emplace(word, pronunciation);
  }
  return lexicon;
}

// How many words each rule of the cleaning dropped.
struct Dropped {
  int singleLetters = 0, letterNameWords = 0, vowelless = 0, abbreviated = 0;
};

// The counter of the rule that drops the word; null when the word stays.
int* DroppedBy(const std::string& word, const std::string& pronunciation, const Lexicon& lexicon,
               const std::map<std::string, int>& levels, const std::map<std::string, int>& abbreviations,
               Dropped& dropped) {
  if (word.size() == 1 && word != "a" && word != "i") return &dropped.singleLetters;
  if (word.size() > 1 && SpokenAsLetterNames(word, pronunciation, lexicon.letterNames))
    return &dropped.letterNameWords;
  if (!HasVowel(word)) return &dropped.vowelless;
  if (abbreviations.count(word) && !levels.count(word)) return &dropped.abbreviated;
  return nullptr;
}

Dropped DropUnwantedWords(Lexicon& lexicon, const std::map<std::string, int>& levels,
                          const std::map<std::string, int>& abbreviations) {
  Dropped dropped;
  for (auto it = lexicon.entries.begin(); it != lexicon.entries.end();) {
    if (int* count = DroppedBy(it->first, it->second, lexicon, levels, abbreviations, dropped)) {
      ++*count;
      it = lexicon.entries.erase(it);
    } else {
      ++it;
    }
  }
  return dropped;
}

// Adds or overrides the words of our own list; false, with the line said,
// at the first line that is not "word phone phone ...". `supplied` counts
// the words taken.
bool AddOurOwnWords(const std::string& text, const char* path, std::map<std::string, std::string>& entries,
                    int& supplied) {
  tq::LineCursor lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    const auto blank = line.find(' ');
    const std::string word(line.substr(0, blank));
    std::string pronunciation;
    if (blank == std::string_view::npos || !AllLowerLetters(word) ||
        !TranslatePhones(line.substr(blank), pronunciation) || pronunciation.empty()) {
      std::fprintf(stderr, "%s: bad line: %.*s\n", path, static_cast<int>(line.size()), line.data());
      return false;
    }
    entries[word] = pronunciation;
    ++supplied;
  }
  return true;
}

// One "word,pronunciation" line per entry, in byte order.
std::string WordsDatText(const std::map<std::string, std::string>& entries) {
  std::string out;
  out.reserve(entries.size() * 16);
  for (const auto& [word, pronunciation] : entries) {
    out += word;
    out += ',';
    out += pronunciation;
    out += '\n';
  }
  return out;
}

// How many lines of wordinfo.dat tell each thing, and how many words have
// each tenth of the picture degrees (the last one 100 alone).
struct InfoCounts {
  int familiar = 0, nouns = 0, picturable = 0, unsuitable = 0;
  int degrees[11] = {};
};

// True when the word is unsuitable: by our list, by WordNet's usage domains
// for its main use, as a plural or verb form of a word of our list (pimps,
// raped; a form that is a word of its own, as "craps" the game, is listed
// "fine"), or as a plural of a word WordNet marks that WordNet does not know
// as a word of its own (its offensive senses are nouns: "spikes" is no form
// of "spik").
bool IsUnsuitable(const std::string& word, const std::unordered_map<std::string, std::string>& list,
                  const tq::words::WordNet& wordNet) {
  const auto listed = [&](const std::string& w) {
    const auto it = list.find(w);
    return it != list.end() && it->second != "fine";
  };
  const auto offensive = [&](const std::string& w) { return !list.count(w) && wordNet.IsOffensive(w); };
  if (list.count(word)) return listed(word);
  if (wordNet.IsOffensive(word)) return true;
  const auto forms = wordNet.Bases(word), plurals = wordNet.PluralBases(word);
  if (std::any_of(forms.begin(), forms.end(), listed)) return true;
  return !wordNet.Has(word) && std::any_of(plurals.begin(), plurals.end(), offensive);
}

// True when the word names food or a plant that is mostly heard in the
// singular: its plural (as spelling makes it) is heard at least 16 times
// less often (12 points of familiarity), as "rice" and "grass" are against
// "rices" and "grasses" but "rose" and "cherry" are not against "roses" and
// "cherries". Such food has no shape of its own, so it is pictured as a
// substance. Nouns with a plural of their own (mice) are left alone; so
// are things, whose substances WordNet files as such already, and whose
// plurals the subtitles often need less (suns, couches, dices).
bool IsMassNoun(const std::string& word, const tq::words::WordNet::Picture& picture, const Sources& sources) {
  if (picture.plural || (picture.category != 'f' && picture.category != 'p')) return false;
  if (sources.wordNet.HasIrregularPlural(word)) return false;
  const auto familiarity = [&](const std::string& w) {
    const auto it = sources.familiarity.find(w);
    return it == sources.familiarity.end() ? 0 : it->second;
  };
  return familiarity(word) - familiarity(tq::words::RegularPlural(word)) >= kMassGap;
}

// The first line of wordinfo.dat, which says its lines have a familiarity.
constexpr const char* kInfoHeader = "#wordinfo 2\n";

// One "word,familiarity,kind[,picture[,category]][,u]" line per entry that has something to tell.
std::string WordInfoText(const std::map<std::string, std::string>& entries, const tq::words::TaggedLexicon& tagged,
                         const Sources& sources, InfoCounts& counts) {
  std::string info = kInfoHeader;
  for (const auto& entry : entries) {
    const std::string& word = entry.first;
    const auto familiar = sources.familiarity.find(word);
    const int familiarity = familiar == sources.familiarity.end() ? 0 : familiar->second;
    const bool noun = tagged.nouns.count(word) > 0;
    const auto formCounts = tagged.counts.find(word);
    auto picture = sources.wordNet.PictureOf(word, formCounts == tagged.counts.end() ? nullptr : &formCounts->second);
    const int degree = picture.degree;
    const bool unsuitable = IsUnsuitable(word, sources.unsuitable, sources.wordNet);
    if (IsMassNoun(word, picture, sources)) picture.category = 's';
    ++counts.degrees[degree / 10];
    if (familiarity == 0 && !noun && degree == 0 && !unsuitable) continue;
    info += word;
    info += ',';
    info += familiarity == 0 ? std::string("-") : std::to_string(familiarity);
    info += noun ? ",n" : ",-";
    if (degree == 100) info += ",p";
    if (degree > 0 && degree < 100) info += "," + std::to_string(degree);
    if (degree >= kPictureDegree && picture.category) {
      info += ',';
      info += picture.plural ? static_cast<char>(picture.category - 'a' + 'A') : picture.category;
    }
    info += unsuitable ? ",u\n" : "\n";
    counts.familiar += familiarity >= kCommonFamiliarity ? 1 : 0;
    counts.nouns += noun ? 1 : 0;
    counts.picturable += degree >= kPictureDegree ? 1 : 0;
    counts.unsuitable += unsuitable ? 1 : 0;
  }
  return info;
}

void PrintSummary(const Lexicon& lexicon, std::size_t generated, const Dropped& dropped, int supplied,
                  const InfoCounts& counts) {
  std::printf("words.dat: %zu words of %zu (dropped %d single letters, %d said as letter names, %d without a vowel, "
              "%d abbreviations; %d from our own list)",
              lexicon.entries.size(), generated, dropped.singleLetters, dropped.letterNameWords, dropped.vowelless,
              dropped.abbreviated, supplied);
  if (lexicon.unknownPhones) std::printf(" (%d lexicon entries had unknown phones)", lexicon.unknownPhones);
  std::printf("\nwordinfo.dat: %d common words, %d mostly nouns, %d can be pictured, %d unsuitable\n"
              "picture degrees by tenths:",
              counts.familiar, counts.nouns, counts.picturable, counts.unsuitable);
  for (int count : counts.degrees) std::printf(" %d", count);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!ParseArguments(argc, argv, args)) return 2;
  Sources sources;
  if (!ReadSources(args, sources)) return 1;

  Lexicon lexicon = ReadLexicon(sources.lexicon, KnownWords(sources.wordList));
  if (lexicon.entries.empty()) {
    std::fprintf(stderr, "no words found\n");
    return 1;
  }
  const std::size_t generated = lexicon.entries.size();

  const auto levels = ReadScowlLevels(args.scowlFolder, "words");
  const auto abbreviations = ReadScowlLevels(args.scowlFolder, "abbreviations");
  if (levels.empty()) {
    std::fprintf(stderr, "no SCOWL word lists in %s\n", args.scowlFolder);
    return 1;
  }
  const Dropped dropped = DropUnwantedWords(lexicon, levels, abbreviations);
  int supplied = 0;
  if (!AddOurOwnWords(sources.extraWords, args.extraWords, lexicon.entries, supplied)) return 1;
  if (!WriteOrSay(args.wordsOut, WordsDatText(lexicon.entries))) return 1;

  InfoCounts counts;
  const std::string info =
      WordInfoText(lexicon.entries, tq::words::ReadTaggedLexicon(sources.taggedLexicon), sources, counts);
  if (!WriteOrSay(args.infoOut, info)) return 1;
  PrintSummary(lexicon, generated, dropped, supplied, counts);
  return 0;
}
