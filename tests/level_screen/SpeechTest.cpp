// The level's opening (briefing, story message, start prompt), the speech lines of the
// tutorial and of world objects, their widgets and arrow, and the briefing's goal rows, on
// the recording device with the game's own content.
#include <climits>
#include <string>

#include "gui/GUIButton.h"
#include "gui/GUIText.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level/WorldObject.h"
#include "level_screen/DiffSelGame.h"
#include "level_screen/SpeechWidgets.h"
#include "progress/Progress.h"

#include "ModeGameFixture.h"

namespace {

class SpeechTest : public ModeGameTest {
 protected:
  SpeechWidgets& widgets() { return mode().speechWidgets; }
  Level& level() { return *mode().CurrentLevel(); }
  std::u16string Str(const char* key) { return app->strings()->Get(key); }
  // A scenery object carrying a line for the given trigger.
  WorldObject& Speaker(int id, SpeechLine line) {
    WorldObject& o = level().AddObject(level().objects, id, "deco_rock", Vec2{0, 0});
    o.Set(ObjectFlags::kDialog);
    o.dialog = line;
    return o;
  }
  // Answers the opening dialogs but keeps the speech.
  void PassDialogs() {
    Frames(40, 20);
    mode().OnCommand(1011);
    mode().OnCommand(1025);
    Frames(2);
  }
  std::u16string BubbleText() { return widgets().speechBubble->Text(); }
};

bool Mirrored(const GUIControl* c) { return c->rect.x0 > c->rect.x1; }

}  // namespace

TEST_F(SpeechTest, ALevelOpensWithBriefingThenStoryThenPrompt) {
  Frames(40, 20);
  ASSERT_TRUE(Shown(mode().briefingDialog));
  const GUIControl* name = mode().briefingDialog->Children().Find(BriefingDlg::kLevelName);
  EXPECT_EQ(static_cast<const GUIText*>(name)->Text(), Str("level_name_01_01"));
  // Level 1 asks for 10 food and 10 wood, then one row per kind of objective.
  const auto& rows = mode().briefingDialog->Rows();
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[0].text, Str("collect") + u" " + Str("res0") + u": 10");
  EXPECT_EQ(rows[1].text, Str("collect") + u" " + Str("res1") + u": 10");
  EXPECT_FALSE(Shown(mode().startText));

  mode().OnCommand(1011);
  ASSERT_TRUE(Shown(mode().messageDialog));
  const auto* title =
      static_cast<const GUIText*>(mode().messageDialog->Children().Find(MessageDlg::kTitle));
  EXPECT_EQ(title->Text(), Str("new_feature"));
  const GUIControl* picture = mode().messageDialog->Children().Find(MessageDlg::kPicture);
  ASSERT_TRUE(Shown(picture)) << "msg_01_01 is a picture of the content";
  EXPECT_FLOAT_EQ(std::fabs(picture->rect.x1 - picture->rect.x0), picture->sprite->width);

  mode().OnCommand(1025);
  EXPECT_TRUE(Shown(mode().startText));
  // The level's own line: the chief's bubble, the figure on the left.
  EXPECT_TRUE(widgets().BubbleShown());
  EXPECT_EQ(BubbleText(), Str("dialog_0001") + u"\\\\");
  Frames(2);
  EXPECT_TRUE(Shown(mode().dimmer));
  EXPECT_TRUE(mode().paused);
}

TEST_F(SpeechTest, ASecondPlayHasNoSpeechNorMessageAndTheOptionKeepsTheMessage) {
  app->profiles()->progress.options |= Progress::kNoTutorialSpeech;
  ASSERT_TRUE(mode().StartLevel());
  Frames(40, 20);
  mode().OnCommand(1011);
  EXPECT_TRUE(Shown(mode().messageDialog)) << "the option mutes lines, not the story";
  mode().OnCommand(1025);
  EXPECT_FALSE(widgets().BubbleShown());

  app->profiles()->progress.options = 0;
  app->profiles()->progress.Record(1, 1).flags |= LevelRecord::kFinished;
  ASSERT_TRUE(mode().StartLevel());
  Frames(40, 20);
  mode().OnCommand(1011);
  EXPECT_FALSE(Shown(mode().messageDialog));
  EXPECT_TRUE(Shown(mode().startText));
  EXPECT_FALSE(widgets().BubbleShown());
  // Forced lines still show.
  mode().ShowSpeech(SpeechLine{3, 1, 0, 0, 0, 0, 5}, true);
  EXPECT_TRUE(widgets().MessageShown());
}

TEST_F(SpeechTest, TheTutorialOfLevelOnePlaysItsLinesInOrderWithClicks) {
  PassDialogs();
  ASSERT_TRUE(widgets().BubbleShown());
  const GUIControl* cont = widgets().continueButton;
  const auto clickContinue = [&] {
    ClickAt(CentreX(cont->rect), CentreY(cont->rect));
    Frames(1);
  };
  clickContinue();
  EXPECT_EQ(BubbleText(), Str("dialog_0002") + u"\\\\") << "the worker answers";
  EXPECT_TRUE(Mirrored(widgets().speakerFigure)) << "kind 5 stands on the right, mirrored";
  clickContinue();
  // The worker's answer woke the first message: the bubble goes, the arrow points at the
  // menu button.
  EXPECT_FALSE(widgets().BubbleShown());
  ASSERT_TRUE(widgets().MessageShown());
  EXPECT_EQ(widgets().messageFrame->Text(), Str("dialog_0003"));
  ASSERT_TRUE(Shown(mode().hudArrow));
  const GUIControl* menu = mode().menuButton;
  const GUIControl* arrow = mode().hudArrow;
  // The menu button is in the upper left: the arrow sits below right of it, bobbing.
  EXPECT_NEAR(CentreX(arrow->rect), CentreX(menu->rect) + 50, 16);
  EXPECT_NEAR(CentreY(arrow->rect), CentreY(menu->rect) - 50, 16);
  // It is drawn over the message and its speaker's head, which lie beside the menu button.
  const ControlList& overlay = mode().overlayControls;
  const auto place = [&overlay](const GUIControl* c) {
    size_t i = 0;
    while (i < overlay.Size() && overlay.At(i) != c) ++i;
    return i;
  };
  ASSERT_TRUE(overlay.Holds(arrow)) << "in the list drawn after the HUD's own";
  EXPECT_GT(place(arrow), place(widgets().messageHead));
  EXPECT_GT(place(arrow), place(widgets().messageFrame));

  ClickAt(0, 0);  // the start prompt
  std::vector<int> shown{mode().speech.text};
  for (int i = 0; i < 40 * 60 && shown.size() < 4; ++i) {
    Frames(1, 16);
    if (mode().speech.text != 0 && mode().speech.text != shown.back()) {
      shown.push_back(mode().speech.text);
    }
  }
  EXPECT_EQ(shown, (std::vector<int>{3, 4, 5, 6}));
  EXPECT_EQ(mode().speech.target, 20) << "the last line points at the fallen tree";
}

TEST_F(SpeechTest, TextZeroOnlyHidesAndWakesAndADelayRunsOnlyInPlay) {
  PassDialogs();
  mode().OnCommand(10);
  EXPECT_FALSE(widgets().BubbleShown());
  Frames(2);
  EXPECT_FALSE(Shown(mode().dimmer)) << "skip takes the dimmer down";
  ClickAt(0, 0);
  Frames(2);
  ASSERT_FALSE(mode().paused);

  Speaker(901, SpeechLine{5, 2, 2, 4, 0, 0, 0});
  mode().ShowSpeech(SpeechLine{3, 1, 0, 0, 901, 0, 5}, false);
  ASSERT_TRUE(widgets().MessageShown());
  Frames(150, 20);  // 3 s
  EXPECT_TRUE(widgets().MessageShown());
  mode().OnCommand(16);  // the menu holds the level
  Frames(200, 20);
  EXPECT_TRUE(widgets().MessageShown()) << "no delay runs while paused";
  mode().OnCommand(1000);
  Frames(130, 20);
  // After 5 s of play the message is taken down and object 901 says its line.
  EXPECT_EQ(mode().speech.text, 5);
  EXPECT_EQ(widgets().messageFrame->Text(), Str("dialog_0005"));

  Speaker(902, SpeechLine{6, 1, 3, 4, 0, 0, 0});
  mode().ShowSpeech(SpeechLine{0, 0, 0, 0, 902, 0, 0}, false);
  EXPECT_EQ(mode().speech.text, 6) << "text 0 wakes its notify object";
  mode().ShowSpeech(SpeechLine{0, 0, 0, 0, 902, 0, 0}, false);
  EXPECT_FALSE(widgets().MessageShown()) << "902 gave its line up: only the hiding is left";
}

TEST_F(SpeechTest, BubblesStandOnTheirSideAndMessagesGrowForLongTexts) {
  PassDialogs();
  const float bottom = -Gui().HalfHeight();
  mode().ShowSpeech(SpeechLine{1, 1, 4, 0, 0, 0, 0}, true);
  Frames(40, 20);  // the figure slid in
  const GUIControl* figure = widgets().speakerFigure;
  EXPECT_FALSE(Mirrored(figure));
  EXPECT_NEAR(std::min(figure->rect.y0, figure->rect.y1), bottom, 0.5f);
  const float left = Gui().Value("if_gm_dialog_left", -300);
  const float width = Gui().Value("if_gm_dialog_width", 700);
  EXPECT_NEAR(figure->rect.x0, left - width / 2, 0.5f);
  EXPECT_GE(figure->rect.x0, -512) << "the speaker stands whole on a 4:3 screen";
  EXPECT_TRUE(Shown(widgets().bubbleTailLeft));
  EXPECT_FALSE(Shown(widgets().bubbleTailRight));
  // The buttons straddle the bubble's bottom edge, 16 apart about its middle.
  EXPECT_FLOAT_EQ(std::max(widgets().continueButton->rect.x0, widgets().continueButton->rect.x1),
                  left + (width - 16) / 2.0f);
  EXPECT_FLOAT_EQ(std::min(widgets().skipButton->rect.x0, widgets().skipButton->rect.x1),
                  left + (width + 16) / 2.0f);

  mode().ShowSpeech(SpeechLine{2, 2, 5, 0, 0, 0, 0}, true);
  EXPECT_TRUE(Mirrored(figure));
  EXPECT_LE(std::max(figure->rect.x0, figure->rect.x1), 512);
  EXPECT_TRUE(Shown(widgets().bubbleTailRight));
  EXPECT_FALSE(Shown(widgets().bubbleTailLeft));

  // A message of more than 60 characters gets the taller frame; the head is mirrored on
  // the right.
  mode().ShowSpeech(SpeechLine{4, 2, 1, 0, 0, 0, 9}, true);
  ASSERT_GT(Str("dialog_0004").size(), 60u);
  const Rect r = widgets().messageFrame->rect;
  EXPECT_FLOAT_EQ(std::fabs(r.y1 - r.y0), 100 + 24);
  EXPECT_TRUE(Mirrored(widgets().messageHead));
  mode().ShowSpeech(SpeechLine{5, 1, 2, 0, 0, 0, 9}, true);
  EXPECT_FLOAT_EQ(std::fabs(widgets().messageFrame->rect.y1 - widgets().messageFrame->rect.y0),
                  100);
  EXPECT_FALSE(Mirrored(widgets().messageHead));
}

TEST_F(SpeechTest, ArrowsLeanTowardsTheCentreAndSkipRemovedTargets) {
  const ArrowAim a = SpeechWidgets::AimAtControl(-10, 10);
  const ArrowAim b = SpeechWidgets::AimAtControl(10, 10);
  const ArrowAim c = SpeechWidgets::AimAtControl(10, -10);
  const ArrowAim d = SpeechWidgets::AimAtControl(-10, -10);
  EXPECT_EQ(std::make_pair(a.sx, a.sy), std::make_pair(1.0f, -1.0f));
  EXPECT_EQ(std::make_pair(b.sx, b.sy), std::make_pair(-1.0f, -1.0f));
  EXPECT_EQ(std::make_pair(c.sx, c.sy), std::make_pair(-1.0f, 1.0f));
  EXPECT_EQ(std::make_pair(d.sx, d.sy), std::make_pair(1.0f, 1.0f));

  PassDialogs();
  GUIControl* arrow = mode().hudArrow;
  mode().ShowSpeech(SpeechLine{3, 1, 0, 0, 0, -30, 5}, true);  // the time bar, upper right
  ASSERT_TRUE(Shown(arrow));
  EXPECT_TRUE(arrow->rect.x0 > arrow->rect.x1) << "mirrored horizontally";
  EXPECT_TRUE(arrow->rect.y0 < arrow->rect.y1) << "and vertically";
  mode().ShowSpeech(SpeechLine{3, 1, 0, 0, 0, 20, 5}, true);  // the fallen tree
  ASSERT_TRUE(Shown(arrow));
  EXPECT_FALSE(arrow->rect.x0 > arrow->rect.x1);

  level().FindObject(20)->Set(ObjectFlags::kDelete);
  level().RemoveFlagged();
  mode().ShowSpeech(SpeechLine{3, 1, 0, 0, 0, 20, 5}, true);
  EXPECT_TRUE(widgets().MessageShown());
  EXPECT_FALSE(Shown(arrow)) << "a removed object gets no arrow";
  mode().ShowSpeech(SpeechLine{3, 1, 0, 0, 0, INT_MIN, 5}, true);
  mode().ShowSpeech(SpeechLine{3, 1, 0, 0, 0, -4242, 5}, true);
  EXPECT_FALSE(Shown(arrow));
}

TEST_F(SpeechTest, BrokenLinesShowWhatTheyCanAndEveryChainEnds) {
  PassDialogs();
  // Unknown speaker, missing text entry, a kind below 0, huge and negative delays.
  mode().ShowSpeech(SpeechLine{9999, 77, 4, 0, 0, 0, 0}, true);
  EXPECT_TRUE(widgets().BubbleShown());
  EXPECT_FALSE(Shown(widgets().speakerFigure));
  mode().ShowSpeech(SpeechLine{3, -5, -3, 0, 0, 0, INT_MAX}, true);
  EXPECT_TRUE(widgets().MessageShown());
  EXPECT_LE(mode().speechDelay, 3600 * 1000.0f);
  mode().ShowSpeech(SpeechLine{3, 1, 2, 0, 0, 0, -7}, true);
  EXPECT_EQ(mode().speechDelay, 0);
  // A 10,000-character line of one word.
  const std::u16string word(10000, u'W');
  widgets().ShowBubble(4, word, nullptr, Gui().HalfHeight());
  Frames(2);
  // Five hundred text-0 lines waking each other in a cycle end after each spoke once.
  for (int i = 0; i < 500; ++i) {
    Speaker(2000 + i, SpeechLine{0, 1, 0, 4, 2000 + (i + 1) % 500, 0, 0});
  }
  mode().ShowSpeech(SpeechLine{0, 0, 0, 0, 2000, 0, 0}, true);
  for (int i = 0; i < 500; ++i) EXPECT_FALSE(level().FindObject(2000 + i)->dialog);
  mode().ShowSpeech(SpeechLine{0, 0, 0, 0, 12345, 0, 0}, true);  // notify naming nothing
  Frames(5);
}

TEST_F(SpeechTest, ContinueRunsAChainThroughThreeObjects) {
  PassDialogs();
  Speaker(801, SpeechLine{2, 2, 5, 4, 802, 0, 0});
  Speaker(802, SpeechLine{1, 1, 4, 4, 803, 0, 0});
  Speaker(803, SpeechLine{2, 3, 5, 4, 0, 0, 0});
  mode().ShowSpeech(SpeechLine{1, 1, 4, 0, 801, 0, 0}, true);
  std::vector<int> speakers;
  for (int i = 0; i < 3; ++i) {
    mode().OnCommand(SpeechWidgets::kContinue);
    speakers.push_back(mode().speech.speaker);
  }
  EXPECT_EQ(speakers, (std::vector<int>{2, 1, 3}));
  EXPECT_TRUE(widgets().BubbleShown());
  mode().OnCommand(SpeechWidgets::kContinue);  // 803 wakes nobody: as skip
  EXPECT_FALSE(widgets().BubbleShown());
  Frames(2);
  EXPECT_FALSE(Shown(mode().dimmer));
}

TEST_F(SpeechTest, TheLineUpIsSavedAndShowsAgainOnContinue) {
  PassDialogs();
  ClickAt(0, 0);
  mode().ShowSpeech(SpeechLine{4, 2, 1, 0, 0, -30, 8}, false);
  mode().SaveForContinue();
  ASSERT_TRUE(app->profiles()->HasGame());
  EXPECT_NE(app->profiles()->LoadGame()->find("dialog=\"4,2,1,0,0,-30,8\""), std::string::npos);
  mode().continueSaved = true;
  ASSERT_TRUE(mode().StartLevel());
  EXPECT_TRUE(widgets().MessageShown());
  EXPECT_EQ(mode().speech.text, 4);
  // The completion of the arrow's object clears the pending line.
  mode().ShowSpeech(SpeechLine{4, 2, 1, 0, 0, 20, 8}, false);
  mode().ClearPendingDialog(20);
  EXPECT_EQ(level().dialog.text, 0);
}

TEST_F(SpeechTest, DifficultyChoiceMarksTheCurrentButtonAndRestartsInCasual) {
  app->profiles()->progress.difficulty = Difficulty::Expert;
  ASSERT_TRUE(mode().StartLevel());
  Frames(40, 20);
  mode().OnCommand(1015);
  ASSERT_TRUE(Shown(mode().difficultyDialog));
  const auto* expert =
      static_cast<const GUIButton*>(mode().difficultyDialog->Children().Find(1053));
  const auto* casual =
      static_cast<const GUIButton*>(mode().difficultyDialog->Children().Find(1052));
  EXPECT_TRUE(expert->selected);
  EXPECT_FALSE(casual->selected);
  Frames(20, 20);
  mode().OnCommand(1052);
  EXPECT_EQ(app->profiles()->progress.difficulty, Difficulty::Casual);
  EXPECT_FALSE(Shown(mode().difficultyDialog));
  Frames(40, 20);
  EXPECT_TRUE(Shown(mode().briefingDialog)) << "the level started again";
}

TEST_F(SpeechTest, BriefingRowsFitTheirIconsAndCountKinds) {
  BriefingDlg::Row tall;
  tall.iconW = 100, tall.iconH = 200;
  BriefingDlg::FitIcon(tall.iconW, tall.iconH);
  EXPECT_FLOAT_EQ(tall.iconH, 120);
  EXPECT_FLOAT_EQ(tall.iconW, 60);
  EXPECT_FLOAT_EQ(BriefingDlg::RowHeight(tall), 120);
  BriefingDlg::Row small;
  small.iconW = 0, small.iconH = 0, small.extraHeight = 14;
  EXPECT_FLOAT_EQ(BriefingDlg::RowHeight(small), 90 + 14);
  BriefingDlg::Row huge;
  huge.iconW = 5000, huge.iconH = 5000;
  BriefingDlg::FitIcon(huge.iconW, huge.iconH);
  EXPECT_EQ(BriefingDlg::ColumnWidth({small, huge}), 120);

  Frames(40, 20);
  // Three objectives of one kind make one row " (x3)"; fifty kinds do not overflow.
  for (int i = 0; i < 3; ++i) {
    WorldObject& o = level().AddObject(level().objects, 700 + i, "stone", Vec2{0, 0});
    o.cls = 1, o.subclass = 199;
    o.Set(ObjectFlags::kObjective);
  }
  for (int k = 0; k < 50; ++k) {
    WorldObject& o = level().AddObject(level().objects, 800 + k, "", Vec2{0, 0});
    o.cls = 1, o.subclass = uint16_t(300 + k);
    o.size = Vec2{2500, 0};
    o.Set(ObjectFlags::kObjective);
  }
  const auto rows = BriefingDlg::Goals(level(), app->strings());
  int threes = 0;
  for (const auto& row : rows) threes += row.text.ends_with(u" (x3)");
  EXPECT_EQ(threes, 1);
  EXPECT_EQ(rows.back().text, u"INVALID OBJECT");

  // Refilling while the pointer rests on a row forgets it (checked under the sanitizers).
  const GUIControl* panel = mode().briefingDialog->Children().Find(BriefingDlg::kRowPanel);
  mode().FillBriefing();
  ClickAt(CentreX(panel->rect) + 60, std::max(panel->rect.y0, panel->rect.y1) - 40);
  mode().FillBriefing();
  platform.pointerX += 3;
  Input(InputType::PointerMove);
  Input(InputType::LeftDown);
  Input(InputType::LeftUp);
  Frames(2);
}
