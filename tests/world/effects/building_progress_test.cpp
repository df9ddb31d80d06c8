#include "world/effects/building_progress.h"

#include "draw_probe.h"
#include "framework/media/canvas_placement.h"
#include "overlay_test_env.h"
#include "village/village.h"

namespace kelp {
namespace {

class BuildingProgress : public overlay_env::Overlay {
 protected:
  static Ref<TBuildingProgress> Bar(int width = 100, int height = 10) {
    auto bar = TBuildingProgress::Create(200.0f, 300.0f);
    bar->width = width;
    bar->height = height;
    return bar;
  }
};

TEST_F(BuildingProgress, CreatedInTheOverLayerAtItsPlace) {
  auto bar = TBuildingProgress::Create(12.5f, 40.0f);
  ASSERT_TRUE(Listed(bar.get()));
  EXPECT_EQ(bar->Over, 1);
  EXPECT_EQ(bar->Under, 0);
  EXPECT_EQ(bar->x, 12.5f);
  EXPECT_EQ(bar->y, 40.0f);
  EXPECT_FLOAT_EQ(bar->Speed, 0.24f);
  EXPECT_EQ(bar->Current, 0.0f);
}

TEST_F(BuildingProgress, SetStateAboveAHundredIsAHundred) {
  auto bar = Bar();
  const float rows[][2] = {{30.0f, 30.0f}, {100.0f, 100.0f}, {140.0f, 100.0f}, {1e9f, 100.0f}};
  for (const auto& r : rows) {
    bar->SetState(r[0]);
    EXPECT_EQ(bar->Target, r[1]) << r[0];
  }
}

TEST_F(BuildingProgress, RunsTowardTheTargetByTheFrameFactorAndSettlesOnIt) {
  struct Row {
    float dt, target;
  };
  const Row rows[] = {{1.0f, 20.0f}, {2.0f, 20.0f}, {1.0f, 0.35f}, {0.7f, 33.3f}, {3.0f, 10.11f}};
  for (const Row& r : rows) {
    auto bar = Bar();
    bar->SetState(r.target);
    bar->Update(r.dt);
    EXPECT_FLOAT_EQ(bar->Current, std::min(r.target, 0.24f * r.dt)) << r.dt;
    for (int i = 0; i < 1000; ++i) {
      bar->Update(r.dt);
      ASSERT_LE(bar->Current, r.target) << "overshot, dt " << r.dt;
    }
    EXPECT_EQ(bar->Current, r.target) << r.dt << " " << r.target;
    EXPECT_FLOAT_EQ(bar->CurWidth, 100.0f * r.target * 0.01f);
    EXPECT_EQ(bar->Death, 0);
    // And back down when the target drops.
    bar->SetState(r.target / 2.0f);
    for (int i = 0; i < 1000; ++i) bar->Update(r.dt);
    EXPECT_EQ(bar->Current, r.target / 2.0f);
  }
}

TEST_F(BuildingProgress, AFullBarRemovesItself) {
  auto bar = Bar();
  bar->SetState(150.0f);
  int frames = 0;
  while (Listed(bar.get()) && frames < 1000) {
    Frame();
    ++frames;
  }
  EXPECT_FALSE(Listed(bar.get()));
  EXPECT_EQ(bar->Current, 100.0f);
  EXPECT_NEAR(frames, 417, 1);  // 100 / 0.24, rounded up
}

class BuildingProgressCanvas : public overlay_env::OverlayCanvas {
 protected:
  void SetUp() override {
    OverlayCanvas::SetUp();
    VillageScreen = New<TVillageMode>();
  }
};

TEST_F(BuildingProgressCanvas, FrontImageShowsOnlyOverTheFilledPartAndFollowsTheVillageScroll) {
  constexpr uint32_t kBack = 0xFF0000FFu, kFront = 0xFFFF0000u;
  struct Row {
    float scroll, current;
    int left;  // where the bar starts on the canvas
  };
  const Row rows[] = {{0.0f, 40.0f, 200}, {-30.0f, 40.0f, 170}, {25.0f, 75.0f, 225}};
  for (const Row& r : rows) {
    platform::Cls();
    VillageScreen->Scroll_x = r.scroll;
    auto bar = TBuildingProgress::Create(200.0f, 300.0f);
    bar->ImageBack = draw_probe::Solid(100, 10, kBack);
    bar->ImageFront = draw_probe::Solid(100, 10, kFront);
    bar->width = 100;
    bar->height = 10;
    bar->Current = r.current;
    bar->CurWidth = r.current;
    TVisuals::DrawVisuals();  // not in the normal layer
    EXPECT_TRUE(draw_probe::IsBlank(Grab()));
    TVisuals::DrawVisuals_Over();
    const platform::Pixmap p = Grab();
    const int edge = r.left + static_cast<int>(r.current);
    EXPECT_EQ(draw_probe::RGB(p, r.left + 2, 305), 0xFF0000u) << r.scroll;
    EXPECT_EQ(draw_probe::RGB(p, edge - 2, 305), 0xFF0000u) << r.scroll;
    EXPECT_EQ(draw_probe::RGB(p, edge + 2, 305), 0x0000FFu) << r.scroll;
    EXPECT_EQ(draw_probe::RGB(p, r.left + 97, 305), 0x0000FFu) << r.scroll;
    EXPECT_EQ(draw_probe::RGB(p, r.left + 50, 312), 0u) << r.scroll;
    VisualsList.Clear();
  }
}

}  // namespace
}  // namespace kelp
