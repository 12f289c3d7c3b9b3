// The puzzle screen over the demo content on the recording device: the deal, turning pieces
// and groups by a click, dragging, snapping and joining, completion with the unlock stored at
// once, re-entry, the cheat and F5, and damaged puzzle files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "base/Random.h"
#include "campaign/ModePuzzle.h"
#include "data/XmlDocument.h"
#include "gui/GUIPuzzle.h"
#include "gui/GUIText.h"
#include "progress/IntegerFormat.h"

#include "level_screen/ModeGameFixture.h"

namespace {

// Piece 1's centre in the finished picture of every demo puzzle, and the cell size: piece
// 1 + c + 5 r lies c cells right and r cells down of it.
constexpr GuiPoint kHome1{-233, 135};
constexpr float kCellW = 104, kCellH = 160;

GuiPoint Home(int number) {
  const int c = (number - 1) % 5, r = (number - 1) / 5;
  return {kHome1.x + float(c) * kCellW, kHome1.y - float(r) * kCellH};
}

class ModePuzzleTest : public MapScreenTest {
 protected:
  void SetUp() override {
    MapScreenTest::SetUp();
    if (HasFatalFailure()) return;
    ModePuzzle::showAllPieces = false;
  }
  void TearDown() override {
    ModePuzzle::showAllPieces = false;
    MapScreenTest::TearDown();
  }

  static ModePuzzle& puzzle() { return TheModePuzzle(); }
  // Opens puzzle p from the map and waits out the fade.
  void Open(int p) {
    Enter();
    if (HasFatalFailure()) return;
    map().RequestMode(ShowPuzzle(p, ModeId::Map));
    Frames(60, 20);
    ASSERT_EQ(app->current, &puzzle());
    ASSERT_EQ(app->fadeState, Fade::None);
  }
  void FindPieces(int episode, int count) {
    for (int l = 1; l <= count; ++l)
      progress().Record(episode, l).flags |= LevelRecord::kPuzzlePiece;
  }
  GUIPuzzle& Piece(int n) {
    GUIPuzzle* p = puzzle().Piece(n);
    EXPECT_NE(p, nullptr) << n;
    static GUIPuzzle none;
    return p ? *p : none;
  }
  // Lays piece n down on top of the others at c with quarter turns r, in a group.
  void Place(int n, GuiPoint c, int r = 0, int group = 0) {
    GUIPuzzle& p = Piece(n);
    p.ClearChangers();
    p.CentreOn(c);
    p.rotation = r;
    p.angle = float(r) * 90;
    p.group = group;
    puzzle().controls.BringToTop(&p);
  }
  // Every piece piled up in the lower left corner, alone and straight.
  void ClearBoard() {
    for (int n = 1; n <= 10; ++n) Place(n, {-400 + float(n) * 10, -250});
  }
  void Pointer(GuiPoint at, InputType type) {
    platform.pointerX = at.x;
    platform.pointerY = at.y;
    Input(InputType::PointerMove);
    if (type != InputType::PointerMove) Input(type);
  }
  // A click that does not move: a turn.
  void ClickOn(GuiPoint at) {
    Pointer(at, InputType::LeftDown);
    Pointer({at.x + 3, at.y + 2}, InputType::PointerMove);
    Pointer({at.x + 3, at.y + 2}, InputType::LeftUp);
  }
  // Picks the piece up at `from` and drops it moved by (dx, dy), in steps.
  void DragBy(GuiPoint from, float dx, float dy) {
    Pointer(from, InputType::LeftDown);
    for (int i = 1; i <= 4; ++i)
      Pointer({from.x + dx * float(i) / 4, from.y + dy * float(i) / 4}, InputType::PointerMove);
    Pointer({from.x + dx, from.y + dy}, InputType::LeftUp);
  }
  static GuiPoint Centre(const GUIPuzzle& p) { return p.Centre(); }
  GUIDialog* TopDialog() { return dynamic_cast<GUIDialog*>(puzzle().controls.TopDialog()); }
  std::u16string DialogText(GUIDialog* d) {
    for (size_t i = 0; d && i < d->Children().Size(); ++i)
      if (auto* t = dynamic_cast<GUIText*>(d->Children().At(i)); t && t->id == 10) return t->Text();
    return {};
  }
  const std::u16string& String(const char* key) { return app->strings()->Get(key); }
};

void ExpectNear(GuiPoint a, GuiPoint b, float tolerance = 0.05f) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
}

}  // namespace

TEST_F(ModePuzzleTest, WithNoPieceFoundTheBoardSaysSoAndNothingCanBePicked) {
  Open(1);
  if (HasFatalFailure()) return;
  GUIDialog* dialog = TopDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(DialogText(dialog), String("no_puzzle_found"));
  EXPECT_FALSE(String("no_puzzle_found").empty()) << "the puzzle's own string file is read";
  for (int n = 1; n <= 10; ++n) {
    EXPECT_FALSE(Piece(n).visible) << n;
    EXPECT_EQ(progress().Puzzle(1)[size_t(n - 1)].flags & 3, 0) << n;
  }
  // The name on its plate, the plate fitted to it.
  auto* name = dynamic_cast<GUIText*>(puzzle().controls.Find(ModePuzzle::kNameId));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->Text(), String("puzzle_name_01"));
  const GUIControl* plate = puzzle().controls.Find(ModePuzzle::kNamePlateId);
  ASSERT_NE(plate, nullptr);
  app->fonts()->SelectFont(name->fontId);
  const float width = app->fonts()->MeasureText(name->Text(), name->fontSize, false);
  EXPECT_NEAR(std::fabs(plate->rect.x1 - plate->rect.x0), width + 64, 1.0f);
  EXPECT_NEAR(CentreX(plate->rect), -25, 0.5f);
  // Escape closes the dialog at the next update; a press on a hidden piece picks nothing.
  Input(InputType::KeyDown, kGameKeyEscape);
  EXPECT_EQ(dialog->Result(), 3);
  Frames(1);
  EXPECT_EQ(TopDialog(), nullptr);
  Pointer(Centre(Piece(1)), InputType::LeftDown);
  EXPECT_EQ(puzzle().held, nullptr);
  EXPECT_FALSE(puzzle().holding);
  // Escape with no dialog goes back to the map.
  Pointer(Centre(Piece(1)), InputType::LeftUp);
  Input(InputType::KeyDown, kGameKeyEscape);
  Frames(60, 20);
  EXPECT_EQ(app->current, &map());
}

TEST_F(ModePuzzleTest, FoundPiecesAreDealtByTurnThenYThenXWithinTheBoard) {
  FindPieces(2, 3);
  FindPieces(1, 10);
  Open(2);
  if (HasFatalFailure()) return;
  EXPECT_EQ(puzzle().FoundPieces(), 3);
  EXPECT_EQ(TopDialog(), nullptr);
  for (int n = 1; n <= 10; ++n) {
    const PuzzleSlot& slot = progress().Puzzle(2)[size_t(n - 1)];
    EXPECT_EQ(Piece(n).visible, n <= 3) << n;
    EXPECT_EQ(slot.flags & PuzzleSlot::kOnBoard, n <= 3 ? 1 : 0) << n;
    ExpectNear(Piece(n).home, Home(n));
  }
  // The same draws again from a known seed: three per found piece, in that order.
  for (const uint32_t seed : {1u, 77u, 4242u}) {
    SeedRandom(seed);
    puzzle().Build();
    SeedRandom(seed);
    for (int n = 1; n <= 3; ++n) {
      const int r = Rand15() % 4;
      const float y = float(Rand15()) / 32767.0f * 450 - 170;
      const float x = float(Rand15()) / 32767.0f * 490 - 270;
      EXPECT_EQ(Piece(n).rotation, r);
      EXPECT_FLOAT_EQ(Piece(n).angle, float(r) * 90);
      ExpectNear(Centre(Piece(n)), {x, y}, 0.01f);
      const PuzzleSlot& slot = progress().Puzzle(2)[size_t(n - 1)];
      EXPECT_EQ(slot.rotation, r);
      EXPECT_EQ(slot.reserved, 0);
    }
  }
  // Dealt again and again, every found piece lies within x -270..220 and y -170..280.
  ModePuzzle::showAllPieces = true;
  std::set<int> turns;
  for (int round = 0; round < 60; ++round) {
    puzzle().Build();
    for (int n = 1; n <= 10; ++n) {
      const GuiPoint c = Centre(Piece(n));
      EXPECT_TRUE(Piece(n).visible);
      EXPECT_GE(c.x, -270.01f);
      EXPECT_LE(c.x, 220.01f);
      EXPECT_GE(c.y, -170.01f);
      EXPECT_LE(c.y, 280.01f);
      turns.insert(Piece(n).rotation);
    }
  }
  EXPECT_EQ(turns.size(), 4u);
}

TEST_F(ModePuzzleTest, FourClicksTurnAPieceBackAndAGroupTurnsAboutTheClickedPiece) {
  FindPieces(1, 10);
  Open(1);
  if (HasFatalFailure()) return;
  ClearBoard();
  Place(4, {100, 0}, 0);
  for (int click = 1; click <= 4; ++click) {
    ClickOn({100, 0});
    EXPECT_EQ(Piece(4).rotation, click % 4);
    EXPECT_TRUE(Piece(4).HasChangers());
    Frames(12, 16);
    EXPECT_FALSE(Piece(4).HasChangers());
    EXPECT_NEAR(std::fmod(Piece(4).angle + 360, 360), float(click % 4) * 90, 0.01f) << click;
    ExpectNear(Centre(Piece(4)), {100, 0});
  }
  EXPECT_FLOAT_EQ(Piece(4).angle, 0) << "the last quarter ends at 0";

  // Pieces 1 and 2 joined side by side: a click on 2 turns both about 2's centre.
  Place(1, {-100, 100}, 0, 1);
  Place(2, {4, 100}, 0, 1);
  ClickOn({4, 100});
  EXPECT_EQ(Piece(1).rotation, 1);
  EXPECT_EQ(Piece(2).rotation, 1);
  Frames(12, 16);
  ExpectNear(Centre(Piece(2)), {4, 100});
  ExpectNear(Centre(Piece(1)), {4, 204}, 0.1f);  // left of the pivot turns to above it
  EXPECT_NEAR(Piece(1).angle, 90, 0.01f);
  // A piece that is still turning cannot be picked.
  ClickOn({4, 100});
  EXPECT_EQ(Piece(2).rotation, 2);
  ClickOn({4, 100});
  EXPECT_TRUE(Piece(2).HasChangers());
  EXPECT_EQ(Piece(2).rotation, 2);
  Frames(12, 16);
  ClickOn({4, 100});
  EXPECT_EQ(Piece(2).rotation, 3);
}

TEST_F(ModePuzzleTest, ADropSnapsOnlyAtEqualTurnWithin20UnitsAndToTheFirstLinkOnly) {
  FindPieces(1, 10);
  Open(1);
  if (HasFatalFailure()) return;
  ClearBoard();
  // Piece 2 fits 104 right of piece 1. Dropped 12 and 15 units off: it snaps.
  Place(1, {-150, 100});
  Place(2, {100, 100});
  DragBy({100, 100}, -150 + 104 + 12 - 100, -9);
  Frames(10, 16);
  ExpectNear(Centre(Piece(2)), {-46, 100});
  EXPECT_EQ(Piece(1).group, 2) << "the held piece's number names the new group";
  EXPECT_EQ(Piece(2).group, 2);

  // 21 units off: no snap.
  Place(3, {200, -50});
  DragBy({200, -50}, -46 + 104 + 21 - 200, 150);
  Frames(10, 16);
  ExpectNear(Centre(Piece(3)), {79, 100});
  EXPECT_EQ(Piece(3).group, 0);

  // Another turn: no snap, however close.
  Place(3, {200, -50}, 1);
  DragBy({200, -50}, 58 + 2 - 200, 150);
  Frames(10, 16);
  EXPECT_EQ(Piece(3).group, 0);

  // Both turned a quarter: the offset turns with them (right becomes below).
  Place(6, {150, 50}, 1);
  Place(7, {0, -150}, 1);
  DragBy({0, -150}, 150 - 5, 50 - 104 + 8 + 150);
  Frames(10, 16);
  ExpectNear(Centre(Piece(7)), {150, -54});
  EXPECT_EQ(Piece(6).group, 7);

  // Piece 8's links are 3, 9, 7: with 3 and 7 both in reach it joins 3 only.
  Place(3, {-200, -100});
  Place(6, {-300, -300});
  Place(7, {-400, -300});
  Place(7, {-260, 60});  // 8 fits 104 right of 7 and 160 below 3
  Place(3, {-152, 220});
  Place(8, {200, 0});
  DragBy({200, 0}, -156 + 5 - 200, 60 - 3);
  Frames(10, 16);
  ExpectNear(Centre(Piece(8)), {-152, 60});
  EXPECT_EQ(Piece(3).group, 8);
  EXPECT_NE(Piece(7).group, 8);
}

TEST_F(ModePuzzleTest, GroupsJoinInTheFourWaysAndMoveTogether) {
  FindPieces(1, 10);
  Open(1);
  if (HasFatalFailure()) return;
  ClearBoard();
  // A held group dropped onto a piece alone: the piece joins, the group moves as one.
  Place(1, {-200, 100}, 0, 1);
  Place(6, {-200, -60}, 0, 1);
  Place(2, {100, 200});
  DragBy({-200, 100}, -4 + 6 + 200, 200 - 100 - 4);  // 1 to the left of 2, 7 off
  Frames(10, 16);
  ExpectNear(Centre(Piece(1)), {-4, 200});
  ExpectNear(Centre(Piece(6)), {-4, 40});  // the group follows the drag and the snap
  EXPECT_EQ(Piece(2).group, 1);
  // A piece alone dropped onto that group: it takes the group.
  Place(7, {200, -100});
  DragBy({200, -100}, 100 - 200 + 3, 40 + 100 - 2);
  Frames(10, 16);
  ExpectNear(Centre(Piece(7)), {100, 40});
  EXPECT_EQ(Piece(7).group, 1);
  // Two groups: the held one takes the other's number, every member moved by the snap.
  Place(3, {204, 200}, 0, 1);
  Place(4, {-100, -120}, 0, 4);
  Place(5, {4, -120}, 0, 4);
  DragBy({-100, -120}, 100 + 208 - (-100) - 5, 200 + 120 + 6);
  Frames(10, 16);
  ExpectNear(Centre(Piece(4)), {308, 200});
  ExpectNear(Centre(Piece(5)), {412, 200});
  for (int n : {1, 2, 3, 4, 5, 6, 7}) EXPECT_EQ(Piece(n).group, 1) << n;
}

TEST_F(ModePuzzleTest, CompletionGlidesHomeSavesAtOnceAndShowsTheUnlockOnce) {
  FindPieces(1, 10);
  Open(1);
  if (HasFatalFailure()) return;
  // Nine pieces joined where they belong, shifted; the tenth dropped against piece 9.
  const GuiPoint shift{30, -40};
  EXPECT_FALSE(ModeStage::LevelOpens(progress(), 1, 11));
  ClearBoard();
  for (int n = 1; n <= 9; ++n) Place(n, {Home(n).x + shift.x, Home(n).y + shift.y}, 2, 1);
  Place(10, {150, -250}, 2);
  // Turned twice, piece 10 fits 104 left of piece 9 on the screen.
  const GuiPoint fit{Home(9).x + shift.x - 104, Home(9).y + shift.y};
  DragBy({150, -250}, fit.x - 150 + 4, fit.y + 250 - 4);
  EXPECT_TRUE(puzzle().complete);
  EXPECT_TRUE(puzzle().AllJoined());
  EXPECT_FALSE(progress().PuzzleCompleted(1)) << "the bit waits for the glide";
  Frames(10, 16);
  for (int n = 1; n <= 10; ++n) {
    ExpectNear(Centre(Piece(n)), Home(n));
    EXPECT_EQ(Piece(n).rotation, 2) << "the turn stays";
  }
  ASSERT_TRUE(progress().PuzzleCompleted(1));
  EXPECT_TRUE(ModeStage::LevelOpens(progress(), 1, 11)) << "the bonus level opens on the map";
  GUIDialog* dialog = TopDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(DialogText(dialog), FormatIntegers(String("bonus_level_unlocked"), {1, 11}));
  EXPECT_NE(DialogText(dialog).find(u"1.11"), std::u16string::npos);
  // The name is brought over the pieces.
  const ControlList& list = puzzle().controls;
  EXPECT_EQ(list.At(list.Size() - 1), dialog);
  EXPECT_EQ(list.At(list.Size() - 2), list.Find(ModePuzzle::kNameId));
  // Stored at once: another reader of the data folder sees the bit now.
  {
    PlayerProfiles reader;
    reader.Load("en", u"Tester");
    EXPECT_TRUE(reader.progress.PuzzleCompleted(1));
  }
  // Closed, the dialog does not come back; pieces can no longer be picked.
  dialog->SetResult(1);
  Frames(30, 16);
  EXPECT_EQ(TopDialog(), nullptr);
  const GuiPoint before = Centre(Piece(5));
  Pointer(Home(5), InputType::LeftDown);
  EXPECT_FALSE(puzzle().holding);
  Pointer({Home(5).x + 60, Home(5).y}, InputType::PointerMove);
  Pointer({Home(5).x + 60, Home(5).y}, InputType::LeftUp);
  ExpectNear(Centre(Piece(5)), before);
  EXPECT_EQ(Piece(5).rotation, 2);

  // Entered again: finished and inert, at its places, straight.
  Open(1);
  if (HasFatalFailure()) return;
  EXPECT_TRUE(puzzle().complete);
  EXPECT_EQ(TopDialog(), nullptr);
  for (int n = 1; n <= 10; ++n) {
    ExpectNear(Centre(Piece(n)), Home(n));
    EXPECT_EQ(Piece(n).rotation, 0);
  }
  ClickOn(Home(3));
  EXPECT_EQ(Piece(3).rotation, 0);
}

TEST_F(ModePuzzleTest, AnUnfinishedPuzzleIsDealtAnewAndHiddenPiecesTakeNoPart) {
  FindPieces(1, 9);
  Open(1);
  if (HasFatalFailure()) return;
  EXPECT_FALSE(Piece(10).visible);
  // Joins do not outlast a visit.
  Place(1, {-100, 0}, 0, 1);
  Place(2, {4, 0}, 0, 1);
  Open(1);
  if (HasFatalFailure()) return;
  EXPECT_EQ(Piece(1).group, 0);
  EXPECT_EQ(Piece(2).group, 0);
  // Nine pieces joined, and the group dragged so that piece 5 (whose first link is the
  // hidden 10) lies where it fits 10: nothing snaps to a piece not found, so the picture
  // is not complete.
  ClearBoard();
  Place(10, Home(10));
  for (int n = 1; n <= 9; ++n) Place(n, {Home(n).x + 40, Home(n).y - 60}, 0, 1);
  DragBy({Home(5).x + 40, Home(5).y - 60}, -40 + 3, 60 - 2);
  Frames(10, 16);
  ExpectNear(Centre(Piece(5)), {Home(5).x + 3, Home(5).y - 2});
  ExpectNear(Centre(Piece(1)), {Home(1).x + 3, Home(1).y - 2});
  EXPECT_EQ(Piece(10).group, 0);
  EXPECT_FALSE(puzzle().complete);
  Frames(5, 16);
  EXPECT_FALSE(progress().PuzzleCompleted(1));
}

TEST_F(ModePuzzleTest, TheCheatDealsEveryPieceAndF5RebuildsWithoutLeavingTheMessage) {
  Open(3);
  if (HasFatalFailure()) return;
  EXPECT_NE(TopDialog(), nullptr);
  EXPECT_FALSE(Piece(1).visible);
  for (char16_t c : std::u16string(u"unlock")) Input(InputType::Character, c);
  EXPECT_FALSE(ModePuzzle::showAllPieces) << "only with cheats on";
  for (char16_t c : std::u16string(u"cheats")) Input(InputType::Character, c);
  ASSERT_TRUE(app->cheats);
  ASSERT_NE(puzzle().infoText, nullptr);
  for (char16_t c : std::u16string(u"unlock")) Input(InputType::Character, c);
  EXPECT_TRUE(ModePuzzle::showAllPieces);
  Frames(40, 20);
  for (int n = 1; n <= 10; ++n) EXPECT_TRUE(Piece(n).visible) << n;
  ClearBoard();
  EXPECT_EQ(TopDialog(), nullptr);
  // The rebuild deleted the message: the mode does not keep it, and the next cheat message
  // makes a new one.
  EXPECT_TRUE(puzzle().infoText == nullptr || puzzle().controls.Holds(puzzle().infoText));
  for (char16_t c : std::u16string(u"cheats")) Input(InputType::Character, c);
  ASSERT_NE(puzzle().infoText, nullptr);
  Place(1, {0, 0}, 0);
  Pointer({0, 0}, InputType::LeftDown);
  ASSERT_EQ(puzzle().held, &Piece(1));
  Input(InputType::KeyDown, kGameKeyF1 + 4);  // F5 while a piece is held
  EXPECT_EQ(puzzle().held, nullptr);
  EXPECT_FALSE(puzzle().holding);
  EXPECT_TRUE(puzzle().infoText == nullptr || puzzle().controls.Holds(puzzle().infoText));
  Pointer({40, 40}, InputType::PointerMove);
  Pointer({40, 40}, InputType::LeftUp);
  for (char16_t c : std::u16string(u"cheats")) Input(InputType::Character, c);
  EXPECT_TRUE(puzzle().controls.Holds(puzzle().infoText));
  Frames(5);
}

TEST_F(ModePuzzleTest, PuzzleNumbersOutsideTheBoardsGiveAnEmptyBoard) {
  FindPieces(1, 10);
  const Progress before = progress();
  for (const int p : {0, 12, -3}) {
    Open(p);
    if (HasFatalFailure()) return;
    EXPECT_EQ(puzzle().Piece(1), nullptr) << p;
    EXPECT_EQ(TopDialog(), nullptr) << p;
    EXPECT_FALSE(puzzle().complete);
    ClickOn({0, 0});
    Input(InputType::KeyDown, kGameKeyF1 + 4);
    Frames(3);
    EXPECT_TRUE(progress() == before) << p;
  }
  // Back to the map by Escape.
  Input(InputType::KeyDown, kGameKeyEscape);
  Frames(60, 20);
  EXPECT_EQ(app->current, &map());
}

TEST_F(ModePuzzleTest, DamagedPuzzleFilesGiveWhatTheyCan) {
  // Puzzle 4 with pieces 7-10 missing from the set; an outline file whose first piece links
  // 15 and itself, whose second piece has no points and a third with two, and that ends
  // after five pieces.
  TempDir folder;
  const std::filesystem::path dir = folder.Path();
  std::ofstream(dir / "puzzle_set_4.xml") << R"(<controls>
    <pic id="11" spr="pz4_01" cx="-233" cy="135"/><pic id="12" spr="pz4_02" cx="-129" cy="135"/>
    <pic id="13" spr="pz4_03" cx="-25" cy="135"/><pic id="14" spr="pz4_04" cx="79" cy="135"/>
    <pic id="15" spr="pz4_05" cx="183" cy="135"/><pic id="16" spr="no_such_sprite" cx="0" cy="0"/>
    <pic id="16" spr="pz4_06" w="100" h="-100" x="0" y="0"/><bogus/></controls>)";
  std::ofstream(dir / "puzzle_poly_4.xml") << R"(<pieces>
    <piece links="15,1,2,,x"><point x="-52" y="-80"/><point x="52" y="-80"/>
      <point x="52" y="80"/><point x="-52" y="80"/></piece>
    <piece links="1"/>
    <piece links="2"><point x="0" y="0"/><point x="nan" y="1"/><point x="5" y="5"/></piece>
    <piece links="3,999999999999"><point x="1e39" y="0"/></piece>
    <piece/></pieces>)";
  app->files()->Mount(dir.string());
  FindPieces(4, 10);
  Open(4);
  if (HasFatalFailure()) return;
  for (int n = 7; n <= 10; ++n) EXPECT_EQ(puzzle().Piece(n), nullptr) << n;
  ASSERT_EQ(Piece(1).links.size(), 1u) << "15 and the piece itself are dropped";
  EXPECT_EQ(Piece(1).links[0].number, 2);
  EXPECT_EQ(Piece(1).links[0].neighbour, &Piece(2));
  EXPECT_FLOAT_EQ(Piece(1).links[0].offset.x, 104);
  EXPECT_EQ(Piece(1).outline.size(), 4u);
  for (int n : {2, 3, 4, 5}) {
    EXPECT_EQ(Piece(n).outline.size(), 4u) << n << ": the sprite's rectangle";
    EXPECT_FLOAT_EQ(Piece(n).outline[1].x, Piece(n).sprite ? Piece(n).sprite->width / 2 : 0);
  }
  EXPECT_TRUE(Piece(6).links.empty());
  // The first piece 6 of the set is the one the screen uses; it has no sprite.
  EXPECT_EQ(Piece(6).sprite, nullptr);
  // Play goes on: turning, dragging, snapping 2 onto 1, and never complete.
  for (int n = 1; n <= 6; ++n) Place(n, {-400 + float(n) * 10, -250});
  Place(1, {-100, 100});
  Place(2, {150, 100});
  DragBy({150, 100}, -100 + 104 - 150 + 5, 0);
  Frames(10, 16);
  ExpectNear(Centre(Piece(2)), {4, 100});
  EXPECT_EQ(Piece(1).group, 2);
  ClickOn({4, 100});
  Frames(12, 16);
  EXPECT_FALSE(puzzle().complete);
  Input(InputType::KeyDown, kGameKeyF1 + 4);
  Frames(3);
}

// Every demo level of episodes 1-5 hides one piece, drawn from a picture of its own; found in
// all ten levels of episode 1, the pieces fill puzzle 1.
TEST_F(ModePuzzleTest, EveryDemoLevelHidesOnePiece) {
  int levels = 0;
  for (int e = 1; e <= 5; ++e) {
    for (int l = 1; l <= 10; ++l) {  // the bonus level 11 holds none
      char name[32];
      std::snprintf(name, sizeof name, "level_%02d_%02d.xml", e, l);
      if (!app->files()->Find(name)) continue;
      ++levels;
      XmlDocument doc(*app->files());
      ASSERT_TRUE(doc.Load(name)) << name;
      int pieces = 0;
      const XmlElement level = doc.FirstChild(XmlElement(), "level");
      for (XmlElement o = level.FirstChild("object"); o; o = o.NextSibling("object")) {
        if (o.Int("class", 0) != 6) continue;
        ++pieces;
        EXPECT_NE(app->textures()->Get(o.Text("tex"), false), nullptr) << name;
      }
      EXPECT_EQ(pieces, 1) << name;
    }
  }
  EXPECT_GE(levels, 22);
  FindPieces(1, 10);
  Open(1);
  if (HasFatalFailure()) return;
  EXPECT_EQ(puzzle().FoundPieces(), 10);
  EXPECT_EQ(TopDialog(), nullptr);
}
