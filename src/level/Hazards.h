#pragma once
#include <array>
#include <memory>

#include "level/Vec2.h"

class GameController;
struct WorldObject;

// What walks or flies into a level uninvited: thieves that take collectable objects, the
// flying creature that scares the workers until it is clicked away, and the two birds that
// can be caught for points.
class Hazards {
 public:
  static constexpr int kThiefTrophy = 9, kFlyerTrophy = 5;
  static constexpr int kNoThieves = 1, kNoFlyers = 2;  // level flag bits

  explicit Hazards(GameController& game);
  ~Hazards();

  // A level begins: the birds are placed, a saved flyer gets its flight.
  void Begin();
  // The level update while it is played: thief attempts and the flyer's interval.
  void Update(float frameTime);
  // The animate step: the flyer and the birds move.
  void Animate(float frameTime);

  bool ThiefAttempt(WorldObject& target);
  void SpawnFlyer();
  void HitFlyer(WorldObject& flyer);
  void SpawnBird(int index);
  void HitBird(WorldObject& bird);

  // The birds (none when the animation table has no birds).
  WorldObject* Bird(int index) const;
  // Clicks the flyer still needs; 0 without one.
  int FlyerClicksLeft() const;
  bool FlyerDying() const;

  // Half the size of the screen the creatures fly over (world units). The level screen sets
  // it from the virtual screen; without one it is the whole 1280 x 768 level.
  Vec2 halfScreen{640, 384};

 private:
  struct Flight {
    Vec2 direction;
    int clicksLeft = 0;
    float speed = 0;
  };
  void UpdateThieves();
  void UpdateFlyer(float frameTime);
  void FlyerStep(float frameTime);
  void BirdStep(int index, float frameTime);
  void RestoreFlight(WorldObject& flyer);
  void FlyerFrames(WorldObject& flyer, bool secondHalf);

  GameController& game_;
  std::array<std::unique_ptr<WorldObject>, 2> birds_;
  std::array<Vec2, 2> birdVelocity_{};
  Flight flight_;
  const WorldObject* flightOf_ = nullptr;
  bool flyerDying_ = false;
};
