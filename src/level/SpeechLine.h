#pragma once
#include <array>
#include <cstdint>

// A line of speech or a level dialog, as level files and world objects carry it.
struct SpeechLine {
  int32_t text = 0;     // "dialog_%04d" of it; 0 = no line
  int32_t speaker = 0;  // dialog picture id
  int32_t kind = 0;     // 0..3 message corners, 4 bubble left, 5+ bubble right
  int32_t trigger = 0;  // event number that shows it
  int32_t notify = 0;   // object told when the line is answered, 0 none
  int32_t target = 0;   // arrow target: < 0 HUD control -target, > 0 object id
  int32_t delay = 0;    // seconds a message stays

  static constexpr size_t kFields = 7;
  std::array<int, kFields> ToArray() const {
    return {text, speaker, kind, trigger, notify, target, delay};
  }
  static SpeechLine FromArray(const std::array<int, kFields>& v) {
    return SpeechLine{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
  }
  bool operator==(const SpeechLine&) const = default;
};
