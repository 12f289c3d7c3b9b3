#include <gtest/gtest.h>

#include "base/Pointer.h"

using base::PointerToVirtual;

TEST(Pointer, BackBufferCentreIsTheOriginAndCornersTheScreenEdges) {
  // Windowed 1280x800 virtual screen on a 1024x640 back buffer.
  auto c = PointerToVirtual(512, 320, 1024, 640, 1280, 800, false);
  EXPECT_FLOAT_EQ(c.x, 0);
  EXPECT_FLOAT_EQ(c.y, 0);
  auto tl = PointerToVirtual(0, 0, 1024, 640, 1280, 800, false);
  EXPECT_FLOAT_EQ(tl.x, -640);
  EXPECT_FLOAT_EQ(tl.y, 400);
  auto fs = PointerToVirtual(1920, 1080, 1920, 1080, 1280, 800, true);
  EXPECT_FLOAT_EQ(fs.x, 640);
  EXPECT_FLOAT_EQ(fs.y, -400);
}

TEST(Pointer, WindowedUsesOneFactorFullscreenScalesEachAxis) {
  // A back buffer whose proportions differ from the virtual screen's.
  auto w = PointerToVirtual(0, 0, 1000, 500, 1000, 800, false);
  EXPECT_FLOAT_EQ(w.x, -500);
  EXPECT_FLOAT_EQ(w.y, 250);  // same factor (1.0) vertically
  auto f = PointerToVirtual(0, 0, 1000, 500, 1000, 800, true);
  EXPECT_FLOAT_EQ(f.x, -500);
  EXPECT_FLOAT_EQ(f.y, 400);
  auto none = PointerToVirtual(10, 10, 0, 0, 1000, 800, true);
  EXPECT_FLOAT_EQ(none.x, 0);
}

TEST(Pointer, ADrawableTwiceTheWindowMapsWindowPointsThroughTheSameRatio) {
  // A 2× screen: a 1280 × 800 point window with a 2560 × 1600 pixel drawable.
  const base::PixelRatio r = base::RatioOf(1280, 800, 2560, 1600);
  EXPECT_FLOAT_EQ(r.x, 2);
  EXPECT_FLOAT_EQ(r.y, 2);
  const auto px = base::WindowPointToPixels(320, 600, r);
  EXPECT_FLOAT_EQ(px.x, 640);
  EXPECT_FLOAT_EQ(px.y, 1200);
  // The point lands where it shows: a quarter across and three quarters down the window is a
  // quarter across and three quarters down the virtual screen, windowed and fullscreen.
  for (const bool fullscreen : {false, true}) {
    const auto v = PointerToVirtual(px.x, px.y, 2560, 1600, 1280, 800, fullscreen);
    EXPECT_FLOAT_EQ(v.x, -320);
    EXPECT_FLOAT_EQ(v.y, -200);
  }
  const auto back = base::PixelsToWindowPoint(px.x, px.y, r);
  EXPECT_FLOAT_EQ(back.x, 320);
  EXPECT_FLOAT_EQ(back.y, 600);
}

TEST(Pointer, UnknownSizesGiveOneToOneAndEachAxisKeepsItsOwnRatio) {
  const base::PixelRatio none = base::RatioOf(0, 0, 2560, 1600);
  EXPECT_FLOAT_EQ(none.x, 1);
  EXPECT_FLOAT_EQ(none.y, 1);
  EXPECT_FLOAT_EQ(base::RatioOf(1280, 800, 2560, 0).y, 1);
  const base::PixelRatio odd = base::RatioOf(1000, 500, 1500, 1000);
  const auto p = base::WindowPointToPixels(100, 100, odd);
  EXPECT_FLOAT_EQ(p.x, 150);
  EXPECT_FLOAT_EQ(p.y, 200);
}
