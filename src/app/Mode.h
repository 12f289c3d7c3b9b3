#pragma once
#include <memory>
#include <string>

#include "app/ModeRequest.h"
#include "base/InputEvent.h"
#include "gui/ControlList.h"

class Application;

// The fade through black between screens: none, fading in (from black) or out (to black).
enum class Fade : int { None = 0, In = 1, Out = 2 };

// A screen of the game. Each concrete mode is one static instance that lives for the whole
// run; the Application makes one of them current at a time and switches with a fade.
//
// A mode owns its controls. The base operations work on them, so every screen inherits:
// Update advances them by the frame time, Draw draws the visible ones, OnInput routes the
// event to them and returns the id of the control that produced a command (the concrete
// mode hands a non-zero id to OnCommand), Enter resets their transient state, Release
// deletes them.
class Mode {
 public:
  Mode();
  virtual ~Mode();
  Mode(const Mode&) = delete;
  Mode& operator=(const Mode&) = delete;

  // Slot order of the screen contract.
  virtual bool Load();
  virtual void Update();
  virtual void Draw();
  virtual void Release();
  virtual void OnFadeDone(Fade kind);
  virtual void Enter();
  virtual void Leave();
  virtual bool OnActivate(bool wasActive);
  virtual void Prepare();
  virtual int OnCommand(int id);
  virtual int OnInput(InputEvent event);
  virtual GUIControl* FindControl(int id);

  // Starts the fade-out towards `target` (none for "no switch"); the switch happens when the
  // fade-out has finished and the mode answers OnFadeDone(2).
  void RequestMode(Mode* target);
  // The same for the screen a request names, which reads the request first.
  void RequestMode(const ModeRequest& request);
  // Reads what a switch to this screen tells it (the level to play, where to go back to).
  virtual void Accept(const ModeRequest& request);
  // Puts an owned control into `controls`: at the end (drawn last, on top) or at the front.
  GUIControl* AddControl(std::unique_ptr<GUIControl> control, bool atFront = false);
  // The transient centred message (cheat toggle): a text at the bottom of the screen that
  // grows for 1.2 s and disappears. Needs the text control type (none is made without it).
  virtual void ShowInfoMessage(const std::u16string& text);

  bool loaded = false;
  Mode* requested = nullptr;
  ControlList controls;
  // The message text of ShowInfoMessage, or none. Dropped whenever `controls` deletes it.
  GUIControl* infoText = nullptr;
};
