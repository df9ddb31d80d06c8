#include "world/effects/message_label.h"

#include "draw_probe.h"
#include "overlay_test_env.h"
#include "village/village.h"

namespace kelp {
namespace {

class MessageLabel : public overlay_env::Overlay {};

TEST_F(MessageLabel, TheTwoKindsRiseAtTheirOwnPace) {
  auto font = testsupport::MakeFont();
  for (int i = 0; i < 50; ++i) {
    auto a = TAdvancedMessageLabel::CreateLabel("+10", 100.0f, 200.0f, font, ColorWhite, 0.2f, 0.6f, 0.015f);
    EXPECT_GE(a->_dy, -0.12f);
    EXPECT_LE(a->_dy, -0.08f);
    EXPECT_GE(a->dx, -0.2f);
    EXPECT_LE(a->dx, 0.2f);
    auto b = TAdvancedMessageLabel::CreateLabel2("+5", 0.0f, 0.0f, font, ColorWhite, 0.4f, 0.9f, 0.008f);
    EXPECT_GE(b->_dy, -0.02f);
    EXPECT_LE(b->_dy, -0.015f);
    EXPECT_EQ(b->dx, 0.0f);
    EXPECT_EQ(b->alpha, 1.0f);
  }
  auto a = TAdvancedMessageLabel::CreateLabel("+10", 100.0f, 200.0f, font, ColorWhite, 0.2f, 0.6f, 0.015f);
  EXPECT_EQ(a->text, "+10");
  EXPECT_EQ(a->Font, font);
  EXPECT_EQ(a->Color, ColorWhite);
  EXPECT_EQ(a->Scale, 0.2f);
  EXPECT_EQ(a->TargetScale, 0.6f);
  EXPECT_EQ(a->ScaleSpeed, 0.015f);
  EXPECT_EQ(a->Under + a->Over, 0);
  EXPECT_EQ(a->Drawable, 1);
  EXPECT_EQ(VisualsList.Last(), a);
}

TEST_F(MessageLabel, AcceleratesPerUpdateMovesByTheFrameFactorAndFadesOnceFullSize) {
  auto l = TAdvancedMessageLabel::CreateLabel("+10", 100.0f, 200.0f, nullptr, nullptr, 0.2f, 0.25f, 0.02f);
  l->dx = 0.1f;
  l->_dy = -0.1f;
  l->Update(2.0f);
  EXPECT_FLOAT_EQ(l->dy, -0.1f);  // the pull does not scale with the frame factor
  EXPECT_FLOAT_EQ(l->x, 100.2f);
  EXPECT_FLOAT_EQ(l->y, 199.8f);
  EXPECT_FLOAT_EQ(l->Scale, 0.22f);
  EXPECT_EQ(l->alpha, 1.0f);
  l->Update(2.0f);
  EXPECT_FLOAT_EQ(l->dy, -0.2f);
  EXPECT_FLOAT_EQ(l->y, 199.4f);
  l->Update(2.0f);  // 0.26: full size, fading begins
  EXPECT_FLOAT_EQ(l->alpha, 1.0f - 2.0f * 0.04f);
  int frames = 0;
  while (Listed(l.get()) && frames < 1000) {
    Frame(2.0f);
    ++frames;
  }
  EXPECT_FALSE(Listed(l.get()));
  EXPECT_LE(l->alpha, 0.0f);
  EXPECT_NEAR(frames, 13, 1);
}

class MessageLabelCanvas : public overlay_env::OverlayCanvas {
 protected:
  void SetUp() override {
    OverlayCanvas::SetUp();
    VillageScreen = New<TVillageMode>();
  }
};

TEST_F(MessageLabelCanvas, DrawnInItsColourScaledAndPlacedByTheVillageZoomAndScroll) {
  struct Row {
    float scroll, zoom;
    draw_probe::Box box;
  };
  const Row rows[] = {
      {0.0f, 1.0f, {100, 50, 116, 70}},    // scale 2: an 8 x 10 glyph is 16 x 20
      {-40.0f, 1.0f, {60, 50, 76, 70}},    // the village scroll moves it
      {0.0f, 0.5f, {50, 25, 58, 35}},      // the closing zoom halves place and size
  };
  for (const Row& r : rows) {
    platform::Cls();
    VillageScreen->Scroll_x = r.scroll;
    VillageScreen->Closing_scale = r.zoom;
    auto l = TAdvancedMessageLabel::CreateLabel2("I", 100.0f, 50.0f, testsupport::MakeFont(), CreateColor(0, 255, 0),
                                                 2.0f, 3.0f, 0.0f);
    TVisuals::DrawVisuals();
    const platform::Pixmap p = Grab();
    draw_probe::ExpectBox(draw_probe::LitBox(p), r.box, "label");
    const uint32_t c = draw_probe::RGB(p, (r.box.x0 + r.box.x1) / 2, (r.box.y0 + r.box.y1) / 2);
    EXPECT_EQ(c & 0xFF00FFu, 0u);
    EXPECT_GE((c >> 8) & 0xFF, 0xF0u);
    float ox, oy;
    platform::GetOrigin(ox, oy);
    EXPECT_EQ(ox, 0.0f);  // the drawing state is given back
    VisualsList.Clear();
  }
}

}  // namespace
}  // namespace kelp
