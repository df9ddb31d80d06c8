#include "world/trolley.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/core/color.h"
#include "framework/core/debug_output.h"
#include "framework/core/file_numbers.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numbers.h"
#include "framework/core/numeric.h"
#include "framework/files/language.h"
#include "framework/files/line_reader.h"
#include "framework/files/xml.h"
#include "framework/media/bmfont.h"
#include "framework/media/impulse.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/media/textured_poly.h"
#include "framework/media/visuals.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/effects/dust.h"
#include "world/effects/flying_text.h"
#include "world/level.h"
#include "world/light.h"
#include "world/effects/parasite_effects.h"
#include "world/game_state.h"
#include "world/player_state.h"
#include "world/block.h"
#include "world/resource_bindings.h"
#include "world/world.h"

namespace kelp {

ObjectList<TTrolley> Trolleys;
Ref<TTrolley> CurrentTrolley;
int TrolleyTimeOffset = 0;
int TrolleyCount = 0;
int TrolleyWarningShown = 0;

namespace {

// A box's centre at or below this height rides on a moving trolley.
constexpr float kCarriedFromY = 517;
constexpr float kArrivedAt = 405;
constexpr float kGoneAt = 800;
constexpr float kGoalFull = 309;

int TrolleyTime() { return GameTime - TrolleyTimeOffset; }

// The list as it stands: going and copying trolleys change it.
std::vector<Ref<TTrolley>> AllTrolleys() {
  std::vector<Ref<TTrolley>> out;
  for (const auto& t : Trolleys) out.push_back(t);
  return out;
}

bool LevelHeld() { return GameState && (GameState->Paused || GameState->Complete); }

bool GoalOpen() { return !LevelLinks.GoalPercent || LevelLinks.GoalPercent() < kGoalFull; }

TPhysEngine* Engine() { return World ? World->Physics.get() : nullptr; }

platform::ImageRef Picture(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

void DropBox(const Ref<TBlock>& box) {
  box->Del();
  if (box->Light) {
    box->Light->Remove();
    box->Light = nullptr;
  }
  BlockList.Remove(box);
}

bool IsConstraintIn(TPhysEngine& e, const Ref<TPhysEngine_Constraint>& c) {
  if (c->place.InList() && c->place.Value() == c) return true;
  return e.Constraints.Contains(c.get());
}

// Makes one trolley of the file; a time that is not positive keeps the
// default stay, so the clock never divides by zero.
// An hour: no round lasts longer.
constexpr int kMostStayTime = 3600000;

// A level has a handful of trolleys; each one is pictures, a clock and boxes.
constexpr int kMostTrolleys = 64;

bool TooMany(int made, const char* op) {
  if (made < kMostTrolleys) return false;
  DebugOutput(std::string("[TTrolley WARNING : ") + op + "] More than " + std::to_string(kMostTrolleys) +
              " trolleys; the rest of the file is left out");
  return true;
}

void MakeFromFile(int id, int time, bool relaxedDoubling) {
  Ref<TTrolley> t = TTrolley::Create("");
  if (id != t->ID)
    DebugOutput("[TTrolley WARNING : LoadTrolley] Trolley id " + std::to_string(id) + " taken as " +
                std::to_string(t->ID) + ", its place in the file");
  if (time <= 0) {
    DebugOutput("[TTrolley WARNING : LoadTrolley] Trolley " + std::to_string(t->ID) +
                " has no time; it stands for the default " + std::to_string(t->StayTime) + " ms");
    return;
  }
  CheckInt(time, 1, kMostStayTime, "TTrolley : LoadTrolley", "trolley " + std::to_string(t->ID) + " time");
  const bool relaxed = relaxedDoubling && GameState && GameState->GameMode == TGameState::RELAXED;
  t->StayTime = relaxed ? Int(static_cast<float>(time) * 2) : time;
}

}  // namespace

// --------------------------------------------------------------- sequence

Ref<TTrolley> TTrolley::Search(int id) {
  if (id <= 0) return nullptr;
  for (const auto& t : Trolleys)
    if (t->hided && t->ID == id) return t;
  return nullptr;
}

Ref<TTrolley> TTrolley::Create(const std::string&) {
  auto t = New<TTrolley>();
  t->ID = ++TrolleyCount;
  t->Load(-400, -20);
  t->Impulse = TImpulse::CreateImpulse(1.5f, 0.8f, 0.12f, 0);
  // The trolley steps its own wobble, so a clear of the effects list never
  // leaves it rocking on a frozen impulse.
  ReleaseFromVisuals(t->Impulse);
  t->Clock = Picture("IMAGE_TROLLEY_CLOCK");
  t->ClockShadow = TSectorImage::Create(Picture("IMAGE_TROLLEY_CLOCK_SHADOW"), CreateVector(216, 296));
  t->ClockShadow->SetDrawSector(0, 0);
  t->ClockPip = Picture("IMAGE_CLOCK_PIP");
  t->ClockArrow = Picture("IMAGE_CLOCK_ARROW");
  Trolleys.AddLast(t);
  return t;
}

Ref<TTrolley> TTrolley::Copy() {
  Ref<TTrolley> t = Create("");
  for (const auto& box : Blocks)
    if (!box->Deleted()) t->AddBlock(box->Copy());
  t->StayTime = StayTime;
  return t;
}

void TTrolley::UpdateTrolley(float f) {
  for (const auto& t : AllTrolleys()) t->Update(f);
}

void TTrolley::DrawTrolleyBack() {
  for (const auto& t : Trolleys) t->DrawBack();
}

void TTrolley::DrawTrolleyFront() {
  for (const auto& t : Trolleys) t->DrawFront();
}

int TTrolley::LoadTrolley(const platform::StreamRef& stream) {
  if (!stream) {
    DebugOutput("[TTrolley ERROR : LoadTrolley] Failed to load the specified path!");
    return 0;
  }
  if (GetLineTag(ReadTagLine(*stream)) != "trolleys") {
    DebugOutput("[TTrolley ERROR : LoadTrolley] The file does not begin with a trolleys tag!");
    return 0;
  }
  int made = 0;
  for (std::string line = ReadTagLine(*stream); GetLineTag(line) == "trolley"; line = ReadTagLine(*stream)) {
    if (TooMany(made++, "LoadTrolley")) break;
    MakeFromFile(ToInt(GetLineAttr(line, "id")), ToInt(GetLineAttr(line, "time")), true);
  }
  return 0;
}

int TTrolley::LoadTrolleyNew(const platform::StreamRef& stream) {
  if (!stream) {
    DebugOutput("[TTrolley ERROR : LoadTrolleyNew] Failed to load the specified path!");
    return 0;
  }
  Ref<sdXMLnode> root = ParseXMLFile(stream);
  if (!root || root->Tag != "trolleys") {
    DebugOutput("[TTrolley ERROR : LoadTrolleyNew] The file does not begin with a trolleys tag!");
    return 0;
  }
  int made = 0;
  for (sdXMLnode* n = root->firstchild; n; n = n->NextNode) {
    if (Lower(n->Tag) != "trolley") continue;
    if (TooMany(made++, "LoadTrolleyNew")) break;
    MakeFromFile(GetAttrInt(n, "id"), GetAttrInt(n, "time"), false);
  }
  return 0;
}

int TTrolley::TrolleyBlock(const TBlock* block) {
  for (const auto& t : Trolleys)
    if (t->Blocks.Contains(block)) return t->ID;
  return 0;
}

void TTrolley::Reset() {
  if (Trolleys.IsEmpty()) return;
  // Copying adds to the count, so it is read once.
  const int n = TrolleyCount;
  std::vector<Ref<TTrolley>> originals;
  for (int i = 1; i < n; ++i)
    if (Ref<TTrolley> t = Trolleys.ValueAt(static_cast<size_t>(i))) originals.push_back(t);
  for (const auto& t : originals) t->Copy();
  for (const auto& t : Trolleys) t->hide();
  Set(1);
}

void TTrolley::Set(int id) {
  Ref<TTrolley> t = Search(id);
  if (!t) return;
  t->unhide();
  CurrentTrolley = t;
  if (!t->Impulse) {
    t->Impulse = TImpulse::CreateImpulse(1.5f, 0.8f, 0.12f, 0);
    ReleaseFromVisuals(t->Impulse);
  }
}

void TTrolley::AddTrolleyBlock(int id, const Ref<TBlock>& block) {
  if (!block) return;
  for (const auto& t : Trolleys) {
    if (t->ID != id) continue;
    t->AddBlock(block);
    return;
  }
}

void TTrolley::Clear() {
  for (const auto& t : AllTrolleys()) {
    for (const auto& box : t->Blocks) DropBox(box);
    t->Blocks.Clear();
    t->del();
  }
  Trolleys.Clear();
  TrolleyCount = 0;
  CurrentTrolley = nullptr;
}

// ------------------------------------------------------------ one trolley

void TTrolley::Load(float ox, float oy) {
  Static.Clear();
  TrolleyFloor = nullptr;
  if (TPhysEngine* e = Engine()) {
    auto make = [&](float x1, float y1, float x2, float y2) {
      Ref<TPhysEngine_Static> s = TPhysEngine_Static::Create(x1, y1, x2, y2, 1, 1, 1, e);
      s->friction = 0.1f;
      Static.AddLast(s);
      return s;
    };
    auto whole = [](float v) { return static_cast<float>(Int(v)); };
    TrolleyFloor = make(215 + ox, 565 + oy, 537 + ox, 565 + oy);
    make(whole(192 + ox), whole(410 + oy), whole(215 + ox), whole(565 + oy));
    make(whole(560 + ox), whole(410 + oy), whole(537 + ox), whole(565 + oy));
  }
  StayTime = 10000;
  state = HIDDEN;
  dx = _dx = ox;
  dy = _dy = oy;
  velocity = CreateVector(1, 0);
  accel = CreateVector(0.1f, 0);
}

void TTrolley::Add(int x1, int y1, int x2, int y2) {
  TPhysEngine* e = Engine();
  if (!e) return;
  Ref<TPhysEngine_Static> s = TPhysEngine_Static::Create(static_cast<float>(x1), static_cast<float>(y1),
                                                         static_cast<float>(x2), static_cast<float>(y2), 1, 1, 1, e);
  s->friction = 0.1f;
  Static.AddLast(s);
}

void TTrolley::AddBlock(const Ref<TBlock>& block) {
  if (block) Blocks.AddLast(block);
}

void TTrolley::Move(float mx, float my) {
  x += mx;
  y += my;
  for (const auto& s : Static) s->Move(mx, my);
}

void TTrolley::hide() {
  for (const auto& s : Static) s->Remove();
  for (const auto& box : Blocks) {
    box->hided = 1;
    const Ref<TPhysEngine_Group>& g = box->Group;
    if (!g || !g->Physics) continue;
    TPhysEngine& e = *g->Physics;
    for (auto c = g->frstc; c; c = c->nxt) {
      if (c->place.InList() && c->place.Value() == c)
        c->place.Remove();
      else
        e.Constraints.Remove(c);
    }
    for (auto p = g->frstp; p; p = p->nxt) e.Particles.Remove(p);
    e.Groups.Remove(g);
  }
  hided = 1;
  state = HIDDEN;
}

void TTrolley::unhide() {
  if (TPhysEngine* e = Engine())
    for (const auto& s : Static)
      if (!e->Statics.Contains(s.get())) e->Statics.AddLast(s);
  for (const auto& box : Blocks) {
    box->hided = 0;
    const Ref<TPhysEngine_Group>& g = box->Group;
    if (!g || !g->Physics) continue;
    TPhysEngine& e = *g->Physics;
    for (auto c = g->frstc; c; c = c->nxt)
      if (!IsConstraintIn(e, c)) c->place = e.Constraints.AddLast(c);
    for (auto p = g->frstp; p; p = p->nxt)
      if (!e.Particles.Contains(p.get())) e.Particles.AddLast(p);
    if (!e.Groups.Contains(g.get())) e.Groups.AddLast(g);
  }
  hided = 0;
  state = ARRIVING;
}

void TTrolley::del() {
  velocity = nullptr;
  accel = nullptr;
  TrolleyFloor = nullptr;
  Blocks.Clear();
  for (const auto& s : Static) s->Remove();
  Trolleys.Remove(this);
  TrolleyCount = 0;
  for (const auto& t : Trolleys) t->ID = ++TrolleyCount;
  TrolleyWarningShown = 0;
  Clock = nullptr;
  ClockShadow = nullptr;
  ClockPip = nullptr;
  ClockArrow = nullptr;
  ClockLight = nullptr;
}

// ----------------------------------------------------------------- update

void TTrolley::Update(float f) {
  if (state == HIDDEN || !velocity || !accel) return;
  const int t = TrolleyTime();

  angle = std::fmod(angle + velocity->x * 2, 360.0f);
  if (angle < 0) angle += 360.0f;
  Move(velocity->x, velocity->y);
  velocity->x += accel->x * f;

  if (ClockLight) ClockLight->Update(f);

  if (velocity->x != 0 || velocity->y != 0)
    for (const auto& box : Blocks)
      if (box->Center && box->Center->y >= kCarriedFromY) box->Translate(velocity->x, velocity->y);

  if (dust && t >= static_cast<double>(dust_time) + 10 && TrolleyFloor) {
    const float x1 = TrolleyFloor->x1, y1 = TrolleyFloor->y1;
    SpawnDust(Int(x1 + 50), Int(y1 + 58), 0);
    SpawnDust(Int(x1 + 270), Int(y1 + 58), 0);
    dust_time = t;
  }

  switch (state) {
    case ARRIVING:
      dust = 1;
      if (x >= kArrivedAt) {
        InTime = t;
        state = STANDING;
        dust = 0;
        velocity->x = 0;
      }
      break;

    case STANDING: {
      if (!LevelHeld()) {
        // A stay that is not positive is over at once.
        const double stay = StayTime;
        const double part = stay > 0 ? 360.0 * (static_cast<double>(t) - InTime) / stay : 360.0;
        ClockAngle = static_cast<float>(std::clamp(part, 0.0, 360.0));
      }
      if (Impulse) Impulse->Update(f);
      if (Impulse && Impulse->Death) {
        velocity->x = 0;
        Impulse = nullptr;
      } else if (Impulse) {
        Impulse->started = 1;
        velocity->x = Impulse->impulse_strength;
      }
      accel->x = 0;
      if (LevelHeld()) break;

      const double end = static_cast<double>(InTime) + StayTime;
      if (GoalOpen() && t >= end - 5000 && !TrolleyWarningShown) {
        TrolleyWarningShown = 1;
        ClockLight = New<TLight>();
        ClockLight->Init2(0, 0, CreateColor(200, 30, 50), 1.6f, 1);
      }
      int n = 0;
      for (const auto& box : Blocks)
        if (!box->Deleted()) ++n;
      if (n == 1 && PlayerState && PlayerState->box) {
        for (const auto& box : Blocks)
          if (!box->Deleted() && box == PlayerState->box) n = 0;
      }
      if (GoalOpen() && (t >= end || n == 0)) {
        if (n > 0) TFlyingChar::CreateFlyingText(GameTexts[27], 280, 260, 1100, 0.02f, Font02, 0, 0, 0);
        Leave();
      }
      break;
    }

    case LEAVING:
      UpdateLeaving();
      if (x >= kGoneAt) state = GONE;
      break;

    case GONE:
      if (ID == TrolleyCount / 2) {
        del();
        // The line of waiting trolleys is refilled from what is left.
        const int n = TrolleyCount;
        std::vector<Ref<TTrolley>> originals;
        for (int i = 1; i < n; ++i)
          if (Ref<TTrolley> o = Trolleys.ValueAt(static_cast<size_t>(i))) originals.push_back(o);
        for (const auto& o : originals) o->Copy()->hide();
      } else {
        del();
      }
      break;

    default: break;
  }
}

void TTrolley::Leave() {
  dust = 1;
  velocity->x = 1;
  accel->x = 0.1f;
  state = LEAVING;
  PlaySoundEffect("SOUND_TROLLEY_OUT", 0, 0);
  Set(ID + 1);
}

void TTrolley::UpdateLeaving() {
  // A box goes off the field once; one already gone (a chain took it) is let
  // go. The carried-off boxes keep lowering the player's count every frame.
  for (auto it = Blocks.begin(); it != Blocks.end(); ++it) {
    const Ref<TBlock> box = *it;
    if (box->Deleted()) {
      it.link().Remove();
      continue;
    }
    if (box->EvilSmoke) box->EvilSmoke->Pause(1);
    if (box->FreezeEffect) box->FreezeEffect->Pause(1);
    // The centre as the physics left it, the same as the box's render
    // position of this frame.
    const float rx = box->Center ? box->Center->x : box->RenderX;
    const float ry = box->Center ? box->Center->y : box->RenderY;
    if (rx > 600 || ry > 650) {
      DropBox(box);
      it.link().Remove();
      ++carriedOff_;
    }
  }
  if (!PlayerState) return;
  for (int i = 0; i < carriedOff_; ++i)
    if (PlayerState->ReleasedCreatures > 0) PlayerState->ReleasedCreatures -= 0.05f;
}

// ---------------------------------------------------------------- drawing

void TTrolley::DrawBack() {
  if (!TrolleyFloor) return;
  platform::DrawImage(ImageTrolleyBack, TrolleyFloor->x1 - 34, TrolleyFloor->y1 - 150);
}

void TTrolley::DrawFront() {
  if (!TrolleyFloor) return;
  using namespace platform;
  const float x1 = TrolleyFloor->x1, y1 = TrolleyFloor->y1;
  DrawImage(ImageTrolleyFront, x1 - 34, y1 - 150);
  ApplyColor(ColorDark);
  SetAlpha(0.4f);
  SetRotation(angle);
  DrawImage(ImageTrolleyWheel, x1 + 53, y1 + 32);
  DrawImage(ImageTrolleyWheel, x1 + 273, y1 + 32);
  ApplyColor(ColorWhite);
  SetAlpha(1);
  DrawImage(ImageTrolleyWheel, x1 + 50, y1 + 30);
  DrawImage(ImageTrolleyWheel, x1 + 270, y1 + 30);
  SetRotation(0);
  DrawImage(Clock, x1 + 164, y1 + 21);
  float arrow = 0;
  if (ClockShadow) {
    ClockShadow->SetPos(CreateVector(x1 + 163, y1 + 22));
    ClockShadow->SetDrawSector(Int(ClockAngle), 0);
    ClockShadow->Draw();
    arrow = ClockShadow->angle;
  }
  if (ClockLight) {
    ClockLight->x = x1 + 163;
    ClockLight->y = y1 + 22;
    ClockLight->Draw(0.45f);
  }
  SetScale(0.8f, 0.8f);
  SetRotation(arrow);
  DrawImage(ClockArrow, x1 + 163, y1 + 22);
  SetRotation(0);
  DrawImage(ClockPip, x1 + 163, y1 + 22);
  SetScale(1, 1);
}

}  // namespace kelp
