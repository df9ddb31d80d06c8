#include "village/village_save.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/utf8.h"
#include "framework/files/log.h"
#include "village/nodes.h"
#include "village/snapshot.h"
#include "village/story_effects.h"
#include "village/trophy.h"
#include "village/upgrade.h"
#include "village/village.h"
#include "village/villager.h"

namespace kelp {

namespace {

constexpr int kMaxVillagers = 500, kMaxBuildings = 200, kMaxIds = 500, kMaxTrophies = 200, kMaxString = 256;
constexpr int kCoordLimit = 100000;

class Writer {
 public:
  void Int(int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
  }
  void Float(float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    Int(static_cast<int32_t>(u));
  }
  void Bytes(const std::string& s) {
    Int(static_cast<int32_t>(s.size()));
    for (char c : s) out.push_back(static_cast<char>(c & 0xFF));
  }
  void Wide(const std::string& utf8) {
    const std::u16string w = utf8::ToUtf16(utf8);
    Int(static_cast<int32_t>(w.size()));
    for (char16_t c : w) {
      out.push_back(static_cast<char>(c & 0xFF));
      out.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
  }
  std::string out;
};

class Reader {
 public:
  explicit Reader(const std::string& s) : s_(s) {}
  bool Int(int32_t& v, int lo = std::numeric_limits<int32_t>::min(), int hi = std::numeric_limits<int32_t>::max()) {
    if (pos_ + 4 > s_.size()) return false;
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(static_cast<unsigned char>(s_[pos_ + i])) << (8 * i);
    pos_ += 4;
    v = static_cast<int32_t>(u);
    return v >= lo && v <= hi;
  }
  bool Float(float& f) {
    int32_t v;
    if (!Int(v)) return false;
    const uint32_t u = static_cast<uint32_t>(v);
    std::memcpy(&f, &u, 4);
    return f == f && f > -1e6f && f < 1e6f;
  }
  bool Bytes(std::string& out) {
    int32_t n;
    if (!Int(n, 0, kMaxString) || pos_ + static_cast<size_t>(n) > s_.size()) return false;
    out.assign(s_, pos_, static_cast<size_t>(n));
    pos_ += static_cast<size_t>(n);
    return true;
  }
  bool Wide(std::string& out) {
    int32_t n;
    if (!Int(n, 0, kMaxString) || pos_ + 2 * static_cast<size_t>(n) > s_.size()) return false;
    std::u16string w;
    for (int i = 0; i < n; ++i) {
      w.push_back(static_cast<char16_t>(static_cast<unsigned char>(s_[pos_]) |
                                        (static_cast<unsigned char>(s_[pos_ + 1]) << 8)));
      pos_ += 2;
    }
    out = utf8::FromUtf16(w);
    return true;
  }
  bool AtEnd() const { return pos_ == s_.size(); }

 private:
  const std::string& s_;
  size_t pos_ = 0;
};

std::string BuildingName(const Ref<TUpgrade>& u) { return u ? u->upgrade_name : std::string(); }

struct SavedVillager {
  int32_t id, x, y;
  float speed;
  std::string name;
  int32_t colour, sex, brainless, hided, unhideFlag, unhideLeft, settled, inHouse;
  std::string house, home;
};
struct SavedBuilding {
  std::string name;
  int32_t hide;
  std::vector<int32_t> inside, living;
};
struct SavedTrophy {
  std::string name;
  int32_t enabled, hide;
};

int KindOf(const std::string& c) {
  if (c == "tavern") return TVillageMode::TAVERN;
  if (c == "center") return TVillageMode::CENTER;
  if (c == "road2") return TVillageMode::ROADS;
  if (c == "market") return TVillageMode::MARKET;
  if (c == "school") return TVillageMode::SCHOOL;
  if (c == "telescope") return TVillageMode::TELESCOPE;
  if (c == "tower") return TVillageMode::TOWER;
  return -1;
}

bool Refuse(const std::string& why) {
  WriteLog("[Village ERROR : Load] the saved village is refused (" + why + "); the stage starts afresh", LOG_ERROR);
  EraseVillage();
  return false;
}

}  // namespace

std::string SaveVillageBlock() {
  Writer w;
  TVillageMode* v = VillageScreen.get();
  w.Int(v ? v->ParaziteDamage : 0);
  const std::vector<Ref<TVillageCreature>> all = Snapshot(VillageCreatures);
  w.Int(static_cast<int32_t>(std::min<size_t>(all.size(), kMaxVillagers)));
  int n = 0;
  for (const Ref<TVillageCreature>& c : all) {
    if (n++ >= kMaxVillagers) break;
    w.Int(c->ID);
    w.Int(Int(c->x));
    w.Int(Int(c->y));
    w.Float(c->speed);
    w.Wide(c->name.substr(0, kMaxString));
    w.Int(c->creature_color);
    w.Int(c->Sex);
    w.Int(c->Brainless);
    w.Int(c->hided);
    w.Int(c->unhide_flag);
    w.Int(std::max(0, c->unhide_time - GameTime));
    w.Int(c->settled);
    w.Int(c->in_da_house);
    w.Bytes(BuildingName(c->House()));
    w.Bytes(BuildingName(c->Home()));
  }
  std::vector<Ref<TUpgrade>> built;
  for (const Ref<TUpgrade>& u : Upgrades)
    if (u->built && built.size() < kMaxBuildings) built.push_back(u);
  w.Int(static_cast<int32_t>(built.size()));
  for (const Ref<TUpgrade>& u : built) {
    w.Bytes(u->upgrade_name);
    w.Int(u->Hide);
    for (const ObjectList<TVillageCreature>* list : {&u->CreatureList, &u->LivingCreatureList}) {
      std::vector<int32_t> ids;
      for (const Ref<TVillageCreature>& c : *list)
        if (ids.size() < kMaxIds) ids.push_back(c->ID);
      w.Int(static_cast<int32_t>(ids.size()));
      for (int32_t id : ids) w.Int(id);
    }
  }
  w.Int(static_cast<int32_t>(std::min<int>(Trophies.Count(), kMaxTrophies)));
  for (const Ref<TTrophy>& t : Trophies) {
    w.Bytes(t->name);
    w.Int(t->enabled);
    w.Int(t->hide);
  }
  w.Int(v ? v->Portal_state : 0);
  w.Int(v && v->Gate ? v->Gate->state : 0);
  return w.out;
}

bool LoadVillageBlock(const std::string& block) {
  // Read everything first: nothing is applied from a block that is refused.
  Reader r(block);
  int32_t damage = 0, count = 0;
  if (!r.Int(damage, 0, kMaxVillagers) || !r.Int(count, 0, kMaxVillagers)) return Refuse("header");
  std::vector<SavedVillager> villagers(static_cast<size_t>(count));
  std::map<int32_t, int> ids;
  for (SavedVillager& s : villagers) {
    if (!r.Int(s.id, 0, 1000000) || !r.Int(s.x, -kCoordLimit, kCoordLimit) || !r.Int(s.y, -kCoordLimit, kCoordLimit) ||
        !r.Float(s.speed) || !r.Wide(s.name) || !r.Int(s.colour, 0, 15) || !r.Int(s.sex, 0, 2) ||
        !r.Int(s.brainless, 0, 1) || !r.Int(s.hided, 0, 1) || !r.Int(s.unhideFlag, 0, 1) ||
        !r.Int(s.unhideLeft, 0, 600000) || !r.Int(s.settled, 0, 1) || !r.Int(s.inHouse, 0, 1) || !r.Bytes(s.house) ||
        !r.Bytes(s.home))
      return Refuse("a villager");
    if (ids.count(s.id)) return Refuse("two villagers with id " + std::to_string(s.id));
    ids[s.id] = 1;
  }
  int32_t b = 0;
  if (!r.Int(b, 0, kMaxBuildings)) return Refuse("building count");
  std::vector<SavedBuilding> buildings(static_cast<size_t>(b));
  for (SavedBuilding& s : buildings) {
    if (!r.Bytes(s.name) || !r.Int(s.hide, 0, 1)) return Refuse("a building");
    if (!TUpgrade::FindUpgrade(s.name)) return Refuse("no building " + s.name + " in this village");
    for (std::vector<int32_t>* list : {&s.inside, &s.living}) {
      int32_t k = 0;
      if (!r.Int(k, 0, kMaxIds)) return Refuse("a building's villagers");
      list->resize(static_cast<size_t>(k));
      for (int32_t& id : *list)
        if (!r.Int(id) || !ids.count(id)) return Refuse("a building's villager");
    }
  }
  int32_t t = 0;
  if (!r.Int(t, 0, kMaxTrophies)) return Refuse("trophy count");
  std::vector<SavedTrophy> trophies(static_cast<size_t>(t));
  for (SavedTrophy& s : trophies)
    if (!r.Bytes(s.name) || !r.Int(s.enabled, 0, 1) || !r.Int(s.hide, 0, 1)) return Refuse("a trophy");
  int32_t portal = 0, gate = 0;
  if (!r.Int(portal, 0, 4) || !r.Int(gate, 0, 3)) return Refuse("portal or gate");
  if (!r.AtEnd()) return Refuse("bytes after the end");
  for (const SavedVillager& s : villagers) {
    for (const std::string* name : {&s.house, &s.home})
      if (!name->empty() && !TUpgrade::FindUpgrade(*name)) return Refuse("no building " + *name + " in this village");
  }

  EraseVillage();
  TVillageMode* v = VillageScreen.get();
  std::map<int32_t, Ref<TVillageCreature>> made;
  for (const SavedVillager& s : villagers) {
    const Ref<TVillageCreature> c = TVillageCreature::CreateRandom(s.colour, s.name);
    if (!c) continue;
    c->ID = s.id;
    c->x = static_cast<float>(s.x);
    c->y = static_cast<float>(s.y);
    c->speed = s.speed;
    c->name = s.name;
    c->Sex = s.sex;
    c->Brainless = s.brainless;
    c->hided = s.hided;
    c->unhide_flag = s.unhideFlag;
    c->unhide_time = GameTime + s.unhideLeft;
    c->settled = s.settled;
    c->in_da_house = s.inHouse;
    if (!s.house.empty()) c->house = TUpgrade::FindUpgrade(s.house);
    if (!s.home.empty()) c->sweet_home = TUpgrade::FindUpgrade(s.home);
    c->CurrentNode = TNode::Find(s.x, s.y);
    made[s.id] = c;
  }
  for (const SavedBuilding& s : buildings) {
    const Ref<TUpgrade> u = TUpgrade::FindUpgrade(s.name);
    u->built = 1;
    u->building = 0;
    u->Hide = s.hide;
    for (int32_t id : s.inside)
      if (made.count(id)) u->CreatureList.AddLast(made[id]);
    for (int32_t id : s.living)
      if (made.count(id)) u->LivingCreatureList.AddLast(made[id]);
    const int kind = KindOf(u->class_);
    if (v && kind >= 0) v->Buildings[kind] = 1;
  }
  for (const SavedTrophy& s : trophies)
    if (const Ref<TTrophy> tr = TTrophy::Get(s.name)) {
      tr->enabled = s.enabled;
      tr->hide = s.hide;
    }
  if (v) {
    v->ParaziteDamage = damage;
    v->Portal_state = portal;
    if (gate) {
      v->Gate = TGate::Create();
      if (gate == TGate::BROKEN)
        v->Gate->Broken();
      else
        v->Gate->Open();
    }
  }
  TVillageCreature::RestoreIdCounter();
  TUpgrade::FindParents();
  TNode::UpdateGraph();
  return true;
}

void EraseVillage() {
  if (VillageScreen) {
    VillageScreen->LoadClear();
    VillageScreen->Gate = nullptr;
    VillageScreen->Portal_state = 0;
    VillageScreen->ParaziteDamage = 0;
    VillageScreen->ParaziteMode = 0;
  } else {
    TVillageCreature::Clear();
    TVillageCreature::Init();
  }
  TTrophy::LoadClear();
}

}  // namespace kelp
