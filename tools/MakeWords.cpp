// Builds the installed dictionary words.dat from the CMU pronouncing
// dictionary as shipped for Festival and the American English word list.
//
//   MakeWords <cmudict-0.4.out> <american-english> <words.dat>
//
// A lexicon entry looks like ("church" nil (((ch er ch) 1))): the word, a part
// of speech, then syllables of phones. We keep the words made only of the
// letters a to z that the word list also has; the first entry of a word wins,
// and the output is sorted byte-wise, one "word,pronunciation" per line.
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
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "AtomicFile.h"
#include "FileIO.h"

namespace {

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

// Parses one lexicon line; false for anything that is not an entry we can use.
bool ParseEntry(std::string_view line, std::string& word, std::string& pronunciation, bool& unknownPhone) {
  unknownPhone = false;
  if (line.size() < 3 || line[0] != '(' || line[1] != '"') return false;
  const auto close = line.find('"', 2);
  if (close == std::string_view::npos) return false;
  word.assign(line.substr(2, close - 2));
  // The syllables start at the first "(((" after the part of speech.
  const auto start = line.find("(((", close);
  if (start == std::string_view::npos) return false;
  pronunciation.clear();
  std::string token;
  const auto flush = [&] {
    if (token.empty()) return;
    const auto& table = PhoneTable();
    const auto it = table.find(token);
    if (it != table.end())
      pronunciation += it->second;
    else if (!std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; }))
      unknownPhone = true;  // stress marks are digits; anything else is news
    token.clear();
  };
  for (std::size_t i = start; i < line.size(); ++i) {
    const char c = line[i];
    if (c >= 'a' && c <= 'z') {
      token.push_back(c);
    } else if (c >= '0' && c <= '9') {
      if (!token.empty()) token.push_back(c);  // a digit inside a phone name
    } else {
      flush();
    }
  }
  flush();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <cmudict-0.4.out> <american-english> <words.dat>\n", argv[0]);
    return 2;
  }
  std::string lexicon, wordList;
  if (!tq::ReadFileToString(argv[1], lexicon)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  if (!tq::ReadFileToString(argv[2], wordList)) {
    std::fprintf(stderr, "cannot read %s\n", argv[2]);
    return 1;
  }

  std::unordered_set<std::string> known;
  {
    tq::LineCursor lines(wordList);
    std::string_view line;
    while (lines.Next(line))
      if (AllLowerLetters(line)) known.emplace(line);
  }

  std::map<std::string, std::string> entries;  // sorted byte-wise, first entry wins
  int unknownPhones = 0;
  {
    tq::LineCursor lines(lexicon);
    std::string_view line;
    std::string word, pronunciation;
    bool unknown = false;
    while (lines.Next(line)) {
      if (!ParseEntry(line, word, pronunciation, unknown)) continue;
      if (unknown) ++unknownPhones;
      if (!AllLowerLetters(word) || !known.count(word)) continue;
      entries.emplace(word, pronunciation);
    }
  }
  if (entries.empty()) {
    std::fprintf(stderr, "no words found\n");
    return 1;
  }

  std::string out;
  out.reserve(entries.size() * 16);
  for (const auto& [word, pronunciation] : entries) {
    out += word;
    out += ',';
    out += pronunciation;
    out += '\n';
  }
  if (tq::WriteFileAtomically(argv[3], out) != 0) {
    std::fprintf(stderr, "cannot write %s\n", argv[3]);
    return 1;
  }
  std::printf("words.dat: %zu words", entries.size());
  if (unknownPhones) std::printf(" (%d lexicon entries had unknown phones)", unknownPhones);
  std::printf("\n");
  return 0;
}
