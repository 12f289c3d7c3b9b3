#include "data/ComicDescription.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/Numbers.h"
#include "data/XmlDocument.h"
#include "data/XmlElement.h"

namespace {

float Finite(float value, float fallback) { return std::isfinite(value) ? value : fallback; }

float FloatOf(const XmlElement& e, std::string_view attr, float def) {
  return Finite(e.Float(attr, def), def);
}

// "x,y" or "x y"; a missing second number is 0.
void ReadPos(const XmlElement& e, float& x, float& y) {
  const auto text = e.Attribute("pos");
  if (!text) return;
  std::string s(*text);
  std::replace(s.begin(), s.end(), ',', ' ');
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return;
  const size_t gap = s.find(' ', first);
  x = Finite(ParseFloat(std::string_view(s).substr(first, gap - first)), 0.0f);
  y = 0.0f;
  if (gap == std::string::npos) return;
  const size_t second = s.find_first_not_of(' ', gap);
  if (second != std::string::npos) y = Finite(ParseFloat(std::string_view(s).substr(second)), 0.0f);
}

}  // namespace

ComicEventType ComicEventTypeOf(std::string_view word) {
  static constexpr std::string_view kWords[] = {"alpha",  "pos",    "text", "voice",
                                                "scale", "finish", "shake"};
  for (size_t i = 0; i < std::size(kWords); ++i) {
    if (word == kWords[i]) return ComicEventType(int(i));
  }
  return ComicEventType::Unknown;
}

ComicEase ComicEaseOf(std::string_view word) {
  if (word == "sqr") return ComicEase::Square;
  if (word == "sqrt") return ComicEase::SquareRoot;
  return ComicEase::Linear;
}

std::string ComicDescription::FileName(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "com_%d_desc", number);
  return name;
}

bool ComicDescription::Read(const XmlDocument& document) {
  *this = ComicDescription();
  const XmlElement root = document.FirstChild({}, "ComicsDesc");
  if (!root) return false;
  start = FloatOf(root, "start", 0.0f);
  for (XmlElement e = root.FirstChild("Layer"); e; e = e.NextSibling("Layer")) {
    ComicLayer layer;
    layer.tex = e.Text("tex");
    ReadPos(e, layer.x, layer.y);
    layer.alpha = FloatOf(e, "alpha", 1.0f);
    layer.scale = FloatOf(e, "scale", 100.0f);
    layers.push_back(std::move(layer));
  }
  for (XmlElement e = root.FirstChild("Tag"); e; e = e.NextSibling("Tag")) {
    ComicTag tag;
    tag.name = e.Text("name");
    for (XmlElement l = e.FirstChild("Layer"); l; l = l.NextSibling("Layer")) {
      tag.layers.push_back(l.Text("tex"));
    }
    tags.push_back(std::move(tag));
  }
  for (XmlElement e = root.FirstChild("Event"); e; e = e.NextSibling("Event")) {
    ComicEvent event;
    event.layer = e.Text("layer");
    event.typeWord = e.Text("type");
    event.type = ComicEventTypeOf(event.typeWord);
    event.easeWord = e.Text("ease");
    event.ease = ComicEaseOf(event.easeWord);
    ReadPos(e, event.x, event.y);
    event.scale = FloatOf(e, "scale", 100.0f) / 100.0f;
    event.time = FloatOf(e, "time", 1000.0f);
    event.duration = FloatOf(e, "duration", 1000.0f) / 1000.0f;
    event.alpha = FloatOf(e, "alpha", 1.0f);
    events.push_back(std::move(event));
  }
  return true;
}

bool ComicDescription::Load(FileSystem& files, int number) {
  XmlDocument document(files);
  if (!document.Load(FileName(number))) {
    *this = ComicDescription();
    return false;
  }
  return Read(document);
}

float ComicDescription::LastEventTime() const {
  float last = 0.0f;
  for (const ComicEvent& e : events) last = std::max(last, e.time);
  return last;
}

float ComicDescription::ReachableStart() const {
  return std::clamp(start, 0.0f, LastEventTime() + 1.0f);
}

const ComicTag* ComicDescription::FindTag(std::string_view name) const {
  for (const ComicTag& tag : tags) {
    if (tag.name == name) return &tag;
  }
  return nullptr;
}

bool ComicDescription::HasLayer(std::string_view tex) const {
  return std::any_of(layers.begin(), layers.end(),
                     [&](const ComicLayer& l) { return l.tex == tex; });
}

std::vector<std::string> ComicDescription::Targets(const ComicEvent& event) const {
  if (const ComicTag* tag = FindTag(event.layer)) return tag->layers;
  return {event.layer};
}
