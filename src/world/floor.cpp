#include "world/floor.h"

#include <vector>

#include "framework/core/color.h"
#include "framework/core/debug_output.h"
#include "framework/core/file_numbers.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numbers.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/files/line_reader.h"
#include "framework/files/pak.h"
#include "framework/files/xml.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/game_interface.h"
#include "world/game_state.h"
#include "world/resource_bindings.h"
#include "world/world.h"

namespace kelp {

namespace {

constexpr float kMostSpeed = 0.5f;

struct Element {
  float x1, y1, x2, y2;
};

// The floor of the elements' statics, or null when none of them is in the world.
Ref<TFloor> Build(float dy, bool relaxedDoubling, const std::vector<Element>& elements) {
  // The authored floors rise a hundredth of a pixel a frame; a file's NaN or
  // 3.4e38 would carry the floor and everything on it out of the float range.
  CheckFloat(dy, -kMostSpeed, kMostSpeed, 0.0f, "TFloor : Load", "the floor's speed dy");
  Ref<TFloor> floor = TFloor::Create(0, dy);
  if (relaxedDoubling && GameState && GameState->GameMode == TGameState::RELAXED) floor->dy = dy * 2;
  if (World) {
    for (const Element& e : elements) {
      for (const auto& s : World->Physics->Statics)
        if (s->x1 == e.x1 && s->y1 == e.y1 && s->x2 == e.x2 && s->y2 == e.y2) floor->Static.AddLast(s);
    }
  }
  if (floor->Static.IsEmpty()) {
    DebugOutput("[TFloor ERROR : Load] No element of the floor names a static of the world");
    return nullptr;
  }
  return floor;
}

}  // namespace

Ref<TFloor> TFloor::Create(float mx, float my) {
  auto f = New<TFloor>();
  f->SlowLifeTime = 1000;
  f->Init(mx, my);
  return f;
}

void TFloor::Init(float mx, float my) {
  dx = _dx = mx;
  dy = _dy = my;
  sound = 0;
  if (ResManager) {
    Image = ResManager->GetImage("IMAGE_FLOOR");
    Leg = ResManager->GetImage("IMAGE_FLOOR_LEG");
  }
}

void TFloor::Add(int x1, int y1, int x2, int y2) {
  if (!World) return;
  Ref<TPhysEngine_Static> s = TPhysEngine_Static::Create(static_cast<float>(x1), static_cast<float>(y1),
                                                         static_cast<float>(x2), static_cast<float>(y2), 1, 1, 1,
                                                         World->Physics.get());
  s->friction = 0.1f;
  Static.AddLast(s);
}

void TFloor::Move(float mx, float my) {
  x += mx;
  y += my;
  for (const auto& s : Static) s->Move(mx, my);
}

void TFloor::SlowDown(float sx, float sy) {
  Slow = 1;
  dx = sx;
  if (sy > dy) dy = sy;
  SlowStartTime = GameTime;
}

void TFloor::Update(float f) {
  if (GameState && GameState->Paused) return;
  if (!sound) {
    PlaySoundEffect("SOUND_FLOOR", 0, 0);
    sound = 1;
  }
  if (GameTime - DustTime >= 8 && dy < -0.04f && !Static.IsEmpty()) {
    DustTime = GameTime;
    if (RandScaled(1, 30, f) == 1 && GameInterface) {
      const Ref<TPhysEngine_Static> s = Static.First();
      GameInterface->AddEmitter(TEmitter::Create(s->x1 + 5, s->y1 + 5, EffectFloorDust, 0));
      GameInterface->AddEmitter(TEmitter::Create(s->x2 - 5, s->y2 + 5, EffectFloorDust, 0));
    }
  }
  if (Slow && GameTime - SlowStartTime >= SlowLifeTime) {
    Slow = 0;
    dy = _dy;
    dx = _dx;
    PlaySoundEffect("SOUND_FLOOR", 0, 0);
  }
  Move(dx * f, dy * f);
}

void TFloor::Draw() {
  if (Static.IsEmpty()) return;
  using namespace platform;
  PushGraphicsState();
  SetBlend(ALPHABLEND);
  SetAlpha(1.0f);
  SetScale(1.0f, 1.0f);
  ApplyColor(ColorWhite);
  const Ref<TPhysEngine_Static> s = Static.First();
  DrawImage(Leg, static_cast<float>(Int(s->x1 + 159)), s->y1 + 70);
  DrawImage(Image, static_cast<float>(Int(s->x1 - 43)), s->y1 - 3);
  PopGraphicsState();
}

void TFloor::Remove() {
  Static.Clear();
  sound = 0;
}

Ref<TFloor> TFloor::Load(const platform::StreamRef& stream) {
  if (!stream) return nullptr;
  const std::string head = ReadTagLine(*stream);
  if (GetLineTag(head) != "floor") return nullptr;
  std::vector<Element> elements;
  for (std::string line = ReadTagLine(*stream); GetLineTag(line) == "element"; line = ReadTagLine(*stream)) {
    // An element's friction and radius reach only the probe static of the
    // comparison, so they change nothing.
    elements.push_back({ToFloat(GetLineAttr(line, "x1")), ToFloat(GetLineAttr(line, "y1")),
                        ToFloat(GetLineAttr(line, "x2")), ToFloat(GetLineAttr(line, "y2"))});
  }
  return Build(ToFloat(GetLineAttr(head, "dy")), true, elements);
}

Ref<TFloor> TFloor::Load(const std::string& path) { return Load(OpenPakStream(path)); }

Ref<TFloor> TFloor::LoadNew(const platform::StreamRef& stream) {
  if (!stream) return nullptr;
  Ref<sdXMLnode> root = ParseXMLFile(stream);
  if (!root || Lower(root->Tag) != "floor") return nullptr;
  std::vector<Element> elements;
  for (sdXMLnode* e = root->firstchild; e; e = e->NextNode) {
    if (Lower(e->Tag) != "element") continue;
    elements.push_back({GetAttrFloat(e, "x1"), GetAttrFloat(e, "y1"), GetAttrFloat(e, "x2"), GetAttrFloat(e, "y2")});
  }
  return Build(GetAttrFloat(root.get(), "dy"), false, elements);
}

}  // namespace kelp
