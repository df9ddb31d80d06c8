#include <gtest/gtest.h>

#include <cstring>
#include <atomic>
#include <functional>
#include <thread>

#include "platform/mixer.h"

using namespace platform;

namespace {

// A sound whose frame i holds (left(i), right(i)).
SoundRef MakeSound(int frames, int rate, bool loop, const std::function<int(int)>& left,
                   const std::function<int(int)>& right) {
  auto s = std::make_shared<Sound>(frames, rate, loop);
  for (int i = 0; i < frames; ++i) {
    s->Data()[2 * i] = static_cast<int16_t>(left(i));
    s->Data()[2 * i + 1] = static_cast<int16_t>(right(i));
  }
  return s;
}

SoundRef Constant(int value, int frames = 1000, bool loop = true) {
  return MakeSound(frames, kMixRate, loop, [=](int) { return value; }, [=](int) { return value; });
}

std::vector<int16_t> MixFrames(Mixer& m, int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 12345);
  m.Mix(out.data(), frames);
  return out;
}

std::shared_ptr<EffectChannel> Start(Mixer& m, const SoundRef& s) {
  auto ch = m.CueSound(s);
  ch->SetPaused(false);
  return ch;
}

int16_t L(const std::vector<int16_t>& out, int frame) { return out[2 * static_cast<size_t>(frame)]; }
int16_t R(const std::vector<int16_t>& out, int frame) { return out[2 * static_cast<size_t>(frame) + 1]; }

}  // namespace

TEST(Mixer, TwoChannelsSumWithVolumePanAndRate) {
  Mixer m;
  auto a = m.CueSound(Constant(10000));
  a->SetVolume(0.5f);
  a->SetPan(-1);
  a->SetPaused(false);
  // ramp: frame i is (10 i, -10 i); at rate 2 every second frame is heard
  auto b = Start(m, MakeSound(200, kMixRate, false, [](int i) { return 10 * i; }, [](int i) { return -10 * i; }));
  b->SetRate(2);
  auto out = MixFrames(m, 64);
  for (int i = 0; i < 64; ++i) {
    ASSERT_EQ(L(out, i), 5000 + 20 * i) << i;
    ASSERT_EQ(R(out, i), -20 * i) << i;
  }
  // 200 frames at rate 2 last 100 output frames
  MixFrames(m, 35);
  EXPECT_TRUE(b->Playing());
  MixFrames(m, 1);
  EXPECT_FALSE(b->Playing());
  EXPECT_TRUE(a->Playing());
}

TEST(Mixer, PanAndVolumeTable) {
  struct Case {
    float pan, volume;
    int left, right;
  } cases[] = {
      {0, 1, 10000, 10000},   {-1, 0.5f, 5000, 0},  {1, 1, 0, 10000},
      {0.5f, 1, 5000, 10000}, {-0.25f, 0.8f, 8000, 6000},
      {-3, 2, 10000, 0},  // both clamped
      {0, -1, 0, 0},
  };
  for (const Case& c : cases) {
    Mixer m;
    auto ch = m.CueSound(Constant(10000));
    ch->SetPan(c.pan);
    ch->SetVolume(c.volume);
    ch->SetPaused(false);
    auto out = MixFrames(m, 4);
    EXPECT_EQ(L(out, 3), c.left) << c.pan << " " << c.volume;
    EXPECT_EQ(R(out, 3), c.right) << c.pan << " " << c.volume;
  }
}

TEST(Mixer, ResamplesLinearlyFromTheSoundsOwnRate) {
  Mixer m;
  // a 22050 Hz ramp plays every frame twice as long: halfway values between
  Start(m, MakeSound(100, 22050, false, [](int i) { return 100 * i; }, [](int) { return 7; }));
  auto out = MixFrames(m, 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(L(out, i), 50 * i) << i;
    EXPECT_EQ(R(out, i), 7) << i;
  }
}

TEST(Mixer, SumsAreClippedTo16Bits) {
  Mixer m;
  Start(m, MakeSound(10, kMixRate, true, [](int) { return 30000; }, [](int) { return -30000; }));
  Start(m, MakeSound(10, kMixRate, true, [](int) { return 30000; }, [](int) { return -30000; }));
  auto out = MixFrames(m, 3);
  EXPECT_EQ(L(out, 2), 32767);
  EXPECT_EQ(R(out, 2), -32768);
}

TEST(Mixer, OneShotEndsAndLoopWraps) {
  auto ramp = [](int i) { return 100 + i; };
  for (bool loop : {false, true}) {
    Mixer m;
    auto ch = Start(m, MakeSound(10, kMixRate, loop, ramp, ramp));
    auto out = MixFrames(m, 25);
    for (int i = 0; i < 25; ++i) {
      int expected = loop ? 100 + i % 10 : i < 10 ? 100 + i : 0;
      ASSERT_EQ(L(out, i), expected) << "loop " << loop << " frame " << i;
    }
    EXPECT_EQ(ch->Playing(), loop);
    ch->SetPaused(false);  // a finished one-shot does not come back
    EXPECT_EQ(ch->Playing(), loop);
  }
}

TEST(Mixer, PauseKeepsThePlaceAndStopEnds) {
  Mixer m;
  auto ramp = [](int i) { return 1 + i; };
  auto ch = m.CueSound(MakeSound(100, kMixRate, false, ramp, ramp));
  EXPECT_FALSE(ch->Playing());  // cued paused
  EXPECT_EQ(L(MixFrames(m, 2), 1), 0);
  ch->SetPaused(false);
  EXPECT_TRUE(ch->Playing());
  MixFrames(m, 4);
  ch->SetPaused(true);
  EXPECT_FALSE(ch->Playing());
  EXPECT_EQ(L(MixFrames(m, 4), 3), 0);
  ch->SetPaused(false);
  auto out = MixFrames(m, 2);
  EXPECT_EQ(L(out, 0), 5);
  EXPECT_EQ(L(out, 1), 6);
  ch->Stop();
  EXPECT_FALSE(ch->Playing());
  ch->SetPaused(false);
  EXPECT_FALSE(ch->Playing());
  EXPECT_EQ(L(MixFrames(m, 2), 1), 0);
  ch->Stop();  // twice is harmless
}

TEST(Mixer, ChannelsGoToFreeOnesThenTheOldest) {
  Mixer m;
  std::vector<std::shared_ptr<EffectChannel>> held;
  for (int i = 0; i < kEffectChannels; ++i) held.push_back(Start(m, Constant(1)));
  // a 17th sound takes the channel cued first
  auto extra = Start(m, Constant(1000));
  EXPECT_FALSE(held[0]->Playing());
  held[0]->SetVolume(0);  // no longer its channel: no effect on the new sound
  for (int i = 1; i < kEffectChannels; ++i) EXPECT_TRUE(held[i]->Playing()) << i;
  EXPECT_EQ(L(MixFrames(m, 1), 0), 15 + 1000);

  // once a channel is free it is used before the oldest
  held[7]->Stop();
  auto next = Start(m, Constant(1));
  EXPECT_TRUE(held[1]->Playing());
  EXPECT_TRUE(extra->Playing());
  EXPECT_TRUE(next->Playing());

  // with every channel busy an allocation takes the oldest, but holds nothing
  // back: further allocations and the next sound reuse that same channel
  for (int i = 0; i < 3; ++i) m.AllocChannel();
  auto after = Start(m, Constant(1));
  EXPECT_FALSE(held[1]->Playing());
  EXPECT_TRUE(after->Playing());
  EXPECT_TRUE(next->Playing());
  EXPECT_TRUE(held[2]->Playing());

  // channels left over when their mixer is gone do nothing
  std::shared_ptr<EffectChannel> orphan;
  {
    Mixer gone;
    orphan = gone.CueSound(Constant(1));
  }
  orphan->SetPaused(false);
  EXPECT_FALSE(orphan->Playing());
  EXPECT_FALSE(m.CueSound(nullptr)->Playing());
  auto badRate = m.CueSound(std::make_shared<Sound>(10, -44100));
  badRate->SetPaused(false);
  EXPECT_FALSE(badRate->Playing());
}

TEST(Mixer, PauseAllResumesOnlyWhatItPaused) {
  Mixer m;
  auto playing = Start(m, Constant(100));
  auto paused = m.CueSound(Constant(10));
  StreamChannel stream(m, 400);
  StreamRegions r;
  ASSERT_TRUE(stream.Lock(0, 400, r));
  for (int i = 0; i < 200; ++i) std::memcpy(r.ptr1 + 2 * i, "\x01\x00", 2);  // every sample 1
  stream.Unlock();
  stream.Play();

  m.PauseAll(false);
  EXPECT_FALSE(playing->Playing());
  EXPECT_TRUE(stream.Playing());
  EXPECT_EQ(L(MixFrames(m, 1), 0), 1);
  m.ResumeAll(false);
  EXPECT_TRUE(playing->Playing());
  EXPECT_FALSE(paused->Playing());
  EXPECT_EQ(L(MixFrames(m, 1), 0), 101);

  m.PauseAll(true);
  EXPECT_FALSE(stream.Playing());
  EXPECT_EQ(L(MixFrames(m, 1), 0), 0);
  m.ResumeAll(true);
  EXPECT_TRUE(stream.Playing());
  EXPECT_EQ(L(MixFrames(m, 1), 0), 101);
}

namespace {

// Writes frames base, base+1, ... (left) and their negatives (right) at the write position.
void WriteCount(StreamChannel& s, int bytes, int base) {
  StreamRegions r;
  ASSERT_TRUE(s.Lock(s.GetWritePosition(), bytes, r));
  int frame = 0;
  for (auto [p, n] : {std::pair{r.ptr1, r.len1}, std::pair{r.ptr2, r.len2}}) {
    for (int i = 0; i + 4 <= n; i += 4, ++frame) {
      int16_t lr[2] = {static_cast<int16_t>(base + frame), static_cast<int16_t>(-(base + frame))};
      std::memcpy(p + i, lr, 4);
    }
  }
  s.Unlock();
}

}  // namespace

TEST(StreamChannel, LocksOnlyWhatTheCursorHasPlayed) {
  Mixer m;
  StreamChannel s(m, 400);  // 100 frames
  ASSERT_EQ(s.Size(), 400);
  EXPECT_EQ(s.FreeBytes(), 400);
  struct Case {
    int offset, bytes;
    bool ok;
    int len1, len2;
  };
  auto check = [&](const char* when, std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
      StreamRegions r;
      ASSERT_EQ(s.Lock(c.offset, c.bytes, r), c.ok) << when << " " << c.offset << "+" << c.bytes;
      EXPECT_EQ(r.len1, c.len1) << when << " " << c.offset << "+" << c.bytes;
      EXPECT_EQ(r.len2, c.len2) << when << " " << c.offset << "+" << c.bytes;
      if (c.len2) {
        EXPECT_EQ(r.ptr2 + 400, r.ptr1 + r.len1);
      }
      if (!c.ok) continue;
      StreamRegions again;
      EXPECT_FALSE(s.Lock(s.GetWritePosition(), 0, again)) << "one lock at a time";
      s.Unlock();
    }
  };
  // new: all of it free, from 0
  check("new", {{4, 4, false, 0, 0}, {0, 401, false, 0, 0}, {0, 6, false, 0, 0}, {0, -4, false, 0, 0},
                {-4, 4, false, 0, 0}, {0, 0, true, 0, 0}});
  check("fill", {{0, 400, true, 400, 0}});
  EXPECT_EQ(s.FreeBytes(), 0);
  check("full", {{0, 4, false, 0, 0}, {0, 0, true, 0, 0}});
  s.Play();
  MixFrames(m, 60);
  EXPECT_EQ(s.GetCurrentPosition(), 240);
  EXPECT_EQ(s.FreeBytes(), 240);
  check("played 60", {{0, 244, false, 0, 0}, {4, 4, false, 0, 0}, {0, 160, true, 160, 0}});
  MixFrames(m, 60);  // cursor at frame 20 after the wrap; written up to frame 40
  EXPECT_EQ(s.GetCurrentPosition(), 80);
  EXPECT_EQ(s.GetWritePosition(), 160);
  check("wrapped", {{160, 324, false, 0, 0}, {160, 320, true, 240, 80}});
  s.Unlock();  // without a lock: nothing
}

TEST(StreamChannel, PlaysWhatWasWrittenAcrossTheWrap) {
  Mixer m;
  StreamChannel s(m, 400);  // 100 frames
  WriteCount(s, 400, 1000);
  s.Play();
  auto out = MixFrames(m, 60);
  for (int i = 0; i < 60; ++i) ASSERT_EQ(L(out, i), 1000 + i) << i;
  EXPECT_EQ(s.GetCurrentPosition(), 240);

  // the 60 frames played are refilled; the next 60 play the old end, then the new start
  WriteCount(s, 240, 5000);
  out = MixFrames(m, 60);
  for (int i = 0; i < 60; ++i) {
    const int frame = 60 + i;
    const int expected = frame < 100 ? 1000 + frame : 5000 + frame - 100;
    ASSERT_EQ(L(out, i), expected) << i;
    ASSERT_EQ(R(out, i), -expected) << i;
  }
  EXPECT_EQ(s.GetCurrentPosition(), 80);
}

TEST(StreamChannel, AnUnderrunIsSilentAndLosesNothing) {
  Mixer m;
  StreamChannel s(m, 400);
  WriteCount(s, 40, 1);  // frames 1..10
  s.Play();
  auto out = MixFrames(m, 20);
  // The last frame written waits for the one after it.
  for (int i = 0; i < 20; ++i) ASSERT_EQ(L(out, i), i < 9 ? 1 + i : 0) << i;
  EXPECT_EQ(s.GetCurrentPosition(), 36);
  EXPECT_EQ(s.FreeBytes(), 396);
  WriteCount(s, 20, 11);  // frames 11..15
  out = MixFrames(m, 20);
  for (int i = 0; i < 20; ++i) ASSERT_EQ(L(out, i), i < 5 ? 10 + i : 0) << i;
  EXPECT_TRUE(s.Playing());
}

// The device thread mixes while the owner refills: every frame is heard
// once, in order, whatever the timing.
TEST(StreamChannel, TheDeviceThreadReadsWhileTheOwnerWrites) {
  Mixer m;
  StreamChannel s(m, 4000);
  int next = 1;
  auto refill = [&] {
    const int bytes = s.FreeBytes() / 4 * 4;
    if (bytes == 0) return;
    WriteCount(s, bytes, next);
    next += bytes / 4;
  };
  refill();
  s.Play();
  constexpr int kFrames = 30000;
  std::vector<int16_t> heard;
  std::atomic<bool> done{false};
  std::thread device([&] {
    std::vector<int16_t> out(2 * 64);
    while (!done) {
      m.Mix(out.data(), 64);
      for (int i = 0; i < 64; ++i)
        if (out[2 * i] != 0) heard.push_back(out[2 * i]);
    }
  });
  while (next < kFrames) {
    refill();
    std::this_thread::yield();
  }
  while (s.FreeBytes() < s.Size() - 8) std::this_thread::yield();  // played all but the last
  done = true;
  device.join();
  ASSERT_GE(heard.size(), 1u);
  for (size_t i = 0; i < heard.size(); ++i) ASSERT_EQ(heard[i], static_cast<int16_t>(1 + i)) << i;
  EXPECT_GE(static_cast<int>(heard.size()), kFrames - 2);
}

TEST(StreamChannel, StopKeepsThePosition) {
  Mixer m;
  StreamChannel s(m, 400);
  StreamRegions r;
  ASSERT_TRUE(s.Lock(0, 400, r));
  for (int i = 0; i < 100; ++i) {
    int16_t lr[2] = {static_cast<int16_t>(i), static_cast<int16_t>(i)};
    std::memcpy(r.ptr1 + 4 * i, lr, 4);
  }
  s.Unlock();
  EXPECT_FALSE(s.Playing());
  EXPECT_EQ(L(MixFrames(m, 5), 4), 0);  // not started: silent and still
  s.Play();
  MixFrames(m, 30);
  s.Stop();
  EXPECT_FALSE(s.Playing());
  EXPECT_EQ(s.GetCurrentPosition(), 120);
  EXPECT_EQ(L(MixFrames(m, 10), 9), 0);
  EXPECT_EQ(s.GetCurrentPosition(), 120);
  s.Play();
  EXPECT_EQ(L(MixFrames(m, 1), 0), 30);
}

TEST(StreamChannel, MilliBelGainTable) {
  struct Case {
    int mB;
    float gain;
  } cases[] = {{0, 1.0f},       {500, 1.0f},         {-2000, 0.1f}, {-4000, 0.01f},
               {-1000, 0.316228f}, {-6000, 0.001f}, {-10000, 0.0f}, {-20000, 0.0f}};
  for (const Case& c : cases) EXPECT_NEAR(MilliBelGain(c.mB), c.gain, 1e-6f) << c.mB;
}

TEST(StreamChannel, VolumePanAndFrequency) {
  struct Case {
    int volume, pan, frequency;
    int left1, right1;  // output frame 1 for a buffer whose frame i is (1000 + 10 i)
  } cases[] = {
      {0, 0, 44100, 1010, 1010},       {-2000, 0, 44100, 101, 101},  {0, -2000, 44100, 1010, 101},
      {0, 2000, 44100, 101, 1010},     {0, 10000, 44100, 0, 1010},   {-10000, 0, 44100, 0, 0},
      {-2000, -2000, 44100, 101, 10},  {0, 0, 88200, 1020, 1020},    {0, 0, 22050, 1005, 1005},
      {0, 0, 0, 1010, 1010},
  };
  for (const Case& c : cases) {
    Mixer m;
    StreamChannel s(m, 400);
    StreamRegions r;
    ASSERT_TRUE(s.Lock(0, 400, r));
    for (int i = 0; i < 100; ++i) {
      int16_t lr[2] = {static_cast<int16_t>(1000 + 10 * i), static_cast<int16_t>(1000 + 10 * i)};
      std::memcpy(r.ptr1 + 4 * i, lr, 4);
    }
    s.Unlock();
    s.SetVolume(c.volume);
    s.SetPan(c.pan);
    s.SetFrequency(c.frequency);
    s.Play();
    auto out = MixFrames(m, 2);
    EXPECT_EQ(L(out, 1), c.left1) << c.volume << " " << c.pan << " " << c.frequency;
    EXPECT_EQ(R(out, 1), c.right1) << c.volume << " " << c.pan << " " << c.frequency;
  }
}

TEST(StreamChannel, MixesWithEffectsAndLeavesTheMixerWhenDestroyed) {
  Mixer m;
  Start(m, Constant(300));
  {
    StreamChannel s(m, 400);
    StreamRegions r;
    ASSERT_TRUE(s.Lock(0, 400, r));
    for (int i = 0; i < 200; ++i) std::memcpy(r.ptr1 + 2 * i, "\x20\x00", 2);  // 32
    s.Unlock();
    s.Play();
    EXPECT_EQ(L(MixFrames(m, 1), 0), 332);
  }
  EXPECT_EQ(L(MixFrames(m, 1), 0), 300);
  // a stream outliving its mixer stays safe
  auto* gone = new Mixer;
  StreamChannel orphan(*gone, 400);
  delete gone;
  orphan.Play();
  EXPECT_TRUE(orphan.Playing());
}
