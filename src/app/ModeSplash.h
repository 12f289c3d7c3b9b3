#pragma once
#include "app/Mode.h"

// The first screen: it shows the window, lets the Application load the content on its second
// update while the screen is already up, and covers the start-up with the splash pictures.
class ModeSplash : public Mode {
 public:
  void Enter() override;
  void Update() override;
  void Draw() override;

  float timer = 0;  // milliseconds the current picture has been shown
  int updates = 0;  // Update calls since Enter
};

ModeSplash& TheModeSplash();
