#include "world/obstacle.h"

#include <vector>

#include "framework/core/debug_output.h"
#include "framework/core/file_numbers.h"
#include "framework/core/geometry.h"
#include "framework/core/numeric.h"
#include "framework/core/path.h"
#include "framework/files/pak.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/sound.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/effects/screen_shake.h"
#include "world/game_state.h"
#include "world/game_interface.h"
#include "world/player_state.h"
#include "world/floor.h"
#include "world/handle.h"
#include "world/resource_bindings.h"
#include "world/world.h"

namespace kelp {

ObjectList<TObstacle> Obstacles;
int ParaziteObstacleLeft = 0;

namespace {

void AddEmitter(const Ref<TEmitter>& e) {
  if (GameInterface && e) GameInterface->AddEmitter(e);
}

template <class T>
std::vector<Ref<T>> Snapshot(const ObjectList<T>& list) {
  std::vector<Ref<T>> out;
  out.reserve(list.Count());
  for (const auto& v : list) out.push_back(v);
  return out;
}

Ref<TObstacle> FindOrCreate(int id) {
  Ref<TObstacle> o = TObstacle::Search(id);
  return o ? o : TObstacle::Create(id);
}

}  // namespace

Ref<TObstacle> TObstacle::Search(int obstacleId) {
  for (const auto& o : Obstacles)
    if (o->id == obstacleId) return o;
  return nullptr;
}

Ref<TObstacle> TObstacle::Create(int obstacleId) {
  auto o = New<TObstacle>();
  o->id = obstacleId;
  o->hp = o->max_hp = 10;
  Obstacles.AddLast(o);
  return o;
}

void TObstacle::Clear() {
  Obstacles.Clear();
  ParaziteObstacleLeft = 0;
}

namespace {
constexpr int kMostHp = 100000;
}  // namespace

void TObstacle::Load() {
  // Obstacles of an earlier world would hold statics that world has dropped.
  Clear();
  if (World) {
    for (const auto& s : World->Physics->Statics) {
      if (s->obstacle <= 0) continue;
      Ref<TObstacle> o = FindOrCreate(s->obstacle);
      o->Statics.AddLast(s);
      if (s->hp != 0) {
        // Hit points come from the world file; three times the most still fits an int.
        int hp = s->hp;
        CheckInt(hp, 1, kMostHp, "TObstacle : Load", "hp of obstacle " + std::to_string(s->obstacle));
        o->hp = o->max_hp = hp;
      }
      if (s->Parazite) o->Parazite = 1;
    }
  }
  for (const auto& w : WorldImages)
    if (w->obstacle > 0) FindOrCreate(w->obstacle)->Image = w;
  for (const auto& o : Obstacles) {
    if (!o->Image || !o->Image->Image) continue;
    const std::string frames = WithNameSuffix(o->Image->path, "_anim");
    if (frames.empty()) continue;
    platform::StreamRef s = TPak::PakSmall(frames);
    if (!s) continue;
    o->Anim = platform::LoadAnimImage(*s, o->Image->Image->Width(), o->Image->Image->Height(), 0, o->Parazite ? 4 : 2);
    if (!o->Anim) DebugOutput("[TObstacle ERROR : Load] " + frames + " holds too few damage frames");
  }
  Update();
}

void TObstacle::Update() {
  ParaziteObstacleLeft = 0;
  for (const auto& o : Obstacles)
    if (o->Parazite) ParaziteObstacleLeft = 1;
}

// ------------------------------------------------------------------- hits

Ref<TEffect> TObstacle::BurstEffect() const {
  if (Parazite) return EffectBrick3;
  const int level = GameState ? GameState->Level : 0;
  if (level == 60) return id == 6 ? EffectBrick1 : EffectBrick2;
  if (level == 66) return EffectBrick1;
  return EffectBrick2;
}

void TObstacle::ShowDamage() {
  if (!Anim || !Image) return;
  const int threshold = Parazite ? (3 * max_hp) / 4 : (2 * max_hp) / 3;
  if (hp < threshold) Image->hided = 1;
}

void TObstacle::Hit(float x, float y, float r, float damage) {
  for (const auto& o : Snapshot(Obstacles)) {
    for (const auto& s : Snapshot(o->Statics)) {
      // A burst obstacle takes no more hits from the statics it had.
      if (o->removed_) break;
      if (!(x + r > s->minx && x - r < s->maxx && y + r > s->miny && y - r < s->maxy)) continue;
      o->hp = Int(static_cast<float>(o->hp) - damage);
      o->ShowDamage();
      TVector p1(s->x1, s->y1), p2(s->x2, s->y2);
      if (Ref<TVector> at = IntersectLineCircle(TVector(x, y), r, p1, p2))
        AddEmitter(TEmitter::Create(at->x, at->y, o->BurstEffect(), 1));
      if (o->hp <= 0) o->Remove();
    }
  }
}

Ref<TPhysEngine_Static> TObstacle::RayHit(float limit) {
  if (!PlayerState || !PlayerState->Handle || !PlayerState->Handle->Connector) return nullptr;
  const float cx = PlayerState->Handle->Connector->x;
  const TVector a1(cx, 0), a2(cx, 600);
  Ref<TPhysEngine_Static> best;
  for (const auto& o : Obstacles)
    for (const auto& s : o->Statics) {
      if (!IntersectSegments(a1, a2, TVector(s->x1, s->y1), TVector(s->x2, s->y2))) continue;
      const float mid = (s->y1 + s->y2) / 2;
      if (mid < limit) {
        best = s;
        limit = mid;
      }
    }
  return best;
}

// ---------------------------------------------------------------- methods

void TObstacle::AddStatic(int x1, int y1, int x2, int y2) {
  if (!World) return;
  Ref<TPhysEngine_Static> s =
      TPhysEngine_Static::Create(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                                 static_cast<float>(y2), 1, 1, 1, World->Physics.get());
  s->friction = 0.1f;
  Statics.AddLast(s);
}

void TObstacle::UpdateObstacle(float) {}

void TObstacle::Remove() {
  if (removed_) return;
  removed_ = true;
  TScreenShake::CreateScreenShake(4, 0.5f);
  PlaySoundEffect("SOUND_BRICK_EXPLOSION", 0, 0);
  const Ref<TEffect> effect = BurstEffect();
  for (const auto& s : Statics) {
    AddEmitter(TEmitter::Create((s->x1 + s->x2) / 2, (s->y1 + s->y2) / 2, effect, 1));
    AddEmitter(TEmitter::Create(s->x1, s->y1, effect, 1));
    AddEmitter(TEmitter::Create(s->x2, s->y2, effect, 1));
  }
  if (Image) Image->Del();
  Image = nullptr;
  for (const auto& s : Statics) s->Remove();
  Statics.Clear();
  Obstacles.Remove(this);
  Update();
}

// ---------------------------------------------------------------- drawing

void TObstacle::Draw(int layer) {
  Update();
  PushGraphicsState();
  for (const auto& o : Obstacles) o->DrawObstacle(layer);
  PopGraphicsState();
}

int TObstacle::DamageStage() const {
  if (Parazite) {
    const float h = static_cast<float>(hp), m = static_cast<float>(max_hp);
    if (h <= 0.2f * m) return 4;
    if (h <= 0.4f * m) return 3;
    if (h <= 0.6f * m) return 2;
    if (h <= 0.8f * m) return 1;
    return 0;
  }
  if (hp <= max_hp / 3) return 2;
  if (hp < 2 * max_hp / 3) return 1;
  return 0;
}

void TObstacle::DrawObstacle(int layer) {
  if ((Image && Image->layer != layer) || !Anim || !Image) return;
  const int k = DamageStage();
  if (k == 0) return;
  using namespace platform;
  SetAlpha(Image->alpha);
  SetScale(Image->scale, Image->scale);
  SetRotation(Image->angle);
  float x = 0, y = 0;
  Image->Position(x, y);
  DrawImage(Anim, x, y, k - 1);
}

}  // namespace kelp
