#include "gui/GUITilePic.h"

#include <cmath>

#include "graphics/Renderer.h"
#include "gui/DrawHelpers.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

namespace {

constexpr float kB = GUITilePic::kBorder;

// The number of pieces of length piece that cover length; none when that is no sensible
// count (a piece of 0, a NaN, or more than the cap).
bool PieceCount(float length, float piece, int& count) {
  if (!(piece > 0.0f) || !(length >= 0.0f)) return false;
  const float n = std::ceil(length / piece);
  if (!(n <= float(GUITilePic::kMaxPieces))) return false;
  count = int(n);
  return true;
}

}  // namespace

template <class F>
bool GUITilePic::Run(float a, float b, float piece, F draw) {
  int count = 0;
  if (b <= a) return true;
  if (!PieceCount(b - a, piece, count)) return false;
  for (int i = 0; i < count; ++i) {
    const float from = a + piece * float(i);
    const float to = std::fmin(from + piece, b);
    draw(from, to, (to - from) / piece);
  }
  return true;
}

void GUITilePic::ReadTile(const LayoutElement& element, GUITilePic& pic) {
  element.ReadCommon(pic);
  pic.additive = element.Bool("add", false);
  pic.angle = element.Float("angle", 0.0f);
  pic.tileMode = element.Int("tile", 0);
  const float spriteW = pic.sprite ? pic.sprite->width : 0.0f;
  const float spriteH = pic.sprite ? pic.sprite->height : 0.0f;
  pic.tileWidth = element.Float("tw", spriteW);
  pic.tileHeight = element.Float("th", spriteH);
  element.Place(pic);
  ReadPictureChangers(element, pic);
}

std::unique_ptr<GUIControl> GUITilePic::Read(const LayoutElement& element) {
  auto pic = std::make_unique<GUITilePic>();
  ReadTile(element, *pic);
  return pic;
}

std::unique_ptr<GUIControl> GUITileXPic::Read(const LayoutElement& element) {
  auto pic = std::make_unique<GUITileXPic>();
  ReadTile(element, *pic);
  return pic;
}

std::unique_ptr<GUIControl> GUITileYPic::Read(const LayoutElement& element) {
  auto pic = std::make_unique<GUITileYPic>();
  ReadTile(element, *pic);
  return pic;
}

void GUITilePic::Draw() {
  Renderer* renderer = Gui().renderer;
  if (!renderer || !Drawable()) return;
  BeginPicture(*renderer);
  DrawSlices(*renderer, UprightRect(ScaledRect(rect, scale)));
  EndPicture(*renderer);
}

void GUITilePic::DrawSlices(Renderer& r, const Rect& rc) const {
  const float cw = tileWidth * kB, ch = tileHeight * kB;
  const float left = rc.x0, right = rc.x1, top = rc.y0, bottom = rc.y1;
  // The inner edges of the corners.
  const float il = left + cw, ir = right - cw, it = top - ch, ib = bottom + ch;
  const TexRect& t = texRect;
  const auto piece = [&](float x0, float y0, float x1, float y1, float fx0, float fy0, float fx1,
                         float fy1) {
    r.AddQuad({x0, y0, x1, y1}, SubTexRect(t, fx0, fy0, fx1, fy1), colour);
  };
  // Corners.
  piece(left, top, il, it, 0, 0, kB, kB);
  piece(ir, top, right, it, 1 - kB, 0, 1, kB);
  piece(left, ib, il, bottom, 0, 1 - kB, kB, 1);
  piece(ir, ib, right, bottom, 1 - kB, 1 - kB, 1, 1);

  const auto stretchedEdges = [&] {
    piece(il, top, ir, it, kB, 0, 1 - kB, kB);
    piece(il, ib, ir, bottom, kB, 1 - kB, 1 - kB, 1);
    piece(left, it, il, ib, 0, kB, kB, 1 - kB);
    piece(ir, it, right, ib, 1 - kB, kB, 1, 1 - kB);
  };
  const auto stretchedCentre = [&] { piece(il, it, ir, ib, kB, kB, 1 - kB, 1 - kB); };
  if (tileMode == 0) {
    stretchedEdges();
    stretchedCentre();
    return;
  }
  int countX = 0, countY = 0;
  const bool tileable = PieceCount(std::fmax(ir - il, 0.0f), cw, countX) &&
                        PieceCount(std::fmax(it - ib, 0.0f), ch, countY);
  if (!tileable) {
    stretchedEdges();
    stretchedCentre();
    return;
  }
  // Top and bottom runs left to right, left and right runs top to bottom.
  Run(il, ir, cw, [&](float a, float b, float f) {
    piece(a, top, b, it, kB, 0, kB + kB * f, kB);
    piece(a, ib, b, bottom, kB, 1 - kB, kB + kB * f, 1);
  });
  Run(ib, it, ch, [&](float a, float b, float f) {
    // Measured downwards from the top: the shortened piece is the lowest.
    const float y0 = it - (a - ib), y1 = it - (b - ib);
    piece(left, y0, il, y1, 0, kB, kB, kB + kB * f);
    piece(ir, y0, right, y1, 1 - kB, kB, 1, kB + kB * f);
  });
  if (tileMode != 3 || countX * countY > kMaxPieces * 8) {
    stretchedCentre();
    return;
  }
  Run(ib, it, ch, [&](float a, float b, float fy) {
    const float y0 = it - (a - ib), y1 = it - (b - ib);
    Run(il, ir, cw, [&](float x0, float x1, float fx) {
      piece(x0, y0, x1, y1, kB, kB, kB + kB * fx, kB + kB * fy);
    });
  });
}

void GUITileXPic::DrawSlices(Renderer& r, const Rect& rc) const {
  const TexRect& t = texRect;
  const auto piece = [&](float x0, float x1, float fx0, float fx1) {
    r.AddQuad({x0, rc.y0, x1, rc.y1}, SubTexRect(t, fx0, 0, fx1, 1), colour);
  };
  if (tileMode == 4 && sprite && sprite->width > 0.0f &&
      Run(rc.x0, rc.x1, sprite->width, [](float, float, float) {})) {
    // Whole copies from x0; the last one may reach beyond x1.
    Run(rc.x0, rc.x1, sprite->width,
        [&](float a, float, float) { piece(a, a + sprite->width, 0, 1); });
    return;
  }
  const float cw = tileWidth * kB;
  const float il = rc.x0 + cw, ir = rc.x1 - cw;
  piece(rc.x0, il, 0, kB);
  piece(ir, rc.x1, 1 - kB, 1);
  if (tileMode == 3 && ir > il &&
      Run(il, ir, cw, [&](float a, float b, float f) { piece(a, b, kB, kB + kB * f); }))
    return;
  piece(il, ir, kB, 1 - kB);
}

void GUITileYPic::DrawSlices(Renderer& r, const Rect& rc) const {
  const TexRect& t = texRect;
  const auto piece = [&](float y0, float y1, float fy0, float fy1) {
    r.AddQuad({rc.x0, y0, rc.x1, y1}, SubTexRect(t, 0, fy0, 1, fy1), colour);
  };
  const float height = rc.y0 - rc.y1;
  if (tileMode == 4 && sprite && sprite->height > 0.0f &&
      Run(0, height, sprite->height, [](float, float, float) {})) {
    Run(0, height, sprite->height,
        [&](float a, float, float) { piece(rc.y0 - a, rc.y0 - a - sprite->height, 0, 1); });
    return;
  }
  const float ch = tileHeight * kB;
  const float it = rc.y0 - ch, ib = rc.y1 + ch;
  piece(rc.y0, it, 0, kB);
  piece(ib, rc.y1, 1 - kB, 1);
  if (tileMode == 3 && it > ib && Run(0, it - ib, ch, [&](float a, float b, float f) {
        piece(it - a, it - b, kB, kB + kB * f);
      }))
    return;
  piece(it, ib, kB, 1 - kB);
}
