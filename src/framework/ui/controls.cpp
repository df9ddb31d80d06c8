#include "framework/ui/controls.h"

#include <algorithm>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/graphics_state.h"
#include "framework/ui/dialog.h"
#include "framework/ui/mouse.h"
#include "platform/draw.h"

namespace kelp {

int DefaultClickSoundHook(const std::string&, float, int) { return 0; }
TClickSoundHook ClickSoundHook = DefaultClickSoundHook;

namespace {

void ClickSound() {
  if (ClickSoundHook) ClickSoundHook("SOUND_BT_CLICK", 0.0f, 0);
}

void DrawAnimFrame(const Ref<TAnimImage>& anim, int frame, int width, int height) {
  if (anim && anim->Image && frame < anim->Image->Frames())
    platform::DrawImageRect(anim->Image, 0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height), frame);
}

void DrawStretched(const platform::ImageRef& image, int width, int height) {
  if (image) platform::DrawImageRect(image, 0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height));
}

}  // namespace

// ---- images ----

int TImageWidget::Draw() {
  PushGraphicsState();
  platform::SetBlend(Blend);
  if (Image) platform::DrawImage(Image, 0.0f, 0.0f, 0);
  PopGraphicsState();
  return 0;
}

Ref<TImageWidget> CreateImageWidget(const platform::ImageRef& image, int x, int y, int add) {
  auto w = New<TImageWidget>();
  w->Image = image;
  w->Resize(x, y, image ? image->Width() : 0, image ? image->Height() : 0);
  if (add == 1) WidgetManager->AddWidget(w);
  return w;
}

int TAnimImageWidget::Update(float) {
  if (Anim) Anim->Update();
  return 0;
}

int TAnimImageWidget::Draw() {
  if (Anim) Anim->Draw(0.0f, 0.0f);
  return 0;
}

// ---- button ----

int TButtonWidget::Update(float dt) {
  if (IsOver) {
    if (auto l = Listener.lock()) l->EventMouseOver(ID);
    OverAlpha += OverAlphaSpeed * dt;
    if (OverAlpha > 1.0f) OverAlpha = 1.0f;
    return 0;
  }
  switch (blink) {
    case 0:
      OverAlpha -= OverAlphaSpeed * dt;
      if (OverAlpha < 0.0f) OverAlpha = 0.0f;
      break;
    case 1:
      if (OverAlpha < 1.0f) {
        OverAlpha += OverAlphaSpeed * dt;
        if (OverAlpha > 1.0f) {
          OverAlpha = 1.0f;
          blink_time = GameTime;
        }
      } else if (OverAlpha == 1.0f && GameTime > blink_time + blink_pause) {
        blink = 2;
      }
      break;
    case 2:
      if (OverAlpha > 0.0f) {
        OverAlpha -= OverAlphaSpeed * dt;
        if (OverAlpha < 0.0f) {
          OverAlpha = 0.0f;
          blink_time = GameTime;
        }
      } else if (OverAlpha == 0.0f && GameTime > blink_time + blink_pause) {
        blink = 1;
      }
      break;
    default:
      break;
  }
  return 0;
}

int TButtonWidget::Draw() {
  const bool pressedLook = IsDown && IsOver;
  int vx = 0, vy = 0, vw = 0, vh = 0;
  if (pressedLook) {
    platform::GetViewport(vx, vy, vw, vh);
    platform::SetViewport(vx + TranslateX, vy + TranslateY, vw, vh);
    platform::SetOrigin(static_cast<float>(vx + TranslateX), static_cast<float>(vy + TranslateY));
  }
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  if (locked) {
    if (LockedImage) {
      DrawStretched(LockedImage, _width, _height);
    } else {
      platform::SetColor(100, 100, 100);
      DrawStretched(ButtonImage, _width, _height);
      DrawAnimFrame(Anim, 0, _width, _height);
      platform::SetColor(255, 255, 255);
    }
  } else {
    DrawStretched(ButtonImage, _width, _height);
    DrawAnimFrame(Anim, 0, _width, _height);
    if (OverAlpha > 0.0f) {
      platform::SetAlpha(OverAlpha);
      DrawStretched(OverImage, _width, _height);
      DrawAnimFrame(Anim, 1, _width, _height);
    }
    if (pressedLook) {
      platform::SetAlpha(1.0f);
      DrawStretched(DownImage, _width, _height);
      if (Anim && Anim->Frames > 2) DrawAnimFrame(Anim, 2, _width, _height);
    }
  }
  if (Font) platform::SetImageFont(Font);
  if (!Label.empty()) {
    platform::SetAlpha(1.0f);
    platform::SetColor(255, 255, 255);
    const int width = platform::TextWidth(Label);
    const int labelY = _height / 2 - platform::TextHeight(Label) / 2 + LabelYDef;
    int labelX = 0;
    if (LabelJustify == 2) labelX = Int(static_cast<float>(_width) / 2.0f - static_cast<float>(width) / 2.0f);
    if (LabelJustify == 3) labelX = _width - width;
    platform::DrawText(Label, static_cast<float>(labelX), static_cast<float>(labelY));
  }
  if (pressedLook) {
    platform::SetViewport(vx, vy, vw, vh);
    platform::SetOrigin(static_cast<float>(vx), static_cast<float>(vy));
  }
  return 0;
}

int TButtonWidget::MouseLeave() {
  if (auto l = Listener.lock()) l->EventMouseLeave(ID);
  return 0;
}

int TButtonWidget::MouseEnter() {
  if (auto l = Listener.lock()) l->EventMouseEnter(ID);
  return 0;
}

int TButtonWidget::MouseUp(int) {
  if (IsOver) {
    if (auto l = Listener.lock()) {
      OverAlpha = 0.0f;
      l->DePress(ID);
    }
  }
  IsDown = 0;
  return 0;
}

int TButtonWidget::MouseDown(int button) {
  if (button == 1 && !locked && !IsDown) {
    ClickSound();
    IsDown = 1;
  }
  return 0;
}

int TButtonWidget::SetHided(int flag) {
  OverAlpha = 0.0f;
  IsOver = 0;
  return TWidget::SetHided(flag);
}

int TButtonWidget::SetAnim(const Ref<TAnimImage>& anim) {
  Anim = anim;
  if (anim && anim->Image) Resize(Int(_x), Int(_y), anim->Image->Width(), anim->Image->Height());
  return 0;
}

Ref<TButtonWidget> CreateButton(int x, int y, const platform::ImageRef& image, const std::string& label, int id,
                                const Ref<TWidget>& listener, int translateX, int translateY) {
  auto b = New<TButtonWidget>();
  if (image) b->Resize(x, y, image->Width(), image->Height());
  b->ButtonImage = image;
  b->Label = label;
  b->ID = id;
  b->Listener = listener;
  b->TranslateX = translateX;
  b->TranslateY = translateY;
  return b;
}

// ---- link ----

THyperLink::THyperLink() : NormalColor(CreateColor(40, 40, 40)), OverColor(CreateColor(255, 255, 255)) {}

int THyperLink::Draw() {
  platform::SetScale(1.0f, 1.0f);
  SetBMFont(Font);
  ApplyColor(IsOver ? OverColor : NormalColor);
  DrawTextBox(0, 0, Text, _width, 1, 1);
  return 0;
}

int THyperLink::MouseUp(int) {
  if (IsOver)
    if (auto l = Listener.lock()) l->DePress(ID);
  IsDown = 0;
  return 0;
}

int THyperLink::MouseDown(int) {
  if (!IsDown) {
    ClickSound();
    IsDown = 1;
  }
  return 0;
}

Ref<THyperLink> CreateHyperLink(const std::string& text, const Ref<TBMFont>& font, int id,
                                const Ref<TWidget>& listener) {
  auto l = New<THyperLink>();
  l->Text = text;
  l->Font = font;
  l->ID = id;
  l->Listener = listener;
  return l;
}

// ---- check box ----

int TCheckbox::Draw() {
  platform::SetBlend(platform::ALPHABLEND);
  if (Locked) {
    PushGraphicsState();
    platform::SetAlpha(0.5f);
    platform::SetColor(100, 100, 100);
    if (UnCheckedImage) platform::DrawImage(UnCheckedImage, 0.0f, 0.0f);
    PopGraphicsState();
  } else {
    const platform::ImageRef& image = Checked ? CheckedImage : UnCheckedImage;
    if (image) platform::DrawImage(image, 0.0f, 0.0f);
  }
  return 0;
}

int TCheckbox::SetPosition(int px, int py) { return TWidget::SetPosition(px, py); }

int TCheckbox::MouseUp(int button) {
  if (Locked) return 0;
  if (button == 1 && IsOver) {
    Checked = !Checked;
    if (auto l = Listener.lock()) l->CheckBoxChecked(ID, Checked);
  }
  return 0;
}

Ref<TCheckbox> CreateCheckbox(const platform::ImageRef& imageOn, const platform::ImageRef& imageOff, int state, int x,
                              int y, int id, const Ref<TWidget>& listener) {
  auto c = New<TCheckbox>();
  c->CheckedImage = imageOn;
  c->UnCheckedImage = imageOff;
  c->Checked = state;
  c->ID = id;
  c->Listener = listener;
  c->Resize(x, y, imageOn ? imageOn->Width() : 0, imageOn ? imageOn->Height() : 0);
  return c;
}

// ---- slider ----

namespace {
int WidthOf(const platform::ImageRef& image) { return image ? image->Width() : 0; }
int HeightOf(const platform::ImageRef& image) { return image ? image->Height() : 0; }
}  // namespace

int TScrollBarH::Update(float dt) {
  if (IsOver) {
    OverAlpha += OverAlphaSpeed * dt;
    if (OverAlpha > 1.0f) OverAlpha = 1.0f;
  } else {
    OverAlpha -= OverAlphaSpeed * dt;
    if (OverAlpha < 0.0f) OverAlpha = 0.0f;
  }
  return 0;
}

int TScrollBarH::Draw() {
  const float track = static_cast<float>(WidthOf(Image_Empty));
  const float trackY = static_cast<float>(Height / 2 - HeightOf(Image_Empty) / 2);
  if (Locked) {
    PushGraphicsState();
    platform::SetAlpha(0.5f);
    platform::SetColor(100, 100, 100);
    if (Image_Empty) platform::DrawImage(Image_Empty, Offset_x, trackY);
    PopGraphicsState();
    return 0;
  }
  if (Image_Empty) platform::DrawImage(Image_Empty, Offset_x, trackY);
  PushGraphicsState();
  platform::SetViewport(Int(_x), Int(_y), Int(track * Value + Offset_x), _height);
  if (Image_Full) platform::DrawImage(Image_Full, Offset_x, trackY);
  platform::SetViewport(Int(_x - Offset_x), Int(_y), Int(static_cast<float>(_width) + 2.0f * Offset_x), _height);
  const float mx = track * Value + Offset_x, my = static_cast<float>(Height / 2);
  if (Image_Marker_off) platform::DrawImage(Image_Marker_off, mx, my);
  platform::SetAlpha(OverAlpha);
  if (Image_Marker_on) platform::DrawImage(Image_Marker_on, mx, my);
  PopGraphicsState();
  return 0;
}

int TScrollBarH::SetPosition(int px, int py) {
  Offset_x = static_cast<float>(WidthOf(Image_Marker_off) / 2);
  return Resize(Int(static_cast<float>(px) - Offset_x), py,
                Int(static_cast<float>(WidthOf(Image_Empty)) + Offset_x), Height);
}

int TScrollBarH::MouseMove(int, int) {
  if (Locked || !IsDown) return 0;
  const float track = static_cast<float>(WidthOf(Image_Empty));
  // Without a track there is nothing to slide along (and nothing to divide by).
  if (track <= 0.0f) return 0;
  float p = (Mouse ? Mouse->x : 0.0f) - _x;
  const float half = Offset_x / 2.0f;
  if (p < half) p = half;
  if (p > track + half) p = track + half;
  Value = (p - half) / track;
  if (auto l = Listener.lock()) l->ScrollBarChanged(ID, Value);
  return 0;
}

int TScrollBarH::AddedToManager() {
  if (Image_Marker_off) Image_Marker_off->MidHandle();
  if (Image_Marker_on) Image_Marker_on->MidHandle();
  return 0;
}

int TScrollBarH::MouseUp(int) {
  IsDown = 0;
  return 0;
}

int TScrollBarH::MouseDown(int button) {
  if (button == 1) IsDown = 1;
  return 0;
}

Ref<TScrollBarH> CreateScrollBarH(const platform::ImageRef& empty, const platform::ImageRef& full,
                                  const platform::ImageRef& markerOff, const platform::ImageRef& markerOn, int height,
                                  int id, const Ref<TWidget>& listener) {
  auto s = New<TScrollBarH>();
  s->Image_Empty = empty;
  s->Image_Full = full;
  s->Image_Marker_off = markerOff;
  s->Image_Marker_on = markerOn;
  s->ID = id;
  s->Listener = listener;
  s->Height = height;
  if (HeightOf(empty) > s->Height) s->Height = HeightOf(empty);
  if (HeightOf(markerOff) > s->Height) s->Height = HeightOf(markerOff);
  s->SetPosition(0, 0);
  return s;
}

// ---- list box ----

int TListbox::Draw() {
  if (!List) return 0;
  SetBMFont(Font);
  const float row = static_cast<float>(BMLineHeight()) * 0.8f;
  float rowY = 0.0f;
  int i = 0;
  for (const std::string& s : *List) {
    ++i;
    if (i == Selected) {
      if (!Selector) {
        platform::SetAlpha(0.2f);
        platform::DrawRect(0.0f, rowY, static_cast<float>(_width), row);
        platform::SetAlpha(1.0f);
      } else {
        platform::DrawImage(Selector, static_cast<float>(x + _width / 2), rowY + row / 2.0f + 4.0f);
      }
    }
    SetInk(Ink);
    DrawBMText(s, static_cast<float>(x + _width / 2 - BMTextWidth(s) / 2), rowY);
    platform::SetColor(255, 255, 255);
    rowY += row;
  }
  return 0;
}

int TListbox::AddedToManager() {
  List = New<std::vector<std::string>>();
  return 0;
}

int TListbox::RemovedFromManager() {
  if (List) List->clear();
  Font = nullptr;
  Selector = nullptr;
  return 0;
}

int TListbox::MouseDown(int button) {
  if (button != 1 || !List) return 0;
  const int lineHeight = Font ? Int(double(Font->Height) + Font->Padding[0] + Font->Padding[2]) : 0;
  if (lineHeight <= 0) return 0;
  const int row = Int(((Mouse ? Mouse->y : 0.0f) - _y) / (static_cast<float>(lineHeight) * 0.8f) + 1.0f);
  if (row < static_cast<int>(List->size()) + 1) Selected = row;
  return 0;
}

std::string TListbox::GetSelected() const { return Get(Selected); }

std::string TListbox::Get(int n) const {
  if (!List || n < 1 || n > static_cast<int>(List->size())) return "";
  return (*List)[static_cast<size_t>(n - 1)];
}

// ---- toolkit controls ----

namespace {

// The viewport the manager set for this widget, cut to w x h from its top-left corner.
void NarrowViewport(int w, int h) {
  int vx = 0, vy = 0, vw = 0, vh = 0;
  platform::GetViewport(vx, vy, vw, vh);
  platform::SetViewport(vx, vy, std::min(vw, w), std::min(vh, h));
}

}  // namespace

TLabel::TLabel() : LabelColor(CreateColor(200, 200, 200)) { Clip = 0; }

int TLabel::Draw() {
  platform::SetScale(1.0f, 1.0f);
  if (Font) SetBMFont(Font);
  ApplyColor(LabelColor);
  platform::DrawText(text, _x, _y);
  return 0;
}

int TMessageLabel::Update(float dt) {
  _y += dt * TranslateY;
  PassedTime += dt;
  if (PassedTime > Time && WidgetManager) WidgetManager->RemoveWidget(this);
  return 0;
}

int TMessageLabel::Draw() {
  if (Color) Color->SetCalcColor(Int(PassedTime), Int(Time));
  SetBMFont(Font);
  DrawTextBox(0, 0, Text, _width, JUSTIFY_CENTRE, 1);
  return 0;
}

Ref<TMessageLabel> CreateMessageLabel(const std::string& text, int x, int y, int width, const Ref<TBMFont>& font,
                                      const Ref<TColor>& color, float time, float translateY) {
  auto l = New<TMessageLabel>();
  l->Text = text;
  l->Font = font;
  l->Color = color;
  l->Time = time;
  l->TranslateY = translateY;
  SetBMFont(font);
  l->Height = DrawTextBox(0, 0, text, width, JUSTIFY_CENTRE, 0);
  l->Resize(x - width / 2, y - l->Height / 2, width, l->Height);
  WidgetManager->AddWidget(l);
  return l;
}

int TProgressBar::Update(float dt) {
  switch (AlphaState) {
    case 0:
      if (GameTime > AlphaUpd) AlphaState = 1;
      break;
    case 1:
      Alpha += Speed * dt;
      if (Alpha >= 1.0f) {
        Alpha = 1.0f;
        AlphaState = 2;
      }
      break;
    default:
      Alpha -= Speed * dt;
      if (Alpha <= 0.0f) {
        Alpha = 0.0f;
        AlphaState = 0;
        AlphaUpd = GameTime + Rand(3000, 5000);
      }
      break;
  }
  return 0;
}

int TProgressBar::Draw() {
  PushGraphicsState();
  NarrowViewport(Int(CurWidth), _height);
  if (Image) platform::DrawImage(Image, 0.0f, 0.0f);
  if (ImageLight && Alpha > 0.0f) {
    platform::SetAlpha(Alpha);
    platform::DrawImage(ImageLight, 0.0f, 0.0f);
  }
  PopGraphicsState();
  if (ImageBorder) platform::DrawImage(ImageBorder, 0.0f, 0.0f);
  return 0;
}

int TProgressBar::SetState(float value) {
  if (value > 100.0f) value = 100.0f;
  Progress = value;
  State = value / 100.0f;
  CurWidth = static_cast<float>(_width) * State;
  return 0;
}

int TSimpleProgressBar::Draw() {
  if (ImageBack) platform::DrawImage(ImageBack, 0.0f, 0.0f);
  PushGraphicsState();
  if (VerticalMode) {
    int vx = 0, vy = 0, vw = 0, vh = 0;
    platform::GetViewport(vx, vy, vw, vh);
    const int filled = std::min(vh, Int(CurHeight));
    platform::SetViewport(vx, vy + vh - filled, vw, filled);
  } else {
    NarrowViewport(Int(CurWidth), _height);
  }
  if (ImageFront) platform::DrawImage(ImageFront, 0.0f, 0.0f);
  PopGraphicsState();
  if (ImageBorder) platform::DrawImage(ImageBorder, 0.0f, 0.0f);
  return 0;
}

int TSimpleProgressBar::SetState(float value) {
  if (value > 100.0f) value = 100.0f;
  Progress = value;
  State = value / 100.0f;
  if (VerticalMode)
    CurHeight = static_cast<float>(_height) * State;
  else
    CurWidth = static_cast<float>(_width) * State;
  return 0;
}

}  // namespace kelp
