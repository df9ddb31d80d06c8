// The play field, back to front. The effects are drawn by the level's
// interface widget in its own layers.
#include "framework/core/color.h"
#include "framework/media/canvas_placement.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "play/game.h"
#include "play/in_game_interface.h"
#include "play/player.h"
#include "world/block.h"
#include "world/effects/electro.h"
#include "world/effects/ray.h"
#include "world/game_interface.h"
#include "world/handle.h"
#include "world/world.h"

namespace kelp {

namespace {

void White() {
  if (ColorWhite)
    ColorWhite->Set();
  else
    platform::SetColor(255, 255, 255);
}

// The colour of the class about to be dropped; grey for the others.
void AimColor(int class_) {
  platform::SetColor(200, 200, 200);
  switch (class_) {
    case TBlock::RED: ApplyColor(BlockColorRed); break;
    case TBlock::GREEN: ApplyColor(BlockColorGreen); break;
    case TBlock::BLUE: platform::SetColor(80, 80, 255); break;
    case TBlock::ORANGE: ApplyColor(BlockColorOrange); break;
    case TBlock::PURPLE: ApplyColor(BlockColorPurple); break;
    case TBlock::SKY: ApplyColor(BlockColorSky); break;
    case TBlock::PARAZITE: ApplyColor(BlockColorGrey); break;
    default: break;
  }
}

void DrawAim() {
  if (!Player || !Player->Handle || !Player->Handle->Connector) return;
  const THandle& claw = *Player->Handle;
  if (claw.Ray && claw.Ray->state == TRay::FIRING) return;
  const int class_ = Player->box            ? Player->box->class_
                     : Player->NextBlockClass ? Player->NextBlockClass
                                              : Player->CurrentBlockClass;
  platform::SetBlend(platform::LIGHTBLEND);
  platform::SetAlpha(0.4f);
  platform::SetLineWidth(3.0f);
  AimColor(class_);
  platform::DrawImage(Player->Aim, claw.Connector->x - 23.0f, claw.Connector->y + 144.0f);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetAlpha(1.0f);
  platform::SetLineWidth(1.0f);
}

}  // namespace

int TGame::Draw() {
  SetGameViewport();
  if (InGameInterface) InGameInterface->BeginFrame();
  White();
  if (World) World->Draw();
  if (GameInterface)
    for (const auto& e : GameInterface->Emitters)
      if (e->DrawUnder) e->Draw(1.0f);
  DrawAim();
  White();
  if (Player && Player->Handle) Player->Handle->DrawCable();
  TBlock::DrawBlockLights();
  TElectro::DrawElectro();
  TBlock::DrawBlocks();
  if (Player) Player->Draw();
  if (World) World->DrawOver();
  if (InGameInterface) InGameInterface->EndFrame();
  DrawSideBars();
  return 0;
}

}  // namespace kelp
