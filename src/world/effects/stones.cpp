#include "world/effects/stones.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "framework/core/frame_clock.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
float SinD(double deg) { return static_cast<float>(std::sin(deg * kDeg)); }
float CosD(double deg) { return static_cast<float>(std::cos(deg * kDeg)); }
float ATan2D(double y, double x) { return static_cast<float>(std::atan2(y, x) / kDeg); }

}  // namespace

Ref<TStone> TStone::Create(const std::string& imageId, int x, int y, float startScale, float endScale,
                           int lifeTime) {
  auto s = New<TStone>();
  s->x = static_cast<float>(x);
  s->y = static_cast<float>(y);
  s->Image = ResManager->GetImage(imageId);
  s->TimeStart = GameTime;
  s->StartScale = startScale;
  s->EndScale = endScale;
  s->Scale = startScale;
  s->LifeTime = static_cast<float>(lifeTime);
  s->angleSpeed = 2.0f;
  s->Speed = 3.0f;
  s->Dir = 0.0f;
  VisualsList.AddLast(s);
  return s;
}

void TStone::Update(float dt) {
  // A stone has no linear velocity of its own.
  if (SteerToMagnet(Magnet, TimeStart, x, y, 0.0f, 0.0f, dt, Dir, Speed)) Death = 1;

  x += SinD(Dir) * Speed * dt;
  y += CosD(Dir) * Speed * dt;

  if (angleSpeed == 0.0f) angle = ATan2D(CosD(Dir) * Speed * dt, SinD(Dir) * Speed * dt);
  angle += angleSpeed * dt;
  if (angle >= 360.0f) angle -= 360.0f;
  if (angle <= -360.0f) angle += 360.0f;

  // Half-way to EndScale at the end of LifeTime, as particles grow.
  const double age = static_cast<double>(static_cast<int64_t>(GameTime) - TimeStart);
  const double denom = static_cast<double>(LifeTime) + age;
  if (denom > 0.0)
    Scale = StartScale + static_cast<float>(age * static_cast<double>(EndScale - StartScale) / denom);
  else
    Scale = StartScale;  // no life and no age: 0 / 0
}

void TStone::Draw() {
  PushGraphicsState();
  platform::SetBlend(3);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  platform::SetScale(Scale, Scale);
  platform::SetRotation(angle);
  if (Image) platform::DrawImage(Image, x, y, 0);
  PopGraphicsState();
}

}  // namespace kelp
