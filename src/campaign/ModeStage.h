#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Mode.h"
#include "level/Vec2.h"

class GameController;
class GUIHint;
class OwnLevelsDlg;
class Level;
class LevelDrawer;
class LevelEffects;
class LevelScreen;
struct Progress;
struct WorldObject;

// The episode map: the map level (episode 0, level 0) drawn sideways-scrolled, with a marker
// for every level, comic, achievement, puzzle and wonder of the campaign. It shows what the
// player has reached, explains a marker in a tooltip, selects a marker on the first click
// and starts it on the second.
//
// The map owns its level and the level's controller; the level animates with the shared
// tick. Markers are the level's objects of class 1. Everything the map knows about a marker
// lives in its Marker entry, nowhere else:
//  - its two parameters are the object's respawn pair (first = respawnMin, second =
//    respawnMax); an achievement marker whose trophy is not earned gets second = -1;
//  - `open` says whether the player's progress opens it (locked markers are drawn at alpha
//    127); with the "unlock" cheat level, comic and puzzle markers are clickable while locked
//    (Clickable);
//  - `built` tells a wonder's built state from its empty one (both may show picture 01);
//  - `picture` is the picture its state gave it;
//  - the selection is the index `selected`: the selected marker "plays the level_select
//    animation" as a pin of that animation standing on it, an object the map adds to its
//    level (id kPinId), moved to the next selection.
class ModeStage : public Mode {
 public:
  enum class MarkerKind : int { Level = 0, Comic = 1, Achievement = 2, Puzzle = 3, Wonder = 4 };
  struct Marker {
    int objectId = 0;
    MarkerKind kind = MarkerKind::Level;
    int first = 0;
    int second = 0;
    bool open = false;
    bool built = false;
    std::string picture;
  };
  static constexpr float kDragStart = 10;      // units the pointer moves before a drag starts
  static constexpr float kGlide = 0.9125f;     // the glide's decay per frame
  static constexpr float kBounce = -0.25f;     // the glide's turn at a limit
  static constexpr float kButtonSpeed = 0.5f;  // units per ms with a scroll button held
  static constexpr int kPinId = 65535;         // the selection pin's object id

  ModeStage();
  ~ModeStage() override;

  void Enter() override;
  void Leave() override;
  void Update() override;
  void Draw() override;
  void Release() override;
  void OnFadeDone(Fade kind) override;
  int OnCommand(int id) override;
  int OnInput(InputEvent event) override;

  // The level the map offers next, episode and level from 1: the one after the last played
  // when that is finished and the following one is not; else the last played one.
  static void NextLevel(const Progress& progress, int& episode, int& level);
  // Whether the level's marker may be opened by the progress (levels 1..11 of episodes 1..5).
  static bool LevelOpens(const Progress& progress, int episode, int level);
  // A wonder picture's name for j three-star levels (j as two digits in place of the last
  // two characters; appended to a shorter name).
  static std::string WonderPicture(const std::string& name, int j);

  // The marker entries, in the level's object order.
  const std::vector<Marker>& Markers() const { return markers_; }
  const Marker* FindMarker(int objectId) const;
  // Whether a click selects (and a second one activates) the marker.
  bool Clickable(const Marker& marker) const;
  // The level marker of (episode, level), or none.
  const Marker* LevelMarker(int episode, int level) const;
  WorldObject* ObjectOf(const Marker& marker) const;
  // Where the level's marker shows on the screen (its centre, scroll included): none when
  // the map has no such marker, it is hidden or its centre is off the screen.
  std::optional<Vec2> LevelMarkerPoint(int episode, int level) const;
  // The tooltip text of a marker (markup included).
  std::u16string TooltipText(const Marker& marker) const;
  // Scrolls by dx (the step is remembered as the velocity), kept within the limits.
  void ScrollBy(float dx);
  // The scroll range: [lower, upper].
  float ScrollLower() const;
  float ScrollUpper() const;
  Level* MapLevel() { return level_.get(); }
  bool HasMapLevel() const { return level_ != nullptr; }
  int Hovered() const { return hovered; }
  int Selected() const { return selected; }

  ControlList dialogs;
  float scrollX = 0;
  float minX = 0, maxX = 0;
  float velocity = 0;
  int scrollDir = 0;
  bool pressed = false, dragging = false;
  float pressX = 0, pressY = 0;
  int hovered = -1;   // index into the markers, -1 none
  int selected = -1;  // index into the markers, -1 none
  float mapTime = 0;
  bool unlockAll = false;
  GUIHint* tooltip = nullptr;
  GUIControl* banner = nullptr;
  bool bannerAsked = false;
  // The list of own levels while it is open (found among the map's controls, which own it).
  OwnLevelsDlg* OwnLevels() const;

 private:
  void BuildControls();
  void LoadMap();
  void ClearMap();
  void ApplyProgress(const Progress& progress);
  void MarkLevel(Marker& m, WorldObject& o, const Progress& progress, int nextE, int nextL);
  void MarkWonder(Marker& m, WorldObject& o, const Progress& progress);
  // Scrolls the map so that this map x lies at the centre of the screen.
  void CentreOn(float mapX);
  int MarkerAt(float x, float y) const;
  void SetHovered(int index);
  void ShowMarkerTooltip();
  void ShowControlTooltip();
  void Select(int index);
  // Keys on the map: the selection moves to the clickable marker before (direction < 0) or
  // after the selected one along the road, and the map scrolls it into view.
  bool StepSelection(int direction);
  void Activate(int index);
  void EndPress();
  void TypeCheat(int value);
  void PlayClick();
  void ShowSelected();
  void OnceOnlyMessages();
  void ShowOkDialog(std::string_view key);
  // The player's own levels: the list opened, and its answer taken (a level played).
  void ShowOwnLevels();
  void TakeOwnLevelsAnswer();
  void Glide();
  void AdvanceMap(float frameTime);

  std::unique_ptr<LevelScreen> screen_;
  std::unique_ptr<LevelEffects> effects_;
  std::unique_ptr<Level> level_;
  std::unique_ptr<GameController> game_;
  std::unique_ptr<LevelDrawer> drawer_;
  std::vector<Marker> markers_;
  std::u16string typed_;
  int controlTip_ = 0;            // the control whose tooltip shows
  std::optional<float> centreX_;  // the map x of the current level, while markers are made
};

ModeStage& TheModeStage();
