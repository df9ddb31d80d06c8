// Particle effects: effects built in code (or read from a small file), run
// for a number of updates on a set GameTime with a seeded generator.
#include "framework/media/particles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/anim_image.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/window.h"
#include "reset_rooms.h"
#include "test_resources.h"

using namespace kelp;

namespace {

// A visible effect: fixed ranges unless a test widens them.
Ref<TEffect> MakeEffect(float rate, int life) {
  auto e = New<TEffect>();
  e->GenSpeed = rate;
  e->Lifetime[0] = e->Lifetime[1] = life;
  e->Color = CreateColorAlpha(255, 255, 255, 1.0f);
  e->Color->EndColor(255, 255, 255, 1.0f);
  return e;
}

class Particles : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetMediaRooms();
    SeedRnd(1234);
    InitFrameClock();
    FPSCounter->averageFPS = 60;
    FrameSync->TargetFPS = 60;
    GameTime = 1000;
  }
  void TearDown() override { testsupport::ResetMediaRooms(); }
  // Updates with dt 1 every `step` ms until GameTime reaches `until`.
  static void RunTo(TEmitter& em, int until, int step = 10) {
    while (GameTime < until) {
      GameTime = std::min(GameTime + step, until);
      em.Update(1.0f);
    }
  }
  static std::vector<Ref<TParticle>> List(const TEmitter& em) {
    std::vector<Ref<TParticle>> v;
    for (const auto& p : em.Particles) v.push_back(p);
    return v;
  }
};

}  // namespace

TEST_F(Particles, EmitterSpawnTimingFollowsRateDelayTimeOutAndPause) {
  struct Step {
    int time;       // GameTime of one Update
    int count;      // particles alive after it
    int stop = 0;   // GenerationStop after it
  };
  struct Case {
    const char* name;
    float rate;
    int delay, timeout;
    std::vector<Step> steps;
    int pauseAt = -1, resumeAt = -1;  // index of the step before which Pause is set / cleared
  };
  const Case cases[] = {
      {"one per 100 ms, first only after more than 100", 10, 0, 0, {{1100, 0}, {1101, 1}, {1200, 1}, {1201, 2}}},
      {"a 350 ms frame spawns three", 10, 0, 0, {{1350, 3}}},
      {"time-out 1000 spawns nine, then stops", 10, 0, 1000, {{1950, 9}, {3000, 9, 1}}},
      {"delay holds the first, then missed ticks come at once", 10, 500, 0, {{1500, 0}, {1501, 5}}},
      {"pause restarts the clock without catching up", 10, 0, 0,
       {{1101, 1}, {1500, 1}, {1600, 1}, {1700, 1}, {1701, 2}}, 1, 2},
      {"rate 0 spawns nothing", 0, 0, 0, {{5000, 0}}},
      {"negative rate spawns nothing", -5, 0, 0, {{5000, 0}}},
      {"not-a-number rate spawns nothing", std::nanf(""), 0, 0, {{5000, 0}}},
      {"rate above 1000 a second ticks every ms", 5000, 0, 0, {{1011, 10}}},
      {"huge rate and a long frame are capped", 1e9f, 0, 0, {{200000, MaxSpawnsPerUpdate}, {200002, MaxSpawnsPerUpdate + 2}}},
  };
  for (const Case& c : cases) {
    GameTime = 1000;
    auto effect = MakeEffect(c.rate, 10000000);
    effect->TimeDelay = c.delay;
    effect->TimeOut = c.timeout;
    auto em = TEmitter::Create(50, 60, effect, 0);
    for (size_t i = 0; i < c.steps.size(); ++i) {
      if (static_cast<int>(i) == c.pauseAt) em->Pause = 1;
      if (static_cast<int>(i) == c.resumeAt) em->Pause = 0;
      GameTime = c.steps[i].time;
      em->Update(1.0f);
      EXPECT_EQ(static_cast<int>(em->Particles.Count()), c.steps[i].count) << c.name << ", step " << i;
      EXPECT_EQ(em->GenerationStop, c.steps[i].stop) << c.name << ", step " << i;
    }
  }
}

TEST_F(Particles, EmitterLongFrameSpawnsAtOnePosition) {
  auto effect = MakeEffect(10, 100000);
  auto em = TEmitter::Create(50, 60, effect, 0);
  em->x = 70;
  GameTime = 1350;
  em->Update(0.0f);
  ASSERT_EQ(em->Particles.Count(), 3u);
  for (const auto& p : em->Particles) {
    EXPECT_EQ(p->ox, 70.0f);
    EXPECT_EQ(p->x, 70.0f);
    EXPECT_EQ(p->TimeStart, 1350);
  }
}

TEST_F(Particles, EmitterDiesWhenStoppedAndLastParticleExpires) {
  auto effect = MakeEffect(10, 500);
  effect->TimeOut = 1000;
  auto em = TEmitter::Create(0, 0, effect, 0);
  RunTo(*em, 2010);
  EXPECT_EQ(em->GenerationStop, 1);
  EXPECT_EQ(em->Death, 0);
  // The ninth and last particle was born at the first update past 1900.
  const int lastBirth = em->Particles.Last()->TimeStart;
  GameTime = lastBirth + 500;
  em->Update(1.0f);
  EXPECT_EQ(em->Death, 0);
  GameTime = lastBirth + 501;
  em->Update(1.0f);
  EXPECT_TRUE(em->Particles.IsEmpty());
  EXPECT_EQ(em->Death, 1);
}

TEST_F(Particles, ParticleLivesItsLifetimeAndScalesHalfWay) {
  auto effect = MakeEffect(10, 1000);
  effect->Scale[0] = effect->Scale[2] = 1;
  effect->Scale[1] = effect->Scale[3] = 3;
  GameTime = 899;
  auto em = TEmitter::Create(0, 0, effect, 0);
  GameTime = 1000;
  em->Update(1.0f);
  ASSERT_EQ(em->Particles.Count(), 1u);
  em->GenerationStop = 1;
  Ref<TParticle> p = em->Particles.First();
  EXPECT_EQ(p->TimeStart, 1000);
  EXPECT_FLOAT_EQ(p->Scale, 1.0f);
  GameTime = 1500;
  em->Update(1.0f);
  EXPECT_FLOAT_EQ(p->Scale, 1.0f + 500.0f * 2.0f / 1500.0f);
  GameTime = 2000;
  em->Update(1.0f);
  // Age over lifetime plus age: half of the way at the end of the life.
  EXPECT_FLOAT_EQ(p->Scale, 2.0f);
  EXPECT_EQ(em->Particles.Count(), 1u);
  GameTime = 2001;
  em->Update(1.0f);
  EXPECT_TRUE(em->Particles.IsEmpty());
  EXPECT_EQ(em->Death, 1);

  // A zero or negative lifetime has no curve: the start scale, never NaN.
  effect->Lifetime[0] = effect->Lifetime[1] = 0;
  GameTime = 899;
  auto em2 = TEmitter::Create(0, 0, effect, 0);
  GameTime = 1000;
  em2->Update(1.0f);
  ASSERT_EQ(em2->Particles.Count(), 1u);  // lives through its birth frame
  EXPECT_FLOAT_EQ(em2->Particles.First()->Scale, 1.0f);
  TParticle q;
  q.StartScale = 1;
  q.EndScale = 3;
  q.TimeStart = 1000;
  q.Lifetime = -200;
  GameTime = 1100;
  q.Update(1.0f);
  EXPECT_FLOAT_EQ(q.Scale, 1.0f);
}

TEST_F(Particles, ParticleFollowsSpeedGravityAndColourCurves) {
  auto effect = MakeEffect(10, 1000);
  effect->SpeedX[0] = effect->SpeedX[1] = 2;
  effect->SpeedY[0] = effect->SpeedY[1] = -1;
  effect->GravitationX = 0.5f;
  effect->GravitationY = 0.25f;
  effect->Speed[0] = effect->Speed[1] = 3;
  effect->Dir[0] = effect->Dir[1] = 90;  // along +x
  effect->Color = CreateColorAlpha(0, 100, 200, 1.0f);
  effect->Color->EndColor(200, 100, 0, 0.0f);
  GameTime = 899;
  auto em = TEmitter::Create(10, 20, effect, 0);
  em->GenerationStop = 0;
  GameTime = 1000;
  em->Update(1.0f);  // spawns, and moves the new particle once
  em->GenerationStop = 1;
  Ref<TParticle> p = em->Particles.First();
  ASSERT_TRUE(p);
  for (int n = 2; n <= 30; ++n) {
    GameTime += 16;
    em->Update(1.0f);
    // Gravity acts from the frame after each move.
    const float gx = 0.5f * n * (n - 1) / 2.0f, gy = 0.25f * n * (n - 1) / 2.0f;
    ASSERT_NEAR(p->x, 10 + n * (2 + 3) + gx, 1e-3) << n;
    ASSERT_NEAR(p->y, 20 + n * -1 + gy, 1e-3) << n;
    ASSERT_NEAR(p->SpeedX, 2 + 0.5f * n, 1e-4) << n;
  }
  // Colour and alpha blend linearly over the lifetime when drawn.
  GameTime = p->TimeStart + 500;
  p->Draw(1.0f);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r, 100);
  EXPECT_EQ(g, 100);
  EXPECT_EQ(b, 100);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.5f);
  platform::ResetDrawState();
}

TEST_F(Particles, SeededSpawnsStayInRangesAndRepeat) {
  auto effect = MakeEffect(100, 100000);
  effect->PosX[0] = -10, effect->PosX[1] = 10;
  effect->PosY[0] = 5, effect->PosY[1] = 6;
  effect->Dir[0] = 0, effect->Dir[1] = 360;
  effect->ScaleX[0] = 0.5f, effect->ScaleX[1] = 2;
  effect->ScaleY[0] = 7, effect->ScaleY[1] = 8;  // not used: ScaleY follows ScaleX
  effect->Lifetime[0] = 100000, effect->Lifetime[1] = 200000;
  effect->ShadowEnabled = 1;
  effect->Shadow[0] = 2, effect->Shadow[1] = 4;
  auto run = [&] {
    SeedRnd(77);
    GameTime = 1000;
    auto em = TEmitter::Create(0, 0, effect, 0);
    GameTime = 1500;
    em->Update(0.0f);
    return em;
  };
  auto a = run(), b = run();
  ASSERT_EQ(a->Particles.Count(), 49u);
  auto pa = List(*a), pb = List(*b);
  for (size_t i = 0; i < pa.size(); ++i) {
    const TParticle& p = *pa[i];
    EXPECT_GE(p.x, -10.0f);
    EXPECT_LE(p.x, 10.0f);
    EXPECT_GE(p.y, 5.0f);
    EXPECT_LE(p.y, 6.0f);
    EXPECT_GE(p.ScaleX, 0.5f);
    EXPECT_LE(p.ScaleX, 2.0f);
    EXPECT_EQ(p.ScaleY, p.ScaleX);
    EXPECT_GE(p.Lifetime, 100000);
    EXPECT_LE(p.Lifetime, 200000);
    EXPECT_GE(p.ShadowOffcet, 2);
    EXPECT_LE(p.ShadowOffcet, 4);
    EXPECT_EQ(p.x, pb[i]->x);
    EXPECT_EQ(p.Dir, pb[i]->Dir);
    EXPECT_EQ(p.Lifetime, pb[i]->Lifetime);
  }
}

TEST_F(Particles, EmitterRemovesByBorderMagnetAndLowFrameRate) {
  // A still particle at (100, 100), spawned by an emitter at the origin.
  auto still = [&](float px) {
    auto effect = MakeEffect(10, 100000);
    effect->PosX[0] = effect->PosX[1] = px;
    effect->PosY[0] = effect->PosY[1] = 100;
    GameTime = 1000;
    auto em = TEmitter::Create(0, 0, effect, 0);
    GameTime = 1101;
    em->Update(1.0f);
    em->GenerationStop = 1;
    return em;
  };
  struct Case {
    const char* name;
    float px;
    int border[4];
    bool kept;
  };
  const Case cases[] = {
      {"no border", 5000, {0, 0, 0, 0}, true},
      {"on the border's corner", 100, {0, 0, 100, 100}, true},
      {"just outside", 101, {0, 0, 100, 100}, false},
      {"border with only a width", 50, {0, 0, 10, 0}, false},
  };
  for (const Case& c : cases) {
    auto em = still(c.px);
    ASSERT_EQ(em->Particles.Count(), 1u) << c.name;
    for (int i = 0; i < 4; ++i) em->BorderRect[i] = c.border[i];
    GameTime += 10;
    em->Update(1.0f);
    EXPECT_EQ(em->Particles.Count(), c.kept ? 1u : 0u) << c.name;
  }

  // The magnet: a particle within its speed of the target has arrived.
  for (float dist : {3.0f, 0.0f}) {
    auto em = still(100);
    (*em->Magnet)[0] = 1;
    (*em->Magnet)[1] = 100 + dist;
    (*em->Magnet)[2] = 100;
    (*em->Magnet)[3] = 10;
    (*em->Magnet)[4] = 1;
    Ref<TParticle> p = em->Particles.First();
    GameTime += 10;
    em->Update(1.0f);
    EXPECT_EQ(p->Death, 1) << dist;
    EXPECT_TRUE(std::isfinite(p->x) && std::isfinite(p->Speed) && std::isfinite(p->Dir)) << dist;
    EXPECT_TRUE(em->Particles.IsEmpty()) << dist;
    EXPECT_EQ(em->Magneted, 1) << dist;
  }
  // The magnet array is the effect's own, shared by its emitters.
  auto e1 = still(0);
  EXPECT_EQ(e1->Magnet, e1->Config->Magnet);

  // Shed while the average frame rate is below 70 % of the target.
  auto em = still(100);
  em->cut();
  FPSCounter->averageFPS = 43;
  GameTime += 10;
  em->Update(1.0f);
  EXPECT_EQ(em->Particles.Count(), 1u);
  FPSCounter->averageFPS = 41;
  em->uncut();
  em->Update(1.0f);
  EXPECT_EQ(em->Particles.Count(), 1u);
  em->cut();
  em->Update(1.0f);
  EXPECT_TRUE(em->Particles.IsEmpty());
}

TEST_F(Particles, ZigzagCirclesAndRestartsAtZero) {
  auto effect = MakeEffect(0, 1000);
  effect->ZigZag = 1;
  effect->ZigZag_Radius_min = 10;
  effect->ZigZag_Radius_dt = 2;
  effect->ZigZag_speed = 5;
  auto em = TEmitter::Create(100, 200, effect, 0);
  EXPECT_EQ(em->zigzag_radius, 10.0f);
  em->t = 90;
  em->Update(1.0f);
  EXPECT_NEAR(em->x, 110.0f, 1e-4);
  EXPECT_NEAR(em->y, 200.0f, 1e-4);
  EXPECT_EQ(em->t, 95.0f);
  EXPECT_EQ(em->zigzag_radius, 12.0f);
  em->t = 359;
  em->Update(1.0f);
  EXPECT_EQ(em->t, 0.0f);
}

TEST_F(Particles, MissingEffectGivesDeadEmitter) {
  auto em = TEmitter::Create(1, 2, nullptr, 1);
  ASSERT_TRUE(em);
  ASSERT_TRUE(em->Config);
  EXPECT_EQ(em->Death, 1);
  EXPECT_EQ(em->DrawUnder, 1);
  GameTime = 100000;
  em->Update(1.0f);
  em->Draw(1.0f);
  EXPECT_TRUE(em->Particles.IsEmpty());
}

TEST_F(Particles, ChildEmittersFollowTheirParticleAndInheritColour) {
  auto child = MakeEffect(10, 100000);
  child->Heritage = {"ColorRed", "somethingelse"};
  child->Color = CreateColorAlpha(1, 2, 3, 1.0f);
  child->Color->EndColor(4, 5, 6, 1.0f);
  testsupport::AddEffect("EFFECT_CHILD", child);
  auto parent = MakeEffect(10, 100000);
  parent->ChildName = "effect_child";
  parent->Color = CreateColorAlpha(100, 110, 120, 1.0f);
  parent->Color->EndColor(200, 210, 220, 1.0f);
  parent->SpeedX[0] = parent->SpeedX[1] = 4;

  auto em = TEmitter::Create(10, 20, parent, 0);
  GameTime = 1101;
  em->Update(1.0f);
  ASSERT_EQ(em->Particles.Count(), 1u);
  Ref<TParticle> p = em->Particles.First();
  ASSERT_TRUE(p->Child);
  EXPECT_EQ(p->Child->Config, child);
  EXPECT_EQ(p->Child->Parent, parent);
  EXPECT_FLOAT_EQ(p->Child->x, p->x);  // born at the particle and carried with it
  em->GenerationStop = 1;
  GameTime = 1300;
  em->Update(1.0f);
  EXPECT_FLOAT_EQ(p->Child->x, p->x);
  ASSERT_FALSE(p->Child->Particles.IsEmpty());
  // The child's first spawn copied the parent's red channel into the shared child colour.
  EXPECT_EQ(child->Color->r, 100);
  EXPECT_EQ(child->Color->r0, 100);
  EXPECT_EQ(child->Color->r1, 200);
  EXPECT_EQ(child->Color->g0, 2);
  EXPECT_EQ(child->Color->b1, 6);

  // Removing the particle stops its child and drops the child's particles.
  Ref<TEmitter> kid = p->Child;
  em->RemoveParticle(p);
  EXPECT_TRUE(em->Particles.IsEmpty());
  EXPECT_EQ(kid->GenerationStop, 1);
  EXPECT_TRUE(kid->Particles.IsEmpty());
  em->RemoveParticle(nullptr);
}

TEST_F(Particles, MissingOrSelfNamedChildEffectIsSafe) {
  auto parent = MakeEffect(10, 100000);
  parent->ChildName = "EFFECT_NONE";
  auto em = TEmitter::Create(0, 0, parent, 0);
  GameTime = 1101;
  testing::internal::CaptureStdout();
  em->Update(1.0f);
  const std::string out = testing::internal::GetCapturedStdout();
  ASSERT_EQ(em->Particles.Count(), 1u);
  EXPECT_FALSE(em->Particles.First()->Child);
  EXPECT_NE(out.find("Not found effect_none"), std::string::npos);

  // A child naming its own effect nests only MaxChildDepth deep.
  auto self = MakeEffect(10, 100000);
  self->ChildName = "EFFECT_SELF";
  testsupport::AddEffect("EFFECT_SELF", self);
  GameTime = 1000;
  auto top = TEmitter::Create(0, 0, self, 0);
  RunTo(*top, 1600);
  int deepest = 0;
  std::function<void(const TEmitter&, int)> walk = [&](const TEmitter& e, int level) {
    deepest = std::max(deepest, level);
    for (const auto& q : e.Particles)
      if (q->Child) walk(*q->Child, level + 1);
  };
  walk(*top, 0);
  EXPECT_EQ(deepest, MaxChildDepth);
}

TEST_F(Particles, AnimatedImageParticlesPlayTheirOwnFramesInRange) {
  auto res = New<TResAnimImage>();
  ResManager->ResAddData("a.png", "IMAGE_ANIM", res, "test");
  res->FrameWidth = res->FrameHeight = 4;
  res->FramesNum = 4;
  res->Data = platform::CreateImage(4, 4, 4);
  auto effect = MakeEffect(10, 100000);
  effect->Image[0].animId = "IMAGE_ANIM";
  effect->AnimSpeed[0] = effect->AnimSpeed[1] = 50;
  auto em = TEmitter::Create(0, 0, effect, 0);
  GameTime = 1101;
  em->Update(1.0f);
  ASSERT_EQ(em->Particles.Count(), 1u);
  Ref<TParticle> p = em->Particles.First();
  ASSERT_TRUE(p->Anim);
  EXPECT_EQ(p->Anim->Frames, 4);
  EXPECT_EQ(p->Frame, 4);  // frames minus the start range: one past the end
  p->Draw(1.0f);
  EXPECT_EQ(p->Frame, 0);  // stepped past the end wraps to the first frame
  GameTime += 51;
  p->Draw(1.0f);
  EXPECT_EQ(p->Frame, 1);
  platform::ResetDrawState();

  // An id that is not an animated image gives a particle that draws nothing.
  effect->Image[0].animId = "IMAGE_NONE";
  testing::internal::CaptureStdout();
  GameTime += 200;
  em->Update(1.0f);
  testing::internal::GetCapturedStdout();
  Ref<TParticle> last = em->Particles.Last();
  EXPECT_FALSE(last->Image);
  EXPECT_FALSE(last->Anim && last->Anim->Image);
  last->Draw(1.0f);
  platform::ResetDrawState();
}

TEST_F(Particles, EffectFileDefaultsAndImages) {
  auto image = platform::CreateImage(2, 2);
  auto resImage = New<TResImage>();
  ResManager->ResAddData("i.png", "IMAGE_DOT", resImage, "test");
  resImage->Data = image;
  auto resAnim = New<TResAnimImage>();
  ResManager->ResAddData("a.png", "IMAGE_SPIN", resAnim, "test");
  resAnim->Data = platform::CreateImage(2, 2, 3);

  auto defaults = TEffect::Load(*platform::OpenMemory(std::string("<effect></effect>")));
  ASSERT_TRUE(defaults);
  EXPECT_EQ(defaults->GenSpeed, 0.0f);
  EXPECT_EQ(defaults->ScaleX[0], 1.0f);
  EXPECT_EQ(defaults->ScaleY[1], 1.0f);
  EXPECT_EQ(std::vector<float>(defaults->Scale, defaults->Scale + 4), (std::vector<float>{1, 1, 1, 1}));
  EXPECT_EQ(defaults->SaluteEmitter, "0");
  EXPECT_EQ(defaults->Images, 0);
  EXPECT_TRUE(defaults->Image[0].Empty());
  EXPECT_EQ(defaults->Color->a, 0.0f);
  EXPECT_TRUE(defaults->Heritage.empty());

  const std::string xml = R"(<?xml version="1.0"?>
<effect>
  <heritage><item name="ColorGreen"/><item name=""/></heritage>
  <GENSPEED value="12.5"/>
  <Image value="IMAGE_DOT" blend="4"/>
  <Image2 value="IMAGE_SPIN"/>
  <Image3 value="0"/>
  <Image4 value="IMAGE_NOWHERE"/>
  <lifetime min="12.9" max="-3.7"/>
  <TimeOut value="999.9"/>
  <Scale start="2" end="3"/>
  <ScaleX min="0.5"/>
  <Shadow enabled="1" min="2" max="5"/>
  <Magnet enabled="0" x="5" y="6" speed="7"/>
  <Child name="EFFECT_X"/>
  <Salute enabled="1" emitter="EFFECT_BANG"/>
  <Red start="10" end="20"/><Green start="30" end="40"/><Blue start="50" end="60"/>
  <Alpha start="0.5" end="0.25"/>
</effect>
)";
  testing::internal::CaptureStdout();
  auto e = TEffect::Load(*platform::OpenMemory(xml));
  testing::internal::GetCapturedStdout();
  ASSERT_TRUE(e);
  EXPECT_EQ(e->Heritage, std::vector<std::string>{"ColorGreen"});
  EXPECT_FLOAT_EQ(e->GenSpeed, 12.5f);
  EXPECT_EQ(e->Blend, 4);
  EXPECT_EQ(e->Image[0].image, image);
  EXPECT_EQ(e->Image[1].animId, "IMAGE_SPIN");
  EXPECT_TRUE(e->Image[2].Empty());
  EXPECT_TRUE(e->Image[3].Empty());  // not a known resource
  EXPECT_EQ(e->Images, 3);           // the last one present counts
  EXPECT_EQ(e->Lifetime[0], 12);
  EXPECT_EQ(e->Lifetime[1], -3);
  EXPECT_EQ(e->TimeOut, 999);
  EXPECT_EQ(std::vector<float>(e->Scale, e->Scale + 4), (std::vector<float>{2, 3, 2, 3}));
  EXPECT_EQ(e->ScaleX[0], 0.5f);
  EXPECT_EQ(e->ScaleX[1], 1.0f);
  EXPECT_EQ(e->ShadowEnabled, 1);
  EXPECT_EQ(e->Shadow[1], 5.0f);
  EXPECT_EQ(*e->Magnet, (TMagnet{0, 0, 0, 0, 0, 0}));  // the rest is read only when enabled
  EXPECT_EQ(e->ChildName, "EFFECT_X");
  EXPECT_EQ(e->Salute, 1);
  EXPECT_EQ(e->SaluteEmitter, "EFFECT_BANG");
  EXPECT_EQ(e->Color->r0, 10);
  EXPECT_EQ(e->Color->r1, 20);
  EXPECT_EQ(e->Color->g1, 40);
  EXPECT_EQ(e->Color->b0, 50);
  EXPECT_FLOAT_EQ(e->Color->a0, 0.5f);
  EXPECT_FLOAT_EQ(e->Color->a1, 0.25f);
  EXPECT_EQ(e->Color->UseAlpha, 1);

  auto m = TEffect::Load(*platform::OpenMemory(std::string(
      R"(<e><Magnet enabled="1" x="5" y="6" speed="7" force="8" timeout="9"/></e>)")));
  ASSERT_TRUE(m);
  EXPECT_EQ(*m->Magnet, (TMagnet{1, 5, 6, 7, 8, 9}));

  EXPECT_FALSE(TEffect::Load(*platform::OpenMemory(std::string("<effect><GenSpeed value=\"3\"/>"))));
  EXPECT_FALSE(TEffect::Load(*platform::OpenMemory(std::string("no markup at all"))));
}

TEST_F(Particles, EmitterDrawsParticlesAndRestoresState) {
  ASSERT_TRUE(platform::OpenGraphics(800, 600, 0, 60, true));
  platform::ResetDrawState();
  platform::SetClearColor(0, 0, 0);
  platform::Cls();
  auto dot = std::make_shared<platform::Pixmap>(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) dot->WritePixel(x, y, 0xFFFF0000u);
  auto effect = MakeEffect(10, 100000);
  effect->Image[0].image = platform::ImageFromPixmap(dot, 0);
  effect->Blend = platform::ALPHABLEND;
  effect->PosX[0] = effect->PosX[1] = 100;
  effect->PosY[0] = effect->PosY[1] = 50;
  auto em = TEmitter::Create(0, 0, effect, 0);
  GameTime = 1101;
  em->Update(0.0f);
  ASSERT_EQ(em->Particles.Count(), 1u);
  // Moved emitter: particles shift by the emitter's move since their birth.
  em->PositionParticles(10, 20);
  platform::SetColor(1, 2, 3);
  em->Draw(2.0f);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 6);  // the emitter's changes are undone
  float sx, sy;
  platform::GetScale(sx, sy);
  EXPECT_EQ(sx, 1.0f);

  platform::PixmapRef canvas = platform::GrabCanvas();
  ASSERT_TRUE(canvas);
  // Drawn at 2 x (100 + 10, 50 + 20), twice the size.
  const uint32_t inside = canvas->ReadPixel(222, 142);
  EXPECT_GT((inside >> 16) & 255, 200u);
  EXPECT_EQ(inside & 0xFFFF, 0u);
  EXPECT_EQ(canvas->ReadPixel(218, 138) & 0xFFFFFF, 0u);
  EXPECT_EQ(canvas->ReadPixel(229, 149) & 0xFFFFFF, 0u);

  platform::Cls();
  effect->UserDraw = 1;
  em->Draw(1.0f);
  canvas = platform::GrabCanvas();
  EXPECT_EQ(canvas->ReadPixel(222, 142) & 0xFFFFFF, 0u);
  platform::CloseGraphics();
  platform::ResetDrawState();
}
