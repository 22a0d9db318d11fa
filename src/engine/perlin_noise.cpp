#include "engine/perlin_noise.h"

#include "platform/base/random.h"

#include <algorithm>
#include <cmath>

std::unique_ptr<TPerlinNoise> TPerlinNoise::Create(int w, int h) {
    auto p = std::make_unique<TPerlinNoise>();
    if (w > 0 && h > 0) {
        p->width = w;
        p->height = h;
        p->noise.assign(w, std::vector<double>(h, 0.0));
    }
    return p;
}

int TPerlinNoise::generateNoise() {
    for (int i = 0; i < width; ++i) {
        for (int j = 0; j < height; ++j) noise[i][j] = Rnd(1, 0);
    }
    return 0;
}

namespace {
// (Int(v) + n) mod n, wrapped fully into 0..n-1: for -n <= v this is the plain formula;
// further left it keeps wrapping instead of leaving the grid.
int celda(double entero, int n) {
    double m = std::fmod(entero, n);
    if (m < 0) m += n;
    return static_cast<int>(m) % n;
}
}  // namespace

double TPerlinNoise::smoothNoise(double x, double y) const {
    if (width <= 0 || height <= 0 || !std::isfinite(x) || !std::isfinite(y)) return 0;
    const double ix = std::trunc(x), iy = std::trunc(y);
    const double fx = x - ix, fy = y - iy;
    const int x1 = celda(ix, width), y1 = celda(iy, height);
    const int x2 = (x1 + width - 1) % width, y2 = (y1 + height - 1) % height;
    double v = fx * fy * noise[x1][y1];
    v += fx * (1 - fy) * noise[x1][y2];
    v += (1 - fx) * fy * noise[x2][y1];
    v += (1 - fx) * (1 - fy) * noise[x2][y2];
    return v;
}

double TPerlinNoise::turbulence(double x, double y, double size) const {
    if (!std::isfinite(size)) return 0;  // an endless halving
    double value = 0;
    const double initial = size;
    while (size >= 1) {
        value += smoothNoise(x / size, y / size) * size;
        size = size / 2;
    }
    if (value == 0) return 0;  // also keeps a size below 1 from dividing 0 by it
    return 128 * value / initial;
}

TImagePtr TPerlinNoise::toImage(int w, int h, double size) const {
    TImagePtr imagen = CreateImage(w, h, 1, -1);
    if (!imagen) return imagen;
    TPixmapPtr px = LockImage(imagen, 0, true, true);
    if (!px) return imagen;
    for (int i = 0; i < w; ++i) {
        for (int j = 0; j < h; ++j) {
            const uint32_t v = static_cast<uint32_t>(turbulence(i, j, size));
            px->WritePixel(i, j, 0xFF000000u + v * 0x10000u + v * 0x100u + v);
        }
    }
    UnlockImage(imagen, 0);
    return imagen;
}

std::vector<std::vector<int>> TPerlinNoise::toArray(int w, int h, double size) const {
    std::vector<std::vector<int>> a(std::max(w, 0), std::vector<int>(std::max(h, 0)));
    for (int i = 0; i < w; ++i) {
        for (int j = 0; j < h; ++j) a[i][j] = static_cast<int>(turbulence(i, j, size));
    }
    return a;
}
