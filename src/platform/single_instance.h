#pragma once
// One running copy of the game per user: a lock file in the save folder and
// a local socket through which a second start asks the first to come forward.
#include <functional>
#include <string>

namespace platform {

class SingleInstanceLock {
 public:
  SingleInstanceLock() = default;
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // True when this is the first instance named `name` (the window title) in
  // `folder`: the lock is held and raise requests are listened for. False
  // when another instance holds it; that one has been asked to raise its
  // window. A folder that cannot hold the lock lets the game run (true).
  bool Acquire(const std::string& folder, const std::string& name);
  void Release();
  bool Held() const { return lock_fd_ >= 0; }
  // Accepts pending raise requests; gives how many arrived.
  int ServiceRequests();

 private:
  int lock_fd_ = -1;
  int listen_fd_ = -1;
};

// The program's own lock. PollEvents answers its raise requests with the
// raise handler (RaiseWindow from window.h unless replaced).
bool AcquireSingleInstance(const std::string& folder, const std::string& name);
void ReleaseSingleInstance();
void SetRaiseHandler(std::function<void()> handler);

}  // namespace platform
