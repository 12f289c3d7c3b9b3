#pragma once
#include <string>

// How the briefing dialog shows an object with texture `spr`; `subst` is shown instead of
// `spr` when not empty.
struct BriefingPlacement {
  std::string spr;
  float x = 0;
  float y = 0;
  float w = 0;
  float h = 0;
  std::string subst;
};
