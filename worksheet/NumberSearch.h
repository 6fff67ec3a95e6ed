// Find and Find Again over the worksheet's entries: how a search text is
// compared with one field of an entry, and which entry is found next. Plain
// C++ so the rules can be checked without a window.
#pragma once

#include <cstdint>
#include <string>

namespace tq {

class RWorksheet;

// What Find looks for, and which way.
struct RFindRequest {
  std::string text;
  bool matchCase = false;
  bool wholeWord = false;
  bool down = true;
};

// The next entry after `start` (0 to Count()-1), going down or up, whose
// number, phrase or description matches; round the end of the worksheet to
// its other end (then `wrapped` is set) and on as far as `start` itself,
// which is looked at last. Empty entries are passed over. -1 when no entry
// matches.
int32_t FindEntry(const RWorksheet& worksheet, int32_t start, const RFindRequest& request, bool& wrapped);

// True when text occurs in field: byte for byte with matchCase, otherwise
// ignoring the case of letters (A to Z and the accented letters of
// Windows-1252). Only the first occurrence is looked at; with wholeWord it
// counts only when no letter or digit touches it on either side.
bool FieldMatches(const std::string& field, const std::string& text, bool matchCase, bool wholeWord);

// Letters and digits, including the accented letters of Windows-1252, so that
// a whole-word search never splits "café" or "Æsop".
bool IsWordCharacter(char c);

}  // namespace tq
