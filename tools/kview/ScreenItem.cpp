#include "ScreenItem.h"

#include <SDL.h>
#include <stdlib.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/Application.h"
#include "app/ModeSplash.h"
#include "base/DataFiles.h"
#include "base/System.h"
#include "campaign/ModePuzzle.h"
#include "campaign/ModeComics.h"
#include "data/ComicDescription.h"
#include "data/Language.h"
#include "level/Level.h"
#include "level_screen/ModeGame.h"
#include "level_screen/TrophyDlg.h"
#include "main/GamePlatform.h"
#include "main/ModeTable.h"
#include "platform/Window.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kMaxFramesToReach = 8000;  // the splash, the fades and the level's opening
constexpr float kTrophyStandMs = 1500;        // a trophy dialog is answered after this long
constexpr int kMedalPoints[3] = {1000, 4000, 7000};

std::optional<int> Integer(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// One whole-screen item: the screen it shows and what it does there.
class ScreenView {
 public:
  virtual ~ScreenView() = default;
  // The screen the splash hands over to.
  virtual Mode& Target() = 0;
  // Before the splash, with the services up: false with a message when it cannot be shown.
  virtual bool Prepare(Application& /*app*/, std::string& /*message*/) { return true; }
  // Every frame once the target is the current screen: true once it shows what it is for.
  virtual bool Step(Application& app, float frameMs) = 0;
  // Set when what the item is for cannot be shown.
  std::string error;
};

// A screen by name, as the game reaches it.
class ModeView final : public ScreenView {
 public:
  explicit ModeView(Mode& mode) : mode_(mode) {}
  Mode& Target() override { return mode_; }
  bool Step(Application& app, float) override {
    return app.current == &mode_ && !app.pending && app.fadeState == Fade::None;
  }

 private:
  Mode& mode_;
};

// A screen that reads a request first, as a switch to it from another screen would give it
// (the record tables opened at a level, a puzzle board by number).
class RequestView final : public ScreenView {
 public:
  RequestView(Mode& mode, const ModeRequest& request) : mode_(mode), request_(request) {}
  Mode& Target() override {
    mode_.Accept(request_);
    return mode_;
  }
  bool Step(Application& app, float) override {
    return app.current == &mode_ && !app.pending && app.fadeState == Fade::None;
  }

 private:
  Mode& mode_;
  ModeRequest request_;
};

// A comic played by the comic screen from its start, or from the moment --at names.
class ComicView final : public ScreenView {
 public:
  ComicView(int number, std::optional<uint32_t> at) : number_(number), at_(at) {}
  Mode& Target() override { return TheModeComics(); }
  bool Prepare(Application& app, std::string& message) override {
    const std::string file = ComicDescription::FileName(number_) + ".xml";
    if (!app.files() || !app.files()->Find(file)) {
      message = "no comic file " + file;
      return false;
    }
    ModeComics& comics = TheModeComics();
    comics.Accept(ShowComic(number_, ShowScreen(ModeId::Map)));
    comics.startOverride = at_ ? double(*at_) : -1.0;
    return true;
  }
  bool Step(Application& app, float) override {
    // Once up, the frames count on when the comic ends and hands over to the map.
    // A moment at or past the finish leaves in the first running frame: its fade-out counts.
    const ModeComics& comics = TheModeComics();
    shown_ = shown_ || (app.current == &comics && !app.pending &&
                        (app.fadeState == Fade::None || comics.requested));
    return shown_;
  }

 private:
  bool shown_ = false;
  int number_;
  std::optional<uint32_t> at_;
};

// The level editor on a shipped level.
class EditorView final : public ScreenView {
 public:
  EditorView(Mode& editor, int episode, int level) : editor_(editor), episode_(episode), level_(level) {}
  Mode& Target() override { return editor_; }
  bool Prepare(Application& app, std::string& message) override {
    const std::string file = Level::LevelFileName(episode_, level_);
    if (!app.files() || !app.files()->Find(file)) {
      message = "no level file " + file;
      return false;
    }
    editor_.Accept(EditShippedLevel(episode_, level_));
    return true;
  }
  bool Step(Application& app, float) override {
    return app.current == &editor_ && !app.pending && app.fadeState == Fade::None;
  }

 private:
  Mode& editor_;
  int episode_, level_;
};

// A level of the campaign started on the level screen; its opening answered.
class LevelView : public ScreenView {
 public:
  LevelView(int episode, int level) : episode_(episode), level_(level) {}
  Mode& Target() override { return TheModeGame(); }
  bool Prepare(Application& app, std::string& message) override {
    const std::string file = Level::LevelFileName(episode_, level_);
    if (!app.files() || !app.files()->Find(file)) {
      message = "no level file " + file;
      return false;
    }
    ModeGame& game = TheModeGame();
    game.episode = episode_;
    game.levelNumber = level_;
    game.continueSaved = false;
    return true;
  }
  bool Step(Application& app, float frameMs) override {
    ModeGame& game = TheModeGame();
    if (app.current != &game || app.pending || !game.HasLevel()) return false;
    if (!playing_) {
      Opened(game);
      if (!game.SkipOpening()) return false;
      playing_ = true;
      begun_ = Begin(game);
    }
    return begun_ && Showing(game, frameMs);
  }

 protected:
  // The level exists, its opening is still up.
  virtual void Opened(ModeGame&) {}
  // Play has begun: false when what the item is for cannot be shown.
  virtual bool Begin(ModeGame&) { return true; }
  // Every frame after Begin: true while it shows.
  virtual bool Showing(ModeGame&, float) { return true; }

  int episode_;
  int level_;
  bool playing_ = false;
  bool begun_ = false;
};

// The level's result sequence from the values the options give.
class ResultView final : public LevelView {
 public:
  ResultView(int episode, int level, const ScreenOptions& options)
      : LevelView(episode, level), options_(options) {}

  bool Prepare(Application& app, std::string& message) override {
    if (!LevelView::Prepare(app, message)) return false;
    // The difficulty decides the timer, the stars and which win dialog shows.
    if (PlayerProfiles* profiles = app.profiles())
      profiles->progress.difficulty = ::Difficulty(options_.difficulty);
    return true;
  }

 protected:
  bool Begin(ModeGame& game) override {
    LevelResult result;
    result.won = !options_.lost;
    result.medal = result.won ? options_.medal : 0;
    result.stars = result.won && options_.difficulty > 0 ? options_.medal + 1 : 0;
    result.parts = options_.parts ? *options_.parts
                                  : std::array<int, 4>{result.won ? kMedalPoints[result.medal] : 0};
    for (const int part : result.parts) result.score += part;
    result.elapsedMs = game.LevelTimerElapsed();
    result.timeLeftMs = game.LevelTimerLeft();
    result.gameSeconds = result.elapsedMs / 1000;
    if (!game.PreviewResult(result, options_.trophies)) error = "the level has no result";
    return error.empty();
  }
  bool Showing(ModeGame& game, float frameMs) override {
    // Each trophy dialog is answered once it has stood a while, as a player would.
    TrophyDlg* trophy = game.trophyDialog;
    if (trophy && trophy->visible && !trophy->HasChangers()) {
      trophyMs_ += frameMs;
      if (trophyMs_ >= kTrophyStandMs) {
        trophyMs_ = 0;
        game.OnCommand(1045);
      }
    }
    return true;
  }

 private:
  const ScreenOptions& options_;
  float trophyMs_ = 0;
};

// The level with its HUD and one speech line up.
class SpeechView final : public LevelView {
 public:
  SpeechView(int episode, int level, int objectId)
      : LevelView(episode, level), objectId_(objectId) {}

 protected:
  void Opened(ModeGame& game) override {
    if (!line_) line_ = game.LevelSpeech(objectId_);
  }
  bool Begin(ModeGame& game) override {
    if (!line_) {
      error = objectId_ ? "object " + std::to_string(objectId_) + " has no speech line"
                        : "the level has no speech line of its own";
      return false;
    }
    // The line asked for alone: whatever the level's opening put up goes first.
    game.HideSpeech();
    game.ShowSpeech(*line_, true);
    return true;
  }

 private:
  int objectId_;
  std::optional<SpeechLine> line_;
};

// "EP:LEVEL" with both from 1.
bool ParsePosition(std::string_view text, int& episode, int& level) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  const std::optional<int> e = Integer(text.substr(0, colon));
  const std::optional<int> l = Integer(text.substr(colon + 1));
  if (!e || !l || *e < 1 || *l < 1 || *e > 99 || *l > 99) return false;
  episode = *e;
  level = *l;
  return true;
}

std::unique_ptr<ScreenView> MakeView(std::string_view word, const ScreenOptions& options,
                                     std::string& error) {
  const size_t colon = word.find(':');
  const std::string_view kind = word.substr(0, colon);
  const std::string_view argument = colon == std::string_view::npos ? "" : word.substr(colon + 1);
  int episode = 0, level = 0;
  if (kind == "mode" && argument.starts_with("ratings:")) {
    Mode* mode = ModeByName("ratings");
    const std::string_view position = argument.substr(8);
    const bool overall = position == "0:0";
    if (!mode || (!overall && !ParsePosition(position, episode, level))) {
      error = "ratings needs EP:LEVEL (0:0 for the overall table), not " + std::string(position);
      return nullptr;
    }
    return std::make_unique<RequestView>(*mode, ShowRatings(episode, level, ModeId::Map));
  }
  if (kind == "mode" && argument.starts_with("puzzle:")) {
    const std::optional<int> number = Integer(argument.substr(7));
    if (!number) {
      error = "mode:puzzle:P needs a puzzle number, not " + std::string(argument.substr(7));
      return nullptr;
    }
    return std::make_unique<RequestView>(TheModePuzzle(), ShowPuzzle(*number, ModeId::Map));
  }
  if (kind == "mode" && argument.starts_with("comic:")) {
    const std::optional<int> number = Integer(argument.substr(6));
    if (!number || *number < 1 || *number > 999) {
      error = "mode:comic needs a comic number, not " + std::string(argument.substr(6));
      return nullptr;
    }
    return std::make_unique<ComicView>(*number, options.comicAt);
  }
  if (kind == "mode" && argument.starts_with("editor:")) {
    Mode* editor = ModeByName("editor");
    if (!editor || !ParsePosition(argument.substr(7), episode, level)) {
      error = "mode:editor needs EP:LEVEL, not " + std::string(argument.substr(7));
      return nullptr;
    }
    return std::make_unique<EditorView>(*editor, episode, level);
  }
  if (kind == "mode") {
    if (Mode* mode = ModeByName(argument); mode && argument != "splash")
      return std::make_unique<ModeView>(*mode);
    error = "no screen named \"" + std::string(argument) + "\"; the screens:";
    for (const ModeEntry& entry : GameModes())
      if (entry.name != "splash") error += " " + std::string(entry.name);
    return nullptr;
  }
  if (kind == "result") {
    if (!ParsePosition(argument, episode, level)) {
      error = "result needs EP:LEVEL, not " + std::string(argument);
      return nullptr;
    }
    return std::make_unique<ResultView>(episode, level, options);
  }
  if (kind == "speech") {
    const size_t last = argument.rfind(':');
    const std::string_view who = last == std::string_view::npos ? "" : argument.substr(last + 1);
    const std::optional<int> id = who == "level" ? std::optional<int>(0) : Integer(who);
    if (last == std::string_view::npos ||
        !ParsePosition(argument.substr(0, last), episode, level) || !id || *id < 0) {
      error =
          "speech needs EP:LEVEL:ID (ID an object id or \"level\"), not " + std::string(argument);
      return nullptr;
    }
    return std::make_unique<SpeechView>(episode, level, *id);
  }
  error = "not a whole screen: " + std::string(word);
  return nullptr;
}

// The data folder the game would use, copied so that nothing the screen stores reaches it.
class DataCopy {
 public:
  DataCopy() {
    std::string pattern = (fs::temp_directory_path() / "kview-data-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    folder_ = pattern;
    const std::string source = base::ResolveDataFolder();
    std::error_code error;
    if (!source.empty())
      fs::copy(source, folder_, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
               error);
  }
  ~DataCopy() {
    std::error_code error;
    if (!folder_.empty()) fs::remove_all(folder_, error);
  }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
};

// The frame loop: the splash, then the screen until it has shown for the frames asked.
int Loop(Application& app, platform::GamePlatform& gamePlatform, ScreenView& view,
         const ScreenOptions& options) {
  uint32_t waited = 0, shown = 0;
  for (;;) {
    gamePlatform.PollEvents();
    if (view.Step(app, app.frameTime)) {
      ++shown;
    } else if (!view.error.empty()) {
      std::fprintf(stderr, "kview: %s\n", view.error.c_str());
      return 1;
    } else if (shown == 0 && ++waited > kMaxFramesToReach) {
      std::fprintf(stderr, "kview: the screen did not come up\n");
      return 1;
    }
    const bool last = options.frames && shown >= *options.frames;
    if (last && !options.screenshot.empty()) app.CaptureNextFrame(options.screenshot);
    if (!app.Frame()) return shown > 0 || !options.frames ? 0 : 1;
    if (last) break;
  }
  if (!options.screenshot.empty() && !app.captured) {
    std::fprintf(stderr, "kview: could not write %s\n", options.screenshot.c_str());
    return 1;
  }
  return 0;
}

int RunApplication(ScreenView& view, const ScreenOptions& options) {
  std::unique_ptr<Clock> clock;
  if (options.fixedStep) {
    clock = std::make_unique<FixedStepClock>(*options.fixedStep);
  } else {
    clock = std::make_unique<platform::SystemClock>();
  }
  platform::Window window;
  platform::GamePlatform gamePlatform(*clock, window);
  int exitCode = 1;
  Application app(gamePlatform);
  gamePlatform.Attach(&app);
  if (!app.Init()) {
    std::fprintf(stderr, "kview: the game does not start here\n");
    return 1;
  }
  Renderer& renderer = *app.renderer();
  renderer.SetAspectMode(options.aspect ? *options.aspect : renderer.ChooseAspectMode());
  Settings& settings = app.profiles()->settings;
  settings.SetFlag(Settings::kFullscreen, false);
  // The system's cursor, which no screenshot shows, rather than the game's drawn one.
  settings.SetFlag(Settings::kDrawnCursor, false);
  if (const int language = LanguageNumber(options.language)) settings.language = language;
  if (options.standardDefinition) app.textures()->SetQuality(TextureQuality::Standard);
  std::string error;
  if (!window.Create(int(renderer.Width()), int(renderer.Height()), false) || !app.InitDevice()) {
    std::fprintf(stderr, "kview: no OpenGL device: %s\n", SDL_GetError());
  } else if (!view.Prepare(app, error)) {
    std::fprintf(stderr, "kview: %s\n", error.c_str());
  } else {
    RegisterGameModes(app);
    app.reproducibleFrames = options.fixedStep.has_value();
    TheModeSplash().next = &view.Target();
    app.SetMode(&TheModeSplash(), false);
    app.ResetTimer();
    exitCode = Loop(app, gamePlatform, view, options);
  }
  window.Destroy();
  app.Shutdown();
  return exitCode;
}

}  // namespace

bool IsScreenItem(std::string_view word) {
  return word.starts_with("mode:") || word.starts_with("result:") || word.starts_with("speech:");
}

int RunScreenItem(std::string_view word, const ScreenOptions& options) {
  std::string error;
  std::unique_ptr<ScreenView> view = MakeView(word, options, error);
  if (!view) {
    std::fprintf(stderr, "kview: %s\n", error.c_str());
    return 1;
  }
  SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
  // Video and the GL library stay loaded until the process ends (see the item views).
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0 ||
      SDL_GL_LoadLibrary(nullptr) != 0) {
    std::fprintf(stderr, "kview: %s\n", SDL_GetError());
    return 1;
  }
  DataCopy data;
  if (data.Folder().empty()) {
    std::fprintf(stderr, "kview: no temporary folder for the player's data\n");
    return 1;
  }
  base::SetDataFolder(data.Folder());
  return RunApplication(*view, options);
}
