#include "world/world.h"

#include "framework/core/color.h"
#include "framework/core/debug_output.h"
#include "framework/core/path.h"
#include "framework/files/pak.h"
#include "framework/media/graphics_state.h"
#include "framework/media/poly_anim.h"
#include "framework/media/resources.h"
#include "physics/rope_draw.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/box_contacts.h"
#include "world/effects/chain_lights.h"
#include "world/level.h"
#include "world/player_state.h"
#include "world/brick.h"
#include "world/floor.h"
#include "world/handle.h"
#include "world/obstacle.h"
#include "world/pusher.h"
#include "world/resource_bindings.h"
#include "world/static_path.h"
#include "world/trolley.h"
#include "world/water.h"

namespace kelp {

Ref<TWorld> World;
ObjectList<TWorldImage> WorldImages;
int WorldImageCounter = 0;

namespace {

void InterfaceLayer(int layer) {
  if (LevelLinks.DrawInterface) LevelLinks.DrawInterface(layer);
}

}  // namespace

// ------------------------------------------------------------------- world

TWorld::TWorld() : Physics(New<TPhysEngine>()) { Physics->Contacts = &BoxContacts(); }

int TWorld::Load(const PhysicsSource& source) { return Loaded(Physics->LoadWorld(source)); }

int TWorld::LoadOld(const PhysicsSource& source) { return Loaded(Physics->LoadWorldOld(source)); }

int TWorld::Loaded(int result) {
  if (!result) return 0;
  CriticalLine = 200;
  TPusher::Create();
  if (PlayerState) {
    PlayerState->Load();
    if (!PlayerState->Handle) {
      DebugOutput("[TWorld ERROR : Load] The crane claw could not be made");
      return 0;
    }
  }
  TChainLights::CreateChain(715, 17, 715, 200, 10, 5);
  TChainLights::CreateChain(691, 218, 602, 235, 5, 10);
  return 1;
}

void TWorld::Update(float f) {
  if (LevelStaticPath) LevelStaticPath->Update(f);
  if (!Trolleys.IsEmpty()) TTrolley::UpdateTrolley(f);
  if (Water) Water->Update(f);
  if (MovingFloor) MovingFloor->Update(f);
  TPusher::UpdatePusher(f);
  Physics->Update(f);
  if (LevelLinks.UpdateThermometer) LevelLinks.UpdateThermometer(f);
}

void TWorld::Draw() {
  using namespace platform;
  SetBlend(ALPHABLEND);
  InterfaceLayer(-2);
  TWorldImage::Draw(0);
  TPolyAnim::DrawAnim(0);
  InterfaceLayer(-1);
  TPusher::DrawPusher();
  TBrick::DrawBricks();
  for (const auto& g : Physics->Groups)
    if (g->name == "rope") DrawRope(g, ImageRopeTex, nullptr);
  if (ImageRels) {
    ApplyColor(ColorDark);
    SetAlpha(0.5f);
    DrawImage(ImageRels, 122, 10);
    ApplyColor(ColorWhite);
    SetAlpha(1.0f);
    DrawImage(ImageRels, 120, 12);
  }
  if (!Trolleys.IsEmpty()) TTrolley::DrawTrolleyBack();
}

void TWorld::DrawOver() {
  using namespace platform;
  if (!Trolleys.IsEmpty()) TTrolley::DrawTrolleyFront();
  if (Water) Water->Draw();
  if (MovingFloor) MovingFloor->Draw();
  InterfaceLayer(0);
  if (Rope) DrawRope(Rope, ImageRopeTex, nullptr);
  SetBlend(ALPHABLEND);
  TWorldImage::Draw(1);
  InterfaceLayer(1);
  TWorldImage::Draw(2);
  InterfaceLayer(2);
  TWorldImage::Draw(3);
  if (LevelLinks.DrawThermometer) LevelLinks.DrawThermometer();
  InterfaceLayer(3);
  TWorldImage::Draw(4);
  if (PlayerState && PlayerState->Handle && PlayerState->Handle->Connector && ImageHoverup)
    DrawImage(ImageHoverup, PlayerState->Handle->Connector->x, PlayerState->Handle->Connector->y);
}

void TWorld::Clear() {
  Physics->ClearWorld();
  TPusher::DeletePusher();
  Rope = nullptr;
  Mill = nullptr;
  if (Water) {
    Water->Remove();
    Water = nullptr;
  }
  if (MovingFloor) {
    MovingFloor->Remove();
    MovingFloor = nullptr;
  }
  TTrolley::Clear();
}

// ------------------------------------------------------------ world images

namespace {

platform::ImageRef LoadWorldPicture(const std::string& path) {
  platform::ImageRef image;
  const std::string mask = WithNameSuffix(path, "_");
  if (!mask.empty() && OpenPakStream(mask)) {
    image = LoadMaskedImage(path, mask);
    // Masked pictures are made, not loaded, so they do not get the automatic
    // handle; every world picture is placed by its centre.
    if (image && platform::AutoMidHandle()) image->MidHandle();
  } else if (platform::StreamRef s = TPak::PakSmall(path)) {
    image = platform::LoadImage(*s);
  }
  return image;
}

// The height of the moving floor's first static, when there is a floor.
bool FloorHeight(float& y2) {
  if (!World || !World->MovingFloor || World->MovingFloor->Static.IsEmpty()) return false;
  y2 = World->MovingFloor->Static.First()->y2;
  return true;
}

// The centre of the statics on a path: the mean of their midpoints, as the
// path update computes it.
bool PlatformCentre(int path, float& cx, float& cy) {
  if (!World || !World->Physics || path == 0) return false;
  double sx = 0, sy = 0;
  int n = 0;
  for (const auto& s : World->Physics->Statics) {
    if (s->path != path) continue;
    sx += (s->x1 + s->x2) / 2;
    sy += (s->y1 + s->y2) / 2;
    ++n;
  }
  if (n == 0) return false;
  cx = static_cast<float>(sx / n);
  cy = static_cast<float>(sy / n);
  return true;
}

}  // namespace

void TWorldImage::Del() {
  Image = nullptr;
  if (!WorldImages.Remove(this)) return;
  WorldImageCounter = 0;
  for (const auto& w : WorldImages) w->ID = ++WorldImageCounter;
}

void TWorldImage::Clear() {
  for (const auto& w : WorldImages) w->Del();
  WorldImages.Clear();
  WorldImageCounter = 0;
}

Ref<TWorldImage> TWorldImage::Create(const std::string& path, float x, float y) {
  platform::ImageRef image = LoadWorldPicture(path);
  if (!image) {
    DebugOutput("[TWorldImage ERROR : Create] " + path + " not found");
    return nullptr;
  }
  auto w = New<TWorldImage>();
  w->name = FileName(path);
  w->ID = ++WorldImageCounter;
  w->path = path;
  w->Image = image;
  w->x = x;
  w->y = y;
  w->scale = 1.0f;
  w->alpha = 1.0f;
  WorldImages.AddLast(w);
  return w;
}

void TWorldImage::Init() {
  float floorY = 0;
  if (FloorHeight(floorY))
    for (const auto& w : WorldImages) w->floor_dy = floorY - w->y;
  for (const auto& w : WorldImages) {
    float cx = 0, cy = 0;
    if (!PlatformCentre(w->platform, cx, cy)) continue;
    w->platform_dx = w->x - cx;
    w->platform_dy = w->y - cy;
  }
}

void TWorldImage::Position(float& px, float& py) const {
  px = x;
  py = y;
  float floorY = 0, cx = 0, cy = 0;
  if (moving_floor && FloorHeight(floorY)) {
    py = floorY - floor_dy;
  } else if (PlatformCentre(platform, cx, cy)) {
    px = cx + platform_dx;
    py = cy + platform_dy;
  }
}

void TWorldImage::Draw(int layer) {
  using namespace platform;
  PushGraphicsState();
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  for (const auto& w : WorldImages) {
    if (w->layer != layer || w->hided || !w->Image) continue;
    SetAlpha(w->alpha);
    SetScale(w->scale, w->scale);
    SetRotation(w->angle);
    float x = 0, y = 0;
    w->Position(x, y);
    DrawImage(w->Image, x, y);
  }
  SetAlpha(1.0f);
  SetScale(1.0f, 1.0f);
  SetRotation(0.0f);
  TObstacle::Draw(layer);
  PopGraphicsState();
}

}  // namespace kelp
