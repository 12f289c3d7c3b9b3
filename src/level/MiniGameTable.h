#pragma once
#include <vector>

#include "level/MiniGamePhase.h"

class Level;
class XmlElement;

// The table "mini_games" (root `MiniGames`, elements `MiniGame` with `Phase` children) and
// how a mini-game level takes its definition from it.
class MiniGameTable {
 public:
  // Hits and tiles beyond these are content errors; values are brought into range so that
  // no rule loops for billions of steps or allocates without bound.
  static constexpr int kMaxHealth = 999;
  static constexpr int kMaxLength = 100000;
  static constexpr size_t kMaxParams = 4096;
  static constexpr int kMaxHeroType = 12;

  // Replaces the table with the elements below root.
  void Read(const XmlElement& root);
  void Clear() { games_.clear(); }
  const std::vector<MiniGameDef>& Games() const { return games_; }
  // The first definition of (episode, level), or null.
  const MiniGameDef* Find(int episode, int level) const;

  // A mini-game level being read: its phases emptied, phaseTotal and health 0, then the
  // matching definition's hero, hits and phases (without one, the hero type stays as it
  // is). A hero type outside 0..12 leaves the level without phases and without a hero.
  static void Apply(const MiniGameDef* def, Level& level);

 private:
  std::vector<MiniGameDef> games_;
};
