#include "level/Level.h"

#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "base/ContentLog.h"
#include "data/FileSystem.h"
#include "level/DescriptorServices.h"
#include "level/GameDescriptors.h"
#include "level/LevelReader.h"
#include "level/LevelWriter.h"

Level::Level(const GameDescriptors& descriptors, DescriptorServices* textures,
             LevelServices* services)
    : descriptors_(descriptors), textures_(textures), services_(services) {}

void Level::Reset() { static_cast<LevelData&>(*this) = LevelData(); }

std::string Level::LevelFileName(int episode, int level) {
  char name[64];
  std::snprintf(name, sizeof name, "level_%02d_%02d.xml", episode, level);
  return name;
}

bool Level::ReadLevel(std::string_view text) { return LevelReader(*this).Read(text); }

bool Level::LoadLevelFile(FileSystem& fs, int episodeNumber, int level) {
  episode = episodeNumber;
  levelNumber = level;
  const FileData file = fs.Read(LevelFileName(episodeNumber, level));
  const std::string name = LevelFileName(episodeNumber, level);
  if (!file) {
    Reset();
    readError = "missing level file";
    content_log::Missing(content_log::Kind::File, name);
    return false;
  }
  const std::string text(file.Text());
  fs.Release(file.data);
  if (ReadLevel(text)) return true;
  content_log::BadFile(name, readError);
  return false;
}

std::string Level::WriteLevel() const { return LevelWriter(*this).Write(); }

const LevelText* Level::TextIn(std::string_view language) const {
  for (const std::string_view wanted : {language, std::string_view("en")})
    for (const LevelText& t : texts)
      if (t.language == wanted) return &t;
  return texts.empty() ? nullptr : &texts.front();
}

bool Level::CanSave() const {
  return medal != Medal::None && IsOrdinary(mode) && !ended && !objects.empty();
}

std::optional<std::string> Level::SaveLevel() const {
  if (!CanSave()) return std::nullopt;
  return WriteLevel();
}

WorldObject& Level::AddObject(ObjectList& list, int id, std::string texture, Vec2 position) {
  auto object = std::make_unique<WorldObject>();
  object->id = uint16_t(id);
  object->respawnLeft = 0;
  if (textures_ && textures_->IsMaskTexture(texture)) {
    object->position = Vec2{0, 0};
    object->size = Vec2{640, 384};
    object->Set(ObjectFlags::kMask);
  } else {
    object->position = Vec2{std::trunc(position.x), std::trunc(position.y)};
  }
  object->texture = std::move(texture);
  object->UpdateQuad();
  list.push_back(std::move(object));
  return *list.back();
}

WorldObject* Level::FindObject(int id) const {
  for (const auto& o : objects) {
    if (o->id == id) return o.get();
  }
  return nullptr;
}

WaypointNode* Level::NodeOf(const WorldObject& object) {
  if (object.cls != WorldObject::kWaypoint || object.waypoint < 0 ||
      size_t(object.waypoint) >= waypoints.size()) {
    return nullptr;
  }
  return &waypoints[size_t(object.waypoint)];
}

template <class Lookup>
void Level::Resolve(WorldObject& object, const Lookup& find) {
  object.desc = descriptors_.ForClass(object.cls, object.subclass);
  object.link = object.linkId != 0 ? find(object.linkId) : nullptr;
  if (object.link) object.link->backLink = &object;

  if (WaypointNode* node = NodeOf(object)) {
    for (int i = 0; i < 3; ++i) {
      node->neighbours[size_t(i)] = -1;
      const int id = object.links[size_t(i)];
      WorldObject* target = id != 0 ? find(id) : nullptr;
      // Only waypoints carry a node; links to anything else stay empty.
      WaypointNode* other = target ? NodeOf(*target) : nullptr;
      if (!other) continue;
      node->neighbours[size_t(i)] = other->index;
      // Record the link on the other side once, in its first free back slot.
      for (int slot = 3; slot < 6; ++slot) {
        int& back = other->neighbours[size_t(slot)];
        if (back == node->index) break;
        if (back < 0) {
          back = node->index;
          target->backLinks[size_t(slot - 3)] = object.id;
          break;
        }
      }
    }
  }

  if (object.cls == WorldObject::kEffectSpot) {
    if (const EffectParticle* p = descriptors_.EffectParticles(object.subclass)) {
      object.particles = EffectRef{p->effect, p->x, p->y, true};
    }
  }
}

void Level::ResolveLinks(WorldObject& object) {
  Resolve(object, [this](int id) { return FindObject(id); });
}

void Level::ResolveAllLinks() {
  std::unordered_map<int, WorldObject*> byId;
  byId.reserve(objects.size());
  for (const auto& o : objects) byId.emplace(o->id, o.get());  // the first of an id wins
  for (WaypointNode& node : waypoints) node.neighbours.fill(-1);
  for (const ObjectList* list : {&objects, &workers}) {
    for (const auto& o : *list) {
      o->backLinks.fill(0);
      o->backLink = nullptr;
    }
  }
  const auto find = [&byId](int id) -> WorldObject* {
    const auto it = byId.find(id);
    return it == byId.end() ? nullptr : it->second;
  };
  for (const auto& o : objects) Resolve(*o, find);
  for (const auto& w : workers) Resolve(*w, find);
}
