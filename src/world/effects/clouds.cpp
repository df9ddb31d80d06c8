#include "world/effects/clouds.h"

#include <algorithm>
#include <string>

#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/village_state.h"

namespace kelp {

float CloudMinX = -200.0f;
float CloudMaxX = 1200.0f;
float CloudShadowMinX = 20.0f;
float CloudShadowMaxX = 790.0f;

namespace {

constexpr float kShadowAlphaMax = 0.2f;

}  // namespace

Ref<TCloud> TCloud::Create(float px, float py, int over, int withShadow) {
  auto cloud = New<TCloud>();
  cloud->Init(px, py, over, withShadow);
  VisualsList.AddLast(cloud);
  return cloud;
}

void TCloud::SetCloudsColor(const Ref<TColor>& color) {
  for (const Ref<TVisuals>& v : VisualsList)
    if (auto cloud = As<TCloud>(v)) cloud->Color = color;
}

void TCloud::DrawClouds(int over) {
  PushGraphicsState();
  for (const Ref<TVisuals>& v : VisualsList) {
    auto cloud = As<TCloud>(v);
    if (cloud && cloud->Over == over) cloud->Draw();
  }
  PopGraphicsState();
}

bool TCloud::SortClouds(const Ref<TVisuals>& a, const Ref<TVisuals>& b) {
  auto ca = As<TCloud>(a);
  auto cb = As<TCloud>(b);
  return ca && cb && ca->scale > cb->scale;
}

void TCloud::Init(float px, float py, int over, int withShadow) {
  Color = CreateColor(255, 255, 255);
  Drawable = 0;
  Over = over;
  shadow = withShadow;
  x = px + static_cast<float>(Rand(Int(CloudMinX - 25.0f), Int(CloudMinX + 25.0f)));
  int variants = 5;
  if (over == 1) {
    y = py + static_cast<float>(Rand(-20, 20));
    scale = Rnd(0.7f, 0.9f);
    dx = Rnd(0.2f, 0.4f);
    dy = Rnd(-0.03f, 0.0f);
    shadow_y = static_cast<float>(Rand(120, 170));
    angle_speed = Rnd(-0.1f, 0.1f);
    angle = 0.0f;
    variants = 3;
  } else {
    y = py + static_cast<float>(Rand(-20, 140));
    scale = Rnd(0.9f, 1.5f);
    dx = Rnd(0.05f, 0.15f);
    dy = Rnd(-0.01f, 0.01f);
  }
  const std::string id = "IMAGE_CLOUD_0" + std::to_string(Rand(1, variants));
  image = ResManager ? ResManager->GetImage(id) : nullptr;
}

void TCloud::Update(float dt) {
  if (Over == 1 && CloudShadowMinX < x && x < CloudShadowMaxX) {
    if (shadow_alpha <= kShadowAlphaMax) shadow_alpha = std::min(kShadowAlphaMax, shadow_alpha + dt * 0.005f);
  } else {
    shadow_alpha = 0.0f;
  }
  x += dt * dx;
  y += dt * dy;
  angle += dt * angle_speed;
  // Clamped, not wrapped: a cloud turning backwards stays upright.
  if (angle < 0.0f) angle = 0.0f;
  if (angle > 360.0f) angle = 0.0f;
  if (x > CloudMaxX) Death = 1;
}

void TCloud::Draw() {
  const float c = VillageState ? VillageState->Closing_scale : 1.0f;
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetRotation(angle);
  if (shadow) {
    platform::SetAlpha(shadow_alpha);
    platform::SetScale((scale - 0.1f) * c, (scale - 0.2f) * c);
    if (CurrentVillage == 1)
      ApplyColor(ColorDark);
    else if (CurrentVillage == 2)
      platform::SetColor(100, 100, 140);
    platform::DrawImage(image, x * c, shadow_y * c);
  }
  platform::SetAlpha(1.0f);
  platform::SetScale(scale * c, scale * c);
  ApplyColor(Color);
  platform::DrawImage(image, x * c, y * c);
}

}  // namespace kelp
