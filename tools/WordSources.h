// The readers behind MakeWords' word knowledge, kept apart from its main() so
// that each rule can be tried on a few lines of made-up data: Festival's
// tagged lexicon (how often a word is a noun) and WordNet (whether a noun
// names something that can be pictured). The rules themselves are described
// at the top of MakeWords.cpp, beside the fields they fill.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tq::words {

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

struct TaggedLexicon {
  // Words whose noun tags, names included, hold at least half.
  std::unordered_set<std::string> nouns;
  // NounShare without names, for every word that has one.
  std::unordered_map<std::string, double> commonNounShare;
};
// Every entry of a lowercase word in the lexicon's text.
TaggedLexicon ReadTaggedLexicon(const std::string& text);

// The WordNet 3.0 database as far as picturing needs it: for each noun how
// its tagged uses fall on concrete and other senses, how often it is tagged
// as a noun or as another part of speech, and the plural exceptions.
class WordNetNouns {
 public:
  // Reads data.noun, cntlist.rev, noun.exc and index.verb/adj/adv from the
  // folder (with its trailing separator). False, with the file named in
  // error, when one of them cannot be read or data.noun holds no synset.
  bool Load(const std::string& folder, std::string& error);

  // True when the word, or the noun it is a plural of, names a concrete thing
  // often enough to be pictured and is used as a noun often enough to be read
  // as one. nounShare is the tagged lexicon's share of noun uses for the word
  // itself, negative when the lexicon does not know it.
  bool IsPicturable(const std::string& word, double nounShare) const;

  std::size_t NounCount() const { return nouns_.size(); }

 private:
  struct Noun {
    long concreteWeight = 0;  // weights of the senses in the concrete files
    long weight = 0;          // weights of every sense that is no name
    int nounTags = 0;         // tagged uses as a noun
    int senses = 0;           // noun senses, names included
  };
  struct Other {
    int tags = 0;    // tagged uses as a verb, adjective or adverb
    int senses = 0;  // senses as a verb, adjective or adverb
  };
  bool Passes(const std::string& lemma, double nounShare) const;

  std::unordered_map<std::string, Noun> nouns_;
  std::unordered_map<std::string, Other> others_;
  std::unordered_map<std::string, std::vector<std::string>> exceptions_;
};

}  // namespace tq::words
