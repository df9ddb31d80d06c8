// Leaving out what lies off the screen must change nothing the screen shows:
// on the authored villages, scrolled to either end and zoomed, the palm fans
// drawn through the window give the canvas every fan gives, and an emitter
// judged off the screen draws nothing on it.
#include "../../tools/village_view/village_view.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/particles.h"
#include "framework/media/poly_anim.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "village/on_screen.h"
#include "village_fixture.h"

namespace kelp::village_test {
namespace {

platform::PixmapRef Blank() {
  platform::SetClearColor(0, 0, 0);
  platform::Cls();
  return platform::GrabCanvas();
}

bool Same(const platform::Pixmap& a, const platform::Pixmap& b) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.ReadPixel(x, y) != b.ReadPixel(x, y)) return false;
  return true;
}

TEST(OnScreen, WhatIsLeftOutWouldNotHaveShown) {
  char* cwd = getcwd(nullptr, 0);
  const std::string old_cwd = cwd ? cwd : ".";
  std::free(cwd);
  int fansOut = 0, emittersOut = 0, emittersIn = 0;
  for (const int village : {TVillageMode::DESERT, TVillageMode::SNOW}) {
    ResetVillage();
    ASSERT_TRUE(village_view::Open(KELP_DATA_ROOT, true)) << "no data set in " << KELP_DATA_ROOT;
    ASSERT_TRUE(village_view::Start(village, village == TVillageMode::DESERT ? 18 : 36, 20, 7));
    TVillageMode& v = *VillageScreen;
    for (int i = 0; i < 400; ++i) village_view::Frame();
    struct View {
      float scroll;  // the screen's Scroll_x less the canvas offset
      float zoom;
    };
    for (const View view : {View{v.min_scroll_x - CanvasOffsetX, 1.0f}, View{v.max_scroll_x - CanvasOffsetX, 1.0f},
                            View{-100.0f, 1.0f}, View{-100.0f, 1.7f}}) {
      SCOPED_TRACE("village " + std::to_string(village) + ", scroll " + std::to_string(view.scroll) + ", zoom " +
                   std::to_string(view.zoom));
      const auto place = [&] {
        platform::ResetDrawState();
        platform::SetOrigin((view.scroll + static_cast<float>(CanvasOffsetX)) * view.zoom, 0.0f);
      };
      for (const int layer : {0, 1}) {
        place();
        platform::SetScale(view.zoom, view.zoom);
        Blank();
        TPolyAnim::DrawAnim(layer);
        const platform::PixmapRef every = platform::GrabCanvas();
        Blank();
        DrawFansOnScreen(layer, WindowOfDrawState());
        const platform::PixmapRef shown = platform::GrabCanvas();
        ASSERT_TRUE(every && shown);
        EXPECT_TRUE(Same(*every, *shown)) << "layer " << layer;
        const ScreenWindow w = WindowOfDrawState();
        for (const auto& anim : PolyAnims()) {
          if (anim->layer != layer) continue;
          float x0 = 1e9f, x1 = -1e9f;
          for (size_t i = 0; i + 3 < anim->xyuv.size(); i += 4) {
            x0 = std::min(x0, anim->xyuv[i]);
            x1 = std::max(x1, anim->xyuv[i]);
          }
          if (x1 < w.x0 || x0 > w.x1) ++fansOut;
        }
      }
      place();
      const ScreenWindow w = WindowOfDrawState();
      for (const Ref<TEmitter>& e : Snapshot(v.Emitters)) {
        if (e->Particles.IsEmpty()) {
          EXPECT_FALSE(EmitterOnScreen(*e, w, view.zoom)) << "an emitter without particles has nothing to draw";
          continue;
        }
        if (EmitterOnScreen(*e, w, view.zoom)) {
          ++emittersIn;
          continue;
        }
        ++emittersOut;
        const platform::PixmapRef blank = Blank();
        place();
        e->Draw(view.zoom);
        const platform::PixmapRef drawn = platform::GrabCanvas();
        ASSERT_TRUE(blank && drawn);
        EXPECT_TRUE(Same(*blank, *drawn)) << "an emitter judged off the screen drew on it";
      }
    }
    village_view::Close();
  }
  // The views must put things on both sides of the edge for the checks to mean anything.
  EXPECT_GT(fansOut, 0);
  EXPECT_GT(emittersOut, 0);
  EXPECT_GT(emittersIn, 0);
  ResetVillage();
  EXPECT_EQ(chdir(old_cwd.c_str()), 0);
}

// The sky is drawn only where the backdrops leave it showing: the finished
// frame has no pixel left from before it, scrolled, zoomed and shaken.
TEST(OnScreen, TheFrameCoversTheWholeScreenWhereTheSkyIsLeftOut) {
  char* cwd = getcwd(nullptr, 0);
  const std::string old_cwd = cwd ? cwd : ".";
  std::free(cwd);
  for (const int village : {TVillageMode::DESERT, TVillageMode::SNOW}) {
    ResetVillage();
    ASSERT_TRUE(village_view::Open(KELP_DATA_ROOT, true)) << "no data set in " << KELP_DATA_ROOT;
    ASSERT_TRUE(village_view::Start(village, village == TVillageMode::DESERT ? 18 : 36, 0, 7));
    TVillageMode& v = *VillageScreen;
    v.Hidden = 0;
    v.TimeStop = 1;
    struct View {
      float scroll, zoom, shakeX, shakeY;
      int phase;
    };
    for (const View view : {View{v.min_scroll_x, 1.0f, 0, 0, TVillageMode::DAY},
                            View{v.max_scroll_x, 1.0f, 0, 0, TVillageMode::NIGHT},
                            View{CanvasOffsetX - 100.0f, 1.37f, 0, 0, TVillageMode::DAY},
                            View{CanvasOffsetX - 100.0f, 1.0f, 3.5f, -4.0f, TVillageMode::EVENING1},
                            View{CanvasOffsetX - 100.0f, 1.0f, -2.0f, 3.0f, TVillageMode::NIGHT}}) {
      SCOPED_TRACE("village " + std::to_string(village) + ", scroll " + std::to_string(view.scroll) + ", zoom " +
                   std::to_string(view.zoom) + ", shake " + std::to_string(view.shakeY));
      v.DayTime = view.phase - 1;
      v.NextDayTime();
      v.Scroll_x = view.scroll;
      v.Closing_scale = view.zoom;
      v.Showing = view.zoom != 1.0f;
      ShakeOffsetX = view.shakeX;
      ShakeOffsetY = view.shakeY;
      platform::ResetDrawState();
      platform::SetClearColor(255, 0, 255);
      platform::Cls();
      v.Draw();
      const platform::PixmapRef frame = platform::GrabCanvas();
      ASSERT_TRUE(frame);
      int left = 0;
      for (int y = 0; y < frame->Height(); ++y)
        for (int x = 0; x < frame->Width(); ++x)
          if ((frame->ReadPixel(x, y) & 0xFFFFFFu) == 0xFF00FFu) ++left;
      EXPECT_EQ(left, 0) << "pixels neither sky nor village";
    }
    ShakeOffsetX = ShakeOffsetY = 0.0f;
    village_view::Close();
  }
  ResetVillage();
  EXPECT_EQ(chdir(old_cwd.c_str()), 0);
}

TEST(OnScreen, AParticleThatGlowsOrPlaysCountsWhereverItIs) {
  ResetVillage();
  auto effect = New<TEffect>();
  TEmitter e;
  e.Config = effect;
  const ScreenWindow window{0.0f, 0.0f, 800.0f, 600.0f};
  EXPECT_FALSE(EmitterOnScreen(e, window, 1.0f));
  auto far = New<TParticle>();
  far->x = 5000.0f;
  far->Image = platform::ImageFromPixmap(std::make_shared<platform::Pixmap>(16, 16));
  e.Particles.AddLast(far);
  EXPECT_FALSE(EmitterOnScreen(e, window, 1.0f));
  far->Scale = 400.0f;  // its picture now reaches back across the screen
  EXPECT_TRUE(EmitterOnScreen(e, window, 1.0f));
  far->Scale = 1.0f;
  far->Glowing = 1;
  EXPECT_TRUE(EmitterOnScreen(e, window, 1.0f));
  ResetVillage();
}

}  // namespace
}  // namespace kelp::village_test
