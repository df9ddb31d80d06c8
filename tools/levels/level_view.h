#pragma once
// A level running without a display, as the running level shows it: the
// headless canvas, the "Init" resources of a program folder, the objects
// start-up makes for level play, a frame of the world and its drawing, for
// the level renderer.
#include <unistd.h>

#include <string>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/resources.h"
#include "framework/media/visuals.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/window.h"
#include "play/game.h"
#include "play/in_game_interface.h"
#include "play/play_hooks.h"
#include "play/player.h"
#include "play/red_line.h"
#include "play/thermometer.h"
#include "world/block.h"
#include "world/game_interface.h"
#include "world/handle.h"
#include "world/level.h"
#include "world/pusher.h"
#include "world/resource_bindings.h"
#include "world/static_path.h"
#include "world/world.h"

namespace level_view {

using namespace kelp;

// Enters the program folder (res.xml and data/ inside) and makes everything
// a level needs; the number of levels, 0 when there is no canvas or no level.
inline int Open(const std::string& programFolder) {
  if (chdir(programFolder.c_str()) != 0) return 0;
  if (!platform::OpenGraphics(800, 600, 32, 60, true)) return 0;
  InitFrameClock();
  GameTime = 1000000;
  SeedRnd(1);
  InitColors();
  ResManager = New<TResManager>();
  if (ReadResourceList("res.xml")) {
    ResManager->LoadScope("Init");
    BindInitResources();
  }
  InitPlayHooks();
  World = New<TWorld>();
  GameScreen = New<TGame>();
  Player = New<TPlayer>();
  RedLine = New<TRedLine>();
  Thermometer = New<TThermometer>();
  InGameInterface = New<TInGameInterface>();
  InGameInterface->Load();
  GameInterface = New<TGameInterface>();
  GameInterface->AddedToManager();
  CurrentLevel = New<TLevel>();
  LevelStaticPath = TStaticPath::Create();
  TBlock::Init();
  return TLevel::CountLevels();
}

// Loads the level afresh, as a new round does; the red line sweeps in at once.
inline bool Load(int level) {
  TBlock::ClearBlocks();
  World->Clear();
  TLevel::SetLevel(level);
  InGameInterface->CloudInit = 0;
  RedLine->state = 0;
  RedLine->Start(0);
  return CurrentLevel->Load(level) == 1;
}

// One frame of the level: the boxes and the world. The pushers are armed
// every 150 frames, as the player arms them with each new box.
inline void Frame(int frame) {
  if (frame % 150 == 0)
    for (const auto& p : Pushers) {
      p->Ready = 1;
      p->Time = GameTime;
    }
  GameTime += 18;
  TVisuals::UpdateVisuals(1.0f);
  InGameInterface->Update(1.0f);
  TBlock::UpdateBlocks(1.0f);
  World->Update(1.0f);
  GameInterface->Update(1.0f);
}

// Every static in red (moving ones yellow) and the path nodes, over the scene.
inline void DrawStatics() {
  using namespace platform;
  SetBlend(ALPHABLEND);
  SetAlpha(0.9f);
  SetLineWidth(2);
  for (const auto& s : World->Physics->Statics) {
    if (s->path)
      SetColor(255, 220, 0);
    else
      SetColor(255, 40, 40);
    DrawLine(s->x1, s->y1, s->x2, s->y2);
  }
  SetLineWidth(1);
  SetAlpha(1);
  SetColor(255, 255, 255);
  LevelStaticPath->Draw();
}

// The scene in the running level's order, the interface's layers between the
// world's images, then the score, the effects and the counters over it.
inline void Draw(bool statics) {
  using namespace platform;
  ResetDrawState();
  SetClearColor(0, 0, 0);
  Cls();
  ApplyColor(ColorWhite);
  World->Draw();
  ApplyColor(ColorWhite);
  if (Player->Handle) Player->Handle->DrawCable();
  TBlock::DrawBlockLights();
  TBlock::DrawBlocks();
  if (Player->Handle) Player->Handle->Draw();
  World->DrawOver();
  GameInterface->Draw();
  if (statics) DrawStatics();
}

}  // namespace level_view
