// How Find compares a search text with one field of an entry. Plain C++ so
// the rules can be checked without a window.
#pragma once

#include <string>

namespace tq {

// True when text occurs in field: byte for byte with matchCase, otherwise
// ignoring the case of letters (A to Z and the accented letters of
// Windows-1252). Only the first occurrence is looked at; with wholeWord it
// counts only when no letter or digit touches it on either side.
bool FieldMatches(const std::string& field, const std::string& text, bool matchCase, bool wholeWord);

// Letters and digits, including the accented letters of Windows-1252, so that
// a whole-word search never splits "café" or "Æsop".
bool IsWordCharacter(char c);

}  // namespace tq
