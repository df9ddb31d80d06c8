// Reusable drawing on the headless canvas: a stretch drawn again as before
// gives the canvas that drawing it would, and whatever changes in it (a draw,
// a texture's pixels, the clear it starts from) is drawn anew.
#include <gtest/gtest.h>

#include <vector>

#include "platform/canvas_reuse.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/window.h"

using namespace platform;

namespace {

struct Scene {
  ImageRef picture;
  int rect_red = 120;
  int clear_red = 0;
};

// One frame: the clear, a picture, a rectangle and a dimming of the whole
// screen (held back when `reuse`), then a square drawn after them.
std::vector<uint32_t> Frame(const Scene& scene, bool reuse) {
  SetClearColor(scene.clear_red, 0, 0);
  Cls();
  if (reuse) BeginReusableDrawing();
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  DrawImage(scene.picture, 10.0f, 10.0f);
  SetColor(scene.rect_red, 80, 40);
  DrawRect(300.0f, 200.0f, 50.0f, 40.0f);
  SetColor(0, 0, 0);
  SetAlpha(0.5f);
  DrawRect(0.0f, 0.0f, 800.0f, 600.0f);
  SetAlpha(1.0f);
  if (reuse) EndReusableDrawing();
  SetColor(255, 255, 255);
  DrawRect(600.0f, 500.0f, 10.0f, 10.0f);
  PixmapRef grab = GrabCanvas();
  return grab ? std::vector<uint32_t>(grab->Pixels(), grab->Pixels() + 800 * 600) : std::vector<uint32_t>();
}

TEST(GraphicsReuse, RepeatedDrawingGivesTheSameCanvasAndChangesAreDrawn) {
  ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, true));
  ResetDrawState();
  auto pixels = std::make_shared<Pixmap>(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) pixels->WritePixel(x, y, 0x80000000u | uint32_t(x * 6) << 16 | uint32_t(y * 8));
  Scene scene{ImageFromPixmap(pixels, 0)};

  const std::vector<uint32_t> drawn = Frame(scene, false);
  ASSERT_FALSE(drawn.empty());
  // Drawn, drawn again and kept, then reused.
  for (const char* time : {"first", "second", "third"}) EXPECT_EQ(Frame(scene, true), drawn) << time;

  struct Change {
    const char* what;
    void (*apply)(Scene&);
  };
  const Change changes[] = {
      {"a draw's colour", [](Scene& s) { s.rect_red = 200; }},
      {"the clear", [](Scene& s) { s.clear_red = 60; }},
      {"a texture's pixels", [](Scene& s) { s.picture->Frame(0)->WritePixel(5, 5, 0xFF00FF00u); }},
  };
  for (const Change& c : changes) {
    c.apply(scene);
    const std::vector<uint32_t> again = Frame(scene, true);
    EXPECT_NE(again, drawn) << c.what;
    EXPECT_EQ(again, Frame(scene, false)) << c.what;
    for (const char* time : {"second", "third"}) EXPECT_EQ(Frame(scene, true), again) << c.what << ", " << time;
  }

  // A read inside the stretch sees what it has drawn so far.
  SetClearColor(0, 0, 0);
  Cls();
  BeginReusableDrawing();
  SetColor(255, 255, 255);
  DrawRect(100.0f, 100.0f, 10.0f, 10.0f);
  PixmapRef inside = GrabCanvas();
  EndReusableDrawing();
  ASSERT_TRUE(inside);
  EXPECT_EQ(inside->ReadPixel(105, 105) & 0xFFFFFFu, 0xFFFFFFu);
  CloseGraphics();
  ResetDrawState();
}

}  // namespace
