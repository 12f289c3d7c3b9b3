// Damaged and hostile level files, begun and run for thousands of frames of update and
// draw: every frame completes, and nothing is read out of range (the sanitizer build checks
// the reads).
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>

#include "WorldTestSupport.h"
#include "base/Random.h"
#include "data/Language.h"
#include "graphics/RecordingDevice.h"
#include "graphics/Renderer.h"
#include "graphics/TextureManager.h"
#include "level/GameController.h"
#include "level/HeadlessLevelScreen.h"
#include "level/LevelDrawer.h"

using namespace leveltest;
using F = ObjectFlags;

namespace {

// The demo descriptors, a renderer on the recording device with a small texture for every
// name a level uses, and the loop of a running level without workers.
class HostileLevels : public ::testing::Test {
 protected:
  HostileLevels() {
    fs.Mount(DemoGame() + "/content");
    MountLocale(fs, "en", false, DemoGame() + "/");
    strings = std::make_unique<StringTable>(fs);
    EXPECT_TRUE(descriptors.LoadGameDescriptors(fs, *strings, media));
    auto owned = std::make_unique<RecordingDevice>();
    device = owned.get();
    renderer = std::make_unique<Renderer>(std::move(owned));
    renderer->SetAspectMode(AspectMode::Screen15x9);
    EXPECT_TRUE(renderer->Init(false, false));
    textures = std::make_unique<TextureManager>(empty, *renderer);
    drawer = std::make_unique<LevelDrawer>(*renderer, *textures, settings);
  }
  ~HostileLevels() override {
    drawer.reset();
    textures.reset();
  }

  void MakeTextures(const Level& level) {
    std::set<std::string> names;
    for (const auto* list : {&level.objects, &level.workers})
      for (const auto& o : *list) names.insert(o->texture);
    for (const std::string& name : names) {
      if (name.empty() || textures->Find(name, false)) continue;
      const uint8_t pixels[4 * 4 * 4] = {};
      // Every fourth name is a wide picture.
      const int flags = kTextureAlpha | (names.size() % 4 == 0 ? kTexturePackedWide : 0);
      textures->CreateFromPixels(name, 4, 4, PixelFormat::RGBA8, flags, pixels);
    }
  }

  // Begins the level and runs it; the frame steps vary, and every so often the world is
  // disturbed the way the rules of later systems will disturb it.
  void Run(const std::string& text, int frames, uint32_t seed) {
    Level level(descriptors, &media, &services);
    if (!level.ReadLevel(text)) {
      ++refused;  // refused as a whole: nothing to run
      return;
    }
    ++ran;
    level.PrepareObjects();
    MakeTextures(level);
    LevelObjectUpdater updater(level, settings, nullptr, &sounds);
    updater.SetFrameHook([](WorldObject& o, int frame) {
      ASSERT_TRUE(o.sprite);
      ASSERT_GE(frame, -o.sprite->LoopStart());
      ASSERT_LT(frame, o.sprite->Frames());
    });
    std::mt19937 random(seed);
    SeedRandom(seed);
    LevelDrawOptions options;
    for (int frame = 0; frame < frames; ++frame) {
      const float step = float(random() % 100) + (random() % 8 == 0 ? 0.5f : 1.0f);
      updater.Animate(step);
      if (IsOrdinary(level.mode)) level.MarkReachable();
      updater.UpdateObjects(step);
      if (!level.objects.empty() && random() % 16 == 0) {
        WorldObject& o = *level.objects[random() % level.objects.size()];
        switch (random() % 6) {
          case 0:
            level.Show(o, random() % 2 == 0);
            break;
          case 1:
            level.Fade(o, int(random() % 5) - 2, float(random() % 2000));
            break;
          case 2:
            level.ArmRespawn(o);
            break;
          case 3:
            o.Set(F::kPassable | F::kInProcess);
            break;
          case 4:
            if (random() % 8 == 0) o.Set(F::kDelete);
            break;
          case 5:
            if (o.sprite) o.sprite->Restart();
            break;
        }
      }
      level.RemoveFlagged();
      level.gameTime += int(step);
      options.hovered =
          level.objects.empty() ? nullptr : level.objects[random() % level.objects.size()].get();
      options.expert = random() % 2 == 0;
      device->ClearLog();
      renderer->BeginFrame();
      drawer->Draw(level, options);
      renderer->EndFrame();
      drawnQuads += device->Count(RecordingDevice::Op::DrawQuads);
      for (const auto& call : device->CallsOf(RecordingDevice::Op::DrawQuads)) {
        ASSERT_LE(call.a, 2048);
      }
      for (const auto& o : level.objects) {
        if (o->sprite) {
          ASSERT_EQ(o->sprite->current, o->sprite->Clamp(o->sprite->current));
        }
      }
    }
  }

  // Begins the level with its workers and plays it through the controller: a click on a
  // random point (or straight on a random object) every few frames, the level ending near
  // the close, and every frame drawn.
  void Play(const std::string& text, int frames, uint32_t seed) {
    Level level(descriptors, &media, &services);
    if (!level.ReadLevel(text)) return;
    ++ran;
    HeadlessLevelScreen screen;
    GameController game(level, settings, screen, &sounds);
    game.Begin();
    MakeTextures(level);
    std::mt19937 random(seed);
    SeedRandom(seed);
    LevelDrawOptions options;
    for (int frame = 0; frame < frames; ++frame) {
      if (random() % 4 == 0) {
        WorldObject* p = game.PickHovered(
            Vec2{float(int(random() % 1280) - 640), float(int(random() % 768) - 384)});
        if (!p && !level.objects.empty() && random() % 4 == 0) {
          p = level.objects[random() % level.objects.size()].get();
        }
        game.Hover(p);
        game.Click(p);
      }
      if (frame == frames - 1500) game.endTimer = 0;
      if (game.Ended()) game.walker.ExitWalk();
      game.Frame(float(random() % 60) + 1.0f);
      ASSERT_LE(level.commandQueue.size(), 3u);
      ASSERT_GE(level.activeWorkers, 0);
      ASSERT_LE(level.activeWorkers, 8);
      options.hoveredWaypoint = game.Hovered();
      device->ClearLog();
      renderer->BeginFrame();
      drawer->Draw(level, options);
      renderer->EndFrame();
    }
    sent += int(screen.Lines("cmd_ok").size());
  }

  int ran = 0, refused = 0, sent = 0;
  long drawnQuads = 0;
  FakeTextures media;
  FileSystem fs;
  FileSystem empty;
  std::unique_ptr<StringTable> strings;
  GameDescriptors descriptors;
  GameSettings settings;
  RecordedDialogs services;
  RecordedSounds sounds;
  RecordingDevice* device = nullptr;
  std::unique_ptr<Renderer> renderer;
  std::unique_ptr<TextureManager> textures;
  std::unique_ptr<LevelDrawer> drawer;
};

TEST_F(HostileLevels, EachKnownBadInputRuns) {
  const std::pair<const char*, const char*> cases[] = {
      {"link cycles",
       R"(<object id="1" tex="farm" class="2" subclass="42" obj_link="2"/>
          <object id="2" tex="a" class="1" subclass="10" flags="j" sprite="2,1,10,0,2,0" obj_link="3"/>
          <object id="3" tex="b" class="0" obj_link="1"/>
          <object id="4" tex="self" class="1" subclass="10" obj_link="4"/>)"},
      {"frame times of zero and below",
       R"(<object id="1" tex="a" class="0" sprite="4,4,-100,0,16,0"/>
          <object id="2" tex="a" class="0" sprite="4,4,-1,0,16,0" animtime="1,2"/>)"},
      {"sheets without columns or rows, loop starts past the end",
       R"(<object id="1" tex="a" class="0" sprite="0,-3,10,0,0,0"/>
          <object id="2" tex="a" class="0" sprite="2,2,10,50,4,9" animtime="0,1"/>
          <object id="3" tex="a" class="0" sprite="1024,1024,1,65536,65536,65536"/>)"},
      {"respawn maxima below minima, negative and huge ranges",
       R"(<object id="1" tex="a" class="1" subclass="10" flags="cg" respawn="9,2"/>
          <object id="2" tex="a" class="1" subclass="10" flags="cg" respawn="-5,-9"/>
          <object id="3" tex="a" class="1" subclass="10" flags="cgr" respawn="1000000,1000000"
                  resp_time="2147483647" start_time="-5"/>)"},
      {"ids that name nothing",
       R"(<object id="1" tex="a" class="1" subclass="999" obj_link="77"/>
          <object id="2" class="3" subclass="1" links="88,89,90" obj_link="99"/>
          <object id="3" class="4" subclass="4242"/>)"},
      {"waypoint subclasses above 13, links to objects that are no waypoints",
       R"(<object id="1" class="3" subclass="14" links="2"/>
          <object id="2" tex="a" class="1" subclass="10" links="1"/>
          <object id="3" class="3" subclass="65535" links="2,3,1"/>
          <object id="4" class="3" subclass="1" links="3,2,4"/>)"},
      {"absurd sizes, positions, speeds and fades",
       R"(<object id="1" tex="a" class="0" pos="1e30,-1e30" size="1e30,-1e30" rot="1e30"/>
          <object id="2" tex="a" class="1" subclass="13" flags="xA" tex_speed="1e30,-1e30"
                  ani_ref="13" alpha_state="2,99999" obj_link="1"/>
          <object id="3" tex="a" class="8" alpha_state="-2,1275" size="nan,inf"/>
          <object id="4" tex="a" class="6" flags="p" size="5,5"/>)"},
  };
  for (const auto& [what, objects] : cases) {
    SCOPED_TRACE(what);
    const auto started = std::chrono::steady_clock::now();
    Run(std::string("<level>") + objects + "</level>", 3000, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
  }
  EXPECT_EQ(ran, 7);
  EXPECT_GT(drawnQuads, 1000);  // the frames did draw
}

// Every attribute a mutation may break, with values that are hostile to it.
const std::vector<std::pair<std::string, std::vector<std::string>>> kMutations = {
    {"obj_link", {"1", "2", "3", "100", "101", "65535", "-1", "0"}},
    {"subclass", {"0", "1", "13", "14", "40", "999", "65535", "-7"}},
    {"class", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
    {"links", {"1,2,3", "100,100,100", "65535", "0,0,0", "-4,5"}},
    {"sprite", {"0,0,0,0,0,0", "3,3,-5,0,9,0", "-1,-1,10,9,3,7", "2,2,1,0,65536,70000"}},
    {"respawn", {"1,1", "3,2", "0,0", "-1,5", "1000000,-1000000"}},
    {"animtime", {"10,10", "-1,0", "0,5", "2147483647,1", "5,-5"}},
    {"size", {"0,0", "-20,-20", "1e30,1e30", "nan,5"}},
    {"flags", {"abcdefghijklmnopqrstuvwxyzABCDE", "jl", "Ag", "x", "dr", "io", "cgD"}},
    {"tex_speed", {"1e30,1e30", "-50,0", "nan,nan"}},
    {"alpha_state", {"-1,0", "2,1275", "1,99999"}},
    {"resp_time", {"0", "1", "-5", "2147483647"}},
    {"start_time", {"0", "-1", "2147483647"}},
};

// Sets (or adds) an attribute in the n-th element that starts with "<object".
std::string Mutate(std::string text, std::mt19937& random) {
  std::vector<size_t> starts;
  for (size_t at = text.find("<object"); at != std::string::npos; at = text.find("<object", at + 1))
    starts.push_back(at);
  if (starts.empty()) return text;
  const size_t at = starts[random() % starts.size()];
  const size_t end = text.find("/>", at);
  if (end == std::string::npos) return text;
  const auto& [attr, values] = kMutations[random() % kMutations.size()];
  const std::string value = values[random() % values.size()];
  std::string element = text.substr(at, end - at);
  const std::string key = " " + attr + "=\"";
  const size_t found = element.find(key);
  const size_t close = found == std::string::npos ? found : element.find('"', found + key.size());
  if (close != std::string::npos) {
    element.replace(found, close + 1 - found, key + value + "\"");
  } else {
    element += key + value + "\" ";
  }
  return text.substr(0, at) + element + text.substr(end);
}

TEST_F(HostileLevels, MutatedDemoLevelsRunThousandsOfFrames) {
  std::vector<std::string> levels;
  for (const auto& entry : std::filesystem::directory_iterator(DemoGame() + "/content/levels")) {
    if (entry.path().extension() == ".xml") levels.push_back(ReadText(entry.path().string()));
  }
  ASSERT_GE(levels.size(), 4u);
  std::mt19937 random(20240611);
  for (int round = 0; round < 12; ++round) {
    std::string text = levels[size_t(round) % levels.size()];
    const int mutations = 10 + int(random() % 40);
    for (int m = 0; m < mutations; ++m) text = Mutate(text, random);
    SCOPED_TRACE("round " + std::to_string(round));
    Run(text, 1500, uint32_t(round));
  }
  EXPECT_GE(ran, 10);  // a mutation may make a level unreadable, but most stay readable
}

TEST_F(HostileLevels, MutatedDemoLevelsPlayedWithTenThousandFramesOfClicks) {
  std::vector<std::string> levels;
  for (const auto& entry : std::filesystem::directory_iterator(DemoGame() + "/content/levels")) {
    if (entry.path().extension() == ".xml") levels.push_back(ReadText(entry.path().string()));
  }
  ASSERT_GE(levels.size(), 4u);
  std::mt19937 random(77);
  for (int round = 0; round < 4; ++round) {
    std::string text = levels[size_t(round + 1) % levels.size()];
    const int mutations = round == 0 ? 0 : 5 + int(random() % 20);
    for (int m = 0; m < mutations; ++m) text = Mutate(text, random);
    SCOPED_TRACE("round " + std::to_string(round));
    Play(text, 10000, uint32_t(round));
    if (HasFatalFailure()) return;
  }
  EXPECT_GE(ran, 3);
  EXPECT_GT(sent, 20);  // workers went out
}

}  // namespace
