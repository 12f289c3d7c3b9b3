#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "level/IndicatorSprites.h"
#include "level/MiniGamePhase.h"
#include "level/SpeechLine.h"
#include "level/WaypointNode.h"
#include "level/WorldObject.h"

// What kind of level this is, with the numbers level files use: 0 and 1 are ordinary levels
// whose objects workers work on, 2 a level whose objects never update (the episode map), 3 a
// mini-game. A file may carry another number; such a level counts as none of these.
enum class LevelMode : int { Ordinary = 0, Ordinary1 = 1, Still = 2, MiniGame = 3 };
inline bool IsOrdinary(LevelMode mode) {
  return mode == LevelMode::Ordinary || mode == LevelMode::Ordinary1;
}

// A level's run: fresh from its data file, continued from a save, or won.
enum class LevelState : int { Fresh = 0, Saved = 2, Won = 3 };

// The time medal of a result. None marks a level that is never saved.
enum class Medal : int { None = -1, Bronze = 0, Silver = 1, Gold = 2 };

// A level's own name and opening message in one language. The campaign's levels take theirs
// from the string tables; a level made in the editor carries them in its file.
struct LevelText {
  static constexpr size_t kMaxLanguages = 16;
  static constexpr size_t kMaxNameBytes = 120;
  static constexpr size_t kMaxMessageBytes = 2000;
  std::string language;  // "en", "de", ...
  std::string name;
  std::string message;
  bool operator==(const LevelText&) const = default;
};

// The record of a level: its settings, its objects and workers in draw order, the waypoint
// graph, and the level-screen state a saved level carries. Every field starts at the value
// a level has before its file is read.
struct LevelData {
  static constexpr int kBaseLists = 13;

  // A running work or bonus timer the level screen restores.
  struct SavedTimer {
    enum Kind { kObstacle = 0, kBonus = 1 };
    int kind = kObstacle;
    int id = 0;
    int cur = 0;  // elapsed ms
    int max = 0;  // total ms
    bool operator==(const SavedTimer&) const = default;
  };
  using ObjectList = std::vector<std::unique_ptr<WorldObject>>;

  LevelMode mode = LevelMode::Ordinary;
  Medal medal = Medal::Bronze;
  int timeEasy = 360, timeNorm = 240, timeHard = 120;  // seconds
  int flags = 0;  // bit 0 no thieves, bit 1 no flying creatures
  int music = 0;
  int effect = 0;
  int activeWorkers = 1;
  int workersFree = 0;
  float runSpeed = 20.0f;
  float buildSpeed = 1.0f;
  int respSpeed = 100;
  int thiefPeriod = 0;  // ms, 0 no thieves
  int flyType = 0;
  int flyTime = 0;  // seconds, 0 no flying creatures
  int storage = 20;
  int objectCount = 0;
  int bonusSpeed = 100;
  std::array<int, 6> bonusCost{};
  std::array<int, 3> resources{}, questRes{}, collected{};  // food, wood, gold
  int openObjectives = 0;
  int workerTypes = 1;
  int fogHeight = 0;
  uint32_t fogColor = 0;
  int nextId = 1;
  int workerLayer = 0;  // object-list position after which the workers are drawn
  int levelTime = 0, bonusTime = 0, flyElapsed = 0;
  int bonusUsed = 0, obelisks = 0, resDemeter = 0, birdsHunted = 0;
  bool resThieved = false, puzzleCollected = false;
  ObjectList objects;
  ObjectList workers;
  std::array<std::vector<int>, kBaseLists> bases;  // waypoint indices of subclass k + 1
  std::vector<WaypointNode> waypoints;
  std::vector<SavedTimer> savedTimers;
  LevelState state = LevelState::Fresh;
  int gameTime = 0;

  // Carried by saved levels for the level screen and the economy.
  SpeechLine dialog;                     // pending level dialog (text > 0)
  std::array<int, 3> questResCollect{};  // quest resources gathered
  int questObjectsNeeded = 0, questObjectsFound = 0;
  std::vector<int> commandQueue;    // ids of queued target waypoints
  std::vector<int> trophies;        // earned here and not yet shown
  std::vector<int> objectivePanel;  // object ids in objectives-panel order
  std::vector<LevelText> texts;     // one per language, in file order
  std::string maskName;             // texture of the mask object
  int heroType = -1;                // mini-games: the hero's worker type
  std::vector<MiniGamePhase> phases;  // mini-games: the phases still to play, front first
  // What a mini-game's rules show on the level screen: the steps of all its phases (counter
  // A at the start), the hits the hero can take (counter B at the start), and the front
  // phase's goal, its count left and the string key of its text (empty: no goal active).
  struct MiniGameView {
    int phaseTotal = 0;
    int health = 10;
    int goalLeft = 0;
    std::string goalText;
  };
  MiniGameView miniGame;
  bool ended = false;     // the level's end sequence has begun
  std::string readError;  // why the last read failed

  // Run-time state of the running world (not saved).
  float blinkPhase = 0;          // seconds; drives the highlight of reachable objects
  // Calmer screens, from the player's settings (never saved with the level): reachable
  // objects show a steady highlight instead of blinking; scrolling textures stand still.
  bool steadyMarks = false;
  bool calmMotion = false;
  float animationClock = 0;      // ms of animated frames since the level began
  WorldObject* flyer = nullptr;  // the current flying creature
  // The indicator sprites (respawn clocks, selectors, queue marker) as this level animates
  // them; copied from the descriptors when the level begins.
  IndicatorSprites indicators;
};
