// Changers: durations in speed mode, easings, the apply rules, blocking, one-shot and endless
// changers, and the faults of speeds of 0, NaN durations and string tables reloaded under a
// waiting text change.
#include <gtest/gtest.h>

#include <cmath>

#include "base/Random.h"
#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "gui/GUIChanger.h"
#include "gui/GUIControl.h"

namespace {

// A control with the properties of the richer types, writing down its rect changes.
class Target : public GUIControl {
 public:
  void SetRect(const Rect& r) override {
    ++rectCalls;
    GUIControl::SetRect(r);
  }
  void SetText(std::u16string_view t) override { text = t; }
  float Angle() const override { return angle; }
  void SetAngle(float a) override { angle = a; }
  void SetProgressValue(float v) override { progress = v; }
  void SetOverlayAlpha(int a) override { overlay = a; }
  void SetTiling(bool on) override { tiling = on; }

  int rectCalls = 0;
  std::u16string text;
  float angle = 0;
  float progress = -1;
  int overlay = -1;
  bool tiling = false;
};

template <class C, class... Args>
C* Attach(GUIControl& control, Args&&... args) {
  return static_cast<C*>(control.AddChanger(std::make_unique<C>(std::forward<Args>(args)...)));
}

TEST(Changers, AlphaInSpeedModeLastsDistanceOverTenTimesTheSpeed) {
  Target t;
  t.colour = 0x00ABCDEF;
  auto* fade = Attach<AlphaChanger>(t, 0.0f, 1.0f, ChangerTiming::Speed, 2.0f);
  EXPECT_FLOAT_EQ(fade->TotalDuration(), 0.05f);
  EXPECT_EQ(t.Alpha(), 0);  // the start value shows at once
  t.Update(25);
  EXPECT_EQ(t.colour, 0x7FABCDEFu);  // trunc(0.5 × 255), the colour bits kept
  EXPECT_TRUE(t.HasChangers());
  t.Update(25);
  EXPECT_EQ(t.Alpha(), 255);
  EXPECT_FALSE(t.HasChangers());
  EXPECT_TRUE(t.animating);
  t.Update(25);
  EXPECT_FALSE(t.animating);

  // The other speed rules.
  EXPECT_FLOAT_EQ(ScaleChanger(1, 3, ChangerTiming::Speed, 4).TotalDuration(), 0.05f);
  EXPECT_FLOAT_EQ(ColorChanger({}, {}, ChangerTiming::Speed, 4).TotalDuration(), 0.025f);
  EXPECT_FLOAT_EQ(ProgressChanger(10, 0, ChangerTiming::Speed, 5).TotalDuration(), 0.2f);
  EXPECT_FLOAT_EQ(
      RectChanger({0, 0, 1, 1}, {30, 40, 0, 0}, ChangerTiming::Speed, 0.5f).TotalDuration(), 0.5f);
  EXPECT_FLOAT_EQ(RotateChanger(0, 90, {}, ChangerTiming::Speed, 3).TotalDuration(), 3.0f);
  EXPECT_FLOAT_EQ(AngleChanger(0, 90, ChangerTiming::Duration, 3).TotalDuration(), 3.0f);
}

TEST(Changers, TheThreeEasings) {
  const float expected[] = {1.5f, 2.0f, 1.125f};  // at a quarter of the time, from 1 to 3
  for (int e = 0; e < 3; ++e) {
    Target t;
    Attach<ScaleChanger>(t, 1.0f, 3.0f, ChangerTiming::Duration, 1.0f, Easing(e));
    EXPECT_FLOAT_EQ(t.scale, 1);
    t.Update(250);
    EXPECT_FLOAT_EQ(t.scale, expected[e]) << e;
    t.Update(750);
    EXPECT_FLOAT_EQ(t.scale, 3);
    EXPECT_FALSE(t.HasChangers());
  }
}

TEST(Changers, TheDelayedEasingHoldsThreeQuartersThenRunsLinearly) {
  EXPECT_FLOAT_EQ(Ease(Easing::Delayed, 0.5f), 0.0f);
  EXPECT_FLOAT_EQ(Ease(Easing::Delayed, 0.75f), 0.0f);
  EXPECT_FLOAT_EQ(Ease(Easing::Delayed, 0.875f), 0.5f);
  EXPECT_FLOAT_EQ(Ease(Easing::Delayed, 2.0f), 1.0f);  // progress is clamped first
  Target t;
  Attach<AlphaChanger>(t, 1.0f, 0.0f, ChangerTiming::Duration, 1.0f, Easing::Delayed);
  t.Update(700);
  EXPECT_EQ(t.Alpha(), 255);
  t.Update(200);  // 0.9: (0.9 - 0.75) × 4 = 0.6 of the way
  EXPECT_NEAR(t.Alpha(), 102, 1);
  t.Update(100);
  EXPECT_EQ(t.Alpha(), 0);
  EXPECT_FALSE(t.HasChangers());
}

TEST(Changers, AlphaAndColourAreClampedThenTruncated) {
  Target t;
  Attach<AlphaChanger>(t, -1.0f, 2.0f, ChangerTiming::Duration, 1.0f);
  EXPECT_EQ(t.Alpha(), 0);
  t.Update(500);  // 0.5
  EXPECT_EQ(t.Alpha(), 127);
  t.Update(200);  // 1.1
  EXPECT_EQ(t.Alpha(), 255);

  Target c;
  Attach<ColorChanger>(c, ColorChanger::Rgba{1, 0, 0, 1}, ColorChanger::Rgba{0, 2, 1, 0.5f},
                       ChangerTiming::Duration, 1.0f);
  EXPECT_EQ(c.colour, 0xFFFF0000u);
  c.Update(500);
  // red 0.5, green 1 (clamped), blue 0.5, alpha 0.75
  EXPECT_EQ(c.colour, 0xBF7FFF7Fu);
  c.Update(500);
  EXPECT_EQ(c.colour, 0x7F00FFFFu);

  Target f;
  Attach<FontSizeChanger>(f, 20.0f, 28.0f, ChangerTiming::Duration, 1.0f);
  Attach<ProgressChanger>(f, 0, 7, ChangerTiming::Duration, 1.0f);
  Attach<AngleChanger>(f, 0.0f, -90.0f, ChangerTiming::Duration, 1.0f);
  f.Update(500);
  EXPECT_FLOAT_EQ(f.fontSize, 24);
  EXPECT_FLOAT_EQ(f.progress, 3.5f);
  EXPECT_FLOAT_EQ(f.angle, -45);
}

TEST(Changers, RectGoesThroughSetRectAndCoincidentCornersFinishAtOnce) {
  Target t;
  Attach<RectChanger>(t, Rect{0, 0, 10, 10}, Rect{100, 0, 130, 20}, ChangerTiming::Duration, 1.0f);
  EXPECT_EQ(t.rectCalls, 1);
  t.Update(500);
  EXPECT_FLOAT_EQ(t.rect.x0, 50);
  EXPECT_FLOAT_EQ(t.rect.x1, 70);
  EXPECT_FLOAT_EQ(t.rect.y1, 15);
  EXPECT_EQ(t.rectCalls, 2);

  Target same;
  auto* r =
      Attach<RectChanger>(same, Rect{5, 5, 10, 10}, Rect{5, 5, 50, 50}, ChangerTiming::Speed, 1.0f);
  EXPECT_FLOAT_EQ(r->TotalDuration(), 0);
  EXPECT_FLOAT_EQ(same.rect.x1, 50);  // the end value at the first step
  same.Update(1);
  EXPECT_FALSE(same.HasChangers());
}

TEST(Changers, FinishNowGivesTheEndValueAtTheNextUpdate) {
  Target t;
  auto* fade = Attach<AlphaChanger>(t, 0.0f, 1.0f, ChangerTiming::Duration, 10.0f);
  t.Update(100);
  EXPECT_EQ(t.Alpha(), 2);
  fade->FinishNow();
  EXPECT_EQ(t.Alpha(), 2);
  t.Update(1);
  EXPECT_EQ(t.Alpha(), 255);
  EXPECT_FALSE(t.HasChangers());
}

TEST(Changers, BlockingHoldsBackWhatFollows) {
  Target t;
  t.scale = 5;
  auto fade = std::make_unique<AlphaChanger>(1.0f, 0.0f, ChangerTiming::Duration, 0.1f);
  fade->blocking = true;
  t.AddChanger(std::move(fade));
  t.AddChanger(std::make_unique<VisibleChanger>());
  // Added behind the blocking fade: its start value does not show.
  Attach<ScaleChanger>(t, 2.0f, 3.0f, ChangerTiming::Duration, 1.0f);
  EXPECT_FLOAT_EQ(t.scale, 5);
  t.Update(50);
  EXPECT_EQ(t.Alpha(), 127);
  EXPECT_TRUE(t.visible);
  EXPECT_FLOAT_EQ(t.scale, 5);
  t.Update(50);  // the fade ends; the visibility waits for the next update
  EXPECT_EQ(t.Alpha(), 0);
  EXPECT_TRUE(t.visible);
  EXPECT_EQ(t.Changers().size(), 2u);
  t.Update(50);  // the toggle acts; the scale starts in the same walk with this frame's time
  EXPECT_FALSE(t.visible);
  EXPECT_FLOAT_EQ(t.scale, 2.05f);
  EXPECT_EQ(t.Changers().size(), 1u);

  // Changers before the first blocking one run together.
  Target u;
  Attach<AngleChanger>(u, 0.0f, 10.0f, ChangerTiming::Duration, 1.0f);
  auto hold = std::make_unique<ScaleChanger>(1.0f, 2.0f, ChangerTiming::Duration, 1.0f);
  hold->blocking = true;
  u.AddChanger(std::move(hold));
  u.Update(500);
  EXPECT_FLOAT_EQ(u.angle, 5);
  EXPECT_FLOAT_EQ(u.scale, 1.5f);
}

TEST(Changers, SpeedsOfZeroAndDurationsThatAreNoNumberFinishAtOnce) {
  for (float speed : {0.0f, -3.0f, NAN}) {
    Target t;
    auto fade = std::make_unique<AlphaChanger>(0.0f, 1.0f, ChangerTiming::Speed, speed);
    fade->blocking = true;
    t.AddChanger(std::move(fade));
    t.AddChanger(std::make_unique<VisibleChanger>());
    EXPECT_EQ(t.Alpha(), 255);
    t.Update(16);
    t.Update(16);
    EXPECT_FALSE(t.visible) << speed;  // the queue behind did not stall
    Attach<ColorChanger>(t, ColorChanger::Rgba{0, 0, 0, 0}, ColorChanger::Rgba{1, 1, 1, 1},
                         ChangerTiming::Speed, speed);
    EXPECT_EQ(t.colour, 0xFFFFFFFFu);
    Attach<RotateChanger>(t, 0.0f, 90.0f, GuiPoint{}, ChangerTiming::Speed, speed);
    EXPECT_FLOAT_EQ(t.angle, 90);
  }
  for (float d : {NAN, INFINITY, -1.0f}) {
    Target t;
    Attach<ScaleChanger>(t, 1.0f, 4.0f, ChangerTiming::Duration, d);
    EXPECT_FLOAT_EQ(t.scale, 4);
    t.Update(16);
    EXPECT_FALSE(t.HasChangers());
  }
}

TEST(Changers, InactiveChangersNeverFinishAndDoNothing) {
  Target t;
  auto fade = std::make_unique<AlphaChanger>(0.0f, 0.5f, ChangerTiming::Duration, 0.0f);
  fade->active = false;
  fade->blocking = true;
  t.AddChanger(std::move(fade));
  auto text = std::make_unique<TextChanger>(u"never");
  text->active = false;
  t.AddChanger(std::move(text));
  for (int i = 0; i < 100; ++i) t.Update(100);
  EXPECT_EQ(t.Alpha(), 255);
  EXPECT_EQ(t.Changers().size(), 2u);
  EXPECT_TRUE(t.text.empty());
  t.ClearChangers();
  EXPECT_FALSE(t.HasChangers());
}

TEST(Changers, ARotationEndsWhereItsStepsLead) {
  for (Easing easing : {Easing::Linear, Easing::Square}) {
    Target t;
    t.rect = {90, 10, 110, -10};  // centred on (100, 0)
    const GuiPoint pivot{0, 0};
    Attach<RotateChanger>(t, 30.0f, 120.0f, pivot, ChangerTiming::Duration, 1.0f, easing);
    float time = 0;
    for (float step : {70.0f, 130.0f, 16.0f, 300.0f, 250.0f, 200.0f}) {
      t.Update(step);
      time += step / 1000;
      const float angle = 30 + 90 * Ease(easing, time);
      const GuiPoint expected = RotateClockwise({100, 0}, pivot, angle - 30);
      EXPECT_NEAR(CentreX(t.rect), expected.x, 1e-3);
      EXPECT_NEAR(CentreY(t.rect), expected.y, 1e-3);
      EXPECT_NEAR(t.angle, angle, 1e-4);
    }
    const float beforeX = CentreX(t.rect), beforeY = CentreY(t.rect);
    t.Update(100);
    EXPECT_FALSE(t.HasChangers());
    EXPECT_FLOAT_EQ(t.angle, 120);
    // A quarter turn clockwise about the pivot: from (100, 0) to (0, -100), size kept.
    EXPECT_NEAR(CentreX(t.rect), 0, 1e-3);
    EXPECT_NEAR(CentreY(t.rect), -100, 1e-3);
    EXPECT_NEAR(t.rect.x1 - t.rect.x0, 20, 1e-3);
    EXPECT_LT(std::hypot(CentreX(t.rect) - beforeX, CentreY(t.rect) - beforeY), 20.0f);
  }
}

TEST(Changers, OneShotsActAtTheirFirstNonZeroStep) {
  Target t;
  Attach<TextChanger>(t, u"hello");
  Attach<VisibleChanger>(t);
  t.Update(0);
  EXPECT_TRUE(t.text.empty());
  EXPECT_TRUE(t.visible);
  t.Update(16);
  EXPECT_EQ(t.text, u"hello");
  EXPECT_FALSE(t.visible);
  EXPECT_FALSE(t.HasChangers());
}

TEST(Changers, ATextChangeWaitingOverAStringTableReloadKeepsItsText) {
  FileSystem files;
  StringTable strings(files);
  strings.Set(u"msg", u"a message long enough to live on the heap, in English");
  Target t;
  auto fade = std::make_unique<AlphaChanger>(1.0f, 0.0f, ChangerTiming::Duration, 0.1f);
  fade->blocking = true;
  t.AddChanger(std::move(fade));
  Attach<TextChanger>(t, strings.Get("msg"));
  // The language changes while the text waits behind the fade.
  strings.Set(u"msg", u"eine Nachricht, lang genug für den Speicher, auf Deutsch");
  t.Update(100);
  t.Update(16);
  EXPECT_EQ(t.text, u"a message long enough to live on the heap, in English");
}

TEST(Changers, EndlessFormulas) {
  Target t;
  Attach<AlphaSinChanger>(t, 2.0f, 0.4f, 1.0f);
  Attach<ScaleInfChanger>(t, 3.0f, 0.5f);
  Attach<FontSizeInfChanger>(t, 1.0f, 4.0f, 20.0f);
  Attach<OverlayAlphaInfChanger>(t, 1.5f, 0.3f, 0.0f);
  EXPECT_EQ(t.Alpha(), 255);
  for (int i = 1; i <= 50; ++i) {
    t.Update(37);
    const float s = t.Changers()[0]->elapsed;
    EXPECT_NEAR(s, 0.037f * float(i), 1e-4);
    EXPECT_EQ(t.Alpha(), int(((std::cos(s * 2) - 1) * 0.2f + 1) * 255)) << i;
    EXPECT_GE(t.Alpha(), int(0.6f * 255));
    EXPECT_NEAR(t.scale, std::sin(s * 3) * 0.5f + 1, 1e-4);
    EXPECT_NEAR(t.fontSize, std::sin(s) * 4 + 20, 1e-3);
    EXPECT_EQ(t.overlay, int((std::sin(s * 1.5f) + 1) * 0.15f * 255));
  }
  EXPECT_EQ(t.Changers().size(), 4u);

  // The swing's offset from the start is always cos(t·f) × (Ax, Ay).
  Target p;
  p.rect = {10, 10, 20, 20};
  Attach<PosInfChanger>(p, 4.0f, 30.0f, -10.0f);
  EXPECT_NEAR(p.rect.x0, 40, 1e-4);
  for (int i = 1; i <= 40; ++i) {
    p.Update(23);
    const float c = std::cos(p.Changers()[0]->elapsed * 4);
    EXPECT_NEAR(p.rect.x0, 10 + 30 * c, 1e-3);
    EXPECT_NEAR(p.rect.y1, 20 - 10 * c, 1e-3);
  }
}

TEST(Changers, TheRandomFlickerRunsFromP0ToP1) {
  SeedScreenRandom(77);
  const int r = ScreenRand15();
  SeedScreenRandom(77);
  SeedRandom(5);
  const int simulation = Rand15();
  SeedRandom(5);
  Target t;
  Attach<AlphaInfChanger>(t, 1.0f, 0.3f);
  EXPECT_EQ(t.Alpha(), 0);  // p0 = 0 at the start
  t.Update(500);
  EXPECT_EQ(t.Alpha(), 127);  // halfway to p1 = 1
  t.Update(600);              // the period is over: new ends, starting from the current alpha
  EXPECT_EQ(t.Alpha(), 127);
  const float p0 = 127.0f / 255;
  const float p1 = (1.0f - 0.3f) + float(r) / 32767 * 0.3f;
  t.Update(500);
  EXPECT_EQ(t.Alpha(), int((p0 + 0.5f * (p1 - p0)) * 255));
  EXPECT_EQ(Rand15(), simulation) << "the flicker draws from the screen's own stream";
  // Depths outside [0, 1] stay within the byte.
  Target deep;
  Attach<AlphaInfChanger>(deep, 0.1f, 5.0f);
  for (int i = 0; i < 400; ++i) {
    deep.Update(13);
    EXPECT_GE(deep.Alpha(), 0);
    EXPECT_LE(deep.Alpha(), 255);
  }
}

TEST(Changers, TheWanderStaysNearHomeAndKeepsTheSize) {
  SeedRandom(3);
  Target t;
  t.rect = {-20, 10, 20, -10};  // a 40 × 20 control centred on (0, 0)
  Attach<PosInfChanger2>(t, 0.5f, 8.0f, 4.0f);
  float furthest = 0;
  for (int i = 0; i < 500; ++i) {
    t.Update(17);
    EXPECT_LE(std::fabs(CentreX(t.rect)), 8.001f);
    EXPECT_LE(std::fabs(CentreY(t.rect)), 4.001f);
    EXPECT_NEAR(t.rect.x1 - t.rect.x0, 40, 1e-3);  // first corner on the left
    EXPECT_NEAR(t.rect.y0 - t.rect.y1, 20, 1e-3);  // and at the top
    furthest = std::max(furthest, std::fabs(CentreX(t.rect)));
  }
  EXPECT_GT(furthest, 2.0f);
}

TEST(Changers, TheTextureScrollsPerFrameAndWraps) {
  Target slow, fast;
  slow.texRect = fast.texRect = {0.2f, 0, 0.7f, 1};
  Attach<TCInfChanger>(slow, 0.01f, 1.0f, -0.5f);
  Attach<TCInfChanger>(fast, 0.01f, 1.0f, -0.5f);
  EXPECT_TRUE(slow.tiling);
  EXPECT_NEAR(slow.texRect.u0, 0.21f, 1e-5);  // the attach step scrolls too
  for (int i = 0; i < 10; ++i) slow.Update(32);
  for (int i = 0; i < 20; ++i) fast.Update(16);
  // The same time, twice the frames: twice the distance.
  EXPECT_NEAR(slow.texRect.u0, 0.31f, 1e-4);
  EXPECT_NEAR(fast.texRect.u0, 0.41f, 1e-4);
  EXPECT_NEAR(fast.texRect.v0, -0.105f, 1e-4);
  // Leaving [-1, 1] moves every coordinate back by a turn.
  Target wrap;
  wrap.texRect = {0.2f, 0.5f, 0.7f, 1.5f};
  Attach<TCInfChanger>(wrap, 0.1f, 1.0f, -1.0f);
  for (int i = 0; i < 20; ++i) wrap.Update(16);
  EXPECT_NEAR(wrap.texRect.u0, 0.3f, 1e-4);  // 0.2 + 2.1, back by two turns
  EXPECT_NEAR(wrap.texRect.u1 - wrap.texRect.u0, 0.5f, 1e-4);
  EXPECT_NEAR(wrap.texRect.v0, -0.6f, 1e-4);  // 0.5 - 2.1, forward by one turn
  EXPECT_NEAR(wrap.texRect.v1 - wrap.texRect.v0, 1.0f, 1e-4);
  // Absurd rates stay within a turn as well.
  Target wild;
  Attach<TCInfChanger>(wild, 1e6f, 3.0f, 0.0f);
  wild.Update(16);
  EXPECT_LE(std::fabs(wild.texRect.u0), 1.0f);
}

// A control whose hook clears the changers, as a type's text setter might.
class Clearing : public GUIControl {
 public:
  void SetText(std::u16string_view) override { ClearChangers(); }
};

TEST(Changers, ClearingFromInsideAStepEndsTheWalk) {
  Clearing c;
  Attach<TextChanger>(c, u"x");
  Attach<ScaleChanger>(c, 1.0f, 2.0f, ChangerTiming::Duration, 1.0f);
  c.Update(16);
  EXPECT_FALSE(c.HasChangers());
  c.Update(16);
}

}  // namespace
