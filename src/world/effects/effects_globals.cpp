#include "world/effects/effects_globals.h"

#include "world/effects/box_explosion.h"
#include "world/effects/chain_lights.h"
#include "world/effects/clouds.h"
#include "world/effects/electro.h"
#include "world/effects/fade2.h"

namespace kelp {

void ResetEffectsGlobals() {
  TElectro::Clear();
  BlockElectroSoundTime = 0;
  TChainLights::Clear();
  ChainLightsOn = 0;
  ChainLightsStopping = 0;
  ChainLightsStopTime = 0;
  CloudMinX = -200.0f;
  CloudMaxX = 1200.0f;
  CloudShadowMinX = 20.0f;
  CloudShadowMaxX = 790.0f;
  TFade2::Width = 800;
  TFade2::Height = 600;
  for (auto* images : {ImageBoxPart, ImageBoxPartSteel, ImageBoxPartGold})
    for (int i = 0; i < 4; ++i) images[i] = nullptr;
}

}  // namespace kelp
