#pragma once
// The stream timer: 120 ticks a second, each refilling every stream that is
// hooked in. Its ticks are answered on the main thread, inside the frame
// timer's waits and the event polls (platform/frame_timer.h); nothing runs on
// the timer's or the device's thread.
namespace kelp {

class TAudioStream;

constexpr int kStreamTimerHz = 120;

// Starts the platform's stream tick once; later calls do nothing.
void StartStreamTimer();

// The hook chain. It does not own the streams: a stream hooks itself in when
// made and out when stopped or destroyed, also from inside its own refill.
void AddStreamHook(TAudioStream* stream);
void RemoveStreamHook(TAudioStream* stream);
int StreamHookCount();

// One tick: the refill (Update) of every stream hooked in when it began and
// still hooked in when its turn comes. Tests call it directly.
void TickStreams();

}  // namespace kelp
