#include "world/effects/effects_hooks.h"

#include "framework/media/visuals.h"
#include "physics/effects_hook.h"
#include "world/effects/chain_lights.h"
#include "world/effects/dust.h"
#include "world/effects/electro.h"
#include "world/effects/screen_shake.h"

namespace kelp {

void InitEffectsHooks() {
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
