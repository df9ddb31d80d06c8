#pragma once
// The level-play effects stage with a world to put boxes in and a running
// level whose pause the effects read, at a steady 55 frames a second.
#include "framework/core/frame_clock.h"
#include "play/game.h"
#include "play_effects_env.h"
#include "scenes/level_scenes.h"
#include "world/block.h"
#include "world/world.h"

namespace kelp::play_test {

using scenes::MakeBox;

class BoxEffects : public PlayEffects {
 protected:
  void SetUp() override {
    PlayEffects::SetUp();
    World = New<TWorld>();
    GameScreen = New<TGame>();
    FrameSync->TargetFPS = 55.0f;
    FPSCounter->FPS = 55;
  }
};

}  // namespace kelp::play_test
