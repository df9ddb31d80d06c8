#include "world/effects/chain_lights.h"

#include <gtest/gtest.h>

#include <vector>

#include "play_effects_env.h"

namespace kelp {
namespace {

using play_test::PlayEffects;

class ChainLights : public PlayEffects {
 protected:
  static std::vector<Ref<TChainLights>> Lamps() {
    std::vector<Ref<TChainLights>> out;
    for (const auto& l : ChainLightsList) out.push_back(l);
    return out;
  }
  // Steps the clock by ms and runs one effects update.
  static void Frame(int ms) {
    GameTime += ms;
    TVisuals::UpdateVisuals(1.0f);
  }
};

TEST_F(ChainLights, ACountBelowOneMakesNoChain) {
  for (int count : {0, -2}) {
    EXPECT_EQ(TChainLights::CreateChain(0, 0, 100, 0, count, 0), 0) << count;
    EXPECT_TRUE(ChainLightsList.IsEmpty());
    EXPECT_EQ(ChainLightsCount, 0);
  }
}

TEST_F(ChainLights, AChainOfNHasNPlusOneNumberedLampsAcrossTheLine) {
  ASSERT_EQ(TChainLights::CreateChain(10, 500, 10, 100, 4, 3), 1);  // upwards: -90 degrees
  auto lamps = Lamps();
  ASSERT_EQ(lamps.size(), 5u);
  EXPECT_EQ(ChainLightsCount, 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(lamps[i]->ID, i + 1);
    EXPECT_EQ(lamps[i]->x, 10);
    EXPECT_EQ(lamps[i]->y, 500 - 100 * i);
    EXPECT_EQ(lamps[i]->angle, 0);            // -90 + 90
    EXPECT_EQ(lamps[i]->cycleTime, 7 * 80 - 80);  // count + extra
    EXPECT_EQ(lamps[i]->updTime, GameTime + 80 * i);
  }
}

TEST_F(ChainLights, GoRunsAFlareAlongTheChainEightyMillisecondsApart) {
  TChainLights::CreateChain(0, 0, 300, 0, 2, 0);  // 3 lamps, cycleTime 2 x 80 - 80
  auto lamps = Lamps();
  GameTime += 5000;
  TChainLights::Go();
  const int go = GameTime;
  // Lamp i (from 0) first flares once GameTime passes go + 80 i + 80.
  std::vector<int> firstFlare(3, 0);
  for (int t = 0; t < 600; t += 10) {
    GameTime = go + t;
    TVisuals::UpdateVisuals(1.0f);
    for (int i = 0; i < 3; ++i)
      if (!firstFlare[i] && lamps[i]->alpha > 0.0f) firstFlare[i] = t;
  }
  EXPECT_EQ(firstFlare, (std::vector<int>{90, 170, 250}));
}

TEST_F(ChainLights, ALampFlaresWithinTwoUpdatesAndFadesOverFifty) {
  TChainLights::CreateChain(0, 0, 100, 0, 1, 0);
  auto lamp = Lamps()[0];
  lamp->ON = 1;
  TVisuals::UpdateVisuals(5.0f);
  EXPECT_FLOAT_EQ(lamp->alpha, 0.8f);
  TVisuals::UpdateVisuals(5.0f);
  EXPECT_FLOAT_EQ(lamp->alpha, 1.0f);  // held at 1
  EXPECT_EQ(lamp->ON, 0);
  int n = 0;
  while (lamp->alpha > 0.0f && n < 100) {
    TVisuals::UpdateVisuals(5.0f);  // the frame factor does not speed it up
    ++n;
  }
  EXPECT_NEAR(n, 50, 1);
  EXPECT_FLOAT_EQ(lamp->alpha, 0.0f);
}

TEST_F(ChainLights, AfterStopTheLampsRunOnForASecondThenGoDark) {
  TChainLights::CreateChain(0, 0, 100, 0, 1, 0);  // 2 lamps, cycle 0
  TChainLights::Go();
  Frame(10);
  TChainLights::Stop();
  const int stop = GameTime;
  while (GameTime <= stop + 1000) {
    Frame(20);
    if (GameTime <= stop + 1000) {
      EXPECT_EQ(ChainLightsOn, 1) << GameTime - stop;
    }
  }
  EXPECT_EQ(ChainLightsOn, 0);
  EXPECT_EQ(ChainLightsStopping, 0);
  for (int i = 0; i < 60; ++i) Frame(20);
  for (const auto& lamp : ChainLightsList) EXPECT_FLOAT_EQ(lamp->alpha, 0.0f);

  // Go restarts the wave from the first lamp.
  TChainLights::Go();
  EXPECT_EQ(ChainLightsOn, 1);
  EXPECT_EQ(Lamps()[0]->updTime, GameTime);
  EXPECT_EQ(Lamps()[1]->updTime, GameTime + 80);
}

TEST_F(ChainLights, ClearingTheEffectsDropsTheLampsAndNumbersAfreshThen) {
  TChainLights::CreateChain(0, 0, 100, 0, 3, 0);
  TVisuals::ClearVisuals();
  EXPECT_TRUE(ChainLightsList.IsEmpty());
  EXPECT_EQ(ChainLightsCount, 0);
  TChainLights::CreateChain(0, 0, 100, 0, 1, 0);
  EXPECT_EQ(Lamps()[0]->ID, 1);
  EXPECT_EQ(Lamps()[0]->updTime, GameTime);
}

TEST_F(ChainLights, FreeingALampNumbersTheOthersAgain) {
  TChainLights::CreateChain(0, 0, 300, 0, 3, 0);
  auto lamps = Lamps();
  lamps[1]->Free();
  auto left = Lamps();
  ASSERT_EQ(left.size(), 3u);
  EXPECT_EQ(left[0], lamps[0]);
  EXPECT_EQ(left[1], lamps[2]);
  EXPECT_EQ(left[1]->ID, 2);
  EXPECT_EQ(left[2]->ID, 3);
  EXPECT_EQ(ChainLightsCount, 3);
}

}  // namespace
}  // namespace kelp
