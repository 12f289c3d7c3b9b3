#include "gui/GuiContext.h"

#include "gui/ControlFactory.h"

namespace {
GuiContext emptyContext;
GuiContext* installed = nullptr;
}  // namespace

AspectMode GuiContext::Aspect() const { return renderer ? renderer->AspectMode() : aspectMode; }

float GuiContext::HalfWidth() const { return Renderer::VirtualWidth(Aspect()) * 0.5f; }

float GuiContext::HalfHeight(bool unclamped) const {
  return Renderer::VirtualHalfHeight(Aspect(), unclamped);
}

const ControlFactory& GuiContext::Factory() const {
  return factory ? *factory : ControlFactory::Game();
}

GuiContext& Gui() { return installed ? *installed : emptyContext; }

void InstallGuiContext(GuiContext* context) { installed = context; }

void UninstallGuiContext(GuiContext* context) {
  if (installed == context) installed = nullptr;
}

ScopedGuiContext::ScopedGuiContext(GuiContext& context) : previous_(installed) {
  installed = &context;
}

ScopedGuiContext::~ScopedGuiContext() { installed = previous_; }
