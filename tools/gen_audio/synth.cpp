#include "synth.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <cstring>
#include <functional>

namespace kelp::audio {

Reverb::Reverb(double size, float damping, int spread) : damping_(damping) {
  static const int kComb[4] = {1116, 1188, 1277, 1356};
  static const int kAll[2] = {556, 441};
  for (int i = 0; i < 4; ++i) comb_[i].buf.assign(static_cast<size_t>((kComb[i] + spread) * size), 0.0f);
  for (int i = 0; i < 2; ++i) all_[i].buf.assign(static_cast<size_t>(kAll[i] + spread), 0.0f);
  feedback_ = static_cast<float>(0.70 + 0.12 * std::min(size, 1.5) / 1.5);
}

float Reverb::Process(float in) {
  float out = 0;
  for (Line& c : comb_) {
    const float y = c.buf[c.pos];
    c.filt = y * (1 - damping_) + c.filt * damping_;
    c.buf[c.pos] = in + c.filt * feedback_;
    if (++c.pos >= c.buf.size()) c.pos = 0;
    out += y;
  }
  out *= 0.25f;
  for (Line& a : all_) {
    const float y = a.buf[a.pos];
    a.buf[a.pos] = out + y * 0.5f;
    if (++a.pos >= a.buf.size()) a.pos = 0;
    out = y - out;
  }
  return out;
}

void Add(Buffer& dst, const Buffer& src, int at, float gain) {
  if (at < 0) return;
  if (dst.size() < static_cast<size_t>(at) + src.size()) dst.resize(static_cast<size_t>(at) + src.size(), 0.0f);
  for (size_t i = 0; i < src.size(); ++i) dst[static_cast<size_t>(at) + i] += src[i] * gain;
}

void Normalize(Buffer& b, float peak) {
  float m = 0;
  for (float v : b) m = std::max(m, std::fabs(v));
  if (m <= 1e-9f) return;
  const float g = peak / m;
  for (float& v : b) v *= g;
}

void FadeEdges(Buffer& b, double in, double out) {
  const int ni = std::min<int>(Samples(in), static_cast<int>(b.size()));
  const int no = std::min<int>(Samples(out), static_cast<int>(b.size()));
  for (int i = 0; i < ni; ++i) b[static_cast<size_t>(i)] *= static_cast<float>(i) / static_cast<float>(ni);
  for (int i = 0; i < no; ++i) b[b.size() - 1 - static_cast<size_t>(i)] *= static_cast<float>(i) / static_cast<float>(no);
}

namespace {

void Put16(std::FILE* f, int v) {
  const unsigned char b[2] = {static_cast<unsigned char>(v & 255), static_cast<unsigned char>((v >> 8) & 255)};
  std::fwrite(b, 1, 2, f);
}
void Put32(std::FILE* f, uint32_t v) {
  const unsigned char b[4] = {static_cast<unsigned char>(v & 255), static_cast<unsigned char>((v >> 8) & 255),
                              static_cast<unsigned char>((v >> 16) & 255), static_cast<unsigned char>(v >> 24)};
  std::fwrite(b, 1, 4, f);
}
int16_t ToPcm(float v) { return static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f)); }

}  // namespace

bool WriteWav(const std::string& path, const Buffer& mono) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const uint32_t bytes = static_cast<uint32_t>(mono.size() * 2);
  std::fwrite("RIFF", 1, 4, f);
  Put32(f, 36 + bytes);
  std::fwrite("WAVEfmt ", 1, 8, f);
  Put32(f, 16);
  Put16(f, 1);  // PCM
  Put16(f, 1);  // mono
  Put32(f, kRate);
  Put32(f, kRate * 2);
  Put16(f, 2);
  Put16(f, 16);
  std::fwrite("data", 1, 4, f);
  Put32(f, bytes);
  std::vector<int16_t> pcm(mono.size());
  for (size_t i = 0; i < mono.size(); ++i) pcm[i] = ToPcm(mono[i]);
  for (int16_t s : pcm) Put16(f, s);
  const bool ok = std::ferror(f) == 0;
  return std::fclose(f) == 0 && ok;
}

bool WriteWavStereo(const std::string& path, const Buffer& interleaved) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const uint32_t bytes = static_cast<uint32_t>(interleaved.size() * 2);
  std::fwrite("RIFF", 1, 4, f);
  Put32(f, 36 + bytes);
  std::fwrite("WAVEfmt ", 1, 8, f);
  Put32(f, 16);
  Put16(f, 1);
  Put16(f, 2);
  Put32(f, kRate);
  Put32(f, kRate * 4);
  Put16(f, 4);
  Put16(f, 16);
  std::fwrite("data", 1, 4, f);
  Put32(f, bytes);
  for (float v : interleaved) Put16(f, ToPcm(v));
  const bool ok = std::ferror(f) == 0;
  return std::fclose(f) == 0 && ok;
}

bool WriteOgg(const std::string& path, const Buffer& interleaved, float quality, const std::string& title) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, 2, kRate, quality) != 0) {
    vorbis_info_clear(&vi);
    std::fclose(f);
    return false;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
  vorbis_comment_add_tag(&vc, "ARTIST", "Kelp");
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, static_cast<int>(std::hash<std::string>{}(title) & 0x7fffffff));

  bool ok = true;
  auto writePage = [&](const ogg_page& og) {
    ok = ok && std::fwrite(og.header, 1, static_cast<size_t>(og.header_len), f) == static_cast<size_t>(og.header_len);
    ok = ok && std::fwrite(og.body, 1, static_cast<size_t>(og.body_len), f) == static_cast<size_t>(og.body_len);
  };
  {
    ogg_packet header, comm, code;
    vorbis_analysis_headerout(&vd, &vc, &header, &comm, &code);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comm);
    ogg_stream_packetin(&os, &code);
    ogg_page og;
    while (ogg_stream_flush(&os, &og) != 0) writePage(og);
  }

  const size_t frames = interleaved.size() / 2;
  const size_t chunk = 4096;
  size_t pos = 0;
  bool eos = false;
  while (!eos) {
    const size_t n = std::min(chunk, frames - pos);
    if (n == 0) {
      vorbis_analysis_wrote(&vd, 0);
    } else {
      float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (size_t i = 0; i < n; ++i) {
        buf[0][i] = interleaved[2 * (pos + i)];
        buf[1][i] = interleaved[2 * (pos + i) + 1];
      }
      vorbis_analysis_wrote(&vd, static_cast<int>(n));
      pos += n;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        ogg_page og;
        while (!eos && ogg_stream_pageout(&os, &og) != 0) {
          writePage(og);
          if (ogg_page_eos(&og)) eos = true;
        }
      }
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  ok = ok && std::ferror(f) == 0;
  return std::fclose(f) == 0 && ok;
}

}  // namespace kelp::audio
