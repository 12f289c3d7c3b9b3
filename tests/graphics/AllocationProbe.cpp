// Replaces the global operator new of the test program so that a test can ask for the
// largest single allocation made while it watched. Only the scalar forms are replaced, and
// always as a matching set (plain, sized and nothrow), so that every block is freed the way
// it was allocated.
#include "AllocationProbe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> watching{false};
std::atomic<size_t> largest{0};

void Note(size_t size) {
  if (!watching.load(std::memory_order_relaxed)) return;
  size_t seen = largest.load(std::memory_order_relaxed);
  while (size > seen && !largest.compare_exchange_weak(seen, size)) {
  }
}
}  // namespace

size_t LargestAllocationDuring(const std::function<void()>& work) {
  largest = 0;
  watching = true;
  work();
  watching = false;
  return largest;
}

void* operator new(size_t size) {
  Note(size);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void* operator new(size_t size, const std::nothrow_t&) noexcept {
  Note(size);
  return std::malloc(size ? size : 1);
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
