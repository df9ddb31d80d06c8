#include "village/on_screen.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/media/particles.h"
#include "framework/media/poly_anim.h"
#include "platform/graphics_state.h"

namespace kelp {

bool ScreenWindow::Touches(float bx0, float by0, float bx1, float by1) const {
  return bx1 >= x0 && bx0 <= x1 && by1 >= y0 && by0 <= y1;
}

ScreenWindow WindowOfDrawState() {
  const platform::DrawState& s = platform::State();
  constexpr float kAll = std::numeric_limits<float>::max();
  // Turned or mirrored, the window is no rectangle of village coordinates: everything counts.
  if (s.iy != 0.0f || s.jx != 0.0f || !(s.ix > 0.0f) || !(s.jy > 0.0f)) return {-kAll, -kAll, kAll, kAll};
  ScreenWindow w;
  w.x0 = (static_cast<float>(s.vp_x) - s.origin_x) / s.ix;
  w.x1 = (static_cast<float>(s.vp_x + s.vp_w) - s.origin_x) / s.ix;
  w.y0 = (static_cast<float>(s.vp_y) - s.origin_y) / s.jy;
  w.y1 = (static_cast<float>(s.vp_y + s.vp_h) - s.origin_y) / s.jy;
  return w;
}

void DrawFansOnScreen(int layer, const ScreenWindow& window) {
  const platform::DrawState& s = platform::State();
  for (const auto& anim : PolyAnims()) {
    if (anim->layer != layer) continue;
    const std::vector<float>& v = anim->xyuv;
    float x0 = std::numeric_limits<float>::max(), y0 = x0, x1 = -x0, y1 = -x0;
    for (size_t i = 0; i + 3 < v.size(); i += 4) {
      x0 = std::min(x0, v[i]);
      x1 = std::max(x1, v[i]);
      y0 = std::min(y0, v[i + 1]);
      y1 = std::max(y1, v[i + 1]);
    }
    // The mesh is drawn from the drawing handle.
    if (window.Touches(x0 - s.handle_x, y0 - s.handle_y, x1 - s.handle_x, y1 - s.handle_y)) anim->Draw();
  }
}

bool EmitterOnScreen(const TEmitter& emitter, const ScreenWindow& window, float scale) {
  for (const Ref<TParticle>& p : emitter.Particles) {
    if (p->Glowing || p->Anim || p->Child) return true;
    if (p->Hidden || !p->Image) continue;
    const platform::Image& image = *p->Image;
    // Any point of the picture, turned about its handle, lies within this reach of it.
    const float size = std::fabs(image.HandleX()) + std::fabs(image.HandleY()) +
                       static_cast<float>(image.Width() + image.Height());
    const float stretch = std::max(std::fabs(p->ScaleX * p->Scale), std::fabs(p->Scale * p->ScaleY));
    const float reach = (size * stretch + std::fabs(static_cast<float>(p->ShadowOffcet))) * scale;
    const float x = scale * (p->x + p->_x), y = scale * (p->y + p->_y);
    if (window.Touches(x - reach, y - reach, x + reach, y + reach)) return true;
  }
  return false;
}

}  // namespace kelp
