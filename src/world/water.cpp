#include "world/water.h"

#include "framework/numeric.h"
#include "framework/random.h"

namespace kelp {

std::vector<int> TWater::WaterArray(float x0, float step, int count) {
  std::vector<int> points;
  for (int k = 0; k <= count; ++k) {
    points.push_back(Int(x0 + static_cast<float>(k) * step));
    points.push_back(Rand(-2, 2));
  }
  return points;
}

Ref<TWater> TWater::Create(const std::vector<int>&, int level) {
  auto w = New<TWater>();
  w->WaterLevel = level;
  return w;
}

// The waves, their buoyancy and drawing come with the water's own change.
void TWater::Update(float) {}
void TWater::Draw() {}
void TWater::Remove() {}

}  // namespace kelp
