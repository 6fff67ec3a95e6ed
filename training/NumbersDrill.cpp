#include "NumbersDrill.h"

#include <algorithm>
#include <random>

namespace tq {
namespace {

// Half of it, rounded up: what a row with one mistake scores.
int HalfUp(std::size_t count) { return static_cast<int>((count + 1) / 2); }

int RowScore(std::size_t filled, std::size_t mistakes) {
  if (mistakes == 0) return static_cast<int>(filled);
  return mistakes == 1 ? HalfUp(filled) : 0;
}

}  // namespace

std::string RandomDigits(std::size_t count, uint64_t seed) {
  // The engine's output is fixed by the standard; the distributions are not,
  // so the digit is taken by hand, dropping the few values that would make
  // the low digits likelier.
  std::mt19937_64 engine(seed);
  constexpr uint64_t kFair = UINT64_MAX - UINT64_MAX % 10;
  std::string digits;
  digits.reserve(count);
  while (digits.size() < count) {
    const uint64_t value = engine();
    if (value >= kFair) continue;
    digits.push_back(static_cast<char>('0' + value % 10));
  }
  return digits;
}

std::vector<std::string> DigitRows(std::string_view digits) {
  std::vector<std::string> rows;
  for (std::size_t start = 0; start < digits.size(); start += kRowDigits)
    rows.emplace_back(digits.substr(start, kRowDigits));
  return rows;
}

std::string GroupedRow(std::string_view row, int group) {
  const std::size_t size = static_cast<std::size_t>(std::max(group, 1));
  std::string text;
  for (std::size_t start = 0; start < row.size(); start += size) {
    if (!text.empty()) text += ' ';
    text += row.substr(start, size);
  }
  return text;
}

std::string RecallPositions(std::string_view typed) {
  std::string positions;
  for (char c : typed) {
    if (c >= '0' && c <= '9')
      positions.push_back(c);
    else if (c == '.' || c == '?' || c == '-' || c == '_' || c == 'x' || c == 'X')
      positions.push_back(kUnknownDigit);
  }
  return positions;
}

RRecallScore ScoreRecall(std::string_view digits, const std::vector<std::string>& typed) {
  RRecallScore result;
  const std::vector<std::string> rows = DigitRows(digits);
  std::vector<std::string> given(rows.size());
  for (std::size_t i = 0; i < rows.size() && i < typed.size(); ++i) {
    given[i] = RecallPositions(typed[i]);
    if (given[i].size() > rows[i].size()) given[i].resize(rows[i].size());
    // The last row reached is the last with a digit in it: a row of
    // unknown marks alone gives nothing to score.
    if (given[i].find_first_not_of(kUnknownDigit) != std::string::npos) result.lastRowReached = static_cast<int>(i);
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    RRowScore row;
    row.length = rows[i].size();
    row.given = given[i];
    row.marks.assign(row.length, DigitMark::NotReached);
    const int index = static_cast<int>(i);
    row.reached = index <= result.lastRowReached;
    if (row.reached) {
      // The last row reached counts up to its last digit; any row before it is whole.
      row.filled = index == result.lastRowReached ? row.given.find_last_not_of(kUnknownDigit) + 1 : row.length;
      for (std::size_t p = 0; p < row.filled; ++p) {
        const char c = p < row.given.size() ? row.given[p] : kUnknownDigit;
        if (c == kUnknownDigit) {
          row.marks[p] = DigitMark::Missing;
          ++row.mistakes;
        } else if (c != rows[i][p]) {
          row.marks[p] = DigitMark::Wrong;
          ++row.mistakes;
        } else {
          row.marks[p] = DigitMark::Right;
          ++result.right;
        }
      }
      row.score = RowScore(row.filled, row.mistakes);
    }
    result.score += row.score;
    result.rows.push_back(std::move(row));
  }
  return result;
}

}  // namespace tq
