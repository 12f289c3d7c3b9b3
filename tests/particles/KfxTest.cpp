// The effect compiler: a description compiled and read back, its refusals, and the demo
// effects the game asks for by name, compiled from their sources and run.
#include <fstream>
#include <iterator>

#include "EffectCompiler.h"
#include "ParticleFixtures.h"
#include "graphics/PngWriter.h"
#include "particles/PyroStreams.h"

using namespace PyroParticles;

namespace {

// Loads texture files below a folder; "dot.png" is a 4 × 2 picture made on the spot.
class Textures {
 public:
  Textures() {
    std::vector<uint8_t> rgba(4 * 2 * 4);
    for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = uint8_t(i * 7);
    pixels_ = rgba;
    WritePng((dir_.path() / "dot.png").string(), 4, 2, 4, rgba.data());
  }
  kfx::FileLoader Loader(std::filesystem::path base = {}) const {
    if (base.empty()) base = dir_.path();
    return [base](const std::string& name) -> std::optional<std::vector<uint8_t>> {
      std::ifstream in(base / name, std::ios::binary);
      if (!in) return std::nullopt;
      return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    };
  }
  const std::vector<uint8_t>& pixels() const { return pixels_; }

 private:
  EffectFolder dir_;
  std::vector<uint8_t> pixels_;
};

std::string Compile(std::string_view xml, const Textures& textures) {
  std::string error;
  EXPECT_FALSE(kfx::CompileEffect(xml, textures.Loader(), error)) << "compiled";
  return error;
}

}  // namespace

TEST(Kfx, ACompiledEffectReadsBackAsDescribed) {
  Textures textures;
  const char* xml = R"(<effect>
    <texture name="unused" file="dot.png"/>
    <texture name="dot" file="dot.png" frames="2"/>
    <emitter name="sparks" loop="0" duration="0.4">
      <layer name="hot" texture="dot" blend="add" max="50" burst="12" rate="0:30 1:0"
             life="0.5 0.8" speed="10 20" direction="90" spread="15" gravity="1 200"
             drag="0.5" area="ellipse 16 6" spin="-45 45" angle="0 360" size="0:10 1:2"
             sizevar="0.25" stretch="2" color="0:FFFF8000 1:00FF0000" flags="align random"/>
      <layer texture="dot" blend="pureadd" alpha="0:1 1:0"/>
    </emitter>
  </effect>)";
  std::string error;
  const auto desc = kfx::CompileEffect(xml, textures.Loader(), error);
  ASSERT_TRUE(desc) << error;
  const std::vector<uint8_t> bytes = WritePyro(*desc);
  Engine::CInFile in(bytes.data(), bytes.size());
  const FileDesc back = ReadPyro(in, "corrupt");

  // Only the texture in use is stored, as R, G, B, A rows.
  ASSERT_EQ(back.bitmaps.size(), 1u);
  EXPECT_EQ(back.bitmaps[0].width, 4);
  EXPECT_EQ(back.bitmaps[0].height, 2);
  EXPECT_EQ(back.bitmaps[0].rgba, textures.pixels());
  ASSERT_EQ(back.shapes.size(), 1u);
  EXPECT_EQ(back.shapes[0].frames, 2u);

  ASSERT_EQ(back.emitters.size(), 1u);
  const EmitterDesc& e = back.emitters[0];
  EXPECT_EQ(e.name, "sparks");
  EXPECT_FALSE(e.looping);
  EXPECT_FLOAT_EQ(e.duration, 0.4f);
  ASSERT_EQ(e.layers.size(), 2u);
  const LayerDesc& l = e.layers[0];
  EXPECT_EQ(l.sourceBlend, uint32_t(kFactorSourceAlpha));
  EXPECT_EQ(l.destBlend, uint32_t(kFactorOne));
  EXPECT_EQ(l.flags, uint32_t(kLayerAlignToMotion | kLayerRandomFrame));
  EXPECT_EQ(l.maxParticles, 50u);
  EXPECT_EQ(l.burst, 12u);
  EXPECT_FLOAT_EQ(l.rate.At(0.5f), 15.0f);
  EXPECT_FLOAT_EQ(l.lifeMax, 0.8f);
  EXPECT_FLOAT_EQ(l.direction, 90.0f);
  EXPECT_FLOAT_EQ(l.gravityX, 1.0f);
  EXPECT_FLOAT_EQ(l.gravityY, 200.0f);
  EXPECT_EQ(l.area, AreaKind::Ellipse);
  EXPECT_FLOAT_EQ(l.areaHeight, 6.0f);
  EXPECT_FLOAT_EQ(l.angleMax, 360.0f);
  EXPECT_FLOAT_EQ(l.stretch, 2.0f);
  EXPECT_FLOAT_EQ(l.size.At(0.5f), 6.0f);
  EXPECT_FLOAT_EQ(l.red.At(0.5f), 1.0f);
  EXPECT_FLOAT_EQ(l.green.At(0.0f), 128.0f / 255.0f);
  EXPECT_FLOAT_EQ(l.alpha.At(0.5f), 0.5f);
  EXPECT_EQ(e.layers[1].sourceBlend, uint32_t(kFactorOne));
  EXPECT_FLOAT_EQ(e.layers[1].alpha.At(0.25f), 0.75f);
}

TEST(Kfx, MistakesInADescriptionAreReported) {
  Textures textures;
  auto effect = [](const std::string& layer) {
    return "<effect><texture name=\"dot\" file=\"dot.png\"/><emitter name=\"e\">" + layer +
           "</emitter></effect>";
  };
  EXPECT_EQ(Compile(effect("<layer texture=\"spot\"/>"), textures),
            "emitter 'e' layer 1: no texture named 'spot'");
  EXPECT_EQ(Compile(effect("<layer texture=\"dot\" size=\"\"/>"), textures),
            "emitter 'e' layer 1 size: no keys");
  EXPECT_EQ(Compile(effect("<layer texture=\"dot\" blend=\"glow\"/>"), textures),
            "emitter 'e' layer 1: unknown blend 'glow'");
  EXPECT_EQ(Compile(effect("<layer texture=\"dot\" size=\"1:4 0:2\"/>"), textures),
            "emitter 'e' layer 1 size: key times run 0..1, rising");
  EXPECT_EQ(Compile(effect("<layer texture=\"dot\" life=\"0\"/>"), textures),
            "the values break the file rules (ranges, limits)");
  EXPECT_EQ(Compile(effect("<layer texture=\"dot\" color=\"0:FFF\"/>"), textures),
            "emitter 'e' layer 1 color: not AARRGGBB: FFF");
  EXPECT_EQ(Compile("<effect><texture name=\"x\" file=\"none.png\"/></effect>", textures),
            "texture 'x': cannot read none.png");
  EXPECT_EQ(Compile("<effect/>", textures), "an effect without emitters");
  EXPECT_EQ(Compile("<effect", textures), "not a readable XML document");
}

// The effects the game and its tables ask for by name exist, compile, draw, and the one-shot
// ones end by themselves.
using KfxContent = ParticleManagerFixture;

TEST_F(KfxContent, TheDemoEffectsCompileAndBehave) {
  const char* source = std::getenv("KALODRUS_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::filesystem::path sources = std::filesystem::path(source) / "content-src/effects/src";
  Textures pictures;
  int compiled = 0;
  for (const auto& entry : std::filesystem::directory_iterator(sources)) {
    if (entry.path().extension() != ".xml") continue;
    std::ifstream in(entry.path());
    const std::string xml((std::istreambuf_iterator<char>(in)), {});
    std::string error;
    const auto desc = kfx::CompileEffect(xml, pictures.Loader(sources), error);
    ASSERT_TRUE(desc) << entry.path() << ": " << error;
    WriteEffect("content/effects/" + entry.path().stem().string() + ".pyro", *desc);
    ++compiled;
  }
  Load();
  EXPECT_EQ(int(manager->EffectNames().size()), compiled);
  EXPECT_TRUE(manager->LoadErrors().empty());

  const char* wanted[] = {
      "collect", "collect00", "collect01", "collect02", "collect03", "collect04", "collect05",
      "build", "respawn", "firework", "fireworks", "rain", "snow", "sand", "leaves", "fog", "fog01",
      "fog02", "fog03", "fire", "smoke", "sparkle", "button_glow", "objective", "objective_done",
      "objective_highlight", "complete", "worker_bonus", "stars", "trophy_dlg", "bonus_avail",
      "bonus_on", "bonus_off", "golden_time", "puzzle_collect", "puzzle_piece_map", "castle_part",
      "bird_hit", "bird_click", "lightning_hit",
      // the level tables
      "chimney_smoke", "sawdust", "mine_dust", "obelisk_glow", "gold_sparkle", "campfire_flames",
      "butterflies", "waterfall_mist", "puff", "feathers"};
  for (const char* name : wanted) {
    auto effect = manager->CreateEffect(name);
    ASSERT_NE(effect, nullptr) << name;
    effect->SetPosition(0, 0);
    int drawn = 0;
    for (int frame = 0; frame < 30; ++frame) {
      effect->Advance(20);
      device->ClearLog();
      effect->Draw();
      drawn = std::max(drawn, DrawnQuads());
    }
    EXPECT_GT(drawn, 0) << name << " shows nothing";
    for (int frame = 0; frame < 600 && effect->IsAlive(); ++frame) effect->Advance(20);
    const std::string n = name;
    const bool oneShot = !effect->IsAlive();
    const bool weather = n == "rain" || n == "snow" || n == "fog01" || n == "fire" ||
                         n == "chimney_smoke" || n == "objective";
    const bool pickUp = n.rfind("collect", 0) == 0 || n == "firework" || n == "puff" ||
                        n == "build" || n == "respawn";
    if (weather) {
      EXPECT_FALSE(oneShot) << name << " should keep running";
    }
    if (pickUp) {
      EXPECT_TRUE(oneShot) << name << " should end by itself";
    }
    // Every effect ends once stopped.
    if (!oneShot) {
      effect->Stop();
      for (int frame = 0; frame < 1000 && effect->IsAlive(); ++frame) effect->Advance(20);
      EXPECT_FALSE(effect->IsAlive()) << name << " never ends";
    }
  }
}
