#include "play/level_complete.h"

#include <algorithm>
#include <string>

#include "framework/core/color.h"
#include "framework/core/numeric.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/controls.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "play/game.h"
#include "play/player.h"
#include "world/resource_bindings.h"

namespace kelp {

int LevelStars(int combos, int creatures, int maxCombo, float bonusTime, int stage) {
  int stars = 3;
  if (creatures > 0) {
    const double raw = static_cast<double>(combos) / creatures * 120.0;
    stars = raw >= 5.0 ? 5 : std::max(3, static_cast<int>(raw));
  }
  if (stars == 5 && maxCombo < 3) stars = 4;
  if (stars == 5 && bonusTime > 0.8f) stars = 4;
  if (stars == 3 && stage == 1) stars = 4;
  return stars;
}

Ref<TLevelComplete> ShowLevelComplete() {
  if (Mouse) {
    Mouse->Show();
    Mouse->Position(static_cast<float>(VirtualCenterX), 300.0f);
  }
  auto form = New<TLevelComplete>();
  form->Fadeable = 1;
  form->Modal = 0;
  form->Image = ResManager ? ResManager->GetImage("IMAGE_COMPLETE_FRAME") : nullptr;
  WidgetManager->AddWidget(form);
  const int w = form->Image ? form->Image->Width() : 400, h = form->Image ? form->Image->Height() : 450;
  form->Resize(VirtualCenterX - w / 2, -h, w, h);
  form->StartShow();
  return form;
}

int TLevelComplete::AddedToManager() {
  BUTTON_OK = CreateButton(0, 0, nullptr, "", Button_OK_ID, Self(), 0, 0);
  BUTTON_OK->SetAnim(TAnimImage::Load2("IMAGE_GUI_BT_OK", -1));
  WidgetManager->AddWidget(BUTTON_OK);
  if (!GameScreen || !Player) return 0;
  TGame& game = *GameScreen;
  Combos = game.Combos;
  MaxCombo = game.MaxCombo;
  Orbics = game.OrbicsReleased;
  Coins = game.LevelMoney;
  LevelScore = Player->scores - Player->old_scores;
  game.BonusTime = std::min(game.BonusTime, 1.0f);
  BonusScore = game.GameMode == TGameState::RELAXED ? 0 : Int((1.0f - game.BonusTime) * 2000.0f);
  game.OrbicsReleased = 0;
  Player->scores += BonusScore;
  if (GameLinks.RecordLevel) GameLinks.RecordLevel(game.Level, game.GameMode, LevelScore + BonusScore);
  Stars = LevelStars(Combos, Orbics, MaxCombo, game.BonusTime, game.Stage);
  return 0;
}

int TLevelComplete::RemovedFromManager() {
  WidgetManager->RemoveWidget(BUTTON_OK);
  return 0;
}

int TLevelComplete::SetPosition(int px, int py) {
  TDialogStatic::Resize(px, py, _width, _height);
  if (BUTTON_OK) BUTTON_OK->SetPosition(px + 105, py + 395);
  return 0;
}

int TLevelComplete::Resize(int px, int py, int width, int height) {
  TDialogStatic::Resize(px, py, width, height);
  return SetPosition(px, py);
}

int TLevelComplete::StartShow() {
  PlayMusic("MUSIC_LEVEL_COMPLETE", 0);
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartShow(4.0f, 0.6f, 0.15f);
  fade_state = 1;
  return 0;
}

int TLevelComplete::StartHiding() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartHiding();
  fade_state = 2;
  return 0;
}

int TLevelComplete::DePress(int id) {
  if (PressedID) return 0;  // the first press stands
  PressedID = id;
  StartHiding();
  return 0;
}

int TLevelComplete::Update(float dt) {
  if (platform::KeyHit(platform::VK_RETURN) || platform::KeyHit(platform::VK_ESCAPE)) DePress(Button_OK_ID);
  if (Updater) Updater->Update(dt);
  SetPosition(Int(_x), Int(_y));
  if (Updater && Updater->IsHiding() && Updater->IsDeath() && PressedID == Button_OK_ID && !Fade_flag && ScreenFade) {
    ScreenFade->Init(0.0f, 0.008f, 1.0f);
    Fade_flag = 1;
  }
  return 0;
}

int TLevelComplete::Draw() {
  TDialogStatic::Draw();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetScale(1.0f, 1.0f);
  auto image = [](const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; };
  struct Line {
    const char* caption;
    float cx, cy;  // the caption
    int value;
    float y;       // the number, right-aligned to x 290 (coins: from x 85)
  };
  const Line lines[] = {{"IMAGE_SCORE", 54, 115, LevelScore, 99},        {"IMAGE_COMBOS", 56, 150, Combos, 133},
                        {"IMAGE_MAX_COMBO", 56, 185, MaxCombo, 169},     {"IMAGE_ORBICS", 55, 222, Orbics, 207},
                        {"IMAGE_COINS", 38, 244, Coins, 242},            {"IMAGE_TIME_BONUS", 54, 297, BonusScore, 283},
                        {"IMAGE_TOTAL_SCORE", 54, 344, LevelScore + BonusScore, 329}};
  SetBMFont(FontCompleteScores ? FontCompleteScores : Font02);
  for (const Line& l : lines) {
    platform::DrawImage(image(l.caption), l.cx, l.cy);
    const std::string number = std::to_string(l.value);
    const bool coins = &l == &lines[4];
    DrawBMText(number, coins ? 85.0f : 290.0f - static_cast<float>(BMTextWidth(number)), l.y);
  }
  const platform::ImageRef star = image("IMAGE_STAR");
  for (int n = 0; n < Stars; ++n) platform::DrawImage(star, 74.0f + 40.0f * static_cast<float>(n), 380.0f);
  return 0;
}

}  // namespace kelp
