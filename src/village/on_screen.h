#pragma once
// What of the village the screen shows, so that the frame draws only that:
// the swaying palm fans and the particle emitters that lie wholly outside the
// viewport are left out (the renderer would clip them away pixel row by row).
namespace kelp {

class TEmitter;

// The rectangle of village coordinates inside the drawing state's viewport,
// as its origin and scale (upright) map them.
struct ScreenWindow {
  float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;
  // True when the box [x0, x1] x [y0, y1] reaches into the window.
  bool Touches(float bx0, float by0, float bx1, float by1) const;
};
ScreenWindow WindowOfDrawState();

// TPolyAnim::DrawAnim(layer) for the meshes that reach into the window.
void DrawFansOnScreen(int layer, const ScreenWindow& window);

// False only when the emitter has nothing to draw there: no particle, or every
// particle with its picture (scaled, turned, its shadow) outside the window,
// drawn at `scale` as TEmitter::Draw(scale) draws it. Particles that glow,
// play an animation or carry a child emitter always count as on screen: their
// drawing also steps them.
bool EmitterOnScreen(const TEmitter& emitter, const ScreenWindow& window, float scale);

}  // namespace kelp
