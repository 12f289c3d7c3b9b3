#include "gui/ControlList.h"

#include <algorithm>

#include "base/Check.h"
#include "base/ContentLog.h"
#include "data/FileSystem.h"
#include "data/XmlDocument.h"
#include "gui/ControlFactory.h"

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
}

void ControlList::ForgetAll() {
  captured_ = nullptr;
  focus_ = nullptr;
  hover_ = nullptr;
  lastHit_ = nullptr;
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
  if (Renderer* renderer = Gui().renderer) renderer->SetShader(nullptr);
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
