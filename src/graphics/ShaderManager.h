#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "graphics/Shader.h"

class FileSystem;
class Renderer;

// Where diagnostic messages go ("Cant load %s", ...). Silent unless the owner routes them.
using DiagnosticLog = std::function<void(const std::string& message)>;

// Resolves shader names to shaders. A shader NAME is described by the XML file NAME.zsd:
//
//   <ShaderDesc>
//     <Shader name="plain" type="vertex"/>   <!-- reads plain.vsh -->
//     <Shader name="no_tex" type="pixel"/>   <!-- reads no_tex.psh -->
//   </ShaderDesc>
//
// A later Shader of the same type replaces an earlier one; other types are ignored. The
// program texts are GLSL 3.30 core, compiled by Renderer::CreateShaderProgram:
// - vertex inputs: vec3 a_position, vec4 a_colour (the vertex ARGB colour as normalised
//   r, g, b, a), vec2 a_texcoord;
// - uniforms: mat4 u_matrix (virtual screen to clip space; gl_Position = u_matrix *
//   vec4(a_position, 1.0)), sampler2D u_texture (texture stage 0);
// - the pixel program writes one vec4 output.
// A missing vertex or pixel text is replaced by the built-in one (texture × vertex colour).
//
// Only shaders the renderer actually created are kept, so a name that failed is read again
// at its next request.
class ShaderManager {
 public:
  ShaderManager(FileSystem& files, Renderer& renderer, DiagnosticLog log = {});
  ~ShaderManager();
  ShaderManager(const ShaderManager&) = delete;
  ShaderManager& operator=(const ShaderManager&) = delete;

  // The stored shader, or Load(name). None for an empty name (the file system is not asked).
  const Shader* Get(std::string_view name);
  // Reads NAME.zsd and its programs and asks the renderer for a shader; none on failure.
  const Shader* Load(std::string_view name);
  // Selects no shader, releases every stored one and forgets them.
  void Shutdown();

  size_t Count() const { return shaders_.size(); }
  void SetLog(DiagnosticLog log) { log_ = std::move(log); }

 private:
  void Report(const char* format, const std::string& argument) const;

  FileSystem& files_;
  Renderer& renderer_;
  DiagnosticLog log_;
  std::map<std::string, std::unique_ptr<Shader>, std::less<>> shaders_;
};
