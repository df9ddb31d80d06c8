#include "framework/media/visuals.h"

#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "platform/graphics_state.h"

namespace kelp {

ObjectList<TVisuals> VisualsList;
TVisualsHooks VisualsHooks;

namespace {

void DrawLayer(int under, int over, bool lights) {
  PushGraphicsState();
  platform::SetOrigin(static_cast<float>(CanvasOffsetX), 0.0f);
  if (lights && VisualsHooks.DrawLights) VisualsHooks.DrawLights();
  for (const Ref<TVisuals>& v : VisualsList) {
    if (v->Under == under && v->Over == over && v->Drawable == 1) v->Draw();
  }
  PopGraphicsState();
}

}  // namespace

void TVisuals::UpdateVisuals(float dt) {
  if (VisualsHooks.UpdateLights) VisualsHooks.UpdateLights(dt);
  if (VisualsHooks.UpdateElectro) VisualsHooks.UpdateElectro(dt);
  for (auto it = VisualsList.begin(); it != VisualsList.end(); ++it) {
    // Held here: the effect may take itself out of the list while it updates.
    const Ref<TVisuals> v = *it;
    v->Update(dt);
    if (v->Death) it.link().Remove();
  }
}

void TVisuals::DrawVisuals() { DrawLayer(0, 0, true); }
void TVisuals::DrawVisuals_Under() { DrawLayer(1, 0, false); }
void TVisuals::DrawVisuals_Over() { DrawLayer(0, 1, false); }

void TVisuals::ClearVisuals() {
  if (VisualsHooks.ClearElectro) VisualsHooks.ClearElectro();
  if (VisualsHooks.ClearLights) VisualsHooks.ClearLights();
  VisualsList.RemoveIf([](const Ref<TVisuals>& v) { return v->Constant == 0; });
}

}  // namespace kelp
