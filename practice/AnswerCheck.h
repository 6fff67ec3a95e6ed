// How a typed answer is compared with the number it should give: on digits
// only, as the Number field takes them (blanks, dashes and letters do not
// count), position by position, so that the dialog can mark the digits that
// are wrong or missing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "RNumber.h"  // DigitsOf

namespace tq {

struct RDigitMarks {
  bool right = false;
  // What was given, one character per position: a digit, '?' for something
  // that gave no digit (a word the dictionary lacks), '_' where a digit is
  // missing at the end.
  std::string shown;
  // Per position of `shown`: true where it differs from the expected digit.
  std::vector<bool> wrong;
};

// Compares the given digits ('?' allowed) with the expected ones.
RDigitMarks MarkDigits(const std::string& expected, const std::string& given);

}  // namespace tq
