#include "world/effects/flying_text.h"

#include <cmath>
#include <vector>

#include "draw_probe.h"
#include "overlay_test_env.h"
#include "world/effects/flash.h"
#include "world/light.h"
#include "world/game_interface.h"
#include "world/resource_bindings.h"

namespace kelp {
namespace {

class FlyingText : public overlay_env::Overlay {
 protected:
  void SetUp() override {
    Overlay::SetUp();
    GameInterface = New<TGameInterface>();
    EffectFlyingtext = New<TEffect>();
    font_ = testsupport::MakeFont(10);
  }
  static std::vector<Ref<TFlyingChar>> Letters() {
    std::vector<Ref<TFlyingChar>> out;
    for (const Ref<TVisuals>& v : VisualsList)
      if (auto c = As<TFlyingChar>(v)) out.push_back(c);
    return out;
  }
  template <class T>
  static int CountOf() {
    int n = 0;
    for (const Ref<TVisuals>& v : VisualsList)
      if (As<T>(v)) ++n;
    return n;
  }
  // Steps whole frames until the letter has landed (impulsed).
  static void Land(const Ref<TFlyingChar>& c, float dt = 1.0f) {
    for (int i = 0; i < 10000 && !c->impulsed; ++i) Frame(dt);
  }
  Ref<TBMFont> font_;
};

TEST_F(FlyingText, LaysOneLetterPerCharacterAlongTheTextInItsFont) {
  TFlyingChar::CreateFlyingText("Hé!", 100.4f, 200.0f, 1000, 0.05f, font_, 0, 0, 0);
  EXPECT_EQ(CurrentBMFont, font_);
  const auto letters = Letters();
  ASSERT_EQ(letters.size(), 3u);
  const char* chars[] = {"H", "é", "!"};
  for (size_t i = 0; i < 3; ++i) {
    const auto& c = letters[i];
    EXPECT_EQ(c->Char, chars[i]);
    ASSERT_EQ(c->Coords.size(), 8u);
    EXPECT_NEAR(c->Coords[6], 100 + 10 * static_cast<int>(i), 2) << i;
    EXPECT_NEAR(c->Coords[7], 200, 2) << i;
    EXPECT_EQ(c->Font, font_);
    EXPECT_EQ(c->velocity, 0.05f);
    EXPECT_EQ(c->xPlode, 0);
    EXPECT_EQ(c->alpha, 1.0f);
    EXPECT_EQ(c->Under, 0);
    EXPECT_EQ(c->Over, 0);
    EXPECT_EQ(c->Drawable, 1);
  }
}

TEST_F(FlyingText, HangTimesSpreadByThreeHundredMsWhenBurstingAndOneHundredWhenDropping) {
  struct Row {
    int xPlode, spread;
  };
  for (const Row r : {Row{0, 300}, Row{1, 100}}) {
    VisualsList.Clear();
    TFlyingChar::CreateFlyingText(std::string(200, 'A'), 0.0f, 0.0f, 1000, 0.05f, font_, r.xPlode, 0, 0);
    int lo = 1000, hi = 1000;
    for (const auto& c : Letters()) {
      lo = std::min(lo, c->HangTime);
      hi = std::max(hi, c->HangTime);
    }
    EXPECT_GE(lo, 1000 - r.spread);
    EXPECT_LE(hi, 1000 + r.spread);
    EXPECT_LT(lo, 1000 - r.spread * 8 / 10);
    EXPECT_GT(hi, 1000 + r.spread * 8 / 10);
  }
}

TEST_F(FlyingText, NoFontMakesNoLetters) {
  TFlyingChar::CreateFlyingText("abc", 0.0f, 0.0f, 1000, 0.05f, nullptr, 0, 0, 0);
  EXPECT_EQ(VisualsList.Count(), 0u);
}

TEST_F(FlyingText, StartsOffScreenWithControlPointsTowardTheTarget) {
  for (int i = 0; i < 50; ++i) {
    auto c = TFlyingChar::CreateFlyingChar("x", 400, 300, 0.05f, 500, font_, 0, 0);
    const int sx = c->Coords[0], sy = c->Coords[1];
    EXPECT_TRUE((sx >= -20 && sx <= 0) || (sx >= 800 && sx <= 820)) << sx;
    EXPECT_TRUE((sy >= -20 && sy <= 0) || (sy >= 600 && sy <= 620)) << sy;
    EXPECT_EQ(c->x, static_cast<float>(sx));
    EXPECT_EQ(c->y, static_cast<float>(sy));
    const float l = std::hypot(400.0f - sx, 300.0f - sy) / 3.0f;
    const float towardX = sx < 400 ? l : -l, towardY = sy < 300 ? l : -l;
    EXPECT_LE(std::fabs(c->Coords[2] - (sx + towardX)), 201.0f);
    EXPECT_LE(std::fabs(c->Coords[3] - (sy + towardY)), 201.0f);
    EXPECT_LE(std::fabs(c->Coords[4] - (400 - towardX)), 201.0f);
    EXPECT_LE(std::fabs(c->Coords[5] - (300 - towardY)), 201.0f);
    ASSERT_NE(c->Light, nullptr);
    EXPECT_EQ(c->Light->x, static_cast<float>(sx));
    EXPECT_EQ(c->Light->Color, ColorCream);
  }
}

TEST_F(FlyingText, FliesByTheFrameFactorAndLandsExactlyOnItsTargetBeforeTheSpring) {
  for (float dt : {1.0f, 2.0f}) {
    VisualsList.Clear();
    auto c = TFlyingChar::CreateFlyingChar("x", 333, 222, 0.03f, 500, font_, 0, 0);
    Frame(dt);
    EXPECT_FLOAT_EQ(c->t, 0.03f * dt);
    int frames = 1;
    float lastX = c->x;
    while (!c->impulsed && frames < 1000) {
      lastX = c->x;
      Frame(dt);
      ++frames;
    }
    EXPECT_EQ(frames, static_cast<int>(std::ceil(1.0f / (0.03f * dt) - 1e-4f)));
    EXPECT_EQ(c->t, 1.0f);
    EXPECT_EQ(c->x, 333.0f);  // the landing update puts it exactly there
    EXPECT_EQ(c->y, 222.0f);
    EXPECT_EQ(c->ImpulseX, 333.0f);
    EXPECT_EQ(c->ImpulseY, 222.0f);
    EXPECT_EQ(c->dx, lastX >= 333.0f ? -1.0f : 1.0f);
    ASSERT_NE(c->impulse, nullptr);
    EXPECT_TRUE(Listed(c->impulse.get()));
    // Then it springs along its direction of travel while the impulse lives.
    Frame(dt);
    Frame(dt);
    c->Update(dt);  // reads the spring as it stands now
    ASSERT_EQ(c->impulse->Death, 0);
    EXPECT_FLOAT_EQ(c->x, 333.0f + c->dx * c->impulse->impulse_strength);
    EXPECT_FLOAT_EQ(c->y, 222.0f + c->dy * c->impulse->impulse_strength);
  }
}

TEST_F(FlyingText, WaitsUnseenAndUnmovedUntilItsTime) {
  auto c = TFlyingChar::CreateFlyingChar("x", 300, 300, 0.05f, 500, font_, 0, 400);
  EXPECT_EQ(c->WaitTime, GameTime + 400);
  const float x0 = c->x;
  for (int i = 0; i < 20; ++i) Frame(1.0f, 18);  // 360 ms
  EXPECT_EQ(c->x, x0);
  EXPECT_EQ(c->t, 0.0f);
  Frame(1.0f, 50);
  EXPECT_GT(c->t, 0.0f);
}

TEST_F(FlyingText, BurstsIntoSparksAfterHangingInPlace) {
  auto c = TFlyingChar::CreateFlyingChar("x", 300, 200, 0.1f, 700, font_, 0, 0);
  Land(c);
  for (int i = 0; i < 1000 && c->phase == 0; ++i) Frame();
  ASSERT_EQ(c->phase, 1);
  EXPECT_EQ(c->BirthTime, GameTime);
  EXPECT_EQ(c->x, 300.0f);
  EXPECT_EQ(c->y, 200.0f);
  EXPECT_LE(std::fabs(c->dx), 0.05f);
  EXPECT_LE(std::fabs(c->dy), 0.1f);
  const int born = GameTime;
  const int flashes = CountOf<TFlash>();
  while (Listed(c.get()) && GameTime < born + 5000) {
    Frame(3.0f, 18);
    // Hanging, it only drifts about its place.
    EXPECT_LE(std::fabs(c->x - 300.0f), 2.0f + 3.0f * 0.05f);
    EXPECT_LE(std::fabs(c->y - 200.0f), 2.0f + 3.0f * 0.1f);
  }
  EXPECT_FALSE(Listed(c.get()));
  EXPECT_GT(GameTime, born + 700);
  EXPECT_LE(GameTime, born + 700 + 18);
  ASSERT_EQ(GameInterface->Emitters.Count(), 1u);
  const auto burst = GameInterface->Emitters.First();
  EXPECT_EQ(burst->Config, EffectFlyingtext);
  EXPECT_FLOAT_EQ(burst->x, c->x);
  EXPECT_FLOAT_EQ(burst->y, c->y + 10.0f);
  EXPECT_EQ(CountOf<TFlash>(), flashes + 1);
  EXPECT_EQ(CountOf<TFlyingChar>(), 0);
  // Remove let go of its parts.
  EXPECT_EQ(c->Light, nullptr);
  EXPECT_EQ(c->impulse, nullptr);
  EXPECT_TRUE(c->Coords.empty());
}

TEST_F(FlyingText, DropModeLeavesAFallingCopyThatFadesAndEndsBelowTheScreen) {
  auto c = TFlyingChar::CreateFlyingChar("q", 300, 200, 0.1f, 100, font_, 1, 0);
  Land(c);
  while (Listed(c.get())) Frame();
  EXPECT_EQ(GameInterface->Emitters.Count(), 0u);
  EXPECT_EQ(CountOf<TFlash>(), 1);
  const auto letters = Letters();
  ASSERT_EQ(letters.size(), 1u);
  const auto f = letters[0];
  EXPECT_EQ(f->xPlode, 2);
  EXPECT_EQ(f->Char, "q");
  EXPECT_EQ(f->Font, font_);
  EXPECT_EQ(f->Coords[6], static_cast<int>(c->x));  // dropped where the letter hung
  EXPECT_EQ(f->Coords[7], static_cast<int>(c->y));
  EXPECT_GE(std::fabs(f->_dx), 3.0f);
  EXPECT_LE(std::fabs(f->_dx), 5.0f);
  EXPECT_GE(f->_dy, -5.0f);
  EXPECT_LE(f->_dy, -3.0f);
  // Falling: the pull is per update, the motion and the fade per unit of frame factor.
  const float x0 = f->x, y0 = f->y, dx = f->_dx, dy = f->_dy, a0 = f->alpha;
  f->Update(2.0f);
  EXPECT_FLOAT_EQ(f->_dy, dy + 0.2f);
  EXPECT_FLOAT_EQ(f->x, x0 + 2.0f * dx);
  EXPECT_FLOAT_EQ(f->y, y0 + 2.0f * (dy + 0.2f));
  EXPECT_FLOAT_EQ(f->alpha, a0 - 2.0f * 0.015f);
  int frames = 0;
  while (Listed(f.get()) && frames < 1000) {
    Frame();
    ++frames;
  }
  EXPECT_FALSE(Listed(f.get()));
  EXPECT_GT(f->y, 650.0f);
  EXPECT_EQ(VisualsList.Count(), 0u);
}

TEST_F(FlyingText, ALetterWithoutSpeedLandsAtOnce) {
  auto c = TFlyingChar::CreateFlyingChar("x", 120, 130, 0.0f, 500, font_, 0, 0);
  Frame();
  EXPECT_EQ(c->impulsed, 1);
  EXPECT_EQ(c->x, 120.0f);
}

TEST_F(FlyingText, TakingEveryLetterOutMidFlightIsSafe) {
  TFlyingChar::CreateFlyingText("Skip me", 100.0f, 100.0f, 2000, 0.04f, font_, 0, 0, 0);
  for (int i = 0; i < 30; ++i) Frame();
  ASSERT_GT(CountOf<TFlyingChar>(), 0);
  VisualsList.RemoveIf([](const Ref<TVisuals>& v) { return As<TFlyingChar>(v) != nullptr; });
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_EQ(CountOf<TFlyingChar>(), 0);
  EXPECT_EQ(VisualsList.Count(), 0u);  // their springs ran out too
}

class FlyingTextCanvas : public overlay_env::OverlayCanvas {
 protected:
  void SetUp() override {
    OverlayCanvas::SetUp();
    GameTime = 1000;
    SeedRnd(7);
  }
};

TEST_F(FlyingTextCanvas, ShowsNothingBeforeItsWaitThenTheLetterInWhiteAtItsPlace) {
  auto c = TFlyingChar::CreateFlyingChar("x", 300, 300, 0.05f, 500, testsupport::MakeFont(), 0, 100);
  c->x = 200.0f;
  c->y = 150.0f;
  platform::SetColor(255, 0, 0);
  TVisuals::DrawVisuals();
  EXPECT_TRUE(draw_probe::IsBlank(Grab()));
  GameTime += 100;
  TVisuals::DrawVisuals();
  const platform::Pixmap p = Grab();
  draw_probe::ExpectBox(draw_probe::LitBox(p), {200, 150, 208, 160}, "letter");
  EXPECT_EQ(draw_probe::RGB(p, 204, 155), 0xFFFFFFu);
}

}  // namespace
}  // namespace kelp
