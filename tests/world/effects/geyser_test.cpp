#include "world/effects/geyser.h"

#include "overlay_test_env.h"
#include "village/village.h"
#include "world/resource_bindings.h"

namespace kelp {
namespace {

class Geyser : public overlay_env::Overlay {
 protected:
  void SetUp() override {
    Overlay::SetUp();
    VillageScreen = New<TVillageMode>();
    EffectGeysir01 = New<TEffect>();
    EffectGeysir02 = New<TEffect>();
  }
  // Moves the clock in 100 ms frames until the geyser's steam starts or
  // stops; the time it took, or -1.
  static int Until(const Ref<TGeysir>& g, int paused, int limit = 200000) {
    for (int t = 0; t <= limit; t += 100) {
      if (g->Effect->Pause == paused) return t;
      Frame(1.0f, 100);
    }
    return -1;
  }
};

TEST_F(Geyser, StartsQuietWithItsSteamInTheVillage) {
  auto g = TGeysir::Create(320.0f, 410.0f);
  ASSERT_TRUE(Listed(g.get()));
  ASSERT_NE(g->Effect, nullptr);
  EXPECT_EQ(g->Effect->Pause, 1);
  EXPECT_EQ(g->Effect->Config, EffectGeysir01);
  EXPECT_EQ(g->Effect->x, 320.0f);
  EXPECT_EQ(g->UpdTime, GameTime);
  EXPECT_TRUE(VillageScreen->Emitters.Contains(g->Effect.get()));
  EXPECT_EQ(VillageScreen->Emitters.Count(), 1u);
  EXPECT_TRUE((g->GenTime >= 10000 && g->GenTime <= 20000) || (g->GenTime >= 30000 && g->GenTime <= 60000))
      << g->GenTime;
  EXPECT_GE(g->LifeTime, 1500);
  EXPECT_LE(g->LifeTime, 2000);
}

TEST_F(Geyser, EruptsAfterTenToSixtySecondsForOneAndAHalfToTwo) {
  bool sawShort = false, sawLong = false;
  for (int seed = 1; seed <= 12; ++seed) {
    SeedRnd(static_cast<uint32_t>(seed));
    VisualsList.Clear();
    VillageScreen->Emitters.Clear();
    auto g = TGeysir::Create(0.0f, 0.0f);
    const int gen = g->GenTime;
    const int quiet = Until(g, 0);
    ASSERT_GE(quiet, 0);
    EXPECT_GE(quiet, 10000) << seed;
    EXPECT_LE(quiet, 60100) << seed;
    EXPECT_NEAR(quiet, gen, 100) << seed;
    (gen <= 20000 ? sawShort : sawLong) = true;
    // Each eruption adds a one-off burst beside the steam.
    ASSERT_EQ(VillageScreen->Emitters.Count(), 2u);
    EXPECT_EQ(VillageScreen->Emitters.Last()->Config, EffectGeysir02);
    const int life = g->LifeTime;
    const int erupting = Until(g, 1);
    EXPECT_NEAR(erupting, life, 100) << seed;
    EXPECT_GE(erupting, 1500);
    EXPECT_LE(erupting, 2100);
    // The next pause is drawn afresh.
    EXPECT_TRUE((g->GenTime >= 10000 && g->GenTime <= 20000) || (g->GenTime >= 30000 && g->GenTime <= 60000));
  }
  EXPECT_TRUE(sawShort);
  EXPECT_TRUE(sawLong);
}

TEST_F(Geyser, RemoveStopsTheSteamAndEndsTheGeyser) {
  auto g = TGeysir::Create(0.0f, 0.0f);
  auto steam = g->Effect;
  g->Remove();
  EXPECT_EQ(g->Death, 1);
  EXPECT_EQ(steam->GenerationStop, 1);
  EXPECT_EQ(g->Effect, nullptr);
  g->Update(1.0f);  // harmless after removal
  Frame(1.0f, 100000);
  EXPECT_FALSE(Listed(g.get()));
  EXPECT_EQ(VillageScreen->Emitters.Count(), 1u);  // no burst after removal
}

TEST_F(Geyser, WithoutAVillageOrEffectsItStillRuns) {
  VillageScreen.reset();
  EffectGeysir01.reset();
  EffectGeysir02.reset();
  auto g = TGeysir::Create(0.0f, 0.0f);
  ASSERT_NE(g->Effect, nullptr);
  EXPECT_GE(Until(g, 0), 10000);
  EXPECT_GE(Until(g, 1), 1500);
}

}  // namespace
}  // namespace kelp
