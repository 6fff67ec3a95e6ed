// The user's own pegs: the word (or words) they keep for a number of one,
// two or three digits, in place of the one the peg list suggests. People
// who memorise long numbers keep one fixed picture for every number of two
// digits (some for every number of three) and train it until it comes at
// once; these are theirs.
//
// They are kept in the user's data folder (beside words.txt and
// journey.txt) as pegs.txt, one peg a line, as --pegs prints them:
//
//   37<Tab>mug
//   211<Tab>tin hat
//
// The number with its leading zeros (0 to 9, 00 to 99, 000 to 999), a tab
// (or blanks), then the peg's words separated by blanks; a middle dot
// stands for a digit no word covers, as --pegs prints it. So
// `--pegs 2 > pegs.txt` makes a starting file. The file is UTF-8 (a byte
// order mark at its start is skipped); one that is not UTF-8 is read as
// Windows-1252. The writer writes UTF-8 without a mark, lines in the order
// of the numbers' length and then their value.
//
// Each word must be one the dictionary knows and spell at least one digit,
// and the words in turn must spell exactly their number (the codes the
// dictionary gives them now). A line that does not, a number given twice,
// or a line that is no number and a peg, is refused: a notice names its
// line and says why, and the number keeps its suggested peg. A number the
// file lacks keeps its suggested peg too (PegsInForce, PegSystem.h).
//
// The reader takes the file as hostile: it reads at most one byte more than
// kMaxMyPegsFile in one pass, and a longer file is damaged as a whole. It
// keeps at most one peg per number and kMaxMyPegsNotices notices (counting
// the rest), so what it holds stays small whatever the file holds. A file
// with any line refused is never written over without a copy of it kept
// (SaveMyPegsFile), so nothing of it is lost.
//
// Plain C++ on the dictionary; the pegs in force (PegSystem.h) and the My
// Pegs dialog (FormMyPegs.h) sit on top.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "DataPaths.h"

namespace tq {

class RDictionary;

// Far more than the 1,110 lines of a full file of long pegs.
inline constexpr std::size_t kMaxMyPegsFile = 256u << 10;
// The longest number a peg stands for.
inline constexpr std::size_t kMaxMyPegDigits = 3;
inline constexpr std::size_t kMaxMyPegsNotices = 20;

struct RMyPegs {
  // The user's own pegs by number, with its leading zeros ("7", "37",
  // "037"); each as slots, in order: a word, or kUncoveredSlot (RNumber.h)
  // for a digit no word covers.
  std::map<std::string, std::vector<std::string>> pegs;
  // What the reader refused, one notice a line ("line 12: ..."), the first
  // kMaxMyPegsNotices of `refused` lines.
  std::vector<std::string> notices;
  std::size_t refused = 0;

  // The peg of the number, or null when the user has none.
  const std::vector<std::string>* Find(std::string_view number) const;
};

// Why `slots` cannot be the peg of `number` with this dictionary, or empty
// when they can: the number must be one to three digits, each slot a word
// the dictionary knows that spells a digit or more, or an uncovered digit,
// and their codes in turn exactly the number.
std::string MyPegProblem(const RDictionary& dictionary, std::string_view number,
                         const std::vector<std::string>& slots);

// The slots of a peg as typed or read ("tin hat", "mug \xB7"), Windows-1252:
// lower case, split at blanks, a mark read as an uncovered digit.
std::vector<std::string> MyPegSlots(std::string_view text);
// The peg's slots as a line shows them: the words joined by blanks, an
// uncovered digit shown as the mark.
std::string MyPegText(const std::vector<std::string>& slots);

// --- the file ---------------------------------------------------------------------

// Missing: no file there at all. Unreadable: there, but it could not be
// opened or read. Damaged: read, but too long to be a pegs file. Loaded may
// still have refused lines (RMyPegs::refused).
enum class MyPegsLoad { Missing, Loaded, Unreadable, Damaged };

// The name of the user's pegs file; where it is read and written the data
// paths say (UserFileToRead, UserFileToWrite).
inline constexpr const char* kMyPegsFileName = "pegs.txt";

// Parses the file's bytes against the dictionary. On Loaded `pegs` holds
// them (and the notices); otherwise it is left as it was, and `reason`
// (when given) says what was wrong.
MyPegsLoad ParseMyPegsText(std::string_view text, const RDictionary& dictionary, RMyPegs& pegs,
                           std::string* reason = nullptr);
// Reads the file at path the same way; `reason` gets the system's reason
// for an unreadable file. Missing for an empty path.
MyPegsLoad ReadMyPegsFile(const std::string& path, const RDictionary& dictionary, RMyPegs& pegs,
                          std::string* reason = nullptr);
// The file's bytes for the pegs (their notices are no part of it). Pegs
// the reader would refuse with this dictionary are left out, so what is
// written always reads back.
std::string MyPegsText(const RDictionary& dictionary, const RMyPegs& pegs);

// What SaveMyPegsFile found at the path and did.
struct RMyPegsSave {
  bool written = false;
  MyPegsLoad found = MyPegsLoad::Missing;
  std::string keptAs;  // where a file with refused lines, or a damaged one, was set aside
  std::string reason;  // why an unreadable file or a failed rename was left alone
};
// Writes the pegs through the atomic writer, but never over a file that
// could not be taken in whole: what is there is read again first. A damaged
// one, or one with a line refused, is set aside (KeepAside: path.damaged,
// .damaged2, ...) and then written; one that cannot be read is left as it
// is and nothing is written. Shows nothing but the writer's own errors.
RMyPegsSave SaveMyPegsFile(const std::string& path, const RDictionary& dictionary, const RMyPegs& pegs);

// --- the program's side: the same with what the user is told -------------------

// The user's pegs from their data folder: none when there is no file, and
// also, after a warning that names the file and says why, when it is
// damaged or cannot be read. Refused lines are named in one notice.
RMyPegs LoadMyPegs(const DataPaths& paths, const RDictionary& dictionary);
// Stores the pegs in the user's data folder (made when missing), keeping a
// file with refused lines aside and saying where; a file that cannot be
// read is left alone, and the error says the pegs were not saved. True
// when written.
bool StoreMyPegs(const DataPaths& paths, const RDictionary& dictionary, const RMyPegs& pegs);

}  // namespace tq
