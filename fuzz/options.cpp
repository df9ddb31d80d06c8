// "options.dat": any bytes either are refused (too short) or give volumes and
// a mouse sensitivity within 0..1 and three switches; written back, they read
// the same.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/media/canvas_placement.h"
#include "framework/media/sound.h"
#include "framework/ui/mouse.h"
#include "frontend/options.h"
#include "fuzz_check.h"

namespace {

using fuzz::Check;

bool InRange(float v) { return std::isfinite(v) && v >= 0.0f && v <= 1.0f; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kelp;
  SoundVolume = MusicVolume = MouseSensitivity = 0.25f;
  if (!ParseOptions(std::string(reinterpret_cast<const char*>(data), size))) {
    Check(size < 15);
    Check(SoundVolume == 0.25f && MusicVolume == 0.25f && MouseSensitivity == 0.25f);  // untouched
    return 0;
  }
  Check(InRange(SoundVolume) && InRange(MusicVolume) && InRange(MouseSensitivity));
  const float sound = SoundVolume, music = MusicVolume, sens = MouseSensitivity;
  const int full = FullScreen, wide = WideScreen, cursor = CustomCursor;
  Check((full == 0 || full == 1) && (wide == 0 || wide == 1) && (cursor == 0 || cursor == 1));
  const std::string again = OptionsBytes(sound, music, sens, full, wide, cursor);
  Check(again.size() == 15 && ParseOptions(again));
  Check(SoundVolume == sound && MusicVolume == music && MouseSensitivity == sens);
  Check(FullScreen == full && WideScreen == wide && CustomCursor == cursor);
  return 0;
}
