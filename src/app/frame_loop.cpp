#include "app/frame_loop.h"

#include "app/screenshot.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/media/bmfont.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/sound.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget.h"
#include "frontend/scores.h"
#include "platform/clock.h"
#include "platform/cursor.h"
#include "platform/draw.h"
#include "platform/events.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "platform/single_instance.h"
#include "platform/system.h"
#include "platform/window.h"
#include "world/resource_bindings.h"

namespace kelp {

int DefaultLoopStartHook() { return 0; }
int DefaultLoopHook() { return 0; }
int DefaultCloseHook() { return 0; }

TLoopHook LoopStartHook = DefaultLoopStartHook;
TLoopHook LoopHook = DefaultLoopHook;
TLoopHook CloseHook = DefaultCloseHook;

std::unique_ptr<platform::FrameTimer> FrameTimer;
platform::ImageRef PauseImage;
platform::ImageRef PauseBackground;
int FrameLimit = -1;
std::function<void(int pass)> FrameProbe;

namespace {

constexpr int kPauseCaption = 44;
int g_pass = 0;

void WaitTick() {
  if (!FrameTimer) FrameTimer = std::make_unique<platform::FrameTimer>(55);
  FrameTimer->Wait();
}

// A picture of the canvas, mode-sized.
platform::ImageRef GrabScreen() {
  if (!platform::GraphicsOpen()) return nullptr;
  platform::ImageRef image =
      platform::CreateImage(platform::GraphicsWidth(), platform::GraphicsHeight(), 1, platform::DYNAMICIMAGE);
  platform::GrabImage(image, 0, 0);
  return image;
}

// A mode-sized picture over the whole virtual screen.
void DrawScreenPicture(const platform::ImageRef& image) {
  if (!image || platform::GraphicsWidth() <= 0 || platform::GraphicsHeight() <= 0) return;
  const float sx = static_cast<float>(platform::VirtualResolutionWidth()) / platform::GraphicsWidth();
  const float sy = static_cast<float>(platform::VirtualResolutionHeight()) / platform::GraphicsHeight();
  PushGraphicsState();
  platform::SetOrigin(0.0f, 0.0f);
  platform::SetViewport(0, 0, platform::VirtualResolutionWidth(), platform::VirtualResolutionHeight());
  platform::SetRotation(0.0f);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetScale(sx, sy);
  platform::DrawImage(image, 0.0f, 0.0f, 0);
  platform::SetScale(1.0f, 1.0f);
  PopGraphicsState();
}

void EnsureScreenFade() {
  if (!ScreenFade) {
    ScreenFade = New<TFade>();
    ScreenFade->Constant = 1;
    VisualsList.AddLast(ScreenFade);
  }
}

// One tick of the pause overlay's fade: the pause picture, the darkening and the caption.
void PauseFadeFrame() {
  WaitTick();
  platform::Cls();
  platform::PollEvents();
  ScreenFade->Update(1.0f);
  DrawScreenPicture(PauseBackground);
  ScreenFade->Draw();
  if (FontHi) {
    PushGraphicsState();
    platform::SetOrigin(0.0f, 0.0f);
    platform::SetColor(255, 255, 255);
    platform::SetAlpha(1.0f);
    SetBMFont(FontHi);
    const std::string& caption = GameTexts[kPauseCaption];
    DrawBMText(caption, platform::VirtualResolutionWidth() * 0.5f - BMTextWidth(caption) * 0.5f, 300.0f);
    PopGraphicsState();
  }
  platform::Flip(VSync != 0);
}

}  // namespace

bool AppActive() { return platform::AppHasFocus() && !platform::AppSuspended(); }

void RunApplication() {
  AppRunning = 1;
  platform::SetBlend(platform::ALPHABLEND);
  FPSCounter = New<TFPSCounter>();
  GameTime = 0;
  for (g_pass = 0; AppRunning; ++g_pass) {
    if (FrameLimit >= 0 && g_pass >= FrameLimit) return;
    if (LoopStartHook) LoopStartHook();
    if (LoopHook) LoopHook();
    if (platform::CloseRequested()) {
      platform::ClearCloseRequest();
      if (CloseHook) CloseHook();
    }
    if (!AppRunning) return;
    UpdateFrame();
  }
}

void UpdateFrame() {
  // The frame's length is measured in whole milliseconds: the counter's
  // values are too large for a float to hold exactly.
  const int t0 = platform::Millisecs();
  GameTime = platform::Millisecs() - PausedTotal;
  WaitTick();
  platform::Cls();
  InitFrameClock();
  if (Mouse) Mouse->Update(FrameSync->dt * TimeScale);
  FPSCounter->GetFPS();
  FrameSync->Update();
  if (!AppPaused) {
    if (WidgetManager) {
      WidgetManager->Update(FrameSync->dt * TimeScale);
      WidgetManager->Draw();
    }
    if (Mouse) Mouse->Draw();
  } else if (PauseImage) {
    DrawScreenPicture(PauseImage);
  }
  platform::PollEvents();
  SaveScreenshotOnKey();
  platform::Flip(VSync != 0);
  if (SkipFrame) {
    SkipFrame = 0;
  } else {
    // A frame of no measurable length keeps the previous rate.
    const int elapsed = platform::Millisecs() - t0;
    if (elapsed > 0) FPSCounter->FPS = Int(1000.0f / static_cast<float>(elapsed));
  }
}

void UpdateFrameUndrawn() {
  GameTime = platform::Millisecs() - PausedTotal;
  InitFrameClock();
  if (Mouse) Mouse->Update(FrameSync->dt * TimeScale);
  FrameSync->Update();
  if (WidgetManager) WidgetManager->Update(FrameSync->dt * TimeScale);
  platform::PollEvents();
}

void EndProgram(int code) {
  CloseLog();
  platform::ReleaseSingleInstance();
  platform::ExitProcess(code);
  AppRunning = 0;  // reached only when a test has replaced the exit
}

int OnFocusChange() {
  // One predicate for both ways: two that can hold at once would pause and
  // resume, with both fades, in every pass.
  const bool active = AppActive();
  if (!active && !AppPaused) {
    PauseBackground = nullptr;
    PauseImage = nullptr;  // a picture of an earlier pause is no picture of this one
    AppPaused = 1;
    if (Mouse && Mouse->custom) platform::ShowPointer();
    PauseAllSounds(1);
    PauseOverlay(1);
  } else if (active && AppPaused) {
    ResumeAllSounds(1);
    AppPaused = 0;
    PauseOverlay(0);
    // Two screen-sized pictures and their textures, of use to the pause only.
    PauseBackground = nullptr;
    PauseImage = nullptr;
    if (Mouse && Mouse->custom) platform::HidePointer();
  }
  return 0;
}

int OnFrame() {
  if (FrameProbe) FrameProbe(g_pass);
  return 0;
}

void PauseOverlay(int entering) {
  if (entering) {
    PauseStartTime = platform::Millisecs();
  } else {
    PausedTotal += platform::Millisecs() - PauseStartTime;
  }
  if (platform::AppMinimised() || !platform::GraphicsOpen()) return;
  EnsureScreenFade();
  platform::SetBlend(platform::ALPHABLEND);
  if (entering) {
    PauseImage = GrabScreen();
    PauseBackground = GrabScreen();
    ScreenFade->SetPaused(1);
    ScreenFade->Init(0.0f, 0.08f, 1.0f);
    while (ScreenFade->alpha < 0.7f) PauseFadeFrame();
    platform::GrabImage(PauseImage, 0, 0);
  } else {
    if (!PauseBackground) return;  // the pause began while minimised
    ScreenFade->Init(0.7f, -0.08f, 1.0f);
    while (ScreenFade->alpha > 0.0f) PauseFadeFrame();
    ScreenFade->SetPaused(0);
  }
}

int ExitGame() {
  auto finish = [] {
    WriteLog("Total play time: " + std::to_string(TotalPlayTime / 60000) + " min " +
                 std::to_string((TotalPlayTime / 1000) % 60) + " sec",
             LOG_DIVIDER, "resources");
    AddScore();
    EndProgram();
  };
  if (platform::AppMinimised() || !platform::GraphicsOpen()) {
    finish();
    return 0;
  }
  const float target = AppPaused ? 0.3f : 1.0f;
  const platform::ImageRef capture = GrabScreen();
  EnsureScreenFade();
  PushGraphicsState();
  platform::SetOrigin(0.0f, 0.0f);
  ScreenFade->Init(0.0f, 0.04f, 1.0f);
  while (ScreenFade->alpha < target) {
    WaitTick();
    platform::Cls();
    platform::PollEvents();
    ScreenFade->Update(1.0f);
    DrawScreenPicture(capture);
    ScreenFade->Draw();
    platform::Flip(VSync != 0);
  }
  PopGraphicsState();
  finish();
  return 0;
}

}  // namespace kelp
