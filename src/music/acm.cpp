#include "music/acm.h"

#include <mpg123.h>

#include <algorithm>

#include "music/music_log.h"

namespace kelp {

struct AcmStream {
  mpg123_handle* mh = nullptr;
  uint32_t avgBytesPerSec = 0;
};

namespace {

constexpr uint32_t kOutRate = 44100;
constexpr uint32_t kOutBytesPerSec = kOutRate * 4;

bool Reset(AcmStream& s) { return mpg123_open_feed(s.mh) == MPG123_OK; }

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
  auto* s = new AcmStream{mh, source->nAvgBytesPerSec};
  // Only the device format is allowed, so the decoder resamples and doubles mono.
  const bool ok = mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_STEREO, 0) == MPG123_OK &&
                  mpg123_format_none(mh) == MPG123_OK &&
                  mpg123_format(mh, kOutRate, MPG123_STEREO, MPG123_ENC_SIGNED_16) == MPG123_OK && Reset(*s);
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
  for (int guard = 0; used < header->cbDstLength && guard < 4096; ++guard) {
    size_t done = 0;
    const int r = mpg123_read(stream->mh, header->pbDst + used, header->cbDstLength - used, &done);
    used += static_cast<uint32_t>(done);
    if (r == MPG123_OK || r == MPG123_NEW_FORMAT) continue;
    if (r != MPG123_NEED_MORE && r != MPG123_DONE) result = MMSYSERR_ERROR;
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
