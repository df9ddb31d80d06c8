#include "music/music_module.h"

#include "framework/media/sound.h"
#include "music/audio_stream.h"
#include "music/loader_registry.h"
#include "music/mp3_stream.h"
#include "music/music_log.h"
#include "music/ogg_stream.h"
#include "music/stream_timer.h"
#include "music/tracker_loaders.h"
#include "music/wav_stream.h"

namespace kelp {

namespace {

std::string g_ready;
int g_mp3SampleLoader = 0;  // the id of the MP3 sound loader once added

// True the first time for each name: every init runs once.
bool MarkReady(const char* name) {
  if ((" " + g_ready + " ").find(std::string(" ") + name + " ") != std::string::npos) return false;
  if (!g_ready.empty()) g_ready += ' ';
  g_ready += name;
  return true;
}

}  // namespace

void InitAudioStreamModule() {
  if (!MarkReady("stream")) return;
  MusicLoaders.clear();
  StartStreamTimer();
  TrkModLoader::Create(LoadWavMusic, "Microsoft Wave \".wav\"", "wav");
  AudioStreamFactory = [](const std::string& file, int loop, int paused) {
    return CreateAudioStream(file, loop, paused);
  };
}

void InitTrackerModule() {
  if (!MarkReady("tracker")) return;
  TrkModLoader::Create(LoadModMusic, "Protracker \".mod\"", "mod");
  TrkModLoader::Create(LoadXmMusic, "Fasttracker \".xm\"", "xm");
  TrkModLoader::Create(LoadTrkModMusic, "TrkMod Module \".tkm\"", "tkm");
}

void InitOggStreamModule() {
  if (!MarkReady("ogg")) return;
  TrkModLoader::Create(LoadOggMusic, "Ogg Vorbis \".ogg\"", "ogg");
}

void InitMp3StreamModule() {
  if (!MarkReady("mp3")) return;
  TrkModLoader::Create(LoadMp3Music, "ISO/MPEG Layer3 \".mp3\"", "mp3");
  g_mp3SampleLoader = platform::AddSampleLoader(LoadMp3Sample);
}

platform::ChannelRef CreateAudioStream(const std::string& file, int loop, int paused) {
  Ref<TAudioStream> stream = TAudioStream::Create(file, loop, paused);
  if (stream) MusicLog("playing \"" + file + "\"" + (loop ? ", looped" : ""), LOG_MESSAGE);
  return stream;
}

const std::string& MusicModulesReady() { return g_ready; }

void ResetMusicModules() {
  MusicLoaders.clear();
  if (g_mp3SampleLoader) platform::RemoveSampleLoader(g_mp3SampleLoader);
  g_mp3SampleLoader = 0;
  g_ready.clear();
}

}  // namespace kelp
