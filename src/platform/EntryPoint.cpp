#include "platform/EntryPoint.h"

#include <SDL.h>

#include <cstdio>
#include <memory>

#include "app/Application.h"
#include "app/Clock.h"
#include "app/CommandLine.h"
#include "app/ModeSplash.h"
#include "app/ScriptedInput.h"
#include "campaign/ModeMenu.h"
#include "campaign/ModeStage.h"
#include "campaign/ModeStandIn.h"
#include "graphics/GLRenderDevice.h"
#include "level_screen/ModeGame.h"
#include "platform/ContentLog.h"
#include "platform/DataFiles.h"
#include "platform/Desktop.h"
#include "platform/EventTranslator.h"
#include "platform/GameKeyTable.h"
#include "platform/GameScriptHost.h"
#include "platform/Pointer.h"
#include "platform/Random.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace {

class SystemClock final : public Clock {
 public:
  uint32_t NowMs() override { return platform::TicksMs(); }
  void SleepMs(uint32_t ms) override { platform::SleepMs(ms); }
};

// The SDL side of the game: the platform services the Application uses and the window
// procedure's view of the Application.
class GamePlatform final : public AppPlatform, public platform::WindowHost {
 public:
  GamePlatform(Clock& clock, platform::Window& window)
      : clock_(clock), window_(window), translator_(*this) {}

  void Attach(Application* app) { app_ = app; }
  platform::EventTranslator& translator() { return translator_; }

  // AppPlatform
  uint32_t NowMs() override { return clock_.NowMs(); }
  void SleepMs(uint32_t ms) override { clock_.SleepMs(ms); }
  void PointerToVirtual(float& mouseX, float& mouseY) override {
    if (scripted_) {
      mouseX = scriptedX_;
      mouseY = scriptedY_;
      return;
    }
    Renderer* renderer = app_ ? app_->renderer() : nullptr;
    if (!renderer) return;
    const platform::Size bb = window_.PixelSize();
    const auto& p = translator_.pointer();
    const auto v =
        platform::PointerToVirtual(p.x, p.y, float(bb.width), float(bb.height), renderer->Width(),
                                   renderer->Height(), renderer->IsFullscreen());
    mouseX = v.x;
    mouseY = v.y;
  }
  void WarpPointer(float x, float y) override {
    if (window_.Handle()) {
      const float scale = translator_.pixelScale();
      SDL_WarpMouseInWindow(window_.Handle(), int(x / scale), int(y / scale));
    }
    translator_.Warp(x, y);
  }
  bool IsKeyHeld(int gameKey) override { return platform::IsKeyHeld(gameKey); }
  bool IsSlateMode() override { return false; }
  bool LastInputWasTouch() override { return translator_.pointer().touch; }
  // Scripted input (headless runs) puts the pointer at a point of the virtual screen, where it
  // stays whatever the system pointer does.
  void SetScriptedPointer(float x, float y) {
    scripted_ = true;
    scriptedX_ = x;
    scriptedY_ = y;
  }
  void ShowMainWindow() override { window_.Show(); }
  bool IsWindowShown() override { return window_.IsShown(); }
  void SetWindowTitle(const std::u16string& title) override { window_.SetTitle(title); }
  std::unique_ptr<RenderDevice> CreateRenderDevice() override {
    return std::make_unique<GLRenderDevice>(window_);
  }
  std::string UserLanguage() override { return platform::UserLanguage(); }
  bool OpenAddress(const std::string& address) override {
    return platform::OpenAddress(window_.Handle(), address);
  }
  void ShowErrorBox(const char* caption, const std::string& text) override {
    platform::ShowErrorBox(window_.Handle(), caption, text);
  }
  void SetSystemCursor(bool arrow) override {
    SDL_ShowCursor(arrow ? SDL_ENABLE : SDL_DISABLE);
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    if (window_.Handle() && SDL_GetMouseFocus() == window_.Handle()) {
      SDL_WarpMouseInWindow(window_.Handle(), x, y);
    }
  }

  // WindowHost
  void OnInput(InputEvent event) override { app_->OnInput(event); }
  bool IsAppActive() override { return app_->active; }
  void SetAppActive(bool active) override { app_->SetActive(active); }
  void Quit() override { app_->quit = true; }
  bool IsSplashCurrent() override { return app_->current == &TheModeSplash(); }
  bool IsFullscreen() override { return app_->renderer() && app_->renderer()->IsFullscreen(); }
  bool IsWindowVisible() override { return window_.IsVisible(); }
  bool IsWindowMinimised() override { return window_.IsMinimised(); }
  void MinimiseWindow() override { window_.Minimise(); }
  void RaiseWindow() override { window_.Raise(); }
  void ClientSize(float& width, float& height) override {
    int w = 0, h = 0;
    if (window_.Handle()) SDL_GetWindowSize(window_.Handle(), &w, &h);
    width = float(w);
    height = float(h);
  }
  void MoveSystemCursor(float x, float y) override {
    if (window_.Handle()) SDL_WarpMouseInWindow(window_.Handle(), int(x), int(y));
  }

  // Window units to back-buffer pixels, for high-DPI windows.
  void UpdatePixelScale() {
    int w = 0, h = 0;
    if (window_.Handle()) SDL_GetWindowSize(window_.Handle(), &w, &h);
    const platform::Size bb = window_.PixelSize();
    translator_.SetPixelScale(w > 0 && bb.width > 0 ? float(bb.width) / float(w) : 1.0f);
  }

 private:
  Clock& clock_;
  platform::Window& window_;
  platform::EventTranslator translator_;
  Application* app_ = nullptr;
  bool scripted_ = false;
  float scriptedX_ = 0, scriptedY_ = 0;
};

std::vector<std::string> Arguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return args;
}

// Hands the scripted input of a frame to the Application as the window would.
void RunScript(Application& app, GamePlatform& platform, const CommandLine& cl, uint32_t frame) {
  using Kind = CommandLine::Scripted::Kind;
  for (const CommandLine::Scripted& s : cl.script) {
    if (s.frame != frame) continue;
    if (s.kind == Kind::Click) {
      platform.SetScriptedPointer(s.x, s.y);
      app.OnInput({InputType::PointerMove, 0});
      app.OnInput({InputType::LeftDown, 0});
      app.OnInput({InputType::LeftUp, 0});
    } else if (s.kind == Kind::Key) {
      app.OnInput({InputType::KeyDown, s.key});
      app.OnInput({InputType::KeyUp, s.key});
    } else {
      for (const char16_t c : s.text) app.OnInput({InputType::Character, int(c)});
    }
  }
}

// The game options: the level the splash hands over to, its difficulty, continue, the seed
// and the bot.
void ApplyGameOptions(Application& app, const CommandLine& cl) {
  ModeGame& game = TheModeGame();
  if (cl.level) {
    game.episode = cl.level->episode;
    game.levelNumber = cl.level->level;
  }
  if (cl.seed) SeedRandom(*cl.seed);
  Progress& progress = app.profiles()->progress;
  if (cl.difficulty) {
    progress.difficulty = Difficulty(*cl.difficulty);
    app.profiles()->SaveProgress();
  } else if ((progress.options & Progress::kNewGameStarted) == 0) {
    progress.difficulty = Difficulty::Casual;
  }
  game.continueSaved = cl.continueSaved && app.profiles()->HasGame();
  game.SetBotPlaying(cl.bot);
  game.mapMode = &TheModeStage();
  game.comicsMode = &TheModeComics();
  game.castleMode = &TheModeCastle();
  TheModeComics().nextMode = &TheModeStage();
  TheModeCastle().backMode = &TheModeStage();
  // The splash hands over to the main menu, or to the level (or saved game) the command line
  // asks for.
  Mode* first = cl.level || game.continueSaved ? static_cast<Mode*>(&game) : &TheModeMenu();
  TheModeSplash().next = cl.stayLoading ? nullptr : first;
}

// The script file's input and the trace of screen switches, when the command line asks for
// them.
struct ScriptedRun {
  ScriptedRun(GamePlatform& platform, std::vector<ScriptAction> actions, bool traceOn)
      : host([&platform](float x, float y) { platform.SetScriptedPointer(x, y); }),
        input(App(), host, std::move(actions)),
        trace(host),
        traced(traceOn) {}

  void Trace(const std::string& line) const {
    if (!traced || line.empty()) return;
    std::fprintf(stdout, "%s\n", line.c_str());
    std::fflush(stdout);
  }

  GameScriptHost host;
  ScriptedInput input;
  ModeTrace trace;
  bool traced = false;
};

// Runs the message loop until the Application ends it, the frame budget is spent or the
// script fails; the last frame of the budget is captured when a screenshot is asked for.
// Returns the exit code: 0, or 3 for a failed script.
int MessageLoop(Application& app, GamePlatform& platform, const CommandLine& cl, ScriptedRun& run) {
  uint32_t done = 0;
  SDL_Event event;
  run.Trace(run.trace.Observe(app));
  for (;;) {
    while (SDL_PollEvent(&event)) platform.translator().Handle(event);
    platform.UpdatePixelScale();
    RunScript(app, platform, cl, done);
    if (!run.input.RunFrame(done)) {
      std::fprintf(stderr, "kalodrus3: %s\n", run.input.Failure().c_str());
      return 3;
    }
    const bool last = cl.frames && done + 1 >= *cl.frames;
    if (last && !cl.screenshot.empty()) app.CaptureNextFrame(cl.screenshot);
    if (!app.Frame()) {
      run.Trace(run.trace.Quit());
      break;
    }
    run.Trace(run.trace.Observe(app));
    if (last) break;
    ++done;
  }
  return 0;
}

}  // namespace

int RunGame(int argc, char** argv) {
  const CommandLine cl = ParseCommandLine(Arguments(argc, argv));
  for (const std::string& error : cl.errors) std::fprintf(stderr, "kalodrus3: %s\n", error.c_str());
  if (!cl.errors.empty()) return 2;
  Script script;
  if (!cl.scriptFile.empty()) {
    script = LoadScript(cl.scriptFile);
    if (!script.error.empty()) {
      std::fprintf(stderr, "kalodrus3: %s\n", script.error.c_str());
      return 2;
    }
  }
  if (cl.log) content_log::Enable(true);

  // Touch and pen contacts are handled as such, not as the mouse events SDL makes of them;
  // the pointer is not captured, so leaving the window with the button held releases it.
  SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    std::fprintf(stderr, "kalodrus3: %s\n", SDL_GetError());
    return 0;
  }

  const std::string dataFolder = platform::ResolveDataFolder();
  platform::SingleInstance instance;
  if (!instance.Acquire(dataFolder)) {
    SDL_Quit();
    return 0;
  }
  platform::SetDataFolder(dataFolder);

  std::unique_ptr<Clock> clock;
  if (cl.fixedStep) {
    clock = std::make_unique<FixedStepClock>(*cl.fixedStep);
  } else {
    clock = std::make_unique<SystemClock>();
  }
  platform::Window window;
  GamePlatform gamePlatform(*clock, window);
  int exitCode = 0;
  bool glLoaded = false;
  {
    Application app(gamePlatform);
    gamePlatform.Attach(&app);
    if (app.Init()) {
      Renderer& renderer = *app.renderer();
      renderer.SetAspectMode(renderer.ChooseAspectMode());
      Settings& settings = app.profiles()->settings;
      if (cl.fullscreen) {
        settings.flags = *cl.fullscreen ? settings.flags | Settings::kFullscreen
                                        : settings.flags & ~Settings::kFullscreen;
      }
      if (cl.aspectMode) renderer.SetAspectMode(*cl.aspectMode);
      if (cl.standardDefinition) app.textures()->SetQuality(TextureQuality::Standard);

      // The GL driver stays loaded until the process ends: Mesa's software driver leaves a
      // few blocks behind when it is unloaded, which leak checkers can no longer attribute.
      glLoaded = SDL_GL_LoadLibrary(nullptr) == 0;
      if (window.Create(int(renderer.Width()), int(renderer.Height()), settings.fullscreen())) {
        if (!settings.fullscreen()) window.Raise();
        if (app.InitDevice()) {
          if (settings.fullscreen()) window.Raise();
          int x = 0, y = 0;
          SDL_GetMouseState(&x, &y);
          platform::EventTranslator& translator = gamePlatform.translator();
          translator.Warp(float(x), float(y));
          ApplyGameOptions(app, cl);
          app.reproducibleFrames = cl.fixedStep.has_value();
          app.SetMode(&TheModeSplash(), false);
          if (app.quit) {
            exitCode = -1;
          } else {
            app.ResetTimer();
            SDL_StartTextInput();
            ScriptedRun run(gamePlatform, std::move(script.actions), cl.trace);
            exitCode = MessageLoop(app, gamePlatform, cl, run);
            if (exitCode == 0 && !cl.screenshot.empty() && !app.captured) {
              std::fprintf(stderr, "kalodrus3: could not write %s\n", cl.screenshot.c_str());
              exitCode = 1;
            }
          }
        }
        window.Destroy();
      }
      app.Shutdown();
    }
  }
  if (!glLoaded) SDL_Quit();
  return exitCode;
}
