#pragma once
#include <cstddef>
#include <string>
#include <vector>

class Level;

// Compares what the level file carries of two levels: the settings, every object and worker
// in list order, and the level-screen entries. Values are compared exactly, each under the
// condition on which a level file carries it (a fog colour only with a fog band, a scroll
// speed only with flag x or A, ...); the saved `state` and the minimum level time of one are
// part of the format and not differences.
class LevelDiff {
 public:
  // One line per difference, at most limit lines; empty when the levels agree.
  static std::vector<std::string> Compare(const Level& a, const Level& b, size_t limit = 50);
};
