#include "framework/ui/mouse.h"

#include <algorithm>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/core/path.h"
#include "framework/files/log.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "platform/cursor.h"
#include "platform/draw.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "platform/stream.h"
#include "platform/window.h"

namespace kelp {

float MouseSensitivity = 0.5f;
int CustomCursor = 0;
int FullScreenMode = 0;

Ref<TMouse> Mouse;

namespace {

float CenterX() { return static_cast<float>(VirtualCenterX); }
float CenterY() { return static_cast<float>(VirtualCenterY); }

// A press and its release between two updates count as a press followed
// by a release, so the click is not lost.
void ReadButton(platform::ButtonLatch& latch, int& down, int& up, int& hit) {
  const platform::ButtonChange c = latch.Poll();
  hit = c.presses;
  if (c.down) {
    down = 1;
    up = 0;
  } else if (down || c.presses > 0) {
    down = 0;
    up = 1;
  }
}

bool InsideScreen(float px, float py) {
  return px >= 0.0f && px <= static_cast<float>(VirtualWidth) && py >= 0.0f &&
         py <= static_cast<float>(VirtualHeight);
}

void ClampToScreen(float& x, float& y) {
  x = std::clamp(x, 0.0f, static_cast<float>(VirtualWidth));
  y = std::clamp(y, 0.0f, static_cast<float>(VirtualHeight));
}

}  // namespace

void TMouse::Flush() {
  Bt1Down = Bt2Down = 0;
  Bt1Up = Bt2Up = 0;
  dx = dy = 0.0f;
}

void TMouse::DefaultInit() { Init(platform::CURSOR_ARROW, "IMAGE_GUI_CURSOR_01", CURSOR_KIND_NORMAL); }

// The busy cursor has a kind of its own: sharing the normal cursor's kind, it
// would never show over it.
void TMouse::BusyInit() { Init(platform::CURSOR_WAIT, "IMAGE_CURSOR_BUSY", CURSOR_KIND_BUSY); }

void TMouse::SystemInit() {
  system = 1;
  Init(platform::CURSOR_ARROW, "", CURSOR_KIND_SYSTEM);
}

void TMouse::CustomInit() {
  ID = 0;
  custom = 0;
  system = 0;
  old_custom = 0;
  Init(platform::CURSOR_ARROW, "IMAGE_GUI_CURSOR_01", CURSOR_KIND_NORMAL);
}

void TMouse::SetSens(float value) { sensivity = value; }

void TMouse::Init(int systemCursor, const std::string& picture, int kind) {
  if (kind == ID) return;
  const int was_custom = custom;
  ID = kind;

  image = std::monostate{};
  if (!system && ResManager && !picture.empty()) {
    // Anything but an image or an animated image counts as no picture.
    const Ref<TRes> res = ResManager->GetRes(picture);
    if (As<TResAnimImage>(res)) {
      Ref<TAnimImage> anim = TAnimImage::Load2(picture, -1);
      if (anim && anim->Image) image = anim;
    } else if (As<TResImage>(res)) {
      if (const auto* img = std::get_if<platform::ImageRef>(&res->Data); img && *img) image = *img;
    }
  }
  custom = std::holds_alternative<std::monostate>(image) ? 0 : 1;

  if (custom) {
    platform::HidePointer();
  } else {
    SetClassCursor(systemCursor);
    platform::ShowPointer();
  }

  if (custom && !was_custom) {
    x = platform::MouseX();
    y = platform::MouseY();
    out = 0;
    platform::SetRelativeMouse(true);
    platform::MoveMouse(CenterX(), CenterY());
  } else if (!custom && was_custom) {
    out = 0;
    platform::SetRelativeMouse(false);
    platform::MoveMouse(x, y);
  }
}

void TMouse::Update(float factor) {
  if (AppPaused) {
    resync_ = true;
    return;
  }

  ReadButton(button1_, Bt1Down, Bt1Up, Bt1Hit);
  ReadButton(button2_, Bt2Down, Bt2Up, Bt2Hit);

  const float px = platform::MouseX(), py = platform::MouseY();
  if (!out) {
    if (custom) {
      if (!platform::AppHasFocus()) {
        // Without the focus the pointer is the system's: its position says
        // nothing about the game cursor, and it must not be pulled back.
        dx = dy = 0.0f;
        resync_ = true;
      } else {
        if (resync_) {
          dx = dy = 0.0f;
          resync_ = false;
        } else {
          dx = (px - CenterX()) * sensivity;
          dy = (py - CenterY()) * sensivity;
        }
        platform::MoveMouse(CenterX(), CenterY());
      }
      x += dx * factor;
      y += dy * factor;
    } else {
      dx = px - x;
      dy = py - y;
      x = px;
      y = py;
    }
  }

  if (!FreeMove) {
    const float ox = x, oy = y;
    ClampToScreen(x, y);
    if (!custom && (x != ox || y != oy)) platform::MoveMouse(x, y);
  }

  if (FullScreenMode && out) {
    // Gone full screen while the system had the pointer: take it back.
    out = 0;
    if (custom) {
      platform::SetRelativeMouse(true);
      platform::MoveMouse(CenterX(), CenterY());
    }
  }
  if (!FullScreenMode) {
    if (out && platform::MouseInWindow() && InsideScreen(px, py)) {
      out = 0;
      if (custom) {
        x = px;
        y = py;
        dx = dy = 0.0f;
        platform::SetRelativeMouse(true);
        platform::MoveMouse(CenterX(), CenterY());
      }
    }
    if (custom && !out) {
      const int ix = Int(x), iy = Int(y);
      if (ix < 0 || ix > VirtualWidth || iy < 0 || iy > VirtualHeight) {
        // Past the window's edge: the system takes the pointer from here.
        platform::SetRelativeMouse(false);
        platform::MoveMouse(x, y);
        out = 1;
      }
    }
  }

  if (custom) ClampToScreen(x, y);
}

void TMouse::Hide() {
  if (hided) return;
  hided = 1;
  if (!custom) platform::HidePointer();
}

void TMouse::Show() {
  if (!hided) return;
  hided = 0;
  if (!custom) platform::ShowPointer();
}

void TMouse::Center() {
  x = CenterX();
  y = CenterY();
  platform::MoveMouse(x, y);
}

void TMouse::Move(float x_, float y_) {
  x = x_;
  y = y_;
  dx = dy = 0.0f;
  if (custom) {
    platform::MoveMouse(CenterX(), CenterY());
  } else {
    platform::MoveMouse(x, y);
  }
}

void TMouse::Position(float x_, float y_) { Move(x_, y_); }

void TMouse::Draw() {
  if (hided || !custom) return;
  PushGraphicsState();
  platform::SetOrigin(0.0f, 0.0f);
  if (const auto* anim = std::get_if<Ref<TAnimImage>>(&image)) {
    (*anim)->Draw(x, y);
  } else if (const auto* img = std::get_if<platform::ImageRef>(&image)) {
    platform::DrawImage(*img, static_cast<float>(Int(x)), static_cast<float>(Int(y)), 0);
  }
  PopGraphicsState();
}

void InitCursor() {
  if (!Mouse) Mouse = New<TMouse>();
  if (CustomCursor) {
    Mouse->custom = 0;
    Mouse->system = 0;
    Mouse->Init(platform::CURSOR_ARROW, "IMAGE_GUI_CURSOR_01", CURSOR_KIND_NORMAL);
  } else {
    Mouse->custom = 1;
    Mouse->SystemInit();
  }
  Mouse->SetSens(MouseSensitivity + 0.5f);
  Mouse->Center();
}

// ---- window ----------------------------------------------------------------

namespace {

uint32_t Le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// A bitmap entry: a BITMAPINFOHEADER, the colour rows bottom-up, then (for
// 24 bits) the 1-bit transparency mask.
platform::PixmapRef ReadIconBitmap(const std::vector<uint8_t>& b, size_t at, size_t size) {
  if (size < 40) return nullptr;
  const uint32_t header = Le32(b, at);
  const int32_t width = static_cast<int32_t>(Le32(b, at + 4));
  const int32_t height = static_cast<int32_t>(Le32(b, at + 8)) / 2;  // colour and mask stacked
  const uint32_t bits = Le16(b, at + 14);
  const uint32_t compression = Le32(b, at + 16);
  if (header < 40 || header > size || compression != 0 || (bits != 24 && bits != 32)) return nullptr;
  if (width <= 0 || height <= 0 || width > 1024 || height > 1024) return nullptr;
  const size_t row = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  const size_t mask_row = ((static_cast<size_t>(width) + 31) / 32) * 4;
  const size_t colour = at + header;
  const size_t mask = colour + row * height;
  const bool has_mask = mask + mask_row * height <= at + size;
  if (mask > at + size) return nullptr;

  auto pixmap = std::make_shared<platform::Pixmap>(width, height);
  bool any_alpha = false;
  for (int y = 0; y < height; ++y) {
    const size_t src = colour + row * static_cast<size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const size_t p = src + static_cast<size_t>(x) * (bits / 8);
      uint32_t a = bits == 32 ? b[p + 3] : 255;
      if (a) any_alpha = true;
      pixmap->WritePixel(x, y, (a << 24) | (b[p + 2] << 16) | (b[p + 1] << 8) | b[p]);
    }
  }
  // Old icons leave the alpha bytes 0 and carry their shape in the mask.
  const bool use_mask = has_mask && (bits == 24 || !any_alpha);
  for (int y = 0; y < height; ++y) {
    const size_t src = mask + mask_row * static_cast<size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      uint32_t argb = pixmap->ReadPixel(x, y);
      if (bits == 32 && !any_alpha) argb |= 0xFF000000u;
      if (use_mask && (b[src + x / 8] & (0x80 >> (x % 8)))) argb = 0;
      pixmap->WritePixel(x, y, argb);
    }
  }
  return pixmap;
}

}  // namespace

platform::PixmapRef ReadIconFile(const std::vector<uint8_t>& b) {
  if (b.size() < 6 + 16 || Le16(b, 0) != 0 || Le16(b, 2) != 1 || Le16(b, 4) == 0) return nullptr;
  const size_t size = Le32(b, 6 + 8), offset = Le32(b, 6 + 12);
  if (offset >= b.size() || size > b.size() - offset) return nullptr;
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 8 && std::equal(kPng, kPng + 8, b.begin() + static_cast<std::ptrdiff_t>(offset))) {
    auto stream = platform::OpenMemory(std::vector<uint8_t>(b.begin() + static_cast<std::ptrdiff_t>(offset),
                                                            b.begin() + static_cast<std::ptrdiff_t>(offset + size)));
    return platform::LoadPixmap(*stream);
  }
  return ReadIconBitmap(b, offset, size);
}

void SetWindowIconFromFile(const std::string& file) {
  platform::PixmapRef icon;
  if (platform::StreamRef s = platform::OpenFileRead(file)) icon = ReadIconFile(s->ReadAll());
  if (!icon) {
    const std::string png = WithExtension(file, "png");
    if (platform::IsFile(png)) icon = platform::LoadPixmap(png);
  }
  if (!icon) {
    WriteLog("No window icon in \"" + file + "\"", LOG_WARNING);
    return;
  }
  platform::SetWindowIcon(icon);
}

void CenterActiveWindow() { CenterWindow(); }

void CenterWindow() { platform::CentreWindow(); }

void SetClassCursor(int systemCursor) { platform::SetSystemCursor(systemCursor); }

void HideCursorFlushInput() {
  if (Mouse) {
    Mouse->Hide();
    Mouse->Flush();
  }
  platform::FlushKeys();
  platform::FlushMouse();
}

}  // namespace kelp
