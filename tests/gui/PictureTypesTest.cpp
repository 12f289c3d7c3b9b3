// Pictures, nine- and three-slice pictures and texts as they draw on the recording device.
#include <cmath>

#include "ControlTypesSupport.h"
#include "gui/GUIAniPic.h"
#include "gui/GUIPic.h"
#include "gui/GUIText.h"
#include "gui/GUITilePic.h"

namespace {

using PictureTypesTest = ControlTypesFixture;

TEST_F(PictureTypesTest, APictureTurnsClockwiseAboutItsCentreAndScalesWithoutMirroring) {
  Load(
      "<pic spr='box' x='0' y='0' angle='450' add='1'/>"
      "<pic spr='box' x='0' y='0' scale='2' inv='h'/>");
  auto* turned = At<GUIPic>(0);
  ASSERT_NE(turned, nullptr);
  ExpectRectNear(turned->rect, 0, 0, 100, -40);
  Drawn(turned);
  // 450 degrees is 90: the world transform turns (x, y) about (50, -20) to the right.
  const auto transforms = device->CallsOf(Op::Transform);
  ASSERT_EQ(transforms.size(), 2u);
  const Matrix& m = transforms[0].matrix;
  const float x = 50 + 10, y = -20;  // a point right of the centre ends below it
  EXPECT_NEAR(x * m.m[0][0] + y * m.m[1][0] + m.m[3][0], 50, 1e-3);
  EXPECT_NEAR(x * m.m[0][1] + y * m.m[1][1] + m.m[3][1], -30, 1e-3);
  EXPECT_FLOAT_EQ(transforms[1].matrix.m[0][0], 1.0f);  // reset afterwards
  EXPECT_EQ(device->Count(Op::Blend), 2);               // additive, then back

  auto* scaled = At<GUIPic>(1);
  const auto quads = Drawn(scaled);
  ASSERT_EQ(quads.size(), 1u);
  // Mirrored rect (-200..-300) drawn twice the size about its centre, first corner top-left.
  ExpectRectNear(quads[0].rect, -350, 20, -150, -60);
}

TEST_F(PictureTypesTest, ScrolledPicturesWrapAndAnUnknownSpriteDrawsNothing) {
  Load("<pic spr='box' tca='0.01' tcx='1'/><pic spr='nothing' w='10' h='10' id='3'/>");
  auto* scrolled = At<GUIPic>(0);
  EXPECT_TRUE(scrolled->tiling);
  Drawn(scrolled);
  EXPECT_GE(device->Count(Op::AddressU), 2);  // on for the picture, off again
  auto* missing = list.Find(3);
  EXPECT_TRUE(Drawn(missing).empty());
  EXPECT_TRUE(missing->HitTest(5, 5));  // still takes its place
}

TEST_F(PictureTypesTest, AWidePictureFillsTheScreenInTheControlsColour) {
  Load("<pic spr='box' color='80FFFFFF' angle='30' scale='2'/>");
  auto* pic = At<GUIPic>(0);
  Texture wide;
  wide.flags = kTexturePackedWide;
  Sprite sprite;
  sprite.texture = &wide;
  pic->sprite = &sprite;
  const auto quads = Drawn(pic);
  // The 4:3 screen: one quad over the whole screen, neither turned nor scaled.
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_EQ(quads[0].colour, 0x80FFFFFFu);
  EXPECT_EQ(device->Count(Op::Transform), 0);
}

TEST_F(PictureTypesTest, AnimatedFramesRunDownEachColumnWithPausesBothWays) {
  Load("<anipic spr='sq' frames_x='4' frames_y='2' frame_time='10' repeat='25'/>");
  auto* ani = At<GUIAniPic>(0);
  ASSERT_NE(ani, nullptr);
  ExpectRectNear(ani->rect, 0, 0, 22.5f, -45);
  const TexRect all = ani->texRect;
  const TexRect five = ani->FrameRect(5);
  EXPECT_NEAR(five.u0, all.u0 + (all.u1 - all.u0) * 0.5f, 1e-5);  // column 2 of 4
  EXPECT_NEAR(five.v0, all.v0 + (all.v1 - all.v0) * 0.5f, 1e-5);  // row 1 of 2
  for (int i = 0; i < 7; ++i) ani->Update(11);
  EXPECT_EQ(ani->Frame(), 7);
  ani->Update(11);  // wraps, the pause starts and nothing is drawn
  EXPECT_EQ(ani->Frame(), 0);
  EXPECT_TRUE(Drawn(ani).empty());
  ani->Update(30);
  EXPECT_EQ(Drawn(ani).size(), 1u);
  ani->Reset();
  ani->speed = -1;
  ani->Update(11);
  EXPECT_EQ(ani->Frame(), 7);  // below 0 wraps to the last frame
}

// A 90 × 90 nine-slice drawn over 100 × 70 with pieces of 30 (tw, th 90).
TEST_F(PictureTypesTest, NineSlicePieceCountsAndTheShortenedPiecesTextureCut) {
  Load(
      "<tilepic spr='sq' w='100' h='-70' tile='0'/><tilepic spr='sq' w='100' h='-70' tile='1'/>"
      "<tilepic spr='sq' w='100' h='-70' tile='3'/>");
  EXPECT_EQ(Drawn(list.At(0)).size(), 9u);
  const auto runs = Drawn(list.At(1));
  // Corners 4, top and bottom ceil(100/30)-2 = 2 each, sides ceil(70/30)-2 = 1 each, centre 1.
  ASSERT_EQ(runs.size(), 4u + 4 + 2 + 1);
  // Every corner is 30 × 30 however the picture is stretched.
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(std::fabs(runs[i].rect.x1 - runs[i].rect.x0), 30, 1e-3);
    EXPECT_NEAR(std::fabs(runs[i].rect.y1 - runs[i].rect.y0), 30, 1e-3);
  }
  // The second top piece is 10 long (30..40 between the corners at 30 and 70): a third of a
  // piece, and so a third of the edge's texture.
  const DrawnQuad& last = runs[6];
  EXPECT_NEAR(last.rect.x0, 60, 1e-3);
  EXPECT_NEAR(last.rect.x1, 70, 1e-3);
  const TexRect& t = At<GUITilePic>(1)->texRect;
  const float third = (t.u1 - t.u0) / 3;
  EXPECT_NEAR(last.tex.u1 - last.tex.u0, third / 3, 1e-5);
  // Mode 3 repeats the centre too: 2 × 1 pieces.
  EXPECT_EQ(Drawn(list.At(2)).size(), 4u + 4 + 2 + 2);
}

TEST_F(PictureTypesTest, ThreeSlicesAndWholeCopies) {
  Load(
      "<tilexpic spr='sq' w='200' h='-30'/><tilexpic spr='sq' w='200' h='-30' tile='4'/>"
      "<tileypic spr='sq' w='30' h='-200' tile='3'/>");
  const auto caps = Drawn(list.At(0));
  ASSERT_EQ(caps.size(), 3u);
  EXPECT_NEAR(caps[0].rect.x1 - caps[0].rect.x0, 30, 1e-3);
  // Mode 4: ceil(200 / 90) = 3 copies of the whole sprite from x0, the last reaching beyond.
  const auto copies = Drawn(list.At(1));
  ASSERT_EQ(copies.size(), 3u);
  EXPECT_NEAR(copies[2].rect.x0, 180, 1e-3);
  EXPECT_NEAR(copies[2].rect.x1, 270, 1e-3);
  // Vertical mode 3: caps and ceil(140 / 30) = 5 middle pieces.
  EXPECT_EQ(Drawn(list.At(2)).size(), 2u + 5);
}

TEST_F(PictureTypesTest, DegenerateTilesDrawTheStretchedForm) {
  Load(
      "<tilepic spr='sq' w='100' h='-70' tile='3' tw='0' th='0'/>"
      "<tilexpic spr='flat' w='200' h='-30' tile='4'/>"
      "<tilepic spr='sq' w='1e9' h='-70' tile='3'/>"
      "<tileypic spr='sq' w='30' h='-1e9' tile='3'/>");
  EXPECT_EQ(Drawn(list.At(0)).size(), 9u);
  EXPECT_LE(Drawn(list.At(1)).size(), 3u);
  EXPECT_EQ(Drawn(list.At(2)).size(), 9u);
  EXPECT_EQ(Drawn(list.At(3)).size(), 3u);
}

TEST_F(PictureTypesTest, TextLinesStartAboveTheCentreAndAlign) {
  strings.Set(u"two", u"ab\\cd");
  strings.Set(u"wrapped", u"abcd efgh");
  Load(
      "<text text='two' w='200' h='40' x='0' y='0' font_size='20' align='0'/>"
      "<text text='wrapped' w='60' h='40' x='0' y='0' font_size='20' wrap='1' align='2'/>"
      "<text text='two' w='200' h='40' x='0' y='0' font_size='20'/>");
  auto* two = At<GUIText>(0);
  ASSERT_NE(two, nullptr);
  ASSERT_EQ(two->Lines().size(), 2u);
  EXPECT_EQ(two->Lines()[1], u"cd");
  EXPECT_EQ(two->colour, GUIText::kDefaultColour);
  auto* wrapped = At<GUIText>(1);
  ASSERT_EQ(wrapped->Lines().size(), 2u);
  EXPECT_EQ(wrapped->Lines()[0].substr(0, 4), u"abcd");
  // Three lines at size 20 start at centre + 20·(0.3 + 0.7).
  EXPECT_FLOAT_EQ(GUIText::FirstLineY(10, 3, 20), 30);
  EXPECT_FLOAT_EQ(GUIText::FirstLineY(10, 1, 20), 10);

  // Glyphs are 10 wide at size 20: left, right and centred starts.
  const auto left = Drawn(two);
  ASSERT_FALSE(left.empty());
  EXPECT_NEAR(left[0].rect.x0, 0, 1e-3);
  const auto right = Drawn(wrapped);
  ASSERT_FALSE(right.empty());
  EXPECT_NEAR(right[0].rect.x0, 60 - 40, 1e-3);
  const auto centred = Drawn(list.At(2));
  ASSERT_FALSE(centred.empty());
  EXPECT_NEAR(centred[0].rect.x0, 90, 1e-3);
}

TEST_F(PictureTypesTest, TextFlagsTakeANamedValueOrAppendTheVersion) {
  values->Set("gold_goal", 250);
  values->Set("ratio", 1.5f);
  strings.Set(u"name", u"abc");
  Load(
      "<text text='gold_goal' flags='l' w='100' h='20'/><text text='ratio' flags='l' w='100'/>"
      "<text text='name' flags='v' w='100'/><text text='missing' w='100'/>"
      "<text text='name' flags='c' ova='0.5' w='100'/>");
  EXPECT_EQ(At<GUIText>(0)->Text(), u"250");
  EXPECT_EQ(At<GUIText>(1)->Text(), u"1.5");
  EXPECT_EQ(At<GUIText>(2)->Text().substr(0, 4), u"abc ");
  EXPECT_GT(At<GUIText>(2)->Text().size(), 4u);
  EXPECT_TRUE(At<GUIText>(3)->Lines().empty());
  EXPECT_TRUE(Drawn(list.At(3)).empty());
  // The pulse: cosine from full alpha down by the amplitude.
  auto* pulsing = At<GUIText>(4);
  EXPECT_TRUE(pulsing->HasChangers());
  EXPECT_EQ(pulsing->Alpha(), 255);
  pulsing->Update(1000.0f * 3.14159265f / 1.5f);  // half a period: the lowest point
  EXPECT_NEAR(pulsing->Alpha(), 127, 1);
}

TEST_F(PictureTypesTest, AHintFadesInAndOutAndStaysOnTheScreen) {
  Load("<hint spr='sq' tile='1' w='100' h='40' font_size='20'/>");
  auto* hint = At<GUIHint>(0);
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(Drawn(hint).empty());  // hidden until shown
  hint->SetAlpha(0);
  hint->Show(480, 370, 100, 40, u"abc", 1000, 10);
  // Kept inside: x1 ≤ 512 - 10, y1 ≤ 384 - 10.
  ExpectRectNear(hint->rect, 402, 334, 502, 374);
  ExpectRectNear(hint->Background().rect, 402, 334, 502, 374);
  hint->Update(100);
  EXPECT_EQ(hint->Alpha(), 100);
  EXPECT_EQ(hint->Background().Alpha(), 100);
  hint->Update(700);
  hint->Update(100);  // 200 ms left: the fade-out follows the time left
  EXPECT_EQ(hint->Alpha(), 200);
  hint->Update(200);
  EXPECT_EQ(hint->timeLeft, 0.0f);
  EXPECT_TRUE(Drawn(hint).empty());
  hint->Show(0, 0, 10, 10, u"ab\\cd", 0, -1);  // grows by the text: 20 wide, 2 × 20 high
  ExpectRectNear(hint->rect, 0, 0, 30, 50);
  EXPECT_EQ(hint->Alpha(), 255);
  // The corners meet (30 + 30 ≥ 30 wide): four corners and the centre, then four glyphs.
  EXPECT_EQ(Drawn(hint).size(), 5u + 4);
}

}  // namespace
