#include "gui/GuiContext.h"

#include <algorithm>
#include <vector>

#include "data/ValueTable.h"
#include "graphics/SpriteManager.h"
#include "gui/ControlFactory.h"

namespace {
GuiContext emptyContext;
// Installed contexts, the newest last: it is the one in use.
std::vector<GuiContext*>& Installed() {
  static std::vector<GuiContext*> contexts;
  return contexts;
}
}  // namespace

AspectMode GuiContext::Aspect() const { return renderer ? renderer->AspectMode() : aspectMode; }

float GuiContext::HalfWidth() const { return Renderer::VirtualWidth(Aspect()) * 0.5f; }

float GuiContext::Value(std::string_view key, float fallback) const {
  return values ? values->GetFloat(key, fallback) : fallback;
}

int GuiContext::IntValue(std::string_view key, int fallback) const {
  return values ? values->GetInt(key, fallback) : fallback;
}

Sprite* GuiContext::SpriteNamed(std::string_view name) const {
  return sprites && !name.empty() ? sprites->Get(name) : nullptr;
}

float GuiContext::HalfHeight(bool unclamped) const {
  return Renderer::VirtualHalfHeight(Aspect(), unclamped);
}

const ControlFactory& GuiContext::Factory() const {
  return factory ? *factory : ControlFactory::Game();
}

GuiContext& Gui() { return Installed().empty() ? emptyContext : *Installed().back(); }

void InstallGuiContext(GuiContext* context) {
  if (context) Installed().push_back(context);
}

void UninstallGuiContext(GuiContext* context) {
  auto& contexts = Installed();
  const auto it = std::find(contexts.rbegin(), contexts.rend(), context);
  if (it != contexts.rend()) contexts.erase(std::next(it).base());
}

ScopedGuiContext::ScopedGuiContext(GuiContext& context) : context_(&context) {
  InstallGuiContext(context_);
}

ScopedGuiContext::~ScopedGuiContext() { UninstallGuiContext(context_); }
