// The comic tools on the built game folder and on folders of the test's own: the viewer's
// frames of comic 1 at two moments and in two languages, read back as pixels, and the
// content check's findings on a comic with every kind of fault.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/FileSystem.h"
#include "kcontent/ComicCheckCommand.h"
#include "sound/OggDecoder.h"
#include "support/Picture.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Runs a tool in folder; returns its exit code. Everything the child needs is prepared
// before the fork.
int RunTool(const char* tool, const std::string& folder, const std::vector<std::string>& args) {
  std::vector<std::string> environment{"SDL_VIDEODRIVER=offscreen", "ALSOFT_DRIVERS=null"};
  for (char** e = environ; *e; ++e) {
    const std::string_view v(*e);
    if (!v.starts_with("SDL_VIDEODRIVER=") && !v.starts_with("ALSOFT_DRIVERS="))
      environment.emplace_back(*e);
  }
  std::vector<char*> envp;
  for (auto& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> words{tool};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, 1);
    if (chdir(folder.c_str()) != 0) _exit(120);
    execve(argv[0], argv.data(), envp.data());
    _exit(121);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

// The pixel under a virtual point of the 1280 × 720 screen (aspect mode 3).
const uint8_t* PixelAt(const Picture& p, float x, float y) {
  const int px = std::clamp(int((x + 640.0f) * float(p.width) / 1280.0f), 0, p.width - 1);
  const int py = std::clamp(int((360.0f - y) * float(p.height) / 720.0f), 0, p.height - 1);
  return p.At(px, py);
}

// The mean red, green and blue over a virtual rectangle (left, top, right, bottom).
std::array<int, 3> Mean(const Picture& p, float x0, float y0, float x1, float y1) {
  long sum[3] = {0, 0, 0};
  long n = 0;
  for (float y = y0; y > y1; y -= 2) {
    for (float x = x0; x < x1; x += 2) {
      const uint8_t* c = PixelAt(p, x, y);
      for (int i = 0; i < 3; ++i) sum[i] += c[i];
      ++n;
    }
  }
  if (n == 0) return {0, 0, 0};
  return {int(sum[0] / n), int(sum[1] / n), int(sum[2] / n)};
}

class ComicToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("KALODRUS_GAME_DIR");
    ASSERT_NE(dir, nullptr);
    game = dir;
  }
  // Comic 1 in aspect mode 3 from moment `at`, 30 frames of 16 ms later.
  Picture Frame(int at, const std::string& language, const std::string& name) {
    const std::string shot = (fs::path(shots.Path()) / name).string();
    const int code = RunTool(KVIEW_PATH, game,
                         {"--aspect", "3", "--fixed-step", "16", "--frames", "30", "--at",
                          std::to_string(at), "--lang", language, "--screenshot", shot,
                          "mode:comic:1"});
    EXPECT_EQ(code, 0);
    Picture p;
    EXPECT_TRUE(ReadPng(shot, p)) << shot;
    return p;
  }

  std::string game;
  TempDir shots;
};

TEST_F(ComicToolsTest, TheViewerShowsAPanelFromItsMomentOnInEitherLanguage) {
  // The third panel of comic 1 (top right: a grey-blue sky over a fallen tree) comes in at
  // 14.6 s; before, the page's paper shows there.
  const Picture before = Frame(13000, "en", "before.png");
  const Picture after = Frame(17000, "en", "after.png");
  const Picture german = Frame(17000, "de", "german.png");
  ASSERT_GT(after.width, 0);
  ASSERT_GT(before.width, 0);
  ASSERT_GT(german.width, 0);
  // The upper part of the panel, under its frame.
  const std::array<int, 3> paper = Mean(before, 190, 320, 470, 250);
  const std::array<int, 3> sky = Mean(after, 190, 320, 470, 250);
  EXPECT_GT(paper[0], paper[2] + 20) << "warm paper";
  EXPECT_GT(sky[2], sky[0] + 20) << "cool sky";
  // The first panel (top left) shows in both.
  const std::array<int, 3> first = Mean(before, -470, 320, -190, 250);
  EXPECT_GT(first[2], first[0] + 20);

  // The subtitle band: the same moment in German has other words on it.
  int differing = 0, lit = 0;
  for (float x = -400; x < 400; x += 2) {
    for (float y = -300; y > -336; y -= 2) {
      const uint8_t* e = PixelAt(after, x, y);
      const uint8_t* d = PixelAt(german, x, y);
      if (std::abs(int(e[0]) - int(d[0])) > 60) ++differing;
      if (e[0] > 180) ++lit;
    }
  }
  EXPECT_GT(lit, 100) << "a subtitle is written";
  EXPECT_GT(differing, 100) << "in other words";

  // Bad requests end with a message.
  EXPECT_EQ(RunTool(KVIEW_PATH, game, {"--frames", "1", "mode:comic:77"}), 1);
  EXPECT_EQ(RunTool(KVIEW_PATH, game, {"--frames", "1", "mode:comic:x"}), 1);
  EXPECT_EQ(RunTool(KVIEW_PATH, game, {"--frames", "1", "--at", "soon", "mode:comic:1"}), 2);
}

bool Mentions(const std::vector<std::string>& problems, const std::string& part) {
  for (const std::string& p : problems) {
    if (p.find(part) != std::string::npos) return true;
  }
  return false;
}

TEST_F(ComicToolsTest, TheCheckFindsEveryKindOfFaultAndPassesTheDemoComics) {
  EXPECT_EQ(RunTool(KCONTENT_EXE, game, {"comic", "check", "all"}), 0);
  EXPECT_EQ(RunTool(KCONTENT_EXE, game, {"comic", "check", "1"}), 0);
  EXPECT_EQ(RunTool(KCONTENT_EXE, game, {"comic", "check", "31"}), 1) << "no such comic";
  EXPECT_EQ(RunTool(KCONTENT_EXE, game, {"comic", "check"}), 2);
  EXPECT_EQ(RunTool(KCONTENT_EXE, game, {"comic", "look", "1"}), 2);
  const std::vector<int> numbers = ComicNumbers(game);
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6}));

  // A game folder of the test's own: one comic with a fault of every kind.
  TempDir folder;
  const fs::path root = folder.Path();
  for (const char* sub : {"content/comics", "content/textures", "content/sounds/vo",
                          "locale/en", "locale/de", "locale/ru", "locale/pl"}) {
    fs::create_directories(root / sub);
  }
  fs::copy_file(fs::path(game) / "content/textures/com1_p1.zif",
                root / "content/textures/pane.zif");
  // Voice 1 lasts seconds, voice 2 is not Ogg, voice 3 has no file.
  fs::copy_file(fs::path(game) / "content/sounds/vo/comics_01_1.ogg",
                root / "content/sounds/vo/comics_07_1.ogg");
  std::ofstream(root / "content/sounds/vo/comics_07_2.ogg") << "not a sound";
  std::ofstream(root / "content/comics/com_7_desc.xml") << R"(<ComicsDesc>
    <Layer tex="pane"/>
    <Layer tex="ghost"/>
    <Tag name="crowd"><Layer tex="pane"/><Layer tex="nobody"/></Tag>
    <Event layer="crowd" type="pos" pos="1,1" time="0"/>
    <Event layer="nowhere" type="alpha" time="0"/>
    <Event type="text" time="10"/>
    <Event type="text" time="20"/>
    <Event type="voice" time="100"/>
    <Event type="voice" time="600"/>
    <Event type="voice" time="900"/>
    <Event type="wobble" time="0" ease="bounce"/>
  </ComicsDesc>)";
  const char* strings = R"(<StringTable><String name="comics_name_07" value="T"/>
    <String name="comics_subtitle_07_1" value="One"/><String name="comics_subtitle_07_2" value="Two"/>
    </StringTable>)";
  for (const char* language : {"en", "de", "ru"}) {
    std::ofstream(root / "locale" / language / "comics_text.xml") << strings;
  }
  std::ofstream(root / "locale/pl/comics_text.xml")
      << R"(<StringTable><String name="comics_subtitle_07_1" value="Raz"/></StringTable>)";
  std::ofstream(root / "content/comics/com_8_desc.xml") << "<ComicsDesc><Layer";

  const std::vector<std::string> p = ComicProblems(root.string(), 7);
  EXPECT_TRUE(Mentions(p, "layer ghost: no picture")) << ::testing::PrintToString(p);
  EXPECT_FALSE(Mentions(p, "layer pane"));
  EXPECT_TRUE(Mentions(p, "tag crowd: no layer nobody"));
  EXPECT_TRUE(Mentions(p, "names no layer or tag \"nowhere\""));
  EXPECT_FALSE(Mentions(p, "\"crowd\""));
  EXPECT_TRUE(Mentions(p, "unknown type \"wobble\""));
  EXPECT_TRUE(Mentions(p, "unknown ease \"bounce\""));
  EXPECT_TRUE(Mentions(p, "pl: no title comics_name_07"));
  EXPECT_TRUE(Mentions(p, "pl: no subtitle comics_subtitle_07_2"));
  EXPECT_FALSE(Mentions(p, "pl: no subtitle comics_subtitle_07_1"));
  EXPECT_FALSE(Mentions(p, "de:"));
  EXPECT_TRUE(Mentions(p, "voice 1: comics_07_1.ogg lasts"));
  EXPECT_TRUE(Mentions(p, "500 ms until the next voice"));
  EXPECT_TRUE(Mentions(p, "voice 2: comics_07_2.ogg does not decode"));
  EXPECT_TRUE(Mentions(p, "voice 3: no file comics_07_3.ogg"));
  EXPECT_TRUE(Mentions(p, "no finish"));
  EXPECT_EQ(ComicProblems(root.string(), 8),
            (std::vector<std::string>{"com_8_desc.xml is not a comic description (root ComicsDesc)"}));
  EXPECT_EQ(ComicNumbers(root.string()), (std::vector<int>{7, 8}));
  EXPECT_EQ(RunTool(KCONTENT_EXE, root.string(), {"comic", "check", "all"}), 1);
}

TEST_F(ComicToolsTest, AVoiceLineIsAMurmurInTheRhythmOfItsSentence) {
  FileSystem files;
  files.Mount(game + "/content");
  for (const char* name : {"comics_01_1.ogg", "comics_01_4.ogg", "comics_06_4.ogg"}) {
    SCOPED_TRACE(name);
    OggDecoder decoder;
    ASSERT_TRUE(decoder.Open(files, name));
    std::vector<int16_t> pcm;
    ASSERT_TRUE(decoder.DecodeAll(pcm, 64u << 20));
    const int rate = decoder.Rate();
    const int channels = decoder.Channels();
    ASSERT_GT(rate, 0);
    const double seconds = double(pcm.size()) / channels / rate;
    EXPECT_GT(seconds, 1.0);
    EXPECT_LT(seconds, 6.0) << "shorter than a panel's time";
    // Loudness in windows of 20 ms: syllables rise out of short pauses again and again.
    const size_t window = size_t(rate / 50) * size_t(channels);
    std::vector<double> rms;
    for (size_t at = 0; at + window <= pcm.size(); at += window) {
      double sum = 0;
      for (size_t i = at; i < at + window; ++i) sum += double(pcm[i]) * pcm[i];
      rms.push_back(std::sqrt(sum / double(window)));
    }
    const double loudest = *std::max_element(rms.begin(), rms.end());
    EXPECT_GT(loudest, 2000.0) << "audible";
    int onsets = 0;
    bool loud = false;
    for (const double r : rms) {
      if (!loud && r > loudest * 0.5) ++onsets;
      if (r > loudest * 0.5) loud = true;
      if (r < loudest * 0.15) loud = false;
    }
    EXPECT_GE(onsets, 4) << "words, not one tone";
  }
}

}  // namespace
