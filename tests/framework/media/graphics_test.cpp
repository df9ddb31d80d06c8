#include "framework/core/color.h"
#include "framework/core/geometry.h"
#include "framework/core/numbers.h"
#include "framework/core/random.h"
#include "framework/files/save_strings.h"
#include "framework/media/graphics_state.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <optional>
#include <set>

#include "platform/draw.h"
#include "platform/input.h"
#include "platform/window.h"
#include "reset_rooms.h"

using namespace kelp;

namespace {

// A font object to compare by identity; nothing is drawn with it.
platform::ImageFontRef FakeFont() {
  auto owner = std::make_shared<int>(0);
  return platform::ImageFontRef(owner, reinterpret_cast<platform::ImageFont*>(owner.get()));
}

struct StateSnapshot {
  int blend, r, g, b, vx, vy, vw, vh;
  float rot, sx, sy, alpha, ox, oy, lw;
  platform::ImageFontRef font;
  static StateSnapshot Take() {
    StateSnapshot s;
    s.blend = platform::GetBlend();
    platform::GetColor(s.r, s.g, s.b);
    platform::GetViewport(s.vx, s.vy, s.vw, s.vh);
    s.rot = platform::GetRotation();
    platform::GetScale(s.sx, s.sy);
    s.alpha = platform::GetAlpha();
    platform::GetOrigin(s.ox, s.oy);
    s.lw = platform::GetLineWidth();
    s.font = platform::GetImageFont();
    return s;
  }
  bool operator==(const StateSnapshot& o) const {
    return blend == o.blend && r == o.r && g == o.g && b == o.b && vx == o.vx && vy == o.vy && vw == o.vw &&
           vh == o.vh && rot == o.rot && sx == o.sx && sy == o.sy && alpha == o.alpha && ox == o.ox && oy == o.oy &&
           lw == o.lw && font == o.font;
  }
};

void SetEverything(int k, const platform::ImageFontRef& font) {
  platform::SetBlend(k % 5 + 1);
  platform::SetColor(k, k + 1, k + 2);
  platform::SetViewport(k, k + 3, 100 + k, 200 + k);
  platform::SetRotation(10.0f * k);
  platform::SetScale(1.5f + k, 0.5f + k);
  platform::SetAlpha(0.1f * k);
  platform::SetOrigin(3.0f * k, -2.0f * k);
  platform::SetLineWidth(1.0f + k);
  platform::SetImageFont(font);
}

class GraphicsState : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetMediaRooms();
    platform::ResetDrawState();
  }
  void TearDown() override {
    testsupport::ResetMediaRooms();
    platform::ResetDrawState();
  }
};

std::optional<std::pair<float, float>> P(const Ref<TVector>& v) {
  if (!v) return std::nullopt;
  return std::make_pair(v->x, v->y);
}

}  // namespace

TEST_F(GraphicsState, PopRestoresEverySavedFieldInNestedPairs) {
  const auto fontA = FakeFont(), fontB = FakeFont();
  SetEverything(1, fontA);
  const auto outer = StateSnapshot::Take();
  PushGraphicsState();
  SetEverything(2, fontB);
  const auto inner = StateSnapshot::Take();
  PushGraphicsState();
  SetEverything(3, nullptr);
  PopGraphicsState();
  EXPECT_TRUE(StateSnapshot::Take() == inner);
  PopGraphicsState();
  EXPECT_TRUE(StateSnapshot::Take() == outer);
  EXPECT_TRUE(GraphicsStateStack->IsEmpty());
}

TEST_F(GraphicsState, SurplusPopChangesNothing) {
  SetEverything(4, FakeFont());
  const auto before = StateSnapshot::Take();
  PopGraphicsState();
  EXPECT_TRUE(StateSnapshot::Take() == before);
}

TEST(Graphics, RectContainsExcludesRightAndBottomEdges) {
  const TRect r(10, 20, 30, 40);
  struct Case {
    int x, y;
    bool in;
  };
  const Case cases[] = {{10, 20, true}, {39, 59, true}, {40, 20, false}, {10, 60, false},
                        {9, 30, false},  {20, 19, false}, {25, 35, true}};
  for (const Case& k : cases) EXPECT_EQ(r.Contains(k.x, k.y), k.in) << k.x << "," << k.y;
}

TEST(Graphics, RectIntersectsOnlyWithOverlapNotOnTouch) {
  const TRect r(0, 0, 10, 10);
  struct Case {
    TRect o;
    bool hit;
  };
  const Case cases[] = {
      {{10, 0, 5, 5}, false},  {{-5, 0, 5, 5}, false}, {{0, 10, 5, 5}, false}, {{0, -5, 5, 5}, false},
      {{9, 9, 5, 5}, true},    {{-4, -4, 5, 5}, true}, {{2, 2, 1, 1}, true},   {{-5, -5, 20, 20}, true},
      {{20, 20, 5, 5}, false},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(r.Intersects(k.o), k.hit) << k.o.x << "," << k.o.y;
    EXPECT_EQ(k.o.Intersects(r), k.hit) << k.o.x << "," << k.o.y;
  }
}

TEST(Graphics, PointInRectIncludesAllEdgesAndIsOutOfBoundsExcludesFarOnes) {
  EXPECT_TRUE(PointInRect(40, 60, 10, 20, 30, 40));
  EXPECT_TRUE(PointInRect(10, 20, 10, 20, 30, 40));
  EXPECT_FALSE(PointInRect(41, 60, 10, 20, 30, 40));
  EXPECT_FALSE(PointInRect(40, 61, 10, 20, 30, 40));
  EXPECT_FALSE(PointInRect(9, 20, 10, 20, 30, 40));
  EXPECT_TRUE(PointInRect(INT_MAX, 0, INT_MAX - 5, 0, 10, 10));  // rx + rw beyond the int range
  struct Case {
    int x, y;
    bool out;
  };
  const Case cases[] = {{0, 0, false}, {99, 49, false}, {100, 0, true}, {0, 50, true}, {-1, 0, true}, {0, -1, true}};
  for (const Case& k : cases) EXPECT_EQ(IsOutOfBounds(k.x, k.y, 100, 50), k.out) << k.x << "," << k.y;
}

TEST(Graphics, VectorsAndDistances) {
  auto v = CreateVector(3, -4);
  TVector& same = v->Reverse();
  EXPECT_EQ(&same, v.get());
  EXPECT_FLOAT_EQ(v->x, -3.0f);
  EXPECT_FLOAT_EQ(v->y, 4.0f);
  auto r = CreateRect(1, 2, 3, 4);
  EXPECT_FLOAT_EQ(r->width, 3.0f);
  EXPECT_FLOAT_EQ(r->height, 4.0f);
  EXPECT_FLOAT_EQ(Distance(0, 0, 3, 4), 5.0f);
  EXPECT_FLOAT_EQ(PointDistance(1, 1, -2, -3), 5.0f);
  EXPECT_FLOAT_EQ(Distance(7, 7, 7, 7), 0.0f);
}

TEST(Graphics, ScaledRandomDrawsStayInTheirRanges) {
  SeedRnd(21);
  struct Case {
    int lo, hi;
    float f;
    int wantLo, wantHi;
  };
  const Case cases[] = {{10, 20, 2.0f, 5, 10}, {10, 20, 0.0f, 10, 20}, {-7, 7, 2.0f, -3, 3}, {10, 20, 0.5f, 20, 40}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.f);
    std::set<int> seen;
    for (int i = 0; i < 3000; ++i) {
      const int v = RandScaled(k.lo, k.hi, k.f);
      ASSERT_GE(v, k.wantLo);
      ASSERT_LE(v, k.wantHi);
      seen.insert(v);
    }
    EXPECT_EQ(*seen.begin(), k.wantLo);
    EXPECT_EQ(*seen.rbegin(), k.wantHi);
  }
  for (int i = 0; i < 1000; ++i) {
    const float a = RndScaled(10.0f, 20.0f, 2.0f);
    ASSERT_GE(a, 5.0f);
    ASSERT_LE(a, 10.0f);
    const float b = RndScaled(10.0f, 20.0f, 0.0f);
    ASSERT_GE(b, 10.0f);
    ASSERT_LE(b, 20.0f);
  }
}

TEST(Graphics, MaybeAndSignDraws) {
  SeedRnd(5);
  std::set<int> signs, maybes;
  for (int i = 0; i < 2000; ++i) {
    signs.insert(RandomSign());
    maybes.insert(RandMaybe(1, 3));
    ASSERT_EQ(RandMaybe(0, 9), 0);  // [0, 0] always draws 0
    ASSERT_EQ(RandMaybe(9, 0), 0);
    const float f = RndMaybe(1.0f, 2.0f);
    ASSERT_GE(f, 0.0f);
    ASSERT_LE(f, 2.0f);
    ASSERT_EQ(RndMaybe(0.0f, 5.0f), 0.0f);
  }
  EXPECT_EQ(signs, (std::set<int>{-1, 1}));
  EXPECT_EQ(maybes, (std::set<int>{0, 1, 2, 3}));
}

TEST(Graphics, PixelChannels) {
  const int p = static_cast<int>(0xFF1A2B3Cu);  // opaque: negative as an int
  EXPECT_EQ(GetRed(p), 0x1A);
  EXPECT_EQ(GetGreen(p), 0x2B);
  EXPECT_EQ(GetBlue(p), 0x3C);
  EXPECT_EQ(GetRed(0x00FF0000), 255);
  EXPECT_EQ(GetBlue(-1), 255);
}

TEST(Graphics, EasingSteppingAndClamping) {
  EXPECT_FLOAT_EQ(EaseTowards(0, 10, 4), 2.5f);
  EXPECT_FLOAT_EQ(EaseTowards(10, 0, 2), 5.0f);
  EXPECT_FLOAT_EQ(StepTowards(0, 10, 4), 2.5f);
  EXPECT_FLOAT_EQ(StepTowards(10, 0, 4), 7.5f);
  EXPECT_FLOAT_EQ(StepTowards(-2, -10, 2), -6.0f);
  EXPECT_FLOAT_EQ(StepTowards(5, 5, 3), 5.0f);  // stays, does not drop to 0
  EXPECT_FLOAT_EQ(Clamp(5, 0, 3), 3.0f);
  EXPECT_FLOAT_EQ(Clamp(-1, 0, 3), 0.0f);
  EXPECT_FLOAT_EQ(Clamp(2, 0, 3), 2.0f);
  EXPECT_FLOAT_EQ(Clamp(0, 0, 3), 0.0f);
}

TEST(Graphics, PickRandomItemDrawsFromTheLeadingEntries) {
  SeedRnd(3);
  EXPECT_EQ(PickRandomItem(std::vector<Ref<TVector>>{}), nullptr);
  EXPECT_EQ(PickRandomItem(std::vector<Ref<TVector>>{nullptr, nullptr}), nullptr);
  const std::vector<Ref<TVector>> items = {CreateVector(1, 0), CreateVector(2, 0), CreateVector(3, 0), nullptr, nullptr};
  std::set<float> seen;
  for (int i = 0; i < 500; ++i) {
    auto v = PickRandomItem(items);
    ASSERT_TRUE(v);
    seen.insert(v->x);
  }
  EXPECT_EQ(seen, (std::set<float>{1, 2, 3}));
}

TEST(Graphics, IntersectSegments) {
  using Pt = std::optional<std::pair<float, float>>;
  struct Case {
    const char* name;
    TVector a1, a2, b1, b2;
    Pt want;
  };
  const Case cases[] = {
      {"cross", {0, 0}, {10, 10}, {0, 10}, {10, 0}, std::make_pair(5.0f, 5.0f)},
      {"end point to end point", {0, 0}, {10, 10}, {10, 10}, {20, 0}, std::make_pair(10.0f, 10.0f)},
      {"end point on the other's middle", {0, 5}, {5, 5}, {5, 0}, {5, 10}, std::make_pair(5.0f, 5.0f)},
      {"lines cross beyond the segments", {0, 0}, {1, 1}, {0, 10}, {10, 0}, std::nullopt},
      {"parallel", {0, 0}, {10, 0}, {0, 5}, {10, 5}, std::nullopt},
      {"parallel diagonal", {0, 0}, {10, 10}, {1, 0}, {11, 10}, std::nullopt},
      {"collinear vertical, b inside a", {5, 0}, {5, 600}, {5, 200}, {5, 100}, std::make_pair(5.0f, 100.0f)},
      {"collinear vertical, b sticks out above", {5, 0}, {5, 600}, {5, -50}, {5, 100}, std::make_pair(5.0f, 0.0f)},
      {"collinear, disjoint", {5, 0}, {5, 100}, {5, 200}, {5, 300}, std::nullopt},
      {"collinear level, overlap", {0, 3}, {10, 3}, {8, 3}, {20, 3}, std::make_pair(8.0f, 3.0f)},
      {"collinear, meeting in one point", {0, 0}, {10, 10}, {10, 10}, {20, 20}, std::make_pair(10.0f, 10.0f)},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_EQ(P(IntersectSegments(k.a1, k.a2, k.b1, k.b2)), k.want);
  }
}

TEST(Graphics, IntersectLineCircle) {
  struct Case {
    const char* name;
    TVector c;
    float r;
    TVector p1, p2;
    std::optional<std::pair<float, float>> want;
  };
  const Case cases[] = {
      {"oblique chord", {100, 100}, 50, {60, 90}, {160, 140}, std::make_pair(96.0f, 108.0f)},
      {"oblique miss", {0, 0}, 5, {10, 0}, {0, 10}, std::nullopt},
      {"oblique tangent", {0, 0}, 5, {7.0710678f, 0}, {0, 7.0710678f}, std::make_pair(3.5355339f, 3.5355339f)},
      {"level tangent", {0, 0}, 5, {-10, 5}, {10, 5}, std::make_pair(0.0f, 5.0f)},
      {"upright line crossing", {50, 50}, 10, {55, 0}, {55, 100}, std::make_pair(55.0f, 50.0f)},
      {"flat line crossing", {50, 50}, 10, {0, 45}, {100, 45}, std::make_pair(50.0f, 45.0f)},
      {"flat line missing", {50, 50}, 10, {0, 70}, {100, 70}, std::nullopt},
      {"no line", {0, 0}, 10, {1, 1}, {1, 1}, std::nullopt},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TVector p1 = k.p1, p2 = k.p2;
    auto got = IntersectLineCircle(k.c, k.r, p1, p2);
    ASSERT_EQ(got != nullptr, k.want.has_value());
    if (got) {
      EXPECT_NEAR(got->x, k.want->first, 1e-2);
      EXPECT_NEAR(got->y, k.want->second, 1e-2);
    }
    // The caller's points are left relative to the centre.
    EXPECT_FLOAT_EQ(p1.x, k.p1.x - k.c.x);
    EXPECT_FLOAT_EQ(p2.y, k.p2.y - k.c.y);
  }
}

TEST(Graphics, IntersectLineCircleToleranceIsTwoOnTheSquaredTerms) {
  // The level line y = d: C^2 = d^2 and Q = 1, so it misses once d^2 > 100 + 2.
  struct Case {
    float d;
    bool hit;
  };
  const Case cases[] = {{10.0f, true}, {std::sqrt(101.9f), true}, {std::sqrt(102.1f), false}, {-std::sqrt(102.1f), false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.d);
    TVector p1(-1, k.d), p2(0, k.d);
    auto got = IntersectLineCircle(TVector(0, 0), 10, p1, p2);
    ASSERT_EQ(got != nullptr, k.hit);
    if (got) {
      EXPECT_FLOAT_EQ(got->y, k.d);
    }
  }
}

TEST(Graphics, FormatThousandsGroupsByThree) {
  struct Case {
    int n;
    const char* text;
  };
  const Case cases[] = {{0, "0"},           {999, "999"},           {1000, "1,000"},
                        {1234567, "1,234,567"}, {100000, "100,000"}, {INT_MAX, "2,147,483,647"},
                        {-1234, "-1,234"},  {-999, "-999"},         {INT_MIN, "-2,147,483,648"}};
  for (const Case& k : cases) EXPECT_EQ(FormatThousands(k.n), k.text);
}

TEST(Graphics, UnicodeStringsAreLengthThenUtf16LittleEndian) {
  platform::MemoryStream m;
  WriteUnicodeString(m, "A\xC3\xA9\xF0\x9F\x98\x80");  // A é 😀 (a surrogate pair)
  const std::vector<uint8_t> want = {4, 0, 0, 0, 'A', 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE};
  EXPECT_EQ(m.Data(), want);
  WriteUnicodeString(m, "");
  EXPECT_EQ(m.Data().size(), want.size() + 4);
  m.Seek(0);
  EXPECT_EQ(ReadUnicodeString(m), "A\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(ReadUnicodeString(m), "");
  EXPECT_TRUE(m.Eof());
}

TEST(Graphics, ByteStringsAreLengthThenEightBitCharacters) {
  platform::MemoryStream m;
  WriteByteString(m, "caf\xC3\xA9 \xE2\x82\xAC");  // é fits in 8 bits, € does not
  const std::vector<uint8_t> want = {6, 0, 0, 0, 'c', 'a', 'f', 0xE9, ' ', '?'};
  EXPECT_EQ(m.Data(), want);
  WriteByteString(m, "");
  m.Seek(0);
  EXPECT_EQ(ReadByteString(m), "caf\xC3\xA9 ?");
  EXPECT_EQ(ReadByteString(m), "");
}

TEST(Graphics, DamagedStringLengthsReadSafely) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    std::string unicode, byte;
  };
  const Case cases[] = {
      {"negative", {0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}, "", ""},
      {"huge", {0xFF, 0xFF, 0xFF, 0x7F, 'a', 0, 'b', 0}, "ab", std::string("a\0b\0", 4)},
      {"longer than the rest", {5, 0, 0, 0, 'a', 0, 'b'}, "a", std::string("a\0b", 3)},
      {"length cut short", {5, 0}, "", ""},
      {"empty stream", {}, "", ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    auto u = platform::OpenMemory(k.bytes);
    EXPECT_EQ(ReadUnicodeString(*u), k.unicode);
    auto b = platform::OpenMemory(k.bytes);
    EXPECT_EQ(ReadByteString(*b), k.byte);
  }
}

// Drawing on the headless canvas.
namespace {

class GraphicsCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::OpenGraphics(800, 600, 0, 60, /*headless=*/true));
    platform::SetVirtualResolution(800, 600);
    platform::ResetDrawState();
    platform::SetClearColor(0, 0, 0);
    platform::Cls();
  }
  void TearDown() override {
    platform::ResetDrawState();
    platform::CloseGraphics();
  }
  static uint32_t Rgb(const platform::PixmapRef& p, int x, int y) { return p->ReadPixel(x, y) & 0xFFFFFFu; }

  // 20 x 20 in four coloured quarters: red, green / blue, white.
  static platform::ImageRef Quarters() {
    auto img = platform::CreateImage(20, 20, 1, 0);
    img->SetHandle(0, 0);
    auto px = img->Frame(0);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        px->WritePixel(x, y, y < 10 ? (x < 10 ? 0xFFFF0000u : 0xFF00FF00u) : (x < 10 ? 0xFF0000FFu : 0xFFFFFFFFu));
    px->Touch();
    return img;
  }
};

}  // namespace

TEST_F(GraphicsCanvas, DrawImageWindowShowsOnlyTheWindowAndRestoresTheViewport) {
  auto img = Quarters();
  platform::SetViewport(0, 0, 800, 600);
  // Image drawn at (90, 90); the 10 x 10 window at (100, 100) sees its white quarter.
  DrawImageWindow(img, 100, 100, 10, 10, 10, 10, 0);
  int vx, vy, vw, vh;
  platform::GetViewport(vx, vy, vw, vh);
  EXPECT_EQ(vx, 0);
  EXPECT_EQ(vw, 800);
  EXPECT_EQ(vh, 600);
  auto p = platform::GrabCanvas();
  EXPECT_EQ(Rgb(p, 105, 105), 0xFFFFFFu);
  EXPECT_EQ(Rgb(p, 95, 95), 0u);    // red quarter, outside the window
  EXPECT_EQ(Rgb(p, 105, 95), 0u);   // green quarter, outside
  EXPECT_EQ(Rgb(p, 112, 112), 0u);  // past the image and the window
}

TEST_F(GraphicsCanvas, DrawImageWindowMovesTheWindowByTheHandle) {
  auto img = Quarters();
  img->MidHandle();
  // Handle at the centre: window left = 100 - 10 / 20 * 10 = 95; the image spans 80..100.
  DrawImageWindow(img, 100, 100, 10, 10, 10, 10, 0);
  auto p = platform::GrabCanvas();
  EXPECT_EQ(Rgb(p, 97, 97), 0xFFFFFFu);
  EXPECT_EQ(Rgb(p, 92, 97), 0u);
  EXPECT_EQ(Rgb(p, 102, 102), 0u);
  DrawImageWindow(nullptr, 0, 0, 0, 0, 10, 10, 0);  // nothing to draw, no harm
}

TEST_F(GraphicsCanvas, IsOffScreenNeedsTheWholeCircleOutside) {
  struct Case {
    int x, y, r;
    bool off;
  };
  const Case cases[] = {{400, 300, 10, false}, {810, 300, 10, false}, {811, 300, 10, true}, {-10, 300, 10, false},
                        {-11, 300, 10, true},  {400, 611, 10, true},  {400, -11, 10, true}, {400, 610, 10, false},
                        {INT_MAX, 0, INT_MAX, false}};
  for (const Case& k : cases) EXPECT_EQ(IsOffScreen(k.x, k.y, k.r), k.off) << k.x << "," << k.y << " r " << k.r;
}

TEST_F(GraphicsCanvas, TextSizeInFontLeavesTheDrawingStateAlone) {
  GraphicsStateStack->Clear();
  platform::SetColor(1, 2, 3);
  platform::SetScale(2, 2);
  const auto before = StateSnapshot::Take();
  const int w = TextWidthInFont("Hello", nullptr);
  const int h = TextHeightInFont(nullptr);
  EXPECT_EQ(w, platform::TextWidth("Hello"));
  EXPECT_EQ(h, platform::TextHeight("X"));
  EXPECT_GT(w, TextWidthInFont("H", nullptr));
  EXPECT_TRUE(StateSnapshot::Take() == before);
  EXPECT_TRUE(GraphicsStateStack->IsEmpty());
}
