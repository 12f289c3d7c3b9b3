// Layouts with hostile values for every control type, drawn and updated on the recording
// device: nothing hangs, divides by zero or reads out of range, and what cannot be drawn
// draws nothing or its stretched form.
#include <cmath>
#include <functional>
#include <random>

#include "ControlTypesSupport.h"
#include "gui/GUIAniPic.h"
#include "gui/GUIText.h"

namespace {

using HostileLayoutTest = ControlTypesFixture;

const char* const kElements[] = {
    "<pic spr='box' angle='A' scale='A' tca='A' tcx='A' tcy='A' flags='c' ovt='A' ova='A'/>",
    "<anipic spr='sq' frames_x='A' frames_y='A' frame_time='A' frame_last='A' speed='A' "
    "repeat='A'/>",
    "<tilepic spr='sq' tile='3' tw='A' th='A' w='A' h='A' scale='A'/>",
    "<tilexpic spr='flat' tile='4' tw='A' w='A' h='A'/>",
    "<tileypic spr='sq' tile='4' th='A' w='A' h='A'/>",
    "<text text='k' font='A' font_size='A' align='A' wrap='1' w='A' h='A' flags='c' ova='A'/>",
    "<hint spr='sq' text='k' tile='A' time='A' font_size='A' w='A' h='A'/>",
    "<button id='1' spr='btn' text='k' frames='A' ovr='sq' ovf='A' ovb='A' ovw='A' ovh='A' "
    "font_size='A' flags='c' tim='A' dlt='A'/>",
    "<button id='2' spr='btn' frames='A' ovr='sq' ovf='A' ovb='A' ovc='A'/>",
    "<checkbox id='3' spr='flat' w='A' h='A'/>",
    "<slider id='4' spr='sq' w='A' h='A' flags='v'/>",
    "<slider id='5' spr='sq' w='20' h='A'/>",
    "<progress spr='box' smooth='A' fancy='A' w='A' h='A'/>",
    "<round spr='sq' flags='s' w='A' h='A'/>",
    "<round spr='flat' w='A' h='A'/>",
    "<listbox id='6' spr='sq' sel='flat' offset='A' font_size='A' w='A' h='A'/>",
    "<input id='7' spr='sq' max='A' font='A' font_size='A' w='A' h='A'/>",
    "<scissor on='1' w='A' h='A' x='A' y='A'/>",
    "<rotator id='8' parent='A' angle='A' angle_change='A' w='A' h='A'/>",
    "<particles particles='A' flags='A'/>",
};

const char* const kValues[] = {"0",   "-1",         "1",    "1e30",   "-1e30",   "nan",
                               "inf", "3",          "4",    "100000", "",        "-0",
                               "8",   "2147483647", "9999", "s",      "ffffffff"};

std::string Mutated(std::string element, std::mt19937& random) {
  std::uniform_int_distribution<size_t> pick(0, std::size(kValues) - 1);
  for (size_t at = element.find("'A'"); at != std::string::npos; at = element.find("'A'"))
    element.replace(at, 3, std::string("'") + kValues[pick(random)] + "'");
  return element;
}

// Every step a control takes: input as a player gives it, updates, drawing.
void Exercise(ControlList& list, std::function<void(InputType, float, float)> input,
              Renderer& renderer) {
  for (int frame = 0; frame < 20; ++frame) {
    input(InputType::PointerMove, float(frame * 7 % 40), float(frame * 3 % 30));
    if (frame % 5 == 0) input(InputType::LeftDown, 5, 5);
    if (frame % 5 == 2) input(InputType::LeftUp, 5, 5);
    for (int c : {8, int('a'), 127, 13, int(' ')}) list.OnInput({InputType::Character, c});
    list.UpdateAll(frame % 3 == 0 ? 0.0f : 37.0f);
    list.DrawAll();
    renderer.Flush();
  }
}

TEST_F(HostileLayoutTest, MutatedLayoutsOfEveryTypeDrawAndRunQuietly) {
  strings.Set(u"k", u"ab cd\\ef");
  std::mt19937 random(19);
  const auto input = [this](InputType type, float x, float y) { Input(type, x, y); };
  for (int round = 0; round < 200; ++round) {
    std::string layout;
    for (const char* element : kElements) layout += Mutated(element, random);
    Load(layout);
    SCOPED_TRACE(layout);
    EXPECT_GT(list.Size(), 10u);
    Exercise(list, input, *renderer);
    // Whatever was drawn is finite.
    for (const DrawnQuad& q : Drawn())
      EXPECT_TRUE(std::isfinite(q.tex.u0) && std::isfinite(q.tex.v1)) << "texture";
  }
}

TEST_F(HostileLayoutTest, AHugeTextBreaksIntoLinesWithoutHanging) {
  std::u16string huge(100000, u'a');
  for (size_t i = 7; i < huge.size(); i += 11) huge[i] = u' ';
  huge[500] = u'\\';
  strings.Set(u"huge", huge);
  std::u16string ideographic(100000, u'\u6C34');
  strings.Set(u"ideo", ideographic);
  Load(
      "<text text='huge' w='300' h='40' wrap='1' font_size='20'/>"
      "<text text='huge' w='300' h='40' font_size='20'/>"
      "<text text='ideo' w='300' h='40' wrap='1' font_size='20'/>"
      "<button id='1' spr='btn' text='huge' wrap='1' w='100'/>");
  auto* wrapped = At<GUIText>(0);
  ASSERT_NE(wrapped, nullptr);
  // The first 4096 code units are laid out: about a line per 300 units of width.
  EXPECT_GT(wrapped->Lines().size(), 100u);
  EXPECT_LT(wrapped->Lines().size(), 1000u);
  EXPECT_EQ(At<GUIText>(1)->Lines().size(), 2u);  // only the backslash breaks
  EXPECT_FALSE(At<GUIText>(2)->Lines().empty());
  list.UpdateAll(16);
  list.DrawAll();
  renderer->Flush();
}

TEST_F(HostileLayoutTest, TheLoadingScreenIsMadeOfItsRealTypes) {
  const char* source = std::getenv("KALODRUS_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  files.Mount(std::string(source) + "/content-src/game/content");
  strings.Set(u"loading", u"loading");
  list.LoadLayout("splash_gui", true);
  ASSERT_EQ(list.Size(), 3u);
  // The runner the splash screen moves is an animation of eight frames side by side.
  auto* runner = dynamic_cast<GUIAniPic*>(list.Find(10));
  ASSERT_NE(runner, nullptr);
  EXPECT_EQ(runner->framesX, 8);
  EXPECT_EQ(runner->frameTime, 70);
  auto* loading = dynamic_cast<GUIText*>(list.At(2));
  ASSERT_NE(loading, nullptr);
  EXPECT_EQ(loading->align, 2);
  EXPECT_EQ(loading->Lines().size(), 1u);
  EXPECT_EQ(loading->colour, 0xFFFFF6D8u);
  list.UpdateAll(100);
  EXPECT_FALSE(Drawn().empty());
}

}  // namespace
