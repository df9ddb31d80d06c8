#pragma once
// The boxes of a level: a square body of five particles, a colour class (or a
// grey parasite, a bonus or a boss), the level-wide box state, the block file,
// and the per-frame box logic (chains, removal tickets, combos, the red line).
#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/color.h"
#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "physics/engine.h"

namespace kelp {

class TAnimImage;
class TLight;
class TEvilSmoke;
class TFreezeEffect;
class TEmitter;
class TPulser;

class TBlock : public Object, public std::enable_shared_from_this<TBlock> {
 public:
  // Face states (State, and the frame of a colour box's image); 0 is the plain face.
  static constexpr int EYES_UP = 1, EYES_LEFT = 2, EYES_DOWN = 3, EYES_RIGHT = 4, OUCH = 5, EYES_BLINK = 6;
  // Classes (class_). There is no class 10.
  static constexpr int RED = 1, GREEN = 2, BLUE = 3, ORANGE = 4, PURPLE = 5, BROWN = 6, SKY = 7, PARAZITE = 8,
                       GREY = 8, BONUS = 9, BOSS = 11;
  // Bonus classes (bonus_class, class 9 only).
  static constexpr int EXPLOSION = 1, CHEST_01 = 2, CHEST_02 = 3, PARABOMB = 4, ICE = 5, TIME_FREEZE = 6,
                       RESIZE = 7, RAY = 8;
  // Boss classes (boss_class, class 11 only).
  static constexpr int PARAZ = 1, YETI = 2, EVIL_YETI = 3, ELITE = 4, BROWNIE_FULL = 5, BROWNIE = 6,
                       SMALL_ELITE = 7;
  // What lies on a box (its group's ParaziteOnBoard): nothing, a parasite or
  // a boss touches it, it stands on a parasite static, a brownie touches it.
  static constexpr int NO_PARAZITE = 0, PARAZITE_TOUCH = 1, PARAZITE_STATIC = 2, BROWNIE_TOUCH = 3;
  // Group classes of the comic scenes' boxes, before and after they first
  // touch another body.
  static constexpr int COMIC_BOX = 100, COMIC_BOX_TOUCHED = 200;

  uint8_t RayApply = 0;
  int RayTime = 0;
  Ref<TPhysEngine_Group> Group;
  Ref<TPhysEngine_Particle> Center;
  Ref<TPhysEngine_Particle> Align;  // lower right corner; the angle runs from Center to it
  Ref<TPhysEngine_Particle> UpLeft;
  Ref<TPhysEngine_Particle> UpRight;
  Ref<TPhysEngine_Particle> DownLeft;
  Ref<TPhysEngine_Particle> DownRight;  // the same particle as Align
  Ref<TColor> Color;                    // colour of the box's light
  float RenderX = 0.0f, RenderY = 0.0f;
  float Angle = 0.0f;
  int Active = 0;
  Ref<TLight> Light;
  int Released = 0;  // 1 once in play (loaded, or let go by the claw)
  int ReleaseTime = 0;
  int RemoveTime = 0;
  int ToRemove = 0;
  int Blur = 0;  // motion trail
  float BlurAlpha = 0.0f;
  int Blurtime = 0;
  float scale = 0.55f;
  int hided = 0;  // not drawn, not hit by bonuses
  Ref<TEvilSmoke> EvilSmoke;
  Ref<TFreezeEffect> FreezeEffect;
  Ref<TEmitter> FreezeEffect2;
  int Electro = 0;  // 1 while an electric link to another box exists
  Ref<TPulser> Pulser;
  int BoxBlinkFrame = 0, BoxBlinkTime = 0;
  int BoxBlinkSpeed = 5000;
  int BonusAnimFrame = 0, BonusAnimTime = 0;
  int bonus_apply = 0;
  int bonused = 0;
  uint8_t Freeze = 0;  // 1 while a yeti holds the box
  int State = 0;
  int Resized = 0;
  int Blink = 0;
  int BlinkTime = 0;
  int StateTime = 0;
  int StateLifeTime = 0;  // random 2000..5000
  // Level time (game time less the level's pauses) at which the box was first
  // seen above the red line; 0 when it is not above it.
  int CriticalTime = 0;
  int Ticket = 0;
  int TicketElectro = 0;
  int TicketTime = 0;
  int TicketRemoveTime = 0;  // random 300..400
  int Money = 0;
  int armor = 0;
  int max_armor = 0;
  int class_ = 0;
  int bonus_class = 0;
  int boss_class = 0;
  // The level's PausedTime when the current parasite contact began: only
  // pauses during the contact lengthen the capture times.
  int ParazitePausedBase = 0;

  TBlock();

  // A new box in play at (x, y) moving by (vx, vy), appended to BlockList;
  // its class is a placeholder the caller overwrites.
  static Ref<TBlock> Create(float x, float y, float vx, float vy);
  // The colour of the player's next box, by the running level's type.
  static int GenerateClass();
  // Writes the released boxes; 1 when written.
  static int SaveBlocks(const std::string& path);
  // Reads a block file (one tag per line); 1 loaded, 0 when it cannot be read.
  static int LoadBlocks(const PhysicsSource& source);
  // The same from an XML tree.
  static int LoadBlocksNew(const PhysicsSource& source);
  static int ClearBlocks();
  // Removal of a box whose ticket ran out: points, combo, sound, effects; an
  // armoured box loses one armour and stays.
  static void Remove(const Ref<TBlock>& box);

  // Effects of a removal or armour hit, of a bonus box going off, and the
  // per-frame parasite, freeze and boss behaviour.
  virtual void Explode(int m);
  virtual void BonusApply();
  virtual void UpdateParaziteEffects(float dt);
  virtual void UpdateCollisions(float dt);
  virtual void Update(float dt);
  static void UpdateBlocks(float dt);
  static void MoveBlocks(float x, float y);
  // Splits a class value from a file into class and armour (3, 30, 300: blue
  // with 0, 1, 2 armour); bosses keep class 11.
  virtual void SetClass();
  virtual void GiveTicket(int value);
  virtual void GiveTicketElectro();
  virtual void TakeTicket();
  virtual void CheckTicket();
  virtual void CheckOffScreen();
  static void DrawBlocks();
  static void DrawBlockLights();
  virtual void StateUpdate();
  virtual void BlinkUpdate();
  virtual void DrawLight();
  virtual void UpdateBoxBlink();
  // Fetches the box images; the level screen calls it once.
  static void Init();
  virtual void Draw();
  virtual void DrawOver();
  virtual Ref<TBlock> Copy();
  virtual void Load(const platform::StreamRef& stream);
  static Ref<TPhysEngine_Group> CreateBlockGroup();
  virtual void Position(float x, float y, int reset);
  virtual void Translate(float dx, float dy);
  virtual void Move(float vx, float vy);
  // Takes the body out of the physics engine; a second call does nothing.
  virtual void Del();

  // True once the box has been deleted (its body is gone).
  bool Deleted() const { return !Group; }
  // The colour of the box's class (null for none).
  Ref<TColor> ClassColor() const;

 private:
  // Kills and drops the parasite smoke and freeze effect (with Del).
  void KillParaziteEffects();
  // Steps the parasite smoke and freeze effect as they are drawn.
  void DrawParaziteEffects();
  // Del, the light dropped, and every reference of the level to the box let go.
  static void Destroy(const Ref<TBlock>& box);
};

// Clears the chain data of a group: its chain size, search marks and the four
// contact lists the physics step fills.
void ClearChainData(TPhysEngine_Group& group);
// The chain search: marks every group reached over the same-class contacts.
void MarkConnectedGroups(TPhysEngine_Group& group);
// The colour of a class, with the bonus and boss kinds that pick their own.
Ref<TColor> BlockClassColor(int class_, int bonus_class = 0, int boss_class = 0);
// The running level's clock with its pauses taken out; it stands still while
// the level is paused.
int LevelClock();

// Colours of the box classes: red 1, green 2, blue 3, orange 4, purple 5,
// brown 6, sky 7, grey 8; ice for ice bonus boxes and the yetis.
extern Ref<TColor> BlockColorGreen;
extern Ref<TColor> BlockColorRed;
extern Ref<TColor> BlockColorBlue;
extern Ref<TColor> BlockColorOrange;
extern Ref<TColor> BlockColorPurple;
extern Ref<TColor> BlockColorGrey;
extern Ref<TColor> BlockColorBrown;
extern Ref<TColor> BlockColorSky;
extern Ref<TColor> BlockColorIce;
// Makes the nine box colours (start-up, and tests that build boxes).
void CreateBlockColors();

// Every box of the level, in creation order.
extern ObjectList<TBlock> BlockList;
// Entry c - 1 is 1 while a released box of class c is on the field.
extern int ReleasedClasses[8];
extern int ReleasedBlockCount;
// The brownie boss of the level while it lives.
extern WeakRef<TBlock> BrownieBlock;
extern int ParaziteInPlay;
extern int BossInPlay;
extern uint8_t WallStanding;  // 1 while the brick wall has a brick
// The shared hop clock of the bosses.
extern int LastParaziteTime;
extern int ParaziteInterval;

extern int ChainMinimum;   // 3
extern int CriticalDelay;  // 8000 ms above the red line loses the level
extern int ComboCount;     // boxes removed since the last combo text
extern int ComboTime;      // game time of the last ticket given
extern int ComboX, ComboY;
extern int LastRemoveSoundTime;
// The coin emitter of an opened chest and its light.
extern Ref<TEmitter> ChestCoins;
extern Ref<TEmitter> ChestCoinsLight;

// Box images fetched by Init.
extern Ref<TAnimImage> ImageBlockSteel, ImageBlockGold;
extern Ref<TAnimImage> ImageBlockRed, ImageBlockGreen, ImageBlockBlue, ImageBlockOrange, ImageBlockBrown,
    ImageBlockSky, ImageBlockPurple;
extern Ref<TAnimImage> ImageBonusExplosion, ImageBonusParabomb, ImageBonusFreeze, ImageBonusResize, ImageBonusRay,
    ImageChest01, ImageChest02, ImageBlockIce;

// Resets the level-wide box state to its start values (BlockList emptied
// without deleting bodies); for start-up and tests.
void ResetBlockState();

}  // namespace kelp
