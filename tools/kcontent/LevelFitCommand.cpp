#include "kcontent/LevelFitCommand.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "content_check/GameContent.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/WaypointArea.h"

namespace {

std::string SizeText(Vec2 half) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f,%.2f", double(half.x), double(half.y));
  return buffer;
}

// Puts the size into the element's text: replaces its size attribute or adds one.
void SetSize(std::string& element, const std::string& size) {
  const size_t at = element.find(" size=\"");
  if (at != std::string::npos) {
    const size_t from = at + 7;
    const size_t to = element.find('"', from);
    if (to != std::string::npos) {
      element.replace(from, to - from, size);
      return;
    }
  }
  const size_t close = element.rfind("/>");
  element.insert(close != std::string::npos ? close : element.size() - 1, " size=\"" + size + "\"");
}

}  // namespace

bool FitWaypointSizes(const std::string& text, std::string& out, int& changed, std::string& error) {
  changed = 0;
  NoMedia textures;
  GameDescriptors descriptors;
  Level level(descriptors, &textures);
  if (!level.ReadLevel(text)) {
    error = level.readError.empty() ? "not a level" : level.readError;
    return false;
  }
  out = text;
  if (!IsOrdinary(level.mode)) return true;
  std::map<int, std::string> sizes;
  for (const auto& o : level.objects) {
    if (waypoint_area::Served(*o).empty()) continue;
    const Vec2 half = waypoint_area::FittedHalfSize(*o);
    if (std::fabs(half.x - o->size.x) >= 0.005f || std::fabs(half.y - o->size.y) >= 0.005f) {
      sizes[o->id] = SizeText(half);
    }
  }
  // Element by element, so that comments and the order of attributes stay as written.
  std::string result;
  size_t done = 0;
  for (size_t at = out.find("<object"); at != std::string::npos; at = out.find("<object", at)) {
    const size_t end = out.find('>', at);
    if (end == std::string::npos) break;
    std::string element = out.substr(at, end + 1 - at);
    const size_t id = element.find(" id=\"");
    if (id != std::string::npos) {
      const auto it = sizes.find(std::atoi(element.c_str() + id + 5));
      if (it != sizes.end()) {
        SetSize(element, it->second);
        sizes.erase(it);
        ++changed;
      }
    }
    result += out.substr(done, at - done) + element;
    done = end + 1;
    at = end + 1;
  }
  result += out.substr(done);
  out = result;
  return true;
}

int RunLevelFit(const std::vector<std::string>& args) {
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: kcontent level fit FILE...\n");
    return 2;
  }
  int failed = 0;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& path = args[i];
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string out, error;
    int changed = 0;
    if (!in || !FitWaypointSizes(text, out, changed, error)) {
      std::fprintf(stderr, "kcontent level fit: %s: %s\n", path.c_str(),
                   in ? error.c_str() : "cannot open");
      ++failed;
      continue;
    }
    if (changed > 0) {
      std::ofstream file(path, std::ios::binary | std::ios::trunc);
      file << out;
      if (!file) {
        std::fprintf(stderr, "kcontent level fit: cannot write %s\n", path.c_str());
        ++failed;
        continue;
      }
    }
    std::printf("%s: %d waypoint%s fitted\n", path.c_str(), changed, changed == 1 ? "" : "s");
  }
  return failed == 0 ? 0 : 1;
}
