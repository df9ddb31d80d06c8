#include "play/play_hooks.h"

#include "framework/media/anim_image.h"
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
  LevelLinks.UpdateThermometer = [](float frameFactor) {
    if (Thermometer) Thermometer->Update(frameFactor);
  };
  LevelLinks.DrawThermometer = [] {
    if (Thermometer) Thermometer->Draw();
  };
  LevelLinks.GoalPercent = [] { return Thermometer ? Thermometer->percent : 0.0f; };
  LevelLinks.RedLineMarker = []() -> Ref<TAnimImage> { return RedLine ? RedLine->Pimpo : nullptr; };
}

}  // namespace kelp
