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

}  // namespace tq
