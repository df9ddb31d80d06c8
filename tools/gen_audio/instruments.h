#pragma once
// The music's instruments: each renders one note (or one drum hit) as a mono
// buffer at 44.1 kHz, ringing out after its length where the instrument does.
#include <cstdint>
#include <vector>

#include "synth.h"

namespace kelp::audio::inst {

// Melodic: frequency in Hz, length in seconds (how long the key is held).
Buffer Pluck(double f, double len, uint32_t seed, float bright);  // nylon guitar, harp
Buffer Marimba(double f, double len);
Buffer Bell(double f, double len);
Buffer EPiano(double f, double len, float velocity);  // two-operator FM, soft tine
Buffer Flute(double f, double len, uint32_t seed);
Buffer Chip(double f, double len);                     // filtered pulse
Buffer Brass(double f, double len);
Buffer Strings(double f, double len, uint32_t seed);   // a bowed section, slow attack
Buffer Pad(const std::vector<double>& freqs, double len, double cutoff);
Buffer Bass(double f, double len, bool round);

// Drums.
Buffer Kick(float punch);
Buffer Snare(uint32_t seed, float body);
Buffer Rim(uint32_t seed);
Buffer Hat(uint32_t seed, double tau);
Buffer Shaker(uint32_t seed);
Buffer Tambourine(uint32_t seed);
Buffer Tom(double f);
Buffer Crash(uint32_t seed);

}  // namespace kelp::audio::inst
