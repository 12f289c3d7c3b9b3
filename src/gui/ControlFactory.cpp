#include "gui/ControlFactory.h"

#include <algorithm>

#include "gui/ControlTypes.h"

#include "gui/GUIControl.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

namespace {

struct ElementKind {
  std::string_view name;
  ControlKind kind;
};
constexpr ElementKind kElementKinds[] = {
    {"button", ControlKind::Button},
    {"pic", ControlKind::Picture},
    {"text", ControlKind::Text},
    {"progress", ControlKind::ProgressBar},
    {"round", ControlKind::RoundProgress},
    {"tilepic", ControlKind::TiledPicture},
    {"tilexpic", ControlKind::TiledPicture},
    {"tileypic", ControlKind::TiledPicture},
    {"slider", ControlKind::Slider},
    {"checkbox", ControlKind::CheckBox},
    {"hint", ControlKind::Hint},
    {"particles", ControlKind::Particles},
    {"listbox", ControlKind::ListBox},
    {"input", ControlKind::InputLine},
    {"scissor", ControlKind::DrawingSwitch},
    {"rotator", ControlKind::DrawingSwitch},
    {"anipic", ControlKind::Picture},
    {"puzzle", ControlKind::Puzzle},
};
static_assert(std::size(kElementKinds) == ControlFactory::kElementNames.size());

}  // namespace

bool ControlFactory::IsElementName(std::string_view name) {
  return std::find(kElementNames.begin(), kElementNames.end(), name) != kElementNames.end();
}

std::optional<ControlKind> ControlFactory::KindOfElement(std::string_view name) {
  for (const ElementKind& e : kElementKinds) {
    if (e.name == name) return e.kind;
  }
  return std::nullopt;
}

ControlFactory& ControlFactory::Game() {
  static ControlFactory factory = [] {
    ControlFactory types;
    RegisterControlTypes(types);
    return types;
  }();
  return factory;
}

bool ControlFactory::Register(std::string_view element, LayoutReader reader) {
  if (!IsElementName(element) || !reader) return false;
  readers_.insert_or_assign(std::string(element), std::move(reader));
  return true;
}

bool CreatedInAspect(std::string_view flags, AspectMode mode) {
  const auto has = [&](char letter) { return flags.find(letter) != std::string_view::npos; };
  if (has('t')) return false;
  if (has('w') && mode == AspectMode::Screen4x3) return false;
  if (has('n') && mode != AspectMode::Screen4x3) return false;
  return !has('z');
}

std::unique_ptr<GUIControl> ControlFactory::Create(XmlElement element, const GUIControl* parent,
                                                   const GuiContext& context) const {
  if (!element) return nullptr;
  const auto flags = element.Attribute("flags");
  if (flags && !CreatedInAspect(*flags, context.Aspect())) return nullptr;
  const auto reader = readers_.find(element.Name());
  if (reader == readers_.end()) return nullptr;
  return reader->second(LayoutElement(element, parent, context));
}

std::unique_ptr<GUIControl> ControlFactory::MakeText(const Rect& rect, int font, float size) const {
  return textMaker_ ? textMaker_(rect, font, size) : nullptr;
}

std::unique_ptr<GUIControl> ControlFactory::ReadCommonControl(const LayoutElement& element) {
  auto control =
      std::make_unique<GUIControl>(KindOfElement(element.Name()).value_or(ControlKind::Bare));
  element.ReadCommon(*control);
  element.Place(*control);
  return control;
}
