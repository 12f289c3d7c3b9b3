// The lint check of the castle's part table "castle_parts": every part names a sprite that
// exists, its numbers are numbers, its offset is a pair, and its rectangle (the sprite's size
// where w or h is 0) lies on the 1280 x 768 canvas; the table holds the 45 parts the castle
// shows, and every part's effect exists.
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <string>

#include "data/XmlDocument.h"
#include "content_check/LintRun.h"

namespace {

constexpr float kCanvasWidth = 1280, kCanvasHeight = 768;
constexpr int kCastleParts = 45;
constexpr float kSlack = 0.5f;  // rounding of the sprite sizes

// A whole attribute as one finite number (none for anything else, such as "12px" or "nan").
std::optional<float> Number(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  float value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

struct Size {
  float w = 0, h = 0;
};

// The sprites' sizes from the atlases (rect = x, y, w, h in virtual pixels).
std::map<std::string, Size, std::less<>> SpriteSizes(FileSystem& fs) {
  std::map<std::string, Size, std::less<>> sizes;
  for (const FileInfo& atlas : fs.List("atlases/", ".xml")) {
    XmlDocument doc(fs);
    if (!doc.Load(atlas.key)) continue;
    const XmlElement root = doc.FirstChild(XmlElement(), "Atlas");
    for (XmlElement t = root.FirstChild("Tex"); t; t = t.NextSibling("Tex")) {
      const std::vector<float> r = t.Floats("rect", 4);
      sizes[t.Text("name")] = Size{r[2], r[3]};
    }
  }
  return sizes;
}

}  // namespace

void LintRun::CheckCastle() {
  const std::string file = "castle_parts.xml";
  if (!fs_.Find(file)) {
    Problem("content", "no castle part table castle_parts.xml");
    return;
  }
  XmlDocument doc(fs_);
  if (!doc.Load(file)) {
    Problem(file, "does not parse: " + doc.Error());
    return;
  }
  const XmlElement root = doc.FirstChild(XmlElement(), "PartTable");
  if (!root) {
    Problem(file, "has no PartTable root");
    return;
  }
  const auto sizes = SpriteSizes(fs_);
  int count = 0;
  for (XmlElement e = root.FirstChild("part"); e; e = e.NextSibling("part")) {
    ++count;
    const std::string name = e.Text("name");
    const std::string where = file + ": part " + Str(count) + " (" + name + ")";
    if (count == kCastleParts + 1) {
      Warning(where, "the castle shows only the first " + Str(kCastleParts) + " parts");
    }
    if (name.empty()) {
      Problem(where, "names no sprite");
    } else {
      Texture(where, name);
    }
    float values[4] = {0, 0, 0, 0};
    const char* attrs[4] = {"x", "y", "w", "h"};
    bool numbers = true;
    for (int i = 0; i < 4; ++i) {
      const std::optional<std::string_view> text = e.Attribute(attrs[i]);
      if (!text) continue;
      const std::optional<float> v = Number(*text);
      if (!v) {
        Problem(where, std::string(attrs[i]) + " is not a number: \"" + std::string(*text) + "\"");
        numbers = false;
      } else {
        values[i] = *v;
      }
    }
    if (const std::optional<std::string_view> offset = e.Attribute("offset")) {
      const std::string_view text = *offset;
      const size_t comma = text.find(',');
      if (comma == std::string_view::npos || !Number(text.substr(0, comma)) ||
          !Number(text.substr(comma + 1))) {
        Problem(where, "offset is not two numbers x,y: \"" + std::string(text) + "\"");
      }
    }
    const std::string effect = e.Text("effect");
    Effect(where, effect.empty() ? "castle_part" : effect);
    if (!numbers) continue;
    float w = values[2], h = values[3];
    if (w == 0 || h == 0) {
      const auto it = sizes.find(name);
      if (it == sizes.end()) continue;  // a texture of its own, or missing (reported above)
      if (w == 0) w = it->second.w;
      if (h == 0) h = it->second.h;
    }
    const float x0 = values[0], y0 = values[1];
    if (w < 0 || h < 0) {
      Problem(where, "has a negative size");
    } else if (x0 < -kSlack || y0 < -kSlack || x0 + w > kCanvasWidth + kSlack ||
               y0 + h > kCanvasHeight + kSlack) {
      Problem(where, "lies outside the 1280 x 768 canvas: " + Str(int(x0)) + "," + Str(int(y0)) +
                         " to " + Str(int(std::ceil(x0 + w))) + "," + Str(int(std::ceil(y0 + h))));
    }
  }
  if (count < kCastleParts) {
    Warning(file, "has " + Str(count) + " parts; the castle shows up to " + Str(kCastleParts));
  }
}
