// The control list: ownership and order, the four references, and input routing step by
// step against controls that write down every call they get.
#include <cmath>

#include "GuiTestSupport.h"
#include "gui/GUIChanger.h"
#include "gui/GUIPic.h"

namespace {

using ControlListTest = GuiFixture;

TEST(RectContains, EdgesAreInsideWhateverTheOrientation) {
  for (const Rect r : {Rect{-10, 20, 30, -40}, Rect{30, -40, -10, 20}}) {
    EXPECT_TRUE(RectContains(r, -10, 20));
    EXPECT_TRUE(RectContains(r, 30, -40));
    EXPECT_TRUE(RectContains(r, 10, -10));
    EXPECT_FALSE(RectContains(r, 30.01f, 0));
    EXPECT_FALSE(RectContains(r, 0, 20.01f));
  }
  EXPECT_TRUE(RectContains({5, 5, 5, 5}, 5, 5));
  EXPECT_FALSE(RectContains({0, 0, NAN, 1}, 0, 0));
}

TEST_F(ControlListTest, FitToSpriteHangsThePictureBelowItsFirstCorner) {
  WriteBoxSprite();
  MountContent();
  GUIControl c;
  c.SetBounds(-10, 5, 30, -20);
  c.FitToSprite();  // no sprite: nothing
  EXPECT_FLOAT_EQ(c.rect.x1, 20);
  Sprite* box = sprites->Get("box");
  ASSERT_NE(box, nullptr);
  c.SetSprite(box);
  EXPECT_FLOAT_EQ(c.texRect.v1, box->rect.v1);
  c.FitToSprite();
  EXPECT_FLOAT_EQ(c.rect.x1, 90);
  EXPECT_FLOAT_EQ(c.rect.y1, -35);
}

TEST_F(ControlListTest, AddSnapsTheFirstCornerAndKeepsTheBaseRect) {
  auto* c = AddProbe(MakeProbe("c", &log, 1, {-10.7f, 20.4f, 89.3f, -19.6f}));
  EXPECT_EQ(c->owner, &list);
  EXPECT_FLOAT_EQ(c->rect.x0, -10);
  EXPECT_FLOAT_EQ(c->rect.y0, 20);
  EXPECT_NEAR(c->rect.x1, 90, 1e-4);
  EXPECT_NEAR(c->rect.y1, -20, 1e-4);
  EXPECT_FLOAT_EQ(c->baseRect.x0, -10);
  EXPECT_NEAR(c->baseRect.y1, -20, 1e-4);

  // Dialogs keep their own base rect (the frame), plain or tab.
  for (ControlKind kind : {ControlKind::Dialog, ControlKind::TabDialog}) {
    auto d = std::make_unique<ProbeControl>("d", &log, kind);
    d->rect = {-512, -384, 512, 384};
    d->baseRect = {-100, -50, 100, 50};
    GUIControl* added = list.Add(std::move(d));
    EXPECT_FLOAT_EQ(added->baseRect.x0, -100);
  }

  // Front and back: drawing order.
  list.Clear();
  AddProbe(MakeProbe("b", &log, 2, {}));
  AddProbe(MakeProbe("a", &log, 1, {}), true);
  AddProbe(MakeProbe("c", &log, 3, {}));
  log.clear();
  list.DrawAll();
  EXPECT_EQ(log, (CallLog{"a.Draw", "b.Draw", "c.Draw"}));
  EXPECT_EQ(list.Add(nullptr), nullptr);
}

TEST_F(ControlListTest, DuplicateIdsFindTheFirstButTheClickGoesToTheTopmost) {
  auto* below = AddProbe(MakeProbe<ProbeButton>("below", &log, 7, {-50, -50, 50, 50}));
  auto* above = AddProbe(MakeProbe<ProbeButton>("above", &log, 7, {0, -50, 100, 50}));
  EXPECT_EQ(list.Find(7), below);
  EXPECT_EQ(list.Find(8), nullptr);
  Press(25, 0);
  Release(25, 0);
  EXPECT_EQ(lastResult, 7);
  EXPECT_EQ(Count("above.Input:5"), 1);
  EXPECT_EQ(Count("below.Input:3"), 0);
  EXPECT_EQ(list.HitTest(25, 0), above);
  EXPECT_EQ(list.HitTest(-25, 0), below);
}

TEST_F(ControlListTest, AnIdZeroPictureOnTopDoesNotBlockTheButtonBelow) {
  AddProbe(MakeProbe<ProbeButton>("button", &log, 4, {-50, -50, 50, 50}));
  AddProbe(MakeProbe("picture", &log, 0, {-100, -100, 100, 100}));
  Press(0, 0);
  Release(0, 0);
  EXPECT_EQ(lastResult, 4);
  EXPECT_EQ(Count("picture.Input:3"), 0);
  EXPECT_EQ(list.LastHit(), list.Find(4));
  EXPECT_EQ(list.HitTest(0, 0), list.Find(4));
}

TEST_F(ControlListTest, APictureStandingForAButtonTakesItsClicksAndLightsIt) {
  auto* button = AddProbe(MakeProbe<ProbeButton>("button", &log, 4, {-50, 100, 50, 150}));
  auto picture = std::make_unique<GUIPic>();
  picture->rect = {-100, -100, 100, 100};
  picture->clickFor = 4;
  GUIControl* pic = list.Add(std::move(picture));

  Move(0, 0);
  EXPECT_EQ(list.Hovered(), pic);
  EXPECT_EQ(Count("button.Hover:1"), 1) << "the button lights with its picture";
  Press(0, 0);
  Release(0, 0);
  EXPECT_EQ(lastResult, 4);
  Move(300, 300);
  EXPECT_EQ(Count("button.Hover:0"), 1);

  // Released off the picture: no click.
  lastResult = -1;
  Press(0, 0);
  Release(300, 300);
  EXPECT_EQ(lastResult, 0);

  // An inactive or hidden button is not clicked through its picture, nor lit.
  for (int pass = 0; pass < 2; ++pass) {
    button->active = pass != 0;
    button->visible = pass == 0;
    log.clear();
    Move(0, 0);
    Press(0, 0);
    Release(0, 0);
    EXPECT_EQ(lastResult, 0) << pass;
    EXPECT_EQ(Count("button.Hover:1"), 0) << pass;
    Move(300, 300);
  }
  // A picture naming no control reports nothing.
  button->visible = true;
  pic->clickFor = 99;
  Press(0, 0);
  Release(0, 0);
  EXPECT_EQ(lastResult, 0);
}

TEST_F(ControlListTest, APassiveControlOnTopIsOnlyRecordedAsLastHit) {
  auto* button = AddProbe(MakeProbe<ProbeButton>("button", &log, 4, {-50, -50, 50, 50}));
  auto* cover = AddProbe(MakeProbe("cover", &log, 9, {-100, -100, 100, 100}));
  cover->passive = true;
  Move(0, 0);
  EXPECT_EQ(list.Hovered(), button);
  EXPECT_EQ(list.LastHit(), cover);
  Press(0, 0);
  Release(0, 0);
  EXPECT_EQ(lastResult, 4);
  EXPECT_EQ(Count("cover.Input:3") + Count("cover.Hover:1"), 0);
  // Only the cover under the pointer: recorded, but no target, so the hover goes.
  Move(80, 80);
  EXPECT_EQ(list.LastHit(), cover);
  EXPECT_EQ(list.Hovered(), nullptr);
  EXPECT_EQ(Count("button.Hover:0"), 1);
  Move(300, 300);
  EXPECT_EQ(list.LastHit(), nullptr);
}

TEST_F(ControlListTest, PressDragOffAndReleaseGoesToThePressedButtonOnly) {
  auto* button = AddProbe(MakeProbe<ProbeButton>("button", &log, 4, {-50, -50, 50, 50}));
  auto* other = AddProbe(MakeProbe<ProbeButton>("other", &log, 5, {100, -50, 200, 50}));
  Press(0, 0);
  EXPECT_EQ(list.Captured(), button);
  EXPECT_EQ(list.Focus(), button);
  EXPECT_EQ(lastResult, 0);
  // Dragging off: the captured button gets the moves and loses its hover mark.
  Move(150, 0);
  EXPECT_EQ(list.Hovered(), nullptr);
  EXPECT_FALSE(button->hovered);
  EXPECT_EQ(Count("other.Hover:1"), 0);
  // Back in: hovered again; out again and released over the other button.
  Move(10, 10);
  EXPECT_EQ(list.Hovered(), button);
  EXPECT_TRUE(button->hovered);
  Move(150, 0);
  Release(150, 0);
  EXPECT_EQ(lastResult, 0);
  EXPECT_EQ(list.Captured(), nullptr);
  EXPECT_EQ(Count("button.Input:5"), 1);
  EXPECT_EQ(Count("other.Input:3") + Count("other.Input:5"), 0);
  EXPECT_FALSE(button->pressed);
  // After the release the pointer targets as usual again.
  Move(150, 0);
  EXPECT_EQ(list.Hovered(), other);
  // A press and release inside is a click.
  Press(0, 0);
  Release(0, 0);
  EXPECT_EQ(lastResult, 4);
}

TEST_F(ControlListTest, TheCallsOfAClickInOrder) {
  AddProbe(MakeProbe<ProbeButton>("b", &log, 4, {-50, -50, 50, 50}));
  Press(0, 0);
  Release(0, 0);
  EXPECT_EQ(log, (CallLog{"b.Hover:1", "b.Input:10", "b.Focus:1", "b.Input:3", "b.Input:10",
                          "b.Input:5"}));
  // Other events with nothing captured go to the control under the pointer, keys included.
  log.clear();
  Input(InputType::KeyDown, 0, 0, 19);
  Input(InputType::Wheel, 0, 0, 120);
  Input(InputType::KeyDown, 300, 0, 19);
  EXPECT_EQ(log, (CallLog{"b.Input:1", "b.Input:11", "b.Hover:0"}));
}

TEST_F(ControlListTest, InTabletModeOnlyPointerMovesChangeTheHover) {
  slate = true;
  auto* a = AddProbe(MakeProbe<ProbeButton>("a", &log, 1, {-50, -50, 50, 50}));
  auto* b = AddProbe(MakeProbe<ProbeButton>("b", &log, 2, {100, -50, 200, 50}));
  Move(0, 0);
  EXPECT_EQ(list.Hovered(), a);
  // A press on b without a move before it: b is captured, the hover stays on a.
  pointer = {150, 0};
  list.OnInput({InputType::LeftDown, 0});
  EXPECT_EQ(list.Captured(), b);
  EXPECT_EQ(list.Hovered(), a);
  EXPECT_TRUE(a->hovered);
  // Released outside b: the stale hover of a is cleared with b's.
  pointer = {300, 0};
  list.OnInput({InputType::LeftUp, 0});
  EXPECT_EQ(list.Hovered(), nullptr);
  EXPECT_FALSE(a->hovered);
}

TEST_F(ControlListTest, CharactersGoToKeyboardControlsFromTheBack) {
  auto* first = AddProbe(MakeProbe("first", &log, 1, {}));
  auto* second = AddProbe(MakeProbe("second", &log, 2, {}));
  auto* plain = AddProbe(MakeProbe("plain", &log, 3, {}));
  first->keyboard = second->keyboard = true;
  plain->takes = true;  // no keyboard flag: never asked
  EXPECT_EQ(list.OnInput({InputType::Character, 'a'}), 0);
  EXPECT_EQ(log, (CallLog{"second.Input:0", "first.Input:0"}));
  first->takes = true;
  EXPECT_EQ(list.OnInput({InputType::Character, 'a'}), 1);
  second->takes = true;
  EXPECT_EQ(list.OnInput({InputType::Character, 'a'}), 2);
  EXPECT_EQ(list.Hovered(), nullptr);
}

TEST_F(ControlListTest, ATabDialogHandsOverItsStoredResultOnce) {
  auto* dialog = AddProbe(MakeProbe<ProbeTabDialog>("tab", &log, 0, {-512, -384, 512, 384}));
  dialog->childResult = 31;
  Press(0, 0);  // the move already stores 31 and hands it over
  EXPECT_EQ(dialog->stored, 0);
  dialog->childResult = 32;
  Input(InputType::LeftUp, 0, 0);
  EXPECT_EQ(lastResult, 32);
  dialog->childResult = 0;
  Move(1, 1);
  EXPECT_EQ(lastResult, 0);
  // Characters hand over the stored result the same way.
  dialog->childResult = 33;
  EXPECT_EQ(list.OnInput({InputType::Character, 13}), 33);
  EXPECT_EQ(list.OnInput({InputType::Character, 13}), 33);
  dialog->childResult = 0;
  EXPECT_EQ(list.OnInput({InputType::Character, 13}), 0);
  // A plain dialog (kind 14) with id 0 takes the pointer and reports its own id.
  auto plain = MakeProbe("dialog", &log, 0, {-512, -384, 512, 384});
  plain->kind = ControlKind::Dialog;
  plain->takes = true;
  list.Add(std::move(plain));
  Move(0, 0);
  EXPECT_EQ(lastResult, 0);
  EXPECT_EQ(list.TopDialog(), list.At(1));
}

TEST_F(ControlListTest, FocusNeedsAVisibleActiveControlAndAnUnknownIdClearsIt) {
  auto* a = AddProbe(MakeProbe("a", &log, 1, {}));
  auto* b = AddProbe(MakeProbe("b", &log, 2, {}));
  list.SetFocus(1);
  EXPECT_EQ(list.Focus(), a);
  for (auto refuse :
       {+[](GUIControl& c) { c.visible = false; }, +[](GUIControl& c) { c.active = false; },
        +[](GUIControl& c) { c.passive = true; }}) {
    refuse(*b);
    list.SetFocus(2);
    EXPECT_EQ(list.Focus(), a);
    b->visible = b->active = true;
    b->passive = false;
  }
  list.SetFocus(2);
  EXPECT_EQ(list.Focus(), b);
  list.SetFocus(99);
  EXPECT_EQ(list.Focus(), nullptr);
  EXPECT_EQ(log, (CallLog{"a.Focus:1", "a.Focus:0", "b.Focus:1", "b.Focus:0"}));
}

TEST_F(ControlListTest, RemovingOrDeletingControlsLeavesNoReferenceBehind) {
  auto* a = AddProbe(MakeProbe<ProbeButton>("a", &log, 1, {-50, -50, 50, 50}));
  auto* b = AddProbe(MakeProbe<ProbeButton>("b", &log, 2, {100, -50, 200, 50}));
  std::vector<const GUIControl*> told;
  list.SetDeletionListener([&](const GUIControl& c) { told.push_back(&c); });
  Press(0, 0);
  ASSERT_EQ(list.Hovered(), a);
  ASSERT_EQ(list.LastHit(), a);
  // The hovered, captured, focused, last-hit control goes; the pointer moves on.
  EXPECT_TRUE(list.Remove(a));
  EXPECT_EQ(told, std::vector<const GUIControl*>{a});
  EXPECT_EQ(list.Captured(), nullptr);
  EXPECT_EQ(list.Focus(), nullptr);
  EXPECT_EQ(list.Hovered(), nullptr);
  EXPECT_EQ(list.LastHit(), nullptr);
  Move(10, 0);
  Release(10, 0);
  Move(150, 0);
  EXPECT_EQ(list.Hovered(), b);
  EXPECT_FALSE(list.Remove(a));
  // DeleteAll forgets the four references like Clear.
  Press(150, 0);
  list.DeleteAll();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Captured(), nullptr);
  EXPECT_EQ(list.Hovered(), nullptr);
  EXPECT_EQ(told.size(), 2u);
  Move(150, 0);
  Release(150, 0);
  EXPECT_EQ(Count("a.Deleted") + Count("b.Deleted"), 2);
}

// A control that has its list delete it while it handles an event.
class SelfRemover : public ProbeControl {
 public:
  using ProbeControl::ProbeControl;
  bool OnInput(InputEvent e) override {
    ProbeControl::OnInput(e);
    if (e.type == InputType::LeftDown) owner->Remove(this);
    return true;
  }
};

TEST_F(ControlListTest, AControlDeletedInItsOwnHandlerReportsNothing) {
  AddProbe(MakeProbe<SelfRemover>("self", &log, 3, {-50, -50, 50, 50}));
  Move(0, 0);
  EXPECT_EQ(lastResult, 3);
  Input(InputType::LeftDown, 0, 0);
  EXPECT_EQ(lastResult, 0);
  EXPECT_TRUE(list.Empty());
  Release(0, 0);
  EXPECT_EQ(Count("self.Deleted"), 1);
}

TEST_F(ControlListTest, ListWideOperations) {
  auto* a = AddProbe(MakeProbe("a", &log, 1, {0, 0, 10, 10}));
  auto* b = AddProbe(MakeProbe("b", &log, 2, {0, 0, 10, 10}));
  auto* hidden = AddProbe(MakeProbe("hidden", &log, 3, {0, 0, 10, 10}));
  hidden->visible = false;

  list.BringToTop(a);
  EXPECT_EQ(list.At(2), a);
  EXPECT_EQ(list.HitTest(5, 5), a);
  list.BringToTop(nullptr);

  list.MoveAll(5, -5);
  EXPECT_FLOAT_EQ(a->rect.x0, 5);
  EXPECT_FLOAT_EQ(a->rect.y1, 5);
  EXPECT_FLOAT_EQ(a->baseRect.x0, 0);

  a->colour = 0xFF123456;
  list.SetAlphaAll(0x40);
  EXPECT_EQ(a->colour, 0x40123456u);
  EXPECT_EQ(b->Alpha(), 0x40);

  // Drawing skips invisible controls and ends with no shader selected.
  const Shader shader{"s", 5};
  renderer->SetShader(&shader);
  device->ClearLog();
  log.clear();
  list.DrawAll();
  EXPECT_EQ(log, (CallLog{"b.Draw", "a.Draw"}));
  ASSERT_NE(device->Last(Op::SetShader), nullptr);
  EXPECT_EQ(device->Last(Op::SetShader)->a, 0);

  // Updating runs every control's changers; resetting forgets the references.
  b->AddChanger(std::make_unique<VisibleChanger>());
  list.UpdateAll(16);
  EXPECT_FALSE(b->visible);
  EXPECT_TRUE(b->animating);
  Move(7, 2);
  list.SetFocus(1);
  ASSERT_NE(list.Hovered(), nullptr);
  log.clear();
  list.ResetAll();
  EXPECT_EQ(log, (CallLog{"b.Reset", "hidden.Reset", "a.Reset"}));
  EXPECT_EQ(list.Hovered(), nullptr);
  EXPECT_EQ(list.Focus(), nullptr);
  EXPECT_EQ(list.LastHit(), nullptr);
}

}  // namespace
