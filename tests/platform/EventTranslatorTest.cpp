#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/GameKeys.h"
#include "platform/EventTranslator.h"

using platform::EventTranslator;

namespace {

using Event = std::pair<int, int>;

// Records what the window procedure does to the Application and the window.
class FakeHost : public platform::WindowHost {
 public:
  void OnInput(InputEvent e) override { events.emplace_back(int(e.type), e.value); }
  bool IsAppActive() override { return active; }
  void SetAppActive(bool a) override {
    calls.push_back(a ? "activate" : "deactivate");
    active = a;
  }
  void Quit() override { quit = true; }
  bool IsSplashCurrent() override { return splash; }
  bool IsFullscreen() override { return fullscreen; }
  bool IsWindowVisible() override { return visible; }
  bool IsWindowMinimised() override { return minimised; }
  void MinimiseWindow() override { calls.push_back("minimise"); }
  void RaiseWindow() override { calls.push_back("raise"); }
  void ClientSize(float& w, float& h) override { w = 1000, h = 500; }
  void MoveSystemCursor(float x, float y) override {
    calls.push_back("cursor " + std::to_string(int(x)) + "," + std::to_string(int(y)));
  }
  void WindowSpoiled() override { calls.push_back("spoiled"); }

  std::vector<Event> events;
  std::vector<std::string> calls;
  bool active = true, quit = false, splash = false, fullscreen = false, visible = true,
       minimised = false;
};

SDL_Event Button(Uint32 type, Uint8 button, int x, int y, Uint8 clicks = 1) {
  SDL_Event e{};
  e.type = type;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  e.button.clicks = clicks;
  return e;
}

SDL_Event Key(Uint32 type, SDL_Scancode sc, Uint16 mod = 0) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.scancode = sc;
  e.key.keysym.mod = mod;
  return e;
}

SDL_Event Window(Uint8 what) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = what;
  return e;
}

class EventTranslatorTest : public ::testing::Test {
 protected:
  FakeHost host;
  EventTranslator translator{host};
};

}  // namespace

TEST_F(EventTranslatorTest, PressAndReleaseArePrecededByMoves) {
  translator.Handle(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20));
  translator.Handle(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 12, 22));
  EXPECT_EQ(host.events, (std::vector<Event>{{10, 0}, {3, 0}, {10, 0}, {5, 0}}));
  EXPECT_FLOAT_EQ(translator.pointer().x, 12);
  EXPECT_FALSE(translator.pointer().buttonHeld);
}

TEST_F(EventTranslatorTest, ReleaseWithoutPressSendsThePressFirst) {
  translator.Handle(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 5, 6));
  EXPECT_EQ(host.events, (std::vector<Event>{{10, 0}, {3, 0}, {10, 0}, {5, 0}}));
}

TEST_F(EventTranslatorTest, LeavingWithTheButtonHeldReleasesWithoutAMove) {
  translator.Handle(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1));
  host.events.clear();
  translator.Handle(Window(SDL_WINDOWEVENT_LEAVE));
  EXPECT_EQ(host.events, (std::vector<Event>{{5, 0}}));
  translator.Handle(Window(SDL_WINDOWEVENT_LEAVE));  // nothing held any more
  EXPECT_EQ(host.events.size(), 1u);
}

TEST_F(EventTranslatorTest, DoubleClickRightMiddleAndWheel) {
  translator.Handle(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1, 2));
  translator.Handle(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 1));
  translator.Handle(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, 1));
  translator.Handle(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 1));
  translator.Handle(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1, 1));
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = -2;
  wheel.wheel.mouseX = 40;
  wheel.wheel.mouseY = 50;
  translator.Handle(wheel);
  EXPECT_EQ(host.events, (std::vector<Event>{{10, 0},
                                             {4, 0},
                                             {10, 0},
                                             {6, 0},
                                             {10, 0},
                                             {7, 0},
                                             {10, 0},
                                             {8, 0},
                                             {10, 0},
                                             {9, 0},
                                             {10, 0},
                                             {11, -240}}));
  EXPECT_FLOAT_EQ(translator.pointer().y, 50);
}

TEST_F(EventTranslatorTest, TouchContactsActAsTheLeftButton) {
  SDL_Event f{};
  f.type = SDL_FINGERDOWN;
  f.tfinger.x = 0.5f;
  f.tfinger.y = 0.5f;
  translator.Handle(f);
  f.type = SDL_FINGERMOTION;
  f.tfinger.x = 0.25f;
  translator.Handle(f);
  f.type = SDL_FINGERUP;
  translator.Handle(f);
  EXPECT_EQ(host.events, (std::vector<Event>{{10, 0}, {3, 0}, {10, 0}, {10, 0}, {5, 0}}));
  EXPECT_FLOAT_EQ(translator.pointer().x, 250);
  EXPECT_EQ(host.calls.front(), "cursor 500,250");
  // Mouse events SDL makes up from touches are not counted twice.
  SDL_Event synthetic = Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1);
  synthetic.button.which = SDL_TOUCH_MOUSEID;
  translator.Handle(synthetic);
  EXPECT_EQ(host.events.size(), 5u);
}

TEST_F(EventTranslatorTest, KeysCharactersAndSystemKeys) {
  translator.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_A));
  translator.Handle(Key(SDL_KEYUP, SDL_SCANCODE_A));
  translator.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_F13));
  EXPECT_EQ(host.events, (std::vector<Event>{{1, 44}, {2, 44}, {1, -1}}));
  host.events.clear();

  // Alt held: presses still arrive, releases (and Alt's own release) do not.
  translator.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_LALT, KMOD_LALT));
  translator.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT));
  translator.Handle(Key(SDL_KEYUP, SDL_SCANCODE_RETURN, KMOD_LALT));
  translator.Handle(Key(SDL_KEYUP, SDL_SCANCODE_LALT));
  EXPECT_EQ(host.events, (std::vector<Event>{{1, 18}, {1, 10}}));
  EXPECT_FALSE(host.quit);

  translator.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_F4, KMOD_LALT));
  EXPECT_TRUE(host.quit);
  EXPECT_EQ(host.events.back(), (Event{1, 25}));
}

TEST_F(EventTranslatorTest, TextArrivesAsUtf16UnitsAndControlKeysTypeTheirCharacter) {
  SDL_Event t{};
  t.type = SDL_TEXTINPUT;
  std::snprintf(t.text.text, sizeof t.text.text, "%s", "\xC3\xA4\xF0\x9F\x98\x80");
  translator.Handle(t);
  translator.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE));
  EXPECT_EQ(host.events, (std::vector<Event>{{0, 0xE4}, {0, 0xD83D}, {0, 0xDE00}, {1, 4}, {0, 8}}));
}

TEST_F(EventTranslatorTest, ActivationRules) {
  // Losing the focus on the splash screen changes nothing.
  host.splash = true;
  host.fullscreen = true;
  translator.Handle(Window(SDL_WINDOWEVENT_FOCUS_LOST));
  EXPECT_TRUE(host.calls.empty());

  // Elsewhere a fullscreen window minimises and the game goes inactive.
  host.splash = false;
  translator.Handle(Window(SDL_WINDOWEVENT_FOCUS_LOST));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"minimise", "deactivate"}));

  // Regaining the focus while minimised waits until the window is restored.
  host.calls.clear();
  host.minimised = true;
  translator.Handle(Window(SDL_WINDOWEVENT_FOCUS_GAINED));
  EXPECT_TRUE(host.calls.empty());
  host.minimised = false;
  translator.Handle(Window(SDL_WINDOWEVENT_FOCUS_GAINED));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"activate", "raise"}));
  translator.Handle(Window(SDL_WINDOWEVENT_FOCUS_GAINED));  // already active
  EXPECT_EQ(host.calls.size(), 2u);

  // A hidden window ignores focus loss; closing asks the game to quit.
  host.calls.clear();
  host.visible = false;
  translator.Handle(Window(SDL_WINDOWEVENT_FOCUS_LOST));
  EXPECT_TRUE(host.calls.empty());
  translator.Handle(Window(SDL_WINDOWEVENT_CLOSE));
  EXPECT_TRUE(host.quit);
}

TEST_F(EventTranslatorTest, AWindowUncoveredResizedOrRestoredIsDrawnAfresh) {
  for (Uint8 what : {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_SHOWN, SDL_WINDOWEVENT_RESTORED,
                     SDL_WINDOWEVENT_SIZE_CHANGED}) {
    translator.Handle(Window(what));
  }
  translator.Handle(Window(SDL_WINDOWEVENT_MOVED));
  EXPECT_EQ(host.calls, std::vector<std::string>(4, "spoiled"));
}

namespace {

SDL_Event Axis(Uint8 axis, Sint16 value) {
  SDL_Event e{};
  e.type = SDL_CONTROLLERAXISMOTION;
  e.caxis.axis = axis;
  e.caxis.value = value;
  return e;
}

SDL_Event Pad(Uint32 type, Uint8 button) {
  SDL_Event e{};
  e.type = type;
  e.cbutton.button = button;
  return e;
}

}  // namespace

TEST_F(EventTranslatorTest, AControllerStickMovesThePointerAndItsButtonsClickAndPress) {
  translator.Warp(0, 250);
  host.events.clear();
  // In the dead zone nothing moves.
  translator.Handle(Axis(SDL_CONTROLLER_AXIS_LEFTX, 5000));
  translator.StepController(16);
  EXPECT_TRUE(host.events.empty());
  // Full tilt right: slow at first, faster the longer it is held, never out of the window.
  translator.Handle(Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767));
  translator.StepController(100);
  const float first = translator.pointer().x;
  EXPECT_NEAR(first, platform::ControllerPointer::kSlowSpeed * 500 * 0.1f, 8.0f);
  for (int i = 0; i < 8; ++i) translator.StepController(100);
  float before = translator.pointer().x;
  translator.Handle(Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767));
  translator.StepController(100);
  EXPECT_GT(translator.pointer().x - before, 2.2f * first) << "accelerated";
  for (int i = 0; i < 50; ++i) translator.StepController(100);
  EXPECT_FLOAT_EQ(translator.pointer().x, 999);
  EXPECT_EQ(host.calls.back(), "cursor 999,250") << "the system cursor goes along";
  // A half tilt up-left moves a quarter as fast as a full one would (fine aim).
  translator.Handle(Axis(SDL_CONTROLLER_AXIS_LEFTX, 0));
  translator.StepController(16);
  translator.Handle(Axis(SDL_CONTROLLER_AXIS_LEFTY, -(8000 + 12384)));
  before = translator.pointer().y;
  translator.StepController(100);
  EXPECT_NEAR(before - translator.pointer().y, first / 4, 2.0f);
  translator.Handle(Axis(SDL_CONTROLLER_AXIS_LEFTY, 0));

  // A clicks where the pointer stands; B is Escape, a shoulder Tab, Start the pause key.
  host.events.clear();
  translator.Handle(Pad(SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLER_BUTTON_A));
  translator.Handle(Pad(SDL_CONTROLLERBUTTONUP, SDL_CONTROLLER_BUTTON_A));
  translator.Handle(Pad(SDL_CONTROLLERBUTTONUP, SDL_CONTROLLER_BUTTON_A));  // nothing held
  EXPECT_EQ(host.events, (std::vector<Event>{{10, 0}, {3, 0}, {10, 0}, {5, 0}}));
  host.events.clear();
  translator.Handle(Pad(SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLER_BUTTON_B));
  translator.Handle(Pad(SDL_CONTROLLERBUTTONUP, SDL_CONTROLLER_BUTTON_B));
  translator.Handle(Pad(SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER));
  translator.Handle(Pad(SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLER_BUTTON_START));
  translator.Handle(Pad(SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLER_BUTTON_X));  // not used
  EXPECT_EQ(host.events,
            (std::vector<Event>{{1, kGameKeyEscape}, {0, 27}, {2, kGameKeyEscape},
                                {1, kGameKeyTab}, {0, 9}, {1, kGameKeyPause}}));
  // A device that cannot be opened is left alone; a removal lets go of the stick.
  translator.Handle(Axis(SDL_CONTROLLER_AXIS_LEFTX, -32767));
  SDL_Event added{};
  added.type = SDL_CONTROLLERDEVICEADDED;
  added.cdevice.which = 99;
  translator.Handle(added);
  added.type = SDL_CONTROLLERDEVICEREMOVED;
  host.events.clear();
  translator.StepController(100);
  EXPECT_FALSE(host.events.empty()) << "the stick still counts";
  translator.Handle(added);
  host.events.clear();
  translator.StepController(100);
  EXPECT_TRUE(host.events.empty());
}
