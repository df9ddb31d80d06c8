// Trolley files: the line reader and the XML form over any bytes, in the
// normal and the relaxed mode, then the line of trolleys run for a while.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/visuals.h"
#include "fuzz_check.h"
#include "physics/engine.h"
#include "platform/stream.h"
#include "play/game.h"
#include "play/player.h"
#include "world/block.h"
#include "world/trolley.h"
#include "world/world.h"

namespace {

using namespace kelp;

using fuzz::Check;

bool Setup() {
  World = New<TWorld>();
  GameScreen = New<TGame>();
  GameScreen->GameType = 2;
  Player = New<TPlayer>();
  return true;
}

void CheckLine() {
  int id = 0;
  for (const auto& t : Trolleys) {
    Check(t->ID == ++id);
    Check(t->StayTime > 0);
  }
  Check(TrolleyCount == id);
}

void Run(size_t inputSize) {
  // Up to ten seconds of the line, fewer for a short file (the frames are
  // most of an input's cost); a file that made no trolley has nothing to run.
  const int frames = static_cast<int>(std::min<size_t>(600, 60 + inputSize));
  if (!Trolleys.IsEmpty()) TTrolley::Reset();
  for (int i = 0; i < frames && !Trolleys.IsEmpty(); ++i) {
    GameTime += 18;
    TTrolley::UpdateTrolley(1.0f);
    World->Physics->Update(1.0f);
    Check(std::isfinite(Trolleys.IsEmpty() ? 0.0f : Trolleys.First()->ClockAngle));
  }
  TTrolley::Clear();
  Check(Trolleys.IsEmpty() && World->Physics->Statics.IsEmpty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = Setup();
  (void)ready;
  SeedRnd(1);
  GameTime = 1000000;
  TrolleyTimeOffset = 0;
  const std::vector<uint8_t> bytes(data, data + size);
  GameScreen->GameMode = static_cast<int>(size % 2);
  TTrolley::LoadTrolley(platform::OpenMemory(bytes));
  CheckLine();
  Run(size);
  TTrolley::LoadTrolleyNew(platform::OpenMemory(bytes));
  CheckLine();
  Run(size);
  VisualsList.Clear();
  return 0;
}
