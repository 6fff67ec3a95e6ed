#include "AnswerCheck.h"

#include <algorithm>

namespace tq {

std::string DigitsOf(std::string_view text) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  return digits;
}

RDigitMarks MarkDigits(const std::string& expected, const std::string& given) {
  RDigitMarks marks;
  const std::size_t length = std::max(expected.size(), given.size());
  marks.shown.reserve(length);
  marks.wrong.reserve(length);
  for (std::size_t i = 0; i < length; ++i) {
    const char g = i < given.size() ? given[i] : '_';
    marks.shown += g;
    marks.wrong.push_back(i >= expected.size() || g != expected[i]);
  }
  marks.right = std::none_of(marks.wrong.begin(), marks.wrong.end(), [](bool w) { return w; });
  return marks;
}

}  // namespace tq
