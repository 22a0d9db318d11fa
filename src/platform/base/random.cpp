#include "platform/base/random.h"

#include <algorithm>

namespace {
constexpr int32_t kModulus = 2147483647;  // 2^31 - 1
constexpr int32_t kDefaultState = 4660;
int32_t state = kDefaultState;

// One Park-Miller step (multiplier 48271) with Schrage's split, so nothing overflows.
int32_t Step(int32_t s) {
    constexpr int32_t a = 48271, q = 44488, r = 3399;
    int32_t t = a * (s % q) - r * (s / q);
    if (t < 0) t += kModulus;
    return t;
}
}  // namespace

void SeedRnd(int32_t seed) {
    state = seed & 0x7FFFFFFF;
    if (state == 0 || state == kModulus) state = kDefaultState;
}

int32_t RndSeed() { return state; }

double RndDouble() {
    int32_t b = Step(state);
    int32_t d = Step(b);
    state = d;
    return ((b & 0x1FFFFFFC) + (d & 0x1FFFFFF8) / 134217728.0) / 536870912.0;
}

double Rnd(double a, double b) {
    double lo = std::min(a, b), hi = std::max(a, b);
    return lo + RndDouble() * (hi - lo);
}

int Rand(int a, int b) {
    int64_t lo = std::min(a, b), hi = std::max(a, b);
    return static_cast<int>(lo + static_cast<int64_t>(RndDouble() * static_cast<double>(hi - lo + 1)));
}
