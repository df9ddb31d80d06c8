// The loading screen's bar.
#include "app/startup.h"
#include "app_test_env.h"
#include "framework/media/canvas_placement.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "world/resource_bindings.h"

namespace kelp::apptest {
namespace {

// Lit pixels along the bar's middle row.
int BarWidth() {
  const platform::PixmapRef canvas = platform::GrabCanvas();
  int lit = 0;
  for (int x = 0; x < canvas->Width(); ++x)
    if ((canvas->ReadPixel(x, 310) & 0xFFFFFF) == 0xFFFFFF) ++lit;
  return lit;
}

TEST_F(FrameLoopTest, LoadingBarShowsThePercentAtMostOnceATick) {
  auto bar = std::make_shared<platform::Pixmap>(200, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 200; ++x) bar->WritePixel(x, y, 0xFFFFFFFFu);
  ImageLoadingFull = platform::ImageFromPixmap(bar);
  platform::ResetDrawState();
  platform::Cls();

  const struct {
    int advance_ms;
    float percent;
    int width;
  } steps[] = {
      {18, 0.0f, 0},
      {18, 37.5f, 75},
      {5, 90.0f, 75},    // within the same tick: not shown
      {18, 50.0f, 100},
      {1, 100.0f, 200},  // the last step always shows
  };
  for (const auto& s : steps) {
    clock.Advance(s.advance_ms);
    DrawLoadingProgress(s.percent);
    EXPECT_EQ(BarWidth(), s.width) << s.percent;
  }
  EXPECT_EQ(GameTime, clock.now);
}

}  // namespace
}  // namespace kelp::apptest
