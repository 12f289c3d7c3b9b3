#pragma once
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/Mode.h"

struct Sprite;
struct Texture;

// The first screen. It shows the window at once, lets the Application load the content on its
// second update while the first picture is already up, shows the splash pictures one after the
// other with fades, then runs the loading screen (the controls of the layout "splash_gui",
// whose control 10 runs across the screen, and a scrolling pattern band above and below)
// while a worker thread decodes every sound effect and the textures of "precache.txt", one
// entry per frame, and the menu music starts. When everything is loaded it hands over to the
// next screen.
class ModeSplash : public Mode {
 public:
  ~ModeSplash() override;

  void Enter() override;
  void Update() override;
  void Draw() override;
  void OnFadeDone(Fade kind) override;
  void Leave() override;

  // The runner of the loading screen's layout "splash_gui", moved across the screen.
  static constexpr int kRunnerId = 10;

  // The screen that follows the loading (the main menu); none keeps the loading screen up.
  Mode* next = nullptr;

  std::vector<Texture*> splashes;
  int current = 0;
  float timer = 0;  // milliseconds the current picture has been shown; the loading clock
  int updates = 0;
  bool loadingShown = false;
  bool loadingBuilt = false;
  bool precaching = false;
  bool precacheDone = false;
  std::vector<std::string> precacheList;
  size_t precacheIndex = 0;
  Sprite* patternSprite = nullptr;
  float patternW = 0, patternH = 0;
  float patternY = 256;
  float patternScroll = 0;

 private:
  void BuildLoadingScreen();
  void StartPrecache();
  void StepPrecache();
  void DrawPatternBands();
  void MoveRunner();
  void StopWorker();
  bool LastPictureShown() const { return current + 1 >= int(splashes.size()); }

  std::thread worker_;
  bool workerRunning_ = false;
  std::atomic<bool> workerDone_{false};
  bool workerWasSound_ = false;
};

ModeSplash& TheModeSplash();
