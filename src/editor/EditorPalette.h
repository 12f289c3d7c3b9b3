#pragma once
#include <string>
#include <string_view>
#include <vector>

class GameDescriptors;

// What the editor offers to place, by kind. An entry is a group of objects as the shipped
// levels place them (a picture with its serving waypoint and what it becomes: a building site
// with its waypoint and the building it raises), learnt from those levels so that a placed
// object gets exactly the fields its descriptor needs there. Waypoints of their own (a plain
// one, the camp, the exit) are entries too.
struct PaletteEntry {
  enum class Kind { Scenery, Obstacle, Building, Camp, Helper, Flyer, Puzzle };
  static constexpr int kKinds = 7;

  Kind kind = Kind::Scenery;
  int cls = 0;
  int subclass = 0;
  std::string texture;  // the picture (empty for waypoints)
  // The objects as level-file lines, positions relative to the entry's picture; the picture's
  // own line is the first line that is not a waypoint.
  std::vector<std::string> lines;
};

class EditorPalette {
 public:
  // Learns the entries from level texts (the first use of each class, subclass and texture
  // wins), adding the waypoint entries. Grounds (pictures as large as the level) are scenery
  // entries too; masks are left out.
  void Learn(const GameDescriptors& descriptors, const std::vector<std::string>& levelTexts);

  const std::vector<PaletteEntry>& Entries() const { return entries_; }
  std::vector<const PaletteEntry*> OfKind(PaletteEntry::Kind kind) const;
  // The grounds: scenery pictures that cover the level.
  std::vector<std::string> Grounds() const { return grounds_; }
  // An entry by its picture (or, for waypoints, "wp:SUBCLASS"); null when none.
  const PaletteEntry* Find(std::string_view name) const;

  // The string key that names a kind ("editor_kind_...").
  static const char* KindKey(PaletteEntry::Kind kind);

 private:
  std::vector<PaletteEntry> entries_;
  std::vector<std::string> grounds_;
};
