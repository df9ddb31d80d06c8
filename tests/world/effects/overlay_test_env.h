#pragma once
// Shared set-up for the tests of the timed overlays and small effects: every
// room's globals at their start values, a set game clock and a seeded
// generator; and a headless canvas with the same clean start.
#include <gtest/gtest.h>

#include "draw_probe.h"
#include "effects_rooms.h"
#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/bmfont.h"
#include "framework/media/visuals.h"
#include "platform/image.h"
#include "test_font.h"

namespace overlay_env {

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
