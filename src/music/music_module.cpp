#include "music/music_module.h"

#include "framework/media/sound.h"

namespace kelp {

namespace {

std::string g_ready;

void MarkReady(const char* name) {
  if (!g_ready.empty()) g_ready += ' ';
  g_ready += name;
}

}  // namespace

void InitAudioStreamModule() {
  MarkReady("stream");
  AudioStreamFactory = [](const std::string& file, int loop, int paused) {
    return CreateAudioStream(file, loop, paused);
  };
}

void InitTrackerModule() { MarkReady("tracker"); }
void InitOggStreamModule() { MarkReady("ogg"); }
void InitMp3StreamModule() { MarkReady("mp3"); }

platform::ChannelRef CreateAudioStream(const std::string&, int, int) { return nullptr; }

const std::string& MusicModulesReady() { return g_ready; }

}  // namespace kelp
