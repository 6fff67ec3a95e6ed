// The worksheet as flash cards for the common flash-card programs' text
// import: one card per line, front and back separated by a tab, UTF-8. The
// front is the description, or the number when there is none; the back is
// the number and the phrase. Tabs and line breaks inside a field become
// blanks, so a field can never split a card.
#pragma once

#include <string>
#include <string_view>

namespace tq {

class RWorksheet;

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined, and
// the control characters, become blanks.
std::string Utf8From1252(std::string_view text);

// The file's bytes: a card for every entry whose number is not blank.
std::string FlashCardText(const RWorksheet& worksheet);

// Writes the cards through the atomic writer. On failure the program's usual
// error is shown and an old file at the path stays as it was.
bool ExportFlashCards(const RWorksheet& worksheet, const std::string& path);

}  // namespace tq
