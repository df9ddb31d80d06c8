#include "framework/core/random.h"

#include "framework/core/numeric.h"

#include <random>
#include <utility>

namespace kelp {
namespace {

// A fixed, portable generator: the same seed gives the same game on every machine.
std::mt19937& Generator() {
  static std::mt19937 gen(kStartSeed);
  return gen;
}
uint32_t g_seed = kStartSeed;

}  // namespace

void SeedRnd(uint32_t seed) {
  g_seed = seed;
  Generator().seed(seed);
}

uint32_t RndSeed() { return g_seed; }

int Rand(int a, int b) {
  if (a > b) std::swap(a, b);
  // Drawn in 64 bits so the full int range is fine; modulo bias is negligible here.
  const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(b) - a) + 1;
  const uint64_t r = (static_cast<uint64_t>(Generator()()) << 32) | Generator()();
  return static_cast<int>(a + static_cast<int64_t>(r % span));
}

float Rnd(float a, float b) {
  // 24 random bits give every float step in [0, 1).
  const float u = static_cast<float>(Generator()() >> 8) * (1.0f / 16777216.0f);
  float v = a + (b - a) * u;
  if (a < b && v >= b) v = a;  // rounding must not reach the open end
  return v;
}

int RandScaled(int lo, int hi, float f) {
  if (f == 0.0f) return Rand(lo, hi);
  return Rand(Int(static_cast<float>(lo) / f), Int(static_cast<float>(hi) / f));
}

float RndScaled(float lo, float hi, float f) {
  if (f == 0.0f) return Rnd(lo, hi);
  return Rnd(lo / f, hi / f);
}

int RandMaybe(int a, int b) { return Rand(0, a) == 0 ? 0 : Rand(0, b); }

float RndMaybe(float a, float b) { return Rnd(0.0f, a) == 0.0f ? 0.0f : Rnd(0.0f, b); }

int RandomSign() { return Rand(0, 1) == 0 ? -1 : 1; }

}  // namespace kelp
