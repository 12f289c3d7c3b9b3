// The lint checks of every level file: it reads and survives a round trip, its mode, music,
// records and speech exist, its objects are sound (classes, descriptors, textures, positions,
// links, flags), its links do not go round in a circle and its sprites can play; the map's
// markers name what exists. Ordinary levels go on to the checks of LintPlayable.cpp.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "progress/Progress.h"
#include "data/Language.h"
#include "data/XmlDocument.h"
#include "content_check/LevelRoundTrip.h"
#include "content_check/LintRun.h"
#include "level/Level.h"
#include "level/WorldObject.h"

namespace {

// Half the level's plane.
constexpr float kWorldHalfW = 640.0f;
constexpr float kWorldHalfH = 384.0f;

}  // namespace

LintRun::LevelFiles LintRun::ListLevelFiles() {
  LevelFiles files;
  for (const FileInfo& info : fs_.List("", "level_")) {
    int episode = 0, level = 0;
    if (ParseLevelFileName(info.key, episode, level)) files[{episode, level}] = info.key;
  }
  return files;
}

void LintRun::CheckLevels() {
  const LevelFiles files = ListLevelFiles();
  if (!files.count({0, 0})) Problem("content", "no episode map (level_00_00.xml)");
  if (!files.count({1, 1})) Problem("content", "no first level (level_01_01.xml)");
  for (const auto& [position, file] : files) {
    const FileData data = fs_.Read(file);
    const std::string text(data.Text());
    fs_.Release(data.data);
    CheckLevel(file, text, position.first, position.second, files);
  }
}

void LintRun::CheckLevel(const std::string& file, const std::string& text, int episode,
                         int number, const LevelFiles& files) {
  Level level(descriptors_, folderMedia_.get());
  level.episode = episode;
  level.levelNumber = number;
  if (!level.ReadLevel(text)) {
    Problem(file, "cannot be read: " + level.readError);
    return;
  }
  for (const std::string& p :
       CheckLevelRoundTrip(text, episode, number, descriptors_, folderMedia_.get())) {
    Problem(file, p);
  }

  const bool map = episode == 0 && number == 0;
  const bool ordinary = IsOrdinary(level.mode);
  if (map && level.mode != LevelMode::Still) Problem(file, "the episode map should be of mode 2");
  if (!map && !ordinary && level.mode != LevelMode::MiniGame) {
    Problem(file, "unknown mode " + Str(int(level.mode)));
  }
  if (level.music != 0) {
    const std::string music = Format("level_music_%02d", level.music);
    if (lint_.options_.media && !folderMedia_->HasSound(music)) Missing(file, "music", music);
  }
  if (level.flyTime != 0 && descriptors_.FlyingCount() == 0) {
    Problem(file, "flying creatures are asked for but anim_params has no Flying entry");
  }
  if (!map && episode >= 1 && descriptors_.DevRecords().count(episode * 100 + number) == 0) {
    Problem(file, "no developer record in dev_records (key " + Str(episode * 100 + number) + ")");
  }
  CheckSpeech(file, "level dialog", level.dialog);
  // A level's own texts are shown in the player's language: one in no language of the game
  // is never seen.
  for (const LevelText& t : level.texts) {
    if (LanguageNumber(t.language) == 0) Warning(file, "text in a language the game has not: " + t.language);
  }

  std::map<int, const WorldObject*> byId;
  for (const auto& o : level.objects) {
    if (!byId.emplace(o->id, o.get()).second) {
      Problem(file, "id " + Str(o->id) + " is used twice", o->id);
    }
  }
  for (const auto& o : level.objects) CheckObject(file, level, *o);
  for (const auto& w : level.workers) CheckObject(file, level, *w);
  CheckLinkCycles(file, level);
  CheckSprites(file, text);
  if (map) {
    CheckMap(file, level, files);
  } else if (level.mode == LevelMode::MiniGame) {
    CheckMiniGame(file, level);
  } else if (ordinary) {
    CheckPlayable(file, level);
    CheckClickAreas(file, level);
    CheckHints(file, text);
    CheckScript(file, text, level);
  }
}

void LintRun::CheckSpeech(const std::string& file, const std::string& what,
                          const SpeechLine& line) {
  if (line.text <= 0) return;
  if (!descriptors_.DialogPictureName(line.speaker)) {
    Problem(file, what + ": speaker " + Str(line.speaker) + " is not in dialog_pictures");
  }
  if (!speech_) {
    speech_ = std::make_unique<StringTable>(fs_);
    speech_->Load("strings");
    speech_->Load("story");
  }
  const std::string key = Format("dialog_%04d", line.text);
  if (speech_->Get(key).empty()) Problem(file, what + ": no string " + key);
}

void LintRun::CheckObject(const std::string& file, const Level& level, const WorldObject& o) {
  const AboutObject about(*this, o.id);
  const std::string where = file + ": object " + Str(o.id);
  const auto problem = [&](const std::string& what) { Problem(where, what); };
  if (o.cls > WorldObject::kBird) problem("unknown class " + Str(o.cls));
  if (o.cls == WorldObject::kObstacle || o.cls == WorldObject::kBuilding ||
      o.cls == WorldObject::kLandmark) {
    if (!o.desc) problem("class " + Str(o.cls) + " has no descriptor " + Str(o.subclass));
  }
  if (o.cls != WorldObject::kWaypoint && o.cls != WorldObject::kEffectSpot) {
    if (o.texture.empty()) {
      problem("has no texture");
    } else {
      LevelTexture(where, o.texture);
      if (o.cls == WorldObject::kFillable) LevelTexture(where, o.texture + "_fill");
    }
  }
  // The level is a plane of 1280 x 768 around the origin; the map scrolls over three.
  const bool map = level.mode == LevelMode::Still;
  if (!map && o.cls != WorldObject::kWorker &&
      (std::fabs(o.position.x) > kWorldHalfW || std::fabs(o.position.y) > kWorldHalfH)) {
    problem("stands outside the world at " + Str(int(o.position.x)) + "," + Str(int(o.position.y)));
  }
  if (o.Has(ObjectFlags::kStateSprite) && !o.sprite) {
    problem("shows its changes by playing its sprite (flag j) but has no sprite");
  }
  if (o.cls == WorldObject::kObstacle && o.Has(ObjectFlags::kPassable) &&
      !o.Has(ObjectFlags::kNoRespawn) && o.respawnMax == 0 && o.respawnMin == 0 &&
      o.respawnLeft == 0) {
    problem(
        "is passable without a respawn range or flag h: it would wait to grow back for "
        "ever");
  }
  if (o.cls == WorldObject::kWaypoint) {
    if (o.subclass > Level::kBaseLists)
      problem("waypoint subclass " + Str(o.subclass) + " is no base");
    for (const int id : o.links) {
      if (id == 0) continue;
      const WorldObject* target = level.FindObject(id);
      if (!target || target->cls != WorldObject::kWaypoint) {
        problem("links to " + Str(id) + ", which is no waypoint");
      }
    }
  }
  if (o.linkId != 0 && !level.FindObject(o.linkId)) {
    problem("obj_link names " + Str(o.linkId) + ", which does not exist");
  }
  if (const WorldObject* l = o.link) {
    const bool waypoint = o.cls == WorldObject::kWaypoint;
    const bool toWaypoint = l->cls == WorldObject::kWaypoint;
    if (l == &o) {
      problem("links to itself");
    } else if (waypoint && toWaypoint) {
      problem("is a waypoint whose object is waypoint " + Str(l->id));
    } else if (toWaypoint && o.cls != WorldObject::kBuilding) {
      problem("links to waypoint " + Str(l->id) +
              "; only buildings reach their product sites through waypoints");
    } else if (o.cls == WorldObject::kBuilding && !toWaypoint && l->cls != WorldObject::kScenery &&
               l->cls != WorldObject::kObstacle && l->cls != WorldObject::kBuilding) {
      problem("is a building linked to object " + Str(l->id) + " of class " + Str(l->cls) +
              " (its product site's waypoint, its scaffold or a building expected)");
    }
  }
  if (o.cls == WorldObject::kEffectSpot && !descriptors_.EffectParticles(o.subclass)) {
    problem("effect spot " + Str(o.subclass) + " is not in particles_info");
  }
  if (o.cls == WorldObject::kFog && o.subclass != 0) Effect(where, Format("fog%02d", o.subclass));
  if (o.dialog) CheckSpeech(file, "object " + Str(o.id) + " dialog", *o.dialog);
}

void LintRun::CheckLinkCycles(const std::string& file, const Level& level) {
  std::set<const WorldObject*> reported;
  for (const auto& start : level.objects) {
    std::vector<const WorldObject*> chain;
    for (const WorldObject* o = start.get(); o && chain.size() <= level.objects.size();
         o = o->link) {
      const auto seen = std::find(chain.begin(), chain.end(), o);
      if (seen != chain.end()) {
        if (reported.insert(*std::min_element(seen, chain.end())).second) {
          std::string ids;
          for (auto it = seen; it != chain.end(); ++it) ids += Str((*it)->id) + " -> ";
          Problem(file, "the links go round in a circle: " + ids + Str((*seen)->id),
                  (*seen)->id);
        }
        break;
      }
      chain.push_back(o);
    }
  }
}

void LintRun::CheckSprites(const std::string& file, const std::string& text) {
  XmlDocument doc;
  doc.Parse(text);
  const XmlElement root = doc.FirstChild(XmlElement(), "level");
  for (XmlElement e = root.FirstChild(); e; e = e.NextSibling()) {
    if (!e.Has("sprite")) continue;
    std::array<int, 6> v{};
    e.Ints("sprite", v);
    const auto [columns, rows, time, loop, count, start] = v;
    if (time == 0) continue;  // no animation
    const AboutObject about(*this, e.Int("id", 0));
    const std::string where = file + ": object " + Str(e.Int("id", 0)) + ": sprite";
    if (time < 0) Problem(where, "cannot play: its frame time is below zero");
    if (columns < 1 || rows < 1) Problem(where, "has no columns or no rows");
    const int64_t cells = int64_t(std::max(columns, 1)) * std::max(rows, 1);
    const int64_t frames = count > 0 ? count : cells;
    if (count > cells) Problem(where, "has more frames than its sheet");
    if (loop < 0 || loop >= frames) Problem(where, "starts its loop past its last frame");
    if (start < 0 || start >= frames) Problem(where, "starts past its last frame");
  }
}

void LintRun::CheckMap(const std::string& file, const Level& level, const LevelFiles& files) {
  for (const auto& o : level.objects) {
    if (o->cls != WorldObject::kObstacle) continue;
    const AboutObject about(*this, o->id);
    const std::string where = file + ": marker " + Str(o->id);
    if (o->subclass > 4) Problem(where, "unknown marker kind " + Str(o->subclass));
    if (o->subclass == 0) {
      const int e = o->respawnMin, l = o->respawnMax;
      if (e < 1 || e > Level::kEpisodes || l < 1 || l > Level::kLevelsPerEpisode) {
        Problem(where, "level marker outside the campaign: " + Str(e) + "." + Str(l));
      } else {
        // Every marker of the map opens a level the game has.
        if (!files.count({e, l})) {
          Problem(where, "opens " + Level::LevelFileName(e, l) + ", which does not exist");
        }
        char key[32];
        std::snprintf(key, sizeof key, "level_name_%02d_%02d", e, l);
        CheckTextKey(where, key);
      }
    } else if (o->subclass == 1 || o->subclass == 3) {
      const int k = o->respawnMax;
      const char* pattern = o->subclass == 1 ? "comics_name_%02d" : "puzzle_name_%02d";
      if (k < 1 || k > 9) {
        Problem(where, std::string(o->subclass == 1 ? "comic" : "puzzle") + " number " + Str(k) +
                           " names nothing");
      } else {
        CheckTextKey(where, Format(pattern, k));
      }
    } else if (o->subclass == 2) {
      const int n = o->respawnMin;
      if (n < 1 || n > Progress::kAchievements) {
        Problem(where, "achievement " + Str(n) + " names nothing");
      } else {
        for (const char* pattern : {"ach_%02d_name", "ach_%02d_desc", "ach_%02d_earn"}) {
          CheckTextKey(where, Format(pattern, n));
        }
      }
    } else if (o->subclass == 4) {
      const int e = o->respawnMin;
      if (e < 1 || e > Level::kEpisodes) {
        Problem(where, "wonder of episode " + Str(e) + " names nothing");
      } else {
        CheckTextKey(where, Format("wonder_%d", e));
      }
    }
  }
  // What every map tooltip and marker state uses.
  for (const char* key : {"level", "unfinished", "locked", "level_completed", "score", "time",
                          "map_comics", "map_achievement", "map_puzzle", "map_wonder",
                          "wonder_completed", "wonder_progress", "wonder_description"}) {
    CheckTextKey(file, key);
  }
  for (const char* picture :
       {"level_unfinished", "level_current", "level_bronze", "level_silver", "level_gold",
        "level_relax", "level_bonus", "map_trophy", "level_select"}) {
    LevelTexture(file, picture);
  }
}
