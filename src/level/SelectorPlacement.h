#pragma once
#include <string>

// Where the hover selector sits over an object with texture `spr`.
struct SelectorPlacement {
  std::string spr;
  float x = 0;
  float y = 0;
  float w = 0;
};
