#pragma once
// Smooth cloud-like value noise: a small grid of random values that wraps at its edges,
// sampled with bilinear weights and summed over halving scales. It draws from the game's
// shared random generator, so the same seed gives the same grids.
#include "platform/pictures/image.h"

#include <memory>
#include <vector>

class TPerlinNoise {
   public:
    std::vector<std::vector<double>> noise;  // [column][row], width by height
    int width = 0;
    int height = 0;

    // A width by height grid of zeros (sizes below 1 give an empty grid that samples as 0).
    static std::unique_ptr<TPerlinNoise> Create(int width, int height);
    // Fills the grid column by column with random reals in [0, 1). Always 0.
    int generateNoise();
    // The grid at (x, y) with bilinear weights; whole coordinates read cell (x-1, y-1).
    double smoothNoise(double x, double y) const;
    // Sum of smoothNoise over halving scales from size down to 1, scaled to 0..<256.
    // A size below 1 gives 0.
    double turbulence(double x, double y, double size) const;
    // A w by h opaque grey image of Int(turbulence) at each pixel (nullptr for an empty size).
    TImagePtr toImage(int w, int h, double size) const;
    // The same numbers as integers, indexed [i][j] for i < w, j < h.
    std::vector<std::vector<int>> toArray(int w, int h, double size) const;
};
