#include <gtest/gtest.h>

#include "platform/Pointer.h"

using platform::PointerToVirtual;

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
