#pragma once
// Fixture songs of the tracker tests, written as MOD or XM files by the
// data set's module writer: synthetic samples, one small pattern per feature.
#include <string>

#include "module_writer.h"
#include "music/trk_loaders.h"

namespace trackertest {

using kelp::modwrite::Cell;
using kelp::modwrite::Song;

// A looped 8-bit square wave of `period` samples (a whole number of periods).
kelp::modwrite::Sample Square(int period = 32, int periods = 8, int amplitude = 16000);
// A song of `channels` channels with instrument 1 a looped square (volume
// 64) and one empty 64-row pattern in the order list.
Song Basic(int channels = 4);
kelp::Ref<kelp::TrkMod_Mixer> LoadModBytes(const std::string& bytes);
kelp::Ref<kelp::TrkMod_Mixer> LoadXmBytes(const std::string& bytes);

}  // namespace trackertest
