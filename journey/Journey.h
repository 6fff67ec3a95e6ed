// The user's journey: the places of a route they know well (the front door,
// the doormat, the hall mirror, ...), at which the scenes of a long number
// are hung one after another (JourneyScenes.h), and how many words a place
// holds. The program ships a default journey through a house and down a
// street, so that it works at once.
//
// The journey is kept among the user's own files (beside words.txt; read
// and written where UserFileToRead and UserFileToWrite say) as journey.txt,
// a text file with one place per line, in order:
//
//   #words per place: 2
//   front gate
//   garden path
//   ...
//
// The first line may say how many words a place holds, 1 to 4 (the default
// 2 without it); the writer always writes it. Every other line is a place,
// also one that begins with '#'. The reader takes a carriage return before a
// line feed and a last line without one, drops the blanks around a place
// and skips empty lines. Nothing else of the program's files (worksheet,
// configuration, dictionary) holds any of this.
//
// The program writes the file in Windows-1252. A user may write it with an
// editor in UTF-8 instead, with or without the byte order mark (which is
// never taken for part of the first line): a file that is UTF-8 (EncodingOf)
// is read as UTF-8, and the journey remembers it, so that the file is
// written back as it came.
//
// The reader takes the file as hostile: it reads at most one byte more than
// kMaxJourneyFile, in one pass, and a file longer than that, a place longer
// than kMaxPlaceLength or holding a control character other than the tab,
// more than kMaxPlaces places, or a first line that begins like the
// words-per-place line but says anything else, makes the whole file
// damaged, with a reason that names the line. A place with a tab inside it,
// or a character Windows-1252 has no byte for, is one line gone wrong in a
// file written by hand: that line is left out and named, the others are
// places. A file that is there but cannot be opened or read, or something
// else than a file in its place, is unreadable. The program goes on with
// the places it could read, or else the default journey, and says so once;
// the file is never written over without a copy of it kept
// (SaveJourneyFile), so nothing of it is lost.
//
// Plain C++; the windows (FormJourney.h, FormJourneyPlaces.h) sit on top.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "DataPaths.h"
#include "Text.h"

namespace tq {

inline constexpr const char* kJourneyFileName = "journey.txt";
inline constexpr int kMinWordsPerPlace = 1;
inline constexpr int kMaxWordsPerPlace = 4;
inline constexpr int kDefaultWordsPerPlace = 2;
// Bytes in a place's name, and places in a journey: far more than any route
// walked in the mind, few enough that the file stays small.
inline constexpr std::size_t kMaxPlaceLength = 100;
inline constexpr std::size_t kMaxPlaces = 5000;
inline constexpr std::size_t kMaxJourneyFile = 1u << 20;

struct RJourney {
  std::vector<std::string> places;  // Windows-1252, in the order walked
  int wordsPerPlace = kDefaultWordsPerPlace;
  // How the file this journey came from was written, and how it is written
  // back. No part of what the journey is: two journeys with the same places
  // and words per place are equal.
  TextEncoding encoding = TextEncoding::Windows1252;

  bool operator==(const RJourney& other) const {
    return places == other.places && wordsPerPlace == other.wordsPerPlace;
  }
};

// The journey the program ships: more than forty places through a house and
// down a street, and two words a place.
RJourney DefaultJourney();

// The name of the place at `index` (from 0): the journey's own, or, once the
// journey has run out, a numbered place: "place 41" for index 40.
std::string PlaceName(const RJourney& journey, std::size_t index);

// Why text cannot be a place, or empty when it can: it must have something
// besides blanks, at most kMaxPlaceLength bytes once the blanks around it
// are gone, and no control character (a tab included: the command line
// prints a place before a tab).
std::string PlaceProblem(std::string_view text);

// A pasted list, one place per line: each line without the blanks around
// it, a tab inside it made a blank and other control characters left out,
// cut to kMaxPlaceLength bytes; empty lines are dropped. `cut` (when given)
// counts the lines that had to be cut.
std::vector<std::string> PlacesFromLines(std::string_view text, std::size_t* cut = nullptr);

// Whether two names are one place: the same but for letter case and the
// blanks around them. A journey passes each place once; a place twice would
// hang two scenes at it.
bool SamePlace(std::string_view a, std::string_view b);
// Of `pasted`, the places not on the journey `places` yet, each once, in
// their order; `already` (when given) counts those left out.
std::vector<std::string> NewPlaces(const std::vector<std::string>& places, const std::vector<std::string>& pasted,
                                   std::size_t* already = nullptr);

// --- the file ---------------------------------------------------------------------

// Missing: no file there at all. Partly: read, but some lines could not
// be places and were left out. Unreadable: there, but it could not be
// opened or read, or it is no file. Damaged: read, but not understood.
enum class JourneyLoad { Missing, Loaded, Partly, Unreadable, Damaged };

// Parses the file's bytes. On Loaded and Partly `journey` holds them, with
// the encoding they came in; otherwise it is left as it was. `reason` (when
// given) says what was wrong: for Partly the first line left out, and how
// many more were.
JourneyLoad ParseJourneyText(std::string_view text, RJourney& journey, std::string* reason = nullptr);
// Reads the file at path the same way; `reason` gets the system's reason
// for an unreadable file. Missing for an empty path.
JourneyLoad ReadJourneyFile(const std::string& path, RJourney& journey, std::string* reason = nullptr);
// The file's bytes for a journey, in its encoding. Places the reader would
// refuse are left out, the count of words brought within 1 to 4, so what is
// written always reads back: Windows-1252 text that would read as UTF-8 is
// written in UTF-8.
std::string JourneyText(const RJourney& journey);

// What SaveJourneyFile found at the path and did.
struct RJourneySave {
  bool written = false;
  JourneyLoad found = JourneyLoad::Missing;
  std::string keptAs;  // where a damaged file was set aside
  std::string reason;  // why an unreadable file or a failed rename was left alone
};
// Writes the journey through the atomic writer, but never over a file that
// could not be taken in; what is there is read again first. A damaged one,
// or one with lines left out, is set aside (KeepAside: path.damaged,
// .damaged2, ...) and then written; when it cannot be set aside, or cannot
// be read, it is left as it is and nothing is written.
// Shows nothing but the writer's own errors.
RJourneySave SaveJourneyFile(const std::string& path, const RJourney& journey);

// --- the program's side: the same with what the user is told -------------------

// The user's journey from their files: the default journey when there
// is no file, and also, after a warning that names the file and says why,
// when it is damaged or cannot be read. Lines left out are named the same
// way, and the other places are the journey.
RJourney LoadJourney(const DataPaths& paths);
// Stores the journey in the user's folder (made when missing), keeping a
// damaged file aside and saying where; a file that cannot be read is left
// alone, and the error says the journey was not saved. True when written.
bool StoreJourney(const DataPaths& paths, const RJourney& journey);

}  // namespace tq
