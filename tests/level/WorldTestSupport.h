#pragma once
// Small hand-built worlds for the tests of world objects: a descriptor set, a level read from
// a text, the object updater, and recorders for sounds and dialogs.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "LevelTestSupport.h"
#include "level/GameSettings.h"
#include "level/LevelObjectUpdater.h"
#include "level/LevelSounds.h"

namespace leveltest {

class RecordedSounds : public LevelSounds {
 public:
  void Play(std::string_view name) override { played.emplace_back(name); }
  // A looped sound is recorded as played, with a handle of its own; stops are recorded.
  int PlayLooped(std::string_view name) override {
    Play(name);
    return ++loops;
  }
  void Stop(int handle) override { stopped.push_back(handle); }
  std::vector<std::string> played;
  int loops = 0;
  std::vector<int> stopped;
};

// Records the dialog triggers fired, as (object id, trigger).
class RecordedDialogs : public FakeLevelServices {
 public:
  void FireDialogs(Level&, WorldObject& object, int trigger) override {
    fired.emplace_back(object.id, trigger);
  }
  std::vector<std::pair<int, int>> fired;
};

// Descriptors every world test shares. Obstacles: 10 plain, 11 worked by special type 2,
// 12 costs 5 food, 13 pulses (scaleTime 200, scalePercent 10), 30 a product with fade 500.
// Buildings: 40 produces 30 every 20 s, 41 produces nothing, 42 names a product that is no
// obstacle, 43 pulses (scaleTime 100, scalePercent 10; obstacle 43 shares its number and does
// not). The product 30 shows the texture "field", a 2 x 2 sheet of 4 frames.
inline const char* kWorldDescriptors = R"(<DescTable>
  <Object id="10" class="0" time="30"/>
  <Object id="11" class="0" time="30" work="2"/>
  <Object id="12" class="0" time="30" cost="5,0,0"/>
  <Object id="13" class="0" time="30" scaleTime="200" scalePercent="10"/>
  <Object id="14" class="0" time="30" draw="2"/>
  <Object id="30" class="0" time="30" income="3,0,0" fade="500"/>
  <Object id="40" class="1" income="30" respawn="20"/>
  <Object id="41" class="1" type="2" value="1"/>
  <Object id="42" class="1" income="99" respawn="7"/>
  <Object id="43" class="0" time="30"/>
  <Object id="43" class="1" scaleTime="100" scalePercent="10"/>
</DescTable>)";

class World {
 public:
  // dresses: the lands' dress table ("land_dress"), none when empty.
  explicit World(const std::string& dresses = "") {
    if (!dresses.empty()) content_.Set("land_dress.xml", dresses);
    content_.Set("objects_params.xml", kWorldDescriptors);
    content_.Set("obj_textures.xml", R"(<Objects><Object id="30" tex="field"/></Objects>)");
    content_.Set("anim_params.xml",
                 R"(<DescTable><Anim name="field" l="4" x="2" y="2" t="50" w="40" h="20"/>
                    </DescTable>)");
    content_.Set("objects_particles.xml",
                 R"(<Particles><Object spr="house" par="smoke" x="5" y="30"/></Particles>)");
    content_.Set("selector_info.xml",
                 R"(<Selectors><Object spr="rock" x="0" y="-8" w="1.5"/></Selectors>)");
    EXPECT_TRUE(content_.Load(descriptors, textures));
    level = std::make_unique<Level>(descriptors, &textures, &services);
    updater = std::make_unique<LevelObjectUpdater>(*level, settings, nullptr, &sounds);
  }

  // Reads a level and begins it; objects are then reachable by id through Get.
  void Begin(const std::string& text) {
    ASSERT_TRUE(level->ReadLevel(text)) << level->readError;
    level->PrepareObjects();
  }
  WorldObject& Get(int id) {
    for (auto* list : {&level->objects, &level->workers})
      for (auto& o : *list)
        if (o->id == id) return *o;
    ADD_FAILURE() << "no object " << id;
    static WorldObject none;
    return none;
  }
  // n frames of frameTime ms: the animation update, then the object update.
  void Frames(int n, float frameTime) {
    for (int i = 0; i < n; ++i) {
      updater->Animate(frameTime);
      updater->UpdateObjects(frameTime);
      level->RemoveFlagged();
    }
  }

  FakeTextures textures;
  GameDescriptors descriptors;
  RecordedDialogs services;
  RecordedSounds sounds;
  GameSettings settings;
  std::unique_ptr<Level> level;
  std::unique_ptr<LevelObjectUpdater> updater;

 private:
  ContentFolder content_;
};

}  // namespace leveltest
