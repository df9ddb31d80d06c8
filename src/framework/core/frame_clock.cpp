#include "framework/core/frame_clock.h"

#include "platform/clock.h"

namespace kelp {

int GameTime = 0;
int PausedTotal = 0;
int PauseStartTime = 0;
int AppPaused = 0;
int AppRunning = 0;
int SkipFrame = 0;
int VSync = 0;
int TimeScale = 1;
int TotalPlayTime = 0;

Ref<TFrameSync> FrameSync;
Ref<TFPSCounter> FPSCounter;

TFPSCounter::TFPSCounter() : FPS_time(platform::Millisecs()) {}

void TFPSCounter::GetFPS() {
  const int now = platform::Millisecs();
  if (FPS_time + 1000 < now) {
    averageFPS = FPS_counter;
    FPS_counter = 0;
    FPS_time = now;
  }
  ++FPS_counter;
}

int TFrameSyncData::Count = 0;
float TFrameSyncData::SumFPS = 0.0f;

TFrameSyncData::TFrameSyncData() : time(platform::Millisecs()) { ++Count; }

TFrameSyncData::~TFrameSyncData() {
  --Count;
  SumFPS -= fps;
}

Ref<TFrameSyncData> TFrameSyncData::Create(float fps) {
  auto d = New<TFrameSyncData>();
  d->fps = fps;
  SumFPS += fps;
  return d;
}

TFrameSync::TFrameSync() : InitTime(platform::Millisecs()) {}

void TFrameSync::Init() { InitTime = platform::Millisecs(); }

void TFrameSync::Update() {
  const int fps = FPSCounter ? FPSCounter->FPS : 0;
  dt = fps != 0 ? TargetFPS / static_cast<float>(fps) : 1.0f;
}

void InitFrameClock() {
  if (!FrameSync) FrameSync = New<TFrameSync>();
  if (!FPSCounter) FPSCounter = New<TFPSCounter>();
}

}  // namespace kelp
