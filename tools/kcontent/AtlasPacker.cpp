#include "kcontent/AtlasPacker.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <set>

namespace kcontent {

MaxRectsBin::MaxRectsBin(int width, int height) { free_.push_back({0, 0, width, height}); }

bool MaxRectsBin::Insert(int w, int h, Rect& placed) {
  int bestShort = INT_MAX, bestLong = INT_MAX;
  const Rect* best = nullptr;
  for (const Rect& f : free_) {
    if (f.w < w || f.h < h) continue;
    const int dw = f.w - w, dh = f.h - h;
    const int shortSide = std::min(dw, dh), longSide = std::max(dw, dh);
    // Ties go to the free rectangle nearest the top, then the left, so the result never
    // depends on the order of the free list.
    if (shortSide < bestShort || (shortSide == bestShort && longSide < bestLong) ||
        (shortSide == bestShort && longSide == bestLong &&
         (f.y < best->y || (f.y == best->y && f.x < best->x)))) {
      best = &f;
      bestShort = shortSide;
      bestLong = longSide;
    }
  }
  if (!best) return false;
  placed = {best->x, best->y, w, h};
  Split(placed);
  Prune();
  return true;
}

void MaxRectsBin::Split(const Rect& used) {
  std::vector<Rect> result;
  for (const Rect& f : free_) {
    const bool overlaps =
        used.x < f.x + f.w && used.x + used.w > f.x && used.y < f.y + f.h && used.y + used.h > f.y;
    if (!overlaps) {
      result.push_back(f);
      continue;
    }
    if (used.x > f.x) result.push_back({f.x, f.y, used.x - f.x, f.h});
    if (used.x + used.w < f.x + f.w) {
      result.push_back({used.x + used.w, f.y, f.x + f.w - (used.x + used.w), f.h});
    }
    if (used.y > f.y) result.push_back({f.x, f.y, f.w, used.y - f.y});
    if (used.y + used.h < f.y + f.h) {
      result.push_back({f.x, used.y + used.h, f.w, f.y + f.h - (used.y + used.h)});
    }
  }
  free_ = std::move(result);
}

void MaxRectsBin::Prune() {
  const auto contains = [](const Rect& outer, const Rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
  };
  std::vector<Rect> kept;
  for (size_t i = 0; i < free_.size(); ++i) {
    bool redundant = false;
    for (size_t j = 0; j < free_.size() && !redundant; ++j) {
      if (i == j || !contains(free_[j], free_[i])) continue;
      // Of two equal rectangles keep the first.
      const bool equal = std::memcmp(&free_[i], &free_[j], sizeof(Rect)) == 0;
      redundant = !equal || j < i;
    }
    if (!redundant) kept.push_back(free_[i]);
  }
  free_ = std::move(kept);
}

namespace {

struct Cell {
  const AtlasSprite* sprite;
  int w, h;  // with the margins
};

bool TryPack(const std::vector<Cell>& cells, int width, int height,
             std::vector<MaxRectsBin::Rect>& placed) {
  MaxRectsBin bin(width, height);
  placed.clear();
  for (const Cell& c : cells) {
    MaxRectsBin::Rect r;
    if (!bin.Insert(c.w, c.h, r)) return false;
    placed.push_back(r);
  }
  return true;
}

// Copies the picture into the texture at (x, y) and repeats its border pixels outwards into
// the margin around it.
void Blit(const RgbaImage& image, int x, int y, int margin, RgbaImage& texture) {
  for (int ty = y - margin; ty < y + image.height + margin; ++ty) {
    const int sy = std::clamp(ty - y, 0, image.height - 1);
    for (int tx = x - margin; tx < x + image.width + margin; ++tx) {
      const int sx = std::clamp(tx - x, 0, image.width - 1);
      std::memcpy(texture.At(tx, ty), image.At(sx, sy), 4);
    }
  }
}

std::string EscapeAttribute(const std::string& text) {
  std::string out;
  for (char c : text) {
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
        out += c;
    }
  }
  return out;
}

}  // namespace

bool PackAtlas(const std::vector<AtlasSprite>& sprites, const AtlasOptions& options,
               PackedAtlas& atlas, std::string& error) {
  if (sprites.empty()) {
    error = "no pictures to pack";
    return false;
  }
  if (options.padding < 0 || options.maxSize < 1) {
    error = "bad padding or size limit";
    return false;
  }
  std::set<std::string> names;
  std::vector<Cell> cells;
  long long area = 0;
  int widest = 0, tallest = 0;
  for (const AtlasSprite& s : sprites) {
    if (!names.insert(s.name).second) {
      error = "two pictures are called '" + s.name + "'";
      return false;
    }
    if (s.image.Empty()) {
      error = "picture '" + s.name + "' is empty";
      return false;
    }
    Cell c{&s, s.image.width + 2 * options.padding, s.image.height + 2 * options.padding};
    area += (long long)c.w * c.h;
    widest = std::max(widest, c.w);
    tallest = std::max(tallest, c.h);
    cells.push_back(c);
  }
  std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
    const int sideA = std::max(a.w, a.h), sideB = std::max(b.w, b.h);
    if (sideA != sideB) return sideA > sideB;
    if (a.w * a.h != b.w * b.h) return a.w * a.h > b.w * b.h;
    return a.sprite->name < b.sprite->name;
  });

  struct Size {
    int w, h;
  };
  std::vector<Size> sizes;
  for (int w = 1; w <= options.maxSize; w *= 2) {
    for (int h = 1; h <= options.maxSize; h *= 2) {
      if (w >= widest && h >= tallest && (long long)w * h >= area) sizes.push_back({w, h});
    }
  }
  std::sort(sizes.begin(), sizes.end(), [](const Size& a, const Size& b) {
    const long long areaA = (long long)a.w * a.h, areaB = (long long)b.w * b.h;
    if (areaA != areaB) return areaA < areaB;
    const int skewA = std::abs(a.w - a.h), skewB = std::abs(b.w - b.h);
    if (skewA != skewB) return skewA < skewB;
    return a.w > b.w;
  });

  std::vector<MaxRectsBin::Rect> placed;
  for (const Size& size : sizes) {
    if (!TryPack(cells, size.w, size.h, placed)) continue;
    PackedAtlas result;
    result.texture = RgbaImage(size.w, size.h);
    for (size_t i = 0; i < cells.size(); ++i) {
      const AtlasSprite& s = *cells[i].sprite;
      const int x = placed[i].x + options.padding, y = placed[i].y + options.padding;
      Blit(s.image, x, y, options.padding, result.texture);
      result.rects.push_back({s.name, x, y, s.image.width, s.image.height});
    }
    std::sort(result.rects.begin(), result.rects.end(),
              [](const AtlasRect& a, const AtlasRect& b) { return a.name < b.name; });
    atlas = std::move(result);
    return true;
  }
  error = std::to_string(sprites.size()) + " pictures do not fit into " +
          std::to_string(options.maxSize) + "x" + std::to_string(options.maxSize);
  return false;
}

std::string AtlasXml(const std::string& textureName, bool half,
                     const std::vector<AtlasRect>& rects) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
  xml +=
      "<Atlas name=\"" + EscapeAttribute(textureName) + "\" half=\"" + (half ? "1" : "0") + "\">\n";
  for (const AtlasRect& r : rects) {
    xml += "  <Tex name=\"" + EscapeAttribute(r.name) + "\" rect=\"" + std::to_string(r.x) + "," +
           std::to_string(r.y) + "," + std::to_string(r.w) + "," + std::to_string(r.h) + "\"/>\n";
  }
  xml += "</Atlas>\n";
  return xml;
}

}  // namespace kcontent
