#include "play/play_hooks.h"

#include "framework/visuals.h"
#include "physics/effects_hook.h"
#include "play/chain_lights.h"
#include "play/dust.h"
#include "play/electro.h"
#include "play/screen_shake.h"

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
