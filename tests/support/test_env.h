#pragma once
// Shared test helpers: a temporary folder that is removed afterwards, and a
// settable millisecond counter.
#include <string>

namespace testenv {

// A fresh, empty folder under the system's temporary folder.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// While alive, platform::Millisecs() returns `now`, which the test moves.
class FakeClock {
 public:
  explicit FakeClock(int start = 100000000);
  ~FakeClock();
  void Advance(int ms) { now += ms; }
  int now;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

}  // namespace testenv
