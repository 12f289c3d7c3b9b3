#include "app/ModeSplash.h"

#include <algorithm>

#include "app/Application.h"
#include "app/platform/System.h"
#include "data/Language.h"

ModeSplash& TheModeSplash() {
  static ModeSplash mode;
  return mode;
}

void ModeSplash::Enter() {
  // Entered once, straight after start-up: no fade-in and nothing to load yet.
  Application& app = App();
  const PlayerProfiles* profiles = app.profiles();
  if (FileSystem* files = app.files()) {
    const bool doubleSize = app.values() && app.values()->GetBool("if_double_size", false);
    const int language =
        LanguageFromSetting(profiles ? profiles->settings.language : 0, platform::UserLanguage());
    MountLocale(*files, LanguageCode(language), doubleSize);
  }
  app.platform().SetSystemCursor(!profiles || !profiles->settings.drawnCursor());
  timer = 0;
  updates = 0;
  loaded = false;
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
    timer = std::min(float(app.lastTime) - timer, 1200.0f);
  } else {
    timer += app.frameTime;
  }
  Mode::Update();
}

void ModeSplash::Draw() {
  if (Renderer* renderer = App().renderer()) renderer->Clear(0xFF000000u);
  Mode::Draw();
}
