// What the level's HUD shows a player at every screen size, on the recording device with the
// game's own content: bonus buttons apart and explained at the button, level messages clear
// of the objective and the stocks, the start prompt not under a speech bubble; the stocks
// gone with the HUD at the level's end, the resources lost to the storage limit and the
// numbers of the queued commands.
#include <algorithm>

#include "gui/GUIButton.h"
#include "gui/GUIText.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level_screen/HudPanels.h"
#include "level_screen/SpeechWidgets.h"

#include "ModeGameFixture.h"

namespace {

bool Overlap(const Rect& a, const Rect& b) {
  return std::min(a.x0, a.x1) < std::max(b.x0, b.x1) &&
         std::max(a.x0, a.x1) > std::min(b.x0, b.x1) &&
         std::min(a.y0, a.y1) < std::max(b.y0, b.y1) && std::max(a.y0, a.y1) > std::min(b.y0, b.y1);
}

std::u16string TextOf(const GUIControl* c) {
  const auto* text = dynamic_cast<const GUIText*>(c);
  return text ? text->Text() : u"";
}

class HudAtEverySizeTest : public ModeGameTest, public ::testing::WithParamInterface<AspectMode> {
 protected:
  std::optional<AspectMode> Aspect() const override { return GetParam(); }
  std::u16string Str(const char* key) { return app->strings()->Get(key); }
  float HalfW() const { return app->renderer()->HalfWidth(); }
  float HalfH() const { return app->renderer()->HalfHeight(); }
  void PointAt(const Rect& r) {
    platform.pointerX = CentreX(r), platform.pointerY = CentreY(r);
    Input(InputType::PointerMove);
    Frames(1);
  }
};

}  // namespace

TEST_P(HudAtEverySizeTest, BonusButtonsStayApartOnScreenAndExplainThemselvesAtTheButton) {
  Settle();
  HudPanels& p = mode().panels;
  const auto expectApart = [&](const char* what) {
    for (int i = 0; i < HudPanels::kBonuses; ++i) {
      if (!Shown(p.Button(i))) continue;
      const Rect r = p.Button(i)->rect;
      EXPECT_TRUE(std::min(r.x0, r.x1) >= -HalfW() && std::max(r.x0, r.x1) <= HalfW() &&
                  std::min(r.y0, r.y1) >= -HalfH() && std::max(r.y0, r.y1) <= HalfH())
          << what << " button " << i;
      for (int k = i + 1; k < HudPanels::kBonuses; ++k) {
        if (Shown(p.Button(k))) {
          EXPECT_FALSE(Overlap(r, p.Button(k)->rect)) << what << i << k;
        }
      }
    }
  };
  // Level 1:1's two (20 and 30 of 100 s) as the level lays them out.
  ASSERT_TRUE(Shown(p.Button(0)) && Shown(p.Button(1)));
  expectApart("level 1:1");

  // Hovered, a bonus shows its description beside its own button.
  PointAt(p.Button(1)->rect);
  ASSERT_TRUE(Shown(mode().objectHint));
  EXPECT_EQ(mode().objectHint->Text(), Str("bonus_desc_1"));
  EXPECT_NE(mode().objectHint->Text(), u"bonus_desc_1");
  const Rect hint = mode().objectHint->rect, button = p.Button(1)->rect;
  EXPECT_FALSE(Overlap(hint, button));
  const float gapX = std::max(std::min(hint.x0, hint.x1) - std::max(button.x0, button.x1),
                              std::min(button.x0, button.x1) - std::max(hint.x0, hint.x1));
  const float gapY = std::max(std::min(hint.y0, hint.y1) - std::max(button.y0, button.y1),
                              std::min(button.y0, button.y1) - std::max(hint.y0, hint.y1));
  EXPECT_LT(std::max(gapX, gapY), 30) << "next to the button, not elsewhere";

  // Six bonuses, and costs closer than a button.
  p.Layout(true, {10, 25, 40, 55, 70, 90}, 100, mode().bonusMeter, nullptr, HalfW(), HalfH());
  expectApart("six");
  p.Layout(true, {50, 50, 51, 99, 100, 0}, 100, mode().bonusMeter, nullptr, HalfW(), HalfH());
  expectApart("crowded");
}

TEST_P(HudAtEverySizeTest, MessagesAndThePromptKeepClearOfWhatTheyWouldCover) {
  Frames(40, 20);
  mode().OnCommand(1011);  // the briefing and the story message answered, the speech kept
  mode().OnCommand(1025);
  Frames(2);
  // The opening bubble of level 1:1 holds the level: the start prompt waits unseen behind it.
  ASSERT_TRUE(mode().speechWidgets.BubbleShown());
  ASSERT_TRUE(Shown(mode().startText));
  EXPECT_EQ(mode().startText->Alpha(), 0);
  mode().OnCommand(SpeechWidgets::kSkip);
  Frames(1);
  EXPECT_EQ(mode().startText->Alpha(), 255);

  // The long top-left message of object 3 (kview speech:1:1:3) stays below the top HUD.
  const std::optional<SpeechLine> line = mode().LevelSpeech(3);
  ASSERT_TRUE(line && line->kind == 0);
  mode().HideSpeech();
  mode().ShowSpeech(*line, true);
  const Rect frame = mode().speechWidgets.messageFrame->rect;
  for (const int id : {32, 33, 35, 40, 41, 42, 16}) {
    const GUIControl* c = mode().controls.Find(id);
    if (Shown(c)) {
      EXPECT_FALSE(Overlap(frame, c->rect)) << "control " << id;
    }
  }
  EXPECT_GT(std::min(frame.y0, frame.y1), -HalfH() / 2) << "still in the upper part";
}

INSTANTIATE_TEST_SUITE_P(Sizes, HudAtEverySizeTest,
                         ::testing::Values(AspectMode::Screen4x3, AspectMode::Screen3x2,
                                           AspectMode::Screen15x9, AspectMode::Screen16x9,
                                           AspectMode::Screen16x10));

TEST_F(ModeGameTest, TheStocksShowLossesAndGoWithTheHudAtTheEnd) {
  Settle();
  GameController& game = *mode().Controller();
  // A loss to the storage limit shows under its stock, "-N", with its tag; none, nothing.
  game.economy.lost = {3, 0, 0};
  Frames(1);
  EXPECT_TRUE(Shown(mode().controls.Find(43)) && Shown(mode().controls.Find(113)));
  EXPECT_EQ(TextOf(mode().controls.Find(43)), u"-3");
  EXPECT_FALSE(Shown(mode().controls.Find(44)) || Shown(mode().controls.Find(114)));

  // Three queued commands show 1, 2, 3 over their markers.
  Level& level = *mode().CurrentLevel();
  std::vector<int> waypoints;
  for (const auto& o : level.objects) {
    if (o->cls == WorldObject::kWaypoint && waypoints.size() < 3) waypoints.push_back(o->id);
  }
  level.commandQueue = waypoints;
  Frames(1);
  for (size_t k = 0; k < waypoints.size(); ++k) {
    const GUIControl* number = mode().hud.QueueNumbers()[k];
    ASSERT_TRUE(Shown(number));
    EXPECT_EQ(TextOf(number), std::u16string(1, char16_t(u'1' + k)));
    const Vec2 at = level.FindObject(waypoints[k])->position;
    EXPECT_NEAR(CentreX(number->rect), at.x, 1);
    EXPECT_GT(CentreY(number->rect), at.y) << "above the marker";
  }
  level.commandQueue.clear();

  // A stock flashing as the HUD fades at the level's end goes with it and stays gone.
  ClickAt(400, 300);
  game.end.cheatWin = true;
  for (int i = 0; i < 600 && game.endTimer < 100; ++i) Frames(1);
  ASSERT_GE(game.endTimer, 100);
  mode().FlashResource(0, false);
  for (int i = 0; i < 100 && !mode().hudHidden; ++i) Frames(1);
  ASSERT_TRUE(mode().hudHidden);
  Frames(90);  // past the end of the flash
  EXPECT_EQ(mode().resourceLabels[0]->colour >> 24, 0u);
  EXPECT_EQ(mode().controls.Find(43)->colour >> 24, 0u);
}

TEST(HudGeometryTest, RowsSpreadEvenlyAndMessagesStepAroundRectangles) {
  // Apart by the gap, as near the wishes as may be, inside the bounds.
  EXPECT_EQ(HudPanels::Spread({0, 10, 100}, 40, -500, 500), (std::vector<float>{-15, 25, 100}));
  EXPECT_EQ(HudPanels::Spread({90, 95, 100}, 40, -500, 100), (std::vector<float>{20, 60, 100}));
  EXPECT_EQ(HudPanels::Spread({0, 0}, 40, 0, 10), (std::vector<float>{0, 40})) << "no room";
  // A top frame goes below the HUD it meets, one after another; a bottom one above.
  const std::vector<Rect> hud{{-100, 100, 0, 50}, {-50, 60, 50, 20}};
  EXPECT_FLOAT_EQ(SpeechWidgets::ClearY(60, 30, -80, 80, true, hud), -16);
  EXPECT_FLOAT_EQ(SpeechWidgets::ClearY(40, 30, 10, 80, false, hud), 66);
  EXPECT_FLOAT_EQ(SpeechWidgets::ClearY(200, 30, -80, 80, true, hud), 200) << "nothing in the way";
}
