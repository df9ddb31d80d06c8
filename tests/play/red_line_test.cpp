// The red line: the sweep that opens a round and unpauses the level, the
// flicker and wobble, and its band and markers on the canvas.
#include "play/red_line.h"

#include <gtest/gtest.h>

#include "framework/media/anim_image.h"
#include "level_frame_env.h"

namespace kelp {
namespace {

using draw_probe::Solid;
using testsupport::AddAnim;
using testsupport::AddImage;

class RedLineSweep : public frame_test::LevelFrameCanvas {
 protected:
  void SetUp() override {
    LevelFrameCanvas::SetUp();
    AddAnim("IMAGE_PIMPO", Solid(6, 20, 0xFFFF0000u, 2));
    AddImage("IMAGE_RAY", Solid(8, 16, 0xFF4080FFu));
    RedLine->Init();
    game_->Paused = 1;
    game_->PauseState = 1;
  }
  void Step(int frames = 1) {
    Frames(frames, [] { RedLine->Update(1.0f); });
  }
};

TEST_F(RedLineSweep, InitLeavesAShortIdleLineWithItsMarkerPaused) {
  EXPECT_EQ(RedLine->state, 0);
  EXPECT_EQ(RedLine->Length, 30);
  EXPECT_EQ(RedLine->startX, 365);
  EXPECT_FLOAT_EQ(RedLine->accel, 1.5f);
  ASSERT_TRUE(RedLine->Pimpo);
  EXPECT_EQ(RedLine->Pimpo->Paused, 1);
  EXPECT_EQ(RedLine->Pimpo->Mirrored, 1) << "the marker rests on its mirrored frames";
}

TEST_F(RedLineSweep, TheSweepWaitsForItsDelayThenUnpausesTheLevelWhenFullyOpen) {
  RedLine->Start(1800);
  const int start = GameTime;
  while (RedLine->state == 0) {
    Step();
    ASSERT_LT(GameTime, start + 2000);
  }
  EXPECT_GT(GameTime, start + 1800);
  EXPECT_EQ(RedLine->state, 2) << "requested and begun in one update";
  EXPECT_EQ(RedLine->Length, 23);
  EXPECT_EQ(RedLine->starting, 0);

  int frames = 0;
  while (RedLine->state == 2) {
    Step();
    ++frames;
    if (RedLine->state == 2) {
      EXPECT_TRUE(game_->pauses.empty()) << "still paused while the band grows";
    }
    ASSERT_LT(frames, 200);
  }
  EXPECT_EQ(frames, 103);
  EXPECT_EQ(RedLine->state, 3);
  EXPECT_EQ(RedLine->Length, 361);
  EXPECT_EQ(game_->PauseState, 0);
  EXPECT_EQ(game_->pauses, std::vector<int>{0});

  Step(50);
  EXPECT_EQ(game_->pauses, std::vector<int>{0}) << "unpaused once";
  EXPECT_EQ(RedLine->Length, 361);
}

TEST_F(RedLineSweep, AResetLineRestsShortUntilTheNextStart) {
  RedLine->Start(0);
  Step(200);
  ASSERT_EQ(RedLine->state, 3);
  RedLine->state = 0;
  Step(50);
  EXPECT_EQ(RedLine->Length, 23);
  EXPECT_EQ(RedLine->Pimpo->Frame, 0);
  EXPECT_EQ(RedLine->Pimpo->Paused, 1);
}

TEST_F(RedLineSweep, ItFlickersBetweenEightTenthsAndFullAndWobblesOnItsCircle) {
  float lowest = 1.0f;
  for (int k = 0; k < 2000; ++k) {
    Step();
    lowest = std::min(lowest, RedLine->alpha);
    ASSERT_GE(RedLine->alpha, 0.75f);
    ASSERT_LE(RedLine->alpha, 1.0f);
    const float dx = RedLine->currentX - 365.0f, dy = RedLine->currentY;
    ASSERT_NEAR(dx * dx + dy * dy, 9.0f, 0.01f);
    ASSERT_GE(RedLine->angle, 0.0f);
    ASSERT_LE(RedLine->angle, 360.0f);
  }
  EXPECT_LT(lowest, 0.85f) << "it does flicker";
}

TEST_F(RedLineSweep, TheBandLightsTheCriticalLineBetweenItsMarkers) {
  RedLine->Start(0);
  Step(200);
  RedLine->angle = 0.0f;  // centre (365, -3): the band's top at 200 + 3 + 9
  RedLine->currentX = 365.0f;
  RedLine->currentY = 3.0f;
  RedLine->alpha = 1.0f;
  RedLine->Draw();
  const platform::Pixmap shot = Grab();
  // The band: x from 365 + 9 - 180 = 194 for 361, y from 200 - 3 + 9 = 206 for 16.
  EXPECT_EQ(draw_probe::RGB(shot, 200, 210), 0x4080FFu);
  EXPECT_EQ(draw_probe::RGB(shot, 550, 221), 0x4080FFu);
  EXPECT_EQ(draw_probe::RGB(shot, 200, 204), 0u) << "clipped above";
  EXPECT_EQ(draw_probe::RGB(shot, 200, 223), 0u) << "clipped below";
  EXPECT_EQ(draw_probe::RGB(shot, 192, 210), 0u) << "clipped left";
  EXPECT_EQ(draw_probe::RGB(shot, 556, 210), 0u) << "clipped right";
  // The markers at both ends, from y 197, each 6 wide from its x.
  EXPECT_EQ(draw_probe::RGB(shot, 187, 199), 0xFF0000u);
  EXPECT_EQ(draw_probe::RGB(shot, 547, 199), 0xFF0000u);
  EXPECT_EQ(draw_probe::RGB(shot, 544, 199), 0u) << "the mirrored marker stands where the plain one would";
  EXPECT_EQ(RedLine->Pimpo->Mirrored, 1) << "the marker is left as it was";
  int vx, vy, vw, vh;
  platform::GetViewport(vx, vy, vw, vh);
  EXPECT_EQ(vw, 800) << "the viewport is restored";
}

}  // namespace
}  // namespace kelp
