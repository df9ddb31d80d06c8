#include "world/effects/electro.h"

#include <algorithm>
#include <cmath>

#include "framework/core/color.h"
#include "framework/core/degrees.h"
#include "framework/core/frame_clock.h"
#include "framework/core/geometry.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/sound.h"
#include "physics/engine.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/effects/flash.h"
#include "world/light.h"
#include "world/game_interface.h"
#include "world/village_state.h"
#include "world/block.h"
#include "world/resource_bindings.h"

namespace kelp {

ObjectList<TElectro> ElectroList;
int BlockElectroSoundTime = 0;

Ref<TElectroVector> TElectroVector::Create(int px, int py, int isStatic) {
  auto v = New<TElectroVector>();
  v->x = px;
  v->y = py;
  v->static_ = isStatic;
  return v;
}

// ---------------------------------------------------------------------------
// TElectro

Ref<TElectro> TElectro::Create(float x1, float y1, float x2, float y2, int count) {
  // A count of 0 would divide by zero; such an arc is one straight segment.
  count = std::max(1, count);
  auto arc = New<TElectro>();
  const double angle = Int(degrees::ATan2(double(y2) - y1, double(x2) - x1));
  const double step = Int(Distance(x1, y1, x2, y2) / count);
  const double cx = degrees::Cos(angle), cy = degrees::Sin(angle);
  for (int i = 1; i <= count + 1; ++i) {
    arc->Vertices.AddLast(
        TElectroVector::Create(Int(x1 + cx * step * (i - 1)), Int(y1 + cy * step * (i - 1)), i == 1 ? 1 : 0));
  }
  arc->Vertices.AddLast(TElectroVector::Create(Int(x2), Int(y2), 1));
  ElectroList.AddLast(arc);
  return arc;
}

void TElectro::Position(float x1, float y1, float x2, float y2) {
  const int n = static_cast<int>(Vertices.Count());
  // An arc emptied by a clear has nothing to lay out.
  if (n == 0) return;
  const double angle = Int(degrees::ATan2(double(y2) - y1, double(x2) - x1));
  const double step = Int(Distance(x1, y1, x2, y2) / n);
  const double cx = degrees::Cos(angle), cy = degrees::Sin(angle);
  int k = 0;
  for (const Ref<TElectroVector>& v : Vertices) {
    v->x = Int(x1 + cx * step * k);
    v->y = Int(y1 + cy * step * k);
    ++k;
  }
}

void TElectro::Move(float dx, float dy) {
  for (const Ref<TElectroVector>& v : Vertices) {
    v->x = Int(v->x + dx);
    v->y = Int(v->y + dy);
  }
}

void TElectro::Jitter(float sparkShiftX) {
  for (const Ref<TElectroVector>& v : Vertices) {
    if (v->static_) continue;
    if (Rand(1, 3) == 1) {
      v->_x = Rand(Int(-radius), Int(radius));
      v->_y = Rand(Int(-radius), Int(radius));
    }
    if (Rand(1, 100) == 1)
      TFlash::CreateFlash(Int(v->x + v->_x - sparkShiftX), v->y + v->_y, 1.5f, 0.2f, ColorWhite, 3.0f, 0);
  }
}

void TElectro::Update() { Jitter(0.0f); }

void TElectro::PortalUpdate() { Jitter(VillageState ? VillageState->Scroll_x : 0.0f); }

void TElectro::DrawLines(const LineStyle (&lines)[3]) {
  platform::SetScale(1.0f, 1.0f);
  const TElectroVector* prev = nullptr;
  for (const Ref<TElectroVector>& v : Vertices) {
    if (prev) {
      const float x1 = float(prev->x + prev->_x), y1 = float(prev->y + prev->_y);
      const float x2 = float(v->x + v->_x), y2 = float(v->y + v->_y);
      for (const LineStyle& line : lines) {
        platform::SetColor(line.r, line.g, line.b);
        platform::SetAlpha(line.alpha);
        platform::SetLineWidth(line.width);
        platform::DrawLine(x1, y1, x2, y2);
      }
    }
    prev = v.get();
  }
}

void TElectro::Draw() {
  PushGraphicsState();
  if (ray) {
    Draw2();
  } else {
    DrawLines({{255, 255, 255, 0.9f, 1.0f * width},
               {200, 200, 255, 0.1f, 4.0f * width},
               {200, 200, 255, 0.2f, 6.0f * width}});
    platform::SetLineWidth(1.0f);
  }
  PopGraphicsState();
}

void TElectro::Draw2() {
  DrawLines({{220, 220, 250, 0.6f, 1.0f * width},
             {140, 140, 255, 0.1f, 3.0f * width},
             {140, 140, 255, 0.2f, 4.0f * width}});
}

void TElectro::EvilDraw() {
  platform::SetBlend(platform::LIGHTBLEND);
  DrawLines({{237, 22, 22, 0.9f, 1.0f * width},
             {245, 135, 135, 0.1f, 2.0f * width},
             {245, 135, 135, 0.2f, 4.0f * width}});
}

void TElectro::PortalDraw() {
  DrawLines({{120, 120, 255, 0.4f, 2.0f},
             {120, 120, 255, 0.2f, 2.0f * width},
             {120, 120, 255, 0.2f, 4.0f * width}});
}

void TElectro::UpdateElectro() {
  for (const Ref<TElectro>& arc : ElectroList)
    if (!arc->hided) arc->Update();
}

void TElectro::DrawElectro() {
  PushGraphicsState();
  platform::SetBlend(platform::LIGHTBLEND);
  for (const Ref<TElectro>& arc : ElectroList)
    if (!arc->hided) arc->Draw();
  PopGraphicsState();
}

void TElectro::Clear() {
  for (const Ref<TElectro>& arc : ElectroList) arc->Vertices.Clear();
  ElectroList.Clear();
}

// ---------------------------------------------------------------------------
// TBlockElectro

namespace {

bool CentreOf(const Ref<TBlock>& block, float& x, float& y) {
  if (!block || !block->Center) return false;
  x = block->Center->x;
  y = block->Center->y;
  return true;
}

void Sparks(const Ref<TBlock>& block, float speedMin, float speedMax) {
  float x = 0.0f, y = 0.0f;
  if (!CentreOf(block, x, y) || !EffectSparking) return;
  // Each burst gets its own copy of the description, so that the two bursts
  // of one link fly apart instead of both taking the last range set.
  auto effect = New<TEffect>(*EffectSparking);
  effect->SpeedX[0] = speedMin;
  effect->SpeedX[1] = speedMax;
  if (GameInterface) GameInterface->AddEmitter(TEmitter::Create(x, y, effect, 0));
}

void FlashAt(const Ref<TBlock>& block, float scale, float alpha, const Ref<TColor>& color, float speed) {
  float x = 0.0f, y = 0.0f;
  if (CentreOf(block, x, y)) TFlash::CreateFlash(Int(x), Int(y), scale, alpha, color, speed, 0);
}

}  // namespace

Ref<TBlockElectro> TBlockElectro::Create(const Ref<TBlock>& block1, const Ref<TBlock>& block2, int evil) {
  if (static_cast<long long>(BlockElectroSoundTime) + 80 < GameTime) {
    PlaySoundEffect("SOUND_BLOCK_ELECTRO", 0.0f, 1);
    BlockElectroSoundTime = GameTime;
  }
  auto link = New<TBlockElectro>();
  link->Block1 = block1;
  link->Block2 = block2;
  link->evil = evil;
  float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
  CentreOf(block1, x1, y1);
  CentreOf(block2, x2, y2);
  link->Electro = TElectro::Create(x1, y1, x2, y2, 4);
  link->Electro->width = 2.0f;
  link->Electro->hide();
  VisualsList.AddLast(link);
  return link;
}

void TBlockElectro::Destroy(const TBlock* block) {
  for (auto it = VisualsList.begin(); it != VisualsList.end(); ++it) {
    auto link = As<TBlockElectro>(*it);
    if (link && (link->Block1.get() == block || link->Block2.get() == block)) {
      link->DropArc();
      it.link().Remove();
    }
  }
}

void TBlockElectro::Remove() {
  DropArc();
  VisualsList.RemoveIf([this](const Ref<TVisuals>& v) { return v.get() == this; });
}

void TBlockElectro::DropArc() {
  // The arc is hidden and so never touched by the list passes; taking it out
  // keeps ElectroList from growing with every link of a long level.
  if (Electro) ElectroList.Remove(Electro);
  Electro = nullptr;
}

void TBlockElectro::Update(float) {
  if (!Block1 || !Block2 || !Block1->Light || !Block2->Light) {
    Death = 1;
    DropArc();
    Sparks(Block1, 0.5f, 1.0f);
    Sparks(Block2, -0.5f, -1.0f);
    FlashAt(Block1, 2.0f, 0.25f, ColorCream, 3.0f);
    FlashAt(Block2, 2.0f, 0.25f, ColorCream, 3.0f);
    return;
  }
  float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
  CentreOf(Block1, x1, y1);
  CentreOf(Block2, x2, y2);
  if (!Electro) return;
  Electro->radius = std::max(5.0f, Distance(x1, y1, x2, y2) * 7.0f / 130.0f);
  Electro->Position(x1, y1, x2, y2);
  Electro->Update();
  if (Rand(1, 10) == 1) {
    FlashAt(Block1, 1.0f, 0.2f, ColorWhite, 4.0f);
    FlashAt(Block2, 1.0f, 0.2f, ColorWhite, 4.0f);
  }
}

void TBlockElectro::Draw() {
  if (!Electro) return;
  platform::SetBlend(platform::LIGHTBLEND);
  if (evil)
    Electro->EvilDraw();
  else
    Electro->Draw();
}

}  // namespace kelp
