#pragma once
#include <functional>

#include "app/ScriptedInput.h"

// The game's answers to scripts and the trace: its screens by name, the lists of controls
// each draws, the map's level markers, the level screen's bot, and the pointer the window
// reports for scripted events.
class GameScriptHost final : public ScriptHost {
 public:
  explicit GameScriptHost(std::function<void(float, float)> placePointer)
      : placePointer_(std::move(placePointer)) {}

  std::string ModeName(const Mode* mode) const override;
  CampaignPosition Position() const override;
  std::vector<const ControlList*> ControlLists(const Mode& mode) const override;
  std::optional<GuiPoint> LevelMarkerPoint(int episode, int level) override;
  bool SetBotPlaying(bool on) override;
  void PlacePointer(float x, float y) override { placePointer_(x, y); }

 private:
  std::function<void(float, float)> placePointer_;
};
