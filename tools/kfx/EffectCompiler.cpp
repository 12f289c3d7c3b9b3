#include "EffectCompiler.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "data/XmlDocument.h"
#include "graphics/ImageDecoder.h"
#include "particles/PyroErrors.h"
#include "particles/PyroStreams.h"

namespace kfx {

using namespace PyroParticles;

namespace {

struct Failure {
  std::string message;
};

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::istringstream in{std::string(text)};
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

float Number(const std::string& word, const std::string& what) {
  char* end = nullptr;
  const float v = std::strtof(word.c_str(), &end);
  if (word.empty() || *end != '\0' || !std::isfinite(v))
    throw Failure{what + ": not a number: " + word};
  return v;
}

class LayerReader {
 public:
  LayerReader(XmlElement element, std::string where) : e_(element), where_(std::move(where)) {}

  std::optional<std::string> Attr(std::string_view name) const {
    auto a = e_.Attribute(name);
    if (!a) return std::nullopt;
    return std::string(*a);
  }
  std::string What(std::string_view name) const { return where_ + " " + std::string(name); }

  float Float(std::string_view name, float def) const {
    auto a = Attr(name);
    return a ? Number(*a, What(name)) : def;
  }
  uint32_t Unsigned(std::string_view name, uint32_t def) const {
    const float v = Float(name, float(def));
    if (v < 0.0f || v != std::floor(v) || v > 4.0e9f)
      throw Failure{What(name) + ": not a whole number"};
    return uint32_t(v);
  }
  // "min max", or one value for both.
  void Range(std::string_view name, float& lo, float& hi) const {
    auto a = Attr(name);
    if (!a) return;
    const auto w = Words(*a);
    if (w.size() != 1 && w.size() != 2) throw Failure{What(name) + ": one or two numbers"};
    lo = Number(w[0], What(name));
    hi = w.size() == 2 ? Number(w[1], What(name)) : lo;
  }
  void Pair(std::string_view name, float& a, float& b) const { Range(name, a, b); }
  Curve ReadCurve(std::string_view name, const Curve& def) const {
    auto a = Attr(name);
    if (!a) return def;
    Curve c;
    for (const std::string& w : Words(*a)) {
      const size_t colon = w.find(':');
      if (colon == std::string::npos) {
        c.keys.push_back({0.0f, Number(w, What(name))});
      } else {
        c.keys.push_back(
            {Number(w.substr(0, colon), What(name)), Number(w.substr(colon + 1), What(name))});
      }
    }
    Check(c, name);
    return c;
  }
  // "t:AARRGGBB ..." into four curves.
  void Colour(LayerDesc& l) const {
    auto a = Attr("color");
    if (!a) return;
    l.red.keys.clear();
    l.green.keys.clear();
    l.blue.keys.clear();
    l.alpha.keys.clear();
    for (const std::string& w : Words(*a)) {
      const size_t colon = w.find(':');
      const float t = colon == std::string::npos ? 0.0f : Number(w.substr(0, colon), What("color"));
      const std::string hex = colon == std::string::npos ? w : w.substr(colon + 1);
      char* end = nullptr;
      const unsigned long argb = std::strtoul(hex.c_str(), &end, 16);
      if (hex.size() != 8 || *end != '\0') throw Failure{What("color") + ": not AARRGGBB: " + hex};
      l.alpha.keys.push_back({t, float((argb >> 24) & 0xFF) / 255.0f});
      l.red.keys.push_back({t, float((argb >> 16) & 0xFF) / 255.0f});
      l.green.keys.push_back({t, float((argb >> 8) & 0xFF) / 255.0f});
      l.blue.keys.push_back({t, float(argb & 0xFF) / 255.0f});
    }
    Check(l.alpha, "color");
  }
  void Check(const Curve& c, std::string_view name) const {
    if (c.keys.empty()) throw Failure{What(name) + ": no keys"};
    if (c.keys.size() > kMaxCurveKeys) throw Failure{What(name) + ": too many keys"};
    float last = 0.0f;
    for (const CurveKey& k : c.keys) {
      if (k.time < last || k.time > 1.0f)
        throw Failure{What(name) + ": key times run 0..1, rising"};
      last = k.time;
    }
  }

 private:
  XmlElement e_;
  std::string where_;
};

LayerDesc ReadLayer(XmlElement element, const std::vector<std::string>& shapes,
                    const std::string& where) {
  LayerReader r(element, where);
  LayerDesc l;
  l.name = r.Attr("name").value_or("");
  const std::string texture = r.Attr("texture").value_or("");
  size_t shape = 0;
  while (shape < shapes.size() && shapes[shape] != texture) ++shape;
  if (shape == shapes.size()) throw Failure{where + ": no texture named '" + texture + "'"};
  l.shape = uint32_t(shape);

  const std::string blend = r.Attr("blend").value_or("alpha");
  if (blend == "alpha") {
    l.sourceBlend = kFactorSourceAlpha, l.destBlend = kFactorInverseSourceAlpha;
  } else if (blend == "add") {
    l.sourceBlend = kFactorSourceAlpha, l.destBlend = kFactorOne;
  } else if (blend == "pureadd") {
    l.sourceBlend = kFactorOne, l.destBlend = kFactorOne;
  } else if (blend == "premultiplied") {
    l.sourceBlend = kFactorOne, l.destBlend = kFactorInverseSourceAlpha;
  } else {
    throw Failure{where + ": unknown blend '" + blend + "'"};
  }

  for (const std::string& flag : Words(r.Attr("flags").value_or(""))) {
    if (flag == "align")
      l.flags |= kLayerAlignToMotion;
    else if (flag == "animate")
      l.flags |= kLayerAnimateFrames;
    else if (flag == "random")
      l.flags |= kLayerRandomFrame;
    else
      throw Failure{where + ": unknown flag '" + flag + "'"};
  }
  l.maxParticles = r.Unsigned("max", l.maxParticles);
  l.burst = r.Unsigned("burst", 0);
  l.rate = r.ReadCurve("rate", Curve(l.burst ? 0.0f : 10.0f));
  r.Range("life", l.lifeMin, l.lifeMax);
  r.Range("speed", l.speedMin, l.speedMax);
  l.direction = r.Float("direction", l.direction);
  l.spread = r.Float("spread", l.spread);
  r.Pair("gravity", l.gravityX, l.gravityY);
  l.drag = r.Float("drag", 0.0f);
  if (auto area = r.Attr("area")) {
    const auto w = Words(*area);
    const std::string kind = w.empty() ? "" : w[0];
    if (kind == "point")
      l.area = AreaKind::Point;
    else if (kind == "rect")
      l.area = AreaKind::Rectangle;
    else if (kind == "ellipse")
      l.area = AreaKind::Ellipse;
    else if (kind == "ring")
      l.area = AreaKind::EllipseEdge;
    else
      throw Failure{where + ": unknown area '" + kind + "'"};
    if (l.area != AreaKind::Point) {
      if (w.size() != 3) throw Failure{where + ": area needs a width and a height"};
      l.areaWidth = Number(w[1], where + " area");
      l.areaHeight = Number(w[2], where + " area");
    }
  }
  r.Range("spin", l.spinMin, l.spinMax);
  r.Range("angle", l.angleMin, l.angleMax);
  l.sizeVariation = r.Float("sizevar", 0.0f);
  l.stretch = r.Float("stretch", 1.0f);
  l.size = r.ReadCurve("size", l.size);
  r.Colour(l);
  if (auto a = r.Attr("alpha")) l.alpha = r.ReadCurve("alpha", l.alpha);
  return l;
}

}  // namespace

std::optional<FileDesc> CompileEffect(std::string_view xml, const FileLoader& load,
                                      std::string& error) {
  XmlDocument doc;
  if (!doc.Parse(xml)) {
    error = "not a readable XML document";
    return std::nullopt;
  }
  const XmlElement root = doc.FirstChild({}, "effect");
  if (!root) {
    error = "the root element is not <effect>";
    return std::nullopt;
  }
  FileDesc desc;
  std::vector<std::string> shapeNames;
  try {
    for (XmlElement t = root.FirstChild("texture"); t; t = t.NextSibling("texture")) {
      LayerReader r(t, "texture");
      const std::string name = r.Attr("name").value_or("");
      const std::string file = r.Attr("file").value_or("");
      const auto bytes = load(file);
      if (!bytes) throw Failure{"texture '" + name + "': cannot read " + file};
      const auto image = DecodePng(*bytes, false);
      if (!image || image->format != PixelFormat::BGRA8 ||
          image->imageWidth > int(kMaxBitmapSide) || image->imageHeight > int(kMaxBitmapSide))
        throw Failure{"texture '" + name + "': " + file + " is not a PNG of at most 1024 pixels"};
      BitmapDesc b;
      b.name = name;
      b.width = image->imageWidth;
      b.height = image->imageHeight;
      b.rgba.resize(size_t(b.width) * b.height * 4);
      for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
          const uint8_t* s = &image->pixels[(size_t(y) * image->width + x) * 4];
          uint8_t* d = &b.rgba[(size_t(y) * b.width + x) * 4];
          d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = s[3];
        }
      ShapeDesc s;
      s.name = name;
      s.bitmap = uint32_t(desc.bitmaps.size());
      s.frames = r.Unsigned("frames", 1);
      if (s.frames < 1 || s.frames > kMaxFrames)
        throw Failure{"texture '" + name + "': frames 1..256"};
      desc.bitmaps.push_back(std::move(b));
      desc.shapes.push_back(s);
      shapeNames.push_back(name);
    }
    for (XmlElement e = root.FirstChild("emitter"); e; e = e.NextSibling("emitter")) {
      LayerReader r(e, "emitter");
      EmitterDesc em;
      em.name = r.Attr("name").value_or("");
      if (em.name.empty()) throw Failure{"an emitter without a name"};
      for (const EmitterDesc& other : desc.emitters)
        if (other.name == em.name) throw Failure{"two emitters named '" + em.name + "'"};
      em.looping = r.Float("loop", 1.0f) != 0.0f;
      em.duration = r.Float("duration", 1.0f);
      int n = 0;
      for (XmlElement l = e.FirstChild("layer"); l; l = l.NextSibling("layer"))
        em.layers.push_back(
            ReadLayer(l, shapeNames, "emitter '" + em.name + "' layer " + std::to_string(++n)));
      desc.emitters.push_back(std::move(em));
    }
    if (desc.emitters.empty()) throw Failure{"an effect without emitters"};
    // Only the textures the layers use go into the file.
    std::vector<int> remap(desc.shapes.size(), -1);
    FileDesc used;
    for (EmitterDesc& e : desc.emitters)
      for (LayerDesc& l : e.layers) {
        if (remap[l.shape] < 0) {
          remap[l.shape] = int(used.shapes.size());
          ShapeDesc s = desc.shapes[l.shape];
          used.bitmaps.push_back(std::move(desc.bitmaps[s.bitmap]));
          s.bitmap = uint32_t(used.bitmaps.size() - 1);
          used.shapes.push_back(s);
        }
        l.shape = uint32_t(remap[l.shape]);
      }
    desc.shapes = std::move(used.shapes);
    desc.bitmaps = std::move(used.bitmaps);
    // What the game will refuse is refused here already.
    const std::vector<uint8_t> bytes = WritePyro(desc);
    Engine::CInFile in(bytes.data(), bytes.size());
    ReadPyro(in, "the values break the file rules (ranges, limits)");
  } catch (const Failure& f) {
    error = f.message;
    return std::nullopt;
  } catch (const std::exception& e) {
    error = e.what();
    return std::nullopt;
  }
  return desc;
}

}  // namespace kfx
