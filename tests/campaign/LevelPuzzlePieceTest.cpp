// The puzzle piece hidden in a demo level, played on the level screen: a click on it collects
// it, and the win keeps it in the level's record, where the puzzle counts it.
#include <gtest/gtest.h>

#include "campaign/ModePuzzle.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level/WorldObject.h"

#include "level_screen/ModeGameFixture.h"

namespace {

using LevelPuzzlePieceTest = ModeGameTest;

}  // namespace

TEST_F(LevelPuzzlePieceTest, AClickCollectsTheLevelsPieceAndTheWinKeepsIt) {
  Settle();
  Level* level = mode().CurrentLevel();
  ASSERT_NE(level, nullptr);
  WorldObject* piece = level->FindObject(900);
  ASSERT_NE(piece, nullptr);
  EXPECT_EQ(piece->cls, WorldObject::kPuzzlePiece);
  EXPECT_FALSE(piece->Hidden());
  EXPECT_FALSE(level->puzzleCollected);
  // The level is drawn unzoomed and unscrolled: the piece's world point is its screen point.
  ClickAt(piece->position.x, piece->position.y);
  Frames(2);
  EXPECT_TRUE(level->puzzleCollected);
  EXPECT_TRUE(piece->Has(ObjectFlags::kBusy));
  for (int i = 0; i < 300 && !piece->Hidden(); ++i) Frames(1, 20);
  EXPECT_TRUE(piece->Hidden()) << "it grows, fades and goes";

  app->cheats = true;
  for (const char c : std::string("win")) Input(InputType::Character, c);
  for (int i = 0;
       i < 400 && !(app->profiles()->progress.Record(1, 1).flags & LevelRecord::kFinished); ++i) {
    Frames(5, 20);
    PassOpening();
  }
  const LevelRecord& record = app->profiles()->progress.Record(1, 1);
  ASSERT_TRUE(record.flags & LevelRecord::kFinished);
  EXPECT_TRUE(record.flags & LevelRecord::kPuzzlePiece);
  TheModePuzzle().Accept(ShowPuzzle(1, ModeId::Map));
  EXPECT_EQ(TheModePuzzle().FoundPieces(), 1);
}
