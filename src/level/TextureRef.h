#pragma once
#include <string>

// The texture an object takes when a site turns into a product of descriptor `id`.
struct TextureRef {
  int id = 0;
  std::string tex;
};
