// The streaming thread against the main thread: it stops promptly at shutdown, and the one
// music lock keeps every request intact while both threads (and a decoding worker) run.
// Run this also under ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "SoundTestSupport.h"
#include "sound/SoundSystem.h"

using namespace soundtest;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

class SoundStreamer : public ::testing::Test {
 protected:
  void SetUp() override {
    content_.Add("music/a.ogg", Tone(440, 1.0));
    content_.Add("music/b.ogg", Tone(554, 0.4));
    content_.Add("music/c.ogg", Tone(659, 1.0, 1, 22050));
    content_.Add("sounds/beep.ogg", Tone(1000, 0.1, 1));
  }
  ContentFolder content_;
};

}  // namespace

TEST_F(SoundStreamer, StopsPromptlyAtShutdown) {
  for (int round = 0; round < 6; ++round) {
    auto sound = std::make_unique<SoundSystem>(content_.files, 70, 100);
    EXPECT_TRUE(sound->StreamerRunning());
    if (round % 2) sound->PlayMusic("a");
    if (round % 3 == 2) sound->PlayMusic("b");  // a fade is running at shutdown
    std::this_thread::sleep_for(std::chrono::milliseconds(round * 37));
    const auto start = Clock::now();
    sound.reset();
    EXPECT_LT(Clock::now() - start, 300ms) << "round " << round;
  }
}

TEST_F(SoundStreamer, ConcurrentRequestsKeepTheLastOne) {
  SoundSystem sound(content_.files, 100, 100);
  ASSERT_TRUE(sound.StreamerRunning());

  // A precache worker decodes while the main thread finishes, as the splash screen does.
  std::atomic<bool> stop{false};
  std::atomic<bool> decodedReady{false};
  std::thread worker([&] {
    while (!stop.load()) {
      if (decodedReady.load(std::memory_order_acquire)) {
        std::this_thread::sleep_for(1ms);
        continue;
      }
      sound.DecodeSound("beep.ogg");
      decodedReady.store(true, std::memory_order_release);
    }
  });

  std::mt19937 random(4242);
  const char* const names[] = {"a", "b", "c"};
  const auto end = Clock::now() + 1500ms;
  int finished = 0;
  while (Clock::now() < end) {
    switch (random() % 7) {
      case 0:
      case 1:
      case 2:
        sound.PlayMusic(names[random() % 3]);
        break;
      case 3:
        sound.Pause();
        break;
      case 4:
        sound.Resume();
        break;
      case 5:
        sound.SetMusicVolume(float(random() % 5) / 4.0f);
        break;
      case 6:
        sound.PlaySound("beep");
        break;
    }
    if (decodedReady.load(std::memory_order_acquire)) {
      sound.FinishDecoded();
      ++finished;
      if (finished % 2) sound.UnloadSound("beep");
      decodedReady.store(false, std::memory_order_release);
    }
    sound.Update();
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
  }
  stop.store(true);
  worker.join();
  EXPECT_GT(finished, 0);

  sound.Resume();
  sound.SetMusicVolume(1.0f);
  sound.PlayMusic("c");
  SoundSystem::MusicStatus s = sound.Music();
  const auto deadline = Clock::now() + 3s;
  while (Clock::now() < deadline &&
         !(s.current == "c" && s.pending.empty() && s.fadeRate == 0 && s.fade == 1.0f)) {
    std::this_thread::sleep_for(20ms);
    s = sound.Music();
  }
  EXPECT_EQ(s.current, "c");
  EXPECT_TRUE(s.pending.empty());
  EXPECT_EQ(s.fadeRate, 0);
  EXPECT_FLOAT_EQ(s.fade, 1.0f);
  EXPECT_EQ(s.state, 2);
  EXPECT_TRUE(s.sourcePlaying);
}
