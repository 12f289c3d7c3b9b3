#pragma once
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "data/XmlElement.h"
#include "graphics/Renderer.h"
#include "graphics/Vertex.h"
#include "gui/ControlKind.h"

class GUIControl;
class LayoutElement;
struct GuiContext;

// Reads one layout element into a new control of its type, placed by that type's rule; none
// when the element makes nothing.
using LayoutReader = std::function<std::unique_ptr<GUIControl>(const LayoutElement& element)>;
// Makes the one-line centred text control screens show transient messages in, with the font
// and size given, in the rectangle given.
using TextMaker =
    std::function<std::unique_ptr<GUIControl>(const Rect& rect, int font, float size)>;

// The control types a layout can name: a table from element name to the type's layout
// reader. Each control type registers its reader once; layouts then create controls by
// element name. Names are compared exactly (case-sensitive); an element with a name no type
// has registered creates nothing.
class ControlFactory {
 public:
  // The element names of the layout format.
  static constexpr std::array<std::string_view, 18> kElementNames = {
      "button",   "pic",      "text",    "progress", "round",  "tilepic",
      "tilexpic", "tileypic", "slider",  "checkbox", "hint",   "particles",
      "listbox",  "input",    "scissor", "rotator",  "anipic", "puzzle"};
  static bool IsElementName(std::string_view name);
  // The kind code of the type an element name stands for; none for other names.
  static std::optional<ControlKind> KindOfElement(std::string_view name);

  // The table the game uses, with every control type of the game registered.
  static ControlFactory& Game();

  // Registers the reader of one element name, replacing an earlier one. False, with nothing
  // registered, for a name the layout format does not have.
  bool Register(std::string_view element, LayoutReader reader);
  bool Has(std::string_view element) const { return readers_.count(element) != 0; }

  // The factory: tests the creation letters of `flags` first (t and z: never; w: only when
  // the aspect mode is not 0; n: only in mode 0), then builds the type the element names
  // with its reader, placed against parent (none: the screen).
  std::unique_ptr<GUIControl> Create(XmlElement element, const GUIControl* parent,
                                     const GuiContext& context) const;

  void SetTextMaker(TextMaker maker) { textMaker_ = std::move(maker); }
  // The message text control; none while no text type has installed its maker.
  std::unique_ptr<GUIControl> MakeText(const Rect& rect, int font, float size) const;

  // A bare control for any element of the format: the common attributes, the kind its name
  // stands for, placed by the full common rule. Tools lay out elements whose type is not
  // registered with it.
  static std::unique_ptr<GUIControl> ReadCommonControl(const LayoutElement& element);

 private:
  std::map<std::string, LayoutReader, std::less<>> readers_;
  TextMaker textMaker_;
};

// Whether the creation letters of flags let the control exist in that aspect mode.
bool CreatedInAspect(std::string_view flags, AspectMode mode);
