// Collision layers: images written as drawn, tested by their opaque pixels.
#include <gtest/gtest.h>

#include "platform/draw.h"
#include "platform/graphics_state.h"

using namespace platform;

namespace {

// 20 x 20, left half opaque, right half clear.
ImageRef HalfOpaque() {
  auto p = std::make_shared<Pixmap>(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 10; ++x) p->WritePixel(x, y, 0xFFFFFFFFu);
  return ImageFromPixmap(p, 0);
}

class GraphicsCollision : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDrawState();
    ResetCollisions();
  }
  void TearDown() override {
    ResetDrawState();
    ResetCollisions();
  }
  int a = 0, b = 0;  // their addresses are the ids
};

TEST_F(GraphicsCollision, PointsHitOnlyOpaquePixelsAsDrawn) {
  ImageRef image = HalfOpaque();
  // Plain at (100, 100) into layer 1; turned 90 degrees about its centre at (200, 200) into layer 2.
  CollideImage(image, 100, 100, 0, 0, 1, &a);
  image->MidHandle();
  SetRotation(90);
  CollideImage(image, 200, 200, 0, 0, 2, &b);
  SetRotation(0);
  struct Case {
    float x, y;
    uint32_t mask;
    void* want;  // null: no hit
  };
  const Case cases[] = {
      {105, 105, 1, &a},
      {115, 105, 1, nullptr},  // clear half
      {125, 105, 1, nullptr},  // outside
      {105, 105, 2, nullptr},  // other layer
      {105, 105, 3, &a},
      // The opaque left half, turned, lies above the centre: x 190..210, y 190..200.
      {200, 195, 2, &b},
      {205, 191, 2, &b},
      {200, 205, 2, nullptr},
      {185, 195, 2, nullptr},
  };
  for (const Case& c : cases) {
    std::vector<void*> hits = CollideRect(c.x, c.y, 1, 1, c.mask, 0, nullptr);
    if (c.want) {
      EXPECT_EQ(hits, std::vector<void*>{c.want}) << c.x << "," << c.y << " mask " << c.mask;
    } else {
      EXPECT_TRUE(hits.empty()) << c.x << "," << c.y << " mask " << c.mask;
    }
  }
}

TEST_F(GraphicsCollision, ImagesTestBeforeWritingAndLayersReset) {
  ImageRef image = HalfOpaque();
  SetOrigin(50, 0);  // the origin moves shapes as it moves drawing
  EXPECT_TRUE(CollideImage(image, 100, 100, 0, 1, 1, &a).empty()) << "nothing there yet";
  EXPECT_EQ(CollideRect(105, 105, 1, 1, 1, 0, nullptr), std::vector<void*>{&a});
  // Overlapping only the clear half of the first: no hit.
  EXPECT_TRUE(CollideImage(image, 110, 100, 0, 1, 4, &b).empty());
  // Overlapping its opaque half: hit, once, though written to two layers.
  CollideImage(image, 95, 100, 0, 0, 2, &a);
  EXPECT_EQ(CollideImage(image, 105, 105, 0, 1 | 2 | 4, 0, &b), (std::vector<void*>{&a, &b}));
  ResetCollisions(1 | 2);
  EXPECT_EQ(CollideImage(image, 105, 105, 0, 0xFFFFFFFFu, 0, nullptr), std::vector<void*>{&b});
  ResetCollisions();
  EXPECT_TRUE(CollideRect(105, 105, 1, 1, 0xFFFFFFFFu, 0, nullptr).empty());
  EXPECT_TRUE(CollideImage(nullptr, 0, 0, 0, 1, 1, &a).empty());
}

}  // namespace
