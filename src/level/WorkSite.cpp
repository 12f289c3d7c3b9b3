#include "level/WorkSite.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "level/DescriptorServices.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/LevelScreen.h"
#include "level/LevelSounds.h"

namespace {

using F = ObjectFlags;
// Bits of the level's obelisk set, one per kind of speed raised.
constexpr int kWalkObelisk = 1, kRespawnObelisk = 2, kWorkObelisk = 4;
constexpr int kSpeedObeliskTrophy = 6;

bool IsClass(const WorldObject* o, int cls) { return o && o->cls == cls; }
bool HasRespawnRange(const WorldObject& o) { return o.respawnMax != 0; }
// Adds content numbers without overflowing.
void Add(int& value, long long amount) {
  value = int(std::clamp<long long>(value + amount, INT32_MIN, INT32_MAX));
}

// Objects that show their change by playing their sprite keep their visibility.
bool PlaysState(const WorldObject& o) { return o.Has(F::kStateSprite) && o.sprite.has_value(); }

}  // namespace

void WorkSite::Step(WorldObject& w, WorldObject& p, float /*frameTime*/) {
  if (!w.Has(F::kAtWork)) {
    Start(w, p);
  } else {
    Progress(w, p);
  }
}

void WorkSite::Pulse(WorldObject* o, int desc) {
  if (!o) return;
  o->pulseDesc = desc;
  o->pulsePhase = 0;
}

void WorkSite::Start(WorldObject& w, WorldObject& p) {
  Level& l = game_.level;
  game_.screen.WorkerArrived(p.id);
  WorldObject* o = p.link;
  // Someone else did it already (or the object is gone).
  if (!o || o->Has(F::kPassable) || o->Has(F::kBusy)) {
    game_.PlaySound("collect_fail");
    const int type = WorkerRoster::TypeOf(w);
    if (o && type == WorkerRoster::kThief && o->respawnLeft < 0 && l.gameTime - o->stamp < 1000) {
      game_.screen.Achievement(9);
    }
    TurnHome(w, p);
    if (IsOrdinary(l.mode) && game_.roster.HasAnimation(w, 2)) {
      game_.roster.SetAnimation(w, 2);
      w.Set(F::kPose);
    } else {
      game_.roster.SetAnimation(w, 0);
    }
    return;
  }
  // The work begins: the object's line, the pulse on it and on its links; only an objective
  // keeps its marker.
  game_.FireDialog(*o, 2);
  w.Set(F::kAtWork);
  o->Set(F::kBusy);
  Pulse(o, o->subclass);
  Pulse(o->link, o->subclass);
  if (o->link) Pulse(o->link->link, o->subclass);
  if (!o->Has(F::kObjective)) {
    o->marker = EffectRef{};
    o->Set(F::kMarker, false);
  }
  // Work that takes time runs on a timer; instant work shows its finishing effects at once.
  if (o->desc && o->desc->time > 0) {
    StartTimer(w, *o);
    return;
  }
  if (o->Has(F::kObjective)) game_.StartEffect("objective_done", o->position);
  game_.StartEffect(l.FinishingEffect(*o), o->position);
}

void WorkSite::StartWorkSound(WorldObject& w, const ObjectDesc& d) {
  const SoundRef* sound = game_.level.Descriptors().Sound(d.snd);
  if (!sound) return;
  if (sound->loop == SoundRef::kLooped) {
    w.workSoundLoop = game_.sounds ? game_.sounds->PlayLooped(sound->name) : 0;
  } else if (sound->loop == SoundRef::kOnFrame) {
    w.workSound = sound->id;
  } else {
    game_.PlaySound(sound->name);
  }
}

void WorkSite::StartTimer(WorldObject& w, WorldObject& o) {
  Level& l = game_.level;
  const ObjectDesc& d = *o.desc;
  StartWorkSound(w, d);
  const float total = d.time * 1000.0f;
  game_.timers.Start(o.id, total);
  game_.screen.ShowWorkTimer(o.id, int(total), Vec2{o.position.x, o.position.y + float(d.offs)});
  // A building's upgrade sound, the worker's work animation and the object's active picture.
  if (o.cls == WorldObject::kBuilding) game_.PlaySound("upgrade_start");
  game_.roster.SetAnimation(w, 3 + d.ani);
  o.Set(F::kWorkBegun);
  if (o.Hidden()) o.Set(F::kPose);  // remembers that it was hidden when the work began
  if (o.sprite) {
    const std::string active = o.texture + "_a";
    if (l.Textures() && l.Textures()->HasTexture(active)) l.SetTexture(o, active);
  }
}

void WorkSite::OnWorkerFrame(WorldObject& w, int frame) {
  // A frame sound is set while a worker (or a mini-game's hero) works, and cleared with it.
  if (w.cls != WorldObject::kWorker || w.workSound == 0) return;
  const SoundRef* sound = game_.level.Descriptors().Sound(w.workSound);
  if (sound && sound->loop == SoundRef::kOnFrame && sound->frame == frame) {
    game_.PlaySound(sound->name);
  }
}

void WorkSite::StopWorkSound(WorldObject& w) {
  if (w.workSoundLoop > 0 && game_.sounds) game_.sounds->Stop(w.workSoundLoop);
  w.workSoundLoop = -1;
  w.workSound = 0;
}

void WorkSite::Progress(WorldObject& w, WorldObject& p) {
  WorldObject* o = p.link;
  if (!o) {
    TurnHome(w, p);
    game_.roster.SetAnimation(w, 0);
    return;
  }
  if (o->cls == WorldObject::kBuilding) {
    BuildingProgress(w, p, *o);
    return;
  }
  const float remaining = game_.timers.Remaining(o->id);
  if (o->Has(F::kWorkBegun) && !o->Has(F::kFinishing) && remaining <= float(o->fadeMs)) {
    Finishing(*o);
  }
  if (remaining <= 0) Complete(w, p, *o);
}

void WorkSite::Finishing(WorldObject& o) {
  Level& l = game_.level;
  o.Set(F::kFinishing);
  game_.screen.FadeWorkTimer(o.id);
  if (o.Has(F::kObjective)) {
    game_.StartEffect("objective_done", o.position);
    o.marker = EffectRef{};
    o.Set(F::kMarker, false);
  }
  game_.StartEffect(l.FinishingEffect(o), o.position);
  WorldObject* t = o.link;
  WorldObject* P = t ? t->link : nullptr;
  const bool objectStays =
      o.Has(F::kStateSprite) ||
      (P && (P->cls == WorldObject::kScenery || P->cls == WorldObject::kObstacle) &&
       !t->Has(F::kStateSprite));
  // The transition shows ahead what completion leaves standing. A visible o gives way to its
  // hidden link (a building rising on its site, a beacon catching fire): o fades out while
  // the link fades in. Only a hidden o that comes to light makes its link fade out; a link
  // that completion shows is never faded out, or it would stand there invisible.
  const bool toLink = objectStays || (!o.Hidden() && t && t->Hidden());
  if (!toLink) {
    if (o.Hidden()) {
      l.Show(o, true);
      l.Fade(o, +1, 0);
      o.marker = EffectRef{"complete", 0, 0, true};
      if (t) l.Fade(*t, -1, 0);
    }
  } else {
    o.fadeMs = t ? 1775 : 1275;
    l.Fade(o, -1, 0);
    if (t) {
      l.Show(*t, true);
      l.Fade(*t, +1, 0);
    }
  }
  if (P && (P->cls == WorldObject::kFog || IsClass(t, WorldObject::kBuilding))) l.Fade(*P, -1, 0);
}

void WorkSite::Complete(WorldObject& w, WorldObject& p, WorldObject& o) {
  Level& l = game_.level;
  const ObjectDesc* desc = o.desc;
  // Work finished after the level's end earns trophy 20.
  if (game_.Ended()) game_.screen.Achievement(20);
  // The object's line and its link's; the flags of work in progress go.
  game_.FireDialog(o, 3);
  if (o.link) game_.FireDialog(*o.link, 3);
  const bool transition = o.Has(F::kFinishing);
  const bool began = o.Has(F::kWorkBegun);
  const bool wasHidden = o.Has(F::kPose);
  o.Set(F::kInProcess | F::kPassable);
  o.Set(F::kReachable | F::kReachableOrdinary | F::kBusy | F::kFinishing | F::kThiefTarget |
            F::kThievable | F::kWorkBegun | F::kPose,
        false);
  // The pulse ends on the object and on the links it spread to when the work began.
  WorldObject* pulsed[] = {&o, o.link, o.link ? o.link->link : nullptr};
  for (WorldObject* x : pulsed) {
    if (x && (x == &o || x->pulseDesc == o.subclass)) Pulse(x, 0);
  }
  game_.timers.Remove(o.id);
  CompleteVisibility(o, transition, began, wasHidden);
  WorldObject* t = o.link;
  WorldObject* P = t ? t->link : nullptr;
  // A building behind the object takes effect; otherwise the worker remembers the object.
  if (IsClass(t, WorldObject::kBuilding)) {
    ApplyBuildingEffect(*t);
    w.linkId = 0;
  } else {
    w.linkId = o.id;
  }
  // The object grows back within its respawn range, or its waypoint leads on to what lies
  // behind it.
  if (HasRespawnRange(o) && !o.Has(F::kNoRespawn)) {
    l.ArmRespawn(o);
  } else {
    o.respawnLeft = -1;
    Relink(p, o);
  }
  // The worker turns home with the sound of what was done.
  TurnHome(w, p);
  if (IsClass(P, WorldObject::kFog)) {
    game_.PlaySound("fog_hide");
  } else if (o.Has(F::kObjective)) {
    game_.PlaySound("objective");
  } else {
    game_.PlaySound("work_end");
  }
  // Scoring and bookkeeping: whether the worker carries a result home.
  const bool carries = OnWorkDone(o);
  const bool posing = Pose(w, &o, carries, desc ? desc->WorkerType() : 0);
  if (carries && WorkerRoster::TypeOf(w) == WorkerRoster::kThief) l.resThieved = true;
  // Some objects shake the screen when they are done.
  if (const float amount = l.Descriptors().Shake(o.subclass); amount != 0) {
    game_.shake = amount;
    game_.screen.Shake(amount);
  }
  // An objective is met now, unless its result is still to be carried home.
  if (o.Has(F::kObjective) && !carries) CompleteObjective(o);
  if (desc) {
    // A lodge releases its worker; obelisks and their like change the level's rules.
    if (desc->type == ObjectDesc::kWorkerLodge) ReleaseWorker(w, p, *desc);
    ApplyRule(desc->type, desc->value);
  }
  // With nothing to carry or show, the level may be won, and the worker then walks out.
  if (!carries && !posing) {
    game_.CheckWin();
    if (game_.Ended()) game_.walker.RouteToExit(w);
  }
}

void WorkSite::CompleteVisibility(WorldObject& o, bool transition, bool began, bool wasHidden) {
  Level& l = game_.level;
  WorldObject* t = o.link;
  WorldObject* P = t ? t->link : nullptr;
  if (!transition && !began) {
    if (!o.Has(F::kStateSprite)) l.Show(o, !o.Hidden());
    if (t && !HasRespawnRange(o)) l.Show(*t, !t->Hidden());
  } else if (wasHidden) {
    if (!o.Has(F::kStateSprite)) l.Show(o, true);
    if (t) l.Show(*t, false);
  } else {
    if (!PlaysState(o)) l.Show(o, false);
    if (t && !PlaysState(*t)) l.Show(*t, true);
    if (t && HasRespawnRange(*t) && P) {
      t->Set(F::kPassable | F::kInProcess);
      l.Show(*t, false);
      l.Show(*P, true);
      l.ArmRespawn(*t);
    }
  }
  if (o.desc && o.desc->time != 0 && o.desc->fade == 0) {
    game_.StartEffect(l.FinishingEffect(o), o.position);
  }
  if (!o.Has(F::kObjective) && t && t->cls != WorldObject::kBuilding && t->Has(F::kObjective)) {
    CompleteObjective(*t);
  }
  if (t && t->cls != WorldObject::kWaypoint && P) {
    if (P->cls == WorldObject::kFog) {
      l.Show(*P, false);
    } else if (t->cls == WorldObject::kBuilding) {
      l.Show(*P, !P->Hidden());
    }
  }
  if (o.Has(F::kStateSprite) && o.sprite) {
    o.sprite->step = 1;
  } else if (P && t && t->Has(F::kStateSprite)) {
    P->Set(F::kPassable | F::kInProcess);
    l.Show(*P, true);
    if (P->link) l.Show(*P->link, true);
  }
}

void WorkSite::Relink(WorldObject& p, WorldObject& o) {
  Level& l = game_.level;
  WorldObject* t = o.link;
  WorldObject* P = t ? t->link : nullptr;
  WorldObject* next = nullptr;
  if (t && (t->cls == WorldObject::kObstacle || t->cls == WorldObject::kBuilding)) {
    next = t;
  } else if (P && (P->cls == WorldObject::kScenery || P->cls == WorldObject::kObstacle)) {
    next = P;
    l.Show(*P, true);
    if (P->link) l.Show(*P->link, true);
    if (P->cls == WorldObject::kScenery && P->Has(F::kObjective)) CompleteObjective(*P);
  }
  if (!next || next == &p) return;
  p.link = next;
  p.linkId = next->id;
  next->backLink = &p;
}

void WorkSite::BuildingProgress(WorldObject& w, WorldObject& p, WorldObject& o) {
  Level& l = game_.level;
  const float remaining = game_.timers.Remaining(o.id);
  WorldObject* t = o.link && o.link->cls != WorldObject::kWaypoint ? o.link : nullptr;
  WorldObject* C = t ? t->link : nullptr;
  if (C == &o || C == t) C = nullptr;
  if (remaining > 0) {
    const float time = o.desc ? o.desc->time : 0;
    if (remaining < (time - 1) * 1000 && t && !t->Has(F::kBusy)) {
      t->Set(F::kBusy);
      l.Show(*t, true);
      l.Fade(o, -1, 2000);
    }
    if (C && remaining < float(C->fadeMs) && !C->Has(F::kBusy)) {
      l.Show(o, false);
      if (t) l.Fade(*t, -1, 0);
      l.Show(*C, true);
      C->Set(F::kBusy);
      game_.screen.FadeWorkTimer(o.id);
      game_.StartEffect("build", C->position);
      game_.PlaySound(C->Has(F::kObjective) ? "objective" : "upgrade_complete");
    }
    return;
  }
  FinishBuilding(w, p, o);
}

void WorkSite::FinishBuilding(WorldObject& w, WorldObject& p, WorldObject& o) {
  Level& l = game_.level;
  WorldObject* t = o.link && o.link->cls != WorldObject::kWaypoint ? o.link : nullptr;
  WorldObject* C = t ? t->link : nullptr;
  if (C == &o || C == t) C = nullptr;
  game_.timers.Remove(o.id);
  o.Set(F::kBusy | F::kWorkBegun | F::kFinishing | F::kPose, false);
  Pulse(&o, 0);
  Pulse(t, 0);
  Pulse(C, 0);
  if (C && C->cls == WorldObject::kBuilding && C->desc) {
    l.WakeProduct(*C);
    for (const int index : l.bases[WorkerRoster::kCamp]) {
      if (index < 0 || size_t(index) >= l.waypoints.size()) continue;
      WorldObject* camp = l.waypoints[size_t(index)].waypoint;
      if (camp && camp->respawnMin == o.id) camp->respawnMin = camp->respawnMax = C->id;
    }
    ApplyDifference(o.desc, *C->desc, *C);
  }
  l.Show(o, false);
  if (t) l.Show(*t, false);
  if (C) {
    l.Show(*C, true);
    C->Set(F::kBusy, false);
  }
  game_.FireDialog(o, 3);
  if (C) {
    game_.FireDialog(*C, 3);
    if (C->Has(F::kObjective)) CompleteObjective(*C);
    p.link = C;
    p.linkId = C->id;
    C->backLink = &p;
  }
  TurnHome(w, p);
  game_.PlaySound("work_end");
  const bool carries = OnWorkDone(o);
  const WorldObject* queueFor = C ? C : &o;
  Pose(w, &o, carries, queueFor->desc ? queueFor->desc->WorkerType() : 0);
}

void WorkSite::ApplyDifference(const ObjectDesc* before, const ObjectDesc& after,
                               WorldObject& building) {
  Level& l = game_.level;
  const long long old = before && before->type == after.type ? before->value : 0;
  const long long diff = after.value - old;
  switch (after.type) {
    case ObjectDesc::kWarehouse:
      Add(l.storage, diff);
      break;
    case ObjectDesc::kWorkersHouse: {
      // The first house replaces the lone worker of a level without one: the crew is then
      // the house's value (plus released workers), as a reload of the level computes it.
      const long long lone = game_.homes[0] == 0 && !before ? 1 : 0;
      l.activeWorkers =
          int(std::clamp<long long>(l.activeWorkers + diff - lone, 0, WorkerRoster::kOrdinary));
      game_.homes[0] = building.id;
      game_.ServeQueue();
      break;
    }
    case ObjectDesc::kWorkerLodge:
      if (after.LodgeType() > 0) {
        l.workerTypes |= 1 << after.LodgeType();
        game_.homes[size_t(after.LodgeType())] = building.id;
      }
      break;
    default:
      ApplyRule(after.type, diff);
      break;
  }
}

void WorkSite::ApplyBuildingEffect(WorldObject& b) {
  Level& l = game_.level;
  if (b.desc) {
    ApplyDifference(nullptr, *b.desc, b);
    l.WakeProduct(b);
  }
  l.Show(b, true);
  b.Set(F::kBusy, false);
  if (b.Has(F::kObjective)) CompleteObjective(b);
  b.marker = EffectRef{};
  b.Set(F::kMarker, false);
}

void WorkSite::CompleteObjective(WorldObject& o) {
  Level& l = game_.level;
  if (!o.Has(F::kObjective)) return;
  game_.StartEffect("objective_done", o.position);
  o.Set(F::kObjective | F::kMarker, false);
  o.marker = EffectRef{};
  l.openObjectives = std::max(l.openObjectives - 1, 0);
  game_.PlaySound("objective");
  // The objective line ticks it now, not only when resources next arrive.
  game_.screen.RefreshObjective();
}

bool WorkSite::OnWorkDone(WorldObject& o) {
  Level& l = game_.level;
  const ObjectDesc* d = o.desc;
  if (!d) return false;
  const long long points =
      (long long)(std::trunc(std::fabs(d->time))) + d->cost[0] + d->cost[1] + d->cost[2];
  if (points != 0) game_.screen.AddScorePopup(int(points * 10), o.position);
  if (o.Has(F::kQuest)) ++l.questObjectsFound;
  game_.screen.ClearPendingDialog(o.id);
  l.MarkReachable();
  game_.RefreshHint();
  if (game_.workBonus && d->time != 0) {
    ++bonusWorkCount_;
    // Four works earn the trophy; the three before it report their quarters.
    if (bonusWorkCount_ == 4) game_.screen.Achievement(1);
    if (bonusWorkCount_ < 4) game_.screen.TrophyProgress(1, float(bonusWorkCount_) / 4);
  }
  return d->ret != 0;
}

void WorkSite::TurnHome(WorldObject& w, WorldObject& p) {
  WorkerState& s = *w.worker;
  s.path.clear();
  s.returning = IsOrdinary(game_.level.mode);
  // The route home starts at the work's waypoint (whatever it links to by now).
  game_.roster.SendHome(w, p);
  if (s.path.size() > 1) s.path.pop_back();
  // Nowhere to go: the worker is home at once (next frame).
  if (s.path.empty() && p.waypoint >= 0) s.path.push_back(p.waypoint);
  s.legTarget =
      s.path.empty() ? w.position : game_.level.waypoints[size_t(s.path.back())].waypoint->position;
  w.Set(F::kAtWork, false);
  StopWorkSound(w);
}

bool WorkSite::Pose(WorldObject& w, const WorldObject* o, bool carries, int queueType) {
  Level& l = game_.level;
  const bool plain = o && o->desc && o->desc->type == ObjectDesc::kNone;
  if (IsOrdinary(l.mode) && !carries && plain && game_.roster.HasAnimation(w, 2) &&
      !game_.QueueHasWorkFor(queueType)) {
    bool pose = true;
    if (WorkerRoster::TypeOf(w) == 0) {
      game_.CheckWin();
      pose = !game_.Ended();
    }
    if (pose) {
      game_.roster.SetAnimation(w, 2);
      w.Set(F::kPose);
      return true;
    }
  }
  game_.roster.SetAnimation(w, carries ? 1 : 0);
  return false;
}

void WorkSite::ReleaseWorker(WorldObject& w, WorldObject& p, const ObjectDesc& d) {
  Level& l = game_.level;
  WorkerRoster& roster = game_.roster;
  const int type = d.value;
  if (type < 0 || type >= ObjectDesc::kWorkerTypeCount) return;
  WorldObject* r = nullptr;
  if (type != 0) {
    l.workerTypes |= 1 << type;
    r = roster.Special(type);
  } else if (roster.Active() < WorkerRoster::kOrdinary) {
    r = roster.At(roster.Active());
    if (r && r->worker) {
      ++l.activeWorkers;
      ++l.workersFree;
    }
  }
  if (!r || !r->worker || r->Has(F::kBusy) || r == &w) return;
  WorkerState& s = *r->worker;
  r->position = w.position;
  r->Set(F::kHidden, false);
  r->Set(F::kBusy);
  roster.SetAnimation(*r, 0);
  s.returning = true;
  s.direction = (std::max(w.worker->direction, 0) + 4) % 8;
  if (type == 0) {
    s.path = w.worker->path;
    s.home = w.worker->home;
  } else {
    TurnHome(*r, p);
  }
  if (s.path.empty() && p.waypoint >= 0) s.path.push_back(p.waypoint);
  s.legTarget = l.waypoints[size_t(s.path.back())].waypoint->position;
  if (r->sprite && w.sprite) r->sprite->current = r->sprite->Clamp(w.sprite->current + 6);
}

void WorkSite::ApplyRule(int type, long long amount) {
  Level& l = game_.level;
  switch (type) {
    case ObjectDesc::kWorkSpeed:
      l.obelisks |= kWorkObelisk;
      l.buildSpeed += float(amount) * 0.01f;
      break;
    case ObjectDesc::kWalkSpeed:
      l.obelisks |= kWalkObelisk;
      l.runSpeed += float(amount);
      if (game_.speedBonusOnPanel) game_.screen.Achievement(kSpeedObeliskTrophy);
      break;
    case ObjectDesc::kRespawnSpeed:
      Add(l.respSpeed, amount);
      l.obelisks |= kRespawnObelisk;
      break;
    case ObjectDesc::kAntiThief:
      l.flags |= Hazards::kNoThieves;
      break;
    case ObjectDesc::kAntiFlying:
      l.flags |= Hazards::kNoFlyers;
      break;
    default:
      break;
  }
}
