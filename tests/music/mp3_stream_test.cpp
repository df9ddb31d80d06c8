// MP3 music: the frame-header probe, the decoder's own output through the
// mixer, lengths, looping, the end, bad input and the MP3 sound loader.
#include <gtest/gtest.h>

#include "music/acm.h"
#include "music/audio_stream.h"
#include "music/mp3_stream.h"
#include "music_test_util.h"
#include "platform/stream.h"
#include "test_env.h"

using namespace kelp;
using namespace musictest;

namespace {

const std::string kStereo = std::string(KELP_MUSIC_FIXTURES) + "/stereo_44k.mp3";
const std::string kMono = std::string(KELP_MUSIC_FIXTURES) + "/mono_22k.mp3";

Ref<TMP3Stream> LoadBytes(const std::string& bytes) {
  return TMP3Stream::Load({"test.mp3", platform::OpenMemory(bytes)});
}

// Frame header bytes after 0xFF: MPEG-1 layer III (FB), 128 kbit/s at 44100 Hz (90), stereo (00).
std::string Frame(uint8_t b = 0xFB, uint8_t a = 0x90, uint8_t c = 0x00, int bytes = 417) {
  std::string f(static_cast<size_t>(bytes), '\0');
  f[0] = '\xFF';
  f[1] = static_cast<char>(b);
  f[2] = static_cast<char>(a);
  f[3] = static_cast<char>(c);
  return f;
}

std::vector<int16_t> Drain(TMusic& m, int bytes) {
  std::vector<int16_t> out(static_cast<size_t>(bytes) / 2);
  m.FillBuffer(reinterpret_cast<uint8_t*>(out.data()), bytes);
  return out;
}

}  // namespace

TEST(Mp3Probe, FindsTheFirstFrameHeader) {
  struct Case {
    const char* what;
    std::string bytes;
    bool found;
    int64_t offset;
    int version, layer, rate, channels, frameBytes;
  } cases[] = {
      {"MPEG-1 layer III stereo", Frame() + Frame(), true, 0, 3, 1, 44100, 2, 417},
      {"with padding", Frame(0xFB, 0x92, 0, 418) + Frame(), true, 0, 3, 1, 44100, 2, 418},
      {"MPEG-2 mono 22050 Hz, 32 kbit/s", Frame(0xF3, 0x40, 0xC0, 104) + Frame(0xF3, 0x40, 0xC0, 104), true, 0, 2, 1,
       22050, 1, 104},
      {"a lone frame up to the end", Frame(), true, 0, 3, 1, 44100, 2, 417},
      {"after junk", std::string(100, 'j') + Frame() + Frame(), true, 100, 3, 1, 44100, 2, 417},
      {"FF and a byte with a low top nibble: the search goes on at that byte", "\xFF\x12" + Frame() + Frame(), true,
       2, 3, 1, 44100, 2, 417},
      {"FF FF: the second FF starts the header", "\xFF" + Frame() + Frame(), true, 1, 3, 1, 44100, 2, 417},
      {"rate index 3", Frame(0xFB, 0x9C) + Frame(0xFB, 0x9C), false, 0, 0, 0, 0, 0, 0},
      {"free bit rate", Frame(0xFB, 0x00) + Frame(0xFB, 0x00), false, 0, 0, 0, 0, 0, 0},
      {"bad bit rate", Frame(0xFB, 0xF0) + Frame(0xFB, 0xF0), false, 0, 0, 0, 0, 0, 0},
      {"no second frame where the first ends", Frame() + std::string(500, 'x'), false, 0, 0, 0, 0, 0, 0},
      {"beyond 10000 bytes", std::string(10500, 'j') + Frame() + Frame(), false, 0, 0, 0, 0, 0, 0},
      {"layer II, 160 kbit/s", Frame(0xFD, 0x90, 0, 522) + Frame(0xFD, 0x90), true, 0, 3, 2, 44100, 2, 522},
      {"empty", "", false, 0, 0, 0, 0, 0, 0},
  };
  // An ID3v2 tag of 20000 bytes before the frames is skipped by its size.
  std::string tagged("ID3\x04\x00\x00", 6);
  tagged += {0, 1, 28, 22};  // 20000 - 10, syncsafe: (1 << 14) + (28 << 7) + 22 = 19990
  tagged += std::string(19990, '\0') + Frame() + Frame();
  for (const Case& c : cases) {
    auto in = platform::OpenMemory(c.bytes);
    Mp3FrameInfo f;
    ASSERT_EQ(FindMp3Frame(*in, f), c.found) << c.what;
    if (!c.found) continue;
    EXPECT_EQ(f.offset, c.offset) << c.what;
    EXPECT_EQ(f.version, c.version) << c.what;
    EXPECT_EQ(f.layer, c.layer) << c.what;
    EXPECT_EQ(f.rate, c.rate) << c.what;
    EXPECT_EQ(f.channels, c.channels) << c.what;
    EXPECT_EQ(f.frameBytes, c.frameBytes) << c.what;
    EXPECT_EQ(in->Pos(), 0) << c.what;
  }
  auto in = platform::OpenMemory(tagged);
  Mp3FrameInfo f;
  ASSERT_TRUE(FindMp3Frame(*in, f));
  EXPECT_EQ(f.offset, 20000);
}

TEST(Mp3Stream, TheInputFormatItBuilds) {
  auto m = LoadBytes(ReadFixture("stereo_44k.mp3"));
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->informat.wfx.wFormatTag, 85);
  EXPECT_EQ(m->informat.wfx.nChannels, 2);
  EXPECT_EQ(m->informat.wfx.nSamplesPerSec, 44100u);
  EXPECT_EQ(m->informat.wfx.nAvgBytesPerSec, 11025u);
  EXPECT_EQ(m->informat.nBlockSize, 1152);
  EXPECT_EQ(m->BLOCK_SIZE, 1152);
  EXPECT_EQ(m->outformat.nSamplesPerSec, 44100u);
  EXPECT_EQ(m->outformat.nChannels, 2);
  auto mono = LoadBytes(ReadFixture("mono_22k.mp3"));
  ASSERT_NE(mono, nullptr);
  EXPECT_EQ(mono->informat.wfx.nChannels, 1);
  EXPECT_EQ(mono->informat.wfx.nSamplesPerSec, 22050u);
  EXPECT_EQ(mono->outformat.nSamplesPerSec, 44100u);
  EXPECT_EQ(mono->outformat.nChannels, 2);
}

// Both fixtures through the stream channel and the mixer, against libmpg123
// decoding the same file by itself to 44100 Hz stereo.
TEST(Mp3Stream, PlaysTheDecodersOwnOutputThroughTheMixer) {
  for (const std::string& path : {kStereo, kMono}) {
    const std::vector<int16_t> ref = Mp3Reference(path);
    ASSERT_GT(ref.size(), 40000u) << path;
    Rig rig;
    auto stream = TAudioStream::Create(path, 0, 0);
    ASSERT_NE(stream, nullptr) << path;
    const std::vector<int16_t> out = rig.Run(static_cast<int>(ref.size() / 2) + platform::kStreamBufferBytes / 4 +
                                             2 * Rig::kTick);
    for (size_t i = 0; i < ref.size(); ++i) ASSERT_EQ(out[i], ref[i]) << path << " sample " << i;
    for (size_t i = ref.size(); i < out.size(); ++i) ASSERT_EQ(out[i], 0) << path << " sample " << i;
    EXPECT_FALSE(stream->Playing()) << path;
  }
}

// The length: an estimate first, the decoded frame count after one pass, and
// the same on every later look. Looping goes on; without looping the end is
// reported and the rest is silence.
TEST(Mp3Stream, LengthLoopAndEnd) {
  const std::vector<int16_t> ref = Mp3Reference(kStereo);
  const int frames = static_cast<int>(ref.size() / 2);
  auto m = LoadBytes(ReadFixture("stereo_44k.mp3"));
  ASSERT_NE(m, nullptr);
  uint32_t estimate = 0;
  ASSERT_EQ(acmStreamSize(m->g_stream, 25076, &estimate, ACM_STREAMSIZEF_SOURCE), MMSYSERR_NOERROR);
  EXPECT_EQ(m->Geti(PROP_STREAM_SIZE), static_cast<int>(estimate / 4));
  EXPECT_EQ(m->Geti(PROP_STREAM_SIZE), static_cast<int>(estimate / 4)) << "stable";
  m->PlayStatus = 1;
  const std::vector<int16_t> first = Drain(*m, frames * 4);
  EXPECT_EQ(first, ref);
  const std::vector<int16_t> second = Drain(*m, frames * 4);  // passes the end: looping
  EXPECT_TRUE(m->LengthLearnt());
  EXPECT_EQ(m->Geti(PROP_STREAM_SIZE), frames);
  EXPECT_EQ(m->Geti(PROP_STREAM_SIZE), frames);
  EXPECT_EQ(second, ref) << "the second pass decodes the same";
  EXPECT_EQ(m->PlayStatus, 1);

  m->Seti(PROP_STREAM_LOOP, 0);
  const std::vector<int16_t> end = Drain(*m, 4096);  // the second pass is over
  EXPECT_EQ(m->PlayStatus, 0);
  EXPECT_EQ(end, std::vector<int16_t>(2048, 0));
  m->PlayStatus = 1;  // a later request starts from the beginning
  const std::vector<int16_t> again = Drain(*m, 4096);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), ref.begin()));
}

// Input the decoder cannot use ends the source instead of spinning; a
// missing file is null, never a crash.
TEST(Mp3Stream, BadInputEndsOrIsRefused) {
  std::string noise;
  uint32_t x = 12345;
  for (int i = 0; i < 200000; ++i) {
    x = x * 1103515245u + 12345u;
    noise += static_cast<char>(x >> 24);
  }
  // Headers that pass the probe, with nothing decodable behind them.
  std::string fake = Frame() + Frame();
  for (int i = 0; i < 40; ++i) fake += Frame(0xFB, 0x90, 0x00, 417).substr(0, 4) + noise.substr(i * 413, 413);
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {{"random bytes", noise}, {"headers and noise", fake}, {"cut in the first frame", Frame().substr(0, 200)},
               {"empty", ""}};
  for (const Case& c : cases) {
    auto m = LoadBytes(c.bytes);
    if (!m) continue;  // refused: fine
    for (int loop : {1, 0}) {
      m->Seti(PROP_STREAM_LOOP, loop);
      m->PlayStatus = 1;
      for (int r = 0; r < 200 && m->PlayStatus; ++r) Drain(*m, 65536);
    }
  }
  Rig rig;
  EXPECT_EQ(TAudioStream::Create(std::string(KELP_MUSIC_FIXTURES) + "/missing.mp3", 1, 0), nullptr);
}

// As a sound effect: exactly the decoded length, whatever the estimate said.
TEST(Mp3Stream, TheSoundLoaderGivesTheTrueLength) {
  for (const std::string& path : {kStereo, kMono}) {
    const std::vector<int16_t> ref = Mp3Reference(path);
    auto in = platform::OpenFileRead(path);
    ASSERT_NE(in, nullptr);
    platform::SoundRef sound = LoadMp3Sample(*in);
    ASSERT_NE(sound, nullptr) << path;
    EXPECT_EQ(sound->Rate(), 44100);
    ASSERT_EQ(static_cast<size_t>(sound->Frames()) * 2, ref.size()) << path;
    EXPECT_TRUE(std::equal(ref.begin(), ref.end(), sound->Data())) << path;
  }
  auto noise = platform::OpenMemory(std::string(5000, '\x42'));
  EXPECT_EQ(LoadMp3Sample(*noise), nullptr);
}

TEST(Acm, ErrorTexts) {
  struct Case {
    MMRESULT code;
    const char* text;
  } cases[] = {{1, "acm - unspecified error"},       {8, "acm - Function isn't supported"},
               {20, "acm - driver does Not call DriverCallback"}, {512, "acm - not possible"},
               {515, "acm - canceled"},              {77, "acm - unknown error code \"77\""}};
  for (const Case& c : cases) EXPECT_EQ(AcmErrorText(c.code), c.text) << c.code;
  EXPECT_EQ(AcmCheck(0), 0u);
  // Formats other than MPEG in and 44100 Hz stereo 16-bit out are refused.
  WAVEFORMATEX in{WAVE_FORMAT_MPEGLAYER3, 2, 44100, 11025, 1, 0, 12};
  WAVEFORMATEX out{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
  HACMSTREAM s = nullptr;
  ASSERT_EQ(acmStreamOpen(&s, &in, &out), MMSYSERR_NOERROR);
  ACMSTREAMHEADER h;
  uint8_t buf[64];
  h.pbDst = buf;
  h.cbDstLength = sizeof buf;
  EXPECT_EQ(acmStreamConvert(s, &h, 0), ACMERR_UNPREPARED);
  acmStreamClose(s);
  out.nSamplesPerSec = 48000;
  EXPECT_EQ(acmStreamOpen(&s, &in, &out), ACMERR_NOTPOSSIBLE);
  out.nSamplesPerSec = 44100;
  in.wFormatTag = WAVE_FORMAT_PCM;
  EXPECT_EQ(acmStreamOpen(&s, &in, &out), ACMERR_NOTPOSSIBLE);
}
