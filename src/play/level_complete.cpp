#include "play/level_complete.h"

#include <algorithm>
#include <string>

#include "framework/core/color.h"
#include "framework/core/geometry.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/media/textured_poly.h"
#include "framework/ui/controls.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "play/count2.h"
#include "play/effects_widget.h"
#include "play/game.h"
#include "play/player.h"
#include "world/effects/image_show.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

constexpr float kClockX = 257.0f, kClockY = 296.0f;  // the hand's and the pip's centre

platform::ImageRef Picture(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

// Draws the image with its middle at (cx, cy), whatever its handle.
void DrawCentred(const platform::ImageRef& image, float cx, float cy) {
  if (!image) return;
  platform::DrawImage(image, cx - static_cast<float>(image->Width()) / 2.0f + image->HandleX(),
                      cy - static_cast<float>(image->Height()) / 2.0f + image->HandleY());
}

void KillCount(Ref<TCount2>& c) {
  if (c) c->Kill();
  c = nullptr;
}

void KillImage(Ref<TShowImage>& s) {
  if (s) s->Kill();
  s = nullptr;
}

}  // namespace

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

int TimeBonusScore(float bonusTime, int relaxed) {
  if (relaxed) return 0;
  return Int((1.0f - std::min(bonusTime, 1.0f)) * 2000.0f);
}

Ref<TLevelComplete> ShowLevelComplete() {
  if (Mouse) {
    Mouse->Show();
    Mouse->Position(static_cast<float>(VirtualCenterX), 300.0f);
  }
  auto form = New<TLevelComplete>();
  form->Fadeable = 1;
  form->Modal = 0;
  form->SetImage(Picture("IMAGE_COMPLETE_FRAME"));
  if (!WidgetManager) return form;
  WidgetManager->AddWidget(form);
  const int w = form->Image ? form->Image->Width() : 334, h = form->Image ? form->Image->Height() : 452;
  form->Resize(VirtualCenterX - w / 2, -h, w, h);
  form->StartShow();
  return form;
}

int TLevelComplete::AddedToManager() {
  EffectsOver = TEffectsWidget::Create();
  Effects = TEffectsWidget::Create();
  // The lower layer stands just before the dialog, so it is drawn under it.
  WidgetManager->RemoveWidget(Effects);
  WidgetManager->AddWidgetBefore(Effects, this);

  if (ResManager) {
    if (const Ref<TEffect> effect = ResManager->GetEffect("EFFECT_SALUTE")) {
      if (!effect->Color) effect->Color = CreateColor(0, 0, 0);
      effect->Color->StartColor(Rand(40, 255), Rand(40, 255), Rand(40, 255), effect->alpha[0]);
      effect->Color->EndColor(Rand(40, 255), Rand(40, 255), Rand(40, 255), effect->alpha[1]);
      Salute = TEmitter::Create(static_cast<float>(CanvasOffsetX + 100), 600.0f, effect, 0);
      Effects->AddEmitter(Salute);
    }
  }

  BUTTON_OK = CreateButton(0, 0, nullptr, "", Button_OK_ID, Self(), 0, 0);
  BUTTON_OK->SetAnim(TAnimImage::Load2("IMAGE_GUI_BT_OK", -1));
  WidgetManager->AddWidget(BUTTON_OK);

  Clock = Picture("IMAGE_CLOCK");
  ClockPip = Picture("IMAGE_CLOCK_PIP");
  ClockArrow = Picture("IMAGE_CLOCK_ARROW");

  if (Settled_ || !GameScreen || !Player) return 0;
  Settled_ = true;
  TGame& game = *GameScreen;
  ClockAngle = game.BonusTime * 360.0f;
  ClockShadow = TSectorImage::Create(Picture("IMAGE_CLOCK_SHADOW"), CreateVector(kClockX - 1.0f, kClockY));
  ClockShadow->SetDrawSector(0, Int(ClockAngle));

  // The level's figures are read before anything changes them.
  Combos = game.Combos;
  MaxCombo = game.MaxCombo;
  Orbics = game.OrbicsReleased;
  Coins = game.LevelMoney;
  LevelScore = Player->scores - Player->old_scores;
  Relaxed = game.GameMode == TGameState::RELAXED;
  game.BonusTime = std::min(game.BonusTime, 1.0f);
  BonusTime = game.BonusTime;
  BonusScore = TimeBonusScore(game.BonusTime, Relaxed);
  game.OrbicsReleased = 0;
  Player->scores += BonusScore;
  if (GameLinks.RecordLevel) GameLinks.RecordLevel(game.Level, game.GameMode, LevelScore + BonusScore);
  Stars = LevelStars(Combos, Orbics, MaxCombo, BonusTime, game.Stage);

  const Ref<TLevelComplete> self = std::static_pointer_cast<TLevelComplete>(Self());
  const Ref<TBMFont> font = FontCompleteScores ? FontCompleteScores : Font02;
  auto count = [&](int x, int y, int target, float speed, int align) {
    return TCount2::CreateCount(self, x, y, 0, target, font, speed, align, 0, 0, 250);
  };
  ScoreCount = count(40, 99, LevelScore, 3.0f, 2);
  CombosCount = count(40, 133, Combos, 3.0f, 2);
  MaxComboCount = count(40, 169, MaxCombo, 3.0f, 2);
  OrbicsCount = count(40, 207, Orbics, 2.0f, 2);
  CoinsCount = count(85, 242, Coins, 3.0f, 0);
  CoinsCount->Sound = "SOUND_COMPLETE_COINS";
  TotalScoreCount = count(40, 329, LevelScore, 3.0f, 2);
  return 0;
}

int TLevelComplete::RemovedFromManager() {
  if (Salute) Salute->GenerationStop = 1;
  if (TimeBonus) TimeBonus->GenerationStop = 1;
  for (Ref<TShowImage>* s : {&ScoreImg, &CombosImg, &MaxComboImg, &OrbicsImg, &CoinsImg, &TimeBonusImg,
                             &TotalScoreImg, &NoImg})
    KillImage(*s);
  for (Ref<TShowImage>& s : StarImg) KillImage(s);
  for (Ref<TCount2>* c : {&ScoreCount, &CombosCount, &MaxComboCount, &OrbicsCount, &CoinsCount, &TotalScoreCount})
    KillCount(*c);
  if (WidgetManager) {
    WidgetManager->RemoveWidget(BUTTON_OK);
    WidgetManager->RemoveWidget(Effects);
    WidgetManager->RemoveWidget(EffectsOver);
  }
  return 0;
}

int TLevelComplete::SetPosition(int px, int py) {
  TDialogStatic::Resize(px, py, _width, _height);
  if (BUTTON_OK) BUTTON_OK->SetPosition(px + 105, py + 395);
  return 0;
}

int TLevelComplete::Resize(int px, int py, int width, int height) {
  TDialogStatic::Resize(px, py, width, height);
  if (TimeBonus) {
    TimeBonus->x = static_cast<float>(px + 216 + 40);
    TimeBonus->y = static_cast<float>(py + 294);
  }
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
  state = 14;
  StartHiding();
  return 0;
}

void TLevelComplete::Caption(Ref<TShowImage>& slot, const char* image, int x, int y) {
  if (!slot) slot = TShowImage::Create(Picture(image), x, y, Self());
}

int TLevelComplete::Update(float dt) {
  const Ref<TWidget> keep = Self();
  if (platform::KeyHit(platform::VK_RETURN) || platform::KeyHit(platform::VK_ESCAPE)) DePress(Button_OK_ID);
  if (Updater) Updater->Update(dt);
  Resize(Int(_x), Int(_y), _width, _height);
  if (Updater && Updater->IsHiding() && Updater->IsDeath() && PressedID == Button_OK_ID && !Fade_flag && ScreenFade) {
    ScreenFade->Init(0.0f, 0.008f, 1.0f);
    Fade_flag = 1;
  }
  auto doneCount = [](const Ref<TCount2>& c) { return !c || c->done; };
  switch (state) {
    case 0:
      if (Updater && Updater->IsShowing() && Updater->Accel && Updater->Accel->IsDeath()) state = 1;
      break;
    case 1:
      Caption(ScoreImg, "IMAGE_SCORE", 54, 115);
      if (doneCount(ScoreCount)) state = 2;
      break;
    case 2:
      Caption(CombosImg, "IMAGE_COMBOS", 56, 150);
      if (doneCount(CombosCount)) state = 3;
      break;
    case 3:
      Caption(MaxComboImg, "IMAGE_MAX_COMBO", 56, 185);
      if (doneCount(MaxComboCount)) state = 4;
      break;
    case 4:
      Caption(OrbicsImg, "IMAGE_ORBICS", 55, 222);
      if (doneCount(OrbicsCount)) state = 5;
      break;
    case 5:
      if (OrbicsImg && OrbicsImg->state < 3) break;
      Caption(CoinsImg, "IMAGE_COINS", 38, 244);
      if (doneCount(CoinsCount)) state = 6;
      break;
    case 6:
      if (!Relaxed) TimeBonusCount = 1;
      Caption(TimeBonusImg, "IMAGE_TIME_BONUS", 54, 297);
      Caption(TotalScoreImg, "IMAGE_TOTAL_SCORE", 54, 344);
      if (Relaxed) {
        if (!NoImg) {
          const platform::ImageRef no = Picture("IMAGE_NO");
          NoImg = TShowImage::Create(no, 290 - (no ? no->Width() : 0), 297, Self());
        }
        if (TotalScoreCount)
          TotalScoreCount->Init(40, 329, 0, LevelScore, TotalScoreCount->Font, 2.0f, 2, 0, 0, 250);
        state = 7;
      } else if (doneCount(TotalScoreCount)) {
        if (EffectsOver && ResManager) {
          TimeBonus = TEmitter::Create(490.0f, 350.0f, ResManager->GetEffect("EFFECT_TIME_BONUS"), 0);
          EffectsOver->AddEmitter(TimeBonus);
        }
        PlaySoundEffect("SOUND_COMPLETE_CLOCK", 0.0f, 0);
        if (TotalScoreCount)
          TotalScoreCount->Init(40, 329, LevelScore, LevelScore + BonusScore, TotalScoreCount->Font, 2.0f, 2, 0, 0,
                                250);
        state = 7;
      }
      break;
    case 7:
      if (!Relaxed && TotalScoreCount) {
        ClockAngle = std::max(BonusTime * 360.0f, TotalScoreCount->Progress * 360.0f);
        if (ClockShadow) ClockShadow->SetDrawSector(0, Int(ClockAngle));
      }
      if (doneCount(TotalScoreCount)) state = 8;
      break;
    case 8:
      if (!Relaxed && TimeBonus) TimeBonus->GenerationStop = 1;
      state = 9;
      break;
    case 9:
    case 10:
    case 11:
    case 12:
    case 13: {
      const int n = state - 8;  // the star being shown, 1 to 5
      if (n > 1 && StarImg[n - 2] && StarImg[n - 2]->state < 3) break;
      if (!StarImg[n - 1]) {
        StarImg[n - 1] = TShowImage::Create(Picture("IMAGE_STAR"), 74 + 40 * (n - 1), 380, Self());
        PlaySoundEffect("SOUND_COMPLETE_STARS", 0.0f, 1);
      }
      if (n >= Stars) {
        state = 14;
      } else if (StarImg[n - 1]->state >= 3) {
        state = n + 9;
      }
      break;
    }
    default:
      break;
  }
  return 0;
}

int TLevelComplete::Draw() {
  TDialogStatic::Draw();
  PushGraphicsState();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  for (const Ref<TShowImage>* s : {&ScoreImg, &CombosImg, &MaxComboImg, &OrbicsImg, &CoinsImg, &TimeBonusImg,
                                   &TotalScoreImg, &NoImg})
    if (*s) (*s)->Draw();

  // A counter counts once its caption shows and the line before is done.
  struct Line {
    const Ref<TShowImage>& caption;
    const Ref<TCount2>& count;
    const Ref<TCount2>* before;
  };
  const Line lines[] = {{ScoreImg, ScoreCount, nullptr},
                        {CombosImg, CombosCount, &ScoreCount},
                        {MaxComboImg, MaxComboCount, &CombosCount},
                        {OrbicsImg, OrbicsCount, &MaxComboCount},
                        {CoinsImg, CoinsCount, &OrbicsCount}};
  for (const Line& l : lines) {
    if (!l.caption || !l.count || (l.before && *l.before && !(*l.before)->done)) continue;
    l.count->Start();
    l.count->Draw();
  }
  const bool totalDue = Relaxed ? NoImg != nullptr : TotalScoreImg && (!CoinsCount || CoinsCount->done);
  if (TotalScoreCount && totalDue) {
    TotalScoreCount->Start();
    TotalScoreCount->Draw();
  }
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  for (const Ref<TShowImage>& star : StarImg)
    if (star) star->Draw();
  if (!Relaxed && TimeBonusImg) {
    platform::SetScale(1.0f, 1.0f);
    DrawCentred(Clock, kClockX, kClockY);
    if (ClockShadow) ClockShadow->Draw();
    platform::SetRotation(ClockShadow ? ClockShadow->angle : ClockAngle);
    platform::DrawImage(ClockArrow, kClockX, kClockY);
    platform::SetRotation(0.0f);
    platform::DrawImage(ClockPip, kClockX, kClockY);
  }
  PopGraphicsState();
  return 0;
}

}  // namespace kelp
