// The effect service: loading, naming, life, stopping, the coordinate flip, the draw rules of
// the back end, texture names, and effects that outlive the service.
#include <cmath>

#include "ParticleFixtures.h"
#include "particles/CGraphics.h"

using namespace PyroParticles;
using Op = RecordingDevice::Op;

namespace {

// The centre of the last particle batch drawn, in virtual coordinates.
std::pair<float, float> LastBatchCentre(const RecordingDevice& device) {
  float x = 0, y = 0;
  for (const Vertex& v : device.lastVertices) {
    x += v.x;
    y += v.y;
  }
  const float n = float(std::max<size_t>(device.lastVertices.size(), 1));
  return {x / n, y / n};
}

}  // namespace

using ParticleManagerTest = ParticleManagerFixture;

TEST_F(ParticleManagerTest, EffectsAreNamedByTheirFilesAndBadFilesAreSkipped) {
  WriteEffect("content/effects/glow.pyro", SimpleEffect());
  WriteEffect("content/effects/weather/rain.pyro", SimpleEffect());
  folder.Write("content/effects/zeros.pyro", std::vector<uint8_t>(300, 0));
  std::vector<uint8_t> cut = WritePyro(SimpleEffect());
  cut.resize(cut.size() / 2);
  folder.Write("content/effects/cut.pyro", cut);
  std::vector<uint8_t> huge = WritePyro(SimpleEffect());
  huge[8] = huge[9] = huge[10] = 0xFF;  // bitmap count
  folder.Write("content/effects/huge.pyro", huge);
  FileDesc noKeys = SimpleEffect();
  noKeys.emitters[0].layers[0].rate.keys.clear();
  WriteEffect("content/effects/nokeys.pyro", noKeys);
  WriteEffect("content/other/notaneffect.pyro", SimpleEffect());
  Load();

  EXPECT_EQ(manager->EffectNames(), (std::vector<std::string>{"glow", "rain"}));
  ASSERT_EQ(manager->LoadErrors().size(), 4u);
  for (const auto& error : manager->LoadErrors()) {
    if (error.file.find("zeros") != std::string::npos)
      EXPECT_EQ(error.message, "Invalid .pyro file ID");
    else
      EXPECT_EQ(error.message, "Invalid or corrupted .pyro file ") << error.file;
  }
  EXPECT_NE(manager->CreateEffect("rain"), nullptr);
  EXPECT_EQ(manager->CreateEffect("zeros"), nullptr);
  EXPECT_EQ(manager->CreateEffect("missing"), nullptr);
}

TEST_F(ParticleManagerTest, TwoFilesOfOneNameGiveOneEffect) {
  // The same name in two folders of one mount and again in a later mount: one effect.
  FileDesc one = SimpleEffect();
  FileDesc two = SimpleEffect();
  two.emitters.push_back(two.emitters[0]);
  two.emitters[1].name = "second";
  WriteEffect("content/effects/a/spark.pyro", one);
  WriteEffect("content/effects/b/spark.pyro", one);
  WriteEffect("late/effects/spark.pyro", two);
  files.Mount((folder.path() / "content").string());
  Load("late");
  EXPECT_EQ(manager->EffectNames(), std::vector<std::string>{"spark"});
  // The file the listing names (the later mount replaced the earlier ones).
  EXPECT_EQ(manager->CreateEffect("spark")->EmitterCount(), 2);
  EXPECT_TRUE(manager->LoadErrors().empty());
}

TEST_F(ParticleManagerTest, AnEffectLivesItsFirstSecondThenWhileItEmitsOrHasParticles) {
  FileDesc empty;
  WriteEffect("content/effects/empty.pyro", empty);
  WriteEffect("content/effects/once.pyro", SimpleEffect(false, 40.0f, 0.5f));
  WriteEffect("content/effects/loop.pyro", SimpleEffect(true, 40.0f, 0.5f));
  Load();

  auto nothing = manager->CreateEffect("empty");
  ASSERT_NE(nothing, nullptr);
  EXPECT_EQ(nothing->EmitterCount(), 0);
  nothing->Advance(999);
  EXPECT_TRUE(nothing->IsAlive());
  nothing->Advance(1);
  EXPECT_FALSE(nothing->IsAlive());

  // A one-shot emits for its cycle (0.5 s), its particles live 0.5 s more.
  auto once = manager->CreateEffect("once");
  for (int i = 0; i < 50; ++i) once->Advance(20);  // 1 s
  EXPECT_TRUE(once->IsAlive());                    // still in the first second
  once->Advance(20);
  EXPECT_FALSE(once->IsAlive());
  EXPECT_EQ(once->ParticleCount(), 0);

  // A looping effect lives until stopped; then its particles finish their lives.
  auto loop = manager->CreateEffect("loop");
  for (int i = 0; i < 100; ++i) loop->Advance(20);
  EXPECT_TRUE(loop->IsAlive());
  const int before = loop->ParticleCount();
  EXPECT_GT(before, 10);
  loop->Stop();
  EXPECT_FALSE(loop->Emitting());
  loop->Advance(250);
  EXPECT_TRUE(loop->IsAlive());
  EXPECT_GT(loop->ParticleCount(), 0);
  EXPECT_LT(loop->ParticleCount(), before);
  loop->Advance(260);
  EXPECT_FALSE(loop->IsAlive());
  // Starting again emits again.
  loop->Start();
  loop->Advance(100);
  EXPECT_TRUE(loop->IsAlive());
  EXPECT_GT(loop->ParticleCount(), 0);
}

TEST_F(ParticleManagerTest, ParticlesAppearWhereTheCallerPlacedTheEffect) {
  FileDesc desc = SimpleEffect(true, 50.0f, 5.0f);
  WriteEffect("content/effects/dot.pyro", desc);
  // Gravity pulling down in the effect's terms moves the particles down the screen.
  desc.emitters[0].layers[0].gravityY = 200.0f;
  desc.emitters[0].looping = false;
  desc.emitters[0].layers[0].burst = 5;
  desc.emitters[0].layers[0].rate = Curve(0.0f);
  WriteEffect("content/effects/fall.pyro", desc);
  Load();
  for (const auto& [cx, cy] : {std::pair{200.0f, 100.0f}, {-300.0f, -150.0f}}) {
    auto effect = manager->CreateEffect("dot");
    ASSERT_NE(effect, nullptr);
    ASSERT_NE(effect, nullptr);
    effect->SetPosition(-cx, -cy);  // callers pass negated virtual coordinates
    effect->Advance(200);
    device->ClearLog();
    effect->Draw();
    ASSERT_GT(DrawnQuads(), 0);
    const auto [x, y] = LastBatchCentre(*device);
    EXPECT_NEAR(x, cx, 0.01f);
    EXPECT_NEAR(y, cy, 0.01f);
  }

  auto fall = manager->CreateEffect("fall");
  ASSERT_NE(fall, nullptr);
  fall->Advance(16);
  fall->Advance(500);
  device->ClearLog();
  fall->Draw();
  EXPECT_LT(LastBatchCentre(*device).second, -10.0f);
}

TEST_F(ParticleManagerTest, TheEmitterFactorSpeedsTheParticlesUp) {
  FileDesc desc = SimpleEffect(false, 0.0f, 5.0f);
  LayerDesc& l = desc.emitters[0].layers[0];
  l.burst = 20;
  l.speedMin = l.speedMax = 100.0f;
  l.direction = 90.0f;  // to the right
  l.spread = 0.0f;
  WriteEffect("content/effects/shot.pyro", desc);
  Load();
  float reach[2];
  for (int i = 0; i < 2; ++i) {
    auto effect = manager->CreateEffect("shot");
    ASSERT_NE(effect, nullptr);
    if (i == 1) effect->SetEmitterFactor(1.4f);
    effect->Advance(1);
    effect->Advance(1000);
    device->ClearLog();
    effect->Draw();
    reach[i] = LastBatchCentre(*device).first;
  }
  EXPECT_NEAR(reach[0], 100.0f, 2.0f);
  EXPECT_NEAR(reach[1], 140.0f, 2.0f);
}

TEST_F(ParticleManagerTest, ThinnedEffectsBearATenthOfTheirParticlesLiveOnesIncluded) {
  // 200 a second and a burst of 30 every half-second cycle, each living half a second.
  FileDesc desc = SimpleEffect(true, 200.0f, 0.5f);
  desc.emitters[0].layers[0].burst = 30;
  WriteEffect("content/effects/busy.pyro", desc);
  Load();
  auto full = manager->CreateEffect("busy");
  manager->SetDensity(0.1f);
  EXPECT_EQ(manager->Density(), 0.1f);
  auto thin = manager->CreateEffect("busy");
  ASSERT_TRUE(full && thin);
  full->SetDensity(1.0f);  // this one as made, for comparison
  const auto run = [&](int ms) {
    for (int i = 0; i < ms / 10; ++i) {
      full->Advance(10);
      thin->Advance(10);
    }
  };
  run(200);  // the burst and 0.2 s of the rate
  EXPECT_NEAR(full->ParticleCount(), 30 + 40, 2);
  EXPECT_NEAR(thin->ParticleCount(), 3 + 4, 1) << "the burst and the rate are both thinned";
  run(1000);
  EXPECT_NEAR(thin->ParticleCount(), full->ParticleCount() / 10.0, 2);

  // The manager's density reaches the running effects.
  manager->SetDensity(1.0f);
  run(600);  // every particle alive was born since
  EXPECT_NEAR(thin->ParticleCount(), full->ParticleCount(), 2);
  manager->SetDensity(0.1f);
  run(600);
  EXPECT_NEAR(full->ParticleCount(), thin->ParticleCount(), 2);
  EXPECT_LT(full->ParticleCount(), 20);
  // Nonsense leaves the density as it was.
  manager->SetDensity(std::nanf(""));
  EXPECT_EQ(manager->Density(), 0.1f);
  manager->SetDensity(7.0f);
  EXPECT_EQ(manager->Density(), 1.0f) << "clamped";
}

TEST_F(ParticleManagerTest, WarmingUpFillsTheEffectAsIfItHadRunAlready) {
  FileDesc desc = SimpleEffect(true, 100.0f, 2.0f);
  desc.emitters[0].layers[0].speedMin = desc.emitters[0].layers[0].speedMax = 50.0f;
  desc.emitters[0].layers[0].spread = 0.0f;  // straight up
  WriteEffect("content/effects/fog01.pyro", desc);
  Load();
  auto effect = manager->CreateEffect("fog01");
  ASSERT_NE(effect, nullptr);
  effect->Advance(1000);
  EXPECT_NEAR(effect->ParticleCount(), 100, 1);
  // Spread along their path, not piled at the source: the batch centre is half-way up.
  device->ClearLog();
  effect->Draw();
  EXPECT_NEAR(LastBatchCentre(*device).second, 25.0f, 2.0f);
}

TEST_F(ParticleManagerTest, BatchesStayBelow512QuadsAndTheCapacityHolds) {
  FileDesc desc = SimpleEffect(true, 0.0f, 10.0f);
  desc.emitters[0].layers[0].burst = 1500;
  desc.emitters[0].layers[0].maxParticles = 1500;
  desc.emitters[0].layers[0].rate = Curve(5000.0f);
  WriteEffect("content/effects/many.pyro", desc);
  Load();
  auto effect = manager->CreateEffect("many");
  ASSERT_NE(effect, nullptr);
  for (int i = 0; i < 10; ++i) effect->Advance(50);
  EXPECT_EQ(effect->ParticleCount(), 1500);
  device->ClearLog();
  effect->Draw();
  const auto draws = device->CallsOf(Op::DrawQuads);
  ASSERT_EQ(draws.size(), 3u);  // 511 + 511 + 478
  EXPECT_EQ(draws[0].a, 511 * 4);
  EXPECT_EQ(draws[0].b, 511 * 6);
  EXPECT_EQ(DrawnQuads(), 1500);

  // Absurd frame steps neither overflow the limit nor poison the particles.
  effect->Advance(1.0e9f);
  effect->Advance(std::nanf(""));
  effect->Advance(-50.0f);
  effect->Advance(50.0f);
  EXPECT_LE(effect->ParticleCount(), 1500);
  EXPECT_GT(effect->ParticleCount(), 0);
}

TEST_F(ParticleManagerTest, TextureNamesCountAcrossFilesAndLoads) {
  FileDesc two = SimpleEffect();
  AddWhiteShape(two);
  two.emitters[0].layers.push_back(two.emitters[0].layers[0]);
  two.emitters[0].layers[1].shape = 1;
  FileDesc unused = SimpleEffect();
  AddWhiteShape(unused);  // a bitmap no layer uses gets no texture
  WriteEffect("content/effects/a.pyro", two);
  WriteEffect("content/effects/b.pyro", unused);
  Load();
  EXPECT_EQ(textures.created,
            (std::vector<std::string>{"_pyroTex0000", "_pyroTex0001", "_pyroTex0002"}));
  manager->Shutdown();
  EXPECT_TRUE(textures.live.empty());
  manager->LoadEffects();  // the count goes on, names are never reused
  EXPECT_EQ(textures.created.back(), "_pyroTex0005");
  EXPECT_EQ(manager->TexturesMade(), 6);

  // A file whose texture cannot be made is skipped, and what it made is released.
  textures.fail = true;
  manager->LoadEffects();
  EXPECT_TRUE(manager->EffectNames().empty());
  ASSERT_EQ(manager->LoadErrors().size(), 2u);
  EXPECT_EQ(manager->LoadErrors()[0].message, "Can't create shape texture");
  EXPECT_TRUE(textures.live.empty());
}

TEST_F(ParticleManagerTest, EffectsOutlivingTheServiceAreHarmless) {
  WriteEffect("content/effects/glow.pyro", SimpleEffect());
  Load();
  auto kept = manager->CreateEffect("glow");
  auto dropped = manager->CreateEffect("glow");
  kept->Advance(100);
  dropped.reset();
  manager.reset();  // shut down with an effect alive
  EXPECT_EQ(kept->EmitterCount(), 0);
  kept->Advance(2000);
  device->ClearLog();
  kept->Draw();
  EXPECT_EQ(DrawnQuads(), 0);
  EXPECT_FALSE(kept->IsAlive());
  kept.reset();
  EXPECT_TRUE(textures.live.empty());
}

TEST_F(ParticleManagerTest, AnEmitterWithATransparentDrawColourIsNotDrawn) {
  int counter = 0;
  CGraphics graphics(*renderer, textures, counter);
  std::unique_ptr<IPyroParticleLibrary> library(
      CreateParticleLibrary(kPyroInterfaceVersion, kPyroVertexColourTexture));
  library->Init(&graphics, 0);
  const std::vector<uint8_t> bytes = WritePyro(SimpleEffect());
  EffectFolder dir;
  std::unique_ptr<IPyroFile> file(library->LoadPyroFile(dir.Write("glow.pyro", bytes).c_str()));
  file->CreateTextures();
  std::unique_ptr<IPyroParticleEmitter> emitter(file->CreateEmitter("main"));
  emitter->Prepare(0.0f, 0.2f);
  emitter->Move(0.2f, 0.2f, 0, 0, 0, true);
  ASSERT_EQ(emitter->ParticleCount(), 4);
  const float hidden[4] = {1, 1, 1, 0};
  emitter->SetDrawColour(hidden);
  device->ClearLog();
  EXPECT_EQ(emitter->Render(), 0);
  EXPECT_EQ(DrawnQuads(), 0);
  // Through a device given directly the colour does not gate.
  EXPECT_EQ(emitter->Render(&graphics, 0), 4);
  const float half[4] = {1, 1, 1, 0.5f};
  emitter->SetDrawColour(half);
  EXPECT_EQ(emitter->Render(), 4);
  EXPECT_EQ(device->lastVertices[0].colour >> 24, 0x7Fu);
  file.reset();
  library->Done();
}

TEST(CGraphicsTest, BlendFactorPairsMapToRendererModes) {
  EXPECT_EQ(CGraphics::BlendModeFor(4, 5), BlendMode::Alpha);
  EXPECT_EQ(CGraphics::BlendModeFor(4, 1), BlendMode::Add);
  EXPECT_EQ(CGraphics::BlendModeFor(4, 4), BlendMode::Premultiplied);
  EXPECT_EQ(CGraphics::BlendModeFor(4, 0), BlendMode::Premultiplied);
  EXPECT_EQ(CGraphics::BlendModeFor(1, 1), BlendMode::AddPure);
  EXPECT_EQ(CGraphics::BlendModeFor(1, 5), BlendMode::Premultiplied);
  EXPECT_EQ(CGraphics::BlendModeFor(5, 4), BlendMode::Premultiplied);
}

class CGraphicsDrawTest : public ParticleManagerFixture {
 protected:
  void SetUp() override {
    graphics = std::make_unique<CGraphics>(*renderer, textures, counter);
    buffer.reset(graphics->CreateVertexBuffer(512 * 4, 24, 0, 0));
    auto* v = static_cast<Vertex*>(buffer->Lock());
    for (int i = 0; i < 512 * 4; ++i) v[i].x = float(i);
    device->ClearLog();
  }
  int counter = 0;
  std::unique_ptr<CGraphics> graphics;
  std::unique_ptr<PyroGraphics::IVertexBuffer> buffer;
};

TEST_F(CGraphicsDrawTest, QuadsAreCopiedFromTheirFirstVertexAndLargeDrawsAreDropped) {
  graphics->SetBlending(4, 1);
  graphics->DrawQuads(*buffer, 1, 511);
  ASSERT_EQ(device->Count(Op::DrawQuads), 1);
  EXPECT_EQ(device->Last(Op::DrawQuads)->a, 511 * 4);
  EXPECT_EQ(device->Last(Op::DrawQuads)->b, 511 * 6);
  EXPECT_EQ(device->lastVertices.front().x, 4.0f);
  EXPECT_EQ(device->lastVertices.back().x, float(4 + 511 * 4 - 1));
  EXPECT_EQ(device->Last(Op::Blend)->a, int(BlendFactor::SourceAlpha));
  EXPECT_EQ(device->Last(Op::Blend)->b, int(BlendFactor::One));

  device->ClearLog();
  graphics->DrawQuads(*buffer, 0, 512);
  graphics->DrawQuads(*buffer, 0, 2000);
  graphics->DrawQuads(*buffer, 500, 100);  // past the end of the buffer
  graphics->DrawQuads(*buffer, -1, 10);
  graphics->DrawQuads(*buffer, 0, 0);
  EXPECT_EQ(device->Count(Op::DrawQuads), 0);
  graphics->Draw(*buffer, 501, 11);  // exactly up to the end
  EXPECT_EQ(device->Count(Op::DrawQuads), 1);
}

TEST_F(ParticleManagerTest, EmittersWithOneSeedMakeTheSameParticles) {
  FileDesc desc = SimpleEffect(true, 100.0f, 1.0f);
  LayerDesc& l = desc.emitters[0].layers[0];
  l.speedMin = 10.0f;
  l.speedMax = 90.0f;
  l.area = AreaKind::Ellipse;
  l.areaWidth = l.areaHeight = 50.0f;
  l.sizeVariation = 0.5f;
  int counter = 0;
  CGraphics graphics(*renderer, textures, counter);
  std::unique_ptr<IPyroParticleLibrary> library(
      CreateParticleLibrary(kPyroInterfaceVersion, kPyroVertexColourTexture));
  library->Init(&graphics, 0);
  EffectFolder dir;
  std::unique_ptr<IPyroFile> file(
      library->LoadPyroFile(dir.Write("spray.pyro", WritePyro(desc)).c_str()));
  auto run = [&](int a, int b) {
    std::unique_ptr<IPyroParticleEmitter> emitter(file->CreateEmitter("main"));
    emitter->SetSeed(a, b);
    for (int i = 0; i < 20; ++i) {
      emitter->Prepare(0.0f, 0.02f);
      emitter->Move(0.0f, 0.02f, 0, 0, 0, true);
    }
    device->ClearLog();
    emitter->Render();
    return device->lastVertices;
  };
  const std::vector<Vertex> first = run(1, 2);
  const std::vector<Vertex> again = run(1, 2);
  const std::vector<Vertex> other = run(2, 1);
  ASSERT_EQ(first.size(), 40u * 4u);
  ASSERT_EQ(first.size(), again.size());
  bool same = true, differs = false;
  for (size_t i = 0; i < first.size(); ++i) {
    same = same && first[i].x == again[i].x && first[i].y == again[i].y;
    differs = differs || first[i].x != other[i].x;
  }
  EXPECT_TRUE(same);
  EXPECT_TRUE(differs);
  file.reset();
  library->Done();
}
