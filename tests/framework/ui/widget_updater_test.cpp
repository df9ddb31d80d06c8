// The dialog slide: when a slide-in arrives, the bounce around the resting
// place, the end of a slide-out, and the slide sounds.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "framework/media/impulse.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/media/visuals.h"
#include "framework/ui/widget_updater.h"
#include "platform/mixer.h"
#include "widget_test_env.h"

using namespace widgettest;

namespace {

class UpdaterTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    box_ = New<TWidget>();
    box_->Resize(250, -300, 300, 300);
  }
  Ref<TWidget> box_;
};

TEST_F(UpdaterTest, InitPlacesTheRestAtTheCentreAndTheExitJustOffTheCanvas) {
  auto u = TWidgetUpdater::Create(box_, 0);
  u->Init(0, 1, 0.9f, 1.5f);
  EXPECT_EQ(u->pos0, 150.0f);
  EXPECT_EQ(u->pos1, -300.0f);
  u->Init(1, 0, 0.9f, 1.5f);
  EXPECT_EQ(u->pos0, 250.0f);
  EXPECT_EQ(u->pos1, -300.0f);
  u->Init(1, 1, 0.9f, 1.5f);
  EXPECT_EQ(u->pos0, 150.0f) << "vertical wins";
  EXPECT_EQ(u->accel0, 0.9f);
  EXPECT_EQ(u->accel1, 1.5f);
}

struct ArrivalCase {
  float accel;
  float dt;
  int updates;
};

TEST_F(UpdaterTest, SlideInArrivesWhenTheGrowingStepsReachTheTarget) {
  // From -300 to 150 the n-th update moves by dt x (5 + n x accel).
  const ArrivalCase cases[] = {{0.9f, 1.0f, 27}, {1.5f, 1.0f, 21}, {0.9f, 60.0f / 55.0f, 25}};
  for (const auto& c : cases) {
    box_->_y = -300;
    auto u = TWidgetUpdater::Create(box_, 0);
    u->Init(0, 1, c.accel, 1.5f);
    u->StartShow(0.0f, 0.6f, 0.15f);
    EXPECT_EQ(u->IsShowing(), 1);
    int n = 0;
    while (!u->Accel->Stopped && n < 1000) {
      u->Update(c.dt);
      ++n;
    }
    EXPECT_EQ(n, c.updates) << c.accel << " " << c.dt;
    EXPECT_EQ(box_->_y, 150.0f);
    for (int i = 0; i < 5; ++i) u->Update(c.dt);
    EXPECT_EQ(box_->_y, 150.0f) << "without a bounce it stops dead";
    EXPECT_EQ(u->IsShowing(), 1) << "showing never ends by itself";
    EXPECT_EQ(u->IsDeath(), 0);
  }
}

TEST_F(UpdaterTest, BounceSwingsAroundTheRestingPlaceAndEndsExactlyThere) {
  auto u = TWidgetUpdater::Create(box_, 0);
  u->Init(0, 1, 0.9f, 1.5f);
  u->StartShow(4.0f, 0.6f, 0.15f);
  ASSERT_TRUE(u->Accel->ObjectImpulse);
  EXPECT_EQ(u->Accel->ObjectImpulse->started, 0);
  EXPECT_FALSE(VisualsList.Contains(u->Accel->ObjectImpulse.get())) << "stepped by the slide alone";
  for (int i = 0; i < 26; ++i) u->Update(1.0f);
  EXPECT_EQ(u->Accel->ObjectImpulse->started, 0) << "waits for the arrival";
  u->Update(1.0f);
  EXPECT_EQ(u->Accel->ObjectImpulse->started, 1);
  float above = 0, below = 0;
  int n = 0;
  while (u->Accel->impulse || n == 0) {
    u->Update(1.0f);
    above = std::max(above, box_->_y - 150.0f);
    below = std::min(below, box_->_y - 150.0f);
    ++n;
    ASSERT_LT(n, 100);
  }
  EXPECT_GT(above, 2.0f);
  EXPECT_LE(above, 4.0f);
  EXPECT_LT(below, -1.0f);
  EXPECT_EQ(box_->_y, 150.0f);
  EXPECT_EQ(n, 21) << "0.15 a frame until past pi";
}

TEST_F(UpdaterTest, SlideOutEndsTheUpdateAfterItReachesTheExit) {
  box_->_y = 150;
  auto u = TWidgetUpdater::Create(box_, 0);
  u->Init(0, 1, 0.9f, 1.5f);
  u->StartHiding();
  EXPECT_EQ(u->IsHiding(), 1);
  int n = 0;
  while (box_->_y > -300.0f) {
    u->Update(1.0f);
    ++n;
    ASSERT_LT(n, 100);
  }
  EXPECT_EQ(box_->_y, -300.0f);
  EXPECT_EQ(u->IsDeath(), 0);
  u->Update(1.0f);
  EXPECT_EQ(u->IsDeath(), 1);
  EXPECT_EQ(box_->_y, -300.0f);
}

TEST_F(UpdaterTest, SlideOutDuringTheSlideInStartsFromWhereTheWidgetIsAtSpeedFive) {
  auto u = TWidgetUpdater::Create(box_, 0);
  u->Init(0, 1, 0.9f, 1.5f);
  u->StartShow(4.0f, 0.6f, 0.15f);
  for (int i = 0; i < 5; ++i) u->Update(1.0f);
  const float at = box_->_y;
  EXPECT_GT(at, -300.0f);
  auto out = TWidgetUpdater::Create(box_, 0);
  out->Init(0, 1, 0.9f, 1.5f);
  out->StartHiding();
  out->Update(1.0f);
  EXPECT_FLOAT_EQ(box_->_y, at - 6.5f);
}

TEST_F(UpdaterTest, UpdaterOfAGoneWidgetDoesNothing) {
  auto u = TWidgetUpdater::Create(box_, 0);
  u->Init(0, 1, 0.9f, 1.5f);
  u->StartShow(4.0f, 0.6f, 0.15f);
  box_.reset();
  u->Update(1.0f);
  EXPECT_EQ(u->IsShowing(), 1);
}

class SlideSoundTest : public UpdaterTest {
 protected:
  void SetUp() override {
    UpdaterTest::SetUp();
    UseSoundMixer(&mixer_);
    for (const char* id : {"SOUND_SLIDE_IN", "SOUND_SLIDE_OUT"}) {
      auto res = New<TResSound>();
      ResManager->ResAddData("", id, res, "test");
      res->Data = std::make_shared<platform::Sound>(44100, 44100);
      sounds_[id] = std::get<platform::SoundRef>(res->Data);
    }
  }
  std::vector<platform::Sound*> Playing() {
    std::vector<platform::Sound*> out;
    for (const auto& s : ActiveSounds)
      if (s->Channel && s->Channel->Playing()) out.push_back(s->Sound.get());
    return out;
  }
  platform::Mixer mixer_;
  std::map<std::string, platform::SoundRef> sounds_;
};

TEST_F(SlideSoundTest, SlidesPlayTheirSoundAndStopTheOtherOne) {
  auto in = TWidgetUpdater::Create(box_, 1);
  in->Init(0, 1, 0.9f, 1.5f);
  in->StartShow(4.0f, 0.6f, 0.15f);
  EXPECT_EQ(Playing(), std::vector<platform::Sound*>{sounds_["SOUND_SLIDE_IN"].get()});
  auto out = TWidgetUpdater::Create(box_, 1);
  out->Init(0, 1, 0.9f, 1.5f);
  out->StartHiding();
  EXPECT_EQ(Playing(), std::vector<platform::Sound*>{sounds_["SOUND_SLIDE_OUT"].get()});

  ResetSound();
  UseSoundMixer(&mixer_);
  auto quiet = TWidgetUpdater::Create(box_, 0);
  quiet->Init(0, 1, 0.9f, 1.5f);
  quiet->StartShow(4.0f, 0.6f, 0.15f);
  quiet->StartHiding();
  EXPECT_TRUE(Playing().empty());
}

}  // namespace
