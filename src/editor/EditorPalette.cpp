#include "editor/EditorPalette.h"

#include <cmath>
#include <set>
#include <tuple>

#include "editor/AttributeLine.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/LevelWriter.h"

namespace {

// A line with its position moved by (-dx, -dy).
std::string Relative(const std::string& text, Vec2 origin) {
  std::optional<AttributeLine> line = AttributeLine::Parse(text);
  if (!line) return text;
  const std::string pos = line->Value("pos").value_or("0,0");
  const size_t comma = pos.find(',');
  const double x = std::atof(pos.substr(0, comma).c_str());
  const double y = comma == std::string::npos ? 0 : std::atof(pos.substr(comma + 1).c_str());
  line->SetValue("pos", std::to_string(long(std::lround(x - origin.x))) + "," +
                            std::to_string(long(std::lround(y - origin.y))));
  return line->Format();
}

// A waypoint line; a camp waypoint names its house in its respawn value.
std::string WaypointLine(int id, int subclass, int dx, int dy, int house = 0) {
  return "<object id=\"" + std::to_string(id) + "\" class=\"3\" subclass=\"" +
         std::to_string(subclass) + "\" pos=\"" + std::to_string(dx) + "," + std::to_string(dy) +
         "\" size=\"20.00,14.00\" " +
         (house ? "respawn=\"" + std::to_string(house) + ",0\" " : std::string()) + "/>";
}

}  // namespace

const char* EditorPalette::KindKey(PaletteEntry::Kind kind) {
  static const char* const kKeys[PaletteEntry::kKinds] = {
      "editor_kind_scenery", "editor_kind_obstacles", "editor_kind_buildings", "editor_kind_camps",
      "editor_kind_helpers", "editor_kind_flyers",    "editor_kind_puzzle"};
  return kKeys[int(kind)];
}

void EditorPalette::Learn(const GameDescriptors& descriptors,
                          const std::vector<std::string>& levelTexts) {
  entries_.clear();
  grounds_.clear();
  using Kind = PaletteEntry::Kind;
  // The waypoints: the camp (where ordinary workers live), a plain one and the exit.
  for (const auto& [subclass, kind] :
       {std::pair{1, Kind::Camp}, std::pair{0, Kind::Camp}, std::pair{13, Kind::Camp}}) {
    PaletteEntry e;
    e.kind = kind;
    e.cls = 3;
    e.subclass = subclass;
    e.lines = {WaypointLine(1, subclass, 0, 0)};
    entries_.push_back(std::move(e));
  }
  std::set<std::tuple<int, int, std::string>> seen;
  for (const std::string& text : levelTexts) {
    Level level(descriptors);
    if (!level.ReadLevel(text) || !IsOrdinary(level.mode)) continue;
    const std::string written = LevelWriter(level, LevelWriter::Form::Authored).Write();
    std::vector<std::string> lines;
    for (size_t start = 0; start < written.size();) {
      size_t end = written.find('\n', start);
      if (end == std::string::npos) end = written.size();
      lines.push_back(written.substr(start, end - start));
      start = end + 1;
    }
    for (size_t i = 0; i < level.objects.size(); ++i) {
      const WorldObject& o = *level.objects[i];
      const bool placeable = o.cls != WorldObject::kWaypoint && o.cls != WorldObject::kEffectSpot &&
                             o.cls != WorldObject::kWorker && !o.Hidden() &&
                             !o.HasAny(ObjectFlags::kMask) && !o.texture.empty();
      if (!placeable || !seen.insert({o.cls, o.subclass, o.texture}).second) continue;
      PaletteEntry e;
      e.cls = o.cls;
      e.subclass = o.subclass;
      e.texture = o.texture;
      const bool ground = o.size.x >= 600 && o.size.y >= 350;
      if (ground) grounds_.push_back(o.texture);
      switch (o.cls) {
        case WorldObject::kObstacle:
          e.kind = o.texture.find("site") != std::string::npos ? Kind::Building : Kind::Obstacle;
          break;
        case WorldObject::kBuilding:
          e.kind =
              o.desc && o.desc->type == ObjectDesc::kWorkersHouse ? Kind::Camp : Kind::Building;
          break;
        case WorldObject::kLandmark:
          e.kind = Kind::Helper;
          break;
        case WorldObject::kFlyer:
        case WorldObject::kBird:
          e.kind = Kind::Flyer;
          break;
        case WorldObject::kPuzzlePiece:
          e.kind = Kind::Puzzle;
          break;
        case WorldObject::kFillable:
          e.kind = Kind::Obstacle;
          break;
        default:
          e.kind = Kind::Scenery;
      }
      // The group as this level has it: serving waypoints, the picture, what it becomes.
      std::vector<size_t> members;
      for (size_t k = 0; k < level.objects.size(); ++k) {
        const WorldObject& w = *level.objects[k];
        if (w.cls == WorldObject::kWaypoint && w.linkId == o.id) members.push_back(k);
      }
      members.push_back(i);
      std::set<const WorldObject*> chain{&o};
      for (const WorldObject* next = o.link;
           next && next->Hidden() && next->cls != WorldObject::kWaypoint &&
           chain.insert(next).second;
           next = next->link) {
        for (size_t k = 0; k < level.objects.size(); ++k)
          if (level.objects[k].get() == next) members.push_back(k);
      }
      for (const size_t k : members) e.lines.push_back(Relative(lines[2 + k], o.position));
      // A workers' house comes with its camp waypoint at its foot.
      if (e.kind == Kind::Camp)
        e.lines.push_back(WaypointLine(0xFFFF, 1, 0, -int(std::lround(o.size.y * 0.6f)), o.id));
      entries_.push_back(std::move(e));
    }
  }
}

std::vector<const PaletteEntry*> EditorPalette::OfKind(PaletteEntry::Kind kind) const {
  std::vector<const PaletteEntry*> out;
  for (const PaletteEntry& e : entries_)
    if (e.kind == kind) out.push_back(&e);
  return out;
}

const PaletteEntry* EditorPalette::Find(std::string_view name) const {
  for (const PaletteEntry& e : entries_) {
    if (e.cls == 3 ? name == "wp:" + std::to_string(e.subclass) : name == e.texture) return &e;
  }
  return nullptr;
}
