#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "data/XmlElement.h"
#include "graphics/Vertex.h"
#include "gui/Placement.h"

class GUIControl;
struct GuiContext;
struct Shader;
struct Sprite;

// One element of a layout as a control type's reader sees it: the attribute readers with the
// layout format's value rules, the parent the control is placed against, and the common
// attributes every type shares.
//
// Value rules: integers and floats are decimal (the default when absent; a float that is no
// finite number, such as "nan" or "1e999", also gives the default); booleans are integers,
// non-zero true; colours are hexadecimal digits without prefix, read until the first other
// character (more than eight digits keep the last eight); lists are comma-separated and
// missing entries are 0.
class LayoutElement {
 public:
  LayoutElement(XmlElement element, const GUIControl* parent, const GuiContext& context)
      : element_(element), parent_(parent), context_(context) {}

  XmlElement Element() const { return element_; }
  std::string_view Name() const { return element_.Name(); }
  // The control whose rectangle anchors this one (a dialog's anchor), or none for a screen.
  const GUIControl* Parent() const { return parent_; }
  const GuiContext& Context() const { return context_; }

  bool Has(std::string_view attr) const { return element_.Has(attr); }
  int Int(std::string_view attr, int def) const { return element_.Int(attr, def); }
  float Float(std::string_view attr, float def) const;
  // The float when the attribute is present (and a finite number).
  std::optional<float> OptionalFloat(std::string_view attr) const;
  bool Bool(std::string_view attr, bool def) const { return element_.Bool(attr, def); }
  uint32_t Colour(std::string_view attr, uint32_t def) const { return element_.Hex(attr, def); }
  std::string Text(std::string_view attr) const { return element_.Text(attr); }
  void Floats(std::string_view attr, std::span<float> out) const;
  void Ints(std::string_view attr, std::span<int> out) const { element_.Ints(attr, out); }
  // Whether the letter attribute (bind, inv, flags) holds letter.
  bool HasLetter(std::string_view attr, char letter) const;

  // The sprite or shader the attribute names; none for an empty name, a missing one, or
  // when the context has no sprite or shader manager.
  Sprite* FindSprite(std::string_view attr) const;
  const Shader* FindShader(std::string_view attr) const;

  // The attributes every type reads: id, tag, spr (through GUIControl::SetSprite), shader,
  // color (defaultColour when absent) and scale.
  void ReadCommon(GUIControl& control, uint32_t defaultColour = kWhite) const;
  // The positioning inputs: x, y, w, h, cx, cy, bind, inv, maxy (default the screen's half
  // height), scale, and the parent's rectangle.
  PlacementInput Placement() const;
  // Sets control.rect by the positioning rule from Placement() and the control's sprite.
  void Place(GUIControl& control, const PlacementRules& rules = {}) const;

 private:
  XmlElement element_;
  const GUIControl* parent_;
  const GuiContext& context_;
};
