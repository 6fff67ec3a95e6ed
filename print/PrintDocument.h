// What File › Print and File › Export PDF put on paper: a title, a few lines
// under it, and one table of rows, built from the worksheet or from the
// journey of one entry. Plain C++; the text is UTF-8, ready to be drawn,
// with the picture marks the windows show (★ for a word that can be
// pictured, ☆ for one that cannot).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tq {

class RDictionary;
class RJourneyScenes;
class RNumber;
class RWorksheet;
struct RJourney;

struct RPrintColumn {
  std::string heading;
  int share = 1;  // of the page's width, against the other columns' shares
  // Text the column holds on one line whatever its share (the widest of its
  // cells, when known); the other columns give up the room it takes.
  std::string widest{};
};

struct RPrintDocument {
  std::string title;
  std::vector<std::string> notes;  // one line each, under the title
  std::vector<RPrintColumn> columns;
  std::vector<std::vector<std::string>> rows;  // one text per column
  // The name a PDF of it gets in the file box, without the folder.
  std::string fileName;
};

// The marks beside each word: the first for a word that can be pictured.
inline constexpr const char* kPicturedMarkUtf8 = "\xE2\x98\x85";  // black star
inline constexpr const char* kAbstractMarkUtf8 = "\xE2\x98\x86";  // white star

// A word as printed, Windows-1252 in, UTF-8 out: with its picture mark in
// front, or as the dots of uncovered digits.
std::string MarkedWord(std::string_view word, bool pictured, bool uncovered);
// The same for a slot of an entry, looked up in the dictionary. A word the
// dictionary does not know cannot be pictured.
std::string MarkedWord(const RDictionary& dictionary, const std::string& slot);
// The entry's chosen words, each marked, separated by blanks.
std::string MarkedPhrase(const RDictionary& dictionary, const RNumber& entry);

// The worksheet: one row per entry that is not empty (number, marked
// phrase, description).
RPrintDocument WorksheetDocument(const RWorksheet& worksheet, const RDictionary& dictionary);

// The journey of an entry cut into `scenes`: one row per scene (the place's
// number and name, the scene's marked words, their digits and where those
// stand in the number). worksheetPath names the PDF it is offered as.
RPrintDocument JourneyDocument(const RJourneyScenes& scenes, const RJourney& journey, const RNumber& entry,
                               const std::string& worksheetPath);

}  // namespace tq
