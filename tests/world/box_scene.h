#pragma once
// A small level for the box tests: a walled play field in the world's engine,
// the running level, the player and the red line, a set clock and a seeded
// generator. Boxes are placed by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/visuals.h"
#include "physics/engine.h"
#include "play/game.h"
#include "play/play_hooks.h"
#include "play/player.h"
#include "play/red_line.h"
#include "reset_rooms.h"
#include "scenes/level_scenes.h"
#include "scenes/physics_scenes.h"
#include "world/block.h"
#include "world/effects/flying_text.h"
#include "world/effects/message_label.h"
#include "world/handle.h"
#include "world/resource_bindings.h"
#include "world/world.h"

namespace box_test {

using namespace kelp;
using scenes::MakeBox;
using scenes::WalledBox;

class BoxScene : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetPlayRooms();
    GameTime = 1000000;
    SeedRnd(7);
    CreateBlockColors();

    World = New<TWorld>();
    WalledBox(*World->Physics);
    World->CriticalLine = 200;

    InitPlayHooks();
    GameScreen = New<TGame>();
    GameScreen->GameType = 1;
    Player = New<TPlayer>();
    Player->enabled = 1;
    Player->Handle = New<THandle>();
    RedLine = New<TRedLine>();
    RedLine->Pimpo = New<TAnimImage>();
    RedLine->Pimpo->Paused = 1;

    // A font without glyphs still lays the letters out, so texts can be read back.
    Font02 = New<TBMFont>();
    FontBlockScores = Font02;
    GameTexts.Resize(60);
    GameTexts.Set(9, "Too high");
    for (int i = 46; i <= 52; ++i) GameTexts.Set(i, "Combo" + std::to_string(i));
  }

  void TearDown() override { testsupport::ResetPlayRooms(); }

  // What the scenes are built with.
 public:
  // A released box of the class value (armour in trailing digits) at (x, y).
  static Ref<TBlock> Place(int fileClass, float x, float y) { return MakeBox(fileClass, x, y); }

  // One level frame: the box logic, then the physics step, 18 ms apart.
  static void Frame(int ms = 18) {
    GameTime += ms;
    TBlock::UpdateBlocks(1.0f);
    World->Physics->Update(1.0f);
  }

  static void Frames(int count, int ms = 18) {
    for (int i = 0; i < count; ++i) Frame(ms);
  }

  static void RunFor(int ms) { Frames(ms / 18); }

  static void Pause() {
    GameScreen->Paused = 1;
    GameScreen->PauseTime = GameTime;
  }

  static void Resume() {
    GameScreen->PausedTime += GameTime - GameScreen->PauseTime;
    GameScreen->Paused = 0;
  }

  // The texts of the rising labels in the effects list.
  static std::vector<std::string> Labels() {
    std::vector<std::string> out;
    for (const auto& v : VisualsList)
      if (auto l = As<TAdvancedMessageLabel>(v)) out.push_back(l->text);
    return out;
  }

  // The letters of the flying texts in the effects list, joined.
  static std::string FlyingText() {
    std::string out;
    for (const auto& v : VisualsList)
      if (auto c = As<TFlyingChar>(v); c && c->xPlode != 2) out += c->Char;
    return out;
  }

  static int Count() { return static_cast<int>(BlockList.Count()); }
};

}  // namespace box_test
