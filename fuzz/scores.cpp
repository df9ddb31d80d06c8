// "scores.dat": any bytes are either a whole table of eight rows per mode
// with decimal scores, which writes and reads back the same, or refused.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "frontend/scores.h"
#include "fuzz_check.h"
#include "platform/stream.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::MemoryStream in;
  in.WriteBytes(std::string(reinterpret_cast<const char*>(data), size));
  in.Seek(0);
  if (!kelp::TScores::ReadScores(in)) return 0;
  std::vector<std::string> before;
  for (auto& row : kelp::HighScores)
    for (auto& mode : row) {
      Check(!mode[1].empty() && mode[1].size() <= 9);
      for (const std::string& cell : mode) before.push_back(cell);
    }
  platform::MemoryStream out;
  Check(kelp::TScores::WriteScores(out));
  out.Seek(0);
  Check(kelp::TScores::ReadScores(out));
  std::vector<std::string> after;
  for (auto& row : kelp::HighScores)
    for (auto& mode : row)
      for (const std::string& cell : mode) after.push_back(cell);
  Check(after == before);
  return 0;
}
