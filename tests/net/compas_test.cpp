// A follower's pace: flips taken up a small buffer after the quickest arrivals, the buffer
// growing at once for a late flip and easing back slowly, the host's clock wrapping.
#include "net/compas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

TEST(Compas, FollowsTheQuickestArrivalsWithABufferThatGrowsAtOnceAndEasesBack) {
    net::Compas c;
    EXPECT_FALSE(c.Siguiente()) << "no pace before an arrival";
    // The host shows a flip every 16 ms; each arrives 50 ms after on this machine's clock,
    // give or take a millisecond.
    int32_t ms = 1000;
    double llegada = 0;
    for (int k = 0; k < 600; ++k, ms += 16) {
        llegada = 50.0 + ms + (k % 3 == 0 ? 1.0 : 0.0);
        c.Flip(ms, llegada);
    }
    // The next flip is due 16 ms on; it is taken up the smallest buffer after the quickest.
    ASSERT_TRUE(c.Siguiente());
    EXPECT_NEAR(*c.Siguiente(), 50.0 + (ms - 16) + 16 + c.Colchon(), 1e-6);
    EXPECT_EQ(c.Colchon(), net::Compas::kColchonMinMs) << "a millisecond's unevenness needs the smallest buffer";

    // One flip 30 ms late: the buffer covers that much at once, then eases back slowly.
    c.Flip(ms, 50.0 + ms + 30);
    ms += 16;
    EXPECT_NEAR(c.Colchon(), 32, 0.1);
    for (int k = 0; k < 600; ++k, ms += 16) c.Flip(ms, 50.0 + ms);
    EXPECT_NEAR(c.Colchon(), 32 - 600 * 0.02, 0.1);
    for (int k = 0; k < 3000; ++k, ms += 16) c.Flip(ms, 50.0 + ms);
    EXPECT_EQ(c.Colchon(), net::Compas::kColchonMinMs);

    // A quicker route is followed at once; a flip whose arrival is unknown keeps the pace.
    c.Flip(ms, 40.0 + ms);
    EXPECT_NEAR(*c.Siguiente(), 40.0 + ms + 16 + c.Colchon(), 1e-6);
    ms += 16;
    c.Flip(ms, std::nullopt);
    EXPECT_NEAR(*c.Siguiente(), 40.0 + ms + 16 + c.Colchon(), 0.05);

    // A long pause on the host (a minigame loading) does not foretell the next flip.
    ms += 2000;
    c.Flip(ms, 40.0 + ms);
    EXPECT_NEAR(*c.Siguiente(), 40.0 + ms + c.Colchon(), 1e-6);
}

TEST(Compas, TheHostsClockMayWrap) {
    net::Compas c;
    int32_t ms = std::numeric_limits<int32_t>::max() - 20;
    c.Flip(ms, 0.0);
    ms = static_cast<int32_t>(static_cast<uint32_t>(ms) + 16u);
    c.Flip(ms, 16.0);
    const double antes = *c.Siguiente();
    ms = static_cast<int32_t>(static_cast<uint32_t>(ms) + 16u);  // past the wrap
    c.Flip(ms, 32.0);
    EXPECT_NEAR(*c.Siguiente() - antes, 16, 0.1);
}

}  // namespace
