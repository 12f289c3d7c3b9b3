#pragma once
#include <string>
#include <vector>

#include "gui/GUITilePic.h"

// A list of text rows over a nine-slice background; a press selects the row under the
// pointer, which the screen reads (the list box never reports).
class GUIListbox : public GUITilePic {
 public:
  static constexpr uint32_t kNormalTextColour = 0xFF282828u;
  static constexpr uint32_t kSelectedTextColour = 0xFF5F5F5Fu;

  GUIListbox() { kind = ControlKind::ListBox; }

  // "listbox": sel, sel_stretch (1: the selection spans the row), offset, font (1),
  // font_size, fca, fci, and the tile picture's.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  bool OnInput(InputEvent event) override;

  // The row height: the selection sprite's height, or twice the font size without it.
  float RowHeight() const;
  float Top() const;
  // The row a pointer height falls in (may be outside the items), or -1 with no rows.
  int RowAt(float y) const;

  std::vector<std::u16string> items;
  int selected = 0;
  int inset = 0;
  Sprite* selection = nullptr;
  // The selection picture spans the whole row (its ends kept, its middle stretched) instead of
  // being drawn at its own width.
  bool stretchSelection = false;
  uint32_t textColour = kNormalTextColour;
  uint32_t selectedColour = kSelectedTextColour;
};
