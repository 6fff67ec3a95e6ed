// RDictionary: the one dictionary of the program. It holds the mapping rules
// that turn letters or stored sounds into digits, the word store (installed
// words merged with the user's additions and removals), the index of words by
// code length, every lookup the windows make, and the user's change lists with
// their file words.txt.
//
// All text is 8-bit Windows-1252, compared byte-wise as unsigned. Operations
// return 0 / -1 (or a position and -1) and show their own message on failure.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "DataPaths.h"

namespace tq {

// Familiarity: ten times the base-10 logarithm of how often the word is
// heard per billion words (fish 49, effigy 24), 0 when that is not known.
// From kCommonFamiliarity up a word counts as common; the user's own words
// count as familiar as kOwnFamiliarity.
inline constexpr unsigned char kMaxFamiliarity = 99;
inline constexpr unsigned char kCommonFamiliarity = 25;
inline constexpr unsigned char kOwnFamiliarity = 50;
// An earlier wordinfo.dat gave the size of the smallest SCOWL word list
// that holds a word (10 to 95) instead: this is about the familiarity the
// words of such a list mostly have, the median of those it shares with the
// spoken counts.
unsigned char FamiliarityOfListSize(int size);

struct RWordEntry {
  std::string word;
  std::string pronunciation;  // meaningful only when hasPronunciation
  std::string code;           // meaningful only when hasCode
  bool hasPronunciation = false;
  bool hasCode = false;
  // What wordinfo.dat says of the word: how familiar it is (how often it is
  // heard, 0 to kMaxFamiliarity; kOwnFamiliarity for the user's own words,
  // which count as common), whether it is mostly used as a noun, and whether it
  // names a concrete thing a person can picture (an animal, a tool, a food),
  // as a degree from 0 (not at all) to kFullPicture; what kind of thing the
  // picture is (one of kPictureCategories, 0 when unknown) and whether it is
  // that of a noun the word is the plural of (toes, teeth); and whether the
  // word is one no suggestion may offer (vulgar, a slur, a hard drug).
  unsigned char familiarity = kOwnFamiliarity;
  bool noun = false;
  unsigned char picture = 0;
  char category = 0;
  bool plural = false;
  bool unsuitable = false;

  friend bool operator==(const RWordEntry&, const RWordEntry&) = default;
};

// How one word stands in the dictionary: in the store or not (with its whole
// entry, code and knowledge), and what the user's change lists say of it.
struct RWordState {
  std::string word;
  bool present = false;
  RWordEntry entry;           // when present
  bool added = false;         // on the added list
  bool removed = false;       // on the removed list
  std::string removedLine;    // "word,sounds" kept for a removed installed word; empty for none
  bool edited = false;        // has a code of the user's own...
  std::string editedCode;     // ...this one

  friend bool operator==(const RWordState&, const RWordState&) = default;
};

// What a run of the user's edits changed in the dictionary: every word it
// touched, as it stood before and after, and the mapping lines before and
// after when they changed. Enough to put the dictionary back either way:
// what Undo and Redo in the main window do with a dictionary change.
struct RDictionaryEdit {
  std::vector<RWordState> before;
  std::vector<RWordState> after;  // the same words in the same order
  bool mapping = false;
  std::vector<std::string> mappingBefore;
  std::vector<std::string> mappingAfter;

  bool Empty() const { return before.empty() && !mapping; }
  // The text it holds, roughly, for the undo history's memory limit.
  std::size_t Bytes() const;
};

// Picture degrees: a word from kPictureDegree up counts as a picture.
inline constexpr unsigned char kFullPicture = 100;
inline constexpr unsigned char kPictureDegree = 50;
// The kinds of picture, in the order peg lists prefer them: an object (a
// knife, a stone), an animal, food, a part of the body, a plant, a place or
// a backdrop (a lane, a room, the sky), something else one sees (sand, fire,
// rice), a person.
inline constexpr std::string_view kPictureCategories = "oafbplsh";


// One letter group bound to one digit ('\0' for the no-digit line).
struct RMappingRule {
  std::string letters;
  char digit = '\0';
};

// Rules by their first byte, longest first; built for one coding job.
struct RRuleTable {
  std::array<std::vector<RMappingRule>, 256> lists;
  // The same rules in short for the bytes whose rules are simple, so that
  // coding the whole dictionary at start-up seldom walks a list: the byte
  // gives `digit` (kNoDigit for none) and takes one byte, unless a rule of
  // two bytes ending in `second` (0 for none) matches, which gives
  // `pairDigit` and takes both. A zero digit sends the byte to its list.
  // BuildRuleTable fills them; a table made by hand may leave them zero.
  struct Quick {
    char digit = 0;
    char second = 0;
    char pairDigit = 0;
  };
  static constexpr char kNoDigit = 'x';
  std::array<Quick, 256> quick{};
};

// A pseudo-random number from 0 to n-1; 0 when n is 0 or less.
int RandomBelow(int n);

// Why a word the user gives cannot go into the dictionary, or empty when it
// can. A word is one word: not empty, no blank, tab, line break or other
// control character anywhere (so nothing to trim either), and it does not
// begin with '#', which in words.txt would be read as a section header. It
// has a letter ("123" and "-" are no words) and at most kMaxWordLength bytes.
std::string WordProblem(std::string_view word);
// Why a text cannot be a word's code, or empty when it can: a code is made of
// the digits 0 to 9 only, and may be empty.
std::string CodeProblem(std::string_view code);
// Why SetMappingLine would refuse these letters for the line at index, or
// empty when it takes them.
std::string MappingLineProblem(std::size_t index, std::string_view letters);

class RDictionary {
 public:
  // Code lengths that take part in code lookups: 0 to kMaxCodeLength.
  static constexpr int kMaxCodeLength = 24;
  static constexpr std::size_t kMappingLineCount = 11;
  // The longest word the user may add: three times the installed
  // dictionary's longest (20 letters). Anything longer is no word a list or a
  // phrase can show, but a paste gone wrong.
  static constexpr std::size_t kMaxWordLength = 64;
  // The longest of each file the dictionary reads. Far above what the
  // program ships (words.dat and wordinfo.dat are each under a megabyte) or
  // writes (words.txt grows with every word imported, and an import takes
  // up to kMaxImportFile at a time); a longer file is none of ours and is
  // not taken into memory.
  static constexpr std::size_t kMaxWordsFile = std::size_t{16} << 20;
  static constexpr std::size_t kMaxKnowledgeFile = std::size_t{32} << 20;
  static constexpr std::size_t kMaxMappingFile = std::size_t{16} << 20;
  static constexpr std::size_t kMaxChangesFile = std::size_t{256} << 20;
  static constexpr std::size_t kMaxImportFile = std::size_t{64} << 20;

  RDictionary();

  // --- data files ---------------------------------------------------------
  // One folder for everything, as in a portable run.
  void SetDirectory(const std::string& directory) { SetPaths(PortablePaths(directory)); }
  // dataDirectory: words.dat, wordinfo.dat and the shipped mapping.txt, only
  // ever read. The user's files, words.txt and their own mapping.txt (which
  // wins over the shipped one), are read and written where UserFileToRead
  // and UserFileToWrite say. A user folder apart from the data folder is made
  // on the first write; a single folder must exist.
  void SetPaths(const DataPaths& paths) { paths_ = paths; }
  // The same with the user's files in a folder of their own, none kept before.
  void SetDirectories(const std::string& dataDirectory, const std::string& userDirectory) {
    paths_ = PortablePaths(dataDirectory);
    paths_.userDirectory = userDirectory;
  }
  const DataPaths& Paths() const { return paths_; }
  const std::string& Directory() const { return paths_.dataDirectory; }
  const std::string& UserDirectory() const { return paths_.userDirectory; }

  int LoadUserChanges();  // words.txt
  int SaveUserChanges();
  int LoadWords();        // words.dat, then the user's added and removed words
  int LoadMapping();      // mapping.txt
  // wordinfo.dat: familiarity, nouns, pictures. A missing, unreadable or too
  // long file only means that nothing is known (-1, no message); the program
  // runs on without it. Something else than a file in its place (a folder, a
  // named pipe) is also said on the status line.
  int LoadWordKnowledge();
  bool HasWordKnowledge() const { return hasKnowledge_; }
  // How familiar the word is, 0 to kMaxFamiliarity; without knowledge, 0.
  unsigned char Familiarity(const RWordEntry& e) const { return HasWordKnowledge() ? e.familiarity : 0; }
  // True when the entry counts as a common word: with knowledge, one of
  // kCommonFamiliarity or more, the user's own words among them; without
  // it, none is.
  bool IsCommonEntry(const RWordEntry& e) const { return Familiarity(e) >= kCommonFamiliarity; }
  // How well the word names something that can be pictured, 0 to
  // kFullPicture; an older file without the mark pictures nothing.
  unsigned char PictureDegree(const RWordEntry& e) const { return HasWordKnowledge() ? e.picture : 0; }
  bool IsPicturableEntry(const RWordEntry& e) const { return PictureDegree(e) >= kPictureDegree; }
  // The kind of the word's picture (one of kPictureCategories), 0 when
  // unknown; and whether the picture is that of the noun it is a plural of.
  char PictureCategory(const RWordEntry& e) const { return HasWordKnowledge() ? e.category : '\0'; }
  bool IsPluralEntry(const RWordEntry& e) const { return HasWordKnowledge() && e.plural; }
  // True when no suggestion (best phrases, pegs) may offer the word.
  bool IsUnsuitableEntry(const RWordEntry& e) const { return HasWordKnowledge() && e.unsuitable; }
  int SaveMapping();

  // --- mapping rules and coding --------------------------------------------
  std::string MappingLine(std::size_t index) const;
  int SetMappingLine(std::size_t index, const std::string& letters);
  std::size_t MappingLineCount() const { return mappingLines_.size(); }
  bool MappingChanged() const { return mappingChanged_; }

  RRuleTable BuildRuleTable(bool pronunciationMode) const;
  static std::string ApplyRules(std::string_view text, const RRuleTable& table);
  // Codes with the table of the mode, built once for the rules as they stand
  // and kept until a rule line changes.
  std::string CodeFromText(std::string_view text, bool pronunciationMode) const;

  // --- word store and lookups ----------------------------------------------
  int ComputeCodes();
  int BuildCodeIndex();

  int Count() const { return static_cast<int>(entries_.size()); }
  std::size_t Capacity() const { return capacity_; }
  // The entry records memory is actually held for.
  std::size_t ReservedEntries() const { return entries_.capacity(); }
  int FindWord(std::string_view word, bool nearest = false) const;
  const std::string& WordAt(int position) const { return entries_[static_cast<std::size_t>(position)].word; }
  const std::string& CodeAt(int position) const { return entries_[static_cast<std::size_t>(position)].code; }
  const RWordEntry& EntryAt(int position) const { return entries_[static_cast<std::size_t>(position)]; }

  int ListWordsForDigits(std::string_view digits, std::vector<std::string>& rows) const;
  void TrimToKnownCode(std::string& digits) const;
  std::optional<std::string> RandomWordForCode(std::string_view code) const;
  int FindWords(std::string_view text, std::vector<std::string>& words, std::vector<std::string>& codes,
                int mode) const;
  // Entries in the index bucket for a code length (0 when out of range).
  int BucketSize(int length) const;
  // The positions of the entries whose codes have `length` digits (empty
  // when out of range), in store order.
  const std::vector<std::size_t>& BucketEntries(int length) const;

  // --- the user's changes ----------------------------------------------------
  // AddWord returns the new word's position, -1 when the word is already
  // there (the caller decides whether to say so) or kWordRefused when the
  // word is not one WordProblem lets in; it has then shown why. A removed
  // word is always let back in as long as words.txt can hold it.
  static constexpr int kWordRefused = -2;
  int AddWord(const std::string& word);
  // The word the user means by typed text ("Lily," in a phrase, or in the
  // Add Word box): lowered and without blanks around it; a word the
  // dictionary knows as it stands stays so, any other loses the punctuation
  // around it, unless nothing would be left.
  std::string WordMeant(std::string_view typed) const;
  // The code AddWord would give the word: a code the user gave it before, the
  // code of its pronunciation for a removed installed word, else the code of
  // its letters.
  std::string CodeOfNewWord(const std::string& word) const;
  // -1 when the word is absent, or when words.txt could not hold it (said).
  int RemoveWord(const std::string& word);
  // 0, or -1 when the code is not digits or words.txt could not hold the
  // word; nothing is stored then and the reason has been shown.
  int EditCode(const std::string& word, const std::string& code);
  // True when the user took the word out of the dictionary since the
  // program started (and it is still out): a phrase that loses it then is no
  // surprise, unlike one that names a word the files do not hold.
  bool RemovedSinceStart(const std::string& word) const {
    return FindWord(word) < 0 && removedSinceStart_.count(word) > 0;
  }
  int RemovedCount() const { return static_cast<int>(removedWords_.size()); }
  const std::string& RemovedAt(int position) const { return removedWords_[static_cast<std::size_t>(position)]; }
  bool ChangesMade() const { return changesMade_; }

  const std::vector<std::string>& AddedWords() const { return addedWords_; }
  const std::vector<std::string>& RemovedWords() const { return removedWords_; }
  const std::vector<std::string>& EditedWords() const { return editedWords_; }
  const std::vector<std::string>& EditedCodes() const { return editedCodes_; }

  // --- putting edits back ------------------------------------------------------
  // From BeginEdit on, each word that AddWord, RemoveWord or EditCode
  // touches, and the mapping when SetMappingLine first changes it, is noted
  // as it stood before. EndEdit stops noting and hands over what changed
  // since (a word that ended as it began is left out). PutBack puts the
  // edit's words and mapping as they stood before it (`before`) or after it,
  // computes the codes afresh when the mapping differs, and rebuilds the
  // code index.
  void BeginEdit();
  RDictionaryEdit EndEdit();
  void PutBack(const RDictionaryEdit& edit, bool before);

 private:
  RWordState StateOf(const std::string& word) const;
  void PutState(const RWordState& state);
  void NoteWord(const std::string& word);
  void NoteMapping();
  void Grow(std::size_t needed);
  int ReadWordsFile(const std::string& path);
  void MergeAddedWords();
  void MergeRemovedWords();
  // freshEntries: every entry was made by this load, so none holds knowledge
  // from before that would need clearing.
  void ApplyWordKnowledge(bool freshEntries);
  // FindWord for a run of words that mostly come in word order: the search
  // starts at cursor and gallops forward, so a sorted run costs about one pass
  // over the store; a word out of order is searched for the usual way.
  int FindWordFrom(std::string_view word, std::size_t& cursor) const;
  const std::vector<std::size_t>* Bucket(std::size_t length) const;
  bool BucketHasCode(std::size_t length, std::string_view code) const;
  std::string FilePath(const char* name) const { return paths_.dataDirectory + name; }
  void MakeUserDirectory() const;
  std::vector<std::string>::const_iterator RemovedPronunciation(const std::string& word) const;

  DataPaths paths_;

  std::vector<std::string> mappingLines_;
  bool mappingChanged_ = false;
  // The rule tables for letters and for sounds; empty until first asked for.
  mutable std::shared_ptr<const RRuleTable> letterRules_;
  mutable std::shared_ptr<const RRuleTable> soundRules_;
  const RRuleTable& Rules(bool pronunciationMode) const;
  void ForgetRules();

  std::vector<RWordEntry> entries_;
  std::size_t capacity_ = 68000;
  std::array<std::vector<std::size_t>, kMaxCodeLength + 1> codeIndex_;
  // wordinfo.dat's lines for words the store held when it was read.
  std::string knowledgeText_;  // wordinfo.dat as read
  bool hasKnowledge_ = false;

  std::vector<std::string> addedWords_;
  std::vector<std::string> removedWords_;
  std::vector<std::string> removedPronunciations_;
  std::vector<std::string> editedWords_;
  std::vector<std::string> editedCodes_;
  bool changesMade_ = false;
  std::unordered_set<std::string> removedSinceStart_;

  // What BeginEdit has noted so far.
  struct REditNotes {
    bool on = false;
    std::vector<RWordState> before;
    std::unordered_set<std::string> words;
    bool mapping = false;
    std::vector<std::string> mappingBefore;
  };
  REditNotes notes_;
};

// Creates a dictionary for the data directory (with its trailing separator)
// and loads it as the program starts: the user's changes, the installed
// words, the word knowledge, the mapping rules, the codes and the code index.
// A missing wordinfo.dat is not fatal. A missing words.dat
// or mapping.txt is fatal: its loader has said so, loading stops there and the
// result is null.
std::unique_ptr<RDictionary> CreateDictionary(const std::string& directory);
// The same with the folders DecideDataPaths chose.
std::unique_ptr<RDictionary> CreateDictionary(const DataPaths& paths);

}  // namespace tq
