#include "gui/GUIControl.h"

#include <algorithm>
#include <cmath>

#include "gui/ControlFactory.h"
#include "gui/GUIChanger.h"
#include "gui/GuiContext.h"

bool RectContains(const Rect& r, float x, float y) {
  return std::fabs(x - CentreX(r)) <= std::fabs(r.x0 - r.x1) * 0.5f &&
         std::fabs(y - CentreY(r)) <= std::fabs(r.y0 - r.y1) * 0.5f;
}

GUIControl::~GUIControl() = default;

std::unique_ptr<GUIControl> GUIControl::Create(XmlElement element, const GUIControl* parent) {
  const GuiContext& gui = Gui();
  return gui.Factory().Create(element, parent, gui);
}

void GUIControl::Draw() {}

void GUIControl::Update(float dt) {
  animating = !changers_.empty();
  walking_ = true;
  const float seconds = dt / 1000.0f;
  size_t i = 0;
  while (i < changers_.size()) {
    GUIChanger* changer = changers_[i].get();
    const bool blocking = changer->blocking;
    const bool finished = changer->Step(seconds, *this);
    // A step that cleared the changers (through a type's hook) ends the walk.
    if (i >= changers_.size() || changers_[i].get() != changer) break;
    if (finished) {
      changers_.erase(changers_.begin() + std::ptrdiff_t(i));
    } else {
      ++i;
    }
    // The changers behind a blocking one wait until it has finished and gone.
    if (blocking) break;
  }
  walking_ = false;
  retired_.clear();
}

void GUIControl::Reset() {}

void GUIControl::SetFocus(bool) {}

void GUIControl::Move(float dx, float dy) {
  rect.x0 += dx;
  rect.x1 += dx;
  rect.y0 += dy;
  rect.y1 += dy;
}

void GUIControl::OnAdded() {
  // The first corner lands on whole virtual units (towards zero); the second keeps the size.
  const float d = std::trunc(rect.x0) - rect.x0;
  const float e = std::trunc(rect.y0) - rect.y0;
  rect.x0 += d;
  rect.x1 += d;
  rect.y0 += e;
  rect.y1 += e;
}

bool GUIControl::OnInput(InputEvent) { return false; }

void GUIControl::SetHover(bool) {}

bool GUIControl::HitTest(float x, float y) const { return RectContains(rect, x, y); }

void GUIControl::SetRect(const Rect& r) { rect = r; }

void GUIControl::SetBounds(float x, float y, float w, float h) { rect = {x, y, x + w, y + h}; }

void GUIControl::SetSprite(Sprite* s) {
  sprite = s;
  if (s) texRect = s->rect;
}

void GUIControl::SetText(std::u16string_view) {}

void GUIControl::SetFontSize(float size) { fontSize = size; }

float GUIControl::Angle() const { return 0.0f; }

void GUIControl::SetAngle(float) {}

void GUIControl::SetProgressValue(float) {}

void GUIControl::SetOverlayAlpha(int) {}

void GUIControl::SetTiling(bool) {}

namespace {

// Brings the first coordinate of a pair back into [-1, 1] by whole turns: one turn as a scroll
// of less than a turn per step needs, the whole part for absurd rates.
void WrapPair(float& a, float& b) {
  if (a > 1.0f || a < -1.0f) {
    const float turn = a > 1.0f ? 1.0f : -1.0f;
    a -= turn;
    b -= turn;
  }
  if ((a > 1.0f || a < -1.0f) && std::isfinite(a)) {
    const float whole = std::trunc(a);
    a -= whole;
    b -= whole;
  }
}

}  // namespace

void GUIControl::ScrollTexture(float du, float dv) {
  // A scroll of no finite size (absurd rates from content) leaves the texture where it is.
  if (!std::isfinite(du) || !std::isfinite(dv)) return;
  texRect.u0 += du;
  texRect.u1 += du;
  texRect.v0 += dv;
  texRect.v1 += dv;
  WrapPair(texRect.u0, texRect.u1);
  WrapPair(texRect.v0, texRect.v1);
}

int GUIControl::TakeResult() { return 0; }

GUIChanger* GUIControl::AddChanger(std::unique_ptr<GUIChanger> changer) {
  if (!changer) return nullptr;
  const bool blocked =
      std::any_of(changers_.begin(), changers_.end(), [](const auto& c) { return c->blocking; });
  GUIChanger* added = changer.get();
  changers_.push_back(std::move(changer));
  // The start value shows at once, unless the changer has to wait for a blocking one.
  if (!blocked) added->Step(0.0f, *this);
  return added;
}

void GUIControl::ClearChangers() {
  if (walking_) {
    for (auto& c : changers_) retired_.push_back(std::move(c));
  }
  changers_.clear();
}

void GUIControl::FitToSprite() {
  if (!sprite) return;
  rect.x1 = rect.x0 + sprite->width;
  rect.y1 = rect.y0 - sprite->height;
}

void GUIControl::SetAlpha(int alpha) {
  const uint32_t a = uint32_t(std::clamp(alpha, 0, 255));
  colour = (colour & 0x00FFFFFFu) | a << 24;
}
