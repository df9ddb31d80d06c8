// The per-frame box logic: chain sizes, removal tickets, combos, electric
// links between boxes of a pending chain, the red line and the faces.
#include <cmath>
#include <string>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/particles.h"
#include "framework/media/sound.h"
#include "world/effects/alarm.h"
#include "world/effects/counters.h"
#include "world/effects/electro.h"
#include "world/effects/flying_text.h"
#include "world/level.h"
#include "world/light.h"
#include "world/effects/message_label.h"
#include "world/game_state.h"
#include "world/game_interface.h"
#include "world/player_state.h"
#include "world/block.h"
#include "world/floor.h"
#include "world/handle.h"
#include "world/obstacle.h"
#include "world/resource_bindings.h"
#include "world/trolley.h"
#include "world/world.h"

namespace kelp {

int ChainMinimum = 3;
int CriticalDelay = 8000;
int ComboCount = 0;
int ComboTime = 0;
int ComboX = 0, ComboY = 0;
int LastRemoveSoundTime = 0;
Ref<TEmitter> ChestCoins;
Ref<TEmitter> ChestCoinsLight;

namespace {

constexpr float kRadToDeg = 180.0f / 3.14159265358979323846f;

bool IsParaziteKind(const TBlock& b) {
  return b.class_ == TBlock::PARAZITE ||
         (b.class_ == TBlock::BOSS &&
          (b.boss_class == TBlock::PARAZ || b.boss_class == TBlock::ELITE || b.boss_class == TBlock::BROWNIE_FULL ||
           b.boss_class == TBlock::BROWNIE || b.boss_class == TBlock::SMALL_ELITE));
}

bool Chains(int class_) { return class_ != TBlock::PARAZITE && class_ != TBlock::BONUS && class_ != TBlock::BOSS; }

// Has the delay passed since the box's last ticket? Frame-scaled slack of 100 ms.
bool TicketFree(const TBlock& b, float dt) {
  return GameTime > static_cast<double>(b.TicketTime) + b.TicketRemoveTime + 100.0 * dt;
}

int GameType() { return GameState ? GameState->GameType : 0; }
int SkipRound() { return GameState ? GameState->SkipRound : 0; }
int LevelOver() { return GameState ? GameState->Over : 0; }
// A won round is not lost afterwards by a box still above the red line.
int RoundWon() { return GameState ? GameState->Complete : 0; }

// Every box of the level whose body is the group.
template <class F>
void ForBoxesOf(const TPhysEngine_Group* g, F f) {
  for (const auto& b : BlockList)
    if (b->Group.get() == g) f(b);
}

void Snapshot(std::vector<Ref<TBlock>>& out) {
  out.clear();
  out.reserve(BlockList.Count());
  for (const auto& b : BlockList) out.push_back(b);
}

int PresentCount() {
  int n = 0;
  for (int v : ReleasedClasses)
    if (v == 1) ++n;
  return n;
}

bool Present(int c) { return c >= 1 && c <= 8 && ReleasedClasses[c - 1] == 1; }

// A colour present on the field, drawn the way the held box is redrawn; 0
// when the level type draws none of the present colours.
int DrawPresent(int gameType) {
  const int top = gameType == 100 ? 7 : gameType == 10 ? 6 : 5;
  bool any = false;
  for (int c = 1; c <= top; ++c) any = any || Present(c);
  if (!any) return 0;
  int c;
  do c = Rand(1, top);
  while (!Present(c));
  return c;
}

void TintClaw(int c) {
  if (c < 1 || c > 7 || !PlayerState || !PlayerState->Handle) return;
  PlayerState->Handle->Color = BlockClassColor(c);
}

// Steps 9 and 10 of the frame: keep the held box and the next colour to the
// colours still on the field.
void RecolourHeld() {
  if (!PlayerState || !PlayerState->box || PlayerState->NextBlockClass < 1 || ReleasedBlockCount <= 0) return;
  const int gameType = GameType();
  const bool redraws = gameType == 1 || gameType == 10 || gameType == 100;
  const Ref<TBlock> held = PlayerState->box;
  const int heldClass = held->class_;
  if (heldClass >= 1 && heldClass <= 8 && !Present(heldClass)) {
    const int n = PresentCount();
    if (n >= 1 && (WallStanding || ParaziteInPlay || BossInPlay)) return;
    if (n >= 1 && redraws) {
      if (const int c = DrawPresent(gameType)) {
        held->class_ = c;
        if (held->Group) held->Group->class_ = c;
        PlayerState->CurrentBlockClass = c;
        PlayerState->NextBlockClass = TBlock::GenerateClass();
        TintClaw(PlayerState->NextBlockClass);
      }
    }
  }
  if (PlayerState->NextBlockClass >= 1 && PlayerState->NextBlockClass <= 8 && !Present(PlayerState->NextBlockClass)) {
    const int n = PresentCount();
    if (n >= 1 && (WallStanding || ParaziteInPlay || BossInPlay)) return;
    if (n >= 1 && redraws) {
      if (const int c = DrawPresent(gameType)) {
        PlayerState->NextBlockClass = c;
        TintClaw(c);
      }
    }
  }
}

void ChestCoinsStep() {
  if (!ChestCoins) return;
  const Ref<TCount> money = GameInterface ? GameInterface->Money : nullptr;
  if (ChestCoins->Magneted) {
    if (money) money->started = 1;
    if (!ChestCoinsLight) {
      ChestCoinsLight = TEmitter::Create(120, 150, EffectCoinsLight, 0);
      if (GameInterface) GameInterface->AddEmitter(ChestCoinsLight);
      PlaySoundEffect("SOUND_CHEST_COINS", 0, 0);
    }
  }
  if (ChestCoins->Death) {
    if (ChestCoinsLight) ChestCoinsLight->GenerationStop = 1;
    ChestCoins = nullptr;
    ChestCoinsLight = nullptr;
    if (money) {
      money->started = 0;
      money->Ammount = static_cast<float>(money->TargetAmmount);
    }
  }
}

void ComboTextStep(float dt) {
  if (!(GameTime >= ComboTime + 900.0 * dt)) return;
  int entry = 0;
  if (ComboCount >= 10) entry = Rand(46, 47);
  else if (ComboCount >= 7) entry = Rand(48, 49);
  else if (ComboCount >= 4) entry = Rand(50, 52);
  if (entry) {
    const std::string& text = GameTexts[entry];
    const int width = Font02 ? Font02->StringWidth(text) : 0;
    const int y = std::min(ComboY, 560);
    TFlyingChar::CreateFlyingText(text, static_cast<float>(ComboX) - width / 2.0f, static_cast<float>(y), 1000,
                                  0.02f, Font02, 1, 0, 0);
    if (GameState) GameState->Combos += 1;
  }
  ComboCount = 0;
}

void LoseLevel() {
  SetBMFont(Font02);
  const std::string& text = GameTexts[9];
  const float x = 380.0f - BMTextWidth(text) / 2.0f;
  TFlyingChar::CreateFlyingText(text, x, 260, 1200, 0.02f, Font02, 0, 0, 1);
  if (GameState) {
    GameState->Timer = GameTime;
    GameState->Over = 1;
  }
  StopSoundEffect("SOUND_REDLINE_WARNING");
  if (PlayerState) PlayerState->enabled = 0;
  WriteLog("Player looses", LOG_MESSAGE);
}

}  // namespace

// ----------------------------------------------------------------- frame

void TBlock::UpdateBlocks(float dt) {
  ParaziteInPlay = 0;
  BossInPlay = 0;

  ChestCoinsStep();

  // Chain sizes: every box adds the size of its chain, itself included. The
  // boxes are taken into a flat array first: nothing leaves the list here,
  // and the square loop stays cheap.
  std::vector<Ref<TBlock>> boxes;
  Snapshot(boxes);
  std::vector<TPhysEngine_Group*> groups;
  groups.reserve(boxes.size());
  for (const auto& b : boxes)
    if (b->Group) groups.push_back(b->Group.get());
  for (TPhysEngine_Group* g : groups) {
    MarkConnectedGroups(*g);
    for (TPhysEngine_Group* o : groups) {
      if (!o->inClosedList) continue;
      g->CollidedObjects += 1;
      o->inClosedList = 0;
    }
  }

  for (const auto& b : BlockList) b->Update(dt);

  // Alarm and electric links; making a link takes no box away.
  bool alarm = false;
  const int now = LevelClock();
  Snapshot(boxes);
  for (const auto& t : boxes) {
    if (t->CriticalTime != 0 && now > static_cast<double>(t->CriticalTime) + CriticalDelay / 2 && !SkipRound())
      alarm = true;
    if (t->bonus_apply != 0 || !t->TicketElectro || !Chains(t->class_)) continue;
    for (const auto& w : boxes) {
      if (w->bonus_apply != 0 || w->class_ != t->class_ || !w->TicketElectro) continue;
      if (t->Electro && w->Electro) continue;
      TBlockElectro::Create(t, w, 0);
      t->Electro = 1;
      w->Electro = 1;
    }
  }
  if (GameState && GameState->Alarm) {
    const Ref<TAlarm>& a = GameState->Alarm;
    if (!alarm && !a->paused) a->Pause(1);
    else if (alarm && a->paused) a->Pause(0);
  }

  ComboTextStep(dt);

  // Counts.
  ReleasedBlockCount = 0;
  for (int& v : ReleasedClasses) v = 0;
  for (const auto& u : BlockList) {
    if (u->class_ >= RED && u->class_ <= GREY && u->Released) ReleasedClasses[u->class_ - 1] = 1;
    if (u->Released && (u->class_ != BONUS || u->bonus_class == CHEST_01 || u->bonus_class == CHEST_02))
      ReleasedBlockCount += 1;
    if (u->Light) u->Light->Update(dt);
  }

  // On a trolley level only the trolley's boxes count as in play.
  if (CurrentTrolley) {
    ParaziteInPlay = 0;
    BossInPlay = 0;
    for (int& v : ReleasedClasses) v = 0;
    for (const auto& u : CurrentTrolley->Blocks) {
      if (u->Deleted()) continue;
      if (IsParaziteKind(*u)) ParaziteInPlay = 1;
      if (u->class_ == BOSS) BossInPlay = 1;
      if (u->Released && u->class_ >= RED && u->class_ <= GREY) ReleasedClasses[u->class_ - 1] = 1;
    }
  }

  RecolourHeld();
}

void TBlock::Update(float dt) {
  if (!Group) return;
  if (IsParaziteKind(*this)) ParaziteInPlay = 1;
  if (class_ == BOSS) BossInPlay = 1;

  if (Group->Active && Group->ActiveStartTime && GameTime > Group->ActiveStartTime + 1000.0 * dt) {
    Group->Active = 0;
    Group->ActiveStartTime = 0;
  }

  UpdateBoxBlink();
  BlinkUpdate();
  StateUpdate();

  if (Center && Align) {
    RenderX = Center->x;
    RenderY = Center->y;
    Angle = std::atan2(Center->y - Align->y, Center->x - Align->x) * kRadToDeg + 180.0f - 45.0f;
  }

  if (!GameState || !GameState->Paused) UpdateParaziteEffects(dt);
  if (!Group) return;  // a parasite step may have taken the box
  UpdateCollisions(dt);

  // The red line. Its times are kept on the level clock, so pauses before or
  // during the stay above it never count.
  const float line = (World ? World->CriticalLine : 0) + 20.0f;
  const Ref<TAnimImage> pimpo = LevelLinks.RedLineMarker ? LevelLinks.RedLineMarker() : nullptr;
  if (RenderY >= line && CriticalTime != 0) {
    CriticalTime = 0;
    if (pimpo) {
      pimpo->Paused = 1;
      pimpo->Frame = 0;
    }
  } else if (RenderY < line && Released && !SkipRound()) {
    if (pimpo && pimpo->Paused) {
      pimpo->Paused = 0;
      pimpo->UpdTime = GameTime;
    }
    State = OUCH;
    const int now = LevelClock();
    if (CriticalTime == 0) CriticalTime = now != 0 ? now : 1;
    if (!LevelOver() && now > static_cast<double>(CriticalTime) + 3000)
      PlaySoundEffect("SOUND_REDLINE_WARNING", 0, 0);
    if (now > static_cast<double>(CriticalTime) + CriticalDelay && !LevelOver() && !RoundWon()) {
      LoseLevel();
      CriticalTime = 0;
    }
  }

  CheckTicket();
  if (!Group) return;
  CheckOffScreen();
}

void TBlock::UpdateCollisions(float dt) {
  if (!Group) return;
  TPhysEngine_Group& g = *Group;
  if (g.CollideList2.IsEmpty() && g.ParaziteOnBoard != PARAZITE_STATIC) {
    g.ParaziteOnBoardTime = 0;
    g.ParaziteOnBoard = NO_PARAZITE;
  }

  if (Chains(class_) && g.CollidedObjects >= ChainMinimum) {
    // Parasites, bosses and bonus boxes touching a chain go with it.
    auto takeAlong = [dt](const Ref<TPhysEngine_Group>& other) {
      ForBoxesOf(other.get(), [dt](const Ref<TBlock>& b) {
        if (!TicketFree(*b, dt)) return;
        b->GiveTicket(0);
        if (b->Group) ClearChainData(*b->Group);
      });
    };
    for (const auto& other : g.CollideList2) takeAlong(other);
    for (const auto& other : g.CollideListBonus) takeAlong(other);
    GiveTicketElectro();
    if (TicketFree(*this, dt)) {
      GiveTicket(0);
      ClearChainData(g);
    }
    return;
  }

  if (Chains(class_) && bonus_apply == 0 && g.CollidedObjects < ChainMinimum && Ticket) {
    // The chain broke before its boxes went: everyone touching gives back.
    auto giveBack = [](const Ref<TPhysEngine_Group>& other) {
      ForBoxesOf(other.get(), [](const Ref<TBlock>& b) {
        if (b->Ticket) b->TakeTicket();
      });
    };
    for (const auto& other : g.CollideList2) giveBack(other);
    for (const auto& other : g.CollideListBonus) giveBack(other);
    TakeTicket();
  }
  ClearChainData(g);
}

// --------------------------------------------------------------- tickets

void TBlock::GiveTicket(int value) {
  if (Ticket) return;
  TicketTime = GameTime;
  Ticket = 1;
  bonus_apply = value;
  ComboTime = GameTime;
  ComboX = Int(RenderX);
  ComboY = Int(RenderY);
  State = OUCH;
}

void TBlock::GiveTicketElectro() { TicketElectro = 1; }

void TBlock::TakeTicket() {
  TicketTime = GameTime;
  Ticket = 0;
  TicketElectro = 0;
  bonus_apply = 0;
  if (Group) ClearChainData(*Group);
  TBlockElectro::Destroy(this);
  Electro = 0;  // its links are gone
}

void TBlock::CheckTicket() {
  if (!Ticket || !(GameTime >= static_cast<double>(TicketTime) + TicketRemoveTime)) return;
  TakeTicket();
  if (armor == 0 && class_ != PARAZITE && class_ != BONUS) ComboCount += 1;
  Remove(shared_from_this());
}

void TBlock::Remove(const Ref<TBlock>& box) {
  if (!box || box->Deleted()) return;
  int m = 1;
  if (ComboCount > 3) {
    m = (ComboCount + 2) / 3;
    if (GameState) GameState->MaxCombo = std::max(GameState->MaxCombo, m);
  }

  if (box->armor == 0 && GameTime > static_cast<double>(LastRemoveSoundTime) + 80 && box->bonus_class != ICE) {
    const char* sound = ComboCount <= 3   ? "SOUND_BLOCK_REMOVE_01"
                        : ComboCount <= 6 ? "SOUND_BLOCK_REMOVE_02"
                        : ComboCount <= 9 ? "SOUND_BLOCK_REMOVE_03"
                                          : "SOUND_BLOCK_REMOVE_04";
    PlaySoundEffect(sound, 0, 1);
    LastRemoveSoundTime = GameTime;
  }

  if (box->class_ == BONUS) box->BonusApply();
  if (box->Deleted()) return;  // a bonus may have gone off on itself

  if (World && World->MovingFloor)
    World->MovingFloor->SlowDown(0, box->class_ == PARAZITE || box->class_ == BOSS ? 0.05f : 0.03f);

  const int points = box->class_ == PARAZITE || box->class_ == BONUS || box->class_ == BOSS ? 0 : 10 * m;
  if (PlayerState) PlayerState->scores += points;
  if (points != 0) {
    std::string label(1, '+');  // appended, not "+" + ...: GCC 12 warns falsely on that
    label += std::to_string(points);
    TAdvancedMessageLabel::CreateLabel(label, box->RenderX, box->RenderY, FontBlockScores, ColorWhite, 0.2f, 0.6f,
                                       0.015f);
  }

  box->Explode(m);
  if (box->Deleted()) return;

  if (box->armor > 0) {
    box->armor -= 1;
    PlaySoundEffect(box->class_ == BONUS && box->bonus_class == ICE ? "SOUND_BLOCK_ICE" : "SOUND_BLOCK_ARMOR", 0, 1);
    return;
  }
  if (box->Center) TObstacle::Hit(box->Center->x, box->Center->y, box->scale * 72.73f, 1.0f);
  if (PlayerState) PlayerState->ReleasedCreatures += 1.0f;
  Destroy(box);
}

void TBlock::CheckOffScreen() {
  if (RenderX > 850 || RenderX < -250 || RenderY > 650 || RenderY < -50) Destroy(shared_from_this());
}

// ------------------------------------------------------------ animation

void TBlock::StateUpdate() {
  if (!(GameTime > static_cast<double>(StateTime) + StateLifeTime)) return;
  State = Rand(0, 1) == 1 ? Rand(1, 4) : 0;
  StateTime = GameTime + Rand(1000, 3000);
}

void TBlock::BlinkUpdate() {
  if (class_ == BONUS) {
    const int pause = bonus_class == TIME_FREEZE ? 200 : 100;
    if (GameTime > static_cast<double>(BonusAnimTime) + pause) {
      BonusAnimTime = GameTime;
      BonusAnimFrame += 1;
      const int last = bonus_class == PARABOMB ? 8 : bonus_class == TIME_FREEZE ? 3 : 7;
      if (BonusAnimFrame > last) BonusAnimFrame = 0;
    }
  }
  if (GameTime > BlinkTime && Rand(0, 15) == 0 && !Blink) Blink = 1;
  if (GameTime > static_cast<double>(BlinkTime) + 200 && Blink) {
    Blink = 0;
    BlinkTime = GameTime + Rand(2000, 6000);
  }
}

void TBlock::UpdateBoxBlink() {
  if (armor == 0) return;
  if (!(GameTime > static_cast<double>(BoxBlinkTime) + 100)) return;
  BoxBlinkTime = GameTime;
  BoxBlinkFrame += 1;
  if (BoxBlinkFrame > 3) {
    BoxBlinkFrame = 0;
    BoxBlinkTime = GameTime + BoxBlinkSpeed;
  }
}

}  // namespace kelp
