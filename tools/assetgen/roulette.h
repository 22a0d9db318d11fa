#pragma once
// Layout of the roulette pictures, shared with the tests that check the wheel against
// the board's table of resting angles. Both pictures are kRouletteSize square and drawn
// mid-handled at the same point; the marker points down at the top of the wheel.
#include <cstdint>

namespace assetgen {

inline constexpr int kRouletteSize = 480;
// Distance from the centre of the point the marker's tip shows, in pixels.
inline constexpr int kMarkerTipRadius = 180;
// Colour (0xRRGGBB) of the segment of each number 1 to 6. Number n is centred at
// 60 * (n - 1) degrees clockwise from the top of the unturned wheel, so a wheel turned
// clockwise by the resting angle R shows under the marker the number whose centre is at
// -R: R = 0 shows 1, R = 60 shows 6, R = 120 shows 5 ... as the board's table says.
inline constexpr uint32_t kRouletteColours[6] = {0xe8413c, 0xf39a2b, 0xf2d43a,
                                                 0x4cbf4a, 0x3f8ef0, 0x9a5ad8};

}  // namespace assetgen
