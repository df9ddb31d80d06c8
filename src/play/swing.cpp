#include "play/swing.h"

#include <algorithm>
#include <cmath>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/effects/dust.h"
#include "world/player_state.h"

namespace kelp {

namespace {

constexpr int kBlinkLength = 250;  // ms a blink lasts past its due time

platform::ImageRef Picture(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

// One creature's fields, so both ends share the same steps.
struct Creature {
  float& x;
  float& scale;
  float& jump_h;
  float& jump_impulse;
  int& jump_state;
  float& g_force;
  float& jump_scale;
  float& scale_dy;
  float& dx;
};

void Relax(Creature c, float dt) {
  c.jump_scale = std::min(c.jump_scale + 0.01f * c.scale * dt, c.scale);
}

// Steps one creature; true on the frame it lands.
bool StepCreature(Creature c, const TSwing& swing, float dt) {
  switch (c.jump_state) {
    case 0:
      c.scale_dy = std::max(c.scale_dy - 0.7f * dt, 0.0f);
      Relax(c, dt);
      return false;
    case 1:
      c.jump_impulse = swing.def_jump_impulse * c.scale;
      c.g_force = swing.def_g_force * c.scale;
      c.jump_state = 2;
      c.jump_h = 0.0f;
      c.jump_scale = 0.8f * c.scale;
      c.dx = c.dx != 0.0f ? -c.dx : Rnd(-0.1f, 0.1f);
      return false;
    default: {
      c.x += c.dx * dt;
      c.jump_h += c.jump_impulse;  // not scaled by dt
      c.jump_impulse += c.g_force * dt;
      Relax(c, dt);
      // Lands when the next step reaches or crosses height 0. A sign test:
      // comparing sums of magnitudes for equality misses some landings in
      // float arithmetic, and the creature would then fall for ever.
      const float next = c.jump_h + c.jump_impulse;
      if ((c.jump_h <= 0.0f && next >= 0.0f) || (c.jump_h >= 0.0f && next <= 0.0f)) {
        c.jump_state = 0;
        c.jump_scale = 0.9f * c.scale;
        c.scale_dy = 7.0f;
        return true;
      }
      return false;
    }
  }
}

void Puffs(int x, float y) {
  for (int k = 0; k < 6; ++k) SpawnDust(x + Rand(25, 50), Int(y + 50), 0);
}

void DrawCreature(const platform::ImageRef& image, float x, float y, float sx, float sy) {
  platform::SetScale(sx, sy);
  platform::DrawImage(image, x, y);
}

}  // namespace

int TSwing::Init() {
  Top = Picture("IMAGE_SWING_TOP");
  c1 = Picture("IMAGE_REDRICE");
  c1b = Picture("IMAGE_REDRICE_BLINK");
  c2 = Picture("IMAGE_ELLO");
  c2b = Picture("IMAGE_ELLO_BLINK");
  c1_BlinkTime = GameTime + Rand(2000, 3000);
  c2_BlinkTime = GameTime + Rand(2000, 3000);
  def_g_force = 0.3f;
  def_jump_impulse = -7.0f;
  lx = -4;
  rx = 106;
  dy = 0.0f;
  c1_x = static_cast<float>(lx + 12);
  c2_x = static_cast<float>(rx + 12);
  c1_jump_scale = c1_scale;
  c2_jump_scale = c2_scale;
  miny = 452;
  maxy = 475;
  ly = static_cast<float>(maxy);
  ry = static_cast<float>(miny);
  c1_y = ly - 41;
  c2_y = ry - 42;
  return 0;
}

int TSwing::Start(float impulse) {
  const float speed = PlayerState ? std::fabs(PlayerState->speed) : 0.0f;
  def_jump_impulse = std::min(-speed / 2.0f, -7.0f);
  if (state == 0 || state == 2) {
    dy = ly >= ry ? -impulse : impulse;
    state = 1;
  }
  return 0;
}

int TSwing::Stop() {
  const bool atStop = ly == static_cast<float>(maxy) || ly == static_cast<float>(miny);
  if (atStop && c1_jump_state == 0 && c2_jump_state == 0) {
    dy = 0.0f;
    state = 2;
  }
  return 0;
}

int TSwing::BlinkUpdate() {
  auto blink = [](int& on, int& due) {
    if (GameTime > due && Rand(0, 12) == 0 && !on) on = 1;
    if (GameTime > due + kBlinkLength && on) {
      on = 0;
      due = GameTime + Rand(2000, 3000);
    }
  };
  blink(c1_Blink, c1_BlinkTime);
  blink(c2_Blink, c2_BlinkTime);
  return 0;
}

int TSwing::UpdateTop(float dt) {
  if (dy != 0.0f) {
    ly += dy * dt;
    ry -= dy * dt;
    if (ly >= static_cast<float>(maxy)) {
      ly = static_cast<float>(maxy);
      ry = static_cast<float>(miny);
      dy = 0.0f;
      c2_jump_state = 1;
      Puffs(lx, ly);
    } else if (ly <= static_cast<float>(miny)) {
      ly = static_cast<float>(miny);
      ry = static_cast<float>(maxy);
      dy = 0.0f;
      c1_jump_state = 1;
      Puffs(rx, ry);
    }
  }
  if (state == 2) {
    const float step = 0.5f * dt;
    if (ly < ry) {
      ly += step;
      ry -= step;
    } else {
      ly -= step;
      ry += step;
    }
    if (std::fabs(ly - ry) < 0.5f) {
      ly = ry;
      state = 0;
    }
  }
  c1_y = ly - 41;
  c2_y = ry - 42;
  return 0;
}

int TSwing::UpdateCreatures(float dt) {
  BlinkUpdate();
  Creature one{c1_x, c1_scale, c1_jump_h, c1_jump_impulse, c1_jump_state, c1_g_force, c1_jump_scale, c1_scale_dy, c1_dx};
  Creature two{c2_x, c2_scale, c2_jump_h, c2_jump_impulse, c2_jump_state, c2_g_force, c2_jump_scale, c2_scale_dy, c2_dx};
  if (StepCreature(one, *this, dt) && state == 1) dy = c1_jump_impulse;
  if (StepCreature(two, *this, dt) && state == 1) dy = -c2_jump_impulse;
  return 0;
}

int TSwing::Update(float dt) {
  UpdateTop(dt);
  UpdateCreatures(dt);
  return 0;
}

int TSwing::Draw() {
  using namespace platform;
  const platform::ImageRef& one = c1_Blink ? c1b : c1;
  const platform::ImageRef& two = c2_Blink ? c2b : c2;
  const float y1 = c1_y + c1_jump_h + c1_scale_dy;
  const float y2 = c2_y + c2_jump_h + c2_scale_dy;
  SetColor(20, 20, 20);
  SetAlpha(0.4f);
  DrawCreature(one, c1_x + 5, y1 + 5, c1_scale, c1_jump_scale);
  DrawCreature(two, c2_x + 5, y2 + 5, c2_scale, c2_jump_scale);
  SetScale(1.0f, 1.0f);
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  DrawImage(Top, static_cast<float>(lx), ly);
  DrawImage(Top, static_cast<float>(rx), ry);
  DrawCreature(one, c1_x, y1, c1_scale, c1_jump_scale);
  DrawCreature(two, c2_x, y2, c2_scale, c2_jump_scale);
  SetScale(1.0f, 1.0f);
  return 0;
}

}  // namespace kelp
