#include "graphics/ShaderManager.h"

#include <cstdio>

#include "base/ContentLog.h"
#include "data/FileSystem.h"
#include "data/XmlDocument.h"
#include "graphics/Renderer.h"

ShaderManager::ShaderManager(FileSystem& files, Renderer& renderer, DiagnosticLog log)
    : files_(files), renderer_(renderer), log_(std::move(log)) {}

ShaderManager::~ShaderManager() { Shutdown(); }

const Shader* ShaderManager::Get(std::string_view name) {
  if (name.empty()) return nullptr;
  auto it = shaders_.find(name);
  if (it != shaders_.end()) return it->second.get();
  return Load(name);
}

const Shader* ShaderManager::Load(std::string_view name) {
  if (name.empty()) return nullptr;
  const std::string shaderName(name);
  std::string vertexText;
  std::string pixelText;

  XmlDocument doc(files_);
  if (doc.Load(shaderName + ".zsd")) {
    XmlElement root = doc.FirstChild(XmlElement(), "ShaderDesc");
    for (XmlElement e = root.FirstChild("Shader"); e; e = e.NextSibling("Shader")) {
      const std::string stem = e.Text("name");
      if (stem.empty()) continue;
      const std::string type = e.Text("type");
      std::string* target = nullptr;
      std::string file;
      if (type == "vertex") {
        target = &vertexText;
        file = stem + ".vsh";
      } else if (type == "pixel") {
        target = &pixelText;
        file = stem + ".psh";
      } else {
        continue;
      }
      FileData data = files_.Read(file);
      if (data && data.size > 0) {
        *target = std::string(data.Text());
      } else {
        Report("Cant load %s", file);
        content_log::Missing(content_log::Kind::File, file);
      }
      if (data) files_.Release(data.data);
    }
  }

  // Without any program text (no description, or none of its files) there is nothing to
  // make a shader from: the built-in programs are what drawing uses anyway.
  std::unique_ptr<Shader> shader;
  if (!pixelText.empty() || !vertexText.empty())
    shader = renderer_.CreateShaderProgram(pixelText, vertexText);
  if (!shader || !shader->program) {
    Report("Shader not loaded %s", shaderName);
    content_log::Missing(content_log::Kind::Shader, shaderName);
    return nullptr;
  }
  shader->name = shaderName;
  auto& slot = shaders_[shaderName];
  if (slot) renderer_.ReleaseShaderProgram(*slot);
  slot = std::move(shader);
  return slot.get();
}

void ShaderManager::Shutdown() {
  if (shaders_.empty()) return;
  renderer_.SetShader(nullptr);
  for (auto& [name, shader] : shaders_) renderer_.ReleaseShaderProgram(*shader);
  shaders_.clear();
}

void ShaderManager::Report(const char* format, const std::string& argument) const {
  if (!log_) return;
  const int n = std::snprintf(nullptr, 0, format, argument.c_str());
  if (n < 0) return;
  std::string message(size_t(n) + 1, '\0');
  std::snprintf(message.data(), message.size(), format, argument.c_str());
  message.resize(size_t(n));
  log_(message);
}
