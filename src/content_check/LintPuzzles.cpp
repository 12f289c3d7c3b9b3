// The lint checks of the puzzles: each of the campaign's puzzles has its set of ten pieces
// (controls 11-20, each with a sprite) and its outline file; every outline lies in its
// sprite's rectangle along the sprite's opaque edge and can be hit (every edge faces the
// mean point the game tests from); links are mutual, two linked pieces share an edge at
// their offset, and the links join all ten pieces, so that the puzzle can be completed.
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "data/XmlDocument.h"
#include "graphics/ImageDecoder.h"
#include "content_check/LintRun.h"

namespace {

constexpr int kPuzzlePieces = 10;
constexpr int kCampaignPuzzles = 5;
constexpr int kMaxPuzzles = 8;
constexpr float kPuzzleEdgeReach = 3.0f;  // an outline point lies this close to the opaque edge
constexpr float kPuzzleShared = 1.0f;     // points of two neighbours this close are one point
constexpr size_t kPuzzleMaxPoints = 512;  // the screen keeps no more of an outline
constexpr size_t kPuzzleMaxLinks = 16;    // nor more links

struct OutlinePoint {
  float x = 0, y = 0;
};

struct PieceSprite {
  std::string texture;
  float x = 0, y = 0, w = 0, h = 0;  // texture pixels
  float scale = 1;                   // texture pixels to units
};

struct PieceFile {
  bool placed = false;
  std::string sprite;
  OutlinePoint centre;
  std::vector<int> links;
  std::vector<OutlinePoint> outline;
};

std::string PieceName(int n) { return "piece " + std::to_string(n); }

// The sprites of every atlas, as the sprite manager reads them.
std::map<std::string, PieceSprite> ReadPieceAtlases(FileSystem& fs) {
  std::map<std::string, PieceSprite> sprites;
  for (const FileInfo& atlas : fs.List("atlases/", ".xml")) {
    XmlDocument doc(fs);
    if (!doc.Load(atlas.key)) continue;
    const XmlElement root = doc.FirstChild(XmlElement(), "Atlas");
    if (!root) continue;
    const float scale = root.Bool("half", false) ? 2.0f : 1.0f;
    for (XmlElement t = root.FirstChild("Tex"); t; t = t.NextSibling("Tex")) {
      float r[4];
      t.Floats("rect", r);
      sprites[t.Text("name")] = PieceSprite{root.Text("name"), r[0], r[1], r[2], r[3], scale};
    }
  }
  return sprites;
}

// The alpha plane of a texture file, when it decodes to a format that has one.
struct PieceAlpha {
  int width = 0, height = 0;
  std::vector<uint8_t> alpha;
  uint8_t At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return alpha[size_t(y) * size_t(width) + size_t(x)];
  }
};

std::optional<PieceAlpha> ReadPieceAlpha(FileSystem& fs, const std::string& texture) {
  const FileData file = fs.Read(texture + ".zif");
  if (!file) return std::nullopt;
  std::optional<DecodedImage> image = DecodeZif(file.Bytes());
  fs.Release(file.data);
  if (!image) return std::nullopt;
  PieceAlpha plane;
  plane.width = image->width;
  plane.height = image->height;
  plane.alpha.resize(size_t(plane.width) * size_t(plane.height));
  const size_t bytes = size_t(BytesPerPixel(image->format));
  if (image->pixels.size() < plane.alpha.size() * bytes) return std::nullopt;
  for (size_t i = 0; i < plane.alpha.size(); ++i) {
    const uint8_t* p = &image->pixels[i * bytes];
    switch (image->format) {
      case PixelFormat::RGBA8:
      case PixelFormat::BGRA8:
        plane.alpha[i] = p[3];
        break;
      case PixelFormat::ARGB4444:
        plane.alpha[i] = uint8_t((p[1] >> 4) * 17);
        break;
      case PixelFormat::ARGB1555:
        plane.alpha[i] = (p[1] & 0x80) ? 255 : 0;
        break;
      default:
        return std::nullopt;
    }
  }
  return plane;
}

float DistanceToPieceOutline(OutlinePoint p, const std::vector<OutlinePoint>& outline) {
  float best = 1e30f;
  for (size_t k = 0; k < outline.size(); ++k) {
    const OutlinePoint a = outline[k], b = outline[(k + 1) % outline.size()];
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float len = dx * dx + dy * dy;
    const float t =
        len > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len, 0.0f, 1.0f) : 0;
    best = std::min(best, std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy)));
  }
  return best;
}

bool InsidePieceOutline(OutlinePoint p, const std::vector<OutlinePoint>& poly) {
  bool inside = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const OutlinePoint a = poly[i], b = poly[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
  }
  return inside;
}

// Whether a point of `other`, moved by offset, lies deep inside `piece`.
bool PiecesOverlap(const std::vector<OutlinePoint>& piece, const std::vector<OutlinePoint>& other,
                   OutlinePoint offset) {
  for (const OutlinePoint& q : other) {
    const OutlinePoint moved{q.x + offset.x, q.y + offset.y};
    if (InsidePieceOutline(moved, piece) &&
        DistanceToPieceOutline(moved, piece) > 2 * kPuzzleShared)
      return true;
  }
  return false;
}

}  // namespace

void LintRun::CheckPuzzles() {
  for (int p = 1; p <= kMaxPuzzles; ++p) {
    const std::string set = Format("puzzle_set_%d.xml", p);
    const std::string poly = Format("puzzle_poly_%d.xml", p);
    if (!fs_.Find(set) && !fs_.Find(poly)) {
      if (p <= kCampaignPuzzles) Problem("content", "no puzzle " + Str(p) + " (" + set + ")");
      continue;
    }
    CheckPuzzle(p);
  }
}

void LintRun::CheckPuzzle(int p) {
  const std::string set = Format("puzzle_set_%d.xml", p);
  const std::string poly = Format("puzzle_poly_%d.xml", p);
  std::vector<PieceFile> pieces(kPuzzlePieces + 1);

  // The set: pieces 1-10 are controls 11-20, once each, placed by their centres.
  XmlDocument setDoc(fs_);
  const XmlElement controls =
      setDoc.Load(set) ? setDoc.FirstChild(XmlElement(), "controls") : XmlElement();
  if (!controls) Problem(set, "missing, or not a layout with a controls element");
  for (XmlElement e = controls ? controls.FirstChild() : XmlElement(); e; e = e.NextSibling()) {
    const int n = e.Int("id", 0) - 10;
    if (n < 1 || n > kPuzzlePieces) continue;
    PieceFile& piece = pieces[size_t(n)];
    if (piece.placed) {
      // The screen takes the first; so does the check.
      Problem(set, PieceName(n) + " (id " + Str(n + 10) + ") is there twice");
      continue;
    }
    piece.placed = true;
    piece.sprite = e.Text("spr");
    if (!e.Has("cx") || !e.Has("cy"))
      Problem(set, PieceName(n) + ": place it by its centre (cx and cy)");
    piece.centre = {e.Float("cx", 0), e.Float("cy", 0)};
    if (piece.sprite.empty()) Problem(set, PieceName(n) + " has no sprite");
  }
  for (int n = 1; n <= kPuzzlePieces; ++n) {
    if (controls && !pieces[size_t(n)].placed)
      Problem(set, "no " + PieceName(n) + " (a control with id " + Str(n + 10) + ")");
  }

  // The outlines and links, one piece element per piece in order.
  XmlDocument polyDoc(fs_);
  const XmlElement root =
      polyDoc.Load(poly) ? polyDoc.FirstChild(XmlElement(), "pieces") : XmlElement();
  if (!root) Problem(poly, "missing, or without a pieces element: nothing can snap");
  int count = 0;
  for (XmlElement e = root ? root.FirstChild("piece") : XmlElement(); e;
       e = e.NextSibling("piece")) {
    if (++count > kPuzzlePieces) continue;
    PieceFile& piece = pieces[size_t(count)];
    e.IntList("links", piece.links);
    if (piece.links.size() > kPuzzleMaxLinks) {
      Problem(poly, PieceName(count) + ": more than 16 links: the game keeps only the first 16");
      piece.links.resize(kPuzzleMaxLinks);
    }
    bool reported = false;
    for (XmlElement pt = e.FirstChild("point"); pt && piece.outline.size() <= kPuzzleMaxPoints;
         pt = pt.NextSibling("point")) {
      const OutlinePoint q{pt.Float("x", 0), pt.Float("y", 0)};
      if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
        if (!reported) Problem(poly, PieceName(count) + ": a point that is no number");
        reported = true;
        continue;
      }
      piece.outline.push_back(q);
    }
  }
  if (root && count != kPuzzlePieces) Problem(poly, Str(count) + " pieces instead of 10");

  const std::map<std::string, PieceSprite> atlas = ReadPieceAtlases(fs_);
  std::map<std::string, std::optional<PieceAlpha>> planes;
  for (int n = 1; n <= std::min(count, kPuzzlePieces); ++n) {
    PieceFile& piece = pieces[size_t(n)];
    const std::string where = poly + ": " + PieceName(n);
    if (piece.outline.size() > kPuzzleMaxPoints) {
      Problem(where, "more than 512 points: the game keeps only the first 512");
      piece.outline.resize(kPuzzleMaxPoints);
    }
    if (piece.outline.size() < 3) {
      Problem(where, "an outline needs at least three points");
      continue;
    }
    std::set<int> seen;
    for (int link : piece.links) {
      if (link < 1 || link > kPuzzlePieces || link == n) {
        Problem(where, "links " + Str(link) + ", which is no other piece");
      } else if (!seen.insert(link).second) {
        Problem(where, "links " + Str(link) + " twice");
      }
    }
    // The game tests a click in the triangles from the mean point to each edge: every edge
    // must face that point the same way round, or parts of the piece miss clicks.
    OutlinePoint mean;
    for (const OutlinePoint& q : piece.outline) mean.x += q.x, mean.y += q.y;
    mean.x /= float(piece.outline.size());
    mean.y /= float(piece.outline.size());
    int positive = 0, negative = 0;
    for (size_t k = 0; k < piece.outline.size(); ++k) {
      const OutlinePoint a = piece.outline[k], b = piece.outline[(k + 1) % piece.outline.size()];
      const float cross = (a.x - mean.x) * (b.y - mean.y) - (a.y - mean.y) * (b.x - mean.x);
      positive += cross > 1e-3f;
      negative += cross < -1e-3f;
    }
    if (positive && negative)
      Problem(where, "the outline is not star-shaped about its mean point: clicks miss parts");

    // Against the sprite: inside its rectangle, along its opaque edge.
    const auto sprite = atlas.find(piece.sprite);
    if (sprite == atlas.end()) {
      if (!piece.sprite.empty()) Texture(set + ": " + PieceName(n), piece.sprite);
      continue;
    }
    const PieceSprite& s = sprite->second;
    const float w = s.w * s.scale, h = s.h * s.scale;
    for (const OutlinePoint& q : piece.outline) {
      if (std::fabs(q.x) > w / 2 + 0.5f || std::fabs(q.y) > h / 2 + 0.5f) {
        Problem(where, "the outline leaves the sprite's rectangle at (" + Str(int(q.x)) + ", " +
                           Str(int(q.y)) + ")");
        break;
      }
    }
    if (!lint_.options_.media) continue;
    auto plane = planes.find(s.texture);
    if (plane == planes.end())
      plane = planes.emplace(s.texture, ReadPieceAlpha(fs_, s.texture)).first;
    if (!plane->second) continue;
    const int reach = int(std::ceil(kPuzzleEdgeReach / s.scale));
    for (const OutlinePoint& q : piece.outline) {
      // Far-off points (already reported) stay far off without overflowing.
      const int u = int(std::clamp(std::round(double(s.x) + (q.x + w / 2) / s.scale), -1e6, 1e6));
      const int v = int(std::clamp(std::round(double(s.y) + (h / 2 - q.y) / s.scale), -1e6, 1e6));
      bool opaque = false, clear = false;
      for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
          const int x = std::clamp(u + dx, int(s.x), int(s.x + s.w) - 1);
          const int y = std::clamp(v + dy, int(s.y), int(s.y + s.h) - 1);
          const bool inside = u + dx >= int(s.x) && u + dx < int(s.x + s.w) && v + dy >= int(s.y) &&
                              v + dy < int(s.y + s.h);
          const uint8_t a = inside ? plane->second->At(x, y) : 0;
          opaque = opaque || a >= 128;
          clear = clear || a < 128;
        }
      }
      if (!opaque || !clear) {
        Problem(where, "the outline point (" + Str(int(q.x)) + ", " + Str(int(q.y)) +
                           ") is not on the sprite's opaque edge");
        break;
      }
    }
  }

  // Links: mutual, the two outlines meet along an edge where the offset puts them, and all
  // ten pieces joined through them.
  std::vector<int> reached(kPuzzlePieces + 1, 0);
  std::vector<int> todo{1};
  reached[1] = pieces[1].placed && !pieces[1].outline.empty();
  for (int n = 1; n <= std::min(count, kPuzzlePieces); ++n) {
    const PieceFile& piece = pieces[size_t(n)];
    for (int link : piece.links) {
      if (link < 1 || link > kPuzzlePieces || link == n || link > count) continue;
      const PieceFile& other = pieces[size_t(link)];
      const std::string where = poly + ": " + PieceName(n);
      if (std::find(other.links.begin(), other.links.end(), n) == other.links.end())
        Problem(where,
                "links " + Str(link) + ", but " + PieceName(link) + " does not link it back");
      if (!piece.placed || !other.placed || piece.outline.size() < 3 || other.outline.size() < 3)
        continue;
      const OutlinePoint offset{other.centre.x - piece.centre.x, other.centre.y - piece.centre.y};
      int shared = 0;
      for (const OutlinePoint& q : other.outline) {
        if (DistanceToPieceOutline({q.x + offset.x, q.y + offset.y}, piece.outline) <=
            kPuzzleShared)
          ++shared;
      }
      // They touch along an edge, and neither reaches into the other.
      if (shared < 3 || PiecesOverlap(piece.outline, other.outline, offset) ||
          PiecesOverlap(other.outline, piece.outline, {-offset.x, -offset.y}))
        Problem(where, "does not fit " + PieceName(link) + " where the set places them");
    }
  }
  while (!todo.empty() && reached[1]) {
    const int n = todo.back();
    todo.pop_back();
    for (int link : pieces[size_t(n)].links) {
      if (link >= 1 && link <= kPuzzlePieces && !reached[size_t(link)] &&
          pieces[size_t(link)].placed) {
        reached[size_t(link)] = 1;
        todo.push_back(link);
      }
    }
  }
  for (int n = 1; n <= kPuzzlePieces; ++n) {
    if (!reached[size_t(n)]) {
      Problem(poly, "the links never join " + PieceName(n) +
                        " to piece 1: the puzzle cannot be "
                        "completed");
      break;
    }
  }
}
