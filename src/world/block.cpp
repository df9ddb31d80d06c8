#include "world/block.h"

#include <cmath>

#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/anim_image.h"
#include "physics/engine.h"
#include "world/light.h"
#include "world/game_state.h"
#include "world/player_state.h"
#include "world/trolley.h"
#include "world/world.h"

namespace kelp {

Ref<TColor> BlockColorGreen;
Ref<TColor> BlockColorRed;
Ref<TColor> BlockColorBlue;
Ref<TColor> BlockColorOrange;
Ref<TColor> BlockColorPurple;
Ref<TColor> BlockColorGrey;
Ref<TColor> BlockColorBrown;
Ref<TColor> BlockColorSky;
Ref<TColor> BlockColorIce;

void CreateBlockColors() {
  BlockColorGreen = CreateColor(0, 200, 0);
  BlockColorRed = CreateColor(200, 0, 0);
  BlockColorBlue = CreateColor(0, 0, 200);
  BlockColorOrange = CreateColor(200, 200, 0);
  BlockColorPurple = CreateColor(200, 0, 200);
  BlockColorGrey = CreateColor(90, 90, 60);
  BlockColorBrown = CreateColor(150, 78, 0);
  BlockColorSky = CreateColor(0, 253, 252);
  BlockColorIce = CreateColor(180, 250, 255);
}

ObjectList<TBlock> BlockList;
int ReleasedClasses[8] = {};
int ReleasedBlockCount = 0;
WeakRef<TBlock> BrownieBlock;
int ParaziteInPlay = 0;
int BossInPlay = 0;
uint8_t WallStanding = 0;
int LastParaziteTime = 0;
int ParaziteInterval = 3000;

Ref<TAnimImage> ImageBlockSteel, ImageBlockGold;
Ref<TAnimImage> ImageBlockRed, ImageBlockGreen, ImageBlockBlue, ImageBlockOrange, ImageBlockBrown, ImageBlockSky,
    ImageBlockPurple;
Ref<TAnimImage> ImageBonusExplosion, ImageBonusParabomb, ImageBonusFreeze, ImageBonusResize, ImageBonusRay,
    ImageChest01, ImageChest02, ImageBlockIce;

namespace {

// Where the level's boxes live; none while no world is made.
TPhysEngine* BlockEngine() { return World ? World->Physics.get() : nullptr; }

// One draw of a colour by the level type.
int DrawColor(int gameType) {
  int c = Rand(1, 5);
  if (gameType == 200 || gameType == 100) c = Rand(1, 7);
  if (gameType == 20 || gameType == 10) c = Rand(1, 6);
  return c;
}

// The highest colour the level type draws.
int ColorRange(int gameType) {
  if (gameType == 200 || gameType == 100) return 7;
  if (gameType == 20 || gameType == 10) return 6;
  return 5;
}

int PresentClasses() {
  int n = 0;
  for (int v : ReleasedClasses)
    if (v == 1) ++n;
  return n;
}

bool PresentInRange(int top) {
  for (int c = 1; c <= top && c <= 8; ++c)
    if (ReleasedClasses[c - 1] == 1) return true;
  return false;
}

}  // namespace

int LevelClock() {
  if (!GameState) return GameTime;
  // While paused the clock stands at the start of the pause.
  if (GameState->Paused) return GameState->PauseTime - GameState->PausedTime;
  return GameTime - GameState->PausedTime;
}

Ref<TColor> BlockClassColor(int class_, int bonus_class, int boss_class) {
  switch (class_) {
    case TBlock::RED: return BlockColorRed;
    case TBlock::GREEN: return BlockColorGreen;
    case TBlock::BLUE: return BlockColorBlue;
    case TBlock::ORANGE: return BlockColorOrange;
    case TBlock::PURPLE: return BlockColorPurple;
    case TBlock::BROWN: return BlockColorBrown;
    case TBlock::SKY: return BlockColorSky;
    case TBlock::GREY: return BlockColorGrey;
    case TBlock::BONUS: return bonus_class == TBlock::ICE ? BlockColorIce : BlockColorBrown;
    case TBlock::BOSS:
      return boss_class == TBlock::YETI || boss_class == TBlock::EVIL_YETI ? BlockColorIce : BlockColorGrey;
    default: return nullptr;
  }
}

Ref<TColor> TBlock::ClassColor() const { return BlockClassColor(class_, bonus_class, boss_class); }

void ClearChainData(TPhysEngine_Group& group) {
  group.CollidedObjects = 0;
  group.inClosedList = 0;
  group.ClearContacts();
}

void MarkConnectedGroups(TPhysEngine_Group& group) {
  if (group.CollideList.IsEmpty()) return;
  // Depth first without recursion, so a tall pile cannot exhaust the stack.
  std::vector<TPhysEngine_Group*> stack{&group};
  group.inOpenList = 1;
  group.inClosedList = 1;
  while (!stack.empty()) {
    TPhysEngine_Group* g = stack.back();
    stack.pop_back();
    for (const auto& h : g->CollideList) {
      if (h->inClosedList) continue;
      h->inOpenList = 1;
      h->inClosedList = 1;
      if (!h->CollideList.IsEmpty()) stack.push_back(h.get());
    }
  }
}

void ResetBlockState() {
  BlockList.Clear();
  for (int& v : ReleasedClasses) v = 0;
  ReleasedBlockCount = 0;
  BrownieBlock.reset();
  ParaziteInPlay = BossInPlay = 0;
  WallStanding = 0;
  LastParaziteTime = 0;
  ParaziteInterval = 3000;
  ComboCount = ComboTime = ComboX = ComboY = 0;
  LastRemoveSoundTime = 0;
  ChestCoins = nullptr;
  ChestCoinsLight = nullptr;
}

// ------------------------------------------------------------ construction

TBlock::TBlock() {
  StateLifeTime = Rand(2000, 5000);
  TicketRemoveTime = Rand(300, 400);
}

Ref<TBlock> TBlock::Create(float x, float y, float vx, float vy) {
  auto box = New<TBlock>();
  box->Light = New<TLight>();
  box->Light->Init(box, box->Color, 3.0f, 1);
  box->class_ = Rand(1, 4);
  box->BlinkTime = GameTime + Rand(2000, 6000);
  box->Load(nullptr);
  box->Position(x, y, 0);
  box->Move(vx, vy);
  if (box->Group) box->Group->class_ = box->class_;
  BlockList.AddLast(box);
  return box;
}

Ref<TPhysEngine_Group> TBlock::CreateBlockGroup() {
  TPhysEngine* engine = BlockEngine();
  auto g = TPhysEngine_Group::Create(engine);
  if (!g) return nullptr;
  g->name = "box";
  g->docollisions = 1;
  g->selfcollision = 0;
  struct P {
    const char* name;
    float x, y, mass, radius;
  };
  static const P kParts[] = {{"particle", 352, 152, 1.0f, 16},
                             {"particle(2)", 416, 152, 1.0f, 16},
                             {"particle(3)", 352, 216, 1.0f, 16},
                             {"align", 416, 216, 0.8f, 16},
                             {"center", 384, 184, 1.0f, 48}};
  Ref<TPhysEngine_Particle> p[5];
  for (int i = 0; i < 5; ++i) {
    p[i] = TPhysEngine_Particle::Create(g.get(), kParts[i].x, kParts[i].y, engine);
    p[i]->Rename(kParts[i].name);
    p[i]->x = p[i]->ox = kParts[i].x;
    p[i]->y = p[i]->oy = kParts[i].y;
    p[i]->mass = kParts[i].mass;
    p[i]->friction = 0.5f;
    p[i]->radius = kParts[i].radius;
    p[i]->static_ = 0;
  }
  constexpr float kSide = 64.0f, kDiag = 90.5097f, kHalf = 45.2548f;
  struct C {
    const char* name;
    int a, b;
    float length;
  };
  static const C kJoins[] = {{"constraint(25)", 0, 1, kSide}, {"constraint(28)", 0, 2, kSide},
                             {"constraint(28)", 0, 3, kDiag}, {"constraint(21)", 0, 4, kHalf},
                             {"constraint(28)", 1, 2, kDiag}, {"constraint(26)", 1, 3, kSide},
                             {"constraint(24)", 1, 4, kHalf}, {"constraint(27)", 2, 3, kSide},
                             {"constraint(23)", 2, 4, kHalf}, {"constraint(22)", 3, 4, kHalf}};
  for (const C& j : kJoins) {
    auto c = TPhysEngine_Constraint::Create(g.get(), p[j.a], p[j.b], engine);
    if (!c) continue;
    // Set directly: the three "constraint(28)" share their name on purpose.
    c->name = j.name;
    c->length = j.length;
    c->stiffness = 1.0f;
    c->ctype = TPhysEngine::PULLPUSH;
  }
  return g;
}

void TBlock::Load(const platform::StreamRef&) {
  Group = CreateBlockGroup();
  if (!Group) return;
  Center = TPhysEngine_Particle::Find(Group.get(), "center");
  Align = TPhysEngine_Particle::Find(Group.get(), "align");
  UpLeft = TPhysEngine_Particle::Find(Group.get(), "particle");
  UpRight = TPhysEngine_Particle::Find(Group.get(), "particle(2)");
  DownLeft = TPhysEngine_Particle::Find(Group.get(), "particle(3)");
  DownRight = Align;
  for (const auto& p : {Center, Align, UpLeft, UpRight, DownLeft})
    if (p) p->sticky = 1;
  for (const auto& p : {UpLeft, UpRight, DownLeft, DownRight})
    if (p) p->dusty = 1;
}

void TBlock::SetClass() {
  if (class_ != BOSS) {
    // The trailing digits of a file's class carry the armour: 3, 30, 300.
    armor = 0;
    int c = class_;
    while (c >= 10) {
      c /= 10;
      ++armor;
    }
    class_ = c;
    max_armor = armor;
  }
  if (Group) Group->class_ = class_;
}

Ref<TBlock> TBlock::Copy() {
  auto box = Create(0, 0, 0, 0);
  box->class_ = class_;
  box->SetClass();
  box->armor = armor;
  box->bonus_class = bonus_class;
  box->boss_class = boss_class;  // a copied boss stays the same kind
  box->Money = Money;
  box->scale = scale;
  if (box->Group) box->Group->Scale(scale);
  box->Released = 1;
  if (box->Group) {
    box->Group->Released = 1;
    box->Group->class_ = box->class_;
    box->Group->boss_class = box->boss_class;
  }
  const Ref<TPhysEngine_Particle> from[] = {Center, Align, UpLeft, UpRight, DownLeft};
  const Ref<TPhysEngine_Particle> to[] = {box->Center, box->Align, box->UpLeft, box->UpRight, box->DownLeft};
  for (int i = 0; i < 5; ++i) {
    if (!from[i] || !to[i]) continue;
    to[i]->static_ = from[i]->static_;
    to[i]->Position(from[i]->x, from[i]->y);
  }
  if (box->Group)
    for (auto p = box->Group->frstp.get(); p; p = p->nxt.get()) p->WaterDrop = 1;
  return box;
}

void TBlock::Position(float x, float y, int reset) {
  if (Group) Group->Position(x, y, reset);
}

void TBlock::Translate(float dx, float dy) {
  if (Group) Group->Translate(dx, dy);
}

void TBlock::Move(float vx, float vy) {
  if (Group) Group->Move(vx, vy);
}

void TBlock::MoveBlocks(float x, float y) {
  for (const auto& box : BlockList)
    if (box->Group) box->Group->Position(x, y, 1);
}

void TBlock::Del() {
  KillParaziteEffects();
  if (Group) {
    Group->Remove();  // takes its particles and constraints with it
    ClearChainData(*Group);
  }
  Group = nullptr;
  Center = Align = UpLeft = UpRight = DownLeft = DownRight = nullptr;
}

void TBlock::Destroy(const Ref<TBlock>& box) {
  if (!box) return;
  box->Del();
  if (box->Light) {
    box->Light->Remove();
    box->Light = nullptr;
  }
  BlockList.Remove(box);
  if (CurrentTrolley) CurrentTrolley->Blocks.Remove(box);
  // Nothing else may go on using a box that is gone.
  if (BrownieBlock.lock() == box) BrownieBlock.reset();
  if (PlayerState && PlayerState->box == box) PlayerState->box = nullptr;
}

int TBlock::ClearBlocks() {
  for (const auto& box : BlockList) {
    box->Del();
    if (box->Light) {
      box->Light->Remove();
      box->Light = nullptr;
    }
  }
  BlockList.Clear();
  BrownieBlock.reset();
  if (PlayerState && PlayerState->box && PlayerState->box->Deleted()) PlayerState->box = nullptr;
  return 1;
}

// -------------------------------------------------------------- colours

int TBlock::GenerateClass() {
  const int gameType = GameState ? GameState->GameType : 0;
  int c = DrawColor(gameType);
  const bool restricted = gameType == 1 || gameType == 10 || gameType == 100 || gameType == 4 || gameType == 6;
  if (!restricted || ReleasedBlockCount == 0) return c;
  const int n = PresentClasses();
  if (n == 0) return DrawColor(gameType);
  c = DrawColor(gameType);
  if ((n < 2 && WallStanding) || (n < 2 && ParaziteInPlay) || BossInPlay) return c;
  // No colour on the field can come up in this level type: keep the first draw.
  if (!PresentInRange(ColorRange(gameType))) return c;
  while (ReleasedClasses[c - 1] != 1) c = DrawColor(gameType);
  return c;
}

// ---------------------------------------------------------------- images

void TBlock::Init() {
  ImageBlockSteel = TAnimImage::Load2("IMAGE_BLOCK_STEEL", -1);
  ImageBlockGold = TAnimImage::Load2("IMAGE_BLOCK_GOLD", -1);
  ImageBlockRed = TAnimImage::Load2("IMAGE_BLOCK_RED", -1);
  ImageBlockGreen = TAnimImage::Load2("IMAGE_BLOCK_GREEN", -1);
  ImageBlockBlue = TAnimImage::Load2("IMAGE_BLOCK_BLUE", -1);
  ImageBlockOrange = TAnimImage::Load2("IMAGE_BLOCK_ORANGE", -1);
  ImageBlockBrown = TAnimImage::Load2("IMAGE_BLOCK_BROWN", -1);
  ImageBlockSky = TAnimImage::Load2("IMAGE_BLOCK_SKY", -1);
  ImageBlockPurple = TAnimImage::Load2("IMAGE_BLOCK_PURPLE", -1);
  ImageBonusExplosion = TAnimImage::Load2("IMAGE_BONUS_EXPLOSION", -1);
  ImageBonusParabomb = TAnimImage::Load2("IMAGE_BONUS_PARABOMB", -1);
  ImageBonusFreeze = TAnimImage::Load2("IMAGE_BONUS_FREEZE", -1);
  ImageBonusResize = TAnimImage::Load2("IMAGE_BONUS_RESIZE", -1);
  ImageBonusRay = TAnimImage::Load2("IMAGE_BONUS_RAY", -1);
  ImageChest01 = TAnimImage::Load2("IMAGE_CHEST_01", -1);
  ImageChest02 = TAnimImage::Load2("IMAGE_CHEST_02", -1);
  ImageBlockIce = TAnimImage::Load2("IMAGE_BLOCK_ICE", -1);
}

}  // namespace kelp
