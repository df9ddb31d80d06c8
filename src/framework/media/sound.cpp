#include "framework/media/sound.h"

#include <algorithm>

#include "framework/media/resources.h"
#include "platform/audio.h"

namespace kelp {

float SoundVolume = 0.8f;
float MusicVolume = 0.5f;

ObjectList<TMySound> ActiveSounds;
std::vector<platform::ChannelRef> PausedChannels;
platform::ChannelRef MusicChannel;
std::string CurrentMusicName;
float MusicFadeLevel = 0.0f;
const float MusicFadeSpeed = 0.01f;
int MusicQueued = 0;
std::string QueuedMusicName;
int QueuedMusicLoop = 0;
int MusicFadingOut = 0;

TAudioStreamFactory AudioStreamFactory;

namespace {

constexpr int kMaxSounds = 16;

platform::Mixer* g_test_mixer = nullptr;

bool AudioOn() { return g_test_mixer != nullptr || platform::AudioAvailable(); }

platform::ChannelRef Cue(const platform::SoundRef& sound) {
  if (g_test_mixer) return g_test_mixer->CueSound(sound);
  return platform::CueSound(sound);
}

bool ChannelPlaying(const Ref<TMySound>& s) { return s->Channel && s->Channel->Playing(); }

void DropStopped() {
  ActiveSounds.RemoveIf([](const Ref<TMySound>& s) { return !ChannelPlaying(s); });
}

// A fade that has reached 0 has ended. With the music volume at 0 the step is
// 0 and the level would never fall: nothing can be heard, so it ends at once.
bool FadeDone() { return MusicFadeLevel <= 0.0f || MusicVolume <= 0.0f; }

}  // namespace

Ref<TMySound> TMySound::Create(const platform::SoundRef& sound, float volumeOffset) {
  auto entry = New<TMySound>();
  entry->Sound = sound;
  entry->Channel = Cue(sound);
  const float volume = std::clamp(SoundVolume + volumeOffset, 0.0f, 1.0f);
  if (entry->Channel) {
    entry->Channel->SetVolume(volume);
    entry->Channel->SetPaused(false);
  }
  ActiveSounds.AddLast(entry);
  return entry;
}

int PlaySoundEffect(const std::string& name, float volumeOffset, int allowRepeat) {
  if (!AudioOn()) return 0;
  if (!PurgeSoundChannels()) return 0;
  const platform::SoundRef sound = ResManager ? ResManager->GetSound(name) : nullptr;
  if (!sound) return 0;
  if (!allowRepeat) {
    for (const Ref<TMySound>& s : ActiveSounds) {
      if (s->Sound == sound) return 0;
    }
  }
  DropStopped();
  TMySound::Create(sound, volumeOffset);
  return 1;
}

void StopSoundEffect(const std::string& name) {
  if (!AudioOn() || !ResManager) return;
  const platform::SoundRef sound = ResManager->GetSound(name);
  if (!sound) return;
  for (auto it = ActiveSounds.begin(); it != ActiveSounds.end(); ++it) {
    const Ref<TMySound>& s = *it;
    if (s->Sound != sound) continue;
    if (ChannelPlaying(s)) s->Channel->Stop();
    it.link().Remove();
  }
}

void StopAllSounds() {
  if (!AudioOn()) return;
  for (const Ref<TMySound>& s : ActiveSounds) {
    if (s->Channel) s->Channel->Stop();
  }
  ActiveSounds.Clear();
}

int PurgeSoundChannels() {
  if (!AudioOn()) return 0;
  DropStopped();
  return ActiveSounds.Count() < static_cast<size_t>(kMaxSounds) ? 1 : 0;
}

void PauseAllSounds(int withMusic) {
  if (!AudioOn()) return;
  PausedChannels.clear();
  for (const Ref<TMySound>& s : ActiveSounds) {
    if (!ChannelPlaying(s)) continue;
    PausedChannels.push_back(s->Channel);
    s->Channel->SetPaused(true);
  }
  if (withMusic && MusicChannel && MusicChannel->Playing()) MusicChannel->SetPaused(true);
}

void ResumeAllSounds(int withMusic) {
  if (!AudioOn()) return;
  for (const platform::ChannelRef& c : PausedChannels) c->SetPaused(false);
  PausedChannels.clear();
  if (withMusic && MusicChannel && !MusicChannel->Playing()) MusicChannel->SetPaused(false);
}

void ApplySoundVolume() {
  if (!AudioOn()) return;
  for (const Ref<TMySound>& s : ActiveSounds) {
    if (s->Channel) s->Channel->SetVolume(SoundVolume);
  }
}

void PlayMusic(const std::string& resourceName, int loop) {
  if (!AudioOn()) return;
  const std::string file = ResManager ? ResManager->GetMusic(resourceName) : std::string();
  if (file == CurrentMusicName) return;
  MusicFadingOut = 0;
  if (!MusicChannel) {
    StartMusic(file, loop);
  } else {
    QueueMusic(file, loop);
  }
}

void QueueMusic(const std::string& file, int loop) {
  MusicQueued = 1;
  QueuedMusicName = file;
  QueuedMusicLoop = loop;
}

void StartMusic(const std::string& file, int loop) {
  if (!AudioOn() || file == CurrentMusicName) return;
  MusicFadeLevel = 0.0f;
  CurrentMusicName = file;
  if (MusicChannel) MusicChannel->Stop();
  MusicChannel = nullptr;
  if (!file.empty() && AudioStreamFactory) MusicChannel = AudioStreamFactory(file, loop, 0);
  if (MusicChannel) MusicChannel->SetVolume(0.0f);
}

void UpdateMusic(float factor) {
  if (!AudioOn() || !MusicChannel) return;
  const float step = factor * MusicFadeSpeed * MusicVolume;
  if (MusicFadingOut) {
    if (FadeDone()) {
      MusicFadeLevel = 0.0f;
      MusicChannel->Stop();
      MusicChannel = nullptr;
      return;
    }
    MusicFadeLevel -= step;
  } else if (MusicQueued) {
    if (FadeDone()) {
      MusicFadeLevel = 0.0f;
      MusicQueued = 0;
      StartMusic(QueuedMusicName, QueuedMusicLoop);
    } else {
      MusicFadeLevel -= step;
    }
  } else {
    if (MusicFadeLevel > MusicVolume) {
      MusicFadeLevel = MusicVolume;
    } else if (MusicFadeLevel < MusicVolume) {
      MusicFadeLevel += step;
    }
  }
  if (MusicChannel) {
    // The last step of a fade-out may take the level a little below 0.
    MusicChannel->SetVolume(std::max(MusicFadeLevel, 0.0f));
    MusicChannel->SetPaused(false);
  }
}

void ApplyMusicVolume() {
  if (!AudioOn() || !MusicChannel) return;
  MusicChannel->SetVolume(MusicVolume);
  MusicChannel->SetPaused(false);
}

void FadeOutMusic() {
  MusicFadingOut = 1;
  CurrentMusicName.clear();
}

void UseSoundMixer(platform::Mixer* mixer) { g_test_mixer = mixer; }

void ResetSound() {
  ActiveSounds.Clear();
  PausedChannels.clear();
  MusicChannel = nullptr;
  CurrentMusicName.clear();
  MusicFadeLevel = 0.0f;
  MusicQueued = 0;
  QueuedMusicName.clear();
  QueuedMusicLoop = 0;
  MusicFadingOut = 0;
}

}  // namespace kelp
