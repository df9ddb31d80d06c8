#include "play/tutorial.h"

#include <algorithm>

#include "framework/files/language.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/ui/widget_updater.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/effects/help_text.h"
#include "world/resource_bindings.h"

namespace kelp {

Ref<TTutorial> TutorialHint;
std::function<Ref<TButtonWidget>(int hintId)> TutorialButton;

namespace {

constexpr int kTextBox = 600;

void Leave(const Ref<TWidget>& w) {
  if (w && WidgetManager) WidgetManager->RemoveWidget(w);
}

}  // namespace

// ---------------------------------------------------------------- the ring

Ref<TCircle> TCircle::Create(const platform::ImageRef& image, int x, int y, int add) {
  auto c = New<TCircle>();
  c->Image = image;
  c->Clip = 0;
  const int w = image ? image->Width() : 0, h = image ? image->Height() : 0;
  c->Resize(x, y, 2 * w, 2 * h);
  if (add && WidgetManager) WidgetManager->AddWidget(c);
  return c;
}

int TCircle::Update(float dt) {
  if (scale_state == 0) {
    scale += scale_speed * dt;
    if (scale >= 1.1f) {
      scale = 1.1f;
      scale_state = 1;
    }
  } else {
    scale -= scale_speed * dt;
    if (scale <= 0.9f) {
      scale = 0.9f;
      scale_state = 0;
    }
  }
  if (alpha_state == 0) {
    alpha += alpha_speed * dt;
    if (alpha > 1.0f) alpha_state = 1;
  } else {
    alpha -= alpha_speed * dt;
    if (alpha < 0.5f) alpha_state = 0;
  }
  return 0;
}

int TCircle::Draw() {
  if (!Image) return 0;
  PushGraphicsState();
  const float w = static_cast<float>(Image->Width()), h = static_cast<float>(Image->Height());
  // Scaled about its centre, which stands half an image into the rectangle.
  const float x = _x + w / 2.0f - w * scale / 2.0f + Image->HandleX() * scale;
  const float y = _y + h / 2.0f - h * scale / 2.0f + Image->HandleY() * scale;
  platform::SetScale(scale, scale);
  platform::SetColor(255, 255, 255);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetAlpha(over ? over_alpha : 1.0f);
  platform::DrawImage(Image, x, y);
  platform::SetBlend(platform::LIGHTBLEND);
  platform::SetAlpha((over ? over_alpha : 1.0f) * std::min(alpha, 1.0f));
  platform::DrawImage(Image, x, y);
  PopGraphicsState();
  return 0;
}

// --------------------------------------------------------------- the arrow

Ref<TArrow> TArrow::Create(int x, int y, int circle) {
  auto a = New<TArrow>();
  a->Anim = TAnimImage::Load2("IMAGE_GUI_ARROW", -1);
  a->HelpText = New<THelpText>();
  a->HelpText->MouseSensetive = 0;
  a->HelpText->shadow = 1;
  a->HelpText->align = 2;
  a->HelpText->font = FontHelp;
  a->HelpText->color = TColor::Create(50, 220, 50);
  a->HelpText->Resize(CanvasOffsetX - kTextBox, y + 30, kTextBox, 60);
  if (WidgetManager) WidgetManager->AddWidget(a->HelpText);
  const int w = a->Anim ? a->Anim->FrameWidth : 0, h = a->Anim ? a->Anim->FrameHeight : 0;
  if (a->Anim) a->Anim->Paused = 1;
  // Left of the canvas the arrow turns round; the test is on the canvas's own
  // x, so a wide screen's offset cannot turn it the wrong way.
  a->tx = x + CanvasOffsetX;
  a->ty = y;
  if (x < 0) {
    if (a->Anim) CreateMirrorImage(a->Anim);
    a->tx += 120;
  }
  if (circle == 1) {
    platform::ImageRef ring = ResManager ? ResManager->GetImage("IMAGE_GUI_CIRCLE") : nullptr;
    a->Circle = TCircle::Create(ring, a->tx, y, 1);
  }
  a->Clip = 0;
  a->Resize(-w, y, w, h);
  if (WidgetManager) WidgetManager->AddWidget(a);
  a->StartShow();
  return a;
}

void TArrow::StartShow() {
  Updater = TWidgetUpdater::Create(Self(), 0);
  Updater->Init(1, 0, 0.8f, 1.5f);
  Updater->pos0 = static_cast<float>(tx);
  Updater->pos1 = static_cast<float>(-_width);
  Updater->Dir = 1;
  Updater->StartShow(4.0f, 0.6f, 0.15f);
}

void TArrow::StartHiding() {
  Updater = TWidgetUpdater::Create(Self(), 0);
  Updater->Init(1, 0, 0.8f, 0.8f);
  Updater->pos0 = static_cast<float>(tx);
  Updater->pos1 = static_cast<float>(VirtualWidth + _width);
  Updater->Dir = -1;
  Updater->StartHiding();
}

void TArrow::StartHiding2() {
  state = 1;
  alpha = 1.0f;
}

void TArrow::Hide() {
  hided = 1;
  if (HelpText) HelpText->Flush();
  StartHiding();
}

void TArrow::Show() {
  hided = 0;
  if (HelpText) HelpText->SetText(text);
  StartShow();
}

void TArrow::SetText(const std::string& t) {
  text = t;
  if (HelpText) HelpText->SetText(t);
}

int TArrow::Update(float dt) {
  const Ref<TWidget> keep = Self();
  if (state == 1) {
    alpha -= alpha_speed * dt;
    if (HelpText) HelpText->alpha = std::max(alpha, 0.0f);
    if (Circle) {
      Circle->over = 1;
      Circle->over_alpha = std::max(alpha, 0.0f);
    }
    if (alpha < 0.0f) {
      Leave(keep);
      return 0;
    }
  }
  if (HelpText) {
    // The text is right-aligned in its box, whose right edge stands 10 pixels left of the arrow.
    HelpText->Resize(static_cast<int>(_x) - 10 - kTextBox, static_cast<int>(_y) + 30, kTextBox, 60);
  }
  if (Circle) {
    if (tx < 120)
      Circle->Resize(static_cast<int>(_x) - 83, static_cast<int>(_y) - 20, Circle->_width, Circle->_height);
    else
      Circle->Resize(static_cast<int>(_x) + 50, static_cast<int>(_y) - 20, Circle->_width, Circle->_height);
  }
  if (!Updater) return 0;
  Updater->Update(dt);
  if (Updater->IsShowing() && Updater->Accel && Updater->Accel->IsDeath() && !playing_) {
    playing_ = 1;
    if (Anim) Anim->Paused = 0;
  }
  if (Updater->IsHiding() && Updater->IsDeath() && !hided) Leave(keep);
  return 0;
}

int TArrow::Draw() {
  if (only_text || !Anim) return 0;
  PushGraphicsState();
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(state == 1 ? std::max(alpha, 0.0f) : 1.0f);
  Anim->Draw(_x, _y);
  PopGraphicsState();
  return 0;
}

int TArrow::RemovedFromManager() {
  Leave(HelpText);
  Leave(Circle);
  return 0;
}

// -------------------------------------------------------------- the hint

void TTutorial::Create(int hintId, int px, int py, int circle) {
  // An old arrow put away by Hide would wait for Show for good: take it off.
  if (Arrow && Arrow->hided) Leave(Arrow);
  id = hintId;
  state = 0;
  x = px + CanvasOffsetX;
  y = py;
  Arrow = TArrow::Create(px, py, circle);
}

void TTutorial::Update(float) {
  if (!Arrow) return;
  static constexpr int kText[7] = {0, 18, 0, 21, 22, 26, 31};
  const Ref<TButtonWidget> button = id == 1 || id == 3 || id == 4 ? (TutorialButton ? TutorialButton(id) : nullptr)
                                                                  : nullptr;
  if (state == 0) {
    if (id >= 1 && id <= 6 && kText[id]) Arrow->SetText(GameTexts[kText[id]]);
    if (id == 6) {
      if (Arrow->HelpText) Arrow->HelpText->color = TColor::Create(255, 255, 255);
      Arrow->only_text = 1;
    }
    if (button) button->blink = 1;
    if (id >= 1 && id <= 6) state = 1;
  } else if (state == 2) {
    if (button) button->blink = 0;
  }
}

void TTutorial::StartHiding() {
  if (!Arrow) return;
  Arrow->StartHiding();
  state = 2;
}

void TTutorial::StartHiding2() {
  if (!Arrow) return;
  Arrow->StartHiding2();
  state = 2;
}

void TTutorial::SetHided(int flag) {
  if (flag == 1 && Arrow) Leave(Arrow);
}

void TTutorial::Hide() {
  if (Arrow) Arrow->Hide();
}

void TTutorial::Show() {
  if (Arrow) Arrow->Show();
}

}  // namespace kelp
