#include "framework/media/canvas_placement.h"

#include <gtest/gtest.h>

#include <array>

#include "framework/media/graphics_state.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/window.h"
#include "reset_rooms.h"

using namespace kelp;

namespace {

// Puts the globals this test changes back as they were.
class ScreenAspect : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetMediaRooms();
    platform::ResetDrawState();
  }
  void TearDown() override {
    testsupport::ResetMediaRooms();
    platform::ResetDrawState();
  }
  static void Detect(int w, int h, int full, int wide) {
    DesktopWidth = w;
    DesktopHeight = h;
    FullScreen = full;
    WideScreen = wide;
    DetectScreenAspect();
  }
};

}  // namespace

TEST_F(ScreenAspect, DesktopRatioChoosesModeAndLayout) {
  struct Case {
    int w, h, full, wide;
    const char* aspect;
    int sw, sh, wideLayout, vw, canvasX, screenCX, screenCY;
  };
  const Case cases[] = {
      {800, 600, 1, 1, "4:3", 800, 600, 0, 800, 0, 400, 300},
      {1024, 768, 1, 1, "4:3", 800, 600, 0, 800, 0, 400, 300},
      {1280, 1024, 1, 1, "4:3", 800, 600, 0, 800, 0, 400, 300},     // 5:4
      {1440, 900, 1, 1, "16:10", 1280, 800, 1, 960, 80, 640, 400},
      {1680, 1050, 1, 1, "16:10", 1280, 800, 1, 960, 80, 640, 400},
      {1366, 768, 1, 1, "16:9", 1280, 720, 1, 960, 80, 640, 360},   // 1.7786
      {1920, 1080, 1, 1, "16:9", 1280, 720, 1, 960, 80, 640, 360},
      {2560, 1080, 1, 1, "4:3", 800, 600, 0, 800, 0, 400, 300},     // 2.37: none of the four
      {1024, 600, 1, 1, "4:3", 800, 600, 0, 800, 0, 400, 300},      // 1.71
      {1920, 1080, 0, 1, "16:9", 800, 600, 0, 800, 0, 400, 300},    // windowed
      {1440, 900, 1, 0, "16:10", 800, 600, 0, 800, 0, 400, 300},    // wide-screen option off
      {1920, 0, 1, 1, "4:3", 800, 600, 0, 800, 0, 400, 300},        // no height
      {0, 0, 1, 1, "4:3", 800, 600, 0, 800, 0, 400, 300},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.w) + "x" + std::to_string(k.h) + " full " + std::to_string(k.full) + " wide " +
                 std::to_string(k.wide));
    Detect(k.w, k.h, k.full, k.wide);
    EXPECT_EQ(DesktopAspect, k.aspect);
    EXPECT_EQ(ScreenWidth, k.sw);
    EXPECT_EQ(ScreenHeight, k.sh);
    EXPECT_EQ(WideLayout, k.wideLayout);
    EXPECT_EQ(VirtualWidth, k.vw);
    EXPECT_EQ(VirtualHeight, 600);
    EXPECT_EQ(VirtualCenterX, k.vw / 2);
    EXPECT_EQ(VirtualCenterY, 300);
    EXPECT_EQ(ScreenCenterX, k.screenCX);
    EXPECT_EQ(ScreenCenterY, k.screenCY);
    EXPECT_EQ(CanvasOffsetX, k.canvasX);
    EXPECT_DOUBLE_EQ(ScreenScaleX, k.sw / 800.0);
    EXPECT_DOUBLE_EQ(ScreenScaleY, k.sh / 600.0);
  }
}

TEST_F(ScreenAspect, GameViewportCoversTheVirtualScreenAndShakesTheOrigin) {
  Detect(1920, 1080, 1, 1);
  ShakeOffsetX = 3.0f;
  ShakeOffsetY = -2.0f;
  platform::SetViewport(10, 10, 20, 20);
  SetGameViewport();
  int x, y, w, h;
  platform::GetViewport(x, y, w, h);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(w, 960);
  EXPECT_EQ(h, 600);
  float ox, oy;
  platform::GetOrigin(ox, oy);
  EXPECT_FLOAT_EQ(ox, 83.0f);
  EXPECT_FLOAT_EQ(oy, -2.0f);
}

namespace {

class SideBars : public ScreenAspect {
 protected:
  void SetUp() override {
    ScreenAspect::SetUp();
    ASSERT_TRUE(platform::OpenGraphics(960, 600, 0, 60, /*headless=*/true));
    platform::SetVirtualResolution(960, 600);
    platform::ResetDrawState();
    platform::SetViewport(0, 0, 960, 600);
    platform::SetClearColor(0, 0, 0);
    platform::Cls();
  }
  void TearDown() override {
    platform::CloseGraphics();
    ScreenAspect::TearDown();
  }
  static platform::ImageRef Bar(uint32_t argb, float handleX) {
    auto img = platform::CreateImage(10, 10, 1, 0);
    auto px = img->Frame(0);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) px->WritePixel(x, y, argb);
    px->Touch();
    img->SetHandle(handleX, 0);
    return img;
  }
  static uint32_t Rgb(const platform::PixmapRef& p, int x, int y) { return p->ReadPixel(x, y) & 0xFFFFFFu; }
};

}  // namespace

TEST_F(SideBars, DrawnAtTheCanvasEdgesWithTheirHandlesInTheWideLayout) {
  Detect(1920, 1080, 1, 1);
  SideBarLeft = Bar(0xFFFF0000u, 10);  // handle at its right edge: covers 70..79
  SideBarRight = Bar(0xFF00FF00u, 0);  // covers 879..888
  ShakeOffsetX = 5.0f;
  SetGameViewport();
  DrawSideBars();
  auto p = platform::GrabCanvas();
  EXPECT_EQ(Rgb(p, 75, 5), 0xFF0000u);
  EXPECT_EQ(Rgb(p, 81, 5), 0u);
  EXPECT_EQ(Rgb(p, 884, 5), 0x00FF00u);
  EXPECT_EQ(Rgb(p, 877, 5), 0u);
  // The game's origin and the saved states are as before.
  float ox, oy;
  platform::GetOrigin(ox, oy);
  EXPECT_FLOAT_EQ(ox, 85.0f);
  EXPECT_TRUE(GraphicsStateStack->IsEmpty());
}

TEST_F(SideBars, NothingInTheNarrowLayoutAndAMissingBarIsSkipped) {
  Detect(1920, 1080, 0, 1);
  SideBarLeft = Bar(0xFFFF0000u, 10);
  SideBarRight = Bar(0xFF00FF00u, 0);
  DrawSideBars();
  auto p = platform::GrabCanvas();
  EXPECT_EQ(Rgb(p, 75, 5), 0u);

  Detect(1920, 1080, 1, 1);
  SideBarLeft = nullptr;
  DrawSideBars();
  p = platform::GrabCanvas();
  EXPECT_EQ(Rgb(p, 75, 5), 0u);
  EXPECT_EQ(Rgb(p, 884, 5), 0x00FF00u);
  EXPECT_TRUE(GraphicsStateStack->IsEmpty());
}
