// What the benchmarks on long numbers share: the generated dictionary,
// loaded once, and the same pseudo-random digits in every run.
#pragma once

#include <cstdint>
#include <string>

#include "RDictionary.h"

namespace tq::bench {

inline RDictionary& Loaded() {
  static RDictionary* dict = CreateDictionary(TQ_BENCH_DATA_DIR "/").release();
  return *dict;
}

// A plain linear congruential sequence of digits.
inline std::string Digits(std::size_t length) {
  std::string out(length, '0');
  std::uint64_t x = 88172645463325252ull;
  for (char& c : out) {
    x = x * 6364136223846793005ull + 1442695040888963407ull;
    c = static_cast<char>('0' + (x >> 33) % 10);
  }
  return out;
}

}  // namespace tq::bench
