#pragma once
// TOGGStream: Ogg Vorbis through libvorbisfile, from a file (any readable
// stream, through the loader registry) or from an internet radio server
// (HTTP/1.0, OpenIceStream). Positions count sample frames of the stream's
// own format: 16-bit mono or stereo at the stream's rate; the stream channel
// converts what is not 44100 Hz stereo.
//
// Clock: decoding runs on the main thread inside the stream tick. A network
// source never waits for the server while playing: what has not arrived plays
// as silence, and a server silent for longer than StallTimeoutMs, or gone,
// ends the source.
#include <memory>
#include <string>

#include "music/loader_registry.h"

namespace platform {
class TcpStream;
}

namespace kelp {

class TOGGStream : public TMusic {
 public:
  struct Decoder;
  platform::StreamRef stream;                  // the file, or the socket's stream
  std::unique_ptr<Decoder> ogg;                // the open Vorbis decoder
  int samples = 0, size = 0;                   // unused
  std::shared_ptr<platform::TcpStream> Socket;  // network sources only; the same object as stream

  // Time-outs of a network source: connecting and reading the response and
  // the stream's headers (each wait), and silence while playing.
  static int NetworkTimeoutMs;
  static int StallTimeoutMs;

  TOGGStream();
  ~TOGGStream() override;

  // Null when the source is not Ogg Vorbis, has no samples, or more than two
  // channels.
  static Ref<TOGGStream> Load(const MusicSource& source);
  // "GET /path" from host:port. Null when the server cannot be reached (with
  // the notification "Unable to connect"), answers other than 200, announces
  // no "samplerate=" in an "ice-audio-info" header line or sends no Vorbis.
  // The stream's own rate and channels count, not the announced ones.
  static Ref<TOGGStream> OpenIceStream(const std::string& host, const std::string& path, int port);

  void Free() override;
  // Exactly count bytes. A file source joins its end to its start when
  // looping; otherwise the end is zero-padded, PlayStatus becomes 0 and the
  // decoder rewinds. Data that ends before the announced length ends there.
  void FillBuffer(uint8_t* address, int count) override;
  // Back to the first frame (file sources only).
  void Rewind();

 private:
  bool Open(bool network);
  bool Restart();
  void FillFromFile(uint8_t* address, int count);
  void FillFromNetwork(uint8_t* address, int count);

  int starved_since_ = -1;  // Millisecs when a network source ran dry
  bool warned_ = false;
};

Ref<TMusic> LoadOggMusic(const MusicSource& source);

}  // namespace kelp
