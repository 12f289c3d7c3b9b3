#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/Mode.h"
#include "data/ComicDescription.h"
#include "sound/SoundSystem.h"

struct Texture;

// A comic: one page of layered pictures that move, scale and fade on a time line, with voice
// lines, subtitles and screen shakes, read from "com_N_desc". The screen that starts it names
// the comic and what follows (ShowComic); the comic goes on there at its "finish" event, or
// when the player skips it (Escape or the skip button).
//
// Lists: `controls` holds the layout "comics" (the page behind everything, its control 10
// marks the page's top left corner), `pictures` the comic's layers, `overlay` the layout
// "comics_ovr" (title and subtitles in control 3, skip button 2). Only `overlay` takes input.
class ModeComics : public Mode {
 public:
  static constexpr int kSkip = 2;
  static constexpr int kCaption = 3;
  static constexpr int kPageCorner = 10;

  ModeComics();

  void Enter() override;
  void Leave() override;
  void Update() override;
  void Draw() override;
  void OnFadeDone(Fade kind) override;
  bool OnActivate(bool wasActive) override;
  int OnCommand(int id) override;
  int OnInput(InputEvent event) override;
  GUIControl* FindControl(int id) override;
  // Takes the comic's number and what follows it (the map when the request names nothing).
  void Accept(const ModeRequest& request) override;

  // Where the comic goes on to.
  const ModeRequest& next() const { return nextMode; }
  // The layer picture of a texture name (none: no such layer).
  GUIControl* Layer(const std::string& tex) const;
  // The shake offset the pictures are drawn with.
  float ShakeX() const { return shakeX; }
  float ShakeY() const { return shakeY; }

  int comicNumber = 1;
  ModeRequest nextMode = ShowScreen(ModeId::Map);
  ControlList pictures;
  ControlList overlay;
  std::map<std::string, GUIControl*> layers;
  std::map<std::string, std::vector<std::string>> tags;
  std::vector<ComicEvent> events;
  double clock = 0.0;      // ms since the comic started
  double startTime = 0.0;  // ms the first running frame reaches
  float shakeTime = 0.0f;  // s
  float shakeStrength = 0.0f;
  float shakeX = 0.0f, shakeY = 0.0f;
  int textCount = 0;
  int voiceCount = 0;
  SoundSystem::Handle voice = SoundSystem::kNoSound;
  std::string voiceName;  // the loaded voice line's sound name (empty: none)
  // Set by `--at` of the viewer: the comic starts from that time instead of the file's.
  double startOverride = -1.0;

 private:
  // One step of the time line by dt ms: the clock, the shake, then the events due.
  void Step(double dt);
  // Steps that would fire nothing and stay below startTime are taken together: the pictures'
  // animations depend only on the time they have run, so one update by the sum shows the
  // same as many small ones. This keeps a far `start` from costing a step per frame time.
  double SilentSteps(double dt) const;
  // The time of the first event at or after the clock (infinity: none).
  double NextEventTime() const;
  void UpdateShakeOffset();
  void Fire(const ComicEvent& event);
  void ShowSubtitle();
  void PlayVoice();
  void StopVoice();
  void Skip();
  void GoOn();
  void ClearComic();

  std::vector<Texture*> loadedTextures_;
  // (time, index in events), sorted: where the events due in a step are found.
  std::vector<std::pair<double, size_t>> timeline_;
  std::vector<size_t> due_;
};

ModeComics& TheModeComics();
