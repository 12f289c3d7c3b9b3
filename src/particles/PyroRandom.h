#pragma once
// The particle library's random generator: small, fast and the same on every machine, so a
// seeded emitter always produces the same particles.
#include <cstdint>

namespace PyroParticles {

class CPyroRandom {
 public:
  explicit CPyroRandom(uint64_t seed = 1) { Seed(seed); }
  void Seed(uint64_t seed) {
    state_ = seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull;
    if (state_ == 0) state_ = 0x2545F4914F6CDD1Dull;
  }
  uint64_t Next() {  // xorshift64*
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }
  // Uniform in [0, 1).
  float Unit() { return float(Next() >> 40) * (1.0f / 16777216.0f); }
  // Uniform in [a, b).
  float Range(float a, float b) { return a + (b - a) * Unit(); }

 private:
  uint64_t state_ = 1;
};

}  // namespace PyroParticles
