#pragma once
// The frame loop's globals that nearly every part of the game reads: the game
// clock, paused time, the frame factor and the frame-rate counter. The loop
// itself lives in app/; tests set these directly.
#include "framework/core/object.h"
#include "framework/core/object_list.h"

namespace kelp {

// Game clock: the millisecond counter minus PausedTotal, set once per frame.
// Game code compares differences against it, never its absolute value.
extern int GameTime;
extern int PausedTotal;
extern int PauseStartTime;
extern int AppPaused;
extern int AppRunning;
extern int SkipFrame;
extern int VSync;
extern int TimeScale;
extern int TotalPlayTime;

class TFPSCounter : public Object {
 public:
  TFPSCounter();
  int FPS_time;
  int FPS = 75;
  int FPS_counter = 0;
  int averageFPS = 0;
  int st = 0;
  // Counts one frame; a new window begins once a second has passed.
  void GetFPS();
};

// A measured rate at a time; the type keeps the count of live records and
// the sum of their rates. Nothing in the game makes one.
class TFrameSyncData : public Object {
 public:
  TFrameSyncData();
  ~TFrameSyncData() override;
  TFrameSyncData(const TFrameSyncData&) = delete;
  TFrameSyncData& operator=(const TFrameSyncData&) = delete;
  float fps = 0.0f;
  int time;
  static Ref<TFrameSyncData> Create(float fps);
  static int Count;
  static float SumFPS;
};

class TFrameSync : public Object {
 public:
  TFrameSync();
  float dt = 0.0f;  // the frame factor: TargetFPS over the measured rate
  ObjectList<TFrameSyncData> data;
  int UpdTime = 0;
  int DataTime = 5000;
  int DelayTime = 200;
  int InitTime;
  float TargetFPS = 0.0f;
  void Init();
  void Update();
};

extern Ref<TFrameSync> FrameSync;
extern Ref<TFPSCounter> FPSCounter;

// Creates FrameSync and FPSCounter when missing (start-up and tests).
void InitFrameClock();

}  // namespace kelp
