// Villagers' needs: the levels that rise and fall, the need queue, the
// handlers that send a villager somewhere, and entering and leaving buildings.
#include <algorithm>
#include <cmath>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/particles.h"
#include "village/nodes.h"
#include "village/path_search.h"
#include "village/upgrade.h"
#include "village/village.h"
#include "village/villager.h"

namespace kelp {

namespace {

// The level row that completes a need, or -1.
int RowOf(int need) {
  switch (need) {
    case TVillageCreature::TREES: return TVillageCreature::ENTERTAIN_NEED;
    case TVillageCreature::HOME: return TVillageCreature::HOME_NEED;
    case TVillageCreature::SLEEP: return TVillageCreature::SLEEP_NEED;
    case TVillageCreature::TAVERN: return TVillageCreature::BEER_NEED;
    case TVillageCreature::SCHOOL: return TVillageCreature::SCHOOL_NEED;
    case TVillageCreature::MARKET: return TVillageCreature::MARKET_NEED;
    case TVillageCreature::TELESCOPE: return TVillageCreature::TELESCOPE_NEED;
    case TVillageCreature::MAGIC: return TVillageCreature::MAGIC_NEED;
    default: return -1;
  }
}

// The five public buildings: level row, building class, flag of the village.
struct PublicNeed {
  int row;
  const char* class_;
  int flag;
};
constexpr PublicNeed kPublic[] = {
    {TVillageCreature::BEER_NEED, "tavern", TVillageMode::TAVERN},
    {TVillageCreature::MARKET_NEED, "market", TVillageMode::MARKET},
    {TVillageCreature::SCHOOL_NEED, "school", TVillageMode::SCHOOL},
    {TVillageCreature::TELESCOPE_NEED, "telescope", TVillageMode::TELESCOPE},
    {TVillageCreature::MAGIC_NEED, "tower", TVillageMode::TOWER},
};

bool Has(int flag) { return VillageScreen && VillageScreen->Buildings[flag]; }
bool Night() { return VillageScreen && VillageScreen->DayTime == TVillageMode::NIGHT; }

Ref<TNode> RandomNode() {
  const size_t n = Nodes.Count();
  return n ? Nodes.ValueAt(static_cast<size_t>(Rand(0, static_cast<int>(n) - 1))) : nullptr;
}

}  // namespace

// ------------------------------------------------------------------ levels

void TVillageCreature::AI(float dt) {
  ProceedPath(dt);
  if (Brainless) return;
  const Ref<TUpgrade> inside = in_da_house ? House() : nullptr;
  if (in_da_house && !inside) in_da_house = 0;  // its building is gone
  if (creature_color == PARAZITE || creature_color == YETI) {
    for (auto& row : all_needs) row[0] = 0.0f;
  } else if (!inside) {
    for (const PublicNeed& p : kPublic)
      if (Has(p.flag)) all_needs[p.row][0] += all_needs[p.row][1] * dt;
    all_needs[HOME_NEED][0] += all_needs[HOME_NEED][1] * dt;
    all_needs[SLEEP_NEED][0] += (Night() ? 1.0f : -1.0f) * all_needs[SLEEP_NEED][1] * dt;
    if (const Ref<TCreatureNeed> first = needs.First())
      all_needs[ENTERTAIN_NEED][0] +=
          (first->id == TREES ? -4.0f : 1.0f) * all_needs[ENTERTAIN_NEED][1] * dt;
  } else {
    for (const PublicNeed& p : kPublic) {
      if (inside->class_ == p.class_)
        all_needs[p.row][0] -= 4.0f * all_needs[p.row][1] * dt;
      else if (Has(p.flag))
        all_needs[p.row][0] += all_needs[p.row][1] * dt;
    }
    if (inside->IsHut()) {
      all_needs[HOME_NEED][0] -= 2.0f * all_needs[HOME_NEED][1] * dt;
      all_needs[SLEEP_NEED][0] -= 2.0f * all_needs[SLEEP_NEED][1] * dt;
    }
    all_needs[ENTERTAIN_NEED][0] += all_needs[ENTERTAIN_NEED][1] * dt;
  }
  if (home_impossible && GameTime - home_impossible > 15000) home_impossible = 0;
  for (auto& row : all_needs) row[0] = std::clamp(row[0], 0.0f, 100.0f);
  ProceedNeeds(dt);
}

// ------------------------------------------------------------------ the queue

Ref<TCreatureNeed> TVillageCreature::AddNeed(int id, int lifetime, int mode) {
  const Ref<TCreatureNeed> first = needs.First(), last = needs.Last();
  if ((first && first->id == id) || (last && last->id == id) || needs.Count() > 3) return nullptr;
  auto need = New<TCreatureNeed>();
  need->Init(id, lifetime);
  if (mode == 1) {
    needs.AddFirst(need);
  } else if (mode == 2 && first) {
    auto it = needs.begin();
    ++it;
    if (it == needs.end())
      needs.AddLast(need);
    else
      needs.InsertBefore(it.link(), need);
  } else if (mode == 2) {
    needs.AddFirst(need);
  } else {
    needs.AddLast(need);
  }
  switch (id) {
    case QUEST:
      SetEmotion(QUEST);
      NeedAdded = 1;
      break;
    case HOME: case SLEEP: case MARKET: case SCHOOL: case MAGIC: case TELESCOPE: case TREES: case HAPPY:
    case UNHAPPY:
      SetEmotion(id);
      break;
    default:
      break;
  }
  need->status = TCreatureNeed::WAITING;
  return need;
}

void TVillageCreature::ProceedNeeds(float) {
  if (HoverCreature.get() == this) return;
  if (needs.IsEmpty()) {
    if (all_needs[HOME_NEED][0] > 70 && home_impossible == 0) AddNeed(HOME, 6000, 1);
    if (Home()) {
      static const int kKinds[] = {TAVERN, MARKET, SCHOOL, TELESCOPE, MAGIC};
      for (size_t i = 0; i < std::size(kPublic); ++i)
        if (Has(kPublic[i].flag) && all_needs[kPublic[i].row][0] > 70) AddNeed(kKinds[i], 6000, 1);
    }
    if (all_needs[SLEEP_NEED][0] > 70) AddNeed(SLEEP, 6000, 1);
    if (all_needs[ENTERTAIN_NEED][0] > 70) AddNeed(TREES, 6000, 1);
    if (needs.IsEmpty()) AddNeed(EMPTY, 6000, 1);
  }
  const Ref<TCreatureNeed> need = needs.First();
  if (!need) return;
  const int row = RowOf(need->id);
  if (row >= 0) {
    if (all_needs[row][0] <= 10) need->status = TCreatureNeed::DONE;
  } else if (need->id == QUEST) {
    NeedAdded = 1;
    if (GameTime - Emotion_time > 4000) SetEmotion(QUEST);
  } else if (GameTime > need->birthtime + need->lifetime) {
    needs.Remove(need);
    return;
  }
  if (GameTime <= last_descision_time + descision_time) return;
  if (GameTime > Emotion_time + Emotion_generate_time) SetEmotion(need->id);
  switch (need->status) {
    case TCreatureNeed::WAITING:
      switch (need->id) {
        case TAVERN: BuildingProceed(need, "tavern"); break;
        case SCHOOL: BuildingProceed(need, "school"); break;
        case MARKET: BuildingProceed(need, "market"); break;
        case MAGIC: BuildingProceed(need, "tower"); break;
        case TELESCOPE: BuildingProceed(need, "telescope"); break;
        case EMPTY: EmptyProceed(need); break;
        case HOME: case SLEEP: HomeProceed(need); break;
        case TREES: TreesProceed(need); break;
        case HAPPY: HappyProceed(need); break;
        case UNHAPPY: UnhappyProceed(need); break;
        default: break;
      }
      break;
    case TCreatureNeed::PROCEEDING:
      // A walk that never started (no path, no door) would hold the need
      // forever: once its lifetime is over it fails.
      if (!Moving && !in_da_house && GameTime > need->birthtime + need->lifetime) need->status = TCreatureNeed::FAILURE;
      break;
    case TCreatureNeed::FAILURE:
      if (GameTime > need->birthtime + need->lifetime) {
        needs.Remove(need);
        AddNeed(UNHAPPY, 4000, 1);
      } else {
        need->status = TCreatureNeed::WAITING;
        SetEmotion(need->id);
      }
      break;
    case TCreatureNeed::IMPOSSIBLE:
      needs.Remove(need);
      AddNeed(UNHAPPY, 4000, 1);
      if (row >= 0) all_needs[row][0] = static_cast<float>(Rand(45, 55));
      break;
    case TCreatureNeed::DONE:
      needs.Remove(need);
      if (in_da_house) OuttaHouse();
      if (need->id != EMPTY) AddNeed(HAPPY, 4000, 1);
      break;
    default:
      break;
  }
}

void TVillageCreature::NewDecisionInterval() {
  last_descision_time = GameTime;
  descision_time = creature_color == PARAZITE || creature_color == YETI
                       ? 500
                       : Rand(avg_descision_time - descision_rand, avg_descision_time + descision_rand);
}

Ref<TNode> TVillageCreature::RandomWalkableNode(bool avoidDoors) const {
  for (int i = 0; i < MaxNodeDraws; ++i) {
    const Ref<TNode> n = RandomNode();
    if (!n) return nullptr;
    if (n->Unwalkable || n == CurrentNode) continue;
    if (avoidDoors && n->ParentUpgrade.find("_door") != std::string::npos) continue;
    return n;
  }
  return nullptr;
}

Ref<TNode> TVillageCreature::RandomGatheringNode() const {
  const std::vector<int>& ids = GatheringNodes(CurrentVillage);
  if (ids.empty()) {
    for (int i = 0; i < MaxNodeDraws; ++i) {
      const Ref<TNode> n = RandomNode();
      if (!n) return nullptr;
      if (n != CurrentNode) return n;
    }
    return nullptr;
  }
  // A uniform pick among the gathering nodes the graph has; none when it has none.
  std::vector<Ref<TNode>> present;
  for (const Ref<TNode>& n : Nodes)
    if (std::find(ids.begin(), ids.end(), n->ID) != ids.end()) present.push_back(n);
  if (present.empty()) return nullptr;
  return present[static_cast<size_t>(Rand(0, static_cast<int>(present.size()) - 1))];
}

void TVillageCreature::WalkTo(const Ref<TNode>& node) {
  FindPath(CurrentNode, node);
  NextStep();
}

// ------------------------------------------------------------------ handlers

void TVillageCreature::HomeProceed(const Ref<TCreatureNeed>& need) {
  Ref<TUpgrade> home = Home();
  if (settled && !home) settled = 0;  // the home is gone
  if (home) {
    need->target = home;
    const Ref<TNode> door = TUpgrade::FindDoorNode(home);
    if (door && CurrentNode == door)
      IntoHouse(home);
    else
      WalkTo(door);
    NewDecisionInterval();
    need->status = TCreatureNeed::PROCEEDING;
    return;
  }
  if (GameTime > homeless_time + homeless_max) {
    Ref<TUpgrade> best;
    Ref<TNode> best_door;
    double best_d = 1000000.0;
    for (const Ref<TUpgrade>& u : Upgrades) {
      if (u->Hide || !u->IsHut() || static_cast<int>(u->LivingCreatureList.Count()) >= u->capacity) continue;
      const Ref<TNode> door = TUpgrade::FindDoorNode(u);
      if (!door) continue;
      const double d = std::hypot(u->x + u->cx - x, u->y + u->cy - y);
      if (d <= best_d) {
        best_d = d;
        best = u;
        best_door = door;
      }
    }
    if (best) {
      need->target = best;
      if (CurrentNode == best_door)
        IntoHouse(best);
      else
        WalkTo(best_door);
      NewDecisionInterval();
      need->status = TCreatureNeed::PROCEEDING;
    } else {
      need->status = TCreatureNeed::IMPOSSIBLE;
      home_impossible = GameTime;
      need->target.reset();
    }
    return;
  }
  NewDecisionInterval();
  WalkTo(RandomGatheringNode());
  need->status = TCreatureNeed::IMPOSSIBLE;
  home_impossible = GameTime;
  need->target.reset();
}

void TVillageCreature::BuildingProceed(const Ref<TCreatureNeed>& need, const std::string& class_) {
  Ref<TUpgrade> building;
  for (const Ref<TUpgrade>& u : Upgrades)
    if (!u->Hide && u->class_ == class_) building = u;
  if (!building) {
    need->status = TCreatureNeed::IMPOSSIBLE;
    home_impossible = GameTime;
    return;
  }
  const Ref<TNode> door = TUpgrade::FindDoorNode(building);
  if (door && CurrentNode == door)
    IntoHouse(building);
  else
    WalkTo(door);
  NewDecisionInterval();
  need->status = TCreatureNeed::PROCEEDING;
}

void TVillageCreature::EmptyProceed(const Ref<TCreatureNeed>&) {
  if (in_da_house) OuttaHouse();
  const bool hunter = creature_color == YETI && VillageScreen && VillageScreen->ParaziteMode;
  if (hunter && !HuntedParazite && GameTime - LastHuntTime > 4000) StopMoving();
  if (Moving) return;
  Ref<TNode> dest;
  if (!Home() || creature_color == PARAZITE || creature_color == YETI)
    dest = RandomWalkableNode(false);
  else
    dest = RandomGatheringNode();
  if (hunter && !HuntedParazite && GameTime - LastHuntTime > 4000) {
    Ref<TVillageCreature> prey;
    double best = 1e18;
    for (const Ref<TVillageCreature>& c : VillageCreatures) {
      if (c->creature_color != PARAZITE) continue;
      const double d = std::hypot(c->x - x, c->y - y);
      if (d < best) {
        best = d;
        prey = c;
      }
    }
    if (prey) {
      LastHuntTime = GameTime;
      OnStopCode = 9;
      prey->StopMoving();
      HuntedParazite = prey;
      dest = TNode::Find(static_cast<int>(prey->x), static_cast<int>(prey->y));
    }
  }
  if (!dest) return;
  NewDecisionInterval();
  if (HuntedParazite.get() == this) return;
  if (creature_color == YETI && HuntedParazite && CurrentNode == dest) {
    StopMoving();
    return;
  }
  WalkTo(dest);
}

void TVillageCreature::TreesProceed(const Ref<TCreatureNeed>&) {
  if (in_da_house) OuttaHouse();
  if (Moving) return;
  const Ref<TNode> dest = RandomWalkableNode(true);
  if (!dest) return;
  NewDecisionInterval();
  WalkTo(dest);
}

void TVillageCreature::HappyProceed(const Ref<TCreatureNeed>& need) {
  need->status = TCreatureNeed::DONE;
  AddNeed(EMPTY, 4000, 1);
}

void TVillageCreature::UnhappyProceed(const Ref<TCreatureNeed>& need) {
  need->status = TCreatureNeed::DONE;
  AddNeed(EMPTY, 4000, 1);
}

// ------------------------------------------------------------------ buildings

int TVillageCreature::IntoHouse(const Ref<TUpgrade>& upgrade) {
  if (!upgrade || creature_color == PARAZITE) return 0;
  if (creature_color == YETI) return 3;
  if (in_da_house && House() == upgrade) return 1;
  const Ref<TUpgrade> home = Home();
  bool allowed = upgrade == home;
  if (!allowed && upgrade->IsHut())
    allowed = !settled && static_cast<int>(upgrade->LivingCreatureList.Count()) < upgrade->capacity;
  if (!allowed && upgrade->IsPublic())
    allowed = static_cast<int>(upgrade->CreatureList.Count()) < upgrade->capacity;
  if (!allowed) {
    if (const Ref<TCreatureNeed> need = needs.First()) need->status = TCreatureNeed::IMPOSSIBLE;
    home_impossible = GameTime;
    return 0;
  }
  const Ref<TVillageCreature> self = Self();
  if (DraggedCreature == self) {
    jump_state = 1;
    DraggedCreature = nullptr;
  }
  if (in_da_house) OuttaHouse();
  int result = 1;
  if (!settled && TUpgrade::SettleCreature(self, upgrade)) result = 2;
  TUpgrade::AddCreature(self, upgrade);
  descision_time = avg_descision_time;
  if (const Ref<TNode> door = TUpgrade::FindDoorNode(upgrade)) {
    x = Rnd(door->x - door->Radius, door->x + door->Radius);
    y = Rnd(door->y - door->Radius, door->y + door->Radius);
    CurrentNode = door;
  }
  upgrade->StartSmoke();
  return result;
}

void TVillageCreature::OuttaHouse() {
  if (!in_da_house) return;
  jump_state = 0;
  in_da_house = 0;
  last_descision_time = GameTime;
  descision_time = avg_descision_time / 2;
  if (const Ref<TUpgrade> h = House()) {
    h->CreatureList.Remove(this);
    if (h->CreatureList.IsEmpty()) h->StopSmoke();
  }
  house.reset();
}

}  // namespace kelp
