#pragma once
// The music module's entry points: the start-up initialisations of its back
// ends and the maker of streamed music channels that the framework's music
// playback uses. Until the stream back ends exist no file opens, so music
// stays silent and every channel request gives null.
#include <string>

#include "platform/mixer.h"

namespace kelp {

// Run once each, in this order, as the first step of start-up.
void InitAudioStreamModule();  // stream core and the WAV loader; installs the channel maker
void InitTrackerModule();      // MOD, XM and the module format
void InitOggStreamModule();
void InitMp3StreamModule();

// A streamed music channel for the file, looping when loop is non-zero and
// started unless paused; null when the file cannot be opened.
platform::ChannelRef CreateAudioStream(const std::string& file, int loop, int paused);

// Names of the back ends initialised so far, in order (for the log and tests).
const std::string& MusicModulesReady();

}  // namespace kelp
