#pragma once
// Short-lived visual effects: every live one sits in VisualsList, in creation
// order. The screens that show effects update the list once a frame and draw
// it in three layers; an effect ends by setting Death, and the next update
// pass drops it.
#include <functional>

#include "framework/core/object.h"
#include "framework/core/object_list.h"

namespace kelp {

class TVisuals : public Object {
 public:
  int Death = 0;     // finished: the next update pass removes it
  int Under = 0;     // drawn in the layer under the normal one
  int Over = 0;      // drawn in the layer over the normal one
  int Drawable = 1;  // 0: updated but never drawn by the layers
  int Constant = 0;  // survives ClearVisuals

  virtual void Update(float dt) = 0;  // dt is the frame factor
  virtual void Draw() = 0;

  // Updates every effect in order, dropping those that are dead afterwards.
  static void UpdateVisuals(float dt);
  // The normal layer (Under 0, Over 0), then the under and over layers; each
  // draws with the origin at the 800-wide canvas inside a wide screen. An
  // effect with both Under and Over is in no layer.
  static void DrawVisuals();
  static void DrawVisuals_Under();
  static void DrawVisuals_Over();
  // Drops every effect that is not Constant, and the arcs and chain lights.
  static void ClearVisuals();
};

extern ObjectList<TVisuals> VisualsList;

// The electric arcs and chain lights keep lists of their own; the effects
// that own them install these, and the effects list calls them in its passes.
struct TVisualsHooks {
  std::function<void(float)> UpdateLights;   // chain lights, before the list
  std::function<void(float)> UpdateElectro;  // arcs, before the list
  std::function<void()> DrawLights;          // chain lights, in the normal layer
  std::function<void()> ClearElectro;
  std::function<void()> ClearLights;
};
extern TVisualsHooks VisualsHooks;

// Takes an effect out of the list for a holder that steps it itself.
inline void ReleaseFromVisuals(const Ref<TVisuals>& visual) {
  if (visual) VisualsList.Remove(visual);
}

}  // namespace kelp
