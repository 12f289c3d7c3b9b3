#include "level/LevelObjectUpdater.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/Random.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "level/Level.h"
#include "level/LevelEffects.h"
#include "level/LevelSounds.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
// The highlight of a reachable object when marks do not blink: the blink's mean strength.
constexpr double kSteadyHighlight = 110.0;

// A frame step the rules can work with: finite and not negative.
float Sane(float frameTime) {
  return std::isfinite(frameTime) && frameTime > 0 ? std::min(frameTime, 1.0e6f) : 0.0f;
}

float Wrap01(float v) { return v - std::floor(v); }

void Rotate(WorldObject& o, float degrees) {
  o.rotation = std::remainder(o.rotation + degrees, 360.0f);
}

}  // namespace

LevelObjectUpdater::LevelObjectUpdater(Level& level, const GameSettings& settings,
                                       LevelEffects* effects, LevelSounds* sounds)
    : level_(level), settings_(settings), effects_(effects), sounds_(sounds) {}

// ---------------------------------------------------------------- object update

void LevelObjectUpdater::UpdateObjects(float frameTime) {
  if (!IsOrdinary(level_.mode)) return;
  frameTime = Sane(frameTime);
  // By index: objects flagged for deletion stay in the list until the whole update is done,
  // and nothing here adds objects.
  for (size_t i = 0; i < level_.objects.size(); ++i) UpdateObject(*level_.objects[i], frameTime);
}

void LevelObjectUpdater::UpdateObject(WorldObject& o, float frameTime) {
  using F = ObjectFlags;
  switch (o.cls) {
    case WorldObject::kFlyer:
      // After loading a save the flying creature takes its place again.
      if (!o.Has(F::kBusy) && !level_.flyer) level_.flyer = &o;
      break;
    case WorldObject::kObstacle:
      if (o.Has(F::kPassable) && !o.Has(F::kDormant) && o.respawnLeft >= 0 && !level_.ended) {
        if (o.respawnLeft == 0) {
          level_.ArmRespawn(o);
        } else {
          // Respawn speed in percent; a speed below zero stops the clock.
          const double factor = std::max(0.0, 1.0 + (level_.respSpeed - 100) * 0.01);
          const double step = std::min(std::trunc(factor * frameTime), double(INT32_MAX));
          o.respawnLeft = int(std::max(double(o.respawnLeft) - step, -1.0));
          if (o.respawnLeft <= 0) Respawn(o);
        }
      }
      if (o.Has(F::kStateSprite) && o.sprite) FinishStateSprite(o);
      break;
    case WorldObject::kPuzzlePiece:
      // A collected piece grows while it fades out (drawn so), then goes.
      if (o.Has(F::kBusy) && !o.Hidden() && o.fadeDir == 0) level_.Show(o, false);
      break;
    default:
      break;
  }
}

void LevelObjectUpdater::Respawn(WorldObject& o) {
  using F = ObjectFlags;
  o.respawnLeft = -1;
  o.stamp = level_.gameTime;
  level_.Fade(o, +1, 0);
  o.Set(F::kInProcess | F::kPassable | F::kRespawning | F::kThiefTarget, false);
  o.Set(F::kThievable);
  if (sounds_) sounds_->Play("object_respawn");
  if (effects_) {
    effects_->Start("respawn", Vec2{o.position.x, o.position.y - settings_.respawnOffset});
  }
}

void LevelObjectUpdater::FinishStateSprite(WorldObject& o) {
  using F = ObjectFlags;
  SpriteAnim& s = *o.sprite;
  if (o.Has(F::kAtWork)) {
    s.StopAt(s.LastFrame());  // the change is shown: it stays
    return;
  }
  if (!s.Playing() || s.current < s.LastFrame()) return;
  s.StopAt(s.LastFrame());
  o.Set(F::kAtWork);
  WorldObject* l = o.link;
  if (!l || l->cls == WorldObject::kEffectSpot) return;
  // What the change opened becomes passable and taken care of.
  l->Set(F::kPassable | F::kInProcess);
  l->Set(F::kReachable | F::kReachableOrdinary | F::kThiefTarget, false);
  if (l->Has(F::kSlide)) {
    l->marker = EffectRef{l->texture, 0, 0, !l->Hidden()};
    l->Set(F::kMarker);
    return;
  }
  level_.Show(*l, true);
  PlayFinishing(*l);
  level_.ForLinkChain(*l, [&](WorldObject& next) {
    if (&next == &o) return;
    level_.Show(next, true);
    PlayFinishing(next);
  });
}

void LevelObjectUpdater::PlayFinishing(const WorldObject& o) {
  if (!effects_ || o.cls == WorldObject::kWaypoint) return;
  const std::string name = level_.FinishingEffect(o);
  if (!name.empty()) effects_->Start(name, o.position);
}

// ---------------------------------------------------------------- animation update

void LevelObjectUpdater::Animate(float frameTime) {
  frameTime = Sane(frameTime);
  level_.blinkPhase = float(std::fmod(double(level_.blinkPhase) + frameTime / 1000.0, 3600.0));
  level_.animationClock += frameTime;
  for (size_t i = 0; i < level_.objects.size(); ++i) AnimateObject(*level_.objects[i], frameTime);
  for (size_t i = 0; i < level_.workers.size(); ++i) AnimateObject(*level_.workers[i], frameTime);
  AnimateIndicators(frameTime);
  AdvanceEffects(frameTime);
}

void LevelObjectUpdater::AdvanceEffects(float frameTime) {
  if (!effects_) return;
  effects_->Sync(level_);
  effects_->Advance(Sane(frameTime));
}

void LevelObjectUpdater::AnimateObject(WorldObject& o, float frameTime) {
  using F = ObjectFlags;
  // Scrolling textures.
  if (o.Has(F::kScroll) && !o.HasAny(F::kNoRespawn | F::kSlide) && !level_.calmMotion) {
    for (int axis = 0; axis < 2; ++axis) {
      const float speed = axis == 0 ? o.texSpeed.x : o.texSpeed.y;
      float& lo = o.uvRect[size_t(axis)];
      float& hi = o.uvRect[size_t(axis + 2)];
      const float width = hi - lo;
      lo = Wrap01(lo + frameTime * speed * 0.00001f);
      hi = lo + width;
    }
  }
  // Sliding to the link once passable.
  if (o.Has(F::kSlide) && o.Has(F::kPassable)) {
    if (o.link) {
      const float speed = std::hypot(o.texSpeed.x, o.texSpeed.y) * frameTime / 1000.0f;
      const float dx = o.link->position.x - o.position.x;
      const float dy = o.link->position.y - o.position.y;
      const float distance = std::hypot(dx, dy);
      if (distance < speed || distance == 0) {
        o.position = o.link->position;
      } else {
        o.position.x += dx / distance * speed;
        o.position.y += dy / distance * speed;
      }
    }
    if (o.sprite && o.respawnMin != 1) o.sprite->StopAt(o.sprite->current);
  }
  // The blink of reachable objects.
  if (o.Has(F::kReachableOrdinary)) Highlight(o);
  // Fades.
  if (o.fadeDir != 0) {
    const float full = float(WorldObject::kFullFade);
    const float ms = o.fadeMs > 0 ? float(o.fadeMs) : 1.0f;
    o.fadeValue += float(o.fadeDir) * full * frameTime / ms;
    if (o.fadeDir < 0 && o.fadeValue <= 0) {
      o.fadeValue = 0;
      o.fadeDir = 0;
      if (level_.mode == LevelMode::MiniGame && o.cls == WorldObject::kObstacle) {
        level_.Show(o, false);
      }
    } else if (o.fadeDir > 0 && o.fadeValue >= full) {
      o.fadeValue = full;
      o.fadeDir = 0;
    }
    o.alpha = uint8_t(std::clamp(std::fabs(o.fadeValue * 0.2f), 0.0f, 255.0f));
  }
  // Pauses between the runs of idle animations.
  const bool idle = o.sprite && o.animPause[0] >= 0 && o.animPause[1] > 0;
  if (idle) IdlePause(o, frameTime);
  // The pulse of an object being worked on.
  if (o.pulseDesc != 0) {
    const ObjectDesc* d = level_.PulseDescriptor(o);
    if (d && d->scaleTime != 0 && d->scalePercent != 0) {
      o.pulsePhase =
          float(std::fmod(double(o.pulsePhase) + frameTime / (double(d->scaleTime) * 0.5), kTwoPi));
    }
  }
  // The sprite.
  if (o.sprite) {
    SpriteAnim& s = *o.sprite;
    const bool change =
        o.cls == WorldObject::kObstacle && o.Has(F::kStateSprite) && !o.Has(F::kAtWork);
    const bool running = idle && o.animPause[2] < 0;
    const auto report = [&](int frame) {
      if (frameHook_) frameHook_(o, frame);
    };
    const bool last = s.Advance(frameTime, report, change || running);
    if (last && change) {
      s.step = 1;  // the object update notices the last frame and hands the change on
    } else if (last && running) {
      o.animPause[2] = 0;
      IdlePause(o, 0);  // the pause begins on the last frame
    }
  }
}

void LevelObjectUpdater::Highlight(WorldObject& o) {
  const float k = o.cls == WorldObject::kBuilding ? 3.0f : 5.0f;
  const double wave = level_.steadyMarks
                          ? kSteadyHighlight
                          : 100.0 * (1.0 - std::sin(double(k) * level_.blinkPhase + o.id));
  int alpha = int(std::clamp(wave, 0.0, 255.0));
  if (o.desc && (!level_.WorkerTypeAvailable(o.desc->work) || !level_.Affordable(*o.desc))) {
    alpha = 0;
  }
  if (level_.mode == LevelMode::MiniGame &&
      !(miniGamePhaseKind_ == 3 || (miniGamePhaseKind_ == 6 && o.cls == WorldObject::kScenery))) {
    alpha = 0;
  }
  o.alpha = uint8_t(alpha);
}

void LevelObjectUpdater::IdlePause(WorldObject& o, float frameTime) {
  SpriteAnim& s = *o.sprite;
  int& left = o.animPause[2];
  if (left == 0) {
    // A new pause: min x 10 ms, or a random length in [min, max) x 10 ms; at least 1 ms so
    // that 0 keeps meaning "to be chosen".
    const int low = o.animPause[0] * 10;
    const int high = o.animPause[1] * 10;
    const int pause = o.animPause[0] == o.animPause[1] ? low : RandomRange(low, high - 1);
    left = std::max(pause, 1);
    s.StopAt(s.LastFrame());
  } else if (left > 0) {
    const int step = frameTime > 0 ? std::max(1, int(std::lround(frameTime))) : 0;
    left -= step;
    if (left <= 0) {
      left = -1;
      s.Restart();
    }
  }
}

void LevelObjectUpdater::AnimateIndicators(float frameTime) {
  IndicatorSprites& ind = level_.indicators;
  const auto animate = [&](std::optional<WorldObject>& slot, bool turns) {
    if (!slot) return;
    WorldObject& o = *slot;
    if (o.sprite) o.sprite->Advance(frameTime);
    // Indicators without frames turn at their speed (degrees per second).
    if (turns && !o.sprite && o.animPause[0] != 0) Rotate(o, o.animPause[0] * 0.001f * frameTime);
  };
  animate(ind.respawnLinked, false);
  animate(ind.respawn, false);
  animate(ind.queue, true);
  for (auto& s : ind.selectors) animate(s, true);
  animate(ind.defaultSelector, true);
  if (ind.objective) {
    WorldObject& o = *ind.objective;
    if (o.sprite) o.sprite->Advance(frameTime);
    Rotate(o, -0.06f * frameTime);
    o.alpha = uint8_t(
        std::clamp(128.0 - 64.0 * std::sin(0.0025 * double(level_.animationClock)), 0.0, 255.0));
  }
}
