// The numbers drill, memory-sport style: random digits the user did not
// choose, memorised in a set time from rows of 40, recalled row by row, and
// scored by the rule memory competitions use:
//
// - a complete row all right scores its digits (40);
// - a complete row with one digit wrong or missing scores half of them,
//   rounded up (20);
// - a row with more mistakes scores 0;
// - the last row the recall reached is scored the same way on the digits
//   filled, up to the last digit typed: all right, their count; one mistake,
//   half of it rounded up; more, 0.
//
// A row before the last one reached counts as complete: what is missing in
// it is a mistake, and an empty row scores 0. Rows after it are not reached
// and score nothing. A recall with no digit at all scores 0.
//
// Plain C++; the window (FormNumbersDrill.h) shows the rows and times them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tq {

inline constexpr int kRowDigits = 40;
// In a typed row, this stands for a digit the user does not know.
inline constexpr char kUnknownDigit = '.';

// `count` random digits, each of 0 to 9 equally likely, the same for the same
// seed on every system.
std::string RandomDigits(std::size_t count, uint64_t seed);

// The digits cut into rows of kRowDigits; the last row may be shorter.
std::vector<std::string> DigitRows(std::string_view digits);
// A row as shown: groups of `group` digits (2 or 3) separated by a blank;
// the last group of a row whose length `group` does not divide is shorter.
std::string GroupedRow(std::string_view row, int group);

// What a typed row gives, position by position: the digits, and
// kUnknownDigit for each '.', '?', '-', '_' or 'x' typed (a digit skipped);
// anything else (blanks that group the digits) is left out.
std::string RecallPositions(std::string_view typed);

enum class DigitMark : char { Right, Wrong, Missing, NotReached };

struct RRowScore {
  std::size_t length = 0;  // the row's digits
  std::size_t filled = 0;  // the positions scored: the row's length, or for the last row reached those up to its last digit
  std::size_t mistakes = 0;  // wrong or missing among them
  bool reached = false;
  int score = 0;
  std::string given;  // the positions as typed, up to the row's length
  std::vector<DigitMark> marks;  // one per digit of the row
};

struct RRecallScore {
  int score = 0;
  int right = 0;  // digits right, wherever they stand
  int lastRowReached = -1;  // -1 for an empty recall
  std::vector<RRowScore> rows;
};

// Scores the recall: typed[i] is what was typed for row i (missing rows are
// empty); whatever is typed beyond a row's length does not count.
RRecallScore ScoreRecall(std::string_view digits, const std::vector<std::string>& typed);

}  // namespace tq
