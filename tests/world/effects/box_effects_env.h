#pragma once
// The level-play effects stage with a world to put boxes in and a running
// level whose pause the effects read.
#include "play/game.h"
#include "play_effects_env.h"
#include "world/block.h"
#include "world/resource_bindings.h"
#include "world/world.h"

namespace kelp::play_test {

class BoxEffects : public PlayEffects {
 protected:
  void SetUp() override {
    PlayEffects::SetUp();
    saved_world_ = World;
    saved_game_ = GameScreen;
    World = New<TWorld>();
    GameScreen = New<TGame>();
    ResetBlockState();
    InitFrameClock();
    saved_target_ = FrameSync->TargetFPS;
    saved_fps_ = FPSCounter->FPS;
    FrameSync->TargetFPS = 55.0f;
    FPSCounter->FPS = 55;
  }
  void TearDown() override {
    TBlock::ClearBlocks();
    ResetBlockState();
    World = saved_world_;
    GameScreen = saved_game_;
    FrameSync->TargetFPS = saved_target_;
    FPSCounter->FPS = saved_fps_;
    PlayEffects::TearDown();
  }

  // A box of the class at (x, y) with its drawing position set.
  static Ref<TBlock> Box(int cls, float x, float y, int armor = 0) {
    auto b = TBlock::Create(x, y, 0, 0);
    b->class_ = cls;
    b->armor = armor;
    b->Group->Scale(b->scale);
    b->RenderX = x;
    b->RenderY = y;
    return b;
  }

  Ref<TWorld> saved_world_;
  Ref<TGame> saved_game_;
  float saved_target_ = 0.0f;
  int saved_fps_ = 0;
};

}  // namespace kelp::play_test
