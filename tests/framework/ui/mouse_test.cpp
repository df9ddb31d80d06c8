#include "framework/ui/mouse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "draw_probe.h"
#include "framework/core/frame_clock.h"
#include "framework/media/anim_image.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/resources.h"
#include "platform/cursor.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/window.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "test_resources.h"

namespace kelp {
namespace {

class MouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetUiRooms();
    platform::ResetInput();
    platform::ResetAppState();
    platform::ShowPointer();
    platform::SetSystemCursor(platform::CURSOR_ARROW);
    Mouse = New<TMouse>();
    FullScreenMode = 1;
    testsupport::AddImage("IMAGE_GUI_CURSOR_01");
    testsupport::AddImage("IMAGE_GUI_CURSOR_02");
    testsupport::AddImage("IMAGE_CURSOR_BUSY");
  }
  void TearDown() override {
    testsupport::ResetUiRooms();
    platform::ResetInput();
    platform::ResetAppState();
    platform::ShowPointer();
  }
  // The game's own cursor, at (x, y).
  void StartCustom(float x, float y) {
    platform::InjectMousePosition(x, y);
    Mouse->CustomInit();
    ASSERT_EQ(Mouse->custom, 1);
  }
  // The pointer moves by (mx, my) before the frame.
  void Frame(float mx, float my, float factor = 1.0f) {
    platform::InjectMouseMotion(mx, my);
    Mouse->Update(factor);
  }
};

TEST_F(MouseTest, ButtonStatesOverFrames) {
  struct Step {
    std::vector<std::pair<int, bool>> events;  // (button, down) before the frame
    int down1, up1, hit1, down2, up2, hit2;
  };
  const Step steps[] = {
      {{{1, true}, {1, false}}, 0, 1, 1, 0, 0, 0},                     // a quick click between two frames
      {{{1, true}}, 1, 0, 1, 0, 0, 0},                                 // left pressed
      {{}, 1, 0, 0, 0, 0, 0},                                          // held
      {{{1, false}, {2, true}}, 0, 1, 0, 1, 0, 1},                     // left released, right pressed
      {{}, 0, 1, 0, 1, 0, 0},                                          // Up stays set
      {{{1, true}, {1, false}, {1, true}, {1, false}}, 0, 1, 2, 1, 0, 0},  // two clicks in one frame
      {{{1, true}, {2, false}}, 1, 0, 1, 0, 1, 0},                     // a press clears Up
      {{{3, true}}, 1, 0, 0, 0, 1, 0},                                 // the middle button is no game button
  };
  int frame = 0;
  for (const Step& s : steps) {
    for (auto [b, down] : s.events) platform::InjectMouseButton(b, down);
    Mouse->Update(1.0f);
    EXPECT_EQ(Mouse->Bt1Down, s.down1) << "frame " << frame;
    EXPECT_EQ(Mouse->Bt1Up, s.up1) << "frame " << frame;
    EXPECT_EQ(Mouse->Bt1Hit, s.hit1) << "frame " << frame;
    EXPECT_EQ(Mouse->Bt2Down, s.down2) << "frame " << frame;
    EXPECT_EQ(Mouse->Bt2Up, s.up2) << "frame " << frame;
    EXPECT_EQ(Mouse->Bt2Hit, s.hit2) << "frame " << frame;
    ++frame;
  }
  // Flush clears the held and released states; a button still held is seen again.
  Mouse->dx = 3.0f;
  Mouse->Flush();
  EXPECT_EQ(Mouse->Bt1Down + Mouse->Bt1Up + Mouse->Bt2Down + Mouse->Bt2Up, 0);
  EXPECT_EQ(Mouse->dx, 0.0f);
  Mouse->Update(1.0f);
  EXPECT_EQ(Mouse->Bt1Down, 1);
  EXPECT_EQ(Mouse->Bt2Up, 0);
}

TEST_F(MouseTest, CustomCursorMovesByPointerMotionTimesSensitivityAndFactor) {
  struct Row {
    float sens, mx, my, factor;
    float x, y, dx, dy;  // after the frame, from (400, 300)
  };
  const Row rows[] = {
      {0.5f, 10.0f, 0.0f, 1.0f, 405.0f, 300.0f, 5.0f, 0.0f},
      {1.0f, -20.0f, 8.0f, 1.0f, 380.0f, 308.0f, -20.0f, 8.0f},
      {1.5f, 10.0f, 10.0f, 2.0f, 430.0f, 330.0f, 15.0f, 15.0f},
      {1.0f, 10.0f, -10.0f, 0.0f, 400.0f, 300.0f, 10.0f, -10.0f},  // factor 0: no move
  };
  StartCustom(100.0f, 100.0f);
  EXPECT_EQ(Mouse->x, 100.0f);  // takes over where the pointer was
  EXPECT_TRUE(platform::RelativeMouse());
  EXPECT_FALSE(platform::PointerShown());
  for (const Row& r : rows) {
    Mouse->Center();
    Mouse->SetSens(r.sens);
    Frame(r.mx, r.my, r.factor);
    EXPECT_FLOAT_EQ(Mouse->x, r.x) << r.sens << " " << r.factor;
    EXPECT_FLOAT_EQ(Mouse->y, r.y) << r.sens << " " << r.factor;
    EXPECT_FLOAT_EQ(Mouse->dx, r.dx);
    EXPECT_FLOAT_EQ(Mouse->dy, r.dy);
    // The pointer is held at the centre.
    EXPECT_EQ(platform::MouseX(), 400.0f);
    EXPECT_EQ(platform::MouseY(), 300.0f);
  }
}

TEST_F(MouseTest, PositionIsClampedAlwaysForTheCustomCursorAndOnRequestForTheSystemPointer) {
  StartCustom(400.0f, 300.0f);
  Frame(-1000.0f, 2000.0f);  // FreeMove is 1, yet the custom cursor stays on the screen
  EXPECT_EQ(Mouse->x, 0.0f);
  EXPECT_EQ(Mouse->y, 600.0f);

  Mouse->SystemInit();
  ASSERT_EQ(Mouse->custom, 0);
  platform::InjectMousePosition(-30.0f, 650.0f);
  Mouse->Update(1.0f);
  EXPECT_EQ(Mouse->x, -30.0f);  // free
  EXPECT_EQ(Mouse->dx, -30.0f);
  Mouse->FreeMove = 0;
  Mouse->Update(1.0f);
  EXPECT_EQ(Mouse->x, 0.0f);
  EXPECT_EQ(Mouse->y, 600.0f);
  EXPECT_EQ(platform::MouseX(), 0.0f);  // the system pointer goes along
  EXPECT_EQ(platform::MouseY(), 600.0f);
  platform::InjectMousePosition(123.0f, 45.0f);
  Mouse->Update(1.0f);
  EXPECT_EQ(Mouse->x, 123.0f);
  EXPECT_EQ(Mouse->dx, 123.0f);
}

TEST_F(MouseTest, InitSwitchesTheLookOnceForEachKind) {
  testsupport::AddImage("IMAGE_GUI_CURSOR_03");
  auto sound = New<TResSound>();  // not a picture
  ResManager->ResAddData("snd/x.wav", "IMAGE_NOT_A_PICTURE", sound, "test");
  sound->Data = platform::CreateAudioSample(10, 44100);

  Mouse->DefaultInit();
  EXPECT_EQ(Mouse->ID, 1);
  EXPECT_EQ(Mouse->custom, 1);
  const auto normal = Mouse->image;
  // The busy cursor shows over the normal one, and the normal one comes back.
  Mouse->BusyInit();
  EXPECT_EQ(Mouse->ID, CURSOR_KIND_BUSY);
  EXPECT_NE(Mouse->image, normal);
  Mouse->DefaultInit();
  EXPECT_EQ(Mouse->image, normal);
  // The same kind again does nothing, even with another picture.
  Mouse->Init(platform::CURSOR_HAND, "IMAGE_GUI_CURSOR_02", 1);
  EXPECT_EQ(Mouse->image, normal);
  // A resource that is no picture, or none: the system cursor of the call.
  Mouse->Init(platform::CURSOR_NO, "IMAGE_NOT_A_PICTURE", 0);
  EXPECT_EQ(Mouse->custom, 0);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(Mouse->image));
  EXPECT_EQ(platform::SystemCursor(), platform::CURSOR_NO);
  EXPECT_TRUE(platform::PointerShown());
  EXPECT_FALSE(platform::RelativeMouse());
  Mouse->Init(platform::CURSOR_HAND, "IMAGE_MISSING", 2);
  EXPECT_EQ(platform::SystemCursor(), platform::CURSOR_HAND);

  // The system pointer forced: kinds select system cursors only.
  Mouse->SystemInit();
  EXPECT_EQ(Mouse->ID, 20);
  EXPECT_EQ(platform::SystemCursor(), platform::CURSOR_ARROW);
  Mouse->BusyInit();
  EXPECT_EQ(Mouse->custom, 0);
  EXPECT_EQ(platform::SystemCursor(), platform::CURSOR_WAIT);
  // The options dialog's switch back to the game's own cursor.
  Mouse->CustomInit();
  EXPECT_EQ(Mouse->system, 0);
  EXPECT_EQ(Mouse->custom, 1);
  EXPECT_EQ(Mouse->image, normal);
}

TEST_F(MouseTest, AnimatedCursorIsAPlayerOfItsStrip) {
  auto res = New<TResAnimImage>();
  ResManager->ResAddData("img/busy.png", "IMAGE_CURSOR_ANIM", res, "test");
  auto strip = draw_probe::Solid(4, 4, 0xFFFFFFFFu, 3);
  res->FrameWidth = 4;
  res->FrameHeight = 4;
  res->FramesNum = 3;
  res->AnimSpeed = 50;
  res->Data = strip;
  Mouse->Init(platform::CURSOR_WAIT, "IMAGE_CURSOR_ANIM", 7);
  const auto* anim = std::get_if<Ref<TAnimImage>>(&Mouse->image);
  ASSERT_NE(anim, nullptr);
  EXPECT_EQ((*anim)->Image, strip);
  EXPECT_EQ((*anim)->AnimSpeed, 50);
  EXPECT_EQ(Mouse->custom, 1);
}

TEST_F(MouseTest, SwitchingTheCustomCursorOffHandsThePointerBackWhereTheCursorWas) {
  StartCustom(200.0f, 200.0f);
  Frame(50.0f, 0.0f);
  ASSERT_EQ(Mouse->x, 250.0f);
  Mouse->SystemInit();
  EXPECT_EQ(platform::MouseX(), 250.0f);
  EXPECT_EQ(platform::MouseY(), 200.0f);
  EXPECT_FALSE(platform::RelativeMouse());
  // Start-up's way: custom set first, so the switch moves the pointer too.
  Mouse = New<TMouse>();
  Mouse->x = 10.0f;
  Mouse->y = 20.0f;
  Mouse->custom = 1;
  Mouse->SystemInit();
  EXPECT_EQ(platform::MouseX(), 10.0f);
  EXPECT_EQ(platform::MouseY(), 20.0f);
}

TEST_F(MouseTest, WindowedCustomCursorHandsThePointerOverAtTheEdgeAndTakesItBack) {
  FullScreenMode = 0;
  StartCustom(790.0f, 300.0f);
  Frame(25.0f, 0.0f);  // pushed past the right edge
  EXPECT_EQ(Mouse->out, 1);
  EXPECT_FALSE(platform::RelativeMouse());
  EXPECT_EQ(platform::MouseX(), 815.0f);  // the system pointer at that spot
  EXPECT_EQ(Mouse->x, 800.0f);            // the cursor waits at the edge
  // Outside, the game cursor does not follow.
  platform::InjectMousePosition(900.0f, 100.0f);
  Mouse->Update(1.0f);
  EXPECT_EQ(Mouse->out, 1);
  EXPECT_EQ(Mouse->x, 800.0f);
  // Back in: resumed at the entry point, without a jump.
  platform::InjectMousePosition(780.0f, 120.0f);
  Mouse->Update(1.0f);
  EXPECT_EQ(Mouse->out, 0);
  EXPECT_EQ(Mouse->x, 780.0f);
  EXPECT_EQ(Mouse->y, 120.0f);
  EXPECT_EQ(Mouse->dx, 0.0f);
  EXPECT_EQ(Mouse->dy, 0.0f);
  EXPECT_TRUE(platform::RelativeMouse());
  EXPECT_EQ(platform::MouseX(), 400.0f);
  Frame(-30.0f, 0.0f);
  EXPECT_EQ(Mouse->x, 750.0f);
  // Past the top edge likewise.
  Frame(0.0f, -200.0f);
  EXPECT_EQ(Mouse->out, 1);
  EXPECT_EQ(platform::MouseY(), -80.0f);
  // Going full screen meanwhile takes the pointer back at once.
  FullScreenMode = 1;
  Mouse->Update(1.0f);
  EXPECT_EQ(Mouse->out, 0);
  EXPECT_TRUE(platform::RelativeMouse());
  Frame(0.0f, 10.0f);
  EXPECT_EQ(Mouse->y, 10.0f);
}

TEST_F(MouseTest, FullScreenCustomCursorNeverHandsOver) {
  StartCustom(790.0f, 300.0f);
  Frame(25.0f, 0.0f);
  EXPECT_EQ(Mouse->out, 0);
  EXPECT_EQ(Mouse->x, 800.0f);
  EXPECT_TRUE(platform::RelativeMouse());
}

TEST_F(MouseTest, PausedOrUnfocusedFramesNeitherReadNorPullThePointer) {
  StartCustom(400.0f, 300.0f);
  platform::InjectMouseButton(1, true);
  AppPaused = 1;
  Frame(40.0f, 0.0f);
  EXPECT_EQ(Mouse->x, 400.0f);
  EXPECT_EQ(Mouse->Bt1Hit, 0);  // the hit waits for the game
  AppPaused = 0;
  // Without the focus the pointer is the user's: no motion, no pull.
  platform::InjectAppEvent(platform::AppEvent::FocusLost);
  platform::InjectMousePosition(700.0f, 500.0f);
  Mouse->Update(1.0f);
  EXPECT_EQ(Mouse->x, 400.0f);
  EXPECT_EQ(platform::MouseX(), 700.0f);
  // Focus back: where the pointer came in is no motion either.
  platform::InjectAppEvent(platform::AppEvent::FocusGained);
  Mouse->Update(1.0f);
  EXPECT_EQ(Mouse->x, 400.0f);
  EXPECT_EQ(Mouse->y, 300.0f);
  EXPECT_EQ(platform::MouseX(), 400.0f);
  Frame(10.0f, 0.0f);
  EXPECT_EQ(Mouse->x, 410.0f);
}

TEST_F(MouseTest, MoveCentreHideAndShow) {
  Mouse->SystemInit();
  Mouse->Move(120.0f, 80.0f);
  EXPECT_EQ(platform::MouseX(), 120.0f);
  Mouse->Position(130.0f, 90.0f);
  EXPECT_EQ(Mouse->x, 130.0f);
  EXPECT_EQ(platform::MouseY(), 90.0f);
  Mouse->Hide();
  EXPECT_EQ(Mouse->hided, 1);
  EXPECT_FALSE(platform::PointerShown());
  Mouse->Show();
  EXPECT_TRUE(platform::PointerShown());
  Mouse->Center();
  EXPECT_EQ(Mouse->x, 400.0f);
  EXPECT_EQ(platform::MouseY(), 300.0f);

  // With the custom cursor the pointer stays at the centre and hidden.
  StartCustom(10.0f, 10.0f);
  Mouse->Move(50.0f, 60.0f);
  EXPECT_EQ(Mouse->x, 50.0f);
  EXPECT_EQ(platform::MouseX(), 400.0f);
  Mouse->Hide();
  Mouse->Show();
  EXPECT_FALSE(platform::PointerShown());
}

TEST_F(MouseTest, StartUpTakesTheCursorAndSensitivityFromTheOptions) {
  for (int custom : {1, 0}) {
    Mouse = nullptr;
    CustomCursor = custom;
    MouseSensitivity = 0.2f;
    platform::InjectMousePosition(30.0f, 40.0f);
    InitCursor();
    ASSERT_NE(Mouse, nullptr);
    EXPECT_EQ(Mouse->custom, custom);
    EXPECT_EQ(Mouse->ID, custom ? 1 : 20);
    EXPECT_FLOAT_EQ(Mouse->sensivity, 0.7f);
    EXPECT_EQ(Mouse->x, 400.0f);
    EXPECT_EQ(Mouse->y, 300.0f);
    EXPECT_EQ(platform::MouseX(), 400.0f);
  }
}

TEST_F(MouseTest, DrawsTheCustomCursorAtItsWholePixelUnlessHidden) {
  ASSERT_TRUE(platform::OpenGraphics(800, 600, 0, 60, true));
  platform::ResetDrawState();
  StartCustom(100.7f, 50.2f);
  platform::SetOrigin(30.0f, 30.0f);  // the cursor ignores the screen's origin
  platform::SetClearColor(0, 0, 0);
  platform::Cls();
  Mouse->Draw();
  draw_probe::ExpectBox(draw_probe::LitBox(*platform::GrabCanvas()), {100, 50, 104, 54}, "cursor", 0);
  float ox, oy;
  platform::GetOrigin(ox, oy);
  EXPECT_EQ(ox, 30.0f);
  Mouse->Hide();
  platform::Cls();
  Mouse->Draw();
  EXPECT_TRUE(draw_probe::IsBlank(*platform::GrabCanvas()));
  Mouse->Show();
  Mouse->SystemInit();
  Mouse->Draw();
  EXPECT_TRUE(draw_probe::IsBlank(*platform::GrabCanvas()));
  platform::CloseGraphics();
}

// ---- icon files ------------------------------------------------------------

void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

// An icon file of one entry holding `payload`.
std::string IconFile(const std::string& payload, int w, int h) {
  std::string s;
  Put16(s, 0);
  Put16(s, 1);
  Put16(s, 1);
  s += static_cast<char>(w);
  s += static_cast<char>(h);
  s += std::string(2, '\0');
  Put16(s, 1);
  Put16(s, 32);
  Put32(s, static_cast<uint32_t>(payload.size()));
  Put32(s, 22);
  return s + payload;
}

// A 2 x 2 bitmap entry: bottom row first; for 24 bits a mask follows.
std::string Bitmap(int bits, bool mask) {
  std::string s;
  Put32(s, 40);
  Put32(s, 2);
  Put32(s, 4);
  Put16(s, 1);
  Put16(s, static_cast<uint32_t>(bits));
  Put32(s, 0);
  s += std::string(20, '\0');
  // Pixels (x, y): (0,1) red, (1,1) green on the bottom row; (0,0) blue, (1,0) white on top.
  const uint32_t rows[2][2] = {{0xFFFF0000u, 0xFF00FF00u}, {0xFF0000FFu, 0x80FFFFFFu}};
  for (const auto& row : rows) {
    std::string r;
    for (uint32_t argb : row) {
      r += static_cast<char>(argb & 0xFF);
      r += static_cast<char>((argb >> 8) & 0xFF);
      r += static_cast<char>((argb >> 16) & 0xFF);
      if (bits == 32) r += static_cast<char>(argb >> 24);
    }
    while (r.size() % 4) r += '\0';
    s += r;
  }
  if (mask) {
    Put32(s, 0x00);         // bottom row opaque
    Put32(s, 0x40);         // top row: the right pixel transparent
  }
  return s;
}

platform::PixmapRef Read(const std::string& bytes) {
  return ReadIconFile(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

TEST(IconFile, FirstPictureOfPngAndBitmapEntries) {
  auto p32 = Read(IconFile(Bitmap(32, true), 2, 2));
  ASSERT_NE(p32, nullptr);
  EXPECT_EQ(p32->ReadPixel(0, 1), 0xFFFF0000u);
  EXPECT_EQ(p32->ReadPixel(1, 1), 0xFF00FF00u);
  EXPECT_EQ(p32->ReadPixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(p32->ReadPixel(1, 0), 0x80FFFFFFu);  // its own alpha; the mask is for old readers

  auto p24 = Read(IconFile(Bitmap(24, true), 2, 2));
  ASSERT_NE(p24, nullptr);
  EXPECT_EQ(p24->ReadPixel(0, 1), 0xFFFF0000u);
  EXPECT_EQ(p24->ReadPixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(p24->ReadPixel(1, 0) >> 24, 0u);

  testenv::TempDir dir;
  platform::Pixmap png(3, 2);
  png.WritePixel(2, 1, 0xFF123456u);
  ASSERT_TRUE(platform::SavePixmapPNG(png, dir / "i.png"));
  auto pp = Read(IconFile(testenv::ReadFile(dir / "i.png"), 3, 2));
  ASSERT_NE(pp, nullptr);
  EXPECT_EQ(pp->Width(), 3);
  EXPECT_EQ(pp->ReadPixel(2, 1), 0xFF123456u);
}

TEST(IconFile, DamagedFilesGiveNoPicture) {
  const std::string good = IconFile(Bitmap(32, true), 2, 2);
  std::vector<std::string> bad = {
      "",
      good.substr(0, 10),                        // directory cut short
      good.substr(0, good.size() - 20),          // picture cut short
      "\x89PNG\r\n\x1a\n" + good,               // a PNG, not an icon
      IconFile(Bitmap(8, false), 2, 2),          // palette pictures are not read
  };
  std::string huge = good;
  huge[22 + 4] = '\x7f';  // width 127 pixels * 2^24
  huge[22 + 7] = '\x7f';
  bad.push_back(huge);
  std::string offset = good;
  offset[18] = '\xff';  // entry beyond the file
  bad.push_back(offset);
  std::string bad_png = IconFile("\x89PNG\r\n\x1a\nnot really", 2, 2);
  bad.push_back(bad_png);
  for (size_t i = 0; i < bad.size(); ++i) EXPECT_EQ(Read(bad[i]), nullptr) << "case " << i;
}

TEST(IconFile, WindowIconFallsBackToThePngBesideIt) {
  testenv::TempDir dir;
  platform::Pixmap png(2, 2);
  ASSERT_TRUE(platform::SavePixmapPNG(png, dir / "Kelp.png"));
  testenv::WriteFile(dir / "Kelp.ico", "damaged");
  SetWindowIconFromFile(dir / "Kelp.ico");  // no window: kept for when one opens
  SetWindowIconFromFile(dir / "none.ico");  // logged, nothing else
}

}  // namespace
}  // namespace kelp
