#include "music/music.h"

namespace kelp {

int BytesPerFrame(int format) {
  switch (format) {
    case FORMAT_8_MONO: return 1;
    case FORMAT_16_MONO: return 2;
    case FORMAT_8_STEREO: return 2;
    case FORMAT_16_STEREO: return 4;
    default: return 0;
  }
}

int TMusic::Seti(int index, int value) {
  switch (index) {
    case PROP_STREAM_FORMAT:
      if (BytesPerFrame(value) == 0) return 0;
      STREAM_FORMAT = value;
      return 1;
    case PROP_SAMPLE_RATE: SAMPLE_RATE = value; return 1;
    case PROP_STREAM_LOOP: STREAM_LOOP = value; return 1;
    default: return 0;
  }
}

int TMusic::Geti(int index) {
  switch (index) {
    case PROP_STREAM_SIZE: return STREAM_SIZE;
    case PROP_STREAM_POS: return STREAM_POS;
    case PROP_PLAY_STATUS: return PlayStatus;
    case PROP_STREAM_FORMAT: return STREAM_FORMAT;
    case PROP_SAMPLE_RATE: return SAMPLE_RATE;
    case PROP_STREAM_LOOP: return STREAM_LOOP;
    default: return 0;
  }
}

}  // namespace kelp
