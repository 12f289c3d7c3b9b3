// How many textured, coloured quads per second the Renderer submits, against the same work
// through SDL_Renderer's SDL_RenderGeometry, both on the same headless OpenGL driver
// (SDL_VIDEODRIVER=offscreen gives Mesa's software rasteriser without a display).
//
// The work of one frame: 5000 sprites of 16 × 16 virtual pixels from eight 256 × 256 atlas
// pages, each with its own rectangle of its page and its own colour, drawn page after page
// (eight texture changes per frame) with alpha blending, then presented. The Renderer gets
// one AddQuad per sprite, SDL_Renderer one SDL_RenderGeometry call (four vertices, six
// indices) per sprite: the same one call per sprite a game makes with either.
//
// Every frame ends by reading one pixel back, so the driver has finished drawing it before
// the next begins; a headless surface's swap does not wait, and without the read the clock
// would stop while the driver is still working through queued frames.
//
// Two rates per path, each the best of five repetitions (the least disturbed by other work
// on the machine):
// - submit: quads per second of processor time on the thread that makes the calls. This is
//   what the renderer's design decides. With a software driver it also holds the driver's
//   vertex work, which is the same for both paths.
// - frame: quads per second of the whole process's processor time, the driver's rasteriser
//   threads included: what a finished frame costs on this machine.
// SDL_Renderer is measured on each OpenGL back end it has here; the ratios are taken against
// the fastest. The last line printed is "ratio_vs_sdl_renderer: X", the submit ratio.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "graphics/GLRenderDevice.h"
#include "graphics/Renderer.h"
#include "platform/Window.h"

namespace {

constexpr int kSprites = 5000;
constexpr int kPages = 8;
constexpr int kPageSize = 256;
constexpr int kSpriteCells = 16;  // a page holds 16 × 16 cells of 16 pixels
constexpr float kSpriteSize = 16.0f;
constexpr int kScreenW = 1024;  // aspect mode 0
constexpr int kScreenH = 768;

struct SpriteDraw {
  int page;
  Rect rect;  // virtual units, origin at the centre, y up
  TexRect uv;
  uint32_t colour;  // ARGB
};

// The frame's sprites, sorted by page, from a fixed seed.
std::vector<SpriteDraw> MakeSprites() {
  std::mt19937 random(4242);
  std::vector<SpriteDraw> sprites(kSprites);
  for (int i = 0; i < kSprites; ++i) {
    SpriteDraw& s = sprites[size_t(i)];
    s.page = i * kPages / kSprites;
    const float x = float(random() % (kScreenW - 16)) - kScreenW / 2.0f;
    const float y = float(random() % (kScreenH - 16)) - kScreenH / 2.0f;
    s.rect = {x, y + kSpriteSize, x + kSpriteSize, y};
    const int cell = int(random() % (kSpriteCells * kSpriteCells));
    const float u = float(cell % kSpriteCells) / kSpriteCells;
    const float v = float(cell / kSpriteCells) / kSpriteCells;
    s.uv = {u, v, u + 1.0f / kSpriteCells, v + 1.0f / kSpriteCells};
    s.colour = 0x80000000u | (random() & 0x7F000000u) | (random() & 0x00FFFFFFu);
  }
  return sprites;
}

// Page p: a different pattern per page, B, G, R, A.
std::vector<uint8_t> PagePixels(int page) {
  std::vector<uint8_t> pixels(size_t(kPageSize) * kPageSize * 4);
  for (int y = 0; y < kPageSize; ++y)
    for (int x = 0; x < kPageSize; ++x) {
      uint8_t* p = &pixels[(size_t(y) * kPageSize + x) * 4];
      p[0] = uint8_t(x + page * 30), p[1] = uint8_t(y), p[2] = uint8_t(x ^ y), p[3] = 255;
    }
  return pixels;
}

double CpuSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Processor time of the calling thread and of the whole process over one repetition.
class CpuClocks {
 public:
  CpuClocks()
      : thread_(CpuSeconds(CLOCK_THREAD_CPUTIME_ID)),
        process_(CpuSeconds(CLOCK_PROCESS_CPUTIME_ID)) {}
  // Sets the "submit" and "frame" rates of the state's repetition.
  void Report(benchmark::State& state, int64_t quads) const {
    const double thread = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - thread_;
    const double process = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process_;
    state.SetItemsProcessed(quads);
    state.counters["submit"] = thread > 0 ? double(quads) / thread : 0.0;
    state.counters["frame"] = process > 0 ? double(quads) / process : 0.0;
  }

 private:
  double thread_;
  double process_;
};

// The console output as usual, and the best of each rate over the repetitions (the machine
// may be busy with other work; the best run is the least disturbed).
class RateReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      for (const char* rate : {"items_per_second", "submit", "frame"}) {
        const auto it = run.counters.find(rate);
        if (it == run.counters.end()) continue;
        double& best = rates[run.run_name.function_name][rate];
        best = std::max(best, double(it->second.value));
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // Best rate by benchmark name and rate name; 0 when never reported.
  double Best(const std::string& name, const std::string& rate) const {
    const auto it = rates.find(name);
    if (it == rates.end()) return 0.0;
    const auto r = it->second.find(rate);
    return r == it->second.end() ? 0.0 : r->second;
  }
  std::map<std::string, std::map<std::string, double>> rates;
};

// ---------------------------------------------------------------- the Renderer

struct GameSide {
  platform::Window window;
  std::unique_ptr<Renderer> renderer;
  std::vector<std::unique_ptr<Texture>> pages;
  int drawCalls = -1;
};

GameSide* game = nullptr;

// Reads one pixel of the back buffer: the driver must finish the frame's drawing first.
// A presented frame is a drawn frame; without this a driver may still be queueing earlier
// frames' work (a headless surface's swap does not wait), and the clock would stop early.
void FinishFrame() {
  uint8_t pixel[4];
  glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  benchmark::DoNotOptimize(pixel);
}

bool StartGameSide() {
  game = new GameSide;
  game->renderer = std::make_unique<Renderer>(std::make_unique<GLRenderDevice>(game->window));
  game->renderer->SetAspectMode(AspectMode::Screen4x3);
  if (!game->window.Create(kScreenW, kScreenH, false) || !game->renderer->Init(false, false))
    return false;
  for (int p = 0; p < kPages; ++p) {
    auto texture = std::make_unique<Texture>();
    texture->name = "page" + std::to_string(p);
    texture->width = texture->imageWidth = kPageSize;
    texture->height = texture->imageHeight = kPageSize;
    texture->flags = kTextureAlpha;
    game->renderer->CreateDeviceTexture(*texture, PagePixels(p).data());
    if (!texture->deviceTexture) return false;
    game->pages.push_back(std::move(texture));
  }
  return true;
}

void BM_Renderer(benchmark::State& state) {
  if (!game) {
    state.SkipWithError("no OpenGL device");
    return;
  }
  const std::vector<SpriteDraw> sprites = MakeSprites();
  Renderer& renderer = *game->renderer;
  const CpuClocks clocks;
  for (auto _ : state) {
    renderer.BeginFrame();
    renderer.Clear(0xFF203040);
    for (const SpriteDraw& s : sprites) {
      renderer.BindTexture(game->pages[size_t(s.page)].get());
      renderer.AddQuad(s.rect, s.uv, s.colour);
    }
    renderer.EndFrame();
    game->drawCalls = renderer.DrawCalls();
    renderer.Present();
    FinishFrame();
  }
  clocks.Report(state, int64_t(state.iterations()) * kSprites);
  state.counters["draw_calls"] = double(game->drawCalls);
}

// The Renderer's own share: the same frames on a device that drops every call, which is
// what the Renderer costs before any driver work.
class NullDevice final : public RenderDevice {
 public:
  ScreenSize Desktop() const override { return {1024, 768}; }
  bool Create(const BackBufferParams& p) override {
    return created_ = true, size_ = {p.width, p.height}, true;
  }
  bool Reset(const BackBufferParams&) override { return true; }
  bool NeedsReset() override { return false; }
  void Release() override { created_ = false; }
  bool IsCreated() const override { return created_; }
  ScreenSize BackBufferSize() const override { return size_; }
  int MaxTextureWidth() const override { return 8192; }
  int MaxTextureHeight() const override { return 8192; }
  bool SupportsNonPow2() const override { return true; }
  void ShowErrorMessage(const std::string&, const std::string&) override {}
  void Clear(uint32_t, bool) override {}
  void BeginScene() override {}
  void EndScene() override {}
  void Present() override {}
  void SetViewport(int, int, int, int) override {}
  void SetTransform(TransformKind, const Matrix&) override {}
  void SetRenderSwitch(RenderSwitch, bool) override {}
  void SetAddressU(bool) override {}
  void SetAddressV(bool) override {}
  void SetFilter(bool) override {}
  void SetBlendFactors(BlendFactor, BlendFactor) override {}
  void SetScissorRect(int, int, int, int) override {}
  void BindTexture(int, DeviceTextureHandle) override {}
  void SetShader(ShaderProgramHandle) override {}
  void DrawQuads(const Vertex* vertices, int, int) override { benchmark::DoNotOptimize(vertices); }
  void DrawIndexed(const Vertex*, int, const uint16_t*, int) override {}
  DeviceTextureHandle CreateTexture(const TextureDesc&, std::span<const TextureLevel>) override {
    return ++textures_;
  }
  void ReleaseTexture(DeviceTextureHandle) override {}
  ShaderProgramHandle CreateShaderProgram(const std::string&, const std::string&) override {
    return 0;
  }
  void ReleaseShaderProgram(ShaderProgramHandle) override {}
  bool ReadBackBuffer(std::vector<uint8_t>&, int&, int&) override { return false; }

 private:
  bool created_ = false;
  ScreenSize size_;
  DeviceTextureHandle textures_ = 0;
};

void BM_RendererWithoutDriver(benchmark::State& state) {
  Renderer renderer(std::make_unique<NullDevice>());
  renderer.Init(false, false);
  std::vector<Texture> pages(kPages);
  for (Texture& page : pages) {
    page.width = page.height = page.imageWidth = page.imageHeight = kPageSize;
    renderer.CreateDeviceTexture(page, nullptr);
  }
  const std::vector<SpriteDraw> sprites = MakeSprites();
  for (auto _ : state) {
    renderer.BeginFrame();
    for (const SpriteDraw& s : sprites) {
      renderer.BindTexture(&pages[size_t(s.page)]);
      renderer.AddQuad(s.rect, s.uv, s.colour);
    }
    renderer.EndFrame();
    renderer.Present();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kSprites);
}

// ---------------------------------------------------------------- SDL_Renderer

struct SdlSide {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  std::vector<SDL_Texture*> pages;
  std::string driver;
};

// An SDL_Renderer on its own hidden window of the game's back-buffer size, on the driver
// given; none when that driver is not available.
std::unique_ptr<SdlSide> StartSdlSide(const char* driver, int width, int height) {
  SDL_GL_ResetAttributes();
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, driver);
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  auto side = std::make_unique<SdlSide>();
  side->window = SDL_CreateWindow("bench", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                  height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!side->window) return nullptr;
  side->renderer = SDL_CreateRenderer(side->window, -1, SDL_RENDERER_ACCELERATED);
  SDL_RendererInfo info{};
  if (!side->renderer || SDL_GetRendererInfo(side->renderer, &info) != 0 ||
      std::strcmp(info.name, driver) != 0) {
    if (side->renderer) SDL_DestroyRenderer(side->renderer);
    SDL_DestroyWindow(side->window);
    return nullptr;
  }
  side->driver = info.name;
  for (int p = 0; p < kPages; ++p) {
    SDL_Texture* texture = SDL_CreateTexture(side->renderer, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STATIC, kPageSize, kPageSize);
    if (!texture) return nullptr;
    SDL_UpdateTexture(texture, nullptr, PagePixels(p).data(), kPageSize * 4);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    side->pages.push_back(texture);
  }
  return side;
}

std::map<std::string, std::unique_ptr<SdlSide>> sdl;

void BM_SdlRenderGeometry(benchmark::State& state, const char* driver) {
  SdlSide* side = sdl.count(driver) ? sdl[driver].get() : nullptr;
  if (!side) {
    state.SkipWithError("driver not available");
    return;
  }
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(side->renderer, &width, &height);
  // The same sprites in the window's pixels, as SDL_Renderer takes them.
  struct Quad {
    int page;
    SDL_Vertex v[4];
  };
  std::vector<Quad> quads;
  for (const SpriteDraw& s : MakeSprites()) {
    auto px = [&](float x) { return (x + kScreenW / 2.0f) * float(width) / kScreenW; };
    auto py = [&](float y) { return (kScreenH / 2.0f - y) * float(height) / kScreenH; };
    const SDL_Color c{uint8_t(s.colour >> 16), uint8_t(s.colour >> 8), uint8_t(s.colour),
                      uint8_t(s.colour >> 24)};
    Quad q{s.page, {}};
    q.v[0] = {{px(s.rect.x0), py(s.rect.y0)}, c, {s.uv.u0, s.uv.v0}};
    q.v[1] = {{px(s.rect.x1), py(s.rect.y0)}, c, {s.uv.u1, s.uv.v0}};
    q.v[2] = {{px(s.rect.x1), py(s.rect.y1)}, c, {s.uv.u1, s.uv.v1}};
    q.v[3] = {{px(s.rect.x0), py(s.rect.y1)}, c, {s.uv.u0, s.uv.v1}};
    quads.push_back(q);
  }
  static const int kIndices[6] = {0, 2, 3, 0, 1, 2};
  const CpuClocks clocks;
  for (auto _ : state) {
    SDL_SetRenderDrawColor(side->renderer, 0x30, 0x40, 0x20, 0xFF);
    SDL_RenderClear(side->renderer);
    for (const Quad& q : quads)
      SDL_RenderGeometry(side->renderer, side->pages[size_t(q.page)], q.v, 4, kIndices, 6);
    SDL_RenderPresent(side->renderer);
    // The same one-pixel read as the Renderer's frames finish with.
    const SDL_Rect one{0, 0, 1, 1};
    uint32_t pixel = 0;
    SDL_RenderReadPixels(side->renderer, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
    benchmark::DoNotOptimize(pixel);
  }
  clocks.Report(state, int64_t(state.iterations()) * kSprites);
}

}  // namespace

int main(int argc, char** argv) {
  // Five repetitions unless asked otherwise.
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=5";
  if (std::none_of(args.begin(), args.end(), [](const char* a) {
        return std::strncmp(a, "--benchmark_repetitions", 23) == 0;
      }))
    args.insert(args.begin() + 1, repetitions.data());
  int count = int(args.size());
  benchmark::Initialize(&count, args.data());
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "bench_renderer: %s\n", SDL_GetError());
    return 1;
  }
  if (!StartGameSide()) {
    std::fprintf(stderr, "bench_renderer: no OpenGL device: %s\n", SDL_GetError());
    return 1;
  }
  const ScreenSize backBuffer = game->renderer->BackBufferSize();
  for (const char* driver : {"opengl", "opengles2"})
    if (auto side = StartSdlSide(driver, backBuffer.width, backBuffer.height))
      sdl[driver] = std::move(side);

  const std::string ourName = "Renderer/AddQuad";
  benchmark::RegisterBenchmark(ourName.c_str(), BM_Renderer)->Unit(benchmark::kMillisecond);
  for (const char* driver : {"opengl", "opengles2"})
    benchmark::RegisterBenchmark(("SDL_Renderer/" + std::string(driver)).c_str(),
                                 BM_SdlRenderGeometry, driver)
        ->Unit(benchmark::kMillisecond);
  const std::string bareName = "Renderer/AddQuad_without_driver";
  benchmark::RegisterBenchmark(bareName.c_str(), BM_RendererWithoutDriver)
      ->Unit(benchmark::kMicrosecond);
  RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  // The fastest SDL_Renderer back end, by each rate.
  auto bestSdl = [&](const std::string& rate, std::string& name) {
    double best = 0;
    name = "none";
    for (const auto& [benchmarkName, rates] : reporter.rates)
      if (benchmarkName.rfind("SDL_Renderer/", 0) == 0 && reporter.Best(benchmarkName, rate) > best)
        best = reporter.Best(benchmarkName, rate), name = benchmarkName;
    return best;
  };
  std::string submitName, frameName;
  const double oursSubmit = reporter.Best(ourName, "submit");
  const double oursFrame = reporter.Best(ourName, "frame");
  const double sdlSubmit = bestSdl("submit", submitName);
  const double sdlFrame = bestSdl("frame", frameName);
  // Each page's quads fill whole batches of 512 and leave a rest, flushed by the next page.
  const int perPage = kSprites / kPages;
  const int fullBatches = kPages * (perPage / kBatchQuads);
  const int expectedCalls = kPages * (perPage % kBatchQuads ? 1 : 0) + fullBatches;
  auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
  std::printf("back_buffer: %dx%d\n", backBuffer.width, backBuffer.height);
  std::printf("renderer_draw_calls_per_frame: %d (texture changes %d + full batches %d)\n",
              game->drawCalls, kPages, fullBatches);
  std::printf("renderer_without_driver_quads_per_second: %.0f\n",
              reporter.Best(bareName, "items_per_second"));
  std::printf("renderer_frame_quads_per_second: %.0f\n", oursFrame);
  std::printf("sdl_renderer_frame_quads_per_second: %.0f (%s)\n", sdlFrame, frameName.c_str());
  std::printf("frame_ratio_vs_sdl_renderer: %.2f\n", ratio(oursFrame, sdlFrame));
  std::printf("renderer_submit_quads_per_second: %.0f\n", oursSubmit);
  std::printf("sdl_renderer_submit_quads_per_second: %.0f (%s)\n", sdlSubmit, submitName.c_str());
  const bool callsOk = game->drawCalls == expectedCalls;
  if (!callsOk)
    std::printf("draw calls per frame: %d, expected %d\n", game->drawCalls, expectedCalls);
  std::printf("ratio_vs_sdl_renderer: %.2f\n", ratio(oursSubmit, sdlSubmit));
  return callsOk && oursSubmit > 0 && sdlSubmit > 0 ? 0 : 1;
}
