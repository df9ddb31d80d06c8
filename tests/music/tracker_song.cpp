#include "tracker_song.h"

namespace trackertest {

using namespace kelp;

SongBuilder::SongBuilder(int channels, int patterns, int lines) {
  m->Init(channels);
  m->ActiveSamples = 1;
  auto in = New<TrkMod_Instrument>();
  in->Name = "square";
  in->SampleCount = 1;
  auto s = New<TrkMod_Sample>();
  std::vector<uint8_t> bank;
  for (int i = 0; i < 1000; ++i) bank.push_back(i % 20 < 10 ? 0x40 : 0xC0);
  s->Loop = 1;
  s->LoopStart = 0;
  s->LoopLength = 1000;
  s->ConvertSampleFromBank(bank, 1);
  in->Sample[0] = s;
  m->Instrument[1] = in;
  for (int p = 0; p < patterns; ++p) m->Pattern[static_cast<size_t>(p)] = TrkMod_Pattern::Create(channels, lines);
  std::vector<int> order;
  for (int p = 0; p < patterns; ++p) order.push_back(p);
  Order(order);
}

SongBuilder& SongBuilder::Cell(int p, int line, int channel, int note, int inst, int vol, int fx, int fxv) {
  TrkMod_Track& t = *m->Pattern[static_cast<size_t>(p)]->Track[static_cast<size_t>(channel)];
  const size_t l = static_cast<size_t>(line);
  t.Note[l] = note;
  t.Inst[l] = inst;
  t.Vol[l] = vol;
  t.FX[l] = fx;
  t.FXV[l] = fxv;
  return *this;
}

SongBuilder& SongBuilder::Order(std::vector<int> order) {
  for (size_t i = 0; i < order.size(); ++i) m->SongPattern[i] = order[i];
  m->ActiveSongPatterns = static_cast<int>(order.size()) - 1;
  return *this;
}

TrkMod_Mixer& SongBuilder::Start(int loop) {
  m->Reset();
  m->STREAM_LOOP = loop;
  m->PlayStatus = 1;
  return *m;
}

}  // namespace trackertest
