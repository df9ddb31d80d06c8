// 31-instrument MOD files, recognised by the tag at byte 1080.
#include <algorithm>
#include <cstdlib>

#include "music/music_log.h"
#include "music/trk_loaders.h"

namespace kelp {

namespace {

struct ModTag {
  const char* tag;
  const char* tracker;
  int channels;
};

constexpr ModTag kTags[] = {
    {"M.K.", "Protracker 4 channel", 4},     {"M!K!", "Protracker 4 channel", 4},
    {"FLT4", "Startracker 4 channel", 4},    {"2CHN", "Fasttracker 2 channel", 2},
    {"4CHN", "Fasttracker 4 channel", 4},    {"6CHN", "Fasttracker 6 channel", 6},
    {"8CHN", "Fasttracker 8 channel", 8},    {"10CH", "Fasttracker 10 channel", 10},
    {"12CH", "Fasttracker 12 channel", 12},  {"14CH", "Fasttracker 14 channel", 14},
    {"16CH", "Fasttracker 14 channel", 16},  {"18CH", "Fasttracker 18 channel", 18},
    {"20CH", "Fasttracker 20 channel", 20},  {"22CH", "Fasttracker 22 channel", 22},
    {"24CH", "Fasttracker 24 channel", 24},  {"26CH", "Fasttracker 26 channel", 26},
    {"28CH", "Fasttracker 28 channel", 28},  {"30CH", "Fasttracker 30 channel", 30},
    {"32CH", "Fasttracker 32 channel", 32},  {"TDZ1", "TakeTracker 1 channel", 1},
    {"TDZ2", "TakeTracker 2 channel", 2},    {"TDZ3", "TakeTracker 3 channel", 3},
    {"5CHN", "TakeTracker 5 channel", 5},    {"7CHN", "TakeTracker 7 channel", 7},
    {"9CHN", "TakeTracker 9 channel", 9},    {"11CH", "TakeTracker 11 channel", 11},
    {"13CH", "TakeTracker 13 channel", 13},  {"15CH", "TakeTracker 15 channel", 15},
    {"16CN", "Taketracker 16 channel", 16},  {"32CN", "Taketracker 32 channel", 32},
    {"CD81", "Atari oktalyzer 8 channel", 8}, {"OCTA", "Atari oktalyzer 8 channel", 8},
    {"N.T.", "NoiseTracker 32 channel", 32},
};

constexpr int kPeriods[108] = {
    6868, 6464, 6096, 5760, 5424, 5120, 4832, 4560, 4304, 4064, 3840, 3624, 3424, 3232, 3048, 2880, 2712, 2560,
    2416, 2280, 2152, 2032, 1920, 1812, 1712, 1616, 1525, 1440, 1357, 1281, 1209, 1141, 1077, 1017, 961,  907,
    856,  808,  762,  720,  678,  640,  604,  570,  538,  508,  480,  453,  428,  404,  381,  360,  339,  320,
    302,  285,  269,  254,  240,  226,  214,  202,  190,  180,  170,  160,  151,  143,  135,  127,  120,  113,
    107,  101,  95,   90,   85,   80,   76,   71,   67,   64,   60,   57,   54,   51,   48,   45,   43,   40,
    38,   36,   34,   32,   30,   29,   27,   26,   24,   23,   22,   20,   19,   18,   17,   16,   15,   14};

}  // namespace

std::string TrkTrim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && static_cast<unsigned char>(s[a]) < 33) ++a;
  while (b > a && static_cast<unsigned char>(s[b - 1]) < 33) --b;
  return s.substr(a, b - a);
}

int PeriodToNote(int period) {
  // The nearest entry: trackers write fine-tuned periods a little off the table.
  if (period < 13 || period > 7200) return 0;
  int best = 0;
  for (int i = 1; i < 108; ++i)
    if (std::abs(kPeriods[i] - period) < std::abs(kPeriods[best] - period)) best = i;
  return best;
}

Ref<TrkMod_Mixer> LoadMod(platform::Stream& s) {
  if (s.Size() < 1084 || !s.Seek(1080)) return nullptr;
  const std::string tag = s.ReadBytes(4);
  const ModTag* found = nullptr;
  for (const ModTag& t : kTags)
    if (tag == t.tag) found = &t;
  if (!found) return nullptr;

  auto m = New<TrkMod_Mixer>();
  m->WriteBug("Loading MOD format file...\n");
  s.Seek(0);
  m->SongName = TrkTrim(s.ReadBytes(20));
  const int channels = found->channels;
  m->ActiveChannels = channels;
  m->Init(channels);
  m->TrackerName = found->tracker;
  m->WriteBug(std::string("Format = ") + found->tag + "\nChannels = " + std::to_string(channels) + "\nInstruments = 31\n");

  m->ActiveSamples = 31;
  m->Instrument.assign(32, nullptr);
  int sampleBytes[32] = {};
  for (int i = 1; i <= 31; ++i) {
    auto in = New<TrkMod_Instrument>();
    in->Name = TrkTrim(s.ReadBytes(22));
    const int length = s.ReadShortBE() * 2;
    const int fine = s.ReadByte() & 0x0F;  // the high nibble is not part of it
    const int volume = s.ReadByte();
    const int loopStart = s.ReadShortBE() * 2;
    const int loopLength = s.ReadShortBE() * 2;
    sampleBytes[i] = length;
    if (length > 2) {
      auto smp = New<TrkMod_Sample>();
      smp->Name = in->Name;
      smp->Volume = std::min(volume, 64) / 64.0f;
      smp->FineTune = 0.125 * (fine < 8 ? fine : fine - 16);
      if (loopLength > 2) {
        smp->Loop = 1;
        smp->LoopStart = loopStart;
        smp->LoopLength = loopLength;
      }
      in->SampleCount = 1;
      in->Sample[0] = smp;
      m->WriteBug("Sample " + std::to_string(i) + " \"" + in->Name + "\" " + std::to_string(length) + "\n");
    }
    m->Instrument[static_cast<size_t>(i)] = in;
  }

  const int songLength = std::clamp<int>(s.ReadByte(), 1, 128);
  s.ReadByte();
  int patterns = 0;
  for (int i = 0; i < 128; ++i) {
    const int p = s.ReadByte();
    m->SongPattern[static_cast<size_t>(i)] = p;
    // All 128 entries count: files store the patterns that unused entries name too.
    patterns = std::max(patterns, p + 1);
  }
  m->ActiveSongPatterns = songLength - 1;
  m->ActiveSequences = patterns;
  m->CurrentPattern = m->SongPattern[0];
  s.Seek(1084);

  std::vector<uint8_t> cells(static_cast<size_t>(64 * channels * 4));
  Ref<TrkMod_Pattern> missing;  // the first pattern wholly past the end of the file
  for (int j = 0; j < patterns; ++j) {
    if (missing) {
      // The order list may name patterns far past a short file's end: they
      // are all the same empty pattern.
      auto pat = TrkMod_Pattern::SameTracks(*missing);
      pat->Title = "Pattern " + std::to_string(j);
      m->Pattern[static_cast<size_t>(j)] = pat;
      continue;
    }
    auto pat = TrkMod_Pattern::Create(channels, 64);
    pat->Title = "Pattern " + std::to_string(j);
    if (s.Remaining() <= 0) missing = pat;
    std::fill(cells.begin(), cells.end(), 0);
    s.Read(cells.data(), cells.size());
    for (int line = 0; line < 64; ++line) {
      for (int l = 0; l < channels; ++l) {
        const uint8_t* c = &cells[static_cast<size_t>((line * channels + l) * 4)];
        TrkMod_Track& t = *pat->Track[static_cast<size_t>(l)];
        const size_t li = static_cast<size_t>(line);
        t.Inst[li] = (c[0] & 0xF0) | (c[2] >> 4);
        const int period = (c[0] & 0x0F) * 256 + c[1];
        t.FX[li] = c[2] & 0x0F;
        t.FXV[li] = c[3];
        if (t.FX[li] == 13) t.FXV[li] = (c[3] >> 4) * 10 + (c[3] & 15);  // the break's line is written in decimal
        t.Vol[li] = l % 3 == 0 ? 192 : 207;
        if (period != 0) {
          t.Note[li] = PeriodToNote(period);
          if (t.Note[li] == 0)
            m->WriteBug("NO MATCH FOUND FOR NOTE \"" + std::to_string(period) + "\" - DISCARDED! (Pattern " +
                        std::to_string(j) + ", Track " + std::to_string(l) + ",Line " + std::to_string(line) + ")\n");
        }
      }
    }
    m->Pattern[static_cast<size_t>(j)] = pat;
  }

  for (int i = 1; i <= 31; ++i) {
    const int64_t bytes = std::min<int64_t>(sampleBytes[i], std::max<int64_t>(0, s.Remaining()));
    TrkMod_Sample* smp = m->Instrument[static_cast<size_t>(i)]->Sample[0].get();
    if (!smp) {
      s.Seek(s.Pos() + bytes);  // a 1-word sample still takes its 2 bytes
      continue;
    }
    std::vector<uint8_t> bank(static_cast<size_t>(bytes));
    if (!bank.empty()) s.Read(bank.data(), bank.size());
    smp->ConvertSampleFromBank(bank, 1);
    if (bytes < sampleBytes[i]) m->WriteBug("Sample " + std::to_string(i) + " cut short by the end of the file\n");
  }
  m->WriteBug("Load complete.\n");
  m->CalcSize();
  return m;
}

}  // namespace kelp
