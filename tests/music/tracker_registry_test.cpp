// Tracker files through the music registry: each format finds its loader
// from the bytes alone, whatever the file is called, and plays.
#include <gtest/gtest.h>

#include "music/loader_registry.h"
#include "music/music_module.h"
#include "music/trk_mixer.h"
#include "platform/stream.h"
#include "reset_rooms.h"
#include "tracker_fixtures.h"

using namespace kelp;
using namespace trackertest;

TEST(TrackerRegistry, ModXmAndModuleFilesLoadAndPlay) {
  testsupport::ResetMusicRooms();
  InitAudioStreamModule();
  InitTrackerModule();
  InitOggStreamModule();
  InitMp3StreamModule();
  modwrite::Song song = Basic(4);
  song.patterns[0].At(0, 0) = {49, 1, 0, 0, 0};
  const std::string mod = modwrite::WriteMod(song);
  const std::string xm = modwrite::WriteXm(song);
  platform::MemoryStream tkm;
  LoadModBytes(mod)->Save(tkm);
  struct Case {
    const char* name;
    std::string bytes;
    const char* tracker;
  } cases[] = {
      {"MOD", mod, "Protracker 4 channel"},
      {"XM", xm, "KelpGen"},
      {"module file", std::string(tkm.Data().begin(), tkm.Data().end()), "TrkTracker"},
  };
  for (const Case& c : cases) {
    auto stream = platform::OpenMemory(c.bytes);
    stream->Seek(100);  // the registry rewinds for every loader
    auto m = As<TrkMod_Mixer>(LoadMusic(stream));
    ASSERT_TRUE(m) << c.name;
    EXPECT_EQ(m->TrackerName, c.tracker) << c.name;
    EXPECT_EQ(m->STREAM_SIZE, 64 * 6 * 882) << c.name;
    m->STREAM_LOOP = 1;
    m->PlayStatus = 1;
    std::vector<int16_t> out(2 * 4410);
    m->FillBuffer(reinterpret_cast<uint8_t*>(out.data()), static_cast<int>(out.size() * 2));
    int peak = 0;
    for (int16_t v : out) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_GT(peak, 1000) << c.name << " is heard";
  }
  // Damaged beyond use: refused by every loader, with a log line, and nothing plays.
  std::string broken = xm;
  broken[68] = 0;  // no channels
  EXPECT_FALSE(LoadMusic(platform::OpenMemory(broken)));
  testsupport::ResetMusicRooms();
}
