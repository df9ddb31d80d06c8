#include "frontend/main_menu.h"

#include <algorithm>

#include "framework/core/numeric.h"
#include "framework/core/startup_settings.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/media/visuals.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "frontend/game_select.h"
#include "frontend/level_select.h"
#include "frontend/map.h"
#include "frontend/profile.h"
#include "frontend/scores.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "play/player.h"
#include "world/resource_bindings.h"

namespace kelp {

Ref<TMainMenu> MainMenuScreen;
std::function<int()> ExitGameHook;

namespace {

constexpr int kQuitConfirmed = 15001;
constexpr int kQuitDeclined = 15002;

// The column the buttons stand in until they hang from the scene's ropes.
constexpr float kButtonColumnX = 400.0f;
constexpr float kButtonTop = 190.0f;
constexpr float kButtonGap = 12.0f;

void FadeInit(float alpha, float speed, float max) {
  if (ScreenFade) ScreenFade->Init(alpha, speed, max);
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

int TMainMenu::SetHided(int flag) {
  TWidget::SetHided(flag);
  if (flag) {
    Clear();
    return 0;
  }
  if (Mouse) Mouse->Show();
  Load();
  StartShow();
  Update(1.0f);
  PlayMusic("MUSIC_MENU", 1);
  WriteLog("Main Menu", LOG_DIVIDER, "message");
  return 0;
}

void TMainMenu::Load() {
  Clear();
  if (!ResManager) return;
  Layer = ResManager->GetImage("IMAGE_MAINMENU_LAYER");
  Light = ResManager->GetImage("IMAGE_MAINMENU_LIGHT");
  Sky = ResManager->GetImage("IMAGE_SKY");
  Logo = ResManager->GetImage("IMAGE_MAINMENU_LOGO");
  static const struct {
    int id;
    const char* image;
  } kButtons[] = {{1, "IMAGE_MAINMENU_BUTTON_START"},
                  {2, "IMAGE_MAINMENU_BUTTON_OPTIONS"},
                  {3, "IMAGE_MAINMENU_BUTTON_SCORES"},
                  {4, "IMAGE_MAINMENU_BUTTON_QUIT"}};
  float top = kButtonTop;
  for (const auto& b : kButtons) {
    TMenuButton button;
    button.ID = b.id;
    button.Anim = TAnimImage::Load2(b.image, -1);
    const platform::ImageRef& img = button.Anim ? button.Anim->Image : nullptr;
    const float w = img ? static_cast<float>(img->Width()) : 200.0f;
    const float h = img ? static_cast<float>(img->Height()) : 60.0f;
    button.x = kButtonColumnX - w * 0.5f + (img ? img->HandleX() : 0.0f);
    button.y = top + (img ? img->HandleY() : 0.0f);
    top += h + kButtonGap;
    Buttons.push_back(button);
  }
  LightSpeed = 0.002f;
  LightAlpha = 0.1f;
}

void TMainMenu::Clear() {
  SelectedButton = nullptr;
  SelectedButtonOld = nullptr;
  Buttons.clear();
}

void TMainMenu::StartShow() {
  platform::Cls();
  if (Mouse) Mouse->Flush();
  MainMenuUpdater = TMainMenuUpdater::Create(this);
  MainMenuUpdater->StartShow();
}

void TMainMenu::StartHiding() {
  MainMenuUpdater = TMainMenuUpdater::Create(this);
  MainMenuUpdater->StartHiding();
}

int TMainMenu::Update(float dt) {
  UpdateMusic(dt);
  if (MainMenuUpdater) MainMenuUpdater->Update(dt);
  if (!Player || !Player->Profile) UserInputEnabled = 0;

  if (MainMenuUpdater && MainMenuUpdater->IsHiding() && MainMenuUpdater->IsDeath()) {
    if (PressedID == kQuitConfirmed && ExitGameHook) {
      MainMenuUpdater = nullptr;  // the exit routine runs once
      ExitGameHook();
      return 0;
    }
    if (PressedID == Button_START_ID) {
      SetHided(1);
      const Ref<TGameData> data = Player && Player->Profile ? Player->Profile->data : nullptr;
      // A new game starts its save over; the island map is its first stop.
      if (data && data->Level <= 1) data->EraseData();
      if (MapScreen) MapScreen->SetHided(0);
      WriteLog("Player: " + (Player && Player->Profile ? Player->Profile->name : std::string()), LOG_MESSAGE);
      return 0;
    }
    if (PressedID == Button_LEVEL_ID) {
      SetHided(1);
      ShowLevelSelect(1);
      return 0;
    }
  }

  for (TMenuButton& b : Buttons) {
    if (b.isOver || b.isDown) {
      b.OverAlpha = std::min(1.0f, b.OverAlpha + b.OverAlphaSpeed * dt);
    } else {
      b.OverAlpha = std::max(0.0f, b.OverAlpha - b.OverAlphaSpeed * dt);
    }
  }
  UserInput();
  TVisuals::UpdateVisuals(dt);

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

  for (TMenuButton& b : Buttons) {
    if (b.isOver) b.wasOver = 1;
    b.isOver = 0;
    b.isDown = 0;
  }
  SelectedButton = ButtonAt(Int(Mouse->x - static_cast<float>(CanvasOffsetX)), Int(Mouse->y));
  if (SelectedButtonOld && SelectedButtonOld != SelectedButton) SelectedButtonOld->Hit = 0;
  SelectedButtonOld = SelectedButton;
  if (!SelectedButton) {
    for (TMenuButton& b : Buttons) b.Hit = 0;
    SelectedButtonOld = nullptr;
  } else {
    TMenuButton& b = *SelectedButton;
    b.isOver = 1;
    if (Mouse->Bt1Hit) b.Hit = 1;
    if (Mouse->Bt1Down && b.Hit != 0) {
      b.Hit = 2;
      b.isDown = 1;
    }
    if (Mouse->Bt1Up && b.Hit == 2) PressButton(b);
  }
  if (Mouse->Bt1Up) Mouse->Bt1Up = 0;
}

TMainMenu::TMenuButton* TMainMenu::ButtonAt(int px, int py) {
  for (TMenuButton& b : Buttons) {
    const platform::ImageRef img = b.Anim ? b.Anim->Image : nullptr;
    if (!img) continue;
    const float left = b.x - img->HandleX(), top = b.y - img->HandleY();
    if (px >= left && px < left + img->Width() && py >= top && py < top + img->Height()) return &b;
  }
  return nullptr;
}

void TMainMenu::PressButton(TMenuButton& button) {
  PlaySoundEffect("SOUND_BT_CLICK", 0.0f, 0);
  if (button.ID == Button_START_ID) {
    const Ref<TGameData> data = Player && Player->Profile ? Player->Profile->data : nullptr;
    if (data && data->Level > 1) {
      LeaveFor(Button_START_ID);
    } else {
      ShowGameSelect(1);
    }
  } else if (button.ID == Button_SCORES_ID) {
    ShowScores();
  } else if (button.ID == Button_QUIT_ID) {
    ShowQuitBox();
  }
}

void TMainMenu::LeaveFor(int id) {
  PressedID = id;
  StartHiding();
}

int TMainMenu::DePress(int id) {
  if (id == kQuitConfirmed) {
    PressedID = kQuitConfirmed;
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
  platform::SetScale(1.0f, 1.0f);
  if (Sky) platform::TileImage(Sky, 0.0f, 0.0f);
  TVisuals::DrawVisuals_Under();
  if (Layer) platform::DrawImage(Layer, 0.0f, 0.0f);
  if (Light) {
    PushGraphicsState();
    platform::SetBlend(platform::LIGHTBLEND);
    platform::SetAlpha(LightAlpha);
    platform::DrawImage(Light, 240.0f, 220.0f);
    PopGraphicsState();
  }
  for (const TMenuButton& b : Buttons) {
    if (!b.Anim || !b.Anim->Image) continue;
    const int frame = b.isDown ? 2 : (b.wasOver || b.isOver) ? 1 : 0;
    platform::SetAlpha(1.0f);
    platform::DrawImage(b.Anim->Image, b.x, b.y, 0);
    if (b.OverAlpha > 0.0f && frame < b.Anim->Image->Frames()) {
      platform::SetAlpha(b.OverAlpha);
      platform::DrawImage(b.Anim->Image, b.x, b.y, frame);
    }
  }
  platform::SetAlpha(1.0f);
  if (Logo) platform::DrawImage(Logo, 180.0f, -10.0f);
  TVisuals::DrawVisuals();
  if (FontHelp) {
    platform::SetColor(240, 240, 240);
    SetBMFont(FontHelp);
    DrawBMText(GameVersion, static_cast<float>(790 - BMTextWidth(GameVersion)), 575.0f);
    platform::SetColor(255, 255, 255);
  }
  DrawSideBars();
  TVisuals::DrawVisuals_Over();
  PopGraphicsState();
  return 0;
}

}  // namespace kelp
