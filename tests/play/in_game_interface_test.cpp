// The level frame: what each drawing layer shows, the gears, rope and wheels
// that follow the claw, the backdrop and panels by level and village, and
// the clouds.
#include "play/in_game_interface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/media/anim_image.h"
#include "level_frame_env.h"
#include "play/swing.h"
#include "world/effects/clouds.h"
#include "world/village_state.h"

namespace kelp {
namespace {

using draw_probe::Solid;
using testsupport::AddAnim;
using testsupport::AddImage;

constexpr uint32_t kDark = 0x1u;  // a probe that wants a dim, not black, pixel (a shadow)

class FrameLayers : public frame_test::LevelFrameCanvas {
 protected:
  void SetUp() override {
    LevelFrameCanvas::SetUp();
    AddImage("IMAGE_SKY", Solid(16, 16, 0xFF2050C0u));
    AddImage("IMAGE_BACK", Solid(100, 100, 0xFF30A030u));
    AddImage("IMAGE_RIGHT_PANEL_BACK", Solid(20, 20, 0xFF604020u));
    AddImage("IMAGE_LEFT_PANEL", Solid(20, 20, 0xFFC09050u));
    AddImage("IMAGE_LEVELSCORE", Solid(10, 10, 0xFFF0E0B0u));
    AddAnim("IMAGE_GEARS", Strip({0xFF808080u, 0xFF00FF00u}, 10, 10));
    AddAnim("IMAGE_RIGHT_GEARS", Strip({0xFF404040u, 0xFF00FFFFu}, 10, 10));
    AddAnim("IMAGE_SWING_ROPE", Strip({0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu}, 6, 6));
    AddImage("IMAGE_SWING_BIG_WHEEL", Solid(8, 8, 0xFF0000FFu));
    AddImage("IMAGE_SWING_BODY", Solid(4, 4, 0xFFFFFF00u));
    AddImage("IMAGE_SWING_WHEEL", Solid(4, 4, 0xFFFF00FFu));
    AddImage("IMAGE_RIGHT_PANEL", Solid(20, 20, 0xFF00C0C0u));
    AddImage("IMAGE_SWING_TOP", Solid(12, 6, 0xFFFF8000u));
    AddImage("IMAGE_SWING_PLATFORM", Solid(10, 10, 0xFF804000u));
    AddImage("IMAGE_TRUBA", Solid(10, 10, 0xFFA0A0A0u));
    AddImage("IMAGE_CLOCK_ARROW", Solid(3, 12, 0xFFFF0000u));
    AddImage("IMAGE_CLOCK_PIP", Solid(2, 2, 0xFFFFFF00u));
    AddImage("IMAGE_CLOCK_CAP", Solid(10, 10, 0xFFFF00FFu));
    AddImage("IMAGE_PROGRESSBAR_HOLDERS", Solid(6, 6, 0xFF9090F0u));
    AddImage("IMAGE_STONE", Solid(6, 6, 0xFFE0E0E0u));
    InGameInterface->Load();
  }
  static platform::ImageRef Strip(const std::vector<uint32_t>& colours, int w, int h) {
    auto image = platform::CreateImage(w, h, static_cast<int>(colours.size()), 0);
    for (size_t f = 0; f < colours.size(); ++f)
      image->SetFrame(static_cast<int>(f), Solid(w, h, colours[f])->Frame(0));
    return image;
  }
};

TEST_F(FrameLayers, EachLayerDrawsItsPartsAndOtherLayersNothing) {
  struct Probe {
    int x, y;
    uint32_t rgb;
  };
  struct Case {
    int layer;
    std::function<void()> setup;
    std::vector<Probe> probes;
  };
  const std::vector<Case> cases = {
      {-2, [] {}, {{50, 50, 0x30A030}, {96, 96, 0x2050C0}, {400, 300, 0x2050C0}, {799, 599, 0x2050C0}}},
      {-1, [] {}, {{605, 5, 0x604020}, {595, 5, 0}}},
      {0, [] {}, {{5, 5, 0xC09050}, {30, 95, 0xF0E0B0}, {22, 5, 0}}},
      {1,
       [] {
         InGameInterface->Gears->Frame = 1;
         InGameInterface->Rope->Frame = 2;
       },
       {{45, 2, 0x00FF00},   // gears, the current frame, one right of their anchor
        {46, 314, 0xFFFFFF},  // rope
        {53, 316, kDark},     // its shadow
        {96, 454, 0x0000FF},  // big wheel
        {104, 462, kDark},    // its shadow
        {43, 438, 0xFFFF00},  // body
        {94, 320, 0xFF00FF}}},
      {2, [] { InGameInterface->Gears->Frame = 1; },
       {{565, 5, 0x00C0C0},  // right panel
        {585, 5, 0xA0A0A0},  // pipe over it
        {0, 477, 0xFF8000},  // swing: the left end down
        {110, 454, 0xFF8000},
        {5, 525, 0x804000},   // platform
        {762, 2, 0x00FFFF},   // right gears with the frame of the gears
        {92, 225, 0xFF0000},  // clock hand
        {91, 216, 0xFFFF00}}},  // its pip
      {2, [this] { game_->GameMode = TGameState::RELAXED; }, {{95, 220, 0xFF00FF}, {92, 227, 0}}},
      {3, [] {}, {{665, 331, 0x9090F0}, {687, 555, 0xE0E0E0}}},
      {-3, [] {}, {}},
      {4, [] {}, {}},
  };
  for (const Case& c : cases) {
    platform::Cls();
    game_->GameMode = TGameState::NORMAL;
    c.setup();
    platform::SetAlpha(0.5f);
    InGameInterface->Draw(c.layer);
    EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.5f) << "layer " << c.layer << " leaves the draw state as it was";
    platform::SetAlpha(1.0f);
    const platform::Pixmap shot = Grab();
    if (c.probes.empty()) {
      EXPECT_TRUE(draw_probe::IsBlank(shot)) << "layer " << c.layer;
    }
    for (const Probe& p : c.probes) {
      const uint32_t got = draw_probe::RGB(shot, p.x, p.y);
      if (p.rgb == kDark) {
        EXPECT_NE(got, 0u) << "layer " << c.layer << " at " << p.x << "," << p.y;
        EXPECT_LT(got & 0xFF, 0x30u) << "layer " << c.layer << " at " << p.x << "," << p.y;
      } else {
        // White tints of the shared colour are one short of full.
        for (int shift : {0, 8, 16})
          EXPECT_NEAR((got >> shift) & 0xFF, (p.rgb >> shift) & 0xFF, 1) << "layer " << c.layer << " at " << p.x << "," << p.y;
      }
    }
  }
}

TEST_F(FrameLayers, GearsRopeAndWheelsFollowTheClawSpeed) {
  struct Case {
    float speed;
    int gears_ms, rope_ms;
    float big_wheel, wheel;  // degrees a frame
  };
  for (Case c : {Case{14, 10, 50, 4.2f, 7.0f}, Case{1, 100, 200, 0.3f, 0.5f}, Case{-7, 14, 50, 2.1f, 3.5f},
                 Case{-40, 10, 50, 10.0f, 10.0f}}) {
    InGameInterface->bw_angle = InGameInterface->w_angle = 0.0f;
    Player->speed = c.speed;
    InGameInterface->UpdateSwing(1.0f);
    InGameInterface->UpdateGears();
    EXPECT_EQ(InGameInterface->Gears->AnimSpeed, c.gears_ms) << c.speed;
    EXPECT_EQ(InGameInterface->Rope->AnimSpeed, c.rope_ms) << c.speed;
    EXPECT_FLOAT_EQ(InGameInterface->bw_angle, c.big_wheel) << c.speed;
    EXPECT_FLOAT_EQ(InGameInterface->w_angle, c.wheel) << c.speed;
  }
}

TEST_F(FrameLayers, AClawMovingLeftTurnsTheGearsBackButTheRopeOn) {
  auto& ui = *InGameInterface;
  ui.Gears->Frame = 0;
  ui.Rope->Frame = 2;
  Player->speed = -5.0f;
  GameTime += 1000;
  ui.UpdateSwing(1.0f);
  ui.UpdateGears();
  EXPECT_EQ(ui.Gears->Frame, 1) << "back from the first frame to the last";
  EXPECT_EQ(ui.Rope->Frame, 0) << "on from the last frame to the first";
  ui.UpdateSwing(1.0f);
  ui.UpdateGears();
  EXPECT_EQ(ui.Gears->Frame, 1) << "not before its frame time";
  GameTime += 20;
  ui.UpdateGears();
  EXPECT_EQ(ui.Gears->Frame, 0);
  ui.bw_angle = 359.0f;
  ui.UpdateSwing(1.0f);
  EXPECT_FLOAT_EQ(ui.bw_angle, 0.5f) << "wrapped at 360";
  EXPECT_EQ(ui.SwingTop->state, 1) << "the moving claw rocks the swing";
}

TEST_F(FrameLayers, AClawAtRestKeepsEveryFrameAndStopsTheSwing) {
  auto& ui = *InGameInterface;
  Player->speed = 3.0f;
  ui.UpdateSwing(1.0f);
  ui.Gears->Frame = 1;
  ui.Rope->Frame = 1;
  Player->speed = 0.0f;
  const float angle = ui.bw_angle;
  ui.SwingTop->ly = 475.0f;
  ui.SwingTop->ry = 452.0f;
  for (int k = 0; k < 20; ++k) {
    GameTime += 500;
    ui.UpdateSwing(1.0f);
    ui.UpdateGears();
  }
  EXPECT_EQ(ui.Gears->Frame, 1);
  EXPECT_EQ(ui.Rope->Frame, 1);
  EXPECT_EQ(ui.bw_angle, angle);
  EXPECT_EQ(ui.SwingTop->state, 2) << "levelling out";
}

TEST_F(FrameLayers, TheBackdropFollowsTheLevelAndThePanelsTheVillage) {
  std::map<std::string, platform::ImageRef> images;
  for (const char* id : {"IMAGE_BACK_EVIL", "IMAGE_SNOW_BACK", "IMAGE_SNOW_BACK2", "IMAGE_SNOW_BACK_EVIL",
                         "IMAGE_SNOW_LEFT_PANEL", "IMAGE_SNOW_RIGHT_PANEL"}) {
    images[id] = Solid(4, 4, 0xFF000000u | static_cast<uint32_t>(images.size() + 1));
    AddImage(id, images[id]);
  }
  images["IMAGE_BACK"] = ResManager->GetImage("IMAGE_BACK");
  images["IMAGE_LEFT_PANEL"] = ResManager->GetImage("IMAGE_LEFT_PANEL");
  images["IMAGE_RIGHT_PANEL"] = ResManager->GetImage("IMAGE_RIGHT_PANEL");
  struct Case {
    int level, village;
    const char *back, *left, *right;
  };
  for (Case c : {Case{20, 1, "IMAGE_BACK", "IMAGE_LEFT_PANEL", "IMAGE_RIGHT_PANEL"},
                 Case{21, 1, "IMAGE_BACK_EVIL", "IMAGE_LEFT_PANEL", "IMAGE_RIGHT_PANEL"},
                 Case{31, 2, "IMAGE_BACK_EVIL", "IMAGE_SNOW_LEFT_PANEL", "IMAGE_SNOW_RIGHT_PANEL"},
                 Case{32, 3, "IMAGE_SNOW_BACK", "IMAGE_SNOW_LEFT_PANEL", "IMAGE_SNOW_RIGHT_PANEL"},
                 Case{46, 2, "IMAGE_SNOW_BACK", "IMAGE_SNOW_LEFT_PANEL", "IMAGE_SNOW_RIGHT_PANEL"},
                 Case{47, 2, "IMAGE_SNOW_BACK2", "IMAGE_SNOW_LEFT_PANEL", "IMAGE_SNOW_RIGHT_PANEL"},
                 Case{65, 1, "IMAGE_SNOW_BACK2", "IMAGE_LEFT_PANEL", "IMAGE_RIGHT_PANEL"},
                 Case{66, 2, "IMAGE_SNOW_BACK_EVIL", "IMAGE_SNOW_LEFT_PANEL", "IMAGE_SNOW_RIGHT_PANEL"}}) {
    game_->Level = c.level;
    CurrentVillage = c.village;
    InGameInterface->SetVillage();
    EXPECT_EQ(InGameInterface->Back, images[c.back]) << c.level;
    EXPECT_EQ(InGameInterface->LeftPanel, images[c.left]) << c.level << " village " << c.village;
    EXPECT_EQ(InGameInterface->RightPanel, images[c.right]) << c.level << " village " << c.village;
  }
}

// Under the backdrop only its see-through part is drawn: the layer must look
// as the sky tiled over the whole screen with the backdrop drawn over it.
TEST_F(FrameLayers, TheSkyShowsWhereverTheBackdropLetsItThrough) {
  const auto back = [](int w, int h, const std::function<void(platform::Pixmap&)>& edit) {
    auto p = std::make_shared<platform::Pixmap>(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) p->WritePixel(x, y, 0xFF30A030u);
    edit(*p);
    return platform::ImageFromPixmap(p, 0);
  };
  const auto window = [](platform::Pixmap& p) {
    for (int y = 100; y < 150; ++y)
      for (int x = 200; x < 300; ++x) p.WritePixel(x, y, 0x00000000u);
    p.WritePixel(700, 500, 0x80FF0000u);  // half see-through, far from the window
  };
  struct Case {
    const char* what;
    platform::ImageRef back;
  };
  const Case cases[] = {
      {"a window and a half clear pixel", back(810, 610, window)},
      {"opaque over the whole screen", back(810, 610, [](platform::Pixmap&) {})},
      {"opaque but short of the screen", back(810, 500, [](platform::Pixmap&) {})},
      {"clear along its last column", back(810, 610, [](platform::Pixmap& p) {
         for (int y = 0; y < 610; ++y) p.WritePixel(809, y, 0x40FFFFFFu);
       })},
  };
  for (const Case& c : cases) {
    platform::Cls();
    platform::TileImage(InGameInterface->Sky, 0, 0);
    platform::DrawImage(c.back, -5, -5);
    const platform::Pixmap want = Grab();
    platform::Cls();
    InGameInterface->Back = c.back;
    InGameInterface->Draw(-2);
    const platform::Pixmap got = Grab();
    int differing = 0;
    for (int y = 0; y < got.Height(); ++y)
      for (int x = 0; x < got.Width(); ++x) differing += want.ReadPixel(x, y) != got.ReadPixel(x, y);
    EXPECT_EQ(differing, 0) << c.what;
  }
}

// What the panels will cover is left undrawn: the frame must look the same as
// one drawn whole, and the viewport must come back whole.
TEST_F(FrameLayers, WhatThePanelsCoverIsLeftUndrawnWithTheSameFrame) {
  // Opaque stone with a ragged edge toward the field, as the game's panels.
  const auto panel = [](int w, int h, bool left, const std::function<void(platform::Pixmap&)>& edit) {
    auto p = std::make_shared<platform::Pixmap>(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int in = left ? w - 1 - x : x;  // columns from the field side
        p->WritePixel(x, y, in < (y / 40) % 9 ? 0x20FFFFFFu * (y % 2) : 0xFFC09050u);
      }
    edit(*p);
    return platform::ImageFromPixmap(p, 0);
  };
  const auto none = [](platform::Pixmap&) {};
  struct Case {
    const char* what;
    platform::ImageRef left, right;
    float origin_x, origin_y;
    bool narrowed;
  };
  const Case cases[] = {
      {"the game's panels", panel(200, 600, true, none), panel(240, 600, false, none), 0, 0, true},
      {"a hole in the left panel", panel(200, 600, true, [](platform::Pixmap& p) { p.WritePixel(60, 300, 0); }),
       panel(240, 600, false, none), 0, 0, true},
      {"panels short of the screen", panel(200, 590, true, none), panel(240, 590, false, none), 0, 0, false},
      {"a frame shaken by fractions", panel(200, 600, true, none), panel(240, 600, false, none), 1.5f, -0.25f, false},
  };
  // The layers with a see-through square over the whole screen between each two.
  const auto frame = [](bool cull, float ox, float oy, int* narrowed_width) {
    platform::ResetDrawState();
    platform::Cls();
    platform::SetOrigin(ox, oy);
    if (cull) InGameInterface->BeginFrame();
    for (int layer = -2; layer <= 3; ++layer) {
      InGameInterface->Draw(layer);
      int vx = 0, vy = 0, vw = 0, vh = 0;
      platform::GetViewport(vx, vy, vw, vh);
      if (layer == -1 && narrowed_width) *narrowed_width = vw;
      platform::SetColor(40 * (layer + 3), 255 - 30 * (layer + 3), 90);
      platform::SetAlpha(0.5f);
      platform::DrawRect(-10, -10, 820, 620);
      platform::SetAlpha(1.0f);
      platform::SetColor(255, 255, 255);
    }
    if (cull) InGameInterface->EndFrame();
    return Grab();
  };
  for (const Case& c : cases) {
    InGameInterface->LeftPanel = c.left;
    InGameInterface->RightPanel = c.right;
    const platform::Pixmap want = frame(false, c.origin_x, c.origin_y, nullptr);
    int width = 0;
    const platform::Pixmap got = frame(true, c.origin_x, c.origin_y, &width);
    int differing = 0;
    for (int y = 0; y < got.Height(); ++y)
      for (int x = 0; x < got.Width(); ++x) differing += want.ReadPixel(x, y) != got.ReadPixel(x, y);
    EXPECT_EQ(differing, 0) << c.what;
    if (c.narrowed) {
      EXPECT_LT(width, 600) << c.what;
    }
    int vx = 0, vy = 0, vw = 0, vh = 0;
    platform::GetViewport(vx, vy, vw, vh);
    EXPECT_EQ(vx, 0) << c.what;
    EXPECT_EQ(vw, 800) << c.what;
  }
}

TEST_F(FrameLayers, ALevelStartsWithNineToThirteenCloudsAndOneMoreMayComeEveryThreeSeconds) {
  auto clouds = [] {
    int n = 0;
    for (const Ref<TVisuals>& v : VisualsList)
      if (As<TCloud>(v)) ++n;
    return n;
  };
  InGameInterface->CloudInit = 0;
  InGameInterface->Update(1.0f);
  const int first = clouds();
  EXPECT_GE(first, 9);
  EXPECT_LE(first, 13);
  EXPECT_EQ(InGameInterface->CloudInit, 1);
  InGameInterface->Update(1.0f);
  EXPECT_EQ(clouds(), first);
  int checks = 0, added = 0;
  for (int k = 0; k < 40; ++k) {
    const int before = clouds();
    const int last = InGameInterface->CloudGenTime;
    GameTime += 3001;
    InGameInterface->Update(1.0f);
    if (InGameInterface->CloudGenTime != last) ++checks;
    added += clouds() - before;
  }
  EXPECT_GE(checks, 19);
  EXPECT_GT(added, 0);
  EXPECT_LT(added, checks);
}

}  // namespace
}  // namespace kelp
