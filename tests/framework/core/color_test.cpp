#include "framework/core/color.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/graphics_state.h"

using namespace kelp;

namespace {

class ColorTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::ResetDrawState(); }
  void TearDown() override { platform::ResetDrawState(); }
  static void ExpectDrawColor(int r, int g, int b) {
    int dr, dg, db;
    platform::GetColor(dr, dg, db);
    EXPECT_EQ(dr, r);
    EXPECT_EQ(dg, g);
    EXPECT_EQ(db, b);
  }
};

}  // namespace

TEST_F(ColorTest, SetLimitsChannelsTo0Through254AndKeepsTheLimits) {
  auto white = CreateColor(255, 255, 255);
  white->Set();
  ExpectDrawColor(254, 254, 254);
  EXPECT_EQ(white->r, 254);
  EXPECT_EQ(white->g, 254);
  EXPECT_EQ(white->b, 254);

  auto c = TColor::Create(-20, 300, 100);
  c->Set();
  ExpectDrawColor(0, 254, 100);
  EXPECT_EQ(c->r, 0);
}

TEST_F(ColorTest, SetAppliesAlphaOnlyWithUseAlpha) {
  platform::SetAlpha(0.9f);
  CreateColor(1, 2, 3)->Set();
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.9f);
  auto c = CreateColorAlpha(1, 2, 3, 0.25f);
  EXPECT_EQ(c->UseAlpha, 1);
  EXPECT_FLOAT_EQ(c->a0, 0.25f);
  ApplyColor(c);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.25f);
  ExpectDrawColor(1, 2, 3);
}

TEST_F(ColorTest, CalcColorBlendsInTruncatingIntegers) {
  struct Case {
    int t, total;
    int r, g, b;
    float a;
    int fulltime;
  };
  const Case cases[] = {
      {0, 1000, 0, 0, 0, 0.0f, 0},
      {500, 1000, 127, 50, 5, 0.5f, 0},
      {999, 1000, 254, 99, 9, 0.999f, 0},
      {1000, 1000, 255, 100, 10, 1.0f, 1},
      {1500, 1000, 382, 150, 15, 1.5f, 1},  // runs on past the end colour
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.t);
    TColor c;
    c.StartColor(0, 0, 0, 0.0f);
    c.EndColor(255, 100, 10, 1.0f);
    c.CalcColor(k.t, k.total);
    EXPECT_EQ(c.r, k.r);
    EXPECT_EQ(c.g, k.g);
    EXPECT_EQ(c.b, k.b);
    EXPECT_FLOAT_EQ(c.a, k.a);
    EXPECT_EQ(c.fulltime, k.fulltime);
  }
}

TEST_F(ColorTest, EndColorKeepsEachChannelInItsField) {
  TColor c;
  c.EndColor(1, 2, 3, 0.5f);
  EXPECT_EQ(c.r1, 1);
  EXPECT_EQ(c.g1, 2);
  EXPECT_EQ(c.b1, 3);
  EXPECT_FLOAT_EQ(c.a1, 0.5f);
}

TEST_F(ColorTest, CalcColorWithZeroTotalChangesNothing) {
  auto c = CreateColor(10, 20, 30);
  c->EndColor(200, 200, 200, 1.0f);
  c->fulltime = 0;
  c->CalcColor(500, 0);
  EXPECT_EQ(c->r, 10);
  EXPECT_EQ(c->g, 20);
  EXPECT_EQ(c->b, 30);
  EXPECT_EQ(c->fulltime, 0);
}

TEST_F(ColorTest, SetCalcColorFarPastTheEndStaysInRange) {
  auto c = CreateColor(0, 255, 0);
  c->EndColor(255, 0, 255, 1.0f);
  c->SetCalcColor(INT_MAX, 1);  // the product would overflow an int
  ExpectDrawColor(254, 0, 254);
  EXPECT_EQ(c->fulltime, 1);
}

TEST_F(ColorTest, SetNewColorChangesOnlyTheCurrentColour) {
  auto c = CreateColor(10, 20, 30);
  c->SetNewColor(40, 50, 60);
  EXPECT_EQ(c->r, 40);
  EXPECT_EQ(c->b, 60);
  EXPECT_EQ(c->r0, 10);
  EXPECT_EQ(c->b0, 30);
}

TEST_F(ColorTest, CreateSetsOnlyTheCurrentColour) {
  auto c = TColor::Create(10, 20, 30);
  EXPECT_EQ(c->g, 20);
  EXPECT_EQ(c->r0, 0);
  EXPECT_EQ(c->UseAlpha, 0);
  auto d = CreateColor(10, 20, 30);
  EXPECT_EQ(d->r0, 10);
  EXPECT_EQ(d->g0, 20);
  EXPECT_EQ(d->b0, 30);
  EXPECT_EQ(d->UseAlpha, 0);
}

TEST_F(ColorTest, OffsetColorShiftsCurrentAndStartAndDropsTheEnd) {
  auto src = CreateColorAlpha(100, 110, 120, 0.5f);
  src->EndColor(1, 2, 3, 1.0f);
  src->fulltime = 1;
  auto c = OffsetColor(src, -30);
  ASSERT_TRUE(c);
  EXPECT_NE(c, src);
  EXPECT_EQ(c->r, 70);
  EXPECT_EQ(c->g, 80);
  EXPECT_EQ(c->b, 90);
  EXPECT_EQ(c->r0, 70);
  EXPECT_EQ(c->b0, 90);
  EXPECT_FLOAT_EQ(c->a, 0.5f);
  EXPECT_FLOAT_EQ(c->a0, 0.5f);
  EXPECT_EQ(c->UseAlpha, 1);
  EXPECT_EQ(c->r1, 0);
  EXPECT_FLOAT_EQ(c->a1, 0.0f);
  EXPECT_EQ(c->fulltime, 0);
  EXPECT_EQ(src->r, 100);
}

TEST_F(ColorTest, NullColourIsHarmless) {
  platform::SetColor(5, 6, 7);
  ApplyColor(nullptr);
  ExpectDrawColor(5, 6, 7);
  EXPECT_EQ(OffsetColor(nullptr, 10), nullptr);
}

TEST_F(ColorTest, SharedColoursHaveTheirValuesAndAreRecreated) {
  InitColors();
  struct Case {
    const Ref<TColor>& c;
    int r, g, b;
  };
  const Case cases[] = {
      {ColorPeach, 252, 187, 143}, {ColorCream, 255, 230, 180}, {ColorWhite, 255, 255, 255}, {ColorDark, 10, 10, 30}};
  for (const Case& k : cases) {
    ASSERT_TRUE(k.c);
    EXPECT_EQ(k.c->r, k.r);
    EXPECT_EQ(k.c->g, k.g);
    EXPECT_EQ(k.c->b, k.b);
    EXPECT_EQ(k.c->r0, k.r);
    EXPECT_EQ(k.c->UseAlpha, 0);
  }
  ColorWhite->Set();  // limits the shared colour to 254
  InitColors();
  EXPECT_EQ(ColorWhite->r, 255);
}
