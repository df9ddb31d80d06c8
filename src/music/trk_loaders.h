#pragma once
// The tracker's file readers. Each gives null for a file of another format
// (the registry then asks the next loader) and for one too damaged to play,
// with a log line; what they load is measured (CalcSize) and ready to play.
#include <string>

#include "music/trk_mixer.h"
#include "platform/stream.h"

namespace kelp {

// From the stream's start.
Ref<TrkMod_Mixer> LoadMod(platform::Stream& stream);
Ref<TrkMod_Mixer> LoadXm(platform::Stream& stream);

// Index of the MOD period table entry nearest the period (48 for 428); 0 for
// periods no note is near.
int PeriodToNote(int period);
// Characters below 33 removed at both ends.
std::string TrkTrim(const std::string& s);

}  // namespace kelp
