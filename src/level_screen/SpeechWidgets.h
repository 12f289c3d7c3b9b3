#pragma once
#include <string_view>
#include <vector>

#include "graphics/Vertex.h"

class ControlList;
class GUIControl;
class GUIHint;
class ValueTable;
struct Sprite;

// Where a speech arrow points and which way its picture faces: sx = -1 mirrors it
// horizontally, sy = -1 vertically.
struct ArrowAim {
  float x = 0, y = 0;
  float sx = 1, sy = 1;
};

// The widgets through which a level's characters speak: the large bubble with the speaker's
// figure, its two tails and the continue and skip buttons; the small message frame with a
// head in a circle in one of the screen's corners. All of them live in the overlay list; the
// arrow that points at what a line talks about belongs to the screen and is only aimed here.
class SpeechWidgets {
 public:
  // Sizes and places, from the value table (defaults when absent).
  struct Values {
    float dialogY = -340, dialogLeft = -300, dialogRight = -400;
    float dialogW = 700, dialogH = 150, buttonY = 21;
    float msgTop = 220, msgBottom = -320, msgLeft = -350, msgRight = -250;
    float msgW = 632, msgH = 100;
    float circleX = 38, circleY = -6, headX = 38, headY = 16;
    float arrowW = 0, arrowH = 0;
  };
  static constexpr int kMessageId = 11;
  static constexpr int kContinue = 9;
  static constexpr int kSkip = 10;
  // Messages longer than this many characters get a taller frame.
  static constexpr size_t kLongMessage = 60;

  // Creates the widgets (hidden) at the end of overlay. Texts come from the button labels.
  void Build(ControlList& overlay, const ValueTable* values, std::u16string_view continueText,
             std::u16string_view skipText);
  // A widget is being deleted: forget it.
  void Forget(const GUIControl& control);

  // The bubble of a kind-4 (figure on the left) or higher (right) line; halfHeight is the
  // screen's half height, on whose bottom edge the figure stands. The figure slides in when
  // it was hidden.
  void ShowBubble(int kind, std::u16string_view text, Sprite* figure, float halfHeight);
  // The message of kind 0..3 in its corner with the speaker's head beside it, moved clear of
  // the rectangles of `avoid` (the HUD's controls): down below them at the top, up above
  // them at the bottom.
  void ShowMessage(int kind, std::u16string_view text, Sprite* head,
                   const std::vector<Rect>& avoid = {});
  // The bottom edge a frame [x0, x1] × [bottom, bottom + height] moves to so that it covers
  // none of the rectangles of `avoid`: downwards below what it meets, else upwards above it.
  static float ClearY(float bottom, float height, float x0, float x1, bool downwards,
                      const std::vector<Rect>& avoid);
  // Hides the frame, its circle and the head.
  void HideMessage();
  // Hides the figure, the bubble, both tails and both buttons.
  void HideBubble();
  void HideAll() { HideMessage(), HideBubble(); }
  // The message widgets' alpha (64 while the pointer rests on them, else 255).
  void SetMessageAlpha(int alpha);
  bool BubbleShown() const;
  bool MessageShown() const;
  bool MessageUnder(float x, float y) const;

  // The signs of an arrow pointing at a HUD control centred at (x, y): it leans towards the
  // screen's centre.
  static ArrowAim AimAtControl(float x, float y);
  // Shows arrow with its centre 50 units from the aim point towards the aim's signs, mirrored
  // by them, bobbing towards the point.
  void PointArrow(GUIControl& arrow, const ArrowAim& aim) const;

  const Values& Layout() const { return v_; }

  // Readable text: the bubble's and the message's text at `scale` times their size (1 to 2),
  // their frames growing with it.
  void SetTextScale(float scale);
  float TextScale() const { return textScale_; }

  GUIHint* messageFrame = nullptr;
  GUIControl* messageCircle = nullptr;
  GUIControl* messageHead = nullptr;
  GUIControl* speakerFigure = nullptr;
  GUIHint* speechBubble = nullptr;
  GUIControl* bubbleTailLeft = nullptr;
  GUIControl* bubbleTailRight = nullptr;
  GUIControl* continueButton = nullptr;
  GUIControl* skipButton = nullptr;

 private:
  void ReadValues(const ValueTable* values);
  void PlaceFigure(int kind, Sprite* figure, float x, float halfHeight);
  void PlaceTails(int kind, float x, float y);
  void PlaceButtons(float x, float y);

  // The height a frame needs for its text's lines with `inset` above and below, at least
  // `least`.
  static float FrameHeight(const GUIHint& frame, float least, float inset);

  Values v_;
  float textScale_ = 1.0f;
  float bubbleFont_ = 0.0f, messageFont_ = 0.0f;  // the sizes at scale 1
};
