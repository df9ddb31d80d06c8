#include "play/game.h"

#include "framework/core/frame_clock.h"
#include "framework/core/startup_settings.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/media/textured_poly.h"
#include "framework/media/fade.h"
#include "framework/media/poly_anim.h"
#include "framework/media/sound.h"
#include "framework/media/visuals.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget.h"
#include "platform/input.h"
#include "play/dialog_game.h"
#include "play/game_menu.h"
#include "play/in_game_interface.h"
#include "play/level_complete.h"
#include "play/player.h"
#include "play/red_line.h"
#include "play/thermometer.h"
#include "play/tutorial.h"
#include "world/block.h"
#include "world/brick.h"
#include "world/effects/alarm.h"
#include "world/effects/chain_lights.h"
#include "world/effects/parasite_effects.h"
#include "world/floor.h"
#include "world/game_interface.h"
#include "world/level.h"
#include "world/obstacle.h"
#include "world/trolley.h"
#include "world/world.h"

namespace kelp {

TypedGlobal<TGame, TGameState> GameScreen(GameState);
TGameLinks GameLinks;

namespace {

constexpr int kEscape = 27;
constexpr int kKeyW = 87, kKeyL = 76, kKeyPlus = 187, kKeyMinus = 189;

// The thermometer's value back to 0 with its bubbles gone and none coming.
void EmptyThermometer() {
  if (!Thermometer) return;
  Thermometer->CurValue = 0.0f;
  if (const Ref<TEmitter>& e = Thermometer->Effect) {
    e->Particles.Clear();
    if (e->Config) e->Config->Lifetime[0] = e->Config->Lifetime[1] = 0;
  }
}

void StopMovingFloor() {
  if (World && World->MovingFloor) World->MovingFloor->dy = World->MovingFloor->_dy = 0.0f;
}

}  // namespace

// ------------------------------------------------------------ the widget

int TGame::AddedToManager() {
  TBlock::Init();
  GameInterface = New<TGameInterface>();
  GameInterface->Resize(0, 0, 800, 600);
  GameInterface->MouseSensetive = 0;
  WidgetManager->AddWidget(GameInterface);
  return 0;
}

int TGame::SetHided(int flag) {
  if (GameInterface) GameInterface->SetHided(flag);
  TWidget::SetHided(flag);
  Clear();
  if (flag) {
    // Taken away unheard: a closing dialog would start the round it belonged to.
    if (Dialog && WidgetManager) WidgetManager->RemoveWidget(Dialog);
    Dialog = nullptr;
    if (Mouse) Mouse->Show();
    TBlock::ClearBlocks();
    CustomLevel = 0;
    if (Alarm) {
      Alarm->Remove();
      Alarm = nullptr;
    }
  } else {
    Alarm = TAlarm::Create(1, 0.01f);
    if (Mouse) Mouse->Hide();
    TPolyAnim::ClearPoly();
    TPolyAnim::Load("data/img/levels/desert/polyanim_ingame.xml");
    if (Player) {
      Player->old_scores = Player->scores;
      Player->old_money = Player->money;
    }
    Combos = MaxCombo = 0;
    BonusTime = 0.0f;
    LevelMoney = 0;
    WriteLog("Game Mode", LOG_DIVIDER, "ingame");
  }
  return 0;
}

// ------------------------------------------------------------- a round

int TGame::Start() {
  HideCursorFlushInput();
  if (Alarm) Alarm->Remove();
  Alarm = TAlarm::Create(1, 0.01f);
  if (Player) Player->enabled = 1;
  music = 0;
  EmptyThermometer();
  Complete = 0;
  if (ScreenFade) ScreenFade->set = 0;
  TBrick::Clear();

  if (!CurrentLevel || !CurrentLevel->Load(Level)) {
    // The loader has left nothing behind; neither may the screen.
    WriteLog("Level " + std::to_string(Level) + " could not be loaded; back to the main menu", LOG_ERROR);
    Over = 0;
    started = 0;
    SetHided(1);
    if (GameLinks.ShowMainMenu) GameLinks.ShowMainMenu();
    return 0;
  }
  LevelLengthTime = CurrentLevel->time;
  float skill = 0.0f;
  if (GameLinks.GetSkill && GameLinks.GetSkill(skill)) LevelLengthTime = SkillAdjustedTime(LevelLengthTime, skill);

  TChainLights::Stop();
  LastParaziteTime = GameTime;
  if (Player) Player->enabled = 1;
  TimeWarning10 = TimeWarning20 = 0;
  WinShare_ = 0.0f;
  if (InGameInterface) {
    InGameInterface->CloudInit = 0;
    if (InGameInterface->ClockShadow) InGameInterface->ClockShadow->SetDrawSector(0, 0);
  }
  started = 1;
  PlayTime = GameTime;

  Pause(1);
  PauseState = 1;
  Dialog = nullptr;
  if (!CustomLevel) {
    const int id = OpeningDialog(Stage, Round, GameMode);
    if (id) Dialog = TDialogGame::Create(id, 1500, 1);
  }
  if (!Dialog) {
    StartText();
    if (Player) Player->enable_hover = 1;
  }
  if (Player) Player->Init();
  return 1;
}

void TGame::Clear() {
  SkipRound = 0;
  if (CustomLevel) {
    if (Player) {
      Player->old_scores = Player->scores;
      Player->old_money = Player->money;
    }
    Combos = MaxCombo = 0;
    BonusTime = 0.0f;
    LevelMoney = 0;
  }
  if (CompleteForm) WidgetManager->RemoveWidget(CompleteForm);
  CompleteForm = nullptr;
  LevelCompleted = 0;
  // A level left while paused (during the red line's sweep, say) must not
  // carry the pause into the next round: its resume would count the whole
  // time between as paused.
  if (Paused && GameInterface) GameInterface->Pause(0);
  Paused = 0;
  PauseState = 0;
  PauseTime = 0;
  TimeFreeze = 0;
  TrolleyTimeOffset = 0;
  if (InGameInterface) InGameInterface->ClockLight = nullptr;
  music = 0;
  DialogEnd = 0;
  PausedTime = 0;

  TBlock::ClearBlocks();
  TVisuals::ClearVisuals();
  if (GameInterface) GameInterface->Emitters.Clear();
  if (World) World->Clear();
  EmptyThermometer();

  PlayTime = GameTime;
  if (Player) {
    Player->time = GameTime;
    Player->MousePressed = Player->Wave = Player->WaveCount = 0;
    Player->ReleasedCreatures = 0.0f;
    Player->respawned = Player->NextBlockClass = Player->CurrentBlockClass = 0;
  }
  Over = 0;
  if (RedLine) RedLine->state = 0;
  TObstacle::Clear();
}

int TGame::Pause(int flag) {
  if (flag && Paused) return 0;
  if (!flag && !Paused) return 0;
  if (PauseState == 1 && Paused) return 0;
  if (Player) Player->enable_hover = 0;
  if (GameInterface) GameInterface->Pause(flag);
  if (flag) {
    Paused = 1;
    PauseTime = GameTime;
    if (Player) {
      Player->speed = 0.0f;
      Player->enabled = 0;
    }
  } else {
    PauseTime = GameTime - PauseTime;
    TrolleyTimeOffset += PauseTime;
    Timer += PauseTime;
    PausedTime += PauseTime;
    // A lost round stays lost: the player gets no control back.
    if (Player && !Complete && !Over) Player->enabled = 1;
    Paused = 0;
    if (Mouse) {
      if (CompleteForm)
        Mouse->Show();
      else
        Mouse->Hide();
    }
  }
  TEvilSmoke::GamePause();
  TFreezeEffect::GamePause();
  return 0;
}

// -------------------------------------------------------------- a frame

int TGame::Update(float dt) {
  UpdateMusic(dt);
  TVisuals::UpdateVisuals(dt);
  TBlock::UpdateBlocks(dt);
  TBrick::UpdateBricks(dt);
  if (Player) Player->Update(dt);
  if (InGameInterface) InGameInterface->Update(dt);
  if (World) World->Update(dt);
  TimeCheck();
  FadeCheck();
  CompleteCheck();
  StartMusicWhenDue();

  // While the results screen is up, Escape is its OK, not the pause menu.
  if (!CompleteForm && platform::KeyHit(kEscape)) {
    ShowGameMenu(Self());
    if (Mouse) {
      Mouse->Show();
      Mouse->Center();
    }
  }
  if (DebugMode) DebugKeys();
  return 0;
}

void TGame::StartMusicWhenDue() {
  if (Paused || music) return;
  const bool due = Dialog ? (Dialog->Dialog && Dialog->Dialog->Death && GameTime > PlayTime + 5000)
                          : GameTime > PlayTime + 3000;
  if (!due) return;
  PlayMusic("MUSIC_GAME", 1);
  music = 1;
}

void TGame::DebugKeys() {
  if (platform::KeyHit(kKeyW)) {
    WriteLog("Level complete cheat", LOG_MESSAGE);
    if (Player) OrbicsReleased += static_cast<int>(Player->ReleasedCreatures);
    PauseState = 0;
    Pause(0);
    started = 0;
    Timer = GameTime;
    Complete = 1;
    WinShare_ = UsedShare();
    if (ScreenFade) ScreenFade->pause = ScreenFade->set = 0;
    if (Player) Player->enabled = 0;
    StopMovingFloor();
  }
  if (platform::KeyHit(kKeyL)) {
    WriteLog("Lose level cheat", LOG_MESSAGE);
    Timer = GameTime;
    Over = 1;
    StopSoundEffect("SOUND_REDLINE_WARNING");
    if (Player) Player->enabled = 0;
  }
  if (platform::KeyHit(kKeyPlus)) {
    WriteLog("Add time cheat", LOG_MESSAGE);
    LevelLengthTime += 60000;
  }
  if (platform::KeyHit(kKeyMinus)) {
    WriteLog("Remove time cheat", LOG_MESSAGE);
    LevelLengthTime = LevelLengthTime > 60000 ? LevelLengthTime - 60000 : 0;
  }
}

// ------------------------------------------------------ the pause menu

int TGame::DePress(int id) {
  const Ref<TWidget> self = Self();
  switch (id) {
    case TGameMenu::Button_RESUME_ID:
      if (Mouse) Mouse->Hide();
      Pause(0);
      break;
    case TGameMenu::Button_OPTIONS_ID:
      Pause(1);
      if (GameLinks.ShowOptions) GameLinks.ShowOptions();
      break;
    case TGameMenu::Button_TOISLAND_ID:
      ShowMessageBox(2, self, GameTexts[55], 2, "IMAGE_GUI_BT_YES", "IMAGE_GUI_BT_NO", 0);
      break;
    case TGameMenu::Button_HELP_ID:
      if (GameLinks.ShowHelp) GameLinks.ShowHelp();
      break;
    case TGameMenu::Button_MAINMENU_ID:
      ShowMessageBox(1, self, GameTexts[55], 2, "IMAGE_GUI_BT_YES", "IMAGE_GUI_BT_NO", 0);
      break;
    case 15001:  // yes: to the main menu
      if (CustomLevel) {
        if (GameLinks.ReloadProfile) GameLinks.ReloadProfile();
        CustomLevel = 0;
      }
      if (TutorialHint) TutorialHint->StartHiding2();
      Pause(0);
      SetHided(1);
      if (GameLinks.ShowMainMenu) GameLinks.ShowMainMenu();
      if (GameLinks.AddScore) GameLinks.AddScore();
      HideCursorFlushInput();
      if (Mouse) Mouse->Show();
      break;
    case 30002:  // yes: to the island
      HideCursorFlushInput();
      SetHided(1);
      Pause(0);
      if (GameLinks.ShowVillage) GameLinks.ShowVillage();
      break;
    case 15002:
    case 30004:  // no on either box
      ShowGameMenu(self);
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace kelp
