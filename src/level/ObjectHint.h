#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

class GameController;
class StringTable;
struct ObjectDesc;
struct WorldObject;

// The information text of a hovered waypoint: the name, effect, costs, yields and state of
// the obstacle, building or landmark it serves, as text markup ("^s" size, "^N" colour, "\"
// line break, resource symbols as their inline code units). Every word comes from the string
// table; a translated entry is always inserted as a piece, never read as a pattern, and a
// missing entry gives an empty piece.
class ObjectHint {
 public:
  // Every string-table entry a text may use.
  static constexpr const char* kEntries[] = {
      "you_need",         "res_needed",     "income",         "willbe",
      "indestructible",   "processing",     "path_blocked",   "objective",
      "max_stack",        "income_per",     "upgrade",        "build",
      "now_building",     "workers_scared", "increase_speed", "increase_work_speed",
      "increase_respawn", "anti_thief",     "anti_enemy"};

  // strings may be null (every entry is then empty).
  ObjectHint(const GameController& game, const StringTable* strings)
      : game_(game), strings_(strings) {}

  // The text for waypoint p and the rectangle (x0, y0, x1, y1) it belongs to; an empty text
  // when p shows none.
  struct Result {
    std::u16string text;
    std::array<float, 4> rect{};
  };
  Result For(const WorldObject& p) const;

  // Keys of entries (and object names) the texts use that the table lacks are added to keys
  // (for content checks); null stops that.
  void ReportMissing(std::vector<std::string>* keys) { missing_ = keys; }

  // The inline code unit of the worker symbol ("%WORKER%"), or 0 when none is registered.
  char16_t WorkerSymbol() const;

 private:
  std::u16string Entry(std::string_view key) const;
  std::u16string Obstacle(const WorldObject& q, const ObjectDesc& d) const;
  std::u16string Building(const WorldObject& q, const ObjectDesc& d) const;
  // "\^7" and the entry of an effect kind; empty for kinds without one.
  std::u16string EffectLine(const ObjectDesc& d) const;
  // Costs of d ("^6" when short, "^0" otherwise) joined by sep, and the missing amounts.
  void Costs(const ObjectDesc& d, std::u16string_view sep, std::u16string& costs,
             std::u16string& missing) const;
  // "%d%c" per resource the product site of building d yields (its income[0] names it).
  std::u16string Production(const ObjectDesc& d) const;
  bool Objective(const WorldObject& q) const;

  const GameController& game_;
  // The name of a descriptor (its table key noted when it has none).
  std::u16string Name(const ObjectDesc& d) const;

  const StringTable* strings_;
  std::vector<std::string>* missing_ = nullptr;
};
