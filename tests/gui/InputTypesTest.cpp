// Buttons, check boxes, sliders, progress indicators, list boxes, input lines and the
// drawing switches: input, reports and drawing on the recording device.
#include <cmath>

#include "ControlTypesSupport.h"
#include "base/GameKeys.h"
#include "gui/GUIButton.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIInputLine.h"
#include "gui/GUIListbox.h"
#include "gui/GUIParticles.h"
#include "gui/GUIProgressBar.h"
#include "gui/GUIRotator.h"
#include "gui/GUIScissor.h"
#include "gui/GUISlider.h"

namespace {

using InputTypesTest = ControlTypesFixture;

// "btn" is 120 × 60: four frames of 60 × 30.
TEST_F(InputTypesTest, AButtonClicksOnlyWhenReleasedOverIt) {
  Load(
      "<button id='1' spr='btn' x='0' y='0'/><button id='2' spr='btn' x='100' y='0' "
      "flags='l'/><button id='3' spr='btn' x='200' y='0' flags='h'/>");
  auto* plain = At<GUIButton>(0);
  ASSERT_NE(plain, nullptr);
  ExpectRectNear(plain->rect, 0, 0, 60, 30);  // y0 at the bottom
  Press(10, 10);
  EXPECT_EQ(lastResult, 0);
  EXPECT_EQ(plain->StateFrame(), 2);
  Release(10, 10);
  EXPECT_EQ(lastResult, 1);
  Press(10, 10);
  Release(-50, 10);  // outside: no click
  EXPECT_EQ(lastResult, 0);
  EXPECT_FALSE(plain->pressed);

  Press(110, 10);
  Move(300, 300);  // leaving while pressed reports at once
  EXPECT_EQ(lastResult, 2);
  Release(300, 300);
  EXPECT_EQ(lastResult, 0);

  Press(210, 10);
  EXPECT_EQ(lastResult, 3);  // fires on press
  Release(210, 10);
}

TEST_F(InputTypesTest, AnInactiveButtonShowsItsDisabledFrameAndIgnoresInput) {
  Load("<button id='1' spr='btn' x='0' y='0'/>");
  auto* button = At<GUIButton>(0);
  button->active = false;
  EXPECT_EQ(button->StateFrame(), 3);
  EXPECT_FALSE(button->OnInput({InputType::LeftDown, 0}));
  EXPECT_FALSE(button->pressed);
  const auto quads = Drawn(button);
  ASSERT_EQ(quads.size(), 1u);
  const TexRect& t = button->texRect;
  EXPECT_NEAR(quads[0].tex.u0, (t.u0 + t.u1) / 2, 1e-5);  // bottom right
  EXPECT_NEAR(quads[0].tex.v0, (t.v0 + t.v1) / 2, 1e-5);
  EXPECT_NEAR(quads[0].rect.y0, 30, 1e-3);  // drawn upright: top edge first
}

TEST_F(InputTypesTest, TheGlowFadesInAtAThirdOfAUnitPerHalfMillisecond) {
  Load("<button id='1' spr='btn' x='0' y='0' ovr='sq' ovf='1'/>");
  auto* button = At<GUIButton>(0);
  button->SetHover(true);
  button->Update(150);
  EXPECT_FLOAT_EQ(button->glow, 100);
  button->Update(1000);
  EXPECT_FLOAT_EQ(button->glow, 255);
  // Normal frame, highlight on top with the glow as alpha, then the overlay centred.
  auto quads = Drawn(button);
  ASSERT_EQ(quads.size(), 3u);
  EXPECT_EQ(quads[1].colour >> 24, 255u);
  ExpectRectNear(quads[2].rect, 30 - 45, 15 + 45, 30 + 45, 15 - 45);
  // An inactive button's overlay is half as opaque; a label replaces the overlay.
  button->active = false;
  quads = Drawn(button);
  EXPECT_EQ(quads.back().colour >> 24, 127u);
  // A fading button scales its overlay's alpha by its own.
  button->active = true;
  button->SetAlpha(128);
  quads = Drawn(button);
  EXPECT_EQ(quads.back().colour >> 24, 128u);
  button->SetText(u"ab");
  quads = Drawn(button);
  for (const DrawnQuad& q : quads) EXPECT_LT(std::fabs(q.rect.x1 - q.rect.x0), 89.0f);
  button->SetHover(false);
  button->Update(1000);
  EXPECT_FLOAT_EQ(button->glow, 0);
}

TEST_F(InputTypesTest, LayoutFlagsAddTheWanderAndPulseChangers) {
  Load(
      "<button id='1' spr='btn' ovr='sq' x='0' y='0' flags='c' dlt='5' tim='0.5' ova='0.4'/>"
      "<pic spr='box' flags='c' ovt='0.2' ova='0.5'/>");
  auto* button = At<GUIButton>(0);
  ASSERT_EQ(button->Changers().size(), 2u);
  auto* pic = list.At(1);
  ASSERT_EQ(pic->Changers().size(), 1u);
  int lowest = 255;
  for (int i = 0; i < 200; ++i) {
    list.UpdateAll(20);
    // The button wanders at most 5 units from its place; its overlay pulses up to 0.4.
    EXPECT_LE(std::fabs(CentreX(button->rect) - 30), 5.01f);
    EXPECT_LE(std::fabs(CentreY(button->rect) - 15), 5.01f);
    EXPECT_LE(int(button->overlayColour >> 24), 103);
    if (i >= 20) lowest = std::min(lowest, pic->Alpha());
  }
  // After its first period (a fade in from 0) the picture flickers between full and half.
  EXPECT_LT(lowest, 255);
  EXPECT_GE(lowest, 127);
}

TEST_F(InputTypesTest, ButtonPlacementStepsBackOnRightAndTop) {
  Load(
      "<button id='1' spr='btn' x='10' y='20' bind='rt'/>"
      "<button id='2' spr='btn' frames='2' x='0' y='0'/>"
      "<button id='3' spr='btn' frames='3' flags='o' cx='0' cy='0'/>");
  // x = 512 - 10 - 60, y = 384 - 20 - 30.
  ExpectRectNear(list.At(0)->rect, 442, 334, 502, 364);
  ExpectRectNear(list.At(1)->rect, 0, 0, 60, 60);
  ExpectRectNear(list.At(2)->rect, -60, -10, 60, 10);
}

TEST_F(InputTypesTest, ACheckBoxTogglesOnReleaseAndShowsAHalf) {
  Load("<checkbox id='4' spr='box' x='0' y='0'/>");
  auto* box = At<GUICheckBox>(0);
  ASSERT_NE(box, nullptr);
  ExpectRectNear(box->rect, 0, 0, 50, 40);
  Press(10, 10);
  EXPECT_EQ(lastResult, 0);
  Release(10, 10);
  EXPECT_EQ(lastResult, 4);
  EXPECT_TRUE(box->checked);
  const auto quads = Drawn(box);
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_NEAR(quads[0].tex.u0, (box->texRect.u0 + box->texRect.u1) / 2, 1e-5);
}

TEST_F(InputTypesTest, ASliderReportsEveryStepAndStopsAtItsEnds) {
  Load(
      "<slider id='5' spr='sq' x='0' y='0' w='200' h='20'/><slider id='6' spr='sq' x='0' "
      "y='100' w='20' h='20'/>");
  auto* slider = At<GUISlider>(0);
  ASSERT_NE(slider, nullptr);
  Press(105, 10);  // (105 - 10) / (190 - 10) of the range
  EXPECT_EQ(lastResult, 5);
  EXPECT_NEAR(slider->Value(), 100.0f * 95 / 180, 1e-3);
  Move(500, 10);
  EXPECT_EQ(lastResult, 5);
  EXPECT_FLOAT_EQ(slider->Value(), 100);
  Move(-500, 10);
  EXPECT_FLOAT_EQ(slider->Value(), 0);
  Release(-500, 10);
  EXPECT_EQ(lastResult, 5);
  EXPECT_FALSE(slider->dragging);
  // As wide as it is high: no range to move in, the minimum.
  Press(10, 110);
  EXPECT_FLOAT_EQ(At<GUISlider>(1)->Value(), 0);
  Release(10, 110);
  slider->SetRange(3, 3);
  EXPECT_FLOAT_EQ(slider->Fraction(), 0);
  EXPECT_EQ(Drawn(slider).size(), 4u);  // caps, middle, thumb
}

TEST_F(InputTypesTest, ProgressBarsStartAdvanceSmoothAndSurviveATotalOfZero) {
  Load("<progress spr='box' x='0' y='0' smooth='10' fancy='10'/><progress spr='box' h='20'/>");
  auto* bar = At<GUIProgressBar>(0);
  ASSERT_NE(bar, nullptr);
  ExpectRectNear(bar->rect, 0, 0, 100, 40);
  ExpectRectNear(list.At(1)->rect, 0, 0, 100, -20);  // a given h is negated
  bar->Start(10, 1);
  bar->Advance(4);
  bar->Update(20);  // 2 units in 20 ms
  EXPECT_FLOAT_EQ(bar->Displayed(), 2);
  bar->Update(100);
  EXPECT_FLOAT_EQ(bar->Displayed(), 4);
  auto quads = Drawn(bar);
  ASSERT_EQ(quads.size(), 3u);  // empty, fill, end cap
  EXPECT_NEAR(quads[1].rect.x1, 90 * 0.4f, 1e-3);
  EXPECT_NEAR(quads[2].rect.x1 - quads[2].rect.x0, 10, 1e-3);
  bar->Advance(100);
  EXPECT_TRUE(bar->state.done);
  EXPECT_FLOAT_EQ(bar->state.value, 10);
  bar->Start(5, -1);
  EXPECT_FLOAT_EQ(bar->state.value, 5);
  bar->Advance(6);
  EXPECT_TRUE(bar->state.done);
  EXPECT_FLOAT_EQ(bar->state.value, 0);
  bar->Start(0, 1);
  bar->displayed = 3;
  quads = Drawn(bar);
  for (const DrawnQuad& q : quads) EXPECT_TRUE(std::isfinite(q.rect.x1) && std::isfinite(q.tex.u1));
}

TEST_F(InputTypesTest, TheRoundWipeAtHalfAndTheSteppedFrames) {
  Load("<round spr='sq' x='0' y='0'/><round spr='sq' flags='s' x='0' y='0'/>");
  auto* round = At<GUIRoundProgress>(0);
  ASSERT_NE(round, nullptr);
  ExpectRectNear(round->rect, 0, 0, 90, 90);
  Vertex v[10];
  uint16_t indices[24];
  int count = 0;
  ASSERT_TRUE(round->BuildWipe(0.5f, v, indices, count));
  ASSERT_EQ(count, 15);  // triangles 4..8
  EXPECT_EQ(indices[1], 4);
  EXPECT_EQ(indices[14], 9);
  EXPECT_NEAR(v[4].x, v[5].x, 1e-4);  // vertex 4 moved onto vertex 5
  EXPECT_NEAR(v[4].y, v[5].y, 1e-4);
  EXPECT_FALSE(round->BuildWipe(1.0f, v, indices, count));
  round->Start(8, 1);
  round->Advance(4);
  Drawn(round);
  EXPECT_EQ(device->Last(Op::DrawIndexed)->b, 15);

  auto* stepped = At<GUIRoundProgress>(1);
  ExpectRectNear(stepped->rect, 0, 0, 30, 30);
  stepped->Start(9, 1);
  stepped->Advance(9);
  EXPECT_EQ(stepped->StepFrame(), 8);  // full: the last frame, not a tenth
  stepped->Start(0, 1);
  EXPECT_EQ(stepped->StepFrame(), 0);
}

TEST_F(InputTypesTest, AListBoxSelectsTheRowUnderAPressAndNeverReports) {
  Load(
      "<listbox id='7' spr='sq' sel='box' x='0' y='0' w='200' h='-200' offset='10'/>"
      "<listbox id='8' spr='sq' x='300' y='0' w='100' h='-100' font_size='0'/>");
  auto* box = At<GUIListbox>(0);
  ASSERT_NE(box, nullptr);
  box->items = {u"ab", u"cd", u"ef"};
  // Rows 40 high from top = -10: row i spans top - (i + 0.5)·40 downwards.
  Press(50, -10 - 2.2f * 40);
  EXPECT_EQ(lastResult, 0);
  EXPECT_EQ(box->selected, 1);
  Press(50, -10 + 10);  // up to half a row above the first item selects it
  EXPECT_EQ(box->selected, 0);
  Press(50, -190);  // below the items: unchanged
  EXPECT_EQ(box->selected, 0);
  const auto quads = Drawn(box);
  EXPECT_GT(quads.size(), 10u);  // background, selection, text
  auto* empty = At<GUIListbox>(1);
  empty->items = {u"ab"};
  Press(310, -5);
  EXPECT_EQ(empty->RowAt(-5), -1);  // no row height: nothing is selected
  Drawn(empty);
}

TEST_F(InputTypesTest, AnInputLineTakesWhatTheFontDrawsUpToItsMaximum) {
  Load("<input id='9' spr='sq' x='0' y='0' w='200' h='-40' max='3'/>");
  auto* line = At<GUIInputLine>(0);
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(line->keyboard);
  const auto type = [&](int c) { return line->OnInput({InputType::Character, c}); };
  EXPECT_FALSE(type(8));  // backspace on an empty line
  type(' ');
  EXPECT_EQ(line->text, u"");
  for (int c : {'a', '#', 'b', 'c', 'd'}) type(c);  // '#' has no glyph
  EXPECT_EQ(line->text, u"abc");
  type(127);
  EXPECT_EQ(line->text, u"ab");
  EXPECT_TRUE(type(13));
  line->Update(1);
  EXPECT_TRUE(line->caretVisible);
  line->Update(501);
  EXPECT_FALSE(line->caretVisible);
}

// Every high surrogate followed by a low one, and no low one on its own.
bool ValidUtf16(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
    const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
    if (low) return false;
    if (high && !(i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF))
      return false;
    if (high) ++i;
  }
  return true;
}

TEST_F(InputTypesTest, AnInputLineTakesAndErasesWholeCharacters) {
  Load("<input id='9' spr='sq' x='0' y='0' w='2000' h='-40' max='20'/>");
  auto* line = At<GUIInputLine>(0);
  ASSERT_NE(line, nullptr);
  context.fonts = nullptr;  // every character drawable: only the count limits
  const auto type = [&](std::u16string_view units) {
    for (char16_t c : units) line->OnInput({InputType::Character, int(c)});
  };
  const std::u16string emoji = u"\U0001F600";
  type(std::u16string(19, u'a'));
  type(emoji);  // the twentieth character: both halves
  EXPECT_EQ(line->CharacterCount(), 20);
  EXPECT_EQ(line->text, std::u16string(19, u'a') + emoji);
  type(emoji);  // the twenty-first: refused whole
  type(u"b");
  EXPECT_EQ(line->text, std::u16string(19, u'a') + emoji);
  type(u"\b");  // backspace takes the pair
  EXPECT_EQ(line->text, std::u16string(19, u'a'));
  // A half without its other half is dropped; a character after a lone high half stands.
  type(std::u16string{char16_t(0xDE00), char16_t(0xD83D), u'c'});
  EXPECT_EQ(line->text, std::u16string(19, u'a') + u"c");
  line->SetText(u"x" + emoji);
  line->OnInput({InputType::Character, 127});
  EXPECT_EQ(line->text, u"x");
  EXPECT_TRUE(ValidUtf16(line->text));
}

TEST_F(InputTypesTest, AnInputLineRefusesWhatItsFontCannotDrawOrFit) {
  // Font 3 draws "?" for what it lacks, and a wide "W" (40 units at size 20).
  std::vector<texttest::GlyphSpec> glyphs =
      texttest::GlyphsFor(u"abcdefghijklmnopqrstuvwxyz _?^\\");
  glyphs.push_back({'W', 40, 20, 40});
  folder.Write("content/font3.fnt", texttest::FontXml(glyphs, "font3_0.png"));
  resources.pages.insert("font3_0");
  files.Mount((folder.path() / "content").string());
  fonts->Load();
  ASSERT_EQ(fonts->FontCount(), 3u);
  Load("<input id='9' spr='sq' font='2' font_size='20' x='-150' y='0' w='300' h='-40'/>");
  auto* line = At<GUIInputLine>(0);
  ASSERT_NE(line, nullptr);
  const auto type = [&](std::u16string_view units) {
    for (char16_t c : units) line->OnInput({InputType::Character, int(c)});
  };
  type(u"a#\u0416\U0001F600b");  // none of these has a glyph of its own
  EXPECT_EQ(line->text, u"ab");
  // The sprite's corners take 30 on each side: 240 for the text, its caret after it.
  line->SetText(u"");
  type(std::u16string(20, u'W'));
  EXPECT_EQ(line->text, std::u16string(5, u'W'));
  EXPECT_LE(line->ShownWidth(line->text), line->AvailableWidth());
  // Markup characters are shown as typed: "^s" is two glyphs, not larger text.
  line->SetText(u"^s\\a");
  line->caretVisible = false;
  const auto quads = Drawn(line);
  ASSERT_GE(quads.size(), 4u);
  const std::vector<DrawnQuad> glyphQuads(quads.end() - 4, quads.end());
  for (const DrawnQuad& q : glyphQuads) EXPECT_NEAR(q.rect.y0 - q.rect.y1, 20.0f, 1e-3);
  EXPECT_NEAR(glyphQuads[3].rect.x1 - glyphQuads[0].rect.x0, 40.0f, 1e-3);
}

TEST_F(InputTypesTest, AFourFrameOverlayIsAGridOnAButtonOfStackedFrames) {
  // "sq" is 90 × 90 at (100, 0) of the 256 × 128 atlas.
  Load(
      "<button id='1' spr='btn' frames='4' flags='o' ovr='sq' ovf='4' ovw='40' ovh='40' "
      "x='0' y='0'/>");
  auto* b = At<GUIButton>(0);
  ASSERT_NE(b, nullptr);
  b->active = false;  // the disabled frame: bottom right
  const auto quads = Drawn(b);
  ASSERT_EQ(quads.size(), 2u);
  const DrawnQuad& overlay = quads[1];
  EXPECT_NEAR(std::fabs(overlay.rect.x1 - overlay.rect.x0), 20.0f, 1e-3);
  EXPECT_NEAR(std::fabs(overlay.rect.y1 - overlay.rect.y0), 20.0f, 1e-3);
  EXPECT_NEAR(overlay.tex.u0, 145.0f / 256, 1e-4);
  EXPECT_NEAR(overlay.tex.u1, 190.0f / 256, 1e-4);
  EXPECT_NEAR(overlay.tex.v0, 45.0f / 128, 1e-4);
  EXPECT_NEAR(overlay.tex.v1, 90.0f / 128, 1e-4);
}

TEST_F(InputTypesTest, TheScissorAndTheRotatorSetTheDeviceState) {
  Load(
      "<scissor on='1' x='-100' y='50' w='200' h='100'/><scissor/>"
      "<rotator id='20' x='10' y='20' w='30' h='40' angle='90'/>"
      "<rotator id='21' parent='21'/><rotator id='22' parent='23'/><rotator id='23' "
      "parent='22'/>");
  int x, y, w, h;
  At<GUIScissor>(0)->ScissorBox(x, y, w, h);
  EXPECT_EQ(x, 412);
  EXPECT_EQ(y, 234);
  EXPECT_EQ(w, 200);
  EXPECT_EQ(h, 100);
  Drawn();
  EXPECT_EQ(device->Count(Op::Scissor), 1);
  const auto switches = device->CallsOf(Op::Switch);
  ASSERT_GE(switches.size(), 2u);
  // The rotator: v = (0, 0) lands at (10, 20) + (30, 40) turned clockwise by 90°.
  const Matrix m = At<GUIRotator>(2)->Transform();
  EXPECT_NEAR(m.m[3][0], 10 + 40, 1e-3);
  EXPECT_NEAR(m.m[3][1], 20 - 30, 1e-3);
  // Parents naming themselves or each other end the chain.
  At<GUIRotator>(3)->Transform();
  At<GUIRotator>(4)->Transform();
  Drawn();
}

TEST_F(InputTypesTest, AParticleHolderWithAnUnknownEffectHoldsNone) {
  Load("<particles particles='no_such_effect' x='5' y='6'/>");
  auto* holder = At<GUIParticles>(0);
  ASSERT_NE(holder, nullptr);
  ExpectRectNear(holder->rect, 5, 6, 6, 7);
  EXPECT_EQ(holder->Effect(), nullptr);
  holder->Update(16);
  holder->Restart();
  EXPECT_TRUE(Drawn(holder).empty());
}

}  // namespace

TEST_F(InputTypesTest, KeysMarkTheClickableControlsInTurnAndClickTheMarkedOne) {
  Load(
      "<pic spr='box' x='0' y='200'/>"  // no id: never marked
      "<button id='7' spr='btn' x='0' y='0'/>"
      "<checkbox id='8' spr='box' x='100' y='0'/>"
      "<button id='9' spr='btn' x='200' y='0'/>"
      "<slider id='10' spr='sq' x='0' y='100' w='200' h='20'/>"
      "<pic spr='box' for='7' x='300' y='200'/>");
  auto key = [&](int k) { Input(InputType::KeyDown, 0, 0, k); };
  list.At(3)->active = false;  // button 9: skipped
  std::vector<int> marked;
  for (int i = 0; i < 5; ++i) {
    key(kGameKeyTab);
    marked.push_back(list.KeyFocus() ? list.KeyFocus()->id + list.KeyFocus()->clickFor * 100 : -1);
  }
  EXPECT_EQ(marked, (std::vector<int>{7, 8, 10, 700, 7})) << "in layout order, round";
  key(kGameKeyUp);
  EXPECT_EQ(list.KeyFocus(), list.At(5)) << "backwards, round";
  // Enter clicks what is marked: the picture stands for button 7.
  key(kGameKeyEnter);
  EXPECT_EQ(lastResult, 7);
  key(kGameKeyUp);
  key(kGameKeyUp);  // past the slider; button 9 is inactive
  ASSERT_EQ(list.KeyFocus(), list.At(2));
  key(kGameKeySpace);
  EXPECT_EQ(lastResult, 8);
  EXPECT_TRUE(At<GUICheckBox>(2)->checked);
  // A marked slider steps by a twentieth of its range with Left and Right.
  key(kGameKeyDown);
  auto* slider = At<GUISlider>(4);
  const float before = slider->Value();
  key(kGameKeyRight);
  EXPECT_EQ(lastResult, 10);
  EXPECT_FLOAT_EQ(slider->Value(), std::min(100.0f, before + 5));
  for (int i = 0; i < 30; ++i) key(kGameKeyLeft);
  EXPECT_FLOAT_EQ(slider->Value(), 0);
  EXPECT_EQ(list.KeyFocus(), slider);

  // The mark is drawn as three rings of four quads around the marked control, not before.
  Press(-900, -900);  // a press puts the mark away
  Release(-900, -900);
  EXPECT_EQ(list.KeyFocus(), nullptr);
  const size_t plain = Drawn().size();
  key(kGameKeyTab);
  EXPECT_GE(Drawn().size(), plain + 12);
  key(kGameKeyEnter);
  EXPECT_EQ(lastResult, 7);

  // Lists that leave the keys to their screen, or that show a dialog, do not mark.
  list.navigable = false;
  Press(-900, -900);
  key(kGameKeyTab);
  EXPECT_EQ(list.KeyFocus(), nullptr);
  key(kGameKeyEnter);
  EXPECT_EQ(lastResult, 0);
}
