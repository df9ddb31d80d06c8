#include "physics/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "framework/core/core_globals.h"
#include "framework/core/frame_clock.h"
#include "physics/contacts.h"
#include "physics/effects_hook.h"
#include "physics/physics_globals.h"
#include "scenes/physics_scenes.h"

using namespace kelp;
using namespace scenes;

namespace {

class Physics : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCoreGlobals();
    ResetPhysicsGlobals();
    GameTime = 1000;
  }
  void TearDown() override {
    ResetPhysicsGlobals();
    ResetCoreGlobals();
  }
  TPhysEngine e;
};

bool Joined(const TPhysEngine& e, const TPhysEngine_Particle* a, const TPhysEngine_Particle* b) {
  for (const auto& c : e.Constraints)
    if ((c->p1.get() == a && c->p2.get() == b) || (c->p1.get() == b && c->p2.get() == a)) return true;
  return false;
}

// Writes down what the engine reports, in order.
struct Recorder : ContactListener {
  struct Report {
    char kind;  // 'L'anded, 'T'ouched, 'S'tatic
    const void* first;
    const void* second;
    float gap;  // for landings: the distance of the pair's first particles when told
  };
  std::vector<Report> reports;
  void Landed(TPhysEngine_Group& g, TPhysEngine_Group& h) override {
    const float gap = h.frstp->x - g.frstp->x;
    reports.push_back({'L', &g, &h, gap});
  }
  void Touched(const Ref<TPhysEngine_Group>& g, const Ref<TPhysEngine_Group>& h) override {
    reports.push_back({'T', g.get(), h.get(), 0});
  }
  void HitStatic(TPhysEngine_Group& g, TPhysEngine_Static& s) override { reports.push_back({'S', &g, &s, 0}); }
  size_t Count(char kind, const void* first, const void* second) const {
    size_t n = 0;
    for (const auto& r : reports) n += r.kind == kind && r.first == first && r.second == second;
    return n;
  }
};

}  // namespace

TEST_F(Physics, FreshEngineAndClearWorldSwapTheStopLimitsAndKeepForces) {
  EXPECT_FLOAT_EQ(e.STOPLIMIT, 0.1f);
  EXPECT_FLOAT_EQ(e.COLSTOPLIMIT, 0.05f);
  EXPECT_EQ(e.ITERATIONS, 1);
  EXPECT_FLOAT_EQ(e.GRAVITY, 100.0f);
  EXPECT_FLOAT_EQ(e.TIMESTEP, 0.05f);

  auto g = TPhysEngine_Group::Create(&e);
  auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &e);
  auto b = TPhysEngine_Particle::Create(g.get(), 10, 0, &e);
  TPhysEngine_Constraint::Create(g.get(), a, b, &e);
  TPhysEngine_Static::Create(0, 0, 1, 1, 1, 1, 1, &e);
  TForce::Create(0, 0, 10, 10, 100, &e, 1);
  e.GRAVITY = 5;
  e.GRAVITYX = 3;
  e.ITERATIONS = 4;
  e.SLEEPMODE = 1;
  e.RANGEWIDTH = 7;

  e.ClearWorld();
  EXPECT_FLOAT_EQ(e.STOPLIMIT, 0.05f);
  EXPECT_FLOAT_EQ(e.COLSTOPLIMIT, 0.1f);
  EXPECT_FLOAT_EQ(e.GRAVITY, 100.0f);
  EXPECT_EQ(e.ITERATIONS, 1);
  EXPECT_EQ(e.SLEEPMODE, 0);
  EXPECT_FLOAT_EQ(e.GRAVITYX, 3.0f);
  EXPECT_EQ(e.RANGEWIDTH, 7);
  EXPECT_EQ(e.Groups.Count() + e.Particles.Count() + e.Constraints.Count() + e.Statics.Count(), 0u);
  EXPECT_EQ(e.Forces.Count(), 1u);
}

TEST_F(Physics, CreateRefusesNullsSelfJoinsAndDuplicates) {
  auto g = TPhysEngine_Group::Create(&e);
  auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &e);
  auto b = TPhysEngine_Particle::Create(g.get(), 3, 4, &e);
  EXPECT_EQ(TPhysEngine_Group::Create(nullptr), nullptr);
  EXPECT_EQ(TPhysEngine_Particle::Create(nullptr, 0, 0, &e), nullptr);
  EXPECT_EQ(TPhysEngine_Particle::Create(g.get(), 0, 0, nullptr), nullptr);
  EXPECT_EQ(TPhysEngine_Static::Create(0, 0, 1, 1, 1, 1, 1, nullptr), nullptr);
  EXPECT_EQ(TForce::Create(0, 0, 1, 1, 1, nullptr, 0), nullptr);
  EXPECT_EQ(TPhysEngine_Constraint::Create(g.get(), a, a, &e), nullptr);
  EXPECT_EQ(TPhysEngine_Constraint::Create(g.get(), a, nullptr, &e), nullptr);
  EXPECT_EQ(TPhysEngine_Constraint::Create(nullptr, a, b, &e), nullptr);

  auto c = TPhysEngine_Constraint::Create(g.get(), a, b, &e);
  ASSERT_NE(c, nullptr);
  EXPECT_FLOAT_EQ(c->length, 5.0f);
  EXPECT_EQ(c->ctype, TPhysEngine::PULLPUSH);
  EXPECT_EQ(TPhysEngine_Constraint::Create(g.get(), a, b, &e), nullptr);
  EXPECT_EQ(TPhysEngine_Constraint::Create(g.get(), b, a, &e), nullptr);
  c->Remove();
  EXPECT_NE(TPhysEngine_Constraint::Create(g.get(), b, a, &e), nullptr);
}

TEST_F(Physics, NamesAreMadeUniqueWithinTheGroup) {
  auto g = TPhysEngine_Group::Create(&e);
  auto g2 = TPhysEngine_Group::Create(&e);
  auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &e);
  auto b = TPhysEngine_Particle::Create(g.get(), 1, 0, &e);
  auto c = TPhysEngine_Particle::Create(g.get(), 2, 0, &e);
  auto other = TPhysEngine_Particle::Create(g2.get(), 2, 0, &e);
  EXPECT_EQ(a->name, "particle");
  EXPECT_EQ(b->name, "particle(2)");
  EXPECT_EQ(c->name, "particle(3)");
  EXPECT_EQ(other->name, "particle");
  b->Rename("particle");
  EXPECT_EQ(b->name, "particle(2)");  // its own name is free again
  c->Rename("particle(2)");
  EXPECT_EQ(c->name, "particle(2)(2)");
  EXPECT_EQ(TPhysEngine_Particle::Find(g.get(), "particle(2)"), b);
  EXPECT_EQ(TPhysEngine_Particle::Find(g.get(), "nope"), nullptr);
  EXPECT_EQ(TPhysEngine_Particle::Find(nullptr, "particle"), nullptr);

  auto c1 = TPhysEngine_Constraint::Create(g.get(), a, b, &e);
  auto c2 = TPhysEngine_Constraint::Create(g.get(), a, c, &e);
  EXPECT_EQ(c1->name, "constraint");
  EXPECT_EQ(c2->name, "constraint(2)");
  EXPECT_EQ(TPhysEngine_Constraint::Find(g.get(), "constraint(2)"), c2);
  g->Rename("particle");  // groups take any name
  EXPECT_EQ(TPhysEngine_Group::Find("particle", &e), g);
  EXPECT_EQ(TPhysEngine_Group::Find("group", &e), g2);
}

TEST_F(Physics, ConstraintsStayLongestFirstWithEqualLengthsInCreationOrder) {
  auto g = TPhysEngine_Group::Create(&e);
  auto o = TPhysEngine_Particle::Create(g.get(), 0, 0, &e);
  std::vector<Ref<TPhysEngine_Constraint>> made;
  for (float len : {5.0f, 10.0f, 5.0f, 10.0f, 7.0f}) {
    auto p = TPhysEngine_Particle::Create(g.get(), len, 0, &e);
    made.push_back(TPhysEngine_Constraint::Create(g.get(), o, p, &e));
  }
  std::vector<TPhysEngine_Constraint*> order;
  for (const auto& c : e.Constraints) order.push_back(c.get());
  const std::vector<TPhysEngine_Constraint*> want = {made[1].get(), made[3].get(), made[4].get(), made[0].get(),
                                                     made[2].get()};
  EXPECT_EQ(order, want);
  // The group's chain keeps creation order.
  std::vector<TPhysEngine_Constraint*> chain;
  for (auto c = g->frstc.get(); c; c = c->nxt.get()) chain.push_back(c);
  EXPECT_EQ(chain.front(), made[0].get());
  EXPECT_EQ(chain.back(), made[4].get());
}

TEST_F(Physics, OverstretchedConstraintFreesBreakablePinsFromOnePointSixTimesItsLength) {
  for (auto [stretch, freed] : {std::tuple{16.0f, true}, {15.9f, false}}) {
    TPhysEngine w;
    w.GRAVITY = 0;
    auto g = TPhysEngine_Group::Create(&w);
    auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &w);
    auto b = TPhysEngine_Particle::Create(g.get(), 10, 0, &w);
    TPhysEngine_Constraint::Create(g.get(), a, b, &w);
    a->static_ = a->breakable = 1;
    b->static_ = 1;  // pinned but not breakable
    b->Position(stretch, 0);
    w.Update(1);
    EXPECT_EQ(a->static_, freed ? 0 : 1) << stretch;
    EXPECT_EQ(b->static_, 1);
  }
}

TEST_F(Physics, GlueIsRemovedWhenStretchedBeyondFourAndAHalf) {
  for (auto [x, kept] : {std::tuple{20.5f, true}, {20.6f, false}}) {
    TPhysEngine w;
    auto g = TPhysEngine_Group::Create(&w);
    auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &w);
    auto b = TPhysEngine_Particle::Create(g.get(), 16, 0, &w);
    a->static_ = b->static_ = 1;
    auto c = TPhysEngine_Constraint::Create(g.get(), a, b, &w);
    c->temporary = 1;
    b->Position(x, 0);
    w.Update(1);
    EXPECT_EQ(w.Constraints.Count(), kept ? 1u : 0u) << x;
    EXPECT_EQ(g->frstc != nullptr, kept) << x;
    EXPECT_EQ(c->p1 != nullptr, kept) << x;
  }
}

TEST_F(Physics, StickyParticlesGlueAtGapOfThree) {
  for (auto [gap, glued] : {std::tuple{3.0f, true}, {3.01f, false}}) {
    TPhysEngine w;
    w.GRAVITY = 0;
    auto a = Lone(w, 100, 100);
    auto b = Lone(w, 116 + gap, 100);
    a->sticky = b->sticky = 1;
    Steps(w, 1);  // the bounding circles exist from the first step on
    EXPECT_EQ(w.Constraints.Count(), 0u);
    Steps(w, 3);
    ASSERT_EQ(w.Constraints.Count(), glued ? 1u : 0u) << gap;
    if (glued) {
      auto c = w.Constraints.First();
      EXPECT_EQ(c->temporary, 1);
      EXPECT_EQ(c->grp, a->grp);  // made from the first group's side
      EXPECT_TRUE(Joined(w, a.get(), b.get()));
    }
  }
}

// Glue goes before the first shorter constraint of the list as it stands,
// also when lengths set after creation left the list out of order, when glue
// made earlier in the step is shorter, and when a shorter one left the list
// earlier in the step.
TEST_F(Physics, GlueGoesBeforeTheFirstShorterConstraintOfAnUnsortedList) {
  e.GRAVITY = 0;
  auto g = TPhysEngine_Group::Create(&e);
  std::vector<Ref<TPhysEngine_Constraint>> lasting;
  int row = 0;
  for (float len : {10.0f, 30.0f, 5.0f, 20.0f, 8.0f}) {
    const float y = 1000.0f + 100.0f * static_cast<float>(row++);
    auto a = TPhysEngine_Particle::Create(g.get(), 2000, y, &e);
    auto b = TPhysEngine_Particle::Create(g.get(), 2001, y, &e);
    lasting.push_back(TPhysEngine_Constraint::Create(g.get(), a, b, &e));  // all of length 1: creation order
    lasting.back()->length = len;
  }
  // Three sticky pairs 1 apart, made into glue of 25, 12 and 26 in this order.
  for (auto [x, r] : {std::pair{100.0f, 12.0f}, {300.0f, 5.5f}, {500.0f, 12.5f}}) {
    Lone(e, x, 100, r)->sticky = 1;
    Lone(e, x + 2 * r + 1, 100, r)->sticky = 1;
  }
  Steps(e, 1);  // the bounding circles exist from here on
  ASSERT_EQ(e.Constraints.Count(), 5u);
  // Longest when made, so first in the list; stretched, it leaves in the relaxation.
  auto p = TPhysEngine_Particle::Create(g.get(), 2000, 0, &e);
  auto q = TPhysEngine_Particle::Create(g.get(), 2050, 0, &e);
  auto bait = TPhysEngine_Constraint::Create(g.get(), p, q, &e);
  bait->length = 2;
  bait->temporary = 1;
  ASSERT_EQ(e.Constraints.First(), bait);
  Steps(e, 1);
  EXPECT_EQ(bait->p1, nullptr);
  std::vector<float> order;
  for (const auto& c : e.Constraints) order.push_back(c->length);
  const std::vector<float> want = {26, 25, 12, 10, 30, 5, 20, 8};
  EXPECT_EQ(order, want);
}

// However many sticky particles press on one, it holds kMostGlue glues: the
// first made stay, the rest of the ring makes no glue with it.
TEST_F(Physics, AParticleHoldsAtMostItsShareOfGlue) {
  e.GRAVITY = 0;
  auto hub = Lone(e, 200, 200, 20);
  hub->sticky = 1;
  std::vector<Ref<TPhysEngine_Particle>> ring;
  for (int i = 0; i < 14; ++i) {
    const float a = static_cast<float>(i) * (360.0f / 14) * 3.14159265f / 180.0f;
    ring.push_back(Lone(e, 200 + 24 * std::cos(a), 200 + 24 * std::sin(a), 3));
    ring.back()->sticky = 1;
  }
  Steps(e, 3);
  size_t atHub = 0;
  for (const auto* k : hub->joints) atHub += k->temporary;
  EXPECT_EQ(atHub, TPhysEngine::kMostGlue);
  EXPECT_TRUE(Joined(e, hub.get(), ring[0].get()));
  EXPECT_TRUE(Joined(e, hub.get(), ring[1].get()));
  EXPECT_FALSE(Joined(e, hub.get(), ring[13].get()));
  for (const auto& p : ring) {
    size_t glue = 0;
    for (const auto* k : p->joints) glue += k->temporary;
    EXPECT_LE(glue, TPhysEngine::kMostGlue);
  }
}

// A pile twenty rows high stands instead of being crushed into a heap whose
// particles each hold hundreds of glues; its glue stays within the share.
TEST_F(Physics, GlueOfATallPileStaysBoundedAndThePileStands) {
  auto pile = Pile(20);
  for (int i = 0; i < 6; ++i) {
    Steps(*pile, 50);
    EXPECT_LE(TemporaryCount(*pile), pile->Particles.Count() * TPhysEngine::kMostGlue / 2);
  }
  ASSERT_TRUE(AllFinite(*pile));
  float top = kFloorY;
  for (const auto& p : pile->Particles) top = std::min(top, p->y);
  EXPECT_LT(top, kFloorY - 10 * 52.8f) << "more than ten rows of boxes still stand";
}

TEST_F(Physics, TouchingIsBelowOnePointSevenTimesTheRadii) {
  for (auto [dist, touched] : {std::tuple{27.04f, true}, {27.2f, false}}) {
    TPhysEngine w;
    Recorder r;
    w.Contacts = &r;
    w.GRAVITY = 0;
    // Two particles a group, one above the other, so the bounding circles overlap.
    auto g = TPhysEngine_Group::Create(&w);
    auto h = TPhysEngine_Group::Create(&w);
    for (float y : {100.0f, 60.0f}) {
      TPhysEngine_Particle::Create(g.get(), 0, y, &w);
      TPhysEngine_Particle::Create(h.get(), dist, y, &w);
    }
    Steps(w, 2);
    EXPECT_EQ(r.Count('T', g.get(), h.get()), touched ? 1u : 0u) << dist;
    EXPECT_EQ(r.Count('T', h.get(), g.get()), touched ? 1u : 0u) << dist;
  }
}

TEST_F(Physics, ContactsAreReportedFromBothSidesOncePerStepWhateverTheBodies) {
  Recorder r;
  e.Contacts = &r;
  e.GRAVITY = 0;
  auto a = Lone(e, 100, 100);
  auto b = Lone(e, 200, 100);
  auto g = e.Groups.First(), h = e.Groups.Last();
  Steps(e, 2);
  EXPECT_TRUE(r.reports.empty());
  b->Position(120, 100);  // touching, not overlapping
  Steps(e, 1);            // the bounding circles catch up
  EXPECT_TRUE(r.reports.empty());
  Steps(e, 1);
  ASSERT_EQ(r.reports.size(), 2u);
  EXPECT_EQ(r.Count('T', g.get(), h.get()), 1u);
  EXPECT_EQ(r.Count('T', h.get(), g.get()), 1u);
  Steps(e, 1);
  EXPECT_EQ(r.reports.size(), 4u);
  e.Contacts = nullptr;  // no listener: the step only pushes
  Steps(e, 1);
  EXPECT_EQ(r.reports.size(), 4u);
}

TEST_F(Physics, LandingsAreReportedBeforeThePushWhileAFallFlagIsSet) {
  for (int fall : {0, 1}) {
    TPhysEngine w;
    Recorder r;
    w.Contacts = &r;
    w.GRAVITY = 0;
    auto a = Lone(w, 100, 100);
    auto b = Lone(w, 200, 100);
    auto g = w.Groups.First(), h = w.Groups.Last();
    b->Position(110, 100);
    Steps(w, 1);  // overlapping, but the bounding circles were apart
    g->fall = fall;
    w.ParticleCollisions();
    EXPECT_GT(b->x - a->x, 10.0f) << "pushed apart";
    EXPECT_EQ(r.Count('L', g.get(), h.get()), static_cast<size_t>(fall));
    if (fall) EXPECT_FLOAT_EQ(r.reports.front().gap, 10.0f) << "told before the push";
    EXPECT_EQ(g->fall, fall) << "the engine never clears it";
  }
}

TEST_F(Physics, StaticHitsAreReportedWithTheParticlesGroup) {
  Recorder r;
  e.Contacts = &r;
  auto s = TPhysEngine_Static::Create(0, 100, 200, 100, 1, 2, 1, &e);
  auto p = Lone(e, 100, 85);
  p->Move(0, 2);  // not yet within both radii
  EXPECT_TRUE(r.reports.empty());
  p->Move(0, 10);  // two sub-steps, both against the static
  EXPECT_EQ(r.Count('S', p->grp, s.get()), 2u);
}

TEST_F(Physics, MoveOfMoreThanFifteenSetsFall) {
  for (auto [dx, dy, fall] : {std::tuple{16.0f, 0.0f, 1}, {15.0f, 0.0f, 0}, {0.0f, -16.0f, 1}}) {
    auto p = Lone(e, 0, 0);
    p->Move(dx, dy);
    EXPECT_EQ(p->grp->fall, fall) << dx << "," << dy;
  }
}

TEST_F(Physics, SweptMoveIsCutAtFiftySubSteps) {
  auto p = Lone(e, 0, 0, 1.0f);
  p->Move(60, 0);
  EXPECT_FLOAT_EQ(p->x, 50.0f);
  auto q = Lone(e, 0, 0, 2.0f);
  q->Move(0, 60);  // 30 sub-steps: all of it
  EXPECT_FLOAT_EQ(q->y, 60.0f);
  auto s = Lone(e, 0, 0, 0.0f);  // no radius: one step
  s->Move(7, -3);
  EXPECT_FLOAT_EQ(s->x, 7.0f);
  EXPECT_FLOAT_EQ(s->y, -3.0f);
  // A negative or NaN radius gives no sub-step at all: the particle stays.
  for (float radius : {-4.0f, std::numeric_limits<float>::quiet_NaN()}) {
    auto odd = Lone(e, 0, 0, radius);
    odd->Move(7, -3);
    EXPECT_EQ(odd->x, 0.0f) << radius;
    EXPECT_EQ(odd->y, 0.0f) << radius;
  }
}

TEST_F(Physics, StaticCollisionDistanceIsBothRadii) {
  auto floor = TPhysEngine_Static::Create(0, 100, 200, 100, 0.6f, 2, 1, &e);
  auto p = Lone(e, 100, 85);  // radius 8
  p->col_friction = 0.2f;
  p->Move(0, 10);  // two sub-steps; the second ends 5 above the floor
  EXPECT_FLOAT_EQ(p->y, 90.0f);
  EXPECT_FLOAT_EQ(p->oy, 95.0f);  // velocity lost at the contact point
  EXPECT_EQ(p->col_occured, 1);
  EXPECT_FLOAT_EQ(p->col_friction, 0.4f);

  // Resting under gravity it stays r + R above the segment.
  auto q = Lone(e, 50, 40);
  Steps(e, 200);
  EXPECT_NEAR(q->y, 90.0f, 1e-3);
  EXPECT_NEAR(q->x, 50.0f, 1e-3);
}

TEST_F(Physics, SweptMoveTestsStaticEndsAndBoundingBox) {
  TPhysEngine_Static::Create(100, 100, 200, 100, 1, 2, 1, &e);
  auto p = Lone(e, 90, 80);
  p->Move(0, 10);  // (90, 90) is 14.1 from the end (100, 100): clear
  EXPECT_FLOAT_EQ(p->y, 90.0f);
  EXPECT_EQ(p->col_occured, 0);
  auto q = Lone(e, 95, 90);
  q->Move(0, 5);  // (95, 95): 7.07 from the end, pushed out along that line
  const float d = std::hypot(q->x - 100, q->y - 100);
  EXPECT_NEAR(d, 10.0f, 1e-4);
  EXPECT_LT(q->x, 95.0f);
}

TEST_F(Physics, CentreExactlyOnASegmentIsPushedBackToItsSide) {
  TPhysEngine_Static::Create(0, 100, 200, 100, 1, 2, 1, &e);
  auto above = Lone(e, 100, 95);
  above->Move(0, 5);
  EXPECT_FLOAT_EQ(above->x, 100.0f);
  EXPECT_FLOAT_EQ(above->y, 90.0f);
  auto below = Lone(e, 100, 105);
  below->Move(0, -5);
  EXPECT_FLOAT_EQ(below->y, 110.0f);
  // A segment of no length pushes straight up.
  TPhysEngine w;
  TPhysEngine_Static::Create(50, 50, 50, 50, 1, 2, 1, &w);
  auto dot = Lone(w, 45, 50);
  dot->Move(5, 0);
  EXPECT_FLOAT_EQ(dot->x, 50.0f);
  EXPECT_FLOAT_EQ(dot->y, 40.0f);
}

TEST_F(Physics, DeepPressIntoAPathStaticBlocksIt) {
  for (auto [startY, blocked] : {std::tuple{98.0f, 1}, {94.0f, 0}}) {
    TPhysEngine w;
    auto s = TPhysEngine_Static::Create(0, 100, 200, 100, 1, 2, 1, &w);
    s->path = 3;
    auto p = Lone(w, 100, startY);
    p->Move(0, 0.5f);
    EXPECT_EQ(s->blocked, blocked) << startY;
  }
}

TEST_F(Physics, DustyParticlesCallTheDustHookOnMultiStepScrapes) {
  std::vector<std::tuple<int, int, int>> dust;
  SetPhysicsEffectHooks({[&](int x, int y, int mode) { dust.emplace_back(x, y, mode); }});
  TPhysEngine_Static::Create(0, 100, 200, 100, 1, 2, 1, &e);
  auto p = Lone(e, 100.7f, 85);
  p->dusty = 1;
  p->Move(0, 10);  // two sub-steps
  ASSERT_EQ(dust.size(), 1u);
  EXPECT_EQ(dust[0], std::make_tuple(100, 90, 0));
  auto q = Lone(e, 50, 93);
  q->dusty = 1;
  q->Move(0, 2);  // one sub-step: no dust
  EXPECT_EQ(dust.size(), 1u);
  EXPECT_EQ(q->col_occured, 1);
}

TEST_F(Physics, GravityIsDividedByMass) {
  e.GRAVITY = 100;
  auto light = Lone(e, 0, 0);
  auto heavy = Lone(e, 1000, 0);
  heavy->mass = 2;
  Steps(e, 10);
  const float vl = light->y - light->oy, vh = heavy->y - heavy->oy;
  EXPECT_FLOAT_EQ(vl, 10 * 100 * 0.05f * 0.05f);
  EXPECT_FLOAT_EQ(vh * 2, vl);
  // Massless and pinned particles are never moved by Verlet.
  auto massless = Lone(e, 2000, 0);
  massless->mass = 0;
  auto pinned = Lone(e, 3000, 0);
  pinned->static_ = 1;
  Steps(e, 10);
  EXPECT_EQ(massless->y, 0.0f);
  EXPECT_EQ(pinned->y, 0.0f);
}

TEST_F(Physics, SlowVelocitiesStopAndCollidedOnesTakeTheFrictionMean) {
  e.GRAVITY = 0;
  auto p = Lone(e, 0, 0);
  p->ox = -0.09f;  // below STOPLIMIT
  p->oy = -0.5f;
  e.Verlet(1);
  EXPECT_FLOAT_EQ(p->x, 0.0f);
  EXPECT_FLOAT_EQ(p->y, 0.5f);

  auto q = Lone(e, 500, 0);
  q->ox = 499;  // vx 1
  q->oy = 0.04f;  // vy -0.04: below COLSTOPLIMIT
  q->friction = 0.5f;
  q->col_occured = 1;
  q->col_friction = 0.3f;
  e.Verlet(1);
  EXPECT_FLOAT_EQ(q->x, 500.4f);  // (0.3 + 0.5) / 2 of the speed
  EXPECT_FLOAT_EQ(q->y, 0.0f);
  EXPECT_EQ(q->col_occured, 0);
  EXPECT_EQ(q->col_friction, 0.0f);
}

TEST_F(Physics, SleepModePutsStillAndFarParticlesToSleep) {
  e.SLEEPMODE = TPhysEngine::SLEEPSTOPPED;
  e.RANGECENTERX = 0;
  e.RANGECENTERY = 0;
  e.RANGEWIDTH = 100;
  e.RANGEHEIGHT = 100;
  auto still = Lone(e, 0, 0);
  auto far = Lone(e, 150, 0);
  far->ox = 140;  // moving, but out of range
  auto moving = Lone(e, 0, 50);
  moving->oy = 49;
  // A stretched constraint between two sleepers is left alone.
  auto pair = TPhysEngine_Group::Create(&e);
  auto a = TPhysEngine_Particle::Create(pair.get(), 300, 0, &e);
  auto b = TPhysEngine_Particle::Create(pair.get(), 310, 0, &e);
  TPhysEngine_Constraint::Create(pair.get(), a, b, &e);
  b->Position(330, 0);
  Steps(e, 1);
  EXPECT_EQ(a->x, 300.0f);
  EXPECT_EQ(b->x, 330.0f);
  EXPECT_EQ(still->inactive, 1);
  EXPECT_EQ(still->y, 0.0f);  // asleep: gravity does not start it
  EXPECT_EQ(far->inactive, 1);
  EXPECT_EQ(far->x, 150.0f);
  EXPECT_EQ(far->ox, 150.0f);
  EXPECT_EQ(moving->inactive, 0);
  EXPECT_GT(moving->y, 51.0f);
}

TEST_F(Physics, NoIterationsEnforceNoConstraint) {
  for (int iterations : {0, 1}) {
    TPhysEngine w;
    w.GRAVITY = 0;
    w.ITERATIONS = static_cast<uint8_t>(iterations);
    auto g = TPhysEngine_Group::Create(&w);
    auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &w);
    auto b = TPhysEngine_Particle::Create(g.get(), 10, 0, &w);
    TPhysEngine_Constraint::Create(g.get(), a, b, &w);
    b->Position(20, 0);
    w.Update(1);
    EXPECT_FLOAT_EQ(b->x - a->x, iterations ? 10.0f : 20.0f);
    EXPECT_FLOAT_EQ(a->x, iterations ? 5.0f : 0.0f);
  }
}

TEST_F(Physics, ConstraintCorrectionMovesEachEndByItsOwnMassShare) {
  auto g = TPhysEngine_Group::Create(&e);
  auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &e);
  auto b = TPhysEngine_Particle::Create(g.get(), 10, 0, &e);
  auto c = TPhysEngine_Constraint::Create(g.get(), a, b, &e);
  b->mass = 3;
  b->Position(20, 0);
  e.SatisfyConstraints(1);
  EXPECT_FLOAT_EQ(a->x, 2.5f);
  EXPECT_FLOAT_EQ(b->x, 12.5f);  // the heavier end moves more
  EXPECT_EQ(a->tx, 0.0f);

  // Pull only pulls, push only pushes.
  for (auto [type, startX, endX] : {std::tuple{TPhysEngine::PULL, 5.0f, 5.0f}, {TPhysEngine::PULL, 20.0f, 15.0f},
                                    {TPhysEngine::PUSH, 20.0f, 20.0f}, {TPhysEngine::PUSH, 5.0f, 7.5f}}) {
    a->Position(0, 0);
    b->Position(startX, 0);
    b->mass = 1;
    c->ctype = type;
    e.SatisfyConstraints(1);
    EXPECT_FLOAT_EQ(b->x, endX) << type << " " << startX;
  }
}

TEST_F(Physics, PinnedParticleGivesItsPartnerThreeShares) {
  auto g = TPhysEngine_Group::Create(&e);
  g->selfcollision = 1;
  auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &e);
  auto b = TPhysEngine_Particle::Create(g.get(), 10, 0, &e);
  a->static_ = 1;
  e.ParticleCollisions();
  EXPECT_FLOAT_EQ(a->x, 0.0f);
  EXPECT_FLOAT_EQ(b->x, 19.0f);

  // Both free: one share each, and the first keeps the push as velocity.
  a->static_ = 0;
  a->Position(0, 0);
  b->Position(10, 0);
  e.ParticleCollisions();
  EXPECT_FLOAT_EQ(a->x, -3.0f);
  EXPECT_FLOAT_EQ(b->x, 13.0f);
  EXPECT_FLOAT_EQ(a->ox, 0.0f);

  // Both pinned: neither moves.
  a->static_ = b->static_ = 1;
  a->Position(0, 0);
  b->Position(10, 0);
  e.ParticleCollisions();
  EXPECT_FLOAT_EQ(a->x, 0.0f);
  EXPECT_FLOAT_EQ(b->x, 10.0f);
}

TEST_F(Physics, SelfCollisionOnlyWhenTheGroupAsksForIt) {
  auto g = TPhysEngine_Group::Create(&e);
  auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &e);
  auto b = TPhysEngine_Particle::Create(g.get(), 10, 0, &e);
  e.ParticleCollisions();
  EXPECT_FLOAT_EQ(b->x, 10.0f);
  g->selfcollision = 1;
  g->docollisions = 0;
  e.ParticleCollisions();
  EXPECT_FLOAT_EQ(b->x, 10.0f);
  g->docollisions = 1;
  e.ParticleCollisions();
  EXPECT_FLOAT_EQ(b->x, 13.0f);
  EXPECT_FLOAT_EQ(a->x, -3.0f);
}

TEST_F(Physics, ForcesPushOutwardLinearlyWithWholeDegreeAngles) {
  auto f = TForce::Create(0, 0, 100, 50, 30, &e, 0);
  float fx = 0, fy = 0;
  f->Force(50, 0, fx, fy, 0);
  EXPECT_FLOAT_EQ(fx, 25.0f);
  EXPECT_NEAR(fy, 0.0f, 1e-5);
  fx = fy = 0;
  f->Force(50, 0, fx, fy, 1);
  EXPECT_FLOAT_EQ(fx, 12.5f);
  fx = fy = 0;
  f->Force(100, 0, fx, fy, 0);  // at the rim: nothing
  EXPECT_EQ(fx, 0.0f);
  fx = fy = 0;
  f->Force(1, 60, fx, fy, 0);  // atan2 gives 89.05 degrees, taken as 89
  const float e60 = std::sqrt(1.0f + 3600.0f) / 100.0f;
  EXPECT_NEAR(fx, std::cos(89.0 * M_PI / 180) * 50 * e60, 1e-4);
  EXPECT_NEAR(fy, std::sin(89.0 * M_PI / 180) * 50 * e60, 1e-4);
  fx = fy = 0;
  f->Force(-60, -1, fx, fy, 0);  // -179.05 is truncated toward zero to -179
  EXPECT_NEAR(fy, std::sin(-179.0 * M_PI / 180) * 50 * 0.6000833f, 1e-4);
}

TEST_F(Physics, ForcesExpireAfterTheirLifeUnlessConstant) {
  GameTime = 1000;
  auto f = TForce::Create(0, 0, 10, 10, 30, &e, 0);
  auto c = TForce::Create(0, 0, 10, 10, 30, &e, 1);
  GameTime = 1030;
  e.UpdateForces();
  EXPECT_EQ(e.Forces.Count(), 2u);
  GameTime = 1031;
  e.UpdateForces();
  EXPECT_EQ(f->death, 1);
  EXPECT_EQ(e.Forces.Count(), 1u);
  EXPECT_EQ(e.Forces.First(), c);
}

TEST_F(Physics, ForcesActThroughVerletScaledByTheStep) {
  e.GRAVITY = 0;
  auto p = Lone(e, 50, 0);
  auto q = Lone(e, 150, 0);
  q->mass = 2;
  TForce::Create(100, 0, 100, 40, 1000, &e, 0);  // both 50 from the centre
  e.Verlet(1);
  EXPECT_FLOAT_EQ(p->x, 50 - 20 * 0.0025f);
  EXPECT_FLOAT_EQ(q->x, 150 + 10 * 0.0025f);
}

TEST_F(Physics, BoundingCirclesCoverTheGroupAndEmptyGroupsInheritThem) {
  e.GRAVITY = 0;
  auto g = TPhysEngine_Group::Create(&e);
  TPhysEngine_Particle::Create(g.get(), 0, 0, &e);
  TPhysEngine_Particle::Create(g.get(), 30, 40, &e);
  auto empty = TPhysEngine_Group::Create(&e);
  auto tall = TPhysEngine_Group::Create(&e);
  TPhysEngine_Particle::Create(tall.get(), 0, -20, &e)->radius = 0;
  TPhysEngine_Particle::Create(tall.get(), 0, -1, &e)->radius = 0;
  tall->docollisions = 0;
  e.Update(1);
  EXPECT_EQ(g->centerx, 15);
  EXPECT_EQ(g->centery, 20);
  EXPECT_FLOAT_EQ(g->radius, 0.5f * std::sqrt(46.0f * 46 + 56 * 56));
  EXPECT_EQ(empty->centerx, 15);
  EXPECT_EQ(empty->centery, 20);
  EXPECT_FLOAT_EQ(empty->radius, g->radius);
  // Truncation of a negative centre lifts it: the radius reaches its top.
  EXPECT_EQ(tall->centery, -10);
  EXPECT_FLOAT_EQ(tall->radius, 10.0f);
  EXPECT_FLOAT_EQ(e.TimeStepOld, 0.05f);
}

TEST_F(Physics, GroupPlacementKeepsOrDropsVelocity) {
  auto g = TPhysEngine_Group::Create(&e);
  auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &e);
  auto b = TPhysEngine_Particle::Create(g.get(), 10, 21, &e);
  a->ox = -1;
  g->Position(100, 100, 0);  // centre (5, 10)
  EXPECT_FLOAT_EQ(a->x, 95.0f);
  EXPECT_FLOAT_EQ(b->y, 111.0f);
  EXPECT_FLOAT_EQ(a->x - a->ox, 1.0f);
  g->Position(0, 0, 1);
  EXPECT_FLOAT_EQ(a->x, -5.0f);
  EXPECT_FLOAT_EQ(a->ox, a->x);
  a->ox = a->x - 2;
  g->Translate(3, 4);
  EXPECT_FLOAT_EQ(a->x, -2.0f);
  EXPECT_FLOAT_EQ(a->ox, a->x);  // Translate loses velocity
  g->Reset();
  EXPECT_EQ(b->ox, b->x);

  g->Move(1, 0);  // massless particles stay
  b->mass = 0;
  g->Move(1, 0);
  EXPECT_FLOAT_EQ(a->x, 0.0f);
  EXPECT_FLOAT_EQ(b->x, 9.0f);

  auto c = TPhysEngine_Constraint::Create(g.get(), a, b, &e);
  const float len = c->length;
  g->Scale(0.5f);
  EXPECT_FLOAT_EQ(c->length, len * 0.5f);
  EXPECT_FLOAT_EQ(a->radius, 4.0f);
  EXPECT_FLOAT_EQ(a->x, 0.0f);
}

TEST_F(Physics, RotateJumpsAndTurnMovesAboutTheCentre) {
  auto g = TPhysEngine_Group::Create(&e);
  auto a = TPhysEngine_Particle::Create(g.get(), 90, 100, &e);
  auto b = TPhysEngine_Particle::Create(g.get(), 110, 100, &e);
  g->Rotate(90);  // centre (100, 100) computed first
  EXPECT_EQ(g->centerx, 100);
  EXPECT_NEAR(a->x, 100, 1e-4);
  EXPECT_NEAR(a->y, 90, 1e-4);
  EXPECT_NEAR(b->y, 110, 1e-4);
  EXPECT_EQ(a->ox, a->x);
  g->Turn(90);
  EXPECT_NEAR(a->x, 110, 1e-4);
  EXPECT_NEAR(a->y, 100, 1e-4);
  EXPECT_NEAR(a->x - a->ox, 10, 1e-4);  // Turn gives velocity
}

TEST_F(Physics, RemovingTakesObjectsOutOfTheEngineAndIsSafeTwice) {
  auto g = TPhysEngine_Group::Create(&e);
  auto a = TPhysEngine_Particle::Create(g.get(), 0, 0, &e);
  auto b = TPhysEngine_Particle::Create(g.get(), 10, 0, &e);
  auto c = TPhysEngine_Particle::Create(g.get(), 20, 0, &e);
  auto h = TPhysEngine_Group::Create(&e);
  auto d = TPhysEngine_Particle::Create(h.get(), 30, 0, &e);
  TPhysEngine_Constraint::Create(g.get(), a, b, &e);
  TPhysEngine_Constraint::Create(g.get(), b, c, &e);
  TPhysEngine_Constraint::Create(h.get(), d, b, &e);  // from another group

  b->Remove();
  EXPECT_EQ(e.Constraints.Count(), 0u);
  EXPECT_EQ(e.Particles.Count(), 3u);
  EXPECT_EQ(g->frstp, a);
  EXPECT_EQ(a->nxt, c);
  EXPECT_EQ(b->grp, nullptr);
  EXPECT_EQ(g->frstc, nullptr);
  EXPECT_EQ(h->frstc, nullptr);
  b->Remove();
  EXPECT_EQ(e.Particles.Count(), 3u);
  // A constraint can be made again once the old one is gone.
  EXPECT_NE(TPhysEngine_Constraint::Create(g.get(), a, c, &e), nullptr);

  g->Remove();
  EXPECT_EQ(e.Groups.Count(), 1u);
  EXPECT_EQ(e.Particles.Count(), 1u);
  EXPECT_EQ(e.Constraints.Count(), 0u);
  EXPECT_EQ(g->frstp, nullptr);
  g->Remove();
  EXPECT_EQ(e.Groups.Count(), 1u);

  auto s = TPhysEngine_Static::Create(0, 0, 10, 0, 1, 1, 1, &e);
  s->Remove();
  s->Remove();
  EXPECT_EQ(e.Statics.Count(), 0u);
}

// Objects reached only through the engine (a chain's or a list's reference
// is the last one) take themselves out without touching freed memory.
TEST_F(Physics, RemovingAnObjectOnlyTheEngineHoldsIsSafe) {
  Box(e, 100, 100);
  Box(e, 200, 100);
  e.Groups.First()->frstp->nxt->Remove();
  e.Groups.First()->frstc->nxt->Remove();
  EXPECT_EQ(e.Particles.Count(), 9u);
  EXPECT_EQ(e.Constraints.Count(), 15u);  // four went with the particle, one alone
  e.Groups.Last()->Remove();
  EXPECT_EQ(e.Groups.Count(), 1u);
  EXPECT_EQ(e.Particles.Count(), 4u);
  EXPECT_EQ(e.Constraints.Count(), 5u);
}

TEST_F(Physics, StaticsKeepTheirBoundingBoxWidenedByTheRadius) {
  auto s = TPhysEngine_Static::Create(10, 40, 30, 20, 0.5f, 3, 0, &e);
  EXPECT_EQ(e.Statics.Count(), 0u);  // not added
  EXPECT_FLOAT_EQ(s->minx, 7);
  EXPECT_FLOAT_EQ(s->maxx, 33);
  EXPECT_FLOAT_EQ(s->miny, 17);
  EXPECT_FLOAT_EQ(s->maxy, 43);
  s->ox = 20;
  s->oy = 30;
  s->Position(25, 30);
  EXPECT_FLOAT_EQ(s->x1, 15);
  EXPECT_FLOAT_EQ(s->maxx, 38);
  s->radius = 1;
  EXPECT_FLOAT_EQ(s->maxx, 38);
  s->Update();
  EXPECT_FLOAT_EQ(s->maxx, 36);
}

TEST_F(Physics, DegenerateMassesRadiiAndOverlapsNeverMakeNaN) {
  TPhysEngine_Static::Create(0, 200, 400, 200, 1, 2, 1, &e);
  auto g = TPhysEngine_Group::Create(&e);
  g->selfcollision = 1;
  auto a = TPhysEngine_Particle::Create(g.get(), 100, 100, &e);
  auto b = TPhysEngine_Particle::Create(g.get(), 105, 100, &e);
  auto c = TPhysEngine_Particle::Create(g.get(), 100, 100, &e);  // same spot as a
  auto d = TPhysEngine_Particle::Create(g.get(), 150, 100, &e);
  a->mass = 1;
  b->mass = -1;  // the pair's masses sum to 0
  d->radius = 0;
  c->mass = 0;
  TPhysEngine_Constraint::Create(g.get(), a, b, &e);
  TPhysEngine_Constraint::Create(g.get(), c, d, &e)->length = 0;
  auto z1 = Lone(e, 300, 100, 0);
  auto z2 = Lone(e, 300, 100, 0);  // two radius-0 particles on one spot
  z1->mass = z2->mass = 0;
  TPhysEngine_Constraint::Create(z1->grp, z1, z2, &e);
  auto h = Lone(e, 200, 100);
  h->Move(std::numeric_limits<float>::quiet_NaN(), 1);
  h->Move(std::numeric_limits<float>::infinity(), 0);
  EXPECT_FLOAT_EQ(h->x, 200.0f);
  Steps(e, 300);
  EXPECT_TRUE(AllFinite(e));
  for (const auto& g2 : e.Groups) EXPECT_TRUE(std::isfinite(g2->radius));
}

TEST_F(Physics, SameSceneRunsBitIdenticalTwice) {
  auto run = [] {
    GameTime = 1000;
    TPhysEngine w;
    WalledBox(w);
    DropBoxes(w, 20);
    TForce::Create(380, 450, 150, 210, 30, &w, 0);
    Steps(w, 1000);
    return State(w);
  };
  const auto first = run();
  const auto second = run();
  ASSERT_FALSE(first.empty());
  EXPECT_TRUE(BitEqual(first, second));
}

TEST_F(Physics, BoxesComeToRestInsideTheWalls) {
  WalledBox(e);
  DropBoxes(e, 20);
  Steps(e, 1000);
  const auto before = State(e);
  Steps(e, 10);
  const auto after = State(e);
  ASSERT_TRUE(AllFinite(e));
  for (size_t i = 0; i < after.size(); i += 4) {
    EXPECT_GT(after[i], 190.0f);
    EXPECT_LT(after[i], 570.0f);
    EXPECT_LT(after[i + 1], 560.0f);
    EXPECT_NEAR(after[i + 1], before[i + 1], 1.0f);  // settled
  }
}
