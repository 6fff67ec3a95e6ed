#include "AllocationProbe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> largest{0};

void Note(std::size_t size) {
  std::size_t seen = largest.load(std::memory_order_relaxed);
  while (size > seen && !largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
  }
}

}  // namespace

namespace tq::test {

void ResetLargestAllocation() { largest.store(0); }
std::size_t LargestAllocation() { return largest.load(); }

}  // namespace tq::test

// The ordinary forms only; array forms and the nothrow forms reach these.
void* operator new(std::size_t size) {
  Note(size);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
