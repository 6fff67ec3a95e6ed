// The pegs in force: for every number of one, two or three digits, the
// user's own peg (MyPegs.h) where they have a sound one, and the peg the
// peg list suggests (MakePegList) everywhere else. This is what the Journey
// window's fill, `--journey --pegs` and the drills lay and ask.
//
// RPegSystem is how the main window holds them: the user's pegs, read once,
// and each length's suggested list, made when first asked (a list of three
// digits takes a moment) and kept until the dictionary changes. Plain C++.
//
//   RPegSystem pegs(dictionary);
//   pegs.SetMine(LoadMyPegs(dictionary.Paths(), dictionary));
//   pegs.InForce(2)[37].Phrase()   // "mug"
//   pegs.PegOf("211").words        // {"tin", "hat"}
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "MyPegs.h"
#include "PegList.h"

namespace tq {

class RDictionary;

// The suggested list with the user's own pegs put in: a peg of theirs that
// no longer spells its number (the dictionary changed since) is passed
// over. `suggested` is MakePegList's list for one length, in order.
std::vector<RPeg> PegsInForce(const RDictionary& dictionary, const RMyPegs& mine, std::vector<RPeg> suggested);
// The same, making the suggested list of `digits` digits (1, 2 or 3; any
// other gives an empty list).
std::vector<RPeg> PegsInForce(const RDictionary& dictionary, const RMyPegs& mine, int digits);

// A peg made of the user's words for a number: its slots, and whether it
// is one word to picture, as the peg list marks its own.
RPeg MyPeg(const RDictionary& dictionary, std::string_view number, const std::vector<std::string>& slots);

// For each peg of a list, another peg of the list that uses one of its
// words too (its index), or -1: a word that stands for two numbers blurs
// both pictures.
std::vector<int> UsedTwice(const std::vector<RPeg>& pegs);

class RPegSystem {
 public:
  explicit RPegSystem(const RDictionary& dictionary) : dictionary_(dictionary) {}

  const RMyPegs& Mine() const { return mine_; }
  // New pegs of the user's: the pegs in force are made again when next asked.
  void SetMine(RMyPegs mine);
  // The dictionary changed (a word, a code, the mapping): every list is made
  // again when next asked.
  void DictionaryChanged();

  // The suggested list and the list in force for numbers of `digits` digits
  // (1 to 3), in order: entry n is the peg of n.
  const std::vector<RPeg>& Suggested(int digits);
  const std::vector<RPeg>& InForce(int digits);
  // The peg in force of a number of one to three digits ("7", "37", "037").
  const RPeg& PegOf(std::string_view number);

 private:
  static constexpr std::size_t kLengths = 3;
  const RDictionary& dictionary_;
  RMyPegs mine_;
  std::array<std::vector<RPeg>, kLengths> suggested_;
  std::array<std::vector<RPeg>, kLengths> inForce_;
};

}  // namespace tq
