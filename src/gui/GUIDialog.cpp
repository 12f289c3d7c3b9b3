#include "gui/GUIDialog.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "base/ContentLog.h"
#include "data/FileSystem.h"
#include "data/XmlDocument.h"
#include "data/XmlElement.h"
#include "graphics/Renderer.h"
#include "graphics/SpriteManager.h"
#include "gui/ControlFactory.h"
#include "gui/GUIChanger.h"
#include "gui/GUIPic.h"
#include "gui/GuiContext.h"

namespace {

// A rectangle of the given size centred on centre's, with the corners in the order of like.
Rect CentredLike(const Rect& like, float cx, float cy, float w, float h) {
  const float hw = w * 0.5f, hh = h * 0.5f;
  Rect r;
  r.x0 = like.x0 <= like.x1 ? cx - hw : cx + hw;
  r.x1 = like.x0 <= like.x1 ? cx + hw : cx - hw;
  r.y0 = like.y0 <= like.y1 ? cy - hh : cy + hh;
  r.y1 = like.y0 <= like.y1 ? cy + hh : cy - hh;
  return r;
}

}  // namespace

GUIDialog::GUIDialog(int dialogId, const Rect& r, std::string_view layout)
    : GUIControl(ControlKind::Dialog) {
  id = dialogId;
  passive = false;
  visible = false;
  active = false;
  keyboard = true;

  float x = r.x0, y = r.y0;
  float w = std::fabs(r.x0 - r.x1), h = std::fabs(r.y0 - r.y1);
  const GuiContext& gui = Gui();
  XmlDocument own;
  bool ownLoaded = false;
  if (!layout.empty() && gui.files) {
    const std::string file = LayoutFileName(layout);
    if (gui.files->Find(file)) {
      own = XmlDocument(*gui.files);
      ownLoaded = own.Load(file);
      if (ownLoaded) {
        if (const XmlElement dialog = own.FirstChild(XmlElement(), "dialog")) {
          ReadDialogElement(dialog, x, y, w, h);
        }
      }
    } else {
      content_log::Missing(content_log::Kind::Layout, layout);
    }
  }
  rect = baseRect = Rect{x, y, x + w, y + h};
  if (!noShadow_) MakeBackdrop();
  LoadChildren(LayoutFileName(frameLayout_));
  if (ownLoaded) LoadChildren(own, layout);
  if (!noShadow_) {
    const float hw = gui.HalfWidth(), hh = gui.HalfHeight();
    rect = Rect{-hw, -hh, hw, hh};
  }
}

void GUIDialog::ReadDialogElement(const XmlElement& dialog, float& x, float& y, float& w,
                                  float& h) {
  const GuiContext& gui = Gui();
  // A size is a number or a word for the screen's size; a dialog given no x (y) is centred.
  const auto size = [&](std::string_view attr, std::string_view whole, std::string_view half,
                        float screen, float halfScreen, float& value, float& position) {
    const std::optional<std::string_view> text = dialog.Attribute(attr);
    if (!text) return;
    if (*text == whole) {
      value = screen;
    } else if (*text == half) {
      value = halfScreen;
    } else {
      value = dialog.Float(attr, value);
    }
    if (!std::isfinite(value)) value = 0.0f;
    if (position == 0.0f) position = -value * 0.5f;
  };
  size("w", "sw", "hw", gui.HalfWidth() * 2.0f, gui.HalfWidth(), w, x);
  size("h", "sh", "hh", gui.HalfHeight() * 2.0f, gui.HalfHeight(), h, y);
  x += dialog.Float("x", 0.0f);
  y += dialog.Float("y", 0.0f);
  if (dialog.Has("base")) frameLayout_ = dialog.Text("base");
  noShadow_ = dialog.Bool("noshadow", false);
  if (dialog.Bool("tab", false)) kind = ControlKind::TabDialog;
  backdropAlpha_ = std::clamp(dialog.Int("alpha", 127), 0, 255);
}

void GUIDialog::MakeBackdrop() {
  const GuiContext& gui = Gui();
  auto backdrop = std::make_unique<GUIPic>();
  backdrop->id = 0;
  if (gui.sprites) backdrop->SetSprite(gui.sprites->Get("black"));
  const float hw = gui.HalfWidth(), hh = gui.HalfHeight(true);
  // A picture's first corner is its top left.
  backdrop->SetRect(Rect{-hw, hh, hw, -hh});
  backdrop->colour = uint32_t(backdropAlpha_) << 24;
  backdrop_ = backdrop.get();
  children_.Add(std::move(backdrop));
}

void GUIDialog::LoadChildren(const std::string& file) {
  const GuiContext& gui = Gui();
  if (!gui.files || file.empty()) return;
  if (!gui.files->Find(file)) {
    content_log::Missing(content_log::Kind::Layout, file);
    return;
  }
  XmlDocument document(*gui.files);
  if (document.Load(file)) LoadChildren(document, file);
}

void GUIDialog::LoadChildren(const XmlDocument& document, std::string_view name) {
  const GuiContext& gui = Gui();
  // Each child is placed against the anchor as it stands when the child is made: the first
  // child with a non-negative id becomes the anchor of those after it.
  ForEachLayoutControl(document, name, [&](const XmlElement& e) {
    AddChild(gui.Factory().Create(e, anchor_, gui));
  });
}

void GUIDialog::AddChild(std::unique_ptr<GUIControl> child) {
  if (!child) return;
  if (!anchor_) {
    const Rect& frame = rect;
    if (child->id < 0) {
      // Frames and shadows larger than the dialog are declared by their extra size.
      const float w = std::fabs(child->rect.x1 - child->rect.x0) + std::fabs(frame.x1 - frame.x0);
      const float h = std::fabs(child->rect.y1 - child->rect.y0) + std::fabs(frame.y1 - frame.y0);
      child->SetRect(CentredLike(child->rect, CentreX(frame), CentreY(frame), w, h));
      underlays_.emplace_back(child.get(), child->Alpha());
    } else {
      child->SetRect(frame);
      anchor_ = child.get();
    }
  }
  children_.Add(std::move(child));
}

void GUIDialog::Show(float fadeMs) {
  ClearChangers();
  result_ = 0;
  visible = active = true;
  children_.ResetAll();
  if (fadeMs > 0.0f && std::isfinite(fadeMs)) {
    auto fade = std::make_unique<AlphaChanger>(0.0f, 1.0f, ChangerTiming::Duration,
                                               fadeMs / 1000.0f, Easing::Linear);
    fade->blocking = false;
    AddChanger(std::move(fade));
  }
  animating = true;
}

void GUIDialog::Hide() {
  result_ = 0;
  visible = active = false;
  children_.ResetAll();
}

void GUIDialog::SetShown(bool shown) {
  result_ = 0;
  visible = active = shown;
  children_.ResetAll();
}

void GUIDialog::SetMessage(std::u16string_view text) {
  if (GUIControl* message = MessageControl()) message->SetText(text);
}

void GUIDialog::Draw() {
  if (animating) {
    // During a fade every child fades with the dialog; the backdrop shows at once.
    const int alpha = Alpha();
    for (size_t i = 0; i < children_.Size(); ++i) {
      GUIControl* child = children_.At(i);
      if (child == backdrop_) continue;
      int own = 255;
      for (const auto& [underlay, a] : underlays_) {
        if (underlay == child) own = a;
      }
      child->SetAlpha(alpha * own / 255);
    }
  }
  const Zoom zoom = CurrentZoom();
  Renderer* renderer = Gui().renderer;
  if (zoom.scale == 1.0f && zoom.dx == 0.0f && zoom.dy == 0.0f) {
    children_.DrawAll();
    return;
  }
  if (!renderer) return;
  const Matrix saved = renderer->BaseWorld();
  Matrix m = Matrix::Identity();
  m.m[0][0] = m.m[1][1] = zoom.scale;
  m.m[3][0] = zoom.cx * (1.0f - zoom.scale) + zoom.dx;
  m.m[3][1] = zoom.cy * (1.0f - zoom.scale) + zoom.dy;
  renderer->SetBaseWorld(m * saved);
  children_.DrawAll();
  renderer->SetBaseWorld(saved);
}

GuiPoint GUIDialog::Zoom::Drawn(float x, float y) const {
  return {cx + (x - cx) * scale + dx, cy + (y - cy) * scale + dy};
}

GuiPoint GUIDialog::Zoom::Undrawn(float x, float y) const {
  return {cx + (x - dx - cx) / scale, cy + (y - dy - cy) / scale};
}

GUIDialog::Zoom GUIDialog::FitZoom(const Rect& r, float zoom, float halfWidth, float halfHeight) {
  Zoom z;
  z.cx = CentreX(r), z.cy = CentreY(r);
  const float w = std::fabs(r.x1 - r.x0), h = std::fabs(r.y1 - r.y0);
  if (!std::isfinite(zoom) || !(zoom > 1.0f) || !(w > 0.0f) || !(h > 0.0f) ||
      !std::isfinite(z.cx) || !std::isfinite(z.cy)) {
    return z;
  }
  const float roomW = 2.0f * (halfWidth - kZoomMargin), roomH = 2.0f * (halfHeight - kZoomMargin);
  // Never smaller than it was: a dialog larger than the screen keeps its size.
  z.scale = std::max(1.0f, std::min({zoom, roomW / w, roomH / h}));
  // Shifted back inside, edge by edge.
  const auto inside = [](float centre, float half, float limit) {
    if (centre + half > limit) return limit - (centre + half);
    if (centre - half < -limit) return -limit - (centre - half);
    return 0.0f;
  };
  z.dx = w * z.scale <= roomW ? inside(z.cx, w * z.scale / 2, halfWidth - kZoomMargin) : 0.0f;
  z.dy = h * z.scale <= roomH ? inside(z.cy, h * z.scale / 2, halfHeight - kZoomMargin) : 0.0f;
  return z;
}

const Rect& GUIDialog::Frame() const { return anchor_ ? anchor_->rect : rect; }

GUIDialog::Zoom GUIDialog::CurrentZoom() const {
  const GuiContext& gui = Gui();
  return FitZoom(Frame(), zoom_, gui.HalfWidth(), gui.HalfHeight());
}

Rect GUIDialog::DrawnRect() const {
  const Zoom z = CurrentZoom();
  const Rect& frame = Frame();
  const GuiPoint a = z.Drawn(frame.x0, frame.y0), b = z.Drawn(frame.x1, frame.y1);
  return Rect{a.x, a.y, b.x, b.y};
}

int GUIDialog::ChildrenInput(InputEvent event) {
  const Zoom zoom = CurrentZoom();
  if (zoom.scale == 1.0f && zoom.dx == 0.0f && zoom.dy == 0.0f) return children_.OnInput(event);
  GuiContext& gui = Gui();
  const std::function<GuiPoint()> saved = gui.pointer;
  gui.pointer = [&saved, zoom] {
    const GuiPoint p = saved ? saved() : GuiPoint{};
    return zoom.Undrawn(p.x, p.y);
  };
  const int clicked = children_.OnInput(event);
  gui.pointer = saved;
  return clicked;
}

void GUIDialog::Update(float dt) {
  GUIControl::Update(dt);
  children_.UpdateAll(dt);
}

void GUIDialog::Reset() { children_.ResetAll(); }

void GUIDialog::Move(float dx, float dy) {
  GUIControl::Move(dx, dy);
  children_.MoveAll(dx, dy);
}

bool GUIDialog::OnInput(InputEvent event) {
  // A hidden dialog takes nothing (typed characters reach every keyboard control).
  if (!visible) return false;
  // Nothing is clicked while the dialog fades in; the first click after that sticks.
  if (HasChangers()) return true;
  const int clicked = ChildrenInput(event);
  if (clicked != 0 && result_ == 0) result_ = clicked;
  return true;
}

int GUIDialog::TakeResult() { return std::exchange(result_, 0); }
