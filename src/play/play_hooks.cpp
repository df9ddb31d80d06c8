#include "play/play_hooks.h"

#include "framework/media/visuals.h"
#include "physics/effects_hook.h"
#include "play/effects/chain_lights.h"
#include "play/effects/dust.h"
#include "play/effects/electro.h"
#include "play/effects/screen_shake.h"

namespace kelp {

void InitPlayHooks() {
  VisualsHooks.UpdateLights = [](float) { TChainLights::UpdateLights(); };
  VisualsHooks.UpdateElectro = [](float) { TElectro::UpdateElectro(); };
  VisualsHooks.DrawLights = [] { TChainLights::DrawLights(); };
  VisualsHooks.ClearElectro = [] {
    TElectro::Clear();
    // A clear drops any running shake before it could put the offsets back.
    TScreenShake::ResetOffsets();
  };
  VisualsHooks.ClearLights = [] { TChainLights::Clear(); };

  PhysicsEffectHooks hooks = PhysicsEffects;
  hooks.SpawnDust = [](int x, int y, int mode) { SpawnDust(x, y, mode); };
  SetPhysicsEffectHooks(hooks);
}

}  // namespace kelp
