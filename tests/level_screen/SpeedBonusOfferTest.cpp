// The level screen tells the controller whether the speed bonus is on the panel: the trophy of
// the walking-speed obelisk hangs on it.
#include <gtest/gtest.h>

#include "ModeGameFixture.h"
#include "gui/GUIButton.h"
#include "level/GameController.h"
#include "level/Level.h"

namespace {

TEST_F(ModeGameTest, TheControllerKnowsWhetherTheSpeedBonusIsOffered) {
  // Level 1:1 offers the speed bonus (it costs 20 of the meter's 100 seconds).
  ASSERT_NE(mode().Controller(), nullptr);
  ASSERT_NE(mode().panels.Button(0), nullptr);
  EXPECT_TRUE(mode().panels.Button(0)->visible);
  EXPECT_TRUE(mode().Controller()->speedBonusOnPanel);
  // A level that does not offer it.
  mode().CurrentLevel()->bonusCost[0] = 0;
  mode().PrepareHud();
  EXPECT_FALSE(mode().Controller()->speedBonusOnPanel);
}

}  // namespace
