// The village screen's frame (update and draw passes), its rain, scrolling,
// zooms, parasite mode and the show/hide of a visit.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/poly_anim.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "play/game_complete.h"
#include "play/tutorial.h"
#include "village/nodes.h"
#include "village/on_screen.h"
#include "village/panel.h"
#include "village/snapshot.h"
#include "village/story_effects.h"
#include "village/story_links.h"
#include "village/trophy_dialog.h"
#include "village/upgrade.h"
#include "village/upgrade_dialog.h"
#include "village/village.h"
#include "village/villager.h"
#include "village/villager_smoke.h"
#include "village/zeppelin.h"
#include "world/effects/camp_fire.h"
#include "world/effects/clouds.h"
#include "world/effects/flash.h"
#include "world/effects/geyser.h"
#include "world/game_state.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

void KillCampFire(Ref<TCampFire>& fire) {
  if (!fire) return;
  fire->Death = 1;
  fire->Update(1.0f);
  fire = nullptr;
}

void StopEmitter(Ref<TEmitter>& e) {
  if (e) e->GenerationStop = 1;
  e = nullptr;
}

int Stage() { return GameState ? GameState->Stage : 0; }

}  // namespace

TVillageMode::TVillageMode() {
  Clip = 0;
  RainGenTime = GameTime;
}

void TVillageMode::AddEmitter(const Ref<TEmitter>& emitter) {
  if (emitter) Emitters.AddLast(emitter);
}

void TVillageMode::RemoveEmitter(const Ref<TEmitter>& emitter) { Emitters.Remove(emitter); }

void TVillageMode::Pause(int flag) {
  Paused = flag;
  for (const Ref<TEmitter>& e : Emitters) e->OldTime = GameTime;
}

int TVillageMode::DePress(int id) {
  if (id == 15000) {
    Restart = 1;
    if (ScreenFade) ScreenFade->set = 0;
  }
  return 0;
}

// ---- rain ----

void TVillageMode::RainUpdate(float dt) {
  if (Stage() == 17 && CurrentVillage == DESERT && RainEffect) {
    RainEffect->GenerationStop = 1;
    RainEffect = nullptr;
    return;
  }
  if (Stage() < 3) return;
  if (RainEffect) {
    if (std::abs(RainAngle - RainTargetAngle) >= 1) {
      if (RainAngle < RainTargetAngle) RainAngle = Int(static_cast<float>(RainAngle) + 1.0f * dt);
      if (RainAngle > RainTargetAngle) RainAngle = Int(static_cast<float>(RainAngle) - 1.0f * dt);
    }
    if (RainEffect->Config) {
      RainEffect->Config->Dir[0] = static_cast<float>(RainAngle - 5);
      RainEffect->Config->Dir[1] = static_cast<float>(RainAngle);
    }
    if (GameTime > RainUpdTime + RainTime) {
      RainTargetAngle = std::max(-35, std::min(35, Rand(RainAngle - 10, RainAngle + 10)));
      RainUpdTime = GameTime;
      RainTime = Rand(0, 1) ? Rand(2, 3) * 1000 : Rand(6, 8) * 1000;
    }
    if (GameTime > RainGenTime + RainLifeTime) RainEffect->GenerationStop = 1;
    if (RainEffect->Death) RainEffect = nullptr;
    return;
  }
  if (GameTime > RainGenTime + RainStartTime) {
    RainGenTime = GameTime;
    RainLifeTime = Rand(2, 5) * 10000;
    RainStartTime = Rand(0, 1) ? Rand(8, 10) * 10000 : Rand(20, 24) * 10000;
    const Ref<TEffect> effect = CurrentVillage == SNOW ? EffectSnow : EffectRain;
    if (effect) {
      RainEffect = TEmitter::Create(0.0f, 0.0f, effect, 0);
      AddEmitter(RainEffect);
    }
  }
}

// ---- scrolling ----

void TVillageMode::Scroll(float dt) {
  if (new_scroll) {
    if (Mouse) Mouse->FreeMove = 0;
    const float left = std::fabs(Scroll_x - new_scroll_x);
    if (left <= std::fabs(Scroll_dx) || left <= 1.0f) {
      new_scroll = 0;
      if (Mouse) Mouse->FreeMove = 1;
    } else {
      new_scroll_speed = std::max(0.05f, std::min(left / static_cast<float>(VirtualWidth), new_scroll_max_speed));
      Scroll_dx += Scroll_x < new_scroll_x ? new_scroll_speed : -new_scroll_speed;
    }
  } else if (!Closing && UserInputEnable) {
    if ((Scroll_x > max_scroll_x && Scroll_dx > 0.0f) || (Scroll_x < min_scroll_x && Scroll_dx < 0.0f))
      Scroll_dx *= 0.9f;
  }
  Scroll_dx *= 0.92f;
  if (!new_scroll && std::fabs(Scroll_dx * dt) < 0.2f) Scroll_dx = 0.0f;
  // A scripted scroll owns the camera: the zoom's drift waits for it, as the
  // zoom itself does, or a slow scroll against the drift would never arrive
  // and hold the zoom (and the panel) back for ever.
  Scroll_x += Scroll_dx * dt + (new_scroll ? 0.0f : Scroll_delta * dt);
}

int TVillageMode::ScrollTo(float x, float maxSpeed) {
  if (Panel) {
    if (Panel->Button_SCROLL_LEFT) Panel->Button_SCROLL_LEFT->SetHided(1);
    if (Panel->Button_SCROLL_RIGHT) Panel->Button_SCROLL_RIGHT->SetHided(1);
  }
  new_scroll_x = x + static_cast<float>(CanvasOffsetX);
  new_scroll_max_speed = maxSpeed;
  if (std::fabs(Scroll_x - new_scroll_x) < Scroll_speed) return 1;
  new_scroll = 1;
  return 0;
}

// ---- zooms ----

void TVillageMode::UpdateZooms(float dt) {
  if (Closing && !new_scroll) {
    UserInputEnable = 0;
    if (!Scroll_delta_flag) {
      Scroll_delta = -2.0f;
      Scroll_delta_flag = 1;
    }
    Scroll_delta += static_cast<float>(0.008 / ScreenScaleX) * dt;
    Closing_scale += Closing_speed * dt;
    Closing_speed += 0.00008f * dt;
    const float fadeAt = CurrentVillage == SNOW ? 1.3f : 2.0f;
    if (ScreenFade && Closing_scale > fadeAt && !ScreenFade->set) ScreenFade->Init(0.0f, 0.012f, 1.0f);
    if (ScreenFade && ScreenFade->set && ScreenFade->alpha >= 1.0f) {
      Closing_scale = 1.0f;
      Closing = 0;
      Closing_speed = 0.004f;
      ScreenFade->set = 0;
      SetHided(1);
      Scroll_dx = 0.0f;
      Scroll_delta = 0.0f;
      new_scroll = 0;
      Scroll_delta_flag = 0;
      if (GameState) {
        GameState->SetHided(0);
        GameState->Start();
      }
    }
  }
  if (Showing && !new_scroll) {
    UserInputEnable = 0;
    Scroll_delta = std::max(0.0f, Scroll_delta - static_cast<float>(0.008 / ScreenScaleX) * dt);
    Closing_scale -= Closing_speed * dt;
    Closing_speed = std::max(0.005f, Closing_speed - 0.0001f * dt);
    if (Closing_scale <= 1.0f) {
      Closing_scale = 1.0f;
      Closing_speed = 0.004f;
      if (ScreenFade) ScreenFade->set = 0;
      new_scroll = 0;
      Scroll_delta_flag = 0;
      Scroll_delta = 0.0f;
      Showing = 0;
      if (Stage() == 11) ScrollTo(-160.0f, 0.05f);
    }
  }
}

// ---- emitters, fireworks, clouds ----

void TVillageMode::UpdateEmitters(float dt) {
  for (const Ref<TEmitter>& e : Snapshot(Emitters)) {
    for (const Ref<TParticle>& p : Snapshot(e->Particles)) {
      if (!p->Salute || p->Hidden || p->TimeStart + p->Lifetime >= GameTime) continue;
      const Ref<TEffect> source = ResManager ? ResManager->GetEffect(p->SaluteEmitter) : nullptr;
      if (!source) continue;
      const int r = Rand(80, 240), g = Rand(80, 240), b = Rand(80, 240);
      source->Color = CreateColorAlpha(r, g, b, source->alpha[0]);
      source->Color->EndColor(r, g, b, source->alpha[1]);
      AddEmitter(TEmitter::Create(p->x, p->y, source, 0));
      TFlash::CreateFlash(Int(p->x), Int(p->y), 4.0f, 0.4f, ColorWhite, 3.0f, 0);
      p->Salute = 0;  // one burst each
    }
    if (Paused) e->OldTime = GameTime;
    e->Update(dt);
    if (e->Death) Emitters.Remove(e);
  }
}

void TVillageMode::SpawnClouds() {
  CloudGenTime = GameTime + CloudGenSpeed;
  const int n = Rand(15, 20);
  for (int i = 0; i <= n; ++i) {
    const float x = static_cast<float>(Rand(-350, 1100));
    TCloud::Create(x, 0.0f, 0, 1);
    TCloud::Create(x, 0.0f, 1, 1);
  }
}

// ---- parasite mode ----

void TVillageMode::ParaziteModeStart(int count) {
  Hurry = 1;
  THurry::Create();
  LastHuntTime = GameTime;
  LastInfectionTime = GameTime;
  FadeOutMusic();
  ParaziteMode = 1;
  ParaziteModeTime = GameTime;
  ParaziteDamage = 0;
  for (int i = 0; i < count; ++i) {
    const Ref<TVillageCreature> p = TVillageCreature::CreateRandom(TVillageCreature::PARAZITE, "Dark Orb");
    if (!p) continue;
    p->HighLight(1);
    p->Hide(0);
    p->Unhide(Rand(500, 4000), 1);
    p->x = static_cast<float>(Rand(Cave_x - 10, Cave_x + 10));
    p->y = static_cast<float>(Rand(Cave_y - 5, Cave_y + 5));
    p->angle = 90.0f;
    p->speed_coef = 1.5f;
    p->descision_time = 300;
    p->def_jump_impulse *= 2.0f;
    p->def_g_force = 0.12f;
    p->CurrentNode = TNode::Find(Int(p->x), Int(p->y));
  }
  if (Stage() == 16 && ScreenFade) ScreenFade->Init(0.3f, -0.002f, 0.5f);
  UserInputEnable = 1;
  if (Panel) {
    Panel->SetHided(0);
    Panel->StartShow();
    if (Panel->Button_BUILD) {
      Panel->Button_BUILD->locked = 1;
      Panel->Button_BUILD->blink = 0;
    }
    if (Panel->Button_PLAY) Panel->Button_PLAY->locked = 1;
    if (Panel->Button_TROPHY) Panel->Button_TROPHY->locked = 1;
  }
}

void TVillageMode::ParaziteModeUpdate(int step) {
  if (ParaziteMode && GameTime - ParaziteModeTime > 30000 && !Hurry) {
    Hurry = 1;
    ++HurryCount;
    if (HurryCount == 1)
      THurry::Create();
    else
      ShowMessageBox(1, Self(), GameTexts[42], 1, "IMAGE_GUI_BT_OK", "", 0);
  }
  if (Restart) {
    if (ScreenFade && !ScreenFade->set) ScreenFade->Init(0.0f, 0.012f, 1.0f);
    if (ScreenFade && ScreenFade->alpha >= 1.0f) {
      Restart = 0;
      TVillageCreature::Clear();
      TVillageCreature::Init();
      // The visit's time counts before the restart clears it.
      const int began = PlayTime;
      Clear();
      PlayTime = began;
      SetHided(1);
      SetHided(0);
    }
  }
  if (ParaziteMode && RedScreenAlpha < 1.0f) RedScreenAlpha += 0.005f * static_cast<float>(step);
  if (!ParaziteMode && RedScreenAlpha > 0.0f) RedScreenAlpha -= 0.005f * static_cast<float>(step);
  RedScreenAlpha = std::max(0.0f, std::min(1.0f, RedScreenAlpha));
}

// ---- the frame ----

int TVillageMode::Update(float dt) {
  if (Hidden) return 0;
  RainUpdate(dt);
  if (Gate) Gate->Update(Int(dt));
  if (Zeppelin) Zeppelin->Update(dt);
  UpdateMusic(dt);
  UserInput();
  TPolyAnim::UpdateAnim(dt);
  TVisuals::UpdateVisuals(dt);
  TUpgrade::UpdateUpgrades(dt);
  Scroll(dt);
  ParaziteModeUpdate(Int(dt));
  UpdateZooms(dt);
  if (Hidden) return 0;  // the zoom has handed over to the level
  UpdateEmitters(dt);
  // Without fireworks (a missing effect) the end still comes after their time.
  const bool saluteOver = GameTime > SaluteUpdTime + SaluteTime;
  if ((Salute && !Salute->Pause && saluteOver) || (!Salute && GameComplete && saluteOver)) {
    if (Salute) Salute->Pause = 1;
    if (GameComplete) {
      SetHided(1);
      ShowGameComplete();
      return 0;
    }
  }
  if (GameTime > CloudGenTime + CloudGenSpeed) {
    if (Rand(0, 1) == 1) TCloud::Create(-350.0f, 0.0f, 0, 1);
    if (Rand(0, 2) == 2) TCloud::Create(-350.0f, 0.0f, 1, 1);
    CloudGenTime = GameTime;
  }
  TVillageCreature::UpdateCreatures(dt);
  if (CampFire) CampFire->Update(dt);
  return 0;
}

std::vector<TVillageMode::SkyPart> TVillageMode::SkyParts(int vx, int vy, int vw, int vh, float ox, float oy,
                                                         float z) const {
  // The bodies that reach the viewport's bottom, in screen pixels, a pixel
  // to spare on each side for a zoom's rounding.
  float top = static_cast<float>(vy);
  std::vector<std::pair<int, int>> covers;
  for (int i = 0; i < 3; ++i) {
    if (!Back[i] || BackLit[i].BodyTop() >= Back[i]->Height()) continue;
    const float left = ox + (back_x[i] - Back[i]->HandleX()) * z;
    const float y0 = oy + (back_y[i] - Back[i]->HandleY()) * z;
    if (y0 + static_cast<float>(Back[i]->Height()) * z < static_cast<float>(vy + vh) + 1.0f) continue;
    top = std::max(top, y0 + static_cast<float>(BackLit[i].BodyTop()) * z);
    covers.emplace_back(static_cast<int>(std::ceil(left)) + 1 - vx,
                        static_cast<int>(std::floor(left + static_cast<float>(Back[i]->Width()) * z)) - 1 - vx);
  }
  if (covers.empty()) return {{vx, vy, vw, vh}};
  const int band = std::min(vy + vh, static_cast<int>(std::ceil(top)) + 1);
  std::vector<SkyPart> parts;
  if (band > vy) parts.push_back({vx, vy, vw, band - vy});
  if (band < vy + vh)
    for (const auto& [from, to] : ColumnsLeft(vw, covers)) parts.push_back({vx + from, band, to - from, vy + vh - band});
  return parts;
}

int TVillageMode::Draw() {
  using namespace platform;
  const bool zooming = Closing || Showing;
  const float z = Closing_scale;
  if (Zeppelin)
    SetViewport(0, Int(static_cast<float>(VirtualCenterY) - Zeppelin->width / 2.0f), VirtualWidth,
                Int(Zeppelin->width));
  else
    SetViewport(0, 0, VirtualWidth, VirtualHeight);
  const float sx = zooming ? Scroll_x : static_cast<float>(Int(Scroll_x));
  SetOrigin((sx + ShakeOffsetX) * z + static_cast<float>(CanvasOffsetX), ShakeOffsetY);
  AdvanceDayColors();
  SetBlend(ALPHABLEND);
  ApplyColor(DayColor);
  SetScale(z, z);
  const int star_alpha = ShownStarAlpha();
  const float stars = static_cast<float>(star_alpha) / 255.0f;
  // Sky and stars as one picture, while the shake keeps the stars' rows within the sky's first tile.
  const bool one_sky = Sky && DayColor && Night_Sky && star_alpha > 0 && ShakeOffsetY <= 0.0f &&
                       ShakeOffsetY >= static_cast<float>(VirtualHeight - Sky->Height());
  const ImageRef starry =
      one_sky ? StarryLit.Get(Sky, Night_Sky, DayColor->r, DayColor->g, DayColor->b, star_alpha) : nullptr;
  // The sky only where the backdrops' opaque bodies will not cover it.
  for (int i = 0; i < 3; ++i) BackLit[i].Set(Back[i]);
  int vx = 0, vy = 0, vw = 0, vh = 0;
  GetViewport(vx, vy, vw, vh);
  const std::vector<SkyPart> parts = SkyParts(vx, vy, vw, vh, (sx + ShakeOffsetX) * z, ShakeOffsetY, z);
  const auto sky = [&](const ImageRef& image) {
    for (const SkyPart& part : parts) {
      SetViewport(part.x, part.y, part.w, part.h);
      TileImage(image, 0.0f, 0.0f);
    }
    SetViewport(vx, vy, vw, vh);
  };
  if (starry) {
    SetOrigin(ShakeOffsetX, ShakeOffsetY);
    SetScale(1.0f, 1.0f);
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
    sky(starry);
  } else {
    if (Sky && DayColor) {
      SetColor(255, 255, 255);
      sky(SkyLit.Get(Sky, DayColor->r, DayColor->g, DayColor->b));
      ApplyColor(DayColor);
    }
    SetOrigin(ShakeOffsetX, ShakeOffsetY);
    SetScale(1.0f, 1.0f);
    if (Night_Sky && stars > 0.0f) {
      SetBlend(LIGHTBLEND);
      SetColor(255, 255, 255);
      SetAlpha(stars);
      sky(Night_Sky);
    }
  }
  SetAlpha(1.0f);
  SetBlend(ALPHABLEND);
  SetOrigin((sx + ShakeOffsetX) * z, ShakeOffsetY);
  TCloud::SetCloudsColor(VillageColor);
  TCloud::DrawClouds(0);
  ApplyColor(VillageColor);
  SetBlend(ALPHABLEND);
  SetScale(z, z);
  SetColor(255, 255, 255);
  for (int i = 0; i < 3; ++i) {
    if (!Back[i] || !VillageColor) continue;
    // A later backdrop's opaque body hides this one's where it reaches as high
    // and as low (a column to spare on each side for a zoom's rounding).
    std::vector<std::pair<int, int>> covers;
    const float left = back_x[i] - Back[i]->HandleX(), top = back_y[i] - Back[i]->HandleY();
    for (int j = i + 1; j < 3; ++j) {
      if (!Back[j]) continue;
      const float jleft = back_x[j] - Back[j]->HandleX(), jtop = back_y[j] - Back[j]->HandleY();
      if (jtop + static_cast<float>(BackLit[j].BodyTop()) > top + static_cast<float>(BackLit[i].BodyTop()) ||
          jtop + static_cast<float>(Back[j]->Height()) < top + static_cast<float>(Back[i]->Height()))
        continue;
      const float from = jleft - left;
      covers.emplace_back(static_cast<int>(std::ceil(from)) + 1,
                          static_cast<int>(std::floor(from + static_cast<float>(Back[j]->Width()))) - 1);
    }
    BackLit[i].Draw(VillageColor->r, VillageColor->g, VillageColor->b, back_x[i] * z, back_y[i] * z,
                    ColumnsLeft(Back[i]->Width(), covers));
  }
  ApplyColor(VillageColor);
  DrawFansOnScreen(0, WindowOfDrawState());
  TUpgrade::DrawUpgrades();
  SetScale(z, z);
  if (Portal_state >= 1 && Portal_state <= 3) {
    const ImageRef stone = Portal_state == 1 ? portal_stone_1 : Portal_state == 2 ? portal_stone_2 : portal_stone_3;
    if (stone) DrawImage(stone, 517.0f * z, 450.0f * z);
  } else if (Portal_state == 4 && portal_broken) {
    DrawImage(portal_broken, 468.0f * z, 455.0f * z);
  }
  if (Gate) Gate->Draw();
  ApplyColor(ColorWhite);
  ApplyColor(VillageColor);
  if (CampFire) CampFire->Draw();
  TVillageCreature::DrawCreatures();
  TUpgrade::DrawUpgradesShadows();
  if (CurrentVillage == SNOW && Bridge) {
    SetScale(z, z);
    ApplyColor(VillageColor);
    DrawImage(Bridge, 733.0f * z, 307.0f * z);
  }
  SetScale(z, z);
  DrawFansOnScreen(1, WindowOfDrawState());
  TUpgrade::DrawOver();
  TUpgrade::DrawRents();
  SetScale(1.0f, 1.0f);
  if (CampFire) CampFire->DrawLight();
  const ScreenWindow under = WindowOfDrawState();
  for (const Ref<TEmitter>& e : Emitters)
    if (e->DrawUnder && EmitterOnScreen(*e, under, z)) e->Draw(z);
  if (Zeppelin) Zeppelin->Draw();
  ApplyColor(VillageColor);
  TCloud::DrawClouds(1);
  SetBlend(ALPHABLEND);
  ApplyColor(ColorWhite);
  TVisuals::DrawVisuals_Under();
  TVisuals::DrawVisuals();
  SetBlend(ALPHABLEND);
  ApplyColor(ColorWhite);
  const ScreenWindow over = WindowOfDrawState();
  for (const Ref<TEmitter>& e : Emitters)
    if (!e->DrawUnder && EmitterOnScreen(*e, over, z)) e->Draw(z);
  SetOrigin(0.0f, 0.0f);
  SetScale(1.0f, 1.0f);
  SetViewport(0, 0, VirtualWidth, VirtualHeight);
  DrawSideBars();
  TVisuals::DrawVisuals_Over();
  if (RedScreenAlpha > 0.0f && RedScreen) {
    PushGraphicsState();
    SetGameViewport();
    SetScale(1.0f, 1.0f);
    SetAlpha(RedScreenAlpha);
    DrawImage(RedScreen, 0.0f, 0.0f);
    PopGraphicsState();
  }
  return 0;
}

// ---- show and hide ----

int TVillageMode::SetHided(int flag) {
  if (flag)
    Hide();
  else
    Show();
  return TWidget::SetHided(flag);
}

void TVillageMode::Hide() {
  Emitters.Clear();
  TUpgrade::SettleAllCreatures();
  Pause(1);
  StopEmitter(Portal_Smoke);
  if (RainEffect) RainEffect->Pause = 1;
  for (Ref<TWidget> w : {std::static_pointer_cast<TWidget>(UpgradeDialog), std::static_pointer_cast<TWidget>(TrophyDialog),
                         std::static_pointer_cast<TWidget>(Panel)}) {
    if (!w) continue;
    w->SetHided(1);
    if (WidgetManager) WidgetManager->RemoveWidget(w);
  }
  UpgradeDialog = nullptr;
  TrophyDialog = nullptr;
  Panel = nullptr;
  StopEmitter(Salute);
  KillCampFire(CampFire);
  Scroll_x = static_cast<float>(CanvasOffsetX);
  for (const Ref<TUpgrade>& u : Upgrades) {
    if (u->smoke_effect) u->smoke_effect->GenerationStop = 1;
    u->smoke_effect = nullptr;
  }
  TVisuals::ClearVisuals();
  VillagerSprites.Clear();  // the level needs the memory more
  if (TutorialHint) TutorialHint->Hide();
  // Hiding twice must not count the visit twice.
  if (!Hidden && PlayTime != 0) {
    PlayTime = GameTime - PlayTime;
    if (PlayTime != 0) {
      const int seconds = PlayTime / 1000;
      WriteLog("Time: " + std::to_string(seconds / 60) + " Min " + std::to_string(seconds % 60) + " sec", LOG_MESSAGE);
    }
    TotalPlayTime += PlayTime;
  }
  for (Ref<TGeysir>* g : {&Geysir1, &Geysir2}) {
    if (*g) (*g)->Remove();
    *g = nullptr;
  }
  Waterfall = Waterfall2 = Waterfall3 = Waterfall4 = nullptr;
  if (QuakeEffect) QuakeEffect->Death = 1;
  QuakeEffect = nullptr;
  if (Zeppelin) Zeppelin->Remove();
  Zeppelin = nullptr;
  if (VillageStory.ClearDialogs) VillageStory.ClearDialogs();
  Hidden = 1;
}

void TVillageMode::Show() {
  Hidden = 0;
  Pause(0);
  if (Gate) Gate->Open();
  if (RainEffect) RainEffect->Pause = 0;
  PlayTime = GameTime;
  PlayMusic("MUSIC_VILLAGE", 1);
  TVisuals::ClearVisuals();
  if (Mouse) Mouse->Show();
  for (const Ref<TUpgrade>& u : Upgrades) {
    if (u->CreatureList.Count() == 0 || (u->px == 0 && u->py == 0) || u->Hide) continue;
    u->smoke = 1;
    u->smoke_effect = TEmitter::Create(u->x + static_cast<float>(u->px), u->y + static_cast<float>(u->py),
                                       Rand(0, 1) ? EffectSmokePipeBig : EffectSmokePipeLittle, 0);
    AddEmitter(u->smoke_effect);
  }
  Closing_scale = 2.0f;
  Showing = 1;
  if (ScreenFade) ScreenFade->Init(1.0f, -0.015f, 1.0f);
  Closing_speed = 0.015f;
  Scroll_delta = 2.0f;
  Scroll_delta_flag = 1;
  GameComplete = 0;
  Hurry = HurryCount = Restart = 0;
  Scroll_dx = 0.0f;
  Scroll_x = static_cast<float>(CanvasOffsetX - 100);
  WriteLog("Village Mode", LOG_DIVIDER, "mainmenu");
  if (EffectSalute) {
    const int r = Rand(40, 255), g = Rand(40, 255), b = Rand(40, 255);
    EffectSalute->Color = CreateColorAlpha(r, g, b, EffectSalute->alpha[0]);
    EffectSalute->Color->EndColor(Rand(40, 255), Rand(40, 255), Rand(40, 255), EffectSalute->alpha[1]);
    Salute = TEmitter::Create(0.0f, 600.0f, EffectSalute, 0);
    Salute->Pause = 1;
    AddEmitter(Salute);
  }
  RedScreen = ResManager ? ResManager->GetImage("IMAGE_GUI_RED_SCREEN") : nullptr;
  if (!UpgradeDialog) {
    UpgradeDialog = New<TUpgradeDialog>();
    if (WidgetManager) WidgetManager->AddWidget(UpgradeDialog);
  }
  UpgradeDialog->SetHided(1);
  if (!TrophyDialog) {
    TrophyDialog = New<TTrophyDialog>();
    if (WidgetManager) WidgetManager->AddWidget(TrophyDialog);
  }
  TrophyDialog->SetHided(1);
  FinishedBuildCount = 0;
  if (!Panel) {
    Panel = New<TPanel>();
    if (WidgetManager) WidgetManager->AddWidget(Panel);
  }
  Panel->SetHided(0);
  Panel->StartShow();
  SpawnClouds();
  if (CurrentVillage == SNOW)
    LoadSnow();
  else
    LoadDesert();
  LoadVillage();
}

// ---- restart and new game ----

void TVillageMode::Clear() {
  for (int& b : Buildings) b = 0;
  RainEffect = nullptr;
  for (Ref<TGeysir>* g : {&Geysir1, &Geysir2}) {
    if (*g) (*g)->Remove();
    *g = nullptr;
  }
  Waterfall = Waterfall2 = Waterfall3 = Waterfall4 = nullptr;
  Gate = nullptr;
  Portal_state = ParaziteMode = PlayTime = ParaziteDamage = 0;
  RedScreen = nullptr;
  RedScreenAlpha = 0.0f;
  Emitters.Clear();
}

void TVillageMode::LoadClear() {
  TVillageCreature::Clear();
  TVillageCreature::Init();
  for (const Ref<TUpgrade>& u : Upgrades) {
    u->building = 0;
    u->built = 0;
    u->Hide = 1;
    u->CreatureList.Clear();
    u->LivingCreatureList.Clear();
  }
  for (int& b : Buildings) b = 0;
}

}  // namespace kelp
