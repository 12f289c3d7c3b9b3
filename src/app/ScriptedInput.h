#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/GuiContext.h"

class Application;
class ControlList;
class Mode;

// One line of an input script: at a frame (counted from 0, run before that frame), one action.
// The frame is a whole number, or "+N": N frames after the line above was done. "~P" after it
// gives the action P more frames of patience: a control, marker, level or screen that is not
// there yet is tried again every frame until it is, or the patience is spent. Input waits
// while the screens change (the Application drops it then), and a dialog that is still
// fading in or unfolding offers no controls.
//   move X,Y             the pointer moves to X,Y (virtual units, origin at the centre, y up)
//   click X,Y            the pointer moves there, presses and releases the left button
//   click control:ID     a click at the centre of the topmost visible control with that id
//   click marker:E:L     a click on the map's marker of level L of episode E
//   drag X,Y X2,Y2       the left button pressed at X,Y, the pointer moved to X2,Y2 in
//                        steps, the button released there
//   key NAME             a key pressed and released, with the control character it types
//                        (Enter, backspace, tab, Escape) between, as a keyboard sends it
//   text STRING          the rest of the line typed, character by character
//   bot                  the bot plays the level being played until the screen changes
//   keys NAME NAME …     a keyboard player: the keys pressed in turn, one every kKeysEvery
//                        frames, for as long as the screen it started on stays (it plays
//                        beside the lines that follow, as the bot does)
//   expect mode:NAME     the run fails unless NAME is the current screen
struct ScriptAction {
  enum class Kind {
    Move, Click, ClickControl, ClickMarker, Drag, Key, Keys, Text, Bot, ExpectMode
  };
  uint32_t frame = 0;  // the frame, or with `relative` the frames after the line above
  bool relative = false;
  uint32_t patience = 0;  // frames the action may wait for what it needs
  int line = 0;           // in the script file, from 1
  Kind kind = Kind::Move;
  float x = 0, y = 0;
  float x2 = 0, y2 = 0;  // where a drag ends
  int id = 0;           // the control of ClickControl; the episode of ClickMarker
  int level = 0;        // the level of ClickMarker
  int key = 0;          // a game key code
  std::vector<int> keys;  // what Keys presses in turn
  std::u16string text;  // what Text types
  std::string mode;     // what ExpectMode expects
};

// A parsed script, or the first fault found in it ("line N: ...").
struct Script {
  std::vector<ScriptAction> actions;
  std::string error;
};

// Parses a script's text. A line is a frame and an action separated by spaces. Whole-number
// frames never go back. Blank lines and lines starting with "#" are skipped.
Script ParseScript(std::string_view text);
// Reads and parses a script file (at most 1 MiB); an unreadable file is an error too.
Script LoadScript(const std::string& path);

// The screen's campaign position: episode and level from 1.
struct CampaignPosition {
  int episode = 0;
  int level = 0;
};

// What scripts and the trace need of the game beyond the Application: the screens' names,
// their control lists and the map's markers, the bot and the pointer.
class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  // The name of a screen as the code calls it ("ModeStage"); "none" for no screen.
  virtual std::string ModeName(const Mode* mode) const = 0;
  virtual CampaignPosition Position() const = 0;
  // The lists of controls a screen draws, the one drawn last (on top) last.
  virtual std::vector<const ControlList*> ControlLists(const Mode& mode) const = 0;
  // The point of the map's level marker on the screen, when the map shows it.
  virtual std::optional<GuiPoint> LevelMarkerPoint(int episode, int level) = 0;
  // Starts or stops the bot; starting fails when no level is being played.
  virtual bool SetBotPlaying(bool on) = 0;
  // Where the pointer is for the pointer events that follow.
  virtual void PlacePointer(float x, float y) = 0;
};

// Plays a script into the Application as real input, frame by frame.
class ScriptedInput {
 public:
  ScriptedInput(Application& app, ScriptHost& host, std::vector<ScriptAction> actions)
      : app_(app), host_(host), actions_(std::move(actions)) {}

  // Runs the actions due by this frame in order. False when one of them fails: an
  // expectation not met, or a control, marker or level that is not there, with no patience
  // left (the reason in Failure()).
  bool RunFrame(uint32_t frame);
  const std::string& Failure() const { return failure_; }
  // Whether every action has run.
  bool Done() const { return next_ >= actions_.size(); }

  static constexpr uint32_t kKeysEvery = 4;

 private:
  bool Run(const ScriptAction& action);
  void Click(float x, float y);
  void Drag(const ScriptAction& action);
  void PressKey(int key);
  // The keyboard player's next key, on its frames, while its screen stays.
  void PlayKeys(uint32_t frame);
  bool Fail(const ScriptAction& action, const std::string& why);

  Application& app_;
  ScriptHost& host_;
  std::vector<ScriptAction> actions_;
  size_t next_ = 0;
  uint32_t lastDone_ = 0;  // the frame the last action was done at
  std::string failure_;
  const Mode* botMode_ = nullptr;  // the screen the bot plays on, while it plays
  const Mode* keysMode_ = nullptr;  // the screen the keyboard player plays on
  std::vector<int> keys_;
  size_t nextKey_ = 0;
};

// The centre of the topmost visible control with that id in the screen's lists, dialogs'
// children included; none when a shown dialog covers it.
std::optional<GuiPoint> VisibleControlCentre(const std::vector<const ControlList*>& lists, int id);

// Writes a line per screen switch: "mode NAME E:L", and "quit" when the program ends.
class ModeTrace {
 public:
  explicit ModeTrace(const ScriptHost& host) : host_(host) {}
  // The line for the current screen when it is another than at the last call (empty: none).
  std::string Observe(const Application& app);
  std::string Quit() const { return "quit"; }

 private:
  const ScriptHost& host_;
  const Mode* last_ = nullptr;
  bool first_ = true;
};
