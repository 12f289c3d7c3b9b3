#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "level/Vec2.h"

class ControlList;
class GameController;
class GUIControl;
class GUIHint;
class GUIProgressBar;
class ValueTable;
struct WorldObject;

// The short-lived items the level screen floats over the world (work timers, income labels,
// score popups, command marks), the flashes of the resource counters, the arrow over an
// object, the object information window and the free-worker icons.
//
// The floating items, the arrow and the icons live in the screen's world list; the labels,
// flashes and the information window belong to the HUD and are only referenced here. Every
// reference to a control this class removes is dropped at once, so none is left pointing at a
// deleted control. Positions are screen positions of world points (virtual units, origin at
// the centre, y up).
class HudItems {
 public:
  // What the screen built that the items use; any of them may be missing (null).
  struct Parts {
    ControlList* world = nullptr;                  // the world list: floating items live here
    GUIHint* objectHint = nullptr;                 // the information window (in the HUD list)
    GUIControl* scoreLabel = nullptr;              // score popups fly onto its rectangle
    std::array<GUIControl*, 3> resourceLabels{};   // ids 40..42
    std::array<GUIControl*, 3> shortageFlashes{};  // ids 110..112
    std::array<GUIControl*, 3> lostLabels{};       // ids 43..45: resources lost to the limit
    std::array<GUIControl*, 3> lostTags{};         // ids 113..115: the tags behind them
  };
  static constexpr int kQueueNumbers = 3;  // the command queue's length

  // Creates the eight free-worker icons and the object arrow in parts.world (once). A second
  // call drops every reference of the first (their controls stay in the list given then)
  // and builds anew. values may be null: every size then takes its default.
  void Build(const Parts& parts, const ValueTable* values);

  void ShowIncome(std::u16string_view text, Vec2 at);
  // A work timer of totalMs over an object (id 10000 + objectId), elapsedMs already run
  // (a restored save); it replaces a bar the object had. The total is held within 0..2e9 ms
  // and the elapsed time within the total. Returns the bar, null without a world list.
  // Readable text: the object hint's text at `scale` times its size (1 to 2).
  void SetTextScale(float scale);
  GUIProgressBar* AddWorkTimer(int objectId, float totalMs, Vec2 at, float elapsedMs = 0);
  // The time left on an object's work timer in ms, 0 when it has none.
  int WorkTimerRemaining(int objectId) const;
  // Fades the bar out over 1.275 s; it goes when the fade ends (or the bar is full).
  void FadeWorkTimer(int objectId);
  void ShowCommandMark(bool accepted, int objectId, Vec2 at);
  void FadeCommandMark(int objectId);
  void AddScorePopup(int points, Vec2 at);
  void FlashResource(int index, bool spent);
  void FlashShortage(int index);
  // The arrow over an object, bobbing for 2 s and then fading out (none: fades it out).
  void PointAtObject(const WorldObject* object);
  // The information text next to an object's rectangle (x0, y0, x1, y1), placed from the
  // rectangle's centre; empty text (or a rectangle that is no number) hides it
  // (GUIHint::Hide: its time left becomes 0). zoom is the camera's drawing scale (z + 1).
  void ShowObjectInfo(std::u16string_view text, const std::array<float, 4>& rect, float zoom);
  // Rebuilds the free-worker icons over the buildings with idle workers. levelMode and
  // allowed say whether they show at all; wide is false in the 4:3 aspect mode;
  // screenHalfHeight is the virtual screen's.
  void RefreshFreeWorkers(const GameController& game, int levelMode, bool allowed, bool wide,
                          float screenHalfHeight);
  // Starts or stops the pulse of the visible free-worker icons (the start prompt).
  void PulseFreeWorkers(bool on);

  // The queued commands' places in the queue: number k + 1 over the marker whose top centre
  // is markerTops[k]; the numbers beyond the list are hidden.
  void ShowQueueNumbers(const std::vector<Vec2>& markerTops);
  // The resources lost to the storage limit, each under its stock from its first loss on
  // ("-N"); a loss that grows flashes. shown false hides them all.
  void ShowLostResources(const std::array<int, 3>& lost, bool shown);

  // The per-frame step of the items while the level runs: work timers advance by
  // frameTime x speed and the finished ones go; income labels and command marks whose
  // animations ended go; score popups that arrived go. Returns the points that arrived.
  int Advance(float frameTime, float speed);

  // Empties the four item lists (their controls removed from the world list) and hides the
  // free-worker icons and the arrow.
  void Clear();

  // The work timers of a level save: for every timer not finished
  // "<obstacle id=\"%i\" cur=\"%i\" max=\"%i\"/>\n".
  void WriteWorkTimers(std::string& text) const;

  // Drops every reference to a control that is about to be deleted. The screen's deletion
  // listeners of its lists call it; Build installs no listener of its own.
  void Forget(const GUIControl& control);

  // Where icon k of n over a building at (x, y) is centred: side by side, each
  // iconWidth × 2 / n apart, above the building, whose y counts at most up to topLimit.
  static Vec2 FreeWorkerIconCentre(Vec2 building, int k, int n, float iconWidth, float iconHeight,
                                   float faceY, float topLimit);

  size_t WorkTimerCount() const { return workTimers_.size(); }
  size_t IncomeLabelCount() const { return incomeLabels_.size(); }
  size_t ScorePopupCount() const { return scorePopups_.size(); }
  size_t CommandMarkCount() const { return commandMarks_.size(); }
  GUIControl* ObjectArrow() const { return objectArrow_; }
  const std::array<GUIControl*, 8>& FreeWorkerIcons() const { return freeWorkerIcons_; }
  const std::array<GUIControl*, kQueueNumbers>& QueueNumbers() const { return queueNumbers_; }
  // The work timer of an object, or null.
  GUIProgressBar* WorkTimer(int objectId) const;
  // The command marks of an object id (in the order they were made).
  std::vector<GUIControl*> CommandMarks(int objectId) const;

 private:
  struct TimerItem {
    GUIProgressBar* bar = nullptr;
    int objectId = 0;
    bool fading = false;
  };
  struct MarkItem {
    GUIControl* mark = nullptr;
    int objectId = 0;
    bool fading = false;
  };
  struct PopupItem {
    GUIControl* text = nullptr;
    int points = 0;
  };

  float Value(std::string_view key, float fallback) const;
  // Takes a control into the world list; null without one.
  GUIControl* AddToWorld(std::unique_ptr<GUIControl> control);
  // Takes a control out of the world list (its reference already dropped by the caller).
  void RemoveFromWorld(GUIControl* control);
  void RemoveCommandMarks(int objectId);
  // The building whose icons show a worker as idle, or null.
  static const WorldObject* HomeBuilding(const GameController& game, const WorldObject& worker);

  Parts parts_;
  const ValueTable* values_ = nullptr;
  GUIControl* objectArrow_ = nullptr;
  std::array<GUIControl*, 8> freeWorkerIcons_{};
  std::array<GUIControl*, kQueueNumbers> queueNumbers_{};
  std::array<GUIControl*, kQueueNumbers> queueBadges_{};  // the discs behind the numbers
  std::array<int, 3> shownLost_{};                        // the losses the labels show
  std::array<uint32_t, 3> resourceColours_{};  // the labels' own colours, where flashes end
  std::vector<TimerItem> workTimers_;
  std::vector<GUIControl*> incomeLabels_;
  std::vector<PopupItem> scorePopups_;
  std::vector<MarkItem> commandMarks_;
  float textScale_ = 1.0f;
  float hintFont_ = 0.0f;  // the object hint's text size at scale 1
};
