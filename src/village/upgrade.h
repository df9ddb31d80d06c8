#pragma once
// The buildings of the current village: the entries of its upgrade tree
// ("upgrades.xml"), in file order in Upgrades. A building starts hidden and
// unbuilt, is bought through the build dialog, goes through a timed
// construction and, when finished, may replace its parent (a hut grows into
// the next level), houses villagers, smokes, lights its windows at night and
// opens the paths of the waypoint graph that belong to it.
//
// Ownership: Upgrades owns the buildings; a building's two creature lists
// hold the villagers in it and living in it, and the villagers point back
// with weak references. Del and Clear empty the lists.
//
// "upgrades.xml" holds one tag per line (see framework/files/line_reader.h):
// the first tag must be "upgrades", then one "upgrade" line per building up
// to the first line with another tag. Attributes: path, x, y, cx, cy, px, py,
// type, name, level, id, parent, connected, cost, happiness.
#include <memory>
#include <string>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/image.h"
#include "platform/stream.h"
#include "village/tinted_picture.h"

namespace kelp {

class TBlinker;
class TEmitter;
class TImpulse;
class TLight;
class TNode;
class TScroll;
class TVillageCreature;

class TUpgrade : public Object, public std::enable_shared_from_this<TUpgrade> {
 public:
  int locked = 0;
  platform::ImageRef Rent;
  int capacity = 2;
  Ref<TScroll> scroll;
  Ref<TUpgrade> parent;
  std::string name;   // file name of the main picture
  std::string class_;
  int ID = 0;
  std::string path;
  std::string savepath;
  platform::ImageRef Light;
  float Light_alpha = 0.0f;
  int Light_state = 0;  // 0 off, 1 brightening, 2 dimming to 0.8, 3 fading out
  int Light_timeout = 0;
  int Light_time = 0;
  float Light_speed = 0.004f;
  platform::ImageRef Image;
  platform::ImageRef Shadow;
  platform::ImageRef Banner;
  platform::ImageRef Over;
  platform::ImageRef Light2;
  TintedPicture ImageLit, OverLit;  // Image and Over in the village's light
  float x = 0.0f, y = 0.0f;  // top-left in village coordinates
  int cx = 0, cy = 0;        // centre offset
  int px = 0, py = 0;        // chimney offset; 0, 0 = no chimney
  int w = 0, h = 0;
  float alpha = 0.0f;
  int layer = 0;
  int Hide = 0;
  int built = 0;
  ObjectList<TVillageCreature> CreatureList;        // inside now
  ObjectList<TVillageCreature> LivingCreatureList;  // whose home this is
  Ref<TEmitter> Emitter01, Emitter02, Emitter03;
  Ref<TLight> Ambient;
  int appear_ID = 1;
  int appear_level = 1;
  std::string upgrade_name;
  std::string upgrade_parent;
  int upgrade_connected = 0;
  float happiness = 0.0f;
  int cost = 0;
  int upgrade_count = 0;
  int building = 0;
  float building_alpha = 0.0f;
  Ref<TEmitter> building_effect;
  Ref<TImpulse> impulse;
  Ref<TEmitter> smoke_effect;
  int smoke = 0;
  Ref<TBlinker> Blinker;
  int BuildingEndTime = 0;
  int RentTime = 0;
  int RentState = 0;  // 0 hidden, 1 growing, 2 shrinking
  float RentScale = 0.0f;
  float RentSpeed = 0.004f;

  TUpgrade();

  virtual int Del();
  virtual int BuildStart();
  virtual int BuildFinish();
  virtual int BuildConnected();
  virtual int DrawBuildingEffect();
  virtual int Update(float dt);
  virtual int Draw();
  virtual int DrawLight2();
  virtual int DrawRent();

  bool IsHut() const { return class_ == "hut" || class_ == "hut2" || class_ == "hut3"; }
  // Tavern, market, school, telescope or tower: entered, never lived in.
  bool IsPublic() const;
  // Starts the chimney smoke (when it has a chimney and does not smoke yet).
  void StartSmoke();
  void StopSmoke();

  static void Clear();
  // The building of the picture at `path` with its companions, appended to
  // Upgrades; null (and nothing added) when the main picture does not load.
  static Ref<TUpgrade> Create(const std::string& path, float x, float y);
  static int Load();
  static void UpdateUpgrades(float dt);
  static void DrawRents();
  static void DrawUpgrades();
  static void DrawUpgradesShadows();
  static void DrawOver();
  static void SettleAllCreatures();
  static int SettleCreature(const Ref<TVillageCreature>& creature, const Ref<TUpgrade>& upgrade);
  static void AddCreature(const Ref<TVillageCreature>& creature, const Ref<TUpgrade>& upgrade);
  static Ref<TNode> FindDoorNode(const Ref<TUpgrade>& upgrade);
  static Ref<TUpgrade> FindDoorUpgrade(const std::string& name);
  static Ref<TUpgrade> Search(int id);
  static Ref<TUpgrade> FindUpgrade(const std::string& name);
  static void FindParents();
  static void CountBuilt();
  static void HoverUpgrade(int x, int y);
  // The tree file of a village (1 desert, 2 snow); "" for any other.
  static std::string FileFor(int village);
  // Loads the tree from a stream (Load opens the current village's file).
  static int LoadFrom(platform::Stream& in);
};

// The capacity of a building class.
int CapacityOf(const std::string& class_);
// The companion picture of `path`: "a/hut.png" with "_shadow" gives "a/hut_shadow.png".
std::string CompanionPath(const std::string& path, const std::string& suffix);

extern ObjectList<TUpgrade> Upgrades;
extern int UpgradeIdCounter;
extern int FinishedBuildCount;
extern Ref<TUpgrade> HoveredUpgrade;
extern float HoverAlpha;
extern int HoverActive;
extern int HoverStartTime;
extern int HoverOffsetX, HoverOffsetY;

}  // namespace kelp
