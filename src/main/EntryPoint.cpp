#include "main/EntryPoint.h"

#include <SDL.h>

#include <unistd.h>

#include <cstdio>
#include <memory>

#include "app/Application.h"
#include "app/Clock.h"
#include "app/CommandLine.h"
#include "app/ModeSplash.h"
#include "app/ScriptedInput.h"
#include "base/ContentLog.h"
#include "base/ContentRoot.h"
#include "base/DataFiles.h"
#include "base/Pointer.h"
#include "base/Random.h"
#include "base/SingleInstance.h"
#include "base/System.h"
#include "campaign/ModeMenu.h"
#include "campaign/ModeStage.h"
#include "graphics/GLRenderDevice.h"
#include "level_screen/ModeGame.h"
#include "main/GamePlatform.h"
#include "main/GameScriptHost.h"
#include "main/ModeTable.h"
#include "platform/Desktop.h"
#include "platform/EventTranslator.h"
#include "platform/GameKeyTable.h"
#include "platform/Window.h"

namespace {

using platform::GamePlatform;
using platform::SystemClock;

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
  } else if (cl.level && (progress.options & Progress::kNewGameStarted) == 0) {
    // A level played straight from the command line by a player who has not chosen yet is
    // played casual. Anyone else chooses in the menu.
    progress.difficulty = Difficulty::Casual;
  }
  game.continueSaved = cl.continueSaved && app.profiles()->HasGame();
  game.SetBotPlaying(cl.bot);
  RegisterGameModes(app);
  // The splash hands over to the main menu, or to the level (or saved game) the command line
  // asks for.
  Mode* first = cl.level || game.continueSaved ? static_cast<Mode*>(&game) : &TheModeMenu();
  if (cl.edit) {
    // The level editor on what the command line names.
    first = app.Accept(!cl.editFile.empty() ? EditLevelFile(cl.editFile)
                       : cl.editLevel       ? EditShippedLevel(cl.editLevel->episode, cl.editLevel->level)
                                            : EditNewLevel(cl.editNew));
  }
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
    platform.UpdatePixelRatio();
    platform.translator().StepController(app.frameTime);
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

// Goes to where the content is, beside the program or in its installed data folder, so that
// the content's folders and archives are mounted from there whatever folder the game was
// started from. Paths the player gave (the screenshot) are made absolute first. Without
// content the game cannot start, and says where it looked.
bool EnterContentFolder(CommandLine& cl) {
  const std::vector<std::string> candidates = base::InstalledContentCandidates();
  const std::string root = base::FindContentRoot(candidates);
  if (root.empty()) {
    std::string text =
        "The game's content was not found. Looked for \"content\" or "
        "\"content.pak\" in:";
    for (const std::string& folder : candidates) text += "\n  " + folder;
    platform::ShowErrorBox(nullptr, "Error", text);
    return false;
  }
  if (!cl.screenshot.empty()) cl.screenshot = base::AbsolutePath(cl.screenshot);
  if (!cl.editFile.empty()) cl.editFile = base::AbsolutePath(cl.editFile);
  if (chdir(root.c_str()) != 0) {
    platform::ShowErrorBox(nullptr, "Error", "The game cannot open its content folder " + root);
    return false;
  }
  return true;
}

// A data folder that cannot be made (a file in its place, no rights) leaves the game playable
// without saving; the player is told why nothing will be kept.
void ReportDataFolder(const std::string& resolved) {
  if (!resolved.empty()) return;
  const std::string wanted = base::WantedDataFolder();
  std::fprintf(stderr,
               "kalodrus3: cannot create the data folder %s: settings and progress will "
               "not be saved\n",
               wanted.empty() ? "(no home folder)" : wanted.c_str());
}

// The loading screen ends the game only when the content it loads is missing or damaged (the
// player closing the window aside): say so, rather than vanish.
bool StoppedWhileLoading(Application& app, const GamePlatform& platform) {
  if (!app.quit || platform.ClosedByPlayer() || app.current != &TheModeSplash()) return false;
  char folder[4096] = "";
  if (!getcwd(folder, sizeof folder)) folder[0] = 0;
  platform::ShowErrorBox(nullptr, "Error",
                         std::string("The game's content in ") + folder +
                             " could not be loaded: a file it needs is missing or damaged. "
                             "Reinstalling the game may help; \"kalodrus3 --log\" lists what "
                             "is missing.");
  return true;
}

}  // namespace

int RunGame(int argc, char** argv) {
  CommandLine cl = ParseCommandLine(Arguments(argc, argv));
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
  // Game controllers are welcome but not needed: without the subsystem they are not seen.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);

  const std::string dataFolder = base::ResolveDataFolder();
  if (!EnterContentFolder(cl)) {
    SDL_Quit();
    return 1;
  }
  ReportDataFolder(dataFolder);
  base::SingleInstance instance;
  if (!instance.Acquire(dataFolder)) {
    SDL_Quit();
    return 0;
  }
  base::SetDataFolder(dataFolder);

  std::unique_ptr<Clock> clock;
  if (cl.fixedStep) {
    clock = std::make_unique<FixedStepClock>(*cl.fixedStep);
  } else {
    clock = std::make_unique<SystemClock>();
  }
  platform::Window window;
  GamePlatform gamePlatform(*clock, window);
  gamePlatform.SetFramePacing(!cl.fixedStep);
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
          gamePlatform.UpdatePixelRatio();
          gamePlatform.translator().WarpWindowPoint(float(x), float(y));
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
            if (exitCode == 0 && StoppedWhileLoading(app, gamePlatform)) {
              exitCode = 1;
            } else if (exitCode == 0 && !cl.screenshot.empty() && !app.captured) {
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
