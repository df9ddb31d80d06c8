#include "music/stream_timer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "music/audio_stream.h"
#include "platform/frame_timer.h"

namespace kelp {

namespace {

struct Hook {
  TAudioStream* stream;
  uint64_t id;  // tells a new stream at a freed address from the old one
};

std::vector<Hook> g_hooks;
uint64_t g_next_id = 1;
bool g_started = false;

bool StillHooked(const Hook& h) {
  return std::any_of(g_hooks.begin(), g_hooks.end(), [&](const Hook& o) { return o.id == h.id; });
}

}  // namespace

void StartStreamTimer() {
  if (g_started) return;
  g_started = true;
  platform::SetStreamTick(kStreamTimerHz, TickStreams);
}

void AddStreamHook(TAudioStream* stream) {
  if (!stream) return;
  RemoveStreamHook(stream);
  g_hooks.push_back({stream, g_next_id++});
}

void RemoveStreamHook(TAudioStream* stream) {
  g_hooks.erase(std::remove_if(g_hooks.begin(), g_hooks.end(), [&](const Hook& h) { return h.stream == stream; }),
                g_hooks.end());
}

int StreamHookCount() { return static_cast<int>(g_hooks.size()); }

void TickStreams() {
  // Over a copy: a refill may stop (unhook) its own stream or another one.
  const std::vector<Hook> hooks = g_hooks;
  for (const Hook& h : hooks)
    if (StillHooked(h)) h.stream->Update();
}

}  // namespace kelp
