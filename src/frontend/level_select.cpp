#include "frontend/level_select.h"

#include <algorithm>
#include <cstdio>

#include "framework/core/frame_clock.h"
#include "framework/core/numbers.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/controls.h"
#include "framework/ui/dialog.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "frontend/level_record.h"
#include "frontend/main_menu.h"
#include "frontend/map.h"
#include "frontend/profile.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "play/game.h"
#include "play/player.h"
#include "world/effects/counters.h"
#include "world/game_interface.h"
#include "world/level.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

constexpr int kCampaignLevels = 67;  // 68-70 are never open here
constexpr int kDoubleClickMs = 200;
constexpr int kShowOrder[10] = {8, 4, 0, 5, 1, 6, 2, 9, 7, 3};
constexpr int kHideOrder[10] = {8, 9, 4, 5, 6, 7, 0, 1, 2, 3};

platform::ImageRef Picture(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

void SavedProgress(int& level, int& completed) {
  level = completed = 0;
  const Ref<TGameData> data = Player && Player->Profile ? Player->Profile->data : nullptr;
  if (!data) return;
  level = data->Level;
  completed = data->GameCompleted;
}

// Grid cell of icon k: icons 0-8 take cells 0-8, icon 9 takes cell 11.
int CellOf(int k) { return k == 9 ? 11 : k; }

platform::ImageRef LoadThumbnail(int level) {
  const platform::StreamRef s = OpenPakStream(LevelThumbnailPath(level));
  if (!s) return nullptr;
  return platform::LoadImage(*s);
}

}  // namespace

std::string LevelThumbnailPath(int level) {
  char name[48];
  std::snprintf(name, sizeof name, "data/img/gui/level_select/%03d.jpg", level);
  return name;
}

bool LevelIconLocked(int level, int savedLevel, int completed, int levelCount) {
  if (level < 1 || level > levelCount || level > kCampaignLevels) return true;
  return !(completed || savedLevel > level);
}

int RandomLevelTop(int savedLevel, int completed, int levelCount) {
  // A new profile stands at level 0 or 1: nothing reached, so the button is
  // locked rather than drawing from an empty range.
  const int n = completed ? kCampaignLevels : savedLevel - 1;
  return std::max(0, std::min({n, levelCount, kCampaignLevels}));
}

int LevelSelectLastPage(int levelCount) { return levelCount <= 0 ? 0 : (levelCount - 1) / 10; }

int WrapPage(int page, int delta, int lastPage) {
  page += delta;
  if (page < 0) return lastPage;
  if (page > lastPage) return 0;
  return page;
}

// ------------------------------------------------------------------ icons

void TLevelIcon::Change(int level) {
  id = level;
  int saved = 0, completed = 0;
  SavedProgress(saved, completed);
  const bool real = level >= 1 && level <= LevelCount;
  Image = real ? LoadThumbnail(level) : nullptr;
  Locked = LevelIconLocked(level, saved, completed, LevelCount) ? 1 : 0;
  NormalRecord = real ? TLevelRecord::GetRecord(level, 0) : nullptr;
  RelaxedRecord = real ? TLevelRecord::GetRecord(level, 1) : nullptr;
  // A cell past the last level stays empty.
  TWidget::SetHided(real ? 0 : 1);
}

void TLevelIcon::StartShow() {
  Updater = TWidgetUpdater::Create(Self(), 0);
  Updater->Init(0, 1, 0.9f, 2.5f);
  Updater->pos0 = static_cast<float>(target_y);
  Updater->pos1 = 770.0f;
  Updater->Dir = 1;
  _y = static_cast<float>(start_y);
  Updater->StartShow(4.0f, 0.6f, 0.15f);
  ShowTime = GameTime;
  landed_ = 0;
  sound = 0;
}

void TLevelIcon::StartHiding() {
  Updater = TWidgetUpdater::Create(Self(), 0);
  Updater->Init(0, 1, 0.9f, 2.5f);
  Updater->pos0 = static_cast<float>(target_y);
  Updater->pos1 = 770.0f;
  Updater->Dir = -1;
  Updater->StartHiding();
  HideTime = GameTime;
  landed_ = 0;
}

bool TLevelIcon::Shown() const {
  if (!Visible) return true;  // an empty cell is never waited for
  return Updater && Updater->IsShowing() && landed_ && GameTime - landed_ >= 100;
}

bool TLevelIcon::Hidden() const {
  if (!Visible) return true;
  return Updater && Updater->IsHiding() && landed_ && GameTime - landed_ >= 50;
}

int TLevelIcon::Update(float dt) {
  if (Updater) {
    Updater->Update(dt);
    if (Updater->IsShowing() && Updater->Accel && Updater->Accel->Stopped && !sound) {
      sound = 1;
      PlaySoundEffect("SOUND_BRICK_FALL", 0.0f, 1);
    }
    const bool ended = Updater->IsShowing() ? (Updater->Accel && Updater->Accel->IsDeath()) : Updater->IsDeath();
    if (ended && !landed_) landed_ = GameTime;
  }
  const bool selected = Listener && Listener->Selected == this;
  if (selected) {
    const float step = 0.1f * OverAlphaSpeed * dt;
    if (AlphaState == 0) {
      OverAlpha += step;
      if (OverAlpha >= 0.6f) OverAlpha = 0.6f, AlphaState = 1;
    } else {
      OverAlpha -= step;
      if (OverAlpha <= 0.1f) OverAlpha = 0.1f, AlphaState = 0;
    }
  } else if (IsOver && !Locked) {
    OverAlpha = std::min(0.4f, OverAlpha + 0.1f * OverAlphaSpeed * dt);
  } else {
    OverAlpha = std::max(0.0f, OverAlpha - 0.1f * OverAlphaSpeed * dt);
  }
  return 0;
}

int TLevelIcon::MouseDown(int button) {
  if (button != 1) return 0;
  IsDown = 1;
  DePress(id);
  return 0;
}

int TLevelIcon::MouseUp(int) {
  IsDown = 0;
  return 0;
}

int TLevelIcon::DePress(int) {
  if (!Listener || id < 1 || id > kCampaignLevels || !Visible) return 0;
  PlaySoundEffect("SOUND_BT_CLICK", 0.0f, 0);
  const bool second = GameTime - PressedTime < kDoubleClickMs && Listener->Selected == this;
  PressedTime = GameTime;
  Listener->Select(this);
  if (second) Listener->DePress(TLevelSelect::BUTTON_PLAY_ID);
  return 0;
}

int TLevelIcon::Draw() {
  if (!Listener) return 0;
  const TLevelSelect& L = *Listener;
  const bool selected = L.Selected == this;
  TranslateX = TranslateY = (!selected && (IsOver || IsDown)) ? 1 : 0;
  const float tx = static_cast<float>(TranslateX), ty = static_cast<float>(TranslateY);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetBlend(platform::ALPHABLEND);
  if (Locked) {
    platform::DrawImage(L.LockedImage, 10.0f + tx, 10.0f + ty);
  } else if (Image) {
    platform::DrawImage(Image, 10.0f + tx, 10.0f + ty);
    if (OverAlpha != 0.0f) {
      platform::SetBlend(platform::LIGHTBLEND);
      platform::SetAlpha(OverAlpha);
      platform::DrawImage(Image, 10.0f + tx, 10.0f + ty);
      platform::SetBlend(platform::ALPHABLEND);
      platform::SetAlpha(1.0f);
    }
  }
  platform::DrawImage(L.BorderImage, tx, ty);
  if (selected && L.SelectorImage) {
    platform::DrawImage(L.SelectorImage, 0.0f, 0.0f);
    platform::SetBlend(platform::LIGHTBLEND);
    platform::SetAlpha(OverAlpha);
    platform::DrawImage(L.SelectorImage, 0.0f, 0.0f);
    platform::SetBlend(platform::ALPHABLEND);
    platform::SetAlpha(1.0f);
  }
  if (L.Font) {
    SetBMFont(L.Font);
    SetInk(kInk);
    DrawTextBox(110 + TranslateX, 22 + TranslateY, std::to_string(id), 40, JUSTIFY_RIGHT, 1);
  }
  return 0;
}

// ------------------------------------------------------------------ screen

Ref<TLevelSelect> ShowLevelSelect(int mainMenu) {
  auto s = New<TLevelSelect>();
  s->Image = Picture("IMAGE_LEVEL_FRAME");
  s->MainMenu = mainMenu;
  s->Back = CreateImageWidget(Picture("IMAGE_LEVEL_BACK"), 0, 0, 0);
  s->Clip = 0;
  if (!WidgetManager) return s;
  WidgetManager->AddWidget(s);
  const int w = s->Image ? s->Image->Width() : 404, h = s->Image ? s->Image->Height() : 232;
  s->Resize(VirtualCenterX - w / 2, 830, w, h);
  s->StartShow();
  return s;
}

int TLevelSelect::AddedToManager() {
  auto button = [this](int id, const char* anim, const char* locked) {
    auto b = CreateButton(0, 0, nullptr, "", id, Self(), 0, 0);
    b->SetAnim(TAnimImage::Load2(anim, -1));
    if (locked) b->LockedImage = Picture(locked);
    WidgetManager->AddWidget(b);
    return b;
  };
  BUTTON_PLAY = button(BUTTON_PLAY_ID, "IMAGE_BUTTON_PLAY", "IMAGE_BUTTON_PLAY_LOCKED");
  BUTTON_RANDOM = button(BUTTON_RANDOM_ID, "IMAGE_BUTTON_RANDOM", "IMAGE_BUTTON_RANDOM_LOCKED");
  BUTTON_BACK = button(BUTTON_BACK_ID, "IMAGE_BUTTON_BACK", nullptr);
  auto arrow = [this](int id, const char* image, const char* over) {
    auto b = CreateButton(0, 0, Picture(image), "", id, Self(), 0, 0);
    b->OverImage = Picture(over);
    WidgetManager->AddWidget(b);
    return b;
  };
  BUTTON_ARROW_L = arrow(BUTTON_ARROW_L_ID, "IMAGE_GUI_ARROWL", "IMAGE_GUI_ARROWL_ON");
  BUTTON_ARROW_R = arrow(BUTTON_ARROW_R_ID, "IMAGE_GUI_ARROWR", "IMAGE_GUI_ARROWR_ON");
  const platform::ImageRef on = Picture("IMAGE_GUI_CHECKBOX_ON"), off = Picture("IMAGE_GUI_CHECKBOX_OFF");
  CB_NORMAL = CreateCheckbox(on, off, 1, 0, 0, CB_NORMAL_ID, Self());
  CB_RELAXED = CreateCheckbox(on, off, 0, 0, 0, CB_RELAXED_ID, Self());
  WidgetManager->AddWidget(CB_NORMAL);
  WidgetManager->AddWidget(CB_RELAXED);
  Font = FontLevelSelect;
  LockedImage = Picture("IMAGE_LEVEL_LOCKED");
  BorderImage = Picture("IMAGE_LEVEL_BORDER");
  SelectorImage = Picture("IMAGE_LEVEL_SELECTOR");

  // The reached level as the file has it now.
  if (Player && Player->Profile) Player->Profile->LoadHeader();
  int saved = 0, completed = 0;
  SavedProgress(saved, completed);
  pages = LevelSelectLastPage(LevelCount);
  page = 0;
  LoadPage(0);
  const int top = RandomLevelTop(saved, completed, LevelCount);
  RandomLevel = top > 0 ? Rand(1, top) : 0;
  BUTTON_RANDOM->locked = RandomLevel == 0 ? 1 : 0;
  GameMode = TGame::NORMAL;
  if (GameScreen) GameScreen->GameMode = TGame::NORMAL;
  SetPosition(static_cast<int>(_x), static_cast<int>(_y));
  return 0;
}

int TLevelSelect::RemovedFromManager() {
  for (Ref<TLevelIcon>& icon : Icon)
    if (icon) WidgetManager->RemoveWidget(icon);
  for (const Ref<TButtonWidget>& b : {BUTTON_PLAY, BUTTON_RANDOM, BUTTON_BACK, BUTTON_ARROW_L, BUTTON_ARROW_R})
    WidgetManager->RemoveWidget(b);
  WidgetManager->RemoveWidget(CB_NORMAL);
  WidgetManager->RemoveWidget(CB_RELAXED);
  Selected = nullptr;
  platform::FlushKeys();
  if (Mouse) Mouse->Flush();
  return 0;
}

void TLevelSelect::LoadPage(int p) {
  Selected = nullptr;
  LevelText.clear();
  NamesText.clear();
  ScoresText.clear();
  for (int k = 0; k < 10; ++k) {
    const int level = p * 10 + k + 1;
    if (!Icon[k]) {
      const int cell = CellOf(k), col = cell % 4, row = cell / 4;
      auto icon = New<TLevelIcon>();
      icon->Listener = this;
      icon->Clip = 1;
      icon->target_x = icon->start_x = 200 * col + 10 + CanvasOffsetX;
      icon->target_y = 183 * row + 3;
      icon->start_y = icon->target_y - 600;
      icon->Resize(icon->start_x, icon->start_y, 180, 180);
      Icon[k] = icon;
      if (WidgetManager) WidgetManager->AddWidget(icon);
    }
    Icon[k]->Change(level);
  }
}

void TLevelSelect::Select(TLevelIcon* icon) {
  Selected = icon;
  if (!icon) return;
  SelectedID = icon->id;
  LevelText = GameTexts[6] + "\\n" + std::to_string(icon->id);
  const Ref<TLevelRecord> r = GameMode == TGame::RELAXED ? icon->RelaxedRecord : icon->NormalRecord;
  NamesText.clear();
  ScoresText.clear();
  if (!r) return;
  for (int i = 0; i < 3; ++i) {
    if (i) NamesText += "\\n", ScoresText += "\\n";
    NamesText += std::to_string(i + 1) + ". " + r->name[i];
    ScoresText += FormatThousands(r->scores[i]);
  }
}

int TLevelSelect::SetPosition(int px, int py) {
  TWidget::Resize(px, py, _width, _height);
  if (BUTTON_PLAY) BUTTON_PLAY->SetPosition(px + 85, py + 171);
  if (BUTTON_BACK) BUTTON_BACK->SetPosition(px - 201, py + 185);
  if (BUTTON_RANDOM) BUTTON_RANDOM->SetPosition(px + 467, py + 185);
  if (BUTTON_ARROW_L) BUTTON_ARROW_L->SetPosition(px - 5, py + 156);
  if (BUTTON_ARROW_R) BUTTON_ARROW_R->SetPosition(px + 305, py + 156);
  if (CB_NORMAL) CB_NORMAL->SetPosition(px + 162, py + 129);
  if (CB_RELAXED) CB_RELAXED->SetPosition(px + 200, py + 129);
  return 0;
}

int TLevelSelect::Resize(int px, int py, int width, int height) {
  TWidget::Resize(px, py, width, height);
  return SetPosition(px, py);
}

int TLevelSelect::SetHided(int flag) {
  TWidget::SetHided(flag);
  for (const Ref<TButtonWidget>& b : {BUTTON_PLAY, BUTTON_RANDOM, BUTTON_BACK, BUTTON_ARROW_L, BUTTON_ARROW_R})
    if (b) b->SetHided(flag);
  if (CB_NORMAL) CB_NORMAL->SetHided(flag);
  if (CB_RELAXED) CB_RELAXED->SetHided(flag);
  return 0;
}

void TLevelSelect::StartShow() {
  if (ScreenFade) ScreenFade->Init(1.0f, -0.038f, 1.0f);
  Updater = TWidgetUpdater::Create(Self(), 0);
  Updater->Init(0, 1, 0.4f, 0.9f);
  Updater->pos0 = 370.0f;
  Updater->pos1 = 830.0f;
  Updater->Dir = -1;
  Updater->StartShow(4.0f, 0.6f, 0.15f);
  if (Icon[kShowOrder[0]]) Icon[kShowOrder[0]]->StartShow();
}

void TLevelSelect::StartHiding() {
  if (Updater && Updater->IsHiding()) return;
  if (ScreenFade) ScreenFade->Init(0.0f, 0.038f, 1.0f);
  Updater = TWidgetUpdater::Create(Self(), 0);
  Updater->Init(0, 1, 0.4f, 0.9f);
  Updater->pos0 = 370.0f;
  Updater->pos1 = 830.0f;
  Updater->Dir = -1;
  Updater->StartHiding();
  if (Icon[kHideOrder[0]]) Icon[kHideOrder[0]]->StartHiding();
}

int TLevelSelect::DePress(int id) {
  const bool hiding = Updater && Updater->IsHiding();
  if (id == BUTTON_PLAY_ID) {
    if (hiding || !Selected || Selected->Locked) return 0;
  } else if (id == BUTTON_RANDOM_ID) {
    if (hiding || !BUTTON_RANDOM || BUTTON_RANDOM->locked || RandomLevel == 0) return 0;
  } else if (id == BUTTON_BACK_ID) {
    if (hiding) return 0;
  } else if (id == BUTTON_ARROW_L_ID || id == BUTTON_ARROW_R_ID) {
    if (hiding) return 0;
    page = WrapPage(page, id == BUTTON_ARROW_L_ID ? -1 : 1, pages);
    LoadPage(page);
    return 0;
  } else {
    return 0;
  }
  PressedID = id;
  StartHiding();
  return 0;
}

int TLevelSelect::CheckBoxChecked(int id, int) {
  GameMode = id == CB_RELAXED_ID ? TGame::RELAXED : TGame::NORMAL;
  if (CB_NORMAL) CB_NORMAL->Checked = GameMode == TGame::NORMAL;
  if (CB_RELAXED) CB_RELAXED->Checked = GameMode == TGame::RELAXED;
  if (GameScreen) GameScreen->GameMode = GameMode;
  Select(Selected);
  return 0;
}

int TLevelSelect::Update(float dt) {
  const Ref<TWidget> keep = Self();
  UpdateMusic(dt);
  if (ScreenFade) ScreenFade->Update(dt >= 10.0f ? 1.0f : dt);
  if (Updater) Updater->Update(dt);
  SetPosition(static_cast<int>(_x), static_cast<int>(_y));
  const bool hiding = Updater && Updater->IsHiding();
  // Each icon follows the one before it in its chain.
  const int* order = hiding ? kHideOrder : kShowOrder;
  for (int i = 1; i < 10; ++i) {
    TLevelIcon* prev = Icon[order[i - 1]].get();
    TLevelIcon* icon = Icon[order[i]].get();
    if (!prev || !icon) continue;
    const bool started = icon->Updater && (hiding ? icon->Updater->IsHiding() : icon->Updater->IsShowing());
    if (!started && (hiding ? prev->Hidden() : prev->Shown())) hiding ? icon->StartHiding() : icon->StartShow();
  }
  if (BUTTON_PLAY) BUTTON_PLAY->locked = (!Selected || Selected->Locked) ? 1 : 0;
  if (platform::KeyHit(platform::VK_ESCAPE)) DePress(BUTTON_BACK_ID);

  const TLevelIcon* last = Icon[kHideOrder[9]].get();
  const bool iconsGone = !last || last->Hidden();
  if (!hiding || !Updater->IsDeath() || !iconsGone || (ScreenFade && ScreenFade->alpha < 1.0f)) return 0;
  Updater = nullptr;
  if (WidgetManager) WidgetManager->RemoveWidget(this);
  if (PressedID == BUTTON_RANDOM_ID) SelectedID = RandomLevel;
  if (PressedID == BUTTON_PLAY_ID || PressedID == BUTTON_RANDOM_ID) {
    if (Start()) return 0;
  }
  if (MainMenu || !MapScreen) {
    if (MainMenuScreen) MainMenuScreen->SetHided(0);
  } else {
    MapScreen->SetHided(0);
  }
  return 0;
}

bool TLevelSelect::Start() {
  if (!MainMenu && MapScreen) MapScreen->SetHided(1);
  if (!GameScreen) return false;
  GameScreen->GameMode = GameMode;
  if (Player && Player->Profile && Player->Profile->data) Player->Profile->data->GameMode = GameMode;
  GameScreen->CustomLevel = 1;
  TLevel::SetLevel(SelectedID);
  if (Player) {
    Player->scores = 0;
    Player->money = 0;
  }
  if (GameInterface && GameInterface->Points) GameInterface->Points->Ammount = 0;
  GameScreen->PlayTime = 0;
  GameScreen->PausedTime = 0;
  GameScreen->SetHided(0);
  if (GameScreen->Start()) return true;
  WriteLog("Level " + std::to_string(SelectedID) + " could not be started from the level select", LOG_ERROR);
  GameScreen->SetHided(1);
  GameScreen->CustomLevel = 0;
  return false;
}

int TLevelSelect::Draw() {
  PushGraphicsState();
  SetGameViewport();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  if (Back && Back->Image) platform::DrawImage(Back->Image, 0.0f, 0.0f);
  DrawSideBars();
  if (ScreenFade) ScreenFade->Draw();
  PopGraphicsState();

  PushGraphicsState();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  const float x = _x, y = _y;
  platform::DrawImage(Image, x, y);
  if (Font) {
    SetBMFont(Font);
    SetInk(kInk);
    const int ix = static_cast<int>(x), iy = static_cast<int>(y);
    if (!Selected) {
      DrawTextBox(ix + 90, iy + 55, GameTexts[33], 220, JUSTIFY_CENTRE, 1);
    } else if (Selected->Locked) {
      DrawTextBox(ix + 50, iy + 32, GameTexts[32], 300, JUSTIFY_CENTRE, 1);
    } else {
      DrawTextBox(ix + 60, iy + 48, LevelText, 50, JUSTIFY_CENTRE, 1);
      DrawTextBox(ix + 160, iy + 36, NamesText, 200, JUSTIFY_LEFT, 1);
      DrawTextBox(ix + 210, iy + 36, ScoresText, 135, JUSTIFY_RIGHT, 1);
    }
  }
  PopGraphicsState();
  return 0;
}

}  // namespace kelp
