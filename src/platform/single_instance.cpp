#include "platform/single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/event_internal.h"
#include "platform/files.h"
#include "platform/window.h"

namespace platform {
namespace {

std::string LockFileName(const std::string& name) {
  std::string out;
  for (char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '_' || c == '.';
    out += plain ? c : '_';
  }
  if (out.empty() || out[0] == '.') out = "kelp" + out;
  return out + ".lock";
}

// An abstract socket address named after the lock file, so that instances
// with different save folders never meet.
socklen_t SocketAddress(const std::string& lock_path, sockaddr_un& addr) {
  std::string key = lock_path;
  if (char* real = realpath(lock_path.c_str(), nullptr)) {
    key = real;
    free(real);
  }
  uint64_t hash = 1469598103934665603ull;
  for (unsigned char c : key) hash = (hash ^ c) * 1099511628211ull;
  char name[40];
  std::snprintf(name, sizeof name, "kelp-instance-%016llx", static_cast<unsigned long long>(hash));
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  const size_t len = std::strlen(name);
  std::memcpy(addr.sun_path + 1, name, len);  // sun_path[0] = 0: abstract
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + len);
}

void SendRaiseRequest(const std::string& lock_path) {
  sockaddr_un addr;
  const socklen_t len = SocketAddress(lock_path, addr);
  // The first instance may hold the lock a moment before it listens.
  for (int attempt = 0; attempt < 10; ++attempt) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), len) == 0) {
      static const char kMessage[] = "raise\n";
      [[maybe_unused]] ssize_t sent = send(fd, kMessage, sizeof kMessage - 1, MSG_NOSIGNAL);
      close(fd);
      return;
    }
    const int err = errno;
    close(fd);
    if (err != ECONNREFUSED && err != ENOENT) return;
    usleep(20000);
  }
}

SingleInstanceLock g_lock;
std::function<void()> g_raise_handler;

}  // namespace

SingleInstanceLock::~SingleInstanceLock() { Release(); }

bool SingleInstanceLock::Acquire(const std::string& folder, const std::string& name) {
  Release();
  CreateFolder(folder);
  const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + LockFileName(name);
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    std::fprintf(stderr, "single instance: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
    return true;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    close(fd);
    if (err == EWOULDBLOCK) {
      SendRaiseRequest(path);
      return false;
    }
    std::fprintf(stderr, "single instance: cannot lock %s: %s\n", path.c_str(), std::strerror(err));
    return true;
  }
  lock_fd_ = fd;

  sockaddr_un addr;
  const socklen_t len = SocketAddress(path, addr);
  const int sock = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (sock >= 0 && bind(sock, reinterpret_cast<const sockaddr*>(&addr), len) == 0 && listen(sock, 8) == 0) {
    listen_fd_ = sock;
  } else {
    std::fprintf(stderr, "single instance: no raise socket: %s\n", std::strerror(errno));
    if (sock >= 0) close(sock);
  }
  return true;
}

void SingleInstanceLock::Release() {
  if (listen_fd_ >= 0) close(listen_fd_);
  if (lock_fd_ >= 0) close(lock_fd_);  // closing drops the flock
  listen_fd_ = lock_fd_ = -1;
}

int SingleInstanceLock::ServiceRequests() {
  if (listen_fd_ < 0) return 0;
  // Asked every frame: an accept with nobody waiting still makes and drops a
  // socket in the kernel, where a poll only looks.
  pollfd waiting{listen_fd_, POLLIN, 0};
  if (poll(&waiting, 1, 0) != 1 || (waiting.revents & POLLIN) == 0) return 0;
  int count = 0;
  for (;;) {
    const int fd = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) break;
    close(fd);
    ++count;
  }
  return count;
}

bool AcquireSingleInstance(const std::string& folder, const std::string& name) {
  return g_lock.Acquire(folder, name);
}

void ReleaseSingleInstance() { g_lock.Release(); }

void SetRaiseHandler(std::function<void()> handler) { g_raise_handler = std::move(handler); }

namespace internal {

void ServiceSingleInstance() {
  if (g_lock.ServiceRequests() == 0) return;
  if (g_raise_handler) {
    g_raise_handler();
  } else {
    RaiseWindow();
  }
}

}  // namespace internal
}  // namespace platform
