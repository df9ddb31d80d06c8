#include "framework/media/impulse.h"
#include "reset_rooms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kelp {
namespace {

class Impulse : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::ResetMediaRooms(); }
  void TearDown() override { testsupport::ResetMediaRooms(); }
};

float Expected(float t, float attenuation, float scale) {
  return std::cos(t * std::numbers::pi_v<float>) * std::exp(-attenuation * t) * scale;
}

TEST_F(Impulse, CreateAppendsARunningImpulseThatDrawsNothing) {
  auto i = TImpulse::CreateImpulse(4.0f, 0.6f, 0.15f, 1);
  ASSERT_EQ(VisualsList.Count(), 1u);
  EXPECT_EQ(VisualsList.First(), i);
  EXPECT_EQ(i->impulse_scale, 4.0f);
  EXPECT_EQ(i->attenuation_coef, 0.6f);
  EXPECT_EQ(i->Speed, 0.15f);
  EXPECT_EQ(i->started, 1);
  EXPECT_EQ(i->impulse_t, 0.0f);
  EXPECT_EQ(i->Death, 0);
  i->Draw();  // nothing to see
}

TEST_F(Impulse, SwingsFromItsScaleWithShrinkingAmplitudeAndDiesPastPi) {
  auto i = TImpulse::CreateImpulse(2.0f, 0.8f, 0.5f, 1);
  std::vector<float> values;
  int updates = 0;
  while (VisualsList.Contains(i.get()) && updates < 100) {
    TVisuals::UpdateVisuals(1.0f);
    values.push_back(i->impulse_strength);
    ++updates;
  }
  // t runs 0, 0.5, ..., 3.0 and the update that takes it to 3.5 ends it.
  EXPECT_EQ(updates, 7);
  ASSERT_EQ(values.size(), 7u);
  for (size_t k = 0; k < values.size(); ++k)
    EXPECT_NEAR(values[k], Expected(0.5f * static_cast<float>(k), 0.8f, 2.0f), 1e-5f) << "update " << k;
  EXPECT_FLOAT_EQ(values[0], 2.0f);  // starts at the full scale
  EXPECT_LT(values[2], 0.0f);       // swings to the other side
  EXPECT_LT(std::fabs(values[4]), std::fabs(values[0]));
  EXPECT_EQ(i->Death, 1);
}

TEST_F(Impulse, FrameFactorScalesTheStepAndZeroHoldsIt) {
  auto a = TImpulse::CreateImpulse(1.0f, 0.3f, 0.2f, 1);
  a->Update(2.5f);
  EXPECT_FLOAT_EQ(a->impulse_t, 0.5f);
  a->Update(0.0f);
  EXPECT_FLOAT_EQ(a->impulse_t, 0.5f);
  EXPECT_NEAR(a->impulse_strength, Expected(0.5f, 0.3f, 1.0f), 1e-6f);
}

TEST_F(Impulse, NotStartedWaitsUnchangedUntilStarted) {
  auto i = TImpulse::CreateImpulse(0.05f, 0.3f, 0.2f, 0);
  for (int k = 0; k < 50; ++k) TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(i->impulse_t, 0.0f);
  EXPECT_EQ(i->impulse_strength, 0.0f);
  EXPECT_EQ(i->Death, 0);
  EXPECT_TRUE(VisualsList.Contains(i.get()));
  i->started = 1;
  for (int k = 0; k < 50; ++k) TVisuals::UpdateVisuals(1.0f);
  EXPECT_FALSE(VisualsList.Contains(i.get()));
}

}  // namespace
}  // namespace kelp
