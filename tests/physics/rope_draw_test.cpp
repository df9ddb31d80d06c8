// Ropes drawn along a physics group's constraint chain.
#include "physics/rope_draw.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "draw_probe.h"

using namespace kelp;

namespace {

using RopeDraw = draw_probe::Canvas;

TEST_F(RopeDraw, StripFollowsTheGroupsConstraints) {
  TPhysEngine e;
  auto g = TPhysEngine_Group::Create(&e);
  std::vector<Ref<TPhysEngine_Particle>> ps;
  for (auto [x, y] : {std::pair{100.0f, 100.0f}, {300.0f, 100.0f}, {300.0f, 300.0f}})
    ps.push_back(TPhysEngine_Particle::Create(g.get(), x, y, &e));
  TPhysEngine_Constraint::Create(g.get(), ps[0], ps[1], &e);
  TPhysEngine_Constraint::Create(g.get(), ps[1], ps[2], &e);
  auto end = draw_probe::Solid(12, 12, 0xFFFF0000u);
  end->MidHandle();
  DrawRope(g, draw_probe::Solid(4, 4, 0xFF00FF00u), end);
  const platform::Pixmap got = Grab();
  EXPECT_EQ(draw_probe::RGB(got, 200, 100), 0x00FF00u);
  EXPECT_EQ(draw_probe::RGB(got, 300, 200), 0x00FF00u);
  EXPECT_FALSE(draw_probe::Lit(got, 200, 200));
  // The end image marks the first point of the last constraint in the chain.
  const TPhysEngine_Constraint* last = g->frstc.get();
  while (last->nxt) last = last->nxt.get();
  EXPECT_TRUE(draw_probe::Lit(got, int(last->p1->x), int(last->p1->y)));
  EXPECT_EQ(draw_probe::RGB(got, int(last->p1->x), int(last->p1->y)) >> 16, 0xFFu);
}

TEST_F(RopeDraw, NoGroupOrNoConstraintsDrawNothing) {
  TPhysEngine e;
  auto g = TPhysEngine_Group::Create(&e);
  TPhysEngine_Particle::Create(g.get(), 100, 100, &e);
  auto strip = draw_probe::Solid(4, 4, 0xFFFFFFFFu);
  DrawRope(g, strip, strip);
  DrawRope(Ref<TPhysEngine_Group>(), strip, strip);
  DrawRope(static_cast<const TPhysEngine_Group*>(nullptr), strip, strip);
  EXPECT_TRUE(draw_probe::IsBlank(Grab()));
}

}  // namespace
