#pragma once
#include <array>
#include <string>
#include <vector>

class Level;

// The objective panel's line: the level's resource goals, then one entry per kind of
// objective object (objects of one class and subclass), each behind an open or ticked
// mark, entries three spaces apart.
class ObjectivePanel {
 public:
  struct Kind {
    std::u16string name;
    int cls = 0, subclass = 0;
    int done = 0, total = 0;
    bool pending = false;
    std::vector<int> pendingIds;  // the objects of the kind still open
  };
  struct Line {
    std::u16string text;
    // Where each entry starts in text, resource entries first.
    std::vector<size_t> starts;
    int resourceEntries = 0;
  };

  // The kinds of the objective objects ids (in the order of their first object); a kind
  // without any name is left out; ids the level does not hold are skipped.
  static std::vector<Kind> Kinds(const Level& level, const std::vector<int>& ids);
  // The line of ordinary levels: resources with a goal, then the kinds. names: "res_col%d".
  static Line Build(const std::array<int, 3>& goals, const std::array<int, 3>& progress,
                    const std::array<std::u16string, 3>& names, const std::vector<Kind>& kinds,
                    char16_t open, char16_t ticked);
  // The entry under x measured from the line's start: the last entry starting at or left of
  // x (widths[k] is the width of the text before entry k); -1 left of the first.
  static int EntryAt(const std::vector<float>& widths, float x);
  // The objective ids of a level start: its objective objects that have a name.
  static std::vector<int> StartIds(const Level& level);
};
