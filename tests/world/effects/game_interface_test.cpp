#include "world/game_interface.h"

#include <gtest/gtest.h>

#include "framework/media/fade.h"
#include "physics/engine.h"
#include "world/effects/chain_lights.h"
#include "world/effects/dust.h"
#include "world/effects/electro.h"
#include "world/effects/flash.h"
#include "world/effects/screen_shake.h"
#include "play_effects_env.h"

namespace kelp {
namespace {

using play_test::PlayEffects;

class GameInterfaceEmitters : public PlayEffects {
 protected:
  // An emitter that spawns nothing by itself, holding one particle.
  Ref<TParticle> Hold(const Ref<TEmitter>& emitter, int salute, int hidden, int age, int lifetime) {
    auto p = New<TParticle>();
    p->x = 123.6f;
    p->y = 45.2f;
    p->Salute = salute;
    p->SaluteEmitter = "EFFECT_TEST_BURST";
    p->Hidden = hidden;
    p->TimeStart = GameTime - age;
    p->Lifetime = lifetime;
    emitter->Particles.AddLast(p);
    return p;
  }
  Ref<TEmitter> Quiet() {
    auto e = New<TEffect>();  // no rate: never spawns
    auto emitter = TEmitter::Create(0, 0, e, 0);
    GameInterface->AddEmitter(emitter);
    return emitter;
  }
  void SetUp() override {
    PlayEffects::SetUp();
    burst = play_test::BurstEffect(300);
    burst->alpha[0] = 0.9f;
    burst->alpha[1] = 0.1f;
    auto res = New<TResEffect>();
    ResManager->ResAddData("fx/burst.xml", "EFFECT_TEST_BURST", res, "test");
    res->Data = burst;
  }
  Ref<TEffect> burst;
};

TEST_F(GameInterfaceEmitters, AddEmitterAppendsAndDeadEmittersAreDroppedOnUpdate) {
  auto live = Quiet();
  auto dead = TEmitter::Create(5, 5, nullptr, 0);  // no effect: born dead
  GameInterface->AddEmitter(dead);
  GameInterface->AddEmitter(nullptr);
  EXPECT_EQ(GameInterface->Emitters.Count(), 2u);
  EXPECT_EQ(GameInterface->Emitters.Last(), dead);
  GameInterface->Update(1.0f);
  ASSERT_EQ(GameInterface->Emitters.Count(), 1u);
  EXPECT_EQ(GameInterface->Emitters.First(), live);
}

TEST_F(GameInterfaceEmitters, ACutBurstEmitterIsDroppedOnceItsParticlesAreGone) {
  auto emitter = TEmitter::Create(0, 0, play_test::BurstEffect(100), 1);
  emitter->cut();
  GameInterface->AddEmitter(emitter);
  int frames = 0;
  while (GameInterface->Emitters.Count() > 0 && frames < 100) {
    GameTime += 20;
    GameInterface->Update(1.0f);
    ++frames;
  }
  EXPECT_LT(frames, 100);
  EXPECT_GT(frames, 5);  // it lived while its particles did
}

TEST_F(GameInterfaceEmitters, AnEndedSaluteParticleBurstsOnceInARandomColourWithAWhiteFlash) {
  auto emitter = Quiet();
  Hold(emitter, 1, 0, 500, 400);
  GameInterface->Update(1.0f);
  ASSERT_EQ(GameInterface->Emitters.Count(), 2u);
  auto firework = GameInterface->Emitters.Last();
  EXPECT_EQ(firework->Config, burst);
  EXPECT_FLOAT_EQ(firework->x, 123.6f);
  EXPECT_FLOAT_EQ(firework->y, 45.2f);
  const TColor& c = *burst->Color;
  for (int v : {c.r0, c.g0, c.b0}) {
    EXPECT_GE(v, 80);
    EXPECT_LE(v, 220);
  }
  EXPECT_EQ(c.r1, c.r0);
  EXPECT_EQ(c.g1, c.g0);
  EXPECT_EQ(c.b1, c.b0);
  EXPECT_FLOAT_EQ(c.a0, 0.9f);
  EXPECT_FLOAT_EQ(c.a1, 0.1f);
  ASSERT_EQ(CountOf<TFlash>(), 1);
  auto flash = LastOf<TFlash>();
  EXPECT_EQ(flash->x, 123);
  EXPECT_EQ(flash->y, 45);
  EXPECT_FLOAT_EQ(flash->scale, 2.0f);
  EXPECT_FLOAT_EQ(flash->speed, 12.0f);
  EXPECT_EQ(flash->color, ColorWhite);
  EXPECT_TRUE(emitter->Particles.IsEmpty());

  GameInterface->Update(1.0f);
  EXPECT_EQ(CountOf<TFlash>(), 1);
}

TEST_F(GameInterfaceEmitters, OnlyEndedVisibleSaluteParticlesBurst) {
  struct Case {
    int salute, hidden, age, lifetime;
    const char* what;
  };
  for (Case c : {Case{1, 0, 400, 400, "at the end, not past it"}, Case{1, 1, 500, 400, "hidden"},
                 Case{0, 0, 500, 400, "no salute"}, Case{1, 0, 100, 400, "still alive"}}) {
    GameInterface->Emitters.Clear();
    VisualsList.Clear();
    Hold(Quiet(), c.salute, c.hidden, c.age, c.lifetime);
    GameInterface->Update(1.0f);
    EXPECT_EQ(GameInterface->Emitters.Count(), 1u) << c.what;
    EXPECT_EQ(CountOf<TFlash>(), 0) << c.what;
  }
}

TEST_F(GameInterfaceEmitters, AMissingBurstEffectStillFlashesButAddsNoEmitter) {
  auto p = Hold(Quiet(), 1, 0, 500, 400);
  p->SaluteEmitter = "EFFECT_NOT_THERE";
  GameInterface->Update(1.0f);
  EXPECT_EQ(GameInterface->Emitters.Count(), 1u);
  EXPECT_EQ(CountOf<TFlash>(), 1);
}

TEST_F(GameInterfaceEmitters, HidingDropsEmittersAndEffectsButKeepsConstantOnes) {
  Quiet();
  auto fade = New<TFade>();
  fade->Constant = 1;
  VisualsList.AddLast(fade);
  TFlash::CreateFlash(0, 0, 1, 1, ColorWhite, 0, 0);
  TScreenShake::CreateScreenShake(5, 0.5f);
  TElectro::Create(0, 0, 10, 0, 2);
  TChainLights::CreateChain(0, 0, 10, 0, 2, 0);
  GameInterface->SetHided(1);
  EXPECT_TRUE(GameInterface->Emitters.IsEmpty());
  ASSERT_EQ(VisualsList.Count(), 1u);
  EXPECT_EQ(VisualsList.First(), fade);
  EXPECT_TRUE(ElectroList.IsEmpty());
  EXPECT_TRUE(ChainLightsList.IsEmpty());
  EXPECT_EQ(GameInterface->Visible, 0);
  GameInterface->SetHided(0);
  EXPECT_EQ(GameInterface->Visible, 1);
  EXPECT_EQ(VisualsList.Count(), 1u);
}

TEST_F(GameInterfaceEmitters, RemovalFromTheManagerEmptiesTheList) {
  Quiet();
  GameInterface->RemovedFromManager();
  EXPECT_TRUE(GameInterface->Emitters.IsEmpty());
}

class Dust : public PlayEffects {};

TEST_F(Dust, APuffIsAOneBurstDustEmitterInTheInterfaceList) {
  SpawnDust(30, 40, 1);
  ASSERT_EQ(GameInterface->Emitters.Count(), 1u);
  auto puff = GameInterface->Emitters.First();
  EXPECT_EQ(puff->Config, EffectDust);
  EXPECT_FLOAT_EQ(puff->x, 30.0f);
  EXPECT_FLOAT_EQ(puff->y, 40.0f);
  EXPECT_EQ(puff->DrawUnder, 1);
  EXPECT_EQ(puff->cutable, 1);
}

// A pile pressed against the walls scrapes every frame: the puffs going at
// once are bounded, and a new one comes when an old one has gone.
TEST_F(Dust, AtMostAFewDozenPuffsGoAtOnce) {
  for (int i = 0; i < 200; ++i) SpawnDust(30 + i, 40, 0);
  EXPECT_EQ(GameInterface->Emitters.Count(), static_cast<size_t>(kMostDustPuffs));
  GameInterface->Emitters.First()->Death = 1;
  SpawnDust(30, 40, 0);
  EXPECT_EQ(GameInterface->Emitters.Count(), static_cast<size_t>(kMostDustPuffs) + 1);
}

TEST_F(Dust, NoInterfaceOrAHiddenOneGetsNoDust) {
  GameInterface->SetHided(1);
  SpawnDust(30, 40, 0);
  EXPECT_TRUE(GameInterface->Emitters.IsEmpty());
  GameInterface = nullptr;
  SpawnDust(30, 40, 0);  // nothing to receive it, nothing happens
}

TEST_F(Dust, ADustyParticleScrapingAStaticPuffsIntoTheInterface) {
  TPhysEngine engine;
  TPhysEngine_Static::Create(0, 100, 200, 100, 1, 2, 1, &engine);
  auto group = TPhysEngine_Group::Create(&engine);
  auto p = TPhysEngine_Particle::Create(group.get(), 100.7f, 85, &engine);
  p->dusty = 1;
  p->Move(0, 10);  // two sub-steps into the floor
  ASSERT_EQ(GameInterface->Emitters.Count(), 1u);
  auto puff = GameInterface->Emitters.First();
  EXPECT_EQ(puff->Config, EffectDust);
  EXPECT_FLOAT_EQ(puff->x, 100.0f);
  EXPECT_FLOAT_EQ(puff->y, 90.0f);
  EXPECT_EQ(puff->DrawUnder, 0);
}

}  // namespace
}  // namespace kelp
