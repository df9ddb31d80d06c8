#pragma once
// The villagers of the desert and snow villages: small creatures that hop
// along the waypoint graph, carry a short queue of needs (home, sleep, the
// tavern and the other public buildings, a walk among the trees) and walk
// into the buildings to satisfy them. The player picks them up with the mouse
// and drops them on open ground or into a hut. In parasite mode parasites
// ride villagers and turn them into parasites unless clicked three times.
// Story characters walk to scripted spots and start the story on arrival.
//
// Ownership: VillageCreatures owns the villagers. References to buildings
// (house, sweet_home, a need's target) and between villagers (a parasite's
// Target, a victim's ParaziteOnBoard) are weak: a villager never keeps a
// building or another villager alive.
//
// Clock: decisions and timers run on GameTime; hops, need levels and bubbles
// advance by the frame factor; turning and the hop height step are per frame.
// Random choices come from the game's one generator; every search for a
// random node gives up after a bounded number of draws.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/geometry.h"
#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/image.h"
#include "village/sprite_sizes.h"

namespace kelp {

class TAnimImage;
class TCreatureScroll;
class TEmitter;
class TLight;
class TNode;
class TPath;
class TUpgrade;
class TVillageEvilSmoke;

class TCreatureNeed : public Object {
 public:
  static constexpr uint8_t WAITING = 0, PROCEEDING = 1, FAILURE = 2, IMPOSSIBLE = 3, DONE = 4;
  uint8_t status = WAITING;
  int birthtime = 0;
  int lifetime = 0;
  uint8_t id = 0;
  WeakRef<TUpgrade> target;

  void Init(int id, int lifetime);
};

class TVillageCreature : public Object, public std::enable_shared_from_this<TVillageCreature> {
 public:
  // Colours and kinds (creature_color).
  static constexpr int RED = 1, GREEN = 2, BLUE = 3, YELLOW = 4, PURPLE = 5, BROWN = 6, SKY = 7, PARAZITE = 8,
                       ORBUS = 9, NAMELESSONE = 10, MECHANICUS = 11, YETI = 11, BROWNIE_FULL = 12, ELITE = 13,
                       BROWNIE = 14, BROWNIE_GOOD = 15;
  // Story characters' ids; ordinary villagers have ids below 1000.
  static constexpr int Red_id = 1000, Ell_id = 2000, Nameless_id = 3000, Orbus_id = 4000, Yeti_id = 5000,
                       Brownie_id = 6000, Elite1_id = 7000, Elite2_id = 8000;
  static constexpr int MALE = 1, FEMALE = 2;
  // Need kinds, which are also the emotion ids (11 is the yeti's thought only).
  static constexpr int EMPTY = 0, HAPPY = 1, HOME = 2, QUEST = 3, TAVERN = 4, TREES = 5, UNHAPPY = 6, MARKET = 7,
                       SCHOOL = 8, TELESCOPE = 9, MAGIC = 10, SLEEP = 12;
  // Rows of all_needs.
  static constexpr int ENTERTAIN_NEED = 0, BEER_NEED = 1, HOME_NEED = 2, MARKET_NEED = 3, SCHOOL_NEED = 4,
                       TELESCOPE_NEED = 5, MAGIC_NEED = 6, SLEEP_NEED = 7;
  // Every search for a random node gives up after this many draws.
  static constexpr int MaxNodeDraws = 64;

  int ID = 0;
  std::string name;
  int creature_color = 0;
  WeakRef<TVillageCreature> Target;           // a parasite's victim
  WeakRef<TVillageCreature> ParaziteOnBoard;  // a victim's parasite
  int ParaziteTime = 0;
  int LastClickTime = 0;
  int Clicks = 0;
  int ClickTime = 300;
  Ref<TEmitter> click_effect;
  Ref<TPath> Path;
  Ref<TNode> TargetNode;
  Ref<TAnimImage> CreatureAnim;
  int CurrentNodeLink = -1, MidNodeLink = -1, NextNodeLink = -1;  // indexes into Path's waypoints
  Ref<TNode> CurrentNode, MidNode, NextNode;
  TVector Velocity, CurrentVelocity, MidVelocity;
  int Sex = MALE;
  float jump_h = 0.0f;  // hop height (negative = above the ground)
  float jump_impulse = 0.0f;
  float def_jump_impulse = -1.0f;
  int jump_state = 0;  // 0 start a hop, 1 in the air, 2 held by the mouse
  float g_force = 0.0f;
  float def_g_force = 0.06f;
  Ref<TCreatureScroll> scroll;
  float x = 0.0f, y = 0.0f;    // ground position in village pixels
  float tx = 0.0f, ty = 0.0f;  // current aim point
  float angle = 90.0f;         // facing in degrees, 0 right, 90 toward the viewer
  float angle_speed = 10.0f;
  float scale = 1.0f;
  float jump_scale = 1.0f;
  float speed_coef = 0.8f;
  float speed = 0.0f;
  int Moving = 0;
  int Turning = 0;
  float TurnAngle = 0.0f;
  int in_da_house = 0;
  WeakRef<TUpgrade> house;
  WeakRef<TUpgrade> sweet_home;
  int hover_time = 0;
  int info_time = 1000;
  int show_info = 0;
  int last_descision_time = 0;
  int descision_time = 0;
  int avg_descision_time = 0;
  int descision_rand = 1000;
  std::string current_thought;
  int Emotion = EMPTY;
  int Emotion_frame = 0;
  int Emotion_upd_time = 0;
  float Emotion_alpha = 1.0f, Emotion_scale = 1.0f;
  int Emotion_time = 0;
  int Emotion_generate_time = 0;
  float Emotion_dy = 0.0f;
  int ConstantMove[3] = {0, 0, 0};  // flag, x, y
  ObjectList<TCreatureNeed> needs;
  float all_needs[8][2] = {};  // level 0..100, rise rate per frame unit
  int home_impossible = 0;
  int Brainless = 0;
  int hided = 0;
  int unhide_flag = 0, unhide_time = 0, unhide_emo = 0;
  int hide_flag = 0, hide_time = 0;
  int homeless_time = 0;
  int homeless_max = 0;
  int OnStopCode = 0;
  int OnTurnCode = 0;
  int settled = 0;
  Ref<TVillageEvilSmoke> Parazite_effect;
  Ref<TLight> Parazite_ambient;
  int HighLighted = 0;
  platform::ImageRef HighLight_Img;

  Ref<TVillageCreature> Self() { return weak_from_this().lock(); }
  Ref<TUpgrade> House() const { return house.lock(); }
  Ref<TUpgrade> Home() const { return sweet_home.lock(); }

  // Lists and lookup.
  static void Init();
  static void Clear();
  virtual void Remove();
  static Ref<TVillageCreature> Create(float x, float y, float speed, int colour);
  // A villager of the colour (random when 0) at a random walkable node.
  static Ref<TVillageCreature> CreateRandom(int colour, const std::string& name);
  static Ref<TVillageCreature> SearchByID(int id);
  static Ref<TVillageCreature> SearchByColor(int colour);
  static int ParaziteCount();
  static int SortCreatures(const TVillageCreature& a, const TVillageCreature& b);
  // After a save was restored: new villagers take ids above the highest one
  // restored below 1000.
  static void RestoreIdCounter();

  // The frame.
  static void UpdateCreatures(float dt);
  virtual void Update(float dt);
  virtual void AI(float dt);

  // Script control.
  static void SkipMove();
  virtual void Hide(int delay);
  virtual void Unhide(int delay, int emo);
  virtual void MoveTo(int x, int y);
  virtual void OnStopMoving();
  virtual void OnStopTurning() {}
  virtual void HighLight(int on);

  // Walking.
  virtual int FindPath(const Ref<TNode>& from, const Ref<TNode>& to);
  virtual void ProceedPath(float dt);
  virtual void Turn(float a);
  virtual void StopMoving();
  virtual int NextStep();
  static int CheckWalkability(float x, float y);
  virtual int Drop();
  virtual void ForceDrop();

  // Needs and buildings.
  virtual Ref<TCreatureNeed> AddNeed(int id, int lifetime, int mode);
  virtual void ProceedNeeds(float dt);
  virtual void HomeProceed(const Ref<TCreatureNeed>& need);
  virtual void BuildingProceed(const Ref<TCreatureNeed>& need, const std::string& class_);
  virtual void EmptyProceed(const Ref<TCreatureNeed>& need);
  virtual void TreesProceed(const Ref<TCreatureNeed>& need);
  virtual void HappyProceed(const Ref<TCreatureNeed>& need);
  virtual void UnhappyProceed(const Ref<TCreatureNeed>& need);
  virtual int IntoHouse(const Ref<TUpgrade>& upgrade);
  virtual void OuttaHouse();
  virtual void SetEmotion(int e);

  // Parasites.
  virtual void StartParazite(const Ref<TVillageCreature>& parasite);
  virtual void AddParazite(const Ref<TVillageCreature>& parasite);
  virtual void RemoveParazite();

  // Mouse and drawing.
  static void UserInput();
  static void DrawCreatures();
  virtual void Draw();
  virtual void DebugDraw();

  // Pieces shared by the handlers.
  void NewDecisionInterval();
  // A random walkable node other than the current one (non-door with
  // trees), or null after MaxNodeDraws draws.
  Ref<TNode> RandomWalkableNode(bool avoidDoors) const;
  // A random gathering node of the village, or null after MaxNodeDraws draws.
  Ref<TNode> RandomGatheringNode() const;
  void WalkTo(const Ref<TNode>& node);
  // Per-frame steps of Update.
  void UpdateParazite();
  void UpdateInfo();
  void UpdateHop(float dt);
  void UpdateBubble(float dt);
  void Recolour(int colour);
};

// The body animation of a colour (null for the Nameless One).
Ref<TAnimImage> CreatureAnimFor(int colour);
// The gathering node ids of a village (1 desert, 2 snow); empty for others.
const std::vector<int>& GatheringNodes(int village);

extern ObjectList<TVillageCreature> VillageCreatures;
extern ObjectList<TVillageCreature> InfectedCreatures;
extern Ref<TVillageCreature> DraggedCreature;
extern Ref<TVillageCreature> HoverCreature;
extern Ref<TVillageCreature> HuntedParazite;
extern int LastInfectionTime;
extern uint8_t NeedAdded;
extern int QuestClickCount;
extern int CaptureDialogShown;
extern int LastRefusalTime;
extern int LastHuntTime;
extern int NextCreatureID;
// The villagers' bodies and shadows at the sizes and shades drawn; emptied
// when the village is hidden.
extern SpriteSizes VillagerSprites;

}  // namespace kelp
