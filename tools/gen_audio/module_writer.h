#pragma once
// Writes tracker songs as MOD and XM files from the published layouts, for
// the data set's module and the tests' fixtures. It shares nothing with the
// game's readers, so a fixture checks the reader against an outside view.
//
// Notes use the XM numbering: 1 = C-0, 49 = C-4 (MOD period 428), 97 key-off.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kelp::modwrite {

struct Cell {
  int note = 0, inst = 0, vol = 0, fx = 0, param = 0;
};

struct Pattern {
  int rows = 64;
  std::vector<std::vector<Cell>> cells;  // [row][channel]; missing rows and channels are empty
  Cell& At(int row, int channel);        // grows the table as needed
};

struct Sample {
  std::string name;
  std::vector<int16_t> data;
  bool sixteenBit = false;  // XM only; MOD samples are 8-bit (data >> 8)
  int loopType = 0;         // 0 none, 1 forward, 2 ping-pong (XM)
  int loopStart = 0, loopLength = 0;  // in samples
  int volume = 64;
  int finetune = 0;  // MOD -8..7; XM -128..127
  int pan = 128;     // XM
  int relativeNote = 0;
};

struct Envelope {
  std::vector<std::pair<int, int>> points;  // tick, value 0..64
  bool on = false;
  int sustain = -1, loopStart = -1, loopEnd = -1;  // point indices from 0; -1 off
};

struct Instrument {
  std::string name;
  std::vector<Sample> samples;
  std::array<uint8_t, 96> keymap{};  // sample per XM note 1..96
  Envelope volume;
  int fadeout = 0;
};

struct Song {
  std::string name;
  int channels = 4;
  int speed = 6, tempo = 125;
  int restart = 0;
  bool linear = true;  // XM frequency table flag
  std::vector<int> order;
  std::vector<Pattern> patterns;
  std::vector<Instrument> instruments;  // numbered from 1 in cells
};

// 31 sample slots (each instrument's first sample), 64 rows per pattern,
// the tag by channel count ("M.K." for 4). Cell params are written as given.
std::string WriteMod(const Song& song);
// Packed cells unless `packed` is false (every cell 5 bytes).
std::string WriteXm(const Song& song, bool packed = true);

}  // namespace kelp::modwrite
