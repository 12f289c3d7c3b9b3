// Readable text at 150 % on every screen size: the briefing and the story message are drawn
// larger and stay on the screen, their buttons take clicks where they are drawn; the speech
// bubble, the corner message and the object hint grow with their text and stay inside.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "ModeGameFixture.h"
#include "gui/GUIText.h"
#include "level_screen/HudItems.h"
#include "level_screen/SpeechWidgets.h"

namespace {

float Width(const Rect& r) { return std::fabs(r.x1 - r.x0); }
float Height(const Rect& r) { return std::fabs(r.y1 - r.y0); }

::testing::AssertionResult OnScreen(const Rect& r) {
  const float hw = Gui().HalfWidth(), hh = Gui().HalfHeight();
  const float x0 = std::min(r.x0, r.x1), x1 = std::max(r.x0, r.x1);
  const float y0 = std::min(r.y0, r.y1), y1 = std::max(r.y0, r.y1);
  if (x0 >= -hw && x1 <= hw && y0 >= -hh && y1 <= hh) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << x0 << "," << y0 << ")-(" << x1 << "," << y1
                                       << ") leaves the screen of half size " << hw << " x "
                                       << hh;
}

class TextSizeTest : public ModeGameTest, public ::testing::WithParamInterface<AspectMode> {
 protected:
  std::optional<AspectMode> Aspect() const override { return GetParam(); }
  void TextSize(int percent) {
    app->SetTextPercent(percent);
    Frames(1);
  }
};

// An object's hint as the level writes it: lines parted by backslashes.
const std::u16string kHint =
    u"^s^9Site for a sawmill\\You need: ^04 %FOOD% ^04 %WOOD%\\Will give: ^73%WOOD%\\"
    u"^6The way there is blocked.";

const std::u16string kLongLine =
    u"The old bridge fell in the spring floods, so the workers have to gather planks from the "
    u"woods beyond the river, and the miller wants his road cleared before the harvest.";

TEST_P(TextSizeTest, TheBriefingAndTheMessageGrowInsideTheScreenAndTakeTheirClicks) {
  Frames(40, 20);
  ASSERT_TRUE(Shown(mode().briefingDialog));
  const Rect plain = mode().briefingDialog->DrawnRect();
  TextSize(150);
  const Rect large = mode().briefingDialog->DrawnRect();
  EXPECT_TRUE(OnScreen(large));
  // It grows as far as the screen has room; on screens 720 units high it fills the height
  // already and keeps its size.
  const float room = std::min((2 * Gui().HalfWidth() - 16) / Width(plain),
                              (2 * Gui().HalfHeight() - 16) / Height(plain));
  if (room > 1.1f) {
    EXPECT_GT(Width(large), Width(plain) * 1.1f);
    EXPECT_GT(Height(large), Height(plain) * 1.1f);
  } else {
    EXPECT_GE(Height(large), Height(plain));
  }

  // The start button takes a click at the centre of where it is drawn.
  const GUIControl* start = mode().briefingDialog->Children().Find(1011);
  ASSERT_NE(start, nullptr);
  const GUIDialog::Zoom zoom = mode().briefingDialog->CurrentZoom();
  const GuiPoint at = zoom.Drawn(CentreX(start->rect), CentreY(start->rect));
  if (room > 1.1f) {
    ASSERT_GT(std::hypot(at.x - CentreX(start->rect), at.y - CentreY(start->rect)), 5.0f)
        << "the button is drawn elsewhere than laid out";
  }
  ClickAt(at.x, at.y);
  Frames(30, 20);
  EXPECT_FALSE(Shown(mode().briefingDialog));

  mode().messageDialog->SetText(kLongLine, false);
  mode().messageDialog->Show(0);
  Frames(1);
  const Rect message = mode().messageDialog->DrawnRect();
  EXPECT_GT(Width(message), Width(mode().messageDialog->Frame()) * 1.1f);
  EXPECT_TRUE(OnScreen(message));
  TextSize(100);
  EXPECT_FLOAT_EQ(Width(mode().messageDialog->DrawnRect()), Width(mode().messageDialog->Frame()));
}

TEST_P(TextSizeTest, SpeechAndTheObjectHintGrowWithTheirTextAndStayInside) {
  Frames(40, 20);
  PassOpening();
  SpeechWidgets& speech = mode().speechWidgets;
  ASSERT_NE(speech.speechBubble, nullptr);
  ASSERT_NE(speech.messageFrame, nullptr);
  speech.ShowBubble(4, kLongLine, nullptr, Gui().HalfHeight());
  const Rect bubble = speech.speechBubble->rect;
  const float bubbleFont = speech.speechBubble->fontSize;
  speech.ShowMessage(0, kLongLine, nullptr);
  const Rect corner = speech.messageFrame->rect;
  mode().hud.ShowObjectInfo(kHint, {-400, 300, -360, 260}, 1.0f);
  const Rect hint = mode().objectHint->rect;
  const float hintFont = mode().objectHint->fontSize;

  TextSize(150);
  speech.ShowBubble(4, kLongLine, nullptr, Gui().HalfHeight());
  EXPECT_FLOAT_EQ(speech.speechBubble->fontSize, bubbleFont * 1.5f);
  EXPECT_GT(Height(speech.speechBubble->rect), Height(bubble));
  EXPECT_TRUE(OnScreen(speech.speechBubble->rect));
  // Every line fits in the bubble: lines times the size, within the frame.
  EXPECT_LE(float(speech.speechBubble->Lines().size()) * speech.speechBubble->fontSize,
            Height(speech.speechBubble->rect));

  speech.ShowMessage(0, kLongLine, nullptr);
  EXPECT_GT(Height(speech.messageFrame->rect), Height(corner));
  EXPECT_TRUE(OnScreen(speech.messageFrame->rect));

  mode().hud.ShowObjectInfo(kHint, {-400, 300, -360, 260}, 1.0f);
  EXPECT_FLOAT_EQ(mode().objectHint->fontSize, hintFont * 1.5f);
  EXPECT_GT(Width(mode().objectHint->rect) * Height(mode().objectHint->rect),
            Width(hint) * Height(hint) * 1.5f);
  EXPECT_TRUE(OnScreen(mode().objectHint->rect));
}

INSTANTIATE_TEST_SUITE_P(EveryScreen, TextSizeTest,
                         ::testing::Values(AspectMode::Screen4x3, AspectMode::Screen3x2,
                                           AspectMode::Screen15x9, AspectMode::Screen16x9,
                                           AspectMode::Screen16x10));

}  // namespace
