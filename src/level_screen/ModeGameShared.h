#pragma once
// What the source files of the level screen (ModeGame*.cpp) share: the fade times of its
// dialogs, the text helpers, and the services a running level gets from the screen (its
// sounds, particle effects and the way its lines reach the screen).
#include <cstdio>
#include <string>
#include <string_view>

#include "app/Application.h"
#include "gui/GUIControl.h"
#include "level/Level.h"
#include "level/LevelEffects.h"
#include "level/LevelServices.h"
#include "level/LevelSounds.h"
#include "level/WorldObject.h"
#include "level_screen/ModeGame.h"

namespace mode_game {

inline constexpr float kDialogFadeMs = 120;
inline constexpr float kResultFadeMs = 240;

inline std::string Format(const char* pattern, int value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

inline std::u16string Text(std::string_view ascii) {
  std::u16string out;
  for (const char c : ascii) out += char16_t(static_cast<unsigned char>(c));
  return out;
}

inline std::u16string Lookup(std::string_view key) {
  const StringTable* strings = App().strings();
  return strings ? strings->Get(key) : std::u16string();
}

// A string, or the fallback when the table has none.
inline std::u16string LookupOr(std::string_view key, std::u16string_view fallback) {
  std::u16string text = Lookup(key);
  return text.empty() || text == Text(key) ? std::u16string(fallback) : text;
}

inline bool Visible(const GUIControl* control) { return control && control->visible; }

// The sounds of the world, played through the application's sound system.
class ScreenSounds final : public LevelSounds {
 public:
  void Play(std::string_view name) override {
    if (SoundSystem* sound = App().sound()) sound->PlaySound(name);
  }
  int PlayLooped(std::string_view name) override {
    SoundSystem* sound = App().sound();
    return sound ? int(sound->PlaySound(name, true)) : 0;
  }
  void Stop(int handle) override {
    if (SoundSystem* sound = App().sound(); sound && handle != 0) {
      sound->StopSound(SoundSystem::Handle(handle));
    }
  }
};

// The lines world objects carry go to the screen when their trigger comes; each object
// gives its line up as it is shown.
class ScreenDialogs final : public LevelServices {
 public:
  void FireDialogs(Level& level, WorldObject& o, int trigger) override {
    if (!mode || !o.dialog || !o.Has(ObjectFlags::kDialog) || o.dialog->trigger != trigger) return;
    SpeechLine line = *o.dialog;
    // The controller raises the text of a quest object's line itself; objects that become
    // reachable come straight from the level.
    if (trigger == 0 && o.Has(ObjectFlags::kQuest)) line.text += level.questObjectsFound;
    o.dialog.reset();
    o.Set(ObjectFlags::kDialog, false);
    mode->ShowSpeech(line, false);
  }
  ModeGame* mode = nullptr;
};

}  // namespace mode_game

// What a running level needs beside the level itself: its sounds, particle effects and the
// way its lines reach the screen.
struct ModeGame::Services {
  mode_game::ScreenSounds sounds;
  LevelEffects effects{App().particles()};
  mode_game::ScreenDialogs dialogs;
};
