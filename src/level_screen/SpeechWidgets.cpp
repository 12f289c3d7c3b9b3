#include "level_screen/SpeechWidgets.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "data/ValueTable.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteManager.h"
#include "gui/ControlList.h"
#include "gui/GUIButton.h"
#include "gui/GUIChanger.h"
#include "gui/GUIPic.h"
#include "gui/GUIText.h"
#include "gui/GuiContext.h"

namespace {

constexpr uint32_t kTextColour = 0xFF282828u;
// The bubble's text keeps this far from its sides; the message frame's leaves room for the
// head on either side.
constexpr float kBubbleInset = 16;
constexpr float kMessageInset = 44;
constexpr float kSlideSeconds = 0.5f;
constexpr float kArrowDistance = 50;
constexpr float kArrowBob = 15;
constexpr float kArrowFrequency = 2.5f;

Sprite* Named(std::string_view name) {
  SpriteManager* sprites = Gui().sprites;
  return sprites ? sprites->Get(name) : nullptr;
}

float Width(const Sprite* s) { return s ? s->width : 0.0f; }
float Height(const Sprite* s) { return s ? s->height : 0.0f; }

bool Shown(const GUIHint* hint) { return hint && hint->visible && hint->timeLeft != 0.0f; }

void Hide(GUIControl* c) {
  if (c) c->visible = false;
}

void HideHint(GUIHint* hint) {
  if (!hint) return;
  hint->Hide();
  hint->visible = false;
}

std::unique_ptr<GUIHint> MakeHint(const char* background, const ValueTable* values,
                                  const char* sizeKey, const char* fontKey) {
  auto hint = std::make_unique<GUIHint>();
  hint->Background().SetSprite(Named(background));
  hint->SetFontSize(values ? values->GetFloat(sizeKey, 14) : 14);
  hint->fontId = values ? values->GetInt(fontKey, 0) : 0;
  hint->colour = kTextColour;
  hint->wrap = true;
  hint->passive = true;
  hint->visible = false;
  return hint;
}

std::unique_ptr<GUIControl> MakePic(Sprite* sprite, int id) {
  auto pic = std::make_unique<GUIPic>();
  pic->id = id;
  pic->SetSprite(sprite);
  pic->FitToSprite();
  pic->visible = false;
  return pic;
}

std::unique_ptr<GUIControl> MakeButton(int id, std::u16string_view text, const ValueTable* v) {
  auto button = std::make_unique<GUIButton>();
  button->id = id;
  button->SetSprite(Named("btn_rct_text"));
  button->SetBounds(0, 0, 220, -72);
  button->fontId = v ? v->GetInt("ft_game_dialog_btn", 0) : 0;
  button->SetFontSize(v ? v->GetFloat("fs_game_dialog_btn", 16) : 16);
  button->SetText(text);
  button->visible = false;
  return button;
}

// Moves a control of any orientation so that its left edge is at x and its top at y.
void PlaceTopLeft(GUIControl& c, float x, float y) {
  const Rect r = c.rect;
  c.Move(x - std::fmin(r.x0, r.x1), y - std::fmax(r.y0, r.y1));
}

void CentreOn(GUIControl& c, float x, float y) {
  const Rect r = c.rect;
  c.Move(x - CentreX(r), y - CentreY(r));
}

}  // namespace

void SpeechWidgets::ReadValues(const ValueTable* values) {
  v_ = Values{};
  if (!values) return;
  const auto get = [values](const char* key, float& into) { into = values->GetFloat(key, into); };
  get("if_gm_dialog_y", v_.dialogY), get("if_gm_dialog_left", v_.dialogLeft);
  get("if_gm_dialog_right", v_.dialogRight), get("if_gm_dialog_width", v_.dialogW);
  get("if_gm_dialog_height", v_.dialogH), get("if_gm_dialog_btn_y", v_.buttonY);
  get("if_gm_msg_top", v_.msgTop), get("if_gm_msg_bottom", v_.msgBottom);
  get("if_gm_msg_left", v_.msgLeft), get("if_gm_msg_right", v_.msgRight);
  get("if_gm_msg_width", v_.msgW), get("if_gm_msg_height", v_.msgH);
  get("if_gm_msg_circle_x", v_.circleX), get("if_gm_msg_circle_y", v_.circleY);
  get("if_gm_msg_head_x", v_.headX), get("if_gm_msg_head_y", v_.headY);
  get("if_gm_arrow_w", v_.arrowW), get("if_gm_arrow_h", v_.arrowH);
}

void SpeechWidgets::Build(ControlList& overlay, const ValueTable* values,
                          std::u16string_view continueText, std::u16string_view skipText) {
  ReadValues(values);
  auto frame = MakeHint("dialog_frame", values, "fs_game_message", "ft_game_message");
  frame->id = kMessageId;
  if (values && values->Has("if_gm_msg_frame_w") && values->Has("if_gm_msg_frame_h")) {
    frame->Background().SetBounds(0, 0, values->GetFloat("if_gm_msg_frame_w", 0),
                                  -values->GetFloat("if_gm_msg_frame_h", 0));
  }
  messageFrame = static_cast<GUIHint*>(overlay.Add(std::move(frame)));

  auto circle = MakePic(Named("frame_head"), kMessageId);
  if (values) {
    const float w = values->GetFloat("if_gm_msg_circle_w", 0);
    const float h = values->GetFloat("if_gm_msg_circle_h", 0);
    if (w > 0 && h > 0) circle->SetBounds(0, 0, w, -h);
  }
  messageCircle = overlay.Add(std::move(circle));
  messageHead = overlay.Add(MakePic(nullptr, 0));
  speakerFigure = overlay.Add(MakePic(nullptr, 0));
  speechBubble = static_cast<GUIHint*>(
      overlay.Add(MakeHint("dialog_bubble", values, "fs_game_dialog", "ft_game_dialog")));
  bubbleTailLeft = overlay.Add(MakePic(Named("dialog_tail_l"), 0));
  bubbleTailRight = overlay.Add(MakePic(Named("dialog_tail_r"), 0));
  continueButton = overlay.Add(MakeButton(kContinue, continueText, values));
  skipButton = overlay.Add(MakeButton(kSkip, skipText, values));
  bubbleFont_ = speechBubble->fontSize;
  messageFont_ = messageFrame->fontSize;
  SetTextScale(textScale_);
}

void SpeechWidgets::SetTextScale(float scale) {
  textScale_ = std::isfinite(scale) ? std::clamp(scale, 1.0f, 2.0f) : 1.0f;
  if (speechBubble && speechBubble->fontSize != bubbleFont_ * textScale_) {
    speechBubble->SetFontSize(bubbleFont_ * textScale_);
  }
  if (messageFrame && messageFrame->fontSize != messageFont_ * textScale_) {
    messageFrame->SetFontSize(messageFont_ * textScale_);
  }
}

float SpeechWidgets::FrameHeight(const GUIHint& frame, float least, float inset) {
  return std::max(least, float(frame.Lines().size()) * frame.fontSize + 2 * inset);
}

void SpeechWidgets::Forget(const GUIControl& control) {
  for (GUIControl** slot : {&messageCircle, &messageHead, &speakerFigure, &bubbleTailLeft,
                            &bubbleTailRight, &continueButton, &skipButton}) {
    if (*slot == &control) *slot = nullptr;
  }
  if (messageFrame == &control) messageFrame = nullptr;
  if (speechBubble == &control) speechBubble = nullptr;
}

// ---------------------------------------------------------------- the bubble

void SpeechWidgets::PlaceFigure(int kind, Sprite* figure, float x, float halfHeight) {
  if (!speakerFigure) return;
  const bool left = kind == 4;
  const bool wasHidden = !speakerFigure->visible;
  const float w = Width(figure), h = Height(figure);
  speakerFigure->SetSprite(figure);
  // Standing on the bottom edge of the screen.
  const float top = h - halfHeight;
  const float x0 = left ? x - v_.dialogW / 2 : x + v_.dialogW - 75;
  const Rect to = left ? Rect{x0, top, x0 + w, top - h} : Rect{x0 + w, top, x0, top - h};
  speakerFigure->ClearChangers();
  if (wasHidden) {
    const float out = (left ? -1.0f : 1.0f) * v_.dialogW / 2;
    const Rect from{to.x0 + out, to.y0, to.x1 + out, to.y1};
    speakerFigure->SetRect(from);
    speakerFigure->AddChanger(std::make_unique<RectChanger>(from, to, ChangerTiming::Duration,
                                                            kSlideSeconds, Easing::Linear));
  } else {
    speakerFigure->SetRect(to);
  }
  speakerFigure->visible = figure != nullptr;
}

void SpeechWidgets::PlaceTails(int kind, float x, float y) {
  GUIControl* shown = kind == 4 ? bubbleTailLeft : bubbleTailRight;
  GUIControl* other = kind == 4 ? bubbleTailRight : bubbleTailLeft;
  Hide(other);
  if (!shown) return;
  shown->FitToSprite();
  const float h = v_.dialogH;
  PlaceTopLeft(*shown, kind == 4 ? x - 38 : x + v_.dialogW - 25, y + h - 17);
  shown->visible = true;
}

void SpeechWidgets::PlaceButtons(float x, float y) {
  const float bottom = y - v_.buttonY;
  const float middle = x + v_.dialogW / 2;
  const auto place = [bottom](GUIControl* b, float left) {
    if (!b) return;
    const Rect r = b->rect;
    const float w = std::fabs(r.x1 - r.x0), h = std::fabs(r.y1 - r.y0);
    b->SetRect(Rect{left, bottom + h, left + w, bottom});
    b->visible = true;
  };
  if (continueButton) {
    place(continueButton,
          middle - 8 - std::fabs(continueButton->rect.x1 - continueButton->rect.x0));
  }
  place(skipButton, middle + 8);
}

void SpeechWidgets::ShowBubble(int kind, std::u16string_view text, Sprite* figure,
                               float halfHeight) {
  const float x = kind == 4 ? v_.dialogLeft : v_.dialogRight;
  const float y = v_.dialogY;
  PlaceFigure(kind, figure, x, halfHeight);
  if (speechBubble) {
    speechBubble->visible = true;
    std::u16string shown(text);
    shown += u"\\\\";
    speechBubble->Show(x, y, v_.dialogW, v_.dialogH, shown, -1, 2 * kBubbleInset);
    // The bubble stays where it was put, whatever the screen's edges; larger text makes it
    // taller upwards.
    const float h = FrameHeight(*speechBubble, v_.dialogH, kBubbleInset);
    speechBubble->SetRect(Rect{x, y, x + v_.dialogW, y + h});
  }
  PlaceTails(kind, x, y);
  PlaceButtons(x, y);
}

void SpeechWidgets::HideBubble() {
  for (GUIControl* c :
       {speakerFigure, bubbleTailLeft, bubbleTailRight, continueButton, skipButton}) {
    Hide(c);
  }
  if (speakerFigure) speakerFigure->ClearChangers();
  HideHint(speechBubble);
}

bool SpeechWidgets::BubbleShown() const { return Shown(speechBubble); }

// ---------------------------------------------------------------- the message

float SpeechWidgets::ClearY(float bottom, float height, float x0, float x1, bool downwards,
                            const std::vector<Rect>& avoid) {
  constexpr float kGap = 6;
  // Each move may bring the frame onto another rectangle: at most one pass per rectangle.
  for (size_t pass = 0; pass <= avoid.size(); ++pass) {
    bool moved = false;
    for (const Rect& r : avoid) {
      const float left = std::min(r.x0, r.x1), right = std::max(r.x0, r.x1);
      const float low = std::min(r.y0, r.y1), high = std::max(r.y0, r.y1);
      if (!(x0 < right && x1 > left && bottom < high && bottom + height > low)) continue;
      bottom = downwards ? low - kGap - height : high + kGap;
      moved = true;
    }
    if (!moved) break;
  }
  return bottom;
}

void SpeechWidgets::ShowMessage(int kind, std::u16string_view text, Sprite* head,
                                const std::vector<Rect>& avoid) {
  const bool top = kind <= 1, left = kind == 0 || kind == 2;
  const float x = left ? v_.msgLeft : v_.msgRight;
  const float w = v_.msgW;
  float h = v_.msgH;
  // Larger text wraps into more lines: the frame grows to hold them.
  if (messageFrame && textScale_ > 1.0f) {
    messageFrame->Show(0, 0, w, h, text, -1, 2 * kMessageInset);
    h = FrameHeight(*messageFrame, h, kMessageInset / 4);
  }
  // A long text gets a taller frame: 6 lower and 18 higher than the plain one.
  const bool tall = text.size() > kLongMessage;
  const float below = tall ? 6.0f : 0.0f, above = tall ? 18.0f : 0.0f;
  // The frame with the head beside it keeps clear of the HUD: a top message moves down below
  // what it would cover, a bottom message up above it.
  float reach = v_.circleX;
  if (messageCircle) reach += std::fabs(messageCircle->rect.x1 - messageCircle->rect.x0) / 2;
  const float x0 = left ? std::min(x, x - reach) : x,
              x1 = left ? x + w : std::max(x + w, x + w + reach);
  // A top frame made taller by larger text comes down so that its top stays on the screen.
  const float topBottom = std::min(v_.msgTop, Gui().HalfHeight() - 8.0f - h - above);
  const float y =
      ClearY((top ? topBottom : v_.msgBottom) - below, h + below + above, x0, x1, top, avoid) +
      below;
  if (messageFrame) {
    messageFrame->visible = true;
    messageFrame->Show(x, y, w, h, text, -1, 2 * kMessageInset);
    messageFrame->SetRect(Rect{x, y - below, x + w, y + h + above});
  }
  h += above;
  const float side = left ? -1.0f : 1.0f;
  const float edge = left ? x : x + w;
  if (messageCircle) {
    CentreOn(*messageCircle, edge + side * v_.circleX, y + h / 2 + v_.circleY);
    messageCircle->visible = true;
  }
  if (messageHead) {
    messageHead->SetSprite(head);
    const float hw = Width(head), hh = Height(head);
    messageHead->SetRect(left ? Rect{0, 0, hw, -hh} : Rect{hw, 0, 0, -hh});
    CentreOn(*messageHead, edge + side * v_.headX, y + h / 2 + v_.headY);
    messageHead->visible = head != nullptr;
  }
  SetMessageAlpha(255);
}

void SpeechWidgets::HideMessage() {
  HideHint(messageFrame);
  Hide(messageCircle);
  Hide(messageHead);
}

void SpeechWidgets::SetMessageAlpha(int alpha) {
  if (messageFrame) {
    messageFrame->SetAlpha(alpha);
    messageFrame->Background().SetAlpha(alpha);
  }
  if (messageCircle) messageCircle->SetAlpha(alpha);
  if (messageHead) messageHead->SetAlpha(alpha);
}

bool SpeechWidgets::MessageShown() const { return Shown(messageFrame); }

bool SpeechWidgets::MessageUnder(float x, float y) const {
  if (!MessageShown()) return false;
  if (RectContains(messageFrame->rect, x, y)) return true;
  return messageCircle && messageCircle->visible && RectContains(messageCircle->rect, x, y);
}

// ---------------------------------------------------------------- the arrow

ArrowAim SpeechWidgets::AimAtControl(float x, float y) {
  ArrowAim aim{x, y, 1, 1};
  if (x <= 0 && y >= 0) {
    aim.sx = 1, aim.sy = -1;
  } else if (x > 0 && y >= 0) {
    aim.sx = -1, aim.sy = -1;
  } else if (x > 0 && y < 0) {
    aim.sx = -1, aim.sy = 1;
  }
  return aim;
}

void SpeechWidgets::PointArrow(GUIControl& arrow, const ArrowAim& aim) const {
  float w = v_.arrowW, h = v_.arrowH;
  if (w <= 0 || h <= 0) {
    w = Width(arrow.sprite), h = Height(arrow.sprite);
  }
  // The picture points down and to the left; the signs turn it towards the aim point.
  const float cx = aim.x + kArrowDistance * aim.sx, cy = aim.y + kArrowDistance * aim.sy;
  const float hw = w * aim.sx / 2, hh = h * aim.sy / 2;
  arrow.ClearChangers();
  arrow.SetRect(Rect{cx - hw, cy + hh, cx + hw, cy - hh});
  arrow.visible = true;
  arrow.SetAlpha(255);
  arrow.AddChanger(
      std::make_unique<PosInfChanger>(kArrowFrequency, -kArrowBob * aim.sx, -kArrowBob * aim.sy));
}
