// The credits on the recording device: the items read from a credits file of the test's own
// (lines, pictures, a picture whose sprite is missing), the start below the screen and the
// scroll at 80 units a second, dragging only after 20 units, the floor, and the end with no
// item, one item, many items and after a fast drag.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/GameKeys.h"
#include "campaign/ModeCredits.h"
#include "campaign/ModeMenu.h"
#include "data/XmlDocument.h"
#include "support/TempDir.h"

#include "level_screen/ModeGameFixture.h"

namespace {

class CreditsScreenTest : public MapScreenTest {
 protected:
  static ModeCredits& credits() { return TheModeCredits(); }
  float H() const { return app->renderer()->HalfHeight(false); }
  // Credits of the test's own over the content's.
  void UseCredits(const std::string& body) {
    const std::filesystem::path folder = own / std::to_string(++mounts_);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "credits.xml") << "<Credits>" << body << "</Credits>";
    app->files()->Mount(folder.string());
  }
  static std::string Lines(int n, int size = 20) {
    std::string body;
    for (int i = 0; i < n; ++i)
      body += "<Line text='line " + std::to_string(i) + "' font_size='" + std::to_string(size) + "'/>";
    return body;
  }
  void EnterCredits() {
    app->SetMode(app->Accept(ShowCredits(ModeId::Menu)), false);
    if (app->current != &credits()) Frames(1);
    ASSERT_EQ(app->current, &credits());
    for (int i = 0; i < 100 && app->fadeState != Fade::None; ++i) Frames(1, 20);
  }
  // Frames until the credits ask for the menu; the number of frames, or -1.
  int FramesToEnd(int limit, uint32_t ms = 20) {
    for (int i = 0; i < limit; ++i) {
      if (credits().requested) return i;
      Frames(1, ms);
    }
    return credits().requested ? limit : -1;
  }
  void Drag(float fromY, float toY, int steps) {
    platform.pointerX = 0;
    platform.pointerY = fromY;
    app->OnInput({InputType::PointerMove, 0});
    app->OnInput({InputType::LeftDown, 0});
    for (int i = 1; i <= steps; ++i) {
      platform.pointerY = fromY + (toY - fromY) * float(i) / float(steps);
      app->OnInput({InputType::PointerMove, 0});
    }
    app->OnInput({InputType::LeftUp, 0});
  }

  TempDir ownDir;
  std::filesystem::path own{ownDir.Path()};

 private:
  int mounts_ = 0;
};

}  // namespace

TEST_F(CreditsScreenTest, ItemsAreReadInOrderBelowTheStartLine) {
  UseCredits(
      "<Line text='Kalodrus 3' font_size='30' offset='5'/>"
      "<Image spr='no_such_sprite'/>"
      "<Image spr='credits_heart'/>"
      "<Unknown text='skipped'/>"
      "<Line text='Gr\xc3\xbc\xc3\x9f\x65'/>"
      "<Image spr='credits_heart' size='40' offset='-10'/>"
      "<Line text='bad' font_size='nan' offset='inf'/>"
      "<Line text='far' offset='1e30'/>");
  EnterCredits();
  ASSERT_EQ(credits().items.size(), 6u);
  const auto& items = credits().items;
  const Sprite* heart = app->sprites()->Get("credits_heart");
  ASSERT_NE(heart, nullptr);
  EXPECT_EQ(items[0]->kind, CreditsItem::Kind::Line);
  EXPECT_EQ(items[0]->text, u"Kalodrus 3");
  EXPECT_FLOAT_EQ(items[0]->y, H() + 2 * 30 + 5);
  EXPECT_EQ(items[1]->kind, CreditsItem::Kind::Picture);
  EXPECT_EQ(items[1]->sprite, heart);
  EXPECT_FLOAT_EQ(items[1]->size, heart->height + 16);
  EXPECT_FLOAT_EQ(items[1]->y, items[0]->y + heart->height + 16);
  EXPECT_EQ(items[2]->text, u"Gr\u00fc\u00dfe");
  EXPECT_FLOAT_EQ(items[2]->size, 12) << "the default font size";
  EXPECT_FLOAT_EQ(items[2]->y, items[1]->y + 24);
  EXPECT_FLOAT_EQ(items[3]->size, 40);
  EXPECT_FLOAT_EQ(items[3]->y, items[2]->y + 30);
  EXPECT_FLOAT_EQ(items[4]->size, 12) << "a size that is no number reads as the default";
  EXPECT_FLOAT_EQ(items[4]->y, items[3]->y + 24);
  EXPECT_FLOAT_EQ(items[5]->y, items[4]->y + 24 + ModeCredits::kMaxOffset)
      << "an offset beyond a few screens would keep the credits from ever ending";
}

TEST_F(CreditsScreenTest, TheyStartBelowTheScreenAndMoveUpAtEightyUnitsASecond) {
  UseCredits(Lines(40));
  EnterCredits();
  const float start = credits().scroll;
  EXPECT_LT(start - credits().items[0]->y, -H()) << "the first line starts below the bottom";
  Frames(50, 20);  // one second
  EXPECT_NEAR(credits().scroll - start, 80, 0.5);
  EXPECT_EQ(credits().requested, nullptr);
}

TEST_F(CreditsScreenTest, ADragMovesThemOnlyAfterTwentyUnitsAndNeverBelowTheFloor) {
  UseCredits(Lines(40));
  EnterCredits();
  // Not yet 20 units moved (the fade-in took a part): a drag changes nothing of the scroll.
  credits().scroll = 6;
  const float early = credits().scroll;
  platform.pointerY = 0;
  app->OnInput({InputType::PointerMove, 0});
  app->OnInput({InputType::LeftDown, 0});
  platform.pointerY = -100;
  app->OnInput({InputType::PointerMove, 0});
  EXPECT_FLOAT_EQ(credits().scroll, early);
  EXPECT_TRUE(credits().dragging);
  app->OnInput({InputType::LeftUp, 0});
  // After 20 units a drag down pulls them back, and the glide carries on; the scroll never
  // goes below -H.
  // (The early drag's speed holds the credits still until its glide has died down.)
  Frames(20, 20);
  EXPECT_FLOAT_EQ(credits().scroll, early);
  for (int i = 0; i < 400 && credits().scroll <= 40; ++i) Frames(1, 20);
  ASSERT_GT(credits().scroll, 40);
  const float before = credits().scroll;
  Drag(0, -30, 3);
  EXPECT_NEAR(credits().scroll, before - 30, 0.01);
  // Below 20 units further drags do nothing; once past them again, one long pull down stops
  // at the floor, half a screen below the start.
  Drag(0, -200, 4);
  EXPECT_NEAR(credits().scroll, before - 30, 0.01);
  for (int i = 0; i < 600 && credits().scroll <= 40; ++i) Frames(1, 20);
  ASSERT_GT(credits().scroll, 40);
  Drag(300, -300, 1);
  Frames(1, 20);
  EXPECT_FLOAT_EQ(credits().scroll, -H());
  // Left alone, the glide dies down and the credits move up again.
  for (int i = 0; i < 600; ++i) Frames(1, 20);
  const float rest = credits().scroll;
  Frames(25, 20);
  EXPECT_NEAR(credits().scroll - rest, 40, 1);
}

TEST_F(CreditsScreenTest, TheyEndWithNoItemOneItemAndManyItems) {
  UseCredits("");
  EnterCredits();
  EXPECT_TRUE(credits().items.empty());
  EXPECT_GE(FramesToEnd(3), 0) << "no item: the menu comes back at once";
  Frames(40, 20);
  EXPECT_EQ(app->current, &TheModeMenu());

  // One line: it ends when the line has passed above the screen.
  UseCredits(Lines(1));
  EnterCredits();
  const float travel =
      credits().items[0]->y + H() + ModeCredits::kAboveMargin - credits().scroll;
  const int frames = FramesToEnd(2000);
  ASSERT_GT(frames, 0);
  EXPECT_NEAR(float(frames) * 20 * ModeCredits::kUnitsPerMs, travel, 3.0f);
  Frames(40, 20);

  // Many: only when the second-to-last item has passed.
  UseCredits(Lines(12, 30));
  EnterCredits();
  for (int i = 0; i < 3000 && !credits().requested; ++i) {
    Frames(1, 20);
    if (!credits().requested) {
      EXPECT_LT(credits().Passed(), 11u);
    }
  }
  ASSERT_NE(credits().requested, nullptr);
  EXPECT_EQ(credits().Passed(), 11u);
  EXPECT_EQ(credits().firstVisible, 10);
}

TEST_F(CreditsScreenTest, AFastDragPastTheEndStillEnds) {
  UseCredits(Lines(6, 10));
  EnterCredits();
  for (int i = 0; i < 40 && credits().scroll <= ModeCredits::kDragStart; ++i) Frames(1, 20);
  // One long flick upwards: several items pass in one frame.
  Drag(-380, 380, 2);
  Drag(-380, 380, 2);
  EXPECT_GE(FramesToEnd(50), 0);
  EXPECT_GE(credits().Passed(), 5u);
}

TEST_F(CreditsScreenTest, EscapeAndTheOverlayButtonLeadToTheMenu) {
  UseCredits(Lines(40));
  EnterCredits();
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  EXPECT_EQ(credits().requested, &TheModeMenu());
  Frames(40, 20);
  EnterCredits();
  // The menu button of the overlay takes the click; nothing starts a drag.
  const GUIControl* button = credits().overlayControls.Find(2);
  ASSERT_NE(button, nullptr);
  ClickAt(CentreX(button->rect), CentreY(button->rect));
  EXPECT_EQ(credits().requested, &TheModeMenu());
  EXPECT_FALSE(credits().dragging);
  EXPECT_TRUE(ModeCredits::Finished(0, 0));
  EXPECT_FALSE(ModeCredits::Finished(1, 0));
  EXPECT_TRUE(ModeCredits::Finished(1, 1));
  EXPECT_FALSE(ModeCredits::Finished(2, 0));
  EXPECT_TRUE(ModeCredits::Finished(2, 1));
  EXPECT_FALSE(ModeCredits::Finished(5, 3));
  EXPECT_TRUE(ModeCredits::Finished(5, 5));
}
