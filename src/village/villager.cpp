// Villagers: the lists, creation and lookup, and one frame of a villager.
#include "village/villager.h"

#include <algorithm>
#include <cmath>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/files/strings.h"
#include "framework/media/anim_image.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "village/info_scroll.h"
#include "village/nodes.h"
#include "village/path_search.h"
#include "village/story_links.h"
#include "village/snapshot.h"
#include "village/upgrade.h"
#include "village/village.h"
#include "village/villager_smoke.h"
#include "world/game_state.h"
#include "world/resource_bindings.h"

namespace kelp {

ObjectList<TVillageCreature> VillageCreatures;
ObjectList<TVillageCreature> InfectedCreatures;
Ref<TVillageCreature> DraggedCreature;
Ref<TVillageCreature> HoverCreature;
Ref<TVillageCreature> HuntedParazite;
int LastInfectionTime = 0;
uint8_t NeedAdded = 0;
int QuestClickCount = 0;
int CaptureDialogShown = 0;
int LastRefusalTime = 0;
int LastHuntTime = 0;
int NextCreatureID = 0;

namespace {

bool IdInUse(int id) {
  for (const Ref<TVillageCreature>& c : VillageCreatures)
    if (c->ID == id) return true;
  return false;
}

int Stage() { return GameState ? GameState->Stage : 0; }

}  // namespace

void TCreatureNeed::Init(int id_, int lifetime_) {
  id = static_cast<uint8_t>(id_);
  lifetime = lifetime_;
  status = WAITING;
  birthtime = GameTime;
}

const std::vector<int>& GatheringNodes(int village) {
  static const std::vector<int> desert = {20, 21, 22, 23, 24, 25, 33, 37, 38};
  static const std::vector<int> snow = {5, 30, 57, 58, 59, 60};
  static const std::vector<int> none;
  return village == 1 ? desert : village == 2 ? snow : none;
}

Ref<TAnimImage> CreatureAnimFor(int colour) {
  const char* id = nullptr;
  switch (colour) {
    case TVillageCreature::YELLOW: id = "IMAGE_VILLAGE_CREATURE_YELLOW"; break;
    case TVillageCreature::BLUE: id = "IMAGE_VILLAGE_CREATURE_BLUE"; break;
    case TVillageCreature::GREEN: id = "IMAGE_VILLAGE_CREATURE_GREEN"; break;
    case TVillageCreature::RED: id = "IMAGE_VILLAGE_CREATURE_RED"; break;
    case TVillageCreature::PURPLE: id = "IMAGE_VILLAGE_CREATURE_PURPLE"; break;
    case TVillageCreature::BROWN: id = "IMAGE_VILLAGE_CREATURE_BROWN"; break;
    case TVillageCreature::SKY: id = "IMAGE_VILLAGE_CREATURE_SKY"; break;
    case TVillageCreature::ORBUS: id = "IMAGE_VILLAGE_ORBUS"; break;
    case TVillageCreature::YETI: id = "IMAGE_VILLAGE_YETI"; break;
    case TVillageCreature::PARAZITE: id = "IMAGE_VILLAGE_PARAZITE"; break;
    case TVillageCreature::BROWNIE_FULL: id = "IMAGE_VILLAGE_BROWNIE_FULL"; break;
    case TVillageCreature::BROWNIE: id = "IMAGE_VILLAGE_BROWNIE"; break;
    case TVillageCreature::BROWNIE_GOOD: id = "IMAGE_VILLAGE_BROWNIE_GOOD"; break;
    case TVillageCreature::ELITE: id = "IMAGE_VILLAGE_ELITE"; break;
    default: return nullptr;  // the Nameless One has no body picture
  }
  return TAnimImage::Load2(id, -1);
}

// ------------------------------------------------------------------ lists

void TVillageCreature::Init() {}

void TVillageCreature::Clear() {
  CaptureDialogShown = 0;
  LastRefusalTime = 0;
  NeedAdded = 0;
  QuestClickCount = 0;
  NextCreatureID = 0;
  for (const Ref<TVillageCreature>& c : VillageCreatures) {
    if (c->scroll) c->scroll->state = 3;
    if (c->Parazite_effect) c->Parazite_effect->Kill();
    c->Parazite_effect = nullptr;
    if (c->click_effect) c->click_effect->GenerationStop = 1;
    c->click_effect = nullptr;
    c->Path = nullptr;
  }
  VillageCreatures.Clear();
  InfectedCreatures.Clear();
  DraggedCreature = nullptr;
  HoverCreature = nullptr;
  HuntedParazite = nullptr;
}

void TVillageCreature::Remove() {
  const Ref<TVillageCreature> self = Self();
  VillageCreatures.Remove(this);
  InfectedCreatures.Remove(this);
  if (DraggedCreature == self) DraggedCreature = nullptr;
  if (HoverCreature == self) HoverCreature = nullptr;
  if (HuntedParazite == self) HuntedParazite = nullptr;
}

Ref<TVillageCreature> TVillageCreature::Create(float x, float y, float speed, int colour) {
  auto c = New<TVillageCreature>();
  // Ids stay unique whatever the counter says (a restored save sets ids itself).
  do {
    ++NextCreatureID;
  } while (IdInUse(NextCreatureID) && NextCreatureID < 1000000);
  c->ID = NextCreatureID;
  c->creature_color = colour;
  c->CreatureAnim = CreatureAnimFor(colour);
  c->name = PhraseBank ? PhraseBank->GetName(colour) : std::string();
  c->x = x;
  c->y = y;
  c->Moving = 0;
  c->in_da_house = 0;
  c->speed = Rnd(speed - speed / 4, speed + speed / 4);
  c->def_jump_impulse = Rnd(-1.4f, -0.9f);
  c->def_g_force = 0.06f;
  c->avg_descision_time = Rand(2, 6) * 1000;
  c->descision_rand = 1000;
  c->Emotion_generate_time = Rand(9000, 12000);
  c->homeless_max = Rand(10000, 20000);
  for (int row = 0; row < 8; ++row) {
    c->all_needs[row][0] = static_cast<float>(row == HOME_NEED ? Rand(60, 70) : Rand(0, 100));
    c->all_needs[row][1] = row == SLEEP_NEED ? 0.01f : 0.004f;
  }
  c->AddNeed(EMPTY, 8000, 1);
  VillageCreatures.AddLast(c);
  return c;
}

Ref<TVillageCreature> TVillageCreature::CreateRandom(int colour, const std::string& name_) {
  std::vector<Ref<TNode>> walkable;
  for (const Ref<TNode>& n : Nodes)
    if (!n->Unwalkable) walkable.push_back(n);
  Ref<TNode> node;
  if (!walkable.empty())
    node = walkable[static_cast<size_t>(Rand(0, static_cast<int>(walkable.size()) - 1))];
  else
    node = Nodes.First();  // a graph with nothing open: any node, or none
  if (colour == 0) colour = Rand(1, Stage() > 25 ? 7 : Stage() > 8 ? 6 : 5);
  float x = 0.0f, y = 0.0f;
  if (node) {
    x = node->x;
    y = node->y;
  } else if (VillageScreen) {
    x = static_cast<float>(VillageScreen->Cave_x);
    y = static_cast<float>(VillageScreen->Cave_y);
  }
  const Ref<TVillageCreature> c = Create(x, y, 2.0f, colour);
  c->CurrentNode = node;
  c->homeless_time = GameTime;
  if (!name_.empty()) c->name = name_;
  return c;
}

Ref<TVillageCreature> TVillageCreature::SearchByID(int id) {
  for (const Ref<TVillageCreature>& c : VillageCreatures)
    if (c->ID == id) return c;
  return nullptr;
}

Ref<TVillageCreature> TVillageCreature::SearchByColor(int colour) {
  for (const Ref<TVillageCreature>& c : VillageCreatures)
    if (c->creature_color == colour) return c;
  return nullptr;
}

int TVillageCreature::ParaziteCount() {
  int n = 0;
  for (const Ref<TVillageCreature>& c : VillageCreatures)
    if (c->creature_color == PARAZITE) ++n;
  return n;
}

int TVillageCreature::SortCreatures(const TVillageCreature& a, const TVillageCreature& b) { return a.y > b.y ? 1 : 0; }

void TVillageCreature::RestoreIdCounter() {
  NextCreatureID = 0;
  for (const Ref<TVillageCreature>& c : VillageCreatures)
    if (c->ID < 1000) NextCreatureID = std::max(NextCreatureID, c->ID);
}

// ------------------------------------------------------------------ script control

void TVillageCreature::Hide(int delay) {
  if (delay == 0) {
    hided = 1;
  } else {
    hide_flag = 1;
    hide_time = GameTime + delay;
  }
}

void TVillageCreature::Unhide(int delay, int emo) {
  unhide_emo = emo;
  unhide_flag = 1;
  unhide_time = GameTime + delay;
}

void TVillageCreature::HighLight(int on) {
  HighLighted = on;
  HighLight_Img = on && ResManager ? ResManager->GetImage("IMAGE_GUI_HIGHLIGHT") : nullptr;
}

void TVillageCreature::SkipMove() {
  const std::vector<Ref<TVillageCreature>> all = Snapshot(VillageCreatures);
  for (const Ref<TVillageCreature>& c : all) {
    if (!c->ConstantMove[0]) continue;
    Ref<TNode> best;
    double best_d = 100000.0;
    for (const Ref<TNode>& n : Nodes) {
      const double d = std::hypot(n->x - c->ConstantMove[1], n->y - c->ConstantMove[2]);
      if (d < best_d) {
        best_d = d;
        best = n;
      }
    }
    c->CurrentNode = best;
    c->x = static_cast<float>(c->ConstantMove[1]);
    c->y = static_cast<float>(c->ConstantMove[2]);
    if (c->hided) c->Unhide(0, 1);
    c->MoveTo(c->ConstantMove[1], c->ConstantMove[2]);
  }
}

void TVillageCreature::SetEmotion(int e) {
  Emotion = e;
  Emotion_frame = 0;
  Emotion_alpha = Emotion_scale = 1.0f;
  Emotion_dy = 0.0f;
  if (PhraseBank) current_thought = PhraseBank->GetThought(creature_color == YETI ? 11 : e);
  Emotion_time = GameTime;
  Emotion_upd_time = GameTime;
}

// ------------------------------------------------------------------ the frame

void TVillageCreature::UpdateCreatures(float dt) {
  // A villager's update may remove villagers: walk a copy.
  const std::vector<Ref<TVillageCreature>> all = Snapshot(VillageCreatures);
  for (const Ref<TVillageCreature>& c : all) {
    if (!VillageCreatures.Contains(c.get())) continue;
    c->Update(dt);
    if (VillageScreen && !VillageScreen->UserInputEnable && c->scroll && c->scroll->state != 3) c->scroll->state = 3;
  }
}

void TVillageCreature::Update(float dt) {
  if (hide_flag && GameTime > hide_time) {
    hided = 1;
    hide_flag = 0;
  }
  if (unhide_flag && GameTime > unhide_time) {
    hided = 0;
    unhide_flag = 0;
    if (!settled) homeless_time = GameTime;
    AddNeed(EMPTY, 8000, 1);
    if (unhide_emo && creature_color != PARAZITE) SetEmotion(HAPPY);
  }
  if (hided) return;
  if (Stage() == 1 && ID == Ell_id && TargetNode && CurrentNode == TargetNode && VillageStory.CampFireState &&
      VillageStory.CampFireState() == 0 && VillageStory.SetCampFireState)
    VillageStory.SetCampFireState(1);
  UpdateParazite();
  UpdateInfo();
  AI(dt);
  if (Turning) {
    if (std::fabs(angle - TurnAngle) < angle_speed) {
      angle = TurnAngle;
      Turning = 0;
      OnStopTurning();
    } else {
      angle += angle < TurnAngle ? angle_speed : -angle_speed;
    }
  }
  if (CurrentVillage == TVillageMode::SNOW)
    scale = std::clamp(y / 600.0f, 0.6f, 0.7f);
  else
    scale = std::clamp(y / 600.0f, 0.7f, 1.0f);
  UpdateHop(dt);
  UpdateBubble(dt);
  if (Clicks > 0 && GameTime > LastClickTime + ClickTime) {
    --Clicks;
    LastClickTime = GameTime;
  }
}

void TVillageCreature::UpdateHop(float dt) {
  if (jump_state == 0) {
    jump_impulse = def_jump_impulse * scale;
    g_force = def_g_force * scale;
    jump_state = 1;
    jump_h = 0.0f;
    jump_scale = 0.82f * scale;
    if (CurrentVillage == TVillageMode::SNOW && VillageScreen && VillageScreen->DayTime == TVillageMode::DAY &&
        !in_da_house)
      VillageEmitter(x, y, EffectPath);
  } else if (jump_state == 1) {
    jump_h += jump_impulse;
    jump_impulse += g_force * dt;
    jump_scale = std::min(scale, jump_scale + 0.01f * scale * dt);
    // The hop ends on the step that would reach or cross the ground.
    if (jump_h + jump_impulse >= 0.0f) jump_state = 0;
  }
}

void TVillageCreature::UpdateBubble(float dt) {
  if (Emotion_frame < 5) {
    if (GameTime - Emotion_upd_time >= 100) {
      ++Emotion_frame;
      Emotion_upd_time = GameTime;
    }
  } else if (GameTime - Emotion_upd_time > 4000) {
    Emotion_alpha = std::max(0.0f, Emotion_alpha - 0.02f * dt);
    Emotion_scale = std::max(0.0f, Emotion_scale - 0.01f * dt);
    Emotion_dy += 0.2f * dt;
  }
}

void TVillageCreature::UpdateInfo() {
  const bool hovered = HoverCreature.get() == this;
  if (hovered && hover_time != 0 && GameTime > hover_time + info_time) show_info = 1;
  if (hovered && show_info && !scroll && creature_color != PARAZITE) {
    hover_time = 0;
    scroll = TCreatureScroll::Create(Self(), FontComic);
    scroll->state = 1;
    show_info = 0;
  }
  if (!hovered && scroll && scroll->state == 2) scroll->state = 3;
  if (scroll && scroll->Death) scroll = nullptr;
}

}  // namespace kelp
