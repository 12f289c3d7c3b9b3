#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "graphics/TextureManager.h"
#include "graphics/Vertex.h"
#include "level/Vec2.h"

class Level;
class LevelEffects;
class Renderer;
struct GameSettings;
struct WorldObject;

// How the level screen looks at the world: an offset (the screen shake) and a zoom z, the
// world being drawn at scale 1 / (z + 1). At rest (0, 0, 0) the renderer's own screen
// transform is used.
struct LevelCamera {
  Vec2 offset;
  float zoom = 0;
  bool AtRest() const { return offset.x == 0 && offset.y == 0 && zoom == 0; }
};

struct LevelDrawOptions {
  LevelCamera camera;
  // The object under the pointer (drawn with its hover highlight) and the waypoint it is
  // reached by; either may be none.
  const WorldObject* hovered = nullptr;
  const WorldObject* hoveredWaypoint = nullptr;
  // Expert difficulty: selectors only for the hovered object and objects whose dialog
  // fires when they are shown reachable (trigger 1).
  bool expert = false;
  // Whether a worker that could go to an object is free; a selector of an affordable
  // object is translucent when not. None: always.
  std::function<bool(const WorldObject&)> workerFree;
  // Creatures the level's list does not hold (the birds), drawn above everything else.
  std::vector<const WorldObject*> above;
};

// Draws a level's world through the Renderer: the objects in list order (waypoints and
// hidden objects skipped) with the worker layer (the particle layer and the visible
// workers) after the camp waypoint, flying creatures and fog last, then the selectors of
// reachable objects, the markers of queued commands and the markers over the objectives.
//
// Per object: the shadow (flag s), the picture with its frame, mirroring, rotation, pulse
// and blending (flag C), the glow of reachable objects, the hover highlight of its
// descriptor's style, the fill of fillable tiles and the respawn clock. Objects name
// textures, never atlas sprites; a texture that is missing draws nothing.
class LevelDrawer final : public TextureDeletionListener {
 public:
  // effects may be null (no particles drawn).
  LevelDrawer(Renderer& renderer, TextureManager& textures, const GameSettings& settings,
              LevelEffects* effects = nullptr);
  ~LevelDrawer() override;
  LevelDrawer(const LevelDrawer&) = delete;
  LevelDrawer& operator=(const LevelDrawer&) = delete;

  void Draw(const Level& level, const LevelDrawOptions& options = {});

  // The texture an object's name gives, remembered (also when missing).
  Texture* TextureOf(std::string_view name);
  // The size of the objective marker (a factor of its own) at a time of the level's clock.
  static float ObjectiveMarkerScale(float clockMs);
  // The texture rectangle of an object's current frame within its texture.
  static TexRect FrameRect(const WorldObject& object, const Texture& texture);

  void OnTextureDeleted(const Texture& texture) override;

 private:
  struct Frame;
  void DrawObject(const Level& level, const WorldObject& o, const LevelDrawOptions& options);
  void DrawWorkerLayer(const Level& level, const LevelDrawOptions& options);
  void DrawSelectors(const Level& level, const LevelDrawOptions& options);
  void DrawQueueMarkers(const Level& level);
  void DrawObjectiveMarkers(const Level& level);
  void DrawRespawnClock(const Level& level, const WorldObject& o);
  void DrawIndicator(const WorldObject& indicator, Vec2 at, float scale, int frame,
                     uint32_t colour);
  // The picture of an object (or of another texture over the same place).
  void Put(const WorldObject& o, Texture& texture, const Frame& frame, uint32_t colour);
  void PutShadow(const WorldObject& o, Texture& texture, const Frame& frame);
  bool OnScreen(const WorldObject& o, const Frame& frame) const;

  Renderer& renderer_;
  TextureManager& textures_;
  const GameSettings& settings_;
  LevelEffects* effects_;
  std::unordered_map<std::string, Texture*> cache_;
  // The visible part of the world while drawing.
  float viewLeft_ = 0, viewRight_ = 0, viewBottom_ = 0, viewTop_ = 0;
};
