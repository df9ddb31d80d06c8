#include "village/snapshot.h"
#include "village/upgrade.h"

#include <cmath>
#include <set>

#include "framework/core/numbers.h"
#include "framework/core/numeric.h"
#include "framework/core/path.h"
#include "framework/files/line_reader.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/core/random.h"
#include "world/resource_bindings.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "village/info_scroll.h"
#include "village/nodes.h"
#include "village/village.h"
#include "village/villager.h"

namespace kelp {

ObjectList<TUpgrade> Upgrades;
int UpgradeIdCounter = 0;
int FinishedBuildCount = 0;
Ref<TUpgrade> HoveredUpgrade;
float HoverAlpha = 0.0f;
int HoverActive = 0;
int HoverStartTime = 0;
int HoverOffsetX = 0, HoverOffsetY = 0;

namespace {

// A building's place and its offsets: numbers the village can hold, else 0
// with a log line (an overflowing value would reach drawing, the mouse test
// and the sums that place its labels).
template <class T>
T InVillage(T v, const std::string& line, const char* attr, const std::string& key) {
  constexpr double kFarthest = 100000.0;
  if (std::isfinite(static_cast<double>(v)) && std::fabs(static_cast<double>(v)) <= kFarthest) return v;
  WriteLog("[Upgrades WARNING : Load] \"" + key + "\": " + attr + " \"" + GetLineAttr(line, attr) +
               "\" is no place in the village; 0 is used",
           LOG_WARNING);
  return T{0};
}

bool Exists(const std::string& path) { return !path.empty() && OpenPakStream(path) != nullptr; }

// A companion picture: masked when its mask exists, plain when only it does.
platform::ImageRef LoadCompanion(const std::string& path, const std::string& suffix) {
  const std::string file = CompanionPath(path, suffix);
  const std::string mask = CompanionPath(path, suffix + "_");
  platform::ImageRef image;
  if (Exists(file) && Exists(mask)) {
    image = LoadMaskedImage(file, mask);
  } else if (platform::StreamRef s = Exists(file) ? OpenPakStream(file) : nullptr) {
    image = platform::LoadImage(*s);
  }
  // Buildings are placed by their top-left corner.
  if (image) image->SetHandle(0, 0);
  return image;
}

void StopEmitter(Ref<TEmitter>& e) {
  if (!e) return;
  e->GenerationStop = 1;
  e = nullptr;
}

void Renumber() {
  UpgradeIdCounter = 0;
  for (const Ref<TUpgrade>& u : Upgrades) u->ID = ++UpgradeIdCounter;
}

}  // namespace

int CapacityOf(const std::string& c) {
  if (c == "hut") return 2;
  if (c == "hut2") return 3;
  if (c == "hut3") return 4;
  if (c == "tavern") return 5;
  return 4;
}

std::string CompanionPath(const std::string& path, const std::string& suffix) {
  return WithNameSuffix(path, suffix);
}

TUpgrade::TUpgrade() { ID = ++UpgradeIdCounter; }

bool TUpgrade::IsPublic() const {
  return class_ == "tavern" || class_ == "market" || class_ == "telescope" || class_ == "school" ||
         class_ == "tower";
}

int TUpgrade::Del() {
  Upgrades.Remove(this);
  Image = nullptr;
  Shadow = nullptr;
  CreatureList.Clear();
  LivingCreatureList.Clear();
  StopEmitter(smoke_effect);
  StopEmitter(building_effect);
  StopEmitter(Emitter01);
  StopEmitter(Emitter02);
  StopEmitter(Emitter03);
  if (scroll) scroll->Death = 1;
  scroll = nullptr;
  parent = nullptr;
  Blinker = nullptr;
  Ambient = nullptr;
  Renumber();
  return 1;
}

void TUpgrade::Clear() {
  // Del takes each one out of the list: walk a copy.
  std::vector<Ref<TUpgrade>> all = Snapshot(Upgrades);
  for (const Ref<TUpgrade>& u : all) {
    u->Del();
    u->Hide = 1;
  }
  Upgrades.Clear();
  UpgradeIdCounter = 0;
  HoveredUpgrade = nullptr;
  HoverAlpha = 0.0f;
  HoverActive = 0;
  if (VillageScreen)
    for (int& b : VillageScreen->Buildings) b = 0;
}

Ref<TUpgrade> TUpgrade::Create(const std::string& path, float x, float y) {
  platform::ImageRef image;
  const std::string mask = CompanionPath(path, "_");
  if (Exists(mask)) {
    image = LoadMaskedImage(path, mask);
  } else if (platform::StreamRef s = OpenPakStream(path)) {
    image = platform::LoadImage(*s);
  }
  if (!image) return nullptr;
  image->SetHandle(0, 0);
  auto u = New<TUpgrade>();
  u->name = FileName(path);
  u->path = path;
  u->x = x;
  u->y = y;
  u->Image = image;
  u->Shadow = LoadCompanion(path, "_shadow");
  u->Light = LoadCompanion(path, "_light");
  if (u->Light) u->Light_speed = 0.008f;
  u->Light2 = LoadCompanion(path, "_light2");
  if (u->Light2) u->Light_speed = 0.003f;
  u->Banner = LoadCompanion(path, "_banner");
  u->Over = LoadCompanion(path, "_over");
  u->w = image->Width();
  u->h = image->Height();
  Upgrades.AddLast(u);
  return u;
}

std::string TUpgrade::FileFor(int village) {
  if (village == 1) return "data/img/villages/desert/upgrades.xml";
  if (village == 2) return "data/img/villages/snow/upgrades.xml";
  return "";
}

int TUpgrade::Load() {
  const std::string file = FileFor(CurrentVillage);
  platform::StreamRef s = file.empty() ? nullptr : OpenPakStream(file);
  if (!s) {
    WriteLog("[Upgrades ERROR  :  Load] Failed to load the specified url!", LOG_MESSAGE, "");
    return 0;
  }
  return LoadFrom(*s);
}

int TUpgrade::LoadFrom(platform::Stream& in) {
  if (GetLineTag(ReadTagLine(in)) != "upgrades") {
    WriteLog("[Upgrades ERROR : Load] The file does not begin with upgrades tag!", LOG_MESSAGE, "");
    return 0;
  }
  Clear();
  std::set<std::string> names;
  for (std::string line = ReadTagLine(in); !line.empty(); line = ReadTagLine(in)) {
    const std::string tag = GetLineTag(line);
    if (tag != "upgrade" && tag != "upgrade/") {
      WriteLog("[Upgrades WARNING : Load] reading ends at the tag \"" + tag + "\"", LOG_WARNING);
      break;
    }
    // The tree links buildings by name: a building without a name of its own
    // would break it.
    const std::string key = Lower(GetLineAttr(line, "name"));
    if (key.empty() || names.count(key)) {
      WriteLog("[Upgrades WARNING : Load] skipped a building with " +
                   (key.empty() ? std::string("no name") : "the repeated name \"" + key + "\""),
               LOG_WARNING);
      continue;
    }
    const std::string path = GetLineAttr(line, "path");
    const Ref<TUpgrade> u = Create(path, 0, 0);
    if (!u) {
      WriteLog("[Upgrades WARNING : Load] skipped \"" + key + "\": its picture " + path + " does not load",
               LOG_WARNING);
      continue;
    }
    names.insert(key);
    u->Rent = ResManager ? ResManager->GetImage("IMAGE_RENT") : nullptr;
    u->x = InVillage(ToFloat(GetLineAttr(line, "x")), line, "x", key);
    u->y = InVillage(ToFloat(GetLineAttr(line, "y")), line, "y", key);
    u->cx = InVillage(Int(ToFloat(GetLineAttr(line, "cx"))), line, "cx", key);
    u->cy = InVillage(Int(ToFloat(GetLineAttr(line, "cy"))), line, "cy", key);
    u->px = InVillage(ToInt(GetLineAttr(line, "px")), line, "px", key);
    u->py = InVillage(ToInt(GetLineAttr(line, "py")), line, "py", key);
    u->class_ = GetLineAttr(line, "type");
    u->capacity = CapacityOf(u->class_);
    u->upgrade_name = GetLineAttr(line, "name");
    u->appear_level = ToInt(GetLineAttr(line, "level")) + 1;
    u->appear_ID = ToInt(GetLineAttr(line, "id"));
    u->upgrade_parent = GetLineAttr(line, "parent");
    u->upgrade_connected = ToInt(GetLineAttr(line, "connected"));
    u->cost = ToInt(GetLineAttr(line, "cost"));
    u->happiness = ToFloat(GetLineAttr(line, "happiness"));
    u->Hide = 1;
  }
  TNode::UpdateGraph();
  return 1;
}

Ref<TUpgrade> TUpgrade::Search(int id) {
  for (const Ref<TUpgrade>& u : Upgrades)
    if (u->ID == id) return u;
  return nullptr;
}

Ref<TUpgrade> TUpgrade::FindUpgrade(const std::string& name) {
  const std::string key = Lower(name);
  for (const Ref<TUpgrade>& u : Upgrades)
    if (Lower(u->upgrade_name) == key) return u;
  return nullptr;
}

Ref<TUpgrade> TUpgrade::FindDoorUpgrade(const std::string& name) {
  for (const Ref<TUpgrade>& u : Upgrades) {
    if (u->upgrade_name != name || !u->built) continue;
    if (!u->Hide) return u;
    for (const Ref<TUpgrade>& c : Upgrades)
      if (c->parent == u && c->built && !c->Hide) return c;
  }
  return nullptr;
}

Ref<TNode> TUpgrade::FindDoorNode(const Ref<TUpgrade>& upgrade) {
  if (!upgrade) return nullptr;
  for (const Ref<TNode>& n : Nodes) {
    const size_t p = n->ParentUpgrade.find("_door");
    if (p == std::string::npos || p == 0) continue;
    const std::string owner = n->ParentUpgrade.substr(0, p);
    if (owner == upgrade->upgrade_name || (upgrade->parent && owner == upgrade->parent->upgrade_name)) return n;
  }
  return nullptr;
}

int TUpgrade::SettleCreature(const Ref<TVillageCreature>& creature, const Ref<TUpgrade>& upgrade) {
  if (!creature || !upgrade || upgrade->IsPublic()) return 0;
  upgrade->LivingCreatureList.AddLast(creature);
  creature->sweet_home = upgrade;
  creature->settled = 1;
  return 1;
}

void TUpgrade::AddCreature(const Ref<TVillageCreature>& creature, const Ref<TUpgrade>& upgrade) {
  if (!creature || !upgrade) return;
  upgrade->CreatureList.AddLast(creature);
  creature->in_da_house = 1;
  creature->house = upgrade;
}

void TUpgrade::SettleAllCreatures() {
  for (const Ref<TVillageCreature>& c : VillageCreatures) {
    if (c->sweet_home.lock()) continue;
    // Parasites, the yeti and the story characters have no hut of their own.
    if (c->creature_color == TVillageCreature::PARAZITE || c->creature_color == TVillageCreature::YETI ||
        c->ID >= 1000)
      continue;
    for (const Ref<TUpgrade>& u : Upgrades) {
      if (u->Hide || !u->IsHut()) continue;
      if (static_cast<int>(u->LivingCreatureList.Count()) < u->capacity) {
        SettleCreature(c, u);
        break;
      }
    }
  }
}

void TUpgrade::FindParents() {
  for (const Ref<TUpgrade>& r : Upgrades)
    for (const Ref<TUpgrade>& c : Upgrades) {
      if (r == c || c->upgrade_parent != r->upgrade_name) continue;
      c->parent = r;
      if (c->upgrade_connected && r->built) {
        c->Hide = 0;
        c->built = 1;
      }
    }
}

void TUpgrade::CountBuilt() {
  for (const Ref<TUpgrade>& u : Upgrades) u->upgrade_count = 0;
  for (const Ref<TUpgrade>& u : Upgrades) {
    if (!u->built || u->Hide) continue;
    int others = 0;
    for (const Ref<TUpgrade>& o : Upgrades)
      if (o != u && o->built && o->class_ == u->class_) ++others;
    if (others > 0) u->upgrade_count = 1 + others;
  }
  for (const Ref<TUpgrade>& p : Upgrades)
    for (const Ref<TUpgrade>& c : Upgrades)
      if (c->class_ == p->class_) c->upgrade_count = p->upgrade_count;
}

int TUpgrade::BuildConnected() {
  for (const Ref<TUpgrade>& u : Upgrades)
    if (u.get() != this && u->upgrade_connected && u->parent.get() == this) u->BuildStart();
  return 1;
}

void TUpgrade::StartSmoke() {
  if (smoke || (px == 0 && py == 0)) return;
  smoke = 1;
  if (smoke_effect) {
    smoke_effect->Pause = 0;
    return;
  }
  smoke_effect = VillageEmitter(x + px, y + py, Rand(0, 1) ? EffectSmokePipeBig : EffectSmokePipeLittle);
}

void TUpgrade::StopSmoke() {
  smoke = 0;
  StopEmitter(smoke_effect);
}

}  // namespace kelp
