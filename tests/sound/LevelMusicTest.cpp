// The level music of the five lands and the themes, rendered from their scores: each level
// track is a 60 to 120 s loop whose end joins its start without a click, every music a level
// names has its score, and the seam check itself catches a track cut at a random point.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ksynth/Renderer.h"
#include "ksynth/ScoreParser.h"

namespace {

namespace fs = std::filesystem;

fs::path SourceDir() {
  const char* dir = std::getenv("KALODRUS_SOURCE_DIR");
  return dir ? fs::path(dir) : fs::path(".");
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Track {
  int channels = 1;
  int rate = 44100;
  std::vector<float> samples;  // interleaved
  size_t Frames() const { return samples.size() / size_t(channels); }
};

Track Render(const fs::path& score) {
  ksynth::Score parsed;
  std::string error;
  EXPECT_TRUE(ksynth::ScoreParser().Parse(ReadText(score), parsed, error)) << score << ": " << error;
  Track t;
  t.channels = parsed.channels;
  t.rate = parsed.rate;
  t.samples = ksynth::Renderer().Render(parsed);
  return t;
}

// How the join of the last frame (of `frames`) to the first compares with the music's own
// movement there, per channel, at the worst: the jump over the seam divided by twice the step
// that nine in ten sample-to-sample steps within 256 frames on either side stay under. A
// looped track joins with one ordinary step (about 0.5 at most); a cut jumps further.
constexpr double kSmoothSeam = 0.5;

double SeamRoughness(const Track& t, size_t frames) {
  const int c = t.channels;
  constexpr size_t kNear = 256;
  double worst = 0;
  for (int ch = 0; ch < c; ++ch) {
    const auto at = [&](size_t i) { return double(t.samples[i * size_t(c) + size_t(ch)]); };
    std::vector<double> steps;
    for (size_t i = 1; i < std::min(kNear, frames / 2); ++i) {
      steps.push_back(std::fabs(at(i) - at(i - 1)));
      steps.push_back(std::fabs(at(frames - i) - at(frames - i - 1)));
    }
    const size_t k = steps.size() * 9 / 10;
    std::nth_element(steps.begin(), steps.begin() + long(k), steps.end());
    const double usual = std::max(steps[k], 1e-6);
    worst = std::max(worst, std::fabs(at(0) - at(frames - 1)) / (2 * usual));
  }
  return worst;
}

TEST(LevelMusicTest, EachLandLoopsForOneToTwoMinutesWithoutAClickAtTheSeam) {
  for (int land = 1; land <= 5; ++land) {
    char name[32];
    std::snprintf(name, sizeof name, "level_music_%02d.ksy", land);
    const fs::path score = SourceDir() / "content-src/sounds/music" / name;
    ASSERT_TRUE(fs::exists(score)) << score;
    const Track t = Render(score);
    ASSERT_GT(t.Frames(), 2u) << name;
    const double seconds = double(t.Frames()) / t.rate;
    EXPECT_GE(seconds, 60.0) << name;
    EXPECT_LE(seconds, 120.0) << name;
    EXPECT_LE(SeamRoughness(t, t.Frames()), kSmoothSeam) << name;
    float peak = 0;
    for (float v : t.samples) peak = std::max(peak, std::fabs(v));
    EXPECT_LE(peak, 1.0f) << name;
    EXPECT_GT(peak, 0.3f) << name << " is nearly silent";

    // The same track cut short at random points mostly has an audible seam (a cut may by
    // chance fall where the music is almost still, which no seam test can tell).
    std::mt19937 random{uint32_t(land)};
    std::uniform_real_distribution<double> where(0.1, 0.9);
    int heard = 0;
    constexpr int kCuts = 20;
    for (int i = 0; i < kCuts; ++i) {
      heard += SeamRoughness(t, size_t(double(t.Frames()) * where(random))) > kSmoothSeam;
    }
    EXPECT_GE(heard, kCuts * 3 / 4) << name;
  }
}

TEST(LevelMusicTest, EveryMusicALevelNamesHasItsScoreAndTheThemesExist) {
  const fs::path music = SourceDir() / "content-src/sounds/music";
  for (const char* theme : {"main_menu", "map_theme", "win_theme", "lose_theme", "comics_theme"}) {
    EXPECT_TRUE(fs::exists(music / (std::string(theme) + ".ksy"))) << theme;
  }
  int levels = 0;
  for (const auto& entry : fs::directory_iterator(SourceDir() / "content-src/game/content/levels")) {
    const std::string text = ReadText(entry.path());
    const size_t at = text.find(" music=\"");
    if (at == std::string::npos) continue;
    const int n = std::atoi(text.c_str() + at + 8);
    char name[32];
    std::snprintf(name, sizeof name, "level_music_%02d.ksy", n);
    if (n != 0) {
      EXPECT_TRUE(fs::exists(music / name)) << entry.path() << " names " << name;
    }
    ++levels;
  }
  EXPECT_GT(levels, 30);
}

}  // namespace
