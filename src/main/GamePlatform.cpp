#include "main/GamePlatform.h"

#include <SDL.h>

#include "app/Application.h"
#include "app/FramePacer.h"
#include "app/ModeSplash.h"
#include "base/Pointer.h"
#include "base/System.h"
#include "graphics/GLRenderDevice.h"
#include "graphics/UnchangedFrameSkipper.h"
#include "platform/Desktop.h"
#include "platform/GameKeyTable.h"
#include "platform/Window.h"

namespace platform {

uint32_t SystemClock::NowMs() { return base::TicksMs(); }
void SystemClock::SleepMs(uint32_t ms) { base::SleepMs(ms); }

GamePlatform::GamePlatform(Clock& clock, Window& window)
    : clock_(clock), window_(window), translator_(*this) {}

void GamePlatform::PointerToVirtual(float& mouseX, float& mouseY) {
  if (scripted_) {
    mouseX = scriptedX_;
    mouseY = scriptedY_;
    return;
  }
  Renderer* renderer = app_ ? app_->renderer() : nullptr;
  if (!renderer) return;
  const Size bb = window_.PixelSize();
  const auto& p = translator_.pointer();
  const auto v =
      base::PointerToVirtual(p.x, p.y, float(bb.width), float(bb.height), renderer->Width(),
                             renderer->Height(), renderer->IsFullscreen());
  mouseX = v.x;
  mouseY = v.y;
}

void GamePlatform::WarpPointer(float x, float y) {
  if (window_.Handle()) {
    const base::VirtualPoint w = PixelsToWindowPoint(x, y, translator_.pixelRatio());
    SDL_WarpMouseInWindow(window_.Handle(), int(w.x), int(w.y));
  }
  translator_.Warp(x, y);
}

bool GamePlatform::IsKeyHeld(int gameKey) { return platform::IsKeyHeld(gameKey); }

bool GamePlatform::OpenAddress(const std::string& address) {
  return platform::OpenAddress(window_.Handle(), address);
}

void GamePlatform::SetScriptedPointer(float x, float y) {
  scripted_ = true;
  scriptedX_ = x;
  scriptedY_ = y;
}

void GamePlatform::ShowMainWindow() { window_.Show(); }
bool GamePlatform::IsWindowShown() { return window_.IsShown(); }
bool GamePlatform::IsWindowHidden() {
  return window_.IsShown() && (window_.IsMinimised() || !window_.IsVisible());
}

int GamePlatform::PacedRefreshRate() {
  if (!paced_) return 0;
  const int rate = window_.RefreshRate();
  return rate > 0 ? rate : FramePacer::kDefaultRate;
}
void GamePlatform::SetWindowTitle(const std::u16string& title) { window_.SetTitle(title); }

std::unique_ptr<RenderDevice> GamePlatform::CreateRenderDevice() {
  auto device = std::make_unique<UnchangedFrameSkipper>(std::make_unique<GLRenderDevice>(window_));
  frames_ = device.get();
  return device;
}

void GamePlatform::WindowSpoiled() {
  if (frames_) frames_->Invalidate();
}

std::string GamePlatform::UserLanguage() { return platform::UserLanguage(); }

void GamePlatform::ShowErrorBox(const char* caption, const std::string& text) {
  platform::ShowErrorBox(window_.Handle(), caption, text);
}

void GamePlatform::SetSystemCursor(bool arrow) {
  SDL_ShowCursor(arrow ? SDL_ENABLE : SDL_DISABLE);
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  if (window_.Handle() && SDL_GetMouseFocus() == window_.Handle()) {
    SDL_WarpMouseInWindow(window_.Handle(), x, y);
  }
}

void GamePlatform::OnInput(InputEvent event) { app_->OnInput(event); }
bool GamePlatform::IsAppActive() { return app_->active; }
void GamePlatform::SetAppActive(bool active) { app_->SetActive(active); }
void GamePlatform::Quit() {
  closedByPlayer_ = true;
  app_->quit = true;
}
bool GamePlatform::IsSplashCurrent() { return app_->current == &TheModeSplash(); }
bool GamePlatform::IsFullscreen() { return app_->renderer() && app_->renderer()->IsFullscreen(); }
bool GamePlatform::IsWindowVisible() { return window_.IsVisible(); }
bool GamePlatform::IsWindowMinimised() { return window_.IsMinimised(); }
void GamePlatform::MinimiseWindow() { window_.Minimise(); }
void GamePlatform::RaiseWindow() { window_.Raise(); }

void GamePlatform::ClientSize(float& width, float& height) {
  int w = 0, h = 0;
  if (window_.Handle()) SDL_GetWindowSize(window_.Handle(), &w, &h);
  width = float(w);
  height = float(h);
}

void GamePlatform::MoveSystemCursor(float x, float y) {
  if (window_.Handle()) SDL_WarpMouseInWindow(window_.Handle(), int(x), int(y));
}

void GamePlatform::UpdatePixelRatio() {
  int w = 0, h = 0;
  if (window_.Handle()) SDL_GetWindowSize(window_.Handle(), &w, &h);
  const Size bb = window_.PixelSize();
  translator_.SetPixelRatio(base::RatioOf(float(w), float(h), float(bb.width), float(bb.height)));
}

void GamePlatform::PollEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) translator_.Handle(event);
  UpdatePixelRatio();
}

}  // namespace platform
