#pragma once
// Brings a source in another format to the device format: 8-bit or mono data
// becomes 16-bit stereo, and another sample rate is resampled (linear) to
// 44100 Hz. The stream channel wraps any such source in one of these.
#include <vector>

#include "music/music.h"

namespace kelp {

class TFormatConverter : public TMusic {
 public:
  // Null (and a log line) when the source's format code or rate cannot be
  // converted: an unknown code, or a rate outside 1000 .. 400000 Hz.
  static Ref<TFormatConverter> Create(const Ref<TMusic>& source);

  // True when the source already delivers 16-bit stereo at 44100 Hz.
  static bool IsDeviceFormat(const TMusic& music);

  void Free() override;
  void FillBuffer(uint8_t* address, int count) override;
  int Seti(int index, int value) override;  // the loop flag goes to the source too
  int Geti(int index) override;             // size and position in output frames

  const Ref<TMusic>& Source() const { return source_; }

 private:
  // The next source frame as 16-bit stereo; false once the source has ended.
  bool NextFrame(int16_t& l, int16_t& r);

  Ref<TMusic> source_;
  double step_ = 1;   // source frames per output frame
  double frac_ = 0;   // output position between prev_ and next_
  int16_t prev_[2] = {0, 0}, next_[2] = {0, 0};
  bool primed_ = false, ended_ = false;
  std::vector<uint8_t> in_;  // source bytes not yet used
  size_t inPos_ = 0;
};

}  // namespace kelp
