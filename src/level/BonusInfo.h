#pragma once
#include <string>

// One of the six bonuses of the bonus meter.
struct BonusInfo {
  std::string pic;      // picture of the bonus button
  std::string sound;    // played when the bonus starts
  std::u16string desc;  // text key of its hint
  int time = 10;        // seconds of effect; 0 = applies at once
  int level = 0;
  float value = 0;
};
