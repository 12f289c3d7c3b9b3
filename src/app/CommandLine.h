#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

  // The game options: which level to play and how, and input scripted for headless runs.
  struct LevelChoice {
    int episode = 1;
    int level = 1;
  };
  std::optional<LevelChoice> level;  // "--level E:L": play that level, skipping the menu
  std::optional<int> difficulty;     // "--difficulty 0-2"
  bool continueSaved = false;        // "--continue": the saved level
  std::optional<uint32_t> seed;      // "--seed N"
  bool bot = false;                  // "--bot": the bot plays through the screen's input
  bool stayLoading = false;          // "--stay-loading": the loading screen stays up (tests)
  // An input event at a frame: a click at a point (virtual units), a key (a game key code or
  // "escape", "enter", "space") or typed text.
  struct Scripted {
    enum class Kind { Click, Key, Text };
    uint32_t frame = 0;
    Kind kind = Kind::Click;
    float x = 0, y = 0;
    int key = 0;
    std::u16string text;
  };
  std::vector<Scripted> script;  // "--click F:X,Y", "--key F:KEY", "--type F:TEXT", in order
  std::string scriptFile;        // "--script FILE": input played from a script file
  // "--edit FILE" or "--edit E:L": the level editor on a level file or a shipped level;
  // "--edit-new LAND": on a new level with a land's ground (an episode number or a picture).
  bool edit = false;
  std::string editFile;
  std::optional<LevelChoice> editLevel;
  std::string editNew;
  bool trace = false;            // "--trace": a line per screen switch on the standard output

  std::vector<std::string> errors;  // malformed option values
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

// A game key by name ("escape", "enter", "space", "tab", "backspace", "delete", "left",
// "right", "up", "down") or by its code; kGameKeyNone for anything else.
int GameKeyByName(std::string_view name);
