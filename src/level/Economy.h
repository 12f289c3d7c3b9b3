#pragma once
#include <array>

class GameController;
struct WorldObject;

// The level's stock: income brought home (with its limit, the income bonus and the quest
// resources), the resources bonus and whether the objectives are met.
class Economy {
 public:
  explicit Economy(GameController& game) : game_(game) {}

  // The fresh level's quest counters (a saved level keeps its own).
  void Begin();
  // A worker got home with the result of the object its link id names.
  void DeliverIncome(WorldObject& worker);
  // Every resource grows by amount, up to the storage limit.
  void AddToAll(int amount);
  // Every quest resource gathered and no objective open.
  bool ObjectivesMet() const;

  // Amounts cut off by the storage limit in this level.
  std::array<int, 3> lost{};

 private:
  void Add(int resource, int amount);
  void CountTowardObelisk(int amount);
  void ShowIncomeText(const WorldObject& worker, const WorldObject& object, const char* text);

  GameController& game_;
};
