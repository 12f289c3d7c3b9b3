// What every screen inherits from the base Mode: its controls are updated by the frame time,
// drawn, given the input (the command id comes back), reset on entering, found by id and
// deleted on release; and the info message with the reference the mode keeps to it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Application.h"
#include "graphics/RecordingDevice.h"
#include "gui/ControlFactory.h"
#include "gui/ControlTypes.h"
#include "gui/GUIChanger.h"
#include "gui/GUIText.h"
#include "support/PointerPlatform.h"

namespace {

class Platform : public PointerPlatform {
 public:
  std::unique_ptr<RenderDevice> CreateRenderDevice() override {
    auto d = std::make_unique<RecordingDevice>();
    device = d.get();
    return d;
  }

  RecordingDevice* device = nullptr;
};

using Log = std::vector<std::string>;

class Recorder : public GUIControl {
 public:
  Recorder(std::string name, Log& log, int controlId, Rect r) : name_(std::move(name)), log_(log) {
    id = controlId;
    rect = r;
  }
  ~Recorder() override { log_.push_back(name_ + ".Deleted"); }
  void Draw() override {
    log_.push_back(name_ + ".Draw");
    if (shader && Gui().renderer) Gui().renderer->SetShader(shader);
  }
  void Update(float dt) override {
    log_.push_back(name_ + ".Update:" + std::to_string(int(dt)));
    GUIControl::Update(dt);
  }
  void Reset() override { log_.push_back(name_ + ".Reset"); }
  bool OnInput(InputEvent e) override {
    log_.push_back(name_ + ".Input:" + std::to_string(int(e.type)));
    return e.type == InputType::LeftUp;
  }
  void SetText(std::u16string_view t) override { text = t; }

  std::u16string text;

 private:
  std::string name_;
  Log& log_;
};

// A screen that hands the command ids of its controls to OnCommand, as the game's screens do.
class Screen : public Mode {
 public:
  int OnInput(InputEvent e) override {
    const int id = Mode::OnInput(e);
    if (id != 0) commands.push_back(OnCommand(id));
    return id;
  }
  std::vector<int> commands;
};

class ModeControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.Init());
    app.SetMode(&screen, false);
    app.ResetTimer();
  }
  void TearDown() override {
    // The game's own types again, text maker included.
    RegisterControlTypes(ControlFactory::Game());
    app.Shutdown();
  }
  void Run(int frames) {
    for (int i = 0; i < frames; ++i) {
      platform.now += 16;
      app.Frame();
    }
  }
  void Settle() {
    for (int i = 0; i < 100 && app.fadeState != Fade::None; ++i) Run(1);
  }
  Recorder* Add(const std::string& name, int id, Rect r) {
    return static_cast<Recorder*>(screen.AddControl(std::make_unique<Recorder>(name, log, id, r)));
  }
  void Click(float x, float y) {
    platform.pointerX = x;
    platform.pointerY = y;
    for (InputType t : {InputType::PointerMove, InputType::LeftDown, InputType::LeftUp})
      app.OnInput({t, 0});
  }

  Platform platform;
  Application app{platform};
  Screen screen;
  Log log;
};

TEST_F(ModeControlsTest, UpdateDrawAndInputGoThroughTheControls) {
  const Shader own{"own", 7};
  Add("a", 5, {-50, -50, 50, 50})->shader = &own;
  Recorder* hidden = Add("hidden", 6, {-50, -50, 50, 50});
  hidden->visible = false;
  Settle();
  log.clear();
  Run(1);
  EXPECT_EQ(log, (Log{"a.Update:16", "hidden.Update:16", "a.Draw"}));
  // The controls drew with their shader, and the frame went on with none.
  std::vector<int> shaders;
  for (const auto& call : platform.device->calls) {
    if (call.op == RecordingDevice::Op::SetShader) shaders.push_back(call.a);
  }
  ASSERT_GE(shaders.size(), 2u);
  EXPECT_EQ(shaders[shaders.size() - 2], 7);
  EXPECT_EQ(shaders.back(), 0);

  log.clear();
  Click(10, 10);
  EXPECT_EQ(log, (Log{"a.Input:10", "a.Input:3", "a.Input:5"}));
  EXPECT_EQ(screen.commands, std::vector<int>{5});
  EXPECT_EQ(screen.controls.Pointer(), (GuiPoint{10, 10}));
  Click(300, 0);
  EXPECT_EQ(screen.commands.size(), 1u);
  EXPECT_EQ(screen.FindControl(6), hidden);
  EXPECT_EQ(screen.FindControl(7), nullptr);
}

TEST_F(ModeControlsTest, EnterResetsTheControlsAndReleaseDeletesThem) {
  Add("a", 5, {-50, -50, 50, 50});
  Settle();
  platform.pointerX = 0;
  app.OnInput({InputType::PointerMove, 0});
  app.OnInput({InputType::LeftDown, 0});
  ASSERT_NE(screen.controls.Captured(), nullptr);
  log.clear();
  screen.Enter();
  EXPECT_EQ(log, Log{"a.Reset"});
  EXPECT_EQ(screen.controls.Captured(), nullptr);
  EXPECT_EQ(screen.controls.Hovered(), nullptr);
  EXPECT_EQ(screen.controls.Focus(), nullptr);
  log.clear();
  screen.Release();
  EXPECT_EQ(log, Log{"a.Deleted"});
  EXPECT_TRUE(screen.controls.Empty());
}

TEST_F(ModeControlsTest, TheGamesInfoMessageIsATextThatGrowsAndHides) {
  Settle();
  screen.ShowInfoMessage(u"Cheats on");
  auto* info = dynamic_cast<GUIText*>(screen.infoText);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Text(), u"Cheats on");
  ASSERT_EQ(info->Lines().size(), 1u);
  EXPECT_FLOAT_EQ(info->fontSize, 20);
  Run(80);
  EXPECT_FLOAT_EQ(info->fontSize, 28);
  EXPECT_FALSE(info->visible);
  screen.controls.DeleteAll();
  EXPECT_EQ(screen.infoText, nullptr);
}

TEST_F(ModeControlsTest, TheInfoMessageGrowsDisappearsAndIsDroppedWithItsControl) {
  // Without a text type there is no message control.
  ControlFactory::Game().SetTextMaker({});
  screen.ShowInfoMessage(u"nothing");
  EXPECT_EQ(screen.infoText, nullptr);

  std::vector<Rect> made;
  ControlFactory::Game().SetTextMaker([&](const Rect& r, int font, float size) {
    made.push_back(r);
    auto c = std::make_unique<Recorder>("info", log, 0, Rect{});
    c->SetBounds(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    c->fontId = font;
    c->fontSize = size;
    return c;
  });
  app.values()->Set("fs_common_info", 22);
  app.values()->Set("ft_common_info", 3);
  Settle();
  screen.ShowInfoMessage(u"Cheats on");
  auto* info = static_cast<Recorder*>(screen.infoText);
  ASSERT_NE(info, nullptr);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_FLOAT_EQ(made[0].x0, -512);
  EXPECT_FLOAT_EQ(made[0].y0, -270);
  EXPECT_FLOAT_EQ(made[0].x1, 512);
  EXPECT_FLOAT_EQ(made[0].y1, -250);
  EXPECT_EQ(info->fontId, 3);
  EXPECT_EQ(info->text, u"Cheats on");
  EXPECT_TRUE(info->visible);
  EXPECT_FLOAT_EQ(info->fontSize, 22);
  Run(38);  // 608 ms: halfway through the growth
  EXPECT_NEAR(info->fontSize, 22 * 1.2f, 0.2f);
  EXPECT_TRUE(info->visible);
  Run(40);  // 1248 ms: grown; the visibility toggled in the update after
  EXPECT_FLOAT_EQ(info->fontSize, 22 * 1.4f);
  EXPECT_FALSE(info->visible);
  EXPECT_FALSE(info->HasChangers());

  // Shown again: the same control, restarted.
  screen.ShowInfoMessage(u"Cheats off");
  EXPECT_EQ(screen.infoText, info);
  EXPECT_EQ(made.size(), 1u);
  EXPECT_TRUE(info->visible);
  EXPECT_FLOAT_EQ(info->fontSize, 22);

  // Every way of deleting it drops the mode's reference, and a new message makes a new one.
  screen.controls.LoadLayout("no such layout", true);
  EXPECT_EQ(screen.infoText, nullptr);
  screen.ShowInfoMessage(u"again");
  ASSERT_NE(screen.infoText, nullptr);
  screen.controls.Remove(screen.infoText);
  EXPECT_EQ(screen.infoText, nullptr);
  for (char16_t ch : std::u16string(u"cheats")) app.OnInput({InputType::Character, ch});
  ASSERT_NE(screen.infoText, nullptr);
  EXPECT_EQ(made.size(), 3u);
  screen.controls.DeleteAll();
  EXPECT_EQ(screen.infoText, nullptr);
  for (char16_t ch : std::u16string(u"cheats")) app.OnInput({InputType::Character, ch});
  EXPECT_EQ(made.size(), 4u);
  Run(100);
}

}  // namespace
