#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/AppPlatform.h"
#include "app/FramePacer.h"
#include "app/GameServices.h"
#include "app/Mode.h"
#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "data/ValueTable.h"
#include "graphics/FontManager.h"
#include "graphics/Renderer.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteManager.h"
#include "graphics/TextureFontResources.h"
#include "graphics/TextureManager.h"
#include "gui/GuiContext.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "particles/ParticleManager.h"
#include "progress/PlayerProfiles.h"
#include "sound/SoundSystem.h"

// The one object that owns the frame loop, the current screen and the global services.
// Everything here runs on the main thread; `quit` and `active` are also read by the music
// streamer and are therefore atomic.
class Application {
 public:
  // `platform` outlives the Application; it provides the render device (none in tests that
  // run without graphics).
  explicit Application(AppPlatform& platform);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  bool Init();
  bool InitDevice();
  bool InitContent();
  bool Frame();
  void SetActive(bool becomeActive);
  void OnInput(InputEvent event);
  void SetMode(Mode* mode, bool showLoadingSign);

  // The table of screens, filled by whoever starts the game: screens reach one another only
  // through it, by id.
  void RegisterMode(ModeId id, Mode& mode);
  Mode* ModeOf(ModeId id) const;
  // The screen a request names, having read what the request tells it (none: not registered).
  Mode* Accept(const ModeRequest& request);
  void StartFade(Fade kind);
  void ResetTimer();
  void Shutdown();

  // Writes the next frame drawn to a PNG file (headless runs and reviews); the result is in
  // `captured`.
  void CaptureNextFrame(const std::string& pngPath) { captureFile_ = pngPath; }
  bool captured = false;

  // Player settings changed from the keyboard or the settings dialog: applied at once and
  // written to the settings file.
  void SetFullscreen(bool on);
  void SetDrawnCursor(bool on);
  // Volumes 0..1 as the sound system takes them, stored as whole percent (truncated).
  void StoreVolumes(float music, float effects);
  // The comfort settings, applied at once and written to the settings file: calm motion
  // thins the particles to a tenth and stills scrolling textures here; the screens read the
  // rest (no shake, steady marks) from the settings as they draw. A pointer size that is not
  // offered is taken as the nearest offered one.
  void SetComfort(Settings::Comfort which, bool on);
  void SetPointerPercent(int percent);
  // The text size of the hints, speech, messages and briefing (100, 125 or 150).
  void SetTextPercent(int percent);
  // The particle density of calm motion.
  static constexpr float kCalmParticleDensity = 0.1f;

  // The level screen's time-scale keys (keypad multiply, plus, minus) while cheats are on.
  void ApplyTimeScaleKey(int gameKey);

  // Services (none until created by the start-up stages).
  PlayerProfiles* profiles() { return profiles_.get(); }
  FileSystem* files() { return files_.get(); }
  GameSettings* gameSettings() { return gameSettings_.get(); }
  GameDescriptors* descriptors() { return descriptors_.get(); }
  GameServices* gameServices() { return gameServices_.get(); }
  StringTable* strings() { return strings_.get(); }
  // The code of the player's language ("en", "de", ...), "en" before the profiles are read.
  std::string_view LanguageCode() const;
  ValueTable* values() { return values_.get(); }
  Renderer* renderer() { return renderer_.get(); }
  TextureManager* textures() { return textures_.get(); }
  SpriteManager* sprites() { return sprites_.get(); }
  ShaderManager* shaders() { return shaders_.get(); }
  ParticleManager* particles() { return particles_.get(); }
  FontManager* fonts() { return fonts_.get(); }
  SoundSystem* sound() { return sound_.get(); }
  // The "common" shader the screens draw with (none until shaders are loaded).
  const Shader* CommonShader() const { return commonShader_; }
  AppPlatform& platform() { return platform_; }
  // What the GUI reaches: the services above, the pointer and the tablet mode. Installed for
  // the Application's lifetime.
  GuiContext& gui() { return gui_; }

  std::atomic<bool> active{true};
  std::atomic<bool> quit{false};
  bool deactivating = false;
  Mode* current = nullptr;
  Mode* pending = nullptr;
  float mouseX = 0, mouseY = 0;
  float timeScale = 1.0f;
  float frameTime = 1.0f;
  uint32_t lastTime = 0;
  float fps = 0;
  uint32_t fpsFrames = 0, fpsElapsed = 0;
  bool showFps = false;
  float fadeLevel = 0;
  Fade fadeState = Fade::None;
  bool fadeDone = false;
  bool showLoadingSign = false;
  bool cheats = false;
  // Every frame counts the same time (headless runs): loading never depends on the clock.
  bool reproducibleFrames = false;
  bool cursorVisible = true;
  Sprite* cursorSprite = nullptr;
  Sprite* loadingSprite = nullptr;
  float cursorW = 0, cursorH = 0, loadingW = 0, loadingH = 0;
  std::vector<Mode*> modes;
  std::array<uint8_t, 8> typed{};

 private:
  std::array<Mode*, kModeIdCount> modeTable_{};

  void TickClock();
  void AdvanceFade();
  void OnCharacter(int value);
  bool TypedWord(const char* word) const;
  // HD content when the back buffer is tall enough and standard definition is not forced.
  void ChooseContent();
  // Hands the calm-motion setting to the particles and the interface.
  void ApplyComfort();
  // A sprite with its drawn size from two values, each defaulting to the sprite's own.
  Sprite* SizedSprite(const char* name, const char* widthKey, const char* heightKey, float& w,
                      float& h);
  void DrawOverlays();
  // The sleep after a frame: held to the display's refresh rate where the platform asks for
  // it, else the plain 1 ms.
  void PaceFrame();
  // The tables every screen shares: descriptors, costs and layout values, story texts.
  bool LoadGameData();
  // A string of the string table; the key itself while no table is loaded.
  std::u16string LookUp(const char* key) const;

  AppPlatform& platform_;
  std::unique_ptr<PlayerProfiles> profiles_;
  std::unique_ptr<FileSystem> files_;
  std::unique_ptr<GameSettings> gameSettings_;
  std::unique_ptr<StringTable> strings_;
  std::unique_ptr<ValueTable> values_;
  std::unique_ptr<Renderer> renderer_;
  std::unique_ptr<TextureManager> textures_;
  std::unique_ptr<ShaderManager> shaders_;
  std::unique_ptr<ParticleManager> particles_;
  std::unique_ptr<SpriteManager> sprites_;
  std::unique_ptr<TextureFontResources> fontResources_;
  std::unique_ptr<FontManager> fonts_;
  std::unique_ptr<SoundSystem> sound_;
  std::unique_ptr<GameServices> gameServices_;
  std::unique_ptr<GameDescriptors> descriptors_;
  const Shader* noTexShader_ = nullptr;  // the fade rectangle's shader
  const Shader* commonShader_ = nullptr;
  std::string captureFile_;
  GuiContext gui_;
  FramePacer pacer_;
  bool hidden_ = false;  // the last frame found the window hidden
};

// The running Application (the one most recently constructed and not yet destroyed).
Application& App();
