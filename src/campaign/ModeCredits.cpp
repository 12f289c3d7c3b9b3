#include "campaign/ModeCredits.h"

#include <algorithm>
#include <cmath>

#include "app/Application.h"
#include "base/GameKeys.h"
#include "data/Utf8.h"
#include "data/XmlDocument.h"

namespace {

constexpr float kDefaultFontSize = 12;
constexpr float kPictureMargin = 16;
constexpr int kCreditsFont = 2;
constexpr float kGlideStep = 0.1f;
constexpr float kStillVelocity = 0.01f;

float CreditsNumber(const XmlElement& e, const char* attr, float fallback) {
  const float v = e.Float(attr, fallback);
  return std::isfinite(v) ? v : fallback;
}

// An item's extra space above it, kept within a few screens so that the credits always reach
// their end.
float CreditsOffset(const XmlElement& e) {
  constexpr float kMax = ModeCredits::kMaxOffset;
  return std::clamp(CreditsNumber(e, "offset", 0), -kMax, kMax);
}

}  // namespace

ModeCredits& TheModeCredits() {
  static ModeCredits mode;
  return mode;
}

ModeCredits::ModeCredits() = default;
ModeCredits::~ModeCredits() = default;

std::vector<std::unique_ptr<CreditsItem>> ModeCredits::ReadItems(const XmlDocument& document,
                                                                 float startY) {
  std::vector<std::unique_ptr<CreditsItem>> list;
  SpriteManager* sprites = App().sprites();
  float y = startY;
  const XmlElement root = document.FirstChild(XmlElement(), "Credits");
  for (XmlElement e = root.FirstChild(); e; e = e.NextSibling()) {
    auto item = std::make_unique<CreditsItem>();
    if (e.Name() == "Line") {
      item->kind = CreditsItem::Kind::Line;
      item->size = std::clamp(CreditsNumber(e, "font_size", kDefaultFontSize), 0.0f, kMaxSize);
      y += 2 * item->size + CreditsOffset(e);
      item->text = DecodeUtf8(e.Text("text"));
    } else if (e.Name() == "Image") {
      const std::string name = e.Text("spr");
      Sprite* sprite = sprites && !name.empty() ? sprites->Get(name) : nullptr;
      if (!sprite) continue;
      item->kind = CreditsItem::Kind::Picture;
      item->sprite = sprite;
      const float size = std::clamp(CreditsNumber(e, "size", 0), 0.0f, kMaxSize);
      item->size = size != 0 ? size : std::min(sprite->height + kPictureMargin, kMaxSize);
      y += item->size + CreditsOffset(e);
    } else {
      continue;
    }
    item->y = y;
    list.push_back(std::move(item));
  }
  return list;
}

bool ModeCredits::Finished(size_t itemCount, size_t passed) {
  if (itemCount == 0) return true;
  return passed >= std::max<size_t>(itemCount - 1, 1);
}

bool ModeCredits::Load() {
  if (!Mode::Load()) return false;
  controls.LoadLayout("credits_gui", false);
  overlayControls.LoadLayout("credits_ovr", false);
  return true;
}

void ModeCredits::Release() {
  items.clear();
  overlayControls.Clear();
  Mode::Release();
  // The layouts come again from the content at the next Load.
  loaded = false;
}

void ModeCredits::Accept(const ModeRequest& request) { back_ = request.back; }

void ModeCredits::Enter() {
  requested = nullptr;
  Mode::Enter();
  overlayControls.ResetAll();
  scroll = velocity = 0;
  firstVisible = 0;
  passed_ = 0;
  dragging = false;
  Application& app = App();
  const float start = app.renderer() ? app.renderer()->HalfHeight(false) : 384.0f;
  XmlDocument document = app.files() ? XmlDocument(*app.files()) : XmlDocument();
  document.Load("credits");
  items = ReadItems(document, start);
}

void ModeCredits::Leave() {
  if (TextureManager* textures = App().textures()) textures->EvictUnloadable();
  items.clear();
}

void ModeCredits::OnFadeDone(Fade kind) {
  if (kind == Fade::Out && requested) App().SetMode(requested, false);
}

void ModeCredits::Update() {
  Application& app = App();
  Mode::Update();
  overlayControls.UpdateAll(app.frameTime);
  if (dragging) {
    velocity *= kDragDamping;
  } else if (std::fabs(velocity) < kStillVelocity) {
    scroll += app.frameTime * kUnitsPerMs;
  } else {
    const float step = velocity * kGlideStep;
    velocity -= step * 0.5f;
    if (scroll > kDragStart) scroll -= step;
  }
  const float h = app.renderer() ? app.renderer()->HalfHeight(false) : 384.0f;
  scroll = std::max(scroll, -h);
}

void ModeCredits::Draw() {
  Application& app = App();
  Mode::Draw();
  Renderer* renderer = app.renderer();
  FontManager* fonts = app.fonts();
  const float h = renderer ? renderer->HalfHeight(false) : 384.0f;
  const float top = scroll > 0 ? scroll : 0;
  firstVisible = 0;
  passed_ = 0;
  if (fonts) {
    fonts->SelectFont(kCreditsFont);
    fonts->BeginText();
  }
  for (size_t i = 0; i < items.size(); ++i) {
    const CreditsItem& item = *items[i];
    const float y = top - item.y;
    if (-h - item.size > y) break;
    if (y > h + kAboveMargin) {
      firstVisible = int(i);
      passed_ = i + 1;
    } else if (item.kind == CreditsItem::Kind::Line && fonts) {
      const float w = fonts->MeasureText(item.text, item.size, false);
      fonts->DrawText(-w / 2, y, item.size, item.text, kWhite);
    }
  }
  if (fonts) fonts->EndText();
  if (renderer) {
    if (app.CommonShader()) renderer->SetShader(app.CommonShader());
    for (size_t j = size_t(firstVisible); j < items.size(); ++j) {
      const CreditsItem& item = *items[j];
      const float y = top - item.y;
      if (-h - item.size > y) break;
      if (item.kind != CreditsItem::Kind::Picture || !item.sprite) continue;
      const float w = item.sprite->width, v = item.sprite->height;
      const float middle = y + item.size / 2;
      renderer->BindTexture(item.sprite->texture, 0);
      renderer->AddQuad(Rect{-w / 2, middle + v / 2, w / 2, middle - v / 2}, item.sprite->rect,
                        kWhite);
    }
  }
  overlayControls.DrawAll();
  if (!requested && !app.pending && app.fadeState == Fade::None &&
      Finished(items.size(), passed_)) {
    RequestMode(ShowScreen(back_ != ModeId::None ? back_ : ModeId::Menu));
  }
}

int ModeCredits::OnCommand(int id) {
  if (id == 2) {
    if (SoundSystem* sound = App().sound()) sound->PlaySound("button_click");
    RequestMode(ShowScreen(back_ != ModeId::None ? back_ : ModeId::Menu));
  }
  return id;
}

int ModeCredits::OnInput(InputEvent event) {
  const int id = overlayControls.OnInput(event);
  if (id > 0) {
    OnCommand(id);
    return id;
  }
  const float pointerY = Gui().Pointer().y;
  switch (event.type) {
    case InputType::KeyDown:
      if (event.value == kGameKeyEscape) {
        RequestMode(ShowScreen(back_ != ModeId::None ? back_ : ModeId::Menu));
      }
      break;
    case InputType::LeftDown:
      // A press on an overlay button is the button's, not the start of a drag.
      if (overlayControls.Captured()) break;
      dragging = true;
      lastY = pointerY;
      break;
    case InputType::LeftUp:
      dragging = false;
      break;
    case InputType::PointerMove:
      if (!dragging) break;
      {
        const float d = lastY - pointerY;
        velocity += d;
        lastY = pointerY;
        if (scroll > kDragStart) scroll -= d;
      }
      break;
    default:
      break;
  }
  return 0;
}
