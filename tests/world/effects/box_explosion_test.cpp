// A destroyed box's flying pieces and its creature.
#include "world/effects/box_explosion.h"

#include <set>

#include "box_effects_env.h"

namespace kelp::play_test {
namespace {

class BoxExplosion : public BoxEffects {
 protected:
  void SetUp() override {
    BoxEffects::SetUp();
    const char* sets[3][4] = {
        {"IMAGE_BOXPART_UL", "IMAGE_BOXPART_UR", "IMAGE_BOXPART_DL", "IMAGE_BOXPART_DR"},
        {"IMAGE_BOXPARTSTEEL_UL", "IMAGE_BOXPARTSTEEL_UR", "IMAGE_BOXPARTSTEEL_DL", "IMAGE_BOXPARTSTEEL_DR"},
        {"IMAGE_BOXPARTGOLD_UL", "IMAGE_BOXPARTGOLD_UR", "IMAGE_BOXPARTGOLD_DL", "IMAGE_BOXPARTGOLD_DR"}};
    for (int s = 0; s < 3; ++s)
      for (int c = 0; c < 4; ++c) AddImage(sets[s][c], parts_[s][c] = Solid(4, 4, 0xFFFFFFFFu));
    EffectBoxExplode = New<TEffect>();
    EffectBoxExplode->PosX[0] = -6;
    EffectBoxExplode->PosX[1] = 6;
    EffectBoxExplode->PosY[0] = -4;
    EffectBoxExplode->PosY[1] = 4;
    EffectBoxExplode->Lifetime[0] = 400;
    EffectBoxExplode->Lifetime[1] = 600;
    EffectBoxExplode->GravitationY = 0.3f;
    EffectBoxExplode->ShadowEnabled = 1;
    EffectBoxExplode->Shadow[0] = 3;
    EffectBoxExplode->Shadow[1] = 5;
  }
  // The set (0 plain, 1 steel, 2 gold) and corner of a piece's image.
  std::pair<int, int> Which(const platform::ImageRef& image) const {
    for (int s = 0; s < 3; ++s)
      for (int c = 0; c < 4; ++c)
        if (parts_[s][c] == image) return {s, c};
    return {-1, -1};
  }
  platform::ImageRef parts_[3][4];
};

TEST_F(BoxExplosion, ThreeOrFourPiecesWithCornersDrawnEachOnItsOwn) {
  auto box = MakeBox(TBlock::RED, 300, 200);
  std::set<size_t> counts;
  bool repeated = false;
  for (int i = 0; i < 60; ++i) {
    auto fx = TBoxExplode::Create(box);
    ASSERT_TRUE(fx->List);
    counts.insert(fx->List->Count());
    std::set<int> corners;
    for (const auto& p : *fx->List) {
      const auto [set, corner] = Which(p->Image);
      EXPECT_EQ(set, 0);
      if (!corners.insert(corner).second) repeated = true;
      EXPECT_GE(p->x, box->Center->x - 6);
      EXPECT_LE(p->x, box->Center->x + 6);
      EXPECT_GE(p->y, box->Center->y - 4);
      EXPECT_LE(p->y, box->Center->y + 4);
      EXPECT_GE(p->Lifetime, 400);
      EXPECT_LE(p->Lifetime, 600);
      EXPECT_EQ(p->GravitationY, 0.3f);
      EXPECT_EQ(p->Shadow, 1);
      EXPECT_GE(p->ShadowOffcet, 3);
      EXPECT_LE(p->ShadowOffcet, 5);
    }
  }
  EXPECT_EQ(counts, (std::set<size_t>{3, 4}));
  EXPECT_TRUE(repeated) << "two pieces may come from one corner";
  EXPECT_EQ(CountOf<TBoxExplode>(), 60);
}

TEST_F(BoxExplosion, ArmourPicksThePieceSet) {
  const std::pair<int, int> rows[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {7, 0}};
  for (const auto& [armor, set] : rows) {
    auto fx = TBoxExplode::Create(MakeBox({.cls = TBlock::BLUE, .x = 300, .y = 200, .armor = armor}));
    for (const auto& p : *fx->List) EXPECT_EQ(Which(p->Image).first, set) << "armour " << armor;
  }
}

TEST_F(BoxExplosion, PiecesLiveTheirLifetimeAndTheEffectEndsWithTheLast) {
  auto fx = TBoxExplode::Create(MakeBox(TBlock::RED, 300, 200));
  int frames = 0;
  while (VisualsList.Contains(fx.get()) && frames < 100) {
    GameTime += 18;
    TVisuals::UpdateVisuals(1.0f);
    ++frames;
  }
  EXPECT_EQ(fx->Death, 1);
  EXPECT_FALSE(fx->List);
  EXPECT_GE(frames * 18, 400);
  EXPECT_LE(frames * 18, 620);
}

TEST_F(BoxExplosion, BelowSeventyPercentOfTheTargetRatePiecesLiveOneUpdate) {
  auto fx = TBoxExplode::Create(MakeBox(TBlock::RED, 300, 200));
  const Ref<TParticle> piece = fx->List->First();
  const float vy = piece->SpeedY;
  FPSCounter->FPS = 38;  // 0.7 x 55 = 38.5
  GameTime += 18;
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_NE(piece->SpeedY, vy) << "still moved in its last update";
  EXPECT_EQ(fx->Death, 1);
  EXPECT_FALSE(fx->List);

  FPSCounter->FPS = 39;
  auto kept = TBoxExplode::Create(MakeBox(TBlock::RED, 300, 200));
  GameTime += 18;
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(kept->Death, 0);
}

TEST_F(BoxExplosion, WithoutItsEffectDescriptionPiecesStillComeAndGoAtOnce) {
  EffectBoxExplode = nullptr;
  auto fx = TBoxExplode::Create(MakeBox(TBlock::RED, 300, 200));
  EXPECT_GE(fx->List->Count(), 3u);
  GameTime += 18;
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(fx->Death, 1);
}

// ----------------------------------------------------------------- creature

class Creatures : public BoxEffects {
 protected:
  void SetUp() override {
    BoxEffects::SetUp();
    for (auto* slot : Slots()) *slot = Solid(8, 8, 0xFFFFFFFFu);
  }
  static std::vector<platform::ImageRef*> Slots() {
    return {&ImageCreature,  &ImageCreatureBack,  &ImageCreature2, &ImageCreature2Back, &ImageCreature3,
            &ImageCreature3Back, &ImageCreature4, &ImageCreature4Back, &ImageCreature5, &ImageCreature5Back,
            &ImageCreature6, &ImageCreature6Back, &ImageCreature7, &ImageCreature7Back, &ImageCreature8};
  }
};

TEST_F(Creatures, TheImageFollowsTheColourAndTheWayItJumps) {
  struct Row {
    int cls;
    platform::ImageRef *right, *left;
  };
  // Brown and sky creatures look the other way in their pictures.
  const Row rows[] = {{TBlock::RED, &ImageCreature5, &ImageCreature5Back},
                      {TBlock::GREEN, &ImageCreature4, &ImageCreature4Back},
                      {TBlock::BLUE, &ImageCreature, &ImageCreatureBack},
                      {TBlock::ORANGE, &ImageCreature3, &ImageCreature3Back},
                      {TBlock::PURPLE, &ImageCreature2, &ImageCreature2Back},
                      {TBlock::BROWN, &ImageCreature7Back, &ImageCreature7},
                      {TBlock::SKY, &ImageCreature6Back, &ImageCreature6},
                      {TBlock::PARAZITE, &ImageCreature, &ImageCreatureBack},
                      {TBlock::BONUS, &ImageCreature, &ImageCreatureBack}};
  for (const Row& r : rows) {
    auto box = MakeBox(r.cls, 300, 200);
    int right = 0, left = 0;
    for (int i = 0; i < 40; ++i) {
      auto c = TCreature::Create(300, 200, box);
      if (c->dx > 0) {
        ++right;
        EXPECT_EQ(c->image, *r.right) << r.cls;
        EXPECT_GE(c->dx, 4.5f);
        EXPECT_LE(c->dx, 5.5f);
      } else {
        ++left;
        EXPECT_EQ(c->image, *r.left) << r.cls;
        EXPECT_LE(c->dx, -4.5f);
        EXPECT_GE(c->dx, -5.5f);
      }
      EXPECT_EQ(c->scale, 0.3f);
      EXPECT_GE(c->dy, -4.8f);
      EXPECT_LE(c->dy, -4.3f);
    }
    EXPECT_GT(right, 0);
    EXPECT_GT(left, 0);
  }
}

TEST_F(Creatures, TheYetiJumpsRightAtFullSizeAndOtherBossesHaveNone) {
  auto yeti = MakeBox(TBlock::BOSS, 300, 200);
  yeti->boss_class = TBlock::YETI;
  auto c = TCreature::Create(300, 200, yeti);
  EXPECT_EQ(c->image, ImageCreature8);
  EXPECT_EQ(c->dx, 5.0f);
  EXPECT_EQ(c->scale, 1.0f);

  auto boss = MakeBox(TBlock::BOSS, 300, 200);
  boss->boss_class = TBlock::ELITE;
  EXPECT_FALSE(TCreature::Create(300, 200, boss)->image);
}

TEST_F(Creatures, ItTumblesGrowsAndFallsOffTheScreen) {
  auto c = TCreature::Create(300, 200, MakeBox(TBlock::RED, 300, 200));
  c->dx = 5.0f;
  c->dy = -4.5f;
  c->g = 0.25f;
  c->angle_speed = -0.4f;
  c->Update(2.0f);
  EXPECT_FLOAT_EQ(c->dx, 4.94f);
  EXPECT_FLOAT_EQ(c->dy, -4.0f);
  EXPECT_FLOAT_EQ(c->x, 304.94f) << "the step itself is not scaled";
  EXPECT_FLOAT_EQ(c->y, 196.0f);
  EXPECT_FLOAT_EQ(c->scale, 0.304f);
  EXPECT_FLOAT_EQ(c->angle, 359.2f) << "kept within a turn";
  int frames = 0;
  while (!c->Death && frames < 1000) {
    c->Update(1.0f);
    ++frames;
  }
  EXPECT_GT(c->y, 850.0f);
  EXPECT_LT(frames, 1000);
}

class CreatureDrawing : public PlayEffectsCanvas {};

TEST_F(CreatureDrawing, ABossWithoutAPictureFallsUnseen) {
  World = New<TWorld>();
  auto box = MakeBox({.cls = TBlock::BOSS, .x = 300, .y = 200, .boss = TBlock::PARAZ});
  auto boss = TCreature::Create(400, 300, box);
  box->boss_class = TBlock::YETI;
  ImageCreature8 = Solid(8, 8, 0xFFFFFFFFu);
  auto yeti = TCreature::Create(200, 300, box);
  yeti->angle_speed = 0.0f;
  TVisuals::DrawVisuals();
  EXPECT_EQ(Pixel(400, 300), 0u);
  EXPECT_NE(Pixel(200, 300), 0u);
  int frames = 0;
  while (VisualsList.Contains(boss.get()) && frames < 1000) {
    TVisuals::UpdateVisuals(1.0f);
    ++frames;
  }
  EXPECT_FALSE(VisualsList.Contains(boss.get())) << "it still falls and goes";
}

}  // namespace
}  // namespace kelp::play_test
