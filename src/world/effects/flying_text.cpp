#include "world/effects/flying_text.h"

#include <algorithm>
#include <cmath>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/core/utf8.h"
#include "framework/media/bmfont.h"
#include "framework/media/particles.h"
#include "framework/media/sound.h"
#include "platform/graphics_state.h"
#include "world/effects/flash.h"
#include "world/light.h"
#include "world/game_interface.h"
#include "world/resource_bindings.h"

namespace kelp {

void TFlyingChar::CreateFlyingText(const std::string& text, float x, float y, int hang, float velocity,
                                   const Ref<TBMFont>& font, int xPlode, int wait, int sound) {
  if (!font) return;  // nothing to lay the letters out with
  SetBMFont(font);
  const size_t n = utf8::Length(text);
  for (size_t i = 0; i < n; ++i) {
    const int tx = Int(x + static_cast<float>(BMTextWidth(utf8::Left(text, i)))) + Rand(-2, 2);
    const int ty = Int(y) + Rand(-2, 2);
    const int r = xPlode == 0 ? Rand(-300, 300) : Rand(-100, 100);
    CreateFlyingChar(utf8::Substr(text, i, 1), tx, ty, velocity, hang + r, font, xPlode, wait);
  }
  if (sound) PlaySoundEffect("SOUND_FLYING_TEXT", 0.0f, 0);
}

Ref<TFlyingChar> TFlyingChar::CreateFlyingChar(const std::string& letter, int targetX, int targetY, float velocity,
                                               int hang, const Ref<TBMFont>& font, int xPlode, int wait) {
  auto c = New<TFlyingChar>();
  c->Char = letter;
  c->velocity = velocity;
  c->HangTime = hang;
  c->Font = font;
  c->xPlode = xPlode;

  const int sx = Rand(0, 1) == 0 ? Rand(-20, 0) : Rand(800, 820);
  const int sy = Rand(0, 1) == 0 ? Rand(-20, 0) : Rand(600, 620);
  const float dxs = static_cast<float>(targetX - sx), dys = static_cast<float>(targetY - sy);
  const float l = std::sqrt(dxs * dxs + dys * dys) / 3.0f;
  const float lx = targetX >= sx ? l : -l;  // toward the target
  const float ly = targetY >= sy ? l : -l;
  const int c1x = Int(static_cast<float>(sx) + lx + static_cast<float>(Rand(-200, 200)));
  const int c1y = Int(static_cast<float>(sy) + ly + static_cast<float>(Rand(-200, 200)));
  const int c2x = Int(static_cast<float>(targetX) - lx + static_cast<float>(Rand(-200, 200)));
  const int c2y = Int(static_cast<float>(targetY) - ly + static_cast<float>(Rand(-200, 200)));
  c->Coords = {sx, sy, c1x, c1y, c2x, c2y, targetX, targetY};
  c->x = static_cast<float>(sx);
  c->y = static_cast<float>(sy);
  c->t = 0.0f;
  c->WaitTime = GameTime + wait;
  c->Light = New<TLight>();
  c->Light->Init2(Int(c->x), Int(c->y), ColorCream, 0.2f, 1);
  if (xPlode == 2) {
    c->x = static_cast<float>(targetX);
    c->y = static_cast<float>(targetY);
    c->_dx = Rand(0, 1) == 0 ? Rnd(-5.0f, -3.0f) : Rnd(3.0f, 5.0f);
    c->_dy = Rnd(-5.0f, -3.0f);
  }
  VisualsList.AddLast(c);
  return c;
}

void TFlyingChar::Remove() {
  Light.reset();
  impulse.reset();
  Coords.clear();
}

void TFlyingChar::End() {
  Death = 1;
  Remove();
}

void TFlyingChar::Update(float dt) {
  if (GameTime < WaitTime || Death) return;

  if (xPlode == 2) {
    _dy += 0.2f;
    x += dt * _dx;
    y += dt * _dy;
    alpha -= dt * 0.015f;
    if (y > 650.0f) {
      End();
      return;
    }
  } else if (Coords.size() == 8) {
    const float tx = static_cast<float>(Coords[6]), ty = static_cast<float>(Coords[7]);
    if (!impulsed && t < 1.0f) {
      // A letter without speed would never arrive: it lands at once.
      t = velocity > 0.0f ? std::min(1.0f, t + dt * velocity) : 1.0f;
      oldX = x;
      oldY = y;
      const float u = 1.0f - t;
      const float a = u * u * u, b = 3.0f * t * u * u, c = 3.0f * t * t * u, d = t * t * t;
      x = a * static_cast<float>(Coords[0]) + b * static_cast<float>(Coords[2]) + c * static_cast<float>(Coords[4]) +
          d * tx;
      y = a * static_cast<float>(Coords[1]) + b * static_cast<float>(Coords[3]) + c * static_cast<float>(Coords[5]) +
          d * ty;
    }
    if (t >= 1.0f && !impulsed) {
      impulse = TImpulse::CreateImpulse(2.0f, 0.5f, 0.18f, 1);
      x = tx;
      y = ty;
      ImpulseX = tx;
      ImpulseY = ty;
      impulsed = 1;
      dx = oldX >= x ? -1.0f : 1.0f;
      dy = oldY >= y ? -1.0f : 1.0f;
    }
    if (impulsed) {
      if (impulse && !impulse->Death) {
        // Springy overshoot along the direction of travel.
        x = ImpulseX + dx * impulse->impulse_strength;
        y = ImpulseY + dy * impulse->impulse_strength;
      } else if (phase == 0) {
        BirthTime = GameTime;
        x = ImpulseX;
        y = ImpulseY;
        dx = Rnd(-0.05f, 0.05f);
        dy = Rnd(-0.1f, 0.1f);
        phase = 1;
      } else {
        x += dt * dx;
        y += dt * dy;
        if (std::fabs(x - ImpulseX) > 2.0f) dx = -dx;
        if (std::fabs(y - ImpulseY) > 2.0f) dy = -dy;
      }
      if (phase == 1 && GameTime > BirthTime + HangTime) {
        if (xPlode == 1) {
          CreateFlyingChar(Char, Int(x), Int(y), 0.02f, 0, Font, 2, 0);
          TFlash::CreateFlash(Int(x), Int(y), 1.9f, 0.45f, ColorWhite, 1.0f, 0);
        } else {
          auto burst = TEmitter::Create(x, y + 10.0f, EffectFlyingtext, 0);
          if (GameInterface) GameInterface->AddEmitter(burst);
          TFlash::CreateFlash(Int(x), Int(y + 10.0f), 1.9f, 0.45f, ColorWhite, 1.0f, 0);
        }
        End();
        return;
      }
    }
  }

  if (Light) {
    Light->x = x;
    Light->y = y + 12.0f;
    Light->Speed = 0.002f;
    Light->Update(dt);
  }
}

void TFlyingChar::Draw() {
  if (GameTime < WaitTime) return;
  platform::SetBlend(3);
  platform::SetScale(1.0f, 1.0f);
  SetBMFont(Font);
  platform::SetAlpha(alpha);
  platform::SetColor(255, 255, 255);
  DrawBMText(Char, x, y);
}

}  // namespace kelp
