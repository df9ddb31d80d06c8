// The game's music calls (PlayMusic, UpdateMusic, FadeOutMusic, pausing with
// the focus) on real streams rendered into a mixer, and the data set's own
// pieces.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "framework/files/log.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "music/audio_stream.h"
#include "music/loader_registry.h"
#include "music/music_module.h"
#include "music/stream_timer.h"
#include "music_test_util.h"
#include "reset_rooms.h"
#include "test_env.h"

using namespace kelp;
using namespace musictest;

namespace {

// A ramp: frame k is (k % 30000 + 1, its negative), as CountingMusic.
std::string RampWav(int frames) {
  std::vector<int16_t> s;
  for (int k = 0; k < frames; ++k) s.insert(s.end(), {CountingMusic::Value(k), static_cast<int16_t>(-CountingMusic::Value(k))});
  return Wav(1, 2, 44100, 16, Pcm16(s));
}

class Playback : public testing::Test {
 protected:
  void SetUp() override {
    // The rig ran the inits before; they run again after the reset.
    testsupport::ResetMusicRooms();
    InitAudioStreamModule();
    UseStreamMixer(&rig.mixer);
    UseSoundMixer(&rig.mixer);
    MusicVolume = 1.0f;
    testenv::WriteFile(dir / "long.wav", RampWav(10 * 44100));
    testenv::WriteFile(dir / "other.wav", RampWav(44100));
    testenv::WriteFile(dir / "jingle.wav", RampWav(kJingle));
    ResManager->ResLoadMusic(dir / "long.wav", "MUSIC_LONG", "Music");
    ResManager->ResLoadMusic(dir / "other.wav", "MUSIC_OTHER", "Music");
    ResManager->ResLoadMusic(dir / "jingle.wav", "MUSIC_JINGLE", "Music");
    ResManager->ResLoadMusic(dir / "missing.ogg", "MUSIC_MISSING", "Music");
    ResManager->LoadScope("Music");
    hooks = StreamHookCount();
  }
  void TearDown() override { testsupport::ResetMusicRooms(); }
  // One game frame (60 per second): the screen's UpdateMusic, then the device
  // and the stream timer for the frame's length.
  std::vector<int16_t> Frame(bool update = true) {
    if (update) UpdateMusic(1.0f);
    return rig.Run(735);
  }
  std::vector<int16_t> Frames(int n, bool update = true) {
    std::vector<int16_t> out;
    for (int i = 0; i < n; ++i) {
      const auto f = Frame(update);
      out.insert(out.end(), f.begin(), f.end());
    }
    return out;
  }

  static constexpr int kJingle = 30000;
  Rig rig;
  testenv::TempDir dir;
  int hooks = 0;
};

}  // namespace

TEST_F(Playback, AFadeInReachesTheVolumeAndAFadeOutReachesZeroAndStops) {
  PlayMusic("MUSIC_LONG", 1);
  ASSERT_NE(MusicChannel, nullptr);
  auto stream = As<TDirectSoundAudioStream>(MusicChannel);
  EXPECT_EQ(stream->pDSB->Volume(), -10000);
  Frames(50);
  EXPECT_NEAR(MusicFadeLevel, 0.5f, 0.011f);
  EXPECT_EQ(stream->pDSB->Volume(), VolumeToMilliBel(MusicFadeLevel));
  Frames(60);
  EXPECT_EQ(MusicFadeLevel, 1.0f);
  EXPECT_EQ(stream->pDSB->Volume(), 0);

  FadeOutMusic();
  int frames = 0;
  while (MusicChannel && frames < 200) {
    Frame();
    ++frames;
  }
  EXPECT_EQ(MusicChannel, nullptr);
  EXPECT_GE(frames, 100);
  EXPECT_LE(frames, 102);
  EXPECT_EQ(MusicFadeLevel, 0.0f);
  EXPECT_FALSE(stream->Playing());
  EXPECT_EQ(StreamHookCount(), hooks);
  const auto after = Frames(5);
  EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](int16_t v) { return v == 0; }));
}

// The level-complete piece is not looped: it is heard once, and UpdateMusic
// resuming the channel every frame does not start it again.
TEST_F(Playback, ANonLoopedPieceEndsOnceAndStaysSilent) {
  testenv::TempDir logDir;
  ASSERT_TRUE(OpenLog(logDir.path() + "/"));
  PlayMusic("MUSIC_JINGLE", 0);
  ASSERT_NE(MusicChannel, nullptr);
  const std::vector<int16_t> out = Frames(300);
  int heard = 0;
  for (size_t k = 0; k < out.size() / 2; ++k) {
    if (Left(out, k) == 0) continue;
    ASSERT_LT(k, static_cast<size_t>(kJingle)) << "heard after its end";
    ASSERT_GT(Left(out, k), 0);
    ASSERT_LT(Right(out, k), 0);
    ++heard;
  }
  EXPECT_GT(heard, kJingle / 2);
  ASSERT_NE(MusicChannel, nullptr);
  EXPECT_FALSE(MusicChannel->Playing());
  EXPECT_EQ(StreamHookCount(), hooks);
  CloseLog();
  const std::string log = testenv::ReadFile(logDir / "log.xml");
  EXPECT_NE(log.find("jingle.wav\""), std::string::npos);
  EXPECT_EQ(log.find("jingle.wav\"", log.find("jingle.wav\"") + 1), std::string::npos) << "started once";
}

// The focus goes: the game pauses its sounds and the music and stops
// updating its screens; when it comes back the music goes on from the same
// sample.
TEST_F(Playback, FocusLossPausesAndResumesAtTheSameSample) {
  PlayMusic("MUSIC_LONG", 1);
  std::vector<int16_t> before = Frames(120);
  ASSERT_EQ(MusicFadeLevel, 1.0f);
  const int16_t last = Left(before, before.size() / 2 - 1);
  ASSERT_EQ(last, CountingMusic::Value(120 * 735 - 1));
  PauseAllSounds(1);
  EXPECT_FALSE(MusicChannel->Playing());
  const std::vector<int16_t> paused = Frames(200, false);
  EXPECT_TRUE(std::all_of(paused.begin(), paused.end(), [](int16_t v) { return v == 0; }));
  ResumeAllSounds(1);
  EXPECT_TRUE(MusicChannel->Playing());
  const std::vector<int16_t> after = Frames(100);
  for (size_t k = 0; k < after.size() / 2; ++k)
    ASSERT_EQ(Left(after, k), CountingMusic::Value(120 * 735 + static_cast<int64_t>(k))) << k;
}

TEST_F(Playback, ANewPieceWaitsForTheFadeOutOfTheCurrentOne) {
  PlayMusic("MUSIC_LONG", 1);
  Frames(110);
  auto first = MusicChannel;
  PlayMusic("MUSIC_LONG", 1);  // the same: nothing
  EXPECT_EQ(MusicQueued, 0);
  PlayMusic("MUSIC_OTHER", 1);
  EXPECT_EQ(MusicChannel, first);
  Frames(99);
  EXPECT_EQ(MusicChannel, first) << "still fading out";
  Frames(3);
  ASSERT_NE(MusicChannel, first);
  ASSERT_NE(MusicChannel, nullptr);
  EXPECT_FALSE(first->Playing());
  EXPECT_EQ(StreamHookCount(), hooks + 1);
  std::string other = dir / "other.wav";
  for (char& c : other) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));  // paths are registered lower-cased
  EXPECT_EQ(CurrentMusicName, other);
}

TEST_F(Playback, AMissingPieceLeavesTheScreenSilent) {
  PlayMusic("MUSIC_MISSING", 1);
  EXPECT_EQ(MusicChannel, nullptr);
  const auto out = Frames(3);
  EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](int16_t v) { return v == 0; }));
  PlayMusic("MUSIC_NOT_REGISTERED", 1);
  EXPECT_EQ(MusicChannel, nullptr);
}

class DataSetMusic : public testing::Test {
 protected:
  void SetUp() override { testsupport::ResetMusicRooms(); }
  void TearDown() override { testsupport::ResetMusicRooms(); }
};

// The six pieces the build makes (the credits a tracker module): 44100 Hz
// 16-bit stereo, at least a minute before they loop, and no click where the
// end joins the start.
TEST_F(DataSetMusic, EveryPieceIsLongStereoAndLoopsWithoutAClick) {
  Rig rig;  // the loaders
  for (const char* name : {"menu.ogg", "map.ogg", "village.ogg", "game.ogg", "credits.xm", "level_complete.ogg"}) {
    const std::string path = std::string(KELP_DATA_ROOT) + "/data/music/" + name;
    Ref<TMusic> m = LoadMusic(path);
    ASSERT_NE(m, nullptr) << path;
    EXPECT_EQ(m->STREAM_FORMAT, FORMAT_16_STEREO) << name;
    EXPECT_EQ(m->SAMPLE_RATE, 44100) << name;
    const int frames = m->Geti(PROP_STREAM_SIZE);
    EXPECT_GE(frames, 60 * 44100) << name;
    m->Seti(PROP_STREAM_LOOP, 1);
    m->PlayStatus = 1;
    constexpr int kAround = 2048;
    std::vector<int16_t> skip(2 * static_cast<size_t>(frames - kAround));
    m->FillBuffer(reinterpret_cast<uint8_t*>(skip.data()), static_cast<int>(skip.size() * 2));
    std::vector<int16_t> seam(4 * static_cast<size_t>(kAround));
    m->FillBuffer(reinterpret_cast<uint8_t*>(seam.data()), static_cast<int>(seam.size() * 2));
    EXPECT_EQ(m->PlayStatus, 1) << name;
    // The step across the join is no larger than the music's own steps around it.
    const int join = MaxStep(seam, kAround, kAround + 1);
    const int near = std::max(MaxStep(seam, kAround - 64, kAround), MaxStep(seam, kAround + 1, kAround + 64));
    EXPECT_LE(join, near * 5 / 4 + 200) << name << ": a click where the piece loops";
  }
}

// Every piece the screens ask for, by its id in the build's resource list:
// it starts (the log says which file), fades in, and is heard.
TEST_F(DataSetMusic, EveryIdThePiecesArePlayedByStarts) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(KELP_DATA_ROOT);
  testenv::TempDir logDir;
  ASSERT_TRUE(OpenLog(logDir.path() + "/"));
  Rig rig;
  UseSoundMixer(&rig.mixer);
  ASSERT_TRUE(ReadResourceList("res.xml"));
  ResManager->LoadScope("Music");
  struct Piece {
    const char* id;
    int loop;
    const char* file;
  } pieces[] = {{"MUSIC_MENU", 1, "menu.ogg"},       {"MUSIC_MAP", 1, "map.ogg"},
                {"MUSIC_VILLAGE", 1, "village.ogg"}, {"MUSIC_GAME", 1, "game.ogg"},
                {"MUSIC_CREDITS", 1, "credits.xm"},  {"MUSIC_LEVEL_COMPLETE", 0, "level_complete.ogg"}};
  for (const Piece& p : pieces) {
    PlayMusic(p.id, p.loop);
    int peak = 0;
    for (int frame = 0; frame < 250; ++frame) {  // the change-over and a second of music
      UpdateMusic(1.0f);
      const std::vector<int16_t> out = rig.Run(735);
      if (frame >= 200)
        for (int16_t v : out) peak = std::max(peak, std::abs(static_cast<int>(v)));
    }
    EXPECT_EQ(CurrentMusicName, std::string("data/music/") + p.file) << p.id;
    EXPECT_GT(peak, 2000) << p.id << " is heard";
  }
  CloseLog();
  const std::string log = testenv::ReadFile(logDir / "log.xml");
  for (const Piece& p : pieces) {
    const std::string line = std::string("Music: playing \"data/music/") + p.file + "\"" + (p.loop ? ", looped" : "");
    EXPECT_NE(log.find(line), std::string::npos) << line;
  }
  ResetSound();  // the sounds let go of the rig's mixer before it goes
  UseSoundMixer(nullptr);
  std::filesystem::current_path(before);
}
