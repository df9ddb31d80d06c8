// Textured polygons on the headless canvas: placement by handle, rotation,
// scale and origin, the vertex count rules, and the pie-sector wipe.
#include "framework/media/textured_poly.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "draw_probe.h"

using namespace kelp;
using draw_probe::Box;
using draw_probe::ExpectBox;
using draw_probe::Lit;
using draw_probe::LitBox;

namespace {

using TexturedPolyTest = draw_probe::Canvas;

// A 64 x 64 picture in quarters: red, green over blue, white. (SDL's software
// rasteriser samples tiny textures a texel off, so the quarters are large.)
platform::ImageRef FourColours() {
  auto p = std::make_shared<platform::Pixmap>(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      p->WritePixel(x, y, y < 32 ? (x < 32 ? 0xFFFF0000u : 0xFF00FF00u) : (x < 32 ? 0xFF0000FFu : 0xFFFFFFFFu));
  return platform::ImageFromPixmap(p, 0);
}

// The rectangle (x0, y0)-(x1, y1) with the whole frame on it.
std::vector<float> Rect(float x0, float y0, float x1, float y1) {
  return {x0, y0, 0, 0, x1, y0, 1, 0, x1, y1, 1, 1, x0, y1, 0, 1};
}

TEST_F(TexturedPolyTest, LandsWhereHandleRotationScaleAndOriginPutIt) {
  auto image = FourColours();
  platform::SetHandle(10, 5);
  platform::SetTransform(90, 2, 1);
  platform::SetOrigin(400, 300);
  // Relative to the handle the rectangle spans (-10..10, -5..5); turned a
  // quarter clockwise with x doubled first it spans x -5..5 and y -20..20.
  DrawTexturedPoly(image, Rect(0, 0, 20, 10), 0, -1);
  const platform::Pixmap got = Grab();
  ExpectBox(LitBox(got), {395, 280, 405, 320}, "turned rectangle");
  EXPECT_EQ(draw_probe::RGB(got, 403, 283), 0xFF0000u) << "red corner (0, 0) goes to the top right";
  EXPECT_EQ(draw_probe::RGB(got, 403, 317), 0x00FF00u) << "green corner (20, 0) to the bottom right";
  EXPECT_EQ(draw_probe::RGB(got, 397, 283), 0x0000FFu) << "blue corner (0, 10) to the top left";
  EXPECT_EQ(draw_probe::RGB(got, 397, 317), 0xFFFFFFu);
}

TEST_F(TexturedPolyTest, TakesTheColourAndAlpha) {
  platform::SetColor(255, 0, 0);
  platform::SetAlpha(0.5f);
  DrawTexturedPoly(draw_probe::Solid(4, 4, 0xFFFFFFFFu), Rect(100, 100, 140, 140), 0);
  const uint32_t c = draw_probe::RGB(Grab(), 120, 120);
  EXPECT_NEAR(int(c >> 16), 128, 2);
  EXPECT_EQ(c & 0xFFFF, 0u);
}

TEST_F(TexturedPolyTest, VertexCountRules) {
  auto white = draw_probe::Solid(4, 4, 0xFFFFFFFFu, 2);
  // Five vertices: a square 100..200 with a point sticking out to the right at (260, 150).
  const std::vector<float> five = {100, 200, 0, 1, 100, 100, 0, 0, 200, 100, 1, 0,
                                   260, 150, 1, 0.5f, 200, 200, 1, 1};
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* what;
    platform::ImageRef image;
    std::vector<float> xyuv;
    int frame, count;
    Box want;  // x0 >= x1: nothing drawn
  };
  const Case cases[] = {
      {"all five", white, five, 0, -1, {100, 100, 260, 200}},
      {"any negative count is all", white, five, 0, -7, {100, 100, 260, 200}},
      {"the second frame", white, five, 1, -1, {100, 100, 260, 200}},
      {"count 3 uses the first three", white, five, 0, 3, {100, 100, 200, 200}},
      {"a count beyond the array is cut", white, five, 0, 40, {100, 100, 260, 200}},
      {"count 2 is no triangle", white, five, 0, 2, {0, 0, 0, 0}},
      {"4 floats", white, {100, 100, 0, 0}, 0, -1, {0, 0, 0, 0}},
      {"5 floats", white, {100, 100, 0, 0, 200}, 0, -1, {0, 0, 0, 0}},
      {"8 floats: two vertices", white, {100, 100, 0, 0, 200, 200, 1, 1}, 0, -1, {0, 0, 0, 0}},
      {"no image", nullptr, five, 0, -1, {0, 0, 0, 0}},
      {"no such frame", white, five, 2, -1, {0, 0, 0, 0}},
      {"a NaN vertex", white, {100, 100, 0, 0, nan, 100, 1, 0, 200, 200, 1, 1}, 0, -1, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    platform::Cls();
    DrawTexturedPoly(c.image, c.xyuv, c.frame, c.count);
    const platform::Pixmap got = Grab();
    if (c.want.x0 >= c.want.x1)
      EXPECT_TRUE(draw_probe::IsBlank(got)) << c.what;
    else
      ExpectBox(LitBox(got), c.want, c.what);
  }
  // Three-sided: the cut-off fan is the triangle (100,200) (100,100) (200,100).
  platform::Cls();
  DrawTexturedPoly(white, five, 0, 3);
  const platform::Pixmap tri = Grab();
  EXPECT_TRUE(Lit(tri, 110, 110));
  EXPECT_FALSE(Lit(tri, 190, 190)) << "the square's other half is not drawn";
  EXPECT_FALSE(Lit(tri, 230, 150));
}

// A batch draws exactly what its polygons draw one by one: each placed by the
// transform when added, the origin added when drawn, and an upright mirrored quad keeps its mirroring (it
// must not become a plain copy of the frame).
TEST_F(TexturedPolyTest, BatchDrawsWhatItsPolygonsDrawOneByOne) {
  auto image = FourColours();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<float> mirrored = {300, 100, 1, 0, 364, 100, 0, 0, 364, 164, 0, 1, 300, 164, 1, 1};
  const std::vector<float> broken = {100, 100, 0, 0, nan, 100, 1, 0, 200, 200, 1, 1};
  const std::vector<float> five = {100, 400, 0, 1, 100, 300, 0, 0, 200, 300, 1, 0, 260, 350, 1, 0.5f, 200, 400, 1, 1};
  struct Placed {
    std::vector<float> xyuv;
    float angle, scale;
  };
  const Placed polygons[] = {
      {Rect(300, 200, 340, 230), 30, 1.5f}, {mirrored, 0, 1},   {broken, 0, 1},
      {five, 0, 1},                         {Rect(500, 200, 560, 260), -10, 1}};
  const auto draw = [&](bool batched) {
    platform::Cls();
    platform::SetAlpha(0.75f);
    platform::SetOrigin(20, 10);
    TTexturedBatch batch;
    for (const Placed& p : polygons) {
      platform::SetTransform(p.angle, p.scale, p.scale);
      if (batched)
        batch.Add(p.xyuv);
      else
        DrawTexturedPoly(image, p.xyuv, 0);
    }
    batch.Draw(image, 0);
    EXPECT_TRUE(batch.Empty());
    return Grab();
  };
  const platform::Pixmap one_by_one = draw(false);
  const platform::Pixmap batched = draw(true);
  int differing = 0;
  for (int y = 0; y < batched.Height(); ++y)
    for (int x = 0; x < batched.Width(); ++x) differing += one_by_one.ReadPixel(x, y) != batched.ReadPixel(x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_GT(draw_probe::RGB(batched, 380, 114) & 0xFF0000u, 0x400000u) << "mirrored: red on the right";
  EXPECT_EQ(draw_probe::RGB(batched, 324, 114) & 0xFF0000u, 0u) << "mirrored: green on the left";
  EXPECT_FALSE(Lit(batched, 170, 130)) << "the broken polygon is dropped";
  EXPECT_TRUE(Lit(batched, 250, 360)) << "the five-sided one is drawn";
}

// Lit at distance r from the centre (400, 300) in the direction of `degrees` (0 up, clockwise)?
bool LitAt(const platform::Pixmap& p, float degrees, float r) {
  const double rad = degrees * std::numbers::pi / 180.0;
  return Lit(p, int(std::lround(400 + std::sin(rad) * r)), int(std::lround(300 - std::cos(rad) * r)));
}

TEST_F(TexturedPolyTest, SectorImageWipesClockwiseFromTheTop) {
  auto sector = TSectorImage::Create(draw_probe::Solid(100, 100, 0xFFFFFFFFu), CreateVector(400, 300));
  struct Case {
    const char* what;
    int from, to;
    std::vector<float> lit, dark;  // directions probed at radius 30
  };
  const Case cases[] = {
      {"0 to 100", 0, 100, {5, 40, 50, 85, 95}, {110, 180, 270, 355}},
      {"270 to 90 is 90 to 270", 270, 90, {100, 180, 260}, {80, 0, 280}},
      {"full circle", 0, 360, {0, 45, 90, 135, 180, 225, 270, 315, 359}, {}},
      {"0 to 0 is empty", 0, 0, {}, {0, 90, 180, 270}},
  };
  for (const Case& c : cases) {
    platform::Cls();
    sector->SetDrawSector(c.from, c.to);
    EXPECT_EQ(sector->angle, sector->todegree) << c.what;
    EXPECT_LE(sector->fromdegree, sector->todegree) << c.what;
    sector->Draw();
    const platform::Pixmap got = Grab();
    for (float d : c.lit) EXPECT_TRUE(LitAt(got, d, 30)) << c.what << " at " << d;
    for (float d : c.dark) EXPECT_FALSE(LitAt(got, d, 30)) << c.what << " at " << d;
  }
}

TEST_F(TexturedPolyTest, SectorPiecesAreChordsOfAtMostEight) {
  auto sector = TSectorImage::Create(draw_probe::Solid(100, 100, 0xFFFFFFFFu), CreateVector(400, 300));
  // The full circle is an octagon in the image's ellipse: its corners reach
  // radius 50, the middle of its sides only 50 cos 22.5 = 46.2.
  sector->SetDrawSector(0, 360);
  sector->Draw();
  const platform::Pixmap full = Grab();
  EXPECT_TRUE(LitAt(full, 0, 48));
  EXPECT_TRUE(LitAt(full, 45, 48));
  EXPECT_FALSE(LitAt(full, 22.5f, 48));
  EXPECT_FALSE(LitAt(full, 67.5f, 48));
  // 0 to 100: the last piece is the chord 90..100, not another 45 degrees.
  platform::Cls();
  sector->SetDrawSector(0, 100);
  sector->Draw();
  EXPECT_FALSE(LitAt(Grab(), 105, 20));
  // Wider than a circle: cut at eight pieces, the same octagon.
  platform::Cls();
  sector->SetDrawSector(0, 720);
  sector->Draw();
  const platform::Pixmap wide = Grab();
  for (int y = 240; y < 360; y += 3)
    for (int x = 340; x < 460; x += 3) ASSERT_EQ(Lit(wide, x, y), Lit(full, x, y)) << x << "," << y;
  // Hostile angles finish too.
  sector->SetDrawSector(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  sector->Draw();
  sector->SetPos(nullptr);
  sector->Draw();
}

TEST_F(TexturedPolyTest, SectorFollowsItsPosition) {
  auto sector = TSectorImage::Create(draw_probe::Solid(40, 20, 0xFFFFFFFFu), CreateVector(0, 0));
  sector->SetPos(CreateVector(200, 100));
  sector->SetDrawSector(0, 360);
  sector->Draw();
  // The octagon's corners at 0, 90, 180, 270 reach the image's half width and height.
  ExpectBox(LitBox(Grab()), {180, 90, 220, 110}, "sector at (200, 100)");
}

}  // namespace
