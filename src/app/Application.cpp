#include "app/Application.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/GameKeys.h"
#include "data/Language.h"
#include "base/Random.h"
#include "graphics/FrameOverlays.h"

namespace {
Application* running = nullptr;

constexpr uint32_t kBlack = 0xFF000000u;
}  // namespace

Application& App() { return *running; }

bool AppPlatform::OpenAddress(const std::string&) { return false; }

void AppPlatform::ShowErrorBox(const char* caption, const std::string& text) {
  std::fprintf(stderr, "%s: %s", caption, text.c_str());
}

int64_t AppPlatform::SecondsSince1970() { return int64_t(std::time(nullptr)); }

Application::Application(AppPlatform& platform) : platform_(platform) {
  running = this;
  gui_.pointer = [this] { return GuiPoint{mouseX, mouseY}; };
  gui_.slateMode = [this] { return platform_.IsSlateMode(); };
  gui_.altHeld = [this] { return platform_.IsKeyHeld(kGameKeyAlt); };
  gui_.shiftHeld = [this] { return platform_.IsKeyHeld(kGameKeyShift); };
  InstallGuiContext(&gui_);
}

Application::~Application() {
  UninstallGuiContext(&gui_);
  if (running == this) running = nullptr;
}

bool Application::Init() {
  SeedRandom(platform_.NowMs());
  std::setlocale(LC_CTYPE, "");
  profiles_ = std::make_unique<PlayerProfiles>();
  profiles_->Load(platform_.UserLanguage());
  files_ = std::make_unique<FileSystem>();
  files_->Mount("content");
  files_->Mount("music");
  gameSettings_ = std::make_unique<GameSettings>(GameSettings::LoadGameSettings(*files_));
  if (gameSettings_->showFPS) showFps = *gameSettings_->showFPS;
  strings_ = std::make_unique<StringTable>(*files_);
  values_ = std::make_unique<ValueTable>(*files_);
  if (std::unique_ptr<RenderDevice> device = platform_.CreateRenderDevice()) {
    renderer_ = std::make_unique<Renderer>(std::move(device));
    textures_ = std::make_unique<TextureManager>(*files_, *renderer_);
    shaders_ = std::make_unique<ShaderManager>(*files_, *renderer_);
    particles_ = std::make_unique<ParticleManager>(*files_, *renderer_, *textures_);
    sprites_ = std::make_unique<SpriteManager>(*files_, *textures_);
    fontResources_ = std::make_unique<TextureFontResources>(*textures_, *sprites_);
    fonts_ = std::make_unique<FontManager>(*files_, *renderer_, *fontResources_, strings_.get());
  }
  const Settings& settings = profiles_->settings;
  SoundOptions soundOptions;
  soundOptions.musicVolume = settings.musicVolume;
  soundOptions.effectsVolume = settings.effectsVolume;
  soundOptions.notify = [this](const char* caption, const std::string& text) {
    platform_.ShowErrorBox(caption, text);
  };
  sound_ = std::make_unique<SoundSystem>(*files_, std::move(soundOptions));
  gameServices_ = std::make_unique<GameServices>(sprites_.get(), fonts_.get(), textures_.get());
  descriptors_ = std::make_unique<GameDescriptors>();
  gui_.renderer = renderer_.get();
  gui_.sprites = sprites_.get();
  gui_.shaders = shaders_.get();
  gui_.fonts = fonts_.get();
  gui_.particles = particles_.get();
  gui_.strings = strings_.get();
  gui_.values = values_.get();
  gui_.files = files_.get();
  ApplyComfort();
  return true;
}

bool Application::InitDevice() {
  if (!renderer_) return false;
  if (!renderer_->Init(false, profiles_->settings.fullscreen())) return false;
  if (renderer_->WantsStandardDefinition()) textures_->SetQuality(TextureQuality::Standard);
  ChooseContent();
  sprites_->LoadAtlases();
  particles_->LoadEffects();
  noTexShader_ = shaders_->Get("no_tex");
  commonShader_ = shaders_->Get("common");
  return true;
}

void Application::ChooseContent() {
  if (textures_->Quality() == TextureQuality::Auto && renderer_->BackBufferSize().height > 800) {
    files_->Mount("content_hd");
    values_->Load("resolution");
  }
  if (values_->GetBool("if_double_size", false)) {
    textures_->SetQuality(TextureQuality::Double);
  }
}

bool Application::LoadGameData() {
  if (!descriptors_->LoadGameDescriptors(*files_, *strings_, *gameServices_)) return false;
  values_->Load("costs");
  values_->Load("interface");
  strings_->Load("story");
  // On a first start the record tables come from the content.
  profiles_->SeedRecords(*files_, platform_.SecondsSince1970());
  return true;
}

Sprite* Application::SizedSprite(const char* name, const char* widthKey, const char* heightKey,
                                 float& w, float& h) {
  Sprite* sprite = sprites_ ? sprites_->Get(name) : nullptr;
  if (!sprite) return nullptr;
  w = values_->GetFloat(widthKey, sprite->width);
  h = values_->GetFloat(heightKey, sprite->height);
  return sprite;
}

bool Application::InitContent() {
  SeedRandom(platform_.NowMs());
  strings_->Load("strings");
  values_->Load("fonts");
  strings_->Load("achivements");
  strings_->Load("minigames");
  if (!LoadGameData()) {
    quit = true;
    return false;
  }
  cursorSprite = SizedSprite("cursor", "if_core_cursor_w", "if_core_cursor_h", cursorW, cursorH);
  loadingSprite =
      SizedSprite("loading_sign", "if_core_load_w", "if_core_load_h", loadingW, loadingH);
  platform_.SetWindowTitle(strings_->Get("title"));
  if (fonts_ && !fonts_->Load()) {
    quit = true;
    return false;
  }
  return true;
}

void Application::ResetTimer() {
  lastTime = platform_.NowMs();
  frameTime = 1.0f;
}

void Application::StartFade(Fade kind) {
  fadeLevel = kind == Fade::In ? 255.0f : 0.0f;
  fadeState = kind;
}

void Application::SetMode(Mode* mode, bool loadingSign) {
  showLoadingSign = loadingSign;
  typed.fill(0);
  if (mode && std::find(modes.begin(), modes.end(), mode) == modes.end()) modes.push_back(mode);
  if (!current) {
    current = mode;
    if (current) current->Enter();
  } else {
    pending = mode;
  }
}

void Application::RegisterMode(ModeId id, Mode& mode) {
  if (id != ModeId::None) modeTable_[size_t(id)] = &mode;
}

Mode* Application::ModeOf(ModeId id) const {
  const auto index = size_t(id);
  return index < modeTable_.size() ? modeTable_[index] : nullptr;
}

Mode* Application::Accept(const ModeRequest& request) {
  Mode* mode = ModeOf(request.mode);
  if (mode) mode->Accept(request);
  return mode;
}

void Application::TickClock() {
  const uint32_t now = platform_.NowMs();
  const uint32_t elapsed = now - lastTime;
  frameTime = std::clamp(float(elapsed) * timeScale, 1.0f, 100.0f);
  fpsElapsed += elapsed;
  fpsFrames += 1;
  lastTime = now;
  if (fpsElapsed >= 500) {
    fps = float(fpsFrames) * 1000.0f / float(fpsElapsed);
    fpsFrames = 0;
    fpsElapsed = 0;
  }
}

void Application::AdvanceFade() {
  if (fadeState == Fade::In) {
    fadeLevel -= frameTime / 1.4f;
    if (fadeLevel <= 0) {
      fadeLevel = 0;
      fadeDone = true;
    }
  } else if (fadeState == Fade::Out) {
    fadeLevel += frameTime / 1.2f;
    if (fadeLevel >= 255) {
      fadeLevel = 255;
      fadeDone = true;
    }
  }
}

void Application::DrawOverlays() {
  if (!renderer_) return;
  if (showFps && fonts_) DrawFrameRate(*fonts_, *renderer_, fps, kWhite);
  if (fadeState != Fade::None) DrawFade(*renderer_, noTexShader_, fadeLevel);
  if (showLoadingSign) {
    if (loadingSprite) {
      DrawLoadingSign(*renderer_, loadingSprite->texture, loadingSprite->rect, loadingW, loadingH,
                      kWhite);
    }
  } else if (!platform_.IsSlateMode() && profiles_->settings.drawnCursor() && cursorSprite &&
             cursorVisible) {
    const float scale = profiles_->settings.PointerScale();
    DrawCursor(*renderer_, cursorSprite->texture, cursorSprite->rect, mouseX, mouseY,
               cursorW * scale, cursorH * scale, kWhite);
  }
}

bool Application::Frame() {
  if (quit) return false;
  if (!active) {
    platform_.SleepMs(50);
    return true;
  }
  if (platform_.IsWindowHidden()) {
    // Nothing of the window can be seen: nothing is drawn or advanced, as while inactive,
    // and the first frame after it counts 1 ms.
    hidden_ = true;
    platform_.SleepMs(50);
    return true;
  }
  if (hidden_) {
    hidden_ = false;
    ResetTimer();
  }
  if (sound_) sound_->Update();
  TickClock();
  platform_.PointerToVirtual(mouseX, mouseY);

  if (pending) {
    if (current) current->Leave();
    current = pending;
    pending = nullptr;
    current->Enter();
  }
  if (fadeDone) {
    fadeDone = false;
    const Fade kind = fadeState;
    fadeState = Fade::None;
    current->OnFadeDone(kind);
  }
  if (!current) return false;
  if (!pending) current->Update();

  if (renderer_) renderer_->BeginFrame();
  if (quit || pending) {
    if (renderer_) renderer_->Clear(kBlack);
  } else {
    current->Draw();
    if (renderer_) renderer_->DrawScreenFrame();
  }
  if (fadeState != Fade::None && !pending) AdvanceFade();
  DrawOverlays();
  showLoadingSign = false;
  if (renderer_) {
    renderer_->EndFrame();
    if (!captureFile_.empty()) {
      captured = renderer_->SaveScreenshot(captureFile_);
      captureFile_.clear();
    }
    renderer_->Present();
    // A display-mode switch that failed keeps the old mode: the settings follow what is shown.
    Settings& settings = profiles_->settings;
    if (settings.fullscreen() != renderer_->IsFullscreen()) {
      settings.flags ^= Settings::kFullscreen;
      profiles_->SaveSettings();
    }
  }
  PaceFrame();
  return !quit;
}

void Application::PaceFrame() {
  const int rate = platform_.PacedRefreshRate();
  if (rate <= 0) {
    platform_.SleepMs(1);
    return;
  }
  platform_.SleepMs(pacer_.SleepAfterFrame(platform_.NowMs(), rate));
}

void Application::SetActive(bool becomeActive) {
  if (quit) return;
  if (!becomeActive) deactivating = true;
  if (current && current->OnActivate(active)) {
    active = true;
    Frame();
  }
  active = becomeActive;
  if (becomeActive) {
    ResetTimer();
    if (sound_) sound_->Resume();
  } else if (sound_) {
    sound_->Pause();
  }
  deactivating = false;
}

bool Application::TypedWord(const char* word) const {
  const size_t n = std::min<size_t>(std::strlen(word), typed.size());
  for (size_t i = 0; i < n; ++i) {
    if (typed[i] != uint8_t(word[n - 1 - i])) return false;
  }
  return true;
}

void Application::OnCharacter(int value) {
  std::copy_backward(typed.begin(), typed.end() - 1, typed.end());
  // Only letters of the basic Latin range take part in typed words.
  typed[0] = value > 0 && value < 128 ? uint8_t(std::tolower(value)) : 0;
  if (TypedWord("cheats")) {
    const bool wasOn = cheats;
    cheats = !cheats;
    if (current) current->ShowInfoMessage(LookUp(wasOn ? "cheats_off" : "cheats_on"));
  } else if (TypedWord("fps")) {
    showFps = !showFps;
  }
}

std::u16string Application::LookUp(const char* key) const {
  return strings_ ? strings_->Get(key) : std::u16string();
}

void Application::SetFullscreen(bool on) {
  Settings& settings = profiles_->settings;
  settings.SetFlag(Settings::kFullscreen, on);
  profiles_->SaveSettings();
  if (renderer_) renderer_->SetFullscreen(settings.fullscreen());
}

void Application::SetDrawnCursor(bool on) {
  profiles_->settings.SetFlag(Settings::kDrawnCursor, on);
  profiles_->SaveSettings();
  platform_.SetSystemCursor(!on);
}

void Application::SetComfort(Settings::Comfort which, bool on) {
  profiles_->settings.SetComfort(which, on);
  profiles_->SaveSettings();
  ApplyComfort();
}

void Application::SetPointerPercent(int percent) {
  profiles_->settings.pointerPercent = NearestOffered(percent, Settings::kPointerPercents);
  profiles_->SaveSettings();
}

void Application::SetTextPercent(int percent) {
  profiles_->settings.textPercent = NearestOffered(percent, Settings::kTextPercents);
  profiles_->SaveSettings();
}

void Application::ApplyComfort() {
  const bool calm = profiles_->settings.Has(Settings::kCalmMotion);
  gui_.calmMotion = calm;
  if (particles_) particles_->SetDensity(calm ? kCalmParticleDensity : 1.0f);
}

void Application::StoreVolumes(float music, float effects) {
  // Volumes are stored as whole percent, truncated; the small allowance keeps a volume that
  // came from a stored percent (0.7 for 70) from losing one to rounding.
  const auto percent = [](float v) {
    return std::clamp(int(std::trunc(double(v) * 100.0 + 1e-4)), 0, 100);
  };
  Settings& settings = profiles_->settings;
  settings.musicVolume = percent(music);
  settings.effectsVolume = percent(effects);
  if (sound_) {
    sound_->SetMusicVolume(float(settings.musicVolume) / 100.0f);
    sound_->SetEffectsVolume(float(settings.effectsVolume) / 100.0f);
  }
  profiles_->SaveSettings();
}

void Application::OnInput(InputEvent event) {
  if (event.type == InputType::Character) OnCharacter(event.value);
  if (event.type == InputType::KeyDown && event.value == kGameKeyEnter &&
      platform_.IsKeyHeld(kGameKeyAlt) && profiles_) {
    SetFullscreen(!profiles_->settings.fullscreen());
  }
  if (event.IsPointer()) platform_.PointerToVirtual(mouseX, mouseY);
  if (current && fadeState == Fade::None && !pending) current->OnInput(event);
}

void Application::ApplyTimeScaleKey(int gameKey) {
  if (!cheats) return;
  if (gameKey == kGameKeyPadMultiply) {
    timeScale = 1.0f;
  } else if (gameKey == kGameKeyPadPlus) {
    timeScale += timeScale >= 1.0f ? 0.5f : 0.1f;
  } else if (gameKey == kGameKeyPadMinus) {
    if (timeScale > 1.0f) {
      timeScale -= 0.5f;
    } else if (timeScale > 0.5f) {
      timeScale -= 0.1f;
    }
  }
}

void Application::Shutdown() {
  quit = true;
  if (current) current->Leave();
  for (Mode* mode : modes) mode->Release();
  // The controls are gone; the services follow.
  gui_.renderer = nullptr;
  gui_.sprites = nullptr;
  gui_.shaders = nullptr;
  gui_.fonts = nullptr;
  gui_.particles = nullptr;
  gui_.strings = nullptr;
  gui_.values = nullptr;
  gui_.files = nullptr;
  cursorSprite = nullptr;
  loadingSprite = nullptr;
  descriptors_.reset();
  gameServices_.reset();
  fonts_.reset();
  fontResources_.reset();
  sprites_.reset();
  if (particles_) particles_->Shutdown();
  particles_.reset();
  textures_.reset();
  if (shaders_) shaders_->Shutdown();
  shaders_.reset();
  if (renderer_) renderer_->Shutdown();
  renderer_.reset();
  sound_.reset();
  values_.reset();
  strings_.reset();
  gameSettings_.reset();
  files_.reset();
  profiles_.reset();
}

std::string_view Application::LanguageCode() const {
  return ::LanguageCode(profiles_ ? profiles_->settings.language : kDefaultLanguage);
}
