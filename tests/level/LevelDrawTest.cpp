// Drawing a level into the recording device: what is drawn in which order, with which
// textures, blending, sampling, colours and geometry. Also the level's effect layer: effects
// follow their objects, and none outlives the particle service.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "WorldTestSupport.h"
#include "graphics/RecordingDevice.h"
#include "graphics/Renderer.h"
#include "graphics/TextureManager.h"
#include "level/LevelDrawer.h"
#include "level/LevelEffects.h"
#include "particles/ParticleManager.h"
#include "particles/PyroFormat.h"

using namespace leveltest;
using F = ObjectFlags;
using Op = RecordingDevice::Op;

namespace {

// One quad as the device received it, with the state it was drawn in.
struct DrawnQuad {
  std::string texture;
  bool additive = false;
  bool wrap = false;
  Vertex v[4];
  float CentreX() const { return (v[0].x + v[2].x) / 2; }
  float CentreY() const { return (v[0].y + v[2].y) / 2; }
  uint8_t Alpha() const { return uint8_t(v[0].colour >> 24); }
};

// A renderer on the recording device with named textures made in memory, and a world.
class DrawFixture : public ::testing::Test {
 protected:
  DrawFixture() {
    auto owned = std::make_unique<RecordingDevice>();
    device = owned.get();
    device->keepVertices = true;
    renderer = std::make_unique<Renderer>(std::move(owned));
    renderer->SetAspectMode(AspectMode::Screen15x9);
    EXPECT_TRUE(renderer->Init(false, false));
    textures = std::make_unique<TextureManager>(files, *renderer);
  }
  ~DrawFixture() override {
    drawer.reset();
    textures.reset();
  }

  // A w x h texture (or a wide picture); padded to pw x ph when given.
  Texture* Make(const std::string& name, int w = 8, int h = 8, int flags = kTextureAlpha) {
    std::vector<uint8_t> pixels(size_t(w) * h * 4, 200);
    Texture* t = textures->CreateFromPixels(name, w, h, PixelFormat::RGBA8, flags, pixels.data());
    names[t->deviceTexture] = name;
    return t;
  }

  void Begin(const std::string& text) {
    world.Begin(text);
    drawer = std::make_unique<LevelDrawer>(*renderer, *textures, world.settings);
  }

  // Draws the level and returns every quad drawn, in order.
  std::vector<DrawnQuad> Draw(const LevelDrawOptions& options = {}) {
    device->ClearLog();
    renderer->BeginFrame();
    drawer->Draw(*world.level, options);
    renderer->EndFrame();
    std::vector<DrawnQuad> quads;
    std::string bound;
    bool additive = false, wrap = false;
    for (const auto& call : device->calls) {
      if (call.op == Op::BindTexture && call.a == 0) bound = names[DeviceTextureHandle(call.b)];
      if (call.op == Op::Blend) additive = call.b == int(BlendFactor::One);
      if (call.op == Op::AddressU) wrap = call.a != 0;
      if (call.op != Op::DrawQuads && call.op != Op::DrawIndexed) continue;
      for (size_t i = 0; i + 3 < call.vertices.size(); i += 4) {
        DrawnQuad q{bound, additive, wrap, {}};
        for (int k = 0; k < 4; ++k) q.v[k] = call.vertices[i + size_t(k)];
        quads.push_back(q);
      }
    }
    return quads;
  }
  static std::vector<std::string> Textures(const std::vector<DrawnQuad>& quads) {
    std::vector<std::string> list;
    for (const auto& q : quads) list.push_back(q.texture);
    return list;
  }

  RecordingDevice* device = nullptr;
  std::unique_ptr<Renderer> renderer;
  FileSystem files;
  std::unique_ptr<TextureManager> textures;
  std::map<DeviceTextureHandle, std::string> names;
  World world;
  std::unique_ptr<LevelDrawer> drawer;
};

TEST_F(DrawFixture, ObjectsInListOrderWithTheWorkerLayerFogAndStates) {
  Make("ground", 1024, 1024, kTextureAlpha | kTexturePackedWide);
  for (const char* name : {"tree", "glow", "mist", "river", "walker", "far", "hidden", "lamp"})
    Make(name);
  Begin(R"(<level>
      <object id="1" tex="ground" class="0" flags="b" size="640,384"/>
      <object id="5" tex="mist" class="5" size="50,50"/>
      <object id="2" tex="tree" class="0" flags="s" pos="-100,50" size="20,30"/>
      <object id="3" tex="hidden" class="0" flags="i" size="10,10"/>
      <object id="10" class="3" subclass="1" pos="0,-100" size="10,10"/>
      <object id="4" tex="glow" class="0" flags="C" pos="50,0" size="10,10"/>
      <object id="6" tex="river" class="0" flags="x" pos="200,0" size="20,100" tex_speed="0,-10"/>
      <object id="7" tex="far" class="0" pos="5000,0" size="10,10"/>
      <object id="11" tex="lamp" class="0" flags="t" pos="-30,0" size="8,8"/>
      <worker id="8" tex="walker" class="9" pos="0,-100" size="16,16"/>
      <worker id="9" tex="walker" class="9" flags="i" pos="0,-100" size="16,16"/>
    </level>)");
  const auto quads = Draw();
  // The wide ground takes three quads; the tree's shadow comes before the tree; the worker
  // follows the camp waypoint; fog comes last.
  EXPECT_EQ(Textures(quads), (std::vector<std::string>{"ground", "ground", "ground", "tree", "tree",
                                                       "walker", "glow", "river", "lamp", "mist"}));
  ASSERT_EQ(quads.size(), 10u);
  // The ground covers the level in the wide layout.
  EXPECT_FLOAT_EQ(quads[0].v[0].x, -512);
  EXPECT_FLOAT_EQ(quads[0].v[0].y, 384);
  EXPECT_FLOAT_EQ(quads[1].v[0].x, 512);
  EXPECT_FLOAT_EQ(quads[2].v[0].x, -640);
  // The shadow: black at the shadow alpha, standing on the tree's base, leaning right.
  EXPECT_EQ(quads[3].v[0].colour, 0x80000000u);
  EXPECT_FLOAT_EQ(quads[3].v[3].y, 20);  // bottom left on the base
  EXPECT_FLOAT_EQ(quads[3].v[3].x, -120);
  EXPECT_GT(quads[3].v[0].x, quads[3].v[3].x + 50);
  EXPECT_EQ(quads[4].v[0].colour, 0xFFFFFFFFu);
  EXPECT_FALSE(quads[4].additive);
  // Workers stand higher by workerOffset x height / 32 (8 x 32 / 32).
  EXPECT_FLOAT_EQ(quads[5].CentreY(), -92);
  // Additive blending for flag C only, wrapping for scrolling textures only.
  EXPECT_TRUE(quads[6].additive);
  EXPECT_FALSE(quads[6].wrap);
  EXPECT_FALSE(quads[7].additive);
  EXPECT_TRUE(quads[7].wrap);
  EXPECT_FALSE(quads[8].wrap);
  // The state ends at alpha blending.
  EXPECT_EQ(device->Last(Op::Blend)->b, int(BlendFactor::InverseSourceAlpha));
}

TEST_F(DrawFixture, FramesMirroringRotationPulseAndTheRespawnClock) {
  Make("sheet", 60, 20);  // 3 x 1 frames, padded into 64 x 32 below
  Texture* sheet = textures->Get("sheet");
  sheet->width = 64;
  sheet->height = 32;
  Make("rock");
  Make("clock", 30, 30);
  Begin(R"(<level>
      <object id="1" tex="sheet" class="0" pos="0,0" size="10,10" sprite="3,1,100,0,3,2"/>
      <object id="2" tex="sheet" class="0" pos="100,0" size="-10,10" sprite="3,1,100,0,3,1"/>
      <object id="3" tex="rock" class="0" pos="-100,0" size="10,20" rot="90"/>
      <object id="4" tex="rock" class="1" subclass="13" pos="0,100" size="10,10" ani_ref="13"/>
      <object id="5" tex="rock" class="1" subclass="10" flags="cgr" pos="0,-200" size="10,10"
              respawn="4,6" start_time="4000" resp_time="1000" obj_link="3"/>
    </level>)");
  world.level->indicators.respawnLinked.emplace();
  WorldObject& clock = *world.level->indicators.respawnLinked;
  clock.texture = "clock";
  clock.size = Vec2{6, 6};
  clock.sprite = SpriteAnim{3, 3, 100, 0, 9, 0};
  world.Get(4).pulsePhase = 3.14159265f / 2;  // the widest moment: s = 0.1
  world.Get(5).alpha = 90;

  auto quads = Draw();
  ASSERT_EQ(Textures(quads),
            (std::vector<std::string>{"sheet", "sheet", "rock", "rock", "rock", "clock"}));
  // Frame 2 of 3, within the padded texture.
  EXPECT_FLOAT_EQ(quads[0].v[0].u, 40.0f / 64);
  EXPECT_FLOAT_EQ(quads[0].v[2].u, 60.0f / 64);
  EXPECT_FLOAT_EQ(quads[0].v[2].v, 20.0f / 32);
  // A negative size mirrors frame 1.
  EXPECT_FLOAT_EQ(quads[1].v[0].u, 40.0f / 64);
  EXPECT_FLOAT_EQ(quads[1].v[1].u, 20.0f / 64);
  EXPECT_FLOAT_EQ(quads[1].v[1].x, 110);
  // Rotated a quarter turn counter-clockwise: the top left corner lies bottom left.
  EXPECT_NEAR(quads[2].v[0].x, -120, 1e-3);
  EXPECT_NEAR(quads[2].v[0].y, -10, 1e-3);
  // The pulse widens by (1 + s) and flattens by (1 - s).
  EXPECT_NEAR(quads[3].v[1].x - quads[3].v[0].x, 22, 1e-3);
  EXPECT_NEAR(quads[3].v[0].y - quads[3].v[3].y, 18, 1e-3);
  // Waiting to respawn: faint, with the clock respawnOffset below at frame
  // floor(3000 / 4000 x 8.5) = 6 (column 0, row 2).
  EXPECT_EQ(quads[4].Alpha(), 90);
  EXPECT_FLOAT_EQ(quads[5].CentreY(), -200 - world.settings.respawnOffset);
  EXPECT_FLOAT_EQ(quads[5].v[0].u, 0);
  EXPECT_FLOAT_EQ(quads[5].v[0].v, 20.0f / 30);

  // A start time of 0 (shared with thieves, or damaged) shows the first frame; a wait
  // longer than its start stays on the clock.
  world.Get(5).stamp = 0;
  quads = Draw();
  EXPECT_FLOAT_EQ(quads.back().v[0].v, 0);
  world.Get(5).stamp = 100;
  world.Get(5).respawnLeft = 5000;
  quads = Draw();
  EXPECT_FLOAT_EQ(quads.back().v[0].u, 0);
  EXPECT_FLOAT_EQ(quads.back().v[0].v, 0);
  // Nearly done: floor(8.5) = frame 8, the last of the clock.
  world.Get(5).respawnLeft = 1;
  world.Get(5).stamp = 2000000000;
  quads = Draw();
  EXPECT_FLOAT_EQ(quads.back().v[0].u, 20.0f / 30);
  EXPECT_FLOAT_EQ(quads.back().v[0].v, 20.0f / 30);
}

TEST_F(DrawFixture, SelectorsQueueMarkersAndHoverStyles) {
  for (const char* name : {"rock", "site", "house", "sel", "sel_bld", "sel_2", "flag"}) Make(name);
  Begin(R"(<level resources="10,10,10" worker_types="5">
      <object id="100" class="3" subclass="1" pos="0,0" links="101,102,103"/>
      <object id="101" class="3" pos="100,0" obj_link="1"/>
      <object id="1" tex="rock" class="1" subclass="10" pos="100,20" size="10,10"/>
      <object id="102" class="3" pos="-100,0" obj_link="2"/>
      <object id="2" tex="site" class="1" subclass="14" pos="-100,20" size="10,10" obj_link="3"/>
      <object id="3" tex="house" class="2" subclass="41" flags="i" pos="-100,40" size="20,20"/>
      <object id="103" class="3" pos="0,100" obj_link="4"/>
      <object id="4" tex="rock" class="1" subclass="11" pos="0,120" size="10,10"/>
      <object id="5" tex="rock" class="1" subclass="12" pos="0,-100" size="10,10"
              flags="m" dialog="1,0,0,1,0,0,0"/>
    </level>)");
  IndicatorSprites& ind = world.level->indicators;
  ind.defaultSelector.emplace();
  ind.defaultSelector->texture = "sel";
  ind.defaultSelector->size = Vec2{10, 5};
  ind.selectors[2].emplace();
  ind.selectors[2]->texture = "sel_2";
  ind.selectors[2]->size = Vec2{10, 5};
  ind.queue.emplace();
  ind.queue->texture = "flag";
  ind.queue->size = Vec2{4, 4};
  world.level->commandQueue = {101};
  world.level->MarkReachable();
  ASSERT_TRUE(world.Get(1).Has(F::kReachableOrdinary));
  world.Get(1).alpha = 60;  // its glow

  auto quads = Draw();
  // Rock 1 glows (an additive copy at its highlight); the selectors follow every object:
  // the default one at rock 1's waypoint (moved by its placement) and at the site's, the
  // one of worker type 2 at object 4's; then the marker of the queued waypoint.
  ASSERT_EQ(Textures(quads), (std::vector<std::string>{"rock", "rock", "site", "rock", "rock",
                                                       "sel", "sel", "sel_2", "flag"}));
  EXPECT_FALSE(quads[0].additive);
  EXPECT_EQ(quads[0].Alpha(), 255);  // reachable objects are drawn opaque
  EXPECT_TRUE(quads[1].additive);
  EXPECT_EQ(quads[1].Alpha(), 30);  // half its highlight while not hovered
  EXPECT_FLOAT_EQ(quads[5].CentreX(), 100);
  EXPECT_FLOAT_EQ(quads[5].CentreY(), -8);
  EXPECT_EQ(quads[5].v[0].colour, 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(quads[7].CentreY(), 92);
  EXPECT_FLOAT_EQ(quads[8].CentreX(), 100);
  EXPECT_FLOAT_EQ(quads[8].CentreY(), 0);

  // A cost the stock does not cover tints the selector by the share covered (2 of 5 food),
  // half see-through.
  world.level->resources = {2, 10, 10};
  world.Get(5).Set(F::kReachable | F::kReachableOrdinary);
  quads = Draw();
  ASSERT_EQ(quads.size(), 11u);
  EXPECT_EQ(quads[9].texture, "sel");
  EXPECT_FLOAT_EQ(quads[9].CentreY(), -108);
  EXPECT_EQ(quads[9].v[0].colour, 0x80666666u);
  // No free worker: an affordable object's selector is translucent.
  LevelDrawOptions busy;
  busy.workerFree = [](const WorldObject&) { return false; };
  quads = Draw(busy);
  EXPECT_EQ(quads[6].v[0].colour, 0x68FFFFFFu);

  // Hovered in style 2 the site and the building it raises show at 3/5; in style 0 the
  // object glows once more.
  LevelDrawOptions hover;
  hover.hovered = &world.Get(2);
  quads = Draw(hover);
  EXPECT_EQ(Textures(quads)[2], "site");
  EXPECT_EQ(quads[2].Alpha(), 153);
  EXPECT_EQ(Textures(quads)[3], "house");
  EXPECT_EQ(quads[3].Alpha(), 153);
  hover.hovered = &world.Get(1);
  quads = Draw(hover);
  const std::vector<std::string> drawn = Textures(quads);
  EXPECT_EQ(std::vector<std::string>(drawn.begin(), drawn.begin() + 4),
            (std::vector<std::string>{"rock", "rock", "rock", "site"}));
  EXPECT_TRUE(quads[2].additive);
  EXPECT_EQ(quads[2].Alpha(), 60);

  // Expert players see selectors only for the hovered object and for objects whose dialog
  // comes when they are shown reachable (trigger 1).
  hover.expert = true;
  quads = Draw(hover);
  int selectors = 0;
  for (const auto& q : quads) selectors += q.texture.starts_with("sel");
  EXPECT_EQ(selectors, 2);
}

TEST_F(DrawFixture, ObjectiveMarkersPulseAndFadeOverTheObjectivesShown) {
  for (const char* name : {"rock", "star"}) Make(name);
  Begin(R"(<level>
      <object id="1" tex="rock" class="1" subclass="10" flags="o" pos="100,20" size="10,12"/>
      <object id="2" tex="rock" class="1" subclass="10" pos="-100,20" size="10,10"/>
      <object id="3" tex="rock" class="1" subclass="10" flags="oi" pos="0,0" size="10,10"/>
    </level>)");
  world.level->indicators.objective.emplace();
  WorldObject& marker = *world.level->indicators.objective;
  marker.texture = "star";
  marker.size = Vec2{8, 8};
  marker.alpha = 100;
  // One marker, over the shown objective only, at the indicator's alpha; its size swings
  // between 1 and 1.25 of its own with the level's clock.
  for (const auto& [clock, scale] : {std::pair{785.398f, 1.25f}, std::pair{2356.194f, 1.0f}}) {
    world.level->animationClock = clock;
    std::vector<DrawnQuad> stars;
    for (const DrawnQuad& q : Draw()) {
      if (q.texture == "star") stars.push_back(q);
    }
    ASSERT_EQ(stars.size(), 1u);
    EXPECT_NEAR(std::fabs(stars[0].v[1].x - stars[0].v[0].x), 16 * scale, 0.01);
    EXPECT_NEAR(stars[0].CentreX(), 100, 0.01);
    EXPECT_NEAR(stars[0].CentreY(), 20 + 12 + 8 * scale, 0.01) << "just over the objective";
    EXPECT_EQ(stars[0].Alpha(), 100);
  }
}

TEST_F(DrawFixture, TheCameraMovesAndZoomsTheViewAndIsRestored) {
  Make("rock");
  Begin(R"(<level><object id="1" tex="rock" class="0" pos="700,0" size="10,10"/></level>)");
  // At rest the object is off screen.
  EXPECT_TRUE(Draw().empty());
  LevelDrawOptions options;
  options.camera.offset = Vec2{-100, 0};
  options.camera.zoom = 0.5f;
  device->ClearLog();
  const auto quads = Draw(options);
  EXPECT_EQ(quads.size(), 1u);
  const auto transforms = device->CallsOf(Op::Transform);
  ASSERT_GE(transforms.size(), 2u);
  // The moved view first, the screen's own view last.
  bool movedView = false;
  for (const auto& t : transforms) {
    if (t.a == int(TransformKind::View) && t.matrix.m[3][0] == -100.5f) movedView = true;
  }
  EXPECT_TRUE(movedView);
  const auto& last = transforms.back();
  EXPECT_EQ(last.a, int(TransformKind::World));
  const auto view = std::find_if(transforms.rbegin(), transforms.rend(),
                                 [](const auto& t) { return t.a == int(TransformKind::View); });
  EXPECT_FLOAT_EQ(view->matrix.m[3][0], -0.5f);
}

// --- The effect layer

// White dots, emitted for half a second (once, or again and again).
std::vector<uint8_t> DotsEffect(bool looping) {
  using namespace PyroParticles;
  FileDesc desc;
  BitmapDesc b;
  b.name = "white";
  b.width = b.height = 4;
  b.rgba.assign(64, 255);
  desc.bitmaps.push_back(b);
  ShapeDesc shape;
  shape.name = "white";
  shape.bitmap = 0;
  desc.shapes.push_back(shape);
  EmitterDesc e;
  e.name = "main";
  e.looping = looping;
  e.duration = 0.5f;
  LayerDesc l;
  l.name = "dots";
  l.rate = Curve(20.0f);
  l.lifeMin = l.lifeMax = 0.3f;
  l.size = Curve(10.0f);
  l.maxParticles = 100;
  e.layers.push_back(l);
  desc.emitters.push_back(e);
  return WritePyro(desc);
}

class EffectsFixture : public DrawFixture {
 protected:
  EffectsFixture() {
    for (const char* name : {"smoke", "respawn", "objective"}) {
      const std::vector<uint8_t> bytes = DotsEffect(std::string_view(name) != "respawn");
      WriteFile(folder.Path() + "/effects/" + name + ".pyro",
                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    files.Mount(folder.Path());
    particles = std::make_unique<ParticleManager>(files, *renderer, *textures);
    particles->LoadEffects();
    effects = std::make_unique<LevelEffects>(particles.get());
  }
  ~EffectsFixture() override {
    effects.reset();
    particles.reset();
  }
  int Running(const std::string& name, bool emitting = true) {
    int n = 0;
    for (const auto& r : effects->List()) n += r.name == name && r.emitting == emitting;
    return n;
  }

  TempDir folder;
  std::unique_ptr<ParticleManager> particles;
  std::unique_ptr<LevelEffects> effects;
};

TEST_F(EffectsFixture, EffectsFollowTheirObjectsAndRespawnsStartTheirs) {
  Make("house");
  world.Begin(R"(<level>
      <object id="1" tex="house" class="2" subclass="41" flags="o" pos="10,20"/>
      <object id="2" tex="bush" class="1" subclass="10" flags="cg" pos="-50,0" respawn="2,2"
              resp_time="5"/>
    </level>)");
  LevelObjectUpdater updater(*world.level, world.settings, effects.get(), &world.sounds);
  effects->Sync(*world.level, true);
  EXPECT_EQ(Running("smoke"), 1);  // the house's particles (objects_particles)
  EXPECT_EQ(Running("objective"), 1);
  for (const auto& r : effects->List())
    if (r.name == "smoke") {
      EXPECT_EQ(r.at, (Vec2{15, 50}));
    }

  // The bush respawns: "respawn" starts respawnOffset below it, with its sound.
  updater.Animate(10);
  updater.UpdateObjects(10);
  EXPECT_EQ(world.sounds.played, std::vector<std::string>{"object_respawn"});
  ASSERT_EQ(Running("respawn"), 1);
  for (const auto& r : effects->List())
    if (r.name == "respawn") {
      EXPECT_EQ(r.at, (Vec2{-50, -world.settings.respawnOffset}));
    }

  // Hidden: the particles stop emitting, and go once their last particle has died.
  world.level->Show(world.Get(1), false);
  updater.Animate(10);
  EXPECT_EQ(Running("smoke", false), 1);
  for (int i = 0; i < 100; ++i) updater.Animate(20);
  EXPECT_EQ(Running("smoke", false) + Running("smoke"), 0);
  EXPECT_EQ(Running("respawn", true) + Running("respawn", false), 0);  // one-shot, done
  // Shown again: running again.
  world.level->Show(world.Get(1), true);
  updater.Animate(10);
  EXPECT_EQ(Running("smoke"), 1);

  // The layer draws the effects' particles after the objects (no camp waypoint: after the
  // last one).
  for (int i = 0; i < 10; ++i) updater.Animate(20);
  drawer = std::make_unique<LevelDrawer>(*renderer, *textures, world.settings, effects.get());
  const auto quads = Draw();
  ASSERT_GT(quads.size(), 2u);
  EXPECT_EQ(quads[0].texture, "house");
  EXPECT_NE(quads[1].texture, "house");
  // A deleted object's effects are let go.
  world.Get(1).Set(F::kDelete);
  world.level->RemoveFlagged();
  effects->Sync(*world.level);
  EXPECT_EQ(Running("smoke") + Running("objective"), 0);
}

TEST_F(EffectsFixture, NoEffectOutlivesTheParticleService) {
  Make("house");
  world.Begin(R"(<level><object id="1" tex="house" class="2" subclass="41" flags="o"/></level>)");
  drawer = std::make_unique<LevelDrawer>(*renderer, *textures, world.settings, effects.get());
  LevelObjectUpdater updater(*world.level, world.settings, effects.get(), &world.sounds);
  updater.Animate(16);
  effects->Start("respawn", Vec2{});
  ASSERT_EQ(effects->List().size(), 3u);
  // The service goes first (closing the game while a level is loaded): the level's effects
  // go with it, and the level keeps running and drawing without them.
  particles.reset();
  EXPECT_TRUE(effects->List().empty());
  EXPECT_FALSE(effects->HasManager());
  updater.Animate(16);
  effects->Start("respawn", Vec2{});
  EXPECT_TRUE(effects->List().empty());
  EXPECT_FALSE(Draw().empty());
}

}  // namespace
