#pragma once
#include <array>
#include <string>
#include <string_view>

#include "graphics/Vertex.h"
#include "gui/GuiContext.h"

class GUIControl;

// How the duration field of a changer is read, with the numbers content uses: 1 is a
// duration in seconds; every other value makes it a speed the duration is derived from.
enum class ChangerTiming : int { Speed = 0, Duration = 1 };
// The time curve of an interpolating changer: progress t in [0, 1] to eased progress.
// Delayed holds the start value for the first three quarters of the time and then runs
// linearly to the end: 0 for t < 0.75, else (t - 0.75) × 4.
enum class Easing : int { Linear = 0, SquareRoot = 1, Square = 2, Delayed = 3 };
float Ease(Easing easing, float t);

// A small animation attached to one control: it moves a property of the control over time.
// The control steps its changers in GUIControl::Update with the frame time in seconds, and
// deletes a changer once its step reports it finished. Construction sets active, clears
// finish-now and blocking and starts at elapsed 0; callers set blocking as they need and
// attach the changer with GUIControl::AddChanger.
class GUIChanger {
 public:
  virtual ~GUIChanger();
  GUIChanger(const GUIChanger&) = delete;
  GUIChanger& operator=(const GUIChanger&) = delete;

  // Advances by dt seconds and changes control; true when finished.
  virtual bool Step(float dt, GUIControl& control) = 0;
  // The next step applies the end value and finishes (changers that never end ignore it).
  void FinishNow() { finishNow = true; }

  ChangerTiming mode = ChangerTiming::Duration;
  float elapsed = 0.0f;   // seconds since the changer started
  float duration = 0.0f;  // duration or speed; for endless changers their rate or period
  bool active = true;     // an inactive changer does nothing and never finishes
  bool finishNow = false;
  bool blocking = false;  // holds back the changers behind it on its control
  Easing easing = Easing::Linear;

 protected:
  GUIChanger(ChangerTiming timing, float durationOrSpeed, Easing curve)
      : mode(timing), duration(durationOrSpeed), easing(curve) {}
};

// --- Changers that interpolate from one value to another and then end.
//
// Each step: nothing while inactive; elapsed grows by dt; the duration D is the duration
// field in duration mode, or derived from the speed (per class, below); at finish-now or
// once elapsed reaches D the end value is applied and the changer finishes, otherwise the
// value is from + (to - from) × easing(elapsed / D). A speed of 0 or below, and a duration
// that is not a finite number, give D = 0: the changer finishes at its first step.
class InterpolatingChanger : public GUIChanger {
 public:
  bool Step(float dt, GUIControl& control) override;
  // The duration in seconds the next step uses.
  float TotalDuration() const;

 protected:
  using GUIChanger::GUIChanger;
  // The duration a speed gives (called only for a positive speed).
  virtual float DurationAtSpeed(float speed) const = 0;
  // Sets the property at eased progress p; p = 1 exactly is the end value.
  virtual void Apply(GUIControl& control, float p) = 0;
};

// The control's alpha byte; from and to in [0, 1]. Speed: |to - from| / (speed × 10).
class AlphaChanger final : public InterpolatingChanger {
 public:
  AlphaChanger(float from, float to, ChangerTiming timing, float durationOrSpeed,
               Easing curve = Easing::Linear);

 private:
  float DurationAtSpeed(float speed) const override;
  void Apply(GUIControl& control, float p) override;
  float from_, to_;
};

// The control's colour; from and to are red, green, blue, alpha in [0, 1].
// Speed: 1 / (speed × 10).
class ColorChanger final : public InterpolatingChanger {
 public:
  using Rgba = std::array<float, 4>;
  ColorChanger(const Rgba& from, const Rgba& to, ChangerTiming timing, float durationOrSpeed,
               Easing curve = Easing::Linear);

  // Only red, green and blue move; the control's alpha stays whatever else sets it (a flash
  // of colour on a control that fades out meanwhile).
  bool keepAlpha = false;

 private:
  float DurationAtSpeed(float speed) const override;
  void Apply(GUIControl& control, float p) override;
  Rgba from_, to_;
};

// The control's scale. Speed: |to - from| / (speed × 10).
class ScaleChanger final : public InterpolatingChanger {
 public:
  ScaleChanger(float from, float to, ChangerTiming timing, float durationOrSpeed,
               Easing curve = Easing::Linear);

 private:
  float DurationAtSpeed(float speed) const override;
  void Apply(GUIControl& control, float p) override;
  float from_, to_;
};

// The font size of a text-bearing control (GUIControl::SetFontSize).
// Speed: |to - from| / (speed × 10).
class FontSizeChanger final : public InterpolatingChanger {
 public:
  FontSizeChanger(float from, float to, ChangerTiming timing, float durationOrSpeed,
                  Easing curve = Easing::Linear);

 private:
  float DurationAtSpeed(float speed) const override;
  void Apply(GUIControl& control, float p) override;
  float from_, to_;
};

// The control's angle in degrees (GUIControl::SetAngle). Speed: |to - from| / (speed × 10).
class AngleChanger final : public InterpolatingChanger {
 public:
  AngleChanger(float from, float to, ChangerTiming timing, float durationOrSpeed,
               Easing curve = Easing::Linear);

 private:
  float DurationAtSpeed(float speed) const override;
  void Apply(GUIControl& control, float p) override;
  float from_, to_;
};

// The value of a progress control (GUIControl::SetProgressValue), between two whole numbers.
// Speed: |to - from| / (speed × 10).
class ProgressChanger final : public InterpolatingChanger {
 public:
  ProgressChanger(int from, int to, ChangerTiming timing, float durationOrSpeed,
                  Easing curve = Easing::Linear);

 private:
  float DurationAtSpeed(float speed) const override;
  void Apply(GUIControl& control, float p) override;
  int from_, to_;
};

// The control's rectangle, through GUIControl::SetRect, corner by corner.
// Speed: the distance between the first corners of the two rectangles / (speed × 200).
class RectChanger final : public InterpolatingChanger {
 public:
  RectChanger(const Rect& from, const Rect& to, ChangerTiming timing, float durationOrSpeed,
              Easing curve = Easing::Linear);

 private:
  float DurationAtSpeed(float speed) const override;
  void Apply(GUIControl& control, float p) override;
  Rect from_, to_;
};

// Turns the control about a pivot: its angle goes from a0 to a1 and its centre travels on
// the circle about the pivot, clockwise for growing angles like the pictures' own rotation.
// Speed: |a1 - a0| / (speed × 10).
//
// The first step records where the centre ends: the centre rotated about the pivot by
// a1 - a0. Each step then rotates the centre by the angle the step adds (from the angle this
// changer set last, a0 at the start) and sets the new angle; the last step sets a1 and puts
// the centre on the recorded end, which is where the steps lead.
class RotateChanger final : public GUIChanger {
 public:
  RotateChanger(float a0, float a1, GuiPoint pivot, ChangerTiming timing, float durationOrSpeed,
                Easing curve = Easing::Linear);
  bool Step(float dt, GUIControl& control) override;
  float TotalDuration() const;

 private:
  float a0_, a1_;
  GuiPoint pivot_;
  bool started_ = false;
  GuiPoint finalCentre_;
  float lastAngle_ = 0.0f;
};

// The point p turned clockwise (on a y-up screen) about pivot by degrees.
GuiPoint RotateClockwise(GuiPoint p, GuiPoint pivot, float degrees);

// --- One-shot changers: they ignore their time fields. A step with dt 0 does nothing; the
// first step with any other dt (or at finish-now) acts and finishes. Placed behind a blocking
// changer they act when that one has gone, which is how timed sequences are written.

// Sets the control's text (GUIControl::SetText). Keeps its own copy, so a string table
// reloaded while it waits does not pull the text from under it.
class TextChanger final : public GUIChanger {
 public:
  explicit TextChanger(std::u16string_view text);
  bool Step(float dt, GUIControl& control) override;
  const std::u16string& Text() const { return text_; }

 private:
  std::u16string text_;
};

// Toggles the control's visibility.
class VisibleChanger final : public GUIChanger {
 public:
  VisibleChanger();
  bool Step(float dt, GUIControl& control) override;
};

// --- Endless changers: each step adds dt to elapsed (t below) and returns false; they live
// until cleared.

// alpha = clamp((cos(t·f) - 1) × A/2 + B, 0, 1) × 255. With B = 1 it swings between 1 - A
// and 1.
class AlphaSinChanger final : public GUIChanger {
 public:
  AlphaSinChanger(float frequency, float amplitude, float base);
  bool Step(float dt, GUIControl& control) override;

 private:
  float frequency_, amplitude_, base_;
};

// A random flicker: alpha runs linearly from p0 to p1 over period T, then p0 becomes the
// current alpha and p1 a random level in [1 - K, 1] (K the depth). Starts from 0 towards 1.
class AlphaInfChanger final : public GUIChanger {
 public:
  AlphaInfChanger(float period, float depth);
  bool Step(float dt, GUIControl& control) override;

 private:
  float period_, depth_;
  float p0_ = 0.0f, p1_ = 1.0f;
};

// A button's overlay alpha (GUIControl::SetOverlayAlpha):
// clamp((sin(t·f) + 1) × A × 0.5 + B, 0, 1) × 255.
class OverlayAlphaInfChanger final : public GUIChanger {
 public:
  OverlayAlphaInfChanger(float frequency, float amplitude, float base);
  bool Step(float dt, GUIControl& control) override;

 private:
  float frequency_, amplitude_, base_;
};

// scale = sin(t·f) × A + 1.
class ScaleInfChanger final : public GUIChanger {
 public:
  ScaleInfChanger(float frequency, float amplitude);
  bool Step(float dt, GUIControl& control) override;

 private:
  float frequency_, amplitude_;
};

// font size = sin(t·f) × A + B.
class FontSizeInfChanger final : public GUIChanger {
 public:
  FontSizeInfChanger(float frequency, float amplitude, float base);
  bool Step(float dt, GUIControl& control) override;

 private:
  float frequency_, amplitude_, base_;
};

// Swings the control (GUIControl::Move) so that its offset from where it started is always
// cos(t·f) × (Ax, Ay).
class PosInfChanger final : public GUIChanger {
 public:
  PosInfChanger(float frequency, float amplitudeX, float amplitudeY);
  bool Step(float dt, GUIControl& control) override;

 private:
  float frequency_, amplitudeX_, amplitudeY_;
  float offsetX_ = 0.0f, offsetY_ = 0.0f;
};

// A random wander around home, the centre the control had at the first step: every period T
// a new target home + (u·Rx, v·Ry) with u, v uniform in [-1, 1], and in between the centre
// glides in a straight line from the last position to the target. The rectangle keeps its
// size, first corner at the top left.
class PosInfChanger2 final : public GUIChanger {
 public:
  PosInfChanger2(float period, float rangeX, float rangeY);
  bool Step(float dt, GUIControl& control) override;

 private:
  float period_, rangeX_, rangeY_;
  bool started_ = false;
  GuiPoint home_, last_, target_;
};

// Scrolls the texture rectangle by (k·sx, k·sy) at every step whatever dt is, so the speed
// follows the frame rate; it switches the control's tiling on so the picture wraps.
class TCInfChanger final : public GUIChanger {
 public:
  TCInfChanger(float rate, float stepX, float stepY);
  bool Step(float dt, GUIControl& control) override;

 private:
  float rate_, stepX_, stepY_;
};
