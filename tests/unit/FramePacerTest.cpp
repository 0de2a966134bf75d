// Frame pacing against a simulated clock: the game must run 60 updates a
// second on average, whatever the sleeps really take.
#include "app/FramePacer.h"

#include <gtest/gtest.h>

namespace
{
// Runs frames that take workMs each and sleeps that overshoot by oversleepMs;
// returns the simulated time after the given number of frames.
uint32_t RunFrames(CFramePacer& pacer, uint32_t start, int frames, uint32_t workMs, uint32_t oversleepMs)
{
    uint32_t now = start;
    for (int i = 0; i < frames; ++i)
    {
        now += workMs;
        const uint32_t sleep = pacer.NextSleep(now);
        if (sleep > 0)
            now += sleep + oversleepMs;
    }
    return now;
}
} // namespace

TEST(FramePacer, SixtyUpdatesASecondEvenWhenEverySleepOvershoots)
{
    for (uint32_t oversleep : {0u, 1u, 3u})
    {
        CFramePacer pacer(16);
        const uint32_t elapsed = RunFrames(pacer, 5000, 3750, 5, oversleep) - 5000;
        // 3750 frames of 16 ms are 60 s, counted from the end of the first
        // frame's work; one late sleep at the end at most.
        EXPECT_GE(elapsed, 3750u * 16u + 5u) << "oversleep " << oversleep;
        EXPECT_LE(elapsed, 3750u * 16u + 5u + oversleep) << "oversleep " << oversleep;
    }
}

TEST(FramePacer, ScheduleSurvivesTheClockWrapping)
{
    CFramePacer pacer(16);
    const uint32_t start = 0xFFFFFF00u;
    const uint32_t elapsed = RunFrames(pacer, start, 100, 2, 1) - start;
    EXPECT_LE(elapsed, 2u + 100u * 16u + 1u);
    EXPECT_GE(elapsed, 2u + 100u * 16u);
}

TEST(FramePacer, SlowFramesDoNotSleepAndALongStallIsNotRacedThrough)
{
    CFramePacer pacer(16);
    EXPECT_EQ(pacer.NextSleep(1000), 16u);
    // A frame a little late: no sleep, and the next one makes up for it.
    EXPECT_EQ(pacer.NextSleep(1016 + 20), 0u);
    EXPECT_EQ(pacer.NextSleep(1036 + 1), 11u);
    // A stall of two seconds: the schedule starts again from now, so the next
    // frames are paced instead of run back to back.
    EXPECT_EQ(pacer.NextSleep(3100), 0u);
    EXPECT_EQ(pacer.NextSleep(3105), 11u);
}
