#include "FlashCards.h"

#include <algorithm>
#include <cstdio>

#include "AtomicFile.h"
#include "Messages.h"
#include "Paths.h"
#include "PracticeSchedule.h"
#include "RWorksheet.h"
#include "Text.h"

namespace tq {
namespace {

// The text with blanks for the control characters and the five bytes the
// code page leaves undefined, still in Windows-1252.
std::string Printable1252(std::string_view text) {
  std::string clean(text);
  for (char& byte : clean) {
    const char32_t c = CodePointOf1252(static_cast<unsigned char>(byte));
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) byte = ' ';
  }
  return clean;
}

// One field: blanks for what would break the line, no blanks at either end.
std::string Field(std::string_view text) { return Utf8From1252(TrimBlanks(Printable1252(text))); }

// A field as every importer reads it back: never beginning with a quote,
// nor, at the start of the line, with a number sign.
std::string Unquoted(std::string field, bool startsLine) {
  if (!field.empty() && field[0] == '"') field.replace(0, 1, "\xE2\x80\x9C");
  if (startsLine && !field.empty() && field[0] == '#') field.replace(0, 1, "\xEF\xBC\x83");
  return field;
}

}  // namespace

std::string PrintableUtf8From1252(std::string_view text) { return Utf8From1252(Printable1252(text)); }

std::string FlashCardText(const RWorksheet& worksheet, int* withoutPhrase) {
  int skipped = 0;
  std::string out;
  for (int32_t i = 0; i < worksheet.Count(); ++i) {
    const RNumber& entry = worksheet.At(i);
    const std::string number = Field(entry.Number());
    if (number.empty()) continue;
    // A card without a phrase would only ask the number back (or, from the
    // description, the number a practice session asks for).
    if (!HasCompletePhrase(entry)) {
      ++skipped;
      continue;
    }
    const std::string description = Field(entry.Description());
    const std::string phrase = Field(entry.Phrase());
    // The back never repeats the front.
    out += Unquoted(description.empty() ? number : description, true);
    out += '\t';
    out += Unquoted(description.empty() ? phrase : number + ": " + phrase, false);
    out += '\n';
  }
  if (withoutPhrase) *withoutPhrase = skipped;
  return out;
}

bool ExportFlashCards(const RWorksheet& worksheet, const std::string& path) {
  AtomicFile out(path);
  std::FILE* file = out.OpenOrReport();
  if (!file) return false;
  int withoutPhrase = 0;
  const std::string text = FlashCardText(worksheet, &withoutPhrase);
  std::fwrite(text.data(), 1, text.size(), file);
  if (!out.CommitOrReport("Error writing to file '" + NativeText(path) + "'. The disk could be full.")) return false;
  const auto cards = std::count(text.begin(), text.end(), '\n');
  std::string said = "Wrote " + CountOf(cards, "flash card") + " to '" + NativeText(path) + "'.";
  if (withoutPhrase > 0) said += " Left out " + CountOf(withoutPhrase, "number") + " without a complete phrase.";
  ShowStatus(said);
  return true;
}

std::string FlashCardFileName(const std::string& worksheetPath) {
  return worksheetPath.empty() ? std::string() : BaseNameOf(worksheetPath) + ".txt";
}

}  // namespace tq
