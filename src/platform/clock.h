#pragma once
// Time: the millisecond counter, sleeping, the 55 Hz frame timer and the
// 120 Hz stream tick serviced inside the frame waits.
#include <functional>

namespace platform {

// Milliseconds since the process started plus a fixed offset, so the counter
// never starts near 0; 32-bit, it does not overflow within weeks.
int Millisecs();
// Tests replace the counter; an empty function restores the real one.
void SetMillisecsSource(std::function<int()> source);

void Delay(int ms);

}  // namespace platform
