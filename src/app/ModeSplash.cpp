#include "app/ModeSplash.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/Application.h"
#include "app/PrecacheList.h"
#include "base/System.h"
#include "data/Language.h"

namespace {
constexpr float kPictureTimeMs = 1200.0f;
}

ModeSplash& TheModeSplash() {
  static ModeSplash mode;
  return mode;
}

ModeSplash::~ModeSplash() { StopWorker(); }

void ModeSplash::Enter() {
  // Entered once, straight after start-up: no fade-in and no layout of its own.
  Application& app = App();
  const PlayerProfiles* profiles = app.profiles();
  const bool doubleSize = app.values() && app.values()->GetBool("if_double_size", false);
  if (FileSystem* files = app.files()) {
    const int language = LanguageFromSetting(profiles ? profiles->settings.language : 0,
                                             App().platform().UserLanguage());
    MountLocale(*files, LanguageCode(language), doubleSize);
  }
  splashes.clear();
  if (TextureManager* textures = app.textures()) {
    for (int i = 0; i < 10; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "splash%d", i);
      // The highest-numbered picture comes first, picture 0 last.
      if (!textures->HasImageFile(name)) continue;
      if (Texture* t = textures->Get(name, false)) splashes.insert(splashes.begin(), t);
    }
  }
  app.platform().SetSystemCursor(!profiles || !profiles->settings.drawnCursor());
  timer = 0;
  current = 0;
  updates = 0;
  precaching = false;
  loadingShown = false;
  loaded = false;
  if (Renderer* renderer = app.renderer()) renderer->SetShader(app.CommonShader());
}

void ModeSplash::Update() {
  Application& app = App();
  ++updates;
  if (updates == 1) {
    timer = float(app.lastTime);
    app.platform().ShowMainWindow();
  } else if (updates == 2) {
    app.InitContent();
    app.ResetTimer();
    // The time the content took to load counts as display time of the first picture.
    timer = std::min(float(app.lastTime) - timer, kPictureTimeMs);
  } else if (!precaching) {
    timer += app.frameTime;
    // With one picture, or none at all, the loading starts at once without a fade.
    if (splashes.size() <= 1) {
      StartPrecache();
      return;
    }
    if (app.fadeState == Fade::None && timer > kPictureTimeMs) app.StartFade(Fade::Out);
  }
  Mode::Update();
}

void ModeSplash::OnFadeDone(Fade kind) {
  Application& app = App();
  if (kind == Fade::Out) {
    if (!loadingBuilt) BuildLoadingScreen();
    if (current + 1 < int(splashes.size())) {
      ++current;
      if (LastPictureShown()) loadingShown = true;
      app.StartFade(Fade::In);
      timer = 0;
    } else {
      app.SetMode(requested, false);
    }
  } else if (kind == Fade::In && LastPictureShown() && !precaching) {
    StartPrecache();
  }
}

void ModeSplash::BuildLoadingScreen() {
  Application& app = App();
  loadingBuilt = true;
  TextureManager* textures = app.textures();
  if (textures) textures->SetUnloadable(true);
  controls.LoadLayout("splash_gui", true);
  patternSprite = app.sprites() ? app.sprites()->Get("loading_pattern") : nullptr;
  const float spriteW = patternSprite ? patternSprite->width : 0.0f;
  const float spriteH = patternSprite ? patternSprite->height : 0.0f;
  patternW = app.values()->GetFloat("if_splash_circle_w", spriteW);
  patternH = app.values()->GetFloat("if_splash_circle_h", spriteH);
  patternScroll = 0;
  patternY = app.values()->GetFloat("if_splash_y", 256.0f);
  if (textures) textures->SetUnloadable(false);
  timer = 0;
}

void ModeSplash::StartPrecache() {
  Application& app = App();
  // A single picture never fades out, so the loading screen is built here.
  if (!loadingBuilt) BuildLoadingScreen();
  precacheList.clear();
  if (SoundSystem* sound = app.sound()) sound->ListEffectFiles(precacheList);
  if (FileSystem* files = app.files()) {
    if (const FileData list = files->Read("precache.txt")) {
      for (std::string& line : ParsePrecacheList(list.Text()))
        precacheList.push_back(std::move(line));
      files->Release(list.data);
    }
  }
  precacheIndex = 0;
  precacheDone = false;
  loadingShown = true;
  precaching = true;
  if (SoundSystem* sound = app.sound()) sound->PlayMusic("main_menu");
}

void ModeSplash::StopWorker() {
  if (worker_.joinable()) worker_.join();
  workerRunning_ = false;
}

void ModeSplash::StepPrecache() {
  Application& app = App();
  if (precacheList.empty()) {
    precacheDone = true;
    return;
  }
  if (!workerRunning_) {
    while (precacheIndex < precacheList.size() && precacheList[precacheIndex].empty())
      ++precacheIndex;
    if (precacheIndex >= precacheList.size()) {
      precacheDone = true;
      return;
    }
    const std::string entry = precacheList[precacheIndex];
    workerDone_.store(false, std::memory_order_relaxed);
    workerRunning_ = true;
    workerWasSound_ = entry.find(".ogg") != std::string::npos;
    SoundSystem* sound = app.sound();
    TextureManager* textures = app.textures();
    const std::string texture =
        workerWasSound_ || !app.sprites() ? entry : app.sprites()->TextureNameOf(entry);
    const bool isSound = workerWasSound_;
    worker_ = std::thread([this, isSound, entry, texture, sound, textures] {
      if (isSound) {
        if (sound) sound->DecodeSound(entry);
      } else if (textures) {
        textures->Preload(texture);
      }
      workerDone_.store(true, std::memory_order_release);
    });
  } else if (app.reproducibleFrames || workerDone_.load(std::memory_order_acquire)) {
    // Runs with a fixed frame time wait for each entry, so that a frame number always means
    // the same moment of the run.
    worker_.join();
    if (workerWasSound_) {
      if (app.sound()) app.sound()->FinishDecoded();
    } else if (app.textures()) {
      app.textures()->FinishPreload();
    }
    workerRunning_ = false;
    ++precacheIndex;
    precacheDone = precacheIndex >= precacheList.size();
  }
}

void ModeSplash::DrawPatternBands() {
  Application& app = App();
  Renderer& r = *app.renderer();
  if (!patternSprite || patternW <= 0 || patternH <= 0) return;
  r.SetSamplerBits(kSamplerWrapU);
  r.BindTexture(patternSprite->texture, 0);
  const float halfW = r.HalfWidth(), halfH = patternH / 2;
  const float u0 = patternScroll, u1 = patternScroll + r.Width() / patternW;
  r.AddQuad({-halfW, patternY + halfH, halfW, patternY - halfH}, {u0, 0, u1, 1});
  r.AddQuad({-halfW, -patternY + halfH, halfW, -patternY - halfH}, {u0, 1, u1, 0});
  if (precaching) {
    patternScroll += 0.001f * app.frameTime;
    if (patternScroll > 1) patternScroll -= 1;
  }
  r.ClearSamplerBits(kSamplerWrapU);
}

void ModeSplash::Draw() {
  Application& app = App();
  Renderer* renderer = app.renderer();
  if (renderer) {
    if (current < int(splashes.size())) {
      renderer->BindTexture(splashes[size_t(current)], 0);
      renderer->DrawWideBackground(kWhite, false);
    } else {
      renderer->Clear(0xFF000000u);
    }
  }
  if (loadingShown) {
    MoveRunner();
    Mode::Draw();
    if (renderer) DrawPatternBands();
  }
  if (precaching) StepPrecache();
  if (precacheDone && app.fadeState == Fade::None && next) RequestMode(next);
}

void ModeSplash::MoveRunner() {
  // The runner enters from the left edge at 150 units per second and bobs up and down.
  GUIControl* runner = controls.Find(kRunnerId);
  if (!runner) return;
  Application& app = App();
  timer += app.frameTime;
  const float halfWidth = app.renderer() ? app.renderer()->HalfWidth() : 512.0f;
  const float x = 0.15f * timer - (halfWidth + 250.0f);
  const float y = 18.0f * std::sin(0.0055f * timer) - 110.0f;
  runner->Move(x - CentreX(runner->rect), y - CentreY(runner->rect));
}

void ModeSplash::Leave() {
  StopWorker();
  controls.Clear();
  Application& app = App();
  if (TextureManager* textures = app.textures()) {
    for (Texture* t : splashes) textures->Delete(t);
    textures->SetUnloadable(true);
  }
  splashes.clear();
  precacheList.clear();
}
