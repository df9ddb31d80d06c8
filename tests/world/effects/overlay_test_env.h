#pragma once
// Shared set-up for the tests of the timed overlays and small effects: every
// room's globals at their start values, a set game clock and a seeded
// generator; an in-memory bitmap font; and a headless canvas with the same
// clean start.
#include <gtest/gtest.h>

#include <memory>

#include "draw_probe.h"
#include "effects_rooms.h"
#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/bmfont.h"
#include "framework/media/visuals.h"
#include "platform/image.h"

namespace overlay_env {

// Every character from ' ' to '~' plus U+00E9: an 8 x 10 white glyph that
// advances `advance` pixels; no padding.
inline kelp::Ref<kelp::TBMFont> MakeFont(int advance = 10) {
  auto font = kelp::New<kelp::TBMFont>();
  auto page = std::make_shared<platform::Pixmap>(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) page->WritePixel(x, y, 0xFFFFFFFFu);
  font->Pages.push_back(platform::ImageFromPixmap(page, 0));
  auto add = [&](int code) {
    auto c = kelp::New<kelp::TBMChar>();
    c->id = code;
    c->width = 8;
    c->height = 10;
    c->xadvance = advance;
    font->Chars.push_back(c);
  };
  for (int code = 32; code < 127; ++code) add(code);
  add(0xE9);
  font->Height = 12;
  font->CharCount = static_cast<int>(font->Chars.size());
  font->PageCount = 1;
  return font;
}

class Overlay : public ::testing::Test {
 protected:
  void SetUp() override {
    effects_test::ResetRooms();
    kelp::SeedRnd(20240601u);
    kelp::GameTime = 5000000;
  }
  void TearDown() override { effects_test::ResetRooms(); }
  // One pass of the effects list, with the clock moved on first.
  static void Frame(float dt = 1.0f, int ms = 18) {
    kelp::GameTime += ms;
    kelp::TVisuals::UpdateVisuals(dt);
  }
  static bool Listed(const kelp::TVisuals* v) { return kelp::VisualsList.Contains(v); }
};

// A headless 800x600 canvas cleared to black, every room's globals at their
// start values.
class OverlayCanvas : public draw_probe::Canvas {
 protected:
  void SetUp() override {
    effects_test::ResetRooms();
    draw_probe::Canvas::SetUp();
  }
  void TearDown() override {
    effects_test::ResetRooms();
    draw_probe::Canvas::TearDown();
  }
};

}  // namespace overlay_env
