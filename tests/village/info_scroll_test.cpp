// The information scrolls: the paper a building's scroll unrolls for its
// inhabitants, and how both kinds of scroll open and roll up.
#include "village/info_scroll.h"
#include "village_fixture.h"

namespace kelp::village_test {
namespace {

class Scrolls : public VillageTest {
 protected:
  void SetUp() override {
    VillageTest::SetUp();
    WritePicture(Here("b.png"), 20, 10, 0xFF808080);
    building_ = TUpgrade::Create("b.png", 100, 200);
  }
  Ref<TUpgrade> building_;
};

TEST_F(Scrolls, PaperLengthFollowsTheInhabitants) {
  const float h = 16.0f;  // the height of "A" without a font
  struct Case {
    const char* class_;
    int living, inside;
    bool orbus_inside;
    float length;
  };
  const Case cases[] = {
      {"hut", 2, 0, false, 2 * h},      // one line per inhabitant
      {"hut", 0, 3, false, 4 * h},      // a hut's guests, and a line more
      {"hut", 0, 0, false, h},          // nobody: one line for the notice
      {"tavern", 0, 3, false, 3 * h},
      {"tavern", 0, 0, false, h},
      {"tavern", 1, 2, false, h},
      {"tower", 1, 2, true, 2 * h + 8},  // Orbus inside is not listed
      {"tower", 0, 1, false, h + 8},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.class_) + " " + std::to_string(k.living) + "/" + std::to_string(k.inside));
    building_->class_ = k.class_;
    building_->LivingCreatureList.Clear();
    building_->CreatureList.Clear();
    for (int i = 0; i < k.living; ++i) building_->LivingCreatureList.AddLast(TVillageCreature::Create(0, 0, 1, 1));
    for (int i = 0; i < k.inside; ++i) {
      const Ref<TVillageCreature> c = TVillageCreature::Create(0, 0, 1, 1);
      if (k.orbus_inside && i == 0) c->ID = TVillageCreature::Orbus_id;
      building_->CreatureList.AddLast(c);
    }
    const Ref<TScroll> s = TScroll::Create(building_);
    EXPECT_FLOAT_EQ(s->WantedLength(), k.length);
  }
}

TEST_F(Scrolls, AScrollAtRestFollowsAChangeAndDiesWhenRolledUp) {
  building_->class_ = "hut";
  const Ref<TScroll> s = TScroll::Create(building_);
  s->state = 1;
  for (int i = 0; i < 20 && s->state != 2; ++i) s->Update(1.0f);
  ASSERT_EQ(s->state, 2);
  building_->LivingCreatureList.AddLast(TVillageCreature::Create(0, 0, 1, 1));
  building_->LivingCreatureList.AddLast(TVillageCreature::Create(0, 0, 1, 1));
  s->Update(1.0f);
  EXPECT_EQ(s->state, 1) << "more inhabitants: more paper";
  for (int i = 0; i < 20 && s->state != 2; ++i) s->Update(1.0f);
  EXPECT_GE(s->length, 2 * 16.0f - s->speed);
  s->state = 3;
  int frames = 0;
  while (!s->Death && frames < 100) {
    s->Update(1.0f);
    ++frames;
  }
  EXPECT_EQ(s->Death, 1);
  EXPECT_LE(s->length, 0.0f);
}

TEST_F(Scrolls, AVillagersScrollOpensAfterTheHoverTimeAndClosesWhenLeft) {
  const Ref<TVillageCreature> c = TVillageCreature::Create(100, 100, 1, 1);
  HoverCreature = c;
  c->hover_time = GameTime;
  GameTime += 1000;
  c->UpdateInfo();
  EXPECT_FALSE(c->scroll) << "exactly the hover time is not enough";
  GameTime += 1;
  c->UpdateInfo();
  c->UpdateInfo();
  ASSERT_TRUE(c->scroll);
  EXPECT_EQ(c->scroll->state, 1);
  EXPECT_EQ(c->hover_time, 0);
  c->scroll->state = 2;
  HoverCreature = nullptr;
  c->UpdateInfo();
  EXPECT_EQ(c->scroll->state, 3);
  const Ref<TVillageCreature> parasite = TVillageCreature::Create(100, 100, 1, TVillageCreature::PARAZITE);
  HoverCreature = parasite;
  parasite->show_info = 1;
  parasite->UpdateInfo();
  EXPECT_FALSE(parasite->scroll) << "parasites tell nothing";
}

}  // namespace
}  // namespace kelp::village_test
