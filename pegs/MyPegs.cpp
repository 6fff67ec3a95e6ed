#include "MyPegs.h"

#include <algorithm>
#include <cstdio>

#include "AtomicFile.h"
#include "FileIO.h"
#include "Messages.h"
#include "Paths.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "Text.h"

namespace tq {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

// A word in a notice, cut short when a damaged line makes it long.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 40;
  return "'" + std::string(text.substr(0, kShown)) + (text.size() > kShown ? "...'" : "'");
}

// The order of the file: one digit, then two, then three, each by value.
bool NumberBefore(const std::string& a, const std::string& b) {
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

}  // namespace

const std::vector<std::string>* RMyPegs::Find(std::string_view number) const {
  const auto it = pegs.find(std::string(number));
  return it == pegs.end() ? nullptr : &it->second;
}

std::string MyPegProblem(const RDictionary& dictionary, std::string_view number,
                         const std::vector<std::string>& slots) {
  if (!IsDigits(number) || number.size() > kMaxMyPegDigits) return "a peg is for a number of one to three digits";
  if (slots.empty()) return "no peg is given for " + std::string(number);
  std::string spelled;
  for (const std::string& slot : slots) {
    // Only the slot itself: a word that merely begins with a dot is a word.
    if (slot == kUncoveredSlot) {
      // A mark holds the place of the digit it stands for.
      if (spelled.size() < number.size()) spelled += number[spelled.size()];
      else spelled += '?';
      continue;
    }
    const int position = dictionary.FindWord(slot);
    if (position < 0) return "the dictionary does not know " + Quoted(slot);
    const std::string& code = dictionary.CodeAt(position);
    if (code.empty()) return Quoted(slot) + " spells no digit";
    spelled += code;
    if (spelled.size() > number.size()) break;
  }
  if (spelled != number)
    return Quoted(MyPegText(slots)) + " spells " + (spelled.size() > 6 ? spelled.substr(0, 6) + "..." : spelled) +
           ", not " + std::string(number);
  return {};
}

std::vector<std::string> MyPegSlots(std::string_view text) {
  std::vector<std::string> slots;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsBlank1252(text[at])) ++at;
    std::size_t end = at;
    while (end < text.size() && !IsBlank1252(text[end])) ++end;
    if (end > at) {
      const std::string_view word = text.substr(at, end - at);
      // A mark per digit, and "··" as two, as --pegs never prints them but a
      // hand may type them.
      if (std::all_of(word.begin(), word.end(), IsUncoveredMark)) {
        slots.insert(slots.end(), word.size(), kUncoveredSlot);
      } else {
        slots.push_back(ToLower1252(word));
      }
    }
    at = end;
  }
  return slots;
}

std::string MyPegText(const std::vector<std::string>& slots) {
  std::string text;
  for (const std::string& slot : slots) {
    if (!text.empty()) text += ' ';
    text += WordOfSlot(slot);
  }
  return text;
}


MyPegsLoad ParseMyPegsText(std::string_view bytes, const RDictionary& dictionary, RMyPegs& pegs,
                           std::string* reason) {
  if (bytes.size() > kMaxMyPegsFile) {
    if (reason) *reason = "it is longer than " + std::to_string(kMaxMyPegsFile >> 10) + " KB";
    return MyPegsLoad::Damaged;
  }
  bytes = SkipByteOrderMark(bytes);
  // A character Windows-1252 lacks becomes '?', which spells no peg: its
  // line alone is refused.
  std::string text;
  if (!Utf8To1252(bytes, text, '?')) text.assign(bytes);

  RMyPegs read;
  std::map<std::string, std::size_t> lineOf;  // where each number was given
  std::vector<std::string> twice;             // numbers given more than once
  auto refuse = [&read](std::size_t line, const std::string& why) {
    if (read.notices.size() < kMaxMyPegsNotices) read.notices.push_back("line " + std::to_string(line) + ": " + why);
    ++read.refused;
  };
  LineCursor lines(text);
  std::string_view line;
  std::size_t number = 0;
  while (lines.Next(line)) {
    ++number;
    const std::string_view content = TrimBlanks(line);
    if (content.empty()) continue;
    if (std::any_of(content.begin(), content.end(), [](char c) { return IsControl(c) && c != '\t'; })) {
      refuse(number, "it holds a control character");
      continue;
    }
    std::size_t split = 0;
    while (split < content.size() && !IsBlank1252(content[split])) ++split;
    const std::string_view key = content.substr(0, split);
    const std::string_view rest = TrimBlanks(content.substr(split));
    if (!IsDigits(key) || key.size() > kMaxMyPegDigits || rest.empty()) {
      refuse(number, "it is not a number of one to three digits, a tab and its peg");
      continue;
    }
    const std::vector<std::string> slots = MyPegSlots(rest);
    if (const std::string problem = MyPegProblem(dictionary, key, slots); !problem.empty()) {
      refuse(number, problem);
      continue;
    }
    const std::string numberText(key);
    if (const auto first = lineOf.find(numberText); first != lineOf.end()) {
      refuse(number, numberText + " is given on line " + std::to_string(first->second) + " too");
      if (std::find(twice.begin(), twice.end(), numberText) == twice.end()) twice.push_back(numberText);
      continue;
    }
    lineOf.emplace(numberText, number);
    read.pegs.emplace(numberText, slots);
  }
  // A number given twice takes neither: the user meant one of them, and
  // the notice asks which.
  for (const std::string& n : twice) {
    read.pegs.erase(n);
    ++read.refused;
    if (read.notices.size() < kMaxMyPegsNotices)
      read.notices.push_back("line " + std::to_string(lineOf[n]) + ": " + n +
                             " is given more than once, so it keeps its suggested peg");
  }
  pegs = std::move(read);
  return MyPegsLoad::Loaded;
}

MyPegsLoad ReadMyPegsFile(const std::string& path, const RDictionary& dictionary, RMyPegs& pegs,
                          std::string* reason) {
  if (path.empty()) return MyPegsLoad::Missing;
  std::string text;
  switch (ReadFileUpTo(path, kMaxMyPegsFile, text, reason)) {
    case FileRead::Missing:
      return MyPegsLoad::Missing;
    case FileRead::NotAFile:  // a folder or a pipe: nothing to read, nothing to write over
    case FileRead::Unreadable:
      return MyPegsLoad::Unreadable;
    case FileRead::Read:
      break;
  }
  return ParseMyPegsText(text, dictionary, pegs, reason);
}

std::string MyPegsText(const RDictionary& dictionary, const RMyPegs& pegs) {
  std::vector<const std::pair<const std::string, std::vector<std::string>>*> order;
  for (const auto& peg : pegs.pegs)
    if (MyPegProblem(dictionary, peg.first, peg.second).empty()) order.push_back(&peg);
  std::sort(order.begin(), order.end(), [](auto* a, auto* b) { return NumberBefore(a->first, b->first); });
  std::string text;
  for (const auto* peg : order) {
    text += peg->first;
    text += '\t';
    text += Utf8From1252(MyPegText(peg->second));
    text += '\n';
  }
  return text;
}

RMyPegsSave SaveMyPegsFile(const std::string& path, const RDictionary& dictionary, const RMyPegs& pegs) {
  RMyPegsSave save;
  RMyPegs there;
  save.found = ReadMyPegsFile(path, dictionary, there, &save.reason);
  switch (save.found) {
    case MyPegsLoad::Missing:
      save.reason.clear();
      break;
    case MyPegsLoad::Unreadable:
      return save;
    case MyPegsLoad::Loaded:
    case MyPegsLoad::Damaged:
      save.reason.clear();
      // What was refused would be gone with the new file: it goes aside first.
      if (save.found == MyPegsLoad::Damaged || there.refused > 0) {
        save.keptAs = KeepAside(path, ".damaged", KeepBy::Moving, save.reason);
        if (save.keptAs.empty()) return save;
      }
      break;
  }
  AtomicFile out(path);
  std::FILE* file = out.OpenOrReport();
  if (!file) return save;
  const std::string text = MyPegsText(dictionary, pegs);
  std::fwrite(text.data(), 1, text.size(), file);
  save.written = out.CommitOrReport("Error writing to file '" + NativeText(path) + "'. The disk could be full.");
  return save;
}

RMyPegs LoadMyPegs(const DataPaths& paths, const RDictionary& dictionary) {
  const std::string path = UserFileToRead(paths, kMyPegsFileName);
  RMyPegs pegs;
  std::string reason;
  switch (ReadMyPegsFile(path, dictionary, pegs, &reason)) {
    case MyPegsLoad::Missing:
      break;
    case MyPegsLoad::Loaded:
      if (pegs.refused > 0) {
        std::string text = "Some lines of your pegs file '" + NativeText(path) +
                           "' were not taken, and their numbers keep the suggested peg:";
        for (const std::string& notice : pegs.notices) text += "\n" + notice;
        if (pegs.refused > pegs.notices.size())
          text += "\n(and " + std::to_string(pegs.refused - pegs.notices.size()) + " more)";
        text += "\nThe file stays as it is until you change your pegs; then it is kept beside the new one as a "
                ".damaged copy.";
        ShowNotice(text);
      }
      break;
    case MyPegsLoad::Unreadable:
      ShowWarning("Your pegs file '" + NativeText(path) + "' could not be read (" + NativeText(reason) +
                  "). The suggested pegs are used, and the file is left as it is.");
      break;
    case MyPegsLoad::Damaged:
      ShowWarning("Your pegs file '" + NativeText(path) + "' is damaged: " + reason +
                  ". The suggested pegs are used. The file stays as it is until you change your pegs; "
                  "then it is kept beside the new one as a .damaged copy.");
      break;
  }
  return pegs;
}

bool StoreMyPegs(const DataPaths& paths, const RDictionary& dictionary, const RMyPegs& pegs) {
  const std::string path = UserFileToWrite(paths, kMyPegsFileName);
  MakeDirectories(DirectoryOf(path));
  const RMyPegsSave save = SaveMyPegsFile(path, dictionary, pegs);
  if (save.found == MyPegsLoad::Unreadable) {
    ShowError("Your pegs were not saved: the file '" + NativeText(path) + "' could not be read (" +
              NativeText(save.reason) + ") and is left as it is.");
  } else if (!save.written && save.found != MyPegsLoad::Missing && save.keptAs.empty() && !save.reason.empty()) {
    ShowError("Your pegs were not saved: the file '" + NativeText(path) + "' could not be kept aside (" +
              NativeText(save.reason) + ").");
  } else if (!save.keptAs.empty()) {
    ShowNotice("The earlier pegs file was kept as '" + NativeText(save.keptAs) + "'.");
  }
  return save.written;
}

}  // namespace tq
