// Drawing of the boxes: shadows, the box images stretched over the body's
// corners, the armour glint, the motion trail and the bosses' health bars.
#include <array>
#include <span>

#include "framework/core/frame_clock.h"
#include "framework/media/anim_image.h"
#include "framework/media/rope.h"
#include "framework/media/textured_poly.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/light.h"
#include "world/block.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

platform::ImageRef ImageOf(const Ref<TAnimImage>& anim) { return anim ? anim->Image : nullptr; }

// The image and frame of a box, by its class.
struct Picture {
  platform::ImageRef image;
  int frame = 0;
};

Picture MainPicture(const TBlock& b) {
  const bool blink = b.Blink != 0;
  switch (b.class_) {
    case TBlock::RED:
    case TBlock::GREEN:
    case TBlock::BLUE:
    case TBlock::ORANGE:
    case TBlock::PURPLE:
    case TBlock::BROWN:
    case TBlock::SKY: {
      static const std::array<Ref<TAnimImage>*, 7> kImages = {&ImageBlockRed,    &ImageBlockGreen, &ImageBlockBlue,
                                                              &ImageBlockOrange, &ImageBlockPurple, &ImageBlockBrown,
                                                              &ImageBlockSky};
      const int frame = blink && b.State != TBlock::OUCH ? TBlock::EYES_BLINK : b.State;
      return {ImageOf(*kImages[b.class_ - 1]), frame};
    }
    case TBlock::GREY: return {blink ? ImageBlockGreyBlink : ImageBlockGrey, 0};
    case TBlock::BONUS:
      switch (b.bonus_class) {
        case TBlock::EXPLOSION: return {ImageOf(ImageBonusExplosion), 0};
        case TBlock::CHEST_01: return {ImageOf(ImageChest01), 0};
        case TBlock::CHEST_02: return {ImageOf(ImageChest02), 0};
        case TBlock::PARABOMB: return {ImageOf(ImageBonusParabomb), 0};
        case TBlock::ICE: return {ImageOf(ImageBlockIce), 0};
        case TBlock::TIME_FREEZE: return {ImageOf(ImageBonusFreeze), 0};
        case TBlock::RESIZE: return {ImageOf(ImageBonusResize), 0};
        case TBlock::RAY: return {ImageOf(ImageBonusRay), 0};
        default: return {};
      }
    case TBlock::BOSS:
      switch (b.boss_class) {
        case TBlock::PARAZ: return {blink ? ImageBlockBoss01Blink : ImageBlockBoss01, 0};
        case TBlock::YETI: return {blink ? ImageBlockBossYetiBlink : ImageBlockBossYeti, 0};
        case TBlock::EVIL_YETI: return {blink ? ImageBlockEvilYetiBlink : ImageBlockEvilYeti, 0};
        case TBlock::ELITE: return {blink ? ImageBlockBossEliteBlink : ImageBlockBossElite, 0};
        case TBlock::BROWNIE_FULL: return {blink ? ImageBlockBrownieFullBlink : ImageBlockBrownieFull, 0};
        case TBlock::BROWNIE: return {blink ? ImageBlockBrownieBlink : ImageBlockBrownie, 0};
        case TBlock::SMALL_ELITE: return {blink ? ImageBlockSmallEliteBlink : ImageBlockSmallElite, 0};
        default: return {};
      }
    default: return {};
  }
}

// The frame of a bonus box's image.
int BonusFrame(const TBlock& b) {
  switch (b.bonus_class) {
    case TBlock::CHEST_01: return b.armor == 0 ? 1 : 0;
    case TBlock::CHEST_02:
    case TBlock::ICE: return b.armor == 0 ? 2 : b.armor == 1 ? 1 : 0;
    default: return b.BonusAnimFrame;
  }
}

// How far the picture reaches beyond the body, by boss kind.
float Expansion(int boss_class) {
  switch (boss_class) {
    case TBlock::PARAZ: return 1.6f;
    case TBlock::YETI: return 2.0f;
    case TBlock::EVIL_YETI: return 2.3f;
    case TBlock::ELITE: return 1.7f;
    case TBlock::BROWNIE_FULL: return 1.7f;
    case TBlock::BROWNIE: return 1.6f;
    case TBlock::SMALL_ELITE: return 1.7f;
    default: return 1.5f;
  }
}

// Box quads in drawing order, those of one image and frame in a row drawn in
// one call: every box of a kind, and every shadow, is the same picture.
class QuadRun {
 public:
  void Add(const platform::ImageRef& image, int frame, std::span<const float> xyuv) {
    if (image != image_ || frame != frame_) Flush();
    image_ = image;
    frame_ = frame;
    batch_.Add(xyuv);
  }
  // Before the draw state changes or anything else is drawn.
  void Flush() {
    if (image_) batch_.Draw(image_, frame_);
    image_ = nullptr;
  }

 private:
  platform::ImageRef image_;
  int frame_ = 0;
  TTexturedBatch batch_;
};

QuadRun& Quads() {
  static QuadRun run;
  return run;
}

// The picture stretched over the box's corners, e times as far from the centre.
void DrawQuad(const TBlock& b, const platform::ImageRef& image, int frame, float e, float shiftX = 0.0f,
              float shiftY = 0.0f) {
  if (!image || !b.Center || !b.UpRight || !b.UpLeft || !b.DownLeft || !b.DownRight) return;
  const float cx = b.Center->x, cy = b.Center->y;
  auto at = [&](const TPhysEngine_Particle& p, float& x, float& y) {
    x = cx + e * (p.x - cx) + shiftX;
    y = cy + e * (p.y - cy) + shiftY;
  };
  float xyuv[16];
  at(*b.UpRight, xyuv[0], xyuv[1]);
  xyuv[2] = 1, xyuv[3] = 0;
  at(*b.UpLeft, xyuv[4], xyuv[5]);
  xyuv[6] = 0, xyuv[7] = 0;
  at(*b.DownLeft, xyuv[8], xyuv[9]);
  xyuv[10] = 0, xyuv[11] = 1;
  at(*b.DownRight, xyuv[12], xyuv[13]);
  xyuv[14] = 1, xyuv[15] = 1;
  Quads().Add(image, frame, xyuv);
}

void ResetDraw(float alpha) {
  platform::SetScale(1.0f, 1.0f);
  platform::SetRotation(0.0f);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetAlpha(alpha);
}

}  // namespace

void TBlock::DrawBlockLights() {
  ResetDraw(0.8f);
  for (const auto& b : BlockList) b->DrawLight();
  Quads().Flush();
}

void TBlock::DrawLight() {
  if (hided || Deleted()) return;
  DrawQuad(*this, ImageShadow, 0, 1.6f, 5.0f, 5.0f);
}

void TBlock::DrawBlocks() {
  ResetDraw(1.0f);
  for (const auto& b : BlockList) b->Draw();
  Quads().Flush();
  for (const auto& b : BlockList) b->DrawOver();
}

void TBlock::Draw() {
  if (hided || Deleted()) return;
  platform::ImageRef overlay;
  if (armor == 1) overlay = ImageOf(ImageBlockSteel);
  else if (armor == 2 || armor == 3) overlay = ImageOf(ImageBlockGold);
  const Picture main = MainPicture(*this);
  const float e = class_ == BOSS ? Expansion(boss_class) : 1.5f;

  Color = ClassColor();
  if (Light) Light->Color = Color;

  if (Blur && BlurAlpha > 0) {
    Quads().Flush();
    if (GameTime > Blurtime + 20) {
      Blurtime = GameTime;
      BlurAlpha -= 0.06f;
    }
    platform::SetRotation(Angle);
    platform::SetAlpha(BlurAlpha);
    platform::SetScale(0.85f, 0.85f);
    if (Center)
      DrawImageTriple(RenderX, RenderY, Center->x - Center->ox, Center->y - Center->oy, main.image, main.frame);
    platform::SetRotation(0.0f);
    platform::SetScale(1.0f, 1.0f);
    platform::SetAlpha(1.0f);
  }

  if (class_ == BONUS) {
    DrawQuad(*this, main.image, BonusFrame(*this), e);
    return;
  }
  DrawQuad(*this, main.image, main.frame, e);
  DrawQuad(*this, overlay, BoxBlinkFrame, e);
  if (EvilSmoke || FreezeEffect) {
    Quads().Flush();
    DrawParaziteEffects();
  }
}

void TBlock::DrawOver() {
  if (class_ != BOSS || hided || Deleted()) return;
  // A boss read without its kind has no armour to show.
  const float r = max_armor != 0 ? static_cast<float>(armor) / static_cast<float>(max_armor) : 0.0f;
  float x, y, w, h;
  switch (boss_class) {
    case YETI:
    case EVIL_YETI: x = RenderX - 45, y = RenderY - 50, w = 80, h = 6; break;
    case SMALL_ELITE: x = RenderX - 12, y = RenderY - 20, w = 30, h = 3; break;
    default: x = RenderX - 40, y = RenderY - 50, w = 80, h = 6; break;
  }
  ApplyColor(ColorDark);
  platform::SetAlpha(0.4f);
  platform::DrawRect(x + 2, y + 2, w, h);
  platform::SetColor(20, 20, 20);
  platform::SetAlpha(1.0f);
  platform::DrawRect(x, y, w, h);
  if (r > 0) {
    if (r > 0.6f) platform::SetColor(20, 150, 20);
    else if (r > 0.3f) platform::SetColor(222, 201, 24);
    else platform::SetColor(182, 19, 34);
    platform::DrawRect(x, y, r * w, h);
  }
  platform::SetColor(255, 255, 255);
}

}  // namespace kelp
