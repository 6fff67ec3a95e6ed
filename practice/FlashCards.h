// The worksheet as flash cards for the common flash-card programs' text
// import: one card per line, front and back separated by a tab, UTF-8. The
// front is the description, or the number when there is none; the back is
// the number and the phrase, or the phrase alone when the number is on the
// front. An entry whose phrase still has uncovered digits (or has none) gives
// no card: its back could only give the front away. Tabs and line breaks
// inside a field become blanks, so a field can never split a card.
//
// Importers differ on quotes: some read a field that begins with a double
// quote as a quoted field (and a line that begins with '#' as a comment),
// others take every character as it is. So that all of them read the same
// cards, such a field begins with the typographic look-alike instead (the
// opening quote U+201C, the full-width number sign U+FF03).
#pragma once

#include <string>
#include <string_view>

namespace tq {

class RWorksheet;

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined, and
// the control characters, become blanks.
std::string PrintableUtf8From1252(std::string_view text);

// The file's bytes: a card for every entry whose number is not blank and
// whose phrase is complete. withoutPhrase, when given, gets how many entries
// with a number were left out for their phrase.
std::string FlashCardText(const RWorksheet& worksheet, int* withoutPhrase = nullptr);

// Writes the cards through the atomic writer and says in the status bar how
// many were written and where, and how many numbers were left out for their
// phrase. On failure the program's usual error is shown
// and an old file at the path stays as it was.
bool ExportFlashCards(const RWorksheet& worksheet, const std::string& path);

// The name the file box offers for a worksheet's cards: phone.tqw gives
// phone.txt; an untitled worksheet none.
std::string FlashCardFileName(const std::string& worksheetPath);

}  // namespace tq
