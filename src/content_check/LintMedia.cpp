// The media a lint run checks names against: the sprites of the atlases, image files,
// sounds, effects and shaders of the game folder, found as the game's services find them;
// each missing name is reported once.
#include <optional>
#include <string>
#include <utility>

#include "data/XmlDocument.h"
#include "content_check/LintRun.h"
#include "graphics/ImageDecoder.h"

FolderMedia::FolderMedia(FileSystem& fs) : fs_(fs) {
  for (const FileInfo& atlas : fs.List("atlases/", ".xml")) {
    XmlDocument doc(fs);
    if (!doc.Load(atlas.key)) continue;
    const XmlElement root = doc.FirstChild(XmlElement(), "Atlas");
    for (XmlElement t = root.FirstChild("Tex"); t; t = t.NextSibling("Tex")) {
      sprites_.insert(t.Text("name"));
    }
  }
}

bool FolderMedia::HasImage(std::string_view name) const {
  if (name.empty()) return false;
  for (const char* ext : {"zif", "webp", "jpa", "jpg", "png", "tga"}) {
    const std::string file = std::string(name) + "." + ext;
    if (fs_.Find(file) || fs_.Find("_" + std::string(name) + "_comp." + ext)) return true;
  }
  return false;
}

bool FolderMedia::IsMaskTexture(std::string_view name) const {
  if (name.empty()) return false;
  for (const char* ext : {"zif", "webp", "jpa", "jpg", "png", "tga"}) {
    if (fs_.Find("_" + std::string(name) + "_comp." + ext)) return true;
  }
  const FileData zif = fs_.Read(std::string(name) + ".zif");
  const bool wide = zif && zif.size > 6 && (zif.data[6] & 1) != 0;
  if (zif) fs_.Release(zif.data);
  return wide;
}

bool FolderMedia::HasSound(std::string_view name) const {
  return !name.empty() && fs_.Find(std::string(name) + ".ogg").has_value();
}

bool FolderMedia::HasEffect(std::string_view name) const {
  return !name.empty() && fs_.Find(std::string(name) + ".pyro").has_value();
}

bool FolderMedia::HasShader(std::string_view name) const {
  return !name.empty() && fs_.Find(std::string(name) + ".zsd").has_value();
}

void LintRun::Texture(const std::string& where, const std::string& name) {
  if (lint_.options_.media && !folderMedia_->HasTexture(name)) Missing(where, "texture", name);
}

void LintRun::LevelTexture(const std::string& where, const std::string& name) {
  if (!lint_.options_.media || folderMedia_->HasImage(name)) return;
  if (folderMedia_->IsSprite(name)) {
    if (lint_.media_.emplace("texture", name).second) {
      Problem(where, "\"" + name +
                         "\" is only an atlas sprite; the level draws textures of "
                         "their own");
    }
    return;
  }
  Missing(where, "texture", name);
}

namespace {

std::optional<std::pair<int, int>> ZifSize(FileSystem& fs, const std::string& texture) {
  const FileData file = fs.Read(texture + ".zif");
  if (!file) return std::nullopt;
  const std::optional<DecodedImage> image = DecodeZif(file.Bytes());
  fs.Release(file.data);
  if (!image) return std::nullopt;
  return std::pair(image->imageWidth, image->imageHeight);
}

}  // namespace

void LintRun::SameSize(const std::string& where, const std::string& name, const std::string& like) {
  if (!lint_.options_.media) return;
  const auto a = ZifSize(fs_, name), b = ZifSize(fs_, like);
  if (a && b && *a != *b) {
    Problem(where, "\"" + name + "\" is " + Str(a->first) + "x" + Str(a->second) + ", \"" + like +
                       "\" " + Str(b->first) + "x" + Str(b->second) + "; they should be of one size");
  }
}

void LintRun::Sound(const std::string& where, const std::string& name) {
  if (lint_.options_.media && !folderMedia_->HasSound(name)) Missing(where, "sound", name);
}

void LintRun::Effect(const std::string& where, const std::string& name) {
  if (lint_.options_.media && !folderMedia_->HasEffect(name)) Missing(where, "effect", name);
}

void LintRun::ShaderName(const std::string& where, const std::string& name) {
  if (lint_.options_.media && !folderMedia_->HasShader(name)) Missing(where, "shader", name);
}

void LintRun::Missing(const std::string& where, const char* kind, const std::string& name) {
  if (lint_.media_.emplace(kind, name).second) {
    Problem(where, std::string("no ") + kind + " \"" + name + "\"");
  }
}
