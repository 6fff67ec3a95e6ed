#include "AnswerCheck.h"

#include <algorithm>

namespace tq {

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
