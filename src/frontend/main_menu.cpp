#include "frontend/main_menu.h"

#include <algorithm>

#include "framework/core/frame_clock.h"
#include "framework/core/geometry.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/core/startup_settings.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/poly_anim.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/media/visuals.h"
#include "framework/ui/controls.h"
#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "frontend/comics.h"
#include "frontend/game_select.h"
#include "frontend/level_select.h"
#include "frontend/map.h"
#include "frontend/menu_scene.h"
#include "frontend/options_dialog.h"
#include "frontend/player_select.h"
#include "frontend/profile.h"
#include "frontend/scores.h"
#include "physics/engine.h"
#include "physics/rope_draw.h"
#include "platform/draw.h"
#include "platform/files.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "play/player.h"
#include "village/village.h"
#include "world/effects/clouds.h"
#include "world/effects/help_text.h"
#include "world/resource_bindings.h"

namespace kelp {

Ref<TMainMenu> MainMenuScreen;
std::function<int()> ExitGameHook;

namespace {

constexpr int kQuitConfirmed = 15001;
constexpr int kQuitDeclined = 15002;
constexpr int kKeyC = 67;
constexpr int kMenuTextLeft = 40, kMenuTextWidth = 720;  // centred on the canvas
constexpr float kVersionX = 10.0f, kVersionY = 575.0f;   // bottom left, clear of the bush and its eyes

void FadeInit(float alpha, float speed, float max) {
  if (ScreenFade) ScreenFade->Init(alpha, speed, max);
}

Ref<TProfile> CurrentProfile() { return Player ? Player->Profile : nullptr; }

Ref<TGameData> SaveData() {
  const Ref<TProfile> p = CurrentProfile();
  return p ? p->data : nullptr;
}

}  // namespace

// ---- updater -------------------------------------------------------------

Ref<TMainMenuUpdater> TMainMenuUpdater::Create(TMainMenu* menu) {
  auto u = New<TMainMenuUpdater>();
  u->menu = menu;
  return u;
}

void TMainMenuUpdater::StartShow() {
  FadeInit(1.0f, -0.05f, 1.0f);
  state = 1;
}

void TMainMenuUpdater::StartHiding() {
  FadeInit(0.0f, 0.1f, 1.0f);
  state = 2;
}

void TMainMenuUpdater::Update(float dt) {
  if (state == 1) UpdateShowing(dt);
  if (state == 2) UpdateHiding(dt);
}

void TMainMenuUpdater::UpdateShowing(float) {
  if (ScreenFade && ScreenFade->alpha == 0.0f) {
    ScreenFade->pause = 1;
    ScreenFade->set = 0;
  }
}

void TMainMenuUpdater::UpdateHiding(float) {
  if (!ScreenFade || ScreenFade->alpha == 1.0f) {
    Death = 1;
    if (ScreenFade) {
      ScreenFade->pause = 1;
      ScreenFade->set = 0;
    }
  }
}

// ---- menu ------------------------------------------------------------------

TMainMenu::TMainMenu() : Physics(New<TPhysEngine>()) {}

int TMainMenu::AddedToManager() {
  UserLink = CreateHyperLink(GameTexts[16], FontHi, USER_LINK_ID, Self());
  UserLink->Resize(CanvasOffsetX + 290, 560, 250, 40);
  WidgetManager->AddWidget(UserLink);
  // One pair of texts for the whole run, shown and hidden with the menu.
  auto text = [](int y) {
    auto t = New<THelpText>();
    t->MouseSensetive = 0;
    t->shadow = 1;
    t->font = FontHi;
    t->align = 1;
    WidgetManager->AddWidget(t);
    // Wide enough that each line of the two texts stays on one line: a
    // wrapped help line would run into the greeting under it.
    t->Resize(CanvasOffsetX + kMenuTextLeft, y, kMenuTextWidth, 200);
    return t;
  };
  HelpText = text(468);
  UserText = text(500);
  SetPosition(0, 0);
  return 0;
}

int TMainMenu::SetHided(int flag) {
  TWidget::SetHided(flag);
  for (const Ref<TWidget>& w : std::initializer_list<Ref<TWidget>>{HelpText, UserText, UserLink})
    if (w) w->SetHided(flag);
  if (flag) {
    TPolyAnim::ClearPoly();
    Clear();
    return 0;
  }
  // The header again from the file: the level select and the map may have
  // moved the progress on since.
  if (const Ref<TProfile> p = CurrentProfile()) p->LoadHeader();
  if (Mouse) Mouse->Show();
  TPolyAnim::ClearPoly();
  Load();
  StartShow();
  Update(1.0f);
  Draw();
  PlayMusic("MUSIC_MENU", 1);
  WriteLog("Main Menu", LOG_DIVIDER, "message");
  return 0;
}

Ref<TPhysButton> TMainMenu::AddButton(const std::string& name, int id) {
  static const char* const kAnims[] = {"", "IMAGE_MAINMENU_BUTTON_START", "IMAGE_MAINMENU_BUTTON_OPTIONS",
                                       "IMAGE_MAINMENU_BUTTON_SCORES", "IMAGE_MAINMENU_BUTTON_QUIT"};
  auto b = New<TPhysButton>();
  b->Group = TPhysEngine_Group::Find(name, Physics.get());
  if (!b->Load()) {
    WriteLog("Main menu: the scene has no group \"" + name + "\" with its five particles; that button is left out",
             LOG_ERROR);
    return nullptr;
  }
  b->ID = id;
  if (id >= 1 && id <= 4) b->Anim = TAnimImage::Load2(kAnims[id], -1);
  Buttons.push_back(b);
  return b;
}

void TMainMenu::Load() {
  Clear();
  // The map's clouds and effects stay behind in the effects list; the menu's
  // sky starts from its own.
  TVisuals::ClearVisuals();
  CloudGenTime = GameTime + CloudGenSpeed;
  const int n = Rand(8, 12);
  for (int i = 0; i <= n; ++i) TCloud::Create(static_cast<float>(Rand(-150, VirtualWidth)), 0.0f, 0, 0);

  const platform::StreamRef scene = OpenPakStream("data/world/menu.xml");
  if (!scene || !Physics->LoadWorld(scene)) WriteLog("Main menu: the scene \"data/world/menu.xml\" did not load", LOG_ERROR);
  LeftRope = TPhysEngine_Group::Find("left_rope", Physics.get());
  RightRope = TPhysEngine_Group::Find("right_rope", Physics.get());
  if (!LeftRope) WriteLog("Main menu: the scene has no \"left_rope\"; it is not drawn", LOG_WARNING);
  if (!RightRope) WriteLog("Main menu: the scene has no \"right_rope\"; it is not drawn", LOG_WARNING);
  AddButton("button_start", Button_START_ID);
  AddButton("button_options", Button_OPTIONS_ID);
  AddButton("button_scores", Button_SCORES_ID);
  AddButton("button_quit", Button_QUIT_ID);
  Force = TForce::Create(0, 0, 25.0f, 100.0f, 0, Physics.get(), 1);

  Logo = New<TPhysLogo>();
  Logo->Group = TPhysEngine_Group::Find("logo", Physics.get());
  if (!Logo->Load()) WriteLog("Main menu: the scene has no \"logo\" group; the logo is drawn without it", LOG_WARNING);
  LogoPortal = platform::IsFile("data/logo.png") ? platform::LoadImage("data/logo.png", -1) : nullptr;

  if (ResManager) {
    Layer = ResManager->GetImage("IMAGE_MAINMENU_LAYER");
    Light = ResManager->GetImage("IMAGE_MAINMENU_LIGHT");
    Rope = ResManager->GetImage("IMAGE_MAINMENU_ROPE");
    Sky = ResManager->GetImage("IMAGE_SKY");
    Bon = ResManager->GetImage("IMAGE_MAINMENU_BON");
  }
  TCloud::SetCloudsColor(ColorWhite);
  if (const platform::StreamRef anim = OpenPakStream("data/img/gui/main_menu/main_menu_anim.xml")) TPolyAnim::Load(anim);

  if (HelpText) HelpText->SetText(" ");
  const Ref<TProfile> profile = CurrentProfile();
  SetGreeting(profile ? profile->name : std::string());

  Eye = TAnimImage::Load2("IMAGE_MAINMENU_EYE", -1);
  if (Eye) {
    Eye->OneShoot = 1;
    Eye->Paused = 1;
  }
  LightSpeed = 0.002f;
  LightAlpha = 0.1f;
  MenuCreatures.Start();
}

void TMainMenu::SetGreeting(const std::string& name) {
  if (!UserText) return;
  UserText->Flush();
  UserText->SetText(name.empty() ? " " : NameGreeting(name));
}

void TMainMenu::Clear() {
  SelectedButton = nullptr;
  SelectedButtonOld = nullptr;
  Buttons.clear();
  Logo = nullptr;
  LeftRope = RightRope = nullptr;
  // The mouse force goes with the scene: each show makes a new one.
  if (Force) Physics->Forces.Remove(Force);
  Force = nullptr;
  Physics->ClearWorld();
  Zeppelin = nullptr;
  MenuCreatures.Clear();
  TPolyAnim::ClearPoly();
}

void TMainMenu::StartShow() {
  platform::Cls();
  if (Mouse) Mouse->Flush();
  MainMenuUpdater = TMainMenuUpdater::Create(this);
  MainMenuUpdater->StartShow();
  if (UserLink) UserLink->SetHided(0);
}

void TMainMenu::StartHiding() {
  MainMenuUpdater = TMainMenuUpdater::Create(this);
  MainMenuUpdater->StartHiding();
  if (UserLink) UserLink->SetHided(1);
}

int TMainMenu::Update(float dt) {
  UpdateMusic(dt);
  if (MainMenuUpdater) MainMenuUpdater->Update(dt);
  const Ref<TProfile> profile = CurrentProfile();
  if (!profile) UserInputEnabled = 0;
  if (MainMenuUpdater && MainMenuUpdater->IsShowing() && ScreenFade && ScreenFade->pause && !profile) {
    // The box is modal: the menu is not updated while it is open.
    ShowInputBox2(0);
    if (HelpText) HelpText->SetEnable(0);
    if (UserText) UserText->SetEnable(0);
    if (UserLink) UserLink->SetEnable(0);
  }
  if (DebugMode && profile && platform::KeyHit(kKeyC)) {
    WriteLog("Game complete cheat", LOG_MESSAGE);
    if (profile->data) profile->data->GameCompleted = 1;
    profile->Save();
  }

  if (MainMenuUpdater && MainMenuUpdater->IsHiding() && MainMenuUpdater->IsDeath()) {
    if (PressedID == kQuitConfirmed && ExitGameHook) {
      MainMenuUpdater = nullptr;  // the exit routine runs once
      ExitGameHook();
      return 0;
    }
    if (PressedID == Button_START_ID) {
      SetHided(1);
      const Ref<TGameData> data = SaveData();
      // A new game starts its save over and is told by the comic, which
      // ends in the village; a game under way goes on from the island map.
      if (!data || data->Level <= 1) {
        if (data)
          data->EraseData();
        else if (VillageScreen)
          VillageScreen->Clear();
        ShowComics(1);
      } else if (MapScreen) {
        MapScreen->SetHided(0);
      }
      WriteLog("Player: " + (profile ? profile->name : std::string()), LOG_MESSAGE);
      return 0;
    }
    if (PressedID == Button_LEVEL_ID) {
      SetHided(1);
      ShowLevelSelect(1);
      return 0;
    }
  }

  for (const Ref<TPhysButton>& b : Buttons) b->Update(dt);
  UserInput();
  TVisuals::UpdateVisuals(dt);
  Physics->Update(dt);
  TPolyAnim::UpdateAnim(dt);
  if (Logo) Logo->Update(dt);
  if (Zeppelin) {
    Zeppelin->Update(dt);
    if (Zeppelin->death) Zeppelin = nullptr;
  }
  MenuCreatures.Update(dt);
  if (Force && Mouse) {
    Force->x = Int(Mouse->x - static_cast<float>(CanvasOffsetX));
    Force->y = Int(Mouse->y);
  }
  if (GameTime > ZeppelinGenTime + ZeppelinGenSpeed) {
    if (Rand(0, 10) == 10 && !Zeppelin) Zeppelin = TMenuZeppelin::Create();
    ZeppelinGenTime = GameTime;
  }
  if (GameTime > CloudGenTime + CloudGenSpeed) {
    if (Rand(0, 10) == 10) TCloud::Create(-150.0f, 0.0f, 0, 0);
    if (!Zeppelin) Zeppelin = TMenuZeppelin::Create();
    CloudGenTime = GameTime;
  }
  LightAlpha += LightSpeed * dt;
  if (LightAlpha > 0.3f) {
    LightAlpha = 0.3f;
    LightSpeed = -LightSpeed;
  }
  if (LightAlpha < 0.0f) {
    LightAlpha = 0.0f;
    LightSpeed = -LightSpeed;
  }
  return 0;
}

void TMainMenu::ShowQuitBox() {
  ShowMessageBox(1, Self(), GameTexts[23], 2, "IMAGE_GUI_BT_YES", "IMAGE_GUI_BT_NO", 0);
}

void TMainMenu::UserInput() {
  if (platform::KeyHit(platform::VK_ESCAPE)) ShowQuitBox();
  if (!UserInputEnabled || !Mouse) return;

  for (const Ref<TPhysButton>& b : Buttons) {
    if (b->isOver) b->wasOver = 1;
    b->isOver = 0;
    b->isDown = 0;
  }
  SelectedButton = ButtonAt(Int(Mouse->x - static_cast<float>(CanvasOffsetX)), Int(Mouse->y));
  if (SelectedButtonOld && SelectedButtonOld != SelectedButton) SelectedButtonOld->Hit = 0;
  SelectedButtonOld = SelectedButton;
  if (SelectedButton) {
    TPhysButton& b = *SelectedButton;
    b.isOver = 1;
    if (HelpText) HelpText->SetText(GameTexts[10 + b.ID]);
    if (Mouse->Bt1Hit) b.Hit = 1;
    if (Mouse->Bt1Down && b.Hit != 0) {
      b.Hit = 2;
      b.isDown = 1;
    }
    if (Mouse->Bt1Up && b.Hit == 2) PressButton(b);
  } else {
    if (HelpText) HelpText->SetText(" ");
    for (const Ref<TPhysButton>& b : Buttons) b->Hit = 0;
    SelectedButtonOld = nullptr;
  }
  if (Mouse->Bt1Up) Mouse->Bt1Up = 0;

  if (Eye) {
    const bool inside = PointInRect(Int(Mouse->x - static_cast<float>(CanvasOffsetX)), Int(Mouse->y), 685, 500, 87, 93);
    if (inside && Eye->Paused && !EyeShoot) {
      Eye->Paused = 0;
      EyeShoot = 1;
    } else if (!inside && EyeShoot && Eye->Paused) {
      EyeShoot = 0;
    }
  }
}

TPhysButton* TMainMenu::ButtonAt(int px, int py) {
  for (const Ref<TPhysButton>& b : Buttons)
    if (b->Contains(px, py)) return b.get();
  return nullptr;
}

void TMainMenu::PressButton(TPhysButton& button) {
  PlaySoundEffect("SOUND_BT_CLICK", 0.0f, 0);
  if (button.ID == Button_START_ID) {
    const Ref<TGameData> data = SaveData();
    if (data && data->Level > 1) {
      LeaveFor(Button_START_ID);
    } else {
      ShowGameSelect(1);
    }
  } else if (button.ID == Button_OPTIONS_ID) {
    ShowOptions(0);
  } else if (button.ID == Button_SCORES_ID) {
    ShowScores();
  } else if (button.ID == Button_QUIT_ID) {
    ShowQuitBox();
  }
}

void TMainMenu::LeaveFor(int id) {
  PressedID = id;
  for (const Ref<TWidget>& w : std::initializer_list<Ref<TWidget>>{HelpText, UserText, UserLink})
    if (w) w->SetHided(1);
  StartHiding();
}

int TMainMenu::DePress(int id) {
  if (id == USER_LINK_ID) {
    for (const Ref<TWidget>& w : std::initializer_list<Ref<TWidget>>{HelpText, UserText, UserLink})
      if (w) w->SetEnable(0);
    ShowUserOptions();
    UserInputEnabled = 0;
  } else if (id == kQuitConfirmed) {
    PressedID = kQuitConfirmed;
    if (HelpText) HelpText->SetHided(1);
    if (UserText) UserText->SetHided(1);
    StartHiding();
    UserInputEnabled = 0;
    if (MusicChannel) MusicChannel->Stop();
  } else if (id == Button_LEVEL_ID) {
    LeaveFor(Button_LEVEL_ID);
  } else if (id == kQuitDeclined) {
    if (Mouse) Mouse->Flush();
  }
  return 0;
}

int TMainMenu::Draw() {
  PushGraphicsState();
  SetGameViewport();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetScale(1.0f, 1.0f);
  if (Sky) platform::TileImage(Sky, 0.0f, 0.0f);
  if (Zeppelin && Zeppelin->scale != 1.0f) Zeppelin->Draw();
  TPolyAnim::DrawAnim(0);
  TVisuals::DrawVisuals_Under();
  TPolyAnim::DrawAnim(1);
  TCloud::DrawClouds(0);
  if (Zeppelin && Zeppelin->scale == 1.0f) Zeppelin->Draw();
  platform::SetColor(255, 255, 255);
  if (Layer) platform::DrawImage(Layer, 0.0f, 0.0f);
  if (Light) {
    PushGraphicsState();
    platform::SetBlend(platform::LIGHTBLEND);
    platform::SetAlpha(LightAlpha);
    platform::DrawImage(Light, 240.0f, 220.0f);
    PopGraphicsState();
  }
  if (LeftRope) DrawRope(LeftRope, Rope, Bon);
  if (RightRope) DrawRope(RightRope, Rope, Bon);
  for (const Ref<TPhysButton>& b : Buttons) b->Draw();
  platform::SetAlpha(1.0f);
  if (Logo) Logo->Draw();
  if (Eye) {
    Eye->Update();
    DrawAnimImage(Eye, 713.0f, 542.0f);
  }
  MenuCreatures.Draw();
  TVisuals::DrawVisuals();
  platform::SetColor(150, 150, 150);
  TPolyAnim::DrawAnim(2);
  TPolyAnim::DrawAnim(3);
  platform::SetColor(255, 255, 255);
  if (LogoPortal) platform::DrawImage(LogoPortal, 10.0f, static_cast<float>(590 - LogoPortal->Height()));
  if (FontHelp) {
    SetBMFont(FontHelp);
    const float x = kVersionX + (LogoPortal ? static_cast<float>(LogoPortal->Width()) + 10.0f : 0.0f);
    PushGraphicsState();
    platform::SetAlpha(0.5f);
    platform::SetColor(0, 0, 0);
    DrawBMText(GameVersion, x + 1.0f, kVersionY + 1.0f);
    PopGraphicsState();
    platform::SetColor(240, 240, 240);
    DrawBMText(GameVersion, x, kVersionY);
    platform::SetColor(255, 255, 255);
  }
  DrawSideBars();
  TVisuals::DrawVisuals_Over();
  PopGraphicsState();
  return 0;
}

}  // namespace kelp
