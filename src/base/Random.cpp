#include "base/Random.h"

#include <atomic>

namespace {
// Shared by the main thread and (rarely) the precache worker; relaxed is enough because the
// sequence only has to stay within range, not be reproducible across threads.
std::atomic<uint32_t> state{1};
std::atomic<uint32_t> screenState{1};
}  // namespace

void SeedRandom(uint32_t seed) { state.store(seed, std::memory_order_relaxed); }

int Rand15() {
  uint32_t next = state.load(std::memory_order_relaxed) * 1103515245u + 12345u;
  state.store(next, std::memory_order_relaxed);
  return static_cast<int>((next >> 16) & 0x7FFF);
}

int RandomRange(int low, int high) {
  if (high <= low) return low;
  const int64_t span = static_cast<int64_t>(high) - low + 1;
  return static_cast<int>(low + (static_cast<int64_t>(Rand15()) * span) / 32768);
}

int ScreenRand15() {
  uint32_t next = screenState.load(std::memory_order_relaxed) * 1103515245u + 12345u;
  screenState.store(next, std::memory_order_relaxed);
  return static_cast<int>((next >> 16) & 0x7FFF);
}

void SeedScreenRandom(uint32_t seed) { screenState.store(seed, std::memory_order_relaxed); }
