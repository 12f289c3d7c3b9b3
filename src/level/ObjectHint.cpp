#include "level/ObjectHint.h"

#include <cctype>
#include <cstdio>

#include "data/StringTable.h"
#include "data/Utf8.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/ObjectDesc.h"
#include "level/ObjectFlags.h"
#include "level/WorldObject.h"

namespace {

using F = ObjectFlags;

std::u16string Num(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

void Join(std::u16string& list, std::u16string_view sep, const std::u16string& piece) {
  if (!list.empty()) list += sep;
  list += piece;
}

bool HasCost(const ObjectDesc& d) { return d.cost[0] > 0 || d.cost[1] > 0 || d.cost[2] > 0; }

std::array<float, 4> Rect(const WorldObject& o) {
  return {o.position.x - o.size.x, o.position.y - o.size.y, o.position.x + o.size.x,
          o.position.y + o.size.y};
}

// A building's upgrade: its link when that is no waypoint.
const WorldObject* Upgrade(const WorldObject& q) {
  return q.link && q.link->cls != WorldObject::kWaypoint ? q.link : nullptr;
}

// The descriptor of the building an upgrade puts up: the upgrade itself, or what its
// scaffold links to.
const ObjectDesc* UpgradedBuilding(const WorldObject& upgrade) {
  const WorldObject* b = upgrade.cls == WorldObject::kBuilding ? &upgrade : upgrade.link;
  return b && b->cls == WorldObject::kBuilding ? b->desc : nullptr;
}

}  // namespace

std::u16string ObjectHint::Entry(std::string_view key) const {
  if (missing_ && (!strings_ || !strings_->Has(WidenBytes(key)))) missing_->emplace_back(key);
  return strings_ ? strings_->Get(key) : std::u16string();
}

std::u16string ObjectHint::Name(const ObjectDesc& d) const {
  if (missing_ && d.name.empty()) {
    char key[32];
    std::snprintf(key, sizeof key, "obj_name_%03d", d.id);
    missing_->emplace_back(key);
  }
  return d.name;
}

char16_t ObjectHint::WorkerSymbol() const {
  const auto& symbols = game_.level.Descriptors().Symbols();
  for (size_t i = 0; i < symbols.size() && i < size_t(GameDescriptors::kMaxSymbols); ++i) {
    std::string name = symbols[i];
    for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (name == "worker") return char16_t(i + 1);
  }
  return 0;
}

ObjectHint::Result ObjectHint::For(const WorldObject& p) const {
  Result result;
  if (p.cls != WorldObject::kWaypoint || !p.link) return result;
  const WorldObject& q = *p.link;
  result.rect = Rect(p);
  if (q.cls == WorldObject::kLandmark) {
    if (q.desc) result.text = u"^s^9" + Name(*q.desc);
    return result;
  }
  if (game_.Scared()) {
    result.text = Entry("workers_scared");
    return result;
  }
  if (!q.desc) return result;
  if (q.cls == WorldObject::kObstacle) {
    result.text = Obstacle(q, *q.desc);
  } else if (q.cls == WorldObject::kBuilding) {
    result.text = Building(q, *q.desc);
    result.rect = Rect(q);
  }
  return result;
}

std::u16string ObjectHint::EffectLine(const ObjectDesc& d) const {
  const char* key = nullptr;
  switch (d.type) {
    case ObjectDesc::kWorkSpeed:
      key = "increase_work_speed";
      break;
    case ObjectDesc::kWalkSpeed:
      key = "increase_speed";
      break;
    case ObjectDesc::kRespawnSpeed:
      key = "increase_respawn";
      break;
    case ObjectDesc::kAntiThief:
      key = "anti_thief";
      break;
    case ObjectDesc::kAntiFlying:
      key = "anti_enemy";
      break;
    default:
      return {};
  }
  return u"\\^7" + Entry(key);
}

void ObjectHint::Costs(const ObjectDesc& d, std::u16string_view sep, std::u16string& costs,
                       std::u16string& missing) const {
  const Level& l = game_.level;
  for (size_t i = 0; i < 3; ++i) {
    const int cost = d.cost[i];
    if (cost <= 0) continue;
    const bool shortOf = l.resources[i] < cost;
    const char16_t symbol = game_.ResourceSymbol(int(i));
    Join(costs, sep, (shortOf ? u"^6" : u"^0") + Num(cost) + u' ' + symbol);
    if (shortOf) Join(missing, sep, Num((long long)cost - l.resources[i]) + u' ' + symbol);
  }
}

std::u16string ObjectHint::Production(const ObjectDesc& d) const {
  const ObjectDesc* site = game_.level.Descriptors().Obstacle(d.income[0]);
  std::u16string text;
  if (!site) return text;
  for (size_t i = 0; i < 3; ++i) {
    if (site->income[i] > 0) text += Num(site->income[i]) + game_.ResourceSymbol(int(i));
  }
  return text;
}

bool ObjectHint::Objective(const WorldObject& q) const {
  if (q.Has(F::kObjective)) return true;
  const WorldObject* link = q.link;
  if (!link) return false;
  return link->Has(F::kObjective) || (link->link && link->link->Has(F::kObjective));
}

std::u16string ObjectHint::Obstacle(const WorldObject& q, const ObjectDesc& d) const {
  const bool inProcess = q.Has(F::kInProcess);
  std::u16string text = u"^s^9" + Name(d) + EffectLine(d);
  if (d.Indestructible()) {
    text += u"\\" + Entry("indestructible");
  } else {
    if (inProcess) {
      text += u"\\^8" + Entry("processing");
    } else {
      std::u16string costs, missing;
      Costs(d, u" ", costs, missing);
      if (!costs.empty()) text += u"\\" + Entry("you_need") + u": " + costs;
      if (!missing.empty()) text += u"\\^6" + Entry("res_needed") + u": " + missing;
    }
    std::u16string income;
    for (size_t i = 0; i < 3; ++i) {
      if (d.income[i] <= 0) continue;
      Join(income, u" ",
           Num((long long)d.income[i] + game_.incomeBonus) + u' ' + game_.ResourceSymbol(int(i)));
    }
    if (!income.empty()) text += u"\\" + Entry("income") + u": ^7" + income;
    if (q.link && q.link->cls == WorldObject::kBuilding && q.link->desc) {
      const std::u16string future = Production(*q.link->desc);
      if (!future.empty()) text += u"\\" + Entry("willbe") + u": ^7" + future;
    }
  }
  if (!q.HasAny(F::kReachable | F::kReachableOrdinary) && !inProcess) {
    text += u"\\^6" + Entry("path_blocked");
  }
  if (Objective(q)) text = u"^s^8" + Entry("objective") + u":\\" + text;
  return text;
}

std::u16string ObjectHint::Building(const WorldObject& q, const ObjectDesc& d) const {
  const bool inProcess = q.Has(F::kInProcess);
  const std::u16string worker = WorkerSymbol() ? std::u16string(1, WorkerSymbol()) : u"";
  std::u16string text = u"^s^9" + Name(d);
  if (d.type == ObjectDesc::kWarehouse) {
    text += u"\\^7" + Entry("max_stack") + u": " + Num(game_.level.storage);
  } else {
    text += EffectLine(d);
  }
  const std::u16string production = Production(d);
  if (!production.empty()) {
    text += u"\\" + Entry("income_per") + u": ^7" + production;
  } else if (d.type == ObjectDesc::kWorkersHouse) {
    text += u"\\^7" + Num(d.value) + u" " + worker;
  }
  const WorldObject* upgrade = Upgrade(q);
  if (upgrade && inProcess) {
    if (!HasCost(d)) {
      text += u"\\" + d.desc;
    } else {
      const ObjectDesc* next = UpgradedBuilding(*upgrade);
      const std::u16string name = next ? Name(*next) : std::u16string();
      text = Entry("now_building") + u"\\" + name + u"...";
    }
  } else if (upgrade) {
    std::u16string costs, missing;
    Costs(d, u", ", costs, missing);
    if (!costs.empty()) {
      text += u"\\" + Entry(q.subclass % 10 != 0 ? "upgrade" : "build") + u": " + costs;
    }
    if (!missing.empty()) text += u"\\^6" + Entry("res_needed") + u": " + missing;
    const ObjectDesc* next = UpgradedBuilding(*upgrade);
    if (HasCost(d) && next) {
      std::u16string future = Production(*next);
      if (next->type == ObjectDesc::kWorkersHouse) {
        future += u" " + Num(next->value) + u" " + worker;
      }
      text += u"\\" + Entry("willbe") + u": ^7" + future;
    }
  }
  if (upgrade && !inProcess && !q.HasAny(F::kReachable | F::kReachableOrdinary)) {
    text += u"\\^6" + Entry("path_blocked");
  }
  if (q.Has(F::kObjective)) text = u"^s^4" + Entry("objective") + u":\\" + text;
  return text;
}
