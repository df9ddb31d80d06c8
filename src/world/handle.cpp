#include "world/handle.h"

#include <cmath>
#include <vector>

#include "framework/core/debug_output.h"
#include "framework/core/degrees.h"
#include "framework/core/geometry.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "framework/media/textured_poly.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/effects/electro.h"
#include "world/effects/flash.h"
#include "world/effects/ray.h"
#include "world/game_interface.h"
#include "world/block.h"
#include "world/resource_bindings.h"
#include "world/world.h"

namespace kelp {

namespace {

constexpr float kLinkBreak = 130.0f;  // a held box further from the claw than this is let go

void AddEmitter(const Ref<TEmitter>& e) {
  if (GameInterface && e) GameInterface->AddEmitter(e);
}

float Angle(const TPhysEngine_Particle& p1, const TPhysEngine_Particle& p2) {
  return static_cast<float>(degrees::ATan2(p2.y - p1.y, p2.x - p1.x));
}

Ref<TPhysEngine_Particle> Named(const Ref<TPhysEngine_Group>& g, const char* name, const char* file) {
  Ref<TPhysEngine_Particle> p = TPhysEngine_Particle::Find(g.get(), name);
  if (!p) DebugOutput(std::string("[THandle ERROR : Load] ") + file + " has no particle " + name);
  return p;
}

}  // namespace

Ref<THandle> THandle::Create(float x, float y) {
  auto h = New<THandle>();
  if (!h->Load()) return nullptr;
  h->Position(x, y);
  h->Color = ColorWhite;
  return h;
}

int THandle::Load() {
  TPhysEngine* engine = World ? World->Physics.get() : nullptr;
  if (!engine) return 0;
  auto fail = [this] {
    Remove();
    return 0;
  };

  Cable = engine->LoadGroup("data/world/cable.xml", "");
  if (!Cable) {
    DebugOutput("[THandle ERROR : Load] data/world/cable.xml could not be loaded");
    return fail();
  }
  LeftCablePart = Named(Cable, "particle", "data/world/cable.xml");
  RightCablePart = Named(Cable, "particle(11)", "data/world/cable.xml");
  if (!LeftCablePart || !RightCablePart) return fail();
  LeftCablePart->static_ = 1;
  RightCablePart->static_ = 1;
  Cable->Position(350, 15, 0);
  LeftCablePart->Position(200, 0);

  Group = engine->LoadGroup("data/world/handle.xml", "");
  if (!Group) {
    DebugOutput("[THandle ERROR : Load] data/world/handle.xml could not be loaded");
    return fail();
  }
  LeftClaw = Named(Group, "particle(2)", "data/world/handle.xml");
  RightClaw = Named(Group, "particle", "data/world/handle.xml");
  Connector = Named(Group, "particle(3)", "data/world/handle.xml");
  if (!LeftClaw || !RightClaw || !Connector) return fail();

  LeftElectro = TElectro::Create(Int(LeftClaw->x), Int(LeftClaw->y), Int(LeftClaw->x), Int(LeftClaw->y + 100), 4);
  RightElectro =
      TElectro::Create(Int(RightClaw->x), Int(RightClaw->y), Int(RightClaw->x), Int(RightClaw->y + 100), 4);
  Connector->static_ = 1;
  if (ResManager) CableTex = ResManager->GetImage("Image_Cable_Tex");
  return 1;
}

void THandle::Remove() {
  if (Group) Group->Remove();
  if (Cable) Cable->Remove();
  // Arcs of a claw that is gone must not go on being drawn.
  if (LeftElectro) ElectroList.Remove(LeftElectro);
  if (RightElectro) ElectroList.Remove(RightElectro);
  Connector = nullptr;
  LeftClaw = nullptr;
  RightClaw = nullptr;
  LeftCablePart = nullptr;
  RightCablePart = nullptr;
  LeftElectro = nullptr;
  RightElectro = nullptr;
}

void THandle::Position(float x, float y) {
  if (Group) Group->Position(x, y, 0);
  if (RightCablePart) RightCablePart->Position(x, y);
}

void THandle::Translate(float dx, float dy) {
  if (Group) Group->Translate(dx, dy);
  if (RightCablePart) RightCablePart->Translate(dx, dy);
}

void THandle::Geometry(float& a, float& mx, float& my) const {
  a = Angle(*LeftClaw, *RightClaw);
  mx = (LeftClaw->x + RightClaw->x) / 2;
  my = (LeftClaw->y + RightClaw->y) / 2;
}

void THandle::Move(float dx, float dy) {
  if (!Connector || !LeftClaw || !RightClaw) return;
  Connector->Move(dx, dy);
  if (RightCablePart) RightCablePart->Move(dx, dy);

  bool burst = Rand(1, 20) == 1 && std::fabs(dx) >= 5;
  if (!burst) burst = Rand(1, 9) == 1 && std::fabs(dx) >= 10;
  if (burst) {
    const float x = (LeftClaw->x + RightClaw->x) / 2;
    Ref<TEmitter> sparks = TEmitter::Create(x, 15, EffectSparking, 0);
    // The description is shared: later spark emitters keep this range until the next burst.
    if (sparks && sparks->Config) {
      sparks->Config->SpeedX[0] = -dx / 20;
      sparks->Config->SpeedX[1] = -dx / 10;
    }
    AddEmitter(sparks);
    TFlash::CreateFlash(Int(x), 15, 2, 0.25f, ColorCream, 3, 0);
  }
  if (Ray || !LeftElectro || !RightElectro) return;

  float a, mx, my;
  Geometry(a, mx, my);
  const float down = a + 90;
  const float rx = mx + 58 * float(degrees::Cos(down)) + 30 * float(degrees::Cos(a));
  const float ry = my + 58 * float(degrees::Sin(down)) + 30 * float(degrees::Sin(a)) - 20;
  const float lx = mx + 58 * float(degrees::Cos(down)) + 28 * float(degrees::Cos(a + 180));
  const float ly = my + 58 * float(degrees::Sin(down)) + 28 * float(degrees::Sin(a + 180)) - 20;

  const Ref<TBlock> box = ElectroBlock.lock();
  if (box && box->Center && box->UpLeft && box->UpRight) {
    const float d = Distance(box->Center->x, box->Center->y, mx, my);
    LeftElectro->Position(Int(lx), Int(ly), Int(box->UpLeft->x), Int(box->UpLeft->y + 10));
    RightElectro->Position(Int(rx), Int(ry), Int(box->UpRight->x), Int(box->UpRight->y + 10));
    LeftElectro->radius = RightElectro->radius = 7 * d / 130;
    if (Rand(1, 10) == 1) {
      TFlash::CreateFlash(Int(box->UpRight->x), Int(box->UpRight->y), 1, 0.2f, ColorWhite, 4, 0);
      TFlash::CreateFlash(Int(box->UpLeft->x), Int(box->UpLeft->y), 1, 0.2f, ColorWhite, 4, 0);
    }
    if (d > kLinkBreak) {
      TFlash::CreateFlash(Int(box->UpRight->x), Int(box->UpRight->y), 1.5f, 0.3f, ColorWhite, 2, 0);
      TFlash::CreateFlash(Int(box->UpLeft->x), Int(box->UpLeft->y), 1.5f, 0.3f, ColorWhite, 2, 0);
      AddEmitter(TEmitter::Create(box->UpRight->x, box->UpRight->y, EffectElectro, 0));
      AddEmitter(TEmitter::Create(box->UpLeft->x, box->UpLeft->y, EffectElectro, 0));
      ElectroBlock.reset();
    }
  } else {
    LeftElectro->Position(Int(lx), Int(ly), Int(mx + 10), Int(my + 40));
    RightElectro->Position(Int(rx), Int(ry), Int(mx - 10), Int(my + 40));
    LeftElectro->radius = RightElectro->radius = 4;
  }
}

void THandle::DrawCable() {
  if (!Cable || !Cable->frstc) return;
  using namespace platform;
  constexpr float w = 4;
  std::vector<float> shadow(8), strip(16);
  float s = 0;
  bool first = true;
  for (const TPhysEngine_Constraint* c = Cable->frstc.get(); c; c = c->nxt.get()) {
    if (!c->p1 || !c->p2) continue;
    const TPhysEngine_Constraint* next = c->nxt && c->nxt->p1 && c->nxt->p2 ? c->nxt.get() : c;
    const float own = Angle(*c->p1, *c->p2);
    if (first) s = own;
    first = false;
    // Averaged without wrap-around, as the rope strips are.
    const float e = (own + Angle(*next->p1, *next->p2)) / 2;
    const float ss = float(degrees::Sin(s)), cs = float(degrees::Cos(s));
    const float se = float(degrees::Sin(e)), ce = float(degrees::Cos(e));
    const TPhysEngine_Particle& p1 = *c->p1;
    const TPhysEngine_Particle& p2 = *c->p2;
    const float v0x = p1.x + w * ss, v0y = p1.y - w * cs;
    const float v1x = p2.x + w * se, v1y = p2.y - w * ce;
    const float v2x = p1.x - w * ss, v2y = p1.y + w * cs;
    const float v3x = p2.x - w * se, v3y = p2.y + w * ce;

    SetBlend(ALPHABLEND);
    SetAlpha(0.4f);
    SetColor(20, 20, 20);
    SetScale(1, 1);
    SetRotation(0);
    shadow = {v1x + 3, v1y + 3, v0x + 3, v0y + 3, v2x + 3, v2y + 3, v3x + 3, v3y + 3};
    DrawPoly(shadow);
    SetAlpha(1);
    SetColor(255, 255, 255);
    strip = {v1x, v1y, 1, 0, v0x, v0y, 0, 0, v2x, v2y, 0, 1, v3x, v3y, 1, 1};
    DrawTexturedPoly(CableTex, strip, 0, -1);
    s = e;
  }
}

void THandle::Draw() {
  if (!LeftClaw || !RightClaw) return;
  using namespace platform;
  float a, mx, my;
  Geometry(a, mx, my);
  ApplyColor(ColorWhite);
  if (!Ray) {
    SetRotation(a);
    DrawImage(ImageHover, mx, my - 50);
    ApplyColor(Color);
    SetAlpha(0.8f);
    DrawImage(ImageHoverLamp, mx, my - 50);
    ApplyColor(ColorWhite);
  } else if (Connector) {
    SetRotation(0);
    DrawImage(ImageHover, Connector->x, Connector->y - 15);
  }
  SetRotation(0);
  SetAlpha(1);
  if (Ray) Ray->Draw();
}

}  // namespace kelp
