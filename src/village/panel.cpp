#include "village/panel.h"

#include <algorithm>
#include <cmath>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/files/language.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "play/game.h"
#include "play/tutorial.h"
#include "village/story_links.h"
#include "village/trophy_dialog.h"
#include "village/trophy_room.h"
#include "village/upgrade.h"
#include "village/upgrade_dialog.h"
#include "village/village.h"
#include "village/villager.h"
#include "world/player_state.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

constexpr int kEscape = 27;

platform::ImageRef Img(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

int HintId() { return TutorialHint ? TutorialHint->id : 0; }

Ref<TCount> MakeCounter(int x, int y, int amount) {
  Ref<TCount> c = TCount::CreateCount(x, y, amount, amount, FontVillageScores, 10, 1, 0, 0);
  c->started = 1;
  c->Shadow = 1;
  return c;
}

Ref<TWidgetUpdater> Slide(const Ref<TWidget>& w, float shown, float hidden, float accel, int dir) {
  Ref<TWidgetUpdater> u = TWidgetUpdater::Create(w, 0);
  u->Init(1, 0, accel, accel);
  u->pos0 = shown;
  u->pos1 = hidden;
  u->Dir = dir;
  return u;
}

}  // namespace

int TPanel::PlayRefusal(int village, int stage, int finishedBuilds, int needAdded, int bridgeBuilt,
                        int somethingToBuy) {
  if (village == TVillageMode::DESERT && needAdded) return 1021;
  const bool buildFirst = (village == TVillageMode::DESERT && stage >= 2 && stage <= 12) ||
                          (village == TVillageMode::SNOW && stage >= 19 && stage <= 23);
  // Never refused for good: with nothing to buy there is nothing to build first.
  if (buildFirst && finishedBuilds == 0 && somethingToBuy) return 1007;
  if (stage == 15 && !bridgeBuilt) return 1051;
  if (stage == 30) return 2021;
  return 0;
}

int TPanel::AddedToManager() {
  Clip = 2;
  const int amountScore = PlayerState ? PlayerState->scores : 0;
  const int amountMoney = PlayerState ? PlayerState->money : 0;
  Points = MakeCounter(60, 30, amountScore);
  Money = MakeCounter(60, 57, amountMoney);
  Panel = Img("IMAGE_GUI_VILLAGE_PANEL");
  const Ref<TWidget> self = Self();
  const auto button = [&](int x, int y, const char* image, const char* over, const char* locked, int id) {
    Ref<TButtonWidget> b = CreateButton(x, y, Img(image), "", id, self, 0, 0);
    b->OverImage = Img(over);
    if (locked) b->LockedImage = Img(locked);
    b->Clip = 2;
    if (WidgetManager) WidgetManager->AddWidget(b);
    return b;
  };
  Button_TROPHY = button(31, 428, "IMAGE_GUI_BT_TROPHY", "IMAGE_GUI_BT_TROPHY_ON", "IMAGE_GUI_BT_TROPHY_LOCKED",
                         Button_TROPHY_ID);
  Button_MENU = button(31, 476, "IMAGE_GUI_BT_MENU", "IMAGE_GUI_BT_MENU_ON", nullptr, Button_MENU_ID);
  Button_PLAY = button(31, 524, "IMAGE_GUI_BT_PLAY", "IMAGE_GUI_BT_PLAY_ON", "IMAGE_GUI_BT_PLAY_LOCKED",
                       Button_PLAY_ID);
  Button_BUILD = button(31, 379, "IMAGE_GUI_BT_BUILD_", "IMAGE_GUI_BT_BUILD_ON_", "IMAGE_GUI_BT_BUILD_LOCKED_",
                        Button_BUILD_ID);
  Button_BUILD->blink = 1;
  const auto arrow = [&](int x, const char* anim, int id) {
    Ref<TButtonWidget> b = CreateButton(x, 240, nullptr, "", id, self, 1, 1);
    b->SetAnim(TAnimImage::Load2(anim, -1));
    b->Resize(x, 240, b->_width, b->_height);
    b->Clip = 2;
    if (WidgetManager) WidgetManager->AddWidget(b);
    return b;
  };
  Button_SCROLL_LEFT = arrow(CanvasOffsetX - 53, "IMAGE_GUI_SCROLL_LEFT", Button_SCROLL_LEFT_ID);
  Button_SCROLL_RIGHT = arrow(CanvasOffsetX + 812, "IMAGE_GUI_SCROLL_RIGHT", Button_SCROLL_RIGHT_ID);
  Resize(CanvasOffsetX + 908, 0, Panel ? Panel->Width() : 100, Panel ? Panel->Height() : 600);
  return 0;
}

int TPanel::RemovedFromManager() {
  for (const Ref<TButtonWidget>& b :
       {Button_PLAY, Button_MENU, Button_TROPHY, Button_BUILD, Button_SCROLL_LEFT, Button_SCROLL_RIGHT})
    if (b && WidgetManager) WidgetManager->RemoveWidget(b);
  if (Points) Points->Death = 1;
  if (Money) Money->Death = 1;
  Points = nullptr;
  Money = nullptr;
  return 0;
}

void TPanel::PlaceButtons() {
  const int px = Int(_x), py = Int(_y);
  if (Button_PLAY) Button_PLAY->SetPosition(px + 31, py + 524);
  if (Button_MENU) Button_MENU->SetPosition(px + 31, py + 476);
  if (Button_TROPHY) Button_TROPHY->SetPosition(px + 31, py + 428);
  if (Button_BUILD) Button_BUILD->SetPosition(px + 31, py + 379);
}

int TPanel::Resize(int px, int py, int width, int height) {
  TWidget::Resize(px, py, width, height);
  PlaceButtons();
  return 0;
}

int TPanel::SetHided(int flag) {
  for (const Ref<TButtonWidget>& b :
       {Button_PLAY, Button_MENU, Button_TROPHY, Button_BUILD, Button_SCROLL_LEFT, Button_SCROLL_RIGHT})
    if (b) b->SetHided(flag);
  return TWidget::SetHided(flag);
}

void TPanel::StartShow() {
  if (VillageScreen && VillageScreen->UpgradeDialog) VillageScreen->UpgradeDialog->PrepareUpgrades();
  Updater = Slide(Self(), static_cast<float>(CanvasOffsetX + 692), static_cast<float>(CanvasOffsetX + 908), 0.2f, -1);
  Updater->StartShow(0.0f, 0.6f, 0.15f);
  Arrived = 0;
  platform::FlushKeys();
}

void TPanel::StartHiding() {
  if (VillageScreen) VillageScreen->UserInputEnable = 0;
  StartHidingScroll();
  Updater = Slide(Self(), static_cast<float>(CanvasOffsetX + 692), static_cast<float>(CanvasOffsetX + 908), 0.2f, -1);
  Updater->StartHiding();
  platform::FlushKeys();
}

void TPanel::StartShowScroll() {
  ScrollLeftUpdater = Slide(Button_SCROLL_LEFT, static_cast<float>(CanvasOffsetX),
                            static_cast<float>(CanvasOffsetX - 53), 0.1f, 1);
  ScrollRightUpdater = Slide(Button_SCROLL_RIGHT, static_cast<float>(CanvasOffsetX + 762),
                             static_cast<float>(CanvasOffsetX + 814), 0.1f, -1);
  ScrollLeftUpdater->StartShow(4.0f, 0.6f, 0.15f);
  ScrollRightUpdater->StartShow(4.0f, 0.6f, 0.15f);
}

void TPanel::StartHidingScroll() {
  ScrollLeftUpdater = Slide(Button_SCROLL_LEFT, static_cast<float>(CanvasOffsetX),
                            static_cast<float>(CanvasOffsetX - 53), 0.1f, 1);
  ScrollRightUpdater = Slide(Button_SCROLL_RIGHT, static_cast<float>(CanvasOffsetX + 762),
                             static_cast<float>(CanvasOffsetX + 814), 0.1f, -1);
  ScrollLeftUpdater->StartHiding();
  ScrollRightUpdater->StartHiding();
}

int TPanel::Update(float dt) {
  TVillageMode* v = VillageScreen.get();
  if (Updater) Updater->Update(dt);
  if (ScrollLeftUpdater) ScrollLeftUpdater->Update(dt);
  if (ScrollRightUpdater) ScrollRightUpdater->Update(dt);
  if (TutorialHint) TutorialHint->Update(dt);
  PlaceButtons();
  if (Points) Points->Update(dt);
  if (Money) Money->Update(dt);
  if (!v) return 0;
  // Edge scrolling.
  if (v->UserInputEnable && Visible && !v->new_scroll && !v->Closing) {
    const float half = v->Scroll_speed / 2.0f;
    if (v->Scroll_x <= v->max_scroll_x && Button_SCROLL_LEFT) {
      if (Button_SCROLL_LEFT->IsOver) v->Scroll_x += half;
      if (Button_SCROLL_LEFT->IsOver && Button_SCROLL_LEFT->IsDown) v->Scroll_x += half;
    }
    if (v->Scroll_x >= v->min_scroll_x && Button_SCROLL_RIGHT) {
      if (Button_SCROLL_RIGHT->IsOver) v->Scroll_x -= half;
      if (Button_SCROLL_RIGHT->IsOver && Button_SCROLL_RIGHT->IsDown) v->Scroll_x -= half;
    }
    if (Button_SCROLL_LEFT) {
      if (v->Scroll_x > v->max_scroll_x) {
        if (Button_SCROLL_LEFT->Visible) Button_SCROLL_LEFT->SetHided(1);
      } else if (!Button_SCROLL_LEFT->Visible) {
        Button_SCROLL_LEFT->SetHided(0);
      }
    }
    if (Button_SCROLL_RIGHT) {
      if (v->Scroll_x < v->min_scroll_x) {
        if (Button_SCROLL_RIGHT->Visible) Button_SCROLL_RIGHT->SetHided(1);
      } else if (!Button_SCROLL_RIGHT->Visible) {
        Button_SCROLL_RIGHT->SetHided(0);
      }
    }
  }
  // Input once, when the panel rests and the village has stopped zooming: a
  // dialog that brings the panel back may keep it off.
  if (Updater && Updater->IsShowing() && Updater->Accel && Updater->Accel->Stopped && !Arrived && !v->Showing &&
      !v->Closing) {
    Arrived = 1;
    v->UserInputEnable = 1;
    StartShowScroll();
  }
  if (Updater && Updater->IsHiding() && Updater->IsDeath() && PressedID == Button_PLAY_ID) {
    PressedID = 0;
    if (v->TrophyDialog) v->TrophyDialog->SetHided(1);
    if (v->UpgradeDialog) v->UpgradeDialog->SetHided(1);
    v->Closing = 1;
    v->ScrollTo(90.0f, 0.5f);
    if (ScreenFade) {
      ScreenFade->alpha = 0.0f;
      ScreenFade->set = 0;
    }
    SetHided(1);
  }
  if (Visible && platform::KeyHit(kEscape)) AskToLeave();
  return 0;
}

void TPanel::AskToLeave() {
  if (VillageScreen) VillageScreen->Pause(1);
  ShowMessageBox(1, Self(), GameTexts[56], 2, "IMAGE_GUI_BT_YES", "IMAGE_GUI_BT_NO", 0);
}

int TPanel::Draw() {
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  if (Panel) platform::DrawImage(Panel, 0.0f, 0.0f);
  if (Points) Points->Draw();
  if (Money) Money->Draw();
  if (Coins) Coins->Draw(1.0f);
  return 0;
}

int TPanel::DePress(int id) {
  TVillageMode* v = VillageScreen.get();
  if (DraggedCreature) DraggedCreature->ForceDrop();
  switch (id) {
    case Button_TROPHY_ID:
      if (!Button_TROPHY || Button_TROPHY->locked || VillageDialogActive || TrophyImageShown) break;
      Button_TROPHY->blink = 0;
      if (TrophyRoomScreen) TrophyRoomScreen->SetHided(0);
      break;
    case Button_BUILD_ID: {
      if (!v || !Button_BUILD || Button_BUILD->locked) break;
      const Ref<TUpgradeDialog> dialog = v->UpgradeDialog;
      if (!dialog || dialog->Visible || !dialog->CheckUpgrades()) break;
      if (HintId() == 3) {
        TutorialHint->StartHiding();
        Button_BUILD->blink = 0;
        TutorialHint->Create(4, 235, 475, 0);
      } else if (HintId() == 5) {
        TutorialHint->StartHiding();
      }
      StartHiding();
      if (v->TrophyDialog) v->TrophyDialog->SetHided(1);
      dialog->SetHided(0);
      dialog->StartShow();
      PlaySoundEffect("SOUND_SLIDE_IN", 0.0f, 1);
      break;
    }
    case Button_MENU_ID:
      AskToLeave();
      break;
    case 15001:
      // The visit's length in the seconds the rounds count (the village's
      // PlayTime is when the visit began: adding it overflowed).
      if (GameState && v) GameState->TotalTime += std::max(0, GameTime - v->PlayTime) / 1000;
      if (TrophyRoomScreen) TrophyRoomScreen->SetHided(1);
      if (v) v->SetHided(1);
      if (GameState) GameState->SetHided(1);
      SetHided(1);
      if (GameLinks.ShowMainMenu) GameLinks.ShowMainMenu();
      if (GameLinks.AddScore) GameLinks.AddScore();
      break;
    case 15002:
      if (v) v->Pause(0);
      break;
    case Button_PLAY_ID: {
      if (!v || !Button_PLAY || Button_PLAY->locked || VillageDialogActive) break;
      if (HintId() == 5) TutorialHint->StartHiding();
      const int stage = GameState ? GameState->Stage : 0;
      const Ref<TUpgrade> bridge = TUpgrade::FindUpgrade("bridge");
      const int buy = v->UpgradeDialog ? v->UpgradeDialog->CheckUpgrades() : 0;
      const int refusal =
          PlayRefusal(CurrentVillage, stage, FinishedBuildCount, NeedAdded, bridge && bridge->built ? 1 : 0, buy);
      if (refusal) {
        if (VillageStory.OpenDialog) VillageStory.OpenDialog(refusal, 0, 0);
        if (refusal == 1007 && HintId() == 3) TutorialHint->StartHiding();
        break;
      }
      if (v->UpgradeDialog && v->UpgradeDialog->Visible) break;
      PressedID = Button_PLAY_ID;
      if (DraggedCreature) DraggedCreature->ForceDrop();
      if (Mouse) Mouse->Hide();
      StartHiding();
      if (HintId() == 1) TutorialHint->StartHiding2();
      break;
    }
    default:
      break;
  }
  return 0;
}

void TMoodometer::Update(float dt) {
  TargetValue = VillageScreen ? VillageScreen->Happiness : 0.0f;
  if (std::fabs(TargetValue - CurValue) < 0.1f * dt)
    TargetValue = CurValue;
  else
    CurValue += TargetValue > CurValue ? 0.1f * dt : -0.1f * dt;
  const float max = VillageScreen && VillageScreen->MaxHappiness > 0.0f ? VillageScreen->MaxHappiness : 100.0f;
  percent = std::min(CurValue / max, 1.0f) * 210.0f;
}

void TMoodometer::Draw() {
  if (!img1 || !VillageScreen || !VillageScreen->Panel || !VillageScreen->Panel->Visible) return;
  PushGraphicsState();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetViewport(x, Int(static_cast<float>(lowy) - percent), img1->Width(), Int(percent));
  platform::DrawImage(img1, static_cast<float>(x), static_cast<float>(lowy) - percent);
  PopGraphicsState();
}

}  // namespace kelp
