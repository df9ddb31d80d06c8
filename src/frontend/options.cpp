#include "frontend/options.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "framework/core/startup_settings.h"
#include "framework/files/log.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/sound.h"
#include "framework/ui/mouse.h"
#include "frontend/save_folder.h"
#include "platform/files.h"
#include "platform/graphics_state.h"
#include "platform/window.h"

namespace kelp {

namespace {

constexpr size_t kOptionsSize = 15;

void PutFloat(std::string& out, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

float GetFloat(const std::string& in, size_t at) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(static_cast<uint8_t>(in[at + i])) << (8 * i);
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

// A damaged file must not reach the mixer or the pointer with a NaN or 1e30.
float Sane(float v, float def) {
  if (std::isnan(v)) return def;
  return std::fmin(1.0f, std::fmax(0.0f, v));
}

void SetDefaults() {
  SoundVolume = TOptions::DefSoundVol;
  MusicVolume = TOptions::DefMusicVol;
  MouseSensitivity = TOptions::DefSens;
  FullScreen = TOptions::DefFullScreen;
  WideScreen = TOptions::DefWideScreen;
  CustomCursor = TOptions::DefCustomCursor;
}

bool ReadOptionsFile() {
  std::string bytes;
  // Only the 15 bytes the format holds: whatever follows is never read.
  return platform::ReadFileBytes(OptionsPath(), bytes, kOptionsSize) && ParseOptions(bytes);
}

// Opens the mode, again when that fails, then once more on the fallback renderer.
bool OpenMode(int depth, int refresh) {
  if (platform::OpenGraphics(ScreenWidth, ScreenHeight, depth, refresh)) return true;
  if (platform::OpenGraphics(ScreenWidth, ScreenHeight, depth, refresh)) return true;
  GraphicsDriverChoice = 1;
  platform::SetGraphicsBackend(platform::Backend::Software);
  if (platform::OpenGraphics(ScreenWidth, ScreenHeight, depth, refresh)) return true;
  WriteLog("Cannot open the graphics mode " + std::to_string(ScreenWidth) + "x" + std::to_string(ScreenHeight),
           LOG_ERROR);
  return false;
}

}  // namespace

std::string OptionsPath() { return GetSaveFolder() + "options.dat"; }

std::string OptionsBytes(float sound, float music, float sens, int full, int wide, int cursor) {
  std::string out;
  PutFloat(out, sound);
  PutFloat(out, music);
  PutFloat(out, sens);
  out += static_cast<char>(full);
  out += static_cast<char>(wide);
  out += static_cast<char>(cursor);
  return out;
}

bool ParseOptions(const std::string& bytes) {
  if (bytes.size() < kOptionsSize) return false;
  SoundVolume = Sane(GetFloat(bytes, 0), TOptions::DefSoundVol);
  MusicVolume = Sane(GetFloat(bytes, 4), TOptions::DefMusicVol);
  MouseSensitivity = Sane(GetFloat(bytes, 8), TOptions::DefSens);
  FullScreen = bytes[12] != 0;
  WideScreen = bytes[13] != 0;
  CustomCursor = bytes[14] != 0;
  return true;
}

int TOptions::LoadOptions() {
  if (ReadOptionsFile()) return 1;
  // Missing or cut short: the defaults replace it, once. A folder that cannot
  // take them must not keep start-up rewriting and re-reading for ever.
  if (CreateDefaultConfig() && ReadOptionsFile()) return 1;
  SetDefaults();
  WriteLog("options.dat cannot be read or written; the default options are used", LOG_WARNING);
  return 0;
}

int TOptions::SaveOptions() {
  const int ok = platform::SaveFileAtomic(
      OptionsPath(), OptionsBytes(SoundVolume, MusicVolume, MouseSensitivity, FullScreen, WideScreen, CustomCursor));
  if (!ok) WriteLog("options.dat cannot be written", LOG_WARNING);
  return ok;
}

int TOptions::CreateDefaultConfig() {
  return platform::SaveFileAtomic(OptionsPath(), OptionsBytes(DefSoundVol, DefMusicVol, DefSens, DefFullScreen,
                                                              DefWideScreen, DefCustomCursor));
}

int TOptions::SetFullScreen() {
  DetectScreenAspect();
  if (!OpenMode(ColorDepth, DesktopRefreshRate)) return 0;
  platform::SetBlend(platform::ALPHABLEND);
  SetWindowIconFromFile("Kelp.ico");
  FullScreenMode = 1;
  platform::SetVirtualResolution(VirtualWidth, VirtualHeight);
  return 1;
}

int TOptions::SetWindowed() {
  DetectScreenAspect();
  if (!OpenMode(0, 60)) return 0;
  platform::SetBlend(platform::ALPHABLEND);
  SetWindowIconFromFile("Kelp.ico");
  CenterActiveWindow();
  FullScreenMode = 0;
  platform::SetVirtualResolution(VirtualWidth, VirtualHeight);
  return 1;
}

}  // namespace kelp
