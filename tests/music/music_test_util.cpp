#include "music_test_util.h"

#include <mpg123.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "music/music_module.h"
#include "music/stream_timer.h"

namespace musictest {

void Put16(std::string& s, int v) {
  s += static_cast<char>(v & 0xff);
  s += static_cast<char>((v >> 8) & 0xff);
}

void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
}

std::string Wav(int formatTag, int channels, int rate, int bits, const std::string& data, int64_t claimed,
                int fmtExtra, const std::string& before) {
  std::string s = "RIFF";
  Put32(s, static_cast<uint32_t>(36 + fmtExtra + before.size() + data.size()));
  s += "WAVEfmt ";
  Put32(s, static_cast<uint32_t>(16 + fmtExtra));
  Put16(s, formatTag);
  Put16(s, channels);
  Put32(s, static_cast<uint32_t>(rate));
  Put32(s, static_cast<uint32_t>(rate * channels * bits / 8));
  Put16(s, channels * bits / 8);
  Put16(s, bits);
  s += std::string(static_cast<size_t>(fmtExtra), '\0');
  s += before;
  s += "data";
  Put32(s, static_cast<uint32_t>(claimed < 0 ? static_cast<int64_t>(data.size()) : claimed));
  return s + data;
}

std::string Pcm16(const std::vector<int16_t>& samples) {
  std::string s;
  for (int16_t v : samples) Put16(s, v);
  return s;
}

std::string EncodeOgg(const std::vector<float>& samples, int channels, int rate) {
  std::string out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  vorbis_encode_init_vbr(&vi, channels, rate, 0.4f);
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 7);
  ogg_page og;
  auto append = [&] {
    out.append(reinterpret_cast<const char*>(og.header), static_cast<size_t>(og.header_len));
    out.append(reinterpret_cast<const char*>(og.body), static_cast<size_t>(og.body_len));
  };
  ogg_packet h1, h2, h3;
  vorbis_analysis_headerout(&vd, &vc, &h1, &h2, &h3);
  ogg_stream_packetin(&os, &h1);
  ogg_stream_packetin(&os, &h2);
  ogg_stream_packetin(&os, &h3);
  while (ogg_stream_flush(&os, &og)) append();
  const size_t frames = samples.size() / static_cast<size_t>(channels);
  size_t pos = 0;
  for (;;) {
    const size_t n = std::min<size_t>(1024, frames - pos);
    if (n == 0) {
      vorbis_analysis_wrote(&vd, 0);
    } else {
      float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (size_t i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c)
          buf[c][i] = samples[(pos + i) * static_cast<size_t>(channels) + static_cast<size_t>(c)];
      vorbis_analysis_wrote(&vd, static_cast<int>(n));
      pos += n;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &og)) append();
      }
    }
    if (n == 0) break;
  }
  while (ogg_stream_flush(&os, &og)) append();
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

std::vector<float> Tone(int frames, int channels, int rate, double hz, float amplitude) {
  std::vector<float> s;
  for (int i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      s.push_back(amplitude * static_cast<float>(std::sin(2 * 3.14159265358979 * hz * (c + 1) * i / rate)));
  return s;
}

std::string ReadFixture(const std::string& name) {
  std::ifstream f(std::string(KELP_MUSIC_FIXTURES) + "/" + name, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

namespace {

struct Mem {
  const std::string* bytes;
  size_t pos;
};

size_t MemRead(void* p, size_t size, size_t n, void* ds) {
  auto* m = static_cast<Mem*>(ds);
  const size_t want = std::min(size * n, m->bytes->size() - m->pos);
  std::memcpy(p, m->bytes->data() + m->pos, want);
  m->pos += want;
  return want / size;
}

int MemSeek(void* ds, ogg_int64_t off, int whence) {
  auto* m = static_cast<Mem*>(ds);
  const int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<int64_t>(m->pos)
                                                                   : static_cast<int64_t>(m->bytes->size());
  const int64_t to = base + off;
  if (to < 0 || to > static_cast<int64_t>(m->bytes->size())) return -1;
  m->pos = static_cast<size_t>(to);
  return 0;
}

long MemTell(void* ds) { return static_cast<long>(static_cast<Mem*>(ds)->pos); }

}  // namespace

std::vector<int16_t> OggReference(const std::string& bytes) {
  Mem m{&bytes, 0};
  OggVorbis_File vf;
  std::vector<int16_t> out;
  if (ov_open_callbacks(&m, &vf, nullptr, 0, ov_callbacks{MemRead, MemSeek, nullptr, MemTell}) != 0) return out;
  const int channels = ov_info(&vf, -1)->channels;
  char buf[8192];
  int link = 0;
  for (long got; (got = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &link)) > 0;) {
    const auto* s = reinterpret_cast<const int16_t*>(buf);
    for (long i = 0; i < got / 2; i += channels) {
      out.push_back(s[i]);
      out.push_back(channels == 2 ? s[i + 1] : s[i]);
    }
  }
  ov_clear(&vf);
  return out;
}

std::vector<int16_t> Mp3Reference(const std::string& path) {
  // libmpg123 decodes at the file's own rate; frame j of the 44100 Hz output
  // lies at input position j * rate / 44100, between two decoded frames.
  std::vector<int16_t> in;
  long rate = 0;
  mpg123_handle* mh = mpg123_new(nullptr, nullptr);
  mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_STEREO, 0);
  // Fed the whole file, as the game feeds it (the decoder trims alike).
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (mpg123_open_feed(mh) == MPG123_OK &&
      mpg123_feed(mh, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) == MPG123_OK) {
    unsigned char buf[16384];
    size_t done = 0;
    for (int r; (r = mpg123_read(mh, buf, sizeof buf, &done)) == MPG123_OK || r == MPG123_NEW_FORMAT || done > 0;) {
      if (r == MPG123_NEW_FORMAT) {
        int channels = 0, encoding = 0;
        mpg123_getformat(mh, &rate, &channels, &encoding);
      }
      const auto* s = reinterpret_cast<const int16_t*>(buf);
      in.insert(in.end(), s, s + done / 2);
      if (r != MPG123_OK && r != MPG123_NEW_FORMAT) break;
    }
    mpg123_close(mh);
  }
  mpg123_delete(mh);
  if (rate == 44100 || rate <= 0) return in;
  std::vector<int16_t> out;
  const int64_t frames = static_cast<int64_t>(in.size() / 2);
  for (int64_t j = 0;; ++j) {
    const int64_t pos = j * rate;
    const int64_t i = pos / 44100;
    if (i + 1 >= frames) break;
    const double f = static_cast<double>(pos % 44100) / 44100;
    for (int c = 0; c < 2; ++c) {
      const double a = in[2 * i + c], b = in[2 * (i + 1) + c];
      out.push_back(static_cast<int16_t>(std::clamp(std::lrint(a + (b - a) * f), -32768L, 32767L)));
    }
  }
  return out;
}

void CountingMusic::FillBuffer(uint8_t* address, int count) {
  int frames = count / 4;
  while (frames > 0) {
    if (STREAM_POS >= STREAM_SIZE) {
      if (STREAM_LOOP == 1 && STREAM_SIZE > 0) {
        STREAM_POS = 0;
        continue;
      }
      PlayStatus = 0;
      STREAM_POS = 0;
      break;
    }
    const int16_t v = Value(STREAM_POS);
    const int16_t lr[2] = {v, static_cast<int16_t>(-v)};
    std::memcpy(address, lr, 4);
    address += 4;
    --frames;
    ++STREAM_POS;
    ++delivered;
  }
  std::memset(address, 0, static_cast<size_t>(frames) * 4);
}

Rig::Rig() {
  kelp::InitAudioStreamModule();
  kelp::InitTrackerModule();
  kelp::InitOggStreamModule();
  kelp::InitMp3StreamModule();
  kelp::UseStreamMixer(&mixer);
}
Rig::~Rig() { kelp::UseStreamMixer(nullptr); }

std::vector<int16_t> Rig::Run(int frames, const std::function<void()>& eachTick) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
  for (int done = 0; done < frames;) {
    const int n = std::min(kTick, frames - done);
    mixer.Mix(out.data() + 2 * static_cast<size_t>(done), n);
    done += n;
    kelp::TickStreams();
    if (eachTick) eachTick();
  }
  return out;
}

int16_t Left(const std::vector<int16_t>& out, size_t frame) { return out[2 * frame]; }
int16_t Right(const std::vector<int16_t>& out, size_t frame) { return out[2 * frame + 1]; }

int MaxStep(const std::vector<int16_t>& out, size_t from, size_t to) {
  int step = 0;
  for (size_t i = std::max<size_t>(from, 1); i < to && i < out.size() / 2; ++i)
    for (size_t c = 0; c < 2; ++c) step = std::max(step, std::abs(out[2 * i + c] - out[2 * (i - 1) + c]));
  return step;
}

}  // namespace musictest
