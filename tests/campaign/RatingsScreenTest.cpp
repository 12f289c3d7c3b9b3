// The record tables on the recording device with the game's content: a level's table and the
// overall one, the arrows' wrap, the tabs, the tooltips, damaged record entries, and rebuilds
// while the cheat message is up.
#include <gtest/gtest.h>

#include <string>

#include "base/GameKeys.h"
#include "campaign/ModeRatings.h"
#include "data/Utf8.h"
#include "gui/GUIText.h"
#include "progress/RecordTables.h"

#include "level_screen/ModeGameFixture.h"

namespace {

class RatingsScreenTest : public MapScreenTest {
 protected:
  static ModeRatings& ratings() { return TheModeRatings(); }
  RecordTables& records() { return app->profiles()->records; }
  void EnterRatings(int episode, int level) {
    app->SetMode(app->Accept(ShowRatings(episode, level, ModeId::Map)), false);
    if (app->current != &ratings()) Frames(1);
    ASSERT_EQ(app->current, &ratings());
    for (int i = 0; i < 100 && app->fadeState != Fade::None; ++i) Frames(1, 20);
  }
  std::u16string TextOf(int id) const {
    const auto* t = dynamic_cast<const GUIText*>(ratings().controls.Find(id));
    return t ? t->Text() : u"<none>";
  }
  bool Visible(int id) const {
    const GUIControl* c = ratings().controls.Find(id);
    return c && c->visible;
  }
  bool Active(int id) const {
    const GUIControl* c = ratings().controls.Find(id);
    return c && c->active;
  }
  void Type(const std::string& word) {
    for (const char c : word) app->OnInput({InputType::Character, c});
  }
  // Moves the pointer onto the centre of a control.
  void PointAt(int id) {
    const GUIControl* c = ratings().controls.Find(id);
    ASSERT_NE(c, nullptr);
    platform.pointerX = CentreX(c->rect);
    platform.pointerY = CentreY(c->rect);
    app->OnInput({InputType::PointerMove, 0});
  }
};

}  // namespace

TEST_F(RatingsScreenTest, TheArrowsWrapWithinTheFirstFourEpisodes) {
  const auto on = [](int e, int l) {
    ModeRatings::StepOn(e, l);
    return std::pair{e, l};
  };
  const auto back = [](int e, int l) {
    ModeRatings::StepBack(e, l);
    return std::pair{e, l};
  };
  EXPECT_EQ(on(4, 11), std::pair(1, 1));
  EXPECT_EQ(back(1, 1), std::pair(4, 11));
  EXPECT_EQ(on(1, 11), std::pair(2, 1));
  EXPECT_EQ(back(3, 1), std::pair(2, 11));
  EXPECT_EQ(on(2, 5), std::pair(2, 6));
  EXPECT_EQ(back(2, 5), std::pair(2, 4));
  // Episode 5 is reached from the map only; the arrows lead out of it into the wrap.
  EXPECT_EQ(on(5, 11), std::pair(1, 1));
  EXPECT_EQ(back(5, 1), std::pair(4, 11));
  EXPECT_EQ(on(5, 3), std::pair(5, 4));

  // On the screen: from 4:11 the next arrow shows 1:1 and the previous one 4:11 again.
  EnterRatings(4, 11);
  EXPECT_EQ(TextOf(9), u"Level 4.11");
  ratings().OnCommand(4);
  EXPECT_EQ(TextOf(9), u"Level 1.1");
  ratings().OnCommand(3);
  EXPECT_EQ(TextOf(9), u"Level 4.11");
  EXPECT_EQ(ratings().requested, nullptr);
}

TEST_F(RatingsScreenTest, ALevelTableShowsItsEntriesAndTheOverallTableHidesTimes) {
  RecordTable& level = records().Level(2, 3);
  level.entries[0].SetName(u"Alder");
  level.entries[0].seconds = 125;
  level.entries[0].score = 9876;
  level.entries[0].date = 86400 * 365;
  level.entries[1].seconds = -4;
  records().total.entries[0].SetName(u"Birch");
  records().total.entries[0].score = 44444;
  EnterRatings(2, 3);
  EXPECT_EQ(TextOf(9), u"Level 2.3");
  EXPECT_EQ(TextOf(1211), u"Alder");
  EXPECT_EQ(TextOf(1221), u"2:05");
  EXPECT_EQ(TextOf(1222), u"0:00");
  EXPECT_EQ(TextOf(1231), DecodeUtf8(FormatRecordDate(86400 * 365)));
  EXPECT_FALSE(TextOf(1231).empty());
  EXPECT_EQ(TextOf(1241), u"9876");
  for (const int id : {1204, 3, 4, 1221, 1225}) EXPECT_TRUE(Visible(id)) << id;
  // The current tab's button is disabled: the levels' tab (14) here.
  EXPECT_TRUE(Active(13));
  EXPECT_FALSE(Active(14));

  // The other tab: the overall table, no times, no arrows, no time heading.
  ratings().OnCommand(14);
  EXPECT_EQ(ratings().episode, 0);
  EXPECT_EQ(TextOf(9), u"Overall records");
  EXPECT_EQ(TextOf(1211), u"Birch");
  EXPECT_EQ(TextOf(1241), u"44444");
  for (const int id : {1204, 3, 4, 1221, 1223, 1225}) EXPECT_FALSE(Visible(id)) << id;
  EXPECT_TRUE(Visible(1211));
  EXPECT_FALSE(Active(13));
  EXPECT_TRUE(Active(14));
  // And back: level 1.1.
  ratings().OnCommand(13);
  EXPECT_EQ(TextOf(9), u"Level 1.1");
  EXPECT_TRUE(Visible(1204));

  // A level outside the campaign opens the overall table.
  ratings().episode = 9, ratings().level = 2;
  ratings().Build();
  EXPECT_EQ(TextOf(9), u"Overall records");
  // Back leads to the map.
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  EXPECT_EQ(ratings().requested, &TheModeStage());
}

TEST_F(RatingsScreenTest, DamagedEntriesShowSafely) {
  // A name without its terminating zero and a date no calendar takes, as a damaged
  // "HiScores" could hold them before its repair.
  RecordEntry& e = records().Level(1, 1).entries[0];
  e.name.fill(u'x');
  e.date = int64_t(1) << 62;
  e.seconds = 0x7fffffff;
  // A translation of "level" holding conversions is text, never a format.
  app->strings()->Set(u"level", u"%s%n%d");
  EnterRatings(1, 1);
  EXPECT_EQ(TextOf(9), u"%s%n%d 1.1");
  EXPECT_EQ(TextOf(1211), std::u16string(RecordEntry::kMaxName, u'x'));
  EXPECT_EQ(TextOf(1231), u"");
  EXPECT_EQ(TextOf(1221), u"35791394:07");
  Frames(5);
}

TEST_F(RatingsScreenTest, RebuildsByArrowsAndTabsDropTheCheatMessageAndTheTooltip) {
  EnterRatings(3, 4);
  Type("cheats");
  ASSERT_TRUE(app->cheats);
  ASSERT_NE(ratings().infoText, nullptr);
  GUIHint* before = ratings().tooltip;
  ratings().OnCommand(4);
  EXPECT_EQ(ratings().infoText, nullptr) << "the rebuild deleted the message";
  EXPECT_NE(ratings().tooltip, nullptr);
  EXPECT_TRUE(ratings().controls.Holds(ratings().tooltip));
  EXPECT_NE(before, nullptr);
  // Typing the word again writes a new message, not through the deleted one (ASan).
  Type("cheats");
  EXPECT_FALSE(app->cheats);
  ASSERT_NE(ratings().infoText, nullptr);
  EXPECT_TRUE(ratings().controls.Holds(ratings().infoText));
  ratings().OnCommand(3);
  ratings().OnCommand(14);
  Type("cheats");
  Frames(5);
  EXPECT_TRUE(ratings().controls.Holds(ratings().infoText));
}

TEST_F(RatingsScreenTest, AControlsTooltipIsHeldWhileHoveredAndFadesAfter) {
  EnterRatings(1, 2);
  PointAt(4);
  Frames(3, 20);
  GUIHint* tip = ratings().tooltip;
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(tip->Text(), u"Next level");
  EXPECT_FLOAT_EQ(tip->timeLeft, ModeRatings::kTooltipHoldMs - ModeRatings::kTooltipStepMs);
  Frames(20, 20);
  EXPECT_GT(tip->timeLeft, 0) << "held while hovered";
  // Away from every control the tip runs out within 512 ms.
  platform.pointerX = 0;
  platform.pointerY = -360;
  app->OnInput({InputType::PointerMove, 0});
  Frames(10, 20);
  EXPECT_GT(tip->timeLeft, 0);
  Frames(20, 20);
  EXPECT_LE(tip->timeLeft, 0);
  // The previous arrow's own text.
  PointAt(3);
  Frames(1, 20);
  EXPECT_EQ(tip->Text(), u"Previous level");
}
