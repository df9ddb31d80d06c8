#pragma once
// A conversion layer shaped as the Audio Compression Manager calls the MP3
// stream makes, on libmpg123: the same structures, flags and result codes,
// with only the calls used. MPEG audio (layers I to III) in; 44100 Hz 16-bit
// stereo PCM out: made stereo by the decoder, resampled here.
//
// Ownership: a stream handle lives from acmStreamOpen to acmStreamClose; a
// header is bound to its buffers from prepare to unprepare. Main thread only.
#include <cstdint>
#include <string>

namespace kelp {

using MMRESULT = uint32_t;
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT ACMERR_NOTPOSSIBLE = 512;
constexpr MMRESULT ACMERR_BUSY = 513;
constexpr MMRESULT ACMERR_UNPREPARED = 514;
constexpr MMRESULT ACMERR_CANCELED = 515;

constexpr uint16_t WAVE_FORMAT_PCM = 1;
constexpr uint16_t WAVE_FORMAT_MPEGLAYER3 = 85;
constexpr uint16_t MPEGLAYER3_ID_MPEG = 1;
constexpr uint32_t MPEGLAYER3_FLAG_PADDING_ON = 1;
constexpr uint32_t MPEGLAYER3_FLAG_PADDING_OFF = 2;

constexpr uint32_t ACM_METRIC_MAX_SIZE_FORMAT = 50;
constexpr uint32_t ACM_STREAMSIZEF_SOURCE = 0;
constexpr uint32_t ACM_STREAMSIZEF_DESTINATION = 1;
constexpr uint32_t ACM_STREAMCONVERTF_BLOCKALIGN = 0x4;
constexpr uint32_t ACM_STREAMCONVERTF_START = 0x10;  // forget the previous input
constexpr uint32_t ACM_STREAMCONVERTF_END = 0x20;
constexpr uint32_t ACMSTREAMHEADER_STATUSF_DONE = 0x10000;
constexpr uint32_t ACMSTREAMHEADER_STATUSF_PREPARED = 0x20000;

struct WAVEFORMATEX {
  uint16_t wFormatTag = 0;
  uint16_t nChannels = 0;
  uint32_t nSamplesPerSec = 0;
  uint32_t nAvgBytesPerSec = 0;
  uint16_t nBlockAlign = 0;
  uint16_t wBitsPerSample = 0;
  uint16_t cbSize = 0;
};

struct MPEGLAYER3WAVEFORMAT {
  WAVEFORMATEX wfx;
  uint16_t wID = 0;
  uint32_t fdwFlags = 0;
  uint16_t nBlockSize = 0;
  uint16_t nFramesPerBlock = 0;
  uint16_t nCodecDelay = 0;
};

struct ACMSTREAMHEADER {
  uint32_t cbStruct = sizeof(ACMSTREAMHEADER);
  uint32_t fdwStatus = 0;
  uintptr_t dwUser = 0;
  uint8_t* pbSrc = nullptr;
  uint32_t cbSrcLength = 0;
  uint32_t cbSrcLengthUsed = 0;
  uintptr_t dwSrcUser = 0;
  uint8_t* pbDst = nullptr;
  uint32_t cbDstLength = 0;
  uint32_t cbDstLengthUsed = 0;
  uintptr_t dwDstUser = 0;
};

struct AcmStream;
using HACMSTREAM = AcmStream*;

// ACM_METRIC_MAX_SIZE_FORMAT: the largest format structure, in bytes.
MMRESULT acmMetrics(uint32_t metric, uint32_t* value);
// MPEG layer 3 format (tag 85) in, PCM 44100 Hz stereo 16-bit out; anything
// else is ACMERR_NOTPOSSIBLE.
MMRESULT acmStreamOpen(HACMSTREAM* stream, const WAVEFORMATEX* source, const WAVEFORMATEX* destination);
// Output bytes for `input` source bytes (ACM_STREAMSIZEF_SOURCE): an estimate
// from the source's average byte rate, a whole number of frames.
MMRESULT acmStreamSize(HACMSTREAM stream, uint32_t input, uint32_t* output, uint32_t flags);
MMRESULT acmStreamPrepareHeader(HACMSTREAM stream, ACMSTREAMHEADER* header);
// Decodes the header's source bytes (all of them are taken) into at most its
// destination length; decoded output that does not fit comes out of the next
// call, which may bring no source bytes. ACM_STREAMCONVERTF_START first
// forgets all earlier input (a new pass over the file).
MMRESULT acmStreamConvert(HACMSTREAM stream, ACMSTREAMHEADER* header, uint32_t flags);
MMRESULT acmStreamUnprepareHeader(HACMSTREAM stream, ACMSTREAMHEADER* header);
MMRESULT acmStreamClose(HACMSTREAM stream);

// The text of a result code ("acm - busy"); an unknown code gives
// "acm - unknown error code "<code>"".
std::string AcmErrorText(MMRESULT code);
// Logs the text of a code other than 0; returns the code.
MMRESULT AcmCheck(MMRESULT code);

}  // namespace kelp
