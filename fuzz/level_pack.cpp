// A level's description and companion files: any bytes, cut at the lines
// "#--" into the description, the world, the floor and the path file, load
// without crashing, and the world they make runs without a particle or a
// static leaving the float range.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/resources.h"
#include "fuzz_check.h"
#include "physics/engine.h"
#include "platform/stream.h"
#include "world/effects/chain_lights.h"
#include "play/game.h"
#include "world/floor.h"
#include "world/level.h"
#include "world/pusher.h"
#include "world/static_path.h"
#include "world/world.h"

namespace {

using namespace kelp;

using fuzz::Check;

std::vector<std::string> Parts(std::string_view input) {
  std::vector<std::string> parts;
  constexpr std::string_view cut = "\n#--\n";
  while (parts.size() < 3) {
    const size_t at = input.find(cut);
    if (at == std::string_view::npos) break;
    parts.emplace_back(input.substr(0, at));
    input.remove_prefix(at + cut.size());
  }
  parts.emplace_back(input);
  parts.resize(4);
  return parts;
}

void Setup() {
  ResManager = nullptr;  // no pictures to look up: no "Not found" for each input
  World = New<TWorld>();
  GameScreen = New<TGame>();
  CurrentLevel = New<TLevel>();
  LevelStaticPath = TStaticPath::Create();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = (Setup(), true);
  (void)ready;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> part = Parts(input);
  // Pictures are looked for only below the working folder: no absolute paths, no way up.
  if (part[0].find("path=\"/") != std::string::npos || part[0].find("..") != std::string::npos) return 0;

  GameTime = 1000000;
  SeedRnd(1);
  CurrentLevel->LoadLevel(platform::OpenMemory(part[0]));
  World->Clear();
  if (World->LoadOld(platform::OpenMemory(part[1])))
    World->MovingFloor = TFloor::Load(platform::OpenMemory(part[2]));
  LevelStaticPath->Load(platform::OpenMemory(part[3]));
  TWorldImage::Init();
  for (int frame = 0; frame < 30; ++frame) {
    if (frame == 0)
      for (const auto& p : Pushers) p->Ready = 1;
    GameTime += 18;
    World->Update(1.0f);
  }
  for (const auto& p : World->Physics->Particles) Check(std::isfinite(p->x) && std::isfinite(p->y));
  for (const auto& s : World->Physics->Statics) Check(std::isfinite(s->x1) && std::isfinite(s->y2));

  TWorldImage::Clear();
  TPusher::DeletePusher();
  TChainLights::Clear();
  World->Clear();
  return 0;
}
