#include "play/red_line.h"

#include <cmath>

#include "framework/core/degrees.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "play/game.h"
#include "world/world.h"

namespace kelp {

Ref<TRedLine> RedLine;

namespace {

constexpr int kOpenLength = 360;  // the band's width once the sweep is over

void Rest(TRedLine& line) {
  line.Length = 23;
  line.accel = 1.2f;
  if (line.Pimpo) {
    line.Pimpo->Paused = 1;
    line.Pimpo->Frame = 0;
  }
}

}  // namespace

int TRedLine::Init() {
  Pimpo = TAnimImage::Load2("IMAGE_PIMPO", -1);
  CreateMirrorImage(Pimpo);
  Pimpo->Paused = 1;
  Ray = ResManager ? ResManager->GetImage("IMAGE_RAY") : nullptr;
  startX = CanvasOffsetX + 365;
  startY = 0;
  currentX = static_cast<float>(startX);
  currentY = 0.0f;
  angle = 0.0f;
  speed = 1.5f;
  accel = 1.5f;
  radius = 3.0f;
  alpha = 1.0f;
  alpha_state = 0;
  clockwise = 0;
  Length = 30;
  state = 0;
  starting = 0;
  timeout = 0;
  return 0;
}

int TRedLine::Start(int delay) {
  starting = 1;
  timeout = GameTime + delay;
  return 0;
}

int TRedLine::Update(float dt) {
  if (starting && GameTime > timeout && state == 0) {
    state = 1;
    starting = 0;
  }
  switch (state) {
    case 0:
      Rest(*this);
      break;
    case 1:
      Rest(*this);
      state = 2;
      PlaySoundEffect("SOUND_RED_LINE", 0.0f, 0);
      break;
    case 2:
      Length = Int(static_cast<float>(Length) + accel * dt);
      accel += 0.05f * dt;
      if (Length >= kOpenLength) {
        state = 3;
        if (GameScreen) {
          GameScreen->PauseState = 0;
          GameScreen->Pause(0);
        }
      }
      break;
    default:
      break;
  }

  switch (alpha_state) {
    case 0:
      if (RandScaled(1, 6, dt) == 1) alpha_state = 2;
      break;
    case 1:
      alpha += 0.05f * dt;
      if (alpha >= 1.0f) {
        alpha = 1.0f;
        alpha_state = 0;
      }
      break;
    default:
      alpha -= 0.05f * dt;
      if (alpha <= 0.8f) alpha_state = 1;
      break;
  }

  currentX = static_cast<float>(startX) + radius * static_cast<float>(degrees::Sin(angle));
  currentY = static_cast<float>(startY) - radius * static_cast<float>(degrees::Cos(angle));

  if (Rand(1, 1000) == 1) clockwise = clockwise ? 0 : 1;
  angle += clockwise ? speed * dt : -speed * dt;
  if (angle >= 360.0f) angle = 0.0f;
  if (angle < 0.0f) angle = 360.0f;
  return 0;
}

int TRedLine::Draw() {
  using namespace platform;
  const float line = World ? static_cast<float>(World->CriticalLine) : 0.0f;
  PushGraphicsState();
  SetOrigin(0, 0);
  SetColor(255, 255, 255);
  SetBlend(LIGHTBLEND);
  const float left = currentX + 9 - static_cast<float>(Length / 2);
  const float top = line - currentY + 9;
  SetViewport(Int(left), Int(top), Length, 16);
  SetAlpha(alpha);
  TileImage(Ray, left, top);
  SetViewport(0, 0, VirtualWidth, VirtualHeight);
  SetBlend(ALPHABLEND);
  SetAlpha(1.0f);
  if (Pimpo) {
    // Each draw of the marker toggles the mirrored frames: the left end
    // plain, the right end mirrored, and the marker left as it was.
    CreateMirrorImage(Pimpo);
    Pimpo->Draw(currentX - static_cast<float>(Length / 2), line - currentY);
    CreateMirrorImage(Pimpo);
    // Mirrored frames carry a mirrored handle; the frame stays where the
    // plain one would stand, so the marker caps the band's right end.
    const float shift = Pimpo->Image ? 2.0f * Pimpo->Image->HandleX() - static_cast<float>(Pimpo->Image->Width()) : 0.0f;
    Pimpo->Draw(currentX + static_cast<float>(Length / 2) + shift, line - currentY);
  }
  PopGraphicsState();
  return 0;
}

}  // namespace kelp
