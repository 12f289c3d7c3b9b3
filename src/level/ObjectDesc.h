#pragma once
#include <array>
#include <string>

// The numbers of one kind of world object (an obstacle, building or landmark descriptor):
// the work it takes, what it costs and yields, and how it looks while worked on.
struct ObjectDesc {
  // What happens when the work on the object completes or the building stands.
  enum Effect {
    kNone = 0,
    kWarehouse = 1,     // storage limit + value
    kWorkersHouse = 2,  // active ordinary workers + value; their home
    kWorkSpeed = 3,     // work value % faster
    kWalkSpeed = 4,     // walking speed + value
    kWorkerLodge = 5,   // special worker type value becomes available
    kRespawnSpeed = 6,  // respawn value % faster
    kAntiThief = 7,     // no more thieves
    kAntiFlying = 8,    // no more flying creatures
  };
  static constexpr int kDefaultFade = 1275;
  static constexpr int kWorkerTypeCount = 9;  // 0 ordinary, 1..8 special

  int id = 0;
  int offs = 0;                 // height of the progress bar above the object
  float time = 0;               // work duration in seconds; <= 0 ends at once, < 0 indestructible
  int respawn = 0;              // buildings: regrowth interval of the product site, seconds
  int ani = 0;                  // the worker plays animation ani + 3 while working
  int ret = 0;                  // non-zero: the worker carries the result home
  int type = kNone;             // Effect
  int value = 0;                // amount or worker type for type
  int coll = 0;                 // "collect%02d" effect number when the work finishes
  int fade = kDefaultFade;      // ms before the end of the work the finishing transition starts
  int snd = 0;                  // work sound reference id, 0 none
  int work = 0;                 // worker type doing the work
  int draw = 0;                 // highlight style 0..2
  int scaleTime = 0;            // pulse period parameter
  int scalePercent = 0;         // pulse amplitude
  std::array<int, 3> cost{};    // food, wood, gold taken when the work starts
  std::array<int, 3> income{};  // delivered when the result arrives home
  std::u16string name;
  std::u16string desc;

  bool Indestructible() const { return time < 0; }
  // The worker type that does the work, or -1 when `work` names no worker type.
  int WorkerType() const { return work >= 0 && work < kWorkerTypeCount ? work : -1; }
  // The special worker type a lodge makes available, or -1 when this is no lodge or its
  // value names no special worker type.
  int LodgeType() const {
    return type == kWorkerLodge && value >= 1 && value < kWorkerTypeCount ? value : -1;
  }
};
