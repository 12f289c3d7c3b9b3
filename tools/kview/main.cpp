// kview: shows textures, sprites, texts and effects through the game's own
// services, the way the game draws them. Run it from the game folder:
//
//   kview [--frames N] [--fixed-step MS] [--aspect 0-4] [--sd] [--log] [--screenshot FILE]
//         [--hover ID] [--click FRAME:X,Y]... [--bot] [--draw-last] [--pointer X,Y]
//         [--language en|de|pl|ru] [--difficulty 0-2] [--medal 0-2] [--parts A,B,C,D]
//         [--trophies N,...] [--lost] [--at MS] ITEM...
//
// Each ITEM is drawn centred in its own column over a neutral checkerboard; wide backgrounds
// fill the screen under the rest. Without --frames it runs until the window is closed or
// Escape is pressed. Headless under SDL_VIDEODRIVER=offscreen; --screenshot writes the last
// frame as a PNG. Whole screens (mode:, result:, speech:) run the game itself and are shown
// alone; their --frames count from the moment the screen shows what was asked for.
#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ScreenItem.h"
#include "ViewItems.h"
#include "base/ContentLog.h"
#include "base/System.h"
#include "data/FileSystem.h"
#include "data/ValueTable.h"
#include "graphics/GLRenderDevice.h"
#include "graphics/Renderer.h"
#include "graphics/SpriteManager.h"
#include "graphics/TextureManager.h"
#include "particles/ParticleManager.h"
#include "platform/Window.h"

namespace {

struct Options {
  std::optional<uint32_t> frames;
  std::optional<uint32_t> fixedStep;
  std::optional<AspectMode> aspect;
  bool standardDefinition = false;
  std::string screenshot;
  int hover = 0;
  std::vector<ViewClick> clicks;
  float pointerX = 0.0f, pointerY = 0.0f;
  std::string language = "en";
  bool bot = false;
  bool drawLast = false;  // with --frames: only the last frame is drawn (long headless runs)
  ScreenOptions screen;
  std::vector<std::string> items;
};

void Usage() {
  std::fprintf(stderr,
               "usage: kview [--frames N] [--fixed-step MS] [--aspect 0-4] [--sd] [--log] "
               "[--screenshot FILE] [--hover ID] [--click FRAME:X,Y]... [--bot] [--draw-last] "
               "[--pointer X,Y] [--language CODE] [--difficulty 0-2] [--medal 0-2] "
               "[--parts A,B,C,D] [--trophies N,...] [--lost] [--at MS] ITEM...\nitems:\n");
  for (const ViewItemKind& kind : ViewItemKinds())
    std::fprintf(stderr, "  %.*s\n", int(kind.usage.size()), kind.usage.data());
}

std::optional<uint32_t> Number(const std::string& text) {
  uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "FRAME:X,Y" with a frame from 0 and world coordinates.
std::optional<ViewClick> ParseClick(const std::string& text) {
  ViewClick click;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d:%f,%f%c", &click.frame, &click.x, &click.y, &tail) != 3 ||
      click.frame < 0 || !std::isfinite(click.x) || !std::isfinite(click.y)) {
    return std::nullopt;
  }
  return click;
}

// "X,Y" in virtual units from the screen centre (y up).
bool ParsePoint(const std::string& text, float& x, float& y) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  const char* first = text.c_str();
  char* end = nullptr;
  x = std::strtof(first, &end);
  if (end != first + comma) return false;
  y = std::strtof(first + comma + 1, &end);
  return end == first + text.size() && comma + 1 < text.size() && std::isfinite(x) &&
         std::isfinite(y);
}

// "A,B,..." of whole numbers within [low, high]; count of them when count > 0.
std::optional<std::vector<int>> ParseList(const std::string& text, int low, int high,
                                          size_t count) {
  std::vector<int> values;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    const std::string part = text.substr(start, comma - start);
    int value = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (part.empty() || error != std::errc() || end != part.data() + part.size() || value < low ||
        value > high)
      return std::nullopt;
    values.push_back(value);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (count > 0 && values.size() != count) return std::nullopt;
  return values;
}

// The result sequence's switches; false with a message for a bad value.
bool ParseResultSwitch(const std::string& arg, const std::string& value, ScreenOptions& screen) {
  if (arg == "--parts") {
    const auto parts = ParseList(value, 0, 100000000, 4);
    if (parts) std::copy(parts->begin(), parts->end(), screen.parts.emplace().begin());
    return parts.has_value();
  }
  if (arg == "--trophies") {
    const auto trophies = ParseList(value, 0, 21, 0);
    if (trophies) screen.trophies = *trophies;
    return trophies.has_value();
  }
  const auto number = ParseList(value, 0, 2, 1);
  if (number) (arg == "--difficulty" ? screen.difficulty : screen.medal) = number->front();
  return number.has_value();
}

bool Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--click") {
      const std::optional<ViewClick> click = i + 1 < argc ? ParseClick(argv[++i]) : std::nullopt;
      if (!click) {
        std::fprintf(stderr, "kview: --click needs FRAME:X,Y\n");
        return false;
      }
      options.clicks.push_back(*click);
      continue;
    }
    if (arg == "--bot") {
      options.bot = true;
      continue;
    }
    if (arg == "--draw-last") {
      options.drawLast = true;
      continue;
    }
    if (arg == "--lost") {
      options.screen.lost = true;
      continue;
    }
    if (arg == "--difficulty" || arg == "--medal" || arg == "--parts" || arg == "--trophies") {
      if (i + 1 >= argc || !ParseResultSwitch(arg, argv[i + 1], options.screen)) {
        std::fprintf(stderr, "kview: bad value for %s\n", arg.c_str());
        return false;
      }
      ++i;
      continue;
    }
    if (arg == "--sd") {
      options.standardDefinition = true;
      continue;
    }
    if (arg == "--log") {
      content_log::Enable(true);
      continue;
    }
    if (arg == "--frames" || arg == "--fixed-step" || arg == "--aspect" || arg == "--screenshot" ||
        arg == "--hover" || arg == "--pointer" || arg == "--language" || arg == "--lang" ||
        arg == "--at") {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "kview: %s needs a value\n", arg.c_str());
        return false;
      }
      const std::string value = argv[++i];
      if (arg == "--screenshot") {
        options.screenshot = value;
        continue;
      }
      if (arg == "--language" || arg == "--lang") {
        // A folder name below locale/: lower-case letters only.
        const bool word =
            !value.empty() && value.size() <= 8 &&
            value.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
        if (!word) {
          std::fprintf(stderr, "kview: bad value for --language: %s\n", value.c_str());
          return false;
        }
        options.language = value;
        continue;
      }
      if (arg == "--pointer") {
        if (!ParsePoint(value, options.pointerX, options.pointerY)) {
          std::fprintf(stderr, "kview: bad value for --pointer: %s (X,Y)\n", value.c_str());
          return false;
        }
        continue;
      }
      const std::optional<uint32_t> number = Number(value);
      if (!number || (arg == "--aspect" && !AspectModeFromNumber(int(*number))) ||
          (arg == "--frames" && *number == 0)) {
        std::fprintf(stderr, "kview: bad value for %s: %s\n", arg.c_str(), value.c_str());
        return false;
      }
      if (arg == "--hover") {
        if (*number == 0 || *number > 0xFFFF) {
          std::fprintf(stderr, "kview: bad value for --hover: %s\n", value.c_str());
          return false;
        }
        options.hover = int(*number);
        continue;
      }
      if (arg == "--frames") options.frames = *number;
      if (arg == "--fixed-step") options.fixedStep = *number;
      if (arg == "--aspect") options.aspect = AspectModeFromNumber(int(*number));
      if (arg == "--at") options.screen.comicAt = *number;
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "kview: unknown option %s\n", arg.c_str());
      return false;
    }
    options.items.push_back(arg);
  }
  return !options.items.empty();
}

bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

// The neutral background: a quiet grey checkerboard that shows where pictures are
// transparent.
void DrawBackground(Renderer& renderer) {
  constexpr float kSquare = 16.0f;
  renderer.BindTexture(nullptr);
  const float halfW = renderer.HalfWidth();
  const float halfH = renderer.Height() * 0.5f;
  for (float y = -halfH; y < halfH; y += kSquare)
    for (float x = -halfW; x < halfW; x += kSquare) {
      const bool dark = (int((x + halfW) / kSquare) + int((y + halfH) / kSquare)) % 2 == 0;
      renderer.AddQuad({x, y + kSquare, x + kSquare, y}, kFullTexRect,
                       dark ? 0xFF767676u : 0xFF8C8C8Cu);
    }
}

// Columns of equal width, one per item; each item centred in its column and scaled down to
// fit with a margin.
void DrawItems(Renderer& renderer, const std::vector<std::unique_ptr<ViewItem>>& items) {
  for (const auto& item : items)
    if (item->CoversScreen()) item->Draw(0, 0, 1);
  std::vector<ViewItem*> row;
  for (const auto& item : items)
    if (!item->CoversScreen()) row.push_back(item.get());
  if (row.empty()) return;
  const float column = renderer.Width() / float(row.size());
  for (size_t i = 0; i < row.size(); ++i) {
    ViewItem& item = *row[i];
    float scale = 1.0f;
    if (item.Width() > 0) scale = std::min(scale, column * 0.95f / item.Width());
    if (item.Height() > 0) scale = std::min(scale, renderer.Height() * 0.95f / item.Height());
    const float x = -renderer.HalfWidth() + column * (float(i) + 0.5f);
    item.Draw(x, 0, scale);
  }
}

int Run(const Options& options) {
  // Video and the GL library stay loaded until the process ends: the software GL driver
  // leaves a few blocks behind when it is unloaded, which leak checkers then report.
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0 || SDL_GL_LoadLibrary(nullptr) != 0) {
    std::fprintf(stderr, "kview: %s\n", SDL_GetError());
    return 1;
  }
  int exitCode = 0;
  {
    FileSystem files;
    files.Mount("content");
    files.Mount("music");
    ValueTable values(files);

    platform::Window window;
    Renderer renderer(std::make_unique<GLRenderDevice>(window));
    renderer.SetAspectMode(options.aspect ? *options.aspect : renderer.ChooseAspectMode());
    if (!window.Create(int(renderer.Width()), int(renderer.Height()), false) ||
        !renderer.Init(false, false)) {
      std::fprintf(stderr, "kview: no OpenGL device: %s\n", SDL_GetError());
      return 1;
    }
    window.SetTitle(u"kview");
    window.Show();

    // The services in the game's order: textures, then sprites; destroyed the other way
    // round, before the device goes.
    auto textures = std::make_unique<TextureManager>(files, renderer);
    if (options.standardDefinition || renderer.WantsStandardDefinition())
      textures->SetQuality(TextureQuality::Standard);
    // The content choice of the game, except that the high-definition content is taken
    // whenever it is there.
    if (textures->Quality() == TextureQuality::Auto &&
        (Exists("content_hd") || Exists("content_hd.pak"))) {
      files.Mount("content_hd");
      values.Load("resolution");
      if (values.GetBool("if_double_size", false)) textures->SetQuality(TextureQuality::Double);
    }
    files.Mount("locale/" + options.language);
    auto sprites = std::make_unique<SpriteManager>(files, *textures);
    sprites->LoadAtlases();

    ViewServices services{
        files,          values,           renderer,         *textures,   *sprites, options.hover,
        options.clicks, options.pointerX, options.pointerY, options.bot, {}};
    std::vector<std::unique_ptr<ViewItem>> items;
    for (const std::string& word : options.items) {
      std::string error;
      if (auto item = MakeViewItem(services, word, error)) {
        items.push_back(std::move(item));
      } else {
        std::fprintf(stderr, "kview: %s\n", error.c_str());
        exitCode = 1;
      }
    }
    if (items.empty()) exitCode = 1;

    uint32_t last = base::TicksMs();
    bool running = !items.empty();
    for (uint32_t frame = 1; running; ++frame) {
      SDL_Event event;
      while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT ||
            (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE))
          running = false;
      }
      const uint32_t now = base::TicksMs();
      const float step = options.fixedStep ? float(*options.fixedStep)
                                           : std::clamp(float(now - last), 1.0f, 100.0f);
      last = now;
      for (const auto& item : items) item->Update(step);
      const bool lastFrame = !running || (options.frames && frame >= *options.frames);
      if (options.drawLast && options.frames && !lastFrame) continue;

      renderer.BeginFrame();
      DrawBackground(renderer);
      DrawItems(renderer, items);
      renderer.EndFrame();
      if (lastFrame && !options.screenshot.empty() &&
          !renderer.SaveScreenshot(options.screenshot)) {
        std::fprintf(stderr, "kview: could not write %s\n", options.screenshot.c_str());
        exitCode = 1;
      }
      renderer.Present();
      if (lastFrame) break;
      if (!options.fixedStep) base::SleepMs(1);
    }
    items.clear();
    if (services.particles) services.particles->Shutdown();
    services.particles.reset();
    sprites.reset();
    textures.reset();
    renderer.Shutdown();
    window.Destroy();
  }
  return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    Usage();
    return 2;
  }
  // A screenshot without a frame count is taken of the first frame.
  if (!options.screenshot.empty() && !options.frames) options.frames = 1;
  const bool screens = std::any_of(options.items.begin(), options.items.end(), IsScreenItem);
  if (!screens) return Run(options);
  if (options.items.size() != 1) {
    std::fprintf(stderr, "kview: a whole screen (mode:, result:, speech:) is shown alone\n");
    return 1;
  }
  ScreenOptions& screen = options.screen;
  screen.frames = options.frames;
  screen.fixedStep = options.fixedStep;
  screen.aspect = options.aspect;
  screen.standardDefinition = options.standardDefinition;
  screen.screenshot = options.screenshot;
  screen.language = options.language;
  return RunScreenItem(options.items.front(), screen);
}
