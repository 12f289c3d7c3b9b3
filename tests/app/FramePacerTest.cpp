// The frame pacer on a clock the test moves: frames that cost little are spread over the
// display's refresh, frames that wait for the display get only the minimum sleep, and a
// stall is not followed by a burst.
#include <gtest/gtest.h>

#include <vector>

#include "app/FramePacer.h"

namespace {

// Runs frames that each take `work` ms until `span` ms have passed; returns the start times.
std::vector<uint32_t> RunFrames(FramePacer& pacer, uint32_t start, uint32_t work, int rate,
                                uint32_t span) {
  std::vector<uint32_t> starts;
  for (uint32_t now = start; now - start < span;) {
    starts.push_back(now);
    now += work;
    now += pacer.SleepAfterFrame(now, rate);
  }
  return starts;
}

}  // namespace

TEST(FramePacer, CheapFramesFollowTheRefreshRateAndSixtyWhenItIsUnknown) {
  for (const auto& [rate, expected] : {std::pair{60, 60}, {0, 60}, {144, 144}, {30, 30}}) {
    FramePacer pacer;
    const std::vector<uint32_t> starts = RunFrames(pacer, 5000, 2, rate, 10000);
    EXPECT_NEAR(double(starts.size()) / 10.0, expected, 1.0) << rate << " Hz";
    // Evenly, once the first frame has set the beat.
    for (size_t i = 2; i < starts.size(); ++i) {
      ASSERT_GE(starts[i] - starts[i - 1], 1000u / uint32_t(expected) - 1) << i;
    }
  }
}

TEST(FramePacer, FramesThatWaitForTheDisplayOrRunLongSleepOnlyTheMinimum) {
  FramePacer pacer;
  uint32_t now = 100;
  // A present that waits for a 60 Hz display: about 16.7 ms a frame.
  for (int i = 0; i < 120; ++i) {
    now += i % 3 == 0 ? 16 : 17;
    EXPECT_LE(pacer.SleepAfterFrame(now, 60), 2u) << i;
  }
  // Slow frames (40 ms) never sleep beyond the minimum.
  for (int i = 0; i < 20; ++i) {
    now += 40;
    EXPECT_EQ(pacer.SleepAfterFrame(now, 60), FramePacer::kMinSleepMs);
  }
}

TEST(FramePacer, AStallIsNotMadeUpWithABurstAndTheClockMayWrap) {
  FramePacer pacer;
  const uint32_t start = 0xFFFFFF00u;  // wraps a quarter of a second in
  std::vector<uint32_t> starts = RunFrames(pacer, start, 2, 60, 100);
  uint32_t now = starts.back() + 2 + 500;  // a frame that took half a second
  now += pacer.SleepAfterFrame(now, 60);
  const std::vector<uint32_t> after = RunFrames(pacer, now, 2, 60, 1000);
  EXPECT_NEAR(double(after.size()), 60.0, 1.0);
  for (size_t i = 1; i < after.size(); ++i) EXPECT_GE(after[i] - after[i - 1], 15u) << i;
}
