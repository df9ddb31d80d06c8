// Animated polygon scenes: the sway of their points, reading scene files
// (good and damaged), and drawing by layer.
#include "framework/media/poly_anim.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "draw_probe.h"
#include "framework/files/log.h"
#include "framework/media/resources.h"
#include "platform/stream.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "test_resources.h"

using namespace kelp;

namespace {

Ref<TPoint> Point(float ox, float oy, float ampX, float ampY, float speed, float angle) {
  auto p = TPoint::Create();
  p->ox = ox;
  p->oy = oy;
  p->scale->x = ampX;
  p->scale->y = ampY;
  p->anim_speed = speed;
  p->angle = angle;
  return p;
}

class PolyAnimTest : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::ResetMediaRooms(); }
  void TearDown() override { testsupport::ResetMediaRooms(); }
  std::vector<Ref<TPolyAnim>> All() const {
    std::vector<Ref<TPolyAnim>> out;
    for (const auto& a : PolyAnims()) out.push_back(a);
    return out;
  }
};

TEST_F(PolyAnimTest, PointsSwayOnCirclesAroundTheirRest) {
  struct Case {
    const char* what;
    float speed, angle, dt;
    float wantAngle;
  };
  const Case cases[] = {
      {"speed 0 keeps the start offset", 0, 90, 1, 90},
      {"steps by speed times dt", 10, 20, 2.5f, 45},
      {"wraps above 360", 100, 0, 4, 40},
      {"wraps below 0", -100, 10, 1, 270},
      {"wraps far below 0", -1000, 10, 1, 90},
  };
  for (const Case& c : cases) {
    auto anim = TPolyAnim::Create();
    anim->x = 100;
    anim->y = 200;
    auto p = Point(10, 20, 5, 3, c.speed, c.angle);
    anim->AddPoint(p);
    anim->AddPoint(Point(0, 0, 0, 0, 0, 0));
    p->u = 0.25f;
    p->v = 0.75f;
    anim->Update(c.dt);
    EXPECT_NEAR(p->angle, c.wantAngle, 1e-3) << c.what;
    const double rad = c.wantAngle * 3.14159265358979 / 180.0;
    EXPECT_NEAR(p->velocity->x, 5 * std::cos(rad), 1e-4) << c.what;
    EXPECT_NEAR(p->velocity->y, 3 * std::sin(rad), 1e-4) << c.what;
    EXPECT_NEAR(p->x, 10 + p->velocity->x, 1e-5) << c.what;
    EXPECT_NEAR(p->y, 20 + p->velocity->y, 1e-5) << c.what;
    ASSERT_EQ(anim->xyuv.size(), 8u) << c.what;
    EXPECT_EQ(anim->xyuv[0], p->x + 100) << c.what << ": the mesh offset is added";
    EXPECT_EQ(anim->xyuv[1], p->y + 200) << c.what;
    EXPECT_EQ(anim->xyuv[2], 0.25f) << c.what;
    EXPECT_EQ(anim->xyuv[3], 0.75f) << c.what;
    EXPECT_EQ(anim->xyuv[4], 100.0f) << c.what;
    EXPECT_EQ(anim->xyuv[5], 200.0f) << c.what;
  }
  // A broken frame factor leaves the mesh where it was.
  auto anim = TPolyAnim::Create();
  auto p = Point(0, 0, 5, 5, 10, 30);
  anim->AddPoint(p);
  anim->Update(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(p->angle, 30.0f);
}

TEST_F(PolyAnimTest, ListOperations) {
  auto a = TPolyAnim::Create();
  auto b = TPolyAnim::Create();
  EXPECT_EQ(All(), (std::vector<Ref<TPolyAnim>>{a, b}));
  EXPECT_EQ(a->Points.Count(), 0u);
  a->AddPoint(TPoint::Create());
  a->AddPoint(nullptr);
  EXPECT_EQ(a->Points.Count(), 1u);
  TPolyAnim::UpdateAnim(1);
  EXPECT_EQ(a->xyuv.size(), 4u);
  EXPECT_TRUE(b->xyuv.empty());
  TPolyAnim::ClearPoly();
  EXPECT_TRUE(All().empty());
  EXPECT_EQ(a->Points.Count(), 0u);
}

const char* const kScene = R"(<?xml version="1.0"?>
<Scene>
  <Poly>
    <Image value="IMAGE_LEAF"/>
    <Pos x="100.5" y="50" layer="1"/>
    <Point><Pos x="10" y="20"/><Tex u="0.25" v="0.5"/><Amp x="3" y="4"/><Anim speed="2" angle="45"/></Point>
    <Point><Pos x="30" y="20"/><Tex u="1" v="0"/></Point>
    <Point><Pos x="30" y="40"/><Tex u="1" v="1"/><Amp x="1" y="1"/></Point>
  </Poly>
  <Poly>
    <Image value="IMAGE_GONE"/>
    <Point><Pos x="0" y="0"/></Point><Point><Pos x="1" y="0"/></Point><Point><Pos x="1" y="1"/></Point>
  </Poly>
  <Poly>
    <Image value="IMAGE_LEAF"/>
    <Point><Pos x="0" y="0"/></Point><Point><Pos x="1" y="0"/></Point>
  </Poly>
  <Mesh>
    <Image value="IMAGE_LEAF"/>
    <Point/><Point/><Point/><Point/>
  </Mesh>
</Scene>
)";

TEST_F(PolyAnimTest, LoadsTheValidMeshesOfAScene) {
  testenv::TempDir dir;
  ASSERT_TRUE(OpenLog(dir.path()));
  const platform::ImageRef leaf = testsupport::AddImage("IMAGE_LEAF");
  testenv::WriteFile(dir / "polyanim.xml", kScene);
  TPolyAnim::Load(dir / "polyanim.xml");

  const auto all = All();
  ASSERT_EQ(all.size(), 2u) << "the missing image and the two-point mesh are left out";
  const TPolyAnim& a = *all[0];
  EXPECT_EQ(a.Image, leaf);
  EXPECT_EQ(a.x, 100.5f);
  EXPECT_EQ(a.y, 50.0f);
  EXPECT_EQ(a.layer, 1);
  std::vector<Ref<TPoint>> pts;
  for (const auto& p : a.Points) pts.push_back(p);
  ASSERT_EQ(pts.size(), 3u);
  EXPECT_EQ(pts[0]->ox, 10.0f);
  EXPECT_EQ(pts[0]->oy, 20.0f);
  EXPECT_EQ(pts[0]->u, 0.25f);
  EXPECT_EQ(pts[0]->v, 0.5f);
  EXPECT_EQ(pts[0]->scale->x, 3.0f);
  EXPECT_EQ(pts[0]->scale->y, 4.0f);
  EXPECT_EQ(pts[0]->anim_speed, 2.0f);
  EXPECT_EQ(pts[0]->angle, 45.0f);
  EXPECT_EQ(pts[1]->scale->x, 0.0f) << "a point without Amp does not borrow the next one's";
  EXPECT_EQ(pts[1]->anim_speed, 0.0f);
  EXPECT_EQ(pts[2]->oy, 40.0f);
  // Any element after the first Poly makes a mesh, whatever its name.
  EXPECT_EQ(all[1]->Points.Count(), 4u);
  EXPECT_EQ(all[1]->layer, 0);

  const std::string log = testenv::ReadFile(dir / "log.xml");
  EXPECT_NE(log.find("IMAGE_GONE"), std::string::npos);
  EXPECT_NE(log.find("fewer than three points"), std::string::npos);

  // A second load adds to the list; the stream form reads the same.
  TPolyAnim::Load(platform::OpenFileRead(dir / "polyanim.xml"));
  EXPECT_EQ(All().size(), 4u);
}

TEST_F(PolyAnimTest, UnreadableScenesAddNothing) {
  testenv::TempDir dir;
  testsupport::AddImage("IMAGE_LEAF");
  const std::string cut = std::string(kScene).substr(0, 400);
  testenv::WriteFile(dir / "cut.xml", cut);
  testenv::WriteFile(dir / "junk.xml", std::string("\xff\x00\x01garbage<<<", 13));
  TPolyAnim::Load(dir / "missing.xml");
  TPolyAnim::Load(platform::StreamRef());
  TPolyAnim::Load(dir / "junk.xml");
  EXPECT_TRUE(All().empty());
  TPolyAnim::Load(dir / "cut.xml");  // a cut-off file keeps the whole meshes it holds
  EXPECT_LE(All().size(), 1u);
  TPolyAnim::UpdateAnim(1);
}

class PolyAnimDrawTest : public draw_probe::Canvas {
 protected:
  void SetUp() override {
    testsupport::ResetMediaRooms();
    Canvas::SetUp();
  }
  void TearDown() override {
    testsupport::ResetMediaRooms();
    Canvas::TearDown();
  }
};

TEST_F(PolyAnimDrawTest, DrawsByLayerWhereThePointsAre) {
  auto a = TPolyAnim::Create();
  a->Image = draw_probe::Solid(4, 4, 0xFFFFFFFFu);
  a->x = 300;
  a->y = 200;
  a->layer = 1;
  for (auto [x, y] : {std::pair{0, 0}, {50, 0}, {50, 40}, {0, 40}}) a->AddPoint(Point(x, y, 0, 0, 0, 0));
  TPolyAnim::DrawAnim(1);
  EXPECT_TRUE(draw_probe::IsBlank(Grab())) << "nothing before the first update";
  TPolyAnim::UpdateAnim(1);
  TPolyAnim::DrawAnim(0);
  EXPECT_TRUE(draw_probe::IsBlank(Grab())) << "another layer";
  TPolyAnim::DrawAnim(1);
  draw_probe::ExpectBox(draw_probe::LitBox(Grab()), {300, 200, 350, 240}, "layer 1");

  platform::Cls();
  platform::SetAlpha(0.3f);
  TPolyAnim::DebugDrawAnim();
  const platform::Pixmap debug = Grab();
  draw_probe::ExpectBox(draw_probe::LitBox(debug), {300, 200, 350, 240}, "outline view");
  EXPECT_NEAR(int(draw_probe::RGB(debug, 320, 220) & 255), 120, 2) << "blue 200 at alpha 0.6";
  EXPECT_EQ(platform::GetAlpha(), 0.3f) << "the draw state comes back";
}

}  // namespace
