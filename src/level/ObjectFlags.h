#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The flag bits of a world object and their letters in level files: bit n is 'a' + n for
// n = 0..25 and 'A' + (n - 26) for n = 26..31.
class ObjectFlags {
 public:
  enum Bit : uint32_t {
    kReachable = 1u << 0,          // a
    kMask = 1u << 1,               // b
    kInProcess = 1u << 2,          // c
    kDelete = 1u << 3,             // d
    kReachableOrdinary = 1u << 4,  // e
    kWorkBegun = 1u << 5,          // f
    kPassable = 1u << 6,           // g
    kNoRespawn = 1u << 7,          // h
    kHidden = 1u << 8,             // i
    kStateSprite = 1u << 9,        // j
    kQuest = 1u << 10,             // k
    kAtWork = 1u << 11,            // l
    kDialog = 1u << 12,            // m
    kNeedsQuest = 1u << 13,        // n (indicator sprites: scaled with the view)
    kObjective = 1u << 14,         // o
    kBusy = 1u << 15,              // p
    kQueued = 1u << 16,            // q
    kRespawning = 1u << 17,        // r
    kShadow = 1u << 18,            // s
    kSprite = 1u << 19,            // t
    kFinishing = 1u << 20,         // u
    kMarker = 1u << 21,            // v
    kPose = 1u << 22,              // w
    kScroll = 1u << 23,            // x
    kThiefTarget = 1u << 24,       // y
    kReachableSpecial = 1u << 25,  // z
    kSlide = 1u << 26,             // A
    kAdditive = 1u << 28,          // C
    kDormant = 1u << 29,           // D
    kThievable = 1u << 30,         // E
  };

  // The bits of a letter string. Letters may come in any order and repeat; every byte maps
  // to some bit (codes above 96 count from 'a', others from 'A' - 26, modulo 32), so stray
  // characters set stray bits rather than failing.
  static uint32_t Parse(std::string_view letters);
  // One letter per set bit, lowest bit first.
  static std::string Format(uint32_t flags);
};
