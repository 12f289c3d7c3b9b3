// The floating items of the level screen on the recording device: their timing and removal,
// the work timers of a level save, the flashes, the arrow, the information window, and no
// reference left behind when controls go.
#include <gtest/gtest.h>

#include <cmath>

#include "gui/ControlTypesSupport.h"
#include "gui/GUIPic.h"
#include "gui/GUIProgressBar.h"
#include "gui/GUIText.h"
#include "level/WorldObject.h"
#include "level_screen/HudItems.h"

namespace {

class HudItemsTest : public ControlTypesFixture {
 protected:
  void SetUp() override {
    // "free_worker" is left out: its icons have no picture and draw nothing.
    Write("hud.png", EncodePng(Solid(256, 128, 9, 9, 9), 4));
    folder.Write("content/atlases/hud.xml",
                 std::string("<Atlas name='hud'><Tex name='progress' rect='0,0,100,20'/>"
                             "<Tex name='cmd_ok' rect='0,20,32,32'/>"
                             "<Tex name='cmd_no' rect='32,20,40,24'/>"
                             "<Tex name='hintobj' rect='80,20,48,48'/></Atlas>"));
    ControlTypesFixture::SetUp();
    auto hint = std::make_unique<GUIHint>();
    hint->fontSize = 20;
    parts.objectHint = static_cast<GUIHint*>(list.Add(std::move(hint)));
    parts.scoreLabel = list.Add(std::make_unique<GUIText>());
    parts.scoreLabel->rect = {70, 63, 300, -1};
    for (int i = 0; i < 3; ++i) {
      parts.resourceLabels[size_t(i)] = list.Add(std::make_unique<GUIText>());
      parts.shortageFlashes[size_t(i)] = list.Add(std::make_unique<GUIPic>());
      parts.shortageFlashes[size_t(i)]->visible = false;
    }
    parts.world = &world;
    items.Build(parts, values.get());
  }
  void TearDown() override {
    world.Clear();
    ControlTypesFixture::TearDown();
  }
  // A frame as the screen runs it: the lists first, then the items.
  void Frame(float ms, float speed = 1) {
    world.UpdateAll(ms);
    list.UpdateAll(ms);
    points += items.Advance(ms, speed);
  }

  ControlList world;
  HudItems::Parts parts;
  HudItems items;
  int points = 0;
};

TEST_F(HudItemsTest, WorkTimersRunAtTheSpeedGoWhenDoneOrFadedAndAreSaved) {
  GUIProgressBar* a = items.AddWorkTimer(7, 2500, {100, 50});
  EXPECT_EQ(a->id, 10007);
  ExpectRectNear(a->rect, 60, 30, 140, 22);       // 0.8 × 100 by 0.8 × 10, centre-top at y - 20
  items.AddWorkTimer(8, 10000, {0, 0}, 1500.7f);  // restored from a save
  items.AddWorkTimer(9, 10000, {0, 0});
  std::string text;
  items.WriteWorkTimers(text);
  EXPECT_EQ(text,
            "<obstacle id=\"7\" cur=\"0\" max=\"2500\"/>\n"
            "<obstacle id=\"8\" cur=\"1500\" max=\"10000\"/>\n"
            "<obstacle id=\"9\" cur=\"0\" max=\"10000\"/>\n");
  Frame(1000, 2);
  EXPECT_EQ(a->Alpha(), 255);  // faded in over 0.5 s
  EXPECT_EQ(items.WorkTimerRemaining(7), 500);
  items.FadeWorkTimer(9);
  Frame(300, 2);
  EXPECT_EQ(items.WorkTimerRemaining(7), 0);  // finished and gone
  EXPECT_EQ(world.Find(10007), nullptr);
  EXPECT_NEAR(items.WorkTimer(9)->Alpha(), 195, 1);  // 1 - 0.3 / 1.275
  text.clear();
  items.WriteWorkTimers(text);
  EXPECT_EQ(text,
            "<obstacle id=\"8\" cur=\"4100\" max=\"10000\"/>\n"
            "<obstacle id=\"9\" cur=\"2600\" max=\"10000\"/>\n");
  Frame(1000);
  EXPECT_EQ(items.WorkTimer(9), nullptr);  // the fade ended before the bar was full
  items.AddWorkTimer(8, 3000, {0, 0});     // a restarted work replaces its bar
  EXPECT_EQ(items.WorkTimerCount(), 1u);
  EXPECT_EQ(items.WorkTimerRemaining(8), 3000);

  // Damaged saves: numbers that are no numbers, beyond int, or crossed.
  items.AddWorkTimer(20, NAN, {0, 0}, NAN);
  items.AddWorkTimer(21, 1e30f, {0, 0}, -5);
  items.AddWorkTimer(22, 100, {0, 0}, 1e31f);
  text.clear();
  items.WriteWorkTimers(text);
  EXPECT_NE(text.find("id=\"20\" cur=\"0\" max=\"0\""), std::string::npos);
  EXPECT_NE(text.find("id=\"21\" cur=\"0\" max=\"2000000000\""), std::string::npos);
  EXPECT_EQ(text.find("id=\"22\""), std::string::npos);  // already full
}

TEST_F(HudItemsTest, CommandMarksReplaceTheirIdAndFade) {
  items.ShowCommandMark(false, 3, {0, 0});
  GUIControl* refused = items.CommandMarks(3).at(0);
  ExpectRectNear(refused->rect, -20, 12, 20, -12);  // "cmd_no" centred, top at y + h / 2
  Frame(500);
  EXPECT_EQ(refused->Alpha(), 255);  // the delayed curve holds
  Frame(100);
  EXPECT_NEAR(refused->Alpha(), 204, 1);  // 0.6 s: a fifth of the way
  world.UpdateAll(300);                   // 0.9 s: faded out
  EXPECT_EQ(refused->Alpha(), 0);
  points += items.Advance(300, 1);
  EXPECT_EQ(items.CommandMarkCount(), 0u);

  items.ShowCommandMark(true, 4, {0, 0});
  const size_t held = world.Size();
  items.ShowCommandMark(true, 4, {10, 0});  // the same id: replaced
  EXPECT_EQ(world.Size(), held);
  ExpectRectNear(items.CommandMarks(4).at(0)->rect, -6, 16, 26, -16);
  Frame(5000);
  EXPECT_EQ(items.CommandMarks(4).size(), 1u);  // an accepted mark flickers until faded
  items.FadeCommandMark(4);
  Frame(200);
  items.FadeCommandMark(4);  // already fading: not started again
  Frame(60);
  EXPECT_TRUE(items.CommandMarks(4).empty());
}

TEST_F(HudItemsTest, AScorePopupAddsItsPointsOnArrivalAndIncomeLabelsRiseAndGo) {
  items.AddScorePopup(25, {100, -100});
  GUIControl* popup = world.Find(-25);
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(popup->visible);
  EXPECT_EQ(static_cast<GUIText*>(popup)->Text(), u"+25");
  for (int i = 0; i < 100; ++i) Frame(16);
  EXPECT_TRUE(popup->visible);
  EXPECT_EQ(points, 0);
  EXPECT_GT(popup->rect.y0, 0);  // on its way up to the score label
  for (int i = 0; i < 25; ++i) Frame(16);
  EXPECT_EQ(points, 25);
  EXPECT_EQ(items.ScorePopupCount(), 0u);

  items.ShowIncome(u"+5", {100, 0});  // rises for 5 s, faded after 1.2 s
  Frame(4900);
  EXPECT_EQ(items.IncomeLabelCount(), 1u);
  Frame(200);
  EXPECT_EQ(items.IncomeLabelCount(), 0u);
}

TEST_F(HudItemsTest, FlashesAndTheArrowEndAsTheyWere) {
  GUIControl* label = parts.resourceLabels[1];
  items.FlashResource(1, true);
  EXPECT_EQ(label->colour, 0xFFC04040u);
  EXPECT_NEAR(label->fontSize, 16 * (1 + 1 / 5.5f), 1e-3);
  GUIControl* flash = parts.shortageFlashes[2];
  items.FlashShortage(2);
  Frame(500);
  EXPECT_EQ(flash->Alpha(), 255);  // the delayed curve holds
  Frame(500);
  EXPECT_EQ(label->colour, GUIText::kDefaultColour);
  EXPECT_FLOAT_EQ(label->fontSize, 16);
  Frame(16);  // hidden in the update after its fade
  EXPECT_FALSE(flash->visible);

  WorldObject building;
  building.cls = WorldObject::kBuilding;
  building.position = {200, 100};
  items.PointAtObject(&building);
  GUIControl* arrow = items.ObjectArrow();
  // Centred 50 left of and 60 below the building, the bob at its full (10, 10) at first.
  EXPECT_NEAR(CentreX(arrow->rect), 160, 1e-3);
  EXPECT_NEAR(CentreY(arrow->rect), 50, 1e-3);
  items.PointAtObject(&building);  // a second sequence replaces the first
  Frame(1000);
  items.PointAtObject(nullptr);
  Frame(200);
  Frame(16);  // the toggle follows the update in which the fade ended
  EXPECT_FALSE(arrow->visible);
  Frame(3000);
  EXPECT_FALSE(arrow->visible);  // no toggle of an older sequence is left
}

TEST_F(HudItemsTest, TheInformationWindowSitsBesideTheObjectWithinTheScreen) {
  GUIHint* hint = parts.objectHint;
  // "abc" at size 20: the window is 30 + 30 by 25 + 20.
  items.ShowObjectInfo(u"abc", {100, 50, 100, 50}, 1);  // 0 × 0: 64 × 64
  ExpectRectNear(hint->rect, 108, 70, 168, 115);
  EXPECT_EQ(hint->timeLeft, 3000);
  EXPECT_EQ(list.At(list.Size() - 1), hint);
  items.ShowObjectInfo(u"abc", {0, 0, 5, 80}, 1);  // too narrow: its height, 80
  ExpectRectNear(hint->rect, 18.5f, 68, 78.5f, 113);
  items.ShowObjectInfo(u"abc", {-250, -150, 250, 150}, 2);  // held at 96, then zoomed
  ExpectRectNear(hint->rect, 78, 94.5f, 138, 139.5f);
  items.ShowObjectInfo(u"abc", {480, 0, 490, 10}, 1);  // pushed back inside
  EXPECT_NEAR(hint->rect.x1, 502, 1e-3);
  items.ShowObjectInfo(u"", {0, 0, 10, 10}, 1);
  EXPECT_EQ(hint->timeLeft, 0);
  items.ShowObjectInfo(u"abc", {NAN, 0, 10, 10}, 1);
  EXPECT_EQ(hint->timeLeft, 0);
}

TEST_F(HudItemsTest, NoReferenceOutlivesItsControl) {
  items.AddWorkTimer(1, 1000, {0, 0});
  items.ShowIncome(u"+1", {0, 0});
  items.AddScorePopup(3, {0, 0});
  items.ShowCommandMark(true, 1, {0, 0});
  WorldObject thing;
  items.PointAtObject(&thing);
  items.FreeWorkerIcons()[0]->visible = true;  // an icon without a picture draws nothing
  device->ClearLog();
  world.DrawAll();
  renderer->Flush();
  EXPECT_FALSE(device->CallsOf(Op::DrawQuads).empty());
  items.Clear();
  EXPECT_EQ(items.WorkTimerCount() + items.IncomeLabelCount() + items.ScorePopupCount() +
                items.CommandMarkCount(),
            0u);
  // The icons, the arrow and the queue's three numbers on their badges stay, hidden.
  EXPECT_EQ(world.Size(), 15u);
  Frame(3000);
  EXPECT_FALSE(items.ObjectArrow()->visible);

  // Controls deleted by their lists: the screen's listeners hand them to Forget.
  world.SetDeletionListener([this](const GUIControl& c) { items.Forget(c); });
  list.SetDeletionListener([this](const GUIControl& c) { items.Forget(c); });
  items.AddScorePopup(3, {0, 0});
  world.Remove(world.Find(-3));
  EXPECT_EQ(items.ScorePopupCount(), 0u);
  items.AddWorkTimer(2, 1000, {0, 0});
  world.Clear();
  list.Clear();
  EXPECT_EQ(items.ObjectArrow(), nullptr);
  EXPECT_EQ(items.WorkTimerCount(), 0u);
  for (const GUIControl* number : items.QueueNumbers()) EXPECT_EQ(number, nullptr);
  items.ShowQueueNumbers({{0, 0}, {10, 10}});
  items.PointAtObject(&thing);
  items.PulseFreeWorkers(true);
  items.ShowObjectInfo(u"abc", {0, 0, 10, 10}, 1);
  items.Clear();

  HudItems none;  // nothing built: every operation is quiet
  EXPECT_EQ(none.AddWorkTimer(1, 100, {0, 0}), nullptr);
  none.PointAtObject(&thing);
}

}  // namespace
