// The check behind the Edit Phrase dialog's OK button: the typed phrase is
// split into words and uncovered-digit marks and walked left to right
// against the number's digits. Punctuation around a word the dictionary does
// not know as typed is no part of it ("Lily," is "lily"). A word the
// dictionary lacks may be added, a word whose code does not fit may be given
// a new one; the questions and the input box go through the platform seam,
// so the whole walk is plain C++. Words the user agreed to add go into the
// dictionary only once the whole phrase passes: a phrase given up leaves
// none behind.
#pragma once

#include <string>
#include <vector>

#include "RNumber.h"

namespace tq {

class RDictionary;

// How a check ended.
enum class PhraseCheckResult {
  Passed,        // every slot fits: the dialog may close with OK
  StoppedFocus,  // the user was told or said no: back to the phrase field
  Stopped,       // stopped after an error that names no place in the phrase
};

class RPhraseCheck {
 public:
  explicit RPhraseCheck(RDictionary& dictionary) : dictionary_(dictionary) {}

  // The number the phrase is checked against.
  void SetNumber(const std::string& number) { workNumber_.SetNumber(number); }
  // The number being edited and, after a check, the parsed typed phrase.
  const RNumber& WorkNumber() const { return workNumber_; }

  // Set once a check added words (when it passed) or changed a code; it
  // stays set after a stop, because a changed code stays changed.
  bool DictionaryChanged() const { return dictionaryChanged_; }
  void ClearDictionaryChanged() { dictionaryChanged_ = false; }

  // Lower-cases the typed text (Windows-1252), parses it and walks it,
  // asking the user's way through unknown words and mismatched codes.
  PhraseCheckResult Check(const std::string& typed);

  // The phrase of the last check, lower-cased, spacing as typed, without the
  // punctuation around its words.
  const std::string& AcceptedPhrase() const { return workNumber_.Phrase(); }
  // Gives `current` the phrase of the last check and the slots read from it.
  void ApplyTo(RNumber& current) const;

 private:
  // A word the user agreed to add, with the code it will have.
  struct OfferedWord {
    std::string word;
    std::string code;
    bool codeGiven = false;  // typed by the user, rather than the word's own
  };

  // The typed text lowered, each word as the user means it: a piece the
  // dictionary does not know loses the punctuation around it, and a piece of
  // punctuation alone goes.
  std::string PhraseMeant(const std::string& typed) const;
  // The word's code: the dictionary's, or, for a word it lacks, the code it
  // will have once added (after offering to add it). False when the walk
  // stops.
  bool CodeOf(const std::string& word, std::string& code);
  // The word's code against the digits from p: offers new codes until one
  // fits. The fitting code's length, or -1 when the walk stops.
  int FitCode(const std::string& word, std::string code, std::size_t p);
  OfferedWord* Offered(const std::string& word);
  // Adds the offered words once the phrase passed: Passed, or how the walk
  // stops when one of them could not go in after all (said).
  PhraseCheckResult AddOfferedWords();

  RDictionary& dictionary_;
  RNumber workNumber_;
  bool dictionaryChanged_ = false;
  std::vector<OfferedWord> offered_;
};

// The same walk without questions, for a phrase typed where the dictionary is
// not to be changed (rehearsal): true when the text, lowered and split as
// above, is all dictionary words whose codes, one after the other, give
// exactly `digits`. An uncovered-digit mark or a word the dictionary lacks
// makes it false, and so do digits left over.
bool PhraseSpellsDigits(const RDictionary& dictionary, const std::string& typed, const std::string& digits);
// What such a phrase spells, for showing where it went wrong: the words'
// codes in turn, with '?' for a word the dictionary lacks and for a mark.
std::string SpelledDigits(const RDictionary& dictionary, const std::string& typed);

}  // namespace tq
