// The mapping rules: mapping.txt, rule tables and the coding of a text.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <unordered_set>

#include "AtomicFile.h"
#include "FileIO.h"
#include "Messages.h"
#include "Paths.h"
#include "RDictionary.h"
#include "Text.h"

namespace tq {
namespace {

constexpr const char* kMapHeader = "#MAP - This file contains rules for making a code from a word.";

// How a letter group of the mapping lines is written in stored pronunciations.
// Several symbols are alternatives.
struct PhonemeRow {
  const char* group;
  std::vector<std::string> symbols;
};

const std::vector<PhonemeRow>& PhonemeTable() {
  static const std::vector<PhonemeRow> table = {
      {"b", {"b"}},
      {"d", {"d"}},
      {"f", {"f"}},
      {"g", {"g"}},
      {"h", {"h"}},
      {"j", {"d\xBF", "Z"}},
      {"k", {"k"}},
      {"l", {"l"}},
      {"m", {"m"}},
      {"n", {"n"}},
      {"p", {"p"}},
      {"r", {"r", "\xE5", "3"}},
      {"s", {"s"}},
      {"t", {"t"}},
      {"v", {"v"}},
      {"w", {"w"}},
      {"z", {"z"}},
      {"qu", {"kw"}},
      {"ng", {"\xFC"}},
      {"ch", {"t\x9F"}},
      {"th", {"\xE9", "\xEB"}},
      {"sh", {"\xF4"}},
  };
  return table;
}

const std::vector<std::string>* PhonemesFor(std::string_view group) {
  for (const auto& row : PhonemeTable())
    if (group == row.group) return &row.symbols;
  return nullptr;
}

constexpr unsigned char kNgSound = 0xFC;

// Puts each list of rules, gathered in line order, into the order they are
// tried in: longest first. Among equal lengths a later rule goes first, so a
// group in two lines resolves to the later line, except for the ng sound,
// whose rules keep line order because every one of them is applied. A rule
// that repeats the letters of one before it can never be the first to match,
// so it is dropped (but not for the ng sound, where each one counts). Sorting
// once per list keeps a line of a hundred thousand groups quick to build.
void OrderRules(std::vector<RMappingRule>& list, bool keepOrder) {
  if (!keepOrder) std::reverse(list.begin(), list.end());
  std::stable_sort(list.begin(), list.end(), [](const RMappingRule& a, const RMappingRule& b) {
    return a.letters.size() > b.letters.size();
  });
  if (keepOrder) return;
  std::unordered_set<std::string_view> seen;
  std::vector<char> keep(list.size());
  for (std::size_t i = 0; i < list.size(); ++i) keep[i] = seen.insert(list[i].letters).second;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (!keep[i]) continue;
    if (kept != i) list[kept] = std::move(list[i]);
    ++kept;
  }
  list.resize(kept);
}

// The short form of a byte's rules, ordered longest first: none, one of a
// single byte, one of two bytes, or one of each. Anything else stays with
// the list (digit 0).
RRuleTable::Quick QuickFor(const std::vector<RMappingRule>& list) {
  const auto digitOf = [](const RMappingRule& r) { return r.digit ? r.digit : RRuleTable::kNoDigit; };
  RRuleTable::Quick quick;
  std::size_t i = 0;
  // A second byte of zero never matches: a text ends at its first zero.
  if (i < list.size() && list[i].letters.size() == 2 && list[i].letters[1] != '\0') {
    quick.second = list[i].letters[1];
    quick.pairDigit = digitOf(list[i]);
    ++i;
  }
  if (i < list.size() && list[i].letters.size() == 1) {
    quick.digit = digitOf(list[i]);
    ++i;
  } else {
    quick.digit = RRuleTable::kNoDigit;  // no rule matches: nothing, one byte
  }
  return i == list.size() ? quick : RRuleTable::Quick{};
}

// Rules are a few letters long: they are compared in place, without a call.
bool RuleMatches(const char* at, std::size_t left, const RMappingRule& rule) {
  const std::size_t n = rule.letters.size();
  if (n > left) return false;
  const char* letters = rule.letters.data();
  for (std::size_t i = 0; i < n; ++i)
    if (at[i] != letters[i] || at[i] == '\0') return false;
  return true;
}

}  // namespace

int RDictionary::LoadMapping() {
  mappingLines_.clear();
  ForgetRules();
  // The user's own rules, once edited, stand in for the shipped ones.
  std::string path = UserFileToRead(paths_, "mapping.txt");
  std::string text;
  std::string reason;
  FileRead read = ReadFileUpTo(path, kMaxMappingFile, text, &reason);
  if (read == FileRead::Missing) {
    path = FilePath("mapping.txt");
    read = ReadFileUpTo(path, kMaxMappingFile, text, &reason);
  }
  switch (read) {
    case FileRead::Read:
      break;
    case FileRead::Missing:
      ShowFatalError("The file '" + NativeText(path) + "' count not be found. Please reinstall.");
      return -1;
    case FileRead::NotAFile:
    case FileRead::Unreadable:
      ShowFatalError("The file '" + NativeText(path) + "' could not be read: " + NativeText(reason) + ".");
      return -1;
  }
  LineCursor lines(text);
  std::string_view line;
  if (text.size() > kMaxMappingFile || !lines.Next(line) || !StartsWith(line, "#MAP")) {
    ShowStatusAlert("File " + NativeText(path) + " contained bad data.");
    return -1;
  }
  try {
    while (lines.Next(line)) mappingLines_.emplace_back(line.size() < 2 ? std::string_view() : line.substr(2));
  } catch (const std::exception&) {
    // Out of memory on a monstrous file: its rules cannot be trusted.
    mappingLines_.clear();
    ShowStatusAlert("File " + NativeText(path) + " contained bad data.");
    return -1;
  }
  return 0;
}

int RDictionary::SaveMapping() {
  if (!mappingChanged_) return 0;
  const std::string path = UserFileToWrite(paths_, "mapping.txt");
  MakeUserDirectory();
  AtomicFile out(path);
  std::FILE* file = out.OpenOrReport();
  if (!file) return -1;
  std::fprintf(file, "%s\n", kMapHeader);
  for (std::size_t i = 0; i < mappingLines_.size(); ++i) {
    const char lead = i < 10 ? static_cast<char>('0' + i) : ' ';
    std::fputc(lead, file);
    std::fputc(':', file);
    std::fwrite(mappingLines_[i].data(), 1, mappingLines_[i].size(), file);
    std::fputc('\n', file);
  }
  if (!out.CommitOrReport("Error writing to file '" + NativeText(path) + "'. The disk could be full.")) return -1;
  return 0;
}

std::string RDictionary::MappingLine(std::size_t index) const {
  return index < mappingLines_.size() ? mappingLines_[index] : std::string();
}

std::string MappingLineProblem(std::size_t index, std::string_view letters) {
  // Each rule line is one line of mapping.txt: a line break would push every
  // later digit down by one.
  if (letters.find_first_of("\n\r") == std::string_view::npos) return {};
  const std::string which =
      index < 10 ? "The letters for digit " + std::to_string(index) : "The letters that stand for no digit";
  return which + " were not changed, since they hold a line break.";
}

int RDictionary::SetMappingLine(std::size_t index, const std::string& letters) {
  if (const std::string problem = MappingLineProblem(index, letters); !problem.empty()) {
    ShowError(problem);
    return -1;
  }
  // A short mapping.txt behaves as if the missing lines were empty; setting
  // one of them brings the lines up to that index.
  NoteMapping();
  if (index >= mappingLines_.size()) mappingLines_.resize(index + 1);
  mappingLines_[index] = ToLower1252(letters);
  ForgetRules();
  mappingChanged_ = true;
  return 0;
}

RRuleTable RDictionary::BuildRuleTable(bool pronunciationMode) const {
  RRuleTable table;
  for (std::size_t i = 0; i < kMappingLineCount && i < mappingLines_.size(); ++i) {
    const char digit = i < 10 ? static_cast<char>('0' + i) : '\0';
    std::string_view rest = mappingLines_[i];
    while (!rest.empty()) {
      const auto comma = rest.find(',');
      const std::string_view group = rest.substr(0, comma);
      rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
      if (group.empty()) continue;
      const auto add = [&](std::string_view letters) {
        table.lists[static_cast<unsigned char>(letters[0])].push_back(RMappingRule{std::string(letters), digit});
      };
      if (!pronunciationMode) {
        add(group);
      } else if (const auto* symbols = PhonemesFor(group)) {
        for (const auto& s : *symbols) add(s);
      }
    }
  }
  for (std::size_t byte = 0; byte < table.lists.size(); ++byte) {
    auto& list = table.lists[byte];
    OrderRules(list, byte == kNgSound);
    if (byte != kNgSound && byte != 0) table.quick[byte] = QuickFor(list);
  }
  return table;
}

std::string RDictionary::ApplyRules(std::string_view text, const RRuleTable& table) {
  // The text ends at its first zero byte, as a stored C string would: no
  // rule matches across one, and coding stops at it.
  const char* const at = text.data();
  const std::size_t size = text.size();
  // The code is written into room for one digit per byte still to code, kept
  // that large (the ng sound may give several), and cut to length at the end.
  // Most bytes are coded from their short form, without a branch on the
  // digit.
  std::string code(size, RRuleTable::kNoDigit);
  std::size_t length = 0;
  std::size_t pos = 0;
  while (pos < size) {
    const auto byte = static_cast<unsigned char>(at[pos]);
    const RRuleTable::Quick& quick = table.quick[byte];
    if (quick.digit) {
      // One test, seldom true: the byte has a rule of two bytes and the
      // next byte ends it (a byte without one has second 0, which no next
      // byte of the text can be).
      const char next = pos + 1 < size ? at[pos + 1] : '\0';
      if ((next == quick.second) & (next != '\0')) {
        code[length] = quick.pairDigit;
        length += quick.pairDigit != RRuleTable::kNoDigit;
        pos += 2;
        continue;
      }
      code[length] = quick.digit;
      length += quick.digit != RRuleTable::kNoDigit;
      ++pos;
      continue;
    }
    if (byte == 0) break;
    const auto& list = table.lists[byte];
    if (byte == kNgSound) {
      // The ng sound yields the digit of every line it stands in.
      if (code.size() - length < list.size() + (size - pos)) code.resize(length + list.size() + (size - pos));
      for (const auto& rule : list)
        if (RuleMatches(at + pos, size - pos, rule) && rule.digit) code[length++] = rule.digit;
      ++pos;
      continue;
    }
    std::size_t step = 1;
    for (const auto& rule : list) {
      if (RuleMatches(at + pos, size - pos, rule)) {
        if (rule.digit) code[length++] = rule.digit;
        step = rule.letters.size();
        break;
      }
    }
    pos += step;
  }
  code.resize(length);
  // A long text's room is given back: the store keeps a code for every word.
  if (code.capacity() >= 2 * (length + 16)) code.shrink_to_fit();
  return code;
}

const RRuleTable& RDictionary::Rules(bool pronunciationMode) const {
  auto& rules = pronunciationMode ? soundRules_ : letterRules_;
  if (!rules) rules = std::make_shared<const RRuleTable>(BuildRuleTable(pronunciationMode));
  return *rules;
}

void RDictionary::ForgetRules() {
  letterRules_.reset();
  soundRules_.reset();
}

std::string RDictionary::CodeFromText(std::string_view text, bool pronunciationMode) const {
  // Adding or importing words codes one word at a time; a large rule line
  // would otherwise be sorted again for each of them.
  return ApplyRules(text, Rules(pronunciationMode));
}

}  // namespace tq
