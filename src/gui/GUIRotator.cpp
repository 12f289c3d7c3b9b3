#include "gui/GUIRotator.h"

#include <cmath>

#include "graphics/Renderer.h"
#include "gui/ControlList.h"
#include "gui/DrawHelpers.h"
#include "gui/GUIScissor.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

std::unique_ptr<GUIControl> GUIRotator::Read(const LayoutElement& element) {
  auto rotator = std::make_unique<GUIRotator>();
  element.ReadCommon(*rotator);
  rotator->sprite = nullptr;
  rotator->parent = element.Int("parent", 0);
  rotator->angle = element.Float("angle", 0.0f);
  rotator->angularSpeed = element.Float("angle_change", 0.0f) / 6.2831855f;
  rotator->rect = PlaceSwitch(element);
  return rotator;
}

void GUIRotator::Update(float dt) {
  GUIControl::Update(dt);
  angle = NormalizedAngle(angle + angularSpeed * dt * 0.001f);
}

Matrix GUIRotator::OwnTransform() const {
  const float w = std::fabs(rect.x1 - rect.x0), h = std::fabs(rect.y1 - rect.y0);
  // v + (w, h), turned by -angle about the origin, then moved to the first corner.
  return Translation(w, h) * ClockwiseAbout(NormalizedAngle(angle), 0.0f, 0.0f) *
         Translation(rect.x0, rect.y0);
}

Matrix GUIRotator::Transform() const {
  Matrix m = OwnTransform();
  const GUIRotator* at = this;
  for (int depth = 0; depth < kMaxDepth && at->parent != 0 && owner; ++depth) {
    const auto* next = dynamic_cast<const GUIRotator*>(owner->Find(at->parent));
    if (!next || next == this) break;
    m = m * next->OwnTransform();
    at = next;
  }
  return m;
}

void GUIRotator::Draw() {
  if (Renderer* renderer = Gui().renderer)
    renderer->SetTransform(TransformKind::World, Transform());
}
