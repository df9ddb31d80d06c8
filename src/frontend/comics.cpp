#include "frontend/comics.h"

#include <algorithm>
#include <string>

#include "framework/core/frame_clock.h"
#include "framework/files/log.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/media/visuals.h"
#include "framework/ui/controls.h"
#include "framework/ui/mouse.h"
#include "frontend/comics_level.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "play/dialog_printer.h"
#include "play/dialog_texts.h"
#include "village/village.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

constexpr int kPageCount = 11;
constexpr int kInteractivePage = 9;
constexpr float kBandMin = 460, kBandMax = 600;
constexpr int kDialogDelay = 500;

platform::ImageRef Picture(const std::string& id) {
  if (!ResManager) return nullptr;
  auto image = ResManager->GetImage(id);
  if (!image) WriteLog("Comic: picture " + id + " is missing; its layer is left out", LOG_WARNING);
  return image;
}

std::string PageImageId(int page) {
  return page < 10 ? "IMAGE_COMICS_INTRO_0" + std::to_string(page) : "IMAGE_COMICS_INTRO_" + std::to_string(page);
}

Ref<TPageData> AddLayer(TComicsPage& page, const std::string& image) {
  auto layer = TPageData::Create(Picture(image));
  page.Data.AddLast(layer);
  return layer;
}

// The pages of comic 1: pictures and life times; what changes when a page
// becomes current is in ApplyPageSettings.
void BuildComic1(ObjectList<TComicsPage>& list) {
  for (int n = 1; n <= kPageCount; ++n) {
    auto page = TComicsPage::Create(n);
    TPageData& first = page->First();
    if (n == 10) {
      first.Image = Picture("IMAGE_COMICS_INTRO_09_BACK");
      first.scale_speed = 0;
      auto orbics = AddLayer(*page, "IMAGE_COMICS_ORBICS");
      orbics->scale = 0.7f;
      orbics->x -= 30;
      orbics->y += 80;
      orbics->dy = -0.05f;
      orbics->scale_speed = 0.0005f;
      auto sparkles = AddLayer(*page, "IMAGE_COMICS_PARTICLES");
      sparkles->scale = 0.7f;
      sparkles->x -= 30;
      sparkles->y += 70;
      sparkles->scale_speed = 0.0012f;
      sparkles->angle_speed = -0.02f;
    } else if (n != 5 && n != 8) {
      first.Image = Picture(PageImageId(n));
    }
    if (n == 3) AddLayer(*page, "IMAGE_COMICS_INTRO_PLANET")->angle_speed = -0.04f;
    page->life_time = (n == 5 || n == 6) ? 7000 : (n >= 10 ? 6000 : 10000);
    list.AddLast(page);
  }
}

}  // namespace

// ------------------------------------------------------------------ pages

Ref<TPageData> TPageData::Create(const platform::ImageRef& image) {
  auto d = New<TPageData>();
  d->Image = image;
  d->x = static_cast<float>(VirtualCenterX);
  d->y = static_cast<float>(VirtualCenterY);
  return d;
}

Ref<TComicsPage> TComicsPage::Create(int id) {
  auto page = New<TComicsPage>();
  page->id = id;
  page->Data.AddLast(TPageData::Create(nullptr));
  return page;
}

TPageData& TComicsPage::First() { return *Data.First(); }

void TComicsPage::Update(float dt) {
  if (state == 0) return;
  width = std::min(kBandMax, std::max(kBandMin, width + width_speed * dt));
  for (const Ref<TPageData>& d : Data) {
    d->x += d->dx * dt;
    d->y += d->dy * dt;
    d->scale += d->scale_speed * dt;
    d->angle += d->angle_speed * dt;
    if (d->angle > 360) d->angle -= 360;
    if (d->angle < 0) d->angle += 360;
  }
  for (const Ref<TPageData>& d : Data) {
    if (state == 1) {
      d->alpha += d->alpha_speed * dt;
      if (d->alpha >= 1.0f) {
        d->alpha = 1.0f;
        state = 2;
      }
    } else if (state == 3) {
      d->alpha -= d->alpha_speed * dt;
      if (d->alpha <= 0.0f) {
        d->alpha = 0.0f;
        state = 4;
      }
    }
  }
}

void TComicsPage::Draw() {
  for (const Ref<TPageData>& d : Data) {
    platform::SetAlpha(d->alpha);
    platform::SetScale(d->scale, d->scale);
    if (!d->Image) {
      platform::SetColor(0, 0, 0);
      platform::DrawRect(0, 0, static_cast<float>(VirtualWidth), static_cast<float>(VirtualHeight));
      platform::SetColor(255, 255, 255);
      return;
    }
    platform::SetRotation(d->angle);
    platform::DrawImage(d->Image, d->x, d->y, 0);
    platform::SetRotation(0);
  }
}

// ------------------------------------------------------------------ dialog

Ref<TComicsDialog> TComicsDialog::Create(int id, int delay, int /*flag*/) {
  auto d = New<TComicsDialog>();
  d->id = id;
  SplitPhrases(DialogText(id), LevelSpeakers(), d->Phrases);
  if (d->Phrases.IsEmpty()) WriteLog("Comic: dialog " + std::to_string(id) + " has no phrase; the page shows no text", LOG_WARNING);
  d->birthtime = GameTime + delay;
  d->Font = FontComics;
  d->x = CanvasOffsetX;
  d->y = VirtualHeight - 50;
  d->MouseSensetive = 0;
  WidgetManager->AddWidget(d);
  d->Resize(0, 0, VirtualWidth, VirtualHeight);
  return d;
}

void TComicsDialog::NextPhrase() {
  if (Death) return;
  if (Phrase) {
    if (Phrases.Count() <= 1) return;  // the last phrase stays on screen
    Phrases.Remove(Phrase);
    if (PhrasePrinter) {
      PhrasePrinter->Empty();
      PhrasePrinter->Death = 1;
    }
    PhrasePrinter = nullptr;
    Phrase = nullptr;
  }
  if (Phrases.IsEmpty()) {
    Death = 1;
    return;
  }
  skipped = 0;
  Phrase = Phrases.First();
  Phrase->BirthTime = GameTime;
  PhrasePrinter = TDialogPrinter::Create(static_cast<float>(x + 10), static_cast<float>(y), Phrase, 780, 1, 1, Font, 0);
  // The comic's text stands on the black strip below the pictures.
  PhrasePrinter->plain_r = PhrasePrinter->plain_g = PhrasePrinter->plain_b = 255;
}

void TComicsDialog::SkipPhrase() {
  if (!PhrasePrinter || skipped) return;
  PhrasePrinter->Skip();
  skipped = 1;
}

bool TComicsDialog::LastPhraseOver() const {
  return Phrase && Phrases.Count() == 1 && PhrasePrinter && PhrasePrinter->done &&
         GameTime > Phrase->BirthTime + Phrase->Time;
}

void TComicsDialog::Remove() {
  if (!Death) Death = 1;
  WidgetManager->RemoveWidget(this);
}

int TComicsDialog::Update(float dt) {
  if (GameTime < birthtime) return 0;
  if (Mouse) Mouse->Show();
  if (Phrase) {
    if (GameTime > Phrase->BirthTime + Phrase->Time) {
      NextPhrase();
      alpha = 1.0f;
    } else {
      alpha = std::min(1.0f, alpha + alpha_speed * dt);
    }
  } else {
    NextPhrase();
  }
  if (Death) Remove();
  return 0;
}

int TComicsDialog::Draw() {
  if (GameTime < birthtime || !Phrase || !PhrasePrinter) return 0;
  PushGraphicsState();
  if (Font) SetBMFont(Font);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(alpha);
  PhrasePrinter->Draw();
  PopGraphicsState();
  return 0;
}

int TComicsDialog::RemovedFromManager() {
  if (PhrasePrinter) {
    PhrasePrinter->Empty();
    PhrasePrinter->Death = 1;
  }
  PhrasePrinter = nullptr;
  return 0;
}

// ------------------------------------------------------------------ comic

Ref<TComics> ShowComics(int id) {
  auto comic = TComics::Create(id);
  WidgetManager->AddWidget(comic);
  comic->Resize(0, 0, VirtualWidth, VirtualHeight);
  comic->SetPosition(0, 0);
  comic->StartShow();
  PlayMusic("MUSIC_MENU", 1);
  return comic;
}

Ref<TComics> TComics::Create(int id) {
  auto comic = New<TComics>();
  comic->id = id;
  comic->Modal = 1;
  if (ResManager) ResManager->LoadScope("Comics");
  if (id == 1) BuildComic1(comic->List);
  if (comic->List.IsEmpty()) {
    WriteLog("Comic " + std::to_string(id) + " has no pages", LOG_WARNING);
    return comic;
  }
  comic->CurrentPage = comic->List.First();
  comic->CurrentPage->state = 1;
  comic->CurrentPage->birth_time = GameTime;
  comic->ApplyPageSettings(*comic->CurrentPage);
  return comic;
}

void TComics::ApplyPageSettings(TComicsPage& page) {
  TPageData& first = page.First();
  const auto buttons = [this](int hidden) {
    for (auto* b : {ButtonSkip.get(), ButtonClose.get()})
      if (b) b->Visible = !hidden, b->Enable = !hidden;
  };
  switch (page.id) {
    case 1:
      first.scale = 1.0f;
      first.scale_speed = -0.00025f;
      break;
    case 2: first.scale_speed = 0.00015f; break;
    case 4: first.scale_speed = 0.0002f; break;
    case 6: first.scale_speed = 0.0003f; break;
    case 7: first.scale_speed = 0.0002f; break;
    case 8: first.scale_speed = 0; break;
    case kInteractivePage:
      buttons(1);
      ShowLevel();
      FadeOutMusic();
      first.scale_speed = 0;
      first.alpha_speed = 0.004f;
      break;
    case 10:
      buttons(0);
      first.scale_speed = 0;
      page.width = kBandMax;
      page.width_speed = -2;
      break;
    case 11:
      first.y = 230;
      first.scale_speed = 0.0003f;
      first.scale = 1;
      first.dy = 0.07f;
      break;
    default: break;
  }
}

void TComics::ShowLevel() { Level = TComicsLevel::Create(); }

void TComics::Close() {
  WidgetManager->RemoveWidget(this);
  if (Level) Level->Clear();
  Level = nullptr;
  if (ResManager) ResManager->UnLoadScope("Comics");
  if (VillageScreen) VillageScreen->SetHided(0);
}

void TComics::StartShow() {
  if (ScreenFade) ScreenFade->InitOut(1.0f, -0.02f, 1.0f);
  showing = 1;
}

void TComics::StartHiding() {
  if (hiding) return;
  if (Dialog) Dialog->Remove();
  WidgetManager->RemoveWidget(ButtonClose);
  WidgetManager->RemoveWidget(ButtonSkip);
  if (ScreenFade) ScreenFade->Init(0, 0.04f, 1.0f);
  hiding = 1;
}

int TComics::AddedToManager() {
  const auto make = [this](int x, int id, const char* anim) {
    auto b = CreateButton(CanvasOffsetX + x, 550, nullptr, "", id, Self(), 0, 0);
    b->SetAnim(TAnimImage::Load2(anim, -1));
    WidgetManager->AddWidget(b);
    return b;
  };
  ButtonSkip = make(700, ButtonSkip_ID, "DIALOG_BT_SKIP");
  ButtonClose = make(750, ButtonClose_ID, "DIALOG_BT_CLOSE");
  // The first page's text joins after the comic: a widget listed before the
  // modal comic would never be updated.
  if (CurrentPage && !Dialog) Dialog = TComicsDialog::Create(kFirstTextId + CurrentPage->id, kDialogDelay, 0);
  return 0;
}

int TComics::RemovedFromManager() {
  List.Clear();
  CurrentPage = PrevPage = nullptr;
  if (Dialog) Dialog->Remove();
  Dialog = nullptr;
  WidgetManager->RemoveWidget(ButtonClose);
  WidgetManager->RemoveWidget(ButtonSkip);
  return 0;
}

int TComics::SetPosition(int px, int py) {
  TWidget::SetPosition(px, py);
  if (ButtonSkip) ButtonSkip->SetPosition(px + 728 + CanvasOffsetX, py + 555);
  if (ButtonClose) ButtonClose->SetPosition(px + 760 + CanvasOffsetX, py + 555);
  return 0;
}

int TComics::DePress(int pressed) {
  if (pressed == ButtonSkip_ID) {
    if (!Dialog || !Dialog->Phrase) return 0;
    if (Dialog->PhrasePrinter && Dialog->PhrasePrinter->done)
      Dialog->NextPhrase();
    else
      Dialog->SkipPhrase();
    if (Dialog->PhrasePrinter && Dialog->PhrasePrinter->done && Dialog->Phrases.Count() == 1 && CurrentPage)
      CurrentPage->state = 3;
  } else if (pressed == ButtonClose_ID) {
    StartHiding();
  }
  return 0;
}

void TComics::TurnPage() {
  PrevPage = CurrentPage;
  Ref<TComicsPage> next;
  for (auto it = List.begin(); it != List.end(); ++it)
    if (*it == CurrentPage) {
      ++it;
      if (it != List.end()) next = *it;
      break;
    }
  if (!next) {
    StartHiding();
    PrevPage = nullptr;
    return;
  }
  CurrentPage->state = 0;  // frozen under the new page
  CurrentPage = next;
  CurrentPage->birth_time = GameTime;
  CurrentPage->state = 1;
  ApplyPageSettings(*CurrentPage);
  if (Dialog) Dialog->Remove();
  Dialog = TComicsDialog::Create(kFirstTextId + CurrentPage->id, kDialogDelay, 0);
}

int TComics::Update(float dt) {
  UpdateMusic(dt);
  TVisuals::UpdateVisuals(dt);
  if (ScreenFade) ScreenFade->Update(dt);
  if (hiding) {
    if (!ScreenFade || ScreenFade->alpha >= 1.0f) Close();
    return 0;
  }

  if (Level) {
    Level->Update(dt);
    // The flash once the pushed creature has hit something half a second
    // after the third click; a push that hits nothing still ends the scene
    // a few seconds later, so the page can never hold the player.
    const int since = GameTime - Level->Time;
    if (Level->Time != 0 && Level->state == 2 && since > 500 && (Level->BrownieTouched() || since > 4000))
      Level->state = 3;
    if (Level->state != 4) return 0;
    Level->Clear();
    Level = nullptr;
    if (CurrentPage) {
      CurrentPage->birth_time = GameTime + CurrentPage->life_time;
      CurrentPage->First().alpha = 1;
      CurrentPage->state = 3;
    }
    PlaySoundEffect("SOUND_COMICS_EXPLOSION", 0, 0);
  }

  for (const Ref<TComicsPage>& page : List) {
    page->Update(dt);
    if (page != CurrentPage || page->state != 2) continue;
    const bool timeUp = GameTime > page->birth_time + page->life_time;
    // A page without text turns on its own time alone.
    const bool textDone = !Dialog || Dialog->Death || Dialog->Phrases.IsEmpty() || Dialog->LastPhraseOver();
    if (timeUp && textDone) page->state = 3;
  }
  for (const Ref<TComicsPage>& page : List) {
    if (page->state == 3) {
      TurnPage();
      break;
    }
  }
  return 0;
}

int TComics::Draw() {
  if (Level) {
    Level->Draw();
    return 0;
  }
  if (!CurrentPage) return 0;
  PushGraphicsState();
  platform::SetViewport(CanvasOffsetX, static_cast<int>(VirtualCenterY - CurrentPage->width / 2), 800,
                        static_cast<int>(CurrentPage->width));
  if (PrevPage) PrevPage->Draw();
  CurrentPage->Draw();
  platform::SetOrigin(0, 0);
  platform::SetScale(1, 1);
  platform::SetAlpha(1);
  platform::SetViewport(0, 530, 800, 70);
  if (Dialog) {
    Dialog->Draw();
    Dialog->drawed = 1;  // drawn here, inside the comic's text strip
  }
  PopGraphicsState();
  return 0;
}

}  // namespace kelp
