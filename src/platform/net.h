#pragma once
// A TCP client connection read as a stream (the network music source).
#include <memory>
#include <string>
#include <vector>

#include "platform/stream.h"

namespace platform {

class TcpStream : public Stream {
 public:
  // Connects to host:port (a name or a numeric address), trying the host's
  // addresses in order, each for at most timeout_ms. Null on failure.
  static std::shared_ptr<TcpStream> Connect(const std::string& host, int port, int timeout_ms);
  ~TcpStream() override;
  TcpStream(const TcpStream&) = delete;
  TcpStream& operator=(const TcpStream&) = delete;

  // Fills buf with n bytes, waiting at most the read time-out for each part.
  // A short count means the connection ended or stayed silent too long; the
  // stream is then at its end and reads give nothing more.
  size_t Read(void* buf, size_t n) override;
  // What has arrived, at most n bytes, waiting at most the time-out for the first.
  size_t ReadSome(void* buf, size_t n);
  // What has arrived, at most n bytes, without waiting: 0 when nothing has
  // yet, which leaves the stream open (Eof() tells whether it ended).
  size_t ReadAvailable(void* buf, size_t n);
  size_t Write(const void* buf, size_t n) override;
  // A connection seeks only within what the last read received (so that
  // line reading can step back to a line's end).
  bool Seek(int64_t pos) override;
  int64_t Pos() const override { return pos_; }
  // Unbounded while the connection lasts, so Eof() turns true at its end.
  int64_t Size() const override;

  void SetReadTimeout(int ms) { read_timeout_ms_ = ms; }
  bool TimedOut() const { return timed_out_; }
  bool IsOpen() const { return fd_ >= 0; }
  void Close();

 private:
  explicit TcpStream(int fd) : fd_(fd) {}
  // Waits (at most wait_ms) for and receives more bytes into the buffer;
  // false at the end, or when nothing came and wait_ms is 0.
  bool Fill(int wait_ms);
  size_t Take(void* buf, size_t n, int wait_ms);

  int fd_;
  int read_timeout_ms_ = 10000;
  bool ended_ = false;
  bool timed_out_ = false;
  int64_t pos_ = 0;
  std::vector<uint8_t> buffer_;
  int64_t base_ = 0;      // stream position of buffer_[0]
  size_t head_ = 0;       // first unread byte of buffer_
  int64_t keep_from_ = 0; // bytes from here on stay in the buffer
};

}  // namespace platform
