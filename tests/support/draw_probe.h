#pragma once
// Reading back what was drawn on the headless canvas: lit boxes and pixel
// colours. The software renderer snaps edges to whole pixels, so boxes are
// compared within a pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/image.h"
#include "platform/window.h"

namespace draw_probe {

struct Box {
  int x0, y0, x1, y1;  // x1, y1 exclusive; x0 >= x1 when nothing is lit
};

// The bounding box of the pixels that differ from black.
inline Box LitBox(const platform::Pixmap& p) {
  Box box{p.Width(), p.Height(), 0, 0};
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) {
      if ((p.ReadPixel(x, y) & 0xFFFFFF) == 0) continue;
      box.x0 = std::min(box.x0, x);
      box.y0 = std::min(box.y0, y);
      box.x1 = std::max(box.x1, x + 1);
      box.y1 = std::max(box.y1, y + 1);
    }
  return box;
}

inline bool IsBlank(const platform::Pixmap& p) {
  const Box b = LitBox(p);
  return b.x0 >= b.x1;
}

inline void ExpectBox(const Box& got, const Box& want, const std::string& what, int tolerance = 1) {
  EXPECT_NEAR(got.x0, want.x0, tolerance) << what;
  EXPECT_NEAR(got.y0, want.y0, tolerance) << what;
  EXPECT_NEAR(got.x1, want.x1, tolerance) << what;
  EXPECT_NEAR(got.y1, want.y1, tolerance) << what;
}

inline bool Lit(const platform::Pixmap& p, int x, int y) { return (p.ReadPixel(x, y) & 0xFFFFFF) != 0; }

// RGB of a pixel as 0xRRGGBB.
inline uint32_t RGB(const platform::Pixmap& p, int x, int y) { return p.ReadPixel(x, y) & 0xFFFFFF; }

inline platform::ImageRef Solid(int w, int h, uint32_t argb, int frames = 1) {
  auto image = platform::CreateImage(w, h, frames, 0);
  for (int f = 0; f < frames; ++f) {
    auto p = std::make_shared<platform::Pixmap>(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) p->WritePixel(x, y, argb);
    image->SetFrame(f, p);
  }
  return image;
}

// A headless 800x600 canvas with the default draw state, cleared to black.
class Canvas : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::OpenGraphics(800, 600, 0, 60, true));
    platform::ResetDrawState();
    platform::Cls();
  }
  void TearDown() override {
    platform::ResetDrawState();
    platform::CloseGraphics();
  }
  static platform::Pixmap Grab() {
    platform::PixmapRef p = platform::GrabCanvas();
    return p ? *p : platform::Pixmap(1, 1);
  }
};

}  // namespace draw_probe
