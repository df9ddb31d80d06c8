#include "play/dialog_game.h"

#include <algorithm>
#include <string>

#include "framework/core/frame_clock.h"
#include "framework/files/log.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/ui/controls.h"
#include "framework/ui/mouse.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "play/dialog_printer.h"
#include "play/dialog_texts.h"
#include "play/game.h"
#include "play/player.h"
#include "play/tutorial.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

constexpr int kWrapWidth = 220;
constexpr int kSpeakerChangeDelay = 300;
constexpr int kButtonsY = 365;

void HideHint() {
  if (TutorialHint) TutorialHint->StartHiding2();
}

void Hint(int x, int y, int circle) {
  if (TutorialHint) TutorialHint->Create(2, x, y, circle);
}

}  // namespace

// ------------------------------------------------------------------ engine

Ref<TDialog_> TDialog_::Create(int id, const Ref<TBMFont>& font, int redriceX, int elloX, int creaturesY) {
  auto d = New<TDialog_>();
  SplitPhrases(DialogText(id), LevelSpeakers(), d->Phrases);
  d->Font = font;
  d->RedriceX = redriceX;
  d->ElloX = elloX;
  d->CreaturesY = creaturesY;
  d->img = ResManager ? ResManager->GetImage("IMAGE_GUI_DIALOG_CLOUD") : nullptr;
  return d;
}

int TDialog_::SpeakerX(const std::string& author) const { return author == "Ello" ? ElloX : RedriceX; }

void TDialog_::NextPhrase() {
  if (Death) return;
  if (Phrase) {
    Phrases.Remove(Phrase);
    if (PhrasePrinter) PhrasePrinter->Death = 1;
    PhrasePrinter = nullptr;
    Phrase = nullptr;
    HideHint();
  }
  if (Phrases.IsEmpty()) {
    Death = GameTime;
    HideHint();
    return;
  }
  Phrase = Phrases.First();
  Phrase->BirthTime = GameTime;
  int delay = 0;
  if (Phrase->Author != Author) {
    alpha = 0.0f;
    delay = kSpeakerChangeDelay;
  }
  Author = Phrase->Author;
  PhrasePrinter = TDialogPrinter::Create(static_cast<float>(SpeakerX(Author)), static_cast<float>(CreaturesY), Phrase,
                                         kWrapWidth, 0, 1, Font, delay);

  // The first level teaches the controls, and stage 17 the trolley.
  const int stage = GameScreen ? GameScreen->Stage : 0, round = GameScreen ? GameScreen->Round : 0;
  const int n = Phrase->id;
  if (stage == 1 && round == 1) {
    switch (n) {
      case 3: Hint(277, 80, 1); break;
      case 4: HideHint(); break;
      case 5:
        if (GameScreen && GameScreen->GameMode == TGameState::RELAXED) {
          NextPhrase();  // no clock in the relaxed game
          return;
        }
        Hint(-10, 171, 1);
        break;
      case 6:
        HideHint();
        Hint(590, 350, 0);
        break;
      case 7:
        HideHint();
        Hint(270, 178, 0);
        break;
      case 8: HideHint(); break;
      default: break;
    }
  } else if (stage == 17 && round == 1) {
    if (n == 6) Hint(275, 522, 1);
    if (n == 7) HideHint();
  }
}

void TDialog_::SkipPhrase() {
  if (PhrasePrinter) PhrasePrinter->Skip();
}

void TDialog_::Update(float dt) {
  PacePhrases(Phrase.get(), Phrases, Author, NextAuthor, alpha, alpha_speed, dt, [this] { NextPhrase(); });
}

void TDialog_::Draw() {
  if (!Phrase) return;
  PushGraphicsState();
  SetBMFont(Font);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(alpha);
  platform::DrawImage(img, static_cast<float>(SpeakerX(Author) - 20), static_cast<float>(CreaturesY - 20));
  platform::SetColor(100, 100, 100);
  if (PhrasePrinter) PhrasePrinter->Draw();
  PopGraphicsState();
}

void TDialog_::Remove() {
  Phrases.Clear();
  if (PhrasePrinter) {
    PhrasePrinter->Empty();
    PhrasePrinter->Death = 1;
    PhrasePrinter = nullptr;
  }
  Phrase = nullptr;
}

// ------------------------------------------------------------------ window

Ref<TDialogGame> TDialogGame::Create(int id, int delay, int kind) {
  if (DialogText(id).empty()) {
    // Nothing to say: the level goes on as after a round without a dialog.
    WriteLog("Dialog " + std::to_string(id) + " has no text; the level goes on without it", LOG_WARNING);
    return nullptr;
  }
  auto w = New<TDialogGame>();
  w->birthtime = GameTime + delay;
  w->state = kind;
  w->Dialog = TDialog_::Create(id, FontComic, 45, 145, 300);
  // Not modal: the level behind runs on, held paused by the window, so its
  // effects (the printer among them) play on and the pause menu can open.
  w->Modal = 0;
  w->Resize(0, 0, 800, 600);
  if (Mouse) Mouse->Center();
  if (WidgetManager) WidgetManager->AddWidget(w);
  return w;
}

int TDialogGame::AddedToManager() {
  auto make = [this](int id, const char* anim) {
    auto b = CreateButton(0, 0, nullptr, "", id, Self(), 0, 0);
    b->SetAnim(TAnimImage::Load2(anim, -1));
    WidgetManager->AddWidget(b);
    b->SetHided(1);
    return b;
  };
  ButtonSkip = make(ButtonSkip_ID, "DIALOG_BT_SKIP");
  ButtonClose = make(ButtonClose_ID, "DIALOG_BT_CLOSE");
  return 0;
}

int TDialogGame::RemovedFromManager() {
  if (WidgetManager) {
    WidgetManager->RemoveWidget(ButtonSkip);
    WidgetManager->RemoveWidget(ButtonClose);
  }
  return 0;
}

int TDialogGame::SetHided(int flag) {
  TWidget::SetHided(flag);
  if (ButtonSkip) ButtonSkip->SetHided(flag);
  if (ButtonClose) ButtonClose->SetHided(flag);
  return 0;
}

int TDialogGame::Pause(int) { return 0; }

int TDialogGame::Update(float dt) {
  const Ref<TWidget> keep = Self();
  if (GameScreen) GameScreen->Pause(1);
  if (GameTime < birthtime || !Dialog) return 0;
  if (platform::KeyHit(platform::VK_SPACE)) DePress(ButtonSkip_ID);
  if (removed_) return 0;
  if (Mouse) Mouse->Show();
  Dialog->Update(dt);
  if (!Dialog->Phrase) Dialog->NextPhrase();
  if (Dialog->Death) {
    Remove();
    return 0;
  }
  const bool shown = ButtonSkip && ButtonSkip->Visible;
  if (Dialog->alpha == 1.0f && ButtonSkip && !shown) {
    const int x = Dialog->SpeakerX(Dialog->Author) + CanvasOffsetX;
    ButtonSkip->SetPosition(x + 150, kButtonsY);
    if (ButtonClose) ButtonClose->SetPosition(x + 185, kButtonsY);
    ButtonSkip->SetHided(0);
    if (ButtonClose) ButtonClose->SetHided(0);
  } else if (Dialog->alpha != 1.0f && shown) {
    ButtonSkip->SetHided(1);
    if (ButtonClose) ButtonClose->SetHided(1);
  }
  return 0;
}

int TDialogGame::Draw() {
  if (GameTime < birthtime || !Dialog) return 0;
  PushGraphicsState();
  platform::SetOrigin(static_cast<float>(CanvasOffsetX), 0.0f);
  SetBMFont(FontComic);
  platform::SetScale(1.0f, 1.0f);
  platform::SetAlpha(1.0f);
  Dialog->Draw();
  PopGraphicsState();
  return 0;
}

int TDialogGame::DePress(int id) {
  if (removed_ || !Dialog) return 0;
  if (id == ButtonSkip_ID) {
    if (!Dialog->Phrase) return 0;
    if (Dialog->PhrasePrinter && Dialog->PhrasePrinter->done)
      Dialog->NextPhrase();
    else
      Dialog->SkipPhrase();
  } else if (id == ButtonClose_ID) {
    Remove();
  }
  return 0;
}

void TDialogGame::Remove() {
  if (removed_) return;
  removed_ = 1;
  const Ref<TWidget> keep = Self();
  if (Dialog) {
    if (!Dialog->Death) Dialog->Death = GameTime;
    Dialog->Remove();
  }
  HideHint();
  if (WidgetManager) WidgetManager->RemoveWidget(this);
  if (Mouse) Mouse->Hide();
  if (Player) Player->enable_hover = 1;
  if (!GameScreen) return;
  if (state == 1) GameScreen->StartText();
  if (state == 3) GameScreen->EndText();
}

}  // namespace kelp
