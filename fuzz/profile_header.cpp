// The profile header and the village block's shape: the first ten values
// are kept only within their ranges, and a village block accepted alone is
// accepted behind any good header.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "frontend/profile.h"
#include "frontend/profile_file.h"
#include "fuzz_check.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string tail(reinterpret_cast<const char*>(data), size);
  kelp::TGameData record;
  const std::string head = kelp::ProfileFileBytes("ver. 1.35", "Fuzz", &record);
  // The header written by the game, then the fuzzer's bytes in place of its
  // own header and village.
  const size_t headerStart = head.size() - kelp::EmptyVillageBlock().size() - 37;
  kelp::ProfileFileContent content;
  kelp::TGameData read;
  std::string why;
  if (kelp::ReadProfileFile(head.substr(0, headerStart) + tail, "ver. 1.35", content, read, why) ==
      kelp::ProfileRead::Ok) {
    Check(read.GameMode == 0 || read.GameMode == 1);
    Check(read.Island >= 0 && read.Island <= 2);
    Check(read.Stage >= 0 && read.Stage <= kelp::MaxStage);
    Check(read.Level >= 0 && read.Level <= kelp::MaxLevel);
    Check(std::isfinite(read.Skill) && read.Skill >= 0.0f && read.Skill <= 1.0f);
    Check(read.DayTime >= 0 && read.DayTime <= 6);
  }
  if (kelp::CheckVillageBlock(tail)) {
    kelp::TGameData withBlock;
    withBlock.VillageBlock = tail;
    const std::string file = kelp::ProfileFileBytes("ver. 1.35", "Fuzz", &withBlock);
    kelp::TGameData back;
    Check(kelp::ReadProfileFile(file, "ver. 1.35", content, back, why) == kelp::ProfileRead::Ok);
    Check(back.VillageBlock == tail);
  }
  return 0;
}
