// One device buffer of 1024 frames with every effect channel busy and the
// music stream playing: the work of one audio callback.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "platform/mixer.h"

using namespace platform;

namespace {

SoundRef Noise(int frames, int rate, bool loop) {
  auto s = std::make_shared<Sound>(frames, rate, loop);
  uint32_t x = 12345;
  for (int i = 0; i < frames * 2; ++i) {
    x = x * 1664525u + 1013904223u;
    s->Data()[i] = static_cast<int16_t>(x >> 16);
  }
  return s;
}

void BM_Mix16EffectsAndStream(benchmark::State& state) {
  Mixer mixer;
  std::vector<std::shared_ptr<EffectChannel>> channels;
  for (int i = 0; i < kEffectChannels; ++i) {
    auto ch = mixer.CueSound(Noise(22050 + 1000 * i, i % 2 ? 22050 : 44100, true));
    ch->SetVolume(0.5f);
    ch->SetPan(-1.0f + i / 8.0f);
    ch->SetRate(0.75f + i / 32.0f);
    ch->SetPaused(false);
    channels.push_back(ch);
  }
  StreamChannel stream(mixer);
  StreamRegions r;
  stream.Lock(0, stream.Size(), r);
  for (int i = 0; i < r.len1; ++i) r.ptr1[i] = static_cast<uint8_t>(i * 7);
  stream.Unlock();
  stream.SetVolume(-600);
  stream.Play();

  std::vector<int16_t> out(1024 * 2);
  for (auto _ : state) {
    mixer.Mix(out.data(), 1024);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * 1024);
}
BENCHMARK(BM_Mix16EffectsAndStream);

}  // namespace
