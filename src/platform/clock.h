#pragma once
// Time: the millisecond counter and sleeping. The frame timer and the stream
// tick are in frame_timer.h.
#include <functional>

namespace platform {

// Milliseconds since the process started plus a fixed offset, so the counter
// never starts near 0; 32-bit, it does not overflow within weeks.
int Millisecs();
// Tests replace the counter; an empty function restores the real one.
void SetMillisecsSource(std::function<int()> source);

void Delay(int ms);

}  // namespace platform
