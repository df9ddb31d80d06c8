#include "tracker_fixtures.h"

#include "platform/stream.h"

namespace trackertest {

kelp::modwrite::Sample Square(int period, int periods, int amplitude) {
  kelp::modwrite::Sample s;
  s.name = "square";
  for (int i = 0; i < period * periods; ++i)
    s.data.push_back(static_cast<int16_t>(i % period < period / 2 ? amplitude : -amplitude));
  s.loopType = 1;
  s.loopStart = 0;
  s.loopLength = static_cast<int>(s.data.size());
  return s;
}

Song Basic(int channels) {
  Song song;
  song.name = "fixture";
  song.channels = channels;
  kelp::modwrite::Instrument in;
  in.name = "square";
  in.samples.push_back(Square());
  song.instruments.push_back(in);
  song.patterns.resize(1);
  song.order = {0};
  return song;
}

kelp::Ref<kelp::TrkMod_Mixer> LoadModBytes(const std::string& bytes) {
  auto s = platform::OpenMemory(bytes);
  return kelp::LoadMod(*s);
}

kelp::Ref<kelp::TrkMod_Mixer> LoadXmBytes(const std::string& bytes) {
  auto s = platform::OpenMemory(bytes);
  return kelp::LoadXm(*s);
}

}  // namespace trackertest
