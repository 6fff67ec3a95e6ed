// Text helpers for the program's 8-bit Windows-1252 strings.
#pragma once

#include <string>
#include <string_view>

namespace tq {

// Lower case as the desktop lowers 8-bit text: A-Z and the accented capitals
// of Windows-1252.
char ToLower1252(char c);
std::string ToLower1252(std::string_view text);
// Only the letters A to Z, the rest unchanged.
std::string ToLowerAscii(std::string_view text);

bool StartsWith(std::string_view text, std::string_view prefix);

// True for the bytes that read as empty room in a word: the blank, the tab,
// the line breaks, the other control characters and the no-break space 0xA0.
bool IsBlank1252(char c);
// The text without the blanks at either end, as a typed or pasted word or code
// is taken.
std::string_view TrimBlanks(std::string_view text);

}  // namespace tq
