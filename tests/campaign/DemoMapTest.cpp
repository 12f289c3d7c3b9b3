// The game's own episode map (the built content, not a test map): every episode's markers are
// there once, and the progress opens them episode by episode.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "campaign/ModeStage.h"
#include "level/Level.h"
#include "level/WorldObject.h"
#include "level_screen/ModeGame.h"

#include "level_screen/ModeGameFixture.h"

namespace {

using Kind = ModeStage::MarkerKind;

class DemoMapTest : public MapScreenTest {
 protected:
  void Enter() {
    MapScreenTest::Enter();
    ASSERT_TRUE(map().HasMapLevel());
  }
  // Finishes levels 1..10 of the episodes up to `episode` with the stars given and makes the
  // last of them the last played.
  void FinishEpisodes(int episode, int stars) {
    for (int e = 1; e <= episode; ++e) {
      for (int l = 1; l <= 10; ++l) {
        LevelRecord& r = progress().Record(e, l);
        r.flags |= LevelRecord::kFinished;
        r.stars = uint8_t(stars);
      }
    }
    progress().lastEpisode = episode - 1;
    progress().lastLevel = 9;
  }
  // The one marker of a kind whose number is `number` (comics and puzzles by their second
  // parameter, achievements and wonders by their first).
  const ModeStage::Marker* Find(Kind kind, int number) const {
    const ModeStage::Marker* found = nullptr;
    for (const auto& m : map().Markers()) {
      const int n = kind == Kind::Comic || kind == Kind::Puzzle ? m.second : m.first;
      if (m.kind == kind && n == number) {
        EXPECT_EQ(found, nullptr) << "marker kind " << int(kind) << " number " << number
                                  << " twice";
        found = &m;
      }
    }
    return found;
  }
};

}  // namespace

TEST_F(DemoMapTest, EveryEpisodeHasItsMarkersOnce) {
  Enter();
  std::map<std::pair<int, int>, int> levels;
  for (const auto& m : map().Markers()) {
    if (m.kind == Kind::Level) ++levels[{m.first, m.second}];
  }
  for (int e = 1; e <= 5; ++e) {
    for (int l = 1; l <= 11; ++l) EXPECT_EQ((levels[{e, l}]), 1) << e << ":" << l;
    EXPECT_NE(Find(Kind::Wonder, e), nullptr) << "wonder " << e;
    EXPECT_NE(Find(Kind::Puzzle, e), nullptr) << "puzzle " << e;
  }
  EXPECT_EQ(levels.size(), 55u) << "no marker outside the campaign";
  for (int k = 1; k <= 6; ++k) EXPECT_NE(Find(Kind::Comic, k), nullptr) << "comic " << k;
  for (int n = 1; n <= 22; ++n) {
    const ModeStage::Marker* trophy = Find(Kind::Achievement, n);
    ASSERT_NE(trophy, nullptr) << "trophy " << n;
    EXPECT_EQ(trophy->second, -1) << "a new player has earned nothing";
  }
  // Episodes lie from west to east: each episode's first level east of the one before's last.
  for (int e = 2; e <= 5; ++e) {
    EXPECT_GT(map().ObjectOf(*map().LevelMarker(e, 1))->position.x,
              map().ObjectOf(*map().LevelMarker(e - 1, 10))->position.x)
        << e;
  }
}

TEST_F(DemoMapTest, FinishingAnEpisodeOpensTheNextOnTheMap) {
  Enter();
  EXPECT_FALSE(map().LevelMarker(2, 1)->open);
  EXPECT_FALSE(Find(Kind::Comic, 2)->open);
  EXPECT_FALSE(Find(Kind::Puzzle, 2)->open);

  FinishEpisodes(1, 2);
  Enter();
  const ModeStage::Marker* next = map().LevelMarker(2, 1);
  EXPECT_TRUE(next->open);
  EXPECT_EQ(next->picture, "level_current");
  EXPECT_EQ(map().Selected(), int(next - map().Markers().data()));
  EXPECT_TRUE(Find(Kind::Comic, 2)->open);
  EXPECT_TRUE(Find(Kind::Puzzle, 2)->open);
  EXPECT_FALSE(Find(Kind::Comic, 3)->open);
  EXPECT_FALSE(map().LevelMarker(2, 2)->open);
  EXPECT_FALSE(map().LevelMarker(2, 11)->open) << "the bonus level waits for the puzzle";
  // The map scrolled to the next level: its marker stands at the middle of the screen.
  EXPECT_NEAR(map().ObjectOf(*next)->position.x + map().scrollX, 0.0f, 1.0f);

  FinishEpisodes(4, 3);
  Enter();
  EXPECT_EQ(map().LevelMarker(5, 1)->picture, "level_current");
  EXPECT_TRUE(Find(Kind::Comic, 5)->open);
  EXPECT_FALSE(Find(Kind::Comic, 6)->open) << "the closing story waits for episode 5";
  EXPECT_FLOAT_EQ(map().scrollX, map().ScrollLower()) << "episode 5 next: the right end";
  // Ten three-star levels build episodes 1 to 4's wonders to the top with their decorations;
  // episode 5's stands empty with its decorations hidden.
  for (int e = 1; e <= 5; ++e) {
    const ModeStage::Marker* wonder = Find(Kind::Wonder, e);
    const WorldObject* o = map().ObjectOf(*wonder);
    EXPECT_EQ(o->texture, "wonder_0" + std::to_string(e) + (e < 5 ? "_10" : "_01"));
    EXPECT_EQ(wonder->built, e < 5) << e;
    int decorations = 0;
    for (const auto& other : map().MapLevel()->objects) {
      if (other->linkId != wonder->objectId) continue;
      ++decorations;
      EXPECT_EQ(other->Hidden(), e == 5) << "decoration " << other->id;
    }
    EXPECT_GT(decorations, 0) << e;
  }
}
