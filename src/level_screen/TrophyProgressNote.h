#pragma once
#include <array>
#include <string>

class ControlList;
class GUIControl;
class GUIPic;
class GUIProgressBar;
class GUIText;
class GUITilePic;
struct Sprite;

// The note the level screen shows when the player comes nearer to a counted trophy without
// earning it yet: the trophy's picture, its name, and a bar with the share reached and that
// share in percent. It sits in the lower left corner, stays for a few seconds and fades out;
// a newer report replaces the one shown.
class TrophyProgressNote {
 public:
  static constexpr float kWidth = 340, kHeight = 92, kMargin = 12;
  // Fully shown for three quarters of this time, then fading.
  static constexpr float kShowSeconds = 4;

  // Makes the note's controls, hidden, at the end of list (drawn over what is in it) in the
  // corner of a virtual screen of the half sizes given. A second call drops the references
  // of the first and builds anew.
  void Build(ControlList& list, float halfWidth, float halfHeight);

  // Shows trophy `trophy` at `fraction` (held within 0..1) with its name and picture.
  void Show(int trophy, float fraction, const std::u16string& name, Sprite* picture);
  void Hide();

  // Whether the note is up, and what it shows (trophy -1: nothing yet).
  bool Shown() const;
  int Trophy() const { return trophy_; }
  float Fraction() const { return fraction_; }
  const GUIText* Name() const { return name_; }
  const GUIText* Percent() const { return percent_; }
  const GUIProgressBar* Bar() const { return bar_; }

  // Drops the reference to a control its list deletes.
  void Forget(const GUIControl& control);

 private:
  std::array<GUIControl*, 5> Parts() const;

  GUITilePic* back_ = nullptr;
  GUIPic* icon_ = nullptr;
  GUIText* name_ = nullptr;
  GUIProgressBar* bar_ = nullptr;
  GUIText* percent_ = nullptr;
  int trophy_ = -1;
  float fraction_ = 0;
};
