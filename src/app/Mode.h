#pragma once
#include <string>

#include "app/InputEvent.h"

class Application;

// The fade through black between screens: none, fading in (from black) or out (to black).
enum class Fade : int { None = 0, In = 1, Out = 2 };
class GUIControl;

// A screen of the game. Each concrete mode is one static instance that lives for the whole
// run; the Application makes one of them current at a time and switches with a fade.
class Mode {
 public:
  Mode() = default;
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
  // The transient centred message (cheat toggle). Shown once the control list exists.
  virtual void ShowInfoMessage(const std::u16string& text);

  bool loaded = false;
  Mode* requested = nullptr;
};
