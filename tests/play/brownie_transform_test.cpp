// The closing scene of the story: shake, fade to black, the transformation
// with its glow, fade back, and only then the level's completion.
#include "play/brownie_transform.h"

#include <gtest/gtest.h>

#include "framework/media/anim_image.h"
#include "framework/media/fade.h"
#include "level_frame_env.h"
#include "play/effects_widget.h"
#include "play/level_complete.h"
#include "world/effects/blinks.h"
#include "world/effects/fade2.h"
#include "world/effects/screen_shake.h"

namespace kelp {
namespace {

using draw_probe::Solid;
using testsupport::AddAnim;
using testsupport::AddImage;

class BrownieTransform : public frame_test::LevelFrameCanvas {
 protected:
  void SetUp() override {
    LevelFrameCanvas::SetUp();
    ScreenFade = New<TFade>();
    AddImage("IMAGE_TROPHY_LIGHT", Solid(8, 8, 0xFFFFFFFFu));
  }
  // Frames of the running game: the effects list, the widgets and their
  // drawing, until the scene has left the manager (at most `limit`).
  int Run(const Ref<TBrownieTransform>& scene, int limit) {
    int frames = 0;
    std::vector<int> states;
    while (WidgetManager->Contains(scene.get()) && frames < limit) {
      GameTime += 18;
      TVisuals::UpdateVisuals(1.0f);
      WidgetManager->Update(1.0f);
      scene->Draw();
      if (states.empty() || states.back() != scene->state) states.push_back(scene->state);
      if (WidgetManager->Contains(scene.get())) {
        EXPECT_EQ(game_->Paused, 1) << "the level stays paused, state " << scene->state;
        EXPECT_EQ(game_->completions, 0);
      }
      ++frames;
    }
    seen = states;
    return frames;
  }
  std::vector<int> seen;
};

TEST_F(BrownieTransform, ItShakesFadesPlaysAndFadesBackBeforeTheLevelCompletesOnce) {
  AddAnim("IMAGE_BROWNIE_TRANSFORM", Solid(20, 20, 0xFFFFFFFFu, 6), 100);
  auto results = New<TLevelComplete>();
  WidgetManager->AddWidget(results);
  game_->CompleteForm = results;
  auto scene = TBrownieTransform::Create();
  EXPECT_EQ(game_->pauses, std::vector<int>{1});
  ASSERT_TRUE(WidgetManager->Contains(scene.get()));
  ASSERT_TRUE(scene->Effects);
  EXPECT_TRUE(WidgetManager->Contains(scene->Effects.get()));
  const int start = GameTime;
  const int frames = Run(scene, 5000);
  EXPECT_FALSE(WidgetManager->Contains(scene.get()));
  EXPECT_FALSE(WidgetManager->Contains(scene->Effects.get()));
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(game_->pauses, (std::vector<int>{1, 0}));
  EXPECT_EQ(game_->completions, 1);
  EXPECT_GT(GameTime - start, 4000 + 7000) << "the shake and the animation's hold";
  EXPECT_LT(frames, 2000);
  EXPECT_FALSE(scene->Effect) << "the glow is dropped with the scene";
  EXPECT_FALSE(WidgetManager->Contains(results.get())) << "the results left before the picture came back";
}

TEST_F(BrownieTransform, AMissingAnimationStillEndsTheStory) {
  auto scene = TBrownieTransform::Create();
  Run(scene, 5000);
  EXPECT_EQ(game_->completions, 1);
}

TEST_F(BrownieTransform, TheBlackCoverAndTheFigureAreDrawnAtTheCentre) {
  AddAnim("IMAGE_BROWNIE_TRANSFORM", Solid(20, 20, 0xFF20FF20u, 6), 100);
  auto scene = TBrownieTransform::Create();
  scene->alpha = 1.5f;  // drawn clamped to 1
  scene->Draw();
  const platform::Pixmap shot = Grab();
  EXPECT_EQ(draw_probe::RGB(shot, 405, 305), 0x20FF20u);
  EXPECT_EQ(draw_probe::RGB(shot, 395, 305), 0u);
}

}  // namespace
}  // namespace kelp
