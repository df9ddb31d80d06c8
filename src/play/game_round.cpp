// The round's clock, its win and loss, and the road from a finished round to
// the next one, the results, or the game-over screen.
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/media/bmfont.h"
#include "framework/media/fade.h"
#include "framework/media/sound.h"
#include "framework/media/textured_poly.h"
#include "framework/media/visuals.h"
#include "play/brownie_transform.h"
#include "play/dialog_game.h"
#include "play/game.h"
#include "play/game_over.h"
#include "play/in_game_interface.h"
#include "play/level_complete.h"
#include "play/player.h"
#include "play/red_line.h"
#include "world/block.h"
#include "world/brick.h"
#include "world/effects/alarm.h"
#include "world/effects/chain_lights.h"
#include "world/effects/counters.h"
#include "world/effects/flying_text.h"
#include "world/floor.h"
#include "world/game_interface.h"
#include "world/level.h"
#include "world/light.h"
#include "world/obstacle.h"
#include "world/resource_bindings.h"
#include "world/trolley.h"
#include "world/world.h"

namespace kelp {

namespace {

constexpr int kLastLevel = 67;  // ends through the brownie's transformation
constexpr int kTextX = 380;     // captions are centred on this x

// A caption in Font02 flown in centred on x 380.
void FlyText(const std::string& text, float y, int hang, int mode, int wait, int sound) {
  SetBMFont(Font02);
  const float x = static_cast<float>(Int(kTextX - BMTextWidth(text) / 2.0f));
  TFlyingChar::CreateFlyingText(text, x, y, hang, 0.02f, Font02, mode, wait, sound);
}

void StopMovingFloor() {
  if (World && World->MovingFloor) World->MovingFloor->dy = World->MovingFloor->_dy = 0.0f;
}

// The money counter shows the player's money at once.
void ShowMoneyNow() {
  if (!GameInterface || !GameInterface->Money || !Player) return;
  GameInterface->Money->TargetAmmount = Player->money;
  GameInterface->Money->Ammount = static_cast<float>(Player->money);
}

void ShowPointsNow() {
  if (!GameInterface || !GameInterface->Points || !Player) return;
  GameInterface->Points->TargetAmmount = Player->scores;
  GameInterface->Points->Ammount = static_cast<float>(Player->scores);
}

bool IsClearType(int type) { return type == 1 || type == 4 || type == 6 || type == 10 || type == 100; }

}  // namespace

// --------------------------------------------------------------- tables

int OpeningDialog(int stage, int round, int gameMode) {
  static const std::map<std::pair<int, int>, int> table = {
      {{1, 1}, 1004},  {{1, 2}, 1005},  {{2, 1}, 1009},  {{4, 1}, 1012},  {{5, 1}, 1017},
      {{6, 1}, 1022},  {{8, 1}, 1026},  {{11, 1}, 1033}, {{11, 2}, 1035}, {{12, 1}, 1049},
      {{15, 2}, 1039}, {{16, 1}, 1045}, {{17, 1}, 2006}, {{17, 2}, 2007}, {{20, 1}, 2012},
      {{22, 1}, 2035}, {{24, 2}, 2015}, {{26, 2}, 2036}, {{27, 1}, 2037}, {{29, 1}, 2038},
      {{30, 2}, 2039}, {{33, 2}, 2029}, {{34, 1}, 2030}};
  if (stage == 26 && round == 2 && gameMode != TGameState::NORMAL) return 0;
  const auto it = table.find({stage, round});
  return it == table.end() ? 0 : it->second;
}

TClosingDialog ClosingDialog(int stage, int round) {
  static const std::map<std::pair<int, int>, TClosingDialog> table = {
      {{1, 2}, {1006, 4000, 2}},  {{2, 2}, {1010, 4000, 2}},  {{3, 2}, {1013, 4000, 2}},
      {{5, 2}, {1018, 4000, 2}},  {{6, 2}, {1023, 4000, 2}},  {{8, 2}, {1027, 4000, 2}},
      {{11, 1}, {1034, 1000, 3}}, {{11, 2}, {1036, 4000, 2}}, {{12, 2}, {1050, 4000, 2}},
      {{15, 2}, {1040, 4000, 2}}, {{16, 1}, {1046, 4000, 2}}, {{17, 2}, {2008, 4000, 2}},
      {{34, 1}, {2031, 4000, 2}}};
  const auto it = table.find({stage, round});
  return it == table.end() ? TClosingDialog{} : it->second;
}

// ---------------------------------------------------------------- skill

int SkillAdjustedTime(int limit, float skill) {
  if (!(skill > 0.0f && skill < 1.0f)) return limit;
  const double l = limit, s = skill;
  if (s > 0.8) return static_cast<int>(l + l * (5.0 * s - 4.0) / 2.0);
  return static_cast<int>(l + l * (1.25 * s - 1.0) / 2.0);
}

float SkillAfterRound(float skill, float usedShare) {
  if (std::isnan(usedShare)) return skill;
  if (!(skill >= 0.0f)) skill = 0.0f;  // NaN from an old save counts as none
  skill = std::min(skill, 1.0f);
  const float f = std::clamp(usedShare, 0.0f, 1.0f);
  return std::clamp(skill > 0.0f ? (f + skill) / 2.0f : f, 0.0f, 1.0f);
}

float TGame::UsedShare() const {
  if (LevelLengthTime <= 0) return 0.0f;
  const float f = static_cast<float>(GameTime - PlayTime - PausedTime) / static_cast<float>(LevelLengthTime);
  return std::clamp(f, 0.0f, 1.0f);
}

// ---------------------------------------------------------------- clock

void TGame::TimeCheck() {
  if (Paused || GameMode == RELAXED || SkipRound) return;
  // A limit of 0 is no limit: the clock stands and never runs out.
  if (LevelLengthTime <= 0) return;
  const int used = PlayTime + PausedTime;
  const double angle =
      std::floor(static_cast<double>(GameTime - used) / LevelLengthTime * 1000.0) / 1000.0 * 360.0;
  if (TimeFreeze) return;
  if (!Complete && InGameInterface && InGameInterface->ClockShadow)
    InGameInterface->ClockShadow->SetDrawSector(Int(static_cast<float>(angle)), 0);
  if (angle > 360.0 && !Over && !Complete) {
    WriteLog("Out of time", LOG_MESSAGE);
    if (Player) Player->enabled = 0;
    Over = 1;
    StopSoundEffect("SOUND_CLOCK_WARNING");
    Timer = GameTime;
    FlyText(GameTexts[3], 260, 1200, 0, 0, 1);
  }
  const int left = LevelLengthTime + used - GameTime;
  if (!Complete && !Over && InGameInterface) InGameInterface->ClockTime = left / 1000;
  if (left <= 25000 && !TimeWarning20 && !Complete) {
    if (InGameInterface) {
      if (InGameInterface->ClockLight) InGameInterface->ClockLight->Remove();
      auto light = New<TLight>();
      light->Init2(91, 216, CreateColor(200, 30, 50), 3.0f, 1);
      InGameInterface->ClockLight = light;
    }
    TimeWarning20 = 1;
  }
  if (left <= 15000 && !TimeWarning10 && !Complete) {
    TimeWarning10 = 1;
    PlaySoundEffect("SOUND_CLOCK_WARNING", 0, 0);
  }
}

// ---------------------------------------------------------------- fades

void TGame::FadeCheck() {
  if (!ScreenFade) return;
  if (started) {
    if (!ScreenFade->set) {
      ScreenFade->Init(1.0f, -0.01f, 1.0f);
    } else if (ScreenFade->alpha <= 0.0f) {
      started = 0;
      ScreenFade->pause = 1;
      ScreenFade->set = 0;
    }
  }
  if (!Paused && Over && GameTime > Timer + 2000) {
    if (!ScreenFade->set) ScreenFade->Init(0.0f, 0.008f, 1.0f);
    if (ScreenFade->alpha == 1.0f && ScreenFade->set && !GameOverForm_.lock()) GameOverForm_ = ShowGameOver();
  }
}

// ------------------------------------------------------------ the win

void TGame::SetComplete() {
  Timer = GameTime;
  Complete = 1;
  WinShare_ = UsedShare();
  StopSoundEffect("SOUND_CLOCK_WARNING");
  PlaySoundEffect("SOUND_THERMOMETER", 0, 0);
  if (ScreenFade) ScreenFade->set = 0;
  CompleteText = 0;
  if (Player) {
    Player->enabled = 0;
    OrbicsReleased += static_cast<int>(Player->ReleasedCreatures);
  }
  StopMovingFloor();
}

int TGame::WinTest() {
  if (Paused || !Player || !World) return 0;
  if (GameType == 2 || GameType == 20 || GameType == 200) {
    if (Player->ReleasedCreatures < 0.0f) Player->ReleasedCreatures = 0.0f;
    if (Player->ReleasedCreatures >= World->CreaturesToRelease) {
      Player->ReleasedCreatures = World->CreaturesToRelease;
      GameType /= 2;
      TChainLights::Stop();
    }
    return 0;
  }
  if (!IsClearType(GameType) || Complete) return 0;
  const bool trolley = CurrentTrolley && Player->ReleasedCreatures >= World->CreaturesToRelease &&
                       CurrentTrolley->Blocks.IsEmpty();
  const bool wall = !BrickGrid.empty() && BrickCount == 0 && ReleasedBlockCount == 0;
  const bool field = BrickGrid.empty() && ParaziteObstacleLeft == 0 && ReleasedBlockCount == 0;
  if (!trolley && !wall && !field) return 0;
  SetComplete();
  return 1;
}

void TGame::CompleteCheck() {
  if (!Paused && Complete && !DialogEnd) {
    DialogEnd = 1;
    EndText();
    if (!CustomLevel) {
      const TClosingDialog d = ClosingDialog(Stage, Round);
      if (d.id) {
        if (Ref<TDialogGame> dialog = TDialogGame::Create(d.id, d.delay, d.kind)) Dialog = dialog;
      }
    }
  }
  const bool dialogDone = Dialog && Dialog->Dialog && Dialog->Dialog->Death;
  if (Complete && Paused && (!Dialog || dialogDone)) Pause(0);

  if (!Paused && Complete && GameTime > Timer + 400) {
    if (!LevelCompleted) {
      const bool ready = Dialog ? dialogDone : GameTime > Timer + 2000;
      const bool results = TLevel::GetInfo(Level + 1, 0) > TLevel::GetInfo(Level, 0) || CustomLevel;
      if (ready && results) {
        if (!CompleteForm) {
          LevelCompleteForm();
          CompleteForm = ShowLevelComplete();
        }
      } else if (ScreenFade && !ScreenFade->set && GameTime > Timer + 2000) {
        ScreenFade->Init(0.0f, 0.008f, 1.0f);
      }
    }
    if (ScreenFade && ScreenFade->alpha == 1.0f && ScreenFade->set && !LevelCompleted) {
      LevelCompleted = 1;
      if (Level == kLastLevel)
        TBrownieTransform::Create();
      else
        LevelComplete();
    }
  }
  WinTest();
}

void TGame::LevelCompleteForm() {
  BonusTime += WinShare_ * 0.5f;
  if (SkipRound) BonusTime = 1.0f;
  if (Player) LevelMoney = Player->money - Player->old_money;
}

void TGame::LevelComplete() {
  Pause(0);
  StopSoundEffect("SOUND_CLOCK_WARNING");
  if (SkipRound) {
    BonusTime = 1.0f;
  } else {
    BonusTime += WinShare_ * 0.5f;
    // The skill follows only rounds played against a clock.
    float skill = 0.0f;
    if (GameMode != RELAXED && LevelLengthTime > 0 && GameLinks.GetSkill && GameLinks.GetSkill(skill) &&
        GameLinks.SetSkill)
      GameLinks.SetSkill(SkillAfterRound(skill, WinShare_));
  }
  PlayTime = GameTime - PlayTime - PausedTime;
  if (Level > 0) {
    TotalTime += PlayTime / 1000;
    TotalPlayTime += PlayTime;
    WriteLog(std::string(SkipRound ? "Skipped level " : "Level ") + std::to_string(Stage) + " Round " +
                 std::to_string(Round) + " Time: " + std::to_string(PlayTime / 60000) + " min " +
                 std::to_string((PlayTime / 1000) % 60) + " sec",
             LOG_MESSAGE);
  }
  Timer = GameTime;
  Round += 1;
  Clear();
  TLevel::NextLevel();
}

// ---------------------------------------------------------- the loss road

void TGame::Restart() {
  music = 0;
  PlayTime = GameTime;
  Combos = MaxCombo = 0;
  BonusTime = 0.0f;
  LevelMoney = 0;
  if (ScreenFade) ScreenFade->set = 0;
  Round = 1;
  if (Player) {
    // The failed tries of the stage earn nothing: score and money go back
    // to where the stage began.
    Player->money = Player->old_money;
    Player->scores = Player->old_scores;
  }
  ShowMoneyNow();
  ShowPointsNow();
  TLevel::SetLevel(TLevel::PrevLevel());
  Start();
}

void TGame::Skip() {
  if (Alarm) Alarm->off = 1;
  if (Player)
    for (const auto& box : BlockList) Player->money += box->Money;
  VisualsList.RemoveIf([](const Ref<TVisuals>& v) { return dynamic_cast<TFlyingChar*>(v.get()) != nullptr; });
  ShowMoneyNow();
  SkipRound = 1;
  started = 1;
  Over = 0;
  SetComplete();
  Pause(1);
}

// ---------------------------------------------------------------- texts

void TGame::StartText() {
  if (CustomLevel) {
    FlyText(GameTexts[6] + " " + std::to_string(Level), 230, 800, 0, 200, 1);
  } else {
    FlyText(GameTexts[6] + " " + std::to_string(Stage), 230, 1000, 0, 200, 1);
    FlyText(GameTexts[7] + " " + std::to_string(Round), 265, 1000, 0, 200, 1);
  }
  FlyText(GameTexts[8], 230, 400, 1, 2000, 1);
  if (RedLine) RedLine->Start(1800);
}

void TGame::EndText() {
  if (CustomLevel == 0)
    FlyText(GameTexts[Round == 1 ? 5 : 4], 230, 1200, 0, 0, 1);
  else if (CustomLevel == 1)
    FlyText(GameTexts[4], 230, 1200, 0, 0, 1);
}

}  // namespace kelp
