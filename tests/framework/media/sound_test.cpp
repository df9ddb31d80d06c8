#include "framework/media/sound.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/media/resources.h"
#include "platform/audio.h"
#include "platform/mixer.h"
#include "reset_rooms.h"

namespace kelp {
namespace {

// A music stream as the music module hands it out.
class FakeStream : public platform::Channel {
 public:
  explicit FakeStream(std::string f) : file(std::move(f)) {}
  std::string file;
  float volume = -1.0f;
  bool paused = false, stopped = false;
  void Stop() override { stopped = true; }
  void SetPaused(bool p) override { paused = p; }
  void SetVolume(float v) override { volume = v; }
  void SetPan(float) override {}
  void SetDepth(float) override {}
  void SetRate(float) override {}
  bool Playing() override { return !paused && !stopped; }
};

class Sound : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetMediaRooms();
    UseSoundMixer(&mixer_);
    AudioStreamFactory = [this](const std::string& file, int loop, int paused) -> platform::ChannelRef {
      made_.push_back(file + (loop ? " loop" : "") + (paused ? " paused" : ""));
      auto s = std::make_shared<FakeStream>(file);
      streams_.push_back(s);
      return s;
    };
  }
  void TearDown() override { testsupport::ResetMediaRooms(); }

  // A sound of `frames` frames whose every sample is `level`.
  platform::SoundRef AddSound(const std::string& id, int frames, int16_t level = 10000) {
    auto sound = platform::CreateAudioSample(frames, platform::kMixRate);
    for (int i = 0; i < 2 * frames; ++i) sound->Data()[i] = level;
    auto res = New<TResSound>();
    ResManager->ResAddData("snd/" + id + ".wav", id, res, "test");
    res->Data = sound;
    return sound;
  }
  void AddMusic(const std::string& id, const std::string& file) {
    auto res = New<TResMusic>();
    ResManager->ResAddData(file, id, res, "test");
    res->Data = file;
  }
  // Plays `frames` frames; the left sample of the first one.
  int Mix(int frames) {
    std::vector<int16_t> out(2 * frames);
    mixer_.Mix(out.data(), frames);
    return out[0];
  }
  FakeStream& Stream() { return *std::static_pointer_cast<FakeStream>(MusicChannel); }
  // Updates at factor 1 until the music has changed or `limit` frames passed.
  int FramesUntil(const std::function<bool()>& done, int limit = 1000) {
    int n = 0;
    while (!done() && n < limit) {
      UpdateMusic(1.0f);
      ++n;
    }
    return n;
  }

  platform::Mixer mixer_;
  std::vector<std::string> made_;
  std::vector<std::shared_ptr<FakeStream>> streams_;
};

TEST_F(Sound, RepeatFlagZeroRefusesASoundStillPlayingAndOneAlwaysStarts) {
  AddSound("SOUND_BT_CLICK", 1000);
  EXPECT_EQ(PlaySoundEffect("SOUND_BT_CLICK", 0.0f, 0), 1);
  EXPECT_EQ(PlaySoundEffect("SOUND_BT_CLICK", 0.0f, 0), 0);  // a click over its own click
  EXPECT_EQ(ActiveSounds.Count(), 1u);
  EXPECT_EQ(PlaySoundEffect("SOUND_BT_CLICK", 0.0f, 1), 1);
  EXPECT_EQ(ActiveSounds.Count(), 2u);
  Mix(1000);  // both have ended
  EXPECT_EQ(PlaySoundEffect("SOUND_BT_CLICK", 0.0f, 0), 1);
  EXPECT_EQ(ActiveSounds.Count(), 1u);
  // Names without a resource play nothing.
  EXPECT_EQ(PlaySoundEffect("SOUND_NONE", 0.0f, 1), 0);
  EXPECT_EQ(ActiveSounds.Count(), 1u);
}

TEST_F(Sound, SeventeenthEffectIsRefusedUntilAChannelHasFinished) {
  AddSound("SOUND_SHORT", 100);
  AddSound("SOUND_LONG", 100000);
  EXPECT_EQ(PlaySoundEffect("SOUND_SHORT", 0.0f, 1), 1);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(PlaySoundEffect("SOUND_LONG", 0.0f, 1), 1) << i;
  EXPECT_EQ(PurgeSoundChannels(), 0);
  EXPECT_EQ(PlaySoundEffect("SOUND_LONG", 0.0f, 1), 0);
  EXPECT_EQ(ActiveSounds.Count(), 16u);
  Mix(200);  // the short one ends
  EXPECT_EQ(PurgeSoundChannels(), 1);
  EXPECT_EQ(PlaySoundEffect("SOUND_LONG", 0.0f, 1), 1);
  EXPECT_EQ(ActiveSounds.Count(), 16u);
  for (const Ref<TMySound>& s : ActiveSounds) EXPECT_TRUE(s->Channel->Playing());
}

TEST_F(Sound, VolumeIsTheOptionPlusTheOffsetKeptWithinZeroAndOne) {
  AddSound("SOUND_A", 10000, 10000);
  struct Row {
    float option, offset;
    int level;  // first sample heard
  };
  const Row rows[] = {{0.8f, 0.3f, 10000}, {0.8f, -1.0f, 0}, {0.8f, 0.0f, 8000}, {0.5f, -0.25f, 2500}};
  for (const Row& r : rows) {
    StopAllSounds();
    SoundVolume = r.option;
    ASSERT_EQ(PlaySoundEffect("SOUND_A", r.offset, 1), 1);
    EXPECT_NEAR(Mix(1), r.level, 1) << r.option << " " << r.offset;
  }
  // The options dialog's change applies the plain option to every sound.
  SoundVolume = 0.3f;
  ApplySoundVolume();
  EXPECT_NEAR(Mix(1), 3000, 1);
}

TEST_F(Sound, PauseAndResumeTouchOnlyPlayingChannelsAndMusicWhenAsked) {
  AddSound("SOUND_LONG", 100000, 1000);
  AddSound("SOUND_SHORT", 10, 1000);
  AddMusic("MUSIC_A", "music/a.ogg");
  PlayMusic("MUSIC_A", 1);
  PlaySoundEffect("SOUND_LONG", 0.2f, 1);
  PlaySoundEffect("SOUND_SHORT", 0.2f, 1);
  Mix(20);  // the short one has ended, not yet purged
  ASSERT_EQ(ActiveSounds.Count(), 2u);

  PauseAllSounds(0);
  EXPECT_EQ(PausedChannels.size(), 1u);
  EXPECT_EQ(Mix(1), 0);
  EXPECT_TRUE(Stream().Playing());
  ResumeAllSounds(0);
  EXPECT_TRUE(PausedChannels.empty());
  EXPECT_EQ(Mix(1), 1000);
  EXPECT_FALSE(ActiveSounds.Last()->Channel->Playing());  // the ended one stays ended

  PauseAllSounds(1);
  EXPECT_FALSE(Stream().Playing());
  ResumeAllSounds(0);
  EXPECT_FALSE(Stream().Playing());
  PauseAllSounds(1);
  ResumeAllSounds(1);
  EXPECT_TRUE(Stream().Playing());
  EXPECT_EQ(Mix(1), 1000);
}

TEST_F(Sound, StopByNameEndsEveryEntryOfThatSoundOnly) {
  AddSound("SOUND_A", 100000, 1000);
  AddSound("SOUND_B", 100000, 100);
  PlaySoundEffect("SOUND_A", 0.2f, 1);
  PlaySoundEffect("SOUND_A", 0.2f, 1);
  PlaySoundEffect("SOUND_B", 0.2f, 1);
  StopSoundEffect("SOUND_A");
  StopSoundEffect("SOUND_NONE");
  ASSERT_EQ(ActiveSounds.Count(), 1u);
  EXPECT_EQ(Mix(1), 100);
  StopAllSounds();
  EXPECT_TRUE(ActiveSounds.IsEmpty());
  EXPECT_EQ(Mix(1), 0);
}

TEST_F(Sound, WithoutAudioEveryCallDoesNothing) {
  UseSoundMixer(nullptr);
  if (platform::AudioAvailable()) GTEST_SKIP() << "an audio device is open";
  AddSound("SOUND_A", 1000);
  AddMusic("MUSIC_A", "music/a.ogg");
  EXPECT_EQ(PlaySoundEffect("SOUND_A", 0.0f, 1), 0);
  EXPECT_EQ(PurgeSoundChannels(), 0);
  PauseAllSounds(1);
  ResumeAllSounds(1);
  StopSoundEffect("SOUND_A");
  PlayMusic("MUSIC_A", 1);
  UpdateMusic(1.0f);
  ApplyMusicVolume();
  EXPECT_TRUE(ActiveSounds.IsEmpty());
  EXPECT_TRUE(made_.empty());
  EXPECT_EQ(MusicChannel, nullptr);
  EXPECT_EQ(CurrentMusicName, "");
}

TEST_F(Sound, MusicFadesInToTheOptionInAHundredFrameUnits) {
  AddMusic("MUSIC_A", "music/a.ogg");
  PlayMusic("MUSIC_A", 1);
  ASSERT_EQ(made_, std::vector<std::string>{"music/a.ogg loop"});
  EXPECT_EQ(CurrentMusicName, "music/a.ogg");
  EXPECT_EQ(Stream().volume, 0.0f);
  for (int i = 0; i < 50; ++i) UpdateMusic(1.0f);
  EXPECT_NEAR(MusicFadeLevel, 0.25f, 1e-4f);
  EXPECT_NEAR(Stream().volume, 0.25f, 1e-4f);
  // The same music again, even mid-fade, changes nothing.
  PlayMusic("MUSIC_A", 1);
  EXPECT_EQ(made_.size(), 1u);
  EXPECT_EQ(MusicQueued, 0);
  for (int i = 0; i < 52; ++i) UpdateMusic(1.0f);
  EXPECT_EQ(MusicFadeLevel, 0.5f);  // cut back to the option
  EXPECT_EQ(Stream().volume, 0.5f);
  EXPECT_FALSE(Stream().paused);
  // The options dialog's volume at once.
  MusicVolume = 0.9f;
  ApplyMusicVolume();
  EXPECT_EQ(Stream().volume, 0.9f);
}

TEST_F(Sound, AnotherMusicWaitsForTheFadeOutThenFadesIn) {
  AddMusic("MUSIC_A", "music/a.ogg");
  AddMusic("MUSIC_B", "music/b.ogg");
  PlayMusic("MUSIC_A", 1);
  FramesUntil([] { return MusicFadeLevel >= MusicVolume; });
  auto a = streams_.back();
  PlayMusic("MUSIC_B", 0);
  EXPECT_EQ(MusicQueued, 1);
  const int frames = FramesUntil([&] { return made_.size() == 2; });
  EXPECT_NEAR(frames, 101, 2);
  EXPECT_TRUE(a->stopped);
  EXPECT_EQ(made_.back(), "music/b.ogg");
  EXPECT_EQ(CurrentMusicName, "music/b.ogg");
  EXPECT_EQ(MusicQueued, 0);
  EXPECT_EQ(MusicFadeLevel, 0.0f);
  UpdateMusic(1.0f);
  EXPECT_GT(Stream().volume, 0.0f);
}

TEST_F(Sound, FadeOutEndsTheMusicAndAPlayCancelsItIntoAChange) {
  AddMusic("MUSIC_A", "music/a.ogg");
  AddMusic("MUSIC_B", "music/b.ogg");
  PlayMusic("MUSIC_A", 1);
  FramesUntil([] { return MusicFadeLevel >= MusicVolume; });
  FadeOutMusic();
  EXPECT_EQ(CurrentMusicName, "");
  auto a = streams_.back();
  EXPECT_NEAR(FramesUntil([] { return !MusicChannel; }), 101, 2);
  EXPECT_TRUE(a->stopped);
  EXPECT_EQ(made_.size(), 1u);

  PlayMusic("MUSIC_A", 1);
  FramesUntil([] { return MusicFadeLevel >= MusicVolume; });
  FadeOutMusic();
  for (int i = 0; i < 30; ++i) UpdateMusic(1.0f);
  PlayMusic("MUSIC_B", 1);
  EXPECT_EQ(MusicFadingOut, 0);
  EXPECT_EQ(MusicQueued, 1);
  FramesUntil([&] { return made_.size() == 3; });
  EXPECT_EQ(made_.back(), "music/b.ogg loop");
  ASSERT_NE(MusicChannel, nullptr);
}

TEST_F(Sound, FadeFromLevelZeroOrAtMusicVolumeZeroStillEnds) {
  AddMusic("MUSIC_A", "music/a.ogg");
  AddMusic("MUSIC_B", "music/b.ogg");
  // A fade-out at once after the start, while the level is still 0.
  PlayMusic("MUSIC_A", 1);
  FadeOutMusic();
  UpdateMusic(1.0f);
  EXPECT_EQ(MusicChannel, nullptr);
  EXPECT_TRUE(streams_.back()->stopped);
  // A change at once after the start.
  PlayMusic("MUSIC_A", 1);
  PlayMusic("MUSIC_B", 1);
  UpdateMusic(1.0f);
  EXPECT_EQ(CurrentMusicName, "music/b.ogg");
  // A change with the music volume turned down to 0 mid-play.
  PlayMusic("MUSIC_A", 1);  // queued behind B
  FramesUntil([] { return CurrentMusicName == "music/a.ogg"; });
  FramesUntil([] { return MusicFadeLevel >= MusicVolume; });
  MusicVolume = 0.0f;
  PlayMusic("MUSIC_B", 1);
  UpdateMusic(1.0f);
  EXPECT_EQ(CurrentMusicName, "music/b.ogg");
  EXPECT_EQ(Stream().volume, 0.0f);
  FadeOutMusic();
  UpdateMusic(1.0f);
  EXPECT_EQ(MusicChannel, nullptr);
}

TEST_F(Sound, MissingMusicFadesTheCurrentOneOutAndNothingFollows) {
  AddMusic("MUSIC_A", "music/a.ogg");
  PlayMusic("MUSIC_NONE", 1);  // nothing playing: nothing happens
  EXPECT_TRUE(made_.empty());
  PlayMusic("MUSIC_A", 1);
  FramesUntil([] { return MusicFadeLevel >= MusicVolume; });
  PlayMusic("MUSIC_NONE", 1);
  FramesUntil([] { return MusicQueued == 0; });
  EXPECT_TRUE(streams_.back()->stopped);
  EXPECT_EQ(MusicChannel, nullptr);
  EXPECT_EQ(made_.size(), 1u);
  EXPECT_EQ(CurrentMusicName, "");
}

TEST_F(Sound, WithoutTheMusicModuleMusicStaysSilent) {
  AudioStreamFactory = nullptr;
  AddMusic("MUSIC_A", "music/a.ogg");
  PlayMusic("MUSIC_A", 1);
  UpdateMusic(1.0f);
  EXPECT_EQ(MusicChannel, nullptr);
  EXPECT_EQ(CurrentMusicName, "music/a.ogg");
}

}  // namespace
}  // namespace kelp
