#include "level/Economy.h"

#include <algorithm>
#include <string>

#include "level/GameController.h"
#include "level/Level.h"
#include "level/LevelScreen.h"
#include "level/ObjectDesc.h"

namespace {

using F = ObjectFlags;
constexpr int kRespawnObelisk = 2;  // the bit of the respawn-speed obelisk
constexpr int kObeliskTrophy = 0, kGoldTrophy = 14;
constexpr int kTrophyAmount = 100;

int Saturated(long long v) { return int(std::clamp<long long>(v, -1000000000, 1000000000)); }

}  // namespace

void Economy::Begin() {
  Level& l = game_.level;
  lost = {};
  if (l.state == LevelState::Saved) return;
  l.questResCollect = {};
  l.questObjectsFound = 0;
  l.questObjectsNeeded = 0;
  for (const auto& o : l.objects) {
    if (o->Has(F::kQuest)) ++l.questObjectsNeeded;
  }
}

void Economy::DeliverIncome(WorldObject& w) {
  Level& l = game_.level;
  WorldObject* o = w.linkId != 0 ? l.FindObject(w.linkId) : nullptr;
  if (!o || !o->desc) return;
  std::string text;
  for (int i = 0; i < 3; ++i) {
    const int income = o->desc->income[size_t(i)];
    if (income <= 0) continue;
    const int amount = Saturated((long long)income + game_.incomeBonus);
    CountTowardObelisk(amount);
    Add(i, amount);
    text += (text.empty() ? "+" : "") + std::to_string(amount) + char(game_.ResourceSymbol(i));
    l.collected[size_t(i)] = Saturated((long long)l.collected[size_t(i)] + amount);
    if (l.questRes[size_t(i)] != 0) {
      l.questResCollect[size_t(i)] = Saturated((long long)l.questResCollect[size_t(i)] + amount);
      game_.screen.RefreshObjective();
    }
    game_.screen.FlashResource(i, false);
  }
  if (l.collected[2] >= kTrophyAmount) game_.screen.Achievement(kGoldTrophy);
  if (!text.empty()) ShowIncomeText(w, *o, text.c_str());
  // An objective whose result is carried home counts now.
  if (o->Has(F::kObjective) && o->desc->ret != 0) {
    o->Set(F::kObjective | F::kMarker, false);
    o->marker = EffectRef{};
    l.openObjectives = std::max(l.openObjectives - 1, 0);
    game_.screen.RefreshObjective();
  }
}

void Economy::Add(int i, int amount) {
  Level& l = game_.level;
  const long long stock = (long long)l.resources[size_t(i)] + amount;
  const int storage = std::max(l.storage, 0);
  if (stock > storage) lost[size_t(i)] = Saturated(lost[size_t(i)] + (stock - storage));
  l.resources[size_t(i)] = Saturated(std::min<long long>(stock, storage));
}

void Economy::CountTowardObelisk(int amount) {
  Level& l = game_.level;
  if (!(l.obelisks & kRespawnObelisk) || l.resDemeter >= kTrophyAmount) return;
  l.resDemeter = Saturated((long long)l.resDemeter + amount);
  if (l.resDemeter >= kTrophyAmount) {
    game_.screen.Achievement(kObeliskTrophy);
  } else {
    game_.screen.TrophyProgress(kObeliskTrophy, float(l.resDemeter) / kTrophyAmount);
  }
}

void Economy::ShowIncomeText(const WorldObject& w, const WorldObject& o, const char* text) {
  Level& l = game_.level;
  const WorldObject* house = nullptr;
  if (w.worker && w.worker->home >= 0 && size_t(w.worker->home) < l.waypoints.size()) {
    if (const WorldObject* home = l.waypoints[size_t(w.worker->home)].waypoint) {
      house = l.FindObject(home->respawnMin);
    }
  }
  if (!house) {
    const int type = o.desc->WorkerType();
    if (type >= 0) house = l.FindObject(game_.homes[size_t(type)]);
  }
  game_.screen.ShowIncome(text, house ? house->position : w.position);
}

void Economy::AddToAll(int amount) {
  Level& l = game_.level;
  for (int i = 0; i < 3; ++i) {
    const long long stock = (long long)l.resources[size_t(i)] + amount;
    l.resources[size_t(i)] = Saturated(std::min<long long>(stock, std::max(l.storage, 0)));
    game_.screen.FlashResource(i, false);
  }
}

bool Economy::ObjectivesMet() const {
  const Level& l = game_.level;
  for (size_t i = 0; i < 3; ++i) {
    if (l.questRes[i] > 0 && l.questResCollect[i] < l.questRes[i]) return false;
  }
  return l.openObjectives <= 0;
}
