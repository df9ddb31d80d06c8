// Ropes along chains of links and the three-fold trail image, on the
// headless canvas.
#include "framework/media/rope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "draw_probe.h"

using namespace kelp;
using draw_probe::ExpectBox;
using draw_probe::Lit;
using draw_probe::LitBox;
using draw_probe::RGB;

namespace {

using RopeTest = draw_probe::Canvas;

TEST_F(RopeTest, OneLinkIsAnEightPixelStripAndLeavesTheStateSet) {
  platform::SetTransform(30, 2, 3);
  platform::SetAlpha(0.2f);
  platform::SetColor(10, 20, 30);
  platform::SetBlend(platform::LIGHTBLEND);
  const std::vector<RopeLink> links = {{100, 300, 200, 300}};
  DrawRope(links, draw_probe::Solid(4, 4, 0xFF00FF00u), nullptr);
  const platform::Pixmap got = Grab();
  ExpectBox(LitBox(got), {100, 296, 200, 304}, "strip");
  EXPECT_EQ(RGB(got, 150, 300), 0x00FF00u) << "white, opaque";
  const platform::DrawState& s = platform::State();
  EXPECT_EQ(s.blend, platform::ALPHABLEND);
  EXPECT_EQ(s.scale_x, 1.0f);
  EXPECT_EQ(s.scale_y, 1.0f);
  EXPECT_EQ(s.rotation, 0.0f);
  EXPECT_EQ(s.alpha, 1.0f);
  EXPECT_EQ(s.r + s.g + s.b, 3 * 255);
}

TEST_F(RopeTest, StripMapsTheImageAlongAndAcross) {
  // u runs from the first point to the second, v from the left side to the right.
  auto p = std::make_shared<platform::Pixmap>(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      p->WritePixel(x, y, y < 32 ? (x < 32 ? 0xFFFF0000u : 0xFF00FF00u) : (x < 32 ? 0xFF0000FFu : 0xFFFFFFFFu));
  const std::vector<RopeLink> down = {{400, 100, 400, 300}};  // left of "down" is +x
  DrawRope(down, platform::ImageFromPixmap(p, 0), nullptr);
  const platform::Pixmap got = Grab();
  EXPECT_EQ(RGB(got, 402, 110), 0xFF0000u);
  EXPECT_EQ(RGB(got, 402, 290), 0x00FF00u);
  EXPECT_EQ(RGB(got, 397, 110), 0x0000FFu);
  EXPECT_EQ(RGB(got, 397, 290), 0xFFFFFFu);
}

TEST_F(RopeTest, ChainsFollowEveryLinkAndJoinWithoutTwisting) {
  auto strip = draw_probe::Solid(4, 4, 0xFFFFFFFFu);
  struct Case {
    const char* what;
    std::vector<RopeLink> links;
  };
  // Directions of 170 and -170 degrees: a plain mean of the two would point
  // backwards and pinch the strip to nothing halfway along each link.
  const float dx = 200 * std::cos(170 * 3.14159265f / 180), dy = 200 * std::sin(170 * 3.14159265f / 180);
  const Case cases[] = {
      {"right angle", {{100, 100, 300, 100}, {300, 100, 300, 300}}},
      {"zig-zag", {{100, 400, 200, 500}, {200, 500, 300, 400}, {300, 400, 400, 500}}},
      {"across the back direction", {{600, 300, 600 + dx, 300 + dy}, {600 + dx, 300 + dy, 600 + 2 * dx, 300}}},
  };
  for (const Case& c : cases) {
    platform::Cls();
    DrawRope(c.links, strip, nullptr);
    const platform::Pixmap got = Grab();
    for (const RopeLink& l : c.links) {
      // Both sides of every link's middle are covered; 9 pixels out is not.
      const float mx = (l.x1 + l.x2) / 2, my = (l.y1 + l.y2) / 2;
      const float len = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
      const float nx = -(l.y2 - l.y1) / len, ny = (l.x2 - l.x1) / len;
      auto at = [&](float k) { return Lit(got, int(std::lround(mx + k * nx)), int(std::lround(my + k * ny))); };
      EXPECT_TRUE(at(2)) << c.what;
      EXPECT_TRUE(at(-2)) << c.what;
      EXPECT_FALSE(at(9)) << c.what;
      EXPECT_FALSE(at(-9)) << c.what;
    }
  }
}

TEST_F(RopeTest, EndImageSitsAtTheLastLinksFirstPointTurnedAlongTheRope) {
  auto strip = draw_probe::Solid(4, 4, 0xFF00FF00u);
  auto end = draw_probe::Solid(10, 4, 0xFFFF0000u);
  end->MidHandle();
  // Straight down: angle 90, the end image turned a quarter at (400, 100) - (4, 0).
  DrawRope(std::vector<RopeLink>{{400, 100, 400, 200}}, strip, end);
  platform::Pixmap got = Grab();
  EXPECT_EQ(RGB(got, 396, 100), 0xFF0000u);
  EXPECT_EQ(RGB(got, 396, 103), 0xFF0000u) << "10 tall after the quarter turn";
  EXPECT_EQ(RGB(got, 400, 108), 0x00FF00u);
  EXPECT_EQ(platform::GetRotation(), 0.0f) << "only the end image is turned";

  // Two links: the last quad, and the end image, start at the joint angle 45.
  platform::Cls();
  DrawRope(std::vector<RopeLink>{{100, 100, 300, 100}, {300, 100, 300, 300}}, strip, end);
  got = Grab();
  const float ex = 300 - 4 * std::sin(3.14159265f / 4), ey = 100 + 4 * std::cos(3.14159265f / 4);
  EXPECT_EQ(RGB(got, int(ex), int(ey)), 0xFF0000u);
  EXPECT_EQ(RGB(got, 200, 100), 0x00FF00u);
  // It is turned along the last link (90), not the joint (45): 4 below its
  // centre is inside it only when it stands upright.
  EXPECT_EQ(RGB(got, int(ex), int(ey) + 4), 0xFF0000u);
}

TEST_F(RopeTest, NoLinksOrNoStripDrawNothing) {
  platform::SetAlpha(0.5f);
  DrawRope(std::vector<RopeLink>{}, draw_probe::Solid(4, 4, 0xFFFFFFFFu), draw_probe::Solid(4, 4, 0xFFFFFFFFu));
  EXPECT_EQ(platform::GetAlpha(), 0.5f);
  DrawRope(std::vector<RopeLink>{{100, 100, 200, 100}}, nullptr, nullptr);
  EXPECT_TRUE(draw_probe::IsBlank(Grab()));
}

TEST_F(RopeTest, TripleImageAlongTheStep) {
  auto dot = draw_probe::Solid(4, 4, 0xFFFFFFFFu);
  dot->MidHandle();
  DrawImageTriple(400, 300, 100, -50, dot, 0);
  const platform::Pixmap got = Grab();
  for (auto [x, y] : {std::pair{280, 360}, {350, 325}, {420, 290}}) EXPECT_TRUE(Lit(got, x, y)) << x << "," << y;
  EXPECT_FALSE(Lit(got, 400, 300));
  ExpectBox(LitBox(got), {278, 288, 422, 362}, "three dots");
}

}  // namespace
