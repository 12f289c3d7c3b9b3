#pragma once
#include <string>
#include <vector>

#include "kcontent/RgbaImage.h"

namespace kcontent {

// Packs many pictures into one atlas texture for the sprite manager's "atlases/" folder.
//
// Each picture gets a cell of its size plus `padding` pixels on every side; the border of the
// picture is repeated into that margin, so linear filtering at a sprite's edge reads the
// sprite's own colours, never a neighbour's. Cells are placed by a max-rects packer (best
// short side fit) into the smallest power-of-two texture that holds them all, trying sizes by
// area (squarer first, then wider). Pictures are taken in a fixed order (longer side, area,
// then name), so the same inputs always give the same texture, whatever order they come in.

struct AtlasSprite {
  std::string name;
  RgbaImage image;
};

struct AtlasRect {
  std::string name;
  int x = 0, y = 0, w = 0, h = 0;  // in texture pixels
};

struct AtlasOptions {
  int padding = 2;
  int maxSize = 2048;  // largest texture side tried
};

struct PackedAtlas {
  RgbaImage texture;
  std::vector<AtlasRect> rects;  // sorted by name
};

// False (with the reason) when the names are not unique, a picture is empty, or the pictures
// do not fit into maxSize × maxSize.
bool PackAtlas(const std::vector<AtlasSprite>& sprites, const AtlasOptions& options,
               PackedAtlas& atlas, std::string& error);

// The atlas file: root Atlas with the texture name and the half flag, one Tex per sprite.
std::string AtlasXml(const std::string& textureName, bool half,
                     const std::vector<AtlasRect>& rects);

// Placement of rectangles in a fixed-size bin (max-rects, best short side fit).
class MaxRectsBin {
 public:
  struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
  };
  MaxRectsBin(int width, int height);
  // False when the rectangle fits nowhere.
  bool Insert(int w, int h, Rect& placed);

 private:
  void Split(const Rect& used);
  void Prune();
  std::vector<Rect> free_;
};

}  // namespace kcontent
