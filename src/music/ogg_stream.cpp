#include "music/ogg_stream.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>

#include "music/music_log.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/net.h"

namespace kelp {

int TOGGStream::NetworkTimeoutMs = 3000;
int TOGGStream::StallTimeoutMs = 5000;

struct TOGGStream::Decoder {
  OggVorbis_File vf{};
  bool open = false;
  platform::Stream* in = nullptr;
  platform::TcpStream* net = nullptr;  // set for a network source
  bool wait = false;                   // a network read may wait (while opening)
  int channels = 0;
  long rate = 0;

  ~Decoder() { Close(); }
  void Close() {
    if (open) ov_clear(&vf);
    open = false;
  }
};

namespace {

size_t ReadOggSource(void* ptr, size_t size, size_t nmemb, void* ds) {
  auto* d = static_cast<TOGGStream::Decoder*>(ds);
  errno = 0;  // vorbisfile takes 0 bytes with errno set as a read error
  if (size == 0 || nmemb == 0) return 0;
  const size_t n = size * nmemb;
  size_t got;
  if (d->net) {
    got = d->wait ? d->net->ReadSome(ptr, n) : d->net->ReadAvailable(ptr, n);
  } else {
    got = d->in->Read(ptr, n);
  }
  return got / size;
}

int SeekOggSource(void* ds, ogg_int64_t offset, int whence) {
  auto* d = static_cast<TOGGStream::Decoder*>(ds);
  int64_t target;
  switch (whence) {
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = d->in->Pos() + offset; break;
    case SEEK_END: target = d->in->Size() + offset; break;
    default: return -1;
  }
  if (target < 0) return -1;
  return d->in->Seek(target) ? 0 : -1;
}

int CloseOggSource(void*) { return 0; }  // the stream stays with its TOGGStream

long TellOggSource(void* ds) {
  const int64_t pos = static_cast<TOGGStream::Decoder*>(ds)->in->Pos();
  return pos > LONG_MAX ? LONG_MAX : static_cast<long>(pos);
}

}  // namespace

TOGGStream::TOGGStream() : ogg(std::make_unique<Decoder>()) {}
TOGGStream::~TOGGStream() = default;

// Opens the decoder on `stream`. A network source is read forward only: no
// seek, so vorbisfile does not try to find its end.
bool TOGGStream::Open(bool network) {
  ogg->Close();
  ogg->in = stream.get();
  ogg->net = network ? Socket.get() : nullptr;
  ov_callbacks cb{ReadOggSource, network ? nullptr : SeekOggSource, CloseOggSource,
                  network ? nullptr : TellOggSource};
  ogg->wait = true;
  const int r = ov_open_callbacks(ogg.get(), &ogg->vf, nullptr, 0, cb);
  ogg->wait = false;
  if (r != 0) return false;
  ogg->open = true;
  const vorbis_info* vi = ov_info(&ogg->vf, -1);
  ogg->channels = vi ? vi->channels : 0;
  ogg->rate = vi ? vi->rate : 0;
  return true;
}

Ref<TOGGStream> TOGGStream::Load(const MusicSource& source) {
  if (!source.stream) return nullptr;
  char magic[4] = {};
  const bool looksOgg = source.stream->Read(magic, 4) == 4 && std::memcmp(magic, "OggS", 4) == 0;
  if (!source.stream->Seek(0)) return nullptr;
  const std::string name = source.file.empty() ? "an OGG stream" : "\"" + source.file + "\"";

  auto o = New<TOGGStream>();
  o->stream = source.stream;
  if (!o->Open(false)) {
    if (looksOgg) MusicLog(name + ": not a readable Ogg Vorbis file");
    return nullptr;
  }
  if (o->ogg->channels != 1 && o->ogg->channels != 2) {
    MusicLog(name + ": " + std::to_string(o->ogg->channels) + " channels; only mono and stereo can play");
    return nullptr;
  }
  if (o->ogg->rate <= 0 || o->ogg->rate > INT_MAX) return nullptr;
  const ogg_int64_t total = ov_pcm_total(&o->ogg->vf, -1);
  if (total <= 0) {
    MusicLog(name + ": the OGG file holds no samples");
    return nullptr;
  }
  o->STREAM_FORMAT = o->ogg->channels == 1 ? FORMAT_16_MONO : FORMAT_16_STEREO;
  o->SAMPLE_RATE = static_cast<int>(o->ogg->rate);
  o->STREAM_SIZE = static_cast<int>(std::min<ogg_int64_t>(total, INT_MAX));
  return o;
}

Ref<TOGGStream> TOGGStream::OpenIceStream(const std::string& host, const std::string& path, int port) {
  auto socket = platform::TcpStream::Connect(host, port, NetworkTimeoutMs);
  if (!socket) {
    MusicLog("cannot connect to " + host + ":" + std::to_string(port));
    platform::MessageBox("Music", "Unable to connect");
    return nullptr;
  }
  socket->SetReadTimeout(NetworkTimeoutMs);
  socket->WriteLine("GET /" + path + " HTTP/1.0");
  socket->WriteLine("Host: " + host);
  socket->WriteLine("");

  std::string status = socket->ReadLine();
  // "HTTP/1.0 200 OK" or a radio server's "ICY 200 OK".
  const size_t sp = status.find(' ');
  if (sp == std::string::npos || status.compare(sp + 1, 3, "200") != 0) {
    MusicLog("the radio server at " + host + " answered \"" + status.substr(0, 80) + "\"");
    return nullptr;
  }
  int rate = 0, channels = 2;
  // A hostile server could send headers for ever: a few hundred lines at most.
  for (int lines = 0;; ++lines) {
    if (lines > 256 || socket->Eof()) return nullptr;
    const std::string line = socket->ReadLine();
    if (line.empty()) break;
    if (line.find("ice-audio-info") == std::string::npos) continue;
    auto number = [&](const char* key, int& out) {
      const size_t at = line.find(key);
      if (at == std::string::npos) return;
      long v = 0;
      for (size_t i = at + std::strlen(key); i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])); ++i)
        v = std::min(v * 10 + (line[i] - '0'), 10000000L);
      out = static_cast<int>(v);
    };
    number("samplerate=", rate);
    number("channels=", channels);
  }
  if (rate == 0 || channels == 0) return nullptr;

  auto o = New<TOGGStream>();
  o->Socket = socket;
  o->stream = socket;
  o->SAMPLE_RATE = rate;
  if (!o->Open(true)) {
    MusicLog("the radio server at " + host + " sends no Ogg Vorbis");
    return nullptr;
  }
  if (o->ogg->channels != 1 && o->ogg->channels != 2) {
    MusicLog("the radio stream has " + std::to_string(o->ogg->channels) + " channels; only mono and stereo can play");
    return nullptr;
  }
  if (o->ogg->rate != rate || o->ogg->channels != channels)
    MusicLog("the radio server announces " + std::to_string(rate) + " Hz, " + std::to_string(channels) +
                 " channels; the stream has " + std::to_string(o->ogg->rate) + " Hz, " +
                 std::to_string(o->ogg->channels),
             LOG_MESSAGE);
  o->SAMPLE_RATE = static_cast<int>(o->ogg->rate);
  o->STREAM_FORMAT = o->ogg->channels == 1 ? FORMAT_16_MONO : FORMAT_16_STEREO;
  return o;
}

void TOGGStream::Free() {
  ogg->Close();
  if (Socket) Socket->Close();
}

bool TOGGStream::Restart() {
  if (Socket) return false;
  if (ogg->open && ov_pcm_seek(&ogg->vf, 0) == 0) {
    STREAM_POS = 0;
    return true;
  }
  if (!stream->Seek(0) || !Open(false)) return false;
  STREAM_POS = 0;
  return true;
}

void TOGGStream::Rewind() {
  if (!Restart()) ogg->Close();
}

void TOGGStream::FillBuffer(uint8_t* address, int count) {
  if (count <= 0) return;
  if (Socket) {
    FillFromNetwork(address, count);
  } else {
    FillFromFile(address, count);
  }
}

void TOGGStream::FillFromFile(uint8_t* address, int count) {
  const int bpf = BytesPerFrame(STREAM_FORMAT);
  int holes = 0;
  while (count >= bpf && ogg->open) {
    if (STREAM_POS >= STREAM_SIZE) {
      if (STREAM_LOOP == 1 && STREAM_SIZE > 0 && Restart()) continue;
      PlayStatus = 0;
      Rewind();
      break;
    }
    const int64_t left = static_cast<int64_t>(STREAM_SIZE - STREAM_POS) * bpf;
    int want = static_cast<int>(std::min<int64_t>(count, left));
    want -= want % bpf;
    int link = 0;
    const long got = ov_read(&ogg->vf, reinterpret_cast<char*>(address), want, 0, 2, 1, &link);
    if (got == OV_HOLE && ++holes < 64) continue;  // a gap in the data: decoding goes on after it
    const vorbis_info* vi = got > 0 ? ov_info(&ogg->vf, link) : nullptr;
    if (got <= 0 || !vi || vi->channels != ogg->channels || vi->rate != ogg->rate) {
      // The data ends before the length the file announced (cut short,
      // corrupt, or a chained part in another format): the end is here.
      if (!warned_) MusicLog("an OGG stream ends early, after " + std::to_string(STREAM_POS) + " frames");
      warned_ = true;
      STREAM_SIZE = STREAM_POS;
      if (STREAM_SIZE == 0) PlayStatus = 0;  // nothing at all to play, looping or not
      if (STREAM_SIZE == 0) break;
      continue;
    }
    const int bytes = static_cast<int>(got) - static_cast<int>(got) % bpf;
    address += bytes;
    count -= bytes;
    STREAM_POS += bytes / bpf;
  }
  if (!ogg->open) PlayStatus = 0;
  if (count > 0) std::memset(address, 0, static_cast<size_t>(count));
}

void TOGGStream::FillFromNetwork(uint8_t* address, int count) {
  const int bpf = BytesPerFrame(STREAM_FORMAT);
  int holes = 0;
  while (count >= bpf && PlayStatus != 0 && ogg->open) {
    int link = 0;
    const long got = ov_read(&ogg->vf, reinterpret_cast<char*>(address), count - count % bpf, 0, 2, 1, &link);
    if (got > 0) {
      const int bytes = static_cast<int>(got) - static_cast<int>(got) % bpf;
      address += bytes;
      count -= bytes;
      const int frames = bytes / bpf;
      STREAM_POS = STREAM_POS > INT_MAX - frames ? 0 : STREAM_POS + frames;
      starved_since_ = -1;
      continue;
    }
    if (got == OV_HOLE && ++holes < 64) continue;
    if (got < 0 || Socket->Eof()) {
      MusicLog("the radio stream has ended", LOG_MESSAGE);
      PlayStatus = 0;
      break;
    }
    // Nothing has arrived yet: silence now, more on a later tick.
    const int now = platform::Millisecs();
    if (starved_since_ < 0) {
      starved_since_ = now;
    } else if (now - starved_since_ >= StallTimeoutMs) {
      MusicLog("the radio stream has stalled");
      Socket->Close();
      PlayStatus = 0;
    }
    break;
  }
  if (!ogg->open) PlayStatus = 0;
  if (count > 0) std::memset(address, 0, static_cast<size_t>(count));
}

Ref<TMusic> LoadOggMusic(const MusicSource& source) { return TOGGStream::Load(source); }

}  // namespace kelp
