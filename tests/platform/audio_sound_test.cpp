#include <gtest/gtest.h>

#include <cmath>

#include "audio_test_data.h"
#include "platform/sound_load.h"
#include "test_env.h"

using namespace platform;
using namespace audiotest;

namespace {

SoundRef FromBytes(const std::string& bytes, bool loop = false) {
  auto s = OpenMemory(bytes);
  return LoadSound(*s, loop);
}

double Rms(const Sound& s, int channel) {
  double sum = 0;
  for (int i = 0; i < s.Frames(); ++i) sum += double(s.Data()[2 * i + channel]) * s.Data()[2 * i + channel];
  return std::sqrt(sum / s.Frames());
}

}  // namespace

TEST(Sound, Wav16BitStereoKeepsItsFramesAndRate) {
  SoundRef s = FromBytes(Wav(1, 2, 22050, 16, Pcm16({100, -100, 32767, -32768, 0, 5})), true);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Frames(), 3);
  EXPECT_EQ(s->Rate(), 22050);
  EXPECT_TRUE(s->Loop());
  std::vector<int16_t> data(s->Data(), s->Data() + 6);
  EXPECT_EQ(data, (std::vector<int16_t>{100, -100, 32767, -32768, 0, 5}));
}

TEST(Sound, Wav16BitMonoPlaysEachSampleUnchangedOnBothSides) {
  const std::vector<int> pcm = {100, -100, 32767, -32768, 0, 5, 1};
  SoundRef s = FromBytes(Wav(1, 1, 44100, 16, Pcm16(pcm)));
  ASSERT_TRUE(s);
  ASSERT_EQ(s->Frames(), 7);
  EXPECT_EQ(s->Rate(), 44100);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(s->Data()[2 * i], pcm[i]) << i;
    EXPECT_EQ(s->Data()[2 * i + 1], pcm[i]) << i;
  }
}

TEST(Sound, Wav8BitMonoBecomesSigned16BitStereo) {
  std::string pcm = {char(128), char(255), char(0)};
  SoundRef s = FromBytes(Wav(1, 1, 8000, 8, pcm));
  ASSERT_TRUE(s);
  ASSERT_EQ(s->Frames(), 3);
  EXPECT_EQ(s->Rate(), 8000);
  EXPECT_FALSE(s->Loop());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(s->Data()[2 * i], s->Data()[2 * i + 1]) << i;
  EXPECT_EQ(s->Data()[0], 0);
  EXPECT_GT(s->Data()[2], 32000);
  EXPECT_LE(s->Data()[4], -32000);
}

TEST(Sound, LoadsFromAPathAndFromAStreamPosition) {
  testenv::TempDir dir;
  std::string wav = Wav(1, 2, 44100, 16, Pcm16({1, 2, 3, 4}));
  testenv::WriteFile(dir / "Click.wav", wav);
  SoundRef a = LoadSound(dir / "click.WAV", false);  // letter case differs on disk
  ASSERT_TRUE(a);
  EXPECT_EQ(a->Frames(), 2);

  auto s = OpenMemory("junk" + wav);
  s->Seek(4);
  SoundRef b = LoadSound(*s, false);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->Data()[3], 4);
  EXPECT_FALSE(LoadSound(dir / "missing.wav", false));
}

TEST(Sound, OggStereoSineDecodesAtFullLength) {
  std::string ogg = EncodeOgg(Sine(11025, 2, 44100, 440, 0.5f), 2, 44100);
  SoundRef s = FromBytes(ogg, true);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Rate(), 44100);
  EXPECT_EQ(s->Frames(), 11025);
  EXPECT_TRUE(s->Loop());
  // a sine of amplitude 0.5 has an RMS of 0.5 / sqrt 2 of full scale
  EXPECT_NEAR(Rms(*s, 0), 0.5 * 32767 / std::sqrt(2.0), 600);
  EXPECT_NEAR(Rms(*s, 1), 0.5 * 32767 / std::sqrt(2.0), 600);
}

TEST(Sound, OggMonoPlaysOnBothSides) {
  std::string ogg = EncodeOgg(Sine(4000, 1, 22050, 300, 0.3f), 1, 22050);
  SoundRef s = FromBytes(ogg);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Rate(), 22050);
  EXPECT_EQ(s->Frames(), 4000);
  for (int i = 0; i < s->Frames(); ++i) ASSERT_EQ(s->Data()[2 * i], s->Data()[2 * i + 1]) << i;
  EXPECT_GT(Rms(*s, 0), 5000);
}

TEST(Sound, BrokenFilesGiveNullAndSayWhy) {
  std::string wav = Wav(1, 2, 44100, 16, Pcm16(std::vector<int>(200, 7)));
  std::string ogg = EncodeOgg(Sine(8000, 2, 44100, 440, 0.5f), 2, 44100);
  std::string badHeader = ogg;
  badHeader[40] ^= 0x5a;  // inside the identification header: its page checksum fails
  std::string zeroRate = Wav(1, 2, 0, 16, Pcm16({1, 2}));
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"garbage", "this is not a sound file at all"},
      {"RIFF tag only", "RIFF"},
      {"WAV cut in its header", wav.substr(0, 30)},
      {"WAV cut in its data", wav.substr(0, wav.size() - 101)},
      {"WAV claiming 4 GB of samples", Wav(1, 2, 44100, 16, Pcm16({1, 2}), 0xFFFFFF00)},
      {"WAV with an unknown format tag", Wav(0x1234, 2, 44100, 16, Pcm16({1, 2}))},
      {"WAV with 13-bit samples", Wav(1, 1, 44100, 13, Pcm16({1, 2}))},
      {"WAV at rate 0", zeroRate},
      {"WAV without samples", Wav(1, 2, 44100, 16, "")},
      {"16-bit mono WAV of one byte", Wav(1, 1, 44100, 16, "\x01")},
      {"OGG cut mid-page", ogg.substr(0, ogg.size() / 2)},
      {"OGG cut in its first page", ogg.substr(0, 20)},
      {"OGG tag only", "OggS"},
      {"OGG with a damaged header", badHeader},
  };
  for (const Case& c : cases) {
    testing::internal::CaptureStderr();
    SoundRef s = FromBytes(c.bytes);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(s) << c.what;
    EXPECT_NE(err.find("LoadSound"), std::string::npos) << c.what;
  }
}

TEST(Sound, SampleLoadersTakeOtherFormatsInOrder) {
  std::vector<std::string> seen;
  int a = AddSampleLoader([&](Stream& s) -> SoundRef {
    seen.push_back("a@" + std::to_string(s.Pos()));
    return nullptr;
  });
  int b = AddSampleLoader([&](Stream& s) -> SoundRef {
    seen.push_back("b@" + std::to_string(s.Pos()));
    if (s.ReadBytes(4) != "KSND") return nullptr;
    SoundRef snd = CreateAudioSample(10, 8000);
    snd->Data()[0] = 99;
    return snd;
  });
  auto stream = OpenMemory(std::string("xxKSND"));
  stream->Seek(2);
  SoundRef s = LoadSound(*stream, true);
  RemoveSampleLoader(a);
  RemoveSampleLoader(b);

  EXPECT_EQ(seen, (std::vector<std::string>{"a@0", "b@0"}));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Frames(), 10);
  EXPECT_EQ(s->Rate(), 8000);
  EXPECT_TRUE(s->Loop());
  EXPECT_EQ(s->Data()[0], 99);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(FromBytes("KSND"));  // removed again
  testing::internal::GetCapturedStderr();
}

TEST(Sound, AudioSamplesAreSilentAndBounded) {
  SoundRef s = CreateAudioSample(4, 44100);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Frames(), 4);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(s->Data()[i], 0);
  EXPECT_FALSE(CreateAudioSample(0, 44100));
  EXPECT_FALSE(CreateAudioSample(-5, 44100));
  EXPECT_FALSE(CreateAudioSample(10, 0));
  EXPECT_FALSE(CreateAudioSample(10, 1000000));
}
