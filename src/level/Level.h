#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "level/LevelData.h"

class DescriptorServices;
class FileSystem;
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
