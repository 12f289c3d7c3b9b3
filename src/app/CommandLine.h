#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graphics/Renderer.h"

// What the command line asks for. The game's switches are compared exactly and
// case-sensitively, in any order, later ones winning; unknown words are ignored. The options
// for headless runs (--frames, --fixed-step, --screenshot) take the next word as their value.
struct CommandLine {
  std::optional<bool> fullscreen;        // "/fs" true, "/wn" false
  std::optional<AspectMode> aspectMode;  // "/4x3", "/3x2", "/15x9", "/16x9", "/16x10"
  bool standardDefinition = false;       // "/sd"
  bool log = false;                      // "--log": the content log for authors and testers

  std::optional<uint32_t> frames;     // exit with code 0 after this many frames
  std::optional<uint32_t> fixedStep;  // every frame measures this many milliseconds
  std::string screenshot;             // PNG written after the last frame

  std::vector<std::string> errors;  // malformed option values
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
