#pragma once
#include <string_view>

// The sounds the world plays ("object_respawn", ...), by name. The application plays them
// through its sound system; tools and tests pass none or a recorder.
class LevelSounds {
 public:
  virtual ~LevelSounds() = default;
  virtual void Play(std::string_view name) = 0;
  // A sound that repeats until Stop is called with the number returned (0: it could not
  // be started, or plays once).
  virtual int PlayLooped(std::string_view name) {
    Play(name);
    return 0;
  }
  virtual void Stop(int /*handle*/) {}
};
