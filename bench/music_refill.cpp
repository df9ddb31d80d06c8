// The refill of one 120 Hz stream tick while a piece plays: the main thread's
// share of music playback. Each iteration lets the mixer play one tick's worth
// (367 frames, not timed) and times the tick's refill. "core" is the share of
// one core at 120 ticks a second.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "music/audio_stream.h"
#include "music/music_module.h"
#include "music/stream_timer.h"
#include "platform/mixer.h"

using namespace kelp;

namespace {

void RefillTick(benchmark::State& state, const std::string& path) {
  InitAudioStreamModule();
  InitTrackerModule();
  InitOggStreamModule();
  InitMp3StreamModule();
  platform::Mixer mixer;
  UseStreamMixer(&mixer);
  Ref<TAudioStream> stream = TAudioStream::Create(path, 1, 0);
  if (!stream) {
    state.SkipWithError(("cannot play " + path).c_str());
    UseStreamMixer(nullptr);
    return;
  }
  std::vector<int16_t> out(2 * 367);
  double seconds = 0;
  for (auto _ : state) {
    mixer.Mix(out.data(), 367);
    const auto t0 = std::chrono::steady_clock::now();
    TickStreams();
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - t0;
    state.SetIterationTime(spent.count());
    seconds += spent.count();
  }
  state.counters["core_%"] = benchmark::Counter(100.0 * 120.0 * seconds / static_cast<double>(state.iterations()));
  stream->Stop();
  UseStreamMixer(nullptr);
}

void BM_RefillTickOgg(benchmark::State& state) { RefillTick(state, std::string(KELP_DATA_ROOT) + "/data/music/menu.ogg"); }
void BM_RefillTickMp3(benchmark::State& state) {
  RefillTick(state, std::string(KELP_MUSIC_FIXTURES) + "/stereo_44k.mp3");
}

}  // namespace

BENCHMARK(BM_RefillTickOgg)->UseManualTime()->Iterations(24000);
BENCHMARK(BM_RefillTickMp3)->UseManualTime()->Iterations(24000);
