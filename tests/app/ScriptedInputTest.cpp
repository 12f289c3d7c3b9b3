// Input scripts: what a script file says, how its actions reach the screen as real input,
// how a failed expectation ends the run, and the trace of screen switches.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/ScriptedInput.h"
#include "base/GameKeys.h"
#include "gui/GUIDialog.h"
#include "gui/GUIInputLine.h"
#include "support/PointerPlatform.h"
#include "support/TempDir.h"

namespace {

using Kind = ScriptAction::Kind;

TEST(ScriptParse, EveryActionWithAbsoluteAndRelativeFrames) {
  const Script s = ParseScript(
      "# the walk\n"
      "10 move 1.5,-2\n"
      "\n"
      "+5~20 click 3,4\r\n"
      "15 click control:1051\n"
      "  20   click marker:1:2\n"
      "+0 key escape\n"
      "21 key 34\n"
      "22 text cheats win\n"
      "23 bot\n"
      "30 expect mode:ModeStage\n"
      "31 drag -10,20.5  30,-40\n");
  ASSERT_EQ(s.error, "");
  ASSERT_EQ(s.actions.size(), 10u);
  EXPECT_EQ(s.actions[0].kind, Kind::Move);
  EXPECT_EQ(s.actions[0].x, 1.5f);
  EXPECT_EQ(s.actions[0].y, -2.0f);
  EXPECT_EQ(s.actions[0].line, 2);
  EXPECT_EQ(s.actions[1].frame, 5u) << "five frames after the line above";
  EXPECT_TRUE(s.actions[1].relative);
  EXPECT_EQ(s.actions[1].patience, 20u);
  EXPECT_EQ(s.actions[1].kind, Kind::Click);
  EXPECT_FALSE(s.actions[2].relative);
  EXPECT_EQ(s.actions[2].kind, Kind::ClickControl);
  EXPECT_EQ(s.actions[2].id, 1051);
  EXPECT_EQ(s.actions[3].kind, Kind::ClickMarker);
  EXPECT_EQ(s.actions[3].id, 1);
  EXPECT_EQ(s.actions[3].level, 2);
  EXPECT_EQ(s.actions[4].frame, 0u);
  EXPECT_EQ(s.actions[4].key, kGameKeyEscape);
  EXPECT_EQ(s.actions[5].key, kGameKeyQ);
  EXPECT_EQ(s.actions[6].text, u"cheats win");
  EXPECT_EQ(s.actions[7].kind, Kind::Bot);
  EXPECT_EQ(s.actions[8].mode, "ModeStage");
  EXPECT_EQ(s.actions[8].line, 11);
  EXPECT_EQ(s.actions[9].kind, Kind::Drag);
  EXPECT_EQ(s.actions[9].x, -10.0f);
  EXPECT_EQ(s.actions[9].y, 20.5f);
  EXPECT_EQ(s.actions[9].x2, 30.0f);
  EXPECT_EQ(s.actions[9].y2, -40.0f);
}

TEST(ScriptParse, FaultsNameTheirLineAndLeaveNoActions) {
  const struct {
    const char* text;
    const char* error;
  } kCases[] = {
      {"1 move 1,2\nten click 1,2\n", "line 2: \"ten\" is no frame"},
      {"5 bot\n4 bot\n", "line 2: frame 4 comes before frame 5 of a line above"},
      {"1 jump\n", "line 1: no action is called \"jump\""},
      {"1\n", "line 1: needs a frame and an action"},
      {"1 click 1;2\n", "line 1: click needs X,Y, control:ID or marker:E:L"},
      {"1 click control:x\n", "line 1: click control:ID needs a whole number"},
      {"1 click marker:1\n", "line 1: click marker:EPISODE:LEVEL needs two whole numbers"},
      {"1 move nan,1\n", "line 1: move needs X,Y"},
      {"1 key hyperspace\n", "line 1: no key is called \"hyperspace\""},
      {"1 key 97\n", "line 1: no key is called \"97\""},
      {"1 keys\n", "line 1: keys needs the names of keys"},
      {"1 keys tab wave\n", "line 1: no key is called \"wave\""},
      {"1 text\n", "line 1: text needs something to type"},
      {"1 expect ModeStage\n", "line 1: expect needs mode:NAME"},
      {"1 bot now\n", "line 1: bot takes nothing after it"},
      {"1 drag 1,2\n", "line 1: drag needs X,Y X2,Y2"},
      {"1 drag 1,2 3\n", "line 1: drag needs X,Y X2,Y2"},
      {"-1 bot\n", "line 1: \"-1\" is no frame"},
      {"1~x bot\n", "line 1: \"1~x\" has no patience in frames after ~"},
      {"+2 bot\n1 bot\n", ""},
  };
  for (const auto& c : kCases) {
    const Script s = ParseScript(c.text);
    EXPECT_EQ(s.error, c.error) << c.text;
    EXPECT_EQ(s.actions.empty(), !s.error.empty()) << c.text;
  }
  // Binary junk is an error, not a crash.
  std::string junk(300, '\0');
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = char(i * 37);
  EXPECT_NE(ParseScript(junk).error, "");
}

TEST(ScriptParse, FilesAreReadOrRefused) {
  TempDir dir;
  EXPECT_NE(LoadScript(dir.Path() + "/missing.txt").error.find("cannot read"), std::string::npos);
  const std::string path = dir.Path() + "/walk.txt";
  std::ofstream(path) << "1 bot\n2 fly\n";
  EXPECT_EQ(LoadScript(path).error, path + ", line 2: no action is called \"fly\"");
  std::ofstream(path) << std::string((1 << 20) + 1, '#');
  EXPECT_NE(LoadScript(path).error.find("larger"), std::string::npos);
}

// ---------------------------------------------------------------- playing

using Platform = PointerPlatform;

// A screen that writes down the input it gets, with the pointer where the Application has it.
class Screen : public Mode {
 public:
  int OnInput(InputEvent e) override {
    std::string line = std::to_string(int(e.type)) + ":" + std::to_string(e.value);
    if (e.IsPointer()) {
      line += "@" + std::to_string(int(App().mouseX)) + "," + std::to_string(int(App().mouseY));
    }
    log.push_back(line);
    return 0;
  }
  std::vector<std::string> log;
  ControlList extra;  // a second list drawn over `controls`
};

class Host : public ScriptHost {
 public:
  explicit Host(Platform& p, Screen& a, Screen& b) : platform_(p), a_(a), b_(b) {}
  std::string ModeName(const Mode* m) const override {
    return m == &a_ ? "ModeA" : m == &b_ ? "ModeB" : "none";
  }
  CampaignPosition Position() const override { return position; }
  std::vector<const ControlList*> ControlLists(const Mode& m) const override {
    const Screen& s = &m == &a_ ? a_ : b_;
    return {&s.controls, &s.extra};
  }
  std::optional<GuiPoint> LevelMarkerPoint(int e, int l) override {
    if (e == 1 && l == 2) return GuiPoint{-100, 50};
    return std::nullopt;
  }
  bool SetBotPlaying(bool on) override {
    if (on && !levelShown) return false;
    bot = on;
    ++botCalls;
    return true;
  }
  void PlacePointer(float x, float y) override {
    platform_.pointerX = x;
    platform_.pointerY = y;
  }

  CampaignPosition position{1, 1};
  bool levelShown = true;
  bool bot = false;
  int botCalls = 0;

 private:
  Platform& platform_;
  Screen& a_;
  Screen& b_;
};

std::unique_ptr<GUIControl> Control(int id, Rect r, bool visible = true) {
  auto c = std::make_unique<GUIControl>(ControlKind::Bare);
  c->id = id;
  c->rect = r;
  c->visible = visible;
  return c;
}

struct Fixture {
  Platform platform;
  Application app{platform};
  Screen a, b;
  Host host{platform, a, b};

  ScriptedInput Play(const char* text) {
    Script s = ParseScript(text);
    EXPECT_EQ(s.error, "");
    app.current = &a;
    return ScriptedInput(app, host, std::move(s.actions));
  }
};

TEST(ScriptedInput, ActionsArriveAsInputAtTheirFrames) {
  Fixture f;
  ScriptedInput input = f.Play(
      "2 move 10,20\n"
      "2 click -30,40\n"
      "3 click marker:1:2\n"
      "4 key enter\n"
      "4 text wé\n");
  EXPECT_TRUE(input.RunFrame(0));
  EXPECT_TRUE(input.RunFrame(1));
  EXPECT_TRUE(f.a.log.empty());
  EXPECT_TRUE(input.RunFrame(2));
  const std::vector<std::string> two{"10:0@10,20", "10:0@-30,40", "3:0@-30,40", "5:0@-30,40"};
  EXPECT_EQ(f.a.log, two);
  f.a.log.clear();
  EXPECT_TRUE(input.RunFrame(3));
  EXPECT_EQ(f.a.log, (std::vector<std::string>{"10:0@-100,50", "3:0@-100,50", "5:0@-100,50"}));
  f.a.log.clear();
  EXPECT_FALSE(input.Done());
  EXPECT_TRUE(input.RunFrame(4));
  // Enter types its character between press and release, as a keyboard does.
  EXPECT_EQ(f.a.log, (std::vector<std::string>{"1:10", "0:13", "2:10", "0:119", "0:233"}));
  EXPECT_TRUE(input.Done());
}

TEST(ScriptedInput, AControlIsClickedAtTheCentreOfTheTopmostVisibleOne) {
  Fixture f;
  f.a.controls.Add(Control(7, Rect{0, 0, 10, 10}));
  f.a.extra.Add(Control(7, Rect{100, 100, 120, 140}, false));  // hidden: not it
  auto dialog = std::make_unique<GUIDialog>(500, Rect{-50, -50, 50, 50}, "");
  dialog->Children().Add(Control(7, Rect{-20, -10, 0, 10}));
  dialog->Children().Add(Control(8, Rect{20, 20, 40, 40}, false));
  GUIDialog* shown = dialog.get();
  f.a.extra.Add(std::move(dialog));
  shown->SetShown(true);

  f.a.controls.Add(Control(9, Rect{0, 0, 4, 4}));
  ScriptedInput input = f.Play("1 click control:7\n2 click control:8\n");
  EXPECT_TRUE(input.RunFrame(1));
  EXPECT_EQ(f.a.log.front(), "10:0@-10,0") << "the dialog's child is on top";
  EXPECT_FALSE(VisibleControlCentre(f.host.ControlLists(f.a), 9)) << "the dialog covers it";
  // With the dialog closed its children are out of reach: the control below it is clicked.
  f.a.log.clear();
  shown->SetShown(false);
  EXPECT_EQ(VisibleControlCentre(f.host.ControlLists(f.a), 7)->x, 5.0f);
  EXPECT_EQ(VisibleControlCentre(f.host.ControlLists(f.a), 9)->y, 2.0f);
  // A control that is not shown cannot be clicked: the run fails naming the line.
  EXPECT_FALSE(input.RunFrame(2));
  EXPECT_EQ(input.Failure(), "script line 2: no visible control 8 on ModeA");
  EXPECT_TRUE(f.a.log.empty());
}

TEST(ScriptedInput, ExpectationsAndMissingTargetsFailTheRun) {
  Fixture f;
  ScriptedInput input = f.Play("1 expect mode:ModeA\n2 expect mode:ModeB\n3 move 1,1\n");
  EXPECT_TRUE(input.RunFrame(1));
  EXPECT_FALSE(input.RunFrame(2));
  EXPECT_EQ(input.Failure(), "script line 2: expected the screen ModeB, but it is ModeA");

  ScriptedInput marker = f.Play("1 click marker:1:3\n");
  EXPECT_FALSE(marker.RunFrame(1));
  EXPECT_EQ(marker.Failure(), "script line 1: the map shows no marker of level 1:3");

  f.host.levelShown = false;
  ScriptedInput bot = f.Play("1 bot\n");
  EXPECT_FALSE(bot.RunFrame(1));
  EXPECT_EQ(bot.Failure(), "script line 1: no level is being played for the bot");
}

TEST(ScriptedInput, PatienceWaitsForWhatAnActionNeedsAndRelativeFramesFollowIt) {
  Fixture f;
  ScriptedInput input = f.Play(
      "10~50 click control:5\n"
      "+3 move 1,2\n"
      "+0~2 expect mode:ModeB\n");
  EXPECT_TRUE(input.RunFrame(10));
  EXPECT_TRUE(input.RunFrame(59)) << "within its patience";
  f.a.controls.Add(Control(5, Rect{0, 0, 20, 20}));
  EXPECT_TRUE(input.RunFrame(60));
  EXPECT_EQ(f.a.log, (std::vector<std::string>{"10:0@10,10", "3:0@10,10", "5:0@10,10"}));
  f.a.log.clear();
  // The move follows three frames after the click was done, not after frame 10.
  EXPECT_TRUE(input.RunFrame(62));
  EXPECT_TRUE(f.a.log.empty());
  EXPECT_TRUE(input.RunFrame(63));
  EXPECT_EQ(f.a.log, std::vector<std::string>{"10:0@1,2"});
  // The expectation waits two more frames for its screen, then fails.
  EXPECT_TRUE(input.RunFrame(64));
  EXPECT_FALSE(input.RunFrame(65));
  EXPECT_EQ(input.Failure(), "script line 3: expected the screen ModeB, but it is ModeA");
  // A control that never comes fails once the patience is spent.
  ScriptedInput never = f.Play("0~3 click control:6\n");
  for (uint32_t frame = 0; frame < 3; ++frame) EXPECT_TRUE(never.RunFrame(frame));
  EXPECT_FALSE(never.RunFrame(3));
}

TEST(ScriptedInput, TheBotStopsWhenItsScreenGivesWay) {
  Fixture f;
  ScriptedInput input = f.Play("1 bot\n");
  EXPECT_TRUE(input.RunFrame(1));
  EXPECT_TRUE(f.host.bot);
  EXPECT_TRUE(input.RunFrame(2));
  EXPECT_TRUE(f.host.bot) << "still on its screen";
  f.app.current = &f.b;
  EXPECT_TRUE(input.RunFrame(3));
  EXPECT_FALSE(f.host.bot);
  EXPECT_TRUE(input.RunFrame(4));
  EXPECT_EQ(f.host.botCalls, 2) << "stopped once";
}

TEST(ScriptedInput, TheKeyboardPlayerPressesItsKeysInTurnWhileItsScreenStays) {
  Fixture f;
  ScriptedInput input = f.Play("1 keys tab  enter\n");
  for (uint32_t frame = 1; frame <= 3 * ScriptedInput::kKeysEvery; ++frame) {
    ASSERT_TRUE(input.RunFrame(frame));
  }
  // Frames 4, 8 and 12: Tab (which types its character), Enter, Tab again.
  EXPECT_EQ(f.a.log, (std::vector<std::string>{"1:14", "0:9", "2:14", "1:10", "0:13", "2:10",
                                               "1:14", "0:9", "2:14"}));
  EXPECT_TRUE(input.Done()) << "it plays beside the lines that follow";
  f.a.log.clear();
  f.app.current = &f.b;
  for (uint32_t frame = 13; frame <= 20; ++frame) ASSERT_TRUE(input.RunFrame(frame));
  EXPECT_TRUE(f.b.log.empty()) << "another screen: the player stopped";
  f.app.current = &f.a;
  for (uint32_t frame = 21; frame <= 28; ++frame) ASSERT_TRUE(input.RunFrame(frame));
  EXPECT_TRUE(f.a.log.empty()) << "and does not come back";
}

TEST(ScriptedInput, EnterAndBackspaceReachAnInputLineAsTypedKeysDo) {
  // A screen whose controls take the input, with a name field (id 25) in them.
  class FieldScreen : public Screen {
   public:
    int OnInput(InputEvent e) override {
      const int id = controls.OnInput(e);
      if (id != 0) answers.push_back(id);
      return id;
    }
    std::vector<int> answers;
  } field;
  Fixture f;
  auto line = std::make_unique<GUIInputLine>();
  line->id = 25;
  GUIInputLine* input = line.get();
  field.controls.Add(std::move(line));
  ScriptedInput run = f.Play("1 text abc\n2 key backspace\n3 key enter\n");
  f.app.current = &field;
  EXPECT_TRUE(run.RunFrame(1));
  EXPECT_EQ(input->text, u"abc");
  EXPECT_TRUE(run.RunFrame(2));
  EXPECT_EQ(input->text, u"ab");
  EXPECT_TRUE(field.answers.empty());
  EXPECT_TRUE(run.RunFrame(3));
  EXPECT_EQ(field.answers, std::vector<int>{25});
  field.controls.Clear();
}

TEST(ModeTrace, ALinePerSwitchWithTheCampaignPosition) {
  Fixture f;
  ModeTrace trace(f.host);
  f.app.current = &f.a;
  EXPECT_EQ(trace.Observe(f.app), "mode ModeA 1:1");
  EXPECT_EQ(trace.Observe(f.app), "");
  f.host.position = {2, 7};
  f.app.current = &f.b;
  EXPECT_EQ(trace.Observe(f.app), "mode ModeB 2:7");
  f.app.current = nullptr;
  EXPECT_EQ(trace.Observe(f.app), "mode none 2:7");
}

}  // namespace
