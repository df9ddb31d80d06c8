#include "framework/random.h"

#include <random>
#include <utility>

namespace kelp {
namespace {

// A fixed, portable generator: the same seed gives the same game on every machine.
std::mt19937& Generator() {
  static std::mt19937 gen(0x4b656c70u);
  return gen;
}
uint32_t g_seed = 0x4b656c70u;

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

}  // namespace kelp
