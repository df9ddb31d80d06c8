// Group files: any bytes give a group (or none) beside an existing world, and
// stepping the world with it stays within the float range.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/core/frame_clock.h"
#include "fuzz_check.h"
#include "physics/engine.h"
#include "platform/stream.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kelp;
  GameTime = 1000;
  const std::vector<uint8_t> bytes(data, data + size);
  TPhysEngine e;
  e.ClearWorld();
  TPhysEngine_Static::Create(0, 300, 400, 300, 0.8f, 2, 1, &e);
  auto floor = TPhysEngine_Group::Create(&e);
  TPhysEngine_Particle::Create(floor.get(), 200, 280, &e)->sticky = 1;

  auto any = e.LoadGroup(platform::OpenMemory(bytes), "");
  auto named = e.LoadGroup(platform::OpenMemory(bytes), "claw");
  Check(!named || named->name == "claw");
  Check(e.Groups.Count() == 1u + (any ? 1 : 0) + (named ? 1 : 0));
  for (auto& g : {any, named}) {
    if (!g) continue;
    for (auto p = g->frstp.get(); p; p = p->nxt.get()) p->sticky = p->dusty = 1;
    g->Position(200, 200, 1);
  }
  for (int i = 0; i < 10; ++i) {
    GameTime += 18;
    e.Update(1.0f);
  }
  for (const auto& p : e.Particles) Check(std::isfinite(p->x) && std::isfinite(p->y));
  if (any) any->Remove();
  for (const auto& c : e.Constraints) Check(c->p1 && c->p2);
  return 0;
}
