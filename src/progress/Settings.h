#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "progress/SaveNotes.h"

// Settings shared by every player (the per-user file "Settings": five little-endian int32).
struct Settings {
  static constexpr size_t kSize = 20;
  enum Flags : int32_t {
    kFullscreen = 1 << 0,   // fullscreen display
    kDrawnCursor = 1 << 1,  // the game draws its own cursor
  };
  int32_t reserved = 1;  // written, never interpreted
  int32_t musicVolume = 70;
  int32_t effectsVolume = 100;
  int32_t flags = kFullscreen | kDrawnCursor;  // other bits are kept as they are
  int32_t language = 0;  // 0 automatic, 1..4 a language number (above 4 counts as 4)

  bool fullscreen() const { return (flags & kFullscreen) != 0; }
  bool drawnCursor() const { return (flags & kDrawnCursor) != 0; }
  void SetFlag(int32_t flag, bool on) { flags = on ? flags | flag : flags & ~flag; }

  bool operator==(const Settings&) const = default;
};

std::vector<uint8_t> EncodeSettings(const Settings& settings);
// The settings of a payload of exactly 20 bytes (anything else: none), with the volumes
// brought into 0..100 and a negative language read as automatic.
std::optional<Settings> DecodeSettings(std::span<const uint8_t> payload,
                                       SaveNotes* notes = nullptr);
