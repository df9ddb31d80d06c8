#include "module_writer.h"

#include <algorithm>

namespace kelp::modwrite {

namespace {

constexpr int kPeriods[96] = {
    6848, 6464, 6096, 5760, 5424, 5120, 4832, 4560, 4304, 4064, 3840, 3624, 3424, 3232, 3048, 2880,
    2712, 2560, 2416, 2280, 2152, 2032, 1920, 1812, 1712, 1616, 1524, 1440, 1356, 1280, 1208, 1140,
    1076, 1016, 960,  906,  856,  808,  762,  720,  678,  640,  604,  570,  538,  508,  480,  453,
    428,  404,  381,  360,  339,  320,  302,  285,  269,  254,  240,  226,  214,  202,  190,  180,
    170,  160,  151,  143,  135,  127,  120,  113,  107,  101,  95,   90,   85,   80,   76,   71,
    67,   64,   60,   57,   53,   50,   47,   45,   42,   40,   37,   35,   33,   31,   30,   28};

void Le16(std::string& s, int v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Le32(std::string& s, uint32_t v) {
  Le16(s, static_cast<int>(v & 0xFFFF));
  Le16(s, static_cast<int>(v >> 16));
}
void Be16(std::string& s, int v) {
  s += static_cast<char>((v >> 8) & 0xFF);
  s += static_cast<char>(v & 0xFF);
}
void Text(std::string& s, const std::string& t, size_t n) {
  std::string c = t.substr(0, n);
  c.resize(n, '\0');
  s += c;
}

Cell CellAt(const Pattern& p, int row, int ch) {
  if (row < 0 || row >= static_cast<int>(p.cells.size())) return {};
  const auto& r = p.cells[static_cast<size_t>(row)];
  return ch < static_cast<int>(r.size()) ? r[static_cast<size_t>(ch)] : Cell{};
}

}  // namespace

Cell& Pattern::At(int row, int channel) {
  if (static_cast<int>(cells.size()) <= row) cells.resize(static_cast<size_t>(row) + 1);
  auto& r = cells[static_cast<size_t>(row)];
  if (static_cast<int>(r.size()) <= channel) r.resize(static_cast<size_t>(channel) + 1);
  return r[static_cast<size_t>(channel)];
}

std::string WriteMod(const Song& song) {
  std::string s;
  Text(s, song.name, 20);
  for (int i = 0; i < 31; ++i) {
    const Sample* smp = i < static_cast<int>(song.instruments.size()) && !song.instruments[static_cast<size_t>(i)].samples.empty()
                            ? &song.instruments[static_cast<size_t>(i)].samples[0]
                            : nullptr;
    Text(s, smp ? smp->name : "", 22);
    const int words = smp ? static_cast<int>(smp->data.size() / 2) : 0;
    Be16(s, words);
    s += static_cast<char>(smp ? smp->finetune & 0x0F : 0);
    s += static_cast<char>(smp ? smp->volume : 0);
    Be16(s, smp && smp->loopType ? smp->loopStart / 2 : 0);
    Be16(s, smp && smp->loopType ? smp->loopLength / 2 : 1);
  }
  s += static_cast<char>(song.order.size());
  s += static_cast<char>(127);
  int patterns = 0;
  for (size_t i = 0; i < 128; ++i) {
    const int p = i < song.order.size() ? song.order[i] : 0;
    s += static_cast<char>(p);
    patterns = std::max(patterns, p + 1);
  }
  patterns = std::max(patterns, static_cast<int>(song.patterns.size()));
  if (song.channels == 4) {
    s += "M.K.";
  } else if (song.channels < 10) {
    s += std::to_string(song.channels) + "CHN";
  } else {
    s += std::to_string(song.channels) + "CH";
  }
  for (int p = 0; p < patterns; ++p) {
    const Pattern empty;
    const Pattern& pat = p < static_cast<int>(song.patterns.size()) ? song.patterns[static_cast<size_t>(p)] : empty;
    for (int row = 0; row < 64; ++row) {
      for (int ch = 0; ch < song.channels; ++ch) {
        const Cell c = CellAt(pat, row, ch);
        const int period = c.note >= 1 && c.note <= 96 ? kPeriods[c.note - 1] : 0;
        s += static_cast<char>((c.inst & 0xF0) | ((period >> 8) & 0x0F));
        s += static_cast<char>(period & 0xFF);
        s += static_cast<char>(((c.inst & 0x0F) << 4) | (c.fx & 0x0F));
        s += static_cast<char>(c.param);
      }
    }
  }
  for (int i = 0; i < 31 && i < static_cast<int>(song.instruments.size()); ++i) {
    const auto& in = song.instruments[static_cast<size_t>(i)];
    if (in.samples.empty()) continue;
    const Sample& smp = in.samples[0];
    for (size_t k = 0; k < smp.data.size() / 2 * 2; ++k) s += static_cast<char>(smp.data[k] >> 8);
  }
  return s;
}

std::string WriteXm(const Song& song, bool packed) {
  std::string s = "Extended Module: ";
  Text(s, song.name, 20);
  s += static_cast<char>(0x1A);
  Text(s, "KelpGen", 20);
  Le16(s, 0x0104);
  Le32(s, 276);
  Le16(s, static_cast<int>(song.order.size()));
  Le16(s, song.restart);
  Le16(s, song.channels);
  Le16(s, static_cast<int>(song.patterns.size()));
  Le16(s, static_cast<int>(song.instruments.size()));
  Le16(s, song.linear ? 1 : 0);
  Le16(s, song.speed);
  Le16(s, song.tempo);
  for (size_t i = 0; i < 256; ++i) s += static_cast<char>(i < song.order.size() ? song.order[i] : 0);

  for (const Pattern& pat : song.patterns) {
    std::string data;
    bool any = false;
    for (int row = 0; row < pat.rows; ++row) {
      for (int ch = 0; ch < song.channels; ++ch) {
        const Cell c = CellAt(pat, row, ch);
        const int cols[5] = {c.note, c.inst, c.vol, c.fx, c.param};
        any = any || c.note || c.inst || c.vol || c.fx || c.param;
        if (!packed) {
          for (int v : cols) data += static_cast<char>(v);
          continue;
        }
        int flags = 0x80;
        for (int k = 0; k < 5; ++k)
          if (cols[k]) flags |= 1 << k;
        data += static_cast<char>(flags);
        for (int k = 0; k < 5; ++k)
          if (cols[k]) data += static_cast<char>(cols[k]);
      }
    }
    if (!any && packed) data.clear();  // the format's empty pattern
    Le32(s, 9);
    s += '\0';
    Le16(s, pat.rows);
    Le16(s, static_cast<int>(data.size()));
    s += data;
  }

  for (const Instrument& in : song.instruments) {
    const int count = static_cast<int>(in.samples.size());
    Le32(s, count ? 263 : 29);
    Text(s, in.name, 22);
    s += '\0';
    Le16(s, count);
    if (count == 0) continue;
    Le32(s, 40);
    for (uint8_t k : in.keymap) s += static_cast<char>(k);
    for (size_t k = 0; k < 12; ++k) {
      const auto pt = k < in.volume.points.size() ? in.volume.points[k] : std::pair<int, int>{0, 0};
      Le16(s, pt.first);
      Le16(s, pt.second);
    }
    for (int k = 0; k < 48; ++k) s += '\0';  // no pan envelope
    s += static_cast<char>(in.volume.points.size());
    s += '\0';
    s += static_cast<char>(std::max(0, in.volume.sustain));
    s += static_cast<char>(std::max(0, in.volume.loopStart));
    s += static_cast<char>(std::max(0, in.volume.loopEnd));
    s += std::string(3, '\0');
    int type = in.volume.on ? 1 : 0;
    if (in.volume.on && in.volume.sustain >= 0) type |= 2;
    if (in.volume.on && in.volume.loopStart >= 0) type |= 4;
    s += static_cast<char>(type);
    s += '\0';
    s += std::string(4, '\0');  // vibrato
    Le16(s, in.fadeout);
    s += std::string(22, '\0');  // reserved, to the header's 263 bytes
    for (const Sample& smp : in.samples) {
      const int unit = smp.sixteenBit ? 2 : 1;
      Le32(s, static_cast<uint32_t>(smp.data.size() * unit));
      Le32(s, static_cast<uint32_t>(smp.loopType ? smp.loopStart * unit : 0));
      Le32(s, static_cast<uint32_t>(smp.loopType ? smp.loopLength * unit : 0));
      s += static_cast<char>(smp.volume);
      s += static_cast<char>(smp.finetune);
      s += static_cast<char>((smp.loopType & 3) | (smp.sixteenBit ? 16 : 0));
      s += static_cast<char>(smp.pan);
      s += static_cast<char>(smp.relativeNote);
      s += '\0';
      Text(s, smp.name, 22);
    }
    for (const Sample& smp : in.samples) {
      int prev = 0;
      for (int16_t v : smp.data) {
        if (smp.sixteenBit) {
          Le16(s, static_cast<int16_t>(v - prev));
          prev = v;
        } else {
          const int b = v >> 8;
          s += static_cast<char>(static_cast<uint8_t>(b - prev));
          prev = b;
        }
      }
    }
  }
  return s;
}

}  // namespace kelp::modwrite
