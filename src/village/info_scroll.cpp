#include "village/info_scroll.h"

#include <cmath>

#include "framework/core/numeric.h"
#include "framework/files/language.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/ui/dialog.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "village/upgrade.h"
#include "village/village.h"
#include "village/villager.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

constexpr int kOrbusId = 4000;

platform::ImageRef Picture(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

float FontHeight(const Ref<TBMFont>& font) {
  return font ? static_cast<float>(font->StringHeight("A")) : 16.0f;
}

// Unrolls toward the target (state 1) or rolls up and dies (state 3).
template <class S>
void Roll(S& s, float dt) {
  if (s.state == 1) {
    if (std::fabs(s.target_length - s.length) <= s.speed) {
      s.target_length = s.length;
      s.state = 2;
    } else {
      s.length += (s.target_length > s.length ? 1.0f : -1.0f) * s.speed * dt;
    }
  } else if (s.state == 3) {
    if (s.length > 0.0f) s.length -= s.speed * dt;
    if (s.length <= 0.0f) s.Death = 1;
  }
}

// The paper and its ends; leaves the viewport clipped to the unrolled part.
template <class S>
void DrawPaper(const S& s, float extra) {
  const float sx = VillageScreen ? VillageScreen->Scroll_x : 0.0f;
  platform::SetOrigin(static_cast<float>(Int(sx)), 0.0f);
  platform::SetAlpha(1.0f);
  platform::SetScale(1.0f, 1.0f);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  if (s.top) platform::DrawImage(s.top, s.x, s.y);
  platform::SetColor(255, 232, 153);
  platform::DrawRect(s.x + 5, s.y + s.th, s.w - 11, s.length);
  platform::SetColor(255, 255, 255);
  if (s.bottom) platform::DrawImage(s.bottom, s.x, s.y + s.length + s.th);
  SetBMFont(s.Font);
  platform::SetViewport(Int(s.x + sx), Int(s.y + 10), Int(s.w), Int(s.length + s.th + extra));
}

void Portrait(const Ref<TVillageCreature>& c, float x, float y) {
  if (!c || !c->CreatureAnim || !c->CreatureAnim->Image) return;
  const platform::ImageRef& img = c->CreatureAnim->Image;
  platform::DrawImage(img, x, y, img->Frames() > 6 ? 6 : 0);
}

}  // namespace

// ------------------------------------------------------------------ building

Ref<TScroll> TScroll::Create(const Ref<TUpgrade>& upgrade) {
  auto s = New<TScroll>();
  s->top = Picture("IMAGE_GUI_SCROLL_TOP");
  s->bottom = Picture("IMAGE_GUI_SCROLL_BOTTOM");
  s->Font = FontComic;
  if (s->top) {
    s->w = static_cast<float>(s->top->Width());
    s->th = static_cast<float>(s->top->Height());
  }
  if (s->bottom) s->bh = static_cast<float>(s->bottom->Height());
  s->speed = 5.0f;
  s->Upgrade = upgrade;
  if (upgrade) {
    s->x = upgrade->cx + upgrade->x;
    s->y = upgrade->cy - 100 + upgrade->y;
    const float h = FontHeight(s->Font);
    const size_t n = upgrade->CreatureList.Count();
    s->target_length = n ? static_cast<float>(n) * h : h;
  }
  VisualsList.AddLast(s);
  return s;
}

float TScroll::WantedLength() const {
  const Ref<TUpgrade> u = Upgrade.lock();
  const float h = FontHeight(Font);
  if (!u) return h;
  const float living = static_cast<float>(u->LivingCreatureList.Count());
  const float inside = static_cast<float>(u->CreatureList.Count());
  float v = 0.0f;
  if (living > 0)
    v = living * h;
  else if (inside > 0)
    v = inside * h + h - (u->IsHut() ? 0.0f : h);
  if (u->class_ == "tower") {
    bool orbus = false;
    for (const Ref<TVillageCreature>& c : u->CreatureList)
      if (c->ID == kOrbusId) orbus = true;
    v = (inside + living - (orbus ? 1.0f : 0.0f)) * h + 8.0f;
  }
  return v == 0.0f ? h : v;
}

void TScroll::Update(float dt) {
  const float wanted = WantedLength();
  if (wanted != target_length) {
    target_length = wanted;
    if (state == 2) state = 1;
  }
  Roll(*this, dt);
}

void TScroll::Draw() {
  const Ref<TUpgrade> u = Upgrade.lock();
  PushGraphicsState();
  DrawPaper(*this, 0.0f);
  const auto row = [&](const Ref<TVillageCreature>& c, float r, bool silhouette) {
    PushGraphicsState();
    if (silhouette) {
      platform::SetColor(20, 20, 20);
      platform::SetAlpha(0.6f);
    }
    Portrait(c, x + 20, y + th + 10 + r);
    PopGraphicsState();
    platform::SetColor(20, 20, 20);
    DrawTextBox(Int(x + 45), Int(y + th + 2 + r), c->name, Int(w - 20), JUSTIFY_LEFT, 1);
  };
  const float h = FontHeight(Font);
  float r = 0.0f;
  const bool tower = u && u->class_ == "tower";
  if (u && !u->LivingCreatureList.IsEmpty()) {
    for (const Ref<TVillageCreature>& c : u->LivingCreatureList) {
      row(c, r, !u->CreatureList.Contains(c.get()));
      r += h;
    }
    if (tower)
      for (const Ref<TVillageCreature>& c : u->CreatureList) {
        if (c->ID == kOrbusId) continue;
        row(c, r, false);
        r += h;
      }
  } else if (u && u->IsHut() && !u->CreatureList.IsEmpty()) {
    for (const Ref<TVillageCreature>& c : u->CreatureList) {
      row(c, r, false);
      r += h;
    }
  } else {
    platform::SetColor(200, 20, 20);
    DrawTextBox(Int(x + 10), Int(y + 2 + th), GameTexts[54], Int(w - 20), JUSTIFY_LEFT, 1);
  }
  PopGraphicsState();
}

// ------------------------------------------------------------------ villager

Ref<TCreatureScroll> TCreatureScroll::Create(const Ref<TVillageCreature>& creature, const Ref<TBMFont>& font) {
  auto s = New<TCreatureScroll>();
  s->top = Picture("IMAGE_GUI_SCROLL_TOP");
  s->bottom = Picture("IMAGE_GUI_SCROLL_BOTTOM");
  s->Font = font;
  if (s->top) {
    s->w = static_cast<float>(s->top->Width());
    s->th = static_cast<float>(s->top->Height());
  }
  if (s->bottom) s->bh = static_cast<float>(s->bottom->Height());
  s->speed = 10.0f;
  s->Creature = creature;
  if (creature) {
    s->x = creature->x;
    s->y = creature->y - 100;
    PushGraphicsState();
    platform::SetScale(1.0f, 1.0f);
    SetBMFont(font);
    const int text = DrawTextBox(0, 0, creature->current_thought, Int(s->w - 25), JUSTIFY_LEFT, 0);
    PopGraphicsState();
    s->target_length = static_cast<float>(text + (font ? font->Height : 16));
  }
  VisualsList.AddLast(s);
  return s;
}

void TCreatureScroll::Update(float dt) { Roll(*this, dt); }

void TCreatureScroll::Draw() {
  const Ref<TVillageCreature> c = Creature.lock();
  PushGraphicsState();
  DrawPaper(*this, 5.0f);
  if (c) {
    platform::SetScale(0.9f, 0.9f);
    Portrait(c, static_cast<float>(Int(x) + 25), static_cast<float>(Int(y) + Int(th) + 10));
    platform::SetScale(1.0f, 1.0f);
    platform::SetColor(40, 20, 20);
    DrawTextBox(Int(x) + 45, Int(y) + Int(th), c->name, Int(w - 25), JUSTIFY_LEFT, 1);
    const int line = Font ? Font->Height : 16;
    DrawTextBox(Int(x) + 15, Int(y) + Int(th) + line + 5, c->current_thought, Int(w - 25), JUSTIFY_LEFT, 1);
  }
  PopGraphicsState();
}

}  // namespace kelp
