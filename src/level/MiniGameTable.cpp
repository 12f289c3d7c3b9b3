#include "level/MiniGameTable.h"

#include <algorithm>

#include "data/XmlElement.h"
#include "level/Level.h"

namespace {

MiniGamePhase ReadPhase(const XmlElement& e) {
  MiniGamePhase p;
  p.kind = e.Int("type", 0);
  p.remaining = std::clamp(e.Int("length", 0), -MiniGameTable::kMaxLength,
                           MiniGameTable::kMaxLength);
  p.budget = p.remaining;
  p.speed = e.Int("speed", 0);
  p.angle = e.Int("angle", 4);
  p.flags = e.Int("flags", 0);
  const float dist = e.Float("dist", 0);
  p.dist = dist == dist ? dist : 0.0f;  // NaN gives the default
  p.message = e.Text("message");
  p.sound = e.Text("sound");
  p.effect = e.Text("effect");
  p.sound2 = e.Text("sound2");
  p.effect2 = e.Text("effect2");
  e.IntList("params", p.params);
  if (p.params.size() > MiniGameTable::kMaxParams) p.params.resize(MiniGameTable::kMaxParams);
  return p;
}

}  // namespace

void MiniGameTable::Read(const XmlElement& root) {
  games_.clear();
  constexpr size_t kMaxEntries = 65536;
  for (XmlElement g = root.FirstChild("MiniGame"); g && games_.size() < kMaxEntries;
       g = g.NextSibling("MiniGame")) {
    MiniGameDef def;
    def.episode = g.Int("episode", 0);
    def.level = g.Int("level", 0);
    def.health = std::clamp(g.Int("health", 10), -kMaxHealth, kMaxHealth);
    def.hero = g.Int("hero", 1);
    for (XmlElement p = g.FirstChild("Phase"); p && def.phases.size() < kMaxEntries;
         p = p.NextSibling("Phase")) {
      def.phases.push_back(ReadPhase(p));
    }
    games_.push_back(std::move(def));
  }
}

const MiniGameDef* MiniGameTable::Find(int episode, int level) const {
  for (const MiniGameDef& def : games_) {
    if (def.episode == episode && def.level == level) return &def;
  }
  return nullptr;
}

void MiniGameTable::Apply(const MiniGameDef* def, Level& level) {
  level.phases.clear();
  level.miniGame.phaseTotal = 0;
  level.miniGame.health = 0;
  if (!def) return;
  level.heroType = -1;
  level.miniGame.health = def->health;
  // A hero type outside the animation table has no base list and no sheets: no game.
  if (def->hero < 0 || def->hero > kMaxHeroType) return;
  level.heroType = def->hero;
  level.phases = def->phases;
  long long total = 0;
  for (const MiniGamePhase& p : level.phases) total += p.remaining;
  level.miniGame.phaseTotal = int(std::clamp<long long>(total, 0, 1000000));
}
