#include "kcontent/AtlasCommand.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "kcontent/AtlasPacker.h"
#include "kcontent/ImageCommand.h"

namespace kcontent {

namespace {

namespace fs = std::filesystem;

bool ParseInt(const std::string& text, int& value) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < 0 || v > 65536) return false;
  value = int(v);
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: kcontent atlas OUT.{zif,png,jpa} OUT.xml [--name NAME] [--padding N]\n"
               "                      [--max-size N] [--half] [--format F] [--quality N] "
               "SOURCE...\n");
  return 2;
}

// The PNG files named by the sources, folders expanded, sorted by path.
bool CollectSources(const std::vector<std::string>& sources, std::vector<std::string>& files,
                    std::string& error) {
  for (const std::string& source : sources) {
    std::error_code ec;
    if (fs::is_directory(source, ec)) {
      for (const fs::directory_entry& e : fs::directory_iterator(source, ec)) {
        if (e.is_regular_file() && e.path().extension() == ".png") {
          files.push_back(e.path().string());
        }
      }
      if (ec) {
        error = "cannot list '" + source + "': " + ec.message();
        return false;
      }
    } else {
      files.push_back(source);
    }
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    error = "no pictures given";
    return false;
  }
  return true;
}

}  // namespace

int RunAtlasCommand(const std::vector<std::string>& args) {
  std::vector<std::string> positional;
  std::string name;
  AtlasOptions options;
  ImageJob job;
  bool half = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--name" && hasValue) {
      name = args[++i];
    } else if (a == "--padding" && hasValue) {
      if (!ParseInt(args[++i], options.padding)) return Usage();
    } else if (a == "--max-size" && hasValue) {
      if (!ParseInt(args[++i], options.maxSize) || options.maxSize < 1) return Usage();
    } else if (a == "--format" && hasValue) {
      if (!ParseZifFormat(args[++i], job.format)) {
        std::fprintf(stderr, "kcontent atlas: unknown format '%s'\n", args[i].c_str());
        return 2;
      }
    } else if (a == "--quality" && hasValue) {
      if (!ParseInt(args[++i], job.quality) || job.quality < 1 || job.quality > 100) {
        return Usage();
      }
    } else if (a == "--half") {
      half = true;
    } else if (a.starts_with("--")) {
      std::fprintf(stderr, "kcontent atlas: unknown option '%s'\n", a.c_str());
      return Usage();
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() < 3) return Usage();
  const std::string texturePath = positional[0], xmlPath = positional[1];
  if (!TextureKindOf(texturePath, job.kind) || job.kind == TextureKind::Jpg) {
    std::fprintf(stderr, "kcontent atlas: '%s' is not a .zif, .png or .jpa file\n",
                 texturePath.c_str());
    return 2;
  }
  if (fs::path(xmlPath).extension() != ".xml") {
    std::fprintf(stderr, "kcontent atlas: '%s' is not an .xml file\n", xmlPath.c_str());
    return 2;
  }
  if (name.empty()) name = fs::path(texturePath).stem().string();

  std::string error;
  std::vector<std::string> files;
  if (!CollectSources({positional.begin() + 2, positional.end()}, files, error)) {
    std::fprintf(stderr, "kcontent atlas: %s\n", error.c_str());
    return 1;
  }
  std::vector<AtlasSprite> sprites;
  for (const std::string& file : files) {
    AtlasSprite sprite;
    sprite.name = fs::path(file).stem().string();
    if (!LoadPng(file, sprite.image, error)) {
      std::fprintf(stderr, "kcontent atlas: %s\n", error.c_str());
      return 1;
    }
    if (half) sprite.image = HalveImage(sprite.image);
    // Transparent pixels take their neighbours' colours before the margins repeat the edges.
    if (sprite.image.HasTransparency()) BleedTransparentColours(sprite.image, 8);
    sprites.push_back(std::move(sprite));
  }

  PackedAtlas atlas;
  if (!PackAtlas(sprites, options, atlas, error)) {
    std::fprintf(stderr, "kcontent atlas: %s: %s\n", texturePath.c_str(), error.c_str());
    return 1;
  }
  job.bleed = false;  // done per picture above; the gaps between cells stay empty
  std::vector<uint8_t> bytes;
  const std::string xml = AtlasXml(name, half, atlas.rects);
  const std::span<const uint8_t> xmlBytes(reinterpret_cast<const uint8_t*>(xml.data()), xml.size());
  if (!EncodeTexture(std::move(atlas.texture), job, bytes, error) ||
      !WriteFileAtomically(texturePath, bytes, error) ||
      !WriteFileAtomically(xmlPath, xmlBytes, error)) {
    std::fprintf(stderr, "kcontent atlas: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace kcontent
