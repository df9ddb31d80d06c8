#pragma once
// A clean stage for the level-play effects: every global of the rooms they
// touch at its start value, a set game clock, a seeded generator, the hooks
// of the effects, a level interface to receive emitters, and the resources
// the effects bind (plain white images, a dust and a sparking effect).
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "draw_probe.h"
#include "effects_rooms.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "framework/media/visuals.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/image.h"
#include "platform/window.h"
#include "test_resources.h"
#include "village/village.h"
#include "world/effects/effects_hooks.h"
#include "world/game_interface.h"
#include "world/resource_bindings.h"
#include "world/village_state.h"

namespace kelp::play_test {

using draw_probe::Solid;
using testsupport::AddAnim;
using testsupport::AddImage;

// An effect that spawns `burst` particles at once and then stops.
inline Ref<TEffect> BurstEffect(int lifetime) {
  auto e = New<TEffect>();
  e->GenSpeed = 1000.0f;
  e->TimeOut = 10;
  e->Lifetime[0] = e->Lifetime[1] = lifetime;
  return e;
}

class PlayEffects : public ::testing::Test {
 protected:
  void SetUp() override {
    effects_test::ResetRooms();
    SeedRnd(1234);
    GameTime = 1000000;
    InitFrameClock();
    InitEffectsHooks();
    ImageFlash = Solid(8, 8, 0xFFFFFFFFu, 14);
    ImageLight = Solid(8, 8, 0xFFFFFFFFu);
    ImageRedLamp = Solid(8, 8, 0xFFFFFFFFu);
    EffectDust = BurstEffect(500);
    EffectSparking = BurstEffect(500);
    GameInterface = New<TGameInterface>();
  }
  void TearDown() override {
    effects_test::ResetRooms();
    platform::ResetDrawState();
  }
  template <class T>
  static int CountOf() {
    int n = 0;
    for (const Ref<TVisuals>& v : VisualsList)
      if (As<T>(v)) ++n;
    return n;
  }
  template <class T>
  static Ref<T> LastOf() {
    Ref<T> last;
    for (const Ref<TVisuals>& v : VisualsList)
      if (auto t = As<T>(v)) last = t;
    return last;
  }
};

// The same on a headless 800x600 canvas cleared to black.
class PlayEffectsCanvas : public PlayEffects {
 protected:
  void SetUp() override {
    PlayEffects::SetUp();
    ASSERT_TRUE(platform::OpenGraphics(800, 600, 0, 60, true));
    platform::ResetDrawState();
    platform::Cls();
  }
  void TearDown() override {
    platform::CloseGraphics();
    PlayEffects::TearDown();
  }
  static uint32_t Pixel(int x, int y) {
    platform::PixmapRef p = platform::GrabCanvas();
    return p ? p->ReadPixel(x, y) & 0xFFFFFF : 0;
  }
};

}  // namespace kelp::play_test
