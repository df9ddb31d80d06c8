#include "platform/net.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <limits>

namespace platform {
namespace {

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Polls fd for `events` until the deadline; interrupted waits resume.
bool WaitFor(int fd, short events, int64_t deadline_ms) {
  for (;;) {
    const int64_t left = std::max<int64_t>(0, deadline_ms - NowMs());
    pollfd p{fd, events, 0};
    const int r = poll(&p, 1, static_cast<int>(std::min<int64_t>(left, std::numeric_limits<int>::max())));
    if (r > 0) return true;
    if (r == 0) return false;
    if (errno != EINTR) return false;
  }
}

int ConnectOne(const addrinfo* ai, int timeout_ms) {
  const int fd = socket(ai->ai_family, ai->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ai->ai_protocol);
  if (fd < 0) return -1;
  if (connect(fd, ai->ai_addr, ai->ai_addrlen) != 0) {
    if (errno != EINPROGRESS || !WaitFor(fd, POLLOUT, NowMs() + timeout_ms)) {
      close(fd);
      return -1;
    }
    int err = 0;
    socklen_t len = sizeof err;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0 || err != 0) {
      close(fd);
      return -1;
    }
  }
  return fd;
}

}  // namespace

std::shared_ptr<TcpStream> TcpStream::Connect(const std::string& host, int port, int timeout_ms) {
  if (port <= 0 || port > 65535) return nullptr;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* list = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list) != 0) return nullptr;
  int fd = -1;
  for (const addrinfo* ai = list; ai != nullptr && fd < 0; ai = ai->ai_next) fd = ConnectOne(ai, timeout_ms);
  freeaddrinfo(list);
  if (fd < 0) return nullptr;
  return std::shared_ptr<TcpStream>(new TcpStream(fd));
}

TcpStream::~TcpStream() { Close(); }

void TcpStream::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  ended_ = true;
}

bool TcpStream::Fill(int wait_ms) {
  if (ended_) return false;
  const size_t spent = static_cast<size_t>(std::min<int64_t>(keep_from_ - base_, static_cast<int64_t>(head_)));
  if (spent >= 16384 || (spent > 0 && spent == buffer_.size())) {
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(spent));
    base_ += static_cast<int64_t>(spent);
    head_ -= spent;
  }
  const int64_t deadline = NowMs() + wait_ms;
  uint8_t chunk[4096];
  for (;;) {
    if (!WaitFor(fd_, POLLIN, deadline)) {
      if (wait_ms == 0) return false;  // nothing yet; still open
      timed_out_ = true;
      ended_ = true;
      return false;
    }
    const ssize_t got = recv(fd_, chunk, sizeof chunk, 0);
    if (got > 0) {
      buffer_.insert(buffer_.end(), chunk, chunk + got);
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (wait_ms == 0) return false;
      continue;
    }
    ended_ = true;  // closed by the other side, or broken
    return false;
  }
}

size_t TcpStream::ReadSome(void* buf, size_t n) {
  keep_from_ = pos_;
  return Take(buf, n, read_timeout_ms_);
}

size_t TcpStream::ReadAvailable(void* buf, size_t n) {
  keep_from_ = pos_;
  return Take(buf, n, 0);
}

size_t TcpStream::Take(void* buf, size_t n, int wait_ms) {
  if (n == 0) return 0;
  if (head_ == buffer_.size() && !Fill(wait_ms)) return 0;
  const size_t take = std::min(n, buffer_.size() - head_);
  std::memcpy(buf, buffer_.data() + head_, take);
  head_ += take;
  pos_ += static_cast<int64_t>(take);
  return take;
}

size_t TcpStream::Read(void* buf, size_t n) {
  auto* out = static_cast<uint8_t*>(buf);
  keep_from_ = pos_;
  size_t done = 0;
  while (done < n) {
    const size_t got = Take(out + done, n - done, read_timeout_ms_);
    if (got == 0) break;
    done += got;
  }
  return done;
}

size_t TcpStream::Write(const void* buf, size_t n) {
  const auto* in = static_cast<const uint8_t*>(buf);
  size_t done = 0;
  while (fd_ >= 0 && done < n) {
    const ssize_t sent = send(fd_, in + done, n - done, MSG_NOSIGNAL);
    if (sent > 0) {
      done += static_cast<size_t>(sent);
    } else if (sent < 0 && errno == EINTR) {
      continue;
    } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitFor(fd_, POLLOUT, NowMs() + read_timeout_ms_)) break;
    } else {
      break;
    }
  }
  if (done < n) failed_ = true;
  return done;
}

bool TcpStream::Seek(int64_t pos) {
  if (pos < base_ || pos > base_ + static_cast<int64_t>(buffer_.size())) return false;
  head_ = static_cast<size_t>(pos - base_);
  pos_ = pos;
  return true;
}

int64_t TcpStream::Size() const {
  if (ended_) return base_ + static_cast<int64_t>(buffer_.size());
  return std::numeric_limits<int64_t>::max();
}

}  // namespace platform
