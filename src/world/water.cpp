#include "world/water.h"

#include <algorithm>
#include <cmath>

#include "framework/core/degrees.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/particles.h"
#include "framework/media/poly_anim.h"
#include "framework/media/textured_poly.h"
#include "platform/graphics_state.h"
#include "world/effects/fish.h"
#include "world/game_interface.h"
#include "world/block.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

// Frames between wave steps stay in this range whatever the frame factor: a
// long frame (a factor of 10 or more) would give 0 and divide by it, a zero
// or broken factor a count that is never reached.
constexpr int kMinSteps = 1, kMaxSteps = 600;
constexpr int kFishBelow = 550;
constexpr float kHalfStrip = 4.0f;

int StepsFor(float f) {
  if (!(f > 0) || !std::isfinite(f)) return 10;
  return std::clamp(Int(10.0f / f), kMinSteps, kMaxSteps);
}

void AddEmitter(const Ref<TEmitter>& e) {
  if (GameInterface && e) GameInterface->AddEmitter(e);
}

float SegmentAngle(const TWater& w, int i) {
  const auto k = static_cast<size_t>(i);
  return static_cast<float>(degrees::ATan2(w.cH[k + 1].y - w.cH[k].y, w.H[k + 1].x - w.H[k].x));
}

}  // namespace

std::vector<int> TWater::WaterArray(float x0, float step, int count) {
  std::vector<int> points;
  for (int k = 0; k <= count; ++k) {
    points.push_back(Int(x0 + static_cast<float>(k) * step));
    points.push_back(Rand(-2, 2));
  }
  return points;
}

Ref<TWater> TWater::Create(const std::vector<int>& points, int level) {
  auto w = New<TWater>();
  const size_t n = points.size() / 2;
  for (size_t k = 0; k < n; ++k) {
    const auto x = static_cast<float>(points[2 * k]), y = static_cast<float>(points[2 * k + 1]);
    w->H0.emplace_back(x, y);
    w->H.emplace_back(x, y);
    w->H1.emplace_back(x, y);
    w->cH.emplace_back(0.0f, y);
  }
  w->WaterLevel = level;
  return w;
}

void TWater::Set(int i, float v) {
  if (i < 0 || i >= Points()) return;
  H0[static_cast<size_t>(i)].y += v;
}

void TWater::Remove() {}

// ----------------------------------------------------------------- update

void TWater::Update(float f) {
  if (Effect) Effect->Update(f);

  if (todo == 0) {
    for (TVector& c : cH) c.y += c.x;
    count += 1;
    if (count >= steps) {
      todo = 1;
      count = 0;
    }
  }
  if (todo == 1) {
    steps = StepsFor(f);
    todo = 0;
    WaveStep();
  }

  const int n = Points();
  if (WaterLevel < kFishBelow && GameTime >= static_cast<double>(FishTime) + FishGenTime && RandScaled(0, 30, f) == 0) {
    FishTime = GameTime;
    const int fish = Rand(1, 5) + 1;
    for (int i = 0; i < fish; ++i) {
      const bool fromRight = Rand(0, 1) == 0;
      const int x = fromRight ? Rand(700, 800) : Rand(50, 100);
      const int y = Rand(WaterLevel, kFishBelow);
      TFish::Create(static_cast<float>(x), static_cast<float>(y), fromRight ? -1 : 1);
    }
  }

  if (WaveGen && GameTime >= static_cast<double>(WaveGenTime) + WavePeriod && RandScaled(1, 3, f) == 1) {
    WaveGenNum += 1;
    Set(1, -WaveSize / 2.2f);
    Set(2, -WaveSize);
    Set(3, -WaveSize / 2.2f);
    Set(n - 4, WaveSize / 2.2f);
    Set(n - 3, WaveSize);
    Set(n - 2, WaveSize / 2.2f);
    if (static_cast<float>(WaveGenNum) >= WaveSpeed) {
      WaveGenTime = GameTime;
      WaveGenNum = 0;
    }
  }

  Splashes();
  Buoyancy();
}

void TWater::WaveStep() {
  const int n = Points();
  for (int i = 1; i <= n - 2; ++i) {
    const auto k = static_cast<size_t>(i);
    H1[k].y = ((H[k - 1].y + H[k + 1].y) / 1.9f - H0[k].y) * DampingCoef;
  }
  const auto s = static_cast<float>(steps);
  for (size_t k = 0; k < H.size(); ++k) {
    H0[k] = H[k];
    H[k] = H1[k];
    cH[k].x = (H[k].y - H0[k].y) / s;
  }
}

void TWater::Splashes() {
  const int n = Points();
  for (const auto& box : BlockList) {
    // Boxes waiting on a hidden trolley are out of the world.
    if (!box->Group || box->hided) continue;
    for (int i = 1; i <= n - 2; ++i) {
      const auto k = static_cast<size_t>(i);
      for (auto p = box->Group->frstp.get(); p; p = p->nxt.get()) {
        if (p->WaterDrop != 0) continue;
        const float reach = 2 * p->radius;
        if (!(std::fabs(p->x - H[k].x) <= reach && std::fabs(p->y - SurfaceY(i)) <= reach)) continue;
        AddEmitter(TEmitter::Create(p->x, p->y + 14, EffectWater, 0));
        AddEmitter(TEmitter::Create(p->x, p->y + 14, EffectWater2, 0));
        Set(i - 1, -3);
        Set(i, -7);
        Set(i + 1, -3);
        p->WaterDrop = 1;
        p->oy += 8;
      }
    }
  }
}

void TWater::Buoyancy() {
  const int n = Points();
  if (n == 0) return;
  for (const auto& box : BlockList) {
    // Boxes waiting on a hidden trolley are out of the world.
    if (!box->Group || box->hided) continue;
    for (auto p = box->Group->frstp.get(); p; p = p->nxt.get()) {
      if (p->static_) continue;
      p->underwater = 0;
      int nearest = 0;
      float best = 0;
      for (int i = 1; i <= n - 2; ++i) {
        const float d = std::fabs(H[static_cast<size_t>(i)].x - p->x);
        if (nearest == 0 || d < best) {
          nearest = i;
          best = d;
        }
      }
      const float surface = SurfaceY(nearest);
      if (p->y >= surface) {
        p->underwater = 1;
        p->Move(0, -0.027f * p->radius + 0.0006f * (p->y - surface));
      }
    }
  }
}

// ---------------------------------------------------------------- drawing

void TWater::Draw() {
  using namespace platform;
  TFish::DrawFishes();
  if (Effect) Effect->Draw(1.0f);
  TPolyAnim::DrawAnim(1);

  const int n = Points();
  if (n < 2) return;
  const float last = static_cast<float>(n - 1);
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  SetAlpha(0.7f);
  for (int i = 0; i <= n - 2; ++i) {
    const auto k = static_cast<size_t>(i);
    const float u0 = static_cast<float>(i) / last, u1 = static_cast<float>(i + 1) / last;
    const float quad[] = {H[k + 1].x, SurfaceY(i + 1), u1,  0,  H[k].x, SurfaceY(i), u0, 0, H[k].x, 600, u0,
                          1,          H[k + 1].x,      600, u1, 1};
    DrawTexturedPoly(ImageWaterBigTex, quad, 0, -1);
  }

  SetAlpha(1);
  SetColor(255, 255, 255);
  SetScale(1, 1);
  SetRotation(0);
  const float w = kHalfStrip;
  float a = SegmentAngle(*this, 0);
  for (int i = 0; i <= n - 2; ++i) {
    const auto k = static_cast<size_t>(i);
    const float b = i <= n - 4 ? (SegmentAngle(*this, i) + SegmentAngle(*this, i + 2)) / 2 : SegmentAngle(*this, i);
    const float sa = static_cast<float>(degrees::Sin(a)), ca = static_cast<float>(degrees::Cos(a));
    const float sb = static_cast<float>(degrees::Sin(b)), cb = static_cast<float>(degrees::Cos(b));
    const float y0 = SurfaceY(i), y1 = SurfaceY(i + 1);
    const float v0x = H[k].x + w * sa, v0y = y0 - w * ca - 4;
    const float v1x = H[k + 1].x + w * sb, v1y = y1 - w * cb - 4;
    const float v2x = H[k].x - w * sa, v2y = y0 + w * ca - 4;
    const float v3x = H[k + 1].x - w * sb, v3y = y1 + w * cb - 4;
    const float strip[] = {v1x, v1y, 1, 0, v0x, v0y, 0, 0, v2x, v2y, 0, 1, v3x, v3y, 1, 1};
    DrawTexturedPoly(ImageWaterTex, strip, 0, -1);
    a = b;
  }
}

}  // namespace kelp
