// Dialogs with the real control types on the recording device: construction by the anchor
// rule, the fade that holds input back, results, tab dialogs, and the message boxes' sizes.
#include <gtest/gtest.h>

#include <cmath>

#include "ControlTypesSupport.h"
#include "gui/GUIDialog.h"
#include "gui/GUIMessageBox.h"
#include "gui/GUIText.h"

namespace {

class DialogTest : public ControlTypesFixture {
 protected:
  // A frame layout with a shadow picture 40 larger than the dialog each way (id -1), and a
  // dialog layout of the given `dialog` attributes with a picture (the anchor) and two
  // buttons.
  void WriteDialog(const std::string& dialogAttributes) {
    WriteLayout("frame", "<controls><pic id='-1' spr='box'/></controls>");
    WriteLayout("dlg", "<dialog base='frame' " + dialogAttributes +
                           "/><controls><pic id='0' spr='sq'/>"
                           "<button id='1' spr='btn' x='20' y='20'/>"
                           "<button id='2' spr='btn' x='120' y='20'/></controls>");
    MountContent();
  }
  GUIDialog* AddDialog(std::unique_ptr<GUIDialog> dialog) {
    return static_cast<GUIDialog*>(list.Add(std::move(dialog)));
  }
  void Click(const GUIControl& target) {
    Press(CentreX(target.rect), CentreY(target.rect));
    Release(CentreX(target.rect), CentreY(target.rect));
  }
};

TEST_F(DialogTest, TheLayoutSizesTheDialogAndTheAnchorRulePlacesTheChildren) {
  WriteDialog("w='400' h='300' alpha='200'");
  GUIDialog dialog(7, Rect{0, 0, 10, 10}, "dlg");
  EXPECT_EQ(dialog.kind, ControlKind::Dialog);
  EXPECT_FALSE(dialog.visible);
  EXPECT_FALSE(dialog.active);
  EXPECT_TRUE(dialog.keyboard);
  // Centred because the given corner was 0; the frame is the base rect, the rect the screen.
  ExpectRectNear(dialog.baseRect, -200, -150, 200, 150);
  const float hw = Gui().HalfWidth(), hh = Gui().HalfHeight();
  ExpectRectNear(dialog.rect, -hw, -hh, hw, hh);

  ControlList& children = dialog.Children();
  ASSERT_EQ(children.Size(), 5u);
  ASSERT_EQ(children.At(0), dialog.Backdrop());
  EXPECT_EQ(dialog.Backdrop()->colour, 200u << 24);
  ExpectRectNear(dialog.Backdrop()->rect, -hw, Gui().HalfHeight(true), hw, -Gui().HalfHeight(true));
  // The shadow: the dialog's size plus its own, centred on the dialog.
  const Rect& shadow = children.At(1)->rect;
  EXPECT_NEAR(std::fabs(shadow.x1 - shadow.x0), 500.0f, 1e-3);
  EXPECT_NEAR(std::fabs(shadow.y1 - shadow.y0), 340.0f, 1e-3);
  EXPECT_NEAR(CentreX(shadow), 0.0f, 1e-3);
  EXPECT_NEAR(CentreY(shadow), 0.0f, 1e-3);
  // The first child with a non-negative id takes the frame and anchors the rest.
  EXPECT_EQ(dialog.Anchor(), children.At(2));
  ExpectRectNear(children.At(2)->rect, -200, -150, 200, 150);
  const Rect& first = children.At(3)->rect;
  EXPECT_GE(first.x0, -200.0f);
  EXPECT_LE(first.x1, 200.0f);
  EXPECT_NEAR(children.At(4)->rect.x0 - first.x0, 100.0f, 1e-3);
}

TEST_F(DialogTest, AFadeScalesATranslucentShadowInsteadOfMakingItOpaque) {
  WriteLayout("frame", "<controls><pic id='-1' spr='box' color='60000000'/></controls>");
  WriteLayout("dlg",
              "<dialog base='frame' w='400' h='300'/><controls><pic id='0' spr='sq'/>"
              "</controls>");
  MountContent();
  GUIDialog* dialog = AddDialog(std::make_unique<GUIDialog>(7, Rect{0, 0, 10, 10}, "dlg"));
  GUIControl* shadow = dialog->Children().At(1);
  ASSERT_EQ(shadow->Alpha(), 0x60);
  dialog->Show(100);
  for (int i = 0; i < 20; ++i) {
    list.UpdateAll(16);
    list.DrawAll();
    EXPECT_LE(shadow->Alpha(), 0x60);
  }
  EXPECT_EQ(shadow->Alpha(), 0x60) << "faded in to its own alpha";
  EXPECT_EQ(dialog->Anchor()->Alpha(), 255);
}

TEST_F(DialogTest, AFadingDialogIgnoresClicksThenKeepsTheFirstResult) {
  WriteDialog("w='400' h='300'");
  GUIDialog* dialog = AddDialog(std::make_unique<GUIDialog>(7, Rect{0, 0, 10, 10}, "dlg"));
  GUIControl* yes = dialog->Children().Find(1);
  GUIControl* no = dialog->Children().Find(2);
  dialog->Show(500);
  list.UpdateAll(16);
  Click(*yes);
  EXPECT_EQ(dialog->Result(), 0) << "clicked during the fade";
  EXPECT_EQ(lastResult, 7) << "the dialog swallows the event";
  // Every child but the backdrop follows the dialog's alpha while it fades.
  Drawn();
  EXPECT_LT(yes->Alpha(), 64);
  EXPECT_EQ(dialog->Backdrop()->Alpha(), 127);

  list.UpdateAll(500);
  list.UpdateAll(16);
  Click(*no);
  Click(*yes);
  EXPECT_EQ(dialog->Result(), 2) << "the first click sticks";

  dialog->Hide();
  EXPECT_EQ(dialog->Result(), 0);
  EXPECT_FALSE(dialog->visible);
  dialog->Show(0);
  Click(*yes);
  EXPECT_EQ(dialog->Result(), 1);
}

TEST_F(DialogTest, ATabDialogHandsOverTheClickedChildOnce) {
  WriteDialog("w='400' h='300' tab='1'");
  GUIDialog* dialog = AddDialog(std::make_unique<GUIDialog>(7, Rect{0, 0, 10, 10}, "dlg"));
  EXPECT_EQ(dialog->kind, ControlKind::TabDialog);
  dialog->SetShown(true);
  Click(*dialog->Children().Find(2));
  EXPECT_EQ(lastResult, 2);
  Move(0, 0);
  EXPECT_EQ(lastResult, 0);
}

TEST_F(DialogTest, WithoutShadowOnlyTheDialogsOwnRectangleCatchesThePointer) {
  WriteDialog("w='400' h='300' noshadow='1'");
  GUIDialog* dialog = AddDialog(std::make_unique<GUIDialog>(7, Rect{0, 0, 10, 10}, "dlg"));
  EXPECT_EQ(dialog->Backdrop(), nullptr);
  ExpectRectNear(dialog->rect, -200, -150, 200, 150);
  dialog->SetShown(true);
  Move(300, 0);
  EXPECT_EQ(lastResult, 0);
  Move(100, 0);
  EXPECT_EQ(lastResult, 7);
}

TEST_F(DialogTest, AMissingLayoutLeavesTheBackdropAndTheFrame) {
  WriteLayout("base_dlg", "<controls><pic id='-1' spr='box'/></controls>");
  MountContent();
  GUIDialog dialog(3, Rect{-50, -50, 50, 50}, "nowhere");
  EXPECT_EQ(dialog.Children().Size(), 2u);
  EXPECT_EQ(dialog.FrameLayout(), "base_dlg");
}

TEST(MessageBoxSizeTest, MinimumsMaximumAndSteps) {
  const MessageBoxMetrics metrics;
  const MessageBoxSize small = SizeMessageBox(metrics, 50, 20);
  EXPECT_EQ(small.width, 408);
  EXPECT_EQ(small.height, 204);
  const MessageBoxSize wide = SizeMessageBox(metrics, 5000, 100);
  EXPECT_EQ(wide.width, 960);
  EXPECT_EQ(wide.height, 324);  // 100 × 1.5 + 174, rounded up to 12
  EXPECT_EQ(SizeMessageBox(metrics, 401, 0).width, 504);
  MessageBoxMetrics noSteps;
  noSteps.stepWidth = 0;
  noSteps.stepHeight = -3;
  EXPECT_EQ(SizeMessageBox(noSteps, 401, 0).width, 501);
  EXPECT_EQ(SizeMessageBox(noSteps, NAN, 1e30f).width, 408);
}

TEST_F(DialogTest, AMessageBoxIsSizedFromItsTextWhichGoesToChildTen) {
  WriteLayout("base_dlg", "<controls/>");
  WriteLayout("ok_dlg",
              "<dialog mw='200' mh='100' bw='20' bh='30' aw='10' ah='10'/><controls>"
              "<pic id='0' spr='sq'/><text id='10'/>"
              "<button id='1' spr='btn'/></controls>");
  MountContent();
  // 30 glyphs of 10 units at size 20.
  auto box = GUIOkDialog::Create(u"abcdefghijklmnopqrstuvwxyzabcd");
  // 300 + 20 wide; 20 × 1.5 + 30 high is below the minimum of 100.
  ExpectRectNear(box->baseRect, -160, -50, 160, 50);
  GUIControl* message = box->MessageControl();
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(static_cast<GUIText*>(message)->Text(), u"abcdefghijklmnopqrstuvwxyzabcd");
  ExpectRectNear(message->rect, 44 - 160, 4, 44 - 160 + 236, 28);
  const float hw = Gui().HalfWidth();
  EXPECT_NEAR(box->rect.x1, hw, 1e-3);
}

TEST_F(DialogTest, ALongMessageIsWrappedInsideItsBoxAndTheScreen) {
  // The message font (the second) with an "F" 20 high, so text height counts.
  std::vector<texttest::GlyphSpec> glyphs = texttest::GlyphsFor(u"abcdefghijklmnopqrstuvwxyz F");
  folder.Write("content/font2.fnt", texttest::FontXml(glyphs, "font2_0.png"));
  WriteLayout("base_dlg", "<controls/>");
  WriteLayout("ok_dlg", "<dialog/><controls><pic id='0' spr='sq'/><text id='10'/></controls>");
  MountContent();
  fonts->Load();
  std::u16string text;
  while (text.size() < 2000) text += u"lorem ipsum dolor ";
  text += std::u16string(120, u'w');  // one word wider than any box
  for (const std::u16string& t : {text, std::u16string(text, 0, 300)}) {
    auto box = GUIOkDialog::Create(t);
    const Rect frame = box->baseRect;
    EXPECT_LE(frame.x1 - frame.x0, 960.0f);
    EXPECT_LE(frame.x1, Gui().HalfWidth());
    EXPECT_LE(frame.y1, Gui().HalfHeight());
    EXPECT_GE(frame.y0, -Gui().HalfHeight());
    auto* message = dynamic_cast<GUIText*>(box->MessageControl());
    ASSERT_NE(message, nullptr);
    EXPECT_GE(message->rect.x0, frame.x0);
    EXPECT_LE(message->rect.x1, frame.x1);
    const float s = message->fontSize;
    const int n = int(message->Lines().size());
    ASSERT_GT(n, 1);
    fonts->SelectFont(1);
    for (const std::u16string& line : message->Lines())
      EXPECT_LE(fonts->MeasureText(line, s, false), message->rect.x1 - message->rect.x0);
    // The lines as drawn: stacked about the message's centre, one size apart.
    const float first = GUIText::FirstLineY(CentreY(message->rect), n, s);
    EXPECT_LE(first + s / 2, frame.y1);
    EXPECT_GE(first - float(n - 1) * s - s / 2, frame.y0);
  }
}

}  // namespace
