#include "world/effects/fade2.h"

#include "draw_probe.h"
#include "framework/media/canvas_placement.h"
#include "overlay_test_env.h"

namespace kelp {
namespace {

class Fade2 : public overlay_env::Overlay {
 protected:
};

TEST_F(Fade2, IsAPlainObjectOutsideTheEffectsList) {
  VirtualWidth = 960;
  auto f = TFade2::Create(0.2f, 0.01f, 0.7f);
  EXPECT_EQ(VisualsList.Count(), 0u);
  EXPECT_EQ(f->alpha, 0.2f);
  EXPECT_EQ(f->speed, 0.01f);
  EXPECT_EQ(f->max_alpha, 0.7f);
  EXPECT_EQ(f->set, 1);
  EXPECT_EQ(f->pause, 0);
  EXPECT_EQ(TFade2::Width, 960);
  EXPECT_EQ(TFade2::Height, 600);
}

TEST_F(Fade2, StopsExactlyAtItsCeilingOrAtZeroWhateverTheFrameFactor) {
  struct Row {
    float alpha, speed, max, dt, end;
  };
  const Row rows[] = {
      {0.0f, 0.008f, 0.5f, 1.0f, 0.5f},  {0.0f, 0.008f, 0.5f, 3.0f, 0.5f}, {0.0f, 0.03f, 1.0f, 1.0f, 1.0f},
      {1.0f, -0.01f, 1.0f, 1.0f, 0.0f},  {0.9f, -0.07f, 1.0f, 2.2f, 0.0f},
      {0.8f, 0.01f, 0.5f, 1.0f, 0.5f},  // started above its ceiling
  };
  for (const Row& r : rows) {
    TFade2 f;
    f.Init(r.alpha, r.speed, r.max);
    for (int i = 0; i < 2000; ++i) f.Update(r.dt);
    EXPECT_EQ(f.alpha, r.end) << r.alpha << " " << r.speed << " " << r.dt;
  }
}

TEST_F(Fade2, StepsByTheFrameFactorAndFreezesWhilePaused) {
  TFade2 f;
  f.Init(0.0f, 0.01f, 1.0f);
  f.Update(2.5f);
  EXPECT_FLOAT_EQ(f.alpha, 0.025f);
  f.pause = 1;
  f.Update(10.0f);
  EXPECT_FLOAT_EQ(f.alpha, 0.025f);
}

class Fade2Canvas : public overlay_env::OverlayCanvas {};

TEST_F(Fade2Canvas, DarkensTheWholeCanvasButNotWhilePausedOrClear) {
  auto white = draw_probe::Solid(800, 600, 0xFFFFFFFFu);
  struct Row {
    float alpha;
    int pause;
    bool darkened;
  };
  const Row rows[] = {{0.5f, 0, true}, {0.5f, 1, false}, {0.0f, 0, false}};
  for (const Row& r : rows) {
    platform::ResetDrawState();
    platform::DrawImage(white, 0, 0, 0);
    TFade2 f;
    f.Init(r.alpha, 0.0f, 1.0f);
    f.pause = r.pause;
    f.Draw();
    const platform::Pixmap p = Grab();
    for (auto [x, y] : {std::pair{1, 1}, std::pair{400, 300}, std::pair{798, 598}}) {
      const uint32_t c = draw_probe::RGB(p, x, y);
      if (r.darkened) {
        EXPECT_NEAR(static_cast<int>(c & 0xFF), 128, 2) << x << "," << y;
      } else {
        EXPECT_EQ(c, 0xFFFFFFu) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace kelp
