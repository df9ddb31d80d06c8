// Players of animated-image resources: frame stepping on a set GameTime,
// one-shot endings, missing resources, and the mirrored copy kept with the
// resource.
#include "framework/media/anim_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw_probe.h"
#include "framework/core/frame_clock.h"
#include "framework/files/log.h"
#include "framework/media/resources.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "test_resources.h"

using namespace kelp;

namespace {

// A strip whose frames are w x 1 pixels of the given colours, left to right.
platform::ImageRef Strip(const std::vector<std::vector<uint32_t>>& frames) {
  const int w = static_cast<int>(frames[0].size());
  auto image = platform::CreateImage(w, 1, static_cast<int>(frames.size()), 0);
  for (size_t f = 0; f < frames.size(); ++f) {
    auto p = std::make_shared<platform::Pixmap>(w, 1);
    for (int x = 0; x < w; ++x) p->WritePixel(x, 0, frames[f][x]);
    image->SetFrame(static_cast<int>(f), p);
  }
  return image;
}

class AnimImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetMediaRooms();
    GameTime = 1000;
  }
  void TearDown() override { testsupport::ResetMediaRooms(); }
  Ref<TResAnimImage> AddFrames(const std::string& id, int frames, int speed) {
    return testsupport::AddAnim(id, draw_probe::Solid(2, 2, 0xFFFFFFFFu, frames), speed);
  }
};

TEST_F(AnimImageTest, LoadTakesTheStripAndItsSpeed) {
  auto res = AddFrames("IMAGE_WALK", 4, 80);
  auto own = TAnimImage::Load2("image_walk", -1);
  ASSERT_TRUE(own);
  EXPECT_EQ(own->Image, std::get<platform::ImageRef>(res->Data));
  EXPECT_EQ(own->Frames, 4);
  EXPECT_EQ(own->FrameWidth, 2);
  EXPECT_EQ(own->FrameHeight, 2);
  EXPECT_EQ(own->AnimSpeed, 80);
  EXPECT_EQ(own->UpdTime, 1000);
  EXPECT_EQ(own->ResName, "image_walk");
  EXPECT_EQ(TAnimImage::Load2("IMAGE_WALK", 30)->AnimSpeed, 30);
}

TEST_F(AnimImageTest, FramesStepByGameTime) {
  struct Case {
    const char* what;
    int frames, speed, oneShoot, paused;
    bool draw;  // Draw, else Update
    std::vector<int> times, want;
  };
  const Case cases[] = {
      {"speed 0 never steps", 4, 0, 0, 0, true, {1500, 3000, 9000}, {0, 0, 0}},
      {"a loop wraps to 0", 4, 100, 0, 0, true, {1101, 1202, 1303, 1404, 1505}, {1, 2, 3, 0, 1}},
      {"Update steps the same", 4, 100, 0, 0, false, {1101, 1202, 1303, 1404}, {1, 2, 3, 0}},
      {"a step needs more than the frame time", 4, 100, 0, 0, true, {1100, 1101, 1201, 1202}, {0, 1, 1, 2}},
      {"a long gap is one step", 4, 100, 0, 0, true, {60000, 60050}, {1, 1}},
      {"paused holds", 4, 100, 0, 1, true, {1500, 3000}, {0, 0}},
      {"one-shot Draw ends on the last frame", 3, 100, 1, 0, true, {1101, 1202, 1303, 1404, 9000}, {1, 2, 2, 2, 2}},
      {"one-shot Update ends on frame 0", 3, 100, 1, 0, false, {1101, 1202, 1303, 1404, 9000}, {1, 2, 0, 0, 0}},
      {"one frame only", 1, 100, 0, 0, true, {1101, 1202}, {0, 0}},
  };
  for (const Case& c : cases) {
    const std::string id = "IMAGE_CASE_" + std::to_string(&c - cases);
    AddFrames(id, c.frames, c.speed);
    GameTime = 1000;
    auto anim = TAnimImage::Load2(id, -1);
    ASSERT_TRUE(anim) << c.what;
    anim->OneShoot = c.oneShoot;
    anim->Paused = c.paused;
    std::vector<int> got;
    for (int t : c.times) {
      GameTime = t;
      if (c.draw)
        anim->Draw(10, 10);
      else
        anim->Update();
      got.push_back(anim->Frame);
    }
    EXPECT_EQ(got, c.want) << c.what;
    if (c.oneShoot) {
      EXPECT_EQ(anim->Paused, 1) << c.what;
    }
  }
}

TEST_F(AnimImageTest, CompleteAtTheLastFrame) {
  AddFrames("IMAGE_A", 3, 100);
  auto anim = TAnimImage::Load2("IMAGE_A", -1);
  for (int frame : {0, 1}) {
    anim->Frame = frame;
    EXPECT_FALSE(anim->CheckComplete()) << frame;
  }
  anim->Frame = 2;
  EXPECT_TRUE(anim->CheckComplete());
}

TEST_F(AnimImageTest, MissingOrWrongKindGivesAPlayerThatDrawsNothing) {
  testenv::TempDir dir;
  ASSERT_TRUE(OpenLog(dir.path()));
  auto plain = New<TResImage>();
  ResManager->ResAddData("img/plain.png", "IMAGE_PLAIN", plain, "test");
  plain->Data = draw_probe::Solid(2, 2, 0xFFFFFFFFu);
  for (const char* id : {"IMAGE_NOWHERE", "IMAGE_PLAIN"}) {
    auto anim = TAnimImage::Load2(id, -1);
    ASSERT_TRUE(anim) << id;
    EXPECT_FALSE(anim->Image) << id;
    EXPECT_EQ(anim->Frames, 1) << id;
    EXPECT_EQ(anim->AnimSpeed, 0) << id;
    anim->OneShoot = 1;
    GameTime += 5000;
    anim->Draw(0, 0);
    anim->Update();
    EXPECT_EQ(anim->Frame, 0) << id;
    EXPECT_EQ(CreateMirrorImage(anim), nullptr) << id;
    EXPECT_NE(testenv::ReadFile(dir / "log.xml").find(id), std::string::npos) << id;
  }
  DrawAnimImage(nullptr, 0, 0);
  EXPECT_EQ(CreateMirrorImage(nullptr), nullptr);
}

TEST_F(AnimImageTest, MirrorIsMadeOncePerResourceAndToggles) {
  testenv::TempDir dir;
  ASSERT_TRUE(OpenLog(dir.path()));
  const uint32_t R = 0xFFFF0000u, G = 0xFF00FF00u, B = 0xFF0000FFu, W = 0xFFFFFFFFu;
  auto res = testsupport::AddAnim("IMAGE_FISH", Strip({{R, G}, {B, W}}), 100);
  const platform::ImageRef normal = std::get<platform::ImageRef>(res->Data);

  auto first = TAnimImage::Load2("IMAGE_FISH", -1);
  EXPECT_EQ(CreateMirrorImage(first), first) << "a new copy is made";
  ASSERT_TRUE(res->MirrorImage);
  EXPECT_EQ(first->Image, res->MirrorImage);
  EXPECT_EQ(first->Mirrored, 1);
  EXPECT_EQ(res->MirrorImage->Frames(), 2);
  EXPECT_EQ(res->MirrorImage->Frame(0)->ReadPixel(0, 0), G);
  EXPECT_EQ(res->MirrorImage->Frame(0)->ReadPixel(1, 0), R);
  EXPECT_EQ(res->MirrorImage->Frame(1)->ReadPixel(0, 0), W);
  EXPECT_EQ(res->MirrorImage->Frame(1)->ReadPixel(1, 0), B);
  EXPECT_EQ(normal->Frame(0)->ReadPixel(0, 0), R) << "the plain strip stays as it was";

  auto second = TAnimImage::Load2("IMAGE_FISH", -1);
  EXPECT_EQ(CreateMirrorImage(second), nullptr) << "the stored copy is reused";
  EXPECT_EQ(second->Image, res->MirrorImage);
  EXPECT_EQ(second->Mirrored, 1);

  EXPECT_EQ(CreateMirrorImage(first), nullptr);
  EXPECT_EQ(first->Image, normal);
  EXPECT_EQ(first->Mirrored, 0);

  const std::string log = testenv::ReadFile(dir / "log.xml");
  const std::string line = "Create mirror image for: IMAGE_FISH";
  const size_t at = log.find(line);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(log.find(line, at + 1), std::string::npos) << "one line per resource";
}

class AnimImageDrawTest : public draw_probe::Canvas {
 protected:
  void SetUp() override {
    testsupport::ResetMediaRooms();
    Canvas::SetUp();
    GameTime = 1000;
  }
  void TearDown() override {
    testsupport::ResetMediaRooms();
    Canvas::TearDown();
  }
};

TEST_F(AnimImageDrawTest, DrawsTheCurrentFrameMirroredOrNot) {
  const uint32_t R = 0xFFFF0000u, G = 0xFF00FF00u, B = 0xFF0000FFu, W = 0xFFFFFFFFu;
  auto image = Strip({{R, R, G, G}, {B, B, W, W}});
  image->MidHandle();
  auto res = New<TResAnimImage>();
  ResManager->ResAddData("img/s.png", "IMAGE_S", res, "test");
  res->FrameWidth = 4;
  res->FrameHeight = 1;
  res->FramesNum = 2;
  res->AnimSpeed = 0;
  res->Data = image;

  auto anim = TAnimImage::Load2("IMAGE_S", -1);
  platform::SetScale(10, 10);  // each texel 10 x 10, the frame 40 x 10 around (400, 300)
  struct Case {
    const char* what;
    int frame;
    bool mirrored;
    uint32_t left, right;
  };
  for (const Case& c : {Case{"frame 0", 0, false, 0xFF0000, 0x00FF00}, Case{"frame 1", 1, false, 0x0000FF, 0xFFFFFF},
                        Case{"frame 0 mirrored", 0, true, 0x00FF00, 0xFF0000},
                        Case{"frame 1 mirrored", 1, true, 0xFFFFFF, 0x0000FF},
                        Case{"frame out of range shows the last", 7, true, 0xFFFFFF, 0x0000FF}}) {
    platform::Cls();
    if (c.mirrored != (anim->Mirrored != 0)) CreateMirrorImage(anim);
    anim->Frame = c.frame;
    DrawAnimImage(anim, 400, 300);
    const platform::Pixmap got = Grab();
    draw_probe::ExpectBox(draw_probe::LitBox(got), {380, 295, 420, 305}, c.what);
    EXPECT_EQ(draw_probe::RGB(got, 385, 300), c.left) << c.what;
    EXPECT_EQ(draw_probe::RGB(got, 415, 300), c.right) << c.what;
  }
}

}  // namespace
