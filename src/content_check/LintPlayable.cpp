// The lint checks of an ordinary level in play: camps with houses, times that make sense,
// every workable object reached by its worker type, every obstacle led to, costs within the
// storage, a goal that can be reached; waypoint quads that take their pictures' clicks; the
// hints' words and the speech script in every language.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "data/Utf8.h"
#include "content_check/LevelHints.h"
#include "content_check/LevelSpeech.h"
#include "content_check/LintRun.h"
#include "level/Level.h"
#include "level/ObjectHint.h"
#include "level/PathFinder.h"
#include "level/WaypointArea.h"
#include "level/WorldObject.h"

void LintRun::CheckWorkersReach(const std::string& file, Level& level) {
  const PathFinder paths(level);
  for (const WaypointNode& node : level.waypoints) {
    const WorldObject& wp = *node.waypoint;
    const WorldObject* o = wp.link;
    if (!o || !o->desc || o->cls == WorldObject::kScenery || o->cls == WorldObject::kLandmark ||
        o->desc->Indestructible()) {
      continue;
    }
    const int type = o->desc->WorkerType();
    const std::string what = "object " + Str(o->id) + " at waypoint " + Str(wp.id);
    if (type < 0) {
      Problem(file, what + " names no worker type (work " + Str(o->desc->work) + ")", o->id);
      continue;
    }
    std::vector<int> starts;
    if (type == 0) {
      starts = level.bases[0];
    } else if (!level.bases[size_t(type)].empty()) {
      starts.push_back(level.bases[size_t(type)].front());
    }
    const bool reached = std::any_of(starts.begin(), starts.end(), [&](int start) {
      return paths.FindPath(start, &wp, true).has_value();
    });
    if (!reached) {
      Problem(file, what + " is reached by no base of worker type " + Str(type) +
                        ", even with every obstacle cleared",
              o->id);
    }
  }
}

void LintRun::CheckPlayable(const std::string& file, Level& level) {
  if (level.bases[0].empty()) {
    Problem(file, "no camp waypoint (subclass 1): there are no ordinary workers");
    return;
  }
  for (const int node : level.bases[0]) {
    const WorldObject& camp = *level.waypoints[size_t(node)].waypoint;
    const WorldObject* house = level.FindObject(camp.respawnMin);
    if (!house || house->cls != WorldObject::kBuilding) {
      Problem(file, "camp waypoint " + Str(camp.id) + " names no house in its respawn value",
              camp.id);
    }
  }
  if (level.timeNorm <= level.timeHard || level.timeHard <= 0) {
    Problem(file, "time_norm must be above time_hard and time_hard above 0");
  }

  // Waypoints reachable from a camp or a special worker's home, ignoring obstacles.
  std::vector<bool> reached(level.waypoints.size(), false);
  std::vector<int> open;
  for (int k = 0; k <= 8; ++k) {
    for (const int node : level.bases[size_t(k)]) open.push_back(node);
  }
  while (!open.empty()) {
    const int node = open.back();
    open.pop_back();
    if (reached[size_t(node)]) continue;
    reached[size_t(node)] = true;
    for (const int next : level.waypoints[size_t(node)].neighbours) {
      if (next >= 0 && !reached[size_t(next)]) open.push_back(next);
    }
  }

  CheckWorkersReach(file, level);

  std::set<int> linkedFromWaypoint, linkedFromObject;
  for (const WaypointNode& node : level.waypoints) {
    const WorldObject& wp = *node.waypoint;
    if (wp.linkId == 0) continue;
    linkedFromWaypoint.insert(wp.linkId);
    if (!reached[size_t(node.index)]) {
      Problem(file, "waypoint " + Str(wp.id) + " with object " + Str(wp.linkId) +
                        " cannot be reached from any camp",
              wp.id);
    }
  }
  for (const auto& o : level.objects) {
    if (o->cls != WorldObject::kWaypoint && o->linkId != 0) linkedFromObject.insert(o->linkId);
  }

  int maxStorage = level.storage;
  std::array<bool, 3> sources{};
  for (const auto& o : level.objects) {
    if (o->desc && o->desc->type == ObjectDesc::kWarehouse) maxStorage += o->desc->value;
  }
  for (const auto& o : level.objects) {
    if (!o->desc || (o->cls != WorldObject::kObstacle && o->cls != WorldObject::kBuilding))
      continue;
    const ObjectDesc& d = *o->desc;
    const AboutObject about(*this, o->id);
    const std::string where = file + ": object " + Str(o->id);
    for (int i = 0; i < 3; ++i) {
      if (d.ret && d.income[size_t(i)] > 0 && o->cls == WorldObject::kObstacle)
        sources[size_t(i)] = true;
      if (d.cost[size_t(i)] > maxStorage) {
        Problem(where, "costs more than the storage can ever hold");
      }
    }
    // Product sites of buildings take their descriptor from the building.
    if (o->cls == WorldObject::kBuilding && d.income[0] > 0) {
      if (const ObjectDesc* product = descriptors_.Obstacle(d.income[0])) {
        for (int i = 0; i < 3; ++i) {
          if (product->income[size_t(i)] > 0) sources[size_t(i)] = true;
        }
      }
    }
    if (o->cls == WorldObject::kObstacle && !d.Indestructible() &&
        !linkedFromWaypoint.count(o->id) && !linkedFromObject.count(o->id)) {
      Problem(where, "no waypoint leads to it");
    }
    const int worker = d.WorkerType();
    if (o->cls == WorldObject::kObstacle && worker > 0) {
      if (level.bases[size_t(worker)].empty()) {
        Problem(where, "worker type " + Str(worker) + " has no home waypoint (subclass " +
                           Str(worker + 1) + ")");
      }
      bool available = (level.workerTypes & (1 << worker)) != 0;
      for (const auto& b : level.objects) {
        if (b->desc && b->cls == WorldObject::kBuilding && b->desc->LodgeType() == worker) {
          available = true;
        }
      }
      if (!available) Problem(where, "no lodge makes worker type " + Str(worker) + " available");
    }
  }
  const bool questResources =
      level.questRes[0] > 0 || level.questRes[1] > 0 || level.questRes[2] > 0;
  if (!questResources && level.openObjectives <= 0) {
    Problem(file, "no quest resources and no objectives: the level is won at once");
  }
  static const char* kResource[3] = {"food", "wood", "gold"};
  for (int i = 0; i < 3; ++i) {
    if (level.questRes[size_t(i)] > 0 && !sources[size_t(i)]) {
      Problem(file, std::string("asks for ") + kResource[i] + " but nothing yields it");
    }
  }
}

void LintRun::CheckClickAreas(const std::string& file, const Level& level) {
  for (const auto& owned : level.objects) {
    const WorldObject& w = *owned;
    for (const WorldObject* o : waypoint_area::Served(w)) {
      const std::string what = "waypoint " + Str(w.id) + " and the picture of object " + Str(o->id);
      const float share = waypoint_area::Share(w, *o);
      if (share < waypoint_area::kLeastShare) {
        Problem(file, what + ": the waypoint's quad holds only " + Str(int(share * 100)) +
                          "% of the picture (kcontent level fit sizes it)",
                w.id);
      }
      const WorldObject* top = waypoint_area::TopWaypointAt(level, o->position);
      if (top != &w) {
        Problem(file, what + ": a click at the picture's centre goes to " +
                          (top ? "waypoint " + Str(top->id) : std::string("no waypoint")),
                w.id);
      }
    }
  }
}

void LintRun::CheckHints(const std::string& file, const std::string& text) {
  for (const char* language : kLanguages) {
    std::vector<LevelHint> hints;
    std::string error;
    if (!CollectLevelHints(lint_.folder_, text, language, true, hints, error)) {
      Problem(file, std::string("hints in ") + language + ": " + error);
      continue;
    }
    std::set<std::string> reported;
    for (const LevelHint& h : hints) {
      for (const std::string& key : h.missing) {
        if (!reported.insert(key).second) continue;
        Problem(file, "the hint of object " + Str(h.id) + " uses " + key + ", missing in locale/" +
                          language,
                h.id);
      }
    }
  }
  if (hintEntriesChecked_) return;
  hintEntriesChecked_ = true;
  for (const char* language : kLanguages) {
    FileSystem files;
    files.Mount(lint_.folder_ + "/locale/" + language);
    StringTable table(files);
    table.Load("strings");
    for (const char* key : ObjectHint::kEntries) {
      if (!table.Has(WidenBytes(key))) {
        Problem(std::string("locale/") + language + "/strings.xml",
                std::string("no hint entry ") + key);
      }
    }
  }
}

void LintRun::CheckScript(const std::string& file, const std::string& text, const Level& level) {
  std::vector<int> objectIds;
  for (const auto& o : level.objects) objectIds.push_back(o->id);
  for (const char* language : kLanguages) {
    std::vector<ScriptLine> lines;
    std::string error;
    if (!CollectLevelSpeech(lint_.folder_, text, language, true, lines, error)) {
      Problem(file, std::string("speech in ") + language + ": " + error);
      continue;
    }
    for (const ScriptLine& s : lines) {
      if (s.line.text > 0 && s.text.empty()) {
        Problem(file, s.key + " is missing in locale/" + language, s.owner);
      }
    }
    if (std::string_view(language) != "en") continue;
    std::vector<int> owners;
    const std::vector<std::string> problems = SpeechProblems(lines, objectIds, HudIds(), &owners);
    for (size_t i = 0; i < problems.size(); ++i) Problem(file, problems[i], owners[i]);
  }
}

const std::vector<int>& LintRun::HudIds() {
  if (!hudIds_.empty()) return hudIds_;
  hudIds_ = {9, 10, 11, 21, 80, 81, 82, 83, 84, 85};
  for (const char* name : {"game_gui.xml", "game_gui_ovr.xml"}) {
    const FileData data = fs_.Read(name);
    if (!data) continue;
    const std::string layout(data.Text());
    for (size_t at = layout.find(" id=\""); at != std::string::npos;
         at = layout.find(" id=\"", at + 1)) {
      hudIds_.push_back(std::atoi(layout.c_str() + at + 5));
    }
  }
  return hudIds_;
}
