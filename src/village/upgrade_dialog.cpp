#include "village/upgrade_dialog.h"

#include <algorithm>

#include "framework/core/color.h"
#include "framework/core/numeric.h"
#include "framework/files/language.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/impulse.h"
#include "framework/media/resources.h"
#include "framework/ui/widget_updater.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "play/tutorial.h"
#include "village/panel.h"
#include "village/upgrade.h"
#include "village/village.h"
#include "world/effects/help_text.h"
#include "world/game_state.h"
#include "world/player_state.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

platform::ImageRef Img(const std::string& id) { return ResManager ? ResManager->GetImage(id) : nullptr; }
int Money() { return PlayerState ? PlayerState->money : 0; }
int HintId() { return TutorialHint ? TutorialHint->id : 0; }

int Rank(const std::string& c) {
  static const char* order[] = {"hut", "hut2", "hut3", "road2", "center", "telescope", "school", "tavern", "market"};
  for (int i = 0; i < 9; ++i)
    if (c == order[i]) return i + 1;
  return 10;
}

int Grey(float v) { return Int(v); }

}  // namespace

int TUpgradeDialog::SortUpgrades(const Ref<TUpgrade>& a, const Ref<TUpgrade>& b) {
  return Rank(a->class_) > Rank(b->class_) ? 1 : 0;
}

std::pair<int, int> TUpgradeDialog::TextEntries(int village, const std::string& c) {
  const bool snow = village == TVillageMode::SNOW;
  if (c == "hut") return {1, 2};
  if (c == "hut2") return {3, 4};
  if (c == "hut3") return {5, 6};
  if (c == "center") return {7, 8};
  if (c == "tavern") return snow ? std::pair<int, int>{21, 22} : std::pair<int, int>{9, 10};
  if (c == "road2") return {11, 12};
  if (c == "bridge" && !snow) return {15, 16};
  if (snow && c == "market") return {17, 18};
  if (snow && c == "telescope") return {19, 20};
  if (snow && c == "school") return {23, 24};
  return {0, 0};
}

int TUpgradeDialog::AddedToManager() {
  HelpText = New<THelpText>();
  HelpText->font = FontBuild02;
  HelpText->MouseSensetive = 0;
  HelpText2 = New<THelpText>();
  HelpText2->font = FontBuild01;
  HelpText2->MouseSensetive = 0;
  HelpText->color = CreateColor(kInk.r, kInk.g, kInk.b);
  HelpText2->color = CreateColor(kInk.r, kInk.g, kInk.b);
  if (WidgetManager) {
    WidgetManager->AddWidget(HelpText);
    WidgetManager->AddWidget(HelpText2);
  }
  Coins = Img("IMAGE_GUI_COINS");
  Form_Build = Img("IMAGE_GUI_FORM_BUILD");
  for (int i = 0; i < 7; ++i) u[i] = Img("IMAGE_GUI_U0" + std::to_string(i + 1));
  for (int i = 0; i < 3; ++i) snow_u[i] = Img("IMAGE_GUI_SNOW_U" + std::to_string(i + 1));
  market = Img("IMAGE_GUI_MARKET");
  school = Img("IMAGE_GUI_SCHOOL");
  tavern = Img("IMAGE_GUI_TAVERN");
  telescope = Img("IMAGE_GUI_TELESCOPE");
  square = Img("IMAGE_GUI_SQUARE");
  const Ref<TWidget> self = Self();
  const auto button = [&](const char* image, const char* over, int id) {
    Ref<TButtonWidget> b = CreateButton(0, 0, Img(image), "", id, self, 2, 2);
    b->OverImage = Img(over);
    if (WidgetManager) WidgetManager->AddWidget(b);
    return b;
  };
  ArrowL = button("IMAGE_GUI_ARROWL", "IMAGE_GUI_ARROWL_ON", ArrowL_ID);
  ArrowR = button("IMAGE_GUI_ARROWR", "IMAGE_GUI_ARROWR_ON", ArrowR_ID);
  Cross = button("IMAGE_GUI_Cross", "IMAGE_GUI_Cross_ON", Cross_ID);
  Build = button("IMAGE_GUI_Bt_Build", "IMAGE_GUI_Bt_Build_ON", Build_ID);
  Build->LockedImage = Img("IMAGE_GUI_Bt_Build_Locked");
  PrepareUpgrades();
  Resize(0, 0, Form_Build ? Form_Build->Width() : 480, Form_Build ? Form_Build->Height() : 480);
  CenterToScreen();
  HelpText->Resize(Int(_x) + 100, Int(_y) + 350, 290, 200);
  HelpText2->Resize(Int(_x) + 100, Int(_y) + 320, 290, 40);
  StartShow();
  return 0;
}

int TUpgradeDialog::RemovedFromManager() {
  if (WidgetManager)
    for (const Ref<TWidget>& w : {std::static_pointer_cast<TWidget>(ArrowL), std::static_pointer_cast<TWidget>(ArrowR),
                                  std::static_pointer_cast<TWidget>(Cross), std::static_pointer_cast<TWidget>(Build),
                                  std::static_pointer_cast<TWidget>(HelpText),
                                  std::static_pointer_cast<TWidget>(HelpText2)})
      if (w) WidgetManager->RemoveWidget(w);
  Coins = Form_Build = market = school = tavern = telescope = square = nullptr;
  for (auto& i : u) i = nullptr;
  for (auto& i : snow_u) i = nullptr;
  return 0;
}

int TUpgradeDialog::SetPosition(int x_, int y_) {
  TWidget::Resize(x_, y_, _width, _height);
  if (ArrowL) ArrowL->SetPosition(x_ + ArrowL_x, y_ + ArrowL_y);
  if (ArrowR) ArrowR->SetPosition(x_ + ArrowR_x, y_ + ArrowR_y);
  if (Cross) Cross->SetPosition(x_ + Cross_x, y_ + Cross_y);
  if (Build) Build->SetPosition(x_ + Build_x, y_ + Build_y);
  if (HelpText) HelpText->SetPosition(x_ + 100, y_ + 330);
  if (HelpText2) HelpText2->SetPosition(x_ + 100, y_ + 307);
  return 0;
}

int TUpgradeDialog::Resize(int x_, int y_, int w, int h) {
  TWidget::Resize(x_, y_, w, h);
  SetPosition(x_, y_);
  return 0;
}

void TUpgradeDialog::CenterToScreen() { Resize(-_width, 300 - _height / 2, _width, _height); }

void TUpgradeDialog::StartShow() {
  Updater = TWidgetUpdater::Create(Self(), 0);
  Updater->Init(1, 0, 1.5f, 2.0f);
  Updater->pos0 = static_cast<float>(VirtualCenterX - _width / 2);
  Updater->pos1 = static_cast<float>(-_width);
  Updater->Dir = 1;
  Updater->StartShow(4.0f, 0.8f, 0.12f);
}

void TUpgradeDialog::StartHiding() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(1, 0, 1.5f, 2.0f);
  Updater->pos0 = static_cast<float>(VirtualCenterX - _width / 2);
  Updater->pos1 = static_cast<float>(-_width);
  Updater->Dir = 1;
  Updater->StartHiding();
}

int TUpgradeDialog::SetHided(int flag) {
  for (const Ref<TButtonWidget>& b : {ArrowL, ArrowR, Cross, Build})
    if (b) b->SetHided(flag);
  if (HelpText) HelpText->SetHided(flag);
  if (HelpText2) HelpText2->SetHided(flag);
  if (!flag) {
    if (HelpText) HelpText->state = 0;
    if (HelpText2) HelpText2->state = 0;
    PrepareUpgrades();
    SetHelpText(CurrentUpgrade);
  }
  return TWidget::SetHided(flag);
}

int TUpgradeDialog::DePress(int id) {
  switch (id) {
    case ArrowL_ID:
      BtnNextUpgrade();
      break;
    case ArrowR_ID:
      BtnPrevUpgrade();
      break;
    case Cross_ID:
      PressedID = Cross_ID;
      StartHiding();
      if (HintId() == 4 || HintId() == 400) {
        TutorialHint->StartHiding2();
        TutorialHint->Create(3, 650, 355, 0);
        if (Build) Build->blink = 0;
      }
      break;
    case Build_ID:
      // Nothing on offer counts as locked.
      if (!Build || Build->locked || !CurrentUpgrade || Money() < CurrentUpgrade->cost) break;
      PressedID = Build_ID;
      StartHiding();
      if (HintId() == 4 || HintId() == 400) {
        TutorialHint->StartHiding2();
        Build->blink = 0;
      }
      break;
    default:
      break;
  }
  return 0;
}

Ref<TUpgrade> TUpgradeDialog::FindSynonym(const Ref<TUpgrade>& upgrade) const {
  if (!upgrade) return nullptr;
  for (const Ref<TUpgrade>& a : AvailUpgrades)
    if (a != upgrade && a->class_ == upgrade->class_) return a;
  return nullptr;
}

int TUpgradeDialog::CheckUpgrades() {
  for (const Ref<TUpgrade>& a : AvailUpgrades)
    if (!a->locked && Money() >= a->cost) return 1;
  return 0;
}

int TUpgradeDialog::Index(const Ref<TUpgrade>& x) const {
  for (size_t i = 0; i < AvailUpgrades.size(); ++i)
    if (AvailUpgrades[i] == x) return static_cast<int>(i);
  return -1;
}

void TUpgradeDialog::PrepareUpgrades() {
  TUpgrade::FindParents();
  AvailUpgrades.clear();
  PrevUpgrade = CurrentUpgrade = NextUpgrade = nullptr;
  const int stage = GameState ? GameState->Stage : 0;
  const int roads = VillageScreen ? VillageScreen->Buildings[TVillageMode::ROADS] : 0;
  const auto listed = [this](const std::string& c) {
    return std::any_of(AvailUpgrades.begin(), AvailUpgrades.end(),
                       [&](const Ref<TUpgrade>& a) { return a->class_ == c; });
  };
  for (const Ref<TUpgrade>& up : Upgrades) {
    if (up->class_ == "road2" && roads) continue;
    if (up->class_ == "road" || listed(up->class_) || up->built || up->appear_level > stage) continue;
    if (up->parent && !up->parent->built) continue;
    up->locked = 0;
    AvailUpgrades.push_back(up);
  }
  for (const Ref<TUpgrade>& a : Upgrades) {
    if (a->class_ == "road2" && roads) continue;
    if (a->class_ == "road" || listed(a->class_) || a->built) continue;
    a->locked = 1;
    AvailUpgrades.push_back(a);
  }
  const Ref<TPanel> panel = VillageScreen ? VillageScreen->Panel : nullptr;
  if (CheckUpgrades()) {
    if (panel && panel->Button_BUILD) {
      panel->Button_BUILD->locked = 0;
      panel->Button_BUILD->blink = 1;
    }
  } else if (panel) {
    if (panel->Button_BUILD) {
      panel->Button_BUILD->locked = 1;
      panel->Button_BUILD->blink = 0;
    }
    return;
  }
  std::stable_sort(AvailUpgrades.begin(), AvailUpgrades.end(),
                   [](const Ref<TUpgrade>& a, const Ref<TUpgrade>& b) { return SortUpgrades(b, a) == 1; });
  if (AvailUpgrades.empty()) return;
  for (const Ref<TUpgrade>& a : AvailUpgrades)
    if (!a->locked) CurrentUpgrade = a;
  if (!CurrentUpgrade) CurrentUpgrade = AvailUpgrades.front();
  const int i = Index(CurrentUpgrade), n = static_cast<int>(AvailUpgrades.size());
  NextUpgrade = i + 1 < n ? AvailUpgrades[i + 1] : (AvailUpgrades.front() != CurrentUpgrade ? AvailUpgrades.front() : nullptr);
  PrevUpgrade = i > 0 ? AvailUpgrades[i - 1] : (AvailUpgrades.back() != CurrentUpgrade ? AvailUpgrades.back() : nullptr);
  CheckBtn(CurrentUpgrade);
}

void TUpgradeDialog::CheckBtn(const Ref<TUpgrade>& upgrade) {
  if (!upgrade) {
    if (Build) Build->locked = 1;
    return;
  }
  if (upgrade->locked && HintId() == 4) {
    TutorialHint->StartHiding2();
    TutorialHint->id = 400;
    if (Build) Build->blink = 0;
  } else if (!upgrade->locked && HintId() == 400) {
    TutorialHint->Create(4, 235, 475, 0);
  }
  if (!Build) return;
  if (!upgrade->locked && Money() >= upgrade->cost) {
    Build->locked = 0;
  } else if (upgrade->locked) {
    Build->locked = 1;
    Build->LockedImage = Img("IMAGE_GUI_BT_BUILD_LOCKED");
  } else {
    Build->locked = 1;
    Build->LockedImage = Img("IMAGE_GUI_BT_BUILD_FUNDS");
  }
}

void TUpgradeDialog::BtnNextUpgrade() {
  if (Scrolling || AvailUpgrades.empty()) return;
  if (!PrevUpgrade) {
    PrevUpgrade = AvailUpgrades.back();
    if (PrevUpgrade == CurrentUpgrade) return;
  }
  Impulse = TImpulse::CreateImpulse(2.0f, 0.8f, 0.15f, 0);
  if (Impulse) ReleaseFromVisuals(Impulse);
  oldPrevUpgrade = PrevUpgrade;
  oldCurrentUpgrade = CurrentUpgrade;
  oldNextUpgrade = NextUpgrade;
  Scrolling = 2;
  if (HelpText) HelpText->Flush();
  if (HelpText2) HelpText2->Flush();
  t = 0.0f;
  NextUpgrade = oldCurrentUpgrade;
  CurrentUpgrade = oldPrevUpgrade;
  const int i = Index(CurrentUpgrade);
  PrevUpgrade = i > 0 ? AvailUpgrades[i - 1] : (AvailUpgrades.back() != CurrentUpgrade ? AvailUpgrades.back() : nullptr);
  CheckBtn(CurrentUpgrade);
}

void TUpgradeDialog::BtnPrevUpgrade() {
  if (Scrolling || AvailUpgrades.empty()) return;
  if (!NextUpgrade) {
    NextUpgrade = AvailUpgrades.front();
    if (NextUpgrade == CurrentUpgrade) return;
  }
  Impulse = TImpulse::CreateImpulse(2.0f, 0.8f, 0.15f, 0);
  if (Impulse) ReleaseFromVisuals(Impulse);
  oldPrevUpgrade = PrevUpgrade;
  oldCurrentUpgrade = CurrentUpgrade;
  oldNextUpgrade = NextUpgrade;
  Scrolling = 1;
  if (HelpText) HelpText->Flush();
  if (HelpText2) HelpText2->Flush();
  t = 0.0f;
  PrevUpgrade = oldCurrentUpgrade;
  CurrentUpgrade = oldNextUpgrade;
  const int i = Index(CurrentUpgrade), n = static_cast<int>(AvailUpgrades.size());
  NextUpgrade = i + 1 < n ? AvailUpgrades[i + 1] : (AvailUpgrades.front() != CurrentUpgrade ? AvailUpgrades.front() : nullptr);
  CheckBtn(CurrentUpgrade);
}

void TUpgradeDialog::BuildUpgrade(const Ref<TUpgrade>& upgrade) {
  PrepareUpgrades();
  if (!upgrade) return;
  if (upgrade->class_ == "road2" && VillageScreen) {
    VillageScreen->Buildings[TVillageMode::ROADS] = 1;
    for (const Ref<TUpgrade>& r : Upgrades)
      if (r->class_ == "road2" && r->parent && r->parent->class_ == "road" && !r->parent->Hide) r->BuildStart();
  }
  Ref<TUpgrade> pick;
  for (const Ref<TUpgrade>& r : AvailUpgrades) {
    if (r->class_ != upgrade->class_ || !r->Hide || r->building || Money() < r->cost) continue;
    if (r->parent && !r->parent->built) continue;
    pick = r;
    break;
  }
  if (!pick) return;
  if (PlayerState) PlayerState->money -= pick->cost;
  const Ref<TPanel> panel = VillageScreen ? VillageScreen->Panel : nullptr;
  if (panel && panel->Money) {
    if (panel->Money->TargetAmmount == Money()) panel->Money->StartAmmount = Money();
    panel->Money->TargetAmmount = Money();
  }
  BuiltUpgrade = pick;
  pick->BuildStart();
}

platform::ImageRef TUpgradeDialog::GetImg(const std::string& c) const {
  if (CurrentVillage == TVillageMode::DESERT) {
    if (c == "hut") return u[0];
    if (c == "hut2") return u[1];
    if (c == "hut3") return u[4];
    if (c == "tavern") return u[2];
    if (c == "road2") return u[3];
    if (c == "center") return u[5];
    if (c == "bridge") return u[6];
  } else if (CurrentVillage == TVillageMode::SNOW) {
    if (c == "hut") return snow_u[0];
    if (c == "hut2") return snow_u[1];
    if (c == "hut3") return snow_u[2];
    if (c == "tavern") return tavern;
    if (c == "center") return square;
    if (c == "telescope") return telescope;
    if (c == "market") return market;
    if (c == "school") return school;
  }
  return nullptr;
}

void TUpgradeDialog::SetHelpText(const Ref<TUpgrade>& upgrade) {
  if (!HelpText || !HelpText2) return;
  if (!upgrade) {
    HelpText->Flush();
    HelpText2->Flush();
    Cost = 0;
    return;
  }
  std::pair<int, int> e = TextEntries(CurrentVillage, upgrade->class_);
  Cost = upgrade->cost;
  if (upgrade->locked) {
    Cost = 0;
    e = {13, 14};
  }
  if (e.first == 0) {
    HelpText2->SetText("");
    HelpText->SetText(upgrade->class_);
    return;
  }
  HelpText2->SetText(UpgradeTexts[e.first]);
  HelpText->SetText(UpgradeTexts[e.second]);
}

int TUpgradeDialog::Update(float dt) {
  if (Updater) Updater->Update(dt);
  SetPosition(Int(_x), Int(_y));
  if (Updater && Updater->IsHiding() && Updater->IsDeath()) {
    Updater = nullptr;
    const Ref<TPanel> panel = VillageScreen ? VillageScreen->Panel : nullptr;
    if (PressedID == Cross_ID) {
      SetHided(1);
      if (panel) {
        panel->SetHided(0);
        panel->StartShow();
      }
    } else if (PressedID == Build_ID) {
      SetHelpText(nullptr);
      if (CurrentUpgrade && CurrentUpgrade->building) {
        if (panel) {
          panel->SetHided(0);
          panel->StartShow();
        }
      } else {
        BuildUpgrade(CurrentUpgrade);
      }
      SetHided(1);
    }
    PressedID = 0;
  }
  if (Impulse && Impulse->Death) Impulse = nullptr;
  if (Impulse) Impulse->Update(dt);
  if (Scrolling) {
    t += t_speed * dt;
    if (t > 1.0f) {
      if (Impulse) {
        Impulse->dir = Scrolling == 1 ? -1 : 1;
        Impulse->started = 1;
      }
      Scrolling = 0;
      SetHelpText(CurrentUpgrade);
    } else {
      const float s = t;
      const float oc = static_cast<float>(o_color);
      if (Scrolling == 1) {
        px = opx - 60 * s, py = opy - 10 * s, p_scale = o_scale - s * (o_scale - 0.5f), p_color = Grey(oc - s * oc);
        cx = ocx + (opx - ocx) * s, cy = ocy + (opy - ocy) * s, c_scale = 1 - s * (1 - o_scale),
        c_color = Grey(255 - s * (255 - oc));
        nx = onx + (ocx - onx) * s, ny = ony + (ocy - ony) * s, n_scale = o_scale + s * (1 - o_scale),
        n_color = Grey(oc + s * (255 - oc));
        n2x = onx + 90 - 90 * s, n2y = ony - 20 + 20 * s, n2_scale = 0.5f + s * (o_scale - 0.5f), n2_color = Grey(s * oc);
      } else {
        p2x = -30 + s * (opx + 30), p2y = opy - 20 + 20 * s, p2_scale = 0.3f + s * (o_scale - 0.3f), p2_color = Grey(s * oc);
        px = opx + (ocx - opx) * s, py = opy + (ocy - opy) * s, p_scale = o_scale + s * (1 - o_scale),
        p_color = Grey(oc + s * (255 - oc));
        cx = ocx + (onx - ocx) * s, cy = ocy + (ony - ocy) * s, c_scale = 1 - s * (1 - o_scale),
        c_color = Grey(255 - s * (255 - oc));
        nx = onx + 120 * s, ny = ony - 20 * s, n_scale = o_scale - s * (o_scale - 0.5f), n_color = Grey(oc - s * oc);
      }
    }
  }
  return 0;
}

void TUpgradeDialog::DrawItem(const Ref<TUpgrade>& item, float x_, float y_, float scale, int grey, bool current) {
  if (!item) return;
  const platform::ImageRef img = GetImg(item->class_);
  if (!img) return;
  if (item->locked)
    platform::SetColor(0, 0, 0);
  else if (current)
    platform::SetColor(255, 255, 255);
  else
    platform::SetColor(grey, grey, grey);
  platform::SetScale(scale, scale);
  platform::DrawImage(img, x_, y_);
  platform::SetColor(255, 255, 255);
  platform::SetScale(1.0f, 1.0f);
}

void TUpgradeDialog::DrawUpgrades() {
  const float a = Impulse ? Impulse->impulse_strength * static_cast<float>(Impulse->dir) : 0.0f;
  if (!Scrolling) {
    DrawItem(PrevUpgrade, opx + a / 2, opy, o_scale, o_color, false);
    DrawItem(CurrentUpgrade, ocx + a, ocy, 1.0f, 255, true);
    if (CurrentUpgrade && CurrentUpgrade->upgrade_count >= 2 && CurrentUpgrade->upgrade_count <= 9)
      if (const platform::ImageRef badge = Img("IMAGE_GUI_N" + std::to_string(CurrentUpgrade->upgrade_count)))
        platform::DrawImage(badge, ocx + a + 110, ocy);
    DrawItem(NextUpgrade, onx + a / 2, ony, o_scale, o_color, false);
    return;
  }
  PushGraphicsState();
  platform::SetViewport(Int(_x) + 45, Int(_y) + 45, _width - 90, _height - 90);
  DrawItem(oldNextUpgrade, nx, ny, n_scale, n_color, false);
  if (Scrolling == 2) DrawItem(PrevUpgrade, p2x, p2y, p2_scale, p2_color, false);
  if (Scrolling == 1) DrawItem(NextUpgrade, n2x, n2y, n2_scale, n2_color, false);
  DrawItem(oldCurrentUpgrade, cx, cy, c_scale, c_color, false);
  DrawItem(oldPrevUpgrade, px, py, p_scale, p_color, false);
  PopGraphicsState();
}

int TUpgradeDialog::Draw() {
  platform::SetColor(255, 255, 255);
  if (Form_Build) platform::DrawImage(Form_Build, 0.0f, 0.0f);
  if (Cost != 0 && !Scrolling) {
    if (Coins) platform::DrawImage(Coins, 214.0f, 416.0f);
    SetBMFont(FontCompleteScores);
    DrawBMText(std::to_string(Cost), 230.0f, 402.0f);
  }
  DrawUpgrades();
  int A = 150, B = 90;
  if (LanguageCode == "eng") A = 130, B = 75;
  else if (LanguageCode == "deu") A = 130, B = 70;
  else if (LanguageCode == "fre") A = 140, B = 85;
  else if (LanguageCode == "cze") A = 110, B = 50;
  SetInk(kInk);
  SetBMFont(FontHelp);
  DrawBMText(GameTexts[58], static_cast<float>(A - B), 91.0f);
  platform::SetColor(255, 255, 255);
  if (Coins) platform::DrawImage(Coins, static_cast<float>(A), 103.0f);
  SetBMFont(FontCompleteScores);
  DrawBMText(std::to_string(Money()), static_cast<float>(A + 16), 89.0f);
  return 0;
}

}  // namespace kelp
