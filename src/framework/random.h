#pragma once
// The game's one random generator. Start-up seeds it from the millisecond
// counter; tests seed it with a fixed value.
#include <cstdint>

namespace kelp {

void SeedRnd(uint32_t seed);
uint32_t RndSeed();  // the seed last set

// An integer drawn uniformly from [a, b], both ends included (order of a, b free).
int Rand(int a, int b);
// A float drawn uniformly from [a, b).
float Rnd(float a = 0.0f, float b = 1.0f);

}  // namespace kelp
