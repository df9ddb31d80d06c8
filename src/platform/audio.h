#pragma once
// The audio device: one SDL output at 44.1 kHz stereo playing the device
// mixer (mixer.h). Without a device AudioAvailable() is false and every
// call here does nothing: channels it hands out never sound.
#include <memory>
#include <string>

#include "platform/mixer.h"
#include "platform/sound_load.h"

namespace platform {

// Opens the device (again true when already open); false, with the reason
// on standard error, when there is none.
bool OpenAudio();
// Not while a stream buffer is locked (the device thread would wait for ever).
void CloseAudio();
bool AudioAvailable();
// The game's driver choice: "DirectSound" (any letter case) is the device.
bool SetAudioDriver(const std::string& name);

// A free effect channel, else the oldest; null without a device.
ChannelRef AllocChannel();
// A stream buffer of `bytes` on the device's mixer, stopped; null without a device.
std::unique_ptr<StreamChannel> AllocStreamChannel(int bytes = kStreamBufferBytes);
// The sound on an effect channel, paused at its start; PlaySound also starts
// it. Without a device, or without a sound, a channel that never sounds.
ChannelRef CueSound(const SoundRef& sound);
ChannelRef PlaySound(const SoundRef& sound);

// Pauses every playing effect channel, and the streams when asked; resuming
// restarts just those.
void PauseAllChannels(bool withStreams);
void ResumeAllChannels(bool withStreams);

}  // namespace platform
