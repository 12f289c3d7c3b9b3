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

TEST(CommandLine, GameOptionsAndScriptedInput) {
  auto cl = ParseCommandLine({"--level", "1:7", "--difficulty", "2", "--continue", "--seed", "42",
                              "--bot", "--click", "5:-300.5,215", "--key", "9:escape", "--type",
                              "12:cheats"});
  ASSERT_TRUE(cl.errors.empty());
  ASSERT_TRUE(cl.level);
  EXPECT_EQ(cl.level->episode, 1);
  EXPECT_EQ(cl.level->level, 7);
  EXPECT_EQ(cl.difficulty, 2);
  EXPECT_TRUE(cl.continueSaved);
  EXPECT_EQ(cl.seed, 42u);
  EXPECT_TRUE(cl.bot);
  EXPECT_FALSE(cl.stayLoading);
  EXPECT_TRUE(ParseCommandLine({"--stay-loading"}).stayLoading);
  ASSERT_EQ(cl.script.size(), 3u);
  using Kind = CommandLine::Scripted::Kind;
  EXPECT_EQ(cl.script[0].kind, Kind::Click);
  EXPECT_EQ(cl.script[0].frame, 5u);
  EXPECT_FLOAT_EQ(cl.script[0].x, -300.5f);
  EXPECT_FLOAT_EQ(cl.script[0].y, 215.0f);
  EXPECT_EQ(cl.script[1].kind, Kind::Key);
  EXPECT_EQ(cl.script[1].key, 19);
  EXPECT_EQ(cl.script[2].text, u"cheats");
  EXPECT_EQ(ParseCommandLine({"--key", "3:84"}).script.at(0).key, 84);

  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"--level", "1"}, {"--level", "a:b"}, {"--difficulty", "3"}, {"--click", "5:1"},
           {"--click", "x:1,2"}, {"--key", "1:nokey"}, {"--type", "4:"}, {"--seed", "-1"},
           {"--click", "1:nan,2"}}) {
    EXPECT_EQ(ParseCommandLine(bad).errors.size(), 1u) << bad[0] << " " << bad[1];
  }
}

TEST(CommandLine, ScriptFileTraceAndKeyNames) {
  const auto cl = ParseCommandLine({"--script", "walk.txt", "--trace"});
  EXPECT_TRUE(cl.errors.empty());
  EXPECT_EQ(cl.scriptFile, "walk.txt");
  EXPECT_TRUE(cl.trace);
  EXPECT_FALSE(ParseCommandLine({"--script", "walk.txt"}).trace);
  EXPECT_EQ(ParseCommandLine({"--script"}).errors.size(), 1u);
  EXPECT_EQ(GameKeyByName("tab"), 14);
  EXPECT_EQ(GameKeyByName("backspace"), 4);
  EXPECT_EQ(GameKeyByName("95"), 95);
  EXPECT_EQ(GameKeyByName("Escape"), -1) << "names are exact";
  EXPECT_EQ(GameKeyByName(""), -1);
}
