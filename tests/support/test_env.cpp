#include "test_env.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/clock.h"

namespace testenv {

TempDir::TempDir() {
  std::string templ = (std::filesystem::temp_directory_path() / "kelp-test-XXXXXX").string();
  if (mkdtemp(templ.data()) == nullptr) std::abort();
  path_ = templ;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

FakeClock::FakeClock(int start) : now(start) {
  platform::SetMillisecsSource([this] { return now; });
}

FakeClock::~FakeClock() { platform::SetMillisecsSource(nullptr); }

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace testenv
