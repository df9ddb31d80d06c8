// The pieces rendered to OGG (the credits are a module: credits_module.cpp).
// Each is a song for the composer: key, tempo, band and form.
// The looped ones end on the dominant (or the tonic of a short intro follows)
// so that the end leads back into the start.
#include "music.h"

namespace kelp::audio {

namespace {

// The main menu: warm and inviting. A nylon-guitar tune over electric-piano
// chords, light drums; the tune again an octave up with a flute below it, a
// second theme in the relative minor, and home.
Song Menu() {
  Song s;
  s.title = "Menu";
  s.bpm = 96;
  s.root = 67;  // G major
  s.lead = Voice::kGuitar;
  s.counter = Voice::kFlute;
  s.compVoice = Voice::kHarp;
  s.comp = Comp::kBlock;
  s.fullComp = Comp::kArpeggio;
  s.bass = BassLine::kHalf;
  s.beat = Beat::kLight;
  s.reverb = 0.35f;
  s.loudness = 0.15f;
  s.seed = 11;
  s.sections = {
      {{0, 4}, -1, false, 0, false, true},
      {{0, 4, 5, 3, 0, 3, 4, 0}, 0, false, 1, true, true},
      {{0, 4, 5, 3, 0, 3, 4, 0}, 0, true, 2, true, true},
      {{5, 3, 0, 4, 5, 3, 1, 4}, 1, false, 1, true, false},
      {{0, 4, 5, 3, 0, 3, 4, 4}, 0, false, 1, true, false},
  };
  return s;
}

// The island map: calm. Marimba over rolling harp chords and a shaker, long
// bass notes, much room.
Song Map() {
  Song s;
  s.title = "Map";
  s.bpm = 80;
  s.root = 65;  // F major
  s.lead = Voice::kMarimba;
  s.counter = Voice::kFlute;
  s.compVoice = Voice::kHarp;
  s.comp = Comp::kRoll;
  s.bass = BassLine::kHalf;
  s.beat = Beat::kShaker;
  s.reverb = 0.45f;
  s.loudness = 0.13f;
  s.seed = 23;
  s.sections = {
      {{0, 3}, -1, false, 0, false, true},
      {{0, 2, 3, 0, 5, 3, 1, 4}, 0, false, 1, false, false},
      {{0, 2, 3, 0, 5, 3, 1, 4}, 0, true, 1, false, false},
      {{3, 4, 2, 5, 1, 3, 4, 4}, 1, false, 1, false, false},
      {{0, 2, 3, 0, 5, 3, 1, 4}, 0, false, 1, false, false},
  };
  return s;
}

// The village: a pastoral dance in 6/8. Flute over an oom-pah guitar, folk
// bass, shaker and tambourine; strings join the second time round.
Song Village() {
  Song s;
  s.title = "Village";
  s.bpm = 63;
  s.beats = 2;
  s.sub = 3;
  s.root = 74;  // D major
  s.lead = Voice::kFlute;
  s.counter = Voice::kStrings;
  s.compVoice = Voice::kGuitar;
  s.comp = Comp::kOomPah;
  s.bass = BassLine::kFolk;
  s.beat = Beat::kSixEight;
  s.reverb = 0.3f;
  s.loudness = 0.15f;
  s.seed = 41;
  s.sections = {
      {{0, 4}, -1, false, 1, false, true},
      {{0, 3, 0, 4, 0, 3, 4, 0}, 0, false, 1, true, true},
      {{0, 3, 0, 4, 0, 3, 4, 0}, 0, true, 2, true, true},
      {{5, 2, 3, 0, 1, 4, 0, 4}, 1, false, 1, true, false},
      {{0, 3, 0, 4, 0, 3, 4, 0}, 0, false, 1, true, true},
  };
  return s;
}

// A level: lively. A chip lead in A minor over sixteenth guitar arpeggios, a
// driving bass and a full kit; a four-bar groove to start, a second theme on
// the subdominant.
Song Level() {
  Song s;
  s.title = "Level";
  s.bpm = 132;
  s.root = 69;  // A minor
  s.minor = true;
  s.lead = Voice::kChip;
  s.counter = Voice::kStrings;
  s.compVoice = Voice::kGuitar;
  s.comp = Comp::kArpeggio;
  s.fullComp = Comp::kOffbeat;
  s.bass = BassLine::kDriving;
  s.beat = Beat::kDrive;
  s.reverb = 0.22f;
  s.loudness = 0.18f;
  s.seed = 37;
  s.sections = {
      {{0, 0, 5, 4}, -1, false, 1, true, true},
      {{0, 5, 2, 6, 0, 5, 6, 4}, 0, false, 1, true, false},
      {{0, 5, 2, 6, 0, 5, 6, 4}, 0, true, 2, true, false},
      {{3, 0, 5, 6, 3, 0, 1, 4}, 1, false, 1, true, false},
      {{0, 5, 2, 6, 0, 5, 6, 4}, 0, true, 2, true, false},
  };
  return s;
}

// Level complete: festive, played once. Brass fanfare tune over strummed
// guitar, a march beat with tambourine and crashes, bells in the second
// round, and a final chord that rings out.
Song LevelComplete() {
  Song s;
  s.title = "Level complete";
  s.bpm = 126;
  s.root = 70;  // B flat major
  s.lead = Voice::kBrass;
  s.counter = Voice::kBell;
  s.compVoice = Voice::kGuitar;
  s.comp = Comp::kStrum;
  s.fullComp = Comp::kOffbeat;
  s.bass = BassLine::kDriving;
  s.beat = Beat::kMarch;
  s.reverb = 0.3f;
  s.loudness = 0.18f;
  s.loops = false;
  s.seed = 53;
  s.sections = {
      {{0, 4}, -1, false, 2, true, true},
      {{0, 3, 4, 0, 5, 3, 4, 0}, 0, false, 2, true, true},
      {{0, 3, 4, 0, 5, 3, 4, 0}, 0, true, 2, true, true},
      {{3, 4, 2, 5, 3, 4, 0, 0}, 1, false, 1, true, true},
      {{0, 3, 4, 0, 5, 3, 4, 0}, 0, true, 2, false, true},
  };
  return s;
}

}  // namespace

std::vector<MusicSpec> AllMusic() {
  return {
      {"MUSIC_MENU", "menu", Menu()},
      {"MUSIC_MAP", "map", Map()},
      {"MUSIC_GAME", "game", Level()},
      {"MUSIC_VILLAGE", "village", Village()},
      {"MUSIC_LEVEL_COMPLETE", "level_complete", LevelComplete()},
  };
}

}  // namespace kelp::audio
