#include "PegSystem.h"

#include <unordered_map>

#include "RDictionary.h"
#include "RNumber.h"

namespace tq {

RPeg MyPeg(const RDictionary& dictionary, std::string_view number, const std::vector<std::string>& slots) {
  RPeg peg;
  peg.number = std::string(number);
  peg.words = slots;
  if (slots.size() == 1 && !IsUncoveredSlot(slots.front())) {
    const int position = dictionary.FindWord(slots.front());
    peg.picturable = position >= 0 && dictionary.IsPicturableEntry(dictionary.EntryAt(position));
  }
  return peg;
}

std::vector<RPeg> PegsInForce(const RDictionary& dictionary, const RMyPegs& mine, std::vector<RPeg> suggested) {
  for (RPeg& peg : suggested)
    if (const auto* own = mine.Find(peg.number); own && MyPegProblem(dictionary, peg.number, *own).empty())
      peg = MyPeg(dictionary, peg.number, *own);
  return suggested;
}

std::vector<RPeg> PegsInForce(const RDictionary& dictionary, const RMyPegs& mine, int digits) {
  return PegsInForce(dictionary, mine, MakePegList(dictionary, digits));
}

std::vector<int> UsedTwice(const std::vector<RPeg>& pegs) {
  std::vector<int> other(pegs.size(), -1);
  std::unordered_map<std::string, int> first;  // the first peg of each word
  for (std::size_t k = 0; k < pegs.size(); ++k)
    for (const std::string& word : pegs[k].words) {
      if (IsUncoveredSlot(word)) continue;
      const auto [at, fresh] = first.emplace(word, static_cast<int>(k));
      if (fresh || at->second == static_cast<int>(k)) continue;
      other[k] = at->second;
      if (other[static_cast<std::size_t>(at->second)] < 0) other[static_cast<std::size_t>(at->second)] = static_cast<int>(k);
    }
  return other;
}

void RPegSystem::SetMine(RMyPegs mine) {
  mine_ = std::move(mine);
  for (auto& list : inForce_) list.clear();
}

void RPegSystem::DictionaryChanged() {
  for (auto& list : suggested_) list.clear();
  for (auto& list : inForce_) list.clear();
}

const std::vector<RPeg>& RPegSystem::Suggested(int digits) {
  static const std::vector<RPeg> kNone;
  if (digits < 1 || digits > static_cast<int>(kLengths)) return kNone;
  auto& list = suggested_[static_cast<std::size_t>(digits - 1)];
  if (list.empty()) list = MakePegList(dictionary_, digits);
  return list;
}

const std::vector<RPeg>& RPegSystem::InForce(int digits) {
  static const std::vector<RPeg> kNone;
  if (digits < 1 || digits > static_cast<int>(kLengths)) return kNone;
  auto& list = inForce_[static_cast<std::size_t>(digits - 1)];
  if (list.empty()) list = PegsInForce(dictionary_, mine_, Suggested(digits));
  return list;
}

const RPeg& RPegSystem::PegOf(std::string_view number) {
  static const RPeg kNone;
  const auto& list = InForce(static_cast<int>(number.size()));
  std::size_t value = 0;
  for (char c : number) {
    if (c < '0' || c > '9') return kNone;
    value = value * 10 + static_cast<std::size_t>(c - '0');
  }
  return value < list.size() ? list[value] : kNone;
}

}  // namespace tq
