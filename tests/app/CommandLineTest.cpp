#include <gtest/gtest.h>

#include "app/CommandLine.h"

TEST(CommandLine, SwitchesAreExactAndLaterOnesWin) {
  auto cl = ParseCommandLine({"/fs", "/16x9", "/wn", "/4x3", "/sd"});
  EXPECT_EQ(cl.fullscreen, false);
  EXPECT_EQ(cl.aspectMode, AspectMode::Screen4x3);
  EXPECT_TRUE(cl.standardDefinition);

  cl = ParseCommandLine({"/3x2", "/15x9", "/16x10"});
  EXPECT_EQ(cl.aspectMode, AspectMode::Screen16x10);
  EXPECT_FALSE(cl.fullscreen.has_value());

  cl = ParseCommandLine({"/FS", "/16X9", "fs", "/fs ", "/SD"});
  EXPECT_FALSE(cl.fullscreen.has_value());
  EXPECT_FALSE(cl.aspectMode.has_value());
  EXPECT_FALSE(cl.standardDefinition);
  EXPECT_TRUE(cl.errors.empty());
}

TEST(CommandLine, HeadlessOptions) {
  auto cl =
      ParseCommandLine({"--frames", "30", "--fixed-step", "16", "--screenshot", "out.png", "/wn"});
  EXPECT_EQ(cl.frames, 30u);
  EXPECT_EQ(cl.fixedStep, 16u);
  EXPECT_EQ(cl.screenshot, "out.png");
  EXPECT_EQ(cl.fullscreen, false);
  EXPECT_FALSE(cl.log);
  EXPECT_TRUE(cl.errors.empty());
  EXPECT_TRUE(ParseCommandLine({"/wn", "--log"}).log);

  EXPECT_EQ(ParseCommandLine({"--frames"}).errors.size(), 1u);
  EXPECT_EQ(ParseCommandLine({"--frames", "-3"}).errors.size(), 1u);
  EXPECT_EQ(ParseCommandLine({"--fixed-step", "16ms"}).errors.size(), 1u);
  EXPECT_EQ(ParseCommandLine({"--frames", "99999999999"}).errors.size(), 1u);
}
