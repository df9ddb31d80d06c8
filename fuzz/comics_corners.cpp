// The comic's corner files: any bytes place a block's five corner particles
// (or leave them), never out of reach or off the float range, and the
// comic's world steps on with them.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/core/frame_clock.h"
#include "frontend/comics_level.h"
#include "fuzz_check.h"
#include "physics/engine.h"
#include "platform/stream.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kelp;
  GameTime = 1000;
  TPhysEngine engine;
  TPhysEngine_Static::Create(0, 500, 800, 500, 0.8f, 2, 1, &engine);
  auto block = New<TComicsBlock>();
  block->Physics = &engine;
  block->Group = TPhysEngine_Group::Create(&engine);
  const float corners[5][2] = {{100, 100}, {80, 80}, {120, 80}, {80, 120}, {120, 120}};
  Ref<TPhysEngine_Particle>* slots[5] = {&block->Center, &block->UpLeft, &block->UpRight, &block->DownLeft,
                                         &block->DownRight};
  for (int i = 0; i < 5; ++i)
    *slots[i] = TPhysEngine_Particle::Create(block->Group.get(), corners[i][0], corners[i][1], &engine);
  block->Align = block->DownRight;

  Check(block->Init(PhysicsSource(platform::OpenMemory(std::vector<uint8_t>(data, data + size)))) == 1);
  for (const auto* slot : slots) {
    const auto& p = **slot;
    Check(std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) <= 1e5f && std::fabs(p.y) <= 1e5f);
  }
  for (int i = 0; i < 5; ++i) {
    GameTime += 18;
    engine.Update(1.0f);
  }
  block->Translate(3, -2);
  block->Group->Remove();
  return 0;
}
