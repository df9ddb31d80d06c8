// World files in both forms: any bytes load into an engine (or are refused)
// without crashing, and the loaded world steps without a particle leaving
// the float range or the engine's lists falling out of step.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/core/frame_clock.h"
#include "fuzz_check.h"
#include "physics/engine.h"
#include "platform/stream.h"

namespace {

using fuzz::Check;

void StepAndCheck(kelp::TPhysEngine& e) {
  for (int i = 0; i < 10; ++i) {
    kelp::GameTime += 18;
    e.Update(1.0f);
  }
  size_t chained = 0;
  for (const auto& g : e.Groups)
    for (auto p = g->frstp.get(); p; p = p->nxt.get()) ++chained;
  Check(chained == e.Particles.Count());
  for (const auto& p : e.Particles) Check(std::isfinite(p->x) && std::isfinite(p->y));
  for (const auto& c : e.Constraints) Check(c->p1 && c->p2 && c->p1 != c->p2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kelp::GameTime = 1000;
  const std::vector<uint8_t> bytes(data, data + size);
  {
    kelp::TPhysEngine e;
    if (e.LoadWorld(platform::OpenMemory(bytes))) StepAndCheck(e);
  }
  {
    kelp::TPhysEngine e;
    if (e.LoadWorldOld(platform::OpenMemory(bytes))) StepAndCheck(e);
  }
  return 0;
}
