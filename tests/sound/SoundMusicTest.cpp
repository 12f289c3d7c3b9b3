// Music changes, fades, pause and resume, driven step by step with a clock the test moves.
#include <AL/al.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "SoundTestSupport.h"
#include "sound/SoundSystem.h"

using namespace soundtest;
using namespace std::chrono_literals;

namespace {

class SoundMusic : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tracks_ = new std::vector<std::pair<std::string, Bytes>>{
        {"music/a.ogg", Tone(440, 2.0)},
        {"music/b.ogg", Tone(554, 2.0)},
        {"music/c.ogg", Tone(659, 2.0)},
        {"music/short.ogg", Tone(330, 0.3)},
        // Each buffer holds about a quarter second at this rate, so it runs dry quickly.
        {"music/fast.ogg", Tone(440, 2.0, 2, 96000)},
    };
  }
  static void TearDownTestSuite() { delete tracks_; }

  void SetUp() override {
    for (const auto& [path, bytes] : *tracks_) content_.Add(path, bytes);
  }

  std::unique_ptr<SoundSystem> Make(int musicVolume = 100) {
    SoundOptions options;
    options.startStreamer = false;
    options.musicVolume = musicVolume;
    options.clock = [this] { return now_.load(); };
    return std::make_unique<SoundSystem>(content_.files, options);
  }

  // Advances the clock by ms and runs one streaming step.
  void Step(SoundSystem& sound, uint32_t ms) {
    now_ += ms;
    sound.StreamStep();
  }

  static std::vector<std::pair<std::string, Bytes>>* tracks_;
  ContentFolder content_;
  std::atomic<uint32_t> now_{1000};
};

std::vector<std::pair<std::string, Bytes>>* SoundMusic::tracks_ = nullptr;

}  // namespace

TEST_F(SoundMusic, FirstTrackStartsAtFullLevelAndAskingForItAgainDoesNothing) {
  auto sound = Make(70);
  sound->PlayMusic("a");
  SoundSystem::MusicStatus s = sound->Music();
  EXPECT_EQ(s.state, 2);
  EXPECT_EQ(s.current, "a");
  EXPECT_FLOAT_EQ(s.fade, 1.0f);
  EXPECT_EQ(s.fadeRate, 0);
  EXPECT_FLOAT_EQ(s.gain, 0.7f);
  EXPECT_TRUE(s.sourcePlaying);

  Step(*sound, 100);
  sound->PlayMusic("a");
  const SoundSystem::MusicStatus again = sound->Music();
  EXPECT_EQ(again.source, s.source);
  EXPECT_EQ(again.fadeRate, 0);
  EXPECT_TRUE(again.pending.empty());
  EXPECT_FLOAT_EQ(again.fade, 1.0f);

  sound->PlayMusic("no_such_track");  // a missing file keeps the music
  EXPECT_EQ(sound->Music().current, "a");
  EXPECT_TRUE(sound->Music().pending.empty());
}

TEST_F(SoundMusic, ChangeFadesOutOverHalfASecondThenTheNewTrackFadesIn) {
  auto sound = Make(80);
  sound->PlayMusic("a");
  sound->PlayMusic("b");
  SoundSystem::MusicStatus s = sound->Music();
  EXPECT_EQ(s.current, "a");
  EXPECT_EQ(s.pending, "b");
  EXPECT_EQ(s.fadeRate, -1);

  Step(*sound, 250);
  s = sound->Music();
  EXPECT_NEAR(s.fade, 0.5f, 1e-4);
  EXPECT_NEAR(s.gain, 0.4f, 1e-4);
  EXPECT_EQ(s.current, "a");

  Step(*sound, 250);
  s = sound->Music();
  EXPECT_EQ(s.current, "b");
  EXPECT_TRUE(s.pending.empty());
  EXPECT_EQ(s.state, 2);
  EXPECT_FLOAT_EQ(s.fade, 0.0f);
  EXPECT_EQ(s.fadeRate, 1);
  EXPECT_TRUE(s.sourcePlaying);

  Step(*sound, 100);
  EXPECT_NEAR(sound->Music().fade, 0.2f, 1e-4);
  Step(*sound, 450);
  s = sound->Music();
  EXPECT_FLOAT_EQ(s.fade, 1.0f);
  EXPECT_EQ(s.fadeRate, 0);
  EXPECT_FLOAT_EQ(s.gain, 0.8f);
}

TEST_F(SoundMusic, TheLastRequestWins) {
  auto sound = Make();
  sound->PlayMusic("a");
  // C requested while A fades out towards B: C replaces A at once, B is forgotten.
  sound->PlayMusic("b");
  Step(*sound, 100);
  sound->PlayMusic("c");
  SoundSystem::MusicStatus s = sound->Music();
  EXPECT_EQ(s.current, "c");
  EXPECT_TRUE(s.pending.empty());
  EXPECT_FLOAT_EQ(s.fade, 0.0f);
  EXPECT_EQ(s.fadeRate, 1);
  for (int i = 0; i < 6; ++i) Step(*sound, 100);
  EXPECT_EQ(sound->Music().current, "c");
  EXPECT_FLOAT_EQ(sound->Music().fade, 1.0f);

  // Asking for the pending track again changes nothing; asking for the current one cancels
  // the change and fades back in.
  sound->PlayMusic("a");
  sound->PlayMusic("a");
  EXPECT_EQ(sound->Music().pending, "a");
  Step(*sound, 200);
  sound->PlayMusic("c");
  s = sound->Music();
  EXPECT_TRUE(s.pending.empty());
  EXPECT_EQ(s.fadeRate, 1);
  for (int i = 0; i < 6; ++i) Step(*sound, 100);
  s = sound->Music();
  EXPECT_EQ(s.current, "c");
  EXPECT_FLOAT_EQ(s.fade, 1.0f);
}

TEST_F(SoundMusic, PauseFadesOutAndPausesEffectsResumeBringsThemBack) {
  content_.Add("sounds/hum.ogg", Tone(220, 0.5, 1));
  auto sound = Make();
  sound->LoadSound("hum.ogg");
  const SoundSystem::Handle hum = sound->PlaySound("hum", true);
  sound->PlayMusic("a");
  sound->Pause();
  ALint state = 0;
  alGetSourcei(hum, AL_SOURCE_STATE, &state);
  EXPECT_EQ(state, AL_PAUSED);
  EXPECT_EQ(sound->Music().fadeRate, -1);
  for (int i = 0; i < 6; ++i) Step(*sound, 100);
  EXPECT_FLOAT_EQ(sound->Music().fade, 0.0f);
  EXPECT_EQ(sound->Music().fadeRate, 0);

  // A change requested while inactive happens silently and waits for the window.
  sound->PlayMusic("b");
  Step(*sound, 10);
  EXPECT_EQ(sound->Music().current, "b");
  EXPECT_EQ(sound->Music().fadeRate, 0);
  EXPECT_FLOAT_EQ(sound->Music().gain, 0.0f);
  // Nor does the volume coming back from 0 fade it in while the window is inactive.
  sound->SetMusicVolume(0.0f);
  sound->SetMusicVolume(0.6f);
  EXPECT_EQ(sound->Music().fadeRate, 0);
  EXPECT_FLOAT_EQ(sound->Music().gain, 0.0f);

  sound->Resume();
  alGetSourcei(hum, AL_SOURCE_STATE, &state);
  EXPECT_EQ(state, AL_PLAYING);
  EXPECT_EQ(sound->Music().fadeRate, 1);
  for (int i = 0; i < 6; ++i) Step(*sound, 100);
  EXPECT_FLOAT_EQ(sound->Music().fade, 1.0f);
  EXPECT_FLOAT_EQ(sound->Music().gain, 0.6f);
  EXPECT_TRUE(sound->Music().sourcePlaying);
}

TEST_F(SoundMusic, SilentMusicRunsDryAndRestartsWhenTheVolumeComesBack) {
  auto sound = Make();
  sound->PlayMusic("fast");
  sound->SetMusicVolume(0.0f);
  EXPECT_FLOAT_EQ(sound->Music().gain, 0.0f);
  const auto deadline = std::chrono::steady_clock::now() + 3s;
  while (sound->Music().sourcePlaying && std::chrono::steady_clock::now() < deadline) {
    Step(*sound, 50);
    std::this_thread::sleep_for(50ms);
  }
  EXPECT_FALSE(sound->Music().sourcePlaying) << "nothing was refilled while silent";
  sound->SetMusicVolume(0.5f);
  EXPECT_EQ(sound->Music().fadeRate, 1);
  Step(*sound, 10);
  EXPECT_TRUE(sound->Music().sourcePlaying);
  EXPECT_FLOAT_EQ(sound->Music().gain, 0.5f);
}

TEST_F(SoundMusic, ShortTrackLoopsWithoutRunningDry) {
  auto sound = Make();
  sound->PlayMusic("short");
  for (int i = 0; i < 25; ++i) {
    Step(*sound, 40);
    std::this_thread::sleep_for(40ms);
  }
  EXPECT_TRUE(sound->Music().sourcePlaying);
  EXPECT_EQ(sound->Music().current, "short");
}

TEST_F(SoundMusic, DamagedTracksStopTheMusicWithoutStalling) {
  const Bytes good = Tone(440, 3.0);
  std::mt19937 random(77);
  for (int round = 0; round < 24; ++round) {
    Bytes bad = good;
    if (round == 0) {
      bad.clear();
    } else if (round % 3 == 0) {
      bad.resize(size_t(random() % good.size()));
    } else {
      for (int i = 0; i < 40; ++i) bad[random() % bad.size()] = uint8_t(random());
      for (const OggPage& page : OggPages(bad)) FixPageChecksum(bad, page);
    }
    content_.Add("music/bad.ogg", bad);
    auto sound = Make();
    sound->PlayMusic("a");
    sound->PlayMusic("bad");
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 40; ++i) Step(*sound, 25);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << "round " << round;
    const SoundSystem::MusicStatus s = sound->Music();
    // Either what could be decoded plays, or the music has stopped; never the old track.
    EXPECT_NE(s.current, "a") << "round " << round;
    EXPECT_TRUE(s.state == 0 ? s.current.empty() : s.current == "bad") << "round " << round;
    // The system still works for the next change.
    sound->PlayMusic("c");
    for (int i = 0; i < 40; ++i) Step(*sound, 25);
    EXPECT_EQ(sound->Music().current, "c") << "round " << round;
  }
}
