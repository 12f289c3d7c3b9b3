// Effects of the SoundSystem: the missing device, decoding for the precache worker, playing,
// reclaiming, volumes, unloading and the effect listing.
#include <AL/al.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "SoundTestSupport.h"
#include "sound/SoundSystem.h"

using namespace soundtest;
using namespace std::chrono_literals;

namespace {

SoundOptions Quiet() {
  SoundOptions options;
  options.startStreamer = false;
  options.notify = [](const char*, const std::string&) { ADD_FAILURE() << "no device"; };
  return options;
}

ALint StateOf(ALuint source) {
  ALint state = 0;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

class SoundEffects : public ::testing::Test {
 protected:
  void SetUp() override {
    content_.Add("sounds/click.ogg", Tone(1000, 0.1, 1));
    content_.Add("sounds/hum.ogg", Tone(220, 0.5, 1));
    content_.Add("sounds/vo/line_01.ogg", Tone(300, 0.1, 1));
    content_.Add("sounds/broken.ogg", Bytes{'O', 'g', 'g', 'S', 0, 2});
    content_.Add("sounds/empty.ogg", {});
  }
  ContentFolder content_;
};

}  // namespace

TEST(SoundNoDevice, ShowsTheMessageAndRunsSilently) {
  ContentFolder content;
  content.Add("sounds/click.ogg", Tone(1000, 0.1, 1));
  content.Add("music/theme.ogg", Tone(440, 0.5));
  SoundOptions options;
  options.deviceName = "No Such Device";
  options.musicVolume = 40;
  std::string caption, text;
  options.notify = [&](const char* c, const std::string& t) {
    caption = c;
    text = t;
  };
  SoundSystem sound(content.files, options);
  EXPECT_FALSE(sound.HasAudio());
  EXPECT_EQ(caption, "Game");
  EXPECT_EQ(text, "No sound device has been detected.\nThe game will continue without audio.\n");
  EXPECT_FALSE(sound.StreamerRunning());

  sound.LoadSound("click.ogg");
  EXPECT_FALSE(sound.IsLoaded("click"));
  EXPECT_EQ(sound.PlaySound("click"), SoundSystem::kNoSound);
  std::vector<std::string> list{"stale"};
  sound.ListEffectFiles(list);
  EXPECT_TRUE(list.empty());
  sound.PlayMusic("theme");
  EXPECT_EQ(sound.Music().state, 0);
  sound.Pause();
  sound.Resume();
  sound.Update();
  sound.StreamStep();
  EXPECT_FLOAT_EQ(sound.MusicVolume(), 0.4f);
}

TEST_F(SoundEffects, ListsEffectFilesWithoutVoiceLines) {
  SoundSystem sound(content_.files, Quiet());
  std::vector<std::string> list;
  sound.ListEffectFiles(list);
  EXPECT_EQ(list, (std::vector<std::string>{"broken.ogg", "click.ogg", "empty.ogg", "hum.ogg"}));
}

TEST_F(SoundEffects, DecodedSoundPlaysAndFinishedVoicesAreReclaimed) {
  SoundSystem sound(content_.files, Quiet());
  // The precache worker decodes on its own thread; the main thread finishes.
  std::thread worker([&] { sound.DecodeSound("click.ogg"); });
  worker.join();
  EXPECT_FALSE(sound.IsLoaded("click"));
  sound.FinishDecoded();
  EXPECT_TRUE(sound.IsLoaded("click"));
  sound.LoadSound("hum.ogg");
  sound.LoadSound("line_01.ogg");  // voice lines load on demand by file name
  EXPECT_TRUE(sound.IsLoaded("line_01"));

  EXPECT_EQ(sound.PlaySound("missing"), SoundSystem::kNoSound);
  const SoundSystem::Handle once = sound.PlaySound("click");
  const SoundSystem::Handle looped = sound.PlaySound("hum", true);
  ASSERT_NE(once, SoundSystem::kNoSound);
  ASSERT_NE(looped, SoundSystem::kNoSound);
  EXPECT_EQ(sound.VoiceCount(), 2u);

  std::this_thread::sleep_for(700ms);  // longer than both sounds
  sound.Update();
  EXPECT_EQ(sound.VoiceCount(), 1u) << "the looped effect keeps its source";
  EXPECT_EQ(StateOf(looped), AL_PLAYING);

  sound.PauseSound(looped);
  sound.Update();
  EXPECT_EQ(sound.VoiceCount(), 1u) << "a paused effect is kept";
  sound.ResumeSound(looped);
  EXPECT_EQ(StateOf(looped), AL_PLAYING);
  // Handles that are not live effects are ignored.
  sound.StopSound(once);
  sound.StopSound(looped + 1000);
  EXPECT_EQ(StateOf(looped), AL_PLAYING);
  sound.StopSound(looped);
  sound.Update();
  EXPECT_EQ(sound.VoiceCount(), 0u);
}

TEST_F(SoundEffects, EffectGainIsTheSquareOfTheVolume) {
  SoundOptions options = Quiet();
  options.effectsVolume = 50;
  SoundSystem sound(content_.files, options);
  EXPECT_FLOAT_EQ(sound.EffectsVolume(), 0.5f);
  sound.LoadSound("hum.ogg");
  const SoundSystem::Handle voice = sound.PlaySound("hum", true);
  float gain = 0.0f;
  alGetSourcef(voice, AL_GAIN, &gain);
  EXPECT_FLOAT_EQ(gain, 0.25f);
  sound.SetEffectsVolume(0.8f);  // playing effects follow
  alGetSourcef(voice, AL_GAIN, &gain);
  EXPECT_FLOAT_EQ(gain, 0.64f);
  sound.SetEffectsVolume(7.0f);
  EXPECT_FLOAT_EQ(sound.EffectsVolume(), 1.0f);
}

TEST_F(SoundEffects, UnloadingAPlayingSoundStopsItCleanly) {
  SoundSystem sound(content_.files, Quiet());
  sound.LoadSound("hum.ogg");
  const SoundSystem::Handle voice = sound.PlaySound("hum", true);
  ASSERT_EQ(StateOf(voice), AL_PLAYING);
  alGetError();
  sound.UnloadSound("hum");
  EXPECT_EQ(alGetError(), AL_NO_ERROR);
  EXPECT_FALSE(sound.IsLoaded("hum"));
  EXPECT_EQ(StateOf(voice), AL_STOPPED);
  sound.Update();
  EXPECT_EQ(sound.VoiceCount(), 0u);
  EXPECT_EQ(sound.PlaySound("hum"), SoundSystem::kNoSound);
  // Loading it again works, as for a voice line that is needed once more.
  sound.LoadSound("hum.ogg");
  EXPECT_NE(sound.PlaySound("hum"), SoundSystem::kNoSound);
}

TEST_F(SoundEffects, BadFilesLeaveTheSoundMissing) {
  SoundSystem sound(content_.files, Quiet());
  for (const char* file : {"broken.ogg", "empty.ogg", "missing.ogg"}) {
    sound.LoadSound(file);
    const std::string name(file, std::strlen(file) - 4);
    EXPECT_FALSE(sound.IsLoaded(name)) << file;
    EXPECT_EQ(sound.PlaySound(name), SoundSystem::kNoSound);
  }
  // A failed decode empties the pending slot rather than keeping an earlier sound.
  sound.DecodeSound("click.ogg");
  sound.DecodeSound("broken.ogg");
  sound.FinishDecoded();
  EXPECT_FALSE(sound.IsLoaded("click"));
}
