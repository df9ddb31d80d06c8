// Rings around a box and at a village point.
#include "world/effects/rings.h"

#include "box_effects_env.h"

namespace kelp::play_test {
namespace {

class Rings : public BoxEffects {
 protected:
  // Updates until alpha, taken down in single precision, reaches 0: 0.8
  // less forty times 0.02 leaves 2e-7 in floats, so the ring's last, unseen
  // update is the 41st.
  static int FadeFrames(float alphaSpeed) {
    float alpha = 0.8f;
    int n = 0;
    do {
      alpha -= alphaSpeed * 1.0f;
      ++n;
    } while (!(alpha <= 0.0f));
    return n;
  }
};

TEST_F(Rings, ARingGrowsTurnsAndFadesOutInAboutFortyFrames) {
  AddImage("IMAGE_RING", Solid(8, 8, 0xFFFFFFFFu));
  auto ring = TRing::Create(MakeBox(TBlock::RED, 300, 200), 0.01f, 0.02f);
  ASSERT_TRUE(ring->img);
  EXPECT_EQ(ring->scale, 0.5f);
  EXPECT_EQ(ring->alpha, 0.8f);
  EXPECT_EQ(ring->angle, 0.0f);
  EXPECT_GE(ring->angle_speed, -0.8f);
  EXPECT_LE(ring->angle_speed, 0.8f);
  int frames = 0;
  while (VisualsList.Contains(ring.get()) && frames < 100) {
    TVisuals::UpdateVisuals(1.0f);
    ++frames;
  }
  EXPECT_EQ(frames, FadeFrames(0.02f));
  EXPECT_EQ(frames, 41);
  EXPECT_NEAR(ring->scale, 0.5f + frames * 0.01f, 1e-4f);
  EXPECT_NEAR(ring->angle, frames * ring->angle_speed, 1e-3f);
}

TEST_F(Rings, ARingEndsWithItsBox) {
  auto gone = MakeBox(TBlock::RED, 300, 200);
  auto a = TRing::Create(gone, 0.01f, 0.001f);
  gone->Del();
  auto b = TRing::Create(MakeBox(TBlock::RED, 300, 200), 0.01f, 0.001f);
  b->Block.reset();
  auto kept = TRing::Create(MakeBox(TBlock::BLUE, 300, 200), 0.01f, 0.001f);
  TVisuals::DrawVisuals();  // nothing to draw at, and no harm
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_FALSE(VisualsList.Contains(a.get()));
  EXPECT_FALSE(VisualsList.Contains(b.get()));
  EXPECT_TRUE(VisualsList.Contains(kept.get()));
}

TEST_F(Rings, AStaticRingLivesOnItsOwn) {
  auto ring = TStaticRing::Create(100, 120, 0.01f, 0.02f);
  EXPECT_EQ(ring->x, 100.0f);
  int frames = 0;
  while (VisualsList.Contains(ring.get()) && frames < 100) {
    TVisuals::UpdateVisuals(1.0f);
    ++frames;
  }
  EXPECT_EQ(frames, FadeFrames(0.02f));
}

class RingDrawing : public PlayEffectsCanvas {};

TEST_F(RingDrawing, TheRingSitsOnItsBoxAndTheStaticRingScrollsWithTheVillage) {
  AddImage("IMAGE_RING", Solid(8, 8, 0xFFFFFFFFu));
  World = New<TWorld>();
  auto box = MakeBox(TBlock::RED, 500, 400);
  TRing::Create(box, 0.0f, 0.01f)->angle_speed = 0.0f;
  VillageScreen = New<TVillageMode>();
  VillageScreen->Scroll_x = -100;
  TStaticRing::Create(300, 200, 0.0f, 0.01f)->angle_speed = 0.0f;
  TVisuals::DrawVisuals();
  EXPECT_NE(Pixel(500, 400), 0u);
  EXPECT_NE(Pixel(200, 200), 0u);
  EXPECT_EQ(Pixel(300, 200), 0u);
}

}  // namespace
}  // namespace kelp::play_test
