#pragma once
// Sound effects by resource name, at most 16 at a time, and one music stream
// with soft changes: a new music fades the current one out first. Without an
// audio device every call does nothing.
#include <functional>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/mixer.h"
#include "platform/sound_load.h"

namespace kelp {

// The options' volumes, 0..1; the options code sets them.
extern float SoundVolume;
extern float MusicVolume;

// One started effect.
class TMySound : public Object {
 public:
  platform::SoundRef Sound;
  platform::ChannelRef Channel;

  // Cues the sound at SoundVolume + volumeOffset (kept within 0..1), starts
  // it and appends the entry to ActiveSounds.
  static Ref<TMySound> Create(const platform::SoundRef& sound, float volumeOffset);
};

extern ObjectList<TMySound> ActiveSounds;
extern std::vector<platform::ChannelRef> PausedChannels;
extern platform::ChannelRef MusicChannel;
extern std::string CurrentMusicName;
extern float MusicFadeLevel;
extern const float MusicFadeSpeed;
extern int MusicQueued;
extern std::string QueuedMusicName;
extern int QueuedMusicLoop;
extern int MusicFadingOut;

// allowRepeat 0 refuses a sound that is still playing. 1 when it started.
int PlaySoundEffect(const std::string& name, float volumeOffset, int allowRepeat);
void StopSoundEffect(const std::string& name);
void StopAllSounds();
// Drops the entries whose channel has stopped; 1 while fewer than 16 remain.
int PurgeSoundChannels();
void PauseAllSounds(int withMusic);
void ResumeAllSounds(int withMusic);
void ApplySoundVolume();

void PlayMusic(const std::string& resourceName, int loop);
void QueueMusic(const std::string& file, int loop);
void StartMusic(const std::string& file, int loop);
// Once a frame on screens with music: fades in, out, or over to the queued music.
void UpdateMusic(float factor);
void ApplyMusicVolume();
void FadeOutMusic();

// The music module's stream maker (file, loop, paused), installed when the
// module starts; while empty, music stays silent.
using TAudioStreamFactory = std::function<platform::ChannelRef(const std::string& file, int loop, int paused)>;
extern TAudioStreamFactory AudioStreamFactory;

// Tests: effects go to this mixer, which counts as an available device
// (null: the device again).
void UseSoundMixer(platform::Mixer* mixer);
// Forgets every effect entry and the music state (between tests).
void ResetSound();

}  // namespace kelp
