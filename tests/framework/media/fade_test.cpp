#include "framework/media/fade.h"

#include <gtest/gtest.h>

#include "framework/media/canvas_placement.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/window.h"
#include "reset_rooms.h"

namespace kelp {
namespace {

class Fade : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::ResetMediaRooms(); }
  void TearDown() override { testsupport::ResetMediaRooms(); }
};

TEST_F(Fade, InitStartsAnOverlayOverTheWholeVirtualScreen) {
  VirtualWidth = 960;
  auto f = TFade::Create(0.25f, 0.01f, 0.8f);
  ASSERT_EQ(VisualsList.First(), f);
  EXPECT_EQ(f->alpha, 0.25f);
  EXPECT_EQ(f->speed, 0.01f);
  EXPECT_EQ(f->max_alpha, 0.8f);
  EXPECT_EQ(f->Over, 1);
  EXPECT_EQ(f->set, 1);
  EXPECT_EQ(f->pause, 0);
  EXPECT_EQ(FadeWidth, 960);
  EXPECT_EQ(FadeHeight, 600);
  // Each start variant does the same.
  f->pause = 1;
  f->set = 0;
  f->InitOut(1.0f, -0.03f, 1.0f);
  EXPECT_EQ(f->pause, 0);
  EXPECT_EQ(f->set, 1);
  EXPECT_EQ(f->alpha, 1.0f);
  EXPECT_EQ(f->speed, -0.03f);
}

TEST_F(Fade, ReachesItsEndsExactlyAndStaysThere) {
  struct Row {
    float alpha, speed, max, end;
  };
  const Row rows[] = {
      {1.0f, -0.01f, 1.0f, 0.0f},  // clearing
      {0.0f, 0.008f, 1.0f, 1.0f},  // darkening
      {0.0f, 0.004f, 0.5f, 0.5f},  // to a partial maximum
      {0.7f, -0.08f, 1.0f, 0.0f},
      {0.0f, 0.08f, 1.0f, 1.0f},
  };
  for (const Row& r : rows) {
    TFade f;
    f.Init(r.alpha, r.speed, r.max);
    for (int k = 0; k < 400; ++k) f.Update(1.0f);
    EXPECT_EQ(f.alpha, r.end) << r.alpha << " " << r.speed;
    f.Update(3.0f);
    EXPECT_EQ(f.alpha, r.end);
  }
}

TEST_F(Fade, StepsByTheFrameFactorAndFreezesWhilePaused) {
  TFade f;
  f.Init(0.0f, 0.04f, 1.0f);
  f.Update(2.0f);
  EXPECT_FLOAT_EQ(f.alpha, 0.08f);
  f.pause = 1;
  f.Update(5.0f);
  EXPECT_FLOAT_EQ(f.alpha, 0.08f);
}

TEST_F(Fade, PauseAndResumeRestoreEveryValue) {
  TFade f;
  f.Init(0.3f, 0.02f, 0.9f);
  f.Over = 0;
  f.set = 0;
  f.pause = 1;
  f.SetPaused(1);
  // The pause screen borrows the fade for its own.
  f.Init(0.0f, 0.08f, 1.0f);
  f.Update(1.0f);
  f.SetPaused(1);  // already paused: the saved values stay
  f.Init(0.7f, -0.08f, 1.0f);
  f.SetPaused(0);
  EXPECT_EQ(f.alpha, 0.3f);
  EXPECT_EQ(f.speed, 0.02f);
  EXPECT_EQ(f.max_alpha, 0.9f);
  EXPECT_EQ(f.Over, 0);
  EXPECT_EQ(f.set, 0);
  EXPECT_EQ(f.pause, 1);
  EXPECT_EQ(f.paused, 0);
  // Resuming again changes nothing.
  f.alpha = 0.5f;
  f.SetPaused(0);
  EXPECT_EQ(f.alpha, 0.5f);
}

TEST_F(Fade, TheSharedFadeSurvivesClearingTheEffects) {
  ScreenFade = New<TFade>();
  ScreenFade->Constant = 1;
  VisualsList.AddLast(ScreenFade);
  TFade::Create(0.0f, 0.1f, 1.0f);
  TVisuals::ClearVisuals();
  ASSERT_EQ(VisualsList.Count(), 1u);
  EXPECT_EQ(VisualsList.First(), ScreenFade);
  ScreenFade = nullptr;
}

TEST_F(Fade, DrawsABlackVeilUnlessPausedOrClear) {
  ASSERT_TRUE(platform::OpenGraphics(800, 600, 0, 60, true));
  platform::ResetDrawState();
  auto white = [] {
    platform::SetViewport(0, 0, 800, 600);
    platform::SetOrigin(0, 0);
    platform::SetBlend(2);
    platform::SetAlpha(1.0f);
    platform::SetColor(255, 255, 255);
    platform::DrawRect(0, 0, 800, 600);
  };
  auto corner_and_centre = [] {
    auto p = platform::GrabCanvas();
    return std::make_pair(p->ReadPixel(0, 0) & 0xFFFFFF, p->ReadPixel(799, 599) & 0xFFFFFF);
  };
  TFade f;
  f.Init(1.0f, 0.0f, 1.0f);
  // Whatever viewport and origin were set, the veil covers the whole screen.
  white();
  platform::SetViewport(100, 100, 10, 10);
  platform::SetOrigin(50, 50);
  f.Draw();
  EXPECT_EQ(corner_and_centre(), std::make_pair(0u, 0u));
  int vx, vy, vw, vh;
  platform::GetViewport(vx, vy, vw, vh);
  EXPECT_EQ(vx, 100);  // the caller's state is back
  // Half dark.
  white();
  f.alpha = 0.5f;
  f.Draw();
  const uint32_t half = corner_and_centre().first;
  EXPECT_NEAR(static_cast<int>(half & 0xFF), 128, 3);
  // Paused or clear: nothing.
  for (auto [alpha, pause] : {std::pair{1.0f, 1}, std::pair{0.0f, 0}}) {
    white();
    f.alpha = alpha;
    f.pause = pause;
    f.Draw();
    EXPECT_EQ(corner_and_centre(), std::make_pair(0xFFFFFFu, 0xFFFFFFu));
  }
  platform::CloseGraphics();
}

}  // namespace
}  // namespace kelp
