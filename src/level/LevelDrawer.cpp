#include "level/LevelDrawer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "graphics/Renderer.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "level/Level.h"
#include "level/LevelEffects.h"

namespace {

constexpr float kDegrees = 3.14159265358979323846f / 180.0f;
// Half the size of the level picture, for wide pictures drawn as objects.
constexpr float kWideHalfW = 640.0f;
constexpr float kWideHalfH = 384.0f;
// Hover highlight styles 1 and 2 show the object (and its link) at 3/5 of its opacity.
constexpr float kSeeThrough = 0.6f;
// A selector of an affordable object no free worker can go to.
constexpr uint8_t kWaitingSelectorAlpha = 104;
constexpr uint8_t kShortSelectorAlpha = 128;
// The share (percent) of its highlight at which a reachable object glows when not hovered.
constexpr int kGlowShare = 50;
// The respawn clock counts through this many of its frames.
constexpr float kClockFrames = 8.5f;

uint32_t Argb(int alpha, const std::array<uint8_t, 3>& rgb) {
  return uint32_t(std::clamp(alpha, 0, 255)) << 24 | uint32_t(rgb[0]) << 16 |
         uint32_t(rgb[1]) << 8 | uint32_t(rgb[2]);
}
uint32_t Argb(int alpha, int r, int g, int b) {
  return Argb(alpha, {uint8_t(std::clamp(r, 0, 255)), uint8_t(std::clamp(g, 0, 255)),
                      uint8_t(std::clamp(b, 0, 255))});
}

float Finite(float v) { return std::isfinite(v) ? v : 0.0f; }

}  // namespace

// Where and how big an object is drawn this frame.
struct LevelDrawer::Frame {
  Vec2 centre;
  float halfW = 0, halfH = 0;  // after pulse and growth
  float radians = 0;
  bool wide = false;  // a 1280x768 picture packed for the wide layout
  Corner corners[4];  // top left, top right, bottom right, bottom left
};

LevelDrawer::LevelDrawer(Renderer& renderer, TextureManager& textures, const GameSettings& settings,
                         LevelEffects* effects)
    : renderer_(renderer), textures_(textures), settings_(settings), effects_(effects) {
  textures_.AddDeletionListener(this);
}

LevelDrawer::~LevelDrawer() { textures_.RemoveDeletionListener(this); }

void LevelDrawer::OnTextureDeleted(const Texture& texture) {
  for (auto& [name, cached] : cache_) {
    if (cached == &texture) cached = nullptr;
  }
  // Looked up afresh next time.
  std::erase_if(cache_, [](const auto& entry) { return entry.second == nullptr; });
}

Texture* LevelDrawer::TextureOf(std::string_view name) {
  if (name.empty()) return nullptr;
  const auto found = cache_.find(std::string(name));
  if (found != cache_.end()) return found->second;
  Texture* texture = textures_.Get(name, false);
  if (texture && (texture->width <= 0 || texture->height <= 0)) texture = nullptr;
  cache_.emplace(std::string(name), texture);
  return texture;
}

TexRect LevelDrawer::FrameRect(const WorldObject& o, const Texture& texture) {
  // The picture may sit in the top left of a larger (padded) texture.
  const float fu = texture.width > 0 ? float(texture.imageWidth) / float(texture.width) : 1.0f;
  const float fv = texture.height > 0 ? float(texture.imageHeight) / float(texture.height) : 1.0f;
  TexRect r;
  if (o.sprite) {
    const SpriteAnim& s = *o.sprite;
    const int columns = s.Columns();
    const int rows = s.Rows();
    const int cells = int(std::min<int64_t>(int64_t(columns) * rows, INT32_MAX));
    const int frame = std::clamp(s.current, 0, std::min(s.Frames(), cells) - 1);
    const int c = frame % columns;
    const int row = frame / columns;
    r = TexRect{float(c) / float(columns) * fu, float(row) / float(rows) * fv,
                float(c + 1) / float(columns) * fu, float(row + 1) / float(rows) * fv};
    if (s.mirrored) std::swap(r.u0, r.u1);
  } else {
    r = TexRect{Finite(o.uvRect[0]) * fu, Finite(o.uvRect[1]) * fv, Finite(o.uvRect[2]) * fu,
                Finite(o.uvRect[3]) * fv};
  }
  // A negative size mirrors the picture.
  if (o.size.x < 0) std::swap(r.u0, r.u1);
  if (o.size.y < 0) std::swap(r.v0, r.v1);
  return r;
}

void LevelDrawer::Draw(const Level& level, const LevelDrawOptions& options) {
  const LevelCamera& camera = options.camera;
  const float zoom = std::isfinite(camera.zoom) && camera.zoom > -0.9f ? camera.zoom : 0.0f;
  const Vec2 offset{Finite(camera.offset.x), Finite(camera.offset.y)};
  const bool moved = offset.x != 0 || offset.y != 0 || zoom != 0;
  if (moved) {
    // The view moved by the offset, and a projection of the zoomed screen.
    const PixelOffsetPair pixel = renderer_.PixelOffset();
    Matrix view = Matrix::Identity();
    view.m[3][0] = offset.x + pixel.x;
    view.m[3][1] = offset.y + pixel.y;
    view.m[3][2] = 150.0f;
    Matrix projection;
    projection.m[0][0] = 2.0f / (renderer_.Width() * (zoom + 1));
    projection.m[1][1] = 2.0f / (renderer_.Height() * (zoom + 1));
    projection.m[2][2] = 1.0f / (300.0f - 1.0f);
    projection.m[3][2] = 1.0f / (1.0f - 300.0f);
    projection.m[3][3] = 1.0f;
    renderer_.SetTransform(TransformKind::View, view);
    renderer_.SetTransform(TransformKind::Projection, projection);
  }
  const float halfW = renderer_.HalfWidth() * (zoom + 1);
  const float halfH = renderer_.HalfHeight(true) * (zoom + 1);
  viewLeft_ = -halfW - offset.x;
  viewRight_ = halfW - offset.x;
  viewBottom_ = -halfH - offset.y;
  viewTop_ = halfH - offset.y;

  renderer_.SetBlendMode(BlendMode::Alpha);
  const int count = int(level.objects.size());
  // The worker layer follows the object at workerLayer - 1 (first when there is none, last
  // when the list has become shorter).
  const int layerAfter = std::min(level.workerLayer, count) - 1;
  if (layerAfter < 0) DrawWorkerLayer(level, options);
  for (int i = 0; i < count; ++i) {
    const WorldObject& o = *level.objects[size_t(i)];
    const bool last = o.cls == WorldObject::kFlyer || o.cls == WorldObject::kFog;
    if (!last && o.cls != WorldObject::kWaypoint && !o.Hidden()) DrawObject(level, o, options);
    if (i == layerAfter) DrawWorkerLayer(level, options);
  }
  for (const auto& owned : level.objects) {
    const WorldObject& o = *owned;
    if ((o.cls == WorldObject::kFlyer || o.cls == WorldObject::kFog) && !o.Hidden()) {
      DrawObject(level, o, options);
    }
  }
  for (const WorldObject* o : options.above) {
    if (o && !o->Hidden()) DrawObject(level, *o, options);
  }
  DrawSelectors(level, options);
  DrawQueueMarkers(level);
  DrawObjectiveMarkers(level);
  renderer_.SetBlendMode(BlendMode::Alpha);
  if (moved) renderer_.SetupTransforms();
}

void LevelDrawer::DrawWorkerLayer(const Level& level, const LevelDrawOptions& options) {
  if (effects_) effects_->DrawLayer(renderer_, level);
  for (const auto& w : level.workers) {
    if (!w->Hidden()) DrawObject(level, *w, options);
  }
}

bool LevelDrawer::OnScreen(const WorldObject& o, const Frame& f) const {
  if (o.Has(ObjectFlags::kMask)) return true;
  float reach = std::hypot(f.halfW, f.halfH);
  if (o.Has(ObjectFlags::kShadow)) {
    reach += std::hypot(settings_.shadowOffset.x, settings_.shadowOffset.y) *
             std::fabs(settings_.shadowSize);
  }
  return f.centre.x + reach >= viewLeft_ && f.centre.x - reach <= viewRight_ &&
         f.centre.y + reach >= viewBottom_ && f.centre.y - reach <= viewTop_;
}

void LevelDrawer::DrawObject(const Level& level, const WorldObject& o,
                             const LevelDrawOptions& options) {
  using F = ObjectFlags;
  if (o.cls == WorldObject::kWaypoint) return;
  const bool effectOnly = o.cls == WorldObject::kEffectSpot;
  Texture* texture = effectOnly ? nullptr : TextureOf(o.texture);
  if (o.cls == WorldObject::kFog && effects_) effects_->DrawObject(renderer_, o);
  if (!texture) return;

  Frame f;
  f.wide = texture->Has(kTexturePackedWide);
  f.centre = Vec2{Finite(o.position.x), Finite(o.position.y)};
  float sx = 1, sy = 1;
  // The pulse of an object being worked on.
  if (o.pulseDesc != 0) {
    if (const ObjectDesc* d = level.PulseDescriptor(o);
        d && d->scaleTime != 0 && d->scalePercent != 0) {
      const float s = std::sin(o.pulsePhase) * float(d->scalePercent) / 100.0f;
      sx *= 1 + s;
      sy *= 1 - s;
    }
  }
  // A collected puzzle piece grows while it fades.
  if (o.cls == WorldObject::kPuzzlePiece && o.Has(F::kBusy)) {
    const float grow = 2.0f - o.fadeValue / float(WorldObject::kFullFade);
    sx *= grow;
    sy *= grow;
  }
  f.halfW = std::fabs(Finite(o.size.x)) * sx;
  f.halfH = std::fabs(Finite(o.size.y)) * sy;
  // Workers stand a little higher than their waypoints.
  if (o.cls == WorldObject::kWorker) f.centre.y += settings_.workerOffset * f.halfH * 2 / 32.0f;
  f.radians = Finite(o.rotation) * kDegrees;
  if (!OnScreen(o, f)) return;
  const float c = std::cos(f.radians), s = std::sin(f.radians);
  const Vec2 local[4] = {
      {-f.halfW, f.halfH}, {f.halfW, f.halfH}, {f.halfW, -f.halfH}, {-f.halfW, -f.halfH}};
  for (int k = 0; k < 4; ++k) {
    f.corners[k] = Corner{f.centre.x + local[k].x * c - local[k].y * s,
                          f.centre.y + local[k].x * s + local[k].y * c, 0};
  }

  // Reachable objects are drawn opaque; their alpha is the strength of their glow.
  const bool reachable = o.Has(F::kReachableOrdinary);
  int opacity = reachable ? 255 : o.alpha;
  const int glow = reachable ? o.alpha : 0;
  const bool hovered = options.hovered == &o;
  const int style = hovered ? (o.desc ? o.desc->draw : 0) : -1;
  if (style == 1 || style == 2) opacity = int(float(opacity) * kSeeThrough);
  if (opacity <= 0 && glow <= 0 && style != 2) return;

  if (o.Has(F::kShadow) && !f.wide && opacity > 0) PutShadow(o, *texture, f);
  renderer_.BindTexture(texture);
  const bool scroll = o.Has(F::kScroll);
  if (scroll) renderer_.SetSamplerBits(kSamplerWrapU | kSamplerWrapV);
  if (opacity > 0) {
    if (o.Has(F::kAdditive)) renderer_.SetBlendMode(BlendMode::Add);
    Put(o, *texture, f, Argb(opacity, o.colour));
    renderer_.SetBlendMode(BlendMode::Alpha);
  }
  if (glow > 0) {
    // The glow of every reachable object is soft; hovered in style 0 the object shines at
    // its full highlight on top.
    renderer_.SetBlendMode(BlendMode::Add);
    Put(o, *texture, f, Argb(glow * kGlowShare / 100, o.colour));
    if (style == 0) Put(o, *texture, f, Argb(glow, o.colour));
    renderer_.SetBlendMode(BlendMode::Alpha);
  }
  if (scroll) renderer_.ClearSamplerBits(kSamplerWrapU | kSamplerWrapV);
  // Hovered in style 2: what the object turns into shows through.
  if (style == 2 && o.link && o.link->cls != WorldObject::kWaypoint && o.link != &o) {
    const WorldObject& l = *o.link;
    if (Texture* lt = TextureOf(l.texture)) {
      Frame lf;
      lf.wide = lt->Has(kTexturePackedWide);
      lf.centre = l.position;
      lf.halfW = std::fabs(Finite(l.size.x));
      lf.halfH = std::fabs(Finite(l.size.y));
      const float lc = std::cos(Finite(l.rotation) * kDegrees);
      const float ls = std::sin(Finite(l.rotation) * kDegrees);
      const Vec2 ll[4] = {{-lf.halfW, lf.halfH},
                          {lf.halfW, lf.halfH},
                          {lf.halfW, -lf.halfH},
                          {-lf.halfW, -lf.halfH}};
      for (int k = 0; k < 4; ++k) {
        lf.corners[k] = Corner{lf.centre.x + ll[k].x * lc - ll[k].y * ls,
                               lf.centre.y + ll[k].x * ls + ll[k].y * lc, 0};
      }
      renderer_.BindTexture(lt);
      Put(l, *lt, lf, Argb(int(255 * kSeeThrough), l.colour));
    }
  }
  // Fillable tiles show how full they are.
  if (o.cls == WorldObject::kFillable) {
    if (Texture* fill = TextureOf(o.texture + "_fill")) {
      const float fraction = std::clamp(Finite(o.fadeValue), 0.0f, 1.0f);
      renderer_.BindTexture(fill);
      Put(o, *fill, f, Argb(int(fraction * 255), o.colour));
    }
  }
  if (o.cls == WorldObject::kObstacle) DrawRespawnClock(level, o);
}

void LevelDrawer::Put(const WorldObject& o, Texture& texture, const Frame& f, uint32_t colour) {
  if (f.wide) {
    // The wide layout of Renderer::DrawWideBackground, placed and scaled as the object.
    const float sx = f.halfW > 0 ? f.halfW / kWideHalfW : 1.0f;
    const float sy = f.halfH > 0 ? f.halfH / kWideHalfH : 1.0f;
    const auto at = [&](float x0, float y0, float x1, float y1) {
      return Rect{f.centre.x + x0 * sx, f.centre.y + y0 * sy, f.centre.x + x1 * sx,
                  f.centre.y + y1 * sy};
    };
    renderer_.AddQuad(at(-512, 384, 512, -384), {0, 0.125f, 1, 0.875f}, colour);
    renderer_.AddQuadTransposedUV(at(512, -384, 640, 384), {0, 0, 0.75f, 0.125f}, colour);
    renderer_.AddQuadTransposedUV(at(-640, -384, -512, 384), {0, 0.875f, 0.75f, 1}, colour);
    return;
  }
  renderer_.AddQuadCorners(f.corners[0], f.corners[1], f.corners[2], f.corners[3],
                           FrameRect(o, texture), colour);
}

void LevelDrawer::PutShadow(const WorldObject& o, Texture& texture, const Frame& f) {
  // The picture in black, standing on the object's base and leaning away from the light:
  // its top is moved by the shadow offset and the picture flattened by the shadow size.
  const float size = Finite(settings_.shadowSize);
  const Vec2 lean{Finite(settings_.shadowOffset.x) * size, Finite(settings_.shadowOffset.y)};
  const float height = f.halfH * 2 * size * 0.5f;
  const Corner& bl = f.corners[3];
  const Corner& br = f.corners[2];
  const Corner tl{bl.x + lean.x, bl.y + height + lean.y, 0};
  const Corner tr{br.x + lean.x, br.y + height + lean.y, 0};
  const int alpha =
      settings_.shadowAlpha * (o.Has(ObjectFlags::kReachableOrdinary) ? 255 : o.alpha) / 255;
  if (alpha <= 0) return;
  renderer_.BindTexture(&texture);
  renderer_.AddQuadCorners(tl, tr, br, bl, FrameRect(o, texture), Argb(alpha, 0, 0, 0));
}

void LevelDrawer::DrawRespawnClock(const Level& level, const WorldObject& o) {
  if (o.respawnMin < 2 || o.respawnMax < 2 || o.Has(ObjectFlags::kNoRespawn)) return;
  if (!o.Has(ObjectFlags::kRespawning) || o.respawnLeft <= 0) return;
  const IndicatorSprites& ind = level.indicators;
  const std::optional<WorldObject>& preferred = o.link ? ind.respawnLinked : ind.respawn;
  const std::optional<WorldObject>& clock = preferred     ? preferred
                                            : ind.respawn ? ind.respawn
                                                          : ind.respawnLinked;
  if (!clock) return;
  // How far the wait has come, over the clock's frames.
  int frame = 0;
  if (o.stamp > 0) {
    const double done = double(o.stamp - int64_t(o.respawnLeft)) / double(o.stamp);
    frame = int(std::floor(std::clamp(done, 0.0, 1.0) * kClockFrames));
  }
  DrawIndicator(*clock, Vec2{o.position.x, o.position.y - settings_.respawnOffset}, 1.0f, frame,
                kWhite);
}

void LevelDrawer::DrawIndicator(const WorldObject& ind, Vec2 at, float scale, int frame,
                                uint32_t colour) {
  Texture* texture = TextureOf(ind.texture);
  if (!texture) return;
  WorldObject shown;  // the indicator on this frame
  shown.size = ind.size;
  shown.sprite = ind.sprite;
  if (shown.sprite && frame >= 0) shown.sprite->current = shown.sprite->Clamp(frame);
  Frame f;
  f.centre = at;
  f.halfW = std::fabs(Finite(ind.size.x)) * scale;
  f.halfH = std::fabs(Finite(ind.size.y)) * scale;
  f.radians = Finite(ind.rotation) * kDegrees;
  const float c = std::cos(f.radians), s = std::sin(f.radians);
  const Vec2 local[4] = {
      {-f.halfW, f.halfH}, {f.halfW, f.halfH}, {f.halfW, -f.halfH}, {-f.halfW, -f.halfH}};
  for (int k = 0; k < 4; ++k) {
    f.corners[k] =
        Corner{at.x + local[k].x * c - local[k].y * s, at.y + local[k].x * s + local[k].y * c, 0};
  }
  renderer_.BindTexture(texture);
  Put(shown, *texture, f, colour);
}

void LevelDrawer::DrawSelectors(const Level& level, const LevelDrawOptions& options) {
  using F = ObjectFlags;
  const IndicatorSprites& ind = level.indicators;
  for (const auto& owned : level.objects) {
    const WorldObject& o = *owned;
    if (o.Hidden() || o.cls == WorldObject::kWaypoint || o.cls == WorldObject::kWorker) continue;
    const bool announced = o.Has(F::kDialog) && o.dialog && o.dialog->trigger == 1;
    const bool shown =
        options.expert ? (&o == options.hovered || announced) : o.Has(F::kReachableOrdinary);
    if (!shown) continue;
    // The selector of the worker type that does the work.
    const int work = o.desc ? o.desc->work : 0;
    const int slot = work >= 1 ? work : o.cls == WorldObject::kBuilding ? 0 : -1;
    const std::optional<WorldObject>& selector = ind.SelectorFor(slot);
    if (!selector) continue;
    // At the object's waypoint, moved by the object's placement.
    const WorldObject* wp =
        o.backLink && o.backLink->cls == WorldObject::kWaypoint ? o.backLink : nullptr;
    Vec2 at = wp ? wp->position : o.position;
    float width = 1.0f;
    if (o.selector) {
      at.x += o.selector->x;
      at.y += o.selector->y;
      if (o.selector->w > 0) width = o.selector->w;
    }
    float scale = 1.0f;
    if (selector->Has(F::kNeedsQuest) && selector->size.x != 0) {
      scale = std::fabs(o.size.x) * width / std::fabs(selector->size.x);
    }
    // Coloured by how much of the cost the stock covers.
    float covered = 1.0f;
    const bool questMissing =
        o.Has(F::kNeedsQuest) && level.questObjectsFound < level.questObjectsNeeded;
    if (!o.desc || !level.WorkerTypeAvailable(o.desc->work) || !o.Has(F::kReachableOrdinary) ||
        questMissing) {
      covered = 0;
    } else {
      for (size_t i = 0; i < 3; ++i) {
        const int cost = o.desc->cost[i];
        if (cost > 0 && cost > level.resources[i]) {
          covered = std::min(covered, float(std::max(level.resources[i], 0)) / float(cost));
        }
      }
    }
    uint32_t colour = kWhite;
    if (covered < 1.0f) {
      const int v = int(255 * covered);
      colour = Argb(kShortSelectorAlpha, v, v, v);
    } else if (options.workerFree && !options.workerFree(o)) {
      colour = Argb(kWaitingSelectorAlpha, 255, 255, 255);
    }
    DrawIndicator(*selector, at, scale, -1, colour);
  }
}

float LevelDrawer::ObjectiveMarkerScale(float clockMs) {
  return 1.125f + 0.125f * std::sin(0.002f * Finite(clockMs));
}

void LevelDrawer::DrawObjectiveMarkers(const Level& level) {
  const std::optional<WorldObject>& marker = level.indicators.objective;
  if (!marker) return;
  // The marker turns and fades in and out as the level animates it, and pulses in size.
  const float scale = ObjectiveMarkerScale(level.animationClock);
  const uint32_t colour = uint32_t(marker->alpha) << 24 | 0x00FFFFFFu;
  const float lift = std::fabs(Finite(marker->size.y)) * scale;
  for (const auto& owned : level.objects) {
    const WorldObject& o = *owned;
    if (!o.Has(ObjectFlags::kObjective) || o.Hidden() || o.cls == WorldObject::kWaypoint) continue;
    // Over the objective, clear of its picture.
    const Vec2 at{Finite(o.position.x), Finite(o.position.y) + std::fabs(Finite(o.size.y)) + lift};
    DrawIndicator(*marker, at, scale, -1, colour);
  }
}

void LevelDrawer::DrawQueueMarkers(const Level& level) {
  const std::optional<WorldObject>& queue = level.indicators.queue;
  if (!queue) return;
  for (const int id : level.commandQueue) {
    const WorldObject* wp = level.FindObject(id);
    if (wp) DrawIndicator(*queue, wp->position, 1.0f, -1, kWhite);
  }
}
