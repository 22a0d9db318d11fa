#include "engine/tiempo.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
class TiempoTest : public ::testing::Test {
protected:
    void SetUp() override { clockseam::UseVirtualClock(5000); }
    void TearDown() override { clockseam::UseRealClock(); }
};
}  // namespace

TEST_F(TiempoTest, IncrementsAreDistortedButRealTimeIsNot) {
    auto t = TTiempo::Create(60);
    EXPECT_EQ(t->incFrame, 16);
    EXPECT_EQ(t->sigFrame, 5016);
    t->setDistorsionTiempo(0.5f);
    clockseam::Advance(20);
    t->update();
    EXPECT_FLOAT_EQ(t->getInc(0), 0.01f);
    EXPECT_FLOAT_EQ(t->getInc(1), 0.02f);

    t->setDistorsionTiempo(2.0f);
    for (int i = 0; i < 50; ++i) {
        clockseam::Advance(20);
        t->update();
    }
    EXPECT_NEAR(t->getTimer(0), 0.01 + 2.0, 1e-4);
    EXPECT_NEAR(t->getTimer(1), 1.02, 1e-6);
}

TEST_F(TiempoTest, NegativeOrNanDistortionFreezesScaledTime) {
    auto t = TTiempo::Create(60);
    t->setDistorsionTiempo(-2);
    EXPECT_EQ(t->getDistorsionTiempo(), 0.0f);
    t->setDistorsionTiempo(std::nanf(""));
    EXPECT_EQ(t->getDistorsionTiempo(), 0.0f);
    clockseam::Advance(100);
    t->update();
    EXPECT_EQ(t->getInc(0), 0.0f);
    EXPECT_EQ(t->getTimer(0), 0.0f);
    EXPECT_EQ(t->tiempoReal, 100);
}

TEST_F(TiempoTest, SetFps) {
    auto t = TTiempo::Create(60);
    t->setFps(0);
    EXPECT_EQ(t->fps, 60);
    EXPECT_EQ(t->incFrame, 16);
    EXPECT_EQ(t->sigFrame, 5016);
    clockseam::Advance(7);
    t->update();
    t->setFps(30);
    EXPECT_EQ(t->incFrame, 33);
    EXPECT_EQ(t->sigFrame, t->ultimoTiempo + 33);
}

TEST_F(TiempoTest, PacingGivesSixtyTwoAndAHalfFramesAndCatchesUpAfterASlowFrame) {
    auto t = TTiempo::Create(60);
    int32_t start = Millisecs();
    for (int i = 0; i < 125; ++i) {
        clockseam::Advance(5);  // the frame's own work
        int32_t before = Millisecs();
        t->esperaFrame();
        EXPECT_EQ(Millisecs() - before, 11) << i;  // sleeps out the 16 ms frame
    }
    EXPECT_EQ(Millisecs() - start, 2000);  // 125 frames in two seconds: 62.5 per second

    // One frame of 100 ms: the schedule is not re-based, so the next frames run unpaced.
    clockseam::Advance(100);
    t->esperaFrame();
    int unpaced = 0;
    for (int i = 0; i < 10; ++i) {
        clockseam::Advance(5);
        int32_t before = Millisecs();
        t->esperaFrame();
        if (Millisecs() == before) ++unpaced;
    }
    EXPECT_GE(unpaced, 5);
}

// A machine up for 24.8 days: the clock wraps from the largest int32 to the smallest.
// Measuring and pacing go on as if nothing happened (the sanitizer build also checks
// that no signed sum overflows on the way). A long absence in another loop starts the
// schedule again instead of owing the missed frames; a short lag is still made up.
TEST_F(TiempoTest, PacingAcrossTheClockWrapAndAfterALongAbsence) {
    clockseam::UseVirtualClock(INT32_MAX - 40);
    auto t = TTiempo::Create(60);
    for (int i = 0; i < 10; ++i) {
        clockseam::Advance(5);
        const int32_t before = Millisecs();
        t->esperaFrame();
        ASSERT_EQ(MillisecsBetween(before, Millisecs()), 11) << i;
        t->update();
        ASSERT_EQ(t->ultimoIncReal, 16) << i;
    }
    EXPECT_LT(Millisecs(), 0) << "the clock has wrapped";
    EXPECT_NEAR(t->getTimer(1), 0.16, 1e-6);

    // Thirty seconds in a minigame: the very next frames are paced again.
    clockseam::Advance(30000);
    t->esperaFrame();
    for (int i = 0; i < 3; ++i) {
        clockseam::Advance(5);
        const int32_t before = Millisecs();
        t->esperaFrame();
        EXPECT_EQ(MillisecsBetween(before, Millisecs()), 11) << i;
    }
    // A 200 ms hitch is caught up with: a burst of frames that do not sleep.
    clockseam::Advance(200);
    t->esperaFrame();
    int unpaced = 0;
    for (int i = 0; i < 12; ++i) {
        clockseam::Advance(5);
        const int32_t before = Millisecs();
        t->esperaFrame();
        if (Millisecs() == before) ++unpaced;
    }
    EXPECT_EQ(unpaced, 12);
}
