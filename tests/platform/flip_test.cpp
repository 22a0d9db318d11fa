#include "platform/frame.h"
#include "platform/video/retrace.h"
#include "support/rig_fixture.h"

using FlipTest = testrig::HeadlessTest;

// Flip(-1) paces to the refresh rate in software: 16 ms a frame at 60 Hz, with the 40 ms
// left over spread one at a time over the second.
TEST_F(FlipTest, SoftwarePacingSpreadsTheRemainderOverTheSecond) {
    Flip(-1);  // starts the schedule
    int32_t start = Millisecs();
    int seventeens = 0;
    for (int i = 0; i < 60; ++i) {
        int32_t before = Millisecs();
        Flip(-1);
        int32_t step = Millisecs() - before;
        ASSERT_TRUE(step == 16 || step == 17) << step;
        seventeens += step == 17;
    }
    EXPECT_EQ(Millisecs() - start, 1000);
    EXPECT_EQ(seventeens, 40);

    // A late frame does not sleep and starts the schedule again from the present.
    clockseam::Advance(100);
    int32_t before = Millisecs();
    Flip(-1);
    EXPECT_EQ(Millisecs(), before);
    Flip(-1);
    EXPECT_GE(Millisecs() - before, 16);
    EXPECT_LE(Millisecs() - before, 17);
}

// The same pacing where the millisecond clock wraps (a machine up for 24.8 days).
TEST_F(FlipTest, SoftwarePacingCarriesOnAcrossTheClockWrap) {
    clockseam::UseVirtualClock(INT32_MAX - 50);
    frame::ResetPacing();
    Flip(-1);
    const int32_t start = Millisecs();
    for (int i = 0; i < 10; ++i) {
        const int32_t before = Millisecs();
        Flip(-1);
        const int32_t step = MillisecsBetween(before, Millisecs());
        ASSERT_TRUE(step == 16 || step == 17) << i << ": " << step;
    }
    EXPECT_LT(Millisecs(), 0) << "the clock has wrapped";
    EXPECT_GE(MillisecsBetween(start, Millisecs()), 160);
}

TEST_F(FlipTest, FlipsAreCountedTracedAndNumberTheirOperations) {
    SetClsColor(10, 20, 30);
    Cls();
    Flip(0);
    Cls();
    Flip(1);
    EXPECT_EQ(session::FlipCount(), 2);
    auto flips = testrig::TraceOps("flip");
    ASSERT_EQ(flips.size(), 2u);
    EXPECT_EQ(testrig::Field(flips[0], "flip"), "1");
    EXPECT_EQ(testrig::Field(flips[1], "sync"), "1");
    auto clears = testrig::TraceOps("cls");
    ASSERT_EQ(clears.size(), 2u);
    EXPECT_EQ(testrig::Field(clears[1], "flip"), "2");
    EXPECT_EQ(testrig::Field(clears[0], "rgb"), "[10,20,30]");
    // Under the virtual clock a retrace wait lands on the next 60 Hz retrace.
    int32_t before = Millisecs();
    Flip(1);
    EXPECT_GT(Millisecs(), before);
    EXPECT_LE(Millisecs() - before, 17);
}

// The retrace after any clock reading is strictly later and at most one period away, and
// the schedule keeps 60 retraces a second (a floating-point quotient once put the target
// on the present time from 131100 ms on and froze the clock).
TEST(RetraceSchedule, EveryClockValueWaitsForwardOnTheSixtyHertzGrid) {
    for (int64_t now = 100000; now <= 10000000; ++now) {
        int64_t next = frame::NextRetrace(now, 60);
        ASSERT_GT(next, now) << now;
        ASSERT_LE(next - now, 17) << now;
    }
    for (int64_t now : {-1000LL, -17LL, -1LL, 0LL, 131100LL, 2147483647LL}) {
        int64_t next = frame::NextRetrace(now, 60);
        EXPECT_GT(next, now) << now;
        EXPECT_LE(next - now, 17) << now;
    }
    // Sixty retraces from a whole second land exactly on the next whole second.
    int64_t t = 131000;
    for (int i = 0; i < 60; ++i) t = frame::NextRetrace(t, 60);
    EXPECT_EQ(t, 132000);
}

TEST_F(FlipTest, AQuitFromTheWindowEndsTheRunAtTheNextFlip) {
    testrig::Script({"1 quit"});
    try {
        Flip(0);
        FAIL() << "the run went on";
    } catch (const session::Stop& stop) {
        EXPECT_EQ(stop.code(), 0);
    }
}

// A driver whose swap waits shows frames a retrace apart and is left to pace them; one
// that shows them as they come (a virtual X display) is found out within a second, and
// from then on each frame waits for its beat, a late one starting the beat again.
TEST(RetracePacer, LeavesAWaitingDriverAloneAndBeatsForOneThatDoesNotWait) {
    video::RetracePacer vsync;
    double t = 0;
    for (int i = 0; i < 600; ++i, t += 16.7) {
        EXPECT_EQ(vsync.WaitBefore(t), 0);
        vsync.Swapped(t, 60);
    }
    EXPECT_FALSE(vsync.Software());

    video::RetracePacer quick;
    t = 0;
    int swaps = 0;
    while (!quick.Software() && swaps < 1000) {
        quick.Swapped(t, 60);
        t += 2;  // a 2 ms frame, shown at once
        ++swaps;
    }
    ASSERT_TRUE(quick.Software());
    EXPECT_LE(swaps, video::RetracePacer::kSwapsJudged);
    // From the last swap, the next beat is a period on.
    const double beat = t - 2 + 1000.0 / 60;
    EXPECT_NEAR(quick.WaitBefore(t), beat - t, 1e-9);
    quick.Swapped(beat, 60);
    EXPECT_NEAR(quick.WaitBefore(beat + 2), 1000.0 / 60 - 2, 1e-9);
    // Two periods late: no hurry, the beat starts again from that swap.
    quick.Swapped(beat + 50, 60);
    EXPECT_NEAR(quick.WaitBefore(beat + 50), 1000.0 / 60, 1e-9);
    // A frame shown unpaced (a menu with its own timer) does not make the next one wait.
    quick.Unpaced();
    EXPECT_EQ(quick.WaitBefore(beat + 51), 0);
    EXPECT_TRUE(quick.Software());
}
