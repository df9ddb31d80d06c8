#include "world/effects/electro.h"

#include <gtest/gtest.h>

#include <vector>

#include "box_effects_env.h"
#include "scenes/level_scenes.h"
#include "world/block.h"
#include "world/effects/flash.h"
#include "world/world.h"

namespace kelp {
namespace {

using play_test::BoxEffects;
using scenes::MakeBox;
using play_test::PlayEffects;
using play_test::PlayEffectsCanvas;

struct Pt {
  int x, y, fixed;
  bool operator==(const Pt&) const = default;
};

std::vector<Pt> Rest(const TElectro& arc) {
  std::vector<Pt> out;
  for (const auto& v : arc.Vertices) out.push_back({v->x, v->y, v->static_});
  return out;
}

class Electro : public PlayEffects {};

TEST_F(Electro, AnArcOfNSegmentsHasNPlusTwoVerticesWithStillEnds) {
  auto arc = TElectro::Create(0, 0, 100, 0, 4);
  ASSERT_EQ(ElectroList.Last(), arc);
  EXPECT_EQ(Rest(*arc), (std::vector<Pt>{{0, 0, 1}, {25, 0, 0}, {50, 0, 0}, {75, 0, 0}, {100, 0, 0}, {100, 0, 1}}));
  EXPECT_FLOAT_EQ(arc->radius, 7.0f);
  EXPECT_FLOAT_EQ(arc->width, 1.0f);
  EXPECT_EQ(arc->hided, 0);
  // Steps are whole units along a whole-degree direction.
  auto slant = TElectro::Create(10, 10, 40, 50, 2);  // 53.13 degrees -> 53, step 25
  EXPECT_EQ(Rest(*slant), (std::vector<Pt>{{10, 10, 1}, {25, 29, 0}, {40, 49, 0}, {40, 50, 1}}));
}

TEST_F(Electro, ACountBelowOneMakesOneSegmentInsteadOfDividingByZero) {
  for (int count : {0, -3}) {
    auto arc = TElectro::Create(0, 0, 30, 40, count);
    EXPECT_EQ(Rest(*arc), (std::vector<Pt>{{0, 0, 1}, {30, 39, 0}, {30, 40, 1}})) << count;
  }
}

TEST_F(Electro, PositionRelaysTheVerticesAndAnEmptyArcIsLeftAlone) {
  auto arc = TElectro::Create(0, 0, 100, 0, 4);
  arc->Position(0, 0, 0, 60);  // 6 vertices, step 10, ending a step short
  EXPECT_EQ(Rest(*arc), (std::vector<Pt>{{0, 0, 1}, {0, 10, 0}, {0, 20, 0}, {0, 30, 0}, {0, 40, 0}, {0, 50, 1}}));
  TElectro::Clear();
  EXPECT_TRUE(ElectroList.IsEmpty());
  EXPECT_TRUE(arc->Vertices.IsEmpty());
  arc->Position(0, 0, 100, 100);
  arc->Update();
  EXPECT_TRUE(arc->Vertices.IsEmpty());
}

TEST_F(Electro, MoveShiftsTheRestPositionsTruncatingTheSum) {
  auto arc = TElectro::Create(0, 0, 20, 0, 1);
  arc->Move(2.7f, -1.5f);
  EXPECT_EQ(Rest(*arc), (std::vector<Pt>{{2, -1, 1}, {22, -1, 0}, {22, -1, 1}}));
}

TEST_F(Electro, OnlyLooseVerticesJitterWithinTheRadiusAndHiddenArcsStayStill) {
  auto arc = TElectro::Create(0, 0, 100, 0, 4);
  arc->radius = 3.0f;
  auto hidden = TElectro::Create(0, 0, 100, 0, 4);
  hidden->hide();
  bool moved = false;
  for (int i = 0; i < 200; ++i) {
    TVisuals::UpdateVisuals(1.0f);
    for (const auto& v : arc->Vertices) {
      if (v->static_) {
        EXPECT_EQ(v->_x, 0);
        EXPECT_EQ(v->_y, 0);
      }
      EXPECT_LE(std::abs(v->_x), 3);
      EXPECT_LE(std::abs(v->_y), 3);
      moved = moved || v->_x != 0 || v->_y != 0;
    }
    for (const auto& v : hidden->Vertices) EXPECT_TRUE(v->_x == 0 && v->_y == 0);
  }
  EXPECT_TRUE(moved);
}

TEST_F(Electro, PortalSparksAreShiftedByTheVillageScroll) {
  VillageScreen = New<TVillageMode>();
  VillageScreen->Scroll_x = 40.0f;
  auto arc = TElectro::Create(100, 0, 300, 0, 1);  // one loose vertex, at 300
  arc->radius = 0.0f;
  for (int i = 0; i < 2000 && CountOf<TFlash>() == 0; ++i) arc->PortalUpdate();
  auto spark = LastOf<TFlash>();
  ASSERT_NE(spark, nullptr);
  EXPECT_EQ(spark->x, 300 - 40);
  EXPECT_FLOAT_EQ(spark->scale, 1.5f);
  EXPECT_FLOAT_EQ(spark->alpha, 0.2f);
}

TEST_F(Electro, ClearingTheEffectsEmptiesTheArcs) {
  auto arc = TElectro::Create(0, 0, 10, 10, 2);
  TVisuals::ClearVisuals();
  EXPECT_TRUE(ElectroList.IsEmpty());
  EXPECT_TRUE(arc->Vertices.IsEmpty());
}

class BlockElectro : public BoxEffects {};

TEST_F(BlockElectro, ALinkOwnsAHiddenWideArcBetweenTheCentres) {
  auto a = MakeBox(TBlock::RED, 100, 100), b = MakeBox(TBlock::RED, 200, 100);
  auto link = TBlockElectro::Create(a, b, 0);
  ASSERT_EQ(VisualsList.Last(), link);
  EXPECT_EQ(link->Under + link->Over, 0);  // the normal layer
  EXPECT_EQ(link->Drawable, 1);
  ASSERT_NE(link->Electro, nullptr);
  EXPECT_EQ(link->Electro->hided, 1);
  EXPECT_FLOAT_EQ(link->Electro->width, 2.0f);
  EXPECT_EQ(link->Electro->Vertices.Count(), 6u);
  EXPECT_TRUE(ElectroList.Contains(link->Electro.get()));
}

TEST_F(BlockElectro, LinkSoundsAreLimitedToOnePerEightyMilliseconds) {
  auto a = MakeBox(TBlock::RED, 0, 0), b = MakeBox(TBlock::RED, 50, 0);
  const int start = GameTime;
  TBlockElectro::Create(a, b, 0);
  EXPECT_EQ(BlockElectroSoundTime, start);
  GameTime += 40;
  TBlockElectro::Create(a, b, 0);
  TBlockElectro::Create(a, b, 0);
  GameTime += 40;  // exactly 80 after: still too soon
  TBlockElectro::Create(a, b, 0);
  EXPECT_EQ(BlockElectroSoundTime, start);
  GameTime += 1;
  TBlockElectro::Create(a, b, 0);
  EXPECT_EQ(BlockElectroSoundTime, start + 81);
}

TEST_F(BlockElectro, FollowsTheBoxesWithARadiusByTheirDistance) {
  struct Case {
    float distance, radius;
  };
  for (Case c : {Case{260.0f, 14.0f}, Case{50.0f, 5.0f}}) {
    auto a = MakeBox(TBlock::RED, 100, 100), b = MakeBox(TBlock::RED, 100 + c.distance, 100);
    auto link = TBlockElectro::Create(a, b, 0);
    a->Center->y = 200;
    b->Center->y = 200;
    link->Update(1.0f);
    EXPECT_FLOAT_EQ(link->Electro->radius, c.radius) << c.distance;
    EXPECT_EQ(link->Electro->Vertices.First()->y, 200) << c.distance;
    EXPECT_EQ(link->Death, 0);
  }
}

TEST_F(BlockElectro, WhenABoxIsGoneTheLinkDiesWithSparksFlyingApart) {
  auto a = MakeBox(TBlock::RED, 100, 100), b = MakeBox(TBlock::RED, 200, 120);
  auto link = TBlockElectro::Create(a, b, 1);
  auto arc = link->Electro;
  b->Light = nullptr;
  const int before = CountOf<TFlash>();
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_FALSE(VisualsList.Contains(link.get()));
  EXPECT_EQ(link->Electro, nullptr);
  EXPECT_FALSE(ElectroList.Contains(arc.get()));
  // Two flashes, one at each centre.
  EXPECT_EQ(CountOf<TFlash>() - before, 2);
  ASSERT_EQ(GameInterface->Emitters.Count(), 2u);
  auto first = GameInterface->Emitters.First();
  auto second = GameInterface->Emitters.Last();
  EXPECT_FLOAT_EQ(first->x, 100.0f);
  EXPECT_FLOAT_EQ(second->y, 120.0f);
  EXPECT_FLOAT_EQ(first->Config->SpeedX[0], 0.5f);
  EXPECT_FLOAT_EQ(first->Config->SpeedX[1], 1.0f);
  EXPECT_FLOAT_EQ(second->Config->SpeedX[0], -0.5f);
  EXPECT_FLOAT_EQ(second->Config->SpeedX[1], -1.0f);
}

TEST_F(BlockElectro, DestroyTakesOutEveryLinkOfTheBox) {
  auto a = MakeBox(TBlock::RED, 0, 0), b = MakeBox(TBlock::RED, 50, 0), c = MakeBox(TBlock::RED, 100, 0);
  auto ab = TBlockElectro::Create(a, b, 0);
  auto bc = TBlockElectro::Create(b, c, 0);
  auto ca = TBlockElectro::Create(c, a, 0);
  TBlockElectro::Destroy(a);
  EXPECT_FALSE(VisualsList.Contains(ab.get()));
  EXPECT_TRUE(VisualsList.Contains(bc.get()));
  EXPECT_FALSE(VisualsList.Contains(ca.get()));
  bc->Remove();
  EXPECT_TRUE(VisualsList.IsEmpty());
  EXPECT_TRUE(ElectroList.IsEmpty());
}

class ElectroCanvas : public PlayEffectsCanvas {};

TEST_F(ElectroCanvas, DrawingInTheRayStyleLeavesTheStateAsItWas) {
  auto arc = TElectro::Create(100, 300, 700, 300, 4);
  arc->ray = 1;
  arc->width = 3.0f;
  platform::SetBlend(platform::LIGHTBLEND);
  platform::SetColor(1, 2, 3);
  platform::SetAlpha(0.5f);
  platform::SetLineWidth(7.0f);
  arc->Draw();
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 6);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.5f);
  EXPECT_FLOAT_EQ(platform::GetLineWidth(), 7.0f);
  EXPECT_NE(Pixel(400, 300), 0u);
}

TEST_F(ElectroCanvas, ALinkDrawsItsArcInTheNormalLayerOnly) {
  World = New<TWorld>();
  TBlockElectro::Create(MakeBox(TBlock::RED, 100, 300), MakeBox(TBlock::RED, 700, 300), 1);
  TElectro::DrawElectro();
  TVisuals::DrawVisuals_Under();
  TVisuals::DrawVisuals_Over();
  EXPECT_EQ(Pixel(400, 300), 0u);
  TVisuals::DrawVisuals();
  // The red style, added over black.
  const uint32_t c = Pixel(400, 300);
  EXPECT_GT(c >> 16, (c >> 8) & 0xFF);
}

TEST_F(ElectroCanvas, HiddenArcsAreNotDrawnByTheListPass) {
  auto hidden = TElectro::Create(100, 300, 700, 300, 4);
  hidden->hide();
  TElectro::DrawElectro();
  EXPECT_EQ(Pixel(400, 300), 0u);
  hidden->unhide();
  TElectro::DrawElectro();
  EXPECT_NE(Pixel(400, 300), 0u);
}

}  // namespace
}  // namespace kelp
