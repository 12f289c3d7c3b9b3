#include "level/LevelDiff.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "level/Level.h"

namespace {

template <class T>
std::string Text(const T& v) {
  std::ostringstream s;
  s.precision(9);
  s << v;
  return s.str();
}

template <class T, size_t N>
std::string Text(const std::array<T, N>& v) {
  std::string s;
  for (size_t i = 0; i < N; ++i) s += (i ? "," : "") + Text(v[i]);
  return s;
}

std::string Text(const std::vector<int>& v) {
  std::string s;
  for (size_t i = 0; i < v.size(); ++i) s += (i ? "," : "") + Text(v[i]);
  return s;
}

std::string Text(const Vec2& v) { return Text(v.x) + "," + Text(v.y); }
std::string Text(const SpeechLine& d) { return Text(d.ToArray()); }

class Differ {
 public:
  explicit Differ(size_t limit) : limit_(limit) {}

  template <class T>
  void Check(const std::string& where, const char* field, const T& a, const T& b) {
    if (a == b || lines_.size() >= limit_) return;
    lines_.push_back(where + field + ": " + Text(a) + " / " + Text(b));
  }
  void Note(const std::string& line) {
    if (lines_.size() < limit_) lines_.push_back(line);
  }
  bool Full() const { return lines_.size() >= limit_; }
  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  size_t limit_;
  std::vector<std::string> lines_;
};

std::vector<int> NonZero(const std::array<int, 3>& links) {
  std::vector<int> ids;
  for (const int id : links) {
    if (id != 0) ids.push_back(id);
  }
  return ids;
}

std::vector<Level::SavedTimer> Timers(const Level& l, int kind) {
  std::vector<Level::SavedTimer> out;
  for (const auto& t : l.savedTimers) {
    if (t.kind == kind) out.push_back(t);
  }
  return out;
}

void CompareObjects(Differ& d, const std::string& where, const WorldObject& a,
                    const WorldObject& b) {
  d.Check(where, "id", a.id, b.id);
  d.Check(where, "tex", a.texture, b.texture);
  d.Check(where, "class", a.cls, b.cls);
  d.Check(where, "subclass", a.subclass, b.subclass);
  d.Check(where, "flags", ObjectFlags::Format(a.flags), ObjectFlags::Format(b.flags));
  d.Check(where, "pos", Text(a.position), Text(b.position));
  d.Check(where, "size", Text(a.size), Text(b.size));
  d.Check(where, "rot", a.rotation, b.rotation);
  if (a.HasAny(ObjectFlags::kScroll | ObjectFlags::kSlide)) {
    d.Check(where, "tex_speed", Text(a.texSpeed), Text(b.texSpeed));
  }
  d.Check(where, "respawn", Text(std::array<int, 2>{a.respawnMin, a.respawnMax}),
          Text(std::array<int, 2>{b.respawnMin, b.respawnMax}));
  if (a.animPause[0] != 0 || a.animPause[1] != 0) {
    d.Check(where, "animtime", Text(a.animPause), Text(b.animPause));
  } else {
    d.Check(where, "animtime", Text(std::array<int, 2>{0, 0}),
            Text(std::array<int, 2>{b.animPause[0], b.animPause[1]}));
  }
  d.Check(where, "ani_ref", a.pulseDesc, b.pulseDesc);
  d.Check(where, "sprite", a.sprite.has_value(), b.sprite.has_value());
  if (a.sprite && b.sprite) {
    const SpriteAnim& s = *a.sprite;
    const SpriteAnim& t = *b.sprite;
    d.Check(where, "sprite",
            Text(std::array<int, 6>{s.columns, s.rows, s.frameTime, s.loopStart, s.frameCount,
                                    s.startFrame}),
            Text(std::array<int, 6>{t.columns, t.rows, t.frameTime, t.loopStart, t.frameCount,
                                    t.startFrame}));
    d.Check(where, "sprite_state",
            Text(std::array<float, 3>{float(s.current), s.elapsed, float(s.step)}),
            Text(std::array<float, 3>{float(t.current), t.elapsed, float(t.step)}));
  }
  d.Check(where, "dialog", a.dialog ? Text(*a.dialog) : "none",
          b.dialog ? Text(*b.dialog) : "none");
  if (a.cls == WorldObject::kWaypoint) {
    d.Check(where, "links", Text(NonZero(a.links)), Text(NonZero(b.links)));
  }
  d.Check(where, "obj_link", a.linkId, b.linkId);
  d.Check(where, "alpha_state", a.fadeDir, b.fadeDir);
  if (a.fadeDir != 0) d.Check(where, "alpha_state value", a.fadeValue, b.fadeValue);
  d.Check(where, "start_time", a.stamp, b.stamp);
  d.Check(where, "resp_time", a.respawnLeft, b.respawnLeft);
  d.Check(where, "worker state", a.worker.has_value(), b.worker.has_value());
  if (a.worker && b.worker) {
    const WorkerState& w = *a.worker;
    const WorkerState& v = *b.worker;
    d.Check(where, "work_angle", w.direction, v.direction);
    d.Check(where, "work_anim", w.animation, v.animation);
    d.Check(where, "dest_wp", w.home, v.home);
    d.Check(where, "reverse", w.returning, v.returning);
    d.Check(where, "work_dest", Text(w.legTarget), Text(v.legTarget));
    d.Check(where, "work_path", Text(w.path), Text(v.path));
  }
}

void CompareLists(Differ& d, const char* kind, const Level::ObjectList& a,
                  const Level::ObjectList& b) {
  if (a.size() != b.size()) {
    d.Note(std::string(kind) + " count: " + Text(a.size()) + " / " + Text(b.size()));
  }
  for (size_t i = 0; i < std::min(a.size(), b.size()) && !d.Full(); ++i) {
    const std::string where = std::string(kind) + " " + Text(i) + " (id " + Text(a[i]->id) + ") ";
    CompareObjects(d, where, *a[i], *b[i]);
  }
}

}  // namespace

std::vector<std::string> LevelDiff::Compare(const Level& a, const Level& b, size_t limit) {
  Differ d(limit);
  const std::string level = "level ";
  d.Check(level, "episode", a.episode, b.episode);
  d.Check(level, "level", a.levelNumber, b.levelNumber);
  d.Check(level, "mode", int(a.mode), int(b.mode));
  d.Check(level, "music", a.music, b.music);
  d.Check(level, "fog_height", a.fogHeight, b.fogHeight);
  if (a.fogHeight != 0) d.Check(level, "fog_color", a.fogColor, b.fogColor);
  d.Check(level, "effect", a.effect, b.effect);
  d.Check(level, "time_easy", a.timeEasy, b.timeEasy);
  d.Check(level, "time_norm", a.timeNorm, b.timeNorm);
  d.Check(level, "time_hard", a.timeHard, b.timeHard);
  d.Check(level, "run_speed", a.runSpeed, b.runSpeed);
  d.Check(level, "storage", a.storage, b.storage);
  d.Check(level, "thief_per", a.thiefPeriod, b.thiefPeriod);
  d.Check(level, "resp_speed", a.respSpeed, b.respSpeed);
  d.Check(level, "fly_time", a.flyTime, b.flyTime);
  if (a.flyTime != 0) {
    d.Check(level, "fly_type", a.flyType, b.flyType);
    d.Check(level, "fly_cur", a.flyElapsed, b.flyElapsed);
  }
  d.Check(level, "resources", a.resources, b.resources);
  d.Check(level, "quest_res", a.questRes, b.questRes);
  if (IsOrdinary(a.mode)) {
    d.Check(level, "flags", a.flags, b.flags);
    d.Check(level, "collected", a.collected, b.collected);
    d.Check(level, "bonus_speed", a.bonusSpeed, b.bonusSpeed);
    d.Check(level, "bonus_used", a.bonusUsed, b.bonusUsed);
    d.Check(level, "obelisks", a.obelisks, b.obelisks);
    d.Check(level, "res_demeter", a.resDemeter, b.resDemeter);
    d.Check(level, "birds_hunted", a.birdsHunted, b.birdsHunted);
    d.Check(level, "res_thieved", a.resThieved, b.resThieved);
    d.Check(level, "puzzle_collect", a.puzzleCollected, b.puzzleCollected);
    d.Check(level, "bonus_cost", a.bonusCost, b.bonusCost);
  }
  d.Check(level, "game_time", a.gameTime, b.gameTime);
  d.Check(level, "level_time", std::max(1, a.levelTime), std::max(1, b.levelTime));
  d.Check(level, "bonus_time", a.bonusTime, b.bonusTime);
  d.Check(level, "quest_res_collect", a.questResCollect, b.questResCollect);
  d.Check(level, "quest_objects needed", a.questObjectsNeeded, b.questObjectsNeeded);
  if (a.questObjectsNeeded != 0) {
    d.Check(level, "quest_objects found", a.questObjectsFound, b.questObjectsFound);
  }
  d.Check(level, "dialog", Text(a.dialog), Text(b.dialog));
  d.Check(level, "workers_free", a.workersFree, b.workersFree);
  d.Check(level, "worker_types", a.workerTypes, b.workerTypes);
  d.Check(level, "build_speed", a.buildSpeed, b.buildSpeed);
  d.Check(level, "commands", Text(a.commandQueue), Text(b.commandQueue));
  for (const int kind : {Level::SavedTimer::kObstacle, Level::SavedTimer::kBonus}) {
    const auto ta = Timers(a, kind);
    const auto tb = Timers(b, kind);
    std::vector<int> fa, fb;
    for (const auto& t : ta) fa.insert(fa.end(), {t.id, t.cur, t.max});
    for (const auto& t : tb) fb.insert(fb.end(), {t.id, t.cur, t.max});
    d.Check(level, kind == Level::SavedTimer::kBonus ? "bonus timers" : "obstacle timers", Text(fa),
            Text(fb));
  }
  d.Check(level, "trophies", Text(a.trophies), Text(b.trophies));
  d.Check(level, "objectives", Text(a.objectivePanel), Text(b.objectivePanel));
  const auto texts = [](const Level& l) {
    std::string all;
    for (const LevelText& t : l.texts) all += t.language + ":" + t.name + "|" + t.message + ";";
    return all;
  };
  d.Check(level, "texts", texts(a), texts(b));
  CompareLists(d, "object", a.objects, b.objects);
  CompareLists(d, "worker", a.workers, b.workers);
  return d.Take();
}
