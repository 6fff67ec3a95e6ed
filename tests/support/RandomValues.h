// Random values for the round-trip tests of the program's writers: what a
// user could type, paste or be given, including what the files cannot hold
// as such. Seeded, so that every failure can be run again.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace tq::test {

class RandomValues {
 public:
  explicit RandomValues(uint32_t seed) : rng_(seed) {}

  // 8-bit text of one of several shapes: empty; a few characters of the
  // sort files use as syntax (line feed, carriage return, tab, '#', ',',
  // ':', blanks at either end); any bytes 0x01 to 0xFF; or very long.
  std::string Text();
  // A path: '/'-separated names of the same kinds of bytes, now and then
  // longer than the configuration file may hold.
  std::string Path();
  int32_t Int();
  // A number in 0 to n-1.
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  std::mt19937& Engine() { return rng_; }

 private:
  std::string Bytes(std::size_t length, bool syntaxOnly);
  std::mt19937 rng_;
};

}  // namespace tq::test
