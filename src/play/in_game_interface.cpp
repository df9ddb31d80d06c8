#include "play/in_game_interface.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/geometry.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/graphics_state.h"
#include "framework/media/poly_anim.h"
#include "framework/media/resources.h"
#include "framework/media/textured_poly.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "play/red_line.h"
#include "play/swing.h"
#include "world/effects/clouds.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/light.h"
#include "world/player_state.h"
#include "world/village_state.h"

namespace kelp {

Ref<TInGameInterface> InGameInterface;

namespace {

constexpr float kStill = 0.00001f;  // a claw slower than this stands still
constexpr int kClockX = 91, kClockY = 216;

platform::ImageRef Picture(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

float ClawSpeed() { return PlayerState ? PlayerState->speed : 0.0f; }

// The animation's current frame, without stepping it: the interface steps
// the gears and the rope itself.
void DrawFrame(const Ref<TAnimImage>& anim, float x, float y, int frame) {
  if (!anim || !anim->Image) return;
  platform::DrawImage(anim->Image, x, y, std::clamp(frame, 0, std::max(anim->Image->Frames() - 1, 0)));
}

void Shadowed(const std::function<void(float dx, float dy)>& draw, float dx, float dy) {
  ApplyColor(ColorDark);
  platform::SetAlpha(0.4f);
  draw(dx, dy);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  draw(0.0f, 0.0f);
}

// Draws what lies under the backdrop, about to be drawn at (x, y) untinted
// and at full alpha, clipped to where the backdrop lets it through: the sky
// and its clouds show over a small part of the screen. The margin keeps what
// a filtered, stretched canvas blends in at the edge of that part.
void UnderBackdrop(const platform::ImageRef& back, float x, float y, const std::function<void()>& draw) {
  constexpr int kMargin = 2;
  int vx = 0, vy = 0, vw = 0, vh = 0, bx = 0, by = 0, bw = 0, bh = 0;
  platform::GetViewport(vx, vy, vw, vh);
  const platform::DrawState& s = platform::State();
  if (!back || s.ix != 1.0f || s.jy != 1.0f || s.iy != 0.0f || s.jx != 0.0f ||
      !platform::SeeThroughBounds(back, 0, bx, by, bw, bh)) {
    draw();
    return;
  }
  const float left = x + s.origin_x - back->HandleX(), top = y + s.origin_y - back->HandleY();
  // Only where the backdrop covers the whole viewport does it hide the rest.
  if (left > static_cast<float>(vx) || top > static_cast<float>(vy) ||
      left + static_cast<float>(back->Width()) < static_cast<float>(vx + vw) ||
      top + static_cast<float>(back->Height()) < static_cast<float>(vy + vh)) {
    draw();
    return;
  }
  if (bw == 0) return;  // opaque throughout
  const int x0 = std::max(vx, static_cast<int>(std::floor(left)) + bx - kMargin);
  const int y0 = std::max(vy, static_cast<int>(std::floor(top)) + by - kMargin);
  const int x1 = std::min(vx + vw, static_cast<int>(std::ceil(left)) + bx + bw + kMargin);
  const int y1 = std::min(vy + vh, static_cast<int>(std::ceil(top)) + by + bh + kMargin);
  if (x1 <= x0 || y1 <= y0) return;
  platform::SetViewport(x0, y0, x1 - x0, y1 - y0);
  draw();
  platform::SetViewport(vx, vy, vw, vh);
}

// How many columns in from the viewport's left and right edges the image,
// about to be drawn at (x, y) untinted, at full alpha and untransformed,
// covers with opaque pixels in every row of the viewport. The margin keeps
// what a filtered, stretched canvas blends in at the panel's inner edge.
void Covered(const platform::ImageRef& image, float x, float y, int vx, int vy, int vw, int vh, int& left,
             int& right) {
  constexpr int kMargin = 2;
  left = right = 0;
  int bx = 0, by = 0, bw = 0, bh = 0;
  const platform::DrawState& s = platform::State();
  if (!image || !platform::SeeThroughBounds(image, 0, bx, by, bw, bh)) return;
  const float l = x + s.origin_x - image->HandleX(), t = y + s.origin_y - image->HandleY();
  if (t > static_cast<float>(vy) || t + static_cast<float>(image->Height()) < static_cast<float>(vy + vh)) return;
  // Columns left of the see-through part and right of it are opaque throughout.
  const int opaque_left_end = bw == 0 ? image->Width() : bx;
  const int opaque_right_start = bw == 0 ? 0 : bx + bw;
  if (l <= static_cast<float>(vx) && opaque_left_end > 0)
    left = std::max(0, static_cast<int>(std::floor(l)) + opaque_left_end - kMargin - vx);
  const float r = l + static_cast<float>(image->Width());
  if (r >= static_cast<float>(vx + vw) && opaque_right_start < image->Width())
    right = std::max(0, vx + vw - static_cast<int>(std::ceil(l)) - opaque_right_start - kMargin);
}

}  // namespace

void TInGameInterface::BeginFrame() {
  platform::GetViewport(frame_vx_, frame_vy_, frame_vw_, frame_vh_);
  framing_ = true;
  ClipAbove(-3);
}

void TInGameInterface::EndFrame() {
  if (!framing_) return;
  framing_ = false;
  platform::SetViewport(frame_vx_, frame_vy_, frame_vw_, frame_vh_);
}

void TInGameInterface::ClipAbove(int layer) {
  if (!framing_) return;
  int left = 0, right = 0;
  const auto hide = [&](const platform::ImageRef& panel, int x, int y) {
    int l = 0, r = 0;
    Covered(panel, static_cast<float>(x), static_cast<float>(y), frame_vx_, frame_vy_, frame_vw_, frame_vh_, l, r);
    left = std::max(left, l);
    right = std::max(right, r);
  };
  // Draw sets the panels' scale, turn, colour and alpha itself; the origin is the frame's.
  if (layer < 0) hide(LeftPanel, LeftPanelX, LeftPanelY);
  if (layer < 2) hide(RightPanel, RightPanelX, RightPanelY);
  if (left + right >= frame_vw_) left = right = 0;
  platform::SetViewport(frame_vx_ + left, frame_vy_, frame_vw_ - left - right, frame_vh_);
}

int TInGameInterface::SetVillage() {
  const int level = GameState ? GameState->Level : 1;
  if (ResManager) Back = ResManager->GetImage(BackgroundId(level));
  SetPanels(CurrentVillage);
  return 0;
}

void TInGameInterface::SetPanels(int island) {
  if (island == 1) {
    LeftPanel = Picture("IMAGE_LEFT_PANEL");
    RightPanel = Picture("IMAGE_RIGHT_PANEL");
  } else if (island == 2) {
    LeftPanel = Picture("IMAGE_SNOW_LEFT_PANEL");
    RightPanel = Picture("IMAGE_SNOW_RIGHT_PANEL");
  }
}

int TInGameInterface::Load() {
  if (!ResManager) return 0;
  ClockShadow = TSectorImage::Create(Picture("IMAGE_CLOCK_SHADOW"), CreateVector(kClockX, kClockY));
  ClockShadow->SetDrawSector(0, 0);
  Rope = TAnimImage::Load2("IMAGE_SWING_ROPE", -1);
  Gears = TAnimImage::Load2("IMAGE_GEARS", -1);
  RightGears = TAnimImage::Load2("IMAGE_RIGHT_GEARS", -1);
  ClockPip = Picture("IMAGE_CLOCK_PIP");
  ClockArrow = Picture("IMAGE_CLOCK_ARROW");
  ClockCap = Picture("IMAGE_CLOCK_CAP");
  Back = Picture("IMAGE_BACK");
  LeftPanel = Picture("IMAGE_LEFT_PANEL");
  RightPanel = Picture("IMAGE_RIGHT_PANEL");
  RightPanelBack = Picture("IMAGE_RIGHT_PANEL_BACK");
  Body = Picture("IMAGE_SWING_BODY");
  Platform = Picture("IMAGE_SWING_PLATFORM");
  BigWheel = Picture("IMAGE_SWING_BIG_WHEEL");
  Wheel = Picture("IMAGE_SWING_WHEEL");
  LevelScore = Picture("IMAGE_LEVELSCORE");
  Pipe = Picture("IMAGE_TRUBA");
  Holders = Picture("IMAGE_PROGRESSBAR_HOLDERS");
  Stone = Picture("IMAGE_STONE");
  HelpFont = ResManager->GetBMFont("FONT_HELP");
  SwingTop = New<TSwing>();
  SwingTop->Init();
  SwingX = 45;
  SwingY = 312;
  GearsX = 42;
  GearsY = 0;
  RightGearsX = 760;
  RightGearsY = 0;
  LeftPanelX = LeftPanelY = 0;
  RightPanelX = 560;
  RightPanelY = 0;
  Rope->AnimSpeed = 50;
  Sky = Picture("IMAGE_SKY");
  TCloud::SetCloudsColor(ColorWhite);
  CloudGenTime = GameTime + CloudGenSpeed;
  return 0;
}

int TInGameInterface::UpdateSwing(float dt) {
  const float speed = ClawSpeed();
  const float pace = std::fabs(speed);
  float bigWheelSpeed = 0.0f, wheelSpeed = 0.0f;
  if (speed != 0.0f) {
    if (Rope) Rope->AnimSpeed = std::max(Int(200.0f / pace), 50);
    bigWheelSpeed = std::min(pace * 0.3f, 10.0f);
    wheelSpeed = std::min(pace * 0.5f, 10.0f);
  }
  if (pace > kStill) {
    if (SwingTop) SwingTop->Start(1.0f);
    // Wheels and rope turn one way whatever the claw's direction.
    bw_angle = std::fmod(bw_angle + bigWheelSpeed * dt, 360.0f);
    w_angle = std::fmod(w_angle + wheelSpeed * dt, 360.0f);
    if (Rope && GameTime >= Rope->UpdTime + Rope->AnimSpeed) {
      Rope->Frame = Rope->Frame + 1 >= Rope->Frames ? 0 : Rope->Frame + 1;
      Rope->UpdTime = GameTime;
    }
  } else if (SwingTop) {
    SwingTop->Stop();
  }
  return 0;
}

int TInGameInterface::UpdateGears() {
  if (!Gears) return 0;
  const float speed = ClawSpeed();
  if (speed != 0.0f) Gears->AnimSpeed = std::max(Int(100.0f / std::fabs(speed)), 10);
  if (std::fabs(speed) > kStill && GameTime >= Gears->UpdTime + Gears->AnimSpeed) {
    Gears->UpdTime = GameTime;
    const int last = std::max(Gears->Frames - 1, 0);
    if (speed > 0.0f)
      Gears->Frame = Gears->Frame >= last ? 0 : Gears->Frame + 1;
    else
      Gears->Frame = Gears->Frame <= 0 ? last : Gears->Frame - 1;
  }
  return 0;
}

int TInGameInterface::Update(float dt) {
  UpdateSwing(dt);
  UpdateGears();
  if (SwingTop) SwingTop->Update(dt);
  TPolyAnim::UpdateAnim(dt);
  if (RedLine) RedLine->Update(dt);
  if (CloudInit == 0) {
    const int n = Rand(8, 12);
    for (int k = 0; k <= n; ++k) TCloud::Create(static_cast<float>(Rand(200, 600)), 150.0f, 0, 0);
    CloudInit = 1;
  }
  if (GameTime > CloudGenTime + CloudGenSpeed) {
    if (Rand(0, 1) == 1) TCloud::Create(200.0f, 150.0f, 0, 0);
    CloudGenTime = GameTime;
  }
  if (ClockLight) ClockLight->Update(dt);
  return 0;
}

int TInGameInterface::Draw(int layer) {
  using namespace platform;
  if (layer < -2 || layer > 3) return 0;
  ClipAbove(layer);  // this layer's own panel is drawn whole
  PushGraphicsState();
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  SetScale(1.0f, 1.0f);
  SetRotation(0.0f);
  const float sx = static_cast<float>(SwingX), sy = static_cast<float>(SwingY);
  switch (layer) {
    case -2:
      UnderBackdrop(Back, -5, -5, [&] {
        TileImage(Sky, 0, 0);
        TCloud::DrawClouds(0);
      });
      DrawImage(Back, -5, -5);
      break;
    case -1:
      DrawImage(RightPanelBack, static_cast<float>(RightPanelX + 40), static_cast<float>(RightPanelY));
      break;
    case 0:
      DrawImage(LeftPanel, static_cast<float>(LeftPanelX), static_cast<float>(LeftPanelY));
      DrawImage(LevelScore, static_cast<float>(LeftPanelX + 25), static_cast<float>(LeftPanelY + 91));
      break;
    case 1: {
      const int gearFrame = Gears ? Gears->Frame : 0;
      DrawFrame(Gears, static_cast<float>(GearsX + 1), static_cast<float>(GearsY), gearFrame);
      const int ropeFrame = Rope ? Rope->Frame : 0;
      Shadowed([&](float dx, float dy) { DrawFrame(Rope, sx + dx, sy + dy, ropeFrame); }, 5, 1);
      SetRotation(bw_angle);
      Shadowed([&](float dx, float dy) { DrawImage(BigWheel, sx + 49 + dx, sy + 140 + dy); }, 5, 5);
      SetRotation(0.0f);
      DrawImage(Body, sx - 3, sy + 125);
      SetRotation(w_angle);
      Shadowed([&](float dx, float dy) { DrawImage(Wheel, sx + 48 + dx, sy + 7 + dy); }, 4, 3);
      SetRotation(0.0f);
      break;
    }
    case 2:
      DrawImage(RightPanel, static_cast<float>(RightPanelX), static_cast<float>(RightPanelY));
      if (SwingTop) SwingTop->Draw();
      DrawImage(Platform, 0, 520);
      DrawImage(Pipe, 580, 0);
      DrawFrame(RightGears, static_cast<float>(RightGearsX), static_cast<float>(RightGearsY), Gears ? Gears->Frame : 0);
      if (GameState && GameState->GameMode == TGameState::RELAXED) {
        DrawImage(ClockCap, kClockX, kClockY);
      } else {
        if (ClockShadow) ClockShadow->Draw();
        if (ClockLight) ClockLight->Draw(0.45f);
        SetRotation(ClockShadow ? ClockShadow->angle : 0.0f);
        DrawImage(ClockArrow, kClockX, kClockY);
        SetRotation(0.0f);
        DrawImage(ClockPip, kClockX, kClockY);
      }
      if (HelpFont) SetBMFont(HelpFont);
      break;
    default:
      DrawImage(Holders, static_cast<float>(RightPanelX + 103), static_cast<float>(RightPanelY + 329));
      TPolyAnim::DrawAnim(2);
      DrawImage(Stone, 685, 553);
      TPolyAnim::DrawAnim(3);
      if (RedLine) RedLine->Draw();
      break;
  }
  PopGraphicsState();
  return 0;
}

}  // namespace kelp
