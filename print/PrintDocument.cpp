#include "PrintDocument.h"

#include <algorithm>

#include "JourneyScenes.h"
#include "Paths.h"
#include "RDictionary.h"
#include "RWorksheet.h"
#include "Text.h"

namespace tq {
namespace {

// An uncovered digit's mark (RNumber.h), as printed.
const std::string& UncoveredMarkUtf8() {
  static const std::string mark = Utf8From1252(std::string_view(&kUncoveredMark, 1));
  return mark;
}

// In the words of the Journey window's key.
std::string MarksLegend() {
  return std::string(kPicturedMarkUtf8) + ' ' + kPicturedKey + ", " + kAbstractMarkUtf8 + ' ' + kAbstractKey + ", " +
         UncoveredMarkUtf8() + ' ' + kUncoveredKey;
}

// A title is one line; the header above the rows holds a number of up to
// some twenty lines whole.
constexpr std::size_t kTitleLength = 60;
constexpr std::size_t kNumberInHeader = 2000;

// Text for a title or a note, cut short: a number of ten thousand digits
// belongs in the rows, not in the title.
std::string Shortened(std::string_view text, std::size_t longest) {
  if (text.size() <= longest) return Utf8From1252(text);
  return Utf8From1252(text.substr(0, longest - 1)) + "\xE2\x80\xA6";  // an ellipsis
}

}  // namespace

std::string MarkedWord(std::string_view word, bool pictured, bool uncovered) {
  if (uncovered) {
    std::string dots;
    for (std::size_t i = 0; i < std::max<std::size_t>(word.size(), 1); ++i) dots += UncoveredMarkUtf8();
    return dots;
  }
  // A narrow no-break space keeps the mark with its word.
  return std::string(pictured ? kPicturedMarkUtf8 : kAbstractMarkUtf8) + "\xE2\x80\xAF" + Utf8From1252(word);
}

std::string MarkedWord(const RDictionary& dictionary, const std::string& slot) {
  if (slot.empty() || IsUncoveredSlot(slot) || IsUncoveredWord(slot))
    return MarkedWord("", false, true);
  const int position = dictionary.FindWord(dictionary.WordMeant(slot));
  return MarkedWord(slot, position >= 0 && dictionary.IsPicturableEntry(dictionary.EntryAt(position)), false);
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
  doc.notes.push_back(CountOf(doc.rows.size(), "number"));
  doc.notes.push_back(MarksLegend());
  return doc;
}

RPrintDocument JourneyDocument(const RJourneyScenes& scenes, const RJourney& journey, const RNumber& entry,
                               const std::string& worksheetPath) {
  RPrintDocument doc;
  const std::string_view description = TrimBlanks(entry.Description());
  doc.title = "Journey: " + Shortened(description.empty() ? TrimBlanks(entry.Number()) : description, kTitleLength);
  doc.fileName = (worksheetPath.empty() ? std::string("journey") : BaseNameOf(worksheetPath) + " journey") + ".pdf";
  const std::size_t count = scenes.Count();
  // The place's number on one line, however many places there are.
  doc.columns = {{"", 1, std::to_string(count)}, {"Place", 5}, {"Words", 7}, {"Digits", 3}, {"In the number", 4}};
  const std::size_t beyond = scenes.PlacesBeyond(journey);
  std::string note = CountOf(entry.Digits().size(), "digit") + " at " + CountOf(count, "place") + ", " +
                     CountOf(scenes.WordsPerPlace(), "word") + " a place";
  if (beyond > 0) note += "; " + std::to_string(beyond) + " of them past the end of your journey";
  doc.notes.push_back(note);
  // The whole number, wrapped, unless it is longer than a header has room
  // for; its digits stand in the rows either way.
  const std::string_view number = TrimBlanks(entry.Number());
  if (!description.empty() || number.size() > kTitleLength) {
    std::string note = "Number: " + Shortened(number, kNumberInHeader);
    if (number.size() > kNumberInHeader) note += " (" + CountOf(entry.Digits().size(), "digit") + ")";
    doc.notes.push_back(note);
  }
  doc.notes.push_back(MarksLegend());
  doc.rows.reserve(count);
  for (std::size_t k = 0; k < count; ++k) {
    std::string words;
    for (const RSceneWord& word : scenes.Words(k))
      words += (words.empty() ? "" : " ") + MarkedWord(word.text, word.pictured, word.uncovered);
    doc.rows.push_back({std::to_string(k + 1), Utf8From1252(PlaceName(journey, k)), std::move(words),
                        Utf8From1252(scenes.Digits(k)), Utf8From1252(scenes.DigitRange(k))});
  }
  return doc;
}

}  // namespace tq
