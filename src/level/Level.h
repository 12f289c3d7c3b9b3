#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "level/LevelData.h"

class DescriptorServices;
class FileSystem;
struct ObjectDesc;
class GameDescriptors;
class LevelServices;

// The level being played (its record is LevelData) with the level file format: a level file
// is its serialised form (ReadLevel / WriteLevel). Reading resolves the links between
// objects and builds the waypoint graph.
class Level : public LevelData {
 public:
  // Objects and workers together; a file with more is refused.
  static constexpr size_t kMaxObjects = 16384;
  // Trophies, objectives and timers a file may carry; further entries are ignored.
  static constexpr size_t kMaxScreenEntries = 1024;
  // Waypoint indices one worker's path may hold.
  static constexpr size_t kMaxPath = 4096;
  static constexpr int kMaxCommands = 3;
  static constexpr int kTrophyCount = 22;
  static constexpr int kBonusCount = 6;
  // Saved levels name an episode 1..5 and a level 1..11.
  static constexpr int kEpisodes = 5;
  static constexpr int kLevelsPerEpisode = 11;

  explicit Level(const GameDescriptors& descriptors, DescriptorServices* textures = nullptr,
                 LevelServices* services = nullptr);
  Level(const Level&) = delete;
  Level& operator=(const Level&) = delete;

  // The campaign position this level belongs to (episode and level from 1; 0 0 is the
  // episode map). Set by LoadLevelFile and by reading a saved level; Reset keeps it.
  int episode = 0;
  int levelNumber = 0;

  // Back to the state before reading: every list empty, every field at its default (the
  // campaign position stays).
  void Reset();

  // "level_%02d_%02d.xml".
  static std::string LevelFileName(int episode, int level);
  // Resets the level and fills it from a level document. False without a `level` root, on
  // an unknown child element ("Unknown section"; the objects read before it stay), for more
  // than kMaxObjects objects, and for a saved level of mode 0 or 1 whose episode or level is
  // outside 1..5 / 1..11.
  bool ReadLevel(std::string_view text);
  // Reads the data file of (episode, level), which becomes the campaign position. A missing
  // file resets the level and gives false.
  bool LoadLevelFile(FileSystem& fs, int episode, int level);
  // The whole document for the current world.
  std::string WriteLevel() const;
  // The level's own text in a language, else in English, else the first it has; none when
  // the file carries no texts.
  const LevelText* TextIn(std::string_view language) const;
  // Saving is allowed for a level of mode 0 or 1 with a medal that is not negative, that
  // has not ended and has objects.
  bool CanSave() const;
  // The text to store in the player's profile, or none when saving is not allowed.
  std::optional<std::string> SaveLevel() const;

  // Creates an object with every field cleared, its position truncated to whole units
  // (unless its texture is a mask, which covers the whole level and gets flag b), and
  // appends it to list.
  WorldObject& AddObject(ObjectList& list, int id, std::string texture, Vec2 position);
  // Resolves an object's descriptor, linked object and, for waypoints, neighbour slots.
  void ResolveLinks(WorldObject& object);
  // ResolveLinks for every object and worker, starting from empty neighbour slots and back
  // links (so it may run again after links changed).
  void ResolveAllLinks();
  // The first object of the object list with that id, or null.
  WorldObject* FindObject(int id) const;
  // The waypoint node of a class-3 object, or null.
  WaypointNode* NodeOf(const WorldObject& object);

  // --- The world's objects while the level runs (LevelObjects.cpp)

  // Readies every object, then every worker, for play (PrepareObject); run once when a
  // level begins. The level's indicator sprites are taken from the descriptors first.
  void PrepareObjects();
  // The preparation of one object: objective marker, product sites of buildings, resting
  // sprites, particles, fade time and selector placement.
  void PrepareObject(WorldObject& object);
  // Shows or hides an object with its particles and marker. Objects that show their changes
  // by playing their sprite (flag j) ignore it.
  void Show(WorldObject& object, bool visible);
  // Starts a fade (direction +1 in, -1 out; +-2 twice as fast) from value 0..1275, for
  // objects that never respawn or respawn after a delay; others only take the opacity of
  // their visibility.
  void Fade(WorldObject& object, int direction, float value);
  // Starts the wait before an object grows back: none with flag h, at once for the range
  // (1, 1), otherwise a random delay within the range (an obstacle then shows faintly).
  void ArmRespawn(WorldObject& object);
  // Deletes every object and worker flagged d; references to them are cleared.
  void RemoveFlagged();
  // Marks what each worker base can reach (flags a, e and z), walking the waypoint graph
  // from the first waypoint of base lists 0..8 up to the first object that blocks the way.
  // An object that becomes reachable fires its dialogs of trigger 0, and its waypoint's.
  void MarkReachable();
  // Gives an object another texture. When the animation table describes the texture, the
  // object's frame animation takes its layout and timing (and its size when given) and
  // starts again at frame 0.
  void SetTexture(WorldObject& object, std::string texture);
  // Attaches the particle effect the object's texture carries (objects_particles), or
  // switches the one it has on again.
  void AttachParticles(WorldObject& object);
  // The product site of a building: along its links, the object of the first waypoint that
  // has one. Null when there is none.
  WorldObject* ProductSite(const WorldObject& building) const;
  // A standing building tends its product: the product site wakes and grows back every
  // desc.respawn s with the product's descriptor and texture. False, and nothing changes,
  // when the building has no product site or no product.
  bool WakeProduct(const WorldObject& building);
  // The descriptor whose scaleTime and scalePercent drive an object's pulse (none without a
  // pulse): that of the object being worked on, the object itself or one of the objects that
  // link to it. Obstacle and building ids are looked up by the class of that object, since
  // the tables may share numbers; failing that, the obstacles first.
  const ObjectDesc* PulseDescriptor(const WorldObject& object) const;
  // Calls fn(object) for object's link, that one's link and so on, each at most once: a
  // cycle of links ends the walk, as does the end of the chain.
  template <class Fn>
  void ForLinkChain(const WorldObject& from, Fn fn) const;
  // Whether worker type 0..8 may work in this level (bit of workerTypes).
  bool WorkerTypeAvailable(int type) const;
  // Whether the stock covers every cost of a descriptor.
  bool Affordable(const ObjectDesc& desc) const;
  // The effect that marks the end of work on an object: "build" when its link is a
  // building, "collect%02d" of its descriptor's coll, "collect" unless its link is an
  // obstacle; empty for none.
  std::string FinishingEffect(const WorldObject& object) const;

  const GameDescriptors& Descriptors() const { return descriptors_; }
  DescriptorServices* Textures() const { return textures_; }
  LevelServices* Services() const { return services_; }

 private:
  template <class Lookup>
  void Resolve(WorldObject& object, const Lookup& find);

  const GameDescriptors& descriptors_;
  DescriptorServices* textures_;
  LevelServices* services_;
};

template <class Fn>
void Level::ForLinkChain(const WorldObject& from, Fn fn) const {
  // A chain visits each object once; more steps than objects means a cycle.
  size_t budget = objects.size() + workers.size() + 1;
  std::unordered_set<const WorldObject*> seen{&from};
  for (WorldObject* o = from.link; o && budget-- > 0; o = o->link) {
    if (!seen.insert(o).second) break;
    fn(*o);
  }
}
