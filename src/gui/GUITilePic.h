#pragma once
#include "gui/GUIPic.h"

// A nine-slice picture: the sprite cut at a third from each edge into corners, edges and a
// centre. Corners are drawn once at (tw/3) × (th/3); edges and centre are stretched (tile
// mode 0) or repeated in pieces whose last one is shortened with its texture cut in the same
// proportion (edges: any other mode; centre too: mode 3).
class GUITilePic : public GUIPic {
 public:
  static constexpr float kBorder = 1.0f / 3.0f;
  // Runs longer than this many pieces are drawn stretched instead.
  static constexpr int kMaxPieces = 512;

  GUITilePic() : GUIPic(ControlKind::TiledPicture) {}

  // "tilepic" (and the three-slice elements through their own classes): tile, tw, th.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;

  // The slices of rect (upright), drawn through the renderer with the current texture.
  virtual void DrawSlices(Renderer& renderer, const Rect& rect) const;

  int tileMode = 0;
  float tileWidth = 0.0f, tileHeight = 0.0f;

 protected:
  // Reads the tile attributes and places the control as a picture.
  static void ReadTile(const LayoutElement& element, GUITilePic& pic);
  // A run along one axis from a to b (a < b) in pieces of length piece: calls draw(from, to,
  // fraction of the piece's texture) for every piece. False when the run cannot be tiled.
  template <class F>
  static bool Run(float a, float b, float piece, F draw);
};

// The horizontal three-slice picture: left cap, middle, right cap (caps a third of the
// sprite's width, tw/3 on screen); mode 3 repeats the middle, mode 4 repeats the whole sprite
// side by side from x0.
class GUITileXPic : public GUITilePic {
 public:
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);
  void DrawSlices(Renderer& renderer, const Rect& rect) const override;
};

// The vertical three-slice picture: top cap, middle, bottom cap.
class GUITileYPic : public GUITilePic {
 public:
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);
  void DrawSlices(Renderer& renderer, const Rect& rect) const override;
};
