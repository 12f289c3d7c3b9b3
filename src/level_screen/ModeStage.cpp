#include "level_screen/ModeStage.h"

#include "app/Application.h"
#include "data/FileSystem.h"
#include "gui/GuiContext.h"
#include "level/Level.h"
#include "level_screen/ModeGame.h"

ModeStage& TheModeStage() {
  static ModeStage mode;
  return mode;
}

bool ModeStage::NextLevel(int& episode, int& level) const {
  Application& app = App();
  const PlayerProfiles* profiles = app.profiles();
  FileSystem* files = app.files();
  if (!files) return false;
  for (int e = 1; e <= Level::kEpisodes; ++e) {
    for (int l = 1; l <= 10; ++l) {
      if (failed_.count({e, l}) || !files->Find(Level::LevelFileName(e, l))) continue;
      const bool finished =
          profiles && (profiles->progress.Record(e, l).flags & LevelRecord::kFinished) != 0;
      if (finished) continue;
      episode = e;
      level = l;
      return true;
    }
  }
  return false;
}

void ModeStage::Enter() {
  Mode::Enter();
  chosen_ = false;
  ModeGame& game = TheModeGame();
  int e = 0, l = 0;
  if (NextLevel(e, l)) {
    game.episode = e;
    game.levelNumber = l;
    chosen_ = true;
    return;
  }
  ShowInfoMessage(u"Episode map");
}

void ModeStage::Update() {
  Mode::Update();
  if (chosen_ && App().fadeState == Fade::None && !requested) RequestMode(&TheModeGame());
}

int ModeStage::OnInput(InputEvent event) {
  const bool press = event.type == InputType::LeftDown ||
                     (event.type == InputType::KeyDown && event.value == 19);
  if (press && !chosen_ && !requested) {
    TheModeGame().episode = 1;
    TheModeGame().levelNumber = 1;
    failed_.clear();
    RequestMode(&TheModeGame());
  }
  return 0;
}
