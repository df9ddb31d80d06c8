// Drawing onto the headless canvas, read back with GrabCanvas. The software
// renderer snaps edges to whole pixels, so boxes are compared within a pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "draw_probe.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/image_font.h"
#include "platform/sdl_internal.h"
#include "platform/window.h"

using namespace platform;

namespace {

using draw_probe::Box;
using draw_probe::ExpectBox;
using draw_probe::IsBlank;
using draw_probe::LitBox;

void ExpectRGB(uint32_t pixel, int r, int g, int b, int tolerance, const std::string& what) {
  EXPECT_NEAR(int((pixel >> 16) & 255), r, tolerance) << what;
  EXPECT_NEAR(int((pixel >> 8) & 255), g, tolerance) << what;
  EXPECT_NEAR(int(pixel & 255), b, tolerance) << what;
}

ImageRef Solid(int w, int h, uint32_t argb) {
  auto p = std::make_shared<Pixmap>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p->WritePixel(x, y, argb);
  return ImageFromPixmap(p, 0);
}

// 20 x 10: left half red, right half green, so that turns and mirrors show.
ImageRef RedGreen() {
  auto p = std::make_shared<Pixmap>(20, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) p->WritePixel(x, y, x < 10 ? 0xFFFF0000u : 0xFF00FF00u);
  return ImageFromPixmap(p, 0);
}

class GraphicsCanvas : public ::testing::Test {
 protected:
  void Open(int w, int h) {
    ASSERT_TRUE(OpenGraphics(w, h, 0, 60, true));
    ResetDrawState();
    SetClearColor(0, 0, 0);
    Cls();
  }
  void SetUp() override { Open(800, 600); }
  void TearDown() override {
    CloseGraphics();
    ResetDrawState();
  }
  Pixmap Grab() {
    PixmapRef p = GrabCanvas();
    EXPECT_TRUE(p);
    return p ? *p : Pixmap(0, 0);
  }
};

TEST_F(GraphicsCanvas, ImageFramePlacedByHandleScaleAndRotation) {
  struct Case {
    const char* name;
    float hx, hy, sx, sy, rot;
    Box box;
    int red_x, red_y, green_x, green_y;  // a pixel inside each half
  };
  const Case cases[] = {
      {"plain", 0, 0, 1, 1, 0, {100, 100, 120, 110}, 105, 105, 115, 105},
      {"mid handle", 10, 5, 1, 1, 0, {90, 95, 110, 105}, 95, 100, 105, 100},
      {"scaled", 0, 0, 2, 3, 0, {100, 100, 140, 130}, 110, 115, 130, 115},
      {"mirrored by scale", 0, 0, -1, 1, 0, {80, 100, 100, 110}, 95, 105, 85, 105},
      {"turned 90", 0, 0, 1, 1, 90, {90, 100, 100, 120}, 95, 105, 95, 115},
      {"turned 180 about the centre", 10, 5, 1, 1, 180, {90, 95, 110, 105}, 105, 100, 95, 100},
  };
  ImageRef image = RedGreen();
  for (const Case& c : cases) {
    Cls();
    image->SetHandle(c.hx, c.hy);
    SetTransform(c.rot, c.sx, c.sy);
    DrawImage(image, 100, 100);
    Pixmap got = Grab();
    ExpectBox(LitBox(got), c.box, c.name);
    ExpectRGB(got.ReadPixel(c.red_x, c.red_y), 255, 0, 0, 0, c.name);
    ExpectRGB(got.ReadPixel(c.green_x, c.green_y), 0, 255, 0, 0, c.name);
  }
}

TEST_F(GraphicsCanvas, OriginColourAndAlphaApplyToImages) {
  ImageRef image = RedGreen();
  SetOrigin(30, 40);
  SetColor(128, 255, 255);
  SetAlpha(0.5f);
  DrawImage(image, 100, 100);
  Pixmap got = Grab();
  ExpectBox(LitBox(got), {130, 140, 150, 150}, "origin");
  ExpectRGB(got.ReadPixel(135, 145), 64, 0, 0, 2, "red tinted, half alpha");
  ExpectRGB(got.ReadPixel(145, 145), 0, 128, 0, 2, "green, half alpha");
}

TEST_F(GraphicsCanvas, BlendModesCombineWithTheBackground) {
  struct Case {
    int blend;
    uint32_t texel;
    int r, g, b;
  };
  // Over grey 100, colour (200, 0, 0) at alpha 0.5.
  const Case cases[] = {
      {ALPHABLEND, 0xFFFFFFFFu, 150, 50, 50},
      {0, 0xFFFFFFFFu, 150, 50, 50},   // unknown codes draw as alpha
      {99, 0xFFFFFFFFu, 150, 50, 50},
      {LIGHTBLEND, 0xFFFFFFFFu, 200, 100, 100},
      {SHADEBLEND, 0xFFFFFFFFu, 78, 0, 0},
      {SOLIDBLEND, 0xFFFFFFFFu, 200, 0, 0},
      {MASKBLEND, 0xC8FFFFFFu, 200, 0, 0},    // alpha 200: drawn, opaque
      {MASKBLEND, 0x64FFFFFFu, 100, 100, 100},  // alpha 100: not drawn
  };
  for (const Case& c : cases) {
    SetBlend(ALPHABLEND);
    SetClearColor(100, 100, 100);
    Cls();
    SetBlend(c.blend);
    SetColor(200, 0, 0);
    SetAlpha(0.5f);
    DrawImage(Solid(8, 8, c.texel), 50, 50);
    Pixmap got = Grab();
    const std::string what = "blend " + std::to_string(c.blend) + " texel " + std::to_string(c.texel >> 24);
    ExpectRGB(got.ReadPixel(50, 50), c.r, c.g, c.b, 2, what);
    ExpectRGB(got.ReadPixel(10, 10), 100, 100, 100, 0, what + " (background)");
  }
}

TEST_F(GraphicsCanvas, ViewportClipsWithoutMovingTheOrigin) {
  SetViewport(100, 100, 50, 40);
  DrawRect(100, 100, 10, 10);
  ExpectBox(LitBox(Grab()), {100, 100, 110, 110}, "inside, not moved");

  Cls();
  SetOrigin(10, 10);
  DrawRect(0, 0, 800, 600);
  ExpectBox(LitBox(Grab()), {100, 100, 150, 140}, "clipped to the viewport");

  for (const Box vp : {Box{100, 100, 0, 40}, Box{100, 100, 50, 0}, Box{100, 100, -5, 40}, Box{900, 0, 50, 50}}) {
    Cls();
    SetViewport(vp.x0, vp.y0, vp.x1, vp.y1);
    DrawRect(0, 0, 800, 600);
    DrawImage(Solid(800, 600, 0xFFFFFFFFu), 0, 0);
    EXPECT_TRUE(IsBlank(Grab())) << "viewport " << vp.x0 << "," << vp.y0 << " " << vp.x1 << "x" << vp.y1;
  }
}

TEST_F(GraphicsCanvas, TexturedFanMapsTheFrameAndAddsTheOrigin) {
  auto p = std::make_shared<Pixmap>(2, 2);
  p->WritePixel(0, 0, 0xFFFF0000u);
  p->WritePixel(1, 0, 0xFF00FF00u);
  p->WritePixel(0, 1, 0xFF0000FFu);
  p->WritePixel(1, 1, 0xFFFFFFFFu);
  ImageRef image = ImageFromPixmap(p, 0);
  SetOrigin(10, 0);
  SetScale(3, 3);  // fans ignore scale and rotation
  DrawTexturedFan(image, {{400, 300, 0, 0}, {500, 300, 1, 0}, {500, 400, 1, 1}, {400, 400, 0, 1}});
  Pixmap got = Grab();
  ExpectBox(LitBox(got), {410, 300, 510, 400}, "fan");
  ExpectRGB(got.ReadPixel(430, 320), 255, 0, 0, 0, "top left");
  ExpectRGB(got.ReadPixel(490, 320), 0, 255, 0, 0, "top right");
  ExpectRGB(got.ReadPixel(430, 380), 0, 0, 255, 0, "bottom left");
  ExpectRGB(got.ReadPixel(490, 380), 255, 255, 255, 0, "bottom right");

  Cls();
  DrawTexturedFan(image, {{400, 300, 0, 0}, {500, 300, 1, 0}});  // no triangle
  EXPECT_TRUE(IsBlank(Grab()));

  // A triangle list: an index outside the vertices drops its triangle only,
  // and a trailing part of a triangle is ignored.
  Cls();
  SetOrigin(0, 0);
  DrawTexturedTriangles(image, {{100, 100, 0, 0}, {200, 100, 1, 0}, {200, 200, 1, 1}, {100, 200, 0, 1}},
                        {0, 1, 2, 0, 2, 9, 0, 2, -1, 0, 2});
  Pixmap list = Grab();
  ExpectRGB(list.ReadPixel(190, 110), 0, 255, 0, 0, "the good triangle");
  ExpectRGB(list.ReadPixel(110, 190), 0, 0, 0, 0, "the triangles with bad indices");
}

TEST_F(GraphicsCanvas, VirtualResolutionMapsPerAxis) {
  struct Case {
    int mode_w, mode_h, virt_w, virt_h;
  };
  for (const Case c : {Case{800, 600, 800, 600}, Case{1280, 720, 960, 600}, Case{1280, 800, 960, 600}}) {
    Open(c.mode_w, c.mode_h);
    SetVirtualResolution(c.virt_w, c.virt_h);
    EXPECT_EQ(GraphicsWidth(), c.mode_w);
    EXPECT_EQ(GraphicsHeight(), c.mode_h);
    const float sx = float(c.mode_w) / c.virt_w, sy = float(c.mode_h) / c.virt_h;
    DrawRect(300, 250, 30, 25);
    const std::string what = std::to_string(c.virt_w) + " on " + std::to_string(c.mode_w);
    ExpectBox(LitBox(Grab()), {int(300 * sx), int(250 * sy), int(330 * sx), int(275 * sy)}, what);
    float vx = 0, vy = 0;
    WindowToVirtual(600 * sx, 500 * sy, vx, vy);
    EXPECT_NEAR(vx, 600, 0.01) << what;
    EXPECT_NEAR(vy, 500, 0.01) << what;
  }
  // A rotated sprite under the uneven wide scale is sheared, not squared
  // (its box is 37.7 x 33.9 canvas pixels; the corners are sharp, hence 2 pixels' leeway).
  Open(1280, 720);
  SetVirtualResolution(960, 600);
  ImageRef square = Solid(20, 20, 0xFFFFFFFFu);
  square->MidHandle();
  SetRotation(45);
  DrawImage(square, 480, 300);
  const float half = 10 * std::sqrt(2.0f);
  const float sx = 1280.0f / 960, sy = 720.0f / 600;
  ExpectBox(LitBox(Grab()),
            {int(std::lround((480 - half) * sx)), int(std::lround((300 - half) * sy)),
             int(std::lround((480 + half) * sx)), int(std::lround((300 + half) * sy))},
            "rotated in the wide layout", 2);
}

TEST_F(GraphicsCanvas, GrabbedCanvasEqualsWhatWasDrawn) {
  auto p = std::make_shared<Pixmap>(32, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) p->WritePixel(x, y, 0xFF000000u | uint32_t(x * 8) << 16 | uint32_t(y * 16) << 8 | 77);
  ImageRef image = ImageFromPixmap(p, 0);
  DrawImage(image, 40, 30);
  Pixmap got = Grab();
  ASSERT_EQ(got.Width(), 800);
  ASSERT_EQ(got.Height(), 600);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(got.ReadPixel(40 + x, 30 + y), p->ReadPixel(x, y)) << x << "," << y;

  // Grabbing into an image, partly off the canvas: the part outside stays as it was.
  ImageRef into = CreateImage(10, 10);
  GrabImage(into, 60, 40);
  GrabImage(into, 795, 0);
  for (int y = 0; y < 6; ++y) EXPECT_EQ(into->Frame(0)->ReadPixel(7, y), p->ReadPixel(27, 10 + y));
  EXPECT_EQ(into->Frame(0)->ReadPixel(0, 0), 0xFF000000u);  // black canvas corner
  // The grab reaches the texture: drawing the image shows the new pixels.
  into->SetHandle(0, 0);
  DrawImage(into, 200, 200);
  GrabImage(into, 40, 30);
  Cls();
  DrawImage(into, 200, 200);
  EXPECT_EQ(Grab().ReadPixel(205, 205), p->ReadPixel(5, 5));
}

// The wide layout draws at its virtual size on the software renderer; what is
// read back is still mode-sized, and a layout change keeps what was drawn.
TEST_F(GraphicsCanvas, WideLayoutReadsBackAtTheModeSize) {
  Open(1280, 800);
  SetVirtualResolution(960, 600);
  SetColor(255, 0, 0);
  DrawRect(0, 0, 960, 600);
  SetColor(0, 0, 255);
  DrawRect(957, 597, 3, 3);  // the bottom right corner reaches the last mode pixel
  Pixmap canvas = Grab();
  ASSERT_EQ(canvas.Width(), 1280);
  ASSERT_EQ(canvas.Height(), 800);
  ExpectRGB(canvas.ReadPixel(1279, 799), 0, 0, 255, 0, "corner");
  ExpectRGB(canvas.ReadPixel(1276, 796), 0, 0, 255, 0, "corner");
  ExpectRGB(canvas.ReadPixel(1276, 795), 255, 0, 0, 0, "above the corner");

  // Grabbing a part equals the same part of the whole, off the edge included.
  ImageRef part = CreateImage(10, 10);
  for (const auto& at : {std::pair{0, 0}, std::pair{1273, 793}, std::pair{1275, 795}}) {
    GrabImage(part, at.first, at.second);
    for (int y = 0; y < 10 && at.second + y < 800; ++y)
      for (int x = 0; x < 10 && at.first + x < 1280; ++x)
        ASSERT_EQ(part->Frame(0)->ReadPixel(x, y), canvas.ReadPixel(at.first + x, at.second + y)) << x << "," << y;
  }

  SetVirtualResolution(800, 600);
  SetVirtualResolution(960, 600);
  Pixmap kept = Grab();
  ExpectRGB(kept.ReadPixel(640, 400), 255, 0, 0, 0, "kept over a layout change");
  ExpectRGB(kept.ReadPixel(1279, 799), 0, 0, 255, 0, "kept over a layout change");
}

TEST_F(GraphicsCanvas, TexturesFollowPixelWritesAndRendererSwitches) {
  ImageRef image = Solid(4, 4, 0xFFFF0000u);
  DrawImage(image, 10, 10);
  ExpectRGB(Grab().ReadPixel(11, 11), 255, 0, 0, 0, "first upload");
  image->Frame(0)->WritePixel(1, 1, 0xFF0000FFu);
  DrawImage(image, 10, 10);
  ExpectRGB(Grab().ReadPixel(11, 11), 0, 0, 255, 0, "after a pixel write");
  Open(800, 600);  // a new renderer: the old texture is gone
  DrawImage(image, 10, 10);
  ExpectRGB(Grab().ReadPixel(11, 11), 0, 0, 255, 0, "after a renderer switch");
}

// A sprite drawn again at the same scale comes from a copy kept at that
// size: it must land, tint and change exactly as the first, stretched draw.
TEST_F(GraphicsCanvas, ScaledSpritesDrawnAgainMatchTheFirstDrawAndFollowWrites) {
  struct Case {
    const char* name;
    float sx, sy;
    Box box;
  };
  const Case cases[] = {
      {"2 x 3", 2, 3, {100, 100, 140, 130}},
      {"3 x 2", 3, 2, {100, 100, 160, 120}},
      {"2 x 3 again", 2, 3, {100, 100, 140, 130}},
  };
  ImageRef image = RedGreen();
  for (int round = 0; round < 3; ++round) {
    for (const Case& c : cases) {
      const std::string what = std::string(c.name) + ", round " + std::to_string(round);
      Cls();
      SetTransform(0, c.sx, c.sy);
      DrawImage(image, 100.4f, 100.4f);
      Pixmap got = Grab();
      ExpectBox(LitBox(got), c.box, what);
      ExpectRGB(got.ReadPixel(c.box.x0 + 2, c.box.y0 + 2), 255, 0, 0, 0, what);
      ExpectRGB(got.ReadPixel(c.box.x1 - 2, c.box.y1 - 2), 0, 255, 0, 0, what);
    }
  }
  SetColor(128, 255, 255);
  SetAlpha(0.5f);
  SetTransform(0, 2, 3);
  Cls();
  DrawImage(image, 100, 100);
  ExpectRGB(Grab().ReadPixel(102, 102), 64, 0, 0, 2, "tinted copy");
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  image->Frame(0)->WritePixel(0, 0, 0xFF0000FFu);
  for (int i = 0; i < 2; ++i) {
    Cls();
    DrawImage(image, 100, 100);
    ExpectRGB(Grab().ReadPixel(100, 100), 0, 0, 255, 0, "after a pixel write, draw " + std::to_string(i));
  }
}

// Colours stop at 254, so a tint of 254 must draw exactly as white (the
// renderer's untinted path), while 253 still tints.
TEST_F(GraphicsCanvas, NearWhiteTintDrawsAsWhiteAndDarkerStillTints) {
  auto p = std::make_shared<Pixmap>(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) p->WritePixel(x, y, x < 4 ? 0xFFFFFFFFu : 0x80FFFFFFu | uint32_t(y * 30) << 8);
  ImageRef image = ImageFromPixmap(p, 0);
  struct Draw {
    const char* name;
    void (*draw)(const ImageRef&);
  };
  const Draw draws[] = {
      {"plain", [](const ImageRef& i) { DrawImage(i, 100, 100); }},
      {"stretched", [](const ImageRef& i) { DrawImageRect(i, 100, 100, 24, 16); }},
      {"tiled", [](const ImageRef& i) { TileImage(i, 3, 5); }},
      {"fan", [](const ImageRef& i) { DrawTexturedFan(i, {{100, 100, 0, 0}, {140, 100, 1, 0}, {100, 140, 0, 1}}); }},
  };
  struct Tint {
    int r, g, b, blend;
  };
  const Tint untinted[] = {{254, 254, 254, ALPHABLEND}, {255, 254, 255, ALPHABLEND}, {254, 254, 254, LIGHTBLEND},
                           {254, 254, 254, SOLIDBLEND}};
  for (const Draw& d : draws) {
    for (const Tint& t : untinted) {
      const std::string what = std::string(d.name) + " at " + std::to_string(t.r) + "," + std::to_string(t.g) +
                                ", blend " + std::to_string(t.blend);
      SetBlend(t.blend);
      SetClearColor(40, 60, 80);
      SetColor(255, 255, 255);
      d.draw(image);  // a stretch drawn twice comes from its scaled copy: both draws below do
      Cls();
      d.draw(image);
      const Pixmap white = Grab();
      Cls();
      SetColor(t.r, t.g, t.b);
      d.draw(image);
      const Pixmap near = Grab();
      ASSERT_EQ(white.Width(), near.Width());
      int differing = 0;
      for (int y = 0; y < white.Height(); ++y)
        for (int x = 0; x < white.Width(); ++x) differing += white.ReadPixel(x, y) != near.ReadPixel(x, y);
      EXPECT_EQ(differing, 0) << what;
    }
    SetBlend(ALPHABLEND);
    Cls();
    SetColor(253, 253, 253);
    d.draw(image);
    const std::string what = std::string(d.name) + " at 253";
    ExpectRGB(Grab().ReadPixel(101, 101), 253, 253, 253, 0, what);
  }
}

TEST_F(GraphicsCanvas, SeeThroughBoundsHoldEveryPixelShortOfOpaque) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> clear;  // pixels written with alpha 254
    int x, y, w, h;
  };
  const Case cases[] = {
      {"opaque throughout", {}, 0, 0, 0, 0},
      {"one pixel", {{3, 5}}, 3, 5, 1, 1},
      {"two corners", {{0, 9}, {11, 0}}, 0, 0, 12, 10},
      {"a row", {{2, 4}, {3, 4}, {4, 4}}, 2, 4, 3, 1},
  };
  for (const Case& c : cases) {
    auto p = std::make_shared<Pixmap>(12, 10);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 12; ++x) p->WritePixel(x, y, 0xFF102030u);
    for (const auto& [x, y] : c.clear) p->WritePixel(x, y, 0xFE102030u);
    ImageRef image = ImageFromPixmap(p, 0);
    int x = -1, y = -1, w = -1, h = -1;
    ASSERT_TRUE(SeeThroughBounds(image, 0, x, y, w, h)) << c.what;
    EXPECT_EQ(x, c.x) << c.what;
    EXPECT_EQ(y, c.y) << c.what;
    EXPECT_EQ(w, c.w) << c.what;
    EXPECT_EQ(h, c.h) << c.what;
    // A pixel written later moves them.
    image->Frame(0)->WritePixel(7, 8, 0x00000000u);
    ASSERT_TRUE(SeeThroughBounds(image, 0, x, y, w, h)) << c.what;
    EXPECT_LE(x, 7) << c.what;
    EXPECT_GT(x + w, 7) << c.what;
    EXPECT_GT(y + h, 8) << c.what;
  }
  int x = 0, y = 0, w = 0, h = 0;
  EXPECT_FALSE(SeeThroughBounds(nullptr, 0, x, y, w, h));
  EXPECT_FALSE(SeeThroughBounds(Solid(4, 4, 0xFFFFFFFFu), 1, x, y, w, h));
  CloseGraphics();
  EXPECT_FALSE(SeeThroughBounds(Solid(4, 4, 0xFFFFFFFFu), 0, x, y, w, h));
}

TEST_F(GraphicsCanvas, ShapesAndTextLandWhereAsked) {
  SetLineWidth(4);
  DrawLine(100, 100, 200, 100);
  ExpectBox(LitBox(Grab()), {100, 98, 200, 102}, "line");

  Cls();
  DrawOval(300, 200, 40, 20);
  Pixmap oval = Grab();
  ExpectBox(LitBox(oval), {300, 200, 340, 220}, "oval");
  EXPECT_EQ(oval.ReadPixel(301, 201) & 0xFFFFFF, 0u) << "corner outside the oval";

  Cls();
  // An L shape: concave, so a fan from the first point would spill over the notch.
  DrawPoly({100, 100, 160, 100, 160, 120, 120, 120, 120, 160, 100, 160});
  Pixmap poly = Grab();
  ExpectBox(LitBox(poly), {100, 100, 160, 160}, "polygon");
  EXPECT_NE(poly.ReadPixel(110, 150) & 0xFFFFFF, 0u);
  EXPECT_NE(poly.ReadPixel(150, 110) & 0xFFFFFF, 0u);
  EXPECT_EQ(poly.ReadPixel(140, 140) & 0xFFFFFF, 0u) << "the notch stays empty";

  Cls();
  SetRotation(90);
  DrawRect(400, 400, 20, 10);
  ExpectBox(LitBox(Grab()), {390, 400, 400, 420}, "turned rectangle");
  SetRotation(0);

  ASSERT_TRUE(PlatformFont()) << "DejaVu Sans missing";
  Cls();
  const int w = TextWidth("Hello"), h = TextHeight("Hello");
  EXPECT_GT(w, 20);
  EXPECT_GT(h, 8);
  EXPECT_GT(TextWidth("Hello Hello"), w);
  SetColor(0, 255, 0);
  DrawText("Hello", 50, 60);
  Pixmap text = Grab();
  const Box box = LitBox(text);
  EXPECT_GE(box.x0, 50);
  EXPECT_GE(box.y0, 60);
  EXPECT_LE(box.x1, 50 + w + 1);
  EXPECT_LE(box.y1, 60 + h + 1);
  EXPECT_GT(box.x1 - box.x0, w / 2);
  for (int y = box.y0; y < box.y1; ++y)
    for (int x = box.x0; x < box.x1; ++x) ASSERT_EQ((text.ReadPixel(x, y) >> 16) & 255, 0u) << "tinted green";
}

TEST_F(GraphicsCanvas, NullImagesAndClosedGraphicsDrawNothing) {
  DrawImage(nullptr, 10, 10);
  DrawImageRect(nullptr, 0, 0, 10, 10);
  TileImage(nullptr);
  DrawTexturedFan(nullptr, {{0, 0, 0, 0}, {10, 0, 1, 0}, {10, 10, 1, 1}});
  DrawImage(Solid(4, 4, 0xFFFFFFFFu), 10, 10, 1);  // no such frame
  EXPECT_TRUE(IsBlank(Grab()));
  CloseGraphics();
  EXPECT_FALSE(GraphicsOpen());
  EXPECT_EQ(GrabCanvas(), nullptr);
  DrawImage(Solid(4, 4, 0xFFFFFFFFu), 10, 10);
  DrawRect(0, 0, 10, 10);
  DrawText("x", 0, 0);
  Cls();
  Flip(false);
}

TEST_F(GraphicsCanvas, TileAndStretchCoverTheirAreas) {
  auto p = std::make_shared<Pixmap>(10, 10);
  p->WritePixel(0, 0, 0xFFFFFFFFu);  // one lit texel per tile
  ImageRef tile = ImageFromPixmap(p, 0);
  SetViewport(100, 100, 35, 25);
  TileImage(tile, 3, 4);
  Pixmap got = Grab();
  int lit = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x)
      if (got.ReadPixel(x, y) & 0xFFFFFF) {
        ++lit;
        EXPECT_EQ(x % 10, 3);
        EXPECT_EQ(y % 10, 4);
      }
  EXPECT_EQ(lit, 4 * 3);  // x 103..133, y 104..124

  Cls();
  SetViewport(0, 0, 800, 600);
  ImageRef image = RedGreen();
  image->SetHandle(10, 5);
  DrawSubImageRect(image, 200, 200, 40, 20, 10, 0, 10, 10);  // the green half, stretched
  Pixmap sub = Grab();
  ExpectBox(LitBox(sub), {160, 190, 200, 210}, "handle stretched with the piece");
  ExpectRGB(sub.ReadPixel(165, 195), 0, 255, 0, 0, "green only");
}

}  // namespace

namespace {

// A real window on SDL's dummy video driver (the tests' environment).
TEST(GraphicsWindow, FlipKeepsTheCanvasAndFullScreenKeepsTheAspect) {
  for (const int depth : {0, 32}) {
    if (!OpenGraphics(800, 600, depth, 60, false)) GTEST_SKIP() << "no window on this video driver";
    ResetDrawState();
    SetClearColor(0, 0, 0);
    Cls();
    DrawRect(10, 10, 5, 5);
    Flip(false);
    Flip(true);
    PixmapRef after = GrabCanvas();
    ASSERT_TRUE(after);
    EXPECT_EQ(after->ReadPixel(12, 12), 0xFFFFFFFFu) << "depth " << depth;
    EXPECT_EQ(after->ReadPixel(20, 20), 0xFF000000u) << "depth " << depth;
    // Whatever size the window has, its centre is the canvas centre.
    const DesktopMode desktop = GetDesktopMode();
    EXPECT_GT(desktop.refresh, 0);
    const float wx = depth ? desktop.width * 0.5f : 400, wy = depth ? desktop.height * 0.5f : 300;
    float vx = 0, vy = 0;
    WindowToVirtual(wx, wy, vx, vy);
    EXPECT_NEAR(vx, 400, 0.5) << "depth " << depth;
    EXPECT_NEAR(vy, 300, 0.5) << "depth " << depth;
    CloseGraphics();
  }
  ResetDrawState();
}

// Each flip shows the canvas in the window, the parts that changed since the
// last one included and the rest kept.
TEST(GraphicsWindow, FlipsShowEachChangeInTheWindow) {
  if (!OpenGraphics(800, 600, 0, 60, false)) GTEST_SKIP() << "no window on this video driver";
  SDL_Surface* shown = SDL_GetWindowSurface(internal::Window());
  if (!shown || shown->w != 800 || shown->h != 600 || GraphicsRendererName() != "software") {
    CloseGraphics();
    GTEST_SKIP() << "the window is not shown through the software canvas";
  }
  const auto at = [&](int x, int y) {
    return static_cast<uint32_t*>(shown->pixels)[y * (shown->pitch / 4) + x] & 0xFFFFFFu;
  };
  struct Step {
    float x, y;  // a white 20 x 20 square drawn this frame (none when negative)
    bool clear;  // the canvas cleared first
  };
  const Step steps[] = {{100, 100, true}, {500, 400, true}, {-1, -1, false}, {130, 90, false}, {700, 10, true}};
  std::vector<std::pair<float, float>> lit;
  ResetDrawState();
  SetClearColor(0, 0, 0);
  for (const Step& step : steps) {
    if (step.clear) {
      Cls();
      lit.clear();
    }
    if (step.x >= 0) {
      DrawRect(step.x, step.y, 20, 20);
      lit.emplace_back(step.x, step.y);
    }
    Flip(false);
    for (int y = 5; y < 600; y += 10)
      for (int x = 5; x < 800; x += 10) {
        bool white = false;
        for (const auto& [lx, ly] : lit) white = white || (x >= lx && x < lx + 20 && y >= ly && y < ly + 20);
        ASSERT_EQ(at(x, y), white ? 0xFFFFFFu : 0u) << "at " << x << "," << y << " after the square at " << step.x
                                                    << "," << step.y;
      }
  }
  CloseGraphics();
  ResetDrawState();
}

}  // namespace
