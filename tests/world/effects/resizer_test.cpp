// The resizer shrinks a box's body once; the pulser makes it breathe.
#include "world/effects/pulser.h"
#include "world/effects/resizer.h"

#include "box_effects_env.h"

namespace kelp::play_test {
namespace {

class BodyScalers : public BoxEffects {};

TEST_F(BodyScalers, AResizerEndsOnTheFrameItReachesItsSize) {
  auto box = MakeBox(TBlock::RED, 300, 200);
  const float r0 = box->Center->radius;
  auto resizer = TResizer::Create(box, 0.01f, 0.3f);
  // The same sums in the same precision.
  float scale = 1.0f, radius = r0;
  int expected = 0;
  do {
    scale -= 0.01f;
    radius *= 1.0f - 0.01f;
    ++expected;
  } while (!(scale <= 1.0f - 0.3f));
  int frames = 0;
  while (VisualsList.Contains(resizer.get()) && frames < 100) {
    TVisuals::UpdateVisuals(1.0f);
    ++frames;
  }
  EXPECT_EQ(frames, expected);
  EXPECT_LE(resizer->scale, 0.7f);
  EXPECT_FLOAT_EQ(box->Center->radius, radius) << "the last frame shrinks it too";
  EXPECT_NEAR(box->Center->radius / r0, 0.74f, 0.01f) << "geometrically, not by the full amount";
}

TEST_F(BodyScalers, APulserBreathesAroundTheSizeUntilItsOwnerEndsIt) {
  auto box = MakeBox(TBlock::RED, 300, 200);
  const float r0 = box->Center->radius;
  auto pulser = TPulser::Create(box, 0.004f, 0.02f);
  float low = r0, high = r0;
  int turns = 0;
  float lastSpeed = pulser->speed;
  for (int i = 0; i < 500; ++i) {
    TVisuals::UpdateVisuals(1.0f);
    low = std::min(low, box->Center->radius);
    high = std::max(high, box->Center->radius);
    if (pulser->speed != lastSpeed) ++turns;
    lastSpeed = pulser->speed;
    EXPECT_GE(pulser->scale, 0.98f - 0.004f);
    EXPECT_LE(pulser->scale, 1.02f + 0.004f);
  }
  EXPECT_TRUE(VisualsList.Contains(pulser.get()));
  EXPECT_GT(turns, 40);
  EXPECT_GT(high / r0, 1.015f);
  EXPECT_LT(high / r0, 1.03f);
  EXPECT_LT(low / r0, 0.985f);
  EXPECT_GT(low / r0, 0.97f);
}

TEST_F(BodyScalers, BothEndWhenTheirBoxIsGone) {
  auto box = MakeBox(TBlock::RED, 300, 200);
  auto resizer = TResizer::Create(box, 0.01f, 0.3f);
  auto pulser = TPulser::Create(box, 0.004f, 0.02f);
  auto other = MakeBox(TBlock::BLUE, 360, 200);
  auto orphan = TPulser::Create(other, 0.004f, 0.02f);
  box->Del();
  orphan->Block.reset();
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(resizer->Death, 1);
  EXPECT_EQ(pulser->Death, 1);
  EXPECT_EQ(orphan->Death, 1);
  EXPECT_EQ(resizer->scale, 1.0f) << "nothing left to shrink";
}

}  // namespace
}  // namespace kelp::play_test
