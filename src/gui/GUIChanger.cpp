#include "gui/GUIChanger.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/Random.h"
#include "gui/GUIControl.h"
#include "gui/GuiContext.h"

namespace {

// A level in [0, 1] as a byte: clamped, then truncated; NaN gives 0.
int UnitToByte(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 255;
  return int(v * 255.0f);
}

// from + (to - from) × p, exactly `to` at p = 1.
float Lerp(float from, float to, float p) { return p >= 1.0f ? to : from + (to - from) * p; }

// A duration from a distance covered at a speed; a speed of 0 or below finishes at once.
float AtSpeed(float distance, float speed, float unitsPerSpeed) {
  return speed > 0.0f ? distance / (speed * unitsPerSpeed) : 0.0f;
}

}  // namespace

float Ease(Easing easing, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  switch (easing) {
    case Easing::SquareRoot:
      return std::sqrt(t);
    case Easing::Square:
      return t * t;
    case Easing::Delayed:
      return t < 0.75f ? 0.0f : (t - 0.75f) * 4.0f;
    case Easing::Linear:
      break;
  }
  return t;
}

GUIChanger::~GUIChanger() = default;

// --- Interpolating changers

float InterpolatingChanger::TotalDuration() const {
  float d = mode == ChangerTiming::Duration ? duration
                                            : (duration > 0.0f ? DurationAtSpeed(duration) : 0.0f);
  // A duration that is no finite number would never end (or end in NaN values): end at once.
  if (!std::isfinite(d)) d = 0.0f;
  return d;
}

bool InterpolatingChanger::Step(float dt, GUIControl& control) {
  if (!active) return false;
  elapsed += dt;
  const float d = TotalDuration();
  if (finishNow || elapsed >= d) {
    Apply(control, 1.0f);
    return true;
  }
  Apply(control, Ease(easing, d > 0.0f ? elapsed / d : 0.0f));
  return false;
}

AlphaChanger::AlphaChanger(float from, float to, ChangerTiming timing, float durationOrSpeed,
                           Easing curve)
    : InterpolatingChanger(timing, durationOrSpeed, curve), from_(from), to_(to) {}
float AlphaChanger::DurationAtSpeed(float speed) const {
  return AtSpeed(std::fabs(to_ - from_), speed, 10.0f);
}
void AlphaChanger::Apply(GUIControl& control, float p) {
  control.SetAlpha(UnitToByte(Lerp(from_, to_, p)));
}

ColorChanger::ColorChanger(const Rgba& from, const Rgba& to, ChangerTiming timing,
                           float durationOrSpeed, Easing curve)
    : InterpolatingChanger(timing, durationOrSpeed, curve), from_(from), to_(to) {}
float ColorChanger::DurationAtSpeed(float speed) const { return AtSpeed(1.0f, speed, 10.0f); }
void ColorChanger::Apply(GUIControl& control, float p) {
  const uint32_t r = uint32_t(UnitToByte(Lerp(from_[0], to_[0], p)));
  const uint32_t g = uint32_t(UnitToByte(Lerp(from_[1], to_[1], p)));
  const uint32_t b = uint32_t(UnitToByte(Lerp(from_[2], to_[2], p)));
  const uint32_t a =
      keepAlpha ? control.colour >> 24 : uint32_t(UnitToByte(Lerp(from_[3], to_[3], p)));
  control.colour = a << 24 | r << 16 | g << 8 | b;
}

ScaleChanger::ScaleChanger(float from, float to, ChangerTiming timing, float durationOrSpeed,
                           Easing curve)
    : InterpolatingChanger(timing, durationOrSpeed, curve), from_(from), to_(to) {}
float ScaleChanger::DurationAtSpeed(float speed) const {
  return AtSpeed(std::fabs(to_ - from_), speed, 10.0f);
}
void ScaleChanger::Apply(GUIControl& control, float p) { control.scale = Lerp(from_, to_, p); }

FontSizeChanger::FontSizeChanger(float from, float to, ChangerTiming timing, float durationOrSpeed,
                                 Easing curve)
    : InterpolatingChanger(timing, durationOrSpeed, curve), from_(from), to_(to) {}
float FontSizeChanger::DurationAtSpeed(float speed) const {
  return AtSpeed(std::fabs(to_ - from_), speed, 10.0f);
}
void FontSizeChanger::Apply(GUIControl& control, float p) {
  control.SetFontSize(Lerp(from_, to_, p));
}

AngleChanger::AngleChanger(float from, float to, ChangerTiming timing, float durationOrSpeed,
                           Easing curve)
    : InterpolatingChanger(timing, durationOrSpeed, curve), from_(from), to_(to) {}
float AngleChanger::DurationAtSpeed(float speed) const {
  return AtSpeed(std::fabs(to_ - from_), speed, 10.0f);
}
void AngleChanger::Apply(GUIControl& control, float p) { control.SetAngle(Lerp(from_, to_, p)); }

ProgressChanger::ProgressChanger(int from, int to, ChangerTiming timing, float durationOrSpeed,
                                 Easing curve)
    : InterpolatingChanger(timing, durationOrSpeed, curve), from_(from), to_(to) {}
float ProgressChanger::DurationAtSpeed(float speed) const {
  return AtSpeed(std::fabs(float(to_) - float(from_)), speed, 10.0f);
}
void ProgressChanger::Apply(GUIControl& control, float p) {
  control.SetProgressValue(Lerp(float(from_), float(to_), p));
}

RectChanger::RectChanger(const Rect& from, const Rect& to, ChangerTiming timing,
                         float durationOrSpeed, Easing curve)
    : InterpolatingChanger(timing, durationOrSpeed, curve), from_(from), to_(to) {}
float RectChanger::DurationAtSpeed(float speed) const {
  return AtSpeed(std::hypot(to_.x0 - from_.x0, to_.y0 - from_.y0), speed, 200.0f);
}
void RectChanger::Apply(GUIControl& control, float p) {
  control.SetRect({Lerp(from_.x0, to_.x0, p), Lerp(from_.y0, to_.y0, p), Lerp(from_.x1, to_.x1, p),
                   Lerp(from_.y1, to_.y1, p)});
}

// --- Rotation about a pivot

GuiPoint RotateClockwise(GuiPoint p, GuiPoint pivot, float degrees) {
  const double a = double(degrees) * std::numbers::pi / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  const double dx = double(p.x) - pivot.x, dy = double(p.y) - pivot.y;
  return {float(pivot.x + dx * c + dy * s), float(pivot.y - dx * s + dy * c)};
}

RotateChanger::RotateChanger(float a0, float a1, GuiPoint pivot, ChangerTiming timing,
                             float durationOrSpeed, Easing curve)
    : GUIChanger(timing, durationOrSpeed, curve), a0_(a0), a1_(a1), pivot_(pivot) {}

float RotateChanger::TotalDuration() const {
  float d =
      mode == ChangerTiming::Duration ? duration : AtSpeed(std::fabs(a1_ - a0_), duration, 10.0f);
  if (!std::isfinite(d)) d = 0.0f;
  return d;
}

bool RotateChanger::Step(float dt, GUIControl& control) {
  if (!active) return false;
  if (!started_) {
    started_ = true;
    finalCentre_ =
        RotateClockwise({CentreX(control.rect), CentreY(control.rect)}, pivot_, a1_ - a0_);
    lastAngle_ = a0_;
  }
  elapsed += dt;
  const float d = TotalDuration();
  const GuiPoint centre{CentreX(control.rect), CentreY(control.rect)};
  if (finishNow || elapsed >= d) {
    control.SetAngle(a1_);
    control.Move(finalCentre_.x - centre.x, finalCentre_.y - centre.y);
    return true;
  }
  const float angle = a0_ + (a1_ - a0_) * Ease(easing, d > 0.0f ? elapsed / d : 0.0f);
  const GuiPoint turned = RotateClockwise(centre, pivot_, angle - lastAngle_);
  control.Move(turned.x - centre.x, turned.y - centre.y);
  control.SetAngle(angle);
  lastAngle_ = angle;
  return false;
}

// --- One-shot changers

TextChanger::TextChanger(std::u16string_view text)
    : GUIChanger(ChangerTiming::Duration, 0.0f, Easing::Linear), text_(text) {}

bool TextChanger::Step(float dt, GUIControl& control) {
  if (!active || (dt == 0.0f && !finishNow)) return false;
  control.SetText(text_);
  return true;
}

VisibleChanger::VisibleChanger() : GUIChanger(ChangerTiming::Duration, 0.0f, Easing::Linear) {}

bool VisibleChanger::Step(float dt, GUIControl& control) {
  if (!active || (dt == 0.0f && !finishNow)) return false;
  control.visible = !control.visible;
  return true;
}

// --- Endless changers

AlphaSinChanger::AlphaSinChanger(float frequency, float amplitude, float base)
    : GUIChanger(ChangerTiming::Speed, frequency, Easing::Linear),
      frequency_(frequency),
      amplitude_(amplitude),
      base_(base) {}

bool AlphaSinChanger::Step(float dt, GUIControl& control) {
  if (!active) return false;
  elapsed += dt;
  const float v = (std::cos(elapsed * frequency_) - 1.0f) * amplitude_ * 0.5f + base_;
  control.SetAlpha(UnitToByte(v));
  return false;
}

AlphaInfChanger::AlphaInfChanger(float period, float depth)
    : GUIChanger(ChangerTiming::Duration, period, Easing::Linear), period_(period), depth_(depth) {}

bool AlphaInfChanger::Step(float dt, GUIControl& control) {
  if (!active) return false;
  elapsed += dt;
  if (period_ > 0.0f && elapsed < period_) {
    control.SetAlpha(UnitToByte(p0_ + (elapsed / period_) * (p1_ - p0_)));
  } else {
    p0_ = float(control.Alpha()) / 255.0f;
    p1_ = (1.0f - depth_) + float(ScreenRand15()) / 32767.0f * depth_;
    elapsed = 0.0f;
  }
  return false;
}

OverlayAlphaInfChanger::OverlayAlphaInfChanger(float frequency, float amplitude, float base)
    : GUIChanger(ChangerTiming::Speed, frequency, Easing::Linear),
      frequency_(frequency),
      amplitude_(amplitude),
      base_(base) {}

bool OverlayAlphaInfChanger::Step(float dt, GUIControl& control) {
  if (!active) return false;
  elapsed += dt;
  const float v = (std::sin(elapsed * frequency_) + 1.0f) * amplitude_ * 0.5f + base_;
  control.SetOverlayAlpha(UnitToByte(v));
  return false;
}

ScaleInfChanger::ScaleInfChanger(float frequency, float amplitude)
    : GUIChanger(ChangerTiming::Speed, frequency, Easing::Linear),
      frequency_(frequency),
      amplitude_(amplitude) {}

bool ScaleInfChanger::Step(float dt, GUIControl& control) {
  if (!active) return false;
  elapsed += dt;
  control.scale = std::sin(elapsed * frequency_) * amplitude_ + 1.0f;
  return false;
}

FontSizeInfChanger::FontSizeInfChanger(float frequency, float amplitude, float base)
    : GUIChanger(ChangerTiming::Speed, frequency, Easing::Linear),
      frequency_(frequency),
      amplitude_(amplitude),
      base_(base) {}

bool FontSizeInfChanger::Step(float dt, GUIControl& control) {
  if (!active) return false;
  elapsed += dt;
  control.SetFontSize(std::sin(elapsed * frequency_) * amplitude_ + base_);
  return false;
}

PosInfChanger::PosInfChanger(float frequency, float amplitudeX, float amplitudeY)
    : GUIChanger(ChangerTiming::Speed, frequency, Easing::Linear),
      frequency_(frequency),
      amplitudeX_(amplitudeX),
      amplitudeY_(amplitudeY) {}

bool PosInfChanger::Step(float dt, GUIControl& control) {
  if (!active) return false;
  elapsed += dt;
  const float c = std::cos(elapsed * frequency_);
  const float x = c * amplitudeX_, y = c * amplitudeY_;
  control.Move(x - offsetX_, y - offsetY_);
  offsetX_ = x;
  offsetY_ = y;
  return false;
}

PosInfChanger2::PosInfChanger2(float period, float rangeX, float rangeY)
    : GUIChanger(ChangerTiming::Duration, period, Easing::Linear),
      period_(period),
      rangeX_(rangeX),
      rangeY_(rangeY) {}

bool PosInfChanger2::Step(float dt, GUIControl& control) {
  if (!active) return false;
  if (!started_) {
    started_ = true;
    home_ = {CentreX(control.rect), CentreY(control.rect)};
    last_ = home_;
    elapsed = period_;
  } else {
    elapsed += dt;
  }
  if (period_ > 0.0f && elapsed < period_) {
    const float p = elapsed / period_;
    const float cx = last_.x + (target_.x - last_.x) * p;
    const float cy = last_.y + (target_.y - last_.y) * p;
    const float hw = std::fabs(control.rect.x1 - control.rect.x0) * 0.5f;
    const float hh = std::fabs(control.rect.y1 - control.rect.y0) * 0.5f;
    control.SetRect({cx - hw, cy + hh, cx + hw, cy - hh});
  } else {
    const float u = (float(ScreenRand15()) - 16383.5f) / 16383.5f;
    const float v = (float(ScreenRand15()) - 16383.5f) / 16383.5f;
    target_ = {home_.x + u * rangeX_, home_.y + v * rangeY_};
    last_ = {CentreX(control.rect), CentreY(control.rect)};
    elapsed = 0.0f;
  }
  return false;
}

TCInfChanger::TCInfChanger(float rate, float stepX, float stepY)
    : GUIChanger(ChangerTiming::Speed, rate, Easing::Linear),
      rate_(rate),
      stepX_(stepX),
      stepY_(stepY) {}

bool TCInfChanger::Step(float, GUIControl& control) {
  if (!active || Gui().calmMotion) return false;
  control.SetTiling(true);
  control.ScrollTexture(rate_ * stepX_, rate_ * stepY_);
  return false;
}
