#include "level/GameController.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/LevelEffects.h"
#include "level/LevelScreen.h"
#include "level/LevelServices.h"
#include "level/LevelSounds.h"
#include "level/ObjectHint.h"

namespace {

using F = ObjectFlags;

float Sane(float frameTime) {
  return std::isfinite(frameTime) && frameTime > 0 ? std::min(frameTime, 1.0e6f) : 0.0f;
}

}  // namespace

GameController::GameController(Level& levelRef, const GameSettings& settingsRef,
                               LevelScreen& screenRef, LevelSounds* soundsRef,
                               LevelEffects* effectsRef)
    : level(levelRef),
      settings(settingsRef),
      screen(screenRef),
      sounds(soundsRef),
      effects(effectsRef),
      updater(levelRef, settingsRef, effectsRef, soundsRef),
      paths(levelRef),
      roster(*this),
      walker(*this),
      work(*this),
      economy(*this),
      end(*this),
      hazards(*this),
      miniGame(*this) {
  updater.SetFrameHook([this](WorldObject& o, int frame) { work.OnWorkerFrame(o, frame); });
}

// ---------------------------------------------------------------- level start

void GameController::Begin() {
  endTimer = level.ended ? 0.0f : -1.0f;
  hovered = pendingClick = 0;
  readiness = kNoWorker;
  exitWalk = ExitWalk::NotStarted;
  homes.fill(0);
  timers.Clear();
  incomeBonus = bonusesRunning = 0;
  extraWorkerAdded = false;
  speedBonus = workBonus = timeFrozen = extraWorkerEnded = false;
  level.PrepareObjects();
  economy.Begin();
  end.Begin();
  hazards.Begin();
  if (level.mode == LevelMode::MiniGame) miniGame.Begin();
  if (!IsOrdinary(level.mode)) return;
  FindHomes();
  // The standing workers' house gives the crew (one worker without a house), and workers
  // released during play (workersFree) join it. Saved levels do not store the number.
  long long crew = 1;
  if (WorldObject* h = level.FindObject(homes[0]); h && h->desc) crew = h->desc->value;
  crew += level.workersFree;
  if (level.state != LevelState::Saved) roster.Create();
  level.activeWorkers = int(std::clamp<long long>(crew, 0, WorkerRoster::kOrdinary));
  // The saved queue: waypoints only, each once, at most three; only they carry the mark.
  for (const auto& o : level.objects) {
    if (o->cls == WorldObject::kWaypoint) o->Set(F::kQueued, false);
  }
  std::vector<int> queue;
  for (const int id : level.commandQueue) {
    WorldObject* p = Waypoint(id);
    if (p && int(queue.size()) < kQueueCapacity &&
        std::find(queue.begin(), queue.end(), id) == queue.end()) {
      queue.push_back(id);
      p->Set(F::kQueued);
    }
  }
  level.commandQueue = std::move(queue);
  RestoreTimers();
  level.MarkReachable();
}

void GameController::FindHomes() {
  for (const auto& o : level.objects) {
    if (o->cls != WorldObject::kBuilding || !o->desc || o->Hidden()) continue;
    if (o->desc->type == ObjectDesc::kWorkersHouse && homes[0] == 0) homes[0] = o->id;
    if (const int type = o->desc->LodgeType(); type > 0 && homes[size_t(type)] == 0) {
      homes[size_t(type)] = o->id;
      level.workerTypes |= 1 << type;
    }
  }
}

void GameController::RestoreTimers() {
  for (const LevelData::SavedTimer& t : level.savedTimers) {
    if (t.kind != LevelData::SavedTimer::kObstacle) continue;
    const WorldObject* o = level.FindObject(t.id);
    if (!o || t.max <= 0) continue;
    timers.Start(t.id, float(t.max), float(t.cur));
  }
}

std::optional<std::string> GameController::Save() {
  using Timer = LevelData::SavedTimer;
  auto& saved = level.savedTimers;
  saved.erase(std::remove_if(saved.begin(), saved.end(),
                             [](const Timer& t) { return t.kind == Timer::kObstacle; }),
              saved.end());
  for (const WorkTimers::Timer& t : timers.All()) {
    if (t.elapsed < t.total)
      saved.push_back(Timer{Timer::kObstacle, t.id, int(t.elapsed), int(t.total)});
  }
  return level.SaveLevel();
}

// ---------------------------------------------------------------- the frame

void GameController::Frame(float frameTime, bool blocked) {
  frameTime = Sane(frameTime);
  // The world stands still while the level screen holds the level (a dialog, the start
  // prompt, a fade): sprites, scrolling, fades, the flyer and the birds wait with it. Only
  // the particle effects (fog, weather) go on.
  if (screen.Paused()) {
    updater.AdvanceEffects(frameTime);
  } else {
    updater.Animate(frameTime);
    hazards.Animate(frameTime);
  }
  if (!blocked) Tick(frameTime);
}

void GameController::Tick(float frameTime) {
  frameTime = Sane(frameTime);
  // Once the end has begun counting, only the end runs.
  if (endTimer > 0) {
    EndStep(frameTime);
    return;
  }
  if (screen.Paused()) return;
  // Whether the level was still being played when the frame began: a mini-game decided
  // during the frame still takes its win check.
  const bool playing = endTimer < 0;
  // The clocks run while the level is played, unless a bonus froze them.
  if (endTimer < 0 && !timeFrozen) {
    level.gameTime += int(frameTime);
    screen.AdvanceLevelTimer(frameTime);
  }
  // What workers can reach, the lines that became due, the extra worker's leaving and the
  // queued commands.
  if (IsOrdinary(level.mode)) {
    if (endTimer <= 0) {
      level.MarkReachable();
      readiness = ComputeReadiness();
      FireReadyDialogs();
    }
    if (extraWorkerEnded && roster.Shrink()) extraWorkerEnded = false;
    if (AnyWorkerFree() || !level.commandQueue.empty()) ServeQueue();
  } else if (level.mode == LevelMode::MiniGame && playing) {
    miniGame.Periodic(frameTime);
  }
  if (endTimer < 0 || (level.mode == LevelMode::MiniGame && playing)) CheckWin();
  // Work timers (ten times as fast once the level has ended), objects, walking workers and
  // hazards.
  const float timerStep = frameTime * level.buildSpeed * (workBonus ? 2.0f : 1.0f);
  timers.Advance(Ended() ? frameTime * 10.0f : timerStep);
  updater.UpdateObjects(frameTime);
  if (level.mode == LevelMode::MiniGame && playing) miniGame.Update(frameTime);
  if (IsOrdinary(level.mode)) {
    // By index: work may release workers, but never adds or removes any.
    for (size_t i = 0; i < level.workers.size(); ++i) {
      WorldObject& w = *level.workers[i];
      if (w.worker && !w.worker->path.empty()) walker.Walk(w, frameTime);
    }
  }
  level.RemoveFlagged();
  if (hovered != 0 && !HoverTarget(hovered)) hovered = 0;
  if (endTimer < 0) SpawnHazards(frameTime);
  EndStep(frameTime);
}

// ---------------------------------------------------------------- pointer

WorldObject* GameController::PickHovered(Vec2 point) const {
  if (level.mode == LevelMode::MiniGame) return miniGame.PickHovered(point);
  for (int i = 0; i < 2; ++i) {
    WorldObject* bird = hazards.Bird(i);
    if (bird && bird->Contains(point)) return bird;
  }
  for (auto it = level.objects.rbegin(); it != level.objects.rend(); ++it) {
    if ((*it)->cls == WorldObject::kBird && !(*it)->Hidden() && (*it)->Contains(point)) {
      return it->get();
    }
  }
  for (auto it = level.objects.rbegin(); it != level.objects.rend(); ++it) {
    WorldObject& o = **it;
    bool hoverable = false;
    switch (o.cls) {
      case WorldObject::kFog:
        hoverable = !o.HasAny(F::kHidden | F::kFinishing) && !o.Has(F::kBusy);
        break;
      case WorldObject::kPuzzlePiece:
      case WorldObject::kFlyer:
        hoverable = !o.Has(F::kBusy);
        break;
      case WorldObject::kWaypoint:
        hoverable = !o.Has(F::kBusy) && o.link &&
                    (!o.link->Has(F::kPassable) || o.link->Has(F::kRespawning));
        break;
      default:
        break;
    }
    if (hoverable && o.Contains(point)) return &o;
  }
  return nullptr;
}

void GameController::Hover(WorldObject* p) {
  hovered = 0;
  if (!IsOrdinary(level.mode)) {
    hovered = p ? p->id : 0;
    return;
  }
  if (Ended() || !p) return;
  if (p->cls == WorldObject::kPuzzlePiece || p->cls == WorldObject::kFillable ||
      p->cls == WorldObject::kFlyer) {
    hovered = p->id;
    return;
  }
  if (p->cls != WorldObject::kWaypoint || !p->link) return;
  WorldObject& q = *p->link;
  hovered = p->id;
  const bool upgrade = q.link && q.link->cls != WorldObject::kWaypoint;
  if (q.cls == WorldObject::kBuilding && !upgrade) {
    readiness = kUnreachable;
    hovered = 0;
    return;
  }
  readiness = ComputeReadiness();
  if (q.cls == WorldObject::kLandmark) hovered = 0;
  if (q.Has(F::kInProcess) && (q.cls == WorldObject::kBuilding || !q.Has(F::kRespawning))) {
    hovered = 0;
  }
}

void GameController::UpdateHint(WorldObject* p) {
  hintObject_ = p ? p->id : 0;
  Hover(p);
  if (!IsOrdinary(level.mode)) return;
  ObjectHint::Result hint;
  if (!Ended() && p) hint = ObjectHint(*this, strings).For(*p);
  screen.ShowObjectInfo(hint.text, hint.rect);
}

void GameController::RefreshHint() {
  if (hintObject_ != 0) UpdateHint(level.FindObject(hintObject_));
}

// ---------------------------------------------------------------- commands

WorldObject* GameController::HoverTarget(int id) const {
  if (WorldObject* o = level.FindObject(id)) return o;
  // Mini-game enemies walk in the worker list and are hovered there.
  if (level.mode != LevelMode::MiniGame) return nullptr;
  for (const auto& w : level.workers) {
    if (w->id == id) return w.get();
  }
  return nullptr;
}

WorldObject* GameController::Waypoint(int id) const {
  if (id == 0) return nullptr;
  WorldObject* o = level.FindObject(id);
  return o && o->cls == WorldObject::kWaypoint && !o->Has(F::kDelete) ? o : nullptr;
}

int GameController::ComputeReadiness() {
  const WorldObject* p = Hovered();
  const WorldObject* L = p ? p->link : nullptr;
  if (!L || !L->desc) return kNoWorker;
  const ObjectDesc& d = *L->desc;
  const int w = d.WorkerType();
  if (L->Has(F::kNeedsQuest) && level.questObjectsFound < level.questObjectsNeeded) {
    return kQuestMissing;
  }
  if (w < 0 || !level.WorkerTypeAvailable(w)) return kTypeMissing;
  if (!L->Has(F::kReachableOrdinary) || (w != 0 && !L->Has(F::kReachableSpecial))) {
    return kUnreachable;
  }
  if (!level.Affordable(d)) return kNoResources;
  const bool free = d.cost == std::array<int, 3>{};
  if (!roster.FreeWorker(w, nullptr) && !(w == 0 && free && roster.ReturningWorker(nullptr))) {
    return kNoWorker;
  }
  return kReady;
}

bool GameController::Queued(const WorldObject& p) const {
  const auto& q = level.commandQueue;
  return std::find(q.begin(), q.end(), int(p.id)) != q.end();
}

void GameController::Enqueue(WorldObject& p) {
  if (Queued(p) || int(level.commandQueue.size()) >= kQueueCapacity) return;
  level.commandQueue.push_back(p.id);
  p.Set(F::kQueued);
}

void GameController::Unqueue(WorldObject& p) {
  auto& q = level.commandQueue;
  q.erase(std::remove(q.begin(), q.end(), int(p.id)), q.end());
  p.Set(F::kQueued, false);
}

bool GameController::QueueHasWorkFor(int type) {
  for (const int id : level.commandQueue) {
    const WorldObject* p = Waypoint(id);
    const WorldObject* L = p ? p->link : nullptr;
    if (!L || !L->desc || L->desc->WorkerType() != type || !level.Affordable(*L->desc)) continue;
    if (L->Has(F::kReachableOrdinary) && (type == 0 || L->Has(F::kReachableSpecial))) return true;
  }
  return false;
}

bool GameController::AnyWorkerFree() const {
  for (int i = 0; i < roster.Active(); ++i) {
    if (roster.At(i) && !roster.At(i)->Has(F::kBusy)) return true;
  }
  for (int type = 1; type <= 8; ++type) {
    if (roster.Special(type) && !roster.Special(type)->Has(F::kBusy)) return true;
  }
  return false;
}

void GameController::Click(WorldObject* p) {
  if (!p) return;
  // A bird is hit even after the end; any other click then only asks for the result.
  if (p->cls == WorldObject::kBird) {
    ClickBird(*p);
    return;
  }
  if (Ended()) {
    continueRequested = true;
    return;
  }
  // Only a click on what the pointer hovers counts.
  if (hovered == 0 || !HoverTarget(hovered)) return;
  hovered = 0;
  // A puzzle piece is collected at once.
  if (p->cls == WorldObject::kPuzzlePiece) {
    p->Set(F::kBusy);
    level.Fade(*p, -1, 0);
    PlaySound("puzzle_collect");
    StartEffect("puzzle_collect", p->position);
    level.puzzleCollected = true;
    screen.PuzzlePieceFound();
    return;
  }
  // Mini-game levels (and still levels, which have no phase) have rules of their own.
  if (level.mode == LevelMode::MiniGame || level.mode == LevelMode::Still) {
    miniGame.Click(*p);
    return;
  }
  // Scared workers take no command: a click hits the flyer or says so.
  if (Scared()) {
    if (p == level.flyer) {
      HitFlyer(*p);
    } else {
      screen.ShowMessage("workers_scared", p->position);
    }
    return;
  }
  // Anything else is a command at a waypoint to the object it leads to.
  if (p->cls != WorldObject::kWaypoint || !p->link || p->link->cls == WorldObject::kScenery) return;
  ClickWaypoint(*p, *p->link);
}

void GameController::ClickWaypoint(WorldObject& p, WorldObject& d) {
  if (d.Has(F::kInProcess) && d.link && d.link->cls == WorldObject::kObstacle) {
    if (Queued(p)) {
      Unqueue(p);
    } else {
      Enqueue(p);
    }
    return;
  }
  if (d.Has(F::kInProcess) && !d.Has(F::kRespawning)) return;
  hovered = p.id;
  readiness = ComputeReadiness();
  if (d.Has(F::kInProcess) || readiness != kReady) {
    Refuse(p, d);
    return;
  }
  const bool sent = Dispatch();
  screen.ShowCommandMark(sent, p.id, p.position);
}

GameController::Refusal GameController::RefusalFor(WorldObject& p, WorldObject& d, bool room) {
  Refusal r;
  const int type = d.desc ? d.desc->WorkerType() : -1;
  char text[32];
  switch (readiness) {
    case kUnreachable:
      r.hint = paths.FindBlocker(type, &p);
      if (!room || r.hint) {
        r.message = "path_blocked";
      } else {
        r.mayQueue = true;
      }
      break;
    case kNoResources:
      r.message = ShortageMessage(r.hint);
      r.mayQueue = true;
      break;
    case kTypeMissing:
      r.hint = LodgeFor(type);
      std::snprintf(text, sizeof text, "no_free_worker_%02d", std::max(type, 0));
      r.message = text;
      break;
    case kQuestMissing:
      r.message = "no_quest_object";
      break;
    case kNoWorker:
      if (room) {
        r.mayQueue = true;
      } else if (WorkerAboutHome()) {
        r.pending = true;
      } else {
        WorldObject* home = level.FindObject(homes[0]);
        if (home && home->Hidden()) r.hint = home;
        r.message = "no_free_workers";
      }
      break;
    default:
      r.mayQueue = true;  // waiting to respawn
      break;
  }
  return r;
}

void GameController::Refuse(WorldObject& p, WorldObject& d) {
  const bool room = int(level.commandQueue.size()) < kQueueCapacity;
  const Refusal r = RefusalFor(p, d, room);
  if (r.pending) {
    pendingClick = p.id;
    return;
  }
  if (!d.Has(F::kNeedsQuest) || level.questObjectsFound >= level.questObjectsNeeded) {
    if (Queued(p)) {
      Unqueue(p);
    } else if (r.mayQueue && room) {
      Enqueue(p);
      screen.PointAtObject(nullptr);
    } else {
      screen.ShowCommandMark(false, p.id, p.position);
    }
  }
  if (r.hint) screen.PointAtObject(r.hint);
  if (!r.message.empty()) screen.ShowMessage(r.message, d.position);
}

char16_t GameController::ResourceSymbol(int index) const {
  // Inline symbols are registered as code units 1, 2, ... in the order of the symbol table.
  const int count = int(level.Descriptors().Symbols().size());
  return index < count ? char16_t(index + 1) : u'?';
}

std::string GameController::ShortageMessage(WorldObject*& source) {
  std::string message = "insuf_res\\";
  const WorldObject* p = Hovered();
  const ObjectDesc& d = *p->link->desc;
  int first = -1;
  for (int i = 0; i < 3; ++i) {
    const int missing = d.cost[size_t(i)] - level.resources[size_t(i)];
    if (d.cost[size_t(i)] <= 0 || missing <= 0) continue;
    message += std::to_string(missing);
    message += char(ResourceSymbol(i));
    screen.FlashShortage(i);
    if (first < 0) first = i;
  }
  if (first >= 0) source = ResourceSource(first);
  return message;
}

WorldObject* GameController::ResourceSource(int i) {
  const auto income = [i](const ObjectDesc* d) { return d && d->income[size_t(i)] > 0; };
  for (const auto& o : level.objects) {
    if (o->Has(F::kReachable) && o->desc && level.Affordable(*o->desc) && income(o->desc)) {
      return o.get();
    }
  }
  for (const auto& o : level.objects) {
    if (o->Has(F::kReachable) && income(o->desc)) return o.get();
  }
  for (const auto& o : level.objects) {
    if (o->cls == WorldObject::kBuilding && !o->Hidden() && o->link &&
        o->link->cls != WorldObject::kWaypoint && income(o->link->desc)) {
      return o.get();
    }
  }
  for (const auto& o : level.objects) {
    if (o->cls == WorldObject::kObstacle && !o->Has(F::kInProcess) && o->link &&
        o->link->cls == WorldObject::kBuilding && income(o->link->desc)) {
      return o.get();
    }
  }
  return nullptr;
}

WorldObject* GameController::LodgeFor(int type) const {
  if (type <= 0) return nullptr;
  for (const auto& o : level.objects) {
    if (o->cls != WorldObject::kBuilding || !o->link || !o->link->link) continue;
    const ObjectDesc* d = o->link->link->desc;
    if (d && d->LodgeType() == type) return o.get();
  }
  return nullptr;
}

bool GameController::WorkerAboutHome() const {
  const float reach = (level.runSpeed + (speedBonus ? 10.0f : 0.0f));
  for (int i = 0; i < roster.Active(); ++i) {
    const WorldObject* w = roster.At(i);
    if (!w || !w->Has(F::kBusy) || !w->worker->returning || w->worker->path.size() != 1) continue;
    const float dx = w->worker->legTarget.x - w->position.x;
    const float dy = w->worker->legTarget.y - w->position.y;
    if (std::hypot(dx, dy) < reach) return true;
  }
  return false;
}

void GameController::ServeQueue() {
  if (extraWorkerEnded && (AnyWorkerFree() || level.commandQueue.empty())) return;
  screen.RefreshFreeWorkers();
  // While a flyer scares the workers, queued and pending commands wait: clicked now, they
  // would only be refused and lost.
  if (Scared()) return;
  const int savedHovered = hovered;
  const int savedReadiness = readiness;
  if (WorldObject* p = Waypoint(pendingClick)) {
    pendingClick = 0;
    hovered = p->id;
    readiness = ComputeReadiness();
    Click(p);  // may keep it pending again
  }
  // The first queued command that is ready now is given; commands whose objects are gone or
  // already worked on leave the queue.
  for (size_t i = 0; i < level.commandQueue.size();) {
    WorldObject* p = Waypoint(level.commandQueue[i]);
    WorldObject* o = p ? p->link : nullptr;
    if (!o) {
      level.commandQueue.erase(level.commandQueue.begin() + long(i));
      if (p) p->Set(F::kQueued, false);
      continue;
    }
    if (o->Has(F::kRespawning)) {
      ++i;
      continue;
    }
    if (o->HasAny(F::kInProcess | F::kBusy) &&
        !(o->link && o->link->cls == WorldObject::kObstacle)) {
      Unqueue(*p);
      continue;
    }
    hovered = p->id;
    if (ComputeReadiness() == kReady) {
      Unqueue(*p);
      hovered = p->id;
      Click(p);
      break;
    }
    ++i;
  }
  hovered = savedHovered;
  readiness = savedReadiness;
}

bool GameController::PayCost(const WorldObject& o) {
  if (!o.desc || !level.Affordable(*o.desc)) return false;
  for (int i = 0; i < 3; ++i) {
    const int cost = o.desc->cost[size_t(i)];
    if (cost <= 0) continue;
    level.resources[size_t(i)] -= cost;
    screen.FlashResource(i, true);
  }
  return true;
}

bool GameController::Dispatch() {
  WorldObject* p = Hovered();
  WorldObject* o = p ? p->link : nullptr;
  std::optional<Sending> sending = o && o->desc ? ChooseWorker(*p, *o) : std::nullopt;
  if (!sending) {
    readiness = kNoWorker;
    return false;
  }
  Send(*sending, *o);
  hovered = 0;
  if (!sending->redirected) walker.WorkerOut(*sending->worker);
  return true;
}

std::optional<GameController::Sending> GameController::ChooseWorker(WorldObject& p,
                                                                    WorldObject& o) {
  const int type = o.desc->WorkerType();
  const bool free = o.desc->cost == std::array<int, 3>{};
  Sending sending{roster.FreeWorker(type, &p), {}, false};
  if (type == 0 && free) {
    if (WorldObject* r = roster.ReturningWorker(&p)) sending = Sending{r, {}, true};
  }
  // A redirected worker that cannot go is replaced by one from home, once.
  for (int attempt = 0; attempt < 2 && sending.worker; ++attempt) {
    const WorkerState& w = *sending.worker->worker;
    const int start = type != 0            ? roster.BaseStart(type)
                      : sending.redirected ? w.path.back()
                                           : w.home;
    std::optional<PathFinder::Path> path = paths.FindPath(start, &o, false);
    if (path && PayCost(o)) {
      sending.path = std::move(*path);
      return sending;
    }
    if (!sending.redirected) break;
    sending = Sending{roster.FreeWorker(type, &p), {}, false};
  }
  return std::nullopt;
}

void GameController::Send(Sending& sending, WorldObject& o) {
  WorldObject& s = *sending.worker;
  WorkerState& w = *s.worker;
  w.path = std::move(sending.path);
  o.Set(F::kReachable | F::kReachableOrdinary | F::kThievable, false);
  o.Set(F::kInProcess | F::kThiefTarget);
  // The fade stops; no longer reachable, its opacity is no more the blink's.
  o.fadeDir = 0;
  o.alpha = o.Hidden() ? 0 : 255;
  const auto at = [this](int node) { return level.waypoints[size_t(node)].waypoint->position; };
  if (sending.redirected) {
    // Already past its next waypoint: go on from the following one.
    if (w.path.size() >= 2) {
      const Vec2 next = at(w.path.back());
      const Vec2 after = at(w.path[w.path.size() - 2]);
      const float toAfter = std::hypot(after.x - s.position.x, after.y - s.position.y);
      if (toAfter < std::hypot(after.x - next.x, after.y - next.y)) w.path.pop_back();
    }
    w.returning = false;
    s.Set(F::kPose, false);
  } else {
    s.position = at(w.path.back());
  }
  s.Set(F::kBusy);
  s.Set(F::kHidden | F::kAtWork, false);
  roster.SetAnimation(s, 0);
  w.legTarget = at(w.path.back());
  const float dx = w.legTarget.x - s.position.x;
  const float dy = w.legTarget.y - s.position.y;
  if (dx != 0 || dy != 0) WorkerRoster::SetDirection(s, dx, dy);
  if (w.direction < 0) w.direction = 0;
}

// ---------------------------------------------------------------- services

void GameController::PlaySound(std::string_view name) {
  if (sounds && !name.empty()) sounds->Play(name);
}

void GameController::StartEffect(std::string_view name, Vec2 at) {
  if (effects && !name.empty()) effects->Start(name, at);
}

void GameController::FireDialog(WorldObject& o, int trigger) {
  if (!o.Has(F::kDialog) || !o.dialog) return;
  SpeechLine line = *o.dialog;
  if (line.trigger != trigger) return;
  if (o.Has(F::kQuest)) line.text += level.questObjectsFound;
  o.dialog = line;
  if (LevelServices* services = level.Services()) services->FireDialogs(level, o, trigger);
  o.dialog.reset();
  o.Set(F::kDialog, false);
}

// ---------------------------------------------------------------- bonuses

void GameController::FireReadyDialogs() {
  // A selector at full colour (reachable, its worker type here, every cost covered, no quest
  // object missing) fires the object's dialog of trigger 1. By index: firing adds nothing.
  for (size_t i = 0; i < level.objects.size(); ++i) {
    WorldObject& o = *level.objects[i];
    if (!o.Has(F::kDialog) || !o.dialog || o.dialog->trigger != 1) continue;
    if (!o.Has(F::kReachableOrdinary) || !o.desc) continue;
    const int type = o.desc->WorkerType();
    if (type < 0 || !level.WorkerTypeAvailable(type) || !level.Affordable(*o.desc)) continue;
    if (o.Has(F::kNeedsQuest) && level.questObjectsFound < level.questObjectsNeeded) continue;
    FireDialog(o, 1);
  }
}

bool GameController::Scared() const { return level.flyer && !hazards.FlyerDying(); }

void GameController::BonusStart(int id, bool restoring) {
  if (id < 0 || id >= Level::kBonusCount) return;
  if (!restoring) {
    if (const BonusInfo* b = level.Descriptors().Bonus(id)) PlaySound(b->sound);
  }
  switch (id) {
    case 0:
      speedBonus = true;
      if (level.obelisks & 1) screen.Achievement(6);
      break;
    case 1:
      workBonus = true;
      break;
    case 2:
      incomeBonus = 1;
      break;
    case 3:
      if (extraWorkerEnded) {
        // Bought again while the last one still waits to leave: that worker stays on.
        extraWorkerEnded = false;
        extraWorkerAdded = true;
      } else if (!extraWorkerAdded) {
        // A full crew of eight gets no extra worker, and so loses none when the bonus ends.
        extraWorkerAdded = level.activeWorkers < WorkerRoster::kOrdinary;
        if (extraWorkerAdded) ++level.activeWorkers;
      }
      ServeQueue();
      break;
    case 4:
      economy.AddToAll(2);
      return;
    default:
      timeFrozen = true;
      break;
  }
  if (bonusesRunning++ == 0) SetWorkerMarkers(true);
}

void GameController::BonusEnd(int id) {
  if (id < 0 || id >= Level::kBonusCount || id == 4) return;
  switch (id) {
    case 0:
      speedBonus = false;
      break;
    case 1:
      workBonus = false;
      work.RestartBonusCount();
      break;
    case 2:
      incomeBonus = 0;
      break;
    case 3:
      extraWorkerEnded = extraWorkerAdded;
      extraWorkerAdded = false;
      break;
    default:
      timeFrozen = false;
      break;
  }
  if (bonusesRunning > 0 && --bonusesRunning == 0) SetWorkerMarkers(false);
}

void GameController::SetWorkerMarkers(bool on) {
  for (int i = 0; i < WorkerRoster::kRosterSize; ++i) {
    WorldObject* w = i < WorkerRoster::kOrdinary ? roster.At(i) : roster.Special(i - 7);
    if (!w) continue;
    w->marker = on ? EffectRef{"worker_bonus", 0, 0, true} : EffectRef{};
    w->Set(F::kMarker, on);
  }
}
