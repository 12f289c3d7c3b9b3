#include <gtest/gtest.h>

#include "level_screen/HudItems.h"

TEST(HudItems, StartsEmpty) {
  HudItems items;
  EXPECT_EQ(items.WorkTimerCount(), 0u);
  EXPECT_EQ(items.ObjectArrow(), nullptr);
}
