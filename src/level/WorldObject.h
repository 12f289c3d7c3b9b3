#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "level/EffectRef.h"
#include "level/ObjectFlags.h"
#include "level/SpeechLine.h"
#include "level/SpriteAnim.h"
#include "level/Vec2.h"
#include "level/WorkerState.h"

struct ObjectDesc;
struct SelectorPlacement;

// Everything on a level's map: scenery, obstacles, buildings, waypoints, effect spots, fog,
// puzzle pieces, workers, flying creatures and birds. The fields that level files carry are
// marked with their attribute; the rest is run-time state.
struct WorldObject {
  // Object classes.
  enum Class : uint16_t {
    kScenery = 0,
    kObstacle = 1,
    kBuilding = 2,
    kWaypoint = 3,
    kEffectSpot = 4,
    kFog = 5,
    kPuzzlePiece = 6,
    kLandmark = 7,
    kFillable = 8,
    kWorker = 9,
    kFlyer = 10,
    kBird = 11,
  };
  static constexpr int kFullFade = 1275;

  std::string texture;         // tex
  uint32_t flags = 0;          // flags
  uint16_t id = 0;             // id
  uint16_t cls = 0;            // class
  uint16_t subclass = 0;       // subclass
  Vec2 position;               // pos
  Vec2 size;                   // size: half width, half height
  float rotation = 0;          // rot, degrees
  std::array<Vec2, 4> quad{};  // corner offsets from size and rotation
  uint8_t alpha = 255;
  std::array<uint8_t, 3> colour{255, 255, 255};
  std::array<float, 4> uvRect{0, 0, 1, 1};
  Vec2 texSpeed;       // tex_speed
  int respawnMin = 0;  // respawn, seconds
  int respawnMax = 0;
  std::array<int, 3> animPause{};    // animtime: min, max (x 10 ms), remaining
  std::array<int, 3> links{};        // links (class 3): linked waypoint ids, 0 = none
  std::array<int, 3> backLinks{};    // class 3: ids of waypoints linking here
  int linkId = 0;                    // obj_link
  std::optional<SpriteAnim> sprite;  // sprite, sprite_state
  EffectRef marker;                  // attached marker effect (objective, fog, ...)
  std::optional<SpeechLine> dialog;  // dialog (flag m)
  EffectRef particles;               // effect of the object's texture while visible
  const ObjectDesc* desc = nullptr;  // classes 1, 2, 7
  WorldObject* link = nullptr;       // resolved linkId
  WorldObject* backLink = nullptr;   // the object whose link is this one
  // Per-class extension: the waypoint node of a class-3 object, the state of a worker, the
  // selector placement of other objects.
  int waypoint = -1;                  // class 3: index in the level's waypoint list
  std::optional<WorkerState> worker;  // class 9 (work_angle ... work_path)
  const SelectorPlacement* selector = nullptr;
  int fadeDir = 0;         // alpha_state: -1, 0, +1 (+-2 in mini-games)
  float fadeValue = 0;     //   0..1275
  int respawnLeft = 0;     // resp_time, ms; -1 none
  int stamp = 0;           // start_time, ms
  int workSound = 0;       // sound reference played on a work animation frame
  int workSoundLoop = -1;  // handle of the looping work sound, -1 none
  int fadeMs = kFullFade;
  float pulsePhase = 0;
  int pulseDesc = 0;  // ani_ref

  bool Has(uint32_t bits) const { return (flags & bits) == bits; }
  bool HasAny(uint32_t bits) const { return (flags & bits) != 0; }
  void Set(uint32_t bits, bool on = true) { flags = on ? flags | bits : flags & ~bits; }
  bool Hidden() const { return HasAny(ObjectFlags::kHidden); }

  // Rebuilds the corner offsets from size and rotation (counter-clockwise, degrees).
  void UpdateQuad();
  // Whether a point of the level lies inside the object's quad (as UpdateQuad left it).
  bool Contains(Vec2 point) const;
};
