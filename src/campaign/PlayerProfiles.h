#pragma once
#include <cstdint>

// Settings shared by every player (the per-user file "Settings": five little-endian int32).
struct Settings {
  enum Flags : int32_t {
    kFullscreen = 1 << 0,   // fullscreen display
    kDrawnCursor = 1 << 1,  // the game draws its own cursor
  };
  int32_t reserved = 1;
  int32_t musicVolume = 70;
  int32_t effectsVolume = 100;
  int32_t flags = kFullscreen | kDrawnCursor;
  int32_t language = 0;  // 0 automatic, 1..4 a language number

  bool fullscreen() const { return (flags & kFullscreen) != 0; }
  bool drawnCursor() const { return (flags & kDrawnCursor) != 0; }
};

// What the game remembers about its players. For now it holds the shared settings, with
// their defaults; profiles, progress and records are kept here too once they are stored.
class PlayerProfiles {
 public:
  Settings settings;
};
