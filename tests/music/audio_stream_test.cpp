// The stream channel: refill, the end of a piece, looping, pausing, volume,
// ownership and the stream timer's hook chain, with scripted sources.
#include <gtest/gtest.h>

#include <cmath>

#include "music/audio_stream.h"
#include "music/loader_registry.h"
#include "music/stream_timer.h"
#include "music_test_util.h"
#include "reset_rooms.h"
#include "test_env.h"

using namespace kelp;
using namespace musictest;

namespace {

constexpr int kRing = platform::kStreamBufferBytes / 4;  // frames

Ref<TDirectSoundAudioStream> Play(const Ref<TMusic>& music, int loop) {
  return As<TDirectSoundAudioStream>(TAudioStream::Create(music, loop, 0));
}

// Frames of output until the channel stops (checked after every tick), -1 if it never does.
int RunUntilStopped(Rig& rig, platform::Channel& ch, int limit, std::vector<int16_t>& out) {
  int stoppedAt = -1;
  int done = 0;
  out = rig.Run(limit, [&] {
    done += Rig::kTick;
    if (stoppedAt < 0 && !ch.Playing()) stoppedAt = std::min(done, limit);
  });
  return stoppedAt;
}

}  // namespace

// Each case starts with the music module as the program starts it.
class AudioStream : public testing::Test {
 protected:
  void SetUp() override { testsupport::ResetMusicRooms(); }
  void TearDown() override { testsupport::ResetMusicRooms(); }
};

// Every frame of a piece that ends is heard once, in order, then silence; the
// channel stops itself when the cursor has gone round to the end once more.
TEST_F(AudioStream, APieceThatEndsIsHeardWholeThenStops) {
  struct Case {
    const char* what;
    int frames;
  } cases[] = {
      {"inside the first fill", 10000},
      {"exactly the buffer", kRing},
      {"in the middle of a refill", kRing + 3 * Rig::kTick + 100},
      {"in the refill that wraps round the buffer's end", 66200},
      {"after a few laps", 4 * kRing + 777},
  };
  for (const Case& c : cases) {
    Rig rig;
    auto music = New<CountingMusic>(c.frames);
    auto stream = Play(music, 0);
    ASSERT_NE(stream, nullptr) << c.what;
    std::vector<int16_t> out;
    const int stoppedAt = RunUntilStopped(rig, *stream, c.frames + 2 * kRing, out);
    for (int k = 0; k < c.frames; ++k) {
      ASSERT_EQ(Left(out, k), CountingMusic::Value(k)) << c.what << " frame " << k;
      ASSERT_EQ(Right(out, k), -CountingMusic::Value(k)) << c.what << " frame " << k;
    }
    for (size_t k = c.frames; k < out.size() / 2; ++k) ASSERT_EQ(Left(out, k), 0) << c.what << " frame " << k;
    const int due = std::max(c.frames, kRing);
    EXPECT_GE(stoppedAt, due) << c.what;
    EXPECT_LE(stoppedAt, due + 2 * Rig::kTick) << c.what;
    EXPECT_FALSE(stream->Playing()) << c.what;
    EXPECT_EQ(stream->pDSB, nullptr) << c.what;
    EXPECT_EQ(music->delivered, c.frames) << c.what << ": nothing decoded after the end";
  }
}

// The game resumes its music channel every frame. A piece that has ended
// must not start again from that, nor be heard again.
TEST_F(AudioStream, ResumingEveryFrameDoesNotRestartAnEndedPiece) {
  for (int frames : {5000, kRing + 1234}) {
    Rig rig;
    auto music = New<CountingMusic>(frames);
    auto stream = Play(music, 0);
    std::vector<int16_t> out = rig.Run(frames + 2 * kRing, [&] { stream->SetPaused(false); });
    for (size_t k = frames; k < out.size() / 2; ++k) ASSERT_EQ(Left(out, k), 0) << frames << " frame " << k;
    EXPECT_FALSE(stream->Playing()) << frames;
    EXPECT_EQ(music->delivered, frames) << frames;
  }
}

TEST_F(AudioStream, ALoopedPieceJoinsItsEndToItsStart) {
  Rig rig;
  const int frames = 20000;
  auto music = New<CountingMusic>(frames);
  auto stream = Play(music, 1);
  const std::vector<int16_t> out = rig.Run(4 * kRing);
  for (int k = 0; k < 4 * kRing; ++k) ASSERT_EQ(Left(out, k), CountingMusic::Value(k % frames)) << k;
  EXPECT_TRUE(stream->Playing());
}

TEST_F(AudioStream, PauseHoldsThePlaceAndResumeGoesOnFromTheSameFrame) {
  Rig rig;
  auto music = New<CountingMusic>(1000000);
  auto stream = Play(music, 1);
  std::vector<int16_t> before = rig.Run(10 * Rig::kTick + 100);
  const int heard = static_cast<int>(before.size() / 2);
  stream->SetPaused(true);
  EXPECT_FALSE(stream->Playing());
  std::vector<int16_t> paused = rig.Run(3 * kRing);  // longer than the buffer: refills must not run ahead
  for (size_t k = 0; k < paused.size() / 2; ++k) ASSERT_EQ(Left(paused, k), 0) << k;
  stream->SetPaused(false);
  std::vector<int16_t> after = rig.Run(2 * kRing);
  for (int k = 0; k < 2 * kRing; ++k) ASSERT_EQ(Left(after, k), CountingMusic::Value(heard + k)) << k;
}

// When the main thread stalls past the buffer's length the music goes silent
// and then carries on where it was, without repeating old audio.
TEST_F(AudioStream, AStalledMainThreadGivesSilenceNotARepeat) {
  Rig rig;
  auto music = New<CountingMusic>(1000000);
  auto stream = Play(music, 1);
  rig.Run(5 * Rig::kTick);
  std::vector<int16_t> stall(2 * static_cast<size_t>(2 * kRing));
  rig.mixer.Mix(stall.data(), 2 * kRing);  // no ticks
  std::vector<int16_t> after = rig.Run(kRing);
  std::vector<int16_t> all;
  for (auto* part : {&stall, &after})
    for (size_t k = 0; k < part->size() / 2; ++k)
      if (Left(*part, k) != 0) all.push_back(Left(*part, k));
  ASSERT_GT(all.size(), 1000u);
  const int first = 5 * Rig::kTick;
  for (size_t k = 0; k < all.size(); ++k) ASSERT_EQ(all[k], CountingMusic::Value(first + static_cast<int>(k))) << k;
}

TEST_F(AudioStream, VolumePanAndRateToTheDeviceBuffer) {
  struct VolumeCase {
    float v;
    int mB;
  } volumes[] = {{1.0f, 0}, {2.0f, 0}, {0.0f, -10000}, {-1.0f, -10000}, {0.5f, -999}, {1e-6f, -10000},
                 {0.25f, -1999}, {NAN, -10000}};
  for (const auto& c : volumes) EXPECT_EQ(VolumeToMilliBel(c.v), c.mB) << c.v;
  struct PanCase {
    float p;
    int device;
  } pans[] = {{-2.0f, -10000}, {0.25f, 2500}, {1.0f, 10000}, {0.0f, 0}};
  for (const auto& c : pans) EXPECT_EQ(PanToDevice(c.p), c.device) << c.p;

  Rig rig;
  auto stream = Play(New<CountingMusic>(100000), 1);
  stream->SetVolume(0.5f);
  stream->SetPan(0.25f);
  stream->SetRate(1.0f);
  EXPECT_EQ(stream->pDSB->Volume(), -999);
  EXPECT_EQ(stream->pDSB->Pan(), 2500);
  EXPECT_EQ(stream->pDSB->Frequency(), 44100);
  stream->SetRate(0.5f);
  EXPECT_EQ(stream->pDSB->Frequency(), 22050);
}

// A stream made of a TMusic leaves it to its owner; one made of a file frees
// its music when stopped.
TEST_F(AudioStream, OwnershipOfTheMusic) {
  Rig rig;
  auto kept = New<CountingMusic>(100000);
  auto a = Play(kept, 1);
  a->Stop();
  EXPECT_EQ(kept->frees, 0);
  EXPECT_EQ(a->Music, nullptr);
  a->Stop();  // again: nothing
  a->SetPaused(false);
  EXPECT_FALSE(a->Playing());

  // A loader that hands out one counting source for any file.
  MusicLoaders.clear();
  auto owned = New<CountingMusic>(100000);
  TrkModLoader::Create([&](const MusicSource&) { return owned; }, "test", "tst");
  testenv::TempDir dir;
  testenv::WriteFile(dir / "piece.tst", "bytes");
  auto b = TAudioStream::Create(dir / "piece.tst", 1, 0);
  ASSERT_NE(b, nullptr);
  b->Stop();
  EXPECT_EQ(owned->frees, 1);
}

// The refill of a stream that ends stops it from inside the tick; the other
// streams of the same tick are refilled all the same.
TEST_F(AudioStream, AStreamStoppingInsideTheTickLeavesTheOthersRunning) {
  Rig rig;
  const int before = StreamHookCount();
  auto shortOne = Play(New<CountingMusic>(1000), 0);
  auto longOne = Play(New<CountingMusic>(1000000), 1);
  auto last = Play(New<CountingMusic>(1000000), 1);
  EXPECT_EQ(StreamHookCount(), before + 3);
  rig.Run(2 * kRing);
  EXPECT_FALSE(shortOne->Playing());
  EXPECT_EQ(StreamHookCount(), before + 2);
  for (auto* s : {longOne.get(), last.get()}) {
    EXPECT_TRUE(s->Playing());
    EXPECT_GE(s->Music->Geti(PROP_STREAM_POS), 2 * kRing) << "refilled on every tick";
  }
  longOne.reset();  // dropped without Stop: it leaves the chain
  EXPECT_EQ(StreamHookCount(), before + 1);
  rig.Run(Rig::kTick);
}

TEST_F(AudioStream, NoDeviceGivesNoStream) {
  UseStreamMixer(nullptr);
  EXPECT_EQ(TAudioStream::Create(New<CountingMusic>(100), 1, 0), nullptr);
}

// A source in another format is brought to 16-bit stereo at 44100 Hz.
TEST_F(AudioStream, OtherFormatsAreConverted) {
  // 8-bit mono at 22050 Hz, a ramp: every source frame twice, as 16-bit stereo.
  class Ramp : public TMusic {
   public:
    Ramp() {
      STREAM_FORMAT = FORMAT_8_MONO;
      SAMPLE_RATE = 22050;
    }
    void FillBuffer(uint8_t* a, int count) override {
      for (int i = 0; i < count; ++i) a[i] = static_cast<uint8_t>(128 + (n++ % 64));
    }
    int n = 0;
  };
  Rig rig;
  auto stream = Play(New<Ramp>(), 1);
  ASSERT_NE(stream, nullptr);
  const std::vector<int16_t> out = rig.Run(200);
  for (int k = 0; k < 120; k += 2) {
    EXPECT_EQ(Left(out, k), (k / 2 % 64) * 256) << k;
    EXPECT_EQ(Right(out, k), Left(out, k)) << k;
  }
  // Halfway between two source frames.
  EXPECT_EQ(Left(out, 3), (1 * 256 + 2 * 256) / 2);

  class Odd : public TMusic {
   public:
    Odd() { STREAM_FORMAT = 0; }
    void FillBuffer(uint8_t*, int) override {}
  };
  auto odd = New<Odd>();
  EXPECT_EQ(TAudioStream::Create(odd, 1, 0), nullptr);
  odd->STREAM_FORMAT = FORMAT_16_STEREO;
  odd->SAMPLE_RATE = 10;
  EXPECT_EQ(TAudioStream::Create(odd, 1, 0), nullptr);
}
