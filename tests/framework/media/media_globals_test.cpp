// The media room's reset: placement, fade, sound settings and lists as they
// were when the program started.
#include "framework/media/media_globals.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/media/visuals.h"
#include "start_values.h"

namespace {

using namespace kelp;
using testsupport::StartValue;
#define START KELP_START_VALUE

const std::vector<StartValue<int>> kInts = {
    START(ScreenWidth),    START(ScreenHeight),   START(WideLayout),    START(VirtualWidth),
    START(VirtualHeight),  START(VirtualCenterX), START(VirtualCenterY), START(ScreenCenterX),
    START(ScreenCenterY),  START(CanvasOffsetX),  START(DesktopWidth),  START(DesktopHeight),
    START(FullScreen),     START(WideScreen),     START(FadeWidth),     START(FadeHeight),
    START(MusicQueued),    START(QueuedMusicLoop), START(MusicFadingOut)};
const std::vector<StartValue<float>> kFloats = {START(ShakeOffsetX), START(ShakeOffsetY), START(SoundVolume),
                                                START(MusicVolume),  START(MusicFadeLevel)};
const std::vector<StartValue<double>> kDoubles = {START(ScreenScaleX), START(ScreenScaleY)};
#undef START

class MediaGlobals : public ::testing::Test {
 protected:
  void SetUp() override { ResetMediaGlobals(); }
  void TearDown() override { ResetMediaGlobals(); }
};

TEST_F(MediaGlobals, EverythingGoesBackToItsStartValue) {
  testsupport::Disturb(kInts);
  testsupport::Disturb(kFloats);
  testsupport::Disturb(kDoubles);
  DesktopAspect = "16:9";
  const Ref<TResManager> manager = ResManager;
  ResManager->ResAddData("img/a.png", "IMAGE_A", New<TResImage>(), "test");
  VisualsList.AddLast(New<TFade>());
  VisualsHooks.UpdateLights = [](float) {};
  CurrentBMFont = New<TBMFont>();
  ScreenFade = New<TFade>();
  CurrentMusicName = "song.ogg";

  ResetMediaGlobals();
  testsupport::ExpectStartValues(kInts);
  testsupport::ExpectStartValues(kFloats);
  testsupport::ExpectStartValues(kDoubles);
  EXPECT_EQ(DesktopAspect, "4:3");
  ASSERT_NE(ResManager, nullptr);
  EXPECT_NE(ResManager, manager) << "a fresh manager";
  EXPECT_EQ(ResManager->GetImage("IMAGE_A"), nullptr);
  EXPECT_TRUE(VisualsList.IsEmpty());
  EXPECT_FALSE(VisualsHooks.UpdateLights);
  EXPECT_EQ(CurrentBMFont, nullptr);
  EXPECT_EQ(ScreenFade, nullptr);
  EXPECT_EQ(CurrentMusicName, "");
}

}  // namespace
