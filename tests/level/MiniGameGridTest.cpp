// The pipe grid of mini-game phases: set-up, the piece's way through straight and corner
// tiles, the exits of the grid, turning tiles and the loss.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "MiniGameTestSupport.h"

namespace leveltest {
namespace {

std::string GridGame(const GridSpec& g, int length, int speed = 10, const std::string& attrs = "") {
  std::string params = std::to_string(g.w) + "," + std::to_string(g.h);
  for (int i = 0; i < g.w * g.h; ++i) params += "," + std::to_string(100 + i);
  return OneGame("<Phase type=\"7\" length=\"" + std::to_string(length) + "\" speed=\"" +
                     std::to_string(speed) + "\" params=\"" + params + "\"/>",
                 attrs);
}

TEST(MiniGameGridTest, SetUpRoundsTurnsAndPlacesThePiece) {
  GridSpec g;
  g.w = 2;
  g.h = 1;
  g.tex = {"pipe1", "pipe_c"};
  g.rot = {-92, 310};
  MiniSim sim(GridGame(g, 2));
  sim.Begin(GridLevel(g));
  const MiniGameGrid& grid = sim.Mini().grid;
  ASSERT_EQ(grid.turn.size(), 2u);
  EXPECT_EQ(grid.turn[0], 3);  // -92 degrees: three quarter turns
  EXPECT_EQ(grid.turn[1], 3);  // 310 degrees
  EXPECT_EQ(grid.straight, (std::vector<bool>{true, false}));
  EXPECT_EQ(sim.Get(100).rotation, 270.0f);
  EXPECT_TRUE(sim.Get(100).Has(ObjectFlags::kPassable));
  // The middle of tile 0's left edge, which turns with the tile: a three-quarter turn
  // counter-clockwise brings it to the top.
  EXPECT_NEAR(sim.Get(99).position.x, 0.0f, 1e-3);
  EXPECT_NEAR(sim.Get(99).position.y, 25.0f, 1e-3);
  EXPECT_EQ(grid.piece, 99);
}

TEST(MiniGameGridTest, ACornerEnteredMovingRightTurnsThePieceDown) {
  // Straight right, corner 0 (left and bottom), then straight down out of the last cell.
  GridSpec g;
  g.w = 2;
  g.h = 2;
  g.tex = {"pipe1", "pipe_c", "pipe1", "pipe1"};
  g.rot = {0, 0, 0, 90};
  MiniSim sim(GridGame(g, 3));
  sim.Begin(GridLevel(g));
  MiniGameGrid& grid = sim.Mini().grid;
  sim.RunUntil([&] { return grid.cell == 3 || sim.game->Ended(); }, 5000);
  ASSERT_EQ(grid.cell, 3);
  EXPECT_EQ(grid.dir, (Vec2{0, -1}));
  EXPECT_FALSE(sim.Lost());
  sim.RunUntil([&] { return sim.game->Ended(); }, 5000);
  EXPECT_TRUE(sim.Won());
  EXPECT_EQ(sim.screen.Lines("goal").size(), 3u);
  EXPECT_EQ(sim.Get(101).fadeValue, 1.0f);
}

TEST(MiniGameGridTest, AStraightTileAcrossTheWayLosesWithAHitPerHitLeft) {
  GridSpec g;
  g.w = 2;
  g.h = 1;
  g.rot = {0, 90};  // orientation 1: top-bottom
  MiniSim lossy(GridGame(g, 2, 10, "health=\"4\""));
  lossy.Begin(GridLevel(g));
  lossy.RunUntil([&] { return lossy.game->Ended(); }, 5000);
  EXPECT_TRUE(lossy.Lost());
  EXPECT_EQ(lossy.Hits(), 4);
  EXPECT_TRUE(lossy.level->phases.empty());
  EXPECT_TRUE(lossy.Mini().grid.turn.empty());
  // The failure's frame still runs the win check: the level reads as won, the music plays,
  // and the result reports the loss.
  EXPECT_EQ(lossy.level->state, LevelState::Won);
  EXPECT_TRUE(lossy.screen.Saw("music win_theme"));
  lossy.RunUntil([&] { return lossy.screen.result.has_value(); }, 1000);
  ASSERT_TRUE(lossy.screen.result.has_value());
  EXPECT_FALSE(lossy.screen.result->won);
  EXPECT_EQ(lossy.screen.Lines("music").back(), "music lose_theme") << "the loss is heard last";
}

// Puts the piece just inside the edge of a cell's tile, moving in a direction, and steps.
struct ExitCase {
  int cell;
  Vec2 dir;
  bool success;
};

TEST(MiniGameGridTest, TheExitsOfAThreeByThreeGrid) {
  for (const ExitCase c : {ExitCase{8, {1, 0}, true}, ExitCase{8, {0, -1}, true},
                           ExitCase{2, {1, 0}, false}, ExitCase{6, {0, -1}, false},
                           ExitCase{0, {0, 1}, false}, ExitCase{3, {-1, 0}, false}}) {
    SCOPED_TRACE(std::to_string(c.cell) + " " + std::to_string(c.dir.x) + "," +
                 std::to_string(c.dir.y));
    GridSpec g;
    MiniSim sim(GridGame(g, 1, 10, "health=\"2\""));
    sim.Begin(GridLevel(g));
    MiniGameGrid& grid = sim.Mini().grid;
    const WorldObject& tile = sim.Get(100 + c.cell);
    grid.cell = c.cell;
    grid.dir = grid.entryDir = c.dir;
    sim.Get(99).position = Vec2{tile.position.x + c.dir.x * 24.9f, tile.position.y + c.dir.y * 24.9f};
    sim.Run(1);
    EXPECT_EQ(sim.Lost(), !c.success);
    EXPECT_EQ(sim.Hits(), c.success ? 0 : 2);
    if (c.success) {
      // The exit completes the phase, and the same frame's check wins the level.
      EXPECT_EQ(sim.screen.Lines("goal").size(), 1u);
      EXPECT_TRUE(sim.level->phases.empty());
      EXPECT_TRUE(sim.Won());
    }
  }
}

TEST(MiniGameGridTest, TurningTiles) {
  GridSpec g;
  MiniSim sim(GridGame(g, 9, 4));
  sim.Begin(GridLevel(g));
  MiniGameGrid& grid = sim.Mini().grid;
  WorldObject& tile = sim.Get(104);
  // A turn slows the piece by 0.1, never below the phase's speed.
  grid.speed = 4.05f;
  sim.ClickAt(tile.position);
  EXPECT_FLOAT_EQ(grid.speed, 4.0f);
  EXPECT_EQ(grid.turn[4], 3);
  // A second click within 180 ms is ignored.
  sim.Run(10);
  grid.speed = 6.0f;
  sim.ClickAt(tile.position);
  EXPECT_EQ(grid.turn[4], 3);
  EXPECT_FLOAT_EQ(grid.speed, 6.0f);
  EXPECT_LT(tile.rotation, 0.0f);
  EXPECT_GT(tile.rotation, -90.0f);
  sim.Run(9);
  EXPECT_EQ(tile.rotation, -90.0f);
  sim.ClickAt(tile.position);
  EXPECT_EQ(grid.turn[4], 2);
  EXPECT_NEAR(grid.speed, 6.0f + 0.09f - 0.1f, 1e-3);  // sped up over the frames, then slowed
  sim.Run(19);
  EXPECT_EQ(tile.rotation, -180.0f);
  // The tile the piece is in cannot be turned, nor hovered.
  EXPECT_EQ(sim.game->PickHovered(sim.Get(100).position), nullptr);
  EXPECT_FALSE(grid.Rotate(sim.Get(100)));
}

TEST(MiniGameGridTest, GridsThatCannotBeLaidOutAndMissingTiles) {
  struct Case {
    const char* params;
    bool grid;
  };
  const std::string tiles = R"(<object id="100" tex="pipe1" class="8" pos="0,0" size="25,25"
                                       obj_link="99"/>
                               <object id="101" tex="pipe1" class="8" pos="50,0" size="0,0"/>
                               <object id="99" tex="ball" class="0" pos="0,0" size="8,8"/>)";
  for (const Case c : {Case{"", false}, Case{"2", false}, Case{"0,1,100", false},
                       Case{"1,0,100", false}, Case{"2,1,100", false}, Case{"-1,-1,100", false},
                       Case{"65536,65536,100,101", false}, Case{"2,1,100,555", true},
                       Case{"2,1,100,101", true}}) {
    SCOPED_TRACE(c.params);
    MiniSim sim(OneGame(std::string(R"(<Phase type="7" length="3" speed="10" params=")") +
                        c.params + "\"/>"));
    sim.Begin(std::string(kHeroBase) + tiles);
    EXPECT_EQ(sim.Mini().grid.piece != 0, c.grid);
    // Whatever the list, frames and clicks read nothing past it.
    for (int i = 0; i < 300; ++i) {
      if (i % 7 == 0) sim.ClickAt(Vec2{float(i % 60), 0});
      sim.Run(1);
    }
    const Vec2 at = sim.Get(99).position;
    EXPECT_TRUE(std::isfinite(at.x) && std::isfinite(at.y));
  }
}

}  // namespace
}  // namespace leveltest
