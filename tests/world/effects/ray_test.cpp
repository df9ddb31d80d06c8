// The ray bonus: charging and firing from the claw, burning the topmost box
// under the beam after half a second of contact, wearing down an obstacle
// segment in its way, the time bar, and what must survive it: the boxes'
// links, pauses that are no firing time, contacts cut short.
#include "scenes/level_scenes.h"
#include "world/effects/ray.h"

#include <gtest/gtest.h>

#include "framework/core/color.h"
#include "framework/media/particles.h"
#include "world/effects/electro.h"
#include "play/game.h"
#include "play/player.h"
#include "play_effects_env.h"
#include "world/block.h"
#include "world/handle.h"
#include "world/obstacle.h"
#include "world/world.h"

namespace kelp {
namespace {

using scenes::MakeBox;

template <class Base>
class RayScene : public Base {
 protected:
  void SetUp() override {
    Base::SetUp();
    World = New<TWorld>();
    GameScreen = New<TGame>();
    GameScreen->GameType = 2;
    Player = New<TPlayer>();
    auto h = New<THandle>();
    h->Connector = Particle(300, 30);
    h->LeftClaw = Particle(290, 70);
    h->RightClaw = Particle(310, 70);
    h->LeftElectro = TElectro::Create(290, 70, 290, 170, 4);
    h->RightElectro = TElectro::Create(310, 70, 310, 170, 4);
    Player->Handle = h;
    for (auto* e : {&EffectSparking2, &EffectSparking3, &EffectSparking4, &EffectBrick2})
      *e = play_test::BurstEffect(100);
  }

  static Ref<TPhysEngine_Particle> Particle(float x, float y) {
    auto p = New<TPhysEngine_Particle>();
    p->x = p->ox = x;
    p->y = p->oy = y;
    return p;
  }


  static Ref<TRay> Arm() {
    Player->Handle->Ray = TRay::Create();
    return Player->Handle->Ray;
  }

  static void Step(TRay& ray) {
    GameTime += 18;
    ray.Update(1.0f);
  }

  // Charges until the beam is on.
  static void Fire(TRay& ray) {
    ray.state = TRay::CHARGING;
    for (int i = 0; i < 200 && ray.state != TRay::FIRING; ++i) Step(ray);
    ASSERT_EQ(ray.state, TRay::FIRING);
  }

  // Firing frames until the test holds; the milliseconds it took.
  static int FireUntil(TRay& ray, const std::function<bool()>& done, int most = 200) {
    const int start = GameTime;
    for (int i = 0; i < most && !done(); ++i) Step(ray);
    return GameTime - start;
  }
};

using Ray = RayScene<play_test::PlayEffects>;
using RayBar = RayScene<play_test::PlayEffectsCanvas>;

TEST_F(Ray, ArmingTakesTheHeldBoxAndHidesTheClawsArcs) {
  const auto held = MakeBox({.x = 300, .y = 120, .pinned = true});
  Player->box = held;
  Player->ReleasedCreatures = 2;
  const auto ray = Arm();
  EXPECT_TRUE(held->Deleted());
  EXPECT_FALSE(BlockList.Contains(held.get()));
  EXPECT_EQ(Player->box, nullptr);
  EXPECT_FLOAT_EQ(Player->ReleasedCreatures, 3);
  EXPECT_EQ(Player->Handle->LeftElectro->hided, 1);
  EXPECT_EQ(ray->Electro->hided, 1);
  EXPECT_EQ(ray->Drawable, 0);
}

TEST_F(Ray, TheMuzzleLightGrowsHoldsThenTheBeamFires) {
  const auto ray = Arm();
  ray->state = TRay::CHARGING;
  Step(*ray);
  EXPECT_EQ(ray->Light->state, TRayLight::GROWING);
  int frames = 1;
  while (ray->Light->state == TRayLight::GROWING && frames < 100) Step(*ray), ++frames;
  EXPECT_EQ(frames, 21) << "0.1 a frame up to 2";
  EXPECT_EQ(ray->Light->state, TRayLight::HOLDING);
  EXPECT_EQ(ray->state, TRay::CHARGING);
  const int held = GameTime;
  while (ray->state == TRay::CHARGING && frames < 200) Step(*ray), ++frames;
  EXPECT_EQ(ray->state, TRay::FIRING);
  EXPECT_GE(GameTime - held, 800);
  EXPECT_LT(GameTime - held, 800 + 2 * 18);
  Step(*ray);
  EXPECT_EQ(ray->Electro->hided, 0);
  EXPECT_EQ(ray->Electro->Vertices.First()->y, 140) << "from under the claw";
}

TEST_F(Ray, LettingGoWhileChargingLetsTheLightGrowHoldAndShrink) {
  const auto ray = Arm();
  ray->state = TRay::CHARGING;
  for (int i = 0; i < 5; ++i) Step(*ray);
  ray->state = TRay::IDLE;
  int states = 0, last = -1;
  std::vector<int> seen;
  for (int i = 0; i < 300; ++i) {
    Step(*ray);
    if (ray->Light->state != last) seen.push_back(last = ray->Light->state), ++states;
  }
  EXPECT_EQ(seen, (std::vector<int>{TRayLight::GROWING, TRayLight::HOLDING, TRayLight::SHRINKING, TRayLight::OFF}));
  EXPECT_EQ(ray->state, TRay::IDLE) << "it never fires";
}

TEST_F(Ray, TheTopmostBoxUnderTheBeamBurnsAfterHalfASecondOfContact) {
  const auto low = MakeBox({.x = 300, .y = 500, .pinned = true});
  const auto high = MakeBox({.x = 305, .y = 400, .pinned = true});
  const auto aside = MakeBox({.x = 380, .y = 300, .pinned = true});
  const auto ray = Arm();
  Fire(*ray);
  const int took = FireUntil(*ray, [&] { return high->Deleted(); });
  EXPECT_TRUE(high->Deleted());
  EXPECT_GE(took, 500);
  EXPECT_LE(took, 500 + 2 * 18);
  EXPECT_FALSE(low->Deleted());
  EXPECT_FALSE(aside->Deleted());
  EXPECT_EQ(aside->RayTime, 0);
  EXPECT_EQ(low->RayTime, 0) << "the lower one waits its turn";
  const int next = FireUntil(*ray, [&] { return low->Deleted(); });
  EXPECT_TRUE(low->Deleted());
  EXPECT_GE(next, 500);
  EXPECT_EQ(Player->scores, 20);
}

TEST_F(Ray, MovingOffABoxStartsItsContactAgain) {
  const auto box = MakeBox({.x = 300, .y = 400, .pinned = true});
  const auto ray = Arm();
  Fire(*ray);
  FireUntil(
      *ray, [] { return false; }, 300 / 18);
  EXPECT_NE(box->RayTime, 0);
  EXPECT_EQ(box->RayApply, 1);
  Player->Handle->Connector->x = 500;
  Step(*ray);
  EXPECT_EQ(box->RayTime, 0);
  EXPECT_EQ(ray->Light2->state, TRayLight::OFF);
  Player->Handle->Connector->x = 300;
  const int took = FireUntil(*ray, [&] { return box->Deleted(); });
  EXPECT_GE(took, 500);
}

TEST_F(Ray, ASegmentInTheWayShieldsTheBoxAndWearsDownTwoAtATime) {
  const auto box = MakeBox({.x = 300, .y = 450, .pinned = true});
  const Ref<TObstacle> o = TObstacle::Create(1);
  o->hp = o->max_hp = 4;
  auto s = TPhysEngine_Static::Create(250, 300, 350, 300, 1, 2, 1, World->Physics.get());
  o->Statics.AddLast(s);
  const auto ray = Arm();
  Fire(*ray);
  const int first = FireUntil(*ray, [&] { return o->hp < 4; });
  EXPECT_EQ(o->hp, 2);
  EXPECT_GE(first, 500);
  EXPECT_LE(first, 500 + 2 * 18);
  EXPECT_EQ(box->RayTime, 0) << "shielded";
  EXPECT_EQ(ray->Light2->state, TRayLight::OFF) << "the glow shows on boxes only";
  FireUntil(*ray, [&] { return o->Removed(); });
  EXPECT_TRUE(o->Removed());
  EXPECT_FALSE(World->Physics->Statics.Contains(s.get()));
  FireUntil(*ray, [&] { return box->Deleted(); });
  EXPECT_TRUE(box->Deleted()) << "with the segment gone the box burns";
}

TEST_F(Ray, AContactCutShortDoesNotBurnAtOnceNextTime) {
  const Ref<TObstacle> o = TObstacle::Create(1);
  auto s = TPhysEngine_Static::Create(250, 300, 350, 300, 1, 2, 1, World->Physics.get());
  o->Statics.AddLast(s);
  const auto box = MakeBox({.x = 450, .y = 400, .pinned = true});
  const auto ray = Arm();
  Fire(*ray);
  FireUntil(
      *ray, [] { return false; }, 400 / 18);
  EXPECT_NE(s->RayTime, 0);
  ray->state = TRay::IDLE;
  Step(*ray);
  EXPECT_EQ(s->RayTime, 0);
  EXPECT_EQ(s->RayApply, 0);
  for (int i = 0; i < 100; ++i) Step(*ray);
  Fire(*ray);
  Step(*ray);
  Step(*ray);
  EXPECT_EQ(o->hp, 10) << "a fresh contact";
  // The same for a box the beam leaves for a shielding segment.
  Player->Handle->Connector->x = 450;
  FireUntil(
      *ray, [] { return false; }, 300 / 18);
  EXPECT_NE(box->RayTime, 0);
  o->Statics.AddLast(TPhysEngine_Static::Create(400, 350, 500, 350, 1, 2, 1, World->Physics.get()));
  Step(*ray);
  EXPECT_EQ(box->RayTime, 0);
}

TEST_F(Ray, APauseIsNeitherFiringTimeNorContact) {
  const auto box = MakeBox({.x = 300, .y = 400, .pinned = true});
  const auto ray = Arm();
  Fire(*ray);
  FireUntil(
      *ray, [] { return false; }, 300 / 18);
  const int fired = ray->RayTime;
  // The level pauses; nothing updates the ray until it resumes.
  GameScreen->Paused = 1;
  GameScreen->PauseTime = GameTime;
  GameTime += 20000;
  GameScreen->PausedTime += GameTime - GameScreen->PauseTime;
  GameScreen->Paused = 0;
  Step(*ray);
  EXPECT_EQ(ray->RayTime, fired + 18);
  EXPECT_FALSE(box->Deleted()) << "300 ms of contact before the pause are not 500";
  const int took = FireUntil(*ray, [&] { return box->Deleted(); });
  EXPECT_GE(took, 500 - 300 - 2 * 18);
  EXPECT_LE(took, 500 - 300 + 18);
}

TEST_F(Ray, ItEndsAfterThirtySecondsOfFiringLeavingTheBoxLinksAlone) {
  const auto link = TElectro::Create(100, 100, 200, 100, 5);  // a link between two boxes of a chain
  const auto oldLeft = Player->Handle->LeftElectro;
  const auto ray = Arm();
  const auto beam = ray->Electro;
  Fire(*ray);
  ray->RayTime = ray->RayLifeTime - 10;
  Step(*ray);
  EXPECT_EQ(Player->Handle->Ray, nullptr) << "the claw lets go";
  EXPECT_EQ(ray->Death, 1);
  EXPECT_TRUE(ElectroList.Contains(link.get()));
  EXPECT_EQ(link->Vertices.Count(), 7u);
  EXPECT_FALSE(ElectroList.Contains(beam.get()));
  EXPECT_FALSE(ElectroList.Contains(oldLeft.get()));
  ASSERT_TRUE(Player->Handle->LeftElectro);
  EXPECT_NE(Player->Handle->LeftElectro, oldLeft);
  EXPECT_EQ(Player->Handle->LeftElectro->Vertices.First()->x, 290);
  EXPECT_EQ(Player->Handle->LeftElectro->hided, 0);
  ray->Update(1.0f);  // a holder still stepping it does no harm
  ray->Draw();
}

TEST_F(RayBar, TheTimeBarTurnsFromGreenToYellowToRed) {
  const auto ray = Arm();
  struct Case {
    float left;
    uint32_t colour;
  };
  for (const Case& c : {Case{0.7f, 0x149614u}, Case{0.5f, 0xDEC918u}, Case{0.2f, 0xB61322u}}) {
    platform::Cls();
    ray->RayTime = static_cast<int>((1 - c.left) * float(ray->RayLifeTime));
    ray->DrawOver();
    EXPECT_EQ(Pixel(300 - 31 + 3, 30 + 45 + 3), c.colour) << c.left;
    EXPECT_EQ(Pixel(300 - 31 + 58, 30 + 45 + 3), 0x141414u) << "the used part shows the background";
  }
  platform::Cls();
  ray->RayTime = ray->RayLifeTime;
  ray->DrawOver();
  EXPECT_EQ(Pixel(300 - 31 + 3, 30 + 45 + 3), 0x141414u);
}

}  // namespace
}  // namespace kelp
