#include "level/LevelWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/Numbers.h"
#include "level/Level.h"

double LevelWriter::Round2(double value) { return std::floor(value * 100.0 + 0.5) / 100.0; }

std::string LevelWriter::Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        // Control characters (an entity in the file may have made one) become character
        // references, so that the parser gives them back instead of stopping at them.
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "&#" + std::to_string(int(c)) + ";";
        } else {
          out += c;
        }
    }
  }
  return out;
}

void LevelWriter::Attr(std::string_view name, std::string_view value) {
  out_.append(name);
  out_ += "=\"";
  out_.append(value);
  out_ += "\" ";
}

void LevelWriter::Attr(std::string_view name, long long value) {
  Attr(name, std::string_view(std::to_string(value)));
}

void LevelWriter::Ints(std::string_view name, const int* values, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    if (i) text += ',';
    text += std::to_string(values[i]);
  }
  Attr(name, text);
}

void LevelWriter::Reals(std::string_view name, double a, double b) {
  char text[128];
  std::snprintf(text, sizeof text, "%.2f,%.2f", Round2(a), Round2(b));
  Attr(name, std::string_view(text));
}

std::string LevelWriter::Write() {
  out_ = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<level ";
  WriteSettings();
  out_ += ">\n";
  for (const auto& o : level_.objects) WriteObject(*o, "object");
  for (const auto& w : level_.workers) WriteObject(*w, "worker");
  for (const LevelText& t : level_.texts) {
    out_ += "<text ";
    Attr("lang", Escape(t.language));
    Attr("name", Escape(t.name));
    Attr("message", Escape(t.message));
    out_ += "/>\n";
  }
  if (Authored()) {
    out_ += "</level>\n";
    return std::move(out_);
  }

  const auto timers = [&](int kind, std::string_view element) {
    for (const Level::SavedTimer& t : level_.savedTimers) {
      if (t.kind != kind) continue;
      out_ += '<';
      out_.append(element);
      out_ += ' ';
      Attr("id", t.id);
      Attr("cur", t.cur);
      Attr("max", t.max);
      out_ += "/>\n";
    }
  };
  timers(Level::SavedTimer::kObstacle, "obstacle");
  timers(Level::SavedTimer::kBonus, "bonus");
  for (const int id : level_.trophies) {
    out_ += "<trophy ";
    Attr("id", id);
    out_ += "/>\n";
  }
  for (const int id : level_.objectivePanel) {
    out_ += "<objective ";
    Attr("id", id);
    out_ += "/>\n";
  }
  out_ += "</level>\n";
  return std::move(out_);
}

void LevelWriter::WriteSettings() {
  const Level& l = level_;
  Attr("episode", l.episode);
  Attr("level", l.levelNumber);
  Attr("mode", int(l.mode));
  Attr("music", l.music);
  if (l.fogHeight != 0) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", unsigned(l.fogColor));
    Attr("fog_color", std::string_view(hex));
    Attr("fog_height", l.fogHeight);
  }
  if (l.effect != 0) Attr("effect", l.effect);
  Attr("time_easy", l.timeEasy);
  Attr("time_norm", l.timeNorm);
  Attr("time_hard", l.timeHard);
  Attr("run_speed", FloatToInt(l.runSpeed, 15));
  Attr("storage", l.storage);
  Attr("thief_per", l.thiefPeriod);
  Attr("resp_speed", l.respSpeed);
  if (l.flyTime != 0) {
    Attr("fly_type", l.flyType);
    Attr("fly_time", l.flyTime);
  }
  Ints("resources", l.resources.data(), 3);
  Ints("quest_res", l.questRes.data(), 3);
  const bool ordinary = IsOrdinary(l.mode);
  if (ordinary && Authored()) {
    if (l.flags != 0) Attr("flags", l.flags);
    Attr("bonus_speed", l.bonusSpeed);
    Ints("bonus_cost", l.bonusCost.data(), 6);
  } else if (ordinary) {
    Attr("flags", l.flags);
    Ints("collected", l.collected.data(), 3);
    Attr("bonus_speed", l.bonusSpeed);
    Attr("bonus_used", l.bonusUsed);
    Attr("obelisks", l.obelisks);
    Attr("res_demeter", l.resDemeter);
    Attr("birds_hunted", l.birdsHunted);
    if (l.resThieved) Attr("res_thieved", 1);
    if (l.puzzleCollected) Attr("puzzle_collect", 1);
    Ints("bonus_cost", l.bonusCost.data(), 6);
  }
  Attr("state", Authored() ? 0 : 2);
  if (!Authored()) {
    Attr("game_time", l.gameTime);
    if (l.flyTime != 0) Attr("fly_cur", l.flyElapsed);
    Attr("level_time", std::max(1, l.levelTime));
    Attr("bonus_time", l.bonusTime);
    Ints("quest_res_collect", l.questResCollect.data(), 3);
    if (l.questObjectsNeeded != 0) {
      const int q[2] = {l.questObjectsNeeded, l.questObjectsFound};
      Ints("quest_objects", q, 2);
    }
  }
  if (l.dialog.text > 0) {
    const auto d = l.dialog.ToArray();
    Ints("dialog", d.data(), d.size());
  }
  Attr("workers_free", l.workersFree);
  Attr("worker_types", l.workerTypes);
  Attr("build_speed", FloatToInt(std::floor(double(l.buildSpeed) * 100.0 + 0.5), 100));
  if (!l.commandQueue.empty() && !Authored()) {
    const size_t n = std::min(l.commandQueue.size(), size_t(Level::kMaxCommands));
    Ints("commands", l.commandQueue.data(), n);
  }
}

void LevelWriter::WriteObject(const WorldObject& o, std::string_view element) {
  out_ += '<';
  out_.append(element);
  out_ += ' ';
  Attr("id", o.id);
  if (o.cls != WorldObject::kWaypoint && o.cls != WorldObject::kEffectSpot) {
    Attr("tex", Escape(o.texture));
  }
  Attr("class", o.cls);
  Attr("subclass", o.subclass);
  if (o.flags != 0) Attr("flags", ObjectFlags::Format(o.flags));
  const int pos[2] = {FloatToInt(Round2(o.position.x), 0), FloatToInt(Round2(o.position.y), 0)};
  Ints("pos", pos, 2);
  Reals("size", o.size.x, o.size.y);
  if (o.rotation != 0) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", Round2(o.rotation));
    Attr("rot", std::string_view(text));
  }
  if (o.HasAny(ObjectFlags::kScroll | ObjectFlags::kSlide)) {
    const int speed[2] = {FloatToInt(Round2(o.texSpeed.x), 0), FloatToInt(Round2(o.texSpeed.y), 0)};
    Ints("tex_speed", speed, 2);
  }
  if (o.respawnMin != 0 || o.respawnMax != 0) {
    const int respawn[2] = {o.respawnMin, o.respawnMax};
    Ints("respawn", respawn, 2);
  }
  if (o.animPause[0] != 0 || o.animPause[1] != 0) Ints("animtime", o.animPause.data(), 3);
  if (o.pulseDesc != 0) Attr("ani_ref", o.pulseDesc);
  if (o.sprite) {
    const SpriteAnim& s = *o.sprite;
    const int sprite[6] = {s.columns, s.rows, s.frameTime, s.loopStart, s.frameCount, s.startFrame};
    Ints("sprite", sprite, 6);
  }
  if (o.dialog) {
    const auto d = o.dialog->ToArray();
    Ints("dialog", d.data(), d.size());
  }
  if (o.cls == WorldObject::kWaypoint) {
    std::string links;
    for (const int id : o.links) {
      if (id == 0) continue;
      if (!links.empty()) links += ',';
      links += std::to_string(id);
    }
    if (!links.empty()) Attr("links", links);
  }
  if (o.linkId != 0) Attr("obj_link", o.linkId);
  if (Authored()) {
    out_ += "/>\n";
    return;
  }
  if (o.fadeDir != 0) {
    const int alpha[2] = {o.fadeDir, FloatToInt(o.fadeValue, 0)};
    Ints("alpha_state", alpha, 2);
  }
  if (o.stamp != 0) Attr("start_time", o.stamp);
  if (o.respawnLeft != 0) Attr("resp_time", o.respawnLeft);
  if (o.sprite) {
    const int state[3] = {o.sprite->current, FloatToInt(o.sprite->elapsed, 0), o.sprite->step};
    Ints("sprite_state", state, 3);
  }
  if (o.worker) {
    const WorkerState& w = *o.worker;
    Attr("work_angle", w.direction);
    Attr("work_anim", w.animation);
    if (w.home != 0) Attr("dest_wp", w.home);
    if (w.returning) Attr("reverse", 1);
    Reals("work_dest", w.legTarget.x, w.legTarget.y);
    if (!w.path.empty()) Ints("work_path", w.path.data(), w.path.size());
  }
  out_ += "/>\n";
}
