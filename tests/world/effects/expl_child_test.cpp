#include "world/effects/expl_child.h"

#include "draw_probe.h"
#include "overlay_test_env.h"

namespace kelp {
namespace {

class ExplChild : public overlay_env::Overlay {};

TEST_F(ExplChild, DrawsItsRandomAnimationAndWrapsByTheClock) {
  for (int i = 0; i < 20; ++i) {
    auto c = TExplChild::Create();
    EXPECT_GE(c->AnimSpeed, 40);
    EXPECT_LE(c->AnimSpeed, 90);
    EXPECT_GE(c->Frames, 14);
    EXPECT_LE(c->Frames, 19);
    EXPECT_GE(c->ScaleB, 0.4f);
    EXPECT_LE(c->ScaleB, 1.7f);
  }
  auto c = TExplChild::Create();
  c->Image = draw_probe::Solid(4, 4, 0xFFFFFFFFu, 20);
  c->AnimSpeed = 50;
  c->Frames = 3;
  c->updTime = GameTime;
  c->Draw(10.0f, 10.0f);
  EXPECT_EQ(c->frame, 0);  // not yet its time
  const int expected[] = {1, 2, 0, 1};
  for (int want : expected) {
    GameTime += 51;
    c->Draw(10.0f, 10.0f);
    EXPECT_EQ(c->frame, want);
    EXPECT_EQ(c->updTime, GameTime);
  }
  EXPECT_EQ(platform::GetBlend(), 3);  // alpha blend again afterwards
}

}  // namespace
}  // namespace kelp
