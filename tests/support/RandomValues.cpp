#include "RandomValues.h"

#include <limits>

namespace tq::test {

std::string RandomValues::Bytes(std::size_t length, bool syntaxOnly) {
  static constexpr char kSyntax[] = {'\n', '\r', '\t', '#', ',', ':', ' ', 'a', '5', '.', '\xB7', '\x95'};
  std::string out(length, ' ');
  for (char& c : out)
    c = syntaxOnly ? kSyntax[Below(static_cast<int>(sizeof kSyntax))] : static_cast<char>(1 + Below(255));
  return out;
}

std::string RandomValues::Text() {
  switch (Below(6)) {
    case 0: return {};
    case 1: return Bytes(static_cast<std::size_t>(1 + Below(12)), true);
    case 2: return " " + Bytes(static_cast<std::size_t>(Below(20)), false) + " ";
    case 3: return Bytes(static_cast<std::size_t>(300 + Below(3000)), Below(2) == 0);
    default: return Bytes(static_cast<std::size_t>(1 + Below(60)), false);
  }
}

std::string RandomValues::Path() {
  std::string path;
  const int names = 1 + Below(Below(8) == 0 ? 60 : 5);
  for (int i = 0; i < names; ++i) {
    std::string name = Bytes(static_cast<std::size_t>(1 + Below(40)), Below(3) == 0);
    for (char& c : name)
      if (c == '/') c = '_';
    path += "/" + name;
  }
  return path;
}

int32_t RandomValues::Int() {
  switch (Below(4)) {
    case 0: return std::numeric_limits<int32_t>::min() + Below(3);
    case 1: return std::numeric_limits<int32_t>::max() - Below(3);
    default: return std::uniform_int_distribution<int32_t>(-2000, 5000)(rng_);
  }
}

}  // namespace tq::test
