// WAV music: what loads, how the data streams round its end, and the file
// played through the mixer sample for sample.
#include <gtest/gtest.h>

#include "music/audio_stream.h"
#include "music/wav_stream.h"
#include "music_test_util.h"
#include "platform/stream.h"
#include "test_env.h"

using namespace kelp;
using namespace musictest;

namespace {

Ref<TWavStream> LoadBytes(const std::string& bytes) {
  return TWavStream::Load({"test.wav", platform::OpenMemory(bytes)});
}

std::string Chunk(const std::string& tag, const std::string& body) {
  std::string s = tag;
  Put32(s, static_cast<uint32_t>(body.size()));
  return s + body;
}

}  // namespace

TEST(WavStream, WhatLoads) {
  const std::string pcm = Pcm16({1, 2, 3, 4, 5, 6, 7, 8});  // 4 stereo frames
  std::string negative = "LIST";
  Put32(negative, 0xFFFFFFF8u);  // -8: a skip back onto itself
  struct Case {
    const char* what;
    std::string bytes;
    bool loads;
    int format, rate, size;
  } cases[] = {
      {"16-bit stereo", Wav(1, 2, 44100, 16, pcm), true, FORMAT_16_STEREO, 44100, 16},
      {"8-bit mono", Wav(1, 1, 8000, 8, "abcd"), true, FORMAT_8_MONO, 8000, 4},
      {"8-bit stereo", Wav(1, 2, 11025, 8, "abcd"), true, FORMAT_8_STEREO, 11025, 4},
      {"16-bit mono", Wav(1, 1, 22050, 16, pcm), true, FORMAT_16_MONO, 22050, 16},
      {"18-byte format chunk", Wav(1, 2, 44100, 16, pcm, -1, 2), true, FORMAT_16_STEREO, 44100, 16},
      {"LIST before data", Wav(1, 2, 44100, 16, pcm, -1, 0, Chunk("LIST", "INFOabcd")), true, FORMAT_16_STEREO,
       44100, 16},
      {"odd-sized chunk with its pad byte", Wav(1, 2, 44100, 16, pcm, -1, 0, Chunk("junk", "abc") + '\0'), true,
       FORMAT_16_STEREO, 44100, 16},
      {"data claims more than the file", Wav(1, 2, 44100, 16, pcm, 1 << 30), true, FORMAT_16_STEREO, 44100, 16},
      {"data of half a frame more", Wav(1, 2, 44100, 16, pcm + "xy"), true, FORMAT_16_STEREO, 44100, 16},
      {"no data chunk", Wav(1, 2, 44100, 16, "").substr(0, 44 - 8), true, FORMAT_16_STEREO, 44100, 0},
      {"negative chunk size", Wav(1, 2, 44100, 16, pcm, -1, 0, negative), true, FORMAT_16_STEREO, 44100, 0},
      {"float", Wav(3, 2, 44100, 32, pcm), false, 0, 0, 0},
      {"24-bit", Wav(1, 2, 44100, 24, pcm), false, 0, 0, 0},
      {"three channels", Wav(1, 3, 44100, 16, pcm), false, 0, 0, 0},
      {"rate 0", Wav(1, 2, 0, 16, pcm), false, 0, 0, 0},
      {"format chunk of 14 bytes", Wav(1, 2, 44100, 16, pcm).replace(16, 1, "\x0e"), false, 0, 0, 0},
      {"not RIFF", "RIFX" + Wav(1, 2, 44100, 16, pcm).substr(4), false, 0, 0, 0},
      {"empty", "", false, 0, 0, 0},
      {"cut in the format chunk", Wav(1, 2, 44100, 16, pcm).substr(0, 30), false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    auto w = LoadBytes(c.bytes);
    ASSERT_EQ(w != nullptr, c.loads) << c.what;
    if (!w) continue;
    EXPECT_EQ(w->STREAM_FORMAT, c.format) << c.what;
    EXPECT_EQ(w->SAMPLE_RATE, c.rate) << c.what;
    EXPECT_EQ(w->STREAM_SIZE, c.size) << c.what;
    EXPECT_EQ(w->STREAM_LOOP, 1) << c.what;
  }
}

// Requests that straddle the end: looping goes on from the first sample byte
// within the same request; otherwise zeros, PlayStatus 0 and a rewind. Every
// requested byte is written.
TEST(WavStream, FillingAroundTheEnd) {
  const std::string pcm = "ABCDEFGHIJ";  // 10 bytes of "data"
  struct Case {
    int loop;
    std::vector<int> requests;
    std::string bytes;
    int status;
  } cases[] = {
      {1, {4, 4, 4, 4}, "ABCDEFGHIJABCDEF", 1},
      {1, {25}, "ABCDEFGHIJABCDEFGHIJABCDE", 1},
      {0, {4, 4, 4}, std::string("ABCDEFGHIJ") + std::string(2, '\0'), 0},
      {0, {10}, "ABCDEFGHIJ", 0},
      {0, {6, 6, 4}, std::string("ABCDEFGHIJ") + std::string(2, '\0') + "ABCD", 1},
  };
  for (const Case& c : cases) {
    auto w = LoadBytes(Wav(1, 1, 44100, 8, pcm));
    ASSERT_NE(w, nullptr);
    w->Seti(PROP_STREAM_LOOP, c.loop);
    w->PlayStatus = 1;
    std::string got;
    for (int n : c.requests) {
      if (w->PlayStatus == 0) w->PlayStatus = 1;  // a resume, as the channel does
      std::string buf(static_cast<size_t>(n), '#');
      w->FillBuffer(reinterpret_cast<uint8_t*>(buf.data()), n);
      got += buf;
    }
    EXPECT_EQ(got, c.bytes) << c.loop << " " << c.requests.size();
  }
  // Without data: silence and an end, looping or not.
  auto empty = LoadBytes(Wav(1, 2, 44100, 16, "").substr(0, 36));
  ASSERT_NE(empty, nullptr);
  empty->PlayStatus = 1;
  std::string buf(8, '#');
  empty->FillBuffer(reinterpret_cast<uint8_t*>(buf.data()), 8);
  EXPECT_EQ(buf, std::string(8, '\0'));
  EXPECT_EQ(empty->PlayStatus, 0);
}

TEST(WavStream, PlaysThroughTheMixerSampleForSample) {
  std::vector<int16_t> samples;
  for (int i = 0; i < 3000; ++i) {
    samples.push_back(static_cast<int16_t>(i * 7 - 10000));
    samples.push_back(static_cast<int16_t>(9000 - i * 5));
  }
  testenv::TempDir dir;
  testenv::WriteFile(dir / "piece.wav", Wav(1, 2, 44100, 16, Pcm16(samples)));
  Rig rig;
  auto stream = TAudioStream::Create(dir / "piece.wav", 0, 0);
  ASSERT_NE(stream, nullptr);
  const std::vector<int16_t> out = rig.Run(platform::kStreamBufferBytes / 4 + 2 * Rig::kTick);
  for (size_t i = 0; i < samples.size(); ++i) ASSERT_EQ(out[i], samples[i]) << i;
  for (size_t i = samples.size(); i < out.size(); ++i) ASSERT_EQ(out[i], 0) << i;
  EXPECT_FALSE(stream->Playing());
}
