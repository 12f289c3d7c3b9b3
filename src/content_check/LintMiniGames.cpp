// The checks of mini-game levels: their definition, the hero's base, the grids (solvable,
// their tile kinds noted), the attackers at the gates, the candidates of cued phases and the
// goal texts in every language.
#include <cmath>
#include <string>
#include <vector>

#include "data/Utf8.h"
#include "content_check/LintRun.h"
#include "level/Level.h"
#include "level/MiniGameBot.h"
#include "level/MiniGameGrid.h"

void LintRun::CheckMiniGame(const std::string& file, const Level& level) {
  if (level.phases.empty()) {
    Problem(file, "no MiniGame of mini_games names this level (or its hero is no worker type "
                  "0..12): it is won at once");
    return;
  }
  const int hero = level.heroType;
  if (level.bases[size_t(hero)].empty()) {
    Problem(file, "no waypoint of subclass " + Str(hero + 1) + ": the hero has no base");
  }
  if (goalStrings_.empty()) {
    for (const char* language : kLanguages) {
      auto files = std::make_unique<FileSystem>();
      files->Mount(lint_.folder_ + "/locale/" + language);
      auto table = std::make_unique<StringTable>(*files);
      table->Load("strings");
      table->Load("minigames");
      goalStrings_.push_back({language, std::move(files), std::move(table)});
    }
  }
  for (size_t i = 0; i < level.phases.size(); ++i) {
    const MiniGamePhase& p = level.phases[i];
    const std::string where = file + ": phase " + Str(int(i) + 1) + " (kind " + Str(p.kind) + ")";
    if (p.kind < MiniGamePhase::kAttackers || p.kind > MiniGamePhase::kGrid) {
      Problem(where, "no such kind of phase");
    }
    if (p.remaining <= 0) Problem(where, "a length of " + Str(p.remaining) + " asks for nothing");
    if (p.message.empty()) {
      Problem(where, "no goal text (message)");
    } else {
      for (const LanguageStrings& l : goalStrings_) {
        if (!l.table->Has(WidenBytes(p.message))) {
          Problem(where, "goal text " + p.message + " missing in " + l.language);
        }
      }
    }
    for (const std::string* s : {&p.sound, &p.sound2}) {
      if (!s->empty()) Sound(where, *s);
    }
    for (const std::string* e : {&p.effect, &p.effect2}) {
      if (!e->empty()) Effect(where, *e);
    }
    switch (p.kind) {
      case MiniGamePhase::kAttackers: {
        int gates = 0;
        for (const auto& o : level.objects) {
          if (o->cls != WorldObject::kWaypoint || o->subclass != 13) continue;
          ++gates;
          if (!o->link) Problem(where, "gate " + Str(o->id) + " has no attacker", o->id);
        }
        if (gates == 0) Problem(where, "no gate (waypoint of subclass 13)");
        break;
      }
      case MiniGamePhase::kFetchCued:
      case MiniGamePhase::kClickCued:
        for (int n = 1; n <= p.speed; ++n) {
          bool found = false;
          for (const auto& o : level.objects) {
            if (p.kind == MiniGamePhase::kFetchCued) {
              found |= o->cls == WorldObject::kObstacle && o->desc && o->desc->work == hero &&
                       o->respawnMin == n && o->backLink;
            } else {
              found |= o->cls == WorldObject::kWaypoint && o->subclass == 3 && o->link &&
                       o->link->respawnMin == n;
            }
          }
          if (!found) Problem(where, "no candidate " + Str(n) + " of 1.." + Str(p.speed));
        }
        if (p.speed < 2) Problem(where, "speed " + Str(p.speed) + ": the cue can never change");
        break;
      case MiniGamePhase::kGrid: {
        const std::vector<int>& params = p.params;
        const long long w = params.size() >= 2 ? params[0] : 0;
        const long long h = params.size() >= 2 ? params[1] : 0;
        if (w < 1 || h < 1 || w * h > (long long)params.size() - 2) {
          Problem(where, "params hold no grid of W x H tiles");
          break;
        }
        const size_t n = size_t(w * h);
        std::vector<bool> straight(n, false), present(n, false), fixed(n, false);
        std::vector<int> turn(n, 0);
        std::string kinds;
        for (size_t c = 0; c < n; ++c) {
          const WorldObject* t = level.FindObject(params[c + 2]);
          if (c % size_t(w) == 0) kinds += c == 0 ? "" : " /";
          if (!t || t->cls != WorldObject::kFillable) {
            Problem(where, "tile " + Str(int(c)) + ": no fillable object " + Str(params[c + 2]));
            kinds += " -";
            continue;
          }
          present[c] = true;
          straight[c] = t->texture.find('1') != std::string::npos;
          const int q = int(std::lround(t->rotation / 90.0f));
          turn[c] = ((q % 4) + 4) % 4;
          kinds += straight[c] ? " S" : " C";
          kinds += Str(turn[c]);
          LevelTexture(where, t->texture + "_fill");
        }
        lint_.notes_.push_back(where + ": grid " + Str(int(w)) + " x " + Str(int(h)) + ":" + kinds);
        if (!present[0]) break;
        const WorldObject* first = level.FindObject(params[2]);
        if (!first->link) Problem(where, "tile 0 has no moving piece (its link)");
        fixed[0] = true;  // the piece starts in it
        if (MiniGameBot::SolveGrid(int(w), straight, turn, present, fixed, 0, 0).empty()) {
          Problem(where, "no turning of the tiles leads the piece out through the last cell");
        }
        break;
      }
      default:
        break;
    }
  }
}
