#include "frontend/menu_scene.h"

#include <cmath>

#include "framework/media/anim_image.h"
#include "framework/media/resources.h"
#include "framework/media/textured_poly.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

namespace {

bool FindCorners(const TPhysEngine_Group* group, Ref<TPhysEngine_Particle>& center, Ref<TPhysEngine_Particle>& ul,
                 Ref<TPhysEngine_Particle>& ur, Ref<TPhysEngine_Particle>& dl, Ref<TPhysEngine_Particle>& dr) {
  if (!group) return false;
  center = TPhysEngine_Particle::Find(group, "center");
  ul = TPhysEngine_Particle::Find(group, "particle(1)");
  ur = TPhysEngine_Particle::Find(group, "particle(2)");
  dl = TPhysEngine_Particle::Find(group, "particle(3)");
  dr = TPhysEngine_Particle::Find(group, "particle(4)");
  return center && ul && ur && dl && dr;
}

}  // namespace

bool TPhysButton::Load() { return FindCorners(Group.get(), Center, UpLeft, UpRight, DownLeft, DownRight); }

void TPhysButton::Update(float dt) {
  if (isOver || isDown) {
    OverAlpha = std::fmin(1.0f, OverAlpha + OverAlphaSpeed * dt);
  } else {
    OverAlpha = std::fmax(0.0f, OverAlpha - OverAlphaSpeed * dt);
  }
}

bool TPhysButton::Contains(int x, int y) const {
  if (!Group) return false;
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  for (const TPhysEngine_Particle* p = Group->frstp.get(); p; p = p->nxt.get())
    if (p->x - p->radius <= fx && fx <= p->x + p->radius && p->y - p->radius <= fy && fy <= p->y + p->radius)
      return true;
  return false;
}

void TPhysButton::Draw() const {
  if (!Anim || !Anim->Image || !Center) return;
  const int frame = isDown ? 2 : (wasOver || isOver) ? 1 : 0;
  const float cx = Center->x, cy = Center->y - 5.0f;
  auto v = [cx, cy](const TPhysEngine_Particle& p, float u, float w, float* out) {
    out[0] = cx + (p.x - cx) * 1.3f;
    out[1] = cy + (p.y - cy) * 1.3f;
    out[2] = u;
    out[3] = w;
  };
  float quad[16];
  v(*UpRight, 1.0f, 0.0f, quad);
  v(*UpLeft, 0.0f, 0.0f, quad + 4);
  v(*DownLeft, 0.0f, 1.0f, quad + 8);
  v(*DownRight, 1.0f, 1.0f, quad + 12);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  DrawTexturedPoly(Anim->Image, quad, 0, -1);
  if (OverAlpha > 0.0f && frame < Anim->Image->Frames()) {
    platform::SetAlpha(OverAlpha);
    DrawTexturedPoly(Anim->Image, quad, frame, -1);
    platform::SetAlpha(1.0f);
  }
}

bool TPhysLogo::Load() {
  Img = ResManager ? ResManager->GetImage("IMAGE_MAINMENU_LOGO") : nullptr;
  startX = 190;
  startY = -10;
  currentX = 190.0f;
  currentY = -10.0f;
  radius = 2.0f;
  speed = 1.5f;
  return FindCorners(Group.get(), Center, UpLeft, UpRight, DownLeft, DownRight);
}

void TPhysLogo::Update(float dt) {
  const double a = static_cast<double>(angle) * 3.14159265358979323846 / 180.0;
  currentX = static_cast<float>(startX + radius * std::sin(a));
  currentY = static_cast<float>(startY - radius * std::cos(a));
  angle += speed * dt;
  if (angle >= 360.0f) angle = 0.0f;
  if (angle < 0.0f) angle = 360.0f;
}

void TPhysLogo::Draw() const {
  platform::SetScale(1.0f, 1.0f);
  platform::DrawImage(Img, currentX + currentY, static_cast<float>(startY), 0);
}

}  // namespace kelp
