#include "frontend/menu_flyers.h"

#include <algorithm>
#include <cmath>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/anim_image.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

namespace {

constexpr int kBlinkFrame = 9;

}  // namespace

Ref<TMenuZeppelin> TMenuZeppelin::Create() {
  auto z = New<TMenuZeppelin>();
  z->img = ResManager ? ResManager->GetImage("IMAGE_MAINMENU_ZEPPELIN") : nullptr;
  if (Rand(0, 1) == 1) {
    z->scale = 1.0f;
    z->dx = 0.4f;
    z->dy = Rnd(1.0f, 2.0f);
    z->radius = 4.0f;
    z->x = -100.0f;
    z->start_y = static_cast<float>(Rand(200, 300));
  } else {
    z->scale = 0.4f;
    z->dx = 0.1f;
    z->dy = Rnd(1.0f, 2.0f);
    z->radius = 2.0f;
    z->x = 0.0f;
    z->start_y = static_cast<float>(Rand(100, 400));
  }
  z->y = z->start_y;
  return z;
}

void TMenuZeppelin::Update(float dt) {
  if (death) return;
  y = start_y - radius * static_cast<float>(std::cos(static_cast<double>(angle) * 3.14159265358979323846 / 180.0));
  x += dx * dt;
  angle += dy * dt;
  if (angle >= 360.0f) angle = 0.0f;
  if (x > 900.0f) death = 1;
}

void TMenuZeppelin::Draw() const {
  platform::SetScale(scale, scale);
  platform::DrawImage(img, x, y, 0);
  platform::SetScale(1.0f, 1.0f);
}

Ref<TMenuCreature> TMenuCreature::Create() {
  auto c = New<TMenuCreature>();
  c->Anim = TAnimImage::Load2("IMAGE_GUI_DIALOG_REDRICE_BIG", -1);
  if (c->Anim) c->Anim->Paused = 1;
  c->x = static_cast<float>(Rand(-50, 1));
  c->y = 565.0f;
  c->dx = Rnd(1.5f, 1.7f);
  c->def_jump_impulse = Rnd(-3.5f, -3.2f);
  c->def_g_force = 0.13f;
  c->jumps_num = Rand(5, 16);
  c->state = 1;
  return c;
}

void TMenuCreature::Update(float dt) {
  if (death) return;
  if (state == 1) {
    jump_impulse = def_jump_impulse;
    g_force = def_g_force;
    jump_h = 0.0f;
    jump_scale = 0.8f;
    state = 2;
  }
  if (state == 2) {
    x += dx * dt;
    const float before = jump_h;
    jump_h += jump_impulse * dt;
    jump_impulse += g_force * dt;
    jump_scale = std::min(1.0f, jump_scale + 0.02f * dt);
    if (before < 0.0f && jump_h >= 0.0f) {  // landed
      jump_h = 0.0f;
      jump_scale = 0.9f;
      scale_dy = 7.0f;
      if (--jumps_num <= 0) {
        state = 3;
        StopTime = GameTime + Rand(2000, 6000);
        BlinkTime = GameTime + Rand(500, 2000);
      } else {
        state = 1;
      }
    }
  } else if (state == 3) {
    scale_dy *= std::pow(0.9f, dt);
    jump_scale = std::min(1.0f, jump_scale + 0.01f * dt);
    if (Anim) Anim->Frame = GameTime >= BlinkTime && GameTime < BlinkTime + 200 ? kBlinkFrame : 0;
    if (GameTime >= BlinkTime + 200) BlinkTime = GameTime + Rand(500, 2000);
    if (GameTime >= StopTime) {
      if (Anim) Anim->Frame = 0;
      jumps_num = Rand(2, 8);
      state = 1;
    }
  }
  if (x > 900.0f || x < -100.0f) death = 1;
}

void TMenuCreature::Draw() const {
  if (!Anim || !Anim->Image) return;
  const platform::ImageRef& img = Anim->Image;  // handled at its feet
  const float h = static_cast<float>(img->Height());
  const float sy = jump_scale * (h > 0.0f ? (h - scale_dy) / h : 1.0f);
  const int frame = std::min(Anim->Frame, img->Frames() - 1);
  platform::SetScale(1.0f, sy);
  platform::SetColor(10, 10, 30);
  platform::SetAlpha(0.4f);
  platform::DrawImage(img, x + 4.0f, y + 4.0f, frame);
  platform::SetColor(220, 220, 220);
  platform::SetAlpha(1.0f);
  platform::DrawImage(img, x, y + jump_h, frame);
  platform::SetScale(1.0f, 1.0f);
  platform::SetColor(255, 255, 255);
}

void TMenuCreatures::Start() {
  NextGroup = GameTime + Rand(5000, 8000);
  NextOne = 0;
}

void TMenuCreatures::Update(float dt) {
  if (NextGroup && GameTime >= NextGroup) {
    NextOne = GameTime + Rand(1500, 2500);
    NextGroup = GameTime + Rand(15000, 20000);
  }
  if (NextOne && GameTime >= NextOne) {
    List.push_back(TMenuCreature::Create());
    NextOne = 0;
  }
  for (const Ref<TMenuCreature>& c : List) c->Update(dt);
  // Gone creatures leave the list; it never grows past the few on screen.
  std::erase_if(List, [](const Ref<TMenuCreature>& c) { return c->death != 0; });
}

void TMenuCreatures::Draw() const {
  for (const Ref<TMenuCreature>& c : List) c->Draw();
}

}  // namespace kelp
