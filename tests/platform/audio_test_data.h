#pragma once
// Sound files made in the tests: WAV bytes by hand, OGG through vorbisenc.
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace audiotest {

inline void Put16(std::string& s, int v) {
  s += static_cast<char>(v & 0xff);
  s += static_cast<char>((v >> 8) & 0xff);
}
inline void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
}

// A RIFF/WAVE file around raw sample bytes; dataSize < 0 writes the true size.
inline std::string Wav(int formatTag, int channels, int rate, int bits, const std::string& data,
                       int64_t dataSize = -1) {
  std::string s = "RIFF";
  Put32(s, static_cast<uint32_t>(36 + data.size()));
  s += "WAVEfmt ";
  Put32(s, 16);
  Put16(s, formatTag);
  Put16(s, channels);
  Put32(s, static_cast<uint32_t>(rate));
  Put32(s, static_cast<uint32_t>(rate * channels * bits / 8));
  Put16(s, channels * bits / 8);
  Put16(s, bits);
  s += "data";
  Put32(s, static_cast<uint32_t>(dataSize < 0 ? static_cast<int64_t>(data.size()) : dataSize));
  return s + data;
}

inline std::string Pcm16(const std::vector<int>& samples) {
  std::string s;
  for (int v : samples) Put16(s, v);
  return s;
}

// interleaved samples in -1..1
inline std::string EncodeOgg(const std::vector<float>& samples, int channels, int rate) {
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
    size_t n = std::min<size_t>(1024, frames - pos);
    if (n == 0) {
      vorbis_analysis_wrote(&vd, 0);
    } else {
      float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (size_t i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c) buf[c][i] = samples[(pos + i) * static_cast<size_t>(channels) + static_cast<size_t>(c)];
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

inline std::vector<float> Sine(int frames, int channels, int rate, double hz, float amplitude) {
  std::vector<float> s;
  for (int i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      s.push_back(amplitude * static_cast<float>(std::sin(2 * 3.14159265358979 * hz * i / rate)));
  return s;
}

}  // namespace audiotest
