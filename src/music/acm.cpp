#include "music/acm.h"

#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "music/music_log.h"

namespace kelp {

namespace {

constexpr uint32_t kOutRate = 44100;
constexpr uint32_t kOutBytesPerSec = kOutRate * 4;
constexpr size_t kDecodeBytes = 16384;

}  // namespace

struct AcmStream {
  mpg123_handle* mh = nullptr;
  uint32_t avgBytesPerSec = 0;
  // The decoder gives each stream's own rate; other rates than the device's
  // are resampled here (linear), because the decoder's own resampler can spin
  // forever on a damaged stream.
  long rate = kOutRate;
  std::vector<int16_t> pcm;  // decoded stereo frames waiting to be resampled
  size_t pcmPos = 0;         // next frame in pcm
  long phase = 0;            // output position past prev, in 1/kOutRate of a frame
  bool primed = false;       // prev holds the first decoded frame
  int16_t prev[2] = {0, 0};
};

namespace {

bool Reset(AcmStream& s) {
  s.rate = kOutRate;
  s.pcm.clear();
  s.pcmPos = 0;
  s.phase = 0;
  s.primed = false;
  s.prev[0] = s.prev[1] = 0;
  return mpg123_open_feed(s.mh) == MPG123_OK;
}

bool AllowNativeRates(mpg123_handle* mh) {
  const long* rates = nullptr;
  size_t count = 0;
  mpg123_rates(&rates, &count);
  if (mpg123_format_none(mh) != MPG123_OK) return false;
  for (size_t i = 0; i < count; ++i)
    if (mpg123_format(mh, rates[i], MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK) return false;
  return true;
}

// Writes up to room bytes of device-rate frames from the waiting decoded
// frames; returns the bytes written.
uint32_t Resample(AcmStream& s, uint8_t* out, uint32_t room) {
  const size_t frames = s.pcm.size() / 2;
  if (!s.primed && s.pcmPos < frames) {
    s.prev[0] = s.pcm[2 * s.pcmPos];
    s.prev[1] = s.pcm[2 * s.pcmPos + 1];
    ++s.pcmPos;
    s.primed = true;
  }
  uint32_t written = 0;
  while (written + 4 <= room) {
    while (s.phase >= static_cast<long>(kOutRate) && s.pcmPos < frames) {
      s.phase -= kOutRate;
      s.prev[0] = s.pcm[2 * s.pcmPos];
      s.prev[1] = s.pcm[2 * s.pcmPos + 1];
      ++s.pcmPos;
    }
    if (s.phase >= static_cast<long>(kOutRate) || s.pcmPos >= frames) break;
    const int16_t* next = &s.pcm[2 * s.pcmPos];
    const double f = static_cast<double>(s.phase) / kOutRate;
    for (int c = 0; c < 2; ++c) {
      const double v = s.prev[c] + (next[c] - s.prev[c]) * f;
      const auto sample = static_cast<int16_t>(std::clamp(std::lrint(v), -32768L, 32767L));
      out[written + 2 * c] = static_cast<uint8_t>(sample & 0xFF);
      out[written + 2 * c + 1] = static_cast<uint8_t>((sample >> 8) & 0xFF);
    }
    written += 4;
    s.phase += s.rate;
  }
  return written;
}

}  // namespace

MMRESULT acmMetrics(uint32_t metric, uint32_t* value) {
  if (!value) return MMSYSERR_INVALPARAM;
  if (metric != ACM_METRIC_MAX_SIZE_FORMAT) return MMSYSERR_NOTSUPPORTED;
  *value = sizeof(MPEGLAYER3WAVEFORMAT);
  return MMSYSERR_NOERROR;
}

MMRESULT acmStreamOpen(HACMSTREAM* stream, const WAVEFORMATEX* source, const WAVEFORMATEX* destination) {
  if (!stream || !source || !destination) return MMSYSERR_INVALPARAM;
  *stream = nullptr;
  if (source->wFormatTag != WAVE_FORMAT_MPEGLAYER3 || source->nChannels < 1 || source->nChannels > 2 ||
      source->nSamplesPerSec == 0 || source->nAvgBytesPerSec == 0)
    return ACMERR_NOTPOSSIBLE;
  if (destination->wFormatTag != WAVE_FORMAT_PCM || destination->nChannels != 2 ||
      destination->nSamplesPerSec != kOutRate || destination->wBitsPerSample != 16 || destination->nBlockAlign != 4)
    return ACMERR_NOTPOSSIBLE;
  int err = MPG123_OK;
  mpg123_handle* mh = mpg123_new(nullptr, &err);
  if (!mh) return MMSYSERR_NOMEM;
  auto* s = new AcmStream;
  s->mh = mh;
  s->avgBytesPerSec = source->nAvgBytesPerSec;
  // The decoder doubles mono and keeps the stream's rate; Resample does the rest.
  const bool ok = mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_STEREO, 0) == MPG123_OK &&
                  mpg123_param(mh, MPG123_REMOVE_FLAGS, MPG123_AUTO_RESAMPLE, 0) == MPG123_OK &&
                  AllowNativeRates(mh) && Reset(*s);
  if (!ok) {
    acmStreamClose(s);
    return ACMERR_NOTPOSSIBLE;
  }
  *stream = s;
  return MMSYSERR_NOERROR;
}

MMRESULT acmStreamSize(HACMSTREAM stream, uint32_t input, uint32_t* output, uint32_t flags) {
  if (!stream || !output) return MMSYSERR_INVALPARAM;
  if (flags != ACM_STREAMSIZEF_SOURCE) return MMSYSERR_NOTSUPPORTED;
  const uint64_t bytes = (uint64_t{input} * kOutBytesPerSec + stream->avgBytesPerSec - 1) / stream->avgBytesPerSec;
  const uint64_t rounded = (bytes + 3) / 4 * 4;
  if (rounded > 0xFFFFFFF0u) return ACMERR_NOTPOSSIBLE;
  *output = static_cast<uint32_t>(rounded);
  return MMSYSERR_NOERROR;
}

MMRESULT acmStreamPrepareHeader(HACMSTREAM stream, ACMSTREAMHEADER* header) {
  if (!stream || !header || header->cbStruct < sizeof(ACMSTREAMHEADER) || !header->pbDst) return MMSYSERR_INVALPARAM;
  header->fdwStatus |= ACMSTREAMHEADER_STATUSF_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT acmStreamConvert(HACMSTREAM stream, ACMSTREAMHEADER* header, uint32_t flags) {
  if (!stream) return MMSYSERR_INVALHANDLE;
  if (!header) return MMSYSERR_INVALPARAM;
  if (!(header->fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED)) return ACMERR_UNPREPARED;
  header->fdwStatus &= ~ACMSTREAMHEADER_STATUSF_DONE;
  header->cbSrcLengthUsed = 0;
  header->cbDstLengthUsed = 0;
  if ((flags & ACM_STREAMCONVERTF_START) && !Reset(*stream)) return MMSYSERR_ERROR;
  if (header->cbSrcLength > 0) {
    if (!header->pbSrc) return MMSYSERR_INVALPARAM;
    if (mpg123_feed(stream->mh, header->pbSrc, header->cbSrcLength) != MPG123_OK) return MMSYSERR_NOMEM;
    header->cbSrcLengthUsed = header->cbSrcLength;
  }
  MMRESULT result = MMSYSERR_NOERROR;
  uint32_t used = 0;
  // Bounded: each pass either fills output, reports a new format once, or stops.
  AcmStream& s = *stream;
  for (int guard = 0; used < header->cbDstLength && guard < 4096; ++guard) {
    if (s.rate != kOutRate && s.pcmPos < s.pcm.size() / 2) {
      used += Resample(s, header->pbDst + used, header->cbDstLength - used);
      if (s.pcmPos < s.pcm.size() / 2) break;  // no room for another frame
      continue;
    }
    size_t done = 0;
    int r = MPG123_OK;
    if (s.rate == kOutRate) {
      r = mpg123_read(s.mh, header->pbDst + used, header->cbDstLength - used, &done);
      used += static_cast<uint32_t>(done);
    } else {
      s.pcm.resize(kDecodeBytes / 2);
      r = mpg123_read(s.mh, reinterpret_cast<unsigned char*>(s.pcm.data()), kDecodeBytes, &done);
      s.pcm.resize(done / 4 * 2);
      s.pcmPos = 0;
    }
    if (r == MPG123_NEW_FORMAT) {
      long rate = 0;
      int channels = 0, encoding = 0;
      if (mpg123_getformat(s.mh, &rate, &channels, &encoding) != MPG123_OK || rate <= 0) {
        result = MMSYSERR_ERROR;
        break;
      }
      s.rate = rate;
      continue;
    }
    if (r == MPG123_OK) continue;
    if (r != MPG123_NEED_MORE && r != MPG123_DONE) result = MMSYSERR_ERROR;
    // Frames decoded with the last of the input play now; what does not fit
    // waits for the next call, which drains before it decodes.
    if (s.rate != kOutRate) used += Resample(s, header->pbDst + used, header->cbDstLength - used);
    break;
  }
  header->cbDstLengthUsed = used - used % 4;
  header->fdwStatus |= ACMSTREAMHEADER_STATUSF_DONE;
  return result;
}

MMRESULT acmStreamUnprepareHeader(HACMSTREAM stream, ACMSTREAMHEADER* header) {
  if (!stream || !header) return MMSYSERR_INVALPARAM;
  if (!(header->fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED)) return ACMERR_UNPREPARED;
  header->fdwStatus &= ~ACMSTREAMHEADER_STATUSF_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT acmStreamClose(HACMSTREAM stream) {
  if (!stream) return MMSYSERR_INVALHANDLE;
  mpg123_delete(stream->mh);
  delete stream;
  return MMSYSERR_NOERROR;
}

std::string AcmErrorText(MMRESULT code) {
  static const char* const kTexts[] = {
      nullptr,
      "acm - unspecified error",
      "acm - device ID out of range",
      "acm - driver failed enable",
      "acm - device already allocated",
      "acm - device handle is invalid",
      "acm - no device driver present",
      "acm - memory allocation error",
      "acm - Function isn't supported",
      "acm - error value out of range",
      "acm - invalid flag passed",
      "acm - invalid parameter passed",
      "acm - handle being used",
      "acm - specified alias Not found",
      "acm - bad registry database",
      "acm - registry key Not found",
      "acm - registry read error",
      "acm - registry write error",
      "acm - registry delete error",
      "acm - registry value Not found",
      "acm - driver does Not call DriverCallback",
  };
  if (code >= 1 && code <= 20) return kTexts[code];
  switch (code) {
    case ACMERR_NOTPOSSIBLE: return "acm - not possible";
    case ACMERR_BUSY: return "acm - busy";
    case ACMERR_UNPREPARED: return "acm - unprepared";
    case ACMERR_CANCELED: return "acm - canceled";
    default: return "acm - unknown error code \"" + std::to_string(code) + "\"";
  }
}

MMRESULT AcmCheck(MMRESULT code) {
  if (code != MMSYSERR_NOERROR) MusicLog(AcmErrorText(code));
  return code;
}

}  // namespace kelp
