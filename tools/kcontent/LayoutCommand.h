#pragma once
#include <optional>
#include <string>
#include <vector>

#include "graphics/Renderer.h"
#include "graphics/Vertex.h"
#include "gui/ControlKind.h"

// layout dump NAME [--aspect 0-4] [--game G]: lays a layout out as the game does in one aspect
// mode and prints every control it creates (element, id, kind, rectangle after positioning and
// snapping) and every element it skips, so authors see where each control lands.
int RunLayoutCommand(const std::vector<std::string>& args);

// One element of a laid-out layout.
struct LayoutDumpEntry {
  std::string element;
  bool created = false;
  std::string why;  // when not created: "flags ...", "unknown element"
  int id = 0;
  ControlKind kind = ControlKind::Bare;
  Rect rect;
};

// The elements of the layout NAME of a game folder, laid out in that aspect mode with the
// folder's sprites: each by the layout reader its type registered, or, for a type not
// registered in this program, by the common positioning rule. None when the layout is
// missing, does not parse or has no `controls` (error says which).
std::optional<std::vector<LayoutDumpEntry>> DumpLayout(const std::string& gameFolder,
                                                       const std::string& name, AspectMode mode,
                                                       std::string& error);
