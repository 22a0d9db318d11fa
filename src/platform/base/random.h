#pragma once
// Park-Miller minimal standard generator (48271), bit for bit as the game relies on.
#include <cstdint>

// State = seed AND 0x7FFFFFFF; states 0 and 2^31-1 become 4660.
void SeedRnd(int32_t seed);
int32_t RndSeed();
// Real in [0, 1).
double RndDouble();
// Real in [min(a, b), max(a, b)).
double Rnd(double a = 1.0, double b = 0.0);
// Integer in [min(a, b), max(a, b)], both ends included.
int Rand(int a, int b);
