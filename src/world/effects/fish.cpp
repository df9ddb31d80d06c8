#include "world/effects/fish.h"

#include "framework/core/degrees.h"
#include "framework/core/random.h"
#include "platform/graphics_state.h"

namespace kelp {

namespace {

float Wrap360(float a) {
  if (a < 0.0f) a += 360.0f;
  if (a > 360.0f) a -= 360.0f;
  return a;
}

}  // namespace

Ref<TFish> TFish::Create(float px, float py, int dir) {
  auto fish = New<TFish>();
  fish->Init(px, py, dir);
  VisualsList.AddLast(fish);
  return fish;
}

void TFish::DrawFishes() {
  for (const Ref<TVisuals>& v : VisualsList)
    if (auto fish = As<TFish>(v)) fish->Draw();
}

void TFish::Init(float px, float py, int dir) {
  Drawable = 0;
  const int r = Rand(200, 255);
  const int g = Rand(200, 255);
  Color = CreateColor(r, g, 255);
  x = px;
  y = py;
  scale = Rnd(0.5f, 0.6f);
  dx = Rnd(2.0f * static_cast<float>(dir), 3.0f * static_cast<float>(dir));
  dy = Rnd(-1.0f, 1.0f);
  radius = Rnd(0.4f, 0.7f);
  angle_speed = Rnd(-0.4f, 0.4f);
  _angle_speed = Rnd(2.0f, 4.0f);
  _angle = static_cast<float>(Rand(0, 30));
  image = TAnimImage::Load2("IMAGE_FISH_MOVE", -1);
  if (dx < 0.0f) CreateMirrorImage(image);
}

void TFish::Update(float dt) {
  angle = Wrap360(angle + dt * angle_speed);
  _angle = Wrap360(_angle + dt * _angle_speed);
  dy = static_cast<float>(degrees::Sin(_angle)) * radius;
  // The leap speeds up by a fixed step each update, whatever the frame factor.
  if (dx > 0.0f)
    dx += 0.01f;
  else if (dx < 0.0f)
    dx -= 0.01f;
  const float ox = x, oy = y;
  x += dt * dx;
  y += dt * dy;
  fall_angle = static_cast<float>(degrees::ATan2(y - oy, x - ox));
  if (x < ox) fall_angle += 180.0f;
  if (y > 650.0f || x > 850.0f || x < -50.0f) Death = 1;
}

void TFish::Draw() {
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetRotation(fall_angle);
  platform::SetAlpha(1.0f);
  platform::SetScale(scale, scale);
  ApplyColor(Color);
  DrawAnimImage(image, x, y);
  ApplyColor(ColorWhite);
  platform::SetScale(1.0f, 1.0f);
  platform::SetRotation(0.0f);
}

}  // namespace kelp
