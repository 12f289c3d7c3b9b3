// Layouts: the factory table, creation letters, the value rules, the positioning rule and
// snapping, LoadLayout with and without clear, the walk over a layout's children that screens
// and dialogs share, and malformed layouts.
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>

#include "GuiTestSupport.h"
#include "base/ContentLog.h"
#include "gui/GUIDialog.h"

namespace {

void ExpectRect(const Rect& r, float x0, float y0, float x1, float y1) {
  EXPECT_NEAR(r.x0, x0, 1e-3) << "x0";
  EXPECT_NEAR(r.y0, y0, 1e-3) << "y0";
  EXPECT_NEAR(r.x1, x1, 1e-3) << "x1";
  EXPECT_NEAR(r.y1, y1, 1e-3) << "y1";
}

PlacementInput At(float x, float y, std::string bind = "") {
  PlacementInput in;
  in.x = x;
  in.y = y;
  in.bind = std::move(bind);
  in.maxY = 360;
  return in;
}

const SpriteSize kBox{100, 40};

TEST(Placement, TheTwoExamplesAndTheCentre) {
  ExpectRect(PlaceRect(At(10, 20, "lt"), kBox, 640), -630, 340, -530, 300);
  ExpectRect(PlaceRect(At(10, 20, "rb"), kBox, 640), 530, -300, 630, -340);
  // No letter: relative to the screen centre.
  ExpectRect(PlaceRect(At(10, 20), kBox, 640), 10, 20, 110, -20);
  // The centre instead of the corner.
  PlacementInput centred = At(0, 0);
  centred.cx = 50;
  centred.cy = -10;
  ExpectRect(PlaceRect(centred, kBox, 640), 0, 10, 100, -30);
  // A given size wins over the sprite's; without a sprite the size is only w and h.
  PlacementInput sized = At(0, 0);
  sized.w = 30;
  sized.h = 12;
  ExpectRect(PlaceRect(sized, kBox, 640), 0, 0, 30, 12);
  ExpectRect(PlaceRect(At(5, 5), std::nullopt, 640), 5, 5, 5, 5);
}

TEST(Placement, AnchoringInsideADialogRectangle) {
  PlacementInput in = At(10, 20, "lt");
  in.parent = Rect{-200, -100, 200, 100};  // a dialog: y0 is its bottom
  ExpectRect(PlaceRect(in, kBox, 640), -190, 80, -90, 40);
  in.bind = "rb";
  ExpectRect(PlaceRect(in, kBox, 640), 90, -40, 190, -80);
  in.bind = "";
  ExpectRect(PlaceRect(in, kBox, 640), 10, 20, 110, -20);
  in.parent = Rect{0, 0, 400, 200};
  ExpectRect(PlaceRect(in, kBox, 640), 210, 120, 310, 80);
  // A type that ignores the parent anchors to the screen.
  PlacementRules noParent;
  noParent.useParent = false;
  in.bind = "lt";
  ExpectRect(PlaceRect(in, kBox, 640, noParent), -630, 340, -530, 300);
}

TEST(Placement, MirroringAndTheFarEdgeUseTheScaleButTheRectDoesNot) {
  PlacementInput in = At(10, 20);
  in.scale = 2;
  in.inv = "h";
  // w = -100, x = 10 + 2·(-100).
  ExpectRect(PlaceRect(in, kBox, 640), -190, 20, -290, -20);
  in.inv = "v";
  // h = 40, y = 20 - 2·40.
  ExpectRect(PlaceRect(in, kBox, 640), 10, -60, 110, -20);
  in.inv = "";
  in.bind = "r";
  ExpectRect(PlaceRect(in, kBox, 640), 430, 20, 530, -20);
  PlacementRules noFarEdge;
  noFarEdge.farEdgeRight = false;
  noFarEdge.farEdgeBottom = false;
  ExpectRect(PlaceRect(in, kBox, 640, noFarEdge), 630, 20, 730, -20);
  // Mirrored against the right edge the picture covers the same place.
  in.scale = 1;
  in.inv = "h";
  ExpectRect(PlaceRect(in, kBox, 640), 630, 20, 530, -20);
  PlacementRules noMirror;
  noMirror.mirror = false;
  noMirror.centre = false;
  in.cx = 0;
  ExpectRect(PlaceRect(in, kBox, 640, noMirror), 530, 20, 630, -20);
}

TEST(CreationLetters, PerAspectMode) {
  for (int m = 0; m < kAspectModeCount; ++m) {
    const AspectMode mode = AspectMode(m);
    EXPECT_TRUE(CreatedInAspect("", mode));
    EXPECT_TRUE(CreatedInAspect("csvhl", mode));
    EXPECT_FALSE(CreatedInAspect("t", mode));
    EXPECT_FALSE(CreatedInAspect("z", mode));
    EXPECT_EQ(CreatedInAspect("w", mode), m != 0);
    EXPECT_EQ(CreatedInAspect("n", mode), m == 0);
    EXPECT_FALSE(CreatedInAspect("wn", mode));
    EXPECT_FALSE(CreatedInAspect("wt", mode));
  }
}

TEST(ControlFactoryTable, OnlyTheFormatsElementNamesRegister) {
  ControlFactory factory;
  const LayoutReader reader = [](const LayoutElement&) { return std::make_unique<GUIControl>(); };
  for (std::string_view name : ControlFactory::kElementNames) {
    EXPECT_TRUE(factory.Register(name, reader)) << name;
    EXPECT_TRUE(factory.Has(name));
    EXPECT_TRUE(ControlFactory::KindOfElement(name).has_value());
  }
  EXPECT_FALSE(factory.Register("Pic", reader));
  EXPECT_FALSE(factory.Register("picture", reader));
  EXPECT_FALSE(factory.Register("dialog", reader));
  EXPECT_FALSE(factory.Has("Pic"));
  EXPECT_EQ(ControlFactory::KindOfElement("anipic"), ControlKind::Picture);
  EXPECT_EQ(ControlFactory::KindOfElement("rotator"), ControlKind::DrawingSwitch);
  EXPECT_EQ(ControlFactory::KindOfElement("tileypic"), ControlKind::TiledPicture);
  EXPECT_FALSE(ControlFactory::KindOfElement("controls").has_value());
}

using LayoutTest = GuiFixture;

TEST_F(LayoutTest, ValueRules) {
  XmlDocument doc;
  ASSERT_TRUE(
      doc.Parse("<e c1='FF00zz11' c2='00112233445566778899' c3='' n='nan' big='1e30' inf='1e999'"
                " list='3,,5' i='99999999999' b='2' bz='0' letters='rtb'/>"));
  const LayoutElement e(doc.FirstChild(XmlElement(), "e"), nullptr, context);
  EXPECT_EQ(e.Colour("c1", 1), 0xFF00u);
  EXPECT_EQ(e.Colour("c2", 1), 0x66778899u);
  EXPECT_EQ(e.Colour("c3", 1), 0u);
  EXPECT_EQ(e.Colour("none", 0xFFFFFFFF), 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(e.Float("n", 7), 7);
  EXPECT_FLOAT_EQ(e.Float("inf", 7), 7);
  EXPECT_FLOAT_EQ(e.Float("big", 7), 1e30f);
  EXPECT_FALSE(e.OptionalFloat("n").has_value());
  float values4[4] = {9, 9, 9, 9};
  e.Floats("list", values4);
  EXPECT_EQ(std::vector<float>(values4, values4 + 4), (std::vector<float>{3, 0, 5, 0}));
  EXPECT_EQ(e.Int("i", 0), 2147483647);
  EXPECT_TRUE(e.Bool("b", false));
  EXPECT_FALSE(e.Bool("bz", true));
  EXPECT_TRUE(e.HasLetter("letters", 'b'));
  EXPECT_FALSE(e.HasLetter("letters", 'l'));
  EXPECT_FALSE(e.HasLetter("none", 'l'));
}

TEST_F(LayoutTest, AScreenLayoutInEveryAspectMode) {
  WriteBoxSprite();
  WriteLayout("screen",
              "<controls>"
              "<pic name='a' id='1' spr='box' x='10' y='20' bind='lt' color='80FF0000'/>"
              "<pic name='b' id='2' spr='box' x='10' y='20' bind='rb' flags='w'/>"
              "<pic name='c' id='3' spr='box' x='-10.7' y='20.4' w='50' flags='n'/>"
              "<button name='d' id='4' spr='nosuchsprite' x='1' y='2' w='3' h='4' tag='9'/>"
              "<pic name='e' id='5' flags='t'/>"
              "</controls>");
  MountContent();
  struct Expected {
    AspectMode mode;
    std::vector<std::string> names;
    float a_x0, a_y0, b_x0, b_y0;
  };
  for (const Expected& x :
       {Expected{AspectMode::Screen4x3, {"a", "c", "d"}, -502, 364, 0, 0},
        Expected{AspectMode::Screen16x9, {"a", "b", "d"}, -630, 340, 530, -300},
        Expected{AspectMode::Screen16x10, {"a", "b", "d"}, -630, 364, 530, -324}}) {
    renderer->SetAspectMode(x.mode);
    list.LoadLayout("screen", true);
    std::vector<std::string> names;
    for (size_t i = 0; i < list.Size(); ++i)
      names.push_back(static_cast<ProbeControl*>(list.At(i))->Name());
    EXPECT_EQ(names, x.names);
    const GUIControl* a = list.Find(1);
    ASSERT_NE(a, nullptr);
    ExpectRect(a->rect, x.a_x0, x.a_y0, x.a_x0 + 100, x.a_y0 - 40);
    EXPECT_EQ(a->colour, 0x80FF0000u);
    EXPECT_EQ(a->owner, &list);
    ASSERT_NE(a->sprite, nullptr);
    EXPECT_FLOAT_EQ(a->texRect.u1, a->sprite->rect.u1);
    if (const GUIControl* b = list.Find(2))
      ExpectRect(b->rect, x.b_x0, x.b_y0, x.b_x0 + 100, x.b_y0 - 40);
    if (const GUIControl* c = list.Find(3)) {
      // Snapped towards zero when added: both corners move by (0.7, -0.4).
      ExpectRect(c->rect, -10, 20, 40, -20);
      ExpectRect(c->baseRect, -10, 20, 40, -20);
    }
    // A missing sprite: no sprite, the size from w and h only.
    const GUIControl* d = list.Find(4);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->sprite, nullptr);
    EXPECT_EQ(d->kind, ControlKind::Button);
    EXPECT_EQ(d->tag, 9);
    EXPECT_EQ(d->colour, kWhite);
    ExpectRect(d->rect, 1, 2, 4, 6);
  }
}

TEST_F(LayoutTest, DialogChildrenAreCreatedAgainstTheirAnchor) {
  WriteBoxSprite();
  WriteLayout("dlg",
              "<controls><pic id='1' spr='box' x='10' y='20' bind='lt'/>"
              "<pic id='2' spr='box' x='10' y='20' bind='rb'/></controls>");
  MountContent();
  GUIControl anchor;
  anchor.rect = {-200, -100, 200, 100};
  XmlDocument doc(files);
  ASSERT_TRUE(doc.Load("dlg"));
  XmlElement e = doc.FirstChild(XmlElement(), "controls").FirstChild();
  const auto first = GUIControl::Create(e, &anchor);
  const auto second = GUIControl::Create(e.NextSibling(), &anchor);
  ASSERT_TRUE(first && second);
  ExpectRect(first->rect, -190, 80, -90, 40);
  ExpectRect(second->rect, 90, -40, 190, -80);
  // Without a parent the same elements anchor to the screen (mode 0: 512 × 384).
  ExpectRect(GUIControl::Create(e, nullptr)->rect, -502, 364, -402, 324);
}

TEST_F(LayoutTest, LoadingWithAndWithoutClear) {
  WriteLayout("one", "<controls><pic name='a' id='1'/><pic name='b' id='2'/></controls>");
  WriteLayout("two",
              "<?xml version='1.0'?><!-- comment --><controls>"
              "<Pic name='wrongcase' id='3'/><image name='unknown' id='4'/>"
              "<text name='unregistered' id='5'/>"
              "<pic name='c' id='6'><pic name='nested' id='7'/></pic></controls>");
  WriteLayout("nocontrols", "<dialog><pic id='1'/></dialog>");
  WriteLayout("broken", "<controls><pic id='1'></controls>");
  MountContent();
  list.LoadLayout("one", true);
  ASSERT_EQ(list.Size(), 2u);
  Move(0, 0);
  ASSERT_NE(list.Hovered(), nullptr);
  list.LoadLayout("two", false);
  ASSERT_EQ(list.Size(), 3u);
  EXPECT_EQ(list.At(2)->id, 6);
  EXPECT_EQ(list.Find(7), nullptr);
  EXPECT_NE(list.Hovered(), nullptr);  // kept: nothing was deleted
  list.LoadLayout("two", true);
  EXPECT_EQ(list.Size(), 1u);
  EXPECT_EQ(list.Hovered(), nullptr);
  EXPECT_EQ(Count("a.Deleted") + Count("b.Deleted"), 2);

  // Files that make nothing, quietly, and say why in the content log.
  std::vector<std::string> lines;
  content_log::Enable(true);
  content_log::SetSinkForTests([&](const std::string& line) { lines.push_back(line); });
  for (const char* name : {"nocontrols", "broken", "missing", "one.txt", ""}) {
    list.LoadLayout(name, true);
    EXPECT_TRUE(list.Empty()) << name;
  }
  list.LoadLayout("two", false);
  content_log::SetSinkForTests({});
  content_log::Enable(false);
  const auto logged = [&](const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
  };
  EXPECT_TRUE(logged("layout \"nocontrols\": no controls element"));
  EXPECT_TRUE(logged("broken.xml"));
  EXPECT_TRUE(logged("missing layout \"missing\""));
  EXPECT_TRUE(logged("unknown element <Pic>"));
}

TEST_F(LayoutTest, ScreensAndDialogsWalkTheirLayoutsAlike) {
  WriteLayout("walk",
              "<controls><pic id='1'/><Pic id='2'/><button id='3'><pic id='4'/></button>"
              "<image id='5'/><pic id='6'/></controls>");
  WriteLayout("walk_none", "<dialog w='80' h='60'><pic id='1'/></dialog>");
  WriteLayout("walk_frame", "<controls><pic id='-1'/><frame id='-2'/></controls>");
  WriteLayout("walk_dlg",
              "<dialog base='walk_frame' w='200' h='100'/>"
              "<controls><pic id='0'/><Pic id='2'/><pic id='6'/></controls>");
  MountContent();
  std::vector<std::string> lines;
  content_log::Enable(true);
  content_log::SetSinkForTests([&](const std::string& line) { lines.push_back(line); });

  // Control types only, in document order; nested elements belong to their control.
  XmlDocument walk(files), none(files);
  ASSERT_TRUE(walk.Load("walk.xml"));
  ASSERT_TRUE(none.Load("walk_none.xml"));
  std::vector<int> ids;
  const auto collect = [&](const XmlElement& e) { ids.push_back(e.Int("id", 0)); };
  EXPECT_TRUE(ForEachLayoutControl(walk, "walk", collect));
  EXPECT_EQ(ids, (std::vector<int>{1, 3, 6}));
  ids.clear();
  EXPECT_FALSE(ForEachLayoutControl(none, "walk_none", collect));
  EXPECT_TRUE(ids.empty());

  // A screen's list and a dialog make the same controls of the same children.
  list.LoadLayout("walk", true);
  ASSERT_EQ(list.Size(), 3u);
  EXPECT_EQ(list.At(1)->id, 3);
  GUIDialog dialog(9, Rect{0, 0, 10, 10}, "walk_dlg");
  const ControlList& children = dialog.Children();
  ASSERT_EQ(children.Size(), 4u);  // the backdrop, the frame's picture, the anchor, id 6
  EXPECT_EQ(children.At(1)->id, -1);
  EXPECT_EQ(dialog.Anchor(), children.At(2));
  EXPECT_EQ(children.At(3)->id, 6);
  GUIDialog bare(10, Rect{0, 0, 10, 10}, "walk_none");
  EXPECT_EQ(bare.Anchor(), nullptr);
  content_log::SetSinkForTests({});
  content_log::Enable(false);

  // What is skipped is reported under the layout's name (a frame layout under its file).
  for (const char* expected : {"unreadable layout \"walk\": unknown element <Pic>",
                               "unreadable layout \"walk_none\": no controls element",
                               "unreadable layout \"walk_frame.xml\": unknown element <frame>",
                               "unreadable layout \"walk_dlg\": unknown element <Pic>"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
  }
}

TEST_F(LayoutTest, MalformedLayoutsLoadQuietly) {
  std::string deep = "<controls>";
  for (int i = 0; i < 2000; ++i) deep += "<pic id='1'>";
  WriteLayout("deep", deep);
  WriteLayout("absurd",
              "<controls><pic id='1' x='1e30' y='nan' w='inf' h='-1e30' cx='1e38' scale='nan'"
              " color='FFFFFFFFFFFFFFFFFFFF' bind='lrtb' inv='hv' maxy='-inf'/>"
              "<pic id='2' x='99999999999999999999' flags=''/></controls>");
  const std::string valid =
      "<controls><pic id='1' spr='box' x='10' y='20' bind='lt' flags='w'/>"
      "<button id='2' x='-5' y='7' w='30' h='10' color='FF00FF00' inv='h'/>"
      "<pic id='3' cx='4' cy='5' scale='2' maxy='100' bind='b'/></controls>";
  WriteLayout("valid", valid);
  // Mutations of a valid layout: bytes flipped, dropped, repeated.
  std::mt19937 random(18);
  for (int n = 0; n < 200; ++n) {
    std::string text = valid;
    for (int k = 0; k < 4; ++k) {
      const size_t at = random() % text.size();
      switch (random() % 3) {
        case 0:
          text[at] = char(random() % 256);
          break;
        case 1:
          text.erase(at, random() % 8);
          break;
        default:
          text.insert(at, text.substr(at, random() % 40));
      }
      if (text.empty()) text = "<";
    }
    WriteLayout("mutant" + std::to_string(n), text);
  }
  WriteBoxSprite();
  MountContent();

  const auto started = std::chrono::steady_clock::now();
  list.LoadLayout("deep", true);
  EXPECT_TRUE(list.Empty());
  list.LoadLayout("absurd", true);
  ASSERT_EQ(list.Size(), 2u);
  const GUIControl* a = list.Find(1);
  EXPECT_EQ(a->colour, 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(a->scale, 1);  // nan gives the default
  EXPECT_FALSE(std::isnan(a->rect.y0));
  Move(0, 0);
  for (int n = 0; n < 200; ++n) {
    list.LoadLayout("mutant" + std::to_string(n), n % 2 == 0);
    Press(float(n % 7) * 10, 5);
    Release(0, 0);
    list.UpdateAll(16);
    list.DrawAll();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}

}  // namespace

namespace {

// The demo loading screen: the runner is there for the splash screen to move, and the two
// texts (placed as texts are: no sprite, no far-edge step) sit on the screen, clear of the
// pattern bands (centred at ±350, 64 high) in all five aspect modes.
TEST_F(LayoutTest, TheDemoLoadingScreenSitsRightInEveryAspectMode) {
  const char* source = std::getenv("KALODRUS_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  FileSystem demo;
  demo.Mount(std::string(source) + "/content-src/game/content");
  context.files = &demo;
  factory.Register("text", [this](const LayoutElement& e) {
    auto c = std::make_unique<ProbeControl>(e.Text("text"), &log, ControlKind::Text);
    e.ReadCommon(*c);
    PlacementRules text;
    text.sizeFromSprite = false;
    text.farEdgeRight = text.farEdgeBottom = false;
    e.Place(*c, text);
    return c;
  });
  factory.Register("anipic", [this](const LayoutElement& e) {
    auto c = std::make_unique<ProbeControl>("runner", &log);
    e.ReadCommon(*c);
    e.Place(*c);
    return c;
  });
  for (int m = 0; m < kAspectModeCount; ++m) {
    renderer->SetAspectMode(AspectMode(m));
    list.LoadLayout("splash_gui", true);
    ASSERT_EQ(list.Size(), 3u) << m;
    ASSERT_NE(list.Find(10), nullptr);
    const float halfWidth = renderer->HalfWidth(), halfHeight = renderer->HalfHeight(true);
    for (size_t i = 1; i < 3; ++i) {
      const Rect& r = list.At(i)->rect;
      SCOPED_TRACE(static_cast<ProbeControl*>(list.At(i))->Name() + " in mode " +
                   std::to_string(m));
      EXPECT_GE(std::min(r.x0, r.x1), -halfWidth);
      EXPECT_LE(std::max(r.x0, r.x1), halfWidth);
      EXPECT_GT(std::min(r.y0, r.y1), -350 + 32);
      EXPECT_LT(std::max(r.y0, r.y1), 350 - 32);
      EXPECT_LE(std::max(r.y0, r.y1), halfHeight);
    }
    // The loading line ends 40 units in from the right edge.
    EXPECT_FLOAT_EQ(std::max(list.At(2)->rect.x0, list.At(2)->rect.x1), halfWidth - 40);
  }
}

}  // namespace
