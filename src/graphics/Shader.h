#pragma once
#include <cstdint>
#include <string>

// Device-side shader program; 0 means none (the device's built-in program is used).
using ShaderProgramHandle = uint32_t;

// A shader as the shader manager stores it: its name and the device program made from its
// vertex and pixel program texts by Renderer::CreateShaderProgram.
struct Shader {
  std::string name;
  ShaderProgramHandle program = 0;
};
