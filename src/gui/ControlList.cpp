#include "gui/ControlList.h"

#include <algorithm>
#include <cmath>

#include "base/GameKeys.h"

#include "base/Check.h"
#include "base/ContentLog.h"
#include "data/FileSystem.h"
#include "data/XmlDocument.h"
#include "graphics/Renderer.h"
#include "gui/ControlFactory.h"
#include "gui/GUICheckBox.h"
#include "gui/GUISlider.h"

ControlList::~ControlList() = default;

size_t ControlList::IndexOf(const GUIControl* control) const {
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].get() == control) return i;
  }
  return controls_.size();
}

bool ControlList::Holds(const GUIControl* control) const {
  return control && IndexOf(control) < controls_.size();
}

GUIControl* ControlList::Add(std::unique_ptr<GUIControl> control, bool atFront) {
  if (!control) return nullptr;
  KALODRUS_EXPECT(!control->owner, "a control added to a list while another list holds it");
  GUIControl* added = control.get();
  added->owner = this;
  added->OnAdded();
  // A dialog keeps its own frame rectangle as base rect.
  if (!IsDialogKind(added->kind)) added->baseRect = added->rect;
  if (atFront) {
    controls_.insert(controls_.begin(), std::move(control));
  } else {
    controls_.push_back(std::move(control));
  }
  return added;
}

bool ControlList::Remove(GUIControl* control) {
  const size_t i = IndexOf(control);
  if (i >= controls_.size()) return false;
  std::unique_ptr<GUIControl> doomed = std::move(controls_[i]);
  controls_.erase(controls_.begin() + std::ptrdiff_t(i));
  Forget(doomed.get());
  if (onDelete_) onDelete_(*doomed);
  return true;
}

void ControlList::BringToTop(GUIControl* control) {
  const size_t i = IndexOf(control);
  if (i >= controls_.size()) return;
  std::rotate(controls_.begin() + std::ptrdiff_t(i), controls_.begin() + std::ptrdiff_t(i) + 1,
              controls_.end());
}

GUIControl* ControlList::Find(int id) const {
  for (const auto& c : controls_) {
    if (c->id == id) return c.get();
  }
  return nullptr;
}

GUIControl* ControlList::TopDialog() const {
  for (size_t i = controls_.size(); i-- > 0;) {
    GUIControl* c = controls_[i].get();
    if (c->visible && c->kind == ControlKind::Dialog) return c;
  }
  return nullptr;
}

namespace {

// Controls with id 0 are transparent to the pointer, unless they are dialogs.
bool TakesPointer(const GUIControl& c) {
  return c.visible && (c.id != 0 || c.clickFor != 0 || IsDialogKind(c.kind));
}

}  // namespace

GUIControl* ControlList::HitTest(float x, float y) const {
  for (size_t i = controls_.size(); i-- > 0;) {
    GUIControl* c = controls_[i].get();
    if (TakesPointer(*c) && c->HitTest(x, y)) return c;
  }
  return nullptr;
}

void ControlList::MoveFocus(GUIControl* control) {
  if (focus_ == control) return;
  if (focus_) focus_->SetFocus(false);
  focus_ = control;
  if (control) control->SetFocus(true);
}

void ControlList::SetFocus(int id) {
  GUIControl* c = Find(id);
  if (!c) {
    MoveFocus(nullptr);
    return;
  }
  if (c->passive || !c->visible || !c->active) return;
  MoveFocus(c);
}

void ControlList::Forget(const GUIControl* control) {
  if (captured_ == control) captured_ = nullptr;
  if (focus_ == control) focus_ = nullptr;
  if (hover_ == control) hover_ = nullptr;
  if (lastHit_ == control) lastHit_ = nullptr;
  if (keyFocus_ == control) keyFocus_ = nullptr;
}

void ControlList::ForgetAll() {
  captured_ = nullptr;
  focus_ = nullptr;
  hover_ = nullptr;
  lastHit_ = nullptr;
  keyFocus_ = nullptr;
}

void ControlList::DeleteAll() { Clear(); }

void ControlList::Clear() {
  // The list and its references are consistent before any control is deleted.
  std::vector<std::unique_ptr<GUIControl>> doomed;
  doomed.swap(controls_);
  ForgetAll();
  if (onDelete_) {
    for (const auto& c : doomed) onDelete_(*c);
  }
}

void ControlList::ResetAll() {
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->Reset();
  ForgetAll();
}

void ControlList::MoveAll(float dx, float dy) {
  for (const auto& c : controls_) c->Move(dx, dy);
}

void ControlList::SetAlphaAll(int alpha) {
  for (const auto& c : controls_) c->SetAlpha(alpha);
}

void ControlList::UpdateAll(float dt) {
  // By index: a control's update may change the list.
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->Update(dt);
}

void ControlList::DrawAll() {
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i]->visible) controls_[i]->Draw();
  }
  DrawKeyFocus();
  if (Renderer* renderer = Gui().renderer) renderer->SetShader(nullptr);
}

namespace {

// What the keyboard can mark: shown, active controls that take clicks.
bool Navigable(const GUIControl& c) {
  if (!c.visible || !c.active || c.passive || c.Alpha() == 0) return false;
  if (c.clickFor != 0) return true;
  if (c.id <= 0) return false;
  return c.kind == ControlKind::Button || c.kind == ControlKind::CheckBox ||
         c.kind == ControlKind::Slider;
}

bool IsNavigationKey(int key) {
  return key == kGameKeyTab || key == kGameKeyUp || key == kGameKeyDown || key == kGameKeyLeft ||
         key == kGameKeyRight || key == kGameKeyEnter || key == kGameKeySpace;
}

}  // namespace

GUIControl* ControlList::DefaultControl() const {
  for (const auto& c : controls_) {
    if (c->isDefault && Navigable(*c)) return c.get();
  }
  return nullptr;
}

bool ControlList::Navigate(int key, int& result) {
  result = 0;
  if (keyFocus_ && !Navigable(*keyFocus_)) MarkKeyFocus(nullptr);
  GUIControl* fallback = DefaultControl();
  if (key == kGameKeyEnter || key == kGameKeySpace) {
    if (!keyFocus_ && key == kGameKeyEnter && fallback && !Gui().AltHeld()) {
      result = ResultOf(*fallback);
      return true;
    }
    if (!keyFocus_ || Gui().AltHeld()) return false;
    if (auto* box = dynamic_cast<GUICheckBox*>(keyFocus_)) box->SetChecked(!box->checked);
    result = ResultOf(*keyFocus_);
    return true;
  }
  auto* slider = dynamic_cast<GUISlider*>(keyFocus_);
  if (slider && (key == kGameKeyLeft || key == kGameKeyRight)) {
    const float step = (slider->max - slider->min) / 20.0f;
    slider->value = std::clamp(slider->value + (key == kGameKeyRight ? step : -step),
                               std::min(slider->min, slider->max),
                               std::max(slider->min, slider->max));
    result = slider->id;
    return true;
  }
  const bool forward = (key == kGameKeyTab && !Gui().ShiftHeld()) || key == kGameKeyDown ||
                       key == kGameKeyRight;
  if (!keyFocus_ && fallback) {
    MarkKeyFocus(fallback);
    return true;
  }
  const size_t n = controls_.size();
  const size_t start = keyFocus_ ? IndexOf(keyFocus_) : (forward ? n - 1 : 0);
  for (size_t step = 1; step <= n; ++step) {
    const size_t i = forward ? (start + step) % n : (start + n - step % n) % n;
    if (Navigable(*controls_[i])) {
      MarkKeyFocus(controls_[i].get());
      return true;
    }
  }
  return false;
}

void ControlList::MarkKeyFocus(GUIControl* control) {
  if (keyFocus_ == control) return;
  // The marked control lights up as under the pointer.
  if (keyFocus_ && keyFocus_ != hover_) Hover(keyFocus_, false);
  keyFocus_ = control;
  if (keyFocus_) Hover(keyFocus_, true);
}

void ControlList::DrawKeyFocus() const {
  Renderer* renderer = Gui().renderer;
  if (!renderer || !keyFocus_ || !keyFocus_->visible) return;
  const Rect& r = keyFocus_->rect;
  const float x0 = std::fmin(r.x0, r.x1) - 5, x1 = std::fmax(r.x0, r.x1) + 5;
  const float y0 = std::fmin(r.y0, r.y1) - 5, y1 = std::fmax(r.y0, r.y1) + 5;
  renderer->SetShader(nullptr);
  renderer->BindTexture(nullptr, 0);
  // A light ring inside a dark one: seen on light and dark screens, and without colour.
  const auto ring = [&](float inset, float width, uint32_t colour) {
    const float a0 = x0 + inset, a1 = x1 - inset, b0 = y0 + inset, b1 = y1 - inset;
    renderer->AddQuad({a0, b1, a1, b1 - width}, {0, 0, 1, 1}, colour);
    renderer->AddQuad({a0, b0 + width, a1, b0}, {0, 0, 1, 1}, colour);
    renderer->AddQuad({a0, b1, a0 + width, b0}, {0, 0, 1, 1}, colour);
    renderer->AddQuad({a1 - width, b1, a1, b0}, {0, 0, 1, 1}, colour);
  };
  ring(-1, 3, 0xE0201000u);
  ring(2, 4, 0xFFFFE27Au);
  ring(6, 2, 0xD0201000u);
}

int ControlList::ResultOf(GUIControl& control) {
  if (control.clickFor != 0) {
    const GUIControl* button = Find(control.clickFor);
    return button && button->visible && button->active ? button->id : 0;
  }
  return control.kind == ControlKind::TabDialog ? control.TakeResult() : control.id;
}

void ControlList::Hover(GUIControl* control, bool on) {
  control->SetHover(on);
  if (control->clickFor == 0) return;
  if (GUIControl* button = Find(control->clickFor); button && button != control)
    button->SetHover(on && button->active && button->visible);
}

int ControlList::OnInput(InputEvent event) {
  const GuiContext& gui = Gui();
  pointer_ = gui.Pointer();

  if (event.type == InputType::KeyDown && navigable && IsNavigationKey(event.value) &&
      !TopDialog()) {
    int result = 0;
    if (Navigate(event.value, result)) return result;
  }
  if (event.type == InputType::LeftDown) MarkKeyFocus(nullptr);

  if (event.type == InputType::Character) {
    for (size_t i = controls_.size(); i-- > 0;) {
      if (i >= controls_.size()) continue;
      GUIControl* c = controls_[i].get();
      if (c->keyboard && c->OnInput(event)) return Holds(c) ? ResultOf(*c) : 0;
    }
    return 0;
  }

  if (captured_) {
    GUIControl* c = captured_;
    if (event.type == InputType::LeftUp) {
      captured_ = nullptr;  // the captured control still receives this release
    } else if (event.type == InputType::LeftDown) {
      MoveFocus(c);
    }
    const bool took = c->OnInput(event);
    // A handler that had its own control deleted leaves nothing to report.
    if (!Holds(c)) return 0;
    if (took) return ResultOf(*c);
    const bool inside = RectContains(c->rect, pointer_.x, pointer_.y);
    if (hover_) {
      if (!inside) {
        if (hover_ != c) Hover(hover_, false);
        Hover(c, false);
        hover_ = nullptr;
      }
    } else if (inside) {
      Hover(c, true);
      hover_ = c;
    }
    return 0;
  }

  GUIControl* target = nullptr;
  lastHit_ = nullptr;
  for (size_t i = controls_.size(); i-- > 0;) {
    GUIControl* c = controls_[i].get();
    if (!TakesPointer(*c) || !RectContains(c->rect, pointer_.x, pointer_.y)) continue;
    if (!lastHit_) lastHit_ = c;
    if (c->passive) continue;
    target = c;
    break;
  }
  if (!target) {
    if (hover_) {
      Hover(hover_, false);
      hover_ = nullptr;
    }
    return 0;
  }
  if ((!gui.SlateMode() || event.type == InputType::PointerMove) && hover_ != target) {
    if (hover_) Hover(hover_, false);
    hover_ = target;
    Hover(target, true);
  }
  if (event.type == InputType::LeftDown) {
    captured_ = target;
    MoveFocus(target);
  }
  const bool took = target->OnInput(event);
  if (!took || !Holds(target)) return 0;
  return ResultOf(*target);
}

std::string LayoutFileName(std::string_view name) {
  std::string file(name);
  if (file.find('.') == std::string::npos) file += ".xml";
  return file;
}

void ControlList::LoadLayout(std::string_view name, bool clear) {
  if (clear) Clear();
  layoutName_ = std::string(name);
  const GuiContext& gui = Gui();
  if (!gui.files || name.empty()) return;
  const std::string file = LayoutFileName(name);
  if (!gui.files->Find(file)) {
    content_log::Missing(content_log::Kind::Layout, name);
    return;
  }
  XmlDocument document(*gui.files);
  if (!document.Load(file)) return;  // the document reports why it does not parse
  ForEachLayoutControl(document, name,
                       [&](const XmlElement& e) { Add(gui.Factory().Create(e, nullptr, gui)); });
}

bool ForEachLayoutControl(const XmlDocument& document, std::string_view name,
                          const std::function<void(const XmlElement&)>& each) {
  const XmlElement root = document.FirstChild(XmlElement(), "controls");
  if (!root) {
    content_log::Unreadable(content_log::Kind::Layout, name, "no controls element");
    return false;
  }
  for (XmlElement e = root.FirstChild(); e; e = e.NextSibling()) {
    if (!ControlFactory::IsElementName(e.Name())) {
      content_log::Unreadable(content_log::Kind::Layout, name,
                              "unknown element <" + std::string(e.Name()) + ">");
      continue;
    }
    each(e);
  }
  return true;
}
