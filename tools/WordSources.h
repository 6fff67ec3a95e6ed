// The readers behind MakeWords' word knowledge, kept apart from its main() so
// that each rule can be tried on a few lines of made-up data: Festival's
// tagged lexicon (how often a word is a noun), WordNet (how well a word names
// something that can be pictured, and whether its main use is offensive) and
// our own reviewed lists. The rules themselves are described at the top of
// MakeWords.cpp, beside the fields they fill.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tq::words {

// Reads one of the source lists whole; false when it cannot be read. The
// largest of them is some tens of megabytes.
bool ReadSourceFile(const std::string& path, std::string& text);

// One tag of a tagged-lexicon entry with its log P(word | tag).
struct TagScore {
  std::string tag;
  double logP = 0;
};

// Reads one entry of the tagged lexicon, ("fish" ((nn -9.667) (rb -10.299) ) () ):
// the word and each of its tags once. False for anything else.
bool ParseTaggedEntry(std::string_view line, std::string_view& word, std::vector<TagScore>& tags);

// The share of P(tag | word) that the noun tags hold, from P(word | tag)
// weighted by how often each tag occurs in running text. withNames counts
// the proper-noun tags (nnp, nnps) as nouns; without it they are left out on
// both sides, so that only the word's uses as an ordinary word are weighed.
// Negative when the tags weigh nothing.
double NounShare(const std::vector<TagScore>& tags, bool withNames);

// About how many times the lexicon's newspaper text uses a word form as an
// ordinary noun (nn, nns), and in all (names left out).
struct FormCounts {
  double noun = 0;
  double all = 0;
};
FormCounts CountsOf(const std::vector<TagScore>& tags);

struct TaggedLexicon {
  // Words whose noun tags, names included, hold at least half.
  std::unordered_set<std::string> nouns;
  std::unordered_map<std::string, FormCounts> counts;
};
// Every entry of a lowercase word in the lexicon's text.
TaggedLexicon ReadTaggedLexicon(const std::string& text);

// One of our reviewed lists: "key value reason" per line, '#' starting a
// comment. For data/pictures.txt the key is a WordNet sense key (all senses
// under it count as that much of a picture, 0 to 100) or a word (its degree,
// and its plurals'); a reason that names a kind of picture (one of
// kPictureKinds) makes it the category of the senses or the word. For
// data/unsuitable.txt there is no value, and a word's reason is one of
// kUnsuitableReasons or "fine" (never unsuitable).
struct PictureList {
  std::unordered_map<std::string, int> senses;  // sense key -> factor 0..100
  std::unordered_map<std::string, int> words;   // word -> degree 0..100
  std::unordered_map<std::string, char> categories;  // sense key or word -> category
  std::unordered_set<std::string> places;             // sense keys of places
};
// The reasons of data/pictures.txt that name a kind of picture, with the
// category letter of wordinfo.dat each stands for.
inline constexpr std::pair<std::string_view, char> kPictureKinds[] = {
    {"thing", 'o'}, {"animal", 'a'}, {"food", 'f'}, {"body", 'b'}, {"plant", 'p'}, {"place", 'l'}, {"person", 'h'}};
// False with the line said in error at the first line that is none.
bool ParsePictureList(const std::string& text, PictureList& list, std::string& error);
inline constexpr std::string_view kUnsuitableReasons[] = {"vulgar", "sexual",  "slur",    "drug",
                                                          "hate",   "waste",   "disease", "unpleasant"};
// Word -> reason.
bool ParseUnsuitableList(const std::string& text, std::unordered_map<std::string, std::string>& list,
                         std::string& error);

// How familiar each word is, from how often it is heard: the spoken-English
// frequencies of data/subtlex-us.txt ("word<TAB>count" a line, counted in
// the subtitles of American films and television). We take them rather than
// the newspaper counts of the tagged lexicon because familiarity is what
// they were made to measure, and speech is the English a person pictures
// with: newspapers know "effigy" and "tariff" better than "fish" and "sock".
// A word's familiarity is ten times its Zipf value, the base-10 logarithm
// of its frequency per billion words, rounded and kept within 1 to 99: 49
// for fish, 24 for effigy, 10 for a word heard once in fifty million. The
// count of a word is that of its lowercase form plus a quarter of the counts
// of its forms with capitals: the list gives each form as it was mostly
// written, so a word mostly written with a capital is mostly a name (Mike,
// Rose, Lane), and only some of its uses are the word itself. The pieces the
// subtitles' tokens cut from contractions (don't, won't, haven't, ma'am)
// say nothing of the words they look like, and are left out.
// False, with the line said in error, at the first line that is none.
inline constexpr std::string_view kContractionPieces[] = {"don", "won", "haven", "ma", "re", "em", "isn", "aren",
                                                           "wasn", "weren", "hasn", "hadn", "doesn", "didn",
                                                           "couldn", "wouldn", "shouldn", "mustn", "needn", "shan",
                                                           "ain", "ll", "ve"};
// The plural a noun takes by the rules of spelling: boxes, cherries, socks.
std::string RegularPlural(const std::string& noun);

bool ParseFrequencies(const std::string& text, std::unordered_map<std::string, int>& familiarity,
                      std::string& error);

// The WordNet 3.0 database as far as picturing and offence need it: each
// lemma's senses in every part of speech with the times they were tagged,
// the noun senses' place in the hierarchy, and the plural and verb-form
// exceptions.
class WordNet {
 public:
  // Reads data.noun/verb/adj/adv, cntlist.rev, noun.exc and verb.exc from
  // the folder (with its trailing separator). False, with the file named in
  // error, when one of them cannot be read or data.noun holds no synset.
  bool Load(const std::string& folder, std::string& error);
  // The reviewed sense roots and word degrees; call after Load. Returns the
  // sense keys WordNet does not have (a key is made of one of the synset's
  // lemmas that is a plain word: "formation", not "geological_formation").
  std::vector<std::string> SetPictureList(const PictureList& list);

  // How well the word (or the noun it is a plural of) names something that
  // can be pictured, 0 to 100; what kind of thing its picture is, as the
  // category letter of wordinfo.dat (0 for none); and whether the picture is
  // that of a noun the word is the plural of. counts: the tagged lexicon's
  // counts of the word form, null when it does not know it.
  struct Picture {
    int degree = 0;
    char category = 0;
    bool plural = false;
  };
  Picture PictureOf(const std::string& word, const FormCounts* counts) const;
  int PictureDegree(const std::string& word, const FormCounts* counts) const { return PictureOf(word, counts).degree; }
  // True when the lemma's senses in WordNet's usage domains of obscenity,
  // disparagement and ethnic slurs (or glossed as such) weigh more than half.
  bool IsOffensive(const std::string& lemma) const;
  // True when WordNet has the lemma in any part of speech.
  bool Has(const std::string& lemma) const { return lemmas_.count(lemma) > 0; }
  // The lemmas the word may be a noun plural or a verb form of (knives,
  // mice, raped, pimping), not the word itself.
  std::vector<std::string> Bases(const std::string& word) const;
  // The nouns the word may be a plural of.
  std::vector<std::string> PluralBases(const std::string& word) const;
  // True when noun.exc gives the noun a plural of its own (mice, knives).
  bool HasIrregularPlural(const std::string& noun) const { return irregularSingulars_.count(noun) > 0; }

  std::size_t LemmaCount() const { return lemmas_.size(); }

 private:
  struct NounSense {
    int synset = 0;  // index into synsets_
    int tags = 0;
  };
  struct Lemma {
    std::vector<NounSense> nouns;  // names ("Salmon" the river) left out
    int verbTags = 0, verbSenses = 0;
    int otherTags = 0, otherSenses = 0;  // adjectives and adverbs
    int offensiveTags = 0, offensiveSenses = 0;
  };
  struct Synset {
    int file = 0;
    std::vector<int> hypernyms;
    int rooted = kUnknown;  // the nearest listed root at or above it, or kNone
    int place = kUnknown;   // 1 when a listed place is at or above it, else 0
  };
  struct Root {
    int factor = 0;
    char category = 0;  // 0: the senses' own files say
  };
  static constexpr int kUnknown = -2, kNone = -1;
  int Rooted(int synset, int depth) const;
  bool IsPlace(int synset, int depth) const;
  int Factor(int synset) const;
  char Category(int synset) const;
  Picture LemmaPicture(const std::string& lemma, const FormCounts* counts, bool plural) const;

  std::unordered_map<std::string, Lemma> lemmas_;
  mutable std::vector<Synset> synsets_;
  std::unordered_map<std::string, int> nounSenseSynsets_;  // sense key -> synset
  std::unordered_map<int, Root> roots_;                     // synset -> its listed factor
  std::unordered_set<int> places_;                          // the listed places' synsets
  std::unordered_set<std::string> irregularSingulars_;
  std::unordered_map<std::string, int> wordDegrees_;
  std::unordered_map<std::string, char> wordCategories_;
  std::unordered_map<std::string, std::vector<std::string>> nounExceptions_, verbExceptions_;
};

}  // namespace tq::words
