#pragma once
// The music module's lines in the game's log ("Music: ..."). Music never ends
// the game: what cannot play is logged and stays silent.
#include <string>

#include "framework/files/log.h"

namespace kelp {

inline void MusicLog(const std::string& text, int kind = LOG_WARNING) { WriteLog("Music: " + text, kind); }

}  // namespace kelp
