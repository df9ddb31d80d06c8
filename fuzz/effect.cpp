// Effect files: any bytes give an effect (or none); an emitter of it runs a
// few frames (also as its own child, up to the nesting limit) without
// hanging, and its particle count stays bounded by the spawn guards.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "fuzz_check.h"
#include "platform/message_box.h"

namespace {

using fuzz::Check;

size_t CountAll(const kelp::TEmitter& em) {
  size_t n = 0;
  for (const auto& p : em.Particles) {
    ++n;
    if (p->Child) n += CountAll(*p->Child);
  }
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool init = [] {
    platform::SetMessageBoxHandler([](const std::string&, const std::string&, platform::MessageButtons) { return 0; });
    kelp::InitFrameClock();
    return true;
  }();
  (void)init;
  using namespace kelp;
  SeedRnd(1);
  ResManager = New<TResManager>();
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data, data + size));
  Ref<TEffect> effect = TEffect::Load(*stream, "fuzz.xml");
  if (!effect) {
    ResManager = New<TResManager>();
    return 0;
  }
  // Known under the id the seeds name as their child, so self-nesting is reached.
  auto res = New<TResEffect>();
  ResManager->ResAddData("fuzz.xml", "EFFECT_FUZZ", res, "fuzz");
  res->Data = effect;

  GameTime = 1000;
  auto em = TEmitter::Create(100, 100, effect, 0);
  em->BorderRect[2] = size % 3 == 0 ? 400 : 0;
  em->BorderRect[3] = 300;
  for (int frame = 0; frame < 3; ++frame) {
    GameTime += 40;
    em->Update(1.0f);
    em->Draw(1.0f);
    em->PositionParticles(110, 90);
  }
  // At most one spawn per ms since creation per emitter; children carry no children.
  const size_t limit = 120 * (1 + 120);
  Check(CountAll(*em) <= limit);
  em.reset();
  GameTime = 0;
  ResManager = New<TResManager>();
  return 0;
}
