// Watches the allocations of this test program, so that a test can show that
// an operation never asks for more memory at once than its input justifies.
// Measuring with the allocator itself works where a reservation that is
// never touched would pass unnoticed (memory is overcommitted).
#pragma once

#include <cstddef>

namespace tq::test {

// Forgets the largest allocation seen so far.
void ResetLargestAllocation();
// The largest single allocation since the last reset, in bytes.
std::size_t LargestAllocation();

}  // namespace tq::test
