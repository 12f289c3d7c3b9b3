// What the player actually hears: the wave output driver records every device into a WAV
// file, which these tests read back after the SoundSystem is gone. The real streaming
// thread and the real clock run here. When the machine is busy the driver's mixer catches
// up in bursts, which can move an event earlier in the file than its wall-clock time, so
// every boundary keeps a margin of several windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "SoundTestSupport.h"
#include "sound/SoundSystem.h"

using namespace soundtest;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kWindowMs = 20;

class SoundOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    content_.Add("sounds/beep.ogg", Tone(1000, 0.2, 1));
    content_.Add("sounds/hum.ogg", Tone(220, 0.5, 1));
    content_.Add("music/a.ogg", Tone(440, 2.0));
    content_.Add("music/b.ogg", Tone(554, 2.0));
  }

  // Starts the recording: a SoundSystem with the player's default volumes for effects and
  // full music volume.
  void Start() {
    sound_ = std::make_unique<SoundSystem>(content_.files, 100, 100);
    ASSERT_TRUE(sound_->HasAudio());
    start_ = Clock::now();
  }
  // The window index of the time since Start.
  size_t Mark() const {
    return size_t(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count() /
        kWindowMs);
  }
  // Ends the recording and returns its levels.
  std::vector<double> Stop() {
    sound_.reset();
    const Recording rec = ReadWave(WaveOutputPath());
    EXPECT_EQ(rec.channels, 2);
    EXPECT_EQ(rec.rate, 44100);
    return rec.Levels(kWindowMs);
  }

  static double Max(const std::vector<double>& levels, size_t from, size_t to) {
    double m = 0.0;
    for (size_t i = from; i < to && i < levels.size(); ++i) m = std::max(m, levels[i]);
    return m;
  }
  static double Min(const std::vector<double>& levels, size_t from, size_t to) {
    double m = 1e9;
    for (size_t i = from; i < to && i < levels.size(); ++i) m = std::min(m, levels[i]);
    return m;
  }

  ContentFolder content_;
  std::unique_ptr<SoundSystem> sound_;
  Clock::time_point start_;
};

}  // namespace

TEST_F(SoundOutput, PlayedEffectAndStreamedMusicAreHeard) {
  Start();
  std::this_thread::sleep_for(200ms);
  sound_->LoadSound("beep.ogg");
  const size_t beep = Mark();
  sound_->PlaySound("beep");
  std::this_thread::sleep_for(600ms);
  const size_t music = Mark();
  sound_->PlayMusic("a");
  std::this_thread::sleep_for(2500ms);  // longer than the track: it loops
  const size_t end = Mark();
  const std::vector<double> levels = Stop();
  ASSERT_GE(levels.size(), end - 2);

  EXPECT_LT(Max(levels, 0, beep - 8), 0.005) << "silence before the effect";
  EXPECT_GT(Max(levels, beep - 8, beep + 12), 0.1) << "the effect";
  EXPECT_LT(Max(levels, beep + 18, music - 8), 0.005) << "the effect has ended";
  EXPECT_GT(Min(levels, music + 8, end - 8), 0.1) << "the music, looping without a gap";
}

TEST_F(SoundOutput, FadeRampsTheLevelDownAndUpAgain) {
  Start();
  sound_->PlayMusic("a");
  std::this_thread::sleep_for(800ms);
  const size_t change = Mark();
  sound_->PlayMusic("b");
  std::this_thread::sleep_for(1500ms);
  const std::vector<double> levels = Stop();
  ASSERT_GT(levels.size(), change + 60);

  std::vector<double> plateau(levels.begin() + 10, levels.begin() + long(change) - 8);
  std::nth_element(plateau.begin(), plateau.begin() + long(plateau.size() / 2), plateau.end());
  const double full = plateau[plateau.size() / 2];
  ASSERT_GT(full, 0.1);

  size_t i = change - 8;
  while (i < levels.size() && levels[i] > 0.9 * full) ++i;
  const size_t fadeStart = i;
  size_t between = 0;
  while (i < levels.size() && levels[i] > 0.05 * full) between += levels[i++] < 0.75 * full;
  const size_t silent = i;
  while (i < levels.size() && levels[i] < 0.9 * full) ++i;
  const size_t back = i;

  // 0.9 → 0.05 of a linear half-second ramp takes about 425 ms; a step would take one window.
  EXPECT_GE((silent - fadeStart) * kWindowMs, 240u);
  EXPECT_LE((silent - fadeStart) * kWindowMs, 700u);
  EXPECT_GE(between, 6u) << "the level passes through intermediate values";
  EXPECT_GE((back - silent) * kWindowMs, 240u);
  EXPECT_LE((back - silent) * kWindowMs, 750u);
}

TEST_F(SoundOutput, PauseSilencesEverythingAndResumeBringsItBack) {
  Start();
  sound_->LoadSound("hum.ogg");
  sound_->PlaySound("hum", true);
  sound_->PlayMusic("a");
  std::this_thread::sleep_for(500ms);
  const size_t pause = Mark();
  sound_->Pause();
  std::this_thread::sleep_for(1200ms);
  const size_t resume = Mark();
  sound_->Resume();
  std::this_thread::sleep_for(1000ms);
  const size_t end = Mark();
  const std::vector<double> levels = Stop();

  EXPECT_GT(Min(levels, 8, pause - 8), 0.1);
  EXPECT_LT(Max(levels, pause + 35, resume - 8), 0.005) << "effects paused, music faded out";
  EXPECT_GT(Min(levels, resume + 35, end - 8), 0.1);
}
