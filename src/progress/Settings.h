#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "progress/SaveNotes.h"

// Settings shared by every player (the per-user file "Settings": five little-endian int32,
// then, when any comfort setting differs from its default, three more).
struct Settings {
  static constexpr size_t kSize = 20;
  static constexpr size_t kComfortSize = 32;
  enum Flags : int32_t {
    kFullscreen = 1 << 0,   // fullscreen display
    kDrawnCursor = 1 << 1,  // the game draws its own cursor
  };
  int32_t reserved = 1;  // written, never interpreted
  int32_t musicVolume = 70;
  int32_t effectsVolume = 100;
  int32_t flags = kFullscreen | kDrawnCursor;  // other bits are kept as they are
  int32_t language = 0;  // 0 automatic, 1..4 a language number (above 4 counts as 4)

  // Comfort: calmer screens, larger text and pointer.
  enum Comfort : int32_t {
    kNoShake = 1 << 0,      // the screen never shakes
    kSteadyMarks = 1 << 1,  // no flashing or blinking: reachable objects show a steady ring
    kCalmMotion = 1 << 2,   // particles at a tenth, backgrounds stand still
  };
  int32_t comfort = 0;           // other bits are kept as they are
  int32_t textPercent = 100;     // 100, 125 or 150: hints, speech, messages, briefing, goals
  int32_t pointerPercent = 100;  // 100, 150 or 200: the drawn pointer
  static constexpr int32_t kTextPercents[] = {100, 125, 150};
  static constexpr int32_t kPointerPercents[] = {100, 150, 200};

  bool fullscreen() const { return (flags & kFullscreen) != 0; }
  bool drawnCursor() const { return (flags & kDrawnCursor) != 0; }
  void SetFlag(int32_t flag, bool on) { flags = on ? flags | flag : flags & ~flag; }
  bool Has(Comfort c) const { return (comfort & c) != 0; }
  void SetComfort(Comfort c, bool on) { comfort = on ? comfort | c : comfort & ~c; }
  // Whether the comfort part differs from its defaults (and so is written).
  bool HasComfort() const { return comfort != 0 || textPercent != 100 || pointerPercent != 100; }
  float TextScale() const { return float(textPercent) / 100.0f; }
  float PointerScale() const { return float(pointerPercent) / 100.0f; }

  bool operator==(const Settings&) const = default;
};

// 20 bytes while the comfort settings are at their defaults (as older versions wrote and
// read the file), 32 bytes otherwise.
std::vector<uint8_t> EncodeSettings(const Settings& settings);
// The offered size nearest to v (of two as near, the smaller).
int32_t NearestOffered(int64_t v, std::span<const int32_t> offered);
// The settings of a payload of exactly 20 or 32 bytes (anything else: none), with the volumes
// brought into 0..100, a negative language read as automatic, and a text or pointer size
// that is not one of the offered ones read as the nearest offered one.
std::optional<Settings> DecodeSettings(std::span<const uint8_t> payload,
                                       SaveNotes* notes = nullptr);
