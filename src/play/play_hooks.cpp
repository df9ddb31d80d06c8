#include "play/play_hooks.h"

#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "play/in_game_interface.h"
#include "play/red_line.h"
#include "play/thermometer.h"
#include "world/level.h"

namespace kelp {

void InitPlayHooks() {
  LevelLinks.DrawInterface = [](int layer) {
    if (InGameInterface) InGameInterface->Draw(layer);
  };
  LevelLinks.SetBackground = [](const platform::ImageRef& picture) {
    if (InGameInterface) InGameInterface->Back = picture;
  };
  LevelLinks.SetPanels = [](int island) {
    if (InGameInterface) InGameInterface->SetPanels(island);
  };
  LevelLinks.UpdateThermometer = [](float frameFactor) {
    if (Thermometer) Thermometer->Update(frameFactor);
  };
  LevelLinks.DrawThermometer = [] {
    if (Thermometer) Thermometer->Draw();
  };
  LevelLinks.GoalPercent = [] { return Thermometer ? Thermometer->percent : 0.0f; };
  LevelLinks.RedLineMarker = []() -> Ref<TAnimImage> { return RedLine ? RedLine->Pimpo : nullptr; };
  LevelLinks.InitLevelFrame = [] {
    if (Thermometer) Thermometer->Init();
    if (RedLine) RedLine->Init();
  };
  LevelLinks.MakeGaugeBubbles = [](int paused) {
    if (!Thermometer || Thermometer->Effect) return;
    const Ref<TEffect> bubbles = ResManager ? ResManager->GetEffect("EFFECT_BUBBLE") : nullptr;
    if (!bubbles) return;
    Thermometer->Effect = TEmitter::Create(static_cast<float>(Thermometer->x + 20 - CanvasOffsetX),
                                           static_cast<float>(Thermometer->lowy - 5), bubbles, 0);
    Thermometer->Effect->Pause = paused;
  };
  LevelLinks.DropGaugeBubbles = [] {
    if (!Thermometer || !Thermometer->Effect) return;
    Thermometer->Effect->Death = 1;
    Thermometer->Effect = nullptr;
  };
}

}  // namespace kelp
