#pragma once
#include <cstdint>

// The game's one source of "C library" random numbers. Every caller expects the classic
// range 0..32767, whatever the platform's RAND_MAX is, so the generator is our own: the
// same linear congruential step as the classic C library, seeded like srand.
void SeedRandom(uint32_t seed);
int Rand15();                        // uniform in 0..32767
int RandomRange(int low, int high);  // uniform in low..high inclusive; low when high < low

// A second stream of the same generator for what only shows or sounds on the screen (a
// flicker, a wandering button, which start sound plays). Drawing from it never changes the
// numbers the level's simulation draws, so a level replays the same whatever is drawn.
int ScreenRand15();
void SeedScreenRandom(uint32_t seed);
