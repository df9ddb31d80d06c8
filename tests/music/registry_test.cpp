// The loader registry: its order, what each loader sees, the filter text.
#include <gtest/gtest.h>

#include "framework/files/log.h"
#include "music/loader_registry.h"
#include "music/music_globals.h"
#include "music/music_module.h"
#include "music_test_util.h"
#include "platform/stream.h"
#include "reset_rooms.h"
#include "test_env.h"

using namespace kelp;

namespace {

class Registry : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetMusicRooms();
    InitAudioStreamModule();
    InitTrackerModule();
    InitOggStreamModule();
    InitMp3StreamModule();
  }
  void TearDown() override { testsupport::ResetMusicRooms(); }
};

class Fixed : public TMusic {
 public:
  void FillBuffer(uint8_t*, int) override {}
};

}  // namespace

TEST_F(Registry, TheModuleInitsRegisterInTheFinalOrder) {
  std::string order;
  for (const auto& l : MusicLoaders) order += l->Ext + " ";
  EXPECT_EQ(order, "wav mod xm tkm ogg mp3 ");
  EXPECT_EQ(MusicModulesReady(), "stream tracker ogg mp3");
  // Running them again changes nothing.
  InitAudioStreamModule();
  InitMp3StreamModule();
  EXPECT_EQ(MusicLoaders.size(), 6u);
}

TEST_F(Registry, TheResetUndoesTheInitsSoTheyRunAgain) {
  ResetMusicGlobals();
  EXPECT_TRUE(MusicLoaders.empty());
  EXPECT_EQ(MusicModulesReady(), "");
  EXPECT_EQ(LoadMusic(platform::StreamRef()), nullptr);
  InitAudioStreamModule();
  InitOggStreamModule();
  std::string order;
  for (const auto& l : MusicLoaders) order += l->Ext + " ";
  EXPECT_EQ(order, "wav ogg ");
}

TEST_F(Registry, GetExtensions) {
  struct Case {
    int all, files;
    std::string text;
  } cases[] = {
      {1, 1,
       "All supported:,wav,mod,xm,tkm,ogg,mp3;Microsoft Wave \".wav\":wav;Protracker \".mod\":mod;"
       "Fasttracker \".xm\":xm;TrkMod Module \".tkm\":tkm;Ogg Vorbis \".ogg\":ogg;ISO/MPEG Layer3 \".mp3\":mp3;"
       "All Files:*"},
      {0, 0,
       "Microsoft Wave \".wav\":wav;Protracker \".mod\":mod;Fasttracker \".xm\":xm;TrkMod Module \".tkm\":tkm;"
       "Ogg Vorbis \".ogg\":ogg;ISO/MPEG Layer3 \".mp3\":mp3"},
      {1, 0, ""},
      {0, 1, ""},
  };
  cases[2].text = cases[0].text.substr(0, cases[0].text.size() - std::string(";All Files:*").size());
  cases[3].text = cases[1].text + ";All Files:*";
  for (const Case& c : cases) EXPECT_EQ(TrkModLoader::GetExtensions(c.all, c.files), c.text) << c.all << c.files;
  MusicLoaders.clear();
  EXPECT_EQ(TrkModLoader::GetExtensions(0, 1), "All Files:*");
}

// Each loader sees the source from byte 0, in order; the first non-null
// result wins and a loader without a function counts as null.
TEST_F(Registry, LoadersSeeTheSourceFromTheStartInOrder) {
  MusicLoaders.clear();
  std::vector<std::string> seen;
  auto found = New<Fixed>();
  auto spy = [&](const char* name, bool take) {
    return [&, name, take](const MusicSource& s) -> Ref<TMusic> {
      seen.push_back(std::string(name) + "@" + std::to_string(s.stream->Pos()));
      s.stream->ReadBytes(3);  // loaders read: the next must still start at 0
      return take ? found : nullptr;
    };
  };
  TrkModLoader::Create(spy("a", false), "A", "a");
  TrkModLoader::Create(nullptr, "B", "b");
  TrkModLoader::Create(spy("c", true), "C", "c");
  TrkModLoader::Create(spy("d", true), "D", "d");
  auto stream = platform::OpenMemory(std::string("0123456789"));
  stream->Seek(5);
  EXPECT_EQ(LoadMusic(stream), found);
  EXPECT_EQ(seen, (std::vector<std::string>{"a@0", "c@0"}));

  testenv::TempDir dir;
  testenv::WriteFile(dir / "piece.bin", "0123456789");
  seen.clear();
  EXPECT_EQ(LoadMusic(dir / "piece.bin"), found);
  EXPECT_EQ(seen, (std::vector<std::string>{"a@0", "c@0"}));
}

// A missing file, an empty name and content no loader takes: null and a log
// line, never a loader reading from nothing.
TEST_F(Registry, WhatNoLoaderTakesIsNullWithALogLine) {
  testenv::TempDir dir;
  ASSERT_TRUE(OpenLog(dir.path() + "/"));
  testenv::WriteFile(dir / "noise.bin", std::string(5000, '\x5a'));
  EXPECT_EQ(LoadMusic(dir / "missing.ogg"), nullptr);
  EXPECT_EQ(LoadMusic(std::string()), nullptr);
  EXPECT_EQ(LoadMusic(dir / "noise.bin"), nullptr);
  CloseLog();
  const std::string log = testenv::ReadFile(dir / "log.xml");
  EXPECT_NE(log.find("missing.ogg"), std::string::npos) << log;
  EXPECT_NE(log.find("noise.bin\" is not music"), std::string::npos) << log;
}
