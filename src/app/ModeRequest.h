#pragma once
#include <memory>
#include <string>

// The game's screens, as one screen names another when it asks the application to switch.
enum class ModeId : int {
  None = 0,
  Splash,
  Menu,
  Map,
  Game,
  Comics,
  Puzzle,
  Castle,
  Ratings,
  Credits,
  Editor,
};
inline constexpr int kModeIdCount = int(ModeId::Editor) + 1;

// A switch to a screen with what that screen needs to know; the screen reads it in
// Mode::Accept before it is entered. Made by the functions below, one per kind of switch.
struct ModeRequest {
  ModeId mode = ModeId::None;
  // The level to play (Game) or to open the record tables at (Ratings; 0, 0: none).
  int episode = 0;
  int level = 0;
  // Game: play the saved level instead of episode and level.
  bool continueSaved = false;
  // Which comic or puzzle, from 1.
  int number = 0;
  // Where a screen that is left by "back" returns to.
  ModeId back = ModeId::None;
  // What follows a screen that runs its course (a comic, the castle), if anything.
  std::shared_ptr<const ModeRequest> then;
  // Editor: the level file to open; without one the shipped level (episode, level), or with
  // a ground picture a new level on it.
  std::string file;
  std::string ground;
  // Game: a level's text played on trial (from the editor) instead of a campaign level: no
  // progress, record or saved game is written, and Escape or the level's end goes back to
  // `back` (told that it comes back from the game by its own `back`).
  std::shared_ptr<const std::string> levelText;
  // Game, with levelText: the file name of the player's own level it is. Such a level plays
  // as a campaign level does, with its result dialogs, and its result is kept with the own
  // levels' records; the campaign's progress and records stay as they are.
  std::string ownLevel;
};

inline ModeRequest ShowScreen(ModeId mode) {
  ModeRequest request;
  request.mode = mode;
  return request;
}
inline ModeRequest PlayLevel(int episode, int level) {
  ModeRequest request = ShowScreen(ModeId::Game);
  request.episode = episode;
  request.level = level;
  return request;
}
inline ModeRequest ContinueSavedLevel() {
  ModeRequest request = ShowScreen(ModeId::Game);
  request.continueSaved = true;
  return request;
}
inline ModeRequest ShowComic(int number, const ModeRequest& then) {
  ModeRequest request = ShowScreen(ModeId::Comics);
  request.number = number;
  request.then = std::make_shared<const ModeRequest>(then);
  return request;
}
inline ModeRequest ShowPuzzle(int number, ModeId back) {
  ModeRequest request = ShowScreen(ModeId::Puzzle);
  request.number = number;
  request.back = back;
  return request;
}
// The castle, left by "back"; when `then` names a screen, the castle goes on to it once.
inline ModeRequest ShowCastle(ModeId back, const ModeRequest& then = {}) {
  ModeRequest request = ShowScreen(ModeId::Castle);
  request.back = back;
  if (then.mode != ModeId::None) request.then = std::make_shared<const ModeRequest>(then);
  return request;
}
inline ModeRequest ShowRatings(int episode, int level, ModeId back) {
  ModeRequest request = ShowScreen(ModeId::Ratings);
  request.episode = episode;
  request.level = level;
  request.back = back;
  return request;
}
inline ModeRequest ShowCredits(ModeId back) {
  ModeRequest request = ShowScreen(ModeId::Credits);
  request.back = back;
  return request;
}
// The level editor on a level file, a shipped level, or a new level on a ground picture.
inline ModeRequest EditLevelFile(const std::string& path) {
  ModeRequest request = ShowScreen(ModeId::Editor);
  request.file = path;
  return request;
}
inline ModeRequest EditShippedLevel(int episode, int level) {
  ModeRequest request = ShowScreen(ModeId::Editor);
  request.episode = episode;
  request.level = level;
  return request;
}
inline ModeRequest EditNewLevel(const std::string& ground) {
  ModeRequest request = ShowScreen(ModeId::Editor);
  request.ground = ground;
  return request;
}
// A level's text played on trial, at a campaign position for what the level screen looks up
// (tutorial texts, names), coming back to `back` afterwards.
inline ModeRequest PlayTrial(const std::string& text, int episode, int level, ModeId back) {
  ModeRequest request = PlayLevel(episode, level);
  request.levelText = std::make_shared<const std::string>(text);
  request.back = back;
  return request;
}
// The player's own level `file` (its text read from the data folder's levels), coming back to
// `back` afterwards.
inline ModeRequest PlayOwnLevel(const std::string& text, const std::string& file, int episode,
                                int level, ModeId back) {
  ModeRequest request = PlayTrial(text, episode, level, back);
  request.ownLevel = file;
  return request;
}
