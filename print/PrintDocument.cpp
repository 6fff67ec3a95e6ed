#include "PrintDocument.h"

#include "Paths.h"
#include "RDictionary.h"
#include "RWorksheet.h"
#include "Text.h"

namespace tq {

std::string MarkedWord(const RDictionary& dictionary, const std::string& slot) {
  if (slot.empty() || slot[0] == '.' || slot[0] == kUncoveredMark || slot[0] == kHighlightMark)
    return kUncoveredMarkUtf8;
  const int position = dictionary.FindWord(dictionary.WordMeant(slot));
  const bool pictured = position >= 0 && dictionary.IsPicturableEntry(dictionary.EntryAt(position));
  return (pictured ? kPicturedMarkUtf8 : kAbstractMarkUtf8) + Utf8From1252(slot);
}

std::string MarkedPhrase(const RDictionary& dictionary, const RNumber& entry) {
  std::string out;
  for (const std::string& slot : entry.Slots()) {
    if (!out.empty()) out += ' ';
    out += MarkedWord(dictionary, slot);
  }
  return out;
}

RPrintDocument WorksheetDocument(const RWorksheet& worksheet, const RDictionary& dictionary) {
  RPrintDocument doc;
  const std::string& path = worksheet.FileName();
  doc.title = path.empty() ? "Untitled worksheet" : FileNameOf(path);
  doc.fileName = path.empty() ? std::string() : BaseNameOf(path) + ".pdf";
  doc.columns = {{"Number", 3}, {"Phrase", 5}, {"Description", 4}};
  for (int32_t i = 0; i < worksheet.Count(); ++i) {
    const RNumber& entry = worksheet.At(i);
    if (entry.IsEmpty()) continue;
    doc.rows.push_back({Utf8From1252(TrimBlanks(entry.Number())), MarkedPhrase(dictionary, entry),
                        Utf8From1252(TrimBlanks(entry.Description()))});
  }
  const std::size_t count = doc.rows.size();
  doc.notes.push_back(std::to_string(count) + (count == 1 ? " number" : " numbers"));
  doc.notes.push_back(std::string(kPicturedMarkUtf8) + " a word you can picture, " + kAbstractMarkUtf8 +
                      " one you cannot, " + kUncoveredMarkUtf8 + " a digit no word covers yet");
  return doc;
}

}  // namespace tq
