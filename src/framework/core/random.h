#pragma once
// The game's one random generator. Start-up seeds it from the millisecond
// counter; tests seed it with a fixed value.
#include <cstdint>
#include <vector>

#include "framework/core/object.h"

namespace kelp {

// The seed the generator holds until something seeds it.
inline constexpr uint32_t kStartSeed = 0x4b656c70u;

void SeedRnd(uint32_t seed);
uint32_t RndSeed();  // the seed last set

// An integer drawn uniformly from [a, b], both ends included (order of a, b free).
int Rand(int a, int b);
// A float drawn uniformly from [a, b).
float Rnd(float a = 0.0f, float b = 1.0f);

// A random integer in [Int(lo / f), Int(hi / f)]; in [lo, hi] when f is 0.
int RandScaled(int lo, int hi, float f);
float RndScaled(float lo, float hi, float f);
// 0 when a draw from [0, a] is 0, else a draw from [0, b].
int RandMaybe(int a, int b);
float RndMaybe(float a, float b);
int RandomSign();  // 1 or -1

// A random one of the leading non-null entries; null when there are none.
template <class T>
Ref<T> PickRandomItem(const std::vector<Ref<T>>& items) {
  int n = 0;
  for (const auto& item : items)
    if (item) ++n;
  if (n == 0) return nullptr;
  return items[static_cast<size_t>(Rand(0, n - 1))];
}

}  // namespace kelp
