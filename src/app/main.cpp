// Entry point. Until the start-up sequence exists this opens the 800x600
// window and shows a test card drawn through the platform layer; Escape or
// the close button ends it. "--frames N" runs N frames headless and exits.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/events.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "platform/window.h"

namespace {

using namespace platform;

constexpr int kEscape = 27;

ImageRef Checker(int size, uint32_t a, uint32_t b) {
  auto p = std::make_shared<Pixmap>(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) p->WritePixel(x, y, ((x / 8 + y / 8) & 1) ? a : b);
  return ImageFromPixmap(p, FILTEREDIMAGE);
}

// A soft round spot, white, for tinting and additive glows.
ImageRef Spot(int size) {
  auto p = std::make_shared<Pixmap>(size, size);
  const float r = size * 0.5f;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float d = std::hypot(x + 0.5f - r, y + 0.5f - r) / r;
      const float a = d >= 1 ? 0 : (1 - d) * (1 - d);
      p->WritePixel(x, y, uint32_t(a * 255) << 24 | 0xFFFFFF);
    }
  }
  ImageRef image = ImageFromPixmap(p, FILTEREDIMAGE);
  image->MidHandle();
  return image;
}

// A box with a darker frame and an arrow pointing right, to show turning.
ImageRef Arrow(int size, uint32_t rgb) {
  auto p = std::make_shared<Pixmap>(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const bool frame = x < 3 || y < 3 || x >= size - 3 || y >= size - 3;
      const bool arrow = std::abs(y - size / 2) < (size - x) / 3 && x > size / 3;
      p->WritePixel(x, y, 0xFF000000u | (frame ? (rgb >> 1) & 0x7F7F7F : arrow ? 0xFFFFFF : rgb));
    }
  }
  ImageRef image = ImageFromPixmap(p, FILTEREDIMAGE);
  image->MidHandle();
  return image;
}

struct TestCard {
  ImageRef background = Checker(64, 0xFF203040u, 0xFF283848u);
  ImageRef spot = Spot(64);
  ImageRef arrow = Arrow(48, 0xE04030);
  ImageRef arrow2 = Arrow(48, 0x30A0E0);

  void Draw(int frame) {
    const float t = frame * (1.0f / 55);
    ResetDrawState();
    SetClearColor(0, 0, 0);
    Cls();
    TileImage(background, t * 20, t * 10);

    for (int i = 0; i < 6; ++i) {
      SetTransform(t * 60 + i * 60, 1 + 0.3f * std::sin(t + i), 1 + 0.3f * std::sin(t + i));
      DrawImage(i % 2 ? arrow : arrow2, 120 + i * 110, 120);
    }
    SetTransform(0, 1, 1);

    SetBlend(LIGHTBLEND);
    for (int i = 0; i < 3; ++i) {
      SetColor(i == 0 ? 255 : 40, i == 1 ? 255 : 40, i == 2 ? 255 : 40);
      SetScale(2.5f, 2.5f);
      DrawImage(spot, 400 + 70 * std::cos(t + i * 2.094f), 300 + 70 * std::sin(t + i * 2.094f));
    }
    SetScale(1, 1);
    SetBlend(ALPHABLEND);

    SetColor(240, 200, 60);
    SetAlpha(0.8f);
    DrawOval(60, 420, 120, 80);
    SetColor(90, 200, 120);
    DrawPoly({250, 420, 360, 420, 360, 450, 290, 450, 290, 500, 250, 500});
    SetColor(255, 255, 255);
    SetLineWidth(3);
    DrawLine(420, 420, 560, 500);
    SetRotation(t * 30);
    SetColor(200, 80, 200);
    SetHandle(30, 20);
    DrawRect(670, 460, 60, 40);
    SetHandle(0, 0);
    SetRotation(0);

    SetAlpha(1);
    SetColor(255, 255, 255);
    DrawText("Kelp: platform test card", 20, 20);
    SetColor(180, 180, 180);
    DrawText("Escape closes", 20, 20 + TextHeight("E") + 2);
  }
};

}  // namespace

int main(int argc, char** argv) {
  int frames = -1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) frames = std::max(0, std::atoi(argv[++i]));
  }
  const bool headless = frames >= 0;
  if (!platform::OpenGraphics(800, 600, 0, 60, headless)) return 1;
  {
    TestCard card;
    for (int frame = 0; headless ? frame < frames : true; ++frame) {
      platform::PollEvents();
      if (!headless && (platform::CloseRequested() || platform::KeyHit(kEscape))) break;
      card.Draw(frame);
      platform::Flip(false);
      if (!headless) platform::Delay(16);
    }
  }
  platform::CloseGraphics();
  return 0;
}
