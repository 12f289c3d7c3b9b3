// A level interrupted mid-play goes into the current player's "Game" and comes back from it
// into the same world: workers out, a command queued, a work timer running, the bonus meter.
#include <gtest/gtest.h>

#include <memory>

#include "../level/SimTestSupport.h"
#include "progress/ProfilesTestSupport.h"
#include "progress/PlayerProfiles.h"

namespace {

using leveltest::Road;
using leveltest::Sim;
using F = ObjectFlags;

class MidPlaySaveTest : public ProfilesFolderTest {};

TEST_F(MidPlaySaveTest, ALevelSavedMidPlayComesBackThroughThePlayersGame) {
  Sim s;
  s.Begin(Road(10, R"(
    <object id="6" tex="wp" class="3" pos="150,100" size="10,10" links="2,0,0" obj_link="21"/>
    <object id="21" tex="tree" class="1" subclass="10" pos="150,100"/>)"));
  s.level->episode = 1;
  s.level->levelNumber = 3;
  s.Click(5);
  s.RunUntil([&] { return s.Worker(0).Has(F::kAtWork); });
  s.Run(100);
  s.Click(6);  // the worker is busy: queued
  s.level->bonusTime = 4200;
  ASSERT_EQ(s.level->commandQueue, (std::vector<int>{6}));
  const std::optional<std::string> saved = s.game->Save();
  ASSERT_TRUE(saved);
  {
    PlayerProfiles profiles;
    profiles.Load("en", u"alice");
    ASSERT_TRUE(profiles.SaveGame(*saved));
  }

  // A later start of the game finds the level in the player's files.
  PlayerProfiles profiles;
  profiles.Load("en", u"alice");
  ASSERT_TRUE(profiles.HasGame());
  const std::optional<std::string> text = profiles.LoadGame();
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, *saved);
  Sim r;
  r.Begin(*text);
  EXPECT_EQ(r.level->episode, 1);
  EXPECT_EQ(r.level->levelNumber, 3);
  EXPECT_EQ(r.level->bonusTime, 4200);
  EXPECT_EQ(r.level->commandQueue, (std::vector<int>{6}));
  EXPECT_TRUE(r.Worker(0).Has(F::kAtWork));
  EXPECT_EQ(r.game->timers.Remaining(20), s.game->timers.Remaining(20));
  // Both worlds go on the same way: the timer ends, the queue sends the worker on.
  for (int i = 0; i < 400; ++i) {
    s.game->Frame(10);
    r.game->Frame(10);
  }
  EXPECT_TRUE(r.Get(20).Has(F::kPassable));
  EXPECT_TRUE(r.Get(21).Has(F::kInProcess));
  EXPECT_TRUE(r.level->commandQueue.empty());
  EXPECT_EQ(r.level->gameTime, s.level->gameTime);
  EXPECT_EQ(r.Worker(0).position.x, s.Worker(0).position.x);
  EXPECT_EQ(r.Worker(0).position.y, s.Worker(0).position.y);
  EXPECT_EQ(r.Worker(0).flags, s.Worker(0).flags);
}

}  // namespace
