#include "level/LevelReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <span>
#include <unordered_set>

#include "data/XmlDocument.h"
#include "level/DescriptorServices.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/LevelServices.h"

namespace {

// Positions, sizes and speeds beyond this are content errors; the bound keeps geometry and
// the two-decimal text form exact enough.
constexpr float kMaxCoordinate = 1000000.0f;
// Respawn ranges in seconds and animation pauses in 10 ms units stay small enough that
// their millisecond values fit an int.
constexpr int kMaxRespawn = 1000000;
constexpr int kMaxPause = 100000000;
constexpr int kMaxSheetCells = 1024;
constexpr int kMaxFrame = 65536;
constexpr int kMaxFrameTime = 1000000;
// Speeds: walking speed in its units, work speed in percent.
constexpr int kMaxPercent = 100000;

float Real(float v) {
  return std::isfinite(v) ? std::clamp(v, -kMaxCoordinate, kMaxCoordinate) : 0.0f;
}

Vec2 ReadVec2(const XmlElement& e, std::string_view attr) {
  float xy[2] = {0, 0};
  e.Floats(attr, xy);
  return Vec2{Real(xy[0]), Real(xy[1])};
}

template <size_t N>
std::array<int, N> ReadInts(const XmlElement& e, std::string_view attr) {
  std::array<int, N> v{};
  e.Ints(attr, v);
  return v;
}

template <size_t N>
void ReadIntsInto(const XmlElement& e, std::string_view attr, std::array<int, N>& out) {
  if (e.Has(attr)) out = ReadInts<N>(e, attr);
}

// A list of at most limit ints.
std::vector<int> ReadIntList(const XmlElement& e, std::string_view attr, size_t limit) {
  const int count = e.Count(attr);
  if (count <= 0) return {};
  return e.Ints(attr, std::min(size_t(count), limit));
}

int ReadClamped(const XmlElement& e, std::string_view attr, int def, int lo, int hi) {
  return std::clamp(e.Int(attr, def), lo, hi);
}

}  // namespace

namespace {

// At most `limit` bytes of UTF-8 text, cut before a character that would not fit.
std::string Clip(std::string text, size_t limit) {
  if (text.size() <= limit) return text;
  size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text;
}

// A language tag as the string tables' folders are named: 2 to 8 lowercase letters.
bool IsLanguageTag(std::string_view tag) {
  if (tag.size() < 2 || tag.size() > 8) return false;
  return std::all_of(tag.begin(), tag.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

}  // namespace

void LevelReader::ReadText(const XmlElement& e) {
  LevelText t;
  t.language = e.Text("lang");
  if (!IsLanguageTag(t.language) || level_.texts.size() >= LevelText::kMaxLanguages) return;
  for (const LevelText& other : level_.texts)
    if (other.language == t.language) return;
  t.name = Clip(e.Text("name"), LevelText::kMaxNameBytes);
  t.message = Clip(e.Text("message"), LevelText::kMaxMessageBytes);
  level_.texts.push_back(std::move(t));
}

bool LevelReader::Fail(std::string_view why) {
  level_.readError = std::string(why);
  return false;
}

bool LevelReader::Read(std::string_view text) {
  level_.Reset();
  XmlDocument doc;
  doc.Parse(text);
  const XmlElement root = doc.FirstChild(XmlElement(), "level");
  if (!root) return Fail("no level element");

  ReadSettings(root);
  if (level_.state == LevelState::Saved && root.Has("episode") && root.Has("level")) {
    const int episode = root.Int("episode", 0);
    const int number = root.Int("level", 0);
    const bool valid = episode >= 1 && episode <= Level::kEpisodes && number >= 1 &&
                       number <= Level::kLevelsPerEpisode;
    if (valid) {
      level_.episode = episode;
      level_.levelNumber = number;
    } else if (IsOrdinary(level_.mode)) {
      // A saved game names the level it continues; a position outside the campaign would
      // index the progress records out of range, so the save is not used.
      return Fail("saved level outside the campaign");
    }
  }
  if (level_.mode == LevelMode::MiniGame) {
    if (level_.Services()) level_.Services()->LoadMiniGame(level_);
    const MiniGameTable& games = level_.Descriptors().MiniGames();
    MiniGameTable::Apply(games.Find(level_.episode, level_.levelNumber), level_);
  }

  size_t objectCount = 0;
  for (XmlElement e = root.FirstChild(); e; e = e.NextSibling()) {
    const std::string_view name = e.Name();
    if (name == "object" || name == "worker") {
      if (++objectCount > Level::kMaxObjects) return Fail("too many objects");
      ReadObject(e, name == "worker");
    } else if (name == "trophy") {
      const int id = e.Int("id", 0);
      if (id >= 0 && id < Level::kTrophyCount &&
          level_.trophies.size() < Level::kMaxScreenEntries) {
        level_.trophies.push_back(id);
      }
    } else if (name == "text") {
      ReadText(e);
    } else if (name == "objective") {
      if (level_.objectivePanel.size() < Level::kMaxScreenEntries) {
        level_.objectivePanel.push_back(e.Int("id", 0));
      }
    } else if (name == "obstacle" || name == "bonus") {
      Level::SavedTimer t;
      t.kind = name == "bonus" ? Level::SavedTimer::kBonus : Level::SavedTimer::kObstacle;
      t.id = e.Int("id", 0);
      t.cur = std::max(0, e.Int("cur", 0));
      t.max = std::max(0, e.Int("max", 0));
      const bool valid =
          t.kind == Level::SavedTimer::kObstacle || (t.id >= 0 && t.id < Level::kBonusCount);
      if (valid && level_.savedTimers.size() < Level::kMaxScreenEntries) {
        level_.savedTimers.push_back(t);
      }
    } else {
      if (level_.Services()) level_.Services()->ShowMessage("Unknown section");
      return Fail("Unknown section");
    }
  }
  Finish();

  // The queued commands name waypoints; anything else is dropped.
  const std::vector<int> commands = ReadIntList(root, "commands", Level::kMaxCommands);
  for (const int id : commands) {
    const WorldObject* o = level_.FindObject(id);
    if (o && o->cls == WorldObject::kWaypoint) level_.commandQueue.push_back(id);
  }
  return true;
}

void LevelReader::ReadSettings(const XmlElement& r) {
  Level& l = level_;
  l.mode = LevelMode(r.Int("mode", 0));
  l.music = r.Int("music", 0);
  l.fogColor = r.Hex("fog_color", 0);
  l.fogHeight = r.Int("fog_height", 0);
  l.effect = r.Int("effect", 0);
  l.timeEasy = r.Int("time_easy", 0);
  l.timeNorm = r.Int("time_norm", 0);
  l.timeHard = r.Int("time_hard", 0);
  l.runSpeed = float(std::clamp(r.Int("run_speed", 15), 0, kMaxPercent));
  l.storage = r.Int("storage", 20);
  l.thiefPeriod = std::max(0, r.Int("thief_per", 0));
  l.respSpeed = r.Int("resp_speed", 100);
  l.flyType = std::clamp(r.Int("fly_type", 0), 0, std::max(0, l.Descriptors().FlyingCount() - 1));
  l.flyTime = std::max(0, r.Int("fly_time", 0));
  l.resources = ReadInts<3>(r, "resources");
  l.questRes = ReadInts<3>(r, "quest_res");
  l.flags = r.Int("flags", 0);
  l.collected = ReadInts<3>(r, "collected");
  l.bonusSpeed = r.Int("bonus_speed", 100);
  l.bonusUsed = r.Int("bonus_used", 0);
  l.obelisks = r.Int("obelisks", 0);
  l.resDemeter = r.Int("res_demeter", 0);
  l.birdsHunted = r.Int("birds_hunted", 0);
  l.resThieved = r.Bool("res_thieved", false);
  l.puzzleCollected = r.Bool("puzzle_collect", false);
  l.bonusCost = ReadInts<6>(r, "bonus_cost");
  l.state = LevelState(r.Int("state", 0));
  l.gameTime = r.Int("game_time", 0);
  l.flyElapsed = r.Int("fly_cur", 0);
  l.levelTime = r.Int("level_time", 0);
  l.bonusTime = r.Int("bonus_time", 0);
  ReadIntsInto(r, "quest_res_collect", l.questResCollect);
  if (r.Has("quest_objects")) {
    const auto q = ReadInts<2>(r, "quest_objects");
    l.questObjectsNeeded = q[0];
    l.questObjectsFound = q[1];
  }
  // Only a line with a text is a pending dialog.
  const SpeechLine dialog = SpeechLine::FromArray(ReadInts<SpeechLine::kFields>(r, "dialog"));
  l.dialog = dialog.text > 0 ? dialog : SpeechLine{};
  l.workersFree = r.Int("workers_free", 0);
  l.workerTypes = r.Int("worker_types", 1);
  // Percent; bounded so that the factor converts back to the same whole percent.
  l.buildSpeed = float(std::clamp(r.Int("build_speed", 100), 0, kMaxPercent)) * 0.01f;
}

void LevelReader::ReadObject(const XmlElement& e, bool workerElement) {
  Level& l = level_;
  auto owned = std::make_unique<WorldObject>();
  WorldObject& o = *owned;
  o.cls = uint16_t(e.Int("class", 0));
  o.texture = o.cls == WorldObject::kWaypoint     ? "wp"
              : o.cls == WorldObject::kEffectSpot ? "fx"
                                                  : e.Text("tex");
  const bool isWorker = workerElement || o.cls == WorldObject::kWorker;
  ReadObjectFields(e, o);

  // Workers never cover the level; taking the mask name only from objects also keeps it
  // the same after saving, where every worker follows the objects.
  if (o.Has(ObjectFlags::kMask) && !isWorker) l.maskName = o.texture;
  if (o.Has(ObjectFlags::kObjective)) ++l.openObjectives;
  if (o.cls == WorldObject::kPuzzlePiece && !o.Hidden() && l.Services() &&
      l.Services()->PuzzlePieceFound(l.episode, l.levelNumber)) {
    o.Set(ObjectFlags::kHidden);
  }

  if (isWorker) {
    ReadWorkerFields(e, o);
    if (o.sprite) o.sprite->step = 0;
    l.workers.push_back(std::move(owned));
    return;
  }

  l.nextId = std::max(l.nextId, int(o.id) + 1);
  // Ordinary levels draw their workers after the camp waypoint, mini-games after the hero's
  // base; without a known hero no waypoint marks the layer.
  const int layerWaypoint = IsOrdinary(l.mode) ? 1 : l.heroType >= 0 ? l.heroType + 1 : -1;
  if (!workerLayerFound_ && o.cls == WorldObject::kWaypoint && o.subclass == layerWaypoint) {
    workerLayerFound_ = true;
    l.workerLayer = int(l.objects.size()) + 1;
  }
  if (o.cls == WorldObject::kWaypoint) {
    WaypointNode node;
    node.index = int(l.waypoints.size());
    node.waypoint = &o;
    o.waypoint = node.index;
    // Base list k holds the waypoints of subclass k + 1; other subclasses belong to none.
    if (o.subclass >= 1 && o.subclass <= Level::kBaseLists) {
      l.bases[size_t(o.subclass - 1)].push_back(node.index);
    }
    l.waypoints.push_back(node);
  }
  if (o.cls == WorldObject::kFog && o.subclass != 0 && !o.Hidden()) {
    char name[16];
    std::snprintf(name, sizeof name, "fog%02d", int(o.subclass));
    o.marker = EffectRef{name, 0, 0, true};
  }
  l.objects.push_back(std::move(owned));
}

void LevelReader::ReadObjectFields(const XmlElement& e, WorldObject& o) {
  o.id = uint16_t(e.Int("id", 0));
  o.subclass = uint16_t(e.Int("subclass", 0));
  o.flags = ObjectFlags::Parse(e.Attribute("flags").value_or(std::string_view{}));
  o.position = ReadVec2(e, "pos");
  o.size = ReadVec2(e, "size");
  o.rotation = Real(e.Float("rot", 0));
  o.UpdateQuad();
  o.texSpeed = ReadVec2(e, "tex_speed");
  const auto respawn = ReadInts<2>(e, "respawn");
  o.respawnMin = std::clamp(respawn[0], -kMaxRespawn, kMaxRespawn);
  o.respawnMax = std::clamp(respawn[1], -kMaxRespawn, kMaxRespawn);
  o.animPause = ReadInts<3>(e, "animtime");
  for (int& v : o.animPause) v = std::clamp(v, -kMaxPause, kMaxPause);
  o.pulseDesc = e.Int("ani_ref", 0);
  if (o.cls == WorldObject::kWaypoint) o.links = ReadInts<3>(e, "links");
  o.linkId = e.Int("obj_link", 0);
  o.stamp = e.Int("start_time", 0);
  o.respawnLeft = e.Int("resp_time", 0);

  const auto sprite = ReadInts<6>(e, "sprite");
  if (sprite[2] != 0) {
    SpriteAnim s;
    s.columns = std::clamp(sprite[0], 1, kMaxSheetCells);
    s.rows = std::clamp(sprite[1], 1, kMaxSheetCells);
    s.frameTime = std::clamp(sprite[2], -kMaxFrameTime, kMaxFrameTime);
    s.loopStart = std::clamp(sprite[3], 0, kMaxFrame);
    s.frameCount = std::clamp(sprite[4], 0, kMaxFrame);
    s.startFrame = std::clamp(sprite[5], 0, kMaxFrame);
    // A fresh level's sprites play from their start frame; a save says where they were.
    s.current = s.startFrame;
    s.step = 1;
    if (e.Has("sprite_state")) {
      const auto st = ReadInts<3>(e, "sprite_state");
      s.current = std::clamp(st[0], 0, kMaxFrame);
      s.elapsed = float(std::clamp(st[1], 0, kMaxFrameTime));
      s.step = std::clamp(st[2], 0, 1);
    }
    o.sprite = s;
    o.Set(ObjectFlags::kSprite);
  } else {
    // Without an animation the sprite flag would promise one that is not there.
    o.Set(ObjectFlags::kSprite, false);
  }
  if (o.Has(ObjectFlags::kDialog)) {
    o.dialog = SpeechLine::FromArray(ReadInts<SpeechLine::kFields>(e, "dialog"));
  }
  const auto alpha = ReadInts<2>(e, "alpha_state");
  o.fadeDir = std::clamp(alpha[0], -2, 2);
  o.fadeValue = float(std::clamp(alpha[1], 0, WorldObject::kFullFade));
}

void LevelReader::ReadWorkerFields(const XmlElement& e, WorldObject& o) {
  WorkerState w;
  w.direction = ReadClamped(e, "work_angle", 0, -1, 7);
  w.animation = ReadClamped(e, "work_anim", 0, -1, GameDescriptors::kWorkerAnims - 1);
  w.home = e.Int("dest_wp", 0);
  w.returning = e.Bool("reverse", false);
  w.legTarget = ReadVec2(e, "work_dest");
  w.path = ReadIntList(e, "work_path", Level::kMaxPath);
  o.worker = std::move(w);
}

void LevelReader::CheckWorkerRoutes(WorldObject& o) {
  if (!o.worker) return;
  WorkerState& w = *o.worker;
  const int count = int(level_.waypoints.size());
  const auto valid = [count](int index) { return index >= 0 && index < count; };
  const bool homeValid = valid(w.home) || w.home == 0;
  const bool pathValid =
      w.path.size() <= size_t(count) && std::all_of(w.path.begin(), w.path.end(), valid);
  if (homeValid && pathValid) return;
  // The route names waypoints the level does not have: the worker starts again at home,
  // hidden, idle and with no route.
  if (!homeValid) w.home = 0;
  w.path.clear();
  w.returning = false;
  w.direction = -1;
  o.Set(ObjectFlags::kBusy | ObjectFlags::kAtWork | ObjectFlags::kPose, false);
  o.Set(ObjectFlags::kHidden);
}

void LevelReader::Finish() {
  Level& l = level_;
  l.objectCount = int(l.objects.size());
  if (!workerLayerFound_) l.workerLayer = l.objectCount;

  // The mask object's partner texture covers the level. Added once: a saved level already
  // carries it.
  if (!l.maskName.empty() && l.Textures()) {
    const std::string maskTexture = l.maskName + "_mask";
    const bool present = std::any_of(l.objects.begin(), l.objects.end(),
                                     [&](const auto& o) { return o->texture == maskTexture; });
    if (!present && l.Textures()->HasTexture(maskTexture) && l.nextId <= 0xFFFF &&
        l.objects.size() + l.workers.size() < Level::kMaxObjects) {
      l.AddObject(l.objects, l.nextId, maskTexture, Vec2{0, 0});
      ++l.nextId;
    }
  }

  l.ResolveAllLinks();
  for (const auto& o : l.objects) CheckWorkerRoutes(*o);
  for (const auto& w : l.workers) CheckWorkerRoutes(*w);
}
