#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <functional>

#include "platform/audio.h"

using namespace platform;

namespace {

SoundRef Tone(int frames, bool loop) {
  auto s = std::make_shared<Sound>(frames, kMixRate, loop);
  for (int i = 0; i < frames * 2; ++i) s->Data()[i] = static_cast<int16_t>(i % 200 * 50);
  return s;
}

// Polls until done() holds; the dummy device plays in real time.
bool WaitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 500; ++i) {
    if (done()) return true;
    SDL_Delay(10);
  }
  return done();
}

}  // namespace

TEST(Audio, WithoutADeviceEveryCallIsHarmless) {
  CloseAudio();
  ASSERT_FALSE(AudioAvailable());
  EXPECT_FALSE(AllocChannel());
  SoundRef s = Tone(100, true);
  for (ChannelRef ch : {CueSound(s), PlaySound(s), CueSound(nullptr), PlaySound(nullptr)}) {
    ASSERT_TRUE(ch);
    ch->SetVolume(0.5f);
    ch->SetPan(1);
    ch->SetDepth(3);
    ch->SetRate(2);
    ch->SetPaused(false);
    EXPECT_FALSE(ch->Playing());
    ch->Stop();
  }
  PauseAllChannels(true);
  ResumeAllChannels(true);
  EXPECT_FALSE(AudioAvailable());
}

TEST(Audio, DeviceDriverPlaysSoundsAndStreams) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);  // never a real sound card in a test
  if (!SetAudioDriver("directsound")) GTEST_SKIP() << "no audio device here";
  EXPECT_TRUE(AudioAvailable());
  EXPECT_TRUE(OpenAudio());  // already open
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SetAudioDriver("OpenAL"));
  testing::internal::GetCapturedStderr();

  ChannelRef shortOne = PlaySound(Tone(2205, false));  // 50 ms
  ChannelRef looped = PlaySound(Tone(441, true));
  EXPECT_TRUE(shortOne->Playing());
  EXPECT_TRUE(WaitFor([&] { return !shortOne->Playing(); }));
  EXPECT_TRUE(looped->Playing());

  PauseAllChannels(false);
  EXPECT_FALSE(looped->Playing());
  ResumeAllChannels(false);
  EXPECT_TRUE(looped->Playing());
  looped->Stop();

  {
    StreamChannel stream;  // on the device's mixer
    StreamRegions r;
    ASSERT_TRUE(stream.Lock(0, stream.Size(), r));
    EXPECT_EQ(r.len1, kStreamBufferBytes);
    stream.Unlock();
    stream.Play();
    EXPECT_TRUE(WaitFor([&] { return stream.GetCurrentPosition() > 0; }));
    // refilling while the device plays
    int cursor = stream.GetCurrentPosition();
    ASSERT_TRUE(stream.Lock(0, cursor, r));
    stream.Unlock();
    stream.Stop();
  }
  EXPECT_TRUE(AllocChannel());
  CloseAudio();
  EXPECT_FALSE(AudioAvailable());
  EXPECT_FALSE(PlaySound(Tone(10, true))->Playing());
}
