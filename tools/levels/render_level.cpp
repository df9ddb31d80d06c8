// Draws a level as the running level shows it, after some frames of its
// world, into a PNG, without a display:
//
//   render_level <program folder> <level> <frames> <out.png> [--statics]
//
// The program folder holds res.xml and data/ (the build folder). The level's
// world runs with its pushers armed every 150 frames, as the player arms
// them. --statics draws every static of the physics world over the picture
// (moving ones in yellow) and the static paths' nodes.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/color.h"
#include "framework/frame_clock.h"
#include "framework/random.h"
#include "framework/resource_bindings.h"
#include "framework/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/image.h"
#include "platform/window.h"
#include "play/game.h"
#include "play/in_game_interface.h"
#include "play/player.h"
#include "play/red_line.h"
#include "world/block.h"
#include "world/handle.h"
#include "world/level.h"
#include "world/pusher.h"
#include "world/static_path.h"
#include "world/world.h"

using namespace kelp;

namespace {

void DrawStatics() {
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

void DrawLevel(bool statics) {
  using namespace platform;
  ResetDrawState();
  SetClearColor(0, 0, 0);
  Cls();
  // The frame around the field (sky and landscape) is the interface's to draw.
  if (InGameInterface && InGameInterface->Back) {
    SetColor(255, 255, 255);
    DrawImage(InGameInterface->Back, -5, -5);
  }
  ApplyColor(ColorWhite);
  World->Draw();
  ApplyColor(ColorWhite);
  if (Player->Handle) Player->Handle->DrawCable();
  TBlock::DrawBlockLights();
  TBlock::DrawBlocks();
  if (Player->Handle) Player->Handle->Draw();
  World->DrawOver();
  if (statics) DrawStatics();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: render_level <program folder> <level> <frames> <out.png> [--statics]\n");
    return 2;
  }
  const std::string out = argv[4][0] == '/' ? argv[4] : std::string(getcwd(nullptr, 0)) + "/" + argv[4];
  if (chdir(argv[1]) != 0) {
    std::fprintf(stderr, "render_level: cannot enter %s\n", argv[1]);
    return 1;
  }
  const int level = std::atoi(argv[2]);
  const int frames = std::atoi(argv[3]);
  const bool statics = argc > 5 && std::string(argv[5]) == "--statics";

  if (!platform::OpenGraphics(800, 600, 32, 60, true)) {
    std::fprintf(stderr, "render_level: no headless canvas\n");
    return 1;
  }
  InitFrameClock();
  GameTime = 1000000;
  SeedRnd(1);
  InitColors();
  ResManager = New<TResManager>();
  if (ReadResourceList("res.xml")) {
    ResManager->LoadScope("Init");
    BindInitResources();
  }
  World = New<TWorld>();
  GameScreen = New<TGame>();
  Player = New<TPlayer>();
  RedLine = New<TRedLine>();
  InGameInterface = New<TInGameInterface>();
  InGameInterface->Load();
  CurrentLevel = New<TLevel>();
  LevelStaticPath = TStaticPath::Create();
  TBlock::Init();

  if (level < 1 || level > TLevel::CountLevels()) {
    std::fprintf(stderr, "render_level: there is no level %d\n", level);
    return 1;
  }
  TLevel::SetLevel(level);
  if (!CurrentLevel->Load(level)) {
    std::fprintf(stderr, "render_level: level %d did not load\n", level);
    return 1;
  }
  for (int frame = 0; frame < frames; ++frame) {
    if (frame % 150 == 0)
      for (const auto& p : Pushers) {
        p->Ready = 1;
        p->Time = GameTime;
      }
    GameTime += 18;
    TBlock::UpdateBlocks(1.0f);
    World->Update(1.0f);
  }
  DrawLevel(statics);
  platform::PixmapRef shot = platform::GrabCanvas();
  if (!shot || !platform::SavePixmapPNG(*shot, out)) {
    std::fprintf(stderr, "render_level: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: level %d after %d frames\n", out.c_str(), level, frames);
  return 0;
}
