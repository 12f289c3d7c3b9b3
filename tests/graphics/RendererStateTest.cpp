// Start-up, the render-state cache and display-mode switches, checked against the device calls.
#include <string>
#include <vector>

#include "RecordingRenderer.h"

namespace {

class StartupTest : public RecordingRendererTest {};

TEST_F(StartupTest, InitCreatesTheDeviceAndSetsDefaultStates) {
  renderer->SetAspectMode(AspectMode::Screen16x10);
  device->desktop = {1920, 1200};
  ASSERT_TRUE(renderer->Init(false, false));

  const auto* create = device->Last(Op::Create);
  ASSERT_NE(create, nullptr);
  EXPECT_EQ(create->a, 1280);
  EXPECT_EQ(create->b, 800);
  EXPECT_EQ(create->c, 0);  // windowed
  EXPECT_EQ(create->d, 0);  // no depth-stencil

  // Lighting, depth test, depth write and culling off, blending on; alpha and scissor test
  // are left alone.
  std::vector<std::pair<int, int>> switches;
  for (const auto& c : device->CallsOf(Op::Switch)) switches.emplace_back(c.a, c.b);
  EXPECT_EQ(switches, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {5, 0}}));
  EXPECT_EQ(device->Last(Op::AddressU)->a, 0);
  EXPECT_EQ(device->Last(Op::AddressV)->a, 0);
  EXPECT_EQ(device->Last(Op::Filter)->a, 1);
  const auto* viewport = device->Last(Op::Viewport);
  EXPECT_EQ(viewport->c, 1280);
  EXPECT_EQ(viewport->d, 800);
  const auto* blend = device->Last(Op::Blend);
  EXPECT_EQ(blend->a, int(BlendFactor::SourceAlpha));
  EXPECT_EQ(blend->b, int(BlendFactor::InverseSourceAlpha));
  ASSERT_NE(device->Last(Op::SetShader), nullptr);
  EXPECT_EQ(device->Last(Op::SetShader)->a, 0);
  EXPECT_EQ(device->Count(Op::Transform), 3);
  EXPECT_EQ(device->Count(Op::Message), 0);

  // A second Init succeeds at once.
  device->ClearLog();
  EXPECT_TRUE(renderer->Init(false, false));
  EXPECT_EQ(device->Count(Op::Create), 0);
}

TEST_F(StartupTest, DeviceFailuresShowTheStartupMessages) {
  device->failCreate = true;
  EXPECT_FALSE(renderer->Init(false, false));
  ASSERT_EQ(device->Count(Op::Message), 1);
  EXPECT_EQ(device->Last(Op::Message)->text,
            "Game|Could not initialize Direct3D.\nPlease ensure that DirectX\nand graphics "
            "drivers are installed.\n");

  device->ClearLog();
  device->failCreate = false;
  device->maxTextureWidth = 4096;
  device->maxTextureHeight = 1024;
  EXPECT_FALSE(renderer->Init(false, false));
  EXPECT_EQ(device->Last(Op::Message)->text, "Game|Sorry, you video card is not supported");
  EXPECT_FALSE(device->IsCreated());
}

TEST_F(StartupTest, ATextureLimitOfExactly2048AsksForStandardDefinition) {
  device->maxTextureWidth = 2048;
  ASSERT_TRUE(renderer->Init(false, false));
  EXPECT_TRUE(renderer->WantsStandardDefinition());
  device->maxTextureWidth = 4096;
  EXPECT_FALSE(renderer->WantsStandardDefinition());
}

// ------------------------------------------------------------------------ state cache

class StateCacheTest : public RecordingRendererTest {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(StateCacheTest, RepeatedStateCostsNothingAndKeepsTheBatch) {
  Texture texture;
  texture.deviceTexture = 7;
  Shader shader;
  shader.program = 9;
  renderer->BindTexture(&texture);
  renderer->SetShader(&shader);
  renderer->SetBlendMode(BlendMode::Add);
  renderer->Enable(RenderSwitch::ScissorTest);
  renderer->SetSamplerBits(kSamplerWrapU);
  AddQuads(3);
  device->ClearLog();

  renderer->BindTexture(&texture);
  renderer->SetShader(&shader);
  renderer->SetBlendMode(BlendMode::Add);
  renderer->Enable(RenderSwitch::ScissorTest);
  renderer->SetSamplerBits(kSamplerWrapU | kSamplerLinear);  // both already set
  renderer->ClearSamplerBits(kSamplerWrapV);                 // already clear
  EXPECT_TRUE(device->calls.empty());

  renderer->Flush();
  ASSERT_EQ(device->Count(Op::DrawQuads), 1);
  EXPECT_EQ(device->Last(Op::DrawQuads)->a, 12);
}

#if defined(KALODRUS_CHECKS)
// Checked builds stop at a misuse and name it; other builds ignore the call.
TEST_F(StateCacheTest, AMisuseStopsACheckedBuildWithItsName) {
  Texture empty;
  const uint32_t pixel = 0xFFFFFFFF;
  EXPECT_DEATH(renderer->CreateDeviceTexture(empty, reinterpret_cast<const uint8_t*>(&pixel)),
               "CreateDeviceTexture: pixels given for a texture without a size");
}
#endif

TEST_F(StateCacheTest, AChangeFlushesFirstThenReachesTheDevice) {
  Texture a, b;
  a.deviceTexture = 1;
  b.deviceTexture = 2;
  renderer->BindTexture(&a);
  AddQuads(2);
  device->ClearLog();

  renderer->BindTexture(&b, 0);
  ASSERT_EQ(device->calls.size(), 2u);
  EXPECT_EQ(device->calls[0].op, Op::DrawQuads);
  EXPECT_EQ(device->calls[1].op, Op::BindTexture);
  EXPECT_EQ(device->calls[1].b, 2);

  // Each kind of change flushes what was added before it.
  const std::vector<void (*)(Renderer&)> changes = {
      [](Renderer& r) { r.SetBlendMode(BlendMode::Multiply); },
      [](Renderer& r) { r.Disable(RenderSwitch::AlphaBlend); },
      [](Renderer& r) { r.SetSamplerBits(kSamplerWrapV); },
      [](Renderer& r) { r.ClearSamplerBits(kSamplerLinear); },
      [](Renderer& r) { r.SetScissor(0, 0, 10, 10); },
      [](Renderer& r) { r.SetTransform(TransformKind::World, Matrix::Identity()); },
      [](Renderer& r) { r.Clear(0); },
      [](Renderer& r) { r.EndFrame(); },
  };
  for (size_t i = 0; i < changes.size(); ++i) {
    AddQuads(1);
    device->ClearLog();
    changes[i](*renderer);
    ASSERT_FALSE(device->calls.empty()) << "change " << i;
    EXPECT_EQ(device->calls[0].op, Op::DrawQuads) << "change " << i;
    EXPECT_GT(device->calls.size(), 1u) << "change " << i;
  }
}

TEST_F(StateCacheTest, SamplerBitsSetAndClearOnlyTheBitsGiven) {
  renderer->SetSamplerBits(kSamplerWrapU | kSamplerWrapV);
  EXPECT_EQ(device->CallsOf(Op::AddressU).size(), 1u);
  EXPECT_EQ(device->Last(Op::AddressU)->a, 1);
  EXPECT_EQ(device->Last(Op::AddressV)->a, 1);
  EXPECT_EQ(device->Count(Op::Filter), 0);

  device->ClearLog();
  renderer->ClearSamplerBits(kSamplerWrapV | kSamplerLinear);
  EXPECT_EQ(device->Count(Op::AddressU), 0);
  EXPECT_EQ(device->Last(Op::AddressV)->a, 0);
  EXPECT_EQ(device->Last(Op::Filter)->a, 0);

  device->ClearLog();
  renderer->SetSamplerBits(kSamplerLinear);
  EXPECT_EQ(device->Last(Op::Filter)->a, 1);
}

TEST_F(StateCacheTest, BindingAnEvictedTextureReloadsItFirst) {
  struct Reloader : TextureReloader {
    Renderer* renderer = nullptr;
    int reloads = 0;
    void Reload(Texture& t) override {
      ++reloads;
      t.flags &= ~kTextureEvicted;
      const uint32_t pixel = 0xFFFFFFFF;
      renderer->CreateDeviceTexture(t, reinterpret_cast<const uint8_t*>(&pixel));
    }
  } reloader;
  reloader.renderer = renderer.get();
  renderer->SetTextureReloader(&reloader);

  Texture texture;
  texture.width = texture.height = 1;
  texture.flags = kTextureEvicted;
  renderer->BindTexture(&texture, 0);
  EXPECT_EQ(reloader.reloads, 1);
  ASSERT_NE(texture.deviceTexture, 0u);
  EXPECT_EQ(device->Last(Op::BindTexture)->b, int(texture.deviceTexture));

  renderer->BindTexture(&texture, 0);
  EXPECT_EQ(reloader.reloads, 1);
}

TEST_F(StateCacheTest, ReleasingOrCreatingTexturesDropsStaleBindings) {
  Texture a, b;
  a.width = a.height = b.width = b.height = 1;
  const uint32_t pixel = 0xFF00FF00;
  const auto* pixels = reinterpret_cast<const uint8_t*>(&pixel);
  renderer->CreateDeviceTexture(a, pixels);
  renderer->BindTexture(&a, 0);
  renderer->BindTexture(&a, 1);

  // A released texture that comes back (evicted and reloaded, or a new record at the same
  // address) must be bound again, on every stage that had it.
  renderer->ReleaseDeviceTexture(a);
  EXPECT_EQ(a.deviceTexture, 0u);
  renderer->CreateDeviceTexture(a, pixels);
  device->ClearLog();
  renderer->BindTexture(&a, 0);
  renderer->BindTexture(&a, 1);
  EXPECT_EQ(device->Count(Op::BindTexture), 2);

  // Creating another texture may disturb stage 0 only.
  renderer->CreateDeviceTexture(b, pixels);
  device->ClearLog();
  renderer->BindTexture(&a, 1);
  EXPECT_EQ(device->Count(Op::BindTexture), 0);
  renderer->BindTexture(&a, 0);
  EXPECT_EQ(device->Count(Op::BindTexture), 1);

  // A record about to be freed.
  renderer->ForgetTexture(&a);
  device->ClearLog();
  renderer->BindTexture(&a, 1);
  EXPECT_EQ(device->Count(Op::BindTexture), 1);
}

TEST_F(StateCacheTest, StagesOutsideTheEightAreIgnored) {
  Texture t;
  renderer->BindTexture(&t, 8);
  renderer->BindTexture(&t, -1);
  EXPECT_TRUE(device->calls.empty());
}

TEST_F(StateCacheTest, ShadersComeFromTheDeviceAndReleaseResetsTheCurrentOne) {
  auto shader = renderer->CreateShaderProgram("pixel", "vertex");
  ASSERT_NE(shader, nullptr);
  EXPECT_EQ(device->Last(Op::CreateShader)->text, "pixel|vertex");
  renderer->SetShader(shader.get());
  EXPECT_EQ(device->Last(Op::SetShader)->a, int(shader->program));

  renderer->ReleaseShaderProgram(*shader);
  EXPECT_EQ(device->Last(Op::SetShader)->a, 0);
  EXPECT_EQ(device->Count(Op::ReleaseShader), 1);
  EXPECT_EQ(shader->program, 0u);

  device->failShaders = true;
  EXPECT_EQ(renderer->CreateShaderProgram("bad", ""), nullptr);
}

// ------------------------------------------------------------------------ display mode

class DisplayModeTest : public RecordingRendererTest {
 protected:
  struct Targets : RenderTargetOwner {
    std::vector<std::string>* log;
    explicit Targets(std::vector<std::string>* l) : log(l) {}
    void ReleaseRenderTargets() override { log->push_back("release"); }
    void RecreateRenderTargets() override { log->push_back("recreate"); }
  };

  void SetUp() override {
    device->desktop = {1680, 1050};
    renderer->SetRenderTargetOwner(&targets);
    Start(AspectMode::Screen16x10);
  }

  std::vector<std::string> log;
  Targets targets{&log};
};

TEST_F(DisplayModeTest, TheSwitchHappensInTheNextPresent) {
  renderer->SetFullscreen(true);
  EXPECT_EQ(device->Count(Op::Reset), 0);
  renderer->Present();
  const auto* reset = device->Last(Op::Reset);
  ASSERT_NE(reset, nullptr);
  EXPECT_EQ(reset->a, 1680);
  EXPECT_EQ(reset->b, 1050);
  EXPECT_EQ(reset->c, 1);
  EXPECT_TRUE(renderer->IsFullscreen());
  EXPECT_EQ(log, (std::vector<std::string>{"release", "recreate"}));
  EXPECT_EQ(device->Last(Op::Viewport)->c, 1680);
  EXPECT_EQ(renderer->BackBufferSize(), (ScreenSize{1680, 1050}));

  // The next frame's end sets the states again; later presents do nothing more.
  device->ClearLog();
  renderer->EndFrame();
  EXPECT_EQ(device->Count(Op::Viewport), 1);
  renderer->Present();
  renderer->EndFrame();
  EXPECT_EQ(device->Count(Op::Reset), 0);
  EXPECT_EQ(device->Count(Op::Viewport), 1);

  // Asking for the mode in effect is no request.
  renderer->SetFullscreen(true);
  renderer->Present();
  EXPECT_EQ(device->Count(Op::Reset), 0);
}

TEST_F(DisplayModeTest, AFailedSwitchKeepsTheOldModeUntilAskedAgain) {
  device->failReset = true;
  renderer->SetFullscreen(true);
  renderer->Present();
  EXPECT_FALSE(renderer->IsFullscreen());
  EXPECT_EQ(renderer->BackBufferSize(), (ScreenSize{1280, 800}));
  EXPECT_EQ(log, (std::vector<std::string>{"release", "recreate"}));

  device->ClearLog();
  renderer->Present();
  EXPECT_EQ(device->Count(Op::Reset), 0);

  device->failReset = false;
  renderer->SetFullscreen(true);
  renderer->Present();
  EXPECT_TRUE(renderer->IsFullscreen());
}

TEST_F(DisplayModeTest, ADeviceThatAsksForAResetGetsOne) {
  device->needsReset = true;
  renderer->Present();
  const auto* reset = device->Last(Op::Reset);
  ASSERT_NE(reset, nullptr);
  EXPECT_EQ(reset->a, 1280);
  EXPECT_EQ(reset->c, 0);
  EXPECT_EQ(device->Count(Op::Present), 1);
}

TEST_F(DisplayModeTest, ShutdownReleasesTheDevice) {
  renderer->Shutdown();
  EXPECT_EQ(device->Count(Op::Release), 1);
  EXPECT_FALSE(device->IsCreated());
  // Drawing after shutdown reaches nothing.
  AddQuads(600);
  renderer->Flush();
  EXPECT_EQ(device->Count(Op::DrawQuads), 0);
}

}  // namespace
