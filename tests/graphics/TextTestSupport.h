#pragma once
#include "support/TempDir.h"
// Fonts made up for the text tests: content folders in a temporary directory, fonts with
// simple metrics, and a FontResources that hands out fake page textures and icons.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "data/FileSystem.h"
#include "graphics/FontManager.h"

namespace texttest {

// A temporary game folder: files written below its "content" folder.
class TempDir : public ::TempDir {
 public:
  // Writes content/NAME below the folder.
  void Write(const std::string& name, const std::string& text) const {
    const std::filesystem::path p = std::filesystem::path(Path()) / "content" / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << text;
  }
  std::string Content() const { return Path() + "/content"; }
};

struct GlyphSpec {
  int id;
  int width = 10;
  int height = 20;
  int xadvance = 10;
  int yoffset = 0;
};

// A font description. With the defaults (page 100 × 100, line height 20, advanceMod 1), a
// glyph of xadvance 10 drawn or measured at size 20 is 10 virtual units wide.
inline std::string FontXml(
    const std::vector<GlyphSpec>& glyphs, const std::string& page,
    const std::string& common = "lineHeight=\"20\" advanceMod=\"1\" scaleW=\"100\" scaleH=\"100\"",
    int count = -1) {
  std::ostringstream x;
  x << "<font><pages><page id=\"0\" file=\"" << page << "\"/></pages>"
    << "<common " << common << "/>"
    << "<chars count=\"" << (count < 0 ? int(glyphs.size()) : count) << "\">";
  int i = 0;
  for (const GlyphSpec& g : glyphs) {
    x << "<char id=\"" << g.id << "\" x=\"" << (i % 10) * 10 << "\" y=\"" << (i / 10) * 10
      << "\" width=\"" << g.width << "\" height=\"" << g.height << "\" xoffset=\"0\" yoffset=\""
      << g.yoffset << "\" xadvance=\"" << g.xadvance << "\"/>";
    ++i;
  }
  x << "</chars></font>";
  return x.str();
}

// Glyphs for the codes in text, each with the default metrics.
inline std::vector<GlyphSpec> GlyphsFor(std::u16string_view codes) {
  std::set<int> ids(codes.begin(), codes.end());
  std::vector<GlyphSpec> out;
  for (int id : ids) out.push_back({id});
  return out;
}

// Page textures exist for the names listed in pages; icons for the names in icons.
class FakeResources : public FontResources {
 public:
  std::set<std::string> pages;
  std::map<std::string, std::unique_ptr<Texture>> loaded;
  std::vector<std::string> deleted;
  std::map<std::string, FontIcon> icons;
  std::vector<std::string> iconLookups;

  Texture* PageTexture(const std::string& name) override {
    if (!pages.count(name)) return nullptr;
    auto& t = loaded[name];
    if (!t) {
      t = std::make_unique<Texture>();
      t->name = name;
    }
    return t.get();
  }
  void DeletePageTexture(const std::string& name) override {
    deleted.push_back(name);
    loaded.erase(name);
  }
  std::optional<FontIcon> Sprite(const std::string& name) override {
    iconLookups.push_back(name);
    auto it = icons.find(name);
    if (it == icons.end()) return std::nullopt;
    return it->second;
  }
};

}  // namespace texttest
