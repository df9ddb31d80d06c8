#include "village/dialog_village.h"

#include <algorithm>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/impulse.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/widget_updater.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "play/author.h"
#include "play/dialog_phrase.h"
#include "play/dialog_printer.h"
#include "play/dialog_texts.h"
#include "village/panel.h"
#include "village/snapshot.h"
#include "village/story_links.h"
#include "village/trophy.h"
#include "village/trophy_room.h"
#include "village/village.h"
#include "village/villager.h"
#include "world/game_state.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

constexpr int kSpace = 32;

platform::ImageRef Picture(const std::string& id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

struct Portrait {
  const char* name;
  const char* image;
  float x, y;
};
constexpr Portrait kPortraits[] = {
    {"Redrice", "DIALOG_REDRICE", 32, 32},       {"Ello", "DIALOG_ELLO", 37, 37},
    {"NamelessOne", "DIALOG_NAMELESSONE", 23, 25}, {"Orbus", "DIALOG_ORBUS", 23, 25},
    {"Snowball", "DIALOG_YETI", 16, 16},         {"Mechanicus", "DIALOG_MECHANICUS", 23, 22},
    {"Parazite", "DIALOG_PARAZITE", 24, 24},     {"Brownie1", "DIALOG_BROWNIE_FULL", 19, 8},
    {"Brownie2", "DIALOG_BROWNIE", 21, 5},       {"Brownie3", "DIALOG_BROWNIE_GOOD", 23, 22},
};

int AuthorRank(const std::string& n) {
  if (n == "Brownie1" || n == "Brownie2") return 1;
  if (n == "Redrice") return 2;
  if (n == "Ello") return 3;
  if (n == "Snowball") return 4;
  return 5;
}

Ref<TAccelObject> Accel(float target, float speed, bool bounce) {
  Ref<TAccelObject> a = New<TAccelObject>();
  a->Target = target;
  a->SpeedAccel = speed;
  a->accel = 0.0f;
  if (bounce) {
    a->ObjectImpulse = TImpulse::CreateImpulse(4.0f, 0.6f, 0.15f, 1);
    if (a->ObjectImpulse) {
      a->ObjectImpulse->started = 0;
      ReleaseFromVisuals(a->ObjectImpulse);
    }
  }
  return a;
}

void Step(const Ref<TAccelObject>& a, float dt, float& value, int dir) {
  if (!a) return;
  a->Update(dt, value, dir);
  if (a->Stopped && a->impulse) a->impulse->started = 1;
}

}  // namespace

// ---- portraits ----

Ref<TDialogVillageCreature> TDialogVillageCreature::Create(const std::string& name) {
  Ref<TDialogVillageCreature> c = New<TDialogVillageCreature>();
  c->name = name;
  c->MouseSensetive = 0;
  c->Clip = 0;
  for (const Portrait& p : kPortraits)
    if (name == p.name) {
      c->Image = TAnimImage::Load2(p.image, -1);
      c->Image->AnimSpeed = 0;
      c->x = p.x;
      c->y = p.y;
    }
  c->Glow = Picture("DIALOG_GLOW");
  c->Resize(0, 0, c->Glow ? c->Glow->Width() : 100, c->Glow ? c->Glow->Height() : 100);
  c->BlinkTime = GameTime + Rand(2000, 6000);
  if (WidgetManager) WidgetManager->AddWidget(c);
  return c;
}

void TDialogVillageCreature::BlinkUpdate() {
  if (Blink) {
    const int start = BlinkTime + BlinkLifeTime;
    if (GameTime > start - 300) BlinkFrame = 1;
    if (GameTime > start - 200) BlinkFrame = 2;
    if (GameTime > start - 100) BlinkFrame = 1;
  }
  if (GameTime > BlinkTime && !Blink && Rand(0, 15) == 0) Blink = 1;
  if (GameTime > BlinkTime + BlinkLifeTime && Blink) {
    Blink = 0;
    BlinkFrame = 0;
    BlinkTime = GameTime + Rand(2000, 6000);
  }
}

int TDialogVillageCreature::Update(float dt) {
  BlinkUpdate();
  if (state == 0) glow_alpha = std::max(0.0f, glow_alpha - glow_speed * dt);
  if (state == 1) {
    glow_alpha += glow_speed * dt;
    if (glow_alpha >= 1.0f) glow_alpha = 1.0f, state = 2;
  } else if (state == 2) {
    glow_alpha -= 0.01f * dt;
    if (glow_alpha <= 0.4f) glow_alpha = 0.4f, state = 1;
  }
  if (active) {
    alpha = std::max(0.0f, alpha - 0.03f * dt);
    if (state == 0) state = 1;
  } else {
    alpha = std::min(1.0f, alpha + 0.03f * dt);
    state = 0;
  }
  return 0;
}

int TDialogVillageCreature::Draw() {
  if (!Image || !Image->Image) return 0;
  platform::SetOrigin(_x, _y);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  Image->Frame = Blink ? BlinkFrame : 0;
  Image->Draw(x, y);
  if (alpha > 0.0f) {
    Image->Frame = 3;
    platform::SetAlpha(alpha);
    platform::SetColor(120, 120, 120);
    Image->Draw(x, y);
  }
  if (Glow && glow_alpha > 0.0f) {
    platform::SetColor(255, 255, 255);
    platform::SetAlpha(glow_alpha);
    platform::SetBlend(platform::LIGHTBLEND);
    platform::DrawImage(Glow, 0.0f, 0.0f);
    platform::SetBlend(platform::ALPHABLEND);
  }
  platform::SetAlpha(1.0f);
  return 0;
}

int TDialogVillageCreature::RemovedFromManager() {
  Image = nullptr;
  Glow = nullptr;
  return 0;
}

void TDialogVillageCreature::SetActive(int flag) { active = flag; }

// ---- the dialog ----

int TDialogVillage::SortAuthors(const Ref<TAuthor>& a, const Ref<TAuthor>& b) {
  return AuthorRank(a->name) > AuthorRank(b->name) ? 1 : 0;
}

std::pair<std::string, std::string> TDialogVillage::TrophyOf(int stage, int dialog, int phrase) {
  struct Row {
    int stage, dialog, phrase;
    const char *image, *name;
  };
  static const Row rows[] = {
      {4, 1014, 1, "TROPHY_KEY", "Key"},           {6, 1020, 1, "TROPHY_CLOVER", "Clover"},
      {7, 1024, 3, "TROPHY_MESSAGE", "Message"},   {9, 1028, 1, "TROPHY_STONE_01", "stone_01"},
      {10, 1030, 1, "TROPHY_STONE_02_2", "stone_02"}, {11, 1031, 1, "TROPHY_STONE_03_2", "stone_03"},
      {15, 1038, 1, "TROPHY_ZEP_DRAWING", "zep_drawing"}, {17, 1047, 3, "TROPHY_ENGINE_STONE", "engine_stone"},
      {20, 2011, 1, "TROPHY_RETORT", "retort"},   {23, 2014, 1, "TROPHY_RING", "ring"},
      {31, 2022, 1, "TROPHY_RAY", "ray"},
  };
  for (const Row& r : rows)
    if (r.stage == stage && r.dialog == dialog && r.phrase == phrase) return {r.image, r.name};
  return {};
}

Ref<TDialogVillage> TDialogVillage::Create(int id, int delay, int closeLocked) {
  Ref<TDialogVillage> d = New<TDialogVillage>();
  d->id = id;
  d->birthtime = GameTime + delay;
  d->Font = FontComic;
  d->alpha = 0.0f;
  d->alpha_speed = 0.03f;
  SplitPhrases(DialogText(id), VillageSpeakers(), d->Phrases);
  for (const Ref<TDialogPhrase>& p : d->Phrases)
    if (!d->GetAuthor(p->Author)) d->AddAuthor(p->Author);
  if (WidgetManager) WidgetManager->AddWidget(d);
  if (d->ButtonClose) d->ButtonClose->locked = closeLocked;
  d->SetVisible(0);
  return d;
}

void TDialogVillage::Clear() {
  if (!WidgetManager) return;
  for (const Ref<TWidget>& w : Snapshot(WidgetManager->WidgetsList))
    if (dynamic_cast<TDialogVillage*>(w.get())) WidgetManager->RemoveWidget(w);
}

Ref<TAuthor> TDialogVillage::GetAuthor(const std::string& name) const {
  for (const Ref<TAuthor>& a : Authors)
    if (a->name == name) return a;
  return nullptr;
}

Ref<TAuthor> TDialogVillage::AddAuthor(const std::string& name) {
  Ref<TAuthor> a = New<TAuthor>();
  a->name = name;
  Authors.push_back(a);
  return a;
}

int TDialogVillage::RealSpeakers() const {
  int n = 0;
  for (const Ref<TAuthor>& a : Authors)
    if (a->name != "Empty") ++n;
  return n;
}

int TDialogVillage::AddedToManager() {
  Clip = 0;
  const Ref<TWidget> self = Self();
  ButtonSkip = CreateButton(-100, 0, nullptr, "", ButtonSkip_ID, self, 0, 0);
  ButtonSkip->SetAnim(TAnimImage::Load2("DIALOG_BT_SKIP", -1));
  ButtonClose = CreateButton(-100, 0, nullptr, "", ButtonClose_ID, self, 0, 0);
  ButtonClose->SetAnim(TAnimImage::Load2("DIALOG_BT_CLOSE", -1));
  ButtonClose->LockedImage = Picture("DIALOG_BT_CLOSE_LOCKED");
  if (WidgetManager) {
    WidgetManager->AddWidget(ButtonSkip);
    WidgetManager->AddWidget(ButtonClose);
  }
  Img = ResManager ? ResManager->GetImage("DIALOG_FRAME_01") : nullptr;
  const int w = Img ? Img->Width() : 420, h = Img ? Img->Height() : 220;
  TWidget::Resize(-(w / 2), VirtualCenterY - h / 2, w, h);
  if (Authors.size() >= 2) {
    Frame03 = CreateImageWidget(Picture("DIALOG_FRAME_03"), Int(_x) - 80, Int(_y) - 1, 1);
  }
  std::stable_sort(Authors.begin(), Authors.end(),
                   [](const Ref<TAuthor>& a, const Ref<TAuthor>& b) { return SortAuthors(b, a) == 1; });
  // Six portraits at most; "Empty" takes no place.
  std::vector<Ref<TAuthor>> real;
  for (const Ref<TAuthor>& a : Authors)
    if (a->name != "Empty" && real.size() < 6) real.push_back(a);
  const int n = static_cast<int>(real.size());
  for (int k = 0; k < n; ++k) {
    if (n == 1) {
      real[k]->x = -66, real[k]->y = -66;
    } else if (n == 2) {
      real[k]->x = -90, real[k]->y = k == 0 ? -30 : 110;
    } else {
      real[k]->x = AuthorPositions[k][0], real[k]->y = AuthorPositions[k][1];
    }
    Frame02[k] = CreateImageWidget(Picture("DIALOG_FRAME_02"), Int(_x) + real[k]->x, Int(_y) + real[k]->y, 1);
    Creatures[k] = TDialogVillageCreature::Create(real[k]->name);
  }
  Layout();
  return 0;
}

void TDialogVillage::Layout() {
  const int wx = Int(_x), wy = Int(_y);
  if (Frame03) Frame03->SetPosition(wx - 80, wy - 1);
  int j = 0;
  for (const Ref<TAuthor>& a : Authors) {
    if (a->name == "Empty" || j >= 6) continue;
    if (Frame02[j]) Frame02[j]->SetPosition(wx + a->x, wy + a->y);
    ++j;
  }
  PlaceButtons();
}

void TDialogVillage::PlaceButtons() {
  const int wx = Int(_x), wy = Int(_y);
  if (ButtonSkip) ButtonSkip->SetPosition(wx + 310, wy + 160);
  if (ButtonClose) ButtonClose->SetPosition(wx + 350, wy + 160);
}

int TDialogVillage::SetPosition(int px, int py) {
  TWidget::SetPosition(px, py);
  Layout();
  return 0;
}

int TDialogVillage::Resize(int px, int py, int width, int height) {
  TWidget::Resize(px, py, width, height);
  Layout();
  return 0;
}

int TDialogVillage::RemovedFromManager() {
  VillageDialogActive = 0;
  if (!WidgetManager) return 0;
  WidgetManager->RemoveWidget(ButtonSkip);
  WidgetManager->RemoveWidget(ButtonClose);
  for (int i = 0; i < 6; ++i) {
    if (Frame02[i]) WidgetManager->RemoveWidget(Frame02[i]);
    if (Creatures[i]) WidgetManager->RemoveWidget(Creatures[i]);
  }
  if (Frame03) WidgetManager->RemoveWidget(Frame03);
  if (PhrasePrinter) PhrasePrinter->Death = 1;
  return 0;
}

int TDialogVillage::SetVisible(int flag) {
  for (const Ref<TWidget>& w : {std::static_pointer_cast<TWidget>(ButtonSkip),
                                std::static_pointer_cast<TWidget>(ButtonClose), std::static_pointer_cast<TWidget>(Frame03)})
    if (w) w->SetVisible(flag);
  for (int i = 0; i < 6; ++i) {
    if (Frame02[i]) Frame02[i]->SetVisible(flag);
    if (Creatures[i]) Creatures[i]->SetVisible(flag);
  }
  return TWidget::SetVisible(flag);
}

int TDialogVillage::SetHided(int flag) {
  for (const Ref<TWidget>& w : {std::static_pointer_cast<TWidget>(ButtonSkip),
                                std::static_pointer_cast<TWidget>(ButtonClose), std::static_pointer_cast<TWidget>(Frame03)})
    if (w) w->SetHided(flag);
  for (int i = 0; i < 6; ++i) {
    if (Frame02[i]) Frame02[i]->SetHided(flag);
    if (Creatures[i]) Creatures[i]->SetHided(flag);
  }
  return TWidget::SetHided(flag);
}

int TDialogVillage::DePress(int button) {
  if (button == ButtonSkip_ID) {
    if (Phrase && PhrasePrinter) {
      if (PhrasePrinter->done)
        NextPhrase();
      else
        SkipPhrase();
    }
  } else if (button == ButtonClose_ID) {
    if (ButtonClose && ButtonClose->locked) return 0;
    if (!Death) {
      Death = GameTime;
      StartHiding();
    }
  }
  return 0;
}

void TDialogVillage::SkipPhrase() {
  if (PhrasePrinter) PhrasePrinter->Skip();
}

void TDialogVillage::NextPhrase() {
  if (Death) return;
  if (Phrase) {
    Phrases.Remove(Phrase);
    if (PhrasePrinter) PhrasePrinter->Death = 1;
    PhrasePrinter = nullptr;
    Phrase = nullptr;
  }
  if (Phrases.IsEmpty()) {
    Death = GameTime;
    StartHiding();
    return;
  }
  Phrase = Phrases.First();
  Phrase->BirthTime = GameTime;
  alpha = 0.0f;
  Author = Phrase->Author;
  for (const Ref<TDialogVillageCreature>& c : Creatures)
    if (c) c->SetActive(c->name == Author ? 1 : 0);
  PhrasePrinter = TDialogPrinter::Create(50.0f, 50.0f, Phrase, 340, 0, 1, Font, 300);
  const int stage = GameState ? GameState->Stage : 0;
  const std::pair<std::string, std::string> trophy = TrophyOf(stage, id, Phrase->id);
  if (!trophy.first.empty()) {
    Trophy = ShowTrophyWidget(trophy.first);
    TTrophy::Enable(trophy.second);
  }
}

void TDialogVillage::StartShow() {
  Updater = TDialogVillageUpdater::Create(this);
  Updater->StartShow();
}

void TDialogVillage::StartHiding() {
  Updater = TDialogVillageUpdater::Create(this);
  Updater->StartHiding();
  Phrases.Clear();
  if (PhrasePrinter) {
    PhrasePrinter->Empty();
    PhrasePrinter->Death = 1;
  }
  PhrasePrinter = nullptr;
  Phrase = nullptr;
  if (Trophy) {
    PlaySoundEffect("SOUND_TROPHY", 0.0f, 0);
    if (Trophy->Trophy) Trophy->Trophy->skip = 1;
  }
  fade_state = 2;
}

int TDialogVillage::Update(float dt) {
  VillageDialogActive = 1;
  TVillageMode* v = VillageScreen.get();
  const int w = Img ? Img->Width() : 420;
  if (GameTime < birthtime) {
    TWidget::SetPosition(-w, 300);
    Layout();
    return 0;
  }
  if (!Visible) SetVisible(1);
  if (DraggedCreature) DraggedCreature->ForceDrop();
  if (!panel && v) {
    if (v->Panel) v->Panel->StartHiding();
    v->UserInputEnable = 0;
    panel = 1;
  }
  if (platform::KeyHit(kSpace)) DePress(ButtonSkip_ID);
  if (!Started) {
    Started = 1;
    if (RealSpeakers() == 0) {
      // Nothing to say: the story goes on at once.
      Death = GameTime;
      if (WidgetManager) WidgetManager->RemoveWidget(this);
      if (!Ended) {
        Ended = 1;
        EndScript(id);
      }
      return 0;
    }
    StartShow();
    Fadeable = 1;
    fade_state = 1;
    if (v) v->UserInputEnable = 0;
  }
  if (Updater) {
    Updater->Update(dt);
    if (Updater->IsHiding() && Updater->IsDeath()) {
      Updater = nullptr;
      const Ref<TWidget> keep = Self();  // the end script runs after the window has left
      if (WidgetManager) WidgetManager->RemoveWidget(this);
      if (!Ended) {
        Ended = 1;
        EndScript(id);
      }
      return 0;
    }
  }
  PlaceButtons();
  for (int i = 0; i < 6; ++i)
    if (Creatures[i] && Frame02[i]) {
      Creatures[i]->SetPosition(Int(Frame02[i]->_x) - 10, Int(Frame02[i]->_y) - 10);
    }
  // Phrases wait until the last portrait has dropped and bounced.
  int last = -1;
  for (int i = 0; i < 6; ++i)
    if (Frame02[i]) last = i;
  const bool settled = !Death && Updater && Updater->IsShowing() && last >= 0 && Updater->Frame02Accel[last] &&
                       Updater->Frame02Accel[last]->Death;
  if (settled || (!Death && !Updater && last >= 0)) {
    PacePhrases(Phrase.get(), Phrases, Author, NextAuthor, alpha, alpha_speed, dt, [this] { NextPhrase(); });
    if (!Phrase && !Death) NextPhrase();
  }
  return 0;
}

int TDialogVillage::Draw() {
  if (GameTime < birthtime) return 0;
  platform::SetOrigin(_x, _y);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  if (Img) platform::DrawImage(Img, 0.0f, 0.0f);
  if (Phrase && PhrasePrinter) {
    SetBMFont(Font);
    PhrasePrinter->Draw();
  }
  return 0;
}

// ---- slides ----

Ref<TDialogVillageUpdater> TDialogVillageUpdater::Create(TDialogVillage* dialog) {
  Ref<TDialogVillageUpdater> u = New<TDialogVillageUpdater>();
  u->Dialog = dialog;
  return u;
}

void TDialogVillageUpdater::StartShow() {
  Stage = 1;
  state = 1;
  if (sound) {
    StopSoundEffect("SOUND_SLIDE_OUT");
    PlaySoundEffect("SOUND_SLIDE_IN", 0.0f, 1);
  }
  TDialogVillage& d = *Dialog;
  const int cy = VirtualCenterY - d._height / 2;
  d.TWidget::SetPosition(VirtualCenterX - d._width / 2, cy);
  d.Layout();
  Frame01Accel = Accel(d._x, 0.5f, true);
  for (int i = 0; i < 6; ++i)
    if (d.Frame02[i]) Frame02Accel[i] = Accel(d.Frame02[i]->_x, 0.2f, true);
  if (d.Frame03) Frame03Accel = Accel(d.Frame03->_x, 0.5f, true);
  d.TWidget::SetPosition(-d._width, cy);
  d.Layout();
  for (int i = 0; i < 6; ++i)
    if (d.Frame02[i]) d.Frame02[i]->_x -= 100.0f * static_cast<float>(i);
}

void TDialogVillageUpdater::UpdateShowing(float dt) {
  TDialogVillage& d = *Dialog;
  float wx = d._x;
  Step(Frame01Accel, dt, wx, 1);
  d._x = wx;
  // The frames are moved by the slide, not by the layout.
  float saved[6];
  for (int i = 0; i < 6; ++i) saved[i] = d.Frame02[i] ? d.Frame02[i]->_x : 0.0f;
  if (d.Frame03) Step(Frame03Accel, dt, d.Frame03->_x, 1);
  if (d._x >= -200.0f) Stage = 2;
  for (int i = 0; i < 6; ++i) {
    if (!d.Frame02[i] || !Frame02Accel[i]) continue;
    float x = saved[i];
    if (Stage >= 2) {
      Step(Frame02Accel[i], dt, x, 1);
      if (Frame02Accel[i]->Stopped && !sounds[i]) {
        sounds[i] = 1;
        PlaySoundEffect("SOUND_BRICK_FALL", 0.0f, 1);
      }
    }
    d.Frame02[i]->_x = x;
  }
}

void TDialogVillageUpdater::StartHiding() {
  Stage = 1;
  state = 2;
  if (sound) {
    StopSoundEffect("SOUND_SLIDE_IN");
    PlaySoundEffect("SOUND_SLIDE_OUT", 0.0f, 1);
  }
  TDialogVillage& d = *Dialog;
  for (int i = 0; i < 6; ++i) remembered[i] = d.Frame02[i] ? d.Frame02[i]->_x : 0.0f;
  remembered3 = d.Frame03 ? d.Frame03->_x : 0.0f;
  const float wx = d._x;
  d._x = -static_cast<float>(d._width);
  d.Layout();
  Frame01Accel = Accel(d._x, 0.8f, false);
  for (int i = 0; i < 6; ++i)
    if (d.Frame02[i]) Frame02Accel[i] = Accel(d.Frame02[i]->_x, 1.0f, false);
  if (d.Frame03) Frame03Accel = Accel(d.Frame03->_x, 0.8f, false);
  d._x = wx;
  d.Layout();
  for (int i = 0; i < 6; ++i)
    if (d.Frame02[i]) d.Frame02[i]->_x = remembered[i];
  if (d.Frame03) d.Frame03->_x = remembered3;
}

void TDialogVillageUpdater::UpdateHiding(float dt) {
  TDialogVillage& d = *Dialog;
  float saved[6];
  for (int i = 0; i < 6; ++i) saved[i] = d.Frame02[i] ? d.Frame02[i]->_x : 0.0f;
  const float s3 = d.Frame03 ? d.Frame03->_x : 0.0f;
  // Frames leave one after another, then the window.
  for (int i = 0; i < 6; ++i) {
    if (!d.Frame02[i]) continue;
    if (i < Stage) Step(Frame02Accel[i], dt, saved[i], -1);
  }
  const int k = Stage - 1;
  if (k < 6 && (!d.Frame02[k] || saved[k] < 0.0f)) ++Stage;
  float wx = d._x, x3 = s3;
  if (Stage > 6) {
    Step(Frame01Accel, dt, wx, -1);
    if (d.Frame03) Step(Frame03Accel, dt, x3, -1);
    if (Frame01Accel && Frame01Accel->Stopped) Death = 1;
  }
  d._x = wx;
  for (int i = 0; i < 6; ++i)
    if (d.Frame02[i]) d.Frame02[i]->_x = saved[i];
  if (d.Frame03) d.Frame03->_x = x3;
}

void TDialogVillageUpdater::Update(float dt) {
  if (state == 1) UpdateShowing(dt);
  if (state == 2) UpdateHiding(dt);
}

}  // namespace kelp
