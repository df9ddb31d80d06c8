#pragma once
// The standard controls: images, animated images, push buttons, text links,
// check boxes, a horizontal slider and a list box. A control that reports
// calls its Listener's report operation with its ID. Controls draw clipped,
// with (0, 0) at their top-left corner.
#include <functional>
#include <string>
#include <vector>

#include "framework/ui/text_ink.h"
#include "framework/ui/widget.h"
#include "platform/graphics_state.h"
#include "platform/image.h"

namespace kelp {

class TAnimImage;
class TBMFont;
class TColor;

// Played by buttons and links when pressed, with ("SOUND_BT_CLICK", 0, 0).
using TClickSoundHook = std::function<int(const std::string& sound, float volume, int repeat)>;
int DefaultClickSoundHook(const std::string& sound, float volume, int repeat);
extern TClickSoundHook ClickSoundHook;

class TImageWidget : public TWidget {
 public:
  TImageWidget() { MouseSensetive = 0; }
  platform::ImageRef Image;
  int Blend = 3;
  int Draw() override;
};

Ref<TImageWidget> CreateImageWidget(const platform::ImageRef& image, int x, int y, int add);

class TAnimImageWidget : public TWidget {
 public:
  TAnimImageWidget() { MouseSensetive = 0; }
  Ref<TAnimImage> Anim;
  int Update(float dt) override;
  int Draw() override;
};

class TButtonWidget : public TWidget {
 public:
  int ID = 0;
  platform::ImageRef ButtonImage;
  platform::ImageRef OverImage;
  platform::ImageRef DownImage;
  platform::ImageRef LockedImage;
  WeakRef<TWidget> Listener;
  platform::ImageFontRef Font;
  float OverAlpha = 0.0f;
  float OverAlphaSpeed = 0.1f;
  int IsDown = 0;
  int TranslateX = 0, TranslateY = 0;
  int locked = 0;
  Ref<TAnimImage> Anim;  // frame 0 normal, 1 hover, 2 pressed
  int Frame = 0;
  std::string Label;
  int LabelJustify = 2;  // 1 left, 2 centred, 3 right
  int LabelYDef = 0;
  int blink = 0;  // 0 none, 1 glow rising, 2 glow falling
  int blink_time = 0;
  int blink_pause = 200;
  uint8_t sound = 0;

  int Update(float dt) override;
  int Draw() override;
  int MouseLeave() override;
  int MouseEnter() override;
  int MouseUp(int button) override;
  int MouseDown(int button) override;
  int SetHided(int flag) override;
  // Takes the animation's frame size.
  virtual int SetAnim(const Ref<TAnimImage>& anim);
};

Ref<TButtonWidget> CreateButton(int x, int y, const platform::ImageRef& image, const std::string& label, int id,
                                const Ref<TWidget>& listener, int translateX, int translateY);

class THyperLink : public TWidget {
 public:
  THyperLink();
  std::string Text;
  Ref<TColor> NormalColor;
  Ref<TColor> OverColor;
  Ref<TBMFont> Font;
  WeakRef<TWidget> Listener;
  int ID = 0;
  int IsDown = 0;

  int Draw() override;
  int MouseUp(int button) override;
  int MouseDown(int button) override;
};

Ref<THyperLink> CreateHyperLink(const std::string& text, const Ref<TBMFont>& font, int id,
                                const Ref<TWidget>& listener);

class TCheckbox : public TWidget {
 public:
  platform::ImageRef CheckedImage;
  platform::ImageRef UnCheckedImage;
  int Checked = 0;
  WeakRef<TWidget> Listener;
  int ID = 0;
  int Locked = 0;

  int Draw() override;
  int SetPosition(int px, int py) override;
  int MouseUp(int button) override;
};

Ref<TCheckbox> CreateCheckbox(const platform::ImageRef& imageOn, const platform::ImageRef& imageOff, int state, int x,
                              int y, int id, const Ref<TWidget>& listener);

class TScrollBarH : public TWidget {
 public:
  platform::ImageRef Image_Empty;
  platform::ImageRef Image_Full;
  platform::ImageRef Image_Marker_off;
  platform::ImageRef Image_Marker_on;
  float Value = 0.0f;  // 0 to 1
  int Height = 0;
  float Offset_x = 0.0f;  // half the marker width
  WeakRef<TWidget> Listener;
  int ID = 0;
  int IsDown = 0;
  float OverAlpha = 0.0f;
  float OverAlphaSpeed = 0.1f;
  int Locked = 0;

  int Update(float dt) override;
  int Draw() override;
  int SetPosition(int px, int py) override;
  int MouseMove(int dx, int dy) override;
  int AddedToManager() override;
  int MouseUp(int button) override;
  int MouseDown(int button) override;
};

Ref<TScrollBarH> CreateScrollBarH(const platform::ImageRef& empty, const platform::ImageRef& full,
                                  const platform::ImageRef& markerOff, const platform::ImageRef& markerOn, int height,
                                  int id, const Ref<TWidget>& listener);

class TListbox : public TWidget {
 public:
  Ref<TBMFont> Font;
  Ref<std::vector<std::string>> List;  // made when added; the owner fills it
  int Selected = 1;                    // 1-based row
  platform::ImageRef Selector;
  TextInk Ink = kInkOnDark;            // the rows, on the list's dark board and the selector

  int Draw() override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  int MouseDown(int button) override;
  // The selected string, or "" when there is none.
  std::string GetSelected() const;
  // The n-th string counting from 1, or "".
  std::string Get(int n) const;
};

// Toolkit controls no screen of the game uses.

// A line of text in canvas coordinates, drawn with the image font.
class TLabel : public TWidget {
 public:
  TLabel();
  std::string text;
  Ref<TColor> LabelColor;
  Ref<TBMFont> Font;
  int id = 0;

  int Draw() override;
};

// A wrapped text that drifts by TranslateY per unit of frame factor, blends
// its colour over Time and leaves the manager once Time has passed.
class TMessageLabel : public TWidget {
 public:
  std::string Text;
  int Height = 0;
  float TranslateY = 0.0f;
  float Time = 0.0f;
  float PassedTime = 0.0f;
  Ref<TColor> Color;
  Ref<TBMFont> Font;

  int Update(float dt) override;
  int Draw() override;
};

// A label width pixels wide centred on (x, y), added to the manager.
Ref<TMessageLabel> CreateMessageLabel(const std::string& text, int x, int y, int width, const Ref<TBMFont>& font,
                                      const Ref<TColor>& color, float time, float translateY);

// A bar filled to Progress percent, with a light strip that pulses now and then.
class TProgressBar : public TWidget {
 public:
  platform::ImageRef Image;
  platform::ImageRef ImageLight;
  platform::ImageRef ImageBorder;
  float State = 0.0f;  // 0..1
  float CurWidth = 0.0f;
  float Alpha = 0.0f;  // of the light strip
  float Speed = 0.005f;
  int AlphaState = 0;  // 0 resting at zero, 1 rising, 2 falling
  int AlphaUpd = 0;    // GameTime the rest ends
  float Progress = 0.0f;

  int Update(float dt) override;
  int Draw() override;
  // Percent, at most 100.
  virtual int SetState(float value);
};

// A bar filled to Progress percent, left to right or (vertical) bottom up.
class TSimpleProgressBar : public TWidget {
 public:
  platform::ImageRef ImageFront;
  platform::ImageRef ImageBack;
  platform::ImageRef ImageBorder;
  int VerticalMode = 0;
  float State = 0.0f;  // 0..1
  float CurWidth = 0.0f;
  float CurHeight = 0.0f;
  float Progress = 0.0f;

  int Draw() override;
  // Percent, at most 100.
  virtual int SetState(float value);
};

}  // namespace kelp
