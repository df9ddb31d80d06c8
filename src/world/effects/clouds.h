#pragma once
// Clouds drifting right across a screen, near ones (Over 1: small, over the
// scene, with a ground shadow) and far ones (Over 0). They live in the effects
// list but are not Drawable: their screen draws them with DrawClouds.
#include "framework/core/color.h"
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace kelp {

class TCloud : public TVisuals {
 public:
  float x = 0.0f, y = 0.0f;
  float shadow_y = 0.0f;
  float scale = 0.0f;
  float angle = 0.0f, angle_speed = 0.0f;
  float dx = 0.0f, dy = 0.0f;
  platform::ImageRef image;
  Ref<TColor> Color;
  float shadow_alpha = 0.0f;
  int shadow = 0;

  // A cloud starting near (CloudMinX + x, y), appended to VisualsList.
  static Ref<TCloud> Create(float x, float y, int over, int shadow);
  static void SetCloudsColor(const Ref<TColor>& color);
  static void DrawClouds(int over);
  // Larger clouds first; only clouds compare.
  static bool SortClouds(const Ref<TVisuals>& a, const Ref<TVisuals>& b);

  void Init(float x, float y, int over, int shadow);
  void Update(float dt) override;
  void Draw() override;
};

// The x around which new clouds start, the x beyond which a cloud dies, and
// the x range in which a near cloud's shadow fades in. Screens set their own.
extern float CloudMinX, CloudMaxX;
extern float CloudShadowMinX, CloudShadowMaxX;

}  // namespace kelp
