#include "PhraseCheck.h"

#include <algorithm>
#include <vector>

#include "Messages.h"
#include "Platform.h"
#include "RDictionary.h"
#include "Text.h"

namespace tq {
namespace {

// The two questions share the product caption, OK and Cancel and the stop
// icon; OK is the yes.
bool AskOkCancel(const std::string& text) {
  MessageRequest request;
  request.caption = kProductName;
  request.text = text;
  request.icon = MessageIcon::Error;
  request.buttons = ButtonOk | ButtonCancel;
  return CurrentPlatform().ShowMessage(request) == ResultOk;
}

// An empty code fits anywhere; otherwise the code must be the very next
// digits, all of them there.
bool CodeFits(const std::string& code, const std::string& digits, std::size_t p) {
  return digits.size() - p >= code.size() && digits.compare(p, code.size(), code) == 0;
}

// The digits from p that a code is held against, as a message shows them:
// in a long number only the first of them, so that the box stays on screen.
std::string DigitsFrom(const std::string& digits, std::size_t p) {
  constexpr std::size_t kShown = 60;
  if (digits.size() - p <= kShown) return digits.substr(p);
  return digits.substr(p, kShown) + "...";
}

// The typed text as the check reads it: lowered, split at blanks, a piece
// starting with either mark standing for one uncovered digit.
std::vector<std::string> TypedSlots(const std::string& typed) {
  RNumber parsed;
  parsed.SetPhrase(ToLower1252(typed));
  parsed.SlotsFromPhrase();
  return parsed.Slots();
}

}  // namespace

bool PhraseSpellsDigits(const RDictionary& dictionary, const std::string& typed, const std::string& digits) {
  const std::vector<std::string> slots = TypedSlots(typed);
  if (slots.empty()) return false;
  std::size_t p = 0;
  for (const std::string& slot : slots) {
    if (IsUncoveredSlot(slot)) return false;
    const int position = dictionary.FindWord(slot);
    if (position < 0) return false;
    const std::string& code = dictionary.CodeAt(position);
    if (!CodeFits(code, digits, p)) return false;
    p += code.size();
  }
  return p == digits.size();
}

std::string SpelledDigits(const RDictionary& dictionary, const std::string& typed) {
  std::string spelled;
  for (const std::string& slot : TypedSlots(typed)) {
    const int position = IsUncoveredSlot(slot) ? -1 : dictionary.FindWord(slot);
    spelled += position < 0 ? std::string("?") : dictionary.CodeAt(position);
  }
  return spelled;
}

PhraseCheckResult RPhraseCheck::Check(const std::string& typed) {
  offered_.clear();
  workNumber_.SetPhrase(PhraseMeant(typed));
  workNumber_.SlotsFromPhrase();
  if (workNumber_.SlotCount() == 0) {
    ShowError("Please enter a phrase.");
    return PhraseCheckResult::StoppedFocus;
  }

  const std::string& digits = workNumber_.Digits();
  std::size_t p = 0;
  for (const std::string& slot : workNumber_.Slots()) {
    if (IsUncoveredSlot(slot)) {
      if (p >= digits.size()) {
        ShowError(std::string("The phrase has an extra '") + kUncoveredMark + "' near the end.");
        return PhraseCheckResult::StoppedFocus;
      }
      ++p;
      continue;
    }
    std::string code;
    if (!CodeOf(slot, code)) return PhraseCheckResult::StoppedFocus;
    const int covered = FitCode(slot, code, p);
    if (covered < 0) return PhraseCheckResult::StoppedFocus;
    p += static_cast<std::size_t>(covered);
  }
  return AddOfferedWords();
}

std::string RPhraseCheck::PhraseMeant(const std::string& typed) const {
  const std::string lowered = ToLower1252(typed);
  std::string phrase;
  phrase.reserve(lowered.size());
  std::size_t pos = 0;
  while (pos < lowered.size()) {
    if (lowered[pos] == ' ') {
      phrase.push_back(' ');
      ++pos;
      continue;
    }
    const std::size_t end = std::min(lowered.find(' ', pos), lowered.size());
    const std::string_view piece(lowered.data() + pos, end - pos);
    pos = end;
    if (IsUncoveredWord(piece) || dictionary_.FindWord(piece) >= 0) {
      phrase += piece;
      continue;
    }
    phrase += TrimPunctuation(piece);  // nothing for a dash between words
  }
  return phrase;
}

RPhraseCheck::OfferedWord* RPhraseCheck::Offered(const std::string& word) {
  for (OfferedWord& w : offered_)
    if (w.word == word) return &w;
  return nullptr;
}

bool RPhraseCheck::CodeOf(const std::string& word, std::string& code) {
  if (const int position = dictionary_.FindWord(word); position >= 0) {
    code = dictionary_.CodeAt(position);
    return true;
  }
  if (const OfferedWord* w = Offered(word)) {
    code = w->code;
    return true;
  }
  // No offer for what could never be added ("123", a pasted paragraph).
  if (const std::string problem = WordProblem(word); !problem.empty()) {
    ShowError(problem);
    return false;
  }
  if (!AskOkCancel("Error: Word '" + word + "' is not found in the dictionary. " +
                   "Would you like to add this word?"))
    return false;
  code = dictionary_.CodeOfNewWord(word);
  offered_.push_back(OfferedWord{word, code, false});
  return true;
}

int RPhraseCheck::FitCode(const std::string& word, std::string code, std::size_t p) {
  const std::string& digits = workNumber_.Digits();
  while (!CodeFits(code, digits, p)) {
    if (!AskOkCancel("Error: The code '" + code + "' for word '" + word + "' does not match against the numbers '" +
                     DigitsFrom(digits, p) + "'. " + "Would you like to change the code for this word?"))
      return -1;
    // Cancel leaves the default in place, which counts as no change.
    std::string entered = code;
    CurrentPlatform().InputBox("Edit Code", "Enter code for word: " + word, entered);
    entered = std::string(TrimBlanks(entered));
    if (entered == code) return -1;
    if (OfferedWord* w = Offered(word)) {
      // Not in the dictionary yet: the code goes in with the word.
      if (const std::string problem = CodeProblem(entered); !problem.empty()) {
        ShowError(problem);
        return -1;
      }
      w->code = code = entered;
      w->codeGiven = true;
      continue;
    }
    BusyCursor busy;
    if (dictionary_.EditCode(word, entered) != 0) return -1;
    dictionary_.BuildCodeIndex();
    dictionaryChanged_ = true;
    code = dictionary_.CodeAt(dictionary_.FindWord(word));
  }
  return static_cast<int>(code.size());
}

PhraseCheckResult RPhraseCheck::AddOfferedWords() {
  if (offered_.empty()) return PhraseCheckResult::Passed;
  BusyCursor busy;
  PhraseCheckResult result = PhraseCheckResult::Passed;
  for (const OfferedWord& w : offered_) {
    const int added = dictionary_.AddWord(w.word);
    if (added == RDictionary::kWordRefused) {
      result = PhraseCheckResult::StoppedFocus;  // the dictionary has said why
      break;
    }
    dictionaryChanged_ = true;
    if (dictionary_.FindWord(w.word) < 0) {
      ShowError("Internal error in adding word.");
      result = PhraseCheckResult::Stopped;
      break;
    }
    if (w.codeGiven && dictionary_.EditCode(w.word, w.code) != 0) {
      result = PhraseCheckResult::StoppedFocus;
      break;
    }
  }
  if (dictionaryChanged_) dictionary_.BuildCodeIndex();
  offered_.clear();
  return result;
}

void RPhraseCheck::ApplyTo(RNumber& current) const {
  current.SetPhrase(workNumber_.Phrase());
  current.SlotsFromPhrase();
}

}  // namespace tq
