#include "NumberSearch.h"

#include "RWorksheet.h"
#include "Text.h"

namespace tq {

bool IsWordCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z')) return true;
  switch (u) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA:
      return true;
    default:
      return u >= 0xC0 && u != 0xD7 && u != 0xF7;
  }
}

bool FieldMatches(const std::string& field, const std::string& text, bool matchCase, bool wholeWord) {
  const std::size_t at = matchCase ? field.find(text) : ToLower1252(field).find(ToLower1252(text));
  if (at == std::string::npos) return false;
  if (!wholeWord) return true;
  const std::size_t end = at + text.size();
  if (at > 0 && IsWordCharacter(field[at - 1])) return false;
  if (end < field.size() && IsWordCharacter(field[end])) return false;
  return true;
}

int32_t FindEntry(const RWorksheet& worksheet, int32_t start, const RFindRequest& request, bool& wrapped) {
  wrapped = false;
  const int32_t count = worksheet.Count();
  int32_t i = start;
  do {
    i += request.down ? 1 : -1;
    if (i >= count || i < 0) {
      i = i < 0 ? count - 1 : 0;
      wrapped = true;
    }
    const RNumber& entry = worksheet.At(i);
    if (!entry.IsEmpty() && (FieldMatches(entry.Number(), request.text, request.matchCase, request.wholeWord) ||
                             FieldMatches(entry.Phrase(), request.text, request.matchCase, request.wholeWord) ||
                             FieldMatches(entry.Description(), request.text, request.matchCase, request.wholeWord)))
      return i;
  } while (i != start);
  return -1;
}

}  // namespace tq
