#include "frontend/map.h"

#include <algorithm>
#include <cmath>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
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
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "frontend/comics.h"
#include "frontend/game_select.h"
#include "frontend/level_select.h"
#include "frontend/main_menu.h"
#include "frontend/profile.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "play/game.h"
#include "play/player.h"
#include "village/village.h"
#include "world/effects/clouds.h"
#include "world/level.h"
#include "world/resource_bindings.h"

namespace kelp {

Ref<TMapMode> MapScreen;
int VillageEntryOpen = kVillageEntryOpen;

namespace {

constexpr float kPanelShown = 494.0f, kPanelHidden = 706.0f;

platform::ImageRef Picture(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

Ref<TGameData> SaveData() { return Player && Player->Profile ? Player->Profile->data : nullptr; }

// Degrees, as the drift is given.
float SinD(float a) { return static_cast<float>(std::sin(static_cast<double>(a) * 3.14159265358979323846 / 180.0)); }
float CosD(float a) { return static_cast<float>(std::cos(static_cast<double>(a) * 3.14159265358979323846 / 180.0)); }

struct PhaseColours {
  int day0[3], day1[3], village0[3], village1[3];
};
constexpr PhaseColours kPhases[7] = {
    {},
    {{70, 70, 70}, {255, 120, 100}, {100, 100, 240}, {220, 220, 220}},
    {{255, 120, 100}, {255, 255, 255}, {220, 220, 220}, {255, 255, 255}},
    {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}},
    {{255, 255, 255}, {255, 100, 100}, {255, 255, 255}, {190, 180, 180}},
    {{255, 100, 100}, {70, 70, 70}, {190, 180, 180}, {100, 100, 240}},
    {{70, 70, 70}, {70, 70, 70}, {100, 100, 240}, {100, 100, 240}},
};

// The drift of an island around its centre.
void Drift(TIsland& island, float dt) {
  island.currentX = island.startX + island.radius * SinD(island.angle);
  island.CurrentY = island.startY - island.radius * CosD(island.angle);
  island.angle += island.speed * dt;
  if (island.angle >= 360.0f) island.angle = 0.0f;
  if (island.angle < 0.0f) island.angle = 360.0f;
}

// Where the campaign stands: the saved level (1 for a fresh save) and the flag.
void Progress(int& saved, int& completed) {
  const Ref<TGameData> data = SaveData();
  saved = data ? std::max(1, data->Level) : 1;
  completed = data ? data->GameCompleted : 0;
}

}  // namespace

std::vector<MarkerPlace> MarkerPlaces(int n) {
  // A winding road over the island: rows of markers, every other row
  // backwards, a marker's width and a gap apart so that each number reads
  // and each marker takes its own clicks.
  std::vector<MarkerPlace> places;
  if (n <= 0) return places;
  const int perRow = n <= 10 ? 5 : 8;
  const float step = kMarkerSize + 4.0f;
  const int rows = (n + perRow - 1) / perRow;
  for (int i = 0; i < n; ++i) {
    const int row = i / perRow, col = i % perRow;
    const int inRow = std::min(perRow, n - row * perRow);
    const int c = row % 2 ? inRow - 1 - col : col;
    places.push_back({(static_cast<float>(c) - static_cast<float>(inRow - 1) / 2.0f) * step,
                      (static_cast<float>(row) - static_cast<float>(rows - 1) / 2.0f) * step - 6.0f});
  }
  return places;
}

MarkerState LevelMarkerState(int level, int savedLevel, int completed) {
  if (completed || level < savedLevel) return MarkerState::DONE;
  if (level == std::max(1, savedLevel)) return MarkerState::CURRENT;
  return MarkerState::LOCKED;
}

// ------------------------------------------------------------------ islands

Ref<TIsland> TIsland::Create(int n, int bit) {
  auto island = New<TIsland>();
  island->angle = static_cast<float>(Rand(0, 360));
  island->number = n;
  island->id = bit;
  if (n == 1) {
    island->img = Picture("IMAGE_MAP_ISLAND1");
    island->label = Picture("IMAGE_MAP_YELLOWROCKS");
    island->startX = 200.0f, island->startY = 300.0f;
    island->radius = 5.0f, island->speed = 0.5f, island->scale = 0.8f;
  } else {
    island->img = Picture(TMapMode::CurrentIsland() == 2 ? "IMAGE_MAP_ISLAND2_OPEN" : "IMAGE_MAP_ISLAND2");
    island->label = Picture("IMAGE_MAP_SNOWBALL");
    island->startX = 590.0f, island->startY = 310.0f;
    island->radius = 5.0f, island->speed = 0.3f, island->scale = 0.9f;
  }
  island->currentX = island->startX;
  island->CurrentY = island->startY;
  island->scroll = TAnimImage::Load2("IMAGE_MAP_SCROLL", -1);
  if (island->scroll) island->scroll->OneShoot = 1;
  island->time = GameTime;
  return island;
}

void TIsland::Update(float dt, int hovered) {
  alpha = hovered ? std::min(0.6f, alpha + 0.03f * dt) : std::max(0.0f, alpha - 0.03f * dt);
  Drift(*this, dt);
}

void TIsland::Draw(int hoverable, int) {
  platform::SetScale(scale, scale);
  platform::DrawImage(img, currentX, CurrentY);
  if (alpha != 0.0f) {
    platform::SetBlend(platform::LIGHTBLEND);
    platform::SetAlpha(alpha);
    platform::DrawImage(img, currentX, CurrentY);
    platform::SetBlend(platform::ALPHABLEND);
    platform::SetAlpha(1.0f);
  }
  if (hoverable) platform::CollideImage(img, currentX + static_cast<float>(CanvasOffsetX), CurrentY, 0, 0, 1u << id, this);
  platform::SetScale(1.0f, 1.0f);
}

void TIsland::DrawLabel() {
  if (!scroll) return;
  // The scroll waits half a second before it unrolls.
  if (GameTime - time < 500) {
    scroll->UpdTime = GameTime;
    scroll->Frame = 0;
  }
  platform::SetScale(1.0f, 1.0f);
  platform::SetColor(255, 255, 255);
  // Drawing steps the scroll and holds it unrolled on its last frame.
  DrawAnimImage(scroll, startX, startY - 175.0f);
  if (scroll->Frame >= scroll->Frames - 2) platform::DrawImage(label, startX, startY - 175.0f);
}

void TIsland::Remove() {
  img = nullptr;
  label = nullptr;
  scroll = nullptr;
}

Ref<TBackIsland> TBackIsland::Create2(const platform::ImageRef& image, float x, float y, float r, float s, int bit) {
  auto island = New<TBackIsland>();
  island->img = image;
  island->startX = island->currentX = x;
  island->startY = island->CurrentY = y;
  island->radius = r;
  island->speed = s;
  island->id = bit;
  island->time = GameTime;
  return island;
}

void TBackIsland::Update(float dt, int) { Drift(*this, dt); }

void TBackIsland::Draw(int, int) {
  platform::SetScale(1.0f, 1.0f);
  platform::DrawImage(img, currentX, CurrentY);
}

// ------------------------------------------------------------------ screen

int TMapMode::CurrentIsland() {
  const Ref<TGameData> data = SaveData();
  if (data && (data->Island == 1 || data->Island == 2)) return data->Island;
  int saved = 1, completed = 0;
  Progress(saved, completed);
  const int island = TLevel::GetInfo(std::min(saved, LevelCount), 1);
  return island == 2 ? 2 : 1;
}

int TMapMode::PhaseLength(int phase) const {
  const int p = DayLength / 12;
  switch (phase) {
    case DAY:
      return 5 * p;
    case NIGHT:
      return 3 * p;
    default:
      return p;
  }
}

void TMapMode::NextDayTime() {
  if (DayTime >= MORNING1 && DayTime <= NIGHT) DayTime = DayTime == NIGHT ? MORNING1 : DayTime + 1;
  if (DayTime == DAY) StarsTime = 0;
  if (DayTime == EVENING1 || DayTime == MORNING1) StarsTime = GameTime;
  if (DayTime >= MORNING1 && DayTime <= NIGHT) {
    const PhaseColours& c = kPhases[DayTime];
    DayColor->StartColor(c.day0[0], c.day0[1], c.day0[2], 1.0f);
    DayColor->EndColor(c.day1[0], c.day1[1], c.day1[2], 1.0f);
    VillageColor->StartColor(c.village0[0], c.village0[1], c.village0[2], 1.0f);
    VillageColor->EndColor(c.village1[0], c.village1[1], c.village1[2], 1.0f);
  }
  StartTime = GameTime;
  DayColor->CalcColor(0, 1);
  VillageColor->CalcColor(0, 1);
}

float TMapMode::NightAlpha() const {
  const float t = static_cast<float>(GameTime - StarsTime);
  if (DayTime == EVENING1 || DayTime == EVENING2 || DayTime == NIGHT)
    return TimeStop ? 1.0f : std::min(1.0f, t / (static_cast<float>(DayLength) * 2.0f / 12.0f));
  if (DayTime == MORNING1 || DayTime == MORNING2)
    return TimeStop ? 0.0f : std::max(0.0f, 1.0f - t / (static_cast<float>(DayLength) * 1.5f / 12.0f));
  return 0.0f;
}

int TMapMode::AddedToManager() {
  Back = CreateImageWidget(Picture("IMAGE_MAP_BACK"), CanvasOffsetX + 160, static_cast<int>(kPanelHidden), 1);
  auto button = [this](int id, const char* anim) {
    auto b = CreateButton(0, 0, nullptr, "", id, Self(), 0, 0);
    b->SetAnim(TAnimImage::Load2(anim, -1));
    WidgetManager->AddWidget(b);
    return b;
  };
  Button_CONTINUE = button(Button_CONTINUE_ID, "IMAGE_MAP_BT_CONTINUE");
  Button_NEWGAME = button(Button_NEWGAME_ID, "IMAGE_MAP_BT_NEWGAME");
  Button_MAINMENU = button(Button_MAINMENU_ID, "IMAGE_MAP_BT_MAINMENU");
  PlaceButtons();
  DayTime = EVENING2;
  TimeStop = 0;
  NextDayTime();
  return 0;
}

int TMapMode::RemovedFromManager() {
  for (const Ref<TWidget>& w : std::initializer_list<Ref<TWidget>>{Button_CONTINUE, Button_NEWGAME, Button_MAINMENU, Back})
    WidgetManager->RemoveWidget(w);
  return 0;
}

void TMapMode::PlaceButtons() {
  if (!Back) return;
  const auto place = [this](const Ref<TButtonWidget>& b, PanelPlace p) {
    if (b) b->SetPosition(Int(Back->_x) + p.x, Int(Back->_y) + p.y);
  };
  place(Button_CONTINUE, kContinuePlace);
  place(Button_MAINMENU, kMainMenuPlace);
  place(Button_NEWGAME, kNewGamePlace);
}

void TMapMode::LoadMarkers() {
  Markers.clear();
  int saved = 1, completed = 0;
  Progress(saved, completed);
  const int island = CurrentIsland();
  std::vector<int> levels;
  for (int level = 1; level <= LevelCount; ++level)
    if (TLevel::GetInfo(level, 1) == island) levels.push_back(level);
  const std::vector<MarkerPlace> places = MarkerPlaces(static_cast<int>(levels.size()));
  for (size_t i = 0; i < levels.size(); ++i) {
    TLevelMarker m;
    m.level = levels[i];
    m.x = places[i].x;
    m.y = places[i].y;
    m.state = LevelMarkerState(m.level, saved, completed);
    Markers.push_back(m);
  }
}

int TMapMode::SetHided(int flag) {
  if (Back) Back->SetHided(flag);
  for (const Ref<TButtonWidget>& b : {Button_CONTINUE, Button_NEWGAME, Button_MAINMENU})
    if (b) b->SetHided(flag);
  if (flag == 0) {
    TVisuals::ClearVisuals();
    if (Mouse) Mouse->Show();
    if (ScreenFade) ScreenFade->Init(1.0f, -0.015f, 1.0f);
    Island1 = TIsland::Create(1, 2);
    Island2 = TIsland::Create(2, 4);
    BackIsland1 = TBackIsland::Create2(Picture("IMAGE_MAP_BACK_ISLAND1"), 580.0f, 180.0f, 5.0f, -0.3f, 8);
    BackIsland2 = TBackIsland::Create2(Picture("IMAGE_MAP_BACK_ISLAND2"), 480.0f, 450.0f, 3.0f, 0.3f, 16);
    BackIsland1->angle = static_cast<float>(Rand(0, 360));
    BackIsland2->angle = static_cast<float>(Rand(0, 360));
    HoveredIsland = nullptr;
    HoveredMarker = 0;
    Completed = Picture("IMAGE_COMPLETED");
    Sky = Picture("IMAGE_SKY");
    Night_Sky = Picture("IMAGE_NIGHT_SKY");
    Marker = Picture("IMAGE_MAP_MARKER");
    CloudGenTime = GameTime + CloudGenSpeed;
    // Clouds start where the map puts them, whatever the screens' cloud origin.
    const int n = Rand(15, 20);
    for (int i = 0; i <= n; ++i) {
      const float x = static_cast<float>(Rand(-100, 800)) - CloudMinX;
      TCloud::Create(x, -50.0f, 0, 0);
      TCloud::Create(x, 0.0f, 0, 0);
      TCloud::Create(x, 170.0f, 0, 0);
      TCloud::Create(x, 170.0f, 1, 0);
    }
    DayColor->CalcColor(0, 1);
    VillageColor->CalcColor(0, 1);
    StartTime = VillageTime = GameTime;
    DayTime = MORNING2;
    NextDayTime();
    LoadMarkers();
    StartShow();
    PlayMusic("MUSIC_MAP", 1);
    TimeStop = 0;
  } else {
    for (Ref<TIsland>* island : {&Island1, &Island2, &BackIsland1, &BackIsland2}) {
      if (*island) (*island)->Remove();
      *island = nullptr;
    }
    HoveredIsland = nullptr;
    HoveredMarker = 0;
  }
  TWidget::SetHided(flag);
  return 0;
}

void TMapMode::StartShow() {
  if (ScreenFade) ScreenFade->Init(1.0f, -0.038f, 1.0f);
  Updater = TWidgetUpdater::Create(Back, 0);
  Updater->x = 0;
  Updater->y = 1;
  Updater->pos0 = kPanelShown;
  Updater->pos1 = kPanelHidden;
  Updater->accel0 = 0.4f;
  Updater->accel1 = 0.5f;
  Updater->Dir = -1;
  Updater->StartShow(4.0f, 0.6f, 0.1f);
}

void TMapMode::StartHiding() {
  if (ScreenFade) ScreenFade->Init(0.0f, 0.038f, 1.0f);
  Updater = TWidgetUpdater::Create(Back, 0);
  Updater->x = 0;
  Updater->y = 1;
  Updater->pos0 = kPanelShown;
  Updater->pos1 = kPanelHidden;
  Updater->accel0 = 0.4f;
  Updater->accel1 = 0.5f;
  Updater->Dir = -1;
  Updater->StartHiding();
}

int TMapMode::DePress(int id) {
  if (Updater && Updater->IsHiding() && id != -1) return 0;  // already leaving
  PressedID = id;
  if (id == Button_CONTINUE_ID) {
    const Ref<TGameData> data = SaveData();
    if (VillageEntryOpen && data && data->Island != 0 && VillageScreen) VillageScreen->Load(data->Island);
    StartHiding();
  } else if (id == Button_NEWGAME_ID) {
    ShowGameSelect(0);
  } else if (id == -1) {
    // The game-mode select's level-select choice.
    StartHiding();
  } else {
    StartHiding();
  }
  return 0;
}

void TMapMode::UserInput() {
  if (!Mouse || !Mouse->Bt1Up) return;
  Mouse->Bt1Up = 0;
  if (Updater && Updater->IsHiding()) return;
  if (HoveredMarker || HoveredIsland) DePress(Button_CONTINUE_ID);
}

void TMapMode::Leave() {
  const int pressed = PressedID;
  SetHided(1);
  if (pressed == Button_CONTINUE_ID) {
    if (VillageEntryOpen) {
      if (VillageScreen) VillageScreen->SetHided(0);
    } else if (!PlaySavedLevel() && MainMenuScreen) {
      MainMenuScreen->SetHided(0);
    }
  } else if (pressed == Button_MAINMENU_ID) {
    if (MainMenuScreen) MainMenuScreen->SetHided(0);
  } else if (pressed == Button_NEWGAME_ID) {
    TLevel::SetLevel(1);
    ShowComics(1);  // the comic tells the start and ends in the village
  } else {
    ShowLevelSelect(0);
  }
}

int TMapMode::Update(float dt) {
  const Ref<TWidget> keep = Self();
  UpdateMusic(dt);
  if (Updater) Updater->Update(dt);
  for (const Ref<TIsland>& island : {Island1, Island2, BackIsland1, BackIsland2})
    if (island) island->Update(dt, island.get() == HoveredIsland);
  TPolyAnim::UpdateAnim(dt);
  TVisuals::UpdateVisuals(dt);
  PlaceButtons();
  if (Updater && Updater->IsHiding() && Updater->IsDeath()) {
    Updater = nullptr;
    Leave();
    return 0;
  }
  if (GameTime > CloudGenTime + CloudGenSpeed) {
    if (Rand(1, 2) == 1) TCloud::Create(-100.0f, 0.0f, 0, 1);
    if (Rand(1, 3) == 1) TCloud::Create(-100.0f, 100.0f, 1, 0);
    if (Rand(1, 2) == 1) TCloud::Create(-100.0f, 200.0f, 0, 1);
    if (Rand(1, 3) == 1) TCloud::Create(-100.0f, 300.0f, 1, 0);
    CloudGenTime = GameTime;
  }
  UserInput();

  // What the pointer is over: the next level's marker, else the current island.
  HoveredIsland = nullptr;
  HoveredMarker = 0;
  if (!Mouse) return 0;
  const float mx = Mouse->x - static_cast<float>(CanvasOffsetX), my = Mouse->y;
  const TIsland* home = CurrentIsland() == 2 ? Island2.get() : Island1.get();
  if (home && !VillageEntryOpen) {
    for (const TLevelMarker& m : Markers) {
      if (m.state != MarkerState::CURRENT) continue;
      if (std::hypot(mx - (home->currentX + m.x), my - (home->CurrentY + m.y)) <= kMarkerHitRadius) HoveredMarker = m.level;
    }
  }
  if (!HoveredMarker) {
    PushGraphicsState();
    platform::SetScale(1.0f, 1.0f);
    platform::SetOrigin(0.0f, 0.0f);
    for (int bit : {2, 4}) {
      const std::vector<void*> hit =
          platform::CollideRect(static_cast<float>(Int(Mouse->x)), static_cast<float>(Int(Mouse->y)), 1.0f, 1.0f,
                                1u << bit, 0, nullptr);
      if (!hit.empty()) {
        HoveredIsland = static_cast<TIsland*>(hit.front());
        break;
      }
    }
    PopGraphicsState();
  }
  if (HoveredIsland || HoveredMarker)
    Mouse->Init(32649, "IMAGE_GUI_CURSOR_02", 2);
  else
    Mouse->Init(32512, "IMAGE_GUI_CURSOR_01", 1);
  return 0;
}

int TMapMode::Draw() {
  PushGraphicsState();
  platform::ResetCollisions();
  SetGameViewport();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetAlpha(1.0f);
  if (TimeStop) StartTime = GameTime;
  const int t = GameTime - StartTime;
  DayColor->CalcColor(t, PhaseLength(DayTime));
  VillageColor->CalcColor(t, PhaseLength(DayTime));
  if (DayColor->fulltime) NextDayTime();
  DayColor->Set();
  platform::TileImage(Sky, 0.0f, 0.0f);
  if (DayTime != DAY) {
    const float night = NightAlpha();
    if (night > 0.0f) {
      platform::SetBlend(platform::LIGHTBLEND);
      platform::SetAlpha(night);
      platform::TileImage(Night_Sky, 0.0f, 0.0f);
      platform::SetAlpha(1.0f);
      platform::SetBlend(platform::ALPHABLEND);
    }
  }
  VillageColor->Set();
  if (BackIsland2) BackIsland2->Draw(0, 0);
  TCloud::SetCloudsColor(VillageColor);
  TCloud::DrawClouds(0);
  VillageColor->Set();
  const int current = CurrentIsland();
  if (Island2) Island2->Draw(current == 2, 0);
  if (Island1) Island1->Draw(current == 1, 0);
  if (current == 2 && Island1) platform::DrawImage(Completed, Island1->startX, Island1->startY);
  TPolyAnim::DrawAnim(0);
  VillageColor->Set();
  TCloud::DrawClouds(1);
  // Over the front clouds: a level's marker is never hidden from its player.
  DrawMarkers();
  platform::SetColor(255, 255, 255);
  if (Island2) Island2->DrawLabel();
  if (Island1) Island1->DrawLabel();
  DrawProgress();
  TVisuals::DrawVisuals_Under();
  TVisuals::DrawVisuals();
  platform::SetColor(255, 255, 255);
  DrawSideBars();
  TVisuals::DrawVisuals_Over();
  PopGraphicsState();
  return 0;
}

void TMapMode::DrawMarkers() {
  const TIsland* home = CurrentIsland() == 2 ? Island2.get() : Island1.get();
  if (!home || !Marker) return;
  platform::SetColor(255, 255, 255);
  const float pulse = 0.5f + 0.5f * SinD(static_cast<float>(GameTime % 1000) * 0.36f);
  for (const TLevelMarker& m : Markers) {
    const float x = home->currentX + m.x, y = home->CurrentY + m.y;
    const int frame = m.state == MarkerState::DONE ? 0 : m.state == MarkerState::CURRENT ? 1 : 2;
    platform::SetAlpha(1.0f);
    platform::DrawImage(Marker, x, y, frame);
    if (m.state == MarkerState::CURRENT) {
      platform::SetBlend(platform::LIGHTBLEND);
      platform::SetAlpha(HoveredMarker == m.level ? 0.8f : 0.2f + 0.4f * pulse);
      platform::DrawImage(Marker, x, y, frame);
      platform::SetBlend(platform::ALPHABLEND);
      platform::SetAlpha(1.0f);
    }
    if (FontHelp) {
      SetBMFont(FontHelp);
      platform::SetColor(m.state == MarkerState::LOCKED ? 200 : 40, m.state == MarkerState::LOCKED ? 200 : 30,
                         m.state == MarkerState::LOCKED ? 200 : 20);
      DrawBMText(std::to_string(m.level), x, y - static_cast<float>(BMLineHeight() / 2), 1, 0);
      platform::SetColor(255, 255, 255);
    }
  }
}

void TMapMode::DrawProgress() {
  if (!FontHi || Markers.empty()) return;
  int done = 0;
  for (const TLevelMarker& m : Markers)
    if (m.state == MarkerState::DONE) ++done;
  SetBMFont(FontHi);
  platform::SetColor(255, 255, 255);
  const std::string text = GameTexts[6] + " " + std::to_string(done) + " / " + std::to_string(Markers.size());
  DrawBMText(text, 400.0f, 20.0f, 1, 0);
}

// ------------------------------------------------------------------ the campaign's stops

bool PlaySavedLevel() {
  if (!GameScreen || LevelCount < 1) return false;
  int saved = 1, completed = 0;
  Progress(saved, completed);
  const int level = std::min(saved, LevelCount);
  // The player's score, coins and mode as the save holds them.
  if (const Ref<TGameData> data = SaveData()) data->LoadData();
  GameScreen->CustomLevel = 0;
  TLevel::SetLevel(level);
  GameScreen->SetHided(0);
  if (GameScreen->Start()) return true;
  WriteLog("Level " + std::to_string(level) + " could not be started from the island map", LOG_ERROR);
  GameScreen->SetHided(1);
  return false;
}

namespace {

// The campaign's progress into the save, as the village keeps it at its
// save point; never from a level-select game.
void SaveProgress() {
  const Ref<TGameData> data = SaveData();
  if (!data || !GameScreen || GameScreen->CustomLevel) return;
  data->SaveData();
  Player->Profile->Save();
}

}  // namespace

void ShowVillageOrMap() {
  if (VillageEntryOpen) {
    if (VillageScreen) VillageScreen->SetHided(0);
    return;
  }
  SaveProgress();
  if (MapScreen) MapScreen->SetHided(0);
}

bool ReturnToMapBetweenLevels() {
  if (VillageEntryOpen) return false;
  if (ScreenFade) ScreenFade->pause = 1;
  if (GameScreen) GameScreen->SetHided(1);
  ShowVillageOrMap();
  return true;
}

}  // namespace kelp
