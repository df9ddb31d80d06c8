// Parasite smoke and frost on boxes and villagers: their emitters, how they
// follow, thicken, pause with the level and end.
#include "world/effects/parasite_effects.h"

#include "box_effects_env.h"
#include "village/villager.h"
#include "village/villager_smoke.h"

namespace kelp::play_test {
namespace {

class ParasiteEffects : public BoxEffects {
 protected:
  void SetUp() override {
    BoxEffects::SetUp();
    for (Ref<TEffect>* e : {&EffectSmoke01, &EffectSmoke02, &EffectFreeze02, &EffectSmoke01Village,
                            &EffectSmoke02Village})
      *e = New<TEffect>();
    EffectSmoke01->GenSpeed = 2.0f;
    EffectFreeze02->GenSpeed = 4.0f;
    EffectSmoke01Village->GenSpeed = 1.0f;
  }
  static bool Handed(const Ref<TEmitter>& e) { return GameInterface->Emitters.Contains(e.get()); }
  static void PauseLevel(int flag) { GameScreen->Paused = flag; }
};

TEST_F(ParasiteEffects, SmokeHandsTwoEmittersOverAndFollowsItsBox) {
  auto box = MakeBox(TBlock::RED, 300, 200);
  auto smoke = TEvilSmoke::Create(box);
  ASSERT_TRUE(VisualsList.Contains(smoke.get()));
  EXPECT_EQ(smoke->Emitter->Config, EffectSmoke02);
  EXPECT_EQ(smoke->Emitter2->Config, EffectSmoke01);
  EXPECT_TRUE(Handed(smoke->Emitter));
  EXPECT_TRUE(Handed(smoke->Emitter2));
  EXPECT_EQ(smoke->Emitter->cutable, 1) << "the smoke left behind may be cut";
  EXPECT_EQ(smoke->Emitter2->cutable, 0);
  EXPECT_EQ(smoke->Emitter->x, 300.0f);
  EXPECT_EQ(smoke->Paused, 0);

  box->RenderX = 340;
  box->RenderY = 180;
  smoke->Update2();
  EXPECT_EQ(smoke->Emitter->x, 340.0f);
  EXPECT_EQ(smoke->Emitter->y, 180.0f);
  EXPECT_EQ(smoke->Emitter2->x, 340.0f);
  EXPECT_EQ(smoke->Emitter2->y, 180.0f);
}

TEST_F(ParasiteEffects, SmokeAndFrostThickenToTheirCapsWhileTheLevelRuns) {
  auto box = MakeBox(TBlock::RED, 300, 200);
  auto smoke = TEvilSmoke::Create(box);
  auto frost = TFreezeEffect::Create(box);
  EXPECT_EQ(frost->Emitter->Config, EffectFreeze02);
  EXPECT_TRUE(Handed(frost->Emitter));
  EXPECT_EQ(frost->Emitter->cutable, 0);

  smoke->Update(100.0f);
  frost->Update(100.0f);
  EXPECT_FLOAT_EQ(smoke->Emitter2->GenSpeed, 2.6f);
  EXPECT_FLOAT_EQ(frost->Emitter->GenSpeed, 5.0f);
  PauseLevel(1);
  smoke->Update(100.0f);
  frost->Update(100.0f);
  EXPECT_FLOAT_EQ(smoke->Emitter2->GenSpeed, 2.6f) << "not while paused";
  EXPECT_FLOAT_EQ(frost->Emitter->GenSpeed, 5.0f);
  PauseLevel(0);
  for (int i = 0; i < 5000; ++i) smoke->Update(1.0f);
  for (int i = 0; i < 10000; ++i) frost->Update(1.0f);
  EXPECT_EQ(smoke->Emitter2->GenSpeed, 30.0f) << "capped, not 30.006";
  EXPECT_EQ(frost->Emitter->GenSpeed, 100.0f);
  EXPECT_EQ(smoke->Emitter->GenSpeed, 0.0f) << "the other emitter keeps its rate";
}

TEST_F(ParasiteEffects, SmokeMadeDuringAPauseWaitsForItsOwnerToResume) {
  auto box = MakeBox(TBlock::RED, 300, 200);
  PauseLevel(1);
  auto smoke = TEvilSmoke::Create(box);
  auto frost = TFreezeEffect::Create(box);
  EXPECT_EQ(smoke->Paused, 1);
  EXPECT_EQ(smoke->Emitter->Pause, 1);
  EXPECT_EQ(smoke->Emitter2->Pause, 1);
  EXPECT_EQ(frost->Paused, 1);
  EXPECT_EQ(frost->Emitter->Pause, 1);
  smoke->Pause(0);
  EXPECT_EQ(smoke->Paused, 1) << "no resuming while the level is paused";

  PauseLevel(0);
  TEvilSmoke::GamePause();
  TFreezeEffect::GamePause();
  EXPECT_EQ(smoke->Paused, 1) << "the level's resume alone does not restart it";
  EXPECT_EQ(smoke->Emitter2->Pause, 1);
  EXPECT_EQ(frost->Emitter->Pause, 1);
  smoke->Pause(0);
  frost->Pause(0);
  EXPECT_EQ(smoke->Paused, 0);
  EXPECT_EQ(smoke->Emitter->Pause, 0);
  EXPECT_EQ(smoke->Emitter2->Pause, 0);
  EXPECT_EQ(frost->Emitter->Pause, 0);
}

TEST_F(ParasiteEffects, TheLevelsPausePausesEverySmokeAndFrost) {
  auto box = MakeBox(TBlock::RED, 300, 200);
  auto a = TEvilSmoke::Create(box);
  auto b = TEvilSmoke::Create(MakeBox(TBlock::BLUE, 360, 200));
  auto frost = TFreezeEffect::Create(box);
  PauseLevel(1);
  TEvilSmoke::GamePause();
  TFreezeEffect::GamePause();
  for (const auto& s : {a, b}) {
    EXPECT_EQ(s->Paused, 1);
    EXPECT_EQ(s->Emitter->Pause, 1);
    EXPECT_EQ(s->Emitter2->Pause, 1);
  }
  EXPECT_EQ(frost->Emitter->Pause, 1);
}

TEST_F(ParasiteEffects, KillEndsTheEffectAndItsEmitters) {
  auto box = MakeBox(TBlock::RED, 300, 200);
  auto smoke = TEvilSmoke::Create(box);
  auto frost = TFreezeEffect::Create(box);
  smoke->Kill();
  frost->Kill();
  EXPECT_EQ(smoke->Death, 1);
  EXPECT_EQ(smoke->Emitter->Death, 1);
  EXPECT_EQ(smoke->Emitter2->Death, 1);
  EXPECT_EQ(frost->Death, 1);
  EXPECT_EQ(frost->Emitter->Death, 1);
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(CountOf<TEvilSmoke>() + CountOf<TFreezeEffect>(), 0);
}

TEST_F(ParasiteEffects, AnEffectWhoseBoxIsGoneEnds) {
  auto deleted = MakeBox(TBlock::RED, 300, 200);
  auto smoke = TEvilSmoke::Create(deleted);
  deleted->Del();
  auto frost = TFreezeEffect::Create(MakeBox(TBlock::RED, 360, 200));
  frost->Block.reset();  // the box let go of altogether
  smoke->Update2();
  frost->Update2();
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(smoke->Death, 1);
  EXPECT_EQ(smoke->Emitter2->Death, 1);
  EXPECT_EQ(frost->Death, 1);
  EXPECT_EQ(frost->Emitter->Death, 1);
  EXPECT_EQ(CountOf<TEvilSmoke>() + CountOf<TFreezeEffect>(), 0);
}

TEST_F(ParasiteEffects, VillageSmokeRidesOnTheHoppingVillager) {
  VillageScreen = New<TVillageMode>();
  auto villager = New<TVillageCreature>();
  villager->x = 120;
  villager->y = 300;
  villager->jump_h = -8;
  auto smoke = TVillageEvilSmoke::Create(villager);
  EXPECT_EQ(smoke->Emitter->Config, EffectSmoke02Village);
  EXPECT_EQ(smoke->Emitter2->Config, EffectSmoke01Village);
  EXPECT_TRUE(VillageScreen->Emitters.Contains(smoke->Emitter.get()));
  EXPECT_TRUE(VillageScreen->Emitters.Contains(smoke->Emitter2.get()));
  EXPECT_EQ(smoke->Emitter->y, 292.0f);

  villager->x = 150;
  villager->jump_h = -20;
  smoke->Update2();
  EXPECT_EQ(smoke->Emitter->x, 150.0f);
  EXPECT_EQ(smoke->Emitter->y, 275.0f);
  EXPECT_EQ(smoke->Emitter2->y, 275.0f);

  // The village has no level pause: it thickens whatever the level does.
  PauseLevel(1);
  for (int i = 0; i < 10000; ++i) smoke->Update(1.0f);
  EXPECT_EQ(smoke->Emitter2->GenSpeed, 30.0f);
  smoke->Pause(1);
  EXPECT_EQ(smoke->Emitter->Pause, 1);
  EXPECT_EQ(smoke->Emitter2->Pause, 1);

  villager.reset();
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(smoke->Death, 1);
  EXPECT_EQ(smoke->Emitter->Death, 1);
}

}  // namespace
}  // namespace kelp::play_test
