#pragma once
#include <array>
#include <string_view>
#include <vector>

class ControlList;
class GUIButton;
class GUIControl;
class GUIProgressBar;
struct BonusInfo;

// The bonus meter with its six bonus buttons and their duration bars, and the gold mark on
// the level's time bar. The panel moves its controls; what a bonus does, the effects, sounds
// and achievements go to its Host.
class HudPanels {
 public:
  static constexpr int kBonuses = 6;
  static constexpr int kFirstButtonId = 80;
  static constexpr float kBarFadeMs = 500;
  static constexpr float kButtonGap = 4;  // between neighbouring bonus buttons
  static constexpr int kTwoBarsTrophy = 15, kRestartedBarTrophy = 17;

  class Host {
   public:
    virtual ~Host() = default;
    // The controller starts bonus i (restoring: silently, from a saved level) / ends it.
    virtual void StartBonus(int i, bool restoring) = 0;
    virtual void EndBonus(int i) = 0;
    virtual void PanelEffect(std::string_view name, float x, float y) = 0;
    virtual void PanelSound(std::string_view name) = 0;
    virtual void PanelAchievement(int n) = 0;
    virtual bool HasAchievement(int n) const = 0;
  };

  struct ButtonLook {
    bool wide = true;  // the vertical meter of the wide aspect modes
    float w = 64, h = 64;
    float iconW = 0, iconH = 0;  // 0: the icon's own size
    float barW = 64, barH = 12;
  };

  // Makes the six buttons (ids 80..85, hidden and disabled) and their bars in controls.
  void Build(ControlList& controls, const std::array<const BonusInfo*, kBonuses>& bonuses,
             const ButtonLook& look, struct Sprite* button, struct Sprite* bar,
             const std::array<struct Sprite*, kBonuses>& icons);
  // Lays the buttons along the meter for a level: ordinary levels only, costs in seconds of a
  // meter of meterSeconds. Hides the meter's rail (72) and bar unless a button shows. Buttons
  // whose costs lie too close to show side by side are moved apart along the meter, within
  // the screen of the half sizes given.
  void Layout(bool ordinary, const std::array<int, kBonuses>& costs, int meterSeconds,
              GUIProgressBar* meter, GUIControl* rail, float halfWidth, float halfHeight);
  // Centres along a line, wished for in ascending order, moved so that neighbours are at
  // least gap apart, each as near its wish as the others let it be (the least squared
  // movement), the whole row within [low, high] (from low on when it is longer).
  static std::vector<float> Spread(const std::vector<float>& wishes, float gap, float low,
                                   float high);
  // The meter fills from 0 to meterSeconds × 1000 ms, from restoredMs on (clamped).
  void StartMeter(int restoredMs);
  // The meter gains ms (the frame, or command 71's quarter) and the buttons follow it.
  void AdvanceMeter(float ms, Host& host);
  void RefreshButtons(Host& host);
  // Bonus i bought: command 80 + i.
  void Activate(int i, Host& host);
  // The running bars drain by the frame time.
  void StepBars(float frameTime, Host& host);
  // A saved bar: cur of max ms spent; starts the bonus silently.
  void RestoreBar(int i, int cur, int max, Host& host);
  void Clear();

  int MeterMs() const;
  int MeterSeconds() const { return meterSeconds_; }
  bool Running(int i) const { return i >= 0 && i < kBonuses && running_[size_t(i)]; }
  // Spent and total ms of a running bar.
  int BarSpent(int i) const;
  int BarTotal(int i) const;
  GUIButton* Button(int i) const { return i >= 0 && i < kBonuses ? buttons_[size_t(i)] : nullptr; }
  GUIProgressBar* Bar(int i) const { return i >= 0 && i < kBonuses ? bars_[size_t(i)] : nullptr; }
  bool Enabled(int i) const { return i >= 0 && i < kBonuses && enabled_[size_t(i)]; }
  void Forget(const GUIControl& control);

  // The counter bars of the special levels: A (goals) and B (hits) drain from their counters
  // in seconds; a lowered target drains its bar at three times real time.
  void StartCounters(GUIProgressBar* a, GUIProgressBar* b, int counterA, int counterB);
  // One frame; c is the overlay's bar C with its target in ms (none: null).
  void StepCounters(float frameTime, GUIProgressBar* c, float targetC);
  // A goal of the mode done; countAfter is the goal count left.
  void GoalDone(int countAfter);
  // A hit: true when the hits have run out.
  bool Hit();
  int TargetA() const { return targetA_; }
  int TargetB() const { return targetB_; }

  // The gold mark: where it sits on the time bar (fraction f of the bar's height from the
  // bottom) and its disappearance once the gold time has passed.
  static float GoldFraction(int goldSeconds, int silverSeconds);
  void SetupGoldMark(GUIControl* mark, const GUIProgressBar* timeBar, int goldSeconds,
                     int silverSeconds, int elapsedMs, float offsetX, float offsetY);
  // True at the frame the mark goes ("golden_time", "thief_out" through the host).
  bool StepGoldMark(int elapsedMs, Host& host);

 private:
  std::array<GUIButton*, kBonuses> buttons_{};
  std::array<GUIProgressBar*, kBonuses> bars_{};
  std::array<bool, kBonuses> running_{}, enabled_{}, fading_{};
  std::array<int, kBonuses> costs_{}, durations_{};
  GUIProgressBar* meter_ = nullptr;
  float meterMs_ = 0;
  int meterSeconds_ = 0;
  GUIControl* goldMark_ = nullptr;
  std::array<GUIProgressBar*, 2> counters_{};
  int targetA_ = 0, targetB_ = 0;
  int goldMs_ = 0;
};
