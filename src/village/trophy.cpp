#include "village/trophy.h"

#include "framework/core/color.h"
#include "framework/core/numeric.h"
#include "framework/core/numbers.h"
#include "framework/files/language.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/ui/mouse.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

ObjectList<TTrophy> Trophies;
int TrophyCount = 0;
Ref<TTrophy> HoverTrophy, PrevHoverTrophy;

namespace {

struct Row {
  const char* name;
  const char* image;
  int text, x, y, enabled, hide;
};

constexpr Row kTable[] = {
    {"key", "TROPHY_KEY", 1, 122, 110, 1, 0},
    {"clover", "TROPHY_CLOVER", 4, 210, 170, 0, 0},
    {"message", "TROPHY_MESSAGE", 5, 100, 240, 0, 0},
    {"stone_01", "TROPHY_STONE_01", 6, 215, 275, 0, 0},
    {"stone_02", "TROPHY_STONE_02", 7, 215, 275, 0, 1},
    {"stone_03", "TROPHY_STONE_03", 8, 215, 275, 0, 1},
    {"zep_drawing", "TROPHY_ZEP_DRAWING", 9, 110, 370, 0, 0},
    {"engine_stone", "TROPHY_ENGINE_STONE", 10, 300, 340, 0, 0},
    {"retort", "TROPHY_RETORT", 11, 310, 210, 0, 0},
    {"ring", "TROPHY_RING", 12, 285, 100, 0, 0},
    {"ray", "TROPHY_RAY", 13, 200, 440, 0, 0},
    {"armor", "TROPHY_ARMOR", 14, 300, 440, 0, 0},
};

}  // namespace

void TTrophy::Clear() {
  TrophyCount = 0;
  Trophies.Clear();
  HoverTrophy = PrevHoverTrophy = nullptr;
}

void TTrophy::LoadTrophies() {
  Clear();
  for (const Row& r : kTable) Create(r.name);
}

void TTrophy::Create(const std::string& name) {
  Ref<TTrophy> t = New<TTrophy>();
  ++TrophyCount;
  t->id = 1 << TrophyCount;
  t->name = name;
  for (const Row& r : kTable) {
    if (name != r.name) continue;
    t->x = r.x;
    t->y = r.y;
    t->Image = ResManager ? ResManager->GetImage(r.image) : nullptr;
    t->Info = TrophyTexts[r.text];
    t->enabled = r.enabled;
    t->hide = r.hide;
  }
  Trophies.AddLast(t);
}

Ref<TTrophy> TTrophy::Get(const std::string& name) {
  const std::string want = Lower(name);
  for (const Ref<TTrophy>& t : Trophies)
    if (Lower(t->name) == want) return t;
  return nullptr;
}

int TTrophy::Enable(const std::string& name) {
  const Ref<TTrophy> t = Get(name);
  if (!t) return 0;
  t->enabled = 1;
  if (name == "stone_02") {
    t->hide = 0;
    if (const Ref<TTrophy> s = Get("stone_01")) s->hide = 1;
  } else if (name == "stone_03") {
    t->hide = 0;
    if (const Ref<TTrophy> s = Get("stone_02")) s->hide = 1;
  }
  return 1;
}

void TTrophy::LoadClear() {
  for (const Ref<TTrophy>& t : Trophies) {
    t->enabled = 0;
    t->hide = t->name == "stone_02" || t->name == "stone_03" ? 1 : 0;
  }
}

void TTrophy::Draw(float dx) {
  platform::ResetCollisions();
  PushGraphicsState();
  // Canvas coordinates: the layers are written where the picture shows on screen.
  platform::SetOrigin(static_cast<float>(CanvasOffsetX), 0.0f);
  for (const Ref<TTrophy>& t : Trophies) {
    if (t->hide || !t->Image) continue;
    const float x = static_cast<float>(t->x) + dx;
    const float y = static_cast<float>(t->y);
    platform::SetScale(0.7f, 0.7f);
    ApplyColor(ColorDark);
    platform::SetAlpha(0.2f);
    platform::DrawImage(t->Image, x + 2.0f, y + 2.0f);
    if (t->enabled) {
      platform::SetColor(255, 255, 255);
      platform::SetAlpha(1.0f);
    } else {
      platform::SetColor(0, 0, 0);
      platform::SetAlpha(0.4f);
    }
    const float s = t == HoverTrophy ? 0.75f : 0.7f;
    platform::SetScale(s, s);
    platform::DrawImage(t->Image, x, y);
    platform::SetScale(1.0f, 1.0f);
    platform::CollideImage(t->Image, static_cast<float>(Int(x + static_cast<float>(CanvasOffsetX))), y, 0, 1,
                           static_cast<uint32_t>(t->id), t.get());
  }
  PopGraphicsState();
}

void TTrophy::Update(float) {
  PrevHoverTrophy = HoverTrophy;
  HoverTrophy = nullptr;
  if (!Mouse) return;
  for (int bit = 1; bit <= TrophyCount; ++bit) {
    const std::vector<void*> hits = platform::CollideRect(static_cast<float>(Int(Mouse->x)),
                                                          static_cast<float>(Int(Mouse->y)), 1.0f, 1.0f,
                                                          1u << bit, 0, nullptr);
    for (void* h : hits) {
      bool found = false;
      for (const Ref<TTrophy>& t : Trophies)
        if (t.get() == h && t->enabled && !t->hide) {
          HoverTrophy = t;
          found = true;
          break;
        }
      if (found) break;
    }
  }
}

}  // namespace kelp
