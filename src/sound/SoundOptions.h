#pragma once
#include <cstdint>
#include <functional>
#include <string>

// How a SoundSystem starts. The defaults are what the game uses; tests replace the clock,
// the message and the device, or step the music stream themselves.
struct SoundOptions {
  // The player's volumes, 0..100.
  int musicVolume = 70;
  int effectsVolume = 100;
  // Runs the music streaming thread. Without it, StreamStep must be called by the owner.
  bool startStreamer = true;
  // An explicit OpenAL device name; empty chooses one through the device enumeration.
  std::string deviceName;
  // Millisecond clock for the music fades; empty means the platform clock.
  std::function<uint32_t()> clock;
  // Shows the message about a missing audio device; empty means a platform message box.
  std::function<void(const char* caption, const std::string& text)> notify;
};
