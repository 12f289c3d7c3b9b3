#pragma once
// Whole screens: the game's Application run on the game's platform from the game folder, the
// player's progress read from a copy of the data folder, one screen shown as the player sees
// it. Such an item is shown alone.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/Renderer.h"

struct ScreenOptions {
  std::optional<uint32_t> frames;  // counted from the moment the screen shows what it is for
  std::optional<uint32_t> fixedStep;
  std::optional<AspectMode> aspect;
  bool standardDefinition = false;
  std::string screenshot;
  std::string language = "en";
  // The result sequence's values (result:EP:LEVEL).
  int difficulty = 1;
  int medal = 2;
  std::optional<std::array<int, 4>> parts;
  std::vector<int> trophies;
  bool lost = false;
  // A comic (mode:comic:N) starts from this moment, in ms, as if its file said so.
  std::optional<uint32_t> comicAt;
};

// Whether an item word names a whole screen ("mode:", "result:", "speech:").
bool IsScreenItem(std::string_view word);
// Runs the screen of the word; the process exit code (1 when the screen cannot be shown).
int RunScreenItem(std::string_view word, const ScreenOptions& options);
