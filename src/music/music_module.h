#pragma once
// The music module's entry points: the start-up initialisations of its back
// ends, in the order that fixes the loader registry (wav, mod, xm, tkm, ogg,
// mp3), and the maker of streamed music channels that the framework's music
// playback uses.
#include <string>

#include "platform/mixer.h"

namespace kelp {

// Run once each, in this order, as the first step of start-up.
void InitAudioStreamModule();  // stream core, the 120 Hz stream timer, the WAV loader; installs the channel maker
void InitTrackerModule();      // the MOD, XM and module-file loaders
void InitOggStreamModule();    // the OGG loader
void InitMp3StreamModule();    // the MP3 loader and the MP3 sound loader

// A streamed music channel for the file, looping when loop is non-zero and
// started unless paused; null (and a log line) when it cannot be played.
platform::ChannelRef CreateAudioStream(const std::string& file, int loop, int paused);

// Names of the back ends initialised so far, in order (for the log and tests).
const std::string& MusicModulesReady();
// Undoes the inits: no loaders, the MP3 sound loader taken out, every init
// free to run again. The stream timer keeps running.
void ResetMusicModules();

}  // namespace kelp
