#include "world/effects/counters.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/media/bmfont.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "platform/graphics_state.h"
#include "world/effects/flash.h"
#include "world/game_interface.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

int TextWidthIn(const Ref<TBMFont>& font, const std::string& s) {
  if (font) return font->StringWidth(s);
  return BMTextWidth(s);
}

}  // namespace

Ref<TCount> TCount::CreateCount(int x, int y, int start, int target, const Ref<TBMFont>& font, int speed,
                                int centered, int under, int drawable) {
  auto c = New<TCount>();
  c->x = x;
  c->y = y;
  c->StartAmmount = start;
  c->TargetAmmount = target;
  c->Font = font;
  c->Speed = speed;
  c->Centered = centered;
  c->Ammount = static_cast<float>(start);
  c->UpdTime = GameTime;
  c->Under = under;
  c->Drawable = drawable;
  VisualsList.AddLast(c);
  return c;
}

void TCount::SetPosition(int x_, int y_) {
  x = x_;
  y = y_;
}

float TCount::StepFor(int start, int target) {
  const double diff = static_cast<double>(start) - static_cast<double>(target);
  const double d = std::fabs(diff);
  double divisor = 10.0;
  if (d > 1000000) divisor = 300.0;
  else if (d > 100000) divisor = 280.0;
  else if (d > 10000) divisor = 240.0;
  else if (d > 1000) divisor = 200.0;
  else if (d > 100) divisor = 180.0;
  else if (d > 10) divisor = 150.0;
  else if (d > 1) divisor = 100.0;
  return static_cast<float>(std::fabs(diff / divisor));
}

void TCount::Update(float) {
  if (!started) return;
  // Start equal to target while another value shows: a step of 0 would never
  // get there, so the count starts from the shown value.
  if (StartAmmount == TargetAmmount && Int(Ammount) != TargetAmmount) StartAmmount = Int(Ammount);
  CurrentStep = StepFor(StartAmmount, TargetAmmount);

  const int g = Int(Ammount - static_cast<float>(TargetAmmount));
  if (std::abs(static_cast<double>(g)) <= CurrentStep && flag == 0) {
    flag = 1;
    Ammount = static_cast<float>(TargetAmmount);
    if (Drawable) {
      const int xs = x + Int(static_cast<float>(TextWidthIn(Font, std::to_string(Int(Ammount)))) / 2.0f);
      auto stars = TEmitter::Create(static_cast<float>(xs), static_cast<float>(y), EffectStars04, 0);
      stars->DrawOver = 1;
      if (GameInterface) GameInterface->AddEmitter(stars);
      auto flash = TFlash::CreateFlash(xs, y, 1.9f, 0.45f, ColorWhite, 1.0f, 0);
      flash->Over = 1;
    }
  }
  if (std::abs(static_cast<double>(g)) <= CurrentStep) {
    Ammount = static_cast<float>(TargetAmmount);
  } else if (UpdTime + Speed < GameTime) {
    CurrentStep *= 1.04f;
    // The last step lands on the target, never past it.
    const float left = std::fabs(Ammount - static_cast<float>(TargetAmmount));
    if (CurrentStep >= left)
      Ammount = static_cast<float>(TargetAmmount);
    else if (g < 0)
      Ammount += CurrentStep;
    else
      Ammount -= CurrentStep;
    UpdTime = GameTime;
  }
}

void TCount::Draw() {
  const std::string number = std::to_string(Int(Ammount));
  PushGraphicsState();
  SetBMFont(Font);
  platform::SetScale(1.0f, 1.0f);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  // Centred on the width in the font it is drawn with.
  const float px = static_cast<float>(Centered ? x - BMTextWidth(number) / 2 : x);
  if (Shadow) {
    ApplyColor(ColorDark);
    platform::SetAlpha(0.4f);
    DrawBMText(number, px + 1.0f, static_cast<float>(y) + 1.0f);
    ApplyColor(ColorWhite);
    platform::SetAlpha(1.0f);
  }
  DrawBMText(number, px, static_cast<float>(y));
  PopGraphicsState();
}

}  // namespace kelp
