#include "platform/audio.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <strings.h>

namespace platform {

namespace {

std::atomic<SDL_AudioDeviceID> g_device{0};

void SDLCALL FillDevice(void*, Uint8* stream, int len) {
  DeviceMixer().Mix(reinterpret_cast<int16_t*>(stream), len / 4);
}

}  // namespace

AudioLock::AudioLock() : device_(g_device.load()) {
  if (device_) SDL_LockAudioDevice(device_);
}

AudioLock::~AudioLock() {
  if (device_) SDL_UnlockAudioDevice(device_);
}

bool OpenAudio() {
  if (g_device.load()) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "Audio: no sound system: %s\n", SDL_GetError());
    return false;
  }
  SDL_AudioSpec want{};
  want.freq = kMixRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = FillDevice;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts for devices of another format.
  SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (!id) {
    std::fprintf(stderr, "Audio: no output device: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  g_device.store(id);
  SDL_PauseAudioDevice(id, 0);
  return true;
}

void CloseAudio() {
  SDL_AudioDeviceID id = g_device.exchange(0);
  if (!id) return;
  SDL_CloseAudioDevice(id);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioAvailable() { return g_device.load() != 0; }

bool SetAudioDriver(const std::string& name) {
  if (strcasecmp(name.c_str(), "DirectSound") != 0) {
    std::fprintf(stderr, "Audio: unknown driver \"%s\"\n", name.c_str());
    return false;
  }
  return OpenAudio();
}

ChannelRef AllocChannel() {
  if (!AudioAvailable()) return nullptr;
  return DeviceMixer().AllocChannel();
}

std::unique_ptr<StreamChannel> AllocStreamChannel(int bytes) {
  if (!AudioAvailable()) return nullptr;
  return std::make_unique<StreamChannel>(DeviceMixer(), bytes);
}

ChannelRef CueSound(const SoundRef& sound) {
  if (!AudioAvailable()) return std::make_shared<EffectChannel>();
  return DeviceMixer().CueSound(sound);
}

ChannelRef PlaySound(const SoundRef& sound) {
  ChannelRef channel = CueSound(sound);
  channel->SetPaused(false);
  return channel;
}

void PauseAllChannels(bool withStreams) {
  if (AudioAvailable()) DeviceMixer().PauseAll(withStreams);
}

void ResumeAllChannels(bool withStreams) {
  if (AudioAvailable()) DeviceMixer().ResumeAll(withStreams);
}

}  // namespace platform
