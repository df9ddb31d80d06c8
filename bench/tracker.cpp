// The tracker player rendering one minute of music: a busy 4-channel MOD and
// a 16-channel XM with envelopes (every channel playing, notes every other
// line, vibrato and slides). "x_realtime" is minutes of music per minute of
// one core; the target is above 200.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "module_writer.h"
#include "music/trk_loaders.h"
#include "platform/stream.h"

using namespace kelp;

namespace {

modwrite::Song Busy(int channels, bool xm) {
  modwrite::Song song;
  song.channels = channels;
  modwrite::Instrument in;
  modwrite::Sample s;
  s.sixteenBit = xm;
  for (int i = 0; i < 2048; ++i)
    s.data.push_back(static_cast<int16_t>(9000 * std::sin(i * 0.19) + 4000 * std::sin(i * 0.57)));
  s.loopType = 1;
  s.loopStart = 512;
  s.loopLength = 1536;
  in.samples.push_back(s);
  if (xm) {
    in.volume.on = true;
    in.volume.points = {{0, 64}, {10, 40}, {40, 30}};
    in.volume.sustain = 2;
    in.fadeout = 800;
  }
  song.instruments = {in};
  modwrite::Pattern p;
  const int effects[][2] = {{4, 0x34}, {10, 0x01}, {0, 0x47}, {1, 0x02}, {3, 0x08}, {12, 0x30}};
  for (int row = 0; row < 64; ++row) {
    for (int ch = 0; ch < channels; ++ch) {
      modwrite::Cell& c = p.At(row, ch);
      if ((row + ch) % 2 == 0) {
        c.note = 37 + (row * 7 + ch * 5) % 36;
        c.inst = 1;
      }
      c.fx = effects[(row + ch) % 6][0];
      c.param = effects[(row + ch) % 6][1];
    }
  }
  song.patterns = {p};
  song.order = {0};
  return song;
}

void RenderMinute(benchmark::State& state, const std::string& bytes, bool xm) {
  auto stream = platform::OpenMemory(bytes);
  Ref<TrkMod_Mixer> m = xm ? LoadXm(*stream) : LoadMod(*stream);
  if (!m) {
    state.SkipWithError("the song does not load");
    return;
  }
  constexpr int kFrames = 44100 * 60;
  std::vector<uint8_t> buf(4 * 4096);
  for (auto _ : state) {
    m->Reset();
    m->STREAM_LOOP = 1;
    m->PlayStatus = 1;
    for (int done = 0; done < kFrames; done += 4096) m->FillBuffer(buf.data(), static_cast<int>(buf.size()));
    benchmark::DoNotOptimize(buf.data());
  }
  state.counters["x_realtime"] =
      benchmark::Counter(60.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ModFourChannels(benchmark::State& state) { RenderMinute(state, modwrite::WriteMod(Busy(4, false)), false); }
void BM_XmSixteenChannels(benchmark::State& state) { RenderMinute(state, modwrite::WriteXm(Busy(16, true)), true); }

}  // namespace

BENCHMARK(BM_ModFourChannels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmSixteenChannels)->Unit(benchmark::kMillisecond);
