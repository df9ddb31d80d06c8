#pragma once
// The credits piece, composed for the tracker: written as an XM file so the
// game's module player is heard in the running game.
#include "module_writer.h"

namespace kelp::audio {

modwrite::Song CreditsModule();

}  // namespace kelp::audio
