#pragma once
#include <optional>

#include "level/Vec2.h"

class FileSystem;
class XmlDocument;

// Global tuning values from the file "game_settings": shadows, indicator offsets, bird
// speed and strength, and two display switches. The Application owns the one instance.
struct GameSettings {
  Vec2 shadowOffset{60.0f, -8.0f};
  int shadowAlpha = 128;        // 0..255
  float shadowSize = 1.0f;      // scale; the file gives percent
  float workerOffset = 8.0f;    // workers are lifted this much, scaled by height / 32
  float respawnOffset = 12.0f;  // height of respawn clocks and effects above an object
  float flySpeed = 25.0f;       // base speed of birds
  bool showResLost = false;     // show resources lost to the storage limit
  std::optional<bool> showFPS;  // when given, switches the frame-rate overlay
  int birdLife = 1;             // clicks to catch a bird, at least 1

  // The defaults, then every setting "game_settings" gives (root GameSettings; each child
  // element is a setting named by its element name with the value in `value`; unknown
  // names, and settings without a value, are ignored). A missing file keeps the defaults.
  static GameSettings LoadGameSettings(FileSystem& fs);
  // The same from a parsed document; false when it has no GameSettings root.
  bool Read(const XmlDocument& document);
};
