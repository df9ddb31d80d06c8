#include "world/effects/box_explosion.h"

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/block.h"
#include "world/resource_bindings.h"

namespace kelp {

platform::ImageRef ImageBoxPart[4], ImageBoxPartSteel[4], ImageBoxPartGold[4];

namespace {

const char* const kPlainIds[4] = {"IMAGE_BOXPART_UL", "IMAGE_BOXPART_UR", "IMAGE_BOXPART_DL", "IMAGE_BOXPART_DR"};
const char* const kSteelIds[4] = {"IMAGE_BOXPARTSTEEL_UL", "IMAGE_BOXPARTSTEEL_UR", "IMAGE_BOXPARTSTEEL_DL",
                                  "IMAGE_BOXPARTSTEEL_DR"};
const char* const kGoldIds[4] = {"IMAGE_BOXPARTGOLD_UL", "IMAGE_BOXPARTGOLD_UR", "IMAGE_BOXPARTGOLD_DL",
                                 "IMAGE_BOXPARTGOLD_DR"};

void Fetch(platform::ImageRef (&images)[4], const char* const (&ids)[4]) {
  for (int i = 0; i < 4; ++i)
    if (!images[i] && ResManager) images[i] = ResManager->GetImage(ids[i]);
}

// Stands in for a missing "EFFECT_BOX_EXPLODE": pieces that live no time.
const TEffect& PieceDescription() {
  if (EffectBoxExplode) return *EffectBoxExplode;
  static const Ref<TEffect> blank = New<TEffect>();
  return *blank;
}

}  // namespace

// ------------------------------------------------------------ TBoxExplode

void TBoxExplode::Init() {
  Fetch(ImageBoxPart, kPlainIds);
  Fetch(ImageBoxPartSteel, kSteelIds);
  Fetch(ImageBoxPartGold, kGoldIds);
}

Ref<TBoxExplode> TBoxExplode::Create(const Ref<TBlock>& block) {
  Init();
  auto fx = New<TBoxExplode>();
  fx->List = std::make_shared<ObjectList<TParticle>>();
  const TEffect& e = PieceDescription();
  const float cx = block && block->Center ? block->Center->x : (block ? block->RenderX : 0.0f);
  const float cy = block && block->Center ? block->Center->y : (block ? block->RenderY : 0.0f);
  const int armor = block ? block->armor : 0;
  const int n = Rand(2, 3);
  for (int i = 0; i <= n; ++i) {
    auto p = New<TParticle>();
    p->TimeStart = GameTime;
    p->x = cx + Rnd(e.PosX[0], e.PosX[1]);
    p->y = cy + Rnd(e.PosY[0], e.PosY[1]);
    p->ox = p->x;
    p->oy = p->y;
    p->angleSpeed = Rnd(e.Rotation[0], e.Rotation[1]);
    p->Speed = Rnd(e.Speed[0], e.Speed[1]);
    p->Dir = Rnd(e.Dir[0], e.Dir[1]);
    p->ScaleX = Rnd(e.ScaleX[0], e.ScaleX[1]);
    p->ScaleY = p->ScaleX;
    p->StartScale = Rnd(e.Scale[0], e.Scale[2]);
    p->EndScale = Rnd(e.Scale[1], e.Scale[3]);
    p->Lifetime = Int(Rnd(static_cast<float>(e.Lifetime[0]), static_cast<float>(e.Lifetime[1])));
    p->GravitationX = e.GravitationX;
    p->GravitationY = e.GravitationY;
    p->Color = e.Color;
    if (e.ShadowEnabled) {
      p->Shadow = 1;
      p->ShadowOffcet = Rand(Int(e.Shadow[0]), Int(e.Shadow[1]));
    }
    const int corner = Rand(0, 3);
    p->Image = armor == 1 ? ImageBoxPartSteel[corner] : armor == 2 ? ImageBoxPartGold[corner] : ImageBoxPart[corner];
    fx->List->AddLast(p);
  }
  VisualsList.AddLast(fx);
  return fx;
}

void TBoxExplode::Update(float dt) {
  if (!List) {
    Death = 1;
    return;
  }
  const bool slow = FPSCounter && FrameSync && FPSCounter->FPS < 0.7f * FrameSync->TargetFPS;
  for (const auto& p : *List) {
    if (slow) List->Remove(p);
    p->Update(dt);
    if (static_cast<double>(p->TimeStart) + p->Lifetime < GameTime) List->Remove(p);
  }
  if (List->IsEmpty()) {
    List = nullptr;
    Death = 1;
  }
}

void TBoxExplode::Draw() {
  if (!List) return;
  PushGraphicsState();
  for (const auto& p : *List) p->Draw(1.0f);
  PopGraphicsState();
}

// -------------------------------------------------------------- TCreature

Ref<TCreature> TCreature::Create(float x, float y, const Ref<TBlock>& block) {
  auto c = New<TCreature>();
  c->Init(x, y, block);
  VisualsList.AddLast(c);
  return c;
}

void TCreature::Init(float px, float py, const Ref<TBlock>& block) {
  x = px;
  y = py;
  scale = 0.3f;
  dx = Rand(0, 1) != 0 ? Rnd(4.5f, 5.5f) : Rnd(-5.5f, -4.5f);
  dy = Rnd(-4.8f, -4.3f);
  g = Rnd(0.22f, 0.27f);
  angle_speed = Rnd(-0.4f, 0.4f);

  const int cls = block ? block->class_ : 0;
  const bool right = dx > 0;
  switch (cls) {
    case TBlock::RED: image = right ? ImageCreature5 : ImageCreature5Back; break;
    case TBlock::GREEN: image = right ? ImageCreature4 : ImageCreature4Back; break;
    case TBlock::ORANGE: image = right ? ImageCreature3 : ImageCreature3Back; break;
    case TBlock::PURPLE: image = right ? ImageCreature2 : ImageCreature2Back; break;
    // These two look the other way in their pictures.
    case TBlock::BROWN: image = dx >= 0 ? ImageCreature7Back : ImageCreature7; break;
    case TBlock::SKY: image = dx >= 0 ? ImageCreature6Back : ImageCreature6; break;
    case TBlock::BOSS:
      image = nullptr;
      if (block->boss_class == TBlock::YETI) {
        image = ImageCreature8;
        dx = 5.0f;
        scale = 1.0f;
      }
      break;
    default: image = right ? ImageCreature : ImageCreatureBack; break;
  }
}

void TCreature::Update(float f) {
  angle += angle_speed * f;
  if (angle >= 360.0f) angle -= 360.0f;
  if (angle < 0.0f) angle += 360.0f;
  if (scale < 1.0f) scale += 0.002f * f;
  if (dx > 0) dx -= 0.03f * f;
  else dx += 0.03f * f;
  dy += g * f;
  x += dx;
  y += dy;
  if (y > 850.0f) Death = 1;
}

void TCreature::Draw() {
  if (!image) return;
  ApplyColor(ColorDark);
  platform::SetRotation(angle);
  platform::SetAlpha(0.3f);
  platform::SetScale(scale, scale);
  platform::DrawImage(image, x + 20.0f * scale, y + 20.0f * scale, 0);
  ApplyColor(ColorWhite);
  platform::SetAlpha(1.0f);
  platform::DrawImage(image, x, y, 0);
  platform::SetScale(1.0f, 1.0f);
  platform::SetRotation(0.0f);
}

// -------------------------------------------------------- TImageContainer

Ref<TImageContainer> TImageContainer::Create(const platform::ImageRef& image, int x, int y) {
  auto c = New<TImageContainer>();
  c->Image = image;
  c->x = x;
  c->y = y;
  return c;
}

void TImageContainer::Draw() {
  if (Image) platform::DrawImage(Image, static_cast<float>(x), static_cast<float>(y), 0);
}

}  // namespace kelp
